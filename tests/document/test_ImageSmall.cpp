#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "GoldenPicture.h"
#include "document/ImageSmall.h"

namespace {
// A stand-alone picture object of a W x H picture of Color at R.
std::unique_ptr<TImgSmall> MakePicture(TCustomBitmap32& Target, Integer W, Integer H, TColor32 Color, const TRect& R)
{
    auto S = std::make_unique<TImgSmall>(nullptr, 1, &Target);
    S->SrcBmp()->SetSize(W, H);
    S->SrcBmp()->Clear(Color);
    S->SetSRect(R);
    S->CalcCenterPoint();
    S->SetOpacity(255);
    return S;
}
}  // namespace

TEST(ImageSmall, Construction)
{
    TCustomBitmap32 T;
    TImgSmall S(nullptr, 3, &T);
    EXPECT_EQ(S.ShapeType(), shSmall);
    EXPECT_EQ(S.ControlMode(), 3);
    EXPECT_EQ(S.MinSize(), 1);
    EXPECT_EQ(S.TmpBmp()->DrawMode(), dmBlend);
    EXPECT_EQ(S.TmpBmp()->CombineMode(), cmMerge);
    EXPECT_EQ(S.SrcBmp()->Resampler()->ClassName(), u"TLinearResampler");
}

TEST(ImageSmall, StretchedToItsRectangle)
{
    TCustomBitmap32 Target;
    Target.SetSize(300, 200);
    Target.Clear(0xFF000000);
    auto S = MakePicture(Target, 100, 50, 0xFFFF0000, {10, 20, 210, 120});
    S->SrcBmp()->FillRect(50, 0, 100, 50, 0xFF0000FF);  // right half blue
    S->Draw(nullptr);
    EXPECT_EQ(S->TmpBmp()->Width(), 200);
    EXPECT_EQ(S->TmpBmp()->Height(), 100);
    EXPECT_TRUE(NearColour(Target.Pixel(15, 70), 0xFFFF0000u));
    EXPECT_TRUE(NearColour(Target.Pixel(200, 70), 0xFF0000FFu));
    // Bilinear across the seam in the middle.
    TColor32 Mid = Target.Pixel(110, 70);
    EXPECT_GT(Mid & 0xFF, 0u);
    EXPECT_GT((Mid >> 16) & 0xFF, 0u);
    EXPECT_EQ(Target.Pixel(5, 70), 0xFF000000u);
    EXPECT_EQ(S->MaxRect(), (TRect{10, 20, 210, 120}));
}

TEST(ImageSmall, RotatedBoundsAndHits)
{
    TCustomBitmap32 Target;
    Target.SetSize(400, 400);
    Target.Clear(0xFF000000);
    auto S = MakePicture(Target, 100, 100, 0xFFFFFFFF, {100, 100, 200, 200});
    S->SetAngle(45);
    S->Draw(nullptr);
    TRect M = S->MaxRect();
    EXPECT_NEAR(M.Right - M.Left, 141, 1);
    EXPECT_NEAR(M.Bottom - M.Top, 141, 1);
    EXPECT_NEAR((M.Left + M.Right) / 2.0, 150, 1);
    EXPECT_NEAR((M.Top + M.Bottom) / 2.0, 150, 1);
    EXPECT_EQ(S->GetMaxRect(), M);
    EXPECT_TRUE(S->PtInShape(150, 150));
    EXPECT_EQ(S->CurrentCursor(), crSizeAll);
    // A corner of the bounding box lies outside the turned picture.
    EXPECT_FALSE(S->PtInShape(M.Left + 3, M.Top + 3));
    EXPECT_FALSE(S->PtInShape(M.Right + 1, 150));
    // The turned picture is drawn there, the box's corner is not.
    EXPECT_TRUE(NearColour(Target.Pixel(150, 150), 0xFFFFFFFFu));
    EXPECT_EQ(Target.Pixel(M.Left + 3, M.Top + 3), 0xFF000000u);
}

TEST(ImageSmall, OpacityZeroIsInvisibleButHit)
{
    TCustomBitmap32 Target;
    Target.SetSize(50, 50);
    Target.Clear(0xFF102030);
    auto S = MakePicture(Target, 10, 10, 0xFFFFFFFF, {0, 0, 20, 20});
    S->SetOpacity(0);
    S->Draw(nullptr);
    EXPECT_EQ(Target.Pixel(5, 5), 0xFF102030u);
    EXPECT_TRUE(S->PtInShape(5, 5));
}

TEST(ImageSmall, DrawByRectAlphaStaysUntilPreparedAgain)
{
    TCustomBitmap32 Target;
    Target.SetSize(50, 50);
    Target.Clear(0xFF000000);
    auto S = MakePicture(Target, 10, 10, 0xFFFFFFFF, {0, 0, 10, 10});
    S->DrawPrepare();
    S->DrawByRect(&Target, 20, 20, 128);
    EXPECT_EQ(S->TmpBmp()->MasterAlpha(), 128u);
    EXPECT_NEAR(static_cast<int>(Target.Pixel(25, 25) & 0xFF), 128, 1);
    S->SetChanged2(false);
    S->DrawPrepare();  // nothing changed: stays
    EXPECT_EQ(S->TmpBmp()->MasterAlpha(), 128u);
    S->SetChanged2(true);
    S->DrawPrepare();
    EXPECT_EQ(S->TmpBmp()->MasterAlpha(), 255u);
}

TEST(ImageSmall, MoveStepsAndResizeMarksData)
{
    TCustomBitmap32 Target;
    auto S = MakePicture(Target, 10, 10, 0xFFFFFFFF, {0, 0, 10, 10});
    S->PrepareMove();
    S->MoveShape(0, 0, 5, 5);
    S->MoveShape(0, 0, 7, 5);  // each call moves by the step since the last
    EXPECT_EQ(S->SRect(), (TRect{7, 5, 17, 15}));
    S->SetDataChanged(false);
    S->Select();
    S->CalcControlPoints();
    S->SetCurrentCtrIndex(3);
    S->Click();
    S->AdjustShape(0, 0, 10, 10);
    EXPECT_EQ(S->SRect(), (TRect{7, 5, 27, 25}));
    EXPECT_TRUE(S->DataChanged());
}
