// ImageDraw: the document of one open image (TImageDraw), which owns its
// drawn objects (TImgShape, document/ImgShape.h) and is the owner they see.
// Portable: the document reaches its image view through TImageDrawView and
// the platform's picture decoder through ImageDrawHooks, both supplied by
// win/ImageDraw_Win (and by the tests).
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Layers.h"
#include "document/ImageDrawHooks.h"
#include "document/ImageEffectBrush.h"
#include "document/ImageEffectRun.h"
#include "document/ImageFrameRun.h"
#include "document/ImagePaint.h"
#include "document/ImageUndo.h"
#include "document/ImgShape.h"
#include "document/base/ImageDrawTypes.h"
#include "document/base/ViDuza.h"
#include "foundation/HyDataTable.h"
#include "foundation/HyFileUtils_ImageInfo.h"
#include "framework/runtime/UITypes.h"

class TImageDraw;
class TImgSelection;
class TImgSmall;
// What the document file reader parsed (ImageDraw_File.cpp).
struct TDocumentParts;
class TImgWarping;


// ---------------------------------------------------------------------------
// What the document needs of its image view.

class TImageDrawView {
public:
    virtual ~TImageDrawView() = default;
    virtual TLayerCollection* Layers() = 0;
    // The view bitmap the document composes into.
    virtual TCustomBitmap32* Bitmap() = 0;
    virtual Single OffsetHorz() = 0;
    virtual Single OffsetVert() = 0;
    virtual TRect GetViewportRect() = 0;
    // The size of the view control, which the back buffer covers.
    virtual TSize ControlSize()
    {
        TRect R = GetViewportRect();
        return TSize{R.Right - R.Left, R.Bottom - R.Top};
    }
};


// ---- Fill, wand and gradient ----
// The shapes a gradient fill is laid in.
enum TGradientShape { gsNone, gsLinear, gsRadial, gsDiamond };
// A gradient fill worked out portably from the drag (TImageDraw::GradientDo):
// what the painter lays on the surface, in raster pixels. Colours are ARGB
// (the layout of the platform's gradient colours); positions run from 0 to 1
// without falling, the first 0 and the last 1, one per colour.
struct TGradientPlan {
    TGradientShape Shape = gsNone;
    // gsLinear: the brush runs from Start (position 0) to Finish (1) and fills
    // Bounds, the raster; beyond either end its end colour goes on.
    TFloatPoint Start, Finish;
    // gsRadial and gsDiamond: a path brush from the outline (position 0) to
    // Center (1). Radial: the circle of Radius about Center, filling Bounds
    // (its box). Diamond: the square Corners, filling itself.
    TFloatPoint Center;
    Single Radius = 0;
    std::array<TPoint, 4> Corners{};
    TRect Bounds;
    std::vector<TColor32> Colors;
    std::vector<Single> Positions;
};
// The plan of a gradient of GradientType (0 linear, 1 radial, 3 reflected,
// 4 diamond) dragged from S to E over a W x Ht raster, with the stops Colors
// at Positions. Shape gsNone (nothing to draw) for any other type, an empty
// raster, a drag of no length, no stop, colours and positions of different
// counts, or a position that is no number. One stop is a solid colour;
// positions are clamped to 0 .. 1 and never fall, and the end colours are
// repeated at 0 and 1 when the stops stop short of them.
TGradientPlan PlanGradient(Integer GradientType, const std::vector<TColor32>& Colors,
                           const std::vector<Single>& Positions, const TPoint& S, const TPoint& E, Integer W,
                           Integer Ht);
// What the gradient fill takes from the platform side, installed at start-up.
struct TGradientHooks {
    // Lays Plan on Surface's pixels. Unset: nothing is painted (the host build).
    void (*Paint)(TCustomBitmap32& Surface, const TGradientPlan& Plan) = nullptr;
};
extern TGradientHooks GradientHooks;

LM_EXCEPTION_CLASS(EImageDraw, Exception);

using TShapeSelectedEvent = TEvent<TImageDraw* /*Sender*/>;
using TShapeModifiedEvent = TEvent<TImageDraw* /*Sender*/>;
using TShapeStateChangedEvent = TEvent<TImageDraw* /*Sender*/>;
using TGodoEvent = TEvent<TImageDraw* /*Sender*/, const String& /*StateName*/>;
using TProcessingDoneEvent = TEvent<TImageDraw* /*Sender*/, TProcessingMode, bool /*BoolData*/>;
using TRulerChangedEvent = TEvent<TImageDraw* /*Sender*/, Integer, Integer, Integer, Integer>;

// The object-table properties the document itself reads.
namespace ObjProp {
constexpr Integer NextId = 1, OriFileName = 4, CanvasColor = 10, CanvasTransparent = 14, Ruler = 17,
                  HorzGuides = 18, VertGuides = 19;
}

// ---------------------------------------------------------------------------
// The document

