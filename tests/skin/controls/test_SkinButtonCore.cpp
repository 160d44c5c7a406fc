#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/controls/SkinButtonCore.h"
#include "skin/controls/SkinClock.h"

namespace {

// A button's control for the core: its environment is set by the test, clicks
// are stamped with the manual clock's time, and a group of hosts releases its
// other members.
struct TTestHost : TsfButtonHost {
    explicit TTestHost(TSkinManualClock& AClock, TsfButtonKind Kind = TsfButtonKind::Speed)
        : Clock(AClock), Core(Kind, this)
    {
    }
    TsfButtonEnv ButtonEnv() const override { return Env; }
    void ButtonClick() override { Clicks.push_back(Clock.Now()); }
    void RepaintButton() override
    {
        ++Repaints;
        Frames.push_back(Core.CurrentFrame());
        Kfs.push_back(Core.MorphKf());
    }
    void ReleaseGroup() override
    {
        for (TTestHost* Other : *Group)
            if (Other != this && Other->Core.GroupIndex() == Core.GroupIndex() && Other->Core.Down())
                Other->Core.SetDown(false);
    }
    bool TransparentStyle() const override { return Transparent; }
    void SetTransparentStyle(bool Value) override { Transparent = Value; }

    TSkinManualClock& Clock;
    TsfSkinButtonCore Core;
    TsfButtonEnv Env;
    std::vector<TTestHost*>* Group = nullptr;
    std::vector<Cardinal> Clicks;
    std::vector<Integer> Frames;
    std::vector<double> Kfs;
    Integer Repaints = 0;
    bool Transparent = false;
};

constexpr Integer W = 25, H = 25;

// One step of the mouse: P press, u release inside, o release outside, L leave, E enter.
void Step(TsfSkinButtonCore& C, char S)
{
    switch (S) {
    case 'P': C.MouseDownLeft(); break;
    case 'u': C.MouseUpLeft(5, 5, W, H); break;
    case 'o': C.MouseUpLeft(40, 5, W, H); break;
    case 'L': C.MouseLeave(); break;
    case 'E': C.MouseEnter(); break;
    }
}

}  // namespace

TEST(SkinButtonCore, PressAndReleaseByMode)
{
    // Steps, then after each the down flag and the clicks so far.
    const struct {
        const char* Name;
        Integer GroupIndex;
        bool AllowAllUp, CheckedMode;
        const char* Steps;
        const char* Down;
        const char* Clicks;
    } Cases[] = {
        // A grouped press clicks at once; a second press and release on the down button do nothing.
        {"group", 1, false, false, "EPuPu", "01111", "01111"},
        {"group, all up", 1, true, false, "EPuPu", "01110", "01112"},
        {"group, all up, released outside", 1, true, false, "EPuPo", "01111", "01111"},
        // Without a group the button is down while held and clicks on the release inside.
        {"plain", 0, false, false, "EPu", "010", "001"},
        {"plain, dragged out", 0, false, false, "EPLo", "0110", "0000"},
        {"plain, dragged out and back", 0, false, false, "EPLEu", "01110", "00001"},
        // Checked mode: press 1 puts it down with a click, the release after press 2 lifts it with one.
        {"checked", 0, false, true, "EPuPu", "01110", "01112"},
    };
    TSkinClockScope Scope;
    for (const auto& C : Cases) {
        TTestHost Host(Scope.Clock);
        Host.Core.SetGroupIndex(C.GroupIndex);
        Host.Core.SetAllowAllUp(C.AllowAllUp);
        if (C.CheckedMode) Host.Core.SetCheckedMode(true);
        std::vector<TTestHost*> Group{&Host};
        Host.Group = &Group;
        std::string Down, Clicks;
        for (const char* S = C.Steps; *S; ++S) {
            Step(Host.Core, *S);
            Down += Host.Core.Down() ? '1' : '0';
            Clicks += char('0' + Host.Clicks.size());
        }
        EXPECT_EQ(Down, C.Down) << C.Name;
        EXPECT_EQ(Clicks, C.Clicks) << C.Name;
    }
}

