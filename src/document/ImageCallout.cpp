#include "document/ImageCallout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace {
constexpr Extended Pi = std::numbers::pi_v<Extended>;

// The default rates of the clouds: point i and the control points of the
// segment from point i to point i + 1 (the last point has none).
struct TCloudTable {
    Integer Count;
    Single RX[12], RY[12], R1[12], R2[12], R3[12], R4[12];
};
constexpr TCloudTable Cloud2 = {
    11,
    {0.22f, 0.45f, 0.72f, 0.85f, 0.92f, 0.76f, 0.53f, 0.3f, 0.15f, 0.08f, 0.22f},
    {0.22f, 0.15f, 0.18f, 0.35f, 0.6f, 0.85f, 0.88f, 0.85f, 0.72f, 0.45f, 0.22f},
    {0.18f, 0.5f, 0.8f, 0.96f, 0.98f, 0.75f, 0.5f, 0.23f, 0.05f, 0},
    {0.05f, -0.05f, 0.15f, 0.4f, 0.75f, 0.95f, 0.95f, 0.89f, 0.75f, 0.33f},
    {0.45f, 0.7f, 0.96f, 1.05f, 0.95f, 0.65f, 0.4f, 0.13f, -0.05f, 0.15f},
    {0, 0, 0.2f, 0.5f, 0.9f, 1.02f, 1.06f, 0.9f, 0.5f, 0.12f},
};
constexpr TCloudTable Cloud4 = {
    12,
    {0.13f, 0.35f, 0.625f, 0.865f, 0.95f, 0.85f, 0.62f, 0.28f, 0.37f, 0.13f, 0.04f, 0.13f},
    {0.2f, 0.1f, 0.12f, 0.24f, 0.42f, 0.64f, 0.78f, 1, 0.77f, 0.65f, 0.42f, 0.2f},
    {0.13f, 0.42f, 0.72f, 0.97f, 1.03f, 0.86f, 0.55f, 0.33f, 0.27f, 0.03f, 0.02f},
    {0.1f, 0, 0.03f, 0.24f, 0.52f, 0.76f, 0.9f, 0.97f, 0.8f, 0.63f, 0.38f},
    {0.255f, 0.56f, 0.89f, 1.03f, 0.97f, 0.78f, 0.42f, 0.5f, 0.12f, -0.03f, -0.03f},
    {0.05f, -0.03f, 0.1f, 0.35f, 0.65f, 0.865f, 0.97f, 0.88f, 0.77f, 0.53f, 0.25f},
};
// The explosion's polygon.
constexpr Single Explosion[24][2] = {
    {0.05f, 0.07f}, {0.4f, 0.3f},   {0.42f, 0.12f}, {0.5f, 0.25f},  {0.7f, 0},      {0.75f, 0.25f},
    {0.95f, 0.28f}, {0.78f, 0.42f}, {1, 0.48f},     {0.8f, 0.53f},  {0.9f, 0.7f},   {0.77f, 0.72f},
    {0.85f, 0.85f}, {0.65f, 0.75f}, {0.6f, 0.85f},  {0.49f, 0.76f}, {0.28f, 1},     {0.35f, 0.68f},
    {0.17f, 0.69f}, {0.21f, 0.56f}, {0, 0.51f},     {0.12f, 0.45f}, {0.06f, 0.35f}, {0.2f, 0.33f},
};
// The base rates of the speech balloons by pointer zone 1..8: the rounded
// balloon's two base points (X, Y each), the oval balloon's two X rates.
constexpr Single Zone1Rates[8][4] = {
    {0.15f, 0, 0.35f, 0}, {0.65f, 0, 0.85f, 0}, {1, 0.15f, 1, 0.35f}, {1, 0.65f, 1, 0.85f},
    {0.85f, 1, 0.65f, 1}, {0.35f, 1, 0.15f, 1}, {0, 0.85f, 0, 0.65f}, {0, 0.35f, 0, 0.15f},
};
constexpr Single Zone9Rates[8][2] = {
    {0.23f, 0.33f}, {0.67f, 0.77f}, {0.85f, 0.95f}, {0.95f, 0.85f},
    {0.77f, 0.67f}, {0.33f, 0.23f}, {0.15f, 0.05f}, {0.05f, 0.15f},
};

// Stored points come from files: sums of them and the frame saturate rather
// than overflow.
Integer Sat(Int64 V) { return static_cast<Integer>(std::clamp<Int64>(V, INT32_MIN, INT32_MAX)); }
Integer RoundI(Extended V) { return Sat(Round(std::clamp<Extended>(V, INT32_MIN, INT32_MAX))); }

