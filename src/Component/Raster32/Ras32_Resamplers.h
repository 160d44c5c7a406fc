// Ras32_Resamplers: how a bitmap is sampled between its pixels and copied
// onto another one. The filter kernels; the four resamplers (nearest,
// bilinear, draft, kernel), which answer point samples and stretch a
// rectangle of their bitmap into another bitmap; the block and stretch
// transfers behind every bitmap-to-bitmap draw; the class lists by which
// resamplers and kernels are found by name; the nested samplers, among them
// the transformer that samples through a transformation; and the two pixel
// routines of "Ras32_Resamplers bindings".
#pragma once

#include <vector>

#include "framework/runtime/SysUtils.h"

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Containers.h"
#include "Component/Raster32/Ras32_OrdinalMaps.h"
#include "Component/Raster32/Ras32_Transforms.h"

// ---------------------------------------------------------------------------
// "Ras32_Resamplers bindings"

// The mean of a Width x Height block (rows RowStride bytes apart), per
// channel: with q = 2^24 div (Width * Height), (sum * q) shr 24, the floor of
// the mean or one less where q was rounded down. Blocks of more than 2^24
// pixels give the exact floor of the mean.
using TAverageBlockProc = TColor32(Integer Width, Integer Height, const TColor32* Src, Integer RowStride);
// Bilinear mix of (x, y) = C11[0], (x + 1, y) = C11[1], (x, y + 1) = C21[0] and
// (x + 1, y + 1) = C21[1]; WX is the weight of column x, WY that of row y, in
// 0 .. 256: top = (C11[0] WX + C11[1] (256 - WX)) shr 8, likewise bottom, then
// (top WY + bottom (256 - WY)) shr 8 per channel. (The portable form, bound
// only without MMX, combines with CombinePixel and weights limited to 255.)
using TInterpolatePairProc = TColor32(Integer WX, Integer WY, const TColor32* C11, const TColor32* C21);

enum TResamplersBindingID : Integer { FID_AverageBlock, FID_InterpolatePair };

extern TAverageBlockProc* AverageBlock;
extern TInterpolatePairProc* InterpolatePair;

// The implementations, for the comparison tests and the benchmarks.
TColor32 AverageBlock_Pas(Integer Width, Integer Height, const TColor32* Src, Integer RowStride);
TColor32 AverageBlock_SSE2(Integer Width, Integer Height, const TColor32* Src, Integer RowStride);
TColor32 InterpolatePair_Pas(Integer WX, Integer WY, const TColor32* C11, const TColor32* C21);
// The arithmetic of the processor-specific forms, written portably.
TColor32 InterpolatePair_MMX(Integer WX, Integer WY, const TColor32* C11, const TColor32* C21);
TColor32 InterpolatePair_SSE2(Integer WX, Integer WY, const TColor32* C11, const TColor32* C21);

// ---------------------------------------------------------------------------
// Kernels

// A filter kernel: Filter(x) over the support radius Width. Changes are told
// to the observer (the kernel resampler that owns the kernel).
class TCustomKernel : public TPersistent, public TPublishedProperties {
public:
    String ClassName() const override { return u"TCustomKernel"; }
    virtual bool MayOvershoot() const { return false; }
    virtual Single Filter(Single Value) const = 0;
    virtual Single GetWidth() const = 0;
    void Changed();
    TNotifiablePersistent* Observer() const { return FObserver; }
    void SetObserver(TNotifiablePersistent* Value) { FObserver = Value; }
    void ListProperties(TPropList&) const override {}

protected:
    // Into another kernel: the published properties of the same name.
    void AssignTo(TPersistent* Dest) override;

    TNotifiablePersistent* FObserver = nullptr;
};

class TBoxKernel : public TCustomKernel {
public:
    String ClassName() const override { return u"TBoxKernel"; }
    Single Filter(Single Value) const override;
    Single GetWidth() const override { return 1; }
};

class TLinearKernel : public TCustomKernel {
public:
    String ClassName() const override { return u"TLinearKernel"; }
    Single Filter(Single Value) const override;
    Single GetWidth() const override { return 1; }
};

class TCosineKernel : public TCustomKernel {
public:
    String ClassName() const override { return u"TCosineKernel"; }
    Single Filter(Single Value) const override;
    Single GetWidth() const override { return 1; }
};

class TSplineKernel : public TCustomKernel {
public:
    String ClassName() const override { return u"TSplineKernel"; }
    bool MayOvershoot() const override { return true; }
    Single Filter(Single Value) const override;
    Single GetWidth() const override { return 2; }
};

