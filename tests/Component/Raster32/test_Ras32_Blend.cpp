// Blend, combine and merge: the documented values, the tables, and bit-exact
// agreement of every SIMD variant with the portable reference.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "Component/Raster32/Ras32_Bindings.h"
#include "Component/Raster32/Ras32_Blend.h"
#include "Component/Raster32/Ras32_Blend_Variants.h"

namespace {

struct TVariantSet {
    const char* Name;
    TCPUFeatures Features;
};

// The binding sets this processor can run: the reference always, SSE2 and
// AVX2 where present.
std::vector<TVariantSet> RunnableVariantSets()
{
    std::vector<TVariantSet> Sets{{"reference", NoCpuFeatures}};
    if (CpuSupports(ciSSE2)) Sets.push_back({"SSE2", CpuFeature(ciSSE2)});
    if (CpuSupports(ciSSE2) && CpuSupports(ciAVX2)) Sets.push_back({"AVX2", CpuFeature(ciSSE2) | CpuFeature(ciAVX2)});
    return Sets;
}

// The formula the operations are defined by, one channel at a time: the full
// weight gives X itself.
Cardinal SpecMix(Cardinal Y, Cardinal X, Cardinal W)
{
    if (W == 255) return X;
    return (256 * static_cast<Integer>(Y) + 128 + (static_cast<Integer>(X) - static_cast<Integer>(Y)) * static_cast<Integer>(W)) >> 8;
}

class BlendVariants : public testing::Test {
protected:
    void TearDown() override { BindForProcessor(); }
};

// Colours spread over the interesting values: many transparent and opaque alphas.
TColor32 RandomColor(std::mt19937& Rng)
{
    TColor32 C = Rng();
    switch (Rng() % 8) {
    case 0: return C & 0x00FFFFFF;
    case 1: return C | 0xFF000000;
    default: return C;
    }
}

}  // namespace

TEST(Ras32_Blend, TablesHoldTheirRoundedQuotients)
{
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            ASSERT_EQ(ProductTable[a][b], std::lround(a * b / 255.0)) << a << " " << b;
            ASSERT_EQ(ProductTable[a][b], ProductTable[b][a]);
            // nearbyint rounds halves to even in the default rounding mode.
            int Expected = a == 0 ? 0 : static_cast<int>(std::nearbyint(b * 255.0 / a)) & 0xFF;
            ASSERT_EQ(QuotientTable[a][b], Expected) << a << " " << b;
        }
    EXPECT_EQ(QuotientTable[192][128], 170);
    EXPECT_EQ(QuotientTable[2][1], 128);  // 127.5 to the even 128
    for (int i = 0; i < 256; ++i)
        for (int k = 0; k < 8; ++k) ASSERT_EQ(AlphaWeightTable[i][k], i);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(&AlphaWeightTable[0][0]) % 16, 0u);
}

TEST(Ras32_Blend, ReferenceMixIsTheDefiningFormula)
{
    // Every (x, y, w) on the red channel, and on the others through the
    // shuffled copies, against the per-channel definition.
    for (Cardinal W = 0; W < 256; ++W)
        for (Cardinal X = 0; X < 256; ++X)
            for (Cardinal Y = 0; Y < 256; ++Y) {
                TColor32 CX = (X << 24) | (X << 16) | ((255 - X) << 8) | (X ^ 0x5A);
                TColor32 CY = (Y << 24) | (Y << 16) | ((255 - Y) << 8) | (Y ^ 0x5A);
                TColor32 R = BlendPas::CombinePixel(CX, CY, W);
                ASSERT_EQ(R >> 16 & 0xFF, SpecMix(Y, X, W));
                ASSERT_EQ(R >> 24, SpecMix(Y, X, W));
                ASSERT_EQ(R >> 8 & 0xFF, SpecMix(255 - Y, 255 - X, W));
                ASSERT_EQ(R & 0xFF, SpecMix(Y ^ 0x5A, X ^ 0x5A, W));
            }
}

