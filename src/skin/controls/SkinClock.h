// SkinClock: the timers of the skinned controls and the frame (auto-repeat,
// hover polling, morphing, fades) all run on one clock, which a test replaces
// by a manual one that advances virtual time. A timer is known by its target
// (the object it belongs to) and a number; starting a running timer restarts
// its count. The program runs on the window-timer clock (win/SkinClock_Win).
// Portable.
#pragma once

#include <functional>
#include <map>
#include <utility>

#include "framework/runtime/Types.h"

using TSkinTimerProc = std::function<void()>;

class TSkinClock {
public:
    virtual ~TSkinClock() = default;
    // Proc runs every Interval milliseconds (at least 1) until stopped.
    virtual void StartTimer(const void* Target, Cardinal Id, Cardinal Interval, TSkinTimerProc Proc) = 0;
    virtual void StopTimer(const void* Target, Cardinal Id) = 0;
    // Every timer of Target (it is going).
    virtual void StopTimers(const void* Target) = 0;
    virtual bool TimerRunning(const void* Target, Cardinal Id) const = 0;
    // Milliseconds on this clock (wraps like the platform's tick count).
    virtual Cardinal Now() const = 0;
};

// The clock in use. Until one is installed it is a manual clock that nobody
// advances (host programs); the Windows part installs the window-timer clock.
TSkinClock* SkinClock();
// Installs Clock (nullptr: back to the idle manual clock) and returns the one before.
TSkinClock* InstallSkinClock(TSkinClock* Clock);
// Whether a clock was installed.
bool SkinClockInstalled();

// Virtual time for tests: Advance fires every timer that falls due, in time
// order (timers due at the same moment in the order they were started), each
// as many times as its interval fits, so "repeats at 600 and 700 ms" is exact.
// A timer started or stopped by a callback takes effect at once.
class TSkinManualClock : public TSkinClock {
public:
    void StartTimer(const void* Target, Cardinal Id, Cardinal Interval, TSkinTimerProc Proc) override;
    void StopTimer(const void* Target, Cardinal Id) override;
    void StopTimers(const void* Target) override;
    bool TimerRunning(const void* Target, Cardinal Id) const override;
    Cardinal Now() const override { return Cardinal(FNow); }

    void Advance(Cardinal Ms);
    // The interval of a running timer (0 when it is not running).
    Cardinal TimerInterval(const void* Target, Cardinal Id) const;
    Integer TimerCount() const { return Integer(FTimers.size()); }

private:
    struct TTimer {
        Cardinal Interval = 1;
        Int64 Due = 0;
        uint64_t Order = 0;
        TSkinTimerProc Proc;
    };
    using TKey = std::pair<const void*, Cardinal>;
    std::map<TKey, TTimer> FTimers;
    Int64 FNow = 0;
    uint64_t FNextOrder = 0;
};

// Installs a manual clock for a scope and puts the previous clock back.
class TSkinClockScope {
public:
    TSkinClockScope() : FPrevious(InstallSkinClock(&Clock)) {}
    ~TSkinClockScope() { InstallSkinClock(FPrevious); }
    TSkinClockScope(const TSkinClockScope&) = delete;
    TSkinClockScope& operator=(const TSkinClockScope&) = delete;
    TSkinManualClock Clock;

private:
    TSkinClock* FPrevious;
};
