#include "framework/graphics/win/PngImage.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// 3 x 2, palette with a transparency chunk: entry 0 transparent green, 1 red,
// 2 half-transparent blue; rows 0 1 2 / 2 1 0.
const uint8_t PaletteTrns[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x03, 0x00, 0x00, 0x00, 0xAA, 0xAA, 0x96, 0x28, 0x00, 0x00, 0x00,
    0x09, 0x50, 0x4C, 0x54, 0x45, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x6C, 0xEE, 0xAB, 0x67,
    0x00, 0x00, 0x00, 0x03, 0x74, 0x52, 0x4E, 0x53, 0x00, 0xFF, 0x80, 0x84, 0xEA, 0xBA, 0x8C, 0x00, 0x00, 0x00,
    0x10, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x60, 0x60, 0x64, 0x62, 0x60, 0x62, 0x64, 0x00, 0x00, 0x00,
    0x20, 0x00, 0x07, 0x1D, 0x2B, 0x70, 0xA0, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60,
    0x82};
// 2 x 1 grey with 16-bit samples: black, white.
const uint8_t Gray16[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
                          0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x10, 0x00, 0x00, 0x00,
                          0x00, 0x81, 0xD9, 0xFC, 0x15, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78,
                          0x9C, 0x63, 0x60, 0x60, 0xF8, 0xFF, 0x1F, 0x00, 0x03, 0x02, 0x01, 0xFF, 0xE6, 0x77,
                          0x0B, 0xAE, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

void Load(TPngImage& Png, const uint8_t* Data, size_t Size)
{
    TMemoryStream ms;
    ms.WriteBuffer(Data, static_cast<Integer>(Size));
    ms.SetPosition(0);
    Png.LoadFromStream(&ms);
}

// A picture whose samples all differ: row y, pixel x, channel k = (x * 7 + y * 13 + k * 71) mod 256.
void Fill(TPngImage& Png)
{
    for (Integer y = 0; y < Png.Height(); ++y) {
        uint8_t* rgb = Png.Scanline(y);
        uint8_t* a = Png.AlphaScanline(y);
        for (Integer x = 0; x < Png.Width(); ++x) {
            for (int k = 0; k < 3; ++k) rgb[3 * x + k] = static_cast<uint8_t>(x * 7 + y * 13 + k * 71);
            if (a) a[x] = static_cast<uint8_t>(x * 5 + y);
        }
    }
}

}  // namespace

TEST(PngImage, CreateBlankOnlyFor8BitRgbAndRgba)
{
    auto rgb = TPngImage::CreateBlank(COLOR_RGB, 8, 4, 3);
    EXPECT_EQ(rgb->Width(), 4);
    EXPECT_EQ(rgb->ColorType(), COLOR_RGB);
    EXPECT_EQ(rgb->AlphaScanline(0), nullptr);
    EXPECT_EQ(rgb->Scanline(2)[11], 0);
    auto rgba = TPngImage::CreateBlank(COLOR_RGBALPHA, 8, 4, 3);
    EXPECT_NE(rgba->AlphaScanline(2), nullptr);
    EXPECT_TRUE(rgba->Transparent());
    EXPECT_THROW(TPngImage::CreateBlank(COLOR_PALETTE, 8, 1, 1), EPNGError);
    EXPECT_THROW(TPngImage::CreateBlank(COLOR_RGB, 16, 1, 1), EPNGError);
    EXPECT_THROW(TPngImage::CreateBlank(COLOR_RGB, 8, 0, 1), EPNGError);
    EXPECT_THROW(rgb->Scanline(3), EInvalidGraphic);
}

TEST(PngImage, RoundTripsAreExact)
{
    for (Cardinal type : {Cardinal(COLOR_RGB), Cardinal(COLOR_RGBALPHA)}) {
        SCOPED_TRACE(type);
        auto png = TPngImage::CreateBlank(type, 8, 37, 11);
        Fill(*png);
        if (type == COLOR_RGBALPHA) png->AlphaScanline(0)[0] = 0;  // fully transparent, colour kept
        TMemoryStream ms;
        png->SaveToStream(&ms);
        const uint8_t* b = static_cast<const uint8_t*>(ms.Memory());
        EXPECT_EQ(b[24], 8);     // bit depth
        EXPECT_EQ(b[25], type);  // colour type
        ms.WriteBuffer("tail", 4);
        ms.SetPosition(0);
        TPngImage back;
        back.LoadFromStream(&ms);
        EXPECT_EQ(ms.Position(), ms.Size() - 4);  // up to IEND only
        EXPECT_EQ(back.ColorType(), type);
        ASSERT_EQ(back.Width(), 37);
        for (Integer y = 0; y < 11; ++y) {
            EXPECT_EQ(std::memcmp(back.Scanline(y), png->Scanline(y), 37 * 3), 0) << "row " << y;
            if (type == COLOR_RGBALPHA) {
                EXPECT_EQ(std::memcmp(back.AlphaScanline(y), png->AlphaScanline(y), 37), 0);
            }
        }
        EXPECT_EQ(back.Scanline(0)[0], png->Scanline(0)[0]);
    }
}

