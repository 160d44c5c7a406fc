#include "framework/controls/win/Forms.h"

#include <algorithm>

#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/Menus.h"
#include "framework/runtime/Maths.h"
#include "framework/runtime/Threads.h"

namespace {

struct TDisableContext {
    HWND Except;
    std::vector<HWND> Windows;
};

BOOL CALLBACK CollectEnabledWindow(HWND Wnd, LPARAM Param)
{
    auto* c = reinterpret_cast<TDisableContext*>(Param);
    if (Wnd != c->Except && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) c->Windows.push_back(Wnd);
    return TRUE;
}

// The visible, enabled top-level windows of this thread, disabled for a modal form.
std::vector<HWND> DisableThreadWindows(HWND Except)
{
    TDisableContext ctx{Except, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&ctx));
    for (HWND w : ctx.Windows) EnableWindow(w, FALSE);
    return ctx.Windows;
}

void EnableThreadWindows(const std::vector<HWND>& Windows)
{
    for (HWND w : Windows)
        if (IsWindow(w)) EnableWindow(w, TRUE);
}

} // namespace

TCustomForm* GetParentForm(TControl* Control)
{
    if (!Control) return nullptr;
    while (Control->Parent()) Control = Control->Parent();
    return dynamic_cast<TCustomForm*>(Control);
}

// ---------------------------------------------------------------------------
// TControlScrollBar

TControlScrollBar::TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind)
    : FControl(AControl), FKind(AKind)
{
}

void TControlScrollBar::Assign(TPersistent* Source)
{
    if (auto* b = dynamic_cast<TControlScrollBar*>(Source)) {
        FVisible = b->FVisible;
        FIncrement = b->FIncrement;
        SetRange(b->FRange);
        SetPosition(b->FPosition);
        return;
    }
    TPersistent::Assign(Source);
}

Integer TControlScrollBar::ClientExtent() const
{
    return FKind == sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
}

void TControlScrollBar::SetPosition(Integer Value)
{
    Value = EnsureRange(Value, 0, std::max(0, FRange - ClientExtent()));
    if (Value == FPosition) return;
    const Integer delta = FPosition - Value;
    FPosition = Value;
    if (FKind == sbHorizontal) FControl->ScrollBy(delta, 0);
    else FControl->ScrollBy(0, delta);
    if (FShown && FControl->HandleAllocated()) {
        SetScrollPos(FControl->Handle(), FKind == sbHorizontal ? SB_HORZ : SB_VERT, FPosition, TRUE);
        if (FApplied) FApplied->Pos = FPosition;
    }
}

void TControlScrollBar::SetRange(Integer Value)
{
    FControl->FAutoScroll = false;
    DoSetRange(Value);
}

void TControlScrollBar::DoSetRange(Integer Value)
{
    FRange = std::max(Value, 0);
    FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    FControl->UpdateScrollBars();
}

void TControlScrollBar::Update()
{
    const int bar = FKind == sbHorizontal ? SB_HORZ : SB_VERT;
    const Integer extent = ClientExtent();
    const bool show = FVisible && FRange > extent;
    // The content scrolls back as far as the new range and size allow.
    SetPosition(show ? FPosition : 0);
    HWND wnd = FControl->Handle();
    auto has = [&] { return (GetWindowLongPtrW(wnd, GWL_STYLE) & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0; };
    const TApplied want = show ? TApplied{true, FRange - 1, std::max(extent, 0), FPosition} : TApplied{};
    FShown = show;
    if (FApplied == want && has() == show) return;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    si.nMax = want.Max;
    si.nPage = static_cast<UINT>(want.Page);
    si.nPos = want.Pos;
    SetScrollInfo(wnd, bar, &si, TRUE);
    FApplied = want;
    if (has() != show) ShowScrollBar(wnd, bar, show);
}

void TControlScrollBar::ScrollMessage(TMessage& Message)
{
    const int bar = FKind == sbHorizontal ? SB_HORZ : SB_VERT;
    Integer pos = FPosition;
    switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: pos -= FIncrement; break;
    case SB_LINEDOWN: pos += FIncrement; break;
    case SB_PAGEUP: pos -= ClientExtent(); break;
    case SB_PAGEDOWN: pos += ClientExtent(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        // The 32-bit position: the message carries only 16 bits.
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(FControl->Handle(), bar, &si);
        pos = si.nTrackPos;
        break;
    }
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = FRange; break;
    default: return;
    }
    SetPosition(pos);
}

// ---------------------------------------------------------------------------
// TScrollingWinControl

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    FHorzScrollBar = std::make_unique<TControlScrollBar>(this, sbHorizontal);
    FVertScrollBar = std::make_unique<TControlScrollBar>(this, sbVertical);
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value)
{
    if (FAutoScroll == Value) return;
    FAutoScroll = Value;
    if (Value) {
        CalcAutoRange();
    } else {
        FHorzScrollBar->DoSetRange(0);
        FVertScrollBar->DoSetRange(0);
    }
}

void TScrollingWinControl::CreateWnd()
{
    TCustomControl::CreateWnd();
    FHorzScrollBar->FShown = FVertScrollBar->FShown = false;
    FHorzScrollBar->FApplied.reset();  // a new window has bars of its own
    FVertScrollBar->FApplied.reset();
    UpdateScrollBars();
}

