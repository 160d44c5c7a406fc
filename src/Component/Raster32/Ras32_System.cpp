#include "Component/Raster32/Ras32_System.h"

#include <chrono>
#include <thread>

#include "framework/runtime/SysUtils.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#define LM_RAS32_X86 1
#endif

namespace {

// Leaf-1 EDX masks, and the extended-leaf masks of the AMD extensions.
constexpr Cardinal MaskMMX = 0x00800000;
constexpr Cardinal MaskSSE = 0x02000000;
constexpr Cardinal MaskSSE2 = 0x04000000;
constexpr Cardinal MaskEMMX = 0x00400000;      // 0x80000001 EDX
constexpr Cardinal Mask3DNow = 0x80000000;     // 0x80000001 EDX
constexpr Cardinal Mask3DNowExt = 0x40000000;  // 0x80000001 EDX
constexpr Cardinal MaskOSXSAVE = 1u << 27;     // leaf 1 ECX
constexpr Cardinal MaskAVX = 1u << 28;         // leaf 1 ECX
constexpr Cardinal MaskAVX2 = 1u << 5;         // leaf 7 EBX

TCpuIdentity ReadCpuIdentity()
{
    TCpuIdentity Cpu;
#ifdef LM_RAS32_X86
    unsigned a = 0, b = 0, c = 0, d = 0;
    // __get_cpuid_max tests the identification flag on 32-bit processors.
    unsigned MaxLeaf = __get_cpuid_max(0, nullptr);
    if (MaxLeaf == 0) return Cpu;
    Cpu.CpuidAvailable = true;
    __cpuid(1, a, b, c, d);
    Cpu.Signature = a;
    Cpu.FeatureBits = d;
    Cpu.FeatureBitsEcx = c;
    if (MaxLeaf >= 7) {
        __cpuid_count(7, 0, a, b, c, d);
        Cpu.StructuredBitsEbx = b;
    }
    if ((Cpu.FeatureBitsEcx & MaskOSXSAVE) != 0) {
        unsigned Lo = 0, Hi = 0;
        // xgetbv with ECX = 0 reads XCR0; written as bytes so that no target flag is needed.
        __asm__ volatile(".byte 0x0f, 0x01, 0xd0" : "=a"(Lo), "=d"(Hi) : "c"(0));
        (void)Hi;
        Cpu.OsSavesYmm = (Lo & 6) == 6;
    }
    unsigned MaxExt = __get_cpuid_max(0x80000000, nullptr);
    Cpu.ExtendedCpuidAvailable = MaxExt > 0x80000000;
    if (Cpu.ExtendedCpuidAvailable) {
        __cpuid(0x80000001, a, b, c, d);
        Cpu.ExtendedFeatureBits = d;
    }
#endif
    return Cpu;
}

TCPUFeatures GFeatures = 0;
bool GDetected = false;

Int64 CounterNow()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr Int64 CounterFrequency = 1000000000;  // the counter counts nanoseconds

}  // namespace

const TCpuIdentity& CpuIdentity()
{
    static const TCpuIdentity Cpu = ReadCpuIdentity();
    return Cpu;
}

bool CpuidAvailable() { return CpuIdentity().CpuidAvailable; }
Cardinal CpuSignature() { return CpuIdentity().Signature; }
Cardinal CpuFeatureBits() { return CpuIdentity().FeatureBits; }
bool ExtendedCpuidAvailable() { return CpuIdentity().ExtendedCpuidAvailable; }
Cardinal ExtendedCpuFeatureBits() { return CpuIdentity().ExtendedFeatureBits; }

bool CpuSupportsFor(const TCpuIdentity& Cpu, TCPUInstructionSet Set)
{
    if (!Cpu.CpuidAvailable || ((Cpu.Signature >> 8) & 0xF) < 5) return false;
    switch (Set) {
    case ciMMX: return (Cpu.FeatureBits & MaskMMX) != 0;
    case ciEMMX:
        // SSE implies the MMX extensions.
        if ((Cpu.FeatureBits & MaskSSE) != 0) return true;
        return Cpu.ExtendedCpuidAvailable && (Cpu.ExtendedFeatureBits & MaskEMMX) != 0;
    case ciSSE: return (Cpu.FeatureBits & MaskSSE) != 0;
    case ciSSE2: return (Cpu.FeatureBits & MaskSSE2) != 0;
    case ci3DNow: return Cpu.ExtendedCpuidAvailable && (Cpu.ExtendedFeatureBits & Mask3DNow) != 0;
    case ci3DNowExt: return Cpu.ExtendedCpuidAvailable && (Cpu.ExtendedFeatureBits & Mask3DNowExt) != 0;
    case ciAVX2:
        // The processor must have it and the system must save the YMM registers.
        return (Cpu.FeatureBitsEcx & MaskAVX) != 0 && Cpu.OsSavesYmm &&
               (Cpu.StructuredBitsEbx & MaskAVX2) != 0;
    }
    return false;
}

bool CpuSupports(TCPUInstructionSet Set) { return CpuSupportsFor(CpuIdentity(), Set); }

void DetectCpuFeatures()
{
    if (GDetected) return;
    TCPUFeatures Features = 0;
    for (int s = ciMMX; s <= ciAVX2; ++s)
        if (CpuSupports(static_cast<TCPUInstructionSet>(s))) Features |= CpuFeature(static_cast<TCPUInstructionSet>(s));
    GFeatures = Features;
    GDetected = true;
}

TCPUFeatures GetCpuFeatures()
{
    DetectCpuFeatures();
    return GFeatures;
}

Integer ProcessorCount()
{
    unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : static_cast<Integer>(n);
}

Cardinal TickCount() { return static_cast<Cardinal>(CounterNow() / 1000000); }

// ---------------------------------------------------------------------------
// TPerfTimer

void TPerfTimer::Start() { FPerformanceCountStart = CounterNow(); }

void TPerfTimer::Stop()
{
    FPerformanceCountStop = CounterNow();
    FFrequency = CounterFrequency;
}

Int64 TPerfTimer::ReadValue()
{
    Stop();
    Assert(FFrequency > 0);
    Int64 Delta = FPerformanceCountStop - FPerformanceCountStart;
    return Round(static_cast<Extended>(Delta) * 1000000 / FFrequency);
}

String TPerfTimer::ReadNanoseconds() { return IntToStr(ReadValue()); }

String TPerfTimer::ReadMilliseconds()
{
    Stop();
    Assert(FFrequency > 0);
    Int64 Delta = FPerformanceCountStop - FPerformanceCountStart;
    return FloatToStrF(static_cast<Extended>(Delta) * 1000 / FFrequency, ffFixed, 15, 3);
}

String TPerfTimer::ReadSeconds()
{
    Stop();
    Int64 Delta = FPerformanceCountStop - FPerformanceCountStart;
    return FloatToStrF(static_cast<Extended>(Delta) / FFrequency, ffFixed, 15, 3);
}

// The processor is examined as the unit starts, before any routine is bound.
static const bool GCpuDetectedAtStart = (DetectCpuFeatures(), true);