TEST(SkinButtonCore, GroupPressReleasesTheOthers)
{
    TSkinClockScope Scope;
    TTestHost A(Scope.Clock), B(Scope.Clock), Other(Scope.Clock);
    std::vector<TTestHost*> Group{&A, &B, &Other};
    for (TTestHost* T : Group) {
        T->Group = &Group;
        T->Core.SetGroupIndex(1);
    }
    Other.Core.SetGroupIndex(2);
    Other.Core.SetDown(true);
    B.Core.SetDown(true);
    A.Core.MouseDownLeft();
    EXPECT_TRUE(A.Core.Down());
    EXPECT_FALSE(B.Core.Down());
    EXPECT_TRUE(Other.Core.Down()) << "another group is left alone";
    EXPECT_EQ(A.Clicks.size(), 1u);
    EXPECT_TRUE(B.Clicks.empty()) << "a released member does not click";
}

TEST(SkinButtonCore, RepeatClicksWhileHeld)
{
    TSkinClockScope Scope;
    TTestHost Host(Scope.Clock);
    Host.Core.SetRepeatMode(true);
    Host.Core.MouseEnter();
    Host.Core.MouseDownLeft();
    Scope.Clock.Advance(1000);
    Host.Core.MouseUpLeft(5, 5, W, H);
    EXPECT_EQ(Host.Clicks, (std::vector<Cardinal>{600, 700, 800, 900, 1000, 1000}));
    EXPECT_FALSE(Host.Core.Repeating());

    // Leaving while held stops the repeat; coming back starts the delay again.
    Host.Clicks.clear();
    Host.Core.MouseDownLeft();  // at 1000
    Scope.Clock.Advance(650);
    Host.Core.MouseLeave();
    Scope.Clock.Advance(1000);
    Host.Core.MouseEnter();  // at 2650
    Scope.Clock.Advance(700);
    Host.Core.MouseUpLeft(5, 5, W, H);
    EXPECT_EQ(Host.Clicks, (std::vector<Cardinal>{1600, 3250, 3350, 3350}));

    // A grouped repeat button clicks once on the press, like any grouped one.
    Host.Clicks.clear();
    Host.Core.SetGroupIndex(1);
    std::vector<TTestHost*> Group{&Host};
    Host.Group = &Group;
    Host.Core.MouseDownLeft();
    Scope.Clock.Advance(1000);
    EXPECT_EQ(Host.Clicks.size(), 1u);
}

TEST(SkinButtonCore, MorphStepsToTheHotLookAndBack)
{
    TSkinClockScope Scope;
    for (TsfButtonKind Kind : {TsfButtonKind::Speed, TsfButtonKind::Push}) {
        TTestHost Host(Scope.Clock, Kind);
        Host.Env.HasDescription = Host.Env.CanMorphing = Host.Env.CanAnimate = true;
        Host.Core.MouseEnter();
        std::vector<double> Seen;
        for (int i = 0; i < 5; ++i) {
            Scope.Clock.Advance(20);
            Seen.push_back(Host.Core.MorphKf());
            EXPECT_EQ(Host.Core.MorphShown(), i < 4);
        }
        EXPECT_EQ(Seen, (std::vector<double>{0.2, 0.4, 0.6, 0.8, 1.0}));
        EXPECT_EQ(Host.Core.StateFace().Picture, TsfButtonPicture::Active);
        Scope.Clock.Advance(20);
        EXPECT_FALSE(Host.Core.Morphing()) << "the tick after the end frees the timer";

        Host.Core.MouseLeave();
        Seen.clear();
        for (int i = 0; i < 5; ++i) {
            Scope.Clock.Advance(20);
            Seen.push_back(Host.Core.MorphKf());
        }
        EXPECT_EQ(Seen, (std::vector<double>{0.8, 0.6, 0.4, 0.2, 0.0}));
        EXPECT_EQ(Host.Core.StateFace().Picture, TsfButtonPicture::Normal);

        // Disabling half-way jumps to the normal picture.
        Host.Core.MouseEnter();
        Scope.Clock.Advance(40);
        Host.Env.Enabled = false;
        Host.Core.EnabledChanged();
        EXPECT_EQ(Host.Core.MorphKf(), 0.0);
        EXPECT_FALSE(Host.Core.Morphing());
        EXPECT_FALSE(Host.Core.MorphShown());
        EXPECT_EQ(Host.Core.StateFace(), (TsfButtonFace{TsfButtonPicture::Normal, false, false}));
    }

    // Without the skin's effects, or on a flat tool button, entering repaints at once.
    for (bool Flat : {false, true}) {
        TTestHost Host(Scope.Clock);
        Host.Env.HasDescription = true;
        Host.Env.CanMorphing = Flat;
        Host.Core.SetFlat(Flat);
        Host.Core.MouseEnter();
        EXPECT_FALSE(Host.Core.Morphing());
        EXPECT_EQ(Host.Repaints, 1);
    }
}

