// GradientPanelCore: the choices of the gradient tool's panel, the brush
// list and the shadow, reflection and gradient pickers that need no window:
// which brush tip and which preview picture a stored index names, and how a
// picker's menu item maps to an effect mode.
#pragma once

#include "foundation/HyDataTable.h"

class TCustomBitmap32;

// The brush tip a stored index names among Count tips: an index past the end
// (or below 0) is the nearest tip; -1 when there are none.
Integer ClampBrushIndex(Integer Stored, Integer Count);

// The row of the shadow pack's pictures that stands for a shadow mode (0 for
// none, 1 for any other), and of the reflection pack's (0 for none, 2 else).
inline Integer ShadowPreviewRow(Integer Mode) { return Mode == -1 ? 0 : 1; }
inline Integer ReflectPreviewRow(Integer Mode) { return Mode == -1 ? 0 : 2; }
// The picture in row Row's second data slot, or nullptr when the table is
// missing, the row is not there (a missing pack leaves the table empty) or
// holds no picture.
TCustomBitmap32* PreviewPicture(const TDataTable* Table, Integer Row);

// The object gradient menu: item = mode + 1, mode = item - 1.
inline Integer GradientMenuItem(Integer Mode) { return Mode + 1; }
inline Integer GradientModeOfItem(Integer Item) { return Item - 1; }
// The text gradient menu: item 0 is none (-1), 1 the custom gradient (0),
// item k >= 2 preset k - 2.
Integer TextGradientMenuItem(Integer Mode);
Integer TextGradientModeOfItem(Integer Item);

// The scroll position that puts the row of tile Index at the top of a list
// of Columns columns Pitch pixels apart, within Max.
Integer ListScrollFor(Integer Index, Integer Columns, Integer Pitch, Integer Max);
