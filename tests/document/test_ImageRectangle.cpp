// The rectangle object's styles: style points and their text, handle drags
// with their limits, Shift squares, hit tests, and the recorded outlines.
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "document/ImageRectangle.h"

namespace {
class Rectangle : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 400, 300, false);
        Doc->InitBitmap();
    }
    // A rectangle of Style at R, created as the document creates one.
    std::unique_ptr<TImgRectangle> New(Integer Style, const TRect& R)
    {
        auto S = std::make_unique<TImgRectangle>(Doc.get(), 1, nullptr);
        S->SetStyleId(Style);
        S->SetSRect(R);
        S->CalcCenterPoint();
        S->InitPoints(false);
        S->CalcPoints(true);
        S->SetCreating(false);
        return S;
    }
    // Drags handle Index of S from its own position by (DX, DY).
    void DragHandle(TImgRectangle& S, Integer Index, Integer DX, Integer DY)
    {
        S.Select();
        S.CalcControlPoints();
        S.SetCurrentCtrIndex(Index);
        S.Click();
        const Integer X = S.StartX(), Y = S.StartY();
        S.SetCurrentCtrIndex(Index);
        S.AdjustShape(X, Y, X + DX, Y + DY);
    }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
};
}  // namespace

TEST_F(Rectangle, StylePointsAndTheirText)
{
    struct Case {
        Integer Style;
        const char16_t* Points;  // at (10, 20) - (110, 70)
    };
    const Case Cases[] = {
        {0, u""}, {2, u""},
        {1, u"20.20"},            // (0.1, 0)
        {3, u"10.22.26.20"},      // P0 (0, 0.12), P1 (0.12, 0)
        {4, u"22.10.20.70"},      // P0 (0.12, 0), P1 (0, 1)
        {5, u"22.110.20.20"},     // P0 (0.12, 0), P1 (1, 0)
        {6, u"28.10.20.70"},      // P0 (0.18, 0), P1 (0, 1)
        {7, u"28.110.20.20"},
        {8, u"25.20"}, {9, u"25.70"}, {10, u"25.20"}, {11, u"25.70"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Style);
        auto S = New(C.Style, {10, 20, 110, 70});
        EXPECT_EQ(S->PointsCount(), TImgRectangle::StylePointCount(C.Style));
        EXPECT_EQ(S->GetPoints(), C.Points);
        // Read back against the same rectangle: the same points and ratios.
        auto T = New(C.Style, {10, 20, 110, 70});
        T->SetPoints(C.Points);
        EXPECT_EQ(T->GetPoints(), C.Points);
        EXPECT_EQ(T->PointsRX(), S->PointsRX());
        EXPECT_EQ(T->PointsRY(), S->PointsRY());
        EXPECT_EQ(T->CheckPointsCount(), C.Style >= 3 && C.Style <= 5 ? 8 : (C.Style >= 8 ? 4 : 0));
    }
    // The style pictures of the menu use a larger radius.
    auto Pic = New(1, {0, 0, 100, 50});
    Pic->InitPoints(true);
    EXPECT_EQ(Pic->PointsRX()[0], 0.16f);
}

TEST_F(Rectangle, ShortPointsTextGetsTheStylesOwnPoints)
{
    // Damaged documents: too few points for the style, or nothing numeric.
    const std::pair<Integer, const char16_t*> Cases[] = {{5, u"22.20"}, {5, u""}, {3, u"7"}, {8, u""}, {6, u"1.2.3"}};
    for (auto [Style, Text] : Cases) {
        SCOPED_TRACE(Style);
        auto S = New(Style, {10, 20, 110, 70});
        const String Initial = S->GetPoints();
        S->SetPoints(Text);
        EXPECT_EQ(S->GetPoints(), Initial);
        // Drawing and hit tests read only what is there.
        EXPECT_FALSE(S->BuildOutline().Path.Empty());
        S->PtInShape(60, 45);
    }
    // Letters read as 0; a rectangle without width gives ratios of 0.
    auto S = New(8, {10, 20, 10, 70});
    S->SetPoints(u"x.y");
    EXPECT_EQ(S->GetPoints(), u"0.0");
    EXPECT_EQ(S->PointsRX()[0], 0.0f);
    // A style changed without new points is repaired before drawing.
    auto T = New(0, {10, 20, 110, 70});
    T->SetStyleId(7);
    EXPECT_EQ(T->BuildOutline().Path.Items().size(), 6u);
    EXPECT_EQ(T->PointsCount(), 2);
}

