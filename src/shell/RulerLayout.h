// RulerLayout: the horizontal ruler's arithmetic without a window: a tick
// spacing that gives round numbers at the zoom, the ticks and labels that
// fill a ruler of a given width, and the texts of the measuring read-out.
#pragma once

#include <vector>

#include "framework/runtime/System.h"

constexpr Integer RulerThickness = 17;

// The spacing for pixels at Scale (screen pixels per image pixel): c screen
// pixels between labelled ticks standing for Value image pixels, Divisions
// minor steps of Minor pixels between them, and the slots of a step that take
// one extra pixel so that the minor steps fill c exactly.
struct TRulerSpacing {
    Integer Spacing = 0;   // c
    Integer Value = 0;     // V
    Integer Divisions = 0; // n
    Integer Minor = 0;     // m = c div n
    bool Extra[10] = {};   // e[0..9]
};
TRulerSpacing CalcRulerSpacing(Single Scale);

// One tick: its x in the ruler, the row it starts at (0 for labelled ticks)
// and the label written at (X + 2, -2), empty for a minor tick.
struct TRulerTick {
    Integer X;
    Integer Top;
    String Label;
};
// The ticks of a ruler Width pixels wide whose image origin lies at
// OffsetHorz (the view's horizontal offset): the origin "0", the ticks to its
// right and those to its left (labelled positive too), the part under the
// vertical ruler's corner left free.
std::vector<TRulerTick> RulerTicks(const TRulerSpacing& S, Single OffsetHorz, Integer Width);

// The measuring read-out of the line (X1, Y1)-(X2, Y2) in image pixels: the
// start, the extent, the angle (upward lines positive, one decimal) and the
// length (two decimals), both rounded to five significant digits and written
// with DecimalSeparator. Without a measuring line only the captions remain.
struct TMeasureTexts {
    String X, Y, W, H, A, D;
};
TMeasureTexts MeasureTexts(bool Exists, Integer X1, Integer Y1, Integer X2, Integer Y2, char16_t DecimalSeparator);

// The ruler in inches (unit 1) or millimetres (unit 2). The picture keeps no
// resolution of its own: an inch is taken as 96 image pixels, the platform's
// standard screen resolution. The labelled step is the first round value of
// the unit (inches 1/8 to 1000, millimetres 1 to 50000) at least 30 screen
// pixels long; its divisions are as many of the unit's natural parts (eighths
// of an inch, tenths, fifths, quarters, halves) as keep 4 pixels apart.
// Positions are rounded from the exact distance, so they never drift.
constexpr Integer RulerUnitPixels = 0, RulerUnitInches = 1, RulerUnitMillimetres = 2;
constexpr double RulerPixelsPerInch = 96;
struct TUnitRulerSpacing {
    double Spacing = 0;     // screen pixels between labelled ticks
    double Value = 0;       // units one labelled step stands for
    Integer Divisions = 0;  // minor steps between labelled ticks
};
// Unit 1 or 2 at Scale (screen pixels per image pixel); any other unit gives
// an empty spacing (no ticks).
TUnitRulerSpacing CalcUnitRulerSpacing(Integer Unit, Single Scale);
// The ticks of the unit ruler as RulerTicks lays them out for pixels (the
// origin "0", then right and left of it); a half step's tick is longer.
// Fractional labels are written with DecimalSeparator.
std::vector<TRulerTick> UnitRulerTicks(const TUnitRulerSpacing& S, Single OffsetHorz, Integer Width,
                                       char16_t DecimalSeparator);
