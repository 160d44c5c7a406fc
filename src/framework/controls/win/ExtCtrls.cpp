#include "framework/controls/win/ExtCtrls.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    StopTimers(this);
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
    // Starting the timer again restarts its count.
    TWndMethod target = TWndMethod::Of<&TTimer::WndProc>(this);
    StopTimer(target, 1);
    if (FEnabled && FInterval > 0) StartTimer(target, 1, FInterval);
}

void TTimer::WndProc(TMessage& Message)
{
    // Exceptions of the handler reach the application's handler, and the timer goes on.
    if (Message.Msg == WM_TIMER && FEnabled) Timer();
}

void TTimer::Timer()
{
    if (OnTimer) OnTimer(this);
}
