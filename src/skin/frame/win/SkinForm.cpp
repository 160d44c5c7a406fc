#include "skin/frame/win/SkinForm.h"

#include "framework/controls/win/Messages.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/frame/win/SkinLayerBorder.h"
#include "skin/frame/win/SkinMdiTabs.h"
#include "skin/frame/win/SkinQuickButtons.h"
#include "skin/model/SFMessages.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFSkinRegion_Win.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

// The main form's handler of the application's restore (installed only when
// none was set). It finds the component when called: a handler chained after
// it (application events) may keep it beyond the component's life.
struct TAppRestore {
    void operator()(TObject*) const
    {
        if (TsfSkinForm* C = GetSkinForm(Application->MainForm())) C->CheckAppLayeredBorders();
    }
};

// Timers of the component on the skin clock (target: the component).
constexpr Cardinal MouseTimerId = 1;
constexpr Cardinal MouseTimerInterval = 50;
constexpr Cardinal FadeTimerId = 2;       // the show's first tick
constexpr Cardinal FadeStepTimerId = 3;   // the fade's steps

// The region of a mask strip's black pixels placed at (X, Y); null for none.
HRGN StripRegion(const TsfBitmap* Strip, Integer X, Integer Y)
{
    std::vector<uint8_t> Data;
    const size_t Size = MaskToRgnData(Strip, X, Y, Data);
    if (Size == 0) return nullptr;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(Size), reinterpret_cast<const RGNDATA*>(Data.data()));
}

TRect WindowBounds(HWND Wnd)
{
    RECT R{};
    GetWindowRect(Wnd, &R);
    return {R.left, R.top, R.right, R.bottom};
}

} // namespace

TsfSkinForm* GetSkinForm(TCustomForm* Form)
{
    if (!Form) return nullptr;
    for (Integer i = 0; i < Form->ComponentCount(); ++i)
        if (auto* C = dynamic_cast<TsfSkinForm*>(Form->Components(i))) return C;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Construction and destruction

namespace {

// The owner, checked before anything of the component is made.
TComponent* CheckedFormOwner(TComponent* AOwner)
{
    if (!dynamic_cast<TCustomForm*>(AOwner)) throw EInvalidCast(u"Invalid class typecast");
    return AOwner;
}

TFont* NewCaptionFont(TColor Color)
{
    auto* F = new TFont;
    F->SetName(u"Arial");
    F->SetStyle(fsBold);
    F->SetHeight(14);
    F->SetColor(Color);
    return F;
}

} // namespace

TsfSkinForm::TsfSkinForm(TComponent* AOwner)
    : TComponent(CheckedFormOwner(AOwner)), FForm(static_cast<TCustomForm*>(AOwner))
{
    FDefCaptionFont.reset(NewCaptionFont(clBtnText));
    FDefInActiveCaptionFont.reset(NewCaptionFont(clBtnShadow));
    FLogoBitMap = std::make_unique<TBitmap>();
    FDefMenuItemFont = std::make_unique<TFont>();
    // The skinned controls reach the menus through these (once a skinned form exists).
    if (!SkinMenuServices()) InstallSkinFrameMenuServices();
    FSkinMenu = new TsfSkinMenu(this, FForm);
    FMenuLayerManager = new TsfLayerManager(this);
    FLayerManager = new TsfLayerManager(this);
    FDefMenuItemFont->Assign(FSkinMenu->DefaultMenuItemFont());
    CreateSysTrayMenu();
    FForm->SetBorderIcons(0);
    // The form's own handler goes; the component's OnShortCut takes its place.
    FForm->OnShortCut = [this](TWMKey& Msg, bool& Handled) { FormShortCut(Msg, Handled); };
    FForm->SetAutoSize(false);
    FForm->SetAutoScroll(false);
    if (ComponentState() & csDesigning) return;
    if (FForm->FormStyle() == fsMDIForm) CreateMDIScrollBars();
    FHook.Hook(FForm, TWndMethod::Of<&TsfSkinForm::NewWndProc>(this));
    // Every message of the window passes the component from its creation on.
    if (FForm->HandleAllocated()) FForm->RecreateWnd();
}

TsfSkinForm::~TsfSkinForm()
{
    // The application's restore handler this component put in goes with it.
    if (Application->OnRestore.target<TAppRestore>() && FForm == Application->MainForm())
        Application->OnRestore = nullptr;
    SkinClock()->StopTimers(this);
    UnHookApp();
    RemoveClientProc();
    // The form's own procedure comes back before the component's parts go.
    FHook.Unhook();
    ObjectList.clear();
}

void TsfSkinForm::Loaded()
{
    TComponent::Loaded();
    if (FWindowStateInit != FWindowState && !(ComponentState() & csDesigning) && FSupportNCArea)
        SetWindowState(FWindowStateInit);
}

void TsfSkinForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSD) {
        FSD = nullptr;
        if (!(ComponentState() & csDestroying)) ChangeSkinData();
    } else if (AComponent == FMSD) {
        FMSD = nullptr;
    } else if (AComponent == static_cast<TComponent*>(FSkinHint)) {
        FSkinHint = nullptr;
    } else if (AComponent == FMainMenu) {
        FMainMenu = nullptr;
        if (!(ComponentState() & csDestroying)) UpdateMainMenu(true);
    } else if (AComponent == QuickImageList) {
        QuickImageList = nullptr;
    } else if (AComponent == static_cast<TComponent*>(FMDITabsBar)) {
        FMDITabsBar = nullptr;
    } else if (FTrayIcon && AComponent == FTrayComponent) {
        FTrayIcon = nullptr;
        FTrayComponent = nullptr;
    } else if (AComponent == FSystemMenu) {
        ForgetSysMenuItems(FSystemMenu->Items());
        FSystemMenu = nullptr;
    }
    if (AComponent == FStatusBar) FStatusBar = nullptr;
}

// ---------------------------------------------------------------------------
// Skin

void TsfSkinForm::SetSkinData(TsfSkinData* Value)
{
    if (FSD) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD) {
        FSD->FreeNotification(this);
        if (FForm->FormStyle() != fsMDIChild) FSkinnableForm = FSD->SkinnableForm();
    }
    // Bounds saved at the start of a change of the old skin do not belong to this one.
    FOldFullBorder = -1;
    if (!(ComponentState() & csDesigning)) ChangeSkinData();
}

void TsfSkinForm::SetSkinnableForm(bool Value)
{
    if (FSkinnableForm == Value) return;
    FFormActive = GetFormActive();
    if (ComponentState() & csDesigning) return;
    // A maximised form goes through the switch restored (and hidden), so that
    // the new frame's size limits and client area apply, and is maximised again after.
    const bool Shown = FForm->HandleAllocated() && IsWindowVisible(FForm->Handle());
    bool WasMaximized = false;
    if (FWindowStateInit == wsMaximized && FSkinnableForm) {
        if (Shown) FForm->Hide();
        SetWindowState(wsNormal);
        WasMaximized = true;
    } else if (FForm->WindowState() == wsMaximized && !FSkinnableForm) {
        FForm->SetWindowState(wsNormal);
        if (Shown) FForm->Hide();
        WasMaximized = true;
    }
    FSkinnableForm = Value && !FUseRibbon;
    ChangeSkinData();
    ChangeSkinDataOfControls(nullptr, FForm);
    if (!WasMaximized) return;
    if (FSkinnableForm) SetWindowState(wsMaximized);
    else FForm->SetWindowState(wsMaximized);
    if (Shown) FForm->Show();
}

void TsfSkinForm::SyncGeometry()
{
    TsfFrameGeometry& G = FGeometry;
    G.SupportNCArea = FSupportNCArea;
    G.ToolWindow = FForm->BorderStyle() == bsToolWindow || FForm->BorderStyle() == bsSizeToolWin;
    G.Sizeable = IsSizeAble();
    G.RollUpState = FRollUpState;
    G.WindowState = static_cast<TsfFormWindowState>(FWindowState);
    G.WindowStateInit = static_cast<TsfFormWindowState>(FWindowStateInit);
    G.MinWidth = MinWidth;
    G.MinHeight = MinHeight;
    G.MaxWidth = MaxWidth;
    G.MaxHeight = MaxHeight;
    G.NCDraggAble = NCDraggAble;
    G.ShowIcon = FShowIcon;
    G.IconSize = GetIconSize();
    G.ObjectHot = ActiveObject != -1;
    G.QuickButtonCount = QuickButtonsShown();
    G.QuickImageWidth = QuickImageList ? QuickImageList->Width() : 0;
    G.SizeMove = FSizeMove;
    G.LayerBorderFull = IsFullLayerBorderUsed();
    if (G.FormWidth == 0 || G.FormHeight == 0) {
        G.FormWidth = FForm->Width();
        G.FormHeight = FForm->Height();
    }
}

TsfFrameObjectList TsfSkinForm::ObjectPlaces() const
{
    TsfFrameObjectList L;
    L.reserve(ObjectList.size());
    for (const auto& O : ObjectList) L.push_back(O.get());
    return L;
}

// ---------------------------------------------------------------------------
// Frame objects: which one is under the mouse, and the mouse handed to it.

