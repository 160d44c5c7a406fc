#include "skin/frame/SkinValueObjectsCore.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

Integer RoundEven(double V) { return static_cast<Integer>(std::nearbyint(V)); }

Integer AtLeastOne(Integer V) { return V < 1 ? 1 : V; }

}  // namespace

TsfTrackKind TrackKindOf(const TPoint& BeginPoint, const TPoint& EndPoint)
{
    return std::abs(BeginPoint.Y - EndPoint.Y) < std::abs(EndPoint.X - BeginPoint.X) ? TsfTrackKind::Horizontal
                                                                                       : TsfTrackKind::Vertical;
}

double ValueFraction(Integer Value, Integer Min, Integer Max)
{
    if (Max == Min) return 0;
    return static_cast<double>(Value - Min) / static_cast<double>(Max - Min);
}

Integer ClampValue(Integer Value, Integer Min, Integer Max)
{
    if (Value < Min) return Min;
    if (Value > Max) return Max;
    return Value;
}

TPoint TrackValueToPos(TsfTrackKind Kind, const TPoint& BeginPoint, const TPoint& EndPoint, Integer Value,
                       Integer Min, Integer Max)
{
    double F = ValueFraction(Value, Min, Max);
    if (Kind == TsfTrackKind::Horizontal)
        return {BeginPoint.X + RoundEven(F * (EndPoint.X - BeginPoint.X)), BeginPoint.Y};
    return {BeginPoint.X, EndPoint.Y + RoundEven((1 - F) * (BeginPoint.Y - EndPoint.Y))};
}

Integer TrackPosToValue(TsfTrackKind Kind, const TPoint& BeginPoint, const TPoint& EndPoint, const TPoint& Pos,
                        Integer Min, Integer Max)
{
    double F = 0;
    if (Kind == TsfTrackKind::Horizontal) {
        if (EndPoint.X != BeginPoint.X)
            F = static_cast<double>(Pos.X - BeginPoint.X) / static_cast<double>(EndPoint.X - BeginPoint.X);
    } else if (BeginPoint.Y != EndPoint.Y) {
        F = 1 - static_cast<double>(Pos.Y - EndPoint.Y) / static_cast<double>(BeginPoint.Y - EndPoint.Y);
    }
    return Min + RoundEven(static_cast<double>(Max - Min) * F);
}

TRect TrackThumbRect(const TPoint& Pos, const TRect& ButtonRect)
{
    Integer W = ButtonRect.Width(), H = ButtonRect.Height();
    Integer L = Pos.X - W / 2, T = Pos.Y - H / 2;
    return {L, T, L + W, T + H};
}

TPoint TrackJumpPos(TsfTrackKind Kind, const TPoint& BeginPoint, const TPoint& EndPoint, const TPoint& P)
{
    if (Kind == TsfTrackKind::Horizontal)
        return {std::clamp(P.X, std::min(BeginPoint.X, EndPoint.X), std::max(BeginPoint.X, EndPoint.X)),
                BeginPoint.Y};
    return {BeginPoint.X,
            std::clamp(P.Y, std::min(EndPoint.Y, BeginPoint.Y), std::max(EndPoint.Y, BeginPoint.Y))};
}

bool TrackPosOnTrack(TsfTrackKind Kind, const TPoint& BeginPoint, const TPoint& EndPoint, const TPoint& Pos)
{
    if (Kind == TsfTrackKind::Horizontal)
        return Pos.X >= std::min(BeginPoint.X, EndPoint.X) && Pos.X <= std::max(BeginPoint.X, EndPoint.X);
    return Pos.Y >= std::min(BeginPoint.Y, EndPoint.Y) && Pos.Y <= std::max(BeginPoint.Y, EndPoint.Y);
}

TPoint GaugeFillPos(TsfGaugeKind Kind, Integer Width, Integer Height, Integer Value, Integer Min, Integer Max)
{
    double F = ValueFraction(Value, Min, Max);
    if (Kind == TsfGaugeKind::Horizontal) return {RoundEven(F * Width), 0};
    return {0, RoundEven(Height * (1 - F))};
}

