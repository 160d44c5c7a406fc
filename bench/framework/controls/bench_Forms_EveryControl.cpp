// A form with one of every control, made, shown, painted and freed, timed
// by this program (there is no Google Benchmark for the Windows builds): run
// under Wine on a display by scripts/bench-forms.sh.
//   bench_Forms_EveryControl [CYCLES]        (default 200)
// Prints the median and fastest milliseconds of a whole cycle and of its
// steps: making the form and its controls, showing and painting it, and
// freeing it.
//
// The peer, in the same run: the same windows made straight with the
// platform's calls (a top-level window with both scroll bars and a menu, and
// a child window of each system class the form's controls stand on), shown,
// painted and destroyed. It is the floor of the platform's own work for such
// a form; the ratio tells what the framework adds.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "EveryControlForm.h"
#include "TestStartup.h"
#include "WinTiming.h"

using namespace guitest;

namespace {

// Handles what the cycle's step left waiting, as the event loop would.
void Pump()
{
    for (int i = 0; i < 20 && GetQueueStatus(QS_ALLINPUT); ++i) Application->ProcessMessages();
}

struct TSeries {
    const char* Name;
    std::vector<double> Ms;
    double Median() const
    {
        std::vector<double> S = Ms;
        std::sort(S.begin(), S.end());
        return S[S.size() / 2];
    }
    void Print() const
    {
        std::printf("%-28s median %8.2f ms  fastest %8.2f ms\n", Name, Median(), *std::min_element(Ms.begin(), Ms.end()));
    }
};

// The peer: the form's windows without the framework.
void PlatformCycle()
{
    HINSTANCE inst = GetModuleHandleW(nullptr);
    HWND top = CreateWindowExW(WS_EX_TOPMOST | WS_EX_CONTROLPARENT, L"PeerForm", L"Every control",
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, 60, 60, 488, 414,
                               nullptr, CreateMenu(), inst, nullptr);
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"&Properties");
    AppendMenuW(GetMenu(top), MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    const struct {
        const wchar_t* Class;
        const wchar_t* Text;
        DWORD Style;
        int X, Y, W, H;
    } children[] = {
        {L"STATIC", L"Panel", SS_CENTER, 0, 0, 480, 80},  // the panel, the bevel and the shape
        {L"STATIC", L"", SS_ETCHEDFRAME, 8, 8, 100, 60},
        {L"STATIC", L"", SS_BLACKRECT, 120, 8, 60, 60},
        {L"STATIC", L"", SS_WHITERECT, 8, 100, 64, 64},  // the image and the paint box
        {L"STATIC", L"", SS_GRAYRECT, 90, 100, 64, 64},
        {L"EDIT", L"Edit", WS_BORDER | ES_AUTOHSCROLL, 8, 180, 80, 22},
        {L"EDIT", L"Memo", WS_BORDER | ES_MULTILINE, 96, 180, 80, 40},
        {L"LISTBOX", L"", WS_BORDER | LBS_NOTIFY, 184, 180, 80, 40},
        {L"COMBOBOX", L"", CBS_DROPDOWN, 272, 180, 80, 22},
        {L"BUTTON", L"OK", BS_DEFPUSHBUTTON, 360, 180, 70, 24},
        {L"BUTTON", L"Check", BS_AUTOCHECKBOX, 8, 228, 80, 20},
        {L"BUTTON", L"Radio", BS_AUTORADIOBUTTON, 96, 228, 80, 20},
        {L"STATIC", L"&Label", 0, 184, 228, 60, 16},
        {L"BUTTON", L"Group", BS_GROUPBOX, 272, 228, 100, 40},
        {L"SCROLLBAR", L"", SBS_HORZ, 8, 256, 160, 17},
        {WC_TABCONTROLW, L"", 0, 8, 280, 160, 70},
        {WC_TABCONTROLW, L"", 0, 176, 280, 120, 40},
        {WC_TREEVIEWW, L"", WS_BORDER | TVS_HASLINES, 304, 280, 120, 70},
        {UPDOWN_CLASSW, L"", 0, 432, 280, 17, 22},
        {TRACKBAR_CLASSW, L"", 0, 176, 324, 120, 30},
        {PROGRESS_CLASSW, L"", 0, 8, 356, 160, 16},
        {STATUSCLASSNAMEW, L"Status", 0, 0, 0, 0, 0},
        {L"STATIC", L"Far", SS_CENTER, 400, 420, 120, 40},
    };
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const auto& c : children) {
        HWND child = CreateWindowExW(0, c.Class, c.Text, WS_CHILD | WS_VISIBLE | c.Style, c.X, c.Y, c.W, c.H, top,
                                     nullptr, inst, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SCROLLINFO si = {sizeof si, SIF_ALL, 0, 519, 480, 0, 0};
    SetScrollInfo(top, SB_HORZ, &si, FALSE);
    si.nMax = 459;
    si.nPage = 360;
    SetScrollInfo(top, SB_VERT, &si, FALSE);
    ShowWindow(top, SW_SHOW);
    UpdateWindow(top);
    Pump();
    DestroyWindow(top);
    Pump();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int cycles = argc > 1 ? std::max(1, _wtoi(argv[1])) : 200;
    InstallTestProgram();
    TSeries make{"make the form", {}}, show{"show and paint", {}}, free{"free", {}}, whole{"cycle (every control)", {}};
    // The platform's first-use objects (classes, fonts, theme data) come with the first rounds.
    for (int i = -3; i < cycles; ++i) {
        const double t0 = NowMs();
        auto* form = new TEveryControlForm(nullptr);
        const double t1 = NowMs();
        form->Show();
        UpdateWindow(form->Handle());
        Pump();
        const double t2 = NowMs();
        delete form;
        Pump();
        const double t3 = NowMs();
        if (i < 0) continue;
        make.Ms.push_back(t1 - t0);
        show.Ms.push_back(t2 - t1);
        free.Ms.push_back(t3 - t2);
        whole.Ms.push_back(t3 - t0);
    }
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"PeerForm";
    RegisterClassW(&wc);
    TSeries peer{"cycle (platform peer)", {}};
    for (int i = -3; i < cycles; ++i) {
        const double t0 = NowMs();
        PlatformCycle();
        if (i >= 0) peer.Ms.push_back(NowMs() - t0);
    }
    std::printf("%d cycles\n", cycles);
    for (const TSeries* S : {&whole, &make, &show, &free, &peer}) S->Print();
    std::printf("framework / peer (medians) %.2fx\n", whole.Median() / peer.Median());
    return 0;
}
