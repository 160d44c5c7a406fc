#include "Component/Raster32/Ras32.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>
#include <typeinfo>
#include <vector>

#include "Component/Raster32/Ras32_Backends_Generic.h"
#include "Component/Raster32/Ras32_Resamplers.h"
#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// TPlainInterfacedPersistent

HResult TPlainInterfacedPersistent::QueryInterface(const TGUID& IID, void** Obj)
{
    *Obj = nullptr;
    if (!GetInterface(IID, Obj)) return E_NOINTERFACE_;
    // *Obj points at the interface's own part, which is not this object's
    // IInterface part when the class has several interfaces.
    _AddRef();
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
        // delete runs BeforeDestruction on the whole object first.
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

// The base pair call each other: a sampler overriding neither would never
// return. The sampler whose base pair is running on this thread is noted, so
// that the second base call of the same sampler is known for what it is.
thread_local const TCustomSampler* BaseSampleOf = nullptr;

class TBaseSampleScope {
public:
    explicit TBaseSampleScope(const TCustomSampler* Sampler) : FSaved(BaseSampleOf) { BaseSampleOf = Sampler; }
    ~TBaseSampleScope() { BaseSampleOf = FSaved; }
    TBaseSampleScope(const TBaseSampleScope&) = delete;
    TBaseSampleScope& operator=(const TBaseSampleScope&) = delete;

private:
    const TCustomSampler* FSaved;
};

[[noreturn]] void SamplerIsAbstract() { throw EInvalidOperation(u"Abstract Error"); }

}  // namespace

TColor32 TCustomSampler::GetSampleInt(Integer X, Integer Y) { return GetSampleFixed(IntToFixed(X), IntToFixed(Y)); }

TColor32 TCustomSampler::GetSampleFixed(TFixed X, TFixed Y)
{
    if (BaseSampleOf == this) SamplerIsAbstract();
    TBaseSampleScope Scope(this);
    return GetSampleFloat(X / 65536.0f, Y / 65536.0f);
}

TColor32 TCustomSampler::GetSampleFloat(Single X, Single Y)
{
    if (BaseSampleOf == this) SamplerIsAbstract();
    TBaseSampleScope Scope(this);
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
    auto Notify = ScopeExit([&] { Changed(); });
    ReleaseSurface();
    Width = 0;
    Height = 0;
    if (NewWidth > 0 && NewHeight > 0) AllocateSurface(NewWidth, NewHeight, ClearBuffer);
    Width = NewWidth;
    Height = NewHeight;
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
    Value->_AddRef();  // the bitmap's reference
    BeginUpdate();
    Integer OldWidth = FWidth, OldHeight = FHeight;
    {
        // When the new backend cannot take the pixels (no memory for them),
        // the bitmap keeps its old backend and size, and the new one goes.
        auto Undo = ScopeExit([&] {
            FWidth = OldWidth;
            FHeight = OldHeight;
            Value->FOwner = nullptr;
            Value->_Release();
            EndUpdate();
        });
        Value->FOwner = this;
        if (FBackend) Value->Assign(FBackend);
        Undo.Dismiss();
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

bool TCustomBitmap32::ClipFillRect(Integer& X1, Integer& Y1, Integer& X2, Integer& Y2) const
{
    if (FMeasuringMode || X2 <= X1 || Y2 <= Y1 || X1 >= FClipRect.Right || Y1 >= FClipRect.Bottom ||
        X2 <= FClipRect.Left || Y2 <= FClipRect.Top)
        return false;
    X1 = std::max(X1, FClipRect.Left);
    Y1 = std::max(Y1, FClipRect.Top);
    X2 = std::min(X2, FClipRect.Right);
    Y2 = std::min(Y2, FClipRect.Bottom);
    return true;
}

void TCustomBitmap32::FillRectS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value)
{
    if (ClipFillRect(X1, Y1, X2, Y2)) FillRect(X1, Y1, X2, Y2, Value);
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
    {
        auto Restore = ScopeExit([&] {
            EndPixelOps();
            Changed(TRect{X1, Y1, X2, Y2}, AreaInfoRect);
        });
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
    }
}

void TCustomBitmap32::FillRectTS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value)
{
    if (ClipFillRect(X1, Y1, X2, Y2)) FillRectT(X1, Y1, X2, Y2, Value);
    Changed(TRect{X1, Y1, X2, Y2}, AreaInfoRect);
}

