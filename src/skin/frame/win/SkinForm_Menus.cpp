// The skinned menus of a form: menu mode, the application message hook that
// routes keys to the open menu, the popup entry points, the close rules, and
// the caption main menu and its keyboard walk.
#include "skin/frame/win/SkinForm.h"

#include "framework/controls/win/StdCtrls.h"
#include "skin/frame/SkinMenuCore.h"
#include "skin/frame/win/SkinHint.h"
#include "skin/frame/win/SkinQuickButtons.h"

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
    // The objects let go of their menu look; the first that held a menu ends the scan.
    for (const auto& O : ObjectList)
        if (auto* C = dynamic_cast<TsfSkinCaptionObject*>(O.get()); C && C->PopupMenuQuickButton != -1) {
            TsfQuickButtonItems* Q = QuickButtons();
            if (C->PopupMenuQuickButton < Q->Count()) {
                TsfQuickButtonItem* B = Q->Items(C->PopupMenuQuickButton);
                B->Active = B->Down = false;
            }
            C->PopupMenuQuickButton = -1;
            DrawSkinObject(C);
        }
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TsfActiveSkinObject* O = ObjectList[i].get();
        if (auto* I = dynamic_cast<TsfSkinMainMenuItem*>(O)) {
            if (!I->FDown) continue;
            I->Active = false;
            I->SetItemDown(false);
            break;
        }
        if (auto* B = dynamic_cast<TsfSkinButtonObject*>(O)) {
            if (!B->FDown || !B->MenuItem || B->MenuItem->Count() == 0) continue;
            B->SetDown(false);
            break;
        }
        if (auto* A = dynamic_cast<TsfSkinAnimateObject*>(O); A && A->FMenuTracking) {
            A->MenuClosed();
            break;
        }
    }
    UnHookApp();
    if (OnSkinMenuClose) OnSkinMenuClose(this);
    if (InMainMenu) {
        InMainMenu = false;
        if (FMainMenuBar) FMainMenuBar->LeaveMenuBar();
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
    if (InMainMenu && MainMenuAccelKey(Key)) return;
    if (Key == VK_ESCAPE && InMainMenu && !FSkinMenu->Visible()) {
        LeaveMainMenu();
        return;
    }
    if (InMainMenu && Key == VK_LEFT && CanMoveToPrevMainMenuItem()) {
        SelectPrevMainMenuItem();
        return;
    }
    if (InMainMenu && Key == VK_RIGHT && CanMoveToNextMainMenuItem()) {
        SelectNextMainMenuItem();
        return;
    }
    if ((Key == VK_RETURN || Key == VK_DOWN) && OpenMainMenuItem()) return;
    if (TsfSkinPopupWindow* Level = FSkinMenu->Visible() ? FSkinMenu->DeepestLevel() : nullptr)
        Level->PopupKeyDown(Key);
    if (Key == VK_ESCAPE && FSkinMenu->LevelCount() == 0) {
        if (InMainMenu) CloseMainMenuItemMenu();
        else SkinMenuClose();
    }
}

namespace {

// The caption's main-menu items that take part in the keyboard walk.
std::vector<TsfSkinMainMenuItem*> WalkableItems(const std::vector<std::unique_ptr<TsfActiveSkinObject>>& List)
{
    std::vector<TsfSkinMainMenuItem*> Items;
    for (const auto& O : List)
        if (auto* I = dynamic_cast<TsfSkinMainMenuItem*>(O.get()); I && I->Enabled && I->Visible) Items.push_back(I);
    return Items;
}

template <class Pred>
TsfSkinMainMenuItem* FirstItem(const std::vector<std::unique_ptr<TsfActiveSkinObject>>& List, Pred P)
{
    for (const auto& O : List)
        if (auto* I = dynamic_cast<TsfSkinMainMenuItem*>(O.get()); I && P(I)) return I;
    return nullptr;
}

}  // namespace

void TsfSkinForm::LeaveMainMenu()
{
    InMainMenu = false;
    if (FSkinMenu->Visible()) FSkinMenu->Hide();
    if (FMainMenuBar) FMainMenuBar->LeaveMenuBar();
    else if (TsfSkinMainMenuItem* I = FirstItem(ObjectList, [](TsfSkinMainMenuItem* I) { return I->Active; }))
        I->MouseLeave();
    UnHookApp();
    if (OnMainMenuExit) OnMainMenuExit(this);
}

void TsfSkinForm::CloseMainMenuItemMenu()
{
    InMenu = false;
    if (FMainMenuBar) {
        FMainMenuBar->ReleaseDownItem();
    } else if (TsfSkinMainMenuItem* I = FirstItem(ObjectList, [](TsfSkinMainMenuItem* I) { return I->FDown; })) {
        // It stays highlighted: the main menu is still active.
        I->SetItemDown(false);
        I->MouseEnter();
    }
    if (OnSkinMenuClose) OnSkinMenuClose(this);
}

void TsfSkinForm::SetMainMenu(TMainMenu* Value)
{
    if (FMainMenu == Value) return;
    if (FMainMenu) FMainMenu->RemoveFreeNotification(this);
    FMainMenu = Value;
    if (FMainMenu) FMainMenu->FreeNotification(this);
    if (FSD && !FSD->Empty && !(ComponentState() & csDesigning)) UpdateMainMenu(true);
}

