#include "skin/model/SFGlowText.h"

#include <algorithm>

#include "Component/Raster32/Ras32_Types.h"

namespace {

TsfColor RgbOf(TColor Color) { return ColorToColor32(Color) & 0x00FFFFFF; }

TsfColor WithRedAsAlpha(TsfColor Pixel, TsfColor Rgb, double F = 1.0)
{
    const uint32_t Red = (Pixel >> 16) & 0xFF;
    return (static_cast<TsfColor>(Red * F) << 24) | Rgb;  // Trunc
}

}  // namespace

void ColorGlowFromRed(TsfBitmap* Bitmap, TColor GlowColor)
{
    const TsfColor Rgb = RgbOf(GlowColor);
    for (Integer y = 0; y < Bitmap->Height(); ++y) {
        TsfColor* Row = Bitmap->ScanLineAddress(y);
        for (Integer x = 0; x < Bitmap->Width(); ++x) Row[x] = WithRedAsAlpha(Row[x], Rgb);
    }
    Bitmap->SetAlphaBlend(true);
}

void FadeReflectionRows(TsfBitmap* Bitmap, Integer T, Integer B, TColor Color)
{
    if (B <= T) return;
    const TsfColor Rgb = RgbOf(Color);
    const double Span = double(B) - T;
    for (Integer y = 0; y < Bitmap->Height(); ++y) {
        TsfColor* Row = Bitmap->ScanLineAddress(y);
        if (y < T || y > B) {
            std::fill(Row, Row + Bitmap->Width(), TsfColor(0));
            continue;
        }
        // Measured from the text's edge, so every text reaches 70 % next to
        // it, wherever its rows start in the bitmap.
        const double F = std::max(0.0, 0.7 - (double(B) - y) / Span);
        for (Integer x = 0; x < Bitmap->Width(); ++x) Row[x] = WithRedAsAlpha(Row[x], Rgb, F);
    }
    Bitmap->SetAlphaBlend(true);
}
