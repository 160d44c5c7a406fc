#include <gtest/gtest.h>

#include "FilterTestUtils.h"
#include "filters/SharpenLib32.h"
#include "filters/SharpenLib32_Variants.h"

namespace {

// The window of a pixel summed afresh (from tables of the sums above and to
// the left of every pixel), with a plain division, as the definition reads.
std::vector<TColor32> BoxReference(const TCustomBitmap32* B, Integer Radius, bool Denoise, Integer Threshold)
{
    const Integer W = B->Width(), H = B->Height();
    std::vector<TColor32> Out = PixelsOf(B);
    if (W < 3 || H < 3) return Out;
    // Sums[c][(y * (W + 1) + x)] over the pixels left of x and above y: red, green, blue, count.
    std::vector<Int64> Sums[4];
    for (auto& S : Sums) S.assign(static_cast<size_t>(W + 1) * (H + 1), 0);
    auto At = [&](Integer Ch, Integer X, Integer Y) -> Int64& { return Sums[Ch][static_cast<size_t>(Y) * (W + 1) + X]; };
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X) {
            const TColor32 C = B->Pixel(X, Y);
            const Int64 V[4] = {RedOf(C), GreenOf(C), BlueOf(C), 1};
            for (Integer Ch = 0; Ch < 4; ++Ch)
                At(Ch, X + 1, Y + 1) = ((C >> 24) ? V[Ch] : 0) + At(Ch, X, Y + 1) + At(Ch, X + 1, Y) - At(Ch, X, Y);
        }
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X) {
            const Integer X0 = std::max(X - Radius, 0), X1 = std::min(X + Radius, W - 1) + 1;
            const Integer Y0 = std::max(Y - Radius, 0), Y1 = std::min(Y + Radius, H - 1) + 1;
            auto Window = [&](Integer Ch) { return At(Ch, X1, Y1) - At(Ch, X0, Y1) - At(Ch, X1, Y0) + At(Ch, X0, Y0); };
            const Int64 R = Window(0), G = Window(1), Bl = Window(2), N = Window(3);
            const TColor32 C = B->Pixel(X, Y);
            if (N == 0 || (C >> 24) == 0) continue;
            const Integer mR = static_cast<Integer>(R / N), mG = static_cast<Integer>(G / N),
                          mB = static_cast<Integer>(Bl / N);
            TColor32& O = Out[static_cast<size_t>(Y) * W + X];
            if (Denoise) {
                if (std::abs(mR - RedOf(C)) <= Threshold || std::abs(mG - GreenOf(C)) <= Threshold ||
                    std::abs(mB - BlueOf(C)) <= Threshold)
                    O = (C & 0xFF000000) | static_cast<TColor32>(mR) << 16 | static_cast<TColor32>(mG) << 8 |
                        static_cast<TColor32>(mB);
            } else {
                auto Move = [](Integer M, Integer c) { return ClampByte(c + (M - c) / 3); };
                O = (C & 0xFF000000) | static_cast<TColor32>(Move(mR, RedOf(C))) << 16 |
                    static_cast<TColor32>(Move(mG, GreenOf(C))) << 8 | static_cast<TColor32>(Move(mB, BlueOf(C)));
            }
        }
    return Out;
}

std::vector<TColor32> SharpenReference(const TCustomBitmap32* B, bool Odd)
{
    const Integer W = B->Width(), H = B->Height();
    static const Integer Even[9] = {-1, -2, -1, -2, 28, -2, -1, -2, -1};
    static const Integer OddK[9] = {-2, -1, -2, -1, 28, -1, -2, -1, -2};
    const Integer* K = Odd ? OddK : Even;
    std::vector<TColor32> Out(static_cast<size_t>(W) * H);
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X) {
            TColor32 O = 0;
            for (Integer Shift = 0; Shift < 32; Shift += 8) {
                Integer Sum = 0;
                for (Integer J = -1; J <= 1; ++J)
                    for (Integer I = -1; I <= 1; ++I) {
                        const bool Inside = X + I >= 0 && X + I < W && Y + J >= 0 && Y + J < H;
                        const TColor32 C = Inside ? B->Pixel(X + I, Y + J) : B->Pixel(X, Y);
                        Sum += K[(J + 1) * 3 + I + 1] * static_cast<Integer>((C >> Shift) & 0xFF);
                    }
                O |= static_cast<TColor32>(ClampByte(Sum / 16)) << Shift;
            }
            Out[static_cast<size_t>(Y) * W + X] = O;
        }
    return Out;
}

}  // namespace

