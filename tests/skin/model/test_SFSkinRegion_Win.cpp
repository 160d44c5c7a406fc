#include <gtest/gtest.h>

#include "SkinMasks.h"
#include "SkinTestEnv.h"
#include "skin/model/win/SFSkinRegion_Win.h"

namespace {

constexpr TsfColor White = MaskWhite, Black = MaskBlack;

struct TRgnGuard {
    HRGN Rgn = nullptr;
    ~TRgnGuard() { if (Rgn) DeleteObject(Rgn); }
};

} // namespace

TEST(CreateRgnFromMask, TheBlackPixelsAndNothingElse)
{
    TsfBitmap M;
    MakeRowMask(M);
    TRgnGuard G;
    CreateRgnFromMask(G.Rgn, &M);
    ASSERT_NE(G.Rgn, nullptr);
    for (Integer y = 0; y < 5; ++y)
        for (Integer x = 0; x < 4; ++x)
            EXPECT_EQ(PtInRegion(G.Rgn, x, y) != 0, y == 3 && x != 2) << x << ',' << y;
    TsfBitmap Empty;
    TRgnGuard None;
    CreateRgnFromMask(None.Rgn, &Empty);
    EXPECT_EQ(None.Rgn, nullptr);
}

TEST(CreateSkinRegion, StripsAndClientWithoutALeftBorder)
{
    // A 12 x 14 mask with no left border: black everywhere but the top-right
    // corner pixel. Resized to 22 x 20 the region holds the client and the top,
    // bottom and right strips, and leaves the cut corner out.
    TsfBitmap M;
    M.SetSize(12, 14);
    M.Clear(Black);
    *M.PixelAddress(11, 0) = White;
    const TRect CL{0, 2, 10, 12};
    TRgnGuard G;
    CreateSkinRegion(G.Rgn, {0, 2}, {10, 2}, {0, 12}, {10, 12}, CL, {0, 2}, {20, 2}, {0, 18}, {20, 18},
                     {0, 2, 20, 18}, &M, 22, 20);
    ASSERT_NE(G.Rgn, nullptr);
    const struct { Integer X, Y; bool In; } Points[] = {
        {5, 5, true}, {0, 0, true}, {15, 1, true}, {21, 10, true}, {10, 19, true}, {21, 0, false}, {22, 5, false}};
    for (const auto& P : Points) EXPECT_EQ(PtInRegion(G.Rgn, P.X, P.Y) != 0, P.In) << P.X << ',' << P.Y;

    // Crossing new corners or an empty client: no region.
    TRgnGuard None;
    CreateSkinRegion(None.Rgn, {0, 2}, {10, 2}, {0, 12}, {10, 12}, CL, {9, 2}, {5, 2}, {0, 18}, {20, 18},
                     {0, 2, 20, 18}, &M, 22, 20);
    EXPECT_EQ(None.Rgn, nullptr);
}
