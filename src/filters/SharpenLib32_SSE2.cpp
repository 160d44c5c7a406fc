// SSE2 forms of the exponential blur passes and the sharpen row. The
// recursive filter runs in 16-bit lanes: the accumulators (channel shl 7)
// stay in 0..32640 and the step ((c shl 7 - s) * K) shr 16 is a signed high
// multiply, plus the difference itself when K needs the 16th bit
// (K = K' + 65536), which gives the reference's bits exactly.
#include "filters/SharpenLib32_Variants.h"

#if defined(LM_SHARPENLIB32_SSE2)
#include <emmintrin.h>

#include <vector>

namespace {

struct TExpCoef {
    __m128i K;
    bool Big;
    explicit TExpCoef(Integer Coefficient)
        : K(_mm_set1_epi16(static_cast<short>(Coefficient >= 32768 ? Coefficient - 65536 : Coefficient))),
          Big(Coefficient >= 32768)
    {
    }
    // S advances toward C (both channel shl 7).
    inline __m128i Step(__m128i S, __m128i C) const
    {
        const __m128i D = _mm_sub_epi16(C, S);
        __m128i Delta = _mm_mulhi_epi16(D, K);
        if (Big) Delta = _mm_add_epi16(Delta, D);
        return _mm_add_epi16(S, Delta);
    }
};

inline __m128i Widen(__m128i Pixels) { return _mm_slli_epi16(_mm_unpacklo_epi8(Pixels, _mm_setzero_si128()), 7); }
inline __m128i WidenHigh(__m128i Pixels) { return _mm_slli_epi16(_mm_unpackhi_epi8(Pixels, _mm_setzero_si128()), 7); }
inline __m128i Narrow(__m128i Lo, __m128i Hi) { return _mm_packus_epi16(_mm_srli_epi16(Lo, 7), _mm_srli_epi16(Hi, 7)); }

// 4 x 4 transpose of 32-bit elements (its own inverse).
inline void Transpose4(__m128i& A, __m128i& B, __m128i& C, __m128i& D)
{
    const __m128i T0 = _mm_unpacklo_epi32(A, B), T1 = _mm_unpacklo_epi32(C, D);
    const __m128i T2 = _mm_unpackhi_epi32(A, B), T3 = _mm_unpackhi_epi32(C, D);
    A = _mm_unpacklo_epi64(T0, T1);
    B = _mm_unpackhi_epi64(T0, T1);
    C = _mm_unpacklo_epi64(T2, T3);
    D = _mm_unpackhi_epi64(T2, T3);
}

// Four rows at once: lanes hold pixel x of rows 0 and 1 (S01) and 2 and 3 (S23).
void ExpRows4(TColor32* const (&R)[4], Integer W, const TExpCoef& K)
{
    auto Gather = [&](Integer X) {
        return _mm_setr_epi32(static_cast<int>(R[0][X]), static_cast<int>(R[1][X]), static_cast<int>(R[2][X]),
                              static_cast<int>(R[3][X]));
    };
    auto Scatter = [&](Integer X, __m128i V) {
        alignas(16) TColor32 Out[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(Out), V);
        for (Integer I = 0; I < 4; ++I) R[I][X] = Out[I];
    };
    __m128i S01, S23;
    {
        const __m128i C = Gather(0);
        S01 = Widen(C);
        S23 = WidenHigh(C);
    }
    auto One = [&](__m128i C) {
        S01 = K.Step(S01, Widen(C));
        S23 = K.Step(S23, WidenHigh(C));
        return Narrow(S01, S23);
    };
    auto LoadBlock = [&](Integer X, __m128i (&C)[4]) {
        for (Integer I = 0; I < 4; ++I) C[I] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(R[I] + X));
        Transpose4(C[0], C[1], C[2], C[3]);
    };
    auto StoreBlock = [&](Integer X, __m128i (&C)[4]) {
        Transpose4(C[0], C[1], C[2], C[3]);
        for (Integer I = 0; I < 4; ++I) _mm_storeu_si128(reinterpret_cast<__m128i*>(R[I] + X), C[I]);
    };
    Integer X = 1;
    for (; X + 4 <= W; X += 4) {
        __m128i C[4];
        LoadBlock(X, C);
        for (Integer J = 0; J < 4; ++J) C[J] = One(C[J]);
        StoreBlock(X, C);
    }
    for (; X < W; ++X) Scatter(X, One(Gather(X)));
    X = W - 2;
    for (; X - 3 >= 0; X -= 4) {
        __m128i C[4];
        LoadBlock(X - 3, C);
        for (Integer J = 3; J >= 0; --J) C[J] = One(C[J]);
        StoreBlock(X - 3, C);
    }
    for (; X >= 0; --X) Scatter(X, One(Gather(X)));
}

}  // namespace

