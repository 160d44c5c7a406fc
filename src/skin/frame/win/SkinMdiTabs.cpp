#include "skin/frame/win/SkinMdiTabs.h"

#include <windows.h>

#include <algorithm>
#include <tuple>

#include "framework/controls/win/Menus.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/model/SFMessages.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

constexpr TColor MouseInTabColor = 0xD2BDB6;
constexpr TColor ActiveTabColor = 0xB59385;

bool Inside(const TRect& R, Integer X, Integer Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

// Inverts the pixel (X, Y) of B when it lies on it.
void InvertPixel(TsfBitmap* B, Integer X, Integer Y)
{
    if (X < 0 || Y < 0 || X >= B->Width() || Y >= B->Height()) return;
    B->SetPixel(X, Y, (B->GetPixel(X, Y) ^ 0x00FFFFFFu) | 0xFF000000u);
}

// The child of the main form named Name, or nil.
TCustomForm* MDIChildNamed(const String& Name)
{
    TCustomForm* Main = Application->MainForm();
    if (!Main) return nullptr;
    for (Integer I = 0; TCustomForm* F = Main->MDIChildren(I); ++I)
        if (F->Name() == Name) return F;
    return nullptr;
}

// Shows Child, restoring it first when its frame component has it minimised.
void ShowChild(TCustomForm* Child)
{
    if (TsfSkinForm* C = GetSkinForm(Child); C && C->WindowState() == wsMinimized) C->SetWindowState(wsNormal);
    Child->Show();
}

} // namespace

// ---------------------------------------------------------------------------
// One tab

void TsfMDITab::Draw(TCanvas* Canvas)
{
    if (ObjectRect.Width() <= 0 || ObjectRect.Height() <= 0) return;
    TsfBitmap B;
    DrawInto(B);
    B.Draw(Canvas, ObjectRect.Left, ObjectRect.Top);
}

void TsfMDITab::Draw(TsfBitmap* Dst)
{
    if (ObjectRect.Width() <= 0 || ObjectRect.Height() <= 0) return;
    TsfBitmap B;
    DrawInto(B);
    B.Draw(Dst, ObjectRect.Left, ObjectRect.Top);
}

void TsfMDITab::DrawInto(TsfBitmap& B)
{
    TsfSkinMDITabsBar* Bar = TabsBar;
    const TsfTabSkin& S = Bar->Skin();
    const TsfBitmap* P = Bar->SkinPicture();
    const Integer W = ObjectRect.Width();
    Integer H = ObjectRect.Height();
    const bool Close = Bar->ShowCloseButtons();
    TColor TextColor = clBtnText;
    bool SkinFont = false;
    TRect T{2, 0, W - 2, H};
    B.SetSize(W, H);
    if (!Bar->Described()) {
        const TColor Fill = Active ? ActiveTabColor : MouseIn ? MouseInTabColor : clBtnFace;
        B.FillRect({0, 0, W, H}, SkinColorOf(Fill));
    } else if (Bar->TabKind() == sftkButton) {
        if (!DrawSkinButtonPicture(Bar->SkinData(), &B, u"resizebutton", Active, MouseIn && !Active, TextColor))
            B.FillRect({0, 0, W, H}, SkinColorOf(clBtnFace));
        T = {2, 0, W - (Close ? Bar->CloseSize() + 3 : 2), H};
    } else {
        TRect R = S.TabRect;
        if (Active) R = S.ActiveTabRect;
        else if (MouseIn) R = S.MouseInTabRect;
        TextColor = Active ? S.ActiveFontColor : MouseIn ? S.MouseInFontColor : S.FontColor;
        SkinFont = Bar->UseSkinFont;
        if (P && !IsEmptyRect(R)) {
            if (Bar->UseSkinSize) {
                CreateHSkinImage(S.TabLeftOffset, S.TabRightOffset, &B, P, R, W, H, S.TabStretchEffect);
            } else {
                if (Active) H += Bar->ActiveTabOffset();
                B.SetSize(W, H);
                const Integer Q = S.TabRect.Height() / 4;
                CreateStretchImage(&B, P, R, {S.TabLeftOffset, Q, R.Width() - S.TabRightOffset, R.Height() - Q}, true);
            }
        }
        T = {S.TabLeftOffset, 0, W - S.TabRightOffset, B.Height()};
    }
    if (Close) T.Right = W - Bar->CloseSize() - 5;
    TCanvas* C = B.Canvas();
    C->Brush()->SetStyle(bsClear);
    C->Font()->Assign(Bar->DefaultFont());
    if (SkinFont) {
        C->Font()->SetName(S.FontName);
        C->Font()->SetStyle(S.FontStyle);
        C->Font()->SetHeight(S.FontHeight);
    }
    SetSkinCharset(C->Font(), Bar->SkinData());
    if (Bar->Described()) C->Font()->SetColor(TextColor);
    String Text = Child ? Child->Caption() : String();
    CutTextToWidth(C, Text, T.Width());
    if (Bar->OnTabGetDrawParamsEvent) Bar->OnTabGetDrawParamsEvent(this, C);
    TRect TR = T;
    DrawWideText(C, Text, TR, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Close) DrawCloseButton(B, {T.Right, 0, W, B.Height()});
}

