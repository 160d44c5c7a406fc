// SharpenLib32: neighbourhood filters: a 4-neighbour smoothing, a box soften
// and a box denoise that ignore transparent pixels, a 3x3 sharpen, an
// exponential (recursive) blur and a 3x3 Gaussian blur. All work in place and
// do not call Changed.
//
// The hot passes are bound through "SharpenLib32 bindings" (portable, SSE2,
// AVX2; all give the same bits).
#pragma once

#include "Component/Raster32/Ras32.h"

// Count passes of SmoothRect over all inner pixels.
void SmoothBitmap(TCustomBitmap32* Bitmap, Integer Count);
// Each channel of the pixels in the corners' rectangle (limited to the inner
// pixels) becomes the mean of its four neighbours, in place, row by row.
void SmoothRect(TCustomBitmap32* Bitmap, Integer X1, Integer Y1, Integer Y2, Integer X2);
// Each opaque-enough pixel moves a third of the way toward the mean of the
// non-transparent pixels of its (2 Radius + 1) window. Reserved is not used.
void SoftenBitmap(TCustomBitmap32* Bitmap, Integer Radius, Integer Reserved);
// A pixel takes the window's mean when one of its channels lies within
// Threshold of the channel's mean.
void DenoiseBitmap(TCustomBitmap32* Bitmap, Integer Radius, Integer Threshold);
// One 3x3 sharpen pass (the kernel chosen by whether Amount is odd); outside
// neighbours count as the centre pixel.
void SharpenBitmap(TCustomBitmap32* Bitmap, Integer Amount);
// Rows, then columns, each forward and back, with k = round((1 - exp(-2.3 /
// (Radius + 1))) * 65536). Radius <= 0 does nothing.
void ExponentialBlur(TCustomBitmap32* Bitmap, Integer Radius);
// (1 2 1 / 2 4 2 / 1 2 1) shr 4 on the inner pixels.
void GaussianBlur3x3(TCustomBitmap32* Bitmap);

// The coefficient of ExponentialBlur for Radius (> 0).
Integer ExpBlurCoefficient(Integer Radius);

// Binding ids of "SharpenLib32 bindings".
enum TSharpenBindingID : Integer { FID_ExpBlurRows, FID_ExpBlurColumns, FID_SharpenRow, SharpenBindingCount };

// The forward and backward pass of every row (Rows) or every column (Columns)
// of a Width x Height pixel block, with the coefficient K (0..65535).
using TExpBlurPass = void(TColor32* Bits, Integer Width, Integer Height, Integer K);
// Sharpened inner pixels: Dst[i] from the 3 x 3 window centred on Row[i];
// Above and Below are the rows around it, all readable at [-1] and [Count].
using TSharpenRow = void(const TColor32* Above, const TColor32* Row, const TColor32* Below, TColor32* Dst,
                         Integer Count, bool Odd);

extern TExpBlurPass* ExpBlurRows;
extern TExpBlurPass* ExpBlurColumns;
extern TSharpenRow* SharpenRow;

// Makes the unit's registry and binds the best routines for this processor.
// Start-up only: InstallFilters calls it once.
void RegisterSharpenBindings();
