// The filters that effect previews run on the whole picture, and the 28
// blend modes of two layers, on 12 megapixels (4000 x 3000), one thread,
// against the peers that have the operation:
//   libvips (C interface, in this process; operation cache off; one thread
//   and all threads; the result written to memory, which forces the
//   computation), ImageMagick (MagickCore, in this process; one thread and
//   all threads; the image cloned outside the timing), Pillow (one Python
//   process started on first use; it times each operation itself with
//   perf_counter, without file input and output).
// Our filters work in place: the picture is restored outside the timing.
// Peers compute what they call the same operation (Gaussian blur of sigma =
// radius for the recursive blur, a 3x3 sharpen kernel, a table for the
// colour balance); their results are not the same pixels.
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
#include "filters/HyRas32Filters.h"
#include "filters/Ras32_BlendModes.h"
#include "filters/Ras32_ColorBalance.h"
#include "filters/SharpenLib32.h"

namespace {

constexpr Integer W = 4000;
constexpr Integer H = 3000;
constexpr size_t Pixels = size_t(W) * H;

// A photo-like opaque picture: smooth colour fields with grain.
std::vector<TColor32> MakePicture(unsigned Seed)
{
    std::vector<TColor32> P(Pixels);
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

const std::vector<TColor32>& PictureA()
{
    static const std::vector<TColor32> P = MakePicture(1);
    return P;
}
const std::vector<TColor32>& PictureB()
{
    static const std::vector<TColor32> P = MakePicture(2);
    return P;
}

Integer AllThreads() { return std::max(1u, std::thread::hardware_concurrency()); }

// ---------------------------------------------------------------------------
// Ours

TColorBalance* BalanceFor(bool PreserveLuminosity);

// The picture in a bitmap, restored before every timed run.
template <class Op>
void RunOurs(benchmark::State& State, Op Run)
{
    TCustomBitmap32 B;
    B.SetSize(W, H);
    PictureA();
    PictureB();  // both made before the timing
    BalanceFor(false);
    BalanceFor(true);
    for (auto _ : State) {
        State.PauseTiming();
        std::memcpy(B.Bits(), PictureA().data(), Pixels * 4);
        State.ResumeTiming();
        Run(&B);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * int64_t(Pixels));
}

TColorBalance* BalanceFor(bool PreserveLuminosity)
{
    static TColorBalance* Objects[2] = {};
    TColorBalance*& CB = Objects[PreserveLuminosity];
    if (!CB) {
        CB = new TColorBalance;
        CB->SetCyanRed(40);
        CB->SetYellowBlue(-30);
        CB->SetPreserveLuminosity(PreserveLuminosity);
        TCustomBitmap32 Picture;
        Picture.SetSize(W, H);
        std::memcpy(Picture.Bits(), PictureA().data(), Pixels * 4);
        CB->SetSourceBitmap(&Picture);
    }
    return CB;
}

void RegisterOurs()
{
    struct TCase {
        const char* Name;
        void (*Run)(TCustomBitmap32*);
    };
    static const TCase Cases[] = {
        {"blur_r2", [](TCustomBitmap32* B) { ExponentialBlur(B, 2); }},
        {"blur_r20", [](TCustomBitmap32* B) { ExponentialBlur(B, 20); }},
        {"sharpen", [](TCustomBitmap32* B) { SharpenBitmap(B, 0); }},
        {"brightness", [](TCustomBitmap32* B) { AdjustBrightness(B, 30); }},
        {"contrast", [](TCustomBitmap32* B) { AdjustContrast(B, 60); }},
        {"saturation", [](TCustomBitmap32* B) { AdjustSaturation(B, 50); }},
        {"hue_saturation", [](TCustomBitmap32* B) { AdjustHueSaturation(B, 30, 50); }},
        // The object holds the picture already (as the dialog's previews do):
        // the lookups and the write into the bitmap are timed.
        {"colour_balance", [](TCustomBitmap32* B) { BalanceFor(false)->Execute(B); }},
        {"colour_balance_luminosity", [](TCustomBitmap32* B) { BalanceFor(true)->Execute(B); }},
    };
    for (const TCase& C : Cases)
        benchmark::RegisterBenchmark((std::string("ours/") + C.Name).c_str(),
                                     [Run = C.Run](benchmark::State& S) { RunOurs(S, Run); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);

    std::unique_ptr<TStringList> Names(GetBlendModeNames());
    for (Integer Mode = 0; Mode < BlendModeCount; ++Mode) {
        std::string Name = UTF8Encode(Names->Strings(Mode));
        for (char& Ch : Name)
            if (Ch == ' ') Ch = '_';
        // The row form, and the per-pixel event a dmCustom draw calls.
        benchmark::RegisterBenchmark(("ours/blend/" + Name).c_str(), [Mode](benchmark::State& S) {
            RunOurs(S, [Mode](TCustomBitmap32* B) { BlendModeRows[Mode](PictureB().data(), B->Bits(), Integer(Pixels), 255); });
        })->Unit(benchmark::kMillisecond)->Iterations(3);
        benchmark::RegisterBenchmark(("ours/blend_event/" + Name).c_str(), [Mode](benchmark::State& S) {
            TPixelCombineEvent Event;
            GetBlendProc(Mode, Event);
            RunOurs(S, [&](TCustomBitmap32* B) {
                const TColor32* F = PictureB().data();
                TColor32* P = B->Bits();
                for (size_t I = 0; I < Pixels; ++I) Event(F[I], P[I], 255);
            });
        })->Unit(benchmark::kMillisecond)->Iterations(2);
    }
}

// ---------------------------------------------------------------------------
// libvips

VipsImage* VipsPicture(const std::vector<TColor32>& P)
{
    VipsImage* In = vips_image_new_from_memory(P.data(), Pixels * 4, W, H, 4, VIPS_FORMAT_UCHAR);
    In->Type = VIPS_INTERPRETATION_sRGB;
    return In;
}

// Op makes the output image from In (and the second picture); the output is
// written to memory inside the timing.
template <class Op>
void RunVips(benchmark::State& State, Integer Threads, Op Make)
{
    vips_concurrency_set(Threads);
    VipsImage* A = VipsPicture(PictureA());
    VipsImage* B = VipsPicture(PictureB());
    for (auto _ : State) {
        VipsImage* Out = nullptr;
        if (Make(A, B, &Out) != 0 || !Out) {
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
    g_object_unref(A);
    g_object_unref(B);
    State.SetItemsProcessed(State.iterations() * int64_t(Pixels));
}

using TVipsOp = int (*)(VipsImage* A, VipsImage* B, VipsImage** Out);

void RegisterVips()
{
    if (VIPS_INIT("bench_Filters") != 0) return;
    vips_cache_set_max(0);
    struct TCase {
        const char* Name;
        TVipsOp Make;
        Integer Iterations;
    };
    static const TCase Cases[] = {
        {"blur_r2", [](VipsImage* A, VipsImage*, VipsImage** O) { return vips_gaussblur(A, O, 2.0, nullptr); }, 3},
        {"blur_r20", [](VipsImage* A, VipsImage*, VipsImage** O) { return vips_gaussblur(A, O, 20.0, nullptr); }, 1},
        {"sharpen", [](VipsImage* A, VipsImage*, VipsImage** O) {
             VipsImage* M = vips_image_new_matrixv(3, 3, -1.0, -2.0, -1.0, -2.0, 28.0, -2.0, -1.0, -2.0, -1.0);
             vips_image_set_double(M, "scale", 16);
             const int R = vips_conv(A, O, M, "precision", VIPS_PRECISION_INTEGER, nullptr);
             g_object_unref(M);
             return R;
         }, 3},
        {"brightness", [](VipsImage* A, VipsImage*, VipsImage** O) { return vips_linear1(A, O, 0.7, 76.0, "uchar", TRUE, nullptr); }, 3},
        {"contrast", [](VipsImage* A, VipsImage*, VipsImage** O) { return vips_linear1(A, O, 1.24, -30.0, "uchar", TRUE, nullptr); }, 3},
        {"hue_saturation", [](VipsImage* A, VipsImage*, VipsImage** O) {
             // sRGB to HSV, hue turned and saturation raised, and back.
             VipsImage *Rgb = nullptr, *Hsv = nullptr, *Moved = nullptr;
             int R = vips_extract_band(A, &Rgb, 0, "n", 3, nullptr);
             if (!R) R = vips_colourspace(Rgb, &Hsv, VIPS_INTERPRETATION_HSV, nullptr);
             double Mul[3] = {1, 1.5, 1}, Add[3] = {21, 0, 0};
             if (!R) R = vips_linear(Hsv, &Moved, Mul, Add, 3, "uchar", TRUE, nullptr);
             if (!R) {
                 Moved->Type = VIPS_INTERPRETATION_HSV;
                 R = vips_colourspace(Moved, O, VIPS_INTERPRETATION_sRGB, nullptr);
             }
             for (VipsImage* I : {Rgb, Hsv, Moved})
                 if (I) g_object_unref(I);
             return R;
         }, 3},
        {"colour_balance", [](VipsImage* A, VipsImage*, VipsImage** O) {
             static std::vector<Byte> Lut = [] {
                 TColorBalance CB;
                 CB.SetCyanRed(40);
                 CB.SetYellowBlue(-30);
                 std::vector<Byte> L(256 * 4);
                 for (Integer I = 0; I < 256; ++I) {
                     L[I * 4] = CB.BlueLookup()[I];
                     L[I * 4 + 1] = CB.GreenLookup()[I];
                     L[I * 4 + 2] = CB.RedLookup()[I];
                     L[I * 4 + 3] = static_cast<Byte>(I);
                 }
                 return L;
             }();
             VipsImage* L = vips_image_new_from_memory(Lut.data(), Lut.size(), 256, 1, 4, VIPS_FORMAT_UCHAR);
             const int R = vips_maplut(A, O, L, nullptr);
             g_object_unref(L);
             return R;
         }, 3},
    };
    for (Integer Threads : {1, AllThreads()}) {
        const std::string Suffix = Threads == 1 ? "/1_thread" : "/" + std::to_string(Threads) + "_threads";
        for (const TCase& C : Cases)
            benchmark::RegisterBenchmark(("vips/" + std::string(C.Name) + Suffix).c_str(),
                                         [Make = C.Make, Threads](benchmark::State& S) { RunVips(S, Threads, Make); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(C.Iterations);
        struct TBlend {
            const char* Name;
            VipsBlendMode Mode;
        };
        static const TBlend Blends[] = {
            {"Normal", VIPS_BLEND_MODE_OVER},       {"Multiply", VIPS_BLEND_MODE_MULTIPLY},
            {"Screen", VIPS_BLEND_MODE_SCREEN},     {"Overlay", VIPS_BLEND_MODE_OVERLAY},
            {"Soft_Light", VIPS_BLEND_MODE_SOFT_LIGHT}, {"Hard_Light", VIPS_BLEND_MODE_HARD_LIGHT},
            {"Color_Dodge", VIPS_BLEND_MODE_COLOUR_DODGE}, {"Color_Burn", VIPS_BLEND_MODE_COLOUR_BURN},
            {"Lighten", VIPS_BLEND_MODE_LIGHTEN},   {"Darken", VIPS_BLEND_MODE_DARKEN},
            {"Additive", VIPS_BLEND_MODE_ADD},      {"Difference", VIPS_BLEND_MODE_DIFFERENCE},
            {"Exclusion", VIPS_BLEND_MODE_EXCLUSION},
        };
        for (const TBlend& Bl : Blends)
            benchmark::RegisterBenchmark(("vips/blend/" + std::string(Bl.Name) + Suffix).c_str(),
                                         [Mode = Bl.Mode, Threads](benchmark::State& S) {
                                             RunVips(S, Threads, [Mode](VipsImage* A, VipsImage* B, VipsImage** O) {
                                                 return vips_composite2(A, B, O, Mode, nullptr);
                                             });
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(2);
    }
}

// ---------------------------------------------------------------------------
// ImageMagick

Image* MagickPicture(const std::vector<TColor32>& P)
{
    ExceptionInfo* E = AcquireExceptionInfo();
    Image* I = ConstituteImage(W, H, "BGRA", CharPixel, P.data(), E);
    DestroyExceptionInfo(E);
    return I;
}

// Op works on a clone of the picture (made outside the timing) and returns
// a new image, or nil when it worked in place.
template <class Op>
void RunMagick(benchmark::State& State, Integer Threads, Op Run)
{
    SetMagickResourceLimit(ThreadResource, static_cast<MagickSizeType>(Threads));
    Image* A = MagickPicture(PictureA());
    Image* B = MagickPicture(PictureB());
    ExceptionInfo* E = AcquireExceptionInfo();
    for (auto _ : State) {
        State.PauseTiming();
        Image* Work = CloneImage(A, 0, 0, MagickTrue, E);
        State.ResumeTiming();
        Image* Out = Run(Work, B, E);
        State.PauseTiming();
        if (Out) DestroyImage(Out);
        DestroyImage(Work);
        State.ResumeTiming();
    }
    DestroyExceptionInfo(E);
    DestroyImage(A);
    DestroyImage(B);
    State.SetItemsProcessed(State.iterations() * int64_t(Pixels));
}

using TMagickOp = Image* (*)(Image* A, Image* B, ExceptionInfo* E);

void RegisterMagick()
{
    MagickCoreGenesis(nullptr, MagickFalse);
    struct TCase {
        const char* Name;
        TMagickOp Run;
        Integer Iterations;
    };
    static const TCase Cases[] = {
        {"blur_r2", [](Image* A, Image*, ExceptionInfo* E) { return BlurImage(A, 0, 2.0, E); }, 2},
        {"blur_r20", [](Image* A, Image*, ExceptionInfo* E) { return BlurImage(A, 0, 20.0, E); }, 1},
        {"sharpen", [](Image* A, Image*, ExceptionInfo* E) {
             static const double K[9] = {-1 / 16.0, -2 / 16.0, -1 / 16.0, -2 / 16.0, 28 / 16.0,
                                         -2 / 16.0, -1 / 16.0, -2 / 16.0, -1 / 16.0};
             return ConvolveImage(A, 3, K, E);
         }, 2},
        {"brightness", [](Image* A, Image*, ExceptionInfo*) -> Image* { BrightnessContrastImage(A, 30, 0); return nullptr; }, 2},
        {"contrast", [](Image* A, Image*, ExceptionInfo*) -> Image* { BrightnessContrastImage(A, 0, 25); return nullptr; }, 2},
        {"hue_saturation", [](Image* A, Image*, ExceptionInfo*) -> Image* { ModulateImage(A, "100,150,117"); return nullptr; }, 2},
        {"colour_balance", [](Image* A, Image*, ExceptionInfo*) -> Image* {
             static std::vector<TColor32> Lut = [] {
                 TColorBalance CB;
                 CB.SetCyanRed(40);
                 CB.SetYellowBlue(-30);
                 std::vector<TColor32> L(256);
                 for (Integer I = 0; I < 256; ++I)
                     L[I] = 0xFF000000 | TColor32(CB.RedLookup()[I]) << 16 | TColor32(CB.GreenLookup()[I]) << 8 | CB.BlueLookup()[I];
                 return L;
             }();
             ExceptionInfo* E = AcquireExceptionInfo();
             Image* Clut = ConstituteImage(256, 1, "BGRA", CharPixel, Lut.data(), E);
             DestroyExceptionInfo(E);
             ClutImage(A, Clut);
             DestroyImage(Clut);
             return nullptr;
         }, 2},
    };
    for (Integer Threads : {1, AllThreads()}) {
        const std::string Suffix = Threads == 1 ? "/1_thread" : "/" + std::to_string(Threads) + "_threads";
        for (const TCase& C : Cases)
            benchmark::RegisterBenchmark(("magick/" + std::string(C.Name) + Suffix).c_str(),
                                         [Run = C.Run, Threads](benchmark::State& S) { RunMagick(S, Threads, Run); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(C.Iterations);
        struct TBlend {
            const char* Name;
            CompositeOperator Op;
        };
        static const TBlend Blends[] = {
            {"Normal", OverCompositeOp},         {"Multiply", MultiplyCompositeOp},
            {"Screen", ScreenCompositeOp},       {"Overlay", OverlayCompositeOp},
            {"Soft_Light", SoftLightCompositeOp}, {"Hard_Light", HardLightCompositeOp},
            {"Color_Dodge", ColorDodgeCompositeOp}, {"Color_Burn", ColorBurnCompositeOp},
            {"Lighten", LightenCompositeOp},     {"Darken", DarkenCompositeOp},
            {"Additive", PlusCompositeOp},       {"Subtractive", MinusDstCompositeOp},
            {"Difference", DifferenceCompositeOp}, {"Exclusion", ExclusionCompositeOp},
            {"Hue", HueCompositeOp},             {"Saturation", SaturateCompositeOp},
            {"Lightness", LuminizeCompositeOp},
        };
        for (const TBlend& Bl : Blends)
            benchmark::RegisterBenchmark(("magick/blend/" + std::string(Bl.Name) + Suffix).c_str(),
                                         [Op = Bl.Op, Threads](benchmark::State& S) {
                                             RunMagick(S, Threads, [Op](Image* A, Image* B, ExceptionInfo*) -> Image* {
                                                 CompositeImage(A, Op, B, 0, 0);
                                                 return nullptr;
                                             });
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(2);
    }
}

// ---------------------------------------------------------------------------
// Pillow

const char* const PillowScript = R"PY(
import sys, time
from PIL import Image, ImageFilter, ImageEnhance, ImageChops
W, H = int(sys.argv[3]), int(sys.argv[4])
def load(path):
    with open(path, 'rb') as f:
        return Image.frombuffer('RGBA', (W, H), f.read(), 'raw', 'BGRA', 0, 1).copy()
a, b = load(sys.argv[1]), load(sys.argv[2])
lut = list(range(256)) * 4
def hue(img):
    h, s, v = img.convert('RGB').convert('HSV').split()
    h = h.point(lambda x: (x + 21) % 256)
    s = s.point(lambda x: min(255, int(x * 1.5)))
    return Image.merge('HSV', (h, s, v)).convert('RGB')
ops = {
    'blur_r2': lambda: a.filter(ImageFilter.GaussianBlur(2)),
    'blur_r20': lambda: a.filter(ImageFilter.GaussianBlur(20)),
    'sharpen': lambda: a.convert('RGB').filter(ImageFilter.Kernel((3, 3), [-1, -2, -1, -2, 28, -2, -1, -2, -1], 16)),
    'brightness': lambda: ImageEnhance.Brightness(a).enhance(1.3),
    'contrast': lambda: ImageEnhance.Contrast(a).enhance(1.5),
    'saturation': lambda: ImageEnhance.Color(a).enhance(1.5),
    'hue_saturation': lambda: hue(a),
    'colour_balance': lambda: a.point(lut),
    'blend/Normal': lambda: Image.alpha_composite(b, a),
    'blend/Multiply': lambda: ImageChops.multiply(b, a),
    'blend/Screen': lambda: ImageChops.screen(b, a),
    'blend/Overlay': lambda: ImageChops.overlay(b, a),
    'blend/Soft_Light': lambda: ImageChops.soft_light(b, a),
    'blend/Hard_Light': lambda: ImageChops.hard_light(b, a),
    'blend/Lighten': lambda: ImageChops.lighter(b, a),
    'blend/Darken': lambda: ImageChops.darker(b, a),
    'blend/Additive': lambda: ImageChops.add(b, a),
    'blend/Subtractive': lambda: ImageChops.subtract(b, a),
    'blend/Difference': lambda: ImageChops.difference(b, a),
}
for name, op in ops.items():
    reps = 1 if name == 'blur_r20' else 3
    try:
        op()
        t0 = time.perf_counter()
        for _ in range(reps):
            op()
        print(name, (time.perf_counter() - t0) / reps, flush=True)
    except Exception as e:
        print(name, 'error', type(e).__name__, file=sys.stderr)
)PY";

// Seconds per operation by name; empty when Python or Pillow is missing.
const std::map<std::string, double>& PillowTimes()
{
    static const std::map<std::string, double> Times = [] {
        std::map<std::string, double> T;
        const std::string Script = BenchTempPath("bench_Filters_pillow.py"), PathA = BenchTempPath("bench_Filters_a.raw"),
                          PathB = BenchTempPath("bench_Filters_b.raw");
        if (!WriteBenchFile(Script, PillowScript, std::strlen(PillowScript)) ||
            !WriteBenchFile(PathA, PictureA().data(), Pixels * 4) || !WriteBenchFile(PathB, PictureB().data(), Pixels * 4))
            return T;
        T = RunTimingScript(Script, PathA + " " + PathB + " " + std::to_string(W) + " " + std::to_string(H));
        std::remove(PathA.c_str());
        std::remove(PathB.c_str());
        std::remove(Script.c_str());
        return T;
    }();
    return Times;
}

void RegisterPillow()
{
    for (const char* Name : {"blur_r2", "blur_r20", "sharpen", "brightness", "contrast", "saturation", "hue_saturation",
                             "colour_balance", "blend/Normal", "blend/Multiply", "blend/Screen", "blend/Overlay",
                             "blend/Soft_Light", "blend/Hard_Light", "blend/Lighten", "blend/Darken", "blend/Additive",
                             "blend/Subtractive", "blend/Difference"})
        benchmark::RegisterBenchmark((std::string("pillow/") + Name).c_str(), [Key = std::string(Name)](benchmark::State& S) {
            const auto& T = PillowTimes();
            const auto It = T.find(Key);
            if (It == T.end()) {
                S.SkipWithError("Pillow did not run this operation");
                return;
            }
            for (auto _ : S) S.SetIterationTime(It->second);
            S.SetItemsProcessed(S.iterations() * int64_t(Pixels));
        })->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
}

const bool GRegistered = (RegisterOurs(), RegisterVips(), RegisterMagick(), RegisterPillow(), true);

}  // namespace
