#include <gtest/gtest.h>

#include "SkinTestEnv.h"
#include "skin/model/SFGlowText.h"

TEST(SFGlowText, GlowTakesItsColourAndTheRedLevelAsAlpha)
{
    TsfBitmap B;
    B.SetSize(3, 1);
    *B.PixelAddress(0, 0) = 0x00000000;
    *B.PixelAddress(1, 0) = 0xFF80FF10;  // red 0x80: green and blue do not count
    *B.PixelAddress(2, 0) = 0x12FF0000;
    ColorGlowFromRed(&B, 0x0080FF);  // TColor: red FF, green 80, blue 00
    EXPECT_EQ(B.GetPixel(0, 0), 0x00FF8000u);
    EXPECT_EQ(B.GetPixel(1, 0), 0x80FF8000u);
    EXPECT_EQ(B.GetPixel(2, 0), 0xFFFF8000u);
    EXPECT_TRUE(B.AlphaBlend());
}

namespace {

std::vector<uint32_t> Alphas(TsfBitmap& B)
{
    std::vector<uint32_t> A;
    for (Integer y = 0; y < B.Height(); ++y) A.push_back(B.GetPixel(0, y) >> 24);
    return A;
}

}  // namespace

TEST(SFGlowText, ReflectionIsSeventyPercentNextToTheTextWhereverItsRowsStart)
{
    // The same text with its rows at 0..10 and at 20..30 of the work bitmap:
    // each fades the same way from its bottom edge, 70 % there.
    const struct { Integer T, B; } Texts[] = {{0, 10}, {20, 30}};
    std::vector<std::vector<uint32_t>> Fades;
    for (const auto& C : Texts) {
        TsfBitmap B;
        B.SetSize(1, 40);
        B.Clear(0xFFFF0000);
        FadeReflectionRows(&B, C.T, C.B, 0x0000FF);
        const auto A = Alphas(B);
        EXPECT_EQ(A[C.B], 178u) << C.T;  // Trunc(255 x 0.7)
        for (Integer y = 0; y < 40; ++y) {
            if (y < C.T || y > C.B) EXPECT_EQ(A[y], 0u) << C.T << ' ' << y;
            if (y > C.T && y <= C.B) EXPECT_GE(A[y], A[y - 1]) << C.T << ' ' << y;  // fading away from the text
        }
        EXPECT_EQ(A[C.B - 7], 0u);  // gone three tenths of the way up
        EXPECT_GT(A[C.B - 6], 0u);
        Fades.push_back(std::vector<uint32_t>(A.begin() + C.T, A.begin() + C.B + 1));
        EXPECT_EQ(B.GetPixel(0, C.B) & 0xFFFFFF, 0xFF0000u);  // in the given colour
    }
    EXPECT_EQ(Fades[0], Fades[1]);

    // No rows: nothing changes.
    TsfBitmap B;
    B.SetSize(1, 4);
    B.Clear(0xFFFF0000);
    FadeReflectionRows(&B, 3, 3, 0);
    EXPECT_EQ(Alphas(B), (std::vector<uint32_t>(4, 255)));
}
