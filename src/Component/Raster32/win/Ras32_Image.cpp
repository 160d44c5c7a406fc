#include "Component/Raster32/win/Ras32_Image.h"

#include <algorithm>

#include "Component/Raster32/win/Ras32_XPThemes.h"
#include "framework/controls/win/Forms.h"
#include "framework/runtime/SysUtils.h"

namespace {

// Layers reach the screen cursor and their control's cursor through these.
const bool GLayerCursorHooks = [] {
    LayerScreenCursorProc = [](TCursor Cursor) { Screen->SetCursor(Cursor); };
    LayerOwnerCursorFunc = [](TPersistent* Owner, TCursor& Cursor) {
        auto* Control = dynamic_cast<TControl*>(Owner);
        if (Control) Cursor = Control->Cursor();
        return Control != nullptr;
    };
    return true;
}();

std::vector<TRect> RectsOf(TRectList* List)
{
    std::vector<TRect> Result;
    Result.reserve(static_cast<size_t>(List->Count()));
    for (Integer I = 0; I < List->Count(); ++I) Result.push_back(*List->GetItem(I));
    return Result;
}

TSize SizeOf(const TCustomBitmap32* Bitmap)
{
    return TSize{Bitmap->Width(), Bitmap->Height()};
}

TSize SizeOf(const TRect& R)
{
    return TSize{R.Width(), R.Height()};
}

}  // namespace

// ---------------------------------------------------------------------------
// TCustomPaintBox32

TCustomPaintBox32::TCustomPaintBox32(TComponent* AOwner)
    : TCustomControl(AOwner), FBuffer(std::make_unique<TBitmap32>()), FInvalidRects(std::make_unique<TRectList>())
{
    FRepaintOptimizer.reset(DefaultRepaintOptimizerClass(FBuffer.get(), FInvalidRects.get()));
    SetBounds(0, 0, 192, 192);
}

TCustomPaintBox32::~TCustomPaintBox32()
{
    FRepaintOptimizer.reset();
    FInvalidRects.reset();
    FBuffer.reset();
}

TRect TCustomPaintBox32::GetViewportRect()
{
    return TRect{0, 0, Width(), Height()};
}

void TCustomPaintBox32::Invalidate()
{
    FBufferValid = false;
    TCustomControl::Invalidate();
}

void TCustomPaintBox32::Loaded()
{
    FBufferValid = false;
    TCustomControl::Loaded();
}

void TCustomPaintBox32::ForceFullInvalidate()
{
    if (FRepaintOptimizer->Enabled()) FRepaintOptimizer->Reset();
    FForceFullRepaint = true;
    Invalidate();
}

void TCustomPaintBox32::SetBufferOversize(Integer Value)
{
    Value = std::max(Value, 0);
    if (Value == FBufferOversize) return;
    FBufferOversize = Value;
    FitBuffer();
    FBufferValid = false;
}

void TCustomPaintBox32::SetRepaintMode(TRepaintMode Value)
{
    if (!FRepaintOptimizer) return;
    switch (Value) {
    case rmOptimizer:
        FBuffer->OnAreaChanged = [this](TObject* Sender, const TRect& Area, Cardinal Info) {
            FRepaintOptimizer->AreaUpdateHandler(Sender, Area, Info);
        };
        break;
    case rmDirect:
        FBuffer->OnAreaChanged = [this](TObject* Sender, const TRect& Area, Cardinal Info) {
            DirectAreaHandler(Sender, Area, Info);
        };
        break;
    default: FBuffer->OnAreaChanged = nullptr; break;
    }
    FRepaintOptimizer->SetEnabled(Value == rmOptimizer);
    FRepaintMode = Value;
    Invalidate();
}

void TCustomPaintBox32::DirectAreaHandler(TObject* Sender, const TRect& Area, Cardinal Info)
{
    (void)Sender, (void)Info;
    FInvalidRects->Add(Area);
    if (!(ControlState() & csCustomPaint)) Repaint();
}

bool TCustomPaintBox32::UsesOptimizedRepaint()
{
    return FRepaintOptimizer->Enabled() && !FForceFullRepaint && FRepaintOptimizer->UpdatesAvailable();
}

void TCustomPaintBox32::CollectInvalidRects()
{
    if (FRepaintOptimizer->Enabled() && !FForceFullRepaint) FRepaintOptimizer->PerformOptimization();
}

void TCustomPaintBox32::RenderBuffer()
{
    if (FForceFullRepaint) {
        FForceFullRepaint = false;
        FInvalidRects->Clear();
    } else {
        CollectInvalidRects();
    }
    FBufferValid = true;
}

void TPaintBox32::RenderBuffer()
{
    if (OnPaintBuffer) OnPaintBuffer(this);
    TCustomPaintBox32::RenderBuffer();
}

void TCustomPaintBox32::PaintGDIOverlay()
{
    if (OnGDIOverlay) OnGDIOverlay(this);
}

