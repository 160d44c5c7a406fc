// Small services of the form component: the lookups of the main form's MDI
// children's components, the inactive-client effect and the linked status bar.
#include "skin/frame/win/SkinForm.h"

TsfSkinForm* GetMaximizedMDIChildSkinForm()
{
    TCustomForm* Main = Application->MainForm();
    if (!Main) return nullptr;
    for (Integer I = 0; I < Main->MDIChildCount(); ++I)
        if (TsfSkinForm* C = GetSkinForm(Main->MDIChildren(I)); C && C->WindowState() == wsMaximized) return C;
    return nullptr;
}

TsfSkinForm* GetActiveMDIChildSkinForm()
{
    TCustomForm* Main = Application->MainForm();
    TCustomForm* Active = Main ? Main->ActiveMDIChild() : nullptr;
    return Active ? GetSkinForm(Active) : nullptr;
}

void TsfSkinForm::ShowClientInActiveEffect()
{
    HideClientInActiveEffect();
    FInActivePanel = new TsfClientInActivePanel(this);
    FClientInActiveDraw = true;
    auto Drawn = ScopeExit([this] { FClientInActiveDraw = false; });
    FInActivePanel->ShowPanel(FForm, ClientInActiveEffectType);
}

void TsfSkinForm::HideClientInActiveEffect()
{
    if (!FInActivePanel) return;
    FInActivePanel->HidePanel();
    delete FInActivePanel;
    FInActivePanel = nullptr;
}

void TsfSkinForm::SetStatusBar(TsfSkinStatusBar* Value)
{
    if (FStatusBar == Value) return;
    if (FStatusBar) FStatusBar->RemoveFreeNotification(this);
    FStatusBar = Value;
    if (Value) Value->FreeNotification(this);
}
