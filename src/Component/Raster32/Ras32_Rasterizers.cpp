#include "Component/Raster32/Ras32_Rasterizers.h"

#include <cstring>
#include <memory>
#include <vector>

#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// TRasterizer

namespace {

void StoreOpaque(TRasterizer*, TColor32& Dst, TColor32 Src) { Dst = Src; }

}  // namespace

TRasterizer::TRasterizer() { SetCombineInfo(TCombineInfo{}); }

void TRasterizer::SetSampler(TCustomSampler* Value)
{
    if (FSampler == Value) return;
    FSampler = Value;
    Changed();
}

void TRasterizer::SetCombineInfo(const TCombineInfo& CombineInfo)
{
    FTransparentColor = CombineInfo.TransparentColor;
    FSrcAlpha = CombineInfo.SrcAlpha;
    FCombineCallBack = CombineInfo.CombineCallBack;
    FBlendMemEx = *CombineMasterInPlaceOf[CombineInfo.CombineMode];
    auto StoreBlended = [](TRasterizer* Self, TColor32& Dst, TColor32 Src) {
        Self->FBlendMemEx(Src, Dst, static_cast<Cardinal>(Self->FSrcAlpha));
        EndPixelOps();
    };
    switch (CombineInfo.DrawMode) {
    case dmOpaque:
        FAssignColor = StoreOpaque;
        break;
    case dmBlend:
        FAssignColor = StoreBlended;
        break;
    case dmTransparent:
        FAssignColor = [](TRasterizer* Self, TColor32& Dst, TColor32 Src) {
            if (Src != Self->FTransparentColor) Dst = Src;
        };
        break;
    case dmCustom:
        if (FCombineCallBack)
            FAssignColor = [](TRasterizer* Self, TColor32& Dst, TColor32 Src) {
                Self->FCombineCallBack(Src, Dst, static_cast<Cardinal>(Self->FSrcAlpha));
            };
        else
            FAssignColor = StoreBlended;
        break;
    }
}

TCombineInfo TRasterizer::CombineInfoOf(TCustomBitmap32* Bitmap)
{
    TCombineInfo Info;
    Info.SrcAlpha = static_cast<Integer>(Bitmap->MasterAlpha());
    Info.DrawMode = Bitmap->DrawMode();
    Info.CombineMode = Bitmap->CombineMode();
    Info.CombineCallBack = Bitmap->OnPixelCombine;
    Info.TransparentColor = Bitmap->OuterColor();
    if (Info.DrawMode == dmCustom && !Info.CombineCallBack) Info.DrawMode = dmOpaque;
    return Info;
}

void TRasterizer::Rasterize(TCustomBitmap32* Dst) { Rasterize(Dst, Dst->BoundsRect()); }

void TRasterizer::Rasterize(TCustomBitmap32* Dst, const TRect& DstRect)
{
    Integer UpdateCount = Dst->UpdateCount();
    if (!FSampler) return;
    FSampler->PrepareSampling();
    auto Finish = [&] {
        while (Dst->UpdateCount() > UpdateCount) Dst->EndUpdate();
        FSampler->FinalizeSampling();
    };
    try {
        TRect R;
        IntersectRects(R, DstRect, Dst->BoundsRect());
        if (FSampler->HasBounds()) IntersectRects(R, R, FloatRectToRect(FSampler->GetSampleBounds(), rrOutside));
        RasterizeArea(Dst, R);
    } catch (...) {
        Finish();
        throw;
    }
    Finish();
}

void TRasterizer::Rasterize(TCustomBitmap32* Dst, const TRect& DstRect, const TCombineInfo& CombineInfo)
{
    SetCombineInfo(CombineInfo);
    Rasterize(Dst, DstRect);
}

void TRasterizer::Rasterize(TCustomBitmap32* Dst, const TRect& DstRect, TCustomBitmap32* Src)
{
    Rasterize(Dst, DstRect, CombineInfoOf(Src));
}

