// Resizing a 6000 x 4000 picture to 1920 x 1080 and to 160 x 120 with each
// resampler, and turning a 4000 x 3000 picture by 30 degrees with bilinear
// sampling, against the peers' operations with the same filter:
//   libvips (C interface, in this process; operation cache off; one thread
//   and all threads; the result written to memory that is reused, as our
//   destination is): vips_resize with the matching kernel, vips_shrink for
//   the box averages, vips_rotate with a bilinear interpolator;
//   ImageMagick (MagickCore, in this process; one thread and all threads):
//   ResizeImage with the matching filter, DistortImage (scale-rotate-
//   translate) with bilinear interpolation;
//   Pillow (one Python process; it times each operation itself): resize
//   with the matching filter and rotate with bilinear resampling, on an RGB
//   picture since ours is opaque (its RGBA paths premultiply).
// Every side gets the same pixels in memory and has the caches emptied before
// each timed operation. The picture is the hard pattern of BenchQuality.h.
//
// Quality: each side's operation, run on a quarter-size pattern at the same
// scale factors, against the exact floating-point result of the filter it
// names (PSNR of RGB, counter PSNR_dB; the turn is compared where the
// source point lies two pixels inside the picture, after the best shift of
// at most a pixel, counters PSNR_dB and shift_px). Ours also against a
// floating-point model of its specified arithmetic (PSNR_model_dB).
#include <benchmark/benchmark.h>

#include <vips/vips.h>

#include <magick/MagickCore.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchQuality.h"
#include "PeerScripts.h"
#include "VipsPeer.h"
#include "Component/Raster32/Ras32_Rasterizers.h"
#include "Component/Raster32/Ras32_Resamplers.h"

