// GradientPaint: a gradient preset painted from its three stop lists, as the
// gradient dialogs, the gradient tool's preview and its preset list show it.
#pragma once

#include <vector>

#include "Component/Raster32/Ras32.h"
#include "foundation/HyDataTable.h"
#include "framework/runtime/UITypes.h"
#include "gdiplus/win/GdiPlusHelpers.h"

// The blend of the three lists at overall Opacity (0..255), the words
// standing for Fore and Back.
struct TGradientBlend {
    std::vector<TGPColor> Colors;
    std::vector<Single> Positions;
};
TGradientBlend GradientBlendOf(const TRow& Colors, const TRow& Opacities, const TRow& Positions, Integer Opacity,
                               TColor Fore, TColor Back);
TGradientBlend GradientBlendOf(const String& Colors, const String& Opacities, const String& Positions,
                               Integer Opacity, TColor Fore, TColor Back);

// R of Bitmap filled with Blend (horizontal or forward-diagonal).
void PaintGradient(TCustomBitmap32& Bitmap, const TRect& R, const TGradientBlend& Blend, bool Diagonal);

// A preset tile of 33 x 33: the checkerboard, the outer black frame, the
// inner frame (black for the current preset, white else) and the gradient.
void PaintGradientTile(TCustomBitmap32& Bitmap, const TGradientBlend& Blend, bool Current);
