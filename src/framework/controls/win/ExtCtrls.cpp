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
