// The variants behind "Ras32_Filters bindings", for the registration, the
// comparison tests and the benchmarks. FiltersPas is the reference.
#pragma once

#include "filters/Ras32_Filters.h"

#define LM_RAS32_FILTERS_DECLARE_ROWS                                                 \
    void AndRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count);                  \
    void OrRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count);                   \
    void XorRowInPlace(TColor32* Dst, TColor32 Mask, Integer Count);                  \
    void AndRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask);    \
    void OrRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask);     \
    void XorRow(const TColor32* Src, TColor32* Dst, Integer Count, TColor32 Mask);

namespace FiltersPas {
LM_RAS32_FILTERS_DECLARE_ROWS
}

#if defined(__SSE2__)
#define LM_RAS32_FILTERS_SSE2 1
namespace FiltersSSE2 {
LM_RAS32_FILTERS_DECLARE_ROWS
}
namespace FiltersAVX2 {
LM_RAS32_FILTERS_DECLARE_ROWS
}
#endif

#undef LM_RAS32_FILTERS_DECLARE_ROWS
