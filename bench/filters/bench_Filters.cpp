// The filters that effect previews run on the whole picture, and the 28
// blend modes of two layers, on 12 megapixels (4000 x 3000), against the
// peers that have the operation:
//   libvips (C interface, in this process; operation cache off; one thread
//   and all threads; the result written to memory, which forces the
//   computation), ImageMagick (MagickCore, in this process; one thread and
//   all threads; the image cloned outside the timing), Pillow (one Python
//   process; it times each operation itself, without file input and output,
//   on an RGB picture since ours is opaque: its RGBA paths premultiply).
// Every side has the caches emptied before each timed operation.
// Our filters work in place: the picture is restored outside the timing.
//
// Same work: the exponential blur of radius r is compared with the peers'
// Gaussian of the same standard deviation (its kernel's, computed from the
// coefficient: ExpBlurSigma); the sharpen with the same 3 x 3 kernel; the
// brightness, contrast and colour balance, which are tables per channel, with
// each peer's table path given our table (vips_maplut, ClutImage,
// Image.point); the soften of radius 4 (each pixel a third of the way to the
// mean of its 9 x 9 window, the tone effects' first step) with libvips' box
// mean of the same window, mixed 2 : 1 with the picture. Quality (counter
// PSNR_dB): on the quarter-size hard pattern, the blurs against the exact
// Gaussian of that sigma, the sharpen against the exact convolution, the
// soften against its exact real-valued result, the tables against our own
// result.
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

#include "BenchQuality.h"
#include "PeerScripts.h"
#include "VipsPeer.h"
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

// The quality picture: a quarter of the size, the hard pattern.
constexpr Integer QW = W / 4, QH = H / 4;
const TBenchPixels& QualityPicture()
{
    static const TBenchPixels P = MakeHardPattern(QW, QH);
    return P;
}

// The standard deviation of the exponential blur of Radius: a one-pole filter
// run forward and backward with coefficient k = K / 65536 has the two-sided
// kernel of a^|n| (a = 1 - k), whose variance is 2a / k^2.
double ExpBlurSigma(Integer Radius)
{
    const double K = ExpBlurCoefficient(Radius) / 65536.0, A = 1 - K;
    return std::sqrt(2 * A) / K;
}

// The exact result each quality measure compares with, by operation.
const TFloatPicture& QualityReference(const std::string& Name)
{
    static std::map<std::string, TFloatPicture> Refs;
    auto It = Refs.find(Name);
    if (It != Refs.end()) return It->second;
    const TFloatPicture Src = ToFloat(QualityPicture(), QW, QH);
    TFloatPicture R;
    if (Name == "blur_r2") R = GaussianReference(Src, ExpBlurSigma(2));
    else if (Name == "blur_r20") R = GaussianReference(Src, ExpBlurSigma(20));
    else if (Name == "soften_r4") {
        // c + (mean - c) / 3 over the window clipped to the picture.
        R = Src;
        for (int Y = 0; Y < QH; ++Y)
            for (int X = 0; X < QW; ++X)
                for (int C = 0; C < 3; ++C) {
                    double Sum = 0;
                    int N = 0;
                    for (int J = std::max(Y - 4, 0); J <= std::min(Y + 4, QH - 1); ++J)
                        for (int I = std::max(X - 4, 0); I <= std::min(X + 4, QW - 1); ++I, ++N) Sum += Src.At(I, J, C);
                    const double c = Src.At(X, Y, C);
                    R.At(X, Y, C) = c + (Sum / N - c) / 3;
                }
    }
    else if (Name == "sharpen") {
        // 28 at the centre, -2 at the edges, -1 at the corners, over 16; the
        // edge pixels repeat outward.
        R = Src;
        for (int Y = 0; Y < QH; ++Y)
            for (int X = 0; X < QW; ++X)
                for (int C = 0; C < 3; ++C) {
                    double V = 0;
                    for (int Dy = -1; Dy <= 1; ++Dy)
                        for (int Dx = -1; Dx <= 1; ++Dx) {
                            const double Wt = Dx == 0 && Dy == 0 ? 28 : (Dx == 0 || Dy == 0) ? -2 : -1;
                            V += Wt * Src.At(std::clamp(X + Dx, 0, QW - 1), std::clamp(Y + Dy, 0, QH - 1), C);
                        }
                    R.At(X, Y, C) = V / 16;
                }
    } else {
        // A table: our own result is the reference.
        TCustomBitmap32 B;
        B.SetSize(QW, QH);
        std::memcpy(B.Bits(), QualityPicture().data(), QualityPicture().size() * 4);
        if (Name == "brightness") AdjustBrightness(&B, 30);
        if (Name == "contrast") AdjustContrast(&B, 60);
        TBenchPixels P(B.Bits(), B.Bits() + size_t(QW) * QH);
        R = ToFloat(P, QW, QH);
    }
    return Refs.emplace(Name, std::move(R)).first->second;
}