void TCustomBitmap32::FillRectTS(const TRect& ARect, TColor32 Value)
{
    if (FMeasuringMode)
        Changed(ARect, AreaInfoRect);
    else
        FillRectTS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value);
}

// ---------------------------------------------------------------------------
// Sub-pixel access

TColor32 TCustomBitmap32::SampleSubpixel(Integer X, Integer Y) const
{
    const TColor32* P = FBits + (X >> 8) + static_cast<NativeInt>(Y >> 8) * FWidth;
    return InterpolatePair(GammaCurve[255 - (X & 255)], GammaCurve[255 - (Y & 255)], P, P + FWidth);
}

TColor32 TCustomBitmap32::SampleSubpixelClipped(Integer X, Integer Y) const
{
    // The last column and row inside, in 24.8.
    Integer R = (FClipRect.Right - 1) * 256, B = (FClipRect.Bottom - 1) * 256;
    if (X < F256ClipRect.Left || Y < F256ClipRect.Top) return FOuterColor;
    if (X < R && Y < B) return SampleSubpixel(X, Y);
    // On the last column or row the neighbours beyond would be outside.
    if (X == R && Y <= B) return FBits[(X >> 8) + static_cast<NativeInt>(Y >> 8) * FWidth];
    if (Y == B && X <= R) return FBits[(X >> 8) + static_cast<NativeInt>(Y >> 8) * FWidth];
    return FOuterColor;
}

namespace {

// 16.16 to 24.8, rounded (+127) and floored; in 64 bits so that no position overflows.
inline Integer FixedTo256(TFixed V) { return static_cast<Integer>((static_cast<Int64>(V) + 127) >> 8); }

}  // namespace

TColor32 TCustomBitmap32::GetPixelFixed(TFixed X, TFixed Y) const
{
    TColor32 Result = SampleSubpixel(FixedTo256(X), FixedTo256(Y));
    EndPixelOps();
    return Result;
}

TColor32 TCustomBitmap32::GetPixelFixedClipped(TFixed X, TFixed Y) const
{
    TColor32 Result = SampleSubpixelClipped(FixedTo256(X), FixedTo256(Y));
    EndPixelOps();
    return Result;
}

TColor32 TCustomBitmap32::GetPixelFixedWrapped(TFixed X, TFixed Y) const
{
    if (RectIsEmpty(FClipRect)) return FOuterColor;
    Integer X0 = X >> 16, Y0 = Y >> 16;
    Cardinal WX = (static_cast<Cardinal>(X) >> 8) & 255, WY = (static_cast<Cardinal>(Y) >> 8) & 255;
    Integer L = FClipRect.Left, R = FClipRect.Right - 1, T = FClipRect.Top, B = FClipRect.Bottom - 1;
    Integer X1 = WrapProcHorz(X0, L, R), X2 = WrapProcHorz(X0 + 1, L, R);
    Integer Y1 = WrapProcVert(Y0, T, B), Y2 = WrapProcVert(Y0 + 1, T, B);
    TColor32 Top = CombinePixel(Pixel(X2, Y1), Pixel(X1, Y1), WX);
    TColor32 Bottom = CombinePixel(Pixel(X2, Y2), Pixel(X1, Y2), WX);
    TColor32 Result = CombinePixel(Bottom, Top, WY);
    EndPixelOps();
    return Result;
}

