// SFGlowText: the pixel steps of the glows and reflections drawn behind
// texts and glyphs. A glow is a shape drawn in pure red on a black, fully
// transparent bitmap, blurred, then turned into the glow colour with the red
// level as its alpha; a reflection is the text in red whose rows fade out
// away from the text. Portable; the drawers that put text on canvases are in
// skin/model/win/SFGlowText_Win.h.
#pragma once

#include "framework/runtime/UITypes.h"
#include "skin/model/SFBitmap.h"

// The red of a glow's shape (TColor 255).
constexpr TColor sfGlowShapeColor = 0x0000FF;

// Every pixel becomes GlowColor (system colours resolved) with alpha = its red
// level; the bitmap is then drawn with alpha blending.
void ColorGlowFromRed(TsfBitmap* Bitmap, TColor GlowColor);

// Rows T..B (B the bottom edge of the text, exclusive, which ends the fade at
// its most opaque) keep the shape as Color with alpha Trunc(red * f),
// f = 0.7 - (B - y) / (B - T), taken as 0 when negative: 70 % next to the
// text, nothing three tenths of the way up. Every other row becomes fully
// transparent. Nothing changes unless B > T. The bitmap is then drawn with
// alpha blending.
void FadeReflectionRows(TsfBitmap* Bitmap, Integer T, Integer B, TColor Color);
