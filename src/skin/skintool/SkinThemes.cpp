#include "SkinThemes.h"

#include <algorithm>
#include <cmath>

namespace {

// Faces follow the light panel colours the program paints beside the skinned
// controls, so a skin and the program's own panels read as one surface.
const TSkinTheme Themes[SkinThemeCount] = {
    // Rire: light slate, a quiet blue accent, soft corners.
    {u"Rire", u"The built-in skin: light slate with a quiet blue accent.",
     0xF4F6F8, 0xE3E8ED, 0x27323F, 0x5F6873, 0x8996A5,
     0xE3E6E8, 0xF7F8F9, 0xB4BCC5, 0x27323F, 0x9AA3AD,
     0xFFFFFF, 0x717B86, 0x4874A6, 0xD3E1F0, 0xFFFFFF,
     0xFBFCFD, 0xE9EDF1, 0x77828F, 0xF1F6FB, 0xDCE8F4, 0xC9D8E8, 0xDCE5EE,
     0xC84A44, 0xB23F3A, 0xFBFBF6, 0x9AA3AD, 0x27323F, 4.0, 7.0},
    // Charm: a blue caption over pale blue faces.
    {u"Charm", u"A blue caption over pale blue faces.",
     0x3C76B8, 0x285C9E, 0xFFFFFF, 0xD6E4F4, 0x1F4A7E,
     0xE1E7EE, 0xF6F9FC, 0xA9BCD3, 0x1E2E44, 0x98A6B8,
     0xFFFFFF, 0x6B7C90, 0x2F74C8, 0xCFE1F7, 0xFFFFFF,
     0xFAFCFF, 0xDDE8F5, 0x6F839C, 0xEEF5FF, 0xD0E3FA, 0xB8D0EE, 0xD2E2F5,
     0xCA4640, 0xAE3933, 0xF4F8FE, 0x8EA6C4, 0x1E2E44, 5.0, 8.0},
    // Laconic: neutral greys, square corners, nothing but lines.
    {u"Laconic", u"Neutral greys and square corners.",
     0xF2F2F2, 0xF2F2F2, 0x1E1E1E, 0x6B6B6B, 0x7A7A7A,
     0xE6E6E6, 0xF5F5F5, 0xB0B0B0, 0x1E1E1E, 0x9C9C9C,
     0xFFFFFF, 0x7B7B7B, 0x5A5A5A, 0xD4D4D4, 0xFFFFFF,
     0xF0F0F0, 0xF0F0F0, 0x7E7E7E, 0xFAFAFA, 0xFAFAFA, 0xD2D2D2, 0xD2D2D2,
     0xC94A4A, 0xA83C3C, 0xFFFFFF, 0x8C8C8C, 0x1E1E1E, 0.0, 0.0},
    // Cool: a dark slate caption with a teal accent.
    {u"Cool", u"A dark slate caption with a teal accent.",
     0x3E5058, 0x2A383E, 0xEAF2F4, 0xB6C2C6, 0x1F2A2E,
     0xE3E7EA, 0xF6F8F9, 0xAFB9BF, 0x1F2A2E, 0x98A3A9,
     0xFFFFFF, 0x727C81, 0x1A7E73, 0xCDEAE6, 0xFFFFFF,
     0xF9FBFB, 0xE4E9EC, 0x768389, 0xEAF6F4, 0xD2ECE8, 0xBCDFDA, 0xD0E6E3,
     0xC84B47, 0xAC3C38, 0xF3F7F8, 0x95A3AA, 0x1F2A2E, 3.0, 5.0},
};

}  // namespace

const TSkinTheme& SkinTheme(int Index)
{
    return Themes[Index];
}

double ContrastRatio(uint32_t A, uint32_t B)
{
    auto Luminance = [](uint32_t C) {
        auto Linear = [](uint32_t Byte) {
            const double V = Byte / 255.0;
            return V <= 0.04045 ? V / 12.92 : std::pow((V + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * Linear(C >> 16 & 0xFF) + 0.7152 * Linear(C >> 8 & 0xFF) + 0.0722 * Linear(C & 0xFF);
    };
    const double La = Luminance(A), Lb = Luminance(B);
    return (std::max(La, Lb) + 0.05) / (std::min(La, Lb) + 0.05);
}

uint32_t Darkened(uint32_t C, uint32_t Ground, double Min)
{
    for (int Step = 0; Step < 255; ++Step) {
        auto Scaled = [&](int Shift) { return uint32_t(((C >> Shift & 0xFF) * (255 - Step) + 127) / 255) << Shift; };
        const uint32_t D = Scaled(16) | Scaled(8) | Scaled(0);
        if (ContrastRatio(D, Ground) >= Min) return D;
    }
    return 0x000000;
}
