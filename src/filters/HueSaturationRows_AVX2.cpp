// AVX2 form of the hue and saturation pass: eight pixels per step in 32-bit
// lanes, the tables read by gathers, every selection by masks. Divisions by
// constants truncate toward zero as the scalar ones do: by 255 through the
// exact reciprocal multiply for the small products and through Doubles for
// the saturation step, by 128 on magnitudes.
#include "filters/HueSaturationRows.h"

#if defined(LM_HUESATURATION_AVX2)
#include "Component/Raster32/Ras32_TargetAVX2.h"

LM_BEGIN_AVX2

namespace {

inline __m256i Set(Integer V) { return _mm256_set1_epi32(V); }

// x div 255 toward zero for |x| <= 65025.
inline __m256i DivSmall255(__m256i X)
{
    const __m256i Q = _mm256_srli_epi32(_mm256_mullo_epi32(_mm256_abs_epi32(X), Set(0x8081)), 23);
    return _mm256_sign_epi32(Q, X);
}

// x div 128 toward zero.
inline __m256i Div128(__m256i X) { return _mm256_sign_epi32(_mm256_srli_epi32(_mm256_abs_epi32(X), 7), X); }

// x div 255 toward zero for any 32-bit x (the quotient of Doubles is exact enough to truncate).
inline __m256i DivLarge255(__m256i X)
{
    const __m256d D = _mm256_set1_pd(255.0);
    const __m128i Lo = _mm256_cvttpd_epi32(_mm256_div_pd(_mm256_cvtepi32_pd(_mm256_castsi256_si128(X)), D));
    const __m128i Hi = _mm256_cvttpd_epi32(_mm256_div_pd(_mm256_cvtepi32_pd(_mm256_extracti128_si256(X, 1)), D));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(Lo), Hi, 1);
}

inline __m256i ClampByte8(__m256i V) { return _mm256_min_epi32(_mm256_max_epi32(V, _mm256_setzero_si256()), Set(255)); }

inline __m256i Select(__m256i Mask, __m256i A, __m256i B) { return _mm256_blendv_epi8(B, A, Mask); }

inline __m256i Any(__m256i A, __m256i B) { return _mm256_or_si256(A, B); }

// The saturation step of one channel: Ch + (A * (Ch - l)) div 255, 0..255.
inline __m256i MoveChannel(__m256i Ch, __m256i A, __m256i l)
{
    return ClampByte8(_mm256_add_epi32(Ch, DivLarge255(_mm256_mullo_epi32(A, _mm256_sub_epi32(Ch, l)))));
}

}  // namespace

