// The canvas zoom without a window: steps, track bar, fit, wheel and the
// automatic scrolling of a drag beyond the canvas.
#include <gtest/gtest.h>

#include "shell/ZoomSteps.h"

TEST(ZoomSteps, ButtonsWalkTheStepsAndStopAtTheEnds)
{
    struct {
        Integer Current, Out, In;
    } const Cases[] = {
        {100, 50, 400}, {400, 100, 800}, {1600, 800, 1600}, {1, 1, 5},
        {150, 100, 400},  // reached by fitting: between steps
        {3, 1, 5},        {2000, 1600, 1600},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(ZoomStepOut(C.Current), C.Out) << C.Current;
        EXPECT_EQ(ZoomStepIn(C.Current), C.In) << C.Current;
    }
}

TEST(ZoomSteps, TrackBarMapsBothWays)
{
    struct {
        Integer Percent, Position;
    } const Cases[] = {{1, 1}, {100, 100}, {115, 101}, {150, 103}, {400, 120}, {1600, 200}};
    for (const auto& C : Cases) EXPECT_EQ(ZoomToTrack(C.Percent), C.Position) << C.Percent;
    EXPECT_EQ(TrackToZoom(120), 400);
    EXPECT_EQ(TrackToZoom(100), 100);
    EXPECT_EQ(TrackToZoom(200), 1600);
    EXPECT_EQ(TrackToZoom(103), 145);  // 150 % is not a track position: the bar only mirrors it
    // Every track position maps back to itself.
    for (Integer P = TrackMin; P <= TrackMax; ++P) EXPECT_EQ(ZoomToTrack(TrackToZoom(P)), P) << P;
}

TEST(ZoomSteps, FitTakesTheTighterSideWithinTheLimits)
{
    struct {
        Integer Vw, Vh, Bw, Bh, Percent;
    } const Cases[] = {
        {500, 500, 1000, 500, 50},    // wider than the view
        {500, 500, 500, 1000, 50},    // taller
        {500, 400, 100000, 10, 1},    // below 1 %: the lower limit
        {500, 400, 4, 4, 1600},       // above 1600 %: the upper limit
        {300, 300, 10000, 10000, 3},  // between steps: used as it is
        {0, 500, 100, 100, 100},      // a view without width: nothing to fit to
        {500, 0, 100, 100, 100},
        {500, 500, 0, 0, 100},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(FitZoom(C.Vw, C.Vh, C.Bw, C.Bh), C.Percent) << C.Vw << "x" << C.Vh << " " << C.Bw << "x" << C.Bh;
}

TEST(ZoomSteps, WheelZoomsWhenThePictureFitsOrAsTheModeSays)
{
    EXPECT_EQ(WheelActionFor(0, 400, 500, 20), TWheelAction::Zoom);
    EXPECT_EQ(WheelActionFor(0, 460, 500, 20), TWheelAction::Zoom);  // exactly fits inside the over-size
    EXPECT_EQ(WheelActionFor(0, 461, 500, 20), TWheelAction::Scroll);
    EXPECT_EQ(WheelActionFor(1, 10, 500, 0), TWheelAction::Scroll);
    EXPECT_EQ(WheelActionFor(2, 5000, 500, 0), TWheelAction::Zoom);
    EXPECT_EQ(WheelActionFor(7, 10, 500, 0), TWheelAction::None);
}

TEST(ZoomSteps, AutoScrollOneDirectionPerTickOutsideTheInnerArea)
{
    const TPoint O{100, 50};
    const Integer W = 400, H = 300;  // inner area to (482, 332)
    struct {
        TPoint P, Step;
    } const Cases[] = {
        {{200, 200}, {0, 0}},  {{482, 332}, {0, 0}},   // on the edge: nothing
        {{483, 200}, {20, 0}}, {{200, 333}, {0, 20}},  // one pixel beyond
        {{99, 200}, {-20, 0}}, {{200, 49}, {0, -20}},
        {{50, 10}, {0, -20}},                           // above and left: vertical first
    };
    for (const auto& C : Cases) {
        const TPoint S = AutoScrollStep(C.P, O, W, H);
        EXPECT_EQ(S, C.Step) << C.P.X << "," << C.P.Y;
    }
}

TEST(ZoomSteps, TheWheelGoesToThePanelUnderThePointerFirst)
{
    using T = TWheelTarget;
    TWheelPanels All;
    All.PresetBarVisible = All.RightVisible = All.OverRight = true;
    All.StripBarVisible = All.OverStrip = true;
    All.TextVisible = All.MemoFocused = All.OverText = true;
    All.MemoLines = 5;
    struct {
        const char* What;
        void (*Change)(TWheelPanels&);
        T Expected;
    } const Cases[] = {
        {"everything holds: the preset panel wins", [](TWheelPanels&) {}, T::PresetPanel},
        {"preset bar hidden", [](TWheelPanels& P) { P.PresetBarVisible = false; }, T::OpenDocuments},
        {"right panel hidden", [](TWheelPanels& P) { P.RightVisible = false; }, T::OpenDocuments},
        {"pointer off the right panel", [](TWheelPanels& P) { P.OverRight = false; }, T::OpenDocuments},
        {"no preset, strip bar hidden",
         [](TWheelPanels& P) { P.OverRight = false, P.StripBarVisible = false; }, T::TextMemo},
        {"no preset, pointer off the strip", [](TWheelPanels& P) { P.OverRight = false, P.OverStrip = false; },
         T::TextMemo},
        {"memo of 4 lines scrolls nothing itself",
         [](TWheelPanels& P) { P.OverRight = P.OverStrip = false, P.MemoLines = 4; }, T::Canvas},
        {"memo without the focus", [](TWheelPanels& P) { P.OverRight = P.OverStrip = P.MemoFocused = false; },
         T::Canvas},
        {"text panel hidden", [](TWheelPanels& P) { P.OverRight = P.OverStrip = P.TextVisible = false; }, T::Canvas},
        {"pointer off the text panel", [](TWheelPanels& P) { P.OverRight = P.OverStrip = P.OverText = false; },
         T::Canvas},
        {"nothing shows", [](TWheelPanels& P) { P = TWheelPanels(); }, T::Canvas},
    };
    for (const auto& C : Cases) {
        TWheelPanels P = All;
        C.Change(P);
        EXPECT_EQ(WheelTargetFor(P), C.Expected) << C.What;
    }
}
