#include "Component/Raster32/Ras32_Resamplers.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <typeinfo>

#include "Component/Raster32/Ras32_Bindings.h"
#include "Component/Raster32/Ras32_Math.h"
#include "Component/Raster32/Ras32_Resamplers_Variants.h"
#include "framework/runtime/Maths.h"
#include "framework/runtime/SysUtils.h"

namespace {

constexpr Single Pi = 3.14159265358979323846f;

// Rounded half to even, NaN as 0, saturated to the Integer range.
inline Integer RoundInt(Single V)
{
    if (!(V == V)) return 0;
    if (V >= 2147483520.0f) return std::numeric_limits<Integer>::max();
    if (V <= -2147483648.0f) return std::numeric_limits<Integer>::min();
    return static_cast<Integer>(Round(V));
}

inline Integer FloorInt(Single V)
{
    if (!(V == V)) return 0;
    return static_cast<Integer>(std::clamp(std::floor(static_cast<double>(V)), -2147483648.0, 2147483647.0));
}

inline Integer CeilInt(Single V)
{
    if (!(V == V)) return 0;
    return static_cast<Integer>(std::clamp(std::ceil(static_cast<double>(V)), -2147483648.0, 2147483647.0));
}

// Coordinates far beyond any bitmap are held here, so that sums of taps and
// coordinates cannot leave the Integer range.
constexpr Single SampleLimit = 1 << 29;
inline Single LimitCoordinate(Single V) { return V == V ? std::clamp(V, -SampleLimit, SampleLimit) : -SampleLimit; }

}  // namespace

// ---------------------------------------------------------------------------
// "Ras32_Resamplers bindings": the portable forms

TColor32 AverageBlock_Pas(Integer Width, Integer Height, const TColor32* Src, Integer RowStride)
{
    Int64 Count = static_cast<Int64>(Width) * Height;
    if (Width <= 0 || Height <= 0) return 0;
    UInt64 Sum[4] = {};
    for (Integer y = 0; y < Height; ++y) {
        const TColor32* Row = reinterpret_cast<const TColor32*>(reinterpret_cast<const Byte*>(Src) + Int64(y) * RowStride);
        for (Integer x = 0; x < Width; ++x) {
            TColor32 C = Row[x];
            Sum[0] += C & 0xFF;
            Sum[1] += (C >> 8) & 0xFF;
            Sum[2] += (C >> 16) & 0xFF;
            Sum[3] += C >> 24;
        }
    }
    return AverageOfSums(Sum, Count);
}

TColor32 AverageOfSums(const UInt64 Sum[4], Int64 Count)
{
    TColor32 Result = 0;
    if (Count <= (Int64(1) << 24)) {
        // The reciprocal in 24 fraction bits, rounded down: a block whose size
        // is not a power of two may come out one below the floor of the mean.
        UInt64 Q = (UInt64(1) << 24) / static_cast<UInt64>(Count);
        for (int c = 0; c < 4; ++c) Result |= static_cast<TColor32>(((Sum[c] * Q) >> 24) & 0xFF) << (8 * c);
    } else {
        // The reciprocal would be 0: the exact floor of the mean instead.
        for (int c = 0; c < 4; ++c)
            Result |= static_cast<TColor32>((Sum[c] / static_cast<UInt64>(Count)) & 0xFF) << (8 * c);
    }
    return Result;
}

TColor32 InterpolatePair_Pas(Integer WX, Integer WY, const TColor32* C11, const TColor32* C21)
{
    Cardinal X = static_cast<Cardinal>(std::min(WX, 255)), Y = static_cast<Cardinal>(std::min(WY, 255));
    TColor32 Top = CombinePixel(C11[0], C11[1], X);
    TColor32 Bottom = CombinePixel(C21[0], C21[1], X);
    return CombinePixel(Top, Bottom, Y);
}

TColor32 InterpolatePair_MMX(Integer WX, Integer WY, const TColor32* C11, const TColor32* C21)
{
    Cardinal X = static_cast<Cardinal>(WX), Y = static_cast<Cardinal>(WY);
    TColor32 Result = 0;
    for (int Shift = 0; Shift < 32; Shift += 8) {
        Cardinal Top = (((C11[0] >> Shift) & 0xFF) * X + ((C11[1] >> Shift) & 0xFF) * (256 - X)) >> 8;
        Cardinal Bottom = (((C21[0] >> Shift) & 0xFF) * X + ((C21[1] >> Shift) & 0xFF) * (256 - X)) >> 8;
        Result |= ((Top * Y + Bottom * (256 - Y)) >> 8) << Shift;
    }
    return Result;
}

TAverageBlockProc* AverageBlock = AverageBlock_Pas;
TInterpolatePairProc* InterpolatePair = InterpolatePair_Pas;

// ---------------------------------------------------------------------------
// Kernels

void TCustomKernel::Changed()
{
    if (FObserver) FObserver->Changed();
}

void TCustomKernel::AssignTo(TPersistent* Dest)
{
    if (dynamic_cast<TCustomKernel*>(Dest)) {
        AssignPublishedProperties(this, Dest, PropertyKindsToCopy());
        return;
    }
    TPersistent::AssignTo(Dest);
}

Single TBoxKernel::Filter(Single Value) const { return Value >= -0.5f && Value <= 0.5f ? 1.0f : 0.0f; }

Single TLinearKernel::Filter(Single Value) const
{
    if (Value >= -1 && Value < 0) return 1 + Value;
    if (Value >= 0 && Value < 1) return 1 - Value;
    return 0;
}

Single TCosineKernel::Filter(Single Value) const
{
    if (std::fabs(Value) < 1) return (std::cos(Pi * Value) + 1) * 0.5f;
    return 0;
}

Single TSplineKernel::Filter(Single Value) const
{
    Single T = std::fabs(Value);
    if (T < 1) return 0.5f * T * T * T - T * T + 2.0f / 3;
    if (T < 2) {
        T = 2 - T;
        return T * T * T / 6;
    }
    return 0;
}

void TCubicKernel::SetCoeff(Single Value)
{
    if (FCoeff == Value) return;
    FCoeff = Value;
    Changed();
}

Single TCubicKernel::Filter(Single Value) const
{
    Single T = std::fabs(Value), A = FCoeff;
    if (T < 1) return (A + 2) * T * T * T - (A + 3) * T * T + 1;
    if (T < 2) return A * (T * T * T - 5 * T * T + 8 * T - 4);
    return 0;
}

void TCubicKernel::ListProperties(TPropList& List) const
{
    List.push_back(FloatProperty(u"Coeff", &TCubicKernel::Coeff, &TCubicKernel::SetCoeff));
}

Single TMitchellKernel::Filter(Single Value) const
{
    Single T = std::fabs(Value);
    if (T < 1) return (21 * T * T * T - 36 * T * T + 16) / 18;
    if (T < 2) return (-7 * T * T * T + 36 * T * T - 60 * T + 32) / 18;
    return 0;
}

void THermiteKernel::SetBias(Single Value)
{
    if (FBias == Value) return;
    FBias = Value;
    Changed();
}

void THermiteKernel::SetTension(Single Value)
{
    if (FTension == Value) return;
    FTension = Value;
    Changed();
}

Single THermiteKernel::Filter(Single Value) const
{
    Single T = (1 - FTension) * 0.5f;
    Single Bp = (1 + FBias) * T, Bm = (1 - FBias) * T;
    Single I = std::floor(Value);
    Single F = Value - I, F2 = F * F, F3 = F2 * F;
    if (I == -2) return (F3 - F2) * Bm;
    if (I == -1) return (F3 - 2 * F2 + F) * Bm + (-2 * F3 + 3 * F2) + (Bp - Bm) * (F3 - F2);
    if (I == 0) return (Bp - Bm) * (F3 - 2 * F2 + F) + (2 * F3 - 3 * F2 + 1) - (F3 - F2) * Bp;
    if (I == 1) return -(F3 - 2 * F2 + F) * Bp;
    return 0;
}

void THermiteKernel::ListProperties(TPropList& List) const
{
    List.push_back(FloatProperty(u"Bias", &THermiteKernel::Bias, &THermiteKernel::SetBias));
    List.push_back(FloatProperty(u"Tension", &THermiteKernel::Tension, &THermiteKernel::SetTension));
}

Single NormalizedSinc(Single Value)
{
    if (Value == 0) return 1;
    Single X = Pi * Value;
    return std::sin(X) / X;
}

TWindowedSincKernel::TWindowedSincKernel() = default;

void TWindowedSincKernel::SetWidth(Single Value)
{
    Value = std::min(Value, static_cast<Single>(MaxKernelRadius));
    if (FWidth == Value) return;
    FWidth = Value;
    FWidthReciprocal = 1 / Value;
    Changed();
}

