#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "DocumentTestView.h"
#include "document/ImageCallout.h"
#include "document/ImageText.h"

namespace {
// A bare object carrying a callout: the geometry reads only the object's
// frame, style, angle, start point and handle index.
class CalloutTest : public ::testing::Test {
protected:
    TCalloutPoints& Make(Integer Style, const TRect& R, bool IsDrawStyle = false)
    {
        Shape.SetStyleId(Style);
        Shape.SetSRect(R);
        Shape.CalcCenterPoint();
        Shape.SetCreating(false);
        C = TCalloutPoints{};
        C.InitPoints(Style, IsDrawStyle);
        C.CalcPoints(Shape, true);
        return C;
    }
    // One drag of point handle i from its point by (DX, DY), as the document
    // runs it: handle layout, hit, click, adjust, recompute.
    void DragPoint(Integer i, Integer DX, Integer DY)
    {
        C.CalcControlPoints(Shape);
        Shape.SetCurrentCtrIndex(9 + i);
        C.Click(Shape);
        const TPoint S = C.FPointsA[i];
        C.AdjustShape(Shape, S.X, S.Y, S.X + DX, S.Y + DY);
        Shape.CalcCenterPoint();
        C.CalcPoints(Shape, false);
    }
    void DragPointTo(Integer i, const TPoint& To)
    {
        C.CalcControlPoints(Shape);
        DragPoint(i, To.X - C.FPointsA[i].X, To.Y - C.FPointsA[i].Y);
    }

    TImgShape Shape{nullptr, 1, nullptr};
    TCalloutPoints C;
};

std::vector<TFloatPoint> ItemPoints(const TShapePath& Path, TShapePath::TOp Op)
{
    for (const TShapePath::TItem& I : Path.Items())
        if (I.Op == Op) return I.Points;
    return {};
}
}  // namespace

TEST_F(CalloutTest, PointCountsAndDefaults)
{
    struct Case {
        Integer Style;
        bool Draw;
        Integer Count;
        Single RX0, RY0;
    };
    const Case Cases[] = {
        {0, false, 1, 0.22f, 0.2f},  {1, false, 3, 0.85f, 1},      {1, true, 3, 0.8f, 1},
        {2, false, 11, 0.22f, 0.22f}, {3, false, 24, 0.05f, 0.07f}, {4, false, 12, 0.13f, 0.2f},
        {5, false, 3, 0.75f, 0.25f}, {6, false, 2, 0.75f, 0},      {7, false, 2, 0.25f, 0},
        {8, false, 1, 0.2f, 1.6f},   {9, false, 3, 0.33f, 0},      {9, true, 3, 0.4f, 0},
        {10, false, 1, 0.75f, 0.25f}, {11, false, 80, 0, 0},       {11, true, 40, 0, 0},
        {12, false, 0, 0, 0},        {-1, false, 0, 0, 0},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Style);
        TCalloutPoints P;
        P.InitPoints(K.Style, K.Draw);
        EXPECT_EQ(P.FPointsCount, K.Count);
        EXPECT_EQ(CalloutPointCount(K.Style, K.Draw), K.Count);
        for (const auto* A : {&P.FPointsRateX, &P.FPointsRateY}) EXPECT_EQ(A->size(), size_t(K.Count));
        EXPECT_EQ(P.FPoints.size(), size_t(K.Count));
        EXPECT_EQ(P.FPointsA.size(), size_t(K.Count));
        EXPECT_EQ(P.FCtrRect.size(), size_t(K.Count));
        EXPECT_EQ(P.FCtrPoints.size(), size_t(K.Count));
        const bool Cloud = K.Style == 2 || K.Style == 4;
        EXPECT_EQ(P.FPointsRate4.size(), Cloud ? size_t(K.Count) : 0u);
        if (K.Count > 0) {
            EXPECT_FLOAT_EQ(P.FPointsRateX[0], K.RX0);
            EXPECT_FLOAT_EQ(P.FPointsRateY[0], K.RY0);
        }
    }
    // A few entries deeper in the tables: the cloud's last control point, the
    // explosion's right tip, the tail of the second cloud.
    TCalloutPoints P;
    P.InitPoints(2, false);
    EXPECT_FLOAT_EQ(P.FPointsRate3[9], 0.15f);
    EXPECT_FLOAT_EQ(P.FPointsRate4[9], 0.12f);
    P.InitPoints(3, false);
    EXPECT_FLOAT_EQ(P.FPointsRateX[8], 1);
    EXPECT_FLOAT_EQ(P.FPointsRateY[8], 0.48f);
    P.InitPoints(4, false);
    EXPECT_FLOAT_EQ(P.FPointsRateY[7], 1);
    EXPECT_FLOAT_EQ(P.FPointsRate3[7], 0.5f);
    // The balloons start with their pointers on the bottom edge.
    P.InitPoints(1, false);
    EXPECT_EQ(P.FPointsZone, 5);
    P.InitPoints(9, false);
    EXPECT_EQ(P.FPointsZone, 6);
}