namespace {

constexpr Integer BigW = 6000, BigH = 4000;    // the picture to resize
constexpr Integer TurnW = 4000, TurnH = 3000;  // the picture to turn
constexpr Integer QScale = 4;                  // the quality pictures: a quarter of the size
constexpr double Angle = 30;                   // counter-clockwise on the screen

struct TSize2 {
    Integer W, H;
    const char* Name;
};
const TSize2 Targets[] = {{1920, 1080, "1920x1080"}, {160, 120, "160x120"}};

const TBenchPixels& Pattern(Integer W, Integer H)
{
    static std::map<std::pair<Integer, Integer>, TBenchPixels> Made;
    auto It = Made.find({W, H});
    if (It == Made.end()) It = Made.emplace(std::make_pair(W, H), MakeHardPattern(W, H)).first;
    return It->second;
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

// The filter each operation names, for its exact reference.
struct TFilter {
    const char* Name;
    double (*Kernel)(double);  // nullptr: nearest
    double Support;
};
const TFilter Nearest{"nearest", nullptr, 0}, Linear{"linear", TriangleKernel, 1}, Box{"box", BoxKernel, 0.5},
    Lanczos3{"lanczos3", Lanczos3Kernel, 3};

// PSNR of a resize result of the quarter-size pattern to T / QScale.
double ResizeQuality(const TFilter& F, const TSize2& T, const uint32_t* Out)
{
    static std::map<std::string, TFloatPicture> Refs;
    const std::string Key = std::string(F.Name) + T.Name;
    auto It = Refs.find(Key);
    if (It == Refs.end()) {
        const TFloatPicture Src = ToFloat(Pattern(BigW / QScale, BigH / QScale), BigW / QScale, BigH / QScale);
        std::function<double(double)> K;
        if (F.Kernel) K = F.Kernel;
        It = Refs.emplace(Key, ResizeReference(Src, T.W / QScale, T.H / QScale, K, F.Support)).first;
    }
    return Psnr(Out, It->second);
}

// The turn's reference: destination pixel centres mapped back about the
// canvases' centres (rotated by Sign * Angle) and shifted by (Sx, Sy),
// sampled bilinearly with WeightOf (true bilinear when empty).
struct TTurnScore {
    double Psnr = 0, ShiftX = 0, ShiftY = 0;
};

TTurnScore TurnScore(const uint32_t* Out, Integer OutW, Integer OutH, double Sign, double Sx, double Sy,
                     const std::function<double(double)>& WeightOf = {})
{
    static const TFloatPicture Src = ToFloat(Pattern(TurnW / QScale, TurnH / QScale), TurnW / QScale, TurnH / QScale);
    const double A = Sign * Angle * M_PI / 180, C = std::cos(A), S = std::sin(A);
    TFloatPicture Ref{OutW, OutH, std::vector<double>(size_t(OutW) * OutH * 3)};
    std::vector<char> Inside(size_t(OutW) * OutH);
    for (Integer Y = 0; Y < OutH; ++Y)
        for (Integer X = 0; X < OutW; ++X) {
            // y down: counter-clockwise on the screen is (x c + y s, -x s + y c) forward.
            const double Dx = X + 0.5 - OutW / 2.0, Dy = Y + 0.5 - OutH / 2.0;
            const double U = Dx * C - Dy * S + Src.W / 2.0 - 0.5 + Sx, V = Dx * S + Dy * C + Src.H / 2.0 - 0.5 + Sy;
            double P[3];
            const bool In = U >= 2 && V >= 2 && U <= Src.W - 3 && V <= Src.H - 3 && BilinearAt(Src, U, V, P, WeightOf);
            Inside[size_t(Y) * OutW + X] = In;
            if (In)
                for (int K = 0; K < 3; ++K) Ref.At(X, Y, K) = P[K];
        }
    return {Psnr(Out, Ref, [&](int X, int Y) { return Inside[size_t(Y) * OutW + X] != 0; }), Sx, Sy};
}

// The best shift within a pixel (coarse to fine, down to an eighth) and the
// better turning sense (the peers do not agree on which way a positive angle
// turns).
TTurnScore BestTurnScore(const uint32_t* Out, Integer OutW, Integer OutH,
                         const std::function<double(double)>& WeightOf = {})
{
    const double Sign = TurnScore(Out, OutW, OutH, 1, 0, 0, WeightOf).Psnr >=
                                TurnScore(Out, OutW, OutH, -1, 0, 0, WeightOf).Psnr
                            ? 1
                            : -1;
    TTurnScore Best;
    double Cx = 0, Cy = 0;
    for (double Step : {0.5, 0.25, 0.125}) {
        const int Reach = Step == 0.5 ? 2 : 1;
        const double X0 = Cx, Y0 = Cy;
        for (int I = -Reach; I <= Reach; ++I)
            for (int J = -Reach; J <= Reach; ++J) {
                const TTurnScore T = TurnScore(Out, OutW, OutH, Sign, X0 + I * Step, Y0 + J * Step, WeightOf);
                if (T.Psnr > Best.Psnr) {
                    Best = T;
                    Cx = T.ShiftX;
                    Cy = T.ShiftY;
                }
            }
    }
    return Best;
}

void SetTurnCounters(benchmark::State& S, const TTurnScore& T)
{
    S.counters["PSNR_dB"] = T.Psnr;
    S.counters["shift_px"] = std::hypot(T.ShiftX, T.ShiftY);
}

// ---------------------------------------------------------------------------
// Ours

std::unique_ptr<TCustomBitmap32> BitmapOf(const TBenchPixels& P, Integer W, Integer H)
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
    const TFilter* Filter;
};
const TOurResampler OurResamplers[] = {
    {"nearest", u"TNearestResampler", nullptr, &Nearest},
    {"linear", u"TLinearResampler", nullptr, &Linear},
    {"draft", u"TDraftResampler", nullptr, &Box},
    {"box", u"TKernelResampler", nullptr, &Box},
    {"lanczos3", u"TKernelResampler", u"TLanczosKernel", &Lanczos3},
};

std::unique_ptr<TCustomBitmap32> OurSource(const TOurResampler& R, Integer W, Integer H)
{
    auto Src = BitmapOf(Pattern(W, H), W, H);
    Src->SetResamplerClassName(R.ClassName);
    if (R.KernelClassName)
        static_cast<TKernelResampler*>(Src->Resampler())->SetKernelClassName(R.KernelClassName);
    return Src;
}

// Our turn of Src by Angle about its centre onto a canvas of the bounds.
struct TOurTurn {
    TAffineTransformation T;
    TCustomBitmap32 Dst;
    explicit TOurTurn(Integer W, Integer H)
    {
        T.SetSrcRect(TFloatRect{0, 0, Single(W), Single(H)});
        T.Rotate(W / 2.0f, H / 2.0f, Angle);
        TFloatRect Bounds = T.GetTransformedBounds();
        T.Translate(-std::floor(Bounds.Left), -std::floor(Bounds.Top));
        Dst.SetSize(Integer(std::ceil(Bounds.Right) - std::floor(Bounds.Left)),
                    Integer(std::ceil(Bounds.Bottom) - std::floor(Bounds.Top)));
        Dst.Clear(0);
    }
};

// What the bilinear sampler specifies for a fraction f toward the next pixel:
// that pixel's weight is 1 - GammaCurve[255 - f * 256] / 256.
double SpecifiedWeight(double F)
{
    const int Fx = std::clamp(int(std::floor(F * 256)), 0, 255);
    return 1 - GammaCurve[255 - Fx] / 256.0;
}

void RegisterOurs()
{
    for (const TOurResampler& R : OurResamplers)
        for (const TSize2& T : Targets)
            benchmark::RegisterBenchmark((std::string("ours/resize_") + T.Name + "/" + R.Name).c_str(),
                                         [R, T](benchmark::State& S) {
                                             auto Src = OurSource(R, BigW, BigH);
                                             TCustomBitmap32 Dst;
                                             Dst.SetSize(T.W, T.H);
                                             for (auto _ : S) {
                                                 S.PauseTiming();
                                                 FlushCaches();
                                                 S.ResumeTiming();
                                                 Src->DrawTo(&Dst, Dst.BoundsRect());
                                                 benchmark::ClobberMemory();
                                             }
                                             auto Small = OurSource(R, BigW / QScale, BigH / QScale);
                                             TCustomBitmap32 Out;
                                             Out.SetSize(T.W / QScale, T.H / QScale);
                                             Small->DrawTo(&Out, Out.BoundsRect());
                                             S.counters["PSNR_dB"] = ResizeQuality(*R.Filter, T, Out.Bits());
                                             S.SetItemsProcessed(S.iterations() * int64_t(BigW) * BigH);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);

    benchmark::RegisterBenchmark("ours/rotate30/linear", [](benchmark::State& S) {
        auto Src = BitmapOf(Pattern(TurnW, TurnH), TurnW, TurnH);
        Src->SetResamplerClassName(u"TLinearResampler");
        TOurTurn Turn(TurnW, TurnH);
        for (auto _ : S) {
            S.PauseTiming();
            FlushCaches();
            S.ResumeTiming();
            TransformBitmap(&Turn.Dst, Src.get(), &Turn.T);
            benchmark::ClobberMemory();
        }
        // Quality on the quarter-size picture. Our canvas is placed by whole
        // pixels (floor of the bounds), so the centre's place is known.
        auto Small = BitmapOf(Pattern(TurnW / QScale, TurnH / QScale), TurnW / QScale, TurnH / QScale);
        Small->SetResamplerClassName(u"TLinearResampler");
        TOurTurn Q(TurnW / QScale, TurnH / QScale);
        TransformBitmap(&Q.Dst, Small.get(), &Q.T);
        const TFloatPoint Centre = Q.T.Transform(TFloatPoint{TurnW / QScale / 2.0f, TurnH / QScale / 2.0f});
        const double Cx = Centre.X - Q.Dst.Width() / 2.0, Cy = Centre.Y - Q.Dst.Height() / 2.0;
        // The canvas centre's offset from the turned centre, back in source axes.
        const double A = Angle * M_PI / 180;
        const double Ox = -(Cx * std::cos(A) - Cy * std::sin(A)), Oy = -(Cx * std::sin(A) + Cy * std::cos(A));
        const TTurnScore Exact = TurnScore(Q.Dst.Bits(), Q.Dst.Width(), Q.Dst.Height(), 1, Ox, Oy);
        const TTurnScore Best = BestTurnScore(Q.Dst.Bits(), Q.Dst.Width(), Q.Dst.Height());
        S.counters["PSNR_dB"] = Exact.Psnr;
        S.counters["PSNR_best_shift_dB"] = Best.Psnr;
        S.counters["shift_px"] = std::hypot(Best.ShiftX - Ox, Best.ShiftY - Oy);
        S.counters["PSNR_model_dB"] =
            TurnScore(Q.Dst.Bits(), Q.Dst.Width(), Q.Dst.Height(), 1, Ox, Oy, SpecifiedWeight).Psnr;
        S.SetItemsProcessed(S.iterations() * int64_t(TurnW) * TurnH);
    })->Unit(benchmark::kMillisecond)->Iterations(3);
}

// ---------------------------------------------------------------------------
// libvips

VipsImage* VipsPicture(const TBenchPixels& P, Integer W, Integer H)
{
    VipsImage* In = vips_image_new_from_memory(P.data(), P.size() * 4, W, H, 4, VIPS_FORMAT_UCHAR);
    In->Type = VIPS_INTERPRETATION_sRGB;
    return In;
}

using TVipsOp = std::function<int(VipsImage*, VipsImage**)>;

// The result of Make(In) written into Out (reused, as our destination is).
bool VipsInto(VipsImage* In, const TVipsOp& Make, std::vector<uint8_t>& Out, int& W, int& H)
{
    VipsImage* Result = nullptr;
    if (Make(In, &Result) != 0 || !Result) return false;
    W = Result->Xsize;
    H = Result->Ysize;
    return VipsWriteInto(Result, Out);
}

// BGRA bytes to 0xAARRGGBB words (the vips picture is BGRA in memory).
std::vector<uint32_t> Words(const std::vector<uint8_t>& Bytes)
{
    std::vector<uint32_t> W(Bytes.size() / 4);
    std::memcpy(W.data(), Bytes.data(), W.size() * 4);
    return W;
}

void RunVips(benchmark::State& State, Integer Threads, VipsImage* In, int64_t Items, const TVipsOp& Make)
{
    vips_concurrency_set(Threads);
    std::vector<uint8_t> Out;
    int W = 0, H = 0;
    for (auto _ : State) {
        State.PauseTiming();
        FlushCaches();
        State.ResumeTiming();
        if (!VipsInto(In, Make, Out, W, H)) {
            State.SkipWithError(vips_error_buffer());
            vips_error_clear();
            break;
        }
    }
    State.SetItemsProcessed(State.iterations() * Items);
}

void RegisterVips()
{
    if (VIPS_INIT("bench_Ras32_Resamplers") != 0) return;
    vips_cache_set_max(0);
    static VipsImage* Big = VipsPicture(Pattern(BigW, BigH), BigW, BigH);
    static VipsImage* Turn = VipsPicture(Pattern(TurnW, TurnH), TurnW, TurnH);
    static VipsImage* SmallBig = VipsPicture(Pattern(BigW / QScale, BigH / QScale), BigW / QScale, BigH / QScale);
    static VipsImage* SmallTurn = VipsPicture(Pattern(TurnW / QScale, TurnH / QScale), TurnW / QScale, TurnH / QScale);
    struct TKernelCase {
        const TFilter* Filter;
        int Kernel;  // a VipsKernel, or -1 for the box average of vips_shrink
    };
    const TKernelCase Kernels[] = {{&Nearest, VIPS_KERNEL_NEAREST},
                                   {&Linear, VIPS_KERNEL_LINEAR},
                                   {&Box, -1},
                                   {&Lanczos3, VIPS_KERNEL_LANCZOS3}};
    for (Integer Threads : {1, AllThreads()}) {
        for (const TKernelCase& K : Kernels)
            for (const TSize2& T : Targets)
                benchmark::RegisterBenchmark(
                    (std::string("vips/resize_") + T.Name + "/" + K.Filter->Name + ThreadSuffix(Threads)).c_str(),
                    [K, T, Threads](benchmark::State& S) {
                        auto Op = [K](int W, int H, int SrcW, int SrcH) -> TVipsOp {
                            return [=](VipsImage* In, VipsImage** Out) {
                                const double Hs = double(W) / SrcW, Vs = double(H) / SrcH;
                                if (K.Kernel < 0) return vips_shrink(In, Out, 1 / Hs, 1 / Vs, nullptr);
                                return vips_resize(In, Out, Hs, "vscale", Vs, "kernel", VipsKernel(K.Kernel),
                                                   nullptr);
                            };
                        };
                        RunVips(S, Threads, Big, int64_t(BigW) * BigH, Op(T.W, T.H, BigW, BigH));
                        std::vector<uint8_t> Out;
                        int W = 0, H = 0;
                        if (VipsInto(SmallBig, Op(T.W / QScale, T.H / QScale, BigW / QScale, BigH / QScale), Out, W,
                                     H) &&
                            W == T.W / QScale && H == T.H / QScale)
                            S.counters["PSNR_dB"] = ResizeQuality(*K.Filter, T, Words(Out).data());
                    })
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(3);
        benchmark::RegisterBenchmark(("vips/rotate30/linear" + ThreadSuffix(Threads)).c_str(),
                                     [Threads](benchmark::State& S) {
                                         VipsInterpolate* Bilinear = vips_interpolate_new("bilinear");
                                         const TVipsOp Op = [Bilinear](VipsImage* In, VipsImage** Out) {
                                             return vips_rotate(In, Out, Angle, "interpolate", Bilinear, nullptr);
                                         };
                                         RunVips(S, Threads, Turn, int64_t(TurnW) * TurnH, Op);
                                         std::vector<uint8_t> Out;
                                         int W = 0, H = 0;
                                         if (VipsInto(SmallTurn, Op, Out, W, H))
                                             SetTurnCounters(S, BestTurnScore(Words(Out).data(), W, H));
                                         g_object_unref(Bilinear);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    }
}

// ---------------------------------------------------------------------------
// ImageMagick

Image* MagickPicture(const TBenchPixels& P, Integer W, Integer H)
{
    ExceptionInfo* E = AcquireExceptionInfo();
    Image* I = ConstituteImage(W, H, "BGRA", CharPixel, P.data(), E);
    DestroyExceptionInfo(E);
    return I;
}

std::vector<uint32_t> MagickPixels(Image* I)
{
    std::vector<uint32_t> P(I->columns * I->rows);
    ExceptionInfo* E = AcquireExceptionInfo();
    ExportImagePixels(I, 0, 0, I->columns, I->rows, "BGRA", CharPixel, P.data(), E);
    DestroyExceptionInfo(E);
    return P;
}

// Bilinear sampling, no area filter, a transparent outside, a larger canvas.
Image* MagickTurnPicture(const TBenchPixels& P, Integer W, Integer H)
{
    Image* I = MagickPicture(P, W, H);
    I->interpolate = BilinearInterpolatePixel;
    SetImageArtifact(I, "filter", "point");
    SetImageVirtualPixelMethod(I, TransparentVirtualPixelMethod);
    return I;
}

using TMagickOp = std::function<Image*(Image*, ExceptionInfo*)>;

void RunMagick(benchmark::State& State, Integer Threads, Image* In, int64_t Items, const TMagickOp& Run)
{
    SetMagickResourceLimit(ThreadResource, static_cast<MagickSizeType>(Threads));
    ExceptionInfo* E = AcquireExceptionInfo();
    for (auto _ : State) {
        State.PauseTiming();
        FlushCaches();
        State.ResumeTiming();
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
    static Image* Big = MagickPicture(Pattern(BigW, BigH), BigW, BigH);
    static Image* SmallBig = MagickPicture(Pattern(BigW / QScale, BigH / QScale), BigW / QScale, BigH / QScale);
    static Image* Turn = MagickTurnPicture(Pattern(TurnW, TurnH), TurnW, TurnH);
    static Image* SmallTurn = MagickTurnPicture(Pattern(TurnW / QScale, TurnH / QScale), TurnW / QScale, TurnH / QScale);
    struct TFilterCase {
        const TFilter* Filter;
        FilterTypes Type;
    };
    const TFilterCase Filters[] = {
        {&Nearest, PointFilter}, {&Linear, TriangleFilter}, {&Box, BoxFilter}, {&Lanczos3, LanczosFilter}};
    for (Integer Threads : {1, AllThreads()}) {
        for (const TFilterCase& F : Filters)
            for (const TSize2& T : Targets)
                benchmark::RegisterBenchmark(
                    (std::string("magick/resize_") + T.Name + "/" + F.Filter->Name + ThreadSuffix(Threads)).c_str(),
                    [F, T, Threads](benchmark::State& S) {
                        RunMagick(S, Threads, Big, int64_t(BigW) * BigH, [F, T](Image* In, ExceptionInfo* E) {
                            return ResizeImage(In, T.W, T.H, F.Type, 1.0, E);
                        });
                        ExceptionInfo* E = AcquireExceptionInfo();
                        if (Image* Out = ResizeImage(SmallBig, T.W / QScale, T.H / QScale, F.Type, 1.0, E)) {
                            S.counters["PSNR_dB"] = ResizeQuality(*F.Filter, T, MagickPixels(Out).data());
                            DestroyImage(Out);
                        }
                        DestroyExceptionInfo(E);
                    })
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(F.Type == PointFilter ? 3 : 1);
        benchmark::RegisterBenchmark(("magick/rotate30/linear" + ThreadSuffix(Threads)).c_str(),
                                     [Threads](benchmark::State& S) {
                                         const TMagickOp Op = [](Image* In, ExceptionInfo* E) {
                                             const double Args[1] = {Angle};
                                             return DistortImage(In, ScaleRotateTranslateDistortion, 1, Args,
                                                                 MagickTrue, E);
                                         };
                                         RunMagick(S, Threads, Turn, int64_t(TurnW) * TurnH, Op);
                                         ExceptionInfo* E = AcquireExceptionInfo();
                                         if (Image* Out = Op(SmallTurn, E)) {
                                             SetTurnCounters(S, BestTurnScore(MagickPixels(Out).data(),
                                                                              Integer(Out->columns),
                                                                              Integer(Out->rows)));
                                             DestroyImage(Out);
                                         }
                                         DestroyExceptionInfo(E);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
}

// ---------------------------------------------------------------------------
// Pillow

// argv: big.raw W H turn.raw W H smallbig.raw W H smallturn.raw W H outdir.
// Times each operation on the large pictures (a 64 MB buffer is written
// before each run, as the others flush their caches), then writes each
// operation's result on the small pictures as BGRA bytes for the quality.
const char* const PillowScript = R"PY(
import sys, time
from PIL import Image
a = sys.argv
def load(path, w, h):
    with open(path, 'rb') as f:
        return Image.frombuffer('RGBA', (w, h), f.read(), 'raw', 'BGRA', 0, 1).convert('RGB')
big = load(a[1], int(a[2]), int(a[3]))
turn = load(a[4], int(a[5]), int(a[6]))
sbig = load(a[7], int(a[8]), int(a[9]))
sturn = load(a[10], int(a[11]), int(a[12]))
out = a[13]
# Every 64-byte line of 64 MB written before each timed run, as FlushCaches
# does on the C++ side (a write every 4 KB would empty only 1 MB of cache).
flush = bytearray(64 << 20)
ones = b'\x01' * (len(flush) // 64)
filters = {'nearest': Image.NEAREST, 'linear': Image.BILINEAR, 'box': Image.BOX, 'lanczos3': Image.LANCZOS}
ops = {}
for size in ((1920, 1080), (160, 120)):
    for name, f in filters.items():
        key = 'resize_%dx%d/%s' % (size[0], size[1], name)
        ops[key] = (lambda im, q, size=size, f=f: im.resize((size[0] // q, size[1] // q), f), big, sbig)
ops['rotate30/linear'] = (lambda im, q: im.rotate(30, resample=Image.BILINEAR, expand=True), turn, sturn)
for name, (op, im, small) in ops.items():
    op(im, 1)
    total = 0
    for _ in range(3):
        flush[::64] = ones
        t0 = time.perf_counter()
        op(im, 1)
        total += time.perf_counter() - t0
    print(name, total / 3, flush=True)
    r = op(small, 4).convert('RGBA')
    with open('%s/%s.raw' % (out, name.replace('/', '_')), 'wb') as f:
        f.write(r.tobytes('raw', 'BGRA'))
    print(name + '/width', r.size[0], flush=True)
    print(name + '/height', r.size[1], flush=True)
)PY";

// Seconds per operation, and each result's size; empty without Python or Pillow.
const std::map<std::string, double>& PillowTimes()
{
    static const std::map<std::string, double> Times = [] {
        std::map<std::string, double> T;
        const std::string Script = BenchTempPath("bench_Ras32_Resamplers_pillow.py");
        std::string Args;
        const std::pair<Integer, Integer> Pictures[] = {
            {BigW, BigH}, {TurnW, TurnH}, {BigW / QScale, BigH / QScale}, {TurnW / QScale, TurnH / QScale}};
        std::vector<std::string> Files;
        for (auto [W, H] : Pictures) {
            Files.push_back(BenchTempPath("bench_Ras32_Resamplers_" + std::to_string(W) + "x" + std::to_string(H) + ".raw"));
            if (!WriteBenchFile(Files.back(), Pattern(W, H).data(), Pattern(W, H).size() * 4)) return T;
            Args += Files.back() + " " + std::to_string(W) + " " + std::to_string(H) + " ";
        }
        if (!WriteBenchFile(Script, PillowScript, std::strlen(PillowScript))) return T;
        T = RunTimingScript(Script, Args + BenchTempPath(""));
        for (const std::string& F : Files) std::remove(F.c_str());
        std::remove(Script.c_str());
        return T;
    }();
    return Times;
}

// Pillow's result of Name on the small picture, read back once.
std::vector<uint32_t> PillowResult(const std::string& Name, Integer& W, Integer& H)
{
    const auto& T = PillowTimes();
    const auto Wi = T.find(Name + "/width"), Hi = T.find(Name + "/height");
    if (Wi == T.end() || Hi == T.end()) return {};
    W = Integer(Wi->second);
    H = Integer(Hi->second);
    std::string File = Name;
    for (char& C : File)
        if (C == '/') C = '_';
    const std::string Path = BenchTempPath(File + ".raw");
    std::vector<uint32_t> P(size_t(W) * H);
    if (FILE* F = std::fopen(Path.c_str(), "rb")) {
        if (std::fread(P.data(), 4, P.size(), F) != P.size()) P.clear();
        std::fclose(F);
    } else {
        P.clear();
    }
    std::remove(Path.c_str());
    return P;
}

void RegisterPillow()
{
    for (const TSize2& T : Targets)
        for (const TFilter* F : {&Nearest, &Linear, &Box, &Lanczos3})
            benchmark::RegisterBenchmark(
                (std::string("pillow/resize_") + T.Name + "/" + F->Name).c_str(), [T, F](benchmark::State& S) {
                    const std::string Name = std::string("resize_") + T.Name + "/" + F->Name;
                    const auto& Times = PillowTimes();
                    const auto It = Times.find(Name);
                    if (It == Times.end()) {
                        S.SkipWithError("Pillow did not run this operation");
                        return;
                    }
                    for (auto _ : S) S.SetIterationTime(It->second);
                    Integer W = 0, H = 0;
                    const std::vector<uint32_t> Out = PillowResult(Name, W, H);
                    if (!Out.empty() && W == T.W / QScale && H == T.H / QScale)
                        S.counters["PSNR_dB"] = ResizeQuality(*F, T, Out.data());
                })->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
    benchmark::RegisterBenchmark("pillow/rotate30/linear", [](benchmark::State& S) {
        const auto& Times = PillowTimes();
        const auto It = Times.find("rotate30/linear");
        if (It == Times.end()) {
            S.SkipWithError("Pillow did not run this operation");
            return;
        }
        for (auto _ : S) S.SetIterationTime(It->second);
        Integer W = 0, H = 0;
        const std::vector<uint32_t> Out = PillowResult("rotate30/linear", W, H);
        if (!Out.empty()) SetTurnCounters(S, BestTurnScore(Out.data(), W, H));
    })->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
}

const bool GRegistered = (RegisterOurs(), RegisterVips(), RegisterMagick(), RegisterPillow(), true);

}  // namespace
