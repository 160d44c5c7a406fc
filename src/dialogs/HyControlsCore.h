// HyControlsCore: what the program's own speed button decides while the
// cursor rests on it, without a window: when its hover timer runs, how many
// trigger steps fire, and how a leave that the button never heard of is made
// good on the next step.
#pragma once

#include <functional>

#include "framework/runtime/System.h"

// The hover state of one button. The window class feeds it the mouse enter
// and leave notifications and each timer step, and does what it answers.
class THoverTrigger {
public:
    // The cursor entered. TriggerCount > 0 arms the trigger steps, which
    // TriggerStart (the button's start event, when given) may disarm. False
    // when the button already counted as entered: nothing happens.
    bool Enter(Integer TriggerCount, const std::function<void(bool& IsTrigger)>& TriggerStart);
    // The cursor left: the timer stops.
    void Leave() { FEntered = false; }

    // What one timer step does.
    struct TStep {
        bool StopTimer = false;   // stop the hover timer
        bool SendLeave = false;   // tell the button the cursor has left
        bool Fire = false;        // one trigger step (click when simulated)
        bool Trigger = false;     // the trigger event too
    };
    // OverButton: the control under the cursor is this button.
    TStep Step(bool OverButton, bool Enabled, Integer TriggerCount);

    bool Entered() const { return FEntered; }
    bool IsTrigger() const { return FIsTrigger; }
    Integer TriggerCountDo() const { return FTriggerCountDo; }

private:
    bool FEntered = false;
    bool FIsTrigger = false;
    Integer FTriggerCountDo = 0;
};
