// SSE2 variants of Ras32_Blend's operations; bit for bit the results of the
// portable reference (BlendPas).
#include "Component/Raster32/Ras32_Blend_Variants.h"

#if defined(LM_RAS32_BLEND_SSE2)

#include <cstring>

#include "Component/Raster32/Ras32_Blend_Kernels.h"

namespace {

using V = V128;

inline __m128i Load1(TColor32 C) { return _mm_cvtsi32_si128(static_cast<int>(C)); }
inline TColor32 Get1(__m128i V) { return static_cast<TColor32>(_mm_cvtsi128_si32(V)); }
inline __m128i Widen(TColor32 C) { return _mm_unpacklo_epi8(Load1(C), _mm_setzero_si128()); }
inline TColor32 Narrow(__m128i V16) { return Get1(_mm_packus_epi16(V16, V16)); }
inline Cardinal Limit255(Cardinal V) { return V > 255 ? 255 : V; }

// mix(b, f, w) on the four channels of one pixel.
inline TColor32 MixPixel(TColor32 F, TColor32 B, Cardinal W)
{
    return Narrow(Mix16<V>(Widen(F), Widen(B), _mm_set1_epi16(static_cast<short>(W))));
}

}  // namespace

namespace BlendSSE2 {

void EndPixelOps() {}

// ---------------------------------------------------------------------------
// Merge

TColor32 MergePixel(TColor32 F, TColor32 B)
{
    __m128i R;
    return MergeStep<V>(Load1(F), Load1(B), R) ? Get1(R) : B;
}

void MergePixelInPlace(TColor32 F, TColor32& B) { B = MergePixel(F, B); }

void MergeRow(const TColor32* Src, TColor32* Dst, Integer Count)
{
    Integer i = 0;
    for (; i + 4 <= Count; i += 4) {
        __m128i R;
        if (MergeStep<V>(V::Load(Src + i), V::Load(Dst + i), R)) V::Store(Dst + i, R);
    }
    for (; i < Count; ++i) Dst[i] = BlendPas::MergePixel(Src[i], Dst[i]);
}

TColor32 MergePixelMaster(TColor32 F, TColor32 B, Cardinal M)
{
    __m128i R;
    __m128i S = ScaleAlpha32<V>(Load1(F), _mm_set1_epi32(static_cast<int>(Limit255(M))));
    return MergeStep<V>(S, Load1(B), R) ? Get1(R) : B;
}

void MergePixelMasterInPlace(TColor32 F, TColor32& B, Cardinal M) { B = MergePixelMaster(F, B, M); }

void MergeRowMaster(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    M = Limit255(M);
    __m128i M32 = _mm_set1_epi32(static_cast<int>(M));
    Integer i = 0;
    for (; i + 4 <= Count; i += 4) {
        __m128i R;
        if (MergeStep<V>(ScaleAlpha32<V>(V::Load(Src + i), M32), V::Load(Dst + i), R)) V::Store(Dst + i, R);
    }
    for (; i < Count; ++i) Dst[i] = BlendPas::MergePixelMaster(Src[i], Dst[i], M);
}

// ---------------------------------------------------------------------------
// Combine

TColor32 CombinePixel(TColor32 X, TColor32 Y, Cardinal W) { return MixPixel(X, Y, Limit255(W)); }

void CombinePixelInPlace(TColor32 X, TColor32& Y, Cardinal W)
{
    W = Limit255(W);
    if (W == 0) return;
    Y = W == 255 ? X : MixPixel(X, Y, W);
}

void CombineRow(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal W)
{
    W = Limit255(W);
    if (W == 0 || Count <= 0) return;
    if (W == 255) {
        if (Src != Dst) std::memmove(Dst, Src, static_cast<size_t>(Count) * sizeof(TColor32));
        return;
    }
    __m128i W16 = _mm_set1_epi16(static_cast<short>(W));
    Integer i = 0;
    for (; i + 4 <= Count; i += 4) V::Store(Dst + i, CombineStep<V>(V::Load(Src + i), V::Load(Dst + i), W16));
    for (; i < Count; ++i) Dst[i] = BlendPas::CombinePixel(Src[i], Dst[i], W);
}

// ---------------------------------------------------------------------------
// Blend

TColor32 BlendPixel(TColor32 F, TColor32 B) { return MixPixel(F, B, F >> 24); }

void BlendPixelInPlace(TColor32 F, TColor32& B)
{
    Cardinal Fa = F >> 24;
    if (Fa == 0) return;
    B = Fa == 255 ? F : MixPixel(F, B, Fa);
}

void BlendRow(const TColor32* Src, TColor32* Dst, Integer Count)
{
    Integer i = 0;
    for (; i + 4 <= Count; i += 4) {
        __m128i R;
        if (BlendStep<V>(V::Load(Src + i), Dst + i, R)) V::Store(Dst + i, R);
    }
    for (; i < Count; ++i) BlendPas::BlendPixelInPlace(Src[i], Dst[i]);
}

TColor32 BlendPixelMaster(TColor32 F, TColor32 B, Cardinal M)
{
    Cardinal W = ((Limit255(M) + 1) * (F >> 24)) >> 8;
    return W == 0 ? B : MixPixel(F, B, W);
}

void BlendPixelMasterInPlace(TColor32 F, TColor32& B, Cardinal M) { B = BlendPixelMaster(F, B, M); }

void BlendRowMaster(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    M = Limit255(M);
    __m128i M16 = _mm_set1_epi16(static_cast<short>(M));
    __m128i AlphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000));
    Integer i = 0;
    for (; i + 4 <= Count; i += 4) {
        __m128i S = V::Load(Src + i);
        if (V::AllSet(_mm_cmpeq_epi32(_mm_and_si128(S, AlphaMask), _mm_setzero_si128()))) continue;
        V::Store(Dst + i, BlendMasterStep<V>(S, V::Load(Dst + i), M16));
    }
    for (; i < Count; ++i) BlendPas::BlendRowMaster(Src + i, Dst + i, 1, M);
}

