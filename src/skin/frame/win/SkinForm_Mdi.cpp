// Multiple-document forms with a skinned frame: the main form's component
// keeps the children in its window menu, tiles, cascades, maximises and
// restores them, paints the MDI client from the skin and replaces the
// client's scroll bars with skinned ones over it; each child's component
// reports its showing, caption, activation, moves and end to the main form.
#include <windows.h>

#include <algorithm>

#include "framework/controls/win/Menus.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMainMenuBar.h"
#include "skin/frame/win/SkinMdiTabs.h"
#include "skin/model/SFMessages.h"

namespace {

// The component that subclassed an MDI client, kept on the client window.
constexpr wchar_t ClientOwnerProp[] = L"LmSkinFormMdiClient";

LRESULT CALLBACK SkinClientWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* C = static_cast<TsfSkinForm*>(GetPropW(Wnd, ClientOwnerProp));
    if (!C) return DefWindowProcW(Wnd, Msg, WParam, LParam);
    TMessage M{Msg, WParam, LParam, 0};
    C->NewClientWndProc(M);
    return M.Result;
}

TCustomForm* MainForm() { return Application->MainForm(); }

TsfSkinForm* MainSkinForm()
{
    TCustomForm* Main = MainForm();
    return Main && Main->FormStyle() == fsMDIForm ? GetSkinForm(Main) : nullptr;
}

void SendToMain(UINT Msg, WPARAM WParam)
{
    TCustomForm* Main = MainForm();
    if (Main && Main->HandleAllocated()) SendMessageW(Main->Handle(), Msg, WParam, 0);
}

// The first window-menu item of Child (its name with the suffix taken out is the child's).
TMenuItem* ChildItem(TMenuItem* WindowMenu, TCustomForm* Child)
{
    for (Integer I = 0; I < WindowMenu->Count(); ++I) {
        TMenuItem* Item = WindowMenu->Items(I);
        if (MDIIsChildItem(Item->Name()) && MDIChildNameOfItem(Item->Name()) == Child->Name()) return Item;
    }
    return nullptr;
}

} // namespace

std::vector<TCustomForm*> TsfSkinForm::MDIChildList() const
{
    std::vector<TCustomForm*> L;
    TCustomForm* Main = MainForm();
    if (!Main || Main->FormStyle() != fsMDIForm) return L;
    for (Integer I = 0; TCustomForm* F = Main->MDIChildren(I); ++I) L.push_back(F);
    return L;
}

// ---------------------------------------------------------------------------
// The window menu

void TsfSkinForm::AddChildToMenu(TCustomForm* Child)
{
    TCustomForm* Main = MainForm();
    if (!MainSkinForm() || !Main->WindowMenu() || !Child) return;
    TsfSkinForm* Owner = GetSkinForm(Child);
    auto* Item = new TMenuItem(Owner ? static_cast<TComponent*>(Owner) : this);
    Item->SetName(MDIChildItemName(Child->Name()));
    Item->SetCaption(Child->Caption());
    Item->OnClick = [this](TObject* Sender) { MDIItemClick(Sender); };
    Main->WindowMenu()->Add(Item);
}

void TsfSkinForm::DeleteChildFromMenu(TCustomForm* Child)
{
    TCustomForm* Main = MainForm();
    if (!MainSkinForm() || !Main->WindowMenu() || !Child) return;
    TMenuItem* WM = Main->WindowMenu();
    delete ChildItem(WM, Child);
    if (Main->MDIChildCount() != 0) return;
    for (Integer I = 0; I < WM->Count(); ++I)
        if (MDIIsChildItem(WM->Items(I)->Name())) {
            delete WM->Items(I);
            return;
        }
}

void TsfSkinForm::UpDateChildCaptionInMenu(TCustomForm* Child)
{
    TCustomForm* Main = MainForm();
    if (!MainSkinForm() || !Main->WindowMenu() || !Child) return;
    if (TMenuItem* Item = ChildItem(Main->WindowMenu(), Child)) Item->SetCaption(Child->Caption());
}

