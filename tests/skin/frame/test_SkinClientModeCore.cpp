#include <gtest/gtest.h>

#include "skin/frame/SkinClientModeCore.h"

TEST(SkinClientModeCore, TheClientFitsThePicture)
{
    struct {
        const char* Name;
        bool NineSlice, MinW, MinH;
        Integer CW, CH;
        TsfClientFit Want;
    } Cases[] = {
        {"9-slice grows only", true, false, false, 150, 300, {true, 200, 300, false}},
        {"9-slice already large", true, false, false, 250, 300, {false, 250, 300, false}},
        {"9-slice with both minimums", true, true, true, 10, 10, {false, 0, 0, false}},
        {"9-slice with one minimum", true, true, false, 10, 10, {true, 200, 120, false}},
        {"fixed: exactly the picture", false, true, true, 400, 50, {true, 200, 120, true}},
        {"fixed, same size", false, false, false, 200, 120, {false, 200, 120, true}},
    };
    for (const auto& C : Cases) {
        const TsfClientFit F = FitClientToPicture(C.NineSlice, C.MinW, C.MinH, C.CW, C.CH, 200, 120);
        EXPECT_EQ(F.Change, C.Want.Change) << C.Name;
        if (F.Change || C.Want.Width) {
            EXPECT_EQ(F.Width, C.Want.Width) << C.Name;
            EXPECT_EQ(F.Height, C.Want.Height) << C.Name;
        }
        EXPECT_EQ(F.FixedSize, C.Want.FixedSize) << C.Name;
    }
}

TEST(SkinClientModeCore, RollUpPictureAndObjects)
{
    // Stretchable between 40 and 60 on a 300-wide form: 200 more than the picture.
    TsfRollUpPlace P = RollUpPlace(300, 100, 24, 40, 60);
    EXPECT_TRUE(P.Stretch);
    EXPECT_EQ(P.Width, 300);
    EXPECT_EQ(P.Height, 24);
    EXPECT_EQ(P.D, 200);
    EXPECT_EQ(RollUpObjectRect({70, 2, 90, 20}, P.D, 40, 60), TRect(270, 2, 290, 20));  // right of RightX: moved
    EXPECT_EQ(RollUpObjectRect({60, 2, 90, 20}, P.D, 40, 60), TRect(260, 2, 290, 20));  // at RightX: moved
    EXPECT_EQ(RollUpObjectRect({10, 2, 65, 20}, P.D, 40, 60), TRect(10, 2, 265, 20));   // spans: widened
    EXPECT_EQ(RollUpObjectRect({10, 2, 30, 20}, P.D, 40, 60), TRect(10, 2, 30, 20));    // left part: kept
    EXPECT_EQ(RollUpObjectRect({45, 2, 55, 20}, P.D, 40, 60), TRect(45, 2, 55, 20));    // inside the middle: kept
    // Equal points: the picture keeps its own width and the objects their skin rectangles.
    P = RollUpPlace(300, 100, 24, 50, 50);
    EXPECT_FALSE(P.Stretch);
    EXPECT_EQ(P.Width, 100);
    EXPECT_EQ(P.D, 0);
    EXPECT_EQ(RollUpObjectRect({70, 2, 90, 20}, P.D, 50, 50), TRect(70, 2, 90, 20));
}
