// Opening a menu, timed by this program (there is no Google Benchmark for the
// Windows builds): run under Wine by scripts/bench-skin-menus.sh.
//   bench_SkinMenuPopup [REPEATS] [SKIN FILE]
// For menus of 10, 40 and 200 items: the skinned engine's Popup until its
// first level has painted (the level window updated), in the built-in look or
// the given skin; beside it, in the same run, the platform's own popup menu
// of the same items (TrackPopupMenu until its menu loop first goes idle, the
// menu shown and painted). Reported: median and fastest of REPEATS openings.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "TestStartup.h"
#include "WinTiming.h"
#include "framework/controls/win/Forms.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/model/win/SFKernels_Win.h"

namespace {

struct TTimes {
    double Median = 0, Fastest = 0;
};

TTimes Time(Integer Repeats, const std::function<double()>& Once)
{
    std::vector<double> Ms;
    for (Integer I = 0; I < Repeats; ++I) Ms.push_back(Once());
    std::sort(Ms.begin(), Ms.end());
    return {Ms[Ms.size() / 2], Ms.front()};
}

void PumpAll()
{
    MSG M;
    while (PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&M);
        DispatchMessageW(&M);
    }
}

// The owner of the platform's menu: notes when its loop first goes idle and ends it.
double IdleAt = 0;
WNDPROC OldOwnerProc = nullptr;
LRESULT CALLBACK OwnerProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L)
{
    if (Msg == WM_ENTERIDLE && W == MSGF_MENU && IdleAt == 0) {
        IdleAt = NowMs();
        EndMenu();
        return 0;
    }
    return CallWindowProcW(OldOwnerProc, Wnd, Msg, W, L);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    InstallTestProgram();
    InstallSkinKernelsWin();
    const Integer Repeats = argc > 1 ? std::max(3, _wtoi(argv[1])) : 50;
    TsfSkinData Skin(nullptr);
    const bool Skinned = argc > 2 && Skin.LoadFromCompressedFile(reinterpret_cast<const char16_t*>(argv[2]));

    TForm Form(nullptr);
    Form.SetBounds(0, 0, 400, 300);
    auto* SF = new TsfSkinForm(&Form);
    if (Skinned) SF->SetSkinData(&Skin);
    Form.Show();
    PumpAll();
    TsfSkinMenu* Engine = SF->SkinMenu();
    OldOwnerProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnerProc)));

    int Result = 0;
    for (Integer Count : {10, 40, 200}) {
        TPopupMenu Menu(nullptr);
        for (Integer I = 0; I < Count; ++I) {
            auto* Item = new TMenuItem(&Menu);
            Item->SetCaption(I % 9 == 8 ? String(u"-") : u"Menu item " + IntToStr(I));
            if (I % 7 == 3) Item->SetShortCut(TShortCut(u'A' + I % 26) | scCtrl);
            Menu.Items()->Add(Item);
        }
        const TTimes Ours = Time(Repeats, [&] {
            PumpAll();
            const double T0 = NowMs();
            Engine->Popup(nullptr, Skinned ? &Skin : nullptr, 0, {100, 50, 100, 50}, Menu.Items(), false, false);
            if (Engine->LevelCount() > 0) UpdateWindow(Engine->Level(0)->Handle());
            GdiFlush();
            const double T = NowMs() - T0;
            Engine->CloseLevels(0);
            return T;
        });
        HMENU Native = Menu.Handle();
        const TTimes Peer = Time(Repeats, [&] {
            PumpAll();
            IdleAt = 0;
            const double T0 = NowMs();
            TrackPopupMenu(Native, TPM_RETURNCMD | TPM_NONOTIFY, 100, 50, 0, Form.Handle(), nullptr);
            return (IdleAt ? IdleAt : NowMs()) - T0;
        });
        std::printf("menu of %3d items (%s)  Popup to first paint: median %7.3f ms  fastest %7.3f ms"
                    " | native: median %7.3f ms  fastest %7.3f ms  ratio %.2f\n",
                    Count, Skinned ? "skin" : "built-in look", Ours.Median, Ours.Fastest, Peer.Median, Peer.Fastest,
                    Ours.Median / Peer.Median);
        if (Ours.Median >= 30) Result = 1;
    }
    SetWindowLongPtrW(Form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldOwnerProc));
    return Result;
}