void TsfSkinForm::UpDateChildActiveInMenu()
{
    TCustomForm* Main = MainForm();
    if (!MainSkinForm() || !Main->WindowMenu()) return;
    TCustomForm* Active = Main->ActiveMDIChild();
    TMenuItem* WM = Main->WindowMenu();
    for (Integer I = 0; I < WM->Count(); ++I) {
        TMenuItem* Item = WM->Items(I);
        if (MDIIsChildItem(Item->Name()))
            Item->SetChecked(Active && MDIChildNameOfItem(Item->Name()) == Active->Name());
    }
}

void TsfSkinForm::MDIItemClick(TObject* Sender)
{
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Item) return;
    const String Name = MDIChildNameOfItem(Item->Name());
    for (TCustomForm* F : MDIChildList()) {
        if (F->Name() != Name) continue;
        if (TsfSkinForm* C = GetSkinForm(F); C && C->WindowState() == wsMinimized) C->SetWindowState(wsNormal);
        F->Show();
    }
}

// ---------------------------------------------------------------------------
// The tabs bar

void TsfSkinForm::SetMDITabsBar(TsfSkinMDITabsBar* Value)
{
    if (FMDITabsBar == Value) return;
    if (FMDITabsBar) FMDITabsBar->RemoveFreeNotification(this);
    FMDITabsBar = Value;
    if (FMDITabsBar) {
        FMDITabsBar->FreeNotification(this);
        if (!FMDITabsBar->SkinForm()) FMDITabsBar->SetSkinForm(this);
    }
}

void TsfSkinForm::AddChildToBar(TCustomForm* Child)
{
    TsfSkinForm* Main = MainSkinForm();
    if (!Main || !Main->MDITabsBar()) return;
    bool Accept = true;
    if (Main->OnAcceptToMDITabsBar) Main->OnAcceptToMDITabsBar(Accept);
    if (Accept) Main->MDITabsBar()->AddTab(Child);
}

void TsfSkinForm::DeleteChildFromBar(TCustomForm* Child)
{
    if (TsfSkinForm* Main = MainSkinForm(); Main && Main->MDITabsBar()) Main->MDITabsBar()->DeleteTab(Child);
}

void TsfSkinForm::RefreshMDIBarTab(TCustomForm* Child)
{
    TsfSkinForm* Main = MainSkinForm();
    if (!Main || !Main->MDITabsBar()) return;
    for (const auto& T : Main->MDITabsBar()->ObjectList)
        if (T->Child == Child) Main->MDITabsBar()->RedrawTab(T.get());
}

namespace {

void UpdateActiveTabOfMain()
{
    if (TsfSkinForm* Main = MainSkinForm(); Main && Main->MDITabsBar()) Main->MDITabsBar()->UpdateActiveTab();
}

} // namespace

// ---------------------------------------------------------------------------
// Arrangements (the main form's component only)

TRect TsfSkinForm::GetMDIClientRect()
{
    TCustomForm* Main = MainForm();
    if (!Main) return {};
    Integer L = 0, T = 0, R = Main->ClientWidth(), B = Main->ClientHeight();
    bool HasR = false, HasB = false;
    for (Integer I = 0; I < Main->ControlCount(); ++I) {
        TControl* C = Main->Controls(I);
        if (!C->Visible()) continue;
        switch (C->Align()) {
        case alLeft: L = std::max(L, C->Left() + C->Width()); break;
        case alTop: T = std::max(T, C->Top() + C->Height()); break;
        case alRight:
            R = HasR ? std::min(R, C->Left()) : C->Left();
            HasR = true;
            break;
        case alBottom:
            B = HasB ? std::min(B, C->Top()) : C->Top();
            HasB = true;
            break;
        default: break;
        }
    }
    return {L, T, R, B};
}

