#include "Component/Raster32/Ras32.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "Component/Raster32/Ras32_Backends_Generic.h"
#include "framework/SysUtils.h"

// ---------------------------------------------------------------------------
// TPlainInterfacedPersistent

HResult TPlainInterfacedPersistent::QueryInterface(const TGUID& IID, void** Obj)
{
    *Obj = nullptr;
    if (!GetInterface(IID, Obj)) return E_NOINTERFACE_;
    static_cast<IInterface*>(*Obj)->_AddRef();
    return S_OK_;
}

bool TPlainInterfacedPersistent::GetInterface(const TGUID& IID, void** Obj)
{
    if (IID == IInterface::IID) {
        *Obj = static_cast<IInterface*>(this);
        return true;
    }
    return false;
}

Integer TPlainInterfacedPersistent::_AddRef()
{
    if (!FRefCounted) return -1;
    return ++FRefCount;
}

Integer TPlainInterfacedPersistent::_Release()
{
    if (!FRefCounted) return -1;
    Integer Count = --FRefCount;
    if (Count == 0) {
        // The object is still whole here, so the clean-up may call its virtuals.
        BeforeDestruction();
        delete this;
    }
    return Count;
}

void TPlainInterfacedPersistent::BeforeDestruction()
{
    if (FRefCounted && FRefCount != 0) throw Exception(u"Unmatched reference counting.");
}

// ---------------------------------------------------------------------------
// TNotifiablePersistent, TThreadPersistent

void TNotifiablePersistent::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TNotifiablePersistent::BeginUpdate() { ++FUpdateCount; }

void TNotifiablePersistent::EndUpdate()
{
    Assert(FUpdateCount > 0, u"Unpaired TThreadPersistent.EndUpdate");
    --FUpdateCount;
}

void TThreadPersistent::Lock()
{
    ++FLockCount;
    FLock.lock();
}

void TThreadPersistent::Unlock()
{
    FLock.unlock();
    --FLockCount;
}

// ---------------------------------------------------------------------------
// TCustomMap

TPlatformSizeFunc PlatformSizeOf = nullptr;

bool TCustomMap::SetSize(Integer NewWidth, Integer NewHeight)
{
    if (NewWidth < 0) NewWidth = 0;
    if (NewHeight < 0) NewHeight = 0;
    if (NewWidth == FWidth && NewHeight == FHeight) return false;
    StoreSize(FWidth, FHeight, NewWidth, NewHeight);
    Changed();
    Resized();
    return true;
}

bool TCustomMap::SetSizeFrom(TPersistent* Source)
{
    if (!Source) return SetSize(0, 0);
    if (auto* Map = dynamic_cast<TCustomMap*>(Source)) return SetSize(Map->Width(), Map->Height());
    Integer W = 0, H = 0;
    if (PlatformSizeOf && PlatformSizeOf(Source, W, H)) return SetSize(W, H);
    throw Exception(Format(u"Can't set size from '%s'", {Source->ClassName()}));
}

void TCustomMap::StoreSize(Integer& Width, Integer& Height, Integer NewWidth, Integer NewHeight)
{
    Width = NewWidth;
    Height = NewHeight;
}

void TCustomMap::Resized()
{
    if (OnResize) OnResize(this);
}

// ---------------------------------------------------------------------------
// TCustomSampler

namespace {

// Whether the sampler's class overrides one of the pair. Uses the compiler's
// extraction of the code address from a bound virtual member.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpmf-conversions"
bool OverridesFixed(TCustomSampler* Sampler)
{
    using TProc = TColor32 (*)(TCustomSampler*, TFixed, TFixed);
    return reinterpret_cast<TProc>(Sampler->*(&TCustomSampler::GetSampleFixed)) !=
           reinterpret_cast<TProc>(&TCustomSampler::GetSampleFixed);
}

bool OverridesFloat(TCustomSampler* Sampler)
{
    using TProc = TColor32 (*)(TCustomSampler*, Single, Single);
    return reinterpret_cast<TProc>(Sampler->*(&TCustomSampler::GetSampleFloat)) !=
           reinterpret_cast<TProc>(&TCustomSampler::GetSampleFloat);
}
#pragma GCC diagnostic pop

[[noreturn]] void SamplerIsAbstract() { throw EInvalidOperation(u"Abstract Error"); }

}  // namespace

