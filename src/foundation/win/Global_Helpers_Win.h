// Global_Helpers_Win: the shared list helpers that draw through the
// platform: the highlight box behind a selected or hot list item (GDI+) and
// the whitening of a screen grab outside a window's shape on platform
// bitmaps.
#pragma once

#include "Component/Raster32/win/Ras32_GDI.h"
#include "foundation/Global_Helpers.h"
#include "framework/graphics/win/Graphics.h"

// The highlight box of a list item in (Left, Top)-(Right, Bottom), drawn with
// GDI+ on the bitmap's device context: style 1 a selected item (rounded,
// blue gradient, anti-aliased outline), 3 and 4 a plain filled rectangle
// (light cyan outlined in blue, light yellow), any other a hot item
// (rounded, pale gradient).
void DrawItemHighlight(TBitmap32* Bitmap, Integer Left, Integer Top, Integer Right, Integer Bottom, Integer Style);

// WhitenOutsideMask on two 32-bit platform bitmaps of one size; bitmaps of
// other formats or sizes are left alone.
void WhitenOutsideMask(TBitmap* Bitmap, TBitmap* Mask);
