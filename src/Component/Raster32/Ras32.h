// Ras32: the raster engine's chief unit. The notification bases every engine
// object shares (optional reference counting, change notification under
// update brackets, a per-object lock, a width and height), the sampler bases,
// the pixel backend base, and the 32-bit bitmap TCustomBitmap32.
// Includes the colour and geometry types of Ras32_Types.
#pragma once

#include <atomic>
#include <mutex>

#include "Component/Raster32/Ras32_Blend.h"
#include "Component/Raster32/Ras32_LowLevel.h"
#include "Component/Raster32/Ras32_Types.h"
#include "framework/Classes.h"

class TCustomBitmap32;
class TCustomBackend;
class TCustomResampler;

// dmCustom's per-pixel callback: foreground, background (written back), master alpha.
using TPixelCombineEvent = TEvent<TColor32, TColor32&, Cardinal>;
// A change of a bitmap's pixels: the area and what kind of area it is.
using TAreaChangedEvent = TEvent<TObject*, const TRect&, Cardinal>;

// Area kinds of TAreaChangedEvent: AreaInfoRect = Area is a rectangle of
// changed pixels; AreaInfoLine + n = Area holds the two end points of a line
// (Left, Top) - (Right, Bottom) whose pixels reach at most n beyond them.
constexpr Cardinal AreaInfoRect = 0x80000000;
constexpr Cardinal AreaInfoLine = 0x40000000;

// ---------------------------------------------------------------------------
// Notification bases

// A persistent answering the base interface; reference counted only when
// FRefCounted is set (the pixel backends), otherwise _AddRef and _Release are
// inert and the owner deletes the object.
class TPlainInterfacedPersistent : public TPersistent, public virtual IInterface {
public:
    String ClassName() const override { return u"TPlainInterfacedPersistent"; }
    HResult QueryInterface(const TGUID& IID, void** Obj) override;
    Integer _AddRef() override;
    Integer _Release() override;
    bool RefCounted() const { return FRefCounted; }
    Integer RefCount() const { return FRefCount; }
    // Raises "Unmatched reference counting." when a counted object that still
    // has references is about to go.
    void BeforeDestruction() override;

protected:
    // Answers the interfaces the object implements; overrides ask the base last.
    virtual bool GetInterface(const TGUID& IID, void** Obj);

    bool FRefCounted = false;
    std::atomic<Integer> FRefCount{0};
};

// Change notification: BeginUpdate/EndUpdate nest; Changed reaches OnChange
// only outside every bracket, and EndUpdate fires nothing by itself.
class TNotifiablePersistent : public TPlainInterfacedPersistent {
public:
    String ClassName() const override { return u"TNotifiablePersistent"; }
    virtual void Changed();
    virtual void BeginUpdate();
    // Raises the assertion "Unpaired TThreadPersistent.EndUpdate" without a BeginUpdate.
    virtual void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }

    TNotifyEvent OnChange;

protected:
    Integer FUpdateCount = 0;
};

// A per-object lock, re-entrant for the thread that holds it.
class TThreadPersistent : public TNotifiablePersistent {
public:
    String ClassName() const override { return u"TThreadPersistent"; }
    void Lock();
    void Unlock();
    Integer LockCount() const { return FLockCount; }

private:
    std::atomic<Integer> FLockCount{0};
    std::recursive_mutex FLock;
};

// Answers the size of a platform graphic or control for TCustomMap::SetSizeFrom;
// set by the Windows side of the engine. False when Source is neither.
using TPlatformSizeFunc = bool (*)(TPersistent* Source, Integer& Width, Integer& Height);
extern TPlatformSizeFunc PlatformSizeOf;

// Something with a width and height (never negative).
class TCustomMap : public TThreadPersistent {
public:
    String ClassName() const override { return u"TCustomMap"; }
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    virtual void SetWidth(Integer Value) { SetSize(Value, FHeight); }
    virtual void SetHeight(Integer Value) { SetSize(FWidth, Value); }
    // Negative sizes count as 0. False, doing nothing, when the size stays.
    virtual bool SetSize(Integer NewWidth, Integer NewHeight);
    // From another map, a platform graphic or control; nil empties the map.
    // Raises "Can't set size from '<class>'" for anything else.
    bool SetSizeFrom(TPersistent* Source);
    virtual void Delete() { SetSize(0, 0); }
    virtual bool Empty() const { return FWidth == 0 || FHeight == 0; }

