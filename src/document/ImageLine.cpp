#include "document/ImageLine.h"
#include "document/PictureArea.h"

#include <cmath>

TImageLineHooks ImageLineHooks;

namespace {
TFloatPoint ToFloat(const TPoint& P) { return TFloatPoint{static_cast<Single>(P.X), static_cast<Single>(P.Y)}; }

void UnionRect(TRect& R, const TRect& S)
{
    R.Left = Min(R.Left, S.Left);
    R.Top = Min(R.Top, S.Top);
    R.Right = Max(R.Right, S.Right);
    R.Bottom = Max(R.Bottom, S.Bottom);
}

TRect SpanRect(const TPoint& A, const TPoint& B)
{
    TRect R;
    MakeRectFromPoints(A.X, A.Y, B.X, B.Y, R);
    return R;
}

// The head of FArrowType at tip T, pointing away from F.
std::vector<TFloatPoint> HeadPoints(Integer ArrowType, const TPoint& F, const TPoint& T, Integer W)
{
    switch (ArrowType) {
    case 1: {
        std::vector<TFloatPoint> H(4);
        ArrowHeadPointsNotched(F, T, H.data(), Max(6 * W, 10));
        return H;
    }
    case 2: {
        std::vector<TFloatPoint> H(6);
        ArrowHeadPointsDouble(F, T, 2 * W, H.data(), Max(6 * W, 10));
        return H;
    }
    default: {
        // Type 0, and any unknown type a damaged row holds.
        std::vector<TFloatPoint> H(3);
        ArrowHeadPoints(F, T, H.data(), Max(5 * W, 9));
        return H;
    }
    }
}

TRect DotBox(const TPoint& E, Integer W)
{
    Integer K, D;
    if (W % 2 != 0) {
        K = 3 * W >= 5 ? 3 * W + 1 : 6;
        D = K / 2 + 1;
    } else {
        K = Max(3 * W, 7);
        D = K / 2;
    }
    return TRect{E.X - D, E.Y - D, E.X - D + K, E.Y - D + K};
}
}  // namespace

TImgLine::TImgLine(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap) : TImgShape(AOwner, ShapeId, ABitmap)
{
    FShapeType = shLine;
    FControlMode = 2;
}

TPoint TImgLine::GetPoint(Integer Index) const { return Index >= 1 && Index <= 4 ? P(Index) : TPoint{}; }

void TImgLine::SetPoint(Integer Index, const TPoint& Value)
{
    if (Index >= 1 && Index <= 4) P(Index) = Value;
}

Integer TImgLine::Family() const { return FStyleId >= 0 && FStyleId <= 11 ? FStyleId / 3 : 0; }

const TPoint& TImgLine::Neighbour(bool Start) const
{
    switch (Family()) {
    case 1: return Start ? P(2) : P(3);
    case 2: return P(3);
    case 3: return Start ? P(2) : P(3);
    default: return Start ? P(4) : P(1);
    }
}

bool TImgLine::HandleActive(Integer Index) const
{
    switch (Index) {
    case 1: case 4: return true;
    case 2: return Family() == 1 || Family() == 3;
    case 3: return Family() == 1 || Family() == 2;
    default: return false;
    }
}

void TImgLine::CalcPoints(bool IsForceCalc)
{
    Integer F = Family();
    if (!FCreating && !IsForceCalc &&
        (F == 1 || F == 2 || (F == 3 && (FCurrentCtrIndex == 2 || FCurrentCtrIndex == 3))))
        return;
    TPoint &P1 = P(1), &P4 = P(4);
    if (F == 3) {
        Integer DX = (P4.X - P1.X) / 2;
        if (std::abs(P1.Y - P4.Y) < std::abs(P1.X - P4.X)) {
            P(2) = TPoint{P1.X + DX, P1.Y};
            P(3) = TPoint{P1.X + DX, P4.Y};
        } else {
            Integer Y = P1.Y + (P4.Y - P1.Y) / 2;
            P(2) = TPoint{P1.X, Y};
            P(3) = TPoint{P4.X, Y};
        }
        return;
    }
    Integer Len = static_cast<Integer>(Round(GPPointDistance(P1, P4)));
    Integer Q = Len / 4;
    TFloatPoint A, B;
    PointBefore(P4, P1, Q, A);
    PointBefore(P1, P4, F == 2 ? Len / 2 : Q, B);
    FloatPointToPoint(A, P(2));
    FloatPointToPoint(B, P(3));
}