void TCustomPaintBox32::NotifyBufferResized(Integer OldWidth, Integer OldHeight)
{
    (void)OldWidth, (void)OldHeight;
    if (FRepaintOptimizer->Enabled()) FRepaintOptimizer->BufferResizedHandler(FBuffer->Width(), FBuffer->Height());
}

void TCustomPaintBox32::HandleMouseEnter()
{
    FMouseInControl = true;
    if (OnMouseEnter) OnMouseEnter(this);
}

void TCustomPaintBox32::HandleMouseLeave()
{
    FMouseInControl = false;
    if (OnMouseLeave) OnMouseLeave(this);
}

void TCustomPaintBox32::FitBuffer()
{
    TRect V = GetViewportRect();
    TSize Old = SizeOf(FBuffer.get());
    TSize New = FitBufferSize(SizeOf(V), Old, FBufferOversize);
    if (New == Old) return;
    FBuffer->Lock();
    try {
        FBuffer->SetSize(New.cx, New.cy);
    } catch (...) {
        FBuffer->Unlock();
        throw;
    }
    FBuffer->Unlock();
    NotifyBufferResized(Old.cx, Old.cy);
    ForceFullInvalidate();
}

void TCustomPaintBox32::Flush()
{
    Flush(TRect{0, 0, GetViewportRect().Width(), GetViewportRect().Height()});
}

void TCustomPaintBox32::Flush(const TRect& SrcRect)
{
    TRect V = GetViewportRect();
    Canvas()->Lock();
    FBuffer->Lock();
    try {
        if (FBuffer->Handle() && Canvas()->Handle())
            BitBlt(Canvas()->Handle(), SrcRect.Left + V.Left, SrcRect.Top + V.Top, SrcRect.Width(), SrcRect.Height(),
                   FBuffer->Handle(), SrcRect.Left, SrcRect.Top, SRCCOPY);
    } catch (...) {
        FBuffer->Unlock();
        Canvas()->Unlock();
        throw;
    }
    FBuffer->Unlock();
    Canvas()->Unlock();
}

void TCustomPaintBox32::Paint()
{
    if (!Parent() && !ParentWindow()) return;
    bool Optimizing = FRepaintOptimizer->Enabled();
    if (Optimizing) FRepaintOptimizer->BeginPaint();
    TIntfPtr<IPaintSupport> PaintSupport;
    Supports<IPaintSupport>(FBuffer->Backend(), PaintSupport);
    if (!FBufferValid) {
        if (PaintSupport) PaintSupport->ImageNeeded();
        RenderBuffer();
        if (PaintSupport) PaintSupport->CheckPixmap();
    }
    FBuffer->Lock();
    try {
        if (PaintSupport) PaintSupport->DoPaint(FBuffer.get(), RectsOf(FInvalidRects.get()), Canvas(), GetViewportRect());
    } catch (...) {
        FBuffer->Unlock();
        throw;
    }
    FBuffer->Unlock();
    PaintGDIOverlay();
    if (Optimizing) FRepaintOptimizer->EndPaint();
    FInvalidRects->Clear();
    FForceFullRepaint = false;
}

void TCustomPaintBox32::Resize()
{
    FitBuffer();
    FBufferValid = false;
    TCustomControl::Resize();
}

void TCustomPaintBox32::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (ComponentState() & csDesigning) FitBuffer();
    FBufferValid = false;
}

void TCustomPaintBox32::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if ((FOptions & pboAutoFocus) && CanFocus()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomPaintBox32::AssignTo(TPersistent* Dest)
{
    // Only what any control would copy: nothing of the paint box's own state.
    TCustomControl::AssignTo(Dest);
}

void TCustomPaintBox32::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        TCustomControl::Dispatch(Message);
        if (FOptions & pboWantArrowKeys) Message.Result |= DLGC_WANTARROWS;
        else Message.Result &= ~static_cast<LRESULT>(DLGC_WANTARROWS);
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TCustomPaintBox32::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;  // the buffer covers the control: never erased
}

void TCustomPaintBox32::WMPaint(TWMPaint& Message)
{
    if (UsesOptimizedRepaint() && HandleAllocated()) {
        if (HasPendingRects()) {
            Paint();  // at once, outside the platform's paint bracket
        } else {
            InvalidateRect(Handle(), nullptr, FALSE);
        }
    }
    TCustomControl::WMPaint(Message);
}

void TCustomPaintBox32::CMInvalidate(TMessage& Message)
{
    if (HandleAllocated() && UsesOptimizedRepaint()) {
        PostMessageW(Handle(), WM_PAINT, 0, 0);  // the optimiser knows what to repaint
        return;
    }
    TCustomControl::CMInvalidate(Message);
}

void TCustomPaintBox32::CMMouseEnter(TMessage& Message)
{
    TCustomControl::CMMouseEnter(Message);
    HandleMouseEnter();
}

void TCustomPaintBox32::CMMouseLeave(TMessage& Message)
{
    HandleMouseLeave();
    TCustomControl::CMMouseLeave(Message);
}

// ---------------------------------------------------------------------------
// TCustomImage32