bool HasQuality(const std::string& Name)
{
    return Name == "blur_r2" || Name == "blur_r20" || Name == "sharpen" || Name == "soften_r4" || Name == "brightness" ||
           Name == "contrast";
}

// Our per-channel table of an operation, from a ramp: index = input value.
std::vector<Byte> OurTable(void (*Op)(TCustomBitmap32*))
{
    TCustomBitmap32 Ramp;
    Ramp.SetSize(256, 1);
    for (Integer I = 0; I < 256; ++I) Ramp.Bits()[I] = 0xFF000000 | TColor32(I) * 0x010101;
    Op(&Ramp);
    std::vector<Byte> T(256 * 3);
    for (Integer I = 0; I < 256; ++I)
        for (Integer C = 0; C < 3; ++C) T[I * 3 + C] = static_cast<Byte>(Ramp.Bits()[I] >> (16 - 8 * C));
    return T;
}
void Brightness30(TCustomBitmap32* B) { AdjustBrightness(B, 30); }
void Contrast60(TCustomBitmap32* B) { AdjustContrast(B, 60); }
void ColourBalanceTable(TCustomBitmap32* B)
{
    TColorBalance CB;
    CB.SetCyanRed(40);
    CB.SetYellowBlue(-30);
    CB.SetSourceBitmap(B);
    CB.Execute(B);
}
const std::vector<Byte>& TableOf(const std::string& Name)
{
    static const std::vector<Byte> Brightness = OurTable(Brightness30), Contrast = OurTable(Contrast60),
                                   Balance = OurTable(ColourBalanceTable);
    return Name == "brightness" ? Brightness : Name == "contrast" ? Contrast : Balance;
}

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
        FlushCaches();
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
        {"soften_r4", [](TCustomBitmap32* B) { SoftenBitmap(B, 4, -1); }},
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
                                     [Run = C.Run, Name = std::string(C.Name)](benchmark::State& S) {
                                         RunOurs(S, Run);
                                         if (!HasQuality(Name)) return;
                                         TCustomBitmap32 Q;
                                         Q.SetSize(QW, QH);
                                         std::memcpy(Q.Bits(), QualityPicture().data(), QualityPicture().size() * 4);
                                         Run(&Q);
                                         S.counters["PSNR_dB"] = Psnr(Q.Bits(), QualityReference(Name));
                                     })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);

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

VipsImage* VipsPicture(const std::vector<TColor32>& P, Integer PW = W, Integer PH = H)
{
    VipsImage* In = vips_image_new_from_memory(P.data(), P.size() * 4, PW, PH, 4, VIPS_FORMAT_UCHAR);
    In->Type = VIPS_INTERPRETATION_sRGB;
    return In;
}

using TVipsOp = int (*)(VipsImage* A, VipsImage* B, VipsImage** Out);

// The output of Make written to memory: reused, as our bitmap is.
bool VipsInto(VipsImage* A, VipsImage* B, TVipsOp Make, std::vector<uint8_t>& Out, int& OW, int& OH, int& Bands)
{
    VipsImage* Result = nullptr;
    if (Make(A, B, &Result) != 0 || !Result) return false;
    OW = Result->Xsize;
    OH = Result->Ysize;
    Bands = Result->Bands;
    return VipsWriteInto(Result, Out);
}

// 8-bit results of 3 or 4 bands in B, G, R order (as the input) to 0xAARRGGBB.
std::vector<uint32_t> VipsWords(const std::vector<uint8_t>& Bytes, int Bands)
{
    std::vector<uint32_t> P(Bytes.size() / size_t(Bands));
    for (size_t I = 0; I < P.size(); ++I) {
        const uint8_t* B = &Bytes[I * size_t(Bands)];
        P[I] = 0xFF000000u | uint32_t(B[2]) << 16 | uint32_t(B[1]) << 8 | B[0];
    }
    return P;
}

