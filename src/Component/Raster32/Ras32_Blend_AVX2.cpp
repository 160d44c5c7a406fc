// AVX2 variants of Ras32_Blend's row operations, eight pixels a step; bit for
// bit the results of the portable reference. Everything after the pragma is
// compiled for AVX2 only; the registry binds these functions only on a
// processor (and system) that has it.
#include "Component/Raster32/Ras32_Blend_Variants.h"

#if defined(LM_RAS32_BLEND_SSE2)

#include <cstring>

#include "Component/Raster32/Ras32_TargetAVX2.h"

LM_BEGIN_AVX2

#include "Component/Raster32/Ras32_Blend_Kernels.h"

namespace {

struct V256 {
    using T = __m256i;
    using F = __m256;
    [[maybe_unused]] static constexpr int Pixels = 8;
    static T Load(const TColor32* P) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(P)); }
    static void Store(TColor32* P, T V) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(P), V); }
    static T Zero() { return _mm256_setzero_si256(); }
    static T Set16(int V) { return _mm256_set1_epi16(static_cast<short>(V)); }
    static T Set32(Cardinal V) { return _mm256_set1_epi32(static_cast<int>(V)); }
    static T AlphaLanes() { return _mm256_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0); }
    static T And(T A, T B) { return _mm256_and_si256(A, B); }
    static T AndNot(T A, T B) { return _mm256_andnot_si256(A, B); }
    static T Or(T A, T B) { return _mm256_or_si256(A, B); }
    static T Xor(T A, T B) { return _mm256_xor_si256(A, B); }
    static T Add16(T A, T B) { return _mm256_add_epi16(A, B); }
    static T Sub16(T A, T B) { return _mm256_sub_epi16(A, B); }
    static T Mullo16(T A, T B) { return _mm256_mullo_epi16(A, B); }
    template <int N>
    static T Srli16(T A) { return _mm256_srli_epi16(A, N); }
    template <int N>
    static T Slli16(T A) { return _mm256_slli_epi16(A, N); }
    template <int N>
    static T Srai16(T A) { return _mm256_srai_epi16(A, N); }
    template <int N>
    static T Srli32(T A) { return _mm256_srli_epi32(A, N); }
    template <int N>
    static T Slli32(T A) { return _mm256_slli_epi32(A, N); }
    static T Min16(T A, T B) { return _mm256_min_epi16(A, B); }
    static T CmpEq16(T A, T B) { return _mm256_cmpeq_epi16(A, B); }
    static T CmpGt16(T A, T B) { return _mm256_cmpgt_epi16(A, B); }
    static T CmpEq32(T A, T B) { return _mm256_cmpeq_epi32(A, B); }
    // Unpacks and packs work within each 128-bit half; used in pairs they keep
    // the pixel order.
    static T UnpackLo8(T A, T B) { return _mm256_unpacklo_epi8(A, B); }
    static T UnpackHi8(T A, T B) { return _mm256_unpackhi_epi8(A, B); }
    static T UnpackLo16(T A, T B) { return _mm256_unpacklo_epi16(A, B); }
    static T UnpackHi16(T A, T B) { return _mm256_unpackhi_epi16(A, B); }
    static T PackUS16(T A, T B) { return _mm256_packus_epi16(A, B); }
    static T Packs32(T A, T B) { return _mm256_packs_epi32(A, B); }
    static T BroadcastAlpha16(T A) { return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(A, 0xFF), 0xFF); }
    static bool AllSet(T Mask) { return _mm256_movemask_epi8(Mask) == -1; }
    static bool NoneSet(T Mask) { return _mm256_movemask_epi8(Mask) == 0; }
    static T Select(T Mask, T A, T B) { return _mm256_blendv_epi8(B, A, Mask); }
    static F ToFloat(T A) { return _mm256_cvtepi32_ps(A); }
    static F Div(F A, F B) { return _mm256_div_ps(A, B); }
    static T TruncToInt(F A) { return _mm256_cvttps_epi32(A); }
};

inline Cardinal Limit255(Cardinal V) { return V > 255 ? 255 : V; }

// The blend family on eight pixels without widening: the even bytes of each
// 16-bit lane (blue, red) and the odd ones (green, alpha) are mixed in place.
// mix(y, x, w) = y + ((x - y) w + 128) shr 8 (an arithmetic shift: 256 y is a
// multiple of 256), and with a weight given as w shl 7 the rounding multiply
// gives ((x - y) (w shl 7) + 2^14) shr 15 = ((x - y) w + 128) shr 8 exactly.
// The full weight 255 (which must give x) does not fit: callers take X there.
inline __m256i MixLanes(__m256i X, __m256i Y, __m256i W7)
{
    const __m256i LowBytes = _mm256_set1_epi16(0x00FF);
    __m256i Xe = _mm256_and_si256(X, LowBytes), Ye = _mm256_and_si256(Y, LowBytes);
    __m256i Xo = _mm256_srli_epi16(X, 8), Yo = _mm256_srli_epi16(Y, 8);
    __m256i Re = _mm256_add_epi16(Ye, _mm256_mulhrs_epi16(_mm256_sub_epi16(Xe, Ye), W7));
    __m256i Ro = _mm256_add_epi16(Yo, _mm256_mulhrs_epi16(_mm256_sub_epi16(Xo, Yo), W7));
    return _mm256_or_si256(Re, _mm256_slli_epi16(Ro, 8));
}

