// SFKernels_Win: the platform's part of the skin kernels' start-up: the DIB
// sections behind every TsfBitmap, the optional "msimg32.dll", the screen's
// colour depth and the choice of the keyed route to a device context.
#pragma once

#include "framework/runtime/win/WinPlatform.h"
#include "skin/model/SFBitmap.h"

// The program's start-up call: InstallSkinKernels plus the platform's part.
// UninstallSkinKernels undoes both.
void InstallSkinKernelsWin();

// The header of a top-down section of Width x Height with BitCount bits per pixel.
BITMAPINFO TopDownDibHeader(Integer Width, Integer Height, WORD BitCount);

// The section selected in DC: its pixels, width, height (positive: bottom-up)
// and bit count; null and zeros when DC has no DIB section.
void* GetDCDib(HDC DC, Integer& Width, Integer& Height, Integer& BitsPerPixel);
// BITSPIXEL x PLANES of the screen, measured at start-up.
Integer ScreenColorDepth();
bool IsTrueColorScreen();
// Whether "msimg32.dll" was loaded (the frame's buttons may then use its alpha copy).
bool IsMsImgLoaded();

// The keyed route to a device context, chosen at start-up: TransparentBlt
// when the platform has it and the screen has 24 bits or more, else a
// temporary bitmap drawn in memory.
using TsfDCRoute = void (*)(TsfBitmap* Bitmap, HDC DC, const TRect& DstRect, const TRect& SrcRect);
extern TsfDCRoute DCKeyedRoute;
// What the device context shows under DstRect goes into a temporary skin
// bitmap, the bitmap is drawn onto it in memory, and the result is put back.
void DrawThroughTemporaryBitmap(TsfBitmap* Bitmap, HDC DC, const TRect& DstRect, const TRect& SrcRect);
// Test switch: true binds the TransparentBlt route (when found), false the temporary-bitmap route.
void BindDCKeyedRoute(bool UseTransparentBlt);
