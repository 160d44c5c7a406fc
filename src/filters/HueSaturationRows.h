// HueSaturationRows: the pixel pass of AdjustHueSaturation, bound through
// "HueSaturationRows bindings" (portable, AVX2; the same integers as
// AdjustPixelHueSaturation on every pixel).
#pragma once

#include <cstdint>

#include "Component/Raster32/Ras32_Types.h"

// What a call needs besides the pixels: the turn brought into one
// revolution and the saturation factor for every s.
struct THueSaturationParams {
    THueSaturationParams(Integer ADegrees, Integer AAmount);
    Integer Degrees;
    Integer Amount;
    Integer Turn;          // Degrees mod 360
    Integer Factor[256];   // the Amount step for s, limited to +-130050 (beyond it every channel saturates alike)
};

// Tables of the pass: divisions by per-pixel values looked up.
struct THueSaturationTables {
    Byte Sat[256][256];         // [max][min], max > min
    int16_t HueStep[256][511];  // [delta][diff + 255] = diff * 60 div delta
    Byte Ramp[64];              // (t * 255 + 30) div 60 for t = 0..60; padding after
};
const THueSaturationTables& HueSaturationTables();

using THueSaturationRow = void(TColor32* Pixels, Integer Count, const THueSaturationParams& Params);
extern THueSaturationRow* HueSaturationRow;

namespace HueSaturationPas {
void HueSaturationRow(TColor32* Pixels, Integer Count, const THueSaturationParams& Params);
}
#if defined(__SSE2__)
#define LM_HUESATURATION_AVX2 1
namespace HueSaturationAVX2 {
void HueSaturationRow(TColor32* Pixels, Integer Count, const THueSaturationParams& Params);
}
#endif

// Makes the unit's registry and binds the best routines for this processor.
// Start-up only: InstallFilters calls it once.
void RegisterHueSaturationBindings();
