#include "document/ImageLines.h"

#include <algorithm>
#include <cmath>

#include "framework/runtime/SysUtils.h"
#include "document/PictureArea.h"

TImageLinesHooks ImageLinesHooks;

namespace {
// Points read from a row stay within this, as the document's other
// coordinates do: the rectangle adds one to the largest, and a resize
// multiplies widths by ratios.
constexpr Integer MaxCoordinate = 1 << 28;
constexpr Integer InitialCapacity = 10;
constexpr Single OneDotRatio = 0.49f;
// Samples per spline segment when the nib sweeps a curve.
constexpr Integer NibCurveSteps = 8;
// The stand-alone preview's mark (the pictures of the tool's style menu).
const TRect PreviewMark{44, 40, 49, 45};

Integer ClampCoordinate(Int64 V) { return static_cast<Integer>(std::clamp<Int64>(V, -MaxCoordinate, MaxCoordinate)); }

// The shortest text that reads back as the same Single.
String RatioText(Single V)
{
    for (Integer Digits = 6; Digits < 9; ++Digits) {
        String S = FloatToStrF(V, ffGeneral, Digits, 0);
        Single Back;
        if (TryStrToFloat(S, Back) && Back == V) return S;
    }
    return FloatToStrF(V, ffGeneral, 9, 0);
}

// The nib's reach across a segment going (DX, DY): the point of the pen's
// round cross-section of radius R, shaped by M, farthest along the segment's
// normal. Row-vector matrices, as the platform's: x' = x m11 + y m21.
TFloatPoint NibOffset(const std::array<Single, 6>& M, Single R, Extended DX, Extended DY)
{
    const Extended L = std::hypot(DX, DY);
    const Extended NX = -DY / L, NY = DX / L;
    Extended UX = M[0] * NX + M[1] * NY, UY = M[2] * NX + M[3] * NY;
    const Extended U = std::hypot(UX, UY);
    if (U == 0) return TFloatPoint{0, 0};
    UX /= U;
    UY /= U;
    return TFloatPoint{static_cast<Single>(R * (M[0] * UX + M[2] * UY)), static_cast<Single>(R * (M[1] * UX + M[3] * UY))};
}

TFloatPoint Plus(const TFloatPoint& A, const TFloatPoint& O) { return TFloatPoint{A.X + O.X, A.Y + O.Y}; }
TFloatPoint Minus(const TFloatPoint& A, const TFloatPoint& O) { return TFloatPoint{A.X - O.X, A.Y - O.Y}; }

// The stroke swept by the nib along Line: a quadrilateral per segment of
// some length, and one between each pair of them round the shared point.
std::vector<std::array<TFloatPoint, 4>> SweepNib(const std::vector<TFloatPoint>& Line,
                                                 const std::array<Single, 6>& M, Single Width)
{
    std::vector<std::array<TFloatPoint, 4>> Quads;
    bool HasLast = false;
    TFloatPoint Last{};
    for (size_t i = 0; i + 1 < Line.size(); ++i) {
        const TFloatPoint& A = Line[i];
        const TFloatPoint& B = Line[i + 1];
        const Extended DX = static_cast<Extended>(B.X) - A.X, DY = static_cast<Extended>(B.Y) - A.Y;
        if (DX == 0 && DY == 0) continue;
        const TFloatPoint O = NibOffset(M, Width / 2, DX, DY);
        if (HasLast) Quads.push_back({Plus(A, Last), Plus(A, O), Minus(A, O), Minus(A, Last)});
        Quads.push_back({Plus(A, O), Plus(B, O), Minus(B, O), Minus(A, O)});
        Last = O;
        HasLast = true;
    }
    // One turning sense for all, so that filled together by the nonzero rule
    // they make their union (a translucent stroke darkens nowhere).
    for (auto& Q : Quads) {
        Extended Area = 0;
        for (size_t i = 0; i < 4; ++i)
            Area += static_cast<Extended>(Q[i].X) * Q[(i + 1) % 4].Y - static_cast<Extended>(Q[(i + 1) % 4].X) * Q[i].Y;
        if (Area < 0) std::reverse(Q.begin(), Q.end());
    }
    return Quads;
}
}  // namespace

bool LinesNibMatrix(Integer Style, std::array<Single, 6>& M)
{
    switch (Style) {
    case 2: M = {1, 1, -0.5f, 0, 0, 0}; return true;
    case 3: M = {0.5f, 0, -1, 1, 0, 0}; return true;
    default: return false;
    }
}

