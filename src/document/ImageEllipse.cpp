#include "document/ImageEllipse.h"
#include "document/PictureArea.h"

#include <cmath>
#include <numbers>

namespace {
constexpr Extended Pi = std::numbers::pi_v<Extended>;

// Segments of a full ellipse whose larger half-axis is R, so that no chord
// strays more than a quarter pixel from the curve; at most 4096, so that an
// enormous rectangle from a damaged row stays cheap.
Integer EllipseSegments(Extended R)
{
    if (!(R > 0.25)) return 8;
    Extended Step = 2 * std::acos(1 - 0.25 / R);
    return static_cast<Integer>(Max<Extended>(8, Min<Extended>(4096, std::ceil(2 * Pi / Step))));
}

TPoint RoundPoint(const TFloatPoint& P)
{
    return TPoint{static_cast<Integer>(Round(P.X)), static_cast<Integer>(Round(P.Y))};
}
}  // namespace

void WidenFlatPath(const std::vector<TFloatPoint>& Path, bool Closed, Single HalfWidth, TArrayOfPoint& Outline)
{
    Outline.clear();
    std::vector<TFloatPoint> P;
    for (const TFloatPoint& Q : Path)
        if (P.empty() || !(Q == P.back())) P.push_back(Q);
    if (Closed && P.size() > 1 && P.front() == P.back()) P.pop_back();
    size_t n = P.size();
    if (n < 2) return;
    size_t Segs = Closed ? n : n - 1;
    std::vector<TFloatPoint> Normal(Segs);
    for (size_t i = 0; i < Segs; ++i) {
        const TFloatPoint &A = P[i], &B = P[(i + 1) % n];
        Extended DX = B.X - A.X, DY = B.Y - A.Y, L = std::sqrt(DX * DX + DY * DY);
        Normal[i] = TFloatPoint{static_cast<Single>(-DY / L), static_cast<Single>(DX / L)};
    }
    // The offset of each vertex: along the bisector of its two edges' normals,
    // lengthened for the corner but at most twice (a bevel beyond that).
    std::vector<TFloatPoint> Off(n);
    for (size_t i = 0; i < n; ++i) {
        bool HasIn = Closed || i > 0, HasOut = Closed || i + 1 < n;
        TFloatPoint In = HasIn ? Normal[(i + Segs - 1) % Segs] : Normal[i];
        TFloatPoint Out = HasOut ? Normal[i % Segs] : In;
        Extended MX = In.X + Out.X, MY = In.Y + Out.Y, ML = std::sqrt(MX * MX + MY * MY);
        if (ML < 1e-6) {
            MX = In.X;
            MY = In.Y;
            ML = 1;
        }
        MX /= ML;
        MY /= ML;
        Extended K = HalfWidth / Max<Extended>(MX * In.X + MY * In.Y, 0.5);
        Off[i] = TFloatPoint{static_cast<Single>(MX * K), static_cast<Single>(MY * K)};
    }
    auto Add = [&](size_t i, Single Sign) {
        Outline.push_back(RoundPoint(TFloatPoint{P[i].X + Sign * Off[i].X, P[i].Y + Sign * Off[i].Y}));
    };
    if (Closed) {
        for (size_t i = 0; i <= n; ++i) Add(i % n, 1);
        for (size_t i = 0; i <= n; ++i) Add(i % n, -1);
    } else {
        for (size_t i = 0; i < n; ++i) Add(i, 1);
        for (size_t i = n; i-- > 0;) Add(i, -1);
    }
}

