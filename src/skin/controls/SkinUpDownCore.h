// SkinUpDownCore: the portable part of the skinned up-down (win/SkinBoxCtrls):
// the two buttons' places, which one the pointer is over, the step on
// release (wherever the pointer is then) and the auto-repeat while a button
// is held: 500 ms, then every 100 ms; re-entering the held button restarts
// it at 50 ms. Repaints and the events go out through hooks; the repeat runs
// on the skin clock (timer 1).
#pragma once

#include "framework/runtime/Classes.h"
#include "skin/controls/SkinCoreTypes.h"

// Button 0 steps up, button 1 down.
constexpr Integer udUpButton = 0;
constexpr Integer udDownButton = 1;

constexpr Integer UpDownRepeatDelay = 500;
constexpr Integer UpDownRepeatInterval = 100;
constexpr Integer UpDownReenterDelay = 50;

class TsfSkinUpDownCore {
public:
    TsfSkinUpDownCore() = default;
    ~TsfSkinUpDownCore();
    TsfSkinUpDownCore(const TsfSkinUpDownCore&) = delete;
    TsfSkinUpDownCore& operator=(const TsfSkinUpDownCore&) = delete;

    TEvent<> OnRepaint;
    TObject* Sender = nullptr;
    TNotifyEvent OnChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    // No OnChange while the control is being designed.
    bool Designing = false;
    // The spin edit's buttons: steps (+1 up, -1 down) go to OnStep instead of
    // Position and repeat whatever Increment is; a release steps and clicks
    // only over the held button; a press keeps the other button's hover.
    TEvent<Integer> OnStep;
    bool SpinMode = false;

    Integer Position() const { return FPosition; }
    // A value outside Min..Max is ignored; otherwise stored and OnChange
    // fires, also for the same value.
    void SetPosition(Integer V);
    Integer Min() const { return FMin; }
    Integer Max() const { return FMax; }
    // Store and pull the position in without an event.
    void SetMin(Integer V);
    void SetMax(Integer V);
    // 0 turns stepping and repeating off; the buttons then only fire their click events.
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer V) { FIncrement = V; }
    bool Vertical() const { return FVertical; }
    void SetVertical(bool V);

    // The buttons for a Width x Height control: the description's places
    // when given, else halves (vertical: up on top; horizontal: down on the left).
    void CalcRects(Integer Width, Integer Height, const TRect* SkinUp = nullptr, const TRect* SkinDown = nullptr);
    const TsfCBButtonX& Button(Integer I) const { return Buttons[I]; }
    Integer ActiveButton() const { return FActiveButton; }
    Integer CaptureButton() const { return FCaptureButton; }
    Integer TimerMode() const { return FTimerMode; }

    void TestActive(Integer X, Integer Y);
    // Any mouse button presses and steps.
    void MouseDown(Integer X, Integer Y);
    void MouseMove(Integer X, Integer Y) { TestActive(X, Y); }
    void MouseUp();
    void MouseEnter();
    void MouseLeave();
    void Timer();

private:
    void Repaint();
    void ButtonEnter(Integer I);
    void ButtonLeave(Integer I);
    void ButtonDown(Integer I);
    void ButtonUp(Integer I);
    void StartTimer(Integer Interval);
    void StopTimer();
    bool Steps() const;
    void Step(Integer Direction);

    Integer FPosition = 0, FMin = 0, FMax = 100, FIncrement = 1;
    bool FVertical = false;
    TsfCBButtonX Buttons[2];
    Integer FActiveButton = -1, FOldActiveButton = -1, FCaptureButton = -1;
    Integer FTimerMode = 0;
    bool FWaitMode = false;
};
