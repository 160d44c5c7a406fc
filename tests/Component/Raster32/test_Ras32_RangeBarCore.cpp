// Range bar geometry: buttons, thumb, zones, positions, dragging and the flat colours.
#include <gtest/gtest.h>

#include "Component/Raster32/Ras32_RangeBarCore.h"
#include "framework/runtime/SysUtils.h"

namespace {

TArrowBarGeometry Bar(Integer W, Integer H, bool Horizontal = true)
{
    TArrowBarGeometry G;
    G.Width = W;
    G.Height = H;
    G.Horizontal = Horizontal;
    return G;
}

}  // namespace

TEST(Ras32_RangeBarCore, ButtonSizes)
{
    struct TCase {
        Integer W, H, ButtonSize;
        bool Arrows, Mac;
        Integer Expected;
    } Cases[] = {
        {200, 17, 0, true, false, 17},   // as thick as the bar
        {200, 40, 0, true, false, 32},   // at most 32
        {200, 17, 25, true, false, 25},  // set
        {30, 17, 0, true, false, 15},    // 2 * 17 >= 30: half the length
        {200, 17, 0, false, false, 0},
        {200, 17, 0, true, true, 16},    // the flat look is one pixel less
        {3, 17, 0, true, false, 0},      // 1 pixel is no button
    };
    for (const TCase& T : Cases) {
        TArrowBarGeometry G = Bar(T.W, T.H);
        G.ButtonSize = T.ButtonSize;
        G.ShowArrows = T.Arrows;
        G.Style = T.Mac ? rbsMac : rbsDefault;
        EXPECT_EQ(G.ArrowButtonSize(), T.Expected) << T.W << "x" << T.H;
    }
    EXPECT_EQ(Bar(200, 17).TrackRect(), (TRect{17, 0, 183, 17}));
    EXPECT_EQ(Bar(17, 200, false).TrackRect(), (TRect{0, 17, 17, 183}));
}

TEST(Ras32_RangeBarCore, ThumbSizeAndPlace)
{
    TArrowBarGeometry G = Bar(200, 17);  // track 166 from x = 17
    // Range 1000, window 100: round(16.6) = 17, the proportional formula.
    for (Single Pos : {0.0f, 450.0f, 900.0f}) {
        TRect T = RangeBarThumbRect(G, 1000, 100, Pos);
        Integer Offset = static_cast<Integer>(Round(Pos * 166 / 1000));
        EXPECT_EQ(T, (TRect{17 + Offset, 0, 17 + Offset + 17, 17})) << Pos;
    }
    // Range 10000, window 100: round(1.66) = 2 < 17, so 17 pixels over 149.
    for (Single Pos : {0.0f, 4950.0f, 9900.0f}) {
        TRect T = RangeBarThumbRect(G, 10000, 100, Pos);
        Integer Offset = static_cast<Integer>(Round(149 * Pos / 9900));
        EXPECT_EQ(T, (TRect{17 + Offset, 0, 34 + Offset, 17})) << Pos;
    }
    EXPECT_EQ(RangeBarThumbRect(G, 1000, 400, 600).Right, 183);  // ends with the track
    EXPECT_EQ(RangeBarThumbRect(G, 100, 200, 0), (TRect{17, 0, 183, 17}));  // window covers the range
    // A bar 30 long: buttons of 15, no track, no thumb.
    EXPECT_TRUE(RectIsEmpty(RangeBarThumbRect(Bar(30, 17), 1000, 100, 0)));
    EXPECT_TRUE(RectIsEmpty(RangeBarThumbRect(Bar(51, 17), 1000, 100, 0)));  // track of 17
    TRect V = RangeBarThumbRect(Bar(17, 200, false), 1000, 100, 0);
    EXPECT_EQ(V, (TRect{0, 17, 17, 34}));
}

