// ImageEffectRun: an effect run of a document (TEffectRun): the pristine
// copy of the target taken when the run opens, previews recomputed from it,
// the result kept (an undo state, and an action row that batch processing
// replays through CustomBmp) or the copy put back; free rotation, skew and
// perspective of the raster; colour adjustment. The document owns one and
// keeps its method names as forwards; the run sees the document only through
// TEffectRunDocument.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32.h"
#include "document/base/ImageDrawTypes.h"
#include "filters/Ras32_ColorBalance.h"
#include "foundation/HyDataTable.h"
#include "framework/runtime/UITypes.h"

class TImgShape;
class TImgSelection;

// What an effect run needs of its document.
class TEffectRunDocument {
public:
    virtual TCustomBitmap32* SrcBmp() const = 0;
    virtual bool SrcBmpChanged() const = 0;
    virtual void SetSrcBmpChanged(bool Value) = 0;
    // Batch processing's own picture: previews filter it in place and touch
    // nothing else.
    virtual TCustomBitmap32* CustomBmp() const = 0;
    virtual TEffectMode EffectMode() const = 0;
    virtual TColor32 CanvasColor() const = 0;
    virtual bool CanvasTransparent() const = 0;
    // The current object (a picture object's picture is a run's target).
    virtual TImgShape* Shape() const = 0;
    virtual bool SelectionExists() const = 0;
    virtual TImgSelection* SelectionShape() const = 0;
    virtual void SrcInRegionAssignToDest(TCustomBitmap32* Src, TCustomBitmap32* Dest, const TPoint& SrcOriginPoint) = 0;
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
    ~TEffectRunDocument() = default;
};

class TEffectRun {
public:
    explicit TEffectRun(TEffectRunDocument& Document);
    ~TEffectRun();
    TEffectRun(const TEffectRun&) = delete;
    TEffectRun& operator=(const TEffectRun&) = delete;

    // EffectBegin copies the target's pristine pixels: the current picture
    // object's picture (EffectSmall), the selection's lifted pixels, or the
    // raster (inside the selection when there is one; rotation, skew and
    // perspective always take the whole raster). Every preview recomputes
    // the effect of EffectMode from that copy; EffectEnd keeps the result
    // (undo state, and an action row for a whole-raster effect) or puts the
    // copy back. With CustomBmp set, EffectDo, EffectDo2, EffectDoDirection
    // and ImageAdjust filter CustomBmp in place and touch nothing else (batch
    // processing replays the action rows so). A mode a routine has no effect
    // for leaves the pixels as they are.
    void EffectBegin();
    void EffectDo(Integer Value, bool OptionChecked);
    void EffectDo2(Integer Value1, Integer Value2, Integer Value3, Integer Value4, TColor ValueColor,
                   Integer ValueBlendMode, bool OptionChecked);
    // Direction: side flags, 1 left, 2 top, 4 right, 8 bottom.
    void EffectDoDirection(Integer Value, Integer Direction, bool OptionChecked);
    // These three redraw the view and report pmTransform themselves.
    void EffectDoRotate(Single RatateAngle);
    void EffectDoSkew(Integer SkewX, Integer SkewY);
    // Destination corners as fractions of the raster's width and height
    // (top-left, top-right, bottom-right, bottom-left); scaling in percent.
    void EffectDoTransform(Single X0, Single Y0, Single X1, Single Y1, Single X2, Single Y2, Single X3, Single Y3,
                           Integer ScaleX, Integer ScaleY);
    void EffectEnd(bool IsApply);
    // Colour adjustment inside an effect run: each step only for a value not
    // 0, in this order: brightness (added), contrast, hue and saturation,
    // lightness (percent toward white or black), colour balance.
    void ImageAdjust(Integer BrightnessAmount, Integer ContrastAmount, Integer LightnessAmount,
                     Integer SaturationAmount, Integer HueAmount, Integer BalanceRedAmount,
                     Integer BalanceGreenAmount, Integer BalanceBlueAmount, bool BalanceLuminosity);

    bool EffectSmall() const { return FEffectSmall; }
    void SetEffectSmall(bool Value) { FEffectSmall = Value; }
    TCustomBitmap32* EffectMaskBmp() const { return FEffectMaskBmp; }
    void SetEffectMaskBmp(TCustomBitmap32* Value) { FEffectMaskBmp = Value; }
    // The pristine copy; null while no run is open.
    TCustomBitmap32* Pristine() const { return FPristine.get(); }
    bool EffectSelectionBitmap() const { return FEffectSelectionBitmap; }
    bool EffectSelection() const { return FEffectSelection; }
    TColorBalance* ColorBalance() const { return FColorBalance.get(); }

private:
    // The work bitmap of a preview (CustomBmp, else a new copy of the
    // pristine pixels, the selection's part of them with EffectSelection),
    // its write-back, and the action row with the routine and mode written
    // (null when the run records none).
    TCustomBitmap32* EffectWorkBitmap(std::unique_ptr<TCustomBitmap32>& Owned, TPoint& Origin);
    // The bitmap the run writes into: the picture, the lifted pixels or the
    // raster; null for a run inside the selection's region.
    TCustomBitmap32* EffectTarget() const;
    void EffectWriteBack(TCustomBitmap32* W, const TPoint& Origin);
    TRow* EffectActionRow(Integer Routine);
    void EffectFinishTransform();

    TEffectRunDocument& FDocument;
    bool FEffectSmall = false;
    TCustomBitmap32* FEffectMaskBmp = nullptr;
    std::unique_ptr<TCustomBitmap32> FPristine;
    bool FEffectSelectionBitmap = false, FEffectSelection = false;
    // The raster's change flag when the run opened: a cancelled run puts it back.
    bool FSrcBmpChangedAtBegin = false;
    std::unique_ptr<TRow> FActionRow;
    std::unique_ptr<TColorBalance> FColorBalance;
};