    TNotifyEvent OnResize;

protected:
    virtual void StoreSize(Integer& Width, Integer& Height, Integer NewWidth, Integer NewHeight);
    virtual void Resized();

    Integer FHeight = 0;
    Integer FWidth = 0;
};

// ---------------------------------------------------------------------------
// Sampler bases

enum TPixelAccessMode : Byte { pamUnsafe, pamSafe, pamWrap, pamTransparentEdge };

// Something that answers a colour for a coordinate. A concrete sampler
// overrides GetSampleFixed, GetSampleFloat or both; the base forms call each
// other, and a sampler that overrides neither raises EInvalidOperation
// ("Abstract Error") instead of recursing without end.
class TCustomSampler : public TNotifiablePersistent {
public:
    String ClassName() const override { return u"TCustomSampler"; }
    virtual TColor32 GetSampleInt(Integer X, Integer Y);
    virtual TColor32 GetSampleFixed(TFixed X, TFixed Y);
    virtual TColor32 GetSampleFloat(Single X, Single Y);
    virtual void PrepareSampling() {}
    virtual void FinalizeSampling() {}
    virtual bool HasBounds() const { return false; }
    virtual TFloatRect GetSampleBounds() const;
};

// A sampler over a bitmap that can also stretch a part of it into another bitmap.
class TCustomResampler : public TCustomSampler {
public:
    TCustomResampler();
    // A resampler for ABitmap; it becomes the bitmap's resampler through
    // ABitmap->SetResampler(new T(ABitmap)), which frees the previous one.
    // (Installing it from here would let the bitmap's change handlers see a
    // half-built object.)
    explicit TCustomResampler(TCustomBitmap32* ABitmap);
    String ClassName() const override { return u"TCustomResampler"; }

    TCustomBitmap32* Bitmap() const { return FBitmap; }
    TPixelAccessMode PixelAccessMode() const { return FPixelAccessMode; }
    void SetPixelAccessMode(TPixelAccessMode Value);
    // The kernel radius; 0 here.
    Single Width() const { return GetWidth(); }

    // Tells the bitmap (its whole-area change), not the resampler's own OnChange.
    void Changed() override;
    void PrepareSampling() override;
    bool HasBounds() const override { return FPixelAccessMode != pamWrap; }
    TFloatRect GetSampleBounds() const override;
    // The stretched copy of SrcRect of Src into DstRect of Dst, clipped to DstClip.
    virtual void Resample(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, TCustomBitmap32* Src,
                          const TRect& SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack) = 0;

protected:
    virtual Single GetWidth() const { return 0; }
    // Copies the resampler's properties into another resampler; subclasses add theirs.
    void AssignTo(TPersistent* Dest) override;

    TCustomBitmap32* FBitmap = nullptr;
    TRect FClipRect;
    TPixelAccessMode FPixelAccessMode = pamSafe;

    friend class TCustomBitmap32;
};

// The resampler unit installs these as it starts: they make the first
// resampler of every new bitmap, and a resampler of a class named for
// ResamplerClassName (nil for an unknown name); the bitmap installs what they
// return. Without them a new bitmap has no resampler.
using TResamplerFactory = TCustomResampler* (*)(TCustomBitmap32* Bitmap);
using TResamplerByNameFactory = TCustomResampler* (*)(const String& ClassName, TCustomBitmap32* Bitmap);
extern TResamplerFactory DefaultResamplerFactory;
extern TResamplerByNameFactory ResamplerByNameFactory;

// ---------------------------------------------------------------------------
// Pixel backends

// Owns a bitmap's pixel memory and may offer platform services, which the
// bitmap reaches through QueryInterface. Always reference counted: a new
// backend has one reference, which the bitmap takes over when it is installed
// with Bitmap->SetBackend(new TSomeBackend); the last _Release destroys it (so
// the destructor is not public). Installing happens after construction, so
// that moving the old pixels in reaches the new class's own surface routines.
class TCustomBackend : public TThreadPersistent {
public:
    TCustomBackend();
    String ClassName() const override { return u"TCustomBackend"; }

