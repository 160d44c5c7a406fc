// SkinMdiTabsCore: the tab arithmetic of the MDI tabs bar (win/SkinMdiTabs):
// where each child's tab goes on the bar, which tabs do not fit, where a
// dragged tab is dropped, which tab lies under a point and where a tab's
// close button sits. Portable.
#pragma once

#include <vector>

#include "framework/runtime/Types.h"

// The width of each list button at the ends of the bar.
constexpr Integer MDITabsListButtonWidth = 15;

struct TsfMDITabsLayout {
    std::vector<TRect> Rects;   // per tab, in display order; empty while hidden
    std::vector<bool> Visible;
    Integer InVisibleCount = 0;
    Integer RightLimit = 0;     // a dragged tab stays left of it
};

// Count tabs on a bar BarW wide, TabH high: as wide as the bar allows up to
// DefaultTabWidth (the last one then reaches the right edge); below
// MinTabWidth (when not 0) only the tabs that fit at that width show. A
// dragged tab (DragIndex) is shifted by TabDX and kept on the bar.
TsfMDITabsLayout CalcMDITabRects(Integer Count, Integer BarW, Integer TabH, Integer DefaultTabWidth,
                                 Integer MinTabWidth, Integer DragIndex = -1, Integer TabDX = 0);
// Where the dragged tab goes at release: dragging right, the rightmost visible
// tab after it whose centre lies left of its shifted right edge; dragging
// left, the leftmost visible tab before it whose centre lies right of its
// shifted left edge; -1 for none (or no shift).
Integer MDITabDropIndex(const TsfMDITabsLayout& L, Integer DragIndex, Integer TabDX);
// The first visible tab holding (X, Y), edges included; -1 for none.
Integer MDITabIndexAt(const TsfMDITabsLayout& L, Integer X, Integer Y);
// A tab W x H with a close button of CloseSize: the text runs from TextLeft
// to W - CloseSize - 5; the button is a CloseSize square at the left of the
// rest, vertically centred (relative to the tab).
TRect MDITabCloseButtonRect(Integer W, Integer H, Integer CloseSize);

// The list menus' items: child name + suffix.
extern const char16_t* const MDITabsListSuffix;      // every child
extern const char16_t* const MDITabsHiddenListSuffix; // the hidden ones
