// SSE2 rows of the arithmetic blend modes: two pixels per step.
#include "filters/Ras32_BlendModes_Variants.h"

#if defined(LM_RAS32_BLENDMODES_SSE2)
#include <emmintrin.h>

#include "filters/Ras32_BlendModes_Kernels.h"

namespace {

struct TOps {
    using V = __m128i;
    static constexpr Integer Pixels = 2;
    static V Load(const TColor32* P)
    {
        return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(P)), _mm_setzero_si128());
    }
    static void Store(TColor32* P, V X) { _mm_storel_epi64(reinterpret_cast<__m128i*>(P), _mm_packus_epi16(X, X)); }
    static V Set(Integer X) { return _mm_set1_epi16(static_cast<short>(X)); }
    static V Add(V A, V B) { return _mm_add_epi16(A, B); }
    static V Sub(V A, V B) { return _mm_sub_epi16(A, B); }
    static V SubSat(V A, V B) { return _mm_subs_epu16(A, B); }
    static V Mul(V A, V B) { return _mm_mullo_epi16(A, B); }
    static V Srl(V A, int N) { return _mm_srli_epi16(A, N); }
    static V Max(V A, V B) { return _mm_max_epi16(A, B); }
    static V Min(V A, V B) { return _mm_min_epi16(A, B); }
    static V Greater(V A, V B) { return _mm_cmpgt_epi16(A, B); }
    static V Select(V Mask, V A, V B) { return _mm_or_si128(_mm_and_si128(Mask, A), _mm_andnot_si128(Mask, B)); }
    static V LaneMask(Integer Lane)
    {
        const short On = -1;
        return Lane == 0 ? _mm_setr_epi16(On, 0, 0, 0, On, 0, 0, 0)
             : Lane == 1 ? _mm_setr_epi16(0, On, 0, 0, 0, On, 0, 0)
             : Lane == 2 ? _mm_setr_epi16(0, 0, On, 0, 0, 0, On, 0)
                         : _mm_setr_epi16(0, 0, 0, On, 0, 0, 0, On);
    }
    static V BroadcastAlpha(V A)
    {
        return _mm_shufflehi_epi16(_mm_shufflelo_epi16(A, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
    }
};

template <Integer Mode>
void Row(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    VectorRow<TOps, Mode>(Src, Dst, Count, M);
}

}  // namespace

namespace BlendModesSSE2 {
TBlendModeRow* const Rows[BlendModeCount] = {
    Row<0>,  Row<1>,  Row<2>,  Row<3>,  nullptr, Row<5>,  nullptr, Row<7>,  nullptr, nullptr,
    Row<10>, Row<11>, Row<12>, Row<13>, Row<14>, Row<15>, Row<16>, Row<17>, nullptr, nullptr,
    nullptr, Row<21>, Row<22>, Row<23>, nullptr, nullptr, nullptr, nullptr};
}
#endif