void TsfMDITab::DrawCloseButton(TsfBitmap& B, const TRect& Area)
{
    TsfSkinMDITabsBar* Bar = TabsBar;
    const TsfTabSkin& S = Bar->Skin();
    const TsfBitmap* P = Bar->SkinPicture();
    TRect Btn;
    if (!Bar->Described()) {
        Btn = PlaceCloseButton(Area, 14, 14);
        DrawCloseImage(B.Canvas(), Btn.Left + 2, Btn.Top + 2, ButtonMouseIn ? TColor(0xFFFFFF) : TColor(0));
    } else if (IsEmptyRect(S.CloseButtonRect) || !P) {
        const Integer CS = Bar->CloseSize();
        TsfBitmap CB;
        CB.SetSize(CS, CS);
        TColor Color = 0;
        if (!DrawSkinButtonPicture(Bar->SkinData(), &CB, u"resizetoolbutton", ButtonMouseDown && ButtonMouseIn,
                                   ButtonMouseIn, Color))
            CB.FillRect({0, 0, CS, CS}, SkinColorOf(clBtnFace));
        DrawCloseImage(CB.Canvas(), CS / 2 - 5, CS / 2 - 5, Color);
        Btn = PlaceCloseButton(Area, CS, CS);
        CB.Draw(&B, Btn.Left, Btn.Top);
    } else {
        const TRect Src = ButtonMouseDown && ButtonMouseIn ? S.CloseButtonDownRect
                          : ButtonMouseIn                ? S.ClosebuttonActiveRect
                                                         : S.CloseButtonRect;
        Btn = PlaceCloseButton(Area, Src.Width(), Src.Height());
        if (S.ButtonTransparent) DrawKeyed(&B, P, Src, Btn.Left, Btn.Top, S.ButtonTransparentColor);
        else SkinCopyRect(&B, Btn, P, Src);
    }
    ButtonRect = Btn;
}

// ---------------------------------------------------------------------------
// The bar

TsfSkinMDITabsBar::TsfSkinMDITabsBar(TComponent* AOwner) : TsfSkinControl(AOwner)
{
    FSkinDataName = u"tab";
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->SetName(u"Arial");
    FDefaultFont->SetHeight(14);
    SetBounds(Left(), Top(), 150, 21);
}

TsfSkinMDITabsBar::~TsfSkinMDITabsBar()
{
    if (FSkinForm && FSkinForm->MDITabsBar() == this) FSkinForm->SetMDITabsBar(nullptr);
    ObjectList.clear();
}

void TsfSkinMDITabsBar::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinForm) FSkinForm = nullptr;
    if (AComponent == FListButton) FListButton = nullptr;
    if (AComponent == FHideListButton) FHideListButton = nullptr;
    if (AComponent == FListMenu) FListMenu = nullptr;
    if (AComponent == FHideListMenu) FHideListMenu = nullptr;
}

void TsfSkinMDITabsBar::SetSkinForm(TsfSkinForm* Value)
{
    if (FSkinForm) FSkinForm->RemoveFreeNotification(this);
    FSkinForm = Value;
    if (FSkinForm) FSkinForm->FreeNotification(this);
}

