// Ras32_BlendModes: the 28 layer blend modes. Each is a pixel-combine routine
// (F, var B, M) for a bitmap drawn with dmCustom, and a row form for callers
// that combine whole runs of pixels.
//
// Common frame: c = ((M and 255) * F's alpha) shr 8; c = 0 leaves B. Each
// colour channel moves from b toward the mode's target X by
// floor((X - b) * c / 256); B's alpha never changes. Glow weighs by c and
// 255 - c instead.
#pragma once

#include "Component/Raster32/Ras32.h"
#include "framework/runtime/Classes.h"

constexpr Integer BlendModeCount = 28;

using TBlendModeProc = void(TColor32 F, TColor32& B, Cardinal M);
// Src[i] over Dst[i] by one mode; Count <= 0 does nothing.
using TBlendModeRow = void(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M);

void BlendNormal(TColor32 F, TColor32& B, Cardinal M);
void BlendMultiply(TColor32 F, TColor32& B, Cardinal M);
void BlendScreen(TColor32 F, TColor32& B, Cardinal M);
void BlendOverlay(TColor32 F, TColor32& B, Cardinal M);
void BlendReflect(TColor32 F, TColor32& B, Cardinal M);
void BlendSoftLight(TColor32 F, TColor32& B, Cardinal M);
void BlendBrightLight(TColor32 F, TColor32& B, Cardinal M);
void BlendHardLight(TColor32 F, TColor32& B, Cardinal M);
void BlendColorDodge(TColor32 F, TColor32& B, Cardinal M);
void BlendColorBurn(TColor32 F, TColor32& B, Cardinal M);
void BlendLighten(TColor32 F, TColor32& B, Cardinal M);
void BlendDarken(TColor32 F, TColor32& B, Cardinal M);
void BlendAdditive(TColor32 F, TColor32& B, Cardinal M);
void BlendSubtractive(TColor32 F, TColor32& B, Cardinal M);
void BlendAverage(TColor32 F, TColor32& B, Cardinal M);
void BlendDifference(TColor32 F, TColor32& B, Cardinal M);
void BlendExclusion(TColor32 F, TColor32& B, Cardinal M);
void BlendNegation(TColor32 F, TColor32& B, Cardinal M);
void BlendGlow(TColor32 F, TColor32& B, Cardinal M);
void BlendHeat(TColor32 F, TColor32& B, Cardinal M);
void BlendFreeze(TColor32 F, TColor32& B, Cardinal M);
void BlendRed(TColor32 F, TColor32& B, Cardinal M);
void BlendGreen(TColor32 F, TColor32& B, Cardinal M);
void BlendBlue(TColor32 F, TColor32& B, Cardinal M);
void BlendHue(TColor32 F, TColor32& B, Cardinal M);
void BlendSaturation(TColor32 F, TColor32& B, Cardinal M);
void BlendLightness(TColor32 F, TColor32& B, Cardinal M);
void BlendCustomMap(TColor32 F, TColor32& B, Cardinal M);

// The routines by mode index 0..27, and the row forms, bound through
// "Ras32_BlendModes bindings" (id = mode index; vector forms for the modes
// whose target is plain arithmetic).
extern TBlendModeProc* const BlendModeProcs[BlendModeCount];
extern TBlendModeRow* BlendModeRows[BlendModeCount];

// Entry i = round(sqrt(i)).
extern const Byte (&BlendModeSqrtTable)[65536];
// Entry [f][b] holds f in red, green and blue, 0 in alpha.
extern const TColor32 (&CustomBlendMap)[256][256];

// A new list (the caller's) of the 28 mode names in index order.
TStringList* GetBlendModeNames();
// 0..27 sets Event to that mode's routine, -1 clears it, anything else leaves it.
void GetBlendProc(Integer Index, TPixelCombineEvent& Event);
