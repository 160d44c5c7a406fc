// SFTypes: the enumerations that the skin descriptions share with the skin
// model, the skinned window frame and the effect bitmap. Values are in the
// order the skin text's words list them, starting at 0. Portable.
#pragma once

#include "framework/runtime/System.h"

enum TsfStretchType : Byte { sfstFull, sfstHorz, sfstVert };
enum TsfInActiveEffect : Byte { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
// One transition of the effect bitmap each.
enum TMorphKind : Byte { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };
enum TFramesPlacement : Byte { fpHorizontal, fpVertical };
enum TRegulatorKind : Byte { rkRound, rkHorizontal, rkVertical };
enum TGaugeKind : Byte { gkHorizontal, gkVertical };
// Where a glyph stands against its caption.
enum TsfButtonLayout : Byte { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TStdCommand : Byte { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };
// The border of skinned panels and scroll boxes without a skin (a 1-pixel
// frame, raised or lowered edges, or none). Scoped: the platform's bevel cuts
// use three of the same names.
enum class TsfSkinBorderStyle : Byte { bvFrame, bvRaised, bvLowered, bvNone };
