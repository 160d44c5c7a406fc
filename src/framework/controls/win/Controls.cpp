#include "framework/controls/win/Controls.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "framework/controls/win/Forms.h"
#include "framework/controls/win/Menus.h"
#include "framework/runtime/Maths.h"

LRESULT CALLBACK FrameworkWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

namespace {

// Leads from a window of this process to its control. Not a window
// property: reading one is a round trip to the window server under Wine,
// and every message of every control reads it.
class TControlTable {
public:
    TWinControl* Find(HWND Wnd)
    {
        std::lock_guard<std::mutex> Lock(FLock);
        auto It = FControls.find(Wnd);
        return It == FControls.end() ? nullptr : It->second;
    }
    void Add(HWND Wnd, TWinControl* Control)
    {
        std::lock_guard<std::mutex> Lock(FLock);
        FControls[Wnd] = Control;
    }
    void Remove(HWND Wnd)
    {
        std::lock_guard<std::mutex> Lock(FLock);
        FControls.erase(Wnd);
    }

private:
    std::mutex FLock;  // windows of other threads are looked up too
    std::unordered_map<HWND, TWinControl*> FControls;
};

TControlTable& ControlTable()
{
    static TControlTable Table;
    return Table;
}

// The control whose window is being made: its window procedure takes the
// window at the first message, before CreateWindowExW returns.
thread_local TWinControl* CreationControl = nullptr;

TControl* TheMouseControl = nullptr;    // under the pointer (had CM_MOUSEENTER)
TControl* TheCaptureControl = nullptr;  // a windowless control holding the mouse
bool RoutingWheel = false;              // a wheel message is on its way to its target

// Control canvases that hold a context they made.
std::vector<TControlCanvas*> CanvasList;

void ChangeMouseControl(TControl* Target)
{
    if (Target == TheMouseControl) return;
    TControl* old = TheMouseControl;
    TheMouseControl = Target;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (Target && TheMouseControl == Target) Target->Perform(CM_MOUSEENTER);
}

// Sets the flag for the length of a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : FFlag(Flag), FOld(Flag) { FFlag = true; }
    ~TFlagScope() { FFlag = FOld; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

// Moves the logical origin so that (DX, DY) becomes (0, 0).
void MoveWindowOrg(HDC DC, Integer DX, Integer DY)
{
    POINT org;
    GetWindowOrgEx(DC, &org);
    SetWindowOrgEx(DC, org.x - DX, org.y - DY, nullptr);
}

LPARAM PointToLParam(Integer X, Integer Y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<SmallInt>(X)), static_cast<WORD>(static_cast<SmallInt>(Y)));
}

void RegisterWindowClass(TCreateParams& Params)
{
    WNDCLASSW existing = {};
    HINSTANCE inst = Params.WindowClass.hInstance;
    bool registered = GetClassInfoW(inst, WStr(Params.WinClassName), &existing) != 0;
    if (registered && existing.lpfnWndProc == FrameworkWndProc) return;
    if (registered) UnregisterClassW(WStr(Params.WinClassName), inst);
    WNDCLASSW wc = Params.WindowClass;
    wc.lpfnWndProc = FrameworkWndProc;
    wc.lpszClassName = WStr(Params.WinClassName);
    wc.style &= ~CS_GLOBALCLASS;
    if (!RegisterClassW(&wc)) throw EOSError(u"Cannot register the window class " + Params.WinClassName);
}

} // namespace

// ---------------------------------------------------------------------------
// The one window procedure of every framework window.

LRESULT CALLBACK FrameworkWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* control = ControlTable().Find(Wnd);
    if (!control) {
        control = CreationControl;
        if (!control) return DefWindowProcW(Wnd, Msg, WParam, LParam);
        CreationControl = nullptr;
        control->FHandle = Wnd;
        ControlTable().Add(Wnd, control);
    }
    TMessage m{Msg, WParam, LParam, 0};
    // Keeps a control freed meanwhile until the bookkeeping below is done.
    TControl::TMessageScope scope(control);
    try {
        control->HandleMessage(m);
    } catch (...) {
        HandleWindowProcException(control);
    }
    if (Msg == WM_NCDESTROY) {
        ControlTable().Remove(Wnd);
        if (control->FHandle == Wnd) control->FHandle = nullptr;
    }
    return m.Result;
}

bool StillControlOf(const TWinControl* Control, HWND Wnd)
{
    TWinControl* current = FindControl(Wnd);
    return current && current == Control && !current->FFreePending;
}

TWinControl* FindControl(HWND Handle)
{
    // Another process's window is in no table of this one.
    return Handle ? ControlTable().Find(Handle) : nullptr;
}

TControl* MouseControl()
{
    return TheMouseControl;
}

TControl* GetCaptureControl()
{
    TWinControl* control = FindControl(GetCapture());
    if (control && TheCaptureControl && TheCaptureControl->Parent() == control) return TheCaptureControl;
    return control;
}

void SetCaptureControl(TControl* Control)
{
    ReleaseCapture();
    TheCaptureControl = nullptr;
    if (!Control) return;
    TWinControl* window = dynamic_cast<TWinControl*>(Control);
    if (!window) {
        if (!Control->Parent()) return;
        TheCaptureControl = Control;
        window = Control->Parent();
    }
    SetCapture(window->Handle());
}