TEST(SkinButtonCore, AnimationShowsEachFrameThenThePlainPicture)
{
    TSkinClockScope Scope;
    TTestHost Host(Scope.Clock);
    Host.Env.HasDescription = Host.Env.CanAnimate = true;
    Host.Core.Look.AnimateSkinRect = {0, 0, 100, 25};
    Host.Core.Look.FrameCount = 4;
    Host.Core.Look.AnimateInterval = 30;
    Host.Core.MouseEnter();
    EXPECT_EQ(Host.Core.AnimationFrame({0, 0, 25, 25}), (TRect{0, 0, 25, 25}));
    Scope.Clock.Advance(30);
    EXPECT_EQ(Host.Core.AnimationFrame({0, 0, 25, 25}), (TRect{25, 0, 50, 25}));
    Scope.Clock.Advance(200);
    EXPECT_EQ(Host.Frames, (std::vector<Integer>{1, 2, 3, 4, 0}));
    EXPECT_FALSE(Host.Core.Animating());

    Host.Frames.clear();
    Host.Core.MouseLeave();
    Scope.Clock.Advance(200);
    EXPECT_EQ(Host.Frames, (std::vector<Integer>{4, 3, 2, 1, 0}));

    // A press stops a running animation; a flat button never animates.
    Host.Core.MouseEnter();
    Host.Core.MouseDownLeft();
    EXPECT_FALSE(Host.Core.Animating());
    EXPECT_EQ(Host.Core.CurrentFrame(), 0);
    Host.Core.MouseUpLeft(5, 5, W, H);
    Host.Core.MouseLeave();
    Scope.Clock.Advance(200);
    Host.Core.SetFlat(true);
    Host.Core.MouseEnter();
    EXPECT_FALSE(Host.Core.Animating());
}

TEST(SkinButtonCore, FlatButtonSwitchesTransparency)
{
    TSkinClockScope Scope;
    TTestHost Host(Scope.Clock);
    std::vector<TTestHost*> Group{&Host};
    Host.Group = &Group;
    Host.Core.SetFlat(true);
    Host.Transparent = true;
    Host.Core.MouseEnter();
    EXPECT_FALSE(Host.Transparent);
    Host.Core.MouseLeave();
    EXPECT_TRUE(Host.Transparent);
    // Down in a group it stays opaque when the mouse leaves.
    Host.Core.SetGroupIndex(1);
    Host.Core.MouseEnter();
    Host.Core.MouseDownLeft();
    Host.Core.MouseUpLeft(5, 5, W, H);
    Host.Core.MouseLeave();
    EXPECT_FALSE(Host.Transparent);
    EXPECT_EQ(Host.Core.StateFace().Picture, TsfButtonPicture::Down);
    // Lifted with the mouse away it turns transparent again.
    Host.Core.SetDown(false);
    EXPECT_TRUE(Host.Transparent);
}

