#include "dialogs/ColorAdjustCore.h"

#include "Component/Raster32/Ras32.h"
#include "document/base/ImageDrawTypes.h"

std::set<Integer> ColorAdjustFastEffects(Integer Width, Integer Height)
{
    if (Int64(Width) * Height <= ColorAdjustLivePixels) return {emColorAdjust};
    return {};
}

Integer ColorAdjustContrastAmount(Integer Slider) { return static_cast<Integer>(Round(Slider / 100.0 * 255)); }

void DrawColorStrip(TCustomBitmap32& B, Integer Saturation, Integer Lightness)
{
    B.Clear(0xFFFFFFFF);
    const Integer W = B.Width(), H = B.Height();
    if (W <= 0 || H <= 0) return;
    const Integer S = static_cast<Integer>(Round(Saturation / 180.0 * 127)) + 127;
    const Integer L = static_cast<Integer>(Round(Lightness / 100.0 * 127)) + 127;
    for (Integer x = 0; x < W; ++x) {
        // The left half runs from cyan to red, the right half from red back to cyan.
        const Integer Hue = x <= W / 2 ? static_cast<Integer>(Round(double(x) / W * 255 + 127))
                                       : static_cast<Integer>(Round(double(x) / W * 255)) - 127;
        const TColor32 C = IntHSLToColor32(Hue, S, L) | 0xFF000000;
        for (Integer y = 0; y < H; ++y) B.SetPixel(x, y, C);
    }
}
