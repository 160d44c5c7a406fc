#include "framework/controls/win/ExtCtrls.h"

#include <algorithm>

#include "framework/controls/win/Forms.h"
#include "framework/controls/win/Menus.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    StopTimers(this);
}

void TTimer::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value)
{
    if (FInterval == Value) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    // Starting the timer again restarts its count.
    TWndMethod target = TWndMethod::Of<&TTimer::WndProc>(this);
    StopTimer(target, 1);
    if (FEnabled && FInterval > 0) StartTimer(target, 1, FInterval);
}

void TTimer::WndProc(TMessage& Message)
{
    // Exceptions of the handler reach the application's handler, and the timer goes on.
    if (Message.Msg == WM_TIMER && FEnabled) Timer();
}

void TTimer::Timer()
{
    if (OnTimer) OnTimer(this);
}

// ---------------------------------------------------------------------------
// TTrayIcon

namespace {

// Copies Text into a fixed field of the shell's record, cut to fit and ended.
template <size_t N>
void CopyField(wchar_t (&Field)[N], const String& Text)
{
    const size_t Count = std::min(Text.size(), N - 1);
    std::copy(Text.begin(), Text.begin() + Count, reinterpret_cast<char16_t*>(Field));
    Field[Count] = 0;
}

UINT NextTrayId()
{
    static UINT Id = 0;
    return ++Id;
}

TMouseButton ButtonOf(UINT MouseMessage)
{
    switch (MouseMessage) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return mbMiddle;
    default: return mbLeft;
    }
}

TShiftState MouseShift()
{
    TShiftState Shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) Shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) Shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) Shift |= ssAlt;
    return Shift;
}

} // namespace

TTrayIcon::TTrayIcon(TComponent* AOwner)
    : TComponent(AOwner), FID(NextTrayId()), FIcon(std::make_unique<TIcon>())
{
    FHandle = AllocateHWnd(TWndMethod::Of<&TTrayIcon::WndProc>(this));
    FTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    FIcon->OnChange = [this](TObject*) { Changed(); };
}

TTrayIcon::~TTrayIcon()
{
    if (FVisible) Notify(NIM_DELETE, 0);
    FVisible = false;
    DeallocateHWnd(FHandle);
}

NOTIFYICONDATAW TTrayIcon::IconData(UINT Flags) const
{
    NOTIFYICONDATAW Data = {};
    Data.cbSize = sizeof(Data);
    Data.hWnd = FHandle;
    Data.uID = FID;
    Data.uFlags = Flags;
    Data.uCallbackMessage = WM_TRAYNOTIFY;
    HICON Icon = FIcon->Handle();
    if (!Icon) Icon = Application->Icon()->Handle();
    if (!Icon) Icon = LoadIconW(nullptr, IDI_APPLICATION);
    Data.hIcon = Icon;
    CopyField(Data.szTip, FHint);
    return Data;
}

bool TTrayIcon::Notify(DWORD Command, UINT Flags)
{
    NOTIFYICONDATAW Data = IconData(Flags);
    return Shell_NotifyIconW(Command, &Data) != FALSE;
}

void TTrayIcon::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    if (Value) {
        if (!Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP)) throw EOSError(u"The notification area refused the icon");
    } else {
        Notify(NIM_DELETE, 0);
    }
    FVisible = Value;
}

void TTrayIcon::Changed()
{
    if (FVisible) Notify(NIM_MODIFY, NIF_ICON | NIF_TIP);
}

void TTrayIcon::SetHint(const String& Value)
{
    if (FHint == Value) return;
    FHint = Value;
    Changed();
}

