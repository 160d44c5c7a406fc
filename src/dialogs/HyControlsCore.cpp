#include "dialogs/HyControlsCore.h"

bool THoverTrigger::Enter(Integer TriggerCount, const std::function<void(bool& IsTrigger)>& TriggerStart)
{
    if (FEntered) return false;
    if (TriggerCount > 0) {
        FIsTrigger = true;
        if (TriggerStart) TriggerStart(FIsTrigger);
        FTriggerCountDo = 0;
    }
    FEntered = true;
    return true;
}

THoverTrigger::TStep THoverTrigger::Step(bool OverButton, bool Enabled, Integer TriggerCount)
{
    TStep S;
    if (!OverButton) {
        // The leave notification went missing (a fast move, a window on top):
        // stop here and let the button hear of it.
        S.StopTimer = true;
        S.SendLeave = Enabled;
        return S;
    }
    if (!Enabled || FTriggerCountDo >= TriggerCount) return S;
    ++FTriggerCountDo;
    S.Fire = true;
    S.Trigger = FIsTrigger;
    return S;
}