void RunVips(benchmark::State& State, Integer Threads, TVipsOp Make, const std::string& Name)
{
    vips_concurrency_set(Threads);
    VipsImage* A = VipsPicture(PictureA());
    VipsImage* B = VipsPicture(PictureB());
    std::vector<uint8_t> Out;
    int OW = 0, OH = 0, Bands = 0;
    for (auto _ : State) {
        State.PauseTiming();
        FlushCaches();
        State.ResumeTiming();
        if (!VipsInto(A, B, Make, Out, OW, OH, Bands)) {
            State.SkipWithError(vips_error_buffer());
            vips_error_clear();
            break;
        }
    }
    g_object_unref(A);
    g_object_unref(B);
    State.SetItemsProcessed(State.iterations() * int64_t(Pixels));
    if (!HasQuality(Name)) return;
    VipsImage* Q = VipsPicture(QualityPicture(), QW, QH);
    if (VipsInto(Q, Q, Make, Out, OW, OH, Bands) && OW == QW && OH == QH)
        State.counters["PSNR_dB"] = Psnr(VipsWords(Out, Bands).data(), QualityReference(Name));
    g_object_unref(Q);
}

// Our table of Name as a 256 x 1 picture of B, G, R, A bands.
VipsImage* VipsTable(const std::string& Name)
{
    static std::map<std::string, std::vector<Byte>> Tables;
    std::vector<Byte>& L = Tables[Name];
    if (L.empty()) {
        const std::vector<Byte>& T = TableOf(Name);
        L.resize(256 * 4);
        for (Integer I = 0; I < 256; ++I) {
            L[I * 4] = T[I * 3 + 2];
            L[I * 4 + 1] = T[I * 3 + 1];
            L[I * 4 + 2] = T[I * 3];
            L[I * 4 + 3] = static_cast<Byte>(I);
        }
    }
    return vips_image_new_from_memory(L.data(), L.size(), 256, 1, 4, VIPS_FORMAT_UCHAR);
}