void TsfSkinForm::Tile()
{
    if (FTileMode == tbHorizontal) TileHorizontal();
    else TileVertical();
}

namespace {

void PlaceChildren(const std::vector<TCustomForm*>& Kids, const std::vector<TRect>& Bounds)
{
    for (size_t I = 0; I < Kids.size() && I < Bounds.size(); ++I)
        Kids[I]->SetBounds(Bounds[I].Left, Bounds[I].Top, Bounds[I].Width(), Bounds[I].Height());
}

} // namespace

void TsfSkinForm::TileHorizontal()
{
    if (FForm->FormStyle() != fsMDIForm) return;
    const std::vector<TCustomForm*> Kids = MDIChildList();
    if (Kids.empty()) return;
    RestoreAll();
    const TRect R = GetMDIClientRect();
    PlaceChildren(Kids, MDITileHorizontal(Integer(Kids.size()), R.Width(), R.Height()));
}

void TsfSkinForm::TileVertical()
{
    if (FForm->FormStyle() != fsMDIForm) return;
    const std::vector<TCustomForm*> Kids = MDIChildList();
    if (Kids.empty()) return;
    RestoreAll();
    const TRect R = GetMDIClientRect();
    PlaceChildren(Kids, MDITileVertical(Integer(Kids.size()), R.Width(), R.Height()));
}

void TsfSkinForm::Cascade()
{
    if (FForm->FormStyle() != fsMDIForm) return;
    const std::vector<TCustomForm*> Kids = MDIChildList();
    if (Kids.empty()) return;
    RestoreAll();
    const TRect R = GetMDIClientRect();
    const bool Tool = FForm->BorderStyle() == bsToolWindow || FForm->BorderStyle() == bsSizeToolWin;
    const Integer Step = FSkinSupport && FSD ? FSD->ClRect.Top : (Tool ? 15 : GetDefCaptionHeight()) + 3;
    std::vector<TsfMDICascadeChild> Sizes;
    for (TCustomForm* F : Kids) Sizes.push_back({F->Width(), F->Height(), F->BorderStyle() == bsSingle});
    PlaceChildren(Kids, MDICascade(Sizes, R.Width(), R.Height(), Step, GetMinWidth(), GetMinHeight()));
}

void TsfSkinForm::MinimizeAll()
{
    if (FForm->FormStyle() != fsMDIForm) return;
    for (TCustomForm* F : MDIChildList())
        if (TsfSkinForm* C = GetSkinForm(F)) C->SetWindowState(wsMinimized);
}

void TsfSkinForm::MaximizeAll()
{
    if (FForm->FormStyle() != fsMDIForm) return;
    for (TCustomForm* F : MDIChildList())
        if (TsfSkinForm* C = GetSkinForm(F); C && (C->BorderIcons() & sfbiMaximize)) C->SetWindowState(wsMaximized);
}

void TsfSkinForm::CloseAll()
{
    if (FForm->FormStyle() != fsMDIForm) return;
    const std::vector<TCustomForm*> Kids = MDIChildList();
    for (auto It = Kids.rbegin(); It != Kids.rend(); ++It) (*It)->Close();
}

void TsfSkinForm::RestoreAll() { RestoreAllExcept(nullptr); }

void TsfSkinForm::RestoreAllExcept(HWND AHandle)
{
    if (FForm->FormStyle() != fsMDIForm) return;
    for (TCustomForm* F : MDIChildList()) {
        TsfSkinForm* C = GetSkinForm(F);
        if (!C || (AHandle && F->Handle() == AHandle)) continue;
        if (C->WindowState() != wsNormal) C->SetWindowState(wsNormal);
        if (C->RollUpState() && C->WindowState() == wsNormal) C->SetRollUpState(false);
    }
}

