// The skin clock on the thread's window timers (framework Messages): the
// clock the program runs on.
#pragma once

#include <memory>

#include "skin/controls/SkinClock.h"

class TSkinWindowClock : public TSkinClock {
public:
    TSkinWindowClock();
    ~TSkinWindowClock() override;
    void StartTimer(const void* Target, Cardinal Id, Cardinal Interval, TSkinTimerProc Proc) override;
    void StopTimer(const void* Target, Cardinal Id) override;
    void StopTimers(const void* Target) override;
    bool TimerRunning(const void* Target, Cardinal Id) const override;
    Cardinal Now() const override;

private:
    struct TEntries;
    std::unique_ptr<TEntries> FEntries;
};

// Installs the window-timer clock unless a clock is installed already (a
// test's manual clock stays). The program calls it at start-up; the skinned
// controls call it when they are made, so a form built before that still has
// working timers.
void EnsureSkinWindowClock();