class TCubicKernel : public TCustomKernel {
public:
    String ClassName() const override { return u"TCubicKernel"; }
    bool MayOvershoot() const override { return true; }
    Single Filter(Single Value) const override;
    Single GetWidth() const override { return 2; }
    Single Coeff() const { return FCoeff; }
    void SetCoeff(Single Value);
    void ListProperties(TPropList& List) const override;

private:
    Single FCoeff = -0.5f;
};

class TMitchellKernel : public TCustomKernel {
public:
    String ClassName() const override { return u"TMitchellKernel"; }
    bool MayOvershoot() const override { return true; }
    Single Filter(Single Value) const override;
    Single GetWidth() const override { return 2; }
};

// Not symmetric.
class THermiteKernel : public TCustomKernel {
public:
    String ClassName() const override { return u"THermiteKernel"; }
    bool MayOvershoot() const override { return true; }
    Single Filter(Single Value) const override;
    Single GetWidth() const override { return 2; }
    Single Bias() const { return FBias; }
    void SetBias(Single Value);
    Single Tension() const { return FTension; }
    void SetTension(Single Value);
    void ListProperties(TPropList& List) const override;

private:
    Single FBias = 0;
    Single FTension = 0;
};

// sin(pi x) / (pi x), 1 at 0; pi x in single precision.
Single NormalizedSinc(Single Value);

// sinc(x) times a window, zero from Width on. Width is at most 16.
class TWindowedSincKernel : public TCustomKernel {
public:
    TWindowedSincKernel();
    String ClassName() const override { return u"TWindowedSincKernel"; }
    bool MayOvershoot() const override { return true; }
    Single Filter(Single Value) const override;
    Single GetWidth() const override { return FWidth; }
    Single Width() const { return FWidth; }
    void SetWidth(Single Value);
    virtual Single WindowWeight(Single Value) const = 0;
    void ListProperties(TPropList& List) const override;

protected:
    // cos(pi x / Width), from the stored reciprocal.
    Single WindowCosine(Single Value) const;

    Single FWidth = 3;
    Single FWidthReciprocal = 1.0f / 3;
};

class TAlbrechtKernel : public TWindowedSincKernel {
public:
    TAlbrechtKernel();
    String ClassName() const override { return u"TAlbrechtKernel"; }
    Single WindowWeight(Single Value) const override;
    Integer Terms() const { return FTerms; }
    // Limited to 2 .. 11.
    void SetTerms(Integer Value);
    void ListProperties(TPropList& List) const override;

private:
    Integer FTerms = 7;
    Double FCoefPointer[11] = {};
};

class TLanczosKernel : public TWindowedSincKernel {
public:
    String ClassName() const override { return u"TLanczosKernel"; }
    Single WindowWeight(Single Value) const override;
};

class TGaussianKernel : public TWindowedSincKernel {
public:
    TGaussianKernel();
    String ClassName() const override { return u"TGaussianKernel"; }
    Single WindowWeight(Single Value) const override;
    Single Sigma() const { return FSigma; }
    // Stored only when it differs and the current Sigma is not 0.
    void SetSigma(Single Value);
    void ListProperties(TPropList& List) const override;

private:
    Single FSigma = 1.33f;
    Single FSigmaReciprocalLn2;
};

class TBlackmanKernel : public TWindowedSincKernel {
public:
    String ClassName() const override { return u"TBlackmanKernel"; }
    Single WindowWeight(Single Value) const override;
};

class THannKernel : public TWindowedSincKernel {
public:
    String ClassName() const override { return u"THannKernel"; }
    Single WindowWeight(Single Value) const override;
};

class THammingKernel : public TWindowedSincKernel {
public:
    String ClassName() const override { return u"THammingKernel"; }
    Single WindowWeight(Single Value) const override;
};

// No cut-off inside Filter; the resamplers use at most 16 taps on each side.
class TSinshKernel : public TCustomKernel {
public:
    String ClassName() const override { return u"TSinshKernel"; }
    bool MayOvershoot() const override { return true; }
    Single Filter(Single Value) const override;
    Single GetWidth() const override { return FWidth; }
    Single Width() const { return FWidth; }
    void SetWidth(Single Value);
    Single Coeff() const { return FCoeff; }
    // Stored only when it differs and the current Coeff is not 0.
    void SetCoeff(Single Value);
    void ListProperties(TPropList& List) const override;

private:
    Single FWidth = 3;
    Single FCoeff = 0.5f;
};

// ---------------------------------------------------------------------------
// Resamplers

LM_EXCEPTION_CLASS(ENestedException, Exception);

// The most taps on each side of a sample point that the kernel paths use.
constexpr Integer MaxKernelRadius = 16;

// Resamplers copy their published properties into another resampler.
class TPublishedResampler : public TCustomResampler, public TPublishedProperties {
public:
    String ClassName() const override { return u"TPublishedResampler"; }
    void ListProperties(TPropList& List) const override;

protected:
    void AssignTo(TPersistent* Dest) override;
};

