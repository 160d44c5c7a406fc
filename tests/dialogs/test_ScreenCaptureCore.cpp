#include <gtest/gtest.h>

#include "dialogs/ScreenCaptureCore.h"

using namespace ScreenCapture;

namespace {
constexpr Integer SW = 640, SH = 480;
}

TEST(SnapSelection, RectangleFromTwoCornersHoldsBothCornerPixels)
{
    struct Case {
        TPoint A, B;
        TRect Want;
    } Cases[] = {
        {{10, 10}, {5, 20}, {5, 10, 11, 21}},
        {{5, 20}, {10, 10}, {5, 10, 11, 21}},
        {{7, 7}, {7, 7}, {7, 7, 8, 8}},
        {{0, 0}, {SW - 1, SH - 1}, {0, 0, SW, SH}},
    };
    for (const Case& C : Cases) {
        TSnapSelection S(SW, SH);
        S.MouseMove(C.A.X, C.A.Y);
        S.PressLeft(C.A.X, C.A.Y);
        EXPECT_TRUE(S.Started());
        EXPECT_EQ(S.Result(), srRunning);
        S.MouseMove(C.B.X, C.B.Y);
        S.PressLeft(C.B.X, C.B.Y);
        EXPECT_EQ(S.Result(), srOk);
        EXPECT_EQ(S.CurRect(), C.Want);
    }
    TSnapSelection S(SW, SH);
    S.PressLeft(10, 10);
    S.MouseMove(5, 20);
    S.PressLeft(5, 20);
    EXPECT_EQ(S.CurRect().Width(), 6);
    EXPECT_EQ(S.CurRect().Height(), 11);
}

TEST(SnapSelection, EnterPressesAtTheCursorAndArrowsMoveIt)
{
    TSnapSelection S(SW, SH);
    S.MouseMove(30, 40);
    TKeyAction A = S.Key(13);
    ASSERT_TRUE(A.Handled && A.Press);
    S.PressLeft(-1, -1);
    ASSERT_TRUE(S.Started());
    struct Step {
        Integer Key, Dx, Dy;
    } Steps[] = {{37, -1, 0}, {38, 0, -1}, {39, 1, 0}, {40, 0, 1}};
    for (const Step& St : Steps) {
        A = S.Key(St.Key);
        EXPECT_TRUE(A.Handled);
        EXPECT_EQ(A.Dx, St.Dx);
        EXPECT_EQ(A.Dy, St.Dy);
    }
    EXPECT_FALSE(S.Key(65).Handled);
    S.MouseMove(32, 43);
    S.PressLeft(-1, -1);
    EXPECT_EQ(S.Result(), srOk);
    EXPECT_EQ(S.CurRect(), (TRect{30, 40, 33, 44}));
}

TEST(SnapSelection, EscapeAndRightReleaseCancelInEveryMode)
{
    for (TSnapMode M : {smRect, smPolygon, smFixRect, smWindow, smPickColor}) {
        TSnapSelection S(SW, SH);
        S.SetSnapMode(M, 50, 50);
        EXPECT_TRUE(S.Key(27).Cancel);
        S.ReleaseRight();
        EXPECT_EQ(S.Result(), srCancel) << M;
        S.PressLeft(1, 1);
        S.PressLeft(2, 2);
        EXPECT_EQ(S.Result(), srCancel) << "an ended run stays ended";
    }
}

TEST(SnapSelection, FixedRectangleIsClippedToTheScreen)
{
    struct Case {
        TPoint At;
        TRect Want;
    } Cases[] = {{{10, 10}, {10, 10, 110, 60}}, {{600, 450}, {600, 450, SW, SH}}};
    for (const Case& C : Cases) {
        TSnapSelection S(SW, SH);
        S.SetSnapMode(smFixRect, 100, 50);
        S.MouseMove(C.At.X, C.At.Y);
        S.PressLeft(C.At.X, C.At.Y);
        EXPECT_EQ(S.Result(), srOk);
        EXPECT_EQ(S.CurRect(), C.Want);
    }
}

TEST(SnapSelection, PolygonNeedsThreeDistinctCorners)
{
    TSnapSelection Two(SW, SH);
    Two.SetSnapMode(smPolygon, 0, 0);
    Two.PressLeft(10, 10);
    Two.PressLeft(20, 30);
    Two.PressLeft(20, 30);  // the double click's press on the same point
    Two.DoubleClick();
    EXPECT_EQ(Two.Points().size(), 2u);
    EXPECT_EQ(Two.Result(), srCancel);

    TSnapSelection Three(SW, SH);
    Three.SetSnapMode(smPolygon, 0, 0);
    Three.PressLeft(10, 10);
    Three.PressLeft(40, 12);
    Three.PressLeft(25, 30);
    Three.DoubleClick();
    EXPECT_EQ(Three.Result(), srOk);
    EXPECT_EQ(Three.CurRect(), (TRect{10, 10, 40, 30}));
}

