// ImageEffects_Win: the platform side of the objects' fills. The closed-shape
// fill procedure (fill by kind, edging glow, outline, and the outline-only
// draw modes the edging uses) painted with GDI+ straight onto a bitmap's
// pixels, and the linear-gradient painter of the gradient previews.
#pragma once

#include <span>

#include "document/ImageDraw.h"
#include "document/ImageEffects.h"
#include "gdiplus/win/GdiPlus.h"

// A GDI+ graphics drawing on the pixels of a TCustomBitmap32 (any backend):
// GDI+ sees them as 32-bit ARGB, so what it draws keeps its alpha. The bitmap
// is told of the change when the scope ends.
class TBitmapGraphics {
public:
    explicit TBitmapGraphics(TCustomBitmap32& Bitmap);
    ~TBitmapGraphics();
    TBitmapGraphics(const TBitmapGraphics&) = delete;
    TBitmapGraphics& operator=(const TBitmapGraphics&) = delete;
    // Null when the bitmap is empty or GDI+ refused it.
    const TGPPtr<IGPGraphics>& Graphics() const { return FGraphics; }
    explicit operator bool() const { return FGraphics && FGraphics->GetNativeHandle(); }

private:
    TCustomBitmap32& FBitmap;
    TGPPtr<IGPImage> FImage;
    TGPPtr<IGPGraphics> FGraphics;
};

// A colour at an object's opacity (clamped to 0..255).
TGPColor WithOpacity(TColor Color, Integer Opacity);

// Prepends the turn of an object by Angle degrees about Center
// (counter-clockwise on the screen) to the graphics' world transform.
void TurnGraphics(IGPGraphics& Graphics, Single Angle, const TFloatPoint& Center);

// The picture of the texture cache's row Index as a GDI+ image; nil when
// there is no such row or its bytes do not decode.
TGPPtr<IGPImage> TextureImage(Integer Index);

// The GDI+ path of a recorded outline (fill mode alternate).
TGPPtr<IGPGraphicsPath> MakeGPPath(const TShapePath& Path);

// The closed-shape fill procedure on a graphics that already carries the
// shape's turn and smoothing: with draw mode 0 the fill by kind, then (when
// the outline is on) the edging glow and the outline; draw modes 1 to 3 paint
// only the crisp outline, the wide outline band or the inside in the outline
// colour. Target is the bitmap the graphics draws on (the edging glow is
// blended into it directly).
void FillClosedShape(TImgShape& Shape, IGPGraphics& Graphics, const TGPPtr<IGPGraphicsPath>& Path,
                     const TGPRect& R, TCustomBitmap32& Target);

// The object's outline pen: its colour at its opacity, its width and dashes.
TGPPtr<IGPPen> OutlinePen(TImgShape& Shape);

// Path filled with the shape's gradient blend as a path gradient on
// GradientPath (the radial and elliptic fills); the blend is rebuilt while
// the shape is changed. Nothing without two usable stops.
void FillPathGradient(TImgShape& Shape, IGPGraphics& Graphics, const TGPPtr<IGPGraphicsPath>& GradientPath,
                      const TGPPtr<IGPGraphicsPath>& Path);

// The closed-shape fill procedure with some of the object's switches off for
// the call: the fill by kind alone (no solid fill, no outline), or the
// outline alone (no fill of any kind).
enum class TFillPart { KindOnly, OutlineOnly };
void FillClosedShapePart(TImgShape& Shape, IGPGraphics& Graphics, const TGPPtr<IGPGraphicsPath>& Path,
                         const TGPRect& R, TCustomBitmap32& Target, TFillPart Part);

// Rect of Bitmap filled with a linear gradient of Colors at Positions (the
// gradient dialogs' previews).
void FillLinearGradient(TCustomBitmap32& Bitmap, const TRect& Rect, std::span<const TGPColor> Colors,
                        std::span<const Single> Positions, TGPLinearGradientMode Mode);

// Installs the closed-shape drawing, the frames' outline and the remote-drive
// test as the portable drawing's hooks. Called once at start-up.
void InstallImageEffectsHooks();
