#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "skin/model/sfeffbmp.h"

namespace {

// A W x H picture whose pixel x of every row is Value(x, y).
template <class F>
TsfEffectBmp Picture(Integer W, Integer H, F Value)
{
    TsfEffectBmp B(W, H);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) B.SetPixel(x, y, Value(x, y));
    return B;
}

// Pixel x of row 0 is the grey x * 10 (own) or 200 + x (target): which one a column shows reads at once.
TsfEffectBmp OwnRow(Integer W) { return Picture(W, 1, [](Integer x, Integer) { return 0x0A0A0Au * x; }); }
TsfEffectBmp TargetRow(Integer W)
{
    return Picture(W, 1, [](Integer x, Integer) { return 0x010101u * static_cast<uint32_t>(200 + x); });
}

std::vector<uint32_t> Row(const TsfEffectBmp& B, Integer Y = 0)
{
    std::vector<uint32_t> R;
    for (Integer x = 0; x < B.Width; ++x) R.push_back(B.GetPixel(x, Y) & 0xFF);
    return R;
}

TEST(sfeffbmp, LayoutAndCopy)
{
    TsfEffectBmp B(5, 2);
    EXPECT_EQ(B.Stride(), 16);
    EXPECT_EQ(B.Size, 32);
    B.SetPixel(4, 1, 0x123456);
    EXPECT_EQ(B.Bits[16 + 12], 0x56);
    EXPECT_EQ(B.Bits[16 + 14], 0x12);
    TsfEffectBmp C(B);
    EXPECT_EQ(C.GetPixel(4, 1), 0x123456u);
    uint8_t Line[15];
    C.GetScanLine(1, Line);
    C.SetScanLine(0, Line);
    EXPECT_EQ(C.GetPixel(4, 0), 0x123456u);
    TsfEffectBmp Empty(0, 3);
    EXPECT_EQ(Empty.Bits, nullptr);
    Empty.Morph(&B, 0.5);
    Empty.GrayScale();
}

TEST(sfeffbmp, Morph)
{
    auto Own = Picture(2, 1, [](Integer x, Integer) { return x ? 0xFFFFFFu : 0u; });
    auto Target = Picture(2, 1, [](Integer x, Integer) { return x ? 0u : 0xFFFFFFu; });
    auto A = Own;
    A.Morph(&Target, 0);
    EXPECT_EQ(A.GetPixel(0, 0), 0u);
    A.Morph(&Target, 1);
    EXPECT_EQ(A.GetPixel(0, 0), 0xFFFFFFu);
    auto Half = Own;
    Half.Morph(&Target, 0.5);  // 127.5 rounds to even
    EXPECT_EQ(Half.GetPixel(0, 0), 0x808080u);
    EXPECT_EQ(Half.GetPixel(1, 0), 0x808080u);
    auto Clamped = Own;
    Clamped.Morph(&Target, 7);
    Clamped.Morph(&Target, NAN);
    EXPECT_EQ(Clamped.GetPixel(0, 0), 0xFFFFFFu);
    TsfEffectBmp Narrow(1, 1);
    auto Same = Own;
    Same.Morph(&Narrow, 1);
    Same.MorphPush(&Narrow, 1);
    Same.MorphHGrad(&Narrow, 1);
    EXPECT_EQ(Same.GetPixel(1, 0), 0xFFFFFFu);
}

TEST(sfeffbmp, TransitionsAlongARow)
{
    struct {
        void (TsfEffectBmp::*Op)(TsfEffectBmp*, double);
        double Kf;
        std::vector<uint32_t> Want;  // own columns read x * 10, target columns 200 + x
    } const Cases[] = {
        {&TsfEffectBmp::MorphPush, 0.5, {204, 205, 206, 207, 208, 209, 0, 10, 20, 30}},
        {&TsfEffectBmp::MorphLeftSlide, 1, {201, 202, 203, 204, 205, 206, 207, 208, 209, 90}},
        {&TsfEffectBmp::MorphLeftSlide, 0.3, {207, 208, 209, 30, 40, 50, 60, 70, 80, 90}},
        {&TsfEffectBmp::MorphRightSlide, 0.3, {0, 10, 20, 30, 40, 50, 60, 200, 201, 202}},
        {&TsfEffectBmp::MorphHGrad, 1, {200, 201, 202, 203, 204, 205, 206, 207, 208, 209}},
        // b raised to 1: column 0 the target, column 1 the picture (weight 1)
        {&TsfEffectBmp::MorphLeftGrad, 0, {200, 10, 20, 30, 40, 50, 60, 70, 80, 90}},
        // c = 5, step 1/5: columns 9..5 weights 0, .2, .4, .6, .8
        {&TsfEffectBmp::MorphRightGrad, 0.5, {0, 10, 20, 30, 40, 81, 118, 152, 182, 209}},
    };
    for (const auto& C : Cases) {
        auto Own = OwnRow(10);
        auto Target = TargetRow(10);
        (Own.*C.Op)(&Target, C.Kf);
        EXPECT_EQ(Row(Own), C.Want) << C.Kf;
    }
}

