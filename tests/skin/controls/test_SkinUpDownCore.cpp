#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/controls/SkinScrollBoxCore.h"
#include "skin/controls/SkinUpDownCore.h"
#include "skin/controls/CoreClock.h"

namespace {

// A 50 x 25 horizontal up-down (down button left, up button right) with its events recorded.
struct UpDown {
    TCoreClock Timer{&C};  // installed before the core starts a timer, gone after it
    TsfSkinUpDownCore C;
    int Changes = 0, Ups = 0, Downs = 0;
    UpDown()
    {
        C.CalcRects(50, 25);
        C.OnChange = [this](TObject*) { ++Changes; };
        C.OnUpButtonClick = [this](TObject*) { ++Ups; };
        C.OnDownButtonClick = [this](TObject*) { ++Downs; };
    }
};

}  // namespace

TEST(SkinUpDownCore, PositionAcceptsOnlyValuesInTheRangeAndAlwaysFires)
{
    UpDown U;
    U.C.SetPosition(101);
    U.C.SetPosition(-1);
    EXPECT_EQ(U.Changes, 0);
    U.C.SetPosition(0);  // the same value fires too
    EXPECT_EQ(U.Changes, 1);
    U.C.SetPosition(80);
    U.C.SetMax(50);  // follows without an event
    EXPECT_EQ(U.C.Position(), 50);
    U.C.SetMin(60);
    EXPECT_EQ(U.C.Position(), 60);
    EXPECT_EQ(U.Changes, 2);
    // Min above Max: no position is accepted any more.
    U.C.SetPosition(55);
    U.C.SetPosition(65);
    EXPECT_EQ(U.C.Position(), 60);
}

TEST(SkinUpDownCore, ButtonPlaces)
{
    TsfSkinUpDownCore C;
    C.CalcRects(50, 25);
    EXPECT_EQ(C.Button(udDownButton).R, (TRect{0, 0, 25, 25}));
    EXPECT_EQ(C.Button(udUpButton).R, (TRect{25, 0, 50, 25}));
    C.SetVertical(true);
    C.CalcRects(25, 51);
    EXPECT_EQ(C.Button(udUpButton).R, (TRect{0, 0, 25, 25}));
    EXPECT_EQ(C.Button(udDownButton).R, (TRect{0, 25, 25, 51}));
    const TRect Up{16, 0, 32, 16}, Down{0, 0, 16, 16};
    C.CalcRects(100, 100, &Up, &Down);
    EXPECT_EQ(C.Button(udUpButton).R, Up);
}

TEST(SkinUpDownCore, AClickStepsOnReleaseWhereverThePointerIs)
{
    const struct { TPoint Release; Integer Button; } Cases[] = {
        {{40, 10}, udUpButton}, {{400, -30}, udUpButton}, {{10, 10}, udUpButton}, {{10, 10}, udDownButton}};
    for (const auto& K : Cases) {
        UpDown U;
        U.C.SetPosition(5);
        U.Changes = 0;
        const TPoint P = K.Button == udUpButton ? TPoint{40, 10} : TPoint{10, 10};
        U.C.MouseMove(P.X, P.Y);
        U.C.MouseDown(P.X, P.Y);
        EXPECT_EQ(U.C.Position(), 5);  // nothing at the press
        U.C.MouseMove(K.Release.X, K.Release.Y);
        U.C.MouseUp();
        EXPECT_EQ(U.C.Position(), K.Button == udUpButton ? 6 : 4);
        EXPECT_EQ(U.Changes, 1);
        EXPECT_EQ(U.Ups + U.Downs, 1);
        EXPECT_EQ(U.C.CaptureButton(), -1);
    }
}