void TTrayIcon::SetIcon(TIcon* Value)
{
    FIcon->Assign(Value);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* Value)
{
    if (FPopupMenu == Value) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TTrayIcon::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

bool TTrayIcon::ShowBalloonHint()
{
    if (!FVisible) return false;
    NOTIFYICONDATAW Data = IconData(NIF_INFO);
    CopyField(Data.szInfo, FBalloonHint);
    CopyField(Data.szInfoTitle, FBalloonTitle);
    Data.uTimeout = static_cast<UINT>(std::max<Integer>(FBalloonTimeout, 0));
    const DWORD Kinds[] = {NIIF_NONE, NIIF_INFO, NIIF_WARNING, NIIF_ERROR};
    Data.dwInfoFlags = Kinds[FBalloonFlags];
    return Shell_NotifyIconW(NIM_MODIFY, &Data) != FALSE;
}

void TTrayIcon::WndProc(TMessage& Message)
{
    if (Message.Msg == FTaskbarCreated && FTaskbarCreated) {
        // The shell started again and forgot every icon.
        if (FVisible) Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP);
        return;
    }
    if (Message.Msg != WM_TRAYNOTIFY || Message.WParam != FID) {
        Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    try {
        POINT P;
        GetCursorPos(&P);
        const TShiftState Shift = MouseShift();
        switch (Message.LParam) {
        case WM_MOUSEMOVE:
            if (OnMouseMove) OnMouseMove(this, Shift, P.x, P.y);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (OnMouseDown) OnMouseDown(this, ButtonOf(UINT(Message.LParam)), Shift, P.x, P.y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const TMouseButton Button = ButtonOf(UINT(Message.LParam));
            if (OnMouseUp) OnMouseUp(this, Button, Shift, P.x, P.y);
            if (Button == mbLeft) {
                if (OnClick) OnClick(this);
            } else if (Button == mbRight && FPopupMenu && FPopupMenu->AutoPopup()) {
                // The menu closes when the user clicks elsewhere only if the
                // program is in front; the posted message ends its loop cleanly.
                SetForegroundWindow(FHandle);
                FPopupMenu->SetPopupComponent(this);
                HWND Wnd = FHandle;
                FPopupMenu->Popup(P.x, P.y);
                PostMessageW(Wnd, WM_NULL, 0, 0);
            }
            break;
        }
        case WM_LBUTTONDBLCLK:
            if (OnDblClick) OnDblClick(this);
            break;
        case NIN_BALLOONUSERCLICK:
            if (OnBalloonClick) OnBalloonClick(this);
            break;
        }
    } catch (...) {
        HandleWindowProcException(this);
    }
}

// ---------------------------------------------------------------------------
// TCustomPanel

namespace {

// The 3-D colours of a bevel cut: the top-left and the bottom-right.
void BevelColors(TBevelCut Cut, TColor Face, TColor& TopLeft, TColor& BottomRight)
{
    TopLeft = Cut == bvLowered ? clBtnShadow : Cut == bvRaised ? clBtnHighlight : Face;
    BottomRight = Cut == bvLowered ? clBtnHighlight : Cut == bvRaised ? clBtnShadow : Face;
}

} // namespace

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                    csReplicatable);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

