#include "skin/frame/win/SkinMainMenuBar.h"

#include <windows.h>

#include <algorithm>

#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/SkinCtrlGeometry.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/model/SFMessages.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

constexpr Cardinal MouseTimerId = 1;
constexpr Cardinal MouseTimerInterval = 50;
constexpr Cardinal MorphTimerId = 2;
constexpr Cardinal MorphTimerInterval = 25;
constexpr Cardinal AnimateTimerId = 3;
constexpr TColor Navy = 0x800000;
constexpr TColor HotFill = 0xD2BDB6;
constexpr TColor DownFill = 0xB59385;

bool EmptyRect(const TRect& R) { return R.Width() <= 0 || R.Height() <= 0; }
bool Inside(const TRect& R, Integer X, Integer Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

// The default look's face: navy frame and fill for pressed or hot, else the button face.
void DefaultFace(TsfBitmap& B, bool Down, bool Hot)
{
    const Integer W = B.Width(), H = B.Height();
    if (!Down && !Hot) {
        B.FillRect({0, 0, W, H}, SkinColorOf(clBtnFace));
        return;
    }
    B.FillRect({0, 0, W, H}, SkinColorOf(Navy));
    B.FillRect({1, 1, W - 1, H - 1}, SkinColorOf(Down ? DownFill : HotFill));
}

// The platform's icons of a frame component's caption buttons.
TBorderIcons IconsOf(const TsfSkinForm* C)
{
    TBorderIcons Icons = 0;
    if (C->BorderIcons() & sfbiSystemMenu) Icons |= biSystemMenu;
    if (C->BorderIcons() & sfbiMinimize) Icons |= biMinimize;
    if (C->BorderIcons() & sfbiMaximize) Icons |= biMaximize;
    return Icons;
}

// Normal morphed towards Hot by Kf, drawn into B at (X, Y).
void DrawMorphed(TsfBitmap* B, TsfBitmap& Normal, TsfBitmap& Hot, TMorphKind Kind, double Kf, Integer X, Integer Y)
{
    GdiFlush();
    auto From = TsfEffectBmp::CreateFromhWnd(Normal.Handle());
    auto To = TsfEffectBmp::CreateFromhWnd(Hot.Handle());
    if (!From || !To) {
        Normal.Draw(B, X, Y);
        return;
    }
    From->MorphBy(Kind, To.get(), Kf);
    From->Draw(B->Canvas()->Handle(), X, Y);
}

// The picture a menu item shows beside its caption: its own bitmap, else its
// image in the menu's image list.
struct TItemGlyph {
    TBitmap* Bitmap = nullptr;
    TCustomImageList* List = nullptr;
    Integer Index = -1, Width = 0, Height = 0;
    explicit operator bool() const { return Bitmap || List; }
};

TItemGlyph GlyphOf(TMenuItem* Item)
{
    TItemGlyph G;
    if (!Item) return G;
    if (TBitmap* B = Item->Bitmap(); B && !B->Empty()) {
        G.Bitmap = B;
        G.Width = B->Width();
        G.Height = B->Height();
        return G;
    }
    TMenu* Menu = Item->GetParentMenu();
    TCustomImageList* L = Menu ? Menu->Images() : nullptr;
    if (L && Item->ImageIndex() >= 0 && Item->ImageIndex() < L->Count()) {
        G.List = L;
        G.Index = Item->ImageIndex();
        G.Width = L->Width();
        G.Height = L->Height();
    }
    return G;
}

TsfSkinForm* MaximizedChildComponent()
{
    TCustomForm* Main = Application->MainForm();
    TsfSkinForm* M = Main ? GetSkinForm(Main) : nullptr;
    TCustomForm* Child = M ? M->GetMaximizedMDIChild() : nullptr;
    return Child ? GetSkinForm(Child) : nullptr;
}

} // namespace

// ---------------------------------------------------------------------------
// Bar objects

TsfMenuBarObject::TsfMenuBarObject(TsfSkinMainMenuBar* AParent, const TsfDataSkinObject* AData) : Parent(AParent)
{
    if (!AData) return;
    IDName = AData->IDName;
    SkinRect = ObjectRect = AData->SkinRect;
    ActiveSkinRect = DownRect = AData->ActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = AData->MorphKind;
    if (TsfSkinData* SD = AParent->SkinData()) Picture = SD->ActiveBitmap(AData->ActivePictureIndex);
}

void TsfMenuBarObject::ReDraw()
{
    Parent->DrawObject(this);
    if (CanMorph()) Parent->StartMorphTimer();
}

bool TsfMenuBarObject::CanMorph() const
{
    const TsfSkinData* SD = Parent->SkinData();
    return Morphing && SD && !SD->Empty && SD->EnableSkinEffects &&
           !(Parent->ToolBarMode && Parent->ToolBarModeItemTransparent);
}

bool TsfMenuBarObject::CanMorphing() const
{
    return (!FDown || EmptyRect(DownRect)) && ((Active && FMorphKf < 1) || (!Active && FMorphKf > 0));
}

void TsfMenuBarObject::DoMorphing()
{
    SetMorphKf(FMorphKf + (Active ? 0.2 : -0.2));
    Parent->DrawObject(this);
}

void TsfMenuBarObject::MouseEnter()
{
    FMouseIn = Active = true;
    ReDraw();
}

void TsfMenuBarObject::MouseLeave()
{
    FMouseIn = Active = false;
    ReDraw();
}

TsfSkinMainMenuBarButton::TsfSkinMainMenuBarButton(TsfSkinMainMenuBar* AParent,
                                                   const TsfDataSkinMainMenuBarButton* AData, TStdCommand ACommand)
    : TsfMenuBarObject(AParent, AData), FSkinSupport(AData != nullptr), Command(AData ? AData->Command : ACommand)
{
    if (AData && !EmptyRect(AData->DownRect)) DownRect = AData->DownRect;
}

