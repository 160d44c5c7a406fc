#include <gtest/gtest.h>

#include "FilterTestUtils.h"
#include "filters/Ras32_Filters.h"
#include "filters/Ras32_Filters_Variants.h"
#include "framework/runtime/SysUtils.h"

class Ras32FiltersVariants : public VariantTest {};

TEST_F(Ras32FiltersVariants, EveryVariantGivesTheReferenceRows)
{
    std::mt19937 Rng(7);
    Integer Compared = 0;
    for (const TVariantSet& Set : RunnableVariantSets()) {
        BindForCpuFeatures(Set.Features);
        for (Integer Count : {0, 1, 3, 4, 7, 8, 9, 31, 64, 67}) {
            std::vector<TColor32> Src(static_cast<size_t>(Count) + 1);
            for (TColor32& C : Src) C = Rng();
            const TColor32 Mask = Rng();
            for (Integer Op = 0; Op < 3; ++Op) {
                std::vector<TColor32> Expected(Src), Got(Src), ExpectedIn(Src), GotIn(Src);
                TLogicalMaskLine* Refs[3] = {FiltersPas::XorRow, FiltersPas::AndRow, FiltersPas::OrRow};
                TLogicalMaskLineInPlace* RefsIn[3] = {FiltersPas::XorRowInPlace, FiltersPas::AndRowInPlace,
                                                      FiltersPas::OrRowInPlace};
                Refs[Op](Src.data(), Expected.data(), Count, Mask);
                (*LogicalMaskLineOf[Op])(Src.data(), Got.data(), Count, Mask);
                RefsIn[Op](ExpectedIn.data(), Mask, Count);
                (*LogicalMaskLineInPlaceOf[Op])(GotIn.data(), Mask, Count);
                // The pixel past Count is never touched.
                EXPECT_EQ(Got, Expected) << Set.Name << " op " << Op << " count " << Count;
                EXPECT_EQ(GotIn, ExpectedIn) << Set.Name << " op " << Op << " count " << Count;
                Compared += 2;
            }
        }
    }
    std::printf("compared %d rows\n", Compared);
}

TEST(Ras32Filters, ChannelMask)
{
    EXPECT_EQ(ChannelMask(RGBChannels), 0x00FFFFFFu);
    EXPECT_EQ(ChannelMask(chAlpha | chBlue), 0xFF0000FFu);
    EXPECT_EQ(ChannelMask(0), 0u);
}

TEST(Ras32Filters, InvertColorChannelsTwiceRestoresAndKeepsAlpha)
{
    auto B = RandomBitmap(7, 5, 1);
    const std::vector<TColor32> Before = PixelsOf(B.get());
    InvertColorChannels(B.get(), B.get());
    for (size_t I = 0; I < Before.size(); ++I) EXPECT_EQ(B->Bits()[I], Before[I] ^ 0x00FFFFFF);
    InvertColorChannels(B.get(), B.get());
    EXPECT_EQ(PixelsOf(B.get()), Before);
}

TEST(Ras32Filters, InvertChannelsIntoAnotherBitmapSizesIt)
{
    auto Src = MakeBitmap(2, 1, std::vector<TColor32>{0x80102030, 0xFF000000});
    auto Dst = MakeBitmap(0, 0);
    InvertChannels(Dst.get(), Src.get(), chAlpha | chRed);
    ASSERT_EQ(Dst->Width(), 2);
    EXPECT_EQ(Dst->Bits()[0], 0x7FEF2030u);
    EXPECT_EQ(Dst->Bits()[1], 0x00FF0000u);
}

TEST(Ras32Filters, MakeColorTransparentIgnoresAlpha)
{
    auto B = MakeBitmap(2, 1, std::vector<TColor32>{0x80FF0000, 0xFFFE0000});
    MakeColorTransparent(B.get(), 0xFFFF0000);
    EXPECT_EQ(B->Bits()[0], 0x00FF0000u);
    EXPECT_EQ(B->Bits()[1], 0xFFFE0000u);
}

TEST(Ras32Filters, AlphaFromIntensityAndGrayscale)
{
    auto Src = MakeBitmap(2, 1, std::vector<TColor32>{0xFFFFFFFF, 0x400000FF});
    auto Dst = MakeBitmap(0, 0);
    AlphaFromIntensity(Dst.get(), Src.get());
    EXPECT_EQ(AlphaOf(Dst->Bits()[0]), 255);
    EXPECT_EQ(AlphaOf(Dst->Bits()[1]), 20);

    GrayscaleBitmap(Dst.get(), Src.get(), true);
    EXPECT_EQ(Dst->Bits()[1], 0x40141414u);
    GrayscaleBitmap(Dst.get(), Src.get(), false);
    EXPECT_EQ(Dst->Bits()[1], 0xFF141414u);
}

TEST(Ras32Filters, NilBitmapsRaise)
{
    auto B = MakeBitmap(1, 1);
    try {
        AlphaFromIntensity(nullptr, nullptr);
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"The source is nil");
    }
    try {
        GrayscaleBitmap(nullptr, B.get(), true);
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"Destination is nil");
    }
    try {
        ApplyChannelMaskInPlace(nullptr, TRect{0, 0, 1, 1}, 0, moXor);
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"The bitmap is nil");
    }
}

TEST(Ras32Filters, ApplyChannelMaskClipsAndReports)
{
    auto Src = MakeBitmap(4, 4, 0xFF000000);
    auto Dst = MakeBitmap(4, 4, 0x00000000);
    Dst->SetClipRect(TRect{0, 0, 3, 3});
    std::vector<TRect> Reports;
    Dst->OnAreaChanged = [&](TObject*, const TRect& R, Cardinal) { Reports.push_back(R); };
    ApplyChannelMask(Dst.get(), 1, 1, Src.get(), TRect{-5, -5, 10, 10}, 0x000000FF, moOr);
    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Reports[0], (TRect{1, 1, 3, 3}));
    for (Integer Y = 0; Y < 4; ++Y)
        for (Integer X = 0; X < 4; ++X) {
            const bool Inside = X >= 1 && X < 3 && Y >= 1 && Y < 3;
            EXPECT_EQ(Dst->Pixel(X, Y), Inside ? 0xFF0000FFu : 0u) << X << "," << Y;
        }

    // The in-place form on a partial rectangle, row by row.
    ApplyChannelMaskInPlace(Dst.get(), TRect{0, 0, 1, 4}, 0xFFFFFFFF, moXor);
    EXPECT_EQ(Dst->Pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(Dst->Pixel(0, 3), 0u);  // outside the clip rectangle
}
