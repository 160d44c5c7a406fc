#include "Component/Raster32/Ras32_Layers.h"

#include <algorithm>

#include "framework/runtime/SysUtils.h"

TSetScreenCursorProc LayerScreenCursorProc = nullptr;
TOwnerCursorFunc LayerOwnerCursorFunc = nullptr;

namespace {

void SetScreenCursor(TCursor Cursor)
{
    if (LayerScreenCursorProc) LayerScreenCursorProc(Cursor);
}

TLayerStates StateOf(TMouseButton Button)
{
    // lsMouseLeft, lsMouseRight, lsMouseMiddle follow mbLeft, mbRight, mbMiddle.
    return static_cast<TLayerStates>(1u << static_cast<unsigned>(Button));
}

}  // namespace

// ---------------------------------------------------------------------------
// TLayerCollection

TLayerCollection::TLayerCollection(TPersistent* AOwner) : FOwner(AOwner) {}

TLayerCollection::~TLayerCollection()
{
    // Nothing is announced while the layers go.
    FUpdateCount = 1;
    Clear();
}

void TLayerCollection::Delete(Integer Index)
{
    delete LayerAt(Index);
}

void TLayerCollection::Clear()
{
    BeginUpdate();
    try {
        while (!FItems.empty()) delete FItems.back();
        NotifyList(lnCleared, nullptr, 0);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TLayerCollection::Assign(TPersistent* Source)
{
    auto* Src = dynamic_cast<TLayerCollection*>(Source);
    if (!Src) {
        TPersistent::Assign(Source);
        return;
    }
    if (Src == this) return;
    // A layer has no assignment of its own, so copying the first source
    // layer would fail; fail before the layers here are freed.
    if (Src->Count() > 0) {
        String Name = Src->LayerAt(0)->ClassName();
        throw EConvertError(Format(u"Cannot assign a %s to a %s", {Name, Name}));
    }
    Clear();
}

TCustomLayer* TLayerCollection::LayerAt(Integer Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError(Format(u"List index out of bounds (%d)", {Index}));
    return FItems[static_cast<size_t>(Index)];
}

Integer TLayerCollection::IndexOf(const TCustomLayer* Layer) const
{
    auto It = std::find(FItems.begin(), FItems.end(), Layer);
    return It == FItems.end() ? -1 : static_cast<Integer>(It - FItems.begin());
}

void TLayerCollection::SetMouseListener(TCustomLayer* Value)
{
    if (Value == FMouseListener) return;
    if (FMouseListener) FMouseListener->FLayerStates = 0;
    FMouseListener = Value;
}

void TLayerCollection::SetMouseEvents(bool Value)
{
    FMouseEvents = Value;
    SetMouseListener(nullptr);
}

void TLayerCollection::BeginUpdate()
{
    if (FUpdateCount == 0) NotifyChanging();
    ++FUpdateCount;
}

void TLayerCollection::EndUpdate()
{
    --FUpdateCount;
    if (FUpdateCount == 0) NotifyChange();
    Assert(FUpdateCount >= 0, u"Unpaired EndUpdate");
}

void TLayerCollection::NotifyChange()
{
    if (OnChange) OnChange(this);
}

void TLayerCollection::NotifyChanging()
{
    if (OnChanging) OnChanging(this);
}

void TLayerCollection::RequestOverlay()
{
    if (FUpdateCount == 0 && OnGDIUpdate) OnGDIUpdate(this);
}

void TLayerCollection::NotifyList(TLayerListNotification Action, TCustomLayer* Layer, Integer Index)
{
    if (OnListNotify) OnListNotify(this, Action, Layer, Index);
}

void TLayerCollection::ReportArea(const TRect& Rect)
{
    if (OnAreaUpdated) OnAreaUpdated(this, Rect, AreaInfoRect);
    NotifyChange();
}

void TLayerCollection::ReportLayer(TCustomLayer* Layer)
{
    if (OnLayerUpdated) OnLayerUpdated(this, Layer);
    NotifyChange();
}

void TLayerCollection::GetViewportScale(Single& ScaleX, Single& ScaleY)
{
    if (OnGetViewportScale) {
        OnGetViewportScale(this, ScaleX, ScaleY);
    } else {
        ScaleX = 1;
        ScaleY = 1;
    }
}

void TLayerCollection::GetViewportShift(Single& ShiftX, Single& ShiftY)
{
    if (OnGetViewportShift) {
        OnGetViewportShift(this, ShiftX, ShiftY);
    } else {
        ShiftX = 0;
        ShiftY = 0;
    }
}

TFloatPoint TLayerCollection::LocalToViewport(const TFloatPoint& APoint, bool AScaled)
{
    if (!AScaled) return APoint;
    Single ShiftX, ShiftY, ScaleX, ScaleY;
    GetViewportShift(ShiftX, ShiftY);
    GetViewportScale(ScaleX, ScaleY);
    return TFloatPoint{APoint.X * ScaleX + ShiftX, APoint.Y * ScaleY + ShiftY};
}

TFloatPoint TLayerCollection::ViewportToLocal(const TFloatPoint& APoint, bool AScaled)
{
    if (!AScaled) return APoint;
    Single ShiftX, ShiftY, ScaleX, ScaleY;
    GetViewportShift(ShiftX, ShiftY);
    GetViewportScale(ScaleX, ScaleY);
    return TFloatPoint{(APoint.X - ShiftX) / ScaleX, (APoint.Y - ShiftY) / ScaleY};
}

TCustomLayer* TLayerCollection::FindLayerAt(Integer X, Integer Y, Cardinal OptionsMask)
{
    for (Integer I = Count() - 1; I >= 0; --I) {
        TCustomLayer* Layer = FItems[static_cast<size_t>(I)];
        if ((Layer->FLayerOptions & OptionsMask) != 0 && Layer->HitTest(X, Y)) return Layer;
    }
    return nullptr;
}

TCustomLayer* TLayerCollection::DispatchMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomLayer* Target = FMouseListener ? FMouseListener : FindLayerAt(X, Y, LOB_MOUSE_EVENTS);
    if (Target != FMouseListener && (!Target || (Target->FLayerOptions & LOB_NO_CAPTURE) == 0))
        SetMouseListener(Target);  // capture
    if (FMouseListener) {
        FMouseListener->FLayerStates |= StateOf(Button);
        FMouseListener->LayerMouseDown(Button, Shift, X, Y);
    }
    return Target;
}

TCustomLayer* TLayerCollection::DispatchMouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomLayer* Target = FMouseListener ? FMouseListener : FindLayerAt(X, Y, LOB_MOUSE_EVENTS);
    if (Target) {
        Target->LayerMouseMove(Shift, X, Y);
    } else {
        TCursor OwnerCursor;
        if (FOwner && LayerOwnerCursorFunc && LayerOwnerCursorFunc(FOwner, OwnerCursor)) SetScreenCursor(OwnerCursor);
    }
    return Target;
}

