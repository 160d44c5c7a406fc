#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "FilterTestUtils.h"
#include "filters/Ras32_BlendModes.h"
#include "filters/Ras32_BlendModes_Variants.h"

namespace {

// The modes written out from their definitions, one channel at a time.
Integer Target(Integer Mode, Integer f, Integer b)
{
    auto Min255 = [](Integer V) { return std::min(V, 255); };
    switch (Mode) {
    case 1: return (b * f) >> 8;
    case 2: return 255 - (((255 - b) * (255 - f)) >> 8);
    case 3: return b >= 128 ? 255 - ((255 - b) * (255 - f)) / 128 : (b * f) >> 7;
    case 4: return f == 255 ? 255 : Min255(b * b / (255 - f));
    case 5: {
        Integer m = (b * f) >> 8, s = 255 - (((255 - b) * (255 - f)) >> 8);
        return m + (((s - m) * b) >> 8);
    }
    case 6: return static_cast<Integer>(std::lround(std::sqrt(static_cast<double>(f * b))));
    case 7: return f >= 128 ? 255 - ((255 - f) * (255 - b)) / 128 : (b * f) >> 7;
    case 8: return f == 255 ? 255 : Min255(b * 256 / (255 - f));
    case 9: return f == 0 ? 0 : std::max(255 - (256 * (255 - b)) / f, 0);
    case 10: return std::max(f, b);
    case 11: return std::min(f, b);
    case 12: return Min255(f + b);
    case 13: return std::max(f + b - 256, 0);
    case 14: return (f + b) >> 1;
    case 15: return std::abs(b - f);
    case 16: return b + f - ((b * f) >> 7);
    case 17: return 255 - std::abs(255 - b - f);
    case 18: return b == 255 ? 255 : Min255(f * f / (255 - b));
    case 19: return b == 0 ? 0 : 255 - Min255((255 - f) * (255 - f) / b);
    case 20: return f == 0 ? 0 : 255 - Min255((255 - b) * (255 - b) / f);
    default: return f;
    }
}

TColor32 Reference(Integer Mode, TColor32 F, TColor32 B, Cardinal M)
{
    if (Mode == 0 && F == B) return B;
    const Integer c = static_cast<Integer>(((M & 255) * (F >> 24)) >> 8);
    if (c == 0) return B;
    TColor32 X = 0;  // the three targets as a colour
    if (Mode >= 24 && Mode <= 26) {
        Single Hf, Sf, Lf, Hb, Sb, Lb;
        Color32ToHSL(F, Hf, Sf, Lf);
        Color32ToHSL(B, Hb, Sb, Lb);
        X = Mode == 24 ? HSLToColor32(Hf, Sb, Lb) : Mode == 25 ? HSLToColor32(Hb, Sf, Lb) : HSLToColor32(Hb, Sb, Lf);
    }
    TColor32 Out = B & 0xFF000000;
    for (Integer Shift = 0; Shift <= 16; Shift += 8) {
        const Integer f = (F >> Shift) & 0xFF, b = (B >> Shift) & 0xFF;
        Integer V;
        if (Mode == 0) {
            V = (f * c + b * (256 - c)) >> 8;
        } else if (Mode == 18) {
            V = (c * Target(18, f, b) + (255 - c) * b) >> 8;
        } else if (Mode >= 21 && Mode <= 23) {
            const Integer Own = Mode == 21 ? 16 : Mode == 22 ? 8 : 0;
            V = Shift == Own ? b + static_cast<Integer>(std::floor((f - b) * c / 256.0)) : b;
        } else {
            const Integer T = (Mode >= 24 && Mode <= 26) ? static_cast<Integer>((X >> Shift) & 0xFF) : Target(Mode, f, b);
            V = b + static_cast<Integer>(std::floor((T - b) * c / 256.0));
        }
        Out |= static_cast<TColor32>(V) << Shift;
    }
    return Out;
}

}  // namespace

class BlendModeVariants : public VariantTest {};