TImgEllipse::TImgEllipse(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : TImgShape(AOwner, ShapeId, ABitmap)
{
    FShapeType = shEllipse;
    FControlMode = 3;
}

void TImgEllipse::SizeArrays(Integer Count)
{
    FPointsCount = Count;
    FPointsRX.assign(Count, 0);
    FPointsRY.assign(Count, 0);
    FPoints.assign(Count, TPoint{});
    FPointsA.assign(Count, TPoint{});
    FCtrPoints.assign(Count, TPoint{});
    FCtrRects.assign(Count, TRect{});
}

void TImgEllipse::InitPoints(bool)
{
    if (FStyleId == 0) {
        FPointsCount = 0;
        return;
    }
    SizeArrays(FStyleId >= 1 && FStyleId <= 3 ? 2 : 0);
    if (FPointsCount == 2) {
        FPointsRX = {0.85f, 0.35f};
        FPointsRY = {0.85f, 0.03f};
    }
}

void TImgEllipse::CalcPoints(bool)
{
    Integer W = Width(), H = Height();
    for (Integer i = 0; i < FPointsCount; ++i) {
        Integer X = static_cast<Integer>(Round(W * static_cast<Extended>(FPointsRX[i])));
        Extended C = EllipseHalfHeight(W, H, static_cast<Single>(X - W / 2.0));
        Integer Y = static_cast<Integer>(FPointsRY[i] >= 0.5f ? Trunc(H / 2 + C) : Trunc(H / 2 - C));
        FPoints[i] = TPoint{FRect.Left + X, FRect.Top + Y};
    }
}

void TImgEllipse::SetPoints(const String& S)
{
    TArrayOfPoint Loaded;
    bool Ok = TextToPoints(S, Loaded);
    Integer Needed = FStyleId >= 1 && FStyleId <= 3 ? 2 : 0;
    if (!Ok || static_cast<Integer>(Loaded.size()) < Needed) {
        // A damaged row: the style's own points rather than reading past the text.
        InitPoints(false);
        CalcPoints(true);
        return;
    }
    SizeArrays(Needed);
    Integer W = Width(), H = Height();
    for (Integer i = 0; i < Needed; ++i) {
        FPoints[i] = Loaded[i];
        FPointsRX[i] = W != 0 ? static_cast<Single>((Loaded[i].X - static_cast<Extended>(FRect.Left)) / W) : 0;
        FPointsRY[i] = H != 0 ? static_cast<Single>((Loaded[i].Y - static_cast<Extended>(FRect.Top)) / H) : 0;
        // A point beyond the rectangle has no place on the ellipse.
        ClampSingle(FPointsRX[i], 0, 1);
        ClampSingle(FPointsRY[i], 0, 1);
    }
}

String TImgEllipse::GetPoints() const { return PointsToText(FPoints, FPointsCount); }

void TImgEllipse::GetArcAngles(Single& StartAngle, Single& SweepAngle) const
{
    StartAngle = SweepAngle = 0;
    if (FPointsCount < 2) return;
    Single S = CalcAngle(FPoints[0].X, FPoints[0].Y, FCenterPoint.X, FCenterPoint.Y);
    Single E = CalcAngle(FPoints[1].X, FPoints[1].Y, FCenterPoint.X, FCenterPoint.Y);
    StartAngle = S;
    SweepAngle = S > E ? 360 - (S - E) : E - S;
}

void TImgEllipse::FlattenPath(std::vector<TFloatPoint>& Path, bool& Closed) const
{
    Path.clear();
    Closed = true;
    Extended A = Width() / 2.0, B = Height() / 2.0;
    Extended CX = FRect.Left + A, CY = FRect.Top + B;
    Integer n = EllipseSegments(Max(std::fabs(A), std::fabs(B)));
    auto Push = [&](Extended T) {
        Path.push_back(TFloatPoint{static_cast<Single>(CX + A * std::cos(T)), static_cast<Single>(CY + B * std::sin(T))});
    };
    if (FStyleId < 1 || FStyleId > 3 || FPointsCount < 2) {
        for (Integer i = 0; i < n; ++i) Push(2 * Pi * i / n);
        return;
    }
    Single S, Sweep;
    GetArcAngles(S, Sweep);
    // The arc's ends are where the rays at the angles meet the ellipse: turn
    // them into the ellipse's own parameter before stepping along it.
    auto Param = [&](Extended Degrees) {
        Extended F = Degrees * Pi / 180;
        return std::atan2(A * std::sin(F), B * std::cos(F));
    };
    Extended T0 = Param(S), Span = 0;
    if (Sweep >= 360)
        Span = 2 * Pi;
    else if (Sweep > 0)
        Span = std::fmod(Param(static_cast<Extended>(S) + Sweep) - T0 + 4 * Pi, 2 * Pi);
    Integer m = Max<Integer>(1, static_cast<Integer>(std::ceil(n * Span / (2 * Pi))));
    for (Integer i = 0; i <= m; ++i) Push(T0 + Span * i / m);
    bool Ends = FPoints[0] != FPoints[1] && Sweep != 0;
    TFloatPoint P0{static_cast<Single>(FPoints[0].X), static_cast<Single>(FPoints[0].Y)};
    if (FStyleId == 1) {
        Closed = false;
    } else if (FStyleId == 2) {
        if (Ends) Path.push_back(P0);
    } else if (Ends) {
        Path.push_back(FCenterPoint);
        Path.push_back(P0);
    }
}

void TImgEllipse::CalcPathPoints()
{
    std::vector<TFloatPoint> Path;
    bool Closed;
    FlattenPath(Path, Closed);
    FPathPoints.clear();
    for (const TFloatPoint& P : Path) FPathPoints.push_back(RoundPoint(P));
    if (FIsOutline && !FIsFill)
        WidenFlatPath(Path, Closed, FOutWidth / 2.0f, FPathPointsW);
    else
        FPathPointsW.clear();
}

TClosedShapeDraw TImgEllipse::BuildOutline() const
{
    TClosedShapeDraw Args;
    Single L = static_cast<Single>(FRect.Left), T = static_cast<Single>(FRect.Top);
    Single W = static_cast<Single>(Width()), H = static_cast<Single>(Height());
    Args.Bounds = TShapeBounds{FRect.Left, FRect.Top, Width(), Height()};
    Args.Smooth = true;
    Args.Angle = FAngle;
    Args.Center = FCenterPoint;
    if (FStyleId < 1 || FStyleId > 3 || FPointsCount < 2) {
        Args.Path.AddEllipse(L, T, W, H);
        return Args;
    }
    Single S, Sweep;
    GetArcAngles(S, Sweep);
    Args.Path.AddArc(L, T, W, H, S, Sweep);
    if (FStyleId == 1 || Sweep == 0 || FPoints[0] == FPoints[1]) return Args;
    // The closing lines start where the arc ends.
    std::vector<TFloatPoint> Flat;
    bool Closed;
    FlattenPath(Flat, Closed);
    Integer ArcEnd = static_cast<Integer>(Flat.size()) - (FStyleId == 2 ? 2 : 3);
    TFloatPoint E = Flat[Max(ArcEnd, 0)];
    TFloatPoint P0{static_cast<Single>(FPoints[0].X), static_cast<Single>(FPoints[0].Y)};
    if (FStyleId == 2) {
        Args.Path.AddLine(E.X, E.Y, P0.X, P0.Y);
    } else {
        Args.Path.AddLine(E.X, E.Y, FCenterPoint.X, FCenterPoint.Y);
        Args.Path.AddLine(FCenterPoint.X, FCenterPoint.Y, P0.X, P0.Y);
    }
    return Args;
}

void TImgEllipse::Draw(TCustomBitmap32* ToBitmap)
{
    DrawClosedShape(*this, ToBitmap, BuildOutline());
    if (FChanged2) CalcPathPoints();
}

TRect TImgEllipse::PictureBounds() { return ClosedShapeArea(*this, BuildOutline()); }

void TImgEllipse::CalcControlPoints()
{
    if (!FSelected) return;
    TImgShape::CalcControlPoints();
    TFloatPoint C = RectCenter();
    for (Integer i = 0; i < FPointsCount; ++i) {
        if (FAngle != 0)
            RotatePoint(C, FPoints[i], FPointsA[i], FAngle);
        else
            FPointsA[i] = FPoints[i];
        FCtrPoints[i] = FPointsA[i];
        PointToView(FCtrPoints[i]);
    }
}

void TImgEllipse::DrawControlPoint(TCustomBitmap32* ToBitmap)
{
    if (!FSelected) return;
    TImgShape::DrawControlPoint(ToBitmap);
    if (!FParent) return;
    TCustomBitmap32* Dst = ToBitmap ? ToBitmap : FBitmap;
    TCustomBitmap32* Pic = FParent->CtrBmpY3();
    Integer s = Pic->Width();
    for (Integer i = 0; i < FPointsCount; ++i) {
        TPoint P = FCtrPoints[i];
        FCtrRects[i] = TRect{P.X - s / 2, P.Y - s / 2, P.X - s / 2 + s, P.Y - s / 2 + s};
        Dst->Draw(FCtrRects[i].Left, FCtrRects[i].Top, Pic);
    }
}

bool TImgEllipse::PtInControl(Integer X, Integer Y)
{
    if (!FSelected) return false;
    for (Integer i = 0; i < FPointsCount; ++i) {
        const TRect& R = FCtrRects[i];
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) {
            FCurrentCursor = crHandPoint;
            FCurrentCtrIndex = 9 + i;
            return true;
        }
    }
    return TImgShape::PtInControl(X, Y);
}