Single TWindowedSincKernel::Filter(Single Value) const
{
    Single T = std::fabs(Value);
    if (T >= FWidth) return 0;
    return NormalizedSinc(T) * WindowWeight(T);
}

Single TWindowedSincKernel::WindowCosine(Single Value) const { return std::cos(Pi * Value * FWidthReciprocal); }

void TWindowedSincKernel::ListProperties(TPropList& List) const
{
    List.push_back(FloatProperty(u"Width", &TWindowedSincKernel::Width, &TWindowedSincKernel::SetWidth));
}

namespace {

// The coefficient rows of the Albrecht window by number of terms (2 .. 11);
// each row sums to 1.
const Double AlbrechtCoefficients[10][11] = {
    {0.53835539467072513, 0.46164460532927493},
    {0.34610082201862502, 0.49734063509673798, 0.156558542884637},
    {0.22698241279206899, 0.45725407082842701, 0.27319902795738399, 0.0425644884221201},
    {0.14894260601583001, 0.38600117363917602, 0.34097740321405301, 0.11398796042459999, 0.010090856706341401},
    {0.097167620010742903, 0.308845222524055, 0.36262337143791701, 0.18895332552511601, 0.040209571414875099,
     0.0022008890872941998},
    {0.063964424114390406, 0.23993864599352799, 0.35015956323820502, 0.247741118970808, 0.085438256055858003,
     0.0123202033692932, 0.00043778825791773501},
    {0.0421072107042137, 0.18207622663377601, 0.31771378105994202, 0.284438001373442, 0.136762237777383,
     0.0334038053504025, 0.00341677216705768, 0.000081964933783134803},
    {0.027614373161261099, 0.13538222875884401, 0.27528723447223702, 0.298843335317801, 0.18531933027928399,
     0.064888448254906306, 0.011764191028565499, 0.00088598758010689901, 0.000014871146994340599},
    {0.0179908225352538, 0.098795958606521003, 0.22988381700121099, 0.294113019095183, 0.22433897781432499,
     0.103248806248099, 0.027567410944852301, 0.0038395862294712301, 0.00021897170843010599,
     0.0000026298166534788899},
    {0.011871712779660201, 0.071953365195114194, 0.18788716092258501, 0.27580817409729103, 0.248904243244464,
     0.14172986720071201, 0.050200297622825601, 0.010458964908498399, 0.0011361511274166, 0.0000496285981703436,
     0.00000043430326268572001}};

}  // namespace

TAlbrechtKernel::TAlbrechtKernel()
{
    std::copy(std::begin(AlbrechtCoefficients[FTerms - 2]), std::end(AlbrechtCoefficients[FTerms - 2]),
              FCoefPointer);
}

void TAlbrechtKernel::SetTerms(Integer Value)
{
    Value = std::clamp(Value, 2, 11);
    if (FTerms == Value) return;
    FTerms = Value;
    std::copy(std::begin(AlbrechtCoefficients[Value - 2]), std::end(AlbrechtCoefficients[Value - 2]), FCoefPointer);
    Changed();
}

Single TAlbrechtKernel::WindowWeight(Single Value) const
{
    Double C = WindowCosine(Value);
    // Horner from the highest term, each step rounded to Single.
    Single R = static_cast<Single>(FCoefPointer[FTerms - 1]);
    for (Integer k = FTerms - 2; k >= 0; --k) R = static_cast<Single>(R * C + FCoefPointer[k]);
    return R;
}

void TAlbrechtKernel::ListProperties(TPropList& List) const
{
    TWindowedSincKernel::ListProperties(List);
    List.push_back(IntegerProperty(u"Terms", &TAlbrechtKernel::Terms, &TAlbrechtKernel::SetTerms));
}

Single TLanczosKernel::WindowWeight(Single Value) const { return NormalizedSinc(Value * FWidthReciprocal); }

TGaussianKernel::TGaussianKernel() : FSigmaReciprocalLn2(static_cast<Single>(-std::log(2.0) / 1.33f)) {}

void TGaussianKernel::SetSigma(Single Value)
{
    if (FSigma == Value || FSigma == 0) return;
    FSigma = Value;
    FSigmaReciprocalLn2 = static_cast<Single>(-std::log(2.0) / Value);
    Changed();
}

Single TGaussianKernel::WindowWeight(Single Value) const
{
    Single R = std::exp(FSigmaReciprocalLn2 * Value * Value);
    return R == R ? R : 0;  // a Sigma of 0 has no window at 0
}

void TGaussianKernel::ListProperties(TPropList& List) const
{
    TWindowedSincKernel::ListProperties(List);
    List.push_back(FloatProperty(u"Sigma", &TGaussianKernel::Sigma, &TGaussianKernel::SetSigma));
}

Single TBlackmanKernel::WindowWeight(Single Value) const
{
    Single C = WindowCosine(Value);
    return 0.34f + 0.5f * C + 0.16f * C * C;
}

Single THannKernel::WindowWeight(Single Value) const { return 0.5f + 0.5f * WindowCosine(Value); }

Single THammingKernel::WindowWeight(Single Value) const { return 0.54f + 0.46f * WindowCosine(Value); }

void TSinshKernel::SetWidth(Single Value)
{
    if (FWidth == Value) return;
    FWidth = Value;
    Changed();
}

void TSinshKernel::SetCoeff(Single Value)
{
    if (FCoeff == Value || FCoeff == 0) return;
    FCoeff = Value;
    Changed();
}

Single TSinshKernel::Filter(Single Value) const
{
    if (Value == 0) return 1;
    Single R = FCoeff * std::sin(Pi * Value) / std::sinh(Pi * FCoeff * Value);
    return R == R ? R : 0;
}

void TSinshKernel::ListProperties(TPropList& List) const
{
    List.push_back(FloatProperty(u"Width", &TSinshKernel::Width, &TSinshKernel::SetWidth));
    List.push_back(FloatProperty(u"Coeff", &TSinshKernel::Coeff, &TSinshKernel::SetCoeff));
}

// ---------------------------------------------------------------------------
// The linear resampler's own read

namespace {

// The bilinear read that fades out at the clip rectangle's edges: outside
// reads transparent black, and in the one-pixel band around the edge the
// neighbours outside count as transparent.
TColor32 GetPixelFixedTransparentEdge(const TCustomBitmap32* B, const TRect& Clip, TFixed X, TFixed Y)
{
    Integer L = Clip.Left, T = Clip.Top, R = Clip.Right, Bm = Clip.Bottom;
    if (L >= R || T >= Bm) return 0;
    Integer ix = X >> 16, iy = Y >> 16;
    if (ix >= L && ix < R - 1 && iy >= T && iy < Bm - 1) {
        TColor32 Result = B->SampleSubpixel(X >> 8, Y >> 8);
        EndPixelOps();
        return Result;
    }
    if (ix < L - 1 || iy < T - 1 || ix > R - 1 || iy > Bm - 1) return 0;
    Integer x1 = ix > R - 1 ? R - 1 : (X < 0 ? 0 : ix);
    Integer x2 = std::clamp(ix + Sign(X), 0, R - 1);
    Integer y1 = iy > Bm - 1 ? Bm - 1 : (Y < 0 ? 0 : iy);
    Integer y2 = std::clamp(iy + Sign(Y), 0, Bm - 1);
    TColor32 P11 = B->Pixel(x1, y1), P21 = B->Pixel(x2, y1), P12 = B->Pixel(x1, y2), P22 = B->Pixel(x2, y2);
    if (X <= L * 65536) {
        P11 &= 0x00FFFFFF;
        P12 &= 0x00FFFFFF;
    } else if (ix == R - 1) {
        P21 &= 0x00FFFFFF;
        P22 &= 0x00FFFFFF;
    }
    if (Y <= T * 65536) {
        P11 &= 0x00FFFFFF;
        P21 &= 0x00FFFFFF;
    } else if (iy == Bm - 1) {
        P12 &= 0x00FFFFFF;
        P22 &= 0x00FFFFFF;
    }
    Cardinal WX = GammaCurve[((X >> 8) & 255) ^ 255], WY = GammaCurve[((Y >> 8) & 255) ^ 255];
    TColor32 Result = CombinePixel(CombinePixel(P11, P21, WX), CombinePixel(P12, P22, WX), WY);
    EndPixelOps();
    return Result;
}

}  // namespace

// ---------------------------------------------------------------------------
// TPublishedResampler

void TPublishedResampler::ListProperties(TPropList& List) const
{
    List.push_back(EnumProperty(u"PixelAccessMode", &TCustomResampler::PixelAccessMode,
                                &TCustomResampler::SetPixelAccessMode,
                                {u"pamUnsafe", u"pamSafe", u"pamWrap", u"pamTransparentEdge"}));
}

void TPublishedResampler::AssignTo(TPersistent* Dest)
{
    if (dynamic_cast<TCustomResampler*>(Dest)) {
        AssignPublishedProperties(this, Dest, PropertyKindsToCopy());
        return;
    }
    TCustomResampler::AssignTo(Dest);
}

