#include "skin/controls/SkinScrollBarCore.h"

#include <algorithm>

#include "skin/controls/SkinClock.h"

namespace {

// Built-in look: arrow buttons of 17 pixels at both ends, a thumb of at least 16.
constexpr Integer DefaultButtonSize = 17;
constexpr Integer DefaultThumbSize = 16;

Integer RoundI(double X) { return static_cast<Integer>(Round(X)); }

}  // namespace

// ---------------------------------------------------------------------------
// Range and position

Integer TsfSkinScrollBarCore::ClampPosition(Integer Value) const
{
    if (Value < FMin) return FMin;
    // 64 bits: Max - PageSize + 1 may pass the 32-bit range with a skin's or a caller's extremes.
    const Int64 Upper = FPageSize > 0 ? Int64(FMax) - FPageSize + 1 : Int64(FMax);
    return static_cast<Integer>(std::min<Int64>(Value, Upper));
}

void TsfSkinScrollBarCore::SetPosition(Integer Value)
{
    const Integer NewPos = ClampPosition(Value);
    if (NewPos == FPosition) return;
    FPosition = NewPos;
    Repaint();
    Fire(OnChange);
}

void TsfSkinScrollBarCore::SimplySetPosition(Integer Value)
{
    FPosition = ClampPosition(Value);
    Repaint();
}

void TsfSkinScrollBarCore::SetRange(Integer AMin, Integer AMax, Integer APosition, Integer APageSize)
{
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
    FPosition = ClampPosition(APosition);
    Repaint();
}

void TsfSkinScrollBarCore::SetMin(Integer Value)
{
    FMin = Value;
    if (FPosition < FMin) FPosition = FMin;
    Repaint();
}

void TsfSkinScrollBarCore::SetMax(Integer Value)
{
    FMax = Value;
    if (FPageSize == 0) {
        if (FPosition > FMax) FPosition = FMax;
    } else if (Int64(FMax) - FMin < Int64(FPageSize) + FPosition) {
        FPosition = static_cast<Integer>(std::max<Int64>(Int64(FMax) - FMin - FPageSize + 1, FMin));
    }
    Repaint();
}

void TsfSkinScrollBarCore::SetPageSize(Integer Value)
{
    if (Int64(FPosition) + Value <= Int64(FMax) - FMin + 1) FPageSize = Value;
    Repaint();
}

void TsfSkinScrollBarCore::SetSmallChange(Integer Value)
{
    FSmallChange = Value;
    Repaint();
}

void TsfSkinScrollBarCore::SetLargeChange(Integer Value)
{
    FLargeChange = Value;
    Repaint();
}

void TsfSkinScrollBarCore::SetVertical(bool Value)
{
    if (FVertical == Value) return;
    FVertical = Value;
    Repaint();
}

void TsfSkinScrollBarCore::SetBothMarkerWidth(Integer Value)
{
    if (Value < 0) return;
    FBothMarkerWidth = Value;
    if (!FSkinInUse) Repaint();
}

void TsfSkinScrollBarCore::SetFocused(bool Value)
{
    if (FFocused == Value) return;
    FFocused = Value;
    Repaint();
}

// ---------------------------------------------------------------------------
// Geometry

void TsfSkinScrollBarCore::SetSkinGeometry(const TsfScrollBarSkinGeometry* Value)
{
    FSkinInUse = Value != nullptr;
    if (Value) FSkin = *Value;
}

