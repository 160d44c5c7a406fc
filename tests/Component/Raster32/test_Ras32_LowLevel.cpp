// Processor features, function registries, the low-level span and wrap
// routines and the fixed-point helpers.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "Component/Raster32/Ras32_Bindings.h"
#include "Component/Raster32/Ras32_LowLevel.h"
#include "Component/Raster32/Ras32_Math.h"
#include "Component/Raster32/Ras32_System.h"
#include "framework/runtime/SysUtils.h"

TEST(Ras32_System, FeatureRules)
{
    TCpuIdentity None;
    for (int s = ciMMX; s <= ciAVX2; ++s) EXPECT_FALSE(CpuSupportsFor(None, TCPUInstructionSet(s)));

    TCpuIdentity Pentium;  // family 5, MMX only
    Pentium.CpuidAvailable = true;
    Pentium.Signature = 0x543;
    Pentium.FeatureBits = 0x00800000;
    EXPECT_TRUE(CpuSupportsFor(Pentium, ciMMX));
    EXPECT_FALSE(CpuSupportsFor(Pentium, ciEMMX));
    EXPECT_FALSE(CpuSupportsFor(Pentium, ciSSE));

    TCpuIdentity Old = Pentium;  // family 4 reports nothing
    Old.Signature = 0x480;
    EXPECT_FALSE(CpuSupportsFor(Old, ciMMX));

    TCpuIdentity Sse = Pentium;  // SSE implies the MMX extensions
    Sse.Signature = 0x6F0;
    Sse.FeatureBits = 0x06800000;
    EXPECT_TRUE(CpuSupportsFor(Sse, ciEMMX));
    EXPECT_TRUE(CpuSupportsFor(Sse, ciSSE2));
    EXPECT_FALSE(CpuSupportsFor(Sse, ci3DNow));  // needs the extended leaf

    TCpuIdentity Amd = Pentium;
    Amd.ExtendedCpuidAvailable = true;
    Amd.ExtendedFeatureBits = 0xC0400000;
    EXPECT_TRUE(CpuSupportsFor(Amd, ciEMMX));
    EXPECT_TRUE(CpuSupportsFor(Amd, ci3DNow));
    EXPECT_TRUE(CpuSupportsFor(Amd, ci3DNowExt));

    TCpuIdentity Avx2 = Sse;  // AVX2 also needs the system to save the YMM registers
    Avx2.FeatureBitsEcx = 1u << 28;
    Avx2.StructuredBitsEbx = 1u << 5;
    EXPECT_FALSE(CpuSupportsFor(Avx2, ciAVX2));
    Avx2.OsSavesYmm = true;
    EXPECT_TRUE(CpuSupportsFor(Avx2, ciAVX2));

    // The running processor: the feature set agrees with the rules.
    for (int s = ciMMX; s <= ciAVX2; ++s)
        EXPECT_EQ(HasCpuFeature(GetCpuFeatures(), TCPUInstructionSet(s)), CpuSupports(TCPUInstructionSet(s)));
    EXPECT_GE(ProcessorCount(), 1);
}

TEST(Ras32_System, PerfTimer)
{
    TPerfTimer Timer;
    Timer.Start();
    Int64 Us = Timer.ReadValue();
    EXPECT_GE(Us, 0);
    EXPECT_NE(Timer.ReadMilliseconds().find(u'.'), String::npos);
    EXPECT_EQ(Timer.ReadSeconds().size() - Timer.ReadSeconds().find(u'.'), 4u);
}

namespace {
int Proc1() { return 1; }
int Proc2() { return 2; }
int Proc3() { return 3; }
}  // namespace

TEST(Ras32_Bindings, FindFunctionAndRebind)
{
    TFunctionRegistry Registry;
    int (*Bound)() = nullptr;
    int (*Other)() = nullptr;
    Registry.RegisterBinding(7, &Bound);
    Registry.RegisterBinding(8, &Other);
    Registry.Add(7, Proc1);
    Registry.Add(7, Proc2);  // same priority, added later: wins
    Registry.Add(8, Proc3, 0x80);  // needs a set no processor has
    EXPECT_EQ(reinterpret_cast<int (*)()>(Registry.FindFunction(7)), Proc2);
    EXPECT_EQ(Registry.FindFunction(8), nullptr);
    EXPECT_EQ(Registry.FindFunction(9), nullptr);

    Registry.RebindAll();
    ASSERT_NE(Bound, nullptr);
    EXPECT_EQ(Bound(), 2);
    EXPECT_EQ(Other, nullptr);

    // A priority callback: lower is better, the unusable value never binds.
    Registry.Rebind(7, [](const TFunctionInfo& Info) {
        return reinterpret_cast<int (*)()>(Info.Proc) == Proc1 ? 5 : 9;
    });
    EXPECT_EQ(Bound(), 1);
    Registry.Rebind(7, [](const TFunctionInfo&) { return UnusablePriority; });
    EXPECT_EQ(Bound, nullptr);

    Registry.Clear();
    EXPECT_EQ(Registry.ItemCount(), 0);
    EXPECT_EQ(Registry.BindingCount(), 0);
}