TEST(PngImage, OtherKindsBecome8BitColour)
{
    TPngImage p;
    Load(p, PaletteTrns, sizeof PaletteTrns);
    EXPECT_EQ(p.ColorType(), COLOR_RGBALPHA);
    ASSERT_EQ(p.Width(), 3);
    const uint8_t* rgb = p.Scanline(0);
    EXPECT_EQ(rgb[1], 255);  // green (blue, green, red order)
    EXPECT_EQ(rgb[5], 255);  // red
    EXPECT_EQ(rgb[6], 255);  // blue
    EXPECT_EQ(p.AlphaScanline(0)[0], 0);
    EXPECT_EQ(p.AlphaScanline(0)[1], 255);
    EXPECT_EQ(p.AlphaScanline(1)[0], 128);

    TPngImage g;
    Load(g, Gray16, sizeof Gray16);
    EXPECT_EQ(g.ColorType(), COLOR_RGB);
    EXPECT_EQ(g.Scanline(0)[0], 0);
    EXPECT_EQ(g.Scanline(0)[3], 255);
    EXPECT_EQ(g.Scanline(0)[5], 255);
}

TEST(PngImage, DamagedDataRaises)
{
    TPngImage p;
    std::vector<uint8_t> cut(PaletteTrns, PaletteTrns + sizeof PaletteTrns - 20);
    EXPECT_THROW(Load(p, cut.data(), cut.size()), EInvalidGraphic);
    std::vector<uint8_t> bad(PaletteTrns, PaletteTrns + sizeof PaletteTrns);
    bad[80] ^= 0xFF;  // inside the compressed data: the checksum fails
    EXPECT_THROW(Load(p, bad.data(), bad.size()), EPNGError);
    const uint8_t notPng[] = "GIF89a this is not a PNG";
    EXPECT_THROW(Load(p, notPng, sizeof notPng), EPNGError);
    EXPECT_THROW(TPngImage().SaveToStream(nullptr), EPNGError);
}

TEST(PngImage, BitmapsBothWays)
{
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(2, 1);
    static_cast<uint32_t*>(b.ScanLine(0))[0] = 0x00FF0000;  // transparent red
    static_cast<uint32_t*>(b.ScanLine(0))[1] = 0x8000FF00;
    b.SetAlphaFormat(afDefined);
    TPngImage p;
    p.Assign(&b);
    EXPECT_EQ(p.ColorType(), COLOR_RGBALPHA);
    EXPECT_EQ(p.Scanline(0)[2], 255);
    EXPECT_EQ(p.AlphaScanline(0)[0], 0);
    EXPECT_EQ(p.AlphaScanline(0)[1], 0x80);

    TBitmap c;
    c.Assign(&p);
    EXPECT_EQ(c.PixelFormat(), pf32bit);
    EXPECT_EQ(c.AlphaFormat(), afDefined);
    EXPECT_EQ(static_cast<uint32_t*>(c.ScanLine(0))[1], 0x8000FF00u);

    b.SetAlphaFormat(afIgnored);  // no alpha: colour type 2
    p.Assign(&b);
    EXPECT_EQ(p.ColorType(), COLOR_RGB);
    c.Assign(&p);
    EXPECT_EQ(c.PixelFormat(), pf24bit);
}

TEST(PngImage, PictureLoadsByExtension)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    String name = FromWStr(dir) + u"lm_png_test.png";
    auto png = TPngImage::CreateBlank(COLOR_RGB, 8, 5, 4);
    Fill(*png);
    png->SaveToFile(name);
    TPicture pic;
    pic.LoadFromFile(name);
    ASSERT_NE(dynamic_cast<TPngImage*>(pic.Graphic()), nullptr);
    EXPECT_EQ(pic.Width(), 5);
    DeleteFileW(WStr(name));
}