class SharpenVariants : public VariantTest {};

TEST_F(SharpenVariants, ExponentialBlurVariantsGiveTheReferenceBits)
{
    struct Size {
        Integer W, H;
    };
    const Size Sizes[] = {{1, 1}, {2, 1}, {1, 9}, {3, 3}, {5, 4}, {7, 9}, {8, 8}, {9, 17}, {13, 5}, {67, 33}};
    const Integer Ks[] = {0, 1, 100, 32767, 32768, 44770, 65535, ExpBlurCoefficient(2), ExpBlurCoefficient(20)};
    Integer Compared = 0;
    for (const TVariantSet& Set : RunnableVariantSets()) {
        BindForCpuFeatures(Set.Features);
        for (const Size& S : Sizes)
            for (Integer K : Ks) {
                auto Got = RandomBitmap(S.W, S.H, static_cast<uint32_t>(S.W * 131 + S.H + K));
                auto Expected = CloneBitmap(Got.get());
                ExpBlurRows(Got->Bits(), S.W, S.H, K);
                ExpBlurColumns(Got->Bits(), S.W, S.H, K);
                SharpenPas::ExpBlurRows(Expected->Bits(), S.W, S.H, K);
                SharpenPas::ExpBlurColumns(Expected->Bits(), S.W, S.H, K);
                ASSERT_EQ(PixelsOf(Got.get()), PixelsOf(Expected.get()))
                    << Set.Name << " " << S.W << "x" << S.H << " K " << K;
                ++Compared;
            }
    }
    std::printf("compared %d blurs\n", Compared);
}

TEST_F(SharpenVariants, SharpenVariantsGiveTheDefinition)
{
    Integer Compared = 0;
    for (const TVariantSet& Set : RunnableVariantSets()) {
        BindForCpuFeatures(Set.Features);
        for (Integer W : {1, 2, 3, 4, 6, 11})
            for (Integer H : {1, 2, 3, 5})
                for (Integer Amount : {0, 1, 2, -1}) {
                    auto B = RandomBitmap(W, H, static_cast<uint32_t>(W * 7 + H + Amount));
                    const auto Expected = SharpenReference(B.get(), (Amount & 1) != 0);
                    SharpenBitmap(B.get(), Amount);
                    ASSERT_EQ(PixelsOf(B.get()), Expected) << Set.Name << " " << W << "x" << H << " " << Amount;
                    ++Compared;
                }
    }
    std::printf("compared %d sharpened bitmaps\n", Compared);
}

TEST(SharpenLib32, SharpenLeavesUniformAlone)
{
    auto B = MakeBitmap(9, 7, 0x80336699);
    SharpenBitmap(B.get(), 0);
    SharpenBitmap(B.get(), 1);
    EXPECT_EQ(PixelsOf(B.get()), PixelsOf(MakeBitmap(9, 7, 0x80336699).get()));
}

TEST(SharpenLib32, ExponentialBlur)
{
    auto B = RandomBitmap(9, 7, 5);
    const auto Before = PixelsOf(B.get());
    ExponentialBlur(B.get(), 0);
    ExponentialBlur(B.get(), -3);
    EXPECT_EQ(PixelsOf(B.get()), Before);
    auto U = MakeBitmap(9, 7, 0xC0405060);
    ExponentialBlur(U.get(), 5);
    EXPECT_EQ(PixelsOf(U.get()), PixelsOf(MakeBitmap(9, 7, 0xC0405060).get()));
    EXPECT_EQ(ExpBlurCoefficient(1), 44785);
    EXPECT_EQ(ExpBlurCoefficient(0x7FFFFFFF), 0);
}

