#include "skin/controls/SkinSliderCore.h"

#include <algorithm>

#include "skin/controls/SkinClock.h"

namespace {

Integer RoundI(double X) { return static_cast<Integer>(Round(X)); }
Integer Limit(Int64 V, Integer Lo, Integer Hi) { return static_cast<Integer>(std::max<Int64>(Lo, std::min<Int64>(V, Hi))); }

}  // namespace

// ---------------------------------------------------------------------------
// Track bar

void TsfSkinTrackBarCore::Repaint()
{
    if (OnRepaint) OnRepaint();
}

void TsfSkinTrackBarCore::SetValue(Integer V)
{
    if (V > FMaxValue) V = FMaxValue;
    if (V < FMinValue) V = FMinValue;
    if (V == FValue) return;
    FValue = V;
    Repaint();
    if (OnChange) OnChange(Sender);
}

void TsfSkinTrackBarCore::SetMinValue(Integer V)
{
    FMinValue = V;
    if (FValue < V) FValue = V;
    Repaint();
}

void TsfSkinTrackBarCore::SetMaxValue(Integer V)
{
    FMaxValue = V;
    if (FValue > V) FValue = V;
    Repaint();
}

void TsfSkinTrackBarCore::SetVertical(bool V)
{
    FVertical = V;
    Repaint();
}

void TsfSkinTrackBarCore::SetFocused(bool V)
{
    if (FFocused == V) return;
    FFocused = V;
    if (FCanFocused) Repaint();
}

void TsfSkinTrackBarCore::SetSize(Integer Width, Integer Height)
{
    FWidth = Width;
    FHeight = Height;
}

TRect TsfSkinTrackBarCore::PlaceThumb(const TRect& R, Integer W, Integer H)
{
    const Int64 Range = Int64(FMaxValue) - FMinValue;
    const double X = Range == 0 ? 0.0 : double(Int64(FValue) - FMinValue) / double(Range);
    TRect T;
    if (!FVertical) {
        FOffset1 = R.Left + W / 2;
        FOffset2 = R.Right - W / 2;
        FBOffset = RoundI((FOffset2 - FOffset1) * X);
        T.Left = FOffset1 + FBOffset - W / 2;
        T.Top = R.Top + R.Height() / 2 - H / 2;
    } else {
        // The value runs upwards.
        FOffset1 = R.Top + H / 2;
        FOffset2 = R.Bottom - H / 2;
        FBOffset = RoundI((FOffset2 - FOffset1) * X);
        T.Top = FOffset2 - FBOffset - H / 2;
        T.Left = R.Left + R.Width() / 2 - W / 2;
    }
    T.Right = T.Left + W;
    T.Bottom = T.Top + H;
    FBR = T;
    return T;
}

Integer TsfSkinTrackBarCore::GetNewValue(Integer D) const
{
    const Integer Diff = FOffset2 - FOffset1;
    const double Q = std::clamp(Diff > 0 ? double(D) / Diff : 0.0, 0.0, 1.0);
    return static_cast<Integer>(FMinValue + Round((double(FMaxValue) - FMinValue) * Q));
}

void TsfSkinTrackBarCore::MouseDown(Integer X, Integer Y)
{
    if (!FMouseSupport) return;
    // The thumb's rectangle with its right and bottom edges counted in.
    if (!PtInRectX({FBR.Left, FBR.Top, FBR.Right + 1, FBR.Bottom + 1}, X, Y)) return;
    OMPos = FVertical ? Y : X;
    OldBOffset = FBOffset;
    FDown = true;
    Repaint();
    if (OnStartDragButton) OnStartDragButton(Sender);
}

void TsfSkinTrackBarCore::MouseMove(Integer X, Integer Y)
{
    if (!FMouseSupport || !FDown) return;
    SetValue(GetNewValue(FVertical ? OMPos + OldBOffset - Y : X + OldBOffset - OMPos));
}

void TsfSkinTrackBarCore::MouseUp(Integer X, Integer Y)
{
    if (!FMouseSupport) return;
    if (FDown) {
        FDown = false;
        Repaint();
        if (OnLastChange) OnLastChange(Sender);
    } else if (FJumpWhenClick) {
        // The thumb's centre goes to the click point.
        const Integer D = FVertical ? FHeight - Y - FBR.Height() / 2 - FTrackStart : X - FBR.Width() / 2 - FTrackStart;
        SetValue(GetNewValue(D));
    }
}