void TsfSkinForm::UpdateMainMenu(bool ARedraw)
{
    // Indexes into the list may point at the items that go.
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    for (size_t i = ObjectList.size(); i-- > 0;)
        if (ObjectList[i]->Kind == TsfFrameObjectKind::MainMenuItem) ObjectList.erase(ObjectList.begin() + i);
    CreateMainMenuItems();
    if (!ARedraw || !FForm->HandleAllocated()) return;
    if (FSupportNCArea) {
        SendMessageW(FForm->Handle(), WM_NCPAINT, 1, 0);
    } else {
        const TRect& R = FGeometry.NewMainMenuRect;
        RECT Q{R.Left, R.Top, R.Right, R.Bottom};
        InvalidateRect(FForm->Handle(), &Q, FALSE);
    }
}

void TsfSkinForm::CreateMainMenuItems()
{
    if (!FMainMenu || !FSD) return;
    const Integer Index = FSD->GetIndex(u"MAINMENUITEM");
    if (Index < 0) return;
    const TsfDataSkinObject* Data = FSD->ObjectList[static_cast<size_t>(Index)].get();
    if (!dynamic_cast<const TsfDataSkinMainMenuItem*>(Data)) return;
    TMenuItem* Items = FMainMenu->Items();
    for (Integer i = 0; i < Items->Count(); ++i) {
        TMenuItem* Item = Items->Items(i);
        if (Item->Visible()) ObjectList.push_back(std::make_unique<TsfSkinMainMenuItem>(this, Data, Item));
    }
}

bool TsfSkinForm::MainMenuAccelKey(Integer Key)
{
    if (FMainMenuBar) return FMainMenuBar->MenuBarAccelKey(Key);
    if (!FForm->Visible()) return false;
    for (TsfSkinMainMenuItem* I : WalkableItems(ObjectList)) {
        if (!I->MenuItem || !IsAccel(static_cast<Char>(Key), I->MenuItem->Caption())) continue;
        I->MouseEnter();
        if (!InMenu || !I->HasSubItems()) I->MouseDown(I->ObjectRect.Left, I->ObjectRect.Top, mbLeft);
        return true;
    }
    return false;
}

bool TsfSkinForm::CanMoveToNextMainMenuItem() const
{
    const TsfSkinPopupWindow* Level = FSkinMenu->Visible() ? FSkinMenu->DeepestLevel() : nullptr;
    if (!Level) return true;
    const Integer A = Level->ActiveItem;
    if (A < 0 || A >= static_cast<Integer>(Level->ItemList.size())) return true;
    const TMenuItem* M = Level->ItemList[static_cast<size_t>(A)]->MenuItem;
    return !M || M->Count() == 0;
}

bool TsfSkinForm::CanMoveToPrevMainMenuItem() const { return FSkinMenu->LevelCount() <= 1; }

void TsfSkinForm::SelectNextMainMenuItem()
{
    if (FMainMenuBar) {
        FMainMenuBar->SelectNextItem();
        return;
    }
    const auto Items = WalkableItems(ObjectList);
    if (Items.empty()) return;
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i]->Active || Items[i]->FDown) {
            Items[i]->MouseLeave();
            Items[(i + 1) % Items.size()]->MouseEnter();
            return;
        }
    Items.front()->MouseEnter();
}

void TsfSkinForm::SelectPrevMainMenuItem()
{
    if (FMainMenuBar) {
        FMainMenuBar->SelectPrevItem();
        return;
    }
    const auto Items = WalkableItems(ObjectList);
    if (Items.empty()) return;
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i]->Active || Items[i]->FDown) {
            Items[i]->MouseLeave();
            Items[(i + Items.size() - 1) % Items.size()]->MouseEnter();
            return;
        }
    Items.back()->MouseEnter();
}

bool TsfSkinForm::EnterMainMenu()
{
    bool Found = false;
    if (FMainMenuBar) {
        FMainMenuBar->EnterMenuBar();
        Found = true;
    } else {
        const auto Items = WalkableItems(ObjectList);
        TsfSkinMainMenuItem* Hot = nullptr;
        for (TsfSkinMainMenuItem* I : Items)
            if (I->Active) Hot = I;
        if (!Hot && !Items.empty()) Hot = Items.front();
        if (Hot) {
            Hot->MouseEnter();
            Found = true;
        }
    }
    InMainMenu = true;
    HookApp();
    if (OnMainMenuEnter) OnMainMenuEnter(this);
    return Found;
}

bool TsfSkinForm::OpenMainMenuItem()
{
    if (FMainMenuBar) return FMainMenuBar->OpenActiveItem();
    for (TsfSkinMainMenuItem* I : WalkableItems(ObjectList))
        if ((I->FDown && !I->HasSubItems()) || (I->Active && !InMenu)) {
            I->Active = false;
            I->MouseDown(I->ObjectRect.Left, I->ObjectRect.Top, mbLeft);
            return true;
        }
    return false;
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

void TsfSkinForm::HideSkinHint()
{
    if (FSkinHint) FSkinHint->HideHint();
}

void TsfSkinForm::SetSkinHint(TsfSkinHint* Value)
{
    if (FSkinHint) FSkinHint->RemoveFreeNotification(this);
    FSkinHint = Value;
    if (FSkinHint) FSkinHint->FreeNotification(this);
}
