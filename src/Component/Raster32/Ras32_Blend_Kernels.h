// The vector kernels of Ras32_Blend's SIMD variants, written once over a
// vector type V (V128 here; V256 in the AVX2 file) and included by
// Ras32_Blend_SSE2.cpp and, under its AVX2 target, Ras32_Blend_AVX2.cpp.
//
// Everything here lives in an unnamed namespace on purpose: each including
// file gets its own copy compiled for its own instruction set, so an AVX2
// copy can never be picked for a caller on a processor without AVX2.
//
// Channels are widened to 16-bit lanes (two pixels per 128 bits, lanes
// b, g, r, a, b, g, r, a) and all arithmetic is exact in those lanes.
#pragma once

#include <immintrin.h>

#include "Component/Raster32/Ras32_Types.h"

namespace {

struct V128 {
    using T = __m128i;
    using F = __m128;
    static constexpr int Pixels = 4;
    static T Load(const TColor32* P) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(P)); }
    static void Store(TColor32* P, T V) { _mm_storeu_si128(reinterpret_cast<__m128i*>(P), V); }
    static T Zero() { return _mm_setzero_si128(); }
    static T Set16(int V) { return _mm_set1_epi16(static_cast<short>(V)); }
    static T Set32(Cardinal V) { return _mm_set1_epi32(static_cast<int>(V)); }
    // 0xFFFF in the alpha lane of each pixel, 0 in the colour lanes.
    static T AlphaLanes() { return _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0); }
    static T And(T A, T B) { return _mm_and_si128(A, B); }
    static T AndNot(T A, T B) { return _mm_andnot_si128(A, B); }  // ~A & B
    static T Or(T A, T B) { return _mm_or_si128(A, B); }
    static T Xor(T A, T B) { return _mm_xor_si128(A, B); }
    static T Add16(T A, T B) { return _mm_add_epi16(A, B); }
    static T Sub16(T A, T B) { return _mm_sub_epi16(A, B); }
    static T Mullo16(T A, T B) { return _mm_mullo_epi16(A, B); }
    template <int N>
    static T Srli16(T A) { return _mm_srli_epi16(A, N); }
    template <int N>
    static T Slli16(T A) { return _mm_slli_epi16(A, N); }
    template <int N>
    static T Srai16(T A) { return _mm_srai_epi16(A, N); }
    template <int N>
    static T Srli32(T A) { return _mm_srli_epi32(A, N); }
    template <int N>
    static T Slli32(T A) { return _mm_slli_epi32(A, N); }
    static T Min16(T A, T B) { return _mm_min_epi16(A, B); }
    static T CmpEq16(T A, T B) { return _mm_cmpeq_epi16(A, B); }
    static T CmpGt16(T A, T B) { return _mm_cmpgt_epi16(A, B); }
    static T CmpEq32(T A, T B) { return _mm_cmpeq_epi32(A, B); }
    static T UnpackLo8(T A, T B) { return _mm_unpacklo_epi8(A, B); }
    static T UnpackHi8(T A, T B) { return _mm_unpackhi_epi8(A, B); }
    static T UnpackLo16(T A, T B) { return _mm_unpacklo_epi16(A, B); }
    static T UnpackHi16(T A, T B) { return _mm_unpackhi_epi16(A, B); }
    static T PackUS16(T A, T B) { return _mm_packus_epi16(A, B); }
    static T Packs32(T A, T B) { return _mm_packs_epi32(A, B); }
    // The alpha lane of each pixel copied into its four lanes.
    static T BroadcastAlpha16(T A) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(A, 0xFF), 0xFF); }
    static bool AllSet(T Mask) { return _mm_movemask_epi8(Mask) == 0xFFFF; }
    static bool NoneSet(T Mask) { return _mm_movemask_epi8(Mask) == 0; }
    static T Select(T Mask, T A, T B) { return _mm_or_si128(_mm_and_si128(Mask, A), _mm_andnot_si128(Mask, B)); }
    static F ToFloat(T A) { return _mm_cvtepi32_ps(A); }
    static F Div(F A, F B) { return _mm_div_ps(A, B); }
    static T TruncToInt(F A) { return _mm_cvttps_epi32(A); }
};

