// Ras32_Image: the controls that show 32-bit bitmaps. TCustomPaintBox32 is a
// window with a back buffer that is redrawn only where it is invalid and then
// copied to the screen; TCustomImage32 shows its own bitmap in it, placed,
// scaled and aligned, with layers above it, drawn by an ordered list of paint
// stages, and maps coordinates and mouse events between control, bitmap and
// layers; TCustomImgView32 adds two range bars, a size grip, a margin around
// the picture and centring. The placement arithmetic, the stages' drawing and
// the stage list are in Ras32_ImageCore. Windows only.
#pragma once

#include <memory>
#include <vector>

#include "Component/Raster32/win/Ras32_GDI.h"
#include "Component/Raster32/Ras32_ImageCore.h"
#include "Component/Raster32/win/Ras32_RangeBars.h"
#include "Component/Raster32/Ras32_RepaintOpt.h"
#include "framework/controls/win/Controls.h"

// Mouse events of the image controls: Layer is the layer that received the event, or nil.
using TImgMouseEvent =
    TEvent<TObject* /*Sender*/, TMouseButton, TShiftState, Integer /*X*/, Integer /*Y*/, TCustomLayer* /*Layer*/>;
using TImgMouseMoveEvent = TEvent<TObject* /*Sender*/, TShiftState, Integer /*X*/, Integer /*Y*/, TCustomLayer*>;
// StageNum is the stage's index in PaintStages.
using TPaintStageEvent = TEvent<TObject* /*Sender*/, TBitmap32* /*Buffer*/, Cardinal /*StageNum*/>;

// ---------------------------------------------------------------------------
class TCustomPaintBox32 : public TCustomControl {
public:
    // 192 x 192, BufferOversize 40, rmFull.
    explicit TCustomPaintBox32(TComponent* AOwner);
    ~TCustomPaintBox32() override;
    String ClassName() const override { return u"TCustomPaintBox32"; }

    TBitmap32* Buffer() const { return FBuffer.get(); }
    Integer BufferOversize() const { return FBufferOversize; }
    void SetBufferOversize(Integer Value);
    TRepaintMode RepaintMode() const { return FRepaintMode; }
    virtual void SetRepaintMode(TRepaintMode Value);
    TPaintBoxOptions Options() const { return FOptions; }
    void SetOptions(TPaintBoxOptions Value) { FOptions = Value; }
    bool MouseInControl() const { return FMouseInControl; }
    TCustomRepaintOptimizer* RepaintOptimizer() const { return FRepaintOptimizer.get(); }
    // The rectangles of the buffer the next paint redraws and shows (empty: all).
    TRectList* InvalidRects() const { return FInvalidRects.get(); }
    bool BufferValid() const { return FBufferValid; }

    // The part of the control the buffer is shown in.
    virtual TRect GetViewportRect();
    // Copies the viewport part of the buffer (or SrcRect of it) to the control.
    void Flush();
    void Flush(const TRect& SrcRect);
    virtual void ForceFullInvalidate();