TFloatPoint FP(const TPoint& P) { return TFloatPoint{static_cast<Single>(P.X), static_cast<Single>(P.Y)}; }
TFloatPoint FP(Int64 X, Int64 Y) { return TFloatPoint{static_cast<Single>(X), static_cast<Single>(Y)}; }

// (V - Origin) / Size, 0 for an empty side.
Single Ratio(Integer V, Integer Origin, Integer Size)
{
    return Size != 0 ? static_cast<Single>((static_cast<Extended>(V) - Origin) / Size) : 0;
}

TFloatPoint FrameCenter(const TRect& R)
{
    return TFloatPoint{static_cast<Single>(R.Left + (R.Right - R.Left) / 2.0),
                       static_cast<Single>(R.Top + (R.Bottom - R.Top) / 2.0)};
}

// The oval balloon's outline with its pointer as one figure: the tip's two
// lines from where they leave the ellipse, and the ellipse's arc the long way
// round. The platform's path outlining (which would merge the two) does not
// exist everywhere, and a path of ellipse plus triangle fills their overlap
// as a hole.
void AddOvalBalloon(TShapePath& Path, const TRect& R, const TPoint& P0, const TPoint& P1, const TPoint& P2)
{
    Single X = static_cast<Single>(R.Left), Y = static_cast<Single>(R.Top);
    Single W = static_cast<Single>(R.Right - R.Left), H = static_cast<Single>(R.Bottom - R.Top);
    Extended A = W / 2.0, B = H / 2.0, CX = X + A, CY = Y + B;
    auto Value = [&](Extended PX, Extended PY) {
        Extended U = (PX - CX) / A, V = (PY - CY) / B;
        return U * U + V * V;
    };
    std::vector<TFloatPoint> Pointer{FP(P0), FP(P1), FP(P2)};
    bool Degenerate = !(A > 0 && B > 0);
    if (!Degenerate && Value(P1.X, P1.Y) <= 1 && Value(P0.X, P0.Y) <= 1 && Value(P2.X, P2.Y) <= 1) {
        Path.AddEllipse(X, Y, W, H);  // the pointer lies within the ellipse
        return;
    }
    if (Degenerate || !(Value(P1.X, P1.Y) > 1 && Value(P0.X, P0.Y) < 1 && Value(P2.X, P2.Y) < 1)) {
        // A frame too small for the base to lie inside: both figures as they are.
        Path.AddEllipse(X, Y, W, H);
        Path.AddPolygon(Pointer);
        return;
    }
    // Where the segment from the inside point S to the tip leaves the ellipse.
    auto Exit = [&](const TPoint& S) {
        const Extended LX = static_cast<Extended>(P1.X) - S.X, LY = static_cast<Extended>(P1.Y) - S.Y;
        Extended SX = (S.X - CX) / A, SY = (S.Y - CY) / B;
        Extended DX = LX / A, DY = LY / B;
        Extended QA = DX * DX + DY * DY, QB = 2 * (SX * DX + SY * DY), QC = SX * SX + SY * SY - 1;
        Extended T = (-QB + std::sqrt(Max<Extended>(0, QB * QB - 4 * QA * QC))) / (2 * QA);
        return TFloatPoint{static_cast<Single>(S.X + T * LX), static_cast<Single>(S.Y + T * LY)};
    };
    TFloatPoint E0 = Exit(P0), E2 = Exit(P2);
    auto AngleOf = [&](const TFloatPoint& P) { return std::atan2(P.Y - CY, P.X - CX) * 180 / Pi; };
    Extended S = AngleOf(E2), D = std::fmod(AngleOf(E0) - S + 720, 360);
    // The arc that runs clockwise from E2 to E0 is the one to keep unless its
    // middle lies in the pointer.
    Extended M = (S + D / 2) * Pi / 180;
    Extended RM = 1 / std::sqrt(std::cos(M) * std::cos(M) / (A * A) + std::sin(M) * std::sin(M) / (B * B));
    auto Side = [](const TFloatPoint& U, const TFloatPoint& V, Extended PX, Extended PY) {
        return (static_cast<Extended>(V.X) - U.X) * (PY - U.Y) - (static_cast<Extended>(V.Y) - U.Y) * (PX - U.X);
    };
    Extended MX = CX + RM * std::cos(M), MY = CY + RM * std::sin(M);
    Extended S0 = Side(Pointer[0], Pointer[1], MX, MY), S1 = Side(Pointer[1], Pointer[2], MX, MY),
             S2 = Side(Pointer[2], Pointer[0], MX, MY);
    bool InPointer = (S0 >= 0 && S1 >= 0 && S2 >= 0) || (S0 <= 0 && S1 <= 0 && S2 <= 0);
    Extended Sweep = InPointer ? D - 360 : (D == 0 ? 360 : D);
    Path.StartFigure();
    Path.AddLines({E0, FP(P1), E2});
    Path.AddArc(X, Y, W, H, static_cast<Single>(S), static_cast<Single>(Sweep));
    Path.CloseFigure();
}
}  // namespace

