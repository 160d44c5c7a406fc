// SSE2 forms of Ras32_Resamplers' pixel routines and of the two passes of the
// kernel stretch; bit for bit the results of the portable ones.
#include "Component/Raster32/Ras32_Resamplers_Variants.h"

#if defined(LM_RAS32_RESAMPLERS_SSE2)

#include <emmintrin.h>

#include <cstring>

namespace {

inline __m128i Load2(const TColor32* P) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(P)); }

// Adds the eight 16-bit lanes (two pixels' blue, green, red, alpha) into Sum.
inline void Flush16(__m128i Acc, UInt64 Sum[4])
{
    alignas(16) Word Lanes[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(Lanes), Acc);
    for (int c = 0; c < 4; ++c) Sum[c] += static_cast<UInt64>(Lanes[c]) + Lanes[c + 4];
}

}  // namespace

TColor32 AverageBlock_SSE2(Integer Width, Integer Height, const TColor32* Src, Integer RowStride)
{
    if (Width <= 0 || Height <= 0) return 0;
    const __m128i Zero = _mm_setzero_si128();
    UInt64 Sum[4] = {};
    for (Integer y = 0; y < Height; ++y) {
        const TColor32* Row = reinterpret_cast<const TColor32*>(reinterpret_cast<const Byte*>(Src) + Int64(y) * RowStride);
        Integer x = 0;
        // Each 16-bit lane takes two pixels' channel per step: 128 steps stay below 65536.
        while (Width - x >= 4) {
            __m128i Acc = Zero;
            Integer Steps = std::min((Width - x) / 4, 128);
            for (Integer s = 0; s < Steps; ++s, x += 4) {
                __m128i P = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Row + x));
                Acc = _mm_add_epi16(Acc, _mm_add_epi16(_mm_unpacklo_epi8(P, Zero), _mm_unpackhi_epi8(P, Zero)));
            }
            Flush16(Acc, Sum);
        }
        for (; x < Width; ++x) {
            TColor32 C = Row[x];
            Sum[0] += C & 0xFF;
            Sum[1] += (C >> 8) & 0xFF;
            Sum[2] += (C >> 16) & 0xFF;
            Sum[3] += C >> 24;
        }
    }
    return AverageOfSums(Sum, static_cast<Int64>(Width) * Height);
}

TColor32 InterpolatePair_SSE2(Integer WX, Integer WY, const TColor32* C11, const TColor32* C21)
{
    const __m128i Zero = _mm_setzero_si128();
    // Weight pairs (W, 256 - W) in every 32-bit lane.
    const __m128i Wx = _mm_set1_epi32(static_cast<int>((static_cast<Cardinal>(256 - WX) << 16) | static_cast<Cardinal>(WX)));
    const __m128i Wy = _mm_set1_epi32(static_cast<int>((static_cast<Cardinal>(256 - WY) << 16) | static_cast<Cardinal>(WY)));
    __m128i Top = _mm_unpacklo_epi8(Load2(C11), Zero);     // p(x, y), p(x + 1, y) as 16-bit channels
    __m128i Bottom = _mm_unpacklo_epi8(Load2(C21), Zero);
    // Each channel of the left pixel beside the same channel of the right one.
    Top = _mm_unpacklo_epi16(Top, _mm_srli_si128(Top, 8));
    Bottom = _mm_unpacklo_epi16(Bottom, _mm_srli_si128(Bottom, 8));
    Top = _mm_srli_epi32(_mm_madd_epi16(Top, Wx), 8);
    Bottom = _mm_srli_epi32(_mm_madd_epi16(Bottom, Wx), 8);
    // Top and bottom of each channel side by side, weighted by the row weights.
    __m128i Mixed = _mm_or_si128(Top, _mm_slli_epi32(Bottom, 16));
    Mixed = _mm_srli_epi32(_mm_madd_epi16(Mixed, Wy), 8);
    Mixed = _mm_packs_epi32(Mixed, Mixed);
    return static_cast<TColor32>(_mm_cvtsi128_si32(_mm_packus_epi16(Mixed, Mixed)));
}

