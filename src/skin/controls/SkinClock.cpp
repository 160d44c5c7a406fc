#include "skin/controls/SkinClock.h"

#include <algorithm>

namespace {

TSkinManualClock& IdleClock()
{
    static TSkinManualClock clock;
    return clock;
}

TSkinClock* GClock = nullptr;

}  // namespace

TSkinClock* SkinClock() { return GClock ? GClock : &IdleClock(); }

TSkinClock* InstallSkinClock(TSkinClock* Clock)
{
    TSkinClock* previous = GClock;
    GClock = Clock;
    return previous;
}

bool SkinClockInstalled() { return GClock != nullptr; }

void TSkinManualClock::StartTimer(const void* Target, Cardinal Id, Cardinal Interval, TSkinTimerProc Proc)
{
    TTimer& t = FTimers[{Target, Id}];
    t.Interval = std::max<Cardinal>(Interval, 1);
    t.Due = FNow + t.Interval;
    t.Order = FNextOrder++;
    t.Proc = std::move(Proc);
}

void TSkinManualClock::StopTimer(const void* Target, Cardinal Id) { FTimers.erase({Target, Id}); }

void TSkinManualClock::StopTimers(const void* Target)
{
    std::erase_if(FTimers, [&](const auto& Entry) { return Entry.first.first == Target; });
}

bool TSkinManualClock::TimerRunning(const void* Target, Cardinal Id) const
{
    return FTimers.count({Target, Id}) != 0;
}

Cardinal TSkinManualClock::TimerInterval(const void* Target, Cardinal Id) const
{
    auto it = FTimers.find({Target, Id});
    return it == FTimers.end() ? 0 : it->second.Interval;
}

void TSkinManualClock::Advance(Cardinal Ms)
{
    const Int64 end = FNow + Ms;
    for (;;) {
        // The earliest due timer; a tie goes to the one started first.
        auto next = FTimers.end();
        for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
            if (it->second.Due <= end &&
                (next == FTimers.end() || it->second.Due < next->second.Due ||
                 (it->second.Due == next->second.Due && it->second.Order < next->second.Order)))
                next = it;
        if (next == FTimers.end()) break;
        FNow = next->second.Due;
        next->second.Due += next->second.Interval;
        // A copy: the callback may stop or restart its own timer.
        TSkinTimerProc proc = next->second.Proc;
        if (proc) proc();
    }
    FNow = end;
}
