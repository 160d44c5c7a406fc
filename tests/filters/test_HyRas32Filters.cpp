#include <gtest/gtest.h>

#include "FilterTestUtils.h"
#include "filters/HyRas32Filters.h"

// ---------------------------------------------------------------------------
// Colour and tone filters

TEST(ColourFilters, ColorsSimilar)
{
    struct Case {
        TColor32 A, B;
        Integer Tolerance;
        bool Expected;
    };
    const Case Cases[] = {
        {0xFF646464, 0xFF6C6C6C, 10, true},
        {0xFF646E64, 0xFF6E6464, 10, false},  // dR - dG is 20
        {0xFF646464, 0x80646464, 0, false},   // alpha counts at tolerance 0
        {0xFF646464, 0x80646464, 1, true},    // and is ignored otherwise
        {0xFF000000, 0xFF000000, 0, true},
    };
    for (const Case& C : Cases) EXPECT_EQ(ColorsSimilar(C.A, C.B, C.Tolerance), C.Expected) << std::hex << C.A << " " << C.B;
}

TEST(ColourFilters, ReduceRedEye)
{
    auto B = MakeBitmap(3, 1, std::vector<TColor32>{0x80FF0000, 0xFF808080, 0xFFC83232});
    ReduceRedEye(B.get());
    EXPECT_EQ(B->Bits()[0], 0x80000000u);  // pure red becomes black, alpha kept
    EXPECT_EQ(B->Bits()[1], 0xFF808080u);  // grey is not red
    EXPECT_NE(B->Bits()[2], 0xFFC83232u);
    EXPECT_LT(RedOf(B->Bits()[2]), 0xC8);
}

TEST(ColourFilters, BrightnessUsesEvenRounding)
{
    // Percent 30: b = round(76.5) = 76; 0 -> 76, 255 stays, transparent skipped.
    auto B = MakeBitmap(3, 1, std::vector<TColor32>{0xFF000000, 0xFFFFFFFF, 0x00000000});
    AdjustBrightness(B.get(), 30);
    EXPECT_EQ(B->Bits()[0], 0xFF4C4C4Cu);
    EXPECT_EQ(B->Bits()[1], 0xFFFFFFFFu);
    EXPECT_EQ(B->Bits()[2], 0x00000000u);
    // Negative: c + (b * c) div 255 with truncation toward zero: 100 + (-76 * 100) div 255 = 71.
    B = MakeBitmap(1, 1, 0xFF646464);
    AdjustBrightness(B.get(), -30);
    EXPECT_EQ(B->Bits()[0], 0xFF474747u);
    // Beyond the range the channels stay bytes.
    B = MakeBitmap(1, 1, 0xFF101010);
    AdjustBrightness(B.get(), 500);
    EXPECT_EQ(B->Bits()[0], 0xFFFFFFFFu);
}

TEST(ColourFilters, Contrast)
{
    auto B = MakeBitmap(2, 1, std::vector<TColor32>{0xFF00807F, 0x00FFFFFF});
    AdjustContrast(B.get(), 255);
    EXPECT_EQ(B->Bits()[0], 0xFF00817Fu);
    EXPECT_EQ(B->Bits()[1], 0x00FFFFFFu);
    AdjustContrast(B.get(), -255);  // toward 127
    EXPECT_EQ(B->Bits()[0], 0xFF7F7F7Fu);
    EXPECT_EQ(B->Bits()[1], 0x007F7F7Fu);
}

TEST(ColourFilters, SaturationAndMapPercent)
{
    EXPECT_EQ(MapPercent(0, 0, 510), 255);
    EXPECT_EQ(MapPercent(-100, 0, 510), 0);
    EXPECT_EQ(MapPercent(100, 0, 510), 510);
    EXPECT_EQ(MapPercent(0x100 + 100, 0, 510), 510);  // only the low byte counts
    EXPECT_EQ(MapRange(50, 0, 0, 0, 10), 0);
    EXPECT_EQ(MapRange(500, 0, 100, 0, 10), 10);
    EXPECT_EQ(MapRange(-5, 0, 100, 0, 10), 0);
    EXPECT_EQ(MapRange(5, 0, 20, 0, 10), 2);  // 2.5 rounds to even

    // S = 255 at Percent 0: a colour loses a trace of saturation.
    auto B = MakeBitmap(2, 1, std::vector<TColor32>{0x80FF0000, 0xFF808080});
    AdjustSaturation(B.get(), 0);
    // y = 85, base = 85 - 84 = 1: red 1 + 254 = 255, green and blue 1.
    EXPECT_EQ(B->Bits()[0], 0x80FF0101u);
    AdjustSaturation(B.get(), -100);  // grey
    EXPECT_EQ(B->Bits()[0], 0x80555555u);
}