TEST_F(BlendModeVariants, EveryModeMatchesItsDefinition)
{
    Integer Compared = 0;
    for (const TVariantSet& Set : RunnableVariantSets()) {
        BindForCpuFeatures(Set.Features);
        SCOPED_TRACE(Set.Name);
        std::mt19937 Rng(11);
        const Cardinal Masters[] = {255, 100, 300};
        for (Integer Mode = 0; Mode < BlendModeCount; ++Mode) {
#if defined(LM_RAS32_BLENDMODES_SSE2)
            // The vector sets bind rows of their own for the arithmetic modes and
            // HSL rows for the hue, saturation and lightness modes.
            if (Set.Features != NoCpuFeatures && !BlendModesSSE2::Rows[Mode] && (Mode < 24 || Mode > 26)) continue;
#endif
            // Every channel pair, at a few weights (alpha), and random pixels.
            std::vector<TColor32> Fs, Bs;
            for (Integer f = 0; f < 256; ++f)
                for (Integer b = 0; b < 256; b += (Mode >= 24 && Mode <= 26) ? 17 : 1) {
                    const Integer Alpha = (f * 7 + b) % 4 == 0 ? 255 : (f * 31 + b * 3) & 0xFF;
                    Fs.push_back(static_cast<TColor32>(Alpha) << 24 | static_cast<TColor32>(f) * 0x010101u);
                    Bs.push_back(static_cast<TColor32>(b) << 24 | static_cast<TColor32>(b) * 0x010101u);
                }
            for (Integer I = 0; I < 4000; ++I) {
                Fs.push_back(Rng());
                Bs.push_back(Rng());
            }
            const size_t Pairs = Fs.size() - 4000;
            for (Cardinal M : Masters) {
                std::vector<TColor32> Row(Bs);
                BlendModeRows[Mode](Fs.data(), Row.data(), static_cast<Integer>(Fs.size()) - 1, M);  // odd count: a tail
                // Every channel pair at the full master alpha, the random pixels at all.
                for (size_t I = M == 255 ? 0 : Pairs; I < Fs.size(); ++I) {
                    const TColor32 Expected = Reference(Mode, Fs[I], Bs[I], M);
                    TColor32 Got = Bs[I];
                    BlendModeProcs[Mode](Fs[I], Got, M);
                    ASSERT_EQ(Got, Expected) << "mode " << Mode << " F " << std::hex << Fs[I] << " B " << Bs[I] << " M "
                                             << std::dec << M;
                    if (I + 1 < Fs.size()) ASSERT_EQ(Row[I], Expected) << "row form, mode " << Mode;
                    ++Compared;
                }
            }
        }
    }
    std::printf("compared %d pixels\n", Compared);
}

TEST(Ras32BlendModes, Examples)
{
    // Normal of opaque white over black at M 255: c = 254, so 253; B's alpha stays.
    TColor32 B = 0x80000000;
    BlendNormal(0xFFFFFFFF, B, 255);
    EXPECT_EQ(B, 0x80FDFDFDu);
    // Normal with F identical to B does nothing, even at M 0.
    B = 0x12345678;
    BlendNormal(0x12345678, B, 0);
    EXPECT_EQ(B, 0x12345678u);
    // Subtractive targets 0 (128 over 128) and 44 (200 over 100) at c = 254.
    B = 0xFF808080;
    BlendSubtractive(0xFF808080, B, 255);
    EXPECT_EQ(B & 0xFF, static_cast<TColor32>(128 + std::floor((0 - 128) * 254 / 256.0)));
    B = 0xFF646464;
    BlendSubtractive(0xFFC8C8C8, B, 255);
    EXPECT_EQ(B & 0xFF, static_cast<TColor32>(100 + std::floor((44 - 100) * 254 / 256.0)));
}

TEST(Ras32BlendModes, TransparentForegroundOrZeroMasterChangesNothing)
{
    for (Integer Mode = 0; Mode < BlendModeCount; ++Mode) {
        TColor32 B = 0x7F102030;
        BlendModeProcs[Mode](0x00FFFFFF, B, 255);
        EXPECT_EQ(B, 0x7F102030u) << Mode;
        BlendModeProcs[Mode](0xFFFFFFFF, B, 0);
        EXPECT_EQ(B, 0x7F102030u) << Mode;
        BlendModeProcs[Mode](0xFF0000FF, B, 255);
        EXPECT_EQ(B >> 24, 0x7Fu) << Mode;
    }
}

TEST(Ras32BlendModes, NamesAndGetBlendProc)
{
    std::unique_ptr<TStringList> Names(GetBlendModeNames());
    ASSERT_EQ(Names->Count(), 28);
    EXPECT_EQ(Names->Strings(0), u"Normal");
    EXPECT_EQ(Names->Strings(5), u"Soft Light");
    EXPECT_EQ(Names->Strings(27), u"Custom BlendMap");

    TPixelCombineEvent Event;
    GetBlendProc(1, Event);
    ASSERT_TRUE(Event);
    TColor32 B = 0xFF808080;
    Event(0xFF808080, B, 255);
    TColor32 Expected = 0xFF808080;
    BlendMultiply(0xFF808080, Expected, 255);
    EXPECT_EQ(B, Expected);
    GetBlendProc(28, Event);
    EXPECT_TRUE(Event);
    GetBlendProc(-2, Event);
    EXPECT_TRUE(Event);
    GetBlendProc(-1, Event);
    EXPECT_FALSE(Event);
}

TEST(Ras32BlendModes, Tables)
{
    EXPECT_EQ(BlendModeSqrtTable[0], 0);
    EXPECT_EQ(BlendModeSqrtTable[2], 1);
    EXPECT_EQ(BlendModeSqrtTable[65025], 255);
    EXPECT_EQ(CustomBlendMap[0x12][0xFF], 0x00121212u);
}
