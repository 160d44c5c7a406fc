// AVX2 forms of the HSL rows: eight colours per step in Singles for the
// split, four per step in Doubles for the rebuild, with the operations of
// the scalar conversions in the same order (no fused multiply-add), and
// masks in place of their branches.
#include "filters/HSLRows.h"

#if defined(LM_HSLROWS_AVX2)
#include "Component/Raster32/Ras32_TargetAVX2.h"

LM_BEGIN_AVX2

namespace HSLRowsAVX2 {

void ColorsToHSL(const TColor32* Colors, Integer Count, Single* H, Single* S, Single* L)
{
    const __m256i ByteMask = _mm256_set1_epi32(0xFF);
    const __m256 F255 = _mm256_set1_ps(255.0f), Half = _mm256_set1_ps(0.5f), Two = _mm256_set1_ps(2.0f);
    const __m256 Six = _mm256_set1_ps(6.0f), One = _mm256_set1_ps(1.0f), Zero = _mm256_setzero_ps();
    Integer I = 0;
    for (; I + 8 <= Count; I += 8) {
        const __m256i C = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Colors + I));
        const __m256 R = _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_and_si256(_mm256_srli_epi32(C, 16), ByteMask)), F255);
        const __m256 G = _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_and_si256(_mm256_srli_epi32(C, 8), ByteMask)), F255);
        const __m256 B = _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_and_si256(C, ByteMask)), F255);
        const __m256 Max = _mm256_max_ps(R, _mm256_max_ps(G, B)), Min = _mm256_min_ps(R, _mm256_min_ps(G, B));
        const __m256 Sum = _mm256_add_ps(Max, Min);
        const __m256 Lv = _mm256_div_ps(Sum, Two);
        const __m256 D = _mm256_sub_ps(Max, Min);
        const __m256 Grey = _mm256_cmp_ps(Max, Min, _CMP_EQ_OQ);
        // S = L >= 0.5 ? D / (2 - Max - Min) : D / (Max + Min).
        const __m256 Sv = _mm256_blendv_ps(_mm256_div_ps(D, Sum), _mm256_div_ps(D, _mm256_sub_ps(_mm256_sub_ps(Two, Max), Min)),
                                           _mm256_cmp_ps(Lv, Half, _CMP_GE_OQ));
        // Hue: red largest (G - B) / D; else green (B - R) / D + 2; else (R - G) / D + 4.
        const __m256 RedMax = _mm256_cmp_ps(R, Max, _CMP_EQ_OQ);
        const __m256 GreenMax = _mm256_andnot_ps(RedMax, _mm256_cmp_ps(G, Max, _CMP_EQ_OQ));
        const __m256 BlueMax = _mm256_andnot_ps(_mm256_or_ps(RedMax, GreenMax), _mm256_castsi256_ps(_mm256_set1_epi32(-1)));
        __m256 Num = _mm256_sub_ps(R, G);
        Num = _mm256_blendv_ps(Num, _mm256_sub_ps(B, R), GreenMax);
        Num = _mm256_blendv_ps(Num, _mm256_sub_ps(G, B), RedMax);
        __m256 Hv = _mm256_div_ps(Num, D);
        const __m256 Offset = _mm256_or_ps(_mm256_and_ps(GreenMax, Two), _mm256_and_ps(BlueMax, _mm256_set1_ps(4.0f)));
        Hv = _mm256_blendv_ps(_mm256_add_ps(Hv, Offset), Hv, RedMax);
        Hv = _mm256_div_ps(Hv, Six);
        Hv = _mm256_blendv_ps(Hv, _mm256_add_ps(Hv, One), _mm256_cmp_ps(Hv, Zero, _CMP_LT_OQ));
        _mm256_storeu_ps(H + I, _mm256_blendv_ps(Hv, Zero, Grey));
        _mm256_storeu_ps(S + I, _mm256_blendv_ps(Sv, Zero, Grey));
        _mm256_storeu_ps(L + I, Lv);
    }
    if (I < Count) HSLRowsPas::ColorsToHSL(Colors + I, Count - I, H + I, S + I, L + I);
}