namespace {

// The four plots of BlendSubpixel around pixel Idx of Bits, each only where
// its flag allows: top left, top right, bottom right, bottom left, in that
// order. Pixels are addressed by index, so no address outside the bitmap is
// ever formed for a plot that is left out.
void BlendSubpixelAt(PColor32 Bits, NativeInt Idx, NativeInt Stride, Integer X, Integer Y, TColor32 Color,
                     TCombineMode Mode, bool TL, bool TR, bool BR, bool BL)
{
    Cardinal FX = X & 255, FY = Y & 255;
    Cardinal WL = GammaCurve[255 - FX], WR = GammaCurve[FX], WT = GammaCurve[255 - FY], WB = GammaCurve[FY];
    if (Mode == cmBlend) {
        // The colour's alpha times both weights: at most 255^3, shifted back to a byte.
        Cardinal A = Color >> 24;
        if (TL) CombinePixelInPlace(Color, Bits[Idx], (A * WL * WT) >> 16);
        if (TR) CombinePixelInPlace(Color, Bits[Idx + 1], (A * WR * WT) >> 16);
        if (BR) CombinePixelInPlace(Color, Bits[Idx + Stride + 1], (A * WR * WB) >> 16);
        if (BL) CombinePixelInPlace(Color, Bits[Idx + Stride], (A * WL * WB) >> 16);
    } else {
        if (TL) CombinePixelInPlace(MergePixel(Color, Bits[Idx]), Bits[Idx], (WL * WT) >> 8);
        if (TR) CombinePixelInPlace(MergePixel(Color, Bits[Idx + 1]), Bits[Idx + 1], (WR * WT) >> 8);
        if (BR)
            CombinePixelInPlace(MergePixel(Color, Bits[Idx + Stride + 1]), Bits[Idx + Stride + 1], (WR * WB) >> 8);
        if (BL) CombinePixelInPlace(MergePixel(Color, Bits[Idx + Stride]), Bits[Idx + Stride], (WL * WB) >> 8);
    }
}

}  // namespace

void TCustomBitmap32::BlendSubpixel(Integer X, Integer Y, TColor32 Color)
{
    BlendSubpixelAt(FBits, (X >> 8) + static_cast<NativeInt>(Y >> 8) * FWidth, FWidth, X, Y, Color, FCombineMode,
                    true, true, true, true);
}

void TCustomBitmap32::BlendSubpixelClipped(Integer X, Integer Y, TColor32 Color)
{
    if (X < F256ClipRect.Left - 256 || X >= F256ClipRect.Right || Y < F256ClipRect.Top - 256 ||
        Y >= F256ClipRect.Bottom)
        return;
    Integer PX = X >> 8, PY = Y >> 8;
    bool Left = PX >= FClipRect.Left, Right = PX < FClipRect.Right - 1;
    bool Top = PY >= FClipRect.Top, Bottom = PY < FClipRect.Bottom - 1;
    BlendSubpixelAt(FBits, PX + static_cast<NativeInt>(PY) * FWidth, FWidth, X, Y, Color, FCombineMode, Left && Top,
                    Right && Top, Right && Bottom, Left && Bottom);
}

// ---------------------------------------------------------------------------
// Streams and files

