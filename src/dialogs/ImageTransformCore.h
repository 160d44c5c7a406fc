// ImageTransformCore: the perspective dialog's handle square without a
// window: the four corners (top-left, top-right, bottom-right, bottom-left)
// on a 133-unit square whose edges lie at 8 and 140, their text form
// "x0.x1.x2.x3.y0.y1.y2.y3", the built-in shapes, where a dragged corner
// goes (held on one of its two edges, 7 units from its neighbours), the
// percentage shown while dragging and the fractions the document takes.
#pragma once

#include <array>

#include "framework/runtime/Types.h"

namespace TransformHandles {

constexpr Integer Near = 8, Far = 140, Size = 133, Gap = 7, HandleHalf = 3;
constexpr Integer PresetCount = 9;  // seven shapes and two user slots
// Settings row 2: the last corners, then the two user slots.
constexpr Integer LastCell = 32, UserCell1 = 33, UserCell2 = 34;

using TCorners = std::array<TPoint, 4>;

TCorners HomeCorners();
// The built-in shape of item 0 .. 6.
const char16_t* BuiltInShape(Integer Item);
// The settings cell of item 7 or 8, or of the last corners (-1); -1 for a
// built-in shape.
Integer CellOfItem(Integer Item);
// Reads a corner text; a text that is not eight whole numbers, each corner
// on one of its own two edges with its neighbours at least 7 units away,
// gives the undistorted square.
TCorners ParseCorners(const String& Text);
String FormatCorners(const TCorners& C);

// The corner Index dragged by (DX, DY) from where it was when the press
// came (Start), the others at their places in Current.
TPoint DragCorner(const TCorners& Current, const TPoint& Start, Integer Index, Integer DX, Integer DY);
// The handle under (X, Y), -1 for none; the first in corner order wins.
Integer HandleAt(const TCorners& C, Integer X, Integer Y);
TRect HandleRect(const TPoint& P);
// "n%": the corner's place along its edge.
String EdgePercentText(const TCorners& C, Integer Index);

// The corners as fractions of the picture (home gives exactly 0 or 1).
struct TFractions {
    Single X[4], Y[4];
};
TFractions Fractions(const TCorners& C);

}  // namespace TransformHandles
