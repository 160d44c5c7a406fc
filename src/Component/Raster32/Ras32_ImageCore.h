// Ras32_ImageCore: the portable part of the image controls (Ras32_Image):
// the ordered list of paint stages, where a bitmap lies in a control for each
// scale mode and alignment, the mapping between control and bitmap
// coordinates, how the back buffer follows the control's size, and the
// drawing of the standard stages into a buffer. The controls call these; so
// do the tests and benchmarks, which need no window.
#pragma once

#include <functional>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Containers.h"
#include "Component/Raster32/Ras32_Layers.h"

enum TRepaintMode { rmFull, rmDirect, rmOptimizer };

// A set of the paint box options: bit n for option n.
using TPaintBoxOptions = Byte;
constexpr TPaintBoxOptions pboWantArrowKeys = 1 << 0;
constexpr TPaintBoxOptions pboAutoFocus = 1 << 1;

enum TBitmapAlign { baTopLeft, baCenter, baTile, baCustom };
enum TScaleMode { smNormal, smStretch, smScale, smResize, smOptimal, smOptimalScaled };

// ---------------------------------------------------------------------------
// Paint stages

// What a stage does (TPaintStage::Stage); any other value is skipped.
constexpr Cardinal PST_CUSTOM = 1;          // OnPaintStage
constexpr Cardinal PST_CLEAR_BUFFER = 2;    // the whole buffer in the control's colour
constexpr Cardinal PST_CLEAR_BACKGND = 3;   // what the bitmap does not cover
constexpr Cardinal PST_DRAW_BITMAP = 4;
constexpr Cardinal PST_DRAW_LAYERS = 5;     // layers whose options share a bit with Parameter
constexpr Cardinal PST_CONTROL_FRAME = 6;   // a focus rectangle around the control
constexpr Cardinal PST_BITMAP_FRAME = 7;    // a focus rectangle around the bitmap

struct TPaintStage {
    bool DsgnTime;
    bool RunTime;
    Cardinal Stage;
    Cardinal Parameter;
};
using PPaintStage = TPaintStage*;
static_assert(sizeof(TPaintStage) == 12);

// Pointers from Add, Insert and GetItem stay valid until the list changes size.
class TPaintStages : public TObject {
public:
    String ClassName() const override { return u"TPaintStages"; }
    // A stage that runs at run time only and does nothing yet.
    PPaintStage Add();
    // Index is limited to 0 .. Count.
    PPaintStage Insert(Integer Index);
    // Raises EListError "Invalid stage index" outside 0 .. Count - 1.
    void Delete(Integer Index);
    void Clear() { FItems.clear(); }
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    // Unchecked: the caller keeps Index in range.
    PPaintStage GetItem(Integer Index) { return &FItems[static_cast<size_t>(Index)]; }
    PPaintStage operator[](Integer Index) { return GetItem(Index); }

private:
    std::vector<TPaintStage> FItems;
};

// The stages of a new image control: background, control frame (design
// time), bitmap, bitmap frame (design time), visible layers.
void BuildDefaultStages(TPaintStages& Stages);

// ---------------------------------------------------------------------------
// Placement of the bitmap in the control

struct TBitmapPlacement {
    TScaleMode ScaleMode = smNormal;
    Single ScaleX = 1;
    Single ScaleY = 1;
    TBitmapAlign Align = baTopLeft;
    Single OffsetHorz = 0;
    Single OffsetVert = 0;
};

// The bitmap's size in the control: (0, 0) for an empty bitmap or a control
// without width or height. Viewport is the part of the control the bitmap is
// shown in.
TSize GetBitmapSize(const TBitmapPlacement& P, TSize Bitmap, TSize Viewport, TSize Control);
// Where the bitmap lies in the control (centred on the whole control for baCenter).
TRect GetBitmapRect(const TBitmapPlacement& P, TSize Bitmap, TSize Viewport, TSize Control);

// The mapping between bitmap and control coordinates that follows the
// (rounded) bitmap rectangle.
struct TImageMapping {
    TRect BitmapRect;
    Single ShiftX = 0, ShiftY = 0;
    Single ScaleX = 1, ScaleY = 1;
    Single RecScaleX = 1, RecScaleY = 1;

    // From the bitmap rectangle and the bitmap's size (an empty bitmap: shift 0, scale 1).
    void Assign(const TRect& ABitmapRect, TSize Bitmap);
    TPoint BitmapToControl(const TPoint& P) const;
    TFloatPoint BitmapToControl(const TFloatPoint& P) const;
    // 0x7FFFFFFF (2147483648.0) on an axis whose scale is 0.
    TPoint ControlToBitmap(const TPoint& P) const;
    TFloatPoint ControlToBitmap(const TFloatPoint& P) const;
};

// The control rectangles a changed area of the bitmap repaints: the area
// grown by the resampler's reach (trunc(Width) + 1; for a line area, Info's
// width more), mapped outward to whole control pixels and turned the right
// way round; with baTile once per tile of the buffer.
void BitmapAreaToControlRects(const TImageMapping& Mapping, const TRect& Area, Cardinal Info, Single ResamplerWidth,
                              bool Tiled, TSize Buffer, const std::function<void(const TRect&)>& Emit);

// The back buffer's new size for a viewport: it grows with BufferOversize
// pixels to spare and shrinks only when that many would be wasted; at least 1.
TSize FitBufferSize(TSize Viewport, TSize Buffer, Integer Oversize);

// ---------------------------------------------------------------------------
// The standard stages, drawn into the buffer within its clip rectangle

// Clears what the bitmap does not cover in Color: each invalid rectangle
// when there are any, the whole buffer when the bitmap is empty or not
// opaque, else the bands around BitmapRect in a Width x Height control.
void ClearBackgroundStage(TCustomBitmap32* Dest, TColor32 Color, TCustomBitmap32* Bitmap, const TRect& BitmapRect,
                          bool Tiled, TRectList* InvalidRects, Integer Width, Integer Height);
// Draws the bitmap (locked meanwhile) into BitmapRect, or tiled over Dest.
void DrawBitmapStage(TCustomBitmap32* Dest, TCustomBitmap32* Bitmap, const TRect& BitmapRect, bool Tiled);
// Paints, bottom to top, the layers whose options share a bit with Mask.
void DrawLayersStage(TCustomBitmap32* Dest, TLayerCollection* Layers, Cardinal Mask);

// One entry of a repaint: a stage's drawing and its index in the list.
struct TStageRun {
    std::function<void(TCustomBitmap32* Dest, Integer StageNum)> Handler;
    Integer StageNum;
};
// Runs every entry over the viewport, or, when there are invalid rectangles,
// every entry once per rectangle clipped to it; the buffer's clip rectangle
// is the viewport afterwards. The buffer announces nothing meanwhile.
void RunPaintStages(TCustomBitmap32* Buffer, const std::vector<TStageRun>& Runs, TRectList* InvalidRects,
                    const TRect& Viewport);

// ---------------------------------------------------------------------------
// The scrollable view: where the picture lies along one axis for a bar
// position. SOS is the scaled margin; a centred view puts a picture smaller
// than the viewport (margins included) in the middle.
Single ScrollOffset(Integer ViewportLength, Integer BitmapLength, Integer SOS, Single Position, bool Centered);
