// SkinTrayLink: what the form component asks of the notification-area icon it
// is linked to. The form minimises to the tray and comes back through it; the
// tray icon reacts to the application's minimisation itself (hides the main
// form, shows its icon). A tray icon class implements this interface.
#pragma once

#include "framework/controls/win/Menus.h"

class TsfTrayIconLink {
public:
    virtual ~TsfTrayIconLink() = default;
    // The component itself (the form watches for its removal).
    virtual TComponent* TrayComponent() = 0;
    // While set, the application's minimisation sends the main form to the tray.
    virtual bool MinimizeToTray() const = 0;
    virtual void SetMinimizeToTray(bool Value) = 0;
    // Shows the application's main form again (marked as a restore from the tray).
    virtual void ShowMainForm() = 0;
    virtual bool IconVisible() const = 0;
    virtual void SetIconVisible(bool Value) = 0;
    // The menu a right click on the icon opens (nil: none).
    virtual TPopupMenu* TrayPopupMenu() const = 0;
    virtual void SetTrayPopupMenu(TPopupMenu* Value) = 0;
    virtual bool HasOnDblClick() const = 0;
    virtual void SetOnDblClick(TNotifyEvent Handler) = 0;
};

// Marks the main form's Tag while a restore from the tray is under way (the
// tray icon sets it and posts WM_RESTOREFROMTRAY; the main form's window procedure resets it).
constexpr Integer TrayRestoreTag = -10000;
