// Ras32_Blend: the per-pixel compositing arithmetic of the engine. Blend puts a
// colour over a background by its alpha, combine mixes two colours by an
// explicit weight, merge composites two translucent colours, and the channel
// operations do colour algebra on all four channels.
//
// Every operation is a function-pointer variable bound at start-up through the
// registry "Ras32_Blend bindings" to the best variant for the processor
// (portable, SSE2, AVX2 for the rows); all variants give the same bits.
// Callers always call the bound entry and end a run of per-pixel calls with
// EndPixelOps.
//
// Notation: mix(y, x, w) = (256 y + 128 + (x - y) w) shr 8 per channel, exact
// (the sum lies in 0..65535); the full weight 255 counts as 256, so an opaque
// source gives itself. Weights and master alphas above 255 count as 255.
#pragma once

#include "Component/Raster32/Ras32_Types.h"

using TPixelOpsProc = void();
using TBlendReg = TColor32(TColor32 F, TColor32 B);
using TBlendMem = void(TColor32 F, TColor32& B);
using TBlendRegEx = TColor32(TColor32 F, TColor32 B, Cardinal M);
using TBlendMemEx = void(TColor32 F, TColor32& B, Cardinal M);
// Src[i] onto Dst[i] for Count pixels; Src and Dst may be the same run; Count <= 0 does nothing.
using TBlendLine = void(const TColor32* Src, TColor32* Dst, Integer Count);
using TBlendLineEx = void(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M);
using TCombineReg = TColor32(TColor32 X, TColor32 Y, Cardinal W);
using TCombineMem = void(TColor32 X, TColor32& Y, Cardinal W);
using TCombineLine = void(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal W);
using TScaleReg = TColor32(TColor32 C, Cardinal W);
using TLightenReg = TColor32(TColor32 C, Integer Amount);

// Binding ids of "Ras32_Blend bindings", in the order of the operations below.
enum TBlendBindingID : Integer {
    FID_EndPixelOps, FID_MergePixel, FID_MergePixelInPlace, FID_MergeRow, FID_MergePixelMaster,
    FID_MergePixelMasterInPlace, FID_MergeRowMaster, FID_CombinePixel, FID_CombinePixelInPlace,
    FID_CombineRow, FID_BlendPixel, FID_BlendPixelInPlace, FID_BlendRow, FID_BlendPixelMaster,
    FID_BlendPixelMasterInPlace, FID_BlendRowMaster, FID_ChannelMax, FID_ChannelMin,
    FID_ChannelAverage, FID_ChannelAdd, FID_ChannelSubtract, FID_ChannelDivide, FID_ChannelModulate,
    FID_ChannelDifference, FID_ChannelExclusion, FID_ChannelScale, FID_LightenColor,
    BlendBindingCount
};

// Ends a run of pixel operations before floating-point work.
extern TPixelOpsProc* EndPixelOps;

// Merge: F over B, both translucent. Fa 0 gives B; an opaque B gives
// BlendPixel(F, B) made opaque; an opaque F or a transparent B gives F;
// otherwise full alpha compositing through ProductTable and QuotientTable.
extern TBlendReg* MergePixel;
extern TBlendMem* MergePixelInPlace;
extern TBlendLine* MergeRow;
// The same with F's alpha first scaled to P[M][Fa].
extern TBlendRegEx* MergePixelMaster;
extern TBlendMemEx* MergePixelMasterInPlace;
extern TBlendLineEx* MergeRowMaster;

// Combine: mix(Y, X, W) on all four channels; W is the weight of X.
// The in-place and row forms leave Y for W = 0 and store X for W = 255.
extern TCombineReg* CombinePixel;
extern TCombineMem* CombinePixelInPlace;
extern TCombineLine* CombineRow;

// Blend: mix(B, F, Fa) on all four channels. The in-place and row forms leave
// B for Fa = 0 and store F for Fa = 255.
extern TBlendReg* BlendPixel;
extern TBlendMem* BlendPixelInPlace;
extern TBlendLine* BlendRow;
// Master forms: w = ((M + 1) * Fa) shr 8 for the pixel forms and
// ((Fa + 1) * M) shr 8 for the row form; w = 0 leaves B, else mix(B, F, w).
extern TBlendRegEx* BlendPixelMaster;
extern TBlendMemEx* BlendPixelMasterInPlace;
extern TBlendLineEx* BlendRowMaster;

// Colour algebra, each channel of the four on its own.
extern TBlendReg* ChannelMax;         // larger
extern TBlendReg* ChannelMin;         // smaller
extern TBlendReg* ChannelAverage;     // floor((c1 + c2) / 2)
extern TBlendReg* ChannelAdd;         // min(c1 + c2, 255)
extern TBlendReg* ChannelSubtract;    // max(c1 - c2, 0)
extern TBlendReg* ChannelDivide;      // 255 when c1 = 0, else min((c2 * 256) div c1, 255)
extern TBlendReg* ChannelModulate;    // (c1 * c2) shr 8
extern TBlendReg* ChannelDifference;  // abs(c1 - c2)
extern TBlendReg* ChannelExclusion;   // c1 + c2 - ((c1 * c2) shr 7)
extern TScaleReg* ChannelScale;       // (c * W) shr 8
// Red, green and blue each become c + Amount clamped to 0..255; alpha is kept.
extern TLightenReg* LightenColor;

// The bindings of each combine mode (pointers to the bound variables, so a
// rebinding is seen at once): in place, master in place, row, master row.
extern TBlendMem** const CombineInPlaceOf[2];
extern TBlendMemEx** const CombineMasterInPlaceOf[2];
extern TBlendLine** const CombineRowOf[2];
extern TBlendLineEx** const CombineRowMasterOf[2];

// The tables are computed by the compiler, so they are ready before any
// start-up code runs.
// P[a][b] = round(a * b / 255). Symmetric.
extern const Byte (&ProductTable)[256][256];
// Q[d][n] = round(n * 255 / d), halves to even, as its low byte; Q[0][n] = 0.
extern const Byte (&QuotientTable)[256][256];
// Entry i holds i in eight 16-bit words; 16-byte aligned.
extern const Word (&AlphaWeightTable)[256][8];
// Whether the processor has MMX (the convolution routines choose by it).
bool MmxBlendActive();

// Makes the unit's registry and binds the best routines for this processor.
// Start-up only: InstallRasterEngine calls it once.
void RegisterBlendBindings();
