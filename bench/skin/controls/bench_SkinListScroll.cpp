// A 1,000-item skinned list box scrolled by the mouse wheel, timed by this
// program (run under Wine by scripts/bench-skin-controls.sh):
//   bench_SkinListScroll [STEPS] [SKIN FILE]
// Each step is one wheel notch sent to the inner list, handled and painted at
// once (the skinned bar follows). Half the steps go down, half back up.
//
// The peer, in the same run: the platform's own owner-drawn list box with the
// same 1,000 items and the same size, drawing each item as the built-in look
// does (fill and text), scrolled by the same distance per step: one row, by the
// platform's own line scroll (a wheel notch sent to it moves it nowhere here,
// and one notch moves the skinned list one row).
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "TestStartup.h"
#include "WinTiming.h"
#include "framework/controls/win/Forms.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/model/win/SFKernels_Win.h"

namespace {

struct TTimes {
    double Median = 0, Fastest = 0;
};

TTimes Time(Integer Steps, const std::function<void(Integer)>& Step)
{
    std::vector<double> Ms;
    for (Integer I = 0; I < Steps; ++I) {
        const double T0 = NowMs();
        Step(I);
        Ms.push_back(NowMs() - T0);
    }
    std::sort(Ms.begin(), Ms.end());
    return {Ms[Ms.size() / 2], Ms.front()};
}

// One wheel notch (or, for the peer, one line step) to List, painted at once.
void Wheel(HWND List, bool Down, bool LineStep = false)
{
    if (LineStep) SendMessageW(List, WM_VSCROLL, Down ? SB_LINEDOWN : SB_LINEUP, 0);
    else SendMessageW(List, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(Down ? -WHEEL_DELTA : WHEEL_DELTA)), 0);
    UpdateWindow(GetParent(List));
    UpdateWindow(List);
    GdiFlush();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    InstallTestProgram();
    InstallSkinKernelsWin();
    const Integer Steps = argc > 1 ? std::max(2, _wtoi(argv[1])) : 300;
    TsfSkinData Skin(nullptr);
    const bool Skinned = argc > 2 && Skin.LoadFromCompressedFile(reinterpret_cast<const char16_t*>(argv[2]));

    TForm Form(nullptr);
    Form.SetBounds(0, 0, 500, 420);
    auto* L = new TsfSkinListBox(&Form);
    L->SetParent(&Form);
    L->SetBounds(10, 10, 220, 380);
    auto* P = new TListBox(&Form);
    P->SetParent(&Form);
    P->SetBounds(250, 10, 220, 380);
    P->SetStyle(lbOwnerDrawFixed);
    P->SetItemHeight(20);
    P->OnDrawItem = [P](TWinControl*, Integer Index, const TRect& R, TOwnerDrawState State) {
        TCanvas* C = P->Canvas();
        C->Brush()->SetColor(State & odSelected ? clHighlight : clWindow);
        C->Font()->SetColor(State & odSelected ? clHighlightText : clWindowText);
        C->FillRect(R);
        C->TextOut(R.Left + 2, R.Top + 2, P->Items()->Strings(Index));
    };
    Form.Show();
    if (Skinned) L->SetSkinData(&Skin);
    L->Items()->BeginUpdate();
    P->Items()->BeginUpdate();
    for (Integer I = 0; I < 1000; ++I) {
        L->Items()->Add(u"Item number " + IntToStr(I));
        P->Items()->Add(u"Item number " + IntToStr(I));
    }
    L->Items()->EndUpdate();
    P->Items()->EndUpdate();
    L->SetItemIndex(3);
    P->SetItemIndex(3);
    Application->ProcessMessages();
    L->UpDateScrollBar();

    const HWND LH = L->ListBox()->Handle(), PH = P->Handle();
    // The deepest top item each reached shows that both really scrolled.
    Integer MineTop = 0, PeerTop = 0;
    const TTimes Mine = Time(Steps, [&](Integer I) {
        Wheel(LH, I < Steps / 2);
        MineTop = std::max(MineTop, L->TopIndex());
    });
    const TTimes Peer = Time(Steps, [&](Integer I) {
        Wheel(PH, I < Steps / 2, true);
        PeerTop = std::max(PeerTop, P->TopIndex());
    });
    std::printf("1,000-item list, wheel step (%s)  median %7.3f ms  fastest %7.3f ms  (%d steps, deepest top %d, bar %s)\n",
                Skinned ? "skin" : "built-in look", Mine.Median, Mine.Fastest, Steps, MineTop,
                L->ScrollBar() ? "shown" : "missing");
    std::printf("platform owner-drawn list (peer)  median %7.3f ms  fastest %7.3f ms  deepest top %d  step/peer %.2f\n",
                Peer.Median, Peer.Fastest, PeerTop, Peer.Median > 0 ? Mine.Median / Peer.Median : 0.0);
    return 0;
}
