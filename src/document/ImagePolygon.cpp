#include "document/ImagePolygon.h"
#include "document/PictureArea.h"

#include <cmath>
#include <numbers>

TImagePolygonHooks ImagePolygonHooks;

bool GetPolygonLayout(Integer Style, TPolygonLayout& Layout)
{
    switch (Style) {
    case 2: Layout = {5, -18, 0}; return true;
    case 3: Layout = {6, 0, 0}; return true;
    case 4: Layout = {10, 18, 0.4f}; return true;
    case 6: Layout = {8, 0, 0.4f}; return true;
    case 7: Layout = {12, 0, 0.4f}; return true;
    case 8: Layout = {3, 30, 0}; return true;
    case 9: Layout = {4, 45, 0}; return true;
    case 10: Layout = {7, 36, 0}; return true;
    case 11: Layout = {8, 45, 0}; return true;
    case 12: Layout = {6, 30, 0.25f}; return true;
    case 13: Layout = {14, 0, 0.4f}; return true;
    case 14: Layout = {16, 0, 0.4f}; return true;
    default: return false;
    }
}

TImgPolygon::TImgPolygon(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : TImgShape(AOwner, ShapeId, ABitmap)
{
    FShapeType = shPolygon;
    FControlMode = 2;
    Resize(2);
}

void TImgPolygon::Resize(Integer Capacity)
{
    FPointsAllocatedCount = Capacity;
    FPoints.resize(Capacity);
    FCtrPoints.resize(Capacity);
    FCtrRects.resize(Capacity);
}

void TImgPolygon::AddNewPoint(Integer X, Integer Y)
{
    TPoint P{X, Y};
    if (FPointsCount > 0 && FPoints[FPointsCount - 1] == P) return;
    if (FPointsCount == FPointsAllocatedCount) Resize(Max(2, FPointsAllocatedCount * 2));
    FPoints[FPointsCount++] = P;
}

void TImgPolygon::AddNodePoint(Integer X, Integer Y)
{
    // An edge index that is not a node's inserts at the end.
    Integer After = FPointAddToIndex >= 0 && FPointAddToIndex < FPointsCount ? FPointAddToIndex : FPointsCount - 1;
    FPoints.resize(FPointsCount);
    FPoints.insert(FPoints.begin() + (After + 1), TPoint{X, Y});
    ++FPointsCount;
    Resize(FPointsCount);
    SetPointIndex(After + 1);
    CalcRect();
    FChanged2 = true;
}

void TImgPolygon::DeleteNodePoint()
{
    if (FPointIndex < 0 || FPointIndex >= FPointsCount) return;
    FPoints.resize(FPointsCount);
    FPoints.erase(FPoints.begin() + FPointIndex);
    --FPointsCount;
    Resize(FPointsCount);
    SetPointIndex(-1);
    CalcRect();
    FChanged2 = true;
}

void TImgPolygon::SetPointIndex(Integer Value)
{
    if (FPointIndex == Value) return;
    FPointIndex = Value;
    if (!FCreating && !FLoading && FParent) FParent->ShapeStateChanged();
}

Integer TImgPolygon::EdgeWithin(const TPoint& P, Single Limit) const
{
    Integer Edges = IsOpen() ? FPointsCount - 1 : FPointsCount;
    if (FPointsCount < 2) Edges = 0;
    for (Integer i = 0; i < Edges; ++i)
        if (PointToSegmentDistance(FPoints[i], FPoints[(i + 1) % FPointsCount], P) <= Limit) return i;
    return -1;
}

bool TImgPolygon::PtInPath(Integer X, Integer Y)
{
    if (!(X >= FRect.Left - 10 && X < FRect.Right + 10 && Y >= FRect.Top - 10 && Y < FRect.Bottom + 10))
        return false;
    Integer Edge = EdgeWithin(TPoint{X, Y}, static_cast<Single>(FOutWidth / 2 + 3));
    if (Edge < 0) return false;
    FPointAddToIndex = Edge;
    return true;
}

void TImgPolygon::SetPoints(const String& S)
{
    TArrayOfPoint Loaded;
    if (!TextToPoints(S, Loaded)) Loaded.clear();
    FPointsCount = static_cast<Integer>(Loaded.size());
    Resize(FPointsCount);
    std::copy(Loaded.begin(), Loaded.end(), FPoints.begin());
    TPolygonLayout Layout;
    bool Generated = GetPolygonLayout(FStyleId, Layout);
    if ((Generated && FPointsCount != Layout.N) || (FStyleId == 1 && FPointsCount != 4)) {
        // A damaged row: the style's own layout in the object's rectangle
        // rather than nodes the drags would read past.
        if (Generated) FCenterPoint = RectCenter();
        CalcPoints(true);
    }
}

String TImgPolygon::GetPoints() const { return PointsToText(FPoints, FPointsCount); }

void TImgPolygon::LayOut(Integer N, Single A0, Single R, Single RI)
{
    // Every vertex is kept, even where a tiny shape rounds two onto one
    // pixel: node k stays vertex k, so a star's inner and outer nodes keep
    // their parity for the drags.
    Resize(N);
    FPointsCount = N;
    for (Integer k = 0; k < N; ++k) {
        Extended A = (A0 + k * 360.0 / N) * std::numbers::pi_v<Extended> / 180;
        Extended Radius = (RI >= 0 && k % 2 == 1) ? RI : R;
        FPoints[k] = TPoint{static_cast<Integer>(Round(FCenterPoint.X + std::cos(A) * Radius)),
                            static_cast<Integer>(Round(FCenterPoint.Y + std::sin(A) * Radius))};
    }
}

void TImgPolygon::CalcPoints(bool IsForceCalc)
{
    if (FStyleId == 1) {
        Integer CX = static_cast<Integer>(Round(FCenterPoint.X)), CY = static_cast<Integer>(Round(FCenterPoint.Y));
        FPointsCount = 0;
        AddNewPoint(FRect.Left, CY);
        AddNewPoint(CX, FRect.Top);
        AddNewPoint(FRect.Right, CY);
        AddNewPoint(CX, FRect.Bottom);
        return;
    }
    TPolygonLayout L;
    if (!GetPolygonLayout(FStyleId, L)) return;
    bool Star = L.InnerRatio > 0;
    if (FCreating || IsForceCalc || FPointsCount < 2) {
        Integer R = (Width() + Height()) / 4;
        LayOut(L.N, L.A0, static_cast<Single>(R), Star ? static_cast<Single>(Round(R * L.InnerRatio)) : -1);
        return;
    }
    // A node was dragged: the shape turns and scales to put it under the pointer.
    Single A = CalcAngle(FPointAdjusted.X, FPointAdjusted.Y, FCenterPoint.X, FCenterPoint.Y);
    Single D = FloatGPPointDistance(FCenterPoint, FPointAdjusted);
    if (!Star) {
        LayOut(L.N, A, D, -1);
    } else if (FCurrentCtrIndex % 2 == 1) {
        LayOut(L.N, A - 360.0f / L.N, FloatGPPointDistance(FCenterPoint, FPoints[0]), D);
    } else {
        LayOut(L.N, A, D, FloatGPPointDistance(FCenterPoint, FPoints[1]));
    }
}

void TImgPolygon::CalcCenterPoint()
{
    if (FCreating || FStyleId == 0 || FStyleId == 1 || FStyleId == 5) TImgShape::CalcCenterPoint();
}

void TImgPolygon::CalcRect()
{
    if (FStyleId == 1 || FPointsCount == 0) return;
    TRect R;
    GetGPPointsRect(FPoints.data(), FPointsCount, R);
    SetSRect(R);
}

void TImgPolygon::CalcControlPoints()
{
    if (!FSelected) return;
    for (Integer i = 0; i < FPointsCount; ++i) {
        FCtrPoints[i] = FPoints[i];
        PointToView(FCtrPoints[i]);
    }
}

void TImgPolygon::DrawControlPoint(TCustomBitmap32* ToBitmap)
{
    if (!FSelected || !FParent) return;
    TCustomBitmap32* Dst = ToBitmap ? ToBitmap : FBitmap;
    TCustomBitmap32* Pic = FParent->CtrBmpY();
    Integer s = Pic->Width();
    bool Free = FStyleId == 0 || FStyleId == 5;
    for (Integer i = 0; i < FPointsCount; ++i) {
        TPoint P = FCtrPoints[i];
        FCtrRects[i] = TRect{P.X - s / 2, P.Y - s / 2, P.X - s / 2 + s, P.Y - s / 2 + s};
        Dst->Draw(FCtrRects[i].Left, FCtrRects[i].Top, Free && i == FPointIndex ? FParent->CtrBmpG() : Pic);
    }
}

bool TImgPolygon::PtInControl(Integer X, Integer Y)
{
    FCurrentCtrIndex = -1;
    if (!FSelected) return false;
    for (Integer i = 0; i < FPointsCount; ++i) {
        const TRect& R = FCtrRects[i];
        if (!(X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom)) continue;
        if (FStyleId == 1)
            FCurrentCursor = (i == 0 || i == 2) ? crSizeWE : crSizeNS;
        else
            FCurrentCursor = crHandPoint;
        FCurrentCtrIndex = i;
        return true;
    }
    return false;
}

void TImgPolygon::Click()
{
    TImgShape::Click();
    Integer i = FCurrentCtrIndex;
    if (i < 0 || i >= FPointsCount) return;
    if (FStyleId == 1) {
        switch (i) {
        case 0: FStartX = FRect.Left; break;
        case 1: FStartY = FRect.Top; break;
        case 2: FStartX = FRect.Right; break;
        default: FStartY = FRect.Bottom; break;
        }
    } else {
        FStartX = FPoints[i].X;
        FStartY = FPoints[i].Y;
    }
    SetPointIndex(FStyleId == 0 || FStyleId == 5 ? i : -1);
}

void TImgPolygon::AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Integer i = FCurrentCtrIndex;
    if (i < 0 || i >= FPointsCount) return;
    Integer DX = X2 - X1, DY = Y2 - Y1;
    if (FStyleId == 1) {
        TRect R = FRect;
        switch (i) {
        case 0: R.Left = FStartX + DX; break;
        case 1: R.Top = FStartY + DY; break;
        case 2: R.Right = FStartX + DX; break;
        default: R.Bottom = FStartY + DY; break;
        }
        SetSRect(R);
        return;
    }
    FPoints[i] = TPoint{FStartX + DX, FStartY + DY};
    FPointAdjusted = FPoints[i];
}

