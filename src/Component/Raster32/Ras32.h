// Ras32: the raster engine's chief unit. The notification bases every engine
// object shares (optional reference counting, change notification under
// update brackets, a per-object lock, a width and height), the sampler bases,
// the pixel backend base, and the 32-bit bitmap TCustomBitmap32.
// Includes the colour and geometry types of Ras32_Types.
#pragma once

#include <atomic>
#include <initializer_list>
#include <mutex>

#include "Component/Raster32/Ras32_Blend.h"
#include "Component/Raster32/Ras32_LowLevel.h"
#include "Component/Raster32/Ras32_Types.h"
#include "framework/runtime/Classes.h"

class TCustomBitmap32;
class TCustomBackend;
class TCustomResampler;
struct TDibImage;

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

    // -----------------------------------------------------------------------
    // Lines, frames and stipple (Ras32.cpp, Ras32_Lines.cpp)
    //
    // Suffixes: S = clipped to the clip rectangle, and while measuring only
    // reporting the area; T = every pixel combined through BlendProc;
    // A = anti-aliased integer line; X = 16.16 end points plotted at sub-pixel
    // positions; F = Single end points (rounded to 16.16); P = colours from the
    // stipple pattern. L says whether the end point is drawn.
    // A clipped line draws exactly the pixels that the same line drawn
    // unclipped draws inside the clip rectangle, with the same values.
    // The forms without S write without checks: the caller keeps every touched
    // pixel inside the bitmap (for the X and A forms: the neighbours too).

    // One-pixel lines, both ends inclusive. HorzLine, HorzLineT, VertLine and
    // VertLineT draw nothing when the second end lies before the first; the
    // S forms order the ends.
    void HorzLine(Integer X1, Integer Y, Integer X2, TColor32 Value);
    void HorzLineS(Integer X1, Integer Y, Integer X2, TColor32 Value);
    void HorzLineT(Integer X1, Integer Y, Integer X2, TColor32 Value);
    void HorzLineTS(Integer X1, Integer Y, Integer X2, TColor32 Value);
    void VertLine(Integer X, Integer Y1, Integer Y2, TColor32 Value);
    void VertLineS(Integer X, Integer Y1, Integer Y2, TColor32 Value);
    void VertLineT(Integer X, Integer Y1, Integer Y2, TColor32 Value);
    void VertLineTS(Integer X, Integer Y1, Integer Y2, TColor32 Value);

    // Bresenham lines.
    void Line(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L = false);
    void LineS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L = false);
    void LineT(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L = false);
    void LineTS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L = false);
    // Anti-aliased integer lines: two pixels per step, weighted by GammaCurve.
    void LineA(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L = false);
    void LineAS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value, bool L = false);
    // Sub-pixel lines: one BlendSubpixel per pixel of length.
    void LineX(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L = false);
    void LineF(Single X1, Single Y1, Single X2, Single Y2, TColor32 Value, bool L = false);
    void LineXS(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L = false);
    void LineFS(Single X1, Single Y1, Single X2, Single Y2, TColor32 Value, bool L = false);
    void LineXP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L = false);
    void LineFP(Single X1, Single Y1, Single X2, Single Y2, bool L = false);
    void LineXSP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L = false);
    void LineFSP(Single X1, Single Y1, Single X2, Single Y2, bool L = false);
    // Sub-pixel spans one pixel thick, spread over the two rows (columns) the
    // position falls between; the colour's own alpha does not weigh in.
    void HorzLineX(TFixed X1, TFixed Y, TFixed X2, TColor32 Value);
    void HorzLineXS(TFixed X1, TFixed Y, TFixed X2, TColor32 Value);
    void VertLineX(TFixed X, TFixed Y1, TFixed Y2, TColor32 Value);
    void VertLineXS(TFixed X, TFixed Y1, TFixed Y2, TColor32 Value);
    // Stippled one-pixel lines, combined through BlendProc; pixels cut off by
    // the clip rectangle still advance the pattern.
    void HorzLineTSP(Integer X1, Integer Y, Integer X2);
    void VertLineTSP(Integer X, Integer Y1, Integer Y2);

    // Pen positions: the LineTo forms draw in PenColor without the end point,
    // then move the pen there.
    void MoveTo(Integer X, Integer Y);
    void LineToS(Integer X, Integer Y);
    void LineToTS(Integer X, Integer Y);
    void LineToAS(Integer X, Integer Y);
    void MoveToX(TFixed X, TFixed Y);
    void MoveToF(Single X, Single Y);
    void LineToXS(TFixed X, TFixed Y);
    void LineToFS(Single X, Single Y);
    void LineToXSP(TFixed X, TFixed Y);
    void LineToFSP(Single X, Single Y);

    // Rectangle outlines and bevels; X2 and Y2 exclusive.
    void FrameRectS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value);
    void FrameRectS(const TRect& ARect, TColor32 Value);
    void FrameRectTS(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor32 Value);
    void FrameRectTS(const TRect& ARect, TColor32 Value);
    // Clockwise from the top-left corner, so that the pattern runs on around it.
    void FrameRectTSP(Integer X1, Integer Y1, Integer X2, Integer Y2);
    // A bevel: Contrast > 0 raised (light top and left), < 0 sunken, 0 nothing.
    void RaiseRectTS(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer Contrast);
    void RaiseRectTS(const TRect& ARect, Integer Contrast);

    // Stipple: a pattern of colours that runs along the stippled lines,
    // StippleStep pattern entries per pixel. Setting a pattern restarts it.
    void SetStipple(const TArrayOfColor32& NewStipple);
    void SetStipple(std::initializer_list<TColor32> NewStipple);
    void AdvanceStippleCounter(Single LengthPixels);
    // The colour at the counter (mixing the two entries it lies between),
    // then the counter moves by StippleStep. Opaque black without a pattern.
    TColor32 GetStippleColor();

    // -----------------------------------------------------------------------
    // Sub-pixel access (Ras32.cpp). 24.8 positions: pixel X shr 8, fraction
    // X and 255; the weights come from GammaCurve. The forms without
    // "Clipped" do no checks: the four pixels around the position must lie in
    // the bitmap. A run of BlendSubpixel calls ends with EndPixelOps.
    TColor32 SampleSubpixel(Integer X, Integer Y) const;
    // OuterColor outside the clip rectangle; on its last column and row the
    // pixel itself.
    TColor32 SampleSubpixelClipped(Integer X, Integer Y) const;
    // 16.16 positions, rounded to 24.8.
    TColor32 GetPixelFixed(TFixed X, TFixed Y) const;
    TColor32 GetPixelFixedClipped(TFixed X, TFixed Y) const;
    // Wrapped into the clip rectangle by WrapMode; OuterColor when it is empty.
    TColor32 GetPixelFixedWrapped(TFixed X, TFixed Y) const;
    // Spreads Color over the four pixels around the position by the combine mode.
    void BlendSubpixel(Integer X, Integer Y, TColor32 Color);
    void BlendSubpixelClipped(Integer X, Integer Y, TColor32 Color);

    // -----------------------------------------------------------------------
    // Streams and files (Ras32.cpp): an uncompressed 32-bit BMP that keeps
    // the alpha channel; a 54-byte header, then rows of Width pixels (blue,
    // green, red, alpha) without padding.

    // Reads a 32-bit uncompressed BMP, or any other BMP through the picture
    // decoder of the framework (alpha 255 unless the picture has 32 bits).
    // Damaged input raises (EReadError for sizes the stream cannot hold,
    // EInvalidGraphic from the decoder) and leaves the bitmap as it was.
    virtual void LoadFromStream(TStream* Stream);
    // BottomUp true writes the rows from the bottom row up with a positive
    // height; false writes the pixel memory as it is (top row first) with a
    // negative height. Documents depend on both byte forms.
    virtual void SaveToStream(TStream* Stream, bool BottomUp);
    // A file starting with "BM" goes through LoadFromStream; any other picture
    // through PictureFileLoader.
    virtual void LoadFromFile(const String& FileName);
    virtual void SaveToFile(const String& FileName, bool BottomUp);
    // A bitmap resource of a module (Windows only: defined in Ras32_Win.cpp,
    // library lm_raster_win).
    void LoadFromResourceID(NativeUInt Instance, Integer ResID);
    void LoadFromResourceName(NativeUInt Instance, const String& ResName);
    // The form-streaming pixel data: Width, Height (32-bit signed), then the
    // pixels top row first, no header.
    virtual void ReadPixelData(TStream* Stream);
    virtual void WritePixelData(TStream* Stream);
    // Both empty, or bitmaps of the same class with the same size and pixels.
    bool SameContent(TPersistent* Other) const;

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

    // Pixels of a decoded picture, alpha 255 unless it has 32 bits (Ras32.cpp).
    void AssignDib(const TDibImage& Image);
    // One step of the stipple counter, without the colour (Ras32_Lines.cpp).
    void SkipStippleColor();

    friend class TCustomBackend;