Integer TCustomPanel::FrameWidth() const
{
    return FBorderWidth + (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
}

void TCustomPanel::Changed()
{
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value)
{
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    Changed();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value)
{
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    Changed();
}

void TCustomPanel::SetBevelWidth(Integer Value)
{
    Value = std::max<Integer>(Value, 1);
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    Changed();
}

void TCustomPanel::SetBorderWidth(Integer Value)
{
    Value = std::max<Integer>(Value, 0);
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment Value)
{
    if (FVerticalAlignment == Value) return;
    FVerticalAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetParentBackground(bool Value)
{
    if (FParentBackground == Value) return;
    FParentBackground = Value;
    if (Value) SetControlStyle(ControlStyle() & ~csOpaque);
    else SetControlStyle(ControlStyle() | csOpaque);
    Invalidate();
}

void TCustomPanel::SetFullRepaint(bool Value)
{
    if (FFullRepaint == Value) return;
    FFullRepaint = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) Params.Style |= WS_BORDER;
    if (!FFullRepaint) Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    // Its own class, so that the redraw styles of both kinds do not mix.
    if (!FFullRepaint) Params.WinClassName += u"NoFullRepaint";
}

TRect TCustomPanel::InnerRect()
{
    TRect R = ClientRect();
    AdjustClientRect(R);
    return R;
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    // Inside the frame; an area too small for it is left empty, never inverted.
    const Integer F = FrameWidth();
    Rect = ::Rect(Rect.Left + F, Rect.Top + F, std::max(Rect.Left + F, Rect.Right - F),
                  std::max(Rect.Top + F, Rect.Bottom - F));
}

void TCustomPanel::WMEraseBkgnd(TMessage& Message)
{
    if (!FParentBackground || !Parent() || !Parent()->HandleAllocated()) {
        TCustomControl::WMEraseBkgnd(Message);
        return;
    }
    // What the parent shows where the panel covers it.
    PaintParentBackground(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TCustomPanel::WMWindowPosChanged(TMessage& Message)
{
    const Integer OldWidth = Width(), OldHeight = Height();
    TCustomControl::WMWindowPosChanged(Message);
    if (FFullRepaint || !HandleAllocated() || (OldWidth == Width() && OldHeight == Height())) return;
    // Only the uncovered parts repaint by themselves: the frame moves with the
    // right and bottom edges, and the caption moves with the size.
    const Integer F = FrameWidth();
    auto invalidate = [&](const TRect& R) {
        RECT W{R.Left, R.Top, R.Right, R.Bottom};
        InvalidateRect(Handle(), &W, TRUE);
    };
    for (Integer w : {OldWidth, Width()}) invalidate(Rect(w - F, 0, w, Height()));
    for (Integer h : {OldHeight, Height()}) invalidate(Rect(0, h - F, Width(), h));
    if (!Caption().empty()) invalidate(InnerRect());
}

void TCustomPanel::CMTextChanged(TMessage& Message)
{
    TCustomControl::CMTextChanged(Message);
    Invalidate();
}

void TCustomPanel::Paint()
{
    TCanvas* C = Canvas();
    TRect R = ClientRect();
    if (!FParentBackground) {
        C->Brush()->SetColor(Color());
        C->Brush()->SetStyle(bsSolid);
        C->FillRect(R);
    }
    TColor TopLeft, BottomRight;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, Color(), TopLeft, BottomRight);
        Frame3D(C, R, TopLeft, BottomRight, FBevelWidth);
    }
    if (FBorderWidth > 0 && !FParentBackground) Frame3D(C, R, Color(), Color(), FBorderWidth);
    else R = Rect(R.Left + FBorderWidth, R.Top + FBorderWidth, R.Right - FBorderWidth, R.Bottom - FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, Color(), TopLeft, BottomRight);
        Frame3D(C, R, TopLeft, BottomRight, FBevelWidth);
    }
    const String Text = Caption();
    if (Text.empty()) return;
    static const UINT Horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    static const UINT Vertical[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
    C->SetFont(Font());
    C->Brush()->SetStyle(bsClear);
    RECT T{R.Left, R.Top, R.Right, R.Bottom};
    DrawTextW(C->Handle(), WStr(Text), -1, &T,
              DT_EXPANDTABS | DT_SINGLELINE | Horizontal[FAlignment] | Vertical[FVerticalAlignment]);
    C->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------
// TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value)
{
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* C = TGraphicControl::Canvas();
    // The shadow side first: top-left when lowered, bottom-right when raised.
    const TColor Color1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor Color2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    C->Pen()->SetWidth(1);
    C->Pen()->SetStyle(psSolid);
    // (L, B) up to (L, T) and across to (R, T) in the first colour, then (R, T)
    // down to (R, B) and back to (L, B) in the second.
    auto bevelRect = [&](const TRect& R, TColor First, TColor Second) {
        C->Pen()->SetColor(First);
        const TPoint TopLeft[3] = {{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}};
        C->Polyline(TopLeft, 3);
        C->Pen()->SetColor(Second);
        const TPoint BottomRight[3] = {{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}};
        C->Polyline(BottomRight, 3);
    };
    auto bevelLine = [&](TColor Color, Integer X1, Integer Y1, Integer X2, Integer Y2) {
        C->Pen()->SetColor(Color);
        C->MoveTo(X1, Y1);
        C->LineTo(X2, Y2);
    };
    const Integer W = Width(), H = Height();
    switch (FShape) {
    case bsBox: bevelRect(Rect(0, 0, W - 1, H - 1), Color1, Color2); break;
    case bsFrame:
        bevelRect(Rect(1, 1, W - 1, H - 1), Color2, Color2);
        bevelRect(Rect(0, 0, W - 2, H - 2), Color1, Color1);
        break;
    case bsTopLine:
        bevelLine(Color1, 0, 0, W, 0);
        bevelLine(Color2, 0, 1, W, 1);
        break;
    case bsBottomLine:
        bevelLine(Color1, 0, H - 2, W, H - 2);
        bevelLine(Color2, 0, H - 1, W, H - 1);
        break;
    case bsLeftLine:
        bevelLine(Color1, 0, 0, 0, H);
        bevelLine(Color2, 1, 0, 1, H);
        break;
    case bsRightLine:
        bevelLine(Color1, W - 2, 0, W - 2, H);
        bevelLine(Color2, W - 1, 0, W - 1, H);
        break;
    case bsSpacer: break;
    }
}

// ---------------------------------------------------------------------------
// TShape

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 65, 65);
    FPen->OnChange = [this](TObject*) { Invalidate(); };
    FBrush->OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::SetShape(TShapeKind Value)
{
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TShape::Paint()
{
    TCanvas* C = Canvas();
    C->SetPen(FPen.get());
    C->SetBrush(FBrush.get());
    // The pen's middle runs half its width inside the control's edge.
    const Integer PW = FPen->Width();
    Integer X = PW / 2, Y = PW / 2;
    Integer W = Width() - PW + 1, H = Height() - PW + 1;
    if (PW == 0) {
        --W;
        --H;
    }
    const Integer S = std::min(W, H);
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        X += (W - S) / 2;
        Y += (H - S) / 2;
        W = H = S;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare: C->Rectangle(X, Y, X + W, Y + H); break;
    case stRoundRect:
    case stRoundSquare: C->RoundRect(X, Y, X + W, Y + H, S / 4, S / 4); break;
    case stEllipse:
    case stCircle: C->Ellipse(X, Y, X + W, Y + H); break;
    }
}

// ---------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 105, 105);
    FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
}

