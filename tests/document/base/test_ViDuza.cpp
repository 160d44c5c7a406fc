#include <gtest/gtest.h>

#include <cmath>

#include "document/base/ViDuza.h"

namespace {
// Stand-ins for the object layer's point records (same members).
struct GPPoint {
    Integer X = 0, Y = 0;
};
struct GPPointF {
    Single X = 0, Y = 0;
};
}  // namespace

TEST(ViDuza, IncPointAddsInPlace)
{
    TPoint P{3, -4};
    IncPoint(P, 10, 20);
    EXPECT_EQ(P, (TPoint{13, 16}));
    IncPoint(P, -13, -16);
    EXPECT_EQ(P, (TPoint{0, 0}));
    TFloatPoint F{0.5f, 1.5f};
    IncFloatPoint(F, 2, -3);
    EXPECT_EQ(F, (TFloatPoint{2.5f, -1.5f}));
}

TEST(ViDuza, Distances)
{
    struct Case {
        TPoint P;
        TFloatPoint F;
        Single Expected;
    };
    const Case Cases[] = {
        {{0, 0}, {3, 4}, 5},
        {{3, 4}, {3, 4}, 0},
        {{-1, -1}, {2, 3}, 5},
        {{0, 0}, {0.5f, 0.5f}, std::sqrt(0.5f)},
        // Large coordinates stay exact in extended precision before the root.
        {{2000000000, 0}, {-2000000000.0f, 0}, 4.0e9f},
    };
    for (const Case& C : Cases) {
        EXPECT_FLOAT_EQ(FloatPointDistance(C.P, C.F), C.Expected);
        EXPECT_FLOAT_EQ(FloatTPointDistance(C.F, C.P), C.Expected);
    }
    EXPECT_FLOAT_EQ(GPPointDistance(GPPoint{1, 1}, GPPoint{4, 5}), 5);
    EXPECT_FLOAT_EQ(GPPointFDistance(GPPointF{1, 1}, GPPointF{4, 5}), 5);
}

TEST(ViDuza, PointsRectAndPolygon)
{
    TRect R;
    GetPointsRect({}, R);
    EXPECT_EQ(R, (TRect{2147483647, 2147483647, -2147483647, -2147483647}));
    GetPointsRect({{5, 7}, {-2, 10}, {3, -1}}, R);
    EXPECT_EQ(R, (TRect{-2, -1, 5, 10}));  // no +1 on the far sides

    const TArrayOfPoint Square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    struct Case {
        TPoint P;
        bool Inside;
    };
    const Case Cases[] = {
        {{5, 5}, true},   {{-1, 5}, false}, {{11, 5}, false},
        {{0, 5}, true},   // on the left edge: inside by the crossing rule
        {{10, 5}, false}, // on the right edge: outside
        {{5, 0}, true},   // on the top edge: P.Y >= 0 counts the sides
        {{5, 10}, false}, // on the bottom edge: nothing crosses below
    };
    for (const Case& C : Cases) EXPECT_EQ(PtInPolygon(C.P, Square), C.Inside) << C.P.X << "," << C.P.Y;
    EXPECT_FALSE(PtInPolygon({0, 0}, {}));
    const GPPoint Tri[] = {{0, 0}, {20, 0}, {0, 20}};
    EXPECT_TRUE(PtInGPPolygon({5, 5}, Tri, 3));
    EXPECT_FALSE(PtInGPPolygon({15, 15}, Tri, 3));

    // Points of a damaged document far apart: their differences pass 2^31.
    constexpr Integer F = 2000000000;
    const GPPoint Far[] = {{-F, -F}, {F, -F}, {-F, F}};  // the half-plane x + y < 0
    const Case FarCases[] = {
        {{-F / 2, -F / 2}, true},  {{F / 2, F / 2}, false},        {{F / 2, -3 * (F / 4)}, true},
        {{3 * (F / 4), -F / 5}, false}, {{F - 1, -F + 1}, false},  {{F - 3, -F + 1}, true},
        {{-F, 0}, true},           {{0, F}, false},                {{2147483647, 0}, false},
    };
    for (const Case& C : FarCases) EXPECT_EQ(PtInGPPolygon(C.P, Far, 3), C.Inside) << C.P.X << "," << C.P.Y;
}

