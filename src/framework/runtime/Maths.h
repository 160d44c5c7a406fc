// Maths: the small numeric helpers of the classic math unit (Min, Max,
// EnsureRange, InRange, Floor, Ceil, Sign) and MulDiv with the platform's rounding.
#pragma once

#include <cmath>
#include <type_traits>

#include "framework/runtime/System.h"

template <class A, class B>
constexpr std::common_type_t<A, B> Min(A a, B b)
{
    using C = std::common_type_t<A, B>;
    return static_cast<C>(a) < static_cast<C>(b) ? static_cast<C>(a) : static_cast<C>(b);
}

template <class A, class B>
constexpr std::common_type_t<A, B> Max(A a, B b)
{
    using C = std::common_type_t<A, B>;
    return static_cast<C>(a) > static_cast<C>(b) ? static_cast<C>(a) : static_cast<C>(b);
}

// Value clamped to [AMin, AMax]; AMax wins when the range is empty.
template <class T, class L, class H>
constexpr T EnsureRange(T Value, L AMin, H AMax)
{
    T r = Value;
    if (r < static_cast<T>(AMin)) r = static_cast<T>(AMin);
    if (r > static_cast<T>(AMax)) r = static_cast<T>(AMax);
    return r;
}

template <class T, class L, class H>
constexpr bool InRange(T Value, L AMin, H AMax)
{
    return Value >= static_cast<T>(AMin) && Value <= static_cast<T>(AMax);
}

// Toward minus and plus infinity.
template <class F, class = std::enable_if_t<std::is_floating_point_v<F>>>
inline Int64 Floor(F x)
{
    return static_cast<Int64>(std::floor(x));
}
template <class F, class = std::enable_if_t<std::is_floating_point_v<F>>>
inline Int64 Ceil(F x)
{
    return static_cast<Int64>(std::ceil(x));
}

template <class T>
constexpr Integer Sign(T x)
{
    return x > T(0) ? 1 : x < T(0) ? -1 : 0;
}

// Number * Numerator / Denominator through a 64-bit product, rounded half away
// from zero; -1 when Denominator is 0 or the result does not fit 32 bits.
// Windows has it in kernel32 (the same declaration as <windows.h>, so the two
// can meet); the host build has its own with the same rounding.
#ifdef _WIN32
extern "C" __declspec(dllimport) int __stdcall MulDiv(int nNumber, int nNumerator, int nDenominator);
#else
Integer MulDiv(Integer nNumber, Integer nNumerator, Integer nDenominator);
#endif
