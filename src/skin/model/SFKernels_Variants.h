// The forms of SFKernels' blend routines. SfKernelsPas is the reference of the
// form the program uses (all four bytes mixed by 256ths); SfKernelsSSE2 gives
// its bits; SfKernelsPlain is the other form, bound only by the test switch.
#pragma once

#include "skin/model/SFKernels.h"

namespace SfKernelsPas {
TsfColor BlendPixel(TsfColor F, TsfColor B);
void BlendRow(const TsfColor* Src, TsfColor* Dst, Integer N);
}  // namespace SfKernelsPas

namespace SfKernelsPlain {
TsfColor BlendPixel(TsfColor F, TsfColor B);
void BlendRow(const TsfColor* Src, TsfColor* Dst, Integer N);
}  // namespace SfKernelsPlain

#if defined(__SSE2__)
#define LM_SF_KERNELS_SSE2 1
namespace SfKernelsSSE2 {
void BlendRow(const TsfColor* Src, TsfColor* Dst, Integer N);
}  // namespace SfKernelsSSE2
#endif
