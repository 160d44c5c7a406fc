// The transformer, the rasterizers and TransformBitmap.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "Component/Raster32/Ras32_Rasterizers.h"
#include "framework/runtime/SysUtils.h"

namespace {

std::mt19937& Rng()
{
    static std::mt19937 G(77);
    return G;
}

std::unique_ptr<TCustomBitmap32> NewBitmap(Integer W, Integer H, bool Opaque = false)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    for (Integer i = 0; i < W * H; ++i) B->Bits()[i] = static_cast<TColor32>(Rng()()) | (Opaque ? 0xFF000000 : 0);
    return B;
}

std::vector<TColor32> PixelsOf(const TCustomBitmap32& B)
{
    return std::vector<TColor32>(B.Bits(), B.Bits() + B.Width() * B.Height());
}

TFloatRect BoundsOf(const TCustomBitmap32& B)
{
    return TFloatRect{0, 0, static_cast<Single>(B.Width()), static_cast<Single>(B.Height())};
}

struct TAreaLog {
    std::vector<TRect> Areas;
    void Attach(TCustomBitmap32& B)
    {
        B.OnAreaChanged = [this](TObject*, const TRect& Area, Cardinal) { Areas.push_back(Area); };
    }
};

}  // namespace

TEST(Ras32_TransformBitmap, IdentityCopiesExactly)
{
    auto Src = NewBitmap(23, 17);
    TAffineTransformation Affine;
    Affine.SetSrcRect(BoundsOf(*Src));
    auto Dst = NewBitmap(23, 17);
    TransformBitmap(Dst.get(), Src.get(), &Affine);
    EXPECT_EQ(PixelsOf(*Dst), PixelsOf(*Src));

    TProjectiveTransformation Projective;
    Projective.SetSrcRect(BoundsOf(*Src));
    Projective.SetX1(23);
    Projective.SetX2(23);
    Projective.SetY2(17);
    Projective.SetY3(17);
    Dst = NewBitmap(23, 17);
    TransformBitmap(Dst.get(), Src.get(), &Projective);
    EXPECT_EQ(PixelsOf(*Dst), PixelsOf(*Src));

    // The kernel resampler with its box kernel, on opaque pixels, likewise.
    Src = NewBitmap(23, 17, true);
    Src->SetResamplerClassName(u"TKernelResampler");
    Dst = NewBitmap(23, 17);
    TransformBitmap(Dst.get(), Src.get(), &Affine);
    EXPECT_EQ(PixelsOf(*Dst), PixelsOf(*Src));
}

TEST(Ras32_TransformBitmap, RotationByAQuarterTurn)
{
    auto Src = NewBitmap(6, 4);
    TAffineTransformation Affine;
    Affine.SetSrcRect(BoundsOf(*Src));
    // Counter-clockwise on the screen, then moved back into view.
    Affine.Rotate(90);
    Affine.Translate(0, 6);
    auto Dst = NewBitmap(4, 6);
    TransformBitmap(Dst.get(), Src.get(), &Affine);
    for (Integer y = 0; y < 6; ++y)
        for (Integer x = 0; x < 4; ++x) EXPECT_EQ(Dst->Pixel(x, y), Src->Pixel(5 - y, x)) << x << "," << y;
}

TEST(Ras32_TransformBitmap, ClipAndChangeReports)
{
    auto Src = NewBitmap(8, 8);
    auto Dst = NewBitmap(10, 10);
    TAffineTransformation Affine;
    Affine.SetSrcRect(BoundsOf(*Src));
    TAreaLog Log;
    Log.Attach(*Dst);
    // A clip that misses the destination's clip rectangle: nothing drawn, one report of (0, 0, 0, 0).
    Dst->SetClipRect(TRect{0, 0, 5, 5});
    std::vector<TColor32> Before = PixelsOf(*Dst);
    TransformBitmap(Dst.get(), Src.get(), &Affine, TRect{6, 6, 9, 9});
    EXPECT_EQ(PixelsOf(*Dst), Before);
    ASSERT_EQ(Log.Areas.size(), 1u);
    EXPECT_EQ(Log.Areas[0], TRect{});

    // A clip partly outside: only pixels inside both clips change.
    Log.Areas.clear();
    Affine.Translate(-3, -3);
    TransformBitmap(Dst.get(), Src.get(), &Affine, TRect{-4, -4, 3, 4});
    for (Integer y = 0; y < 10; ++y)
        for (Integer x = 0; x < 10; ++x) {
            bool Inside = x < 3 && y < 4;
            EXPECT_EQ(Dst->Pixel(x, y), Inside ? Src->Pixel(x + 3, y + 3) : Before[static_cast<size_t>(x + 10 * y)]);
        }
    // The rasterizer reports its rows, then TransformBitmap the whole rectangle.
    EXPECT_EQ(Log.Areas, (std::vector<TRect>{TRect{0, 0, 3, 4}, TRect{0, 0, 3, 4}}));

    // Measuring: the report only.
    std::vector<TRect> Measured;
    Dst->ResetClipRect();
    Before = PixelsOf(*Dst);
    Dst->BeginMeasuring([&](TObject*, const TRect& Area, Cardinal) { Measured.push_back(Area); });
    TransformBitmap(Dst.get(), Src.get(), &Affine, TRect{1, 2, 3, 4});
    Dst->EndMeasuring();
    EXPECT_EQ(Measured, (std::vector<TRect>{TRect{1, 2, 3, 4}}));
    EXPECT_EQ(PixelsOf(*Dst), Before);
}

