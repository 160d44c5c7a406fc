#include "framework/controls/ImgListPixels.h"

namespace imglist {

namespace {
constexpr uint32_t Alpha(uint32_t P) { return P >> 24; }
constexpr uint32_t Red(uint32_t P) { return (P >> 16) & 0xFF; }
constexpr uint32_t Green(uint32_t P) { return (P >> 8) & 0xFF; }
constexpr uint32_t Blue(uint32_t P) { return P & 0xFF; }
constexpr uint32_t Pack(uint32_t A, uint32_t R, uint32_t G, uint32_t B) { return (A << 24) | (R << 16) | (G << 8) | B; }
// C * A / 255 rounded to nearest, exact for every byte pair.
constexpr uint32_t MulDiv255(uint32_t C, uint32_t A)
{
    uint32_t t = C * A + 0x80;
    return (t + (t >> 8)) >> 8;
}
// C * 255 / A rounded to nearest, at most 255 (A > 0).
constexpr uint32_t DivAlpha(uint32_t C, uint32_t A)
{
    uint32_t v = (C * 255 + A / 2) / A;
    return v > 255 ? 255 : v;
}
}  // namespace

void MaskByColor(uint32_t* Pixels, size_t Count, uint32_t Rgb)
{
    Rgb &= 0xFFFFFF;
    for (size_t i = 0; i < Count; ++i) if ((Pixels[i] & 0xFFFFFF) == Rgb) Pixels[i] = 0;
}

void MakeOpaque(uint32_t* Pixels, size_t Count)
{
    for (size_t i = 0; i < Count; ++i) Pixels[i] |= 0xFF000000u;
}

bool HasAlpha(const uint32_t* Pixels, size_t Count)
{
    for (size_t i = 0; i < Count; ++i)
        if (Alpha(Pixels[i])) return true;
    return false;
}

void Unpremultiply(uint32_t* Pixels, size_t Count)
{
    for (size_t i = 0; i < Count; ++i) {
        uint32_t p = Pixels[i], a = Alpha(p);
        if (a == 255) continue;
        Pixels[i] = a ? Pack(a, DivAlpha(Red(p), a), DivAlpha(Green(p), a), DivAlpha(Blue(p), a)) : 0;
    }
}

void Premultiply(uint32_t* Pixels, size_t Count)
{
    for (size_t i = 0; i < Count; ++i) {
        uint32_t p = Pixels[i], a = Alpha(p);
        Pixels[i] = Pack(a, MulDiv255(Red(p), a), MulDiv255(Green(p), a), MulDiv255(Blue(p), a));
    }
}

void DisabledLook(uint32_t* Pixels, size_t Count)
{
    for (size_t i = 0; i < Count; ++i) {
        uint32_t p = Pixels[i];
        // Rec. 601 weights in 1/256ths (77 + 151 + 28 = 256), rounded.
        uint32_t y = (Red(p) * 77 + Green(p) * 151 + Blue(p) * 28 + 128) >> 8;
        Pixels[i] = Pack((Alpha(p) + 1) / 2, y, y, y);
    }
}

}  // namespace imglist
