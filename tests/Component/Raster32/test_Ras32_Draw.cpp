// Drawing primitives of the bitmap (spans, frames, bevels, pens) and its
// sub-pixel plots and reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Resamplers.h"

namespace {

constexpr TColor32 Black = 0xFF000000, White = 0xFFFFFFFF, Red = 0xFFFF0000;

// The bitmap as text, one character per pixel: '.' for Black, '#' for Value,
// '?' for anything else; rows separated by '|'.
std::string Picture(const TCustomBitmap32& B, TColor32 Value = White)
{
    std::string S;
    for (Integer Y = 0; Y < B.Height(); ++Y) {
        if (Y) S += '|';
        for (Integer X = 0; X < B.Width(); ++X) {
            TColor32 P = B.Pixel(X, Y);
            S += P == Black ? '.' : (P == Value ? '#' : '?');
        }
    }
    return S;
}

struct TReports {
    std::vector<TRect> Areas;
    std::vector<Cardinal> Infos;
    void Attach(TCustomBitmap32& B)
    {
        B.OnAreaChanged = [this](TObject*, const TRect& A, Cardinal I) {
            Areas.push_back(A);
            Infos.push_back(I);
        };
    }
};

}  // namespace

// ---------------------------------------------------------------------------
// Spans

TEST(Ras32_Draw, Spans)
{
    struct TCase {
        const char* Name;
        void (*Draw)(TCustomBitmap32&);
        const char* Want;
    } Cases[] = {
        {"HorzLine", [](TCustomBitmap32& B) { B.HorzLine(2, 1, 5, White); }, "........|..####..|........"},
        // A second end more than one before the first would be a negative count.
        {"HorzLine backwards", [](TCustomBitmap32& B) { B.HorzLine(5, 1, 2, White); }, "........|........|........"},
        {"HorzLine empty", [](TCustomBitmap32& B) { B.HorzLine(3, 1, 2, White); }, "........|........|........"},
        {"HorzLineS orders its ends", [](TCustomBitmap32& B) { B.HorzLineS(10, 1, 2, White); }, "........|..######|........"},
        {"HorzLineS above", [](TCustomBitmap32& B) { B.HorzLineS(0, -1, 7, White); }, "........|........|........"},
        {"HorzLineT backwards", [](TCustomBitmap32& B) { B.HorzLineT(5, 1, 2, White); }, "........|........|........"},
        {"HorzLineTS", [](TCustomBitmap32& B) { B.HorzLineTS(-3, 2, 1, White); }, "........|........|##......"},
        {"VertLine", [](TCustomBitmap32& B) { B.VertLine(3, 0, 1, White); }, "...#....|...#....|........"},
        {"VertLine backwards", [](TCustomBitmap32& B) { B.VertLine(3, 2, 0, White); }, "........|........|........"},
        {"VertLineS orders its ends", [](TCustomBitmap32& B) { B.VertLineS(7, 9, 1, White); }, "........|.......#|.......#"},
        {"VertLineTS", [](TCustomBitmap32& B) { B.VertLineTS(0, -5, 0, White); }, "#.......|........|........"},
    };
    for (const auto& C : Cases) {
        TCustomBitmap32 B;
        B.SetSize(8, 3);
        C.Draw(B);
        EXPECT_EQ(Picture(B), C.Want) << C.Name;
    }
}

TEST(Ras32_Draw, SpanReportsAndClip)
{
    TCustomBitmap32 B;
    B.SetSize(8, 4);
    B.SetClipRect(TRect{1, 1, 6, 3});
    TReports R;
    R.Attach(B);
    B.HorzLineS(-4, 1, 9, White);  // clipped to 1..5
    B.VertLineS(0, 0, 3, White);   // left of the clip: nothing, no report
    B.VertLineTS(5, 3, -1, White);
    EXPECT_EQ(Picture(B), "........|.#####..|.....#..|........");
    ASSERT_EQ(R.Areas.size(), 2u);
    EXPECT_EQ(R.Areas[0], (TRect{1, 1, 5, 2}));
    EXPECT_EQ(R.Areas[1], (TRect{5, 1, 6, 2}));
    EXPECT_EQ(R.Infos[0], AreaInfoRect);
    // Measuring: the unclipped span is reported, nothing drawn.
    B.Clear(Black);
    R = TReports{};
    B.BeginMeasuring([&](TObject*, const TRect& A, Cardinal) { R.Areas.push_back(A); });
    B.HorzLineS(-4, 1, 9, White);
    B.EndMeasuring();
    EXPECT_EQ(R.Areas, (std::vector<TRect>{TRect{-4, 1, 9, 2}}));
    EXPECT_EQ(Picture(B), "........|........|........|........");
}