namespace {

constexpr Integer BmpHeaderSize = 54;

inline void Put16(uint8_t* H, Integer At, Cardinal V)
{
    H[At] = static_cast<uint8_t>(V);
    H[At + 1] = static_cast<uint8_t>(V >> 8);
}
inline void Put32(uint8_t* H, Integer At, Cardinal V)
{
    for (Integer i = 0; i < 4; ++i) H[At + i] = static_cast<uint8_t>(V >> (8 * i));
}
inline Cardinal Get16(const uint8_t* H, Integer At) { return H[At] | (H[At + 1] << 8); }
inline Cardinal Get32(const uint8_t* H, Integer At)
{
    return H[At] | (H[At + 1] << 8) | (H[At + 2] << 16) | (static_cast<Cardinal>(H[At + 3]) << 24);
}

[[noreturn]] void StreamReadError() { throw EReadError(u"Stream read error"); }

// Width x Height pixels as a stream holds them: the sizes must be positive
// (or 0) and every byte offset must fit 32 bits, else the stream is damaged.
Integer PixelCount(Int64 Width, Int64 Height)
{
    if (Width < 0 || Height < 0 || Width > 0x7FFFFFFF || Height > 0x7FFFFFFF || Width * Height > 0x7FFFFFFF / 4)
        StreamReadError();
    return static_cast<Integer>(Width * Height);
}

// Count pixels read into a buffer of their own. The buffer grows with what
// the stream really delivers (1 MB, then doubling), so a header that claims
// more than the stream holds fails with the stream read error after a small
// allocation, whatever size it claims.
std::vector<TColor32> ReadPixels(TStream* Stream, Integer Count)
{
    std::vector<TColor32> Pixels;
    size_t Done = 0, Total = static_cast<size_t>(Count);
    while (Done < Total) {
        size_t Next = std::min(Total, std::max(Done * 2, static_cast<size_t>(1) << 18));
        Pixels.resize(Next);
        Stream->ReadBuffer(Pixels.data() + Done, static_cast<Integer>((Next - Done) * sizeof(TColor32)));
        Done = Next;
    }
    return Pixels;
}

void WriteRow(TStream* Stream, const TColor32* Row, Integer Width)
{
    Stream->WriteBuffer(Row, Width * static_cast<Integer>(sizeof(TColor32)));
}

}  // namespace

void TCustomBitmap32::SaveToStream(TStream* Stream, bool BottomUp)
{
    Cardinal ImageSize = static_cast<Cardinal>(FWidth) * static_cast<Cardinal>(FHeight) * 4;
    uint8_t H[BmpHeaderSize] = {};
    Put16(H, 0, 0x4D42);  // "BM"
    Put32(H, 2, BmpHeaderSize + ImageSize);
    Put32(H, 10, BmpHeaderSize);
    Put32(H, 14, 40);
    Put32(H, 18, static_cast<Cardinal>(FWidth));
    // A positive height marks bottom-up rows, a negative one top-down rows.
    Put32(H, 22, static_cast<Cardinal>(BottomUp ? FHeight : -FHeight));
    Put16(H, 26, 1);
    Put16(H, 28, 32);
    Put32(H, 34, ImageSize);
    Stream->WriteBuffer(H, BmpHeaderSize);
    if (!FBits || FWidth == 0) return;
    for (Integer Y = 0; Y < FHeight; ++Y) WriteRow(Stream, GetRowPtr(BottomUp ? FHeight - 1 - Y : Y), FWidth);
}

void TCustomBitmap32::LoadFromStream(TStream* Stream)
{
    uint8_t H[BmpHeaderSize];
    Stream->ReadBuffer(H, BmpHeaderSize);
    if (Get16(H, 0) == 0x4D42 && Get16(H, 28) == 32 && Get16(H, 26) == 1 && Get32(H, 30) == 0) {
        // The pixels follow the 54 bytes, whatever the header says of its own
        // size or of the pixel offset.
        Integer W = static_cast<Integer>(Get32(H, 18)), SH = static_cast<Integer>(Get32(H, 22));
        Int64 AbsH = SH < 0 ? -static_cast<Int64>(SH) : SH;
        // Read first: a damaged stream leaves the bitmap as it was.
        std::vector<TColor32> Pixels = ReadPixels(Stream, PixelCount(W, AbsH));
        Integer Height = static_cast<Integer>(AbsH);
        SetSize(W, Height);
        if (FBits && W > 0)
            for (Integer Y = 0; Y < Height; ++Y)
                MoveDwords(Pixels.data() + static_cast<size_t>(SH > 0 ? Height - 1 - Y : Y) * W, GetRowPtr(Y), W);
        Changed();
    } else {
        // Any other BMP (other depths, bit fields, compression) through the
        // framework's decoder, the one its platform bitmap reads with.
        Stream->Seek(-BmpHeaderSize, soCurrent);
        TDibImage Image;
        ReadBmp(Stream, Image);
        AssignDib(Image);
    }
}