TEST(sfeffbmp, GradientsFromTheMiddle)
{
    // Kf 0.4 on 10 columns: b 4, fade 3, step 1/3; columns 3..7 the target,
    // then weights 1/3, 2/3, 1 outward.
    auto Own = OwnRow(10);
    auto Target = TargetRow(10);
    Own.MorphHGrad(&Target, 0.4);
    EXPECT_EQ(Row(Own), (std::vector<uint32_t>{0, 74, 141, 203, 204, 205, 206, 207, 165, 130}));
    // MorphGrad picks the vertical form for a tall picture.
    auto Tall = Picture(1, 10, [](Integer, Integer y) { return 0x0A0A0Au * y; });
    auto TallTarget = Picture(1, 10, [](Integer, Integer y) { return 0x010101u * static_cast<uint32_t>(200 + y); });
    Tall.MorphGrad(&TallTarget, 1);
    for (Integer y = 0; y < 10; ++y) EXPECT_EQ(Tall.GetPixel(0, y) & 0xFF, static_cast<uint32_t>(200 + y)) << y;
}

TEST(sfeffbmp, RectangleMorphAndCopyStayInside)
{
    auto Own = Picture(4, 4, [](Integer, Integer) { return 0u; });
    auto Other = Picture(3, 3, [](Integer x, Integer y) { return 0x010101u * static_cast<uint32_t>(1 + x + 3 * y); });
    Own.CopyRect(&Other, TRect{-2, 1, 9, 9}, 0, 0);  // clipped to both pictures
    EXPECT_EQ(Own.GetPixel(0, 1) & 0xFF, 3u);
    EXPECT_EQ(Own.GetPixel(0, 3) & 0xFF, 9u);
    EXPECT_EQ(Own.GetPixel(1, 1), 0u);
    auto M = Picture(4, 4, [](Integer, Integer) { return 0u; });
    M.MorphRect(&Other, 1, TRect{2, 2, 10, 10}, 1, 1);
    EXPECT_EQ(M.GetPixel(2, 2) & 0xFF, 5u);
    EXPECT_EQ(M.GetPixel(3, 3) & 0xFF, 9u);
    M.MorphRect(&Other, 1, TRect{0, 0, 4, 4}, -5, -5);  // nothing overlaps
    EXPECT_EQ(M.GetPixel(0, 0), 0u);
}

TEST(sfeffbmp, ColourEffects)
{
    auto B = Picture(3, 1, [](Integer x, Integer) { return std::vector<uint32_t>{0xFF0000, 0xFFFFFF, 0x102030}[x]; });
    auto G = B;
    G.GrayScale();
    EXPECT_EQ(G.GetPixel(0, 0), 0x4C4C4Cu);  // 76.5 rounds to even
    EXPECT_EQ(G.GetPixel(1, 0), 0xFFFFFFu);
    auto I = B;
    I.Invert();
    EXPECT_EQ(I.GetPixel(2, 0), 0xEFDFCFu);
    auto L = B;
    L.ChangeBrightness(0.5);  // 0 -> 127.5 -> 128
    EXPECT_EQ(L.GetPixel(0, 0), 0xFF8080u);
    auto D = B;
    D.ChangeDarkness(0.5);  // 255 * 0.5 = 127.5 -> 128, 0x30 * 0.5 = 24
    EXPECT_EQ(D.GetPixel(1, 0), 0x808080u);
    EXPECT_EQ(D.GetPixel(2, 0), 0x081018u);
    auto N = B;
    N.AddMonoNoise(0);
    N.AddColorNoise(0);
    N.Wave(0, 3, 5);
    EXPECT_EQ(N.GetPixel(2, 0), 0x102030u);
    for (Integer Round = 0; Round < 20; ++Round) {
        auto Noisy = Picture(4, 4, [](Integer, Integer) { return 0x808080u; });
        Noisy.AddMonoNoise(50);
        for (Integer y = 0; y < 4; ++y)
            for (Integer x = 0; x < 4; ++x) {
                const uint32_t P = Noisy.GetPixel(x, y);
                EXPECT_TRUE((P & 0xFF) == ((P >> 8) & 0xFF) && (P & 0xFF) == (P >> 16));  // one value per pixel
                EXPECT_LE(std::abs(static_cast<int>(P & 0xFF) - 128), 25);
            }
    }
}