TEST(SkinButtonCore, StateFaces)
{
    using P = TsfButtonPicture;
    const struct {
        TsfButtonKind Kind;
        bool Enabled, HasDisabled, Down, MouseIn, Focused, HasFocused;
        Integer GroupIndex;
        TsfButtonFace Face;
    } Cases[] = {
        {TsfButtonKind::Speed, true, false, false, false, false, false, 0, {P::Normal, false, false}},
        {TsfButtonKind::Speed, true, false, false, true, false, false, 0, {P::Active, false, true}},
        {TsfButtonKind::Speed, true, false, true, true, false, false, 0, {P::Down, true, true}},
        // Ungrouped and down with the mouse away: not shown down.
        {TsfButtonKind::Speed, true, false, true, false, false, false, 0, {P::Normal, false, false}},
        {TsfButtonKind::Speed, true, false, true, false, false, false, 1, {P::Down, true, true}},
        {TsfButtonKind::Speed, false, true, true, true, false, false, 1, {P::Disabled, false, false}},
        // Without a disabled picture the enabled rules apply.
        {TsfButtonKind::Speed, false, false, true, false, false, false, 1, {P::Down, true, true}},
        {TsfButtonKind::Push, true, false, false, false, true, true, 0, {P::Focused, false, true}},
        {TsfButtonKind::Push, true, false, false, false, true, false, 0, {P::Active, false, true}},
        // Space held on a focused button: down without the mouse.
        {TsfButtonKind::Push, true, false, true, false, true, true, 0, {P::Down, true, true}},
        {TsfButtonKind::Push, true, false, false, false, false, true, 0, {P::Normal, false, false}},
    };
    TSkinClockScope Scope;
    for (const auto& C : Cases) {
        TTestHost Host(Scope.Clock, C.Kind);
        Host.Env.Enabled = C.Enabled;
        Host.Env.Focused = C.Focused;
        if (C.HasDisabled) Host.Core.Look.DisabledSkinRect = {0, 0, 5, 5};
        if (C.HasFocused) Host.Core.Look.FocusedSkinRect = {0, 0, 5, 5};
        Host.Core.SetGroupIndex(C.GroupIndex);
        Host.Core.SetDownFlag(C.Down);
        Host.Core.SetMouseIn(C.MouseIn);
        const TsfButtonFace F = Host.Core.StateFace();
        EXPECT_EQ(F, C.Face) << int(C.Kind) << C.Enabled << C.Down << C.MouseIn << C.Focused << " got "
                             << int(F.Picture);
    }
}

TEST(SkinButtonCore, GlyphNumbers)
{
    // (down, hot, enabled) -> glyph for strips of 1 to 4 glyphs.
    const struct { bool Down, Hot, Enabled; Integer Glyph[4]; } Cases[] = {
        {false, false, true, {1, 1, 1, 1}},   // normal
        {false, false, false, {1, 2, 2, 2}},  // disabled
        {true, true, true, {1, 1, 3, 3}},     // down
        {false, true, true, {1, 1, 1, 4}},    // hot
    };
    for (const auto& C : Cases)
        for (Integer N = 1; N <= 4; ++N)
            EXPECT_EQ(GetGlyphNum(C.Down, C.Hot, C.Enabled, N), C.Glyph[N - 1]) << C.Down << C.Hot << C.Enabled << N;
}

