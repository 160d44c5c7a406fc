#include <gtest/gtest.h>

#include <cmath>

#include "document/base/ViDuza.h"

TEST(ViDuza, IncPointAddsInPlace)
{
    TPoint P{3, -4};
    IncPoint(P, 10, 20);
    EXPECT_EQ(P, (TPoint{13, 16}));
    IncPoint(P, -13, -16);
    EXPECT_EQ(P, (TPoint{0, 0}));
}

TEST(ViDuza, FloatPointDistance)
{
    struct Case {
        TPoint P;
        TFloatPoint F;
        Single Expected;
    };
    const Case Cases[] = {
        {{0, 0}, {3, 4}, 5},
        {{3, 4}, {3, 4}, 0},
        {{-1, -1}, {2, 3}, 5},
        {{0, 0}, {0.5f, 0.5f}, std::sqrt(0.5f)},
        // Large coordinates stay exact in extended precision before the root.
        {{2000000000, 0}, {-2000000000.0f, 0}, 4.0e9f},
    };
    for (const Case& C : Cases) EXPECT_FLOAT_EQ(FloatPointDistance(C.P, C.F), C.Expected);
}
