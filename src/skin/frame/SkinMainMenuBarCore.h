// SkinMainMenuBarCore: the arithmetic of the skinned main menu bar
// (win/SkinMainMenuBar): the items' area, the places of the items and of a
// maximised MDI child's buttons, which items do not fit, keyboard steps
// through the items, and the merge of an MDI child's menu by group. Portable.
#pragma once

#include <vector>

#include "framework/runtime/Types.h"

// The area the items go in: skinned, from the skin's ItemsRect (right edge
// following the bar's width; the bottom too without UseSkinSize); default
// (2, 2, W - 2, H - 1).
TRect MenuBarItemsRect(bool Skinned, const TRect& ItemsRect, const TRect& SkinRect, bool UseSkinSize, Integer W,
                       Integer H);

// The child buttons of a maximised MDI child (widths in list order: system
// menu, close, maximise, minimise; H the items' height): the system-menu
// button at the left end, the others right to left from the right end; the
// items' area shrinks by each width + 2. Returns the four rectangles.
std::vector<TRect> PlaceMenuBarChildButtons(TRect& Items, const std::vector<Integer>& Widths,
                                            const std::vector<Integer>& Heights);

struct TsfMenuBarLayout {
    std::vector<TRect> Rects;
    std::vector<bool> Fits;
    bool Scroll = false;  // some item did not fit
};
// Items of the given widths side by side from Items.Left, ItemH high (0: to
// Items.Bottom); an item whose right edge passes Items.Right - 5 (Items.Right
// without ScrollMenu) does not fit.
TsfMenuBarLayout LayoutMenuBarItems(const std::vector<Integer>& Widths, const TRect& Items, Integer ItemH,
                                    bool ScrollMenu);
// The scroll marker: 5 pixels at the right end of the items' area.
TRect MenuBarScrollMarker(const TRect& Items);

// Keyboard steps among the selectable items: the next after Current (the
// first when none), wrapping; -1 when none is selectable.
Integer MenuBarNextItem(const std::vector<bool>& Selectable, Integer Current);
Integer MenuBarPrevItem(const std::vector<bool>& Selectable, Integer Current);

// An MDI child's menu merged into the main menu: the main menu's items whose
// group occurs in no child item, and all child items, by group ascending
// (stable). Entries: index >= 0 into the main menu, or -1 - index into the child's.
std::vector<Integer> MergeMenuGroups(const std::vector<Integer>& MainGroups, const std::vector<Integer>& ChildGroups);