TEST_F(BlendVariants, DocumentedValuesHoldInEveryVariant)
{
    for (const TVariantSet& Set : RunnableVariantSets()) {
        SCOPED_TRACE(Set.Name);
        BindForCpuFeatures(Set.Features);
        // Opaque white over transparent black is opaque white, in every form.
        EXPECT_EQ(BlendPixel(0xFFFFFFFF, 0x00000000), 0xFFFFFFFFu);
        TColor32 B = 0;
        BlendPixelInPlace(0xFFFFFFFF, B);
        EXPECT_EQ(B, 0xFFFFFFFFu);
        // Merge over an opaque background goes through the blend, made opaque.
        EXPECT_EQ(MergePixel(0x80FFC864, 0xFF000000), 0xFF806432u);
        // Both half transparent: Ra = 192, p = 128, red = Q[192][128] = 170.
        EXPECT_EQ(MergePixel(0x80FF0000, 0x80000000), 0xC0AA0000u);
        EXPECT_EQ(MergePixel(0x00123456, 0x80ABCDEF), 0x80ABCDEFu);
        EXPECT_EQ(MergePixel(0xFF123456, 0x80ABCDEF), 0xFF123456u);
        EXPECT_EQ(MergePixel(0x40123456, 0x00ABCDEF), 0x40123456u);
        EXPECT_EQ(ChannelDivide(0x00400080, 0x80808040), 0xFFFFFF80u);
        EXPECT_EQ(ChannelDivide(0x80808080, 0x40404040), 0x80808080u);
        EXPECT_EQ(ChannelExclusion(0xFFFFFFFF, 0xFFFFFFFF), 0x02020202u);
        EXPECT_EQ(ChannelAverage(0xFF0001FF, 0x00000100), 0x7F00017Fu);
        EXPECT_EQ(ChannelAdd(0x80F01020, 0x80201020), 0xFFFF2040u);
        EXPECT_EQ(ChannelSubtract(0x80101020, 0x40201010), 0x40000010u);
        EXPECT_EQ(LightenColor(0x80102030, 0x20), 0x80304050u);
        EXPECT_EQ(LightenColor(0x80F02030, -0x25), 0x80CB000Bu);
        EXPECT_EQ(LightenColor(0x80F02030, 1000), 0x80FFFFFFu);
        EXPECT_EQ(CombinePixel(0xFFFFFFFF, 0x00000000, 255), 0xFFFFFFFFu);
        EXPECT_EQ(CombinePixel(0xFFFFFFFF, 0x00000000, 254), 0xFDFDFDFDu);
        TColor32 Y = 0x12345678;
        CombinePixelInPlace(0xFFFFFFFF, Y, 255);
        EXPECT_EQ(Y, 0xFFFFFFFFu);
        CombinePixelInPlace(0xFFFFFFFF, Y = 0x12345678, 0);
        EXPECT_EQ(Y, 0x12345678u);
        // A weight or master alpha above 255 counts as 255.
        EXPECT_EQ(CombinePixel(0xFFFFFFFF, 0, 1000), CombinePixel(0xFFFFFFFF, 0, 255));
        EXPECT_EQ(BlendPixelMaster(0xFFFFFFFF, 0, 1000), BlendPixelMaster(0xFFFFFFFF, 0, 255));
        EXPECT_EQ(ChannelScale(0xFF804020, 128), 0x7F402010u);
        EndPixelOps();

        // Rows with Count 0 (or less) leave Dst alone.
        TColor32 Src[1] = {0xFFFFFFFF};
        TColor32 Dst[1] = {0x12345678};
        BlendRow(Src, Dst, 0);
        BlendRowMaster(Src, Dst, -1, 255);
        MergeRow(Src, Dst, 0);
        MergeRowMaster(Src, Dst, 0, 255);
        CombineRow(Src, Dst, 0, 128);
        EXPECT_EQ(Dst[0], 0x12345678u);
    }
}

