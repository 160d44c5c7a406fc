// ViDuza: plane-geometry helpers of the document engine, the raster engine's
// radial fades and the angle pickers: bounding boxes, point in polygon,
// distances, points along a line, arrow-head corners, angles and rotation,
// rectangle normalisation and the minimum-size rule of handle drags.
// Screen axes: x grows to the right, y downwards. Angles are degrees;
// CalcAngle measures clockwise on the screen from the positive x axis.
// Float results are rounded to integers to nearest, halves to even.
// Every routine is a pure function of its arguments.
//
// The variants over the object layer's point records (TGPPoint, TGPPointF)
// are templates over any record with X and Y members, so this unit stays
// below the object layer; they compute what the TPoint forms compute.
#pragma once

#include <cmath>

#include "Component/Raster32/Ras32_Types.h"
#include "framework/runtime/Maths.h"

using TArrayOfRect = std::vector<TRect>;

// ---------------------------------------------------------------------------
// Bounding boxes and containment

// From (2147483647, 2147483647, -2147483647, -2147483647) the smallest and
// largest coordinates of the points; Right and Bottom are the largest
// coordinates themselves. An empty list leaves the start values.
void GetPointsRect(const TArrayOfPoint& Points, TRect& R);
// Even-odd crossing test (see PtInPolygon in the source for the edge rule);
// an empty polygon gives false.
bool PtInPolygon(const TPoint& P, const TArrayOfPoint& Polygon);

// ---------------------------------------------------------------------------
// Moving points

void IncPoint(TPoint& P, Integer DX, Integer DY);
void IncFloatPoint(TFloatPoint& P, Integer DX, Integer DY);

// ---------------------------------------------------------------------------
// Distances (Euclidean, in extended precision, rounded to Single)

Single FloatPointDistance(const TPoint& A, const TFloatPoint& B);
Single FloatTPointDistance(const TFloatPoint& A, const TPoint& B);

// ---------------------------------------------------------------------------
// Angles and rotation

// The angle of (X, Y) around (CX, CY) in [0, 360): 0 to the right, 90 below,
// 180 left, 270 above.
Single CalcAngle(Integer X, Integer Y, Single CX, Single CY);
// P turned about C by Angle degrees, counter-clockwise on the screen for a
// positive angle; Angle 0 gives P itself.
void RotatePoint(const TFloatPoint& C, const TPoint& P, TPoint& Q, Single Angle);
// The point Dist from P in direction Angle (clockwise on the screen), rounded.
void CalcPointByAngle(const TPoint& P, TPoint& Q, Single Angle, Single Dist);
void CalcPointByAngleF(const TFloatPoint& P, TPoint& Q, Single Angle, Single Dist);

// ---------------------------------------------------------------------------
// Rectangles

// The rectangle covering both pixels: Right and Bottom one past the larger.
void MakeRectFromPoints(Integer X1, Integer Y1, Integer X2, Integer Y2, TRect& R);
// Src with its sides swapped where Right < Left or Bottom < Top.
void NormalizeRect(const TRect& Src, TRect& Dst);
// The handle-drag rule (handles 1 top-left, 2 top-right, 3 bottom-right,
// 4 bottom-left, 5 top, 6 bottom, 7 left, 8 right): only the sides the handle
// moves are pushed back so that width and height stay at least MinSize.
void EnforceMinSize(TRect& R, Integer Handle, Integer MinSize);

// The Shift rule of corner drags (handles 1..4 as above): R becomes a square
// whose side is the larger of its width and height, growing away from the
// corner opposite the handle. Other handles leave R alone.
void SquareByHandle(TRect& R, Integer Handle);

// ---------------------------------------------------------------------------
// Point texts of the object table: all X values, then all Y values, decimal
// integers separated by "." with no trailing separator ("x1.x2.y1.y2").

String PointsToText(const TArrayOfPoint& Points, Integer Count);
// Count = items div 2; point i = (item i, item i + Count). False (Points
// empty) when an item is not an integer; an odd last item is ignored.
bool TextToPoints(const String& Text, TArrayOfPoint& Points);

// ---------------------------------------------------------------------------
// Projection and segment distance

// Foot of the perpendicular from P onto the line AB.
template <class TPt, class TOut>
void PerpendicularFootOf(const TPt& A, const TPt& B, const TPt& P, TOut& F);
template <class TOut>
void PerpendicularFoot(const TPoint& A, const TPoint& B, const TPoint& P, TOut& F)
{
    PerpendicularFootOf(A, B, P, F);
}
template <class TPtF>
void PerpendicularFootF(const TPtF& A, const TPtF& B, const TPtF& P, TPtF& F)
{
    PerpendicularFootOf(A, B, P, F);
}
// The distance of P from the segment AB: to the perpendicular foot when it
// lies on the segment's box, else to the nearer end.
Single PointToSegmentDistance(const TPoint& A, const TPoint& B, const TPoint& P);

