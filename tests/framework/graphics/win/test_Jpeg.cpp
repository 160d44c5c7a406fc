#include "framework/graphics/win/Jpeg.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A smooth picture with some detail, as photographs are.
std::unique_ptr<TBitmap> Photo(int W, int H)
{
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf24bit);
    b->SetSize(W, H);
    for (int y = 0; y < H; ++y) {
        uint8_t* row = static_cast<uint8_t*>(b->ScanLine(y));
        for (int x = 0; x < W; ++x) {
            row[3 * x] = static_cast<uint8_t>(255 * x / (W - 1));
            row[3 * x + 1] = static_cast<uint8_t>(255 * y / (H - 1));
            row[3 * x + 2] = static_cast<uint8_t>(128 + 100 * std::sin(x / 5.0) * std::cos(y / 7.0));
        }
    }
    return b;
}

double MeanError(TBitmap& A, TBitmap& B)
{
    double sum = 0;
    for (int y = 0; y < A.Height(); ++y) {
        const uint8_t* a = static_cast<uint8_t*>(A.ScanLine(y));
        const uint8_t* b = static_cast<uint8_t*>(B.ScanLine(y));
        for (int i = 0; i < A.Width() * 3; ++i) sum += std::abs(a[i] - b[i]);
    }
    return sum / (A.Width() * A.Height() * 3.0);
}

}  // namespace

TEST(Jpeg, QualityChangesSizeAndKeepsThePicture)
{
    auto photo = Photo(96, 64);
    size_t sizes[2];
    double errors[2];
    int i = 0;
    for (Integer quality : {10, 100}) {
        TJPEGImage j;
        j.Assign(photo.get());
        j.SetCompressionQuality(quality);
        j.Compress();
        TMemoryStream ms;
        j.SaveToStream(&ms);
        sizes[i] = static_cast<size_t>(ms.Size());
        ms.SetPosition(0);
        TJPEGImage back;
        back.LoadFromStream(&ms);
        EXPECT_EQ(back.Width(), 96);
        EXPECT_EQ(back.Height(), 64);
        TBitmap b;
        b.Assign(&back);
        EXPECT_EQ(b.PixelFormat(), pf24bit);
        errors[i] = MeanError(*photo, b);
        ++i;
    }
    EXPECT_LT(sizes[0], sizes[1]);
    EXPECT_LT(errors[1], 2.0);
    EXPECT_LT(errors[0], 12.0);
    EXPECT_LT(errors[1], errors[0]);
}

TEST(Jpeg, QualityIsClampedAndSavingCompresses)
{
    TJPEGImage j;
    EXPECT_EQ(j.CompressionQuality(), 90);
    j.SetCompressionQuality(0);
    EXPECT_EQ(j.CompressionQuality(), 1);
    j.SetCompressionQuality(300);
    EXPECT_EQ(j.CompressionQuality(), 100);
    EXPECT_TRUE(j.Empty());
    EXPECT_THROW(j.Compress(), EJPEG);

    auto photo = Photo(16, 16);
    j.Assign(photo.get());
    EXPECT_FALSE(j.Empty());
    EXPECT_THROW(j.SetWidth(3), EInvalidGraphicOperation);
    TMemoryStream ms;
    j.SaveToStream(&ms);  // compressed on demand
    const uint8_t* b = static_cast<const uint8_t*>(ms.Memory());
    EXPECT_EQ(b[0], 0xFF);
    EXPECT_EQ(b[1], 0xD8);
}

TEST(Jpeg, DamagedDataRaises)
{
    const uint8_t junk[] = "this is not a JPEG file at all";
    TMemoryStream ms;
    ms.WriteBuffer(junk, sizeof junk);
    ms.SetPosition(0);
    TJPEGImage j;
    EXPECT_THROW(j.LoadFromStream(&ms), EJPEG);
    TMemoryStream empty;
    EXPECT_THROW(j.LoadFromStream(&empty), EInvalidGraphic);
}

TEST(Jpeg, PictureLoadsByExtension)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    String name = FromWStr(dir) + u"lm_jpeg_test.jpeg";
    auto photo = Photo(20, 10);
    TJPEGImage j;
    j.Assign(photo.get());
    j.SaveToFile(name);
    TPicture pic;
    pic.LoadFromFile(name);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(pic.Graphic()), nullptr);
    EXPECT_EQ(pic.Height(), 10);
    DeleteFileW(WStr(name));
}