TCustomImage32::TCustomImage32(TComponent* AOwner)
    : TCustomPaintBox32(AOwner),
      FBitmap(std::make_unique<TBitmap32>()),
      FLayers(std::make_unique<TLayerCollection>(this)),
      FPaintStages(std::make_unique<TPaintStages>())
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque |
                    csReplicatable);
    FBitmap->OnResize = [this](TObject*) { HandleBitmapResize(); };
    FLayers->OnChange = [this](TObject*) { Changed(); };
    FLayers->OnGDIUpdate = [this](TObject*) { Paint(); };
    FLayers->OnGetViewportScale = [this](TObject*, Single& X, Single& Y) {
        RefreshCache();
        X = FCache.ScaleX;
        Y = FCache.ScaleY;
    };
    FLayers->OnGetViewportShift = [this](TObject*, Single& X, Single& Y) {
        RefreshCache();
        X = FCache.ShiftX;
        Y = FCache.ShiftY;
    };
    FRepaintOptimizer->RegisterLayerCollection(FLayers.get());
    SetRepaintMode(rmFull);
    FCache.Assign(TRect{}, TSize{0, 0});
    BuildDefaultStages();
}

TCustomImage32::~TCustomImage32()
{
    BeginUpdate();
    FPaintStages.reset();
    FRepaintOptimizer->UnregisterLayerCollection(FLayers.get());
    FLayers.reset();
    FBitmap->OnResize = nullptr;
    FBitmap->OnChange = nullptr;
    FBitmap->OnAreaChanged = nullptr;
    FBitmap.reset();
}

void TCustomImage32::BuildDefaultStages()
{
    ::BuildDefaultStages(*FPaintStages);
}

TBitmapPlacement TCustomImage32::Placement() const
{
    TBitmapPlacement P;
    P.ScaleMode = FScaleMode;
    P.ScaleX = FScaleX;
    P.ScaleY = FScaleY;
    P.Align = FBitmapAlign;
    P.OffsetHorz = FOffsetHorz;
    P.OffsetVert = FOffsetVert;
    return P;
}

TSize TCustomImage32::GetBitmapSize()
{
    return ::GetBitmapSize(Placement(), SizeOf(FBitmap.get()), SizeOf(GetViewportRect()), TSize{Width(), Height()});
}

TRect TCustomImage32::GetBitmapRect()
{
    return ::GetBitmapRect(Placement(), SizeOf(FBitmap.get()), SizeOf(GetViewportRect()), TSize{Width(), Height()});
}

void TCustomImage32::RefreshCache()
{
    if (CacheValid) return;
    FCache.Assign(GetBitmapRect(), SizeOf(FBitmap.get()));
    CacheValid = true;
}

const TImageMapping& TCustomImage32::Mapping()
{
    RefreshCache();
    return FCache;
}

TPoint TCustomImage32::BitmapToControl(const TPoint& APoint)
{
    return Mapping().BitmapToControl(APoint);
}

TFloatPoint TCustomImage32::BitmapToControl(const TFloatPoint& APoint)
{
    return Mapping().BitmapToControl(APoint);
}

TPoint TCustomImage32::ControlToBitmap(const TPoint& APoint)
{
    return Mapping().ControlToBitmap(APoint);
}

TFloatPoint TCustomImage32::ControlToBitmap(const TFloatPoint& APoint)
{
    return Mapping().ControlToBitmap(APoint);
}

void TCustomImage32::DropCache()
{
    if (FRepaintOptimizer->Enabled()) FRepaintOptimizer->Reset();
    CacheValid = false;
}

void TCustomImage32::EndUpdate()
{
    --FUpdateCount;
    Assert(FUpdateCount >= 0, u"Unpaired EndUpdate call");
}

void TCustomImage32::Changed()
{
    if (FUpdateCount != 0) return;
    Invalidate();
    if (OnChange) OnChange(this);
}

void TCustomImage32::Update(const TRect& Rect)
{
    if (FRepaintOptimizer->Enabled()) FRepaintOptimizer->AreaUpdateHandler(this, Rect, AreaInfoRect);
}

void TCustomImage32::Invalidate()
{
    FBufferValid = false;
    CacheValid = false;
    TCustomPaintBox32::Invalidate();
}

void TCustomImage32::Loaded()
{
    TCustomPaintBox32::Loaded();
    FireInitStages();
}

void TCustomImage32::SetBitmap(TBitmap32* Value)
{
    DropCache();
    FBitmap->Assign(Value);
}

void TCustomImage32::SetBitmapAlign(TBitmapAlign Value)
{
    DropCache();
    FBitmapAlign = Value;
    Changed();
}

void TCustomImage32::SetScaleMode(TScaleMode Value)
{
    if (Value == FScaleMode) return;
    DropCache();
    FScaleMode = Value;
    Changed();
}

void TCustomImage32::SetOffsetHorz(Single Value)
{
    if (Value == FOffsetHorz) return;
    DropCache();
    FOffsetHorz = Value;
    Changed();
}

void TCustomImage32::SetOffsetVert(Single Value)
{
    if (Value == FOffsetVert) return;
    DropCache();
    FOffsetVert = Value;
    Changed();
}

