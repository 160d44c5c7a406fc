// AVX2 rows of the arithmetic blend modes: four pixels per step.
#include "filters/Ras32_BlendModes_Variants.h"

#if defined(LM_RAS32_BLENDMODES_SSE2)
#include "Component/Raster32/Ras32_TargetAVX2.h"

LM_BEGIN_AVX2

#include "filters/Ras32_BlendModes_Kernels.h"

namespace {

struct TOps {
    using V = __m256i;
    static constexpr Integer Pixels = 4;
    static V Load(const TColor32* P) { return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(P))); }
    static void Store(TColor32* P, V X)
    {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(P),
                         _mm_packus_epi16(_mm256_castsi256_si128(X), _mm256_extracti128_si256(X, 1)));
    }
    static V Set(Integer X) { return _mm256_set1_epi16(static_cast<short>(X)); }
    static V Add(V A, V B) { return _mm256_add_epi16(A, B); }
    static V Sub(V A, V B) { return _mm256_sub_epi16(A, B); }
    static V SubSat(V A, V B) { return _mm256_subs_epu16(A, B); }
    static V Mul(V A, V B) { return _mm256_mullo_epi16(A, B); }
    static V Srl(V A, int N) { return _mm256_srli_epi16(A, N); }
    static V Max(V A, V B) { return _mm256_max_epi16(A, B); }
    static V Min(V A, V B) { return _mm256_min_epi16(A, B); }
    static V Greater(V A, V B) { return _mm256_cmpgt_epi16(A, B); }
    static V Select(V Mask, V A, V B) { return _mm256_blendv_epi8(B, A, Mask); }
    static V LaneMask(Integer Lane)
    {
        const short On = -1;
        const short L[4] = {static_cast<short>(Lane == 0 ? On : 0), static_cast<short>(Lane == 1 ? On : 0),
                            static_cast<short>(Lane == 2 ? On : 0), static_cast<short>(Lane == 3 ? On : 0)};
        return _mm256_setr_epi16(L[0], L[1], L[2], L[3], L[0], L[1], L[2], L[3], L[0], L[1], L[2], L[3], L[0], L[1],
                                 L[2], L[3]);
    }
    static V BroadcastAlpha(V A)
    {
        return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(A, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
    }
};

template <Integer Mode>
void Row(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    VectorRow<TOps, Mode>(Src, Dst, Count, M);
}

}  // namespace

namespace BlendModesAVX2 {
TBlendModeRow* const Rows[BlendModeCount] = {
    Row<0>,  Row<1>,  Row<2>,  Row<3>,  nullptr, Row<5>,  nullptr, Row<7>,  nullptr, nullptr,
    Row<10>, Row<11>, Row<12>, Row<13>, Row<14>, Row<15>, Row<16>, Row<17>, nullptr, nullptr,
    nullptr, Row<21>, Row<22>, Row<23>, nullptr, nullptr, nullptr, nullptr};
}
LM_END_AVX2
#endif
