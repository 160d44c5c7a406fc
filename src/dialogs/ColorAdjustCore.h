// ColorAdjustCore: the choices of the colour adjustment dialog without a
// window: when its preview follows a slider while it is dragged, the
// contrast the adjustment gets from the slider, and the hue strip drawn at
// the current saturation and lightness. The dialog keeps no values: every
// opening starts from zero.
#pragma once

#include <set>

#include "framework/runtime/Types.h"

class TCustomBitmap32;

// Pictures up to this many pixels (1024 x 1024 and a little more) are
// adjusted live while a slider is dragged; larger ones when it is released.
constexpr Int64 ColorAdjustLivePixels = 1049088;
// The dialog's live-preview set for a picture of Width x Height.
std::set<Integer> ColorAdjustFastEffects(Integer Width, Integer Height);

// The contrast slider (-100..100) as the adjustment's amount (-255..255),
// rounded halves to even: 50 gives 128.
Integer ColorAdjustContrastAmount(Integer Slider);

// The slider ranges.
constexpr Integer HueRange = 180, SaturationRange = 180, LightnessRange = 100, BrightnessRange = 100,
                  ContrastRange = 100, BalanceRange = 100;

// Fills B with the hue circle at Saturation (-180..180) and Lightness
// (-100..100), red in the middle column, every column one opaque hue.
void DrawColorStrip(TCustomBitmap32& B, Integer Saturation, Integer Lightness);