// ---------------------------------------------------------------------------
// TNearestResampler

namespace {
TColor32 NoSampleInt(TNearestResampler*, Integer, Integer) { return 0; }
TColor32 NoSampleFixed(TLinearResampler*, TFixed, TFixed) { return 0; }
}  // namespace

TNearestResampler::TNearestResampler() : FGetSampleInt(NoSampleInt) {}

TColor32 TNearestResampler::GetSampleFixed(TFixed X, TFixed Y)
{
    return FGetSampleInt(this, FixedRoundInt(X), FixedRoundInt(Y));
}

TColor32 TNearestResampler::GetSampleFloat(Single X, Single Y)
{
    return FGetSampleInt(this, RoundInt(LimitCoordinate(X)), RoundInt(LimitCoordinate(Y)));
}

void TNearestResampler::PrepareSampling()
{
    TCustomResampler::PrepareSampling();
    if (!FBitmap) {
        FGetSampleInt = NoSampleInt;
        return;
    }
    switch (FPixelAccessMode) {
    case pamUnsafe:
        FGetSampleInt = [](TNearestResampler* Self, Integer X, Integer Y) {
            return Self->FBitmap->GetPixelUnchecked(X, Y);
        };
        break;
    case pamSafe:
        FGetSampleInt = [](TNearestResampler* Self, Integer X, Integer Y) {
            return Self->FBitmap->GetPixelClipped(X, Y);
        };
        break;
    case pamWrap:
        FGetSampleInt = [](TNearestResampler* Self, Integer X, Integer Y) {
            return Self->FBitmap->GetPixelWrapped(X, Y);
        };
        break;
    case pamTransparentEdge:
        FGetSampleInt = [](TNearestResampler* Self, Integer X, Integer Y) -> TColor32 {
            const TRect& C = Self->FClipRect;
            if (C.Left >= C.Right || C.Top >= C.Bottom) return 0;
            Integer CX = std::clamp(X, C.Left, C.Right - 1), CY = std::clamp(Y, C.Top, C.Bottom - 1);
            TColor32 Result = Self->FBitmap->Pixel(CX, CY);
            return CX == X && CY == Y ? Result : Result & 0x00FFFFFF;
        };
        break;
    }
}

void TNearestResampler::Resample(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& DstClip,
                                 TCustomBitmap32* Src, const TRect& SrcRect, TDrawMode CombineOp,
                                 const TPixelCombineEvent& CombineCallBack)
{
    StretchNearestNeighbour(Dst, DstRect, DstClip, Src, SrcRect, CombineOp, CombineCallBack);
}

// ---------------------------------------------------------------------------
// TLinearResampler, TDraftResampler

TLinearResampler::TLinearResampler() : FLinearKernel(new TLinearKernel), FGetSampleFixed(NoSampleFixed) {}

TLinearResampler::~TLinearResampler() { delete FLinearKernel; }

TColor32 TLinearResampler::GetSampleFloat(Single X, Single Y)
{
    return FGetSampleFixed(this, FloatToFixed(X), FloatToFixed(Y));
}

void TLinearResampler::PrepareSampling()
{
    TCustomResampler::PrepareSampling();
    if (!FBitmap) {
        FGetSampleFixed = NoSampleFixed;
        return;
    }
    switch (FPixelAccessMode) {
    case pamUnsafe:
        FGetSampleFixed = [](TLinearResampler* Self, TFixed X, TFixed Y) {
            return Self->FBitmap->GetPixelFixed(X, Y);
        };
        break;
    case pamSafe:
        FGetSampleFixed = [](TLinearResampler* Self, TFixed X, TFixed Y) {
            return Self->FBitmap->GetPixelFixedClipped(X, Y);
        };
        break;
    case pamWrap:
        FGetSampleFixed = [](TLinearResampler* Self, TFixed X, TFixed Y) {
            return Self->FBitmap->GetPixelFixedWrapped(X, Y);
        };
        break;
    case pamTransparentEdge:
        FGetSampleFixed = [](TLinearResampler* Self, TFixed X, TFixed Y) {
            return GetPixelFixedTransparentEdge(Self->FBitmap, Self->FClipRect, X, Y);
        };
        break;
    }
}

void TLinearResampler::Resample(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& DstClip,
                                TCustomBitmap32* Src, const TRect& SrcRect, TDrawMode CombineOp,
                                const TPixelCombineEvent& CombineCallBack)
{
    Integer SrcW = SrcRect.Right - SrcRect.Left, SrcH = SrcRect.Bottom - SrcRect.Top;
    Single DstW = static_cast<Single>(DstRect.Right - DstRect.Left);
    Single DstH = static_cast<Single>(DstRect.Bottom - DstRect.Top);
    if (DstW > SrcW && DstH > SrcH && SrcW > 1 && SrcH > 1)
        StretchBilinear(Dst, DstRect, DstClip, Src, SrcRect, CombineOp, CombineCallBack);
    else
        ResampleWithKernel(Dst, DstRect, DstClip, Src, SrcRect, FLinearKernel, CombineOp, CombineCallBack);
}

void TDraftResampler::Resample(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& DstClip,
                               TCustomBitmap32* Src, const TRect& SrcRect, TDrawMode CombineOp,
                               const TPixelCombineEvent& CombineCallBack)
{
    ResampleDraft(Dst, DstRect, DstClip, Src, SrcRect, CombineOp, CombineCallBack);
}

// ---------------------------------------------------------------------------
// TKernelResampler

TKernelResampler::TKernelResampler() : FKernel(new TBoxKernel) { FKernel->SetObserver(this); }

TKernelResampler::~TKernelResampler() { delete FKernel; }

void TKernelResampler::SetKernel(TCustomKernel* Value)
{
    if (!Value || Value == FKernel) return;
    delete FKernel;
    FKernel = Value;
    FKernel->SetObserver(this);
    Changed();
}

void TKernelResampler::SetKernelClassName(const String& Value)
{
    if (Value.empty() || Value == KernelClassName() || !KernelClassList()) return;
    TPersistentClass KernelClass = KernelClassList()->Find(Value);
    if (!KernelClass) return;
    TPersistent* Made = KernelClass->Create();
    auto* NewKernel = dynamic_cast<TCustomKernel*>(Made);
    if (!NewKernel) {
        delete Made;
        return;
    }
    SetKernel(NewKernel);
}

void TKernelResampler::SetKernelMode(TKernelMode Value)
{
    if (FKernelMode == Value) return;
    FKernelMode = Value;
    Changed();
}

void TKernelResampler::SetTableSize(Integer Value)
{
    Value = std::max(Value, 2);
    if (FTableSize == Value) return;
    FTableSize = Value;
    Changed();
}

void TKernelResampler::ListProperties(TPropList& List) const
{
    TPublishedResampler::ListProperties(List);
    List.push_back(StringProperty(u"KernelClassName", &TKernelResampler::KernelClassName,
                                  &TKernelResampler::SetKernelClassName));
    List.push_back(ObjectProperty(u"Kernel", &TKernelResampler::Kernel));
    List.push_back(EnumProperty(u"KernelMode", &TKernelResampler::KernelMode, &TKernelResampler::SetKernelMode,
                                {u"kmDynamic", u"kmTableNearest", u"kmTableLinear"}));
    List.push_back(IntegerProperty(u"TableSize", &TKernelResampler::TableSize, &TKernelResampler::SetTableSize));
}

namespace {

// The kernel's support in whole taps, at most MaxKernelRadius (wider
// kernels are cut there, so the weight arrays always hold every tap).
Integer KernelRadius(const TCustomKernel* Kernel)
{
    Single W = Kernel->GetWidth();
    if (!(W > 0)) return 0;
    return std::min(CeilInt(W), MaxKernelRadius);
}

// Makes the taps -W .. W sum to 256 by correcting the centre one.
void NormalizeWeights(Integer* Weights, Integer W)
{
    Integer Sum = 0;
    for (Integer i = -W; i <= W; ++i) Sum += Weights[i];
    Weights[0] -= Sum - 256;
}

}  // namespace

void TKernelResampler::PrepareSampling()
{
    TCustomResampler::PrepareSampling();
    FOuterColor = FBitmap ? FBitmap->OuterColor() : 0;
    FWeightTable.reset();
    if (FKernelMode != kmTableNearest && FKernelMode != kmTableLinear) return;
    Integer W = KernelRadius(FKernel);
    FWeightTable = std::make_unique<TIntegerMap>(2 * W + 1, FTableSize + 1);
    for (Integer d = 0; d <= FTableSize; ++d) {
        Integer* Row = FWeightTable->ValPtr(W, d);
        Single Fraction = static_cast<Single>(d) / static_cast<Single>(FTableSize - 1);
        for (Integer i = -W; i <= W; ++i) Row[i] = RoundInt(FKernel->Filter(i + Fraction) * 256);
        NormalizeWeights(Row, W);
    }
}