// An opaque source over anything is the source itself, and a transparent
// one leaves the destination alone, in every form (single pixels, in place,
// rows long enough for the vector paths and their tails) and every variant.
TEST_F(BlendVariants, OpaqueSourceIsExactAndTransparentSourceKeepsTheDestination)
{
    const TColor32 Sources[] = {0xFF00FF00, 0xFFFFFFFF, 0xFF010203, 0xFFFEFDFC};
    const TColor32 Backgrounds[] = {0xFFFF0000, 0xFF000000, 0x00000000, 0x80FF00FF, 0x01FFFFFF, 0xFEFEFEFE};
    // Each form as a row of 13 pixels of one source over the backgrounds.
    using TRowForm = void (*)(const TColor32* Src, TColor32* Dst, Integer Count);
    const struct {
        const char* Name;
        TRowForm Run;
        bool TransparentKeeps;  // combine takes the weight, not the alpha
    } Forms[] = {
        {"BlendPixel", [](const TColor32* S, TColor32* D, Integer N) { for (Integer i = 0; i < N; ++i) D[i] = BlendPixel(S[i], D[i]); }, true},
        {"BlendPixelInPlace", [](const TColor32* S, TColor32* D, Integer N) { for (Integer i = 0; i < N; ++i) BlendPixelInPlace(S[i], D[i]); }, true},
        {"BlendRow", [](const TColor32* S, TColor32* D, Integer N) { BlendRow(S, D, N); }, true},
        {"BlendPixelMaster", [](const TColor32* S, TColor32* D, Integer N) { for (Integer i = 0; i < N; ++i) D[i] = BlendPixelMaster(S[i], D[i], 255); }, true},
        {"BlendPixelMasterInPlace", [](const TColor32* S, TColor32* D, Integer N) { for (Integer i = 0; i < N; ++i) BlendPixelMasterInPlace(S[i], D[i], 255); }, true},
        {"BlendRowMaster", [](const TColor32* S, TColor32* D, Integer N) { BlendRowMaster(S, D, N, 255); }, true},
        {"MergePixel", [](const TColor32* S, TColor32* D, Integer N) { for (Integer i = 0; i < N; ++i) D[i] = MergePixel(S[i], D[i]); }, true},
        {"MergePixelInPlace", [](const TColor32* S, TColor32* D, Integer N) { for (Integer i = 0; i < N; ++i) MergePixelInPlace(S[i], D[i]); }, true},
        {"MergeRow", [](const TColor32* S, TColor32* D, Integer N) { MergeRow(S, D, N); }, true},
        {"MergePixelMaster", [](const TColor32* S, TColor32* D, Integer N) { for (Integer i = 0; i < N; ++i) D[i] = MergePixelMaster(S[i], D[i], 255); }, true},
        {"MergeRowMaster", [](const TColor32* S, TColor32* D, Integer N) { MergeRowMaster(S, D, N, 255); }, true},
        {"CombinePixel", [](const TColor32* S, TColor32* D, Integer N) { for (Integer i = 0; i < N; ++i) D[i] = CombinePixel(S[i], D[i], 255); }, false},
        {"CombineRow", [](const TColor32* S, TColor32* D, Integer N) { CombineRow(S, D, N, 255); }, false},
    };
    constexpr Integer N = 13;
    for (const TVariantSet& Set : RunnableVariantSets()) {
        BindForCpuFeatures(Set.Features);
        for (const auto& Form : Forms)
            for (TColor32 S : Sources)
                for (TColor32 B : Backgrounds) {
                    SCOPED_TRACE(testing::Message() << Set.Name << " " << Form.Name << std::hex << " " << S << " over " << B);
                    std::vector<TColor32> Src(N, S), Dst(N, B);
                    Form.Run(Src.data(), Dst.data(), N);
                    EXPECT_EQ(Dst, std::vector<TColor32>(N, S));
                    if (!Form.TransparentKeeps) continue;
                    Src.assign(N, S & 0x00FFFFFF);
                    Dst.assign(N, B);
                    Form.Run(Src.data(), Dst.data(), N);
                    EXPECT_EQ(Dst, std::vector<TColor32>(N, B));
                }
        EndPixelOps();
    }
}

