#include <gtest/gtest.h>

#include "skin/frame/SkinMdiTabsCore.h"

TEST(SkinMdiTabsCore, TabsShareTheBar)
{
    // 400 wide, 3 tabs: each 100 wide from x = 15.
    TsfMDITabsLayout L = CalcMDITabRects(3, 400, 21, 100, 0);
    ASSERT_EQ(L.Rects.size(), 3u);
    for (int I = 0; I < 3; ++I) EXPECT_EQ(L.Rects[size_t(I)], TRect(15 + 100 * I, 0, 115 + 100 * I, 21)) << I;
    EXPECT_EQ(L.InVisibleCount, 0);
    // 5 tabs: 77 each, the last one reaching the right edge.
    L = CalcMDITabRects(5, 400, 21, 100, 0);
    for (int I = 0; I < 4; ++I) EXPECT_EQ(L.Rects[size_t(I)], TRect(15 + 77 * I, 0, 92 + 77 * I, 21)) << I;
    EXPECT_EQ(L.Rects[4], TRect(323, 0, 400, 21));
    EXPECT_EQ(L.RightLimit, 400);
    // MinTabWidth 120: 3 fit, the other 2 are hidden.
    L = CalcMDITabRects(5, 400, 21, 100, 120);
    EXPECT_EQ(L.InVisibleCount, 2);
    EXPECT_EQ(L.Rects[2], TRect(255, 0, 375, 21));
    EXPECT_FALSE(L.Visible[3]);
    EXPECT_EQ(L.Rects[4], TRect());
    EXPECT_EQ(L.RightLimit, 385);
    EXPECT_TRUE(CalcMDITabRects(0, 400, 21, 100, 0).Rects.empty());
}

TEST(SkinMdiTabsCore, DraggingAndDropping)
{
    // Three 100-wide tabs at 15, 115, 215 (centres 65, 165, 265).
    struct {
        Integer Drag, DX, Drop;
    } Cases[] = {
        {0, 49, -1},   // right edge at 164: short of the neighbour's centre
        {0, 51, 1},    // right edge 166 passes 165
        {0, 160, 2},   // past both
        {2, -49, -1},  // left edge 166
        {2, -51, 1},   // left edge 164
        {1, 0, -1},    // no shift
        {0, 1000, 2},  // pushed back inside the bar, still past both
    };
    for (const auto& C : Cases) {
        const TsfMDITabsLayout L = CalcMDITabRects(3, 400, 21, 100, 0, C.Drag, C.DX);
        EXPECT_EQ(MDITabDropIndex(L, C.Drag, C.DX), C.Drop) << C.Drag << " by " << C.DX;
    }
    // The dragged tab stays on the bar.
    EXPECT_EQ(CalcMDITabRects(3, 400, 21, 100, 0, 0, -100).Rects[0].Left, 0);
    EXPECT_EQ(CalcMDITabRects(3, 400, 21, 100, 0, 0, 1000).Rects[0].Right, 400);
}

TEST(SkinMdiTabsCore, HitsAndCloseButtons)
{
    const TsfMDITabsLayout L = CalcMDITabRects(5, 400, 21, 100, 120);
    EXPECT_EQ(MDITabIndexAt(L, 15, 0), 0);
    EXPECT_EQ(MDITabIndexAt(L, 135, 21), 0);  // shared edge: the first tab
    EXPECT_EQ(MDITabIndexAt(L, 136, 5), 1);
    EXPECT_EQ(MDITabIndexAt(L, 390, 5), -1);  // right of the last shown tab
    EXPECT_EQ(MDITabIndexAt(L, 5, 5), -1);    // the list button
    EXPECT_EQ(MDITabCloseButtonRect(100, 21, 14), TRect(81, 3, 95, 17));
}
