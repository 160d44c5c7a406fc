// Drives windows that run their own modal loop on the test's thread (native
// menus, common dialogs, message boxes): a second thread waits for the
// window, then types or clicks into it like a user.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "framework/runtime/win/WinPlatform.h"

namespace guitest {

inline void Key(WORD VK, bool Down)
{
    INPUT In = {};
    In.type = INPUT_KEYBOARD;
    In.ki.wVk = VK;
    In.ki.dwFlags = Down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &In, sizeof(INPUT));
}

// Presses the keys together (held in order, released in reverse).
inline void Chord(const std::vector<WORD>& Keys)
{
    for (WORD K : Keys) Key(K, true);
    for (auto it = Keys.rbegin(); it != Keys.rend(); ++it) Key(*it, false);
}

// Waits on a thread that handles no messages until Ready() holds or about Ms
// milliseconds have passed; says whether it held.
template <class F>
bool WaitUntil(F&& Ready, DWORD Ms)
{
    const DWORD Start = GetTickCount();
    while (!Ready()) {
        if (GetTickCount() - Start >= Ms) return false;
        Sleep(10);
    }
    return true;
}

// The visible top-level window of this process with the class, or null.
inline HWND FindProcessWindow(const wchar_t* Class)
{
    struct TSearch {
        const wchar_t* Class;
        HWND Found;
    } Search{Class, nullptr};
    EnumWindows(
        [](HWND Wnd, LPARAM Data) CALLBACK -> BOOL {
            auto* S = reinterpret_cast<TSearch*>(Data);
            DWORD Pid = 0;
            GetWindowThreadProcessId(Wnd, &Pid);
            wchar_t Name[64] = {};
            GetClassNameW(Wnd, Name, 64);
            if (Pid == GetCurrentProcessId() && IsWindowVisible(Wnd) && wcscmp(Name, S->Class) == 0) {
                S->Found = Wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&Search));
    return Search.Found;
}

// Waits (on its own thread) for a visible window of the class and runs Act
// with it once it can take input; joins when it goes out of scope. Found()
// tells whether it came.
// A window still open 10 s after Act (a key lost) is cancelled so that the
// test fails instead of hanging.
class TModalDriver {
public:
    TModalDriver(const wchar_t* Class, std::function<void(HWND)> Act)
        : FThread([this, Class, Act] {
              HWND Wnd = nullptr;
              if (!WaitUntil([&] { return (Wnd = FindProcessWindow(Class)) != nullptr; }, 10000)) return;
              // Said now: once Act's keys land, the window closes and the test
              // reads Found() while this thread may not have run on.
              FFound = true;
              // A dialog takes keys once it is the foreground window and one of
              // its controls has the focus; a menu, which is never active, once
              // its thread runs the menu's loop.
              const bool Menu = wcscmp(Class, L"#32768") == 0;
              if (Menu) WaitUntil([&] { return InMenuLoop(Wnd); }, 10000);
              else WaitUntil([&] { return GetForegroundWindow() == Wnd && HoldsFocus(Wnd); }, 10000);
              Act(Wnd);
              if (WaitUntil([&] { return !IsWindow(Wnd) || !IsWindowVisible(Wnd); }, 10000)) return;
              FStuck = true;
              // Told to cancel: keys may be what got lost.
              PostMessageW(Wnd, Menu ? WM_CANCELMODE : WM_COMMAND, Menu ? 0 : IDCANCEL, 0);
              for (int i = 0; i < 5 && IsWindow(Wnd) && IsWindowVisible(Wnd); ++i) {
                  Chord({VK_ESCAPE});
                  Sleep(200);
              }
          })
    {
    }
    // Types the chords into the first menu that opens.
    explicit TModalDriver(std::vector<std::vector<WORD>> Chords)
        : TModalDriver(L"#32768", [Chords](HWND) {
              for (const auto& C : Chords) {
                  Chord(C);
                  Sleep(30);
              }
          })
    {
    }
    ~TModalDriver()
    {
        FThread.join();
        if (FStuck) ADD_FAILURE() << "a driven window stayed open after its keys were sent";
    }
    TModalDriver(const TModalDriver&) = delete;
    TModalDriver& operator=(const TModalDriver&) = delete;
    bool Found() const { return FFound; }

private:
    static GUITHREADINFO ThreadInfo(HWND Wnd)
    {
        GUITHREADINFO Info = {};
        Info.cbSize = sizeof(Info);
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(Wnd, nullptr), &Info)) Info = {};
        return Info;
    }
    // The focus of the window's thread is the window or one of its controls.
    static bool HoldsFocus(HWND Wnd)
    {
        const GUITHREADINFO Info = ThreadInfo(Wnd);
        return Info.hwndFocus && (Info.hwndFocus == Wnd || IsChild(Wnd, Info.hwndFocus));
    }
    static bool InMenuLoop(HWND Wnd) { return (ThreadInfo(Wnd).flags & GUI_INMENUMODE) != 0; }

    std::atomic<bool> FFound{false};
    std::atomic<bool> FStuck{false};
    std::thread FThread;
};

using TKeys = std::vector<std::vector<WORD>>;

} // namespace guitest
