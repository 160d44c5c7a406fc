// SFBitmap: the skin library's 32-bit drawing surface TsfBitmap (top-down,
// colour key 0x7F007F, per-pixel alpha) and TsfBitmapLink, a named rectangle
// of one. The pixels and every in-memory operation are portable; on Windows
// the pixels are a DIB section selected into a memory device context, and
// the members that take a device context, a canvas or a platform picture are
// defined by the Windows part (skin/model/win/SFBitmap_DC.cpp, lm_skin_model_win).
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

#include "framework/runtime/Types.h"
#include "skin/model/SFKernels.h"

// The platform's handle types, declared as the platform declares them, so that
// the portable header can name the device-context members without including it.
struct HDC__;
struct HBITMAP__;
class TCanvas;
class TGraphic;

// Pixel memory of a TsfBitmap: plain zeroed memory by default; the Windows
// start-up installs a factory that makes a DIB section with its device context.
class TsfBitmapSurface {
public:
    virtual ~TsfBitmapSurface() = default;
    virtual TsfColor* Bits() const = 0;
    virtual HDC__* DC() const { return nullptr; }
    virtual HBITMAP__* Handle() const { return nullptr; }
};
// Makes the memory of a Width x Height bitmap, all pixels 0, or raises
// Exception with the message of the step that failed.
using TsfSurfaceFactory = std::unique_ptr<TsfBitmapSurface> (*)(Integer Width, Integer Height);
extern TsfSurfaceFactory SfSurfaceFactory;

// Where a draw writes: row 0 at Row0, Stride pixels to the next row (negative
// for a bottom-up section), Width x Height pixels, and only inside Clip
// (target coordinates).
struct TsfPixelTarget {
    TsfColor* Row0 = nullptr;
    ptrdiff_t Stride = 0;
    Integer Width = 0;
    Integer Height = 0;
    TRect Clip;
};

class TsfBitmapLink;

class TsfBitmap : public TPersistent {
public:
    TsfBitmap();
    ~TsfBitmap() override;
    TsfBitmap(const TsfBitmap&) = delete;
    TsfBitmap& operator=(const TsfBitmap&) = delete;
    String ClassName() const override { return u"TsfBitmap"; }
    void Assign(TPersistent* Source) override;

    // Size: negative values count as positive; a zero keeps the old size and
    // pixels; a new size gives fresh pixels, all 0.
    void SetSize(Integer AWidth, Integer AHeight);
    bool Empty() const { return FSurface == nullptr; }
    void Clear(TsfColor Color);

    PsfColorArray Bits() const { return FBits; }
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    HDC__* DC() const { return FSurface ? FSurface->DC() : nullptr; }
    HBITMAP__* Handle() const { return FSurface ? FSurface->Handle() : nullptr; }
    // Windows only: the canvas on DC, made on first use.
    TCanvas* Canvas();

    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    bool NewFormat() const { return FNewFormat; }
    void SetNewFormat(bool Value) { FNewFormat = Value; }

    // No bounds checks.
    TsfColor* PixelAddress(Integer X, Integer Y) const { return FBits + static_cast<ptrdiff_t>(Y) * FWidth + X; }
    TsfColor* ScanLineAddress(Integer Y) const { return FBits + static_cast<ptrdiff_t>(Y) * FWidth; }
    // 0 outside the bitmap; SetPixel ignores such calls.
    TsfColor GetPixel(Integer X, Integer Y) const;
    void SetPixel(Integer X, Integer Y, TsfColor Value);

    // Alpha and key checks.
    void CheckRGBA();   // colour bytes capped at the alpha
    void CheckRGBA2();  // colour bytes premultiplied (rounded, halves to even)
    void CheckingAlphaBlend();
    // The rectangle is not used: the whole bitmap is examined.
    void CheckingAlphaBlend(const TRect& ARect);
    // Pixels within 5 per channel of Color become 0x007F007F; Transparent tells whether any did.
    void CheckingTransparent(TsfColor Color = sfTransparent);
    void CheckingTransparent(const TRect& ARect, TsfColor Color);
    void SetAlpha(uint8_t Alpha);
    void SetAlpha(uint8_t Alpha, const TRect& Rect);

