// Every filter and blend mode on every size from 0 x 0 to 5 x 5 with
// degenerate arguments: no crash, no hang, no undefined behaviour (the host
// build runs this under the sanitizers).
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "FilterTestUtils.h"
#include "filters/HyRas32Filters.h"
#include "filters/ImageWarping.h"
#include "filters/Ras32_BlendModes.h"
#include "filters/Ras32_ColorBalance.h"
#include "filters/Ras32_Convolution.h"
#include "filters/Ras32_Filters.h"
#include "filters/SharpenLib32.h"

namespace {

// Neg(A) without overflow.
inline Integer Neg(Integer A) { return A == INT_MIN ? INT_MAX : -A; }

const Integer Args[] = {INT_MIN, -100000, -256, -101, -100, -1, 0, 1, 2, 3, 4, 5, 100, 101, 255, 256, 100000, INT_MAX};

struct TFilterCase {
    const char* Name;
    std::function<void(TCustomBitmap32*, Integer)> Run;
};

const std::vector<TFilterCase>& Filters()
{
    static const std::vector<TFilterCase> Cases = {
        {"AlphaFromIntensity", [](TCustomBitmap32* B, Integer) { auto D = MakeBitmap(1, 1); AlphaFromIntensity(D.get(), B); }},
        {"InvertChannels", [](TCustomBitmap32* B, Integer A) { InvertChannels(B, B, static_cast<TChannelSet>(A)); }},
        {"InvertChannelsCopy", [](TCustomBitmap32* B, Integer A) { auto D = MakeBitmap(3, 2); InvertChannels(D.get(), B, static_cast<TChannelSet>(A)); }},
        {"GrayscaleBitmap", [](TCustomBitmap32* B, Integer A) { GrayscaleBitmap(B, B, A & 1); }},
        {"MakeColorTransparent", [](TCustomBitmap32* B, Integer A) { MakeColorTransparent(B, static_cast<TColor32>(A)); }},
        {"ApplyChannelMask", [](TCustomBitmap32* B, Integer A) {
             auto D = MakeBitmap(2, 3);
             ApplyChannelMask(D.get(), A, A, B, TRect{A, A, 5, 5}, 0xFFu, static_cast<TMaskOperation>(A & 3));
         }},
        {"ApplyChannelMaskInPlace", [](TCustomBitmap32* B, Integer A) { ApplyChannelMaskInPlace(B, TRect{A, Neg(A), A, 9}, 1, moAnd); }},
        {"ReduceRedEye", [](TCustomBitmap32* B, Integer) { ReduceRedEye(B); }},
        {"TintBitmap", [](TCustomBitmap32* B, Integer A) { TintBitmap(B, static_cast<TColor32>(A), A); }},
        {"SolidColorWithAlpha", [](TCustomBitmap32* B, Integer A) { auto D = MakeBitmap(4, 4); SolidColorWithAlpha(D.get(), B, static_cast<TColor32>(A)); }},
        {"AdjustBrightness", [](TCustomBitmap32* B, Integer A) { AdjustBrightness(B, A); }},
        {"LightenBitmap", [](TCustomBitmap32* B, Integer A) { LightenBitmap(B, A); }},
        {"AdjustContrast", [](TCustomBitmap32* B, Integer A) { AdjustContrast(B, A); }},
        {"AdjustSaturation", [](TCustomBitmap32* B, Integer A) { AdjustSaturation(B, A); }},
        {"AdjustHueSaturation", [](TCustomBitmap32* B, Integer A) { AdjustHueSaturation(B, A, A); AdjustHueSaturation(B, Neg(A), 255); AdjustHueSaturation(B, -359, A); }},
        {"AddNoise", [](TCustomBitmap32* B, Integer A) { AddNoise(B, A, A & 1); }},
        {"FillColorKeepAlpha", [](TCustomBitmap32* B, Integer A) { FillColorKeepAlpha(B, static_cast<TColor32>(A)); }},
        {"FadeAlphaInCircle", [](TCustomBitmap32* B, Integer A) { FadeAlphaInCircle(B, TRect{A, A, Neg(A), 3}, A); FadeAlphaInCircle(B, TRect{0, 0, 3, 3}, A); }},
        {"AlphaRadialFade", [](TCustomBitmap32* B, Integer A) { AlphaRadialFade(B, A); }},
        {"FadeBorderAlpha", [](TCustomBitmap32* B, Integer A) { FadeBorderAlpha(B, A, A); FadeBorderAlpha(B, A, 100); }},
        {"FadeEdgesAlpha", [](TCustomBitmap32* B, Integer A) { FadeEdgesAlpha(B, A, 15); }},
        {"LightenEdges", [](TCustomBitmap32* B, Integer A) { LightenEdges(B, A, 15); }},
        {"RandomJaggedEdges", [](TCustomBitmap32* B, Integer A) { RandomJaggedEdges(B, A, 15, false, 1); RandomJaggedEdges(B, A, A, true, 2); }},
        {"PixelateBitmap", [](TCustomBitmap32* B, Integer A) { PixelateBitmap(B, A, A & 1, 0xFF000000); }},
        {"CopyAlphaInRect", [](TCustomBitmap32* B, Integer A) { auto S = MakeBitmap(2, 7); CopyAlphaInRect(B, S.get(), TRect{Neg(A), A, A, 9}); }},
        {"MultiplyAlphaInRect", [](TCustomBitmap32* B, Integer A) { auto S = MakeBitmap(7, 2); MultiplyAlphaInRect(B, S.get(), TRect{A, -5, 9, A}); }},
        {"SetAlphaFromIntensity", [](TCustomBitmap32* B, Integer A) { auto S = MakeBitmap(3, 3); SetAlphaFromIntensity(B, S.get(), A & 1); SetAlphaFromIntensity(S.get(), B, true); }},
        {"SmoothBitmap", [](TCustomBitmap32* B, Integer A) { SmoothBitmap(B, std::min(A, 3)); SmoothRect(B, A, Neg(A), A, 2); }},
        {"SoftenBitmap", [](TCustomBitmap32* B, Integer A) { SoftenBitmap(B, A, A); }},
        {"DenoiseBitmap", [](TCustomBitmap32* B, Integer A) { DenoiseBitmap(B, A, A); }},
        {"SharpenBitmap", [](TCustomBitmap32* B, Integer A) { SharpenBitmap(B, A); }},
        {"ExponentialBlur", [](TCustomBitmap32* B, Integer A) { ExponentialBlur(B, A); }},
        {"GaussianBlur3x3", [](TCustomBitmap32* B, Integer) { GaussianBlur3x3(B); }},
        {"Convolutions", [](TCustomBitmap32* B, Integer A) {
             auto D = MakeBitmap(1, 1);
             TKernel3x3 K3;
             TKernel5x5 K5;
             TKernel7x7 K7;
             for (Integer& W : K3.Weights) W = A;
             for (Integer& W : K5.Weights) W = A;
             for (Integer& W : K7.Weights) W = A;
             K3.Divisor = K5.Divisor = K7.Divisor = A;
             Convolve3x3(D.get(), B, K3, A);
             Convolve5x5(D.get(), B, K5, A);
             Convolve7x7(B, B, K7, A);
             ConvolveSum3x3(D.get(), B, K3);
             ConvolveSum5x5(D.get(), B, K5);
             ConvolveShift3x3(D.get(), B, K3, A, A);
             ConvolveShift5x5(D.get(), B, K5, A, A);
             LaplaceSharpen3x3(D.get(), B);
             Gaussian3x3(B, B);
         }},
        {"ImageWarping", [](TCustomBitmap32* B, Integer A) {
             for (TBrushTool Tool : {btWarp, btZoom, btTwirl, btFlower}) {
                 TImgWarping Warp(B, B, Tool);
                 Warp.UpdateBrush(A % 12, A);
                 Warp.MouseDown(ssLeft, A % 7, Neg(A) % 5);
                 Warp.MouseMove(ssLeft, 2, 3);
                 Warp.MouseMove(ssRight, A % 9, 1);
             }
         }},
        {"ColorBalance", [](TCustomBitmap32* B, Integer A) {
             TColorBalance CB;
             CB.SetSourceBitmap(B);
             for (Integer Mode = 0; Mode < 3; ++Mode) {
                 CB.SetTransferMode(static_cast<TTransferMode>(Mode));
                 CB.SetCyanRed(A);
                 CB.SetMagentaGreen(Neg(A));
                 CB.SetYellowBlue(A / 2);
             }
             CB.Execute(B);
         }},
    };
    return Cases;
}

}  // namespace