void TsfSkinScrollBarCore::CalcRects(Integer Width, Integer Height)
{
    FWidth = Width;
    FHeight = Height;
    TRect Up, Down, Track;
    Integer Breadth = 0;  // the thumb across the bar; 0: the whole track
    Integer T;
    const Int64 Span = Int64(FMax) - FMin + 1;
    if (!FSkinInUse) {
        if (FVertical) {
            Down = {1, 1, Width - 1, DefaultButtonSize};
            Up = {1, Height - DefaultButtonSize, Width - 1, Height - 1};
            Track = {1, DefaultButtonSize, Width - 1, Height - DefaultButtonSize};
        } else {
            const Integer L = FBoth ? Width - FBothMarkerWidth : Width;
            Down = {1, 1, DefaultButtonSize, Height - 1};
            Up = {L - DefaultButtonSize, 1, L - 1, Height - 1};
            Track = {DefaultButtonSize, 1, L - DefaultButtonSize, Height - 1};
        }
        const Integer TrackLen = FVertical ? Track.Height() : Track.Width();
        T = DefaultThumbSize;
        if (FPageSize != 0)
            T = std::max(Span == 0 ? 0 : RoundI(double(TrackLen) * FPageSize / double(Span)), DefaultThumbSize);
    } else {
        // The track and the buttons beyond the stretchable middle follow the size; the
        // corner point is the first column (row) of the far end, so a button starting there moves.
        if (FVertical) {
            const Integer D = Height - FSkin.SkinRect.Height();
            Track = FSkin.TrackArea;
            Track.Bottom += D;
            Up = FSkin.UpButtonRect;
            Down = FSkin.DownButtonRect;
            if (Up.Top >= FSkin.LBPt.Y) Up.Top += D, Up.Bottom += D;
            if (Down.Top >= FSkin.LBPt.Y) Down.Top += D, Down.Bottom += D;
            Breadth = FSkin.ThumbRect.Width();
            T = FSkin.ThumbRect.Height();
        } else {
            const Integer D = Width - FSkin.SkinRect.Width();
            Track = FSkin.TrackArea;
            Track.Right += D;
            Up = FSkin.UpButtonRect;
            Down = FSkin.DownButtonRect;
            if (Up.Left >= FSkin.RTPt.X) Up.Left += D, Up.Right += D;
            if (Down.Left >= FSkin.RTPt.X) Down.Left += D, Down.Right += D;
            Breadth = FSkin.ThumbRect.Height();
            T = FSkin.ThumbRect.Width();
        }
        if (FSkin.ThumbMinSize != 0) T = FSkin.ThumbMinSize;
        const Integer TrackLen = FVertical ? Track.Height() : Track.Width();
        if (FPageSize == 0) {
            if (FSkin.ThumbMinPageSize != 0) T = FSkin.ThumbMinPageSize;
        } else {
            T = std::max(Span == 0 ? 0 : RoundI(double(TrackLen) * FPageSize / double(Span)), T);
        }
    }
    FNewTrackArea = Track;
    Buttons[sbUpButton].R = Up;
    Buttons[sbDownButton].R = Down;
    FThumbLength = T;

    const Integer H = T / 2;
    const Integer TrackStart = FVertical ? Track.Top : Track.Left;
    const Integer TrackEnd = FVertical ? Track.Bottom : Track.Right;
    FOffset1 = TrackStart + H;
    FOffset2 = TrackEnd - H;
    double Q;
    if (FPageSize == 0) {
        const Int64 Range = Int64(FMax) - FMin;
        Q = Range == 0 ? 0.0 : double(Int64(FPosition) - FMin) / double(Range);
    } else {
        const Int64 Divisor = Int64(FMax) - FPageSize + 1 - FMin;
        Q = Divisor > 0 ? double(Int64(FPosition) - FMin) / double(Divisor) : (FVertical ? 0.0 : 1.0);
    }
    FBOffset = RoundI((FOffset2 - FOffset1) * Q);
    const Integer Centre = FOffset1 + FBOffset;
    TRect Thumb;
    if (FVertical) {
        Thumb.Top = Centre - H;
        Thumb.Bottom = Centre + H;
        if (Breadth == 0) {
            Thumb.Left = Track.Left, Thumb.Right = Track.Right;
        } else {
            Thumb.Left = Track.Left + Track.Width() / 2 - Breadth / 2;
            Thumb.Right = Thumb.Left + Breadth;
        }
    } else {
        Thumb.Left = Centre - H;
        Thumb.Right = Centre + H;
        if (Breadth == 0) {
            Thumb.Top = Track.Top, Thumb.Bottom = Track.Bottom;
        } else {
            Thumb.Top = Track.Top + Track.Height() / 2 - Breadth / 2;
            Thumb.Bottom = Thumb.Top + Breadth;
        }
    }
    Buttons[sbThumb].R = Thumb;
}

TsfPartState TsfSkinScrollBarCore::PartState(Integer Part) const
{
    const TsfCBButtonX& B = Buttons[Part];
    if (B.Down && B.MouseIn) return psPressed;
    if (Part == sbThumb && (B.Down || (FFocused && FCanFocused))) return psPressed;
    return B.MouseIn ? psHot : psNormal;
}

