// The blend, merge and combine rows and the bitmap-wide fills on 24
// megapixels (6000 x 4000), each variant of the bound routines, against
// pixman's OVER on the same pixels (and pixman's solid fill and solid OVER
// for the fills).
//
// Two kinds of pixels: "random" (every channel and alpha uniform) and
// "photo" (runs of opaque, transparent and translucent pixels, the way
// layers and drawn objects look: 60 % opaque, 20 % transparent).
// The "cached" rows blend the first 166 rows only (4 MB a buffer, inside
// the last-level cache), to show the arithmetic apart from memory speed.
#include <benchmark/benchmark.h>

#include <pixman.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Bindings.h"

namespace {

constexpr Integer W = 6000;
constexpr Integer H = 4000;
constexpr Integer Pixels = W * H;

struct TAlignedFree {
    void operator()(TColor32* P) const { ::operator delete(P, std::align_val_t(64)); }
};
using TBuffer = std::unique_ptr<TColor32, TAlignedFree>;

TBuffer NewBuffer()
{
    return TBuffer(static_cast<TColor32*>(::operator new(size_t(Pixels) * 4, std::align_val_t(64))));
}

enum TKind { kRandom, kPhoto };

void FillPixels(TColor32* P, TKind Kind, unsigned Seed)
{
    std::mt19937 Rng(Seed);
    if (Kind == kRandom) {
        for (Integer i = 0; i < Pixels; ++i) P[i] = Rng();
        return;
    }
    Integer i = 0;
    while (i < Pixels) {
        Integer Run = 1 + Rng() % 64;
        unsigned Class = Rng() % 10;
        for (Integer k = 0; k < Run && i < Pixels; ++k, ++i) {
            TColor32 C = Rng();
            P[i] = Class < 6 ? (C | 0xFF000000) : Class < 8 ? (C & 0x00FFFFFF) : C;
        }
    }
}

// The source and the pristine background of one kind, made once.
struct TData {
    TBuffer Src = NewBuffer();
    TBuffer Background = NewBuffer();
    TBuffer Dst = NewBuffer();
    explicit TData(TKind Kind)
    {
        FillPixels(Src.get(), Kind, 1);
        FillPixels(Background.get(), Kind, 2);
    }
    void Reset(benchmark::State& State, Integer Rows = H)
    {
        State.PauseTiming();
        std::memcpy(Dst.get(), Background.get(), size_t(Rows) * W * 4);
        State.ResumeTiming();
    }
};

TData& Data(TKind Kind)
{
    static TData Random(kRandom), Photo(kPhoto);
    return Kind == kRandom ? Random : Photo;
}

struct TVariantSet {
    const char* Name;
    TCPUFeatures Features;
};

std::vector<TVariantSet> Variants()
{
    std::vector<TVariantSet> V{{"reference", NoCpuFeatures}};
    if (CpuSupports(ciSSE2)) V.push_back({"SSE2", CpuFeature(ciSSE2)});
    if (CpuSupports(ciSSE2) && CpuSupports(ciAVX2)) V.push_back({"AVX2", CpuFeature(ciSSE2) | CpuFeature(ciAVX2)});
    return V;
}

void Finish(benchmark::State& State, Integer Rows = H)
{
    State.SetItemsProcessed(State.iterations() * Int64(Rows) * W);
    State.SetBytesProcessed(State.iterations() * Int64(Rows) * W * 4);
}

// One row routine over every row of the picture, as a bitmap draw calls it.
template <class F>
void RowBench(benchmark::State& State, TVariantSet Set, TKind Kind, Integer Rows, F Call)
{
    BindForCpuFeatures(Set.Features);
    TData& D = Data(Kind);
    for (auto _ : State) {
        D.Reset(State, Rows);
        for (Integer Y = 0; Y < Rows; ++Y) Call(D.Src.get() + Y * W, D.Dst.get() + Y * W, W);
        benchmark::DoNotOptimize(D.Dst.get()[Rows * W - 1]);
    }
    Finish(State, Rows);
    BindForProcessor();
}

void PixmanOver(benchmark::State& State, TKind Kind, Integer Rows)
{
    TData& D = Data(Kind);
    pixman_image_t* Src = pixman_image_create_bits(PIXMAN_a8r8g8b8, W, Rows, D.Src.get(), W * 4);
    pixman_image_t* Dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, W, Rows, D.Dst.get(), W * 4);
    for (auto _ : State) {
        D.Reset(State, Rows);
        pixman_image_composite32(PIXMAN_OP_OVER, Src, nullptr, Dst, 0, 0, 0, 0, 0, 0, W, Rows);
        benchmark::DoNotOptimize(D.Dst.get()[Rows * W - 1]);
    }
    pixman_image_unref(Src);
    pixman_image_unref(Dst);
    Finish(State, Rows);
}

