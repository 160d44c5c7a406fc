#include <gtest/gtest.h>

#include <vector>

#include "skin/frame/SkinFormFade.h"

TEST(SkinFormFade, StepsToTheTarget)
{
    struct { bool AlphaBlend, Animation; Integer Value; Integer Target, Step, Steps; } Cases[] = {
        {false, true, 200, 255, 17, 15},  // fading in alone ends opaque
        {true, true, 128, 128, 8, 16},
        {true, false, 200, 200, 13, 16},
        {true, true, 10, 10, 1, 10},      // below 15: steps of 1
        {true, true, 0, 0, 1, 0},         // nothing to fade
    };
    for (const auto& C : Cases) {
        const Integer Target = TsfFormFade::TargetAlpha(C.AlphaBlend, C.Animation, C.Value);
        EXPECT_EQ(Target, C.Target);
        TsfFormFade F;
        F.Start(Target);
        EXPECT_EQ(F.Alpha(), 0);
        EXPECT_EQ(F.Step(), C.Step);
        std::vector<Integer> Seen;
        while (F.Running()) Seen.push_back(F.Next());
        EXPECT_EQ(static_cast<Integer>(Seen.size()), C.Steps) << C.Target;
        if (!Seen.empty()) {
            EXPECT_EQ(Seen.front(), C.Step);
            EXPECT_EQ(Seen.back(), C.Target);
        }
        EXPECT_EQ(F.Next(), F.Alpha());  // a finished fade stays where it ended
    }
}