TEST_F(CalloutTest, NewBalloonPointsDownFromTheBottomEdge)
{
    Make(1, {100, 200, 300, 300});
    EXPECT_EQ(C.FPointsZone, 5);
    EXPECT_EQ(C.FPoints[1], (TPoint{210, 330}));  // the tip 1.3 x H below the top
    EXPECT_EQ(C.FPoints[0], (TPoint{270, 300}));
    EXPECT_EQ(C.FPoints[2], (TPoint{230, 300}));
    EXPECT_EQ(C.GetMaxLengthOfOutPoint(Shape), 67);  // Round(|(210,330) - (270,300)|) = Round(67.08)
}

TEST_F(CalloutTest, PointerZonesByTheTipsAngle)
{
    // A square frame: the corner angle is 45 degrees.
    struct Case {
        Single TX, TY;
        Integer Zone;
        Single B1[4];  // the rounded balloon's base rates
        Single B9[2];  // the oval balloon's
    };
    const Case Cases[] = {
        {0.3f, -0.5f, 1, {0.15f, 0, 0.35f, 0}, {0.23f, 0.33f}},
        {0.7f, -0.5f, 2, {0.65f, 0, 0.85f, 0}, {0.67f, 0.77f}},
        {1.5f, 0.3f, 3, {1, 0.15f, 1, 0.35f}, {0.85f, 0.95f}},
        {1.5f, 0.7f, 4, {1, 0.65f, 1, 0.85f}, {0.95f, 0.85f}},
        {0.7f, 1.5f, 5, {0.85f, 1, 0.65f, 1}, {0.77f, 0.67f}},
        {0.3f, 1.5f, 6, {0.35f, 1, 0.15f, 1}, {0.33f, 0.23f}},
        {-0.5f, 0.7f, 7, {0, 0.85f, 0, 0.65f}, {0.15f, 0.05f}},
        {-0.5f, 0.3f, 8, {0, 0.35f, 0, 0.15f}, {0.05f, 0.15f}},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Zone);
        for (Integer Style : {1, 9}) {
            Make(Style, {0, 0, 100, 100});
            C.FPointsZone = -1;  // a stale zone: the base rates are set anew
            C.FPointsRateX[1] = K.TX;
            C.FPointsRateY[1] = K.TY;
            C.CalcPoints(Shape, false);
            EXPECT_EQ(C.FPointsZone, K.Zone);
            if (Style == 1) {
                EXPECT_FLOAT_EQ(C.FPointsRateX[0], K.B1[0]);
                EXPECT_FLOAT_EQ(C.FPointsRateY[0], K.B1[1]);
                EXPECT_FLOAT_EQ(C.FPointsRateX[2], K.B1[2]);
                EXPECT_FLOAT_EQ(C.FPointsRateY[2], K.B1[3]);
            } else {
                EXPECT_FLOAT_EQ(C.FPointsRateX[0], K.B9[0]);
                EXPECT_FLOAT_EQ(C.FPointsRateX[2], K.B9[1]);
            }
        }
    }
    // Inside the frame the rounded balloon has no pointer; the oval one still
    // takes a zone from the angle.
    Make(1, {0, 0, 100, 100});
    C.FPointsRateX[1] = C.FPointsRateY[1] = 0.6f;
    C.CalcPoints(Shape, false);
    EXPECT_EQ(C.FPointsZone, 0);
    EXPECT_EQ(CalloutPointerZone({0, 0, 100, 100}, {60, 60}), 5);
}

