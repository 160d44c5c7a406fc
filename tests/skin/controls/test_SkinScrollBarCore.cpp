#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/SkinScrollBarCore.h"
#include "skin/controls/CoreClock.h"

namespace {

// A 200 x 19 horizontal bar of the built-in look whose events and timer are recorded.
struct Bar {
    TCoreClock Timer{&C};  // installed before the core starts a timer, gone after it
    TsfSkinScrollBarCore C;
    std::vector<std::string> Events;
    Bar(Integer W = 200, Integer H = 19, bool Vertical = false)
    {
        C.SetVertical(Vertical);
        C.CalcRects(W, H);
        C.OnChange = [this](TObject*) { Events.push_back("change " + std::to_string(C.Position())); };
        C.OnLastChange = [this](TObject*) { Events.push_back("last"); };
        C.OnPageUp = [this](TObject*) { Events.push_back("pageup"); };
        C.OnPageDown = [this](TObject*) { Events.push_back("pagedown"); };
    }
    TPoint Centre(Integer Part) const
    {
        const TRect R = C.Button(Part).R;
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }
    void Press(Integer X, Integer Y)
    {
        C.MouseMove(X, Y);
        C.MouseDown(true, X, Y);
    }
};

}  // namespace

TEST(SkinScrollBarCore, PositionIsClampedToTheRangeAndTheLastPage)
{
    const struct { Integer Min, Max, Page, Value, Expected; } Cases[] = {
        {0, 100, 0, 150, 100}, {0, 100, 10, 150, 91}, {0, 100, 10, -5, 0}, {10, 20, 0, 5, 10},
        {0, 100, 1, 100, 100},
        // A page larger than the range puts the upper bound below Min, and it wins.
        {0, 5, 10, 3, -4}};
    for (const auto& K : Cases) {
        TsfSkinScrollBarCore C;
        C.SetRange(K.Min, K.Max, 0, K.Page);
        C.SetPosition(K.Value);
        EXPECT_EQ(C.Position(), K.Expected) << K.Min << ".." << K.Max << " page " << K.Page << " := " << K.Value;
    }
}

TEST(SkinScrollBarCore, OnChangeFiresOnlyForRealChangesThroughPosition)
{
    Bar B;
    B.C.SetRange(0, 100, 0, 10);
    B.C.SetPosition(150);
    B.C.SetPosition(91);  // the same value
    B.C.SetPosition(1000);
    B.C.SimplySetPosition(40);
    B.C.SetRange(0, 100, 60, 10);
    EXPECT_EQ(B.Events, std::vector<std::string>{"change 91"});
    EXPECT_EQ(B.C.Position(), 60);
}

TEST(SkinScrollBarCore, RangeSettersFollowTheirOwnRules)
{
    TsfSkinScrollBarCore C;
    C.SetRange(0, 100, 80, 0);
    C.SetMax(50);  // no page: the position follows Max
    EXPECT_EQ(C.Position(), 50);
    C.SetMin(60);
    EXPECT_EQ(C.Position(), 60);

    C.SetRange(0, 100, 85, 10);
    C.SetMax(90);  // 90 - 0 < 10 + 85: the position becomes 90 - 0 - 10 + 1
    EXPECT_EQ(C.Position(), 81);
    C.SetPageSize(20);  // 81 + 20 > 91: refused
    EXPECT_EQ(C.PageSize(), 10);
    C.SetPageSize(5);
    EXPECT_EQ(C.PageSize(), 5);
    C.SetBothMarkerWidth(-1);
    EXPECT_EQ(C.BothMarkerWidth(), 0);
}

TEST(SkinScrollBarCore, BuiltInGeometry)
{
    const struct { Integer W, H; bool Vertical, Both; Integer Marker, Max, Page, Pos; TRect Up, Down, Thumb; } Cases[] = {
        // 200 x 19, no page: a 16-pixel thumb whose centre runs from 25 to 175.
        {200, 19, false, false, 0, 100, 0, 0, {183, 1, 199, 18}, {1, 1, 17, 18}, {17, 1, 33, 18}},
        {200, 19, false, false, 0, 100, 0, 50, {183, 1, 199, 18}, {1, 1, 17, 18}, {92, 1, 108, 18}},
        {200, 19, false, false, 0, 100, 0, 100, {183, 1, 199, 18}, {1, 1, 17, 18}, {167, 1, 183, 18}},
        // A page of 50 in 0..100 on a 166-pixel track: round(166 * 50 / 101) = 82.
        {200, 19, false, false, 0, 100, 50, 51, {183, 1, 199, 18}, {1, 1, 17, 18}, {101, 1, 183, 18}},
        // A page covering the whole range fills the track.
        {200, 19, false, false, 0, 9, 10, 0, {183, 1, 199, 18}, {1, 1, 17, 18}, {17, 1, 183, 18}},
        // Both leaves the marker free at the right end.
        {200, 19, false, true, 19, 100, 0, 100, {164, 1, 180, 18}, {1, 1, 17, 18}, {148, 1, 164, 18}},
        // Vertical: down (top) arrow, up (bottom) arrow, the whole width.
        {19, 200, true, true, 19, 100, 0, 100, {1, 183, 18, 199}, {1, 1, 18, 17}, {1, 167, 18, 183}},
        // An empty range puts the thumb at the start.
        {200, 19, false, false, 0, 0, 0, 0, {183, 1, 199, 18}, {1, 1, 17, 18}, {17, 1, 33, 18}},
    };
    for (const auto& K : Cases) {
        TsfSkinScrollBarCore C;
        C.SetVertical(K.Vertical);
        C.SetBoth(K.Both);
        C.SetBothMarkerWidth(K.Marker);
        C.SetRange(0, K.Max, K.Pos, K.Page);
        C.CalcRects(K.W, K.H);
        EXPECT_EQ(C.Button(sbUpButton).R, K.Up) << K.W << 'x' << K.H << " pos " << K.Pos;
        EXPECT_EQ(C.Button(sbDownButton).R, K.Down) << K.W << 'x' << K.H << " pos " << K.Pos;
        EXPECT_EQ(C.ThumbRect(), K.Thumb) << K.W << 'x' << K.H << " pos " << K.Pos << " page " << K.Page;
    }
}

