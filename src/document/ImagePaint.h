// ImagePaint: the paint tools of a document (TPaintTools): pencil, eraser,
// brush and clone stamp writing into the raster along the mouse's path, with
// the state of the stroke under way. The document owns one and keeps its
// method names as forwards; the tools see the document only through
// TPaintSurface, which the document implements.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32.h"
#include "document/ImgShape.h"
#include "document/base/ImageDrawTypes.h"

class TPositionedLayer;

// The clone stamp's source: a copy of a document's raster (drawn opaquely;
// null until a source is taken) and the image point clicked when it was
// taken. Program-wide, so that one document can be cloned into another.
extern std::unique_ptr<TCustomBitmap32> StampSourceBitmap;
extern TPoint StampSourcePoint;

// What the paint tools need of their document.
class TPaintSurface {
public:
    // The raster painted into, and its change flag.
    virtual TCustomBitmap32* SrcBmp() const = 0;
    virtual void SetSrcBmpChanged(bool Value) = 0;
    virtual void SetChanged(bool IsSaveUndo) = 0;
    // The mouse and Shift while the stroke is dragged.
    virtual bool LeftMouseDown() const = 0;
    virtual bool PressSht() const = 0;
    // The layer the tool's outline is painted on.
    virtual TPositionedLayer* ControlLayer() const = 0;
    // Composes the view after a painted step.
    virtual void Draw() = 0;

protected:
    ~TPaintSurface() = default;
};

class TPaintTools {
public:
    explicit TPaintTools(TPaintSurface& Surface) : FSurface(Surface) {}
    TPaintTools(const TPaintTools&) = delete;
    TPaintTools& operator=(const TPaintTools&) = delete;

    // Pencil, eraser, brush and clone stamp (ProcessMode) write straight into
    // the raster while the mouse is dragged: ProcessBitmapBegin and
    // ProcessBitmap(false, ...) at the press, ProcessBitmap(true, ...) at
    // every move, ProcessBitmapEnd at the release (the caller then takes the
    // undo state). X, Y are the dab's top-left corner: the mouse point for
    // pencil and eraser (StyleIndex -1), the mouse point less ProcessWidth
    // div 2 for brush and stamp, whose StyleIndex is a row of BrushTable.
    // Dabs of one stroke never darken each other: each is composed from the
    // raster as it was at the press. The dab side is ProcessWidth, at most
    // MaxProcessWidth; a width below 1, a style without a usable row or
    // picture, or a stamp without a source paints nothing.
    void ProcessBitmapBegin(Integer X, Integer Y, Integer Opacity, TColor FillColor, Integer StyleIndex);
    // Paints only while LeftMouseDown; with PressSht a drag locks to the
    // horizontal or vertical axis once it is 5 pixels from the press, and a
    // press continues straight on from the last stroke's end (ProcessX).
    void ProcessBitmap(bool IsMove, Integer X, Integer Y);
    // Dabs along the straight line from (ProcessX, ProcessY) to (X, Y), both
    // ends included; (X, Y) becomes the end.
    void ProcessBitmapByLine(Integer X, Integer Y);
    // One dab with its top-left corner at (X, Y).
    void ProcessBitmapDo(Integer X, Integer Y);
    // Frees the stroke's bitmaps.
    void ProcessBitmapEnd();
    // The clone stamp's Alt+click: the source becomes a copy of the raster
    // and (X, Y) its point; the next stroke starts a new series.
    void TakeStampSource(Integer X, Integer Y);
    static constexpr Integer MaxProcessWidth = 2048;

    Integer ProcessX() const { return FProcessX; }
    void SetProcessX(Integer Value) { FProcessX = Value; }
    Integer ProcessY() const { return FProcessY; }
    void SetProcessY(Integer Value) { FProcessY = Value; }
    Integer ProcessBrushFlow() const { return FProcessBrushFlow; }
    void SetProcessBrushFlow(Integer Value) { FProcessBrushFlow = Value; }
    TProcessBitmapMode ProcessMode() const { return FProcessMode; }
    void SetProcessMode(TProcessBitmapMode Value) { FProcessMode = Value; }
    Integer ProcessWidth() const { return FProcessWidth; }
    void SetProcessWidth(Integer Value) { FProcessWidth = Value; }
    Integer ProcessStampStartX() const { return FProcessStampStartX; }
    void SetProcessStampStartX(Integer Value) { FProcessStampStartX = Value; }
    Integer ProcessStampStartY() const { return FProcessStampStartY; }
    void SetProcessStampStartY(Integer Value) { FProcessStampStartY = Value; }
    // The stroke layer of brush and stamp; null outside their strokes.
    TCustomBitmap32* StrokeLayer() const { return FStrokeLayer.get(); }

private:
    TPaintSurface& FSurface;
    TProcessBitmapMode FProcessMode = pbmPencil;
    Integer FProcessWidth = 0;
    Integer FProcessStampStartX = NoStartPoint, FProcessStampStartY = 0;
    // FProcessX = NoStartPoint: no line end yet; FProcessLastX = NoStartPoint:
    // no brush or stamp dab yet.
    Integer FProcessX = 0, FProcessY = 0;
    Integer FProcessDownX = 0, FProcessDownY = 0;
    Integer FProcessLastX = NoStartPoint, FProcessLastY = 0;
    Integer FProcessDirection = 0;  // Shift lock: 0 none yet, 1 horizontal, 2 vertical
    Integer FProcessStep = 1;
    Integer FProcessBrushOffset = 0;
    Integer FProcessBrushFlow = 100;
    Integer FProcessOpacity = 255;
    TColor32 FProcessFillColor = 0xFF000000;
    Integer FProcessStyleIndex = -1;
    std::unique_ptr<TCustomBitmap32> FProcessBrush, FProcessBrushMask;
    // The raster as it was at the press, and the stroke layer of brush and stamp.
    std::unique_ptr<TCustomBitmap32> FPressRaster, FStrokeLayer;
};
