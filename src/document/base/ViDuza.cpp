#include "document/base/ViDuza.h"

#include <cmath>
#include <numbers>

#include "framework/runtime/SysUtils.h"

namespace {
constexpr Extended Pi = std::numbers::pi_v<Extended>;
}

void GetPointsRect(const TArrayOfPoint& Points, TRect& R)
{
    GetGPPointsRect(Points.data(), static_cast<Integer>(Points.size()), R);
}

Int64 MulDiv64(Int64 A, Int64 B, Int64 C)
{
    // |A| * |B| < 2^64 fits unsigned, and adding half of |C| < 2^31 to it
    // still does; truncating after it rounds halves away from 0.
    const uint64_t N = static_cast<uint64_t>(A < 0 ? -A : A) * static_cast<uint64_t>(B < 0 ? -B : B);
    const uint64_t D = static_cast<uint64_t>(C < 0 ? -C : C);
    const Int64 Q = static_cast<Int64>((N + D / 2) / D);
    return ((A < 0) != (B < 0)) != (C < 0) ? -Q : Q;
}

bool PtInPolygon(const TPoint& P, const TArrayOfPoint& Polygon)
{
    return PtInGPPolygon(P, Polygon.data(), static_cast<Integer>(Polygon.size()));
}

void IncPoint(TPoint& P, Integer DX, Integer DY)
{
    // Wrapping sums, like the 32-bit additions the coordinates always had.
    IncGPPoint(P, DX, DY);
}

void IncFloatPoint(TFloatPoint& P, Integer DX, Integer DY)
{
    P.X = static_cast<Single>(P.X + static_cast<Extended>(DX));
    P.Y = static_cast<Single>(P.Y + static_cast<Extended>(DY));
}

Single FloatPointDistance(const TPoint& P, const TFloatPoint& F)
{
    return ViDuzaDetail::Dist(static_cast<Extended>(P.X) - F.X, static_cast<Extended>(P.Y) - F.Y);
}

Single FloatTPointDistance(const TFloatPoint& A, const TPoint& B)
{
    return FloatPointDistance(B, A);
}

Single CalcAngle(Integer X, Integer Y, Single CX, Single CY)
{
    if (X == CX) return Y >= CY ? 90.0f : 270.0f;
    Extended T = std::atan((Y - static_cast<Extended>(CY)) / (X - static_cast<Extended>(CX))) * 360 / (2 * Pi);
    if (X < CX) return static_cast<Single>(T + 180);
    if (Y < CY) return static_cast<Single>(T + 360);
    return static_cast<Single>(T);
}

void RotatePoint(const TFloatPoint& C, const TPoint& P, TPoint& Q, Single Angle)
{
    if (Angle == 0) {
        Q = P;
        return;
    }
    Extended DX = P.X - static_cast<Extended>(C.X), DY = P.Y - static_cast<Extended>(C.Y);
    Extended R = std::sqrt(DX * DX + DY * DY);
    Extended B = (static_cast<Extended>(CalcAngle(P.X, P.Y, C.X, C.Y)) - Angle) * Pi / 180;
    Q.X = static_cast<Integer>(Round(C.X + R * std::cos(B)));
    Q.Y = static_cast<Integer>(Round(C.Y + R * std::sin(B)));
}

void CalcPointByAngleF(const TFloatPoint& P, TPoint& Q, Single Angle, Single Dist)
{
    Extended A = static_cast<Extended>(Angle) * Pi / 180;
    Q.X = static_cast<Integer>(Round(P.X + Dist * std::cos(A)));
    Q.Y = static_cast<Integer>(Round(P.Y + Dist * std::sin(A)));
}

void CalcPointByAngle(const TPoint& P, TPoint& Q, Single Angle, Single Dist)
{
    CalcPointByAngleF(TFloatPoint{static_cast<Single>(P.X), static_cast<Single>(P.Y)}, Q, Angle, Dist);
}

