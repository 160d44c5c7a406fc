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

// What a finished raster operation reports through OnProcessingDone. Scoped:
// the platform's pen modes have a pmMerge too.
enum class TProcessingMode : Byte { pmResize, pmTransform, pmMerge, pmCrop, pmErase, pmFill, pmEffects };
