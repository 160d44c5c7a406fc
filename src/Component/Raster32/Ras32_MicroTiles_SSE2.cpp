// SSE2 forms of the tile unions: the results of MicroTilesPas, four tiles at a time.
#include "Component/Raster32/Ras32_MicroTiles_Variants.h"

#if defined(LM_RAS32_MICROTILES_SSE2)

#include <emmintrin.h>

namespace {

// Per 32-bit lane: the union of Dst and Src with the rules of TileUnion.
// Left and Top (the high half) take the byte minimum, Right and Bottom the maximum.
inline __m128i UnionLanes(__m128i D, __m128i S)
{
    const __m128i Zero = _mm_setzero_si128();
    const __m128i Full = _mm_set1_epi32(static_cast<int>(MICROTILE_FULL));
    const __m128i HighHalf = _mm_set1_epi32(static_cast<int>(0xFFFF0000u));
    const __m128i LowHalf = _mm_set1_epi32(0x0000FFFF);
    // Src covers nothing when Left = Right or Top = Bottom: compare (., ., L, T) with (., ., R, B).
    __m128i SidesEqual = _mm_and_si128(_mm_cmpeq_epi8(_mm_srli_epi32(S, 16), S), LowHalf);
    __m128i Covers = _mm_cmpeq_epi32(SidesEqual, Zero);
    __m128i Keep = _mm_or_si128(_mm_cmpeq_epi32(D, Full), _mm_andnot_si128(Covers, _mm_set1_epi32(-1)));
    __m128i TakeSrc = _mm_or_si128(_mm_cmpeq_epi32(D, Zero), _mm_cmpeq_epi32(S, Full));
    __m128i Union = _mm_or_si128(_mm_and_si128(_mm_min_epu8(D, S), HighHalf), _mm_and_si128(_mm_max_epu8(D, S), LowHalf));
    __m128i R = _mm_or_si128(_mm_and_si128(TakeSrc, S), _mm_andnot_si128(TakeSrc, Union));
    return _mm_or_si128(_mm_and_si128(Keep, D), _mm_andnot_si128(Keep, R));
}

// Full wherever Src dirties something, else Dst.
inline __m128i WholeLanes(__m128i D, __m128i S)
{
    const __m128i LowHalf = _mm_set1_epi32(0x0000FFFF);
    __m128i SidesEqual = _mm_and_si128(_mm_cmpeq_epi8(_mm_srli_epi32(S, 16), S), LowHalf);
    __m128i Covers = _mm_cmpeq_epi32(SidesEqual, _mm_setzero_si128());  // an empty tile covers nothing
    return _mm_or_si128(_mm_and_si128(Covers, _mm_set1_epi32(static_cast<int>(MICROTILE_FULL))),
                        _mm_andnot_si128(Covers, D));
}

template <bool Whole>
void UnionRow(TMicroTile* D, const TMicroTile* S, Integer Count)
{
    Integer I = 0;
    for (; I + 4 <= Count; I += 4) {
        __m128i Dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(D + I));
        __m128i Sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(S + I));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(D + I), Whole ? WholeLanes(Dv, Sv) : UnionLanes(Dv, Sv));
    }
    for (; I < Count; ++I) {
        __m128i Dv = _mm_cvtsi32_si128(static_cast<int>(D[I]));
        __m128i Sv = _mm_cvtsi32_si128(static_cast<int>(S[I]));
        D[I] = static_cast<TMicroTile>(_mm_cvtsi128_si32(Whole ? WholeLanes(Dv, Sv) : UnionLanes(Dv, Sv)));
    }
}

}  // namespace

namespace MicroTilesSSE2 {

void TileUnion(TMicroTile& Dst, TMicroTile Src)
{
    UnionRow<false>(&Dst, &Src, 1);
}

void TilesUnion(TMicroTiles& Dst, const TMicroTiles& Src, bool RoundToWholeTiles)
{
    if (Src.Count == 0 || !Src.Tiles) return;
    if (Dst.Tiles) {
        TTilesUnionSpan Span = TilesUnionSpan(Dst, Src);
        Integer Width = Span.Right - Span.Left + 1;
        for (Integer Row = Span.Top; Row <= Span.Bottom && Width > 0; ++Row) {
            TMicroTile* D = Dst.Tiles + Row * Dst.Columns + Span.Left;
            const TMicroTile* S = Src.Tiles + Row * Src.Columns + Span.Left;
            if (RoundToWholeTiles) UnionRow<true>(D, S, Width);
            else UnionRow<false>(D, S, Width);
        }
    }
    TilesUnionBounds(Dst, Src);
}

}  // namespace MicroTilesSSE2

#endif