// ---------------------------------------------------------------------------
// Ellipse

// The half-height at horizontal distance X from the centre of an ellipse W
// wide and H high: sqrt(1 - X^2 / (W/2)^2) * H/2; 0 when W is not above 0 or
// |X| exceeds W/2.
Single EllipseHalfHeight(Integer W, Integer H, Single X);

// ---------------------------------------------------------------------------
// The point-record variants (TGPPoint: integer X, Y; TGPPointF: Single X, Y)

namespace ViDuzaDetail {
inline Single Dist(Extended DX, Extended DY) { return static_cast<Single>(std::sqrt(DX * DX + DY * DY)); }
}  // namespace ViDuzaDetail

template <class TPt>
void GetGPPointsRect(const TPt* Points, Integer Count, TRect& R)
{
    R = TRect{2147483647, 2147483647, -2147483647, -2147483647};
    for (Integer i = 0; i < Count; ++i) {
        R.Left = Min(R.Left, Points[i].X);
        R.Top = Min(R.Top, Points[i].Y);
        R.Right = Max(R.Right, Points[i].X);
        R.Bottom = Max(R.Bottom, Points[i].Y);
    }
}

// A * B / C rounded as the platform's MulDiv rounds (halves away from 0),
// for differences of 32-bit coordinates (|A|, |B|, |C| below 2^32, C not 0)
// with |B| <= |C|: the result then lies within |A| + 1, and nothing wraps
// however far apart the points are.
Int64 MulDiv64(Int64 A, Int64 B, Int64 C);

// The crossing rule: the edge from point j (the previous point, starting
// with the last) to point i counts when (P.Y >= Yi) differs from (P.Y >= Yj)
// and P.X - Xi < MulDiv(Xj - Xi, P.Y - Yi, Yj - Yi); the parity of the counted
// edges is the answer. The differences are taken in 64 bits: a damaged
// document's far-away points would wrap 32-bit ones.
template <class TPt>
bool PtInGPPolygon(const TPoint& P, const TPt* Points, Integer Count)
{
    bool Inside = false;
    for (Integer i = 0, j = Count - 1; i < Count; j = i++) {
        const TPt& Pi = Points[i];
        const TPt& Pj = Points[j];
        if ((P.Y >= Pi.Y) == (P.Y >= Pj.Y)) continue;
        // P.Y lies between the edge's ends, so |P.Y - Yi| <= |Yj - Yi|, not 0.
        const Int64 Xi = Pi.X, Yi = Pi.Y;
        if (P.X - Xi < MulDiv64(Int64(Pj.X) - Xi, P.Y - Yi, Int64(Pj.Y) - Yi)) Inside = !Inside;
    }
    return Inside;
}

template <class TPt>
void IncGPPoint(TPt& P, Integer DX, Integer DY)
{
    P.X = static_cast<Integer>(static_cast<Cardinal>(P.X) + static_cast<Cardinal>(DX));
    P.Y = static_cast<Integer>(static_cast<Cardinal>(P.Y) + static_cast<Cardinal>(DY));
}

template <class TPtF, class TOut>
void FloatPointToPoint(const TPtF& P, TOut& Q)
{
    Q.X = static_cast<Integer>(Round(P.X));
    Q.Y = static_cast<Integer>(Round(P.Y));
}
template <class TPtF, class TOut>
void FloatPointToGPPoint(const TPtF& P, TOut& Q)
{
    FloatPointToPoint(P, Q);
}

// dx and dy in 32-bit integer arithmetic before the root.
template <class TPt>
Single GPPointDistance(const TPt& A, const TPt& B)
{
    Integer DX = static_cast<Integer>(static_cast<Cardinal>(A.X) - static_cast<Cardinal>(B.X));
    Integer DY = static_cast<Integer>(static_cast<Cardinal>(A.Y) - static_cast<Cardinal>(B.Y));
    return ViDuzaDetail::Dist(DX, DY);
}
template <class TPtF>
Single GPPointFDistance(const TPtF& A, const TPtF& B)
{
    return ViDuzaDetail::Dist(static_cast<Extended>(A.X) - B.X, static_cast<Extended>(A.Y) - B.Y);
}
template <class TPt>
Single FloatGPPointDistance(const TFloatPoint& A, const TPt& B)
{
    return ViDuzaDetail::Dist(static_cast<Extended>(A.X) - B.X, static_cast<Extended>(A.Y) - B.Y);
}