std::vector<TFloatPoint> CardinalSplinePoints(const std::vector<TPoint>& Points, Integer Steps)
{
    const size_t N = Points.size();
    auto F = [](const TPoint& P) { return TFloatPoint{static_cast<Single>(P.X), static_cast<Single>(P.Y)}; };
    std::vector<TFloatPoint> Out;
    if (N < 3 || Steps < 1) {
        for (const TPoint& P : Points) Out.push_back(F(P));
        return Out;
    }
    Out.push_back(F(Points[0]));
    for (size_t i = 0; i + 1 < N; ++i) {
        const TPoint& P0 = Points[i == 0 ? 0 : i - 1];
        const TPoint& P1 = Points[i];
        const TPoint& P2 = Points[i + 1];
        const TPoint& P3 = Points[Min(i + 2, N - 1)];
        const Extended C1X = P1.X + (static_cast<Extended>(P2.X) - P0.X) / 6,
                       C1Y = P1.Y + (static_cast<Extended>(P2.Y) - P0.Y) / 6;
        const Extended C2X = P2.X - (static_cast<Extended>(P3.X) - P1.X) / 6,
                       C2Y = P2.Y - (static_cast<Extended>(P3.Y) - P1.Y) / 6;
        for (Integer s = 1; s <= Steps; ++s) {
            const Extended T = static_cast<Extended>(s) / Steps, U = 1 - T;
            const Extended A = U * U * U, B = 3 * U * U * T, C = 3 * U * T * T, D = T * T * T;
            Out.push_back(TFloatPoint{static_cast<Single>(A * P1.X + B * C1X + C * C2X + D * P2.X),
                                      static_cast<Single>(A * P1.Y + B * C1Y + C * C2Y + D * P2.Y)});
        }
    }
    return Out;
}

// ---------------------------------------------------------------------------
// TImgLines