void TsfSkinMDITabsBar::SetTabKind(TsfSkinMDITabKind Value)
{
    if (FTabKind == Value) return;
    FTabKind = Value;
    ChangeSkinData();
}

void TsfSkinMDITabsBar::SetShowCloseButtons(bool Value)
{
    if (FShowCloseButtons == Value) return;
    FShowCloseButtons = Value;
    Invalidate();
}

void TsfSkinMDITabsBar::SetDefaultHeight(Integer Value)
{
    FDefaultHeight = Value;
    if (!FDescribed && Value > 0) SetHeight(Value);
}

void TsfSkinMDITabsBar::GetSkinData()
{
    inherited::GetSkinData();
    FDescribed = false;
    FPicture = nullptr;
    FBottomOffset = 0;
    FActiveTabOffset = 0;
    if (FIndex < 0 || FIndex >= Integer(FSD->CtrlList.size())) return;
    auto* D = dynamic_cast<TsfDataSkinTabControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!D) {
        FIndex = -1;
        return;
    }
    CopyTabDescription(*D, FSkin);
    if (IsEmptyRect(FSkin.MouseInTabRect)) FSkin.MouseInTabRect = FSkin.TabRect;
    FPicture = FSD->ActiveBitmap(D->PictureIndex);
    FDescribed = true;
    FBottomOffset = FTabKind == sftkTab ? FSkin.ClRect.Top : 0;
    FActiveTabOffset = FSkin.ActiveTabRect.Height() - FSkin.TabRect.Height();
}

Integer TsfSkinMDITabsBar::GetCloseSize()
{
    if (!FDescribed || IsEmptyRect(FSkin.CloseButtonRect)) return 14;
    return FSkin.CloseButtonRect.Width();
}

void TsfSkinMDITabsBar::ChangeSkinData()
{
    GetSkinData();
    FCloseSize = GetCloseSize();
    if (FDescribed && UseSkinSize)
        SetHeight(FSkin.TabRect.Height() + (FTabKind == sftkTab ? FBottomOffset : 0));
    else if (FDefaultHeight > 0)
        SetHeight(FDefaultHeight);
    for (TsfSkinMenuSpeedButton* B : {FListButton, FHideListButton})
        if (B) B->SetSkinData(FSD);
    Realign();
    Invalidate();
}

void TsfSkinMDITabsBar::AdjustClientRect(TRect& Rect)
{
    inherited::AdjustClientRect(Rect);
    if (FTabKind == sftkTab && FDescribed) Rect.Bottom -= FBottomOffset;
}

void TsfSkinMDITabsBar::Resize()
{
    inherited::Resize();
    CalcObjectRects();
}

void TsfSkinMDITabsBar::Dispatch(TMessage& Message)
{
    if ((Message.Msg == WM_PARENTBGCHANGED || (Message.Msg == WM_MOVE && Align() == alNone)) && FSD &&
        FSD->MDITabsTransparent)
        Invalidate();
    inherited::Dispatch(Message);
}

TsfMDITabsLayout TsfSkinMDITabsBar::Layout()
{
    const Integer TabH = FTabKind == sftkButton ? Height() : Height() - FBottomOffset;
    return CalcMDITabRects(Integer(ObjectList.size()), Width(), TabH, DefaultTabWidth, MinTabWidth,
                           IsDrag ? DragIndex : -1, TabDX);
}

void TsfSkinMDITabsBar::CalcObjectRects()
{
    if (ObjectList.empty()) {
        FInVisibleCount = 0;
        return;
    }
    const TsfMDITabsLayout L = Layout();
    for (size_t I = 0; I < ObjectList.size(); ++I) {
        ObjectList[I]->ObjectRect = L.Rects[I];
        ObjectList[I]->Visible = L.Visible[I];
    }
    FInVisibleCount = L.InVisibleCount;
}

void TsfSkinMDITabsBar::AddTab(TCustomForm* Child)
{
    if (!Child) return;
    ObjectList.push_back(std::make_unique<TsfMDITab>(this, Child));
    CalcObjectRects();
    UpdateListButtons();
    Invalidate();
}