public:
    // -----------------------------------------------------------------------
    // Drawing onto other bitmaps, copying, flips and rotations (the last
    // section of Ras32.cpp). The transfers (Ras32_Resamplers) use this
    // bitmap's DrawMode, OnPixelCombine, MasterAlpha, CombineMode, OuterColor
    // and, to stretch, its Resampler; a nil Dst raises "Destination bitmap is nil".

    // Nothing when Src is nil; else Src's DrawTo onto this bitmap.
    void Draw(Integer DstX, Integer DstY, TCustomBitmap32* Src);
    void Draw(Integer DstX, Integer DstY, const TRect& SrcRect, TCustomBitmap32* Src);
    void Draw(const TRect& DstRect, const TRect& SrcRect, TCustomBitmap32* Src);
    // One to one within Dst's clip rectangle; the rectangle forms stretch.
    void DrawTo(TCustomBitmap32* Dst);
    void DrawTo(TCustomBitmap32* Dst, Integer DstX, Integer DstY);
    void DrawTo(TCustomBitmap32* Dst, Integer DstX, Integer DstY, const TRect& SrcRect);
    void DrawTo(TCustomBitmap32* Dst, const TRect& DstRect);
    void DrawTo(TCustomBitmap32* Dst, const TRect& DstRect, const TRect& SrcRect);

    // Dst takes this bitmap's size and pixels.
    virtual void CopyPixelsTo(TCustomBitmap32* Dst);
    // Dst takes the draw, combine and wrap modes, master alpha, outer colour
    // and a resampler of the same class with the same properties.
    virtual void CopySettingsTo(TCustomBitmap32* Dst);
    // Nil empties the bitmap; another bitmap gives its pixels and settings;
    // anything else is the platform's assignment. One change at the end.
    void Assign(TPersistent* Source) override;

    // Into Dst (nil or this bitmap: in place), mirrored left to right or top to bottom.
    void FlipHorz(TCustomBitmap32* Dst = nullptr);
    void FlipVert(TCustomBitmap32* Dst = nullptr);
    // Clockwise by 90 degrees, by 180, counter-clockwise by 90; into Dst, or
    // in place when Dst is nil or this bitmap. In place, the change is
    // reported after the pixels are turned.
    void Rotate90(TCustomBitmap32* Dst = nullptr);
    void Rotate180(TCustomBitmap32* Dst = nullptr);
    void Rotate270(TCustomBitmap32* Dst = nullptr);
    // Moves the whole pixel memory by Dx + Dy * Width pixels (a horizontal
    // shift carries pixels into the next row); FillBack paints what was
    // uncovered with FillColor. A shift as large as the bitmap clears it
    // (with FillBack) or does nothing.
    void Roll(Integer Dx, Integer Dy, bool FillBack, TColor32 FillColor);
    // Every alpha byte := AlphaValue (not while measuring); the change is reported in both cases.
    void ResetAlpha() { ResetAlpha(255); }
    void ResetAlpha(Byte AlphaValue);