Integer CalloutPointCount(Integer Style, bool IsDrawStyle)
{
    static constexpr Integer Counts[12] = {1, 3, 11, 24, 12, 3, 2, 2, 1, 3, 1, 80};
    if (Style < 0 || Style > 11) return 0;
    if (Style == 11 && IsDrawStyle) return 40;
    return Counts[Style];
}

Integer CalloutPointerZone(const TRect& R, const TPoint& P)
{
    TFloatPoint C = FrameCenter(R);
    Single c = CalcAngle(R.Right, R.Bottom, C.X, C.Y);
    Single a = CalcAngle(P.X, P.Y, C.X, C.Y);
    if (a < c) return 4;
    if (a < 90) return 5;
    if (a < 180 - c) return 6;
    if (a < 180) return 7;
    if (a < 180 + c) return 8;
    if (a < 270) return 1;
    if (a < 360 - c) return 2;
    return 3;
}

Integer TCalloutPoints::NeededPoints(Integer Style)
{
    // The starburst is laid out from however many points it has; it needs
    // point 1 for its handle and reads no fixed index beyond.
    return Style == 11 ? 40 : CalloutPointCount(Style, false);
}

void TCalloutPoints::SizeArrays(Integer Count, bool Bezier)
{
    FPointsCount = Count;
    FPoints.assign(Count, TPoint{});
    FPointsA.assign(Count, TPoint{});
    FPointsRateX.assign(Count, 0);
    FPointsRateY.assign(Count, 0);
    FCtrRect.assign(Count, TRect{});
    FCtrPoints.assign(Count, TPoint{});
    Integer B = Bezier ? Count : 0;
    FPointsRate1.assign(B, 0);
    FPointsRate2.assign(B, 0);
    FPointsRate3.assign(B, 0);
    FPointsRate4.assign(B, 0);
}

void TCalloutPoints::InitPoints(Integer Style, bool IsDrawStyle)
{
    Integer N = CalloutPointCount(Style, IsDrawStyle);
    SizeArrays(N, Style == 2 || Style == 4);
    auto Set = [&](Integer i, Single RX, Single RY) {
        FPointsRateX[i] = RX;
        FPointsRateY[i] = RY;
    };
    switch (Style) {
    case 0: Set(0, 0.22f, 0.2f); break;
    case 1:
        Set(0, IsDrawStyle ? 0.8f : 0.85f, 1);
        Set(1, 0.55f, 1.3f);
        Set(2, IsDrawStyle ? 0.6f : 0.65f, 1);
        FPointsZone = 5;
        break;
    case 2:
    case 4: {
        const TCloudTable& T = Style == 2 ? Cloud2 : Cloud4;
        for (Integer i = 0; i < N; ++i) {
            Set(i, T.RX[i], T.RY[i]);
            FPointsRate1[i] = T.R1[i];
            FPointsRate2[i] = T.R2[i];
            FPointsRate3[i] = T.R3[i];
            FPointsRate4[i] = T.R4[i];
        }
        break;
    }
    case 3:
        for (Integer i = 0; i < N; ++i) Set(i, Explosion[i][0], Explosion[i][1]);
        break;
    case 5:
        Set(0, 0.75f, 0.25f);
        Set(1, 0, 0.13f);
        Set(2, 0.1f, 0.5f);
        break;
    case 6:
        Set(0, 0.75f, 0);
        Set(1, 0.7f, 0.58f);
        break;
    case 7:
        Set(0, 0.25f, 0);
        Set(1, 0.3f, 0.58f);
        break;
    case 8: Set(0, 0.2f, 1.6f); break;
    case 9:
        // The base points' Y values come from the ellipse.
        Set(0, IsDrawStyle ? 0.4f : 0.33f, 0);
        Set(1, 0, 1.4f);
        Set(2, 0.23f, 0);
        FPointsZone = 6;
        break;
    case 10: Set(0, 0.75f, 0.25f); break;
    default: break;
    }
}

void TCalloutPoints::SetZoneRates(Integer Style, Integer Zone)
{
    if (Zone < 1 || Zone > 8 || FPointsCount < 3) return;
    if (Style == 1) {
        const Single* Z = Zone1Rates[Zone - 1];
        FPointsRateX[0] = Z[0];
        FPointsRateY[0] = Z[1];
        FPointsRateX[2] = Z[2];
        FPointsRateY[2] = Z[3];
    } else {
        FPointsRateX[0] = Zone9Rates[Zone - 1][0];
        FPointsRateX[2] = Zone9Rates[Zone - 1][1];
    }
}

