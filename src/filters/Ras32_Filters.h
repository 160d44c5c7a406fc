// Ras32_Filters: whole-bitmap pixel filters: alpha from intensity, channel
// inversion through a logical mask, grey conversion and colour keying. The
// logical row operations are bound through "Ras32_Filters bindings".
#pragma once

#include "Component/Raster32/Ras32.h"

// Channels as bits: blue 1, green 2, red 4, alpha 8.
using TChannelSet = Byte;
constexpr TChannelSet chBlue = 1, chGreen = 2, chRed = 4, chAlpha = 8;
constexpr TChannelSet RGBChannels = chBlue | chGreen | chRed;

enum TMaskOperation : Byte { moXor, moAnd, moOr };

// FF in each channel of Channels: the red-green-blue set gives 00FFFFFF.
TColor32 ChannelMask(TChannelSet Channels);

// Binding ids of "Ras32_Filters bindings".
enum TFilterBindingID : Integer {
    FID_AndRowInPlace, FID_OrRowInPlace, FID_XorRowInPlace, FID_AndRow, FID_OrRow, FID_XorRow,
    FilterBindingCount
};

// Dst[i] := Dst[i] op Mask; Count <= 0 does nothing.
using TLogicalMaskLineInPlace = void(TColor32* Dst, TColor32 Mask, Integer Count);
// Dst[i] := Src[i] op Mask; Count <= 0 does nothing.
using TLogicalMaskLine = void(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask);

extern TLogicalMaskLineInPlace* AndRowInPlace;
extern TLogicalMaskLineInPlace* OrRowInPlace;
extern TLogicalMaskLineInPlace* XorRowInPlace;
extern TLogicalMaskLine* AndRow;
extern TLogicalMaskLine* OrRow;
extern TLogicalMaskLine* XorRow;

// The bound routines of each operation (pointers to the bound variables, so a
// rebinding is seen at once).
extern TLogicalMaskLineInPlace** const LogicalMaskLineInPlaceOf[3];
extern TLogicalMaskLine** const LogicalMaskLineOf[3];

// A nil Src raises "The source is nil", then a nil Dst "Destination is nil";
// with ResizeDst Dst takes Src's size.
void CheckFilterParams(TCustomBitmap32* Dst, TCustomBitmap32* Src, bool ResizeDst = true);

// Dst's alpha := intensity of the Src pixel at the same index (Dst sized like Src).
void AlphaFromIntensity(TCustomBitmap32* Dst, TCustomBitmap32* Src);
// XOR with ChannelMask(Channels); in place when Dst = Src.
void InvertChannels(TCustomBitmap32* Dst, TCustomBitmap32* Src, TChannelSet Channels);
// Note the order: the source comes first.
void InvertColorChannels(TCustomBitmap32* Src, TCustomBitmap32* Dst);
void GrayscaleBitmap(TCustomBitmap32* Dst, TCustomBitmap32* Src, bool PreserveAlpha);
// Alpha 0 where red, green and blue equal Color's (alpha of both ignored).
void MakeColorTransparent(TCustomBitmap32* Bitmap, TColor32 Color);
void ApplyChannelMask(TCustomBitmap32* Dst, Integer DstX, Integer DstY, TCustomBitmap32* Src, const TRect& SrcRect,
                      TColor32 Mask, TMaskOperation Operation);
void ApplyChannelMaskInPlace(TCustomBitmap32* Bitmap, const TRect& Rect, TColor32 Mask, TMaskOperation Operation);

// Makes the unit's registry and binds the best routines for this processor.
// Start-up only: InstallFilters calls it once.
void RegisterFilterBindings();