void KernelVerticalPass_SSE2(const TCustomBitmap32* Src, const TCluster& Cluster, Integer XLo, Integer Count,
                             TBufferEntry* Buffer)
{
    // pmaddwd takes 16-bit weights; a kernel with larger ones goes the portable way.
    for (const TPointRec& Tap : Cluster)
        if (Tap.Weight < -32768 || Tap.Weight > 32767) {
            KernelVerticalPass_Pas(Src, Cluster, XLo, Count, Buffer);
            return;
        }
    std::memset(Buffer, 0, static_cast<size_t>(Count) * sizeof(TBufferEntry));
    const __m128i Zero = _mm_setzero_si128();
    __m128i* Out = reinterpret_cast<__m128i*>(Buffer);
    size_t Taps = Cluster.size();
    // Two taps at a time: the bytes of both rows interleaved, so that one
    // multiply-add gives w0 p0 + w1 p1 for each channel of a pixel.
    for (size_t t = 0; t < Taps; t += 2) {
        const TColor32* Row0 = Src->GetPixelPtr(XLo, Cluster[t].Pos);
        bool Pair = t + 1 < Taps;
        const TColor32* Row1 = Pair ? Src->GetPixelPtr(XLo, Cluster[t + 1].Pos) : Row0;
        Integer W1 = Pair ? Cluster[t + 1].Weight : 0;
        const __m128i W = _mm_set1_epi32(static_cast<int>((static_cast<Cardinal>(W1) << 16) |
                                                          (static_cast<Cardinal>(Cluster[t].Weight) & 0xFFFF)));
        Integer x = 0;
        for (; x + 4 <= Count; x += 4) {
            __m128i A = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Row0 + x));
            __m128i B = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Row1 + x));
            __m128i Lo = _mm_unpacklo_epi8(A, B), Hi = _mm_unpackhi_epi8(A, B);
            Out[x] = _mm_add_epi32(Out[x], _mm_madd_epi16(_mm_unpacklo_epi8(Lo, Zero), W));
            Out[x + 1] = _mm_add_epi32(Out[x + 1], _mm_madd_epi16(_mm_unpackhi_epi8(Lo, Zero), W));
            Out[x + 2] = _mm_add_epi32(Out[x + 2], _mm_madd_epi16(_mm_unpacklo_epi8(Hi, Zero), W));
            Out[x + 3] = _mm_add_epi32(Out[x + 3], _mm_madd_epi16(_mm_unpackhi_epi8(Hi, Zero), W));
        }
        for (; x < Count; ++x) {
            __m128i A = _mm_cvtsi32_si128(static_cast<int>(Row0[x]));
            __m128i B = _mm_cvtsi32_si128(static_cast<int>(Row1[x]));
            Out[x] = _mm_add_epi32(Out[x], _mm_madd_epi16(_mm_unpacklo_epi8(_mm_unpacklo_epi8(A, B), Zero), W));
        }
    }
}

namespace {

// The low 32 bits of each lane's product with W (as the portable Integer products).
inline __m128i MulLo32(__m128i A, __m128i W)
{
    __m128i Even = _mm_mul_epu32(A, W);
    __m128i Odd = _mm_mul_epu32(_mm_srli_epi64(A, 32), W);
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(Even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(Odd, _MM_SHUFFLE(0, 0, 2, 0)));
}

}  // namespace

void KernelHorizontalPass_SSE2(const TBufferEntry* Buffer, Integer XLo, const TMappingTable& Map, TColor32* Colors)
{
    const __m128i* In = reinterpret_cast<const __m128i*>(Buffer);
    const __m128i Zero = _mm_setzero_si128();
    const __m128i Max = _mm_set1_epi32(0xFF0000);
    for (size_t k = 0; k < Map.size(); ++k) {
        __m128i Sum = Zero;
        for (const TPointRec& Tap : Map[k])
            Sum = _mm_add_epi32(Sum, MulLo32(_mm_loadu_si128(In + (Tap.Pos - XLo)), _mm_set1_epi32(Tap.Weight)));
        // Limited to 0 .. 0xFF0000 (no signed 32-bit min and max before SSE4.1).
        __m128i Negative = _mm_cmpgt_epi32(Zero, Sum);
        Sum = _mm_andnot_si128(Negative, Sum);
        __m128i Over = _mm_cmpgt_epi32(Sum, Max);
        Sum = _mm_or_si128(_mm_andnot_si128(Over, Sum), _mm_and_si128(Over, Max));
        Sum = _mm_srli_epi32(Sum, 16);  // B, G, R, A in the four lanes
        Sum = _mm_packs_epi32(Sum, Sum);
        Colors[k] = static_cast<TColor32>(_mm_cvtsi128_si32(_mm_packus_epi16(Sum, Sum)));
    }
}

#endif