void TScrollingWinControl::AdjustClientRect(TRect& Rect)
{
    // Aligned children fill the scrolled content, not only what shows of it.
    const Integer left = -FHorzScrollBar->FPosition, top = -FVertScrollBar->FPosition;
    Rect = ::Rect(left, top, left + std::max(FHorzScrollBar->FRange, ClientWidth()),
                  top + std::max(FVertScrollBar->FRange, ClientHeight()));
    TCustomControl::AdjustClientRect(Rect);
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    TCustomControl::AlignControls(AControl, Rect);
    CalcAutoRange();
}

void TScrollingWinControl::CalcAutoRange()
{
    if (!FAutoScroll || (ComponentState() & csDestroying)) return;
    // Children sit where the scrolling put them: add the position back.
    Integer right = 0, bottom = 0;
    for (Integer i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible() || (c->Align() != alNone && c->Align() != alCustom)) continue;
        right = std::max(right, c->Left() + c->Width() + FHorzScrollBar->FPosition);
        bottom = std::max(bottom, c->Top() + c->Height() + FVertScrollBar->FPosition);
    }
    FHorzScrollBar->FRange = right;
    FVertScrollBar->FRange = bottom;
    UpdateScrollBars();
}

void TScrollingWinControl::UpdateScrollBars()
{
    if (!HandleAllocated() || FUpdatingScrollBars || (ComponentState() & csDestroying)) return;
    FUpdatingScrollBars = true;
    auto Restore = ScopeExit([&] { FUpdatingScrollBars = false; });
    // Twice: a bar that comes or goes changes the other bar's client extent.
    for (int pass = 0; pass < 2; ++pass) {
        FHorzScrollBar->Update();
        FVertScrollBar->Update();
    }
}

void TScrollingWinControl::ScrollInView(TControl* AControl)
{
    if (!AControl || AControl == this || !ContainsControl(AControl) || !AControl->Parent()) return;
    TPoint topLeft = ScreenToClient(AControl->Parent()->ClientToScreen(Point(AControl->Left(), AControl->Top())));
    TRect r = Rect(topLeft.X, topLeft.Y, topLeft.X + AControl->Width(), topLeft.Y + AControl->Height());
    auto bring = [](TControlScrollBar* Bar, Integer Near, Integer Far, Integer Extent) {
        if (Near < 0 || Far - Near > Extent) Bar->SetPosition(Bar->Position() + Near);
        else if (Far > Extent) Bar->SetPosition(Bar->Position() + Far - Extent);
    };
    bring(FHorzScrollBar.get(), r.Left, r.Right, ClientWidth());
    bring(FVertScrollBar.get(), r.Top, r.Bottom, ClientHeight());
}

bool TScrollingWinControl::OwnScrollMessage(TControlScrollBar* Bar, TMessage& Message)
{
    // lParam names a scroll bar control; 0 is the window's own bar.
    if (Message.LParam != 0) return false;
    Bar->ScrollMessage(Message);
    Message.Result = 0;
    return true;
}

void TScrollingWinControl::WMHScroll(TMessage& Message)
{
    if (!OwnScrollMessage(FHorzScrollBar.get(), Message)) TCustomControl::WMHScroll(Message);
}

void TScrollingWinControl::WMVScroll(TMessage& Message)
{
    if (!OwnScrollMessage(FVertScrollBar.get(), Message)) TCustomControl::WMVScroll(Message);
}

bool TScrollingWinControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos)
{
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    TControlScrollBar* bar = FVertScrollBar->FShown ? FVertScrollBar.get() : FHorzScrollBar.get();
    if (!bar->FShown || WheelDelta == 0) return false;
    // Three arrow steps a notch, as the system's list views scroll.
    bar->SetPosition(bar->FPosition - WheelDelta * 3 * bar->FIncrement / WHEEL_DELTA);
    return true;
}

// ---------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner)
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    FVisible = false;
    FFormState = fsCreating;
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    FIcon = std::make_unique<TIcon>();
    FIcon->OnChange = [this](TObject*) { Perform(CM_ICONCHANGED); };
    Screen->AddForm(this);
}

void TCustomForm::BeforeDestruction()
{
    if (FDestroyed) return;
    FDestroyed = true;
    TScrollingWinControl::BeforeDestruction();
    try {
        DoDestroy();
    } catch (...) {
        Application->HandleException(this);
    }
    Screen->RemoveForm(this);
    if (Application->FMainForm == this) Application->FMainForm = nullptr;
    // The window goes now, while every part of the form can still answer its
    // messages (a component hooked into it sees WM_DESTROY too).
    DestroyHandle();
}

TCustomForm::~TCustomForm()
{
    BeforeDestruction();
    DestroyComponents();
}

void TCustomForm::Loaded()
{
    for (Integer i = 0; i < ComponentCount(); ++i) Components(i)->Loaded();
    TScrollingWinControl::Loaded();
    FFormState &= ~fsCreating;
    if (!FCreated) {
        FCreated = true;
        try {
            DoCreate();
        } catch (...) {
            Application->HandleException(this);
        }
    }
}