void TCalloutPoints::CalcPoints(const TImgShape& Shape, bool IsForceCalc)
{
    const Integer Style = Shape.StyleId();
    if (Style == 2 || Style == 4) return;
    if (Style == 11) {
        CalcAutoPoints(Shape, IsForceCalc);
        return;
    }
    const TRect& R = Shape.SRect();
    const Integer X = R.Left, Y = R.Top, W = Sat(Int64(R.Right) - R.Left), H = Sat(Int64(R.Bottom) - R.Top);
    const bool Balloon = (Style == 1 || Style == 9) && FPointsCount >= 3;
    if (Balloon) {
        FPoints[1] = TPoint{Sat(Int64(RoundI(W * static_cast<Extended>(FPointsRateX[1]))) + X),
                            Sat(Int64(RoundI(H * static_cast<Extended>(FPointsRateY[1]))) + Y)};
        Integer Zone = CalloutPointerZone(R, FPoints[1]);
        if (Style == 1 && FPointsRateX[1] >= 0 && FPointsRateX[1] <= 1 && FPointsRateY[1] >= 0 &&
            FPointsRateY[1] <= 1)
            Zone = 0;
        if (Zone != FPointsZone) {
            FPointsZone = Zone;
            SetZoneRates(Style, Zone);
        }
    }
    // The rounded balloon's base keeps out of its corners: the corner radius plus one.
    const Integer M = Min(Min(RoundI((Extended(W) + H) * 0.1L), W), H) / 2 + 1;
    const Integer Zone = FPointsZone;
    for (Integer i = 0; i < FPointsCount; ++i) {
        Integer PX = RoundI(W * static_cast<Extended>(FPointsRateX[i]));
        Integer PY = RoundI(H * static_cast<Extended>(FPointsRateY[i]));
        if (Balloon && i != 1) {
            if (Style == 9) {
                // Two pixels inside the ellipse, on the tip's half.
                Extended U = EllipseHalfHeight(W, H, static_cast<Single>(PX - W / 2.0));
                if (Zone == 1 || Zone == 2 || Zone == 3 || Zone == 8)
                    PY = static_cast<Integer>(Trunc(H / 2 - U)) + 2;
                else
                    PY = static_cast<Integer>(Trunc(U + H / 2)) - 2;
            } else if (Zone == 1 || Zone == 2 || Zone == 5 || Zone == 6) {
                PX = Max(PX, M);
                PX = Min(PX, Sat(Int64(W) - M));
            } else {
                PY = Max(PY, M);
                PY = Min(PY, Sat(Int64(H) - M));
            }
        }
        FPoints[i] = TPoint{Sat(Int64(PX) + X), Sat(Int64(PY) + Y)};
    }
}

void TCalloutPoints::CalcAutoPoints(const TImgShape& Shape, bool IsForceCalc)
{
    const Integer N = FPointsCount;
    if (N < 1) return;
    const TRect& R = Shape.SRect();
    const TFloatPoint C = FrameCenter(R);
    const Single Ro = Min((R.Right - R.Left) / 2.0f, (R.Bottom - R.Top) / 2.0f);
    Single S, Ri;
    if (Shape.Creating() || IsForceCalc || Shape.CurrentCtrIndex() != 10 || N < 2) {
        S = 330;
        Ri = static_cast<Single>(Round(Ro * (IsForceCalc ? 0.72L : 0.82L)));
    } else {
        S = CalcAngle(FPoints[1].X, FPoints[1].Y, C.X, C.Y) - 360.0f / N;
        Ri = FloatGPPointDistance(C, FPoints[1]);
    }
    for (Integer i = 0; i < N; ++i)
        CalcPointByAngleF(C, FPoints[i], 360.0f / N * i + S, i % 2 ? Ri : Ro);
}

