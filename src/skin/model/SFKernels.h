// SFKernels: the skin library's process-wide pixel routines (blend, key copy,
// move, fill, alpha), bound once by InstallSkinKernels; the TsfColor <-> HSL
// conversion behind the skin bitmap's colour operations; a few colour helpers
// of the glow code.
#pragma once

#include <cstdint>

#include "framework/runtime/Classes.h"

// One pixel: alpha in bits 24-31, red 16-23, green 8-15, blue 0-7 (bytes B, G, R, A in memory).
using TsfColor = uint32_t;
using PsfColorArray = TsfColor*;

// The colour key of the skin library (red 0x7F, green 0, blue 0x7F, alpha 0).
constexpr TsfColor sfTransparent = 0x007F007F;
inline bool IsKeyColor(TsfColor C) { return (C & 0x00FFFFFF) == 0x007F007F; }

// ---------------------------------------------------------------------------
// Bound routines. None checks its pointers; a count of 0 does nothing.
using TsfBlendPixel = TsfColor (*)(TsfColor F, TsfColor B);
using TsfRowProc = void (*)(const TsfColor* Src, TsfColor* Dst, Integer N);
using TsfFillRow = void (*)(TsfColor* P, Integer N, TsfColor Color);
using TsfFillPixelRect = void (*)(TsfColor* Bits, Integer Width, Integer Height, TsfColor Color, Integer X1,
                                  Integer Y1, Integer X2, Integer Y2);
using TsfSetAlphaRow = void (*)(TsfColor* P, Integer N, uint8_t Alpha);
using TsfSetAlphaRect = void (*)(TsfColor* Bits, Integer Width, Integer Height, uint8_t Alpha, Integer X1,
                                 Integer Y1, Integer X2, Integer Y2);
using TsfKeyAlphaRow = void (*)(TsfColor* P, Integer N, TsfColor Color);

// F over B with F's alpha.
extern TsfBlendPixel BlendPixel;
// Alpha 0 leaves Dst, 255 copies Src, other values blend like BlendPixel.
extern TsfRowProc BlendRow;
// Key pixels (RGB 0x7F, 0, 0x7F, any alpha) leave Dst; others are copied with alpha 255.
extern TsfRowProc KeyRow;
// Copies N pixels; the areas may overlap.
extern TsfRowProc MoveRow;
extern TsfFillRow FillRow;
// The rectangle's bounds are inclusive; the row stride is Width.
extern TsfFillPixelRect FillPixelRect;
extern TsfSetAlphaRow SetAlphaRow;
extern TsfSetAlphaRect SetAlphaRect;
// Alpha 0 for every pixel whose red, green and blue are Color's (bound, called by nothing).
extern TsfKeyAlphaRow KeyAlphaRow;

// Start-up of the unit: the MMX test, the binding of the routines above and of
// the in-memory drawing routes. Nested: only the first call binds, the last
// UninstallSkinKernels runs the shut-down (the platform's part included).
void InstallSkinKernels();
void UninstallSkinKernels();
// What the processor test found (x86 processors with MMX; always true on x86_64).
bool SkinKernelsMMX();

// Test switch: the blend routines take the plain form (blue, green, red mixed
// by 255ths, alpha 255) instead of the vector form the program uses; false
// binds the vector form again.
void BindPlainBlendKernels(bool Plain);

// Shut-down steps of the platform's part (the library it loaded, the bitmap
// registry); set by the Windows start-up, run by UninstallSkinKernels.
using TsfShutdownProc = void (*)();
extern TsfShutdownProc SkinPlatformShutdown;

// ---------------------------------------------------------------------------
// Colours

// 0x00BBGGRR as an opaque TsfColor.
TsfColor ColorRefToSpColor(Cardinal C);
// The colour (system colours resolved) plus Alpha * 2^24 on the whole value:
// the alpha byte becomes (255 + Alpha) mod 256 (Alpha 255 gives 254). Callers rely on it.
TsfColor SpColorFromColor(Integer Color, uint8_t Alpha);
TsfColor MakeSpColor(Integer R, Integer G, Integer B, Integer A);
void SpColorToHSL(TsfColor C, Single& H, Single& S, Single& L);
TsfColor HSLToSpColor(Single L, Single S, Single H);
Integer HueToChannel(Single M1, Single M2, Single H);
// Each gives an opaque colour; the caller puts the pixel's alpha back.
TsfColor ChangeSpColorBrightness(TsfColor C, Integer Delta);
TsfColor SetSpColorHue(TsfColor C, Integer Hue);
TsfColor ChangeSpColorSat(TsfColor C, Integer Delta);
TsfColor ChangeSpColorHue(TsfColor C, Integer Delta);

// The item number Index of a collection (the PNG image lists of the skinned controls).
TCollectionItem* GetPngCollectionItem(TCollection* Collection, Integer Index);
