#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/controls/SkinSliderCore.h"
#include "skin/controls/CoreClock.h"

namespace {

// Counts a control's two events.
struct Recorder {
    int Changes = 0, Changed = 0, Last = 0;
};

// A track bar of the built-in look: the thumb placed in (2, 2, W - 2, H - 2), h = H - 4, w = h div 2.
struct TrackBar {
    TsfSkinTrackBarCore C;
    Recorder R;
    Integer W, H;
    TrackBar(Integer AW = 100, Integer AH = 20, bool Vertical = false) : W(AW), H(AH)
    {
        C.SetVertical(Vertical);
        C.SetSize(W, H);
        C.OnChange = [this](TObject*) { ++R.Changes; };
        C.OnLastChange = [this](TObject*) { ++R.Last; };
        C.OnRepaint = [this] { Place(); };
        Place();
    }
    void Place()
    {
        const bool V = C.Vertical();
        const Integer Th = V ? (W - 4) / 2 : H - 4, Tw = V ? W - 4 : (H - 4) / 2;
        C.PlaceThumb({2, 2, W - 2, H - 2}, Tw, Th);
    }
    TPoint ThumbCentre() const
    {
        const TRect B = C.BR();
        return {(B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2};
    }
};

// A slider with the built-in pictures: a 9 x 17 thumb and an 8-pixel ruler.
struct Slider {
    TCoreClock Timer{&C};  // installed before the core starts a timer, gone after it
    TsfSkinSliderCore C;
    Recorder R;
    Slider(Integer W = 150, Integer H = 40, bool Vertical = false)
    {
        C.SetVertical(Vertical);
        C.OnChange = [this](TObject*) { ++R.Changes; };
        C.OnChanged = [this](TObject*) { ++R.Changed; };
        if (Vertical)
            C.RebuildLayout({0, 0, W, H}, 8, 17, 9);
        else
            C.RebuildLayout({0, 0, W, H}, 8, 9, 17);
    }
};

}  // namespace

TEST(SkinTrackBarCore, ValueClampsAndFiresOnlyOnChange)
{
    TrackBar T;
    T.C.SetValue(150);
    T.C.SetValue(100);
    EXPECT_EQ(T.C.Value(), 100);
    EXPECT_EQ(T.R.Changes, 1);
    T.C.SetValue(50);
    T.C.SetMinValue(60);  // pulls the value in without an event
    EXPECT_EQ(T.C.Value(), 60);
    T.C.SetMaxValue(55);
    EXPECT_EQ(T.C.Value(), 55);
    EXPECT_EQ(T.R.Changes, 2);
}

TEST(SkinTrackBarCore, ThumbPlacementRunsUpwardsOnAVerticalBar)
{
    const struct { Integer W, H; bool Vertical; Integer Value; TRect Thumb; } Cases[] = {
        // 100 x 20: a 8 x 16 thumb whose centre runs from 6 to 94.
        {100, 20, false, 0, {2, 2, 10, 18}},
        {100, 20, false, 50, {46, 2, 54, 18}},
        {100, 20, false, 100, {90, 2, 98, 18}},
        // 20 x 100: MinValue at the bottom, MaxValue at the top.
        {20, 100, true, 0, {2, 90, 18, 98}},
        {20, 100, true, 100, {2, 2, 18, 10}},
    };
    for (const auto& K : Cases) {
        TrackBar T(K.W, K.H, K.Vertical);
        T.C.SetValue(K.Value);
        EXPECT_EQ(T.C.BR(), K.Thumb) << K.W << 'x' << K.H << " value " << K.Value;
    }
}

TEST(SkinTrackBarCore, DraggingFollowsThePointerAndEndsWithLastChange)
{
    TrackBar T(20, 100, true);
    const TPoint P = T.ThumbCentre();  // value 50
    int Starts = 0;
    T.C.OnStartDragButton = [&](TObject*) { ++Starts; };
    T.C.MouseDown(P.X, P.Y);
    EXPECT_EQ(Starts, 1);
    T.C.MouseMove(P.X, P.Y - 44);  // upwards by half the travel
    EXPECT_EQ(T.C.Value(), 100);
    T.C.MouseMove(P.X, P.Y + 22);
    EXPECT_EQ(T.C.Value(), 25);
    EXPECT_EQ(T.R.Last, 0);
    T.C.MouseUp(P.X, P.Y + 22);
    EXPECT_EQ(T.R.Last, 1);
    // Without mouse support nothing starts.
    T.C.SetMouseSupport(false);
    T.C.MouseDown(T.ThumbCentre().X, T.ThumbCentre().Y);
    EXPECT_FALSE(T.C.Dragging());
}

TEST(SkinTrackBarCore, JumpClickCentresTheThumbOnTheClickWithinTheRange)
{
    const struct { bool Vertical; Integer Click; Integer Value; } Cases[] = {
        {false, 30, 27}, {false, 50, 50}, {false, 0, 0}, {false, 500, 100},
        {true, 30, 73}, {true, 94, 0}, {true, -40, 100},
    };
    for (const auto& K : Cases) {
        TrackBar T(K.Vertical ? 20 : 100, K.Vertical ? 100 : 20, K.Vertical);
        T.C.SetJumpWhenClick(true);
        const Integer X = K.Vertical ? 10 : K.Click, Y = K.Vertical ? K.Click : 10;
        T.C.MouseUp(X, Y);
        EXPECT_EQ(T.C.Value(), K.Value) << K.Vertical << ' ' << K.Click;
        if (K.Click > 6 && K.Click < 94) {
            EXPECT_EQ(K.Vertical ? T.ThumbCentre().Y : T.ThumbCentre().X, K.Click);
        }
        EXPECT_EQ(T.R.Last, 0);
    }
    TrackBar T;  // without JumpWhenClick a click does nothing
    T.C.MouseUp(30, 10);
    EXPECT_EQ(T.C.Value(), 50);
}

TEST(SkinTrackBarCore, KeysAndWheelStepByOneAndAlwaysEndTheChange)
{
    TrackBar T;
    EXPECT_FALSE(T.C.KeyDown(sfVK_RIGHT));
    T.C.SetCanFocused(true);
    const struct { Integer Key, Value; } Keys[] = {{sfVK_RIGHT, 51}, {sfVK_UP, 52}, {sfVK_LEFT, 51}, {sfVK_DOWN, 50}};
    for (const auto& K : Keys) {
        EXPECT_TRUE(T.C.KeyDown(K.Key));
        EXPECT_EQ(T.C.Value(), K.Value);
    }
    T.C.SetValue(100);
    T.R = {};
    T.C.KeyDown(sfVK_RIGHT);  // at the end: no change, still the end of a step
    EXPECT_EQ(T.R.Changes, 0);
    EXPECT_EQ(T.R.Last, 1);
    T.C.SetFocused(true);
    T.C.MouseWheel(120);  // a horizontal bar goes down with a positive delta
    EXPECT_EQ(T.C.Value(), 99);
    EXPECT_EQ(T.R.Last, 2);
}

TEST(SkinSliderCore, ValueRangeAndIncrement)
{
    Slider S;
    S.C.SetValue(1000);
    S.C.SetValue(100);
    EXPECT_EQ(S.C.Value(), 100);
    EXPECT_EQ(S.R.Changes, 1);
    S.C.SetMaxValue(5);  // Increment 10 no longer fits the range
    EXPECT_EQ(S.C.Increment(), 5);
    EXPECT_EQ(S.C.Value(), 5);
    EXPECT_EQ(S.R.Changes, 2);
    S.C.SetMinValue(5);  // refused: MinValue >= MaxValue
    EXPECT_EQ(S.C.MinValue(), 0);
    S.C.SetIncrement(0);
    S.C.SetIncrement(-3);
    EXPECT_EQ(S.C.Increment(), 5);
    S.C.Loading = true;  // a form being read may pass through an empty range
    S.C.SetRange(50, 50);
    EXPECT_EQ(S.C.MinValue(), 50);
    EXPECT_EQ(S.C.Increment(), 5);
}

TEST(SkinSliderCore, LayoutAndValuePositions)
{
    Slider S;
    // The ruler (8 high) is lower than the thumb (17): thumb at the top, ruler centred beside it.
    EXPECT_EQ(S.C.RulerOrg(), (TPoint{6, 10}));
    EXPECT_EQ(S.C.RulerLength(), 138);
    EXPECT_EQ(S.C.ThumbRect(), (TRect{6, 6, 15, 23}));
    EXPECT_EQ(S.C.PointsRect(), (TRect{6, 24, 144, 39}));
    EXPECT_EQ(S.C.TravelLength(), 129);
    const struct { Integer Value, Pos; } Cases[] = {{0, 6}, {50, 70}, {100, 135}, {33, 49}};
    for (const auto& K : Cases) {
        EXPECT_EQ(S.C.PositionOfValue(K.Value), K.Pos) << K.Value;
        EXPECT_EQ(S.C.ValueOfPosition(K.Pos), K.Value) << K.Pos;
    }
    // Vertical: MinValue at the bottom.
    Slider V(40, 150, true);
    EXPECT_EQ(V.C.ThumbRect(), (TRect{6, 135, 23, 144}));
    V.C.SetValue(100);
    EXPECT_EQ(V.C.ThumbRect(), (TRect{6, 6, 23, 15}));
    EXPECT_EQ(V.C.ValueOfPosition(135), 0);
}

TEST(SkinSliderCore, TooShortARulerMapsEverythingToMinValueAndHasNoTicks)
{
    for (Integer W : {10, 21, 0}) {
        Slider S(W, 40);
        EXPECT_LE(S.C.TravelLength(), 0);
        EXPECT_EQ(S.C.ValueOfPosition(100), 0);
        EXPECT_TRUE(S.C.TickMarks(10, 3, 5).empty());
        S.C.SetValue(70);
        EXPECT_EQ(S.C.Value(), 70);
        S.C.MouseDown(true, false, S.C.ThumbRect().Left, S.C.ThumbRect().Top);
        S.C.MouseMove(true, 500, 10);
        EXPECT_EQ(S.C.Value(), 0) << W;
        S.C.MouseUp(true, 500, 10);
    }
}

TEST(SkinSliderCore, HeldRulerClickJumpsAtOnceThenEvery400UntilTheThumbReachesThePointer)
{
    Slider S;
    S.C.MouseDown(true, false, 100, 14);
    EXPECT_TRUE(S.C.Tracking());
    EXPECT_EQ(S.C.Value(), 10);
    S.Timer.AdvanceTo(399);
    EXPECT_EQ(S.C.Value(), 10);
    S.Timer.AdvanceTo(400);
    EXPECT_EQ(S.C.Value(), 20);
    S.Timer.AdvanceTo(5000);
    // At 70 the thumb (96..105) covers x = 100: the jumps stop.
    EXPECT_EQ(S.C.Value(), 70);
    EXPECT_EQ(S.R.Changes, 7);
    EXPECT_EQ(S.R.Changed, 0);
    S.C.MouseUp(true, 100, 14);
    EXPECT_EQ(S.R.Changed, 1);
    EXPECT_FALSE(S.Timer.Running());
    // The ruler (rows 10..17) answers 3 rows beyond it, not further.
    S.C.MouseDown(true, false, 20, 21);
    EXPECT_FALSE(S.C.Tracking());
    S.C.MouseDown(true, false, 20, 20);
    EXPECT_EQ(S.C.StartJump(), jmPrior);
    EXPECT_EQ(S.C.Value(), 60);
    S.C.MouseUp(true, 20, 20);
}

TEST(SkinSliderCore, DragSnapsWithoutSmoothAndEndsWithOneChanged)
{
    Slider S;
    S.C.SetOptions(soShowPoints);
    const TRect T = S.C.ThumbRect();
    S.C.MouseDown(true, false, T.Left + 4, T.Top + 4);
    EXPECT_TRUE(S.C.ThumbDown());
    std::vector<Integer> Seen;
    S.C.OnChange = [&](TObject*) { Seen.push_back(S.C.Value()); };
    for (Integer X = T.Left + 4; X < 160; X += 3) S.C.MouseMove(true, X, 10);
    EXPECT_EQ(S.C.Value(), 100);
    for (Integer V : Seen) EXPECT_EQ(V % 10, 0) << V;
    EXPECT_EQ(Seen.size(), 10u);
    // The thumb sits on the place of a multiple of 10.
    EXPECT_EQ(S.C.ThumbRect().Left, S.C.PositionOfValue(100));
    EXPECT_EQ(S.R.Changed, 0);
    S.C.MouseUp(true, 150, 10);
    EXPECT_EQ(S.R.Changed, 1);
    // A double click on the thumb starts nothing; a read-only slider does not move.
    S.C.MouseDown(true, true, S.C.ThumbRect().Left + 1, 10);
    EXPECT_FALSE(S.C.Sliding());
    S.C.SetReadOnly(true);
    S.C.MouseDown(true, false, S.C.ThumbRect().Left + 1, 10);
    EXPECT_FALSE(S.C.Sliding());
    EXPECT_FALSE(S.C.KeyDown(sfVK_HOME, false));
}

TEST(SkinSliderCore, KeysJumpByIncrementAndEachEndsTheChange)
{
    const struct { bool Vertical; Integer Key; Integer From, To; bool Used; } Cases[] = {
        {false, sfVK_RIGHT, 0, 10, true}, {false, sfVK_LEFT, 37, 30, true}, {false, sfVK_RIGHT, 37, 50, true},
        {false, sfVK_END, 37, 100, true}, {false, sfVK_HOME, 37, 0, true}, {false, sfVK_UP, 37, 37, false},
        {true, sfVK_UP, 37, 50, true},    {true, sfVK_DOWN, 37, 30, true}, {true, sfVK_LEFT, 37, 37, false},
        // round(45 / 10) = 4 (halves to even): the next jump lands on 50.
        {false, sfVK_RIGHT, 45, 50, true}, {false, sfVK_RIGHT, 100, 100, true},
    };
    for (const auto& K : Cases) {
        Slider S(K.Vertical ? 40 : 150, K.Vertical ? 150 : 40, K.Vertical);
        S.C.SetValue(K.From);
        S.R = {};
        EXPECT_EQ(S.C.KeyDown(K.Key, false), K.Used) << K.Key;
        EXPECT_EQ(S.C.Value(), K.To) << K.Key << " from " << K.From;
        EXPECT_EQ(S.R.Changed, K.Used ? 1 : 0);
    }
    Slider S;
    EXPECT_FALSE(S.C.KeyDown(sfVK_RIGHT, true));  // with Shift, Ctrl or Alt
}

TEST(SkinSliderCore, TickMarksSpreadAtLeastFourPixelsApart)
{
    Slider S;
    auto Ticks = S.C.TickMarks(10, 3, 5);
    ASSERT_EQ(Ticks.size(), 11u);
    EXPECT_EQ(Ticks.front().Pos, 6 + 4);
    EXPECT_EQ(Ticks.back().Pos, 135 + 4);
    EXPECT_EQ(Ticks.front().Length, 5);
    EXPECT_EQ(Ticks[5].Length, 3);
    EXPECT_EQ(Ticks.back().Length, 5);
    // Step 1 on 0..100: every value would be 1.29 pixels apart; every fourth is 5.16.
    EXPECT_EQ(S.C.TickMarks(1, 3, 5).size(), 26u);
    // A huge range is thinned the same way, without counting through every factor.
    S.C.SetMaxValue(1000000000);
    Ticks = S.C.TickMarks(1, 3, 5);
    ASSERT_GE(Ticks.size(), 2u);
    EXPECT_LE(Ticks.size(), 33u);
    for (size_t I = 1; I + 1 < Ticks.size(); ++I) EXPECT_GE(Ticks[I].Pos - Ticks[I - 1].Pos, 3);
    EXPECT_EQ(Ticks.back().Pos, 135 + 4);
}