TEST_F(Rectangle, RoundedCornerDiameters)
{
    // A new rounded rectangle 40 wide: d = 4, FR = 8.
    auto S = New(1, {0, 0, 40, 30});
    TClosedShapeDraw D = S->BuildOutline();
    EXPECT_EQ(S->R(), 8);
    // Four arcs in one closed figure; with an outline the bounds lose a pixel.
    using TOp = TShapePath::TOp;
    std::vector<TOp> Ops;
    for (const auto& I : D.Path.Items()) Ops.push_back(I.Op);
    EXPECT_EQ(Ops, (std::vector<TOp>{TOp::StartFigure, TOp::Arc, TOp::Arc, TOp::Arc, TOp::Arc, TOp::CloseFigure}));
    EXPECT_EQ(D.Path.Items()[2].X, 32);
    EXPECT_EQ(D.Path.Items()[2].Start, 270);
    EXPECT_EQ(D.Bounds, (TShapeBounds{0, 0, 40, 30}));
    S->SetIsOutline(true);
    EXPECT_EQ(S->BuildOutline().Bounds, (TShapeBounds{0, 0, 39, 29}));

    // Style 6 with both radii at their largest, then made 20 high: the
    // ratios follow, so neither diameter exceeds 20.
    auto R6 = New(6, {0, 0, 200, 100});
    DragHandle(*R6, 9, 150, 0);
    DragHandle(*R6, 10, 150, 0);
    EXPECT_EQ(R6->PointsRX()[0], 0.25f);
    EXPECT_EQ(R6->PointsRX()[1], 0.25f);
    DragHandle(*R6, 6, 0, -80);
    EXPECT_EQ(R6->SRect(), (TRect{0, 0, 200, 20}));
    EXPECT_EQ(R6->PointsRX()[0], 0.05f);
    EXPECT_EQ(R6->PointsRX()[1], 0.05f);
    R6->BuildOutline();
    EXPECT_EQ(R6->R(), 20);
    EXPECT_EQ(R6->R2(), 20);
    // A square corner is a zero-length line at the corner.
    auto Z = New(6, {0, 0, 100, 100});
    const auto Items = Z->BuildOutline().Path.Items();
    EXPECT_EQ(Items[3].Op, TShapePath::TOp::Lines);
    EXPECT_EQ(Items[3].Points[0], Items[3].Points[1]);
}

TEST_F(Rectangle, StyleHandleLimits)
{
    // The chamfer of style 3 stops at half the side.
    auto C = New(3, {0, 0, 100, 100});
    C->Select();
    C->CalcControlPoints();
    DragHandle(*C, 10, 80, 0);  // P1 on the top edge, far right
    EXPECT_EQ(C->PointsRX()[1], 0.5f);
    DragHandle(*C, 9, 0, 90);   // P0 on the left edge, far down
    EXPECT_EQ(C->PointsRY()[0], 0.5f);

    // The parallelogram's handle stops at the right edge: a triangle.
    auto P = New(8, {0, 0, 100, 50});
    P->Select();
    P->CalcControlPoints();
    DragHandle(*P, 9, 200, 0);
    EXPECT_EQ(P->PointsRX()[0], 1.0f);
    EXPECT_EQ(P->Points()[0], (TPoint{100, 0}));
    DragHandle(*P, 9, -500, 0);
    EXPECT_EQ(P->PointsRX()[0], 0.0f);

    // Style 5's second point keeps within half the shorter side of the right.
    auto D = New(5, {0, 0, 100, 40});
    D->Select();
    D->CalcControlPoints();
    DragHandle(*D, 10, -90, 0);
    EXPECT_FLOAT_EQ(D->PointsRX()[1], 0.8f);
}

