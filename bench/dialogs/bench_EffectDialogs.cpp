// The preview of the directional, multi-parameter and colour adjustment
// dialogs on a 12-megapixel picture (4000 x 3000), timed by this program
// (there is no Google Benchmark for the Windows builds): run under Wine by
// scripts/bench-effect-dialogs.sh.
//   bench_EffectDialogs [REPEATS]
// Each dialog is shown over the document in its effect run; one step is the
// dialog's own recomputation (the document's effect from the run's copy,
// then the composition of the view bitmap), as after a slider release. The
// baseline, in the same run: copying the picture once, which every preview
// does at least (it starts again from the run's copy). Goal: under 300 ms.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "TestStartup.h"
#include "WinTiming.h"
#include "dialogs/win/ImageColorAdjust.h"
#include "dialogs/win/ImageDirection.h"
#include "dialogs/win/ImageEffects.h"
#include "document/BenchDocument.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/Forms.h"
#include "skin/controls/win/SkinTrackBars.h"
#include "skin/model/win/SFKernels_Win.h"
#include "skin/model/win/SFSkinData_Win.h"

namespace {

void Pump()
{
    MSG M;
    while (PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&M);
        DispatchMessageW(&M);
    }
}

struct TCase {
    const char* Name;
    TEffectMode Mode;
    // Makes the dialog over the document in its effect run, with values set.
    std::function<TForm*(TImageDraw&, TRow&)> Make;
    std::function<void(TForm&)> Preview;
};

template <class T>
void Recompute(TForm& F)
{
    static_cast<T&>(F).Preview().DoPreview();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    InstallTestProgram();
    InstallImageDrawHooks();
    InstallSkinKernelsWin();
    InstallSkinDataWin();
    // The program's globals over a data folder of the benchmark's own.
    wchar_t Temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, Temp);
    const String Data = String(reinterpret_cast<const char16_t*>(Temp)) + u"lm_bench_dialogs\\";
    ForceDirectories(Data);
    InitGlobals(u"LumatraStd", 5, Data);
    LoadLangTable();
    const int Repeats = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
    constexpr Integer W = 4000, H = 3000;

    TOffscreenView View(0, 0);
    TImageDraw Doc(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, nullptr, W, H, 0xC0A080,
                   false, 24);
    TDataTable UndoDT, ActionDT;
    Doc.SetUndoDT(&UndoDT);
    Doc.SetActionDT(&ActionDT);
    Doc.InitBitmap();
    FillBands(Doc, W, H);
    Doc.SaveUndoFirst();

    // Settings row 2 as a fresh installation keeps it, with a colour blend chosen.
    TRow Settings;
    Settings.Init(String(49, u','), u',');
    for (auto [Cell, Value] : {std::pair{25, 120}, {26, 12}, {27, 9}, {28, 12}, {29, 1}, {30, 15}, {31, 15},
                               {0, 200}, {46, 60}, {47, 0x3060F0}, {48, 3}})
        Settings.GetItem(Cell)->SetValue(Value);

    auto Direction = [](TImageDraw& D, TRow& S) -> TForm* { return new TfrmImageDirection(nullptr, nullptr, D, S); };
    auto Effects = [](TImageDraw& D, TRow& S) -> TForm* {
        return new TfrmImageEffects(nullptr, nullptr, D, S, nullptr);
    };
    auto Adjust = [](TImageDraw& D, TRow&) -> TForm* {
        auto* F = new TfrmImageColorAdjust(nullptr, nullptr, D, nullptr);
        using A = TfrmImageColorAdjust;
        for (auto [Which, Value] : {std::pair{A::adHue, 30}, {A::adSaturation, 20}, {A::adLightness, 10},
                                    {A::adBrightness, 15}, {A::adContrast, 20}, {A::adRed, 25}})
            F->Sliders[Which]->SetValue(Value);
        return F;
    };
    const TCase Cases[] = {
        {"fade", emFade, Direction, Recompute<TfrmImageDirection>},
        {"torn edge", emTorn, Direction, Recompute<TfrmImageDirection>},
        {"bevel", emBevel, Direction, Recompute<TfrmImageDirection>},
        {"monochrome", emMonochrome, Effects, Recompute<TfrmImageEffects>},
        {"lomo", emLomo, Effects, Recompute<TfrmImageEffects>},
        {"glow", emGlow, Effects, Recompute<TfrmImageEffects>},
        {"old photo", emOldPhoto, Effects, Recompute<TfrmImageEffects>},
        {"elegant", emElegant, Effects, Recompute<TfrmImageEffects>},
        {"colour blend", emBlendMode, Effects, Recompute<TfrmImageEffects>},
        {"colour adjustment", emColorAdjust, Adjust, Recompute<TfrmImageColorAdjust>},
    };

    TCustomBitmap32 Copy;
    const auto [BaseMedian, BaseFastest] = TimeRepeats(Repeats, [&] { Copy.Assign(Doc.SrcBmp()); });
    std::printf("effect dialog previews on a %d x %d picture, %d repeats (ms: median / fastest; goal 300)\n", W, H,
                Repeats);
    std::printf("  %-18s %8.2f / %8.2f   (baseline: one copy of the picture)\n", "copy", BaseMedian, BaseFastest);
    std::fflush(stdout);
    for (const TCase& C : Cases) {
        Doc.SetEffectMode(C.Mode);
        Doc.EffectBegin();
        TForm* F = C.Make(Doc, Settings);
        F->SetBounds(20, 20, F->Width(), F->Height());
        F->Show();
        Pump();
        const auto [Median, Fastest] = TimeRepeats(Repeats, [&] { C.Preview(*F); });
        std::printf("  %-18s %8.2f / %8.2f   ratio to copy %.1f\n", C.Name, Median, Fastest,
                    BaseMedian > 0 ? Median / BaseMedian : 0.0);
        std::fflush(stdout);
        delete F;
        Pump();
        Doc.EffectEnd(false);
        Doc.SetEffectMode(emNone);
    }
    DoneGlobals();
    return 0;
}
