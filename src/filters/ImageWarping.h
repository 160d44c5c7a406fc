// ImageWarping: the warp brush. It keeps a private copy of the picture and a
// displacement field as large as the picture; every mouse movement adds the
// brush's vectors into the field at the mouse position and re-renders the
// brush's square of the destination from the copy through the field. The
// left and right buttons select two opposite variants of the tool.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Transforms.h"
#include "Component/Raster32/Ras32_VectorMaps.h"
#include "framework/runtime/UITypes.h"

enum TBrushTool : Byte { btWarp, btZoom, btTwirl, btFlower };
enum TBrushToolMode : Byte { btmLeft, btmRight };

// The brush profile: a weight over the unit disc.
class TGenericBrush : public TObject {
public:
    String ClassName() const override { return u"TGenericBrush"; }
    // 0..1, 1 after creation.
    Single Pressure() const { return FPressure; }
    void SetPressure(Single Value);
    // -1..1, 0 after creation.
    Single Pinch() const { return FPinch; }
    void SetPinch(Single Value);
    // 0..1, 0 after creation.
    Single Feather() const { return FFeather; }
    void SetFeather(Single Value);
    // Feather falloff x pinch falloff x pressure at (X, Y) of the unit square,
    // limited to 0..1; 0 outside the unit circle.
    Single Weight(Single X, Single Y) const;

private:
    Single FPressure = 1;
    Single FPinch = 0;
    Single FFeather = 0;
};

class TImgWarping : public TObject {
public:
    // Src becomes a copy of SrcBitmap (sampled bilinearly, safe at the edges);
    // DestBitmap shows the result and is not owned.
    TImgWarping(TCustomBitmap32* SrcBitmap, TCustomBitmap32* DestBitmap, TBrushTool Tool);
    ~TImgWarping() override;
    String ClassName() const override { return u"TImgWarping"; }

    // Brushes of BrushSize x BrushSize (pressure in percent, pinch 0, feather
    // 0.12). A brush smaller than 2 pixels has no cells: strokes do nothing.
    void UpdateBrush(Integer BrushSize, Integer Pressure);
    void MouseDown(TShiftState Shift, Integer X, Integer Y);
    void MouseMove(TShiftState Shift, Integer X, Integer Y);
    // The square re-rendered by the last stroke step.
    const TRect& DstRect() const { return DstClip; }

    // Read access to the state, for tests and tools.
    TVectorMap* Field() const { return Remapper->VectorMap(); }
    TVectorMap* Brush(TBrushToolMode Mode) const { return CurrentBrush[Mode].get(); }
    TGenericBrush* GenericBrush() const { return FGenericBrush.get(); }
    TBrushTool BrushTool() const { return FBrushTool; }
    const TFixedPoint& LastDelta() const { return FLastDelta; }

private:
    void BuildBrushes();
    void ApplyBrushAt(const TPoint& P);

    std::unique_ptr<TCustomBitmap32> Src;
    TCustomBitmap32* Dst;
    std::unique_ptr<TRemapTransformation> Remapper;
    std::unique_ptr<TGenericBrush> FGenericBrush;
    std::unique_ptr<TVectorMap> CurrentBrush[2];
    TBrushToolMode BrushMode = btmLeft;
    std::unique_ptr<TVectorMap> TempMap;
    TPoint LastPos;
    TFixedPoint FLastDelta;
    TRect DstClip;
    TBrushTool FBrushTool;
};
