#include "document/ImageFreeShape.h"

#include <algorithm>
#include <cmath>

#include "document/ImageControlLayer.h"
#include "document/ObjectRows.h"
#include "framework/runtime/SysUtils.h"
#include "document/PictureArea.h"

using namespace ImageDrawRows;

TImageFreeShapeHooks ImageFreeShapeHooks;

namespace {
constexpr Integer CellSmooth = 9, CellStartSelected = 12, CellEndSelected = 13, CellRatios = 16;
constexpr Integer RowCells = 25;
constexpr Integer PropMode = 0, PropSelectIndex = 1, PropClosed = 9;
// Coordinates a stored text may hold: sums and products of them stay far
// from overflow, whatever a damaged document says.
constexpr Integer MaxCoordinate = 1 << 28;
// Samples of one segment at most: a segment spanning more pixels than this
// (only a damaged document has one) is sampled more coarsely.
constexpr Integer MaxSamples = 1 << 16;

Integer ClampCoordinate(Extended V)
{
    if (!(V == V)) return 0;
    return static_cast<Integer>(Round(std::clamp(V, static_cast<Extended>(-MaxCoordinate),
                                                 static_cast<Extended>(MaxCoordinate))));
}

// The row text of a new node: start and first control point at the node,
// smooth, not selected.
String NewRowText(Integer X, Integer Y)
{
    const String XY = IntToStr(X) + u"," + IntToStr(Y);
    return XY + u"," + XY + u",,,,,,-1,,,0,0,,,,,,,,,,,";
}

TPoint RoundPoint(const TFloatPoint& P)
{
    return TPoint{ClampCoordinate(P.X), ClampCoordinate(P.Y)};
}

bool InSquare(const TPoint& Pt, const TPoint& Node)
{
    return Pt.X >= Node.X - 3 && Pt.X < Node.X + 3 && Pt.Y >= Node.Y - 3 && Pt.Y < Node.Y + 3;
}

bool InRect(const TRect& R, Integer X, Integer Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

// The partner handle of a dragged one, turned to the opposite side of node N
// and keeping its own length; unchanged when either has no direction.
TPoint Mirrored(const TPoint& Q, const TPoint& N, const TPoint& Partner)
{
    const Single L = GPPointDistance(Partner, N);
    if (Q == N || !(L > 0)) return Partner;
    TFloatPoint F;
    PointBeyond(Q, N, L, F);
    return RoundPoint(F);
}

// The point t of the way from A to B.
TFloatPoint Lerp(const TFloatPoint& A, const TFloatPoint& B, Single t)
{
    TFloatPoint F;
    PointBeforeF(A, B, GPPointFDistance(A, B) * (1 - t), F);
    return F;
}

TFloatPoint ToFloat(const TPoint& P) { return TFloatPoint{static_cast<Single>(P.X), static_cast<Single>(P.Y)}; }

// A fraction cell in double precision (written with up to 15 digits); 0 when
// it is no number.
Double RatioOf(const TRow& Row, Integer Index)
{
    Double V;
    return TryStrToFloat(Trim(TextOf(Row, Index)), V) && V == V ? V : 0.0;
}
}  // namespace

TImgFreeShape::TImgFreeShape(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : TImgShape(AOwner, ShapeId, ABitmap), FBeDT(std::make_unique<TDataTable>()),
      FBeDT_B(std::make_unique<TDataTable>()), FCtrTangPoints(4), FCtrTangRects(4)
{
    FShapeType = shFreeShape;
    FControlMode = 2;
    FMinSize = 10;
}

TImgFreeShape::~TImgFreeShape() = default;

// ---------------------------------------------------------------------------
// Cells

TPoint TImgFreeShape::BezierPoint(Integer Row, Integer K) const
{
    const TRow& R = *FBeDT->GetItem(Row);
    return TPoint{IntOf(R, 2 * K), IntOf(R, 2 * K + 1)};
}

void TImgFreeShape::SetBezierPoint(Integer Row, Integer K, const TPoint& P)
{
    TRow& R = *FBeDT->GetItem(Row);
    SetInt(R, 2 * K, P.X);
    SetInt(R, 2 * K + 1, P.Y);
}

bool TImgFreeShape::RowFlag(Integer Row, Integer Cell) const { return BoolOf(*FBeDT->GetItem(Row), Cell); }

void TImgFreeShape::SetRowFlag(Integer Row, Integer Cell, bool Value) { SetBool(*FBeDT->GetItem(Row), Cell, Value); }

bool TImgFreeShape::Closed() const { return BoolOf(*FBeDT->PropertyRow(), PropClosed); }

void TImgFreeShape::SetClosed(bool Value) { SetBool(*FBeDT->PropertyRow(), PropClosed, Value); }

Integer TImgFreeShape::SelectPointCount() const
{
    Integer N = 0;
    for (Integer r = 0; r < BezierCount(); ++r) N += RowFlag(r, CellStartSelected) + RowFlag(r, CellEndSelected);
    return N;
}

void TImgFreeShape::SizeNodeHandles()
{
    FCtrPoints.resize(static_cast<size_t>(2 * BezierCount()));
    FCtrRects.resize(static_cast<size_t>(2 * BezierCount()));
}

Integer TImgFreeShape::PrevRow(Integer Row) const { return Row > 0 ? Row - 1 : BezierCount() - 1; }

TPoint TImgFreeShape::NodeOfIndex(Integer Index) const
{
    return BezierPoint(Index / 2, Index % 2 == 0 ? 0 : 3);
}

bool TImgFreeShape::TangentHandlesBeforeExist() const
{
    return FSelectPointIndex >= 0 && FSelectPointIndex % 2 == 0 && (FSelectPointIndex > 0 || Closed());
}

std::vector<TBezierSegment> TImgFreeShape::Segments() const
{
    std::vector<TBezierSegment> Out(static_cast<size_t>(BezierCount()));
    for (Integer r = 0; r < BezierCount(); ++r)
        Out[r] = TBezierSegment{BezierPoint(r, 0), BezierPoint(r, 1), BezierPoint(r, 2), BezierPoint(r, 3)};
    return Out;
}

// ---------------------------------------------------------------------------
// Creating

void TImgFreeShape::AddNewPoint(Integer X, Integer Y)
{
    const Integer Rows = BezierCount();
    if (FFinalPointAdding && Rows > 0) {
        const TPoint First = BezierPoint(0, 0);
        X = First.X;
        Y = First.Y;
    }
    if (FBeIndex >= 0 && FBeIndex < Rows && BezierPoint(FBeIndex, 0) == TPoint{X, Y}) return;
    ++FBeIndex;
    FSelectPointIndex += 2;
    FLastPoint = TPoint{X, Y};
    if (Rows > 0) {
        SetBezierPoint(Rows - 1, 2, FLastPoint);
        SetBezierPoint(Rows - 1, 3, FLastPoint);
    }
    FBeDT->AddItem(NewRowText(X, Y));
    // The first node of a shape is a corner.
    if (Rows == 0) SetRowFlag(0, CellSmooth, false);
    SizeNodeHandles();
}

void TImgFreeShape::SetControlPoint(Integer X, Integer Y)
{
    const Integer Last = BezierCount() - 1;
    if (Last < 0) return;
    const TPoint P{X, Y};
    SetBezierPoint(Last, 1, P);
    if (Last == 0) return;
    TFloatPoint F;
    PointBeyond(P, FLastPoint, GPPointDistance(P, FLastPoint), F);
    SetBezierPoint(Last - 1, 2, RoundPoint(F));
}

void TImgFreeShape::CreateOver()
{
    FSelectPointIndex = -1;
    if (BezierCount() > 0) FBeDT->RemoveItemByIndex(BezierCount() - 1);
    if (FFinalPointAdding) {
        SetClosed(true);
        if (BezierCount() > 0) SetRowFlag(0, CellSmooth, true);
    }
    FFinalPointAdding = false;
    FTerminateCreate = false;
    SizeNodeHandles();
    FChanged2 = true;
}

bool TImgFreeShape::PtInFirstPoint(const TPoint& Pt) const
{
    return BezierCount() > 0 && InSquare(Pt, BezierPoint(0, 0));
}

bool TImgFreeShape::PtInLastPoint(const TPoint& Pt) const
{
    return BezierCount() > 0 && InSquare(Pt, BezierPoint(BezierCount() - 1, 3));
}

// ---------------------------------------------------------------------------
// Sampling, rectangle and fractions

void TImgFreeShape::Resample()
{
    FChanged2 = true;
    CalcBezierPoints();
}

void TImgFreeShape::CalcBezierPoints()
{
    const Integer Rows = BezierCount();
    if (!FChanged2 && static_cast<Integer>(FPathPoints.size()) == Rows) return;
    FPathPoints.assign(static_cast<size_t>(Rows), TArrayOfPoint());
    FPathTs.assign(static_cast<size_t>(Rows), std::vector<Single>());
    FPathAllPoints.clear();
    for (Integer r = 0; r < Rows; ++r) {
        const TFloatPoint P[4] = {ToFloat(BezierPoint(r, 0)), ToFloat(BezierPoint(r, 1)), ToFloat(BezierPoint(r, 2)),
                                  ToFloat(BezierPoint(r, 3))};
        auto Sample = [&](Integer n) {
            TArrayOfPoint& Pts = FPathPoints[r];
            std::vector<Single>& Ts = FPathTs[r];
            Pts.resize(static_cast<size_t>(n + 1));
            Ts.resize(static_cast<size_t>(n + 1));
            for (Integer i = 0; i <= n; ++i) {
                const Extended t = static_cast<Extended>(i) / n, u = 1 - t;
                const Extended a = u * u * u, b = 3 * t * u * u, c = 3 * t * t * u, d = t * t * t;
                Pts[i] = TPoint{ClampCoordinate(a * P[0].X + b * P[1].X + c * P[2].X + d * P[3].X),
                                ClampCoordinate(a * P[0].Y + b * P[1].Y + c * P[2].Y + d * P[3].Y)};
                Ts[i] = static_cast<Single>(t);
            }
        };
        Sample(100);
        TRect B;
        GetPointsRect(FPathPoints[r], B);
        const Integer n = Max(B.Right - B.Left, B.Bottom - B.Top);
        if (n > 100) Sample(Min(n, MaxSamples));
        FPathAllPoints.insert(FPathAllPoints.end(), FPathPoints[r].begin(), FPathPoints[r].end());
    }
}

void TImgFreeShape::CalcPoints(bool)
{
    // In node editing the nodes are the truth; elsewhere they follow the rectangle.
    if (FCreating || FControlMode == 2) return;
    for (Integer r = 0; r < BezierCount(); ++r) {
        TRow& Row = *FBeDT->GetItem(r);
        for (Integer k = 0; k < 8; k += 2) {
            const Extended X = Round(Width() * static_cast<Extended>(RatioOf(Row, CellRatios + k)));
            const Extended Y = Round(Height() * static_cast<Extended>(RatioOf(Row, CellRatios + k + 1)));
            SetInt(Row, k, ClampCoordinate(X + FRect.Left));
            SetInt(Row, k + 1, ClampCoordinate(Y + FRect.Top));
        }
    }
}

void TImgFreeShape::CalcPointsRatio()
{
    // A flat shape has no ratio across its flat side: 0 rather than a division by 0.
    const Integer W = Width(), H = Height();
    auto Ratio = [](Integer V, Integer Origin, Integer Size) {
        return Size != 0 ? FloatToStr(static_cast<Extended>(V - Origin) / Size) : String(u"0");
    };
    for (Integer r = 0; r < BezierCount(); ++r) {
        TRow& Row = *FBeDT->GetItem(r);
        for (Integer k = 0; k < 8; k += 2) {
            SetText(Row, CellRatios + k, Ratio(IntOf(Row, k), FRect.Left, W));
            SetText(Row, CellRatios + k + 1, Ratio(IntOf(Row, k + 1), FRect.Top, H));
        }
    }
}

void TImgFreeShape::CalcRect()
{
    CalcBezierPoints();
    if (FPathAllPoints.empty()) return;
    TRect R;
    GetPointsRect(FPathAllPoints, R);
    SetSRect(R);
}

// ---------------------------------------------------------------------------
// Moving

void TImgFreeShape::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::MoveShape(X1, Y1, X2, Y2);
    ShiftPoints(X2 - FStartX, Y2 - FStartY);
    FStartX = X2;
    FStartY = Y2;
}

void TImgFreeShape::OffsetShape(Integer DX, Integer DY)
{
    TImgShape::OffsetShape(DX, DY);
    ShiftPoints(DX, DY);
}

void TImgFreeShape::ShiftPoints(Integer DX, Integer DY)
{
    for (Integer r = 0; r < BezierCount(); ++r)
        for (Integer k = 0; k < 4; ++k) {
            TPoint P = BezierPoint(r, k);
            IncPoint(P, DX, DY);
            SetBezierPoint(r, k, P);
        }
    // The samples move with the nodes rather than being taken again.
    for (TArrayOfPoint& Pts : FPathPoints)
        for (TPoint& P : Pts) IncPoint(P, DX, DY);
    for (TPoint& P : FPathAllPoints) IncPoint(P, DX, DY);
}

// ---------------------------------------------------------------------------
// Hit tests

bool TImgFreeShape::PtInShape(Integer X, Integer Y)
{
    TPoint P{X, Y};
    if (FAngle != 0) RotatePoint(FCenterPoint, P, P, -FAngle);
    // FRect is the samples' bounding box, its Right and Bottom the largest
    // coordinates themselves: one larger it holds every sample, so that a
    // flat shape keeps a body. An outline is hit within its reach of the
    // curve, beyond the box too.
    const Integer Reach = FIsFill ? 0 : FOutWidth / 2 + 1;
    auto InBox = [&](Integer Grow) {
        return Int64(P.X) >= Int64(FRect.Left) - Grow && Int64(P.X) <= Int64(FRect.Right) + Grow &&
               Int64(P.Y) >= Int64(FRect.Top) - Grow && Int64(P.Y) <= Int64(FRect.Bottom) + Grow;
    };
    if (!InBox(std::max(Reach, 0))) return false;
    bool Hit = FSelected && (FControlMode == 1 || FControlMode == 4) && InBox(0);
    if (!Hit) {
        CalcBezierPoints();
        if (FIsFill) {
            Hit = PtInPolygon(P, FPathAllPoints);
        } else {
            Hit = std::any_of(FPathAllPoints.begin(), FPathAllPoints.end(),
                              [&](const TPoint& Q) { return GPPointDistance(P, Q) <= static_cast<Single>(Reach); });
        }
    }
    if (!Hit) return false;
    FCurrentCursor = crSizeAll;
    FCurrentCtrIndex = -1;
    return true;
}

bool TImgFreeShape::PtInPath(Integer X, Integer Y)
{
    if (!(X >= FRect.Left - 10 && X < FRect.Right + 10 && Y >= FRect.Top - 10 && Y < FRect.Bottom + 10)) return false;
    CalcBezierPoints();
    const TPoint P{X, Y};
    for (size_t r = 0; r < FPathPoints.size(); ++r) {
        Single Best = 5;
        bool Found = false;
        for (size_t i = 0; i < FPathPoints[r].size(); ++i) {
            const Single D = GPPointDistance(P, FPathPoints[r][i]);
            if (D < 4 && D < Best) {
                Best = D;
                Found = true;
                FPointAdded = FPathPoints[r][i];
                FPointAddToBeIndex = static_cast<Integer>(r);
                FT = FPathTs[r][i];
            } else if (Found && D >= 4) {
                break;
            }
        }
        if (Found) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Drawing

std::vector<TPoint> TImgFreeShape::CreatingChain() const
{
    std::vector<TPoint> Chain;
    const Integer Rows = BezierCount();
    if (Rows == 0) return Chain;
    const bool Down = FParent && FParent->LeftMouseDown();
    const Integer Newest = Rows - 1;
    for (Integer r = 0; r < Rows; ++r) {
        if (Down && r == Newest) continue;
        Chain.push_back(BezierPoint(r, 0));
        Chain.push_back(BezierPoint(r, 1));
        Chain.push_back(r == Newest ? FPointMoved : BezierPoint(r, 2));
    }
    if (!Down) Chain.push_back(FPointMoved);
    else if (Newest > 0) Chain.push_back(BezierPoint(Newest - 1, 3));
    return Chain;
}

TRect TImgFreeShape::PictureBounds()
{
    TPictureArea A;
    const Single Reach = MiterReach(static_cast<Single>(std::max(FOutWidth, 0)));
    auto Add = [&](const TPoint& P) { A.Add(static_cast<Single>(P.X), static_cast<Single>(P.Y), Reach); };
    if (FCreating) {
        // The pen's chain of Beziers while the shape is placed.
        for (const TPoint& P : CreatingChain()) Add(P);
    } else {
        // Filled and outlined (an object with neither shows its outline), turned.
        A.SetTurn(FAngle, TurnCentre());
        for (const TBezierSegment& B : Segments()) {
            Add(B.S);
            Add(B.C1);
            Add(B.C2);
            Add(B.E);
        }
    }
    return A.Bounds(TPoint{FRect.Left, FRect.Top});
}

void TImgFreeShape::Draw(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Target = ToBitmap ? ToBitmap : FBitmap;
    if (!Target || BezierCount() == 0) return;
    if (ImageFreeShapeHooks.Paint) ImageFreeShapeHooks.Paint(*this, *Target);
}

// ---------------------------------------------------------------------------
// Handles

void TImgFreeShape::CalcControlPoints()
{
    if (!FCreating && FControlMode != 2) {
        TImgShape::CalcControlPoints();
        return;
    }
    const Integer Rows = BezierCount();
    SizeNodeHandles();
    auto View = [this](TPoint P) {
        PointToView(P);
        return P;
    };
    if (FSelectPointIndex >= 0 && FSelectPointIndex / 2 < Rows) {
        const Integer r = FSelectPointIndex / 2, p = PrevRow(r);
        if (TangentHandlesBeforeExist()) {
            FCtrTangPoints[0] = View(BezierPoint(p, 1));
            FCtrTangPoints[1] = View(BezierPoint(p, 2));
        }
        FCtrTangPoints[2] = View(BezierPoint(r, 1));
        FCtrTangPoints[3] = View(BezierPoint(r, 2));
    }
    for (Integer r = 0; r < Rows; ++r) {
        FCtrPoints[2 * r] = View(BezierPoint(r, 0));
        FCtrPoints[2 * r + 1] = View(BezierPoint(r, 3));
    }
}

void TImgFreeShape::PaintTangent(TInvertPen& Pen, TCustomBitmap32& Dst, Integer Tangent, Integer Node)
{
    const TPoint& T = FCtrTangPoints[Tangent];
    if (Node < 0 || Node >= static_cast<Integer>(FCtrPoints.size())) return;
    const TPoint& N = FCtrPoints[Node];
    if (T == N) return;
    Pen.Line(T.X, T.Y, N.X, N.Y);
    Dst.Draw(FCtrTangRects[Tangent].Left, FCtrTangRects[Tangent].Top, FParent->CtrBmpW2());
}

void TImgFreeShape::PaintHotSquare(TCustomBitmap32& Dst, const TPoint& P)
{
    // A yellow square with a red rim: a press here joins the shape's end.
    Dst.FillRectS(P.X - 3, P.Y - 3, P.X + 4, P.Y + 4, ColorToColor32(0x00FFFF));
    Dst.FrameRectS(P.X - 3, P.Y - 3, P.X + 4, P.Y + 4, ColorToColor32(0x0000FF));
}

void TImgFreeShape::DrawControlPoint(TCustomBitmap32* ToBitmap)
{
    if (!FCreating && FControlMode != 2) {
        TImgShape::DrawControlPoint(ToBitmap);
        return;
    }
    if (!FParent) return;
    if (FCtrPoints.size() != static_cast<size_t>(2 * BezierCount())) SizeNodeHandles();
    TCustomBitmap32& Dst = ToBitmap ? *ToBitmap : *FBitmap;
    const Integer Rows = BezierCount();
    const Integer e = FParent->CtrBmpY()->Width() / 2;
    auto Square = [e](const TPoint& P) { return TRect{P.X - e, P.Y - e, P.X + e, P.Y + e}; };
    TInvertPen Pen(Dst);
    for (TRect& R : FCtrTangRects) R = TRect{};
    const Integer Index = FSelectPointIndex;
    if ((FCreating || FSelected) && Index >= 0 && Index / 2 < Rows) {
        if (TangentHandlesBeforeExist()) {
            FCtrTangRects[0] = Square(FCtrTangPoints[0]);
            FCtrTangRects[1] = Square(FCtrTangPoints[1]);
            const Integer j = Index == 0 ? 2 * Rows - 1 : Index - 1;
            PaintTangent(Pen, Dst, 0, j - 1);
            PaintTangent(Pen, Dst, 1, j);
        }
        if (FCreating) {
            FCtrTangRects[2] = Square(FCtrTangPoints[2]);
            PaintTangent(Pen, Dst, 2, Index);
        } else {
            const Integer k = Index / 2 * 2;
            FCtrTangRects[2] = Square(FCtrTangPoints[2]);
            FCtrTangRects[3] = Square(FCtrTangPoints[3]);
            PaintTangent(Pen, Dst, 2, k);
            PaintTangent(Pen, Dst, 3, k + 1);
        }
    }
    if (FSelected) {
        for (Integer i = 0; i < 2 * Rows; ++i) {
            const Integer r = i / 2;
            if (i % 2 == 1 && (r < Rows - 1 || Closed())) {
                FCtrRects[i] = TRect{};
                continue;
            }
            const TRect R = Square(FCtrPoints[i]);
            FCtrRects[i] = R;
            if (i % 2 == 0 && RowFlag(r, CellStartSelected))
                Dst.Draw(R.Left, R.Top, RowFlag(r, CellSmooth) ? FParent->CtrBmpG() : FParent->CtrBmpB());
            else if (i % 2 == 1 && RowFlag(r, CellEndSelected))
                Dst.Draw(R.Left, R.Top, FParent->CtrBmpB());
            else
                Pen.Rectangle(R.Left, R.Top, R.Right + 1, R.Bottom + 1);
        }
    }
    if (FCreating) {
        if (Rows > 1 && !FParent->LeftMouseDown() && !FAppending && PtInFirstPoint(FPointMoved))
            PaintHotSquare(Dst, FCtrPoints[0]);
    } else if (Rows > 0) {
        if (FAppendFromStartPoint) PaintHotSquare(Dst, FCtrPoints[0]);
        if (FAppendFromEndPoint) PaintHotSquare(Dst, FCtrPoints[2 * Rows - 1]);
    }
}

bool TImgFreeShape::PtInControl(Integer X, Integer Y)
{
    if (!FCreating && FControlMode != 2) return TImgShape::PtInControl(X, Y);
    FCurrentCtrTangIndex = -1;
    FCurrentCtrIndex = -1;
    if (!FSelected) return false;
    bool Hit = false;
    for (size_t i = 0; i < FCtrRects.size(); ++i) {
        if (!InRect(FCtrRects[i], X, Y)) continue;
        FCurrentCursor = crHandPoint;
        FCurrentCtrIndex = static_cast<Integer>(i);
        // With Shift a tangent handle lying on its node wins.
        if (!(FParent && FParent->PressSht())) return true;
        Hit = true;
        break;
    }
    for (Integer t = 0; t < 4; ++t) {
        if (!InRect(FCtrTangRects[t], X, Y)) continue;
        FCurrentCursor = crHandPoint;
        FCurrentCtrTangIndex = t;
        FCurrentCtrIndex = FSelectPointIndex;
        return true;
    }
    return Hit;
}

// ---------------------------------------------------------------------------
// Node editing

void TImgFreeShape::SetSelectPointIndex(Integer Value)
{
    if (Value == FSelectPointIndex) return;
    FSelectPointIndex = Value;
    const Integer Rows = BezierCount();
    if (Value < 0) {
        for (Integer r = 0; r < Rows; ++r) {
            SetRowFlag(r, CellStartSelected, false);
            SetRowFlag(r, CellEndSelected, false);
        }
    } else if (FParent && FParent->PressCtl()) {
        if (Value / 2 < Rows) SetRowFlag(Value / 2, Value % 2 == 1 ? CellEndSelected : CellStartSelected, true);
    } else {
        for (Integer r = 0; r < Rows; ++r) {
            SetRowFlag(r, CellStartSelected, Value % 2 == 0 && r == Value / 2);
            SetRowFlag(r, CellEndSelected, Value % 2 == 1 && r == Value / 2);
        }
    }
    if (!FCreating && !FLoading && FParent) FParent->ShapeStateChanged();
}

void TImgFreeShape::TakeSnapshot()
{
    FBeDT_B->Clear();
    for (Integer r = 0; r < BezierCount(); ++r) FBeDT_B->AddItem(FBeDT->GetItem(r), true);
}

void TImgFreeShape::Click()
{
    TImgShape::Click();
    if (FControlMode == 4) {
        TakeSnapshot();
        return;
    }
    if (FControlMode != 2) return;
    const Integer Rows = BezierCount();
    if (FCurrentCtrTangIndex < 0) {
        if (FCurrentCtrIndex < 0 || FCurrentCtrIndex >= 2 * Rows) return;
        SetSelectPointIndex(FCurrentCtrIndex);
        TakeSnapshot();
        const TPoint N = NodeOfIndex(FCurrentCtrIndex);
        FStartX = N.X;
        FStartY = N.Y;
        return;
    }
    if (FSelectPointIndex < 0 || FSelectPointIndex / 2 >= Rows) return;
    const Integer r = FSelectPointIndex / 2, p = PrevRow(r);
    const TPoint Start = FCurrentCtrTangIndex <= 1 ? BezierPoint(p, FCurrentCtrTangIndex + 1)
                                                   : BezierPoint(r, FCurrentCtrTangIndex - 1);
    FStartX = Start.X;
    FStartY = Start.Y;
}

void TImgFreeShape::AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    if (FControlMode == 1 || FControlMode == 3) {
        TImgShape::AdjustShape(X1, Y1, X2, Y2);
        return;
    }
    const Integer dx = X2 - X1, dy = Y2 - Y1;
    const Integer Rows = BezierCount();
    // The snapshot belongs to this drag only while it matches the rows.
    const bool Snapshot = FBeDT_B->ItemCount() == Rows;
    auto Snap = [this](Integer Row, Integer K) {
        const TRow& R = *FBeDT_B->GetItem(Row);
        return TPoint{IntOf(R, 2 * K), IntOf(R, 2 * K + 1)};
    };
    auto Moved = [&](Integer Row, Integer K) {
        TPoint P = Snap(Row, K);
        IncPoint(P, dx, dy);
        return P;
    };
    if (FControlMode == 4) {
        const Integer i = FCurrentCtrIndex;
        if (!Snapshot || i < 5 || i > 8) return;
        const Extended cx = FRect.Left + Width() / 2.0, cy = FRect.Top + Height() / 2.0;
        const Extended hw = Width() / 2.0, hh = Height() / 2.0;
        // A flat shape has no ratio across its flat side: it is not sheared.
        auto Ratio = [](Extended D, Extended Half) { return Half != 0 ? D / Half : 0.0L; };
        for (Integer r = 0; r < Rows; ++r)
            for (Integer k = 0; k < 4; ++k) {
                TPoint P = Snap(r, k);
                switch (i) {
                case 5: P.X += static_cast<Integer>(Round(Ratio(cy - P.Y, hh) * dx)); break;
                case 6: P.X += static_cast<Integer>(Round(Ratio(P.Y - cy, hh) * dx)); break;
                case 7: P.Y += static_cast<Integer>(Round(Ratio(cx - P.X, hw) * dy)); break;
                default: P.Y += static_cast<Integer>(Round(Ratio(P.X - cx, hw) * dy)); break;
                }
                SetBezierPoint(r, k, P);
            }
        CalcPointsRatio();
        return;
    }
    if (FControlMode != 2) return;
    if (FCurrentCtrTangIndex < 0) {
        if (FCurrentCtrIndex < 0 || !Snapshot) return;
        for (Integer r = 0; r < Rows; ++r) {
            if (RowFlag(r, CellStartSelected)) {
                SetBezierPoint(r, 0, Moved(r, 0));
                SetBezierPoint(r, 1, Moved(r, 1));
                if (r > 0 || Closed()) {
                    const Integer p = PrevRow(r);
                    SetBezierPoint(p, 2, Moved(p, 2));
                    SetBezierPoint(p, 3, Moved(p, 3));
                }
            }
            if (RowFlag(r, CellEndSelected)) {
                SetBezierPoint(r, 2, Moved(r, 2));
                SetBezierPoint(r, 3, Moved(r, 3));
            }
        }
        return;
    }
    if (FSelectPointIndex < 0 || FSelectPointIndex / 2 >= Rows) return;
    const Integer r = FSelectPointIndex / 2, p = PrevRow(r);
    const TPoint Q{X2 + FStartX - X1, Y2 + FStartY - Y1};
    const bool Ctrl = FParent && FParent->PressCtl();
    switch (FCurrentCtrTangIndex) {
    case 0:
        SetBezierPoint(p, 1, Q);
        SetRowFlag(p, CellSmooth, false);
        break;
    case 1:
        SetBezierPoint(p, 2, Q);
        if (Ctrl || RowFlag(r, CellSmooth))
            SetBezierPoint(r, 1, Mirrored(Q, BezierPoint(p, 3), BezierPoint(r, 1)));
        break;
    case 2:
        SetBezierPoint(r, 1, Q);
        if ((r > 0 || Closed()) && (Ctrl || RowFlag(r, CellSmooth)))
            SetBezierPoint(p, 2, Mirrored(Q, BezierPoint(r, 0), BezierPoint(p, 2)));
        break;
    case 3:
        SetBezierPoint(r, 2, Q);
        SetRowFlag(r + 1 < Rows ? r + 1 : 0, CellSmooth, false);
        break;
    default: break;
    }
}

void TImgFreeShape::UnSelect()
{
    TImgShape::UnSelect();
    FPointAdding = false;
    SetSelectPointIndex(-1);
}

bool TImgFreeShape::SetCommonTangent(bool Value)
{
    bool Changed = false;
    for (Integer r = 0; r < BezierCount(); ++r) {
        if (!RowFlag(r, CellStartSelected) || (r == 0 && !Closed())) continue;
        if (RowFlag(r, CellSmooth) == Value) continue;
        SetRowFlag(r, CellSmooth, Value);
        Changed = true;
    }
    return Changed;
}

bool TImgFreeShape::HideTangent()
{
    bool Changed = false;
    auto Collapse = [&](Integer Row, Integer K, Integer OntoK) {
        const TPoint Onto = BezierPoint(Row, OntoK);
        if (BezierPoint(Row, K) == Onto) return;
        SetBezierPoint(Row, K, Onto);
        Changed = true;
    };
    for (Integer r = 0; r < BezierCount(); ++r) {
        if (RowFlag(r, CellStartSelected)) {
            Collapse(r, 1, 0);
            if (r > 0 || Closed()) Collapse(PrevRow(r), 2, 3);
        }
        if (RowFlag(r, CellEndSelected)) Collapse(r, 2, 3);
    }
    if (Changed) Resample();
    return Changed;
}

void TImgFreeShape::DeleteBezierByIndex(Integer Index)
{
    if (Index < 0 || Index >= BezierCount()) return;
    FBeDT->RemoveItemByIndex(Index);
    SizeNodeHandles();
}

void TImgFreeShape::DeleteSelectPoints()
{
    for (Integer a = BezierCount() - 1; a >= 0; --a) {
        if (a >= BezierCount() || !(RowFlag(a, CellStartSelected) || RowFlag(a, CellEndSelected))) continue;
        const Integer Rows = BezierCount();
        // An inner node joins its neighbours; so does the last segment's
        // start node of an open shape, which keeps the free end.
        const bool OpenEndKept = a == Rows - 1 && !Closed() && !RowFlag(a, CellEndSelected);
        if (a > 0 && (a < Rows - 1 || OpenEndKept)) {
            SetBezierPoint(a - 1, 2, BezierPoint(a, 2));
            SetBezierPoint(a - 1, 3, BezierPoint(a, 3));
        }
        DeleteBezierByIndex(a);
        if ((a == 0 || a == Rows - 1) && BezierCount() > 0) SetClosed(false);
    }
    if (BezierCount() == 0) return;
    SetSelectPointIndex(-1);
    Resample();
}

void TImgFreeShape::CloseShape()
{
    const Integer Last = BezierCount() - 1;
    if (Last < 0) return;
    const TPoint E = BezierPoint(Last, 3), First = BezierPoint(0, 0);
    TPoint C2 = BezierPoint(Last, 2);
    IncPoint(C2, First.X - E.X, First.Y - E.Y);
    SetBezierPoint(Last, 3, First);
    SetBezierPoint(Last, 2, C2);
    SetClosed(true);
    if (FSelectPointIndex < 0) {
        if (FParent) FParent->ShapeStateChanged();
    } else {
        SetSelectPointIndex(-1);
    }
    Resample();
}

void TImgFreeShape::BreakNode()
{
    const Integer Rows = BezierCount();
    if (Rows == 0) return;
    if (FSelectPointIndex > 0 && FSelectPointIndex / 2 < Rows)
        for (Integer n = (Rows - FSelectPointIndex / 2) % Rows; n > 0; --n) FBeDT->MoveItem(Rows - 1, 0);
    // The two ends no longer coincide, so that either can be picked.
    for (Integer k : {2, 3}) {
        TPoint P = BezierPoint(Rows - 1, k);
        IncPoint(P, 2, 2);
        SetBezierPoint(Rows - 1, k, P);
    }
    SetClosed(false);
    SetSelectPointIndex(-1);
    Resample();
}

void TImgFreeShape::AddNodePoint()
{
    const Integer p = FPointAddToBeIndex;
    if (p < 0 || p >= BezierCount()) return;
    const Single t = FT;
    const TFloatPoint S = ToFloat(BezierPoint(p, 0)), C1 = ToFloat(BezierPoint(p, 1)), C2 = ToFloat(BezierPoint(p, 2));
    const TPoint OldE = BezierPoint(p, 3);
    const TFloatPoint E = ToFloat(OldE);
    auto Copy = std::make_unique<TRow>();
    Copy->CopyFrom(FBeDT->GetItem(BezierCount() - 1));
    SetBool(*Copy, CellSmooth, true);
    SetBool(*Copy, CellStartSelected, false);
    SetBool(*Copy, CellEndSelected, false);
    FBeDT->InsertItem(p + 1, Copy.release(), false);
    const TPoint Q0 = RoundPoint(Lerp(S, C1, t)), Q1 = RoundPoint(Lerp(C1, C2, t)), Q2 = RoundPoint(Lerp(C2, E, t));
    const TFloatPoint R0 = Lerp(ToFloat(Q0), ToFloat(Q1), t), R1 = Lerp(ToFloat(Q1), ToFloat(Q2), t);
    SetBezierPoint(p, 1, Q0);
    SetBezierPoint(p, 2, RoundPoint(R0));
    SetBezierPoint(p, 3, FPointAdded);
    SetBezierPoint(p + 1, 0, FPointAdded);
    SetBezierPoint(p + 1, 1, RoundPoint(R1));
    SetBezierPoint(p + 1, 2, Q2);
    SetBezierPoint(p + 1, 3, OldE);
    SizeNodeHandles();
    SetSelectPointIndex(2 * p + 2);
    Resample();
}

void TImgFreeShape::RotateToCurrent()
{
    if (FAngle == 0) return;
    for (Integer r = 0; r < BezierCount(); ++r)
        for (Integer k = 0; k < 4; ++k) {
            TPoint P;
            RotatePoint(FCenterPoint, BezierPoint(r, k), P, FAngle);
            SetBezierPoint(r, k, P);
        }
}

void TImgFreeShape::AppendShape(TImgFreeShape& objShape)
{
    const Integer Added = objShape.BezierCount();
    if (Added > 0 && BezierCount() > 0) {
        if (FAppendFromEndPoint) {
            objShape.SetBezierPoint(0, 0, BezierPoint(BezierCount() - 1, 3));
            for (Integer r = 0; r < Added; ++r) FBeDT->AddItem(objShape.FBeDT->GetItem(r), true);
        } else if (FAppendFromStartPoint) {
            objShape.SetBezierPoint(0, 0, BezierPoint(0, 0));
            for (Integer r = 0; r < Added; ++r) {
                const TPoint S = objShape.BezierPoint(r, 0), C1 = objShape.BezierPoint(r, 1);
                objShape.SetBezierPoint(r, 0, objShape.BezierPoint(r, 3));
                objShape.SetBezierPoint(r, 1, objShape.BezierPoint(r, 2));
                objShape.SetBezierPoint(r, 2, C1);
                objShape.SetBezierPoint(r, 3, S);
                FBeDT->InsertItem(0, objShape.FBeDT->GetItem(r), true);
            }
        }
    }
    FAppendFromStartPoint = false;
    FAppendFromEndPoint = false;
    SizeNodeHandles();
    FChanged2 = true;
}

// ---------------------------------------------------------------------------
// Stored form

String TImgFreeShape::GetPoints() const
{
    TRow& Props = *FBeDT->PropertyRow();
    SetInt(Props, PropMode, FControlMode);
    SetInt(Props, PropSelectIndex, FSelectPointIndex);
    // Within one cell of the object table: no cell or row separators.
    String S = FBeDT->ToString(false);
    std::replace(S.begin(), S.end(), u',', u'<');
    std::replace(S.begin(), S.end(), u'|', u'>');
    return S;
}

void TImgFreeShape::SetPoints(const String& S)
{
    String Text = S;
    std::replace(Text.begin(), Text.end(), u'<', u',');
    std::replace(Text.begin(), Text.end(), u'>', u'|');
    FBeDT->Clear();
    FBeDT->PropertyRow()->Clear();
    if (!Text.empty()) FBeDT->Init(Text);
    // Text from elsewhere: every row gets its 25 cells and coordinates a
    // drag or a product cannot overflow; a row without both end nodes is no
    // segment.
    for (Integer r = FBeDT->ItemCount() - 1; r >= 0; --r) {
        TRow& Row = *FBeDT->GetItem(r);
        if (Row.ItemCount() < 8) {
            FBeDT->RemoveItemByIndex(r);
            continue;
        }
        for (Integer k = 0; k < 8; ++k) {
            const Integer V = std::clamp(IntOf(Row, k), -MaxCoordinate, MaxCoordinate);
            if (IntToStr(V) != Row.GetItem(k)->Text()) SetInt(Row, k, V);
        }
        GrowTo(Row, RowCells - 1);
    }
    TRow& Props = *FBeDT->PropertyRow();
    // Node editing for a mode the shape does not have.
    const Integer Mode = IntOf(Props, PropMode);
    TImgShape::SetControlMode(Mode == 1 || Mode == 4 ? Mode : 2);
    const Integer Index = Trim(TextOf(Props, PropSelectIndex)).empty() ? -1 : IntOf(Props, PropSelectIndex);
    FSelectPointIndex = Index >= -2 && Index < 2 * BezierCount() ? Index : -1;
    SizeNodeHandles();
    FChanged2 = true;
}