protected:
    // -----------------------------------------------------------------------
    // Exchange with the platform's pictures (the end of Ras32.cpp): Assign
    // hands sources it does not know to PlatformAssignFrom, AssignTo hands
    // its destinations to PlatformAssignTo.
    void AssignTo(TPersistent* Dest) override;

private:
    // The fill rectangle cut to the clip rectangle; false when nothing of it
    // is left or the bitmap is only measuring.
    bool ClipFillRect(Integer& X1, Integer& Y1, Integer& X2, Integer& Y2) const;
};

// ---------------------------------------------------------------------------
// Drawing helpers (Ras32_Lines.cpp, Ras32.cpp)

// Outcode clipping of a segment to (MinX, MinY)-(MaxX, MaxY), moving the end
// points along the line (rounded to nearest); false when nothing remains.
bool ClipLineSegment(Integer& X1, Integer& Y1, Integer& X2, Integer& Y2, Integer MinX, Integer MinY, Integer MaxX,
                     Integer MaxY);

// Loads a picture file that is not a BMP into Bitmap (through the platform's
// picture classes); installed by the Windows side of the engine. Without it
// such a file raises EInvalidGraphic "Unknown picture file extension (.ext)".
using TPictureFileLoader = void (*)(TCustomBitmap32* Bitmap, const String& FileName);
extern TPictureFileLoader PictureFileLoader;

// Assign from and AssignTo the platform's pictures (a platform bitmap or other
// graphic, the picture container, the clipboard); installed by the Windows
// side of the engine. Each answers false for a class it does not know, which
// leaves the platform's assignment error.
using TPlatformAssignFunc = bool (*)(TCustomBitmap32* Bitmap, TPersistent* Other);
extern TPlatformAssignFunc PlatformAssignFrom;
extern TPlatformAssignFunc PlatformAssignTo;
