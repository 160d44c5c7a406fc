#include <gtest/gtest.h>

#include <vector>

#include "skin/frame/SkinObjectsCore.h"

TEST(SkinObjectsCore, MorphStaysInItsRangeAndFadesBackFromWhereItIs)
{
    double Kf = 0;
    for (int i = 0; i < 12; ++i) Kf = SkinObjectMorphStepped(Kf, true);
    EXPECT_EQ(Kf, 1.0);
    EXPECT_FALSE(SkinObjectMorphDue(Kf, true));
    EXPECT_TRUE(SkinObjectMorphSettled(Kf, true));
    // Hover for two ticks, then leave: back from 0.4, never through 1.
    Kf = SkinObjectMorphStepped(SkinObjectMorphStepped(0, true), true);
    EXPECT_NEAR(Kf, 0.4, 1e-9);
    std::vector<double> Back;
    while (SkinObjectMorphDue(Kf, false)) Back.push_back(Kf = SkinObjectMorphStepped(Kf, false));
    ASSERT_EQ(Back.size(), 2u);
    EXPECT_NEAR(Back[0], 0.2, 1e-9);
    EXPECT_EQ(Back[1], 0.0);
    for (int i = 0; i < 12; ++i) Kf = SkinObjectMorphStepped(Kf, false);
    EXPECT_EQ(Kf, 0.0);
    EXPECT_FALSE(SkinObjectMorphSettled(0.6, true));
}

TEST(SkinObjectsCore, RestoreMeaning)
{
    using S = TsfRequestedState;
    struct { TStdCommand C; S State; bool Main, RolledUp, Want; } Cases[] = {
        {cmMaximize, S::Maximized, false, false, true}, {cmMaximize, S::Normal, false, false, false},
        {cmMinimize, S::Minimized, false, false, true}, {cmMinimize, S::Minimized, true, false, false},
        {cmRollUp, S::Normal, false, true, true},       {cmRollUp, S::Maximized, false, false, false},
        {cmClose, S::Maximized, false, true, false},
    };
    for (const auto& K : Cases)
        EXPECT_EQ(StdButtonMeansRestore(K.C, K.State, K.Main, K.RolledUp), K.Want) << int(K.C);
}

TEST(SkinObjectsCore, CaptionButtonsFollowTheBorderIcons)
{
    using C = TsfCaptionObjectClass;
    auto Make = [] {
        return std::vector<TsfCaptionButtonState>{
            {C::StdButton, cmClose, u"closebutton", false},
            {C::StdButton, cmClose, u"dialogclosebutton", true},
            {C::StdButton, cmMaximize, u"maxbutton", true},
            {C::StdButton, cmMinimize, u"minbutton", false},
            {C::StdButton, cmSysMenu, u"sysmenubutton", true},
            {C::StdButton, cmDefault, u"custom", false},
            {C::AnimateButton, cmClose, u"anim", true},
            {C::Caption, cmDefault, u"caption", false},
        };
    };
    struct Want { bool E, V; };
    struct { TsfBorderIconSet Icons; bool DisableSys, Hide; std::vector<Want> W; } Cases[] = {
        // A dialog with only the system menu: the dialog's close button instead of the normal one.
        {{true, false, false, false, false}, false, false,
         {{false, false}, {true, true}, {false, false}, {false, true}, {true, true}, {true, true}, {true, true}, {true, true}}},
        // With a minimise icon the normal close button stays and the dialog's goes.
        {{true, true, false, false, false}, false, false,
         {{true, true}, {false, false}, {false, false}, {true, true}, {true, true}, {true, true}, {true, true}, {true, true}}},
        {{true, true, true, true, false}, true, false,
         {{true, true}, {false, false}, {true, true}, {true, true}, {false, false}, {true, true}, {true, true}, {true, true}}},
        // Hidden: every button off, those cut from the frame picture still drawn by it.
        {{true, true, true, true, false}, false, true,
         {{false, true}, {false, false}, {false, false}, {false, true}, {false, false}, {false, true}, {false, false}, {true, true}}},
    };
    int N = 0;
    for (const auto& K : Cases) {
        auto L = Make();
        UpdateCaptionButtonStates(L, K.Icons, K.DisableSys, K.Hide);
        for (size_t i = 0; i < L.size(); ++i) {
            EXPECT_EQ(L[i].Enabled, K.W[i].E) << "case " << N << " object " << i;
            EXPECT_EQ(L[i].Visible, K.W[i].V) << "case " << N << " object " << i;
        }
        EXPECT_EQ(L[5].AskApplication, !K.Hide) << N;
        ++N;
    }
}