// mix(y, x, w) = (256 y + 128 + (x - y) w) shr 8 in 16-bit lanes, the full
// weight 255 taken as 256 (which gives x exactly). The true sum lies in
// 0..65535, so the lane arithmetic modulo 2^16 gives it exactly.
template <class V>
inline typename V::T Mix16(typename V::T X, typename V::T Y, typename V::T W)
{
    using T = typename V::T;
    W = V::Sub16(W, V::CmpEq16(W, V::Set16(255)));
    T Diff = V::Mullo16(V::Sub16(X, Y), W);
    T Sum = V::Add16(V::Add16(V::template Slli16<8>(Y), V::Set16(128)), Diff);
    return V::template Srli16<8>(Sum);
}

// round(x * y / 255) for x * y <= 65025: t = x y + 128, (t + t shr 8) shr 8.
template <class V>
inline typename V::T Product16(typename V::T X, typename V::T Y)
{
    using T = typename V::T;
    T t = V::Add16(V::Mullo16(X, Y), V::Set16(128));
    return V::template Srli16<8>(V::Add16(t, V::template Srli16<8>(t)));
}

// round(p * 255 / d) with halves to even, as its low byte, for 0 <= p <= 255
// and 1 <= d <= 255. The float quotient truncated is the exact integer
// quotient (a non-integer quotient is at least 1/255 from the next integer,
// far more than the float error), and the remainder decides the rounding
// without depending on the processor's rounding mode.
template <class V>
inline typename V::T Quotient16(typename V::T P, typename V::T D)
{
    using T = typename V::T;
    T Zero = V::Zero();
    T Num = V::Mullo16(P, V::Set16(255));
    T QLo = V::TruncToInt(V::Div(V::ToFloat(V::UnpackLo16(Num, Zero)), V::ToFloat(V::UnpackLo16(D, Zero))));
    T QHi = V::TruncToInt(V::Div(V::ToFloat(V::UnpackHi16(Num, Zero)), V::ToFloat(V::UnpackHi16(D, Zero))));
    T Q = V::Packs32(QLo, QHi);
    T Rem2 = V::Sub16(Num, V::Mullo16(Q, D));
    Rem2 = V::Add16(Rem2, Rem2);
    T One = V::Set16(1);
    T Odd = V::CmpEq16(V::And(Q, One), One);
    T Up = V::Or(V::CmpGt16(Rem2, D), V::And(V::CmpEq16(Rem2, D), Odd));
    return V::And(V::Sub16(Q, Up), V::Set16(0xFF));
}

// The general case of merge for two pixels in 16-bit lanes (both alphas
// strictly between 0 and 255 in the pixels that use it): result alpha
// Ra = Fa + Ba - P[Ba][Fa]; per colour channel bw = P[Ba][b],
// p = bw +/- P[Fa][|f - bw|], result Q[Ra][p].
template <class V>
inline typename V::T MergeGeneral16(typename V::T F, typename V::T B)
{
    using T = typename V::T;
    T Fa = V::BroadcastAlpha16(F);
    T Ba = V::BroadcastAlpha16(B);
    T Ra = V::Sub16(V::Add16(Fa, Ba), Product16<V>(Ba, Fa));
    T Bw = Product16<V>(Ba, B);
    T Diff = V::Sub16(F, Bw);
    T Sign = V::template Srai16<15>(Diff);
    T Abs = V::Sub16(V::Xor(Diff, Sign), Sign);
    T Pf = Product16<V>(Fa, Abs);
    T P = V::Add16(Bw, V::Sub16(V::Xor(Pf, Sign), Sign));
    // Lanes of pixels that take another case may have Ra = 0: divide by 1 there.
    T SafeRa = V::Select(V::CmpEq16(Ra, V::Zero()), V::Set16(1), Ra);
    T Q = Quotient16<V>(P, SafeRa);
    return V::Select(V::AlphaLanes(), Ra, Q);
}

