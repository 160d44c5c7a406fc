// HSLRows: the floating hue-saturation-lightness conversions over runs of
// pixels, bound through "HSLRows bindings" (portable, AVX2). Every form gives
// the bits of Color32ToHSL and HSLToColor32 pixel by pixel.
#pragma once

#include "Component/Raster32/Ras32_Types.h"

// H, S, L of each colour's red, green and blue (alpha ignored).
using TColorsToHSL = void(const TColor32* Colors, Integer Count, Single* H, Single* S, Single* L);
// The colours of H, S, L, alpha 0.
using THSLToColors = void(const Single* H, const Single* S, const Single* L, TColor32* Colors, Integer Count);

extern TColorsToHSL* ColorsToHSL;
extern THSLToColors* HSLToColors;

namespace HSLRowsPas {
void ColorsToHSL(const TColor32* Colors, Integer Count, Single* H, Single* S, Single* L);
void HSLToColors(const Single* H, const Single* S, const Single* L, TColor32* Colors, Integer Count);
}
#if defined(__SSE2__)
#define LM_HSLROWS_AVX2 1
namespace HSLRowsAVX2 {
void ColorsToHSL(const TColor32* Colors, Integer Count, Single* H, Single* S, Single* L);
void HSLToColors(const Single* H, const Single* S, const Single* L, TColor32* Colors, Integer Count);
}
#endif

// Makes the unit's registry and binds the best routines for this processor.
// Start-up only: InstallFilters calls it once.
void RegisterHSLRowBindings();
