#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "document/ImageEllipse.h"
#include "document/ImageHLRect.h"
#include "filters/Ras32_BlendModes.h"

namespace {
class EllipseTest : public ::testing::Test {
protected:
    TImgEllipse& Make(Integer Style, const TRect& R)
    {
        Shape = std::make_unique<TImgEllipse>(Doc.get(), 3, nullptr);
        Shape->SetStyleId(Style);
        Shape->SetSRect(R);
        Shape->CalcCenterPoint();
        Shape->InitPoints(false);
        Shape->CalcPoints(true);
        return *Shape;
    }
    void Refresh()
    {
        Shape->SetChanged2(true);
        Shape->Draw(nullptr);
    }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc = NewBlankDocument(View, 400, 400, false);
    std::unique_ptr<TImgEllipse> Shape;
    TCustomBitmap32 Buffer;

    void SetUp() override
    {
        Doc->InitBitmap();
        Buffer.SetSize(600, 600);
    }
};
}  // namespace

TEST_F(EllipseTest, NewArcPointsAndSweep)
{
    Make(1, {0, 0, 100, 60});
    ASSERT_EQ(Shape->PointsCount(), 2);
    EXPECT_EQ(Shape->Points()[0], (TPoint{85, 51}));
    EXPECT_EQ(Shape->Points()[1], (TPoint{35, 1}));
    Single S, Sweep;
    Shape->GetArcAngles(S, Sweep);
    EXPECT_NEAR(S, 31, 1);
    EXPECT_NEAR(Sweep, 212, 1);
    EXPECT_EQ(Shape->GetPoints(), u"85.35.51.1");
    // A plain ellipse has no style points and an empty text.
    Make(0, {0, 0, 100, 60});
    EXPECT_EQ(Shape->PointsCount(), 0);
    EXPECT_EQ(Shape->GetPoints(), u"");
}

TEST_F(EllipseTest, ArcPathRunsClockwiseThroughTheBottom)
{
    Make(1, {0, 0, 100, 60});
    std::vector<TFloatPoint> Path;
    bool Closed;
    Shape->FlattenPath(Path, Closed);
    EXPECT_FALSE(Closed);
    ASSERT_GT(Path.size(), 10u);
    EXPECT_NEAR(Path.front().X, 85, 1.5);
    EXPECT_NEAR(Path.front().Y, 51, 1.5);
    EXPECT_NEAR(Path.back().X, 35, 1.5);
    EXPECT_NEAR(Path.back().Y, 1, 1.5);
    // Through the bottom (50, 60) and the left side (0, 30), never the right side.
    Single MaxY = 0, MinX = 100, MaxX = 0;
    for (const TFloatPoint& P : Path) {
        MaxY = Max(MaxY, P.Y);
        MinX = Min(MinX, P.X);
        MaxX = Max(MaxX, P.X);
    }
    EXPECT_NEAR(MaxY, 60, 0.5);
    EXPECT_NEAR(MinX, 0, 0.5);
    EXPECT_LT(MaxX, 90);
}

TEST_F(EllipseTest, ChordAndPieClosing)
{
    struct Case {
        Integer Style;
        bool SameAngle;
        size_t Extra;  // points after the arc's own
    } Cases[] = {{2, false, 1}, {3, false, 2}, {2, true, 0}, {3, true, 0}};
    for (const Case& C : Cases) {
        Make(C.Style, {0, 0, 100, 60});
        if (C.SameAngle) Shape->SetPoints(u"85.85.51.51");
        std::vector<TFloatPoint> Path;
        bool Closed;
        Shape->FlattenPath(Path, Closed);
        EXPECT_TRUE(Closed);
        Single S, Sweep;
        Shape->GetArcAngles(S, Sweep);
        if (C.SameAngle) {
            EXPECT_EQ(Sweep, 0) << C.Style;
            EXPECT_EQ(Path.size(), 2u) << C.Style;  // the arc of sweep 0: its one point twice
        } else {
            if (C.Extra == 2) EXPECT_EQ(Path[Path.size() - 2], Shape->CenterPoint());
            EXPECT_EQ(Path.back(), (TFloatPoint{85, 51})) << C.Style;
        }
    }
}