void TCustomBitmap32::AssignDib(const TDibImage& Image)
{
    SetSize(Image.Width, Image.Height);
    if (!Empty())
        for (Integer Y = 0; Y < FHeight; ++Y)
            DecodeScanline(Image.ScanLine(Y), Image.PixelFormat, Image.Palette, FWidth, GetRowPtr(Y));
    Changed();
}

TPictureFileLoader PictureFileLoader = nullptr;

void TCustomBitmap32::LoadFromFile(const String& FileName)
{
    {
        TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
        // Two bytes decide: a picture may be shorter than a BMP header.
        uint8_t Signature[2] = {};
        if (File.Read(Signature, 2) == 2 && Signature[0] == 'B' && Signature[1] == 'M') {
            File.Seek(0, soBeginning);
            LoadFromStream(&File);
            return;
        }
    }
    if (PictureFileLoader) {
        PictureFileLoader(this, FileName);
        return;
    }
    String Ext = LowerCase(ExtractFileExt(FileName));
    if (!Ext.empty()) Ext.erase(0, 1);
    throw EInvalidGraphic(Format(u"Unknown picture file extension (.%s)", {Ext}));
}

void TCustomBitmap32::SaveToFile(const String& FileName, bool BottomUp)
{
    SaveFileAtomically(FileName, [&](TStream* File) { SaveToStream(File, BottomUp); });
}

void TCustomBitmap32::ReadPixelData(TStream* Stream)
{
    auto Notify = ScopeExit([&] { Changed(); });
    Integer W = Stream->ReadValue<Integer>();
    Integer H = Stream->ReadValue<Integer>();
    std::vector<TColor32> Pixels = ReadPixels(Stream, PixelCount(W, H));
    SetSize(W, H);
    if (FBits && !Pixels.empty()) MoveDwords(Pixels.data(), FBits, static_cast<Integer>(Pixels.size()));
}

void TCustomBitmap32::WritePixelData(TStream* Stream)
{
    Stream->WriteValue<Integer>(FWidth);
    Stream->WriteValue<Integer>(FHeight);
    if (FBits && FWidth > 0)
        for (Integer Y = 0; Y < FHeight; ++Y) WriteRow(Stream, GetRowPtr(Y), FWidth);
}

bool TCustomBitmap32::SameContent(TPersistent* Other) const
{
    auto* B = dynamic_cast<TCustomBitmap32*>(Other);
    if (Empty() || (B && B->Empty())) return B && Empty() && B->Empty();
    if (!B || typeid(*B) != typeid(*this)) return false;
    // The streams of two bitmaps are equal exactly when their sizes and pixels are.
    return FWidth == B->FWidth && FHeight == B->FHeight &&
           std::equal(FBits, FBits + static_cast<size_t>(FWidth) * FHeight, B->FBits);
}

// ---------------------------------------------------------------------------
// Drawing onto other bitmaps, copying, flips and rotations

void TCustomBitmap32::Draw(Integer DstX, Integer DstY, TCustomBitmap32* Src)
{
    if (Src) Src->DrawTo(this, DstX, DstY);
}

void TCustomBitmap32::Draw(Integer DstX, Integer DstY, const TRect& SrcRect, TCustomBitmap32* Src)
{
    if (Src) Src->DrawTo(this, DstX, DstY, SrcRect);
}

void TCustomBitmap32::Draw(const TRect& DstRect, const TRect& SrcRect, TCustomBitmap32* Src)
{
    if (Src) Src->DrawTo(this, DstRect, SrcRect);
}

void TCustomBitmap32::DrawTo(TCustomBitmap32* Dst) { DrawTo(Dst, 0, 0); }

void TCustomBitmap32::DrawTo(TCustomBitmap32* Dst, Integer DstX, Integer DstY)
{
    DrawTo(Dst, DstX, DstY, BoundsRect());
}

void TCustomBitmap32::DrawTo(TCustomBitmap32* Dst, Integer DstX, Integer DstY, const TRect& SrcRect)
{
    TransferBlock(Dst, DstX, DstY, Dst ? Dst->ClipRect() : TRect{}, this, SrcRect, FDrawMode, OnPixelCombine);
}

