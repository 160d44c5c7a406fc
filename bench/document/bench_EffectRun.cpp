// Effect previews on a 12-megapixel document (4000 x 3000), one thread: what
// a slider release costs (the work copy, the filter, the write-back into the
// raster), beside the filter alone on the same pixels and libvips doing the
// same filter (its Gaussian of the exponential blur's standard deviation;
// for the soften, the box mean of the same window). The tone effect has no
// peer of its own: its cost is mostly its soften of radius 4, the
// vips/soften_r4 row.
#include <benchmark/benchmark.h>
#include <vips/vips.h>

#include <cmath>

#include "BenchQuality.h"
#include "document/DocumentTestView.h"
#include "VipsPeer.h"
#include "filters/SharpenLib32.h"

namespace {
constexpr Integer W = 4000, H = 3000;

// The exponential blur's standard deviation (see bench_Filters).
double ExpBlurSigma(Integer Radius)
{
    const double K = ExpBlurCoefficient(Radius) / 65536.0, A = 1 - K;
    return std::sqrt(2 * A) / K;
}

const TBenchPixels& Picture()
{
    static const TBenchPixels P = MakeHardPattern(W, H);
    return P;
}

void FillRaster(TCustomBitmap32& B)
{
    B.SetSize(W, H);
    std::copy(Picture().begin(), Picture().end(), B.Bits());
}

struct TCase {
    const char* Name;
    TEffectMode Mode;
    Integer Value;
};
const TCase Cases[] = {{"blur_r20", emBlur, 20}, {"soften_r4", emSoften, 3}, {"tone_cold_blue", emColdBlue, 60}};

void Preview(benchmark::State& State, const TCase& C)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, W, H, false);
    FillRaster(*Doc->SrcBmp());
    Doc->SetEffectMode(C.Mode);
    Doc->EffectBegin();
    for (auto _ : State) {
        Doc->EffectDo(C.Value, false);
        benchmark::DoNotOptimize(Doc->SrcBmp()->Bits());
    }
    Doc->EffectEnd(false);
}

void FilterOnly(benchmark::State& State, const TCase& C)
{
    TCustomBitmap32 B;
    for (auto _ : State) {
        State.PauseTiming();
        FillRaster(B);
        State.ResumeTiming();
        if (C.Mode == emBlur) ExponentialBlur(&B, C.Value);
        else SoftenBitmap(&B, C.Value + 1, 0);
        benchmark::DoNotOptimize(B.Bits());
    }
}

void Vips(benchmark::State& State, const TCase& C)
{
    vips_concurrency_set(1);
    VipsImage* In = vips_image_new_from_memory(Picture().data(), Picture().size() * 4, W, H, 4, VIPS_FORMAT_UCHAR);
    std::vector<uint8_t> Out;
    for (auto _ : State) {
        VipsImage* Result = nullptr;
        int Failed;
        if (C.Mode == emBlur) {
            Failed = vips_gaussblur(In, &Result, ExpBlurSigma(C.Value), nullptr);
        } else {
            const int Size = 2 * (C.Value + 1) + 1;
            VipsImage* M = vips_image_new_matrix(Size, 1);
            for (int i = 0; i < Size; ++i) *VIPS_MATRIX(M, i, 0) = 1;
            vips_image_set_double(M, "scale", Size);
            Failed = vips_convsep(In, &Result, M, "precision", VIPS_PRECISION_INTEGER, nullptr);
            g_object_unref(M);
        }
        if (Failed || !VipsWriteInto(Result, Out)) {
            State.SkipWithError(vips_error_buffer());
            break;
        }
    }
    g_object_unref(In);
}

[[maybe_unused]] const bool Registered = [] {
    for (const TCase& C : Cases)
        benchmark::RegisterBenchmark((std::string("ours/preview_") + C.Name).c_str(),
                                     [&C](benchmark::State& S) { Preview(S, C); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
    for (const TCase& C : Cases) {
        if (C.Mode == emColdBlue) continue;
        benchmark::RegisterBenchmark((std::string("ours/") + C.Name).c_str(),
                                     [&C](benchmark::State& S) { FilterOnly(S, C); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
    }
    if (VIPS_INIT("bench_EffectRun") == 0) {
        vips_cache_set_max(0);
        for (const TCase& C : Cases) {
            if (C.Mode == emColdBlue) continue;
            benchmark::RegisterBenchmark((std::string("vips/") + C.Name + "/1_thread").c_str(),
                                         [&C](benchmark::State& S) { Vips(S, C); })
                ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
        }
    }
    return true;
}();
}  // namespace