void TsfSkinForm::FindActiveObject(Integer X, Integer Y, bool AInFrame)
{
    if (ObjectList.empty()) return;
    // A full layered border tracks the objects on its own window.
    if (FSupportNCArea && FullLayerBorderShown()) return;
    if (!(GetFormActive() || !FSupportNCArea) || FSizeMove || IsMaximizedMDIChild()) return;
    if (BorderNone() && FSupportNCArea) return;
    OldActiveObject = ActiveObject;
    Integer Hit = -1;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TsfActiveSkinObject* O = ObjectList[i].get();
        if (!IsObjectInRollUpState(O->RollUp) || !O->Enabled || !O->Visible) continue;
        const TRect& R = O->ObjectRect;
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom && O->InMask(X - R.Left, Y - R.Top)) {
            Hit = static_cast<Integer>(i);
            break;
        }
    }
    ActiveObject = AInFrame ? Hit : -1;
    if (MouseCaptureObject != -1 && MouseCaptureObject != ActiveObject) ActiveObject = -1;
    if (ActiveObject >= static_cast<Integer>(ObjectList.size())) ActiveObject = -1;
    if (ActiveObject == OldActiveObject) return;
    if (OldActiveObject >= 0 && OldActiveObject < static_cast<Integer>(ObjectList.size())) {
        TsfActiveSkinObject* Old = ObjectList[OldActiveObject].get();
        if (Old->Enabled && Old->Visible) Old->MouseLeave();
        if (ShowObjectHint && FSkinHint && Old->Enabled && Old->Visible && !Old->Hint.empty()) FSkinHint->HideHint();
    }
    if (ActiveObject >= 0) {
        TsfActiveSkinObject* New = ObjectList[ActiveObject].get();
        if (New->Enabled && New->Visible) New->MouseEnter();
        if (GetFormActive() && ShowObjectHint && FSkinHint && !New->Hint.empty()) FSkinHint->ActivateHint2(New->Hint);
    }
}

void TsfSkinForm::ObjectsMouseDown(TMouseButton Button, Integer X, Integer Y)
{
    FindActiveObject(X, Y, true);
    if (ActiveObject < 0) return;
    TsfActiveSkinObject* O = ObjectList[ActiveObject].get();
    if (FSupportNCArea && O->Kind != TsfFrameObjectKind::Caption) SetCapture(FForm->Handle());
    MouseCaptureObject = ActiveObject;
    O->MouseDown(X, Y, Button);
}

void TsfSkinForm::ObjectsMouseUp(TMouseButton Button, Integer X, Integer Y)
{
    if (MouseCaptureObject < 0 || MouseCaptureObject >= static_cast<Integer>(ObjectList.size())) return;
    TsfActiveSkinObject* O = ObjectList[MouseCaptureObject].get();
    if (FSupportNCArea && O->Kind != TsfFrameObjectKind::Caption) ReleaseCapture();
    MouseCaptureObject = -1;
    O->MouseUp(X, Y, Button);
}

void TsfSkinForm::ObjectsMouseMove(Integer X, Integer Y)
{
    const Integer Index = MouseCaptureObject >= 0 ? MouseCaptureObject : ActiveObject;
    if (Index >= 0 && Index < static_cast<Integer>(ObjectList.size())) ObjectList[Index]->MouseMove(X, Y);
}

void TsfSkinForm::ObjectsDblClick()
{
    if (ActiveObject >= 0 && ActiveObject < static_cast<Integer>(ObjectList.size()))
        ObjectList[ActiveObject]->DblClick();
}

void TsfSkinForm::StartMouseTimer()
{
    SkinClock()->StartTimer(this, MouseTimerId, MouseTimerInterval, [this] { MouseTimerProc(); });
}

void TsfSkinForm::StopMouseTimer() { SkinClock()->StopTimer(this, MouseTimerId); }

bool TsfSkinForm::MouseTimerRunning() const { return SkinClock()->TimerRunning(this, MouseTimerId); }

void TsfSkinForm::MouseTimerProc()
{
    if (!FSkinSupport && !FSupportNCArea) return;
    if (!FForm->HandleAllocated()) {
        StopMouseTimer();
        return;
    }
    POINT C{};
    GetCursorPos(&C);
    const bool OverForm = WindowFromPoint(C) == FForm->Handle();
    if (!FSupportNCArea) {
        POINT Q = C;
        ScreenToClient(FForm->Handle(), &Q);
        if (FIsDragging) return;
        if (OverForm) {
            FindActiveObject(Q.x, Q.y, true);
        } else {
            FindActiveObject(-1, -1, false);
            MouseIn = false;
            StopMouseTimer();
        }
        return;
    }
    if (!OverForm) {
        StopMouseTimer();
        FindActiveObject(-1, -1, false);
        return;
    }
    if (FSizeMove) {
        StopMouseTimer();
        return;
    }
    TPoint P{C.x, C.y};
    PointToWindow(P);
    const TRect& Cl = FSkinSupport ? FGeometry.NewClRect : TRect{};
    const bool InClient = P.X >= Cl.Left && P.X < Cl.Right && P.Y >= Cl.Top && P.Y < Cl.Bottom;
    if (!InClient) FindActiveObject(P.X, P.Y, true);
    else if (ActiveObject != -1) FindActiveObject(-1, -1, true);
}

// ---------------------------------------------------------------------------
// Services

bool TsfSkinForm::IsMaximizedMDIChild() const
{
    return FForm->FormStyle() == fsMDIChild && FWindowStateInit == wsMaximized;
}

bool TsfSkinForm::BorderNone() const { return FForm->BorderStyle() == bsNone; }

bool TsfSkinForm::FrameDrawn() const { return FSupportNCArea && !BorderNone() && !IsMaximizedMDIChild(); }

Integer TsfSkinForm::GetDefCaptionHeight() const
{
    const TFormBorderStyle S = FForm->BorderStyle();
    return S == bsToolWindow || S == bsSizeToolWin ? 15 : 19;
}

Integer TsfSkinForm::GetDefButtonSize() const
{
    const TFormBorderStyle S = FForm->BorderStyle();
    return S == bsToolWindow || S == bsSizeToolWin ? 13 : 17;
}

TRect TsfSkinForm::GetDefCaptionRect()
{
    CalcDefRects();
    return FGeometry.NewDefCaptionRect;
}

bool TsfSkinForm::HasSkinFrame() const { return FSupportNCArea && FSkinSupport && FGeometry.HasSkinFrame(); }

bool TsfSkinForm::IsObjectInRollUpState(bool ARollUp) const
{
    return FSupportNCArea ? !ARollUp : ARollUp == FRollUpState;
}

bool TsfSkinForm::IsSizeAble() const
{
    return Sizeable || FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin;
}

bool TsfSkinForm::GetFormActive() const
{
    const TFormStyle S = FForm->FormStyle();
    if (S == fsMDIForm || S == fsMDIChild) return FFormActive;
    return FForm->Active();
}

void TsfSkinForm::BringStayOnTopFormsToFront()
{
    for (Integer i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* F = Screen->Forms(i);
        if (F->Visible() && F->FormStyle() == fsStayOnTop && F->HandleAllocated()) SetForegroundWindow(F->Handle());
    }
}

void TsfSkinForm::DoActivateEvents()
{
    const bool A = GetFormActive();
    if (A) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
    OldActive = A;
}

void TsfSkinForm::UpDateFormNC()
{
    // A full border carries the caption: it is what shows the frame.
    if (FullLayerBorderShown()) FBorderLayer->UpdateBorder();
    else if (FForm->HandleAllocated()) SendMessageW(FForm->Handle(), WM_NCPAINT, 1, 0);
}

void TsfSkinForm::NudgeWidth()
{
    const Integer W = FForm->Width();
    if (W - 1 < GetMinWidth()) {
        FForm->SetWidth(W + 1);
    } else {
        FForm->SetWidth(W - 1);
    }
    FForm->SetWidth(W);
}

void TsfSkinForm::NotifyControlsBackgroundChanged()
{
    for (Integer i = 0; i < FForm->ControlCount(); ++i)
        if (auto* W = dynamic_cast<TWinControl*>(FForm->Controls(i)))
            if (W->HandleAllocated()) SendMessageW(W->Handle(), WM_PARENTBGCHANGED, 0, 0);
}

void TsfSkinForm::DrawLogo(TCanvas* Canvas)
{
    if (!Canvas || FLogoBitMap->Empty()) return;
    if (FLogoBitMap->Transparent() != LogoBitMapTransparent) FLogoBitMap->SetTransparent(LogoBitMapTransparent);
    const Integer X = IntMax(0, FForm->ClientWidth() / 2 - FLogoBitMap->Width() / 2);
    const Integer Y = IntMax(0, FForm->ClientHeight() / 2 - FLogoBitMap->Height() / 2);
    Canvas->Draw(X, Y, FLogoBitMap.get());
}

TSize TsfSkinForm::GetIconSize() const
{
    Integer W = GetSystemMetrics(SM_CXSMICON), H = GetSystemMetrics(SM_CYSMICON);
    if (W == 0) W = GetSystemMetrics(SM_CXSIZE);
    if (H == 0) H = GetSystemMetrics(SM_CYSIZE);
    return {W, H};
}