TEST(Ras32_Draw, CombinedSpansBlend)
{
    TCustomBitmap32 B;
    B.SetSize(4, 1);
    B.HorzLineT(0, 0, 3, 0x80FFFFFF);
    for (Integer X = 0; X < 4; ++X) EXPECT_EQ(B.Pixel(X, 0), BlendPixel(0x80FFFFFF, Black));
    B.SetCombineMode(cmMerge);
    B.Clear(0);
    B.VertLineT(1, 0, 0, 0x80FF0000);
    EXPECT_EQ(B.Pixel(1, 0), MergePixel(0x80FF0000, 0));
}

// ---------------------------------------------------------------------------
// Frames, bevels, pens

TEST(Ras32_Draw, FrameRectS)
{
    struct TCase {
        TRect R;
        const char* Want;
    } Cases[] = {
        {{1, 1, 5, 4}, "......|.####.|.#..#.|.####.|......"},
        {{1, 1, 5, 2}, "......|.####.|......|......|......"},   // one row
        {{2, 0, 3, 4}, "..#...|..#...|..#...|..#...|......"},   // one column
        {{4, 3, 9, 9}, "......|......|......|....##|....#."},   // cut by the bitmap
        {{3, 3, 3, 5}, "......|......|......|......|......"},   // empty
        {{-5, -5, -1, -1}, "......|......|......|......|......"},
    };
    for (const auto& C : Cases) {
        TCustomBitmap32 B;
        B.SetSize(6, 5);
        B.FrameRectS(C.R, White);
        EXPECT_EQ(Picture(B), C.Want) << C.R.Left << "," << C.R.Top << "," << C.R.Right << "," << C.R.Bottom;
    }
}

TEST(Ras32_Draw, RaiseRectTS)
{
    TCustomBitmap32 B;
    B.SetSize(5, 5);
    B.Clear(0xFF808080);
    // Contrast 50: white at alpha 256 clamped to 255 (stored whole) for the
    // light sides, black at alpha 127 for the dark ones.
    B.RaiseRectTS(0, 0, 5, 5, 50);
    TColor32 Dark = BlendPixel(0x7F000000, 0xFF808080);
    EXPECT_EQ(B.Pixel(2, 0), White);
    EXPECT_EQ(B.Pixel(0, 2), White);
    EXPECT_EQ(B.Pixel(2, 4), Dark);
    EXPECT_EQ(B.Pixel(4, 2), Dark);
    EXPECT_EQ(B.Pixel(2, 2), 0xFF808080u);
    // A negative contrast swaps the colours: sunken.
    B.Clear(0xFF808080);
    B.RaiseRectTS(TRect{0, 0, 5, 5}, -50);
    EXPECT_EQ(B.Pixel(2, 0), Dark);
    EXPECT_EQ(B.Pixel(4, 2), White);
    // Contrast 0 draws nothing.
    B.Clear(0xFF808080);
    B.RaiseRectTS(0, 0, 5, 5, 0);
    for (Integer i = 0; i < 25; ++i) EXPECT_EQ(B.Bits()[i], 0xFF808080u);
}

TEST(Ras32_Draw, RaiseRectTSStaysInsideFlatRectangles)
{
    // One or two rows have no side between top and bottom; the sides must not
    // reach the rows above or below.
    for (Integer Rows : {1, 2}) {
        TCustomBitmap32 B;
        B.SetSize(4, 5);
        B.Clear(0xFF808080);
        B.RaiseRectTS(0, 2, 4, 2 + Rows, 100);
        for (Integer X = 0; X < 4; ++X) {
            EXPECT_EQ(B.Pixel(X, 1), 0xFF808080u) << Rows;
            EXPECT_EQ(B.Pixel(X, 2 + Rows), 0xFF808080u) << Rows;
            EXPECT_NE(B.Pixel(X, 1 + Rows), 0xFF808080u) << Rows;
        }
    }
}

