// ImageFrameRun: a frame run of a document (TFrameRun): bands around an
// opening, a shaped opening with a stroked or textured outline, layers from a
// frame table and a coloured overlay through a mask. Each preview recomputes
// the frame from the pristine copy taken when the run opened; the objects and
// guides follow the picture's new offset. The document owns one and keeps its
// method names as forwards; the run sees the document only through
// TFrameRunDocument.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32.h"
#include "document/base/ImageDrawTypes.h"
#include "foundation/HyDataTable.h"
#include "framework/runtime/UITypes.h"

class TImgShape;
class TShapePath;

// What frames take from the platform side, installed at start-up.
struct TFrameHooks {
    // Strokes Path on Target with an anti-aliased pen Width pixels wide of
    // Color, centred on the path; with Texture a texture-cache row (not -1)
    // fills the path widened by that pen with the tiled texture instead.
    // Unset: no outline is drawn (the host build).
    void (*StrokePath)(TCustomBitmap32& Target, const TShapePath& Path, Single Width, TColor32 Color,
                       Integer Texture) = nullptr;
};
extern TFrameHooks FrameHooks;

// What a frame run needs of its document.
class TFrameRunDocument {
public:
    virtual TCustomBitmap32* SrcBmp() const = 0;
    virtual bool SrcBmpChanged() const = 0;
    virtual void SetSrcBmpChanged(bool Value) = 0;
    // Batch processing's own picture: previews frame it in place (it may be
    // resized) and touch nothing else.
    virtual TCustomBitmap32* CustomBmp() const = 0;
    virtual TColor32 CanvasColor() const = 0;
    virtual bool CanvasTransparent() const = 0;
    // The current object (a picture object's picture is a run's target).
    virtual TImgShape* Shape() const = 0;
    // Shifts every object and guide.
    virtual void ResetShapeLocation(Integer dx, Integer dy) = 0;
    // Whether an undo state is due.
    virtual bool Modified() const = 0;
    virtual void SetModified(bool Value) = 0;
    virtual void InitBitmap() = 0;
    virtual void Draw() = 0;
    virtual void SetChanged(bool IsSaveUndo) = 0;
    // Reports a change of the raster's size (OnProcessingDone).
    virtual void ProcessingDone(TProcessingMode Mode) = 0;
    // Undo: the state a kept run takes, and the action row tied to it.
    virtual void SaveUndo() = 0;
    virtual Integer UndoIndex() const = 0;
    virtual void CloseActionRow(std::unique_ptr<TRow> Row, bool IsApply) = 0;

protected:
    ~TFrameRunDocument() = default;
};

class TFrameRun {
public:
    explicit TFrameRun(TFrameRunDocument& Document) : FDocument(Document) {}
    TFrameRun(const TFrameRun&) = delete;
    TFrameRun& operator=(const TFrameRun&) = delete;

    // A frame run: FrameBegin copies the target's pristine pixels (the
    // current picture object's picture with FrameSmall, else the raster);
    // every FrameDo0 .. FrameDo3 recomputes the frame from that copy (the
    // first three make the picture larger and shift the objects and guides
    // with it, or grow the picture object's rectangle); FrameEnd keeps the
    // result (an undo state, and an action row for the raster) or puts the
    // copy back. With CustomBmp set, FrameDo0 .. FrameDo3 frame CustomBmp in
    // place (it may be resized) and touch nothing else: batch processing
    // replays the action rows so. The caller calls Draw after each preview.
    void FrameBegin();
    // Bands in up to three colours around an opening of FrameMode 1 .. 10;
    // OptionChecked is only recorded. Other modes leave the picture as it is.
    void FrameDo0(Integer Value1, TColor Color1, Integer Value2, TColor Color2, Integer Value3, TColor Color3,
                  bool OptionChecked);
    // An opening of FrameMode 1 .. 16 whose outline is stroked Value1 pixels
    // wide in Color1, or filled with the tiled TextureFileName when that
    // loads; Value2 the shape's parameter in percent.
    void FrameDo1(Integer Value1, TColor Color1, Integer Value2, const String& TextureFileName);
    // Layers from a frame table (one row per layer, innermost first, at most
    // MaxFrameLayers): 0 enabled, 1 solid, 2 colour, 3 tiles along the sides,
    // 5 shaded edge, 6 shade lines, 10 .. 13 top, left, right, bottom widths,
    // the row's Data a texture layer's tile. A longer table changes nothing.
    void FrameDo2(TDataTable* DT);
    // Color1 at Value1 percent over the picture where FrameMaskBmp is dark.
    void FrameDo3(Integer Value1, TColor Color1);
    void FrameEnd(bool IsApply);
    static constexpr Integer MaxFrameLayers = 6;
    Integer FrameType() const { return FFrameType; }
    void SetFrameType(Integer Value) { FFrameType = Value; }
    Integer FrameMode() const { return FFrameMode; }
    void SetFrameMode(Integer Value) { FFrameMode = Value; }
    bool FrameSmall() const { return FFrameSmall; }
    void SetFrameSmall(bool Value) { FFrameSmall = Value; }
    TCustomBitmap32* FrameMaskBmp() const { return FFrameMaskBmp; }
    void SetFrameMaskBmp(TCustomBitmap32* Value) { FFrameMaskBmp = Value; }
    // How far the current preview has shifted the objects and guides.
    Integer LastMoveOffsetX() const { return FLastMoveOffsetX; }
    Integer LastMoveOffsetY() const { return FLastMoveOffsetY; }
    // The pristine copy; null while no run is open.
    TCustomBitmap32* Pristine() const { return FPristine.get(); }

private:
    // The picture a frame routine changes, what follows a preview that moved
    // the picture by (DX, DY), and the action row with the routine written
    // (null when the run records none).
    TCustomBitmap32* FrameTarget() const;
    void FrameFinish(TCustomBitmap32& T, Integer DX, Integer DY);
    TRow* FrameActionRow(Integer Routine);

    TFrameRunDocument& FDocument;
    Integer FFrameType = 0, FFrameMode = 0;
    bool FFrameSmall = false;
    TCustomBitmap32* FFrameMaskBmp = nullptr;
    std::unique_ptr<TCustomBitmap32> FPristine;
    std::unique_ptr<TRow> FActionRow;
    Integer FLastMoveOffsetX = 0, FLastMoveOffsetY = 0;
    // The raster's change flag and whether an undo state was due when the run
    // opened: a cancelled run that moved the objects and back leaves nothing
    // new to store.
    bool FSrcBmpChangedAtBegin = false;
    bool FFrameModified = false;
};
