// The skinned menus of a form: menu mode, the application message hook that
// routes keys to the open menu, the popup entry points and the close rules.
#include "skin/frame/win/SkinForm.h"

#include "skin/frame/SkinMenuCore.h"

void TsfSkinForm::SetDefMenuItemHeight(Integer Value)
{
    if (Value > 0) FDefMenuItemHeight = Value;
}

void TsfSkinForm::SetDefMenuItemFont(TFont* Value)
{
    if (Value) FDefMenuItemFont->Assign(Value);
}

void TsfSkinForm::SyncSkinMenu()
{
    FSkinMenu->SetUseSkinFont(UseSkinFontInMenu);
    FSkinMenu->SetUseSkinSize(UseSkinSizeInMenu);
    FSkinMenu->SetDefaultMenuItemHeight(FDefMenuItemHeight);
    FSkinMenu->SetDefaultMenuItemFont(FDefMenuItemFont.get());
    FSkinMenu->MaxMenuItemsInWindow = MaxMenuItemsInWindow < 0 ? 0 : MaxMenuItemsInWindow;
    FSkinMenu->AlphaBlend = MenusAlphaBlend;
    FSkinMenu->AlphaBlendValue = MenusAlphaBlendValue;
    FSkinMenu->AlphaBlendAnimation = MenusAlphaBlendAnimation;
}

void TsfSkinForm::SkinMenuOpen()
{
    SyncSkinMenu();
    if (!InMainMenu) HookApp();
    if (!InMenu) {
        InMenu = true;
        if (OnSkinMenuOpen) OnSkinMenuOpen(this);
    }
}

void TsfSkinForm::SkinMenuClose()
{
    if (FMenuLayerManager->IsVisible()) FMenuLayerManager->Hide();
    InMenu = false;
    UnHookApp();
    if (OnSkinMenuClose) OnSkinMenuClose(this);
    if (InMainMenu) {
        InMainMenu = false;
        if (OnMainMenuExit) OnMainMenuExit(this);
    }
}

void TsfSkinForm::HookApp()
{
    if (FInAppHook) return;
    OldAppMessage = Application->OnMessage;
    Application->OnMessage = [this](MSG& Msg, bool& Handled) { OnAppMessage(Msg, Handled); };
    FInAppHook = true;
}

void TsfSkinForm::UnHookApp()
{
    if (!FInAppHook) return;
    FInAppHook = false;
    Application->OnMessage = OldAppMessage;
    OldAppMessage = nullptr;
}

void TsfSkinForm::OnAppMessage(MSG& Msg, bool& Handled)
{
    if (Msg.message == WM_KEYDOWN) MenuKeyDown(Msg);
    if (Msg.message == WM_KEYDOWN || Msg.message == WM_MOUSEWHEEL) {
        Handled = true;
        Msg.message = WM_NULL;
    }
}

void TsfSkinForm::MenuKeyDown(MSG& Msg)
{
    // An MDI child hands the key to its main form's open menu.
    if (FForm->FormStyle() == fsMDIChild && Application->MainForm()) {
        TsfSkinForm* Main = GetSkinForm(Application->MainForm());
        if (Main && Main != this && (Main->InMenu || Main->InMainMenu || Main->SkinMenu()->Visible())) {
            Main->MenuKeyDown(Msg);
            return;
        }
    }
    const Integer Key = Integer(Msg.wParam);
    if (Key == VK_ESCAPE && InMainMenu && !FSkinMenu->Visible()) {
        LeaveMainMenu();
        return;
    }
    if (TsfSkinPopupWindow* Level = FSkinMenu->Visible() ? FSkinMenu->DeepestLevel() : nullptr)
        Level->PopupKeyDown(Key);
    if (Key == VK_ESCAPE && FSkinMenu->LevelCount() == 0) {
        if (InMainMenu) CloseMainMenuItemMenu();
        else SkinMenuClose();
    }
}

void TsfSkinForm::LeaveMainMenu()
{
    InMainMenu = false;
    if (FSkinMenu->Visible()) FSkinMenu->Hide();
    UnHookApp();
    if (OnMainMenuExit) OnMainMenuExit(this);
}

void TsfSkinForm::CloseMainMenuItemMenu()
{
    InMenu = false;
    if (OnSkinMenuClose) OnSkinMenuClose(this);
}

void TsfSkinForm::PopupSkinMenu(TMenu* Menu, const TPoint& P)
{
    PopupSkinMenu1(Menu, {P.X, P.Y, P.X, P.Y}, false);
}

void TsfSkinForm::PopupSkinMenu1(TMenu* Menu, const TRect& R, bool PopupUp)
{
    if (!Menu) return;
    SkinMenuOpen();
    FSkinMenu->Popup(nullptr, FMSD ? FMSD : FSD, 0, R, Menu->Items(), PopupUp, false);
}

void TsfSkinForm::DoPopupMenu(TPopupMenu* Menu, Integer X, Integer Y)
{
    if (!Menu) return;
    if (Menu->OnPopup) Menu->OnPopup(this);
    // The open menu's levels go with the new popup; menu mode ends once first.
    if (InMenu || FSkinMenu->Visible()) SkinMenuClose();
    SkinMenuOpen();
    FSkinMenu->Popup(nullptr, FSD, 0, {X, Y, X, Y}, Menu->Items(), false, false);
}

void TsfSkinForm::CheckMenuCloseMessage(const TMessage& Message)
{
    if (!IsMenuCloseMessage(Message.Msg)) return;
    if (FSkinMenu && FSkinMenu->Visible()) FSkinMenu->Hide();
    else if (InMenu) SkinMenuClose();
}