TEST_F(CalloutTest, DraggingTheBalloonTip)
{
    Make(1, {0, 0, 200, 100});
    const Single RX0 = C.FPointsRateX[0], RX2 = C.FPointsRateX[2];
    // Inside the frame: no pointer, the base rates stay.
    DragPointTo(1, {100, 50});
    EXPECT_EQ(C.FPointsZone, 0);
    EXPECT_FLOAT_EQ(C.FPointsRateX[0], RX0);
    EXPECT_FLOAT_EQ(C.FPointsRateX[2], RX2);
    EXPECT_TRUE(ItemPoints(C.FramePath(Shape), TShapePath::TOp::Lines).empty());
    // Out over the left edge's upper half.
    DragPointTo(1, {-60, 30});
    EXPECT_EQ(C.FPointsZone, 8);
    EXPECT_FLOAT_EQ(C.FPointsRateX[0], 0);
    EXPECT_FLOAT_EQ(C.FPointsRateY[0], 0.35f);
    EXPECT_FLOAT_EQ(C.FPointsRateX[2], 0);
    EXPECT_FLOAT_EQ(C.FPointsRateY[2], 0.15f);
    EXPECT_EQ(C.FPoints[1], (TPoint{-60, 30}));
    // A base point the user slid stays while the tip moves within its zone.
    DragPoint(0, 0, 10);
    const Single Slid = C.FPointsRateY[0];
    EXPECT_NE(Slid, 0.35f);
    DragPointTo(1, {-70, 25});
    EXPECT_EQ(C.FPointsZone, 8);
    EXPECT_FLOAT_EQ(C.FPointsRateY[0], Slid);
    // The pointer triangle hits outside the frame.
    EXPECT_TRUE(C.PtInPointer(1, -40, 28));
    EXPECT_FALSE(C.PtInPointer(1, -40, 90));
    EXPECT_FALSE(C.PtInPointer(5, -40, 28));
    // A damaged document's pointer reaching far off the plane is still
    // tested exactly.
    C.FPoints[0] = {-2000000000, -2000000000};
    C.FPoints[1] = {2000000000, -2000000000};
    C.FPoints[2] = {-2000000000, 2000000000};
    EXPECT_TRUE(C.PtInPointer(1, -40, 28));
    EXPECT_TRUE(C.PtInPointer(1, 1000000000, -1500000000));
    EXPECT_FALSE(C.PtInPointer(1, 1000000000, 1000000000));
}

TEST_F(CalloutTest, BalloonBasePointsSlideAlongTheirEdge)
{
    struct Case {
        Integer Point, DX, DY;
        Single RX0, RY0, RX2, RY2;
    };
    // Frame 200 x 100, pointer on the bottom edge: P0 at 0.85, P2 at 0.65.
    const Case Cases[] = {
        {0, -200, 0, 0.7f, 1, 0.65f, 1},    // towards its partner: 0.05 short of it
        {0, 200, 40, 0.87f, 1, 0.65f, 1},   // away: at most 0.87, and it stays on its edge
        {2, 200, 0, 0.85f, 1, 0.8f, 1},     // the other one towards its partner
        {2, -200, 0, 0.85f, 1, 0.13f, 1},   // away: at least 0.13
        {0, -10, 0, 0.8f, 1, 0.65f, 1},     // within the limits: where it is dragged
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(::testing::Message() << K.Point << " " << K.DX);
        Make(1, {0, 0, 200, 100});
        DragPoint(K.Point, K.DX, K.DY);
        EXPECT_NEAR(C.FPointsRateX[0], K.RX0, 1e-6);
        EXPECT_FLOAT_EQ(C.FPointsRateY[0], K.RY0);
        EXPECT_NEAR(C.FPointsRateX[2], K.RX2, 1e-6);
        EXPECT_FLOAT_EQ(C.FPointsRateY[2], K.RY2);
    }
    // On a side edge the base slides vertically.
    Make(1, {0, 0, 200, 100});
    DragPointTo(1, {260, 80});
    ASSERT_EQ(C.FPointsZone, 4);
    DragPoint(2, 50, -300);
    EXPECT_FLOAT_EQ(C.FPointsRateX[2], 1);
    EXPECT_NEAR(C.FPointsRateY[2], 0.7f, 1e-6);  // below its partner: 0.05 short of it
    // Corners stay clear: the base points keep the corner radius plus one.
    Make(1, {0, 0, 200, 100});
    C.FPointsRateX[0] = 1;
    C.CalcPoints(Shape, false);
    EXPECT_EQ(C.FPoints[0].X, 200 - 16);
}

TEST_F(CalloutTest, OvalBalloonBaseHugsTheEllipseOnTheTipsHalf)
{
    const TRect R{10, 20, 210, 120};
    for (TPoint Tip : {TPoint{60, -40}, TPoint{300, 40}, TPoint{300, 100}, TPoint{60, 200}, TPoint{-80, 100}}) {
        SCOPED_TRACE(::testing::Message() << Tip.X << "," << Tip.Y);
        Make(9, R);
        DragPointTo(1, Tip);
        const Integer Zone = C.FPointsZone;
        const bool Upper = Zone == 1 || Zone == 2 || Zone == 3 || Zone == 8;
        for (Integer i : {0, 2}) {
            const TPoint P = C.FPoints[i];
            const Extended U = (P.X - 110.0) / 100, V = (P.Y - 70.0) / 50;
            EXPECT_LT(U * U + V * V, 1);                 // inside
            const Extended Edge = 50 * std::sqrt(1 - U * U);
            EXPECT_NEAR(std::fabs(P.Y - 70.0), Edge - 2, 1.01);  // two pixels in
            EXPECT_EQ(P.Y < 70, Upper);
        }
        EXPECT_EQ(C.FPoints[1], Tip);
    }
    // A base point dragged towards its partner stops 0.05 short of it.
    Make(9, R);
    DragPoint(0, -150, 0);
    EXPECT_NEAR(C.FPointsRateX[0], 0.28f, 1e-6);
    DragPoint(0, 300, 0);
    EXPECT_NEAR(C.FPointsRateX[0], 0.95f, 1e-6);
}