Integer TsfSkinScrollBarCore::GetNewPosition(Integer D)
{
    if (FPageSize != 0) {
        const Integer TrackStart = FVertical ? FNewTrackArea.Top : FNewTrackArea.Left;
        const Integer TrackEnd = FVertical ? FNewTrackArea.Bottom : FNewTrackArea.Right;
        FOffset1 = TrackStart + FThumbLength / 2;
        FOffset2 = TrackEnd - FThumbLength / 2;
    }
    const Integer Diff = FOffset2 - FOffset1;
    double Q = Diff > 0 ? double(D) / Diff : 0.0;
    Q = std::clamp(Q, 0.0, 1.0);
    const Int64 Range = FPageSize != 0 ? Int64(FMax) - FMin - FPageSize + 1 : Int64(FMax) - FMin;
    return static_cast<Integer>(FMin + Round(double(Range) * Q));
}

// ---------------------------------------------------------------------------
// Pointer, timer, keys

void TsfSkinScrollBarCore::Repaint()
{
    // The parts follow at once: the repeat and the hit tests use them before the next paint.
    CalcRects(FWidth, FHeight);
    if (OnRepaint) OnRepaint();
}

void TsfSkinScrollBarCore::Fire(const TNotifyEvent& Event)
{
    if (Event) Event(Sender);
}

TsfSkinScrollBarCore::~TsfSkinScrollBarCore() { SkinClock()->StopTimers(this); }

void TsfSkinScrollBarCore::StartTimer(Integer Interval)
{
    SkinClock()->StartTimer(this, 1, Cardinal(Interval), [this] { Timer(); });
}

void TsfSkinScrollBarCore::StopTimer()
{
    SkinClock()->StopTimer(this, 1);
    FTimerMode = sbtmNone;
}

void TsfSkinScrollBarCore::UpStep()
{
    if (OnUpButtonClick)
        OnUpButtonClick(Sender);
    else
        SetPosition(FPosition + FSmallChange);
}

void TsfSkinScrollBarCore::DownStep()
{
    if (OnDownButtonClick)
        OnDownButtonClick(Sender);
    else
        SetPosition(FPosition - FSmallChange);
}

void TsfSkinScrollBarCore::PageUp()
{
    SetPosition(FPosition - FLargeChange);
    Fire(OnPageUp);
}

void TsfSkinScrollBarCore::PageDown()
{
    SetPosition(FPosition + FLargeChange);
    Fire(OnPageDown);
}

void TsfSkinScrollBarCore::TestActive(Integer X, Integer Y)
{
    FOldActiveButton = FActiveButton;
    FActiveButton = -1;
    for (Integer I = 0; I < 3; ++I)
        if (PtInRectX(Buttons[I].R, X, Y)) {
            FActiveButton = I;
            break;
        }
    // While a part is held, the others do not light up.
    if (FCaptureButton != -1 && FActiveButton != FCaptureButton) FActiveButton = -1;
    if (FActiveButton == FOldActiveButton) return;
    if (FOldActiveButton != -1) ButtonLeave(FOldActiveButton);
    if (FActiveButton != -1) ButtonEnter(FActiveButton);
}

void TsfSkinScrollBarCore::ButtonEnter(Integer Part)
{
    Buttons[Part].MouseIn = true;
    Repaint();
    if (Part != sbThumb && Buttons[Part].Down) StartTimer(ScrollBarRepeatInterval);
}

void TsfSkinScrollBarCore::ButtonLeave(Integer Part)
{
    // A dragged thumb keeps its hot look.
    if (!(Part == sbThumb && FDown)) Buttons[Part].MouseIn = false;
    Repaint();
    if (Part != sbThumb && Buttons[Part].Down) SkinClock()->StopTimer(this, 1);
}

void TsfSkinScrollBarCore::ButtonDown(Integer Part, Integer X, Integer Y)
{
    Buttons[Part].Down = true;
    Repaint();
    switch (Part) {
    case sbThumb:
        OMPos = Along(X, Y);
        OldBOffset = FBOffset;
        FDown = true;
        Repaint();
        break;
    case sbUpButton:
        UpStep();
        FTimerMode = sbtmUpButton;
        StartTimer(ScrollBarRepeatDelay);
        break;
    case sbDownButton:
        DownStep();
        FTimerMode = sbtmDownButton;
        StartTimer(ScrollBarRepeatDelay);
        break;
    }
}

