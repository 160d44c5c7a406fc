// Drives windows that run their own modal loop on the test's thread (native
// menus, common dialogs, message boxes): a second thread waits for the
// window, then types or clicks into it like a user.
#pragma once

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

// The visible top-level window of this process with the class, or null.
inline HWND FindProcessWindow(const wchar_t* Class)
{
    struct TSearch {
        const wchar_t* Class;
        HWND Found;
    } Search{Class, nullptr};
    EnumWindows(
        [](HWND Wnd, LPARAM Data) -> BOOL {
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
// with it; joins when it goes out of scope. Found() tells whether it came.
class TModalDriver {
public:
    TModalDriver(const wchar_t* Class, std::function<void(HWND)> Act)
        : FThread([this, Class, Act] {
              const DWORD Start = GetTickCount();
              HWND Wnd = nullptr;
              while (!(Wnd = FindProcessWindow(Class)) && GetTickCount() - Start < 10000) Sleep(10);
              if (!Wnd) return;
              Sleep(100);  // let it finish showing and take the focus
              Act(Wnd);
              FFound = true;
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
    ~TModalDriver() { FThread.join(); }
    TModalDriver(const TModalDriver&) = delete;
    TModalDriver& operator=(const TModalDriver&) = delete;
    bool Found() const { return FFound; }

private:
    std::atomic<bool> FFound{false};
    std::thread FThread;
};

using TKeys = std::vector<std::vector<WORD>>;

} // namespace guitest