void TCustomImage32::SetScale(Single Value)
{
    Value = std::max(Value, 0.001f);
    if (Value == FScaleX) return;
    DropCache();
    FScaleX = FScaleY = Value;
    FCache.ScaleX = FCache.ScaleY = Value;
    FCache.RecScaleX = FCache.RecScaleY = 1 / Value;
    FireScaleChange();
    Changed();
}

void TCustomImage32::SetScaleX(Single Value)
{
    Value = std::max(Value, 0.001f);
    if (Value == FScaleX) return;
    DropCache();
    FScaleX = Value;
    FCache.ScaleX = Value;
    FCache.RecScaleX = 1 / Value;
    FireScaleChange();
    Changed();
}

void TCustomImage32::SetScaleY(Single Value)
{
    Value = std::max(Value, 0.001f);
    if (Value == FScaleY) return;
    DropCache();
    FScaleY = Value;
    FCache.ScaleY = Value;
    FCache.RecScaleY = 1 / Value;
    FireScaleChange();
    Changed();
}

void TCustomImage32::SetOnBitmapPixelCombine(const TPixelCombineEvent& Value)
{
    FBitmap->OnPixelCombine = Value;
    Changed();
}

void TCustomImage32::SetRepaintMode(TRepaintMode Value)
{
    TCustomPaintBox32::SetRepaintMode(Value);
    // The image reports its bitmap's areas itself; the buffer's go nowhere.
    FBuffer->OnAreaChanged = nullptr;
    switch (Value) {
    case rmDirect:
    case rmOptimizer:
        if (Value == rmDirect)
            FBitmap->OnAreaChanged = [this](TObject* S, const TRect& A, Cardinal I) { BitmapAreaToRects(S, A, I); };
        else
            FBitmap->OnAreaChanged = [this](TObject* S, const TRect& A, Cardinal I) { BitmapAreaToOptimizer(S, A, I); };
        FBitmap->OnChange = nullptr;
        break;
    default:
        FBitmap->OnAreaChanged = nullptr;
        FBitmap->OnChange = [this](TObject* S) { BitmapFullChange(S); };
        break;
    }
}

TSize TCustomImage32::AutoSizeOf()
{
    Integer W = FBitmap->Width(), H = FBitmap->Height();
    if (FScaleMode == smScale) {
        W = static_cast<Integer>(Round(static_cast<Single>(W) * FScaleX));
        H = static_cast<Integer>(Round(static_cast<Single>(H) * FScaleY));
    }
    return TSize{W, H};
}

void TCustomImage32::HandleBitmapResize()
{
    if (AutoSize()) {
        TSize S = AutoSizeOf();
        if (S.cx > 0 && S.cy > 0) SetBounds(Left(), Top(), S.cx, S.cy);
    }
    if (FUpdateCount == 0 && OnBitmapResize) OnBitmapResize(this);
    DropCache();
    ForceFullInvalidate();
}

void TCustomImage32::HandleBitmapChange(const TRect& Area)
{
    (void)Area;
    Changed();
}

bool TCustomImage32::CanAutoSize(Integer& NewWidth, Integer& NewHeight)
{
    DropCache();
    TSize S = AutoSizeOf();
    if ((ComponentState() & csDesigning) && (S.cx <= 0 || S.cy <= 0)) return true;
    if (Align() == alNone || Align() == alLeft || Align() == alRight) NewWidth = S.cx;
    if (Align() == alNone || Align() == alTop || Align() == alBottom) NewHeight = S.cy;
    return true;
}

void TCustomImage32::SetupBitmap(bool DoClear, TColor32 ClearColor)
{
    TRect V = GetViewportRect();
    FBitmap->BeginUpdate();
    try {
        FBitmap->SetSize(V.Width(), V.Height());
        if (DoClear) FBitmap->Clear(ClearColor);
    } catch (...) {
        FBitmap->EndUpdate();
        throw;
    }
    FBitmap->EndUpdate();
    DropCache();
    Changed();
}

void TCustomImage32::FireInitStages()
{
    if (OnInitStages) OnInitStages(this);
}

void TCustomImage32::FireScaleChange()
{
    if (OnScaleChange) OnScaleChange(this);
}

void TCustomImage32::BitmapFullChange(TObject* Sender)
{
    (void)Sender;
    FRepaintOptimizer->Reset();
    HandleBitmapChange(FBitmap->BoundsRect());
}

void TCustomImage32::BitmapAreaToOptimizer(TObject* Sender, const TRect& Area, Cardinal Info)
{
    if (Sender != FBitmap.get()) return;
    Single Width = FBitmap->Resampler() ? FBitmap->Resampler()->Width() : 0;
    BitmapAreaToControlRects(Mapping(), Area, Info, Width, FBitmapAlign == baTile, SizeOf(FBuffer.get()),
                             [this](const TRect& R) { FRepaintOptimizer->AreaUpdateHandler(this, R, AreaInfoRect); });
    HandleBitmapChange(Area);
}