TShapePath TCalloutPoints::FramePath(const TImgShape& Shape) const
{
    TShapePath Path;
    const Integer Style = Shape.StyleId();
    if (Style < 0 || Style > 11 || FPointsCount < NeededPoints(Style)) return Path;
    // 64-bit sums: the points may be anything a file held.
    const TRect& Rc = Shape.SRect();
    const Int64 X = Rc.Left, Y = Rc.Top, R = Rc.Right, B = Rc.Bottom, W = R - X, H = B - Y;
    const TArrayOfPoint& P = FPoints;
    auto Pt = [](Int64 PX, Int64 PY) { return FP(PX, PY); };
    auto Q = [&](Single RX, Single RY) {
        return Pt(RoundI(W * static_cast<Extended>(RX) + X), RoundI(H * static_cast<Extended>(RY) + Y));
    };
    switch (Style) {
    case 0: Path.AddPolygon({Pt(X, P[0].Y), Pt(P[0].X, Y), Pt(R, Y), Pt(R, B), Pt(X, B)}); break;
    case 1: {
        const Int64 A = Min<Int64>(Min<Int64>(RoundI((W + H) * 0.1L), W), H);
        Single SA = static_cast<Single>(A);
        auto Pointer = [&](Integer Z1, Integer Z2) {
            if (FPointsZone == Z1 || FPointsZone == Z2) Path.AddLines({FP(P[0]), FP(P[1]), FP(P[2])});
        };
        Path.StartFigure();
        Path.AddArc(static_cast<Single>(X), static_cast<Single>(Y), SA, SA, 180, 90);
        Pointer(1, 2);
        Path.AddArc(static_cast<Single>(R - A), static_cast<Single>(Y), SA, SA, 270, 90);
        Pointer(3, 4);
        Path.AddArc(static_cast<Single>(R - A), static_cast<Single>(B - A), SA, SA, 0, 90);
        Pointer(5, 6);
        Path.AddArc(static_cast<Single>(X), static_cast<Single>(B - A), SA, SA, 90, 90);
        Pointer(7, 8);
        Path.CloseFigure();
        break;
    }
    case 2:
    case 4: {
        std::vector<TFloatPoint> Bez{Q(FPointsRateX[0], FPointsRateY[0])};
        for (Integer i = 0; i + 1 < FPointsCount; ++i) {
            Bez.push_back(Q(FPointsRate1[i], FPointsRate2[i]));
            Bez.push_back(Q(FPointsRate3[i], FPointsRate4[i]));
            Bez.push_back(Q(FPointsRateX[i + 1], FPointsRateY[i + 1]));
        }
        Path.StartFigure();
        Path.AddBeziers(std::move(Bez));
        Path.CloseFigure();
        break;
    }
    case 3:
    case 11: {
        std::vector<TFloatPoint> Poly;
        for (Integer i = 0; i < FPointsCount; ++i) Poly.push_back(FP(P[i]));
        Path.AddPolygon(std::move(Poly));
        break;
    }
    case 5:
        Path.AddPolygon({FP(P[0]), Pt(P[0].X, Y), Pt(R, Y + H / 2), Pt(P[0].X, B), Pt(P[0].X, B - (P[0].Y - Y)),
                         Pt(X, B - (P[1].Y - Y)), FP(P[2]), FP(P[1])});
        break;
    case 6:
    case 7: {
        // The head on the right edge (6) or the left edge (7); the tail
        // curves out beyond the opposite side and ends at P0 on the top edge.
        const bool Right = Style == 6;
        TFloatPoint A1 = Pt(P[1].X, Y + RoundI(0.45L * H));
        TFloatPoint A2 = Pt(Right ? R : X, Y + RoundI(0.725L * H));
        TFloatPoint A3 = Pt(P[1].X, B);
        TFloatPoint A4 = Pt(P[1].X, B - (P[1].Y - (Y + RoundI(0.45L * H))));
        TFloatPoint A5 = Pt(X + RoundI((Right ? -0.2L : 1.2L) * W), Y + RoundI(0.85L * H));
        TFloatPoint A6 = Pt(X + RoundI((Right ? -0.25L : 1.25L) * W), Y + RoundI(0.05L * H));
        TFloatPoint A7 = Pt(X + RoundI((Right ? 0.1L : 0.9L) * W), Y + RoundI(0.25L * H));
        TFloatPoint A8 = Pt(X + RoundI((Right ? 0.4L : 0.6L) * W), Y + RoundI(0.55L * H));
        Path.StartFigure();
        Path.AddLines({FP(P[1]), A1, A2, A3, A4});
        Path.AddBeziers({A4, A5, A6, FP(P[0]), A7, A8, FP(P[1])});
        Path.CloseFigure();
        break;
    }
    case 8: {
        TShapeBounds E[3];
        BubbleEllipses(Shape, E);
        for (const TShapeBounds& e : E)
            Path.AddEllipse(static_cast<Single>(e.X), static_cast<Single>(e.Y), static_cast<Single>(e.Width),
                            static_cast<Single>(e.Height));
        break;
    }
    case 9: AddOvalBalloon(Path, Rc, P[0], P[1], P[2]); break;
    case 10: {
        const Int64 MX = R + X - P[0].X, Inner = B - (P[0].Y - Y);
        Path.AddPolygon({FP(P[0]), Pt(P[0].X, Y), Pt(R, Y + H / 2), Pt(P[0].X, B), Pt(P[0].X, Inner), Pt(MX, Inner),
                         Pt(MX, B), Pt(X, Y + H / 2), Pt(MX, Y), Pt(MX, P[0].Y)});
        break;
    }
    default: break;
    }
    return Path;
}