TImgLines::TImgLines(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : TImgShape(AOwner, ShapeId, ABitmap)
{
    FShapeType = shLines;
    FControlMode = 3;
    ClearPoints();
}

TImgLines::~TImgLines() = default;

bool TImgLines::OnOneSpot() const
{
    if (FPointsCount == 0) return false;
    for (Integer i = 1; i < FPointsCount; ++i)
        if (FPoints[i] != FPoints[0]) return false;
    return true;
}

void TImgLines::Resize(Integer Capacity)
{
    FPoints.resize(Capacity);
    FPointsAllocatedCount = Capacity;
}

void TImgLines::ClearPoints()
{
    FPointsCount = 0;
    Resize(InitialCapacity);
}

void TImgLines::AddNewPoint(Integer X, Integer Y)
{
    // A stroke read from a row has exactly the room of its points, none
    // when it has none: doubling nothing would leave no room.
    if (FPointsCount >= FPointsAllocatedCount) Resize(Max(FPointsAllocatedCount * 2, InitialCapacity));
    FPoints[FPointsCount++] = TPoint{X, Y};
}

void TImgLines::VerifyPoints()
{
    const Integer C = FPointsCount;
    if (C < 3) return;  // the first and the last always stay
    const TArrayOfPoint Copy = Points();
    const Integer W = Width(), H = Height();
    TArrayOfPoint Kept{Copy[0]};
    TPoint L = Copy[0];
    bool Skip = false;
    for (Integer i = 1; i <= C - 2; ++i) {
        const Single A = GPPointDistance(L, Copy[i]);
        bool Stays;
        if (A < 3) {
            Stays = false;
        } else if (A >= 10 && (W <= 30 || H <= 30 || A >= 20)) {
            Stays = true;
        } else if (Skip) {
            Skip = false;
            Stays = true;
        } else {
            // The point goes when it and the next one lie in nearly the same
            // direction from the last kept point; the directions are compared
            // across 0 degrees (355 and 5 are 10 apart).
            Single Alpha = CalcAngle(Copy[i].X, Copy[i].Y, static_cast<Single>(L.X), static_cast<Single>(L.Y));
            Single Beta = CalcAngle(Copy[i + 1].X, Copy[i + 1].Y, static_cast<Single>(L.X), static_cast<Single>(L.Y));
            if (Alpha < 60 && Beta > 300) Beta -= 360;
            else if (Alpha > 300 && Beta < 60) Alpha -= 360;
            const Single Tolerance = A < 10 ? 15.0f : 6.0f;
            Stays = std::fabs(Alpha - Beta) >= Tolerance;
            if (!Stays && A > 5) Skip = true;
        }
        if (Stays) {
            Kept.push_back(Copy[i]);
            L = Copy[i];
        }
    }
    Kept.push_back(Copy[C - 1]);
    FPoints = std::move(Kept);
    FPointsCount = FPointsAllocatedCount = static_cast<Integer>(FPoints.size());
}

void TImgLines::CalcPointsRatio()
{
    const size_t N = static_cast<size_t>(FPointsCount);
    FPointsRX.assign(N, 0.0f);
    FPointsRY.assign(N, 0.0f);
    if (OnOneSpot()) {
        FPointsRX.assign(N, OneDotRatio);
        FPointsRY.assign(N, OneDotRatio);
        return;
    }
    // Points outside the rectangle (a row whose rectangle and points
    // disagree) are held to its edge, as a ratio text beyond it is.
    const Integer W = Width(), H = Height();
    auto Ratio = [](Extended V) { return static_cast<Single>(std::clamp<Extended>(V, 0, 1)); };
    for (size_t i = 0; i < N; ++i) {
        if (W != 0) FPointsRX[i] = Ratio((static_cast<Extended>(FPoints[i].X) - FRect.Left) / W);
        if (H != 0) FPointsRY[i] = Ratio((static_cast<Extended>(FPoints[i].Y) - FRect.Top) / H);
    }
}

void TImgLines::CalcPoints(bool)
{
    if (FCreating) return;
    // Points set without ratios keep their places.
    if (FPointsRX.size() != static_cast<size_t>(FPointsCount) || FPointsRY.size() != FPointsRX.size())
        CalcPointsRatio();
    const Integer W = Width(), H = Height();
    for (Integer i = 0; i < FPointsCount; ++i) {
        FPoints[i].X = ClampCoordinate(Round(static_cast<Extended>(W) * FPointsRX[i]) + FRect.Left);
        FPoints[i].Y = ClampCoordinate(Round(static_cast<Extended>(H) * FPointsRY[i]) + FRect.Top);
    }
}

void TImgLines::CalcRect()
{
    // No point: no box to take (the rectangle stays).
    if (FPointsCount == 0) return;
    if (OneDot()) {
        const TPoint& P = FPoints[0];
        FRect.Left = P.X - FOutWidth / 2;
        FRect.Top = P.Y - FOutWidth / 2;
        FRect.Right = FRect.Left + FOutWidth;
        FRect.Bottom = FRect.Top + FOutWidth;
        return;
    }
    TRect R;
    GetGPPointsRect(FPoints.data(), FPointsCount, R);
    FRect = TRect{R.Left, R.Top, R.Right + 1, R.Bottom + 1};
}

bool TImgLines::PtInShape(Integer X, Integer Y)
{
    if (FPointsCount == 0) return false;
    const Single T = static_cast<Single>(FOutWidth / 2 + 1);
    const TPoint P{X, Y};
    bool Hit = false;
    if (OneDot()) {
        Hit = GPPointDistance(P, FPoints[0]) <= T;
    } else if (Width() == 0 || Height() == 0) {
        Hit = PointToSegmentDistance(TPoint{FRect.Left, FRect.Top}, TPoint{FRect.Right, FRect.Bottom}, P) <= T;
    } else if (Width() == 1 || Height() == 1) {
        // Every point on one row or column: the box, one larger than the
        // points, is a single pixel thick, so the stroke is hit within its
        // reach of the points on either side of that line.
        for (Integer i = 1; i < FPointsCount && !Hit; ++i)
            Hit = PointToSegmentDistance(FPoints[i - 1], FPoints[i], P) <= T;
    } else if (X >= FRect.Left && X < FRect.Right && Y >= FRect.Top && Y < FRect.Bottom) {
        for (Integer i = 1; i < FPointsCount && !Hit; ++i)
            Hit = PointToSegmentDistance(FPoints[i - 1], FPoints[i], P) <= T;
    }
    if (Hit) {
        FCurrentCursor = crSizeAll;
        FCurrentCtrIndex = -1;
    }
    return Hit;
}

void TImgLines::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    MoveShapeAndPoints(FPoints, X1, Y1, X2, Y2);
}

void TImgLines::OffsetShape(Integer DX, Integer DY) { OffsetShapeAndPoints(FPoints, DX, DY); }

String TImgLines::GetPoints() const { return PointsToText(FPoints, FPointsCount); }

void TImgLines::SetPoints(const String& S)
{
    TArrayOfPoint Loaded;
    // A text that is not numbers holds no points.
    if (!TextToPoints(S, Loaded)) Loaded.clear();
    for (TPoint& P : Loaded) P = TPoint{ClampCoordinate(P.X), ClampCoordinate(P.Y)};
    FPoints = std::move(Loaded);
    FPointsCount = FPointsAllocatedCount = static_cast<Integer>(FPoints.size());
}

