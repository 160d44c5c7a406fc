// CoreTimer: one virtual repeat timer for the core tests: a core's start and
// stop hooks set or clear the next due time; AdvanceTo runs every tick up to
// a moment, in order, restarting the interval after each one.
#pragma once

#include <functional>

#include "framework/runtime/Classes.h"

class TCoreTimer {
public:
    void Attach(TEvent<Integer>& OnStart, TEvent<>& OnStop, std::function<void()> Tick)
    {
        FTick = std::move(Tick);
        OnStart = [this](Integer Interval) {
            FInterval = Interval;
            FDue = FNow + Interval;
            FRunning = true;
        };
        OnStop = [this] { FRunning = false; };
    }
    void AdvanceTo(Int64 Time)
    {
        while (FRunning && FDue <= Time) {
            FNow = FDue;
            FDue = FNow + FInterval;
            FTick();
        }
        FNow = Time;
    }
    bool Running() const { return FRunning; }
    Integer Interval() const { return FInterval; }
    Int64 Now() const { return FNow; }

private:
    std::function<void()> FTick;
    Int64 FNow = 0, FDue = 0;
    Integer FInterval = 0;
    bool FRunning = false;
};
