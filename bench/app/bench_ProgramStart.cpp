// The program's start, from outside: Lumatra.exe started in a new process
// until its main window is on the screen with every window in it painted,
// timed by this program (run under Wine by scripts/bench-start.sh).
//   bench_ProgramStart LUMATRA_EXE [RUNS [PICTURE]]        (default 10)
// Two series: a first start (no data folder yet: the tables are made) and a
// start over the tables the first one left; with PICTURE a third: a start
// over the tables with the picture on the command line, until the window's
// title names it and everything is painted with it. The peer, in the same run: this
// program started again to show one plain window, the floor of a process
// start and a first paint under Wine.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>

#include "WinTiming.h"

namespace {

const wchar_t* const PeerFlag = L"--peer-window";

struct TFound {
    DWORD Process;
    HWND Window;
};

// What the title must hold before the start counts as done (empty: anything).
std::wstring WantedTitle;

bool TitleReady(HWND Wnd)
{
    if (WantedTitle.empty()) return true;
    wchar_t Title[512] = {};
    GetWindowTextW(Wnd, Title, 512);
    return std::wstring(Title).find(WantedTitle) != std::wstring::npos;
}

BOOL CALLBACK FindShown(HWND Wnd, LPARAM Data)
{
    auto* F = reinterpret_cast<TFound*>(Data);
    DWORD Process = 0;
    GetWindowThreadProcessId(Wnd, &Process);
    if (Process != F->Process || !IsWindowVisible(Wnd) || GetWindow(Wnd, GW_OWNER)) return TRUE;
    RECT R;
    GetWindowRect(Wnd, &R);
    if (R.right - R.left < 100) return TRUE;  // the tray's and the utility windows
    F->Window = Wnd;
    return FALSE;
}

BOOL CALLBACK FindUnpainted(HWND Wnd, LPARAM Data)
{
    if (IsWindowVisible(Wnd) && GetUpdateRect(Wnd, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(Data) = true;
        return FALSE;
    }
    return TRUE;
}

// Whether Wnd and every visible window in it have been painted.
bool Painted(HWND Wnd)
{
    if (GetUpdateRect(Wnd, nullptr, FALSE)) return false;
    bool Unpainted = false;
    EnumChildWindows(Wnd, FindUnpainted, reinterpret_cast<LPARAM>(&Unpainted));
    return !Unpainted;
}

// Starts the command with APPDATA at Folder; milliseconds until its main
// window shows painted, or a negative number when it never does.
double TimeStart(const std::wstring& CommandLine, const std::wstring& Folder)
{
    SetEnvironmentVariableW(L"APPDATA", Folder.c_str());
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    PROCESS_INFORMATION Info = {};
    std::wstring Line = CommandLine;
    const double Start = NowMs();
    if (!CreateProcessW(nullptr, Line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Startup, &Info))
        return -1;
    double Ms = -1;
    TFound F{Info.dwProcessId, nullptr};
    while (NowMs() - Start < 60000) {
        if (WaitForSingleObject(Info.hProcess, 0) == WAIT_OBJECT_0) break;  // it ended by itself
        if (!F.Window) EnumWindows(FindShown, reinterpret_cast<LPARAM>(&F));
        if (F.Window && TitleReady(F.Window) && Painted(F.Window)) {
            Ms = NowMs() - Start;
            break;
        }
        Sleep(1);
    }
    TerminateProcess(Info.hProcess, 0);
    WaitForSingleObject(Info.hProcess, 10000);
    CloseHandle(Info.hProcess);
    CloseHandle(Info.hThread);
    return Ms;
}

void Print(const char* Name, std::vector<double> Ms)
{
    std::sort(Ms.begin(), Ms.end());
    if (Ms.empty() || Ms.front() < 0) {
        std::printf("%-34s did not show its window\n", Name);
        return;
    }
    std::printf("%-34s median %8.1f ms   fastest %8.1f ms   (%zu runs)\n", Name, Ms[Ms.size() / 2], Ms.front(),
                Ms.size());
}

// The peer: one plain window shown, painted, and kept until ended.
int PeerWindow()
{
    WNDCLASSW Wc = {};
    Wc.lpfnWndProc = DefWindowProcW;
    Wc.hInstance = GetModuleHandleW(nullptr);
    Wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    Wc.lpszClassName = L"LmBenchPeer";
    RegisterClassW(&Wc);
    HWND Wnd = CreateWindowExW(0, Wc.lpszClassName, L"peer", WS_OVERLAPPEDWINDOW, 50, 20, 1180, 760, nullptr,
                               nullptr, Wc.hInstance, nullptr);
    ShowWindow(Wnd, SW_SHOW);
    MSG Msg;
    while (GetMessageW(&Msg, nullptr, 0, 0) > 0) DispatchMessageW(&Msg);
    return 0;
}

std::wstring OwnFile()
{
    wchar_t Path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, Path, MAX_PATH * 2);
    return Path;
}

}  // namespace

int wmain(int Argc, wchar_t** Argv)
{
    if (Argc >= 2 && std::wstring(Argv[1]) == PeerFlag) return PeerWindow();
    if (Argc < 2) {
        std::fprintf(stderr, "usage: bench_ProgramStart LUMATRA_EXE [RUNS [PICTURE]]\n");
        return 2;
    }
    const std::wstring Exe = Argv[1];
    const int Runs = Argc >= 3 ? std::max(1, _wtoi(Argv[2])) : 10;
    const std::wstring Picture = Argc >= 4 ? Argv[3] : L"";
    const std::wstring PictureName = Picture.substr(Picture.find_last_of(L"\\/") + 1);
    wchar_t Temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, Temp);
    const std::wstring Base = std::wstring(Temp) + L"lm_bench_start_" + std::to_wstring(GetCurrentProcessId());

    std::vector<double> First, Again, Opened, Peer;
    for (int I = 0; I < Runs; ++I) {
        const std::wstring Folder = Base + L"\\" + std::to_wstring(I);
        CreateDirectoryW(Base.c_str(), nullptr);
        CreateDirectoryW(Folder.c_str(), nullptr);
        First.push_back(TimeStart(L"\"" + Exe + L"\"", Folder));
        Again.push_back(TimeStart(L"\"" + Exe + L"\"", Folder));
        if (!Picture.empty()) {
            WantedTitle = PictureName;
            Opened.push_back(TimeStart(L"\"" + Exe + L"\" \"" + Picture + L"\"", Folder));
            WantedTitle.clear();
        }
        Peer.push_back(TimeStart(L"\"" + OwnFile() + L"\" " + PeerFlag, Folder));
    }
    std::printf("start to the first paint of the main window, under Wine\n");
    Print("Lumatra.exe, first start", First);
    Print("Lumatra.exe, start over its tables", Again);
    if (!Picture.empty()) Print("Lumatra.exe, start with a picture", Opened);
    Print("peer: one plain window", Peer);
    return 0;
}