void TsfSkinMainMenuBarButton::Draw(TsfBitmap* B)
{
    const Integer W = ObjectRect.Width(), H = ObjectRect.Height();
    if (W <= 0 || H <= 0) return;
    TsfBitmap Face;
    Face.SetSize(W, H);
    const bool Pressed = FDown && FMouseIn;
    if (FSkinSupport && Picture) {
        const bool DownLook = Pressed && !EmptyRect(DownRect);
        if (!DownLook && MorphUnderWay() && !EmptyRect(ActiveSkinRect)) {
            TsfBitmap Hot;
            Hot.SetSize(W, H);
            SkinCopyRect(&Face, {0, 0, W, H}, Picture, SkinRect);
            SkinCopyRect(&Hot, {0, 0, W, H}, Picture, ActiveSkinRect);
            DrawMorphed(B, Face, Hot, MorphKind, FMorphKf, ObjectRect.Left, ObjectRect.Top);
            return;
        }
        TRect S = SkinRect;
        if (DownLook) S = DownRect;
        else if (Active && !EmptyRect(ActiveSkinRect)) S = ActiveSkinRect;
        SkinCopyRect(&Face, {0, 0, W, H}, Picture, S);
    } else {
        DefaultFace(Face, Pressed, Active || FMouseIn);
        const TColor C = Enabled ? clBtnText : clBtnShadow;
        const Integer X = W / 2 - 5 + (Pressed ? 1 : 0), Y = H / 2 - 4 + (Pressed ? 1 : 0);
        TCanvas* Cv = Face.Canvas();
        switch (Command) {
        case cmClose: DrawCloseImage(Cv, X, Y, C); break;
        case cmMaximize: DrawRestoreImage(Cv, X, Y, C); break;
        case cmMinimize: DrawMinimizeImage(Cv, X, Y, C); break;
        case cmSysMenu: DrawSysMenuImage(Cv, X, Y, C); break;
        default: break;
        }
    }
    Face.Draw(B, ObjectRect.Left, ObjectRect.Top);
}

void TsfSkinMainMenuBarButton::MouseDown(Integer X, Integer Y, TMouseButton Button)
{
    (void)X, (void)Y;
    if (!Enabled || Button != mbLeft) return;
    FDown = true;
    if (Morphing && !EmptyRect(DownRect)) SetMorphKf(1);
    ReDraw();
    if (Command == cmSysMenu) DoCommand();
}

void TsfSkinMainMenuBarButton::MouseUp(Integer X, Integer Y, TMouseButton Button)
{
    if (Button != mbLeft || Command == cmSysMenu || !FDown) return;
    FDown = false;
    ReDraw();
    if (Inside(ObjectRect, X, Y)) DoCommand();
}

void TsfSkinMainMenuBarButton::MouseEnter()
{
    // A pressed system-menu button keeps its look while its menu is open.
    if (FDown) {
        FMouseIn = Active = true;
        return;
    }
    TsfMenuBarObject::MouseEnter();
}

void TsfSkinMainMenuBarButton::MouseLeave()
{
    if (FDown && Command == cmSysMenu) {
        FMouseIn = Active = false;
        return;
    }
    TsfMenuBarObject::MouseLeave();
}

void TsfSkinMainMenuBarButton::DoCommand()
{
    TsfSkinForm* C = MaximizedChildComponent();
    if (!C) return;
    switch (Command) {
    case cmClose: C->Form()->Close(); break;
    case cmMaximize: C->SetWindowState(wsNormal); break;
    case cmMinimize: C->SetWindowState(wsMinimized); break;
    case cmSysMenu:
        if (Parent->SkinForm()) {
            const TPoint P = Parent->ClientToScreen({ObjectRect.Left, ObjectRect.Bottom});
            C->PopupSysMenuAtRect({P.X, P.Y - ObjectRect.Height(), P.X + ObjectRect.Width(), P.Y});
        }
        break;
    default: break;
    }
}

void TsfSkinMainMenuBarButton::DblClick()
{
    if (Command != cmSysMenu || !Parent->SkinForm()) return;
    TsfSkinForm* C = MaximizedChildComponent();
    if (!C) return;
    Parent->SkinForm()->SkinMenu()->Hide();
    Parent->SkinForm()->SkinMenuClose();
    C->Form()->Close();
}

TsfSkinMainMenuBarItem::TsfSkinMainMenuBarItem(TsfSkinMainMenuBar* AParent, const TsfDataSkinMainMenuBarItem* AData)
    : TsfMenuBarObject(AParent, AData), FSkinSupport(AData != nullptr)
{
    if (!AData) return;
    FontName = AData->FontName;
    FontHeight = AData->FontHeight;
    FontStyle = AData->FontStyle;
    UnEnabledFontColor = AData->UnEnabledFontColor;
    FontColor = AData->FontColor;
    ActiveFontColor = AData->ActiveFontColor;
    DownFontColor = AData->DownFontColor;
    TextRct = AData->TextRct;
    LO = AData->ItemLO;
    RO = AData->ItemRO;
    StretchEffect = AData->StretchEffect;
    AnimateSkinRect = AData->AnimateSkinRect;
    FrameCount = AData->FrameCount;
    AnimateInterval = AData->AnimateInterval;
    InActiveAnimation = AData->InActiveAnimation;
    DownRect = !EmptyRect(AData->DownRect) ? AData->DownRect : !EmptyRect(ActiveSkinRect) ? ActiveSkinRect : SkinRect;
    if (EmptyRect(ActiveSkinRect)) Morphing = false;
}

void TsfSkinMainMenuBarItem::SetFont(TCanvas* C) const
{
    C->Font()->Assign(Parent->DefItemFont());
    if (FSkinSupport && Parent->UseSkinFont) {
        C->Font()->SetName(FontName);
        C->Font()->SetHeight(FontHeight);
        C->Font()->SetStyle(FontStyle);
    }
    SetSkinCharset(C->Font(), Parent->SkinData());
}