void TsfSkinForm::DrawFormIcon(TCanvas* Canvas, Integer X, Integer Y)
{
    if (!FIcon) {
        const TSize S = GetIconSize();
        HICON Source = FForm->Icon() && !FForm->Icon()->Empty() ? FForm->Icon()->Handle() : nullptr;
        if (!Source && Application->Icon() && !Application->Icon()->Empty()) Source = Application->Icon()->Handle();
        HICON System = nullptr;
        if (!Source) Source = System = LoadIconW(nullptr, IDI_APPLICATION);
        FIcon = std::make_unique<TIcon>();
        FIcon->SetHandle(static_cast<HICON>(CopyImage(Source, IMAGE_ICON, S.cx, S.cy, LR_COPYFROMRESOURCE)));
        if (System) DestroyIcon(System);
    }
    if (FIcon->Handle()) DrawIconEx(Canvas->Handle(), X, Y, FIcon->Handle(), 0, 0, 0, nullptr, DI_NORMAL);
}

bool TsfSkinForm::IconHasAlpha()
{
    const TSize S = GetIconSize();
    TsfBitmap B;
    B.SetSize(S.cx, S.cy);
    B.Clear(0);
    DrawFormIcon(B.Canvas(), 0, 0);
    GdiFlush();
    for (Integer i = 0; i < S.cx * S.cy; ++i)
        if (B.Bits()[i] >> 24) return true;
    return false;
}

void TsfSkinForm::CutCaptionText(TCanvas* Canvas, String& S, Integer Width) { ::CutTextToWidth(Canvas, S, Width); }

TBorderIcons TsfSkinForm::UpdateFormBorderIcons() const
{
    TBorderIcons I = 0;
    if (!HideCaptionButtons && !FSkinnableForm) I |= biSystemMenu;
    if (FBorderIcons & sfbiMinimize) I |= biMinimize;
    if (FBorderIcons & sfbiMaximize) I |= biMaximize;
    return I;
}

void TsfSkinForm::FormShortCut(TWMKey& Msg, bool& Handled)
{
    if (OnShortCut) OnShortCut(Msg, Handled);
    if (Handled) return;
    // Alt+Space opens the system menu under its caption button (handled even when none is there).
    const TShiftState Shift = KeyDataToShiftState(static_cast<Integer>(Msg.LParam));
    const Integer Key = static_cast<Integer>(Msg.WParam);
    if (Key == VK_SPACE && Shift == ssAlt) {
        PopupSysMenuAtButton();
        FInShortCut = false;
        Handled = true;
        return;
    }
    FInShortCut = false;
    TMainMenu* Menu = FMainMenuBar && FMainMenuBar->BarMainMenu() ? FMainMenuBar->BarMainMenu() : FMainMenu;
    if (Menu) {
        // Alt+F4 stays the platform's close.
        if (Shift == ssAlt && Key != VK_F4 && MainMenuAccelKey(Key)) Handled = true;
        else Handled = FInShortCut = Menu->IsShortCut(Msg);
    }
    if (Handled || !FMainMenuBar) return;
    // An MDI child's menu shown on the bar answers its own short cuts.
    if (TMainMenu* Child = FMainMenuBar->ShownChildMainMenu()) {
        if (Shift == ssAlt && Key != VK_F4 && MainMenuAccelKey(Key)) Handled = FInShortCut = true;
        else Handled = FInShortCut = Child->IsShortCut(Msg);
    }
}


TPoint TsfSkinForm::GetPositionInMonitor(Integer AX, Integer AY, Integer AW, Integer AH)
{
    if (PositionInMonitor == sfpDefault) return {AX, AY};
    TRect R;
    GetScreenRect(PositionInMonitor == sfpDesktopCenter, R);
    if (FForm->HandleAllocated()) GetMonitorRect(FForm->Handle(), PositionInMonitor == sfpDesktopCenter, R);
    return {R.Left + R.Width() / 2 - AW / 2, R.Top + R.Height() / 2 - AH / 2};
}

