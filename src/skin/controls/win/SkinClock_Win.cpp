#include "skin/controls/win/SkinClock_Win.h"

#include <map>

#include "framework/controls/win/Messages.h"

namespace {

// One running timer: the framework's timer calls its WndProc.
struct TWindowTimer {
    TSkinTimerProc Proc;
    void WndProc(TMessage& Message)
    {
        if (Message.Msg != WM_TIMER) return;
        // A copy: the callback may stop its own timer, which frees this entry.
        TSkinTimerProc proc = Proc;
        if (proc) proc();
    }
};

}  // namespace

struct TSkinWindowClock::TEntries {
    std::map<std::pair<const void*, Cardinal>, std::unique_ptr<TWindowTimer>> Map;
};

TSkinWindowClock::TSkinWindowClock() : FEntries(std::make_unique<TEntries>()) {}

TSkinWindowClock::~TSkinWindowClock()
{
    for (auto& e : FEntries->Map) ::StopTimers(e.second.get());
}

void TSkinWindowClock::StartTimer(const void* Target, Cardinal Id, Cardinal Interval, TSkinTimerProc Proc)
{
    auto& slot = FEntries->Map[{Target, Id}];
    if (!slot) slot = std::make_unique<TWindowTimer>();
    slot->Proc = std::move(Proc);
    ::StartTimer(TWndMethod::Of<&TWindowTimer::WndProc>(slot.get()), 1, Interval < 1 ? 1 : Interval);
}

void TSkinWindowClock::StopTimer(const void* Target, Cardinal Id)
{
    auto it = FEntries->Map.find({Target, Id});
    if (it == FEntries->Map.end()) return;
    ::StopTimers(it->second.get());
    FEntries->Map.erase(it);
}

void TSkinWindowClock::StopTimers(const void* Target)
{
    for (auto it = FEntries->Map.begin(); it != FEntries->Map.end();) {
        if (it->first.first == Target) {
            ::StopTimers(it->second.get());
            it = FEntries->Map.erase(it);
        } else {
            ++it;
        }
    }
}

bool TSkinWindowClock::TimerRunning(const void* Target, Cardinal Id) const
{
    return FEntries->Map.count({Target, Id}) != 0;
}

Cardinal TSkinWindowClock::Now() const { return GetTickCount(); }

void EnsureSkinWindowClock()
{
    if (SkinClockInstalled()) return;
    // Kept to the end of the process: timers may still be stopped by controls
    // that are freed during the program's shut-down.
    static auto* clock = new TSkinWindowClock;
    InstallSkinClock(clock);
}