TEST_F(CalloutTest, PointDragClamps)
{
    struct Case {
        Integer Style, Point, DX, DY;
        Single RX, RY;
    };
    // Frame 100 x 100 at the origin; each drag goes far out.
    const Case Cases[] = {
        {0, 0, -500, -500, 0, 0},     {0, 0, 500, 500, 1, 1},        {5, 0, -500, 500, 0.1f, 0.5f},
        {5, 0, 500, -500, 0.95f, 0},  {5, 1, 40, 500, 0, 0.5f},      {5, 2, 500, -500, 0.75f, 0.5f},
        {5, 2, -500, 0, 0, 0.5f},     {6, 0, -500, 40, 0.5f, 0},     {6, 0, 500, 40, 1, 0},
        {6, 1, -500, -500, 0.5f, 0.5f}, {6, 1, 500, 500, 0.85f, 0.7f}, {7, 0, 500, 40, 0.5f, 0},
        {7, 0, -500, 40, 0, 0},       {7, 1, -500, 500, 0.15f, 0.7f}, {7, 1, 500, -500, 0.5f, 0.5f},
        {8, 0, 300, -400, 3.2f, -2.4f}, {10, 0, -500, 500, 0.5f, 0.5f}, {10, 0, 500, -500, 0.95f, 0},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(::testing::Message() << "style " << K.Style << " point " << K.Point << " by " << K.DX << ","
                                          << K.DY);
        Make(K.Style, {0, 0, 100, 100});
        DragPoint(K.Point, K.DX, K.DY);
        EXPECT_NEAR(C.FPointsRateX[K.Point], K.RX, 1e-6);
        EXPECT_NEAR(C.FPointsRateY[K.Point], K.RY, 1e-6);
    }
}

TEST_F(CalloutTest, TurnedObjectDragsInItsOwnAxes)
{
    // Turned by 90 degrees counter-clockwise: the note's corner handle moved
    // up on the screen moves the point to the right in the frame.
    Make(0, {0, 0, 100, 100});
    Shape.SetAngle(90);
    C.CalcControlPoints(Shape);
    EXPECT_EQ(C.FPointsA[0], (TPoint{20, 78}));
    DragPoint(0, 0, -20);
    EXPECT_NEAR(C.FPointsRateX[0], 0.42f, 1e-6);
    EXPECT_NEAR(C.FPointsRateY[0], 0.2f, 1e-6);
}

TEST_F(CalloutTest, StarburstInnerCircle)
{
    Make(11, {0, 0, 200, 100});
    auto Radius = [&](Integer i) { return FloatGPPointDistance(TFloatPoint{100, 50}, C.FPoints[i]); };
    // A style change (forced) uses 0.72 of the outer radius, a resize 0.82.
    EXPECT_NEAR(Radius(1), 36, 0.8);
    EXPECT_NEAR(Radius(0), 50, 0.8);
    Shape.SetCurrentCtrIndex(3);
    C.CalcPoints(Shape, false);
    EXPECT_NEAR(Radius(1), 41, 0.8);
    // Point 1 dragged within the outer circle sets the inner radius.
    DragPoint(1, 5, 5);
    const TPoint P1 = C.FPoints[1];
    EXPECT_NEAR(Radius(3), Radius(1), 1.0);
    EXPECT_NEAR(Radius(1), 44, 1.0);
    // Outside the circle of radius min(W/2, H/2) it does not move.
    DragPoint(1, 0, 60);
    EXPECT_EQ(C.FPoints[1], P1);
    // Resizing with a corner handle makes the inner radius 0.82 again.
    Shape.SetSRect({0, 0, 300, 100});
    Shape.SetCurrentCtrIndex(3);
    C.CalcPoints(Shape, false);
    EXPECT_NEAR(FloatGPPointDistance(TFloatPoint{150, 50}, C.FPoints[1]), 41, 0.8);
    // Only point 1 has a handle.
    for (Integer i = 0; i < 80; ++i) EXPECT_EQ(C.HasHandle(11, i), i == 1);
}

