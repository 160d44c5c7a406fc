#include <gtest/gtest.h>

#include "skin/controls/SkinSplitterCore.h"

TEST(SkinSplitterCore, TheTargetBesideTheSplitter)
{
    const TRect s{100, 20, 103, 220};
    EXPECT_EQ(SplitterTargetPoint(TsfSplitSide::Left, s), (TPoint{99, 20}));
    EXPECT_EQ(SplitterTargetPoint(TsfSplitSide::Right, s), (TPoint{103, 20}));
    EXPECT_EQ(SplitterTargetPoint(TsfSplitSide::Top, s), (TPoint{100, 19}));
    EXPECT_EQ(SplitterTargetPoint(TsfSplitSide::Bottom, s), (TPoint{100, 220}));
    struct TCase {
        TsfSplitSide Side;
        TRect Bounds;
        TPoint P;
        bool Hit;
    } cases[] = {
        {TsfSplitSide::Left, {0, 0, 100, 300}, {99, 20}, true},
        {TsfSplitSide::Left, {0, 0, 99, 300}, {99, 20}, false},
        {TsfSplitSide::Left, {99, 0, 99, 300}, {99, 20}, true},    // collapsed: one pixel wider
        {TsfSplitSide::Right, {104, 0, 104, 300}, {103, 20}, true},
        {TsfSplitSide::Top, {0, 19, 300, 19}, {100, 19}, true},
        {TsfSplitSide::Bottom, {0, 221, 300, 221}, {100, 220}, true},
        {TsfSplitSide::Other, {0, 0, 300, 300}, {100, 20}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitterTargetHit(c.Side, c.Bounds, c.P), c.Hit) << &c - cases;
}

TEST(SkinSplitterCore, SizesFromThePointerWithinTheLimits)
{
    EXPECT_EQ(SplitterMaxSize(400, 30, 103, 100), 367);
    struct TCase {
        TsfSplitSide Side;
        TPoint Pos;
        Integer NewSize, Split;
    } cases[] = {
        {TsfSplitSide::Left, {50, 0}, 150, 50},
        {TsfSplitSide::Left, {-90, 0}, 30, -70},   // limited by MinSize, Split corrected
        {TsfSplitSide::Left, {100, 0}, 200, 100},
        {TsfSplitSide::Left, {300, 0}, 200, 100},  // limited by MaxSize
        {TsfSplitSide::Right, {50, 0}, 50, 50},
        {TsfSplitSide::Right, {90, 0}, 30, 70},
        {TsfSplitSide::Top, {0, 10}, 90, 10},
        {TsfSplitSide::Bottom, {0, 10}, 70, 10},
    };
    const TRect target{0, 0, 100, 80};
    for (const auto& c : cases) {
        const TsfSplitterSize r = SplitterSizeAt(c.Side, c.Pos, {0, 0}, target, 30, 200);
        EXPECT_EQ(r.NewSize, c.NewSize) << &c - cases;
        EXPECT_EQ(r.Split, c.Split) << &c - cases;
    }
    EXPECT_EQ(SplitterSnap(30, 30, true), 0);
    EXPECT_EQ(SplitterSnap(31, 30, true), 31);
    EXPECT_EQ(SplitterSnap(30, 30, false), 30);
    EXPECT_EQ(SplitterTargetBounds(TsfSplitSide::Left, target, 40), (TRect{0, 0, 40, 80}));
    EXPECT_EQ(SplitterTargetBounds(TsfSplitSide::Right, target, 40), (TRect{60, 0, 100, 80}));
    EXPECT_EQ(SplitterTargetBounds(TsfSplitSide::Top, target, 40), (TRect{0, 0, 100, 40}));
    EXPECT_EQ(SplitterTargetBounds(TsfSplitSide::Bottom, target, 40), (TRect{0, 40, 100, 80}));
}