TCanvas* TImage::Canvas()
{
    TGraphic* G = FPicture->Graphic();
    if (!G) {
        TBitmap* B = FPicture->Bitmap();
        B->SetSize(Width(), Height());
        G = B;
    }
    auto* B = dynamic_cast<TBitmap*>(G);
    if (!B) throw EInvalidOperation(u"Can only modify an image if it contains a bitmap");
    return B->Canvas();
}

void TImage::SetStretch(bool Value)
{
    if (FStretch == Value) return;
    FStretch = Value;
    PictureChanged(this);
}

void TImage::SetCenter(bool Value)
{
    if (FCenter == Value) return;
    FCenter = Value;
    PictureChanged(this);
}

void TImage::SetProportional(bool Value)
{
    if (FProportional == Value) return;
    FProportional = Value;
    PictureChanged(this);
}

void TImage::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    PictureChanged(this);
}

void TImage::SetAutoSize(bool Value)
{
    TGraphicControl::SetAutoSize(Value);
}

bool TImage::CanAutoSize(Integer& NewWidth, Integer& NewHeight)
{
    if (!FPicture->Graphic() || FPicture->Graphic()->Empty()) return false;
    NewWidth = FPicture->Width();
    NewHeight = FPicture->Height();
    return true;
}

TRect TImage::DestRect() const
{
    Integer W = FPicture->Width(), H = FPicture->Height();
    const Integer CW = Width(), CH = Height();
    if (FStretch || (FProportional && (W > CW || H > CH))) {
        if (FProportional && W > 0 && H > 0) {
            // The longer side of the picture fills its side of the control.
            const int64_t PW = W, PH = H;
            if (W > H) {
                W = CW;
                H = static_cast<Integer>(CW * PH / PW);
                if (H > CH) {
                    H = CH;
                    W = static_cast<Integer>(CH * PW / PH);
                }
            } else {
                H = CH;
                W = static_cast<Integer>(CH * PW / PH);
                if (W > CW) {
                    W = CW;
                    H = static_cast<Integer>(CW * PH / PW);
                }
            }
        } else {
            W = CW;
            H = CH;
        }
    }
    TRect R = Rect(0, 0, W, H);
    if (FCenter) R = Rect((CW - W) / 2, (CH - H) / 2, (CW - W) / 2 + W, (CH - H) / 2 + H);
    return R;
}

