#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "document/ImageLine.h"

namespace {
class LineTest : public ::testing::Test {
protected:
    // A line or arrow drawn from A to B while being created, then finished.
    TImgLine& Make(TShapeType Kind, Integer Style, const TPoint& A, const TPoint& B, Integer Width = 1)
    {
        Shape = std::make_unique<TImgLine>(Doc.get(), 5, nullptr);
        Shape->SetShapeType(Kind);
        Shape->SetStyleId(Style);
        Shape->SetOutWidth(Width);
        Shape->SetPoint(1, A);
        Shape->SetPoint(4, B);
        Shape->CalcPoints(false);
        Shape->CalcRect();
        Shape->SetCreating(false);
        return *Shape;
    }
    void SelectAndLayOut()
    {
        Shape->Select();
        Shape->CalcControlPoints();
        Shape->DrawControlPoint(&Buffer);
    }
    // Presses handle Index and drags it by (DX, DY).
    void DragHandle(Integer Index, Integer DX, Integer DY)
    {
        Shape->SetCurrentCtrIndex(Index);
        Shape->Click();
        Shape->AdjustShape(0, 0, DX, DY);
    }
    static Single Dist(const TFloatPoint& A, const TFloatPoint& B) { return GPPointFDistance(A, B); }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc = NewBlankDocument(View, 400, 400, false);
    std::unique_ptr<TImgLine> Shape;
    TCustomBitmap32 Buffer;

    void SetUp() override
    {
        Doc->InitBitmap();
        Buffer.SetSize(600, 600);
    }
};
}  // namespace

TEST_F(LineTest, InnerPointsAtCreation)
{
    struct Case {
        Integer Style;
        TPoint A, B, P2, P3;
    } Cases[] = {
        {0, {0, 0}, {100, 0}, {25, 0}, {75, 0}},
        {3, {0, 0}, {0, 100}, {0, 25}, {0, 75}},      // a curve is born straight
        {6, {0, 0}, {100, 0}, {25, 0}, {50, 0}},      // two segments: the bend in the middle
        {9, {0, 0}, {100, 40}, {50, 0}, {50, 40}},    // elbow wider than tall
        {10, {0, 0}, {40, 100}, {0, 50}, {40, 50}},   // elbow taller than wide
        {11, {100, 40}, {0, 0}, {50, 40}, {50, 0}},
        {4, {5, 5}, {5, 5}, {5, 5}, {5, 5}},          // coincident ends
    };
    for (const Case& C : Cases) {
        Make(shLine, C.Style, C.A, C.B);
        EXPECT_EQ(Shape->GetPoint(2), C.P2) << C.Style;
        EXPECT_EQ(Shape->GetPoint(3), C.P3) << C.Style;
    }
    EXPECT_EQ(Shape->GetPoint(0), (TPoint{}));
    EXPECT_EQ(Shape->GetPoint(5), (TPoint{}));
}

TEST_F(LineTest, InnerPointsAfterCreation)
{
    // A curve's control points stay when the end moves; an elbow's follow.
    Make(shLine, 3, {0, 0}, {100, 0});
    Shape->SetPoint(4, {200, 0});
    Shape->CalcPoints(false);
    EXPECT_EQ(Shape->GetPoint(3), (TPoint{75, 0}));
    Shape->CalcPoints(true);
    EXPECT_EQ(Shape->GetPoint(3), (TPoint{150, 0}));
    Make(shLine, 9, {0, 0}, {100, 40});
    Shape->SetPoint(4, {200, 40});
    Shape->CalcPoints(false);
    EXPECT_EQ(Shape->GetPoint(2), (TPoint{100, 0}));
    // ... unless its middle segment is being dragged.
    Shape->SetCurrentCtrIndex(2);
    Shape->SetPoint(4, {300, 40});
    Shape->CalcPoints(false);
    EXPECT_EQ(Shape->GetPoint(2), (TPoint{100, 0}));
}