void TCustomImage32::BitmapAreaToRects(TObject* Sender, const TRect& Area, Cardinal Info)
{
    if (Sender != FBitmap.get()) return;
    Single Width = FBitmap->Resampler() ? FBitmap->Resampler()->Width() : 0;
    BitmapAreaToControlRects(Mapping(), Area, Info, Width, FBitmapAlign == baTile, SizeOf(FBuffer.get()),
                             [this](const TRect& R) { FInvalidRects->Add(R); });
    if (FUpdateCount != 0) return;
    if (!(ControlState() & csCustomPaint)) Repaint();
    if (OnChange) OnChange(this);
}

std::function<void(TCustomBitmap32*, Integer)> TCustomImage32::StageHandler(Cardinal Stage)
{
    using TMember = void (TCustomImage32::*)(TBitmap32*, Integer);
    static const TMember Members[] = {&TCustomImage32::ExecCustom,       &TCustomImage32::ExecClearBuffer,
                                      &TCustomImage32::ExecClearBackgnd, &TCustomImage32::ExecDrawBitmap,
                                      &TCustomImage32::ExecDrawLayers,   &TCustomImage32::ExecControlFrame,
                                      &TCustomImage32::ExecBitmapFrame};
    if (Stage < PST_CUSTOM || Stage > PST_BITMAP_FRAME) return nullptr;
    TMember Member = Members[Stage - PST_CUSTOM];
    // The destinations are the buffer or PaintTo's bitmap, both TBitmap32.
    return [this, Member](TCustomBitmap32* Dest, Integer StageNum) {
        (this->*Member)(static_cast<TBitmap32*>(Dest), StageNum);
    };
}

void TCustomImage32::RenderBuffer()
{
    bool Optimizing = FRepaintOptimizer->Enabled();
    if (Optimizing) FRepaintOptimizer->BeginPaintBuffer();
    RefreshCache();
    bool Designing = (ComponentState() & csDesigning) != 0;
    FPaintStageHandlers.clear();
    for (Integer I = 0; I < FPaintStages->Count(); ++I) {
        const TPaintStage* Stage = FPaintStages->GetItem(I);
        if (!(Designing ? Stage->DsgnTime : Stage->RunTime)) continue;
        if (auto Handler = StageHandler(Stage->Stage)) FPaintStageHandlers.push_back({std::move(Handler), I});
    }
    RunPaintStages(FBuffer.get(), FPaintStageHandlers, FInvalidRects.get(), GetViewportRect());
    if (Optimizing) FRepaintOptimizer->EndPaintBuffer();
    FBufferValid = true;
}

void TCustomImage32::ExecCustom(TBitmap32* Dest, Integer StageNum)
{
    if (OnPaintStage) OnPaintStage(this, Dest, static_cast<Cardinal>(StageNum));
}

void TCustomImage32::ExecClearBuffer(TBitmap32* Dest, Integer StageNum)
{
    (void)StageNum;
    Dest->Clear(ColorToColor32(Color()));
}

void TCustomImage32::ExecClearBackgnd(TBitmap32* Dest, Integer StageNum)
{
    (void)StageNum;
    ClearBackgroundStage(Dest, ColorToColor32(Color()), FBitmap.get(), FCache.BitmapRect, FBitmapAlign == baTile,
                         FInvalidRects.get(), Width(), Height());
}

void TCustomImage32::ExecDrawBitmap(TBitmap32* Dest, Integer StageNum)
{
    (void)StageNum;
    DrawBitmapStage(Dest, FBitmap.get(), FCache.BitmapRect, FBitmapAlign == baTile);
}

void TCustomImage32::ExecDrawLayers(TBitmap32* Dest, Integer StageNum)
{
    DrawLayersStage(Dest, FLayers.get(), FPaintStages->GetItem(StageNum)->Parameter);
}

void TCustomImage32::ExecControlFrame(TBitmap32* Dest, Integer StageNum)
{
    (void)StageNum;
    RECT R{0, 0, Width(), Height()};
    if (Dest->Handle()) DrawFocusRect(Dest->Handle(), &R);
}

void TCustomImage32::ExecBitmapFrame(TBitmap32* Dest, Integer StageNum)
{
    (void)StageNum;
    Dest->Canvas()->DrawFocusRect(FCache.BitmapRect);
}

void TCustomImage32::PaintTo(TBitmap32* Dest, const TRect& DestRect)
{
    if (!Dest) return;
    TRepaintMode OldMode = FRepaintMode;
    SetRepaintMode(rmFull);
    if (DestRect.Width() < 1 || DestRect.Height() < 1 || FBitmap->Empty()) {
        FCache.Assign(TRect{}, TSize{0, 0});
        FCache.BitmapRect = DestRect;
    } else {
        FCache.Assign(DestRect, SizeOf(FBitmap.get()));
    }
    CacheValid = true;
    PaintToMode = true;
    try {
        for (Integer I = 0; I < FPaintStages->Count(); ++I) {
            const TPaintStage* Stage = FPaintStages->GetItem(I);
            if (!Stage->RunTime) continue;
            if (auto Handler = StageHandler(Stage->Stage)) Handler(Dest, I);
        }
    } catch (...) {
        PaintToMode = false;
        CacheValid = false;
        SetRepaintMode(OldMode);
        throw;
    }
    PaintToMode = false;
    CacheValid = false;
    SetRepaintMode(OldMode);
}