void TImage::PictureChanged(TObject*)
{
    if (FDrawing) return;
    TGraphic* G = FPicture->Graphic();
    if (G && !G->Empty()) {
        if (G->Transparent() != FTransparent && !dynamic_cast<TIcon*>(G)) G->SetTransparent(FTransparent);
        if (AutoSize()) AdjustSize();
    }
    // Opaque only when the picture covers the whole control.
    const TRect D = DestRect();
    const bool covers = G && !G->Empty() && !G->Transparent() && D.Left <= 0 && D.Top <= 0 && D.Right >= Width() &&
                        D.Bottom >= Height();
    SetControlStyle(covers ? ControlStyle() | csOpaque : ControlStyle() & ~csOpaque);
    Invalidate();
}

void TImage::Paint()
{
    TGraphic* G = FPicture->Graphic();
    if (!G || G->Empty()) return;
    FDrawing = true;
    auto Restore = ScopeExit([&] { FDrawing = false; });
    TGraphicControl::Canvas()->StretchDraw(DestRect(), G);
}

// ---------------------------------------------------------------------------
// TSplitter

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    SetCursor(crHSplit);
}

TSplitter::~TSplitter()
{
    StopSizing();
}

void TSplitter::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Cursor() == crHSplit && !Vertical() && Align() != alNone) SetCursor(crVSplit);
    else if (Cursor() == crVSplit && Vertical()) SetCursor(crHSplit);
}

void TSplitter::SetBeveled(bool Value)
{
    if (FBeveled == Value) return;
    FBeveled = Value;
    Invalidate();
}

void TSplitter::SetMinSize(Integer Value)
{
    FMinSize = std::max<Integer>(Value, 1);
}

void TSplitter::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FActiveControl) FActiveControl = nullptr;
    if (AComponent == FControl) StopSizing();
}

TControl* TSplitter::FindControl() const
{
    TWinControl* P = Parent();
    if (!P) return nullptr;
    TPoint Pt;
    switch (Align()) {
    case alLeft: Pt = Point(Left() - 1, Top()); break;
    case alRight: Pt = Point(Left() + Width(), Top()); break;
    case alTop: Pt = Point(Left(), Top() - 1); break;
    case alBottom: Pt = Point(Left(), Top() + Height()); break;
    default: return nullptr;
    }
    for (Integer i = 0; i < P->ControlCount(); ++i) {
        TControl* C = P->Controls(i);
        if (C == this || !C->Visible() || !C->Enabled()) continue;
        TRect R = C->BoundsRect();
        // A collapsed neighbour still counts: one pixel towards the splitter.
        if (R.Width() == 0) (Align() == alLeft ? R.Left : R.Right) += Align() == alLeft ? -1 : 1;
        if (R.Height() == 0) (Align() == alTop ? R.Top : R.Bottom) += Align() == alTop ? -1 : 1;
        if (Pt.X >= R.Left && Pt.X < R.Right && Pt.Y >= R.Top && Pt.Y < R.Bottom) return C;
    }
    return nullptr;
}

