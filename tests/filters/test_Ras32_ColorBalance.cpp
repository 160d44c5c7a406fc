#include <gtest/gtest.h>

#include "FilterTestUtils.h"
#include "filters/Ras32_ColorBalance.h"

TEST(ColorBalance, NewObjectIsTheIdentity)
{
    TColorBalance CB;
    for (Integer I = 0; I < 256; ++I) {
        EXPECT_EQ(CB.RedLookup()[I], I);
        EXPECT_EQ(CB.BlueLookup()[I], I);
    }
    EXPECT_TRUE(CB.PreserveLuminosity());
    EXPECT_EQ(CB.TransferMode(), tmMidtones);
    // Without preserving, the identity holds exactly; the picture's alpha is kept.
    auto Src = RandomBitmap(9, 4, 2);
    CB.SetSourceBitmap(Src.get());
    CB.SetPreserveLuminosity(false);
    auto Dst = MakeBitmap(0, 0);
    CB.Execute(Dst.get());
    EXPECT_EQ(PixelsOf(Dst.get()), PixelsOf(Src.get()));
}

TEST(ColorBalance, MidtoneExample)
{
    TColorBalance CB;
    CB.SetCyanRed(100);
    EXPECT_EQ(CB.RedLookup()[127], 194);
    EXPECT_EQ(CB.RedLookup()[0], 0);
    EXPECT_EQ(CB.RedLookup()[255], 254);
    EXPECT_EQ(CB.GreenLookup()[127], 127);
    // Another range keeps its own value.
    CB.SetTransferMode(tmShadows);
    EXPECT_EQ(CB.CyanRed(), 0);
    CB.SetTransferMode(tmMidtones);
    EXPECT_EQ(CB.CyanRed(), 100);
    CB.Reset();
    EXPECT_EQ(CB.RedLookup()[127], 127);
}

TEST(ColorBalance, ExecuteKeepsSourceAlphaAndLightness)
{
    TColorBalance CB;
    CB.SetYellowBlue(-60);
    auto Src = MakeBitmap(2, 1, std::vector<TColor32>{0x40336699, 0x00FFFFFF});
    CB.SetSourceBitmap(Src.get());
    auto Dst = MakeBitmap(0, 0);
    CB.Execute(Dst.get());
    ASSERT_EQ(Dst->Width(), 2);
    EXPECT_EQ(Dst->Bits()[0] >> 24, 0x40u);
    EXPECT_EQ(Dst->Bits()[1] >> 24, 0x00u);
    // Lightness of the source kept: (max + min) / 2 stays within rounding.
    const TColor32 C = Dst->Bits()[0];
    const Integer L = (MaxOf3(RedOf(C), GreenOf(C), BlueOf(C)) + MinOf3(RedOf(C), GreenOf(C), BlueOf(C))) / 2;
    EXPECT_NEAR(L, (0x99 + 0x33) / 2, 1);
    EXPECT_LT(BlueOf(C), 0x99);
}

TEST(ColorBalance, StreamRoundTrip)
{
    TColorBalance CB;
    CB.SetTransferMode(tmHighlights);
    CB.SetMagentaGreen(-40);
    CB.SetTransferMode(tmShadows);
    CB.SetCyanRed(25);
    CB.SetPreserveLuminosity(false);
    TMemoryStream S;
    CB.SaveToStream(&S);
    ASSERT_EQ(S.Size(), 809);
    const Byte* M = static_cast<const Byte*>(S.Memory());
    EXPECT_EQ(M[0], 25);     // shadows, cyan-red
    EXPECT_EQ(M[804], 0);    // not preserving
    EXPECT_EQ(M[805], 0);    // tmShadows

    TColorBalance Back;
    S.SetPosition(0);
    ASSERT_TRUE(Back.LoadFromStream(&S));
    EXPECT_EQ(Back.TransferMode(), tmShadows);
    EXPECT_EQ(Back.CyanRed(), 25);
    EXPECT_FALSE(Back.PreserveLuminosity());
    auto Src = RandomBitmap(16, 16, 3);
    CB.SetSourceBitmap(Src.get());
    Back.SetSourceBitmap(Src.get());
    auto A = MakeBitmap(0, 0), B = MakeBitmap(0, 0);
    CB.Execute(A.get());
    Back.Execute(B.get());
    EXPECT_EQ(PixelsOf(A.get()), PixelsOf(B.get()));

    // Stored lookups are used as read; setting a value it already has rebuilds nothing.
    Byte* W = static_cast<Byte*>(S.Memory());
    W[36 + 3 * 10] = 99;  // red lookup entry 10
    S.SetPosition(0);
    ASSERT_TRUE(Back.LoadFromStream(&S));
    EXPECT_EQ(Back.RedLookup()[10], 99);
    Back.SetCyanRed(25);
    EXPECT_EQ(Back.RedLookup()[10], 99);
}