TEST(Ras32_Bindings, UnitsRegisterTheirRegistries)
{
    bool LowLevel = false;
    for (auto& R : FunctionRegistries()) LowLevel |= R->Name() == u"Ras32_LowLevel bindings";
    EXPECT_TRUE(LowLevel);
    // The test switch binds the portable form, and back.
    BindForCpuFeatures(NoCpuFeatures);
    EXPECT_EQ(FillDwords, FillDwords_Store);  // the string store beats the plain loop
    BindForProcessor();
    if (CpuSupports(ciAVX2)) {
        EXPECT_EQ(FillDwords, FillDwords_AVX2);
    } else if (CpuSupports(ciSSE2)) {
        EXPECT_EQ(FillDwords, FillDwords_SSE2);
    }
}

TEST(Ras32_LowLevel, FillDwordsEveryForm)
{
    TFillDwordsProc* Forms[] = {FillDwords_Pas, FillDwords_Store, FillDwords_SSE2, FillDwords_AVX2};
    int FormCount = CpuSupports(ciAVX2) ? 4 : 3;
    Integer Compared = 0;
    for (int f = 0; f < FormCount; ++f)
        for (Integer Offset = 0; Offset < 8; ++Offset)
            for (Integer Count : {0, 1, 3, 4, 31, 32, 33, 63, 64, 65, 100, 257}) {
                std::vector<Cardinal> Buf(300, 0xDEADBEEF);
                Forms[f](Buf.data() + Offset, Count, 0x12345678);
                for (Integer i = 0; i < 300; ++i) {
                    bool Inside = i >= Offset && i < Offset + Count;
                    ASSERT_EQ(Buf[i], Inside ? 0x12345678u : 0xDEADBEEFu) << f << " " << Offset << " " << Count;
                }
                ++Compared;
            }
    // Large fills take another path (around the caches) in the SIMD forms.
    std::vector<Cardinal> Big((4 << 20) + 40, 0xDEADBEEF);
    for (int f = 2; f < FormCount; ++f) {
        Big.assign(Big.size(), 0xDEADBEEF);
        Forms[f](Big.data() + 3, (4 << 20) + 33, 0xA5A5A5A5);
        for (size_t i = 0; i < Big.size(); ++i)
            ASSERT_EQ(Big[i], (i >= 3 && i < (4u << 20) + 36) ? 0xA5A5A5A5u : 0xDEADBEEFu) << f << " " << i;
        ++Compared;
    }
    std::printf("compared %d fills\n", Compared);
}

TEST(Ras32_LowLevel, MoveClipConstrain)
{
    Cardinal A[4] = {1, 2, 3, 4}, B[4] = {};
    MoveDwords(A, B, 3);
    EXPECT_EQ(B[2], 3u);
    EXPECT_EQ(B[3], 0u);
    MoveDwords(A, A, 4);
    Integer x = 1, y = 2;
    SwapValues(x, y);
    EXPECT_EQ(x, 2);

    Integer a = 9, b = -3;
    EXPECT_TRUE(ClipSpan(a, b, 0, 5));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 4);
    a = 7, b = 9;
    EXPECT_FALSE(ClipSpan(a, b, 0, 5));

    EXPECT_EQ(ConstrainLow(-1, 0, 9), 0);
    EXPECT_EQ(ConstrainLow(12, 0, 9), 9);
    EXPECT_EQ(ConstrainUnordered(12, 9, 0), 9);
    EXPECT_EQ(ClampRange(5, 0, 3), 3);
    EXPECT_EQ(ClampByte(-4), 0);
    EXPECT_EQ(ClampByte(300), 255);
    EXPECT_EQ(MaxOf3(1, 7, 3), 7);
    EXPECT_EQ(MinOf3(4, 7, -3), -3);
}

