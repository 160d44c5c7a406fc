// Ras32_Math: 16.16 fixed-point and small integer and trigonometric helpers.
#pragma once

#include "Component/Raster32/Ras32_Types.h"

// Arithmetic shifts of a 16.16 value (computed in 64 bits, so values near the
// ends of the range do not overflow).
inline Integer FixedFloorInt(TFixed A) { return A >> 16; }
inline Integer FixedCeilInt(TFixed A) { return static_cast<Integer>((static_cast<Int64>(A) + 0xFFFF) >> 16); }
// Halves round down: FixedRoundInt(0x8000) = 0.
inline Integer FixedRoundInt(TFixed A) { return static_cast<Integer>((static_cast<Int64>(A) + 0x7FFF) >> 16); }
// The 64-bit product shifted right by 16, low 32 bits.
inline TFixed FixedMultiply(TFixed A, TFixed B)
{
    return static_cast<TFixed>(static_cast<UInt64>((static_cast<Int64>(A) * B) >> 16));
}
// (A * 65536) / B in 64 bits, truncated toward zero; B = 0 raises EInvalidArgument.
TFixed FixedDivide(TFixed A, TFixed B);
// Y + (X - Y) * W, the product taken in 64 bits.
inline TFixed FixedLerp(TFixed W, TFixed X, TFixed Y)
{
    return static_cast<TFixed>(Y + static_cast<UInt64>((static_cast<Int64>(X) - Y) * W >> 16));
}

void SinCosOf(Single Theta, Single& Sin, Single& Cos);
void SinCosScaled(Single Theta, Single Radius, Single& Sin, Single& Cos);
Single HypotFloat(Single X, Single Y);
// The hypotenuse rounded to nearest, halves to even.
Integer HypotRounded(Integer X, Integer Y);
// A * B / C with a 64-bit product, rounded half away from zero; -1 on
// overflow (twice the high 32 bits of |A * B| reach |C|) and when C is 0.
Integer MulDivRounded(Integer A, Integer B, Integer C);