TEST(SkinScrollBarCore, SkinGeometryStretchesTheTrackAndMovesTheFarButton)
{
    // A 60 x 17 picture: arrows at both ends, a 26-pixel track, a 10 x 13 thumb picture.
    TsfScrollBarSkinGeometry G;
    G.SkinRect = {0, 0, 60, 17};
    G.RTPt = {43, 0};
    G.TrackArea = {17, 0, 43, 17};
    G.DownButtonRect = {0, 0, 17, 17};
    G.UpButtonRect = {43, 0, 60, 17};
    G.ThumbRect = {100, 0, 110, 13};
    TsfSkinScrollBarCore C;
    C.SetSkinGeometry(&G);
    C.SetRange(0, 100, 100, 0);
    C.CalcRects(200, 17);
    EXPECT_EQ(C.NewTrackArea(), (TRect{17, 0, 183, 17}));
    EXPECT_EQ(C.Button(sbUpButton).R, (TRect{183, 0, 200, 17}));
    EXPECT_EQ(C.Button(sbDownButton).R, (TRect{0, 0, 17, 17}));
    // The picture's length and breadth, centred across the track: 17 div 2 - 13 div 2 = 2.
    EXPECT_EQ(C.ThumbRect(), (TRect{173, 2, 183, 15}));
    G.ThumbMinSize = 20;
    G.ThumbMinPageSize = 30;
    C.SetSkinGeometry(&G);
    C.CalcRects(200, 17);
    EXPECT_EQ(C.ThumbLength(), 30);  // no page: the minimum for a page-less bar
    C.SetRange(0, 100, 0, 1);
    C.CalcRects(200, 17);
    EXPECT_EQ(C.ThumbLength(), 20);  // a tiny page: at least the minimum size
}

TEST(SkinScrollBarCore, ArrowRepeatsAfter550ThenEvery50AndPausesOutside)
{
    Bar B;
    const TPoint Up = B.Centre(sbUpButton);
    B.Press(Up.X, Up.Y);
    EXPECT_EQ(B.C.Position(), 1);
    B.Timer.AdvanceTo(549);
    EXPECT_EQ(B.C.Position(), 1);  // the 500 ms tick only switches to the fast rate
    B.Timer.AdvanceTo(550);
    EXPECT_EQ(B.C.Position(), 2);
    B.Timer.AdvanceTo(700);
    EXPECT_EQ(B.C.Position(), 5);
    B.C.MouseMove(100, 9);  // off the arrow: the repeat pauses
    B.Timer.AdvanceTo(2000);
    EXPECT_EQ(B.C.Position(), 5);
    EXPECT_EQ(B.C.PartState(sbUpButton), psNormal);
    B.C.MouseMove(Up.X, Up.Y);  // back: resumes 50 ms later
    EXPECT_EQ(B.C.PartState(sbUpButton), psPressed);
    B.Timer.AdvanceTo(2049);
    EXPECT_EQ(B.C.Position(), 5);
    B.Timer.AdvanceTo(2050);
    EXPECT_EQ(B.C.Position(), 6);
    B.C.MouseUp(true, Up.X, Up.Y);
    B.Timer.AdvanceTo(5000);
    EXPECT_EQ(B.C.Position(), 6);
    EXPECT_EQ(B.C.TimerMode(), sbtmNone);
    // Arrows never fire OnLastChange.
    EXPECT_EQ(std::count(B.Events.begin(), B.Events.end(), "last"), 0);
}