TShiftState KeysToShiftState(Word Keys)
{
    TShiftState s = 0;
    if (Keys & MK_SHIFT) s |= ssShift;
    if (Keys & MK_CONTROL) s |= ssCtrl;
    if (Keys & MK_LBUTTON) s |= ssLeft;
    if (Keys & MK_RBUTTON) s |= ssRight;
    if (Keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(Integer KeyData)
{
    const Integer AltMask = 0x20000000;
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (KeyData & AltMask) s |= ssAlt;
    return s;
}

// ---------------------------------------------------------------------------
// TSizeConstraints

void TSizeConstraints::Assign(TPersistent* Source)
{
    if (auto* c = dynamic_cast<TSizeConstraints*>(Source)) {
        FMinWidth = c->FMinWidth;
        FMinHeight = c->FMinHeight;
        FMaxWidth = c->FMaxWidth;
        FMaxHeight = c->FMaxHeight;
        Change();
        return;
    }
    TPersistent::Assign(Source);
}

void TSizeConstraints::SetMinWidth(Integer Value)
{
    if (Value < 0) Value = 0;
    if (FMinWidth == Value) return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
    Change();
}

void TSizeConstraints::SetMinHeight(Integer Value)
{
    if (Value < 0) Value = 0;
    if (FMinHeight == Value) return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMaxHeight = FMinHeight;
    Change();
}

void TSizeConstraints::SetMaxWidth(Integer Value)
{
    if (Value < 0) Value = 0;
    if (FMaxWidth == Value) return;
    FMaxWidth = Value;
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
    Change();
}

void TSizeConstraints::SetMaxHeight(Integer Value)
{
    if (Value < 0) Value = 0;
    if (FMaxHeight == Value) return;
    FMaxHeight = Value;
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMinHeight = FMaxHeight;
    Change();
}

void TSizeConstraints::Apply(Integer& Width, Integer& Height) const
{
    if (FMinWidth > 0 && Width < FMinWidth) Width = FMinWidth;
    if (FMaxWidth > 0 && Width > FMaxWidth) Width = FMaxWidth;
    if (FMinHeight > 0 && Height < FMinHeight) Height = FMinHeight;
    if (FMaxHeight > 0 && Height > FMaxHeight) Height = FMaxHeight;
}

void TSizeConstraints::Change()
{
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TControlCanvas

TControlCanvas::~TControlCanvas()
{
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* Value)
{
    if (FControl == Value) return;
    FreeHandle();
    FControl = Value;
}

void TControlCanvas::CreateHandle()
{
    if (!FControl) {
        TCanvas::CreateHandle();
        return;
    }
    if (!FDeviceContext.Handle()) {
        HWND wnd = nullptr;
        HDC dc = FControl->GetDeviceContext(wnd);
        FDeviceContext = TReleasedDC::Adopt(wnd, dc);
        if (dc) CanvasList.push_back(this);
    }
    SetHandle(FDeviceContext.Handle());
}

void TControlCanvas::FreeHandle()
{
    if (!FDeviceContext.Handle()) return;
    SetHandle(nullptr);
    FDeviceContext.Reset();
    CanvasList.erase(std::remove(CanvasList.begin(), CanvasList.end(), this), CanvasList.end());
}

void FreeDeviceContexts(HWND Wnd)
{
    std::vector<TControlCanvas*> list = CanvasList;
    for (TControlCanvas* c : list)
        if (!Wnd || c->FDeviceContext.Window() == Wnd) c->FreeHandle();
}

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    WindowProc = TWndMethod::Of<&TControl::WndProc>(this);
    FConstraints = std::make_unique<TSizeConstraints>();
    FConstraints->OnChange = [this](TObject*) {
        Integer w = FWidth, h = FHeight;
        FConstraints->Apply(w, h);
        if (w != FWidth || h != FHeight) SetBounds(FLeft, FTop, w, h);
    };
    FFont = std::make_unique<TFont>();
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
}

TControl::~TControl()
{
    DragControlGone();
    StopTimers(this);
    // Hooks that outlive the control are out of its chain already.
    for (TWindowHook* hook : FHooks) hook->FControl = nullptr;
    FHooks.clear();
    if (TheMouseControl == this) TheMouseControl = nullptr;
    if (TheCaptureControl == this) {
        TheCaptureControl = nullptr;
        ReleaseCapture();
    }
    if (FParent) FParent->RemoveControl(this);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (FAutoSize) AdjustSize();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    HandleMessage(m);
    return m.Result;
}

void TControl::HandleMessage(TMessage& Message)
{
    TMessageScope scope(this);
    TWndMethod proc = WindowProc;  // the handler may free this control, and its WindowProc with it
    proc(Message);
}

TControl::TMessageScope::~TMessageScope()
{
    if (--FControl->FMessageDepth > 0 || !FControl->FFreePending) return;
    FControl->FFreePending = false;  // messages of its own destruction start afresh
    delete FControl;
}

bool TControl::DeferDestruction()
{
    if (FMessageDepth == 0) return false;
    if (!FFreePending) {
        FFreePending = true;
        if (Owner()) Owner()->RemoveComponent(this);
        if (FParent) FParent->DetachControl(this);
    }
    return true;
}

void TControl::WndProc(TMessage& Message)
{
    // A drag going on takes the mouse from its source, and Escape from anyone.
    if (ActiveDragObject() && DragMessage(Message)) return;
    if (Message.Msg == WM_MOUSEMOVE) Application->HintMouseMessage(this, Message);
    // A control that does not want double clicks gets two presses.
    if (!(FControlStyle & csDoubleClicks)) {
        switch (Message.Msg) {
        case WM_LBUTTONDBLCLK: Message.Msg = WM_LBUTTONDOWN; break;
        case WM_RBUTTONDBLCLK: Message.Msg = WM_RBUTTONDOWN; break;
        case WM_MBUTTONDBLCLK: Message.Msg = WM_MBUTTONDOWN; break;
        }
    }
    // A press on a dmAutomatic control does what a press does, then begins a drag.
    if (FDragMode == dmAutomatic && (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) &&
        !(ComponentState() & csDesigning)) {
        Dispatch(Message);
        BeginAutoDrag();
        return;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_TIMER: WMTimer(Message); return;
    case WM_CONTEXTMENU: WMContextMenu(Message); return;
    case WM_SETTEXT: WMSetText(Message); return;
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return;
    case WM_LBUTTONUP: WMLButtonUp(Message); return;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); return;
    case WM_RBUTTONUP: WMRButtonUp(Message); return;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); return;
    case WM_MBUTTONDOWN: WMMButtonDown(Message); return;
    case WM_MBUTTONUP: WMMButtonUp(Message); return;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(Message); return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_FONTCHANGED: CMFontChanged(Message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(Message); return;
    case CM_TEXTCHANGED: CMTextChanged(Message); return;
    case CM_CURSORCHANGED: CMCursorChanged(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_MOUSEWHEEL: CMMouseWheel(Message); return;
    case CM_INVALIDATE: CMInvalidate(Message); return;
    case CM_CANCELMODE: CMCancelMode(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); return;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); return;
    case CM_DRAG: CMDrag(Message); return;
    }
    DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage& Message)
{
    // A windowless control keeps its own text.
    switch (Message.Msg) {
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<Char*>(Message.LParam);
        size_t room = static_cast<size_t>(Message.WParam);
        if (!buffer || room == 0) {
            Message.Result = 0;
            return;
        }
        size_t n = std::min(FText.size(), room - 1);
        std::copy_n(FText.data(), n, buffer);
        buffer[n] = 0;
        Message.Result = static_cast<LRESULT>(n);
        return;
    }
    case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(FText.size()); return;
    case WM_SETTEXT: {
        auto* text = reinterpret_cast<const Char*>(Message.LParam);
        FText = text ? String(text) : String();
        Message.Result = 1;
        return;
    }
    }
}

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation(u"A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    bool sizing = AWidth != FWidth || AHeight != FHeight;
    if (sizing && !CheckNewSize(AWidth, AHeight)) return;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    bool sized = AWidth != FWidth || AHeight != FHeight;
    InvalidateControl(FVisible, false);
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateAnchorRules();
    Invalidate();
    RequestAlign();
    if (sized && !(ComponentState() & csLoading)) Resize();
}

TRect TControl::GetClientRect()
{
    return Rect(0, 0, FWidth, FHeight);
}

TPoint TControl::GetClientOrigin()
{
    if (!FParent) return Point(FLeft, FTop);
    TPoint p = FParent->ClientOrigin();
    return Point(p.X + FLeft, p.Y + FTop);
}

void TControl::SetClientWidth(Integer Value)
{
    SetWidth(FWidth - ClientWidth() + Value);
}

void TControl::SetClientHeight(Integer Value)
{
    SetHeight(FHeight - ClientHeight() + Value);
}

TPoint TControl::ClientToScreen(const TPoint& Point)
{
    TPoint o = ClientOrigin();
    return ::Point(Point.X + o.X, Point.Y + o.Y);
}

TPoint TControl::ScreenToClient(const TPoint& Point)
{
    TPoint o = ClientOrigin();
    return ::Point(Point.X - o.X, Point.Y - o.Y);
}

HDC TControl::GetDeviceContext(HWND& WindowHandle)
{
    if (!FParent) throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
    HDC dc = FParent->GetDeviceContext(WindowHandle);
    SetViewportOrgEx(dc, FLeft, FTop, nullptr);
    IntersectClipRect(dc, 0, 0, FWidth, FHeight);
    return dc;
}

void TControl::SetAlign(TAlign Value)
{
    if (FAlign == Value) return;
    TAlign old = FAlign;
    FAlign = Value;
    if (Value == alNone || old == alNone) UpdateAnchorRules();
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
    if (FAnchors == Value) return;
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (FPlacedByParent || !FParent) return;
    FAnchorBounds = BoundsRect();
    TRect client = FParent->GetClientRect();
    FAnchorParentSize = TSize{client.Width(), client.Height()};
}

void TControl::SetAutoSize(bool Value)
{
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    if (Value) AdjustSize();
}

void TControl::AdjustSize()
{
    if (!FAutoSize || (ComponentState() & (csLoading | csDestroying))) return;
    Integer w = FWidth, h = FHeight;
    if (CanAutoSize(w, h)) SetBounds(FLeft, FTop, w, h);
}

bool TControl::CanResize(Integer& NewWidth, Integer& NewHeight)
{
    bool resize = true;
    if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
    return resize;
}

bool TControl::CanAutoSize(Integer&, Integer&)
{
    return true;
}

void TControl::ConstrainedResize(Integer& Width, Integer& Height)
{
    FConstraints->Apply(Width, Height);
}

bool TControl::CheckNewSize(Integer& NewWidth, Integer& NewHeight)
{
    Integer w = NewWidth, h = NewHeight;
    if (!CanResize(w, h)) return false;
    if (FAutoSize && !(ComponentState() & csLoading)) {
        Integer aw = w, ah = h;
        if (CanAutoSize(aw, ah)) {
            w = aw;
            h = ah;
        }
    }
    ConstrainedResize(w, h);
    NewWidth = std::max(w, 0);
    NewHeight = std::max(h, 0);
    return true;
}

void TControl::RequestAlign()
{
    if (FParent) FParent->AlignControl(this);
}

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

void TControl::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value);
    RequestAlign();
}

void TControl::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED);
}