TEST_F(CalloutTest, HandlesOfPoints)
{
    TTestView View;
    auto Doc = NewBlankDocument(View, 400, 400, false);
    Doc->InitBitmap();
    TImgShape S(Doc.get(), 1, nullptr);
    S.SetStyleId(5);
    S.SetSRect({10, 10, 110, 110});
    S.CalcCenterPoint();
    C.InitPoints(5, false);
    C.CalcPoints(S, true);
    C.CalcControlPoints(S);
    TCustomBitmap32 Buffer;
    Buffer.SetSize(400, 400);
    C.DrawControlPoint(S, Buffer);
    const Integer E = Doc->CtrBmpY3()->Width() / 2;
    for (Integer i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TPoint P = C.FCtrPoints[i];
        EXPECT_EQ(C.FCtrRect[i], (TRect{P.X - E, P.Y - E, P.X + E, P.Y + E}));
        EXPECT_TRUE(C.PtInControl(S, P.X - E, P.Y - E));  // left and top inclusive
        EXPECT_EQ(S.CurrentCtrIndex(), 9 + i);
        EXPECT_EQ(S.CurrentCursor(), crHandPoint);
    }
    EXPECT_FALSE(C.PtInControl(S, C.FCtrPoints[0].X + E, C.FCtrPoints[0].Y));  // right exclusive
    // No handles on the clouds and the explosion.
    for (Integer Style : {2, 3, 4}) {
        TCalloutPoints P;
        P.InitPoints(Style, false);
        for (Integer i = 0; i < P.FPointsCount; ++i) EXPECT_FALSE(P.HasHandle(Style, i));
    }
}

TEST_F(CalloutTest, MovingAndOffsettingMovesThePointsNotTheRates)
{
    Make(8, {0, 0, 100, 50});
    const TPoint P = C.FPoints[0];
    C.OffsetPoints(7, -3);
    EXPECT_EQ(C.FPoints[0], (TPoint{P.X + 7, P.Y - 3}));
    EXPECT_FLOAT_EQ(C.FPointsRateY[0], 1.6f);
    EXPECT_EQ(C.GetMaxLengthOfOutPoint(Shape), 57);  // trail end (27, 77) from the centre (50, 25)
}

TEST_F(CalloutTest, StoredPointText)
{
    struct Case {
        Integer Style;
        const char16_t* Text;
        Integer Count;       // after reading
        const char16_t* Out; // written back
    };
    // Frame (0, 0, 100, 100) with the default points of its style behind it.
    const Case Cases[] = {
        {5, u"10.30.50.20.40.60", 3, u"10.30.50.20.40.60"},
        {5, u"10.30.20.40", 3, u"75.0.10.25.13.50"},     // too short: the initial points
        {5, u"10.x.50.20.40.60", 3, u"75.0.10.25.13.50"},  // not numbers
        {0, u"", 1, u"22.20"},
        {2, u"10.20", 11, u""},                           // clouds are never stored
        {4, u"", 12, u""},
        {8, u"5.200", 1, u"5.200"},
        {11, u"1.2.3.4", 80, nullptr},                    // a starburst needs its outline
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(::testing::Message() << K.Style << " " << String(K.Text).size());
        Make(K.Style, {0, 0, 100, 100});
        C.SetPoints(Shape, K.Text);
        EXPECT_EQ(C.FPointsCount, K.Count);
        EXPECT_EQ(C.FPointsRateX.size(), size_t(K.Count));
        EXPECT_EQ(C.FCtrRect.size(), size_t(K.Count));
        if (K.Out) EXPECT_EQ(C.GetPoints(K.Style), String(K.Out));
        EXPECT_FALSE(C.FramePath(Shape).Empty());
    }
    // The rates follow the stored points in the current frame.
    Make(5, {100, 200, 300, 300});
    C.SetPoints(Shape, u"150.100.120.225.213.250");
    EXPECT_FLOAT_EQ(C.FPointsRateX[0], 0.25f);
    EXPECT_FLOAT_EQ(C.FPointsRateY[0], 0.25f);
    EXPECT_FLOAT_EQ(C.FPointsRateY[1], 0.13f);
    // A frame without width or height gives ratios of 0.
    Make(8, {40, 40, 40, 90});
    C.SetPoints(Shape, u"70.100");
    EXPECT_EQ(C.FPointsRateX[0], 0);
    EXPECT_FLOAT_EQ(C.FPointsRateY[0], 1.2f);
    DragPoint(0, 5, 5);
    EXPECT_EQ(C.FPointsRateX[0], 0);
}

TEST_F(CalloutTest, OldDocumentsPointsRelativeToTheFrame)
{
    Make(8, {100, 200, 300, 300});
    C.SetPoints(Shape, u"5.5");
    C.UpgradePoints(Shape);
    C.SetPoints(Shape, C.GetPoints(8));
    EXPECT_EQ(C.FPoints[0], (TPoint{105, 205}));
    EXPECT_FLOAT_EQ(C.FPointsRateX[0], 0.025f);
    EXPECT_FLOAT_EQ(C.FPointsRateY[0], 0.05f);
    // The clouds keep their tables.
    Make(2, {100, 200, 300, 300});
    const auto Rates = C.FPointsRateX;
    C.UpgradePoints(Shape);
    C.SetPoints(Shape, C.GetPoints(2));
    EXPECT_EQ(C.FPointsRateX, Rates);
}

