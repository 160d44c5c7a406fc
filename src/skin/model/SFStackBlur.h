// SFStackBlur: the stack blur of the glow and shadow pictures, and the alpha
// channel of a bitmap taken from a grey mask picture.
#pragma once

#include "skin/model/SFBitmap.h"

// Blurs red, green and blue in place with the stack blur of radius Radius and
// makes every pixel opaque; nothing when Radius <= 0. Edges repeat the border pixels.
void StackBlur(TsfBitmap* Bitmap, Integer Radius);
// Alpha of each pixel <- Trunc((R + G + B) / 3) of the mask's pixel at the same
// place; colours untouched. Only the area both bitmaps cover is changed.
void SetAlphaFromGrayMask(TsfBitmap* Bitmap, TsfBitmap* Mask);
// The same, then the bitmap premultiplied (TsfBitmap::CheckRGBA2).
void SetAlphaFromGrayMask2(TsfBitmap* Bitmap, TsfBitmap* Mask);