Integer TsfSkinMainMenuBarItem::CalcWidth(TCanvas* C) const
{
    SetFont(C);
    TRect R{0, 0, 0, 0};
    const String Caption = MenuItem ? MenuItem->Caption() : String();
    DrawWideText(C, Caption, R, DT_CALCRECT | DT_SINGLELINE);
    const Integer TW = R.Width();
    const TItemGlyph G = GlyphOf(MenuItem);
    if (FSkinSupport) return SkinRect.Width() - TextRct.Width() + TW + 2 + (G ? G.Width + 5 : 0);
    return G ? TW + G.Width + 17 : TW + 12;
}

bool TsfSkinMainMenuBarItem::Skinned() const
{
    return FSkinSupport && Picture && !EmptyRect(SkinRect) && !EmptyRect(TextRct);
}

bool TsfSkinMainMenuBarItem::AnimationEnabled() const
{
    const TsfSkinData* SD = Parent->SkinData();
    return !EmptyRect(AnimateSkinRect) && FrameCount > 0 && SD && !SD->Empty && SD->EnableSkinEffects &&
           !Parent->ToolBarMode;
}

TRect TsfSkinMainMenuBarItem::AnimationFrame(Integer N) const
{
    const TRect& S = AnimateSkinRect;
    if (S.Height() > SkinRect.Height()) {
        const Integer FH = S.Height() / FrameCount;
        return {S.Left, S.Top + (N - 1) * FH, S.Right, S.Top + N * FH};
    }
    const Integer FW = S.Width() / FrameCount;
    return {S.Left + (N - 1) * FW, S.Top, S.Left + N * FW, S.Bottom};
}