void TsfSkinForm::ApplyPositionInMonitor()
{
    if (PositionInMonitor == sfpDefault) return;
    const TPoint P = GetPositionInMonitor(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    FForm->SetBounds(P.X, P.Y, FForm->Width(), FForm->Height());
}

TRect TsfSkinForm::GetAreaRect(const String& AIDName)
{
    TRect R;
    if (!FSkinSupport) return R;
    for (const auto& A : FSD->AreaList)
        if (A->IDName == AIDName) R = A->AreaRect;
    return R;
}

void TsfSkinForm::SetFormBorderStyle(TFormBorderStyle BS) { FForm->SetBorderStyle(BS); }

void TsfSkinForm::SetFormStyle(TFormStyle FS)
{
    if (FS == fsNormal || FS == fsStayOnTop) FForm->SetFormStyle(FS);
}

void TsfSkinForm::SetBorderIcons(TsfBorderIcons Value)
{
    FBorderIcons = Value;
    if (FSupportNCArea || FSkinSupport) {
        if (ComponentState() & (csLoading | csDesigning)) return;
        UpdateCaptionButtons();
        UpDateFormNC();
    } else if (HideCaptionButtons) {
        UpdateCaptionButtons();
    }
}

void TsfSkinForm::SetShowIcon(bool Value)
{
    FShowIcon = Value;
    if (!(ComponentState() & (csLoading | csDesigning))) UpDateFormNC();
}

void TsfSkinForm::SetDefCaptionFont(TFont* Value)
{
    FDefCaptionFont->Assign(Value);
    if (!(ComponentState() & (csLoading | csDesigning)) && !FSkinSupport) UpDateFormNC();
}

void TsfSkinForm::SetDefInActiveCaptionFont(TFont* Value)
{
    FDefInActiveCaptionFont->Assign(Value);
    if (!(ComponentState() & (csLoading | csDesigning)) && !FSkinSupport) UpDateFormNC();
}

void TsfSkinForm::SetUseRibbon(bool Value)
{
    FUseRibbon = Value;
    if (Value && !(ComponentState() & csDesigning)) SetSkinnableForm(false);
}

// ---------------------------------------------------------------------------
// Size limits and hit tests

Integer TsfSkinForm::GetMinWidth()
{
    SyncGeometry();
    return FGeometry.GetMinWidth();
}

Integer TsfSkinForm::GetMinHeight()
{
    SyncGeometry();
    return FGeometry.GetMinHeight();
}

Integer TsfSkinForm::GetMaxWidth()
{
    SyncGeometry();
    TRect R;
    GetScreenRect(!MaximizeOnFullScreen, R);
    if (FForm->HandleAllocated()) GetMonitorRect(FForm->Handle(), !MaximizeOnFullScreen, R);
    FGeometry.MonitorSize = {R.Width(), R.Height()};
    return FGeometry.GetMaxWidth();
}

Integer TsfSkinForm::GetMaxHeight()
{
    GetMaxWidth();
    return FGeometry.GetMaxHeight();
}

Integer TsfSkinForm::CalcNCHitTest(const TPoint& P)
{
    SyncGeometry();
    return FGeometry.CalcNCHitTest(P, ObjectPlaces());
}

Integer TsfSkinForm::CalcDefHitTest(const TPoint& P)
{
    CalcDefRects();
    return FGeometry.CalcDefHitTest(P);
}

Integer TsfSkinForm::CalcClientHitTest(const TPoint& P)
{
    SyncGeometry();
    return FGeometry.CalcClientHitTest(P);
}

// ---------------------------------------------------------------------------
// Layout

void TsfSkinForm::CalcDefRects()
{
    SyncGeometry();
    FGeometry.CalcDefRects(ObjectPlaces());
}

void TsfSkinForm::CalcFrameRects()
{
    SyncGeometry();
    FGeometry.CalcFrameRects();
}

void TsfSkinForm::CalcObjectRects()
{
    SyncGeometry();
    FGeometry.CalcObjectRects(ObjectPlaces());
}

void TsfSkinForm::UpdateFrameLayout(bool AUpdateObjects)
{
    if ((ComponentState() & csDesigning) || !FSkinSupport) return;
    if (FSkinnableForm) {
        CalcFrameRects();
        if (AUpdateObjects) CalcObjectRects();
    }
    SetFormRegion(AUpdateObjects);
    if (OnChangeClientRect) OnChangeClientRect(FGeometry.NewClRect);
    if (!FForm->HandleAllocated()) return;
    if (FSupportNCArea) {
        if (!FRgn && FSkinnableForm) SendMessageW(FForm->Handle(), WM_NCPAINT, 1, 0);
        if (FSD->StretchEffect) {
            FForm->Invalidate();
            NotifyControlsBackgroundChanged();
        }
    } else {
        FForm->Invalidate();
    }
}

void TsfSkinForm::PointToWindow(TPoint& P) const
{
    if (FForm->FormStyle() == fsMDIChild && FForm->HandleAllocated()) {
        POINT Q{P.X, P.Y};
        ScreenToClient(FForm->Handle(), &Q);
        P = {Q.x, Q.y};
        if (FSkinSupport) {
            P.X += FGeometry.NewClRect.Left;
            P.Y += FGeometry.NewClRect.Top;
        } else {
            P.X += 3;
            P.Y += GetDefCaptionHeight() + 3;
        }
        return;
    }
    const TRect B = FForm->HandleAllocated() ? WindowBounds(FForm->Handle()) : FForm->BoundsRect();
    P.X -= B.Left;
    P.Y -= B.Top;
}

// ---------------------------------------------------------------------------
// Window region

void TsfSkinForm::SetFormRegion(bool AUpdateMask)
{
    if (!FForm->HandleAllocated()) return;
    SyncGeometry();
    const HWND Wnd = FForm->Handle();
    const bool Redraw = IsWindowVisible(Wnd) != 0;
    // SetWindowRgn hands the region to the system, which deletes it when it is
    // replaced or the window goes: it is never deleted here.
    auto Apply = [&](HRGN N) {
        FRgn = N;
        SetWindowRgn(Wnd, N, Redraw);
    };
    switch (FGeometry.FormRegionKind(FSkinnableForm, BorderNone(), IsMaximizedMDIChild(), AUpdateMask)) {
    case TsfFormRegionKind::Remove:
        if (FRgn) Apply(nullptr);
        if (!FSkinSupport) FGeometry.ClearMaskStrips();
        return;
    case TsfFormRegionKind::Rectangle: {
        TRegion R(TRect{0, 0, FGeometry.FormWidth, FGeometry.LayerBorderFull ? LayerBorderRegionHeight()
                                                                               : FGeometry.FormHeight});
        if (!FSkinSupport) FGeometry.ClearMaskStrips();
        Apply(R.Release());
        return;
    }
    case TsfFormRegionKind::Strips: {
        FGeometry.UpdateMask();
        TRegion R(FGeometry.NewMaskRectArea);
        for (const auto& S : FGeometry.MaskStripPlaces()) {
            TRegion Part;
            Part.Reset(StripRegion(S.Strip, S.X, S.Y));
            if (Part.Handle()) CombineRgn(R, R, Part, RGN_OR);
        }
        Apply(R.Release());
        return;
    }
    case TsfFormRegionKind::WholeMask: {
        HRGN N = nullptr;
        CreateRgnFromMask(N, &FGeometry.MaskPicture());
        if (N) Apply(N);
        return;
    }
    }
}

// ---------------------------------------------------------------------------
// Painting

namespace {

// Strips and objects are drawn with the picture's own pixels: no blending.
void DrawStrip(HDC DC, const TsfBitmap& B, Integer X, Integer Y)
{
    if (B.Empty() || B.Width() <= 0 || B.Height() <= 0 || !B.DC()) return;
    BitBlt(DC, X, Y, B.Width(), B.Height(), B.DC(), 0, 0, SRCCOPY);
}

void ApplyInActiveEffectTo(TsfBitmap& B, TsfInActiveEffect Effect)
{
    if (B.Empty() || !B.Handle()) return;
    GdiFlush();
    auto E = TsfEffectBmp::CreateFromhWnd(B.Handle());
    if (!E) return;
    switch (Effect) {
    case ieBrightness: E->ChangeBrightness(0.5); break;
    case ieDarkness: E->ChangeDarkness(0.3); break;
    case ieGrayScale: E->GrayScale(); break;
    case ieNoise: E->AddMonoNoise(50); break;
    case ieSplitBlur: E->SplitBlur(1); break;
    case ieInvert: E->Invert(); break;
    }
    E->Draw(B.DC(), 0, 0);
}

} // namespace

void TsfSkinForm::ApplyInActiveEffect(TsfBitmap& B) const
{
    if (FSD) ApplyInActiveEffectTo(B, FSD->InActiveEffect);
}

void TsfSkinForm::PaintNCSkin(HDC ADC, bool AUseExternalDC)
{
    if (!HasSkinFrame() || !FForm->HandleAllocated()) return;
    SyncGeometry();
    TsfFrameGeometry& G = FGeometry;
    if (G.FormWidth < G.GetMinWidth() || G.FormHeight < G.GetMinHeight()) return;
    G.CalcFrameRects();
    G.CalcObjectRects(ObjectPlaces());
    const TsfSkinContent& S = *FSD;
    const TsfBitmap& Src = GetFormActive() || G.InActivePicture().Empty() ? G.FramePicture() : G.InActivePicture();
    if (Src.Empty()) return;
    TsfBitmap Left, Top, Right, Bottom;
    CreateSkinBorderImages(S.LTPoint, S.RTPoint, S.LBPoint, S.RBPoint, S.ClRect, G.NewLTPoint, G.NewRTPoint,
                           G.NewLBPoint, G.NewRBPoint, G.NewClRect, &Left, &Top, &Right, &Bottom, &Src,
                           {0, 0, Src.Width(), Src.Height()}, G.FormWidth, G.FormHeight, S.LeftStretch,
                           S.TopStretch, S.RightStretch, S.BottomStretch);
    const TRect& Cl = G.NewClRect;
    // Objects go on the top or bottom strip; never on the side strips.
    for (const auto& O : ObjectList)
        if (O->Kind == TsfFrameObjectKind::MainMenuItem && !Top.Empty())
            O->Draw(Cl.Top < G.NewMainMenuRect.Top ? Bottom.Canvas() : Top.Canvas(), false);
    for (const auto& O : ObjectList) {
        if (O->Kind == TsfFrameObjectKind::MainMenuItem || !O->Visible || !IsObjectInRollUpState(O->RollUp)) continue;
        if (Cl.Top < O->ObjectRect.Bottom) {
            if (Bottom.Empty()) continue;
            const TRect Saved = O->ObjectRect;
            O->ObjectRect.Top -= Cl.Bottom;
            O->ObjectRect.Bottom -= Cl.Bottom;
            O->Draw(Bottom.Canvas(), false);
            O->ObjectRect = Saved;
        } else if (!Top.Empty()) {
            O->Draw(Top.Canvas(), false);
        }
    }
    if (!GetFormActive() && IsAutoRenderingInActiveImage())
        for (TsfBitmap* B : {&Left, &Top, &Right, &Bottom}) ApplyInActiveEffectTo(*B, S.InActiveEffect);
    TWindowDC Own(AUseExternalDC ? nullptr : FForm->Handle());
    const HDC DC = AUseExternalDC ? ADC : static_cast<HDC>(Own);
    TSavedDC Saved(DC);
    if (Cl.Height() > 0) ExcludeClipRect(DC, Cl.Left, Cl.Top, Cl.Right, Cl.Bottom);
    GdiFlush();
    DrawStrip(DC, Top, 0, 0);
    DrawStrip(DC, Left, 0, Top.Height());
    DrawStrip(DC, Right, G.FormWidth - Right.Width(), Top.Height());
    DrawStrip(DC, Bottom, 0, G.FormHeight - Bottom.Height());
}

void TsfSkinForm::FormFontCharset(TFont* Font)
{
    if (FSD && FSD->ResourceStrData()) Font->SetCharset(FSD->ResourceStrData()->CharSet());
}

void TsfSkinForm::DrawDefaultCaption(TCanvas* C, Integer CaptionHeight)
{
    const TRect& Cap = FGeometry.NewDefCaptionRect;
    const Integer L = Cap.Left - 3, R = Cap.Right;
    if (CaptionHeight >= 6) {
        bool Light = true;
        for (Integer y = 2; y <= CaptionHeight - 4; ++y) {
            C->Pen()->SetColor(Light ? clBtnHighlight : clBtnShadow);
            C->MoveTo(L + 2, y);
            C->LineTo(R - 6, y);
            Light = !Light;
        }
    }
    C->Font()->Assign(GetFormActive() ? FDefCaptionFont.get() : FDefInActiveCaptionFont.get());
    FormFontCharset(C->Font());
    String Text = FForm->Caption();
    if (OnCaptionPaint) {
        OnCaptionPaint(C, TRect{L, 0, R - 3, CaptionHeight}, GetFormActive());
        return;
    }
    if (Text.empty()) return;
    CutCaptionText(C, Text, R - L);
    const Integer X = TsfFrameGeometry::DefCaptionTextX(L, R, GetWideTextWidth(C, Text));
    const Integer Y = CaptionHeight / 2 - GetWideTextHeight(C, Text) / 2;
    TRect TR{X, Y, X, Y};
    DrawWideText(C, Text, TR, DT_CALCRECT | DT_SINGLELINE);
    const TRect Clear{TR.Left - 2, TR.Top - 2, TR.Right + 2, TR.Bottom + 2};
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Clear);
    C->Brush()->SetStyle(bsClear);
    DrawWideText(C, Text, TR, DT_VCENTER | DT_SINGLELINE);
    C->Brush()->SetStyle(bsSolid);
}

void TsfSkinForm::PaintNCDefault(HDC ADC, bool AUseExternalDC)
{
    if (FSD && FSD->ChangeSkinDataProcess) return;
    if (!FForm->HandleAllocated()) return;
    if (ObjectList.empty()) CreateDefaultObjects();
    CalcDefRects();
    const TsfFrameGeometry& G = FGeometry;
    const Integer W = G.FormWidth, H = G.FormHeight, CH = GetDefCaptionHeight();
    if (W <= 6 || H <= 0) return;
    TBitmap Bar(W - 6, CH);
    TCanvas* C = Bar.Canvas();
    C->Brush()->SetColor(clBtnFace);
    C->FillRect({0, 0, W - 6, CH});
    DrawDefaultCaption(C, CH);
    for (const auto& O : ObjectList) {
        if (!O->Visible) continue;
        const TRect Saved = O->ObjectRect;
        O->ObjectRect = {Saved.Left - 3, Saved.Top - 3, Saved.Right - 3, Saved.Bottom - 3};
        O->Draw(C, true);
        O->ObjectRect = Saved;
    }
    TWindowDC Own(AUseExternalDC ? nullptr : FForm->Handle());
    const HDC DC = AUseExternalDC ? ADC : static_cast<HDC>(Own);
    TSavedDC Saved(DC);
    ExcludeClipRect(DC, 3, CH + 3, W - 3, H - 3);
    TCanvas Window;
    Window.SetHandle(DC);
    Window.Draw(3, 3, &Bar);
    TRect R{0, 0, W, H};
    Frame3D(&Window, R, cl3DLight, cl3DDkShadow, 1);
    Frame3D(&Window, R, clBtnHighlight, clBtnShadow, 1);
    Frame3D(&Window, R, clBtnFace, clBtnFace, 1);
    Window.SetHandle(nullptr);
}

