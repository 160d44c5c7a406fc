// The bitmap's drawing onto other bitmaps, copying, flips, rotations, Roll and ResetAlpha.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Resamplers.h"
#include "framework/runtime/SysUtils.h"

namespace {

// A W x H bitmap whose pixel (x, y) is Code(x, y), so positions can be read back.
TColor32 Code(Integer X, Integer Y) { return 0xFF000000 | static_cast<TColor32>(Y << 8 | X); }

std::unique_ptr<TCustomBitmap32> Coded(Integer W, Integer H)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) B->SetPixel(x, y, Code(x, y));
    return B;
}

std::vector<TColor32> PixelsOf(const TCustomBitmap32& B)
{
    return std::vector<TColor32>(B.Bits(), B.Bits() + B.Width() * B.Height());
}

struct TLog {
    std::vector<TRect> Areas;
    int Changes = 0;
    void Attach(TCustomBitmap32& B)
    {
        B.OnAreaChanged = [this](TObject*, const TRect& Area, Cardinal) { Areas.push_back(Area); };
        B.OnChange = [this](TObject*) { ++Changes; };
    }
};

}  // namespace

TEST(Ras32_Draw, DrawAndDrawToGoThroughTheTransfers)
{
    auto Src = Coded(4, 3);
    auto Dst = Coded(10, 10);
    Dst->Draw(0, 0, nullptr);  // nothing
    Dst->Draw(5, 6, Src.get());
    EXPECT_EQ(Dst->Pixel(5, 6), Code(0, 0));
    EXPECT_EQ(Dst->Pixel(8, 8), Code(3, 2));
    EXPECT_EQ(Dst->Pixel(9, 9), Code(9, 9));
    Dst->Draw(0, 0, TRect{1, 1, 3, 3}, Src.get());
    EXPECT_EQ(Dst->Pixel(0, 0), Code(1, 1));
    EXPECT_EQ(Dst->Pixel(2, 0), Code(2, 0));
    // Stretched through the source's resampler (nearest: doubled pixels).
    Dst->Draw(TRect{0, 0, 8, 6}, Src->BoundsRect(), Src.get());
    EXPECT_EQ(Dst->Pixel(7, 5), Code(3, 2));
    EXPECT_EQ(Dst->Pixel(2, 3), Code(1, 1));
    // The destination's clip rectangle holds.
    Dst->SetClipRect(TRect{0, 0, 2, 2});
    Src->DrawTo(Dst.get(), 1, 1);
    EXPECT_EQ(Dst->Pixel(1, 1), Code(0, 0));
    EXPECT_EQ(Dst->Pixel(2, 2), Code(1, 1));  // from the stretch before, not this draw
    try {
        Src->DrawTo(nullptr);
        FAIL();
    } catch (const EBitmapException& E) {
        EXPECT_EQ(E.Message(), u"Destination bitmap is nil");
    }
    EXPECT_THROW(Src->DrawTo(nullptr, TRect{0, 0, 1, 1}), EBitmapException);
}

TEST(Ras32_Draw, AssignCopiesPixelsAndSettings)
{
    auto Src = Coded(3, 2);
    Src->SetDrawMode(dmBlend);
    Src->SetCombineMode(cmMerge);
    Src->SetWrapMode(wmMirror);
    Src->SetMasterAlpha(90);
    Src->SetOuterColor(0x12345678);
    Src->SetResamplerClassName(u"TKernelResampler");
    auto* Kernel = static_cast<TKernelResampler*>(Src->Resampler());
    Kernel->SetKernelClassName(u"TMitchellKernel");
    Kernel->SetPixelAccessMode(pamTransparentEdge);

    TCustomBitmap32 Dst;
    TLog Log;
    Log.Attach(Dst);
    Dst.Assign(Src.get());
    EXPECT_EQ(Log.Changes, 1);
    EXPECT_EQ(PixelsOf(Dst), PixelsOf(*Src));
    EXPECT_EQ(Dst.DrawMode(), dmBlend);
    EXPECT_EQ(Dst.CombineMode(), cmMerge);
    EXPECT_EQ(Dst.WrapMode(), wmMirror);
    EXPECT_EQ(Dst.MasterAlpha(), 90u);
    EXPECT_EQ(Dst.OuterColor(), 0x12345678u);
    ASSERT_EQ(Dst.ResamplerClassName(), u"TKernelResampler");
    EXPECT_EQ(static_cast<TKernelResampler*>(Dst.Resampler())->KernelClassName(), u"TMitchellKernel");
    EXPECT_EQ(Dst.Resampler()->PixelAccessMode(), pamTransparentEdge);
    EXPECT_EQ(Dst.Resampler()->Bitmap(), &Dst);

    // Nil empties the bitmap, with one change.
    Log.Changes = 0;
    Dst.Assign(nullptr);
    EXPECT_TRUE(Dst.Empty());
    EXPECT_EQ(Log.Changes, 1);
    // Anything else is the assignment error.
    TStringList Strings;
    EXPECT_THROW(Dst.Assign(&Strings), EConvertError);
}

TEST(Ras32_Geometry, FlipsIntoItselfOrAnotherBitmap)
{
    for (bool InPlace : {true, false}) {
        auto B = Coded(5, 3);
        TCustomBitmap32 Other;
        TCustomBitmap32* Target = InPlace ? B.get() : &Other;
        B->FlipHorz(InPlace ? nullptr : &Other);
        for (Integer y = 0; y < 3; ++y)
            for (Integer x = 0; x < 5; ++x) EXPECT_EQ(Target->Pixel(x, y), Code(4 - x, y));
        auto C = Coded(5, 3);
        Target = InPlace ? C.get() : &Other;
        C->FlipVert(InPlace ? C.get() : &Other);
        for (Integer y = 0; y < 3; ++y)
            for (Integer x = 0; x < 5; ++x) EXPECT_EQ(Target->Pixel(x, y), Code(x, 2 - y));
    }
    // FlipHorz(Self) and FlipHorz(nil) are one thing.
    auto A = Coded(4, 4), B = Coded(4, 4);
    A->FlipHorz(A.get());
    B->FlipHorz();
    EXPECT_EQ(PixelsOf(*A), PixelsOf(*B));
}