TEST_F(Rectangle, StyleHandlesAreHitFirst)
{
    auto S = New(1, {10, 10, 110, 60});
    S->Select();
    S->CalcControlPoints();
    S->DrawControlPoint(Doc->Bitmap());
    const TPoint P = S->StyleCtrPoints()[0];
    EXPECT_EQ(P, (TPoint{20, 10}));
    ASSERT_TRUE(S->PtInControl(P.X, P.Y));
    EXPECT_EQ(S->CurrentCtrIndex(), 9);
    EXPECT_EQ(S->CurrentCursor(), crHandPoint);
    // Away from it, the base handles.
    ASSERT_TRUE(S->PtInControl(110, 60));
    EXPECT_EQ(S->CurrentCtrIndex(), 3);
    S->UnSelect();
    EXPECT_FALSE(S->PtInControl(P.X, P.Y));
}

TEST_F(Rectangle, ShiftCornerDragMakesASquare)
{
    struct Case {
        Integer Handle, DX, DY;
        TRect Want;
    };
    // 100 x 40 at (0, 0); the larger side wins.
    const Case Cases[] = {
        {3, 0, 0, {0, 0, 100, 100}},
        {1, 0, 0, {0, -60, 100, 40}},
        {2, 0, 0, {0, -60, 100, 40}},
        {4, 0, 0, {0, 0, 100, 100}},
        {3, -70, 80, {0, 0, 120, 120}},  // 30 x 120: height wins
    };
    Doc->SetPressSht(true);
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Handle);
        auto S = New(0, {0, 0, 100, 40});
        S->Select();
        S->CalcControlPoints();
        DragHandle(*S, C.Handle, C.DX, C.DY);
        EXPECT_EQ(S->SRect(), C.Want);
    }
    // Without Shift the drag is free; middle handles are never squared.
    auto Free = New(0, {0, 0, 100, 40});
    Free->Select();
    Free->CalcControlPoints();
    DragHandle(*Free, 6, 0, 10);
    EXPECT_EQ(Free->SRect(), (TRect{0, 0, 100, 50}));
    Doc->SetPressSht(false);
    DragHandle(*Free, 3, 0, 10);
    EXPECT_EQ(Free->SRect(), (TRect{0, 0, 100, 60}));
}

