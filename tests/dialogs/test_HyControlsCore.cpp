// The own speed button's hover steps: how many trigger steps fire while the
// cursor rests, the start event's veto, a fresh count after each return, and
// a leave made good by the next step.
#include <gtest/gtest.h>

#include "dialogs/HyControlsCore.h"

namespace {

// Steps over the button until the count is used up; how many fired.
Integer FireWhileResting(THoverTrigger& H, Integer TriggerCount, Integer Steps, Integer* Triggers = nullptr)
{
    Integer Fired = 0;
    for (Integer I = 0; I < Steps; ++I) {
        const THoverTrigger::TStep S = H.Step(true, true, TriggerCount);
        EXPECT_FALSE(S.StopTimer);
        EXPECT_FALSE(S.SendLeave);
        if (S.Fire) ++Fired;
        if (S.Trigger && Triggers) ++*Triggers;
    }
    return Fired;
}

}  // namespace

TEST(HoverTrigger, StepsFireUpToTheCountOnEachStay)
{
    struct {
        const char* Name;
        Integer TriggerCount;
        bool Veto;
        Integer Fired, Triggers;
    } const Cases[] = {
        {"no trigger steps", 0, false, 0, 0},
        {"three steps", 3, false, 3, 3},
        {"one step", 1, false, 1, 1},
        {"vetoed: the steps still count, no trigger event", 3, true, 3, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THoverTrigger H;
        for (Integer Stay = 0; Stay < 2; ++Stay) {
            Integer Starts = 0;
            EXPECT_TRUE(H.Enter(C.TriggerCount, [&](bool& IsTrigger) {
                ++Starts;
                if (C.Veto) IsTrigger = false;
            }));
            EXPECT_EQ(Starts, C.TriggerCount > 0 ? 1 : 0);
            Integer Triggers = 0;
            EXPECT_EQ(FireWhileResting(H, C.TriggerCount, 10, &Triggers), C.Fired);
            EXPECT_EQ(Triggers, C.Triggers);
            H.Leave();
            EXPECT_FALSE(H.Entered());
        }
    }
}

TEST(HoverTrigger, ASecondEnterWhileInsideChangesNothing)
{
    THoverTrigger H;
    ASSERT_TRUE(H.Enter(3, nullptr));
    EXPECT_EQ(FireWhileResting(H, 3, 2), 2);
    Integer Starts = 0;
    EXPECT_FALSE(H.Enter(3, [&](bool&) { ++Starts; }));
    EXPECT_EQ(Starts, 0);
    EXPECT_EQ(FireWhileResting(H, 3, 5), 1);  // the count goes on, not from 0
}

TEST(HoverTrigger, AMissedLeaveIsMadeGoodOnTheNextStep)
{
    struct {
        const char* Name;
        bool Enabled;
        bool SendLeave;
    } const Cases[] = {
        {"enabled: told of the leave", true, true},
        {"disabled: only the timer stops", false, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        THoverTrigger H;
        ASSERT_TRUE(H.Enter(3, nullptr));
        const THoverTrigger::TStep S = H.Step(false, C.Enabled, 3);
        EXPECT_TRUE(S.StopTimer);
        EXPECT_EQ(S.SendLeave, C.SendLeave);
        EXPECT_FALSE(S.Fire);
        EXPECT_EQ(H.TriggerCountDo(), 0);
    }
}

TEST(HoverTrigger, ADisabledButtonFiresNothing)
{
    THoverTrigger H;
    ASSERT_TRUE(H.Enter(3, nullptr));
    for (Integer I = 0; I < 5; ++I) EXPECT_FALSE(H.Step(true, false, 3).Fire);
    EXPECT_EQ(H.TriggerCountDo(), 0);
    EXPECT_EQ(FireWhileResting(H, 3, 5), 3);  // enabled again, the steps come
}
