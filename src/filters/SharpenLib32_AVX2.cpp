// AVX2 forms of the exponential blur passes and the sharpen row: the same
// 16-bit arithmetic as the SSE2 forms, twice as wide (see there).
#include "filters/SharpenLib32_Variants.h"

#if defined(LM_SHARPENLIB32_SSE2)
#include <vector>

#include "Component/Raster32/Ras32_TargetAVX2.h"

LM_BEGIN_AVX2

namespace {

struct TExpCoef {
    __m256i K;
    bool Big;
    explicit TExpCoef(Integer Coefficient)
        : K(_mm256_set1_epi16(static_cast<short>(Coefficient >= 32768 ? Coefficient - 65536 : Coefficient))),
          Big(Coefficient >= 32768)
    {
    }
    inline __m256i Step(__m256i S, __m256i C) const
    {
        const __m256i D = _mm256_sub_epi16(C, S);
        __m256i Delta = _mm256_mulhi_epi16(D, K);
        if (Big) Delta = _mm256_add_epi16(Delta, D);
        return _mm256_add_epi16(S, Delta);
    }
};

// Four pixels (16 bytes) to 16 lanes shl 7, and back.
inline __m256i Widen(__m128i Pixels) { return _mm256_slli_epi16(_mm256_cvtepu8_epi16(Pixels), 7); }
inline __m128i Narrow(__m256i S)
{
    const __m256i V = _mm256_srli_epi16(S, 7);
    return _mm_packus_epi16(_mm256_castsi256_si128(V), _mm256_extracti128_si256(V, 1));
}

inline void Transpose4(__m128i& A, __m128i& B, __m128i& C, __m128i& D)
{
    const __m128i T0 = _mm_unpacklo_epi32(A, B), T1 = _mm_unpacklo_epi32(C, D);
    const __m128i T2 = _mm_unpackhi_epi32(A, B), T3 = _mm_unpackhi_epi32(C, D);
    A = _mm_unpacklo_epi64(T0, T1);
    B = _mm_unpackhi_epi64(T0, T1);
    C = _mm_unpacklo_epi64(T2, T3);
    D = _mm_unpackhi_epi64(T2, T3);
}

// Eight rows at once in two independent chains (rows 0-3 and 4-7).
void ExpRows8(TColor32* const* R, Integer W, const TExpCoef& K)
{
    auto Gather = [&](Integer X, Integer First) {
        return _mm_setr_epi32(static_cast<int>(R[First][X]), static_cast<int>(R[First + 1][X]),
                              static_cast<int>(R[First + 2][X]), static_cast<int>(R[First + 3][X]));
    };
    auto Scatter = [&](Integer X, Integer First, __m128i V) {
        alignas(16) TColor32 Out[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(Out), V);
        for (Integer I = 0; I < 4; ++I) R[First + I][X] = Out[I];
    };
    __m256i SA = Widen(Gather(0, 0)), SB = Widen(Gather(0, 4));
    auto Block = [&](Integer X, bool Backward) {
        __m128i A[4], B[4];
        for (Integer I = 0; I < 4; ++I) {
            A[I] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(R[I] + X));
            B[I] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(R[I + 4] + X));
        }
        Transpose4(A[0], A[1], A[2], A[3]);
        Transpose4(B[0], B[1], B[2], B[3]);
        for (Integer N = 0; N < 4; ++N) {
            const Integer J = Backward ? 3 - N : N;
            SA = K.Step(SA, Widen(A[J]));
            SB = K.Step(SB, Widen(B[J]));
            A[J] = Narrow(SA);
            B[J] = Narrow(SB);
        }
        Transpose4(A[0], A[1], A[2], A[3]);
        Transpose4(B[0], B[1], B[2], B[3]);
        for (Integer I = 0; I < 4; ++I) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(R[I] + X), A[I]);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(R[I + 4] + X), B[I]);
        }
    };
    auto Single = [&](Integer X) {
        SA = K.Step(SA, Widen(Gather(X, 0)));
        SB = K.Step(SB, Widen(Gather(X, 4)));
        Scatter(X, 0, Narrow(SA));
        Scatter(X, 4, Narrow(SB));
    };
    Integer X = 1;
    for (; X + 4 <= W; X += 4) Block(X, false);
    for (; X < W; ++X) Single(X);
    X = W - 2;
    for (; X - 3 >= 0; X -= 4) Block(X - 3, true);
    for (; X >= 0; --X) Single(X);
}

}  // namespace

