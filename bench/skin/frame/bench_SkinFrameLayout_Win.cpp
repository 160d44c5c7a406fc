// One step of a live resize of a skinned form under Windows (a release win64
// build run under Wine): UpdateFrameLayout(True) (frame geometry, object
// places, the window region from the mask) and PaintNCSkin (the four border
// strips built and copied) for a form of the built-in skin at 800 x 600,
// 1920 x 1080 and 3840 x 2160 (the goal is under 8 ms at 1920 x 1080), beside
// copying the same strips' pixels once with BitBlt, the least a painter does.
// Prints the median and fastest of each.
//   wine bench_SkinFrameLayout_Win.exe [repeats]      (default 41)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "WinTiming.h"

#include "framework/controls/win/Forms.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/model/win/SFKernels_Win.h"

int wmain(int argc, wchar_t** argv)
{
    const int Repeats = argc > 1 ? std::max(1, _wtoi(argv[1])) : 41;
    InstallSkinKernelsWin();
    TsfSkinData Skin(nullptr);
    if (!Skin.LoadFromCompressedFile(u"" LM_BUILTIN_SKIN_DIR "/Rire.skn")) {
        std::printf("cannot load the built-in skin\n");
        return 1;
    }
    const int Sizes[][2] = {{800, 600}, {1920, 1080}, {3840, 2160}};
    for (const auto& S : Sizes) {
        TForm Form(nullptr);
        auto* C = new TsfSkinForm(&Form);
        C->SetSkinData(&Skin);
        Form.SetBounds(0, 0, S[0], S[1]);
        Form.HandleNeeded();
        // The platform keeps a window inside the screen's limits: the frame is laid out for the size itself.
        C->Geometry().FormWidth = S[0];
        C->Geometry().FormHeight = S[1];
        TBitmap Target(S[0], S[1]);
        const HDC DC = Target.Canvas()->Handle();
        const auto Step = TimeRepeats(Repeats, [&] {
            C->UpdateFrameLayout(true);
            C->PaintNCSkin(DC, true);
        });
        TBitmap Strips(S[0], S[1]);
        const auto Floor = TimeRepeats(Repeats, [&] {
            const HDC From = Strips.Canvas()->Handle();
            BitBlt(DC, 0, 0, S[0], 30, From, 0, 0, SRCCOPY);
            BitBlt(DC, 0, 30, 4, S[1] - 34, From, 0, 30, SRCCOPY);
            BitBlt(DC, S[0] - 4, 30, 4, S[1] - 34, From, 0, 30, SRCCOPY);
            BitBlt(DC, 0, S[1] - 4, S[0], 4, From, 0, 0, SRCCOPY);
            GdiFlush();
        });
        std::printf("%dx%d: layout and frame %.3f ms (fastest %.3f), strips copied %.3f ms (fastest %.3f)\n", S[0],
                    S[1], Step.first, Step.second, Floor.first, Floor.second);
    }
    return 0;
}
