#include "skin/controls/SkinUpDownCore.h"

#include "skin/controls/SkinClock.h"

TsfSkinUpDownCore::~TsfSkinUpDownCore() { SkinClock()->StopTimers(this); }

void TsfSkinUpDownCore::StartTimer(Integer Interval)
{
    SkinClock()->StartTimer(this, 1, Cardinal(Interval), [this] { Timer(); });
}

void TsfSkinUpDownCore::Repaint()
{
    if (OnRepaint) OnRepaint();
}

void TsfSkinUpDownCore::SetPosition(Integer V)
{
    if (V > FMax || V < FMin) return;
    FPosition = V;
    if (!Designing && OnChange) OnChange(Sender);
}

void TsfSkinUpDownCore::SetMin(Integer V)
{
    FMin = V;
    if (FPosition < V) FPosition = V;
}

void TsfSkinUpDownCore::SetMax(Integer V)
{
    FMax = V;
    if (V < FPosition) FPosition = V;
}

void TsfSkinUpDownCore::SetVertical(bool V)
{
    FVertical = V;
    Repaint();
}

void TsfSkinUpDownCore::CalcRects(Integer Width, Integer Height, const TRect* SkinUp, const TRect* SkinDown)
{
    if (SkinUp && SkinDown) {
        Buttons[udUpButton].R = *SkinUp;
        Buttons[udDownButton].R = *SkinDown;
    } else if (FVertical) {
        Buttons[udUpButton].R = {0, 0, Width, Height / 2};
        Buttons[udDownButton].R = {0, Height / 2, Width, Height};
    } else {
        Buttons[udDownButton].R = {0, 0, Width / 2, Height};
        Buttons[udUpButton].R = {Width / 2, 0, Width, Height};
    }
}

void TsfSkinUpDownCore::TestActive(Integer X, Integer Y)
{
    FOldActiveButton = FActiveButton;
    FActiveButton = -1;
    for (Integer I = 0; I < 2; ++I)
        if (PtInRectX(Buttons[I].R, X, Y)) {
            FActiveButton = I;
            break;
        }
    if (FCaptureButton != -1 && FActiveButton != FCaptureButton) FActiveButton = -1;
    if (FActiveButton == FOldActiveButton) return;
    if (FOldActiveButton != -1) ButtonLeave(FOldActiveButton);
    if (FActiveButton != -1) ButtonEnter(FActiveButton);
}

void TsfSkinUpDownCore::ButtonEnter(Integer I)
{
    Buttons[1 - I].MouseIn = false;
    Buttons[I].MouseIn = true;
    Repaint();
    // The held button re-entered: repeating resumes.
    if (Steps() && Buttons[I].Down) StartTimer(UpDownReenterDelay);
}

void TsfSkinUpDownCore::ButtonLeave(Integer I)
{
    Buttons[I].MouseIn = false;
    Repaint();
    if (Steps() && Buttons[I].Down) SkinClock()->StopTimer(this, 1);
}

void TsfSkinUpDownCore::ButtonDown(Integer I)
{
    Buttons[I].MouseIn = Buttons[I].Down = true;
    Repaint();
    if (!Steps()) return;
    FTimerMode = I == udUpButton ? 2 : 1;
    FWaitMode = true;
    StartTimer(UpDownRepeatDelay);
}

void TsfSkinUpDownCore::StopTimer()
{
    SkinClock()->StopTimer(this, 1);
    FTimerMode = 0;
}

void TsfSkinUpDownCore::ButtonUp(Integer I)
{
    if (Steps()) StopTimer();
    Buttons[I].Down = false;
    if (I != FActiveButton) Buttons[I].MouseIn = false;
    Repaint();
    if (SpinMode) {
        if (I != FActiveButton) return;
        Step(I == udUpButton ? 1 : -1);
        const TNotifyEvent& Click = I == udUpButton ? OnUpButtonClick : OnDownButtonClick;
        if (Click) Click(Sender);
        return;
    }
    // The release steps wherever the pointer is.
    if (I == udUpButton) {
        if (FIncrement != 0) SetPosition(FPosition + FIncrement);
        if (OnUpButtonClick) OnUpButtonClick(Sender);
    } else {
        if (FIncrement != 0) SetPosition(FPosition - FIncrement);
        if (OnDownButtonClick) OnDownButtonClick(Sender);
    }
}

void TsfSkinUpDownCore::MouseDown(Integer X, Integer Y)
{
    TestActive(X, Y);
    if (!SpinMode) Buttons[FActiveButton == udUpButton ? udDownButton : udUpButton].MouseIn = false;
    if (FActiveButton == -1) return;
    FCaptureButton = FActiveButton;
    ButtonDown(FActiveButton);
}

void TsfSkinUpDownCore::MouseUp()
{
    if (FCaptureButton != -1) ButtonUp(FCaptureButton);
    FCaptureButton = -1;
}

void TsfSkinUpDownCore::MouseEnter() { FActiveButton = FOldActiveButton = -1; }

void TsfSkinUpDownCore::MouseLeave()
{
    bool Changed = false;
    for (auto& B : Buttons)
        if (B.MouseIn) B.MouseIn = false, Changed = true;
    if (Changed) Repaint();
}

void TsfSkinUpDownCore::Timer()
{
    if (FWaitMode) {
        FWaitMode = false;
        StartTimer(UpDownRepeatInterval);
        return;
    }
    // A step past Min or Max is ignored; the timer runs on until the release.
    if (FTimerMode == 1)
        Step(-1);
    else if (FTimerMode == 2)
        Step(1);
}

bool TsfSkinUpDownCore::Steps() const { return SpinMode || FIncrement != 0; }

void TsfSkinUpDownCore::Step(Integer Direction)
{
    if (SpinMode) {
        if (OnStep) OnStep(Direction);
        return;
    }
    SetPosition(FPosition + Direction * FIncrement);
}
