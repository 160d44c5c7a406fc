// Repainting the editor's view: a 4K viewport (3840 x 2160) showing a
// 30-megapixel picture (6708 x 4472) at 100 % and at 12.5 % (and at the
// zoom limits, 1600 % and 1 %), after a 10 x 10
// change of the picture and after a full change (what zooming and scrolling
// cause). The view is driven as the image control drives it in rmOptimizer,
// without a window: the change goes through the control mapping to the
// micro-tile optimiser, the optimiser yields the invalid rectangles, and the
// paint stages (background, picture through the nearest resampler, the
// document's control layer) redraw the back buffer inside them. Copying the
// buffer to the screen (one BitBlt per rectangle) is not part of it.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "Component/Raster32/Ras32_ImageCore.h"
#include "Component/Raster32/Ras32_RepaintOpt.h"
#include "Component/Raster32/Ras32_Resamplers.h"

namespace {

constexpr Integer ViewW = 3840, ViewH = 2160, Oversize = 40;
constexpr Integer PicW = 6708, PicH = 4472;

TCustomBitmap32& Picture()
{
    static std::unique_ptr<TCustomBitmap32> Pic = [] {
        auto B = std::make_unique<TCustomBitmap32>();
        B->SetSize(PicW, PicH);
        for (Integer Y = 0; Y < PicH; ++Y) {
            TColor32* Row = B->GetRowPtr(Y);
            for (Integer X = 0; X < PicW; ++X)
                Row[X] = 0xFF000000u | static_cast<TColor32>((X * 7) & 0xFF) << 16 |
                         static_cast<TColor32>((Y * 5) & 0xFF) << 8 | static_cast<TColor32>((X ^ Y) & 0xFF);
        }
        B->SetResamplerClassName(u"TNearestResampler");
        return B;
    }();
    return *Pic;
}

// The document's control layer: a selection frame with eight handles.
struct THandlesLayer : TPositionedLayer {
    using TPositionedLayer::TPositionedLayer;
    TRect Frame{1000, 600, 1600, 1000};
    void PaintLayer(TCustomBitmap32* Buffer) override
    {
        Buffer->FrameRectS(Frame, 0xFF0078D7);
        Integer MidX = (Frame.Left + Frame.Right) / 2, MidY = (Frame.Top + Frame.Bottom) / 2;
        for (TPoint P : {TPoint{Frame.Left, Frame.Top}, TPoint{MidX, Frame.Top}, TPoint{Frame.Right, Frame.Top},
                         TPoint{Frame.Left, MidY}, TPoint{Frame.Right, MidY}, TPoint{Frame.Left, Frame.Bottom},
                         TPoint{MidX, Frame.Bottom}, TPoint{Frame.Right, Frame.Bottom}})
            Buffer->FillRectS(P.X - 4, P.Y - 4, P.X + 5, P.Y + 5, 0xFFFFFFFF);
    }
};

// An image view in rmOptimizer without its window.
struct THeadlessView {
    TCustomBitmap32 Buffer;
    TRectList Rects;
    std::unique_ptr<TMicroTilesRepaintOptimizer> Opt;
    TLayerCollection Layers{nullptr};
    TImageMapping Map;
    std::vector<TStageRun> Runs;
    TRect Viewport{0, 0, ViewW, ViewH};

    explicit THeadlessView(Single Scale)
    {
        TCustomBitmap32& Pic = Picture();
        Buffer.SetSize(ViewW + Oversize, ViewH + Oversize);
        Opt = std::make_unique<TMicroTilesRepaintOptimizer>(&Buffer, &Rects);
        Layers.Add<THandlesLayer>()->SetLayerOptions(LOB_VISIBLE);
        Opt->RegisterLayerCollection(&Layers);
        Opt->SetEnabled(true);
        // The adaptive levels follow the clock; measured here is the exact
        // micro-tile path they start from and come back to.
        Opt->SetAdaptiveMode(false);

        // Centred on the middle of the picture, as the editor shows a new one.
        TBitmapPlacement P;
        P.ScaleMode = smScale;
        P.ScaleX = P.ScaleY = Scale;
        P.Align = baCustom;
        TSize Shown = GetBitmapSize(P, {PicW, PicH}, {ViewW, ViewH}, {ViewW, ViewH});
        auto Centre = [](Integer View, Integer Length) {
            Single Position = static_cast<Single>(Length - View) / 2;
            return ScrollOffset(View, Length, 0, Position > 0 ? Position : 0, true);
        };
        P.OffsetHorz = Centre(ViewW, Shown.cx);
        P.OffsetVert = Centre(ViewH, Shown.cy);
        Map.Assign(GetBitmapRect(P, {PicW, PicH}, {ViewW, ViewH}, {ViewW, ViewH}), {PicW, PicH});

        TCustomBitmap32* PicPtr = &Pic;
        Runs.push_back({[this, PicPtr](TCustomBitmap32* D, Integer) {
                            ClearBackgroundStage(D, 0xFFF0F0F0, PicPtr, Map.BitmapRect, false, &Rects, ViewW, ViewH);
                        },
                        0});
        Runs.push_back({[this, PicPtr](TCustomBitmap32* D, Integer) { DrawBitmapStage(D, PicPtr, Map.BitmapRect, false); },
                        2});
        Runs.push_back({[this](TCustomBitmap32* D, Integer) { DrawLayersStage(D, &Layers, LOB_VISIBLE); }, 4});
        // The first paint is a forced full one: no rectangles at all.
        Opt->BeginPaintBuffer();
        RunPaintStages(&Buffer, Runs, &Rects, Viewport);
        Opt->EndPaintBuffer();
    }
    ~THeadlessView() { Opt->UnregisterLayerCollection(&Layers); }

