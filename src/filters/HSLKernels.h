// HSLKernels: the engine's floating hue-saturation-lightness conversions
// (Color32ToHSL, HSLToColor32) written out inline for per-pixel loops. They
// run the same IEEE operations in the same order, so they give the same bits;
// the divisions that depend on bytes alone come from tables. Internal to the
// filter units.
#pragma once

#include <algorithm>
#include <memory>

#include "Component/Raster32/Ras32_LowLevel.h"
#include "Component/Raster32/Ras32_Types.h"
#include "framework/System.h"

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
    const Single Rf = T.Unit[R], Gf = T.Unit[G], Bf = T.Unit[B], D = T.Unit[Mx] - T.Unit[Mn];
    S = T.Sat[Mx][Mn];
    if (R == Mx)
        H = (Gf - Bf) / D;
    else if (G == Mx)
        H = (Bf - Rf) / D + 2;
    else
        H = (Rf - Gf) / D + 4;
    H = H / 6;
    if (H < 0) H = H + 1;
}

// floor for the small values of a hue (no library call).
inline double FloorSmall(double V)
{
    const double F = static_cast<double>(static_cast<Int64>(V));
    return F > V ? F - 1 : F;
}

// ClampedByte: halves to even, then 0..255.
inline Integer ChannelByte(double V)
{
    if (!(V > -1e9 && V < 1e9)) return V > 0 ? 255 : 0;
    return std::clamp(static_cast<Integer>(Round(V)), 0, 255);
}

// HSLToColor32(H, S, L) without the alpha.
inline TColor32 FromHSL(Single H, Single S, Single L)
{
    if (S == 0) {
        const TColor32 V = static_cast<TColor32>(ChannelByte(static_cast<double>(L) * 255));
        return V * 0x010101u;
    }
    const double M2 = L <= 0.5 ? L * (1.0 + S) : static_cast<double>(L) + S - static_cast<double>(L) * S;
    const double M1 = 2.0 * L - M2;
    auto Channel = [&](double Hue) {
        Hue -= FloorSmall(Hue);
        double V;
        if (6 * Hue < 1)
            V = M1 + (M2 - M1) * Hue * 6;
        else if (2 * Hue < 1)
            V = M2;
        else if (3 * Hue < 2)
            V = M1 + (M2 - M1) * (2.0 / 3.0 - Hue) * 6;
        else
            V = M1;
        return static_cast<TColor32>(ChannelByte(V * 255));
    };
    return Channel(H + 1.0 / 3.0) << 16 | Channel(H) << 8 | Channel(H - 1.0 / 3.0);
}

}  // namespace HSLKernels
