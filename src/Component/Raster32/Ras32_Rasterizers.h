// Ras32_Rasterizers: visiting destination pixels, asking a sampler for each
// colour and storing it by a draw mode; and TransformBitmap, which renders a
// bitmap into another through a transformation with the source's resampler.
#pragma once

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Containers.h"
#include "Component/Raster32/Ras32_Resamplers.h"
#include "Component/Raster32/Ras32_Transforms.h"

// How sampled colours are stored. The default: SrcAlpha 255, dmOpaque,
// cmBlend, no callback, TransparentColor 0xFF000000.
struct TCombineInfo {
    Integer SrcAlpha = 255;
    TDrawMode DrawMode = dmOpaque;
    TCombineMode CombineMode = cmBlend;
    TPixelCombineEvent CombineCallBack;
    TColor32 TransparentColor = 0xFF000000;
};

class TRasterizer : public TThreadPersistent, public TPublishedProperties {
public:
    TRasterizer();
    String ClassName() const override { return u"TRasterizer"; }

    // Not owned.
    TCustomSampler* Sampler() const { return FSampler; }
    void SetSampler(TCustomSampler* Value);

    void Rasterize(TCustomBitmap32* Dst);
    // Prepares the sampler, visits DstRect within the bitmap (and within the
    // sampler's bounds, rounded outward, when it has any), finishes the
    // sampler. Update brackets the visit leaves open on Dst are closed.
    void Rasterize(TCustomBitmap32* Dst, const TRect& DstRect);
    void Rasterize(TCustomBitmap32* Dst, const TRect& DstRect, const TCombineInfo& CombineInfo);
    // Stores as Src would be drawn: its master alpha, draw and combine modes,
    // callback and outer colour.
    void Rasterize(TCustomBitmap32* Dst, const TRect& DstRect, TCustomBitmap32* Src);
    void SetCombineInfo(const TCombineInfo& CombineInfo);
    // dmCustom without a callback becomes dmOpaque.
    static TCombineInfo CombineInfoOf(TCustomBitmap32* Bitmap);

    // From a bitmap: its combine settings; from another rasterizer: its properties.
    void Assign(TPersistent* Source) override;
    void ListProperties(TPropList& List) const override;

    using TAssignColor = void (*)(TRasterizer* Self, TColor32& Dst, TColor32 Src);

protected:
    void AssignTo(TPersistent* Dest) override;
    // Visits the pixels of DstRect, which lies inside Dst.
    virtual void RasterizeArea(TCustomBitmap32* Dst, const TRect& DstRect) = 0;

    TCustomSampler* FSampler = nullptr;
    Integer FSrcAlpha = 255;
    TBlendMemEx* FBlendMemEx = nullptr;
    TPixelCombineEvent FCombineCallBack;
    TAssignColor FAssignColor = nullptr;
    TColor32 FTransparentColor = 0xFF000000;
};

// Row by row, top to bottom, each row left to right. With UpdateRowCount n
// above 0 the bitmap is told about every n rows as they are done.
class TRegularRasterizer : public TRasterizer {
public:
    String ClassName() const override { return u"TRegularRasterizer"; }
    Integer UpdateRowCount() const { return FUpdateRowCount; }
    void SetUpdateRowCount(Integer Value) { FUpdateRowCount = Value; }
    void ListProperties(TPropList& List) const override;

protected:
    void RasterizeArea(TCustomBitmap32* Dst, const TRect& DstRect) override;

private:
    Integer FUpdateRowCount = 0;
};

// The class TransformBitmap makes when it is given no rasterizer.
extern TPersistentClass DefaultRasterizerClass;

// Renders Src into Dst through Transformation (which must not be nil),
// sampling with Src's resampler and storing as Src's draw settings say. Only
// the pixels inside DstClip and Dst's clip rectangle are visited; Dst reports
// that rectangle once more at the end (also when nothing was visited).
void TransformBitmap(TCustomBitmap32* Dst, TCustomBitmap32* Src, TTransformation* Transformation);
void TransformBitmap(TCustomBitmap32* Dst, TCustomBitmap32* Src, TTransformation* Transformation,
                     const TRect& DstClip);
void TransformBitmap(TCustomBitmap32* Dst, TCustomBitmap32* Src, TTransformation* Transformation,
                     TRasterizer* Rasterizer);
void TransformBitmap(TCustomBitmap32* Dst, TCustomBitmap32* Src, TTransformation* Transformation,
                     const TRect& DstClip, TRasterizer* Rasterizer);
