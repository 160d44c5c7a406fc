// Ras32_Convolution: fixed-size convolution filters and colour distances,
// each bound once at start to its plain or its vector form (the vector forms
// where the processor has the vector unit), and a running sum of Singles.
//
// Common frame of the image routines: Dst first becomes a copy of Src; a Src
// below the minimum size stops there; every inner pixel (window wholly inside
// Src) is computed per channel, alpha included, from Src, clamped to 0..255;
// div truncates toward zero. The vector forms call Dst's Changed at the end.
#pragma once

#include "Component/Raster32/Ras32.h"

template <Integer N>
struct TConvolutionKernel {
    Integer Weights[N * N] = {};  // row by row
    Integer Divisor = 1;          // only the forms that divide read it; 0 makes them no-ops
};
using TKernel3x3 = TConvolutionKernel<3>;
using TKernel5x5 = TConvolutionKernel<5>;
using TKernel7x7 = TConvolutionKernel<7>;

using TConvolveProc = void(TCustomBitmap32* Dst, TCustomBitmap32* Src);
template <Integer N>
using TConvolveBiasProc = void(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TConvolutionKernel<N>& Kernel,
                               Integer Bias);
template <Integer N>
using TConvolveSumProc = void(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TConvolutionKernel<N>& Kernel);
template <Integer N>
using TConvolveShiftProc = void(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TConvolutionKernel<N>& Kernel,
                                Integer Bias, Integer Shift);
using TColorDistanceProc = Cardinal(TColor32 C1, TColor32 C2);
using TRunningSumProc = void(Single* Values, Integer Count);

// (TL + 2 T + TR + 2 L + 4 C + 2 R + BL + 2 B + BR) shr 4; minimum size 3.
extern TConvolveProc* Gaussian3x3;
// 5 C - T - L - R - B; minimum size 3.
extern TConvolveProc* LaplaceSharpen3x3;
// Bias + (sum of weight x pixel) div Divisor; minimum size 3, 5, 7.
extern TConvolveBiasProc<3>* Convolve3x3;
extern TConvolveBiasProc<5>* Convolve5x5;
extern TConvolveBiasProc<7>* Convolve7x7;
// The sum of weight x pixel. The vector forms keep the running sum inside
// the signed 16-bit range after each term.
extern TConvolveSumProc<3>* ConvolveSum3x3;
extern TConvolveSumProc<5>* ConvolveSum5x5;
// (sum shr Shift) + Bias. Plain: the 32-bit sum shifted as unsigned by
// Shift mod 32. Vector: the 16-bit saturated sum shifted as unsigned 16 bits
// (16 or more gives 0), Bias added with 16-bit saturation.
extern TConvolveShiftProc<3>* ConvolveShift3x3;
extern TConvolveShiftProc<5>* ConvolveShift5x5;
// Sum over the four channels of (c2 - c1) squared, and of |c2 - c1|.
extern TColorDistanceProc* ColorDistanceSquared;
extern TColorDistanceProc* ColorDistanceAbs;
// In place, Values[i] := Values[i - 1] + Values[i] for i = 1 .. Count - 1.
extern TRunningSumProc* RunningSumSingles;

// Binds the entries: the vector forms when Vector, else the plain forms.
// Runs at start with Vector = MmxBlendActive().
void BindConvolutionRoutines(bool Vector);

// The row kernel of Gaussian3x3: Dst[i] from the window centred on Row[i];
// all three rows readable at [-1] and [Count]. Bound through
// "Ras32_Convolution bindings" (portable, SSE2).
using TGaussianRow = void(const TColor32* Above, const TColor32* Row, const TColor32* Below, TColor32* Dst,
                          Integer Count);
extern TGaussianRow* GaussianRow;
namespace ConvolutionPas {
void GaussianRow(const TColor32* Above, const TColor32* Row, const TColor32* Below, TColor32* Dst, Integer Count);
}
#if defined(__SSE2__)
namespace ConvolutionSSE2 {
void GaussianRow(const TColor32* Above, const TColor32* Row, const TColor32* Below, TColor32* Dst, Integer Count);
}
#endif

// Makes the unit's registry and binds the best routines for this processor.
// Start-up only: InstallFilters calls it once.
void RegisterConvolutionBindings();