TEST(Ras32_TransformBitmap, SourceDrawSettingsDecideTheStore)
{
    auto Src = NewBitmap(4, 4);
    Src->Clear(0xFFFFFFFF);
    auto Dst = NewBitmap(4, 4);
    Dst->Clear(0xFF000000);
    TAffineTransformation Affine;
    Affine.SetSrcRect(BoundsOf(*Src));
    Src->SetDrawMode(dmBlend);
    Src->SetMasterAlpha(128);
    TransformBitmap(Dst.get(), Src.get(), &Affine);
    TColor32 Half = 0xFF000000;
    BlendPixelMasterInPlace(0xFFFFFFFF, Half, 128);
    EXPECT_EQ(Dst->Pixel(2, 2), Half);
    EXPECT_NEAR(RedOf(Half), 128, 2);
    Src->SetDrawMode(dmOpaque);
    TransformBitmap(Dst.get(), Src.get(), &Affine);
    EXPECT_EQ(Dst->Pixel(2, 2), 0xFFFFFFFFu);
    Src->SetDrawMode(dmTransparent);
    Src->SetOuterColor(0xFFFFFFFF);
    Dst->Clear(0xFF000000);
    TransformBitmap(Dst.get(), Src.get(), &Affine);
    EXPECT_EQ(Dst->Pixel(2, 2), 0xFF000000u);
}

// Property: the transformer's row form gives exactly the colours of its
// pixel form, for every resampler it serves and every access mode.
TEST(Ras32_Transformer, RowsEqualPixels)
{
    std::uniform_real_distribution<Single> Angle(-180, 180), Factor(0.4f, 2.5f), Shift(-30, 30);
    auto Src = NewBitmap(40, 30);
    Src->SetOuterColor(0x55AA55AA);
    Src->SetWrapMode(wmMirror);
    Src->SetClipRect(TRect{2, 1, 37, 29});
    int Rows = 0;
    for (const char16_t* Name : {u"TNearestResampler", u"TLinearResampler", u"TDraftResampler"})
        for (TPixelAccessMode Mode : {pamSafe, pamWrap, pamTransparentEdge})
            for (int Case = 0; Case < 6; ++Case) {
                Src->SetResamplerClassName(Name);
                Src->Resampler()->SetPixelAccessMode(Mode);
                TAffineTransformation Affine;
                Affine.SetSrcRect(BoundsOf(*Src));
                Affine.Rotate(20, 15, Angle(Rng()));
                Affine.Scale(Factor(Rng()), Factor(Rng()));
                Affine.Translate(Shift(Rng()), Shift(Rng()));
                TTransformer Transformer(Src->Resampler(), &Affine);
                Transformer.PrepareSampling();
                std::vector<TColor32> Row(60);
                for (Integer Y = -5; Y < 60; Y += 3) {
                    ASSERT_TRUE(Transformer.GetSampleRow(-10, Y, 60, Row.data()));
                    for (Integer i = 0; i < 60; ++i)
                        ASSERT_EQ(Row[static_cast<size_t>(i)], Transformer.GetSampleInt(i - 10, Y));
                    ++Rows;
                }
                Transformer.FinalizeSampling();
            }
    // Unsafe reads: a reduction that keeps every read inside the source.
    for (const char16_t* Name : {u"TNearestResampler", u"TLinearResampler"}) {
        Src->SetResamplerClassName(Name);
        Src->Resampler()->SetPixelAccessMode(pamUnsafe);
        TAffineTransformation Affine;
        Affine.SetSrcRect(BoundsOf(*Src));
        Affine.Translate(-3, -3);
        Affine.Scale(0.5f);
        TTransformer Transformer(Src->Resampler(), &Affine);
        Transformer.PrepareSampling();
        std::vector<TColor32> Row(15);
        for (Integer Y = 0; Y < 11; ++Y) {
            ASSERT_TRUE(Transformer.GetSampleRow(0, Y, 15, Row.data()));
            for (Integer i = 0; i < 15; ++i) ASSERT_EQ(Row[static_cast<size_t>(i)], Transformer.GetSampleInt(i, Y));
            ++Rows;
        }
    }
    // A transformation the row form does not cover: the pixel form is used.
    TProjectiveTransformation Projective;
    TTransformer Other(Src->Resampler(), &Projective);
    std::vector<TColor32> Row(4);
    EXPECT_FALSE(Other.GetSampleRow(0, 0, 4, Row.data()));
    std::printf("compared %d rows\n", Rows);
}

