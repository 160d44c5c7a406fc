#include "framework/controls/win/Messages.h"

#include <map>
#include <memory>
#include <utility>

#include "framework/graphics/win/Graphics.h"  // EOutOfResources

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
// The thread's timer window

namespace {

const wchar_t TimerWindowClass[] = L"TPTimerWindow";

// The timers of one thread: the platform's timer ids on the one window, and
// what each of them calls.
struct TThreadTimers {
    struct TEntry {
        TWndMethod Target;
        UINT_PTR Id;
    };
    HWND Window = nullptr;
    UINT_PTR NextId = 1;
    std::map<UINT_PTR, TEntry> Entries;                          // by platform id
    std::map<std::pair<const void*, UINT_PTR>, UINT_PTR> Index;  // (object, Id) -> platform id

    ~TThreadTimers()
    {
        if (Window && IsWindow(Window)) DestroyWindow(Window);
    }
    void Remove(std::map<UINT_PTR, TEntry>::iterator It)
    {
        KillTimer(Window, It->first);
        Index.erase({It->second.Target.Data(), It->second.Id});
        Entries.erase(It);
    }
};

// The thread's timers go with the thread (before the program's static objects
// at its end, whose destructors may still stop timers: they find none).
thread_local bool TimersGone = false;
struct TTimersHolder {
    TThreadTimers Timers;
    ~TTimersHolder() { TimersGone = true; }
};
thread_local TTimersHolder TimersHolder;

TThreadTimers* ThreadTimers()
{
    return TimersGone ? nullptr : &TimersHolder.Timers;
}

LRESULT CALLBACK TimerWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TThreadTimers* timers = ThreadTimers();
    if (Msg != WM_TIMER || !timers) return DefWindowProcW(Wnd, Msg, WParam, LParam);
    auto it = timers->Entries.find(static_cast<UINT_PTR>(WParam));
    if (it == timers->Entries.end()) return 0;
    // Copies: the target may stop its timer or start others.
    TWndMethod target = it->second.Target;
    TMessage m{WM_TIMER, it->second.Id, 0, 0};
    try {
        target(m);
    } catch (...) {
        HandleWindowProcException(nullptr);
    }
    return 0;
}

HWND TimerWindow(TThreadTimers& Timers)
{
    if (Timers.Window) return Timers.Window;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    if (!GetClassInfoW(inst, TimerWindowClass, &wc)) {
        wc.lpfnWndProc = TimerWndProc;
        wc.hInstance = inst;
        wc.lpszClassName = TimerWindowClass;
        RegisterClassW(&wc);
    }
    Timers.Window = CreateWindowExW(0, TimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr);
    if (!Timers.Window) throw EOSError(u"Cannot create the timer window");
    return Timers.Window;
}

} // namespace

void StartTimer(const TWndMethod& Target, UINT_PTR Id, UINT Interval)
{
    TThreadTimers* timers = ThreadTimers();
    if (!timers) return;  // the thread is ending
    HWND wnd = TimerWindow(*timers);
    auto key = std::make_pair(static_cast<const void*>(Target.Data()), Id);
    auto found = timers->Index.find(key);
    UINT_PTR platformId;
    if (found != timers->Index.end()) {
        platformId = found->second;
    } else {
        // Ids are not reused while the thread lives: a WM_TIMER of a stopped
        // timer still in the queue finds nothing.
        platformId = timers->NextId++;
        timers->Index[key] = platformId;
    }
    timers->Entries[platformId] = {Target, Id};
    if (!SetTimer(wnd, platformId, Interval, nullptr)) {
        timers->Remove(timers->Entries.find(platformId));
        throw EOutOfResources(u"Not enough timers available");
    }
}

void StopTimer(const TWndMethod& Target, UINT_PTR Id)
{
    TThreadTimers* timers = ThreadTimers();
    if (!timers) return;
    auto found = timers->Index.find({Target.Data(), Id});
    if (found == timers->Index.end()) return;
    timers->Remove(timers->Entries.find(found->second));
}

void StopTimers(const void* Object)
{
    TThreadTimers* timers = ThreadTimers();
    if (!timers) return;
    auto it = timers->Index.lower_bound({Object, 0});
    while (it != timers->Index.end() && it->first.first == Object) {
        UINT_PTR platformId = it->second;
        ++it;
        timers->Remove(timers->Entries.find(platformId));
    }
}

HWND ThreadTimerWindow()
{
    TThreadTimers* timers = ThreadTimers();
    return timers ? timers->Window : nullptr;
}

Integer ThreadTimerCount()
{
    TThreadTimers* timers = ThreadTimers();
    return timers ? static_cast<Integer>(timers->Entries.size()) : 0;
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