TEST(Ras32_RangeBarCore, Zones)
{
    TArrowBarGeometry G = Bar(200, 17);
    TRect Thumb = RangeBarThumbRect(G, 1000, 100, 450);  // offset round(74.7) = 75: 92 .. 109
    ASSERT_EQ(Thumb, (TRect{92, 0, 109, 17}));
    struct TCase {
        Integer X, Y;
        TRBZone Expected;
    } Cases[] = {
        {0, 5, zBtnPrev},    {16, 5, zBtnPrev},   {17, 5, zTrackPrev}, {91, 5, zTrackPrev},
        {92, 5, zHandle},    {108, 16, zHandle},  {109, 5, zTrackNext}, {182, 5, zTrackNext},
        {183, 5, zBtnNext},  {199, 5, zBtnNext},  {200, 5, zNone},     {50, 17, zNone},
        {-1, 5, zNone},
    };
    for (const TCase& T : Cases) EXPECT_EQ(G.ZoneAt(T.X, T.Y, Thumb), T.Expected) << T.X << "," << T.Y;

    EXPECT_EQ(G.ZoneRect(zBtnPrev, Thumb, true), (TRect{0, 0, 17, 17}));
    EXPECT_EQ(G.ZoneRect(zBtnNext, Thumb, true), (TRect{183, 0, 200, 17}));
    EXPECT_EQ(G.ZoneRect(zTrackPrev, Thumb, true), (TRect{17, 0, 92, 17}));
    EXPECT_EQ(G.ZoneRect(zHandle, Thumb, true), Thumb);
    EXPECT_EQ(G.ZoneRect(zTrackNext, Thumb, true), (TRect{109, 0, 183, 17}));
    // Not shown enabled: the track splits at its centre.
    EXPECT_EQ(G.ZoneRect(zTrackPrev, Thumb, false), (TRect{17, 0, 100, 17}));
    EXPECT_EQ(G.ZoneRect(zTrackNext, Thumb, false), (TRect{100, 0, 183, 17}));
    EXPECT_TRUE(RectIsEmpty(G.ZoneRect(zNone, Thumb, true)));
}

TEST(Ras32_RangeBarCore, PositionsClampAndRecentre)
{
    EXPECT_EQ(ClampRangeBarPosition(-5, 1000, 100), 0.0f);
    EXPECT_EQ(ClampRangeBarPosition(1000, 1000, 100), 900.0f);
    EXPECT_EQ(ClampRangeBarPosition(10, 50, 100), 0.0f);  // the window covers the range
    // Centre 250 of 1000 stays a quarter of the way along 2000.
    EXPECT_EQ(RecentredPosition(1000, 100, 200, 2000, 100), 450.0f);
    // Nothing to keep: the middle. SetParams (0, 0) ends at 0 after clamping.
    EXPECT_EQ(RecentredPosition(0, 0, 0, 1000, 100), 450.0f);
    EXPECT_EQ(ClampRangeBarPosition(RecentredPosition(1000, 100, 300, 0, 0), 0, 0), 0.0f);
}

TEST(Ras32_RangeBarCore, ThumbDrag)
{
    // 200 long, buttons 17, no border: L = 166. Window 100 of 1000: round(16.6) = 17 > 16,
    // so the position follows the pointer proportionally.
    EXPECT_FLOAT_EQ(ThumbDragDelta(200, 17, false, 1000, 100, 83), 500.0f);
    // Window 100 of 10000: the 17-pixel thumb moves over L - 17 = 149 pixels.
    EXPECT_EQ(ThumbDragDelta(200, 17, false, 10000, 100, 149), 9900.0f);
    EXPECT_EQ(ThumbDragDelta(200, 17, false, 10000, 100, 1), 66.0f);  // round(66.4)
    // A border takes two pixels more.
    EXPECT_FLOAT_EQ(ThumbDragDelta(202, 17, true, 1000, 100, 83), 500.0f);
    // A track too short to move a minimum-size thumb along does not move it.
    EXPECT_EQ(ThumbDragDelta(51, 17, true, 10000, 100, 5), 0.0f);
    EXPECT_EQ(ThumbDragDelta(20, 17, false, 10000, 100, 5), 0.0f);
}

TEST(Ras32_RangeBarCore, FlatColours)
{
    EXPECT_EQ(MixColors(0xFFFFFF, 0x000000, 128), 0x7F7F7F);  // (128 * 255) shr 8
    EXPECT_EQ(MixColors(0x102030, 0x102030, 255), 0x0F1F2F);  // (255 * c) shr 8
    EXPECT_EQ(ShiftColor(0x10F080, 24), 0x28FF98);
    EXPECT_EQ(ShiftColor(0x10F080, -24), 0x00D868);
    try {
        MixColors(0, 0, 256);
        FAIL() << "no exception";
    } catch (const EAssertionFailed& E) {
        EXPECT_EQ(E.Message(), u"Assertion failure");
    }
}
