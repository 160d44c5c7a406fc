#include "document/ImageRectangle.h"

#include <algorithm>
#include <cmath>

#include "framework/runtime/SysUtils.h"
#include "document/PictureArea.h"

namespace {
// Styles a damaged document names that do not exist are drawn and hit as
// the plain rectangle.
Integer DrawnStyle(Integer Style) { return Style >= 0 && Style <= 11 ? Style : 0; }
bool IsPolygonal(Integer Style) { return (Style >= 3 && Style <= 5) || (Style >= 8 && Style <= 11); }
bool IsRounded(Integer Style) { return Style == 1 || Style == 6 || Style == 7; }

Integer CheckPointsCountOf(Integer Style)
{
    if (Style >= 3 && Style <= 5) return 8;
    if (Style >= 8 && Style <= 11) return 4;
    return 0;
}

// The default ratios (RX, RY) of each style point.
struct TDefaultPoint {
    Single RX, RY;
};
void DefaultRatios(Integer Style, bool IsDrawStyle, TDefaultPoint (&P)[2])
{
    P[0] = P[1] = {0, 0};
    switch (Style) {
    case 1: P[0] = {IsDrawStyle ? 0.16f : 0.1f, 0}; break;
    case 3: P[0] = {0, 0.12f}; P[1] = {0.12f, 0}; break;
    case 4: P[0] = {0.12f, 0}; P[1] = {0, 1}; break;
    case 5: P[0] = {0.12f, 0}; P[1] = {1, 0}; break;
    case 6: P[0] = {0.18f, 0}; P[1] = {0, 1}; break;
    case 7: P[0] = {0.18f, 0}; P[1] = {1, 0}; break;
    case 8: case 10: P[0] = {0.15f, 0}; break;
    case 9: case 11: P[0] = {0.15f, 1}; break;
    default: break;
    }
}

bool InBox(const TPoint& P, Integer L, Integer T, Integer R, Integer B)
{
    return P.X >= L && P.X < R && P.Y >= T && P.Y < B;
}

Single Ratio(Integer Offset, Integer Size) { return Size != 0 ? static_cast<Single>(Offset) / Size : 0.0f; }
}  // namespace

