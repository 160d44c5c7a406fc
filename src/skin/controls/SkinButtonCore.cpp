#include "skin/controls/SkinButtonCore.h"

#include <algorithm>
#include <cmath>

#include "skin/controls/SkinClock.h"
#include "skin/model/SFUtils.h"

namespace {

// The morph moves in fifths; counting them keeps 1 and 0 exact, so the hot
// and normal pictures are reached on the fifth tick and not one later.
double MorphStep(double Kf, Integer Direction)
{
    return std::clamp(std::round(Kf * 5 + Direction) / 5, 0.0, 1.0);
}

constexpr Cardinal RepeatDelay = 500;
constexpr Cardinal MorphInterval = 20;

}  // namespace

void ReadButtonSkin(const TsfDataSkinButtonControl& D, TsfButtonKind Kind, bool Flat, TsfButtonSkinLook& Look)
{
    Look.FontName = D.FontName;
    Look.FontColor = D.FontColor;
    Look.ActiveFontColor = D.ActiveFontColor;
    Look.DownFontColor = D.DownFontColor;
    Look.FontStyle = D.FontStyle;
    Look.FontHeight = D.FontHeight;
    Look.ActiveSkinRect = D.ActiveSkinRect;
    Look.DownSkinRect = D.DownSkinRect;
    Look.Morphing = D.Morphing;
    Look.MorphKind = D.MorphKind;
    Look.DisabledSkinRect = D.DisabledSkinRect;
    Look.DisabledFontColor = D.DisabledFontColor;
    Look.AnimateSkinRect = D.AnimateSkinRect;
    Look.FrameCount = D.FrameCount;
    Look.AnimateInterval = D.AnimateInterval;
    Look.MenuMarkerRect = D.MenuMarkerRect;
    Look.MenuMarkerActiveRect = D.MenuMarkerActiveRect;
    Look.MenuMarkerDownRect = D.MenuMarkerDownRect;
    Look.MenuMarkerFlatRect = D.MenuMarkerFlatRect;
    Look.MenuMarkerTransparentColor = D.MenuMarkerTransparentColor;
    Look.FocusedSkinRect = D.FocusedSkinRect;
    Look.ShowFocus = D.ShowFocus;
    Look.GlowLayerPictureIndex = D.GlowLayerPictureIndex;
    Look.GlowLayerMaskPictureIndex = D.GlowLayerMaskPictureIndex;
    Look.GlowLayerOffsetLeft = D.GlowLayerOffsetLeft;
    Look.GlowLayerOffsetTop = D.GlowLayerOffsetTop;
    Look.GlowLayerOffsetRight = D.GlowLayerOffsetRight;
    Look.GlowLayerOffsetBottom = D.GlowLayerOffsetBottom;
    Look.GlowLayerShowOffsetX = D.GlowLayerShowOffsetX;
    Look.GlowLayerShowOffsetY = D.GlowLayerShowOffsetY;
    Look.GlowLayerAlphaBlendValue = D.GlowLayerAlphaBlendValue;

    if (IsNullRect(Look.ActiveSkinRect)) Look.ActiveSkinRect = D.SkinRect;
    if (IsNullRect(Look.DownSkinRect)) Look.DownSkinRect = Look.ActiveSkinRect;
    if (Kind == TsfButtonKind::Speed && Flat) Look.Morphing = false;
    if (IsNullRect(Look.MenuMarkerActiveRect)) Look.MenuMarkerActiveRect = Look.MenuMarkerRect;
    if (IsNullRect(Look.MenuMarkerDownRect)) Look.MenuMarkerDownRect = Look.MenuMarkerActiveRect;
    if (Kind == TsfButtonKind::Speed && IsNullRect(Look.MenuMarkerFlatRect)) Look.MenuMarkerFlatRect = Look.MenuMarkerRect;
    if (Look.DisabledFontColor == Look.FontColor) Look.DisabledFontColor = 0x808080;
}

void NoButtonSkin(TsfButtonKind Kind, TsfButtonSkinLook& Look)
{
    Look.Morphing = false;
    if (Kind == TsfButtonKind::Push) Look.AnimateSkinRect = TRect{};
}

