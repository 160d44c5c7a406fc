// ImageEffectBrush: the effect brush of a document (TEffectBrush): filters
// painted onto parts of the raster in round soft dabs, bokeh and colouring
// that change the whole raster and let the brush paint the picture back, the
// highlighter's multiplying pen and the warps, with the state of the run
// under way. The document owns one and keeps its method names as forwards;
// the brush sees the document only through TEffectBrushDocument.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32.h"
#include "document/ImgShape.h"
#include "document/base/ImageDrawTypes.h"
#include "framework/runtime/UITypes.h"

class TPositionedLayer;
class TImgWarping;

// What the effect brush needs of its document.
class TEffectBrushDocument {
public:
    virtual TCustomBitmap32* SrcBmp() const = 0;
    virtual void SetSrcBmpChanged(bool Value) = 0;
    virtual void SetChanged(bool IsSaveUndo) = 0;
    virtual void Draw() = 0;
    virtual TPositionedLayer* ControlLayer() const = 0;
    // The run's kind, set by the command that opens it; closing sets emNone.
    virtual TEffectMode EffectMode() const = 0;
    virtual void SetEffectMode(TEffectMode Value) = 0;
    virtual bool CanvasTransparent() const = 0;
    virtual TColor32 CanvasColor() const = 0;
    // Undo: the whole-raster changes take states of their own; a stroke
    // recorded at the run's end leaves the document unmodified meanwhile.
    virtual void SaveUndo() = 0;
    virtual void RemoveUndoStatesNamed(const String& S, Integer MaxCount) = 0;
    virtual void ClearUndoStateName(const String& S) = 0;
    virtual void SetModified(bool Value) = 0;

protected:
    ~TEffectBrushDocument() = default;
};

class TEffectBrush {
public:
    explicit TEffectBrush(TEffectBrushDocument& Document);
    ~TEffectBrush();
    TEffectBrush(const TEffectBrush&) = delete;
    TEffectBrush& operator=(const TEffectBrush&) = delete;

    // EffectMode 36 to 49 painted onto the raster in round soft dabs of
    // radius EffectDrawRadius around the mouse, from a source made once per
    // strength: a filtered copy of the raster; for bokeh and colouring the
    // raster itself is blurred or made grey and the brush paints the picture
    // as it was back; the highlighter multiplies a pen stroke over the
    // picture; the warps push pixels. The brush never changes the raster's
    // alpha. Value is the strength (a TColor32 for the colourise brush).
    void EffectDrawBegin(Cardinal Value);
    // A new strength or colour: the source rebuilt from the unfiltered copy
    // (bokeh: the sharp picture blurred anew, what was painted dropped).
    void EffectDrawReBegin(Cardinal Value, bool bFirstBegin);
    // Mouse press, move (IsDo false only moves the brush outline) and release.
    void EffectDrawPrepare(TShiftState Shift, Integer X, Integer Y);
    void EffectDrawDo(bool IsDo, TShiftState Shift, Integer X, Integer Y);
    void EffectDrawEnd();
    // Closes the run. IsUndo: an undo or redo to a state from before the run
    // is restoring the raster, which is left alone. Otherwise a highlighter
    // or warp stroke is recorded as one state, and a bokeh or colouring run
    // left with nothing painted puts the picture back and removes the states
    // it took. Nothing happens without an open run.
    void EffectDrawOver(bool IsUndo);

    // Set while a run is open: the undo states it takes are named "EffectDraw".
    bool EffectDrawing() const { return FEffectDrawing; }
    void SetEffectDrawing(bool Value) { FEffectDrawing = Value; }
    Integer EffectDrawRadius() const { return FEffectDrawRadius; }
    void SetEffectDrawRadius(Integer Value) { FEffectDrawRadius = Value; }
    // The highlighter's line style (the polyline's tip, 0 to 3).
    Integer EffectDrawStyle() const { return FEffectDrawStyle; }
    void SetEffectDrawStyle(Integer Value) { FEffectDrawStyle = Value; }
    // Paint the unfiltered copy back instead of the filtered source.
    bool EffectDrawErase() const { return FEffectDrawErase; }
    void SetEffectDrawErase(bool Value) { FEffectDrawErase = Value; }
    // A stroke was finished in this run.
    bool EffectDrawDone() const { return FEffectDrawDone; }
    TColor EffectDrawColor() const { return FEffectDrawColor; }
    void SetEffectDrawColor(TColor Value) { FEffectDrawColor = Value; }
    // The current dab, image pixels.
    const TRect& EffectDrawRect() const { return FEffectDrawRect; }
    void SetEffectDrawRect(const TRect& Value) { FEffectDrawRect = Value; }
    TImgWarping* ImgWarping() const { return FImgWarping.get(); }
    // The source the brush paints from and the unfiltered copy; null outside a run.
    TCustomBitmap32* Source() const { return FSource.get(); }
    TCustomBitmap32* Unfiltered() const { return FUnfiltered.get(); }

private:
    bool EffectDrawDab(Integer X, Integer Y, Integer R);
    bool EffectDrawHighlight(Integer X, Integer Y, Integer R);

    TEffectBrushDocument& FDocument;
    TRect FEffectDrawRect;
    TColor FEffectDrawColor = 0;
    bool FEffectDrawing = false;
    Integer FEffectDrawRadius = 10;
    Integer FEffectDrawStyle = 0;
    bool FEffectDrawErase = false;
    bool FEffectDrawDone = false;
    Integer FEffectDrawLastX = -10000, FEffectDrawLastY = -10000;
    // The whole-raster states of this run (bokeh strengths tried).
    Integer FUndoTempCount = 0;
    std::unique_ptr<TImgShape> FHighlightPen;
    TPoint FHighlightLastPoint;
    std::unique_ptr<TImgWarping> FImgWarping;
    std::unique_ptr<TCustomBitmap32> FSource, FUnfiltered;
};