void TKernelResampler::FinalizeSampling()
{
    FWeightTable.reset();
    TCustomResampler::FinalizeSampling();
}

void TKernelResampler::GetWeights(Single F, Integer W, Integer* Weights) const
{
    if (FWeightTable && FKernelMode == kmTableNearest) {
        Integer Row = std::clamp(RoundInt(F * (FTableSize - 1)), 0, FTableSize);
        std::memcpy(Weights - W, FWeightTable->ValPtr(0, Row), sizeof(Integer) * (2 * W + 1));
        return;
    }
    if (FWeightTable && FKernelMode == kmTableLinear) {
        Integer P = RoundInt(F * (FTableSize - 1) * 65536);
        Integer R = std::clamp(P >> 16, 0, FTableSize - 1), Fraction = P & 0xFFFF;
        const Integer* Row0 = FWeightTable->ValPtr(W, R);
        const Integer* Row1 = FWeightTable->ValPtr(W, R + 1);
        for (Integer i = -W; i <= W; ++i) Weights[i] = Row0[i] + ((Row1[i] - Row0[i]) * Fraction + 0x7FFF) / 65536;
    } else {
        for (Integer i = -W; i <= W; ++i) Weights[i] = RoundInt(FKernel->Filter(i + F) * 256);
    }
    NormalizeWeights(Weights, W);
}

TColor32 TKernelResampler::GetSampleFloat(Single X, Single Y)
{
    if (!FBitmap || FBitmap->Empty()) return FPixelAccessMode == pamSafe ? FOuterColor : 0;
    Integer W = FWeightTable ? (FWeightTable->Width() - 1) / 2 : KernelRadius(FKernel);
    X = LimitCoordinate(X);
    Y = LimitCoordinate(Y);
    Integer cx = CeilInt(X), cy = CeilInt(Y);
    Single fx = static_cast<Single>(cx) - X, fy = static_cast<Single>(cy) - Y;
    const TRect& C = FClipRect;

    Integer ILo = -W, IHi = W, JLo = -W, JHi = W;
    bool Cut = false;
    if (FPixelAccessMode == pamSafe || FPixelAccessMode == pamTransparentEdge) {
        if (cx < C.Left || cx > C.Right || cy < C.Top || cy > C.Bottom || RectIsEmpty(C))
            return FPixelAccessMode == pamSafe ? FOuterColor : 0;
        ILo = std::max(-W, C.Left - cx);
        IHi = std::min(W, C.Right - cx - 1);
        JLo = std::max(-W, C.Top - cy);
        JHi = std::min(W, C.Bottom - cy - 1);
        Cut = ILo != -W || IHi != W || JLo != -W || JHi != W;
    } else if (FPixelAccessMode == pamWrap && RectIsEmpty(C)) {
        return FOuterColor;
    }

    Integer HwStore[2 * MaxKernelRadius + 1], VwStore[2 * MaxKernelRadius + 1];
    Integer* Hw = HwStore + MaxKernelRadius;
    Integer* Vw = VwStore + MaxKernelRadius;
    GetWeights(fx, W, Hw);
    GetWeights(fy, W, Vw);

    Int64 A = 0, R = 0, G = 0, B = 0;
    const bool Wrap = FPixelAccessMode == pamWrap;
    for (Integer j = JLo; j <= JHi; ++j) {
        if (Vw[j] == 0) continue;
        Integer RowY = cy + j;
        if (Wrap) RowY = FBitmap->WrapProcVert(RowY, C.Top, C.Bottom - 1);
        const TColor32* Row = FBitmap->GetRowPtr(RowY);
        Int64 RA = 0, RR = 0, RG = 0, RB = 0;
        for (Integer i = ILo; i <= IHi; ++i) {
            Integer Column = cx + i;
            if (Wrap) Column = FBitmap->WrapProcHorz(Column, C.Left, C.Right - 1);
            TColor32 P = Row[Column];
            Integer Alpha = static_cast<Integer>(P >> 24);
            if (Alpha == 0) continue;
            Integer Hi = Hw[i];
            if (Alpha == 255) {
                RA += 255 * Hi;
                RR += RedOf(P) * Hi;
                RG += GreenOf(P) * Hi;
                RB += BlueOf(P) * Hi;
            } else {
                RA += Alpha * Hi;
                RR += RedOf(P) * Alpha / 255 * Hi;
                RG += GreenOf(P) * Alpha / 255 * Hi;
                RB += BlueOf(P) * Alpha / 255 * Hi;
            }
        }
        A += RA * Vw[j];
        R += RR * Vw[j];
        G += RG * Vw[j];
        B += RB * Vw[j];
    }

    // Under pamSafe the taps cut off by the clip rectangle read the outer colour.
    Integer OA = static_cast<Integer>(FOuterColor >> 24);
    if (FPixelAccessMode == pamSafe && Cut && OA != 0) {
        Integer OR = RedOf(FOuterColor) * OA / 255, OG = GreenOf(FOuterColor) * OA / 255,
                OB = BlueOf(FOuterColor) * OA / 255;
        for (Integer j = -W; j <= W; ++j)
            for (Integer i = -W; i <= W; ++i) {
                if (i >= ILo && i <= IHi && j >= JLo && j <= JHi) continue;
                Int64 HV = static_cast<Int64>(Hw[i]) * Vw[j];
                A += OA * HV;
                R += OR * HV;
                G += OG * HV;
                B += OB * HV;
            }
    }

    auto Scaled = [](Int64 V) { return (V + 0x7FFF) >> 16; };
    Int64 RA = std::clamp<Int64>(Scaled(A), 0, 255);
    if (RA == 0) return 0;
    Int64 Channel[3] = {Scaled(R), Scaled(G), Scaled(B)};
    for (Int64& V : Channel) {
        if (RA < 255) V = V * 255 / RA;
        V = std::clamp<Int64>(V, 0, 255);
    }
    return static_cast<TColor32>(RA << 24 | Channel[0] << 16 | Channel[1] << 8 | Channel[2]);
}

void TKernelResampler::Resample(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& DstClip,
                                TCustomBitmap32* Src, const TRect& SrcRect, TDrawMode CombineOp,
                                const TPixelCombineEvent& CombineCallBack)
{
    ResampleWithKernel(Dst, DstRect, DstClip, Src, SrcRect, FKernel, CombineOp, CombineCallBack);
}

// ---------------------------------------------------------------------------
// Class lists

namespace {
std::unique_ptr<TClassList> GResamplerClassList;
std::unique_ptr<TClassList> GKernelClassList;
}  // namespace

TClassList* ResamplerClassList() { return GResamplerClassList.get(); }
TClassList* KernelClassList() { return GKernelClassList.get(); }

void RegisterResamplerClass(TPersistentClass ResamplerClass)
{
    if (!GResamplerClassList) GResamplerClassList = std::make_unique<TClassList>();
    GResamplerClassList->Add(ResamplerClass);
}

void RegisterKernelClass(TPersistentClass KernelClass)
{
    if (!GKernelClassList) GKernelClassList = std::make_unique<TClassList>();
    GKernelClassList->Add(KernelClass);
}

// ---------------------------------------------------------------------------
// Block and stretch transfers

namespace {

[[noreturn]] void RaiseInvalidSrcRect() { throw Exception(u"Invalid SrcRect"); }

void CheckTransferBitmaps(TCustomBitmap32* Dst, TCustomBitmap32* Src)
{
    if (!Dst) throw EBitmapException(u"Destination bitmap is nil");
    if (!Src) throw EBitmapException(u"Source bitmap is nil");
}

// How a computed colour goes onto a destination pixel, by the source's draw
// mode: dmBlend through the master in-place routine of its combine mode.
struct TPixelStorer {
    TDrawMode Op;
    TBlendMemEx* BlendMemEx;
    Cardinal MasterAlpha;
    TColor32 OuterColor;
    const TPixelCombineEvent& CallBack;

    TPixelStorer(TCustomBitmap32* Src, TDrawMode CombineOp, const TPixelCombineEvent& ACallBack)
        : Op(CombineOp == dmCustom && !ACallBack ? dmOpaque : CombineOp),
          BlendMemEx(*CombineMasterInPlaceOf[Src->CombineMode()]),
          MasterAlpha(Src->MasterAlpha()),
          OuterColor(Src->OuterColor()),
          CallBack(ACallBack)
    {
    }

