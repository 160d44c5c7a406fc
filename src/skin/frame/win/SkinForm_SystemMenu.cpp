// The system menu of a skinned form: the standard items rebuilt from the
// window state at every opening (or merged into a menu of the form's own),
// opened through the form's skinned menu engine, and the commands behind them.
#include <windows.h>

#include "framework/controls/MenusCore.h"
#include "framework/controls/win/Menus.h"
#include "skin/frame/SkinSystemMenuCore.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/model/SFResStrData.h"

namespace {

struct TSysItemText {
    const char16_t* Name;
    const char16_t* Key;
    const char16_t* Caption;
};

constexpr TSysItemText SysItemTexts[] = {
    {u"DSF_MAXITEM", u"MI_MAXCAPTION", u"Ma&ximize"},
    {u"DSF_MINITEM", u"MI_MINCAPTION", u"Mi&nimize"},
    {u"DSF_RESTORE", u"MI_RESTORECAPTION", u"&Restore"},
    {u"DSF_ROLLUP", u"MI_ROLLUPCAPTION", u"Ro&llUp"},
    {u"DSF_MINTOTRAY", u"MI_MINTOTRAYCAPTION", u"Minimize to &Tray"},
    {u"DSF_CLOSE", u"MI_CLOSECAPTION", u"&Close"},
};

TsfFormWindowState CoreState(TWindowState S)
{
    return S == wsMaximized ? sfwsMaximized : S == wsMinimized ? sfwsMinimized : sfwsNormal;
}

}  // namespace

TMenuItem* TsfSkinForm::NewSysMenuItem(const std::u16string& Name)
{
    auto* I = new TMenuItem(this);
    if (Name == u"-") {
        I->SetCaption(u"-");
        return I;
    }
    I->SetName(String(Name));
    // The tray menu's items read as the system menu's of the same base name.
    const bool Tray = Name.rfind(u"TRAY_", 0) == 0;
    const std::u16string Base = Tray ? Name.substr(5) : Name;
    for (const auto& T : SysItemTexts) {
        if (Base != T.Name) continue;
        String Caption = T.Caption;
        if (FSD && FSD->ResourceStrData()) {
            const String S = FSD->ResourceStrData()->GetResStr(T.Key);
            if (!S.empty()) Caption = S;
        }
        I->SetCaption(Caption);
    }
    if (Base == u"DSF_CLOSE")
        I->SetShortCut(FForm->FormStyle() == fsMDIChild ? ShortCut(VK_F4, ssCtrl) : ShortCut(VK_F4, ssAlt));
    if (Tray) {
        if (Base == u"DSF_RESTORE") I->OnClick = [this](TObject* S) { TrayRestoreClick(S); };
        else if (Base == u"DSF_CLOSE") I->OnClick = [this](TObject* S) { TrayCloseClick(S); };
    } else if (Name == u"DSF_MAXITEM") I->OnClick = [this](TObject* S) { SysMenuMaximizeClick(S); };
    else if (Name == u"DSF_MINITEM") I->OnClick = [this](TObject* S) { SysMenuMinimizeClick(S); };
    else if (Name == u"DSF_RESTORE") I->OnClick = [this](TObject* S) { SysMenuRestoreClick(S); };
    else if (Name == u"DSF_ROLLUP") I->OnClick = [this](TObject* S) { SysMenuRollUpClick(S); };
    else if (Name == u"DSF_MINTOTRAY") I->OnClick = [this](TObject* S) { SysMenuMinToTrayClick(S); };
    else if (Name == u"DSF_CLOSE") I->OnClick = [this](TObject* S) { SysMenuCloseClick(S); };
    return I;
}

namespace {

TsfSysMenuState SysState(TsfSkinForm* C, TCustomForm* F)
{
    TsfSysMenuState S;
    S.State = CoreState(C->AppliedWindowState());
    S.RolledUp = C->RollUpState();
    S.MaximizedMDIChild = F->FormStyle() == fsMDIChild && C->WindowState() == wsMaximized;
    const TsfBorderIcons I = C->BorderIcons();
    S.Minimize = I & sfbiMinimize;
    S.Maximize = I & sfbiMaximize;
    S.RollUp = I & sfbiRollUp;
    S.MinimizeToTray = I & sfbiMinimizeToTray;
    return S;
}

// The standard items are the component's and carry its unique names: one
// menu holds them at a time, so the other menu's are freed first.
void FreeStandardItems(TMenuItem* Items)
{
    for (Integer I = Items->Count() - 1; I >= 0; --I)
        if (IsStandardSysMenuName(std::u16string(Items->Items(I)->Name()))) delete Items->Items(I);
}

}  // namespace

