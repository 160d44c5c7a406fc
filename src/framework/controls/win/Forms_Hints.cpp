// The application's hints: which control's hint is due, its pauses on the
// hint clock, and the hint window made from HintWindowClass.
#include <algorithm>

#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/Forms.h"

namespace {

// The control whose hint the pointer over Control shows: the nearest one up
// the parents with a hint text.
TControl* HintOwnerOf(TControl* Control)
{
    while (Control && Control->Hint().empty()) Control = Control->Parent();
    return Control;
}

} // namespace

Cardinal TApplication::HintNow() const
{
    return FHintClock ? FHintClock() : static_cast<Cardinal>(GetTickCount());
}

void TApplication::SetHintClock(THintClock Clock)
{
    FHintClock = std::move(Clock);
}

void TApplication::SetShowHint(bool Value)
{
    if (FShowHint == Value) return;
    FShowHint = Value;
    if (Value) {
        FHintWindowClass = HintWindowClass;
        FHintWindow = FHintWindowClass->Create(this);
        FHintWindow->SetColor(FHintColor);
    } else {
        CancelHint();
        delete FHintWindow;
        FHintWindow = nullptr;
        FHintWindowClass = nullptr;
    }
}

void TApplication::SetHintColor(TColor Value)
{
    FHintColor = Value;
    if (FHintWindow) FHintWindow->SetColor(Value);
}

void TApplication::SetHint(const String& Value)
{
    if (FHint == Value) return;
    FHint = Value;
    if (OnHint) OnHint(this);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FHintControl) {
        FHintControl = nullptr;
        FHintState = hsIdle;
        if (FHintTimer) FHintTimer->SetEnabled(false);
        if (FHintWindow) FHintWindow->ReleaseHandle();
    }
    if (AComponent == FHintWindow) {
        FHintWindow = nullptr;
        FHintWindowClass = nullptr;
    }
}

void TApplication::SetHintControl(TControl* Control)
{
    if (FHintControl == Control) return;
    if (FHintControl) FHintControl->RemoveFreeNotification(this);
    FHintControl = Control;
    if (FHintControl) FHintControl->FreeNotification(this);
}

void TApplication::ArmHintTimer(Integer Milliseconds)
{
    if (!FHintTimer) {
        FHintTimer = std::make_unique<TTimer>(nullptr);
        FHintTimer->SetEnabled(false);
        FHintTimer->OnTimer = [this](TObject*) { HintTimerTick(); };
    }
    FHintTimer->SetEnabled(false);
    FHintTimer->SetInterval(static_cast<Cardinal>(std::max<Integer>(Milliseconds, 1)));
    FHintTimer->SetEnabled(true);
}

void TApplication::StartHintPause(Integer Pause)
{
    FHintState = hsPending;
    FHintStart = HintNow();
    FHintWait = std::max<Integer>(Pause, 0);
    ArmHintTimer(FHintWait);
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message)
{
    TControl* owner = HintOwnerOf(Control);
    SetHint(owner ? GetLongHint(owner->Hint()) : String());
    if (!FShowHint) return;
    const TPoint screenPos = Control->ClientToScreen(Point(Message.XPos(), Message.YPos()));
    if (!owner || !owner->ShowHint()) {
        CancelHint();
        return;
    }
    if (owner != FHintControl) {
        // Moving on from a hint that is up shows the next one sooner.
        const bool wasShown = FHintState == hsShown;
        if (FHintWindow) FHintWindow->ReleaseHandle();
        SetHintControl(owner);
        StartHintPause(wasShown ? FHintShortPause : FHintPause);
        return;
    }
    const TRect& shownFor = FHintCursorRect;
    const bool inside = screenPos.X >= shownFor.Left && screenPos.X < shownFor.Right && screenPos.Y >= shownFor.Top &&
                        screenPos.Y < shownFor.Bottom;
    if (FHintState == hsShown && !inside) {
        if (FHintWindow) FHintWindow->ReleaseHandle();
        StartHintPause(FHintShortPause);
    }
}

void TApplication::HintTimerTick()
{
    const Cardinal elapsed = HintNow() - FHintStart;
    switch (FHintState) {
    case hsPending:
        if (elapsed >= static_cast<Cardinal>(FHintWait)) {
            POINT p;
            GetCursorPos(&p);
            ActivateHint(Point(p.x, p.y));
        } else {
            ArmHintTimer(FHintWait - static_cast<Integer>(elapsed));
        }
        break;
    case hsShown:
        if (FHintWait <= 0) {
            FHintTimer->SetEnabled(false);
        } else if (elapsed >= static_cast<Cardinal>(FHintWait)) {
            HideHint();
        } else {
            ArmHintTimer(FHintWait - static_cast<Integer>(elapsed));
        }
        break;
    default:
        FHintTimer->SetEnabled(false);
        break;
    }
}

void TApplication::ActivateHint(const TPoint& CursorPos)
{
    TControl* control = FHintControl;
    if (!control || !FShowHint) return;
    THintInfo info;
    info.HintControl = control;
    info.HintWindowClass = HintWindowClass;
    // Below the pointer's picture.
    info.HintPos = Point(CursorPos.X, CursorPos.Y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3);
    info.HintMaxWidth = Screen->Width();
    info.HintColor = FHintColor;
    info.CursorRect = control->ClientRect();
    info.CursorPos = control->ScreenToClient(CursorPos);
    info.HideTimeout = FHintHidePause;
    info.HintStr = GetShortHint(control->Hint());
    bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
    // The control or the handler may have gone meanwhile.
    if (FHintControl != control) return;
    FHintState = hsHidden;
    if (FHintTimer) FHintTimer->SetEnabled(false);
    if (!canShow || info.HintStr.empty() || !info.HintWindowClass) return;
    if (!FHintWindow || FHintWindowClass != info.HintWindowClass) {
        delete FHintWindow;
        FHintWindowClass = info.HintWindowClass;
        FHintWindow = FHintWindowClass->Create(this);
    }
    FHintWindow->SetColor(info.HintColor);
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    r = Rect(info.HintPos.X, info.HintPos.Y, info.HintPos.X + r.Width(), info.HintPos.Y + r.Height());
    FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
    const TPoint origin = control->ClientToScreen(Point(0, 0));
    FHintCursorRect = Rect(origin.X + info.CursorRect.Left, origin.Y + info.CursorRect.Top,
                           origin.X + info.CursorRect.Right, origin.Y + info.CursorRect.Bottom);
    FHintState = hsShown;
    FHintStart = HintNow();
    FHintWait = info.HideTimeout;
    if (FHintWait > 0) ArmHintTimer(FHintWait);
}

void TApplication::HideHint()
{
    if (FHintWindow) FHintWindow->ReleaseHandle();
    if (FHintTimer) FHintTimer->SetEnabled(false);
    if (FHintState != hsIdle) FHintState = hsHidden;
}

void TApplication::CancelHint()
{
    HideHint();
    FHintState = hsIdle;
    SetHintControl(nullptr);
}