TEST(SkinButtonCore, PushButtonFocusAndKeys)
{
    TSkinClockScope Scope;
    TTestHost Host(Scope.Clock, TsfButtonKind::Push);
    TsfSkinButtonCore& C = Host.Core;

    // A default button shows hot while a control that is no push button has the focus, and keeps it on leave.
    C.SetDefaultFlag(true);
    C.FocusChanged(false, false);
    EXPECT_TRUE(C.Active());
    EXPECT_TRUE(C.MouseIn());
    C.MouseLeave();
    EXPECT_TRUE(C.MouseIn());
    C.FocusChanged(false, true);
    EXPECT_FALSE(C.Active());
    EXPECT_FALSE(C.MouseIn());

    // Dialog keys: (Enter?, plain, can take focus, active, cancel, can focus) -> clicked.
    const struct { bool Enter, Plain, CanTake, Active, Cancel, CanFocused, Clicks; } Keys[] = {
        {true, true, true, true, false, true, true},     // Enter on the active button
        {true, true, true, false, false, true, false},   // not the active one
        {true, false, true, true, false, true, false},   // Ctrl+Enter
        {false, true, true, false, true, true, true},    // Escape on Cancel
        {false, true, false, false, true, true, false},  // ... that cannot take the focus
        {false, true, true, false, true, false, false},  // ... that never takes it
        {false, true, true, true, false, true, false},   // Escape on a plain button
    };
    for (const auto& K : Keys) {
        Host.Clicks.clear();
        C.SetActive(K.Active);
        C.SetCancel(K.Cancel);
        C.SetCanFocused(K.CanFocused);
        EXPECT_EQ(C.DialogKey(K.Enter, K.Plain, K.CanTake), K.Clicks) << K.Enter << K.Active << K.Cancel;
        EXPECT_EQ(Host.Clicks.size(), K.Clicks ? 1u : 0u);
    }

    // Space: down while held, one click on release; in repeat mode each key-down clicks too.
    C.SetCanFocused(true);
    Host.Clicks.clear();
    C.SpaceDown();
    EXPECT_TRUE(C.Down());
    C.SpaceUp();
    EXPECT_FALSE(C.Down());
    EXPECT_EQ(Host.Clicks.size(), 1u);
    C.SetRepeatMode(true);
    C.SpaceDown();
    C.SpaceDown();
    C.SpaceUp();
    EXPECT_EQ(Host.Clicks.size(), 4u);

    // Losing the focus lifts an ungrouped down button and stops its repeat.
    C.MouseEnter();
    C.MouseDownLeft();
    C.FocusLeave();
    EXPECT_FALSE(C.Down());
    EXPECT_FALSE(C.Repeating());
}

TEST(SkinButtonCore, SkinFallbacks)
{
    TsfDataSkinButtonControl D(u"toolbutton");
    D.SkinRect = {0, 0, 25, 25};
    D.Morphing = true;
    D.FontColor = D.DisabledFontColor = 0x102030;
    D.MenuMarkerRect = {1, 1, 5, 5};
    TsfButtonSkinLook L;
    ReadButtonSkin(D, TsfButtonKind::Speed, false, L);
    EXPECT_EQ(L.ActiveSkinRect, D.SkinRect);
    EXPECT_EQ(L.DownSkinRect, D.SkinRect);
    EXPECT_EQ(L.MenuMarkerDownRect, D.MenuMarkerRect);
    EXPECT_EQ(L.MenuMarkerFlatRect, D.MenuMarkerRect);
    EXPECT_EQ(L.DisabledFontColor, 0x808080);
    EXPECT_TRUE(L.Morphing);
    ReadButtonSkin(D, TsfButtonKind::Speed, true, L);
    EXPECT_FALSE(L.Morphing) << "a flat tool button does not morph";
    D.ActiveSkinRect = {25, 0, 50, 25};
    TsfButtonSkinLook P;
    ReadButtonSkin(D, TsfButtonKind::Push, true, P);
    EXPECT_TRUE(P.Morphing) << "the push button has no flat rule";
    EXPECT_EQ(P.DownSkinRect, D.ActiveSkinRect);
    EXPECT_EQ(P.MenuMarkerFlatRect, TRect{}) << "nor a flat marker fallback";
}

TEST(SkinButtonCore, Geometry)
{
    const struct { TRect Animate, Skin; Integer Count, Frame; TRect Expected; } Frames[] = {
        {{0, 0, 100, 25}, {0, 0, 25, 25}, 4, 3, {50, 0, 75, 25}},    // side by side
        {{10, 0, 35, 100}, {0, 0, 25, 25}, 4, 2, {10, 25, 35, 50}},  // stacked
        {{0, 0, 100, 25}, {0, 0, 25, 25}, 0, 1, {}},                 // no frames: nothing to divide by
        {{0, 0, 100, 25}, {0, 0, 25, 25}, 4, 5, {}},
        {{0, 0, 3, 2}, {0, 0, 2, 2}, 4, 1, {}},                      // parts of no size
    };
    for (const auto& F : Frames)
        EXPECT_EQ(AnimationFrameRect(F.Animate, F.Skin, F.Count, F.Frame), F.Expected) << F.Count << ' ' << F.Frame;

    // The arrow: 28 wide without caption gives x = 28 - 7 - 3; a wide button centres it after the text.
    const struct { Integer Mode, Width, Height, TextWidth; TPoint P0, P2; } Arrows[] = {
        {1, 28, 25, 0, {18, 13}, {21, 10}},
        {2, 28, 25, 0, {18, 10}, {21, 13}},
        {2, 100, 20, 30, {75, 8}, {78, 11}},
    };
    for (const auto& A : Arrows) {
        const TsfArrowTriangle T = ArrowTriangle(A.Mode, A.Width, A.Height, A.TextWidth);
        EXPECT_EQ(T.P[0], A.P0) << A.Mode << ' ' << A.Width;
        EXPECT_EQ(T.P[1], (TPoint{A.P0.X + 6, A.P0.Y}));
        EXPECT_EQ(T.P[2], A.P2);
    }
    EXPECT_EQ(GrowClientRect({2, 3, 20, 21}, 5, -2), (TRect{2, 3, 25, 19}));
}