TEST_F(EllipseTest, UnfilledIsHitOnlyOnItsRing)
{
    Make(0, {100, 100, 300, 200});
    Shape->SetIsFill(false);
    Shape->SetGradientMode(-1);
    Shape->SetIsOutline(true);
    Shape->SetOutWidth(10);
    Refresh();
    struct Case {
        TPoint P;
        bool Hit;
    } Cases[] = {
        {{200, 150}, false},  // centre
        {{200, 100}, true},   // on the top of the ring
        {{200, 97}, true},    // its outer half, beyond the rectangle
        {{200, 108}, false},  // inside the band's inner edge
        {{300, 150}, true},   // the right end
        {{304, 150}, true},
        {{306, 150}, false},  // beyond the grown rectangle
        {{110, 110}, false},  // a corner of the rectangle, off the ellipse
    };
    for (const Case& C : Cases) EXPECT_EQ(Shape->PtInShape(C.P.X, C.P.Y), C.Hit) << C.P.X << "," << C.P.Y;
    EXPECT_EQ(Shape->CurrentCursor(), crSizeAll);
    // Filled: the inside counts; without outline and fill nothing is hit.
    Shape->SetIsFill(true);
    Refresh();
    EXPECT_TRUE(Shape->PtInShape(200, 150));
    Shape->SetIsFill(false);
    Shape->SetIsOutline(false);
    Refresh();
    EXPECT_FALSE(Shape->PtInShape(200, 100));
    EXPECT_TRUE(Shape->PathPointsW().empty());
}

TEST_F(EllipseTest, HitTestOfATurnedEllipseAndAfterMoving)
{
    Make(0, {100, 100, 300, 140});
    Shape->SetIsFill(true);
    Shape->SetAngle(90);
    Refresh();
    // Turned upright about (200, 120): (200, 40) is inside, (280, 120) is not.
    EXPECT_TRUE(Shape->PtInShape(200, 40));
    EXPECT_FALSE(Shape->PtInShape(280, 120));
    // The outlines move with the object without a new draw.
    Shape->SetAngle(0);
    Shape->OffsetShape(0, 100);
    EXPECT_TRUE(Shape->PtInShape(290, 220));
    Shape->PrepareMove();
    Shape->MoveShape(0, 0, -50, 0);
    EXPECT_TRUE(Shape->PtInShape(240, 220));
    EXPECT_FALSE(Shape->PtInShape(295, 220));
}

TEST_F(EllipseTest, ShortOrDamagedPointTextsGetTheStylesPoints)
{
    const String Texts[] = {u"", u"10", u"10.20", u"a.b.c.d", u"1..2.3", u"85.35.51"};
    for (Integer Style : {1, 2, 3}) {
        for (const String& T : Texts) {
            Make(Style, {0, 0, 100, 60});
            Shape->SetPoints(T);
            ASSERT_EQ(Shape->PointsCount(), 2);
            EXPECT_EQ(Shape->Points()[0], (TPoint{85, 51}));
            EXPECT_EQ(Shape->Points()[1], (TPoint{35, 1}));
            Refresh();  // draws its outline from the repaired points
            EXPECT_FALSE(Shape->PathPoints().empty());
        }
    }
    // Extra points are ignored, points far outside are held to the rectangle.
    Make(2, {0, 0, 100, 60});
    Shape->SetPoints(u"10.-5000000.7.8.20.99999999.1.2");
    EXPECT_EQ(Shape->PointsRX()[1], 0);
    EXPECT_EQ(Shape->PointsRY()[1], 1);
}

TEST_F(EllipseTest, LoadedPointsGiveRatiosThatFollowResizing)
{
    Make(3, {10, 20, 110, 80});
    Shape->SetPoints(u"60.35.80.20");
    EXPECT_FLOAT_EQ(Shape->PointsRX()[0], 0.5f);
    EXPECT_FLOAT_EQ(Shape->PointsRY()[0], 1.0f);
    Shape->SetSRect({10, 20, 210, 80});
    Shape->CalcPoints(false);
    EXPECT_EQ(Shape->Points()[0], (TPoint{110, 80}));  // the bottom of the wider ellipse
}

TEST_F(EllipseTest, StyleHandleDragBelowTheMiddleMovesTheEndToTheLowerHalf)
{
    Make(3, {0, 0, 100, 60});
    Shape->Select();
    Shape->CalcControlPoints();
    Shape->DrawControlPoint(&Buffer);
    const TRect R = Shape->CtrRects()[1];  // P1 at (35, 1)
    ASSERT_TRUE(Shape->PtInControl(R.Left + 1, R.Top + 1));
    EXPECT_EQ(Shape->CurrentCtrIndex(), 10);
    EXPECT_EQ(Shape->CurrentCursor(), crHandPoint);
    Shape->Click();
    Shape->AdjustShape(0, 0, 0, 45);  // to (35, 46), below the middle line
    Shape->CalcPoints(false);
    EXPECT_EQ(Shape->Points()[1].X, 35);
    EXPECT_GT(Shape->Points()[1].Y, 30);
    EXPECT_EQ(Shape->Points()[1].Y, 58);
}