    PColor32Array Bits() const { return FBits; }
    TCustomBitmap32* Owner() const { return FOwner; }
    TNotifyEvent OnChanging;

    // Drops the surface: size 0 x 0, written to the owner's width and height.
    virtual void Clear();
    virtual bool Empty() const { return false; }
    // Releases the surface, then allocates one of the new size (when both sides
    // are positive) and stores the new size; ends with Changed, also on error
    // (the size then being 0 x 0).
    virtual void ChangeSize(Integer& Width, Integer& Height, Integer NewWidth, Integer NewHeight, bool ClearBuffer);
    // From another backend: this backend's owner gets the size and pixels of the source's owner.
    void Assign(TPersistent* Source) override;
    void BeforeDestruction() override;

protected:
    ~TCustomBackend() override = default;
    virtual void SignalChanging();
    virtual void AllocateSurface(Integer NewWidth, Integer NewHeight, bool ClearBuffer);
    virtual void ReleaseSurface();

    PColor32Array FBits = nullptr;
    TCustomBitmap32* FOwner = nullptr;

    friend class TCustomBitmap32;
};

// ---------------------------------------------------------------------------
// The bitmap

class TCustomBitmap32 : public TCustomMap {
public:
    TCustomBitmap32();
    ~TCustomBitmap32() override;
    String ClassName() const override { return u"TCustomBitmap32"; }

    // Backend
    TCustomBackend* Backend() const { return FBackend; }
    // Takes over the caller's reference to Value, which becomes owned by this
    // bitmap; the old backend's pixels move to it.
    virtual void SetBackend(TCustomBackend* Value);
    // The backend with one more reference, for a caller who keeps it across a switch.
    TCustomBackend* ReleaseBackend();
    // The backend's services first, then the bitmap's own interfaces.
    HResult QueryInterface(const TGUID& IID, void** Obj) override;

    // Pixels: (X, Y) is Bits()[X + Y * Width()], rows top to bottom, no padding.
    PColor32Array Bits() const { return FBits; }
    bool Empty() const override;
    TRect BoundsRect() const { return TRect{0, 0, FWidth, FHeight}; }

    // Clip rectangle: always inside the bounds.
    const TRect& ClipRect() const { return FClipRect; }
    void SetClipRect(const TRect& Value);
    void ResetClipRect() { SetClipRect(BoundsRect()); }
    bool Clipping() const { return FClipping; }
    // The clip rectangle in 16.16 and in 24.8 fixed point.
    const TFixedRect& FixedClipRect() const { return FFixedClipRect; }
    const TRect& ClipRect256() const { return F256ClipRect; }

    // Drawing settings
    TDrawMode DrawMode() const { return FDrawMode; }
    void SetDrawMode(TDrawMode Value);
    TCombineMode CombineMode() const { return FCombineMode; }
    void SetCombineMode(TCombineMode Value);
    TWrapMode WrapMode() const { return FWrapMode; }
    void SetWrapMode(TWrapMode Value);
    Cardinal MasterAlpha() const { return FMasterAlpha; }
    void SetMasterAlpha(Cardinal Value);
    // The colour read outside the clip rectangle and the key colour of dmTransparent.
    TColor32 OuterColor() const { return FOuterColor; }
    void SetOuterColor(TColor32 Value) { FOuterColor = Value; }
    TColor32 PenColor() const { return FPenColor; }
    void SetPenColor(TColor32 Value) { FPenColor = Value; }
    Single StippleCounter() const { return FStippleCounter; }
    void SetStippleCounter(Single Value) { FStippleCounter = Value; }
    Single StippleStep() const { return FStippleStep; }
    void SetStippleStep(Single Value) { FStippleStep = Value; }
    const TArrayOfColor32& StipplePattern() const { return FStipplePattern; }

    TCustomResampler* Resampler() const { return FResampler; }
    // Owns Value from now on, frees the previous resampler; nil changes nothing.
    void SetResampler(TCustomResampler* Value);
    String ResamplerClassName() const;
    // A registered name other than the current class makes a resampler of it;
    // an unknown name changes nothing.
    void SetResamplerClassName(const String& Value);