TEST(SkinScrollBarCore, OwnerHandledArrowsLeaveThePositionAlone)
{
    Bar B;
    B.C.SetPosition(50);
    int Ups = 0, Downs = 0;
    B.C.OnUpButtonClick = [&](TObject*) { ++Ups; };
    B.C.OnDownButtonClick = [&](TObject*) { ++Downs; };
    const TPoint Up = B.Centre(sbUpButton), Down = B.Centre(sbDownButton);
    B.Press(Up.X, Up.Y);
    B.Timer.AdvanceTo(600);  // 550 and 600
    B.C.MouseUp(true, Up.X, Up.Y);
    B.Press(Down.X, Down.Y);
    B.C.MouseUp(true, Down.X, Down.Y);
    EXPECT_EQ(Ups, 3);
    EXPECT_EQ(Downs, 1);
    EXPECT_EQ(B.C.Position(), 50);
}

TEST(SkinScrollBarCore, PagingStopsWhenTheThumbReachesThePointer)
{
    Bar B;
    B.C.SetLargeChange(10);
    B.Press(150, 9);  // beyond the thumb at the start
    EXPECT_EQ(B.C.Position(), 10);
    B.Timer.AdvanceTo(5000);
    // The thumb's right edge passes x = 150 at position 80 (thumb 143..159).
    EXPECT_EQ(B.C.Position(), 80);
    EXPECT_EQ(B.C.TimerMode(), sbtmNone);
    B.C.MouseUp(true, 150, 9);
    EXPECT_EQ(std::count(B.Events.begin(), B.Events.end(), "pagedown"), 8);
    EXPECT_EQ(std::count(B.Events.begin(), B.Events.end(), "last"), 0);

    // Paging back; leaving the bar does not stop it.
    B.Press(40, 9);
    B.C.MouseLeave();
    B.Timer.AdvanceTo(10000);
    EXPECT_EQ(B.C.ThumbRect().Left <= 40, true);
    EXPECT_EQ(B.C.Position(), 10);
    B.C.MouseUp(true, 40, 9);

    // Paging forward stops when the pointer leaves the bar with the button down.
    B.Press(190 - 17, 9);
    const Integer After = B.C.Position();
    B.C.MouseLeave();
    B.Timer.AdvanceTo(20000);
    EXPECT_EQ(B.C.Position(), After);
}

TEST(SkinScrollBarCore, ThumbDragMapsPixelsToPositionsAndEndsWithLastChange)
{
    Bar B;
    B.C.SetRange(0, 100, 0, 10);
    B.C.CalcRects(200, 19);
    const TPoint T = B.Centre(sbThumb);
    B.Press(T.X, T.Y);
    EXPECT_EQ(B.C.PartState(sbThumb), psPressed);
    // The centre runs over Offset2 - Offset1 pixels for positions 0..91.
    const Integer Span = B.C.Offset2() - B.C.Offset1();
    B.C.MouseMove(T.X + Span / 2, 40);  // off the bar: dragging goes on
    EXPECT_EQ(B.C.Position(), static_cast<Integer>(Round(91.0 * (Span / 2) / Span)));
    B.C.MouseMove(T.X + 1000, T.Y);
    EXPECT_EQ(B.C.Position(), 91);
    B.C.MouseMove(T.X - 1000, T.Y);
    EXPECT_EQ(B.C.Position(), 0);
    B.Events.clear();
    B.C.MouseUp(true, T.X, T.Y);
    EXPECT_EQ(B.Events, std::vector<std::string>{"last"});
    EXPECT_FALSE(B.C.Dragging());
    // A right-button press does nothing of the bar's own.
    B.C.MouseDown(false, T.X, T.Y);
    EXPECT_EQ(B.C.CaptureButton(), -1);
}

TEST(SkinScrollBarCore, KeysAndWheelNeedCanFocused)
{
    Bar B;
    B.C.SetPosition(50);
    EXPECT_FALSE(B.C.KeyDown(sfVK_RIGHT));
    B.C.SetFocused(true);
    B.C.MouseWheel(120);
    EXPECT_EQ(B.C.Position(), 50);
    B.C.SetCanFocused(true);
    const struct { Integer Key; Integer Expected; } Keys[] = {
        {sfVK_LEFT, 49}, {sfVK_UP, 48}, {sfVK_RIGHT, 49}, {sfVK_DOWN, 50}};
    for (const auto& K : Keys) {
        EXPECT_TRUE(B.C.KeyDown(K.Key));
        EXPECT_EQ(B.C.Position(), K.Expected) << K.Key;
    }
    EXPECT_FALSE(B.C.KeyDown(sfVK_HOME));
    B.C.MouseWheel(120);
    EXPECT_EQ(B.C.Position(), 49);
    B.C.MouseWheel(-120);
    EXPECT_EQ(B.C.Position(), 50);
    // Focused with CanFocused: the thumb shows pressed.
    EXPECT_EQ(B.C.PartState(sbThumb), psPressed);
    B.C.SetFocused(false);
    B.C.MouseWheel(120);
    EXPECT_EQ(B.C.Position(), 50);
}
