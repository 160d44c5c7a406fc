#include "filters/Ras32_Convolution.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Component/Raster32/Ras32_Bindings.h"

namespace {

// Dst becomes a copy of Src (size and pixels); false when either is missing.
bool CopyInto(TCustomBitmap32* Dst, TCustomBitmap32* Src)
{
    if (!Dst || !Src) return false;
    if (Dst != Src) {
        Dst->SetSize(Src->Width(), Src->Height());
        if (!Src->Empty())
            std::memcpy(Dst->Bits(), Src->Bits(), sizeof(TColor32) * Src->Width() * Src->Height());
    }
    return true;
}

inline Integer Channel(TColor32 C, Integer Ch) { return static_cast<Integer>((C >> (8 * Ch)) & 0xFF); }

inline Integer Sat16(Int64 V) { return static_cast<Integer>(std::clamp<Int64>(V, -32768, 32767)); }

// Every inner pixel of Dst from Src's N x N window through Pixel(window
// origin, stride, channel) -> value, clamped to a byte. Src is read from a
// copy when it is Dst itself.
template <Integer N, class F>
void ConvolveInner(TCustomBitmap32* Dst, TCustomBitmap32* Src, F Pixel)
{
    if (!CopyInto(Dst, Src)) return;
    const Integer W = Src->Width(), H = Src->Height();
    if (W < N || H < N) return;
    const std::vector<TColor32> Copy(Src->Bits(), Src->Bits() + static_cast<size_t>(W) * H);
    constexpr Integer R = N / 2;
    for (Integer Y = R; Y < H - R; ++Y)
        for (Integer X = R; X < W - R; ++X) {
            const TColor32* Origin = Copy.data() + static_cast<size_t>(Y - R) * W + (X - R);
            TColor32 Out = 0;
            for (Integer Ch = 0; Ch < 4; ++Ch)
                Out |= static_cast<TColor32>(ClampByte(Pixel(Origin, W, Ch))) << (8 * Ch);
            Dst->SetPixel(X, Y, Out);
        }
}

template <Integer N>
Int64 WeightedSum(const TConvolutionKernel<N>& K, const TColor32* Origin, Integer Stride, Integer Ch)
{
    Int64 Sum = 0;
    for (Integer J = 0; J < N; ++J)
        for (Integer I = 0; I < N; ++I) Sum += static_cast<Int64>(K.Weights[J * N + I]) * Channel(Origin[J * Stride + I], Ch);
    return Sum;
}

template <Integer N>
Integer SaturatedSum(const TConvolutionKernel<N>& K, const TColor32* Origin, Integer Stride, Integer Ch)
{
    Integer Sum = 0;
    for (Integer J = 0; J < N; ++J)
        for (Integer I = 0; I < N; ++I)
            Sum = Sat16(static_cast<Int64>(Sum) + static_cast<Int64>(K.Weights[J * N + I]) * Channel(Origin[J * Stride + I], Ch));
    return Sum;
}

template <Integer N>
void ConvolveBias(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TConvolutionKernel<N>& K, Integer Bias)
{
    if (K.Divisor == 0) {
        CopyInto(Dst, Src);  // no division, no result: the copy stays
        return;
    }
    ConvolveInner<N>(Dst, Src, [&](const TColor32* O, Integer S, Integer Ch) {
        const Int64 V = Bias + WeightedSum(K, O, S, Ch) / K.Divisor;
        return static_cast<Integer>(std::clamp<Int64>(V, -1, 256));
    });
}

template <Integer N>
void SumPlain(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TConvolutionKernel<N>& K)
{
    ConvolveInner<N>(Dst, Src, [&](const TColor32* O, Integer S, Integer Ch) {
        return static_cast<Integer>(std::clamp<Int64>(WeightedSum(K, O, S, Ch), -1, 256));
    });
}

template <Integer N>
void SumVector(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TConvolutionKernel<N>& K)
{
    ConvolveInner<N>(Dst, Src, [&](const TColor32* O, Integer S, Integer Ch) { return SaturatedSum(K, O, S, Ch); });
    if (Dst) Dst->Changed();
}

template <Integer N>
void ShiftPlain(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TConvolutionKernel<N>& K, Integer Bias, Integer Shift)
{
    ConvolveInner<N>(Dst, Src, [&](const TColor32* O, Integer S, Integer Ch) {
        const Cardinal Sum = static_cast<Cardinal>(WeightedSum(K, O, S, Ch));
        const Int64 V = static_cast<Int64>(Sum >> (static_cast<Cardinal>(Shift) & 31)) + Bias;
        return static_cast<Integer>(std::clamp<Int64>(V, -1, 256));
    });
}

template <Integer N>
void ShiftVector(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TConvolutionKernel<N>& K, Integer Bias, Integer Shift)
{
    ConvolveInner<N>(Dst, Src, [&](const TColor32* O, Integer S, Integer Ch) {
        const Cardinal Sum16 = static_cast<Cardinal>(SaturatedSum(K, O, S, Ch)) & 0xFFFF;
        const Cardinal Shifted = static_cast<Cardinal>(Shift) >= 16 ? 0 : Sum16 >> Shift;
        return Sat16(static_cast<int16_t>(Shifted) + static_cast<Int64>(Sat16(Bias)));
    });
    if (Dst) Dst->Changed();
}

// Gaussian3x3 and LaplaceSharpen3x3 give the same bits in both forms; the
// vector Gaussian runs the bound row kernel.
void GaussianRows(TCustomBitmap32* Dst, TCustomBitmap32* Src)
{
    if (!CopyInto(Dst, Src)) return;
    const Integer W = Src->Width(), H = Src->Height();
    if (W < 3 || H < 3) return;
    const std::vector<TColor32> Copy(Src->Bits(), Src->Bits() + static_cast<size_t>(W) * H);
    for (Integer Y = 1; Y < H - 1; ++Y) {
        const TColor32* Row = Copy.data() + static_cast<size_t>(Y) * W;
        GaussianRow(Row - W + 1, Row + 1, Row + W + 1, Dst->GetPixelPtr(1, Y), W - 2);
    }
}

void GaussianPlain(TCustomBitmap32* Dst, TCustomBitmap32* Src) { GaussianRows(Dst, Src); }
void GaussianVector(TCustomBitmap32* Dst, TCustomBitmap32* Src)
{
    GaussianRows(Dst, Src);
    if (Dst) Dst->Changed();
}

Integer Laplace(const TColor32* O, Integer S, Integer Ch)
{
    return 5 * Channel(O[S + 1], Ch) - Channel(O[1], Ch) - Channel(O[S], Ch) - Channel(O[S + 2], Ch) -
           Channel(O[2 * S + 1], Ch);
}
void LaplacePlain(TCustomBitmap32* Dst, TCustomBitmap32* Src) { ConvolveInner<3>(Dst, Src, Laplace); }
void LaplaceVector(TCustomBitmap32* Dst, TCustomBitmap32* Src)
{
    ConvolveInner<3>(Dst, Src, Laplace);
    if (Dst) Dst->Changed();
}

Cardinal DistanceSquared(TColor32 C1, TColor32 C2)
{
    Cardinal Sum = 0;
    for (Integer Ch = 0; Ch < 4; ++Ch) {
        const Integer D = Channel(C2, Ch) - Channel(C1, Ch);
        Sum += static_cast<Cardinal>(D * D);
    }
    return Sum;
}

Cardinal DistanceAbs(TColor32 C1, TColor32 C2)
{
    Cardinal Sum = 0;
    for (Integer Ch = 0; Ch < 4; ++Ch) Sum += static_cast<Cardinal>(std::abs(Channel(C2, Ch) - Channel(C1, Ch)));
    return Sum;
}

void RunningSum(Single* Values, Integer Count)
{
    if (!Values) return;
    Single Running = Count > 0 ? Values[0] : 0;
    for (Integer I = 1; I < Count; ++I) {
        if (Values[I] != 0) Running += Values[I];
        Values[I] = Running;
    }
}

}  // namespace