TEST(ColourFilters, HueSaturationLeavesGreyAlone)
{
    const Integer Degrees[] = {0, 90, -400, 720};
    const Integer Amounts[] = {0, 100, 255, 300, 100000, -255, -100000};
    for (Integer D : Degrees)
        for (Integer A : Amounts) {
            auto B = MakeBitmap(2, 1, std::vector<TColor32>{0xFF7F7F7F, 0x11000000});
            AdjustHueSaturation(B.get(), D, A);
            EXPECT_EQ(B->Bits()[0], 0xFF7F7F7Fu);
            EXPECT_EQ(B->Bits()[1], 0x11000000u);
        }
    // Amount -255 takes every channel to the lightness; a hue turn of 120
    // moves red's maximum to green.
    Byte R = 200, G = 50, Bl = 50;
    AdjustPixelHueSaturation(R, G, Bl, 0, -255);
    EXPECT_EQ(R, 125);
    EXPECT_EQ(G, 125);
    R = 200, G = 50, Bl = 50;
    AdjustPixelHueSaturation(R, G, Bl, 120, 0);
    EXPECT_EQ(G, 200);
    EXPECT_EQ(std::min(R, Bl), 50);
}

TEST(ColourFilters, NoiseFillTintAndSolid)
{
    auto B = RandomBitmap(8, 8, 3);
    const auto Before = PixelsOf(B.get());
    AddNoise(B.get(), 0, false);
    EXPECT_EQ(PixelsOf(B.get()), Before);
    AddNoise(B.get(), 40, true);
    for (size_t I = 0; I < Before.size(); ++I) {
        EXPECT_EQ(B->Bits()[I] >> 24, Before[I] >> 24);
        if ((Before[I] >> 24) == 0) EXPECT_EQ(B->Bits()[I], Before[I]);
    }

    FillColorKeepAlpha(B.get(), 0x00123456);
    for (size_t I = 0; I < Before.size(); ++I) EXPECT_EQ(B->Bits()[I], (Before[I] & 0xFF000000) | 0x123456);

    auto Dst = MakeBitmap(8, 8);
    SolidColorWithAlpha(Dst.get(), B.get(), 0xFFABCDEF);
    for (size_t I = 0; I < Before.size(); ++I) EXPECT_EQ(Dst->Bits()[I], (Before[I] & 0xFF000000) | 0xABCDEF);

    // Tint 0 percent changes nothing; 100 percent soft-lights the colour in.
    auto T = MakeBitmap(2, 1, std::vector<TColor32>{0xFF808080, 0x00808080});
    TintBitmap(T.get(), 0xFFFF0000, 0);
    EXPECT_EQ(T->Bits()[0], 0xFF808080u);
    TintBitmap(T.get(), 0xFFFF0000, 100);
    EXPECT_GT(RedOf(T->Bits()[0]), 0x80);
    EXPECT_LT(GreenOf(T->Bits()[0]), 0x80);
    EXPECT_EQ(T->Bits()[1], 0x00808080u);  // its own alpha 0 carries no tint
}

// ---------------------------------------------------------------------------
// Region and edge effects

TEST(EdgeEffects, FadeEdgesAlphaThumbnailPreset)
{
    auto B = MakeBitmap(100, 50, 0xFF000000);
    FadeEdgesAlpha(B.get(), 45, sideRight);
    EXPECT_EQ(AlphaOf(B->Pixel(99, 10)), 6);
    EXPECT_EQ(AlphaOf(B->Pixel(55, 10)), 249);
    EXPECT_EQ(AlphaOf(B->Pixel(54, 10)), 255);
    EXPECT_EQ(AlphaOf(B->Pixel(0, 0)), 255);
}

TEST(EdgeEffects, FadeBorderAlpha)
{
    // N = round(0.1 * 15 * 0.95) = 1: nothing changes, not even the inversion.
    auto B = MakeBitmap(30, 40, 0xFF000000);
    FadeBorderAlpha(B.get(), 10, 100);
    EXPECT_EQ(PixelsOf(B.get()), PixelsOf(MakeBitmap(30, 40, 0xFF000000).get()));
    // A wide band: alpha A at the edge, 0 inside.
    B = MakeBitmap(40, 40, 0xFF000000);
    FadeBorderAlpha(B.get(), 50, 100);  // A = 128, N = round(9.5) = 10 (even)
    EXPECT_EQ(AlphaOf(B->Pixel(20, 20)), 0);
    EXPECT_GT(AlphaOf(B->Pixel(0, 20)), 100);
    EXPECT_GT(AlphaOf(B->Pixel(0, 20)), AlphaOf(B->Pixel(5, 20)));
    // Sizes above 100 percent keep the band inside the bitmap.
    B = MakeBitmap(6, 3, 0xFF000000);
    FadeBorderAlpha(B.get(), 1000, 100);
}