namespace SharpenSSE2 {

void ExpBlurRows(TColor32* Bits, Integer Width, Integer Height, Integer K)
{
    if (Width <= 1 || Height <= 0) return;
    const TExpCoef Coef(K);
    Integer Y = 0;
    for (; Y + 4 <= Height; Y += 4) {
        TColor32* const R[4] = {Bits + static_cast<size_t>(Y) * Width, Bits + static_cast<size_t>(Y + 1) * Width,
                                Bits + static_cast<size_t>(Y + 2) * Width, Bits + static_cast<size_t>(Y + 3) * Width};
        ExpRows4(R, Width, Coef);
    }
    if (Y < Height) SharpenPas::ExpBlurRows(Bits + static_cast<size_t>(Y) * Width, Width, Height - Y, K);
}

void ExpBlurColumns(TColor32* Bits, Integer Width, Integer Height, Integer K)
{
    if (Width <= 0 || Height <= 1) return;
    const TExpCoef Coef(K);
    // One accumulator set per column, two columns per vector; the passes run
    // row by row, so memory is read in order.
    struct TLanes {
        __m128i V;
    };
    std::vector<TLanes> AccStore(static_cast<size_t>(Width + 1) / 2);
    auto Acc = [&](Integer I) -> __m128i& { return AccStore[static_cast<size_t>(I)].V; };
    const Integer Pairs = Width / 2;
    const bool Odd = (Width & 1) != 0;
    auto Row = [&](Integer Y) { return Bits + static_cast<size_t>(Y) * Width; };
    {
        const TColor32* P = Row(0);
        for (Integer I = 0; I < Pairs; ++I) Acc(I) = Widen(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(P + 2 * I)));
        if (Odd) Acc(Pairs) = Widen(_mm_cvtsi32_si128(static_cast<int>(P[Width - 1])));
    }
    auto Pass = [&](Integer Y) {
        TColor32* P = Row(Y);
        for (Integer I = 0; I < Pairs; ++I) {
            __m128i* Q = reinterpret_cast<__m128i*>(P + 2 * I);
            Acc(I) = Coef.Step(Acc(I), Widen(_mm_loadl_epi64(Q)));
            _mm_storel_epi64(Q, _mm_packus_epi16(_mm_srli_epi16(Acc(I), 7), _mm_setzero_si128()));
        }
        if (Odd) {
            Acc(Pairs) = Coef.Step(Acc(Pairs), Widen(_mm_cvtsi32_si128(static_cast<int>(P[Width - 1]))));
            P[Width - 1] = static_cast<TColor32>(
                _mm_cvtsi128_si32(_mm_packus_epi16(_mm_srli_epi16(Acc(Pairs), 7), _mm_setzero_si128())));
        }
    };
    for (Integer Y = 1; Y < Height; ++Y) Pass(Y);
    for (Integer Y = Height - 2; Y >= 0; --Y) Pass(Y);
}

void SharpenRow(const TColor32* Above, const TColor32* Row, const TColor32* Below, TColor32* Dst, Integer Count,
                bool Odd)
{
    const __m128i Zero = _mm_setzero_si128();
    const __m128i W28 = _mm_set1_epi16(28);
    auto Load = [&](const TColor32* P) {
        return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(P)), Zero);
    };
    Integer I = 0;
    for (; I + 2 <= Count; I += 2) {
        const __m128i Edges = _mm_add_epi16(_mm_add_epi16(Load(Above + I), Load(Below + I)),
                                            _mm_add_epi16(Load(Row + I - 1), Load(Row + I + 1)));
        const __m128i Corners = _mm_add_epi16(_mm_add_epi16(Load(Above + I - 1), Load(Above + I + 1)),
                                              _mm_add_epi16(Load(Below + I - 1), Load(Below + I + 1)));
        const __m128i Centre = _mm_mullo_epi16(Load(Row + I), W28);
        const __m128i Sum = Odd ? _mm_sub_epi16(_mm_sub_epi16(Centre, Edges), _mm_slli_epi16(Corners, 1))
                                : _mm_sub_epi16(_mm_sub_epi16(Centre, _mm_slli_epi16(Edges, 1)), Corners);
        // Negative sums clamp to 0 whether divided by truncation or by the shift.
        _mm_storel_epi64(reinterpret_cast<__m128i*>(Dst + I), _mm_packus_epi16(_mm_srai_epi16(Sum, 4), Zero));
    }
    if (I < Count) SharpenPas::SharpenRow(Above + I, Row + I, Below + I, Dst + I, Count - I, Odd);
}

}  // namespace SharpenSSE2
#endif