TEST(SkinUpDownCore, HeldButtonRepeatsEvery100AfterHalfASecondAndPausesOutside)
{
    UpDown U;
    U.C.MouseMove(40, 10);
    U.C.MouseDown(40, 10);
    U.Timer.AdvanceTo(599);
    EXPECT_EQ(U.C.Position(), 0);
    U.Timer.AdvanceTo(600);
    EXPECT_EQ(U.C.Position(), 1);
    U.Timer.AdvanceTo(900);
    EXPECT_EQ(U.C.Position(), 4);
    U.C.MouseMove(10, 10);  // over the other button: counts as none while one is held
    EXPECT_EQ(U.C.ActiveButton(), -1);
    EXPECT_EQ(ButtonPartState(U.C.Button(udDownButton)), psNormal);
    U.Timer.AdvanceTo(2000);
    EXPECT_EQ(U.C.Position(), 4);
    U.C.MouseMove(40, 10);  // back: the repeat resumes on a 50 ms timer
    U.Timer.AdvanceTo(2049);
    EXPECT_EQ(U.C.Position(), 4);
    U.Timer.AdvanceTo(2150);
    EXPECT_EQ(U.C.Position(), 7);
    U.C.MouseUp();  // the release steps once more
    EXPECT_EQ(U.C.Position(), 8);
    EXPECT_EQ(U.Ups, 1);  // repeats never fire the click event
    EXPECT_FALSE(U.Timer.Running());
}

TEST(SkinUpDownCore, ZeroIncrementOnlyClicksAndStepsAtTheEndsAreIgnored)
{
    UpDown U;
    U.C.SetIncrement(0);
    U.C.MouseDown(10, 10);
    EXPECT_FALSE(U.Timer.Running());
    U.C.MouseUp();
    EXPECT_EQ(U.Downs, 1);
    EXPECT_EQ(U.Changes, 0);

    UpDown M;
    M.C.SetPosition(100);
    M.Changes = 0;
    M.C.MouseDown(40, 10);
    M.Timer.AdvanceTo(1000);
    M.C.MouseUp();
    EXPECT_EQ(M.C.Position(), 100);
    EXPECT_EQ(M.Changes, 0);
    EXPECT_EQ(M.Ups, 1);
}

