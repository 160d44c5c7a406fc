#include <gtest/gtest.h>

#include <cmath>

#include "FilterTestUtils.h"
#include "filters/ImageWarping.h"

namespace {

std::vector<TFixedPoint> FieldOf(const TImgWarping& W) { return W.Field()->Vectors(); }

}  // namespace

TEST(GenericBrush, Weight)
{
    TGenericBrush B;
    EXPECT_FLOAT_EQ(B.Weight(0, 0), 1);
    EXPECT_FLOAT_EQ(B.Weight(0.5f, 0), 0.5f);  // pinch 0: 1 - d
    EXPECT_EQ(B.Weight(1, 0), 0);
    EXPECT_EQ(B.Weight(0.8f, 0.8f), 0);
    B.SetFeather(0.12f);
    B.SetPressure(0.5f);
    EXPECT_NEAR(B.Weight(0.94f, 0), 0.5 * 0.06 * (0.06 / 0.12), 1e-6);
    B.SetPinch(1);
    EXPECT_NEAR(B.Weight(0.5f, 0), 0.5, 1e-6);
    B.SetPinch(-1);
    EXPECT_NEAR(B.Weight(0, 0), 0.5, 1e-6);
    EXPECT_EQ(B.Weight(0.5f, 0), 0);
    B.SetPressure(7);  // clamped
    EXPECT_EQ(B.Pressure(), 1);
}

TEST(ImgWarping, WarpBrushCells)
{
    auto Pic = RandomBitmap(64, 48, 1);
    TImgWarping W(Pic.get(), Pic.get(), btWarp);
    W.UpdateBrush(40, 100);
    const TVectorMap* L = W.Brush(btmLeft);
    ASSERT_EQ(L->Width(), 40);
    TGenericBrush Profile;
    Profile.SetFeather(0.12f);
    for (Integer Row = 0; Row < 40; ++Row)
        for (Integer Col = 0; Col < 40; ++Col) {
            const TFixedPoint V = L->IntVector(Col, Row);
            ASSERT_EQ(V.X, V.Y);
            const Single X = Col * 2.0f / 39 - 1, Y = Row * 2.0f / 39 - 1;
            EXPECT_NEAR(V.X, Profile.Weight(X, Y) * 65536, 1.0);
        }
    EXPECT_EQ(L->IntVector(0, 0), (TFixedPoint{0, 0}));
    EXPECT_EQ(L->IntVector(39, 39), (TFixedPoint{0, 0}));
    const TFixed Full = L->IntVector(20, 20).X;
    W.UpdateBrush(40, 50);
    EXPECT_NEAR(W.Brush(btmLeft)->IntVector(20, 20).X, Full / 2.0, 1.0);
    for (const TFixedPoint& V : W.Brush(btmRight)->Vectors()) EXPECT_EQ(V, (TFixedPoint{0, 0}));
}

TEST(ImgWarping, OtherToolsHaveZeroCorners)
{
    auto Pic = RandomBitmap(32, 32, 2);
    for (TBrushTool Tool : {btZoom, btTwirl, btFlower}) {
        TImgWarping W(Pic.get(), Pic.get(), Tool);
        W.UpdateBrush(21, 100);
        for (TBrushToolMode Mode : {btmLeft, btmRight}) {
            EXPECT_EQ(W.Brush(Mode)->IntVector(0, 0), (TFixedPoint{0, 0})) << Tool;
            EXPECT_EQ(W.Brush(Mode)->IntVector(20, 20), (TFixedPoint{0, 0})) << Tool;
        }
        // The zoom brushes pull toward and push away from the centre.
        if (Tool == btZoom) {
            EXPECT_LT(W.Brush(btmLeft)->IntVector(15, 10).X, 0);
            EXPECT_GT(W.Brush(btmRight)->IntVector(15, 10).X, 0);
        }
    }
}

