#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "SkinMasks.h"
#include "SkinTestEnv.h"
#include "skin/model/SFSkinImage.h"

namespace {

// A picture whose every pixel tells where it came from.
TsfColor At(Integer X, Integer Y) { return 0xFF000000u | static_cast<TsfColor>(Y * 1000 + X + 1); }

void Fill(TsfBitmap& B, Integer W, Integer H)
{
    B.SetSize(W, H);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) *B.PixelAddress(x, y) = At(x, y);
}

constexpr TsfColor White = MaskWhite, Black = MaskBlack;

std::vector<int32_t> Ints(const std::vector<uint8_t>& Data)
{
    std::vector<int32_t> V(Data.size() / 4);
    std::memcpy(V.data(), Data.data(), V.size() * 4);
    return V;
}

// A 14 x 14 frame cut at (3, 4) of a larger picture: 2-pixel borders, the
// corner points at the client rectangle's corners.
struct TFrame {
    TsfBitmap SB;
    TRect R{3, 4, 17, 18};
    TRect CL{2, 2, 12, 12};
    TPoint LT{2, 2}, RT{12, 2}, LB{2, 12}, RB{12, 12};
    TFrame() { Fill(SB, 20, 20); }
    TsfColor Src(Integer X, Integer Y) const { return At(R.Left + X, R.Top + Y); }
};

} // namespace