    // Measuring: drawing operations that check the flag report the area they
    // would change to Callback and leave the pixels alone.
    bool MeasuringMode() const { return FMeasuringMode; }
    void BeginMeasuring(const TAreaChangedEvent& Callback);
    void EndMeasuring();

    // Pixel access
    TColor32 GetPixelUnchecked(Integer X, Integer Y) const { return FBits[X + Y * FWidth]; }
    TColor32 Pixel(Integer X, Integer Y) const { return FBits[X + Y * FWidth]; }
    void SetPixel(Integer X, Integer Y, TColor32 Value) { FBits[X + Y * FWidth] = Value; }
    // Outside the clip rectangle: OuterColor, and no write.
    TColor32 GetPixelClipped(Integer X, Integer Y) const;
    void SetPixelClipped(Integer X, Integer Y, TColor32 Value);
    // Wrapped into the clip rectangle by WrapMode; OuterColor when the clip rectangle is empty.
    TColor32 GetPixelWrapped(Integer X, Integer Y) const;
    PColor32 GetRowPtr(Integer Y) const { return FBits + Y * FWidth; }
    PColor32 GetPixelPtr(Integer X, Integer Y) const { return FBits + X + Y * FWidth; }
    // Combined through BlendProc (the combine mode's routine); no checks.
    void SetPixelT(Integer X, Integer Y, TColor32 Value);
    void SetPixelT(PColor32& Ptr, TColor32 Value);
    void SetPixelTS(Integer X, Integer Y, TColor32 Value);

    // Clearing and rectangle fills; X2 and Y2 are exclusive.
    void Clear() { Clear(0xFF000000); }
    void Clear(TColor32 FillColor);
    // No clipping and no measuring check: the caller keeps the rectangle inside.
    void FillRect(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value);
    void FillRectS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value);
    void FillRectS(const TRect& ARect, TColor32 Value);
    // Through the combine mode: alpha 255 fills, alpha 0 does nothing at all.
    void FillRectT(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value);
    void FillRectTS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value);
    void FillRectTS(const TRect& ARect, TColor32 Value);

    // The whole bitmap changed.
    void Changed() override;
    virtual void Changed(const TRect& Area, Cardinal Info = AreaInfoRect);
    // A setting changed: OnChange only, no area.
    virtual void PropertyChanged();

    TPixelCombineEvent OnPixelCombine;
    TAreaChangedEvent OnAreaChanged;

    // The wrap routines of the current WrapMode and clip rectangle, and the
    // combine routine of the current CombineMode, for per-pixel code.
    TWrapProcEx WrapProcHorz = ClampRange;
    TWrapProcEx WrapProcVert = ClampRange;
    TBlendMem* BlendProc = nullptr;
    // Pen positions of the line drawing.
    Integer RasterX = 0;
    Integer RasterY = 0;
    TFixed RasterXF = 0;
    TFixed RasterYF = 0;

protected:
    virtual void HandleBackendChanged();
    virtual void HandleBackendChanging();
    // Installs a memory backend here; a subclass that wants another one calls
    // its own in its constructor (a virtual call from this constructor cannot
    // reach the subclass).
    virtual void CreateDefaultBackend();
    virtual void DetachBackend();
    void StoreSize(Integer& Width, Integer& Height, Integer NewWidth, Integer NewHeight) override;

    TCustomBackend* FBackend = nullptr;
    PColor32Array FBits = nullptr;
    TRect FClipRect;
    TFixedRect FFixedClipRect;
    TRect F256ClipRect;
    bool FClipping = false;
    TDrawMode FDrawMode = dmOpaque;
    TCombineMode FCombineMode = cmBlend;
    TWrapMode FWrapMode = wmClamp;
    Cardinal FMasterAlpha = 255;
    TColor32 FOuterColor = 0;
    TColor32 FPenColor = 0xFFFFFFFF;
    Single FStippleCounter = 0;
    TArrayOfColor32 FStipplePattern;
    Single FStippleStep = 1.0f;
    TAreaChangedEvent FOldOnAreaChanged;
    bool FMeasuringMode = false;
    TCustomResampler* FResampler = nullptr;

    friend class TCustomBackend;
};
