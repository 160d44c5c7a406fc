// ImageDrawTypes: the enumerations of the document unit whose ordinals are
// stored in tables and passed between the document, the filters and the main
// window, so their order is fixed.
#pragma once

#include "framework/runtime/Types.h"

// The kind of an object or tool (object-table column 1).
enum TShapeType : Byte {
    shNone, shCrop, shArrow, shRectangle, shLines, shLine, shZoom, shEraser, shSmall, shText, shPolygon, shFill,
    shHLRect, shCallout, shSelection, shEllipse, shFreeShape, shPencil, shBrush, shHand, shRuler, shCloneStamp,
    shGradientFill, shCustomStyle
};
constexpr Integer ShapeTypeCount = shCustomStyle + 1;

// What the control layer shows: object handles, the paint-tool outline or
// the effect brush's area.
enum TControlMode : Byte { cmObject, cmProcess, cmEffectDraw };

// The argument of ClickShape and SelectShape.
enum TSelectMode : Byte { selNone, selAll, selInvert, selOne, selOneInvert, selMulti, selSame };

// The paint tool of raster painting.
enum TProcessBitmapMode : Byte { pbmPencil, pbmEraser, pbmBrush, pbmStamp };

// The effect an effect run applies or the effect brush paints (36 to 49 are
// the brushes); the ordinals are stored in preset and action rows.
enum TEffectMode : Byte {
    emNone, emBlur, emSharpen, emAddNoise, emDenoising, emGrayscale, emInvert, emSoften, emMonochrome,
    emIncreaseLight, emReduceLight, emColorAdjust, emLomo, emGlow, emOldPhoto, emFade, emTorn, emBevel, emColdBlue,
    emColdGreen, emWarmRed, emWarmYellow, emYellowing, emElegant, emFreeze, emAttemper, emBlendMode, emStyleSunshine,
    emStyleSunny, emStyleDroplet, emStyleSnow, emStyleStar, emStyleHeart, emRotate, emSkew, emTransform, emMosaic,
    emBlurring, emSharpening, emBokeh, emColoring, emColorize, emHighlighter, emWarping, emZooming, emTwirling,
    emColorDodge, emColorBurn, emSaturation, emRedEye
};
static_assert(emRedEye == 49, "the effect ordinals are stored");

// What a finished raster operation reports through OnProcessingDone. Scoped:
// the platform's pen modes have a pmMerge too.
enum class TProcessingMode : Byte { pmResize, pmTransform, pmMerge, pmCrop, pmErase, pmFill, pmEffects };