TEST(SkinObjectsCore, DefaultHints)
{
    struct { TStdCommand C; const char16_t* Key; const char16_t* Text; } Cases[] = {
        {cmClose, u"CLOSEBUTTON_HINT", u"Close"},       {cmMaximize, u"MAXBUTTON_HINT", u"Maximize"},
        {cmMinimize, u"MINBUTTON_HINT", u"Minimize"},   {cmSysMenu, u"MENUBUTTON_HINT", u"System menu"},
        {cmRollUp, u"ROLLUPBUTTON_HINT", u"Roll Up"},   {cmMinimizeToTray, u"TRAYBUTTON_HINT", u"Minimize to Tray"},
    };
    for (const auto& K : Cases) {
        String Key, Text;
        ASSERT_TRUE(DefaultObjectHint(K.C, Key, Text));
        EXPECT_EQ(Key, K.Key);
        EXPECT_EQ(Text, K.Text);
    }
    String Key = u"x", Text = u"y";
    EXPECT_FALSE(DefaultObjectHint(cmDefault, Key, Text));
    EXPECT_EQ(Text, u"y");
}

TEST(SkinObjectsCore, CaptionTextRectangle)
{
    TsfCaptionLayoutInput In;
    In.SkinRect = {20, 4, 120, 24};
    In.ObjectRect = {20, 4, 120, 24};
    In.TextRct = {5, 2, 90, 18};
    EXPECT_EQ(CaptionTextRect(In), (TRect{5, 2, 90, 18}));
    In.ObjectRect.Right += 100;  // 100 more pixels of caption: the right edge moves with it
    EXPECT_EQ(CaptionTextRect(In), (TRect{5, 2, 190, 18}));
    In.QuickButtonCount = 2;
    In.QuickImageWidth = 16;
    EXPECT_EQ(CaptionTextRect(In).Left, 5 + 2 * 24 + 5);
    In.DividerWidth = 4;
    EXPECT_EQ(CaptionTextRect(In).Left, 5 + 4 + 2 * 24 + 6);
    In.QuickButtonCount = 0;
    In.FrameRect = {0, 0, 40, 20};
    In.FrameTextRect = {6, 3, 30, 17};
    EXPECT_EQ(CaptionTextRect(In), (TRect{11, 5, 180, 18}));
    In.TextRct = {};
    EXPECT_EQ(CaptionTextRect(In), TRect{});
}

TEST(SkinObjectsCore, CaptionTextPlace)
{
    const TRect TR{10, 0, 110, 20};
    struct { TAlignment A; bool Centre, Odd; TPoint Want; } Cases[] = {
        {taLeftJustify, false, false, {10, 4}}, {taRightJustify, false, false, {70, 4}},
        {taCenter, false, false, {40, 4}},      {taRightJustify, true, false, {40, 4}},
        {taLeftJustify, false, true, {10, 3}},
    };
    for (const auto& K : Cases) EXPECT_EQ(CaptionTextPos(TR, K.A, K.Centre, 40, 12, K.Odd), K.Want) << int(K.A);
}

TEST(SkinObjectsCore, CaptionPieceKindAndAnimationFrames)
{
    const TPoint LT{10, 30}, RT{200, 30}, LB{10, 150}, RB{200, 150};
    struct { TRect R0, Obj; Integer Want; } Cases[] = {
        {{20, 4, 120, 24}, {20, 4, 120, 24}, 0}, {{20, 4, 120, 24}, {20, 4, 220, 24}, 1},
        {{20, 160, 120, 170}, {20, 4, 220, 24}, 2}, {{0, 40, 8, 140}, {0, 40, 8, 240}, 4},
        {{0, 10, 8, 140}, {0, 10, 8, 240}, 3},
    };
    for (const auto& K : Cases) EXPECT_EQ(CaptionPieceKind(K.R0, K.Obj, LT, RT, LB, RB), K.Want);
    EXPECT_EQ(CaptionAnimationFrame({0, 0, 40, 80}, 20, 4, 2), (TRect{0, 20, 40, 40}));
    EXPECT_EQ(CaptionAnimationFrame({0, 0, 160, 20}, 20, 4, 4), (TRect{120, 0, 160, 20}));
    EXPECT_EQ(CaptionAnimationFrame({0, 0, 160, 20}, 20, 4, 5), TRect{});
    EXPECT_EQ(CaptionAnimationFrame({0, 0, 160, 20}, 20, 0, 1), TRect{});
}

TEST(SkinObjectsCore, CaptionAnimationEveryFourthTickAndBack)
{
    TsfCaptionAnimation A;
    std::vector<Integer> Frames;
    bool Redraw = false;
    int Ticks = 0;
    while (CaptionAnimationTick(A, 100, 3, true, &Redraw) && Ticks < 100) {
        ++Ticks;
        if (Redraw) Frames.push_back(A.CurrentFrame);
    }
    EXPECT_EQ(Frames, (std::vector<Integer>{1, 2, 3, 4}));  // one past the last frame: the settled look
    // 4 ticks gather the first interval, then a step every fourth tick, and 3 more gather before it stops.
    EXPECT_EQ(Ticks, 4 + 4 * 4);
    Frames.clear();
    while (CaptionAnimationTick(A, 100, 3, false, &Redraw))
        if (Redraw) Frames.push_back(A.CurrentFrame);
    EXPECT_EQ(Frames, (std::vector<Integer>{3, 2, 1, 0}));
}