void TCustomBitmap32::DrawTo(TCustomBitmap32* Dst, const TRect& DstRect) { DrawTo(Dst, DstRect, BoundsRect()); }

void TCustomBitmap32::DrawTo(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& SrcRect)
{
    TransferStretched(Dst, DstRect, Dst ? Dst->ClipRect() : TRect{}, this, SrcRect, FResampler, FDrawMode,
                      OnPixelCombine);
}

void TCustomBitmap32::CopyPixelsTo(TCustomBitmap32* Dst)
{
    Dst->SetSize(FWidth, FHeight);
    if (!Empty() && Dst->FBits) MoveDwords(FBits, Dst->FBits, FWidth * FHeight);
}

void TCustomBitmap32::CopySettingsTo(TCustomBitmap32* Dst)
{
    Dst->SetDrawMode(FDrawMode);
    Dst->SetCombineMode(FCombineMode);
    Dst->SetWrapMode(FWrapMode);
    Dst->SetMasterAlpha(FMasterAlpha);
    Dst->FOuterColor = FOuterColor;
    Dst->SetResamplerClassName(ResamplerClassName());
    if (FResampler && Dst->FResampler) Dst->FResampler->Assign(FResampler);
}

void TCustomBitmap32::Assign(TPersistent* Source)
{
    BeginUpdate();
    {
        auto Restore = ScopeExit([&] {
            EndUpdate();
            Changed();
        });
        if (!Source) {
            SetSize(0, 0);
        } else if (auto* Bitmap = dynamic_cast<TCustomBitmap32*>(Source)) {
            if (Bitmap != this) {
                Bitmap->CopyPixelsTo(this);
                Bitmap->CopySettingsTo(this);
            }
        } else if (!PlatformAssignFrom || !PlatformAssignFrom(this, Source)) {
            TCustomMap::Assign(Source);
        }
    }
}

void TCustomBitmap32::FlipHorz(TCustomBitmap32* Dst)
{
    if (!Dst || Dst == this) {
        for (Integer y = 0; y < FHeight; ++y) std::reverse(GetRowPtr(y), GetRowPtr(y) + FWidth);
        Changed();
        return;
    }
    {
        auto Update = UpdateScope(*Dst);
        Dst->SetSize(FWidth, FHeight);
        for (Integer y = 0; y < FHeight; ++y) std::reverse_copy(GetRowPtr(y), GetRowPtr(y) + FWidth, Dst->GetRowPtr(y));
    }
    Dst->Changed();
}

void TCustomBitmap32::FlipVert(TCustomBitmap32* Dst)
{
    if (!Dst || Dst == this) {
        std::vector<TColor32> Row(static_cast<size_t>(FWidth));
        for (Integer y = 0; y < FHeight / 2; ++y) {
            TColor32* A = GetRowPtr(y);
            TColor32* B = GetRowPtr(FHeight - 1 - y);
            MoveDwords(A, Row.data(), FWidth);
            MoveDwords(B, A, FWidth);
            MoveDwords(Row.data(), B, FWidth);
        }
        Changed();
        return;
    }
    Dst->SetSize(FWidth, FHeight);
    for (Integer y = 0; y < FHeight; ++y) MoveDwords(GetRowPtr(y), Dst->GetRowPtr(FHeight - 1 - y), FWidth);
    Dst->Changed();
}

namespace {

// Turns Src by a quarter into Dst: pixel (x, y) goes to Target(x, y, W, H).
template <class TTarget>
void TurnQuarter(TCustomBitmap32* Src, TCustomBitmap32* Dst, TTarget Target)
{
    Integer W = Src->Width(), H = Src->Height();
    Dst->SetSize(H, W);
    if (Src->Empty()) return;
    for (Integer y = 0; y < H; ++y) {
        const TColor32* Row = Src->GetRowPtr(y);
        for (Integer x = 0; x < W; ++x) {
            TPoint P = Target(x, y, W, H);
            Dst->SetPixel(P.X, P.Y, Row[x]);
        }
    }
}

}  // namespace