String TControl::Text()
{
    if (FIsWinControl && static_cast<TWinControl*>(this)->HandleAllocated()) {
        LRESULT n = Perform(WM_GETTEXTLENGTH);
        String s(static_cast<size_t>(n) + 1, u'\0');
        n = Perform(WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
        s.resize(static_cast<size_t>(std::max<LRESULT>(n, 0)));
        return s;
    }
    return FText;
}

void TControl::SetText(const String& Value)
{
    if (Text() == Value) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    Perform(CM_TEXTCHANGED);
}

void TControl::FontChanged(TObject*)
{
    if (!FUpdatingFont) FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool Value)
{
    if (FParentFont == Value) return;
    FParentFont = Value;
    if (Value && FParent) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor Value)
{
    if (FColor == Value && !FParentColor) return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value)
{
    if (FParentColor == Value) return;
    FParentColor = Value;
    if (Value && FParent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetCursor(TCursor Value)
{
    if (FCursor == Value) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool Value)
{
    if (FShowHint == Value && !FParentShowHint) return;
    FShowHint = Value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value)
{
    if (FParentShowHint == Value) return;
    FParentShowHint = Value;
    if (Value && FParent) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::Invalidate()
{
    Perform(CM_INVALIDATE);
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
    RECT r{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
    InvalidateRect(FParent->FHandle, &r, !IsOpaque);
}

void TControl::Update()
{
    if (FParent) FParent->Update();
}

void TControl::Repaint()
{
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    if (!(FControlStyle & csOpaque)) {
        Invalidate();
        Update();
        return;
    }
    // Opaque: paint it and what lies above it at once, on the parent's window.
    TClientDC dc(FParent->FHandle);
    TSavedDC saved(dc);
    IntersectClipRect(dc, FLeft, FTop, FLeft + FWidth, FTop + FHeight);
    FParent->PaintControls(dc, this);
}

void TControl::SetZOrder(bool TopMost)
{
    if (!FParent) return;
    auto& list = FParent->FControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (TopMost) list.push_back(this);
    else list.insert(list.begin(), this);
    if (!FIsWinControl) InvalidateControl(FVisible, (FControlStyle & csOpaque) != 0);
}

bool TControl::MouseCapture() const
{
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value)
{
    if (MouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

void TControl::StartTimer(UINT_PTR Id, UINT Interval)
{
    ::StartTimer(TWndMethod::Of<&TControl::TimerMessage>(this), Id, Interval);
}

void TControl::StopTimer(UINT_PTR Id)
{
    ::StopTimer(TWndMethod::Of<&TControl::TimerMessage>(this), Id);
}

void TControl::TimerMessage(TMessage& Message)
{
    HandleMessage(Message);
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos)
{
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled && WheelDelta != 0)
        handled = WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DefaultHandlerSurvived(TMessage& Message)
{
    HWND wnd = FIsWinControl ? static_cast<TWinControl*>(this)->FHandle : nullptr;
    DefaultHandler(Message);
    // A native control calls back into the program while it handles the
    // message; a handler there may have freed this control (it stays until
    // this message is done) or destroyed its window.
    if (wnd) return StillControlOf(static_cast<TWinControl*>(this), wnd);
    return !FFreePending;
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift)
{
    if (!(FControlStyle & csNoStdEvents))
        MouseDown(Button, KeysToShiftState(Message.Keys()) | Shift, Message.XPos(), Message.YPos());
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button)
{
    if (!(FControlStyle & csNoStdEvents))
        MouseUp(Button, KeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
}

void TControl::WMLButtonDown(TWMMouse& Message)
{
    if (!DefaultHandlerSurvived(Message)) return;
    if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
    if (FControlStyle & csClickEvents) FControlState |= csClicked;
    DoMouseDown(Message, mbLeft, 0);
}

void TControl::WMLButtonUp(TWMMouse& Message)
{
    if (!DefaultHandlerSurvived(Message)) return;
    if (FControlStyle & csCaptureMouse) SetMouseCapture(false);
    if (FControlState & csClicked) {
        FControlState &= ~csClicked;
        TRect r = GetClientRect();
        if (Message.XPos() >= r.Left && Message.XPos() < r.Right && Message.YPos() >= r.Top &&
            Message.YPos() < r.Bottom)
            Click();
    }
    DoMouseUp(Message, mbLeft);
}

void TControl::WMLButtonDblClk(TWMMouse& Message)
{
    if (!DefaultHandlerSurvived(Message)) return;
    if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
    if (FControlStyle & csClickEvents) DblClick();
    DoMouseDown(Message, mbLeft, ssDouble);
}

void TControl::WMRButtonDown(TWMMouse& Message)
{
    if (!DefaultHandlerSurvived(Message)) return;
    DoMouseDown(Message, mbRight, 0);
}

void TControl::WMRButtonUp(TWMMouse& Message)
{
    if (!DefaultHandlerSurvived(Message)) return;
    DoMouseUp(Message, mbRight);
}

void TControl::WMRButtonDblClk(TWMMouse& Message)
{
    if (!DefaultHandlerSurvived(Message)) return;
    DoMouseDown(Message, mbRight, ssDouble);
}

void TControl::WMMButtonDown(TWMMouse& Message)
{
    if (!DefaultHandlerSurvived(Message)) return;
    DoMouseDown(Message, mbMiddle, 0);
}

void TControl::WMMButtonUp(TWMMouse& Message)
{
    if (!DefaultHandlerSurvived(Message)) return;
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMButtonDblClk(TWMMouse& Message)
{
    if (!DefaultHandlerSurvived(Message)) return;
    DoMouseDown(Message, mbMiddle, ssDouble);
}

void TControl::WMMouseMove(TWMMouse& Message)
{
    if (!DefaultHandlerSurvived(Message)) return;
    if (!(FControlStyle & csNoStdEvents)) MouseMove(KeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
}

void TControl::CMEnabledChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&)
{
    InvalidateControl(true, FVisible && (FControlStyle & csOpaque));
    if (!FVisible) {
        if (TheMouseControl == this) ChangeMouseControl(nullptr);
        if (TheCaptureControl == this) SetCaptureControl(nullptr);
    }
}

void TControl::CMColorChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMFontChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMParentColorChanged(TMessage&)
{
    if (!FParentColor || !FParent) return;
    FColor = FParent->FColor;
    Perform(CM_COLORCHANGED);
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (!FParentFont || !FParent) return;
    TFlagScope updating(FUpdatingFont);
    FFont->Assign(FParent->Font());
}

void TControl::CMParentShowHintChanged(TMessage&)
{
    if (!FParentShowHint || !FParent) return;
    FShowHint = FParent->FShowHint;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::CMShowHintChanged(TMessage&) {}

void TControl::CMTextChanged(TMessage&) {}

void TControl::CMCursorChanged(TMessage&)
{
    if (TheMouseControl == this && Screen->Cursor() == crDefault) ::SetCursor(Screen->Cursors(FCursor));
}

void TControl::CMMouseEnter(TMessage&) {}

void TControl::CMMouseLeave(TMessage&) {}

void TControl::CMMouseWheel(TMessage& Message)
{
    TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
    Integer delta = static_cast<SmallInt>(HIWORD(Message.WParam));
    TPoint pos{static_cast<SmallInt>(LOWORD(Message.LParam)), static_cast<SmallInt>(HIWORD(Message.LParam))};
    if (DoMouseWheel(shift, delta, pos)) Message.Result = 1;
    else if (FParent) Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::CMInvalidate(TMessage&)
{
    InvalidateControl(FVisible, (FControlStyle & csOpaque) != 0);
}

void TControl::CMCancelMode(TMessage&) {}

void TControl::CMDialogKey(TMessage&) {}

void TControl::CMDialogChar(TMessage&) {}

void TControl::CMFocusChanged(TMessage&) {}

void TControl::CMWantSpecialKey(TMessage&) {}

void TControl::WMPaint(TWMPaint& Message)
{
    DefaultHandler(Message);
}

void TControl::WMTimer(TMessage& Message)
{
    DefaultHandler(Message);
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
    if (FPopupMenu == Value) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::WMContextMenu(TMessage& Message)
{
    if (Message.Result != 0 || (ComponentState() & csDesigning)) return;
    // lParam -1: the keyboard asked; the menu opens at the control's corner.
    const bool ByKeyboard = Message.LParam == -1;
    const TPoint Screen = ByKeyboard ? ClientToScreen(Point(0, 0)) : Point(Message.XPos(), Message.YPos());
    const TPoint Client = ByKeyboard ? Point(-1, -1) : ScreenToClient(Screen);
    // A windowless child under the pointer answers first.
    if (auto* Self = dynamic_cast<TWinControl*>(this); Self && !ByKeyboard) {
        TControl* Child = Self->ControlAtPos(Client, false);
        if (Child && Child->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam) != 0) {
            Message.Result = 1;
            return;
        }
    }
    bool Handled = false;
    if (OnContextPopup) OnContextPopup(this, Client, Handled);
    if (Handled) {
        Message.Result = 1;
        return;
    }
    if (FPopupMenu && FPopupMenu->AutoPopup()) {
        FPopupMenu->SetPopupComponent(this);
        Message.Result = 1;
        FPopupMenu->Popup(Screen.X, Screen.Y);  // may free this control: nothing after it
        return;
    }
    // Not taken: a windowed control's platform procedure hands it to the parent.
    if (dynamic_cast<TWinControl*>(this)) DefaultHandler(Message);
}

void TControl::WMSetText(TMessage& Message)
{
    DefaultHandler(Message);
}

// ---------------------------------------------------------------------------
// TWindowHook

void TWindowHook::Hook(TControl* Control, const TWndMethod& Method)
{
    Unhook();
    if (!Control || !Method) return;
    FControl = Control;
    FMethod = Method;
    FPrevious = Control->WindowProc;
    Control->WindowProc = Method;
    Control->FHooks.push_back(this);
}

void TWindowHook::Unhook()
{
    if (!FControl) return;
    TControl* control = FControl;
    FControl = nullptr;
    auto& hooks = control->FHooks;
    hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
    if (control->WindowProc == FMethod) {
        control->WindowProc = FPrevious;
    } else {
        // A later hook sits in front: the one whose saved value is this hook
        // passes on to what this hook passed on to.
        for (TWindowHook* later : hooks)
            if (later->FPrevious == FMethod) {
                later->FPrevious = FPrevious;
                break;
            }
    }
    FMethod = nullptr;
    FPrevious = nullptr;
}

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
    FIsWinControl = true;
    FBrush = std::make_unique<TBrush>();
    FBrush->SetColor(Color());
}

TWinControl::~TWinControl()
{
    Destroying();
    DragControlGone();  // before the window goes, taking the drag's capture
    RemoveFocus(true);
    // The children go first, each taking itself out of the list.
    while (!FControls.empty()) delete FControls.back();
    SetParent(nullptr);
    DestroyHandle();
    if (Screen->FActiveControl == this) Screen->FActiveControl = nullptr;
    if (TheMouseControl == this) TheMouseControl = nullptr;
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded()
{
    if (FHandle) return;
    if (FParent) FParent->HandleNeeded();
    CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value)
{
    if (FParent || FParentWindow == Value) return;
    if (FHandle) {
        if (Value) ::SetParent(FHandle, Value);
        else DestroyHandle();
    }
    FParentWindow = Value;
    UpdateControlState();
}

TControl* TWinControl::Controls(Integer Index) const
{
    if (Index < 0 || Index >= ControlCount()) TList::Error(u"List index out of bounds (%d)", Index);
    return FControls[Index];
}

void TWinControl::InsertControl(TControl* AControl)
{
    if (!AControl || AControl->FParent == this) return;
    if (AControl == this) throw EInvalidOperation(u"A control cannot have itself as its parent");
    if (AControl->FParent) AControl->FParent->RemoveControl(AControl);
    AControl->FParent = this;
    FControls.push_back(AControl);
    if (AControl->FIsWinControl) FTabList.push_back(static_cast<TWinControl*>(AControl));
    AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTFONTCHANGED);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED);
    AControl->UpdateAnchorRules();
    if (AControl->FIsWinControl) static_cast<TWinControl*>(AControl)->UpdateControlState();
    else if (AControl->FVisible) AControl->Invalidate();
    AlignControl(AControl);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (!AControl || AControl->FParent != this) return;
    if (AControl->FIsWinControl) {
        auto* win = static_cast<TWinControl*>(AControl);
        win->RemoveFocus(true);
        win->DestroyHandle();
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), win), FTabList.end());
    } else {
        AControl->InvalidateControl(AControl->FVisible, false);
        if (TheCaptureControl == AControl) SetCaptureControl(nullptr);
    }
    FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    AControl->FParent = nullptr;
    if (!(ComponentState() & csDestroying)) Realign();
}

void TWinControl::DetachControl(TControl* AControl)
{
    if (AControl->FIsWinControl) {
        auto* win = static_cast<TWinControl*>(AControl);
        win->RemoveFocus(true);
        if (win->FHandle) {
            ShowWindow(win->FHandle, SW_HIDE);
            ::SetParent(win->FHandle, HWND_MESSAGE);
        }
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), win), FTabList.end());
    } else {
        AControl->InvalidateControl(AControl->FVisible, false);
        if (TheCaptureControl == AControl) SetCaptureControl(nullptr);
    }
    if (TheMouseControl == AControl) TheMouseControl = nullptr;
    FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    AControl->FParent = nullptr;
    if (!(ComponentState() & csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const
{
    while (Control && Control != this) Control = Control->FParent;
    return Control == this;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) const
{
    auto hit = [&](TControl* c) {
        return c->FVisible && (AllowDisabled || c->FEnabled) && Pos.X >= c->FLeft && Pos.X < c->FLeft + c->FWidth &&
               Pos.Y >= c->FTop && Pos.Y < c->FTop + c->FHeight;
    };
    // Child windows lie above the controls painted on this one.
    if (AllowWinControls)
        for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
            if ((*it)->FIsWinControl && hit(*it)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (!(*it)->FIsWinControl && hit(*it)) return *it;
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    std::vector<TControl*> list = FControls;  // a handler may change the children
    for (TControl* c : list) {
        c->HandleMessage(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg)
{
    TMessage m{Msg, 0, 0, 0};
    Broadcast(m);
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && (FControlState & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign()
{
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl)
{
    if (ComponentState() & csDestroying) return;
    if (AlignDisabled()) {
        FControlState |= csAlignmentNeeded;
        return;
    }
    DisableAlign();
    {
        // Requests made while laying out are answered by this layout.
        auto Restore = ScopeExit([&] {
            FControlState &= ~csAlignmentNeeded;
            EnableAlign();
        });
        TRect r = GetClientRect();
        AdjustClientRect(r);
        AlignControls(AControl, r);
    }
    if (AutoSize()) AdjustSize();
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl*, TRect& Rect)
{
    static const TAlign Order[] = {alTop, alBottom, alLeft, alRight, alClient};
    auto place = [](TControl* c, Integer L, Integer T, Integer W, Integer H) {
        TFlagScope placing(c->FPlacedByParent);
        c->SetBounds(L, T, std::max(W, 0), std::max(H, 0));
    };
    for (TAlign align : Order) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->FAlign == align && c->FVisible) list.push_back(c);
        // Nearest to its side first; equal positions keep the z-order.
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop: return a->FTop < b->FTop;
            case alBottom: return a->FTop + a->FHeight > b->FTop + b->FHeight;
            case alLeft: return a->FLeft < b->FLeft;
            case alRight: return a->FLeft + a->FWidth > b->FLeft + b->FWidth;
            default: return false;
            }
        });
        for (TControl* c : list) {
            switch (align) {
            case alTop:
                place(c, Rect.Left, Rect.Top, Rect.Width(), c->FHeight);
                Rect.Top += c->FHeight;
                break;
            case alBottom:
                place(c, Rect.Left, Rect.Bottom - c->FHeight, Rect.Width(), c->FHeight);
                Rect.Bottom -= c->FHeight;
                break;
            case alLeft:
                place(c, Rect.Left, Rect.Top, c->FWidth, Rect.Height());
                Rect.Left += c->FWidth;
                break;
            case alRight:
                place(c, Rect.Right - c->FWidth, Rect.Top, c->FWidth, Rect.Height());
                Rect.Right -= c->FWidth;
                break;
            default: place(c, Rect.Left, Rect.Top, Rect.Width(), Rect.Height()); break;
            }
        }
    }
    TRect client = GetClientRect();
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->FAlign == alNone || c->FAlign == alCustom) AnchorControl(c, client);
}

void TWinControl::AnchorControl(TControl* Control, const TRect& Client)
{
    TAnchors a = Control->FAnchors;
    if (a == (akLeft | akTop)) return;
    TSize was = Control->FAnchorParentSize;
    if (was.cx <= 0 || was.cy <= 0) {
        // The distances were taken before this parent had a size: take them now.
        Control->UpdateAnchorRules();
        return;
    }
    const TRect& b = Control->FAnchorBounds;
    auto axis = [](bool Near, bool Far, Integer Pos, Integer Size, Integer Was, Integer Now, Integer& NewPos,
                   Integer& NewSize) {
        NewPos = Pos;
        NewSize = Size;
        if (Far) {
            if (Near) NewSize = Size + Now - Was;
            else NewPos = Pos + Now - Was;
        } else if (!Near) {
            // Neither side: the centre keeps its proportion of the parent.
            NewPos = MulDiv(Pos + Size / 2, Now, Was) - Size / 2;
        }
    };
    Integer l, w, t, h;
    axis(a & akLeft, a & akRight, b.Left, b.Width(), was.cx, Client.Width(), l, w);
    axis(a & akTop, a & akBottom, b.Top, b.Height(), was.cy, Client.Height(), t, h);
    TFlagScope placing(Control->FPlacedByParent);
    Control->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
}

bool TWinControl::CanAutoSize(Integer& NewWidth, Integer& NewHeight)
{
    // Just large enough for the children that are not aligned.
    Integer right = 0, bottom = 0;
    bool any = false;
    for (TControl* c : FControls) {
        if (!c->FVisible || c->FAlign != alNone) continue;
        any = true;
        right = std::max(right, c->FLeft + c->FWidth);
        bottom = std::max(bottom, c->FTop + c->FHeight);
    }
    if (!any) return false;
    TRect client = GetClientRect();
    NewWidth = FWidth - client.Width() + right;
    NewHeight = FHeight - client.Height() + bottom;
    return true;
}

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    bool sizing = AWidth != FWidth || AHeight != FHeight;
    if (sizing && !CheckNewSize(AWidth, AHeight)) return;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    if (FHandle && !IsIconic(FHandle)) {
        // WM_WINDOWPOSCHANGED reads the bounds the window really took.
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        bool sized = AWidth != FWidth || AHeight != FHeight;
        FLeft = ALeft;
        FTop = ATop;
        FWidth = AWidth;
        FHeight = AHeight;
        if (FHandle) {
            // Minimised: the bounds it comes back to.
            WINDOWPLACEMENT wp{};
            wp.length = sizeof wp;
            GetWindowPlacement(FHandle, &wp);
            wp.rcNormalPosition = RECT{ALeft, ATop, ALeft + AWidth, ATop + AHeight};
            SetWindowPlacement(FHandle, &wp);
        } else if (sized) {
            Realign();
        }
    }
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::UpdateBounds()
{
    if (!FHandle || IsIconic(FHandle)) return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD) {
        HWND parent = GetParent(FHandle);
        if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    if (r.left == FLeft && r.top == FTop && r.right - r.left == FWidth && r.bottom - r.top == FHeight) return;
    FLeft = r.left;
    FTop = r.top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
    UpdateAnchorRules();
}

TRect TWinControl::GetClientRect()
{
    if (!FHandle) return TControl::GetClientRect();
    RECT r;
    ::GetClientRect(FHandle, &r);
    return Rect(r.left, r.top, r.right, r.bottom);
}

TPoint TWinControl::GetClientOrigin()
{
    POINT p{0, 0};
    ::ClientToScreen(Handle(), &p);
    return Point(p.x, p.y);
}

HDC TWinControl::GetDeviceContext(HWND& WindowHandle)
{
    WindowHandle = Handle();
    HDC dc = GetDCEx(WindowHandle, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc) throw EOSError(u"Cannot get a device context");
    return dc;
}

void TWinControl::SetZOrder(bool TopMost)
{
    TControl::SetZOrder(TopMost);
    if (FHandle)
        SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TWinControl::PlaceInZOrder()
{
    // A new child window starts at the bottom; it goes just below the nearest
    // windowed sibling above it in the list (or to the top).
    if (!FParent || !FHandle) return;
    auto& list = FParent->FControls;
    auto it = std::find(list.begin(), list.end(), this);
    HWND above = HWND_TOP;
    for (++it; it != list.end(); ++it)
        if ((*it)->FIsWinControl && static_cast<TWinControl*>(*it)->FHandle) {
            above = static_cast<TWinControl*>(*it)->FHandle;
            break;
        }
    SetWindowPos(FHandle, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params = TCreateParams{};
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FControlStyle & csAcceptsControls) {
        Params.Style |= WS_CLIPCHILDREN;
        Params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!FEnabled) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    Params.WndParent = FParent ? FParent->Handle() : FParentWindow;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProcW;
    Params.WindowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    Params.WindowClass.hbrBackground = nullptr;
    Params.WindowClass.hInstance = GetModuleHandleW(nullptr);
    Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName)
{
    WNDCLASSW wc = {};
    if (!GetClassInfoW(nullptr, ControlClassName, &wc) &&
        !GetClassInfoW(GetModuleHandleW(nullptr), ControlClassName, &wc))
        throw EOSError(u"Unknown window class " + FromWStr(ControlClassName));
    // Keep what the native class needs (its extra bytes, cursor, styles).
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.style &= ~CS_GLOBALCLASS;
    Params.WindowClass = wc;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (!params.WndParent && (params.Style & WS_CHILD))
        throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
    FDefWndProc = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : DefWindowProcW;
    RegisterWindowClass(params);
    FControlState |= csCreating;
    CreationControl = this;
    {
        auto Restore = ScopeExit([&] {
            CreationControl = nullptr;
            FControlState &= ~csCreating;
        });
        CreateWindowHandle(params);
    }
    if (!FHandle) throw EOSError(u"Cannot create the window of " + ClassName());
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    // A child window gets an identifier of its own: the item messages of
    // owner-drawn lists name their sender only by it.
    static UINT NextChildId = 0x100;
    HMENU id = nullptr;
    if (Params.Style & WS_CHILD) {
        id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId));
        NextChildId = NextChildId >= 0xFFF0 ? 0x100 : NextChildId + 1;
    }
    FHandle = CreateWindowExW(Params.ExStyle, WStr(Params.WinClassName), WStr(Params.Caption), Params.Style, Params.X,
                              Params.Y, Params.Width, Params.Height, Params.WndParent, id,
                              Params.WindowClass.hInstance, Params.Param);
}

void TWinControl::CreateHandle()
{
    if (FHandle) return;
    CreateWnd();
    // After the styles every class computes: a form sets its own.
    if (FAcceptFiles) ::DragAcceptFiles(FHandle, TRUE);
    PlaceInZOrder();
    UpdateBounds();
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->FIsWinControl && c->FVisible) static_cast<TWinControl*>(c)->HandleNeeded();
}

void TWinControl::DestroyHandle()
{
    if (!FHandle) return;
    for (TControl* c : FControls)
        if (c->FIsWinControl) static_cast<TWinControl*>(c)->DestroyHandle();
    DestroyWnd();
    FShowing = false;
}

void TWinControl::DestroyWnd()
{
    FText = Text();
    FreeDeviceContexts(FHandle);
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle()
{
    HWND h = FHandle;
    FControlState |= csDestroyingHandle;
    DestroyWindow(h);
    FControlState &= ~csDestroyingHandle;
    // WM_NCDESTROY has let go of the window; make sure of it.
    if (FHandle == h) {
        ControlTable().Remove(h);
        FHandle = nullptr;
    }
}

void TWinControl::RecreateWnd()
{
    if (FHandle) Perform(CM_RECREATEWND);
}

void TWinControl::CMRecreateWnd(TMessage&)
{
    bool wasFocused = Focused();
    DestroyHandle();
    UpdateControlState();
    if (wasFocused && FHandle) ::SetFocus(FHandle);
}

void TWinControl::UpdateControlState()
{
    TWinControl* c = this;
    while (c->FParent) {
        c = c->FParent;
        if (!c->FShowing) return;
    }
    if (dynamic_cast<TCustomForm*>(c) || c->FParentWindow) UpdateShowing();
}

void TWinControl::UpdateShowing()
{
    bool show = FVisible;
    if (show) {
        if (!FHandle) CreateHandle();
        for (TControl* c : std::vector<TControl*>(FControls))
            if (c->FIsWinControl) static_cast<TWinControl*>(c)->UpdateShowing();
    }
    if (FHandle && FShowing != show) {
        FShowing = show;
        auto Undo = ScopeExit([&] { FShowing = !show; });
        Perform(CM_SHOWINGCHANGED);
        Undo.Dismiss();
    }
}

void TWinControl::CMShowingChanged(TMessage&)
{
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::Invalidate()
{
    Perform(CM_INVALIDATE);
}

void TWinControl::CMInvalidate(TMessage&)
{
    if (FHandle) InvalidateRect(FHandle, nullptr, !(FControlStyle & csOpaque));
}

void TWinControl::Update()
{
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (!FHandle) {
        TControl::DefaultHandler(Message);
        return;
    }
    UINT msg = Message.Msg;
    if (msg >= CN_CTLCOLORMSGBOX && msg <= CN_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
        SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(FBrush->Color())));
        Message.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
        return;
    }
    // The framework's own messages mean nothing to the platform.
    if ((msg >= CM_BASE && msg < CM_BASE + 0x400) || (msg >= CN_BASE && msg < CN_BASE + 0x400)) return;
    if (msg == WM_SETTEXT) {
        auto* text = reinterpret_cast<const Char*>(Message.LParam);
        FText = text ? String(text) : String();
    }
    LRESULT result;
    {
        // The native procedure calls back into the program, which may free
        // this control: it waits until that procedure is done with the window.
        TMessageScope scope(this);
        result = CallWindowProcW(FDefWndProc, FHandle, msg, Message.WParam, Message.LParam);
    }
    // This control may be gone now (Message is the caller's).
    Message.Result = result;
}

void TWinControl::WndProc(TMessage& Message)
{
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
        Message.Msg != WM_MOUSEHWHEEL) {
        if (Message.Msg == WM_MOUSEMOVE && FHandle) {
            if (!FTrackingLeave) {
                TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, FHandle, 0};
                FTrackingLeave = TrackMouseEvent(&tme) != 0;
            }
            UpdateMouseControl(Point(Message.XPos(), Message.YPos()));
        }
        if (IsControlMouseMsg(Message)) {
            // The window may be gone if a handler took the control off its parent.
            if (Message.Result == 0 && FHandle) DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
    }
    TControl::WndProc(Message);
}

void TWinControl::UpdateMouseControl(const TPoint& Pos)
{
    RECT client;
    ::GetClientRect(FHandle, &client);
    TControl* target = nullptr;
    if (Pos.X >= client.left && Pos.X < client.right && Pos.Y >= client.top && Pos.Y < client.bottom) {
        target = ControlAtPos(Pos, true);
        if (!target) target = this;
    }
    if (target) ChangeMouseControl(target);
    else if (TheMouseControl == this ||
             (TheMouseControl && TheMouseControl->FParent == this && !TheMouseControl->FIsWinControl))
        ChangeMouseControl(nullptr);
}

bool TWinControl::IsControlMouseMsg(TWMMouse& Message)
{
    TControl* control = nullptr;
    TPoint p{Message.XPos(), Message.YPos()};
    if (FHandle && GetCapture() == FHandle) {
        if (TheCaptureControl && TheCaptureControl->FParent == this) control = TheCaptureControl;
    } else {
        control = ControlAtPos(p, false);
    }
    if (!control) return false;
    Message.Result =
        control->Perform(Message.Msg, Message.WParam, PointToLParam(p.X - control->FLeft, p.Y - control->FTop));
    return true;
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_PRINTCLIENT: WMPrintClient(Message); return;
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case WM_NCHITTEST: WMNCHitTest(Message); return;
    case WM_NCACTIVATE: WMNCActivate(Message); return;
    case WM_NCMOUSEMOVE: WMNCMouseMove(Message); return;
    case WM_NCMOUSELEAVE: WMNCMouseLeave(Message); return;
    case WM_NCLBUTTONDOWN: WMNCLButtonDown(Message); return;
    case WM_NCLBUTTONUP: WMNCLButtonUp(Message); return;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(Message); return;
    case WM_NCRBUTTONDOWN: WMNCRButtonDown(Message); return;
    case WM_NCRBUTTONUP: WMNCRButtonUp(Message); return;
    case WM_NCRBUTTONDBLCLK: WMNCRButtonDblClk(Message); return;
    case WM_NCMBUTTONDOWN: WMNCMButtonDown(Message); return;
    case WM_NCMBUTTONUP: WMNCMButtonUp(Message); return;
    case WM_NCMBUTTONDBLCLK: WMNCMButtonDblClk(Message); return;
    case WM_NCXBUTTONDOWN: WMNCXButtonDown(Message); return;
    case WM_NCXBUTTONUP: WMNCXButtonUp(Message); return;
    case WM_NCXBUTTONDBLCLK: WMNCXButtonDblClk(Message); return;
    case WM_SYSCOMMAND: WMSysCommand(Message); return;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(Message); return;
    case WM_GETDLGCODE: WMGetDlgCode(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_HSCROLL: WMHScroll(Message); return;
    case WM_VSCROLL: WMVScroll(Message); return;
    case WM_DESTROY: WMDestroy(Message); return;
    case WM_MOUSEACTIVATE: WMMouseActivate(Message); return;
    case WM_DROPFILES: {
        // Released here, once, whatever the handlers do with the control.
        auto Release = ScopeExit([&] { DragFinish(reinterpret_cast<HDROP>(Message.WParam)); });
        WMDropFiles(Message);
        return;
    }
    case CM_TABSTOPCHANGED: CMTabStopChanged(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_MOVE: WMMove(Message); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    case WM_MOUSELEAVE: WMMouseLeave(Message); return;
    case WM_CAPTURECHANGED: WMCaptureChanged(Message); return;
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_KEYUP: WMKeyUp(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); return;
    case WM_SYSKEYUP: WMSysKeyUp(Message); return;
    case WM_SYSCHAR: WMSysChar(Message); return;
    case WM_COMMAND: WMCommand(Message); return;
    case WM_NOTIFY: WMNotify(Message); return;
    case WM_DRAWITEM: WMDrawItem(Message); return;
    case WM_MEASUREITEM: WMMeasureItem(Message); return;
    case WM_DELETEITEM: WMDeleteItem(Message); return;
    case WM_COMPAREITEM: WMCompareItem(Message); return;
    case WM_CHARTOITEM: WMCharToItem(Message); return;
    case WM_VKEYTOITEM: WMVKeyToItem(Message); return;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: WMCtlColor(Message); return;
    case CN_COMMAND: CNCommand(Message); return;
    case CN_NOTIFY: CNNotify(Message); return;
    case CN_DRAWITEM: CNDrawItem(Message); return;
    case CN_MEASUREITEM: CNMeasureItem(Message); return;
    case CN_CTLCOLOREDIT: CNCtlColorEdit(Message); return;
    case CN_CTLCOLORSTATIC: CNCtlColorStatic(Message); return;
    case CN_CTLCOLORLISTBOX: CNCtlColorListBox(Message); return;
    case CN_CTLCOLORBTN: CNCtlColorBtn(Message); return;
    case CN_HSCROLL: CNHScroll(Message); return;
    case CN_VSCROLL: CNVScroll(Message); return;
    case CN_KEYDOWN: CNKeyDown(Message); return;
    case CN_KEYUP: CNKeyUp(Message); return;
    case CN_CHAR: CNChar(Message); return;
    case CN_SYSKEYDOWN: CNSysKeyDown(Message); return;
    case CN_SYSCHAR: CNSysChar(Message); return;
    case CM_ENTER: CMEnter(Message); return;
    case CM_EXIT: CMExit(Message); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
    case CM_RECREATEWND: CMRecreateWnd(Message); return;
    }
    TControl::Dispatch(Message);
}

void TWinControl::WMPaint(TWMPaint& Message)
{
    // A native control with nothing painted on it paints itself.
    if (!(FControlState & csCustomPaint) && FControls.empty()) {
        DefaultHandler(Message);
        return;
    }
    if (Message.WParam) {
        PaintHandler(Message);
        return;
    }
    TPaintDC dc(FHandle);
    if (FDoubleBuffered) {
        PaintBuffered(dc);
        return;
    }
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc.Handle()), 0, 0};
    PaintHandler(paint);
}

void TWinControl::PaintBuffered(HDC DC)
{
    RECT client;
    ::GetClientRect(FHandle, &client);
    Integer w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return;
    // One bitmap for the control's life, grown when the control outgrows it.
    if (!FPaintBuffer.Handle() || FPaintBufferSize.cx < w || FPaintBufferSize.cy < h) {
        FPaintBuffer = TCompatibleBitmap(DC, std::max(w, FPaintBufferSize.cx), std::max(h, FPaintBufferSize.cy));
        FPaintBufferSize = TSize{std::max(w, FPaintBufferSize.cx), std::max(h, FPaintBufferSize.cy)};
    }
    TMemoryDC memory(DC);
    TSelectedObject buffer(memory, FPaintBuffer);
    // The buffer is painted whole: what the screen clips away costs a copy only.
    HDC mem = memory.Handle();
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(mem), 0, 0};
    PaintHandler(paint);
    BitBlt(DC, 0, 0, w, h, mem, 0, 0, SRCCOPY);
}