bool TsfSkinTrackBarCore::KeyDown(Integer Key)
{
    if (!FCanFocused) return false;
    switch (Key) {
    case sfVK_LEFT:
    case sfVK_DOWN:
        SetValue(FValue - 1);
        break;
    case sfVK_UP:
    case sfVK_RIGHT:
        SetValue(FValue + 1);
        break;
    default:
        return false;
    }
    if (OnLastChange) OnLastChange(Sender);
    return true;
}

void TsfSkinTrackBarCore::MouseWheel(Integer WheelDelta)
{
    if (!FFocused || !FCanFocused) return;
    const bool Up = FVertical ? WheelDelta > 0 : WheelDelta <= 0;
    SetValue(Up ? FValue + 1 : FValue - 1);
    if (OnLastChange) OnLastChange(Sender);
}

// ---------------------------------------------------------------------------
// Slider: value, range and increment

TsfSkinSliderCore::~TsfSkinSliderCore() { SkinClock()->StopTimers(this); }

void TsfSkinSliderCore::Invalidate(const TRect& R)
{
    if (OnInvalidate) OnInvalidate(R);
}

void TsfSkinSliderCore::SetValue(Integer V)
{
    V = std::max(FMinValue, std::min(V, FMaxValue));
    const Integer Old = FValue;
    FValue = V;
    PlaceThumbAt(PositionOfValue(ValueOfPosition(PositionOfValue(V))));
    if (V != Old && OnChange) OnChange(Sender);
}

void TsfSkinSliderCore::SetRange(Integer A, Integer B)
{
    if (A >= B && !Loading) return;
    FMinValue = A;
    FMaxValue = B;
    if (!Loading && Int64(B) < Int64(A) + FIncrement) FIncrement = B - A;
    if (FOptions & soShowPoints) Invalidate(TRect{});
    SetValue(FValue);
    if (OnRangeChanged) OnRangeChanged();
}

void TsfSkinSliderCore::SetMinValue(Integer V)
{
    if (V != FMinValue) SetRange(V, FMaxValue);
}

void TsfSkinSliderCore::SetMaxValue(Integer V)
{
    if (V != FMaxValue) SetRange(FMinValue, V);
}

void TsfSkinSliderCore::SetIncrement(Integer V)
{
    if (V <= 0 || V == FIncrement) return;
    FIncrement = V;
    SetValue(FValue);
    Invalidate(TRect{});
}

void TsfSkinSliderCore::SetOptions(TsfSliderOptions V)
{
    if (V == FOptions) return;
    FOptions = V;
    Invalidate(TRect{});
}

// ---------------------------------------------------------------------------
// Slider: layout and positions

void TsfSkinSliderCore::RebuildLayout(const TRect& R, Integer RulerBreadth, Integer TW, Integer TH)
{
    FBounds = R;
    FThumbW = TW;
    FThumbH = TH;
    FRulerBreadth = RulerBreadth;
    const Integer A = SliderMargin;
    if (!FVertical) {
        FRulerLength = R.Width() - 2 * A;
        Integer ThumbTop, TickTop;
        if (RulerBreadth < TH) {
            ThumbTop = A;
            FRulerOrg = {R.Left + A, R.Top + A + (TH - RulerBreadth) / 2};
            TickTop = TH + 7;
        } else {
            FRulerOrg = {R.Left + A, R.Top + A};
            ThumbTop = A + (RulerBreadth - TH) / 2;
            TickTop = RulerBreadth + 7;
        }
        FThumbRect = {R.Left + A, R.Top + ThumbTop, R.Left + A + TW, R.Top + ThumbTop + TH};
        FPointsRect = {FRulerOrg.X, R.Top + TickTop, FRulerOrg.X + FRulerLength, R.Top + R.Height() - 1};
    } else {
        FRulerLength = R.Height() - 2 * A;
        Integer ThumbLeft, TickLeft;
        if (RulerBreadth < TW) {
            ThumbLeft = A;
            FRulerOrg = {R.Left + A + (TW - RulerBreadth) / 2, R.Top + A};
            TickLeft = TW + 7;
        } else {
            FRulerOrg = {R.Left + A, R.Top + A};
            ThumbLeft = A + (RulerBreadth - TW) / 2;
            TickLeft = RulerBreadth + 7;
        }
        FThumbRect = {R.Left + ThumbLeft, R.Top + A, R.Left + ThumbLeft + TW, R.Top + A + TH};
        FPointsRect = {R.Left + TickLeft, FRulerOrg.Y, R.Left + R.Width() - 1, FRulerOrg.Y + FRulerLength};
    }
    SetValue(FValue);
    Invalidate(TRect{});
}

