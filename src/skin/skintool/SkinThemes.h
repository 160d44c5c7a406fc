// The four skins as palettes: one drawing and one description serve them all,
// so the skins differ in colour, corner rounding and caption style while every
// name and index stays the same. Colours are 0xRRGGBB.
#pragma once

#include <cstdint>

#include "framework/runtime/System.h"

struct TSkinTheme {
    const char16_t* Name;
    const char16_t* Comments;
    uint32_t CaptionTop, CaptionBottom;  // the caption's vertical gradient
    uint32_t CaptionText, CaptionTextInactive;
    uint32_t FrameLine;                  // the outer line of the frame
    uint32_t Face, FaceLight, FaceShadow; // control faces (the program's panels sit on Face)
    uint32_t Text, DisabledText;
    uint32_t Window, WindowLine;         // edits and lists
    uint32_t Accent, AccentLight, AccentText;
    uint32_t ButtonTop, ButtonBottom, ButtonLine;
    uint32_t HotTop, HotBottom, DownTop, DownBottom;
    uint32_t CloseHot, CloseDown;        // the close button's hot and pressed fill
    uint32_t HintFill, HintLine, HintText;
    double Radius;                       // corner radius of buttons and boxes
    double FrameRadius;                  // top corners of the window
};

// "Rire", "Charm", "Laconic", "Cool".
const TSkinTheme& SkinTheme(int Index);
constexpr int SkinThemeCount = 4;

// The contrast ratio of two colours, 1 to 21: (lighter + 0.05) / (darker + 0.05)
// of their relative luminances (sRGB channels linearised, weighted 0.2126,
// 0.7152, 0.0722). Text and check marks are held to 4.5, outlines and arrows to 3.
double ContrastRatio(uint32_t A, uint32_t B);

// C darkened (towards black) until it reaches Min against Ground.
uint32_t Darkened(uint32_t C, uint32_t Ground, double Min);

// The skin description's colour (blue in the high byte).
inline int32_t SkinColor(uint32_t Rgb)
{
    return int32_t(((Rgb & 0xFF) << 16) | (Rgb & 0xFF00) | ((Rgb >> 16) & 0xFF));
}