class TImageDraw : public TPersistent, public TShapeOwner, public TPaintSurface, public TEffectBrushDocument,
                   public TUndoDocument, public TEffectRunDocument, public TFrameRunDocument {
public:
    // Builds the document: from a document stream (P), from an image file
    // (B32 its decoded picture), from a clipboard picture (B, FromClipboard),
    // else a blank W x H canvas (tiled with CanvasPattern, transparent white
    // when T, else colour C). The caller keeps every argument. An image file
    // with B32 null is read once: its bytes are decoded in memory
    // (ImageDrawHooks.DecodePicture) and kept as the original; a file that
    // does not decode raises EImageDraw. With a document file beside it the
    // image file is not read at all.
    TImageDraw(TImageDrawView* AOwner, TCustomBitmap32* B, TCustomBitmap32* B32, TCustomBitmap32* CanvasPattern,
               TRow* WatermarkRow, const String& ImageFile, Integer LangIndex, bool FromClipboard,
               bool FromScreenCapture, TStream* P, Integer W, Integer H, TColor C, bool T, Integer Bpp);
    ~TImageDraw() override;
    String ClassName() const override { return u"TImageDraw"; }

    void SetChanged(bool IsSaveUndo) override;
    void ShapeStateChanged() override;
    TImgShape* GetShapeByName(const String& ShapeName) const;
    void SetSrcBmpChanged(bool Value) override { FSrcBmpChanged = Value; }
    Integer IndexOfShapeId(Integer Id) const override;
    TImgShape* FindCurrentShape() const;
    void SetCurrentShape(Integer Id) override;
    static String ConvertCellEscapes(const String& S, bool ToPlain);
    // The object a row owns (its Data slot), or null.
    static TImgShape* RowShape(TRow* Row);

    // Sizes the view bitmap to the raster, reads the canvas settings and
    // renders the watermark layer.
    void InitBitmap() override;
    // Loads FileName as the watermark; a picture of size 0 switches it off.
    void AddWatermark(const String& FileName, Integer LocationType, Integer Location, Integer ED1, Integer ED2,
                      Integer SD1, Integer SD2, Integer WMAngle, Integer WMOpacity, bool WMUseTC, TColor WMTC);
    // The same with an already decoded picture.
    void AddWatermarkPicture(TCustomBitmap32* Picture, Integer LocationType, Integer Location, Integer ED1,
                             Integer ED2, Integer SD1, Integer SD2, Integer WMAngle, Integer WMOpacity,
                             bool WMUseTC, TColor WMTC);
    TImgSmall* WMShape() const { return FWMShape.get(); }

    // Composition. Draw: the view bitmap from the raster (dimmed outside a
    // crop frame of style 0), the watermark layer and every visible object
    // in table order, each over its shadow's reflection, reflection and
    // shadow; an object being created or adjusted is drawn without effects
    // and keeps its change flags. Then the control layer repaints.
    void Draw() override;
    // Composes only what changed since the last composition, with the pixels
    // Draw gives: the union of every changed object's area before and after
    // (its effects included), of objects that appeared, went or changed
    // places in the order, limited to Visible (image pixels; an empty
    // rectangle: the whole view bitmap). What changed outside Visible is
    // composed by a later call whose Visible reaches it. An object says it
    // changed by Changed2 or Rotated2, by being created or adjusted, or by
    // moving; the raster, the watermark and the crop frame are composed by
    // Draw, which this falls back to when they changed since, when an object
    // names no picture area (PictureBounds), or before any Draw. Returns the
    // area composed.
    TRect DrawChanged(const TRect& Visible);
    // The part of the image the view shows now (image pixels).
    TRect VisibleImageRect() const;
    // The objects alone into ABitmap: Mode 0 all, 1 only pictures, 2 all but
    // pictures; never hidden, crop or selection objects.
    void DrawTo(TCustomBitmap32* ABitmap, Integer Mode);
    // Burns every object (bAll) or the selected ones into the raster and
    // deletes them.
    void Flatten(bool bAll);
    // Burns the lifted pixels of the first selection object into the raster.
    void FlattenSelection();
    // Deletes the objects with the ids in Ids (their rows and the objects),
    // in list order; when any went, the change and selection are reported.
    void DeleteShapes(const TRow& Ids);
    bool SrcBmpChanged() const override { return FSrcBmpChanged; }

    // ---- Undo and redo (document/ImageUndo.h: TUndoHistory) ----
    TUndoHistory& UndoHistory() const { return *FUndo; }
    void ReplaceSrcBmp(std::unique_ptr<TCustomBitmap32> Value) override { FSrcBmp = std::move(Value); }
    TShapeOwner& ShapeOwner() override { return *this; }
    void UndoStateRestoring(const String& StateName) override
    {
        if (OnGodoStart) OnGodoStart(this, StateName);
    }
    void SaveUndoFirst() { FUndo->SaveUndoFirst(); }
    void SaveUndo() override { FUndo->SaveUndo(); }
    void Undo() { FUndo->Undo(); }
    void Redo() { FUndo->Redo(); }
    void Godo(bool NotSetChanged) { FUndo->Godo(NotSetChanged); }
    static void ClearUndo(std::unique_ptr<TDataTable> DataDT) { TUndoHistory::ClearUndo(std::move(DataDT)); }
    void ClearUndoStateName(const String& S) override { FUndo->ClearUndoStateName(S); }
    void RemoveUndoStatesNamed(const String& S, Integer MaxCount) override { FUndo->RemoveUndoStatesNamed(S, MaxCount); }
    static void ClearActionData(TRow* ARow) { TUndoHistory::ClearActionData(ARow); }
    Int64 UndoByteLimit() const { return FUndo->UndoByteLimit(); }
    void SetUndoByteLimit(Int64 Value) { FUndo->SetUndoByteLimit(Value); }
    Int64 UndoBytes() const { return FUndo->UndoBytes(); }
    // Set by the effect brush while it draws: its states are named "EffectDraw".
    bool EffectDrawing() const override { return FEffectBrush->EffectDrawing(); }
    void SetEffectDrawing(bool Value) { FEffectBrush->SetEffectDrawing(Value); }

    // ---- Effect runs (document/ImageEffectRun.h: TEffectRun) ----
    TEffectRun& EffectRun() const { return *FEffectRun; }
    void EffectBegin() { FEffectRun->EffectBegin(); }
    void EffectDo(Integer Value, bool OptionChecked) { FEffectRun->EffectDo(Value, OptionChecked); }
    void EffectDo2(Integer Value1, Integer Value2, Integer Value3, Integer Value4, TColor ValueColor,
                   Integer ValueBlendMode, bool OptionChecked)
    {
        FEffectRun->EffectDo2(Value1, Value2, Value3, Value4, ValueColor, ValueBlendMode, OptionChecked);
    }
    void EffectDoDirection(Integer Value, Integer Direction, bool OptionChecked)
    {
        FEffectRun->EffectDoDirection(Value, Direction, OptionChecked);
    }
    void EffectDoRotate(Single RatateAngle) { FEffectRun->EffectDoRotate(RatateAngle); }
    void EffectDoSkew(Integer SkewX, Integer SkewY) { FEffectRun->EffectDoSkew(SkewX, SkewY); }
    void EffectDoTransform(Single X0, Single Y0, Single X1, Single Y1, Single X2, Single Y2, Single X3, Single Y3,
                           Integer ScaleX, Integer ScaleY)
    {
        FEffectRun->EffectDoTransform(X0, Y0, X1, Y1, X2, Y2, X3, Y3, ScaleX, ScaleY);
    }
    void EffectEnd(bool IsApply) { FEffectRun->EffectEnd(IsApply); }
    void ImageAdjust(Integer BrightnessAmount, Integer ContrastAmount, Integer LightnessAmount,
                     Integer SaturationAmount, Integer HueAmount, Integer BalanceRedAmount,
                     Integer BalanceGreenAmount, Integer BalanceBlueAmount, bool BalanceLuminosity)
    {
        FEffectRun->ImageAdjust(BrightnessAmount, ContrastAmount, LightnessAmount, SaturationAmount, HueAmount,
                                BalanceRedAmount, BalanceGreenAmount, BalanceBlueAmount, BalanceLuminosity);
    }
    bool EffectSmall() const { return FEffectRun->EffectSmall(); }
    void SetEffectSmall(bool Value) { FEffectRun->SetEffectSmall(Value); }
    TCustomBitmap32* EffectMaskBmp() const { return FEffectRun->EffectMaskBmp(); }
    void SetEffectMaskBmp(TCustomBitmap32* Value) { FEffectRun->SetEffectMaskBmp(Value); }
    bool EffectSelectionBitmap() const { return FEffectRun->EffectSelectionBitmap(); }
    bool EffectSelection() const { return FEffectRun->EffectSelection(); }
    TColorBalance* ColorBalance() const { return FEffectRun->ColorBalance(); }
    // The pristine copy of the open effect or frame run, else the effect
    // brush's source; null outside them.
    TCustomBitmap32* SrcBmp_T() const
    {
        if (TCustomBitmap32* P = FEffectRun->Pristine()) return P;
        if (TCustomBitmap32* P = FFrameRun->Pristine()) return P;
        return FEffectBrush->Source();
    }
    // The pixels of Src that fall inside the selection's region, Src's
    // top-left lying at SrcOriginPoint of Dest, copied into Dest.
    void SrcInRegionAssignToDest(TCustomBitmap32* Src, TCustomBitmap32* Dest, const TPoint& SrcOriginPoint) override;
    // The image as first loaded back into the raster; false, changing
    // nothing, when there is none (ImageRestoreEnabled).
    bool ImageRestore();
    bool ImageRestoreEnabled() const { return FOriBmp && !FOriBmp->Empty(); }
    // A run's change of the raster's size, reported through OnProcessingDone.
    void ProcessingDone(TProcessingMode Mode) override
    {
        if (OnProcessingDone) OnProcessingDone(this, Mode, false);
    }
    // The action row of a run closing: appended to the action log when
    // applied and a routine was recorded, else freed.
    void CloseActionRow(std::unique_ptr<TRow> Row, bool IsApply) override
    {
        FUndo->CloseActionRow(std::move(Row), IsApply);
    }

    // ---- Effect brush (document/ImageEffectBrush.h: TEffectBrush) ----
    TEffectBrush& EffectBrush() const { return *FEffectBrush; }
    void EffectDrawBegin(Cardinal Value) { FEffectBrush->EffectDrawBegin(Value); }
    void EffectDrawReBegin(Cardinal Value, bool bFirstBegin) { FEffectBrush->EffectDrawReBegin(Value, bFirstBegin); }
    void EffectDrawPrepare(TShiftState Shift, Integer X, Integer Y) { FEffectBrush->EffectDrawPrepare(Shift, X, Y); }
    void EffectDrawDo(bool IsDo, TShiftState Shift, Integer X, Integer Y)
    {
        FEffectBrush->EffectDrawDo(IsDo, Shift, X, Y);
    }
    void EffectDrawEnd() { FEffectBrush->EffectDrawEnd(); }
    void EffectDrawOver(bool IsUndo) { FEffectBrush->EffectDrawOver(IsUndo); }
    Integer EffectDrawRadius() const { return FEffectBrush->EffectDrawRadius(); }
    void SetEffectDrawRadius(Integer Value) { FEffectBrush->SetEffectDrawRadius(Value); }
    Integer EffectDrawStyle() const { return FEffectBrush->EffectDrawStyle(); }
    void SetEffectDrawStyle(Integer Value) { FEffectBrush->SetEffectDrawStyle(Value); }
    bool EffectDrawErase() const { return FEffectBrush->EffectDrawErase(); }
    void SetEffectDrawErase(bool Value) { FEffectBrush->SetEffectDrawErase(Value); }
    bool EffectDrawDone() const { return FEffectBrush->EffectDrawDone(); }
    TImgWarping* ImgWarping() const { return FEffectBrush->ImgWarping(); }

    // ---- Frames (document/ImageFrameRun.h: TFrameRun) ----
    TFrameRun& FrameRun() const { return *FFrameRun; }
    void FrameBegin() { FFrameRun->FrameBegin(); }
    void FrameDo0(Integer Value1, TColor Color1, Integer Value2, TColor Color2, Integer Value3, TColor Color3,
                  bool OptionChecked)
    {
        FFrameRun->FrameDo0(Value1, Color1, Value2, Color2, Value3, Color3, OptionChecked);
    }
    void FrameDo1(Integer Value1, TColor Color1, Integer Value2, const String& TextureFileName)
    {
        FFrameRun->FrameDo1(Value1, Color1, Value2, TextureFileName);
    }
    void FrameDo2(TDataTable* DT) { FFrameRun->FrameDo2(DT); }
    void FrameDo3(Integer Value1, TColor Color1) { FFrameRun->FrameDo3(Value1, Color1); }
    void FrameEnd(bool IsApply) { FFrameRun->FrameEnd(IsApply); }
    static constexpr Integer MaxFrameLayers = TFrameRun::MaxFrameLayers;
    Integer FrameType() const { return FFrameRun->FrameType(); }
    void SetFrameType(Integer Value) { FFrameRun->SetFrameType(Value); }
    Integer FrameMode() const { return FFrameRun->FrameMode(); }
    void SetFrameMode(Integer Value) { FFrameRun->SetFrameMode(Value); }
    bool FrameSmall() const { return FFrameRun->FrameSmall(); }
    void SetFrameSmall(bool Value) { FFrameRun->SetFrameSmall(Value); }
    TCustomBitmap32* FrameMaskBmp() const { return FFrameRun->FrameMaskBmp(); }
    void SetFrameMaskBmp(TCustomBitmap32* Value) { FFrameRun->SetFrameMaskBmp(Value); }
    Integer LastMoveOffsetX() const { return FFrameRun->LastMoveOffsetX(); }
    Integer LastMoveOffsetY() const { return FFrameRun->LastMoveOffsetY(); }

    // ---- Fill, wand and gradient (ImageDraw_Fill.cpp) ----
    // The paint bucket: FillColor becomes Color (opaque). With a selection,
    // every raster pixel inside its region takes it, wherever the click;
    // else the area of (X, Y) (FillDo with FillTolerance) does. Marks the
    // raster changed and redraws; a click outside the raster without a
    // selection changes nothing.
    void Fill(Integer X, Integer Y, TColor Color);
    // Recolours to FillColor the 4-connected area around (X0, Y0) of B32's
    // pixels whose colour is similar to FillSrcColor within Tolerance
    // (ColorsSimilar); (X0, Y0) itself always joins. Count becomes the number
    // of pixels recoloured; ayPoint, when given, receives them in row-major
    // order. Nothing for a point outside B32. The flood runs over spans: its
    // extra memory is a stack of spans, and one bit per pixel only when
    // FillColor is itself similar to FillSrcColor (recoloured pixels then
    // look unfilled).
    void FillDo(TCustomBitmap32* B32, Integer X0, Integer Y0, Integer Tolerance, TArrayOfPoint* ayPoint,
                Integer& Count);
    // The magic wand: FillSrcColor becomes the raster's pixel at (X, Y), and
    // the pixels similar to it within Tolerance, those connected to (X, Y)
    // (Continuous) or all of them, are added in row-major order to the
    // selection object (AddNewPoint; the caller made it with the pixel-list
    // style). The raster is only read. Nothing for a point outside the
    // raster or without a selection object.
    void CalcSelectionWandPoints(Integer X, Integer Y, Integer Tolerance, bool Continuous);
    // The gradient fill of the drag from (GradientStartX, GradientStartY) to
    // (MovedX, MovedY) (PlanGradient), painted through GradientHooks on the
    // raster, or with a selection on a copy of it (the lifted pixels laid on
    // first) whose pixels inside the region go back to the lifted pixels or
    // the raster. A type that draws nothing (2) still marks the document
    // changed; no drag, or a drag or stops PlanGradient refuses, change nothing.
    void GradientDo(Integer GradientType, const std::vector<TColor32>& Colors, const std::vector<Single>& Positions);
    TColor32 FillColor() const { return FFillColor; }
    void SetFillColor(TColor32 Value) { FFillColor = Value; }
    TColor32 FillSrcColor() const { return FFillSrcColor; }
    void SetFillSrcColor(TColor32 Value) { FFillSrcColor = Value; }
    Integer FillTolerance() const { return FFillTolerance; }
    void SetFillTolerance(Integer Value) { FFillTolerance = Value; }

    // ---- Cropping (ImageDraw_Crop.cpp) ----
    // The rectangle Crop cuts to (the crop frame on top, else the selection's
    // bounds) overlaps the raster.
    bool CropEnabled() const;
    // Cuts the raster to that rectangle, shifts every object and guide with
    // it, rebuilds the view bitmaps and reports pmCrop (BoolData: a large
    // original lost more than half its pixels). The crop frame stays.
    void Crop();
    // Delete the crop frame on top (failing that, the selection on top, its
    // lifted pixels first stamped into the raster when IsFlattenSelection);
    // false when nothing of the kind is there.
    bool DeleteCropShape();
    bool DeleteSelectionCropShape(bool IsFlattenSelection);
    // The current object's size (the crop-size presets).
    void ShapeSetSize(Integer W, Integer H);

    // ---- Arrangement and canvas commands (ImageDraw_Arrange.cpp) ----
    // Removes one object; false for an id not in the table.
    bool DeleteShapeById(Integer Id);
    // Every selected object, from the top row down.
    void DeleteShapes();
    // The z-order of the selected objects (with at least two editable ones);
    // a crop frame or selection on top stays on top.
    void BringToFront();
    void BringForward();
    void SendBackward();
    void SendToBack();
    // Mode 0 left, 1 horizontal centre, 2 right, 3 top, 4 vertical centre,
    // 5 bottom: to the image with one selected object, else to their union.
    void AlignShape(Integer Mode);
    // A drag step of every selected object; the caller calls MovePrepare first.
    void MoveShapes(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void MoveShapesOver(Integer DX, Integer DY);
    // Nudges the selected objects (and a crop frame or selection, selected or
    // not) one pixel for the arrow keys 37 to 40.
    void MoveShapeByArrowKey(Integer Key);
    // Shifts every object and guide.
    void ResetShapeLocation(Integer dx, Integer dy) override;
    // The raster: Mode 0 a quarter turn counter-clockwise, 1 clockwise, else
    // a half turn; Flip: 0 left-right, else top-bottom. Objects stay.
    void Rotate(Integer Mode);
    void Flip(Integer Mode);
    // The current picture object's picture mirrored, or replaced by a copy of B32.
    void FlipShape(Integer Mode);
    void SmallReplaceBy(TCustomBitmap32* B32);
    // False when the size does not change (or is not at least 1 x 1).
    bool ResizeImage(Integer W, Integer H);
    // The canvas W x H with the raster centred on it.
    bool ResizeCanvas(Integer W, Integer H);
    // Each side grown (or cut, when negative); never below 1 x 1.
    bool ExtendCanvas(Integer iLeft, Integer iRight, Integer iTop, Integer iBottom);
    // The id of the lowest object named ShapeName, else -1.
    Integer GetShapeIdByName(const String& ShapeName) const;
    // Polylines are editable (else fixed); new ones take it too.
    bool PencilEditable() const override { return FPencilEditable; }
    void SetPencilEditable(bool Value);
    // ---- Pencil strokes (ImageLines) ----
    // A stroke is thinned and drawn as a smooth curve when it ends.
    bool PencilDebounce() const { return FPencilDebounce; }
    void SetPencilDebounce(bool Value) { FPencilDebounce = Value; }

    // ---- Clipboard and property transfer (ImageDraw_Clipboard.cpp) ----
    // Objects go through the program-wide object clipboard, pixels through
    // the image clipboard and the system clipboard (ImageClipboard.h).
    //
    // The selected objects, bottom to top, to the object clipboard (a
    // picture object's row with a copy of its picture); crop frames and
    // selections stay behind. The image clipboard is freed.
    void CopyShape();
    // CopyShape, then the selected objects are deleted.
    void CutShape();
    // The object clipboard has rows, the system clipboard a bitmap, or the
    // image clipboard exists.
    bool GetPasteEnabled() const;
    // Copied objects (no ABmp, not IsFromClipboard), their group's top-left
    // at (X, Y); else one picture object of ABmp, the system clipboard's
    // bitmap (IsFromClipboard, or without an image clipboard) or the image
    // clipboard, at (X, Y) or centred on it (IsCenterXY). A clipboard
    // without a readable bitmap pastes nothing.
    void Paste(Integer X, Integer Y, TCustomBitmap32* ABmp, bool IsFromClipboard, bool IsCenterXY);
    // The selected pixels (the lifted ones when there are, else those under
    // the selection, with every object composed over them when bMerged) to
    // the image clipboard and, over the canvas colour, to the system
    // clipboard; the object clipboard is emptied. The area of the raster
    // they came from, empty for lifted pixels or without a selection on the
    // raster.
    TRect CopySelection(bool bMerged);
    // CopySelection, then the copied raster pixels become transparent white.
    void CutSelection();
    // The selected raster pixels become transparent white.
    void DeleteSelection();
    // The view bitmap to the image clipboard; the object clipboard is emptied.
    void CopyImage();
    // The view bitmap (bMerged) or the raster, over the canvas colour, to
    // the system clipboard.
    void CopyImageToClipboard(bool bMerged);
    // The current picture object's prepared picture over opaque white to the
    // system clipboard.
    void CopySmallToClipboard();
    void CopyText(const String& S);
    // The current object's row becomes the property template (CopyProp),
    // tagged with its kind.
    void CopyProperty();
    // Mode 0 every group, 1 colour and outline, 2 outline width, 3 pen
    // style, 4 fill, 5 opacity, 6 shadow, 7 reflection, 8 gradient: from the
    // template to every selected object.
    void PasteProperty(Integer Mode);
    // A template of the kind of every selected object.
    bool GetPastePropEnabled() const;
    // The raster becomes the original image.
    void SrcBmpToOriBmp();

    // ---- Paint tools (document/ImagePaint.h: TPaintTools) ----
    TPaintTools& PaintTools() const { return *FPaintTools; }
    void ProcessBitmapBegin(Integer X, Integer Y, Integer Opacity, TColor FillColor, Integer StyleIndex)
    {
        FPaintTools->ProcessBitmapBegin(X, Y, Opacity, FillColor, StyleIndex);
    }
    void ProcessBitmap(bool IsMove, Integer X, Integer Y) { FPaintTools->ProcessBitmap(IsMove, X, Y); }
    void ProcessBitmapByLine(Integer X, Integer Y) { FPaintTools->ProcessBitmapByLine(X, Y); }
    void ProcessBitmapDo(Integer X, Integer Y) { FPaintTools->ProcessBitmapDo(X, Y); }
    void ProcessBitmapEnd() { FPaintTools->ProcessBitmapEnd(); }
    void TakeStampSource(Integer X, Integer Y) { FPaintTools->TakeStampSource(X, Y); }
    static constexpr Integer MaxProcessWidth = TPaintTools::MaxProcessWidth;
    Integer ProcessX() const { return FPaintTools->ProcessX(); }
    void SetProcessX(Integer Value) { FPaintTools->SetProcessX(Value); }
    Integer ProcessY() const { return FPaintTools->ProcessY(); }
    void SetProcessY(Integer Value) { FPaintTools->SetProcessY(Value); }
    Integer ProcessBrushFlow() const { return FPaintTools->ProcessBrushFlow(); }
    void SetProcessBrushFlow(Integer Value) { FPaintTools->SetProcessBrushFlow(Value); }
    TProcessBitmapMode ProcessMode() const { return FPaintTools->ProcessMode(); }
    void SetProcessMode(TProcessBitmapMode Value) { FPaintTools->SetProcessMode(Value); }
    Integer ProcessWidth() const { return FPaintTools->ProcessWidth(); }
    void SetProcessWidth(Integer Value) { FPaintTools->SetProcessWidth(Value); }
    Integer ProcessStampStartX() const { return FPaintTools->ProcessStampStartX(); }
    void SetProcessStampStartX(Integer Value) { FPaintTools->SetProcessStampStartX(Value); }
    Integer ProcessStampStartY() const { return FPaintTools->ProcessStampStartY(); }
    void SetProcessStampStartY(Integer Value) { FPaintTools->SetProcessStampStartY(Value); }
    // The stroke layer of brush and stamp, the effect brush's unfiltered
    // copy; null outside their strokes and runs.
    TCustomBitmap32* SrcBmp_T2() const
    {
        return FPaintTools->StrokeLayer() ? FPaintTools->StrokeLayer() : FEffectBrush->Unfiltered();
    }

    // ---- The control layer (ImageDraw_ControlLayer.cpp) ----
    // The layer's paint handler: in view pixels over the composed picture,
    // whatever the zoom: the objects' handles, the paint tool's or effect
    // brush's outline (by ControlMode), the canvas handles and a canvas drag's
    // frame and size label, the guides, a gradient drag and the ruler.
    void PaintControlLayer(TObject* Sender, TCustomBitmap32* Buffer);
    // Lays the eight canvas handles out around the view bitmap as the view
    // shows it now; the paint handler does it first, the cursor test reads them.
    void CalcCanvasCtrRects();
    // The view rectangle of canvas handle Handle (1 to 8) from the last
    // layout; an empty rectangle is no handle.
    const TRect& CanvasCtrRect(Integer Handle) const { return FCanvasCtrRect.at(static_cast<size_t>(Handle - 1)); }
    // The canvas size a drag of handle CanvasCtrIndex by (CanvasDx, CanvasDy)
    // image pixels gives, each side at least 1.
    TSize CanvasDragSize() const;
    // An image point in view pixels: Round(offset + coordinate x Scale).
    TPoint ImageToView(Integer X, Integer Y) const;
    Integer CanvasCtrDx() const { return FCanvasCtrDx; }
    void SetCanvasCtrDx(Integer Value) { FCanvasCtrDx = Value; }
    Integer CanvasCtrDy() const { return FCanvasCtrDy; }
    void SetCanvasCtrDy(Integer Value) { FCanvasCtrDy = Value; }
    Integer CanvasDx() const { return FCanvasDx; }
    void SetCanvasDx(Integer Value) { FCanvasDx = Value; }
    Integer CanvasDy() const { return FCanvasDy; }
    void SetCanvasDy(Integer Value) { FCanvasDy = Value; }
    // The handle under the mouse (0 none); the cursor test sets it.
    void SetCanvasCtrIndex(Integer Value) { FCanvasCtrIndex = Value; }
    Integer MovedX() const { return FMovedX; }
    void SetMovedX(Integer Value) { FMovedX = Value; }
    Integer MovedY() const { return FMovedY; }
    void SetMovedY(Integer Value) { FMovedY = Value; }
    void SetGradientStartX(Integer Value) { FGradientStartX = Value; }
    Integer GradientStartY() const { return FGradientStartY; }
    void SetGradientStartY(Integer Value) { FGradientStartY = Value; }
    TEffectMode EffectMode() const override { return FEffectMode; }
    void SetEffectMode(TEffectMode Value) override { FEffectMode = Value; }
    TColor EffectDrawColor() const { return FEffectBrush->EffectDrawColor(); }
    void SetEffectDrawColor(TColor Value) { FEffectBrush->SetEffectDrawColor(Value); }
    // The effect brush's current dab, image pixels.
    const TRect& EffectDrawRect() const { return FEffectBrush->EffectDrawRect(); }
    void SetEffectDrawRect(const TRect& Value) { FEffectBrush->SetEffectDrawRect(Value); }

    // Selections (ImageDraw_Selection.cpp). SelectImage: the whole raster
    // (bAll) or the inverse of the selection; a selection inverted to nothing
    // is deleted, and without one both select the whole raster.
    void SelectImage(bool bAll);
    // Saves the selection's region under sName (a row of SelectionDT,
    // replaced when the name is there in any case).
    void SaveSelection(const String& sName);
    // A new selection from the row named sName. False, with no selection
    // made, when there is no such row or its region text is damaged.
    bool LoadSelection(const String& sName);
    // Fills the selection's work bitmaps Z and F; DestRect is the raster
    // area they cover.
    void MakeBitmapOfSelection(TRect& DestRect);
    // Writes the selection's Z into the raster at ARect's top-left.
    void TempBmpZ_To_SrcBmp(const TRect& ARect) override;
    // The selection object: the current object when it is one, else the
    // top row's; null without a selection.
    TImgSelection* SelectionShape() const override;
    // New selections add to the selection (else they cut it).
    bool SelectionExpanding() const override { return FSelectionExpanding; }
    void SetSelectionExpanding(bool Value) { FSelectionExpanding = Value; }

    // The original-image thumbnail. FOriBmp and FOriBmpThumb are shared with
    // the thumbnail worker: MakeThumbOfOriBmp takes the lock, and so must
    // whoever reads the thumbnail or replaces the original image
    // (LockOriBmp). MakeThumbOfOriBmpAsync runs it on the document's worker
    // (one at a time, Done called on the worker); the destructor waits for
    // that worker before freeing anything it reads.
    void MakeThumbOfOriBmp(Integer ThumbWidth, Integer ThumbHeight);
    void MakeThumbOfOriBmpAsync(Integer ThumbWidth, Integer ThumbHeight, std::function<void()> Done);
    void WaitThumbWorker();
    std::unique_lock<std::mutex> LockOriBmp() { return std::unique_lock<std::mutex>(FOriBmpLock); }
    bool OriBmpThumbChanged() const { return FOriBmpThumbChanged; }
    void SetOriBmpThumbChanged(bool Value) { FOriBmpThumbChanged = Value; }

    // ---- Objects: creation, rows, selection and mouse editing (ImageDraw_Shapes.cpp) ----
    // Coordinates with the suffix A are view pixels; all others image pixels.
    //
    // Starts drawing a new object of AType, which must be a kind with an
    // object class (else EImageDraw, and nothing changes): its row is a copy
    // of the kind's default row of PropDT, with the presets of its effect
    // modes copied in, cell 0 the next id (table property 1, then counted
    // up). It becomes current and ShapeCreating is set; no event fires.
    void CreateShape(TShapeType AType);
    // Appends a finished object from a row given as text (pasting): the next
    // id, ABitmap as the picture of a picture object, moved by the offset and
    // then pulled back 20 pixels inside the view bitmap when it starts beyond
    // it; selected unless fixed. True when the row's kind made an object.
    bool CreateShapeAuto(const String& S, TCustomBitmap32* ABitmap, Integer OffsetX, Integer OffsetY);
    // Rebuilds the object of row Index (every row when -1) from its cells. A
    // row whose kind has no object class keeps its cells and gets no object.
    void CreateShapeObjects(Integer Index) override;
    // Writes every object's state back into its row.
    void StoreShapeGeometry() override;
    // Ends drawing the new object: kept and selected, or (bInvalid) removed.
    void CreateShapeOver(bool bInvalid);
    // Ends a handle drag of the current object.
    void AdjustShapeOver();
    // The topmost object (not fixed) with a handle at (XA, YA), else with its
    // body at (X, Y), becomes current; false (none current) when there is none.
    bool LocateShape(Integer XA, Integer YA, Integer X, Integer Y);
    // A click on object ShapeId: selOne selects it alone, selOneInvert
    // toggles it, selMulti adds it; each Click starts its move or handle drag.
    void ClickShape(TSelectMode SelectMode, Integer ShapeId);
    // selNone, selAll, or selSame (the objects of ShapeId's kind).
    void SelectShape(TSelectMode SelectMode, Integer ShapeId);
    // Reports a changed set of selected ids (OnShapeSelected, or
    // OnShapeModified for a lone selection object); nothing when unchanged.
    void ShapeSelectStateChanged(bool IsSetAsCurrentShape) override;
    bool IsSelected(Integer ShapeId) const;
    // Every selected object records where a move starts.
    void MovePrepare();
    // One mouse step of drawing (ShapeCreating), resizing or turning the
    // current object; (X1, Y1) is the press point.
    void DrawShape(Integer X1, Integer Y1, Integer X2, Integer Y2);
    // One mouse step of moving the current object, its edges or middle
    // pulled onto guides within reach.
    void MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2);
    // The cursor a point shows; NoDocumentCursor when nothing of the document
    // is there (the tool's own cursor then). Picks the ruler part, the guide
    // and the canvas handle under the point on the way.
    TCursor GetShapeCursor(Integer XA, Integer YA, Integer X, Integer Y);
    // A named style value for every selected object; composed when IsDraw.
    void SetProperty(const String& AName, Integer V, bool IsDraw);
    void SetPropertyStr(const String& AName, const String& V, bool IsDraw);
    // -1 free, 0 the picture's own ratio, 1 to 9 the fixed ratios of new crop frames.
    void SetCropRateIndex(Integer Value);

    // ---- Free shapes (ImageDraw_FreeShape.cpp) ----
    // Commands on the current object, which must be a free shape; each marks
    // the document changed when it changes something. The control mode (1
    // box, 2 nodes, 4 skew; leaving 1 turns the nodes by the angle, which
    // becomes 0); false when it is the mode already.
    bool FreeShapeSetControlMode(Integer Mode);
    // The selected nodes smooth (true) or corners; true when any changed.
    bool FreeShapeSetCommonTangent(bool Value);
    // The selected nodes' handles collapse onto them; true when any moved.
    bool FreeShapeHideTangent();
    // The selected nodes go; a shape left without a segment is deleted.
    void FreeShapeDeleteNode();
    void FreeShapeCloseShape();
    // The current polygon's selected node goes (nothing when none is); a
    // polygon left with 2 nodes or fewer is deleted with the other selected
    // objects.
    void PolygonDeleteNode();
    void FreeShapeBreakNode();
    // The open free shape whose first or last node lies under (MovedX,
    // MovedY) is armed to take the next stroke drawn from there, and one the
    // pointer left is disarmed; bAppending follows. True when one changed.
    bool FreeShapeCheckAppendState(bool& bAppending);
    void FreeShapeClearAppendState();

    // ---- Guides and ruler (ImageDraw_Guides.cpp), in image pixels ----
    // A guide at Y (horizontal) or X; a position already listed is not added twice.
    void CreateGuides(Integer X, Integer Y, bool IsHorzGuides);
    // Moves the guide the cursor test picked.
    void SetGuidesPosition(Integer X, Integer Y);
    void ClearGuides();
    void CreateRuler(Integer X, Integer Y, Integer X2, Integer Y2);
    // Records the ends where a drag of the ruler begins.
    void BackupRulerPosition();
    // A drag of the picked part from (X, Y) to (X2, Y2), from where it began.
    void SetRulerPosition(Integer X, Integer Y, Integer X2, Integer Y2);
    void RulerChanged();
    void ClearRuler();
    // Writes the guides and the ruler into their table properties (what the
    // document reads back when it is opened).
    void StoreGuidesAndRuler();

    // ---- The document file and stream (ImageDraw_File.cpp) ----
    // The image file is written by FileType from the composed picture and,
    // unless NotSaveDataFile, the document file beside it (Profile). Both are
    // first written whole to temporaries in the same folder and only then put
    // in place, so a failure on the way raises and leaves the previous files
    // as they were. False, with nothing written and Changed kept, when there
    // is no file name or its type cannot be written (BMP, PNG, JPEG and GIF
    // can): the caller asks for a name and type (SaveAs). Clears Changed and
    // fires OnChanged when written.
    bool Save();
    // Save under FileName, its type by extension; on failure the document
    // keeps its former name.
    bool SaveAs(const String& FileName);
    // P becomes a new memory stream holding the document stream (what the
    // constructor takes back); the document is not marked saved.
    void SaveToStream(std::unique_ptr<TMemoryStream>& P);
    // The save-dialog filter (1 JPEG, 2 PNG, 3 GIF, 4 BMP) of the original file's type.
    Integer ExportGetFilterIndex() const;
    // Writes the original image as FileName: the kept file bytes when the
    // type is the original's, else encoded by FileName's type.
    void ExportOriBmpAs(const String& FileName);
    // The byte size of the composed picture (over white) as a JPEG at Quality.
    Int64 CalcJpgFileSize(Integer Quality);
    // The readers behind the constructor. LoadSidecar reads Profile (after
    // moving a document file of an older name into place); false when there
    // is none or it is damaged: then nothing of it is kept and MsgString says
    // why. LoadDocumentStream raises EImageDraw for a damaged stream.
    bool LoadSidecar();
    void LoadDocumentStream(TStream& Stream);
    bool LockGuides() const { return FLockGuides; }
    void SetLockGuides(bool Value) { FLockGuides = Value; }
    bool RulerCreating() const { return FRulerCreating; }
    void SetRulerCreating(bool Value) { FRulerCreating = Value; }

    // Properties.
    TImageDrawView* Owner() const { return FOwner; }
    TPositionedLayer* ControlLayer() const override { return FControlLayer; }
    TControlMode ControlMode() const { return FControlMode; }
    void SetControlMode(TControlMode Value);
    Single Scale() const override { return FScale; }
    void SetScale(Single Value);
    Integer OffsetHorz() const override;
    Integer OffsetVert() const override;
    Integer Width() const { return FBitmap->Width(); }
    Integer Height() const { return FBitmap->Height(); }
    Integer ScaleWidth() const { return static_cast<Integer>(Round(Width() * FScale)); }
    Integer ScaleHeight() const { return static_cast<Integer>(Round(Height() * FScale)); }
    const String& TimeString() const { return FTimeString; }
    void SetTimeString(const String& Value);
    Integer ShapeCount() const;
    Integer ShapeEditableCount() const;
    Integer VectorObjectCount() const;
    Integer BitmapObjectCount() const;
    Integer ObjectSelectedCount() const { return FSelectedIds->ItemCount(); }
    Integer ShapeSelectedCount() const;
    bool CropExists() const { return LastRowKind() == shCrop; }
    bool SelectionExists() const override { return LastRowKind() == shSelection; }
    // The current object's width times height (the current object must exist).
    Integer SelectionSize() const;
    Integer UndoCount() const { return FUndo->UndoCount(); }

    bool PressCtl() const override { return FPressCtl; }
    void SetPressCtl(bool Value) { FPressCtl = Value; }
    bool PressSht() const override { return FPressSht; }
    void SetPressSht(bool Value) { FPressSht = Value; }
    bool PressAlt() const override { return FPressAlt; }
    void SetPressAlt(bool Value) { FPressAlt = Value; }
    bool LeftMouseDown() const override { return FLeftMouseDown; }
    void SetLeftMouseDown(bool Value) { FLeftMouseDown = Value; }
    Integer LanguageIndex() const override { return FLanguageIndex; }
    void SetLanguageIndex(Integer Value) { FLanguageIndex = Value; }
    const String& FileName() const { return FFileName; }
    TImageFormat FileType() const { return FFileType; }
    const String& Profile() const { return FProfile; }
    bool Changed() const { return FChanged; }
    void SetChangedFlag(bool Value) { FChanged = Value; }
    bool Modified() const override { return FModified; }
    void SetModified(bool Value) override { FModified = Value; }
    TDataTable* PropDT() const { return FPropDT; }
    void SetPropDT(TDataTable* Value) { FPropDT = Value; }
    TDataTable* ShadowDT() const { return FShadowDT; }
    void SetShadowDT(TDataTable* Value) { FShadowDT = Value; }
    TDataTable* ReflectDT() const { return FReflectDT; }
    void SetReflectDT(TDataTable* Value) { FReflectDT = Value; }
    TDataTable* ObjGradientDT() const { return FObjGradientDT; }
    void SetObjGradientDT(TDataTable* Value) { FObjGradientDT = Value; }
    TDataTable* ActionDT() const override { return FActionDT; }
    void SetActionDT(TDataTable* Value) { FActionDT = Value; }
    TDataTable* UndoDT() const { return FUndo->UndoDT(); }
    void SetUndoDT(TDataTable* Value) { FUndo->SetUndoDT(Value); }
    Integer UndoIndex() const override { return FUndo->UndoIndex(); }
    void SetUndoIndex(Integer Value) { FUndo->SetUndoIndex(Value); }
    bool UndoRedoing() const { return FUndo->UndoRedoing(); }
    bool SaveUndoDone() const { return FUndo->SaveUndoDone(); }
    void SetSaveUndoDone(bool Value) { FUndo->SetSaveUndoDone(Value); }
    TCustomBitmap32* CustomBmp() const override { return FCustomBmp; }
    void SetCustomBmp(TCustomBitmap32* Value) { FCustomBmp = Value; }
    TDataTable* DT() const override { return FDT.get(); }
    TDataTable* FileDT() const { return FFileDT.get(); }
    TDataTable* SelectionDT() const { return FSelectionDT.get(); }
    TMemoryStream* OriBmpFileMS() const { return FOriBmpFileMS.get(); }
    TCustomBitmap32* Bitmap() const override { return FBitmap; }
    TCustomBitmap32* OriBmp() const { return FOriBmp.get(); }
    TCustomBitmap32* OriBmpThumb() const { return FOriBmpThumb.get(); }
    TCustomBitmap32* SrcBmp() const override { return FSrcBmp.get(); }
    const TRect& SrcBmpRect() const { return FSrcBmpRect; }
    Integer SrcBmpBitsPixelPer() const { return FSrcBmpBitsPixelPer; }
    // The watermark layer, drawn by InitBitmap only.
    TCustomBitmap32* WMBmp() const { return FWMBmp.get(); }
    bool WatermarkEnabled() const { return FWMEnabled; }
    void SetWatermarkEnabled(bool Value) { FWMEnabled = Value; }
    TCustomBitmap32* BrushBitmap() const override { return FBrushBitmap.get(); }
    TCustomBitmap32* CtrBmpY() const override { return FCtrBmpY.get(); }
    TCustomBitmap32* CtrBmpY2() const override { return FCtrBmpY2.get(); }
    TCustomBitmap32* CtrBmpG() const override { return FCtrBmpG.get(); }
    TCustomBitmap32* CtrBmpG2() const override { return FCtrBmpG2.get(); }
    TCustomBitmap32* CtrBmpW() const { return FCtrBmpW.get(); }
    TCustomBitmap32* CtrBmpW2() const override { return FCtrBmpW2.get(); }
    TCustomBitmap32* CtrBmpB() const override { return FCtrBmpB.get(); }
    TCustomBitmap32* CtrBmpY3() const override { return FCtrBmpY3.get(); }
    TCustomBitmap32* CtrBmpAH() const override { return FCtrBmpAH.get(); }
    TCustomBitmap32* CtrBmpAV() const override { return FCtrBmpAV.get(); }
    TColor32 CanvasColor() const override { return FCanvasColor; }
    bool CanvasTransparent() const override { return FCanvasTransparent; }
    TImgShape* Shape() const override { return FCurrentShape; }
    Integer ShapeId() const { return FShapeId; }
    TShapeType ShapeType() const { return FObjectType; }
    TShapeType ToolType() const override { return FToolType; }
    void SetToolType(TShapeType Value) { FToolType = Value; }
    bool ShapeCreating() const { return FShapeCreating; }
    void SetShapeCreating(bool Value) { FShapeCreating = Value; }
    TRow* SelectedIds() const override { return FSelectedIds.get(); }
    TRow* CopyProp() const { return FCopyProp.get(); }
    bool Antialiasing() const { return FAntialiasing; }
    void SetAntialiasing(bool Value) { FAntialiasing = Value; }
    Integer CropRateIndex() const override { return FCropRateIndex; }
    Single CropFixedRate() const override { return FCropFixedRate; }
    void SetCropFixedRate(Single Value) { FCropFixedRate = Value; }
    Integer GradientStartX() const { return FGradientStartX; }
    Integer CanvasCtrIndex() const { return FCanvasCtrIndex; }
    TRow* HorzGuidesRow() const { return FHorzGuidesRow.get(); }
    TRow* VertGuidesRow() const { return FVertGuidesRow.get(); }
    Integer HorzGuidesIndex() const { return FHorzGuidesIndex; }
    Integer VertGuidesIndex() const { return FVertGuidesIndex; }
    bool RulerEnabled() const { return FRulerEnabled; }
    void SetRulerEnabled(bool Value) { FRulerEnabled = Value; }
    Integer RulerPickMode() const { return FRulerPickMode; }
    const TPoint& RulerP1() const { return FRulerP1; }
    const TPoint& RulerP2() const { return FRulerP2; }
    bool Busing() const override { return FBusing; }
    void SetBusing(bool Value) { FBusing = Value; }
    bool NotSaveDataFile() const { return FNotSaveDataFile; }
    void SetNotSaveDataFile(bool Value) { FNotSaveDataFile = Value; }
    const String& DefaultTextOnCreatingObject() const { return FDefaultTextOnCreatingObject; }
    void SetDefaultTextOnCreatingObject(const String& Value) { FDefaultTextOnCreatingObject = Value; }
    const String& MsgString() const { return FMsgString; }
    Integer Count() const { return FCount; }

    TShapeSelectedEvent OnShapeSelected;
    TShapeModifiedEvent OnShapeModified;
    TNotifyEvent OnOriBmpChanged;
    TGodoEvent OnGodoStart;
    TProcessingDoneEvent OnProcessingDone;
    TShapeStateChangedEvent OnShapeStateChanged;
    TNotifyEvent OnTimeStringChanged;
    TRulerChangedEvent OnRulerChanged;
    TNotifyEvent OnChanged;
    TNotifyEvent OnCountChanged;

private:
    // The kind in column 1 of the last object row, shNone for an empty table.
    TShapeType LastRowKind() const;
    // Calls Fn(kind, fixed, hidden) for every object row.
    template <class F>
    Integer CountRows(F Fn) const;
    void InitNewTables(TColor CanvasColor, bool Transparent);
    void BuildHandlePictures();
    void ReadGuidesAndRuler();
    // The document file and stream (ImageDraw_File.cpp): writes the document
    // layout into Out (AsFile: the document file, else the document stream),
    // and takes over what a reader parsed.
    void WriteDocument(TStream& Out, bool AsFile);
    void AdoptDocument(TDocumentParts& Parts);
    void DropReadDocument();
    // The steps of PaintControlLayer (ImageDraw_ControlLayer.cpp).
    void PaintObjectHandles(TCustomBitmap32& Buffer);
    void PaintProcessOutline(TCustomBitmap32& Buffer);
    void PaintEffectDrawOutline(TCustomBitmap32& Buffer);
    void PaintCanvasHandles(TCustomBitmap32& Buffer);
    void PaintCanvasDrag(TCustomBitmap32& Buffer);
    void PaintGuides(TCustomBitmap32& Buffer);
    void PaintGradientDrag(TCustomBitmap32& Buffer);
    void PaintRuler(TCustomBitmap32& Buffer);
    // Cropping and arrangement: the rectangle Crop cuts to (raster pixels,
    // clipped), and what follows deleting objects.
    TRect CropSourceRect() const;
    void ShapesDeleted();
    // The selected rows, bottom to top, that z-order commands move, and the
    // row above which they stay (a crop frame or selection keeps the top).
    std::vector<TRow*> ArrangedRows() const;
    Integer TopArrangeIndex() const;
    // The effect steps of one object before its Draw, into Target (null: the
    // object's own bitmap).
    static void DrawEffects(TImgShape* Shape, TCustomBitmap32* Target);
    // Free shapes (ImageDraw_FreeShape.cpp): the end of drawing the current
    // free shape: its path finished, and appended to a shape armed for it
    // (which becomes current, the new object deleted).
    void FreeShapeCreateOver();
    // Objects (ImageDraw_Shapes.cpp): the object of one row from its cells,
    // and the next object id (table property 1, counted up).
    void CreateShapeObject(TRow& Row);
    Integer TakeNextShapeId();
    // The end of drawing a new selection: merged into the selection below,
    // or its region built; false when it enclosed nothing and was dropped.
    bool FinishNewSelectionShape();
    // A new selection object made current on top of the table, replacing
    // the one there (its lifted pixels put down first).
    TImgSelection* NewSelectionShape();
    // CreateShapeAuto for a row given cell by cell (a cell holding a comma
    // stays one cell).
    bool CreateShapeFromRow(std::unique_ptr<TRow> Row, TCustomBitmap32* ABitmap, Integer OffsetX, Integer OffsetY);
    TImageDrawView* FOwner;
    TPositionedLayer* FControlLayer = nullptr;
    TControlMode FControlMode = cmObject;
    bool FPressCtl = false, FPressSht = false, FPressAlt = false;
    bool FLeftMouseDown = false;
    Integer FLanguageIndex;
    String FFileName;
    TImageFormat FFileType = ifUnknown;
    String FProfile;
    bool FChanged = false;
    bool FModified = false;
    TDataTable* FPropDT = nullptr;
    TDataTable *FShadowDT = nullptr, *FReflectDT = nullptr, *FObjGradientDT = nullptr;
    std::unique_ptr<TDataTable> FSelectionDT;
    TDataTable* FActionDT = nullptr;
    std::unique_ptr<TDataTable> FDT;
    std::unique_ptr<TDataTable> FFileDT;
    TCustomBitmap32* FCustomBmp = nullptr;
    std::unique_ptr<TMemoryStream> FOriBmpFileMS;
    std::unique_ptr<TCustomBitmap32> FOriBmp;
    std::unique_ptr<TCustomBitmap32> FOriBmpThumb;
    bool FOriBmpThumbChanged = true;
    std::unique_ptr<TCustomBitmap32> FSrcBmp;
    bool FSrcBmpChanged = false;
    TRect FSrcBmpRect;
    Integer FSrcBmpBitsPixelPer;
    std::unique_ptr<TCustomBitmap32> FWMBmp;
    std::unique_ptr<TImgSmall> FWMShape;
    bool FWMEnabled = false;
    // InitBitmap left the watermark layer fully transparent.
    bool FWMBmpBlank = false;
    Integer FWMLocationType = 0, FWMLocation = 0, FWMLocationED1 = 0, FWMLocationED2 = 0;
    Integer FWMLocationSD1 = 0, FWMLocationSD2 = 0;
    std::unique_ptr<TCustomBitmap32> FBrushBitmap;
    std::unique_ptr<TCustomBitmap32> FCtrBmpY, FCtrBmpY2, FCtrBmpG, FCtrBmpG2, FCtrBmpW, FCtrBmpW2, FCtrBmpB,
        FCtrBmpY3, FCtrBmpAH, FCtrBmpAV;
    TCustomBitmap32* FBitmap = nullptr;
    TColor32 FCanvasColor = 0;
    bool FCanvasTransparent = false;
    Single FScale = 1;
    Integer FShapeId = -1;
    bool FShapeCreating = false;
    TImgShape* FCurrentShape = nullptr;
    TShapeType FObjectType = shNone;
    TShapeType FToolType = shNone;
    std::unique_ptr<TRow> FSelectedIds;
    std::unique_ptr<TRow> FCopyProp;
    Integer FGradientStartX = NoStartPoint;
    bool FAntialiasing = true;
    Integer FCropRateIndex = -2;
    Single FCropFixedRate = -1;
    std::unique_ptr<TRow> FHorzGuidesRow, FVertGuidesRow;
    Integer FHorzGuidesIndex = -1, FVertGuidesIndex = -1;
    bool FRulerEnabled = false;
    Integer FRulerPickMode = -1;
    TPoint FRulerP1, FRulerP2;
    Integer FCanvasCtrIndex = 0;
    // The control layer's state: the canvas handles (view pixels) and their
    // drag, the mouse point (image pixels), the paint tool, the effect brush.
    std::array<TRect, 8> FCanvasCtrRect{};
    Integer FCanvasCtrDx = 0, FCanvasCtrDy = 0, FCanvasDx = 0, FCanvasDy = 0;
    Integer FMovedX = 0, FMovedY = 0;
    Integer FGradientStartY = 0;
    TEffectMode FEffectMode = emNone;
    std::unique_ptr<TEffectRun> FEffectRun;
    std::unique_ptr<TEffectBrush> FEffectBrush;
    std::unique_ptr<TFrameRun> FFrameRun;
    std::unique_ptr<TPaintTools> FPaintTools;
    // What the last composition drew (DrawChanged): each object with the area
    // it touched, in drawing order; what it composed from; and the area of
    // the view bitmap left stale outside the visible part.
    struct TDrawnObject {
        TImgShape* Shape;
        TRect Bounds;
        // Drawn directly while created or adjusted, through its picture
        // otherwise: the two may differ in the last bit.
        bool Editing;
    };
    std::vector<TDrawnObject> FDrawn;
    bool FDrawnValid = false;
    const TCustomBitmap32* FDrawnBase = nullptr;
    TSize FDrawnBaseSize{};
    TRect FStale{};
    // The objects of the table as composition draws them now, with their
    // areas; false when one names no area.
    bool CollectDrawn(std::vector<TDrawnObject>& Out, bool Prepare);
    void RememberDrawn();
    // Fill, wand and gradient (ImageDraw_Fill.cpp).
    TColor32 FFillColor = 0, FFillSrcColor = 0;
    Integer FFillTolerance = 0;
    std::unique_ptr<TUndoHistory> FUndo;
    bool FBusing = false;
    bool FNotSaveDataFile = false;
    String FDefaultTextOnCreatingObject;
    String FMsgString;
    String FTimeString;
    Integer FCount = 0;
    bool FSelectionExpanding = false;
    // Guides and ruler (ImageDraw_Guides.cpp).
    bool FLockGuides = false;
    bool FRulerCreating = false;
    TPoint FRulerP1_B, FRulerP2_B;

    bool FPencilEditable = false;
    // Pencil strokes (ImageLines).
    bool FPencilDebounce = false;

    std::mutex FOriBmpLock;
    std::thread FThumbWorker;
};
