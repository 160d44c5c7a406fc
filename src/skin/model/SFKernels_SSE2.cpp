// SSE2 form of SFKernels' row blend: bit for bit SfKernelsPas::BlendRow.
#include "skin/model/SFKernels_Variants.h"

#if defined(LM_SF_KERNELS_SSE2)

#include <emmintrin.h>

namespace SfKernelsSSE2 {

// Two pixels per 128-bit register in 16-bit lanes: F * A + B * (256 - A)
// never exceeds 255 * 256, so the lanes cannot overflow; shr 8 truncates as
// the reference does. Alpha 0 gives B exactly; alpha 255 is copied.
void BlendRow(const TsfColor* Src, TsfColor* Dst, Integer N)
{
    const __m128i Zero = _mm_setzero_si128();
    const __m128i C256 = _mm_set1_epi16(256);
    const __m128i Opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    Integer i = 0;
    for (; i + 4 <= N; i += 4) {
        const __m128i F = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + i));
        const __m128i FA = _mm_and_si128(F, Opaque);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(FA, Zero)) == 0xFFFF) continue;
        const __m128i B = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dst + i));
        // Alphas spread over the four lanes of each pixel.
        __m128i A = _mm_srli_epi32(F, 24);
        A = _mm_or_si128(A, _mm_slli_epi32(A, 16));
        const __m128i ALo = _mm_shuffle_epi32(A, _MM_SHUFFLE(1, 1, 0, 0));
        const __m128i AHi = _mm_shuffle_epi32(A, _MM_SHUFFLE(3, 3, 2, 2));
        const __m128i FLo = _mm_unpacklo_epi8(F, Zero), FHi = _mm_unpackhi_epi8(F, Zero);
        const __m128i BLo = _mm_unpacklo_epi8(B, Zero), BHi = _mm_unpackhi_epi8(B, Zero);
        const __m128i RLo = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(FLo, ALo), _mm_mullo_epi16(BLo, _mm_sub_epi16(C256, ALo))), 8);
        const __m128i RHi = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(FHi, AHi), _mm_mullo_epi16(BHi, _mm_sub_epi16(C256, AHi))), 8);
        __m128i R = _mm_packus_epi16(RLo, RHi);
        const __m128i Full = _mm_cmpeq_epi32(FA, Opaque);
        R = _mm_or_si128(_mm_and_si128(Full, F), _mm_andnot_si128(Full, R));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + i), R);
    }
    SfKernelsPas::BlendRow(Src + i, Dst + i, N - i);
}

}  // namespace SfKernelsSSE2

#endif