TEST(ViDuza, MulDiv64RoundsLikeThePlatform)
{
    struct Case {
        Int64 A, B, C, Want;
    };
    const Case Cases[] = {
        {7, 1, 2, 4},     {-7, 1, 2, -4},   {7, -1, 2, -4},  {7, 1, -2, -4},  {-7, -1, -2, -4},
        {5, 1, 3, 2},     {-5, 1, 3, -2},   {0, 5, 7, 0},    {10, 3, 3, 10},
        // The far ends of 32-bit coordinates: 2^32 - 1 times itself.
        {4294967295LL, 4294967295LL, 4294967295LL, 4294967295LL},
        {-4294967295LL, 4294967294LL, 4294967295LL, -4294967294LL},
        {4294967295LL, 2147483648LL, 4294967295LL, 2147483648LL},
    };
    for (const Case& C : Cases) EXPECT_EQ(MulDiv64(C.A, C.B, C.C), C.Want) << C.A << " " << C.B << " " << C.C;
    // Where 32 bits suffice it agrees with MulDiv.
    for (Integer A : {-1000, -7, 0, 3, 999})
        for (Integer B : {-50, -1, 0, 13, 50})
            for (Integer C : {-51, -2, 1, 50, 77})
                if (std::abs(B) <= std::abs(C)) EXPECT_EQ(MulDiv64(A, B, C), MulDiv(A, B, C)) << A << " " << B << " " << C;
}

TEST(ViDuza, CalcAngleAndRotation)
{
    // Below, above, left, right of the centre.
    EXPECT_FLOAT_EQ(CalcAngle(0, 10, 0, 0), 90);
    EXPECT_FLOAT_EQ(CalcAngle(0, -10, 0, 0), 270);
    EXPECT_FLOAT_EQ(CalcAngle(-10, 0, 0, 0), 180);
    EXPECT_FLOAT_EQ(CalcAngle(10, 0, 0, 0), 0);
    EXPECT_FLOAT_EQ(CalcAngle(10, 10, 0, 0), 45);
    EXPECT_FLOAT_EQ(CalcAngle(10, -10, 0, 0), 315);
    EXPECT_FLOAT_EQ(CalcAngle(5, 5, 5, 5), 90);  // the centre itself

    TPoint Q;
    RotatePoint({0, 0}, {10, 0}, Q, 90);  // counter-clockwise on the screen
    EXPECT_EQ(Q, (TPoint{0, -10}));
    RotatePoint({0, 0}, {10, 0}, Q, -90);
    EXPECT_EQ(Q, (TPoint{0, 10}));
    RotatePoint({5, 5}, {7, 3}, Q, 0);
    EXPECT_EQ(Q, (TPoint{7, 3}));
    RotatePoint({0, 0}, {10, 0}, Q, 180);
    EXPECT_EQ(Q, (TPoint{-10, 0}));

    CalcPointByAngle({0, 0}, Q, 90, 10);  // clockwise on the screen: downwards
    EXPECT_EQ(Q, (TPoint{0, 10}));
    CalcPointByAngleF({0.5f, 0}, Q, 0, 2);
    EXPECT_EQ(Q, (TPoint{2, 0}));  // 2.5 rounds to even
}

TEST(ViDuza, Rectangles)
{
    TRect R;
    MakeRectFromPoints(5, 5, 5, 5, R);
    EXPECT_EQ(R, (TRect{5, 5, 6, 6}));
    MakeRectFromPoints(9, 2, 3, 7, R);
    EXPECT_EQ(R, (TRect{3, 2, 10, 8}));
    NormalizeRect(TRect{10, 20, 0, 5}, R);
    EXPECT_EQ(R, (TRect{0, 5, 10, 20}));

    // Each handle pushes back only the sides it moves: a rectangle collapsed
    // to (50, 50, 50, 50) grows by MinSize away from the fixed sides.
    struct Case {
        Integer Handle;
        TRect Expected;
    };
    const Case Cases[] = {
        {1, {48, 48, 50, 50}}, {2, {50, 48, 52, 50}}, {3, {50, 50, 52, 52}}, {4, {48, 50, 50, 52}},
        {5, {50, 48, 50, 50}}, {6, {50, 50, 50, 52}}, {7, {48, 50, 50, 50}}, {8, {50, 50, 52, 50}},
        {0, {50, 50, 50, 50}}, {9, {50, 50, 50, 50}},
    };
    for (const Case& C : Cases) {
        TRect Q{50, 50, 50, 50};
        EnforceMinSize(Q, C.Handle, 2);
        EXPECT_EQ(Q, C.Expected) << "handle " << C.Handle;
    }
    TRect Big{0, 0, 100, 100};
    EnforceMinSize(Big, 3, 10);
    EXPECT_EQ(Big, (TRect{0, 0, 100, 100}));
}

