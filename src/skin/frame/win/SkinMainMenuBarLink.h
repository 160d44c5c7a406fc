// SkinMainMenuBarLink: what the form component asks of the skinned main menu
// bar linked to it (its MainMenuBar). While the form's main menu is driven by
// the keyboard, every step goes to the bar when one is linked, else to the
// main-menu items drawn in the caption. A bar implements this interface and
// unlinks itself (SetMainMenuBar(nullptr)) before it goes.
#pragma once

#include "framework/runtime/System.h"

class TMainMenu;

class TsfMainMenuBarLink {
public:
    // The first enabled, visible item with Key as its accelerator becomes hot
    // (and opens when no menu is open or it has no sub-items); true when found.
    virtual bool MenuBarAccelKey(Integer Key) = 0;
    virtual void SelectNextItem() = 0;
    virtual void SelectPrevItem() = 0;
    // Opens the hot item, or runs the pressed one without sub-items; true when one was found.
    virtual bool OpenActiveItem() = 0;
    // Main-menu mode on: the hot item, else the first, is highlighted.
    virtual void EnterMenuBar() = 0;
    // After an item's menu closed: the pressed item stays highlighted.
    virtual void ReleaseDownItem() = 0;
    virtual void LeaveMenuBar() = 0;
    // The menu the bar shows (nil: none), and an MDI child's menu shown beside it (nil: none);
    // the form's short cuts look in both.
    virtual TMainMenu* BarMainMenu() const = 0;
    virtual TMainMenu* ShownChildMainMenu() = 0;

protected:
    ~TsfMainMenuBarLink() = default;
};