TColor32 TCustomSampler::GetSampleInt(Integer X, Integer Y) { return GetSampleFixed(IntToFixed(X), IntToFixed(Y)); }

TColor32 TCustomSampler::GetSampleFixed(TFixed X, TFixed Y)
{
    // The base pair call each other: a sampler overriding neither would never return.
    if (!OverridesFloat(this)) SamplerIsAbstract();
    return GetSampleFloat(X / 65536.0f, Y / 65536.0f);
}

TColor32 TCustomSampler::GetSampleFloat(Single X, Single Y)
{
    if (!OverridesFixed(this)) SamplerIsAbstract();
    return GetSampleFixed(FloatToFixed(X), FloatToFixed(Y));
}

TFloatRect TCustomSampler::GetSampleBounds() const
{
    constexpr Single Inf = std::numeric_limits<Single>::infinity();
    return TFloatRect{-Inf, -Inf, Inf, Inf};
}

// ---------------------------------------------------------------------------
// TCustomResampler

TResamplerFactory DefaultResamplerFactory = nullptr;
TResamplerByNameFactory ResamplerByNameFactory = nullptr;

TCustomResampler::TCustomResampler() = default;

TCustomResampler::TCustomResampler(TCustomBitmap32* ABitmap) : TCustomResampler() { FBitmap = ABitmap; }

void TCustomResampler::SetPixelAccessMode(TPixelAccessMode Value)
{
    if (FPixelAccessMode == Value) return;
    FPixelAccessMode = Value;
    Changed();
}

void TCustomResampler::Changed()
{
    if (FBitmap) FBitmap->Changed();
}

void TCustomResampler::PrepareSampling()
{
    if (FBitmap) FClipRect = FBitmap->ClipRect();
}

TFloatRect TCustomResampler::GetSampleBounds() const
{
    if (!FBitmap) return TCustomSampler::GetSampleBounds();
    const TRect& R = FBitmap->ClipRect();
    TFloatRect Result{Single(R.Left), Single(R.Top), Single(R.Right), Single(R.Bottom)};
    if (FPixelAccessMode == pamTransparentEdge) {
        Result.Left -= 1;
        Result.Top -= 1;
        Result.Right += 1;
        Result.Bottom += 1;
    }
    return Result;
}

void TCustomResampler::AssignTo(TPersistent* Dest)
{
    if (auto* Other = dynamic_cast<TCustomResampler*>(Dest)) {
        Other->SetPixelAccessMode(FPixelAccessMode);
        return;
    }
    TCustomSampler::AssignTo(Dest);
}

// ---------------------------------------------------------------------------
// TCustomBackend

TCustomBackend::TCustomBackend()
{
    FRefCounted = true;
    FRefCount = 1;
}

void TCustomBackend::BeforeDestruction()
{
    TThreadPersistent::BeforeDestruction();
    Clear();
}

void TCustomBackend::Clear()
{
    Integer ScratchWidth = 0, ScratchHeight = 0;
    if (FOwner)
        ChangeSize(FOwner->FWidth, FOwner->FHeight, 0, 0, false);
    else
        ChangeSize(ScratchWidth, ScratchHeight, 0, 0, false);
}

void TCustomBackend::ChangeSize(Integer& Width, Integer& Height, Integer NewWidth, Integer NewHeight, bool ClearBuffer)
{
    SignalChanging();
    try {
        ReleaseSurface();
        Width = 0;
        Height = 0;
        if (NewWidth > 0 && NewHeight > 0) AllocateSurface(NewWidth, NewHeight, ClearBuffer);
        Width = NewWidth;
        Height = NewHeight;
    } catch (...) {
        Changed();
        throw;
    }
    Changed();
}

void TCustomBackend::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TCustomBackend*>(Source);
    if (!Other) {
        TThreadPersistent::Assign(Source);
        return;
    }
    if (!FOwner) return;
    Integer W = Other->FOwner ? Other->FOwner->Width() : 0;
    Integer H = Other->FOwner ? Other->FOwner->Height() : 0;
    ChangeSize(FOwner->FWidth, FOwner->FHeight, W, H, false);
    if (!Other->Empty() && Other->FBits && FBits)
        MoveDwords(Other->FBits, FBits, W * H);
}

