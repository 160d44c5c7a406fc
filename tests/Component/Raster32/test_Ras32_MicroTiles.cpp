// Micro tiles: adding rectangles and lines, turning tiles back into rectangles,
// the unions and their SIMD forms.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <vector>

#include "Component/Raster32/Ras32_MicroTiles.h"
#include "Component/Raster32/Ras32_MicroTiles_Variants.h"

namespace {

// A grid that frees itself.
struct TGrid {
    TMicroTiles T;
    explicit TGrid(Integer W, Integer H) { TilesResize(T, TRect{0, 0, W, H}); }
    TGrid(const TGrid&) = delete;
    ~TGrid() { TilesRelease(T); }
    TMicroTile At(Integer C, Integer R) const { return T.Tiles[R * T.Columns + C]; }
};

std::vector<TRect> Rects(const TMicroTiles& T, bool Whole = false)
{
    TRectList List;
    TilesCalcRects(T, &List, T.BoundsRect, false, Whole);
    std::vector<TRect> Result;
    for (Integer I = 0; I < List.Count(); ++I) Result.push_back(*List[I]);
    return Result;
}

bool Inside(const TRect& R, Integer X, Integer Y)
{
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

}  // namespace

TEST(Ras32_MicroTiles, GridSizeAndTileLayout)
{
    TGrid G(64, 64);
    EXPECT_EQ(G.T.Columns, 3);
    EXPECT_EQ(G.T.Rows, 3);
    EXPECT_EQ(G.T.Count, 16);
    EXPECT_EQ(G.T.BoundsUsedTiles, (TRect{3, 3, 0, 0}));
    EXPECT_EQ(MakeMicroTile(0, 0, 32, 32), MICROTILE_FULL);
    EXPECT_EQ(MakeMicroTile(1, 2, 3, 4), 0x01020304u);
    EXPECT_TRUE(MicroTileCoversNothing(MakeMicroTile(8, 10, 8, 20)));
    EXPECT_TRUE(Rects(G.T).empty());
}

TEST(Ras32_MicroTiles, WholeGridGivesOneRectangle)
{
    TGrid G(64, 64);
    TilesAddRect(G.T, TRect{0, 0, 64, 64});
    for (Integer R = 0; R < 3; ++R)
        for (Integer C = 0; C < 3; ++C)
            EXPECT_EQ(G.At(C, R), (C < 2 && R < 2) ? MICROTILE_FULL : MICROTILE_EMPTY) << C << "," << R;
    EXPECT_EQ(G.T.BoundsUsedTiles, (TRect{0, 0, 2, 2}));
    EXPECT_EQ(Rects(G.T), (std::vector<TRect>{{0, 0, 64, 64}}));
}

TEST(Ras32_MicroTiles, ExactVersusWholeTiles)
{
    struct TCase {
        TRect Add;
        bool Whole;
        std::vector<TRect> Expected;
    } Cases[] = {
        {{5, 5, 6, 6}, false, {{5, 5, 6, 6}}},
        {{5, 5, 6, 6}, true, {{0, 0, 32, 32}}},
        {{6, 6, 5, 5}, false, {{5, 5, 6, 6}}},           // turned round
        {{40, 10, 40, 20}, false, {}},                   // zero width: no tile changes
        {{-10, -10, 3, 4}, false, {{0, 0, 3, 4}}},       // cut at the grid
        {{30, 40, 70, 45}, false, {{30, 40, 64, 45}}},   // one row, clipped to the bounds
        {{30, 40, 70, 45}, true, {{0, 32, 64, 64}}},
        {{10, 20, 12, 90}, false, {{10, 20, 12, 64}}},   // one column
        {{10, 20, 50, 60}, false, {{10, 20, 50, 60}}},   // four tiles, merged both ways
        {{200, 200, 300, 300}, false, {}},               // outside
    };
    for (const TCase& T : Cases) {
        TGrid G(64, 64);
        TilesAddRect(G.T, T.Add, T.Whole);
        EXPECT_EQ(Rects(G.T, T.Whole), T.Expected) << T.Add.Left << "," << T.Add.Top << " whole " << T.Whole;
    }
    TGrid G(64, 64);
    TilesAddRect(G.T, TRect{40, 10, 40, 20});
    for (Integer I = 0; I < G.T.Count; ++I) EXPECT_EQ(G.T.Tiles[I], MICROTILE_EMPTY);
}

TEST(Ras32_MicroTiles, RunsMergeAcrossTileBorders)
{
    TGrid G(128, 64);
    // Equal tops and bottoms, the left part reaching its tile's right edge.
    TilesAddRect(G.T, TRect{10, 5, 32, 15});
    TilesAddRect(G.T, TRect{32, 5, 50, 15});
    EXPECT_EQ(G.At(0, 0), MakeMicroTile(10, 5, 32, 15));
    EXPECT_EQ(G.At(1, 0), MakeMicroTile(0, 5, 18, 15));
    EXPECT_EQ(Rects(G.T), (std::vector<TRect>{{10, 5, 50, 15}}));
    // Different bottoms do not merge.
    TilesAddRect(G.T, TRect{70, 5, 96, 16});
    TilesAddRect(G.T, TRect{96, 5, 100, 15});
    EXPECT_EQ(Rects(G.T), (std::vector<TRect>{{10, 5, 50, 15}, {70, 5, 96, 16}, {96, 5, 100, 15}}));
    EXPECT_EQ(TilesCalcRects(G.T, nullptr, true), 3);
}

TEST(Ras32_MicroTiles, DiagonalLineAddsOneSegmentPer32Pixels)
{
    // (0, 0) - (100, 50), width 1: 100 / 32 = 3.125, so 4 segments of 32
    // pixels along X, each 16 down, each grown by twice the width.
    TGrid Line(160, 100), Expected(160, 100);
    TilesAddLine(Line.T, 0, 0, 100, 50, 1);
    for (TRect R : {TRect{0, 0, 32, 16}, TRect{32, 16, 64, 32}, TRect{64, 32, 96, 48}, TRect{96, 48, 128, 64}}) {
        InflateOriented(R, 2, 2);
        TilesAddRect(Expected.T, R);
    }
    for (Integer I = 0; I < Line.T.Count; ++I) EXPECT_EQ(Line.T.Tiles[I], Expected.T.Tiles[I]) << I;
    EXPECT_EQ(Line.T.BoundsUsedTiles, Expected.T.BoundsUsedTiles);

    // Axis-parallel: one rectangle grown by twice the width.
    TGrid Flat(160, 100);
    TilesAddLine(Flat.T, 10, 20, 90, 20, 2);
    EXPECT_EQ(Rects(Flat.T), (std::vector<TRect>{{6, 16, 94, 24}}));
    // Backwards, in its own orientation.
    TGrid Back(160, 100);
    TilesAddLine(Back.T, 90, 20, 10, 20, 2);
    EXPECT_EQ(Rects(Back.T), (std::vector<TRect>{{6, 16, 94, 24}}));
}

TEST(Ras32_MicroTiles, InflateOrientedFollowsTheRectanglesDirection)
{
    struct TCase {
        TRect R, Expected;
    } Cases[] = {
        {{10, 10, 20, 20}, {8, 7, 22, 23}},
        {{20, 10, 10, 20}, {22, 7, 8, 23}},
        {{10, 20, 20, 10}, {8, 23, 22, 7}},
    };
    for (TCase T : Cases) {
        InflateOriented(T.R, 2, 3);
        EXPECT_EQ(T.R, T.Expected);
    }
}

TEST(Ras32_MicroTiles, FullTilesWithAllUsedGiveTheWholeBuffer)
{
    TGrid G(100, 70);
    TilesClear(G.T, MICROTILE_FULL);
    EXPECT_TRUE(Rects(G.T).empty());  // full, but no tile counts as used
    G.T.BoundsUsedTiles = TRect{0, 0, G.T.Columns, G.T.Rows};
    EXPECT_EQ(Rects(G.T), (std::vector<TRect>{{0, 0, 100, 70}}));
    EXPECT_EQ(Rects(G.T, true), (std::vector<TRect>{{0, 0, 100, 70}}));
    TilesClearUsed(G.T);
    EXPECT_EQ(G.T.BoundsUsedTiles, (TRect{G.T.Columns, G.T.Rows, 0, 0}));
    for (Integer R = 0; R < G.T.Rows; ++R)
        for (Integer C = 0; C < G.T.Columns; ++C) EXPECT_EQ(G.At(C, R), MICROTILE_EMPTY);
}

// Every pixel of every added rectangle lies in an output rectangle, and
// every output pixel lies in a tile something was added to.
TEST(Ras32_MicroTiles, OutputRectanglesCoverEveryAddedArea)
{
    std::mt19937 Rng(11);
    const Integer W = 150, H = 110;
    Integer Compared = 0;
    for (Integer Round = 0; Round < 60; ++Round) {
        bool Whole = Round % 3 == 0;
        TGrid G(W, H);
        std::vector<TRect> Added;
        std::vector<bool> TileTouched(static_cast<size_t>(G.T.Columns * G.T.Rows), false);
        Integer N = 1 + static_cast<Integer>(Rng() % 6);
        for (Integer I = 0; I < N; ++I) {
            Integer X = static_cast<Integer>(Rng() % (W + 20)) - 10, Y = static_cast<Integer>(Rng() % (H + 20)) - 10;
            TRect R{X, Y, X + 1 + static_cast<Integer>(Rng() % 60), Y + 1 + static_cast<Integer>(Rng() % 40)};
            TilesAddRect(G.T, R, Whole);
            Added.push_back(R);
            for (Integer Ty = std::max(R.Top, 0) / 32; Ty <= std::min(R.Bottom - 1, H - 1) / 32; ++Ty)
                for (Integer Tx = std::max(R.Left, 0) / 32; Tx <= std::min(R.Right - 1, W - 1) / 32; ++Tx)
                    TileTouched[static_cast<size_t>(Ty * G.T.Columns + Tx)] = true;
        }
        std::vector<TRect> Out = Rects(G.T, Whole);
        for (Integer Y = 0; Y < H; ++Y)
            for (Integer X = 0; X < W; ++X) {
                bool In = false, Covered = false;
                for (const TRect& R : Added) In = In || Inside(R, X, Y);
                for (const TRect& R : Out) Covered = Covered || Inside(R, X, Y);
                if (In) {
                    EXPECT_TRUE(Covered) << X << "," << Y << " round " << Round;
                }
                if (Covered && !Whole) {
                    EXPECT_TRUE(TileTouched[static_cast<size_t>((Y / 32) * G.T.Columns + X / 32)]) << X << "," << Y;
                }
                ++Compared;
            }
        for (const TRect& R : Out) {
            EXPECT_GE(R.Left, 0);
            EXPECT_GE(R.Top, 0);
            EXPECT_LE(R.Right, W);
            EXPECT_LE(R.Bottom, H);
        }
    }
    std::printf("compared %d pixels\n", Compared);
}

TEST(Ras32_MicroTiles, CopyUnionAndClear)
{
    TGrid A(100, 100), B(100, 100);
    TilesAddRect(A.T, TRect{5, 5, 10, 10});
    TilesAddRect(B.T, TRect{8, 2, 20, 6});
    TilesAddRect(B.T, TRect{70, 70, 80, 80});
    TilesUnion(A.T, B.T, false);
    EXPECT_EQ(A.At(0, 0), MakeMicroTile(5, 2, 20, 10));
    EXPECT_EQ(A.At(2, 2), MakeMicroTile(6, 6, 16, 16));
    EXPECT_EQ(A.T.BoundsUsedTiles, (TRect{0, 0, 2, 2}));
    TilesUnion(A.T, B.T, true);
    EXPECT_EQ(A.At(0, 0), MICROTILE_FULL);

    TMicroTiles C{};
    TilesCopy(C, A.T);
    EXPECT_EQ(C.Count, A.T.Count);
    EXPECT_EQ(C.BoundsUsedTiles, A.T.BoundsUsedTiles);
    for (Integer I = 0; I < C.Count; ++I) EXPECT_EQ(C.Tiles[I], A.T.Tiles[I]);
    TilesClearUsed(C);
    for (Integer I = 0; I < C.Count; ++I) EXPECT_EQ(C.Tiles[I], MICROTILE_EMPTY);
    TilesRelease(C);
    EXPECT_EQ(C.Tiles, nullptr);

    // Union with a grid that has no tiles changes nothing.
    TMicroTiles None{};
    TMicroTile Before = A.At(2, 2);
    TilesUnion(A.T, None, false);
    EXPECT_EQ(A.At(2, 2), Before);
}

TEST(Ras32_MicroTiles, TileUnionRules)
{
    struct TCase {
        TMicroTile Dst, Src, Expected;
    } Cases[] = {
        {MICROTILE_FULL, MakeMicroTile(1, 1, 2, 2), MICROTILE_FULL},
        {MakeMicroTile(4, 4, 8, 8), MICROTILE_EMPTY, MakeMicroTile(4, 4, 8, 8)},
        {MakeMicroTile(4, 4, 8, 8), MakeMicroTile(1, 1, 1, 9), MakeMicroTile(4, 4, 8, 8)},
        {MICROTILE_EMPTY, MakeMicroTile(1, 2, 3, 4), MakeMicroTile(1, 2, 3, 4)},
        {MakeMicroTile(4, 4, 8, 8), MICROTILE_FULL, MICROTILE_FULL},
        {MakeMicroTile(4, 4, 8, 8), MakeMicroTile(2, 6, 5, 30), MakeMicroTile(2, 4, 8, 30)},
    };
    for (const TCase& T : Cases) {
        TMicroTile D = T.Dst;
        TileUnion(D, T.Src);
        EXPECT_EQ(D, T.Expected) << std::hex << T.Dst << " " << T.Src;
    }
}

#if defined(LM_RAS32_MICROTILES_SSE2)
TEST(Ras32_MicroTiles, SSE2FormsGiveTheReferenceResults)
{
    std::mt19937 Rng(7);
    auto RandomTile = [&]() -> TMicroTile {
        switch (Rng() % 6) {
        case 0: return MICROTILE_EMPTY;
        case 1: return MICROTILE_FULL;
        default: {
            Integer L = static_cast<Integer>(Rng() % 33), T = static_cast<Integer>(Rng() % 33);
            Integer R = L + static_cast<Integer>(Rng() % (33 - L)), B = T + static_cast<Integer>(Rng() % (33 - T));
            return MakeMicroTile(L, T, R, B);
        }
        }
    };
    Integer Compared = 0;
    for (Integer I = 0; I < 20000; ++I) {
        TMicroTile Dst = RandomTile(), Src = RandomTile(), P = Dst, S = Dst;
        MicroTilesPas::TileUnion(P, Src);
        MicroTilesSSE2::TileUnion(S, Src);
        ASSERT_EQ(P, S) << std::hex << Dst << " " << Src;
        ++Compared;
    }
    for (bool Whole : {false, true}) {
        for (Integer Round = 0; Round < 20; ++Round) {
            TGrid Src(300, 200), P(300, 200), S(300, 200);
            for (Integer I = 0; I < Src.T.Count; ++I) {
                Src.T.Tiles[I] = RandomTile();
                P.T.Tiles[I] = S.T.Tiles[I] = RandomTile();
            }
            Integer L = static_cast<Integer>(Rng() % 5);
            Src.T.BoundsUsedTiles = TRect{L, 1, L + static_cast<Integer>(Rng() % 6), Src.T.Rows};
            MicroTilesPas::TilesUnion(P.T, Src.T, Whole);
            MicroTilesSSE2::TilesUnion(S.T, Src.T, Whole);
            for (Integer I = 0; I < P.T.Count; ++I) ASSERT_EQ(P.T.Tiles[I], S.T.Tiles[I]) << I;
            EXPECT_EQ(P.T.BoundsUsedTiles, S.T.BoundsUsedTiles);
            Compared += P.T.Count;
        }
    }
    std::printf("compared %d tiles\n", Compared);
}
#endif