// Merge of V::Pixels pixels. The cases, first match wins: Fa = 0 keeps B;
// Ba = 255 blends and makes the result opaque; Fa = 255 or Ba = 0 takes F;
// otherwise the general case. Returns false when every pixel keeps B.
template <class V>
inline bool MergeStep(typename V::T S, typename V::T D, typename V::T& Result)
{
    using T = typename V::T;
    T Zero = V::Zero();
    T AlphaMask = V::Set32(0xFF000000);
    T Sa = V::And(S, AlphaMask);
    T Da = V::And(D, AlphaMask);
    T KeepB = V::CmpEq32(Sa, Zero);
    if (V::AllSet(KeepB)) return false;
    T OpaqueB = V::CmpEq32(Da, AlphaMask);
    T TakeF = V::Or(V::CmpEq32(Sa, AlphaMask), V::CmpEq32(Da, Zero));
    T S0 = V::UnpackLo8(S, Zero), S1 = V::UnpackHi8(S, Zero);
    T D0 = V::UnpackLo8(D, Zero), D1 = V::UnpackHi8(D, Zero);
    T R = S;
    if (!V::AllSet(V::Or(V::Or(KeepB, OpaqueB), TakeF))) {
        T General = V::PackUS16(MergeGeneral16<V>(S0, D0), MergeGeneral16<V>(S1, D1));
        R = V::Select(TakeF, S, General);
    }
    if (!V::NoneSet(OpaqueB)) {
        T Blend = V::PackUS16(Mix16<V>(S0, D0, V::BroadcastAlpha16(S0)), Mix16<V>(S1, D1, V::BroadcastAlpha16(S1)));
        R = V::Select(OpaqueB, V::Or(Blend, AlphaMask), R);
    }
    Result = V::Select(KeepB, D, R);
    return true;
}

// F's alpha replaced by P[M][Fa], in 32-bit lanes (M <= 255).
template <class V>
inline typename V::T ScaleAlpha32(typename V::T S, typename V::T M32)
{
    using T = typename V::T;
    T Fa = V::template Srli32<24>(S);
    // Fa * M is at most 65025: the 16-bit product of the low halves is exact
    // and the high halves are zero.
    T t = V::Add16(V::Mullo16(Fa, M32), V::Set32(128));
    T Scaled = V::template Srli32<8>(V::Add16(t, V::template Srli32<8>(t)));
    return V::Or(V::And(S, V::Set32(0x00FFFFFF)), V::template Slli32<24>(Scaled));
}

// Blend of V::Pixels pixels with the in-place shortcuts: Fa = 0 keeps the
// background (mix with weight 0 does that by itself), Fa = 255 stores F.
// Returns false when nothing changes.
template <class V>
inline bool BlendStep(typename V::T S, const TColor32* DstPtr, typename V::T& Result)
{
    using T = typename V::T;
    T Zero = V::Zero();
    T AlphaMask = V::Set32(0xFF000000);
    T Sa = V::And(S, AlphaMask);
    T Opaque = V::CmpEq32(Sa, AlphaMask);
    if (V::AllSet(Opaque)) {
        Result = S;
        return true;
    }
    if (V::AllSet(V::CmpEq32(Sa, Zero))) return false;
    T D = V::Load(DstPtr);
    T S0 = V::UnpackLo8(S, Zero), S1 = V::UnpackHi8(S, Zero);
    T R = V::PackUS16(Mix16<V>(S0, V::UnpackLo8(D, Zero), V::BroadcastAlpha16(S0)),
                      Mix16<V>(S1, V::UnpackHi8(D, Zero), V::BroadcastAlpha16(S1)));
    Result = V::Select(Opaque, S, R);
    return true;
}

// Blend with the row form's master weight w = ((Fa + 1) * M) shr 8; w = 0
// keeps the background by itself.
template <class V>
inline typename V::T BlendMasterStep(typename V::T S, typename V::T D, typename V::T M16)
{
    using T = typename V::T;
    T Zero = V::Zero();
    T S0 = V::UnpackLo8(S, Zero), S1 = V::UnpackHi8(S, Zero);
    T One = V::Set16(1);
    T W0 = V::template Srli16<8>(V::Mullo16(V::Add16(V::BroadcastAlpha16(S0), One), M16));
    T W1 = V::template Srli16<8>(V::Mullo16(V::Add16(V::BroadcastAlpha16(S1), One), M16));
    return V::PackUS16(Mix16<V>(S0, V::UnpackLo8(D, Zero), W0), Mix16<V>(S1, V::UnpackHi8(D, Zero), W1));
}

template <class V>
inline typename V::T CombineStep(typename V::T X, typename V::T Y, typename V::T W16)
{
    using T = typename V::T;
    T Zero = V::Zero();
    return V::PackUS16(Mix16<V>(V::UnpackLo8(X, Zero), V::UnpackLo8(Y, Zero), W16),
                       Mix16<V>(V::UnpackHi8(X, Zero), V::UnpackHi8(Y, Zero), W16));
}

}  // namespace
