// ExtCtrls: the timer component. Windows only.
#pragma once

#include "framework/controls/win/Controls.h"

// Calls OnTimer every Interval milliseconds on the thread that made it (the
// user-interface thread), through a window timer of a hidden window. It runs
// while Enabled and Interval is above 0, with or without a handler.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    String ClassName() const override { return u"TTimer"; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal Value);

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    HWND FWindowHandle = nullptr;
    bool FEnabled = true;
    Cardinal FInterval = 1000;
};
