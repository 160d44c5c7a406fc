// Image files under Windows: decoding every kind through GDI+ (JPEG through
// the JPEG class) with its depth and alpha, the size limit, thumbnails, the
// writers and the JPEG size measurement. Fixtures are made here.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <memory>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <png.h>

#include "../ImageFixtures.h"
#include "../TempFolder.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "framework/graphics/win/Jpeg.h"
#include "framework/runtime/Maths.h"
#include "framework/graphics/win/PngImage.h"

// After WinPlatform.h (through the unit's header), which they need.
#include <psapi.h>
#include <shlwapi.h>

namespace {

std::unique_ptr<TBitmap32> NewBitmap32(Integer W, Integer H, TColor32 Fill)
{
    auto B = std::make_unique<TBitmap32>();
    B->SetSize(W, H);
    B->Clear(Fill);
    return B;
}

// Opaque pixels whose colour tells where they are.
std::unique_ptr<TBitmap32> Gradient(Integer W, Integer H)
{
    auto B = NewBitmap32(W, H, 0);
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X)
            B->SetPixel(X, Y, 0xFF000000u | (TColor32(X * 255 / Max(W - 1, 1)) << 16) |
                                  (TColor32(Y * 255 / Max(H - 1, 1)) << 8) | 0x40);
    return B;
}

std::string FileBytes(const String& Name)
{
    TFileStream F(Name, fmOpenRead | fmShareDenyNone);
    std::string S(static_cast<size_t>(F.Size()), '\0');
    if (!S.empty()) F.ReadBuffer(S.data(), static_cast<Integer>(S.size()));
    return S;
}

void WriteBytes(const String& Name, const std::string& Bytes)
{
    TFileStream F(Name, fmCreate);
    if (!Bytes.empty()) F.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
}

void SavePlatformBitmap(const String& Name, TPixelFormat Format, Integer W, Integer H)
{
    TBitmap B(W, H);
    B.Canvas()->Brush()->SetColor(0x3366CC);
    B.Canvas()->FillRect(Rect(0, 0, W, H));
    B.Canvas()->Brush()->SetColor(0x000000);
    B.Canvas()->FillRect(Rect(0, 0, W / 2, H / 2));
    B.SetPixelFormat(Format);
    B.SaveToFile(Name);
}

// A JPEG of one flat sample per component (grey or CMYK), which the JPEG
// class cannot write.
void SaveRawJpeg(const String& Name, Integer W, Integer H, J_COLOR_SPACE Space, int Components, const uint8_t* Sample)
{
    jpeg_compress_struct Info;
    jpeg_error_mgr Err;
    Info.err = jpeg_std_error(&Err);
    jpeg_create_compress(&Info);
    unsigned char* Out = nullptr;
    unsigned long Size = 0;
    jpeg_mem_dest(&Info, &Out, &Size);
    Info.image_width = W;
    Info.image_height = H;
    Info.input_components = Components;
    Info.in_color_space = Space;
    jpeg_set_defaults(&Info);
    jpeg_start_compress(&Info, TRUE);
    std::vector<uint8_t> Row(static_cast<size_t>(W) * Components);
    for (size_t I = 0; I < Row.size(); ++I) Row[I] = Sample[I % Components];
    while (Info.next_scanline < Info.image_height) {
        JSAMPROW R = Row.data();
        jpeg_write_scanlines(&Info, &R, 1);
    }
    jpeg_finish_compress(&Info);
    jpeg_destroy_compress(&Info);
    WriteBytes(Name, std::string(reinterpret_cast<char*>(Out), Size));
    std::free(Out);
}

bool AllAlpha(const TBitmap32& B, TColor32 A)
{
    for (Integer I = 0; I < B.Width() * B.Height(); ++I)
        if (B.Bits()[I] >> 24 != A) return false;
    return true;
}

Int64 PeakCommit()
{
    PROCESS_MEMORY_COUNTERS C{};
    C.cb = sizeof C;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &C, sizeof C);
    return static_cast<Int64>(C.PeakPagefileUsage);
}

Int64 CurrentCommit()
{
    PROCESS_MEMORY_COUNTERS C{};
    C.cb = sizeof C;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &C, sizeof C);
    return static_cast<Int64>(C.PagefileUsage);
}

using ImageFixtures::Le16;
using ImageFixtures::Le32;
std::string Be32(uint32_t V) { return {char(V >> 24), char(V >> 16), char(V >> 8), char(V)}; }

}  // namespace

// ---------------------------------------------------------------------------
// Large pictures (first in the program: the peak-memory figures start low)

namespace {

// A 36-megapixel photo-like JPEG written row by row straight to the file, so
// that making it takes no picture-sized memory.
void SaveLargeJpeg(const String& Name, Integer W, Integer H)
{
    FILE* F = _wfopen(reinterpret_cast<const wchar_t*>(Name.c_str()), L"wb");
    ASSERT_NE(F, nullptr);
    jpeg_compress_struct Info;
    jpeg_error_mgr Err;
    Info.err = jpeg_std_error(&Err);
    jpeg_create_compress(&Info);
    jpeg_stdio_dest(&Info, F);
    Info.image_width = W;
    Info.image_height = H;
    Info.input_components = 3;
    Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, 85, TRUE);
    jpeg_start_compress(&Info, TRUE);
    std::vector<uint8_t> Row(static_cast<size_t>(W) * 3);
    uint32_t Seed = 1;
    while (Info.next_scanline < Info.image_height) {
        const Integer Y = static_cast<Integer>(Info.next_scanline);
        for (Integer X = 0; X < W; ++X) {
            Seed = Seed * 1103515245u + 12345u;
            Row[3 * X] = static_cast<uint8_t>(X * 255 / W);
            Row[3 * X + 1] = static_cast<uint8_t>(Y * 255 / H);
            Row[3 * X + 2] = static_cast<uint8_t>(0x60 + (Seed >> 28));  // a little grain
        }
        JSAMPROW R = Row.data();
        jpeg_write_scanlines(&Info, &R, 1);
    }
    jpeg_finish_compress(&Info);
    jpeg_destroy_compress(&Info);
    std::fclose(F);
}

void PngToFile(png_structp Png, png_bytep Data, size_t Length)
{
    std::fwrite(Data, 1, Length, static_cast<FILE*>(png_get_io_ptr(Png)));
}
void PngNoFlush(png_structp) {}