TEST_F(LineTest, CurveSamples)
{
    struct Case {
        Integer Length;
        size_t Samples;
    } Cases[] = {{300, 301}, {80, 101}, {101, 101}, {102, 103}};
    for (const Case& C : Cases) {
        Make(shLine, 3, {10, 10}, {10 + C.Length, 10});
        Shape->SetChanged2(true);
        Shape->CalcBezierPoints();
        EXPECT_EQ(Shape->PathPoints().size(), C.Samples) << C.Length;
        EXPECT_EQ(Shape->PathPoints().front(), (TPoint{10, 10}));
        EXPECT_EQ(Shape->PathPoints().back(), (TPoint{10 + C.Length, 10}));
    }
    // Only while the object has changed.
    Make(shLine, 3, {0, 0}, {300, 0});
    Shape->SetChanged2(true);
    Shape->CalcBezierPoints();
    Shape->SetChanged2(false);
    Shape->SetPoint(4, {50, 0});
    Shape->CalcBezierPoints();
    EXPECT_EQ(Shape->PathPoints().size(), 301u);
}

TEST_F(LineTest, RectangleOfEachFamily)
{
    struct Case {
        Integer Style;
        TPoint P1, P2, P3, P4;
        TRect Expected;
    } Cases[] = {
        {0, {10, 50}, {}, {}, {60, 20}, {10, 20, 61, 51}},
        {6, {10, 50}, {}, {90, 0}, {60, 20}, {10, 0, 91, 51}},
        {9, {10, 50}, {35, 50}, {35, 20}, {60, 20}, {10, 20, 61, 51}},
        {3, {0, 0}, {0, 100}, {100, 100}, {100, 0}, {0, 0, 101, 76}},  // the curve's samples
    };
    for (const Case& C : Cases) {
        Make(shLine, C.Style, C.P1, C.P4);
        Shape->SetPoint(2, C.P2);
        Shape->SetPoint(3, C.P3);
        Shape->SetChanged2(true);
        Shape->CalcRect();
        EXPECT_EQ(Shape->SRect(), C.Expected) << C.Style;
    }
}

TEST_F(LineTest, HandlesAndTheElbowsMiddle)
{
    struct Case {
        Integer Style;
        bool Active[4];
    } Cases[] = {
        {0, {true, false, false, true}},  {3, {true, true, true, true}}, {7, {true, false, true, true}},
        {10, {true, true, false, true}}, {13, {true, false, false, true}},
    };
    for (const Case& C : Cases)
        for (Integer i = 1; i <= 4; ++i) {
            Make(shArrow, C.Style, {0, 0}, {100, 40});
            EXPECT_EQ(Shape->HandleActive(i), C.Active[i - 1]) << C.Style << " " << i;
        }
    // Elbow from (0,0) to (100,40): the middle handle on the vertical segment.
    Make(shLine, 9, {0, 0}, {100, 40});
    SelectAndLayOut();
    const TRect M = Shape->CtrRect()[2];
    EXPECT_EQ((M.Left + M.Right) / 2, 50);
    EXPECT_EQ((M.Top + M.Bottom) / 2, 20);
    ASSERT_TRUE(Shape->PtInControl(M.Left, M.Top));
    EXPECT_EQ(Shape->CurrentCtrIndex(), 2);
    EXPECT_EQ(Shape->CurrentCursor(), crSizeWE);
    Shape->Click();
    Shape->AdjustShape(0, 0, 20, 7);  // slides sideways only
    EXPECT_EQ(Shape->GetPoint(2), (TPoint{70, 0}));
    EXPECT_EQ(Shape->GetPoint(3), (TPoint{70, 40}));
    // An end handle shows the hand; off every handle nothing is grabbed.
    const TRect E = Shape->CtrRect()[4];
    ASSERT_TRUE(Shape->PtInControl(E.Left, E.Top));
    EXPECT_EQ(Shape->CurrentCursor(), crHandPoint);
    EXPECT_FALSE(Shape->PtInControl(300, 300));
    EXPECT_EQ(Shape->CurrentCtrIndex(), -1);
}

TEST_F(LineTest, ShiftSnapsTheDraggedEnd)
{
    struct Case {
        Integer Style;
        TPoint To;
        bool Shift;
        TPoint Expected;
    } Cases[] = {
        {0, {100, 10}, true, {100, 0}},   // level with the start
        {12, {10, 100}, true, {0, 100}},  // upright
        {0, {100, 10}, false, {100, 10}},
        {3, {100, 10}, true, {100, 10}},  // curves are never snapped
        {6, {100, 10}, true, {100, 0}},   // to the bend (50, 0)
    };
    for (const Case& C : Cases) {
        Make(shArrow, C.Style, {0, 0}, {50, 50});
        if (C.Style == 6) Shape->SetPoint(3, {50, 0});
        Doc->SetPressSht(C.Shift);
        DragHandle(4, C.To.X - 50, C.To.Y - 50);
        EXPECT_EQ(Shape->GetPoint(4), C.Expected) << C.Style;
        Doc->SetPressSht(false);
    }
}