    void Invalidate() override;
    void Loaded() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TNotifyEvent OnGDIOverlay;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual bool UsesOptimizedRepaint();
    virtual bool HasPendingRects() { return true; }
    virtual void CollectInvalidRects();
    virtual void RenderBuffer();
    virtual void PaintGDIOverlay();
    virtual void NotifyBufferResized(Integer OldWidth, Integer OldHeight);
    virtual void HandleMouseEnter();
    virtual void HandleMouseLeave();

    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void AssignTo(TPersistent* Dest) override;
    void Dispatch(TMessage& Message) override;
    void WMPaint(TWMPaint& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void CMInvalidate(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    // Sizes the buffer for the viewport (with the oversize to spare).
    void FitBuffer();
    void DirectAreaHandler(TObject* Sender, const TRect& Area, Cardinal Info);

    std::unique_ptr<TBitmap32> FBuffer;
    Integer FBufferOversize = 40;
    bool FBufferValid = false;
    TRepaintMode FRepaintMode = rmFull;
    std::unique_ptr<TRectList> FInvalidRects;
    bool FForceFullRepaint = true;
    std::unique_ptr<TCustomRepaintOptimizer> FRepaintOptimizer;
    TPaintBoxOptions FOptions = 0;
    bool FMouseInControl = false;
};

class TPaintBox32 : public TCustomPaintBox32 {
public:
    using TCustomPaintBox32::TCustomPaintBox32;
    String ClassName() const override { return u"TPaintBox32"; }
    // The host draws into Buffer.
    TNotifyEvent OnPaintBuffer;

protected:
    void RenderBuffer() override;
};

// ---------------------------------------------------------------------------
class TCustomImage32 : public TCustomPaintBox32 {
public:
    explicit TCustomImage32(TComponent* AOwner);
    ~TCustomImage32() override;
    String ClassName() const override { return u"TCustomImage32"; }

    TBitmap32* Bitmap() const { return FBitmap.get(); }
    // Assigns Value's pixels and settings into the image's own bitmap.
    void SetBitmap(TBitmap32* Value);
    TBitmapAlign BitmapAlign() const { return FBitmapAlign; }
    void SetBitmapAlign(TBitmapAlign Value);
    TLayerCollection* Layers() const { return FLayers.get(); }
    void SetLayers(TLayerCollection* Value) { FLayers->Assign(Value); }
    Single OffsetHorz() const { return FOffsetHorz; }
    void SetOffsetHorz(Single Value);
    Single OffsetVert() const { return FOffsetVert; }
    void SetOffsetVert(Single Value);
    TPaintStages* PaintStages() const { return FPaintStages.get(); }
    // Scale reads ScaleX and sets both; values below 0.001 become 0.001.
    Single Scale() const { return FScaleX; }
    void SetScale(Single Value);
    Single ScaleX() const { return FScaleX; }
    void SetScaleX(Single Value);
    Single ScaleY() const { return FScaleY; }
    void SetScaleY(Single Value);
    TScaleMode ScaleMode() const { return FScaleMode; }
    virtual void SetScaleMode(TScaleMode Value);
    const TPixelCombineEvent& OnBitmapPixelCombine() const { return FBitmap->OnPixelCombine; }
    void SetOnBitmapPixelCombine(const TPixelCombineEvent& Value);

    void SetRepaintMode(TRepaintMode Value) override;

    virtual void BeginUpdate() { ++FUpdateCount; }
    // Raises the assertion "Unpaired EndUpdate call" below zero; announces nothing.
    virtual void EndUpdate();
    virtual void Changed();
    // Asks the optimiser (when on) to repaint Rect of the control.
    using TCustomPaintBox32::Update;
    virtual void Update(const TRect& Rect);
    void Invalidate() override;
    void Loaded() override;

    // Drops the cached mapping (and, when optimising, repaints everything).
    void DropCache();
    virtual TRect GetBitmapRect();
    virtual TSize GetBitmapSize();
    TPoint BitmapToControl(const TPoint& APoint);
    TFloatPoint BitmapToControl(const TFloatPoint& APoint);
    TPoint ControlToBitmap(const TPoint& APoint);
    TFloatPoint ControlToBitmap(const TFloatPoint& APoint);
    // The placement the next paint uses (refreshed first).
    const TImageMapping& Mapping();

    // Renders the image into another bitmap, at DestRect (printing, export).
    virtual void PaintTo(TBitmap32* Dest, const TRect& DestRect);
    // Sizes the bitmap to the viewport, optionally cleared.
    virtual void SetupBitmap(bool DoClear = false, TColor32 ClearColor = 0xFF000000);

    TNotifyEvent OnBitmapResize;
    TNotifyEvent OnChange;
    TNotifyEvent OnInitStages;
    TImgMouseEvent OnMouseDown;
    TImgMouseMoveEvent OnMouseMove;
    TImgMouseEvent OnMouseUp;
    TPaintStageEvent OnPaintStage;
    TNotifyEvent OnScaleChange;

    Integer OldSzX = 0, OldSzY = 0;

protected:
    virtual void HandleBitmapResize();
    virtual void HandleBitmapChange(const TRect& Area);
    virtual void FireInitStages();
    virtual void FireScaleChange();
    virtual void BuildDefaultStages();
    virtual void FireImgMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, TCustomLayer* Layer);
    virtual void FireImgMouseMove(TShiftState Shift, Integer X, Integer Y, TCustomLayer* Layer);
    virtual void FireImgMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, TCustomLayer* Layer);
    virtual void RefreshCache();

    // The stage operations, each given the destination and the stage's index.
    virtual void ExecBitmapFrame(TBitmap32* Dest, Integer StageNum);
    virtual void ExecClearBuffer(TBitmap32* Dest, Integer StageNum);
    virtual void ExecClearBackgnd(TBitmap32* Dest, Integer StageNum);
    virtual void ExecControlFrame(TBitmap32* Dest, Integer StageNum);
    virtual void ExecCustom(TBitmap32* Dest, Integer StageNum);
    virtual void ExecDrawBitmap(TBitmap32* Dest, Integer StageNum);
    virtual void ExecDrawLayers(TBitmap32* Dest, Integer StageNum);

    void RenderBuffer() override;
    void PaintGDIOverlay() override;
    void HandleMouseLeave() override;
    bool HasPendingRects() override;
    bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void DblClick() override;