    void StoreRow(const TColor32* Colors, TColor32* Dst, Integer Count) const
    {
        switch (Op) {
        case dmOpaque:
            std::memcpy(Dst, Colors, static_cast<size_t>(Count) * sizeof(TColor32));
            break;
        case dmBlend:
            for (Integer i = 0; i < Count; ++i) BlendMemEx(Colors[i], Dst[i], MasterAlpha);
            break;
        case dmCustom:
            for (Integer i = 0; i < Count; ++i) CallBack(Colors[i], Dst[i], MasterAlpha);
            break;
        case dmTransparent:
            for (Integer i = 0; i < Count; ++i)
                if (Colors[i] != OuterColor) Dst[i] = Colors[i];
            break;
        }
    }
};

// Combines a run of source pixels into a destination run as the one-to-one
// copies do: dmBlend through the row routines of the source's combine mode.
void CombineRun(const TColor32* S, TColor32* D, Integer Count, TCustomBitmap32* Src, TDrawMode CombineOp,
                const TPixelCombineEvent& CombineCallBack)
{
    switch (CombineOp) {
    case dmOpaque:
        std::memmove(D, S, static_cast<size_t>(Count) * sizeof(TColor32));
        break;
    case dmBlend:
        if (Src->MasterAlpha() >= 255)
            (*CombineRowOf[Src->CombineMode()])(S, D, Count);
        else
            (*CombineRowMasterOf[Src->CombineMode()])(S, D, Count, Src->MasterAlpha());
        break;
    case dmTransparent: {
        TColor32 Key = Src->OuterColor();
        for (Integer i = 0; i < Count; ++i)
            if (S[i] != Key) D[i] = S[i];
        break;
    }
    case dmCustom:
        if (!CombineCallBack) {
            std::memmove(D, S, static_cast<size_t>(Count) * sizeof(TColor32));
            break;
        }
        for (Integer i = 0; i < Count; ++i) CombineCallBack(S[i], D[i], Src->MasterAlpha());
        break;
    }
}

struct TEndPixelOpsGuard {
    ~TEndPixelOpsGuard() { EndPixelOps(); }
};

}  // namespace

void KernelVerticalPass_Pas(const TCustomBitmap32* Src, const TCluster& Cluster, Integer XLo, Integer Count,
                            TBufferEntry* Buffer)
{
    std::memset(Buffer, 0, static_cast<size_t>(Count) * sizeof(TBufferEntry));
    for (const TPointRec& Tap : Cluster) {
        const TColor32* S = Src->GetPixelPtr(XLo, Tap.Pos);
        Integer W = Tap.Weight;
        for (Integer x = 0; x < Count; ++x) {
            TColor32 C = S[x];
            Buffer[x].B += static_cast<Integer>(C & 0xFF) * W;
            Buffer[x].G += static_cast<Integer>((C >> 8) & 0xFF) * W;
            Buffer[x].R += static_cast<Integer>((C >> 16) & 0xFF) * W;
            Buffer[x].A += static_cast<Integer>(C >> 24) * W;
        }
    }
}

void KernelHorizontalPass_Pas(const TBufferEntry* Buffer, Integer XLo, const TMappingTable& Map, TColor32* Colors)
{
    auto Channel = [](Integer V) { return static_cast<Cardinal>(std::clamp(V, 0, 0xFF0000)) >> 16; };
    for (size_t k = 0; k < Map.size(); ++k) {
        Integer B = 0, G = 0, R = 0, A = 0;
        for (const TPointRec& Tap : Map[k]) {
            const TBufferEntry& E = Buffer[Tap.Pos - XLo];
            B += E.B * Tap.Weight;
            G += E.G * Tap.Weight;
            R += E.R * Tap.Weight;
            A += E.A * Tap.Weight;
        }
        Colors[k] = Channel(A) << 24 | Channel(R) << 16 | Channel(G) << 8 | Channel(B);
    }
}

namespace {
#if defined(LM_RAS32_RESAMPLERS_SSE2)
inline void KernelVerticalPass(const TCustomBitmap32* Src, const TCluster& Cluster, Integer XLo, Integer Count,
                               TBufferEntry* Buffer)
{
    KernelVerticalPass_SSE2(Src, Cluster, XLo, Count, Buffer);
}
inline void KernelHorizontalPass(const TBufferEntry* Buffer, Integer XLo, const TMappingTable& Map, TColor32* Colors)
{
    KernelHorizontalPass_SSE2(Buffer, XLo, Map, Colors);
}
#else
inline void KernelVerticalPass(const TCustomBitmap32* Src, const TCluster& Cluster, Integer XLo, Integer Count,
                               TBufferEntry* Buffer)
{
    KernelVerticalPass_Pas(Src, Cluster, XLo, Count, Buffer);
}
inline void KernelHorizontalPass(const TBufferEntry* Buffer, Integer XLo, const TMappingTable& Map, TColor32* Colors)
{
    KernelHorizontalPass_Pas(Buffer, XLo, Map, Colors);
}
#endif
}  // namespace

void CopyBlockRows(TCustomBitmap32* Dst, const TRect& DstRect, TCustomBitmap32* Src, Integer SrcX, Integer SrcY,
                   TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack)
{
    Integer W = DstRect.Right - DstRect.Left, H = DstRect.Bottom - DstRect.Top;
    if (W <= 0 || H <= 0) return;
    // A bitmap drawn onto itself: each source row is taken before it can be
    // overwritten (rows from the bottom when moving down, through a copy).
    bool Self = Src == Dst;
    bool BottomUp = Self && SrcY < DstRect.Top;
    std::vector<TColor32> Row(Self ? static_cast<size_t>(W) : 0);
    for (Integer r = 0; r < H; ++r) {
        Integer i = BottomUp ? H - 1 - r : r;
        const TColor32* S = Src->GetPixelPtr(SrcX, SrcY + i);
        if (Self) {
            std::memcpy(Row.data(), S, static_cast<size_t>(W) * sizeof(TColor32));
            S = Row.data();
        }
        CombineRun(S, Dst->GetPixelPtr(DstRect.Left, DstRect.Top + i), W, Src, CombineOp, CombineCallBack);
    }
}

void TransferBlock(TCustomBitmap32* Dst, Integer DstX, Integer DstY, const TRect& DstClip, TCustomBitmap32* Src,
                   const TRect& SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack)
{
    CheckTransferBitmaps(Dst, Src);
    if (Dst->Empty() || Src->Empty() || (CombineOp == dmBlend && Src->MasterAlpha() == 0)) return;
    TRect Clip, S;
    IntersectRects(Clip, DstClip, Dst->BoundsRect());
    IntersectRects(S, SrcRect, Src->BoundsRect());
    ShiftRect(S, DstX - SrcRect.Left, DstY - SrcRect.Top);
    IntersectRects(Clip, S, Clip);
    if (RectIsEmpty(Clip)) return;
    Integer SrcX = Clip.Left - (DstX - SrcRect.Left), SrcY = Clip.Top - (DstY - SrcRect.Top);
    if (!Dst->MeasuringMode()) {
        TEndPixelOpsGuard Guard;
        CopyBlockRows(Dst, Clip, Src, SrcX, SrcY, CombineOp == dmCustom && !CombineCallBack ? dmOpaque : CombineOp,
                      CombineCallBack);
    }
    Dst->Changed(Clip, AreaInfoRect);
}

void TransferStretched(TCustomBitmap32* Dst, TRect DstRect, const TRect& DstClip, TCustomBitmap32* Src,
                       TRect SrcRect, TCustomResampler* Resampler, TDrawMode CombineOp,
                       const TPixelCombineEvent& CombineCallBack)
{
    CheckTransferBitmaps(Dst, Src);
    Integer SrcW = SrcRect.Right - SrcRect.Left, SrcH = SrcRect.Bottom - SrcRect.Top;
    if (SrcW > 0 && SrcH > 0) {
        // A source rectangle reaching outside Src is cut, and the destination
        // rectangle with it in proportion.
        Single Sx = static_cast<Single>(DstRect.Right - DstRect.Left) / SrcW;
        Single Sy = static_cast<Single>(DstRect.Bottom - DstRect.Top) / SrcH;
        if (SrcRect.Left < 0) {
            DstRect.Left += CeilInt(-SrcRect.Left * Sx);
            SrcRect.Left = 0;
        }
        if (SrcRect.Top < 0) {
            DstRect.Top += CeilInt(-SrcRect.Top * Sy);
            SrcRect.Top = 0;
        }
        if (SrcRect.Right > Src->Width()) {
            DstRect.Right -= FloorInt((SrcRect.Right - Src->Width()) * Sx);
            SrcRect.Right = Src->Width();
        }
        if (SrcRect.Bottom > Src->Height()) {
            DstRect.Bottom -= FloorInt((SrcRect.Bottom - Src->Height()) * Sy);
            SrcRect.Bottom = Src->Height();
        }
    }
    if (Src->Empty() || Dst->Empty() || (CombineOp == dmBlend && Src->MasterAlpha() == 0) || RectIsEmpty(SrcRect))
        return;
    if (Dst->MeasuringMode()) {
        Dst->Changed(DstRect, AreaInfoRect);
        return;
    }
    TRect Clip;
    IntersectRects(Clip, DstClip, Dst->BoundsRect());
    IntersectRects(Clip, Clip, DstRect);
    if (RectIsEmpty(Clip)) return;
    if (CombineOp == dmCustom && !CombineCallBack) CombineOp = dmOpaque;
    {
        TEndPixelOpsGuard Guard;
        // Stretching a bitmap onto itself reads from a copy of it.
        std::unique_ptr<TCustomBitmap32> Copy;
        if (Src == Dst) {
            Copy = std::make_unique<TCustomBitmap32>();
            Copy->Assign(Src);
            Src = Copy.get();
        }
        if (DstRect.Right - DstRect.Left == SrcRect.Right - SrcRect.Left &&
            DstRect.Bottom - DstRect.Top == SrcRect.Bottom - SrcRect.Top)
            CopyBlockRows(Dst, Clip, Src, SrcRect.Left + Clip.Left - DstRect.Left,
                          SrcRect.Top + Clip.Top - DstRect.Top, CombineOp, CombineCallBack);
        else if (Resampler)
            Resampler->Resample(Dst, DstRect, Clip, Src, SrcRect, CombineOp, CombineCallBack);
        else
            StretchNearestNeighbour(Dst, DstRect, Clip, Src, SrcRect, CombineOp, CombineCallBack);
    }
    Dst->Changed(DstRect, AreaInfoRect);
}

