// A slider's thumb dragged on a busy form, timed by this program (there is no
// Google Benchmark for the Windows builds): run under Wine by
// scripts/bench-skin-controls.sh.
//   bench_SkinSliderDrag [STEPS] [SKIN FILE]
// A form with a 300-pixel slider and 30 other skinned controls (scroll bars,
// track bars, up-downs and sliders, in the built-in look or the given skin);
// the thumb is dragged by STEPS mouse moves (default 300), each handled and
// painted at once, as the effect dialogs' sliders are. Reported: the time of
// a step, how often the slider painted and how often any of the 30 others
// did (a drag should repaint the slider only).
//
// The peer, in the same run on the same form: the form repainted whole once
// per step (what a drag that repainted its neighbours would cost).
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "TestStartup.h"
#include "WinTiming.h"
#include "framework/controls/win/Forms.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinTrackBars.h"
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

Integer OtherPaints = 0;

// One of the 30 neighbours: counts its paints.
template <class T>
class TCounted : public T {
public:
    using T::T;

protected:
    void Paint() override
    {
        ++OtherPaints;
        T::Paint();
    }
};

class TCountedSlider : public TsfSkinSlider {
public:
    using TsfSkinSlider::TsfSkinSlider;
    Integer Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TsfSkinSlider::Paint();
    }
};

void PumpAll()
{
    MSG M;
    while (PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&M);
        DispatchMessageW(&M);
    }
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
    Form.SetBounds(0, 0, 700, 420);
    auto* Slider = new TCountedSlider(&Form);
    Slider->SetParent(&Form);
    Slider->SetBounds(10, 10, 300, 40);
    Slider->SetMaxValue(1000);
    std::vector<IsfSkinnedControl*> All{Slider};
    for (Integer I = 0; I < 30; ++I) {
        const Integer X = 10 + (I % 3) * 220, Y = 70 + (I / 3) * 33;
        TsfSkinCustomControl* C = nullptr;
        switch (I % 4) {
        case 0: C = new TCounted<TsfSkinScrollBar>(&Form); break;
        case 1: C = new TCounted<TsfSkinTrackBar>(&Form); break;
        case 2: C = new TCounted<TsfSkinUpDown>(&Form); break;
        default: {
            auto* S = new TCounted<TsfSkinSlider>(&Form);
            S->SetParent(&Form);
            S->SetBounds(X, Y, 200, 30);
            All.push_back(S);
            continue;
        }
        }
        C->SetParent(&Form);
        C->SetBounds(X, Y, I % 4 == 2 ? 50 : 200, 20);
        All.push_back(C);
    }
    if (Skinned)
        for (IsfSkinnedControl* C : All) C->SetSkinData(&Skin);
    Form.Show();
    PumpAll();
    UpdateWindow(Form.Handle());
    PumpAll();

    // The drag: press on the thumb, then STEPS moves over the ruler and back.
    const TRect T = Slider->Core().ThumbRect();
    const Integer Y = (T.Top + T.Bottom) / 2;
    Integer X = T.Left + 2;
    SendMessageW(Slider->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    PumpAll();
    OtherPaints = 0;
    Slider->Paints = 0;
    Integer Changes = 0;
    Slider->OnChange = [&](TObject*) { ++Changes; };
    const TTimes Drag = Time(Steps, [&](Integer I) {
        X += (I / 140) % 2 == 0 ? 2 : -2;
        SendMessageW(Slider->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(X, Y));
        UpdateWindow(Form.Handle());
        UpdateWindow(Slider->Handle());
        PumpAll();
    });
    const Integer DragOthers = OtherPaints, DragSlider = Slider->Paints;
    SendMessageW(Slider->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    PumpAll();

    OtherPaints = 0;
    const TTimes Whole = Time(Steps, [&](Integer) {
        RedrawWindow(Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpAll();
    });
    std::printf("slider drag step (%s)   median %7.3f ms  fastest %7.3f ms  (%d steps, %d changes)\n",
                Skinned ? "skin" : "built-in look", Drag.Median, Drag.Fastest, Steps, Changes);
    std::printf("  paints during the drag: slider %d, the 30 other controls %d\n", DragSlider, DragOthers);
    std::printf("whole form repainted (peer) median %7.3f ms  fastest %7.3f ms  step/peer %.2f  (%d paints of the others)\n",
                Whole.Median, Whole.Fastest, Drag.Median / Whole.Median, OtherPaints);
    return DragOthers == 0 ? 0 : 1;
}
