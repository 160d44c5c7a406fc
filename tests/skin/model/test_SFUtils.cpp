#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "Component/Raster32/Ras32_Types.h"
#include "skin/model/SFUtils.h"

TEST(SFUtils, RectangleAndPointTests)
{
    const TRect R{0, 0, 10, 10};
    EXPECT_TRUE(IsPointInRect(R, {10, 10}));  // all four edges inside
    EXPECT_TRUE(IsPointInRect(R, {0, 0}));
    EXPECT_FALSE(IsPointInRect(R, {11, 5}));
    EXPECT_FALSE(RectInRect(R, R));  // the right and bottom edges are outside
    EXPECT_TRUE(RectInRect({1, 1, 9, 9}, R));
    EXPECT_TRUE(IsNullPoint({0, 5}));
    EXPECT_FALSE(IsNullPoint({3, 5}));

    const struct { TRect R; bool Null; } Nulls[] = {
        {{0, 0, 0, 5}, true},  {{0, 0, 5, 0}, true}, {{5, 5, 4, 9}, true}, {{0, 0, 1, 1}, false},
        // Widths that overflow 32 bits are still seen for what they are.
        {{INT32_MIN, 0, INT32_MAX, 1}, false}, {{INT32_MAX, 0, INT32_MIN, 1}, true}};
    for (const auto& C : Nulls) EXPECT_EQ(IsNullRect(C.R), C.Null) << C.R.Left << ' ' << C.R.Right;

    const struct { TRect R1, R2; bool Touches; } Touch[] = {
        {{0, 5, 10, 20}, {0, 0, 10, 10}, true},    // top edge inside R2's span
        {{0, -5, 10, 5}, {0, 0, 10, 10}, true},    // bottom edge inside
        {{0, 10, 10, 20}, {0, 0, 10, 10}, false},  // starts on R2's bottom edge
        {{0, -5, 10, 10}, {0, 0, 10, 10}, false},  // ends on it
        {{0, 0, 1, 1}, {INT32_MAX, 0, INT32_MAX, 2}, false}};
    for (const auto& C : Touch) EXPECT_EQ(RectTouchesRect(C.R1, C.R2), C.Touches) << C.R1.Top << ' ' << C.R1.Bottom;

    TRect Cleared{1, 2, 3, 4};
    ClearRect(Cleared);
    EXPECT_TRUE(IsSameRect(Cleared, TRect{}));
    EXPECT_EQ(RectWidth({3, 0, 10, 0}), 7);
    EXPECT_EQ(RectHeight({0, 10, 0, 4}), -6);
    EXPECT_EQ(IntMax(-3, 2), 2);
    EXPECT_EQ(IntMin(-3, 2), -3);
}

TEST(SFUtils, MixColorsTakesTheMeanRoundedDown)
{
    EXPECT_EQ(MixColors(0xFFFFFF, 0x000000), 0x7F7F7F);
    EXPECT_EQ(MixColors(0x0000FF, 0x00FF01), 0x007F80);  // RGB(128, 127, 0)
    // A system colour (the button face, index 15) is resolved to its value first.
    const TColor BtnFace = static_cast<TColor>(0x8000000F);
    EXPECT_EQ(MixColors(BtnFace, BtnFace), static_cast<TColor>(SysColorFunc(15) & 0xFFFFFF));
}

TEST(SFUtils, LayoutGlyphAndText)
{
    // R = (0, 0, 100, 20), glyph 16 x 16, text 40 x 13, spacing 4.
    const TRect R{0, 0, 100, 20};
    const struct { TsfButtonLayout Layout; Integer GW, Margin; Integer TX, TY, GX, GY; } Cases[] = {
        {blGlyphLeft, 16, -1, 40, 4, 20, 2},
        {blGlyphLeft, 16, 5, 25, 4, 5, 2},
        {blGlyphLeft, 0, 5, 5, 4, 5, 2},  // no glyph: no spacing either
        {blGlyphRight, 16, -1, 20, 4, 64, 2},
        {blGlyphRight, 16, 5, 35, 4, 79, 2},
        {blGlyphTop, 16, -1, 30, 13, 42, -6},  // hh = (16 + 13 + 4) div 2 = 16
        {blGlyphTop, 16, 1, 30, 21, 42, 1},
        {blGlyphBottom, 16, -1, 30, -6, 42, 10},
        {blGlyphBottom, 16, 1, 30, -14, 42, 3},
    };
    for (const auto& C : Cases) {
        Integer TX = -99, TY = -99, GX = -99, GY = -99;
        LayoutGlyphAndText(C.Layout, R, C.GW, 16, 40, 13, 4, C.Margin, TX, TY, GX, GY);
        EXPECT_EQ((std::vector<Integer>{TX, TY, GX, GY}), (std::vector<Integer>{C.TX, C.TY, C.GX, C.GY}))
            << int(C.Layout) << " margin " << C.Margin << " glyph " << C.GW;
    }
    // Divisions truncate toward zero for negative sizes too.
    Integer TX, TY, GX, GY;
    LayoutGlyphAndText(blGlyphLeft, {0, 0, -5, -5}, 3, 3, 0, 0, 0, -1, TX, TY, GX, GY);
    EXPECT_EQ(GX, -2 - 1);
    EXPECT_EQ(GY, -2 - 1);
}

