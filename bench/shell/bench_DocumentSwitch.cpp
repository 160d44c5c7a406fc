// Switching between two open 4000 x 3000 documents, as the strip does: the
// live one is stashed into a stream (the rasters uncompressed, picture
// objects deflated), freed, and the other is built again from its stream,
// with its undo and action tables, and drawn. Once with plain documents, once
// with 4 picture objects of 1024 x 768 on each. The peer is copying the two
// rasters' bytes: the floor of any stash that keeps them uncompressed.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "../../tests/document/DocumentTestView.h"

namespace {
constexpr Integer W = 4000, H = 3000;

// A photograph-like picture: smooth light with a little grain.
std::unique_ptr<TCustomBitmap32> Photo(Integer PW, Integer PH, unsigned Seed)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(PW, PH);
    std::mt19937 Random(Seed);
    for (Integer y = 0; y < PH; ++y) {
        TColor32* Row = B->GetRowPtr(y);
        for (Integer x = 0; x < PW; ++x) {
            const uint32_t g = Random() & 7;
            const uint32_t r = (x * 255 / PW + g) & 0xFF, gr = (y * 255 / PH + g) & 0xFF, b = ((x + y) / 28 + g) & 0xFF;
            Row[x] = 0xFF000000u | (r << 16) | (gr << 8) | b;
        }
    }
    return B;
}

struct TOpenDocs {
    TTestView View;
    std::unique_ptr<TImageDraw> Live;
    Integer LiveIndex = 0;
    std::unique_ptr<TMemoryStream> Stash[2];
    TDataTable Undo[2], Action[2];

    std::unique_ptr<TImageDraw> Build(Integer I, TCustomBitmap32* Picture)
    {
        TMemoryStream* S = Stash[I].get();
        if (S) S->SetPosition(0);
        auto D = std::make_unique<TImageDraw>(&View, Picture, nullptr, nullptr, nullptr, String(), 0, Picture != nullptr,
                                              false, S, W, H, 0xFFFFFF, false, 24);
        D->SetActionDT(&Action[I]);
        D->SetUndoDT(&Undo[I]);
        if (D->UndoCount() < 2) D->SaveUndoFirst();
        D->InitBitmap();
        D->Draw();
        return D;
    }
    explicit TOpenDocs(bool Objects)
    {
        for (Integer I = 0; I < 2; ++I) {
            auto Picture = Photo(W, H, 3 + I);
            Live = Build(I, Picture.get());
            if (Objects)
                for (Integer K = 0; K < 4; ++K) {
                    auto P = Photo(1024, 768, 10 + K);
                    Live->Paste(600 + K * 800, 800 + K * 400, P.get(), false, true);
                }
            Live->SetChangedFlag(true);  // a modified document keeps its stream
            Live->SaveToStream(Stash[I]);
            Live.reset();
        }
        LiveIndex = 0;
        Live = Build(0, nullptr);
    }
    // The strip's switch to the other document.
    void Switch()
    {
        Live->SaveToStream(Stash[LiveIndex]);
        Live.reset();
        LiveIndex = 1 - LiveIndex;
        Live = Build(LiveIndex, nullptr);
    }
};

void BM_SwitchDocuments(benchmark::State& State)
{
    TOpenDocs Docs(State.range(0) != 0);
    for (auto _ : State) Docs.Switch();
    State.counters["stash_MB"] = static_cast<double>(Docs.Stash[1 - Docs.LiveIndex]->Size()) / 1e6;
    State.counters["objects"] = Docs.Live->DT()->ItemCount();
}
BENCHMARK(BM_SwitchDocuments)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_CopyRasters(benchmark::State& State)
{
    auto A = Photo(W, H, 3), B = Photo(W, H, 4);
    TCustomBitmap32 Copy;
    Copy.SetSize(W, H);
    const size_t Bytes = size_t(W) * H * sizeof(TColor32);
    for (auto _ : State) {
        std::memcpy(Copy.GetRowPtr(0), A->GetRowPtr(0), Bytes);
        std::memcpy(Copy.GetRowPtr(0), B->GetRowPtr(0), Bytes);
        benchmark::DoNotOptimize(Copy.GetRowPtr(0));
    }
}
BENCHMARK(BM_CopyRasters)->Unit(benchmark::kMillisecond)->Iterations(6);
}  // namespace
