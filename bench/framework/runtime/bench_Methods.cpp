// One message through a control's replaceable window procedure with two hooks
// in front of it, the way every framework window handles every message: the
// window procedure copies WindowProc (a handler may free the control), each
// hook calls the value it replaced. The peer is the earlier shape, WindowProc
// as a std::function and each hook a lambda holding the one it replaced; the
// subject is TMethod (object and member) with hooks that keep a TMethod.
// "allocs" is the number of heap allocations per message (goal: 0).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <new>

#include "framework/runtime/Methods.h"

namespace {

std::atomic<long> Allocations{0};

}  // namespace

// Counts every allocation of the program (this benchmark's own process).
void* operator new(std::size_t Size)
{
    Allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(Size ? Size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* P) noexcept
{
    std::free(P);
}
void operator delete(void* P, std::size_t) noexcept
{
    std::free(P);
}

namespace {

// The message record: the platform's four words.
struct TBenchMessage {
    unsigned Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

// A control: a virtual window procedure that does a little work.
class TBenchControl {
public:
    virtual ~TBenchControl() = default;
    virtual void WndProc(TBenchMessage& M) { M.Result += M.Msg + static_cast<std::intptr_t>(M.WParam); }
};

// --- The earlier shape -----------------------------------------------------
struct TFunctionControl : TBenchControl {
    std::function<void(TBenchMessage&)> WindowProc = [this](TBenchMessage& M) { WndProc(M); };
};

void HookWithFunction(TFunctionControl& Control, long& Seen)
{
    std::function<void(TBenchMessage&)> old = Control.WindowProc;
    Control.WindowProc = [old, &Seen](TBenchMessage& M) {
        ++Seen;
        old(M);
    };
}

void BM_TwoHooks_StdFunction(benchmark::State& State)
{
    TFunctionControl Control;
    long Seen = 0;
    HookWithFunction(Control, Seen);
    HookWithFunction(Control, Seen);
    TBenchMessage M{0x0200, 1, 2, 0};
    long Before = Allocations.load();
    for (auto _ : State) {
        std::function<void(TBenchMessage&)> proc = Control.WindowProc;  // the window procedure's copy
        proc(M);
        benchmark::DoNotOptimize(M.Result);
    }
    State.counters["allocs"] =
        benchmark::Counter(static_cast<double>(Allocations.load() - Before), benchmark::Counter::kAvgIterations);
    benchmark::DoNotOptimize(Seen);
}
BENCHMARK(BM_TwoHooks_StdFunction);

// --- Object and member -----------------------------------------------------
using TBenchMethod = TMethod<void(TBenchMessage&)>;

struct TMethodControl : TBenchControl {
    TBenchMethod WindowProc = TBenchMethod::Of<&TBenchControl::WndProc>(static_cast<TBenchControl*>(this));
};

// What a hook keeps (as TWindowHook does): the value it replaced.
class TBenchHook {
public:
    void Hook(TMethodControl& Control)
    {
        FPrevious = Control.WindowProc;
        Control.WindowProc = TBenchMethod::Of<&TBenchHook::HookProc>(this);
    }
    long Seen = 0;

private:
    void HookProc(TBenchMessage& M)
    {
        ++Seen;
        TBenchMethod previous = FPrevious;
        previous(M);
    }
    TBenchMethod FPrevious;
};

void BM_TwoHooks_Method(benchmark::State& State)
{
    TMethodControl Control;
    TBenchHook First, Second;
    First.Hook(Control);
    Second.Hook(Control);
    TBenchMessage M{0x0200, 1, 2, 0};
    long Before = Allocations.load();
    for (auto _ : State) {
        TBenchMethod proc = Control.WindowProc;  // the window procedure's copy
        proc(M);
        benchmark::DoNotOptimize(M.Result);
    }
    State.counters["allocs"] =
        benchmark::Counter(static_cast<double>(Allocations.load() - Before), benchmark::Counter::kAvgIterations);
    benchmark::DoNotOptimize(First.Seen + Second.Seen);
}
BENCHMARK(BM_TwoHooks_Method);

}  // namespace