void TsfSkinForm::RefitMaximizedChildren()
{
    if (FForm->FormStyle() != fsMDIForm) return;
    for (TCustomForm* F : MDIChildList()) SendMessageW(F->Handle(), WM_MDICHILDFITPARENT, 0, 0);
    if (!ShowMDIScrollBars) ArrangeMinimizedMDIChildren();
}

void TsfSkinForm::ArrangeMinimizedMDIChildren()
{
    for (TCustomForm* F : MDIChildList())
        if (TsfSkinForm* C = GetSkinForm(F); C && C->WindowState() == wsMinimized) {
            const TPoint P = C->GetMinimizedPosition();
            F->SetBounds(P.X, P.Y, F->Width(), F->Height());
        }
}

TCustomForm* TsfSkinForm::GetMaximizedMDIChild()
{
    TCustomForm* Main = MainForm();
    if (!Main || Main->FormStyle() != fsMDIForm) return nullptr;
    if (TCustomForm* A = Main->ActiveMDIChild())
        if (TsfSkinForm* C = GetSkinForm(A); C && C->WindowState() == wsMaximized) return A;
    for (TCustomForm* F : MDIChildList())
        if (TsfSkinForm* C = GetSkinForm(F); C && C->WindowState() == wsMaximized) return F;
    return nullptr;
}

// ---------------------------------------------------------------------------
// The parent's scroll bars

void TsfSkinForm::CreateMDIScrollBars()
{
    auto Make = [this](bool Horizontal) {
        auto* B = new TsfSkinScrollBar(this);
        if (Horizontal) {
            B->SetKind(sbHorizontal);
            B->SetHeight(FMDIScroll.HHeight);
            B->SetSkinDataName(u"hscrollbar");
            B->OnUpButtonClick = [this](TObject*) { MDIHScrollUpClick(); };
            B->OnDownButtonClick = [this](TObject*) { MDIHScrollDownClick(); };
            B->OnPageUp = B->OnPageDown = B->OnLastChange = [this](TObject*) { SyncMDIHScroll(); };
        } else {
            B->SetKind(sbVertical);
            B->SetWidth(FMDIScroll.VWidth);
            B->SetSkinDataName(u"vscrollbar");
            B->OnUpButtonClick = [this](TObject*) { MDIVScrollUpClick(); };
            B->OnDownButtonClick = [this](TObject*) { MDIVScrollDownClick(); };
            B->OnPageUp = B->OnPageDown = B->OnLastChange = [this](TObject*) { SyncMDIVScroll(); };
        }
        B->SetSkinData(FSD);
        B->SetVisible(false);
        B->SetParent(FForm);
        return B;
    };
    if (!FMDIHScrollBar) FMDIHScrollBar = Make(true);
    if (!FMDIVScrollBar) FMDIVScrollBar = Make(false);
    FMDIScroll.H.Saved = FMDIScroll.V.Saved = 0;
}

void TsfSkinForm::MDIHScrollUpClick()
{
    FMDIHScrollBar->SetPosition(FMDIHScrollBar->Position() + 10);
    SyncMDIHScroll();
}

void TsfSkinForm::MDIHScrollDownClick()
{
    FMDIHScrollBar->SetPosition(FMDIHScrollBar->Position() - 10);
    SyncMDIHScroll();
}

void TsfSkinForm::MDIVScrollUpClick()
{
    FMDIVScrollBar->SetPosition(FMDIVScrollBar->Position() + 10);
    SyncMDIVScroll();
}

void TsfSkinForm::MDIVScrollDownClick()
{
    FMDIVScrollBar->SetPosition(FMDIVScrollBar->Position() - 10);
    SyncMDIVScroll();
}

void TsfSkinForm::SyncMDIHScroll()
{
    const Integer P = FMDIHScrollBar->Position();
    if (P == FMDIScroll.H.Saved) return;
    const Integer D = FMDIScroll.H.Saved - P;
    FMDIScroll.H.Saved = P;
    OffsetMDIChildrenX(D);
}

