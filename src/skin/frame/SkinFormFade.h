// SkinFormFade: the fade-in of a skinned form as a sequence of alpha steps: a
// fifteenth of the target (at least 1) per step, one step per tick of the
// form's fade timer, so the interface keeps answering messages while it runs.
// Portable: the form component drives it from its timer.
#pragma once

#include "framework/runtime/System.h"

class TsfFormFade {
public:
    // Milliseconds between two steps.
    static constexpr Cardinal StepInterval = 5;
    // Where a fade ends: opaque when the form only fades in, else the constant alpha.
    static Integer TargetAlpha(bool AlphaBlend, bool Animation, Integer AlphaBlendValue);
    static Integer StepOf(Integer Target) { return Target / 15 > 1 ? Target / 15 : 1; }

    // Alpha 0, running towards ATarget (limited to 0..255).
    void Start(Integer ATarget);
    void Stop() { FRunning = false; }
    // One step: the new alpha, never past the target; the last step ends the run.
    Integer Next();
    bool Running() const { return FRunning; }
    Integer Alpha() const { return FAlpha; }
    Integer Target() const { return FTarget; }
    Integer Step() const { return FStep; }

private:
    Integer FAlpha = 0;
    Integer FTarget = 0;
    Integer FStep = 1;
    bool FRunning = false;
};
