// The clock of the Windows benchmark programs, which time whole operations
// themselves (there is no Google Benchmark in the mingw builds).
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/runtime/win/WinPlatform.h"

// Milliseconds from the performance counter.
inline double NowMs()
{
    LARGE_INTEGER F, C;
    QueryPerformanceFrequency(&F);
    QueryPerformanceCounter(&C);
    return static_cast<double>(C.QuadPart) * 1000.0 / static_cast<double>(F.QuadPart);
}

// Work run Repeats times (at least once): the median and the fastest time in milliseconds.
template <class F>
std::pair<double, double> TimeRepeats(int Repeats, F Work)
{
    std::vector<double> Ms;
    for (int i = 0; i < std::max(1, Repeats); ++i) {
        const double Start = NowMs();
        Work();
        Ms.push_back(NowMs() - Start);
    }
    std::sort(Ms.begin(), Ms.end());
    return {Ms[Ms.size() / 2], Ms.front()};
}

// Step(0) .. Step(Steps - 1) (at least one), each timed: the median, fastest and slowest in milliseconds.
struct TStepTimes {
    double Median = 0, Fastest = 0, Slowest = 0;
};

template <class F>
TStepTimes TimeSteps(int Steps, F Step)
{
    std::vector<double> Ms;
    for (int I = 0; I < std::max(1, Steps); ++I) {
        const double Start = NowMs();
        Step(I);
        Ms.push_back(NowMs() - Start);
    }
    std::sort(Ms.begin(), Ms.end());
    return {Ms[Ms.size() / 2], Ms.front(), Ms.back()};
}