namespace {

// One channel of the rebuild for four colours, as a byte in each 32-bit lane.
inline __m128i Channel(__m256d Hue, __m256d M1, __m256d M2)
{
    const __m256d One = _mm256_set1_pd(1.0), Six = _mm256_set1_pd(6.0);
    Hue = _mm256_sub_pd(Hue, _mm256_floor_pd(Hue));
    const __m256d Span = _mm256_sub_pd(M2, M1);
    const __m256d Rising = _mm256_add_pd(M1, _mm256_mul_pd(_mm256_mul_pd(Span, Hue), Six));
    const __m256d Falling =
        _mm256_add_pd(M1, _mm256_mul_pd(_mm256_mul_pd(Span, _mm256_sub_pd(_mm256_set1_pd(2.0 / 3.0), Hue)), Six));
    __m256d V = M1;
    V = _mm256_blendv_pd(V, Falling, _mm256_cmp_pd(_mm256_mul_pd(_mm256_set1_pd(3.0), Hue), _mm256_set1_pd(2.0), _CMP_LT_OQ));
    V = _mm256_blendv_pd(V, M2, _mm256_cmp_pd(_mm256_mul_pd(_mm256_set1_pd(2.0), Hue), One, _CMP_LT_OQ));
    V = _mm256_blendv_pd(V, Rising, _mm256_cmp_pd(_mm256_mul_pd(Six, Hue), One, _CMP_LT_OQ));
    // Halves to even (the rounding mode), then 0..255.
    const __m128i Rounded = _mm256_cvtpd_epi32(_mm256_mul_pd(V, _mm256_set1_pd(255.0)));
    return _mm_min_epi32(_mm_max_epi32(Rounded, _mm_setzero_si128()), _mm_set1_epi32(255));
}

}  // namespace

void HSLToColors(const Single* H, const Single* S, const Single* L, TColor32* Colors, Integer Count)
{
    const __m256d Half = _mm256_set1_pd(0.5), One = _mm256_set1_pd(1.0), Two = _mm256_set1_pd(2.0);
    const __m256d Third = _mm256_set1_pd(1.0 / 3.0);
    Integer I = 0;
    for (; I + 4 <= Count; I += 4) {
        const __m128 Sf = _mm_loadu_ps(S + I);
        const __m256d Hd = _mm256_cvtps_pd(_mm_loadu_ps(H + I)), Sd = _mm256_cvtps_pd(Sf);
        const __m256d Ld = _mm256_cvtps_pd(_mm_loadu_ps(L + I));
        const __m256d M2 = _mm256_blendv_pd(_mm256_sub_pd(_mm256_add_pd(Ld, Sd), _mm256_mul_pd(Ld, Sd)),
                                            _mm256_mul_pd(Ld, _mm256_add_pd(One, Sd)), _mm256_cmp_pd(Ld, Half, _CMP_LE_OQ));
        const __m256d M1 = _mm256_sub_pd(_mm256_mul_pd(Two, Ld), M2);
        const __m128i R = Channel(_mm256_add_pd(Hd, Third), M1, M2);
        const __m128i G = Channel(Hd, M1, M2);
        const __m128i B = Channel(_mm256_sub_pd(Hd, Third), M1, M2);
        __m128i Out = _mm_or_si128(_mm_or_si128(_mm_slli_epi32(R, 16), _mm_slli_epi32(G, 8)), B);
        // Saturation 0: the grey of L.
        const __m128i Grey = _mm_mullo_epi32(
            _mm_min_epi32(_mm_max_epi32(_mm256_cvtpd_epi32(_mm256_mul_pd(Ld, _mm256_set1_pd(255.0))), _mm_setzero_si128()),
                          _mm_set1_epi32(255)),
            _mm_set1_epi32(0x010101));
        Out = _mm_blendv_epi8(Out, Grey, _mm_castps_si128(_mm_cmpeq_ps(Sf, _mm_setzero_ps())));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Colors + I), Out);
    }
    if (I < Count) HSLRowsPas::HSLToColors(H + I, S + I, L + I, Colors + I, Count - I);
}

}  // namespace HSLRowsAVX2
LM_END_AVX2
#endif