void TsfSkinMDITabsBar::DeleteTab(TCustomForm* Child)
{
    if (ActiveTabIndex >= 0 && ActiveTabIndex < Integer(ObjectList.size()) &&
        ObjectList[size_t(ActiveTabIndex)]->Child == Child) {
        if (OnTabMouseLeave) OnTabMouseLeave(ObjectList[size_t(ActiveTabIndex)].get());
        ActiveTabIndex = OldTabIndex = -1;
    }
    auto It = std::find_if(ObjectList.begin(), ObjectList.end(), [&](const auto& T) { return T->Child == Child; });
    if (It == ObjectList.end()) return;
    ObjectList.erase(It);
    // A drag of the gone tab (or past it) ends.
    IsDrag = false;
    DragIndex = -1;
    FDown = false;
    CalcObjectRects();
    UpdateListButtons();
    Invalidate();
}

void TsfSkinMDITabsBar::UpdateActiveTab()
{
    TCustomForm* Main = Application->MainForm();
    TCustomForm* Active = Main ? Main->ActiveMDIChild() : nullptr;
    if (!Active) return;
    for (const auto& T : ObjectList) T->Active = T->Child == Active;
    Invalidate();
}

Integer TsfSkinMDITabsBar::GetTabIndex(Integer X, Integer Y)
{
    for (size_t I = 0; I < ObjectList.size(); ++I) {
        const TsfMDITab* T = ObjectList[I].get();
        const TRect& R = T->ObjectRect;
        if (T->Visible && X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom) return Integer(I);
    }
    return -1;
}

TsfMDITab* TsfSkinMDITabsBar::GetTab(Integer X, Integer Y)
{
    const Integer I = GetTabIndex(X, Y);
    return I < 0 ? nullptr : ObjectList[size_t(I)].get();
}

void TsfSkinMDITabsBar::RedrawTab(TsfMDITab* Tab)
{
    if (!HandleAllocated() || !Tab) return;
    GetSkinData();
    CalcObjectRects();
    Tab->Draw(Canvas());
}

// ---------------------------------------------------------------------------
// Painting

void TsfSkinMDITabsBar::Paint()
{
    CalcObjectRects();
    inherited::Paint();
    UpdateListButtons();
}

void TsfSkinMDITabsBar::CreateControlDefaultImage(TsfBitmap* B)
{
    B->FillRect({0, 0, B->Width(), B->Height()}, SkinColorOf(clBtnFace));
    DrawTabs(B);
}

void TsfSkinMDITabsBar::CreateControlSkinImage(TsfBitmap* B)
{
    const Integer W = B->Width(), H = B->Height();
    const Integer BarH = FTabKind == sftkTab ? H - FBottomOffset : H;
    B->FillRect({0, 0, W, H}, SkinColorOf(clBtnFace));
    if (FSD->MDITabsTransparent) {
        DrawParentBackground(this, B->Canvas());
    } else if (FPicture && !IsEmptyRect(FSkin.TabsBGRect)) {
        const TRect& S = FSkin.TabsBGRect;
        for (Integer X = 0; X < W; X += S.Width()) FPicture->Draw(B, TRect{X, 0, X + S.Width(), BarH}, S);
    }
    if (FTabKind == sftkTab && FPicture && !IsEmptyRect(FSkin.SkinRect) && FBottomOffset > 0) {
        // The top band of the page frame, as wide as the bar, under the tabs.
        const TRect& S = FSkin.SkinRect;
        TsfBitmap Strip;
        CreateHSkinImage(FSkin.LTPoint.X, S.Width() - FSkin.RTPoint.X, &Strip, FPicture,
                         {S.Left, S.Top, S.Right, S.Top + FSkin.ClRect.Top}, W, FBottomOffset, false);
        Strip.Draw(B, 0, H - FBottomOffset);
    }
    DrawTabs(B);
}

void TsfSkinMDITabsBar::DrawTabs(TsfBitmap* B)
{
    const bool Dragged = IsDrag && DragIndex >= 0 && DragIndex < Integer(ObjectList.size());
    for (size_t I = 0; I < ObjectList.size(); ++I)
        if (ObjectList[I]->Visible && !(Dragged && Integer(I) == DragIndex)) ObjectList[I]->Draw(B);
    if (Dragged) {
        ObjectList[size_t(DragIndex)]->Draw(B);
        DrawDropMarker(B);
    }
}