void StripFrameSize(const TRect& Strip, Integer Count, TsfFramesPlacement Placement, Integer& FrameW,
                    Integer& FrameH)
{
    FrameW = FrameH = 0;
    if (Count <= 0) return;
    if (Placement == TsfFramesPlacement::Horizontal) {
        FrameW = Strip.Width() / Count;
        FrameH = Strip.Height();
    } else {
        FrameW = Strip.Width();
        FrameH = Strip.Height() / Count;
    }
}

TRect StripFrame(const TRect& Strip, Integer Frame, Integer FrameW, Integer FrameH, TsfFramesPlacement Placement)
{
    if (Placement == TsfFramesPlacement::Horizontal) {
        Integer L = Strip.Left + (Frame - 1) * FrameW;
        return {L, Strip.Top, L + FrameW, Strip.Bottom};
    }
    Integer T = Strip.Top + (Frame - 1) * FrameH;
    return {Strip.Left, T, Strip.Left + FrameW, T + FrameH};
}

Integer ValueToFrame(Integer Value, Integer Min, Integer Max, Integer Count)
{
    if (Count < 2) return 1;
    Integer Step = (Max - Min) / (Count - 1);
    if (Step == 0) return 1;
    // A frame gauge starts at 0 whatever its range: never past the strip.
    return std::clamp(std::abs(Value - Min) / Step + 1, 1, Count);
}

Integer PointToAngle(const TPoint& P, Integer Width, Integer Height)
{
    double X = std::clamp(P.X, 0, std::max(Width, 0)), Y = std::clamp(P.Y, 0, std::max(Height, 0));
    double Dx = X - Width / 2, Dy = Height / 2 - Y;  // y up
    double D = std::sqrt(Dx * Dx + Dy * Dy);
    if (D == 0) return 0;
    constexpr double Deg = 180.0 / 3.14159265358979323846;
    double A;
    if (Dx >= 0 && Dy >= 0)
        A = std::asin(Dy / D) * Deg;
    else if (Dx < 0 && Dy >= 0)
        A = 90 + std::asin(-Dx / D) * Deg;
    else if (Dx < 0)
        A = 180 + std::asin(-Dy / D) * Deg;
    else
        A = 270 + std::asin(Dx / D) * Deg;
    // Whole degrees, truncated; the tiny bias keeps an exact 45 from reading 44.999..
    Integer R = 270 - static_cast<Integer>(A + 1e-9);
    return R < 0 ? R + 360 : R;
}

Integer RegulatorReading(TsfRegulatorKind Kind, const TPoint& P, Integer Width, Integer Height)
{
    switch (Kind) {
    case TsfRegulatorKind::Round: return PointToAngle(P, Width, Height);
    case TsfRegulatorKind::Horizontal: return P.X;
    case TsfRegulatorKind::Vertical: break;
    }
    return -P.Y;
}

bool RegulatorStep(TsfRegulatorDrag& D, TsfRegulatorKind Kind, Integer CurV, Integer FrameW, Integer FrameH,
                   Integer CountFrames, Integer Min, Integer Max)
{
    D.CurV = CurV;
    Integer PixInc, ValInc;
    bool Step = false, Up = false;
    if (Kind == TsfRegulatorKind::Round) {
        Integer N = CountFrames == 0 ? 1 : CountFrames;
        PixInc = AtLeastOne(360 / N);
        ValInc = AtLeastOne((Max - Min) / N);
        if (std::abs(CurV - D.OldCurV) > 300) {
            // Crossed the seam below the centre: one step at once.
            Step = true;
            Up = CurV < D.OldCurV;
        } else if (std::abs(CurV - D.StartV) >= PixInc) {
            Step = true;
            Up = CurV >= D.StartV;
        }
    } else {
        // A single-frame strip would divide by zero: one step per pixel then.
        Integer Gaps = CountFrames > 1 ? CountFrames - 1 : 1;
        Integer Span = Kind == TsfRegulatorKind::Horizontal ? FrameW : FrameH;
        PixInc = AtLeastOne(Span / Gaps);
        ValInc = AtLeastOne((Max - Min) / Gaps);
        if (std::abs(CurV - D.StartV) >= PixInc) {
            Step = true;
            Up = CurV >= D.StartV;
        }
    }
    D.OldCurV = CurV;
    if (!Step) return false;
    D.StartV = CurV;
    Integer Old = D.TempValue;
    D.TempValue = ClampValue(Up ? D.TempValue + ValInc : D.TempValue - ValInc, Min, Max);
    return D.TempValue != Old;
}
