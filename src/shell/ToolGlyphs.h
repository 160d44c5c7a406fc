// ToolGlyphs: the pictures on the main window's tool buttons and on the
// property bar's small buttons, drawn here as masks of ink so that they show
// whatever fonts the system has (symbol characters came out as empty boxes
// where a font lacked them). The window side paints a mask in the button's
// caption colour, so every skin and the disabled state tint it.
#pragma once

#include <vector>

#include "framework/runtime/SysUtils.h"

constexpr Integer ToolGlyphSize = 16;

// Sixteen rows of sixteen characters: '#' full ink, '+' half ink, '.' none.
struct TToolGlyphRows {
    const char* Rows[ToolGlyphSize];
};

// The glyph of a button by its name, nullptr when it has none.
const TToolGlyphRows* FindToolGlyph(const String& ButtonName);
// The ink at a point of a glyph: 0 none, 255 full; 0 outside the glyph.
Byte ToolGlyphInk(const TToolGlyphRows& Glyph, Integer X, Integer Y);
// Every button that has a glyph.
std::vector<String> ToolGlyphNames();