TEST_F(CalloutTest, LayoutRectangles)
{
    struct Case {
        Integer Style;
        TCalloutLayout L;
    };
    // Frame (10, 20) 200 x 100.
    const Case Cases[] = {
        {0, {10, 40, 200, 80}},   {1, {10, 20, 200, 100}}, {4, {10, 20, 200, 92}},
        {6, {60, 65, 150, 55}},   {7, {10, 65, 150, 55}},  {11, {10, 20, 200, 100}},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Style);
        Make(K.Style, {10, 20, 210, 120});
        const TCalloutLayout L = C.LayoutRect(Shape);
        EXPECT_FLOAT_EQ(L.X, K.L.X);
        EXPECT_FLOAT_EQ(L.Y, K.L.Y);
        EXPECT_FLOAT_EQ(L.Width, K.L.Width);
        EXPECT_FLOAT_EQ(L.Height, K.L.Height);
    }
}

TEST_F(CalloutTest, FramePaths)
{
    using TOp = TShapePath::TOp;
    const TRect R{10, 20, 210, 120};
    // Note: the fold's corner cut.
    Make(0, R);
    EXPECT_EQ(ItemPoints(C.FramePath(Shape), TOp::Polygon),
              (std::vector<TFloatPoint>{{10, 40}, {54, 20}, {210, 20}, {210, 120}, {10, 120}}));
    // Rounded balloon: four corner arcs of Round(300 x 0.1) = 30, the pointer after the third.
    Make(1, R);
    {
        TShapePath P = C.FramePath(Shape);
        std::vector<TOp> Ops;
        for (const auto& I : P.Items()) Ops.push_back(I.Op);
        EXPECT_EQ(Ops, (std::vector<TOp>{TOp::StartFigure, TOp::Arc, TOp::Arc, TOp::Arc, TOp::Lines, TOp::Arc,
                                         TOp::CloseFigure}));
        EXPECT_EQ(P.Items()[3].X, 180);
        EXPECT_EQ(P.Items()[3].Width, 30);
        EXPECT_EQ(P.Items()[3].Start, 0);
    }
    // Clouds: one Bezier chain from the rates.
    Make(2, R);
    {
        auto B = ItemPoints(C.FramePath(Shape), TOp::Beziers);
        ASSERT_EQ(B.size(), 31u);
        EXPECT_EQ(B[0], (TFloatPoint{54, 42}));
        EXPECT_EQ(B[2], (TFloatPoint{100, 20}));  // (0.45, 0) of the first segment
    }
    // Arrow to the right with its notch.
    Make(5, R);
    EXPECT_EQ(ItemPoints(C.FramePath(Shape), TOp::Polygon),
              (std::vector<TFloatPoint>{{160, 45}, {160, 20}, {210, 70}, {160, 120}, {160, 95}, {10, 107},
                                        {30, 70}, {10, 33}}));
    // The curved arrows' tails reach beyond the frame.
    for (Integer Style : {6, 7}) {
        Make(Style, R);
        auto B = ItemPoints(C.FramePath(Shape), TOp::Beziers);
        ASSERT_EQ(B.size(), 7u);
        EXPECT_TRUE(Style == 6 ? B[2].X < 10 : B[2].X > 210);
        EXPECT_EQ(B[3], (TFloatPoint{Style == 6 ? 160.0f : 60.0f, 20}));
    }
    // Thought bubble: the frame and two bubbles towards the trail end.
    Make(8, R);
    {
        TShapePath P = C.FramePath(Shape);
        ASSERT_EQ(P.Items().size(), 3u);
        EXPECT_EQ(P.Items()[2].X, 50 - 16);  // trail end (50, 180), W div 12 = 16
        EXPECT_EQ(P.Items()[2].Width, 33);
    }
    // Double arrow: two heads mirrored about the middle.
    Make(10, R);
    EXPECT_EQ(ItemPoints(C.FramePath(Shape), TOp::Polygon),
              (std::vector<TFloatPoint>{{160, 45}, {160, 20}, {210, 70}, {160, 120}, {160, 95}, {60, 95},
                                        {60, 120}, {10, 70}, {60, 20}, {60, 45}}));
    // Unknown styles have no frame.
    Make(12, R);
    EXPECT_TRUE(C.FramePath(Shape).Empty());
}