// A W x H RGB PNG written row by row to the file: red across, green down.
void SaveLargePng(const String& Name, Integer W, Integer H)
{
    FILE* F = _wfopen(reinterpret_cast<const wchar_t*>(Name.c_str()), L"wb");
    ASSERT_NE(F, nullptr);
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop Info = png_create_info_struct(Png);
    png_set_write_fn(Png, F, PngToFile, PngNoFlush);
    png_set_compression_level(Png, 1);
    png_set_IHDR(Png, Info, W, H, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(Png, Info);
    std::vector<png_byte> Row(static_cast<size_t>(W) * 3);
    for (Integer Y = 0; Y < H; ++Y) {
        for (Integer X = 0; X < W; ++X) {
            Row[3 * X] = static_cast<png_byte>(X * 255 / W);
            Row[3 * X + 1] = static_cast<png_byte>(Y * 255 / H);
            Row[3 * X + 2] = 0x40;
        }
        png_write_row(Png, Row.data());
    }
    png_write_end(Png, Info);
    png_destroy_write_struct(&Png, &Info);
    std::fclose(F);
}

}  // namespace

TEST(HyFileUtils_Image, LargePicturesOpenAndGetSmallThumbnails)
{
    // 7200 x 5000 (36 megapixels) JPEG and 7000 x 5000 PNG: beyond the
    // document's 30,000,000 pixels, which is its callers' limit, not the
    // decoders'. Their thumbnails come from reduced decoding and cost a small
    // part of the full picture's memory.
    TTempFolder Dir;
    SaveLargeJpeg(Dir / u"36mp.jpg", 7200, 5000);
    SaveLargePng(Dir / u"35mp.png", 7000, 5000);
    struct {
        const char16_t* Name;
        Integer W, H;
    } const Cases[] = {{u"36mp.jpg", 7200, 5000}, {u"35mp.png", 7000, 5000}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(UTF8Encode(C.Name));
        const Int64 Full = Int64(C.W) * C.H * 4;
        for (bool FullLoad : {true, false}) {
            // The peak after the call over the memory in use before it: an
            // upper bound of what the call took.
            const Int64 Before = CurrentCommit();
            TBitmap32 Thumb;
            Integer W = 0, H = 0;
            TImageLoadStatus Status;
            ASSERT_TRUE(LoadThumbnailFile(Dir / C.Name, &Thumb, 160, 120, FullLoad, W, H, &Status));
            const Int64 Peak = PeakCommit() - Before;
            std::printf("thumbnail of %s (%s path): peak memory +%.1f MB, the whole picture %.1f MB\n",
                        UTF8Encode(C.Name).c_str(), FullLoad ? "full" : "quick", Peak / 1048576.0,
                        Full / 1048576.0);
            EXPECT_LT(Peak, Full / 8);
            EXPECT_EQ(Status.Result, ilrLoaded);
            EXPECT_EQ(W, C.W);
            EXPECT_EQ(H, C.H);
            Integer BoxW, BoxH;
            FitSize(C.W, C.H, 160, 120, BoxW, BoxH);
            ASSERT_EQ(Thumb.Width(), BoxW);
            ASSERT_EQ(Thumb.Height(), BoxH);
            // Red grows to the right, green downwards.
            const TColor32 TopLeft = Thumb.Pixel(5, 5), BottomRight = Thumb.Pixel(BoxW - 6, BoxH - 6);
            EXPECT_LT((TopLeft >> 16) & 0xFF, 0x20u);
            EXPECT_GT((BottomRight >> 16) & 0xFF, 0xE0u);
            EXPECT_GT((BottomRight >> 8) & 0xFF, 0xE0u);
        }
        bool HasAlpha = true;
        Integer BitDepth = 0;
        TImageLoadStatus Status;
        const Int64 Before = CurrentCommit();
        auto Whole = LoadImageToBitmap32(Dir / C.Name, HasAlpha, BitDepth, &Status);
        const Int64 Peak = PeakCommit() - Before;
        std::printf("whole picture of %s: peak memory +%.1f MB\n", UTF8Encode(C.Name).c_str(), Peak / 1048576.0);
        EXPECT_GE(Peak, Full);  // the measure sees the picture's memory
        EXPECT_EQ(Status.Result, ilrLoaded);
        EXPECT_EQ(Whole->Width(), C.W);
        EXPECT_EQ(Whole->Height(), C.H);
        EXPECT_EQ(BitDepth, 24);
        EXPECT_FALSE(HasAlpha);
    }
}

// ---------------------------------------------------------------------------
// Decoding