TEST_F(EllipseTest, ShiftCornerDragMakesASquare)
{
    struct Case {
        Integer Handle, DX, DY;
        TRect Expected;
    } Cases[] = {
        {3, 0, 0, {0, 0, 100, 100}},
        {1, 0, 0, {0, -60, 100, 40}},
        {2, 0, -80, {0, -80, 120, 40}},
        {4, 0, 0, {0, 0, 100, 100}},
    };
    for (const Case& C : Cases) {
        Make(0, {0, 0, 100, 40});
        Shape->Select();
        Shape->CalcControlPoints();
        Doc->SetPressSht(true);
        Shape->SetCurrentCtrIndex(C.Handle);
        Shape->Click();
        Shape->AdjustShape(0, 0, C.DX, C.DY);
        EXPECT_EQ(Shape->SRect(), C.Expected) << C.Handle;
        Doc->SetPressSht(false);
    }
}

// ---------------------------------------------------------------------------
// The highlighter

TEST(HLRectTest, MultipliesTheColourAndKeepsAlpha)
{
    TCustomBitmap32 Target;
    Target.SetSize(20, 10);
    Target.Clear(0x80C0C0C0);
    TImgHLRect HL(nullptr, 1, &Target);
    HL.SetSRect({5, 2, 15, 8});
    HL.SetFillColor(0x0000FFFF);  // yellow (0xBBGGRR)
    struct Case {
        Integer Opacity;
    } Cases[] = {{255}, {128}, {0}};
    for (const Case& C : Cases) {
        Target.Clear(0x80C0C0C0);
        HL.SetOpacity(C.Opacity);
        HL.Draw(nullptr);
        TColor32 Expected = 0x80C0C0C0;
        BlendMultiply(0xFFFFFF00, Expected, static_cast<Cardinal>(C.Opacity));
        for (Integer y = 0; y < 10; ++y)
            for (Integer x = 0; x < 20; ++x) {
                bool Inside = x >= 5 && x < 15 && y >= 2 && y < 8;
                ASSERT_EQ(Target.Pixel(x, y), Inside ? Expected : 0x80C0C0C0u) << x << "," << y << " " << C.Opacity;
            }
        if (C.Opacity == 255) EXPECT_LT(Expected & 0xFF, 0x08u);  // blue gone, alpha kept
        if (C.Opacity == 0) EXPECT_EQ(Expected, 0x80C0C0C0u);
    }
}

TEST(HLRectTest, RectangleOverTheEdgeOrReversed)
{
    TCustomBitmap32 Target;
    Target.SetSize(20, 10);
    TImgHLRect HL(nullptr, 1, &Target);
    HL.SetFillColor(0);
    HL.SetOpacity(255);
    // Mostly beyond the bitmap: only the part over it changes; the block is no larger than that.
    Target.Clear(0xFFFFFFFF);
    HL.SetSRect({-1000000, -5, 3, 1000000});
    HL.Draw(nullptr);
    EXPECT_LT(Target.Pixel(2, 9) & 0xFFFFFF, 0x080808u);
    EXPECT_EQ(Target.Pixel(3, 0), 0xFFFFFFFFu);
    EXPECT_LE(HL.TmpBmp()->Width() * HL.TmpBmp()->Height(), 30);
    // Reversed: nothing.
    Target.Clear(0xFFFFFFFF);
    HL.SetSRect({15, 8, 5, 2});
    HL.Draw(nullptr);
    for (Integer y = 0; y < 10; ++y)
        for (Integer x = 0; x < 20; ++x) ASSERT_EQ(Target.Pixel(x, y), 0xFFFFFFFFu);
    // Moving keeps the drag's start at the pointer.
    HL.SetSRect({0, 0, 4, 4});
    HL.PrepareMove();
    HL.MoveShape(1, 1, 3, 4);
    HL.MoveShape(1, 1, 5, 4);
    EXPECT_EQ(HL.SRect(), (TRect{4, 3, 8, 7}));
}