TRect AnimationFrameRect(const TRect& AnimateRect, const TRect& SkinRect, Integer FrameCount, Integer Frame)
{
    if (FrameCount < 1 || Frame < 1 || Frame > FrameCount) return TRect{};
    if (RectWidth(AnimateRect) > RectWidth(SkinRect)) {
        const Integer W = RectWidth(AnimateRect) / FrameCount;
        if (W < 1) return TRect{};
        const Integer L = AnimateRect.Left + (Frame - 1) * W;
        return TRect{L, AnimateRect.Top, L + W, AnimateRect.Bottom};
    }
    const Integer H = RectHeight(AnimateRect) / FrameCount;
    if (H < 1) return TRect{};
    const Integer T = AnimateRect.Top + (Frame - 1) * H;
    return TRect{AnimateRect.Left, T, AnimateRect.Right, T + H};
}

Integer GetGlyphNum(bool ADown, bool AMouseIn, bool Enabled, Integer NumGlyphs)
{
    if (ADown && AMouseIn && NumGlyphs > 2) return 3;
    if (AMouseIn && NumGlyphs > 3) return 4;
    if (Enabled || NumGlyphs < 2) return 1;
    return 2;
}

TColor ButtonFontColor(const TsfButtonSkinLook& Look, bool Enabled, bool UseSkinFontColor, bool ADown,
                       bool AMouseIn, TColor DefaultColor)
{
    if (Enabled && !UseSkinFontColor) return DefaultColor;
    if (!Enabled) return Look.DisabledFontColor;
    if (ADown && AMouseIn) return Look.DownFontColor;
    if (AMouseIn) return Look.ActiveFontColor;
    return Look.FontColor;
}

TRect GrowClientRect(const TRect& ClRect, Integer DW, Integer DH)
{
    return TRect{ClRect.Left, ClRect.Top, ClRect.Right + DW, ClRect.Bottom + DH};
}

TsfArrowTriangle ArrowTriangle(Integer ArrowMode, Integer Width, Integer Height, Integer TextWidth)
{
    const Integer D = Width - TextWidth;
    const Integer X = D >= 40 ? TextWidth + D / 2 + 10 : Width - D / 4 - 3;
    if (ArrowMode == 1) {
        const Integer Y = Height / 2 + 1;
        return {{{X, Y}, {X + 6, Y}, {X + 3, Y - 3}}};
    }
    const Integer Y = Height / 2 - 2;
    return {{{X, Y}, {X + 6, Y}, {X + 3, Y + 3}}};
}

TsfGlowPlan PlanButtonGlow(const TsfButtonSkinLook& Look, Integer ResizeMode, bool UseSkinSize, Integer Width,
                           Integer Height, const TRect& SkinRect, const std::vector<TDibImage>& Pictures)
{
    TsfGlowPlan Plan;
    const Integer Count = Integer(Pictures.size());
    const Integer Index = Look.GlowLayerPictureIndex;
    if (Index < 0 || Index >= Count || Pictures[size_t(Index)].Empty()) return Plan;
    const Integer Mask = Look.GlowLayerMaskPictureIndex;
    Plan.PictureIndex = Index;
    Plan.MaskIndex = Mask >= 0 && Mask < Count && !Pictures[size_t(Mask)].Empty() ? Mask : -1;
    const Integer PW = Pictures[size_t(Index)].Width, PH = Pictures[size_t(Index)].Height;
    Plan.DW = Width - RectWidth(SkinRect);
    Plan.DH = Height - RectHeight(SkinRect);
    if (ResizeMode == 0) {
        Plan.Resize = TsfGlowResize::AsIs;
    } else if (ResizeMode == 2 && UseSkinSize) {
        Plan.Resize = TsfGlowResize::Horizontal;
        Plan.LeftEnd = std::clamp(Look.GlowLayerOffsetLeft, 0, PW);
        Plan.RightEnd = std::clamp(Look.GlowLayerOffsetRight, 0, PW - Plan.LeftEnd);
    } else if (ResizeMode == 1) {
        Plan.Resize = TsfGlowResize::Stretch;
        const Integer L = std::clamp(Look.GlowLayerOffsetLeft, 0, PW);
        const Integer T = std::clamp(Look.GlowLayerOffsetTop, 0, PH);
        Plan.Inner = TRect{L, T, std::clamp(PW - Look.GlowLayerOffsetRight, L, PW),
                           std::clamp(PH - Look.GlowLayerOffsetBottom, T, PH)};
    } else {
        Plan = TsfGlowPlan{};
    }
    return Plan;
}

// ---------------------------------------------------------------------------