void TsfSkinMDITabsBar::DrawDropMarker(TsfBitmap* B)
{
    const Integer Drop = MDITabDropIndex(Layout(), DragIndex, TabDX);
    if (Drop < 0) return;
    const TRect& R = ObjectList[size_t(Drop)]->ObjectRect;
    const Integer X = TabDX < 0 ? R.Left : R.Right;
    for (Integer Y = 0; Y < B->Height(); ++Y)
        for (Integer I = X - 1; I <= X + 1; ++I) InvertPixel(B, I, Y);
    // Two small triangles at mid-height pointing at the lines.
    const Integer M = B->Height() / 2;
    for (Integer D = 0; D <= 3; ++D)
        for (Integer Y = M - (3 - D); Y <= M + (3 - D); ++Y) {
            InvertPixel(B, X + 2 + D, Y);
            InvertPixel(B, X - 2 - D, Y);
        }
}

// ---------------------------------------------------------------------------
// List buttons

void TsfSkinMDITabsBar::UpdateListButtons()
{
    if (ComponentState() & csDestroying) return;
    auto Make = [this](bool Hidden) {
        auto* Menu = new TsfSkinPopupMenu(this);
        Menu->SetSkinData(FSD);
        auto* B = new TsfSkinMenuSpeedButton(this);
        B->SetSkinDataName(u"resizetoolbutton");
        B->SetDrawStandardArrow(true, Hidden ? 2 : 4);
        B->SetWidth(MDITabsListButtonWidth);
        B->SetAlign(Hidden ? alRight : alLeft);
        B->SetSkinPopupMenu(Menu);
        B->SetSkinData(FSD);
        B->OnShowTrackMenu = [this, Hidden](TObject*) { RebuildListMenu(Hidden); };
        B->SetParent(this);
        return std::make_pair(B, Menu);
    };
    if (!ObjectList.empty() && !FListButton) std::tie(FListButton, FListMenu) = Make(false);
    if (ObjectList.empty() && FListButton) {
        delete FListButton;
        delete FListMenu;
    }
    if (FInVisibleCount > 0 && !FHideListButton) std::tie(FHideListButton, FHideListMenu) = Make(true);
    if (FInVisibleCount == 0 && FHideListButton) {
        delete FHideListButton;
        delete FHideListMenu;
    }
}

void TsfSkinMDITabsBar::RebuildListMenu(bool HiddenOnly)
{
    TsfSkinPopupMenu* Menu = HiddenOnly ? FHideListMenu : FListMenu;
    if (!Menu) return;
    Menu->Items()->Clear();
    TCustomForm* Main = Application->MainForm();
    TCustomForm* Active = Main ? Main->ActiveMDIChild() : nullptr;
    const String Suffix = HiddenOnly ? MDITabsHiddenListSuffix : MDITabsListSuffix;
    for (const auto& T : ObjectList) {
        if (HiddenOnly && T->Visible) continue;
        auto* Item = new TMenuItem(Menu);
        Item->SetName(T->Child->Name() + Suffix);
        Item->SetCaption(T->Child->Caption());
        Item->SetRadioItem(true);
        Item->SetChecked(T->Child == Active);
        Item->OnClick = [Suffix](TObject* Sender) {
            String Name = static_cast<TMenuItem*>(Sender)->Name();
            Name.resize(Name.size() - Suffix.size());
            if (TCustomForm* F = MDIChildNamed(Name)) ShowChild(F);
        };
        Menu->Items()->Add(Item);
    }
}

// ---------------------------------------------------------------------------
// Mouse

bool TsfSkinMDITabsBar::InCloseButton(const TsfMDITab* Tab, Integer X, Integer Y) const
{
    return FShowCloseButtons && Tab &&
           Inside(Tab->ButtonRect, X - Tab->ObjectRect.Left, Y - Tab->ObjectRect.Top);
}

void TsfSkinMDITabsBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    const Integer Index = GetTabIndex(X, Y);
    if (Index < 0) return;
    TsfMDITab* Tab = ObjectList[size_t(Index)].get();
    if (Button == mbLeft) {
        ShowChild(Tab->Child);
        FDown = true;
        if (MoveTabs) {
            DragIndex = Index;
            DX = X;
            TabDX = 0;
        }
        if ((Shift & ssDouble) && DblClickChildMove) {
            TsfSkinForm* C = GetSkinForm(Tab->Child);
            if (!C || C->WindowState() == wsNormal)
                Tab->Child->SetBounds(0, 0, Tab->Child->Width(), Tab->Child->Height());
        }
        if (InCloseButton(Tab, X, Y)) {
            FDown = false;
            DragIndex = -1;
            Tab->ButtonMouseDown = true;
            Tab->ButtonMouseIn = true;
            Invalidate();
        }
    }
    if (Button == mbRight && SupportChildMenus && FSkinForm)
        if (TsfSkinForm* C = GetSkinForm(Tab->Child)) {
            const TPoint P = ClientToScreen({X, Y});
            C->PopupSysMenuAtPoint(P.X, P.Y);
        }
    if (OnTabMouseDown) OnTabMouseDown(Button, Shift, Tab);
}

void TsfSkinMDITabsBar::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseMove(Shift, X, Y);
    if (FDown && DragIndex >= 0 && (IsDrag || X != DX)) {
        IsDrag = true;
        TabDX = X - DX;
        Invalidate();
        return;
    }
    TestActive(X, Y);
}

void TsfSkinMDITabsBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    if (IsDrag) {
        const Integer Drop = MDITabDropIndex(Layout(), DragIndex, TabDX);
        if (Drop != -1 && Drop != DragIndex) {
            auto Tab = std::move(ObjectList[size_t(DragIndex)]);
            ObjectList.erase(ObjectList.begin() + DragIndex);
            ObjectList.insert(ObjectList.begin() + Drop, std::move(Tab));
            ActiveTabIndex = OldTabIndex = -1;
        }
        IsDrag = false;
        DragIndex = -1;
        TabDX = 0;
        FDown = false;
        CalcObjectRects();
        Invalidate();
    } else {
        FDown = false;
        DragIndex = -1;
        if (TsfMDITab* Tab = GetTab(X, Y); Tab && OnTabMouseUp) OnTabMouseUp(Button, Shift, Tab);
    }
    for (const auto& T : ObjectList) T->ButtonMouseDown = false;
    if (FShowCloseButtons && Button == mbLeft) {
        CalcObjectRects();
        if (TsfMDITab* Tab = GetTab(X, Y); Tab && InCloseButton(Tab, X, Y)) {
            Tab->Child->Close();  // hiding the child takes its tab away
            return;
        }
    }
    Invalidate();
}

void TsfSkinMDITabsBar::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    TestActive(-1, -1);
}

void TsfSkinMDITabsBar::TestActive(Integer X, Integer Y)
{
    const Integer Index = GetTabIndex(X, Y);
    bool Repaint = false;
    if (Index != ActiveTabIndex) {
        if (ActiveTabIndex >= 0 && ActiveTabIndex < Integer(ObjectList.size())) {
            TsfMDITab* Old = ObjectList[size_t(ActiveTabIndex)].get();
            Old->MouseIn = false;
            if (OnTabMouseLeave) OnTabMouseLeave(Old);
        }
        OldTabIndex = ActiveTabIndex;
        ActiveTabIndex = Index;
        if (Index >= 0) {
            ObjectList[size_t(Index)]->MouseIn = true;
            if (OnTabMouseEnter) OnTabMouseEnter(ObjectList[size_t(Index)].get());
        }
        Repaint = true;
        for (size_t I = 0; I < ObjectList.size(); ++I)
            if (Integer(I) != Index) {
                TsfMDITab* T = ObjectList[I].get();
                T->ButtonMouseIn = T->ButtonMouseDown = false;
            }
    }
    if (Index >= 0 && FShowCloseButtons) {
        TsfMDITab* T = ObjectList[size_t(Index)].get();
        const bool In = InCloseButton(T, X, Y);
        if (In != T->ButtonMouseIn) {
            T->ButtonMouseIn = In;
            Repaint = true;
        }
    }
    if (Repaint) Invalidate();
}
