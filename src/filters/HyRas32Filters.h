// HyRas32Filters: the program's own filters on TBitmap32: colour and tone
// filters, region and edge effects, frames and resizing. They work in place on
// the pixel array in index order and keep alpha unless a routine says
// otherwise; none of them takes a lock.
#pragma once

#include <cstdint>

#include "Component/Raster32/Ras32.h"

// ===========================================================================
// Colour and tone filters. None calls Changed except FillColorKeepAlpha and
// TintBitmap (which draws).

// Tolerance 0: equal in all 32 bits. Otherwise each of |dR|, |dG|, |dB|,
// |dR - dG|, |dR - dB|, |dG - dB| is at most Tolerance (alpha ignored).
bool ColorsSimilar(TColor32 C1, TColor32 C2, Integer Tolerance);
void ReduceRedEye(TCustomBitmap32* Bitmap);
// Soft-light of Color, carrying each pixel's own alpha, at round(Percent / 100 * 255).
void TintBitmap(TCustomBitmap32* Bitmap, TColor32 Color, Integer Percent);
// Dst pixels get Color's red, green and blue and the Src pixel's alpha.
void SolidColorWithAlpha(TCustomBitmap32* Dst, TCustomBitmap32* Src, TColor32 Color);
// Channels of pixels with alpha not 0 move toward 255 (Percent > 0) or 0 by
// Percent of their distance.
void AdjustBrightness(TCustomBitmap32* Bitmap, Integer Percent);
// LightenColor(pixel, Amount) on every pixel.
void LightenBitmap(TCustomBitmap32* Bitmap, Integer Amount);
// Channels move away from 127 by Amount / 255 of their distance (toward it when negative).
void AdjustContrast(TCustomBitmap32* Bitmap, Integer Amount);
// -100 grey, 0 (almost) unchanged, 100 doubled saturation.
void AdjustSaturation(TCustomBitmap32* Bitmap, Integer Percent);
void AdjustHueSaturation(TCustomBitmap32* Bitmap, Integer Degrees, Integer Amount);
// One pixel of AdjustHueSaturation, on its red, green and blue.
void AdjustPixelHueSaturation(Byte& R, Byte& G, Byte& B, Integer Degrees, Integer Amount);
// Random values in -Range/2 .. Range/2 on the channels of pixels with alpha not 0.
void AddNoise(TCustomBitmap32* Bitmap, Integer Range, bool Mono);
void FillColorKeepAlpha(TCustomBitmap32* Bitmap, TColor32 Color);
// Value clamped to InLow..InHigh and mapped linearly onto OutLow..OutHigh,
// rounded; 0 for an empty range.
Integer MapRange(Integer Value, Integer InLow, Integer InHigh, Integer OutLow, Integer OutHigh);
// The low byte of Value, signed, mapped from -100..100.
Integer MapPercent(Integer Value, Integer OutLow, Integer OutHigh);

// ===========================================================================
// Region and edge effects. Pixel (x, y) is at index y * width + x; side
// flags: 1 left, 2 top, 4 right, 8 bottom. None calls Changed.

constexpr Integer sideLeft = 1, sideTop = 2, sideRight = 4, sideBottom = 8;

// Alpha limited to a cone over the circle of Rect's width around its centre;
// the bitmap's pixel (0, 0) stands for (max(Rect.Left, 0), max(Rect.Top, 0)).
void FadeAlphaInCircle(TCustomBitmap32* Bitmap, const TRect& Rect, Integer Strength);
// Alpha limited to a ramp from 0 at the centre to 255 * Percent / 100 at the corners.
void AlphaRadialFade(TCustomBitmap32* Bitmap, Integer Percent);
// A soft transparent band on all four sides.
void FadeBorderAlpha(TCustomBitmap32* Bitmap, Integer Size, Integer Strength);
// Alpha multiplied by a linear ramp over Width pixels on the chosen sides.
void FadeEdgesAlpha(TCustomBitmap32* Bitmap, Integer Width, Integer Sides);
// A bevel: left and top lightened, right and bottom darkened by up to 155.
void LightenEdges(TCustomBitmap32* Bitmap, Integer Width, Integer Sides);
// Torn edges up to Depth deep on the chosen sides, cleared to 00FFFFFF; Sharp
// allows steep jags. Each call has its own generator, seeded from the clock.
void RandomJaggedEdges(TCustomBitmap32* Bitmap, Integer Depth, Integer Sides, bool Sharp);
// The same from a given seed (reproducible).
void RandomJaggedEdges(TCustomBitmap32* Bitmap, Integer Depth, Integer Sides, bool Sharp, uint32_t Seed);
// Mosaic of Size x Size cells (cut at the right and bottom edges); without
// UseWhite partly transparent pixels are first merged over Color. With
// UseWhite they are merged over transparent white, which leaves them as they
// are: the flag does not flatten onto white.
void PixelateBitmap(TCustomBitmap32* Bitmap, Integer Size, bool UseWhite, TColor32 Color);
// Inside Rect (clipped to both bitmaps) Dst's alpha becomes Src's, or
// round(Src alpha * Dst alpha / 255).
void CopyAlphaInRect(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TRect& Rect);
void MultiplyAlphaInRect(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TRect& Rect);
// Dst's alpha := intensity of the Src pixel at the same index (without All
// only where Dst's alpha is not 0).
void SetAlphaFromIntensity(TCustomBitmap32* Dst, TCustomBitmap32* Src, bool All);

// ===========================================================================
// Frames and resizing (the last section of HyRas32Filters.cpp).

// (max(R, G, B) + min(R, G, B)) shr 1.
Byte ColorLightness(TColor32 C);
// Dst becomes Src scaled to Width x Height through the draft resampler (box
// averages when reducing, bilinear when enlarging). Src and Dst may be the
// same bitmap; Src's draw mode is kept.
void ResizeBitmap(TCustomBitmap32* Src, TCustomBitmap32* Dst, Integer Width, Integer Height);
// N nested outlines (at most half the bitmap's smaller side), the outermost
// N - Inset pixels outside Rect, each a lightness step darker than the pixel
// at Rect's top-left (step = its lightness div (N + 3); nothing when 0).
void DrawShadedFrame(TCustomBitmap32* Bitmap, TRect Rect, Integer Inset, Integer N);
// Tiles Rect with Tile, drawn with the tile's own settings and clipped to
// Rect. Mitred: only around the edges, the tile's height as their
// thickness, turned at each corner, whose pieces meet on the diagonal. The
// caller's tile is left as it is; an empty tile draws nothing.
void DrawTiledFrame(TCustomBitmap32* Tile, TCustomBitmap32* Dst, const TRect& Rect, bool Mitred);