void TsfSkinForm::PaintTiled(HDC DC, const TsfBitmap* Tile, const TRect& TileRect, bool Stretch,
                             TsfStretchType Type)
{
    const Integer TW = TileRect.Width(), TH = TileRect.Height();
    // A tile with no area draws nothing (the counts below divide by it).
    if (!Tile || !Tile->DC() || TW <= 0 || TH <= 0) return;
    const Integer CW = FForm->ClientWidth(), CH = FForm->ClientHeight();
    GdiFlush();
    const HDC S = Tile->DC();
    if (Stretch && CW > 0 && CH > 0) {
        SetStretchBltMode(DC, COLORONCOLOR);
        switch (Type) {
        case sfstFull:
            StretchBlt(DC, 0, 0, CW, CH, S, TileRect.Left, TileRect.Top, TW, TH, SRCCOPY);
            return;
        case sfstHorz:
            for (Integer i = 0; i <= FGeometry.FormWidth / TW; ++i)
                StretchBlt(DC, i * TW, 0, TW, FGeometry.FormHeight, S, TileRect.Left, TileRect.Top, TW, TH, SRCCOPY);
            return;
        case sfstVert:
            for (Integer i = 0; i <= FGeometry.FormHeight / TH; ++i)
                StretchBlt(DC, 0, i * TH, FGeometry.FormWidth, TH, S, TileRect.Left, TileRect.Top, TW, TH, SRCCOPY);
            return;
        }
    }
    for (Integer y = 0; y <= CH / TH; ++y)
        for (Integer x = 0; x <= CW / TW; ++x)
            BitBlt(DC, x * TW, y * TH, TW, TH, S, TileRect.Left, TileRect.Top, SRCCOPY);
}

void TsfSkinForm::PaintBG(HDC DC)
{
    if (!DC || !FSkinSupport) return;
    if (IsNullRect(FSD->ClRect)) {
        PaintBGDefault(DC);
        return;
    }
    PaintTiled(DC, &FGeometry.FramePicture(), FSD->ClRect, FSD->StretchEffect, FSD->StretchType);
    TCanvas C;
    C.SetHandle(DC);
    DrawLogo(&C);
    C.SetHandle(nullptr);
}

void TsfSkinForm::PaintBG2(HDC DC)
{
    if (!DC || !FSkinSupport) return;
    const TsfBitmap* P = FSD->ActiveBitmap(FSD->BGPictureIndex);
    if (!P) {
        PaintBG(DC);  // a picture the skin does not have: its client part instead
        return;
    }
    PaintTiled(DC, P, {0, 0, P->Width(), P->Height()}, FSD->StretchEffect, FSD->StretchType);
    TCanvas C;
    C.SetHandle(DC);
    DrawLogo(&C);
    C.SetHandle(nullptr);
}

void TsfSkinForm::PaintBG3(HDC DC)
{
    if (!DC || !FSkinSupport) return;
    const TsfBitmap* P = FSD->ActiveBitmap(FSD->MDIBGPictureIndex);
    if (!P) {
        PaintMDIBGDefault(DC);
        return;
    }
    PaintTiled(DC, P, {0, 0, P->Width(), P->Height()}, FSD->MDIBGStretchEffect, FSD->MDIBGStretchType);
    TCanvas C;
    C.SetHandle(DC);
    DrawLogo(&C);
    C.SetHandle(nullptr);
}

void TsfSkinForm::PaintBGDefault(HDC DC)
{
    if (!DC) return;
    TCanvas C;
    C.SetHandle(DC);
    C.Brush()->SetColor(clBtnFace);
    C.FillRect(FForm->ClientRect());
    DrawLogo(&C);
    C.SetHandle(nullptr);
}

void TsfSkinForm::PaintMDIBGDefault(HDC DC)
{
    if (!DC) return;
    TCanvas C;
    C.SetHandle(DC);
    C.Brush()->SetColor(clAppWorkSpace);
    C.FillRect(FForm->ClientRect());
    DrawLogo(&C);
    C.SetHandle(nullptr);
}

void TsfSkinForm::Paint(HDC DC)
{
    if (!DC) return;
    SyncGeometry();
    const TsfFrameGeometry& G = FGeometry;
    TBitmap Buffer(IntMax(1, FForm->ClientWidth()), IntMax(1, FForm->ClientHeight()));
    TCanvas* C = Buffer.Canvas();
    if (!FSkinSupport) {
        C->Brush()->SetColor(clBtnFace);
        C->Pen()->SetColor(clBlack);
        C->Rectangle(FForm->ClientRect());
    } else {
        const TsfSkinContent& S = *FSD;
        TsfBitmap Image;
        const TsfBitmap& Frame = G.FramePicture();
        if (FRollUpState) {
            // The roll-up picture, its middle stretched to the form's width when it can be.
            const TsfBitmap* Pic = ObjectPicture(true);
            const Integer L = S.RollUpLeftPoint.X, R = S.RollUpRightPoint.X;
            if (L < R)
                CreateHSkinImage(L, Pic->Width() - R, &Image, Pic, {0, 0, Pic->Width(), Pic->Height()},
                                 FForm->ClientWidth(), Pic->Height(), false);
            else
                Image.Assign(const_cast<TsfBitmap*>(Pic));
        } else if (S.LTPoint == TPoint{} && S.RBPoint == TPoint{}) {
            Image.SetSize(IntMax(1, Frame.Width()), IntMax(1, Frame.Height()));
            SkinCopyRect(&Image, {0, 0, Frame.Width(), Frame.Height()}, &Frame, {0, 0, Frame.Width(), Frame.Height()});
        } else {
            CreateSkinImage(S.LTPoint, S.RTPoint, S.LBPoint, S.RBPoint, S.ClRect, G.NewLTPoint, G.NewRTPoint,
                            G.NewLBPoint, G.NewRBPoint, G.NewClRect, &Image, &Frame,
                            {0, 0, Frame.Width(), Frame.Height()}, G.FormWidth, G.FormHeight, true, S.LeftStretch,
                            S.TopStretch, S.RightStretch, S.BottomStretch, S.StretchEffect, S.StretchType);
        }
        Image.Draw(C, 0, 0);
        for (const auto& O : ObjectList)
            if (O->RollUp == FRollUpState && O->Visible) O->Draw(C, false);
    }
    BitBlt(DC, 0, 0, Buffer.Width(), Buffer.Height(), C->Handle(), 0, 0, SRCCOPY);
}

void TsfSkinForm::DrawSkinObject(TsfActiveSkinObject* AObject)
{
    if (!AObject || !IsObjectInRollUpState(AObject->RollUp) || !FForm->HandleAllocated()) return;
    if (!FSupportNCArea) {
        AObject->Draw(FForm->Canvas(), true);
        return;
    }
    if (IsMaximizedMDIChild() || BorderNone()) return;
    if (FullLayerBorderShown()) {
        FBorderLayer->UpdateBorder();
        return;
    }
    TNonClientCanvas C(FForm->Handle());
    AObject->Draw(&C, true);
}

// ---------------------------------------------------------------------------
// Alpha, fade-in and shadow

void TsfSkinForm::SetLayered(bool On)
{
    if (!FForm->HandleAllocated()) return;
    const HWND Wnd = FForm->Handle();
    const LONG_PTR Ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
    const bool Has = (Ex & WS_EX_LAYERED) != 0;
    if (On && !Has) SetWindowLongPtrW(Wnd, GWL_EXSTYLE, Ex | WS_EX_LAYERED);
    if (!On && Has) SetWindowLongPtrW(Wnd, GWL_EXSTYLE, Ex & ~LONG_PTR(WS_EX_LAYERED));
}

void TsfSkinForm::SetWindowAlphaValue(Byte Alpha)
{
    if (FForm->HandleAllocated()) SetWindowAlpha(FForm->Handle(), Alpha);
}

void TsfSkinForm::SetAlphaBlend(bool Value)
{
    if (FAlphaBlend == Value) return;
    FAlphaBlend = Value;
    if (ComponentState() & (csLoading | csDesigning | csDestroying)) return;
    if (Value) {
        SetLayered(true);
        SetWindowAlphaValue(FAlphaBlendValue);
    } else {
        SetLayered(false);
    }
}

void TsfSkinForm::SetAlphaBlendValue(Byte Value)
{
    if (FAlphaBlendValue == Value) return;
    FAlphaBlendValue = Value;
    if (FAlphaBlend && !(ComponentState() & (csLoading | csDesigning | csDestroying))) SetWindowAlphaValue(Value);
}

bool TsfSkinForm::FadeWanted() const
{
    return IsWindows2000OrLater() && (FAlphaBlend || FAlphaBlendAnimation || (FSD && FSD->AnimationForAllWindows));
}