TImgRectangle::TImgRectangle(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : TImgShape(AOwner, ShapeId, ABitmap)
{
    FShapeType = shRectangle;
    FControlMode = 3;
    FPointsCount = 0;
}

TImgRectangle::~TImgRectangle() = default;

Integer TImgRectangle::StylePointCount(Integer StyleId)
{
    switch (StyleId) {
    case 1: case 8: case 9: case 10: case 11: return 1;
    case 3: case 4: case 5: case 6: case 7: return 2;
    default: return 0;
    }
}

void TImgRectangle::SizeHandleArrays()
{
    const size_t N = static_cast<size_t>(FPointsCount);
    FPointsA.resize(N);
    FCtrPoints.resize(N);
    FCtrRects.assign(N, TRect{});
    FCheckPointsCount = CheckPointsCountOf(FStyleId);
    FCheckPoints.resize(static_cast<size_t>(FCheckPointsCount));
}

void TImgRectangle::InitPoints(bool IsDrawStyle)
{
    FPointsCount = StylePointCount(FStyleId);
    if (FPointsCount == 0) return;
    const size_t N = static_cast<size_t>(FPointsCount);
    FPoints.resize(N);
    FPointsRX.resize(N);
    FPointsRY.resize(N);
    SizeHandleArrays();
    TDefaultPoint D[2];
    DefaultRatios(FStyleId, IsDrawStyle, D);
    for (size_t i = 0; i < N; ++i) {
        FPointsRX[i] = D[i].RX;
        FPointsRY[i] = D[i].RY;
    }
}

void TImgRectangle::CalcPoints(bool)
{
    const Integer W = Width(), H = Height();
    const size_t N = std::min({static_cast<size_t>(std::max(FPointsCount, 0)), FPointsRX.size(), FPointsRY.size()});
    FPoints.resize(std::max(FPoints.size(), N));
    for (size_t i = 0; i < N; ++i) {
        FPoints[i].X = static_cast<Integer>(Round(static_cast<Extended>(W) * FPointsRX[i])) + FRect.Left;
        FPoints[i].Y = static_cast<Integer>(Round(static_cast<Extended>(H) * FPointsRY[i])) + FRect.Top;
    }
}

void TImgRectangle::EnsureStylePoints()
{
    const Integer Need = StylePointCount(FStyleId);
    const size_t N = static_cast<size_t>(Need);
    if (FPointsCount >= Need && FPoints.size() >= N && FPointsRX.size() >= N && FPointsRY.size() >= N &&
        FPointsA.size() >= N && FCtrPoints.size() >= N && FCtrRects.size() >= N &&
        FCheckPoints.size() >= static_cast<size_t>(CheckPointsCountOf(FStyleId)))
        return;
    InitPoints(false);
    CalcPoints(true);
}

String TImgRectangle::GetPoints() const
{
    String S;
    const size_t N = std::min(static_cast<size_t>(std::max(FPointsCount, 0)), FPoints.size());
    for (size_t i = 0; i < N; ++i) {
        if (!S.empty()) S += u'.';
        S += IntToStr(FPoints[i].X);
    }
    for (size_t i = 0; i < N; ++i) {
        if (!S.empty()) S += u'.';
        S += IntToStr(FPoints[i].Y);
    }
    return S;
}

void TImgRectangle::SetPoints(const String& S)
{
    TRow Items;
    Items.Init(S, u'.');
    const Integer Count = S.empty() ? 0 : Items.ItemCount() / 2;
    if (Count < StylePointCount(FStyleId)) {
        // Too few points for the style: its own initial ones, never a read
        // past the arrays.
        InitPoints(false);
        CalcPoints(true);
        return;
    }
    FPointsCount = Count;
    const size_t N = static_cast<size_t>(Count);
    FPoints.resize(N);
    FPointsRX.resize(N);
    FPointsRY.resize(N);
    for (Integer i = 0; i < Count; ++i) {
        TPoint& P = FPoints[static_cast<size_t>(i)];
        P.X = StrToIntDef(Trim(Items.GetItem(i)->Text()), 0);
        P.Y = StrToIntDef(Trim(Items.GetItem(i + Count)->Text()), 0);
        // A rectangle without width or height has no ratio: 0.
        FPointsRX[static_cast<size_t>(i)] = Ratio(P.X - FRect.Left, Width());
        FPointsRY[static_cast<size_t>(i)] = Ratio(P.Y - FRect.Top, Height());
    }
    SizeHandleArrays();
}

void TImgRectangle::CalcControlPoints()
{
    if (!FSelected) return;
    TImgShape::CalcControlPoints();
    if (FPointsCount <= 0) return;
    EnsureStylePoints();
    const TFloatPoint C{FRect.Left + Width() / 2.0f, FRect.Top + Height() / 2.0f};
    const Single Scale = ViewScale();
    for (size_t i = 0; i < static_cast<size_t>(FPointsCount); ++i) {
        if (FAngle != 0)
            RotatePoint(C, FPoints[i], FPointsA[i], FAngle);
        else
            FPointsA[i] = FPoints[i];
        FCtrPoints[i] = TPoint{ViewOffsetHorz() + static_cast<Integer>(Round(Scale * FPointsA[i].X)),
                               ViewOffsetVert() + static_cast<Integer>(Round(Scale * FPointsA[i].Y))};
    }
}

void TImgRectangle::DrawControlPoint(TCustomBitmap32* ToBitmap)
{
    if (!FSelected) return;
    TImgShape::DrawControlPoint(ToBitmap);
    if (!FParent || FPointsCount <= 0) return;
    EnsureStylePoints();
    TCustomBitmap32* Dst = ToBitmap ? ToBitmap : FBitmap;
    TCustomBitmap32* Pic = FParent->CtrBmpY3();
    const Integer s = Pic->Width(), h = s / 2;
    for (size_t i = 0; i < static_cast<size_t>(FPointsCount); ++i) {
        const TPoint& P = FCtrPoints[i];
        FCtrRects[i] = TRect{P.X - h, P.Y - h, P.X - h + s, P.Y - h + s};
        Dst->Draw(FCtrRects[i].Left, FCtrRects[i].Top, Pic);
    }
}

bool TImgRectangle::PtInControl(Integer X, Integer Y)
{
    if (!FSelected) return false;
    const size_t N = std::min(static_cast<size_t>(std::max(FPointsCount, 0)), FCtrRects.size());
    for (size_t i = 0; i < N; ++i) {
        const TRect& R = FCtrRects[i];
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) {
            FCurrentCursor = crHandPoint;
            FCurrentCtrIndex = 9 + static_cast<Integer>(i);
            return true;
        }
    }
    return TImgShape::PtInControl(X, Y);
}