TEST(FilterRobustness, EveryFilterOnTinyBitmapsWithDegenerateArguments)
{
    Integer Runs = 0;
    for (const TFilterCase& Filter : Filters())
        for (Integer W = 0; W <= 5; ++W)
            for (Integer H = 0; H <= 5; ++H)
                for (Integer A : Args) {
                    auto B = RandomBitmap(W, H, static_cast<uint32_t>(W * 6 + H));
                    if (W * H > 0) B->Bits()[0] &= 0x00FFFFFF;  // one transparent pixel
                    SCOPED_TRACE(testing::Message() << Filter.Name << " " << W << "x" << H << " arg " << A);
                    Filter.Run(B.get(), A);
                    EXPECT_EQ(B->Width(), W);
                    ++Runs;
                }
    std::printf("ran %d filter cases\n", Runs);
}

TEST(FilterRobustness, EveryBlendModeOnTinyLayers)
{
    const Cardinal Masters[] = {0, 1, 254, 255, 256, 0xFFFFFFFF};
    for (Integer Mode = 0; Mode < BlendModeCount; ++Mode)
        for (Integer W = 0; W <= 5; ++W)
            for (Integer H = 0; H <= 5; ++H)
                for (Cardinal M : Masters) {
                    auto F = RandomBitmap(W, H, 1), B = RandomBitmap(W, H, 2);
                    const auto Before = PixelsOf(B.get());
                    BlendModeRows[Mode](F->Bits(), B->Bits(), W * H, M);
                    for (Integer I = 0; I < W * H; ++I) {
                        BlendModeProcs[Mode](F->Bits()[I], B->Bits()[I], M);
                        EXPECT_EQ(B->Bits()[I] >> 24, Before[static_cast<size_t>(I)] >> 24);
                    }
                    BlendModeRows[Mode](F->Bits(), B->Bits(), -W, M);
                }
}

TEST(FilterRobustness, NilBitmapsAreHarmless)
{
    // The filters without a fixed error message do nothing for nil.
    for (const TFilterCase& Filter : Filters()) {
        const std::string Name = Filter.Name;
        if (Name == "AlphaFromIntensity" || Name == "InvertChannels" || Name == "InvertChannelsCopy" ||
            Name == "GrayscaleBitmap" || Name == "ApplyChannelMask" || Name == "ApplyChannelMaskInPlace")
            continue;  // these raise their fixed messages
        SCOPED_TRACE(Name);
        Filter.Run(nullptr, 3);
    }
}
