// MainTray: the main window's tray icon and its menu (show the window, exit).
// Closing the main window only hides it; the program lives on here.
#pragma once

class TfrmZezavEzazer;
class TTrayIcon;
class TMenuItem;
class TsfSkinPopupMenu;

class TMainTray {
public:
    explicit TMainTray(TfrmZezavEzazer& AForm);
    TMainTray(const TMainTray&) = delete;
    TMainTray& operator=(const TMainTray&) = delete;

    // Puts the icon in the notification area (once the window exists).
    void Show();
    TTrayIcon* TrayIcon1 = nullptr;
    TsfSkinPopupMenu* pmTray = nullptr;
    TMenuItem* muTrayShowMainWindow = nullptr;
    TMenuItem* muTrayClose = nullptr;

private:
    TfrmZezavEzazer& FForm;
};