void TRasterizer::Assign(TPersistent* Source)
{
    BeginUpdate();
    try {
        if (auto* Bitmap = dynamic_cast<TCustomBitmap32*>(Source))
            SetCombineInfo(CombineInfoOf(Bitmap));
        else
            TThreadPersistent::Assign(Source);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    Changed();
}

void TRasterizer::AssignTo(TPersistent* Dest)
{
    if (dynamic_cast<TRasterizer*>(Dest)) {
        AssignPublishedProperties(this, Dest, PropertyKindsToCopy());
        return;
    }
    TThreadPersistent::AssignTo(Dest);
}

void TRasterizer::ListProperties(TPropList& List) const
{
    List.push_back(ObjectProperty(u"Sampler", &TRasterizer::Sampler));
}

// ---------------------------------------------------------------------------
// TRegularRasterizer

void TRegularRasterizer::ListProperties(TPropList& List) const
{
    TRasterizer::ListProperties(List);
    List.push_back(IntegerProperty(u"UpdateRowCount", &TRegularRasterizer::UpdateRowCount,
                                   &TRegularRasterizer::SetUpdateRowCount));
}

void TRegularRasterizer::RasterizeArea(TCustomBitmap32* Dst, const TRect& DstRect)
{
    if (RectIsEmpty(DstRect)) return;
    Integer W = DstRect.Right - DstRect.Left;
    // A nested sampler may give whole rows (the same colours as pixel by pixel).
    auto* Nested = dynamic_cast<TNestedSampler*>(FSampler);
    std::vector<TColor32> Row(Nested ? static_cast<size_t>(W) : 0);
    Integer RowCount = 0, FirstUnreported = DstRect.Top;
    for (Integer Y = DstRect.Top; Y < DstRect.Bottom; ++Y) {
        TColor32* P = Dst->GetPixelPtr(DstRect.Left, Y);
        if (Nested && Nested->GetSampleRow(DstRect.Left, Y, W, Row.data())) {
            if (FAssignColor == StoreOpaque)
                std::memcpy(P, Row.data(), static_cast<size_t>(W) * sizeof(TColor32));
            else
                for (Integer i = 0; i < W; ++i) FAssignColor(this, P[i], Row[static_cast<size_t>(i)]);
        } else {
            Nested = nullptr;  // no row form: pixel by pixel from here on
            for (Integer X = DstRect.Left; X < DstRect.Right; ++X, ++P) FAssignColor(this, *P, FSampler->GetSampleInt(X, Y));
        }
        if (FUpdateRowCount != 0 && ++RowCount == FUpdateRowCount) {
            Dst->Changed(TRect{DstRect.Left, FirstUnreported, DstRect.Right, Y + 1}, AreaInfoRect);
            FirstUnreported = Y + 1;
            RowCount = 0;
        }
    }
    if (FirstUnreported < DstRect.Bottom)
        Dst->Changed(TRect{DstRect.Left, FirstUnreported, DstRect.Right, DstRect.Bottom}, AreaInfoRect);
}

TPersistentClass DefaultRasterizerClass = PersistentClassOf<TRegularRasterizer>();

// ---------------------------------------------------------------------------
// TransformBitmap

void TransformBitmap(TCustomBitmap32* Dst, TCustomBitmap32* Src, TTransformation* Transformation)
{
    std::unique_ptr<TPersistent> Made(DefaultRasterizerClass->Create());
    TransformBitmap(Dst, Src, Transformation, static_cast<TRasterizer*>(Made.get()));
}

void TransformBitmap(TCustomBitmap32* Dst, TCustomBitmap32* Src, TTransformation* Transformation,
                     const TRect& DstClip)
{
    std::unique_ptr<TPersistent> Made(DefaultRasterizerClass->Create());
    TransformBitmap(Dst, Src, Transformation, DstClip, static_cast<TRasterizer*>(Made.get()));
}

void TransformBitmap(TCustomBitmap32* Dst, TCustomBitmap32* Src, TTransformation* Transformation,
                     TRasterizer* Rasterizer)
{
    if (!Dst) throw EBitmapException(u"Destination bitmap is nil");
    TransformBitmap(Dst, Src, Transformation, Dst->BoundsRect(), Rasterizer);
}

void TransformBitmap(TCustomBitmap32* Dst, TCustomBitmap32* Src, TTransformation* Transformation,
                     const TRect& DstClip, TRasterizer* Rasterizer)
{
    if (!Dst) throw EBitmapException(u"Destination bitmap is nil");
    if (!Src) throw EBitmapException(u"Source bitmap is nil");
    Assert(Transformation && Rasterizer && Src->Resampler());
    TRect R;
    IntersectRects(R, DstClip, Dst->ClipRect());
    if (!Dst->MeasuringMode()) {
        TTransformer Transformer(Src->Resampler(), Transformation);
        // The rasterizer is handed back with the sampler it came with: the
        // transformer does not outlive this call.
        TCustomSampler* OldSampler = Rasterizer->Sampler();
        Rasterizer->SetSampler(&Transformer);
        try {
            Rasterizer->Rasterize(Dst, R, Src);
        } catch (...) {
            EndPixelOps();
            Rasterizer->SetSampler(OldSampler);
            throw;
        }
        EndPixelOps();
        Rasterizer->SetSampler(OldSampler);
    }
    Dst->Changed(R, AreaInfoRect);
}
