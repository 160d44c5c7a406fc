#include "Component/Raster32/Ras32_ImageCore.h"

#include <algorithm>
#include <cmath>

#include "Component/Raster32/Ras32_MicroTiles.h"
#include "framework/runtime/Maths.h"
#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// TPaintStages

namespace {

constexpr TPaintStage NewStage{false, true, 0, 0};

}  // namespace

PPaintStage TPaintStages::Add()
{
    FItems.push_back(NewStage);
    return &FItems.back();
}

PPaintStage TPaintStages::Insert(Integer Index)
{
    Index = std::clamp(Index, 0, Count());
    return &*FItems.insert(FItems.begin() + Index, NewStage);
}

void TPaintStages::Delete(Integer Index)
{
    if (Index < 0 || Index >= Count()) throw EListError(u"Invalid stage index");
    FItems.erase(FItems.begin() + Index);
}

void BuildDefaultStages(TPaintStages& Stages)
{
    const TPaintStage Defaults[] = {
        {true, true, PST_CLEAR_BACKGND, 0},
        {true, false, PST_CONTROL_FRAME, 0},
        {true, true, PST_DRAW_BITMAP, 0},
        {true, false, PST_BITMAP_FRAME, 0},
        {true, true, PST_DRAW_LAYERS, LOB_VISIBLE},
    };
    for (const TPaintStage& S : Defaults) *Stages.Add() = S;
}

// ---------------------------------------------------------------------------
// Placement

TSize GetBitmapSize(const TBitmapPlacement& P, TSize Bitmap, TSize Viewport, TSize Control)
{
    if (Bitmap.cx <= 0 || Bitmap.cy <= 0 || Control.cx == 0 || Control.cy == 0) return TSize{0, 0};
    const Integer BW = Bitmap.cx, BH = Bitmap.cy, VW = Viewport.cx, VH = Viewport.cy;
    auto Scaled = [](Integer Length, Single Scale) {
        return static_cast<Integer>(Round(static_cast<Single>(Length) * Scale));
    };
    TScaleMode Mode = P.ScaleMode;
    if (Mode == smOptimal) {
        Mode = (VW < BW || VH < BH) ? smResize : smNormal;
    } else if (Mode == smOptimalScaled) {
        Mode = (Scaled(BW, P.ScaleX) <= VW && Scaled(BH, P.ScaleY) <= VH) ? smScale : smResize;
    }
    TSize Result;
    switch (Mode) {
    case smNormal: Result = TSize{BW, BH}; break;
    case smStretch: Result = TSize{VW, VH}; break;
    case smResize: {
        Single RX = static_cast<Single>(VW) / static_cast<Single>(BW);
        Single RY = static_cast<Single>(VH) / static_cast<Single>(BH);
        Result = RX < RY ? TSize{VW, Scaled(BH, RX)} : TSize{Scaled(BW, RY), VH};
        break;
    }
    default: Result = TSize{Scaled(BW, P.ScaleX), Scaled(BH, P.ScaleY)}; break;
    }
    if (Result.cx < 1) Result.cx = 0;
    if (Result.cy < 1) Result.cy = 0;
    return Result;
}

TRect GetBitmapRect(const TBitmapPlacement& P, TSize Bitmap, TSize Viewport, TSize Control)
{
    if (Bitmap.cx <= 0 || Bitmap.cy <= 0) return TRect{};
    TSize Size = GetBitmapSize(P, Bitmap, Viewport, Control);
    TRect R{0, 0, Size.cx, Size.cy};
    if (P.Align == baCenter) {
        ShiftRect(R, (Control.cx - Size.cx) / 2, (Control.cy - Size.cy) / 2);
    } else if (P.Align == baCustom) {
        ShiftRect(R, static_cast<Integer>(Round(P.OffsetHorz)), static_cast<Integer>(Round(P.OffsetVert)));
    }
    return R;
}

