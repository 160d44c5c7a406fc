// Resizing a 6000 x 4000 picture to 1920 x 1080 and to 160 x 120 with each
// resampler, and turning a 4000 x 3000 (12 megapixel) picture by 30 degrees
// with the linear resampler, against the peers' operations of the same name:
//   libvips (C interface, in this process; operation cache off; one thread
//   and all threads; the result written to memory, which forces the
//   computation): vips_resize with the matching kernel, vips_shrink for the
//   box averages, vips_rotate with a bilinear interpolator;
//   ImageMagick (MagickCore, in this process; one thread and all threads):
//   ResizeImage with the matching filter, DistortImage (scale-rotate-
//   translate) with bilinear interpolation;
//   Pillow (one Python process started on first use; it times each operation
//   itself with perf_counter): Image.resize with the matching filter,
//   Image.rotate with bilinear resampling, expanding the canvas.
// Every peer gets the same uncompressed pixels in memory, so only the
// operation is timed, never file input or output. Ours: the destination is
// sized outside the timing; the draw (TransferStretched through the
// source's resampler) or TransformBitmap is timed.
#include <benchmark/benchmark.h>

#include <vips/vips.h>

#include <magick/MagickCore.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "PeerScripts.h"
#include "Component/Raster32/Ras32_Rasterizers.h"
#include "Component/Raster32/Ras32_Resamplers.h"

namespace {

constexpr Integer BigW = 6000, BigH = 4000;    // the picture to resize
constexpr Integer TurnW = 4000, TurnH = 3000;  // the picture to turn
constexpr double Angle = 30;

struct TSize2 {
    Integer W, H;
    const char* Name;
};
const TSize2 Targets[] = {{1920, 1080, "1920x1080"}, {160, 120, "160x120"}};

// A photo-like opaque picture: smooth colour fields with grain.
std::vector<TColor32> MakePicture(Integer W, Integer H, unsigned Seed)
{
    std::vector<TColor32> P(size_t(W) * H);
    std::mt19937 Rng(Seed);
    const double Fx = 0.002 + (Seed % 7) * 0.0003, Fy = 0.003 + (Seed % 5) * 0.0002;
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X) {
            auto Ch = [&](double Phase) {
                const double V = 128 + 100 * std::sin(X * Fx + Phase) * std::cos(Y * Fy - Phase) + int(Rng() % 17) - 8;
                return static_cast<TColor32>(std::clamp(V, 0.0, 255.0));
            };
            P[size_t(Y) * W + X] = 0xFF000000 | Ch(0) << 16 | Ch(1.3) << 8 | Ch(2.6);
        }
    return P;
}

const std::vector<TColor32>& BigPicture()
{
    static const std::vector<TColor32> P = MakePicture(BigW, BigH, 1);
    return P;
}

const std::vector<TColor32>& TurnPicture()
{
    static const std::vector<TColor32> P = MakePicture(TurnW, TurnH, 2);
    return P;
}

Integer AllThreads() { return std::max(1u, std::thread::hardware_concurrency()); }

// Through a buffer: GCC 12 at -O3 warns falsely about the overlap of a
// concatenated std::string.
std::string ThreadSuffix(Integer Threads)
{
    char Text[32];
    std::snprintf(Text, sizeof Text, Threads == 1 ? "/%d_thread" : "/%d_threads", static_cast<int>(Threads));
    return Text;
}

// ---------------------------------------------------------------------------
// Ours

std::unique_ptr<TCustomBitmap32> BitmapOf(const std::vector<TColor32>& P, Integer W, Integer H)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    std::memcpy(B->Bits(), P.data(), P.size() * 4);
    return B;
}

struct TOurResampler {
    const char* Name;
    const char16_t* ClassName;
    const char16_t* KernelClassName;
};
const TOurResampler OurResamplers[] = {
    {"nearest", u"TNearestResampler", nullptr},
    {"linear", u"TLinearResampler", nullptr},
    {"draft", u"TDraftResampler", nullptr},
    {"kernel_box", u"TKernelResampler", nullptr},
    {"kernel_lanczos3", u"TKernelResampler", u"TLanczosKernel"},
};