TCustomLayer* TLayerCollection::DispatchMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomLayer* Target = FMouseListener ? FMouseListener : FindLayerAt(X, Y, LOB_MOUSE_EVENTS);
    if (Target) {
        Target->FLayerStates &= static_cast<TLayerStates>(~StateOf(Button));
        Target->LayerMouseUp(Button, Shift, X, Y);
    }
    // The handler may have freed the listener, which then is no longer set.
    if (FMouseListener && FMouseListener->FLayerStates == 0) SetMouseListener(nullptr);  // release
    return Target;
}

void TLayerCollection::AttachLayer(TCustomLayer* Layer)
{
    BeginUpdate();
    try {
        FItems.push_back(Layer);
        Layer->FLayerCollection = this;
        NotifyList(lnLayerAdded, Layer, Count() - 1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TLayerCollection::DetachLayer(TCustomLayer* Layer)
{
    BeginUpdate();
    try {
        Integer Index = IndexOf(Layer);
        if (Index >= 0) {
            FItems.erase(FItems.begin() + Index);
            Layer->FLayerCollection = nullptr;
            NotifyList(lnLayerDeleted, Layer, Index);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TLayerCollection::InsertedAt(TCustomLayer* Layer, Integer Index)
{
    Layer->SetIndex(Index);
    NotifyList(lnLayerInserted, Layer, Index);
}

// ---------------------------------------------------------------------------
// TCustomLayer

TCustomLayer::TCustomLayer(TLayerCollection* ALayerCollection)
{
    // Attached before the options are set: the list notification sees a fresh layer.
    SetLayerCollection(ALayerCollection);
    FLayerOptions = LOB_VISIBLE;
}

TCustomLayer::~TCustomLayer()
{
    if (OnDestroy) OnDestroy(this);
    SetLayerCollection(nullptr);
}

void TCustomLayer::Changed()
{
    if (FUpdateCount > 0 || !FLayerCollection || (FLayerOptions & LOB_NO_UPDATE) != 0) return;
    Update();
    if (Visible()) FLayerCollection->NotifyChange();
    else if (FLayerOptions & LOB_GDI_OVERLAY) FLayerCollection->RequestOverlay();
    TNotifiablePersistent::Changed();
}

void TCustomLayer::Changed(const TRect& Rect)
{
    if (FUpdateCount > 0 || !FLayerCollection || (FLayerOptions & LOB_NO_UPDATE) != 0) return;
    Update(Rect);
    if (Visible()) FLayerCollection->NotifyChange();
    else if (FLayerOptions & LOB_GDI_OVERLAY) FLayerCollection->RequestOverlay();
    TNotifiablePersistent::Changed();
}

void TCustomLayer::Update()
{
    if (FLayerCollection && (Visible() || (FLayerOptions & LOB_FORCE_UPDATE) != 0))
        FLayerCollection->ReportLayer(this);
}

void TCustomLayer::Update(const TRect& Rect)
{
    if (FLayerCollection) FLayerCollection->ReportArea(Rect);
}

void TCustomLayer::SetCursor(TCursor Value)
{
    if (Value == FCursor) return;
    FCursor = Value;
    if (FLayerCollection && FLayerCollection->FMouseListener == this) SetScreenCursor(Value);
}

Integer TCustomLayer::Index() const
{
    return FLayerCollection ? FLayerCollection->IndexOf(this) : -1;
}

void TCustomLayer::SetIndex(Integer Value)
{
    if (!FLayerCollection) return;
    Integer CurIndex = Index();
    if (Value == CurIndex) return;
    Value = std::clamp(Value, 0, FLayerCollection->Count() - 1);
    if (Value == CurIndex) return;
    auto Move = [&] {
        auto& Items = FLayerCollection->FItems;
        Items.erase(Items.begin() + CurIndex);
        Items.insert(Items.begin() + Value, this);
    };
    if (!Visible()) {
        Move();  // an invisible move announces nothing
        return;
    }
    FLayerCollection->BeginUpdate();
    try {
        Move();
    } catch (...) {
        FLayerCollection->EndUpdate();
        throw;
    }
    FLayerCollection->EndUpdate();
}

void TCustomLayer::BringToFront()
{
    if (FLayerCollection) SetIndex(FLayerCollection->Count());
}

void TCustomLayer::SendToBack()
{
    SetIndex(0);
}

void TCustomLayer::SetLayerCollection(TLayerCollection* Value)
{
    if (Value == FLayerCollection) return;
    if (FLayerCollection) {
        if (FLayerCollection->FMouseListener == this) FLayerCollection->SetMouseListener(nullptr);
        FLayerCollection->DetachLayer(this);
    }
    if (Value) Value->AttachLayer(this);
}

void TCustomLayer::SetLayerOptions(Cardinal Value)
{
    NotifyLayerChanging();
    FLayerOptions = Value;
    Changed();
}

void TCustomLayer::SetMouseEvents(bool Value)
{
    SetLayerOptions(Value ? FLayerOptions | LOB_MOUSE_EVENTS : FLayerOptions & ~LOB_MOUSE_EVENTS);
}

void TCustomLayer::SetVisible(bool Value)
{
    if (Value) {
        SetLayerOptions(FLayerOptions | LOB_VISIBLE);
        return;
    }
    // Forced, so that hiding still reports the layer once (its old area is repainted).
    SetForceUpdate(true);
    try {
        SetLayerOptions(FLayerOptions & ~LOB_VISIBLE);
    } catch (...) {
        SetForceUpdate(false);
        throw;
    }
    SetForceUpdate(false);
}

void TCustomLayer::SetInvalid(bool Value)
{
    if (Value) FLayerOptions |= LOB_INVALID;
    else FLayerOptions &= ~LOB_INVALID;
}

void TCustomLayer::SetForceUpdate(bool Value)
{
    if (Value) FLayerOptions |= LOB_FORCE_UPDATE;
    else FLayerOptions &= ~LOB_FORCE_UPDATE;
}

void TCustomLayer::SetAsMouseListener()
{
    if (!FLayerCollection) return;
    FLayerCollection->SetMouseListener(this);
    SetScreenCursor(FCursor);
}

bool TCustomLayer::HitTest(Integer X, Integer Y)
{
    bool Passed = HitTestSelf(X, Y);
    if (OnHitTest) OnHitTest(this, X, Y, Passed);
    return Passed;
}

void TCustomLayer::RenderLayer(TCustomBitmap32* Buffer)
{
    PaintLayer(Buffer);
    if (OnPaint) OnPaint(this, Buffer);
}

bool TCustomLayer::HitTestSelf(Integer X, Integer Y)
{
    (void)X, (void)Y;
    return true;
}

void TCustomLayer::LayerMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TCustomLayer::LayerMouseMove(TShiftState Shift, Integer X, Integer Y)
{
    SetScreenCursor(FCursor);
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TCustomLayer::LayerMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    SetScreenCursor(crDefault);
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TCustomLayer::NotifyLayerChanging()
{
    if (FUpdateCount <= 0 && Visible() && FLayerCollection && (FLayerOptions & LOB_NO_UPDATE) == 0)
        FLayerCollection->NotifyChanging();
}

// ---------------------------------------------------------------------------
// TPositionedLayer

TPositionedLayer::TPositionedLayer(TLayerCollection* ALayerCollection) : TCustomLayer(ALayerCollection)
{
    FLayerOptions = LOB_VISIBLE | LOB_MOUSE_EVENTS;
}

void TPositionedLayer::SetLocation(const TFloatRect& Value)
{
    NotifyLayerChanging();
    ApplyLocation(Value);
    Changed();
}

void TPositionedLayer::SetScaled(bool Value)
{
    if (Value == FScaled) return;
    NotifyLayerChanging();
    FScaled = Value;
    Changed();
}

TFloatRect TPositionedLayer::GetAdjustedRect(const TFloatRect& R)
{
    if (!FScaled || !FLayerCollection) return R;
    Single ShiftX, ShiftY, ScaleX, ScaleY;
    FLayerCollection->GetViewportShift(ShiftX, ShiftY);
    FLayerCollection->GetViewportScale(ScaleX, ScaleY);
    return TFloatRect{R.Left * ScaleX + ShiftX, R.Top * ScaleY + ShiftY, R.Right * ScaleX + ShiftX,
                      R.Bottom * ScaleY + ShiftY};
}

bool TPositionedLayer::HitTestSelf(Integer X, Integer Y)
{
    TFloatRect A = GetAdjustedRect(FLocation);
    auto FX = static_cast<Single>(X), FY = static_cast<Single>(Y);
    return A.Left <= FX && FX < A.Right && A.Top <= FY && FY < A.Bottom;
}