namespace {

// A 150 x 150 box of children (their bounds), scrolled by moving them, with one or two bars.
struct Box {
    TsfSkinScrollBoxCore C;
    TsfSkinScrollBarCore V, H;
    std::vector<TRect> Children;
    Integer CW = 150, CH = 150;
    bool VShown = false, HShown = false;
    int Scrolls = 0;
    Box(bool Both = false)
    {
        V.SetVertical(true);
        C.VBar = &V;
        if (Both) C.HBar = &H;
        C.ClientSize = [this](bool Vert) { return Vert ? CH : CW; };
        C.ContentExtent = [this](bool Vert) {
            Integer E = 0;
            for (const auto& R : Children) E = std::max(E, Vert ? R.Bottom : R.Right);
            return E;
        };
        C.BarVisible = [this](bool Vert) { return Vert ? VShown : HShown; };
        C.OnShowBar = [this](bool Vert, bool Show) { (Vert ? VShown : HShown) = Show; };
        C.OnScrollContent = [this](Integer DX, Integer DY) {
            for (auto& R : Children) R = {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
        };
        V.OnChange = [this](TObject*) { C.BarChanged(true); };
        H.OnChange = [this](TObject*) { C.BarChanged(false); };
        C.OnVScroll = [this](TObject*) { ++Scrolls; };
    }
};

}  // namespace

TEST(SkinScrollBoxCore, RangeFollowsTheLowestChildAndFittingContentHidesTheBar)
{
    Box B;
    B.Children = {{0, 0, 100, 100}};
    B.C.UpdateScrollRange();
    EXPECT_FALSE(B.VShown);
    B.Children.push_back({0, 200, 100, 260});
    B.C.UpdateScrollRange();
    EXPECT_TRUE(B.VShown);
    EXPECT_EQ(B.V.Max(), 259);
    EXPECT_EQ(B.V.PageSize(), 150);
    B.V.SetPosition(40);
    EXPECT_EQ(B.Children[0].Top, -40);
    EXPECT_EQ(B.Scrolls, 1);
    // Another child below: Max is the lowest bottom plus the position, less one.
    B.Children.push_back({0, 300, 100, 320});
    B.C.UpdateScrollRange();
    EXPECT_EQ(B.V.Max(), 320 + 40 - 1);
    EXPECT_EQ(B.V.Position(), 40);
    // All removed but the first: the bar goes and the content is back at the top.
    B.Children.resize(1);
    B.C.UpdateScrollRange();
    EXPECT_FALSE(B.VShown);
    EXPECT_EQ(B.Children[0].Top, 0);
    EXPECT_EQ(B.V.Max(), 0);
}

TEST(SkinScrollBoxCore, VScrollStopsAtMaxLessPage)
{
    Box B;
    B.Children = {{0, 0, 100, 400}};
    B.C.UpdateScrollRange();
    B.C.VScroll(10000);
    EXPECT_EQ(B.V.Position(), 399 - 150);
    EXPECT_EQ(B.Children[0].Top, -249);
    B.C.VScroll(-50);
    EXPECT_EQ(B.V.Position(), 0);
    EXPECT_EQ(B.Children[0].Top, 0);
    // A later bar move counts from where VScroll left the content.
    B.V.SetPosition(10);
    EXPECT_EQ(B.Children[0].Top, -10);
}

TEST(SkinScrollBoxCore, GrowingWhileScrolledBringsTheContentDown)
{
    Box B;
    B.C.Aligned = true;
    B.Children = {{0, 0, 100, 280}};
    B.C.UpdateScrollRange();
    B.V.SetPosition(100);
    EXPECT_EQ(B.Children[0].Bottom, 180);
    B.CH = 200;
    B.C.SizeChanged(150, 150, 150, 200);
    EXPECT_EQ(B.Children[0].Top, -50);
    EXPECT_EQ(B.V.Position(), 50);
    EXPECT_EQ(B.C.SizeOffset(true), 0);
    // The content shrinking while scrolled closes the gap at the end.
    B.Children[0].Bottom = 120;  // top -50: 170 high
    B.C.GetVRange();
    EXPECT_EQ(B.Children[0].Bottom, 170);
    EXPECT_FALSE(B.VShown);
}

TEST(SkinScrollBoxCore, ScrollToControlAndTheLayoutArea)
{
    Box B(true);
    B.Children = {{0, 0, 100, 100}, {0, 150, 300, 180}};
    B.C.UpdateScrollRange();
    EXPECT_TRUE(B.VShown);
    EXPECT_TRUE(B.HShown);
    B.C.ScrollToControl(B.Children[1]);
    EXPECT_EQ(B.V.Position(), 30);
    EXPECT_EQ(B.Children[1].Bottom, 150);
    EXPECT_EQ(B.H.Position(), 150);
    B.C.ScrollToControl(B.Children[0]);
    EXPECT_EQ(B.V.Position(), 0);
    EXPECT_EQ(B.H.Position(), 0);
    B.V.SetPosition(20);
    EXPECT_EQ(B.C.AdjustClientRect({0, 0, 150, 150}), (TRect{0, -20, 299, 159}));
}

TEST(SkinUpDownCore, SpinModeStepsOnlyOverTheHeldButtonAndRepeatsThroughTheHook)
{
    // Released over the button, released beside it; then held for 750 ms.
    UpDown U;
    std::vector<Integer> Steps;
    U.C.SpinMode = true;
    U.C.SetIncrement(0);  // the spin edit repeats whatever its own increment is
    U.C.OnStep = [&](Integer D) { Steps.push_back(D); };
    U.C.MouseMove(40, 10);
    U.C.MouseDown(40, 10);
    U.C.MouseUp();
    EXPECT_EQ(Steps, (std::vector<Integer>{1}));
    EXPECT_EQ(U.Ups, 1);
    U.C.MouseMove(10, 10);
    U.C.MouseDown(10, 10);
    U.C.MouseMove(10, 200);
    U.C.MouseUp();
    EXPECT_EQ(Steps.size(), 1u);
    EXPECT_EQ(U.Downs, 0);
    U.C.MouseMove(10, 10);
    U.C.MouseDown(10, 10);
    U.Timer.AdvanceTo(750);
    EXPECT_EQ(Steps, (std::vector<Integer>{1, -1, -1}));  // at 600 and 700
    U.C.MouseUp();
    EXPECT_EQ(Steps.back(), -1);
    EXPECT_EQ(Steps.size(), 4u);
    EXPECT_EQ(U.C.Position(), 0);
    EXPECT_EQ(U.Changes, 0);
}
