// Frames and resizing of HyRas32Filters.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Component/Raster32/Ras32_Resamplers.h"
#include "filters/HyRas32Filters.h"

namespace {

std::unique_ptr<TCustomBitmap32> NewBitmap(Integer W, Integer H, TColor32 Fill)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    B->Clear(Fill);
    return B;
}

// Pixel (i, j) of a W x H tile: opaque, with i and j in the colour.
TColor32 TileCode(Integer I, Integer J) { return 0xFF000000 | static_cast<TColor32>(0x10000 + (J << 8) + I); }

std::unique_ptr<TCustomBitmap32> CodedTile(Integer W, Integer H)
{
    auto T = NewBitmap(W, H, 0);
    for (Integer j = 0; j < H; ++j)
        for (Integer i = 0; i < W; ++i) T->SetPixel(i, j, TileCode(i, j));
    return T;
}

std::vector<TColor32> PixelsOf(const TCustomBitmap32& B)
{
    return std::vector<TColor32>(B.Bits(), B.Bits() + B.Width() * B.Height());
}

}  // namespace

TEST(HyRas32Frames, ColorLightness)
{
    EXPECT_EQ(ColorLightness(0xFF204080), (0x80 + 0x20) >> 1);
    EXPECT_EQ(ColorLightness(0x00FFFFFF), 255);
    EXPECT_EQ(ColorLightness(0xFF000000), 0);
}

TEST(HyRas32Frames, ResizeThroughTheDraftResampler)
{
    auto Src = NewBitmap(8, 6, 0);
    for (Integer i = 0; i < 48; ++i) Src->Bits()[i] = 0xFF000000 | static_cast<TColor32>(i * 0x050301);
    Src->SetDrawMode(dmBlend);
    TCustomBitmap32 Dst;
    ResizeBitmap(Src.get(), &Dst, 4, 3);
    ASSERT_EQ(Dst.Width(), 4);
    ASSERT_EQ(Dst.Height(), 3);
    auto Expected = NewBitmap(4, 3, 0);
    ResampleDraft(Expected.get(), Expected->BoundsRect(), Expected->BoundsRect(), Src.get(), Src->BoundsRect(), dmOpaque,
                  nullptr);
    EXPECT_EQ(PixelsOf(Dst), PixelsOf(*Expected));
    EXPECT_EQ(Src->DrawMode(), dmBlend);
    EXPECT_EQ(Src->ResamplerClassName(), u"TNearestResampler");

    // In place, enlarging.
    ResizeBitmap(Src.get(), Src.get(), 16, 12);
    ASSERT_EQ(Src->Width(), 16);
    EXPECT_EQ(Src->Height(), 12);
    EXPECT_EQ(Src->Pixel(0, 0) & 0xFF000000, 0xFF000000u);
    EXPECT_NE(Src->Pixel(15, 11), Src->Pixel(0, 0));
}

TEST(HyRas32Frames, ShadedFrame)
{
    // A black top-left pixel gives a step of 0: nothing is drawn.
    auto B = NewBitmap(20, 20, 0xFF000000);
    DrawShadedFrame(B.get(), TRect{2, 2, 18, 18}, 0, 3);
    EXPECT_EQ(PixelsOf(*B), PixelsOf(*NewBitmap(20, 20, 0xFF000000)));

    // Grey: N lines from N - Inset outside Rect inward, each a step darker.
    B = NewBitmap(20, 20, 0xFF808080);
    DrawShadedFrame(B.get(), TRect{5, 5, 15, 15}, 1, 3);
    Byte H, S, L;
    Color32ToIntHSL(0xFF808080, H, S, L);
    Integer Step = ColorLightness(0xFF808080) / 6;
    for (Integer k = 0; k < 3; ++k) {
        TColor32 Line = IntHSLToColor32(H, S, L - Step * (k + 1));
        Integer Lo = 3 + k, Hi = 16 - k;  // Rect grown by N - Inset = 2
        EXPECT_EQ(B->Pixel(Lo, 10), Line) << k;
        EXPECT_EQ(B->Pixel(Hi, 10), Line) << k;
        EXPECT_EQ(B->Pixel(10, Lo), Line) << k;
        EXPECT_EQ(B->Pixel(10, Hi), Line) << k;
    }
    EXPECT_EQ(B->Pixel(2, 10), 0xFF808080u);
    EXPECT_EQ(B->Pixel(6, 10), 0xFF808080u);
    EXPECT_LT(ColorLightness(B->Pixel(3, 3)), 0x80);

    // N beyond half the smaller side draws only that many lines.
    B = NewBitmap(8, 30, 0xFFFFFFFF);
    DrawShadedFrame(B.get(), TRect{0, 0, 8, 30}, 4, 50);
    // Four lines (half of 8) on each side, darker toward the middle.
    for (Integer x = 1; x < 4; ++x) EXPECT_LT(ColorLightness(B->Pixel(x, 15)), ColorLightness(B->Pixel(x - 1, 15)));
    EXPECT_EQ(B->Pixel(3, 15), B->Pixel(4, 15));
    EXPECT_EQ(B->Pixel(0, 15), B->Pixel(7, 15));
    EXPECT_EQ(B->Pixel(3, 4), B->Pixel(3, 15));
    EXPECT_EQ(B->Pixel(3, 3), B->Pixel(3, 15));
    // A rectangle whose corner lies outside the bitmap has no shade to take.
    DrawShadedFrame(B.get(), TRect{-1, 0, 6, 30}, 0, 2);
}