namespace HueSaturationAVX2 {

void HueSaturationRow(TColor32* P, Integer Count, const THueSaturationParams& Params)
{
    const THueSaturationTables& T = HueSaturationTables();
    const __m256i FF = Set(0xFF);
    const int* SatBase = reinterpret_cast<const int*>(&T.Sat[0][0]);
    const int* HueBase = reinterpret_cast<const int*>(&T.HueStep[0][0]);
    const int* RampBase = reinterpret_cast<const int*>(&T.Ramp[0]);
    Integer I = 0;
    for (; I + 8 <= Count; I += 8) {
        const __m256i C = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(P + I));
        const __m256i r = _mm256_and_si256(_mm256_srli_epi32(C, 16), FF);
        const __m256i g = _mm256_and_si256(_mm256_srli_epi32(C, 8), FF);
        const __m256i b = _mm256_and_si256(C, FF);
        const __m256i Max = _mm256_max_epi32(r, _mm256_max_epi32(g, b));
        const __m256i Min = _mm256_min_epi32(r, _mm256_min_epi32(g, b));
        const __m256i Grey = _mm256_cmpeq_epi32(Max, Min);
        if (_mm256_movemask_epi8(Grey) == -1) continue;
        const __m256i s = _mm256_and_si256(_mm256_i32gather_epi32(SatBase, _mm256_add_epi32(_mm256_slli_epi32(Max, 8), Min), 1), FF);
        const __m256i l = _mm256_srli_epi32(_mm256_add_epi32(Max, Min), 1);
        __m256i R = r, G = g, B = b;
        if (Params.Degrees != 0) {
            const __m256i Delta = _mm256_sub_epi32(Max, Min);
            const __m256i RedMax = _mm256_cmpeq_epi32(r, Max);
            const __m256i GreenMax = _mm256_andnot_si256(RedMax, _mm256_cmpeq_epi32(g, Max));
            __m256i Diff = Select(GreenMax, _mm256_sub_epi32(b, r), _mm256_sub_epi32(r, g));
            Diff = Select(RedMax, _mm256_sub_epi32(g, b), Diff);
            const __m256i Index = _mm256_add_epi32(_mm256_mullo_epi32(Delta, Set(511)), _mm256_add_epi32(Diff, Set(255)));
            const __m256i Own = _mm256_srai_epi32(_mm256_slli_epi32(_mm256_i32gather_epi32(HueBase, Index, 2), 16), 16);
            const __m256i Offset = Select(RedMax, _mm256_setzero_si256(), Select(GreenMax, Set(120), Set(240)));
            __m256i h = _mm256_add_epi32(_mm256_add_epi32(Set(Params.Turn), Own), Offset);
            h = _mm256_add_epi32(h, _mm256_and_si256(Set(360), _mm256_cmpgt_epi32(_mm256_setzero_si256(), h)));
            h = _mm256_add_epi32(h, _mm256_and_si256(Set(360), _mm256_cmpgt_epi32(_mm256_setzero_si256(), h)));
            h = _mm256_sub_epi32(h, _mm256_and_si256(Set(360), _mm256_cmpgt_epi32(h, Set(360))));
            // h div 60 for 0..360 by a multiply (exact over that range).
            const __m256i f = _mm256_srli_epi32(_mm256_mullo_epi32(h, Set(1093)), 16);
            const __m256i m = _mm256_sub_epi32(h, _mm256_mullo_epi32(f, Set(60)));
            const __m256i Odd = _mm256_cmpeq_epi32(_mm256_and_si256(f, Set(1)), Set(1));
            const __m256i t = Select(Odd, _mm256_sub_epi32(Set(60), m), m);
            __m256i v = _mm256_and_si256(_mm256_i32gather_epi32(RampBase, t, 1), FF);
            v = _mm256_sub_epi32(v, DivSmall255(_mm256_mullo_epi32(_mm256_sub_epi32(v, Set(128)), _mm256_sub_epi32(Set(255), s))));
            const __m256i lm = _mm256_sub_epi32(l, Set(128));
            const __m256i Up = _mm256_add_epi32(
                v, Div128(_mm256_add_epi32(_mm256_mullo_epi32(lm, _mm256_sub_epi32(Set(255), v)), Set(64))));
            const __m256i Down = _mm256_add_epi32(v, Div128(_mm256_mullo_epi32(lm, v)));
            v = Select(_mm256_cmpgt_epi32(Set(128), l), Down, v);
            v = Select(_mm256_cmpgt_epi32(l, Set(128)), Up, v);
            const __m256i Mid = ClampByte8(v);
            __m256i F[7];
            for (Integer K = 0; K < 7; ++K) F[K] = _mm256_cmpeq_epi32(f, Set(K));
            R = Select(Any(F[1], F[4]), Mid, Min);
            R = Select(Any(Any(F[0], F[5]), F[6]), Max, R);
            G = Select(Any(Any(F[0], F[3]), F[6]), Mid, Min);
            G = Select(Any(F[1], F[2]), Max, G);
            B = Select(Any(F[2], F[5]), Mid, Min);
            B = Select(Any(F[3], F[4]), Max, B);
        }
        if (Params.Amount != 0) {
            const __m256i A = _mm256_i32gather_epi32(Params.Factor, s, 4);
            R = MoveChannel(R, A, l), G = MoveChannel(G, A, l), B = MoveChannel(B, A, l);
        }
        __m256i Out = _mm256_or_si256(_mm256_and_si256(C, Set(static_cast<Integer>(0xFF000000u))),
                                      _mm256_or_si256(_mm256_slli_epi32(R, 16), _mm256_or_si256(_mm256_slli_epi32(G, 8), B)));
        Out = Select(Grey, C, Out);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(P + I), Out);
    }
    if (I < Count) HueSaturationPas::HueSaturationRow(P + I, Count - I, Params);
}

}  // namespace HueSaturationAVX2
LM_END_AVX2
#endif
