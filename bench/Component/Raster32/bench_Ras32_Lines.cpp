// Anti-aliased lines: 100,000 lines of random direction and length up to
// 200 pixels on a 2000 x 2000 bitmap, per iteration. The integer form
// (LineAS, two gamma-weighted pixels per step) by both combine modes, and the
// sub-pixel form (LineFS, four plots per pixel of length) for comparison.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "Component/Raster32/Ras32.h"

namespace {

constexpr Integer Size = 2000;
constexpr Integer Lines = 100000;

struct TLine {
    Single X1, Y1, X2, Y2;
};

// Fixed lines, the same in every run: a start anywhere on the bitmap, a
// direction and a length of 1 to 200 pixels (some ends fall outside and are clipped).
const std::vector<TLine>& TestLines()
{
    static const std::vector<TLine> Result = [] {
        std::vector<TLine> L;
        UInt64 S = 0x2545F4914F6CDD1Dull;
        auto Next = [&S] {
            S ^= S << 13;
            S ^= S >> 7;
            S ^= S << 17;
            return static_cast<double>(S >> 11) / 9007199254740992.0;  // [0, 1)
        };
        for (Integer i = 0; i < Lines; ++i) {
            double X = Next() * Size, Y = Next() * Size, A = Next() * 6.283185307179586, Len = 1 + Next() * 199;
            L.push_back({static_cast<Single>(X), static_cast<Single>(Y), static_cast<Single>(X + Len * std::cos(A)),
                         static_cast<Single>(Y + Len * std::sin(A))});
        }
        return L;
    }();
    return Result;
}

Int64 PixelsAlong()
{
    Int64 N = 0;
    for (const TLine& L : TestLines())
        N += static_cast<Int64>(std::max(std::fabs(L.X2 - L.X1), std::fabs(L.Y2 - L.Y1)));
    return N;
}

void BM_LineAS(benchmark::State& State)
{
    TCustomBitmap32 B;
    B.SetSize(Size, Size);
    B.Clear(0xFFFFFFFF);
    B.SetCombineMode(State.range(0) ? cmMerge : cmBlend);
    const auto& Ls = TestLines();
    for (auto _ : State) {
        for (const TLine& L : Ls)
            B.LineAS(static_cast<Integer>(L.X1), static_cast<Integer>(L.Y1), static_cast<Integer>(L.X2),
                     static_cast<Integer>(L.Y2), 0xC0204080, true);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * Lines);
    State.counters["px/s"] = benchmark::Counter(static_cast<double>(PixelsAlong()) * State.iterations(),
                                                benchmark::Counter::kIsRate);
    State.SetLabel(State.range(0) ? "merge" : "blend");
}
BENCHMARK(BM_LineAS)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LineFS(benchmark::State& State)
{
    TCustomBitmap32 B;
    B.SetSize(Size, Size);
    B.Clear(0xFFFFFFFF);
    const auto& Ls = TestLines();
    for (auto _ : State) {
        for (const TLine& L : Ls) B.LineFS(L.X1, L.Y1, L.X2, L.Y2, 0xC0204080, true);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * Lines);
    State.counters["px/s"] = benchmark::Counter(static_cast<double>(PixelsAlong()) * State.iterations(),
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LineFS)->Unit(benchmark::kMillisecond);

}  // namespace