void TSplitter::CalcSplitSize(Integer X, Integer Y, Integer& NewSize, Integer& Split)
{
    Split = Vertical() ? X - FDownPos.X : Y - FDownPos.Y;
    Integer S = 0;
    switch (Align()) {
    case alLeft: S = FControl->Width() + Split; break;
    case alRight: S = FControl->Width() - Split; break;
    case alTop: S = FControl->Height() + Split; break;
    case alBottom: S = FControl->Height() - Split; break;
    default: break;
    }
    NewSize = S;
    if (S < FMinSize) NewSize = FMinSize;
    else if (S > FMaxSize) NewSize = FMaxSize;
    if (S != NewSize) {
        // The split moves only as far as the size could.
        S = (Align() == alRight || Align() == alBottom) ? S - NewSize : NewSize - S;
        Split += S;
    }
}

void TSplitter::UpdateSize(Integer X, Integer Y)
{
    CalcSplitSize(X, Y, FNewSize, FSplit);
}

bool TSplitter::CanResize(Integer& NewSize)
{
    bool Accept = true;
    if (OnCanResize) OnCanResize(this, NewSize, Accept);
    return Accept;
}

bool TSplitter::DoCanResize(Integer& NewSize)
{
    const bool Result = CanResize(NewSize);
    if (Result && NewSize <= FMinSize && FAutoSnap) NewSize = 0;
    return Result;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || FControl) return;
    FControl = FindControl();
    if (!FControl) return;
    FControl->FreeNotification(this);
    FDownPos = Point(X, Y);
    // The room the neighbour may take: the parent less the other controls
    // aligned on the same axis, less MinSize for the rest.
    TWinControl* P = Parent();
    if (Vertical()) {
        FMaxSize = P->ClientWidth() - FMinSize;
        for (Integer i = 0; i < P->ControlCount(); ++i) {
            TControl* C = P->Controls(i);
            if (C->Visible() && (C->Align() == alLeft || C->Align() == alRight)) FMaxSize -= C->Width();
        }
        FMaxSize += FControl->Width();
        FStartSize = FControl->Width();
    } else {
        FMaxSize = P->ClientHeight() - FMinSize;
        for (Integer i = 0; i < P->ControlCount(); ++i) {
            TControl* C = P->Controls(i);
            if (C->Visible() && (C->Align() == alTop || C->Align() == alBottom)) FMaxSize -= C->Height();
        }
        FMaxSize += FControl->Height();
        FStartSize = FControl->Height();
    }
    FOldSize = FStartSize;
    UpdateSize(X, Y);
    // Escape on the focused control ends the drag.
    if (TCustomForm* Form = GetParentForm(this)) {
        if ((FActiveControl = Form->ActiveControl())) {
            FActiveControl->FreeNotification(this);
            FOldKeyDown = FActiveControl->OnKeyDown;
            FActiveControl->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState KeyShift) {
                FocusKeyDown(Sender, Key, KeyShift);
            };
        }
    }
    if (FResizeStyle == rsLine || FResizeStyle == rsPattern) DrawLine();
}

void TSplitter::FocusKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (Key == VK_ESCAPE) {
        StopSizing();
        return;
    }
    if (FOldKeyDown) FOldKeyDown(Sender, Key, Shift);
}

void TSplitter::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!(Shift & ssLeft) || !FControl) return;
    Integer NewSize, Split;
    CalcSplitSize(X, Y, NewSize, Split);
    if (!DoCanResize(NewSize)) return;
    const bool Line = FResizeStyle == rsLine || FResizeStyle == rsPattern;
    if (Line) DrawLine();
    FNewSize = NewSize;
    FSplit = Split;
    if (FResizeStyle == rsUpdate) UpdateControlSize();
    if (Line) DrawLine();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FControl) return;
    if (FLineVisible) DrawLine();
    UpdateControlSize();
    StopSizing();
}

