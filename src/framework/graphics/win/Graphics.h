// Graphics: colours, the GDI drawing objects (font, pen, brush), the canvas
// over a device context, and the picture classes (TGraphic, TBitmap, TIcon,
// TPicture). Windows only.
#pragma once

#include <memory>
#include <vector>

#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/Classes.h"
#include "framework/runtime/Types.h"
#include "framework/runtime/UITypes.h"
#include "framework/runtime/win/WinPlatform.h"

// ---------------------------------------------------------------------------
// Colours. A TColor is 0x00BBGGRR; a negative value 0xFF0000nn names system
// colour nn (GetSysColor index); clNone and clDefault are markers, not colours.
// TColor itself is in UITypes.

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

LM_EXCEPTION_CLASS(EOutOfResources, EOutOfMemory);

// System colours become their current RGB value; any other value is returned unchanged.
TColor ColorToRGB(TColor Color);

// ---------------------------------------------------------------------------
// Font styles (TFontStyles, fsBold ...): UITypes.

enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontQuality {
    fqDefault,
    fqDraft,
    fqProof,
    fqNonAntialiased,
    fqAntialiased,
    fqClearType,
    fqClearTypeNatural
};
using TFontCharset = Byte;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBitmap;
class TCanvas;
class TGraphic;

// ---------------------------------------------------------------------------
// Base of the GDI drawing objects. Each object owns its handle, made on first
// request and deleted when a property that shapes it changes and when the
// object is freed. OnChange runs before an outdated handle is deleted, so a
// canvas can take it out of its device context first.
class TGraphicsObject : public TPersistent {
public:
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;
    String ClassName() const override { return u"TGraphicsObject"; }

    // The lock of the object's owner (a canvas or a raster backend), taken
    // while the handle is made or replaced; none by default.
    CRITICAL_SECTION* OwnerCriticalSection() const { return FOwnerLock; }
    void SetOwnerCriticalSection(CRITICAL_SECTION* Value) { FOwnerLock = Value; }
    bool HandleAllocated() const { return FHandle != nullptr; }

    TNotifyEvent OnChange;

protected:
    void Lock();
    void Unlock();
    virtual void Changed();
    // The handle no longer matches the properties: notify, then delete it.
    void HandleChanged() { ReplaceHandle(nullptr); }
    // Puts Value in place of the handle, notifies, then deletes the old one.
    void ReplaceHandle(HGDIOBJ Value);
    // Deletes the handle without notifying (destructors).
    void DestroyHandle();

    HGDIOBJ FHandle = nullptr;
    bool FOwnsHandle = true;  // false for stock objects

private:
    CRITICAL_SECTION* FOwnerLock = nullptr;
};

class TFont : public TGraphicsObject {
public:
    TFont();
    ~TFont() override;
    String ClassName() const override { return u"TFont"; }
    void Assign(TPersistent* Source) override;

    HFONT Handle();
    // Takes over Value (it is deleted with the font) and reads its properties from it.
    void SetHandle(HFONT Value);

    const String& Name() const { return FName; }
    void SetName(const String& Value);
    // Character height in pixels; negative means without the internal leading.
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value);
    // Points: -Height * 72 / PixelsPerInch, rounded.
    Integer Size() const;
    void SetSize(Integer Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    // Tenths of a degree, counter-clockwise.
    Integer Orientation() const { return FOrientation; }
    void SetOrientation(Integer Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    TFontQuality Quality() const { return FQuality; }
    void SetQuality(TFontQuality Value);
    Integer PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value; }

private:
    String FName;
    Integer FHeight;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    Integer FOrientation = 0;
    TFontPitch FPitch = fpDefault;
    TFontQuality FQuality = fqDefault;
    Integer FPixelsPerInch;
};

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    ~TPen() override;
    String ClassName() const override { return u"TPen"; }
    void Assign(TPersistent* Source) override;

    HPEN Handle();
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    // The raster operation used when drawing with the pen (not part of the handle).
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);

private:
    TColor FColor = clBlack;
    Integer FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    ~TBrush() override;
    String ClassName() const override { return u"TBrush"; }
    void Assign(TPersistent* Source) override;

    HBRUSH Handle();
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // A pattern bitmap (not owned) that replaces colour and style while set.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