void TsfSkinForm::SyncMDIVScroll()
{
    const Integer P = FMDIVScrollBar->Position();
    if (P == FMDIScroll.V.Saved) return;
    const Integer D = FMDIScroll.V.Saved - P;
    FMDIScroll.V.Saved = P;
    OffsetMDIChildrenY(D);
}

void TsfSkinForm::OffsetMDIChildrenX(Integer DX)
{
    FStopCheckChildMove = true;
    for (TCustomForm* F : MDIChildList())
        if (F->Visible()) F->SetLeft(F->Left() + DX);
    FStopCheckChildMove = false;
    UpdateMDIScrollBars(false);
}

void TsfSkinForm::OffsetMDIChildrenY(Integer DY)
{
    FStopCheckChildMove = true;
    for (TCustomForm* F : MDIChildList())
        if (F->Visible()) F->SetTop(F->Top() + DY);
    FStopCheckChildMove = false;
    UpdateMDIScrollBars(false);
}

void TsfSkinForm::UpdateMDIScrollBars(bool ARecalcRange)
{
    if (!FMDIHScrollBar || !FMDIVScrollBar) return;
    std::vector<TRect> Kids;
    for (TCustomForm* F : MDIChildList())
        if (F->Visible() && F->Handle() != ChangeVisibleChildHanle) Kids.push_back(F->BoundsRect());
    // The core starts from the bars as they are now.
    FMDIScroll.H.Visible = FMDIHScrollBar->Visible();
    FMDIScroll.V.Visible = FMDIVScrollBar->Visible();
    FMDIScroll.H.PageSize = FMDIHScrollBar->PageSize();
    FMDIScroll.V.PageSize = FMDIVScrollBar->PageSize();
    const bool Suppressed = FMDIChildMaximized || GetMaximizedMDIChild() || !ShowMDIScrollBars;
    FMDIScroll.Update(GetMDIClientRect(), Kids, ARecalcRange, Suppressed);
    auto Apply = [ARecalcRange](TsfSkinScrollBar* B, const TsfMDIScrollBar& S) {
        if (S.Visible) {
            B->SetBounds(S.Bounds.Left, S.Bounds.Top, S.Bounds.Width(), S.Bounds.Height());
            if (ARecalcRange) B->SetRange(0, S.Max, S.Position, S.PageSize);
            B->SetLargeChange(S.LargeChange);
            B->BringToFront();
        }
        B->SetVisible(S.Visible);
    };
    if (FMDIHScrollBar->Both() != FMDIScroll.Both) FMDIHScrollBar->SetBoth(FMDIScroll.Both);
    Apply(FMDIHScrollBar, FMDIScroll.H);
    Apply(FMDIVScrollBar, FMDIScroll.V);
}

void TsfSkinForm::PlaceMDIScrollBars()
{
    if (FForm->FormStyle() != fsMDIForm || !FMDIHScrollBar || !FMDIVScrollBar) return;
    FMDIScroll.H.Visible = FMDIHScrollBar->Visible();
    FMDIScroll.V.Visible = FMDIVScrollBar->Visible();
    FMDIScroll.Place(GetMDIClientRect());
    if (FMDIScroll.H.Visible || FMDIScroll.V.Visible) {
        FMDIHScrollBar->SetBoth(FMDIScroll.Both);
        const TRect& H = FMDIScroll.H.Bounds;
        const TRect& V = FMDIScroll.V.Bounds;
        FMDIHScrollBar->SetBounds(H.Left, H.Top, H.Width(), H.Height());
        FMDIVScrollBar->SetBounds(V.Left, V.Top, V.Width(), V.Height());
    }
}

// ---------------------------------------------------------------------------
// The MDI client's procedure

void TsfSkinForm::InstallClientProc()
{
    const HWND Client = FForm->ClientHandle();
    if (!Client || FClientWnd) return;
    FClientWnd = Client;
    SetPropW(Client, ClientOwnerProp, this);
    FPrevClientProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinClientWndProc)));
}

