#include "framework/graphics/win/GifImg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// A 24-bit picture with far more than 256 colours.
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
            row[3 * x + 2] = static_cast<uint8_t>(128 + 100 * std::sin((x + 2 * y) / 11.0));
        }
    }
    return b;
}

void SaveLoad(TGIFImage& From, TGIFImage& To, TMemoryStream& Ms)
{
    From.SaveToStream(&Ms);
    Ms.WriteBuffer("tail", 4);
    Ms.SetPosition(0);
    To.LoadFromStream(&Ms);
    EXPECT_EQ(Ms.Position(), Ms.Size() - 4);  // up to the trailer only
}

}  // namespace

TEST(GifImg, PhotoIsReducedTo256ColoursAndLooksRight)
{
    auto photo = Photo(120, 80);
    TGIFImage gif;
    EXPECT_EQ(gif.ColorReduction(), rmQuantize);
    EXPECT_EQ(gif.DitherMode(), dmFloydSteinberg);
    gif.Assign(photo.get());
    ASSERT_EQ(gif.Images().size(), 1u);
    EXPECT_LE(gif.GlobalColorMap()->Count(), 256);

    TMemoryStream ms;
    TGIFImage back;
    SaveLoad(gif, back, ms);
    const uint8_t* b = static_cast<const uint8_t*>(ms.Memory());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b), 6), "GIF87a");  // no extension needed
    TBitmap shown;
    shown.Assign(&back);
    ASSERT_EQ(shown.Width(), 120);
    shown.SetPixelFormat(pf24bit);
    // Dithering scatters single pixels; over 4 x 4 blocks the colour must be close.
    double sum = 0;
    int blocks = 0;
    std::set<uint32_t> colours;
    for (int by = 0; by < 80; by += 4)
        for (int bx = 0; bx < 120; bx += 4, ++blocks)
            for (int k = 0; k < 3; ++k) {
                int a = 0, c = 0;
                for (int y = by; y < by + 4; ++y)
                    for (int x = bx; x < bx + 4; ++x) {
                        const uint8_t* p = static_cast<uint8_t*>(photo->ScanLine(y)) + 3 * x;
                        const uint8_t* q = static_cast<uint8_t*>(shown.ScanLine(y)) + 3 * x;
                        a += p[k];
                        c += q[k];
                        colours.insert(q[0] | q[1] << 8 | q[2] << 16);
                    }
                sum += std::abs(a - c) / 16.0;
            }
    EXPECT_LT(sum / (3.0 * blocks), 4.0);
    EXPECT_LE(colours.size(), 256u);
}

TEST(GifImg, FewColoursStayExact)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(5, 3);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 5, 3));
    b.Canvas()->SetPixels(2, 1, clBlue);
    b.Canvas()->SetPixels(4, 2, clWhite);
    TGIFImage gif;
    gif.Assign(&b);
    EXPECT_EQ(gif.GlobalColorMap()->Count(), 3);
    TMemoryStream ms;
    TGIFImage back;
    SaveLoad(gif, back, ms);
    EXPECT_EQ(back.GlobalColorMap()->Count(), 4);  // padded to a power of two
    TBitmap c;
    c.Assign(&back);
    EXPECT_EQ(c.Canvas()->Pixels(2, 1), clBlue);
    EXPECT_EQ(c.Canvas()->Pixels(4, 2), clWhite);
    EXPECT_EQ(c.Canvas()->Pixels(0, 0), clRed);
}

TEST(GifImg, TransparentIndexAndExtensionRoundTrip)
{
    auto photo = Photo(16, 8);
    TGIFImage gif;
    gif.Assign(photo.get());
    TGIFFrame* f = gif.Images()[0].get();
    // Mark the first row transparent with an index of its own, the way the image writer does.
    Byte idx = 255;
    for (int x = 0; x < 16; ++x) f->Data()[x] = idx;
    f->FreeBitmap();
    auto gce = std::make_unique<TGIFGraphicControlExtension>();
    gce->SetTransparentColorIndex(idx);
    gce->SetTransparent(true);
    gce->SetDelay(7);
    f->AddExtension(std::move(gce));
    f->ActiveColorMap()->SetColors(idx, clWhite);
    EXPECT_TRUE(gif.Transparent());

    TMemoryStream ms;
    TGIFImage back;
    SaveLoad(gif, back, ms);
    EXPECT_EQ(std::string(static_cast<const char*>(ms.Memory()), 6), "GIF89a");
    TGIFGraphicControlExtension* g = back.Images()[0]->GraphicControlExtension();
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g->Transparent());
    EXPECT_EQ(g->TransparentColorIndex(), idx);
    EXPECT_EQ(g->Delay(), 7);
    EXPECT_EQ(back.Images()[0]->ActiveColorMap()->Colors(idx), clWhite);

    TBitmap b;
    b.Assign(&back);
    EXPECT_EQ(b.AlphaFormat(), afDefined);
    EXPECT_EQ(static_cast<uint32_t*>(b.ScanLine(0))[3] >> 24, 0u);
    EXPECT_EQ(static_cast<uint32_t*>(b.ScanLine(1))[3] >> 24, 255u);
}

TEST(GifImg, DamagedDataAndMisuseRaise)
{
    TGIFImage gif;
    EXPECT_THROW(gif.SaveToStream(nullptr), EGIFError);
    auto photo = Photo(8, 8);
    gif.Assign(photo.get());
    TMemoryStream ms;
    gif.SaveToStream(&ms);
    TMemoryStream cut;
    cut.WriteBuffer(ms.Memory(), static_cast<Integer>(ms.Size() / 2));
    cut.SetPosition(0);
    TGIFImage back;
    EXPECT_THROW(back.LoadFromStream(&cut), EInvalidGraphic);
    TMemoryStream junk;
    junk.WriteBuffer("\x89PNG not a gif", 14);
    junk.SetPosition(0);
    EXPECT_THROW(back.LoadFromStream(&junk), EInvalidGraphic);
    EXPECT_THROW(gif.SetWidth(3), EInvalidGraphicOperation);
}

TEST(GifImg, CopyIsIndependent)
{
    auto photo = Photo(8, 4);
    TGIFImage a;
    a.Assign(photo.get());
    TGIFImage b;
    b.Assign(&a);
    a.Images()[0]->Data()[0] = static_cast<uint8_t>(b.Images()[0]->Data()[0] + 1);
    EXPECT_NE(a.Images()[0]->Data()[0], b.Images()[0]->Data()[0]);
    EXPECT_EQ(b.Images()[0]->Image(), &b);
}
