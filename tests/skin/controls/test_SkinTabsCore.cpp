#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/SkinTabsCore.h"

namespace {

// The skin of a 59 x 52 frame piece with borders of 2 on every side.
TsfTabBorders Twos() { return {2, 2, 2, 2}; }

}  // namespace

TEST(SkinTabsCore, DescriptionFallbacks)
{
    TsfDataSkinTabControl D(u"tab");
    D.TabRect = {0, 0, 40, 22};
    D.CloseButtonRect = {0, 30, 9, 39};
    D.TabLeftBottomActiveRect = {50, 0, 52, 2};
    TsfTabSkin S;
    CopyTabDescription(D, S);
    EXPECT_EQ(S.ActiveTabRect, D.TabRect);
    EXPECT_EQ(S.FocusTabRect, TRect{});  // falls back to the description's own (empty) selected picture
    EXPECT_EQ(S.ClosebuttonActiveRect, D.CloseButtonRect);
    EXPECT_EQ(S.CloseButtonDownRect, D.CloseButtonRect);
    EXPECT_EQ(S.TabLeftBottomFocusRect, D.TabLeftBottomActiveRect);
    D.ActiveTabRect = {0, 22, 40, 46};
    D.CloseButtonActiveRect = {10, 30, 19, 39};
    CopyTabDescription(D, S);
    EXPECT_EQ(S.FocusTabRect, D.ActiveTabRect);
    EXPECT_EQ(S.CloseButtonDownRect, D.CloseButtonActiveRect);
    EXPECT_EQ(S.ActiveRise(), 2);
}