TsfSkinButtonCore::TsfSkinButtonCore(TsfButtonKind Kind, TsfButtonHost* Host) : FKind(Kind), FHost(Host)
{
    FCanFocused = Kind == TsfButtonKind::Push;
}

TsfSkinButtonCore::~TsfSkinButtonCore() { SkinClock()->StopTimers(this); }

void TsfSkinButtonCore::SetCheckedMode(bool Value)
{
    FCheckedMode = Value;
    if (Value) {
        FGroupIndex = -1;
    } else if (FGroupIndex == -1) {
        FGroupIndex = 0;
    }
}

void TsfSkinButtonCore::SetDown(bool Value)
{
    FDown = Value;
    const TsfButtonEnv E = Env();
    if (E.CanMorphing) {
        FMorphKf = 1;
        if (Value) {
            StopMorph();
        } else {
            StartMorph();
        }
    }
    if (FKind == TsfButtonKind::Speed && FFlat && !Value && !FMouseIn && !E.Designing && !FHost->TransparentStyle())
        FHost->SetTransparentStyle(true);
    FHost->RepaintButton();
    if (Value && FGroupIndex > 0 && !FAllowAllUp) FHost->ReleaseGroup();
}

bool TsfSkinButtonCore::Animating() const { return SkinClock()->TimerRunning(this, btAnimate); }
bool TsfSkinButtonCore::Morphing() const { return SkinClock()->TimerRunning(this, btMorph); }
bool TsfSkinButtonCore::Repeating() const { return SkinClock()->TimerRunning(this, btRepeat); }

// ---------------------------------------------------------------------------
// Mouse

void TsfSkinButtonCore::MouseDownLeft()
{
    if (Animating()) StopAnimate();
    FMouseDown = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (FCheckedMode) {
            FStopMouseUp = true;
            FHost->ButtonClick();
        } else if (FRepeatMode && FGroupIndex == 0) {
            StartRepeat();
        } else if (FGroupIndex != 0) {
            FHost->ButtonClick();
        }
        FAllowAllUpCheck = false;
    } else if (FGroupIndex != 0) {
        FAllowAllUpCheck = true;
    }
}

void TsfSkinButtonCore::MouseUpLeft(Integer X, Integer Y, Integer Width, Integer Height)
{
    FMouseDown = false;
    const bool Inside = X >= 0 && Y >= 0 && X < Width && Y < Height;
    if (FCheckedMode) {
        if (FStopMouseUp) {
            FStopMouseUp = false;
        } else {
            SetDown(false);
            FHost->ButtonClick();
        }
    } else if (FGroupIndex == 0) {
        if (Inside) {
            const bool WasDown = FDown;
            SetDown(false);
            StopRepeat();
            if (WasDown) FHost->ButtonClick();
        } else {
            FDown = false;
            StopRepeat();
        }
    } else if (FAllowAllUp && FAllowAllUpCheck && Inside && FDown) {
        SetDown(false);
        FHost->ButtonClick();
    }
}

Integer TsfSkinButtonCore::MouseMoveCrossing(Integer X, Integer Y, Integer Width, Integer Height) const
{
    const bool Outside = X < 0 || Y < 0 || X > Width || Y > Height;
    if (FDown && FMouseIn && Outside) return -1;
    if (FDown && !FMouseIn && !Outside) return 1;
    return 0;
}

void TsfSkinButtonCore::MouseEnter()
{
    const TsfButtonEnv E = Env();
    const bool Ungrouped = FGroupIndex == 0;
    if (FKind == TsfButtonKind::Speed) {
        if ((Ungrouped || !FDown) && E.Enabled && FFlat && !E.Designing) FHost->SetTransparentStyle(false);
        if (!E.Enabled || E.Designing) return;
    } else if (E.Designing) {
        return;
    }
    FMouseIn = true;
    const bool Act = FKind == TsfButtonKind::Speed ? Ungrouped || !FDown : (!Ungrouped ? !FDown : !E.Focused || FDown);
    if (Act) {
        if (FDown) {
            if (E.CanMorphing) FMorphKf = 1;
            FHost->RepaintButton();
        } else {
            if (AnimationApplies()) StartAnimate(true);
            BeginMorph();
        }
    }
    if (FMouseDown && FRepeatMode && Ungrouped) StartRepeat();
}