void TImageMapping::Assign(const TRect& ABitmapRect, TSize Bitmap)
{
    BitmapRect = ABitmapRect;
    if (Bitmap.cx <= 0 || Bitmap.cy <= 0) {
        ShiftX = ShiftY = 0;
        ScaleX = ScaleY = 1;
    } else {
        ShiftX = static_cast<Single>(ABitmapRect.Left);
        ShiftY = static_cast<Single>(ABitmapRect.Top);
        // The rounded rectangle, not the scale asked for, makes the mapping.
        ScaleX = static_cast<Single>(ABitmapRect.Width()) / static_cast<Single>(Bitmap.cx);
        ScaleY = static_cast<Single>(ABitmapRect.Height()) / static_cast<Single>(Bitmap.cy);
    }
    RecScaleX = ScaleX != 0 ? 1 / ScaleX : 0;
    RecScaleY = ScaleY != 0 ? 1 / ScaleY : 0;
}

TPoint TImageMapping::BitmapToControl(const TPoint& P) const
{
    return TPoint{static_cast<Integer>(Trunc(static_cast<Single>(P.X) * ScaleX + ShiftX)),
                  static_cast<Integer>(Trunc(static_cast<Single>(P.Y) * ScaleY + ShiftY))};
}

TFloatPoint TImageMapping::BitmapToControl(const TFloatPoint& P) const
{
    return TFloatPoint{P.X * ScaleX + ShiftX, P.Y * ScaleY + ShiftY};
}

TPoint TImageMapping::ControlToBitmap(const TPoint& P) const
{
    auto Map = [](Integer V, Single Shift, Single RecScale) {
        if (RecScale == 0) return Integer{0x7FFFFFFF};
        return static_cast<Integer>(Floor((static_cast<Single>(V) - Shift) * RecScale));
    };
    return TPoint{Map(P.X, ShiftX, RecScaleX), Map(P.Y, ShiftY, RecScaleY)};
}

TFloatPoint TImageMapping::ControlToBitmap(const TFloatPoint& P) const
{
    auto Map = [](Single V, Single Shift, Single RecScale) {
        return RecScale == 0 ? 2147483648.0f : (V - Shift) * RecScale;
    };
    return TFloatPoint{Map(P.X, ShiftX, RecScaleX), Map(P.Y, ShiftY, RecScaleY)};
}

void BitmapAreaToControlRects(const TImageMapping& Mapping, const TRect& Area, Cardinal Info, Single ResamplerWidth,
                              bool Tiled, TSize Buffer, const std::function<void(const TRect&)>& Emit)
{
    // The resampler reads that far around a pixel; a line's pixels also
    // reach its width beyond its end points.
    Integer Grow = static_cast<Integer>(Trunc(ResamplerWidth)) + 1;
    if ((Info & AreaInfoRect) == 0 && (Info & AreaInfoLine) != 0) Grow += static_cast<Integer>(Info & 0x00FFFFFF);
    TRect T = Area;
    InflateOriented(T, Grow, Grow);
    // The near corner rounded down, the far one up: at any scale the
    // rectangle covers every control pixel the area reaches (truncating both
    // would lose a change smaller than a control pixel, and an empty result
    // would make the optimiser repaint everything).
    TFloatPoint A = Mapping.BitmapToControl(TFloatPoint{static_cast<Single>(T.Left), static_cast<Single>(T.Top)});
    TFloatPoint B = Mapping.BitmapToControl(TFloatPoint{static_cast<Single>(T.Right), static_cast<Single>(T.Bottom)});
    TRect R{static_cast<Integer>(Floor(std::min(A.X, B.X))), static_cast<Integer>(Floor(std::min(A.Y, B.Y))),
            static_cast<Integer>(Ceil(std::max(A.X, B.X))), static_cast<Integer>(Ceil(std::max(A.Y, B.Y)))};
    const TRect& BR = Mapping.BitmapRect;
    if (!Tiled || BR.Right <= 0 || BR.Bottom <= 0) {
        Emit(R);
        return;
    }
    for (Integer Row = 0; Row <= Buffer.cy / BR.Bottom; ++Row)
        for (Integer Col = 0; Col <= Buffer.cx / BR.Right; ++Col) {
            TRect Tile = R;
            ShiftRect(Tile, Col * BR.Right, Row * BR.Bottom);
            Emit(Tile);
        }
}

