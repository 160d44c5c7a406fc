// Ras32_LowLevel: span fill and copy, clamping, wrapping and small integer
// helpers. FillDwords is bound through "Ras32_LowLevel bindings" (id 0).
#pragma once

#include "Component/Raster32/Ras32_Types.h"

// Stores Value into Count consecutive 32-bit words from Dst; Count <= 0 stores nothing.
using TFillDwordsProc = void(Cardinal* Dst, Integer Count, Cardinal Value);
extern TFillDwordsProc* FillDwords;

// The implementations behind FillDwords, in order of registration (for the
// comparison tests and the benchmarks).
void FillDwords_Pas(Cardinal* Dst, Integer Count, Cardinal Value);
void FillDwords_Store(Cardinal* Dst, Integer Count, Cardinal Value);
void FillDwords_SSE2(Cardinal* Dst, Integer Count, Cardinal Value);
void FillDwords_AVX2(Cardinal* Dst, Integer Count, Cardinal Value);

// Copies Count words forward; the areas must not overlap with Dst above Src.
void MoveDwords(const Cardinal* Src, Cardinal* Dst, Integer Count);

template <class T>
inline void SwapValues(T& A, T& B)
{
    T C = A;
    A = B;
    B = C;
}

// Orders A <= B, raises A to Start and lowers B to Stop - 1; true when B >= A afterwards.
bool ClipSpan(Integer& A, Integer& B, Integer Start, Integer Stop);
inline Integer ConstrainLow(Integer Value, Integer Lo, Integer Hi)
{
    return Value < Lo ? Lo : (Value < Hi ? Value : Hi);
}
inline Integer ConstrainUnordered(Integer Value, Integer Bound1, Integer Bound2)
{
    if (Bound2 < Bound1) SwapValues(Bound1, Bound2);
    return ConstrainLow(Value, Bound1, Bound2);
}
inline Integer ClampRange(Integer Value, Integer Min, Integer Max)
{
    return Value > Max ? Max : (Value < Min ? Min : Value);
}
inline Integer ClampByte(Integer Value) { return Value > 255 ? 255 : (Value < 0 ? 0 : Value); }
inline Integer MaxOf3(Integer A, Integer B, Integer C)
{
    Integer M = A > B ? A : B;
    return M > C ? M : C;
}
inline Integer MinOf3(Integer A, Integer B, Integer C)
{
    Integer M = A < B ? A : B;
    return M < C ? M : C;
}

// Coordinate wrapping into Min..Max (both inclusive). A range with Max < Min
// has no coordinate to give: the wrap routines then answer Min.
using TWrapProcEx = Integer (*)(Integer Value, Integer Min, Integer Max);
Integer WrapRange(Integer Value, Integer Min, Integer Max);
Integer MirrorRange(Integer Value, Integer Min, Integer Max);
// For ranges whose length is a power of two (Min >= 0).
Integer WrapRangePow2(Integer Value, Integer Min, Integer Max);
Integer MirrorRangePow2(Integer Value, Integer Min, Integer Max);
// Into 0 <= result < Max; Max must be positive.
Single WrapFloat(Single Value, Single Max);

// Quotient and remainder, both truncated toward zero.
Integer DivRem(Integer Dividend, Integer Divisor, Integer& Remainder);

TWrapProcEx WrapProcFor(TWrapMode Mode);
TWrapProcEx OptimalWrapProcFor(TWrapMode Mode, Integer Min, Integer Max);

// Value / 255, exact for every product of two bytes: (Value * 0x8081) shr 23.
inline Integer DivBy255(Cardinal Value)
{
    return static_cast<Integer>((static_cast<UInt64>(Value) * 0x8081u) >> 23);
}
// Division by 256 or 512 truncated toward zero.
inline Integer DivTrunc256(Integer Value) { return (Value < 0 ? Value + 255 : Value) >> 8; }
inline Integer DivTrunc512(Integer Value) { return (Value < 0 ? Value + 511 : Value) >> 9; }

// Makes the unit's registry and binds the best routines for this processor.
// Start-up only: InstallRasterEngine calls it once.
void RegisterLowLevelBindings();