TEST(sfeffbmp, SplitBlurAndMasks)
{
    auto B = Picture(3, 3, [](Integer x, Integer y) { return 0x040404u * static_cast<uint32_t>(1 + x + 3 * y); });
    auto Want00 = (4 * 1 + 4 * 2 + 4 * 4 + 4 * 5) / 4;
    B.SplitBlur(1);
    EXPECT_EQ(B.GetPixel(0, 0) & 0xFF, static_cast<uint32_t>(Want00));
    EXPECT_EQ(B.GetPixel(2, 2), B.GetPixel(1, 1));  // four times the blurred centre
    // An amount as large as the picture stays inside it.
    for (Integer Amount : {3, 4, 100, -7}) {
        auto C = Picture(3, 2, [](Integer x, Integer) { return 0x111111u * x; });
        C.SplitBlur(Amount);
        auto Mask = Picture(3, 2, [](Integer x, Integer) { return x == 1 ? 0xFFFFFFu : 0u; });
        C.MaskBlur(&Mask, Amount);
        C.MaskAntialiasing(&Mask, Amount);
    }
    // Mask preconditions: width must match, height at least the picture's.
    auto P = Picture(3, 3, [](Integer x, Integer) { return 0x202020u * x; });
    auto Before = P;
    auto Short = Picture(3, 2, [](Integer, Integer) { return 0u; });
    P.MaskBlur(&Short, 1);
    P.MaskFillColor(&Short, 0xFF, 1);
    EXPECT_EQ(Row(P, 2), Row(Before, 2));
    auto Mask = Picture(3, 4, [](Integer x, Integer) { return x == 0 ? 0u : 0xFFFFFFu; });
    P.MaskFillColor(&Mask, 0x0000FF, 1);  // red where the mask is not white
    EXPECT_EQ(P.GetPixel(0, 1), 0xFF0000u);
    EXPECT_EQ(P.GetPixel(1, 1), 0x202020u);
    auto A = Picture(3, 3, [](Integer x, Integer) { return 0x303030u * x; });
    auto Inside = Picture(3, 3, [](Integer, Integer) { return 0u; });
    auto AntiBefore = A;
    A.MaskAntialiasing(&Inside, 1);  // no white sample point: nothing changes
    EXPECT_EQ(Row(A, 1), Row(AntiBefore, 1));
}

TEST(sfeffbmp, Mosaic)
{
    auto B = Picture(5, 3, [](Integer x, Integer y) { return static_cast<uint32_t>(x + 10 * y); });
    B.Mosaic(2);
    EXPECT_EQ(B.GetPixel(1, 1), 0u);
    EXPECT_EQ(B.GetPixel(3, 1), 2u);
    EXPECT_EQ(B.GetPixel(4, 2), 24u);
    B.Mosaic(1);
    EXPECT_EQ(B.GetPixel(4, 2), 24u);
}

TEST(sfeffbmp, GeometryRoundTripsAndRefusesMismatches)
{
    auto B = Picture(4, 3, [](Integer x, Integer y) { return static_cast<uint32_t>(x + 10 * y); });
    TsfEffectBmp Turned(3, 4), Back(4, 3);
    B.Rotate90_2(&Turned);
    EXPECT_EQ(Turned.GetPixel(2, 0), 0u);  // (0, 0) goes to (Height - 1 - 0, 0)
    Turned.Rotate90_1(&Back);
    for (Integer y = 0; y < 3; ++y) EXPECT_EQ(Row(Back, y), Row(B, y));
    TsfEffectBmp Flipped(4, 3);
    B.FlipVert(&Flipped);
    EXPECT_EQ(Row(Flipped, 0), Row(B, 2));

    TsfEffectBmp Wrong(4, 4);
    B.Rotate90_1(&Wrong);
    B.Rotate90_2(&Wrong);
    B.FlipVert(&Wrong);
    EXPECT_EQ(Wrong.GetPixel(3, 3), 0u);

    // Resize: 2 x 1 to 5 x 1: kx = 2, blocks of 3 at 0 and 2 (the second wins the overlap).
    auto Small = Picture(2, 1, [](Integer x, Integer) { return static_cast<uint32_t>(7 + x); });
    TsfEffectBmp Big(5, 1);
    Small.Resize(&Big);
    EXPECT_EQ(Row(Big), (std::vector<uint32_t>{7, 7, 8, 8, 8}));
    TsfEffectBmp Tiny(1, 1);
    B.Resize(&Tiny);
    EXPECT_EQ(Tiny.GetPixel(0, 0), 23u);  // the last pixel wins
}

}  // namespace