void TImgEllipse::Click()
{
    TImgShape::Click();
    Integer i = FCurrentCtrIndex - 9;
    if (i >= 0 && i < FPointsCount) {
        FStartX = FPointsA[i].X;
        FStartY = FPointsA[i].Y;
    }
}

void TImgEllipse::AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::AdjustShape(X1, Y1, X2, Y2);
    Integer Index = FCurrentCtrIndex;
    if (Index >= 1 && Index <= 4 && ShiftHeld()) {
        TRect R = FRect;
        SquareByHandle(R, Index);
        SetSRect(R);
    }
    Integer i = Index - 9;
    if (i < 0 || i >= FPointsCount) return;
    FPointsA[i] = TPoint{X2 + FStartX - X1, Y2 + FStartY - Y1};
    TPoint Q;
    RotatePoint(RectCenter(), FPointsA[i], Q, -FAngle);
    Integer W = Width(), H = Height();
    FPointsRX[i] = W != 0 ? static_cast<Single>((Q.X - static_cast<Extended>(FRect.Left)) / W) : 0;
    FPointsRY[i] = H != 0 ? static_cast<Single>((Q.Y - static_cast<Extended>(FRect.Top)) / H) : 0;
    ClampSingle(FPointsRX[i], 0, 1);
    ClampSingle(FPointsRY[i], 0, 1);
}