TEST(Ras32_Transformer, BoundsAndNestedErrors)
{
    auto Src = NewBitmap(10, 20);
    Src->Resampler()->SetPixelAccessMode(pamTransparentEdge);
    TAffineTransformation Affine;
    Affine.SetSrcRect(TFloatRect{-5, -5, 5, 30});
    Affine.Scale(2);
    TTransformer Transformer(Src->Resampler(), &Affine);
    EXPECT_TRUE(Transformer.HasBounds());
    // The source's clip rectangle one pixel wider, cut by SrcRect, then mapped.
    EXPECT_EQ(Transformer.GetSampleBounds(), (TFloatRect{-2, -2, 10, 42}));
    Src->Resampler()->SetPixelAccessMode(pamWrap);
    EXPECT_FALSE(Transformer.HasBounds());

    TNestedSampler Empty;
    try {
        Empty.PrepareSampling();
        FAIL();
    } catch (const ENestedException& E) {
        EXPECT_EQ(E.Message(), u"Nested sampler is nil");
    }
    EXPECT_THROW(Empty.HasBounds(), ENestedException);
    EXPECT_THROW(Empty.GetSampleBounds(), ENestedException);
    EXPECT_THROW(Empty.FinalizeSampling(), ENestedException);
}

TEST(Ras32_Rasterizer, RowReportsSettingsAndAssign)
{
    auto Src = NewBitmap(5, 7);
    auto Dst = NewBitmap(5, 7);
    TAffineTransformation Affine;
    Affine.SetSrcRect(BoundsOf(*Src));
    TRegularRasterizer Rasterizer;
    Rasterizer.SetUpdateRowCount(3);
    TAreaLog Log;
    Log.Attach(*Dst);
    TransformBitmap(Dst.get(), Src.get(), &Affine, &Rasterizer);
    EXPECT_EQ(Log.Areas, (std::vector<TRect>{TRect{0, 0, 5, 3}, TRect{0, 3, 5, 6}, TRect{0, 6, 5, 7},
                                             TRect{0, 0, 5, 7}}));
    EXPECT_EQ(Rasterizer.Sampler(), nullptr);  // handed back as it came

    // Without a sampler nothing happens.
    std::vector<TColor32> Before = PixelsOf(*Dst);
    Rasterizer.Rasterize(Dst.get());
    EXPECT_EQ(PixelsOf(*Dst), Before);

    // Update brackets left open by a sampler are closed.
    class TBracketing : public TCustomSampler {
    public:
        TCustomBitmap32* Target = nullptr;
        TColor32 GetSampleFixed(TFixed, TFixed) override
        {
            Target->BeginUpdate();
            return 0xFF123456;
        }
    } Bracketing;
    Bracketing.Target = Dst.get();
    Rasterizer.SetSampler(&Bracketing);
    Rasterizer.Rasterize(Dst.get(), TRect{0, 0, 2, 2});
    EXPECT_EQ(Dst->UpdateCount(), 0);
    EXPECT_EQ(Dst->Pixel(1, 1), 0xFF123456u);
    EXPECT_EQ(Dst->Pixel(2, 2), Before[12]);

    TRegularRasterizer Copy;
    Copy.Assign(&Rasterizer);
    EXPECT_EQ(Copy.UpdateRowCount(), 3);
    Src->SetDrawMode(dmCustom);
    TCombineInfo Info = TRasterizer::CombineInfoOf(Src.get());
    EXPECT_EQ(Info.DrawMode, dmOpaque);  // no callback
    Copy.Assign(Src.get());
    EXPECT_EQ(DefaultRasterizerClass->ClassName, u"TRegularRasterizer");
}