// Bitmap-wide fills through the bitmap.
template <class F>
void BitmapBench(benchmark::State& State, TVariantSet Set, TCombineMode Mode, F Call)
{
    BindForCpuFeatures(Set.Features);
    TCustomBitmap32 B;
    B.SetSize(W, H);
    B.SetCombineMode(Mode);
    for (auto _ : State) {
        State.PauseTiming();
        std::memcpy(B.Bits(), Data(kPhoto).Background.get(), size_t(Pixels) * 4);
        State.ResumeTiming();
        Call(B);
        benchmark::DoNotOptimize(B.Bits()[Pixels - 1]);
    }
    Finish(State);
    BindForProcessor();
}

void PixmanFill(benchmark::State& State)
{
    TData& D = Data(kPhoto);
    for (auto _ : State) {
        pixman_fill(reinterpret_cast<uint32_t*>(D.Dst.get()), W, 32, 0, 0, W, H, 0xFF336699);
        benchmark::DoNotOptimize(D.Dst.get()[Pixels - 1]);
    }
    Finish(State);
}

void PixmanSolidOver(benchmark::State& State)
{
    TData& D = Data(kPhoto);
    // 0x80336699 as a premultiplied colour, 16 bits a channel.
    pixman_color_t Color{0x3333 / 2, 0x6666 / 2, 0x9999 / 2, 0x8080};
    pixman_image_t* Src = pixman_image_create_solid_fill(&Color);
    pixman_image_t* Dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, W, H, D.Dst.get(), W * 4);
    for (auto _ : State) {
        D.Reset(State);
        pixman_image_composite32(PIXMAN_OP_OVER, Src, nullptr, Dst, 0, 0, 0, 0, 0, 0, W, H);
        benchmark::DoNotOptimize(D.Dst.get()[Pixels - 1]);
    }
    pixman_image_unref(Src);
    pixman_image_unref(Dst);
    Finish(State);
}

int RegisterAll()
{
    const std::pair<TKind, const char*> Kinds[] = {{kRandom, "random"}, {kPhoto, "photo"}};
    for (auto [Kind, KindName] : Kinds) {
        std::string K = KindName;
        benchmark::RegisterBenchmark(("PixmanOver/" + K).c_str(), PixmanOver, Kind, H)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("PixmanOver/cached/" + K).c_str(), PixmanOver, Kind, 1000 / 6)
            ->Unit(benchmark::kMicrosecond);
        for (TVariantSet Set : Variants()) {
            std::string S = std::string("/") + Set.Name + "/" + K;
            benchmark::RegisterBenchmark(("BlendRow" + S).c_str(), [=](benchmark::State& St) {
                RowBench(St, Set, Kind, H, [](const TColor32* Src, TColor32* Dst, Integer N) { BlendRow(Src, Dst, N); });
            })->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("BlendRow/cached" + S).c_str(), [=](benchmark::State& St) {
                RowBench(St, Set, Kind, 1000 / 6,
                         [](const TColor32* Src, TColor32* Dst, Integer N) { BlendRow(Src, Dst, N); });
            })->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(("BlendRowMaster" + S).c_str(), [=](benchmark::State& St) {
                RowBench(St, Set, Kind, H,
                         [](const TColor32* Src, TColor32* Dst, Integer N) { BlendRowMaster(Src, Dst, N, 200); });
            })->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("MergeRow" + S).c_str(), [=](benchmark::State& St) {
                RowBench(St, Set, Kind, H, [](const TColor32* Src, TColor32* Dst, Integer N) { MergeRow(Src, Dst, N); });
            })->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("CombineRow" + S).c_str(), [=](benchmark::State& St) {
                RowBench(St, Set, Kind, H,
                         [](const TColor32* Src, TColor32* Dst, Integer N) { CombineRow(Src, Dst, N, 128); });
            })->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RegisterBenchmark("PixmanFill", PixmanFill)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PixmanSolidOver", PixmanSolidOver)->Unit(benchmark::kMillisecond);
    for (TVariantSet Set : Variants()) {
        std::string S = std::string("/") + Set.Name;
        benchmark::RegisterBenchmark(("BitmapClear" + S).c_str(), [=](benchmark::State& St) {
            BitmapBench(St, Set, cmBlend, [](TCustomBitmap32& B) { B.Clear(0xFF336699); });
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BitmapFillRectT/blend" + S).c_str(), [=](benchmark::State& St) {
            BitmapBench(St, Set, cmBlend, [](TCustomBitmap32& B) { B.FillRectT(0, 0, W, H, 0x80336699); });
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BitmapFillRectT/merge" + S).c_str(), [=](benchmark::State& St) {
            BitmapBench(St, Set, cmMerge, [](TCustomBitmap32& B) { B.FillRectT(0, 0, W, H, 0x80336699); });
        })->Unit(benchmark::kMillisecond);
    }
    return 0;
}

const int GRegistered = RegisterAll();

}  // namespace