void MakeRectFromPoints(Integer X1, Integer Y1, Integer X2, Integer Y2, TRect& R)
{
    R = TRect{Min(X1, X2), Min(Y1, Y2), Max(X1, X2) + 1, Max(Y1, Y2) + 1};
}

void NormalizeRect(const TRect& Src, TRect& Dst)
{
    Dst = Src;
    if (Dst.Right < Dst.Left) std::swap(Dst.Left, Dst.Right);
    if (Dst.Bottom < Dst.Top) std::swap(Dst.Top, Dst.Bottom);
}

void EnforceMinSize(TRect& R, Integer Handle, Integer MinSize)
{
    switch (Handle) {
    case 1: case 4: case 7: R.Left = Min(R.Left, R.Right - MinSize); break;
    default: break;
    }
    switch (Handle) {
    case 1: case 2: case 5: R.Top = Min(R.Top, R.Bottom - MinSize); break;
    default: break;
    }
    switch (Handle) {
    case 2: case 3: case 8: R.Right = Max(R.Right, R.Left + MinSize); break;
    default: break;
    }
    switch (Handle) {
    case 3: case 4: case 6: R.Bottom = Max(R.Bottom, R.Top + MinSize); break;
    default: break;
    }
}

Single PointToSegmentDistance(const TPoint& A, const TPoint& B, const TPoint& P)
{
    TFloatPoint F;
    PerpendicularFoot(A, B, P, F);
    if (Min(A.X, B.X) <= F.X && F.X <= Max(A.X, B.X) && Min(A.Y, B.Y) <= F.Y && F.Y <= Max(A.Y, B.Y))
        return FloatPointDistance(P, F);
    return Min(GPPointDistance(P, A), GPPointDistance(P, B));
}

Single EllipseHalfHeight(Integer W, Integer H, Single X)
{
    // No ellipse (W 0) or a point beyond its sides: no height rather than NaN.
    Extended HalfW = W / static_cast<Extended>(2);
    if (HalfW <= 0 || std::fabs(static_cast<Extended>(X)) > HalfW) return 0;
    return static_cast<Single>(std::sqrt(1 - X * static_cast<Extended>(X) / (HalfW * HalfW)) * H / 2);
}

void SquareByHandle(TRect& R, Integer Handle)
{
    Integer W = R.Right - R.Left, H = R.Bottom - R.Top;
    switch (Handle) {
    case 1: if (H < W) R.Top = R.Bottom - W; else R.Left = R.Right - H; break;
    case 2: if (H < W) R.Top = R.Bottom - W; else R.Right = R.Left + H; break;
    case 3: if (H < W) R.Bottom = R.Top + W; else R.Right = R.Left + H; break;
    case 4: if (H < W) R.Bottom = R.Top + W; else R.Left = R.Right - H; break;
    default: break;
    }
}

String PointsToText(const TArrayOfPoint& Points, Integer Count)
{
    Count = Min(Count, static_cast<Integer>(Points.size()));
    String S;
    for (Integer i = 0; i < 2 * Count; ++i) {
        if (i > 0) S += u'.';
        S += IntToStr(i < Count ? Points[i].X : Points[i - Count].Y);
    }
    return S;
}

bool TextToPoints(const String& Text, TArrayOfPoint& Points)
{
    Points.clear();
    if (Text.empty()) return true;
    std::vector<Integer> Items;
    size_t Start = 0;
    for (;;) {
        size_t Dot = Text.find(u'.', Start);
        Integer V;
        if (!TryStrToInt(Text.substr(Start, Dot == String::npos ? String::npos : Dot - Start), V)) return false;
        Items.push_back(V);
        if (Dot == String::npos) break;
        Start = Dot + 1;
    }
    size_t Count = Items.size() / 2;
    Points.resize(Count);
    for (size_t i = 0; i < Count; ++i) Points[i] = TPoint{Items[i], Items[i + Count]};
    return true;
}