    // Filling and colour operations.
    void FillRect(const TRect& R, TsfColor Color);
    void ChangeBitmapBrightness(Integer DeltaBrightness);
    void SetBitmapHue(Integer Hue);
    void ChangeBitmapSat(Integer DeltaSat);
    void ChangeBitmapHue(Integer DeltaHue);
    void FlipVert();
    void Reflection();   // fade divided by 3
    void Reflection2();  // by 4
    void Reflection3();  // by 2

    // Drawing into another bitmap: blended when AlphaBlend, keyed when
    // Transparent, copied otherwise; stretched when the rectangles differ.
    void Draw(TsfBitmap* Bitmap, Integer X, Integer Y);
    void Draw(TsfBitmap* Bitmap, Integer X, Integer Y, const TRect& SrcRect);
    void Draw(TsfBitmap* Bitmap, const TRect& DstRect);
    void Draw(TsfBitmap* Bitmap, const TRect& DstRect, const TRect& SrcRect);
    // Windows only: onto a device context or a canvas.
    void Draw(HDC__* DC, Integer X, Integer Y);
    void Draw(HDC__* DC, Integer X, Integer Y, const TRect& SrcRect);
    void Draw(HDC__* DC, const TRect& DstRect);
    void Draw(HDC__* DC, const TRect& DstRect, const TRect& SrcRect);
    void Draw(TCanvas* Canvas, Integer X, Integer Y);
    void Draw(TCanvas* Canvas, Integer X, Integer Y, const TRect& SrcRect);
    void Draw(TCanvas* Canvas, const TRect& DstRect);
    void Draw(TCanvas* Canvas, const TRect& DstRect, const TRect& SrcRect);

    void Tile(TsfBitmap* Bitmap, const TRect& DstRect, const TRect& SrcRect);
    void Tile(HDC__* DC, const TRect& DstRect, const TRect& SrcRect);
    void Tile(TCanvas* Canvas, const TRect& DstRect, const TRect& SrcRect);
    void TileClip(TsfBitmap* Bitmap, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect);
    void TileClip(HDC__* DC, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect);
    void TileClip(TCanvas* Canvas, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect);

    // Puts Bitmap's SrcRect underneath this bitmap's partly transparent pixels.
    void MergeDraw(TsfBitmap* Bitmap, Integer X, Integer Y, const TRect& SrcRect);
    // Windows only: a platform graphic drawn into the bitmap.
    void DrawGraphic(TGraphic* Graphic, const TRect& DstRect);

    // The core of every in-memory draw: this bitmap's SrcRect into DstRect of
    // Target, by the flags. RoundTables rounds the stretch tables to nearest
    // instead of truncating (the direct-section route of Tile).
    void DrawToPixels(const TsfPixelTarget& Target, const TRect& DstRect, const TRect& SrcRect,
                      bool RoundTables = false) const;
    // The target of an in-memory draw into this bitmap (clip: the whole bitmap).
    TsfPixelTarget PixelTarget() const;

    void SaveToStream(TStream* Stream) const;
    // Raises EReadError, leaving the bitmap as it was, when the stored name or
    // picture is larger than what the stream still holds.
    void LoadFromStream(TStream* Stream);
    // Windows only: a bitmap resource of another module file.
    void LoadFromResource(const String& ResFileName, const String& ResName);
    // An 8-bit PCX picture from the stream's position; anything it cannot
    // read leaves the bitmap as it was.
    void LoadFromPcxStream(TStream* Stream);

    // New links, owned by the caller.
    TsfBitmapLink* GetBitmapLink(const TRect& Rect);
    TsfBitmapLink* GetBitmapLink(const String& Rect);

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    std::unique_ptr<TsfBitmapSurface> FSurface;
    PsfColorArray FBits = nullptr;
    Integer FWidth = 0;
    Integer FHeight = 0;
    String FName;
    std::unique_ptr<TPersistent> FCanvas;  // a TCanvas (Windows part)
    bool FAlphaBlend = false;
    bool FTransparent = false;
    bool FNewFormat = false;

    void ColorOperation(TsfColor (*Step)(TsfColor, Integer), Integer Arg);
    void ReflectionBy(Integer K);
    // The Windows part rebinds the canvas to the new device context.
    void RebindCanvas();
};