void TsfSkinForm::RemoveClientProc()
{
    if (!FClientWnd) return;
    if (IsWindow(FClientWnd)) {
        SetWindowLongPtrW(FClientWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevClientProc));
        RemovePropW(FClientWnd, ClientOwnerProp);
    }
    FClientWnd = nullptr;
    FPrevClientProc = nullptr;
}

void TsfSkinForm::NewClientWndProc(TMessage& Message)
{
    const HWND Client = FClientWnd;
    switch (Message.Msg) {
    case WM_SIZE: {
        Message.Result = CallWindowProcW(FPrevClientProc, Client, Message.Msg, Message.WParam, Message.LParam);
        RefitMaximizedChildren();
        const bool Stretched =
            (FLogoBitMap && !FLogoBitMap->Empty()) ||
            (FSkinSupport && FSD &&
             ((FSD->StretchEffect && FSD->MDIBGPictureIndex == -1) ||
              (FSD->MDIBGPictureIndex != -1 && FSD->MDIBGStretchEffect)));
        if (Stretched) {
            const RECT R{0, 0, FForm->ClientWidth(), FForm->ClientHeight()};
            RedrawWindow(Client, &R, nullptr, RDW_ERASE | RDW_INVALIDATE);
        }
        UpdateMDIScrollBars(true);
        return;
    }
    case WM_ERASEBKGND: {
        const HDC DC = reinterpret_cast<HDC>(Message.WParam);
        if (!FSkinSupport || !FSD || FSD->Empty) PaintMDIBGDefault(DC);
        else if (FSD->MDIBGPictureIndex != -1) PaintBG3(DC);
        else if (FSD->BGPictureIndex == -1) PaintBG(DC);
        else PaintBG2(DC);
        Message.Result = 1;
        return;
    }
    case WM_NCCALCSIZE:
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_NCACTIVATE: Message.Result = 1; return;
    case WM_NCDESTROY: {
        const WNDPROC Prev = FPrevClientProc;
        RemoveClientProc();
        Message.Result = CallWindowProcW(Prev, Client, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    }
    Message.Result = CallWindowProcW(FPrevClientProc, Client, Message.Msg, Message.WParam, Message.LParam);
}

// ---------------------------------------------------------------------------
// The MDI branches of the window procedure

bool TsfSkinForm::MDIBeforeForm(TMessage& Message, bool& Pass)
{
    const bool Parent = FForm->FormStyle() == fsMDIForm;
    const bool Child = FForm->FormStyle() == fsMDIChild;
    switch (Message.Msg) {
    case WM_DESTROY:
        if (Child) {
            FWindowState = FWindowStateInit = wsNormal;
            // A child freed while shown takes its tab along: the bar keeps no freed form.
            DeleteChildFromBar(FForm);
            UpdateActiveTabOfMain();
            SendToMain(WM_MDICHILDRESTORED, 0);
            SendToMain(WM_MDICHILDMOVED, reinterpret_cast<WPARAM>(FForm->Handle()));
        }
        return false;
    case WM_MOUSEACTIVATE:
        // A click into the active child marks it active before its activation message comes.
        if (Child && FSkinnableForm && !FFormActive && MainForm() && MainForm()->ActiveMDIChild() == FForm) {
            FFormActive = true;
            DoActivateEvents();
        }
        return false;
    case WM_CHANGESKINDATAFINISHED:
        if (Parent && FSD && Message.WParam == reinterpret_cast<WPARAM>(FSD)) RefitMaximizedChildren();
        return false;
    case WM_MDICHILDFITPARENT:
        if (Child && FWindowStateInit == wsMaximized && MainSkinForm()) {
            const TRect R = MainSkinForm()->GetMDIClientRect();
            FForm->SetBounds(0, 0, R.Width(), R.Height());
        }
        Pass = true;
        return true;
    case WM_MDICHILDMAXIMIZED:
        if (Parent && !FInMaximizeAll) {
            FMDIChildMaximized = true;
            UpDateFormNC();
            if (auto* Bar = dynamic_cast<TsfSkinMainMenuBar*>(MainMenuBar())) Bar->ShowChildButtons();
            FInMaximizeAll = true;
            auto Done = ScopeExit([&] { FInMaximizeAll = false; });
            MaximizeAll();
        }
        Pass = false;
        return true;
    case WM_MDICHILDRESTORED:
        if (Parent && !FInRestoreAll) {
            FMDIChildMaximized = GetMaximizedMDIChild() != nullptr;
            UpDateFormNC();
            if (auto* Bar = dynamic_cast<TsfSkinMainMenuBar*>(MainMenuBar())) Bar->CheckChildButtons();
            UpdateMDIScrollBars(true);
        }
        Pass = false;
        return true;
    case WM_MDICHILDMOVED:
        if (Parent && !FStopCheckChildMove) {
            ChangeVisibleChildHanle = reinterpret_cast<HWND>(Message.WParam);
            auto Done = ScopeExit([&] { ChangeVisibleChildHanle = nullptr; });
            UpdateMDIScrollBars(true);
        }
        Pass = false;
        return true;
    case WM_MDIRESTOREALL:
    case WM_MDIRESTOREOTHERS:
        if (Parent && FMDIChildMaximized && !FInRestoreAll) {
            {
                FInRestoreAll = true;
                auto Done = ScopeExit([&] { FInRestoreAll = false; });
                if (Message.Msg == WM_MDIRESTOREALL) RestoreAll();
                else RestoreAllExcept(reinterpret_cast<HWND>(Message.WParam));
            }
            FMDIChildMaximized = false;
            UpDateFormNC();
            if (auto* Bar = dynamic_cast<TsfSkinMainMenuBar*>(MainMenuBar())) Bar->CheckChildButtons();
            UpdateMDIScrollBars(true);
        }
        Pass = false;
        return true;
    case WM_MDIISCHILDMAXIMIZED:
        Message.Result = Parent && (FMDIChildMaximized || GetMaximizedMDIChild()) ? 1 : 0;
        Pass = false;
        return true;
    }
    return false;
}

void TsfSkinForm::MDIAfterForm(TMessage& Message)
{
    const bool Child = FForm->FormStyle() == fsMDIChild;
    TsfSkinForm* Main = MainSkinForm();
    switch (Message.Msg) {
    case WM_SHOWWINDOW:
        if (!Child) {
            if (Message.WParam && FForm->ClientHandle() && !FClientWnd) {
                InstallClientProc();
                NudgeWidth();
            }
            return;
        }
        if (Message.WParam) {
            AddChildToMenu(FForm);
            AddChildToBar(FForm);
            if (TCustomForm* M = MainForm(); M && M->HandleAllocated() &&
                                             SendMessageW(M->Handle(), WM_MDIISCHILDMAXIMIZED, 0, 0) == 1 &&
                                             (FBorderIcons & sfbiMaximize))
                SetWindowState(wsMaximized);
            SendToMain(WM_MDICHILDMOVED, 0);
        } else {
            DeleteChildFromMenu(FForm);
            DeleteChildFromBar(FForm);
        }
        return;
    case WM_SETTEXT:
        if (!Child) return;
        UpDateChildCaptionInMenu(FForm);
        RefreshMDIBarTab(FForm);
        if (FWindowStateInit == wsMaximized && Main) Main->UpDateFormNC();
        return;
    case WM_NCACTIVATE:
        if (Child) {
            UpDateChildActiveInMenu();
            UpdateActiveTabOfMain();
        }
        return;
    case WM_MOVE:
    case WM_SIZE:
        if (Child) SendToMain(WM_MDICHILDMOVED, 0);
        return;
    }
}