TEST(EdgeEffects, LightenEdgesBevel)
{
    auto B = MakeBitmap(20, 20, 0xFF808080);
    LightenEdges(B.get(), 5, sideLeft | sideTop | sideRight | sideBottom);
    EXPECT_EQ(B->Pixel(0, 10), 0xFFFFFFFFu);  // 128 + 155
    EXPECT_EQ(B->Pixel(19, 10), 0xFF000000u);  // 128 - 155
    EXPECT_EQ(B->Pixel(10, 10), 0xFF808080u);
    // The second band: 155 - round(31 * 1) = 124.
    EXPECT_EQ(B->Pixel(1, 10), 0xFFFCFCFCu);
}

TEST(EdgeEffects, RadialAndCircularFades)
{
    auto B = MakeBitmap(11, 11, 0xFFFFFFFF);
    AlphaRadialFade(B.get(), 100);
    EXPECT_LE(AlphaOf(B->Pixel(5, 5)), 60);
    EXPECT_EQ(AlphaOf(B->Pixel(0, 0)), 255);  // pixel (0, 0) is the corner point itself
    AlphaRadialFade(B.get(), 0);  // the ramp ends at 0: all transparent
    for (TColor32 C : PixelsOf(B.get())) EXPECT_EQ(C >> 24, 0u);

    B = MakeBitmap(10, 10, 0xFFFFFFFF);
    FadeAlphaInCircle(B.get(), TRect{0, 0, 10, 10}, 255);
    EXPECT_EQ(AlphaOf(B->Pixel(0, 0)), 0);  // outside the circle
    EXPECT_GT(AlphaOf(B->Pixel(5, 5)), 200);
    // Offsets: the bitmap stands at (max(Left, 0), max(Top, 0)).
    auto Cut = MakeBitmap(5, 5, 0xFFFFFFFF);
    FadeAlphaInCircle(Cut.get(), TRect{-5, -5, 5, 5}, 255);
    EXPECT_EQ(AlphaOf(Cut->Pixel(0, 0)), 255);  // the centre (0, 0)
    EXPECT_EQ(AlphaOf(Cut->Pixel(4, 4)), 0);  // point (4, 4) lies 5.66 from (0, 0)
    // A circle of width 0 holds nothing.
    B = MakeBitmap(3, 3, 0xFFFFFFFF);
    FadeAlphaInCircle(B.get(), TRect{1, 1, 1, 5}, 255);
    for (TColor32 C : PixelsOf(B.get())) EXPECT_EQ(C, 0x00FFFFFFu);
}

TEST(EdgeEffects, PixelateAveragesCutCells)
{
    auto B = MakeBitmap(101, 1, 0xFF000000);
    B->Bits()[100] = 0xFF102030;
    B->Bits()[0] = 0xFF0A0A0A;
    PixelateBitmap(B.get(), 10, true, 0);
    EXPECT_EQ(B->Bits()[100], 0xFF102030u);  // the last column is a cell of its own
    EXPECT_EQ(B->Bits()[5], 0xFF010101u);    // 10 div 10
    // Without UseWhite a partly transparent pixel is first merged over Color.
    auto M = MakeBitmap(2, 1, std::vector<TColor32>{0x80FFFFFF, 0x00000000});
    PixelateBitmap(M.get(), 2, false, 0xFF000000);
    EXPECT_EQ(M->Bits()[0] >> 24, 0xFFu);
    EXPECT_EQ(M->Bits()[1] & 0x00FFFFFF, M->Bits()[0] & 0x00FFFFFF);
    EXPECT_EQ(M->Bits()[1] >> 24, 0u);
    PixelateBitmap(M.get(), 0, false, 0);  // no cells
    PixelateBitmap(M.get(), -3, false, 0);
}