void TImgRectangle::Click()
{
    TImgShape::Click();
    const Integer i = FCurrentCtrIndex - 9;
    if (i >= 0 && static_cast<size_t>(i) < FPointsA.size()) {
        FStartX = FPointsA[static_cast<size_t>(i)].X;
        FStartY = FPointsA[static_cast<size_t>(i)].Y;
    }
}

void TImgRectangle::AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::AdjustShape(X1, Y1, X2, Y2);
    const Integer Ctr = FCurrentCtrIndex;
    if (Ctr >= 1 && Ctr <= 4 && ShiftHeld()) {
        TRect R = FRect;
        const Integer W = R.Right - R.Left, H = R.Bottom - R.Top;
        switch (Ctr) {
        case 1: if (H < W) R.Top = R.Bottom - W; else R.Left = R.Right - H; break;
        case 2: if (H < W) R.Top = R.Bottom - W; else R.Right = R.Left + H; break;
        case 3: if (H < W) R.Bottom = R.Top + W; else R.Right = R.Left + H; break;
        case 4: if (H < W) R.Bottom = R.Top + W; else R.Left = R.Right - H; break;
        default: break;
        }
        SetSRect(R);
    }
    EnsureStylePoints();
    const Integer i = Ctr - 9;
    if (i >= 0 && i < FPointsCount && static_cast<size_t>(i) < FPointsA.size()) {
        const size_t k = static_cast<size_t>(i);
        FPointsA[k] = TPoint{X2 + FStartX - X1, Y2 + FStartY - Y1};
        TPoint Q;
        RotatePoint(TFloatPoint{FRect.Left + Width() / 2.0f, FRect.Top + Height() / 2.0f}, FPointsA[k], Q, -FAngle);
        if (FStyleId == 3) {
            if (i == 0)
                FPointsRY[0] = std::clamp(Ratio(Q.Y - FRect.Top, Height()), 0.0f, 0.5f);
            else
                FPointsRX[1] = std::clamp(Ratio(Q.X - FRect.Left, Width()), 0.0f, 0.5f);
        } else {
            FPointsRX[k] = Ratio(Q.X - FRect.Left, Width());
            if (FStyleId >= 8 && FStyleId <= 11) FPointsRX[k] = std::clamp(FPointsRX[k], 0.0f, 1.0f);
        }
    }
    // A radius or chamfer never exceeds half the shorter side.
    if ((FStyleId == 1 || (FStyleId >= 4 && FStyleId <= 7)) && FPointsCount > 0) {
        const Integer W = Width(), H = Height();
        const Single b = Ratio(std::min(W, H) / 2, W);
        FPointsRX[0] = std::clamp(FPointsRX[0], 0.0f, std::max(b, 0.0f));
        if (FPointsCount > 1) {
            if (FStyleId == 4 || FStyleId == 6) FPointsRX[1] = std::clamp(FPointsRX[1], 0.0f, std::max(b, 0.0f));
            if (FStyleId == 5 || FStyleId == 7) FPointsRX[1] = std::clamp(FPointsRX[1], std::min(1 - b, 1.0f), 1.0f);
        }
    }
    CalcPoints(false);
}

void TImgRectangle::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    MoveShapeAndPoints(FPoints, X1, Y1, X2, Y2);
}

void TImgRectangle::OffsetShape(Integer DX, Integer DY) { OffsetShapeAndPoints(FPoints, DX, DY); }

