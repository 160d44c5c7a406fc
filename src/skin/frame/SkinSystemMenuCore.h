// SkinSystemMenuCore: which standard items a skinned form's system menu
// shows for its window state, roll-up state and border icons, and in which
// order they join a menu of the form's own. Portable: the form component
// (win/SkinForm_SystemMenu.cpp) turns the names into menu items.
#pragma once

#include <string>
#include <vector>

#include "skin/frame/SkinFrameGeometry.h"

// The state the standard items depend on.
struct TsfSysMenuState {
    TsfFormWindowState State = sfwsNormal;  // the applied window state
    bool RolledUp = false;
    bool MaximizedMDIChild = false;
    bool Minimize = true, Maximize = true, RollUp = true, MinimizeToTray = false;  // border icons
};

// The item names of the component's own system menu, top to bottom; "-" is a separator.
std::vector<std::u16string> SysMenuItemNames(const TsfSysMenuState& S);

// The standard names inserted at the top of a user's menu, top to bottom
// ("DSF_CLOSE" is appended at its end separately).
std::vector<std::u16string> SysMenuMergedNames(const TsfSysMenuState& S);

// True for the six standard names a merge replaces.
bool IsStandardSysMenuName(const std::u16string& Name);
