// A skinned window frame resized to 1920 x 1080: the nine-slice image with
// tiled edges and client, plus the region data of its mask's border strips
// (the goal is under 8 ms). The peer is pixman copying a picture of the same
// size once, the least any builder can do; "exact" reports whether the tiled
// client repeats its piece pixel for pixel.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include "skin/model/SFKernels.h"
#include "skin/model/SFSkinImage.h"

namespace {

constexpr Integer W = 1920, H = 1080, RS = 64, Bd = 8;

struct TFrameData {
    TsfBitmap SB, Mask;
    TFrameData()
    {
        InstallSkinKernels();
        SB.SetSize(RS, RS);
        Mask.SetSize(RS, RS);
        for (Integer y = 0; y < RS; ++y)
            for (Integer x = 0; x < RS; ++x) {
                *SB.PixelAddress(x, y) = 0xFF000000u | static_cast<TsfColor>(y * 4099 + x * 31);
                // Rounded corners: the corner pixels outside, the rest inside.
                const bool Out = (x + y < 4) || (RS - 1 - x + y < 4) || (x + RS - 1 - y < 4) || (2 * RS - 2 - x - y < 4);
                *Mask.PixelAddress(x, y) = Out ? 0xFFFFFFFFu : 0xFF000000u;
            }
    }
};

TFrameData& Data()
{
    static TFrameData D;
    return D;
}

void BM_SkinFrameImageAndRegion(benchmark::State& State)
{
    TFrameData& D = Data();
    const TRect CL{Bd, Bd, RS - Bd, RS - Bd}, NCL{Bd, Bd, W - Bd, H - Bd};
    const TPoint LT{Bd, Bd}, RT{RS - Bd, Bd}, LB{Bd, RS - Bd}, RB{RS - Bd, RS - Bd};
    const TPoint NLT{Bd, Bd}, NRT{W - Bd, Bd}, NLB{Bd, H - Bd}, NRB{W - Bd, H - Bd};
    TsfBitmap B, T, L, R, Bo;
    std::vector<uint8_t> Rgn;
    size_t Bytes = 0;
    for (auto _ : State) {
        CreateSkinImage(LT, RT, LB, RB, CL, NLT, NRT, NLB, NRB, NCL, &B, &D.SB, {0, 0, RS, RS}, W, H, true, false,
                        false, false, false, false, sfstFull);
        CreateSkinMask(LT, RT, LB, RB, CL, NLT, NRT, NLB, NRB, NCL, &D.Mask, &T, &L, &R, &Bo, W, H);
        Bytes = MaskToRgnData(&T, 0, 0, Rgn) + MaskToRgnData(&Bo, 0, NCL.Bottom, Rgn) +
                MaskToRgnData(&L, 0, NCL.Top, Rgn) + MaskToRgnData(&R, NCL.Right, NCL.Top, Rgn);
        benchmark::DoNotOptimize(B.Bits());
    }
    bool Exact = true;
    for (Integer y = Bd; y < H - Bd && Exact; y += 37)
        for (Integer x = Bd; x < W - Bd; x += 13)
            if (B.GetPixel(x, y) != D.SB.GetPixel(Bd + (x - Bd) % (RS - 2 * Bd), Bd + (y - Bd) % (RS - 2 * Bd))) {
                Exact = false;
                break;
            }
    State.counters["exact"] = Exact;
    State.counters["rgn_bytes"] = static_cast<double>(Bytes);
    State.SetItemsProcessed(State.iterations() * W * H);
}

void BM_PixmanFullFrameCopy(benchmark::State& State)
{
    std::vector<uint32_t> Src(static_cast<size_t>(W) * H, 0xFF336699u), Dst(Src.size());
    pixman_image_t* S = pixman_image_create_bits(PIXMAN_a8r8g8b8, W, H, Src.data(), W * 4);
    pixman_image_t* T = pixman_image_create_bits(PIXMAN_a8r8g8b8, W, H, Dst.data(), W * 4);
    for (auto _ : State) {
        pixman_image_composite32(PIXMAN_OP_SRC, S, nullptr, T, 0, 0, 0, 0, 0, 0, W, H);
        benchmark::DoNotOptimize(Dst.data());
    }
    State.counters["exact"] = Dst == Src;
    State.SetItemsProcessed(State.iterations() * W * H);
    pixman_image_unref(S);
    pixman_image_unref(T);
}

} // namespace

BENCHMARK(BM_SkinFrameImageAndRegion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixmanFullFrameCopy)->Unit(benchmark::kMillisecond);