class TNearestResampler : public TPublishedResampler {
public:
    TNearestResampler();
    String ClassName() const override { return u"TNearestResampler"; }
    TColor32 GetSampleInt(Integer X, Integer Y) override { return FGetSampleInt(this, X, Y); }
    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;
    // Rounded half to even: (2.5, 3.5) reads pixel (2, 4).
    TColor32 GetSampleFloat(Single X, Single Y) override;
    void PrepareSampling() override;
    void Resample(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TCustomBitmap32* Src,
                  const TRect& SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack) override;

    using TGetSampleInt = TColor32 (*)(TNearestResampler* Self, Integer X, Integer Y);

protected:
    Single GetWidth() const override { return 1; }

private:
    TGetSampleInt FGetSampleInt;
    friend class TTransformer;
};

class TLinearResampler : public TPublishedResampler {
public:
    TLinearResampler();
    ~TLinearResampler() override;
    String ClassName() const override { return u"TLinearResampler"; }
    TColor32 GetSampleFixed(TFixed X, TFixed Y) override { return FGetSampleFixed(this, X, Y); }
    TColor32 GetSampleFloat(Single X, Single Y) override;
    void PrepareSampling() override;
    void Resample(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TCustomBitmap32* Src,
                  const TRect& SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack) override;

    using TGetSampleFixed = TColor32 (*)(TLinearResampler* Self, TFixed X, TFixed Y);

protected:
    Single GetWidth() const override { return 1; }

    TLinearKernel* FLinearKernel;

private:
    TGetSampleFixed FGetSampleFixed;
    friend class TTransformer;
};

class TDraftResampler : public TLinearResampler {
public:
    String ClassName() const override { return u"TDraftResampler"; }
    void Resample(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TCustomBitmap32* Src,
                  const TRect& SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack) override;
};

enum TKernelMode : Byte { kmDynamic, kmTableNearest, kmTableLinear };

class TKernelResampler : public TPublishedResampler {
public:
    TKernelResampler();
    ~TKernelResampler() override;
    String ClassName() const override { return u"TKernelResampler"; }

    TCustomKernel* Kernel() const { return FKernel; }
    // Takes Value over (the old kernel is freed); nil or the same kernel changes nothing.
    void SetKernel(TCustomKernel* Value);
    String KernelClassName() const { return FKernel->ClassName(); }
    // A registered kernel class other than the current one replaces the
    // kernel; anything else changes nothing.
    void SetKernelClassName(const String& Value);
    TKernelMode KernelMode() const { return FKernelMode; }
    void SetKernelMode(TKernelMode Value);
    Integer TableSize() const { return FTableSize; }
    // At least 2.
    void SetTableSize(Integer Value);

    TColor32 GetSampleFloat(Single X, Single Y) override;
    void PrepareSampling() override;
    void FinalizeSampling() override;
    void Resample(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TCustomBitmap32* Src,
                  const TRect& SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack) override;
    void ListProperties(TPropList& List) const override;

protected:
    Single GetWidth() const override { return FKernel->GetWidth(); }

private:
    // The taps of one axis for a sample whose fraction to the next pixel is F.
    void GetWeights(Single F, Integer W, Integer* Weights) const;

    TCustomKernel* FKernel;
    TKernelMode FKernelMode = kmDynamic;
    std::unique_ptr<TIntegerMap> FWeightTable;
    Integer FTableSize = 32;
    TColor32 FOuterColor = 0;
};

// ---------------------------------------------------------------------------
// Class lists, in registration order (callers pick resamplers by index):
// resamplers 0 nearest, 1 linear, 2 draft, 3 kernel; kernels 0 box, 1 linear,
// 2 cosine, 3 spline, 4 cubic, 5 Mitchell, 6 Albrecht, 7 Lanczos, 8 Gaussian,
// 9 Blackman, 10 Hann, 11 Hamming, 12 sinh, 13 Hermite.

TClassList* ResamplerClassList();
TClassList* KernelClassList();
void RegisterResamplerClass(TPersistentClass ResamplerClass);
void RegisterKernelClass(TPersistentClass KernelClass);

// ---------------------------------------------------------------------------
// Block and stretch transfers

LM_EXCEPTION_CLASS(EBitmapException, Exception);

//
// CombineOp is the source's draw mode; MasterAlpha, CombineMode and
// OuterColor are read from Src. Both transfers raise EBitmapException
// "Destination bitmap is nil" / "Source bitmap is nil", clip the source to
// Src and the destination to DstClip and Dst, and report the destination
// area to Dst with area kind AreaInfoRect.

// Copies SrcRect of Src with its top-left at (DstX, DstY).
void TransferBlock(TCustomBitmap32* Dst, Integer DstX, Integer DstY, const TRect& DstClip, TCustomBitmap32* Src,
                   const TRect& SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack = nullptr);