TEST_F(LineTest, HitTests)
{
    struct Case {
        Integer Style;
        TPoint A, B;
        Integer Width;
        TPoint P;
        bool Hit;
    } Cases[] = {
        {0, {10, 10}, {110, 10}, 1, {60, 11}, true},  // level line: no rectangle test
        {0, {10, 10}, {110, 10}, 1, {60, 12}, false},
        {0, {10, 10}, {110, 10}, 8, {60, 15}, true},  // t = 8 div 2 + 1
        {0, {10, 10}, {110, 60}, 1, {60, 35}, true},
        {0, {10, 10}, {110, 60}, 1, {60, 40}, false},
        {0, {10, 10}, {110, 60}, 1, {111, 60}, false},  // outside the rectangle
        {9, {0, 0}, {100, 40}, 1, {50, 20}, true},    // the elbow's middle segment
        {9, {0, 0}, {100, 40}, 1, {20, 20}, false},
        {6, {0, 0}, {100, 40}, 1, {75, 30}, true},    // the bend's second leg
        {6, {0, 0}, {100, 40}, 1, {75, 20}, false},
    };
    for (const Case& C : Cases) {
        Make(shLine, C.Style, C.A, C.B, C.Width);
        EXPECT_EQ(Shape->PtInShape(C.P.X, C.P.Y), C.Hit) << C.Style << " " << C.P.X << "," << C.P.Y;
    }
    // A curve is hit near its samples: one bowed through (50, 75).
    Make(shLine, 3, {0, 0}, {100, 0});
    Shape->SetPoint(2, {0, 100});
    Shape->SetPoint(3, {100, 100});
    Shape->SetChanged2(true);
    Shape->CalcRect();
    EXPECT_TRUE(Shape->PtInShape(50, 75));
    EXPECT_FALSE(Shape->PtInShape(50, 40));
    EXPECT_EQ(Shape->CurrentCursor(), crSizeAll);
}

TEST_F(LineTest, MovingMovesPointsAndSamples)
{
    Make(shLine, 3, {0, 0}, {300, 0});
    Shape->SetChanged2(true);
    Shape->CalcRect();
    Shape->PrepareMove();
    Shape->MoveShape(0, 0, 7, 3);
    Shape->MoveShape(0, 0, 10, 3);
    EXPECT_EQ(Shape->GetPoint(1), (TPoint{10, 3}));
    EXPECT_EQ(Shape->GetPoint(3), (TPoint{235, 3}));
    EXPECT_EQ(Shape->PathPoints().back(), (TPoint{310, 3}));
    EXPECT_EQ(Shape->SRect(), (TRect{10, 3, 311, 4}));
}

