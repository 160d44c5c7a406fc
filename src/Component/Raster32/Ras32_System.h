// Ras32_System: processor feature detection, processor count, tick count and
// the performance timer of the raster engine.
#pragma once

#include "framework/runtime/System.h"

// The instruction sets an implementation of a bound routine may need.
// ciAVX2 is the engine's own addition for its wide row routines.
enum TCPUInstructionSet : uint8_t { ciMMX, ciEMMX, ciSSE, ciSSE2, ci3DNow, ci3DNowExt, ciAVX2 };

// A set of TCPUInstructionSet in one byte: bit n = instruction set n.
using TCPUFeatures = Byte;
constexpr TCPUFeatures NoCpuFeatures = 0;
constexpr TCPUFeatures CpuFeature(TCPUInstructionSet Set) { return static_cast<TCPUFeatures>(1u << Set); }
constexpr bool HasCpuFeature(TCPUFeatures Features, TCPUInstructionSet Set)
{
    return (Features & CpuFeature(Set)) != 0;
}

// What CPUID tells about the processor; all zero when there is no CPUID.
struct TCpuIdentity {
    bool CpuidAvailable = false;
    Cardinal Signature = 0;          // leaf 1, EAX
    Cardinal FeatureBits = 0;        // leaf 1, EDX
    Cardinal FeatureBitsEcx = 0;     // leaf 1, ECX (AVX, OSXSAVE)
    Cardinal StructuredBitsEbx = 0;  // leaf 7, EBX (AVX2)
    bool ExtendedCpuidAvailable = false;
    Cardinal ExtendedFeatureBits = 0;  // leaf 0x80000001, EDX
    bool OsSavesYmm = false;           // XCR0 has the SSE and AVX state bits
};

bool CpuidAvailable();
Cardinal CpuSignature();
Cardinal CpuFeatureBits();
bool ExtendedCpuidAvailable();
Cardinal ExtendedCpuFeatureBits();

// The identity of the running processor (read once).
const TCpuIdentity& CpuIdentity();
// Whether a processor of that identity supports Set; the rules of CpuSupports.
bool CpuSupportsFor(const TCpuIdentity& Cpu, TCPUInstructionSet Set);
bool CpuSupports(TCPUInstructionSet Set);
void DetectCpuFeatures();
TCPUFeatures GetCpuFeatures();

Integer ProcessorCount();
// Milliseconds of a monotonic clock; wraps after 49.7 days like the platform's tick count.
Cardinal TickCount();

class TPerfTimer : public TObject {
public:
    String ClassName() const override { return u"TPerfTimer"; }
    void Start();
    Int64 ReadValue();          // microseconds since Start
    String ReadNanoseconds();   // the same microsecond count as text (the name is historical)
    String ReadMilliseconds();  // fixed notation, 3 decimals
    String ReadSeconds();       // fixed notation, 3 decimals

private:
    void Stop();
    Int64 FFrequency = 0;
    Int64 FPerformanceCountStart = 0;
    Int64 FPerformanceCountStop = 0;
};