TEST(ColorBalance, RejectsShortStreamsAndBadModes)
{
    TColorBalance CB;
    CB.SetCyanRed(50);
    TMemoryStream S;
    CB.SaveToStream(&S);
    EXPECT_FALSE(CB.LoadFromStream(nullptr));

    TMemoryStream Short;
    Short.WriteBuffer(S.Memory(), 808);
    Short.SetPosition(0);
    TColorBalance Fresh;
    EXPECT_FALSE(Fresh.LoadFromStream(&Short));
    EXPECT_EQ(Fresh.CyanRed(), 0);

    static_cast<Byte*>(S.Memory())[805] = 3;  // no such range
    S.SetPosition(0);
    EXPECT_FALSE(Fresh.LoadFromStream(&S));
    EXPECT_EQ(Fresh.CyanRed(), 0);
    EXPECT_EQ(Fresh.RedLookup()[127], 127);
    static_cast<Byte*>(S.Memory())[805] = 2;
    static_cast<Byte*>(S.Memory())[806] = 7;  // only the low byte counts
    S.SetPosition(0);
    EXPECT_TRUE(Fresh.LoadFromStream(&S));
    EXPECT_EQ(Fresh.TransferMode(), tmHighlights);
}

TEST(ColorBalance, PreservedLightnessMatchesTheHslRoundTrip)
{
    TColorBalance CB;
    CB.SetTransferMode(tmShadows);
    CB.SetCyanRed(-35);
    CB.SetTransferMode(tmMidtones);
    CB.SetMagentaGreen(70);
    CB.SetTransferMode(tmHighlights);
    CB.SetYellowBlue(-90);
    // A grid through the whole colour cube, greys, and random colours.
    std::vector<TColor32> Pixels;
    for (Integer R = 0; R < 256; R += 3)
        for (Integer G = 0; G < 256; G += 5)
            for (Integer B = 0; B < 256; B += 7) Pixels.push_back(Color32FromRGBA(R, G, B, (R + G) & 0xFF));
    for (Integer I = 0; I < 256; ++I) Pixels.push_back(GrayColor32(I, 200));
    std::mt19937 Rng(5);
    for (Integer I = 0; I < 100000; ++I) Pixels.push_back(Rng());
    auto Src = MakeBitmap(static_cast<Integer>(Pixels.size()), 1, Pixels);
    CB.SetSourceBitmap(Src.get());
    auto Dst = MakeBitmap(0, 0);
    CB.Execute(Dst.get());
    for (size_t I = 0; I < Pixels.size(); ++I) {
        const TColor32 C = Pixels[I];
        const Integer r = RedOf(C), g = GreenOf(C), b = BlueOf(C);
        const TColor32 Looked = Color32FromRGBA(CB.RedLookup()[r], CB.GreenLookup()[g], CB.BlueLookup()[b], 0);
        Single H, S, L;
        Color32ToHSL(Looked, H, S, L);
        L = static_cast<Single>((MaxOf3(r, g, b) + MinOf3(r, g, b)) >> 1) / 255;
        const TColor32 Expected = (C & 0xFF000000) | (HSLToColor32(H, S, L) & 0x00FFFFFF);
        ASSERT_EQ(Dst->Bits()[I], Expected) << std::hex << C;
    }
}