void TImgPolygon::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::MoveShape(X1, Y1, X2, Y2);
    Integer DX = X2 - FStartX, DY = Y2 - FStartY;
    for (Integer i = 0; i < FPointsCount; ++i) IncPoint(FPoints[i], DX, DY);
    FStartX = X2;
    FStartY = Y2;
}

void TImgPolygon::OffsetShape(Integer DX, Integer DY)
{
    TImgShape::OffsetShape(DX, DY);
    for (Integer i = 0; i < FPointsCount; ++i) IncPoint(FPoints[i], DX, DY);
}

void TImgPolygon::UnSelect()
{
    TImgShape::UnSelect();
    FPointAdding = false;
    SetPointIndex(-1);
}

bool TImgPolygon::PtInShape(Integer X, Integer Y)
{
    if (!(X >= FRect.Left && X < FRect.Right && Y >= FRect.Top && Y < FRect.Bottom)) return false;
    TPoint P{X, Y};
    bool Hit = (FIsFill || FGradientMode != -1) ? PtInGPPolygon(P, FPoints.data(), FPointsCount)
                                                : EdgeWithin(P, static_cast<Single>(FOutWidth / 2 + 1)) >= 0;
    if (!Hit) return false;
    FCurrentCursor = crSizeAll;
    FCurrentCtrIndex = -1;
    return true;
}