TEST_F(Rectangle, HitTests)
{
    struct Case {
        const char* Name;
        Integer Style;
        bool Filled;
        TPoint P;
        bool Hit;
    };
    // All at (100, 100) - (200, 180) with outline width 4.
    const Case Cases[] = {
        {"plain band, 5 inside the outer edge", 0, false, {103, 140}, true},
        {"plain centre, unfilled", 0, false, {150, 140}, false},
        {"plain centre, filled", 0, true, {150, 140}, true},
        {"plain outside", 0, true, {97, 140}, false},
        {"ellipse ring", 2, false, {100, 140}, true},
        {"ellipse centre, unfilled", 2, false, {150, 140}, false},
        {"ellipse centre, filled", 2, true, {150, 140}, true},
        {"ellipse corner", 2, true, {101, 101}, false},
        {"octagon cut corner", 3, true, {102, 102}, false},
        {"octagon inside", 3, true, {150, 140}, true},
        {"octagon edge, unfilled", 3, false, {100, 140}, true},
        {"octagon centre, unfilled", 3, false, {150, 140}, false},
        {"parallelogram left of its slant", 8, true, {101, 101}, false},
        {"parallelogram inside", 8, true, {150, 140}, true},
        // FR = 20: corner circles of radius 10 centred 10 inside the corners.
        {"rounded corner outside the arc", 1, true, {99, 99}, false},
        {"rounded corner on the arc, unfilled", 1, false, {102, 106}, true},
        {"rounded corner inside the arc, unfilled", 1, false, {107, 107}, false},
        {"rounded corner inside the arc, filled", 1, true, {107, 107}, true},
        {"rounded top edge, unfilled", 1, false, {150, 100}, true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        auto S = New(C.Style, {100, 100, 200, 180});
        S->SetOutWidth(4);
        S->SetIsFill(C.Filled);
        S->SetIsOutline(true);
        S->BuildOutline();  // the corner diameters of the last drawing
        EXPECT_EQ(S->PtInShape(C.P.X, C.P.Y), C.Hit);
        if (C.Hit) {
            EXPECT_EQ(S->CurrentCursor(), crSizeAll);
            EXPECT_EQ(S->CurrentCtrIndex(), -1);
        }
    }
    // A gradient counts as filled; a turned rectangle is hit in its own frame.
    auto G = New(0, {100, 100, 200, 180});
    G->SetGradientMode(0);
    EXPECT_TRUE(G->PtInShape(150, 140));
    auto T = New(0, {100, 130, 200, 150});
    T->SetIsFill(true);
    T->SetAngle(90);
    EXPECT_TRUE(T->PtInShape(150, 100));
    EXPECT_FALSE(T->PtInShape(110, 140));
}

TEST_F(Rectangle, MovingCarriesTheStylePoints)
{
    auto S = New(5, {10, 20, 110, 70});
    S->OffsetShape(5, -10);
    EXPECT_EQ(S->GetPoints(), u"27.115.10.10");
    S->PrepareMove();
    S->MoveShape(0, 0, 3, 4);
    EXPECT_EQ(S->SRect(), (TRect{18, 14, 118, 64}));
    EXPECT_EQ(S->GetPoints(), u"30.118.14.14");
    S->MoveShape(0, 0, 4, 4);  // from the last position
    EXPECT_EQ(S->GetPoints(), u"31.119.14.14");
}

TEST_F(Rectangle, OutlinesByStyle)
{
    using TOp = TShapePath::TOp;
    struct Case {
        Integer Style;
        TOp First;
        std::vector<TFloatPoint> Polygon;
    };
    // (0, 0) - (100, 50), default points.
    const Case Cases[] = {
        {0, TOp::Rectangle, {}},
        {2, TOp::Ellipse, {}},
        {4, TOp::Polygon, {{0, 12}, {12, 0}, {88, 0}, {100, 12}, {100, 50}, {100, 50}, {0, 50}, {0, 50}}},
        {8, TOp::Polygon, {{0, 50}, {15, 0}, {100, 0}, {85, 50}}},
        {9, TOp::Polygon, {{15, 50}, {0, 0}, {85, 0}, {100, 50}}},
        {10, TOp::Polygon, {{0, 50}, {15, 0}, {85, 0}, {100, 50}}},
        {11, TOp::Polygon, {{15, 50}, {0, 0}, {100, 0}, {85, 50}}},
        {12, TOp::Rectangle, {}},  // no such style: the plain rectangle
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Style);
        auto S = New(C.Style, {0, 0, 100, 50});
        S->SetAntialias(true);
        const TClosedShapeDraw D = S->BuildOutline();
        ASSERT_FALSE(D.Path.Empty());
        EXPECT_EQ(D.Path.Items()[0].Op, C.First);
        if (!C.Polygon.empty()) EXPECT_EQ(D.Path.Items()[0].Points, C.Polygon);
        // An unturned plain rectangle is always crisp.
        EXPECT_EQ(D.Smooth, C.Style != 0 && C.Style != 12);
    }
    auto T = New(0, {0, 0, 100, 50});
    T->SetAngle(30);
    EXPECT_TRUE(T->BuildOutline().Smooth);
    T->SetAntialias(false);
    EXPECT_FALSE(T->BuildOutline().Smooth);
}
