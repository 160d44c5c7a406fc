// ImageDirectionCore: the choices of the directional effect dialog (fade,
// torn edge, bevel) without a window: each effect's range and the cells of
// settings row 2 that keep its value, its edge mask and its option, and the
// edge mask the four toggling edge buttons make.
#pragma once

#include "document/base/ImageDrawTypes.h"
#include "framework/runtime/Types.h"

class TRow;

// The edges of the mask, added for every pressed button.
enum TDirectionEdge : Integer { deLeft = 1, deTop = 2, deRight = 4, deBottom = 8 };
constexpr Integer AllEdges = deLeft | deTop | deRight | deBottom;

struct TDirectionSetup {
    Integer Min = 0, Max = 100;
    Integer ValueCell = -1, MaskCell = -1;
    Integer OptionCell = -1;  // -1: the option box does not show
};
// The set-up of fade, torn edge and bevel; any other mode gets no cells.
TDirectionSetup DirectionSetupFor(TEffectMode Mode);

// The values a dialog opens with and stores at OK.
struct TDirectionValues {
    Integer Value = 0;
    Integer Mask = 0;
    bool Option = false;
};
// From the settings row: the value clamped into the range, the mask cut to
// the four edges (a stored mask with other bits presses no unknown button).
TDirectionValues DirectionValuesFrom(const TDirectionSetup& Setup, const TRow& Settings);
void StoreDirectionValues(const TDirectionSetup& Setup, const TDirectionValues& Values, TRow& Settings);

// A press of an edge button: an up button goes down, a down one up, the
// others keep their state.
inline Integer ToggleEdge(Integer Mask, TDirectionEdge Edge) { return Mask ^ Edge; }