void TImgRectangle::CalcCheckPoints()
{
    const Integer L = FRect.Left, T = FRect.Top, Rt = FRect.Right, B = FRect.Bottom;
    const TPoint P0 = FPoints[0];
    const TPoint P1 = FPoints.size() > 1 ? FPoints[1] : P0;
    const Integer d = P0.X - L, e = P1.X - L, f = Rt - P1.X;
    switch (FStyleId) {
    case 3:
        FCheckPoints = {P0, P1, {Rt + L - P1.X, T}, {Rt, P0.Y}, {Rt, T + B - P0.Y}, {Rt + L - P1.X, B}, {P1.X, B},
                        {L, T + B - P0.Y}};
        break;
    case 4:
        FCheckPoints = {{L, T + d}, {P0.X, T}, {Rt - d, T}, {Rt, T + d}, {Rt, B - e}, {Rt - e, B}, {P1.X, B}, {L, B - e}};
        break;
    case 5:
        FCheckPoints = {{L, T + d}, {P0.X, T}, {P1.X, T}, {Rt, T + f}, {Rt, B - d}, {Rt - d, B}, {L + f, B}, {L, B - f}};
        break;
    case 8: FCheckPoints = {{L, B}, {P0.X, T}, {Rt, T}, {Rt - d, B}}; break;
    case 9: FCheckPoints = {{P0.X, B}, {L, T}, {Rt - d, T}, {Rt, B}}; break;
    case 10: FCheckPoints = {{L, B}, {P0.X, T}, {Rt - d, T}, {Rt, B}}; break;
    case 11: FCheckPoints = {{P0.X, B}, {L, T}, {Rt, T}, {Rt - d, B}}; break;
    default: break;
    }
    FCheckPointsCount = static_cast<Integer>(FCheckPoints.size());
}

TClosedShapeDraw TImgRectangle::BuildOutline()
{
    EnsureStylePoints();
    TClosedShapeDraw Args;
    const Integer W = Width(), H = Height();
    TShapeBounds R{FRect.Left, FRect.Top, W, H};
    if (FIsOutline && W > 1 && H > 1) R = TShapeBounds{FRect.Left, FRect.Top, W - 1, H - 1};
    Args.Bounds = R;
    const Integer Style = DrawnStyle(FStyleId);
    Args.Smooth = FAntialias && (Style != 0 || FAngle != 0);
    Args.Angle = FAngle;
    Args.Center = FCenterPoint;
    TShapePath& Path = Args.Path;
    const Integer RRight = R.X + R.Width, RBottom = R.Y + R.Height;
    // A corner diameter from a style point, within the rectangle.
    auto Diameter = [&](Integer Offset) { return std::clamp(2 * Offset, 0, std::max(0, std::min(R.Width, R.Height))); };
    // One corner of the rounded outline: an arc, or the corner point itself.
    auto Corner = [&](Integer X, Integer Y, Integer D, Single Start, Integer CX, Integer CY) {
        if (D > 0)
            Path.AddArc(static_cast<Single>(X), static_cast<Single>(Y), static_cast<Single>(D), static_cast<Single>(D),
                        Start, 90);
        else
            Path.AddLine(static_cast<Single>(CX), static_cast<Single>(CY), static_cast<Single>(CX),
                         static_cast<Single>(CY));
    };
    auto RoundedFigure = [&](Integer TL, Integer TR, Integer BR, Integer BL) {
        Path.StartFigure();
        Corner(R.X, R.Y, TL, 180, R.X, R.Y);
        Corner(RRight - TR, R.Y, TR, 270, RRight, R.Y);
        Corner(RRight - BR, RBottom - BR, BR, 0, RRight, RBottom);
        Corner(R.X, RBottom - BL, BL, 90, R.X, RBottom);
        Path.CloseFigure();
    };
    if (Style == 2) {
        Path.AddEllipse(static_cast<Single>(R.X), static_cast<Single>(R.Y), static_cast<Single>(R.Width),
                        static_cast<Single>(R.Height));
    } else if (Style == 1) {
        FR = Diameter(FPoints[0].X - FRect.Left);
        if (FR == 0)
            Path.AddRectangle(static_cast<Single>(R.X), static_cast<Single>(R.Y), static_cast<Single>(R.Width),
                              static_cast<Single>(R.Height));
        else
            RoundedFigure(FR, FR, FR, FR);
    } else if (Style == 6) {
        FR = Diameter(FPoints[0].X - FRect.Left);
        FR2 = Diameter(FPoints[1].X - FRect.Left);
        RoundedFigure(FR, FR, FR2, FR2);
    } else if (Style == 7) {
        FR = Diameter(FPoints[0].X - FRect.Left);
        FR2 = Diameter(FRect.Right - FPoints[1].X);
        RoundedFigure(FR, FR2, FR, FR2);
    } else if (IsPolygonal(Style)) {
        CalcCheckPoints();
        std::vector<TFloatPoint> Poly;
        for (const TPoint& P : FCheckPoints) Poly.push_back({static_cast<Single>(P.X), static_cast<Single>(P.Y)});
        Path.AddPolygon(std::move(Poly));
    } else {
        // Style 0, and any style a damaged document names that does not exist.
        Path.AddRectangle(static_cast<Single>(R.X), static_cast<Single>(R.Y), static_cast<Single>(R.Width),
                          static_cast<Single>(R.Height));
    }
    return Args;
}