void TWinControl::ScrollBy(Integer DeltaX, Integer DeltaY)
{
    if (DeltaX == 0 && DeltaY == 0) return;
    // The picture moves with the children; what comes into view is painted.
    // Child windows are moved one by one below, so their fields follow.
    if (FHandle) ScrollWindowEx(FHandle, DeltaX, DeltaY, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    for (TControl* c : std::vector<TControl*>(FControls)) {
        if (c->FIsWinControl && static_cast<TWinControl*>(c)->FHandle) {
            // WM_WINDOWPOSCHANGED reads the new place into the fields.
            SetWindowPos(static_cast<TWinControl*>(c)->FHandle, nullptr, c->FLeft + DeltaX, c->FTop + DeltaY, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            c->FLeft += DeltaX;
            c->FTop += DeltaY;
            c->UpdateAnchorRules();
        }
    }
}

void TWinControl::SetDoubleBuffered(bool Value)
{
    if (FDoubleBuffered == Value) return;
    FDoubleBuffered = Value;
    if (!Value) {
        FPaintBuffer.Reset();
        FPaintBufferSize = TSize{0, 0};
    }
}

void TWinControl::PaintHandler(TWMPaint& Message)
{
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    bool windowless = std::any_of(FControls.begin(), FControls.end(),
                                  [](TControl* c) { return !c->FIsWinControl && c->FVisible; });
    if (!windowless) {
        PaintWindow(dc);
        return;
    }
    // Opaque windowless children cover their area: it is left out of the window's own paint.
    {
        TSavedDC saved(dc);
        int clip = SIMPLEREGION;
        for (TControl* c : FControls) {
            if (c->FIsWinControl || !c->FVisible || !(c->FControlStyle & csOpaque)) continue;
            clip = ExcludeClipRect(dc, c->FLeft, c->FTop, c->FLeft + c->FWidth, c->FTop + c->FHeight);
            if (clip == NULLREGION) break;
        }
        if (clip != NULLREGION) PaintWindow(dc);
    }
    PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC DC)
{
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    std::vector<TControl*> list = FControls;
    auto it = list.begin();
    if (First) {
        it = std::find(list.begin(), list.end(), First);
        if (it == list.end()) it = list.begin();
    }
    for (; it != list.end(); ++it) {
        TControl* c = *it;
        if (c->FIsWinControl || !c->FVisible || c->FWidth <= 0 || c->FHeight <= 0) continue;
        RECT r{c->FLeft, c->FTop, c->FLeft + c->FWidth, c->FTop + c->FHeight};
        if (!RectVisible(DC, &r)) continue;
        TSavedDC saved(DC);
        MoveWindowOrg(DC, c->FLeft, c->FTop);
        IntersectClipRect(DC, 0, 0, c->FWidth, c->FHeight);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
}

void TWinControl::WMEraseBkgnd(TMessage& Message)
{
    // Double buffered: the erase happens in the buffer (wParam == lParam there).
    if (FDoubleBuffered && Message.WParam != static_cast<WPARAM>(Message.LParam)) {
        Message.Result = 1;
        return;
    }
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if ((FControlStyle & csParentBackground) && FParent && FParent->FHandle) {
        PaintParentBackground(dc);
        Message.Result = 1;
        return;
    }
    RECT r;
    ::GetClientRect(FHandle, &r);
    FillRect(dc, &r, FBrush->Handle());
    Message.Result = 1;
}

void TWinControl::PaintParentBackground(HDC DC)
{
    // The parent erases and paints its client area into DC, moved so that
    // this control's place lands at DC's origin.
    POINT origin{0, 0};
    MapWindowPoints(FHandle, FParent->FHandle, &origin, 1);
    TSavedDC saved(DC);
    RECT r;
    ::GetClientRect(FHandle, &r);
    IntersectClipRect(DC, r.left, r.top, r.right, r.bottom);
    MoveWindowOrg(DC, -origin.x, -origin.y);
    FParent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
    FParent->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT);
}

void TWinControl::WMSize(TMessage& Message)
{
    UpdateBounds();
    DefaultHandler(Message);
    Realign();
    if (!(ComponentState() & csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message)
{
    DefaultHandler(Message);
    UpdateBounds();
}

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
    // The bounds first, so that WM_SIZE sees them.
    if (!(FControlState & csDestroyingHandle)) UpdateBounds();
    DefaultHandler(Message);
}

void TWinControl::WMSetCursor(TMessage& Message)
{
    if (reinterpret_cast<HWND>(Message.WParam) == FHandle && LOWORD(Message.LParam) == HTCLIENT) {
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
            POINT p;
            GetCursorPos(&p);
            ::ScreenToClient(FHandle, &p);
            TControl* c = (TheCaptureControl && TheCaptureControl->FParent == this)
                              ? TheCaptureControl
                              : ControlAtPos(Point(p.x, p.y), false);
            cursor = (c ? c : this)->Cursor();
        }
        if (cursor != crDefault) {
            ::SetCursor(Screen->Cursors(cursor));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMMouseWheel(TMessage& Message)
{
    // The wheel goes to the control under the pointer (this one when the
    // pointer is outside the program's windows), then up its parents.
    if (RoutingWheel) {
        DefaultHandler(Message);
        return;
    }
    TFlagScope routing(RoutingWheel);
    TPoint p{static_cast<SmallInt>(LOWORD(Message.LParam)), static_cast<SmallInt>(HIWORD(Message.LParam))};
    TControl* target = FindControlAtPos(p);
    if (!target) target = this;
    // Both are messages of the target: a handler may free it meanwhile.
    TMessageScope scope(target);
    Message.Result = target->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
    if (Message.Result == 0 && target->FIsWinControl && !target->FFreePending)
        static_cast<TWinControl*>(target)->DefaultHandler(Message);
}

void TWinControl::WMMouseLeave(TMessage& Message)
{
    FTrackingLeave = false;
    if (TheMouseControl == this ||
        (TheMouseControl && TheMouseControl->FParent == this && !TheMouseControl->FIsWinControl))
        ChangeMouseControl(nullptr);
    DefaultHandler(Message);
}

void TWinControl::WMCaptureChanged(TMessage& Message)
{
    if (TheCaptureControl && TheCaptureControl->FParent == this && reinterpret_cast<HWND>(Message.LParam) != FHandle)
        TheCaptureControl = nullptr;
    DefaultHandler(Message);
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TWMKey& Message)
{
    if (TWinControl* form = KeyPreviewForm(); form && form->DoKeyDown(Message)) return true;
    if (FControlStyle & csNoStdEvents) return false;
    Word key = Message.CharCode();
    KeyDown(key, KeyDataToShiftState(Message.KeyData()));
    Message.SetCharCode(key);
    return key == 0;
}

bool TWinControl::DoKeyUp(TWMKey& Message)
{
    if (TWinControl* form = KeyPreviewForm(); form && form->DoKeyUp(Message)) return true;
    if (FControlStyle & csNoStdEvents) return false;
    Word key = Message.CharCode();
    KeyUp(key, KeyDataToShiftState(Message.KeyData()));
    Message.SetCharCode(key);
    return key == 0;
}

bool TWinControl::DoKeyPress(TWMKey& Message)
{
    if (TWinControl* form = KeyPreviewForm(); form && form->DoKeyPress(Message)) return true;
    if (FControlStyle & csNoStdEvents) return false;
    Char key = static_cast<Char>(Message.CharCode());
    KeyPress(key);
    Message.SetCharCode(key);
    return key == 0;
}

TWinControl* TWinControl::KeyPreviewForm()
{
    TCustomForm* form = GetParentForm(this);
    return form && form != this && form->KeyPreview() ? form : nullptr;
}

void TWinControl::WMKeyDown(TWMKey& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TWMKey& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TWMKey& Message)
{
    if (!DoKeyPress(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TWMKey& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyUp(TWMKey& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysChar(TWMKey& Message)
{
    DefaultHandler(Message);
}

bool TWinControl::IsMenuKey(TWMKey& Message)
{
    // The short cuts of the popup menus of the control and its parents, then the form's.
    for (TControl* Control = this; Control; Control = Control->Parent())
        if (Control->PopupMenu() && Control->PopupMenu()->IsShortCut(Message)) return true;
    TCustomForm* form = GetParentForm(this);
    return form && form->IsShortCut(Message);
}

void TWinControl::CNKeyDown(TWMKey& Message)
{
    Message.Result = 1;
    if (IsMenuKey(Message)) return;
    UINT mask = 0;
    switch (Message.CharCode()) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    }
    if (mask && Perform(CM_WANTSPECIALKEY, Message.CharCode(), Message.LParam) == 0 &&
        (Perform(WM_GETDLGCODE) & mask) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGKEY, Message.CharCode(), Message.LParam) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNCommand(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::CNNotify(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::CNDrawItem(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::CNMeasureItem(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::CNCtlColorEdit(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::CNCtlColorStatic(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::CNCtlColorListBox(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::CNCtlColorBtn(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::CNKeyUp(TWMKey& Message)
{
    Message.Result = 0;
}

void TWinControl::CNChar(TWMKey& Message)
{
    Message.Result = 1;
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, Message.CharCode(), Message.LParam) != 0) return;
    }
    Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TWMKey& Message)
{
    Message.Result = 1;
    if (IsMenuKey(Message)) return;
    Message.Result = 0;
}

void TWinControl::CNSysChar(TWMKey& Message)
{
    Message.Result = 0;
    if (Message.CharCode() == VK_SPACE) return;
    TCustomForm* form = GetParentForm(this);
    if (form) Message.Result = form->Perform(CM_DIALOGCHAR, Message.CharCode(), Message.LParam);
}

void TWinControl::CMDialogKey(TMessage& Message)
{
    Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage& Message)
{
    Broadcast(Message);
}

void TWinControl::CMFocusChanged(TMessage& Message)
{
    Broadcast(Message);
}

void TWinControl::CMEnter(TMessage&)
{
    DoEnter();
}

void TWinControl::CMExit(TMessage&)
{
    DoExit();
}

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

bool TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message)
{
    TWinControl* control = FindControl(ControlHandle);
    if (!control || control == this) return false;
    Message.Result = control->Perform(Message.Msg + CN_BASE, Message.WParam, Message.LParam);
    return true;
}

void TWinControl::WMCommand(TMessage& Message)
{
    if (Message.LParam == 0 || !DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message)
{
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    if (!hdr || !DoControlMsg(hdr->hwndFrom, Message)) DefaultHandler(Message);
}

void TWinControl::WMDrawItem(TMessage& Message)
{
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    if (!item || item->CtlType == ODT_MENU || !DoControlMsg(item->hwndItem, Message)) DefaultHandler(Message);
}

TWinControl* TWinControl::FindChildControlById(UINT Id) const
{
    for (TControl* c : FControls) {
        if (!c->FIsWinControl) continue;
        auto* w = static_cast<TWinControl*>(c);
        if (w->FHandle && static_cast<UINT>(GetWindowLongPtrW(w->FHandle, GWLP_ID)) == Id) return w;
    }
    return nullptr;
}

void TWinControl::WMMeasureItem(TMessage& Message)
{
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    // The child has its window from its first message on, so an owner-drawn
    // list asking while its window is being made is found too.
    TWinControl* control = item && item->CtlType != ODT_MENU ? FindChildControlById(item->CtlID) : nullptr;
    if (control) Message.Result = control->Perform(CN_MEASUREITEM, Message.WParam, Message.LParam);
    else DefaultHandler(Message);
}

void TWinControl::WMDeleteItem(TMessage& Message)
{
    auto* item = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam);
    if (!item || !DoControlMsg(item->hwndItem, Message)) DefaultHandler(Message);
}

void TWinControl::WMCompareItem(TMessage& Message)
{
    auto* item = reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam);
    if (!item || !DoControlMsg(item->hwndItem, Message)) DefaultHandler(Message);
}

void TWinControl::WMCharToItem(TMessage& Message)
{
    if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMVKeyToItem(TMessage& Message)
{
    if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMCtlColor(TMessage& Message)
{
    if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::CNHScroll(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::CNVScroll(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMHScroll(TMessage& Message)
{
    if (Message.LParam == 0 || !DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMVScroll(TMessage& Message)
{
    if (Message.LParam == 0 || !DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMSetFocus(TMessage& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && !form->SetFocusedControl(this)) return;
    DefaultHandler(Message);
}

void TWinControl::WMKillFocus(TMessage& Message)
{
    if (FControlState & csFocusing) return;
    DefaultHandler(Message);
}

void TWinControl::WMPrintClient(TMessage& Message)
{
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (!dc || !(Message.LParam & PRF_CLIENT)) {
        DefaultHandler(Message);
        return;
    }
    if (Message.LParam & PRF_ERASEBKGND) Perform(WM_ERASEBKGND, Message.WParam, Message.WParam);
    // A paint into the context handed in: the buffer is not needed.
    TMessage paint{WM_PAINT, Message.WParam, 0, 0};
    WMPaint(paint);
    Message.Result = 0;
}

// The frame and the rest are the platform's unless a control says otherwise.
void TWinControl::WMNCCalcSize(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMNCPaint(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMNCHitTest(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMNCActivate(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMNCMouseMove(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCMouseLeave(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMNCLButtonDown(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCLButtonUp(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCLButtonDblClk(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCRButtonDown(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCRButtonUp(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCRButtonDblClk(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCMButtonDown(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCMButtonUp(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCMButtonDblClk(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCXButtonDown(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCXButtonUp(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMNCXButtonDblClk(TWMMouse& Message) { DefaultHandler(Message); }
void TWinControl::WMSysCommand(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMWindowPosChanging(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMGetDlgCode(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMDestroy(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMMouseActivate(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::CMTabStopChanged(TMessage&) {}

void TWinControl::CMEnabledChanged(TMessage& Message)
{
    if (!FEnabled && FParent) RemoveFocus(false);
    if (FHandle) EnableWindow(FHandle, FEnabled);
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMVisibleChanged(TMessage&)
{
    if (!FVisible && FParent) RemoveFocus(false);
    if (!FVisible && TheMouseControl && ContainsControl(TheMouseControl)) ChangeMouseControl(nullptr);
    UpdateControlState();
}

void TWinControl::CMColorChanged(TMessage& Message)
{
    FBrush->SetColor(Color());
    NotifyControls(CM_PARENTCOLORCHANGED);
    TControl::CMColorChanged(Message);
}

void TWinControl::CMShowHintChanged(TMessage&)
{
    NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message)
{
    if (FHandle) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
    NotifyControls(CM_PARENTFONTCHANGED);
    TControl::CMFontChanged(Message);
}

bool TWinControl::CanFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (TWinControl* c = this; c && c != form; c = c->FParent)
        if (!c->FVisible || !c->FEnabled) return false;
    return true;
}

bool TWinControl::Focused() const
{
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (form) form->FocusControl(this);
    else if (FParentWindow && FHandle) ::SetFocus(FHandle);
    else throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
}

void TWinControl::RemoveFocus(bool Removing)
{
    TCustomForm* form = GetParentForm(this);
    if (form) form->DefocusControl(this, Removing);
}

void TWinControl::SetTabStop(bool Value)
{
    if (FTabStop == Value) return;
    FTabStop = Value;
    if (FHandle) {
        LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
        SetWindowLongPtrW(FHandle, GWL_STYLE, Value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
    Perform(CM_TABSTOPCHANGED);
}

Integer TWinControl::TabOrder() const
{
    if (!FParent) return -1;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<Integer>(it - list.begin());
}

void TWinControl::SetTabOrder(Integer Value)
{
    if (!FParent) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    Integer count = static_cast<Integer>(list.size());
    if (Value < 0 || Value > count) Value = count;
    list.insert(list.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List)
{
    for (TWinControl* c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    Integer count = static_cast<Integer>(list.size());
    auto found = std::find(list.begin(), list.end(), CurControl);
    // Without a current control the search starts at one end.
    Integer start = found != list.end() ? static_cast<Integer>(found - list.begin()) : (GoForward ? count - 1 : 0);
    Integer i = start;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[i];
        if (c != CurControl && (!CheckTabStop || c->FTabStop) && (!CheckParent || c->FParent == this) &&
            c->CanFocus())
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (next) next->SetFocus();
}

// ---------------------------------------------------------------------------
// TGraphicControl, TCustomControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner)
{
    FCanvas = std::make_unique<TControlCanvas>();
    FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl()
{
    FCanvas->SetControl(nullptr);
}

void TGraphicControl::WMPaint(TWMPaint& Message)
{
    if (!Message.WParam || FWidth <= 0 || FHeight <= 0) return;
    TCanvasPaintScope scope(FCanvas.get(), reinterpret_cast<HDC>(Message.WParam));
    Paint();
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner)
{
    FCanvas = std::make_unique<TControlCanvas>();
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl()
{
    FCanvas->SetControl(nullptr);
}

void TCustomControl::PaintWindow(HDC DC)
{
    TCanvasPaintScope scope(FCanvas.get(), DC);
    Paint();
}

void TCustomControl::WMPaint(TWMPaint& Message)
{
    FControlState |= csCustomPaint;
    auto Restore = ScopeExit([&] { FControlState &= ~csCustomPaint; });
    TWinControl::WMPaint(Message);
}

// ---------------------------------------------------------------------------
// TMouse

TPoint TMouse::CursorPos() const
{
    POINT p{0, 0};
    GetCursorPos(&p);
    return Point(p.x, p.y);
}

void TMouse::SetCursorPos(const TPoint& Value)
{
    ::SetCursorPos(Value.X, Value.Y);
}

void TMouse::SetCapture(HWND Value)
{
    if (Value) ::SetCapture(Value);
    else ReleaseCapture();
}

TMouse* MouseInstance()
{
    static TMouse* mouse = new TMouse;  // lives as long as the program
    return mouse;
}