void TsfSkinButtonCore::MouseLeave()
{
    const TsfButtonEnv E = Env();
    const bool Ungrouped = FGroupIndex == 0;
    if (FKind == TsfButtonKind::Speed) {
        if ((Ungrouped || !FDown) && E.Enabled && FFlat && !E.Designing) FHost->SetTransparentStyle(true);
        if (!E.Enabled || E.Designing) return;
    } else if (E.Designing) {
        return;
    }
    // A default push button keeps its hot look while the focus is in a control that is no push button.
    const bool KeepHot = FKind == TsfButtonKind::Push && FCanFocused && FDefault && FActive && !E.Focused;
    if (!KeepHot) FMouseIn = false;
    const bool Act = FKind == TsfButtonKind::Speed ? Ungrouped || !FDown : (!Ungrouped ? !FDown : !E.Focused || FDown);
    if (Act) {
        if (AnimationApplies()) StartAnimate(false);
        BeginMorph();
    }
    if (FMouseDown && FRepeatMode && Ungrouped) StopRepeat();
}

void TsfSkinButtonCore::EnabledChanged()
{
    if (Env().CanMorphing) {
        StopMorph();
        FMorphKf = 0;
    }
    FMouseIn = false;
    FHost->RepaintButton();
}

// ---------------------------------------------------------------------------
// Push button: focus and keys

void TsfSkinButtonCore::FocusEnter()
{
    if (!FCanFocused) return;
    if (AnimationApplies()) StartAnimate(true);
    BeginMorph();
}

void TsfSkinButtonCore::FocusLeave()
{
    StopRepeat();
    if (FDown && FGroupIndex == 0) FDown = false;
    if (!FCanFocused) return;
    if (AnimationApplies()) StartAnimate(false);
    const TsfButtonEnv E = Env();
    if (E.CanMorphing && E.HasDescription) {
        StartMorph();
    } else {
        FHost->RepaintButton();
    }
}

void TsfSkinButtonCore::FocusChanged(bool ToSelf, bool ToPushButton)
{
    FActive = ToPushButton ? ToSelf : FDefault;
    if (!FCanFocused || !FDefault) return;
    if (ToPushButton && !ToSelf) {
        FMouseIn = false;
        BeginMorph();
    } else if (!ToPushButton) {
        FMouseIn = true;
        if (Env().CanMorphing) FMorphKf = 1;
        FHost->RepaintButton();
    }
}

void TsfSkinButtonCore::SpaceDown()
{
    if (!FSpaceSupport) return;
    SetDown(true);
    if (FRepeatMode) FHost->ButtonClick();
}

void TsfSkinButtonCore::SpaceUp()
{
    if (!FSpaceSupport) return;
    SetDown(false);
    FHost->ButtonClick();
}

bool TsfSkinButtonCore::DialogKey(bool Enter, bool PlainKey, bool CanTakeFocus)
{
    if (!PlainKey) return false;
    const bool Takes = Enter ? FActive && Env().Enabled : FCancel && FCanFocused && CanTakeFocus;
    if (Takes) FHost->ButtonClick();
    return Takes;
}

// ---------------------------------------------------------------------------
// Effects

bool TsfSkinButtonCore::AnimationApplies() const
{
    const TsfButtonEnv E = Env();
    return E.HasDescription && E.CanAnimate && !IsNullRect(Look.AnimateSkinRect) && Look.FrameCount > 0 &&
           !(FKind == TsfButtonKind::Speed && FFlat);
}

void TsfSkinButtonCore::BeginMorph()
{
    const TsfButtonEnv E = Env();
    const bool SeeThrough = FKind == TsfButtonKind::Speed && (FFlat || FHost->TransparentStyle());
    if (!E.CanMorphing || !E.HasDescription || SeeThrough) {
        FHost->RepaintButton();
    } else {
        StartMorph();
    }
}

void TsfSkinButtonCore::StartMorph()
{
    if (!Morphing()) SkinClock()->StartTimer(this, btMorph, MorphInterval, [this] { MorphTick(); });
}

void TsfSkinButtonCore::StopMorph() { SkinClock()->StopTimer(this, btMorph); }

void TsfSkinButtonCore::StartAnimate(bool Forward)
{
    FAnimateInc = Forward;
    FCurrentFrame = Forward ? 1 : Look.FrameCount;
    SkinClock()->StartTimer(this, btAnimate, Cardinal(std::max(Look.AnimateInterval, 1)), [this] { AnimateTick(); });
}