void StretchNearestNeighbour(TCustomBitmap32* Dst, TRect DstRect, TRect DstClip, TCustomBitmap32* Src, TRect SrcRect,
                             TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack)
{
    IntersectRects(DstClip, DstClip, Dst->BoundsRect());
    IntersectRects(DstClip, DstClip, DstRect);
    if (RectIsEmpty(DstClip)) return;
    if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > Src->Width() || SrcRect.Bottom > Src->Height())
        RaiseInvalidSrcRect();
    Integer SrcW = SrcRect.Right - SrcRect.Left, SrcH = SrcRect.Bottom - SrcRect.Top;
    Integer DstW = DstRect.Right - DstRect.Left, DstH = DstRect.Bottom - DstRect.Top;
    if (SrcW <= 0 || SrcH <= 0) return;
    if (CombineOp == dmCustom && !CombineCallBack) CombineOp = dmOpaque;
    TEndPixelOpsGuard Guard;
    if (DstW == SrcW && DstH == SrcH) {
        CopyBlockRows(Dst, DstClip, Src, SrcRect.Left + DstClip.Left - DstRect.Left,
                      SrcRect.Top + DstClip.Top - DstRect.Top, CombineOp, CombineCallBack);
        return;
    }
    Integer ClipW = DstClip.Right - DstClip.Left;
    std::vector<Integer> Columns(static_cast<size_t>(ClipW));
    double ScaleX = static_cast<double>(SrcW) / DstW, ScaleY = static_cast<double>(SrcH) / DstH;
    for (Integer k = 0; k < ClipW; ++k) {
        Integer C = DstW < 2 ? (SrcRect.Left + SrcRect.Right - 1) / 2
                             : static_cast<Integer>((k + DstClip.Left - DstRect.Left) * ScaleX + SrcRect.Left);
        Columns[static_cast<size_t>(k)] = std::clamp(C, SrcRect.Left, SrcRect.Right - 1);
    }
    auto SourceRow = [&](Integer Y) {
        Integer R = DstH < 2 ? (SrcRect.Top + SrcRect.Bottom - 1) / 2
                             : static_cast<Integer>((Y - DstRect.Top) * ScaleY + SrcRect.Top);
        return std::clamp(R, SrcRect.Top, SrcRect.Bottom - 1);
    };
    auto Gather = [&](const TColor32* S, TColor32* D) {
        for (Integer k = 0; k < ClipW; ++k) D[k] = S[Columns[static_cast<size_t>(k)]];
    };
    Integer LastRow = -1;
    if (CombineOp == dmOpaque) {
        for (Integer Y = DstClip.Top; Y < DstClip.Bottom; ++Y) {
            Integer R = SourceRow(Y);
            TColor32* D = Dst->GetPixelPtr(DstClip.Left, Y);
            if (R == LastRow)
                std::memcpy(D, D - Dst->Width(), static_cast<size_t>(ClipW) * sizeof(TColor32));
            else
                Gather(Src->GetRowPtr(R), D);
            LastRow = R;
        }
        return;
    }
    std::vector<TColor32> Buffer(static_cast<size_t>(ClipW));
    for (Integer Y = DstClip.Top; Y < DstClip.Bottom; ++Y) {
        Integer R = SourceRow(Y);
        if (R != LastRow) Gather(Src->GetRowPtr(R), Buffer.data());
        LastRow = R;
        CombineRun(Buffer.data(), Dst->GetPixelPtr(DstClip.Left, Y), ClipW, Src, CombineOp, CombineCallBack);
    }
}

namespace {

// The bilinear map of one axis: for each clipped destination coordinate the
// first of the two source coordinates and its weight (the second one gets
// 256 - weight). The last entries never reach past the source rectangle.
std::vector<TPointRec> BuildBilinearMap(Integer DstLo, Integer DstHi, Integer ClipLo, Integer ClipHi, Integer SrcLo,
                                        Integer SrcHi, Integer SrcSize)
{
    std::vector<TPointRec> Map(static_cast<size_t>(ClipHi - ClipLo));
    Single Scale = static_cast<Single>(SrcHi - SrcLo) / static_cast<Single>(DstHi - DstLo);
    for (Integer k = 0; k < ClipHi - ClipLo; ++k) {
        Single V = Scale * (static_cast<Single>(k + ClipLo - DstLo) + 0.5f) + SrcLo - 0.5f;
        V = std::clamp(V, 0.0f, static_cast<Single>(SrcSize - 1));
        Integer Pos = FloorInt(V);
        Map[static_cast<size_t>(k)] = TPointRec{Pos, 256 - RoundInt((V - Pos) * 256)};
    }
    for (auto It = Map.rbegin(); It != Map.rend() && It->Pos + 1 == SrcHi; ++It) {
        --It->Pos;
        It->Weight = 0;
    }
    return Map;
}

}  // namespace

void StretchBilinear(TCustomBitmap32* Dst, TRect DstRect, TRect DstClip, TCustomBitmap32* Src, TRect SrcRect,
                     TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack)
{
    Integer SrcW = SrcRect.Right - SrcRect.Left, SrcH = SrcRect.Bottom - SrcRect.Top;
    if (SrcW < 2 || SrcH < 2) {
        // The pair of neighbours needs two pixels on each axis.
        TLinearKernel Kernel;
        ResampleWithKernel(Dst, DstRect, DstClip, Src, SrcRect, &Kernel, CombineOp, CombineCallBack);
        return;
    }
    IntersectRects(DstClip, DstClip, Dst->BoundsRect());
    IntersectRects(DstClip, DstClip, DstRect);
    if (RectIsEmpty(DstClip)) return;
    if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > Src->Width() || SrcRect.Bottom > Src->Height())
        RaiseInvalidSrcRect();
    TEndPixelOpsGuard Guard;
    std::vector<TPointRec> Columns = BuildBilinearMap(DstRect.Left, DstRect.Right, DstClip.Left, DstClip.Right,
                                                      SrcRect.Left, SrcRect.Right, Src->Width());
    std::vector<TPointRec> Rows = BuildBilinearMap(DstRect.Top, DstRect.Bottom, DstClip.Top, DstClip.Bottom,
                                                   SrcRect.Top, SrcRect.Bottom, Src->Height());
    TPixelStorer Storer(Src, CombineOp, CombineCallBack);
    Integer ClipW = DstClip.Right - DstClip.Left;
    std::vector<TColor32> Buffer(static_cast<size_t>(ClipW));
    Integer Stride = Src->Width();
    for (Integer r = 0; r < DstClip.Bottom - DstClip.Top; ++r) {
        const TPointRec& Row = Rows[static_cast<size_t>(r)];
        const TColor32* S = Src->GetRowPtr(Row.Pos);
        for (Integer k = 0; k < ClipW; ++k) {
            const TPointRec& Column = Columns[static_cast<size_t>(k)];
            const TColor32* P = S + Column.Pos;
            Buffer[static_cast<size_t>(k)] = InterpolatePair(Column.Weight, Row.Weight, P, P + Stride);
        }
        Storer.StoreRow(Buffer.data(), Dst->GetPixelPtr(DstClip.Left, DstClip.Top + r), ClipW);
    }
}