bool TCalloutPoints::BubbleEllipses(const TImgShape& Shape, TShapeBounds (&E)[3]) const
{
    if (Shape.StyleId() != 8 || FPointsCount < 1) return false;
    const TRect& R = Shape.SRect();
    const Integer W = R.Right - R.Left, H = R.Bottom - R.Top;
    TPoint C;
    FloatPointToPoint(Shape.CenterPoint(), C);
    const TPoint& P0 = FPoints[0];
    TFloatPoint MF;
    PointBefore(C, P0, RoundI(GPPointDistance(C, P0) / 3.0L), MF);
    TPoint M;
    FloatPointToPoint(MF, M);
    E[0] = TShapeBounds{R.Left, R.Top, W, H};
    E[1] = TShapeBounds{Sat(Int64(M.X) - W / 6), Sat(Int64(M.Y) - H / 6), W / 3, H / 3};
    E[2] = TShapeBounds{Sat(Int64(P0.X) - W / 12), Sat(Int64(P0.Y) - H / 12), W / 6, H / 6};
    return true;
}

TShapeBounds TCalloutPoints::LinearGradientRect(const TImgShape& Shape) const
{
    const TRect& Fr = Shape.SRect();
    struct {
        Int64 Left, Top, Right, Bottom;
    } F{Fr.Left, Fr.Top, Fr.Right, Fr.Bottom};
    const Int64 W = F.Right - F.Left, H = F.Bottom - F.Top;
    TPoint T;
    if (TipPoint(Shape.StyleId(), T)) {
        if (T.X < F.Left)
            F.Left = T.X;
        else if (T.X > F.Right)
            F.Right = T.X;
        if (T.Y < F.Top)
            F.Top = T.Y;
        else if (T.Y > F.Bottom)
            F.Bottom = T.Y;
        if (Shape.StyleId() == 8) {
            F.Left -= W / 6;
            F.Right += W / 6;
            F.Top -= H / 6;
            F.Bottom += H / 6;
        }
    }
    return TShapeBounds{Sat(F.Left), Sat(F.Top), Sat(F.Right - F.Left), Sat(F.Bottom - F.Top)};
}

TShapeBounds TCalloutPoints::EllipticGradientBox(const TImgShape& Shape) const
{
    const TRect& Fr = Shape.SRect();
    const Int64 W = Int64(Fr.Right) - Fr.Left, H = Int64(Fr.Bottom) - Fr.Top;
    struct {
        Int64 Left, Top, Right, Bottom;
    } F{Fr.Left, Fr.Top, Fr.Right, Fr.Bottom};
    TPoint T;
    const bool HasTip = TipPoint(Shape.StyleId(), T);
    const bool Outside = HasTip && !(T.X >= Fr.Left && T.X < Fr.Right && T.Y >= Fr.Top && T.Y < Fr.Bottom);
    if (Outside) {
        if (T.X < F.Left) {
            F.Right += F.Left - T.X;
            F.Left = T.X;
        } else if (T.X > F.Right) {
            F.Left -= T.X - F.Right;
            F.Right = T.X;
        }
        if (T.Y < F.Top) {
            F.Bottom += F.Top - T.Y;
            F.Top = T.Y;
        } else if (T.Y > F.Bottom) {
            F.Top -= T.Y - F.Bottom;
            F.Bottom = T.Y;
        }
    }
    const TFloatPoint Corner = FP(Fr.Left, Fr.Top);
    const TGradientBox Start{static_cast<Extended>(F.Left), static_cast<Extended>(F.Top),
                             static_cast<Extended>(F.Right - F.Left), static_cast<Extended>(F.Bottom - F.Top)};
    const TGradientBox G = Outside ? GrowEllipticGradientBox(Start, Shape.CenterPoint(), {Corner, FP(T)})
                                   : GrowEllipticGradientBox(Start, Shape.CenterPoint(), {Corner});
    Extended X = G.X, Y = G.Y, BW = G.Width, BH = G.Height;
    if (Shape.StyleId() == 8) {
        X -= W / 6;
        Y -= H / 6;
        BW += 2 * (W / 6);
        BH += 2 * (H / 6);
    }
    return TShapeBounds{RoundI(X), RoundI(Y), RoundI(BW), RoundI(BH)};
}

TCalloutLayout TCalloutPoints::LayoutRect(const TImgShape& Shape) const
{
    const TRect& R = Shape.SRect();
    const Single X = static_cast<Single>(R.Left), Y = static_cast<Single>(R.Top);
    const Single W = static_cast<Single>(R.Right - R.Left), H = static_cast<Single>(R.Bottom - R.Top);
    switch (Shape.StyleId()) {
    case 0:
        if (FPointsCount >= 1) {
            const Single PY = static_cast<Single>(FPoints[0].Y);
            return TCalloutLayout{X, PY, W, H - (PY - Y)};
        }
        break;
    case 4: return TCalloutLayout{X, Y, W, 0.92f * H};
    case 6: return TCalloutLayout{X + 0.25f * W, Y + 0.45f * H, 0.75f * W, 0.55f * H};
    case 7: return TCalloutLayout{X, Y + 0.45f * H, 0.75f * W, 0.55f * H};
    default: break;
    }
    return TCalloutLayout{X, Y, W, H};
}

