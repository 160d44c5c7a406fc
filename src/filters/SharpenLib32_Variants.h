// The variants behind "SharpenLib32 bindings", for the registration, the
// comparison tests and the benchmarks. SharpenPas is the reference.
#pragma once

#include "filters/SharpenLib32.h"

#define LM_SHARPENLIB32_DECLARE                                                            \
    void ExpBlurRows(TColor32* Bits, Integer Width, Integer Height, Integer K);            \
    void ExpBlurColumns(TColor32* Bits, Integer Width, Integer Height, Integer K);         \
    void SharpenRow(const TColor32* Above, const TColor32* Row, const TColor32* Below, TColor32* Dst, \
                    Integer Count, bool Odd);

namespace SharpenPas {
LM_SHARPENLIB32_DECLARE
}

#if defined(__SSE2__)
#define LM_SHARPENLIB32_SSE2 1
namespace SharpenSSE2 {
LM_SHARPENLIB32_DECLARE
}
namespace SharpenAVX2 {
LM_SHARPENLIB32_DECLARE
}
#endif

#undef LM_SHARPENLIB32_DECLARE