void TImgLine::CalcBezierPoints()
{
    if (!FChanged2) return;
    auto Sample = [&](Integer n, TArrayOfPoint& Out) {
        Out.resize(n + 1);
        for (Integer i = 0; i <= n; ++i) {
            Extended t = static_cast<Extended>(i) / n, u = 1 - t;
            Extended a = u * u * u, b = 3 * t * u * u, c = 3 * t * t * u, d = t * t * t;
            Out[i].X = static_cast<Integer>(Round(a * P(1).X + b * P(2).X + c * P(3).X + d * P(4).X));
            Out[i].Y = static_cast<Integer>(Round(a * P(1).Y + b * P(2).Y + c * P(3).Y + d * P(4).Y));
        }
    };
    Sample(100, FPathPoints);
    TRect R;
    GetPointsRect(FPathPoints, R);
    // One sample per pixel of the longer side; Int64 so that a damaged row's
    // far-apart points cannot overflow, and a bounded count so they cannot
    // exhaust memory.
    Int64 n = Max(static_cast<Int64>(R.Right) - R.Left, static_cast<Int64>(R.Bottom) - R.Top);
    if (n > 101) Sample(static_cast<Integer>(Min<Int64>(n, 1 << 20)), FPathPoints);
}

void TImgLine::CalcRect()
{
    TRect R = SpanRect(P(1), P(4));
    switch (Family()) {
    case 1:
        CalcBezierPoints();
        if (!FPathPoints.empty()) {
            GetPointsRect(FPathPoints, R);
            ++R.Right;
            ++R.Bottom;
        }
        break;
    case 2:
        UnionRect(R, SpanRect(P(1), P(3)));
        UnionRect(R, SpanRect(P(3), P(4)));
        break;
    case 3: UnionRect(R, SpanRect(P(1), P(3))); break;
    default: break;
    }
    SetSRect(R);
}

void TImgLine::CalcControlPoints()
{
    if (!FSelected) return;
    for (Integer i = 0; i < 4; ++i) {
        FCtrPoints[i] = FPoints[i];
        PointToView(FCtrPoints[i]);
    }
}

void TImgLine::DrawControlPoint(TCustomBitmap32* ToBitmap)
{
    if (!FSelected || !FParent) return;
    TCustomBitmap32* Dst = ToBitmap ? ToBitmap : FBitmap;
    TCustomBitmap32* Pic = FParent->CtrBmpY();
    Integer s = Pic->Width();
    for (Integer i = 1; i <= 4; ++i) {
        if (!HandleActive(i)) {
            FCtrRect[i] = TRect{};
            continue;
        }
        TPoint C = FCtrPoints[i - 1];
        if (i == 2 && Family() == 3) {
            // The elbow's middle handle sits on the middle segment.
            const TPoint &A = FCtrPoints[1], &B = FCtrPoints[2];
            C = A.X == B.X ? TPoint{A.X, A.Y + (B.Y - A.Y) / 2} : TPoint{A.X + (B.X - A.X) / 2, A.Y};
        }
        FCtrRect[i] = TRect{C.X - s / 2, C.Y - s / 2, C.X - s / 2 + s, C.Y - s / 2 + s};
        Dst->Draw(FCtrRect[i].Left, FCtrRect[i].Top, Pic);
    }
}

bool TImgLine::PtInControl(Integer X, Integer Y)
{
    FCurrentCtrIndex = -1;
    if (!FSelected) return false;
    for (Integer i = 1; i <= 4; ++i) {
        if (!HandleActive(i)) continue;
        const TRect& R = FCtrRect[i];
        if (!(X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom)) continue;
        if (i == 2 && Family() == 3)
            FCurrentCursor = P(2).X == P(3).X ? crSizeWE : crSizeNS;
        else
            FCurrentCursor = crHandPoint;
        FCurrentCtrIndex = i;
        return true;
    }
    return false;
}

void TImgLine::Click()
{
    TImgShape::Click();
    if (FCurrentCtrIndex >= 1 && FCurrentCtrIndex <= 4) {
        FStartX = P(FCurrentCtrIndex).X;
        FStartY = P(FCurrentCtrIndex).Y;
    }
}

void TImgLine::AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Integer i = FCurrentCtrIndex;
    if (i < 1 || i > 4) return;
    if (i == 2 && Family() == 3) {
        if (P(2).X == P(3).X)
            P(2).X = P(3).X = FStartX + X2 - X1;
        else
            P(2).Y = P(3).Y = FStartY + Y2 - Y1;
        return;
    }
    P(i) = TPoint{X2 + FStartX - X1, Y2 + FStartY - Y1};
    bool Straight = (FStyleId >= 0 && FStyleId <= 2) || (FStyleId >= 12 && FStyleId <= 14);
    bool Bent = FStyleId >= 6 && FStyleId <= 8;
    if ((i == 1 || i == 4) && (Straight || Bent) && ShiftHeld()) {
        TPoint& D = P(i);
        const TPoint& Q = Bent ? P(3) : P(i == 1 ? 4 : 1);
        if (std::abs(D.Y - Q.Y) < std::abs(D.X - Q.X))
            D.Y = Q.Y;
        else
            D.X = Q.X;
    }
}

void TImgLine::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::MoveShape(X1, Y1, X2, Y2);
    Integer DX = X2 - FStartX, DY = Y2 - FStartY;
    for (TPoint& Q : FPoints) IncPoint(Q, DX, DY);
    for (TPoint& Q : FPathPoints) IncPoint(Q, DX, DY);
    FStartX = X2;
    FStartY = Y2;
}