TClosedShapeDraw TImgPolygon::BuildOutline() const
{
    TClosedShapeDraw Args;
    Args.Bounds = TShapeBounds{FRect.Left, FRect.Top, Width(), Height()};
    Args.Smooth = FAntialias;
    Args.Center = FCenterPoint;
    std::vector<TFloatPoint> Nodes(FPointsCount);
    for (Integer i = 0; i < FPointsCount; ++i)
        Nodes[i] = TFloatPoint{static_cast<Single>(FPoints[i].X), static_cast<Single>(FPoints[i].Y)};
    if (IsOpen())
        Args.Path.AddLines(std::move(Nodes));
    else
        Args.Path.AddPolygon(std::move(Nodes));
    return Args;
}

TRect TImgPolygon::EllipticGradientBox() const
{
    const TFloatPoint C = FCenterPoint;
    Single D = 0;
    for (Integer i = 0; i < FPointsCount; ++i) D = Max(D, FloatGPPointDistance(C, FPoints[i]));
    TRect B{static_cast<Integer>(Round(C.X - D)), static_cast<Integer>(Round(C.Y - D)),
            static_cast<Integer>(Round(C.X + D)), static_cast<Integer>(Round(C.Y + D))};
    auto AllInside = [&] {
        Extended A = (B.Right - B.Left) / 2.0, H = (B.Bottom - B.Top) / 2.0;
        for (Integer i = 0; i < FPointsCount; ++i) {
            Extended DX = FPoints[i].X - C.X, DY = FPoints[i].Y - C.Y;
            if (DX * DX / (A * A) + DY * DY / (H * H) > 1) return false;
        }
        return true;
    };
    // The first growth already encloses every node but for rounding; the
    // bound only guards against a centre no number can reach.
    for (Integer Guard = 0; Guard < 1000; ++Guard) {
        B = TRect{B.Left - 10, B.Top - 10, B.Right + 10, B.Bottom + 10};
        if (AllInside()) break;
    }
    return B;
}

TRect TImgPolygon::PictureBounds()
{
    if (!PlacingByClicks()) return ClosedShapeArea(*this, BuildOutline());
    // The rubber band: the nodes so far and the pointer, with the outline's pen.
    std::vector<TFloatPoint> Band;
    for (const TPoint& P : Nodes()) Band.push_back(TFloatPoint{static_cast<Single>(P.X), static_cast<Single>(P.Y)});
    Band.push_back(TFloatPoint{static_cast<Single>(FPointMoved.X), static_cast<Single>(FPointMoved.Y)});
    TPictureArea A;
    A.AddPolyline(Band, false, static_cast<Single>(std::max(FOutWidth, 0)));
    return A.Bounds(TPoint{FRect.Left, FRect.Top});
}

void TImgPolygon::Draw(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Target = ToBitmap ? ToBitmap : FBitmap;
    if (!Target) return;
    // The gradients span the rectangle: bring it up to date with the nodes first.
    if (FChanged2 && FGradientMode != -1 && FGradientFillMode >= 0 && FGradientFillMode <= 2 && !PlacingByClicks())
        CalcRect();
    TClosedShapeDraw Outline = BuildOutline();
    if (ImagePolygonHooks.Paint)
        ImagePolygonHooks.Paint(*this, *Target, Outline);
    else if (!PlacingByClicks())
        DrawClosedShape(*this, Target, Outline);
}
