// Colour conversions, fixed and float values, rectangle helpers, gamma.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Component/Raster32/Ras32_Types.h"

TEST(Ras32_Types, PlatformColours)
{
    EXPECT_EQ(ColorToColor32(0x000000FF), 0xFFFF0000u);  // pure red in the platform order
    EXPECT_EQ(ColorToColor32(0x00123456), 0xFF563412u);
    EXPECT_EQ(Color32ToWinColor(0x80563412), 0x00123456);
    // A system colour (negative value) is looked up by its low byte and made opaque.
    TSysColorFunc Saved = SysColorFunc;
    SysColorFunc = [](Integer Index) -> Cardinal { return Index == 15 ? 0x00F0E0D0 : 0; };
    EXPECT_EQ(ColorToColor32(static_cast<Integer>(0xFF00000F)), 0xFFD0E0F0u);
    SysColorFunc = Saved;
    EXPECT_EQ(ColorToColor32(static_cast<Integer>(0xFF000005)) >> 24, 0xFFu);
}

TEST(Ras32_Types, ChannelPacking)
{
    EXPECT_EQ(Color32FromRGBA(256, 0, 0, 255), 0xFF000000u);  // cut to a byte, not clamped
    EXPECT_EQ(Color32FromRGBA(0x12, 0x34, 0x56, 0x78), 0x78123456u);
    EXPECT_EQ(GrayColor32(0x80, 0x40), 0x40808080u);
    EXPECT_EQ(GrayColor32(0x180), 0xFF808080u);
    EXPECT_EQ(AlphaOf(0x80123456), 0x80);
    EXPECT_EQ(IntensityOf(0xFFFFFFFF), 255);
    EXPECT_EQ(IntensityOf(0xFF00FF00), 173);
    EXPECT_EQ(IntensityOf(0xFF102030), (61 * 0x10 + 174 * 0x20 + 21 * 0x30) >> 8);
}

TEST(Ras32_Types, FloatHsl)
{
    EXPECT_EQ(HSLToColor32(0, 0, 0.5f), 0xFF808080u);  // 127.5 rounds to the even 128
    EXPECT_EQ(HSLToColor32(0, 1, 0.5f), 0xFFFF0000u);
    EXPECT_EQ(HSLToColor32(2.0f / 3, 1, 0.5f), 0xFF0000FFu);
    EXPECT_EQ(HSLToColor32(1.0f / 3, 1, 0.25f), 0xFF008000u);
    Single H, S, L;
    Color32ToHSL(0xFF0000FF, H, S, L);
    EXPECT_FLOAT_EQ(H, 2.0f / 3);
    EXPECT_FLOAT_EQ(S, 1);
    EXPECT_FLOAT_EQ(L, 0.5f);
    Color32ToHSL(0xFFFF00FF, H, S, L);  // magenta: the hue wraps below 0
    EXPECT_FLOAT_EQ(H, 5.0f / 6);
    Color32ToHSL(0x00808080, H, S, L);
    EXPECT_EQ(H, 0);
    EXPECT_EQ(S, 0);
    // Round trips through the float form.
    for (TColor32 C : {0xFF123456u, 0xFFFEDCBAu, 0xFF00FF80u, 0xFF7F7F00u}) {
        Color32ToHSL(C, H, S, L);
        EXPECT_EQ(HSLToColor32(H, S, L), C);
    }
}

TEST(Ras32_Types, IntegerHsl)
{
    Byte H, S, L;
    Color32ToIntHSL(0xFF0000FF, H, S, L);
    EXPECT_EQ(H, 170);
    EXPECT_EQ(S, 255);
    EXPECT_EQ(L, 127);
    // A negative hue: -2 + 510, cut to a byte.
    Color32ToIntHSL(0xFFFF000C, H, S, L);
    EXPECT_EQ(H, 252);
    Color32ToIntHSL(0xFF808080, H, S, L);
    EXPECT_EQ(H, 0);
    EXPECT_EQ(S, 0);
    EXPECT_EQ(L, 128);
    Color32ToIntHSL(0xFFC0FF80, H, S, L);  // light: Max + Min >= 256
    EXPECT_EQ(S, (0x7F * 255) / (510 - 0xFF - 0x80));

    EXPECT_EQ(IntHSLToColor32(100, 200, 0), 0xFF000000u);
    EXPECT_EQ(IntHSLToColor32(0, 255, 127), 0xFFFD0101u);  // V = 127 * 511 shr 8 = 253, M = 1
    EXPECT_EQ(IntHSLToColor32(170, 0, 200), 0xFFC8C8C8u);
    EXPECT_EQ(IntHSLToColor32(256, 255, 127), 0u);  // no sextant
    EXPECT_EQ(IntHSLToColor32(-1, 255, 127), 0u);
    // L = 128, S = 255: V = 255, M = 1; (R, G, B) by sextant.
    struct {
        Integer H;
        TColor32 Expected;
    } Hues[] = {{0, 0xFFFF0101}, {43, 0xFFFEFF01}, {128, 0xFF01FFFF}, {213, 0xFFFD01FF}, {255, 0xFFFF0107}};
    for (auto& h : Hues) EXPECT_EQ(IntHSLToColor32(h.H, 255, 128), h.Expected) << h.H;
}