// Each pixel's alpha in both 16-bit lanes of the pixel, as alpha shl 8.
inline __m256i AlphaHigh(__m256i S)
{
    const __m256i Shuffle = _mm256_setr_epi8(-1, 3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15,  //
                                             -1, 3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15);
    return _mm256_shuffle_epi8(S, Shuffle);
}

}  // namespace

namespace BlendAVX2 {

void MergeRow(const TColor32* Src, TColor32* Dst, Integer Count)
{
    Integer i = 0;
    for (; i + 8 <= Count; i += 8) {
        __m256i R;
        if (MergeStep<V256>(V256::Load(Src + i), V256::Load(Dst + i), R)) V256::Store(Dst + i, R);
    }
    if (i + 4 <= Count) {
        __m128i R;
        if (MergeStep<V128>(V128::Load(Src + i), V128::Load(Dst + i), R)) V128::Store(Dst + i, R);
        i += 4;
    }
    for (; i < Count; ++i) Dst[i] = BlendPas::MergePixel(Src[i], Dst[i]);
}

void MergeRowMaster(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    M = Limit255(M);
    __m256i M32 = _mm256_set1_epi32(static_cast<int>(M));
    Integer i = 0;
    for (; i + 8 <= Count; i += 8) {
        __m256i R;
        if (MergeStep<V256>(ScaleAlpha32<V256>(V256::Load(Src + i), M32), V256::Load(Dst + i), R))
            V256::Store(Dst + i, R);
    }
    for (; i < Count; ++i) Dst[i] = BlendPas::MergePixelMaster(Src[i], Dst[i], M);
}

void CombineRow(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal W)
{
    W = Limit255(W);
    if (W == 0 || Count <= 0) return;
    if (W == 255) {
        if (Src != Dst) std::memmove(Dst, Src, static_cast<size_t>(Count) * sizeof(TColor32));
        return;
    }
    __m256i W7 = _mm256_set1_epi16(static_cast<short>(W << 7));
    Integer i = 0;
    for (; i + 8 <= Count; i += 8) V256::Store(Dst + i, MixLanes(V256::Load(Src + i), V256::Load(Dst + i), W7));
    for (; i < Count; ++i) Dst[i] = BlendPas::CombinePixel(Src[i], Dst[i], W);
}

void BlendRow(const TColor32* Src, TColor32* Dst, Integer Count)
{
    const __m256i AlphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000));
    Integer i = 0;
    for (; i + 8 <= Count; i += 8) {
        __m256i S = V256::Load(Src + i);
        __m256i Sa = _mm256_and_si256(S, AlphaMask);
        __m256i Opaque = _mm256_cmpeq_epi32(Sa, AlphaMask);
        int OpaqueBits = _mm256_movemask_epi8(Opaque);
        // All opaque: the background is not even read. All transparent: nothing changes.
        if (OpaqueBits == -1) {
            V256::Store(Dst + i, S);
            continue;
        }
        if (_mm256_testz_si256(Sa, Sa)) continue;
        __m256i R = MixLanes(S, V256::Load(Dst + i), _mm256_srli_epi16(AlphaHigh(S), 1));
        V256::Store(Dst + i, OpaqueBits == 0 ? R : _mm256_blendv_epi8(R, S, Opaque));
    }
    if (i + 4 <= Count) {
        __m128i R;
        if (BlendStep<V128>(V128::Load(Src + i), Dst + i, R)) V128::Store(Dst + i, R);
        i += 4;
    }
    for (; i < Count; ++i) BlendPas::BlendPixelInPlace(Src[i], Dst[i]);
}

void BlendRowMaster(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    M = Limit255(M);
    // w = ((Fa + 1) * M) shr 8, at most 255, made into w shl 7.
    const __m256i M16 = _mm256_set1_epi16(static_cast<short>(M));
    const __m256i One = _mm256_set1_epi16(1), Full = _mm256_set1_epi16(255);
    const __m256i AlphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000));
    Integer i = 0;
    for (; i + 8 <= Count; i += 8) {
        __m256i S = V256::Load(Src + i);
        __m256i Sa = _mm256_and_si256(S, AlphaMask);
        if (_mm256_testz_si256(Sa, Sa)) continue;
        __m256i A = _mm256_srli_epi16(AlphaHigh(S), 8);
        __m256i W = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_add_epi16(A, One), M16), 8);
        __m256i R = MixLanes(S, V256::Load(Dst + i), _mm256_slli_epi16(W, 7));
        V256::Store(Dst + i, _mm256_blendv_epi8(R, S, _mm256_cmpeq_epi16(W, Full)));
    }
    for (; i < Count; ++i) BlendPas::BlendRowMaster(Src + i, Dst + i, 1, M);
}

}  // namespace BlendAVX2

LM_END_AVX2

#endif
