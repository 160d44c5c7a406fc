#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Component/Raster32/Ras32_Bindings.h"
#include "skin/model/SFKernels.h"
#include "skin/model/SFKernels_Variants.h"
#include "SkinTestEnv.h"

namespace {

struct TBlendCase {
    TsfColor F, B, Vector, Plain;
};

TEST(SFKernels, BlendPixelOfEachForm)
{
    const TBlendCase Cases[] = {
        {0x80FF0000, 0xFF0000FF, 0xBF7F007F, 0xFF7F007E},
        {0xFFFFFFFF, 0xFF000000, 0xFFFEFEFE, 0xFFFFFFFF},
        {0x00123456, 0x80ABCDEF, 0x80ABCDEF, 0x80ABCDEF},  // alpha 0 gives the background
    };
    for (const TBlendCase& C : Cases) {
        EXPECT_EQ(BlendPixel(C.F, C.B), C.Vector) << std::hex << C.F;
        BindPlainBlendKernels(true);
        EXPECT_EQ(BlendPixel(C.F, C.B), C.Plain) << std::hex << C.F;
        BindPlainBlendKernels(false);
    }
}

TEST(SFKernels, BlendRowSkipsClearAndCopiesOpaque)
{
    for (bool Plain : {false, true}) {
        BindPlainBlendKernels(Plain);
        const TsfColor Src[3] = {0x00FFFFFF, 0xFF102030, 0x80FF0000};
        TsfColor Dst[3] = {0xFF0000FF, 0xFF0000FF, 0xFF0000FF};
        BlendRow(Src, Dst, 3);
        EXPECT_EQ(Dst[0], 0xFF0000FFu);
        EXPECT_EQ(Dst[1], 0xFF102030u);
        EXPECT_EQ(Dst[2], Plain ? 0xFF7F007Eu : 0xBF7F007Fu);
    }
    BindPlainBlendKernels(false);
}

// The vector form against its reference, over random rows of every length up
// to 19 (the tail after the groups of four included) and the edge alphas.
TEST(SFKernels, VectorBlendRowMatchesReference)
{
    std::mt19937 Rng(7);
    const TsfColor Alphas[] = {0, 1, 127, 128, 254, 255};
    Integer Compared = 0;
    for (Integer N = 0; N < 20; ++N)
        for (Integer Round = 0; Round < 50; ++Round) {
            std::vector<TsfColor> Src(N), A(N), B(N);
            for (Integer i = 0; i < N; ++i) {
                Src[i] = (Rng() & 0x00FFFFFF) | (Alphas[Rng() % 6] << 24);
                if (Rng() % 3 == 0) Src[i] = Rng();
                A[i] = B[i] = Rng();
            }
            SfKernelsPas::BlendRow(Src.data(), A.data(), N);
            BlendRow(Src.data(), B.data(), N);
            ASSERT_EQ(A, B) << "length " << N;
            Compared += N;
        }
    BindForCpuFeatures(NoCpuFeatures);
    EXPECT_EQ(BlendRow, &SfKernelsPas::BlendRow);
    BindForProcessor();
    std::printf("compared %d pixels\n", Compared);
}

TEST(SFKernels, KeyRowSkipsTheKeyWhateverItsAlpha)
{
    const TsfColor Src[3] = {0x127F007F, 0x127F007E, 0x00000000};
    TsfColor Dst[3] = {1, 2, 3};
    KeyRow(Src, Dst, 3);
    EXPECT_EQ(Dst[0], 1u);
    EXPECT_EQ(Dst[1], 0xFF7F007Eu);
    EXPECT_EQ(Dst[2], 0xFF000000u);
}

TEST(SFKernels, RowsAndRectangles)
{
    std::vector<TsfColor> P = {1, 2, 3, 4, 5};
    MoveRow(P.data(), P.data() + 1, 4);  // overlapping
    EXPECT_EQ(P, (std::vector<TsfColor>{1, 1, 2, 3, 4}));
    MoveRow(P.data(), P.data(), 5);
    FillRow(P.data(), 0, 9);
    EXPECT_EQ(P[0], 1u);

    std::vector<TsfColor> Bits(4 * 3, 0x11223344);
    FillPixelRect(Bits.data(), 4, 3, 7, 1, 1, 2, 2);  // inclusive bounds
    EXPECT_EQ(Bits[0 * 4 + 1], 0x11223344u);
    EXPECT_EQ(Bits[1 * 4 + 1], 7u);
    EXPECT_EQ(Bits[2 * 4 + 2], 7u);
    EXPECT_EQ(Bits[2 * 4 + 3], 0x11223344u);
    FillPixelRect(Bits.data(), 4, 3, 9, 2, 0, 1, 2);  // X2 < X1: nothing
    SetAlphaRect(Bits.data(), 4, 3, 0x80, 0, 0, 0, 2);
    EXPECT_EQ(Bits[0], 0x80223344u);
    EXPECT_EQ(Bits[8], 0x80223344u);
    EXPECT_EQ(Bits[1], 0x11223344u);
    SetAlphaRect(Bits.data(), 4, 3, 0x80, 0, 2, 0, 1);  // empty
    EXPECT_EQ(Bits[4], 0x80223344u);

    TsfColor Row[2] = {0xFF7F007F, 0xFF7F007E};
    KeyAlphaRow(Row, 2, 0x7F007F);
    EXPECT_EQ(Row[0], 0x007F007Fu);
    EXPECT_EQ(Row[1], 0xFF7F007Eu);
}

TEST(SFKernels, Colours)
{
    EXPECT_EQ(ColorRefToSpColor(0x00332211), 0xFF112233u);
    EXPECT_EQ(SpColorFromColor(0x0000FF, 255), 0xFEFF0000u);  // the alpha byte wraps
    EXPECT_EQ(SpColorFromColor(0x0000FF, 0), 0xFFFF0000u);
    EXPECT_EQ(SpColorFromColor(0x0000FF, 1), 0x00FF0000u);
    EXPECT_EQ(MakeSpColor(300, -4, 17, 0x12), 0x12FF0011u);
    EXPECT_EQ(ChangeSpColorBrightness(0x10F00010, 20), 0xFFFF1424u);

    // HSL both ways.
    const TsfColor Colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF808080, 0xFF336699, 0xFFFFFFFF};
    for (TsfColor C : Colours) {
        Single H, S, L;
        SpColorToHSL(C, H, S, L);
        EXPECT_EQ(HSLToSpColor(L, S, H), C) << std::hex << C;
    }
    Single H, S, L;
    SpColorToHSL(0xFF0000FF, H, S, L);
    EXPECT_FLOAT_EQ(H, 4.0f / 6);
    EXPECT_FLOAT_EQ(S, 1);
    EXPECT_FLOAT_EQ(L, 0.5f);

    // Saturation 255 plus 10 wraps to 10.
    EXPECT_EQ(ChangeSpColorSat(0xFFFF0000, 10), HSLToSpColor(0.5f, 10.0f / 255, 0));
    EXPECT_EQ(ChangeSpColorSat(0xFFFF0000, 0), 0xFFFF0000u);
    // A hue set to blue's 170/255 turns red blue; -1 is clamped to 0 (red).
    EXPECT_EQ(SetSpColorHue(0xFFFF0000, 170), HSLToSpColor(0.5f, 1, 170.0f / 255));
    EXPECT_EQ(SetSpColorHue(0xFFFF0000, -1), 0xFFFF0000u);
    // Hue 0 minus 1 wraps to 254/255.
    EXPECT_EQ(ChangeSpColorHue(0xFFFF0000, -1), HSLToSpColor(0.5f, 1, 254.0f / 255));
}

TEST(SFKernels, CollectionItem)
{
    TCollection C([](TCollection* Owner) { return new TCollectionItem(Owner); });
    TCollectionItem* First = C.Add();
    C.Add();
    EXPECT_EQ(GetPngCollectionItem(&C, 0), First);
}

}  // namespace