TEST(SnapSelection, WindowModeConfirmsOnTheSecondPressAndPickColorCancelsOnAPress)
{
    TSnapSelection W(SW, SH);
    W.SetSnapMode(smWindow, 0, 0);
    W.PressLeft(1, 1);
    EXPECT_EQ(W.Result(), srRunning);
    W.PressLeft(1, 1);
    EXPECT_EQ(W.Result(), srOk);
    TSnapSelection P(SW, SH);
    P.SetSnapMode(smPickColor, 0, 0);
    P.PressLeft(1, 1);
    EXPECT_EQ(P.Result(), srCancel);
}

TEST(InfoBox, FlipsNearTheRightAndBottomEdges)
{
    struct Case {
        TSnapMode Mode;
        TPoint Cursor;
        TPoint Want;
    } Cases[] = {
        {smRect, {100, 100}, {120, 113}},
        {smRect, {SW - 240, 100}, {SW - 240 - 240, 113}},
        {smRect, {SW - 241, 100}, {SW - 221, 113}},
        {smRect, {100, SH - 143}, {100 + 20, SH - 143 - 130 - 13}},
        {smFixRect, {100, 100}, {100, 100 + 50 + 8}},
        {smFixRect, {SW - 100, SH - 100}, {SW - 100 - 220 - 8, SH - 100 - 130 - 8}},
    };
    for (const Case& C : Cases) {
        const TRect R = InfoBoxRect(C.Mode, C.Cursor, 50, SW, SH);
        EXPECT_EQ(R.Left, C.Want.X) << C.Cursor.X << "," << C.Cursor.Y;
        EXPECT_EQ(R.Top, C.Want.Y) << C.Cursor.X << "," << C.Cursor.Y;
        EXPECT_EQ(R.Width(), 220);
        EXPECT_EQ(R.Height(), 130);
    }
}

TEST(ShowColor, FollowerFlipsLeftAndUpNearTheEdges)
{
    EXPECT_EQ(ShowColorPlace(100, 100, 101, 16, SW, SH), (TPoint{120, 100}));
    EXPECT_EQ(ShowColorPlace(SW - 121, 100, 101, 16, SW, SH), (TPoint{SW - 101, 100}));
    EXPECT_EQ(ShowColorPlace(SW - 120, 100, 101, 16, SW, SH), (TPoint{SW - 120 - 20 - 101, 100}));
    EXPECT_EQ(ShowColorPlace(100, SH - 16, 101, 16, SW, SH), (TPoint{120, SH - 16}));
    EXPECT_EQ(ShowColorPlace(100, SH - 15, 101, 16, SW, SH), (TPoint{120, SH - 31}));
}

TEST(ColorNotations, RedAndAMixedColour)
{
    const std::vector<String> Red = ColorPickerValues(0x0000FF);
    const std::vector<String> WantRed = {u"255, 0, 0", u"255", u"#FF0000", u"0x0000FF", u"$000000FF"};
    EXPECT_EQ(Red, WantRed);
    const std::vector<String> Mixed = ColorPickerValues(0x563412);
    const std::vector<String> WantMixed = {u"18, 52, 86", u"5649426", u"#123456", u"0x563412", u"$00563412"};
    EXPECT_EQ(Mixed, WantMixed);
    EXPECT_EQ(ColorRgbText(0x563412), u"(18, 52, 86)");
}

TEST(PickSource, CodesByNameAndEnds)
{
    EXPECT_EQ(PickSourceCode(u"clColor"), 1);
    EXPECT_EQ(PickSourceCode(u"clFillColor"), 2);
    EXPECT_EQ(PickSourceCode(u"cbCanvasColor"), 8);
    EXPECT_EQ(PickSourceCode(u"clHatchBackColor"), 15);
    EXPECT_EQ(PickSourceCode(u"muTrayColorPicker"), 99);
    EXPECT_EQ(PickSourceCode(u"clcolor"), 0);
    EXPECT_TRUE(PickSourceShowsMarker(1) && PickSourceShowsMarker(2) && !PickSourceShowsMarker(3));

    struct Case {
        Integer Code;
        TPickEndCause Cause;
        bool Apply, Picker, Release;
    } Cases[] = {
        {1, peLeftUp, true, false, false},       {15, peLeftUp, true, false, false},
        {99, peLeftUp, false, true, false},      {1, peOtherButtonUp, false, false, true},
        {99, peOtherButtonUp, false, false, true}, {3, peCaptureLost, false, false, true},
        {0, peCaptureLost, false, false, false},
    };
    for (const Case& C : Cases) {
        const TPickEnd E = PickEndAction(C.Code, C.Cause);
        EXPECT_EQ(E.ApplyColor, C.Apply) << C.Code << " " << C.Cause;
        EXPECT_EQ(E.ShowPicker, C.Picker) << C.Code << " " << C.Cause;
        EXPECT_EQ(E.ReleaseLeft, C.Release) << C.Code << " " << C.Cause;
    }
}