void TsfSkinForm::StartFadeIn()
{
    if (IsWindowsVistaOrLater() && !DisableDWMAnimation) {
        SetDwmTransitions(FForm->Handle(), false);
        DisableDWMAnimation = true;
    }
    SetLayered(true);
    SetWindowAlphaValue(0);
    FFade.Stop();
    SkinClock()->StopTimer(this, FadeStepTimerId);
    SkinClock()->StartTimer(this, FadeTimerId, 1, [this] { FadeTimerProc(); });
}

void TsfSkinForm::FadeTimerProc()
{
    SkinClock()->StopTimer(this, FadeTimerId);  // the fade runs once per show
    if (!FadeWanted() || !FForm->HandleAllocated()) return;
    // A focused push button shows its final look at once instead of morphing in under the fade.
    if (auto* Button = dynamic_cast<TsfSkinButton*>(FForm->ActiveControl())) Button->SetStopAnimate(true);
    const bool Animation = FAlphaBlendAnimation || (FSD && FSD->AnimationForAllWindows);
    const Integer Target = TsfFormFade::TargetAlpha(FAlphaBlend, Animation, FAlphaBlendValue);
    if (Animation) {
        // Stepped by the clock: the interface answers messages between the steps.
        FFade.Start(Target);
        FadeStepTimerProc();
        if (FFade.Running())
            SkinClock()->StartTimer(this, FadeStepTimerId, TsfFormFade::StepInterval, [this] { FadeStepTimerProc(); });
        return;
    }
    if (Target != 255) SetWindowAlphaValue(static_cast<Byte>(FAlphaBlendValue));
    else SetLayered(false);
}

void TsfSkinForm::FadeStepTimerProc()
{
    if (!FForm->HandleAllocated()) {
        SkinClock()->StopTimer(this, FadeStepTimerId);
        return;
    }
    SetWindowAlphaValue(static_cast<Byte>(FFade.Next()));
    if (FFade.Running()) return;
    SkinClock()->StopTimer(this, FadeStepTimerId);
    if (FFade.Target() == 255) SetLayered(false);
}

void TsfSkinForm::EnableShadow(bool AShowShadow, bool AHideFormBefore)
{
    if (!IsWindows2000OrLater() || FHaveShadow == AShowShadow) return;
    FHaveShadow = AShowShadow;
    const HWND Wnd = FForm->Handle();
    const bool Hide = AHideFormBefore && FForm->Visible();
    if (Hide) FForm->Hide();
    const ULONG_PTR Style = GetClassLongPtrW(Wnd, GCL_STYLE);
    SetClassLongPtrW(Wnd, GCL_STYLE, AShowShadow ? Style | CS_DROPSHADOW : Style & ~ULONG_PTR(CS_DROPSHADOW));
    if (Hide) FForm->Show();
}

// ---------------------------------------------------------------------------
// The window procedure

TPoint TsfSkinForm::MessagePoint(const TMessage& Message) const
{
    TPoint P{static_cast<SHORT>(LOWORD(Message.LParam)), static_cast<SHORT>(HIWORD(Message.LParam))};
    PointToWindow(P);
    return P;
}

void TsfSkinForm::NewWndProc(TMessage& Message)
{
    TCustomForm* Form = FForm;
    const HWND Wnd = Form->HandleAllocated() ? Form->Handle() : nullptr;
    if (BeforeForm(Message)) CallOld(Message);
    // The form's own procedure may have freed the form, and the component with it.
    if (Wnd && !StillControlOf(Form, Wnd)) return;
    AfterForm(Message);
}

bool TsfSkinForm::BeforeForm(TMessage& Message)
{
    const bool NC = FSupportNCArea;
    CheckMenuCloseMessage(Message);
    if (FForm->FormStyle() == fsMDIForm || FForm->FormStyle() == fsMDIChild) {
        bool Pass = true;
        if (MDIBeforeForm(Message, Pass)) return Pass;
    }
    switch (Message.Msg) {
    case WM_SKINMENUCLOSE:
        SkinMenuClose();
        return true;
    case WM_DESTROY:
        SkinClock()->StopTimers(this);
        FFade.Stop();
        return true;
    case WM_SIZE: WMSize(Message); return false;
    case WM_ACTIVATE:
        if (!FSkinnableForm) return true;
        WMActivate(Message);
        return false;
    case WM_SETTEXT:
        if (!FSkinnableForm) return true;
        WMSetText(Message);
        return false;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return false;
    case WM_SHOWWINDOW: WMShowWindow(Message); return true;
    case WM_SETCURSOR:
        if (NC && UseFormCursorInNCArea && FSkinnableForm) WMSetCursor(Message);
        return true;
    case WM_GETMINMAXINFO:
        if (FSkinnableForm) WMGetMinMaxInfo(Message);
        return true;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return true;
    case WM_DISPLAYCHANGE:
        if (NC && !BorderNone()) WMDisplayChange(Message);
        return true;
    case WM_NCCALCSIZE:
        if (!FSkinnableForm) return true;
        WMNCCalcSize(Message);
        return false;
    case WM_NCHITTEST:
        if (NC && !FSkinnableForm) return true;
        WMNCHitTest(Message);
        return Message.Result == HTCLIENT && !NC && !FSkinSupport;
    case WM_NCPAINT:
        if (!FSkinnableForm) return true;
        WMNCPaint(Message);
        return false;
    case WM_NCACTIVATE:
        if (FSkinMenu && FSkinMenu->Visible()) FSkinMenu->Hide();
        if (!FSkinnableForm) return true;
        WMNCActivate(Message);
        return false;
    case WM_SYNCPAINT:
        if (!(FSkinnableForm && FRollUpState && NC)) return true;
        SendMessageW(FForm->Handle(), WM_NCPAINT, 1, 0);
        Message.Result = 0;
        return false;
    case WM_SYSCOMMAND: return WMSysCommand(Message);
    case WM_RESTOREFROMTRAY:
        // Only a restore the tray icon started counts.
        if (FForm->Tag() != TrayRestoreTag) return true;
        // The border windows come back behind other programs' windows otherwise.
        if (IsLayerBorderUsed()) {
            SetForegroundWindow(FForm->Handle());
            BringStayOnTopFormsToFront();
        }
        FForm->SetTag(0);
        return true;
    case WM_NCRBUTTONDOWN:
        // The skinned system menu takes the caption's right click: the platform's
        // own handling would hold the mouse until the release and then open its
        // system menu over the skinned one.
        if (!(NC && FSkinnableForm && Message.WParam == HTCAPTION)) return true;
        Message.Result = 0;
        return false;
    case WM_SIZING:
        if (!(FSizeMove && FFullDrag)) return true;
        WMSizing(Message);
        return false;
    case WM_MOVING:
        if (FSkinnableForm) WMMoving(Message);
        return true;
    case WM_ENTERSIZEMOVE: WMEnterSizeMove(Message); return true;
    case WM_EXITSIZEMOVE:
        if (NC && FSkinnableForm) WMExitSizeMove(Message);
        return true;
    case WM_BEFORECHANGESKINDATA: SkinChangeBegins(Message); return true;
    case WM_AFTERCHANGESKINDATA: SkinChangeEnds(Message); return true;
    case WM_CHANGESKINDATAFINISHED: return true;  // nothing here without multiple-document children
    case WM_CHANGERESSTRDATA: UpdateObjectHints(); return true;
    case WM_CHANGESKINNABLEFORM:
        if (!FUseRibbon && FSD && Message.WParam == reinterpret_cast<WPARAM>(FSD) && FForm->FormStyle() != fsMDIChild)
            SetSkinnableForm(FSD->SkinnableForm());
        return true;
    case WM_MDIISCHILDMAXIMIZED:
        Message.Result = 0;  // no multiple-document children here
        return false;
    case WM_SKINFORMQUERY:
        Message.Result = FSkinnableForm || !IsWindowsVistaOrLater() ? SkinFormQuerySkinned : SkinFormQueryNotSkinned;
        return false;
    case WM_SMARTEFFECTSSHOW: FSmartEffectsShow = true; return true;
    case WM_SMARTEFFECTSDONE: FSmartEffectsShow = false; return true;
    case WM_PAINTFRAMEINTO:
        if (!FSkinnableForm) return true;
        PaintFrameInto(Message, PaintFrameIntoAnswer);
        return false;
    case WM_PAINTFRAMEINTO2:
        if (!FSkinnableForm || Message.LParam != PaintIntoKey) return true;
        PaintFrameInto(Message, PaintIntoKey);
        return false;
    }
    return true;
}

