// EditMenuRules: which items of the canvas's edit menu show, are enabled and
// are checked, from what lies on top of the live document each time the menu
// (or the rotation menu) opens. No window: the menu side applies the rows.
#pragma once

#include <vector>

#include "framework/runtime/System.h"

// What the document says when the menu opens, read once.
struct TEditMenuInput {
    bool Crop = false;               // a crop frame on top
    bool Selection = false;          // a selection on top
    bool SelectionBitmap = false;    // ... holding lifted pixels
    Integer Selected = 0;            // selected objects, not counting crop or selection
    bool CropEnabled = false;        // the crop or selection rectangle overlaps the raster
    bool PasteEnabled = false;       // something to paste
    Integer Editable = 0;            // visible, unfixed objects other than crop and selection
    bool SavedSelections = false;    // the document keeps saved selections
    bool PastePropEnabled = false;   // a property template fits the current object
    bool BitmapObject = false;       // the current object is a bitmap object
    Integer CropRatioIndex = -1;     // -1 free, 0 the image's own ratio, 1-9 fixed
};

// A tri-state for the enabled and checked marks: Keep leaves the item as it is.
enum class TMenuMark : Byte { Keep, Off, On };

struct TEditMenuItemState {
    const char16_t* Name;
    bool Visible;
    TMenuMark Enabled;
    TMenuMark Checked;
};

std::vector<TEditMenuItemState> EditMenuRules(const TEditMenuInput& In);
