// Ras32_Layers: layers drawn above an image control's bitmap, in a
// collection ordered bottom (index 0) to top, with hit testing and mouse
// capture. The collection talks to its control and to the repaint optimiser
// only through its hook events. Portable: the screen cursor is reached
// through hooks that the image controls' unit installs.
#pragma once

#include <vector>

#include "Component/Raster32/Ras32.h"
#include "framework/runtime/UITypes.h"

class TCanvas;
class TCustomLayer;
class TLayerCollection;

// Option bits of a layer (LayerOptions). Bits 0 to 24 are free for hosts and
// for the paint-stage masks of the image control.
constexpr Cardinal LOB_VISIBLE = 0x80000000;
constexpr Cardinal LOB_GDI_OVERLAY = 0x40000000;   // also paints on the control's canvas
constexpr Cardinal LOB_MOUSE_EVENTS = 0x20000000;  // found by the hit search
constexpr Cardinal LOB_NO_UPDATE = 0x10000000;     // changes announce nothing
constexpr Cardinal LOB_NO_CAPTURE = 0x08000000;    // a press does not capture the mouse
constexpr Cardinal LOB_INVALID = 0x04000000;       // held by the repaint optimiser
constexpr Cardinal LOB_FORCE_UPDATE = 0x02000000;  // reported even while invisible

// Mouse buttons held on a layer: a set, bit n for state n.
enum TLayerState { lsMouseLeft, lsMouseRight, lsMouseMiddle };
using TLayerStates = Byte;

enum TLayerListNotification { lnLayerAdded, lnLayerInserted, lnLayerDeleted, lnCleared };

// The layer unit's own drag states, qualified by the unit's name: the window
// framework's TDragState (the steps of a drag over a control) is another type.
namespace Ras32_Layers {
enum TDragState { dsNone, dsMove, dsSizeL, dsSizeT, dsSizeR, dsSizeB, dsSizeTL, dsSizeTR, dsSizeBL, dsSizeBR };
} // namespace Ras32_Layers

using TLayerUpdateEvent = TEvent<TObject* /*Sender*/, TCustomLayer* /*Layer*/>;
using TLayerListNotifyEvent =
    TEvent<TLayerCollection* /*Sender*/, TLayerListNotification, TCustomLayer* /*Layer*/, Integer /*Index*/>;
using TGetScaleEvent = TEvent<TObject* /*Sender*/, Single& /*ScaleX*/, Single& /*ScaleY*/>;
using TGetShiftEvent = TEvent<TObject* /*Sender*/, Single& /*ShiftX*/, Single& /*ShiftY*/>;
// Buffer is the control's back buffer (a TBitmap32 on Windows).
using TPaintLayerEvent = TEvent<TObject* /*Sender*/, TCustomBitmap32* /*Buffer*/>;
using THitTestEvent = TEvent<TObject* /*Sender*/, Integer /*X*/, Integer /*Y*/, bool& /*Passed*/>;

// The screen cursor, and the cursor of the control that owns a collection,
// are Windows things; the image controls' unit installs these. Without them
// cursor changes go nowhere.
using TSetScreenCursorProc = void (*)(TCursor Cursor);
using TOwnerCursorFunc = bool (*)(TPersistent* Owner, TCursor& Cursor);
extern TSetScreenCursorProc LayerScreenCursorProc;
extern TOwnerCursorFunc LayerOwnerCursorFunc;

// ---------------------------------------------------------------------------
// The layers of one image control. Owns its layers; a layer attaches itself
// when it is made with the collection and detaches when it is freed.
class TLayerCollection : public TPersistent {
public:
    explicit TLayerCollection(TPersistent* AOwner);
    TLayerCollection(const TLayerCollection&) = delete;
    TLayerCollection& operator=(const TLayerCollection&) = delete;
    ~TLayerCollection() override;
    String ClassName() const override { return u"TLayerCollection"; }

    // A new layer of class T on top.
    template <class T>
    T* Add()
    {
        return new T(this);
    }
    // A new layer of class T moved to Index (clamped), announced as inserted.
    template <class T>
    T* Insert(Integer Index)
    {
        auto Update = UpdateScope(*this);
        T* Layer = Add<T>();
        InsertedAt(Layer, Index);
        return Layer;
    }
    // Frees the layer at Index (EListError outside 0 .. Count - 1).
    void Delete(Integer Index);
    void Clear();
    // From another collection: every source layer would be copied into a new
    // layer of its class, but layers have no assignment of their own, so a
    // source with layers raises the assignment error before anything here is
    // freed; an empty source empties this collection.
    void Assign(TPersistent* Source) override;

    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    TCustomLayer* LayerAt(Integer Index) const;
    TCustomLayer* Items(Integer Index) const { return LayerAt(Index); }
    TPersistent* Owner() const { return FOwner; }
    Integer IndexOf(const TCustomLayer* Layer) const;

    TCustomLayer* MouseListener() const { return FMouseListener; }
    void SetMouseListener(TCustomLayer* Value);
    bool MouseEvents() const { return FMouseEvents; }
    void SetMouseEvents(bool Value);