// ---------------------------------------------------------------------------
// TCanvas: drawing on a device context. The context is either handed in
// (SetHandle; the canvas never frees a context it was given) or made by a
// subclass in CreateHandle when first needed. Font, pen and brush are
// selected into the context on demand and taken out again before the context
// changes, before they change and when the canvas goes.
using TCanvasState = Byte;
constexpr TCanvasState csHandleValid = 1 << 0;
constexpr TCanvasState csFontValid = 1 << 1;
constexpr TCanvasState csPenValid = 1 << 2;
constexpr TCanvasState csBrushValid = 1 << 3;
constexpr TCanvasState csAllValid = csHandleValid | csFontValid | csPenValid | csBrushValid;

using TCopyMode = Integer;  // a ternary raster operation (SRCCOPY ...)
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

class TCanvas : public TPersistent {
public:
    TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    ~TCanvas() override;
    String ClassName() const override { return u"TCanvas"; }

    // Makes the context when there is none (CreateHandle), so it never returns 0
    // from a canvas that can make one.
    HDC Handle();
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    // ETO_ flags added to every TextOut and TextRect.
    Integer TextFlags() const { return FTextFlags; }
    void SetTextFlags(Integer Value) { FTextFlags = Value; }
    TPoint PenPos();
    void SetPenPos(const TPoint& Value) { MoveTo(Value.X, Value.Y); }
    TRect ClipRect();

    // Serialises drawing from several threads; nests.
    void Lock();
    void Unlock();
    bool TryLock();
    Integer LockCount() const { return FLockCount; }
    CRITICAL_SECTION* CanvasLock() { return &FLock; }

    // Takes font, pen and brush out of the context; they are selected again when next needed.
    void Refresh();

    void MoveTo(Integer X, Integer Y);
    // Draws from the pen position to (X, Y), the end point excluded.
    void LineTo(Integer X, Integer Y);
    void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
    void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
    void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
    void Polygon(const TPoint* Points, Integer Count);
    void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), static_cast<Integer>(Points.size())); }
    void Polyline(const TPoint* Points, Integer Count);
    void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), static_cast<Integer>(Points.size())); }
    void DrawFocusRect(const TRect& R);

    // Draws with the font; the background is filled unless the brush is bsClear.
    // The pen position moves to the end of the text.
    void TextOut(Integer X, Integer Y, const String& Text);
    // Text at (X, Y) clipped to R; R is filled with the brush unless it is bsClear.
    void TextRect(const TRect& R, Integer X, Integer Y, const String& Text);
    TSize TextExtent(const String& Text);
    Integer TextWidth(const String& Text) { return TextExtent(Text).cx; }
    Integer TextHeight(const String& Text) { return TextExtent(Text).cy; }

    TColor Pixels(Integer X, Integer Y);  // -1 (CLR_INVALID) outside the clip region
    void SetPixels(Integer X, Integer Y, TColor Value);

    // The graphic at its own size / stretched into R. Nothing for nil or empty.
    void Draw(Integer X, Integer Y, TGraphic* Graphic);
    void StretchDraw(const TRect& R, TGraphic* Graphic);
    // Source of Canvas to Dest of this canvas with CopyMode, stretching with COLORONCOLOR.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Makes sure the context exists and the named objects are selected into it.
    void RequiredState(TCanvasState ReqState);

protected:
    // Called when a context is needed and none is set; the base canvas cannot make one.
    virtual void CreateHandle();
    virtual void Changing();
    virtual void Changed();
    // Takes font, pen and brush out of the current context.
    void DeselectHandles();

private:
    void CreateFont();
    void CreatePen();
    void CreateBrush();
    void FontChanged(TObject* Sender);
    void PenChanged(TObject* Sender);
    void BrushChanged(TObject* Sender);

    HDC FHandle = nullptr;
    TCanvasState FState = 0;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TPoint FPenPos;
    TCopyMode FCopyMode = cmSrcCopy;
    Integer FTextFlags = 0;
    CRITICAL_SECTION FLock;
    Integer FLockCount = 0;
    // What the context held before our objects went in, put back when they go out.
    HGDIOBJ FOldFont = nullptr, FOldPen = nullptr, FOldBrush = nullptr;
};

// Draws Width nested one-pixel frames inside R, top and left in TopColor,
// bottom and right in BottomColor; R comes back shrunk by Width on every side.
void Frame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, Integer Width);