void TCustomImage32::PaintGDIOverlay()
{
    for (Integer I = 0; I < FLayers->Count(); ++I) {
        TCustomLayer* Layer = FLayers->LayerAt(I);
        if (Layer->LayerOptions() & LOB_GDI_OVERLAY) Layer->PaintOverlay(Canvas());
    }
    TCustomPaintBox32::PaintGDIOverlay();
}

void TCustomImage32::HandleMouseLeave()
{
    if (FLayers->MouseEvents() && !FLayers->MouseListener()) Screen->SetCursor(crDefault);
    TCustomPaintBox32::HandleMouseLeave();
}

bool TCustomImage32::HasPendingRects()
{
    CollectInvalidRects();
    return FInvalidRects->Count() > 0;
}

void TCustomImage32::Resize()
{
    DropCache();
    TCustomPaintBox32::Resize();
}

void TCustomImage32::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FLastMousePos = TPoint{X, Y};
    TCustomPaintBox32::MouseDown(Button, Shift, X, Y);
    if (TabStop() && CanFocus()) SetFocus();
    TCustomLayer* Layer = FLayers->MouseEvents() ? FLayers->DispatchMouseDown(Button, Shift, X, Y) : nullptr;
    if (Button == mbLeft || FLayers->MouseListener()) SetMouseCapture(true);
    FireImgMouseDown(Button, Shift, X, Y, Layer);
}

void TCustomImage32::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    FLastMousePos = TPoint{X, Y};
    TCustomPaintBox32::MouseMove(Shift, X, Y);
    TCustomLayer* Layer = FLayers->MouseEvents() ? FLayers->DispatchMouseMove(Shift, X, Y) : nullptr;
    FireImgMouseMove(Shift, X, Y, Layer);
}

void TCustomImage32::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FLastMousePos = TPoint{X, Y};
    TCustomLayer* Layer = FLayers->MouseEvents() ? FLayers->DispatchMouseUp(Button, Shift, X, Y) : nullptr;
    if (Button == mbLeft || FLayers->MouseListener()) SetMouseCapture(false);
    FireImgMouseUp(Button, Shift, X, Y, Layer);
}

void TCustomImage32::DblClick()
{
    FLayers->SetMouseListener(nullptr);
    // The release that ends any capture happens where the pointer last was.
    MouseUp(mbLeft, 0, FLastMousePos.X, FLastMousePos.Y);
    TCustomPaintBox32::DblClick();
}

void TCustomImage32::FireImgMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y,
                                      TCustomLayer* Layer)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y, Layer);
}

void TCustomImage32::FireImgMouseMove(TShiftState Shift, Integer X, Integer Y, TCustomLayer* Layer)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y, Layer);
}

void TCustomImage32::FireImgMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, TCustomLayer* Layer)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y, Layer);
}

// ---------------------------------------------------------------------------
// TIVScrollProperties

void TIVScrollProperties::Assign(TPersistent* Source)
{
    auto* Src = dynamic_cast<TArrowBarAccess*>(Source);
    if (!Src) {
        TArrowBarAccess::Assign(Source);
        return;
    }
    SetColor(Src->Color());
    SetBackgnd(Src->Backgnd());
    SetButtonSize(Src->ButtonSize());
    SetHandleColor(Src->HandleColor());
    SetButtonColor(Src->ButtonColor());
    SetHighLightColor(Src->HighLightColor());
    SetShadowColor(Src->ShadowColor());
    SetBorderColor(Src->BorderColor());
    SetShowArrows(Src->ShowArrows());
    SetShowHandleGrip(Src->ShowHandleGrip());
    SetStyle(Src->Style());
    if (auto* IV = dynamic_cast<TIVScrollProperties*>(Source)) {
        SetIncrement(IV->Increment());
        SetSize(IV->Size());
        SetVisibility(IV->Visibility());
    }
}

Integer TIVScrollProperties::Increment() const
{
    return FImgView->FHScroll->Increment();
}

void TIVScrollProperties::SetIncrement(Integer Value)
{
    FImgView->FHScroll->SetIncrement(Value);
    FImgView->FVScroll->SetIncrement(Value);
}

Integer TIVScrollProperties::Size() const
{
    return FImgView->FScrollBarSize;
}

void TIVScrollProperties::SetSize(Integer Value)
{
    FImgView->FScrollBarSize = Value;
    FImgView->PlaceScrollBars();
    FImgView->ApplyScrollOffset();
}

TScrollBarVisibility TIVScrollProperties::Visibility() const
{
    return FImgView->FScrollBarVisibility;
}

void TIVScrollProperties::SetVisibility(TScrollBarVisibility Value)
{
    if (Value == FImgView->FScrollBarVisibility) return;
    FImgView->FScrollBarVisibility = Value;
    FImgView->Resize();
}