TEST_F(LineTest, HeadsDotsAndShortening)
{
    // A 1-pixel arrow of type 0: a head 9 long and 9 wide, the shaft 2 short of the tip.
    Make(shArrow, 1, {20, 50}, {120, 50}, 1);
    TLineGeometry G;
    Shape->GetGeometry(G);
    ASSERT_EQ(G.Heads.size(), 1u);
    ASSERT_EQ(G.Heads[0].size(), 3u);
    const std::vector<TFloatPoint>& H = G.Heads[0];
    EXPECT_EQ(H[1], (TFloatPoint{120, 50}));
    EXPECT_NEAR(H[0].X, 111, 1e-3);
    EXPECT_NEAR(Dist(H[0], H[2]), 9, 1e-3);
    EXPECT_NEAR(G.Shaft.back().X, 118, 1e-3);
    EXPECT_EQ(G.Shaft.back().Y, 50);
    EXPECT_EQ(G.Shaft.front(), (TFloatPoint{20, 50}));
    ASSERT_EQ(G.Dots.size(), 1u);
    EXPECT_EQ(G.Dots[0], (TRect{16, 46, 22, 52}));  // a 6-pixel circle at (P1.X - 4, P1.Y - 4)

    struct Case {
        TShapeType Kind;
        Integer Style, Width;
        size_t Heads, Dots;
        Integer DotSize;
    } Cases[] = {
        {shLine, 2, 4, 0, 2, 12}, {shLine, 2, 2, 0, 2, 7}, {shLine, 1, 3, 0, 1, 10}, {shLine, 0, 1, 0, 0, 0},
        {shArrow, 2, 1, 2, 0, 0}, {shArrow, 12, 1, 1, 0, 0}, {shArrow, 14, 2, 1, 2, 7}, {shArrow, 11, 1, 2, 0, 0},
        {shArrow, 99, 1, 1, 0, 0},  // an unknown style draws as the plain one
    };
    for (const Case& C : Cases) {
        Make(C.Kind, C.Style, {20, 50}, {120, 90}, C.Width);
        Shape->GetGeometry(G);
        EXPECT_EQ(G.Heads.size(), C.Heads) << C.Style;
        ASSERT_EQ(G.Dots.size(), C.Dots) << C.Style;
        for (const TRect& D : G.Dots) {
            EXPECT_EQ(D.Right - D.Left, C.DotSize) << C.Style;
            // Centred on its end (even sizes) or half a pixel up-left (odd widths).
            Single CX = (D.Left + D.Right) / 2.0f;
            EXPECT_TRUE(std::fabs(CX - 20) <= 1 || std::fabs(CX - 120) <= 1) << C.Style;
        }
    }
    // Heads at both ends of a curve point away from the control points.
    Make(shArrow, 5, {0, 0}, {100, 0}, 2);
    Shape->SetPoint(2, {0, 50});
    Shape->GetGeometry(G);
    EXPECT_TRUE(G.Bezier);
    EXPECT_EQ(G.Shaft.front().X, 0);
    EXPECT_NEAR(G.Shaft.front().Y, 4, 1e-3);  // 2w toward P2
    EXPECT_GT(G.Heads[0][0].Y, 0);                   // the start head's base lies toward P2
}

TEST_F(LineTest, HeadTypesAndTheMiddleHead)
{
    struct Case {
        Integer Type, Width;
        size_t Points;
        Single Length;  // from the tip to the base's middle
    } Cases[] = {{0, 1, 3, 9}, {0, 3, 3, 15}, {1, 1, 4, 10}, {1, 3, 4, 18}, {2, 1, 6, 10}, {7, 1, 3, 9}};
    for (const Case& C : Cases) {
        Make(shArrow, 0, {0, 0}, {200, 0}, C.Width);
        Shape->SetArrowType(C.Type);
        TLineGeometry G;
        Shape->GetGeometry(G);
        ASSERT_EQ(G.Heads.size(), 1u);
        ASSERT_EQ(G.Heads[0].size(), C.Points) << C.Type;
        EXPECT_NEAR(200 - G.Heads[0][0].X, C.Length, 1e-3) << C.Type;
    }
    // The middle head: tip at Round(100 - 9 / 2) = 96 back from P4, pointing away from P1.
    Make(shArrow, 12, {0, 0}, {200, 0}, 1);
    TLineGeometry G;
    Shape->GetGeometry(G);
    ASSERT_EQ(G.Heads.size(), 1u);
    EXPECT_EQ(G.Heads[0][1], (TFloatPoint{104, 0}));
    EXPECT_LT(G.Heads[0][0].X, 104);
    EXPECT_EQ(G.Shaft.back(), (TFloatPoint{200, 0}));  // not shortened
}

TEST_F(LineTest, CrispLines)
{
    struct Case {
        TShapeType Kind;
        Integer Style;
        TPoint B;
        bool Crisp;
    } Cases[] = {
        {shLine, 0, {100, 0}, true}, {shLine, 0, {0, 100}, true}, {shLine, 0, {100, 30}, false},
        {shLine, 9, {100, 30}, true}, {shArrow, 0, {100, 0}, false}, {shLine, 1, {100, 0}, false},
    };
    for (const Case& C : Cases) {
        Make(C.Kind, C.Style, {0, 0}, C.B);
        TLineGeometry G;
        Shape->GetGeometry(G);
        EXPECT_EQ(G.Crisp, C.Crisp) << C.Style;
    }
}
