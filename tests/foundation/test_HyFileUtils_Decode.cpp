// The portable decoders: PNG of every colour type and depth with the depth
// codes and alpha flags of the pixel-format table, the reduced PNG decode,
// the first frame of a GIF whose later frames are damaged, and BMPs with alpha
// masks. Fixtures are made here with libpng and giflib.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <png.h>
#include <zlib.h>

#include "ImageFixtures.h"
#include "foundation/HyFileUtils_Decode.h"

using namespace ImageFixtures;

namespace {

struct TDecoded {
    TImageLoadResult Result;
    bool HasAlpha = false;
    Integer BitDepth = -1;
    TCustomBitmap32 Bitmap;
};

template <typename TDecoder>
void Decode(TDecoder Decoder, const std::string& Bytes, TDecoded& D)
{
    TMemoryStream S;
    if (!Bytes.empty()) S.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
    S.SetPosition(0);
    D.Result = Decoder(&S, &D.Bitmap, D.HasAlpha, D.BitDepth);
}

}  // namespace

TEST(HyFileUtils_Decode, PngDepthCodesAndAlphaFollowTheFilesPixelFormat)
{
    const int W = 5, H = 3;
    std::vector<png_color> Four = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0x10, 0x20, 0x30}};
    struct {
        const char* Name;
        TPngSpec Spec;
        unsigned Sample;     // every sample's value
        int Channels;        // samples per pixel in the file
        Integer BitDepth;
        bool HasAlpha;
        TColor32 Pixel;      // what every pixel decodes to
    } Cases[] = {
        {"grey 1", {W, H, PNG_COLOR_TYPE_GRAY, 1}, 1, 1, 1, false, 0xFFFFFFFF},
        {"grey 2", {W, H, PNG_COLOR_TYPE_GRAY, 2}, 2, 1, 4, false, 0xFFAAAAAA},
        {"grey 4", {W, H, PNG_COLOR_TYPE_GRAY, 4}, 5, 1, 4, false, 0xFF555555},
        {"grey 8", {W, H, PNG_COLOR_TYPE_GRAY, 8}, 0x80, 1, 8, false, 0xFF808080},
        {"grey 16", {W, H, PNG_COLOR_TYPE_GRAY, 16}, 0x8080, 1, 16, false, 0xFF808080},
        {"grey 8 keyed", {W, H, PNG_COLOR_TYPE_GRAY, 8, false, {}, {}, true, {0, 0, 0, 0, 0x80}}, 0x80, 1, 32, true,
         0x00808080},
        {"rgb 8", {W, H, PNG_COLOR_TYPE_RGB, 8}, 0x40, 3, 24, false, 0xFF404040},
        {"rgb 16", {W, H, PNG_COLOR_TYPE_RGB, 16}, 0xC0C0, 3, 32, false, 0xFFC0C0C0},
        {"rgb 8 keyed", {W, H, PNG_COLOR_TYPE_RGB, 8, false, {}, {}, true, {0, 0x40, 0x40, 0x40, 0}}, 0x40, 3, 32,
         true, 0x00404040},
        {"palette 2", {W, H, PNG_COLOR_TYPE_PALETTE, 2, false, Four}, 3, 1, 4, false, 0xFF102030},
        {"palette 8 transparent", {W, H, PNG_COLOR_TYPE_PALETTE, 8, false, Four, {255, 255, 255, 0}}, 3, 1, 8, false,
         0x00102030},
        {"grey alpha 8", {W, H, PNG_COLOR_TYPE_GRAY_ALPHA, 8}, 0x7F, 2, 32, true, 0x7F7F7F7F},
        {"rgba 16", {W, H, PNG_COLOR_TYPE_RGB_ALPHA, 16}, 0xFFFF, 4, 32, true, 0xFFFFFFFF},
        {"rgb 8 interlaced", {W, H, PNG_COLOR_TYPE_RGB, 8, true}, 0x40, 3, 24, false, 0xFF404040},
    };
    for (auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        const std::string Png =
            MakePng(C.Spec, [&](int) { return Samples(W * C.Channels, C.Spec.Depth, C.Sample); });
        TDecoded D;
        Decode(DecodePng, Png, D);
        ASSERT_EQ(D.Result, ilrLoaded);
        EXPECT_EQ(D.BitDepth, C.BitDepth);
        EXPECT_EQ(D.HasAlpha, C.HasAlpha);
        ASSERT_EQ(D.Bitmap.Width(), W);
        ASSERT_EQ(D.Bitmap.Height(), H);
        for (Integer I = 0; I < W * H; ++I) ASSERT_EQ(D.Bitmap.Bits()[I], C.Pixel) << I;
    }
}

