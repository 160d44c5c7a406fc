#include "shell/win/MainTray.h"

#include "foundation/Global.h"
#include "framework/controls/win/ExtCtrls.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/frame/win/SkinMenus.h"

TMainTray::TMainTray(TfrmZezavEzazer& AForm) : FForm(AForm)
{
    pmTray = new TsfSkinPopupMenu(&FForm);
    muTrayShowMainWindow = new TMenuItem(pmTray);
    muTrayShowMainWindow->SetDefault(true);
    muTrayShowMainWindow->OnClick = [this](TObject* Sender) { FForm.TrayIcon1Click(Sender); };
    pmTray->Items()->Add(muTrayShowMainWindow);
    muTrayClose = new TMenuItem(pmTray);
    muTrayClose->OnClick = [this](TObject* Sender) { FForm.muTrayCloseClick(Sender); };
    pmTray->Items()->Add(muTrayClose);

    // The show item says what a click will do.
    pmTray->OnPopup = [this](TObject*) {
        muTrayShowMainWindow->SetCaption(GetLangText(0, FForm.Visible() ? 195 : 196));
    };

    TrayIcon1 = new TTrayIcon(&FForm);
    TrayIcon1->SetPopupMenu(pmTray);
    TrayIcon1->OnClick = [this](TObject* Sender) { FForm.TrayIcon1Click(Sender); };
}

void TMainTray::Show()
{
    muTrayShowMainWindow->SetCaption(GetLangText(0, 195));
    muTrayClose->SetCaption(GetLangText(0, 194));
    TrayIcon1->SetHint(EditionTitle);
    TrayIcon1->SetVisible(true);
}
