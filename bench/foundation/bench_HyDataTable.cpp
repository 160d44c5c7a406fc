// The table store at the size of a large preset or gallery table: 10,000 rows
// of 20 cells. Goals: text round trip under 100 ms, one lookup under 1 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "foundation/HyDataTable.h"

namespace {

constexpr Integer Rows = 10000;
constexpr Integer Cols = 20;

// Cell 0 a shuffled number, cell 1 a name, the rest short mixed texts; columns
// 1 and 2 escaped, as the program's name columns are.
std::unique_ptr<TDataTable> MakeTable()
{
    auto T = std::make_unique<TDataTable>(String(), ColumnSet({1, 2}));
    std::mt19937 Gen(7);
    std::vector<Integer> Keys(Rows);
    for (Integer I = 0; I < Rows; ++I) Keys[I] = I;
    std::shuffle(Keys.begin(), Keys.end(), Gen);
    T->BeginUpdate();
    for (Integer R = 0; R < Rows; ++R) {
        std::vector<String> Cells;
        Cells.push_back(IntToStr(Keys[R]));
        Cells.push_back(u"Item, number " + IntToStr(R));
        Cells.push_back(u"a|b");
        for (Integer C = 3; C < Cols; ++C) Cells.push_back(IntToStr(Gen() % 100000));
        TRow* Row = T->AddItem(u"");
        Row->Init(Cells);
    }
    T->EndUpdate(cmTableInit);
    return T;
}

void BM_TextRoundTrip(benchmark::State& State)
{
    auto T = MakeTable();
    TDataTable Back(String(), ColumnSet({1, 2}));
    for (auto _ : State) {
        String Text = T->ToString(true);
        Back.Init(Text);
        benchmark::DoNotOptimize(Back.ItemCount());
    }
}
BENCHMARK(BM_TextRoundTrip)->Unit(benchmark::kMillisecond);

void BM_ToString(benchmark::State& State)
{
    auto T = MakeTable();
    for (auto _ : State) benchmark::DoNotOptimize(T->ToString(true));
}
BENCHMARK(BM_ToString)->Unit(benchmark::kMillisecond);

void BM_SortByValue(benchmark::State& State)
{
    auto T = MakeTable();
    for (auto _ : State) {
        T->Sort(smValueInc);
        T->Sort(smValueDec);
    }
    State.SetItemsProcessed(State.iterations() * 2);
}
BENCHMARK(BM_SortByValue)->Unit(benchmark::kMillisecond);

void BM_IndexOfText(benchmark::State& State)
{
    auto T = MakeTable();
    const String Last = u"item, NUMBER " + IntToStr(Rows - 1);  // the worst case: the last row
    for (auto _ : State) benchmark::DoNotOptimize(T->IndexOfText(1, Last));
}
BENCHMARK(BM_IndexOfText)->Unit(benchmark::kMicrosecond);

void BM_IndexOfValue(benchmark::State& State)
{
    auto T = MakeTable();
    for (auto _ : State) benchmark::DoNotOptimize(T->IndexOfValue(0, -1));
}
BENCHMARK(BM_IndexOfValue)->Unit(benchmark::kMicrosecond);

}  // namespace