void TCustomForm::WindowStyles(DWORD& Style, DWORD& ExStyle) const
{
    Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    ExStyle = WS_EX_CONTROLPARENT;
    TBorderIcons icons = FBorderIcons;
    switch (FBorderStyle) {
    case bsNone:
        Style |= WS_POPUP;
        icons = 0;
        break;
    case bsSingle: Style |= WS_CAPTION; break;
    case bsSizeable: Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        Style |= WS_POPUP | WS_CAPTION;
        ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        icons &= biSystemMenu | biHelp;
        break;
    case bsToolWindow:
        Style |= WS_CAPTION;
        ExStyle |= WS_EX_TOOLWINDOW;
        icons &= biSystemMenu;
        break;
    case bsSizeToolWin:
        Style |= WS_CAPTION | WS_THICKFRAME;
        ExStyle |= WS_EX_TOOLWINDOW;
        icons &= biSystemMenu;
        break;
    }
    // The boxes show only with a system menu.
    if (icons & biSystemMenu) {
        Style |= WS_SYSMENU;
        if (icons & biMinimize) Style |= WS_MINIMIZEBOX;
        if (icons & biMaximize) Style |= WS_MAXIMIZEBOX;
        if ((icons & biHelp) && !(icons & (biMinimize | biMaximize))) ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (!FEnabled) Style |= WS_DISABLED;
    if (FFormStyle == fsStayOnTop) ExStyle |= WS_EX_TOPMOST;
}

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TScrollingWinControl::CreateParams(Params);
    WindowStyles(Params.Style, Params.ExStyle);
    Params.WndParent = ParentWindow();
    TCustomForm* mainForm = Application->MainForm();
    if (FFormStyle == fsMDIChild) {
        // A child window of the main form's MDI client; the platform's child
        // procedure keeps the client's activation and child list.
        if (!mainForm || mainForm == this || mainForm->FormStyle() != fsMDIForm)
            throw EInvalidOperation(u"No MDI main form for the MDI child '" + Name() + u"'");
        mainForm->HandleNeeded();
        Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD;
        Params.ExStyle |= WS_EX_MDICHILD;
        Params.WndParent = mainForm->FClientHandle;
        Params.WindowClass.lpfnWndProc = DefMDIChildProcW;
        return;
    }
    if (!Params.WndParent && mainForm && mainForm != this && mainForm->HandleAllocated())
        Params.WndParent = mainForm->FHandle;
    if (FPosition == poDefault || FPosition == poDefaultPosOnly) Params.X = Params.Y = CW_USEDEFAULT;
    if (FPosition == poDefault || FPosition == poDefaultSizeOnly) Params.Width = Params.Height = CW_USEDEFAULT;
}

void TCustomForm::CreateWnd()
{
    TScrollingWinControl::CreateWnd();
    if (FFormStyle == fsMDIForm) {
        CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
        FClientHandle = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                        0, 0, ClientWidth(), ClientHeight(), FHandle, nullptr,
                                        GetModuleHandleW(nullptr), &ccs);
        if (!FClientHandle) throw EOSError(u"Cannot create the MDI client window of " + ClassName());
        Realign();
    }
    // A window made at the system's default place or size tells where it went.
    UpdateBounds();
    Perform(CM_ICONCHANGED);
    if (FMenu) {
        ::SetMenu(FHandle, FMenu->Handle());
        FMenu->SetWindowHandle(FHandle);
    }
}

