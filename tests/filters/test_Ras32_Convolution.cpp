#include <gtest/gtest.h>

#include "FilterTestUtils.h"
#include "filters/Ras32_Convolution.h"

class ConvolutionVariants : public VariantTest {};

TEST_F(ConvolutionVariants, GaussianRowVariantsAgree)
{
    Integer Compared = 0;
    for (const TVariantSet& Set : RunnableVariantSets()) {
        BindForCpuFeatures(Set.Features);
        for (Integer W : {3, 4, 5, 8, 33}) {
            auto Src = RandomBitmap(W, 4, static_cast<uint32_t>(W));
            auto Dst = MakeBitmap(0, 0);
            Gaussian3x3(Dst.get(), Src.get());
            auto Expected = PixelsOf(Src.get());
            for (Integer Y = 1; Y < 3; ++Y)
                ConvolutionPas::GaussianRow(Src->GetPixelPtr(1, Y - 1), Src->GetPixelPtr(1, Y), Src->GetPixelPtr(1, Y + 1),
                                            Expected.data() + Y * W + 1, W - 2);
            ASSERT_EQ(PixelsOf(Dst.get()), Expected) << Set.Name << " " << W;
            ++Compared;
        }
    }
    std::printf("compared %d rows sets\n", Compared);
}

TEST(Convolution, FrameAndKernels)
{
    // Too small a bitmap is only copied.
    auto Small = RandomBitmap(2, 2, 1);
    auto Dst = MakeBitmap(5, 5);
    Gaussian3x3(Dst.get(), Small.get());
    EXPECT_EQ(PixelsOf(Dst.get()), PixelsOf(Small.get()));

    // The identity kernel reproduces the source; a divisor of 0 leaves the copy.
    auto Src = RandomBitmap(6, 5, 2);
    TKernel3x3 Identity;
    Identity.Weights[4] = 1;
    Convolve3x3(Dst.get(), Src.get(), Identity, 0);
    EXPECT_EQ(PixelsOf(Dst.get()), PixelsOf(Src.get()));
    TKernel5x5 Zero;
    Zero.Divisor = 0;
    Zero.Weights[12] = 5;
    Convolve5x5(Dst.get(), Src.get(), Zero, 0);
    EXPECT_EQ(PixelsOf(Dst.get()), PixelsOf(Src.get()));

    // Bias and division on a uniform bitmap: (9 * 100) div 3 + 1 = 301, clamped.
    auto U = MakeBitmap(7, 7, 0x64646464);
    TKernel7x7 Box;
    for (Integer& W : Box.Weights) W = 1;
    Box.Divisor = 49;
    Convolve7x7(Dst.get(), U.get(), Box, -4);
    EXPECT_EQ(Dst->Pixel(3, 3), 0x60606060u);
    EXPECT_EQ(Dst->Pixel(0, 0), 0x64646464u);

    // Laplace sharpen of a uniform bitmap keeps it.
    LaplaceSharpen3x3(Dst.get(), U.get());
    EXPECT_EQ(PixelsOf(Dst.get()), PixelsOf(U.get()));

    // Sums and shifts: the vector forms saturate in 16 bits.
    TKernel3x3 Big;
    for (Integer& W : Big.Weights) W = 200;
    auto White = MakeBitmap(3, 3, 0xFFFFFFFF);
    ConvolveSum3x3(Dst.get(), White.get(), Big);
    EXPECT_EQ(Dst->Pixel(1, 1), 0xFFFFFFFFu);
    BindConvolutionRoutines(false);
    ConvolveShift3x3(Dst.get(), White.get(), Big, 0, 32 + 12);  // plain: shift mod 32: 459000 shr 12 = 112
    EXPECT_EQ(Dst->Pixel(1, 1), 0x70707070u);
    BindConvolutionRoutines(true);
    ConvolveShift3x3(Dst.get(), White.get(), Big, 3, 8);  // vector: 32767 shr 8 = 127, + 3
    EXPECT_EQ(Dst->Pixel(1, 1), 0x82828282u);
    ConvolveShift5x5(Dst.get(), White.get(), TKernel5x5{}, 0, 16);  // too small: copy
    EXPECT_EQ(PixelsOf(Dst.get()), PixelsOf(White.get()));
    BindConvolutionRoutines(MmxBlendActive());
}

TEST(Convolution, DistancesAndRunningSum)
{
    EXPECT_EQ(ColorDistanceAbs(0x00000000, 0xFFFFFFFF), 1020u);
    EXPECT_EQ(ColorDistanceSquared(0x00000002, 0x01000000), 5u);
    Single One[1] = {3};
    RunningSumSingles(One, 1);
    EXPECT_EQ(One[0], 3);
    Single V[40];
    for (Integer I = 0; I < 40; ++I) V[I] = I % 3 == 0 ? 0 : 1;
    RunningSumSingles(V, 40);
    EXPECT_EQ(V[39], 26);
    RunningSumSingles(nullptr, 5);
}