TEST(HyRas32Frames, TiledFrameCoversTheRectangleWithinItsClip)
{
    auto Tile = CodedTile(3, 2);
    auto Dst = NewBitmap(20, 20, 0);
    Dst->SetClipRect(TRect{1, 1, 19, 19});
    DrawTiledFrame(Tile.get(), Dst.get(), TRect{2, 3, 12, 10}, false);
    EXPECT_EQ(Dst->ClipRect(), (TRect{1, 1, 19, 19}));  // restored
    for (Integer y = 0; y < 20; ++y)
        for (Integer x = 0; x < 20; ++x) {
            bool Inside = x >= 2 && x < 12 && y >= 3 && y < 10;
            EXPECT_EQ(Dst->Pixel(x, y), Inside ? TileCode((x - 2) % 3, (y - 3) % 2) : 0u) << x << "," << y;
        }
    // An empty tile draws nothing (and ends).
    TCustomBitmap32 Empty;
    DrawTiledFrame(&Empty, Dst.get(), TRect{0, 0, 20, 20}, false);
    DrawTiledFrame(&Empty, Dst.get(), TRect{0, 0, 20, 20}, true);
}

TEST(HyRas32Frames, MitredFrameTurnsAtEveryCorner)
{
    for (auto [W, H] : {std::pair{4, 4}, {5, 3}}) {
        auto Tile = CodedTile(W, H);
        std::vector<TColor32> Before = PixelsOf(*Tile);
        const Integer L = 2, T = 2, R = 2 + 4 * W, B = 2 + 3 * W + 1;
        auto Dst = NewBitmap(R + 2, B + 2, 0);
        DrawTiledFrame(Tile.get(), Dst.get(), TRect{L, T, R, B}, true);
        // The caller's tile is as it was.
        EXPECT_EQ(PixelsOf(*Tile), Before);
        EXPECT_EQ(Tile->Width(), W);
        // Each edge shows the tile turned a quarter further: its outer row
        // (j = 0) along the outside, read clockwise.
        Integer MidX = L + W + 1, MidY = T + W + 1;
        EXPECT_EQ(Dst->Pixel(MidX, T), TileCode((MidX - L) % W, 0));              // top
        EXPECT_EQ(Dst->Pixel(R - 1, MidY), TileCode((MidY - T) % W, 0));          // right
        EXPECT_EQ(Dst->Pixel(MidX, T + H - 1), TileCode((MidX - L) % W, H - 1)); // top, inner row
        EXPECT_NE(Dst->Pixel(L, MidY), 0u);                                        // left
        EXPECT_NE(Dst->Pixel(MidX, B - 1), 0u);                                    // bottom
        // Inside the frame nothing is drawn.
        EXPECT_EQ(Dst->Pixel(L + H, T + H), 0u);
        EXPECT_EQ(Dst->Pixel((L + R) / 2, (T + B) / 2), 0u);
        // Outside the rectangle nothing either.
        EXPECT_EQ(Dst->Pixel(L - 1, T), 0u);
        EXPECT_EQ(Dst->Pixel(R, B - 1), 0u);
        // The four corners are mitred: the outer corner pixel belongs to the
        // piece on the diagonal's own side, every pixel of the band is drawn.
        for (Integer d = 0; d < H; ++d) {
            EXPECT_NE(Dst->Pixel(L + d, T + d), 0u);
            EXPECT_NE(Dst->Pixel(R - 1 - d, T + d), 0u);
            EXPECT_NE(Dst->Pixel(L + d, B - 1 - d), 0u);
            EXPECT_NE(Dst->Pixel(R - 1 - d, B - 1 - d), 0u);
        }
        for (Integer x = L; x < R; ++x) {
            EXPECT_NE(Dst->Pixel(x, T), 0u);
            EXPECT_NE(Dst->Pixel(x, B - 1), 0u) << W << "x" << H << " at " << x;
        }
        for (Integer y = T; y < B; ++y) {
            EXPECT_NE(Dst->Pixel(L, y), 0u);
            EXPECT_NE(Dst->Pixel(R - 1, y), 0u) << W << "x" << H << " at " << y;
        }
    }
}
