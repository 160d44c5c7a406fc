// SSE2 row kernel of the 3x3 Gaussian: two pixels per step in 16-bit lanes
// (the largest sum, 16 x 255, fits), then one by one.
#include "filters/Ras32_Convolution.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace ConvolutionSSE2 {

void GaussianRow(const TColor32* Above, const TColor32* Row, const TColor32* Below, TColor32* Dst, Integer Count)
{
    const __m128i Zero = _mm_setzero_si128();
    auto Load = [&](const TColor32* P) {
        return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(P)), Zero);
    };
    auto Line = [&](const TColor32* P) {  // left + 2 centre + right
        return _mm_add_epi16(_mm_add_epi16(Load(P - 1), Load(P + 1)), _mm_slli_epi16(Load(P), 1));
    };
    Integer I = 0;
    for (; I + 2 <= Count; I += 2) {
        const __m128i Sum = _mm_add_epi16(_mm_add_epi16(Line(Above + I), Line(Below + I)), _mm_slli_epi16(Line(Row + I), 1));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(Dst + I), _mm_packus_epi16(_mm_srli_epi16(Sum, 4), Zero));
    }
    if (I < Count) ConvolutionPas::GaussianRow(Above + I, Row + I, Below + I, Dst + I, Count - I);
}

}  // namespace ConvolutionSSE2
#endif
