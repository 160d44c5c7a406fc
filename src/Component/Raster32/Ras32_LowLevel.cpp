#include "Component/Raster32/Ras32_LowLevel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "Component/Raster32/Ras32_Bindings.h"
#include "framework/runtime/SysUtils.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

// ---------------------------------------------------------------------------
// FillDwords

void FillDwords_Pas(Cardinal* Dst, Integer Count, Cardinal Value)
{
    // From the last word down to the first.
    for (Integer i = Count - 1; i >= 0; --i) Dst[i] = Value;
}

void FillDwords_Store(Cardinal* Dst, Integer Count, Cardinal Value)
{
    if (Count > 0) std::fill_n(Dst, Count, Value);
}

#if defined(__SSE2__)

// Fills of more words than this go around the caches: the stores need not
// read the lines first, and a block this size would push everything else out
// anyway.
constexpr Integer StreamingFillDwords = 4 << 20;

void FillDwords_SSE2(Cardinal* Dst, Integer Count, Cardinal Value)
{
    if (Count < 32) {
        FillDwords_Store(Dst, Count, Value);
        return;
    }
    // Single stores up to a 16-byte boundary, then 16 bytes a step, then the tail.
    while ((reinterpret_cast<uintptr_t>(Dst) & 15) != 0) {
        *Dst++ = Value;
        --Count;
    }
    __m128i V = _mm_set1_epi32(static_cast<int>(Value));
    __m128i* P = reinterpret_cast<__m128i*>(Dst);
    Integer Blocks = Count >> 2;
    if (Count >= StreamingFillDwords) {
        for (Integer i = 0; i < Blocks; ++i) _mm_stream_si128(P + i, V);
        _mm_sfence();
    } else {
        for (Integer i = 0; i < Blocks; ++i) _mm_store_si128(P + i, V);
    }
    Dst += Blocks * 4;
    FillDwords_Store(Dst, Count & 3, Value);
}

__attribute__((target("avx2"))) void FillDwords_AVX2(Cardinal* Dst, Integer Count, Cardinal Value)
{
    if (Count < 64) {
        FillDwords_SSE2(Dst, Count, Value);
        return;
    }
    while ((reinterpret_cast<uintptr_t>(Dst) & 31) != 0) {
        *Dst++ = Value;
        --Count;
    }
    __m256i V = _mm256_set1_epi32(static_cast<int>(Value));
    __m256i* P = reinterpret_cast<__m256i*>(Dst);
    Integer Blocks = Count >> 3;
    Integer i = 0;
    if (Count >= StreamingFillDwords) {
        for (; i + 4 <= Blocks; i += 4) {
            _mm256_stream_si256(P + i, V);
            _mm256_stream_si256(P + i + 1, V);
            _mm256_stream_si256(P + i + 2, V);
            _mm256_stream_si256(P + i + 3, V);
        }
        _mm_sfence();
    }
    for (; i + 4 <= Blocks; i += 4) {
        _mm256_store_si256(P + i, V);
        _mm256_store_si256(P + i + 1, V);
        _mm256_store_si256(P + i + 2, V);
        _mm256_store_si256(P + i + 3, V);
    }
    for (; i < Blocks; ++i) _mm256_store_si256(P + i, V);
    Dst += Blocks * 8;
    FillDwords_Store(Dst, Count & 7, Value);
}

#else

void FillDwords_SSE2(Cardinal* Dst, Integer Count, Cardinal Value) { FillDwords_Store(Dst, Count, Value); }
void FillDwords_AVX2(Cardinal* Dst, Integer Count, Cardinal Value) { FillDwords_Store(Dst, Count, Value); }

#endif

// Bound before any dynamic initialisation runs, so a caller during start-up
// gets a correct routine; the registry below then picks the best one.
TFillDwordsProc* FillDwords = FillDwords_Store;

// ---------------------------------------------------------------------------

void MoveDwords(const Cardinal* Src, Cardinal* Dst, Integer Count)
{
    if (Src == Dst || Count <= 0) return;
    std::memmove(Dst, Src, static_cast<size_t>(Count) * sizeof(Cardinal));
}