bool TCalloutPoints::TipPoint(Integer Style, TPoint& T) const
{
    if ((Style == 1 || Style == 9) && FPointsCount >= 3) {
        T = FPoints[1];
        return true;
    }
    if (Style == 8 && FPointsCount >= 1) {
        T = FPoints[0];
        return true;
    }
    return false;
}

bool TCalloutPoints::HasHandle(Integer Style, Integer i) const
{
    if (i < 0 || i >= FPointsCount || Style < 0 || Style > 11) return false;
    if (Style == 2 || Style == 3 || Style == 4) return false;
    return Style != 11 || i == 1;
}

void TCalloutPoints::CalcControlPoints(TImgShape& Shape)
{
    const TFloatPoint C = FrameCenter(Shape.SRect());
    for (Integer i = 0; i < FPointsCount; ++i) {
        if (!HasHandle(Shape.StyleId(), i)) continue;
        if (Shape.Angle() != 0)
            RotatePoint(C, FPoints[i], FPointsA[i], Shape.Angle());
        else
            FPointsA[i] = FPoints[i];
        FCtrPoints[i] = FPointsA[i];
        Shape.PointToView(FCtrPoints[i]);
    }
}

void TCalloutPoints::DrawControlPoint(TImgShape& Shape, TCustomBitmap32& Target)
{
    if (!Shape.Parent()) return;
    TCustomBitmap32* Pic = Shape.Parent()->CtrBmpY3();
    if (!Pic) return;
    const Integer E = Pic->Width() / 2;
    for (Integer i = 0; i < FPointsCount; ++i) {
        if (!HasHandle(Shape.StyleId(), i)) continue;
        const TPoint& P = FCtrPoints[i];
        FCtrRect[i] = TRect{Sat(Int64(P.X) - E), Sat(Int64(P.Y) - E), Sat(Int64(P.X) + E), Sat(Int64(P.Y) + E)};
        Target.Draw(FCtrRect[i].Left, FCtrRect[i].Top, Pic);
    }
}

bool TCalloutPoints::PtInControl(TImgShape& Shape, Integer X, Integer Y)
{
    for (Integer i = 0; i < FPointsCount; ++i) {
        if (!HasHandle(Shape.StyleId(), i)) continue;
        const TRect& R = FCtrRect[i];
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) {
            Shape.SetCurrentCursor(crHandPoint);
            Shape.SetCurrentCtrIndex(9 + i);
            return true;
        }
    }
    return false;
}

void TCalloutPoints::Click(TImgShape& Shape)
{
    const Integer i = Shape.CurrentCtrIndex() - 9;
    if (i < 0 || i >= FPointsCount) return;
    Shape.SetStartX(FPointsA[i].X);
    Shape.SetStartY(FPointsA[i].Y);
}