void TsfSkinMainMenuBarItem::DrawFace(TsfBitmap& Face, const TsfBitmap* Bar, const TRect& Src, bool Hot,
                                      bool Down) const
{
    const Integer W = Face.Width(), H = Face.Height();
    TColor Color = clBtnText;
    TRect T{0, 0, W, H};
    if (Skinned()) {
        const bool Normal = !Hot && !Down;
        bool Made = false;
        if (Parent->ToolBarMode) {
            TColor Unused = 0;
            if (Normal && Parent->ToolBarModeItemTransparent && Bar) {
                SkinCopyRect(&Face, {0, 0, W, H}, Bar, ObjectRect);
                Made = true;
            } else {
                Made = DrawSkinButtonPicture(Parent->SkinData(), &Face, u"resizetoolbutton", Down, Hot, Unused);
            }
        }
        if (!Made) {
            if (Normal && Parent->ItemTransparent && Bar)
                SkinCopyRect(&Face, {0, 0, W, H}, Bar, ObjectRect);
            else if (Parent->UseSkinSize)
                CreateHSkinImage(LO, RO, &Face, Picture, Src, W, H, Hot && StretchEffect);
            else
                CreateStretchImage(&Face, Picture, Src, {LO, H / 4, W - RO, H - H / 4}, true);
        }
        Color = Down ? DownFontColor : Hot ? ActiveFontColor : Enabled ? FontColor : UnEnabledFontColor;
        T = {TextRct.Left, TextRct.Top, W - (SkinRect.Width() - TextRct.Right), TextRct.Bottom};
    } else {
        DefaultFace(Face, Down, Hot);
        Color = Enabled ? clBtnText : clBtnShadow;
    }
    TCanvas* C = Face.Canvas();
    if (const TItemGlyph G = GlyphOf(MenuItem)) {
        const Integer X = T.Left + 2, Y = T.Top + (T.Height() - G.Height) / 2;
        const bool On = MenuItem->Enabled();
        if (G.Bitmap) {
            G.Bitmap->SetTransparent(true);
            C->Draw(X, Y, G.Bitmap);
        } else {
            G.List->Draw(C, X, Y, G.Index, On);
        }
        T.Left += G.Width + 5;
    }
    SetFont(C);
    C->Font()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
    if (MenuItem && MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(MenuItem, C, T, Hot);
    } else {
        TRect TR = T;
        DrawWideText(C, MenuItem ? MenuItem->Caption() : String(), TR, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void TsfSkinMainMenuBarItem::Draw(TsfBitmap* B)
{
    const Integer W = ObjectRect.Width(), H = ObjectRect.Height();
    if (W <= 0 || H <= 0 || !Visible) return;
    TsfBitmap Face;
    Face.SetSize(W, H);
    const TRect HotRect = EmptyRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect;
    if (!Skinned() || FDown) {
        DrawFace(Face, B, DownRect, Active, FDown);
    } else if (AnimationEnabled() && CurrentFrame > 0 && CurrentFrame <= FrameCount) {
        DrawFace(Face, B, AnimationFrame(CurrentFrame), Active, false);
    } else if (MorphUnderWay()) {
        TsfBitmap Hot;
        Hot.SetSize(W, H);
        DrawFace(Face, B, SkinRect, false, false);
        DrawFace(Hot, B, HotRect, true, false);
        DrawMorphed(B, Face, Hot, MorphKind, FMorphKf, ObjectRect.Left, ObjectRect.Top);
        return;
    } else {
        DrawFace(Face, B, Active ? HotRect : SkinRect, Active, false);
    }
    Face.Draw(B, ObjectRect.Left, ObjectRect.Top);
}

void TsfSkinMainMenuBarItem::MouseEnter()
{
    for (TsfSkinMainMenuBarItem* I : Parent->Items())
        if (I != this && I->FDown) {
            // The open menu follows the mouse from item to item.
            I->SetDownState(false);
            FMouseIn = Active = true;
            SetDownState(true);
            return;
        }
    for (TsfSkinMainMenuBarItem* I : Parent->Items())
        if (I != this && I->Active) I->MouseLeave();
    FMouseIn = Active = true;
    ReDraw();
    if (AnimationEnabled()) Parent->StartAnimateTimer(AnimateInterval);
    if (Parent->OnItemMouseEnter) Parent->OnItemMouseEnter(MenuItem);
    if (MenuItem) Parent->SetHint(MenuItem->Hint());
}

void TsfSkinMainMenuBarItem::MouseLeave()
{
    FMouseIn = Active = false;
    if (AnimationEnabled()) {
        // Played back on the timer, or straight back to the normal look.
        if (InActiveAnimation) Parent->StartAnimateTimer(AnimateInterval);
        else CurrentFrame = 0;
    }
    if (FDown && Morphing) SetMorphKf(0);
    ReDraw();
    if (Parent->OnItemMouseLeave) Parent->OnItemMouseLeave(MenuItem);
}

void TsfSkinMainMenuBarItem::MouseDown(Integer X, Integer Y, TMouseButton Button)
{
    (void)X, (void)Y;
    TsfSkinForm* F = Parent->SkinForm();
    if (!Enabled || Button != mbLeft || !F) return;
    if (Parent->OnMainMenuItemClick) Parent->OnMainMenuItemClick(IDName);
    if (HasSubItems()) {
        Parent->MenuActive = true;
        SetDownState(true);
        return;
    }
    if (F->InMainMenu) F->LeaveMainMenu();
    F->InMenu = false;
    ReDraw();
    if (MenuItem)
        if (TMenu* M = MenuItem->GetParentMenu()) M->DispatchCommand(MenuItem->Command());
}

void TsfSkinMainMenuBarItem::SetDownState(bool Value)
{
    FDown = Value;
    TsfSkinForm* F = Parent->SkinForm();
    if (!Value) {
        Active = false;
        if (AnimationEnabled()) {
            CurrentFrame = InActiveAnimation ? FrameCount + 1 : 0;
            if (InActiveAnimation) Parent->StartAnimateTimer(AnimateInterval);
        }
        if (Morphing) SetMorphKf(1);
        ReDraw();
        return;
    }
    ReDraw();
    if (!F) return;
    if (!F->InMainMenu && F->OnMainMenuEnter) F->OnMainMenuEnter(Parent);
    if (!HasSubItems()) return;
    F->SkinMenuOpen();
    F->InMainMenu = true;
    const TPoint P = Parent->ClientToScreen({ObjectRect.Left, ObjectRect.Top});
    TsfSkinData* Skin = Parent->SkinData() ? Parent->SkinData() : F->SkinData();
    F->SkinMenu()->Popup(nullptr, Skin, 0, {P.X, P.Y, P.X + ObjectRect.Width(), P.Y + ObjectRect.Height()}, MenuItem,
                         Parent->PopupToUp, false);
}

// ---------------------------------------------------------------------------
// The bar

TsfSkinMainMenuBar::TsfSkinMainMenuBar(TComponent* AOwner) : TsfSkinControl(AOwner)
{
    FSkinDataName = u"mainmenubar";
    FDefItemFont = std::make_unique<TFont>();
    FDefItemFont->SetName(u"Arial");
    FDefItemFont->SetHeight(14);
    FDefItemFont->SetColor(clBtnText);
    SetHeight(FDefaultHeight);
    SetAlign(alTop);
}

TsfSkinMainMenuBar::~TsfSkinMainMenuBar()
{
    SkinClock()->StopTimers(this);
    SetSkinForm(nullptr);
    ClearBarObjects();
}

void TsfSkinMainMenuBar::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FMainMenu) {
        FMainMenu = nullptr;
        ClearBarObjects();
    }
    if (AComponent == FMergeMenu) FMergeMenu = nullptr;
    if (AComponent == static_cast<TComponent*>(DSF)) DSF = nullptr;
}

void TsfSkinMainMenuBar::SetSkinForm(TsfSkinForm* Value)
{
    if (DSF == Value) return;
    if (DSF) {
        if (DSF->MainMenuBar() == this) DSF->SetMainMenuBar(nullptr);
        DSF->RemoveFreeNotification(this);
    }
    DSF = Value;
    if (DSF) {
        DSF->FreeNotification(this);
        DSF->SetMainMenuBar(this);
    }
}

void TsfSkinMainMenuBar::SetMainMenu(TMainMenu* Value)
{
    if (FMainMenu) FMainMenu->RemoveFreeNotification(this);
    FMainMenu = Value;
    if (FMainMenu) FMainMenu->FreeNotification(this);
    CreateMenu();
    Invalidate();
}

void TsfSkinMainMenuBar::Merge(TMainMenu* Menu)
{
    FMergeMenu = Menu;
    UpDateItems();
}

void TsfSkinMainMenuBar::UnMerge()
{
    FMergeMenu = nullptr;
    UpDateItems();
}

void TsfSkinMainMenuBar::UpDateItems()
{
    CreateMenu();
    Invalidate();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    SkinClock()->StartTimer(this, MouseTimerId, MouseTimerInterval, [this] { MouseTimerTick(); });
}

void TsfSkinMainMenuBar::UpDateEnabledItems()
{
    for (TsfSkinMainMenuBarItem* I : Items())
        if (I->MenuItem) I->Enabled = I->MenuItem->Enabled();
    Invalidate();
}

TMainMenu* TsfSkinMainMenuBar::GetChildMainMenu()
{
    if (FMergeMenu) return FMergeMenu;
    TCustomForm* Main = Application->MainForm();
    TCustomForm* Child = Main ? Main->ActiveMDIChild() : nullptr;
    if (!Child) return nullptr;
    for (Integer I = 0; I < Child->ComponentCount(); ++I)
        if (auto* M = dynamic_cast<TMainMenu*>(Child->Components(I))) return M;
    return nullptr;
}

void TsfSkinMainMenuBar::SetDefItemFont(TFont* Value)
{
    FDefItemFont->Assign(Value);
    if (!FSkinSupport) Invalidate();
}

void TsfSkinMainMenuBar::SetDefaultWidth(Integer Value)
{
    FDefaultWidth = Value;
    if (!FSkinSupport && Value > 0) SetWidth(Value);
}

void TsfSkinMainMenuBar::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    GetSkinData();
    if (FSkinSupport && UseSkinSize) AHeight = BarSkinRect.Height();
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    Invalidate();
}