void TsfSkinForm::AfterForm(TMessage& Message)
{
    if (FForm->FormStyle() == fsMDIForm || FForm->FormStyle() == fsMDIChild) MDIAfterForm(Message);
    LayerBorderAfterForm(Message);
    const bool NC = FSupportNCArea;
    const Integer X = LOWORD(Message.LParam), Y = HIWORD(Message.LParam);
    switch (Message.Msg) {
    case WM_NCMOUSEMOVE:
        if (NC && FSkinnableForm) {
            const TPoint P = MessagePoint(Message);
            ObjectsMouseMove(P.X, P.Y);
        }
        return;
    case WM_NCLBUTTONDOWN:
        if (!(NC && FSkinnableForm)) return;
        if (FSizeMove) {
            FSizeMove = false;
            return;
        }
        {
            const TPoint P = MessagePoint(Message);
            FindActiveObject(P.X, P.Y, true);
            ObjectsMouseDown(mbLeft, P.X, P.Y);
        }
        if (Message.WParam == HTCAPTION) MouseCaptureObject = -1;
        return;
    case WM_NCLBUTTONUP:
        if (NC && FSkinnableForm) {
            const TPoint P = MessagePoint(Message);
            try {
                ObjectsMouseUp(mbLeft, P.X, P.Y);
            } catch (...) {
                // What an object raises on release does not leave the frame.
            }
        }
        return;
    case WM_NCLBUTTONDBLCLK:
        if (!(NC && FSkinnableForm)) return;
        {
            const TPoint P = MessagePoint(Message);
            FindActiveObject(P.X, P.Y, true);
            ObjectsMouseDown(mbLeft, P.X, P.Y);
            ObjectsDblClick();
        }
        if (Message.WParam == HTCAPTION) {
            if (Sizeable) {
                if (FWindowStateInit == wsMinimized) SetWindowState(wsNormal);
                else if (FWindowStateInit != wsMaximized && !FRollUpState && (FBorderIcons & sfbiMaximize))
                    SetWindowState(wsMaximized);
                else if (FWindowStateInit == wsMaximized && !FRollUpState) SetWindowState(wsNormal);
            }
            MouseCaptureObject = -1;
        }
        return;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
        if (!(NC && FSkinnableForm)) return;
        {
            const TPoint P = MessagePoint(Message);
            FindActiveObject(P.X, P.Y, true);
            ObjectsMouseDown(mbRight, P.X, P.Y);
        }
        if (Message.WParam == HTCAPTION) {
            MouseCaptureObject = -1;
            if (Message.Msg == WM_NCRBUTTONDOWN && !DisableSystemMenu) {
                // The message's point is on the screen.
                PopupSysMenuAtPoint(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
            }
        }
        return;
    case WM_NCRBUTTONUP:
        if (NC && FSkinnableForm) {
            const TPoint P = MessagePoint(Message);
            ObjectsMouseUp(mbRight, P.X, P.Y);
        }
        return;
    case WM_MOUSEMOVE:
        if (!NC) {
            ObjectsMouseMove(X, Y);
            FormDragMove();
        } else if (MouseCaptureObject >= 0 && FSkinnableForm && FForm->HandleAllocated()) {
            // An object being dragged holds the capture: its moves come as client messages.
            POINT Q{static_cast<SHORT>(X), static_cast<SHORT>(Y)};
            ClientToScreen(FForm->Handle(), &Q);
            TPoint P{Q.x, Q.y};
            PointToWindow(P);
            ObjectsMouseMove(P.X, P.Y);
        }
        return;
    case WM_LBUTTONDOWN:
        if (!NC) {
            POINT C{};
            GetCursorPos(&C);
            FOnMouseDownCoord = {C.x, C.y};
            ObjectsMouseDown(mbLeft, X, Y);
            ClientModeMouseDown(X, Y);
        }
        return;
    case WM_RBUTTONDOWN:
        if (!NC) ObjectsMouseDown(mbRight, X, Y);
        return;
    case WM_LBUTTONUP:
        if (NC) {
            ObjectsMouseUp(mbLeft, -1, -1);
        } else {
            ObjectsMouseUp(mbLeft, X, Y);
            EndFormDrag();
        }
        return;
    case WM_RBUTTONUP:
        if (NC) ObjectsMouseUp(mbRight, -1, -1);
        else ObjectsMouseUp(mbRight, X, Y);
        return;
    case WM_LBUTTONDBLCLK:
        ObjectsMouseDown(mbLeft, X, Y);
        ObjectsDblClick();
        return;
    case WM_RBUTTONDBLCLK:
        ObjectsMouseDown(mbRight, X, Y);
        return;
    }
}

void TsfSkinForm::WMSize(TMessage& Message)
{
    if (FSizeMove && FFullDrag) {
        if (FSupportNCArea && !FLogoBitMap->Empty() && FForm->FormStyle() != fsMDIForm) FForm->Invalidate();
        CallOld(Message);
        return;
    }
    CallOld(Message);
    if (!FForm->HandleAllocated()) return;
    const TRect B = WindowBounds(FForm->Handle());
    const bool Resized = B.Width() != FGeometry.FormWidth || B.Height() != FGeometry.FormHeight;
    FGeometry.FormWidth = B.Width();
    FGeometry.FormHeight = B.Height();
    FMagnet.Clear();
    if (FSkinSupport && FSupportNCArea) {
        if (FSD && FSkinnableForm && B.Width() >= GetMinWidth() && B.Height() >= GetMinHeight()) {
            // A size set from code (not by dragging an edge) moves the frame's
            // parts and the window region along with it, so the window is not
            // left clipped to its old size.
            if (FWindowStateChanged || Resized) UpdateFrameLayout(true);
            FWindowStateChanged = false;
        }
    } else if (FSkinSupport && !FRollUpState) {
        if (HasSkinFrameGeometry() ||
            (FForm->ClientWidth() == FGeometry.PictureWidth() && FForm->ClientHeight() == FGeometry.PictureHeight()))
            UpdateFrameLayout(HasSkinFrameGeometry());
    } else if (FSupportNCArea) {
        if (Resized) SetFormRegion(true);
        SendMessageW(FForm->Handle(), WM_NCPAINT, 1, 0);
    }
    if (FAlphaBlend && FAlphaBlendValue < 255 && IsWindows2000OrLater() && FSupportNCArea) {
        SendMessageW(FForm->Handle(), WM_NCPAINT, 1, 0);
        FForm->Invalidate();
    }
    if (FSupportNCArea && !FLogoBitMap->Empty() && FForm->FormStyle() != fsMDIForm) FForm->Invalidate();
}

void TsfSkinForm::WMActivate(TMessage& Message)
{
    FIsDragging = false;
    CallOld(Message);
    if (IsMaximizedMDIChild()) {
        DoActivateEvents();
        return;
    }
    if (FSupportNCArea) SendMessageW(FForm->Handle(), WM_NCPAINT, 1, 0);
    DoActivateEvents();
    if (!FSupportNCArea) FForm->Invalidate();
}

void TsfSkinForm::WMSetText(TMessage& Message)
{
    if (!FForm->HandleAllocated()) {
        CallOld(Message);  // the text is only stored: no window, no frame
        return;
    }
    const HWND Wnd = FForm->Handle();
    const LONG_PTR Style = GetWindowLongPtrW(Wnd, GWL_STYLE);
    // The platform paints its own caption straight into the frame on a text
    // change; without WS_VISIBLE it does not, so the skinned frame never flashes.
    if (Style & WS_VISIBLE) SetWindowLongPtrW(Wnd, GWL_STYLE, Style & ~LONG_PTR(WS_VISIBLE));
    {
        auto Restore = ScopeExit([&] {
            if (Style & WS_VISIBLE) SetWindowLongPtrW(Wnd, GWL_STYLE, GetWindowLongPtrW(Wnd, GWL_STYLE) | WS_VISIBLE);
        });
        CallOld(Message);
    }
    if (BorderNone() || IsMaximizedMDIChild()) return;
    if (FSkinSupport) {
        if (FSupportNCArea) UpDateFormNC();
        else UpdateCaptionText();
    } else {
        SendMessageW(Wnd, WM_NCPAINT, 1, 0);
    }
}

void TsfSkinForm::WMEraseBkgnd(TMessage& Message)
{
    const HDC DC = reinterpret_cast<HDC>(Message.WParam);
    Message.Result = 1;
    // An MDI parent's client is covered by its MDI client, except in its snapshot.
    if (FForm->FormStyle() == fsMDIForm && !FClientInActiveDraw) return;
    if (!FSupportNCArea) {
        Paint(DC);
    } else if (FSkinSupport) {
        if (FUseRibbon && FSD->MDIBGPictureIndex != -1) PaintBG3(DC);
        else if (FSD->BGPictureIndex == -1) PaintBG(DC);
        else PaintBG2(DC);
    } else {
        PaintBGDefault(DC);
    }
}

void TsfSkinForm::WMShowWindow(TMessage& Message)
{
    if (Message.WParam == 0) return;
    if (FForm == Application->MainForm() && !Application->OnRestore) Application->OnRestore = TAppRestore{};
    if (FStartShow) {
        if (PositionInMonitor == sfpDefault) {
            FStartShow = false;
        } else if ((FSkinnableForm ? FWindowState : FWindowStateInit) == wsNormal) {
            FStartShow = false;
            ApplyPositionInMonitor();
        }
    }
    if (!FSkinnableForm) {
        if (FadeWanted()) StartFadeIn();
        return;
    }
    if (FSD && FSD->AnimationForAllWindows && FAlphaBlendValue == 0) FAlphaBlendValue = 255;
    // The shape goes on before the window shows (without a window manager the
    // platform draws no frame of a captioned window that has none).
    if (!FRgn) SetFormRegion(true);
    if (FadeWanted()) StartFadeIn();
    if (FForm->Menu()) FForm->SetMenu(nullptr);
    if (!FSupportNCArea) PlaceLinkedControls();
}

void TsfSkinForm::WMSetCursor(TMessage& Message)
{
    const Integer Code = LOWORD(Message.LParam);
    if (Code == HTCLIENT || (Code >= HTLEFT && Code <= HTBOTTOMRIGHT)) return;
    Message.LParam = MAKELPARAM(HTCLIENT, HIWORD(Message.LParam));
}

void TsfSkinForm::WMGetMinMaxInfo(TMessage& Message)
{
    auto* Info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    Info->ptMinTrackSize = {GetMinWidth(), GetMinHeight()};
    Info->ptMaxTrackSize = {GetMaxWidth(), GetMaxHeight()};
    Message.Result = 0;
}

void TsfSkinForm::WMWindowPosChanged(TMessage& Message)
{
    const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    if (!(Pos->flags & SWP_NOMOVE)) {
        FFormLeft = Pos->x;
        FFormTop = Pos->y;
        if (!FSizing) {
            FOldFormLeft = FFormLeft;
            FOldFormTop = FFormTop;
        }
    }
}

void TsfSkinForm::WMDisplayChange(TMessage&)
{
    if (FForm->Width() > GetMaxWidth() || FForm->Height() > GetMaxHeight()) NudgeWidth();
}

void TsfSkinForm::WMNCCalcSize(TMessage& Message)
{
    Message.Result = 0;
    if (!FSupportNCArea || IsMaximizedMDIChild() || BorderNone()) return;
    // A full layered border draws the whole frame outside: the window is all client.
    if (FullLayerBorderShown()) return;
    auto* R = reinterpret_cast<RECT*>(Message.LParam);
    SyncGeometry();
    if (HasSkinFrame()) FGeometry.CalcFrameRects();
    const TRect Out = FGeometry.CalcNCClientRect({R->left, R->top, R->right, R->bottom});
    *R = {Out.Left, Out.Top, Out.Right, Out.Bottom};
}

void TsfSkinForm::WMNCHitTest(TMessage& Message)
{
    if (FSupportNCArea && FullLayerBorderShown()) {
        Message.Result = HTCLIENT;
        return;
    }
    if (FSupportNCArea) {
        const TPoint P = MessagePoint(Message);
        Message.Result = FSkinSupport ? CalcNCHitTest(P) : CalcDefHitTest(P);
        if (!MouseTimerRunning() && Message.Result == HTOBJECT) {
            FindActiveObject(P.X, P.Y, true);
            StartMouseTimer();
        }
        return;
    }
    if (!FSkinSupport) {
        Message.Result = HTCLIENT;
        return;
    }
    POINT Q{static_cast<SHORT>(LOWORD(Message.LParam)), static_cast<SHORT>(HIWORD(Message.LParam))};
    ScreenToClient(FForm->Handle(), &Q);
    if (!MouseIn) {
        // The first hit after the mouse came in: the poll watches for it leaving.
        MouseIn = true;
        FindActiveObject(Q.x, Q.y, true);
        StartMouseTimer();
    }
    Message.Result = CalcClientHitTest({Q.x, Q.y});
}

void TsfSkinForm::WMNCPaint(TMessage& Message)
{
    Message.Result = 0;
    if (!FrameDrawn()) return;
    if (FSkinSupport && FullLayerBorderShown()) {
        Message.Result = 1;
        return;
    }
    if (FSkinSupport) PaintNCSkin(nullptr, false);
    else if (!FStopPainting) PaintNCDefault(nullptr, false);
}

void TsfSkinForm::WMNCActivate(TMessage& Message)
{
    FFormActive = Message.WParam != 0;
    if (!FFormActive) FindActiveObject(-1, -1, false);
    // The platform never paints its own caption over the skinned one.
    Message.Result = 1;
    const bool Framed = !IsMaximizedMDIChild() && !BorderNone();
    if (Framed) SendMessageW(FForm->Handle(), WM_NCPAINT, 1, 0);
    DoActivateEvents();
    if (FForm->Visible() && ClientInActiveEffect) {
        if (FFormActive) HideClientInActiveEffect();
        else ShowClientInActiveEffect();
    }
    if (!Framed) return;
    // A caption animates towards its active look or back.
    for (const auto& O : ObjectList)
        if (auto* C = dynamic_cast<TsfSkinCaptionObject*>(O.get()); C && C->EnableAnimation()) StartAnimateTimer();
}

bool TsfSkinForm::WMSysCommand(TMessage& Message)
{
    if (Message.WParam == SC_KEYMENU) return !KeyMenuCommand(Message.LParam != 0);
    // The low four bits are the platform's own: SC_RESTORE from a caption
    // double-click arrives as 0xF122.
    if ((Message.WParam & 0xFFF0) != SC_RESTORE) return true;
    if (OnRestore) OnRestore(this);
    // The main form stands on the task bar itself; its border returns with it.
    if (FSupportNCArea && IsLayerBorderUsed() && FForm == Application->MainForm()) {
        CallOld(Message);
        if (!FBorderLayer) {
            FBorderLayer = new TsfFormLayerBorder(this);
            FBorderLayer->InitFrame(FSD, FForm);
        }
        FBorderLayer->ShowWithForm();
        return false;
    }
    return true;
}

bool TsfSkinForm::KeyMenuCommand(bool WithChar)
{
    if (InMainMenu) {
        LeaveMainMenu();
        return true;
    }
    // Alt with a key no accelerator took: nothing to enter, and no platform menu to beep for.
    if (WithChar) return true;
    const bool Bar = FMainMenuBar && FMainMenuBar->BarMainMenu();
    bool Caption = false;
    for (const auto& O : ObjectList)
        if (O->Kind == TsfFrameObjectKind::MainMenuItem && O->Enabled && O->Visible) Caption = true;
    // Without items the platform keeps the key (a main-menu mode with nothing
    // to walk would swallow every key until Escape).
    if (!Bar && !Caption) return false;
    // The open menu goes with its levels (its close message leaves the menu mode).
    if (FSkinMenu && FSkinMenu->Visible()) FSkinMenu->Hide();
    if (InMenu) SkinMenuClose();
    if (Bar) FMainMenuBar->EnterMenuBar();
    else EnterMainMenu();
    return true;
}

void TsfSkinForm::WMSizing(TMessage& Message)
{
    FSizing = true;
    FMagnet.Clear();
    CallOld(Message);
    const auto* R = reinterpret_cast<const RECT*>(Message.LParam);
    const Integer W = IntMax(R->right - R->left, GetMinWidth());
    const Integer H = IntMax(R->bottom - R->top, GetMinHeight());
    const TRect Now = WindowBounds(FForm->Handle());
    FGeometry.FormWidth = W;
    FGeometry.FormHeight = H;
    if (!FSD || (FSD->Empty && FSkinnableForm && FSupportNCArea)) {
        SetFormRegion(true);
    } else if (FSupportNCArea && FSkinnableForm && Now.Width() >= GetMinWidth() && Now.Height() >= GetMinHeight() &&
               (Now.Width() != W || Now.Height() != H)) {
        // The frame and the region for the new size before the window takes it.
        UpdateFrameLayout(true);
        FOldFormLeft = FFormLeft;
        FOldFormTop = FFormTop;
    }
}

void TsfSkinForm::WMMoving(TMessage& Message)
{
    if (FWindowStateInit == wsMaximized && FForm->FormStyle() != fsMDIChild) {
        // A maximised form does not move.
        const TRect B = WindowBounds(FForm->Handle());
        *reinterpret_cast<RECT*>(Message.LParam) = {B.Left, B.Top, B.Right, B.Bottom};
    } else if (Magnetic && FWindowStateInit != wsMaximized) {
        auto* R = reinterpret_cast<RECT*>(Message.LParam);
        Integer L = R->left, T = R->top;
        const Integer W = FForm->Width(), H = FForm->Height();
        MagneticMove(L, T, H, W);
        *R = {L, T, L + W, T + H};
    }
}

void TsfSkinForm::WMEnterSizeMove(TMessage&)
{
    POINT C{};
    GetCursorPos(&C);
    FOnMouseDownCoord = {C.x, C.y};
    if (!(FSupportNCArea && FSkinnableForm)) return;
    ResetObjectsState();
    StopMouseTimer();
    ActiveObject = -1;
    MouseCaptureObject = -1;
    FSizeMove = true;
    BOOL Full = FALSE;
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &Full, 0);
    FFullDrag = Full != FALSE;
}

void TsfSkinForm::WMExitSizeMove(TMessage&)
{
    const TRect B = WindowBounds(FForm->Handle());
    if (FSizing && (B.Width() != FGeometry.FormWidth || B.Height() != FGeometry.FormHeight)) {
        FGeometry.FormWidth = B.Width();
        FGeometry.FormHeight = B.Height();
        FFormLeft = B.Left;
        FFormTop = B.Top;
        UpdateFrameLayout(true);
    }
    StopMouseTimer();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    FSizeMove = FSizing = false;
    if (FSkinSupport) SendMessageW(FForm->Handle(), WM_NCPAINT, 1, 0);
}

void TsfSkinForm::PaintFrameInto(TMessage& Message, LRESULT Answer)
{
    const HDC DC = reinterpret_cast<HDC>(Message.WParam);
    if (DC && FrameDrawn()) {
        if (FSkinSupport) PaintNCSkin(DC, true);
        else if (!FStopPainting) PaintNCDefault(DC, true);
    }
    Message.Result = Answer;
}


