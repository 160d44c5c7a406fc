#include "framework/controls/win/ExtCtrls.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    FWindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
    UpdateTimer();
}

TTimer::~TTimer()
{
    FEnabled = false;
    UpdateTimer();
    DeallocateHWnd(FWindowHandle);
}

void TTimer::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value)
{
    if (FInterval == Value) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    // Setting the timer again restarts its count.
    KillTimer(FWindowHandle, 1);
    if (FEnabled && FInterval > 0 && !SetTimer(FWindowHandle, 1, FInterval, nullptr))
        throw EOutOfResources(u"Not enough timers available");
}

void TTimer::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER) {
        // Exceptions of the handler reach the application's handler, and the timer goes on.
        if (FEnabled) Timer();
        return;
    }
    Message.Result = DefWindowProcW(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TTimer::Timer()
{
    if (OnTimer) OnTimer(this);
}