TEST(Ras32_LowLevel, WrapAndMirror)
{
    EXPECT_EQ(WrapRange(-1, 0, 9), 9);
    EXPECT_EQ(WrapRange(10, 0, 9), 0);
    EXPECT_EQ(WrapRange(-11, 0, 9), 9);
    EXPECT_EQ(WrapRange(25, 5, 9), 5);
    EXPECT_EQ(MirrorRange(10, 0, 9), 9);
    EXPECT_EQ(MirrorRange(-1, 0, 9), 0);
    EXPECT_EQ(MirrorRange(-2, 0, 9), 1);
    EXPECT_EQ(MirrorRange(21, 0, 9), 1);
    // The power-of-two forms agree with the general ones on their ranges.
    for (Integer v = -40; v < 40; ++v) {
        EXPECT_EQ(WrapRangePow2(v, 0, 7), WrapRange(v, 0, 7)) << v;
        EXPECT_EQ(MirrorRangePow2(v, 0, 7), MirrorRange(v, 0, 7)) << v;
        EXPECT_EQ(WrapRangePow2(v, 8, 15), WrapRange(v, 8, 15)) << v;
    }
    // Far-out values and empty ranges neither overflow nor divide by zero.
    EXPECT_EQ(WrapRange(INT32_MIN, 0, 9), WrapRange(INT32_MIN % 10 + 10, 0, 9));
    EXPECT_EQ(MirrorRange(INT32_MAX, 0, 0), 0);
    EXPECT_EQ(WrapRange(5, 0, -1), 0);
    EXPECT_EQ(MirrorRange(5, 3, 2), 3);

    EXPECT_EQ(OptimalWrapProcFor(wmRepeat, 0, 7), WrapRangePow2);
    EXPECT_EQ(OptimalWrapProcFor(wmRepeat, 0, 6), WrapRange);
    EXPECT_EQ(OptimalWrapProcFor(wmMirror, 0, 15), MirrorRangePow2);
    EXPECT_EQ(OptimalWrapProcFor(wmClamp, 0, 7), ClampRange);
    EXPECT_EQ(WrapProcFor(wmMirror), MirrorRange);

    EXPECT_FLOAT_EQ(WrapFloat(7.5f, 3), 1.5f);
    EXPECT_FLOAT_EQ(WrapFloat(-0.5f, 3), 2.5f);

    Integer R;
    EXPECT_EQ(DivRem(-7, 2, R), -3);
    EXPECT_EQ(R, -1);
    EXPECT_EQ(DivRem(INT32_MIN, -1, R), INT32_MIN);  // no trap
    EXPECT_THROW(DivRem(1, 0, R), EInvalidArgument);
}

TEST(Ras32_LowLevel, ByteDivisions)
{
    for (Cardinal v = 0; v <= 255 * 255; ++v) ASSERT_EQ(DivBy255(v), Integer(v / 255)) << v;
    EXPECT_EQ(DivTrunc256(-1), 0);
    EXPECT_EQ(DivTrunc256(-256), -1);
    EXPECT_EQ(DivTrunc256(511), 1);
    EXPECT_EQ(DivTrunc512(-513), -1);
}

TEST(Ras32_Math, FixedPoint)
{
    EXPECT_EQ(FixedFloorInt(-0x8000), -1);
    EXPECT_EQ(FixedCeilInt(0x10001), 2);
    EXPECT_EQ(FixedCeilInt(0x7FFFFFFF), 0x8000);  // no overflow near the top
    EXPECT_EQ(FixedRoundInt(0x8000), 0);  // a half rounds down
    EXPECT_EQ(FixedRoundInt(0x8001), 1);
    EXPECT_EQ(FixedMultiply(0x18000, -0x20000), -0x30000);
    EXPECT_EQ(FixedDivide(0x30000, 0x20000), 0x18000);
    EXPECT_EQ(FixedDivide(-0x10000, 0x30000), -0x5555);  // truncated toward zero
    EXPECT_THROW(FixedDivide(1, 0), EInvalidArgument);
    EXPECT_EQ(FixedLerp(0x4000, 0x40000, 0), 0x10000);
    EXPECT_EQ(FixedLerp(0x8000, 0, 0x20000), 0x10000);
}

TEST(Ras32_Math, IntegerAndTrigonometry)
{
    EXPECT_EQ(MulDivRounded(5, 1, 2), 3);
    EXPECT_EQ(MulDivRounded(-5, 1, 2), -3);
    EXPECT_EQ(MulDivRounded(5, -1, -2), 3);
    EXPECT_EQ(MulDivRounded(7, 3, 4), 5);
    EXPECT_EQ(MulDivRounded(1, 1, 0), -1);
    EXPECT_EQ(MulDivRounded(0x40000000, 4, 1), -1);  // overflow
    EXPECT_EQ(MulDivRounded(INT32_MIN, 1, 1), INT32_MIN);
    EXPECT_EQ(HypotRounded(3, 4), 5);
    EXPECT_EQ(HypotRounded(1, 1), 1);
    EXPECT_FLOAT_EQ(HypotFloat(3, 4), 5);
    Single S, C;
    SinCosOf(0, S, C);
    EXPECT_FLOAT_EQ(C, 1);
    SinCosScaled(1.5707963f, 2, S, C);
    EXPECT_FLOAT_EQ(S, 2);
}