void TsfSkinButtonCore::StopAnimate()
{
    SkinClock()->StopTimer(this, btAnimate);
    FCurrentFrame = 0;
}

void TsfSkinButtonCore::StartRepeat()
{
    FRepeatFirstTick = true;
    SkinClock()->StartTimer(this, btRepeat, RepeatDelay, [this] { RepeatTick(); });
}

void TsfSkinButtonCore::StopRepeat() { SkinClock()->StopTimer(this, btRepeat); }

void TsfSkinButtonCore::StopTimers()
{
    StopRepeat();
    StopMorph();
    StopAnimate();
}

void TsfSkinButtonCore::SkinChanged()
{
    StopAnimate();
    StopMorph();
    FMorphKf = 0;
    const TsfButtonEnv E = Env();
    if (E.CanMorphing && E.HasDescription && HotForMorph(E)) FMorphKf = 1;
}

void TsfSkinButtonCore::Refresh()
{
    const TsfButtonEnv E = Env();
    FMouseIn = false;
    FDown = false;
    if (E.CanMorphing) FMorphKf = 0;
    if (E.CanAnimate) StopAnimate();
    FHost->RepaintButton();
}

bool TsfSkinButtonCore::HotForMorph(const TsfButtonEnv& E) const
{
    return FMouseIn || (FKind == TsfButtonKind::Push && E.Focused);
}

void TsfSkinButtonCore::RepeatTick()
{
    if (FRepeatFirstTick) {
        FRepeatFirstTick = false;
        SkinClock()->StartTimer(this, btRepeat, Cardinal(std::max(FRepeatInterval, 1)), [this] { RepeatTick(); });
        return;
    }
    FHost->ButtonClick();
}

void TsfSkinButtonCore::MorphTick()
{
    const TsfButtonEnv E = Env();
    if (FKind == TsfButtonKind::Push && FStopAnimate && E.Focused && E.CanMorphing) {
        FStopAnimate = false;
        FMorphKf = 1;
        StopMorph();
        FHost->RepaintButton();
        return;
    }
    const bool Hot = HotForMorph(E);
    if (!E.HasDescription || !E.CanMorphing) {
        FMorphKf = Hot ? 1 : 0;
        StopMorph();
        return;
    }
    if (Hot && FMorphKf < 1) {
        FMorphKf = MorphStep(FMorphKf, 1);
    } else if (!Hot && FMorphKf > 0) {
        FMorphKf = MorphStep(FMorphKf, -1);
    } else {
        FMorphKf = Hot ? 1 : 0;
        StopMorph();
    }
    FHost->RepaintButton();
}

void TsfSkinButtonCore::AnimateTick()
{
    if (FAnimateInc) {
        if (++FCurrentFrame > Look.FrameCount) StopAnimate();
    } else if (--FCurrentFrame <= 0) {
        StopAnimate();
    }
    FHost->RepaintButton();
}

// ---------------------------------------------------------------------------
// Looks

TsfButtonFace TsfSkinButtonCore::StateFace() const
{
    const TsfButtonEnv E = Env();
    if (!E.Enabled && !IsNullRect(Look.DisabledSkinRect)) return {TsfButtonPicture::Disabled, false, false};
    const bool Push = FKind == TsfButtonKind::Push;
    const bool Focused = Push && E.Focused && FCanFocused;
    if (FDown && (FGroupIndex != 0 || FMouseIn || (Focused && !FMouseDown))) return {TsfButtonPicture::Down, true, true};
    if (Focused && !IsNullRect(Look.FocusedSkinRect) && !Animating()) return {TsfButtonPicture::Focused, false, true};
    if (Focused || FMouseIn || (E.CanMorphing && FMorphKf == 1)) return {TsfButtonPicture::Active, false, true};
    return {TsfButtonPicture::Normal, false, false};
}

bool TsfSkinButtonCore::MorphShown() const
{
    const TsfButtonEnv E = Env();
    return E.CanMorphing && E.HasDescription && E.Enabled && FMorphKf > 0 && FMorphKf < 1;
}

TRect TsfSkinButtonCore::AnimationFrame(const TRect& SkinRect) const
{
    if (!Animating() || !Env().CanAnimate) return TRect{};
    return AnimationFrameRect(Look.AnimateSkinRect, SkinRect, Look.FrameCount, FCurrentFrame);
}