TEST(EdgeEffects, JaggedEdges)
{
    auto B = MakeBitmap(60, 40, 0xFF000000);
    RandomJaggedEdges(B.get(), 10, sideLeft | sideRight | sideTop | sideBottom, false, 1234);
    Integer Cleared = 0;
    for (Integer Y = 0; Y < 40; ++Y)
        for (Integer X = 0; X < 60; ++X) {
            const TColor32 C = B->Pixel(X, Y);
            if (C == 0x00FFFFFF) ++Cleared;
            if (X >= 10 && X < 50 && Y >= 10 && Y < 30) EXPECT_EQ(C, 0xFF000000u);
        }
    EXPECT_GT(Cleared, 0);
    // The same seed gives the same edges; depths too small for a step do nothing.
    auto Again = MakeBitmap(60, 40, 0xFF000000);
    RandomJaggedEdges(Again.get(), 10, sideLeft | sideRight | sideTop | sideBottom, false, 1234);
    EXPECT_EQ(PixelsOf(Again.get()), PixelsOf(B.get()));
    for (Integer Depth : {0, 1, 3}) {
        auto Small = MakeBitmap(8, 8, 0xFF000000);
        RandomJaggedEdges(Small.get(), Depth, 15, false);
        EXPECT_EQ(PixelsOf(Small.get()), PixelsOf(MakeBitmap(8, 8, 0xFF000000).get()));
    }
    // A depth beyond the bitmap uses its whole side, and terminates.
    auto Deep = MakeBitmap(5, 300, 0xFF000000);
    RandomJaggedEdges(Deep.get(), 1000, sideLeft, true, 5);
}

TEST(EdgeEffects, AlphaMasks)
{
    auto Dst = MakeBitmap(4, 4, 0x80FFFFFF);
    auto Src = MakeBitmap(4, 4, 0x40000000);
    MultiplyAlphaInRect(Dst.get(), Src.get(), TRect{-10, -10, 2, 100});  // clipped to both bitmaps
    EXPECT_EQ(Dst->Pixel(1, 3), 0x20FFFFFFu);  // round(64 * 128 / 255) = 32
    EXPECT_EQ(Dst->Pixel(2, 3), 0x80FFFFFFu);
    CopyAlphaInRect(Dst.get(), Src.get(), TRect{2, 0, 4, 1});
    EXPECT_EQ(Dst->Pixel(3, 0), 0x40FFFFFFu);
    EXPECT_EQ(Dst->Pixel(3, 1), 0x80FFFFFFu);

    auto Big = MakeBitmap(2, 1, std::vector<TColor32>{0x00FFFFFF, 0x11FFFFFF});
    auto White = MakeBitmap(1, 1, 0x00FFFFFF);
    SetAlphaFromIntensity(Big.get(), White.get(), false);  // alpha 0 stays 0
    EXPECT_EQ(Big->Bits()[0], 0x00FFFFFFu);
    SetAlphaFromIntensity(Big.get(), White.get(), true);
    EXPECT_EQ(Big->Bits()[0], 0xFFFFFFFFu);
    EXPECT_EQ(Big->Bits()[1], 0x11FFFFFFu);  // only Src's pixel count
    SetAlphaFromIntensity(White.get(), Big.get(), true);  // Dst smaller: no overrun
}

class HueSaturationVariants : public VariantTest {};

TEST_F(HueSaturationVariants, BitmapMatchesThePixelRoutine)
{
    std::vector<TColor32> Pixels;
    for (Integer R = 0; R < 256; R += 9)
        for (Integer G = 0; G < 256; G += 7)
            for (Integer B = 0; B < 256; B += 5) Pixels.push_back(Color32FromRGBA(R, G, B, 255));
    const Integer Degrees[] = {0, 45, -90, -359, 359, 725, -2147483647};
    const Integer Amounts[] = {0, 100, 255, 400, -128, -1000, 2147483647, -2147483647};
    std::mt19937 Rng(9);
    for (Integer I = 0; I < 3000; ++I) Pixels.push_back(Rng());
    for (const TVariantSet& Set : RunnableVariantSets()) {
    BindForCpuFeatures(Set.Features);
    SCOPED_TRACE(Set.Name);
    for (Integer D : Degrees)
        for (Integer A : Amounts) {
            auto B = MakeBitmap(static_cast<Integer>(Pixels.size()), 1, Pixels);
            AdjustHueSaturation(B.get(), D, A);
            for (size_t I = 0; I < Pixels.size(); ++I) {
                Byte R = RedOf(Pixels[I]), G = GreenOf(Pixels[I]), Bl = BlueOf(Pixels[I]);
                AdjustPixelHueSaturation(R, G, Bl, D, A);
                ASSERT_EQ(B->Bits()[I], (Pixels[I] & 0xFF000000) | (Color32FromRGBA(R, G, Bl, 0)))
                    << std::hex << Pixels[I] << std::dec << " " << D << " " << A;
            }
        }
    }
}
