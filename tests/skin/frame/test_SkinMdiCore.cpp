#include <gtest/gtest.h>

#include <vector>

#include "skin/frame/SkinMdiCore.h"

namespace {

struct TTileCase {
    const char* Name;
    bool Horizontal;
    Integer Count, W, H;
    std::vector<TRect> Expected;
};

} // namespace

TEST(SkinMdiCore, TilingPlacesEveryChild)
{
    const TTileCase Cases[] = {
        // Right column 5, 4, 3 (bottom to top), left column 2 (bottom), 1 (top).
        {"five", true, 5, 400, 300,
         {{0, 0, 200, 150}, {0, 150, 200, 300}, {200, 0, 400, 100}, {200, 100, 400, 200}, {200, 200, 400, 300}}},
        {"one fills all", true, 1, 400, 300, {{0, 0, 400, 300}}},
        {"four in a square", true, 4, 400, 300,
         {{0, 0, 200, 150}, {0, 150, 200, 300}, {200, 0, 400, 150}, {200, 150, 400, 300}}},
        {"none", true, 0, 400, 300, {}},
        {"vertical five", false, 5, 400, 300,
         {{0, 0, 200, 150}, {0, 150, 200, 300}, {200, 0, 400, 100}, {200, 100, 400, 200}, {200, 200, 400, 300}}},
        {"vertical one", false, 1, 400, 300, {{0, 0, 400, 300}}},
    };
    for (const TTileCase& C : Cases) {
        const std::vector<TRect> Got = C.Horizontal ? MDITileHorizontal(C.Count, C.W, C.H)
                                                    : MDITileVertical(C.Count, C.W, C.H);
        ASSERT_EQ(Got.size(), C.Expected.size()) << C.Name;
        for (size_t I = 0; I < Got.size(); ++I) EXPECT_EQ(Got[I], C.Expected[I]) << C.Name << " child " << I + 1;
    }
}

TEST(SkinMdiCore, CascadeRestartsAtTheCornerAndKeepsFixedSizes)
{
    // 400 x 300, step 22: three steps of shift, so 334 x 234 windows; the
    // fifth from the end would leave the rectangle and starts again at 0.
    std::vector<TsfMDICascadeChild> Kids(5, TsfMDICascadeChild{100, 80, false});
    std::vector<TRect> R = MDICascade(Kids, 400, 300, 22, 0, 0);
    const Integer Pos[] = {0, 66, 44, 22, 0};
    for (size_t I = 0; I < 5; ++I) EXPECT_EQ(R[I], TRect(Pos[I], Pos[I], Pos[I] + 334, Pos[I] + 234)) << I;
    // Two children: shifted by one step only; a fixed-border child keeps its size.
    Kids = {{120, 90, true}, {100, 80, false}};
    R = MDICascade(Kids, 400, 300, 22, 0, 0);
    EXPECT_EQ(R[1], TRect(0, 0, 378, 278));
    EXPECT_EQ(R[0], TRect(22, 22, 142, 112));
    // The size never goes under the minimum; a zero step (a skin whose client
    // rectangle starts at the top) still cascades instead of dividing by 0.
    R = MDICascade({{10, 10, false}}, 400, 300, 0, 450, 320);
    EXPECT_EQ(R[0], TRect(0, 0, 450, 320));
}

TEST(SkinMdiCore, ChildItemNames)
{
    EXPECT_EQ(MDIChildItemName(u"Doc1"), u"Doc1_DSFCHILDITEM");
    EXPECT_EQ(MDIChildNameOfItem(u"Doc1_DSFCHILDITEM"), u"Doc1");
    // Only the first occurrence goes.
    EXPECT_EQ(MDIChildNameOfItem(u"A_DSFCHILDITEM_DSFCHILDITEM"), u"A_DSFCHILDITEM");
    EXPECT_EQ(MDIChildNameOfItem(u"Plain"), u"Plain");
    EXPECT_TRUE(MDIIsChildItem(u"X_DSFCHILDITEM"));
    EXPECT_FALSE(MDIIsChildItem(u"Cascade1"));
}

TEST(SkinMdiCore, ScrollBarsFollowTheChildrenExtent)
{
    const TRect R{0, 0, 400, 300};
    TsfMDIScrollBars S;
    // Everything inside: no bar.
    S.Update(R, {{10, 10, 200, 200}}, true, false);
    EXPECT_FALSE(S.H.Visible);
    EXPECT_FALSE(S.V.Visible);
    // Sticking out 50 to the left: the horizontal bar, positioned at 50.
    S.Update(R, {{-50, 10, 150, 110}}, true, false);
    ASSERT_TRUE(S.H.Visible);
    EXPECT_FALSE(S.V.Visible);
    EXPECT_FALSE(S.Both);
    EXPECT_EQ(S.H.Bounds, TRect(0, 283, 400, 300));
    EXPECT_EQ(S.H.Max, 449);
    EXPECT_EQ(S.H.PageSize, 400);
    EXPECT_EQ(S.H.Position, 50);
    EXPECT_EQ(S.H.Saved, 50);
    EXPECT_EQ(S.H.LargeChange, 400);
    // Scrolled flush: the child now at 0 needs no bar any more.
    S.Update(R, {{0, 10, 200, 110}}, false, false);
    EXPECT_FALSE(S.H.Visible);
    // Too low only, but wider than the room the vertical bar leaves: both bars.
    S.Update(R, {{10, 10, 390, 500}}, true, false);
    ASSERT_TRUE(S.V.Visible);
    ASSERT_TRUE(S.H.Visible);
    EXPECT_TRUE(S.Both);
    EXPECT_EQ(S.V.Bounds, TRect(383, 0, 400, 283));
    EXPECT_EQ(S.V.PageSize, 283);
    EXPECT_EQ(S.V.Max, 499);
    EXPECT_EQ(S.H.PageSize, 383);
    // Without a range recalculation the range stays; the large change follows the page.
    S.Update(R, {{10, 10, 390, 600}}, false, false);
    EXPECT_EQ(S.V.Max, 499);
    EXPECT_EQ(S.V.LargeChange, 283);
    // A maximised child (or the bars off) hides both.
    S.Update(R, {{-10, -10, 900, 900}}, true, true);
    EXPECT_FALSE(S.H.Visible);
    EXPECT_FALSE(S.V.Visible);
}
