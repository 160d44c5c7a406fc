// SSE2 forms of the logical mask rows: four pixels per step, then one by one.
#include "filters/Ras32_Filters_Variants.h"

#if defined(LM_RAS32_FILTERS_SSE2)
#include <emmintrin.h>

namespace {

template <class Op>
inline void MaskRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask, Op Apply)
{
    const __m128i M = _mm_set1_epi32(static_cast<int>(Mask));
    Integer I = 0;
    for (; I + 4 <= Count; I += 4) {
        __m128i V = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + I));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + I), Apply(V, M));
    }
    for (; I < Count; ++I) {
        __m128i V = _mm_cvtsi32_si128(static_cast<int>(Src[I]));
        Dst[I] = static_cast<TColor32>(_mm_cvtsi128_si32(Apply(V, M)));
    }
}

const auto And = [](__m128i A, __m128i B) { return _mm_and_si128(A, B); };
const auto Or = [](__m128i A, __m128i B) { return _mm_or_si128(A, B); };
const auto Xor = [](__m128i A, __m128i B) { return _mm_xor_si128(A, B); };

}  // namespace

namespace FiltersSSE2 {

void AndRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count) { MaskRow(Dst, Dst, Count, Mask, And); }
void OrRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count) { MaskRow(Dst, Dst, Count, Mask, Or); }
void XorRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count) { MaskRow(Dst, Dst, Count, Mask, Xor); }
void AndRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask) { MaskRow(Src, Dst, Count, Mask, And); }
void OrRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask) { MaskRow(Src, Dst, Count, Mask, Or); }
void XorRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask) { MaskRow(Src, Dst, Count, Mask, Xor); }

}  // namespace FiltersSSE2
#endif