namespace ConvolutionPas {

void GaussianRow(const TColor32* Above, const TColor32* Row, const TColor32* Below, TColor32* Dst, Integer Count)
{
    for (Integer I = 0; I < Count; ++I) {
        TColor32 Out = 0;
        for (Integer Ch = 0; Ch < 4; ++Ch) {
            auto c = [&](const TColor32* R, Integer D) { return Channel(R[I + D], Ch); };
            const Integer Sum = c(Above, -1) + 2 * c(Above, 0) + c(Above, 1) + 2 * c(Row, -1) + 4 * c(Row, 0) +
                                2 * c(Row, 1) + c(Below, -1) + 2 * c(Below, 0) + c(Below, 1);
            Out |= static_cast<TColor32>(Sum >> 4) << (8 * Ch);
        }
        Dst[I] = Out;
    }
}

}  // namespace ConvolutionPas

TConvolveProc* Gaussian3x3 = GaussianPlain;
TConvolveProc* LaplaceSharpen3x3 = LaplacePlain;
TConvolveBiasProc<3>* Convolve3x3 = ConvolveBias<3>;
TConvolveBiasProc<5>* Convolve5x5 = ConvolveBias<5>;
TConvolveBiasProc<7>* Convolve7x7 = ConvolveBias<7>;
TConvolveSumProc<3>* ConvolveSum3x3 = SumPlain<3>;
TConvolveSumProc<5>* ConvolveSum5x5 = SumPlain<5>;
TConvolveShiftProc<3>* ConvolveShift3x3 = ShiftPlain<3>;
TConvolveShiftProc<5>* ConvolveShift5x5 = ShiftPlain<5>;
TColorDistanceProc* ColorDistanceSquared = DistanceSquared;
TColorDistanceProc* ColorDistanceAbs = DistanceAbs;
TRunningSumProc* RunningSumSingles = RunningSum;
TGaussianRow* GaussianRow = ConvolutionPas::GaussianRow;

void BindConvolutionRoutines(bool Vector)
{
    Gaussian3x3 = Vector ? GaussianVector : GaussianPlain;
    LaplaceSharpen3x3 = Vector ? LaplaceVector : LaplacePlain;
    ConvolveSum3x3 = Vector ? SumVector<3> : SumPlain<3>;
    ConvolveSum5x5 = Vector ? SumVector<5> : SumPlain<5>;
    ConvolveShift3x3 = Vector ? ShiftVector<3> : ShiftPlain<3>;
    ConvolveShift5x5 = Vector ? ShiftVector<5> : ShiftPlain<5>;
}

void RegisterConvolutionBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"Ras32_Convolution bindings");
    Registry->RegisterBinding(0, &GaussianRow);
    Registry->Add(0, ConvolutionPas::GaussianRow);
#if defined(__SSE2__)
    Registry->Add(0, ConvolutionSSE2::GaussianRow, CpuFeature(ciSSE2));
#endif
    Registry->RebindAll();
    BindConvolutionRoutines(MmxBlendActive());
}