void TCustomBackend::SignalChanging()
{
    if (OnChanging) OnChanging(this);
}

void TCustomBackend::AllocateSurface(Integer, Integer, bool) {}

void TCustomBackend::ReleaseSurface() {}

// ---------------------------------------------------------------------------
// TCustomBitmap32

TCustomBitmap32::TCustomBitmap32()
{
    CreateDefaultBackend();
    BlendProc = *CombineInPlaceOf[FCombineMode];
    WrapProcHorz = WrapProcFor(FWrapMode);
    WrapProcVert = WrapProcFor(FWrapMode);
    if (DefaultResamplerFactory) SetResampler(DefaultResamplerFactory(this));
}

TCustomBitmap32::~TCustomBitmap32()
{
    // Emptying the bitmap below would otherwise call handlers (OnResize is not
    // held back by the update bracket) whose owners may be gone already.
    OnChange = nullptr;
    OnResize = nullptr;
    OnAreaChanged = nullptr;
    FOldOnAreaChanged = nullptr;
    BeginUpdate();
    Lock();
    try {
        SetSize(0, 0);
    } catch (...) {
        // A destructor cannot report; the memory is released below either way.
    }
    delete FResampler;
    FResampler = nullptr;
    DetachBackend();
    Unlock();
}

void TCustomBitmap32::CreateDefaultBackend() { SetBackend(new TMemoryBackend); }

void TCustomBitmap32::SetBackend(TCustomBackend* Value)
{
    if (!Value || Value == FBackend) return;
    BeginUpdate();
    Integer OldWidth = FWidth, OldHeight = FHeight;
    try {
        Value->FOwner = this;
        if (FBackend) Value->Assign(FBackend);
    } catch (...) {
        // The new backend could not take the pixels (no memory for them): the
        // bitmap keeps its old backend and size, and the new one goes.
        FWidth = OldWidth;
        FHeight = OldHeight;
        Value->FOwner = nullptr;
        Value->_Release();
        EndUpdate();
        throw;
    }
    DetachBackend();
    FBackend = Value;
    FBackend->OnChange = [this](TObject*) { HandleBackendChanged(); };
    FBackend->OnChanging = [this](TObject*) { HandleBackendChanging(); };
    EndUpdate();
    FBackend->Changed();
    Changed();
}

void TCustomBitmap32::DetachBackend()
{
    if (!FBackend) return;
    TCustomBackend* Old = FBackend;
    FBackend = nullptr;
    Old->FOwner = nullptr;
    Old->OnChange = nullptr;
    Old->OnChanging = nullptr;
    Old->_Release();
}

TCustomBackend* TCustomBitmap32::ReleaseBackend()
{
    if (FBackend) FBackend->_AddRef();
    return FBackend;
}

HResult TCustomBitmap32::QueryInterface(const TGUID& IID, void** Obj)
{
    if (FBackend && FBackend->QueryInterface(IID, Obj) == S_OK_) return S_OK_;
    return TCustomMap::QueryInterface(IID, Obj);
}

void TCustomBitmap32::HandleBackendChanging() {}

void TCustomBitmap32::HandleBackendChanged()
{
    FBits = FBackend ? FBackend->Bits() : nullptr;
    ResetClipRect();
}

void TCustomBitmap32::StoreSize(Integer& Width, Integer& Height, Integer NewWidth, Integer NewHeight)
{
    if (FBackend)
        FBackend->ChangeSize(Width, Height, NewWidth, NewHeight, true);
    else
        TCustomMap::StoreSize(Width, Height, NewWidth, NewHeight);
}

bool TCustomBitmap32::Empty() const
{
    return (FBackend && FBackend->Empty()) || FWidth == 0 || FHeight == 0 || !FBits;
}

// ---------------------------------------------------------------------------
// Clip rectangle and settings