void TCalloutPoints::AdjustShape(TImgShape& Shape, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    const Integer Style = Shape.StyleId();
    const Integer k = Shape.CurrentCtrIndex() - 9;
    if (!HasHandle(Style, k)) return;
    const TRect& R = Shape.SRect();
    const Integer X = R.Left, Y = R.Top, W = R.Right - R.Left, H = R.Bottom - R.Top;
    FPointsA[k] = TPoint{Sat(Int64(X2) + Shape.StartX() - X1), Sat(Int64(Y2) + Shape.StartY() - Y1)};
    TPoint Q;
    RotatePoint(FrameCenter(R), FPointsA[k], Q, -Shape.Angle());
    std::vector<Single>&RX = FPointsRateX, &RY = FPointsRateY;
    const Single OldRX = RX[k], OldRY = RY[k];
    const bool Base = (Style == 1 || Style == 9) && k != 1;
    if (Style != 11 && !Base) {
        RX[k] = Ratio(Q.X, X, W);
        RY[k] = Ratio(Q.Y, Y, H);
    }
    auto Clamp = [](Single& V, Single Lo, Single Hi) { TImgShape::ClampSingle(V, Lo, Hi); };
    const Integer o = k == 0 ? 2 : 0;
    switch (Style) {
    case 0:
        Clamp(RX[0], 0, 1);
        Clamp(RY[0], 0, 1);
        break;
    case 1:
        if (!Base) break;
        // A base point slides along its edge and keeps 0.05 of the edge from
        // its partner and 0.13 from the corners.
        if (OldRX <= 0 || OldRX >= 1) {
            RY[k] = Ratio(Q.Y, Y, H);
            if (OldRY >= RY[o])
                Clamp(RY[k], RY[o] + 0.05f, 0.87f);
            else
                Clamp(RY[k], 0.13f, RY[o] - 0.05f);
        } else {
            RX[k] = Ratio(Q.X, X, W);
            if (OldRX >= RX[o])
                Clamp(RX[k], RX[o] + 0.05f, 0.87f);
            else
                Clamp(RX[k], 0.13f, RX[o] - 0.05f);
        }
        break;
    case 5:
        if (k == 0) {
            Clamp(RX[0], RX[2], 0.95f);
            Clamp(RY[0], 0, 0.5f);
        } else if (k == 1) {
            RX[1] = 0;
            Clamp(RY[1], 0, 0.5f);
        } else {
            Clamp(RX[2], 0, RX[0]);
            RY[2] = 0.5f;
        }
        break;
    case 6:
    case 7:
        if (k == 0) {
            if (Style == 6)
                Clamp(RX[0], 0.5f, 1);
            else
                Clamp(RX[0], 0, 0.5f);
            RY[0] = 0;
        } else {
            if (Style == 6)
                Clamp(RX[1], 0.5f, 0.85f);
            else
                Clamp(RX[1], 0.15f, 0.5f);
            Clamp(RY[1], 0.5f, 0.7f);
        }
        break;
    case 9:
        if (!Base) break;
        RX[k] = Ratio(Q.X, X, W);
        if (OldRX >= RX[o])
            Clamp(RX[k], RX[o] + 0.05f, 0.95f);
        else
            Clamp(RX[k], 0.05f, RX[o] - 0.05f);
        break;
    case 10:
        Clamp(RX[0], 0.5f, 0.95f);
        Clamp(RY[0], 0, 0.5f);
        break;
    case 11:
        // The inner circle stays within the outer one.
        if (FloatPointDistance(Q, FrameCenter(R)) < Min(W / 2.0f, H / 2.0f)) FPoints[1] = Q;
        break;
    default: break;  // 8: the trail end goes where it is dragged
    }
}

void TCalloutPoints::OffsetPoints(Integer DX, Integer DY)
{
    for (Integer i = 0; i < FPointsCount; ++i) IncGPPoint(FPoints[i], DX, DY);
}

bool TCalloutPoints::PtInPointer(Integer Style, Integer X, Integer Y) const
{
    if ((Style != 1 && Style != 9) || FPointsCount < 3) return false;
    return PtInGPPolygon(TPoint{X, Y}, FPoints.data(), 3);
}

String TCalloutPoints::GetPoints(Integer Style) const
{
    if (CalloutPointsNotSaved(Style)) return String();
    return PointsToText(FPoints, FPointsCount);
}

void TCalloutPoints::SetPoints(const TImgShape& Shape, const String& S)
{
    const Integer Style = Shape.StyleId();
    TArrayOfPoint Loaded;
    if (CalloutPointsNotSaved(Style)) {
        InitPoints(Style, false);
        return;
    }
    if (!TextToPoints(S, Loaded) || static_cast<Integer>(Loaded.size()) < NeededPoints(Style)) {
        // A damaged or hand-made row: the style's own geometry rather than
        // reading past the points it has.
        InitPoints(Style, false);
        CalcPoints(Shape, true);
        return;
    }
    const Integer N = static_cast<Integer>(Loaded.size());
    SizeArrays(N, false);
    const TRect& R = Shape.SRect();
    for (Integer i = 0; i < N; ++i) {
        FPoints[i] = Loaded[i];
        FPointsRateX[i] = Ratio(Loaded[i].X, R.Left, R.Right - R.Left);
        FPointsRateY[i] = Ratio(Loaded[i].Y, R.Top, R.Bottom - R.Top);
    }
}

void TCalloutPoints::UpgradePoints(const TImgShape& Shape)
{
    if (CalloutPointsNotSaved(Shape.StyleId())) return;
    OffsetPoints(Shape.SRect().Left, Shape.SRect().Top);
}

Integer TCalloutPoints::GetMaxLengthOfOutPoint(const TImgShape& Shape) const
{
    const Integer Style = Shape.StyleId();
    if ((Style == 1 || Style == 9) && FPointsCount >= 3) {
        const TFloatPoint T = FP(FPoints[1]);
        return Max(RoundI(FloatGPPointDistance(T, FPoints[0])), RoundI(FloatGPPointDistance(T, FPoints[2])));  // saturated
    }
    if (Style == 8 && FPointsCount >= 1) return RoundI(FloatGPPointDistance(FrameCenter(Shape.SRect()), FPoints[0]));
    return 0;
}