TEST(Ras32_Draw, PenLinesLeaveOutTheEndPoint)
{
    TCustomBitmap32 B;
    B.SetSize(6, 3);
    B.SetPenColor(Red);
    B.MoveTo(0, 0);
    B.LineToS(3, 0);
    B.LineToS(3, 2);
    B.LineToTS(0, 2);
    EXPECT_EQ(Picture(B, Red), "####..|...#..|.###..");
    EXPECT_EQ(B.RasterX, 0);
    EXPECT_EQ(B.RasterY, 2);
    B.MoveToF(1.5f, 0.25f);
    EXPECT_EQ(B.RasterXF, 0x18000);
    EXPECT_EQ(B.RasterYF, 0x4000);
}

// ---------------------------------------------------------------------------
// Sub-pixel plots

TEST(Ras32_Draw, BlendSubpixelAtAWholePixel)
{
    // The gamma weights at fraction 0 are 255 and 0: the pixel itself takes
    // (255 * 255 * 255) shr 16 = 253 of an opaque colour, the other three nothing.
    TCustomBitmap32 B;
    B.SetSize(3, 3);
    B.BlendSubpixel(1 << 8, 1 << 8, White);
    EXPECT_EQ(B.Pixel(1, 1), CombinePixel(White, Black, 253));
    EXPECT_EQ(B.Pixel(2, 1), Black);
    EXPECT_EQ(B.Pixel(1, 2), Black);
    EXPECT_EQ(B.Pixel(2, 2), Black);
    // Merging weighs by (255 * 255) shr 8 = 254 whatever the alpha.
    B.SetCombineMode(cmMerge);
    B.Clear(0);
    B.BlendSubpixel(1 << 8, 1 << 8, 0x80FF0000);
    EXPECT_EQ(B.Pixel(1, 1), CombinePixel(MergePixel(0x80FF0000, 0), 0, 254));
}

TEST(Ras32_Draw, BlendSubpixelSpreadsOverFourPixels)
{
    TCustomBitmap32 B;
    B.SetSize(2, 2);
    B.Clear(0);
    B.BlendSubpixel(0x40, 0xC0, White);  // a quarter right, three quarters down
    Cardinal L = GammaCurve[255 - 0x40], R = GammaCurve[0x40], T = GammaCurve[255 - 0xC0], D = GammaCurve[0xC0];
    EXPECT_EQ(B.Pixel(0, 0), CombinePixel(White, 0, (255 * L * T) >> 16));
    EXPECT_EQ(B.Pixel(1, 0), CombinePixel(White, 0, (255 * R * T) >> 16));
    EXPECT_EQ(B.Pixel(1, 1), CombinePixel(White, 0, (255 * R * D) >> 16));
    EXPECT_EQ(B.Pixel(0, 1), CombinePixel(White, 0, (255 * L * D) >> 16));
}

TEST(Ras32_Draw, BlendSubpixelClippedWritesOnlyInside)
{
    TCustomBitmap32 B;
    B.SetSize(6, 6);
    B.SetClipRect(TRect{1, 1, 4, 4});
    // On the last column of the clip: only the left column of the four.
    B.BlendSubpixelClipped(3 * 256 + 0x80, 1 * 256 + 0x80, White);
    EXPECT_NE(B.Pixel(3, 1), Black);
    EXPECT_NE(B.Pixel(3, 2), Black);
    EXPECT_EQ(B.Pixel(4, 1), Black);
    EXPECT_EQ(B.Pixel(4, 2), Black);
    // Above and left of the clip: only the bottom right one.
    B.Clear(Black);
    B.BlendSubpixelClipped(0x80, 0x80, White);
    Integer Changed = 0;
    for (Integer i = 0; i < 36; ++i) Changed += B.Bits()[i] != Black;
    EXPECT_EQ(Changed, 1);
    EXPECT_NE(B.Pixel(1, 1), Black);
    // Wholly outside: nothing.
    B.Clear(Black);
    B.BlendSubpixelClipped(-0x100, 2 << 8, White);
    B.BlendSubpixelClipped(4 << 8, 2 << 8, White);
    B.BlendSubpixelClipped(2 << 8, 4 << 8, White);
    for (Integer i = 0; i < 36; ++i) EXPECT_EQ(B.Bits()[i], Black);
}