TEST(SharpenLib32, SoftenAndDenoiseMatchTheirDefinition)
{
    struct TCase {
        Integer W, H, Radius;
        Integer TransparentEvery;  // every n-th pixel made transparent (0: none)
        TColor32 Or;               // set in every pixel: 0xFFF0F0F0 for bright opaque sums near their limit
    };
    std::vector<TCase> Cases;
    for (Integer Radius : {1, 2, 5, 40})
        for (Integer Size : {3, 4, 9}) Cases.push_back({Size + 2, Size, Radius, 3, 0});
    const TCase Larger[] = {
        {37, 50, 3, 7, 0},            // many rows leave the window and return from the saved ones
        {50, 37, 36, 5, 0},           // the window reaches past every edge
        {256, 256, 128, 0, 0xFFF0F0F0},  // the largest window divided by the reciprocal table, all opaque
        {256, 256, 128, 11, 0},
        {300, 260, 200, 0, 0xFFF0F0F0},  // windows beyond the table: divided plainly
        {300, 260, 1000, 13, 0},
    };
    Cases.insert(Cases.end(), std::begin(Larger), std::end(Larger));
    for (const TCase& T : Cases) {
        SCOPED_TRACE(testing::Message() << T.W << " x " << T.H << " radius " << T.Radius);
        auto B = RandomBitmap(T.W, T.H, static_cast<uint32_t>(T.Radius * 17 + T.W));
        for (Integer I = 0; I < T.W * T.H; ++I) {
            B->Bits()[I] |= T.Or;
            if (T.TransparentEvery && I % T.TransparentEvery == 0) B->Bits()[I] &= 0x00FFFFFF;
        }
        auto D = CloneBitmap(B.get());
        const auto Soft = BoxReference(B.get(), T.Radius, false, 0);
        const auto Den = BoxReference(D.get(), T.Radius, true, 20);
        SoftenBitmap(B.get(), T.Radius, -1);
        DenoiseBitmap(D.get(), T.Radius, 20);
        EXPECT_EQ(PixelsOf(B.get()), Soft);
        EXPECT_EQ(PixelsOf(D.get()), Den);
    }
    // Too small a bitmap is left alone.
    auto Thin = RandomBitmap(2, 100, 9);
    const auto Before = PixelsOf(Thin.get());
    SoftenBitmap(Thin.get(), 3, -1);
    DenoiseBitmap(Thin.get(), 3, 255);
    EXPECT_EQ(PixelsOf(Thin.get()), Before);
}

TEST(SharpenLib32, Smooth)
{
    auto B = MakeBitmap(3, 3, 0);
    B->SetPixel(1, 0, 0x04040404);
    B->SetPixel(0, 1, 0x08080808);
    SmoothBitmap(B.get(), 1);
    EXPECT_EQ(B->Pixel(1, 1), 0x03030303u);  // (4 + 8 + 0 + 0) shr 2
    SmoothBitmap(B.get(), 0);
    auto Two = RandomBitmap(2, 2, 4);
    const auto Before = PixelsOf(Two.get());
    SmoothBitmap(Two.get(), 5);
    EXPECT_EQ(PixelsOf(Two.get()), Before);
    // In place, row by row: the right pixel sees its left neighbour's new value.
    auto Row = MakeBitmap(4, 3, 0);
    Row->SetPixel(1, 0, 0x40404040);
    SmoothRect(Row.get(), 2, 1, 1, 1);  // corners out of order: x 1..2, y 1
    EXPECT_EQ(Row->Pixel(1, 1), 0x10101010u);
    EXPECT_EQ(Row->Pixel(2, 1), 0x04040404u);
}

TEST(SharpenLib32, Gaussian3x3)
{
    auto B = RandomBitmap(6, 5, 8);
    auto Expected = PixelsOf(B.get());
    for (Integer Y = 1; Y < 4; ++Y)
        for (Integer X = 1; X < 5; ++X) {
            TColor32 O = 0;
            for (Integer Shift = 0; Shift < 32; Shift += 8) {
                static const Integer K[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
                Integer Sum = 0;
                for (Integer J = -1; J <= 1; ++J)
                    for (Integer I = -1; I <= 1; ++I)
                        Sum += K[(J + 1) * 3 + I + 1] * static_cast<Integer>((B->Pixel(X + I, Y + J) >> Shift) & 0xFF);
                O |= static_cast<TColor32>(Sum >> 4) << Shift;
            }
            Expected[static_cast<size_t>(Y) * 6 + X] = O;
        }
    GaussianBlur3x3(B.get());
    EXPECT_EQ(PixelsOf(B.get()), Expected);
    auto Small = RandomBitmap(2, 2, 1);
    const auto Before = PixelsOf(Small.get());
    GaussianBlur3x3(Small.get());
    EXPECT_EQ(PixelsOf(Small.get()), Before);
}