bool ClipSpan(Integer& A, Integer& B, Integer Start, Integer Stop)
{
    if (B < A) SwapValues(A, B);
    if (A < Start) A = Start;
    if (B >= Stop) B = Stop - 1;
    return B >= A;
}

// The wrap routines work in 64 bits so that no coordinate, however far out,
// overflows.
Integer WrapRange(Integer Value, Integer Min, Integer Max)
{
    Int64 D = static_cast<Int64>(Max) - Min + 1;
    if (D <= 0) return Min;
    if (Value < Min) return static_cast<Integer>(Max + (static_cast<Int64>(Value) - Max) % D);
    return static_cast<Integer>(Min + (static_cast<Int64>(Value) - Min) % D);
}

Integer MirrorRange(Integer Value, Integer Min, Integer Max)
{
    Int64 D = static_cast<Int64>(Max) - Min + 1;
    if (D <= 0) return Min;
    Int64 Q, R;
    if (Value < Min) {
        Int64 N = static_cast<Int64>(Value) - Max;
        Q = N / D;
        R = N % D + Max;
    } else {
        Int64 N = static_cast<Int64>(Value) - Min;
        Q = N / D;
        R = N % D + Min;
    }
    return static_cast<Integer>((Q & 1) != 0 ? Min + Max - R : R);
}

Integer WrapRangePow2(Integer Value, Integer Min, Integer Max)
{
    Cardinal Mask = static_cast<Cardinal>(Max) - static_cast<Cardinal>(Min);
    return static_cast<Integer>(static_cast<Cardinal>(Min) +
                                ((static_cast<Cardinal>(Value) - static_cast<Cardinal>(Min)) & Mask));
}

Integer MirrorRangePow2(Integer Value, Integer Min, Integer Max)
{
    Cardinal Mask = static_cast<Cardinal>(Max) - static_cast<Cardinal>(Min);
    Cardinal Offset = static_cast<Cardinal>(Value) - static_cast<Cardinal>(Min);
    Cardinal T = Offset & Mask;
    if ((Offset & (Mask + 1)) != 0) return static_cast<Integer>(static_cast<Cardinal>(Max) - T);
    return static_cast<Integer>(static_cast<Cardinal>(Min) + T);
}

Single WrapFloat(Single Value, Single Max)
{
    if (!(Max > 0)) return 0;  // no range to wrap into (and no endless loop)
    while (Value >= Max) Value -= Max;
    while (Value < 0) Value += Max;
    return Value;
}

Integer DivRem(Integer Dividend, Integer Divisor, Integer& Remainder)
{
    if (Divisor == 0) throw EInvalidArgument(u"Division by zero");
    // In 64 bits: the lowest Integer divided by -1 has no 32-bit quotient.
    Remainder = static_cast<Integer>(static_cast<Int64>(Dividend) % Divisor);
    return static_cast<Integer>(static_cast<Int64>(Dividend) / Divisor);
}

TWrapProcEx WrapProcFor(TWrapMode Mode)
{
    switch (Mode) {
    case wmRepeat: return WrapRange;
    case wmMirror: return MirrorRange;
    default: return ClampRange;
    }
}

TWrapProcEx OptimalWrapProcFor(TWrapMode Mode, Integer Min, Integer Max)
{
    if (Min >= 0 && Max >= Min) {
        Cardinal Span = static_cast<Cardinal>(Max - Min);
        if ((Span & (Span + 1)) == 0) {
            if (Mode == wmRepeat) return WrapRangePow2;
            if (Mode == wmMirror) return MirrorRangePow2;
        }
    }
    return WrapProcFor(Mode);
}

// ---------------------------------------------------------------------------
// Bindings

namespace {

void RegisterLowLevelBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"Ras32_LowLevel bindings");
    Registry->RegisterBinding(0, &FillDwords);
    Registry->Add(0, FillDwords_Pas);
    Registry->Add(0, FillDwords_Store);
#if defined(__SSE2__)
    Registry->Add(0, FillDwords_SSE2, CpuFeature(ciSSE2));
    Registry->Add(0, FillDwords_AVX2, CpuFeature(ciAVX2));
#endif
    Registry->RebindAll();
}

const bool GLowLevelBound = (RegisterLowLevelBindings(), true);

}  // namespace
