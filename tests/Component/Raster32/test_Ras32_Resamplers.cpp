// Kernels, resamplers, the bound block and pair routines, and the block and
// stretch transfers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "Component/Raster32/Ras32_Bindings.h"
#include "Component/Raster32/Ras32_Resamplers.h"
#include "Component/Raster32/Ras32_Resamplers_Variants.h"
#include "framework/runtime/SysUtils.h"

namespace {

std::mt19937& Rng()
{
    static std::mt19937 G(20240607);
    return G;
}

TColor32 RandomColor() { return static_cast<TColor32>(Rng()()); }

void FillRandom(TCustomBitmap32& B)
{
    for (Integer i = 0; i < B.Width() * B.Height(); ++i) B.Bits()[i] = RandomColor();
}

std::unique_ptr<TCustomBitmap32> NewBitmap(Integer W, Integer H, bool Random = true)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    if (Random) FillRandom(*B);
    return B;
}

std::vector<TColor32> PixelsOf(const TCustomBitmap32& B)
{
    return std::vector<TColor32>(B.Bits(), B.Bits() + B.Width() * B.Height());
}

// Every area a bitmap reported.
struct TAreaLog {
    std::vector<TRect> Areas;
    void Attach(TCustomBitmap32& B)
    {
        B.OnAreaChanged = [this](TObject*, const TRect& Area, Cardinal) { Areas.push_back(Area); };
    }
};

// Runs the test body once per variant of the bound routines.
struct TBindingScope {
    explicit TBindingScope(TCPUFeatures Features) { BindForCpuFeatures(Features); }
    ~TBindingScope() { BindForProcessor(); }
};

}  // namespace

// ---------------------------------------------------------------------------
// "Ras32_Resamplers bindings"