    // The bitmap's change notifications in each repaint mode.
    void BitmapFullChange(TObject* Sender);
    void BitmapAreaToOptimizer(TObject* Sender, const TRect& Area, Cardinal Info);
    void BitmapAreaToRects(TObject* Sender, const TRect& Area, Cardinal Info);
    TBitmapPlacement Placement() const;
    // The stage operation for a stage code (null for codes outside 1 .. 7).
    std::function<void(TCustomBitmap32*, Integer)> StageHandler(Cardinal Stage);
    TSize AutoSizeOf();

    std::unique_ptr<TBitmap32> FBitmap;
    TBitmapAlign FBitmapAlign = baTopLeft;
    std::unique_ptr<TLayerCollection> FLayers;
    Single FOffsetHorz = 0, FOffsetVert = 0;
    std::unique_ptr<TPaintStages> FPaintStages;
    std::vector<TStageRun> FPaintStageHandlers;
    Single FScaleX = 1, FScaleY = 1;
    TScaleMode FScaleMode = smNormal;
    Integer FUpdateCount = 0;
    TImageMapping FCache;
    bool CacheValid = false;
    bool PaintToMode = false;
    // Where the pointer was last seen over the control.
    TPoint FLastMousePos;
};

class TImage32 : public TCustomImage32 {
public:
    using TCustomImage32::TCustomImage32;
    String ClassName() const override { return u"TImage32"; }
};

// ---------------------------------------------------------------------------
enum TScrollBarVisibility { svAlways, svHidden, svAuto };
enum TSizeGripStyle { sgAuto, sgNone, sgAlways };

class TCustomImgView32;

// The two bars of a view: the look goes to both (Master the horizontal bar,
// Slave the vertical one).
class TIVScrollProperties : public TArrowBarAccess {
public:
    explicit TIVScrollProperties(TCustomImgView32* AImgView) : FImgView(AImgView) {}
    String ClassName() const override { return u"TIVScrollProperties"; }
    TCustomImgView32* ImgView() const { return FImgView; }
    void Assign(TPersistent* Source) override;

    // Steps of the arrow buttons and the wheel (both bars); 8 at first.
    Integer Increment() const;
    void SetIncrement(Integer Value);
    // Thickness of the bars and of the grip square; 0: the platform's.
    Integer Size() const;
    void SetSize(Integer Value);
    TScrollBarVisibility Visibility() const;
    void SetVisibility(TScrollBarVisibility Value);

private:
    TCustomImgView32* FImgView;
};

class TCustomImgView32 : public TCustomImage32 {
public:
    explicit TCustomImgView32(TComponent* AOwner);
    ~TCustomImgView32() override;
    String ClassName() const override { return u"TCustomImgView32"; }

    bool Centered() const { return FCentered; }
    void SetCentered(bool Value);
    TIVScrollProperties* ScrollBars() const { return FScrollBars.get(); }
    void SetScrollBars(TIVScrollProperties* Value) { FScrollBars->Assign(Value); }
    TSizeGripStyle SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(TSizeGripStyle Value);
    // Margin around the picture, in bitmap pixels.
    Integer OverSize() const { return FOverSize; }
    void SetOverSize(Integer Value);
    void SetScaleMode(TScaleMode Value) override;

    TRect GetViewportRect() override;
    // Scrolls by control pixels (clamped by the bars) and fires OnScroll.
    void Scroll(Integer Dx, Integer Dy);
    // Puts bitmap point (X, Y) in the middle of the viewport; no OnScroll.
    void ScrollToCenter(Integer X, Integer Y);
    TCustomRangeBar* HScroll() const { return FHScroll; }
    TCustomRangeBar* VScroll() const { return FVScroll; }
    bool ScrollBarsShown();
    Integer ScrollBarExtent();
    bool SizeGripShown();
    TRect SizeGripRect();
    void Loaded() override;

    TNotifyEvent OnScroll;

protected:
    friend class TIVScrollProperties;
    virtual void FireScroll();
    virtual void ScrollBarMoved(TObject* Sender);
    virtual void ApplyScrollOffset();
    virtual void RefreshScrollRanges();

    void HandleBitmapResize() override;
    void FireScaleChange() override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;

    void PlaceScrollBars();
    void ApplyCentering();
    void DrawSizeGrip(const TRect& R);
    void FillGripSquare();

    bool FCentered = true;
    Integer FScrollBarSize;
    TScrollBarVisibility FScrollBarVisibility = svAlways;
    std::unique_ptr<TIVScrollProperties> FScrollBars;
    TSizeGripStyle FSizeGrip = sgAuto;
    Integer FOverSize = 0;
    bool DisableScrollUpdate = false;
    TCustomRangeBar* FHScroll = nullptr;
    TCustomRangeBar* FVScroll = nullptr;
};

class TImgView32 : public TCustomImgView32 {
public:
    using TCustomImgView32::TCustomImgView32;
    String ClassName() const override { return u"TImgView32"; }
};