void TCustomForm::CMIconChanged(TMessage&)
{
    if (!FHandle) return;
    HICON icon = FIcon->Handle();
    if (!icon) icon = Application->Icon()->Handle();
    SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

TRect TCustomForm::GetClientRect()
{
    if (FHandle) return TScrollingWinControl::GetClientRect();
    // No window yet: the frame the window will have, from its styles.
    DWORD style, exStyle;
    WindowStyles(style, exStyle);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    Integer w = Width() - static_cast<Integer>(frame.right - frame.left);
    Integer h = Height() - static_cast<Integer>(frame.bottom - frame.top);
    return Rect(0, 0, std::max(w, 0), std::max(h, 0));
}

void TCustomForm::Show()
{
    SetVisible(true);
    BringToFront();
    // An MDI child is activated by its client.
    if (FFormStyle == fsMDIChild && FHandle)
        SendMessageW(GetParent(FHandle), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
}

void TCustomForm::PlaceOnShow()
{
    if (FWindowState != wsNormal) return;
    TRect area;
    TRect screen = Rect(0, 0, Screen->Width(), Screen->Height());
    TCustomForm* mainForm = Application->MainForm();
    switch (FPosition) {
    case poScreenCenter: area = screen; break;
    case poDesktopCenter: area = Screen->WorkAreaRect(); break;
    case poMainFormCenter:
        area = (mainForm && mainForm != this && mainForm->Showing()) ? mainForm->BoundsRect() : screen;
        break;
    case poOwnerFormCenter: {
        auto* owner = dynamic_cast<TCustomForm*>(Owner());
        if (!owner || owner == this || !owner->Showing()) owner = mainForm != this ? mainForm : nullptr;
        area = (owner && owner->Showing()) ? owner->BoundsRect() : screen;
        break;
    }
    default: return;
    }
    // Each half is the integer quotient: the remainders are dropped.
    SetBounds(area.Left + area.Width() / 2 - Width() / 2, area.Top + area.Height() / 2 - Height() / 2, Width(),
              Height());
}

void TCustomForm::CMShowingChanged(TMessage&)
{
    if (FShowing) {
        try {
            DoShow();
        } catch (...) {
            Application->HandleException(this);
        }
        PlaceOnShow();
        int cmd = FWindowState == wsMaximized ? SW_SHOWMAXIMIZED
                  : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                : SW_SHOWNORMAL;
        ShowWindow(FHandle, cmd);
        FFormState |= fsVisible;
    } else {
        ShowWindow(FHandle, SW_HIDE);
        FFormState &= ~fsVisible;
        try {
            DoHide();
        } catch (...) {
            Application->HandleException(this);
        }
    }
}

void TCustomForm::Close()
{
    if (FFormState & fsModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) Application->Terminate();
    else if (action == caHide) Hide();
    else if (action == caMinimize) SetWindowState(wsMinimized);
    else Release();
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Release()
{
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&)
{
    delete this;
}

TModalResult TCustomForm::ShowModal()
{
    if (FVisible || !FEnabled || (FFormState & fsModal))
        throw EInvalidOperation(u"Cannot make a visible window modal");
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    FFormState |= fsModal;
    HWND activeWindow = GetActiveWindow();
    std::vector<HWND> disabled = DisableThreadWindows(FHandle);
    auto restore = [&] {
        // The other windows come back before this one hides, so one of them takes the activation.
        EnableThreadWindows(disabled);
        Hide();
        if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
        FFormState &= ~fsModal;
    };
    FModalResult = mrNone;
    {
        auto Restore = ScopeExit(restore);
        Show();
        do {
            Application->HandleMessage();
            if (Application->Terminated()) FModalResult = mrCancel;
            else if (FModalResult != mrNone) CloseModal();
        } while (FModalResult == mrNone);
    }
    return FModalResult;
}

void TCustomForm::CloseModal()
{
    try {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
        if (action == caNone) FModalResult = mrNone;
        else if (action == caFree) Release();
    } catch (...) {
        FModalResult = mrNone;
        Application->HandleException(this);
    }
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (FActiveControl == Control) return;
    if (Control && (Control == this || GetParentForm(Control) != this ||
                    (!(ComponentState() & csLoading) && !Control->CanFocus())))
        throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
    FActiveControl = Control;
    if (!(ComponentState() & csLoading) && FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    bool wasActive = FActive;
    SetActiveControl(Control);
    if (!wasActive) SetFocus();
    else if (Control && !Control->Focused()) SetWindowFocus();
}

void TCustomForm::SetFocus()
{
    if (!FVisible || !FEnabled) throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
    SetWindowFocus();
}

void TCustomForm::SetWindowFocus()
{
    if (ComponentState() & csDestroying) return;
    TWinControl* control = (FActiveControl && FActiveControl->CanFocus()) ? FActiveControl : this;
    HWND h = control->Handle();
    if (GetFocus() != h) ::SetFocus(h);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control)
{
    if (ComponentState() & csDestroying) return false;
    if (Control->ControlState() & csFocusing) return false;
    FActiveControl = Control != this ? Control : nullptr;
    TScreen* screen = Screen;
    screen->FActiveControl = Control;
    screen->FActiveCustomForm = this;
    Control->SetControlState(Control->ControlState() | csFocusing);
    {
        auto Restore = ScopeExit([&] { Control->SetControlState(Control->ControlState() & ~csFocusing); });
        if (screen->FFocusedForm != this) {
            TCustomForm* old = screen->FFocusedForm;
            screen->FFocusedForm = nullptr;
            if (old) old->Perform(CM_DEACTIVATE);
            screen->FFocusedForm = this;
            Perform(CM_ACTIVATE);
        }
        if (!FFocusedControl) FFocusedControl = this;
        if (FFocusedControl != Control) {
            // Leave the controls that do not contain the new one, innermost first...
            while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
                TWinControl* leaving = FFocusedControl;
                FFocusedControl = FFocusedControl->Parent();
                leaving->Perform(CM_EXIT);
            }
            // ...then enter the ones down to it, outermost first.
            while (FFocusedControl && FFocusedControl != Control) {
                TWinControl* entering = Control;
                while (entering->Parent() != FFocusedControl) entering = entering->Parent();
                FFocusedControl = entering;
                entering->Perform(CM_ENTER);
            }
            Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
        }
    }
    return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing)
{
    if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->Parent();
    TScreen* screen = Screen;
    if (screen->FActiveControl && Control->ContainsControl(screen->FActiveControl)) screen->FActiveControl = nullptr;
    if (Control->ContainsControl(FActiveControl)) {
        FActiveControl = nullptr;
        if (FActive) SetWindowFocus();
    }
}

bool TCustomForm::IsShortCut(TWMKey& Message)
{
    bool handled = false;
    if (OnShortCut) OnShortCut(Message, handled);
    if (!handled && FMenu) handled = FMenu->IsShortCut(Message);
    return handled;
}

void TCustomForm::SetMenu(TMainMenu* Value)
{
    if (FMenu == Value) return;
    if (FMenu) {
        if (FHandle) ::SetMenu(FHandle, nullptr);
        FMenu->SetWindowHandle(nullptr);
        FMenu->RemoveFreeNotification(this);
    }
    FMenu = Value;
    if (FMenu) {
        FMenu->FreeNotification(this);
        if (FHandle) {
            ::SetMenu(FHandle, FMenu->Handle());
            FMenu->SetWindowHandle(FHandle);
        }
    }
}

Integer TCustomForm::MDIChildCount() const
{
    Integer n = 0;
    while (MDIChildren(n)) ++n;
    return n;
}

TCustomForm* TCustomForm::MDIChildren(Integer Index) const
{
    if (!FClientHandle || Index < 0) return nullptr;
    for (Integer i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f->FFormStyle == fsMDIChild && f->FHandle && GetParent(f->FHandle) == FClientHandle && Index-- == 0)
            return f;
    }
    return nullptr;
}

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    if (!FClientHandle) return nullptr;
    const HWND wnd = reinterpret_cast<HWND>(SendMessageW(FClientHandle, WM_MDIGETACTIVE, 0, 0));
    for (Integer i = 0; TCustomForm* f = MDIChildren(i); ++i)
        if (f->FHandle == wnd) return f;
    return nullptr;
}

void TCustomForm::SetWindowMenu(TMenuItem* Value)
{
    if (FWindowMenu == Value) return;
    if (FWindowMenu) FWindowMenu->RemoveFreeNotification(this);
    FWindowMenu = Value;
    if (FWindowMenu) FWindowMenu->FreeNotification(this);
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect)
{
    TScrollingWinControl::AlignControls(AControl, Rect);
    // The MDI client takes what the aligned controls leave, under them.
    if (FClientHandle)
        SetWindowPos(FClientHandle, HWND_BOTTOM, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), SWP_NOACTIVATE);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FWindowMenu) FWindowMenu = nullptr;
    if (Operation == opRemove && AComponent == FMenu) {
        // The menu destroys its native menu itself: the window must let go first.
        if (FHandle) ::SetMenu(FHandle, nullptr);
        FMenu = nullptr;
    }
}