void TImgLine::OffsetShape(Integer DX, Integer DY)
{
    TImgShape::OffsetShape(DX, DY);
    for (TPoint& Q : FPoints) IncPoint(Q, DX, DY);
    for (TPoint& Q : FPathPoints) IncPoint(Q, DX, DY);
}

bool TImgLine::PtInShape(Integer X, Integer Y)
{
    TPoint Q{X, Y};
    Single T = static_cast<Single>(FOutWidth / 2 + 1);
    Integer F = Family();
    auto Near = [&](Integer A, Integer B) { return PointToSegmentDistance(P(A), P(B), Q) <= T; };
    bool Hit;
    if (F == 0 && (P(1).X == P(4).X || P(1).Y == P(4).Y)) {
        // A level or upright line has a rectangle one pixel thin: test the distance alone.
        Hit = Near(1, 4);
    } else if (!(X >= FRect.Left && X < FRect.Right && Y >= FRect.Top && Y < FRect.Bottom)) {
        Hit = false;
    } else {
        switch (F) {
        case 1:
            CalcBezierPoints();
            Hit = false;
            for (const TPoint& S : FPathPoints)
                if (GPPointDistance(S, Q) <= T) {
                    Hit = true;
                    break;
                }
            break;
        case 2: Hit = Near(1, 3) || Near(3, 4); break;
        case 3: Hit = Near(1, 2) || Near(2, 3) || Near(3, 4); break;
        default: Hit = Near(1, 4); break;
        }
    }
    if (!Hit) return false;
    FCurrentCursor = crSizeAll;
    FCurrentCtrIndex = -1;
    return true;
}

void TImgLine::GetGeometry(TLineGeometry& G) const
{
    Integer W = FOutWidth, F = Family();
    bool Arrow = FShapeType == shArrow;
    bool Middle = Arrow && FStyleId >= 12 && FStyleId <= 14;
    Integer Variant = FStyleId >= 0 && FStyleId <= 14 ? FStyleId % 3 : 0;
    bool HeadEnd = Arrow && !Middle, HeadStart = HeadEnd && Variant == 2;
    bool DotStart = Variant >= 1 && !HeadStart, DotEnd = Variant == 2 && !HeadEnd;

    G = TLineGeometry{};
    switch (F) {
    case 1: G.Shaft = {ToFloat(P(1)), ToFloat(P(2)), ToFloat(P(3)), ToFloat(P(4))}; G.Bezier = true; break;
    case 2: G.Shaft = {ToFloat(P(1)), ToFloat(P(3)), ToFloat(P(4))}; break;
    case 3: G.Shaft = {ToFloat(P(1)), ToFloat(P(2)), ToFloat(P(3)), ToFloat(P(4))}; break;
    default: G.Shaft = {ToFloat(P(1)), ToFloat(P(4))}; break;
    }
    // The shaft stops 2w before a tip, so that its end does not blunt the head.
    if (HeadStart) {
        PointBeforeF(Neighbour(true), P(1), static_cast<Single>(2 * W), G.Shaft.front());
        G.Heads.push_back(HeadPoints(FArrowType, Neighbour(true), P(1), W));
    }
    if (HeadEnd) {
        PointBeforeF(Neighbour(false), P(4), static_cast<Single>(2 * W), G.Shaft.back());
        G.Heads.push_back(HeadPoints(FArrowType, Neighbour(false), P(4), W));
    }
    if (Middle) {
        Integer M = Max(4 * W, 9);
        Integer D = static_cast<Integer>(Round(GPPointDistance(P(1), P(4)) / 2.0 - M / 2.0));
        TFloatPoint TF;
        PointBefore(P(1), P(4), Max(D, 0), TF);
        TPoint Tip;
        FloatPointToPoint(TF, Tip);
        G.Heads.push_back(HeadPoints(FArrowType, P(1), Tip, W));
    }
    if (DotStart) G.Dots.push_back(DotBox(P(1), W));
    if (DotEnd) G.Dots.push_back(DotBox(P(4), W));
    G.Crisp = FShapeType == shLine &&
              ((FStyleId == 0 && (P(1).X == P(4).X || P(1).Y == P(4).Y)) || FStyleId == 9);
}

TRect TImgLine::PictureBounds()
{
    TLineGeometry G;
    GetGeometry(G);
    TPictureArea A;
    const Single Pen = static_cast<Single>(std::max(FOutWidth, 0));
    // The shaft widened by the pen, its heads and dots filled without one.
    if (G.Bezier)
        for (const TFloatPoint& P : G.Shaft) A.Add(P.X, P.Y, MiterReach(Pen));
    else
        A.AddPolyline(G.Shaft, false, Pen);
    for (const std::vector<TFloatPoint>& Head : G.Heads) A.AddPolyline(Head, true, 0);
    for (const TRect& D : G.Dots) A.AddRect(D);
    return A.Bounds(TPoint{FRect.Left, FRect.Top});
}

void TImgLine::Draw(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Target = ToBitmap ? ToBitmap : FBitmap;
    if (Target && ImageLineHooks.Paint) ImageLineHooks.Paint(*this, *Target);
}