TEST(SFUtils, CutTextToWidth)
{
    // Every code unit is 5 pixels wide: "..." is 15.
    const TsfTextWidthFunc Width = [](const String& S) { return static_cast<Integer>(S.size()) * 5; };
    const struct { String In; Integer Max; String Out; } Cases[] = {
        {u"Hello", 25, u"Hello"},   // fits
        {u"Hello", 30, u"Hello"},
        {u"Hello", 24, u"H..."},    // 4 units: 20
        {u"Hello", 20, u"H..."},
        {u"Hello", 19, u"..."},     // below "..." plus one character
        {u"Hello", 0, u"..."},
        {u"", -1, u"..."},
        {u"a\xD83D\xDE00zzz", 25, u"a..."},  // the pair goes as one character...
        {u"a\xD83D\xDE00zzzz", 30, u"a\xD83D\xDE00..."},  // ...and stays whole when it fits
    };
    for (const auto& C : Cases) {
        String S = C.In;
        CutTextToWidth(S, C.Max, Width);
        EXPECT_TRUE(S == C.Out) << C.Max;
    }
}

TEST(SFUtils, JpegFileNames)
{
    const struct { String Name; bool Jpeg; } Cases[] = {
        {u"a.jpg", true}, {u"a.jpeg", true}, {u"a.jpg.bmp", true}, {u"a.JPG", false}, {u"a.jp", false}, {u"", false}};
    for (const auto& C : Cases) EXPECT_EQ(IsJpegFileName(C.Name), C.Jpeg);
}

TEST(SFUtils, WindowsVersionTests)
{
    const TsfGetVersionProc Saved = SfGetVersion;
    static Cardinal Version;
    SfGetVersion = [] { return Version; };
    // GetVersion: major in the low byte, minor in the next (the build above is ignored).
    const struct { Cardinal Version; bool Seven, Vista, XP, W2000; } Cases[] = {
        {0x0004, false, false, false, false},       // 4.0
        {0x0005, false, false, false, true},        // 5.0
        {0x0105, false, false, true, true},         // 5.1
        {0x0205, false, false, false, true},        // 5.2
        {0x0305, false, false, false, false},       // 5.3
        {0x0006, false, true, true, true},          // 6.0
        {0x23F00106, true, true, true, true},       // 6.1 with a build number
        {0x000A, false, true, true, true},          // 10.0
    };
    for (const auto& C : Cases) {
        Version = C.Version;
        EXPECT_EQ(IsWindows7(), C.Seven) << std::hex << C.Version;
        EXPECT_EQ(IsWindowsVistaOrLater(), C.Vista) << std::hex << C.Version;
        EXPECT_EQ(IsWindowsXPOrLater(), C.XP) << std::hex << C.Version;
        EXPECT_EQ(IsWindows2000OrLater(), C.W2000) << std::hex << C.Version;
    }
    Version = 0x23F00106;
    Integer Major = 0, Minor = 0;
    GetWindowsVersion(Major, Minor);
    EXPECT_EQ(Major, 6);
    EXPECT_EQ(Minor, 1);
    SfGetVersion = Saved;
}

namespace {

// The outline of (L, T, R - 1, B - 1) once round, clockwise from the top-left corner.
std::vector<TPoint> Outline(const TRect& R)
{
    std::vector<TPoint> P;
    const Integer L = R.Left, T = R.Top, RR = R.Right - 1, B = R.Bottom - 1;
    for (Integer x = L; x < RR; ++x) P.push_back({x, T});
    for (Integer y = T; y < B; ++y) P.push_back({RR, y});
    for (Integer x = RR; x > L; --x) P.push_back({x, B});
    for (Integer y = B; y > T; --y) P.push_back({L, y});
    return P;
}

}  // namespace

TEST(SFUtils, FocusRectDotsRunEvenlyRoundTheCorners)
{
    const auto Dots = SkinFocusRectDots({0, 0, 5, 5});
    auto Has = [&](Integer X, Integer Y) { return std::count(Dots.begin(), Dots.end(), TPoint{X, Y}) > 0; };
    EXPECT_FALSE(Has(0, 0));  // 4 x 4 outline: both even, the first pixel is left
    EXPECT_TRUE(Has(1, 0));
    EXPECT_TRUE(Has(4, 1));
    EXPECT_TRUE(Has(3, 4));
    EXPECT_TRUE(SkinFocusRectDots({0, 0, 0, 5}).empty());

    // Along the outline every other pixel is set, across the corners as well,
    // for odd and even sides alike.
    for (const TRect R : {TRect{0, 0, 5, 5}, TRect{2, 3, 8, 7}, TRect{0, 0, 6, 6}, TRect{1, 1, 4, 9}}) {
        const std::set<std::pair<Integer, Integer>> Set = [&] {
            std::set<std::pair<Integer, Integer>> S;
            for (const TPoint& P : SkinFocusRectDots(R)) S.insert({P.X, P.Y});
            return S;
        }();
        const auto Ring = Outline(R);
        const bool First = Set.count({R.Left, R.Top}) > 0;
        EXPECT_EQ(First, !((R.Width() - 1) % 2 == 0 && (R.Height() - 1) % 2 == 0)) << R.Right;
        for (size_t i = 0; i < Ring.size(); ++i)
            EXPECT_EQ(Set.count({Ring[i].X, Ring[i].Y}) > 0, (i % 2 == 0) == First) << R.Right << ": " << i;
        for (const auto& P : Set)
            EXPECT_TRUE(std::count(Ring.begin(), Ring.end(), TPoint{P.first, P.second})) << P.first << ',' << P.second;
    }
}