    void BeginUpdate();
    // Raises the assertion "Unpaired EndUpdate" below zero.
    void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }

    // Announcements upward, each through its hook.
    void NotifyChange();
    void NotifyChanging();
    void RequestOverlay();
    void NotifyList(TLayerListNotification Action, TCustomLayer* Layer, Integer Index);
    // Rect in control (viewport) coordinates.
    void ReportArea(const TRect& Rect);
    void ReportLayer(TCustomLayer* Layer);

    virtual void GetViewportScale(Single& ScaleX, Single& ScaleY);
    virtual void GetViewportShift(Single& ShiftX, Single& ShiftY);
    TFloatPoint LocalToViewport(const TFloatPoint& APoint, bool AScaled);
    TFloatPoint ViewportToLocal(const TFloatPoint& APoint, bool AScaled);

    // The topmost layer whose options share a bit with OptionsMask and whose
    // HitTest passes, or nil.
    TCustomLayer* FindLayerAt(Integer X, Integer Y, Cardinal OptionsMask);
    // Each returns the layer that received the event, or nil.
    TCustomLayer* DispatchMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    TCustomLayer* DispatchMouseMove(TShiftState Shift, Integer X, Integer Y);
    TCustomLayer* DispatchMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);

    // Hooks, one listener each: the image control and the repaint optimiser fill them.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;
    TNotifyEvent OnGDIUpdate;
    TLayerListNotifyEvent OnListNotify;
    TLayerUpdateEvent OnLayerUpdated;
    TAreaChangedEvent OnAreaUpdated;
    TGetScaleEvent OnGetViewportScale;
    TGetShiftEvent OnGetViewportShift;

protected:
    void AttachLayer(TCustomLayer* Layer);
    void DetachLayer(TCustomLayer* Layer);

private:
    friend class TCustomLayer;
    void InsertedAt(TCustomLayer* Layer, Integer Index);

    std::vector<TCustomLayer*> FItems;
    bool FMouseEvents = true;
    TCustomLayer* FMouseListener = nullptr;
    Integer FUpdateCount = 0;
    TPersistent* FOwner;
};

// ---------------------------------------------------------------------------
class TCustomLayer : public TNotifiablePersistent {
public:
    // Attaches to ALayerCollection (when given) on top, then becomes visible.
    explicit TCustomLayer(TLayerCollection* ALayerCollection);
    TCustomLayer(const TCustomLayer&) = delete;
    TCustomLayer& operator=(const TCustomLayer&) = delete;
    // Fires OnDestroy (this class's part of the layer is all that is left
    // then), then detaches from the collection.
    ~TCustomLayer() override;
    String ClassName() const override { return u"TCustomLayer"; }

    void Changed() override;
    void Changed(const TRect& Rect);
    void Update();
    void Update(const TRect& Rect);

    TCursor Cursor() const { return FCursor; }
    virtual void SetCursor(TCursor Value);
    // Position in the collection, -1 without one. A new index is clamped to
    // 0 .. Count - 1; a visible layer's move announces a change.
    Integer Index() const;
    virtual void SetIndex(Integer Value);
    void BringToFront();
    void SendToBack();
    TLayerCollection* LayerCollection() const { return FLayerCollection; }
    virtual void SetLayerCollection(TLayerCollection* Value);
    TLayerStates LayerStates() const { return FLayerStates; }
    Cardinal LayerOptions() const { return FLayerOptions; }
    virtual void SetLayerOptions(Cardinal Value);
    bool MouseEvents() const { return (FLayerOptions & LOB_MOUSE_EVENTS) != 0; }
    void SetMouseEvents(bool Value);
    bool Visible() const { return (FLayerOptions & LOB_VISIBLE) != 0; }
    void SetVisible(bool Value);
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }

    bool IsInvalid() const { return (FLayerOptions & LOB_INVALID) != 0; }
    // Set or clear an option bit without any announcement.
    void SetInvalid(bool Value);
    void SetForceUpdate(bool Value);

    // Makes this layer the collection's mouse listener and shows its cursor.
    void SetAsMouseListener();
    bool HitTest(Integer X, Integer Y);
    // PaintLayer, then OnPaint: how the control and the optimiser paint a layer.
    void RenderLayer(TCustomBitmap32* Buffer);

    THitTestEvent OnHitTest;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TPaintLayerEvent OnPaint;
    TNotifyEvent OnDestroy;

    virtual bool HitTestSelf(Integer X, Integer Y);
    virtual void LayerMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void LayerMouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void LayerMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void LayerFreed(TCustomLayer* ALayer) { (void)ALayer; }
    virtual void PaintLayer(TCustomBitmap32* Buffer) { (void)Buffer; }
    // Paints on the control's canvas after the buffer is shown.
    virtual void PaintOverlay(TCanvas* Canvas) { (void)Canvas; }

protected:
    void NotifyLayerChanging();

    TCursor FCursor = crDefault;
    TLayerCollection* FLayerCollection = nullptr;
    TLayerStates FLayerStates = 0;
    Cardinal FLayerOptions = 0;
    Integer FTag = 0;

private:
    friend class TLayerCollection;
};

// A layer at a rectangle of bitmap (or, unscaled, control) coordinates.
class TPositionedLayer : public TCustomLayer {
public:
    // Visible, taking mouse events, at (0, 0, 64, 64).
    explicit TPositionedLayer(TLayerCollection* ALayerCollection);
    String ClassName() const override { return u"TPositionedLayer"; }

    const TFloatRect& Location() const { return FLocation; }
    void SetLocation(const TFloatRect& Value);
    bool Scaled() const { return FScaled; }
    void SetScaled(bool Value);
    // R mapped by the viewport's scale and shift when Scaled.
    virtual TFloatRect GetAdjustedRect(const TFloatRect& R);
    TFloatRect GetAdjustedLocation() { return GetAdjustedRect(FLocation); }

    bool HitTestSelf(Integer X, Integer Y) override;

protected:
    virtual void ApplyLocation(const TFloatRect& NewLocation) { FLocation = NewLocation; }

    TFloatRect FLocation{0, 0, 64, 64};
    bool FScaled = false;
};