TEST(SkinTabsCore, DisplayRectCorrections)
{
    struct Case {
        TsfTabSide Side;
        bool Described;
        TRect Platform, Expected;
    };
    const TsfTabBorders B = Twos();
    // A 200 x 100 client area.
    const Case Cases[] = {
        {tsdTop, true, {2, 26, 198, 98}, {2, 22, 198, 98}},
        {tsdBottom, true, {2, 2, 198, 74}, {2, 0, 198, 76}},
        {tsdLeft, true, {26, 2, 198, 98}, {24, 0, 198, 98}},
        {tsdRight, true, {2, 2, 174, 98}, {2, 0, 176, 98}},
        {tsdTop, false, {2, 26, 198, 98}, {1, 21, 199, 99}},
        {tsdBottom, false, {2, 2, 198, 74}, {1, 1, 199, 77}},
        {tsdLeft, false, {26, 2, 198, 98}, {23, -3, 199, 99}},
        {tsdRight, false, {2, 2, 174, 98}, {-1, -3, 177, 99}},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(CorrectTabDisplayRect(C.Side, C.Described, B, 200, 100, C.Platform), C.Expected)
            << C.Side << " " << C.Described;
    // The skin's frame of borders 2 with tabs on top: (2, top - 4, width - 2, height - 2).
    EXPECT_EQ(CorrectTabDisplayRect(tsdTop, true, B, 300, 200, {4, 30, 296, 196}), (TRect{2, 26, 298, 198}));
    // Hidden tabs: one pixel more towards the tabs; at the bottom only with a description.
    EXPECT_EQ(HiddenTabsDisplayRect(tsdTop, true, {2, 20, 8, 9}).Top, 19);
    EXPECT_EQ(HiddenTabsDisplayRect(tsdBottom, false, {2, 20, 8, 9}).Bottom, 9);
    EXPECT_EQ(HiddenTabsDisplayRect(tsdBottom, true, {2, 20, 8, 9}).Bottom, 10);
    EXPECT_EQ(HiddenTabsDisplayRect(tsdRight, true, {2, 20, 8, 9}).Right, 9);
}

TEST(SkinTabsCore, ItemRectCorrections)
{
    struct Case {
        TsfTabSide Side;
        bool SingleRow;
        TRect Expected;
    };
    const TRect R{10, 10, 50, 32};
    const Case Cases[] = {
        {tsdTop, true, {8, 8, 48, 30}},    {tsdTop, false, {10, 8, 50, 30}},
        {tsdBottom, true, {8, 12, 48, 34}}, {tsdBottom, false, {10, 12, 50, 34}},
        {tsdLeft, false, {8, 10, 48, 32}},  {tsdRight, false, {12, 10, 52, 32}},
    };
    for (const Case& C : Cases) EXPECT_EQ(CorrectTabItemRect(C.Side, C.SingleRow, R), C.Expected) << C.Side;
}

TEST(SkinTabsCore, FrameStripAndSelectedTabGeometry)
{
    const TRect F = TabFrameRect({2, 24, 198, 98}, Twos());
    EXPECT_EQ(F, (TRect{0, 22, 200, 100}));
    EXPECT_EQ(TabStripRect(tsdTop, F, 200, 100), (TRect{0, 0, 200, 22}));
    EXPECT_EQ(TabStripRect(tsdBottom, {0, 0, 200, 78}, 200, 100), (TRect{0, 78, 200, 100}));
    EXPECT_EQ(TabStripRect(tsdLeft, {30, 0, 200, 100}, 200, 100), (TRect{0, 0, 30, 100}));
    EXPECT_EQ(TabStripRect(tsdRight, {0, 0, 170, 100}, 200, 100), (TRect{170, 0, 200, 100}));
    const TRect I{0, 0, 40, 22};
    EXPECT_EQ(GrowActiveTabRect(tsdTop, I, 2), (TRect{0, 0, 40, 24}));
    EXPECT_EQ(GrowActiveTabRect(tsdBottom, I, 2), (TRect{0, -2, 40, 22}));
    EXPECT_EQ(GrowActiveTabRect(tsdLeft, I, 2), (TRect{0, 0, 42, 22}));
    EXPECT_EQ(GrowActiveTabRect(tsdRight, I, 2), (TRect{-2, 0, 40, 22}));
}

TEST(SkinTabsCore, TabsStart)
{
    EXPECT_EQ(CalcTabsStart(0, 80, 400, 3), 80);   // 200 - 120
    EXPECT_EQ(CalcTabsStart(30, 80, 400, 3), 30);  // the offset wins
    EXPECT_EQ(CalcTabsStart(0, 0, 400, 3), 0);     // varying widths
    EXPECT_EQ(CalcTabsStart(0, 80, 100, 5), 0);    // wider than the control
}

TEST(SkinTabsCore, CloseStatesServeEveryTabIndex)
{
    TsfTabCloseStates S;
    S.Reset(3);
    EXPECT_EQ(S.At(-1), nullptr);
    TsfCBButtonX* Far = S.At(299);  // tabs from 255 on have their state too
    ASSERT_NE(Far, nullptr);
    Far->MouseIn = Far->Down = true;
    EXPECT_EQ(S.Count(), 300);
    S.ClearFlags(299);
    EXPECT_FALSE(S.At(299)->MouseIn || S.At(299)->Down);
    S.ClearFlags(1000);  // beyond: nothing
    S.At(2)->Down = true;
    S.Reset(300);
    EXPECT_FALSE(S.At(2)->Down);
}

TEST(SkinTabsCore, HoverAndCloseButtonPressRelease)
{
    TsfTabCloseStates States;
    TsfTabTracker T;
    T.State = [&](Integer Pos) { return States.At(Pos); };
    const std::vector<TRect> Items = {{0, 0, 50, 20}, {50, 0, 100, 20}, {100, 0, 150, 20}};
    for (Integer i = 0; i < 3; ++i) States.At(i)->R = {35, 3, 49, 17};
    // Tab 1 is selected: hovering it asks no repaint, hovering tab 2 does.
    EXPECT_FALSE(T.Test(Items, 60, 5, 1));
    EXPECT_EQ(T.Active, 1);
    EXPECT_TRUE(T.Test(Items, 110, 5, 1));
    EXPECT_EQ(T.Active, 2);
    EXPECT_EQ(T.OldActive, 1);
    EXPECT_FALSE(T.Test(Items, 110, 5, 1));
    EXPECT_TRUE(T.Test(Items, 150, 5, 1));  // the right edge is outside: tab 2 left
    EXPECT_FALSE(T.Test(Items, 160, 5, 1));
    EXPECT_EQ(T.Active, -1);
    // Close buttons: entering the button lights it, leaving clears it.
    T.ShowCloseButtons = true;
    EXPECT_TRUE(T.Test(Items, 140, 10, 1));
    EXPECT_TRUE(States.At(2)->MouseIn);
    EXPECT_TRUE(T.Test(Items, 110, 10, 1));
    EXPECT_FALSE(States.At(2)->MouseIn);
    // Press on the body and release on the button: the release decides.
    EXPECT_FALSE(T.Press(Items, 110, 10));
    T.Test(Items, 140, 10, 1);
    EXPECT_TRUE(T.Release(Items, 140, 10));
    EXPECT_TRUE(States.At(2)->MouseIn);
    EXPECT_FALSE(States.At(2)->Down);
    // Press on the button, release beside it: no close, flags cleared.
    EXPECT_TRUE(T.Press(Items, 140, 10));
    EXPECT_TRUE(States.At(2)->Down);
    EXPECT_FALSE(T.Release(Items, 120, 10));
    EXPECT_FALSE(States.At(2)->Down || States.At(2)->MouseIn);
    // A row shifted by a start of 30: the mouse X arrives reduced by it.
    T.Test(Items, 140, 10, 1);
    EXPECT_TRUE(T.Press(Items, 110, 10, 30));
    // Leaving a hovered tab clears its flags (page control) or not (tab control).
    T.Test(Items, 140, 10, 1);
    T.Test(Items, 10, 10, 1);
    EXPECT_FALSE(States.At(2)->MouseIn);
    T.ClearOldFlags = false;
    T.Test(Items, 40, 10, 1);
    EXPECT_TRUE(States.At(0)->MouseIn);
    T.Test(Items, 60, 10, 1);
    EXPECT_TRUE(States.At(0)->MouseIn);
}

TEST(SkinTabsCore, ScrollerRangeAndPlace)
{
    // Ten 40-pixel tabs, two scrolled out at the left, on a 250-pixel control.
    std::vector<TRect> Items;
    for (Integer i = 0; i < 10; ++i) Items.push_back({i * 40 - 80, 0, i * 40 - 40, 20});
    EXPECT_EQ(TabsScrollPosition(Items), 2);
    EXPECT_EQ(TabsScrollMax(Items, 247), 2 + 2);  // right edges up to 240 fit; 280 and 320 do not
    EXPECT_EQ(TabsScrollMax({}, 247), 0);
    TsfTabSkin S;
    S.SkinRect = {0, 0, 59, 52};
    S.ClRect = {2, 2, 57, 50};
    EXPECT_EQ(TabScrollerTop(tsdTop, nullptr, {2, 24, 198, 98}, 18, 100), 0);
    EXPECT_EQ(TabScrollerTop(tsdTop, &S, {2, 24, 198, 98}, 18, 100), 4);
    EXPECT_EQ(TabScrollerTop(tsdTop, &S, {2, 10, 198, 98}, 18, 100), 0);  // raised to 0
    EXPECT_EQ(TabScrollerTop(tsdBottom, nullptr, {}, 18, 100), 82);
    EXPECT_EQ(TabScrollerTop(tsdBottom, &S, {2, 2, 198, 76}, 18, 100), 78);
    EXPECT_EQ(TabScrollerTop(tsdBottom, &S, {2, 2, 198, 96}, 18, 100), 82);  // lowered into the control
}

TEST(SkinTabsCore, CloseButtonPlaceAndTurns)
{
    EXPECT_EQ(PlaceCloseButton({30, 0, 50, 22}, 14, 14), (TRect{30, 4, 44, 18}));
    // A lying 60 x 20 tab: its button at the right end lands at the top
    // (tabs on the left) or the bottom (tabs on the right) of the standing one.
    const TRect R{44, 3, 58, 17};
    EXPECT_EQ(TurnCloseButtonRect(tsdLeft, R, 60, 20), (TRect{3, 2, 17, 16}));
    EXPECT_EQ(TurnCloseButtonRect(tsdRight, R, 60, 20), (TRect{3, 44, 17, 58}));
    EXPECT_EQ(TurnCloseButtonRect(tsdTop, R, 60, 20), R);
}

TEST(SkinTabsCore, ImageAndCaptionCentredTogether)
{
    // A 16 x 16 image and a 30 x 14 caption (32 with its gap) in 100 x 22.
    TsfTabContentPlace P = PlaceTabImageAndText(100, 22, 0, 32, 14, 16, 16);
    EXPECT_EQ(P.ImageX, 50 - 25);
    EXPECT_EQ(P.ImageY, 3);
    EXPECT_EQ(P.TextRect, (TRect{43, 4, 75, 18}));
    // An empty caption: the image alone is centred.
    P = PlaceTabImageAndText(100, 22, 2, 0, 14, 16, 16);
    EXPECT_EQ(P.ImageX, 50 - 9);
    EXPECT_EQ(P.ImageY, 5);
}

TEST(SkinTabsCore, BitmapTurnsAndFlip)
{
    // A 3 x 2 picture whose pixels are numbered by place.
    auto Make = [] {
        auto B = std::make_unique<TsfBitmap>();
        B->SetSize(3, 2);
        for (Integer y = 0; y < 2; ++y)
            for (Integer x = 0; x < 3; ++x) B->SetPixel(x, y, TsfColor(0xFF000000u | (y * 3 + x + 1)));
        return B;
    };
    auto Id = [](const TsfBitmap& B, Integer x, Integer y) { return Integer(uint32_t(B.GetPixel(x, y)) & 0xFF); };
    auto B = Make();
    RotateBitmapCCW(B.get());
    ASSERT_EQ(B->Width(), 2);
    ASSERT_EQ(B->Height(), 3);
    EXPECT_EQ(Id(*B, 0, 2), 1);  // (0, 0) -> (0, 3 - 1 - 0)
    EXPECT_EQ(Id(*B, 1, 0), 6);  // (2, 1) -> (1, 0)
    B = Make();
    RotateBitmapCW(B.get());
    EXPECT_EQ(Id(*B, 1, 0), 1);  // (0, 0) -> (2 - 1 - 0, 0)
    EXPECT_EQ(Id(*B, 0, 2), 6);  // (2, 1) -> (0, 2)
    B = Make();
    FlipBitmapVert(B.get());
    EXPECT_EQ(Id(*B, 0, 0), 4);
    EXPECT_EQ(Id(*B, 2, 1), 3);
}