void TCustomBitmap32::SetClipRect(const TRect& Value)
{
    IntersectRects(FClipRect, Value, BoundsRect());
    FFixedClipRect = TFixedRect{IntToFixed(FClipRect.Left), IntToFixed(FClipRect.Top), IntToFixed(FClipRect.Right),
                                IntToFixed(FClipRect.Bottom)};
    F256ClipRect = TRect{FClipRect.Left << 8, FClipRect.Top << 8, FClipRect.Right << 8, FClipRect.Bottom << 8};
    FClipping = !(FClipRect == BoundsRect());
    WrapProcHorz = OptimalWrapProcFor(FWrapMode, FClipRect.Left, FClipRect.Right - 1);
    WrapProcVert = OptimalWrapProcFor(FWrapMode, FClipRect.Top, FClipRect.Bottom - 1);
}

void TCustomBitmap32::SetDrawMode(TDrawMode Value)
{
    if (FDrawMode == Value) return;
    FDrawMode = Value;
    Changed();
}

void TCustomBitmap32::SetCombineMode(TCombineMode Value)
{
    if (FCombineMode == Value) return;
    FCombineMode = Value;
    BlendProc = *CombineInPlaceOf[Value];
    Changed();
}

void TCustomBitmap32::SetWrapMode(TWrapMode Value)
{
    if (FWrapMode == Value) return;
    FWrapMode = Value;
    WrapProcHorz = OptimalWrapProcFor(FWrapMode, FClipRect.Left, FClipRect.Right - 1);
    WrapProcVert = OptimalWrapProcFor(FWrapMode, FClipRect.Top, FClipRect.Bottom - 1);
    Changed();
}

void TCustomBitmap32::SetMasterAlpha(Cardinal Value)
{
    if (FMasterAlpha == Value) return;
    FMasterAlpha = Value;
    Changed();
}

void TCustomBitmap32::SetResampler(TCustomResampler* Value)
{
    if (!Value || Value == FResampler) return;
    delete FResampler;
    FResampler = Value;
    FResampler->FBitmap = this;
    Changed();
}

String TCustomBitmap32::ResamplerClassName() const { return FResampler ? FResampler->ClassName() : String(); }

void TCustomBitmap32::SetResamplerClassName(const String& Value)
{
    if (Value.empty() || Value == ResamplerClassName() || !ResamplerByNameFactory) return;
    SetResampler(ResamplerByNameFactory(Value, this));
}

// ---------------------------------------------------------------------------
// Measuring and notification

void TCustomBitmap32::BeginMeasuring(const TAreaChangedEvent& Callback)
{
    FMeasuringMode = true;
    FOldOnAreaChanged = OnAreaChanged;
    OnAreaChanged = Callback;
}

void TCustomBitmap32::EndMeasuring()
{
    FMeasuringMode = false;
    OnAreaChanged = FOldOnAreaChanged;
}

void TCustomBitmap32::Changed() { Changed(BoundsRect(), AreaInfoRect); }

void TCustomBitmap32::Changed(const TRect& Area, Cardinal Info)
{
    if ((FUpdateCount == 0 || FMeasuringMode) && OnAreaChanged) OnAreaChanged(this, Area, Info);
    if (!FMeasuringMode) TCustomMap::Changed();
}

void TCustomBitmap32::PropertyChanged() { TCustomMap::Changed(); }

// ---------------------------------------------------------------------------
// Pixel access

TColor32 TCustomBitmap32::GetPixelClipped(Integer X, Integer Y) const
{
    if (X >= FClipRect.Left && X < FClipRect.Right && Y >= FClipRect.Top && Y < FClipRect.Bottom)
        return FBits[X + Y * FWidth];
    return FOuterColor;
}

void TCustomBitmap32::SetPixelClipped(Integer X, Integer Y, TColor32 Value)
{
    if (X >= FClipRect.Left && X < FClipRect.Right && Y >= FClipRect.Top && Y < FClipRect.Bottom)
        FBits[X + Y * FWidth] = Value;
}

TColor32 TCustomBitmap32::GetPixelWrapped(Integer X, Integer Y) const
{
    // An empty clip rectangle has no pixel to wrap to.
    if (RectIsEmpty(FClipRect)) return FOuterColor;
    X = WrapProcHorz(X, FClipRect.Left, FClipRect.Right - 1);
    Y = WrapProcVert(Y, FClipRect.Top, FClipRect.Bottom - 1);
    return FBits[X + Y * FWidth];
}

void TCustomBitmap32::SetPixelT(Integer X, Integer Y, TColor32 Value)
{
    BlendProc(Value, FBits[X + Y * FWidth]);
    EndPixelOps();
}

