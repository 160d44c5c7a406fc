// ImageEffectsCore: the choices of the multi-parameter effect dialog
// (monochrome, lomo, glow, old photo, elegant, colour blend) without a
// window: which rows each effect shows with their names, ranges and first
// values, the dialog's height for those rows, and the values kept in
// settings row 2. The kept values are written when the user confirms, never
// while the dialog is open: Cancel stores nothing.
#pragma once

#include "document/base/ImageDrawTypes.h"
#include "framework/runtime/Types.h"
#include "framework/runtime/UITypes.h"

class TRow;

// A slider the effect does not use keeps this value, and the effect gets it.
constexpr Integer UnusedEffectsValue = -99;

struct TEffectsSlider {
    bool Shown = false;
    const char16_t* Chinese = u"";
    const char16_t* English = u"";
    Integer Min = 0, Max = 100;
    Integer Fixed = 0;      // the first value (and Default's) when nothing is kept
    Integer KeptCell = -1;  // the cell of settings row 2 that keeps it
};

struct TEffectsSetup {
    TEffectsSlider Sliders[4];
    bool Hue = false;  // the hue strip under the sliders
    bool Color = false;
    TColor FixedColor = 0;
    Integer ColorCell = -1;
    bool BlendMode = false;
    Integer BlendModeCell = -1;
};
TEffectsSetup EffectsSetupFor(TEffectMode Mode);

// A row's name in the interface language (0 Chinese, else English).
String EffectsName(const char16_t* Chinese, const char16_t* English, Integer LangColumn);
// The names of the colour and blend-mode rows.
String EffectsColorName(Integer LangColumn);
String EffectsBlendModeName(Integer LangColumn);

struct TEffectsValues {
    Integer Values[4] = {UnusedEffectsValue, UnusedEffectsValue, UnusedEffectsValue, UnusedEffectsValue};
    TColor Color = 0;
    Integer BlendMode = 0;
};
// The values the dialog opens with (and Default returns to): kept cells
// clamped into their ranges, a stored blend mode that names no mode read as
// the first ("Normal").
TEffectsValues EffectsValuesFrom(const TEffectsSetup& Setup, const TRow& Settings);
// At OK: the kept values into their cells.
void StoreEffectsValues(const TEffectsSetup& Setup, const TEffectsValues& Values, TRow& Settings);

// The dialog's heights for the effect's rows.
struct TEffectsLayout {
    Integer RowsHeight = 0;   // the shown rows stacked
    Integer BoxHeight = 0;    // the bevel round them
    Integer PanelHeight = 0;  // the panel in the bevel
    Integer FormHeight = 0;
};
constexpr Integer EffectsRowHeight = 36, EffectsHueHeight = 20, EffectsMinBoxHeight = 145;
TEffectsLayout EffectsLayoutFor(const TEffectsSetup& Setup, Integer BoxTop);
