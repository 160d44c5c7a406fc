// The form component and the notification area: minimising to the tray icon
// it is linked to, coming back from it, and the icon's own small menu.
#include <windows.h>

#include "skin/frame/win/SkinForm.h"

void TsfSkinForm::CreateSysTrayMenu()
{
    // The skin is not assigned yet: the items keep their built-in captions.
    FSysTrayMenu = new TsfSkinPopupMenu(this);
    for (const char16_t* N : {u"TRAY_DSF_RESTORE", u"-", u"TRAY_DSF_CLOSE"}) FSysTrayMenu->Items()->Add(NewSysMenuItem(N));
}

void TsfSkinForm::SetTrayIcon(TsfTrayIconLink* Value)
{
    if (FTrayIcon == Value) return;
    if (FTrayComponent) FTrayComponent->RemoveFreeNotification(this);
    FTrayIcon = Value;
    FTrayComponent = Value ? Value->TrayComponent() : nullptr;
    if (!Value) {
        if ((ComponentState() & csDesigning) && !(ComponentState() & csLoading))
            FBorderIcons &= TsfBorderIcons(~sfbiMinimizeToTray);
        return;
    }
    TComponent* Tray = FTrayComponent;
    Tray->FreeNotification(this);
    if (!AlwaysShowInTray) Value->SetIconVisible(false);
    if ((Tray->ComponentState() & csDesigning) && !(Tray->ComponentState() & csLoading))
        FBorderIcons |= sfbiMinimizeToTray;
    if (ComponentState() & csDesigning) return;
    // A menu and a double-click handler of the icon's own are kept.
    if (!Value->TrayPopupMenu()) {
        Value->SetTrayPopupMenu(FSysTrayMenu);
        if (!Value->HasOnDblClick()) Value->SetOnDblClick([this](TObject* S) { TrayIconDblClick(S); });
    }
}

void TsfSkinForm::MinimizeToTray()
{
    if (!FTrayIcon) return;
    FTrayIcon->SetMinimizeToTray(true);
    Application->Minimize();
    if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TsfSkinForm::RestoreFromTray()
{
    if (!FTrayIcon) return;
    FTrayIcon->SetMinimizeToTray(false);
    FTrayIcon->ShowMainForm();
    Application->Restore();
    if (!AlwaysShowInTray) FTrayIcon->SetIconVisible(false);
    if (OnRestoreFromTray) OnRestoreFromTray(this);
    CheckAppLayeredBorders();
}

void TsfSkinForm::TrayRestoreClick(TObject*) { RestoreFromTray(); }

void TsfSkinForm::TrayCloseClick(TObject*) { FForm->Close(); }

void TsfSkinForm::TrayIconDblClick(TObject*) { RestoreFromTray(); }
