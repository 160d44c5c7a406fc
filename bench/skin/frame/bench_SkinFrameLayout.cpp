// One step of a live resize of a skinned form, the part that needs no window:
// the frame geometry and object places for the new size, the mask cut into its
// four strips and their region data, and the four border strips of the frame
// picture (what the painter then copies to the screen). Sizes 800 x 600,
// 1920 x 1080 and 3840 x 2160 (the goal is under 8 ms at 1920 x 1080). The
// baseline fills the same four strips once: the least a painter can do.
#include <benchmark/benchmark.h>

#include "skin/frame/SkinFrameGeometry.h"
#include "skin/model/SFKernels.h"
#include "skin/model/SFSkinImage.h"

namespace {

// A frame picture of the built-in skin's make-up: 240 x 180, a 30-pixel top,
// 4-pixel sides and bottom, a mask with rounded top corners.
struct TBenchSkin : TsfSkinContent {
    TBenchSkin()
    {
        InstallSkinKernels();
        FPicture.Allocate(240, 180, pf24bit);
        for (size_t i = 0; i < FPicture.Bits.size(); ++i) FPicture.Bits[i] = static_cast<uint8_t>(i * 13);
        FMask.Allocate(240, 180, pf24bit);
        for (Integer y = 0; y < 4; ++y)
            for (Integer x = 0; x < 4 - y; ++x)
                for (Integer xx : {x, 239 - x}) std::fill_n(FMask.ScanLine(y) + xx * 3, 3, uint8_t(255));
        LTPoint = {40, 30};
        RTPoint = {120, 30};
        LBPoint = {20, 176};
        RBPoint = {220, 176};
        ClRect = MaskRectArea = {4, 30, 236, 176};
        CaptionRect = {6, 5, 130, 25};
        ButtonsRect = {140, 5, 234, 25};
        ButtonsOffset = 2;
        TopStretch = LeftStretch = RightStretch = BottomStretch = true;
    }
};

struct TObjects {
    std::vector<TsfFrameObjectPlace> Places;
    TsfFrameObjectList List;
    TObjects()
    {
        const TStdCommand Commands[] = {cmClose, cmMaximize, cmMinimize, cmSysMenu};
        for (TStdCommand C : Commands) {
            TsfFrameObjectPlace B;
            B.Kind = TsfFrameObjectKind::StdButton;
            B.Command = C;
            B.SkinRect = {0, 0, 20, 20};
            Places.push_back(B);
        }
        TsfFrameObjectPlace Caption;
        Caption.Kind = TsfFrameObjectKind::Caption;
        Caption.SkinRect = {6, 5, 130, 25};
        Places.push_back(Caption);
        for (auto& P : Places) List.push_back(&P);
    }
};

void BM_SkinFrameLayoutStep(benchmark::State& State)
{
    static TBenchSkin Skin;
    TObjects Objects;
    TsfFrameGeometry G;
    G.SetSkin(&Skin);
    const Integer W = static_cast<Integer>(State.range(0)), H = static_cast<Integer>(State.range(1));
    const TsfBitmap& Src = G.FramePicture();
    TsfBitmap Left, Top, Right, Bottom;
    std::vector<uint8_t> Rgn;
    for (auto _ : State) {
        G.FormWidth = W;
        G.FormHeight = H;
        G.CalcFrameRects();
        G.CalcObjectRects(Objects.List);
        G.UpdateMask();
        size_t Bytes = 0;
        for (const auto& S : G.MaskStripPlaces()) Bytes += MaskToRgnData(S.Strip, S.X, S.Y, Rgn);
        CreateSkinBorderImages(Skin.LTPoint, Skin.RTPoint, Skin.LBPoint, Skin.RBPoint, Skin.ClRect, G.NewLTPoint,
                               G.NewRTPoint, G.NewLBPoint, G.NewRBPoint, G.NewClRect, &Left, &Top, &Right, &Bottom,
                               &Src, {0, 0, 240, 180}, W, H, true, true, true, true);
        benchmark::DoNotOptimize(Bytes);
        benchmark::DoNotOptimize(Top.Bits());
    }
    State.SetLabel(std::to_string(W) + "x" + std::to_string(H));
}
BENCHMARK(BM_SkinFrameLayoutStep)->Args({800, 600})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

void BM_FillStripsBaseline(benchmark::State& State)
{
    const Integer W = static_cast<Integer>(State.range(0)), H = static_cast<Integer>(State.range(1));
    TsfBitmap Left, Top, Right, Bottom;
    Top.SetSize(W, 30);
    Bottom.SetSize(W, 4);
    Left.SetSize(4, H - 34);
    Right.SetSize(4, H - 34);
    for (auto _ : State)
        for (TsfBitmap* B : {&Left, &Top, &Right, &Bottom}) {
            B->FillRect({0, 0, B->Width(), B->Height()}, 0xFF808080u);
            benchmark::DoNotOptimize(B->Bits());
        }
}
BENCHMARK(BM_FillStripsBaseline)->Args({800, 600})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

} // namespace