namespace SharpenAVX2 {

void ExpBlurRows(TColor32* Bits, Integer Width, Integer Height, Integer K)
{
    if (Width <= 1 || Height <= 0) return;
    const TExpCoef Coef(K);
    Integer Y = 0;
    for (; Y + 8 <= Height; Y += 8) {
        TColor32* R[8];
        for (Integer I = 0; I < 8; ++I) R[I] = Bits + static_cast<size_t>(Y + I) * Width;
        ExpRows8(R, Width, Coef);
    }
    if (Y < Height) SharpenSSE2::ExpBlurRows(Bits + static_cast<size_t>(Y) * Width, Width, Height - Y, K);
}

void ExpBlurColumns(TColor32* Bits, Integer Width, Integer Height, Integer K)
{
    if (Width <= 0 || Height <= 1) return;
    if (Width < 4) {
        SharpenSSE2::ExpBlurColumns(Bits, Width, Height, K);
        return;
    }
    const TExpCoef Coef(K);
    // Four columns per vector; the last vector overlaps the one before it when
    // the width is not a multiple of four. Its input is read before the
    // others store, so its overlapping lanes see the same values and store
    // the same bits.
    const Integer Groups = (Width + 3) / 4;
    // The accumulators, 16 lanes per group, in plain memory (unaligned loads).
    std::vector<int16_t> AccStore(static_cast<size_t>(Groups) * 16);
    auto AccAt = [&](Integer G) { return reinterpret_cast<__m256i*>(AccStore.data() + static_cast<size_t>(G) * 16); };
    auto Start = [&](Integer G) { return G + 1 < Groups ? 4 * G : Width - 4; };
    const TColor32* P0 = Bits;
    for (Integer G = 0; G < Groups; ++G)
        _mm256_storeu_si256(AccAt(G), Widen(_mm_loadu_si128(reinterpret_cast<const __m128i*>(P0 + Start(G)))));
    auto Pass = [&](Integer Y) {
        TColor32* P = Bits + static_cast<size_t>(Y) * Width;
        __m128i* Last = reinterpret_cast<__m128i*>(P + Start(Groups - 1));
        const __m128i LastIn = _mm_loadu_si128(Last);
        for (Integer G = 0; G + 1 < Groups; ++G) {
            __m128i* Q = reinterpret_cast<__m128i*>(P + Start(G));
            const __m256i S = Coef.Step(_mm256_loadu_si256(AccAt(G)), Widen(_mm_loadu_si128(Q)));
            _mm256_storeu_si256(AccAt(G), S);
            _mm_storeu_si128(Q, Narrow(S));
        }
        const __m256i S = Coef.Step(_mm256_loadu_si256(AccAt(Groups - 1)), Widen(LastIn));
        _mm256_storeu_si256(AccAt(Groups - 1), S);
        _mm_storeu_si128(Last, Narrow(S));
    };
    for (Integer Y = 1; Y < Height; ++Y) Pass(Y);
    for (Integer Y = Height - 2; Y >= 0; --Y) Pass(Y);
}

void SharpenRow(const TColor32* Above, const TColor32* Row, const TColor32* Below, TColor32* Dst, Integer Count,
                bool Odd)
{
    const __m256i W28 = _mm256_set1_epi16(28);
    auto Load = [&](const TColor32* P) {
        return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(P)));
    };
    Integer I = 0;
    for (; I + 4 <= Count; I += 4) {
        const __m256i Edges = _mm256_add_epi16(_mm256_add_epi16(Load(Above + I), Load(Below + I)),
                                               _mm256_add_epi16(Load(Row + I - 1), Load(Row + I + 1)));
        const __m256i Corners = _mm256_add_epi16(_mm256_add_epi16(Load(Above + I - 1), Load(Above + I + 1)),
                                                 _mm256_add_epi16(Load(Below + I - 1), Load(Below + I + 1)));
        const __m256i Centre = _mm256_mullo_epi16(Load(Row + I), W28);
        const __m256i Sum = Odd ? _mm256_sub_epi16(_mm256_sub_epi16(Centre, Edges), _mm256_slli_epi16(Corners, 1))
                                : _mm256_sub_epi16(_mm256_sub_epi16(Centre, _mm256_slli_epi16(Edges, 1)), Corners);
        const __m256i V = _mm256_srai_epi16(Sum, 4);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + I),
                         _mm_packus_epi16(_mm256_castsi256_si128(V), _mm256_extracti128_si256(V, 1)));
    }
    if (I < Count) SharpenSSE2::SharpenRow(Above + I, Row + I, Below + I, Dst + I, Count - I, Odd);
}

}  // namespace SharpenAVX2
LM_END_AVX2
#endif