TEST(SkinTileSpans, CountsTilesAndCutsTheLast)
{
    constexpr Integer Max = INT32_MAX;
    struct { Integer S, E, D, Lo, Hi; std::vector<TsfTileSpan> Want; } Cases[] = {
        {10, 35, 10, INT32_MIN, Max, {{10, 10}, {20, 10}, {30, 5}}},
        {0, 20, 10, INT32_MIN, Max, {{0, 10}, {10, 10}}},
        {10, 5, 10, INT32_MIN, Max, {}},  // the end before the start
        {0, 10, 0, INT32_MIN, Max, {}},   // a piece of no length: no tiles, no division
        {0, 10, -3, INT32_MIN, Max, {}},
        // Hostile geometry: only the tiles over the destination, no overflow.
        {-2000000000, Max, 7, 0, 10, {{-5, 7}, {2, 7}, {9, 7}}},
        {Max - 5, Max, 4, INT32_MIN, Max, {{Max - 5, 4}, {Max - 1, 1}}},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(SkinTileSpans(C.S, C.E, C.D, C.Lo, C.Hi), C.Want) << C.S << ' ' << C.E << ' ' << C.D;
}

TEST(CreateSkinImage, IdentitySizeReproducesTheSourceWhateverTheFlags)
{
    TFrame F;
    for (int Flags = 0; Flags < 64; ++Flags) {
        TsfBitmap B;
        const TsfStretchType Type = static_cast<TsfStretchType>((Flags >> 4) % 3);
        CreateSkinImage(F.LT, F.RT, F.LB, F.RB, F.CL, F.LT, F.RT, F.LB, F.RB, F.CL, &B, &F.SB, F.R, 14, 14, true,
                        Flags & 1, Flags & 2, Flags & 4, Flags & 8, Flags & 16, Type);
        ASSERT_EQ(B.Width(), 14);
        for (Integer y = 0; y < 14; ++y)
            for (Integer x = 0; x < 14; ++x) ASSERT_EQ(B.GetPixel(x, y), F.Src(x, y)) << Flags << ' ' << x << ',' << y;
    }
}

TEST(CreateSkinImage, TilesTheClientInBothDirections)
{
    // A 10 x 10 client piece into a 25 x 12 client: columns at 0, 10, 20 (the last
    // 5 wide), rows at 0 and 10 (the second 2 high).
    TFrame F;
    const TRect NCL{2, 2, 27, 14};
    TsfBitmap B, B2;
    for (TsfBitmap* Out : {&B, &B2}) {
        auto Build = Out == &B ? CreateSkinImage : CreateSkinImage2;
        Build(F.LT, F.RT, F.LB, F.RB, F.CL, {2, 2}, {27, 2}, {2, 14}, {27, 14}, NCL, Out, &F.SB, F.R, 29, 16, true,
              false, false, false, false, false, sfstFull);
    }
    for (Integer y = 0; y < 16; ++y)
        for (Integer x = 0; x < 29; ++x) {
            ASSERT_EQ(B.GetPixel(x, y), B2.GetPixel(x, y));
            if (x >= 2 && x < 27 && y >= 2 && y < 14)
                ASSERT_EQ(B.GetPixel(x, y), F.Src(2 + (x - 2) % 10, 2 + (y - 2) % 10)) << x << ',' << y;
        }
    // The corners stay 1:1; the tiled top edge repeats its piece.
    EXPECT_EQ(B.GetPixel(28, 15), F.Src(13, 13));
    EXPECT_EQ(B.GetPixel(24, 0), F.Src(2 + 22 % 10, 0));
}

TEST(CreateSkinImage, ZeroLengthPiecesDrawNoTiles)
{
    // A top edge piece of no length (LT.X = RT.X) and a client piece of no
    // width: the builder must not count their tiles (that divided by zero) and
    // still draws the rest.
    TFrame F;
    TsfBitmap B;
    CreateSkinImage({7, 2}, {7, 2}, F.LB, F.RB, F.CL, {7, 2}, {17, 2}, {2, 22}, {22, 22}, {2, 2, 22, 22}, &B, &F.SB,
                    F.R, 24, 24, false, false, false, false, false, false, sfstFull);
    EXPECT_EQ(B.GetPixel(0, 0), F.Src(0, 0));
    EXPECT_EQ(B.GetPixel(23, 0), F.Src(13, 0));
    EXPECT_EQ(B.GetPixel(10, 0), 0u);  // no top tiles
    TsfBitmap C;
    CreateSkinImage(F.LT, F.RT, F.LB, F.RB, {2, 2, 2, 12}, F.LT, F.RT, F.LB, F.RB, {2, 2, 12, 12}, &C, &F.SB, F.R,
                    14, 14, true, false, false, false, false, false, sfstFull);
    EXPECT_EQ(C.GetPixel(7, 7), 0u);  // no client tiles
    TsfBitmap H;
    CreateHSkinImage(7, 7, &H, &F.SB, F.R, 40, 0, false);  // a middle piece of width 0
    EXPECT_EQ(H.GetPixel(20, 3), 0u);
    EXPECT_EQ(H.GetPixel(39, 3), F.Src(13, 3));
}

TEST(CreateSkinImage, StretchedClientAndStretchImage)
{
    TFrame F;
    TsfBitmap B;
    B.SetSize(24, 24);
    CreateStretchImage(&B, &F.SB, F.R, F.CL, true);
    EXPECT_EQ(B.GetPixel(0, 0), F.Src(0, 0));
    EXPECT_EQ(B.GetPixel(23, 23), F.Src(13, 13));
    EXPECT_EQ(B.GetPixel(2, 2), F.Src(2, 2));
    EXPECT_EQ(B.GetPixel(21, 21), F.Src(11, 11));  // the middle stretched 20 -> 10
    EXPECT_EQ(B.GetPixel(12, 0), F.Src(7, 0));     // the top band stretched
}

TEST(CreateHSkinImage, ThreeSlices)
{
    // A 30-pixel piece with 10-pixel ends: to 45 the middle tiles at 10, 20 and
    // 30 (the last 5 wide); to 15 the ends overlap and there is no middle.
    TsfBitmap SB;
    Fill(SB, 40, 6);
    const TRect R{5, 1, 35, 5};
    auto Src = [&](Integer X, Integer Y) { return At(R.Left + X, R.Top + Y); };
    struct { Integer W; bool Stretch; } Cases[] = {{45, false}, {15, false}, {50, true}};
    for (const auto& C : Cases) {
        TsfBitmap B;
        CreateHSkinImage(10, 10, &B, &SB, R, C.W, 999, C.Stretch);
        ASSERT_EQ(B.Width(), C.W);
        ASSERT_EQ(B.Height(), 4);
        for (Integer x = 0; x < C.W; ++x) {
            Integer S;
            if (x >= C.W - 10) S = x - (C.W - 30);
            else if (x < 10) S = x;
            else if (C.Stretch) S = 10 + (x - 10) * 10 / (C.W - 20);
            else S = 10 + (x - 10) % 10;
            ASSERT_EQ(B.GetPixel(x, 2), Src(S, 2)) << C.W << ' ' << x;
        }
    }
    // The vertical form, the same shape turned.
    TsfBitmap V, VS;
    Fill(VS, 6, 40);
    CreateVSkinImage(10, 10, &V, &VS, {1, 5, 5, 35}, 999, 45, false);
    ASSERT_EQ(V.Width(), 4);
    ASSERT_EQ(V.Height(), 45);
    for (Integer y = 0; y < 45; ++y) {
        const Integer S = y < 10 ? y : y >= 35 ? y - 15 : 10 + (y - 10) % 10;
        ASSERT_EQ(V.GetPixel(1, y), At(2, 5 + S)) << y;
    }
}

TEST(CreateSkinBorderImages, StretchedStripsAtIdentitySizeAreTheBands)
{
    // (Tiled strips start their tiles at the strip's edge, not at the corner
    // point, so only the stretched ones reproduce the bands.)
    TFrame F;
    TsfBitmap L, T, R, B;
    CreateSkinBorderImages(F.LT, F.RT, F.LB, F.RB, F.CL, F.LT, F.RT, F.LB, F.RB, F.CL, &L, &T, &R, &B, &F.SB, F.R,
                           14, 14, true, true, true, true);
    struct { TsfBitmap* S; Integer W, H, X0, Y0; } Strips[] = {
        {&T, 14, 2, 0, 0}, {&B, 14, 2, 0, 12}, {&L, 2, 10, 0, 2}, {&R, 2, 10, 12, 2}};
    for (const auto& S : Strips) {
        ASSERT_EQ(S.S->Width(), S.W);
        ASSERT_EQ(S.S->Height(), S.H);
        for (Integer y = 0; y < S.H; ++y)
            for (Integer x = 0; x < S.W; ++x) ASSERT_EQ(S.S->GetPixel(x, y), F.Src(S.X0 + x, S.Y0 + y));
    }
}

TEST(CreateSkinMask, StripsOfAWiderFrame)
{
    // A 14 x 14 mask with black corner notches, resized to 24 x 20: the strips
    // keep the corners and repeat the edges.
    TsfBitmap M;
    M.SetSize(14, 14);
    for (Integer y = 0; y < 14; ++y)
        for (Integer x = 0; x < 14; ++x) *M.PixelAddress(x, y) = (x == 0 || x == 13) ? Black : White;
    const TRect CL{2, 2, 12, 12};
    TsfBitmap T, L, R, B;
    CreateSkinMask({2, 2}, {12, 2}, {2, 12}, {12, 12}, CL, {2, 2}, {22, 2}, {2, 18}, {22, 18}, {2, 2, 22, 18}, &M, &T,
                   &L, &R, &B, 24, 20);
    EXPECT_EQ(T.Width(), 24);
    EXPECT_EQ(T.Height(), 2);
    EXPECT_EQ(B.Width(), 24);
    EXPECT_EQ(B.Height(), 2);
    EXPECT_EQ(L.Height(), 16);
    EXPECT_EQ(R.Width(), 2);
    EXPECT_EQ(T.GetPixel(0, 0), Black);
    EXPECT_EQ(T.GetPixel(23, 1), Black);
    EXPECT_EQ(T.GetPixel(12, 0), White);
    EXPECT_EQ(L.GetPixel(0, 15), Black);
    EXPECT_EQ(R.GetPixel(1, 7), Black);
}

TEST(MaskToRgnData, RunsOfBlackPixels)
{
    TsfBitmap M;
    MakeRowMask(M);
    struct { Integer X, Y; } Moves[] = {{0, 0}, {10, 20}};
    for (const auto& Mv : Moves) {
        std::vector<uint8_t> Data;
        ASSERT_EQ(MaskToRgnData(&M, Mv.X, Mv.Y, Data), 32u + 2 * 16);
        const int X = Mv.X, Y = Mv.Y;
        EXPECT_EQ(Ints(Data), (std::vector<int32_t>{32, 1, 2, 0, X, Y, X + 4, Y + 5,  //
                                                    X, Y + 3, X + 2, Y + 4, X + 3, Y + 3, X + 4, Y + 4}));
    }
    // All white: no rectangles, the bounds still the mask's.
    M.Clear(White);
    std::vector<uint8_t> Data;
    ASSERT_EQ(MaskToRgnData(&M, 0, 0, Data), 32u);
    EXPECT_EQ(Ints(Data), (std::vector<int32_t>{32, 1, 0, 0, 0, 0, 4, 5}));
    // An empty mask: 0, the data untouched.
    TsfBitmap Empty;
    Data.assign(3, 7);
    EXPECT_EQ(MaskToRgnData(&Empty, 0, 0, Data), 0u);
    EXPECT_EQ(Data, std::vector<uint8_t>(3, 7));
}

TEST(MaskToRgnData, MoreRunsThanTheOldBufferHeld)
{
    // 100 runs a row over 120 rows: 12,000 rectangles, past the 10,001 a fixed
    // buffer held.
    TsfBitmap M;
    M.SetSize(200, 120);
    for (Integer y = 0; y < 120; ++y)
        for (Integer x = 0; x < 200; ++x) *M.PixelAddress(x, y) = (x % 2) ? White : Black;
    std::vector<uint8_t> Data;
    ASSERT_EQ(MaskToRgnData(&M, 0, 0, Data), 32u + 12000 * 16);
    const std::vector<int32_t> V = Ints(Data);
    EXPECT_EQ(V[2], 12000);
    EXPECT_EQ(std::vector<int32_t>(V.end() - 4, V.end()), (std::vector<int32_t>{198, 119, 199, 120}));
}
