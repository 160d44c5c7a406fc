#include "filters/HSLRows.h"

#include "Component/Raster32/Ras32_Bindings.h"
#include "filters/HSLKernels.h"

namespace HSLRowsPas {

void ColorsToHSL(const TColor32* Colors, Integer Count, Single* H, Single* S, Single* L)
{
    const HSLKernels::TTables& T = HSLKernels::Tables();
    for (Integer I = 0; I < Count; ++I) {
        const TColor32 C = Colors[I];
        HSLKernels::ToHSL(T, (C >> 16) & 0xFF, (C >> 8) & 0xFF, C & 0xFF, H[I], S[I], L[I]);
    }
}

void HSLToColors(const Single* H, const Single* S, const Single* L, TColor32* Colors, Integer Count)
{
    for (Integer I = 0; I < Count; ++I) Colors[I] = HSLKernels::FromHSL(H[I], S[I], L[I]);
}

}  // namespace HSLRowsPas

TColorsToHSL* ColorsToHSL = HSLRowsPas::ColorsToHSL;
THSLToColors* HSLToColors = HSLRowsPas::HSLToColors;

void RegisterHSLRowBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"HSLRows bindings");
    Registry->RegisterBinding(0, &ColorsToHSL);
    Registry->RegisterBinding(1, &HSLToColors);
    Registry->Add(0, HSLRowsPas::ColorsToHSL);
    Registry->Add(1, HSLRowsPas::HSLToColors);
#if defined(LM_HSLROWS_AVX2)
    Registry->Add(0, HSLRowsAVX2::ColorsToHSL, CpuFeature(ciAVX2));
    Registry->Add(1, HSLRowsAVX2::HSLToColors, CpuFeature(ciAVX2));
#endif
    Registry->RebindAll();
}