TEST_F(CalloutTest, OvalBalloonIsOneOutline)
{
    using TOp = TShapePath::TOp;
    const TRect R{10, 20, 210, 120};
    Make(9, R);
    TShapePath P = C.FramePath(Shape);
    ASSERT_EQ(P.Items().size(), 4u);
    ASSERT_EQ(P.Items()[1].Op, TOp::Lines);
    ASSERT_EQ(P.Items()[2].Op, TOp::Arc);
    const auto& L = P.Items()[1].Points;
    ASSERT_EQ(L.size(), 3u);
    EXPECT_EQ(L[1], (TFloatPoint{10, 160}));  // the tip
    for (const TFloatPoint& E : {L[0], L[2]}) {
        const Extended U = (E.X - 110.0) / 100, V = (E.Y - 70.0) / 50;
        EXPECT_NEAR(U * U + V * V, 1, 1e-3);  // the lines leave from the ellipse
    }
    // The arc runs the long way round, from the second line's start back to the first's.
    const auto& A = P.Items()[2];
    EXPECT_GT(std::fabs(A.Sweep), 180);
    const Extended End = (A.Start + A.Sweep) * std::numbers::pi / 180;
    const Extended Back = std::atan2(L[0].Y - 70.0, L[0].X - 110.0);
    EXPECT_NEAR(std::remainder(End - Back, 2 * std::numbers::pi), 0, 1e-3);
    // A tip inside the ellipse leaves the plain ellipse.
    DragPointTo(1, {110, 70});
    P = C.FramePath(Shape);
    ASSERT_EQ(P.Items().size(), 1u);
    EXPECT_EQ(P.Items()[0].Op, TOp::Ellipse);
}

TEST_F(CalloutTest, GradientAreasReachTheTip)
{
    // The rounded balloon's tip (210, 330) lies below its frame.
    Make(1, {100, 200, 300, 300});
    EXPECT_EQ(C.LinearGradientRect(Shape), (TShapeBounds{100, 200, 200, 130}));
    // The start box grows upwards as far as the tip lies below, then by 10
    // pixels a side until the frame's corner and the tip are inside.
    EXPECT_EQ(C.EllipticGradientBox(Shape), (TShapeBounds{80, 150, 240, 200}));
    // The thought bubble grows by a sixth more; its trail end is (24, 96).
    Make(8, {0, 0, 120, 60});
    EXPECT_EQ(C.LinearGradientRect(Shape), (TShapeBounds{-20, -10, 160, 116}));
    const TShapeBounds B = C.EllipticGradientBox(Shape);
    const TShapeBounds Plain = [&] {
        Make(0, {0, 0, 120, 60});
        return C.EllipticGradientBox(Shape);
    }();
    EXPECT_GT(B.Height, Plain.Height + 2 * 10);
    // Other styles use the frame, and the corner alone decides the box.
    EXPECT_EQ(C.LinearGradientRect(Shape), (TShapeBounds{0, 0, 120, 60}));
    EXPECT_EQ(Plain, (TShapeBounds{-20, -20, 160, 100}));
}

namespace {
// Callouts as text objects of a document: made from a default row, drawn out
// with the mouse, their handles hit and dragged through the document.
class CalloutInDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 400, 300, false);
        Doc->InitBitmap();
        AddEmptyDefaultRows(Defaults);
        TRow* R = Defaults.GetItem(shCallout);
        for (auto [Col, Text] : {std::pair{14, u"0"}, {16, u"255"}, {20, u"0"}, {24, u"1"}, {27, u"-1"}, {28, u"-1"},
                                 {29, u"-1"}, {40, u"Arial"}, {41, u"20"}, {59, u"-1"}, {98, u"15"}})
            R->GetItem(Col)->SetText(Text);
        Doc->SetPropDT(&Defaults);
    }
    // A new callout of the default style, dragged out from (X1, Y1) to (X2, Y2).
    TImgText* NewCallout(Integer X1, Integer Y1, Integer X2, Integer Y2)
    {
        Doc->CreateShape(shCallout);
        Doc->DrawShape(X1, Y1, X1 + 3, Y1 + 3);
        Doc->DrawShape(X1, Y1, X2, Y2);
        Doc->CreateShapeOver(false);
        return dynamic_cast<TImgText*>(Doc->Shape());
    }
    // A drag of point handle i by (DX, DY) as the main window runs it.
    void DragHandle(TImgText& T, Integer i, Integer DX, Integer DY)
    {
        // The handles are laid out and hit where the control layer paints them.
        Buffer.SetSize(800, 600);
        Doc->PaintControlLayer(nullptr, &Buffer);
        const TPoint V = T.Callout().FCtrPoints[i];
        const TPoint P = T.Callout().FPointsA[i];
        ASSERT_TRUE(Doc->LocateShape(V.X, V.Y, P.X, P.Y));
        ASSERT_EQ(T.CurrentCtrIndex(), 9 + i);
        Doc->ClickShape(selOne, T.Id());
        Doc->DrawShape(P.X, P.Y, P.X + DX, P.Y + DY);
        Doc->AdjustShapeOver();
    }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    TDataTable Defaults;
    TCustomBitmap32 Buffer;
};
}  // namespace