// ---------------------------------------------------------------------------
// TCustomImgView32

TCustomImgView32::TCustomImgView32(TComponent* AOwner)
    : TCustomImage32(AOwner), FScrollBarSize(GetSystemMetrics(SM_CYHSCROLL))
{
    auto MakeBar = [this](TScrollBarKind Kind) {
        auto* Bar = new TCustomRangeBar(this);
        Bar->SetBorderStyle(bsNone);
        Bar->SetCentered(true);
        Bar->SetKind(Kind);
        Bar->OnUserChange = [this](TObject* Sender) { ScrollBarMoved(Sender); };
        Bar->SetParent(this);
        return Bar;
    };
    FHScroll = MakeBar(sbHorizontal);
    FVScroll = MakeBar(sbVertical);
    FCentered = true;
    SetScaleMode(smScale);
    SetBitmapAlign(baCustom);
    TRect V = GetViewportRect();
    OldSzX = V.Width();
    OldSzY = V.Height();
    FScrollBars = std::make_unique<TIVScrollProperties>(this);
    FScrollBars->SetMaster(FHScroll);
    FScrollBars->SetSlave(FVScroll);
    PlaceScrollBars();
}

TCustomImgView32::~TCustomImgView32()
{
    FScrollBars.reset();
}

Integer TCustomImgView32::ScrollBarExtent()
{
    if (!ScrollBarsShown()) return 0;
    return FScrollBarSize != 0 ? FScrollBarSize : GetSystemMetrics(SM_CYHSCROLL);
}

bool TCustomImgView32::ScrollBarsShown()
{
    if (!FScrollBars || !FHScroll || !FVScroll) return true;
    switch (FScrollBarVisibility) {
    case svAlways: return true;
    case svHidden: return false;
    default:
        return FHScroll->EffectiveWindow() + FVScroll->Width() < FHScroll->Range() ||
               FVScroll->EffectiveWindow() + FHScroll->Height() < FVScroll->Range();
    }
}

TRect TCustomImgView32::GetViewportRect()
{
    Integer E = ScrollBarExtent();
    return TRect{0, 0, Width() - E, Height() - E};
}

void TCustomImgView32::PlaceScrollBars()
{
    if (Width() <= 0 || Height() <= 0) return;
    TRect V = GetViewportRect();
    bool Shown = ScrollBarsShown();
    FHScroll->SetBounds(V.Left, V.Bottom, V.Right - V.Left, Height() - V.Bottom);
    FVScroll->SetBounds(V.Right, V.Top, Width() - V.Right, V.Bottom - V.Top);
    FHScroll->SetVisible(Shown);
    FVScroll->SetVisible(Shown);
    FHScroll->Repaint();
    FVScroll->Repaint();
}

void TCustomImgView32::RefreshScrollRanges()
{
    if (!FHScroll || !FVScroll) return;
    TSize S = GetBitmapSize();
    auto M = static_cast<Integer>(Round(2 * static_cast<Single>(FOverSize) * Scale()));
    FHScroll->SetParams(S.cx + M, FHScroll->Window());
    FVScroll->SetParams(S.cy + M, FVScroll->Window());
    if (FScrollBarVisibility == svAuto) PlaceScrollBars();
}

void TCustomImgView32::ApplyScrollOffset()
{
    TSize S = GetBitmapSize();
    auto SOS = static_cast<Integer>(Round(static_cast<Single>(FOverSize) * Scale()));
    TRect V = GetViewportRect();
    BeginUpdate();
    FOffsetHorz = ScrollOffset(V.Width(), S.cx, SOS, FHScroll->Position(), FCentered);
    FOffsetVert = ScrollOffset(V.Height(), S.cy, SOS, FVScroll->Position(), FCentered);
    DropCache();
    EndUpdate();
    Changed();
}

void TCustomImgView32::Scroll(Integer Dx, Integer Dy)
{
    DisableScrollUpdate = true;
    FHScroll->SetPosition(FHScroll->Position() + static_cast<Single>(Dx));
    FVScroll->SetPosition(FVScroll->Position() + static_cast<Single>(Dy));
    DisableScrollUpdate = false;
    ApplyScrollOffset();
    FireScroll();
}

void TCustomImgView32::ScrollToCenter(Integer X, Integer Y)
{
    DisableScrollUpdate = true;
    PlaceScrollBars();
    TRect V = GetViewportRect();
    auto SOS = static_cast<Single>(Round(static_cast<Single>(FOverSize) * Scale()));
    FHScroll->SetPosition(static_cast<Single>(X) * Scale() - static_cast<Single>(V.Width()) * 0.5f + SOS);
    FVScroll->SetPosition(static_cast<Single>(Y) * Scale() - static_cast<Single>(V.Height()) * 0.5f + SOS);
    DisableScrollUpdate = false;
    ApplyScrollOffset();
}

void TCustomImgView32::ScrollBarMoved(TObject* Sender)
{
    if (DisableScrollUpdate) return;
    if (auto* Bar = dynamic_cast<TControl*>(Sender)) Bar->Repaint();
    ApplyScrollOffset();
    FireScroll();
    Repaint();
}