TEST(HyFileUtils_Decode, PngPixelsKeepTheirPlacesInEveryLayout)
{
    // Colour by position, through the plain and the interlaced layouts.
    const int W = 13, H = 11;
    for (bool Interlaced : {false, true}) {
        SCOPED_TRACE(Interlaced);
        const std::string Png = MakePng({W, H, PNG_COLOR_TYPE_RGB_ALPHA, 8, Interlaced}, [&](int Y) {
            std::vector<png_byte> R;
            for (int X = 0; X < W; ++X) R.insert(R.end(), {png_byte(X * 10), png_byte(Y * 20), 7, png_byte(X + Y)});
            return R;
        });
        TDecoded D;
        Decode(DecodePng, Png, D);
        ASSERT_EQ(D.Result, ilrLoaded);
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X)
                ASSERT_EQ(D.Bitmap.Pixel(X, Y), TColor32(X + Y) << 24 | TColor32(X * 10) << 16 | TColor32(Y * 20) << 8 | 7)
                    << X << "," << Y;
    }
}

TEST(HyFileUtils_Decode, DamagedPngsGiveReasons)
{
    const std::string Good = MakePng({64, 64, PNG_COLOR_TYPE_RGB, 8}, [](int Y) {
        std::vector<png_byte> R(64 * 3);
        for (size_t I = 0; I < R.size(); ++I) R[I] = png_byte(I * 7 + Y * 13);
        return R;
    });
    std::string BadCrc = Good;
    BadCrc[40] ^= 0x55;  // inside the compressed data
    // 100,000 x 100,000: no bitmap holds it; nothing is decoded.
    std::string Huge = Good;
    const char Side[4] = {0, 1, char(0x86), char(0xA0)};
    std::memcpy(&Huge[16], Side, 4);
    std::memcpy(&Huge[20], Side, 4);
    struct {
        const char* Name;
        std::string Bytes;
        TImageLoadResult Result;
    } const Cases[] = {
        {"cut", Good.substr(0, Good.size() / 2), ilrDamaged},
        {"bad crc", BadCrc, ilrDamaged},
        {"empty", "", ilrDamaged},
        {"not png", "GIF89a and more", ilrDamaged},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TDecoded D;
        D.HasAlpha = true;
        D.BitDepth = 7;
        Decode(DecodePng, C.Bytes, D);
        EXPECT_EQ(D.Result, C.Result);
        EXPECT_TRUE(D.Bitmap.Empty());
        EXPECT_TRUE(D.HasAlpha);  // untouched
        EXPECT_EQ(D.BitDepth, 7);
    }
    // A header claiming more than a bitmap holds, its check sum mended: refused
    // as too large before any pixel memory is taken.
    png_uint_32 Crc = static_cast<png_uint_32>(crc32(0, reinterpret_cast<const Bytef*>(&Huge[12]), 17));
    const char CrcBytes[4] = {char(Crc >> 24), char(Crc >> 16), char(Crc >> 8), char(Crc)};
    std::memcpy(&Huge[29], CrcBytes, 4);
    TDecoded D;
    Decode(DecodePng, Huge, D);
    EXPECT_EQ(D.Result, ilrTooLarge);
    EXPECT_TRUE(D.Bitmap.Empty());
}

TEST(HyFileUtils_Decode, ReducedPngIsTheBlockMeanOfTheWhole)
{
    // 1000 x 700 shrunk for a 100 x 100 box: the largest whole factor that
    // keeps at least 100 x 70 is 10. Every output pixel is its block's mean.
    const int W = 1000, H = 700;
    auto Row = [&](int Y) {
        std::vector<png_byte> R;
        for (int X = 0; X < W; ++X)
            R.insert(R.end(), {png_byte(X % 256), png_byte(Y % 200), png_byte((X / 10) & 1 ? 255 : 0)});
        return R;
    };
    const std::string Png = MakePng({W, H, PNG_COLOR_TYPE_RGB, 8}, Row);
    TMemoryStream S;
    S.WriteBuffer(Png.data(), static_cast<Integer>(Png.size()));
    S.SetPosition(0);
    TCustomBitmap32 Small;
    Int64 FullW = 0, FullH = 0;
    ASSERT_EQ(DecodePngReduced(&S, 100, 70, &Small, FullW, FullH), ilrLoaded);
    EXPECT_EQ(FullW, W);
    EXPECT_EQ(FullH, H);
    ASSERT_EQ(Small.Width(), 100);
    ASSERT_EQ(Small.Height(), 70);
    for (auto [X, Y] : {std::pair{0, 0}, std::pair{37, 21}, std::pair{99, 69}}) {
        unsigned R = 0, G = 0;
        for (int J = 0; J < 10; ++J)
            for (int I = 0; I < 10; ++I) R += (X * 10 + I) % 256, G += (Y * 10 + J) % 200;
        const TColor32 P = Small.Pixel(X, Y);
        EXPECT_EQ(P >> 24, 255u);
        EXPECT_EQ((P >> 16) & 0xFF, (R + 50) / 100) << X << "," << Y;
        EXPECT_EQ((P >> 8) & 0xFF, (G + 50) / 100) << X << "," << Y;
        EXPECT_EQ(P & 0xFF, X & 1 ? 255u : 0u);
    }
    // A box as large as the picture: no reduction.
    S.SetPosition(0);
    ASSERT_EQ(DecodePngReduced(&S, W, H, &Small, FullW, FullH), ilrLoaded);
    EXPECT_EQ(Small.Width(), W);
}