TSize FitBufferSize(TSize Viewport, TSize Buffer, Integer Oversize)
{
    auto Fit = [Oversize](Integer Want, Integer Have) {
        Want = std::max(Want, 0);
        Integer Result = Want > Have ? Want + Oversize : (Want < Have - Oversize ? Want : Have);
        return std::max(Result, 1);
    };
    return TSize{Fit(Viewport.cx, Buffer.cx), Fit(Viewport.cy, Buffer.cy)};
}

// ---------------------------------------------------------------------------
// Stages

void ClearBackgroundStage(TCustomBitmap32* Dest, TColor32 Color, TCustomBitmap32* Bitmap, const TRect& BitmapRect,
                          bool Tiled, TRectList* InvalidRects, Integer Width, Integer Height)
{
    if (InvalidRects && InvalidRects->Count() > 0) {
        for (Integer I = 0; I < InvalidRects->Count(); ++I)
            Dest->FillRectS(*InvalidRects->GetItem(I), Color);
        return;
    }
    if (!Bitmap || Bitmap->Empty() || Bitmap->DrawMode() != dmOpaque) {
        Dest->Clear(Color);  // the background shows through
        return;
    }
    const TRect& R = BitmapRect;
    if (R.Left > 0 || R.Right < Width || R.Top > 0 || (R.Bottom < Height && !Tiled)) {
        Dest->FillRectS(0, 0, Width, R.Top, Color);
        Dest->FillRectS(0, R.Bottom, Width, Height, Color);
        Dest->FillRectS(0, R.Top, R.Left, R.Bottom, Color);
        Dest->FillRectS(R.Right, R.Top, Width, R.Bottom, Color);
    }
}

void DrawBitmapStage(TCustomBitmap32* Dest, TCustomBitmap32* Bitmap, const TRect& BitmapRect, bool Tiled)
{
    if (!Bitmap || Bitmap->Empty() || RectIsEmpty(BitmapRect)) return;
    const TRect& R = BitmapRect;
    Bitmap->Lock();
    try {
        if (Tiled) {
            for (Integer Row = 0; Row <= Dest->Height() / R.Bottom; ++Row)
                for (Integer Col = 0; Col <= Dest->Width() / R.Right; ++Col) {
                    TRect Tile = R;
                    ShiftRect(Tile, Col * R.Right, Row * R.Bottom);
                    Bitmap->DrawTo(Dest, Tile);
                }
        } else {
            Bitmap->DrawTo(Dest, R);
        }
    } catch (...) {
        Bitmap->Unlock();
        throw;
    }
    Bitmap->Unlock();
}

void DrawLayersStage(TCustomBitmap32* Dest, TLayerCollection* Layers, Cardinal Mask)
{
    if (!Layers) return;
    for (Integer I = 0; I < Layers->Count(); ++I) {
        TCustomLayer* Layer = Layers->LayerAt(I);
        if (Layer->LayerOptions() & Mask) Layer->RenderLayer(Dest);
    }
}

void RunPaintStages(TCustomBitmap32* Buffer, const std::vector<TStageRun>& Runs, TRectList* InvalidRects,
                    const TRect& Viewport)
{
    Buffer->BeginUpdate();
    try {
        if (!InvalidRects || InvalidRects->Count() == 0) {
            Buffer->SetClipRect(Viewport);
            for (const TStageRun& Run : Runs) Run.Handler(Buffer, Run.StageNum);
        } else {
            for (Integer I = 0; I < InvalidRects->Count(); ++I) {
                Buffer->SetClipRect(*InvalidRects->GetItem(I));
                for (const TStageRun& Run : Runs) Run.Handler(Buffer, Run.StageNum);
            }
            Buffer->SetClipRect(Viewport);
        }
    } catch (...) {
        Buffer->SetClipRect(Viewport);
        Buffer->EndUpdate();
        throw;
    }
    Buffer->EndUpdate();
}

// ---------------------------------------------------------------------------

Single ScrollOffset(Integer ViewportLength, Integer BitmapLength, Integer SOS, Single Position, bool Centered)
{
    if (Centered && ViewportLength > BitmapLength + 2 * SOS)
        return static_cast<Single>(ViewportLength - BitmapLength) / 2;
    return static_cast<Single>(SOS) - Position;
}
