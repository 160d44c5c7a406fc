#include "Component/Raster32/Ras32_Math.h"

#include <cmath>

#include "framework/runtime/SysUtils.h"

TFixed FixedDivide(TFixed A, TFixed B)
{
    if (B == 0) throw EInvalidArgument(u"Division by zero");
    return static_cast<TFixed>(static_cast<UInt64>((static_cast<Int64>(A) << 16) / B));
}

void SinCosOf(Single Theta, Single& Sin, Single& Cos)
{
    Sin = std::sin(Theta);
    Cos = std::cos(Theta);
}

void SinCosScaled(Single Theta, Single Radius, Single& Sin, Single& Cos)
{
    Sin = Radius * std::sin(Theta);
    Cos = Radius * std::cos(Theta);
}

Single HypotFloat(Single X, Single Y) { return std::sqrt(X * X + Y * Y); }

Integer HypotRounded(Integer X, Integer Y)
{
    double H = std::sqrt(static_cast<double>(X) * X + static_cast<double>(Y) * Y);
    return static_cast<Integer>(Round(H));
}

Integer MulDivRounded(Integer A, Integer B, Integer C)
{
    if (C == 0) return -1;
    bool Negative = ((A < 0) != (B < 0)) != (C < 0);
    UInt64 P = static_cast<UInt64>(A < 0 ? -static_cast<Int64>(A) : A) *
               static_cast<UInt64>(B < 0 ? -static_cast<Int64>(B) : B);
    UInt64 D = static_cast<UInt64>(C < 0 ? -static_cast<Int64>(C) : C);
    if (2 * (P >> 32) >= D) return -1;
    UInt64 Q = (P + D / 2) / D;
    if (Q > 0x7FFFFFFF) return Negative && Q == 0x80000000u ? INT32_MIN : -1;
    return Negative ? -static_cast<Integer>(Q) : static_cast<Integer>(Q);
}
