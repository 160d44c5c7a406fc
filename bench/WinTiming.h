// The clock of the Windows benchmark programs, which time whole operations
// themselves (there is no Google Benchmark in the mingw builds).
#pragma once

#include "framework/runtime/win/WinPlatform.h"

// Milliseconds from the performance counter.
inline double NowMs()
{
    LARGE_INTEGER F, C;
    QueryPerformanceFrequency(&F);
    QueryPerformanceCounter(&C);
    return static_cast<double>(C.QuadPart) * 1000.0 / static_cast<double>(F.QuadPart);
}