TEST_F(CalloutInDocument, DrawnOutScalesWithItsFrame)
{
    TImgText* T = NewCallout(100, 50, 299, 149);
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->ShapeType(), shCallout);
    EXPECT_EQ(T->SRect(), (TRect{100, 50, 300, 150}));
    ASSERT_EQ(T->PointsCount(), 3);
    EXPECT_EQ(T->PointsZone(), 5);
    EXPECT_EQ(T->Callout().FPoints[1], (TPoint{210, 180}));  // 1.3 x H below the top
    EXPECT_EQ(T->GetMaxLengthOfOutPoint(), 67);
    // The pointer hits outside the frame; beside it nothing does.
    EXPECT_TRUE(T->PtInShape(230, 165));
    EXPECT_FALSE(T->PtInShape(150, 165));
    // The drawing plan: the balloon's frame and the whole frame for the text.
    const TTextDrawing D = T->BuildDrawing();
    EXPECT_FALSE(D.Frame.Path.Empty());
    EXPECT_EQ(D.LayoutHeight, 100);
}

TEST_F(CalloutInDocument, HandlesDraggedThroughTheDocument)
{
    TImgText* T = NewCallout(100, 50, 299, 149);
    ASSERT_TRUE(T->Selected());
    // The tip out over the left edge's upper half.
    DragHandle(*T, 1, -180, -110);
    EXPECT_EQ(T->PointsZone(), 8);
    EXPECT_FLOAT_EQ(T->Callout().FPointsRateY[0], 0.35f);
    EXPECT_FLOAT_EQ(T->Callout().FPointsRateY[2], 0.15f);
    EXPECT_EQ(T->Callout().FPoints[1], (TPoint{30, 70}));
    // The frame's corner handle scales the points with it.
    T->CalcControlPoints();
    Doc->ClickShape(selOne, T->Id());
    T->SetCurrentCtrIndex(3);
    T->Click();
    T->AdjustShape(300, 150, 500, 250);
    T->CalcPoints(false);
    EXPECT_EQ(T->Callout().FPoints[1].X, T->SRect().Left - Round(0.35 * (T->SRect().Right - T->SRect().Left)));
    // Moving and nudging carry the points along.
    const TPoint Tip = T->Callout().FPoints[1];
    T->OffsetShape(5, -2);
    EXPECT_EQ(T->Callout().FPoints[1], (TPoint{Tip.X + 5, Tip.Y - 2}));
}

TEST_F(CalloutInDocument, RowsKeepPointsAndZone)
{
    TImgText* T = NewCallout(100, 50, 299, 149);
    DragHandle(*T, 1, -180, -110);
    Doc->StoreShapeGeometry();
    TRow* Row = Doc->DT()->GetItem(0);
    EXPECT_EQ(Row->GetItem(TextCol::PointsZone)->Text(), u"8");
    const String Points = Row->GetItem(TextCol::Points)->Text();
    EXPECT_EQ(Points, T->GetPoints());
    Doc->CreateShapeObjects(-1);
    auto* R = dynamic_cast<TImgText*>(TImageDraw::RowShape(Row));
    ASSERT_NE(R, nullptr);
    EXPECT_EQ(R->PointsZone(), 8);
    EXPECT_EQ(R->GetPoints(), Points);
    EXPECT_FLOAT_EQ(R->Callout().FPointsRateY[0], 0.35f);
    // A point text too short for the style: the style's own geometry.
    Row->GetItem(TextCol::Points)->SetText(u"1.2");
    Doc->CreateShapeObjects(-1);
    R = dynamic_cast<TImgText*>(TImageDraw::RowShape(Row));
    EXPECT_EQ(R->PointsCount(), 3);
    EXPECT_EQ(R->PointsZone(), 5);
    EXPECT_EQ(R->Callout().FPoints[1], (TPoint{210, 180}));
    // A style change lays the new style out afresh; clouds store no points.
    Doc->ClickShape(selOne, R->Id());
    Doc->SetProperty(u"StyleId", 2, false);
    EXPECT_EQ(R->PointsCount(), 11);
    Doc->StoreShapeGeometry();
    EXPECT_EQ(Row->GetItem(TextCol::Points)->Text(), u"");
}

TEST_F(CalloutInDocument, OldDocumentsPoints)
{
    // A point (5, 5) relative to a frame at (100, 200), as early versions kept it.
    TImgText T(Doc.get(), 1, nullptr);
    T.SetShapeType(shCallout);
    T.SetStyleId(8);
    T.SetSRect({100, 200, 300, 300});
    T.CalcCenterPoint();
    T.SetPoints(u"5.5");
    T.UpgradePoints();
    T.SetPoints(T.GetPoints());
    EXPECT_EQ(T.Callout().FPoints[0], (TPoint{105, 205}));
    // A plain text has no points to move.
    TImgText P(Doc.get(), 2, nullptr);
    P.SetSRect({100, 200, 300, 300});
    P.SetPoints(u"5.5");
    P.UpgradePoints();
    EXPECT_EQ(P.PointsCount(), 0);
    EXPECT_EQ(P.GetMaxLengthOfOutPoint(), 0);
}
