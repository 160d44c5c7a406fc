// The row forms behind "Ras32_BlendModes bindings" (id = mode index), for
// the registration, the comparison tests and the benchmarks. BlendModesPas
// is the reference; the vector sets have rows only for the modes whose
// target is plain arithmetic (null elsewhere) and give the reference's bits.
#pragma once

#include "filters/Ras32_BlendModes.h"

namespace BlendModesPas {
extern TBlendModeRow* const Rows[BlendModeCount];
}

#if defined(__SSE2__)
#define LM_RAS32_BLENDMODES_SSE2 1
namespace BlendModesSSE2 {
extern TBlendModeRow* const Rows[BlendModeCount];
}
namespace BlendModesAVX2 {
extern TBlendModeRow* const Rows[BlendModeCount];
}
#endif
