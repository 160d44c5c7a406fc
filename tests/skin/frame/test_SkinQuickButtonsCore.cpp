#include <gtest/gtest.h>

#include "skin/frame/SkinQuickButtonsCore.h"

TEST(SkinQuickButtonsCore, ButtonsSitLeftOfTheCaptionText)
{
    // A caption area 100..400 x 4..28 with 16 x 16 images: 20 x 20 buttons, 24 apart.
    const TRect A{100, 4, 400, 28};
    std::vector<TRect> R = LayoutQuickButtons(A, -1, 16, 16, {true, true, true});
    EXPECT_EQ(R[0], TRect(105, 4, 125, 24));
    EXPECT_EQ(R[1], TRect(129, 4, 149, 24));
    EXPECT_EQ(R[2], TRect(153, 4, 173, 24));
    // After an icon ending at 120; a hidden button leaves no gap.
    R = LayoutQuickButtons(A, 120, 16, 16, {true, false, true});
    EXPECT_EQ(R[0], TRect(126, 4, 146, 24));
    EXPECT_EQ(R[1], TRect());
    EXPECT_EQ(R[2], TRect(150, 4, 170, 24));
    EXPECT_EQ(QuickButtonAt(R, 126, 4), 0);
    EXPECT_EQ(QuickButtonAt(R, 146, 10), -1);  // the gap between
    EXPECT_EQ(QuickButtonAt(R, 169, 23), 2);
    EXPECT_EQ(QuickButtonAt(R, 0, 0), -1);
    EXPECT_TRUE(LayoutQuickButtons(A, -1, 16, 16, {}).empty());
}
