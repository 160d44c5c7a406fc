// The variants behind the bindings of Ras32_Blend, for its registration, the
// comparison tests and the benchmarks. Everyone else calls the bound entries.
// BlendPas is the reference: the SIMD variants give exactly its bits.
#pragma once

#include "Component/Raster32/Ras32_Blend.h"

#define LM_RAS32_BLEND_DECLARE_PIXEL_OPS                                                 \
    void EndPixelOps();                                                                  \
    TColor32 MergePixel(TColor32 F, TColor32 B);                                         \
    void MergePixelInPlace(TColor32 F, TColor32& B);                                     \
    void MergeRow(const TColor32* Src, TColor32* Dst, Integer Count);                    \
    TColor32 MergePixelMaster(TColor32 F, TColor32 B, Cardinal M);                       \
    void MergePixelMasterInPlace(TColor32 F, TColor32& B, Cardinal M);                   \
    void MergeRowMaster(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M);  \
    TColor32 CombinePixel(TColor32 X, TColor32 Y, Cardinal W);                           \
    void CombinePixelInPlace(TColor32 X, TColor32& Y, Cardinal W);                       \
    void CombineRow(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal W);      \
    TColor32 BlendPixel(TColor32 F, TColor32 B);                                         \
    void BlendPixelInPlace(TColor32 F, TColor32& B);                                     \
    void BlendRow(const TColor32* Src, TColor32* Dst, Integer Count);                    \
    TColor32 BlendPixelMaster(TColor32 F, TColor32 B, Cardinal M);                       \
    void BlendPixelMasterInPlace(TColor32 F, TColor32& B, Cardinal M);                   \
    void BlendRowMaster(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M);  \
    TColor32 ChannelMax(TColor32 C1, TColor32 C2);                                       \
    TColor32 ChannelMin(TColor32 C1, TColor32 C2);                                       \
    TColor32 ChannelAverage(TColor32 C1, TColor32 C2);                                   \
    TColor32 ChannelAdd(TColor32 C1, TColor32 C2);                                       \
    TColor32 ChannelSubtract(TColor32 C1, TColor32 C2);                                  \
    TColor32 ChannelDivide(TColor32 C1, TColor32 C2);                                    \
    TColor32 ChannelModulate(TColor32 C1, TColor32 C2);                                  \
    TColor32 ChannelDifference(TColor32 C1, TColor32 C2);                                \
    TColor32 ChannelExclusion(TColor32 C1, TColor32 C2);                                 \
    TColor32 ChannelScale(TColor32 C, Cardinal W);                                       \
    TColor32 LightenColor(TColor32 C, Integer Amount);

// Portable reference, one per operation.
namespace BlendPas {
LM_RAS32_BLEND_DECLARE_PIXEL_OPS
}

#if defined(__SSE2__)
#define LM_RAS32_BLEND_SSE2 1
// SSE2 forms of every operation (x86_64 always has SSE2; the i686 build
// requires it too).
namespace BlendSSE2 {
LM_RAS32_BLEND_DECLARE_PIXEL_OPS
}

// AVX2 forms of the row operations, chosen at run time where the processor
// has AVX2; compiled with a target attribute, so the program still runs
// without it.
namespace BlendAVX2 {
void MergeRow(const TColor32* Src, TColor32* Dst, Integer Count);
void MergeRowMaster(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M);
void CombineRow(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal W);
void BlendRow(const TColor32* Src, TColor32* Dst, Integer Count);
void BlendRowMaster(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M);
}  // namespace BlendAVX2
#endif

#undef LM_RAS32_BLEND_DECLARE_PIXEL_OPS