void TsfSkinScrollBarCore::ButtonUp(Integer Part)
{
    Buttons[Part].Down = false;
    if (Part != FActiveButton) Buttons[Part].MouseIn = false;
    if (Part == sbThumb)
        FDown = false;
    else
        StopTimer();
    Repaint();
}

void TsfSkinScrollBarCore::MouseDown(bool Left, Integer X, Integer Y)
{
    if (!Left) return;
    MouseD = true;
    CalcRects(FWidth, FHeight);
    FTimerMode = sbtmNone;
    FWaitMode = true;
    for (Integer I = 0; I < 3; ++I)
        if (PtInRectX(Buttons[I].R, X, Y)) {
            FCaptureButton = I;
            ButtonDown(I, X, Y);
            return;
        }
    if (!PtInRectX(FNewTrackArea, X, Y)) return;
    const TRect& Thumb = Buttons[sbThumb].R;
    if (FVertical ? Y < Thumb.Top : X < Thumb.Left) {
        SetPosition(FPosition - FLargeChange);
        FTimerMode = sbtmPageUp;
        StartTimer(ScrollBarRepeatDelay);
        Fire(OnPageUp);
    } else {
        SetPosition(FPosition + FLargeChange);
        FTimerMode = sbtmPageDown;
        StartTimer(ScrollBarRepeatDelay);
        Fire(OnPageDown);
    }
}

void TsfSkinScrollBarCore::MouseMove(Integer X, Integer Y)
{
    MX = X;
    MY = Y;
    TestActive(X, Y);
    if (FDown) SetPosition(GetNewPosition(Along(X, Y) - OMPos + OldBOffset));
}

void TsfSkinScrollBarCore::MouseUp(bool Left, Integer X, Integer Y)
{
    (void)X, (void)Y;
    MouseD = false;
    if (FTimerMode == sbtmPageUp || FTimerMode == sbtmPageDown) StopTimer();
    const Integer Captured = FCaptureButton;
    if (Captured != -1) ButtonUp(Captured);
    if (Left && Captured == sbThumb) Fire(OnLastChange);
    FCaptureButton = -1;
}

void TsfSkinScrollBarCore::MouseLeave()
{
    if (FCaptureButton == -1 && !FDown && FActiveButton != -1) {
        Buttons[FActiveButton].MouseIn = false;
        FActiveButton = -1;
        Repaint();
    }
    // Paging beyond the thumb ends when the pointer leaves the bar; paging
    // back towards the start goes on until the thumb passes the pointer.
    if (MouseD && FTimerMode == sbtmPageDown) StopTimer();
}

void TsfSkinScrollBarCore::Timer()
{
    if (FWaitMode) {
        FWaitMode = false;
        StartTimer(ScrollBarRepeatInterval);
        return;
    }
    const TRect& Thumb = Buttons[sbThumb].R;
    switch (FTimerMode) {
    case sbtmDownButton:
        DownStep();
        break;
    case sbtmUpButton:
        UpStep();
        break;
    case sbtmPageUp:
        TestActive(MX, MY);
        if (FVertical ? MY < Thumb.Top : MX < Thumb.Left)
            PageUp();
        else
            StopTimer();
        break;
    case sbtmPageDown:
        TestActive(MX, MY);
        if (FVertical ? MY > Thumb.Bottom : MX > Thumb.Right)
            PageDown();
        else
            StopTimer();
        break;
    }
}

bool TsfSkinScrollBarCore::KeyDown(Integer Key)
{
    if (!FCanFocused) return false;
    switch (Key) {
    case sfVK_LEFT:
    case sfVK_UP:
        SetPosition(FPosition - FSmallChange);
        return true;
    case sfVK_RIGHT:
    case sfVK_DOWN:
        SetPosition(FPosition + FSmallChange);
        return true;
    }
    return false;
}

void TsfSkinScrollBarCore::MouseWheel(Integer WheelDelta)
{
    if (!FFocused || !FCanFocused) return;
    SetPosition(WheelDelta > 0 ? FPosition - FSmallChange : FPosition + FSmallChange);
}
