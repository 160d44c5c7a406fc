// CoreClock: virtual time for the tests of the controls' portable cores: the
// skin clock replaced by a manual one for the test's life, and the repeat
// timer (number 1) of one core.
#pragma once

#include "skin/controls/SkinClock.h"

class TCoreClock {
public:
    explicit TCoreClock(const void* ATarget) : Target(ATarget) {}
    // Runs every tick due up to the moment T (milliseconds since the start).
    void AdvanceTo(Cardinal T) { Scope.Clock.Advance(T - Scope.Clock.Now()); }
    bool Running() const { return Scope.Clock.TimerRunning(Target, 1); }

private:
    TSkinClockScope Scope;
    const void* Target;
};