TEST(ViDuza, PointsAlongALine)
{
    GPPointF Q;
    PointBeyond(GPPoint{0, 0}, GPPoint{10, 0}, 5, Q);
    EXPECT_FLOAT_EQ(Q.X, 15);
    PointBeyond(GPPoint{3, 3}, GPPoint{3, 3}, 5, Q);
    EXPECT_FLOAT_EQ(Q.X, 3);
    PointBefore(TPoint{0, 0}, TPoint{0, 10}, 4, Q);
    EXPECT_FLOAT_EQ(Q.X, 0);
    EXPECT_FLOAT_EQ(Q.Y, 6);
    PointBefore(TPoint{1, 2}, TPoint{0, 10}, 50, Q);  // longer than the segment: the start
    EXPECT_FLOAT_EQ(Q.X, 1);
    EXPECT_FLOAT_EQ(Q.Y, 2);
    PointBeforeF(TPoint{0, 0}, TPoint{10, 0}, 2.5f, Q);
    EXPECT_FLOAT_EQ(Q.X, 7.5f);

    GPPointF Head[6];
    ArrowHeadPoints(TPoint{0, 0}, TPoint{100, 0}, Head, 4);  // taken as 9
    EXPECT_FLOAT_EQ(Head[1].X, 100);
    EXPECT_NEAR(Head[0].X, 91, 1e-4);
    EXPECT_NEAR(Head[0].Y, -4.5, 1e-4);
    EXPECT_NEAR(Head[2].Y, 4.5, 1e-4);
    ArrowHeadPointsNotched(TPoint{0, 0}, TPoint{100, 0}, Head, 20);
    EXPECT_NEAR(Head[3].X, 90, 1e-4);
    ArrowHeadPointsDouble(TPoint{0, 0}, TPoint{100, 0}, 30, Head, 20);
    EXPECT_NEAR(Head[4].X, 70, 1e-4);  // the second tip, Gap back
    // Feet of the big head's base corners (80, +-10) on the lines through the
    // small head's tip (70, 0) and its corners (60, +-5).
    EXPECT_NEAR(Head[3].X, 74, 1e-4);
    EXPECT_NEAR(Head[3].Y, -2, 1e-4);
    EXPECT_NEAR(Head[5].X, 74, 1e-4);
    EXPECT_NEAR(Head[5].Y, 2, 1e-4);
}

TEST(ViDuza, ProjectionAndSegmentDistance)
{
    TFloatPoint F;
    PerpendicularFoot({0, 0}, {0, 10}, {5, 3}, F);
    EXPECT_EQ(F, (TFloatPoint{0, 3}));
    PerpendicularFoot({0, 2}, {10, 2}, {5, 9}, F);
    EXPECT_EQ(F, (TFloatPoint{5, 2}));
    PerpendicularFoot({0, 0}, {10, 10}, {10, 0}, F);
    EXPECT_NEAR(F.X, 5, 1e-5);
    EXPECT_NEAR(F.Y, 5, 1e-5);
    GPPointF G;
    PerpendicularFootF(GPPointF{0, 0}, GPPointF{10, 10}, GPPointF{0, 10}, G);
    EXPECT_NEAR(G.X, 5, 1e-5);

    EXPECT_FLOAT_EQ(PointToSegmentDistance({0, 0}, {10, 0}, {5, 4}), 4);
    // Beyond an end: the distance to that end, not to the line.
    EXPECT_FLOAT_EQ(PointToSegmentDistance({0, 0}, {10, 0}, {13, 4}), 5);
    EXPECT_FLOAT_EQ(PointToSegmentDistance({0, 0}, {10, 0}, {-3, -4}), 5);
}

TEST(ViDuza, EllipseHalfHeight)
{
    EXPECT_FLOAT_EQ(EllipseHalfHeight(100, 50, 0), 25);
    EXPECT_NEAR(EllipseHalfHeight(100, 50, 30), 20, 1e-5);
    EXPECT_FLOAT_EQ(EllipseHalfHeight(100, 50, 50), 0);
    // No width or a point beyond the sides: 0, never NaN.
    EXPECT_FLOAT_EQ(EllipseHalfHeight(0, 50, 0), 0);
    EXPECT_FLOAT_EQ(EllipseHalfHeight(100, 50, 60), 0);
}