TMappingTable BuildKernelMapping(Integer DstLo, Integer DstHi, Integer ClipLo, Integer ClipHi, Integer SrcLo,
                                 Integer SrcHi, TCustomKernel* Kernel)
{
    TMappingTable Result;
    Integer SrcW = SrcHi - SrcLo, DstW = DstHi - DstLo, ClipW = ClipHi - ClipLo;
    if (SrcW <= 0 || DstW < 0 || ClipW <= 0) return Result;
    Result.resize(static_cast<size_t>(ClipW));
    if (SrcW == 1) {
        for (TCluster& Cluster : Result) Cluster.assign(1, TPointRec{SrcLo, 256});
        return Result;
    }
    Single Scale = static_cast<Single>(DstW) / static_cast<Single>(SrcW);
    if (Scale == 0) {
        for (TCluster& Cluster : Result) Cluster.assign(1, TPointRec{(SrcLo + SrcHi) / 2, 256});
        return Result;
    }
    Single FilterWidth = Kernel->GetWidth();
    Single InvScale = 1 / Scale;
    // Reducing, the kernel is widened to the source's step and its weights lowered alike.
    bool Reducing = Scale < 1;
    if (Reducing) FilterWidth *= InvScale;
    for (Integer k = 0; k < ClipW; ++k) {
        TCluster& Cluster = Result[static_cast<size_t>(k)];
        Single Center = (static_cast<Single>(k + ClipLo - DstLo) + 0.5f) * InvScale + SrcLo - 0.5f;
        Integer Left = FloorInt(Center - FilterWidth), Right = CeilInt(Center + FilterWidth);
        Integer Sum = 0;
        for (Integer j = Left; j <= Right; ++j) {
            Single D = Center - static_cast<Single>(j);
            Integer W = Reducing ? RoundInt(Kernel->Filter(D * Scale) * Scale * 256) : RoundInt(Kernel->Filter(D) * 256);
            if (W == 0) continue;
            Cluster.push_back(TPointRec{std::clamp(j, SrcLo, SrcHi - 1), W});
            Sum += W;
        }
        if (Cluster.empty())
            Cluster.assign(1, TPointRec{std::clamp(FloorInt(Center), SrcLo, SrcHi - 1), 256});
        else
            Cluster[(Cluster.size() - 1) / 2].Weight -= Sum - 256;
    }
    return Result;
}

void ResampleWithKernel(TCustomBitmap32* Dst, const TRect& DstRect, TRect DstClip, TCustomBitmap32* Src,
                        const TRect& SrcRect, TCustomKernel* Kernel, TDrawMode CombineOp,
                        const TPixelCombineEvent& CombineCallBack)
{
    if (CombineOp == dmCustom && !CombineCallBack) CombineOp = dmOpaque;
    if (CombineOp == dmBlend && Src->MasterAlpha() == 0) return;
    IntersectRects(DstClip, DstClip, Dst->BoundsRect());
    if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > Src->Width() || SrcRect.Bottom > Src->Height())
        RaiseInvalidSrcRect();
    TMappingTable HorzMap = BuildKernelMapping(DstRect.Left, DstRect.Right, DstClip.Left, DstClip.Right,
                                               SrcRect.Left, SrcRect.Right, Kernel);
    TMappingTable VertMap = BuildKernelMapping(DstRect.Top, DstRect.Bottom, DstClip.Top, DstClip.Bottom,
                                               SrcRect.Top, SrcRect.Bottom, Kernel);
    if (HorzMap.empty() || VertMap.empty()) return;
    TEndPixelOpsGuard Guard;
    Integer XLo = std::numeric_limits<Integer>::max(), XHi = std::numeric_limits<Integer>::min();
    for (const TCluster& Cluster : HorzMap)
        for (const TPointRec& Tap : Cluster) {
            XLo = std::min(XLo, Tap.Pos);
            XHi = std::max(XHi, Tap.Pos);
        }
    Integer BufferW = XHi - XLo + 1, ClipW = DstClip.Right - DstClip.Left;
    std::vector<TBufferEntry> Buffer(static_cast<size_t>(BufferW));
    std::vector<TColor32> Colors(static_cast<size_t>(ClipW));
    bool Overshoot = Kernel->MayOvershoot();
    (void)Overshoot;  // the totals are limited to 0 .. 255 either way
    TPixelStorer Storer(Src, CombineOp, CombineCallBack);
    for (Integer y = DstClip.Top; y < DstClip.Bottom; ++y) {
        const TCluster& VCluster = VertMap[static_cast<size_t>(y - DstClip.Top)];
        KernelVerticalPass(Src, VCluster, XLo, BufferW, Buffer.data());
        KernelHorizontalPass(Buffer.data(), XLo, HorzMap, Colors.data());
        Storer.StoreRow(Colors.data(), Dst->GetPixelPtr(DstClip.Left, y), ClipW);
    }
}

void ResampleDraft(TCustomBitmap32* Dst, const TRect& DstRect, TRect DstClip, TCustomBitmap32* Src,
                   const TRect& SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack)
{
    Integer SrcW = SrcRect.Right - SrcRect.Left, SrcH = SrcRect.Bottom - SrcRect.Top;
    Integer DstW = DstRect.Right - DstRect.Left, DstH = DstRect.Bottom - DstRect.Top;
    if (SrcW < DstW || SrcH < DstH) {
        if (SrcW < 2 || SrcH < 2) {
            TLinearKernel Kernel;
            ResampleWithKernel(Dst, DstRect, DstClip, Src, SrcRect, &Kernel, CombineOp, CombineCallBack);
        } else {
            StretchBilinear(Dst, DstRect, DstClip, Src, SrcRect, CombineOp, CombineCallBack);
        }
        return;
    }
    IntersectRects(DstClip, DstClip, Dst->BoundsRect());
    IntersectRects(DstClip, DstClip, DstRect);
    if (RectIsEmpty(DstClip) || DstW <= 0 || DstH <= 0) return;
    if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > Src->Width() || SrcRect.Bottom > Src->Height())
        RaiseInvalidSrcRect();
    TEndPixelOpsGuard Guard;
    Single Dx = static_cast<Single>(SrcW) / DstW, Dy = static_cast<Single>(SrcH) / DstH;
    Integer StartX = SrcRect.Left + static_cast<Integer>((DstClip.Left - DstRect.Left) * Dx);
    Integer StartY = SrcRect.Top + static_cast<Integer>((DstClip.Top - DstRect.Top) * Dy);
    TFixed Fx = static_cast<TFixed>(Dx * 65536), Fy = static_cast<TFixed>(Dy * 65536);
    Integer ClipW = DstClip.Right - DstClip.Left, ClipH = DstClip.Bottom - DstClip.Top;
    // Block boundaries relative to the start: b(0) = 0, b(k) = trunc(k d) in
    // 16.16. A Single step slightly above the true one never takes a block
    // past the source rectangle.
    auto Bounds = [](Integer Count, TFixed Step, Integer Start, Integer Limit) {
        std::vector<Integer> B(static_cast<size_t>(Count) + 1);
        for (Integer k = 1; k <= Count; ++k)
            B[static_cast<size_t>(k)] = std::min(FixedMultiply(k, Step), Limit - Start);
        for (Integer k = 1; k <= Count; ++k)  // every block at least one pixel
            B[static_cast<size_t>(k)] = std::max(B[static_cast<size_t>(k)], B[static_cast<size_t>(k) - 1] + 1);
        return B;
    };
    std::vector<Integer> ColumnBounds = Bounds(ClipW, Fx, StartX, SrcRect.Right);
    std::vector<Integer> RowBounds = Bounds(ClipH, Fy, StartY, SrcRect.Bottom);
    if (StartX + ColumnBounds.back() > SrcRect.Right || StartY + RowBounds.back() > SrcRect.Bottom) {
        // Only a clip rectangle at the very edge of an extreme reduction can
        // get here; the last blocks are moved back inside.
        StartX = std::min(StartX, SrcRect.Right - ColumnBounds.back());
        StartY = std::min(StartY, SrcRect.Bottom - RowBounds.back());
    }
    TPixelStorer Storer(Src, CombineOp, CombineCallBack);
    std::vector<TColor32> Colors(static_cast<size_t>(ClipW));
    Integer Stride = Src->Width() * static_cast<Integer>(sizeof(TColor32));
    for (Integer r = 0; r < ClipH; ++r) {
        Integer Y0 = RowBounds[static_cast<size_t>(r)], Y1 = RowBounds[static_cast<size_t>(r) + 1];
        const TColor32* S = Src->GetPixelPtr(StartX, StartY + Y0);
        for (Integer k = 0; k < ClipW; ++k) {
            Integer X0 = ColumnBounds[static_cast<size_t>(k)], X1 = ColumnBounds[static_cast<size_t>(k) + 1];
            Colors[static_cast<size_t>(k)] = AverageBlock(X1 - X0, Y1 - Y0, S + X0, Stride);
        }
        Storer.StoreRow(Colors.data(), Dst->GetPixelPtr(DstClip.Left, DstClip.Top + r), ClipW);
    }
}

// ---------------------------------------------------------------------------
// Nested samplers

void TNestedSampler::CheckSampler() const
{
    if (!FSampler) throw ENestedException(u"Nested sampler is nil");
}