TEST(SkinButtonCore, GlowPlanStaysInsideTheSkin)
{
    std::vector<TDibImage> Pictures(3);
    Pictures[0].Width = 40, Pictures[0].Height = 20;
    Pictures[1].Width = 40, Pictures[1].Height = 20;
    // Picture 2 is empty.
    const TRect Skin{0, 0, 30, 10};
    const struct {
        const char* Name;
        Integer Picture, Mask, ResizeMode;
        bool UseSkinSize;
        Integer OffL, OffR;
        TsfGlowResize Resize;
        Integer MaskOut, LeftEnd, RightEnd;
    } Cases[] = {
        {"fixed", 0, 1, 0, true, 0, 0, TsfGlowResize::AsIs, 1, 0, 0},
        {"horizontal", 0, 1, 2, true, 5, 6, TsfGlowResize::Horizontal, 1, 5, 6},
        {"horizontal, own size", 0, 1, 2, false, 5, 6, TsfGlowResize::None, -1, 0, 0},
        {"nine-slice", 0, -1, 1, false, 5, 6, TsfGlowResize::Stretch, -1, 0, 0},
        {"vertical", 0, 1, 3, true, 0, 0, TsfGlowResize::None, -1, 0, 0},
        {"no glow", -1, 1, 0, true, 0, 0, TsfGlowResize::None, -1, 0, 0},
        {"picture past the list", 3, 1, 0, true, 0, 0, TsfGlowResize::None, -1, 0, 0},
        {"empty picture", 2, 1, 0, true, 0, 0, TsfGlowResize::None, -1, 0, 0},
        {"mask past the list", 0, 7, 0, true, 0, 0, TsfGlowResize::AsIs, -1, 0, 0},
        {"ends wider than the picture", 0, 1, 2, true, 30, 30, TsfGlowResize::Horizontal, 1, 30, 10},
    };
    for (const auto& C : Cases) {
        TsfButtonSkinLook L;
        L.GlowLayerPictureIndex = C.Picture;
        L.GlowLayerMaskPictureIndex = C.Mask;
        L.GlowLayerOffsetLeft = C.OffL;
        L.GlowLayerOffsetRight = C.OffR;
        L.GlowLayerOffsetTop = 2;
        L.GlowLayerOffsetBottom = 3;
        const TsfGlowPlan P = PlanButtonGlow(L, C.ResizeMode, C.UseSkinSize, 50, 14, Skin, Pictures);
        EXPECT_EQ(P.Resize, C.Resize) << C.Name;
        if (P.Resize == TsfGlowResize::None) continue;
        EXPECT_EQ(P.MaskIndex, C.MaskOut) << C.Name;
        EXPECT_EQ(P.DW, 20) << C.Name;
        EXPECT_EQ(P.DH, 4) << C.Name;
        if (P.Resize == TsfGlowResize::Horizontal) {
            EXPECT_EQ(P.LeftEnd, C.LeftEnd) << C.Name;
            EXPECT_EQ(P.RightEnd, C.RightEnd) << C.Name;
        }
        if (P.Resize == TsfGlowResize::Stretch) {
            EXPECT_EQ(P.Inner, (TRect{5, 2, 34, 17})) << C.Name;
        }
    }
}