TEST(HyFileUtils_Decode, GifOpensItsFirstFrameWhateverFollows)
{
    const std::string Whole = MakeAnimatedGif(40, 30, 3, false);
    const std::string Interlaced = MakeAnimatedGif(40, 30, 3, true);
    // Where the second frame's graphic control starts: a cut there leaves the first whole.
    const size_t Second = Whole.find("\x21\xF9", Whole.find("\x21\xF9") + 2);
    ASSERT_NE(Second, std::string::npos);
    std::string Garbled = Whole;
    for (size_t I = Second + 30; I < Garbled.size() - 1; ++I) Garbled[I] = char(0xFF);
    struct {
        const char* Name;
        std::string Bytes;
        TImageLoadResult Result;
    } const Cases[] = {
        {"whole", Whole, ilrLoaded},
        {"interlaced", Interlaced, ilrLoaded},
        {"later frame cut", Whole.substr(0, Second + 25), ilrLoaded},
        {"later frames garbled", Garbled, ilrLoaded},
        {"first frame cut", Whole.substr(0, Second - 20), ilrDamaged},
        {"header only", Whole.substr(0, 13), ilrDamaged},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TDecoded D;
        Decode(DecodeGif, C.Bytes, D);
        ASSERT_EQ(D.Result, C.Result);
        if (C.Result != ilrLoaded) {
            EXPECT_TRUE(D.Bitmap.Empty());
            continue;
        }
        EXPECT_EQ(D.BitDepth, 8);
        EXPECT_FALSE(D.HasAlpha);  // an indexed format, though an index is transparent
        ASSERT_EQ(D.Bitmap.Width(), 40);
        ASSERT_EQ(D.Bitmap.Height(), 30);
        EXPECT_EQ(D.Bitmap.Pixel(0, 0) >> 24, 0u);
        for (int Y = 1; Y < 30; ++Y) ASSERT_EQ(D.Bitmap.Pixel(0, Y), 0xFFFF0000u) << Y;
        EXPECT_EQ(D.Bitmap.Pixel(39, 0), 0xFFFF0000u);
    }
}

TEST(HyFileUtils_Decode, BmpAlphaMasksAndDepthCodes)
{
    // 2 x 1 pixels each.
    struct {
        const char* Name;
        std::string Bytes;
        Integer BitDepth;
        bool HasAlpha;
        TColor32 Left, Right;
    } const Cases[] = {
        {"32-bit with alpha mask", MakeV5Bmp(2, 1, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, Le32(0x80112233) + Le32(0x00445566)),
         32, true, 0x80112233, 0x00445566},
        {"32-bit without alpha mask", MakeV5Bmp(2, 1, 32, {0xFF0000, 0xFF00, 0xFF, 0}, Le32(0x00112233) + Le32(0x12445566)),
         32, false, 0xFF112233, 0xFF445566},
        {"4-4-4-4", MakeV5Bmp(2, 1, 16, {0x0F00, 0x00F0, 0x000F, 0xF000}, Le16(0xF12F) + Le16(0x0FFF) + Le32(0)),
         32, true, 0xFF1122FF, 0x00FFFFFF},
        {"1-5-5-5", MakeV5Bmp(2, 1, 16, {0x7C00, 0x03E0, 0x001F, 0x8000}, Le16(0xFC00) + Le16(0x001F) + Le32(0)),
         32, true, 0xFFFF0000, 0x000000FF},
        {"5-6-5", MakeV5Bmp(2, 1, 16, {0xF800, 0x07E0, 0x001F, 0}, Le16(0xF800) + Le16(0x07E0) + Le32(0)), 16,
         false, 0xFFFF0000, 0xFF00FF00},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TDecoded D;
        Decode(DecodeBmp, C.Bytes, D);
        ASSERT_EQ(D.Result, ilrLoaded);
        EXPECT_EQ(D.BitDepth, C.BitDepth);
        EXPECT_EQ(D.HasAlpha, C.HasAlpha);
        EXPECT_EQ(D.Bitmap.Pixel(0, 0), C.Left);
        EXPECT_EQ(D.Bitmap.Pixel(1, 0), C.Right);
    }

    // RLE8: depth 8.
    const std::string Rle = "BM" + Le32(0) + Le32(0) + Le32(14 + 40 + 8) + Le32(40) + Le32(4) + Le32(1) + Le16(1) +
                            Le16(8) + Le32(1) + Le32(4) + Le32(0) + Le32(0) + Le32(2) + Le32(0) + Le32(0x000000) +
                            Le32(0x00FF00) + std::string("\x04\x01\x00\x01", 4);
    TDecoded D;
    Decode(DecodeBmp, Rle, D);
    ASSERT_EQ(D.Result, ilrLoaded);
    EXPECT_EQ(D.BitDepth, 8);
    EXPECT_FALSE(D.HasAlpha);
    EXPECT_EQ(D.Bitmap.Pixel(3, 0), 0xFF00FF00u);
}
