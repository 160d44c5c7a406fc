#include "filters/SharpenLib32.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "Component/Raster32/Ras32_Bindings.h"
#include "filters/Ras32_Convolution.h"
#include "filters/SharpenLib32_Variants.h"

// ---------------------------------------------------------------------------
// Reference passes

namespace {

// One step of the recursive filter on the four channels: s += ((c shl 7 - s) * K) shr 16
// (arithmetic shift), then the pixel is the accumulators shr 7.
inline void ExpStep(Int64 (&S)[4], TColor32& P, Integer K)
{
    TColor32 Out = 0;
    for (Integer Ch = 0; Ch < 4; ++Ch) {
        const Int64 c = (P >> (8 * Ch)) & 0xFF;
        S[Ch] += ((c << 7) - S[Ch]) * K >> 16;
        Out |= static_cast<TColor32>(S[Ch] >> 7) << (8 * Ch);
    }
    P = Out;
}

inline void ExpLine(TColor32* P, Integer Count, Integer Stride, Integer K)
{
    if (Count <= 0) return;
    Int64 S[4];
    for (Integer Ch = 0; Ch < 4; ++Ch) S[Ch] = static_cast<Int64>((P[0] >> (8 * Ch)) & 0xFF) << 7;
    for (Integer I = 1; I < Count; ++I) ExpStep(S, P[static_cast<size_t>(I) * Stride], K);
    for (Integer I = Count - 2; I >= 0; --I) ExpStep(S, P[static_cast<size_t>(I) * Stride], K);
}

// The sum of the 3 x 3 window of one channel, divided by 16 and clamped.
inline Integer SharpenChannel(const TColor32 (&W)[9], Integer Shift, bool Odd)
{
    auto c = [&](Integer I) { return static_cast<Integer>((W[I] >> Shift) & 0xFF); };
    const Integer Edges = c(1) + c(3) + c(5) + c(7);
    const Integer Corners = c(0) + c(2) + c(6) + c(8);
    const Integer Sum = Odd ? 28 * c(4) - Edges - 2 * Corners : 28 * c(4) - 2 * Edges - Corners;
    return ClampByte(Sum / 16);
}

inline TColor32 SharpenPixel(const TColor32 (&W)[9], bool Odd)
{
    return static_cast<TColor32>(SharpenChannel(W, 24, Odd)) << 24 | static_cast<TColor32>(SharpenChannel(W, 16, Odd)) << 16 |
           static_cast<TColor32>(SharpenChannel(W, 8, Odd)) << 8 | static_cast<TColor32>(SharpenChannel(W, 0, Odd));
}

}  // namespace

namespace SharpenPas {

void ExpBlurRows(TColor32* Bits, Integer Width, Integer Height, Integer K)
{
    for (Integer Y = 0; Y < Height; ++Y) ExpLine(Bits + static_cast<size_t>(Y) * Width, Width, 1, K);
}

void ExpBlurColumns(TColor32* Bits, Integer Width, Integer Height, Integer K)
{
    for (Integer X = 0; X < Width; ++X) ExpLine(Bits + X, Height, Width, K);
}

void SharpenRow(const TColor32* Above, const TColor32* Row, const TColor32* Below, TColor32* Dst, Integer Count,
                bool Odd)
{
    for (Integer I = 0; I < Count; ++I) {
        const TColor32 W[9] = {Above[I - 1], Above[I], Above[I + 1], Row[I - 1], Row[I],
                               Row[I + 1],   Below[I - 1], Below[I], Below[I + 1]};
        Dst[I] = SharpenPixel(W, Odd);
    }
}

}  // namespace SharpenPas

// ---------------------------------------------------------------------------
// Bindings

TExpBlurPass* ExpBlurRows = SharpenPas::ExpBlurRows;
TExpBlurPass* ExpBlurColumns = SharpenPas::ExpBlurColumns;
TSharpenRow* SharpenRow = SharpenPas::SharpenRow;