// ---------------------------------------------------------------------------
// Colour algebra

TColor32 ChannelMax(TColor32 C1, TColor32 C2) { return Get1(_mm_max_epu8(Load1(C1), Load1(C2))); }

TColor32 ChannelMin(TColor32 C1, TColor32 C2) { return Get1(_mm_min_epu8(Load1(C1), Load1(C2))); }

TColor32 ChannelAverage(TColor32 C1, TColor32 C2)
{
    // The byte average rounds up; take the odd sums' extra half back.
    __m128i A = Load1(C1), B = Load1(C2);
    __m128i Odd = _mm_and_si128(_mm_xor_si128(A, B), _mm_set1_epi8(1));
    return Get1(_mm_sub_epi8(_mm_avg_epu8(A, B), Odd));
}

TColor32 ChannelAdd(TColor32 C1, TColor32 C2) { return Get1(_mm_adds_epu8(Load1(C1), Load1(C2))); }

TColor32 ChannelSubtract(TColor32 C1, TColor32 C2) { return Get1(_mm_subs_epu8(Load1(C1), Load1(C2))); }

TColor32 ChannelDivide(TColor32 C1, TColor32 C2)
{
    // (c2 * 256) div c1: the truncated float quotient is the exact one (a
    // non-integer quotient stays at least 1/255 away from the next integer).
    __m128i Zero = _mm_setzero_si128();
    __m128i A = _mm_unpacklo_epi16(Widen(C1), Zero);
    __m128i B = _mm_slli_epi32(_mm_unpacklo_epi16(Widen(C2), Zero), 8);
    __m128i ZeroDivisor = _mm_cmpeq_epi32(A, Zero);
    __m128i SafeA = _mm_or_si128(A, _mm_and_si128(ZeroDivisor, _mm_set1_epi32(1)));
    __m128i Q = _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(B), _mm_cvtepi32_ps(SafeA)));
    Q = _mm_or_si128(Q, _mm_and_si128(ZeroDivisor, _mm_set1_epi32(255)));
    __m128i Q16 = _mm_min_epi16(_mm_packs_epi32(Q, Q), _mm_set1_epi16(255));
    return Narrow(Q16);
}

TColor32 ChannelModulate(TColor32 C1, TColor32 C2)
{
    return Narrow(_mm_srli_epi16(_mm_mullo_epi16(Widen(C1), Widen(C2)), 8));
}

TColor32 ChannelDifference(TColor32 C1, TColor32 C2)
{
    __m128i A = Load1(C1), B = Load1(C2);
    return Get1(_mm_or_si128(_mm_subs_epu8(A, B), _mm_subs_epu8(B, A)));
}

TColor32 ChannelExclusion(TColor32 C1, TColor32 C2)
{
    __m128i A = Widen(C1), B = Widen(C2);
    __m128i Product = _mm_srli_epi16(_mm_mullo_epi16(A, B), 7);
    return Narrow(_mm_sub_epi16(_mm_add_epi16(A, B), Product));
}

TColor32 ChannelScale(TColor32 C, Cardinal W)
{
    __m128i W16 = _mm_set1_epi16(static_cast<short>(Limit255(W)));
    return Narrow(_mm_srli_epi16(_mm_mullo_epi16(Widen(C), W16), 8));
}

TColor32 LightenColor(TColor32 C, Integer Amount)
{
    // Beyond +-255 every channel saturates anyway.
    short A = static_cast<short>(Amount < -255 ? -255 : (Amount > 255 ? 255 : Amount));
    __m128i Add = _mm_set_epi16(0, A, A, A, 0, A, A, A);
    return Narrow(_mm_add_epi16(Widen(C), Add));
}

}  // namespace BlendSSE2

#endif