void TCustomForm::WMCommand(TMessage& Message)
{
    // lParam 0 and notification 0: a command of the menu bar; a control's go on.
    if (Message.LParam == 0 && Message.WParamHi() == 0 && FMenu && FMenu->DispatchCommand(Message.WParamLo())) return;
    TScrollingWinControl::WMCommand(Message);
}

void TCustomForm::WMDrawItem(TMessage& Message)
{
    // The menu bar's items (ODT_MENU, item data its own); a control's go on.
    if (FMenu && Message.LParam && FMenu->DrawItemMessage(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam))) {
        Message.Result = TRUE;
        return;
    }
    TScrollingWinControl::WMDrawItem(Message);
}

void TCustomForm::WMMeasureItem(TMessage& Message)
{
    if (FMenu && Message.LParam && FMenu->MeasureItemMessage(*reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam))) {
        Message.Result = TRUE;
        return;
    }
    TScrollingWinControl::WMMeasureItem(Message);
}

void TCustomForm::WMInitMenuPopup(TMessage& Message)
{
    // A level of the menu bar opens: its items' actions say what they look like now.
    if (FMenu)
        if (TMenuItem* Item = FMenu->FindItemOfHandle(reinterpret_cast<HMENU>(Message.WParam))) Item->UpdateActions();
    DefaultHandler(Message);
}

void TCustomForm::WMActivateApp(TMessage& Message)
{
    Application->ActivateChanged(Message.WParam != 0);
    DefaultHandler(Message);
}

void TCustomForm::WMDestroy(TMessage& Message)
{
    FClientHandle = nullptr;  // destroyed with the form's window
    // DestroyWindow would destroy the attached menu, which belongs to the menu object.
    if (FMenu && FHandle) {
        ::SetMenu(FHandle, nullptr);
        FMenu->SetWindowHandle(nullptr);
    }
    TScrollingWinControl::WMDestroy(Message);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    SetRecreating(FBorderStyle, Value);
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    SetRecreating(FBorderIcons, Value);
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (FFormStyle == Value) return;
    FFormStyle = Value;
    if (FHandle)
        SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    if (FWindowState == Value) return;
    FWindowState = Value;
    if (FHandle && FShowing)
        ShowWindow(FHandle, Value == wsMinimized   ? SW_MINIMIZE
                            : Value == wsMaximized ? SW_SHOWMAXIMIZED
                                                   : SW_RESTORE);
}

void TCustomForm::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TCustomForm::Activate()
{
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide) OnHide(this);
}

void TCustomForm::DoCreate()
{
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy()
{
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_ACTIVATE: CMActivate(Message); return;
    case CM_DEACTIVATE: CMDeactivate(Message); return;
    case CM_RELEASE: CMRelease(Message); return;
    case CM_ICONCHANGED: CMIconChanged(Message); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_CLOSE: WMClose(Message); return;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); return;
    case WM_ACTIVATEAPP: WMActivateApp(Message); return;
    case WM_INITMENUPOPUP: WMInitMenuPopup(Message); return;
    }
    TScrollingWinControl::Dispatch(Message);
}