void TsfSkinMainMenuBar::SetDefaultHeight(Integer Value)
{
    FDefaultHeight = Value;
    if (!FSkinSupport && Value > 0) SetHeight(Value);
}

std::vector<TsfSkinMainMenuBarItem*> TsfSkinMainMenuBar::Items() const
{
    std::vector<TsfSkinMainMenuBarItem*> L;
    for (const auto& O : ObjectList)
        if (auto* I = dynamic_cast<TsfSkinMainMenuBarItem*>(O.get())) L.push_back(I);
    return L;
}

void TsfSkinMainMenuBar::StartMorphTimer()
{
    if (!SkinClock()->TimerRunning(this, MorphTimerId))
        SkinClock()->StartTimer(this, MorphTimerId, MorphTimerInterval, [this] { MorphTimerTick(); });
}

void TsfSkinMainMenuBar::StartAnimateTimer(Integer Interval)
{
    SkinClock()->StartTimer(this, AnimateTimerId, Cardinal(std::max<Integer>(Interval, 1)),
                            [this] { ItemAnimateTimerTick(); });
}

bool TsfSkinMainMenuBar::MorphTimerRunning() const { return SkinClock()->TimerRunning(this, MorphTimerId); }
bool TsfSkinMainMenuBar::AnimateTimerRunning() const { return SkinClock()->TimerRunning(this, AnimateTimerId); }

void TsfSkinMainMenuBar::MorphTimerTick()
{
    bool Any = false;
    for (const auto& O : ObjectList)
        if (O->CanMorph() && O->CanMorphing()) {
            O->DoMorphing();
            Any = true;
        }
    if (!Any) SkinClock()->StopTimer(this, MorphTimerId);
}

void TsfSkinMainMenuBar::ItemAnimateTimerTick()
{
    bool Any = false;
    for (TsfSkinMainMenuBarItem* I : Items()) {
        if (!I->AnimationEnabled()) continue;
        const Integer Was = I->CurrentFrame;
        if (I->Active) I->CurrentFrame = std::min(I->CurrentFrame + 1, I->FrameCount + 1);
        else I->CurrentFrame = std::max<Integer>(I->CurrentFrame - 1, 0);
        if (I->CurrentFrame != Was) {
            Any = true;
            DrawObject(I);
        }
    }
    if (!Any) SkinClock()->StopTimer(this, AnimateTimerId);
}

void TsfSkinMainMenuBar::ClearBarObjects()
{
    ObjectList.clear();
    ButtonsCount = 0;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

void TsfSkinMainMenuBar::GetSkinData()
{
    inherited::GetSkinData();
    FSkinSupport = false;
    BarPicture = nullptr;
    if (FIndex < 0 || FIndex >= Integer(FSD->CtrlList.size())) return;
    auto* D = dynamic_cast<TsfDataSkinMainMenuBar*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!D) {
        FIndex = -1;
        return;
    }
    FSkinSupport = true;
    BarSkinRect = D->SkinRect;
    ItemsRect = D->ItemsRect;
    MenuBarItem = D->MenuBarItem;
    MaxButton = D->MaxButton;
    MinButton = D->MinButton;
    SysMenuButton = D->SysMenuButton;
    CloseButton = D->CloseButton;
    TrackMarkColor = D->TrackMarkColor;
    TrackMarkActiveColor = D->TrackMarkActiveColor;
    StretchEffect = D->StretchEffect;
    ItemTransparent = D->ItemTransparent;
    BarPicture = FSD->ActiveBitmap(D->PictureIndex);
}

void TsfSkinMainMenuBar::BeforeChangeSkinData()
{
    inherited::BeforeChangeSkinData();
    FSkinSupport = false;
    ClearBarObjects();
}

void TsfSkinMainMenuBar::ChangeSkinData()
{
    GetSkinData();
    CreateMenu();
    if (FSkinSupport && UseSkinSize) SetHeight(BarSkinRect.Height());
    else if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    Invalidate();
}

void TsfSkinMainMenuBar::CreateMenu()
{
    ClearBarObjects();
    GetSkinData();
    TMainMenu* Child = nullptr;
    if (DSF && (DSF->Form()->FormStyle() == fsMDIForm || FMergeMenu)) Child = GetChildMainMenu();
    ChildMenuIn = Child != nullptr;
    if (ChildMenuIn) ScrollMenu = false;  // for good
    if (!FMainMenu) return;
    const TsfDataSkinMainMenuBarItem* D = nullptr;
    if (FSkinSupport && FSD) {
        const Integer I = FSD->GetIndex(MenuBarItem);
        if (I >= 0 && I < Integer(FSD->ObjectList.size()))
            D = dynamic_cast<const TsfDataSkinMainMenuBarItem*>(FSD->ObjectList[size_t(I)].get());
    }
    std::vector<TMenuItem*> Entries;
    TMenuItem* Main = FMainMenu->Items();
    if (Child) {
        std::vector<Integer> MG, CG;
        for (Integer I = 0; I < Main->Count(); ++I) MG.push_back(Main->Items(I)->GroupIndex());
        for (Integer I = 0; I < Child->Items()->Count(); ++I) CG.push_back(Child->Items()->Items(I)->GroupIndex());
        for (Integer E : MergeMenuGroups(MG, CG)) Entries.push_back(E >= 0 ? Main->Items(E) : Child->Items()->Items(-1 - E));
    } else {
        for (Integer I = 0; I < Main->Count(); ++I) Entries.push_back(Main->Items(I));
    }
    for (TMenuItem* M : Entries) {
        if (!M->Visible()) continue;
        auto Item = std::make_unique<TsfSkinMainMenuBarItem>(this, D);
        Item->IDName = M->Name();
        Item->Enabled = Item->OldEnabled = M->Enabled();
        Item->MenuItem = M;
        ObjectList.push_back(std::move(Item));
    }
    if (FMDIChildMax) {
        CreateChildButtons();
        if (TsfSkinForm* C = MaximizedChildComponent()) UpdateChildButtonsEnabled(IconsOf(C));
    }
}

