#include "filters/HueSaturationRows.h"

#include <algorithm>
#include <memory>

#include "Component/Raster32/Ras32_Bindings.h"
#include "Component/Raster32/Ras32_LowLevel.h"

THueSaturationParams::THueSaturationParams(Integer ADegrees, Integer AAmount)
    : Degrees(ADegrees), Amount(AAmount), Turn(ADegrees % 360)
{
    for (Integer S = 0; S < 256; ++S) {
        Int64 A = AAmount;
        if (A > 0) A = 65025 / std::max<Int64>(A + S < 255 ? 255 - A : S, 1) - 255;
        Factor[S] = static_cast<Integer>(std::clamp<Int64>(A, -130050, 130050));
    }
}

const THueSaturationTables& HueSaturationTables()
{
    static const std::unique_ptr<const THueSaturationTables> T = [] {
        auto N = std::make_unique<THueSaturationTables>();
        for (Integer Mx = 0; Mx < 256; ++Mx)
            for (Integer Mn = 0; Mn < 256; ++Mn) {
                const Integer c = Mx + Mn;
                N->Sat[Mx][Mn] = Mx <= Mn ? 0 : static_cast<Byte>(c > 255 ? (Mx - Mn) * 255 / (510 - c) : (Mx - Mn) * 255 / c);
            }
        for (Integer D = 0; D < 256; ++D)
            for (Integer Diff = -255; Diff <= 255; ++Diff)
                N->HueStep[D][Diff + 255] = static_cast<int16_t>(D == 0 ? 0 : Diff * 60 / D);
        for (Integer T = 0; T < 64; ++T) N->Ramp[T] = T <= 60 ? static_cast<Byte>((T * 255 + 30) / 60) : 0;
        return std::unique_ptr<const THueSaturationTables>(std::move(N));
    }();
    return *T;
}

namespace HueSaturationPas {

void HueSaturationRow(TColor32* P, Integer Count, const THueSaturationParams& Params)
{
    const THueSaturationTables& T = HueSaturationTables();
    for (Integer I = 0; I < Count; ++I) {
        const TColor32 C = P[I];
        Integer r = (C >> 16) & 0xFF, g = (C >> 8) & 0xFF, b = C & 0xFF;
        const Integer Max = MaxOf3(r, g, b), Min = MinOf3(r, g, b);
        if (Max == Min) continue;
        const Integer s = T.Sat[Max][Min];
        const Integer l = (Max + Min) / 2;
        if (Params.Degrees != 0) {
            // Selections by masks and tables rather than jumps: which channel
            // is largest and the sector change from pixel to pixel.
            const Integer Delta = Max - Min;
            const bool RedMax = r == Max, GreenMax = !RedMax && g == Max;
            const Integer Diff = RedMax ? g - b : (GreenMax ? b - r : r - g);
            const Integer Own = T.HueStep[Delta][Diff + 255] + (RedMax ? 0 : (GreenMax ? 120 : 240));
            // Into 0..360 (360 stays): h lies in -420..660 here.
            Integer h = Params.Turn + Own;
            h += 360 & -static_cast<Integer>(h < 0);
            h += 360 & -static_cast<Integer>(h < 0);
            h -= 360 & -static_cast<Integer>(h > 360);
            const Integer f = h / 60, m = h % 60;
            Integer v = T.Ramp[(f & 1) ? 60 - m : m];
            v = v - ((v - 128) * (255 - s)) / 255;
            const Integer Up = v + ((l - 128) * (255 - v) + 64) / 128, Down = v + ((l - 128) * v) / 128;
            v = l >= 129 ? Up : (l < 128 ? Down : v);
            const Integer Values[3] = {Max, ClampByte(v), Min};
            // Sector -> which of max, mid, min goes to red, green and blue.
            static const Byte Order[7][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}, {2, 1, 0}, {1, 2, 0}, {0, 2, 1}, {0, 1, 2}};
            r = Values[Order[f][0]], g = Values[Order[f][1]], b = Values[Order[f][2]];
        }
        if (Params.Amount != 0) {
            const Int64 A = Params.Factor[s];
            auto Move = [&](Integer Ch) {
                return ClampByte(static_cast<Integer>(std::clamp<Int64>(Ch + A * (Ch - l) / 255, -1, 256)));
            };
            r = Move(r), g = Move(g), b = Move(b);
        }
        P[I] = (C & 0xFF000000) | static_cast<TColor32>(r) << 16 | static_cast<TColor32>(g) << 8 | static_cast<TColor32>(b);
    }
}

}  // namespace HueSaturationPas

THueSaturationRow* HueSaturationRow = HueSaturationPas::HueSaturationRow;

void RegisterHueSaturationBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"HueSaturationRows bindings");
    Registry->RegisterBinding(0, &HueSaturationRow);
    Registry->Add(0, HueSaturationPas::HueSaturationRow);
#if defined(LM_HUESATURATION_AVX2)
    Registry->Add(0, HueSaturationAVX2::HueSaturationRow, CpuFeature(ciAVX2));
#endif
    Registry->RebindAll();
}