TRect TsfSkinSliderCore::RulerRect() const
{
    return FVertical ? TRect{FRulerOrg.X, FRulerOrg.Y, FRulerOrg.X + FRulerBreadth, FRulerOrg.Y + FRulerLength}
                     : TRect{FRulerOrg.X, FRulerOrg.Y, FRulerOrg.X + FRulerLength, FRulerOrg.Y + FRulerBreadth};
}

Integer TsfSkinSliderCore::TravelLength() const { return FRulerLength - (FVertical ? FThumbH : FThumbW); }

Integer TsfSkinSliderCore::PositionOfValue(Integer V) const
{
    const Integer A = (FVertical ? FBounds.Top : FBounds.Left) + SliderMargin;
    const Int64 Range = Int64(FMaxValue) - FMinValue;
    Integer P = A + (Range > 0 ? RoundI(double(TravelLength()) * (Int64(V) - FMinValue) / double(Range)) : 0);
    // Values grow upwards on a vertical slider.
    if (FVertical) P = FBounds.Top + FBounds.Height() - P - FThumbH;
    return std::max(P, A);
}

Integer TsfSkinSliderCore::ValueOfPosition(Integer P) const
{
    const Integer L = TravelLength();
    // A ruler no longer than the thumb leaves nothing to map: the start of the range.
    if (L <= 0) return FMinValue;
    const Integer A = (FVertical ? FBounds.Top : FBounds.Left) + SliderMargin;
    if (FVertical) P = FBounds.Top + FBounds.Height() - P - FThumbH;
    Int64 X = Round(double(P - A) * (double(FMaxValue) - FMinValue) / L);
    if (!(FOptions & soSmooth) && FIncrement > 0) X = Int64(FIncrement) * Round(double(X) / FIncrement);
    return Limit(std::max<Int64>(X, 0) + FMinValue, FMinValue, FMaxValue);
}

void TsfSkinSliderCore::PlaceThumbAt(Integer P)
{
    TRect T = FThumbRect;
    if (FVertical)
        T.Top = P, T.Bottom = P + FThumbH;
    else
        T.Left = P, T.Right = P + FThumbW;
    if (T == FThumbRect) return;
    Invalidate(FThumbRect);
    FThumbRect = T;
    Invalidate(FThumbRect);
}

void TsfSkinSliderCore::MoveThumbTo(Integer P)
{
    const Integer A = (FVertical ? FBounds.Top : FBounds.Left) + SliderMargin;
    P = std::max(std::min(P, A + TravelLength()), A);
    const Integer V = ValueOfPosition(P);
    PlaceThumbAt(PositionOfValue(V));
    if (FSliding && V != FValue) {
        FValue = V;
        if (OnChange) OnChange(Sender);
    }
}

// ---------------------------------------------------------------------------
// Slider: mouse, repeat and keys

TsfJumpMode TsfSkinSliderCore::JumpDirection(Integer X, Integer Y) const
{
    if (!FVertical) return X < FThumbRect.Left ? jmPrior : X >= FThumbRect.Right ? jmNext : jmNone;
    return Y < FThumbRect.Top ? jmNext : Y >= FThumbRect.Bottom ? jmPrior : jmNone;
}

void TsfSkinSliderCore::StartThumbDrag(Integer X, Integer Y)
{
    if (OnTakeFocus) OnTakeFocus();
    if (!Allowed()) return;
    FSliding = FThumbDown = true;
    FHit = Along(X, Y) - (FVertical ? FThumbRect.Top : FThumbRect.Left);
    Invalidate(FThumbRect);
}

void TsfSkinSliderCore::DragThumb(Integer X, Integer Y)
{
    if (FSliding) MoveThumbTo(Along(X, Y) - FHit);
}

void TsfSkinSliderCore::EndThumbDrag()
{
    if (!FSliding) return;
    FSliding = FThumbDown = false;
    Invalidate(FThumbRect);
    if (OnChanged) OnChanged(Sender);
}

void TsfSkinSliderCore::MouseDown(bool Left, bool DoubleClick, Integer X, Integer Y)
{
    if (!Left) return;
    if (OnThumb(X, Y)) {
        if (!DoubleClick) StartThumbDrag(X, Y);
        return;
    }
    TRect Ruler = RulerRect();
    if (FVertical)
        Ruler.Left -= 3, Ruler.Right += 3;
    else
        Ruler.Top -= 3, Ruler.Bottom += 3;
    if (!PtInRectX(Ruler, X, Y) || !Allowed()) return;
    if (OnCapture) OnCapture(true);
    FTracking = true;
    FMousePos = {X, Y};
    FStartJump = JumpDirection(X, Y);
    Timer();
}