String TImgLines::GetPointsRatio() const
{
    // Ratios not made for these points are not written: the reader then
    // computes them from the points.
    if (FPointsRX.size() != static_cast<size_t>(FPointsCount) || FPointsRY.size() != FPointsRX.size())
        return String();
    String S;
    for (const std::vector<Single>* List : {&FPointsRX, &FPointsRY})
        for (Single V : *List) {
            if (!S.empty()) S += u'/';
            S += RatioText(V);
        }
    return S;
}

void TImgLines::SetPointsRatio(const String& S)
{
    const size_t N = static_cast<size_t>(FPointsCount);
    std::vector<Single> Items;
    bool Ok = !S.empty();
    for (size_t Start = 0; Ok;) {
        const size_t Slash = S.find(u'/', Start);
        Extended V;
        // A point lies inside its rectangle: a ratio beyond it is damage.
        Ok = Items.size() < 2 * N &&
             TryStrToFloat(S.substr(Start, Slash == String::npos ? String::npos : Slash - Start), V) &&
             std::isfinite(V);
        if (Ok) Items.push_back(static_cast<Single>(std::clamp<Extended>(V, 0, 1)));
        if (Slash == String::npos) break;
        Start = Slash + 1;
    }
    if (!Ok || Items.size() != 2 * N) {
        CalcPointsRatio();
        return;
    }
    FPointsRX.assign(Items.begin(), Items.begin() + N);
    FPointsRY.assign(Items.begin() + N, Items.end());
}

TLinesDrawing TImgLines::BuildDrawing() const
{
    TLinesDrawing D;
    if (FPointsCount == 0) return D;
    D.Width = static_cast<Single>(FOutWidth);
    D.Smooth = FAntialias;
    const TPoint& First = FPoints[0];
    const Integer W = FOutWidth;
    if (OnOneSpot()) {
        if (!OneDot()) return D;  // a nib needs a direction
        // A round tip one pixel wide is that pixel.
        const bool Round = FStyleId == 0 && W != 1;
        D.Tip = Round ? TLinesDrawing::fCircle : TLinesDrawing::fSquare;
        D.TipRect = TRect{First.X - W / 2, First.Y - W / 2, First.X - W / 2 + W, First.Y - W / 2 + W};
        D.TipSmooth = Round && FAntialias;
        return D;
    }
    // While the stroke is drawn, and without thinning, the pointer's path
    // itself; a thinned stroke is smoothed into a curve.
    const bool Curve = !FCreating && FDebounce;
    std::array<Single, 6> M;
    if (LinesNibMatrix(FStyleId, M)) {
        // The nib is swept here rather than by a pen transform, which not
        // every platform's GDI+ honours.
        D.NibQuads = SweepNib(CardinalSplinePoints(Points(), Curve ? NibCurveSteps : 0), M, D.Width);
    } else {
        D.Points = Points();
        D.Curve = Curve;
        D.RoundCaps = FStyleId == 0;
        D.RoundJoins = FStyleId == 0 || FStyleId == 1;
    }
    if (!FParent && FId == 0 && (FStyleId == 0 || FStyleId == 1)) {
        D.Mark = FStyleId == 0 ? TLinesDrawing::fCircle : TLinesDrawing::fSquare;
        D.MarkRect = PreviewMark;
    }
    return D;
}

TRect TImgLines::PictureBounds()
{
    const TLinesDrawing D = BuildDrawing();
    TPictureArea A;
    if (D.Tip != TLinesDrawing::fNone) A.AddRect(D.TipRect);
    if (D.Points.size() >= 2) {
        std::vector<TFloatPoint> P;
        for (const TPoint& Q : D.Points) P.push_back(TFloatPoint{static_cast<Single>(Q.X), static_cast<Single>(Q.Y)});
        if (D.Curve) {
            TShapePath Curve;
            Curve.AddCurve(std::move(P));
            A.AddPath(Curve, D.Width);
        } else {
            A.AddPolyline(P, false, D.Width);
        }
    }
    for (const auto& Q : D.NibQuads) A.AddPolyline(std::vector<TFloatPoint>(Q.begin(), Q.end()), true, 0);
    if (D.Mark != TLinesDrawing::fNone) A.AddRect(D.MarkRect);
    return A.Bounds(TPoint{FRect.Left, FRect.Top});
}

void TImgLines::Draw(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Target = ToBitmap ? ToBitmap : FBitmap;
    if (!Target || !ImageLinesHooks.Paint) return;
    const TLinesDrawing Plan = BuildDrawing();
    if (!Plan.Empty()) ImageLinesHooks.Paint(*this, *Target, Plan);
}
