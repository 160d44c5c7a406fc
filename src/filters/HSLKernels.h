// HSLKernels: the engine's floating hue-saturation-lightness conversions
// (Color32ToHSL, HSLToColor32) written out inline for per-pixel loops. They
// run the same IEEE operations in the same order, so they give the same bits;
// the divisions that depend on bytes alone come from tables. Internal to the
// filter units.
#pragma once

#include <emmintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "Component/Raster32/Ras32_LowLevel.h"
#include "Component/Raster32/Ras32_Types.h"
#include "framework/runtime/System.h"

namespace HSLKernels {

struct TTables {
    Single Unit[256];      // i / 255 in Single
    Single Sat[256][256];  // the saturation of a colour with that max and min
    Byte Grey[256];        // HSLToColor32(0, 0, Unit[i]), one channel
};

inline const TTables& Tables()
{
    static const std::unique_ptr<const TTables> T = [] {
        auto N = std::make_unique<TTables>();
        for (Integer I = 0; I < 256; ++I) N->Unit[I] = static_cast<Single>(I) / 255.0f;
        for (Integer Mx = 0; Mx < 256; ++Mx)
            for (Integer Mn = 0; Mn < 256; ++Mn) {
                const Single Max = N->Unit[Mx], Min = N->Unit[Mn];
                const Single L = (Max + Min) / 2, D = Max - Min;
                N->Sat[Mx][Mn] = Mx == Mn ? 0 : (L >= 0.5f ? D / (2 - Max - Min) : D / (Max + Min));
            }
        for (Integer I = 0; I < 256; ++I) N->Grey[I] = static_cast<Byte>(HSLToColor32(0, 0, N->Unit[I]) & 0xFF);
        return std::unique_ptr<const TTables>(std::move(N));
    }();
    return *T;
}

// Branch-free selections: the channel that is largest, the hue sector and
// the lightness half change from pixel to pixel, and mispredicted branches
// would cost more than the arithmetic.
inline double SelectDouble(bool C, double A, double B)
{
    uint64_t Ab, Bb;
    std::memcpy(&Ab, &A, 8);
    std::memcpy(&Bb, &B, 8);
    const uint64_t M = 0 - static_cast<uint64_t>(C);
    const uint64_t R = (Ab & M) | (Bb & ~M);
    double Out;
    std::memcpy(&Out, &R, 8);
    return Out;
}

// Color32ToHSL of (R, G, B).
inline void ToHSL(const TTables& T, Integer R, Integer G, Integer B, Single& H, Single& S, Single& L)
{
    const Integer Mx = MaxOf3(R, G, B), Mn = MinOf3(R, G, B);
    L = (T.Unit[Mx] + T.Unit[Mn]) / 2;
    if (Mx == Mn) {
        H = 0;
        S = 0;
        return;
    }
    const Single D = T.Unit[Mx] - T.Unit[Mn];
    S = T.Sat[Mx][Mn];
    // Max red: (G - B) / D; green: (B - R) / D + 2; blue: (R - G) / D + 4
    // (adding 0 to the first leaves it as it is).
    const bool RedMax = R == Mx, GreenMax = !RedMax && G == Mx;
    const Integer First = RedMax ? G : (GreenMax ? B : R);
    const Integer Second = RedMax ? B : (GreenMax ? R : G);
    const Single Offset = static_cast<Single>(RedMax ? 0 : (GreenMax ? 2 : 4));
    Single Hue = (T.Unit[First] - T.Unit[Second]) / D;
    if (!RedMax) Hue = Hue + Offset;
    Hue = Hue / 6;
    H = Hue + static_cast<Single>(Hue < 0);
}

// floor for the small values of a hue.
inline double FloorSmall(double V)
{
    const Int64 T = static_cast<Int64>(V);
    return static_cast<double>(T - (static_cast<double>(T) > V));
}

// ClampedByte for the values near 0..255 a channel takes: halves to even
// (the processor's rounding mode), then 0..255.
inline Integer ChannelByte(double V) { return std::clamp(static_cast<Integer>(_mm_cvtsd_si32(_mm_set_sd(V))), 0, 255); }

// HSLToColor32(H, S, L) without the alpha.
inline TColor32 FromHSL(Single H, Single S, Single L)
{
    if (S == 0) {
        const TColor32 V = static_cast<TColor32>(ChannelByte(static_cast<double>(L) * 255));
        return V * 0x010101u;
    }
    const double M2 = SelectDouble(L <= 0.5, L * (1.0 + S), static_cast<double>(L) + S - static_cast<double>(L) * S);
    const double M1 = 2.0 * L - M2;
    auto Channel = [&](double Hue) {
        Hue -= FloorSmall(Hue);
        const Integer Rising = ChannelByte((M1 + (M2 - M1) * Hue * 6) * 255);
        const Integer Top = ChannelByte(M2 * 255);
        const Integer Falling = ChannelByte((M1 + (M2 - M1) * (2.0 / 3.0 - Hue) * 6) * 255);
        const Integer Bottom = ChannelByte(M1 * 255);
        const Integer InRise = 6 * Hue < 1, InTop = 2 * Hue < 1, InFall = 3 * Hue < 2;
        // Masks rather than jumps: pick the first case that holds.
        Integer V = Bottom;
        V += (Falling - V) & -InFall;
        V += (Top - V) & -InTop;
        V += (Rising - V) & -InRise;
        return static_cast<TColor32>(V);
    };
    return Channel(H + 1.0 / 3.0) << 16 | Channel(H) << 8 | Channel(H - 1.0 / 3.0);
}

}  // namespace HSLKernels