void TsfSkinForm::CreateSysMenu()
{
    if (!FSysMenu) FSysMenu = std::make_unique<TPopupMenu>(nullptr);
    TMenuItem* Items = FSysMenu->Items();
    while (Items->Count() > 0) delete Items->Items(Items->Count() - 1);
    if (FSystemMenu) FreeStandardItems(FSystemMenu->Items());
    for (const auto& N : SysMenuItemNames(SysState(this, FForm))) Items->Add(NewSysMenuItem(N));
}

void TsfSkinForm::MergeSysMenuItems()
{
    if (!FSystemMenu || !UseDefaultSysMenu) return;
    if (FSysMenu) FreeStandardItems(FSysMenu->Items());
    TMenuItem* Items = FSystemMenu->Items();
    FreeStandardItems(Items);
    const auto Top = SysMenuMergedNames(SysState(this, FForm));
    for (size_t I = 0; I < Top.size(); ++I) Items->Insert(static_cast<Integer>(I), NewSysMenuItem(Top[I]));
    Items->Add(NewSysMenuItem(u"DSF_CLOSE"));
}

TMenuItem* TsfSkinForm::GetSysMenuItems()
{
    if (FSystemMenu) {
        MergeSysMenuItems();
        return FSystemMenu->Items();
    }
    CreateSysMenu();
    return FSysMenu->Items();
}

void TsfSkinForm::SetSystemMenu(TPopupMenu* Value)
{
    if (FSystemMenu == Value) return;
    if (FSystemMenu) {
        ForgetSysMenuItems(FSystemMenu->Items());
        FreeStandardItems(FSystemMenu->Items());
        FSystemMenu->RemoveFreeNotification(this);
    }
    FSystemMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TsfSkinForm::ForgetSysMenuItems(TMenuItem* Items)
{
    for (const auto& O : ObjectList)
        if (auto* B = dynamic_cast<TsfSkinButtonObject*>(O.get()); B && B->MenuItem == Items) B->MenuItem = nullptr;
}

void TsfSkinForm::PopupSysMenuAtRect(const TRect& R)
{
    TsfSkinForm* Owner = this;
    if (FForm->FormStyle() == fsMDIChild) {
        Owner = GetSkinForm(Application->MainForm());
        if (!Owner) return;
    }
    TMenuItem* Items = GetSysMenuItems();
    Owner->SkinMenuOpen();
    Owner->SkinMenu()->Popup(nullptr, Owner->MenusSkinData() ? Owner->MenusSkinData() : Owner->SkinData(), 0, R, Items,
                             false, false);
}

void TsfSkinForm::PopupSysMenuAtPoint(Integer X, Integer Y) { PopupSysMenuAtRect({X, Y, X, Y}); }

void TsfSkinForm::PopupSysMenuAtButton()
{
    for (const auto& O : ObjectList) {
        const bool Std = O->Kind == TsfFrameObjectKind::StdButton || O->Kind == TsfFrameObjectKind::Animate;
        if (!Std || O->Command != cmSysMenu || !O->Enabled) continue;
        // The window's origin on the screen: an MDI child's Left and Top are
        // inside its parent's client area, so it goes through its own client origin.
        TPoint Org{FForm->Left(), FForm->Top()};
        if (FForm->FormStyle() == fsMDIChild) {
            Org = FForm->ClientOrigin();
            if (FSkinSupport) {
                Org.X -= FGeometry.NewClRect.Left;
                Org.Y -= FGeometry.NewClRect.Top;
            } else {
                Org.X -= 3;
                Org.Y -= GetDefCaptionHeight() + 3;
            }
        }
        const TRect& R = O->ObjectRect;
        if (!DisableSystemMenu) PopupSysMenuAtRect({R.Left + Org.X, R.Top + Org.Y, R.Right + Org.X, R.Bottom + Org.Y});
    }
}

void TsfSkinForm::SysMenuMaximizeClick(TObject*) { SetWindowState(wsMaximized); }

void TsfSkinForm::SysMenuMinimizeClick(TObject*)
{
    if (AlwaysMinimizeToTray) MinimizeToTray();
    else SetWindowState(wsMinimized);
}

void TsfSkinForm::SysMenuRestoreClick(TObject*)
{
    if (MaxRollUpState || (FRollUpState && FWindowStateInit == wsNormal)) SetRollUpState(false);
    else SetWindowState(wsNormal);
}

void TsfSkinForm::SysMenuRollUpClick(TObject*) { SetRollUpState(true); }

void TsfSkinForm::SysMenuMinToTrayClick(TObject*) { MinimizeToTray(); }

void TsfSkinForm::SysMenuCloseClick(TObject*) { FForm->Close(); }