// The point Dist beyond P2 on the ray from P1 through P2; P1 when the two
// points coincide.
template <class TPt, class TPtF>
void PointBeyond(const TPt& P1, const TPt& P2, Single Dist, TPtF& Q)
{
    if (P1.X == P2.X && P1.Y == P2.Y) {
        Q.X = static_cast<Single>(P1.X);
        Q.Y = static_cast<Single>(P1.Y);
        return;
    }
    Extended DX = static_cast<Extended>(P2.X) - P1.X, DY = static_cast<Extended>(P2.Y) - P1.Y;
    Extended L = std::sqrt(DX * DX + DY * DY);
    Q.X = static_cast<Single>(P2.X + DX * Dist / L);
    Q.Y = static_cast<Single>(P2.Y + DY * Dist / L);
}

// The point Dist back from P2 towards P1; P1 when the points coincide or the
// distance reaches the start.
template <class TPt, class TPtF>
void PointBeforeF(const TPt& P1, const TPt& P2, Single Dist, TPtF& Q)
{
    Extended DX = static_cast<Extended>(P2.X) - P1.X, DY = static_cast<Extended>(P2.Y) - P1.Y;
    Extended L = std::sqrt(DX * DX + DY * DY);
    if (!(L > Dist)) {
        Q.X = static_cast<Single>(P1.X);
        Q.Y = static_cast<Single>(P1.Y);
        return;
    }
    Extended K = Dist / (L - Dist);
    Q.X = static_cast<Single>((P1.X * K + P2.X) / (K + 1));
    Q.Y = static_cast<Single>((P1.Y * K + P2.Y) / (K + 1));
}
template <class TPt, class TPtF>
void PointBefore(const TPt& P1, const TPt& P2, Integer Dist, TPtF& Q)
{
    PointBeforeF(P1, P2, static_cast<Single>(Dist), Q);
}

// Three corners of an arrow head Size long and Size wide at the tip P2
// (Head[1] is the tip); Size below 9 is taken as 9.
template <class TPt, class TPtF>
void ArrowHeadPoints(const TPt& P1, const TPt& P2, TPtF* Head, Extended Size)
{
    if (Size < 9) Size = 9;
    Extended A = std::atan2(static_cast<Extended>(P1.Y) - P2.Y, static_cast<Extended>(P1.X) - P2.X);
    Extended C = Size * std::cos(A), S = Size * std::sin(A);
    Extended C2 = Size / 2 * std::cos(A), S2 = Size / 2 * std::sin(A);
    Head[0].X = static_cast<Single>(P2.X + C - S2);
    Head[0].Y = static_cast<Single>(P2.Y + S + C2);
    Head[1].X = static_cast<Single>(P2.X);
    Head[1].Y = static_cast<Single>(P2.Y);
    Head[2].X = static_cast<Single>(P2.X + C + S2);
    Head[2].Y = static_cast<Single>(P2.Y + S - C2);
}

// The three corners, then the point half a head back from the tip on the
// shaft; Size below 10 is taken as 10.
template <class TPt, class TPtF>
void ArrowHeadPointsNotched(const TPt& P1, const TPt& P2, TPtF* Head, Extended Size)
{
    if (Size < 10) Size = 10;
    ArrowHeadPoints(P1, P2, Head, Size);
    PointBefore(P1, P2, static_cast<Integer>(Round(Size / 2)), Head[3]);
}

// A head at P2 and a half-size head Gap before it, as one outline of six points.
template <class TPt, class TPtF>
void ArrowHeadPointsDouble(const TPt& P1, const TPt& P2, Integer Gap, TPtF* Head, Extended Size)
{
    if (Size < 10) Size = 10;
    TPtF H[3], H2[3], QF;
    ArrowHeadPoints(P1, P2, H, Size);
    PointBefore(P1, P2, Gap, QF);
    TPt Q;
    FloatPointToPoint(QF, Q);
    ArrowHeadPoints(P1, Q, H2, Size / 2);
    Head[0] = H[0];
    Head[1] = H[1];
    Head[2] = H[2];
    PerpendicularFootOf(H2[1], H2[2], H[2], Head[3]);
    Head[4].X = static_cast<Single>(Q.X);
    Head[4].Y = static_cast<Single>(Q.Y);
    PerpendicularFootOf(H2[1], H2[0], H[0], Head[5]);
}

template <class TPt, class TOut>
void PerpendicularFootOf(const TPt& A, const TPt& B, const TPt& P, TOut& F)
{
    if (A.X == B.X) {
        F.X = static_cast<Single>(A.X);
        F.Y = static_cast<Single>(P.Y);
    } else if (A.Y == B.Y) {
        F.X = static_cast<Single>(P.X);
        F.Y = static_cast<Single>(A.Y);
    } else {
        Extended G = (static_cast<Extended>(B.Y) - A.Y) / (static_cast<Extended>(B.X) - A.X);
        Extended FX = (P.X + A.X * G * G + G * (static_cast<Extended>(P.Y) - A.Y)) / (G * G + 1);
        F.X = static_cast<Single>(FX);
        F.Y = static_cast<Single>(A.Y + G * (FX - A.X));
    }
}
