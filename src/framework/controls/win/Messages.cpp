#include "framework/controls/win/Messages.h"

#include <memory>

TNotifyEvent ApplicationHandleException;

void HandleWindowProcException(TObject* Sender)
{
    if (ApplicationHandleException) {
        try {
            ApplicationHandleException(Sender);
        } catch (...) {
            // The handler itself failed: nothing may cross the window procedure.
            OutputDebugStringW(L"Exception in the application's exception handler\n");
        }
        return;
    }
    try {
        throw;
    } catch (Exception& E) {
        OutputDebugStringW(WStr(E.Message()));
    } catch (...) {
        OutputDebugStringW(L"Unhandled exception in a window procedure\n");
    }
}

// ---------------------------------------------------------------------------
// Utility windows

namespace {

const wchar_t UtilWindowClass[] = L"TPUtilWindow";

LRESULT CALLBACK UtilWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
    if (!method) return DefWindowProcW(Wnd, Msg, WParam, LParam);
    TMessage m{Msg, WParam, LParam, 0};
    try {
        // A copy: the method may deallocate its own window.
        TWndMethod proc = *method;
        proc(m);
    } catch (...) {
        HandleWindowProcException(nullptr);
    }
    return m.Result;
}

void RegisterUtilClass()
{
    WNDCLASSW wc = {};
    HINSTANCE inst = GetModuleHandleW(nullptr);
    if (GetClassInfoW(inst, UtilWindowClass, &wc)) return;
    wc.lpfnWndProc = UtilWndProc;
    wc.hInstance = inst;
    wc.lpszClassName = UtilWindowClass;
    RegisterClassW(&wc);
}

} // namespace

HWND AllocateHWnd(TWndMethod Method)
{
    RegisterUtilClass();
    HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, UtilWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!wnd) throw EOSError(u"Cannot create a utility window");
    if (Method) {
        auto* stored = new TWndMethod(std::move(Method));
        SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(stored));
    }
    return wnd;
}

void DeallocateHWnd(HWND Wnd)
{
    if (!Wnd) return;
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
    SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0);
    DestroyWindow(Wnd);
    delete method;
}

// ---------------------------------------------------------------------------
// Messages between programs

bool SendMessageWithTimeout(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, Cardinal Timeout, LRESULT* Result)
{
    if (!Wnd || !IsWindow(Wnd)) return false;
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutW(Wnd, Msg, WParam, LParam, SMTO_ABORTIFHUNG | SMTO_NORMAL, Timeout, &r)) return false;
    if (Result) *Result = static_cast<LRESULT>(r);
    return true;
}

bool PostMessageTo(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return Wnd && IsWindow(Wnd) && PostMessageW(Wnd, Msg, WParam, LParam);
}

bool SendCopyData(HWND Wnd, HWND Sender, NativeUInt DataId, const void* Data, Cardinal Size, Cardinal Timeout,
                  LRESULT* Result)
{
    COPYDATASTRUCT cds = {};
    cds.dwData = static_cast<ULONG_PTR>(DataId);
    cds.cbData = Size;
    cds.lpData = const_cast<void*>(Data);
    return SendMessageWithTimeout(Wnd, WM_COPYDATA, reinterpret_cast<WPARAM>(Sender), reinterpret_cast<LPARAM>(&cds),
                                  Timeout, Result);
}

bool SendCopyDataText(HWND Wnd, HWND Sender, NativeUInt DataId, const String& Text, Cardinal Timeout,
                      LRESULT* Result)
{
    // The terminating NUL goes along.
    Cardinal size = static_cast<Cardinal>((Text.size() + 1) * sizeof(Char));
    return SendCopyData(Wnd, Sender, DataId, Text.c_str(), size, Timeout, Result);
}

String CopyDataText(const COPYDATASTRUCT* Data)
{
    if (!Data || !Data->lpData) return String();
    const auto* p = static_cast<const Char*>(Data->lpData);
    size_t units = Data->cbData / sizeof(Char);
    size_t n = 0;
    while (n < units && p[n] != 0) ++n;
    return String(p, n);
}