// ---------------------------------------------------------------------------
// TGraphic: a picture that can draw itself and be read from and written to a
// stream or file.
class TGraphic : public TPersistent {
public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;
    String ClassName() const override { return u"TGraphic"; }

    virtual bool Empty() const = 0;
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    virtual void SetWidth(Integer Value) = 0;
    virtual void SetHeight(Integer Value) = 0;
    virtual void SetSize(Integer AWidth, Integer AHeight);
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value);

    // Draws the picture stretched into R.
    virtual void Draw(TCanvas* ACanvas, const TRect& R) = 0;
    // Reads the picture that starts at the stream's position and leaves the
    // position after it. Raises EInvalidGraphic for damaged data.
    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    virtual void LoadFromFile(const String& FileName);
    // Writes a temporary file beside FileName and puts it in FileName's place only
    // once it is complete, so a failed write leaves an existing file as it was.
    virtual void SaveToFile(const String& FileName);

    // A new empty picture of the same class (TPicture copies graphics with it).
    virtual std::unique_ptr<TGraphic> NewOfSameClass() const = 0;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
};

// ---------------------------------------------------------------------------
// TBitmap: a device-independent bitmap section in one of the pixel formats
// (pfDevice, like pfCustom, is kept as 32 bits per pixel). Its rows are
// reached with ScanLine, its pixels with GDI through Canvas. Resizing keeps the
// top-left part and fills new area with white.
enum TAlphaFormat {
    afIgnored,       // the fourth byte of a pf32bit pixel is not alpha
    afDefined,       // straight alpha, blended when drawn
    afPremultiplied  // colours already multiplied by alpha
};
enum TTransparentMode { tmAuto, tmFixed };
enum TBitmapHandleType { bmDIB, bmDDB };

class TBitmapCanvas;

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(Integer AWidth, Integer AHeight);
    ~TBitmap() override;
    String ClassName() const override { return u"TBitmap"; }
    // From a TBitmap (a copy), nil (empty), or any class that can assign itself to a bitmap.
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FHandle == nullptr; }
    Integer Width() const override { return FWidth; }
    Integer Height() const override { return FHeight; }
    void SetWidth(Integer Value) override { SetSize(Value, FHeight); }
    void SetHeight(Integer Value) override { SetSize(FWidth, Value); }
    void SetSize(Integer AWidth, Integer AHeight) override;

    // Stretched into R: blended by alpha for pf32bit with an alpha format, without
    // the transparent colour when Transparent, else copied with the canvas's CopyMode.
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    // Reads a BMP file (see BmpFormat); the pixel format follows the file.
    void LoadFromStream(TStream* Stream) override;
    // Writes a BMP file in the bitmap's pixel format.
    void SaveToStream(TStream* Stream) override;
    // A bitmap resource (raises EResNotFound when there is none).
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, Integer ResID);
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TBitmap>(); }

    // A canvas on a memory DC that holds the bitmap.
    TCanvas* Canvas();
    // The bitmap handle, taken out of the canvas's DC so that it can be selected elsewhere.
    HBITMAP Handle();
    // Takes over Value: a DIB section is used as it is, any other bitmap is
    // copied into one and deleted. The alpha format and transparency stay.
    void SetHandle(HBITMAP Value);
    // Hands the handle to the caller; the bitmap becomes empty.
    HBITMAP ReleaseHandle();
    // Bitmaps are always device-independent sections: bmDDB is not taken.
    TBitmapHandleType HandleType() const { return bmDIB; }
    void SetHandleType(TBitmapHandleType Value) { (void)Value; }
    // A logical palette of the colour table of an indexed bitmap (owned by the
    // bitmap, valid until its colours change), else nullptr.
    HPALETTE Palette();

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the pixels (see ConvertDib); an empty bitmap only notes the format.
    void SetPixelFormat(TPixelFormat Value);
    TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
    void SetAlphaFormat(TAlphaFormat Value);
    // Colour table of an indexed bitmap, 0x00RRGGBB entries.
    const std::vector<uint32_t>& ColorTable() const { return FPalette; }
    void SetColorTable(const std::vector<uint32_t>& Value);

    // Row Row (0 = top) of the pixels. Raises EInvalidGraphic outside 0..Height-1.
    void* ScanLine(Integer Row);

    // tmAuto takes the colour of the bottom-left pixel; setting a colour other than
    // clDefault switches to tmFixed.
    TColor TransparentColor();
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    // The pixels as a TDibImage (rows top to bottom) and back, for the units
    // that encode and decode other file formats.
    void GetDib(TDibImage& Image);
    void SetDib(const TDibImage& Image);