// ---------------------------------------------------------------------------
// Sub-pixel reads

TEST(Ras32_Draw, SampleSubpixelMixesFourPixelsByGamma)
{
    TCustomBitmap32 B;
    B.SetSize(3, 3);
    for (Integer i = 0; i < 9; ++i) B.Bits()[i] = 0x10203040u * (i + 1);
    // 24.8 position (0.25, 1.75): columns 0 and 1, rows 1 and 2.
    EXPECT_EQ(B.SampleSubpixel(0x40, 0x1C0),
              InterpolatePair(GammaCurve[255 - 0x40], GammaCurve[255 - 0xC0], B.GetPixelPtr(0, 1), B.GetPixelPtr(0, 2)));
    // 16.16 positions are rounded to 24.8 first.
    EXPECT_EQ(B.GetPixelFixed(0x4000 - 100, 0x1C000 - 127), B.SampleSubpixel(0x40, 0x1C0));
}

TEST(Ras32_Draw, SampleSubpixelClippedAtTheEdges)
{
    TCustomBitmap32 B;
    B.SetSize(5, 4);
    for (Integer i = 0; i < 20; ++i) B.Bits()[i] = 0xFF000000u | static_cast<TColor32>(i * 0x0A0B0C);
    B.SetClipRect(TRect{1, 1, 4, 3});
    B.SetOuterColor(0x12345678);
    struct TCase {
        Integer X, Y;
        TColor32 Want;
    } Cases[] = {
        {3 * 256, 1 * 256 + 0x80, B.Pixel(3, 1)},  // on the last column: that pixel, no mixing
        {3 * 256 + 1, 1 * 256, 0x12345678},         // one step further: outside
        {2 * 256, 2 * 256, B.Pixel(2, 2)},          // on the last row
        {3 * 256, 2 * 256, B.Pixel(3, 2)},          // the last corner
        {1 * 256 - 1, 2 * 256, 0x12345678},         // left of the clip
        {2 * 256, 1 * 256 - 1, 0x12345678},         // above it
        {2 * 256 + 0x10, 2 * 256 + 1, 0x12345678},  // below the last row
        {1 * 256 + 0x80, 1 * 256 + 0x80, B.SampleSubpixel(1 * 256 + 0x80, 1 * 256 + 0x80)},
    };
    for (const auto& C : Cases) EXPECT_EQ(B.SampleSubpixelClipped(C.X, C.Y), C.Want) << C.X << "," << C.Y;
    EXPECT_EQ(B.GetPixelFixedClipped((3 << 16) + 0x7F00, 1 << 16), 0x12345678u);
    EXPECT_EQ(B.GetPixelFixedClipped(3 << 16, 1 << 16), B.Pixel(3, 1));
}

TEST(Ras32_Draw, GetPixelFixedWrapped)
{
    TCustomBitmap32 B;
    B.SetSize(4, 2);
    for (Integer i = 0; i < 8; ++i) B.Bits()[i] = 0xFF000000u | static_cast<TColor32>(i * 0x202020);
    B.SetWrapMode(wmRepeat);
    // Half a pixel left of 0: the last column and the first, half each.
    TColor32 Top = CombinePixel(B.Pixel(0, 0), B.Pixel(3, 0), 0x80);
    TColor32 Bottom = CombinePixel(B.Pixel(0, 1), B.Pixel(3, 1), 0x80);
    EXPECT_EQ(B.GetPixelFixedWrapped(-0x8000, 0), CombinePixel(Bottom, Top, 0));
    // Whole positions read the pixel itself.
    EXPECT_EQ(B.GetPixelFixedWrapped(2 << 16, 1 << 16), B.Pixel(2, 1));
    B.SetClipRect(TRect{});
    B.SetOuterColor(0xABCDEF01);
    EXPECT_EQ(B.GetPixelFixedWrapped(1 << 16, 0), 0xABCDEF01u);
}
