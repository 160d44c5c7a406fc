#include <gtest/gtest.h>

#include "skin/frame/SkinMainMenuBarCore.h"

TEST(SkinMainMenuBarCore, ItemsAreaAndChildButtons)
{
    EXPECT_EQ(MenuBarItemsRect(false, {}, {}, true, 300, 22), TRect(2, 2, 298, 21));
    // Skin 200 x 24 with items from 4 to 190: the right edge follows a 300-wide bar.
    EXPECT_EQ(MenuBarItemsRect(true, {4, 2, 190, 22}, {0, 0, 200, 24}, true, 300, 30), TRect(4, 2, 290, 22));
    EXPECT_EQ(MenuBarItemsRect(true, {4, 2, 190, 22}, {0, 0, 200, 24}, false, 300, 30), TRect(4, 2, 290, 28));
    // System menu at the left, close, maximise, minimise from the right.
    TRect Items{2, 2, 298, 21};
    const std::vector<TRect> B = PlaceMenuBarChildButtons(Items, {19, 16, 16, 16}, {19, 14, 14, 14});
    EXPECT_EQ(B[0], TRect(2, 2, 21, 21));
    EXPECT_EQ(B[1], TRect(282, 4, 298, 18));
    EXPECT_EQ(B[2], TRect(264, 4, 280, 18));
    EXPECT_EQ(B[3], TRect(246, 4, 262, 18));
    EXPECT_EQ(Items, TRect(23, 2, 244, 21));
}

TEST(SkinMainMenuBarCore, ItemsThatDoNotFit)
{
    const TRect Items{2, 2, 150, 21};
    TsfMenuBarLayout L = LayoutMenuBarItems({40, 50, 50, 30}, Items, 0, true);
    EXPECT_EQ(L.Rects[1], TRect(42, 2, 92, 21));
    EXPECT_TRUE(L.Fits[1]);
    EXPECT_TRUE(L.Fits[2]);    // ends at 142 <= 145
    EXPECT_FALSE(L.Fits[3]);   // ends at 172
    EXPECT_TRUE(L.Scroll);
    // Without scrolling the whole area counts: 145 < 148 <= 150.
    L = LayoutMenuBarItems({40, 50, 58}, Items, 0, false);
    EXPECT_TRUE(L.Fits[2]);
    EXPECT_FALSE(L.Scroll);
    EXPECT_FALSE(LayoutMenuBarItems({40, 50, 58}, Items, 0, true).Fits[2]);
    EXPECT_EQ(LayoutMenuBarItems({40}, Items, 18, true).Rects[0], TRect(2, 2, 42, 20));
    EXPECT_EQ(MenuBarScrollMarker(Items), TRect(145, 2, 150, 21));
}

TEST(SkinMainMenuBarCore, KeyboardStepsWrap)
{
    const std::vector<bool> S{true, false, true, true};
    EXPECT_EQ(MenuBarNextItem(S, -1), 0);
    EXPECT_EQ(MenuBarNextItem(S, 0), 2);  // the disabled one is skipped
    EXPECT_EQ(MenuBarNextItem(S, 3), 0);  // the last wraps to the first
    EXPECT_EQ(MenuBarPrevItem(S, 0), 3);  // the first wraps to the last
    EXPECT_EQ(MenuBarPrevItem(S, -1), 3);
    EXPECT_EQ(MenuBarPrevItem(S, 2), 0);
    EXPECT_EQ(MenuBarNextItem({false, false}, 0), -1);
}

TEST(SkinMainMenuBarCore, AChildMenuReplacesItsGroups)
{
    // Main: File(0) Edit(1) Window(9); child: Edit(1) Tools(5).
    EXPECT_EQ(MergeMenuGroups({0, 1, 9}, {1, 5}), (std::vector<Integer>{0, -1, -2, 2}));
    EXPECT_EQ(MergeMenuGroups({0, 1}, {}), (std::vector<Integer>{0, 1}));
}