void TCustomForm::CMActivate(TMessage&)
{
    Activate();
}

void TCustomForm::CMDeactivate(TMessage&)
{
    Deactivate();
}

void TCustomForm::CMDialogKey(TMessage& Message)
{
    if (GetKeyState(VK_MENU) >= 0) {
        switch (Message.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                FActiveControl->Parent()->SelectNext(FActiveControl,
                                                     Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        }
    }
    // Enter and Escape reach the default and cancel buttons this way.
    TScrollingWinControl::CMDialogKey(Message);
}

void TCustomForm::WMActivate(TMessage& Message)
{
    FActive = LOWORD(Message.WParam) != WA_INACTIVE;
    if (!FActive || (ComponentState() & csDestroying)) return;
    if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
    // Not while minimised: the focus follows at the restore.
    if (!HIWORD(Message.WParam)) SetWindowFocus();
}

void TCustomForm::WMClose(TMessage&)
{
    Close();
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message)
{
    DefaultHandler(Message);
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    TSizeConstraints* c = Constraints();
    if (c->MinWidth() > 0) info->ptMinTrackSize.x = c->MinWidth();
    if (c->MinHeight() > 0) info->ptMinTrackSize.y = c->MinHeight();
    if (c->MaxWidth() > 0) info->ptMaxTrackSize.x = c->MaxWidth();
    if (c->MaxHeight() > 0) info->ptMaxTrackSize.y = c->MaxHeight();
    Message.Result = 0;
}

void TCustomForm::WMSize(TMessage& Message)
{
    switch (Message.WParam) {
    case SIZE_MINIMIZED: FWindowState = wsMinimized; break;
    case SIZE_MAXIMIZED: FWindowState = wsMaximized; break;
    case SIZE_RESTORED: FWindowState = wsNormal; break;
    }
    bool minimized = Message.WParam == SIZE_MINIMIZED;
    if (Application->FMainForm == this) Application->MainFormMinimized(minimized);
    // The layout waits for the restore.
    if (minimized) {
        DefaultHandler(Message);
        return;
    }
    TScrollingWinControl::WMSize(Message);
}

// ---------------------------------------------------------------------------
// TScreen

namespace {

// A 32 x 32 cursor drawn pixel by pixel: black strokes, white fills, and a white
// rim round every black pixel so that it shows on any background.
class TCursorPicture {
public:
    void Black(int X, int Y) { Set(X, Y, 1); }
    void White(int X, int Y) { Set(X, Y, 2); }
    void HLine(int X1, int X2, int Y) { for (int x = X1; x <= X2; ++x) Black(x, Y); }
    void VLine(int X, int Y1, int Y2) { for (int y = Y1; y <= Y2; ++y) Black(X, y); }
    // The pointer arrow with its tip at (X, Y).
    void Arrow(int X, int Y)
    {
        for (int r = 0; r < 11; ++r) {
            Black(X, Y + r);
            Black(X + r, Y + r);
            for (int c = 1; c < r; ++c) White(X + c, Y + r);
        }
        HLine(X, X + 6, Y + 11);
    }
    // A sheet of paper: a framed white rectangle.
    void Sheet(int X1, int Y1, int X2, int Y2)
    {
        HLine(X1, X2, Y1);
        HLine(X1, X2, Y2);
        VLine(X1, Y1, Y2);
        VLine(X2, Y1, Y2);
        for (int y = Y1 + 1; y < Y2; ++y)
            for (int x = X1 + 1; x < X2; ++x) White(x, y);
    }
    HCURSOR Make(int HotX, int HotY)
    {
        uint8_t andMask[32 * 4], xorMask[32 * 4];
        std::fill(std::begin(andMask), std::end(andMask), uint8_t(0xFF));
        std::fill(std::begin(xorMask), std::end(xorMask), uint8_t(0));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                int p = FPixels[y][x];
                if (p == 0 && IsRim(x, y)) p = 2;
                if (p == 0) continue;
                const uint8_t bit = uint8_t(0x80 >> (x & 7));
                andMask[y * 4 + x / 8] &= uint8_t(~bit);
                if (p == 2) xorMask[y * 4 + x / 8] |= bit;
            }
        return CreateCursor(GetModuleHandleW(nullptr), HotX, HotY, 32, 32, andMask, xorMask);
    }

private:
    void Set(int X, int Y, uint8_t V)
    {
        if (X >= 0 && X < 32 && Y >= 0 && Y < 32 && FPixels[Y][X] != 1) FPixels[Y][X] = V;
    }
    bool IsRim(int X, int Y) const
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = X + dx, y = Y + dy;
                if (x >= 0 && x < 32 && y >= 0 && y < 32 && FPixels[y][x] == 1) return true;
            }
        return false;
    }
    uint8_t FPixels[32][32] = {};
};

