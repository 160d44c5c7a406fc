// ColorButtonCore: what the colour buttons' shared handlers do, without
// windows. While a button's drop-down or colour dialog is open the colour
// under the pointer is previewed on the selected objects; closing the
// drop-down without a choice puts back what the button held when it opened.
// The custom colours and the dialog's place are shared by every colour
// button through the settings.
#pragma once

#include <vector>

#include "framework/runtime/System.h"
#include "framework/runtime/UITypes.h"
#include "skin/controls/SkinColorCore.h"

namespace ColorButtons {

// The grid sends the hovered item (wParam its colour, lParam its index); the
// colour dialog sends its colour as it changes. Both are sent, not posted.
constexpr Cardinal WM_COLORBUTTONHOVER = 0x40B;
constexpr Cardinal WM_COLORBUTTONTRACK = 0x40C;

// Cells of settings row 1.
constexpr Integer DialogLeftCell = 9, DialogTopCell = 10, CustomColorsCell = 11;

// The cell's decimal colours joined by "."; the first 12 only. An empty cell
// or a part that is not a number gives none (the button keeps its own).
TsfCustomColors ParseCustomColors(const String& Cell);
String JoinCustomColors(const TsfCustomColors& Colors);

// One property change on the selected objects.
struct TPropertyChange {
    const char16_t* Name;
    Integer Value;
    bool Draw;
    bool operator==(const TPropertyChange& O) const
    {
        return String(Name) == O.Name && Value == O.Value && Draw == O.Draw;
    }
};
using TChanges = std::vector<TPropertyChange>;

// Hovering grid item Index of colour Color on the button whose drop-down is
// open. Item 0 (no colour) switches the outline or fill off.
TChanges HoverChanges(const String& ButtonName, TColor Color, Integer Index);
// The colour dialog's colour.
TChanges TrackChanges(const String& ButtonName, TColor Color);
// The drop-down closed without a choice: the colour and flag it opened with.
TChanges RestoreChanges(const String& ButtonName, TColor Color, bool DrawMarker);

}  // namespace ColorButtons