private:
    friend class TBitmapCanvas;
    // Takes the bitmap out of its canvas's DC (the DC is made again when needed).
    void FreeContext();
    // Replaces the section by a new one of the given layout, FBits zeroed.
    void NewSection(Integer AWidth, Integer AHeight, TPixelFormat AFormat, const std::vector<uint32_t>& APalette);
    void DeleteSection();
    uint8_t* Row(Integer Y) const
    {
        return FBits + static_cast<size_t>(FTopDown ? Y : FHeight - 1 - Y) * static_cast<size_t>(FStride);
    }

    HBITMAP FHandle = nullptr;
    uint8_t* FBits = nullptr;
    Integer FWidth = 0;
    Integer FHeight = 0;
    Integer FStride = 0;
    bool FTopDown = true;
    TPixelFormat FPixelFormat = pfDevice;
    std::vector<uint32_t> FPalette;
    TAlphaFormat FAlphaFormat = afIgnored;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    HPALETTE FPaletteHandle = nullptr;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

// The canvas of a bitmap: a memory DC made when first drawn on, holding the bitmap.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
    ~TBitmapCanvas() override;
    String ClassName() const override { return u"TBitmapCanvas"; }
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap* FBitmap;
    HDC FDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

// ---------------------------------------------------------------------------
// TIcon: an icon handle, read from and written to .ico files.
class TIcon : public TGraphic {
public:
    TIcon() = default;
    ~TIcon() override;
    String ClassName() const override { return u"TIcon"; }
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FHandle == nullptr; }
    Integer Width() const override { return FWidth; }
    Integer Height() const override { return FHeight; }
    // Before loading: the size of the image to pick from an .ico file with several
    // (default: the system's icon size). An icon that exists cannot change its size.
    void SetWidth(Integer Value) override;
    void SetHeight(Integer Value) override;
    bool Transparent() const override { return true; }

    void Draw(TCanvas* ACanvas, const TRect& R) override;
    // Reads an .ico file and makes the icon of its best-fitting image.
    void LoadFromStream(TStream* Stream) override;
    // Writes the .ico file as it was read, or one 32-bit image made from the handle.
    void SaveToStream(TStream* Stream) override;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TIcon>(); }

    HICON Handle() const { return FHandle; }
    // Takes over Value (destroyed with the icon).
    void SetHandle(HICON Value);
    HICON ReleaseHandle();

protected:
    // To a TBitmap: pf32bit with straight alpha (afDefined), from the mask when the icon has no alpha.
    void AssignTo(TPersistent* Dest) override;

private:
    void Reset(HICON Value);
    HICON FHandle = nullptr;
    Integer FWidth = 0;
    Integer FHeight = 0;
    Integer FRequestedWidth = 0;
    Integer FRequestedHeight = 0;
    std::vector<uint8_t> FData;  // the .ico file the handle was made from
};

// ---------------------------------------------------------------------------
// TPicture: holds one graphic of any class and picks the class of a file by
// its extension.
using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

class TPicture : public TPersistent {
public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;
    ~TPicture() override;
    String ClassName() const override { return u"TPicture"; }
    // From a TPicture or TGraphic (a copy of its graphic), nil (no graphic), or
    // any class that can assign itself to a picture.
    void Assign(TPersistent* Source) override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // A copy of Value, of Value's class; nil removes the graphic.
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap: a new empty one replaces a graphic of another class.
    TBitmap* Bitmap();
    TIcon* Icon();
    Integer Width() const { return FGraphic ? FGraphic->Width() : 0; }
    Integer Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // Raises EInvalidGraphic "Unknown picture file extension (.xyz)" for an
    // extension no graphic class claims.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);

    // Known: bmp, ico, png, jpg, jpeg, jpe, gif, emf, wmf. Extension without the dot.
    static void RegisterFileFormat(const String& Extension, const String& Description, TGraphicFactory Factory);

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* Dest) override;
    void Changed();

private:
    void Replace(std::unique_ptr<TGraphic> Value);
    std::unique_ptr<TGraphic> FGraphic;
};