// The bitmaps that own a device context, in the order they got it. The
// Windows part looks a device context up here to draw into its bitmap in memory.
const std::vector<TsfBitmap*>& SkinBitmapRegistry();
TsfBitmap* FindSkinBitmapByDC(HDC__* DC);
void FreeSkinBitmapRegistry();

// The tiles of Tile and TileClip: DstRect covered by SrcRect-sized pieces from
// its top-left corner, the last column and row cut to what is left;
// DrawTile(Tile, Source) gets each with the source cut to the same size.
template <class F>
void ForEachSkinTile(const TRect& DstRect, const TRect& SrcRect, F DrawTile)
{
    const Integer SW = SrcRect.Width(), SH = SrcRect.Height();
    if (SW <= 0 || SH <= 0) return;
    const Integer NX = DstRect.Width() / SW + (DstRect.Width() % SW != 0);
    const Integer NY = DstRect.Height() / SH + (DstRect.Height() % SH != 0);
    for (Integer i = 0; i <= NX; ++i)
        for (Integer j = 0; j <= NY; ++j) {
            const Integer L = DstRect.Left + i * SW, T = DstRect.Top + j * SH;
            const TRect Tile{std::max(L, DstRect.Left), std::max(T, DstRect.Top), std::min(L + SW, DstRect.Right),
                             std::min(T + SH, DstRect.Bottom)};
            if (Tile.Left >= Tile.Right || Tile.Top >= Tile.Bottom) break;
            DrawTile(Tile, TRect{SrcRect.Left, SrcRect.Top, SrcRect.Left + Tile.Width(), SrcRect.Top + Tile.Height()});
        }
}
// TileClip's test: an empty clip takes every tile, else the tiles that meet it.
bool TileMeetsClip(const TRect& Tile, const TRect& DstClip);

// Hooks of the Windows part for Assign and AssignTo with the platform's
// pictures; false: not a class it handles.
using TsfPlatformAssign = bool (*)(TsfBitmap* Bitmap, TPersistent* Other);
extern TsfPlatformAssign SfPlatformAssignFrom;
extern TsfPlatformAssign SfPlatformAssignTo;
// Rebinds a canvas (made by the Windows part) to the bitmap's new device context.
using TsfCanvasRebind = void (*)(TPersistent* Canvas, HDC__* DC);
extern TsfCanvasRebind SfCanvasRebind;

class TsfBitmapLink : public TPersistent {
public:
    TsfBitmapLink() = default;
    String ClassName() const override { return u"TsfBitmapLink"; }
    void Assign(TPersistent* Source) override;

    TsfBitmap* Image() const { return FImage; }
    void SetImage(TsfBitmap* Value) { FImage = Value; }
    const TRect& Rect() const { return FRect; }
    void SetRect(const TRect& Value) { FRect = Value; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    Integer Left() const { return FRect.Left; }
    void SetLeft(Integer Value) { FRect.Left = Value; }
    Integer Top() const { return FRect.Top; }
    void SetTop(Integer Value) { FRect.Top = Value; }
    Integer Right() const { return FRect.Right; }
    void SetRight(Integer Value) { FRect.Right = Value; }
    Integer Bottom() const { return FRect.Bottom; }
    void SetBottom(Integer Value) { FRect.Bottom = Value; }
    bool Masked() const { return FMasked; }
    void SetMasked(bool Value) { FMasked = Value; }
    bool MaskedBorder() const { return FMaskedBorder; }
    void SetMaskedBorder(bool Value) { FMaskedBorder = Value; }
    bool MaskedAngles() const { return FMaskedAngles; }
    void SetMaskedAngles(bool Value) { FMaskedAngles = Value; }
    // Image set and a rectangle of positive area (the product taken in 32 bits).
    bool Assigned() const;

    void SaveToStream(TStream* Stream) const;
    // Raises EReadError when the stored name is longer than the stream.
    void LoadFromStream(TStream* Stream);
    void Draw(TCanvas* Canvas, Integer X, Integer Y);  // Windows only
    void Draw(TsfBitmap* Bitmap, Integer X, Integer Y);
    void CheckingMasked(const TRect& Margin);
    void CheckingMasked();

private:
    TsfBitmap* FImage = nullptr;
    TRect FRect;
    String FName;
    bool FMaskedBorder = false;
    bool FMaskedAngles = false;
    bool FMasked = false;
};