void TSplitter::UpdateControlSize()
{
    if (FNewSize == FOldSize || !FControl) return;
    TWinControl* P = Parent();
    switch (Align()) {
    case alLeft: FControl->SetWidth(FNewSize); break;
    case alTop: FControl->SetHeight(FNewSize); break;
    case alRight: {
        // The neighbour grows to the left: its left edge moves with the size.
        P->DisableAlign();
        auto Enable = ScopeExit([&] { P->EnableAlign(); });
        FControl->SetBounds(FControl->Left() + FControl->Width() - FNewSize, FControl->Top(), FNewSize,
                            FControl->Height());
        break;
    }
    case alBottom: {
        P->DisableAlign();
        auto Enable = ScopeExit([&] { P->EnableAlign(); });
        FControl->SetBounds(FControl->Left(), FControl->Top() + FControl->Height() - FNewSize, FControl->Width(),
                            FNewSize);
        break;
    }
    default: break;
    }
    Update();
    FOldSize = FNewSize;
    if (OnMoved) OnMoved(this);
}

void TSplitter::DrawLine()
{
    TWinControl* P = Parent();
    if (!P || !P->HandleAllocated()) return;
    FLineVisible = !FLineVisible;
    TRect R = BoundsRect();
    if (Vertical()) R = Rect(R.Left + FSplit, R.Top, R.Right + FSplit, R.Bottom);
    else R = Rect(R.Left, R.Top + FSplit, R.Right, R.Bottom + FSplit);
    FLineRect = R;
    TClientDC DC(P->Handle(), DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    if (FResizeStyle != rsPattern) {
        PatBlt(DC, R.Left, R.Top, R.Width(), R.Height(), DSTINVERT);
        return;
    }
    // A checked pattern of black and white, inverted onto the parent.
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[2];
        uint32_t Rows[8];
    } Dib = {};
    Dib.Header.biSize = sizeof(BITMAPINFOHEADER);
    Dib.Header.biWidth = 8;
    Dib.Header.biHeight = 8;
    Dib.Header.biPlanes = 1;
    Dib.Header.biBitCount = 1;
    Dib.Colors[1] = RGBQUAD{255, 255, 255, 0};
    for (int y = 0; y < 8; ++y) Dib.Rows[y] = (y & 1) ? 0x55 : 0xAA;
    TPatternBrush Pattern(&Dib);
    TSelectedObject UseBrush(DC, Pattern);
    PatBlt(DC, R.Left, R.Top, R.Width(), R.Height(), PATINVERT);
}

void TSplitter::StopSizing()
{
    if (!FControl && !FActiveControl) return;
    if (FLineVisible) DrawLine();
    if (FControl) FControl->RemoveFreeNotification(this);
    FControl = nullptr;
    if (FActiveControl) {
        FActiveControl->OnKeyDown = FOldKeyDown;
        FActiveControl->RemoveFreeNotification(this);
        FActiveControl = nullptr;
    }
    FOldKeyDown = nullptr;
    if (OnMoved && !(ComponentState() & csDestroying)) OnMoved(this);
}

void TSplitter::Paint()
{
    TCanvas* C = Canvas();
    TRect R = ClientRect();
    C->Brush()->SetColor(Color());
    C->Brush()->SetStyle(bsSolid);
    C->FillRect(R);
    if (FBeveled) {
        // A raised ridge along the bar.
        R = Vertical() ? Rect(R.Left, R.Top + 2, R.Right, R.Bottom - 2) : Rect(R.Left + 2, R.Top, R.Right - 2, R.Bottom);
        Frame3D(C, R, clBtnHighlight, clBtnShadow, 1);
    }
    if (OnPaint) OnPaint(this);
}

// ---------------------------------------------------------------------------
// TPaintBox

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint()
{
    Canvas()->SetFont(Font());
    Canvas()->Brush()->SetColor(Color());
    if (OnPaint) OnPaint(this);
}
