// The paint bucket on 30 megapixels (6000 x 5000): the span flood
// (TImageDraw::FillDo) against the breadth-first flood it replaces
// (tests/document/FillReference.h: a point list and a visited byte per
// pixel), on the same picture with the same result, checked once before
// timing. The picture is a background scattered with 12000 discs, so the
// area clicked is one large, holed and winding region. Besides the time,
// each side reports the peak of the memory it allocated during the fill
// (counter extra_MB, from this program's own operator new), and the
// pixels it filled.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>

#include "../../tests/document/DocumentTestView.h"
#include "../../tests/document/FillReference.h"

// ---------------------------------------------------------------------------
// Allocation counting: every operator new of the program records its size.
namespace {
std::atomic<size_t> Allocated{0}, PeakAllocated{0};
constexpr size_t Header = 16;  // keeps the block aligned for any scalar

void* CountedNew(size_t Size)
{
    auto* P = static_cast<unsigned char*>(std::malloc(Size + Header));
    if (!P) throw std::bad_alloc();
    *reinterpret_cast<size_t*>(P) = Size;
    const size_t Now = Allocated.fetch_add(Size) + Size;
    size_t Peak = PeakAllocated.load();
    while (Now > Peak && !PeakAllocated.compare_exchange_weak(Peak, Now)) {
    }
    return P + Header;
}
void CountedDelete(void* Block) noexcept
{
    if (!Block) return;
    auto* P = static_cast<unsigned char*>(Block) - Header;
    Allocated.fetch_sub(*reinterpret_cast<size_t*>(P));
    std::free(P);
}
}  // namespace

void* operator new(size_t Size) { return CountedNew(Size); }
void* operator new[](size_t Size) { return CountedNew(Size); }
void operator delete(void* P) noexcept { CountedDelete(P); }
void operator delete[](void* P) noexcept { CountedDelete(P); }
void operator delete(void* P, size_t) noexcept { CountedDelete(P); }
void operator delete[](void* P, size_t) noexcept { CountedDelete(P); }

namespace {
constexpr Integer W = 6000, H = 5000;
constexpr TColor32 Background = 0xFFC0C8D0, Disc = 0xFF203040;
constexpr Integer SeedX = 0, SeedY = 0;

// Runs Fill and returns the peak of what it allocated beyond what was held
// when it began, in bytes.
template <class F>
size_t ExtraMemory(F&& Fill)
{
    const size_t Base = Allocated.load();
    PeakAllocated.store(Base);
    Fill();
    return PeakAllocated.load() - Base;
}

struct TFixture {
    TTestView View;
    std::unique_ptr<TImageDraw> Doc = NewBlankDocument(View, 1, 1, false);
    TCustomBitmap32 Picture, Work;
    Integer Filled = 0;
    bool Same = false;

    TFixture()
    {
        Picture.SetSize(W, H);
        Picture.Clear(Background);
        std::mt19937 Random(30);
        for (Integer i = 0; i < 12000; ++i) {
            const Integer CX = static_cast<Integer>(Random() % W), CY = static_cast<Integer>(Random() % H);
            const Integer R = 3 + static_cast<Integer>(Random() % 18);
            for (Integer y = std::max(0, CY - R); y <= std::min(H - 1, CY + R); ++y)
                for (Integer x = std::max(0, CX - R); x <= std::min(W - 1, CX + R); ++x)
                    if ((x - CX) * (x - CX) + (y - CY) * (y - CY) <= R * R) Picture.SetPixel(x, y, Disc);
        }
        Picture.SetPixel(SeedX, SeedY, Background);
        // The two sides agree on the pixels and on the list of points.
        TCustomBitmap32 Ours, Theirs;
        Ours.Assign(&Picture);
        Theirs.Assign(&Picture);
        TArrayOfPoint OurPoints, TheirPoints;
        Doc->SetFillSrcColor(Background);
        Doc->SetFillColor(0xFFFF0000);
        Doc->FillDo(&Ours, SeedX, SeedY, 10, &OurPoints, Filled);
        TheirPoints.resize(
            static_cast<size_t>(BreadthFirstFill(Theirs, SeedX, SeedY, Background, 0xFFFF0000, 10, TheirPoints)));
        Same = OurPoints == TheirPoints &&
               std::memcmp(Ours.Bits(), Theirs.Bits(), static_cast<size_t>(W) * H * sizeof(TColor32)) == 0;
        Work.SetSize(W, H);
    }
    void Reset() { std::memcpy(Work.Bits(), Picture.Bits(), static_cast<size_t>(W) * H * sizeof(TColor32)); }
};
TFixture& Fixture()
{
    static TFixture F;
    return F;
}

template <class F>
void Run(benchmark::State& State, F&& Fill)
{
    TFixture& X = Fixture();
    if (!X.Same) {
        State.SkipWithError("the span flood and the breadth-first flood disagree");
        return;
    }
    size_t Extra = 0;
    for (auto _ : State) {
        State.PauseTiming();
        X.Reset();
        State.ResumeTiming();
        Extra = std::max(Extra, ExtraMemory([&] { Fill(X); }));
    }
    State.counters["extra_MB"] = static_cast<double>(Extra) / (1 << 20);
    State.counters["filled_Mpx"] = X.Filled / 1e6;
}

// The fill colour stands apart from the clicked one: the recolouring marks
// what is done, no map is kept.
void BM_OursFill(benchmark::State& State)
{
    Run(State, [](TFixture& X) {
        X.Doc->SetFillSrcColor(Background);
        X.Doc->SetFillColor(0xFFFF0000);
        Integer Count = 0;
        X.Doc->FillDo(&X.Work, SeedX, SeedY, 10, nullptr, Count);
        benchmark::DoNotOptimize(Count);
    });
}
// The fill colour lies within the tolerance of the clicked one: one bit per
// pixel tells what is done.
void BM_OursFillSimilarColour(benchmark::State& State)
{
    Run(State, [](TFixture& X) {
        X.Doc->SetFillSrcColor(Background);
        X.Doc->SetFillColor(Background + 0x050505);
        Integer Count = 0;
        X.Doc->FillDo(&X.Work, SeedX, SeedY, 10, nullptr, Count);
        benchmark::DoNotOptimize(Count);
    });
}
void BM_BreadthFirstFill(benchmark::State& State)
{
    Run(State, [](TFixture& X) {
        TArrayOfPoint Points;
        benchmark::DoNotOptimize(BreadthFirstFill(X.Work, SeedX, SeedY, Background, 0xFFFF0000, 10, Points));
    });
}
}  // namespace

BENCHMARK(BM_OursFill)->Name("ours/flood_fill_30mp")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OursFillSimilarColour)->Name("ours/flood_fill_30mp_similar_colour")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BreadthFirstFill)->Name("breadth_first/flood_fill_30mp")->Unit(benchmark::kMillisecond)->UseRealTime();