void TsfSkinMainMenuBar::CreateChildButtons()
{
    const std::pair<TStdCommand, String> Made[] = {
        {cmMinimize, MinButton}, {cmMaximize, MaxButton}, {cmClose, CloseButton}, {cmSysMenu, SysMenuButton}};
    for (const auto& [Cmd, Name] : Made) {
        const TsfDataSkinMainMenuBarButton* D = nullptr;
        if (FSkinSupport && FSD) {
            const Integer I = FSD->GetIndex(Name);
            if (I >= 0 && I < Integer(FSD->ObjectList.size()))
                D = dynamic_cast<const TsfDataSkinMainMenuBarButton*>(FSD->ObjectList[size_t(I)].get());
        }
        auto B = std::make_unique<TsfSkinMainMenuBarButton>(this, D, Cmd);
        if (!D) B->IDName = Cmd == cmMinimize ? u"MinButton" : Cmd == cmMaximize ? u"MaxButton"
                                          : Cmd == cmClose  ? u"CloseButton" : u"SysMenuButton";
        ObjectList.insert(ObjectList.begin(), std::move(B));
        ++ButtonsCount;
    }
}

void TsfSkinMainMenuBar::DeleteChildButtons()
{
    ObjectList.erase(ObjectList.begin(), ObjectList.begin() + std::min<Integer>(ButtonsCount, Integer(ObjectList.size())));
    ButtonsCount = 0;
}

void TsfSkinMainMenuBar::UpdateChildButtonsEnabled(TBorderIcons Icons)
{
    for (Integer I = 0; I < ButtonsCount && I < Integer(ObjectList.size()); ++I)
        if (auto* B = dynamic_cast<TsfSkinMainMenuBarButton*>(ObjectList[size_t(I)].get()))
            B->Enabled = !((B->Command == cmMinimize && !(Icons & biMinimize)) ||
                           (B->Command == cmSysMenu && !(Icons & biSystemMenu)));
}

void TsfSkinMainMenuBar::ShowChildButtons()
{
    if (FMDIChildMax) return;
    FMDIChildMax = true;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    CreateChildButtons();
    if (TsfSkinForm* C = MaximizedChildComponent()) UpdateChildButtonsEnabled(IconsOf(C));
    Invalidate();
}

void TsfSkinMainMenuBar::CheckChildButtons()
{
    if (!FMDIChildMax) return;
    if (!MaximizedChildComponent()) {
        FMDIChildMax = false;
        ActiveObject = OldActiveObject = MouseCaptureObject = -1;
        DeleteChildButtons();
        Invalidate();
    }
}

void TsfSkinMainMenuBar::ReleaseSysMenuButton()
{
    for (Integer I = 0; I < ButtonsCount && I < Integer(ObjectList.size()); ++I)
        if (auto* B = dynamic_cast<TsfSkinMainMenuBarButton*>(ObjectList[size_t(I)].get());
            B && B->Command == cmSysMenu && B->FDown) {
            B->FDown = false;
            if (ActiveObject != I) B->FMouseIn = B->Active = false;
            DrawObject(B);
        }
}

// ---------------------------------------------------------------------------
// Layout and painting

void TsfSkinMainMenuBar::CalcItemsRect()
{
    NewItemsRect = MenuBarItemsRect(FSkinSupport, ItemsRect, BarSkinRect, UseSkinSize, Width(), Height());
    if (!FMDIChildMax || ButtonsCount != 4) return;
    std::vector<Integer> W, H;
    for (Integer I = 0; I < 4; ++I) {
        const TsfMenuBarObject* O = ObjectList[size_t(I)].get();
        const bool Skinned = static_cast<const TsfSkinMainMenuBarButton*>(O)->FSkinSupport;
        const Integer S = NewItemsRect.Height();
        W.push_back(Skinned ? O->SkinRect.Width() : S);
        H.push_back(Skinned ? O->SkinRect.Height() : S);
    }
    const std::vector<TRect> R = PlaceMenuBarChildButtons(NewItemsRect, W, H);
    for (Integer I = 0; I < 4; ++I) ObjectList[size_t(I)]->ObjectRect = R[size_t(I)];
}

void TsfSkinMainMenuBar::LayoutObjects(TCanvas* Measure)
{
    CalcItemsRect();
    std::vector<TsfSkinMainMenuBarItem*> L = Items();
    std::vector<Integer> Widths;
    for (TsfSkinMainMenuBarItem* I : L) Widths.push_back(I->CalcWidth(Measure));
    const Integer ItemH = FSkinSupport && UseSkinSize && !L.empty() && L[0]->FSkinSupport ? L[0]->SkinRect.Height() : 0;
    const TsfMenuBarLayout Lay = LayoutMenuBarItems(Widths, NewItemsRect, ItemH, ScrollMenu);
    Scroll = Lay.Scroll;
    for (size_t K = 0; K < L.size(); ++K) {
        TsfSkinMainMenuBarItem* I = L[K];
        I->ObjectRect = Lay.Rects[K];
        if (!Lay.Fits[K]) {
            // Out of room: hidden and disabled, its own state kept for later.
            if (I->Fits) I->OldEnabled = I->Enabled;
            I->Fits = I->Visible = I->Enabled = false;
        } else if (!I->Fits) {
            I->Fits = I->Visible = true;
            I->Enabled = I->OldEnabled;
        }
    }
}

