#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/controls/SkinClock.h"

namespace {

struct TLog {
    TSkinManualClock* Clock;
    std::vector<std::pair<Cardinal, std::string>> Events;
    TSkinTimerProc Note(const std::string& Name)
    {
        return [this, Name] { Events.push_back({Clock->Now(), Name}); };
    }
};

using TEvents = std::vector<std::pair<Cardinal, std::string>>;

}  // namespace

TEST(SkinClock, TimersFireInTimeOrderAtExactTimes)
{
    TSkinManualClock clock;
    TLog log{&clock, {}};
    int a = 0, b = 0;
    clock.StartTimer(&a, 1, 100, log.Note("a"));
    clock.StartTimer(&b, 1, 250, log.Note("b"));
    clock.Advance(99);
    EXPECT_TRUE(log.Events.empty());
    clock.Advance(401);
    EXPECT_EQ(log.Events, (TEvents{{100, "a"}, {200, "a"}, {250, "b"}, {300, "a"}, {400, "a"}, {500, "a"},
                                   {500, "b"}}));
    EXPECT_EQ(clock.Now(), 500u);
}

TEST(SkinClock, RestartStopAndChangesMadeByCallbacks)
{
    TSkinManualClock clock;
    TLog log{&clock, {}};
    int t = 0;
    // The auto-repeat pattern: a first delay, then a faster repeat started by the first tick.
    clock.StartTimer(&t, 1, 500, [&] {
        log.Events.push_back({clock.Now(), "first"});
        clock.StartTimer(&t, 1, 100, log.Note("repeat"));
    });
    clock.Advance(720);
    EXPECT_EQ(log.Events, (TEvents{{500, "first"}, {600, "repeat"}, {700, "repeat"}}));

    // Starting a running timer restarts its count.
    log.Events.clear();
    clock.Advance(50);  // 770
    clock.StartTimer(&t, 1, 100, log.Note("restarted"));
    clock.Advance(99);
    EXPECT_TRUE(log.Events.empty());
    clock.Advance(1);
    EXPECT_EQ(log.Events, (TEvents{{870, "restarted"}}));

    // A callback that stops its own timer fires once.
    log.Events.clear();
    clock.StartTimer(&t, 2, 10, [&] {
        log.Events.push_back({clock.Now(), "once"});
        clock.StopTimer(&t, 2);
    });
    clock.StopTimer(&t, 1);
    clock.Advance(100);
    EXPECT_EQ(log.Events, (TEvents{{880, "once"}}));
    EXPECT_EQ(clock.TimerCount(), 0);
}

TEST(SkinClock, StopTimersOfOneTargetAndInstalling)
{
    TSkinManualClock clock;
    int a = 0, b = 0;
    clock.StartTimer(&a, 1, 10, nullptr);
    clock.StartTimer(&a, 2, 10, nullptr);
    clock.StartTimer(&b, 1, 0, nullptr);  // an interval of 0 runs as 1 ms
    EXPECT_EQ(clock.TimerInterval(&b, 1), 1u);
    clock.StopTimers(&a);
    EXPECT_FALSE(clock.TimerRunning(&a, 1));
    EXPECT_FALSE(clock.TimerRunning(&a, 2));
    EXPECT_TRUE(clock.TimerRunning(&b, 1));
    clock.Advance(5);  // an empty callback is allowed

    EXPECT_FALSE(SkinClockInstalled());
    TSkinClock* idle = SkinClock();
    {
        TSkinClockScope scope;
        EXPECT_EQ(SkinClock(), &scope.Clock);
        EXPECT_TRUE(SkinClockInstalled());
    }
    EXPECT_EQ(SkinClock(), idle);
    EXPECT_FALSE(SkinClockInstalled());
}