void TCustomBitmap32::SetPixelT(PColor32& Ptr, TColor32 Value)
{
    BlendProc(Value, *Ptr);
    ++Ptr;
    EndPixelOps();
}

void TCustomBitmap32::SetPixelTS(Integer X, Integer Y, TColor32 Value)
{
    if (X >= FClipRect.Left && X < FClipRect.Right && Y >= FClipRect.Top && Y < FClipRect.Bottom)
        SetPixelT(X, Y, Value);
}

// ---------------------------------------------------------------------------
// Clearing and fills

void TCustomBitmap32::Clear(TColor32 FillColor)
{
    if (Empty()) return;
    if (!FMeasuringMode) {
        if (FClipping)
            FillRect(FClipRect.Left, FClipRect.Top, FClipRect.Right, FClipRect.Bottom, FillColor);
        else
            FillDwords(FBits, FWidth * FHeight, FillColor);
    }
    Changed();
}

void TCustomBitmap32::FillRect(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value)
{
    if (FBits)
        for (Integer Y = Y1; Y < Y2; ++Y) FillDwords(GetPixelPtr(X1, Y), X2 - X1, Value);
    Changed(TRect{X1, Y1, X2, Y2}, AreaInfoRect);
}

void TCustomBitmap32::FillRectS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value)
{
    if (!FMeasuringMode && X2 > X1 && Y2 > Y1 && X1 < FClipRect.Right && Y1 < FClipRect.Bottom &&
        X2 > FClipRect.Left && Y2 > FClipRect.Top) {
        X1 = std::max(X1, FClipRect.Left);
        Y1 = std::max(Y1, FClipRect.Top);
        X2 = std::min(X2, FClipRect.Right);
        Y2 = std::min(Y2, FClipRect.Bottom);
        FillRect(X1, Y1, X2, Y2, Value);
    }
    Changed(TRect{X1, Y1, X2, Y2}, AreaInfoRect);
}

void TCustomBitmap32::FillRectS(const TRect& ARect, TColor32 Value)
{
    if (FMeasuringMode)
        Changed(ARect, AreaInfoRect);
    else
        FillRectS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value);
}

void TCustomBitmap32::FillRectT(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value)
{
    Cardinal Alpha = Value >> 24;
    if (Alpha == 255) {
        FillRect(X1, Y1, X2, Y2, Value);
        return;
    }
    if (Alpha == 0) return;
    try {
        Integer Count = X2 - X1;
        if (FBits && Count > 0 && Y2 > Y1) {
            // The colour as a source row, so that each row is one call of the
            // row routine (the same result as the in-place routine per pixel:
            // CombinePixelInPlace with the colour's alpha, or MergePixelInPlace).
            std::vector<TColor32> Row(static_cast<size_t>(Count), Value);
            for (Integer Y = Y1; Y < Y2; ++Y) {
                if (FCombineMode == cmBlend)
                    CombineRow(Row.data(), GetPixelPtr(X1, Y), Count, Alpha);
                else
                    MergeRow(Row.data(), GetPixelPtr(X1, Y), Count);
            }
        }
    } catch (...) {
        EndPixelOps();
        Changed(TRect{X1, Y1, X2, Y2}, AreaInfoRect);
        throw;
    }
    EndPixelOps();
    Changed(TRect{X1, Y1, X2, Y2}, AreaInfoRect);
}

void TCustomBitmap32::FillRectTS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value)
{
    if (!FMeasuringMode && X2 > X1 && Y2 > Y1 && X1 < FClipRect.Right && Y1 < FClipRect.Bottom &&
        X2 > FClipRect.Left && Y2 > FClipRect.Top) {
        X1 = std::max(X1, FClipRect.Left);
        Y1 = std::max(Y1, FClipRect.Top);
        X2 = std::min(X2, FClipRect.Right);
        Y2 = std::min(Y2, FClipRect.Bottom);
        FillRectT(X1, Y1, X2, Y2, Value);
    }
    Changed(TRect{X1, Y1, X2, Y2}, AreaInfoRect);
}

void TCustomBitmap32::FillRectTS(const TRect& ARect, TColor32 Value)
{
    if (FMeasuringMode)
        Changed(ARect, AreaInfoRect);
    else
        FillRectTS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value);
}