TEST(Ras32_Geometry, Rotations)
{
    // Rotate90 of 3 x 2 gives 2 x 3 with the top-left pixel at the top-right.
    auto B = Coded(3, 2);
    TLog Log;
    Log.Attach(*B);
    B->Rotate90();
    ASSERT_EQ(B->Width(), 2);
    ASSERT_EQ(B->Height(), 3);
    EXPECT_EQ(B->Pixel(1, 0), Code(0, 0));
    EXPECT_EQ(B->Pixel(0, 2), Code(2, 1));
    EXPECT_EQ(Log.Areas.back(), (TRect{0, 0, 2, 3}));  // reported after the pixels are turned

    for (Integer W : {1, 4, 7})
        for (Integer H : {1, 3, 6}) {
            auto S = Coded(W, H);
            TCustomBitmap32 R90, R180, R270;
            S->Rotate90(&R90);
            S->Rotate180(&R180);
            S->Rotate270(&R270);
            for (Integer y = 0; y < H; ++y)
                for (Integer x = 0; x < W; ++x) {
                    EXPECT_EQ(R90.Pixel(H - 1 - y, x), Code(x, y));
                    EXPECT_EQ(R180.Pixel(W - 1 - x, H - 1 - y), Code(x, y));
                    EXPECT_EQ(R270.Pixel(y, W - 1 - x), Code(x, y));
                }
            // In place (nil or the bitmap itself) the same pixels.
            auto I90 = Coded(W, H), I180 = Coded(W, H), I270 = Coded(W, H);
            I90->Rotate90(I90.get());
            I180->Rotate180();
            I270->Rotate270();
            EXPECT_EQ(PixelsOf(*I90), PixelsOf(R90));
            EXPECT_EQ(PixelsOf(*I180), PixelsOf(R180));
            EXPECT_EQ(PixelsOf(*I270), PixelsOf(R270));
            // Four quarter turns come back.
            for (int i = 0; i < 4; ++i) S->Rotate90();
            EXPECT_EQ(PixelsOf(*S), PixelsOf(*Coded(W, H)));
        }
    // A square turned in place reports its change.
    auto Square = Coded(3, 3);
    TLog SquareLog;
    SquareLog.Attach(*Square);
    Square->Rotate270();
    EXPECT_EQ(SquareLog.Changes, 1);
}

TEST(Ras32_Geometry, Roll)
{
    // One place right on 4 x 4: the last pixel of each row starts the next
    // row, and column 0 is painted.
    auto B = Coded(4, 4);
    B->Roll(1, 0, true, 0xFFABCDEF);
    for (Integer y = 0; y < 4; ++y) {
        EXPECT_EQ(B->Pixel(0, y), 0xFFABCDEFu);
        for (Integer x = 1; x < 4; ++x) EXPECT_EQ(B->Pixel(x, y), Code(x - 1, y));
    }
    B = Coded(4, 4);
    B->Roll(1, 0, false, 0);
    EXPECT_EQ(B->Pixel(0, 1), Code(3, 0));

    // Up and left, filling back: the uncovered bottom rows and right columns.
    struct TCase {
        Integer Dx, Dy;
    };
    for (TCase C : {TCase{-2, -1}, TCase{1, 2}, TCase{0, -3}, TCase{-3, 0}}) {
        auto R = Coded(6, 5);
        R->Roll(C.Dx, C.Dy, true, 0);
        for (Integer y = 0; y < 5; ++y)
            for (Integer x = 0; x < 6; ++x) {
                Integer SX = x - C.Dx, SY = y - C.Dy;
                bool Covered = SX >= 0 && SX < 6 && SY >= 0 && SY < 5;
                // Inside, the memory moved by Dx + Dy * Width.
                Integer Index = x + 6 * y - (C.Dx + 6 * C.Dy);
                TColor32 Expected = Covered ? Code(Index % 6, Index / 6) : 0;
                EXPECT_EQ(R->Pixel(x, y), Expected) << C.Dx << "," << C.Dy << " at " << x << "," << y;
            }
    }
    // As large as the bitmap: cleared with FillBack, untouched without.
    B = Coded(4, 4);
    B->Roll(0, 4, false, 0);
    EXPECT_EQ(PixelsOf(*B), PixelsOf(*Coded(4, 4)));
    B->Roll(-4, 0, true, 0x11111111);
    EXPECT_EQ(B->Pixel(3, 3), 0x11111111u);
}

TEST(Ras32_Geometry, ResetAlpha)
{
    auto B = Coded(3, 2);
    B->ResetAlpha(0x80);
    EXPECT_EQ(B->Pixel(2, 1), (Code(2, 1) & 0x00FFFFFF) | 0x80000000);
    B->ResetAlpha();
    EXPECT_EQ(B->Pixel(2, 1), Code(2, 1));
    // Measuring: no pixel changes, the whole bitmap is reported.
    std::vector<TRect> Measured;
    B->BeginMeasuring([&](TObject*, const TRect& Area, Cardinal) { Measured.push_back(Area); });
    B->ResetAlpha(0x80);
    B->EndMeasuring();
    EXPECT_EQ(B->Pixel(0, 0), Code(0, 0));
    EXPECT_EQ(Measured, (std::vector<TRect>{TRect{0, 0, 3, 2}}));
}