TEST(HyFileUtils_Image, DecodesEveryKindWithItsDepthAndAlpha)
{
    TTempFolder Dir;
    // A 24-bit JPEG through the JPEG class.
    {
        TBitmap B(24, 16);
        B.SetPixelFormat(pf24bit);
        B.Canvas()->Brush()->SetColor(0x2080E0);
        B.Canvas()->FillRect(Rect(0, 0, 24, 16));
        TJPEGImage J;
        J.Assign(&B);
        J.SaveToFile(Dir / u"photo.jpg");
    }
    // An RGBA PNG with partly transparent pixels, and an RGB one.
    const Byte Alphas[4] = {0x00, 0x7B, 0xBD, 0xFF};
    for (bool WithAlpha : {true, false}) {
        auto Png = TPngImage::CreateBlank(WithAlpha ? COLOR_RGBALPHA : COLOR_RGB, 8, 4, 2);
        for (Integer Y = 0; Y < 2; ++Y)
            for (Integer X = 0; X < 4; ++X) {
                Png->Scanline(Y)[3 * X] = 0x30;      // blue
                Png->Scanline(Y)[3 * X + 1] = 0x60;  // green
                Png->Scanline(Y)[3 * X + 2] = 0x90;  // red
                if (WithAlpha) Png->AlphaScanline(Y)[X] = Alphas[X];
            }
        Png->SaveToFile(Dir / (WithAlpha ? u"rgba.png" : u"rgb.png"));
    }
    // An 8-bit GIF with a transparent palette entry (pixels 0 and 5).
    {
        auto B = NewBitmap32(6, 2, 0xFF0000FF);
        B->SetPixel(1, 0, 0xFF00FF00);
        B->SetPixel(0, 0, 0x00000000);
        B->SetPixel(5, 0, 0x10FF0000);
        SaveBitmap32ToFile(B.get(), Dir / u"anim.gif", ifGif, 0);
    }
    // 16 bits as 5-5-5: Wine's decoder turns 5-6-5 bit fields into 32-bit RGB
    // (Windows reports 16 for both).
    for (TPixelFormat F : {pf1bit, pf4bit, pf8bit, pf15bit, pf24bit})
        SavePlatformBitmap(Dir / (u"depth" + IntToStr(PixelFormatBits(F)) + u".bmp"), F, 10, 6);
    WriteBytes(Dir / u"garbage.png", "this is not a picture at all");
    const uint8_t Grey[1] = {0x80}, Cmyk[4] = {0xFF, 0xFF, 0xFF, 0xFF};  // Adobe-style: no ink
    SaveRawJpeg(Dir / u"grey.jpg", 8, 8, JCS_GRAYSCALE, 1, Grey);
    SaveRawJpeg(Dir / u"cmyk.jpg", 8, 8, JCS_CMYK, 4, Cmyk);
    // Two stray bytes after its first segment (Adobe's, 18 bytes in): the
    // decoder passes over them, so the file is a JPEG all the same.
    WriteBytes(Dir / u"cmyk_stray.jpg", FileBytes(Dir / u"cmyk.jpg").insert(2 + 2 + 14, "\x12\x34"));

    struct {
        const char16_t* Name;
        Integer W, H, BitDepth;
        bool HasAlpha;
    } const Cases[] = {
        {u"photo.jpg", 24, 16, 24, false}, {u"grey.jpg", 8, 8, 8, false},    {u"cmyk.jpg", 8, 8, 32, false},
        {u"cmyk_stray.jpg", 8, 8, 32, false},
        {u"rgba.png", 4, 2, 32, true},   {u"rgb.png", 4, 2, 24, false},
        {u"anim.gif", 6, 2, 8, false},     {u"depth1.bmp", 10, 6, 1, false}, {u"depth4.bmp", 10, 6, 4, false},
        {u"depth8.bmp", 10, 6, 8, false},  {u"depth16.bmp", 10, 6, 16, false}, {u"depth24.bmp", 10, 6, 24, false},
        {u"missing.png", 0, 0, -1, false}, {u"garbage.png", 0, 0, -1, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(UTF8Encode(C.Name));
        bool HasAlpha = true;
        Integer BitDepth = 99;
        std::unique_ptr<TBitmap32> B = LoadImageToBitmap32(Dir / C.Name, HasAlpha, BitDepth);
        ASSERT_NE(B, nullptr);
        EXPECT_EQ(B->Width(), C.W);
        EXPECT_EQ(B->Height(), C.H);
        EXPECT_EQ(BitDepth, C.BitDepth);
        EXPECT_EQ(HasAlpha, C.HasAlpha);
        if (C.W > 0 && !C.HasAlpha && std::u16string_view(C.Name) != u"anim.gif") {
            EXPECT_TRUE(AllAlpha(*B, 0xFF));
        }
        // The same bytes already in memory decode alike, with no file opened.
        if (!FileExists(Dir / C.Name)) continue;
        TMemoryStream Bytes;
        Bytes.LoadFromFile(Dir / C.Name);
        bool MemAlpha = true;
        Integer MemDepth = 99;
        std::unique_ptr<TBitmap32> M = LoadImageBytesToBitmap32(Bytes, MemAlpha, MemDepth);
        ASSERT_NE(M, nullptr);
        EXPECT_TRUE(M->SameContent(B.get()));
        EXPECT_EQ(MemDepth, C.BitDepth);
        EXPECT_EQ(MemAlpha, C.HasAlpha);
        EXPECT_EQ(Bytes.Position(), 0);
    }

    bool HasAlpha;
    Integer BitDepth;
    auto Jpeg = LoadImageToBitmap32(Dir / u"photo.jpg", HasAlpha, BitDepth);
    TColor32 C = Jpeg->Pixel(5, 5);  // 0x2080E0 is TColor's blue-green-red: red 0xE0, green 0x80, blue 0x20
    EXPECT_NEAR(int((C >> 16) & 0xFF), 0xE0, 3);
    EXPECT_NEAR(int((C >> 8) & 0xFF), 0x80, 3);
    EXPECT_NEAR(int(C & 0xFF), 0x20, 3);

    EXPECT_NEAR(int(LoadImageToBitmap32(Dir / u"grey.jpg", HasAlpha, BitDepth)->Pixel(3, 3) & 0xFF), 0x80, 2);
    // libjpeg marks CMYK the Adobe way (255 = no ink): white.
    EXPECT_EQ(LoadImageToBitmap32(Dir / u"cmyk.jpg", HasAlpha, BitDepth)->Pixel(3, 3), 0xFFFFFFFFu);

    auto Rgba = LoadImageToBitmap32(Dir / u"rgba.png", HasAlpha, BitDepth);
    for (Integer X = 0; X < 4; ++X) {
        EXPECT_EQ(Rgba->Pixel(X, 1) >> 24, Alphas[X]) << X;  // alpha values unchanged
        if (Alphas[X]) {
            EXPECT_EQ(Rgba->Pixel(X, 1) & 0xFFFFFF, 0x906030u) << X;
        }
    }

    auto Gif = LoadImageToBitmap32(Dir / u"anim.gif", HasAlpha, BitDepth);
    EXPECT_EQ(Gif->Pixel(0, 0) >> 24, 0u);
    EXPECT_EQ(Gif->Pixel(5, 0) >> 24, 0u);
    EXPECT_EQ(Gif->Pixel(1, 0), 0xFF00FF00u);
    EXPECT_EQ(Gif->Pixel(2, 0), 0xFF0000FFu);
    EXPECT_EQ(Gif->Pixel(5, 1), 0xFF0000FFu);
}

TEST(HyFileUtils_Image, GdiplusBitmapOf16BitArgbComesOutAs32Bits)
{
    TGPPtr<IGPBitmap> Image(new TGPBitmap(3, 1, PixelFormat16bppARGB1555));
    Image->BitmapSetPixel(0, 0, GPColorFromARGB(0xFFFF0000));
    Image->BitmapSetPixel(1, 0, GPColorFromARGB(0x000000FF));
    Image->BitmapSetPixel(2, 0, GPColorFromARGB(0xFF00FF00));
    bool HasAlpha = false;
    Integer BitDepth = -1;
    auto B = GPBitmapToBitmap32(std::move(Image), HasAlpha, BitDepth);
    ASSERT_EQ(B->Width(), 3);
    EXPECT_TRUE(HasAlpha);
    EXPECT_EQ(BitDepth, 32);
    EXPECT_EQ(B->Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(B->Pixel(1, 0) >> 24, 0u);
    EXPECT_EQ(B->Pixel(2, 0), 0xFF00FF00u);

    // Nothing decoded: the caller's values stay.
    HasAlpha = true;
    BitDepth = 7;
    B = GPBitmapToBitmap32(nullptr, HasAlpha, BitDepth);
    EXPECT_TRUE(B->Empty());
    EXPECT_TRUE(HasAlpha);
    EXPECT_EQ(BitDepth, 7);
}

TEST(HyFileUtils_Image, HugeHeadersAreRefusedWithoutAllocating)
{
    TTempFolder Dir;
    // Headers claiming 100,000 x 100,000 pixels, with a little data after them.
    const std::string Png = std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(100000) + Be32(100000) +
                            std::string("\x08\x06\0\0\0", 5) + Be32(0) + std::string(64, '\0');
    const std::string Bmp = "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(40) + Le32(100000) + Le32(100000) + Le16(1) +
                            Le16(32) + std::string(24 + 64, '\0');
    const std::string Gif = "GIF89a" + Le16(100) + Le16(100) + std::string(3, '\0') + "\x2C" + Le32(0) +
                            Le16(60000) + Le16(60000) + std::string(1, '\0') + std::string(16, '\0');
    WriteBytes(Dir / u"huge.png", Png);
    WriteBytes(Dir / u"huge.bmp", Bmp);
    WriteBytes(Dir / u"huge.gif", Gif);
    const Int64 Before = PeakCommit();
    for (const char16_t* Name : {u"huge.png", u"huge.bmp", u"huge.gif"}) {
        bool HasAlpha = true;
        Integer BitDepth = 0;
        auto B = LoadImageToBitmap32(Dir / Name, HasAlpha, BitDepth);
        EXPECT_TRUE(B->Empty()) << UTF8Encode(Name);
        EXPECT_EQ(BitDepth, -1) << UTF8Encode(Name);
        EXPECT_FALSE(HasAlpha) << UTF8Encode(Name);
        EXPECT_TRUE(LoadImageToBitmap(Dir / Name)->Empty()) << UTF8Encode(Name);
        auto Thumb = NewBitmap32(1, 1, 0);
        Integer W = -1, H = -1;
        EXPECT_FALSE(LoadThumbnailFile(Dir / Name, Thumb.get(), 16, 16, false, W, H)) << UTF8Encode(Name);
        EXPECT_EQ(W, 0);
    }
    EXPECT_LT(PeakCommit() - Before, Int64(64) << 20);  // no picture-sized block was ever taken
}

TEST(HyFileUtils_Image, PlatformBitmapForTheClipboard)
{
    TTempFolder Dir;
    auto Src = NewBitmap32(5, 3, 0xFF336699);
    SaveBitmap32ToFile(Src.get(), Dir / u"a.png", ifPng, -1);
    std::unique_ptr<TBitmap> B = LoadImageToBitmap(Dir / u"a.png");
    ASSERT_FALSE(B->Empty());
    EXPECT_EQ(B->Width(), 5);
    EXPECT_EQ(B->Height(), 3);
    EXPECT_EQ(B->PixelFormat(), pf32bit);
    EXPECT_EQ(B->AlphaFormat(), afDefined);
    EXPECT_EQ(static_cast<const uint32_t*>(B->ScanLine(1))[2] & 0xFFFFFF, 0x336699u);
    EXPECT_TRUE(LoadImageToBitmap(Dir / u"missing.png")->Empty());
}

TEST(HyFileUtils_Image, DepthAndAlphaOfTheFilesOwnPixelFormat)
{
    // The codes of the pixel-format table for what the file really holds, so
    // that saving again at the depth it was read with keeps the depth; the
    // alpha flag only where the format can hold alpha.
    using ImageFixtures::MakeAnimatedGif;
    using ImageFixtures::MakePng;
    using ImageFixtures::MakeV5Bmp;
    using ImageFixtures::Samples;
    TTempFolder Dir;
    auto Grey = [](int Depth, unsigned V) {
        return MakePng({4, 2, PNG_COLOR_TYPE_GRAY, Depth}, [=](int) { return Samples(4, Depth, V); });
    };
    std::vector<png_color> Four = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    WriteBytes(Dir / u"grey2.png", Grey(2, 1));
    WriteBytes(Dir / u"grey4.png", Grey(4, 3));
    WriteBytes(Dir / u"grey8.png", Grey(8, 0x80));
    WriteBytes(Dir / u"grey16.png", Grey(16, 0x8080));
    WriteBytes(Dir / u"rgb16.png",
               MakePng({4, 2, PNG_COLOR_TYPE_RGB, 16}, [](int) { return Samples(12, 16, 0x4040); }));
    WriteBytes(Dir / u"palette2.png",
               MakePng({4, 2, PNG_COLOR_TYPE_PALETTE, 2, false, Four}, [](int) { return Samples(4, 2, 3); }));
    WriteBytes(Dir / u"opaque.gif", MakeAnimatedGif(6, 4, 3, false, false));
    WriteBytes(Dir / u"v5alpha.bmp", MakeV5Bmp(2, 1, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
                                               Le32(0x80112233) + Le32(0x00445566)));
    WriteBytes(Dir / u"argb4444.bmp",
               MakeV5Bmp(2, 1, 16, {0x0F00, 0x00F0, 0x000F, 0xF000}, Le16(0xF12F) + Le16(0x0FFF) + Le32(0)));
    // 5-6-5 and RLE8 from the platform bitmap class.
    SavePlatformBitmap(Dir / u"rgb565.bmp", pf16bit, 10, 6);
    const std::string Rle = "BM" + Le32(0) + Le32(0) + Le32(14 + 40 + 8) + Le32(40) + Le32(4) + Le32(1) + Le16(1) +
                            Le16(8) + Le32(1) + Le32(4) + Le32(0) + Le32(0) + Le32(2) + Le32(0) + Le32(0x000000) +
                            Le32(0x00FF00) + std::string("\x04\x01\x00\x01", 4);
    WriteBytes(Dir / u"rle8.bmp", Rle);
    struct {
        const char16_t* Name;
        Integer BitDepth;
        bool HasAlpha;
        TColor32 Pixel;  // of (1, 0)
    } const Cases[] = {
        {u"grey2.png", 4, false, 0xFF555555},    {u"grey4.png", 4, false, 0xFF333333},
        {u"grey8.png", 8, false, 0xFF808080},    {u"grey16.png", 16, false, 0xFF808080},
        {u"rgb16.png", 32, false, 0xFF404040},   {u"palette2.png", 4, false, 0xFF0000FF},
        {u"opaque.gif", 8, false, 0xFFFF0000},   {u"v5alpha.bmp", 32, true, 0x00445566},
        {u"argb4444.bmp", 32, true, 0x00FFFFFF}, {u"rgb565.bmp", 16, false, 0xFF000000},
        {u"rle8.bmp", 8, false, 0xFF00FF00},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(UTF8Encode(C.Name));
        bool HasAlpha = !C.HasAlpha;
        Integer BitDepth = 0;
        auto B = LoadImageToBitmap32(Dir / C.Name, HasAlpha, BitDepth);
        ASSERT_FALSE(B->Empty());
        EXPECT_EQ(BitDepth, C.BitDepth);
        EXPECT_EQ(HasAlpha, C.HasAlpha);
        EXPECT_EQ(B->Pixel(1, 0), C.Pixel);
    }
}

TEST(HyFileUtils_Image, DamagedFilesBehaveAlikeOnEveryPath)
{
    // An animated GIF cut inside its second frame (the first is whole), and a
    // JPEG cut at two thirds: every path opens them, the JPEG's missing part grey.
    TTempFolder Dir;
    const std::string Gif = ImageFixtures::MakeAnimatedGif(40, 30, 3, false);
    const size_t Second = Gif.find("\x21\xF9", Gif.find("\x21\xF9") + 2);
    ASSERT_NE(Second, std::string::npos);
    WriteBytes(Dir / u"cut.gif", Gif.substr(0, Second + 25));
    {
        auto B = Gradient(240, 180);
        SaveBitmap32ToFile(B.get(), Dir / u"whole.jpg", ifJpg, 9);
        const std::string Jpeg = FileBytes(Dir / u"whole.jpg");
        WriteBytes(Dir / u"cut.jpg", Jpeg.substr(0, Jpeg.size() * 2 / 3));
    }
    for (const char16_t* Name : {u"cut.gif", u"cut.jpg"}) {
        SCOPED_TRACE(UTF8Encode(Name));
        const bool IsJpeg = String(Name) == u"cut.jpg";
        const Integer W = IsJpeg ? 240 : 40, H = IsJpeg ? 180 : 30;
        // The gradient's blue is 0x40 everywhere; the GIF's first frame is red.
        auto IsTop = [&](TColor32 C) {
            return IsJpeg ? ((C & 0xFF) < 0x50 && ((C >> 16) & 0xFF) < 0x40) : C == 0xFFFF0000;
        };
        auto IsGrey = [](TColor32 C) {
            return ((C >> 16) & 0xFF) == ((C >> 8) & 0xFF) && ((C >> 8) & 0xFF) == (C & 0xFF) && (C & 0xFF) > 0x40 &&
                   (C & 0xFF) < 0xC0;
        };
        bool HasAlpha;
        Integer BitDepth;
        TImageLoadStatus Status;
        auto Whole = LoadImageToBitmap32(Dir / Name, HasAlpha, BitDepth, &Status);
        EXPECT_EQ(Status.Result, ilrLoaded);
        ASSERT_EQ(Whole->Width(), W);
        ASSERT_EQ(Whole->Height(), H);
        EXPECT_TRUE(IsTop(Whole->Pixel(5, 5)));
        if (IsJpeg) {
            EXPECT_TRUE(IsGrey(Whole->Pixel(120, 175)));
        }

        std::unique_ptr<TBitmap> Platform = LoadImageToBitmap(Dir / Name);
        ASSERT_EQ(Platform->Width(), W);
        EXPECT_TRUE(IsTop(static_cast<const uint32_t*>(Platform->ScanLine(5))[5]));

        for (bool FullLoad : {true, false}) {
            SCOPED_TRACE(FullLoad ? "full thumbnail" : "quick thumbnail");
            TBitmap32 Thumb;
            Integer OrigW = 0, OrigH = 0;
            ASSERT_TRUE(LoadThumbnailFile(Dir / Name, &Thumb, 20, 20, FullLoad, OrigW, OrigH));
            EXPECT_EQ(OrigW, W);
            EXPECT_EQ(OrigH, H);
            EXPECT_TRUE(IsTop(Thumb.Pixel(1, 1)));
            if (IsJpeg) {
                EXPECT_TRUE(IsGrey(Thumb.Pixel(Thumb.Width() / 2, Thumb.Height() - 1)));
            }
        }
    }
}

TEST(HyFileUtils_Image, FailuresSayWhyAndHowLarge)
{
    TTempFolder Dir;
    const std::string Png = std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(100000) + Be32(100000) +
                            std::string("\x08\x06\0\0\0", 5) + Be32(0) + std::string(64, '\0');
    WriteBytes(Dir / u"huge.png", Png);
    WriteBytes(Dir / u"garbage.png", "this is not a picture at all");
    {
        auto B = NewBitmap32(30, 20, 0xFF808080);
        SaveBitmap32ToFile(B.get(), Dir / u"whole.png", ifPng, 0);
        const std::string Bytes = FileBytes(Dir / u"whole.png");
        WriteBytes(Dir / u"cut.png", Bytes.substr(0, Bytes.size() - 30));
    }
    struct {
        const char16_t* Name;
        TImageLoadResult Result;
        Int64 W, H;
    } const Cases[] = {
        {u"missing.png", ilrMissing, 0, 0},
        {u"garbage.png", ilrUnsupported, 0, 0},
        {u"cut.png", ilrDamaged, 30, 20},
        {u"huge.png", ilrTooLarge, 100000, 100000},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(UTF8Encode(C.Name));
        bool HasAlpha;
        Integer BitDepth;
        TImageLoadStatus Status;
        EXPECT_TRUE(LoadImageToBitmap32(Dir / C.Name, HasAlpha, BitDepth, &Status)->Empty());
        EXPECT_EQ(BitDepth, -1);
        EXPECT_EQ(Status.Result, C.Result);
        EXPECT_EQ(Status.Width, C.W);
        EXPECT_EQ(Status.Height, C.H);
        Status = TImageLoadStatus{ilrLoaded, -1, -1};
        EXPECT_TRUE(LoadImageToBitmap(Dir / C.Name, &Status)->Empty());
        EXPECT_EQ(Status.Result, C.Result);
        for (bool FullLoad : {true, false}) {
            TBitmap32 Thumb;
            Integer W = -1, H = -1;
            Status = TImageLoadStatus{ilrLoaded, -1, -1};
            EXPECT_FALSE(LoadThumbnailFile(Dir / C.Name, &Thumb, 16, 16, FullLoad, W, H, &Status));
            EXPECT_EQ(W, 0);  // nothing decoded; the claimed size is in the status
            EXPECT_EQ(Status.Result, C.Result);
            EXPECT_EQ(Status.Width, C.W);
        }
    }
}

TEST(HyFileUtils_Image, PlatformBitmapIsOpaqueOverWhite)
{
    // Straight alpha (afDefined) over colours already composited over white:
    // the only consistent alpha is 255, so an alpha-aware paste target shows
    // what the gallery shows.
    TTempFolder Dir;
    auto Src = NewBitmap32(3, 1, 0xFF336699);
    Src->SetPixel(1, 0, 0x80FF0000);  // half-transparent red
    Src->SetPixel(2, 0, 0x00000000);  // fully transparent
    SaveBitmap32ToFile(Src.get(), Dir / u"a.png", ifPng, -1);
    std::unique_ptr<TBitmap> B = LoadImageToBitmap(Dir / u"a.png");
    ASSERT_EQ(B->Width(), 3);
    EXPECT_EQ(B->AlphaFormat(), afDefined);
    const auto* Row = static_cast<const uint32_t*>(B->ScanLine(0));
    EXPECT_EQ(Row[0], 0xFF336699u);
    EXPECT_EQ(Row[1], 0xFFFF7F7Fu);  // 255 * 128 + 255 * 127, and 255 * 127, over 255
    EXPECT_EQ(Row[2], 0xFFFFFFFFu);
}

// ---------------------------------------------------------------------------
// Thumbnails

TEST(HyFileUtils_Image, FitBitmapShrinksOnlyWhatIsLarger)
{
    auto Src = Gradient(400, 200);
    TBitmap32 Dst;
    EXPECT_TRUE(FitBitmap32(Src.get(), &Dst, 100, 100));
    EXPECT_EQ(Dst.Width(), 100);
    EXPECT_EQ(Dst.Height(), 50);
    auto Small = Gradient(50, 40);
    EXPECT_TRUE(FitBitmap32(Small.get(), &Dst, 100, 100));
    EXPECT_TRUE(Dst.SameContent(Small.get()));
}

TEST(HyFileUtils_Image, ThumbnailsOnBothPaths)
{
    TTempFolder Dir;
    auto Src = NewBitmap32(400, 300, 0xFF2050A0);
    SaveBitmap32ToFile(Src.get(), Dir / u"big.png", ifPng, 0);
    for (bool FullLoad : {true, false}) {
        SCOPED_TRACE(FullLoad ? "full" : "quick");
        TBitmap32 Thumb;
        Integer W = 0, H = 0;
        EXPECT_TRUE(LoadThumbnailFile(Dir / u"big.png", &Thumb, 160, 120, FullLoad, W, H));
        EXPECT_EQ(W, 400);
        EXPECT_EQ(H, 300);
        EXPECT_EQ(Thumb.Width(), 160);
        EXPECT_EQ(Thumb.Height(), 120);
        TColor32 C = Thumb.Pixel(80, 60);
        EXPECT_NEAR(int((C >> 16) & 0xFF), 0x20, 2);
        EXPECT_NEAR(int((C >> 8) & 0xFF), 0x50, 2);
        EXPECT_NEAR(int(C & 0xFF), 0xA0, 2);
    }
}

TEST(HyFileUtils_Image, JpegThumbnailDecodedSmallMatchesTheWholeDecode)
{
    // A large JPEG's thumbnail comes from a reduced decode: the same size and
    // nearly the same pixels as shrinking the whole picture.
    TTempFolder Dir;
    {
        TBitmap B(800, 600);
        B.SetPixelFormat(pf24bit);
        B.Canvas()->Brush()->SetColor(0x20A040);
        B.Canvas()->FillRect(Rect(0, 0, 800, 600));
        B.Canvas()->Brush()->SetColor(0xF0F0F0);
        B.Canvas()->FillRect(Rect(0, 0, 400, 300));
        TJPEGImage J;
        J.Assign(&B);
        J.SaveToFile(Dir / u"large.jpg");
    }
    for (Integer Box : {60, 150, 399}) {
        SCOPED_TRACE(Box);
        TBitmap32 Thumb;
        Integer W = 0, H = 0;
        ASSERT_TRUE(LoadThumbnailFile(Dir / u"large.jpg", &Thumb, Box, Box, true, W, H));
        EXPECT_EQ(W, 800);
        EXPECT_EQ(H, 600);
        bool HasAlpha;
        Integer BitDepth;
        auto Whole = LoadImageToBitmap32(Dir / u"large.jpg", HasAlpha, BitDepth);
        TBitmap32 Expected;
        FitBitmap32(Whole.get(), &Expected, Box, Box);
        ASSERT_EQ(Thumb.Width(), Expected.Width());
        ASSERT_EQ(Thumb.Height(), Expected.Height());
        for (auto [X, Y] : {std::pair{Box / 8, Box / 8}, std::pair{Box - Box / 8, Box / 2}}) {
            TColor32 A = Thumb.Pixel(X, Y), B = Expected.Pixel(X, Y);
            for (Integer Shift : {0, 8, 16, 24}) EXPECT_NEAR(int((A >> Shift) & 0xFF), int((B >> Shift) & 0xFF), 6);
        }
    }
}

TEST(HyFileUtils_Image, ThumbnailOfAMissingFile)
{
    TTempFolder Dir;
    for (bool FullLoad : {true, false}) {
        SCOPED_TRACE(FullLoad ? "full" : "quick");
        TBitmap32 Thumb;
        Integer W = -1, H = -1;
        EXPECT_FALSE(LoadThumbnailFile(Dir / u"gone.jpg", &Thumb, 120, 90, FullLoad, W, H));
        EXPECT_EQ(W, 0);
        EXPECT_EQ(H, 0);
        ASSERT_EQ(Thumb.Width(), 120);
        ASSERT_EQ(Thumb.Height(), 90);
        Integer Grey = 0, Other = 0;
        for (Integer I = 0; I < 120 * 90; ++I) {
            TColor32 P = Thumb.Bits()[I];
            Byte R = (P >> 16) & 0xFF, G = (P >> 8) & 0xFF, B = P & 0xFF;
            if (P == 0xFFFFFFFF) continue;
            if (R == G && G == B && R < 0xFF && (I / 120) >= 20) ++Grey;
            else ++Other;
        }
        EXPECT_EQ(Other, 0);
        if (FullLoad) {
            EXPECT_GT(Grey, 20);  // the name, in grey, from y = 22 down
        } else {
            EXPECT_EQ(Grey, 0);  // a plain white box
        }
    }
}

// ---------------------------------------------------------------------------
// Writers

TEST(HyFileUtils_Image, PngWithAndWithoutAlpha)
{
    TTempFolder Dir;
    auto B = NewBitmap32(3, 2, 0xFF102030);
    B->SetPixel(1, 0, 0x00123456);  // fully transparent, with a colour
    B->SetPixel(2, 1, 0x80654321);
    SaveBitmap32ToFile(B.get(), Dir / u"flat.png", ifPng, 0);
    SaveBitmap32ToFile(B.get(), Dir / u"alpha.png", ifPng, -1);
    EXPECT_EQ(FileBytes(Dir / u"flat.png")[25], char(COLOR_RGB));  // the colour type of IHDR
    EXPECT_EQ(FileBytes(Dir / u"alpha.png")[25], char(COLOR_RGBALPHA));

    TPngImage Flat, Alpha;
    Flat.LoadFromFile(Dir / u"flat.png");
    Alpha.LoadFromFile(Dir / u"alpha.png");
    EXPECT_EQ(Flat.ColorType(), COLOR_RGB);
    ASSERT_EQ(Alpha.ColorType(), COLOR_RGBALPHA);
    EXPECT_EQ(Alpha.AlphaScanline(0)[1], 0);
    EXPECT_EQ(Alpha.AlphaScanline(1)[2], 0x80);
    EXPECT_EQ(Alpha.AlphaScanline(1)[0], 0xFF);
    const uint8_t* Row = Alpha.Scanline(0);
    EXPECT_EQ(Row[3], 0x56);  // blue, green, red of the transparent pixel unchanged
    EXPECT_EQ(Row[4], 0x34);
    EXPECT_EQ(Row[5], 0x12);
    EXPECT_EQ(Flat.Scanline(0)[4], 0x34);
}

// Large enough for the writer to compress the rows in several slices and
// join them; every pixel comes back through GDI+ and through libpng.
TEST(HyFileUtils_Image, PngFromTheWriterDecodesToTheSamePixelsElsewhere)
{
    TTempFolder Dir;
    constexpr Integer W = 1200, H = 700;
    auto B = NewBitmap32(W, H, 0);
    uint32_t Seed = 12345;
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X) {
            Seed = Seed * 1664525u + 1013904223u;
            const TColor32 Noise = Seed >> 8, Smooth = TColor32(X * 255 / W) << 16 | TColor32(Y * 255 / H) << 8 | 0x40;
            const TColor32 A = (X / 50 + Y / 50) % 3 == 0 ? 0xFF : (X ^ Y) & 0xFF;
            B->SetPixel(X, Y, A << 24 | ((Y / 20) % 2 ? Noise & 0xFFFFFF : Smooth));
        }
    for (Integer Param : {0, -1}) {
        SCOPED_TRACE(Param);
        const bool WithAlpha = Param == -1;
        const String Name = Dir / (WithAlpha ? u"alpha.png" : u"flat.png");
        SaveBitmap32ToFile(B.get(), Name, ifPng, Param);
        bool HasAlpha = false;
        Integer Depth = 0;
        auto Gdiplus = GPBitmapToBitmap32(TGPBitmap::FromFile(Name), HasAlpha, Depth);
        TPngImage Png;
        Png.LoadFromFile(Name);
        ASSERT_EQ(W, Gdiplus->Width());
        ASSERT_EQ(H, Gdiplus->Height());
        ASSERT_EQ(W, Png.Width());
        Integer Wrong = 0;
        for (Integer Y = 0; Y < H; ++Y) {
            const uint8_t* Rgb = Png.Scanline(Y);
            const uint8_t* Alpha = Png.AlphaScanline(Y);
            for (Integer X = 0; X < W; ++X) {
                const TColor32 Want = WithAlpha ? B->Pixel(X, Y) : B->Pixel(X, Y) | 0xFF000000u;
                const TColor32 FromPng = TColor32(Alpha ? Alpha[X] : 0xFF) << 24 | TColor32(Rgb[3 * X + 2]) << 16 |
                                         TColor32(Rgb[3 * X + 1]) << 8 | Rgb[3 * X];
                // GDI+ need not keep the colour of a fully transparent pixel.
                const TColor32 FromGdiplus = Gdiplus->Pixel(X, Y);
                const bool GdiplusRight = FromGdiplus == Want || (Want >> 24 == 0 && FromGdiplus >> 24 == 0);
                Wrong += (FromPng != Want) + !GdiplusRight;
            }
        }
        EXPECT_EQ(0, Wrong);
    }
}

TEST(HyFileUtils_Image, JpegAtQualitySteps)
{
    TTempFolder Dir;
    auto B = Gradient(64, 48);
    SaveBitmap32ToFile(B.get(), Dir / u"q8.jpg", ifJpg, 8);
    SaveBitmap32ToFile(B.get(), Dir / u"q3.jpg", ifJpg, 3);

    // Param 8 is quality 80: the same bytes as the JPEG class at 80.
    TBitmap Rgb(64, 48);
    Rgb.SetPixelFormat(pf24bit);
    for (Integer Y = 0; Y < 48; ++Y)
        for (Integer X = 0; X < 64; ++X) {
            uint8_t* P = static_cast<uint8_t*>(Rgb.ScanLine(Y)) + 3 * X;
            TColor32 C = B->Pixel(X, Y);
            P[0] = C & 0xFF, P[1] = (C >> 8) & 0xFF, P[2] = (C >> 16) & 0xFF;
        }
    TJPEGImage J;
    J.Assign(&Rgb);
    J.SetCompressionQuality(80);
    TMemoryStream Expected;
    J.SaveToStream(&Expected);
    std::string Q8 = FileBytes(Dir / u"q8.jpg");
    ASSERT_EQ(Q8.size(), static_cast<size_t>(Expected.Size()));
    EXPECT_EQ(std::memcmp(Q8.data(), Expected.Memory(), Q8.size()), 0);
    EXPECT_LT(FileBytes(Dir / u"q3.jpg").size(), Q8.size());

    bool HasAlpha;
    Integer BitDepth;
    EXPECT_EQ(LoadImageToBitmap32(Dir / u"q8.jpg", HasAlpha, BitDepth)->Width(), 64);
}

TEST(HyFileUtils_Image, BmpAtEveryDepth)
{
    TTempFolder Dir;
    auto B = Gradient(9, 5);
    struct {
        Integer Param;
        uint16_t BitCount;
        uint32_t Compression;
    } const Cases[] = {{1, 1, 0}, {4, 4, 0}, {8, 8, 0}, {16, 16, 3}, {24, 24, 0}, {32, 32, 0}, {0, 32, 0}, {15, 32, 0}};
    for (const auto& C : Cases) {
        String Name = Dir / (u"d" + IntToStr(C.Param) + u".bmp");
        SaveBitmap32ToFile(B.get(), Name, ifBmp, C.Param);
        std::string S = FileBytes(Name);
        ASSERT_GE(S.size(), 54u) << C.Param;
        EXPECT_EQ(S.substr(0, 2), "BM");
        uint16_t BitCount;
        uint32_t Compression;
        int32_t Width, Height;
        std::memcpy(&Width, S.data() + 18, 4);
        std::memcpy(&Height, S.data() + 22, 4);
        std::memcpy(&BitCount, S.data() + 28, 2);
        std::memcpy(&Compression, S.data() + 30, 4);
        EXPECT_EQ(Width, 9) << C.Param;
        EXPECT_EQ(std::abs(Height), 5) << C.Param;
        EXPECT_EQ(BitCount, C.BitCount) << C.Param;
        EXPECT_EQ(Compression, C.Compression) << C.Param;
        bool HasAlpha;
        Integer BitDepth;
        EXPECT_EQ(LoadImageToBitmap32(Name, HasAlpha, BitDepth)->Width(), 9) << C.Param;
    }
}

TEST(HyFileUtils_Image, GifTransparencyOnlyWhereThePictureHasIt)
{
    TTempFolder Dir;
    // Opaque: no graphic control extension at all.
    auto Opaque = Gradient(20, 10);
    SaveBitmap32ToFile(Opaque.get(), Dir / u"opaque.gif", ifGif, 0);
    TGIFImage G;
    G.LoadFromFile(Dir / u"opaque.gif");
    ASSERT_EQ(G.Images().size(), 1u);
    EXPECT_EQ(G.Images()[0]->GraphicControlExtension(), nullptr);
    EXPECT_FALSE(G.Transparent());
}

TEST(HyFileUtils_Image, GifWithAllIndexesInUseKeepsOpaquePixelsOpaque)
{
    // 512 distinct opaque colours fill all 256 palette indexes; one pixel of
    // alpha 31 (below the threshold 32) must not take any opaque pixel along.
    auto B = NewBitmap32(32, 17, 0);
    for (Integer I = 0; I < 32 * 16; ++I)
        B->Bits()[I] = 0xFF000000u | TColor32((I * 37) % 256) << 16 | TColor32((I * 11) % 256) << 8 | TColor32(I % 256);
    for (Integer X = 0; X < 32; ++X) B->SetPixel(X, 16, X == 3 ? 0x1F000000u : 0x20FFFFFFu);  // alpha 31, then 32
    std::unique_ptr<TGIFImage> Gif = MakeGifImage(B.get(), 32, 0xFFFFFF);
    ASSERT_EQ(Gif->Images().size(), 1u);
    TGIFFrame* F = Gif->Images()[0].get();
    TGIFGraphicControlExtension* Control = F->GraphicControlExtension();
    ASSERT_NE(Control, nullptr);
    EXPECT_TRUE(Control->Transparent());
    const Byte Index = Control->TransparentColorIndex();
    EXPECT_EQ(Index, 255);  // reduced to 255 colours, the last index left free
    Integer Transparent = 0;
    for (Integer I = 0; I < 32 * 17; ++I)
        if (F->Data()[I] == Index) ++Transparent;
    EXPECT_EQ(Transparent, 1);
    EXPECT_EQ(F->Data()[16 * 32 + 3], Index);
    EXPECT_EQ(F->ActiveColorMap()->Colors(Index), 0xFFFFFF);
}

TEST(HyFileUtils_Image, FailedWritesLeaveTheOldFile)
{
    TTempFolder Dir;
    const String Name = Dir / u"keep.jpg";
    WriteBytes(Name, "the old picture");
    TBitmap32 Empty;
    EXPECT_ANY_THROW(SaveBitmap32ToFile(&Empty, Name, ifJpg, 8));  // nothing to compress
    EXPECT_ANY_THROW(SaveBitmap32ToFile(&Empty, Name, ifPng, 0));
    EXPECT_ANY_THROW(SaveBitmap32ToFile(&Empty, Name, ifGif, 0));
    EXPECT_EQ(FileBytes(Name), "the old picture");

    // A target that cannot be replaced: another program holds it open without
    // letting it go. (Read-only attributes and folders would do on Windows,
    // but not under Wine run as root, where they restrict nothing.)
    auto B = Gradient(8, 8);
    HANDLE Holder = CreateFileW(WStr(Name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(Holder, INVALID_HANDLE_VALUE);
    for (TImageFormat F : {ifBmp, ifPng, ifJpg, ifGif}) EXPECT_ANY_THROW(SaveBitmap32ToFile(B.get(), Name, F, 8));
    CloseHandle(Holder);
    EXPECT_EQ(FileBytes(Name), "the old picture");
    TSearchRec R;
    EXPECT_NE(FindFirst(Dir / u"~*", faAnyFile, R), 0);  // no temporary file left behind
    FindClose(R);

    // A folder that does not exist.
    EXPECT_ANY_THROW(SaveBitmap32ToFile(B.get(), Dir / u"no such folder\\x.png", ifPng, 0));
    // Other kinds write nothing.
    SaveBitmap32ToFile(B.get(), Dir / u"x.tif", ifTiff, 0);
    EXPECT_FALSE(FileExists(Dir / u"x.tif"));
}

// ---------------------------------------------------------------------------
// JPEG size measurement

TEST(HyFileUtils_Image, MeasuredJpegSizeIsTheFileSize)
{
    TTempFolder Dir;
    auto B = Gradient(120, 80);
    TBitmap Rgb(120, 80);
    Rgb.SetPixelFormat(pf24bit);
    for (Integer Y = 0; Y < 80; ++Y)
        for (Integer X = 0; X < 120; ++X) {
            uint8_t* P = static_cast<uint8_t*>(Rgb.ScanLine(Y)) + 3 * X;
            TColor32 C = B->Pixel(X, Y);
            P[0] = C & 0xFF, P[1] = (C >> 8) & 0xFF, P[2] = (C >> 16) & 0xFF;
        }
    auto Measure = [&](Integer Quality) -> Int64 {
        IStream* S = nullptr;
        EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &S), S_OK);
        EXPECT_TRUE(EncodeBitmapToStream(&Rgb, Quality, S));
        STATSTG Stat{};
        S->Stat(&Stat, STATFLAG_NONAME);
        S->Release();
        return static_cast<Int64>(Stat.cbSize.QuadPart);
    };
    for (Integer Step : {1, 5, 8, 10}) {
        String Name = Dir / (u"q" + IntToStr(Step) + u".jpg");
        SaveBitmap32ToFile(B.get(), Name, ifJpg, Step);
        EXPECT_EQ(Measure(Step * 10), static_cast<Int64>(FileBytes(Name).size())) << Step;
    }
    EXPECT_LT(Measure(10), Measure(100));  // the quality counts

    // Failures are answered with false.
    IStream* ReadOnly = nullptr;
    WriteBytes(Dir / u"ro.bin", "x");
    ASSERT_EQ(SHCreateStreamOnFileW(WStr(Dir / u"ro.bin"), STGM_READ, &ReadOnly), S_OK);
    EXPECT_FALSE(EncodeBitmapToStream(&Rgb, 80, ReadOnly));
    ReadOnly->Release();
    TBitmap Empty;
    IStream* S = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &S);
    EXPECT_FALSE(EncodeBitmapToStream(&Empty, 80, S));
    EXPECT_FALSE(EncodeBitmapToStream(nullptr, 80, S));
    S->Release();
}
