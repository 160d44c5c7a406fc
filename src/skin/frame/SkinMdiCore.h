// SkinMdiCore: the arithmetic of a multiple-document main form whose frame is
// skinned: where tiling and cascading put the children, which of the
// parent's own scroll bars show and what they cover, and how a child's
// window-menu item is named. Portable: the form component (win/SkinForm_Mdi)
// reads the children's bounds and applies the results.
#pragma once

#include <vector>

#include "framework/runtime/Types.h"

enum TTileMode { tbHorizontal, tbVertical };

// Bounds of Count children tiled in a client rectangle of W x H, by child
// index: columns from the right, each filled upwards, the last child in the
// bottom-right cell; the columns on the left share what is left.
std::vector<TRect> MDITileHorizontal(Integer Count, Integer W, Integer H);
// Children in index order down the columns from the top-left.
std::vector<TRect> MDITileVertical(Integer Count, Integer W, Integer H);

struct TsfMDICascadeChild {
    Integer Width = 0, Height = 0;  // the child's own size
    bool KeepSize = false;          // a fixed-border child keeps it
};
// Bounds of the children cascaded by Step pixels from the last index to the
// first, restarting at the top-left when a window would leave W x H; the
// common size is raised to MinW x MinH.
std::vector<TRect> MDICascade(const std::vector<TsfMDICascadeChild>& Children, Integer W, Integer H, Integer Step,
                              Integer MinW, Integer MinH);

// Window-menu items of the children: child name + "_DSFCHILDITEM".
extern const char16_t* const MDIChildItemSuffix;
String MDIChildItemName(const String& ChildName);
// The item's name without the first occurrence of the suffix.
String MDIChildNameOfItem(const String& ItemName);
bool MDIIsChildItem(const String& ItemName);

// The parent's own horizontal and vertical scroll bars over its MDI client.
struct TsfMDIScrollBar {
    bool Visible = false;
    TRect Bounds{};        // in the form's client coordinates
    Integer Max = 0;       // the range starts at 0
    Integer PageSize = 0;
    Integer Position = 0;
    Integer LargeChange = 0;
    Integer Saved = 0;     // the position the children were last moved to
};
struct TsfMDIScrollBars {
    TsfMDIScrollBar H, V;
    Integer HHeight = 17, VWidth = 17;
    bool Both = false;  // the horizontal bar draws the corner box
    // Shows, hides, places and ranges the bars for the children's bounds
    // (client coordinates of the MDI client) over R, the MDI client rectangle.
    // A range is computed only with RecalcRange. Suppressed (a maximised child,
    // the bars switched off): both hidden.
    void Update(const TRect& R, const std::vector<TRect>& Children, bool RecalcRange, bool Suppressed);
    // Both bars along R's bottom and right edges, as they are visible.
    void Place(const TRect& R);
};