void TCustomBitmap32::Rotate90(TCustomBitmap32* Dst)
{
    auto Target = [](Integer x, Integer y, Integer, Integer H) { return TPoint{H - 1 - y, x}; };
    if (Dst && Dst != this) {
        {
            auto Update = UpdateScope(*Dst);
            TurnQuarter(this, Dst, Target);
        }
        Dst->Changed();
        return;
    }
    TCustomBitmap32 Turned;
    TurnQuarter(this, &Turned, Target);
    Turned.CopyPixelsTo(this);
    Changed();
}

void TCustomBitmap32::Rotate270(TCustomBitmap32* Dst)
{
    auto Target = [](Integer x, Integer y, Integer W, Integer) { return TPoint{y, W - 1 - x}; };
    if (Dst && Dst != this) {
        {
            auto Update = UpdateScope(*Dst);
            TurnQuarter(this, Dst, Target);
        }
        Dst->Changed();
        return;
    }
    TCustomBitmap32 Turned;
    TurnQuarter(this, &Turned, Target);
    Turned.CopyPixelsTo(this);
    Changed();
}

void TCustomBitmap32::Rotate180(TCustomBitmap32* Dst)
{
    Integer Count = FWidth * FHeight;
    if (!Dst || Dst == this) {
        if (FBits) std::reverse(FBits, FBits + Count);
        Changed();
        return;
    }
    Dst->SetSize(FWidth, FHeight);
    if (FBits && Dst->FBits) std::reverse_copy(FBits, FBits + Count, Dst->FBits);
    Dst->Changed();
}

void TCustomBitmap32::Roll(Integer Dx, Integer Dy, bool FillBack, TColor32 FillColor)
{
    if (Empty() || (Dx == 0 && Dy == 0)) return;
    if (Dx <= -FWidth || Dx >= FWidth || Dy <= -FHeight || Dy >= FHeight) {
        if (FillBack) Clear(FillColor);
        return;
    }
    Integer Shift = Dx + Dy * FWidth;
    size_t Count = static_cast<size_t>(FWidth) * FHeight - static_cast<size_t>(Shift < 0 ? -Shift : Shift);
    // Overlapping moves: from the end when moving to higher addresses.
    if (Shift > 0)
        std::copy_backward(FBits, FBits + Count, FBits + Shift + Count);
    else
        std::copy(FBits - Shift, FBits - Shift + Count, FBits);
    if (FillBack) {
        TRect R;
        IntersectRects(R, TRect{Dx, Dy, Dx + FWidth, Dy + FHeight}, BoundsRect());
        if (R.Top > 0)
            FillRect(0, 0, FWidth, R.Top, FillColor);
        else if (R.Top == 0)
            FillRect(0, R.Bottom, FWidth, FHeight, FillColor);
        if (R.Left > 0)
            FillRect(0, R.Top, R.Left, R.Bottom, FillColor);
        else if (R.Left == 0)
            FillRect(R.Right, R.Top, FWidth, R.Bottom, FillColor);
    }
    Changed();
}

void TCustomBitmap32::ResetAlpha(Byte AlphaValue)
{
    if (!FMeasuringMode && FBits) {
        Byte* P = reinterpret_cast<Byte*>(FBits) + 3;
        for (Integer i = 0; i < FWidth * FHeight; ++i, P += 4) *P = AlphaValue;
    }
    Changed();
}

// ---------------------------------------------------------------------------
// Exchange with the platform's pictures

TPlatformAssignFunc PlatformAssignFrom = nullptr;
TPlatformAssignFunc PlatformAssignTo = nullptr;

void TCustomBitmap32::AssignTo(TPersistent* Dest)
{
    if (PlatformAssignTo && Dest && PlatformAssignTo(this, Dest)) return;
    TCustomMap::AssignTo(Dest);
}