TRect TImgRectangle::PictureBounds() { return ClosedShapeArea(*this, BuildOutline()); }

void TImgRectangle::Draw(TCustomBitmap32* ToBitmap)
{
    const TClosedShapeDraw Args = BuildOutline();
    DrawClosedShape(*this, ToBitmap, Args);
}

bool TImgRectangle::PtInShape(Integer X, Integer Y)
{
    EnsureStylePoints();
    TPoint P{X, Y};
    if (FAngle != 0) RotatePoint(FCenterPoint, P, P, -FAngle);
    const Integer A = FOutWidth / 2;
    const TRect Rp{FRect.Left - A, FRect.Top - A, FRect.Right + A, FRect.Bottom + A};
    const bool Filled = FIsFill || FGradientMode != -1;
    const bool InRp = InBox(P, Rp.Left, Rp.Top, Rp.Right, Rp.Bottom);
    auto NearEdges = [&](const TArrayOfPoint& Pts, Single Limit) {
        for (size_t i = 0; i < Pts.size(); ++i)
            if (PointToSegmentDistance(Pts[i], Pts[(i + 1) % Pts.size()], P) <= Limit) return true;
        return false;
    };
    auto RectRule = [&] {
        if (!InRp) return false;
        if (Filled) return true;
        const TArrayOfPoint Edges{{Rp.Left, Rp.Top}, {Rp.Right, Rp.Top}, {Rp.Right, Rp.Bottom}, {Rp.Left, Rp.Bottom}};
        return NearEdges(Edges, static_cast<Single>(FOutWidth + 1));
    };
    bool Hit = false;
    const Integer Style = DrawnStyle(FStyleId);
    if (Style == 2) {
        const Extended W = Width(), H = Height();
        if (W > 0 && H > 0) {
            const Extended cx = FRect.Left + W * 0.5, cy = FRect.Top + H * 0.5;
            const Extended t = (P.X - cx) * (P.X - cx) / (W * W * 0.25) + (P.Y - cy) * (P.Y - cy) / (H * H * 0.25);
            Hit = t < 1.2 && (Filled || t > 0.8);
        }
    } else if (IsRounded(Style)) {
        if (InRp) {
            const Integer h = FR / 2, o = FR2 / 2;
            const Integer TRs = Style == 7 ? o : h, BRs = Style == 6 ? o : h, BLs = Style == 1 ? h : o;
            struct TCornerBox {
                bool In;
                Integer r, CX, CY;
            };
            const TCornerBox Boxes[4] = {
                {InBox(P, Rp.Left, Rp.Top, Rp.Left + h, Rp.Top + h), h, FRect.Left + h, FRect.Top + h},
                {InBox(P, Rp.Right - TRs, Rp.Top, Rp.Right, Rp.Top + TRs), TRs, FRect.Right - TRs, FRect.Top + TRs},
                {InBox(P, Rp.Right - BRs, Rp.Bottom - BRs, Rp.Right, Rp.Bottom), BRs, FRect.Right - BRs,
                 FRect.Bottom - BRs},
                {InBox(P, Rp.Left, Rp.Bottom - BLs, Rp.Left + BLs, Rp.Bottom), BLs, FRect.Left + BLs,
                 FRect.Bottom - BLs},
            };
            bool InCorner = false;
            for (const TCornerBox& B : Boxes) {
                if (!B.In) continue;
                InCorner = true;
                const Extended D = std::hypot(static_cast<Extended>(P.X - B.CX), static_cast<Extended>(P.Y - B.CY));
                Hit = Filled ? D <= A + B.r + 1 : (B.r - A - 1 <= D && D <= A + B.r + 1);
                break;
            }
            if (!InCorner) Hit = RectRule();
        }
    } else if (IsPolygonal(Style)) {
        if (InRp) {
            CalcCheckPoints();
            Hit = Filled ? PtInPolygon(P, FCheckPoints) : NearEdges(FCheckPoints, static_cast<Single>(A + 1));
        }
    } else {
        Hit = RectRule();
    }
    if (Hit) {
        FCurrentCursor = crSizeAll;
        FCurrentCtrIndex = -1;
    }
    return Hit;
}