namespace {

#if defined(LM_SHARPENLIB32_SSE2)
#define LM_SHARPEN_REGISTER(Name)                                     \
    Registry->RegisterBinding(FID_##Name, &::Name);                   \
    Registry->Add(FID_##Name, SharpenPas::Name);                      \
    Registry->Add(FID_##Name, SharpenSSE2::Name, CpuFeature(ciSSE2)); \
    Registry->Add(FID_##Name, SharpenAVX2::Name, CpuFeature(ciAVX2))
#else
#define LM_SHARPEN_REGISTER(Name)                   \
    Registry->RegisterBinding(FID_##Name, &::Name); \
    Registry->Add(FID_##Name, SharpenPas::Name)
#endif

}  // namespace

void RegisterSharpenBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"SharpenLib32 bindings");
    LM_SHARPEN_REGISTER(ExpBlurRows);
    LM_SHARPEN_REGISTER(ExpBlurColumns);
    LM_SHARPEN_REGISTER(SharpenRow);
    Registry->RebindAll();
}

#undef LM_SHARPEN_REGISTER

// ---------------------------------------------------------------------------
// Filters

void SmoothRect(TCustomBitmap32* Bitmap, Integer X1, Integer Y1, Integer Y2, Integer X2)
{
    if (!Bitmap || Bitmap->Empty()) return;
    if (X2 < X1) std::swap(X1, X2);
    if (Y2 < Y1) std::swap(Y1, Y2);
    X1 = std::max(X1, 1);
    Y1 = std::max(Y1, 1);
    X2 = std::min(X2, Bitmap->Width() - 2);
    Y2 = std::min(Y2, Bitmap->Height() - 2);
    const Integer W = Bitmap->Width();
    TColor32* P = Bitmap->Bits();
    // In place: the upper and left neighbours already hold their new values.
    for (Integer Y = Y1; Y <= Y2; ++Y)
        for (Integer X = X1; X <= X2; ++X) {
            TColor32* C = P + static_cast<size_t>(Y) * W + X;
            const TColor32 Up = C[-W], Down = C[W], Left = C[-1], Right = C[1];
            TColor32 Out = 0;
            for (Integer Shift = 0; Shift < 32; Shift += 8) {
                const Cardinal Sum = ((Up >> Shift) & 0xFF) + ((Down >> Shift) & 0xFF) + ((Left >> Shift) & 0xFF) +
                                     ((Right >> Shift) & 0xFF);
                Out |= (Sum >> 2) << Shift;
            }
            *C = Out;
        }
}

void SmoothBitmap(TCustomBitmap32* Bitmap, Integer Count)
{
    if (!Bitmap) return;
    for (Integer I = 0; I < Count; ++I) SmoothRect(Bitmap, 0, 0, Bitmap->Height(), Bitmap->Width());
}

namespace {

// The box means of SoftenBitmap and DenoiseBitmap: for every pixel whose
// alpha is not 0, the means of red, green and blue over the non-transparent
// pixels of its (2 Radius + 1) window, clipped to the bitmap, read from the
// pixels as they were before the pass.
//
// Column sums slide down the bitmap and the window sums along each row, so a
// pixel costs the same whatever the radius. The pass works in place: the rows
// below the current one are still untouched, and the few rows above that
// must leave the column sums later are kept in a ring of saved rows (instead
// of a copy of the whole picture).
struct TColumnSum {
    Cardinal R = 0, G = 0, B = 0, N = 0;
};

// Adds (Sign 1) or removes (Sign -1) one row's non-transparent pixels to the
// column sums, without a branch per pixel.
void AccumulateRow(TColumnSum* Columns, const TColor32* Row, Integer W, Cardinal Sign)
{
    for (Integer X = 0; X < W; ++X) {
        const TColor32 C = Row[X];
        const Cardinal Mask = (0u - ((C >> 24) != 0)) & Sign;
        TColumnSum& Col = Columns[X];
        Col.R += ((C >> 16) & 0xFF) * Mask;
        Col.G += ((C >> 8) & 0xFF) * Mask;
        Col.B += (C & 0xFF) * Mask;
        Col.N += Mask;
    }
}

// Sum div N by a multiplication: Recip[N] = ceil(2^40 / N). With Sum <= 255 N
// the quotient is exact while 255 N (N - 1) < 2^40, i.e. N <= 65664.
constexpr Integer MaxReciprocalCount = 65536;

struct TReciprocalDivide {
    std::vector<UInt64> Recip;
    explicit TReciprocalDivide(Integer MaxN) : Recip(static_cast<size_t>(MaxN) + 1)
    {
        for (Integer N = 1; N <= MaxN; ++N) Recip[static_cast<size_t>(N)] = ((UInt64(1) << 40) + N - 1) / UInt64(N);
    }
    Integer operator()(Cardinal Sum, Cardinal N) const { return static_cast<Integer>((Sum * Recip[N]) >> 40); }
};

// Windows too large for the table: the sums may pass 32 bits.
struct TPlainDivide {
    Integer operator()(UInt64 Sum, Cardinal N) const { return static_cast<Integer>(Sum / N); }
};

template <class TSum, class TDivide, class Visit>
void BoxMeanRows(TColor32* P, Integer W, Integer H, Integer Radius, const TDivide& Divide, Visit Fn)
{
    // Column X lives at Columns[X + Radius + 1]; the zero columns around the
    // bitmap let the row window slide without tests at its ends.
    std::vector<TColumnSum> Padded(static_cast<size_t>(W) + 2 * static_cast<size_t>(Radius) + 2);
    TColumnSum* Columns = Padded.data() + Radius + 1;
    // Rows Y - Radius - 1 .. Y - 1 as they were, at index row mod RingRows.
    const Integer RingRows = Radius + 1 < H ? Radius + 1 : 0;
    std::vector<TColor32> Ring(static_cast<size_t>(RingRows) * W);
    auto RowOf = [&](Integer Y) { return P + static_cast<size_t>(Y) * W; };
    for (Integer Y = 0; Y <= std::min(Radius, H - 1); ++Y) AccumulateRow(Columns, RowOf(Y), W, 1);
    for (Integer Y = 0; Y < H; ++Y) {
        TColor32* Saved = RingRows ? Ring.data() + static_cast<size_t>(Y % RingRows) * W : nullptr;
        if (Y > 0) {
            if (Y + Radius <= H - 1) AccumulateRow(Columns, RowOf(Y + Radius), W, 1);
            // The saved row Y - Radius - 1 shares its slot with row Y.
            if (Y - Radius - 1 >= 0) AccumulateRow(Columns, Saved, W, ~0u);
        }
        TColor32* Row = RowOf(Y);
        if (Saved) std::memcpy(Saved, Row, sizeof(TColor32) * static_cast<size_t>(W));
        // The window of pixel -1: columns -Radius - 1 .. Radius - 1.
        TSum R = 0, G = 0, B = 0;
        Cardinal N = 0;
        for (Integer X = -Radius - 1; X < Radius; ++X) {
            const TColumnSum& Col = Columns[X];
            R += Col.R, G += Col.G, B += Col.B, N += Col.N;
        }
        for (Integer X = 0; X < W; ++X) {
            const TColumnSum& In = Columns[X + Radius];
            const TColumnSum& Out = Columns[X - Radius - 1];
            R += TSum(In.R) - TSum(Out.R);
            G += TSum(In.G) - TSum(Out.G);
            B += TSum(In.B) - TSum(Out.B);
            N += In.N - Out.N;
            TColor32& C = Row[X];
            if (N == 0 || (C >> 24) == 0) continue;
            Fn(C, Divide(R, N), Divide(G, N), Divide(B, N));
        }
    }
}

// Fn(C, mR, mG, mB) for every pixel of the bitmap whose alpha is not 0.
template <class Visit>
void ForEachBoxMean(TCustomBitmap32* Bitmap, Integer Radius, Visit Fn)
{
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    // A window larger than the bitmap covers it all.
    Radius = std::min(Radius, std::max(W, H));
    const Int64 Side = 2 * static_cast<Int64>(Radius) + 1;
    const Int64 MaxN = std::min<Int64>(Side, W) * std::min<Int64>(Side, H);
    if (MaxN <= MaxReciprocalCount)
        BoxMeanRows<Cardinal>(Bitmap->Bits(), W, H, Radius, TReciprocalDivide(static_cast<Integer>(MaxN)), Fn);
    else
        BoxMeanRows<UInt64>(Bitmap->Bits(), W, H, Radius, TPlainDivide(), Fn);
}

}  // namespace

void SoftenBitmap(TCustomBitmap32* Bitmap, Integer Radius, Integer /*Reserved*/)
{
    if (!Bitmap || Bitmap->Width() < 3 || Bitmap->Height() < 3 || Radius <= 0) return;
    ForEachBoxMean(Bitmap, Radius, [](TColor32& C, Integer mR, Integer mG, Integer mB) {
        // A third of the way toward the mean (truncating toward zero): never
        // past the mean, so no clamp is needed.
        auto Move = [](Integer M, Integer c) { return static_cast<TColor32>(c + (M - c) / 3); };
        C = (C & 0xFF000000) | Move(mR, RedOf(C)) << 16 | Move(mG, GreenOf(C)) << 8 | Move(mB, BlueOf(C));
    });
}

void DenoiseBitmap(TCustomBitmap32* Bitmap, Integer Radius, Integer Threshold)
{
    if (!Bitmap || Bitmap->Width() < 3 || Bitmap->Height() < 3 || Radius <= 0) return;
    ForEachBoxMean(Bitmap, Radius, [Threshold](TColor32& C, Integer mR, Integer mG, Integer mB) {
        if (std::abs(mR - RedOf(C)) <= Threshold || std::abs(mG - GreenOf(C)) <= Threshold ||
            std::abs(mB - BlueOf(C)) <= Threshold)
            C = (C & 0xFF000000) | static_cast<TColor32>(mR) << 16 | static_cast<TColor32>(mG) << 8 |
                static_cast<TColor32>(mB);
    });
}

void SharpenBitmap(TCustomBitmap32* Bitmap, Integer Amount)
{
    if (!Bitmap || Bitmap->Empty()) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    const bool Odd = (Amount & 1) != 0;
    TColor32* P = Bitmap->Bits();
    // Only the rows above and at the current one need their old values: the
    // current row's old copy and the previous row's are kept in two buffers
    // (padded by one pixel on each side for the inner-pixel row routine).
    std::vector<TColor32> Prev(static_cast<size_t>(W) + 2), Cur(static_cast<size_t>(W) + 2);
    std::copy_n(P, static_cast<size_t>(W), Cur.data() + 1);
    // Window of (X, Y), with neighbours outside the bitmap replaced by the centre.
    auto EdgePixel = [&](const TColor32* Above, const TColor32* Row, const TColor32* Below, Integer X) {
        TColor32 Win[9];
        for (Integer Dy = -1; Dy <= 1; ++Dy) {
            const TColor32* R = Dy < 0 ? Above : (Dy > 0 ? Below : Row);
            for (Integer Dx = -1; Dx <= 1; ++Dx) {
                const bool Inside = R && X + Dx >= 0 && X + Dx < W;
                Win[(Dy + 1) * 3 + Dx + 1] = Inside ? R[X + Dx] : Row[X];
            }
        }
        return SharpenPixel(Win, Odd);
    };
    for (Integer Y = 0; Y < H; ++Y) {
        const TColor32* Above = Y > 0 ? Prev.data() + 1 : nullptr;
        const TColor32* Row = Cur.data() + 1;
        const TColor32* Below = Y + 1 < H ? P + static_cast<size_t>(Y + 1) * W : nullptr;
        TColor32* Dst = P + static_cast<size_t>(Y) * W;
        if (Above && Below && W > 2) {
            SharpenRow(Above + 1, Row + 1, Below + 1, Dst + 1, W - 2, Odd);
            Dst[0] = EdgePixel(Above, Row, Below, 0);
            Dst[W - 1] = EdgePixel(Above, Row, Below, W - 1);
        } else {
            for (Integer X = 0; X < W; ++X) Dst[X] = EdgePixel(Above, Row, Below, X);
        }
        std::swap(Prev, Cur);
        if (Below) std::memcpy(Cur.data() + 1, Below, sizeof(TColor32) * W);
    }
}

Integer ExpBlurCoefficient(Integer Radius)
{
    return static_cast<Integer>(Round((1 - std::exp(-2.3 / (static_cast<double>(Radius) + 1))) * 65536));
}

void ExponentialBlur(TCustomBitmap32* Bitmap, Integer Radius)
{
    if (!Bitmap || Bitmap->Empty() || Radius <= 0) return;
    const Integer K = ExpBlurCoefficient(Radius);
    ExpBlurRows(Bitmap->Bits(), Bitmap->Width(), Bitmap->Height(), K);
    ExpBlurColumns(Bitmap->Bits(), Bitmap->Width(), Bitmap->Height(), K);
}

void GaussianBlur3x3(TCustomBitmap32* Bitmap)
{
    if (!Bitmap || Bitmap->Empty()) return;
    TCustomBitmap32 Copy;
    Copy.SetSize(Bitmap->Width(), Bitmap->Height());
    std::memcpy(Copy.Bits(), Bitmap->Bits(), sizeof(TColor32) * Bitmap->Width() * Bitmap->Height());
    Gaussian3x3(Bitmap, &Copy);
}