TEST(Ras32_Types, FixedAndFloatPoints)
{
    EXPECT_EQ(FloatToFixed(1.5f), 0x18000);
    EXPECT_EQ(FloatToFixed(-0.5f), -0x8000);
    EXPECT_EQ(FloatToFixed(1e20f), std::numeric_limits<Integer>::max());  // saturates
    EXPECT_EQ(IntToFixed(-2), -0x20000);
    EXPECT_EQ(MakeFixedPoint(1, -1), (TFixedPoint{0x10000, -0x10000}));
    EXPECT_EQ(RoundFloatPoint(MakeFloatPoint(2.5f, 3.5f)), (TPoint{2, 4}));
    EXPECT_EQ(RoundFloatPoint(MakeFloatPoint(-2.5f, std::nanf(""))), (TPoint{-2, 0}));
    EXPECT_EQ(FixedToFloatPoint(TFixedPoint{0x18000, -0x4000}), (TFloatPoint{1.5f, -0.25f}));
    EXPECT_EQ(FloatToFixedPoint(TFloatPoint{1.5f, -0.25f}), (TFixedPoint{0x18000, -0x4000}));
}

TEST(Ras32_Types, FloatAndFixedRectanglesToIntegers)
{
    struct {
        TFloatRect R;
        TRectRounding Mode;
        TRect Expected;
    } Cases[] = {
        {{0.5f, 0.5f, 1.5f, 1.5f}, rrClosest, {0, 0, 2, 2}},
        {{0.5f, 0.5f, 1.5f, 1.5f}, rrOutside, {0, 0, 2, 2}},
        {{0.5f, 0.5f, 1.5f, 1.5f}, rrInside, {1, 1, 1, 1}},
        {{0.2f, 0.2f, 0.8f, 0.9f}, rrInside, {1, 1, 1, 1}},  // never inverted
        {{-1.2f, -1.7f, 3.2f, 3.7f}, rrOutside, {-2, -2, 4, 4}},
        {{-1.2f, -1.7f, 3.2f, 3.7f}, rrInside, {-1, -1, 3, 3}},
        {{-1.2f, -1.7f, 3.2f, 3.7f}, static_cast<TRectRounding>(7), {0, 0, 0, 0}},
    };
    for (auto& c : Cases) {
        EXPECT_EQ(FloatRectToRect(c.R, c.Mode), c.Expected) << c.R.Left << " " << int(c.Mode);
        TFixedRect F{FloatToFixed(c.R.Left), FloatToFixed(c.R.Top), FloatToFixed(c.R.Right), FloatToFixed(c.R.Bottom)};
        if (c.Mode != rrClosest) {
            EXPECT_EQ(FixedRectToRect(F, c.Mode), c.Expected);
        }
    }
    // The fixed form rounds halves down.
    EXPECT_EQ(FixedRectToRect(FixedRectOf(0x8000, 0x8001, 0x18000, 0x17FFF)), (TRect{0, 1, 1, 1}));
}

TEST(Ras32_Types, RectangleHelpers)
{
    TRect D;
    EXPECT_TRUE(IntersectRects(D, RectOf(0, 0, 10, 10), RectOf(10, 0, 20, 10)));
    EXPECT_EQ(D, RectOf(10, 0, 10, 10));
    D = RectOf(1, 2, 3, 4);
    EXPECT_FALSE(IntersectRects(D, RectOf(0, 0, 10, 10), RectOf(11, 0, 20, 10)));
    EXPECT_EQ(D, RectOf(0, 0, 0, 0));
    TFloatRect FD{1, 1, 1, 1};
    EXPECT_FALSE(IntersectFloatRects(FD, TFloatRect{0, 0, 1, 1}, TFloatRect{2, 2, 3, 3}));
    EXPECT_EQ(FD, TFloatRect{});
    EXPECT_TRUE(IntersectFloatRects(FD, TFloatRect{0, 0, 2, 2}, TFloatRect{1, 1, 3, 3}));
    EXPECT_EQ(FD, (TFloatRect{1, 1, 2, 2}));

    UnionRects(D, RectOf(0, 0, 2, 2), RectOf(5, 5, 6, 8));
    EXPECT_EQ(D, RectOf(0, 0, 6, 8));
    UnionRects(D, RectOf(0, 0, 2, 2), RectOf(5, 5, 5, 8));  // an empty R2 adds nothing
    EXPECT_EQ(D, RectOf(0, 0, 2, 2));
    UnionRects(D, RectOf(3, 3, 1, 1), RectOf(5, 5, 5, 8));
    EXPECT_EQ(D, RectOf(0, 0, 0, 0));

    D = RectOf(2, 2, 4, 4);
    GrowRect(D, 1, -1);
    EXPECT_EQ(D, RectOf(1, 3, 5, 3));
    ShiftRect(D, -1, 2);
    EXPECT_EQ(D, RectOf(0, 5, 4, 5));
    EXPECT_TRUE(RectIsEmpty(D));
    EXPECT_FALSE(RectIsEmpty(RectOf(0, 0, 1, 1)));
    EXPECT_TRUE(FloatRectIsEmpty(TFloatRect{0, 0, 0, 1}));
    EXPECT_TRUE(PointInRect(RectOf(0, 0, 2, 2), Point(1, 1)));
    EXPECT_FALSE(PointInRect(RectOf(0, 0, 2, 2), Point(2, 1)));
    EXPECT_TRUE(RectsEqual(RectOf(1, 2, 3, 4), RectOf(1, 2, 3, 4)));
}

TEST(Ras32_Types, GammaCurve)
{
    // Built at start-up with gamma 0.7.
    EXPECT_EQ(GammaCurve[0], 0);
    EXPECT_EQ(GammaCurve[255], 255);
    EXPECT_EQ(GammaCurve[128], std::lround(255 * std::pow(128 / 255.0, 0.7)));
    BuildGammaCurve(1.0f);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(GammaCurve[i], i);
    BuildGammaCurve(0.7f);
    EXPECT_GT(GammaCurve[64], 64);
}
