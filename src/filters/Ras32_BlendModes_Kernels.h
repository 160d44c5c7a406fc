// The vector rows of the blend modes whose target is plain arithmetic, for
// one vector width (Ops: 16-bit lanes, four per pixel, blue green red alpha).
// Every channel, alpha included, becomes (X c + b (256 - c)) shr 8, which is
// b + floor((X - b) c / 256) with no sum above 65280; the alpha target is b
// itself, so alpha stays, and c = 0 gives b. Included by the SSE2 and AVX2
// units only; the unnamed namespace keeps each width's copy to itself.
#pragma once

#include "filters/Ras32_BlendModes_Variants.h"

namespace {

enum TVectorMode : Integer {
    vmNormal = 0, vmMultiply = 1, vmScreen = 2, vmOverlay = 3, vmSoftLight = 5, vmHardLight = 7,
    vmLighten = 10, vmDarken = 11, vmAdditive = 12, vmSubtractive = 13, vmAverage = 14, vmDifference = 15,
    vmExclusion = 16, vmNegation = 17, vmRed = 21, vmGreen = 22, vmBlue = 23
};

template <class Ops, Integer Mode>
inline typename Ops::V Target(typename Ops::V f, typename Ops::V b)
{
    using V = typename Ops::V;
    const V c255 = Ops::Set(255);
    if constexpr (Mode == vmNormal) {
        return f;
    } else if constexpr (Mode == vmMultiply) {
        return Ops::Srl(Ops::Mul(b, f), 8);
    } else if constexpr (Mode == vmScreen) {
        return Ops::Sub(c255, Ops::Srl(Ops::Mul(Ops::Sub(c255, b), Ops::Sub(c255, f)), 8));
    } else if constexpr (Mode == vmOverlay || Mode == vmHardLight) {
        const V Key = Mode == vmOverlay ? b : f;
        const V High = Ops::Sub(c255, Ops::Srl(Ops::Mul(Ops::Sub(c255, b), Ops::Sub(c255, f)), 7));
        const V Low = Ops::Srl(Ops::Mul(b, f), 7);
        return Ops::Select(Ops::Greater(Key, Ops::Set(127)), High, Low);
    } else if constexpr (Mode == vmSoftLight) {
        const V m = Ops::Srl(Ops::Mul(b, f), 8);
        const V s = Ops::Sub(c255, Ops::Srl(Ops::Mul(Ops::Sub(c255, b), Ops::Sub(c255, f)), 8));
        return Ops::Add(m, Ops::Srl(Ops::Mul(Ops::Sub(s, m), b), 8));
    } else if constexpr (Mode == vmLighten) {
        return Ops::Max(f, b);
    } else if constexpr (Mode == vmDarken) {
        return Ops::Min(f, b);
    } else if constexpr (Mode == vmAdditive) {
        return Ops::Min(Ops::Add(f, b), c255);
    } else if constexpr (Mode == vmSubtractive) {
        return Ops::SubSat(Ops::Add(f, b), Ops::Set(256));
    } else if constexpr (Mode == vmAverage) {
        return Ops::Srl(Ops::Add(f, b), 1);
    } else if constexpr (Mode == vmDifference) {
        return Ops::Sub(Ops::Max(f, b), Ops::Min(f, b));
    } else if constexpr (Mode == vmExclusion) {
        return Ops::Sub(Ops::Add(b, f), Ops::Srl(Ops::Mul(b, f), 7));
    } else if constexpr (Mode == vmNegation) {
        const V s = Ops::Add(b, f);
        return Ops::Sub(c255, Ops::Sub(Ops::Max(s, c255), Ops::Min(s, c255)));
    } else {
        // One channel: f there, b elsewhere (lanes blue 0, green 1, red 2).
        constexpr Integer Lane = Mode == vmBlue ? 0 : Mode == vmGreen ? 1 : 2;
        return Ops::Select(Ops::LaneMask(Lane), f, b);
    }
}

template <class Ops, Integer Mode>
inline void VectorRow(const TColor32* Src, TColor32* Dst, Integer Count, Cardinal M)
{
    using V = typename Ops::V;
    const V Master = Ops::Set(static_cast<Integer>(M & 255));
    const V AlphaLanes = Ops::LaneMask(3);
    const V c256 = Ops::Set(256);
    Integer I = 0;
    for (; I + Ops::Pixels <= Count; I += Ops::Pixels) {
        const V f = Ops::Load(Src + I), b = Ops::Load(Dst + I);
        const V c = Ops::Srl(Ops::Mul(Master, Ops::BroadcastAlpha(f)), 8);
        const V X = Ops::Select(AlphaLanes, b, Target<Ops, Mode>(f, b));
        Ops::Store(Dst + I, Ops::Srl(Ops::Add(Ops::Mul(X, c), Ops::Mul(b, Ops::Sub(c256, c))), 8));
    }
    if (I < Count) BlendModesPas::Rows[Mode](Src + I, Dst + I, Count - I, M);
}

}  // namespace