TEST_F(BlendVariants, CombineModeTablesFollowTheBindings)
{
    BindForCpuFeatures(NoCpuFeatures);
    EXPECT_EQ(*CombineRowOf[cmBlend], BlendPas::BlendRow);
    EXPECT_EQ(*CombineInPlaceOf[cmMerge], BlendPas::MergePixelInPlace);
#if defined(LM_RAS32_BLEND_SSE2)
    if (!CpuSupports(ciSSE2)) GTEST_SKIP();
    BindForCpuFeatures(CpuFeature(ciSSE2));
    EXPECT_EQ(*CombineRowOf[cmBlend], BlendSSE2::BlendRow);
    EXPECT_EQ(*CombineRowMasterOf[cmMerge], BlendSSE2::MergeRowMaster);
    EXPECT_EQ(*CombineMasterInPlaceOf[cmBlend], BlendSSE2::BlendPixelMasterInPlace);
    EXPECT_EQ(MergePixel, BlendSSE2::MergePixel);
    if (CpuSupports(ciAVX2)) {
        BindForProcessor();
        EXPECT_EQ(*CombineRowOf[cmMerge], BlendAVX2::MergeRow);
    }
#endif
}

// Every variant against the reference: exhaustive where the inputs of a
// channel are few enough, millions of random pixels otherwise.
TEST_F(BlendVariants, SimdVariantsAgreeBitForBitWithTheReference)
{
    auto Sets = RunnableVariantSets();
    if (Sets.size() == 1) GTEST_SKIP() << "no SIMD variant runs on this processor";
    std::mt19937 Rng(20261210);

    // Each (f, b) pair of channel values once per pixel position, spread
    // differently over the four channels.
    std::vector<TColor32> PairF(65536), PairB(65536);
    for (Cardinal f = 0; f < 256; ++f)
        for (Cardinal b = 0; b < 256; ++b) {
            PairF[f * 256 + b] = (f << 16) | ((255 - f) << 8) | (f ^ 0xA5);
            PairB[f * 256 + b] = (b << 24) | (b << 16) | ((255 - b) << 8) | (b ^ 0xA5);
        }

    const Integer RandomCount = 1 << 21;
    std::vector<TColor32> RandF(RandomCount), RandB(RandomCount);
    for (Integer i = 0; i < RandomCount; ++i) {
        RandF[i] = RandomColor(Rng);
        RandB[i] = RandomColor(Rng);
    }

    for (size_t s = 1; s < Sets.size(); ++s) {
        SCOPED_TRACE(Sets[s].Name);
        BindForCpuFeatures(Sets[s].Features);
        UInt64 Compared = 0;
        std::vector<TColor32> Src(65536), Dst(65536), Ref(65536);

        // Blend and combine: every (f, b, w).
        for (Cardinal W = 0; W < 256; ++W) {
            for (Integer i = 0; i < 65536; ++i) Src[i] = PairF[i] | (W << 24);
            for (Integer i = 0; i < 65536; ++i) {
                ASSERT_EQ(BlendPixel(Src[i], PairB[i]), BlendPas::BlendPixel(Src[i], PairB[i]));
                ASSERT_EQ(CombinePixel(Src[i], PairB[i], W), BlendPas::CombinePixel(Src[i], PairB[i], W));
                TColor32 A = PairB[i], E = PairB[i];
                BlendPixelInPlace(Src[i], A);
                BlendPas::BlendPixelInPlace(Src[i], E);
                ASSERT_EQ(A, E);
                A = E = PairB[i];
                CombinePixelInPlace(Src[i], A, W);
                BlendPas::CombinePixelInPlace(Src[i], E, W);
                ASSERT_EQ(A, E);
            }
            Dst = PairB;
            Ref = PairB;
            BlendRow(Src.data(), Dst.data(), 65536);
            BlendPas::BlendRow(Src.data(), Ref.data(), 65536);
            ASSERT_EQ(Dst, Ref);
            Dst = PairB;
            Ref = PairB;
            CombineRow(Src.data(), Dst.data(), 65536, W);
            BlendPas::CombineRow(Src.data(), Ref.data(), 65536, W);
            ASSERT_EQ(Dst, Ref);
            Compared += 6 * 65536;
        }

        // Master forms: every (alpha, master) pair over a few colour pairs.
        for (Cardinal M = 0; M < 256; ++M) {
            for (Cardinal Fa = 0; Fa < 256; ++Fa)
                for (Integer k = 0; k < 16; ++k) {
                    Integer i = static_cast<Integer>(Fa * 16 + k);
                    Src[i] = (RandF[i + M * 4096] & 0x00FFFFFF) | (Fa << 24);
                    Dst[i] = Ref[i] = RandB[i + M * 4096];
                }
            for (Integer i = 0; i < 4096; ++i) {
                ASSERT_EQ(BlendPixelMaster(Src[i], Dst[i], M), BlendPas::BlendPixelMaster(Src[i], Dst[i], M));
                ASSERT_EQ(MergePixelMaster(Src[i], Dst[i], M), BlendPas::MergePixelMaster(Src[i], Dst[i], M));
                TColor32 A = Dst[i], E = Dst[i];
                BlendPixelMasterInPlace(Src[i], A, M);
                BlendPas::BlendPixelMasterInPlace(Src[i], E, M);
                ASSERT_EQ(A, E);
                A = E = Dst[i];
                MergePixelMasterInPlace(Src[i], A, M);
                BlendPas::MergePixelMasterInPlace(Src[i], E, M);
                ASSERT_EQ(A, E);
            }
            std::vector<TColor32> Dst2(Dst.begin(), Dst.begin() + 4096), Ref2(Dst2);
            BlendRowMaster(Src.data(), Dst2.data(), 4096, M);
            BlendPas::BlendRowMaster(Src.data(), Ref2.data(), 4096, M);
            ASSERT_EQ(Dst2, Ref2);
            Dst2.assign(Dst.begin(), Dst.begin() + 4096);
            Ref2 = Dst2;
            MergeRowMaster(Src.data(), Dst2.data(), 4096, M);
            BlendPas::MergeRowMaster(Src.data(), Ref2.data(), 4096, M);
            ASSERT_EQ(Dst2, Ref2);
            Compared += 6 * 4096;
        }

        // Merge: every (Fa, Ba) pair with every (f, b) of the red channel in
        // turn, then the random pixels.
        for (Cardinal Fa = 0; Fa < 256; ++Fa) {
            for (Cardinal Ba = 0; Ba < 256; ++Ba)
                for (Cardinal v = 0; v < 256; ++v) {
                    Integer i = static_cast<Integer>(Ba * 256 + v);
                    Src[i] = (Fa << 24) | (v << 16) | (RandF[i] & 0xFFFF);
                    Dst[i] = Ref[i] = (Ba << 24) | (((v * 7 + Fa) & 0xFF) << 16) | (RandB[i] & 0xFFFF);
                }
            for (Integer i = 0; i < 65536; i += 61) ASSERT_EQ(MergePixel(Src[i], Dst[i]), BlendPas::MergePixel(Src[i], Dst[i]));
            MergeRow(Src.data(), Dst.data(), 65536);
            BlendPas::MergeRow(Src.data(), Ref.data(), 65536);
            ASSERT_EQ(Dst, Ref);
            Compared += 65536;
        }
        for (Integer i = 0; i < RandomCount; ++i) {
            TColor32 F = RandF[i], B = RandB[i];
            ASSERT_EQ(MergePixel(F, B), BlendPas::MergePixel(F, B)) << std::hex << F << " " << B;
            TColor32 A = B, E = B;
            MergePixelInPlace(F, A);
            BlendPas::MergePixelInPlace(F, E);
            ASSERT_EQ(A, E);
        }
        {
            std::vector<TColor32> D(RandB), R(RandB);
            MergeRow(RandF.data(), D.data(), RandomCount);
            BlendPas::MergeRow(RandF.data(), R.data(), RandomCount);
            ASSERT_EQ(D, R);
            D = R = RandB;
            BlendRow(RandF.data(), D.data(), RandomCount);
            BlendPas::BlendRow(RandF.data(), R.data(), RandomCount);
            ASSERT_EQ(D, R);
            D = R = RandB;
            BlendRowMaster(RandF.data(), D.data(), RandomCount, 77);
            BlendPas::BlendRowMaster(RandF.data(), R.data(), RandomCount, 77);
            ASSERT_EQ(D, R);
            Compared += 3 * UInt64(RandomCount) + 2 * UInt64(RandomCount);
        }

        // Colour algebra: every pair of channel values, then random pixels.
        using TOp = TColor32 (*)(TColor32, TColor32);
        struct {
            TBlendReg** Bound;
            TOp Ref;
        } Ops[] = {
            {&ChannelMax, BlendPas::ChannelMax},           {&ChannelMin, BlendPas::ChannelMin},
            {&ChannelAverage, BlendPas::ChannelAverage},   {&ChannelAdd, BlendPas::ChannelAdd},
            {&ChannelSubtract, BlendPas::ChannelSubtract}, {&ChannelDivide, BlendPas::ChannelDivide},
            {&ChannelModulate, BlendPas::ChannelModulate}, {&ChannelDifference, BlendPas::ChannelDifference},
            {&ChannelExclusion, BlendPas::ChannelExclusion},
        };
        for (auto& Op : Ops) {
            for (Cardinal a = 0; a < 256; ++a)
                for (Cardinal b = 0; b < 256; ++b) {
                    TColor32 C1 = a * 0x01010101u, C2 = (b * 0x01010101u) ^ 0x00FF0000u;
                    ASSERT_EQ((*Op.Bound)(C1, C2), Op.Ref(C1, C2)) << std::hex << C1 << " " << C2;
                }
            for (Integer i = 0; i < RandomCount; i += 4) ASSERT_EQ((*Op.Bound)(RandF[i], RandB[i]), Op.Ref(RandF[i], RandB[i]));
            Compared += 65536 + RandomCount / 4;
        }
        for (Cardinal W = 0; W < 300; ++W)
            for (Cardinal c = 0; c < 256; ++c) {
                TColor32 C = c * 0x01010101u ^ 0x0000FF00u;
                ASSERT_EQ(ChannelScale(C, W), BlendPas::ChannelScale(C, W));
            }
        for (Integer Amount = -300; Amount <= 300; ++Amount)
            for (Cardinal c = 0; c < 256; ++c) {
                TColor32 C = c * 0x01010101u ^ 0x0000FF00u;
                ASSERT_EQ(LightenColor(C, Amount), BlendPas::LightenColor(C, Amount));
            }
        Compared += 300 * 256 + 601 * 256;

        // Row tails, odd alignments and Src = Dst.
        for (Integer Offset = 0; Offset < 4; ++Offset)
            for (Integer Count = 0; Count < 40; ++Count) {
                std::vector<TColor32> D(RandB.begin(), RandB.begin() + 48), R(D);
                const TColor32* S = RandF.data() + 100 + Offset;
                MergeRow(S, D.data() + Offset, Count);
                BlendPas::MergeRow(S, R.data() + Offset, Count);
                BlendRow(S, D.data() + Offset, Count);
                BlendPas::BlendRow(S, R.data() + Offset, Count);
                CombineRow(S, D.data() + Offset, Count, 100);
                BlendPas::CombineRow(S, R.data() + Offset, Count, 100);
                MergeRowMaster(S, D.data() + Offset, Count, 200);
                BlendPas::MergeRowMaster(S, R.data() + Offset, Count, 200);
                BlendRowMaster(S, D.data() + Offset, Count, 200);
                BlendPas::BlendRowMaster(S, R.data() + Offset, Count, 200);
                ASSERT_EQ(D, R) << Offset << " " << Count;
                std::vector<TColor32> Self(D), SelfRef(D);
                MergeRow(Self.data(), Self.data(), 48);
                BlendPas::MergeRow(SelfRef.data(), SelfRef.data(), 48);
                BlendRow(Self.data(), Self.data(), 48);
                BlendPas::BlendRow(SelfRef.data(), SelfRef.data(), 48);
                ASSERT_EQ(Self, SelfRef);
                Compared += 5 * Count + 2 * 48;
            }

        std::printf("[ %s ] compared %llu cases with the reference, all equal\n", Sets[s].Name,
                    static_cast<unsigned long long>(Compared));
    }
}
