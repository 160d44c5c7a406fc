#include <gtest/gtest.h>

#include <vector>

#include "skin/frame/SkinWindowState.h"

namespace {

// Parks Count forms one after another, each seeing the ones parked before it.
std::vector<TPoint> Park(const TRect& Area, Integer W, Integer H, int Count)
{
    std::vector<TPoint> Parked;
    for (int I = 0; I < Count; ++I)
        Parked.push_back(MinimizedPosition(Area, W, H, [&](const TPoint& P) {
            for (const auto& Q : Parked)
                if (Q == P) return true;
            return false;
        }));
    return Parked;
}

}  // namespace

TEST(SkinWindowState, MinimizedFormsParkRowByRowFromTheBottomLeft)
{
    const TRect Work{0, 0, 1920, 1040};
    EXPECT_EQ(Park(Work, 200, 30, 3), (std::vector<TPoint>{{0, 1010}, {200, 1010}, {400, 1010}}));
    // Nine cells fit a row (1800); the tenth starts the row above.
    const auto Ten = Park(Work, 200, 30, 10);
    EXPECT_EQ(Ten[8], (TPoint{1600, 1010}));
    EXPECT_EQ(Ten[9], (TPoint{0, 980}));
    // An area off the origin (second monitor, taskbar on top).
    EXPECT_EQ(Park({1920, 40, 2400, 1080}, 200, 30, 3), (std::vector<TPoint>{{1920, 1050}, {2120, 1050}, {1920, 1020}}));
    // Every cell taken: the last form overlaps one on the bottom row.
    const auto Full = Park({0, 0, 400, 60}, 200, 30, 5);
    EXPECT_EQ(Full[3], (TPoint{200, 0}));
    EXPECT_EQ(Full[4], (TPoint{0, 30}));
    // A cell without size does not loop.
    EXPECT_EQ(MinimizedPosition(Work, 0, 30, [](const TPoint&) { return true; }), (TPoint{0, 1010}));
}

TEST(SkinWindowState, MaximizedArea)
{
    const TRect Screen{0, 0, 1920, 1080};
    struct { TRect Work, Monitor; bool Full; TRect Want; } Cases[] = {
        {{0, 0, 1920, 1040}, Screen, false, {0, 0, 1920, 1040}},          // taskbar shown
        {Screen, Screen, false, {1, 1, 1919, 1079}},                      // taskbar hides itself
        {Screen, Screen, true, Screen},                                   // full screen
        {{0, 0, 1920, 1040}, Screen, true, Screen},
        {{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, false, {1920, 0, 3200, 1024}},  // second monitor
    };
    for (const auto& C : Cases) {
        const TRect R = MaximizedArea(C.Work, C.Monitor, Screen, C.Full);
        EXPECT_EQ(R, C.Want) << C.Work.Left << "," << C.Work.Bottom << " full " << C.Full;
    }
}

TEST(SkinWindowState, MagneticMove)
{
    const TRect Work{0, 0, 1920, 1040};
    const Integer H = 200;
    // Each step: cursor X, proposed left, expected left (top stays far from any edge).
    struct Step { Integer CursorX, Left, Want; };
    struct { const char* Name; Integer Size, W; std::vector<Step> Steps; } Cases[] = {
        {"snaps at 7, holds 10 pixels of travel, follows at 11", 10, 300,
         {{507, 7, 0}, {503, 3, 0}, {497, -3, 0}, {496, -4, -11}, {490, -10, -17}}},
        {"10 pixels away is outside the band", 10, 300, {{510, 10, 10}, {509, 9, 0}}},
        {"a magnetic size of 0 never snaps", 0, 300, {{500, 0, 0}, {501, 1, 1}, {400, -1, -1}, {1600, 1620, 1620}}},
        {"the right edge snaps too", 10, 300, {{1500, 1612, 1620}, {1505, 1617, 1620}, {1520, 1632, 1640}}},
        {"both edges in their bands: the right one wins", 30, 1900, {{500, 10, 20}}},
    };
    for (const auto& C : Cases) {
        TsfMagnetState S;
        for (const auto& St : C.Steps) {
            Integer L = St.Left, T = 500;
            S.Move(Work, C.Size, {St.CursorX, 600}, L, T, H, C.W);
            EXPECT_EQ(L, St.Want) << C.Name << " at cursor " << St.CursorX;
            EXPECT_EQ(T, 500) << C.Name;
        }
    }
    // Top and bottom edges follow the same rules.
    TsfMagnetState S;
    Integer L = 500, T = 1040 - H - 5;
    S.Move(Work, 10, {600, 700}, L, T, H, 300);
    EXPECT_EQ(T, 1040 - H);
    EXPECT_TRUE(S.VMagnetized2);
    S.Clear();
    EXPECT_FALSE(S.VMagnetized2);
}