TEST(ImgWarping, RightButtonWarpLeavesTheFieldButRenders)
{
    auto Pic = RandomBitmap(64, 48, 3);
    auto Shown = CloneBitmap(Pic.get());
    TImgWarping W(Pic.get(), Shown.get(), btWarp);
    W.UpdateBrush(20, 100);
    W.MouseDown(ssRight, 30, 20);
    W.MouseMove(ssRight, 36, 22);
    for (const TFixedPoint& V : FieldOf(W)) EXPECT_EQ(V, (TFixedPoint{0, 0}));
    EXPECT_EQ(W.DstRect(), (TRect{26, 12, 46, 32}));
    // The square is re-rendered from the copy through a zero field: the
    // picture itself, up to the sub-pixel read's 255/256 weights; nothing
    // outside the square is touched.
    for (Integer Y = 0; Y < 48; ++Y)
        for (Integer X = 0; X < 64; ++X) {
            const TColor32 S = Shown->Pixel(X, Y), P = Pic->Pixel(X, Y);
            if (!PointInRect(W.DstRect(), TPoint{X, Y})) {
                ASSERT_EQ(S, P);
                continue;
            }
            for (Integer Shift = 0; Shift < 32; Shift += 8)
                ASSERT_NEAR(Integer((S >> Shift) & 0xFF), Integer((P >> Shift) & 0xFF), 3) << X << "," << Y;
        }
}

TEST(ImgWarping, LeftButtonWarpPushesAndFadesOut)
{
    auto Pic = MakeBitmap(64, 48, 0xFF000000);
    for (Integer Y = 0; Y < 48; ++Y)
        for (Integer X = 28; X < 32; ++X) Pic->SetPixel(X, Y, 0xFFFFFFFF);
    auto Shown = CloneBitmap(Pic.get());
    TImgWarping W(Pic.get(), Shown.get(), btWarp);
    W.UpdateBrush(20, 100);
    W.MouseMove(0, 10, 10);  // no button: nothing
    EXPECT_EQ(W.DstRect(), (TRect{0, 0, 0, 0}));
    W.MouseDown(ssLeft, 30, 24);
    W.MouseMove(ssLeft, 36, 24);
    EXPECT_EQ(W.LastDelta().X, -3 * 65536);
    EXPECT_NE(PixelsOf(Shown.get()), PixelsOf(Pic.get()));
    // Outside the brush square nothing changed.
    for (Integer Y = 0; Y < 48; ++Y)
        for (Integer X = 0; X < 64; ++X)
            if (!PointInRect(W.DstRect(), TPoint{X, Y})) ASSERT_EQ(Shown->Pixel(X, Y), Pic->Pixel(X, Y));
    // Without motion the push halves each step.
    W.MouseMove(ssLeft, 36, 24);
    EXPECT_EQ(W.LastDelta().X, -3 * 32768);
    W.MouseMove(ssLeft, 36, 24);
    EXPECT_EQ(W.LastDelta().X, -3 * 16384);
}

TEST(ImgWarping, StrokesOffThePictureAndTinyBrushes)
{
    auto Pic = RandomBitmap(16, 12, 4);
    auto Shown = CloneBitmap(Pic.get());
    TImgWarping W(Pic.get(), Shown.get(), btTwirl);
    W.UpdateBrush(10, 100);
    W.MouseDown(ssLeft, -3, -3);
    W.MouseMove(ssLeft, -2, -3);
    // Only cells inside the picture: the field keeps its size; far cells stay zero.
    EXPECT_EQ(W.Field()->Width(), 16);
    EXPECT_EQ(W.Field()->IntVector(15, 11), (TFixedPoint{0, 0}));
    W.MouseMove(ssLeft, 1000, 1000);

    for (Integer Size : {-5, 0, 1}) {
        TImgWarping Tiny(Pic.get(), Shown.get(), btWarp);
        Tiny.UpdateBrush(Size, 100);
        Tiny.MouseDown(ssLeft, 5, 5);
        Tiny.MouseMove(ssLeft, 8, 5);
        for (const TFixedPoint& V : FieldOf(Tiny)) EXPECT_EQ(V, (TFixedPoint{0, 0}));
    }
    auto Empty = MakeBitmap(0, 0);
    TImgWarping None(Empty.get(), Empty.get(), btFlower);
    None.UpdateBrush(8, 100);
    None.MouseDown(ssLeft, 1, 1);
    None.MouseMove(ssLeft, 2, 1);
}