void TCustomImgView32::FireScroll()
{
    if (OnScroll) OnScroll(this);
}

void TCustomImgView32::HandleBitmapResize()
{
    TCustomImage32::HandleBitmapResize();
    RefreshScrollRanges();
    if (FCentered) {
        ScrollToCenter(FBitmap->Width() / 2, FBitmap->Height() / 2);
    } else {
        FHScroll->SetPosition(0);
        FVScroll->SetPosition(0);
        ApplyScrollOffset();
    }
}

void TCustomImgView32::FireScaleChange()
{
    TCustomImage32::FireScaleChange();
    DropCache();
    RefreshScrollRanges();
    ApplyScrollOffset();
    Invalidate();
}

void TCustomImgView32::SetScaleMode(TScaleMode Value)
{
    TCustomImage32::SetScaleMode(Value);
    ApplyCentering();
}

void TCustomImgView32::SetCentered(bool Value)
{
    FCentered = Value;
    ApplyCentering();
}

void TCustomImgView32::ApplyCentering()
{
    if (!FHScroll || !FVScroll) return;
    DropCache();
    FHScroll->SetCentered(FCentered);
    FVScroll->SetCentered(FCentered);
    RefreshScrollRanges();
    ApplyScrollOffset();
    if (FCentered) ScrollToCenter(FBitmap->Width() / 2, FBitmap->Height() / 2);
    else ScrollToCenter(0, 0);
}

void TCustomImgView32::SetOverSize(Integer Value)
{
    if (Value == FOverSize) return;
    FOverSize = Value;
    Invalidate();
}

void TCustomImgView32::SetSizeGrip(TSizeGripStyle Value)
{
    if (Value == FSizeGrip) return;
    FSizeGrip = Value;
    Invalidate();
}

TRect TCustomImgView32::SizeGripRect()
{
    TRect R = Parent() ? ClientRect() : BoundsRect();
    Integer E = ScrollBarExtent();
    R.Left = R.Right - E;
    R.Top = R.Bottom - E;
    return R;
}

bool TCustomImgView32::SizeGripShown()
{
    switch (FSizeGrip) {
    case sgNone: return false;
    case sgAlways: return true;
    default: break;
    }
    if (Align() != alClient) return false;
    for (TWinControl* P = Parent(); P; P = P->Parent()) {
        if (dynamic_cast<TCustomForm*>(P)) return true;
        if (P->Align() != alClient) return false;
    }
    return false;
}

void TCustomImgView32::DrawSizeGrip(const TRect& R)
{
    if (RectIsEmpty(R)) return;
    HDC DC = Canvas()->Handle();
    RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    ThemeNexus();
    if (UseVisualStyles && ScrollBarTheme) {
        Canvas()->Brush()->SetColor(clBtnFace);
        Canvas()->FillRect(R);
        VisualStyleApi.DrawThemeBackground(ScrollBarTheme, DC, 10, 1, &Rc, nullptr);  // size box, right-aligned
    } else {
        DrawFrameControl(DC, &Rc, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

void TCustomImgView32::FillGripSquare()
{
    TRect R = SizeGripRect();
    if (RectIsEmpty(R)) return;
    Canvas()->Brush()->SetColor(clBtnFace);
    Canvas()->FillRect(R);
}

void TCustomImgView32::Resize()
{
    PlaceScrollBars();
    if (Parent() && HandleAllocated()) {
        if (SizeGripShown()) DrawSizeGrip(SizeGripRect());
        else FillGripSquare();
    }
    DropCache();
    RefreshScrollRanges();
    ApplyScrollOffset();
    Invalidate();
    TCustomImage32::Resize();
}

void TCustomImgView32::Loaded()
{
    PlaceScrollBars();
    Invalidate();
    RefreshScrollRanges();
    if (FCentered) ScrollToCenter(FBitmap->Width() / 2, FBitmap->Height() / 2);
    TCustomImage32::Loaded();
}

void TCustomImgView32::Paint()
{
    if (!Parent() && !ParentWindow()) return;
    TCustomImage32::Paint();
    // The square between the bars: the grip when it is shown.
    if (SizeGripShown()) DrawSizeGrip(SizeGripRect());
    else FillGripSquare();
}

void TCustomImgView32::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    auto* Form = dynamic_cast<TCustomForm*>(Owner());
    TRect G = SizeGripRect();
    if (SizeGripShown() && Form && X >= G.Left && X < G.Right && Y >= G.Top && Y < G.Bottom) {
        Application->ProcessMessages();
        ReleaseCapture();
        TPoint P = Mouse->CursorPos();
        SendMessageW(Form->Handle(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(P.X, P.Y));
        return;
    }
    TCustomImage32::MouseDown(Button, Shift, X, Y);
}

void TCustomImgView32::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomImage32::MouseMove(Shift, X, Y);
    TRect G = SizeGripRect();
    if (SizeGripShown() && X >= G.Left && X < G.Right && Y >= G.Top && Y < G.Bottom) Screen->SetCursor(crSizeNWSE);
}
