// Global_Helpers: small routines of the Global unit that several windows
// share: the two row comparers that sort file lists, the colour-to-text
// formatter of the status bar, the checkerboard behind transparent pictures
// and the whitening of a screen grab outside a window's shape. Free routines
// without state. The highlight box of list items, drawn through GDI+, is in
// Global_Helpers_Win.
#pragma once

#include "Component/Raster32/Ras32.h"
#include "foundation/HyDataTable.h"

// The integer values of cell ColIndex compared (Row2 against Row1 when not
// Ascending); equal values are ordered by cell TieColIndex, always ascending.
// Negative, 0 or positive; a difference beyond the integer range is clamped.
Integer CompareRowValues(TRow* Row1, TRow* Row2, Integer ColIndex, bool Ascending, Integer TieColIndex);
// The same for cells holding a date and time as a number of days; dates less
// than a millisecond apart are equal. A text that is not a number, or not a
// date between the years 1 and 9999, raises EConvertError.
Integer CompareRowDates(TRow* Row1, TRow* Row2, Integer ColIndex, bool Ascending, Integer TieColIndex);

// '128, 255, 0, 0' for 0x80FF0000: alpha, red, green and blue in decimal;
// with WithParens '(128, 255, 0, 0)'.
String Color32ToText(TColor32 Color, bool WithParens);

// Clears the whole bitmap to the button-face colour, then fills R with
// squares of Size pixels from its top-left corner, 0xFFCCCCCC where column
// and row are both even or both odd, else white, the last ones cut at R's
// edges. A Size below 1 draws no squares.
void DrawCheckerboard(TCustomBitmap32* Bitmap, const TRect& R, Integer Size);

// For every row: from the left, while the first (blue) byte of Mask's pixel
// is 0, Bitmap's pixel becomes 0x00FFFFFF; then the same from the right.
// Pixels between the first and the last marked mask pixel stay. Bitmaps of
// different sizes are left alone.
void WhitenOutsideMask(TCustomBitmap32* Bitmap, TCustomBitmap32* Mask);
// The same over rows of 32-bit pixels, Stride bytes apart.
void WhitenOutsideMask(uint8_t* Bitmap, const uint8_t* Mask, Integer Width, Integer Height, Integer BitmapStride,
                       Integer MaskStride);