void RegisterOurs()
{
    for (const TOurResampler& R : OurResamplers)
        for (const TSize2& T : Targets)
            benchmark::RegisterBenchmark((std::string("ours/resize_") + T.Name + "/" + R.Name).c_str(),
                                         [R, T](benchmark::State& S) {
                                             auto Src = BitmapOf(BigPicture(), BigW, BigH);
                                             Src->SetResamplerClassName(R.ClassName);
                                             if (R.KernelClassName)
                                                 static_cast<TKernelResampler*>(Src->Resampler())
                                                     ->SetKernelClassName(R.KernelClassName);
                                             TCustomBitmap32 Dst;
                                             Dst.SetSize(T.W, T.H);
                                             for (auto _ : S) {
                                                 Src->DrawTo(&Dst, Dst.BoundsRect());
                                                 benchmark::ClobberMemory();
                                             }
                                             S.SetItemsProcessed(S.iterations() * int64_t(BigW) * BigH);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5);

    for (TPixelAccessMode Mode : {pamSafe, pamTransparentEdge})
        benchmark::RegisterBenchmark(
            (std::string("ours/rotate30/linear") + (Mode == pamSafe ? "" : "_transparent_edge")).c_str(),
            [Mode](benchmark::State& S) {
                auto Src = BitmapOf(TurnPicture(), TurnW, TurnH);
                Src->SetResamplerClassName(u"TLinearResampler");
                Src->Resampler()->SetPixelAccessMode(Mode);
                TAffineTransformation T;
                T.SetSrcRect(TFloatRect{0, 0, Single(TurnW), Single(TurnH)});
                T.Rotate(TurnW / 2.0f, TurnH / 2.0f, Angle);
                TFloatRect Bounds = T.GetTransformedBounds();
                T.Translate(-std::floor(Bounds.Left), -std::floor(Bounds.Top));
                TCustomBitmap32 Dst;
                Dst.SetSize(Integer(std::ceil(Bounds.Right) - std::floor(Bounds.Left)),
                            Integer(std::ceil(Bounds.Bottom) - std::floor(Bounds.Top)));
                Dst.Clear(0);
                for (auto _ : S) {
                    TransformBitmap(&Dst, Src.get(), &T);
                    benchmark::ClobberMemory();
                }
                S.SetItemsProcessed(S.iterations() * int64_t(TurnW) * TurnH);
            })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
}

// ---------------------------------------------------------------------------
// libvips

VipsImage* VipsPicture(const std::vector<TColor32>& P, Integer W, Integer H)
{
    VipsImage* In = vips_image_new_from_memory(P.data(), P.size() * 4, W, H, 4, VIPS_FORMAT_UCHAR);
    In->Type = VIPS_INTERPRETATION_sRGB;
    return In;
}

template <class Op>
void RunVips(benchmark::State& State, Integer Threads, VipsImage* In, int64_t Items, Op Make)
{
    vips_concurrency_set(Threads);
    for (auto _ : State) {
        VipsImage* Out = nullptr;
        if (Make(In, &Out) != 0 || !Out) {
            State.SkipWithError(vips_error_buffer());
            vips_error_clear();
            break;
        }
        size_t Size = 0;
        void* Mem = vips_image_write_to_memory(Out, &Size);
        g_object_unref(Out);
        if (!Mem) {
            State.SkipWithError(vips_error_buffer());
            vips_error_clear();
            break;
        }
        g_free(Mem);
    }
    State.SetItemsProcessed(State.iterations() * Items);
}

void RegisterVips()
{
    if (VIPS_INIT("bench_Ras32_Resamplers") != 0) return;
    vips_cache_set_max(0);
    static VipsImage* Big = VipsPicture(BigPicture(), BigW, BigH);
    static VipsImage* Turn = VipsPicture(TurnPicture(), TurnW, TurnH);
    struct TKernelCase {
        const char* Name;
        int Kernel;  // a VipsKernel, or -1 for the box average of vips_shrink
    };
    const TKernelCase Kernels[] = {{"nearest", VIPS_KERNEL_NEAREST},
                                   {"linear", VIPS_KERNEL_LINEAR},
                                   {"box", -1},
                                   {"lanczos3", VIPS_KERNEL_LANCZOS3}};
    for (Integer Threads : {1, AllThreads()}) {
        for (const TKernelCase& K : Kernels)
            for (const TSize2& T : Targets)
                benchmark::RegisterBenchmark(
                    (std::string("vips/resize_") + T.Name + "/" + K.Name + ThreadSuffix(Threads)).c_str(),
                    [K, T, Threads](benchmark::State& S) {
                        RunVips(S, Threads, Big, int64_t(BigW) * BigH, [K, T](VipsImage* In, VipsImage** Out) {
                            double Hs = double(T.W) / BigW, Vs = double(T.H) / BigH;
                            if (K.Kernel < 0) return vips_shrink(In, Out, 1 / Hs, 1 / Vs, nullptr);
                            return vips_resize(In, Out, Hs, "vscale", Vs, "kernel", VipsKernel(K.Kernel), nullptr);
                        });
                    })
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(3);
        benchmark::RegisterBenchmark(("vips/rotate30/linear" + ThreadSuffix(Threads)).c_str(),
                                     [Threads](benchmark::State& S) {
                                         VipsInterpolate* Bilinear = vips_interpolate_new("bilinear");
                                         RunVips(S, Threads, Turn, int64_t(TurnW) * TurnH,
                                                 [Bilinear](VipsImage* In, VipsImage** Out) {
                                                     return vips_rotate(In, Out, Angle, "interpolate", Bilinear,
                                                                        nullptr);
                                                 });
                                         g_object_unref(Bilinear);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    }
}

// ---------------------------------------------------------------------------
// ImageMagick

Image* MagickPicture(const std::vector<TColor32>& P, Integer W, Integer H)
{
    ExceptionInfo* E = AcquireExceptionInfo();
    Image* I = ConstituteImage(W, H, "BGRA", CharPixel, P.data(), E);
    DestroyExceptionInfo(E);
    return I;
}

template <class Op>
void RunMagick(benchmark::State& State, Integer Threads, Image* In, int64_t Items, Op Run)
{
    SetMagickResourceLimit(ThreadResource, static_cast<MagickSizeType>(Threads));
    ExceptionInfo* E = AcquireExceptionInfo();
    for (auto _ : State) {
        Image* Out = Run(In, E);
        State.PauseTiming();
        if (Out) DestroyImage(Out);
        State.ResumeTiming();
    }
    DestroyExceptionInfo(E);
    State.SetItemsProcessed(State.iterations() * Items);
}

void RegisterMagick()
{
    MagickCoreGenesis(nullptr, MagickFalse);
    static Image* Big = MagickPicture(BigPicture(), BigW, BigH);
    static Image* Turn = [] {
        Image* I = MagickPicture(TurnPicture(), TurnW, TurnH);
        // Bilinear sampling, no area filter, a transparent outside, a larger canvas.
        I->interpolate = BilinearInterpolatePixel;
        SetImageArtifact(I, "filter", "point");
        SetImageVirtualPixelMethod(I, TransparentVirtualPixelMethod);
        return I;
    }();
    struct TFilterCase {
        const char* Name;
        FilterTypes Filter;
    };
    const TFilterCase Filters[] = {{"nearest", PointFilter},
                                   {"linear", TriangleFilter},
                                   {"box", BoxFilter},
                                   {"lanczos3", LanczosFilter}};
    for (Integer Threads : {1, AllThreads()}) {
        for (const TFilterCase& F : Filters)
            for (const TSize2& T : Targets)
                benchmark::RegisterBenchmark(
                    (std::string("magick/resize_") + T.Name + "/" + F.Name + ThreadSuffix(Threads)).c_str(),
                    [F, T, Threads](benchmark::State& S) {
                        RunMagick(S, Threads, Big, int64_t(BigW) * BigH, [F, T](Image* In, ExceptionInfo* E) {
                            return ResizeImage(In, T.W, T.H, F.Filter, 1.0, E);
                        });
                    })
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(F.Filter == PointFilter ? 3 : 1);
        benchmark::RegisterBenchmark(("magick/rotate30/linear" + ThreadSuffix(Threads)).c_str(),
                                     [Threads](benchmark::State& S) {
                                         RunMagick(S, Threads, Turn, int64_t(TurnW) * TurnH,
                                                   [](Image* In, ExceptionInfo* E) {
                                                       const double Args[1] = {Angle};
                                                       return DistortImage(In, ScaleRotateTranslateDistortion, 1, Args,
                                                                           MagickTrue, E);
                                                   });
                                     })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
}

// ---------------------------------------------------------------------------
// Pillow

const char* const PillowScript = R"PY(
import sys, time
from PIL import Image
def load(path, w, h):
    with open(path, 'rb') as f:
        return Image.frombuffer('RGBA', (w, h), f.read(), 'raw', 'BGRA', 0, 1).copy()
big = load(sys.argv[1], int(sys.argv[2]), int(sys.argv[3]))
turn = load(sys.argv[4], int(sys.argv[5]), int(sys.argv[6]))
filters = {'nearest': Image.NEAREST, 'linear': Image.BILINEAR, 'box': Image.BOX, 'lanczos3': Image.LANCZOS}
ops = {}
for size in ((1920, 1080), (160, 120)):
    for name, f in filters.items():
        ops['resize_%dx%d/%s' % (size[0], size[1], name)] = (lambda size=size, f=f: big.resize(size, f))
ops['rotate30/linear'] = lambda: turn.rotate(30, resample=Image.BILINEAR, expand=True)
for name, op in ops.items():
    op()
    t0 = time.perf_counter()
    for _ in range(3):
        op()
    print(name, (time.perf_counter() - t0) / 3, flush=True)
)PY";

// Seconds per operation by name; empty when Python or Pillow is missing.
const std::map<std::string, double>& PillowTimes()
{
    static const std::map<std::string, double> Times = [] {
        std::map<std::string, double> T;
        const std::string Script = BenchTempPath("bench_Ras32_Resamplers_pillow.py"),
                          PathBig = BenchTempPath("bench_Ras32_Resamplers_big.raw"),
                          PathTurn = BenchTempPath("bench_Ras32_Resamplers_turn.raw");
        if (!WriteBenchFile(Script, PillowScript, std::strlen(PillowScript)) ||
            !WriteBenchFile(PathBig, BigPicture().data(), BigPicture().size() * 4) ||
            !WriteBenchFile(PathTurn, TurnPicture().data(), TurnPicture().size() * 4))
            return T;
        T = RunTimingScript(Script, PathBig + " " + std::to_string(BigW) + " " + std::to_string(BigH) + " " +
                                        PathTurn + " " + std::to_string(TurnW) + " " + std::to_string(TurnH));
        std::remove(PathBig.c_str());
        std::remove(PathTurn.c_str());
        std::remove(Script.c_str());
        return T;
    }();
    return Times;
}

void RegisterPillow()
{
    std::vector<std::string> Names;
    for (const TSize2& T : Targets)
        for (const char* F : {"nearest", "linear", "box", "lanczos3"})
            Names.push_back(std::string("resize_") + T.Name + "/" + F);
    Names.push_back("rotate30/linear");
    for (const std::string& Name : Names)
        benchmark::RegisterBenchmark(("pillow/" + Name).c_str(), [Name](benchmark::State& S) {
            const auto& T = PillowTimes();
            const auto It = T.find(Name);
            if (It == T.end()) {
                S.SkipWithError("Pillow did not run this operation");
                return;
            }
            for (auto _ : S) S.SetIterationTime(It->second);
        })->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
}

const bool GRegistered = (RegisterOurs(), RegisterVips(), RegisterMagick(), RegisterPillow(), true);

}  // namespace