HCURSOR MakeDragCursor()
{
    TCursorPicture P;
    P.Arrow(1, 1);
    P.Sheet(8, 14, 17, 24);
    return P.Make(1, 1);
}

HCURSOR MakeMultiDragCursor()
{
    TCursorPicture P;
    P.Arrow(1, 1);
    P.Sheet(12, 11, 21, 20);
    P.Sheet(8, 14, 17, 24);
    return P.Make(1, 1);
}

// Two bars across the split with arrows away from them: vertical bars and
// arrows to the left and right (Horizontal), or the same turned.
HCURSOR MakeSplitCursor(bool Horizontal)
{
    TCursorPicture P;
    auto plot = [&](int A, int B) { Horizontal ? P.Black(A, B) : P.Black(B, A); };
    for (int b = 8; b <= 24; ++b) {
        plot(14, b);
        plot(17, b);
    }
    for (int a = 6; a <= 12; ++a) plot(a, 16);
    for (int a = 19; a <= 25; ++a) plot(a, 16);
    for (int d = 1; d <= 3; ++d) {
        plot(6 + d, 16 - d);
        plot(6 + d, 16 + d);
        plot(25 - d, 16 - d);
        plot(25 - d, 16 + d);
    }
    return P.Make(16, 16);
}

HCURSOR MakeHSplitCursor() { return MakeSplitCursor(true); }
HCURSOR MakeVSplitCursor() { return MakeSplitCursor(false); }

} // namespace

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner)
{
    static const struct {
        TCursor Index;
        LPCWSTR Id;
    } System[] = {
        {crDefault, IDC_ARROW},   {crArrow, IDC_ARROW},   {crCross, IDC_CROSS},        {crIBeam, IDC_IBEAM},
        {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS}, {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},
        {crUpArrow, IDC_UPARROW}, {crHourGlass, IDC_WAIT}, {crNo, IDC_NO},             {crAppStart, IDC_APPSTARTING},
        {crHelp, IDC_HELP},       {crHandPoint, IDC_HAND}, {crSizeAll, IDC_SIZEALL},
        {crSize, IDC_SIZEALL},    {crNoDrop, IDC_NO},      {crSQLWait, IDC_WAIT},
    };
    for (const auto& c : System) FCursors[c.Index] = LoadCursorW(nullptr, c.Id);
    FCursors[crNone] = nullptr;
    // The stock cursors the system has no picture of are drawn here; the
    // screen owns them.
    const struct {
        TCursor Index;
        HCURSOR (*Make)();
    } Drawn[] = {{crDrag, MakeDragCursor}, {crMultiDrag, MakeMultiDragCursor},
                 {crHSplit, MakeHSplitCursor}, {crVSplit, MakeVSplitCursor}};
    for (const auto& c : Drawn) SetCursors(c.Index, c.Make());
}

TScreen::~TScreen()
{
    for (auto& [index, owned] : FOwnedCursors)
        if (owned && FCursors[index]) DestroyCursor(FCursors[index]);
}

TCustomForm* TScreen::Forms(Integer Index) const
{
    if (Index < 0 || Index >= FormCount()) TList::Error(u"List index out of bounds (%d)", Index);
    return FForms[Index];
}

void TScreen::AddForm(TCustomForm* Form)
{
    FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FActiveCustomForm == Form) FActiveCustomForm = nullptr;
    if (FFocusedForm == Form) FFocusedForm = nullptr;
    if (FActiveControl && Form->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

void TScreen::SetCursor(TCursor Value)
{
    if (FCursor == Value) return;
    FCursor = Value;
    // The window under the pointer sets its cursor again.
    POINT p;
    GetCursorPos(&p);
    HWND wnd = WindowFromPoint(p);
    if (wnd && FindControl(wnd)) {
        LRESULT hit = SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
    } else if (Value != crDefault) {
        ::SetCursor(Cursors(Value));
    }
}

HCURSOR TScreen::Cursors(Integer Index) const
{
    auto it = FCursors.find(Index);
    if (it != FCursors.end()) return it->second;
    return FCursors.at(crDefault);
}

void TScreen::SetCursors(Integer Index, HCURSOR Handle)
{
    auto it = FCursors.find(Index);
    if (it != FCursors.end() && FOwnedCursors[Index] && it->second && it->second != Handle) DestroyCursor(it->second);
    if (!Handle && Index != crDefault && Index != crNone) {
        FCursors.erase(Index);
        FOwnedCursors.erase(Index);
        return;
    }
    FCursors[Index] = Handle;
    FOwnedCursors[Index] = Handle != nullptr;
}

TRect TScreen::WorkAreaRect() const
{
    RECT r{0, 0, Width(), Height()};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return Rect(r.left, r.top, r.right, r.bottom);
}

Integer TScreen::PixelsPerInch() const
{
    TClientDC screen(nullptr);
    return GetDeviceCaps(screen, LOGPIXELSY);
}

// ---------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    ScreenInstance();  // made first, so it outlives the application's forms
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    FTitle = ChangeFileExt(ExtractFileName(FromWStr(path)), u"");
    FHandle = AllocateHWnd(TWndMethod::Of<&TApplication::WndProc>(this));
    SetWindowTextW(FHandle, WStr(FTitle));
    FIcon = std::make_unique<TIcon>();
    // An own copy of the program's icon: the icon object destroys what it holds.
    if (HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE))
        FIcon->SetHandle(static_cast<HICON>(icon));
    FIcon->OnChange = [](TObject*) {
        // Forms without an icon of their own show the program's.
        TScreen* screen = Screen;
        for (Integer i = 0; i < screen->FormCount(); ++i)
            if (screen->Forms(i)->Icon()->Empty()) screen->Forms(i)->Perform(CM_ICONCHANGED);
    };
    ApplicationHandleException = [this](TObject* Sender) { HandleException(Sender); };
    HWND wnd = FHandle;
    WakeMainThread = [wnd] { PostMessageW(wnd, WM_NULL, 0, 0); };
}