void TImgEllipse::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::MoveShape(X1, Y1, X2, Y2);
    Integer DX = X2 - FStartX, DY = Y2 - FStartY;
    for (Integer i = 0; i < FPointsCount; ++i) IncPoint(FPoints[i], DX, DY);
    for (TPoint& P : FPathPoints) IncPoint(P, DX, DY);
    for (TPoint& P : FPathPointsW) IncPoint(P, DX, DY);
    FStartX = X2;
    FStartY = Y2;
}

void TImgEllipse::OffsetShape(Integer DX, Integer DY)
{
    TImgShape::OffsetShape(DX, DY);
    for (Integer i = 0; i < FPointsCount; ++i) IncPoint(FPoints[i], DX, DY);
    for (TPoint& P : FPathPoints) IncPoint(P, DX, DY);
    for (TPoint& P : FPathPointsW) IncPoint(P, DX, DY);
}

bool TImgEllipse::PtInShape(Integer X, Integer Y)
{
    TPoint P{X, Y};
    if (FAngle != 0) RotatePoint(FCenterPoint, P, P, -FAngle);
    Integer A = FOutWidth / 2;
    if (!(P.X >= FRect.Left - A && P.X < FRect.Right + A && P.Y >= FRect.Top - A && P.Y < FRect.Bottom + A))
        return false;
    bool Filled = FIsFill || FGradientMode != -1;
    if (!PtInPolygon(P, Filled ? FPathPoints : FPathPointsW)) return false;
    FCurrentCursor = crSizeAll;
    FCurrentCtrIndex = -1;
    return true;
}
