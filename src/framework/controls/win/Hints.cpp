#include "framework/controls/win/Hints.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/controls/win/Forms.h"

THintWindowClass HintWindowClass = HintWindowClassOf<THintWindow>();

String GetShortHint(const String& Hint)
{
    const size_t bar = Hint.find(u'|');
    return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint)
{
    const size_t bar = Hint.find(u'|');
    return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

// ---------------------------------------------------------------------------
// THintWindow

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetVisible(false);  // shown by ActivateHint only
    SetColor(clInfoBk);
    // The system's status font, in the hint colours.
    NONCLIENTMETRICSW Metrics = {};
    Metrics.cbSize = sizeof(Metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, 0)) {
        Font()->SetName(FromWStr(Metrics.lfStatusFont.lfFaceName));
        Font()->SetHeight(Metrics.lfStatusFont.lfHeight);
    }
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
    Params.WindowClass.style |= CS_SAVEBITS;
}

void THintWindow::WMNCHitTest(TMessage& Message)
{
    // The pointer goes through to the control below.
    Message.Result = HTTRANSPARENT;
}

void THintWindow::WMNCPaint(TMessage& Message)
{
    TCustomControl::WMNCPaint(Message);
    // The border in the shadow colour, as the platform's tool tips have it.
    TNonClientCanvas Frame(Handle());
    TRect R = Frame.WindowRect();
    Frame.Brush()->SetColor(clBtnShadow);
    Frame.FrameRect(Rect(0, 0, R.Width(), R.Height()));
}

TRect THintWindow::CalcHintRect(Integer MaxWidth, const String& AHint, void*)
{
    RECT R{0, 0, MaxWidth, 0};
    TClientDC Screen(nullptr);
    TSelectedObject UseFont(Screen, Font()->Handle());
    DrawTextW(Screen, WStr(AHint), -1, &R, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    // Two pixels of margin inside the one-pixel border on every side.
    return Rect(0, 0, R.right + 6, R.bottom + 4);
}

void THintWindow::ActivateHint(const TRect& Rect, const String& AHint)
{
    ActivateHintData(Rect, AHint, nullptr);
}

void THintWindow::ActivateHintData(const TRect& ARect, const String& AHint, void*)
{
    FActive = true;
    SetCaption(AHint);
    // Kept on the monitor it starts on.
    TRect R = ARect;
    const POINT Corner{R.Left, R.Top};
    MONITORINFO Info = {};
    Info.cbSize = sizeof(Info);
    GetMonitorInfoW(MonitorFromPoint(Corner, MONITOR_DEFAULTTONEAREST), &Info);
    const RECT& M = Info.rcMonitor;
    if (R.Right > M.right) R = Rect(M.right - R.Width(), R.Top, M.right, R.Bottom);
    if (R.Left < M.left) R = Rect(M.left, R.Top, M.left + R.Width(), R.Bottom);
    if (R.Bottom > M.bottom) R = Rect(R.Left, M.bottom - R.Height(), R.Right, M.bottom);
    if (R.Top < M.top) R = Rect(R.Left, M.top, R.Right, M.top + R.Height());
    SetBoundsRect(R);
    SetWindowPos(Handle(), HWND_TOPMOST, R.Left, R.Top, R.Width(), R.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    Update();
}

void THintWindow::Paint()
{
    TRect R = ClientRect();
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(R);
    R = Rect(R.Left + 2, R.Top + 1, R.Right - 2, R.Bottom - 1);
    Canvas()->SetFont(Font());
    Canvas()->Brush()->SetStyle(bsClear);
    RECT T{R.Left, R.Top, R.Right, R.Bottom};
    DrawTextW(Canvas()->Handle(), WStr(Caption()), -1, &T, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    Canvas()->Brush()->SetStyle(bsSolid);
}

bool THintWindow::IsHintMsg(const MSG& Msg)
{
    switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_ACTIVATEAPP:
        return true;
    case WM_MOUSELEAVE: {
        // Leaving one control for another of the program moves the hint on instead.
        POINT P;
        GetCursorPos(&P);
        return FindControl(WindowFromPoint(P)) == nullptr;
    }
    default:
        return false;
    }
}

void THintWindow::ReleaseHandle()
{
    FActive = false;
    DestroyHandle();
}

// ---------------------------------------------------------------------------
// TBalloonHint

TBalloonHint::TBalloonHint(TComponent* AOwner) : TComponent(AOwner) {}

TBalloonHint::~TBalloonHint()
{
    if (FHandle) DestroyWindow(FHandle);
}

void TBalloonHint::ShowHint(const TPoint& Point)
{
    if (!FHandle) {
        FHandle = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        if (!FHandle) throw EOSError(u"Cannot create the balloon hint");
        TTTOOLINFOW Tool = {};
        Tool.cbSize = sizeof(Tool);
        Tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        Tool.uId = 1;
        Tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(FHandle, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&Tool));
        SendMessageW(FHandle, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    TTTOOLINFOW Tool = {};
    Tool.cbSize = sizeof(Tool);
    Tool.uId = 1;
    Tool.lpszText = const_cast<wchar_t*>(WStr(FDescription));
    SendMessageW(FHandle, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&Tool));
    static const WPARAM Icons[] = {TTI_NONE, TTI_INFO, TTI_WARNING, TTI_ERROR};
    SendMessageW(FHandle, TTM_SETTITLEW, Icons[FIcon], reinterpret_cast<LPARAM>(WStr(FTitle)));
    SendMessageW(FHandle, TTM_TRACKPOSITION, 0, MAKELPARAM(Point.X, Point.Y));
    SendMessageW(FHandle, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&Tool));
    FShowing = true;
}

void TBalloonHint::ShowHint(TControl* Control)
{
    ShowHint(Control->ClientToScreen(Point(Control->Width() / 2, Control->Height())));
}

void TBalloonHint::HideHint()
{
    if (!FHandle || !FShowing) return;
    TTTOOLINFOW Tool = {};
    Tool.cbSize = sizeof(Tool);
    Tool.uId = 1;
    SendMessageW(FHandle, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&Tool));
    FShowing = false;
}