TApplication::~TApplication()
{
    WakeMainThread = nullptr;
    FHintTimer.reset();
    Destroying();
    // The forms go while the application is whole (their OnDestroy may use it).
    DestroyComponents();
    FMainForm = nullptr;
    ApplicationHandleException = nullptr;
    DeallocateHWnd(FHandle);
}

void TApplication::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_NULL) {
        // A thread waits for a call on this thread.
        CheckSynchronize();
        return;
    }
    Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TApplication::SetTitle(const String& Value)
{
    FTitle = Value;
    SetWindowTextW(FHandle, WStr(FTitle));
}

void TApplication::Run()
{
    FTerminated = false;
    if (FMainForm && FShowMainForm) FMainForm->SetVisible(true);
    while (!FTerminated) HandleMessage();
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage()
{
    MSG msg;
    if (!ProcessMessage(msg)) Idle();
}

bool TApplication::ProcessMessage(MSG& Msg)
{
    if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    try {
        // A press, a key or the pointer leaving takes the hint away.
        if (FHintState != hsIdle && FHintWindow && FHintWindow->IsHintMsg(Msg)) CancelHint();
        bool handled = false;
        // A copy: a handler may replace itself (a menu's hook gives the old one back).
        if (const TMessageEvent Handler = OnMessage) Handler(Msg, handled);
        if (!handled && !IsKeyMsg(Msg)) {
            TranslateMessage(&Msg);
            DispatchMessageW(&Msg);
        }
    } catch (...) {
        HandleException(this);
    }
    return true;
}

void TApplication::Idle()
{
    bool done = true;
    try {
        if (OnIdle) OnIdle(this, done);
        FreeDeviceContexts();
        if (CheckSynchronize()) done = false;
    } catch (...) {
        HandleException(this);
    }
    if (done) WaitMessage();
}

bool TApplication::IsKeyMsg(MSG& Msg)
{
    if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
    // The control the key is for: the one holding the mouse, else the window's
    // own or that of the nearest parent window.
    HWND wnd = GetCapture();
    if (!wnd) wnd = Msg.hwnd;
    TWinControl* control = nullptr;
    while (wnd && !(control = FindControl(wnd))) wnd = GetParent(wnd);
    if (!control) return false;
    return control->Perform(CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

void TApplication::HandleException(TObject* Sender)
{
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    auto report = [&](Exception& E) {
        if (OnException) OnException(Sender, E);
        else ShowException(E);
    };
    try {
        throw;
    } catch (EAbort&) {
    } catch (Exception& E) {
        report(E);
    } catch (std::exception& e) {
        Exception E(Str(e.what()));
        report(E);
    } catch (...) {
        Exception E(u"An unknown exception occurred");
        report(E);
    }
}

void TApplication::ShowException(Exception& E)
{
    MessageBox(E.Message(), FTitle, MB_OK | MB_ICONSTOP);
}

Integer TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags)
{
    return ::MessageBoxW(GetActiveWindow(), WStr(Text), WStr(Caption), Flags);
}

void TApplication::Minimize()
{
    if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->FHandle, SW_MINIMIZE);
}

void TApplication::Restore()
{
    if (FMainForm && FMainForm->HandleAllocated() && IsIconic(FMainForm->FHandle))
        ShowWindow(FMainForm->FHandle, SW_RESTORE);
}

void TApplication::BringToFront()
{
    if (!FMainForm || !FMainForm->HandleAllocated()) return;
    HWND wnd = GetLastActivePopup(FMainForm->FHandle);
    if (wnd && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) SetForegroundWindow(wnd);
}

void TApplication::ActivateChanged(bool Value)
{
    // Every form of the program hears WM_ACTIVATEAPP: the events fire once per change.
    if (FActive == Value) return;
    FActive = Value;
    if (Value) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TApplication::MainFormMinimized(bool Minimized)
{
    if (Minimized == FMainMinimized) return;
    FMainMinimized = Minimized;
    if (Minimized) {
        if (OnMinimize) OnMinimize(this);
    } else if (OnRestore) {
        OnRestore(this);
    }
}

TApplication* ApplicationInstance()
{
    // Made on first use and freed at the end of the program, forms first.
    static std::unique_ptr<TApplication> application(new TApplication(nullptr));
    return application.get();
}

TScreen* ScreenInstance()
{
    static TScreen* screen = new TScreen(nullptr);  // lives as long as the program
    return screen;
}
