// Messages: the message record every window procedure of the framework takes,
// the framework's own notifications (CM_) and reflected messages (CN_), and
// the hidden utility window and helpers for messages between windows and
// programs. Windows only.
#pragma once

#include "framework/runtime/Classes.h"
#include "framework/runtime/Methods.h"
#include "framework/runtime/win/WinPlatform.h"

// ---------------------------------------------------------------------------
// One message on its way through a control: what the platform passed and the
// result the handlers leave for it.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    Word WParamLo() const { return LOWORD(WParam); }
    Word WParamHi() const { return HIWORD(WParam); }
    Word LParamLo() const { return LOWORD(LParam); }
    Word LParamHi() const { return HIWORD(LParam); }

    // Mouse messages: the button and key flags (MK_) and the position, each
    // coordinate a signed 16-bit value.
    Word Keys() const { return LOWORD(WParam); }
    SmallInt XPos() const { return static_cast<SmallInt>(LOWORD(LParam)); }
    SmallInt YPos() const { return static_cast<SmallInt>(HIWORD(LParam)); }

    // Key messages: the virtual key (or character) and the key data word.
    Word CharCode() const { return static_cast<Word>(WParam); }
    void SetCharCode(Word Value) { WParam = Value; }
    Integer KeyData() const { return static_cast<Integer>(LParam); }
};

// Names that say which message a handler expects; all are the one record.
using TWMKey = TMessage;
using TWMMouse = TMessage;
using TWMPaint = TMessage;

// A replaceable message handler (a control's WindowProc, a utility window's
// method): an object and one of its members, TWndMethod::Of<&TFoo::WndProc>(this).
using TWndMethod = TMethod<void(TMessage& Message)>;

// ---------------------------------------------------------------------------
// The framework's own notifications, sent with Perform to one control (or
// broadcast to children). The numbers stay clear of the messages the skinned
// parts answer (0xB1B2 to 0xB1B4, 0xB1C9, 0xBC4A, 0xBC4B).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;  // lParam: the control that keeps its mode
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;   // wParam: virtual key, lParam: key data
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;  // wParam: character, lParam: key data
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;  // lParam: the control that has the focus now
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;  // wParam: the new value
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;  // wParam: virtual key; non-zero result: the control takes it
constexpr UINT CM_RELEASE = CM_BASE + 33;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_DRAG = CM_BASE + 36;  // wParam: a TDragMessage, lParam: the TDragRec; result: accepted
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;  // lParam: a THintInfo* the control may change; non-zero result: no hint
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_INVALIDATE = CM_BASE + 52;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;  // the WM_MOUSEWHEEL parameters; non-zero result: handled

// Messages a parent reflects to the child control they concern.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;

// ---------------------------------------------------------------------------
// Where exceptions that reach a window procedure go: the application installs
// its handler here (it shows the message and the program goes on). It is
// called inside the catch block, so it may rethrow to look at the exception.
// Without a handler the exception is dropped after a debugger trace.
extern TNotifyEvent ApplicationHandleException;
// Runs the installed handler for the exception being handled.
void HandleWindowProcException(TObject* Sender);

// ---------------------------------------------------------------------------
// A hidden top-level window whose messages go to Method; it receives the
// broadcasts (theme and setting changes) a message-only window would miss.
// Method sets the Result; messages it does not handle go to DefWindowProcW.
HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);

// ---------------------------------------------------------------------------
// Timers. Every timer of a thread (each TTimer, each control's own) runs on
// one hidden message-only window of that thread, made with the first timer:
// a timer costs no window of its own. Target receives WM_TIMER with the
// caller's Id in wParam every Interval milliseconds; starting a running timer
// restarts its count. A timer is known by its target's object and its Id.
void StartTimer(const TWndMethod& Target, UINT_PTR Id, UINT Interval);
void StopTimer(const TWndMethod& Target, UINT_PTR Id);
// Stops every timer whose target is a member of Object (it is going).
void StopTimers(const void* Object);
// The calling thread's timer window (null before its first timer) and the
// number of timers running on it.
HWND ThreadTimerWindow();
Integer ThreadTimerCount();

// ---------------------------------------------------------------------------
// Messages to windows of other programs. A window of another program may hang,
// so sending waits at most Timeout milliseconds; false when the window is gone,
// the wait ran out or the call failed.
bool SendMessageWithTimeout(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, Cardinal Timeout,
                            LRESULT* Result = nullptr);
// Posts; false when the window does not exist or the queue refused it.
bool PostMessageTo(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// WM_COPYDATA: Size bytes at Data with the identifier DataId, from Sender.
bool SendCopyData(HWND Wnd, HWND Sender, NativeUInt DataId, const void* Data, Cardinal Size,
                  Cardinal Timeout = 5000, LRESULT* Result = nullptr);
// A text as NUL-terminated UTF-16, the form in which programs hand over file names.
bool SendCopyDataText(HWND Wnd, HWND Sender, NativeUInt DataId, const String& Text,
                      Cardinal Timeout = 5000, LRESULT* Result = nullptr);
// The text of a received WM_COPYDATA (lParam of the message): the UTF-16 units up
// to the first NUL, never reading past the sender's byte count.
String CopyDataText(const COPYDATASTRUCT* Data);
