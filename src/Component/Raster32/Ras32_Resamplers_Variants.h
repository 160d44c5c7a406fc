// The processor-specific pieces of Ras32_Resamplers, for its registration,
// the comparison tests and the benchmarks. Everyone else calls the bound
// entries and the transfer routines.
#pragma once

#include "Component/Raster32/Ras32_Resamplers.h"

// Per channel (blue, green, red, alpha) sums of Count pixels to the block
// average of AverageBlock.
TColor32 AverageOfSums(const UInt64 Sum[4], Int64 Count);

// The two passes of the kernel stretch for one destination row. Vertical:
// Buffer[x] := the sums over Cluster of weight times each channel of Src pixel
// (XLo + x, tap row), for x = 0 .. Count - 1. Horizontal: Colors[k] := the
// sums over Map[k] of weight times Buffer[tap column - XLo], each limited to
// 0 .. 0xFF0000 and shifted right by 16.
void KernelVerticalPass_Pas(const TCustomBitmap32* Src, const TCluster& Cluster, Integer XLo, Integer Count,
                            TBufferEntry* Buffer);
void KernelHorizontalPass_Pas(const TBufferEntry* Buffer, Integer XLo, const TMappingTable& Map, TColor32* Colors);

#if defined(__SSE2__)
#define LM_RAS32_RESAMPLERS_SSE2 1
void KernelVerticalPass_SSE2(const TCustomBitmap32* Src, const TCluster& Cluster, Integer XLo, Integer Count,
                             TBufferEntry* Buffer);
void KernelHorizontalPass_SSE2(const TBufferEntry* Buffer, Integer XLo, const TMappingTable& Map, TColor32* Colors);
#endif
