// AVX2 forms of the logical mask rows: eight pixels per step, then one by one.
#include "filters/Ras32_Filters_Variants.h"

#if defined(LM_RAS32_FILTERS_SSE2)
#include "Component/Raster32/Ras32_TargetAVX2.h"

LM_BEGIN_AVX2

namespace {

template <class Op>
inline void MaskRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask, const Op& Apply)
{
    const __m256i M = _mm256_set1_epi32(static_cast<int>(Mask));
    Integer I = 0;
    for (; I + 8 <= Count; I += 8) {
        __m256i V = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Src + I));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(Dst + I), Apply(V, M));
    }
    const Integer Tail = Count - I;
    if (Tail > 0) {
        // A masked load and store of the last pixels, never touching memory past them.
        const __m256i Lanes = _mm256_cmpgt_epi32(_mm256_set1_epi32(Tail), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        __m256i V = _mm256_maskload_epi32(reinterpret_cast<const int*>(Src + I), Lanes);
        _mm256_maskstore_epi32(reinterpret_cast<int*>(Dst + I), Lanes, Apply(V, M));
    }
}

struct TAnd {
    __m256i operator()(__m256i A, __m256i B) const { return _mm256_and_si256(A, B); }
};
struct TOr {
    __m256i operator()(__m256i A, __m256i B) const { return _mm256_or_si256(A, B); }
};
struct TXor {
    __m256i operator()(__m256i A, __m256i B) const { return _mm256_xor_si256(A, B); }
};
const TAnd And;
const TOr Or;
const TXor Xor;

}  // namespace

namespace FiltersAVX2 {

void AndRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count) { MaskRow(Dst, Dst, Count, Mask, And); }
void OrRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count) { MaskRow(Dst, Dst, Count, Mask, Or); }
void XorRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count) { MaskRow(Dst, Dst, Count, Mask, Xor); }
void AndRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask) { MaskRow(Src, Dst, Count, Mask, And); }
void OrRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask) { MaskRow(Src, Dst, Count, Mask, Or); }
void XorRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask) { MaskRow(Src, Dst, Count, Mask, Xor); }

}  // namespace FiltersAVX2
LM_END_AVX2
#endif