TEST(Ras32_ResamplersBindings, AverageBlockExamplesAndVariantsAgree)
{
    using TProc = TAverageBlockProc*;
    std::vector<TProc> Variants{AverageBlock_Pas};
#if defined(LM_RAS32_RESAMPLERS_SSE2)
    Variants.push_back(AverageBlock_SSE2);
    EXPECT_EQ(AverageBlock, AverageBlock_SSE2);
#endif
    const TColor32 White[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    for (TProc Average : Variants) {
        // 3 pixels: the reciprocal 2^24 div 3 is rounded down, so 255 becomes 254.
        EXPECT_EQ(Average(3, 1, White, 12), 0xFEFEFEFEu);
        EXPECT_EQ(Average(2, 2, White, 8), 0xFFFFFFFFu);
        // More than 2^24 pixels (every row the same memory): the exact floor of the mean.
        std::vector<TColor32> Row(5000, 0x80402011);
        EXPECT_EQ(Average(5000, 4000, Row.data(), 0), 0x80402011u);
    }
    std::vector<TColor32> Pixels(80 * 30);
    for (TColor32& C : Pixels) C = RandomColor();
    int Compared = 0;
    for (Integer W = 1; W <= 70; W += 3)
        for (Integer H = 1; H <= 30; H += 4) {
            TColor32 Expected = AverageBlock_Pas(W, H, Pixels.data(), 80 * 4);
            for (TProc Average : Variants) EXPECT_EQ(Average(W, H, Pixels.data(), 80 * 4), Expected) << W << "x" << H;
            ++Compared;
        }
    std::printf("compared %d blocks\n", Compared);
}

TEST(Ras32_ResamplersBindings, InterpolatePairVariants)
{
    const TColor32 Top[2] = {0x80FF4010, 0x20103070}, Bottom[2] = {0xFF000000, 0x00FFFFFF};
    std::vector<TInterpolatePairProc*> Variants{InterpolatePair_MMX};
#if defined(LM_RAS32_RESAMPLERS_SSE2)
    Variants.push_back(InterpolatePair_SSE2);
    EXPECT_EQ(InterpolatePair, InterpolatePair_SSE2);
#endif
    for (auto* Interpolate : Variants) {
        EXPECT_EQ(Interpolate(256, 256, Top, Bottom), Top[0]);
        EXPECT_EQ(Interpolate(0, 0, Top, Bottom), Bottom[1]);
        EXPECT_EQ(Interpolate(0, 256, Top, Bottom), Top[1]);
    }
    // The portable form limits the weights to 255 and rounds as CombinePixel.
    EXPECT_EQ(InterpolatePair_Pas(256, 256, Top, Bottom), CombinePixel(CombinePixel(Top[0], Top[1], 255),
                                                                        CombinePixel(Bottom[0], Bottom[1], 255), 255));
    int Compared = 0;
    for (int i = 0; i < 20000; ++i) {
        TColor32 C11[2] = {RandomColor(), RandomColor()}, C21[2] = {RandomColor(), RandomColor()};
        Integer WX = static_cast<Integer>(Rng()() % 257), WY = static_cast<Integer>(Rng()() % 257);
        TColor32 Expected = InterpolatePair_MMX(WX, WY, C11, C21);
        for (auto* Interpolate : Variants) EXPECT_EQ(Interpolate(WX, WY, C11, C21), Expected);
        ++Compared;
    }
    {
        TBindingScope Portable(NoCpuFeatures);
        EXPECT_EQ(InterpolatePair, InterpolatePair_Pas);
        EXPECT_EQ(AverageBlock, AverageBlock_Pas);
    }
    std::printf("compared %d pairs\n", Compared);
}

// ---------------------------------------------------------------------------
// Kernels

TEST(Ras32_Kernels, FilterValues)
{
    struct TCase {
        TCustomKernel* Kernel;
        Single X, Expected;
    };
    TBoxKernel Box;
    TLinearKernel Linear;
    TCosineKernel Cosine;
    TSplineKernel Spline;
    TCubicKernel Cubic;
    TMitchellKernel Mitchell;
    THermiteKernel Hermite;
    TLanczosKernel Lanczos;
    THannKernel Hann;
    THammingKernel Hamming;
    TBlackmanKernel Blackman;
    TGaussianKernel Gaussian;
    TAlbrechtKernel Albrecht;
    TSinshKernel Sinsh;
    const TCase Cases[] = {
        {&Box, 0.5f, 1},          {&Box, 0.51f, 0},
        {&Linear, -0.25f, 0.75f}, {&Linear, 1, 0},
        {&Cosine, 0.5f, 0.5f},    {&Spline, 0, 2.0f / 3},  {&Spline, 1, 1.0f / 6},
        {&Cubic, 0, 1},           {&Cubic, 1.5f, -0.0625f}, {&Mitchell, 0, 16.0f / 18},
        {&Mitchell, 1, 1.0f / 18}, {&Hermite, 0, 1},       {&Hermite, -1, 0},
        {&Lanczos, 0, 1},         {&Lanczos, 1, 0},        {&Lanczos, 3, 0},
        {&Lanczos, 0.5f, NormalizedSinc(0.5f) * NormalizedSinc(0.5f / 3)},
        {&Hann, 1.5f, NormalizedSinc(1.5f) * 0.5f},       {&Hamming, 0, 1},
        {&Blackman, 0, 1},        {&Gaussian, 0, 1},       {&Albrecht, 0, 1},
        {&Sinsh, 0, 1},           {&Sinsh, 1, 0},
    };
    for (const TCase& C : Cases) EXPECT_NEAR(C.Kernel->Filter(C.X), C.Expected, 2e-6) << UTF8Encode(C.Kernel->ClassName()) << " " << C.X;
    EXPECT_FALSE(Box.MayOvershoot());
    EXPECT_FALSE(Cosine.MayOvershoot());
    EXPECT_TRUE(Cubic.MayOvershoot());
    EXPECT_TRUE(Lanczos.MayOvershoot());
    EXPECT_EQ(Mitchell.GetWidth(), 2);
    EXPECT_EQ(Lanczos.GetWidth(), 3);
}

TEST(Ras32_Kernels, SettersLimitAndNotify)
{
    TCustomBitmap32 Bitmap;
    auto* Resampler = new TKernelResampler;
    Bitmap.SetResampler(Resampler);
    int Changes = 0;
    Bitmap.OnChange = [&](TObject*) { ++Changes; };

    Resampler->SetKernelClassName(u"TLanczosKernel");
    EXPECT_EQ(Changes, 1);
    auto* Lanczos = static_cast<TWindowedSincKernel*>(Resampler->Kernel());
    Lanczos->SetWidth(20);
    EXPECT_EQ(Lanczos->Width(), 16);
    EXPECT_EQ(Changes, 2);  // the kernel tells its resampler, which tells the bitmap
    Lanczos->SetWidth(16);
    EXPECT_EQ(Changes, 2);

    TAlbrechtKernel Albrecht;
    Albrecht.SetTerms(1);
    EXPECT_EQ(Albrecht.Terms(), 2);
    Albrecht.SetTerms(12);
    EXPECT_EQ(Albrecht.Terms(), 11);
    EXPECT_NEAR(Albrecht.WindowWeight(0), 1, 1e-6);  // each row sums to 1

    TGaussianKernel Gaussian;
    Gaussian.SetSigma(2);
    EXPECT_EQ(Gaussian.Sigma(), 2);
    Gaussian.SetSigma(0);
    Gaussian.SetSigma(3);  // a Sigma of 0 is kept
    EXPECT_EQ(Gaussian.Sigma(), 0);
    EXPECT_EQ(Gaussian.Filter(0), 0);

    Resampler->SetTableSize(1);
    EXPECT_EQ(Resampler->TableSize(), 2);
    Resampler->SetKernelClassName(u"TNoSuchKernel");
    Resampler->SetKernelClassName(u"tcubickernel");
    EXPECT_EQ(Resampler->KernelClassName(), u"TLanczosKernel");
}

TEST(Ras32_ClassLists, RegisteredInOrder)
{
    TStringList Names;
    ResamplerClassList()->GetClassNames(&Names);
    ASSERT_EQ(Names.Count(), 4);
    EXPECT_EQ(Names[0], u"TNearestResampler");
    EXPECT_EQ(Names[1], u"TLinearResampler");
    EXPECT_EQ(Names[2], u"TDraftResampler");
    EXPECT_EQ(Names[3], u"TKernelResampler");
    Names.Clear();
    KernelClassList()->GetClassNames(&Names);
    const char16_t* Expected[] = {u"TBoxKernel",      u"TLinearKernel",   u"TCosineKernel",  u"TSplineKernel",
                                  u"TCubicKernel",    u"TMitchellKernel", u"TAlbrechtKernel", u"TLanczosKernel",
                                  u"TGaussianKernel", u"TBlackmanKernel", u"THannKernel",     u"THammingKernel",
                                  u"TSinshKernel",    u"THermiteKernel"};
    ASSERT_EQ(Names.Count(), 14);
    for (Integer i = 0; i < 14; ++i) EXPECT_EQ(Names[i], Expected[i]);

    TCustomBitmap32 B;
    EXPECT_EQ(B.ResamplerClassName(), u"TNearestResampler");
    B.SetResamplerClassName(ResamplerClassList()->Items(2)->ClassName);
    EXPECT_EQ(B.ResamplerClassName(), u"TDraftResampler");
    EXPECT_EQ(B.Resampler()->Bitmap(), &B);
    B.SetResamplerClassName(u"TNoSuchResampler");
    EXPECT_EQ(B.ResamplerClassName(), u"TDraftResampler");
}

TEST(Ras32_Resamplers, AssignCopiesTheKernelAndItsSettings)
{
    TKernelResampler Src, Dst;
    Src.SetPixelAccessMode(pamWrap);
    Src.SetKernelClassName(u"TCubicKernel");
    static_cast<TCubicKernel*>(Src.Kernel())->SetCoeff(-0.75f);
    Src.SetKernelMode(kmTableNearest);
    Src.SetTableSize(64);
    Dst.Assign(&Src);
    EXPECT_EQ(Dst.PixelAccessMode(), pamWrap);
    EXPECT_EQ(Dst.KernelClassName(), u"TCubicKernel");
    EXPECT_NE(Dst.Kernel(), Src.Kernel());
    EXPECT_EQ(static_cast<TCubicKernel*>(Dst.Kernel())->Coeff(), -0.75f);
    EXPECT_EQ(Dst.KernelMode(), kmTableNearest);
    EXPECT_EQ(Dst.TableSize(), 64);
    TNearestResampler Nearest;
    Nearest.Assign(&Src);
    EXPECT_EQ(Nearest.PixelAccessMode(), pamWrap);
    TBoxKernel Kernel;
    EXPECT_THROW(Kernel.Assign(&Src), EConvertError);
}

// ---------------------------------------------------------------------------
// Point sampling

TEST(Ras32_Resamplers, NearestSamplingByAccessMode)
{
    auto B = NewBitmap(4, 5);
    B->SetOuterColor(0x12345678);
    TNearestResampler* R = new TNearestResampler;
    B->SetResampler(R);
    R->PrepareSampling();
    EXPECT_EQ(R->GetSampleFloat(2.5f, 3.5f), B->Pixel(2, 4));  // halves to even
    EXPECT_EQ(R->GetSampleFixed(FixedOne + 0x8000, 0x8001), B->Pixel(1, 1));
    EXPECT_EQ(R->GetSampleInt(-1, 0), 0x12345678u);
    R->SetPixelAccessMode(pamWrap);
    B->SetWrapMode(wmRepeat);
    R->PrepareSampling();
    EXPECT_EQ(R->GetSampleInt(-1, 6), B->Pixel(3, 1));
    R->SetPixelAccessMode(pamTransparentEdge);
    R->PrepareSampling();
    EXPECT_EQ(R->GetSampleInt(3, 4), B->Pixel(3, 4));
    EXPECT_EQ(R->GetSampleInt(9, 4), B->Pixel(3, 4) & 0x00FFFFFF);
    EXPECT_EQ(R->GetSampleFloat(1e30f, -1e30f), B->Pixel(3, 0) & 0x00FFFFFF);
    R->FinalizeSampling();
}

TEST(Ras32_Resamplers, KernelSamplingOutsideAndInside)
{
    auto B = NewBitmap(8, 8);
    B->SetOuterColor(0x80FF0000);
    B->SetClipRect(TRect{1, 1, 7, 7});
    auto* R = new TKernelResampler;
    B->SetResampler(R);
    R->PrepareSampling();
    EXPECT_EQ(R->GetSampleFloat(-50, 3), 0x80FF0000u);
    EXPECT_EQ(R->GetSampleFloat(3, 1e9f), 0x80FF0000u);
    // The box kernel at a whole pixel is that pixel (an opaque one exactly).
    B->SetPixel(3, 4, 0xFF336699);
    EXPECT_EQ(R->GetSampleFloat(3, 4), 0xFF336699u);
    R->SetPixelAccessMode(pamTransparentEdge);
    R->PrepareSampling();
    EXPECT_EQ(R->GetSampleFloat(-50, 3), 0u);
    // Weights from the tables come close to the computed ones.
    R->SetKernelClassName(u"TLinearKernel");
    R->SetPixelAccessMode(pamSafe);
    for (TKernelMode Mode : {kmDynamic, kmTableNearest, kmTableLinear}) {
        R->SetKernelMode(Mode);
        R->SetTableSize(257);
        R->PrepareSampling();
        B->SetPixel(3, 3, 0xFF000000);
        B->SetPixel(4, 3, 0xFFFFFFFF);
        B->SetPixel(3, 4, 0xFF000000);
        B->SetPixel(4, 4, 0xFFFFFFFF);
        TColor32 C = R->GetSampleFloat(3.25f, 3);
        EXPECT_NEAR(BlueOf(C), 64, 1) << Mode;
        EXPECT_EQ(AlphaOf(C), 255);
        R->FinalizeSampling();
    }
    // A sinh kernel wider than the tap arrays is cut to 16 taps a side.
    R->SetKernelClassName(u"TSinshKernel");
    static_cast<TSinshKernel*>(R->Kernel())->SetWidth(40);
    R->SetKernelMode(kmTableLinear);
    R->PrepareSampling();
    R->GetSampleFloat(4.5f, 4.5f);
    R->SetKernelMode(kmDynamic);
    R->PrepareSampling();
    R->GetSampleFloat(4.5f, 4.5f);
    R->FinalizeSampling();
}

TEST(Ras32_Resamplers, LinearTransparentEdge)
{
    auto B = NewBitmap(4, 4, false);
    B->Clear(0xFF808080);
    auto* R = new TLinearResampler;
    B->SetResampler(R);
    R->SetPixelAccessMode(pamTransparentEdge);
    R->PrepareSampling();
    // Two pixels left of the clip rectangle: transparent black.
    EXPECT_EQ(R->GetSampleFixed(-2 * FixedOne, FixedOne), 0u);
    // Half a pixel outside the left edge: the colour, partly transparent
    // (the outside neighbour weighs GammaCurve[127] of 255).
    TColor32 C = R->GetSampleFixed(-FixedOne / 2, FixedOne + FixedOne / 2);
    EXPECT_EQ(C & 0x00FFFFFF, 0x808080u);
    EXPECT_EQ(AlphaOf(C), AlphaOf(CombinePixel(0x00808080, 0xFF808080, GammaCurve[127])));
    EXPECT_GT(AlphaOf(C), 64);
    EXPECT_LT(AlphaOf(C), 192);
    // Inside: the pixel.
    EXPECT_EQ(R->GetSampleFixed(FixedOne, FixedOne), 0xFF808080u);
    R->SetPixelAccessMode(pamSafe);
    B->SetOuterColor(0x11223344);
    R->PrepareSampling();
    EXPECT_EQ(R->GetSampleFixed(-2 * FixedOne, 0), 0x11223344u);
    R->SetPixelAccessMode(pamWrap);
    R->PrepareSampling();
    EXPECT_EQ(R->GetSampleFixed(7 * FixedOne, -FixedOne), 0xFF808080u);
}

// ---------------------------------------------------------------------------
// Mapping tables and stretches

TEST(Ras32_KernelMapping, ClustersSumTo256AndStayInside)
{
    int Clusters = 0;
    for (Integer i = 0; i < KernelClassList()->Count(); ++i) {
        std::unique_ptr<TCustomKernel> Kernel(static_cast<TCustomKernel*>(KernelClassList()->Items(i)->Create()));
        for (auto [Src, Dst] : {std::pair{100, 50}, {100, 33}, {7, 3}, {10, 31}, {2, 9}, {640, 17}, {5, 5}, {1, 4}}) {
            TMappingTable Map = BuildKernelMapping(10, 10 + Dst, 10, 10 + Dst, 3, 3 + Src, Kernel.get());
            ASSERT_EQ(Map.size(), static_cast<size_t>(Dst));
            for (const TCluster& Cluster : Map) {
                Integer Sum = 0;
                for (const TPointRec& Tap : Cluster) {
                    Sum += Tap.Weight;
                    EXPECT_GE(Tap.Pos, 3);
                    EXPECT_LT(Tap.Pos, 3 + Src);
                }
                EXPECT_EQ(Sum, 256) << UTF8Encode(Kernel->ClassName()) << " " << Src << "->" << Dst;
                ++Clusters;
            }
        }
    }
    // Halving with the box kernel: two taps of 128.
    TBoxKernel Box;
    TMappingTable Map = BuildKernelMapping(0, 4, 0, 4, 0, 8, &Box);
    for (size_t k = 0; k < 4; ++k) {
        ASSERT_EQ(Map[k].size(), 2u);
        EXPECT_EQ(Map[k][0].Pos, static_cast<Integer>(2 * k));
        EXPECT_EQ(Map[k][0].Weight, 128);
        EXPECT_EQ(Map[k][1].Weight, 128);
    }
    EXPECT_TRUE(BuildKernelMapping(0, 4, 0, 4, 5, 5, &Box).empty());
    std::printf("checked %d clusters\n", Clusters);
}

namespace {
// A kernel that never gives weight: every cluster would be empty.
class TZeroKernel : public TCustomKernel {
public:
    Single Filter(Single) const override { return 0; }
    Single GetWidth() const override { return 1; }
};
}  // namespace

TEST(Ras32_KernelMapping, ClusterWithoutTapsTakesTheNearestPixel)
{
    TZeroKernel Zero;
    for (auto [Src, Dst] : {std::pair{4, 10}, {10, 4}}) {
        TMappingTable Map = BuildKernelMapping(0, Dst, 0, Dst, 0, Src, &Zero);
        for (const TCluster& Cluster : Map) {
            ASSERT_EQ(Cluster.size(), 1u);
            EXPECT_EQ(Cluster[0].Weight, 256);
            EXPECT_GE(Cluster[0].Pos, 0);
            EXPECT_LT(Cluster[0].Pos, Src);
        }
    }
}

TEST(Ras32_Stretch, KernelPassesMatchThePortableOnes)
{
#if defined(LM_RAS32_RESAMPLERS_SSE2)
    auto Src = NewBitmap(61, 40);
    int Compared = 0;
    for (Integer i = 0; i < KernelClassList()->Count(); ++i) {
        std::unique_ptr<TCustomKernel> Kernel(static_cast<TCustomKernel*>(KernelClassList()->Items(i)->Create()));
        for (auto [From, To] : {std::pair{61, 23}, {40, 97}, {61, 61}}) {
            TMappingTable Map = BuildKernelMapping(0, To, 0, To, 0, From, Kernel.get());
            TMappingTable Rows = BuildKernelMapping(0, 17, 0, 17, 0, 40, Kernel.get());
            Integer XLo = 0, Count = 61;
            std::vector<TBufferEntry> A(static_cast<size_t>(Count)), B(static_cast<size_t>(Count));
            for (const TCluster& Cluster : Rows) {
                KernelVerticalPass_Pas(Src.get(), Cluster, XLo, Count, A.data());
                KernelVerticalPass_SSE2(Src.get(), Cluster, XLo, Count, B.data());
                ASSERT_EQ(std::memcmp(A.data(), B.data(), A.size() * sizeof(TBufferEntry)), 0);
                std::vector<TColor32> CA(Map.size()), CB(Map.size());
                KernelHorizontalPass_Pas(A.data(), XLo, Map, CA.data());
                KernelHorizontalPass_SSE2(A.data(), XLo, Map, CB.data());
                ASSERT_EQ(CA, CB) << UTF8Encode(Kernel->ClassName());
                ++Compared;
            }
        }
    }
    std::printf("compared %d rows\n", Compared);
#endif
}

TEST(Ras32_Stretch, UniformColourStaysUniformThroughEveryKernel)
{
    auto Src = NewBitmap(37, 23, false);
    Src->Clear(0xC8641E0A);
    for (Integer i = 0; i < KernelClassList()->Count(); ++i) {
        std::unique_ptr<TCustomKernel> Kernel(static_cast<TCustomKernel*>(KernelClassList()->Items(i)->Create()));
        for (auto [W, H] : {std::pair{11, 7}, {80, 50}, {37, 60}}) {
            auto Dst = NewBitmap(W, H, false);
            ResampleWithKernel(Dst.get(), Dst->BoundsRect(), Dst->BoundsRect(), Src.get(), Src->BoundsRect(),
                               Kernel.get(), dmOpaque, nullptr);
            for (TColor32 C : PixelsOf(*Dst)) ASSERT_EQ(C, 0xC8641E0Au) << UTF8Encode(Kernel->ClassName()) << " " << W << "x" << H;
        }
    }
}

TEST(Ras32_Stretch, DraftReducesByBlockMeansAndEnlargesBilinearly)
{
    auto Src = NewBitmap(4, 4);
    auto Dst = NewBitmap(2, 2, false);
    ResampleDraft(Dst.get(), Dst->BoundsRect(), Dst->BoundsRect(), Src.get(), Src->BoundsRect(), dmOpaque, nullptr);
    for (Integer y = 0; y < 2; ++y)
        for (Integer x = 0; x < 2; ++x) {
            TColor32 Expected = 0;
            for (int Shift = 0; Shift < 32; Shift += 8) {
                Cardinal Sum = 0;
                for (Integer j = 0; j < 2; ++j)
                    for (Integer i = 0; i < 2; ++i) Sum += (Src->Pixel(2 * x + i, 2 * y + j) >> Shift) & 0xFF;
                Expected |= (Sum / 4) << Shift;
            }
            EXPECT_EQ(Dst->Pixel(x, y), Expected);
        }
    auto Big = NewBitmap(8, 8, false), Bilinear = NewBitmap(8, 8, false);
    ResampleDraft(Big.get(), Big->BoundsRect(), Big->BoundsRect(), Src.get(), Src->BoundsRect(), dmOpaque, nullptr);
    StretchBilinear(Bilinear.get(), Bilinear->BoundsRect(), Bilinear->BoundsRect(), Src.get(), Src->BoundsRect(),
                    dmOpaque, nullptr);
    EXPECT_EQ(PixelsOf(*Big), PixelsOf(*Bilinear));
    // A bilinear enlargement keeps the source pixels where the grids meet.
    auto Double = NewBitmap(3, 3);
    auto Tripled = NewBitmap(9, 9, false);
    StretchBilinear(Tripled.get(), Tripled->BoundsRect(), Tripled->BoundsRect(), Double.get(), Double->BoundsRect(),
                    dmOpaque, nullptr);
    EXPECT_EQ(Tripled->Pixel(1, 1), Double->Pixel(0, 0));
    EXPECT_EQ(Tripled->Pixel(4, 4), Double->Pixel(1, 1));
}

TEST(Ras32_Stretch, LinearResamplerEnlargesNarrowSourcesThroughTheKernel)
{
    auto Src = NewBitmap(1, 5);
    auto ByResampler = NewBitmap(6, 10, false), ByKernel = NewBitmap(6, 10, false);
    TLinearResampler Linear;
    Linear.Resample(ByResampler.get(), ByResampler->BoundsRect(), ByResampler->BoundsRect(), Src.get(),
                    Src->BoundsRect(), dmOpaque, nullptr);
    TLinearKernel Kernel;
    ResampleWithKernel(ByKernel.get(), ByKernel->BoundsRect(), ByKernel->BoundsRect(), Src.get(), Src->BoundsRect(),
                       &Kernel, dmOpaque, nullptr);
    EXPECT_EQ(PixelsOf(*ByResampler), PixelsOf(*ByKernel));
    // One column: every destination column is that column.
    for (Integer y = 0; y < 10; ++y) EXPECT_EQ(ByKernel->Pixel(0, y), ByKernel->Pixel(5, y));
}

TEST(Ras32_Stretch, NearestNeighbour)
{
    auto Src = NewBitmap(3, 2);
    auto Dst = NewBitmap(6, 4, false);
    StretchNearestNeighbour(Dst.get(), Dst->BoundsRect(), Dst->BoundsRect(), Src.get(), Src->BoundsRect(), dmOpaque,
                            nullptr);
    for (Integer y = 0; y < 4; ++y)
        for (Integer x = 0; x < 6; ++x) EXPECT_EQ(Dst->Pixel(x, y), Src->Pixel(x / 2, y / 2));
    // Blending a half-transparent source leaves half of the destination.
    Src->Clear(0x80FFFFFF);
    Src->SetDrawMode(dmBlend);
    Dst->Clear(0xFF000000);
    StretchNearestNeighbour(Dst.get(), Dst->BoundsRect(), Dst->BoundsRect(), Src.get(), Src->BoundsRect(), dmBlend,
                            nullptr);
    EXPECT_EQ(Dst->Pixel(5, 3), BlendPixel(0x80FFFFFF, 0xFF000000));
    // A source rectangle outside the source raises, unless nothing would be drawn.
    EXPECT_THROW(StretchNearestNeighbour(Dst.get(), Dst->BoundsRect(), Dst->BoundsRect(), Src.get(),
                                         TRect{0, 0, 4, 2}, dmOpaque, nullptr),
                 Exception);
    StretchNearestNeighbour(Dst.get(), Dst->BoundsRect(), TRect{10, 10, 20, 20}, Src.get(), TRect{0, 0, 4, 2},
                            dmOpaque, nullptr);
}

// ---------------------------------------------------------------------------
// Transfers

namespace {

// The one-to-one copy the transfer must equal: every source pixel of
// SrcRect ∩ Src that lands in DstClip ∩ Dst, stored by the draw mode.
std::vector<TColor32> ReferenceBlock(const TCustomBitmap32& Dst, Integer DstX, Integer DstY, const TRect& DstClip,
                                     const TCustomBitmap32& Src, const TRect& SrcRect, TRect& Changed)
{
    std::vector<TColor32> Out = PixelsOf(Dst);
    Changed = TRect{};
    bool Any = false;
    for (Integer sy = std::max(SrcRect.Top, 0); sy < std::min(SrcRect.Bottom, Src.Height()); ++sy)
        for (Integer sx = std::max(SrcRect.Left, 0); sx < std::min(SrcRect.Right, Src.Width()); ++sx) {
            Integer dx = DstX + sx - SrcRect.Left, dy = DstY + sy - SrcRect.Top;
            if (dx < std::max(DstClip.Left, 0) || dx >= std::min(DstClip.Right, Dst.Width()) ||
                dy < std::max(DstClip.Top, 0) || dy >= std::min(DstClip.Bottom, Dst.Height()))
                continue;
            Out[static_cast<size_t>(dx + dy * Dst.Width())] = Src.Pixel(sx, sy);
            if (!Any) Changed = TRect{dx, dy, dx + 1, dy + 1};
            Any = true;
            Changed.Left = std::min(Changed.Left, dx);
            Changed.Top = std::min(Changed.Top, dy);
            Changed.Right = std::max(Changed.Right, dx + 1);
            Changed.Bottom = std::max(Changed.Bottom, dy + 1);
        }
    return Out;
}

}  // namespace

TEST(Ras32_Transfer, BlockCopiesExactlyThePixelsThatLandInsideTheClip)
{
    std::uniform_int_distribution<Integer> Coord(-12, 30), Size(0, 20);
    int Cases = 0;
    for (int Case = 0; Case < 3000; ++Case) {
        auto Src = NewBitmap(1 + Size(Rng()), 1 + Size(Rng()));
        auto Dst = NewBitmap(1 + Size(Rng()), 1 + Size(Rng()));
        Integer L = Coord(Rng()), T = Coord(Rng());
        TRect SrcRect{L, T, L + Size(Rng()), T + Size(Rng())};
        Integer CL = Coord(Rng()), CT = Coord(Rng());
        TRect Clip{CL, CT, CL + Size(Rng()) + 5, CT + Size(Rng()) + 5};
        Integer DstX = Coord(Rng()), DstY = Coord(Rng());
        TRect Expected;
        std::vector<TColor32> Want = ReferenceBlock(*Dst, DstX, DstY, Clip, *Src, SrcRect, Expected);
        TAreaLog Log;
        Log.Attach(*Dst);
        TransferBlock(Dst.get(), DstX, DstY, Clip, Src.get(), SrcRect, dmOpaque);
        ASSERT_EQ(PixelsOf(*Dst), Want) << Case;
        if (RectIsEmpty(Expected)) {
            EXPECT_TRUE(Log.Areas.empty());
        } else {
            ASSERT_EQ(Log.Areas.size(), 1u);
            EXPECT_EQ(Log.Areas[0], Expected);
        }
        ++Cases;
    }
    std::printf("compared %d transfers\n", Cases);
}

TEST(Ras32_Transfer, DrawModesAndNilBitmaps)
{
    auto Src = NewBitmap(3, 1, false), Dst = NewBitmap(3, 1, false);
    Src->Bits()[0] = 0x80FF0000;
    Src->Bits()[1] = 0x00000001;
    Src->Bits()[2] = 0xFF00FF00;
    Src->SetOuterColor(0x00000001);
    Dst->Clear(0xFF0000FF);
    TransferBlock(Dst.get(), 0, 0, Dst->BoundsRect(), Src.get(), Src->BoundsRect(), dmTransparent);
    EXPECT_EQ(PixelsOf(*Dst), (std::vector<TColor32>{0x80FF0000, 0xFF0000FF, 0xFF00FF00}));
    Dst->Clear(0xFF0000FF);
    TransferBlock(Dst.get(), 0, 0, Dst->BoundsRect(), Src.get(), Src->BoundsRect(), dmBlend);
    EXPECT_EQ(Dst->Pixel(0, 0), BlendPixel(0x80FF0000, 0xFF0000FF));
    EXPECT_EQ(Dst->Pixel(1, 0), 0xFF0000FFu);
    Dst->Clear(0);
    TPixelCombineEvent Swap = [](TColor32 F, TColor32& B, Cardinal M) { B = F ^ M; };
    Src->SetMasterAlpha(7);
    TransferBlock(Dst.get(), 0, 0, Dst->BoundsRect(), Src.get(), Src->BoundsRect(), dmCustom, Swap);
    EXPECT_EQ(Dst->Pixel(2, 0), 0xFF00FF07u);
    // dmCustom without a callback copies.
    TransferBlock(Dst.get(), 0, 0, Dst->BoundsRect(), Src.get(), Src->BoundsRect(), dmCustom);
    EXPECT_EQ(Dst->Pixel(2, 0), 0xFF00FF00u);

    try {
        TransferBlock(nullptr, 0, 0, TRect{}, Src.get(), TRect{}, dmOpaque);
        FAIL();
    } catch (const EBitmapException& E) {
        EXPECT_EQ(E.Message(), u"Destination bitmap is nil");
    }
    try {
        TransferStretched(Dst.get(), TRect{}, TRect{}, nullptr, TRect{}, nullptr, dmOpaque);
        FAIL();
    } catch (const EBitmapException& E) {
        EXPECT_EQ(E.Message(), u"Source bitmap is nil");
    }
}

TEST(Ras32_Transfer, OntoItselfReadsEachRowBeforeOverwritingIt)
{
    for (auto [Dx, Dy] : {std::pair{2, 3}, {-3, -1}, {1, 0}, {0, -2}}) {
        auto B = NewBitmap(9, 7);
        auto Copy = NewBitmap(9, 7, false);
        std::memcpy(Copy->Bits(), B->Bits(), 9 * 7 * 4);
        TRect Expected;
        std::vector<TColor32> Want = ReferenceBlock(*B, Dx, Dy, B->BoundsRect(), *Copy, Copy->BoundsRect(), Expected);
        TransferBlock(B.get(), Dx, Dy, B->BoundsRect(), B.get(), B->BoundsRect(), dmOpaque);
        EXPECT_EQ(PixelsOf(*B), Want) << Dx << "," << Dy;
    }
}

namespace {
// Counts its stretches and draws nothing.
class TSpyResampler : public TNearestResampler {
public:
    int Calls = 0;
    void Resample(TCustomBitmap32*, const TRect&, const TRect&, TCustomBitmap32*, const TRect&, TDrawMode,
                  const TPixelCombineEvent&) override
    {
        ++Calls;
    }
};
}  // namespace

TEST(Ras32_Transfer, StretchedCutsTheSourceAndReportsTheDestination)
{
    auto Src = NewBitmap(10, 10), Dst = NewBitmap(100, 100);
    TSpyResampler Spy;
    TAreaLog Log;
    Log.Attach(*Dst);
    // SrcRect from x = -10 at a scale of 2: the destination's left edge moves right by 20.
    TransferStretched(Dst.get(), TRect{0, 0, 40, 20}, Dst->BoundsRect(), Src.get(), TRect{-10, 0, 10, 10}, &Spy,
                      dmOpaque);
    ASSERT_EQ(Log.Areas.size(), 1u);
    EXPECT_EQ(Log.Areas[0], (TRect{20, 0, 40, 20}));
    EXPECT_EQ(Spy.Calls, 1);
    // Right and bottom beyond the source: floor of the overhang times the scale.
    Log.Areas.clear();
    TransferStretched(Dst.get(), TRect{0, 0, 30, 30}, Dst->BoundsRect(), Src.get(), TRect{0, 0, 15, 15}, &Spy,
                      dmOpaque);
    EXPECT_EQ(Log.Areas[0], (TRect{0, 0, 20, 20}));
    // Equal sizes copy without the resampler.
    Spy.Calls = 0;
    Log.Areas.clear();
    TransferStretched(Dst.get(), TRect{5, 5, 15, 15}, Dst->BoundsRect(), Src.get(), Src->BoundsRect(), &Spy, dmOpaque);
    EXPECT_EQ(Spy.Calls, 0);
    EXPECT_EQ(Dst->Pixel(5, 5), Src->Pixel(0, 0));
    EXPECT_EQ(Dst->Pixel(14, 14), Src->Pixel(9, 9));
    // Blending with master alpha 0: nothing at all.
    Log.Areas.clear();
    Src->SetMasterAlpha(0);
    TransferStretched(Dst.get(), TRect{0, 0, 50, 50}, Dst->BoundsRect(), Src.get(), Src->BoundsRect(), &Spy, dmBlend);
    TransferBlock(Dst.get(), 0, 0, Dst->BoundsRect(), Src.get(), Src->BoundsRect(), dmBlend);
    EXPECT_TRUE(Log.Areas.empty());
    EXPECT_EQ(Spy.Calls, 0);
    // Measuring: the destination rectangle is reported, nothing drawn.
    Src->SetMasterAlpha(255);
    std::vector<TRect> Measured;
    std::vector<TColor32> Before = PixelsOf(*Dst);
    Dst->BeginMeasuring([&](TObject*, const TRect& Area, Cardinal) { Measured.push_back(Area); });
    TransferStretched(Dst.get(), TRect{0, 0, 50, 50}, Dst->BoundsRect(), Src.get(), Src->BoundsRect(), &Spy,
                      dmOpaque);
    TransferBlock(Dst.get(), 3, 4, Dst->BoundsRect(), Src.get(), Src->BoundsRect(), dmOpaque);
    Dst->EndMeasuring();
    EXPECT_EQ(Measured, (std::vector<TRect>{TRect{0, 0, 50, 50}, TRect{3, 4, 13, 14}}));
    EXPECT_EQ(Spy.Calls, 0);
    EXPECT_EQ(PixelsOf(*Dst), Before);
}

TEST(Ras32_Transfer, StretchedThroughEachResampler)
{
    auto Src = NewBitmap(40, 30, false);
    Src->Clear(0xFF204060);
    for (Integer i = 0; i < ResamplerClassList()->Count(); ++i) {
        Src->SetResamplerClassName(ResamplerClassList()->Items(i)->ClassName);
        for (auto [W, H] : {std::pair{13, 11}, {97, 61}, {40, 7}}) {
            auto Dst = NewBitmap(W + 4, H + 4, false);
            Dst->Clear(0);
            TransferStretched(Dst.get(), TRect{2, 2, 2 + W, 2 + H}, Dst->BoundsRect(), Src.get(), Src->BoundsRect(),
                              Src->Resampler(), dmOpaque);
            // The draft average may come out one below the mean (its rounded-down reciprocal).
            bool Draft = Src->ResamplerClassName() == u"TDraftResampler";
            for (Integer y = 0; y < H + 4; ++y)
                for (Integer x = 0; x < W + 4; ++x) {
                    bool Inside = x >= 2 && x < 2 + W && y >= 2 && y < 2 + H;
                    TColor32 C = Dst->Pixel(x, y);
                    if (!Inside) {
                        ASSERT_EQ(C, 0u);
                        continue;
                    }
                    for (int Shift = 0; Shift < 32; Shift += 8) {
                        Integer Got = (C >> Shift) & 0xFF, Want = (0xFF204060u >> Shift) & 0xFF;
                        ASSERT_TRUE(Got == Want || (Draft && Got == Want - 1))
                            << UTF8Encode(Src->ResamplerClassName()) << " " << W << "x" << H << " at " << x << "," << y;
                    }
                }
        }
    }
}