void TNestedSampler::PrepareSampling()
{
    CheckSampler();
    FSampler->PrepareSampling();
}

void TNestedSampler::FinalizeSampling()
{
    CheckSampler();
    FSampler->FinalizeSampling();
}

bool TNestedSampler::HasBounds() const
{
    CheckSampler();
    return FSampler->HasBounds();
}

TFloatRect TNestedSampler::GetSampleBounds() const
{
    CheckSampler();
    return FSampler->GetSampleBounds();
}

void TNestedSampler::ListProperties(TPropList& List) const
{
    List.push_back(ObjectProperty(u"Sampler", &TNestedSampler::Sampler));
}

void TNestedSampler::AssignTo(TPersistent* Dest)
{
    if (dynamic_cast<TNestedSampler*>(Dest)) {
        AssignPublishedProperties(this, Dest, PropertyKindsToCopy());
        return;
    }
    TCustomSampler::AssignTo(Dest);
}

bool TNestedSampler::GetSampleRow(Integer, Integer, Integer, TColor32*) { return false; }

TTransformer::TTransformer(TCustomSampler* ASampler, TTransformation* ATransformation)
    : TNestedSampler(ASampler), FTransformation(ATransformation)
{
}

namespace {
// Half a pixel less one 16.16 step: the offset between a pixel's corner and its centre.
constexpr TFixed HalfPixel = 0x7FFF;
inline TFixed Shifted(TFixed V, TFixed By) { return static_cast<TFixed>(static_cast<Cardinal>(V) + static_cast<Cardinal>(By)); }
}  // namespace

TColor32 TTransformer::GetSampleInt(Integer X, Integer Y)
{
    TFixed U, V;
    FTransformation->ReverseTransformFixed(Shifted(IntToFixed(X), HalfPixel), Shifted(IntToFixed(Y), HalfPixel), U, V);
    return FSampler->GetSampleFixed(Shifted(U, -HalfPixel), Shifted(V, -HalfPixel));
}

TColor32 TTransformer::GetSampleFixed(TFixed X, TFixed Y)
{
    TFixed U, V;
    FTransformation->ReverseTransformFixed(Shifted(X, HalfPixel), Shifted(Y, HalfPixel), U, V);
    return FSampler->GetSampleFixed(Shifted(U, -HalfPixel), Shifted(V, -HalfPixel));
}

TColor32 TTransformer::GetSampleFloat(Single X, Single Y)
{
    Single U, V;
    FTransformation->ReverseTransformFloat(X + 0.5f, Y + 0.5f, U, V);
    return FSampler->GetSampleFloat(U - 0.5f, V - 0.5f);
}

void TTransformer::PrepareSampling()
{
    TNestedSampler::PrepareSampling();
    if (FTransformation && !FTransformation->TransformValid()) FTransformation->ValidateTransform();
}

bool TTransformer::HasBounds() const
{
    return FTransformation && FTransformation->HasTransformedBounds() && TNestedSampler::HasBounds();
}

TFloatRect TTransformer::GetSampleBounds() const
{
    TFloatRect Bounds;
    IntersectFloatRects(Bounds, TNestedSampler::GetSampleBounds(), FTransformation->SrcRect());
    return FTransformation->GetTransformedBounds(Bounds);
}

bool TTransformer::GetSampleRow(Integer X, Integer Y, Integer Count, TColor32* Buffer)
{
    // Only the exact classes whose per-pixel arithmetic is repeated here; and
    // only where the 16.16 coordinates of the row do not wrap, so that
    // stepping by the matrix column gives exactly the products of each pixel.
    if (!FTransformation || !FSampler || typeid(*FTransformation) != typeid(TAffineTransformation)) return false;
    if (X < -32000 || X > 32000 - Count || Y < -32000 || Y > 32000) return false;
    const TFixedMatrix& M = static_cast<TAffineTransformation*>(FTransformation)->InverseFixedMatrix();
    TFixed Xf = Shifted(IntToFixed(X), HalfPixel), Yf = Shifted(IntToFixed(Y), HalfPixel);
    TFixed U = Shifted(Shifted(FixedMultiply(M[0][0], Xf), FixedMultiply(M[1][0], Yf)), M[2][0]);
    TFixed V = Shifted(Shifted(FixedMultiply(M[0][1], Xf), FixedMultiply(M[1][1], Yf)), M[2][1]);
    const TFixed StepU = M[0][0], StepV = M[0][1];
    const std::type_info& SamplerType = typeid(*FSampler);
    if (SamplerType == typeid(TNearestResampler)) {
        auto* R = static_cast<TNearestResampler*>(FSampler);
        for (Integer i = 0; i < Count; ++i, U = Shifted(U, StepU), V = Shifted(V, StepV))
            Buffer[i] = R->FGetSampleInt(R, FixedRoundInt(Shifted(U, -HalfPixel)), FixedRoundInt(Shifted(V, -HalfPixel)));
        return true;
    }
    if (SamplerType == typeid(TLinearResampler) || SamplerType == typeid(TDraftResampler)) {
        auto* R = static_cast<TLinearResampler*>(FSampler);
        for (Integer i = 0; i < Count; ++i, U = Shifted(U, StepU), V = Shifted(V, StepV))
            Buffer[i] = R->FGetSampleFixed(R, Shifted(U, -HalfPixel), Shifted(V, -HalfPixel));
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Start-up: bindings, class lists, and the bitmap's resampler factories

namespace {

void RegisterResamplersBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"Ras32_Resamplers bindings");
    Registry->RegisterBinding(FID_AverageBlock, &AverageBlock);
    Registry->Add(FID_AverageBlock, AverageBlock_Pas);
    // The block average has no separate MMX arithmetic: the portable form serves there.
    Registry->Add(FID_AverageBlock, AverageBlock_Pas, CpuFeature(ciMMX));
#if defined(LM_RAS32_RESAMPLERS_SSE2)
    Registry->Add(FID_AverageBlock, AverageBlock_SSE2, CpuFeature(ciSSE2));
#endif
    Registry->RegisterBinding(FID_InterpolatePair, &InterpolatePair);
    Registry->Add(FID_InterpolatePair, InterpolatePair_Pas);
    Registry->Add(FID_InterpolatePair, InterpolatePair_MMX, static_cast<TCPUFeatures>(CpuFeature(ciMMX) | CpuFeature(ciSSE)));
#if defined(LM_RAS32_RESAMPLERS_SSE2)
    Registry->Add(FID_InterpolatePair, InterpolatePair_SSE2, CpuFeature(ciSSE2));
#endif
    Registry->RebindAll();
}

void RegisterClasses()
{
    RegisterResamplerClass(PersistentClassOf<TNearestResampler>());
    RegisterResamplerClass(PersistentClassOf<TLinearResampler>());
    RegisterResamplerClass(PersistentClassOf<TDraftResampler>());
    RegisterResamplerClass(PersistentClassOf<TKernelResampler>());

    RegisterKernelClass(PersistentClassOf<TBoxKernel>());
    RegisterKernelClass(PersistentClassOf<TLinearKernel>());
    RegisterKernelClass(PersistentClassOf<TCosineKernel>());
    RegisterKernelClass(PersistentClassOf<TSplineKernel>());
    RegisterKernelClass(PersistentClassOf<TCubicKernel>());
    RegisterKernelClass(PersistentClassOf<TMitchellKernel>());
    RegisterKernelClass(PersistentClassOf<TAlbrechtKernel>());
    RegisterKernelClass(PersistentClassOf<TLanczosKernel>());
    RegisterKernelClass(PersistentClassOf<TGaussianKernel>());
    RegisterKernelClass(PersistentClassOf<TBlackmanKernel>());
    RegisterKernelClass(PersistentClassOf<THannKernel>());
    RegisterKernelClass(PersistentClassOf<THammingKernel>());
    RegisterKernelClass(PersistentClassOf<TSinshKernel>());
    RegisterKernelClass(PersistentClassOf<THermiteKernel>());
}

TCustomResampler* MakeDefaultResampler(TCustomBitmap32*) { return new TNearestResampler; }

TCustomResampler* MakeResamplerByName(const String& ClassName, TCustomBitmap32*)
{
    if (!ResamplerClassList()) return nullptr;
    TPersistentClass ResamplerClass = ResamplerClassList()->Find(ClassName);
    if (!ResamplerClass) return nullptr;
    TPersistent* Made = ResamplerClass->Create();
    auto* Resampler = dynamic_cast<TCustomResampler*>(Made);
    if (!Resampler) delete Made;
    return Resampler;
}

bool StartResamplers()
{
    RegisterResamplersBindings();
    RegisterClasses();
    DefaultResamplerFactory = MakeDefaultResampler;
    ResamplerByNameFactory = MakeResamplerByName;
    return true;
}

const bool GResamplersStarted = StartResamplers();

}  // namespace
