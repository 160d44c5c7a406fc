// SkinQuickButtonsCore: where the caption's quick buttons go and which one
// lies under a point. Portable: the caption object (win/SkinQuickButtons)
// draws them and hands them the mouse.
#pragma once

#include <vector>

#include "framework/runtime/Types.h"

// The buttons' rectangles (window coordinates) in the caption area A: the
// first 5 pixels right of A's left edge, or 6 right of IconRight when the
// caption has an icon (IconRight >= 0); each visible button IW + 4 by IH + 4,
// vertically centred and raised by 2, the next IW + 8 further; a hidden one
// gets an empty rectangle and leaves no gap.
std::vector<TRect> LayoutQuickButtons(const TRect& A, Integer IconRight, Integer IW, Integer IH,
                                      const std::vector<bool>& Visible);
// The first button holding (X, Y) (right and bottom edges excluded), -1 for none.
Integer QuickButtonAt(const std::vector<TRect>& Rects, Integer X, Integer Y);
