#include "skin/controls/SkinCheckRadioCore.h"

void TsfCheckRadioCore::SetChecked(bool Value)
{
    FChecked = Value;
    if (Value)
        FState = TsfCheckState::Checked;
    else if (FState == TsfCheckState::Checked)
        FState = TsfCheckState::Unchecked;
    Repaint();
    if (Value && GroupIndex != 0 && GroupPeers)
        for (TsfCheckRadioCore* peer : GroupPeers())
            if (peer != this && peer->GroupIndex == GroupIndex && peer->Checked()) peer->SetChecked(false);
    if (!Radio || Value) Click();
}

void TsfCheckRadioCore::SetState(TsfCheckState Value)
{
    FState = Value;
    FChecked = Value == TsfCheckState::Checked;
    Repaint();
    Click();
}

void TsfCheckRadioCore::Toggle()
{
    if (!Radio)
        SetChecked(!FChecked);
    else if (!FChecked)
        SetChecked(true);
}

void TsfCheckRadioCore::LeftDown()
{
    FDown = true;
    if (!FMouseIn) SetMouseIn(true);
}

void TsfCheckRadioCore::SetMouseIn(bool Value)
{
    if (FMouseIn == Value) return;
    FMouseIn = Value;
    Repaint();
}

void TsfCheckRadioCore::LeftUp()
{
    if (!FMouseIn || !FDown) {
        FDown = false;
        return;
    }
    FDown = false;
    if (!Radio && AllowGrayed && FState == TsfCheckState::Unchecked) {
        FState = TsfCheckState::Grayed;
        Repaint();
        Click();
        return;
    }
    Toggle();
}