int VipsMapTable(VipsImage* A, VipsImage** O, const char* Name)
{
    VipsImage* L = VipsTable(Name);
    const int R = vips_maplut(A, O, L, nullptr);
    g_object_unref(L);
    return R;
}

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
        {"blur_r2", [](VipsImage* A, VipsImage*, VipsImage** O) { return vips_gaussblur(A, O, ExpBlurSigma(2), nullptr); }, 3},
        {"blur_r20", [](VipsImage* A, VipsImage*, VipsImage** O) { return vips_gaussblur(A, O, ExpBlurSigma(20), nullptr); }, 1},
        {"sharpen", [](VipsImage* A, VipsImage*, VipsImage** O) {
             VipsImage* M = vips_image_new_matrixv(3, 3, -1.0, -2.0, -1.0, -2.0, 28.0, -2.0, -1.0, -2.0, -1.0);
             vips_image_set_double(M, "scale", 16);
             const int R = vips_conv(A, O, M, "precision", VIPS_PRECISION_INTEGER, nullptr);
             g_object_unref(M);
             return R;
         }, 3},
        {"soften_r4", [](VipsImage* A, VipsImage*, VipsImage** O) {
             // The box mean of the 9 x 9 window (edges extended), then
             // (2 picture + mean) / 3.
             VipsImage* M = vips_image_new_matrixv(9, 1, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0);
             vips_image_set_double(M, "scale", 9);
             VipsImage *Mean = nullptr, *Sum = nullptr;
             int R = vips_convsep(A, &Mean, M, "precision", VIPS_PRECISION_INTEGER, nullptr);
             if (!R) R = vips_add(A, A, &Sum, nullptr);
             VipsImage* Total = nullptr;
             if (!R) R = vips_add(Sum, Mean, &Total, nullptr);
             double Third = 1.0 / 3, Zero = 0;
             if (!R) R = vips_linear(Total, O, &Third, &Zero, 1, "uchar", TRUE, nullptr);
             for (VipsImage* I : {M, Mean, Sum, Total})
                 if (I) g_object_unref(I);
             return R;
         }, 3},
        {"brightness", [](VipsImage* A, VipsImage*, VipsImage** O) { return VipsMapTable(A, O, "brightness"); }, 3},
        {"contrast", [](VipsImage* A, VipsImage*, VipsImage** O) { return VipsMapTable(A, O, "contrast"); }, 3},
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
        {"colour_balance", [](VipsImage* A, VipsImage*, VipsImage** O) { return VipsMapTable(A, O, "colour_balance"); }, 3},
    };
    for (Integer Threads : {1, AllThreads()}) {
        const std::string Suffix = Threads == 1 ? "/1_thread" : "/" + std::to_string(Threads) + "_threads";
        for (const TCase& C : Cases)
            benchmark::RegisterBenchmark(("vips/" + std::string(C.Name) + Suffix).c_str(),
                                         [Make = C.Make, Threads, Name = std::string(C.Name)](benchmark::State& S) {
                                             RunVips(S, Threads, Make, Name);
                                         })
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
        for (const TBlend& Bl : Blends) {
            // The operation is a plain function: it reads the mode of the
            // benchmark that runs.
            static VipsBlendMode Current;
            benchmark::RegisterBenchmark(("vips/blend/" + std::string(Bl.Name) + Suffix).c_str(),
                                         [Mode = Bl.Mode, Threads](benchmark::State& S) {
                                             Current = Mode;
                                             RunVips(S, Threads, [](VipsImage* A, VipsImage* B, VipsImage** O) {
                                                 return vips_composite2(A, B, O, Current, nullptr);
                                             }, "blend");
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(2);
        }
    }
}

// ---------------------------------------------------------------------------
// ImageMagick

Image* MagickPicture(const std::vector<TColor32>& P, Integer PW = W, Integer PH = H)
{
    ExceptionInfo* E = AcquireExceptionInfo();
    Image* I = ConstituteImage(PW, PH, "BGRA", CharPixel, P.data(), E);
    DestroyExceptionInfo(E);
    return I;
}

using TMagickOp = Image* (*)(Image* A, Image* B, ExceptionInfo* E);

// Op works on a clone of the picture (made outside the timing) and returns
// a new image, or nil when it worked in place.
void RunMagick(benchmark::State& State, Integer Threads, TMagickOp Run, const std::string& Name)
{
    SetMagickResourceLimit(ThreadResource, static_cast<MagickSizeType>(Threads));
    Image* A = MagickPicture(PictureA());
    Image* B = MagickPicture(PictureB());
    ExceptionInfo* E = AcquireExceptionInfo();
    for (auto _ : State) {
        State.PauseTiming();
        Image* Work = CloneImage(A, 0, 0, MagickTrue, E);
        FlushCaches();
        State.ResumeTiming();
        Image* Out = Run(Work, B, E);
        State.PauseTiming();
        if (Out) DestroyImage(Out);
        DestroyImage(Work);
        State.ResumeTiming();
    }
    DestroyImage(A);
    DestroyImage(B);
    State.SetItemsProcessed(State.iterations() * int64_t(Pixels));
    if (HasQuality(Name)) {
        Image* Q = MagickPicture(QualityPicture(), QW, QH);
        Image* Out = Run(Q, Q, E);
        Image* Result = Out ? Out : Q;
        std::vector<uint32_t> P(size_t(QW) * QH);
        ExportImagePixels(Result, 0, 0, QW, QH, "BGRA", CharPixel, P.data(), E);
        for (uint32_t& C : P) C |= 0xFF000000u;
        State.counters["PSNR_dB"] = Psnr(P.data(), QualityReference(Name));
        if (Out) DestroyImage(Out);
        DestroyImage(Q);
    }
    DestroyExceptionInfo(E);
}

// Our table of Name as a 256 x 1 colour lookup picture.
Image* MagickTable(const std::string& Name)
{
    const std::vector<Byte>& T = TableOf(Name);
    std::vector<TColor32> L(256);
    for (Integer I = 0; I < 256; ++I)
        L[I] = 0xFF000000 | TColor32(T[I * 3]) << 16 | TColor32(T[I * 3 + 1]) << 8 | T[I * 3 + 2];
    ExceptionInfo* E = AcquireExceptionInfo();
    Image* Clut = ConstituteImage(256, 1, "BGRA", CharPixel, L.data(), E);
    DestroyExceptionInfo(E);
    // Exact entries: the index of a channel value v is v itself.
    Clut->interpolate = IntegerInterpolatePixel;
    return Clut;
}

Image* MagickMapTable(Image* A, const char* Name)
{
    Image* Clut = MagickTable(Name);
    A->interpolate = IntegerInterpolatePixel;
    ClutImage(A, Clut);
    DestroyImage(Clut);
    return nullptr;
}

void RegisterMagick()
{
    MagickCoreGenesis(nullptr, MagickFalse);
    struct TCase {
        const char* Name;
        TMagickOp Run;
        Integer Iterations;
    };
    static const TCase Cases[] = {
        {"blur_r2", [](Image* A, Image*, ExceptionInfo* E) { return BlurImage(A, 0, ExpBlurSigma(2), E); }, 2},
        {"blur_r20", [](Image* A, Image*, ExceptionInfo* E) { return BlurImage(A, 0, ExpBlurSigma(20), E); }, 1},
        {"sharpen", [](Image* A, Image*, ExceptionInfo* E) {
             static const double K[9] = {-1 / 16.0, -2 / 16.0, -1 / 16.0, -2 / 16.0, 28 / 16.0,
                                         -2 / 16.0, -1 / 16.0, -2 / 16.0, -1 / 16.0};
             return ConvolveImage(A, 3, K, E);
         }, 2},
        {"brightness", [](Image* A, Image*, ExceptionInfo*) { return MagickMapTable(A, "brightness"); }, 2},
        {"contrast", [](Image* A, Image*, ExceptionInfo*) { return MagickMapTable(A, "contrast"); }, 2},
        {"hue_saturation", [](Image* A, Image*, ExceptionInfo*) -> Image* { ModulateImage(A, "100,150,117"); return nullptr; }, 2},
        {"colour_balance", [](Image* A, Image*, ExceptionInfo*) { return MagickMapTable(A, "colour_balance"); }, 2},
    };
    for (Integer Threads : {1, AllThreads()}) {
        const std::string Suffix = Threads == 1 ? "/1_thread" : "/" + std::to_string(Threads) + "_threads";
        for (const TCase& C : Cases)
            benchmark::RegisterBenchmark(("magick/" + std::string(C.Name) + Suffix).c_str(),
                                         [Run = C.Run, Threads, Name = std::string(C.Name)](benchmark::State& S) {
                                             RunMagick(S, Threads, Run, Name);
                                         })
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
        for (const TBlend& Bl : Blends) {
            static CompositeOperator Current;
            benchmark::RegisterBenchmark(("magick/blend/" + std::string(Bl.Name) + Suffix).c_str(),
                                         [Op = Bl.Op, Threads](benchmark::State& S) {
                                             Current = Op;
                                             RunMagick(S, Threads, [](Image* A, Image* B, ExceptionInfo*) -> Image* {
                                                 CompositeImage(A, Current, B, 0, 0);
                                                 return nullptr;
                                             }, "blend");
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(2);
        }
    }
}

// ---------------------------------------------------------------------------
// Pillow

// argv: a.raw b.raw W H q.raw QW QH tables.raw sigma2 sigma20 outdir.
// Opaque pictures go to Pillow as RGB. A 64 MB buffer is written before each
// timed run (the others flush their caches); each operation's result on the
// quality picture is written as BGRA bytes.
const char* const PillowScript = R"PY(
import sys, time
from PIL import Image, ImageFilter, ImageEnhance, ImageChops
a = sys.argv
W, H, QW, QH = int(a[3]), int(a[4]), int(a[6]), int(a[7])
def load(path, w, h):
    with open(path, 'rb') as f:
        return Image.frombuffer('RGBA', (w, h), f.read(), 'raw', 'BGRA', 0, 1).convert('RGB')
pa, pb, q = load(a[1], W, H), load(a[2], W, H), load(a[5], QW, QH)
pa4, pb4 = pa.convert('RGBA'), pb.convert('RGBA')  # alpha compositing needs RGBA
tables = open(a[8], 'rb').read()
def table(k):
    t = tables[k * 768:(k + 1) * 768]   # 256 entries of R, G, B
    return [t[i * 3 + c] for c in range(3) for i in range(256)]
brightness, contrast, balance = table(0), table(1), table(2)
s2, s20, out = float(a[9]), float(a[10]), a[11]
def hue(img):
    h, s, v = img.convert('HSV').split()
    h = h.point(lambda x: (x + 21) % 256)
    s = s.point(lambda x: min(255, int(x * 1.5)))
    return Image.merge('HSV', (h, s, v)).convert('RGB')
k = ImageFilter.Kernel((3, 3), [-1, -2, -1, -2, 28, -2, -1, -2, -1], 16)
ops = {
    'blur_r2': lambda p, o: p.filter(ImageFilter.GaussianBlur(s2)),
    'blur_r20': lambda p, o: p.filter(ImageFilter.GaussianBlur(s20)),
    'sharpen': lambda p, o: p.filter(k),
    'brightness': lambda p, o: p.point(brightness),
    'contrast': lambda p, o: p.point(contrast),
    'saturation': lambda p, o: ImageEnhance.Color(p).enhance(1.5),
    'hue_saturation': lambda p, o: hue(p),
    'colour_balance': lambda p, o: p.point(balance),
    'blend/Normal': lambda p, o: Image.alpha_composite(pb4, pa4),
    'blend/Multiply': lambda p, o: ImageChops.multiply(o, p),
    'blend/Screen': lambda p, o: ImageChops.screen(o, p),
    'blend/Overlay': lambda p, o: ImageChops.overlay(o, p),
    'blend/Soft_Light': lambda p, o: ImageChops.soft_light(o, p),
    'blend/Hard_Light': lambda p, o: ImageChops.hard_light(o, p),
    'blend/Lighten': lambda p, o: ImageChops.lighter(o, p),
    'blend/Darken': lambda p, o: ImageChops.darker(o, p),
    'blend/Additive': lambda p, o: ImageChops.add(o, p),
    'blend/Subtractive': lambda p, o: ImageChops.subtract(o, p),
    'blend/Difference': lambda p, o: ImageChops.difference(o, p),
}
# Every 64-byte line of 64 MB written before each timed run, as FlushCaches
# does on the C++ side (a write every 4 KB would empty only 1 MB of cache).
flush = bytearray(64 << 20)
ones = b'\x01' * (len(flush) // 64)
quality = ('blur_r2', 'blur_r20', 'sharpen', 'brightness', 'contrast')
for name, op in ops.items():
    reps = 1 if name == 'blur_r20' else 3
    try:
        op(pa, pb)
        total = 0
        for _ in range(reps):
            flush[::64] = ones
            t0 = time.perf_counter()
            op(pa, pb)
            total += time.perf_counter() - t0
        print(name, total / reps, flush=True)
        if name in quality:
            with open('%s/bench_Filters_%s.raw' % (out, name), 'wb') as f:
                f.write(op(q, q).convert('RGBA').tobytes('raw', 'BGRA'))
    except Exception as e:
        print(name, 'error', type(e).__name__, file=sys.stderr)
)PY";

// Seconds per operation by name; empty when Python or Pillow is missing.
const std::map<std::string, double>& PillowTimes()
{
    static const std::map<std::string, double> Times = [] {
        std::map<std::string, double> T;
        const std::string Script = BenchTempPath("bench_Filters_pillow.py"), PathA = BenchTempPath("bench_Filters_a.raw"),
                          PathB = BenchTempPath("bench_Filters_b.raw"), PathQ = BenchTempPath("bench_Filters_q.raw"),
                          PathT = BenchTempPath("bench_Filters_tables.raw");
        std::vector<Byte> Tables;
        for (const char* Name : {"brightness", "contrast", "colour_balance"})
            Tables.insert(Tables.end(), TableOf(Name).begin(), TableOf(Name).end());
        if (!WriteBenchFile(Script, PillowScript, std::strlen(PillowScript)) ||
            !WriteBenchFile(PathA, PictureA().data(), Pixels * 4) || !WriteBenchFile(PathB, PictureB().data(), Pixels * 4) ||
            !WriteBenchFile(PathQ, QualityPicture().data(), QualityPicture().size() * 4) ||
            !WriteBenchFile(PathT, Tables.data(), Tables.size()))
            return T;
        T = RunTimingScript(Script, PathA + " " + PathB + " " + std::to_string(W) + " " + std::to_string(H) + " " +
                                        PathQ + " " + std::to_string(QW) + " " + std::to_string(QH) + " " + PathT +
                                        " " + std::to_string(ExpBlurSigma(2)) + " " + std::to_string(ExpBlurSigma(20)) +
                                        " " + BenchTempPath(""));
        for (const std::string& P : {PathA, PathB, PathQ, PathT, Script}) std::remove(P.c_str());
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
            if (!HasQuality(Key)) return;
            const std::string Path = BenchTempPath("bench_Filters_" + Key + ".raw");
            std::vector<uint32_t> P(size_t(QW) * QH);
            if (FILE* F = std::fopen(Path.c_str(), "rb")) {
                if (std::fread(P.data(), 4, P.size(), F) == P.size())
                    S.counters["PSNR_dB"] = Psnr(P.data(), QualityReference(Key));
                std::fclose(F);
                std::remove(Path.c_str());
            }
        })->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
}

const bool GRegistered = (RegisterOurs(), RegisterVips(), RegisterMagick(), RegisterPillow(), true);

}  // namespace