// Copies SrcRect of Src onto DstRect of Dst, scaled through Resampler.
void TransferStretched(TCustomBitmap32* Dst, TRect DstRect, const TRect& DstClip, TCustomBitmap32* Src,
                       TRect SrcRect, TCustomResampler* Resampler, TDrawMode CombineOp,
                       const TPixelCombineEvent& CombineCallBack = nullptr);
// The rows of a one-to-one copy onto DstRect (no checks).
void CopyBlockRows(TCustomBitmap32* Dst, const TRect& DstRect, TCustomBitmap32* Src, Integer SrcX, Integer SrcY,
                   TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack);

// The stretches behind the resamplers. Raises "Invalid SrcRect" when SrcRect
// is not inside Src and there is something to draw.
void StretchNearestNeighbour(TCustomBitmap32* Dst, TRect DstRect, TRect DstClip, TCustomBitmap32* Src, TRect SrcRect,
                             TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack);
void StretchBilinear(TCustomBitmap32* Dst, TRect DstRect, TRect DstClip, TCustomBitmap32* Src, TRect SrcRect,
                     TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack);
void ResampleWithKernel(TCustomBitmap32* Dst, const TRect& DstRect, TRect DstClip, TCustomBitmap32* Src,
                        const TRect& SrcRect, TCustomKernel* Kernel, TDrawMode CombineOp,
                        const TPixelCombineEvent& CombineCallBack);
void ResampleDraft(TCustomBitmap32* Dst, const TRect& DstRect, TRect DstClip, TCustomBitmap32* Src,
                   const TRect& SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack);

// One pixel of the kernel stretch's row buffer: channel sums, straight alpha.
struct TBufferEntry {
    Integer B, G, R, A;
};

// One tap of a mapping table: a source coordinate and its weight (1/256 units).
struct TPointRec {
    Integer Pos;
    Integer Weight;
};
using TCluster = std::vector<TPointRec>;
using TMappingTable = std::vector<TCluster>;

// The taps of every destination coordinate ClipLo .. ClipHi - 1 of one axis,
// DstLo .. DstHi being the image of SrcLo .. SrcHi; every cluster sums to 256.
TMappingTable BuildKernelMapping(Integer DstLo, Integer DstHi, Integer ClipLo, Integer ClipHi, Integer SrcLo,
                                 Integer SrcHi, TCustomKernel* Kernel);

// ---------------------------------------------------------------------------
// Nested samplers

// Forwards to another sampler (not owned).
class TNestedSampler : public TCustomSampler, public TPublishedProperties {
public:
    explicit TNestedSampler(TCustomSampler* ASampler = nullptr) { SetSampler(ASampler); }
    String ClassName() const override { return u"TNestedSampler"; }
    TCustomSampler* Sampler() const { return FSampler; }
    void SetSampler(TCustomSampler* Value) { FSampler = Value; }

    // Each raises ENestedException "Nested sampler is nil" without a sampler.
    void PrepareSampling() override;
    void FinalizeSampling() override;
    bool HasBounds() const override;
    TFloatRect GetSampleBounds() const override;
    void ListProperties(TPropList& List) const override;

    // Samples Count pixels of row Y from column X into Buffer, as GetSampleInt
    // would; false when this sampler has no row form (then GetSampleInt is
    // asked pixel by pixel).
    virtual bool GetSampleRow(Integer X, Integer Y, Integer Count, TColor32* Buffer);

protected:
    void AssignTo(TPersistent* Dest) override;
    void CheckSampler() const;

    TCustomSampler* FSampler = nullptr;
};

// Samples the nested sampler at the reverse image of each destination
// coordinate, taken at the pixel's centre.
class TTransformer : public TNestedSampler {
public:
    TTransformer(TCustomSampler* ASampler, TTransformation* ATransformation);
    String ClassName() const override { return u"TTransformer"; }
    TTransformation* Transformation() const { return FTransformation; }
    void SetTransformation(TTransformation* Value) { FTransformation = Value; }

    TColor32 GetSampleInt(Integer X, Integer Y) override;
    TColor32 GetSampleFixed(TFixed X, TFixed Y) override;
    TColor32 GetSampleFloat(Single X, Single Y) override;
    // Validates the transformation after preparing the nested sampler.
    void PrepareSampling() override;
    bool HasBounds() const override;
    TFloatRect GetSampleBounds() const override;
    // An affine transformation over a nearest, linear or draft resampler is
    // sampled a row at a time, giving exactly GetSampleInt's colours.
    bool GetSampleRow(Integer X, Integer Y, Integer Count, TColor32* Buffer) override;

private:
    TTransformation* FTransformation;
};