namespace {

// The bar as a tool panel: the skin's "resizetoolpanel" (else "panel") built to B.
bool PaintToolPanel(TsfSkinData* SD, TsfBitmap* B)
{
    for (const char16_t* Name : {u"resizetoolpanel", u"panel"}) {
        const Integer I = SD->GetControlIndex(Name);
        if (I < 0 || I >= Integer(SD->CtrlList.size())) continue;
        auto* D = dynamic_cast<const TsfDataSkinCustomControl*>(SD->CtrlList[size_t(I)].get());
        const TsfBitmap* P = D ? SD->ActiveBitmap(D->PictureIndex) : nullptr;
        if (!P) continue;
        CreateDescriptionImage(B, P, *D, D->SkinRect);
        return true;
    }
    return false;
}

} // namespace

void TsfSkinMainMenuBar::PaintBar(TsfBitmap* B)
{
    const Integer W = B->Width(), H = B->Height();
    if (!FSkinSupport || !BarPicture) {
        B->FillRect({0, 0, W, H}, SkinColorOf(clBtnFace));
    } else if (FSD->MainMenuBarTransparent) {
        DrawParentBackground(this, B->Canvas());
    } else if (UseSkinSize) {
        CreateHSkinImage(ItemsRect.Left, BarSkinRect.Width() - ItemsRect.Right, B, BarPicture, BarSkinRect, W, H,
                         StretchEffect);
    } else if (ToolBarMode && PaintToolPanel(FSD, B)) {
    } else {
        CreateStretchImage(B, BarPicture, BarSkinRect, {ItemsRect.Left, H / 4, ItemsRect.Right, H - H / 4}, true);
    }
    LayoutObjects(B->Canvas());
    for (const auto& O : ObjectList)
        if (O->Visible) O->Draw(B);
    if (Scroll && ScrollMenu) {
        const TRect M = MenuBarScrollMarker(NewItemsRect);
        DrawArrowImage(B->Canvas(), M, MarkerActive ? TrackMarkActiveColor : TrackMarkColor, 2);
    }
}

void TsfSkinMainMenuBar::CreateControlDefaultImage(TsfBitmap* B) { PaintBar(B); }
void TsfSkinMainMenuBar::CreateControlSkinImage(TsfBitmap* B) { PaintBar(B); }

void TsfSkinMainMenuBar::DrawObject(TsfMenuBarObject*) { Invalidate(); }

void TsfSkinMainMenuBar::Resize()
{
    inherited::Resize();
    CalcItemsRect();
}

void TsfSkinMainMenuBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_SKINMENUCLOSE) ReleaseSysMenuButton();
    if ((Message.Msg == WM_PARENTBGCHANGED || (Message.Msg == WM_MOVE && Align() == alNone)) && FSD &&
        FSD->MainMenuBarTransparent)
        Invalidate();
    inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// Mouse

Integer TsfSkinMainMenuBar::ItemIndexInList(const TsfMenuBarObject* O) const
{
    for (size_t I = 0; I < ObjectList.size(); ++I)
        if (ObjectList[I].get() == O) return Integer(I);
    return -1;
}

void TsfSkinMainMenuBar::UpdateActiveObject(Integer X, Integer Y)
{
    Integer Now = -1;
    for (size_t I = 0; I < ObjectList.size(); ++I) {
        const TsfMenuBarObject* O = ObjectList[I].get();
        if (O->Enabled && O->Visible && Inside(O->ObjectRect, X, Y)) {
            Now = Integer(I);
            break;
        }
    }
    // While a menu is open the last item stays active off the items.
    if (Now < 0 && MenuActive && ActiveObject >= 0 && ActiveObject < Integer(ObjectList.size()) &&
        dynamic_cast<TsfSkinMainMenuBarItem*>(ObjectList[size_t(ActiveObject)].get()))
        Now = ActiveObject;
    if (MouseCaptureObject >= 0) Now = -1;
    if (Now != ActiveObject) {
        OldActiveObject = ActiveObject;
        ActiveObject = Now;
        if (OldActiveObject >= 0 && OldActiveObject < Integer(ObjectList.size()))
            ObjectList[size_t(OldActiveObject)]->MouseLeave();
        if (Now >= 0) ObjectList[size_t(Now)]->MouseEnter();
    }
    const bool OnMarker = Scroll && ScrollMenu && Inside(MenuBarScrollMarker(NewItemsRect), X, Y);
    if (OnMarker != MarkerActive) {
        MarkerActive = OnMarker;
        Invalidate();
    }
}

void TsfSkinMainMenuBar::MouseTimerTick()
{
    if (!HandleAllocated()) return;
    POINT P{};
    GetCursorPos(&P);
    ::ScreenToClient(Handle(), &P);
    if (P.x < 0 || P.y < 0 || P.x >= Width() || P.y >= Height()) {
        UpdateActiveObject(-1, -1);
        SkinClock()->StopTimer(this, MouseTimerId);
        return;
    }
    UpdateActiveObject(P.x, P.y);
}

void TsfSkinMainMenuBar::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseMove(Shift, X, Y);
    UpdateActiveObject(X, Y);
    SkinClock()->StartTimer(this, MouseTimerId, MouseTimerInterval, [this] { MouseTimerTick(); });
}

void TsfSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    UpdateActiveObject(X, Y);
    if (ActiveObject >= 0) {
        MouseCaptureObject = ActiveObject;
        TsfMenuBarObject* O = ObjectList[size_t(ActiveObject)].get();
        O->MouseDown(X, Y, Button);
        if (Shift & ssDouble) O->DblClick();
        return;
    }
    if (Scroll && ScrollMenu && Inside(MenuBarScrollMarker(NewItemsRect), X, Y)) PopupHiddenItems();
}

void TsfSkinMainMenuBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    const Integer C = MouseCaptureObject;
    MouseCaptureObject = -1;
    if (C >= 0 && C < Integer(ObjectList.size())) ObjectList[size_t(C)]->MouseUp(X, Y, Button);
}

void TsfSkinMainMenuBar::CMMouseEnter(TMessage& Message)
{
    inherited::CMMouseEnter(Message);
    SkinClock()->StartTimer(this, MouseTimerId, MouseTimerInterval, [this] { MouseTimerTick(); });
}

void TsfSkinMainMenuBar::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    SkinClock()->StopTimer(this, MouseTimerId);
    UpdateActiveObject(-1, -1);
}

void TsfSkinMainMenuBar::PopupHiddenItems()
{
    if (!DSF || !FMainMenu) return;
    Integer Shown = 0;
    for (TsfSkinMainMenuBarItem* I : Items()) Shown += I->Fits ? 1 : 0;
    const TRect M = MenuBarScrollMarker(NewItemsRect);
    const TPoint P = ClientToScreen({M.Left, M.Top});
    const TRect R{P.X, P.Y, P.X + M.Width(), P.Y + M.Height()};
    TsfSkinData* Skin = FSD ? FSD : DSF->SkinData();
    DSF->SkinMenuOpen();
    if (TMainMenu* Child = ChildMenuIn ? GetChildMainMenu() : nullptr)
        DSF->SkinMenu()->Popup2(nullptr, Skin, Shown, R, FMainMenu->Items(), Child->Items(), PopupToUp, false);
    else
        DSF->SkinMenu()->Popup(nullptr, Skin, Shown, R, FMainMenu->Items(), PopupToUp, false);
}

// ---------------------------------------------------------------------------
// Keyboard

bool TsfSkinMainMenuBar::MenuBarAccelKey(Integer Key)
{
    if (!DSF || !DSF->Form()->Visible()) return false;
    for (TsfSkinMainMenuBarItem* I : Items()) {
        if (!I->Enabled || !I->Visible || !I->MenuItem || !IsAccel(Char(Key), I->MenuItem->Caption())) continue;
        I->MouseEnter();
        if (!DSF->InMenu || !I->HasSubItems()) I->MouseDown(0, 0, mbLeft);
        return true;
    }
    return false;
}

namespace {

std::vector<bool> Selectable(const std::vector<TsfSkinMainMenuBarItem*>& L)
{
    std::vector<bool> S;
    for (TsfSkinMainMenuBarItem* I : L) S.push_back(I->Enabled && I->Visible);
    return S;
}

Integer HotOrDown(const std::vector<TsfSkinMainMenuBarItem*>& L)
{
    for (size_t I = 0; I < L.size(); ++I)
        if (L[I]->Active || L[I]->FDown) return Integer(I);
    return -1;
}

} // namespace

void TsfSkinMainMenuBar::SelectNextItem()
{
    const std::vector<TsfSkinMainMenuBarItem*> L = Items();
    const Integer Cur = HotOrDown(L);
    const Integer Next = MenuBarNextItem(Selectable(L), Cur);
    if (Next < 0 || Next == Cur) return;
    if (Cur >= 0 && !L[size_t(Cur)]->FDown) L[size_t(Cur)]->MouseLeave();
    L[size_t(Next)]->MouseEnter();
    ActiveObject = ItemIndexInList(L[size_t(Next)]);
}

void TsfSkinMainMenuBar::SelectPrevItem()
{
    const std::vector<TsfSkinMainMenuBarItem*> L = Items();
    const Integer Cur = HotOrDown(L);
    const Integer Prev = MenuBarPrevItem(Selectable(L), Cur);
    if (Prev < 0 || Prev == Cur) return;
    if (Cur >= 0 && !L[size_t(Cur)]->FDown) L[size_t(Cur)]->MouseLeave();
    L[size_t(Prev)]->MouseEnter();
    ActiveObject = ItemIndexInList(L[size_t(Prev)]);
}

bool TsfSkinMainMenuBar::OpenActiveItem()
{
    for (TsfSkinMainMenuBarItem* I : Items())
        if ((I->FDown && !I->HasSubItems()) || (I->Active && !(DSF && DSF->InMenu))) {
            I->Active = false;
            I->MouseDown(0, 0, mbLeft);
            return true;
        }
    return false;
}

void TsfSkinMainMenuBar::EnterMenuBar()
{
    MenuActive = true;
    std::vector<TsfSkinMainMenuBarItem*> L = Items();
    TsfSkinMainMenuBarItem* Hot = nullptr;
    for (TsfSkinMainMenuBarItem* I : L)
        if (I->Active) Hot = I;
    if (!Hot && !L.empty()) Hot = L[0];
    if (Hot) {
        Hot->MouseEnter();
        ActiveObject = ItemIndexInList(Hot);
    }
    if (!DSF) return;
    DSF->HookApp();
    DSF->InMainMenu = true;
    if (DSF->OnMainMenuEnter) DSF->OnMainMenuEnter(this);
}

void TsfSkinMainMenuBar::ReleaseDownItem()
{
    for (TsfSkinMainMenuBarItem* I : Items())
        if (I->FDown) {
            I->FDown = false;
            I->Active = I->FMouseIn = true;
            if (I->Morphing) I->SetMorphKf(1);
            I->ReDraw();
        }
}

void TsfSkinMainMenuBar::LeaveMenuBar()
{
    MenuActive = false;
    for (TsfSkinMainMenuBarItem* I : Items())
        if (I->FDown || I->Active) {
            I->FDown = I->Active = I->FMouseIn = false;
            if (I->Morphing) I->SetMorphKf(1);
            I->ReDraw();
            break;
        }
    ActiveObject = OldActiveObject = -1;
}