void TsfSkinSliderCore::MouseMove(bool LeftDown, Integer X, Integer Y)
{
    if (FTracking) FMousePos = {X, Y};
    if (LeftDown) DragThumb(X, Y);
}

void TsfSkinSliderCore::MouseUp(bool Left, Integer X, Integer Y)
{
    (void)X, (void)Y;
    if (!Left) return;
    EndThumbDrag();
    if (FTracking) {
        if (FTimerActive) SkinClock()->StopTimer(this, 1);
        FTimerActive = false;
        if (OnCapture) OnCapture(false);
        FTracking = false;
        if (OnChanged) OnChanged(Sender);
    }
}

void TsfSkinSliderCore::Timer()
{
    if (!FTracking) return;
    // One jump per tick while the pointer stays on the side it started on.
    if (JumpDirection(FMousePos.X, FMousePos.Y) == FStartJump) Jump(FStartJump);
    if (!FTimerActive) {
        FTimerActive = true;
        SkinClock()->StartTimer(this, 1, SliderRepeatInterval, [this] { Timer(); });
    }
}

void TsfSkinSliderCore::Jump(TsfJumpMode Mode)
{
    const Int64 Snapped = Int64(FIncrement) * Round(double(FValue) / FIncrement);
    Int64 V;
    switch (Mode) {
    case jmHome: V = FMinValue; break;
    case jmEnd: V = FMaxValue; break;
    case jmNext: V = FIncrement + Snapped; break;
    case jmPrior: V = Snapped - FIncrement; break;
    default: return;
    }
    const Integer R = Limit(V, FMinValue, FMaxValue);
    if (R != FValue) SetValue(R);
}

bool TsfSkinSliderCore::KeyDown(Integer Key, bool ShiftCtrlAlt)
{
    if (ShiftCtrlAlt || !Allowed()) return false;
    TsfJumpMode Mode;
    switch (Key) {
    case sfVK_HOME: Mode = jmHome; break;
    case sfVK_END: Mode = jmEnd; break;
    case sfVK_LEFT: if (FVertical) return false; Mode = jmPrior; break;
    case sfVK_RIGHT: if (FVertical) return false; Mode = jmNext; break;
    case sfVK_UP: if (!FVertical) return false; Mode = jmNext; break;
    case sfVK_DOWN: if (!FVertical) return false; Mode = jmPrior; break;
    default: return false;
    }
    Jump(Mode);
    if (OnChanged) OnChanged(Sender);
    return true;
}

std::vector<TsfSliderTick> TsfSkinSliderCore::TickMarks(Integer Step, Integer NormalLength, Integer ExtremeLength) const
{
    std::vector<TsfSliderTick> Ticks;
    const Integer L = TravelLength();
    if (L <= 0 || Step <= 0) return Ticks;
    const Int64 D = Int64(FMaxValue) - FMinValue;
    if (D < 0) return Ticks;
    // Marks m = round(D / (Step x H)) + 1 apart L div m; the smallest H whose
    // spacing reaches 4 pixels (or the whole length). Spacing only grows with
    // H, so the smallest one is found by bisection rather than counting up.
    const auto M = [&](Int64 H) { return Round(double(D) / (double(Step) * double(H))); };
    const auto Enough = [&](Int64 H) {
        const Int64 Marks = M(H);
        const Int64 Spacing = Marks == 0 ? L : L / Marks;
        return Spacing >= 4 || Spacing >= L;
    };
    Int64 Lo = 1, Hi = 2 * D / Step + 1;
    while (Lo < Hi) {
        const Int64 Mid = Lo + (Hi - Lo) / 2;
        if (Enough(Mid))
            Hi = Mid;
        else
            Lo = Mid + 1;
    }
    const Int64 Count = M(Lo) + 1;
    const Integer Half = FVertical ? FThumbH / 2 : FThumbW / 2;
    for (Int64 I = 0; I < Count; ++I) {
        const Integer V = I == Count - 1 ? FMaxValue : Limit(FMinValue + Int64(Step) * Lo * I, FMinValue, FMaxValue);
        const bool Extreme = V == FMinValue || V == FMaxValue;
        Ticks.push_back({PositionOfValue(V) + Half, Extreme ? ExtremeLength : NormalLength});
    }
    return Ticks;
}
