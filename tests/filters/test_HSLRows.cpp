#include <gtest/gtest.h>

#include <cstring>

#include "FilterTestUtils.h"
#include "filters/HSLRows.h"

namespace {

bool SameBits(Single A, Single B) { return std::memcmp(&A, &B, sizeof A) == 0; }

}  // namespace

class HSLRowsVariants : public VariantTest {};

TEST_F(HSLRowsVariants, EveryFormGivesTheEngineConversions)
{
    std::vector<TColor32> Colors;
    for (Integer R = 0; R < 256; R += 3)
        for (Integer G = 0; G < 256; G += 5)
            for (Integer B = 0; B < 256; B += 4) Colors.push_back(Color32FromRGBA(R, G, B, 0));
    for (Integer I = 0; I < 256; ++I) Colors.push_back(GrayColor32(I));
    Colors.push_back(0xFFFFFFFF);
    std::mt19937 Rng(3);
    std::vector<Single> Hs, Ss, Ls;
    const Single Edges[] = {0.0f, 1.0f, 0.5f, 1.0f / 3, 2.0f / 3, 1.0f / 6, 0.999999f, 1e-7f};
    for (Single A : Edges)
        for (Single B : Edges)
            for (Single C : Edges) Hs.push_back(A), Ss.push_back(B), Ls.push_back(C);
    std::uniform_real_distribution<Single> Unit(0.0f, 1.0f);
    for (Integer I = 0; I < 200000; ++I) Hs.push_back(Unit(Rng)), Ss.push_back(Unit(Rng)), Ls.push_back(Unit(Rng));
    Integer Compared = 0;
    for (const TVariantSet& Set : RunnableVariantSets()) {
        BindForCpuFeatures(Set.Features);
        const Integer N = static_cast<Integer>(Colors.size()) - 3;  // leaves a tail for the last step
        std::vector<Single> H(Colors.size()), S(Colors.size()), L(Colors.size());
        ColorsToHSL(Colors.data(), N, H.data(), S.data(), L.data());
        for (Integer I = 0; I < N; ++I) {
            Single Ho, So, Lo;
            Color32ToHSL(Colors[I], Ho, So, Lo);
            ASSERT_TRUE(SameBits(H[I], Ho) && SameBits(S[I], So) && SameBits(L[I], Lo))
                << Set.Name << " " << std::hex << Colors[I];
        }
        std::vector<TColor32> Out(Hs.size());
        HSLToColors(Hs.data(), Ss.data(), Ls.data(), Out.data(), static_cast<Integer>(Hs.size()));
        for (size_t I = 0; I < Hs.size(); ++I)
            ASSERT_EQ(Out[I], HSLToColor32(Hs[I], Ss[I], Ls[I]) & 0x00FFFFFF)
                << Set.Name << " " << Hs[I] << " " << Ss[I] << " " << Ls[I];
        Compared += N + static_cast<Integer>(Hs.size());
    }
    std::printf("compared %d conversions\n", Compared);
}