    // A changed area of the picture, as the image control reports it.
    void PictureChanged(const TRect& Area)
    {
        BitmapAreaToControlRects(Map, Area, AreaInfoRect, Picture().Resampler()->Width(), false,
                                 {Buffer.Width(), Buffer.Height()},
                                 [this](const TRect& R) { Opt->AreaUpdateHandler(nullptr, R, AreaInfoRect); });
    }
    // What zooming or scrolling does: everything is invalid.
    void EverythingChanged() { Opt->Reset(); }

    // One repaint of the buffer; the number of pixels redrawn.
    Int64 Repaint()
    {
        Rects.Clear();
        if (Opt->UpdatesAvailable()) Opt->PerformOptimization();
        Opt->BeginPaintBuffer();
        RunPaintStages(&Buffer, Runs, &Rects, Viewport);
        Opt->EndPaintBuffer();
        Int64 Pixels = 0;
        for (Integer I = 0; I < Rects.Count(); ++I) Pixels += Int64{Rects[I]->Width()} * Rects[I]->Height();
        return Rects.Count() == 0 ? Int64{ViewW} * ViewH : Pixels;
    }
};

void BM_ViewRepaint(benchmark::State& State)
{
    // 12 stands for 12.5 %.
    Single Scale = State.range(0) == 12 ? 0.125f : static_cast<Single>(State.range(0)) / 100;
    bool Small = State.range(1) == 0;
    THeadlessView View(Scale);
    // The middle of the picture: on screen at both scales.
    TRect Change{PicW / 2, PicH / 2, PicW / 2 + 10, PicH / 2 + 10};
    Int64 Pixels = 0, Rects = 0;
    for (auto _ : State) {
        if (Small) View.PictureChanged(Change);
        else View.EverythingChanged();
        Pixels += View.Repaint();
        Rects += View.Rects.Count();
        benchmark::DoNotOptimize(View.Buffer.Bits());
    }
    State.counters["pixels"] = benchmark::Counter(static_cast<double>(Pixels), benchmark::Counter::kAvgIterations);
    State.counters["rects"] = benchmark::Counter(static_cast<double>(Rects), benchmark::Counter::kAvgIterations);
    State.SetLabel(Small ? "after a 10x10 change" : "after a full change");
}

BENCHMARK(BM_ViewRepaint)
    ->ArgNames({"scale", "full"})
    ->Args({100, 0})
    ->Args({100, 1})
    ->Args({12, 0})
    ->Args({12, 1})
    ->Args({1600, 0})
    ->Args({1600, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

// The optimiser alone: collecting a 10 x 10 change into rectangles on the 4K grid.
void BM_OptimiseSmallChange(benchmark::State& State)
{
    THeadlessView View(1.0f);
    TRect Change{PicW / 2, PicH / 2, PicW / 2 + 10, PicH / 2 + 10};
    for (auto _ : State) {
        View.PictureChanged(Change);
        View.Rects.Clear();
        if (View.Opt->UpdatesAvailable()) View.Opt->PerformOptimization();
        View.Opt->BeginPaintBuffer();
        View.Opt->EndPaintBuffer();
        benchmark::DoNotOptimize(View.Rects.Count());
    }
}
BENCHMARK(BM_OptimiseSmallChange)->Unit(benchmark::kMicrosecond);

}  // namespace
