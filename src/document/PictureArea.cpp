#include "document/PictureArea.h"

#include <algorithm>
#include <cmath>

#include "document/ImgShape.h"

namespace {
constexpr double Pi = 3.14159265358979323846;
// Anti-aliasing touches the pixel beyond an edge; rounding of the painters'
// float coordinates one more.
constexpr double Margin = 2;
// Far outside any picture: areas of damaged rows stay inside the integer range.
constexpr double Limit = double(1 << 29);

// How far a pen of Width reaches at the corner B between A and C: its
// miter's tip, or the bevel a too long miter becomes.
Single CornerReach(const TFloatPoint& A, const TFloatPoint& B, const TFloatPoint& C, Single Width)
{
    const double ux = A.X - B.X, uy = A.Y - B.Y, vx = C.X - B.X, vy = C.Y - B.Y;
    const double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
    if (lu == 0 || lv == 0) return MiterReach(Width);  // a zero-length side: direction unknown
    const double Cos = std::clamp((ux * vx + uy * vy) / (lu * lv), -1.0, 1.0);
    // sin of half the angle between the sides.
    const double SinHalf = std::sqrt((1 - Cos) / 2);
    const double Reach = SinHalf > 0 ? Width / 2 / SinHalf : double(MiterReach(Width));
    return static_cast<Single>(std::min(Reach, double(MiterReach(Width))));
}
}  // namespace

void TPictureArea::SetTurn(Single Angle, const TFloatPoint& Center)
{
    FTurned = Angle != 0;
    FCos = std::cos(Angle * Pi / 180);
    FSin = std::sin(Angle * Pi / 180);
    FCenter = Center;
}

void TPictureArea::Grow(Single X, Single Y, Single Reach)
{
    double x = X, y = Y;
    if (FTurned) {
        const double dx = x - FCenter.X, dy = y - FCenter.Y;
        x = FCenter.X + dx * FCos + dy * FSin;
        y = FCenter.Y - dx * FSin + dy * FCos;
    }
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    const double r = std::isfinite(Reach) ? std::max(0.0, double(Reach)) : Limit;
    if (!FAny) {
        FLeft = FRight = x;
        FTop = FBottom = y;
        FAny = true;
    }
    FLeft = std::min(FLeft, x - r);
    FTop = std::min(FTop, y - r);
    FRight = std::max(FRight, x + r);
    FBottom = std::max(FBottom, y + r);
}

void TPictureArea::Add(Single X, Single Y, Single Reach) { Grow(X, Y, Reach); }

void TPictureArea::AddBox(Single Left, Single Top, Single Right, Single Bottom, Single Reach)
{
    Grow(Left, Top, Reach);
    Grow(Right, Top, Reach);
    Grow(Right, Bottom, Reach);
    Grow(Left, Bottom, Reach);
}

void TPictureArea::AddRect(const TRect& R)
{
    const bool Turned = FTurned;
    FTurned = false;
    AddBox(static_cast<Single>(R.Left), static_cast<Single>(R.Top), static_cast<Single>(R.Right),
           static_cast<Single>(R.Bottom));
    FTurned = Turned;
}

void TPictureArea::AddPolyline(const std::vector<TFloatPoint>& Points, bool Closed, Single PenWidth)
{
    const size_t N = Points.size();
    for (size_t i = 0; i < N; ++i) {
        Single Reach = PenWidth / 2;
        const bool End = !Closed && (i == 0 || i + 1 == N);
        if (PenWidth > 0 && !End && N > 2) Reach = CornerReach(Points[(i + N - 1) % N], Points[i], Points[(i + 1) % N], PenWidth);
        Grow(Points[i].X, Points[i].Y, Reach);
    }
}

void TPictureArea::AddPath(const TShapePath& Path, Single PenWidth)
{
    using TOp = TShapePath::TOp;
    // Where items of one figure meet, and along curves, the corners are not
    // known here: the longest miter.
    const Single Joint = MiterReach(PenWidth);
    for (const TShapePath::TItem& It : Path.Items()) {
        switch (It.Op) {
        case TOp::Rectangle: {
            // Right angles: a miter reaches half the width times the root of 2.
            const Single Reach = PenWidth * 0.7072f;
            AddBox(It.X, It.Y, It.X + It.Width, It.Y + It.Height, Reach);
            break;
        }
        case TOp::Ellipse: AddBox(It.X, It.Y, It.X + It.Width, It.Y + It.Height, PenWidth / 2); break;
        case TOp::Arc: AddBox(It.X, It.Y, It.X + It.Width, It.Y + It.Height, Joint); break;
        case TOp::Polygon: AddPolyline(It.Points, true, PenWidth); break;
        case TOp::Lines:
            AddPolyline(It.Points, false, PenWidth);
            if (!It.Points.empty()) {
                Grow(It.Points.front().X, It.Points.front().Y, Joint);
                Grow(It.Points.back().X, It.Points.back().Y, Joint);
            }
            break;
        case TOp::Beziers:
            for (const TFloatPoint& P : It.Points) Grow(P.X, P.Y, Joint);
            break;
        case TOp::Curve:
        case TOp::ClosedCurve: {
            // Each point's Bezier handles lie along the chord of its
            // neighbours, a third of the tension of it away: the whole chord
            // times the tension holds them whatever the platform's factor.
            const size_t N = It.Points.size();
            const bool Closed = It.Op == TOp::ClosedCurve;
            const Single T = std::fabs(It.Tension) + 0.5f;
            for (size_t i = 0; i < N; ++i) {
                const TFloatPoint& P = It.Points[i];
                const TFloatPoint& A = It.Points[Closed ? (i + N - 1) % N : (i > 0 ? i - 1 : 0)];
                const TFloatPoint& B = It.Points[Closed ? (i + 1) % N : std::min(i + 1, N - 1)];
                Grow(P.X, P.Y, Joint);
                Grow(P.X + T * (B.X - A.X), P.Y + T * (B.Y - A.Y), Joint);
                Grow(P.X - T * (B.X - A.X), P.Y - T * (B.Y - A.Y), Joint);
            }
            break;
        }
        case TOp::StartFigure:
        case TOp::CloseFigure: break;
        }
    }
}

TRect TPictureArea::Bounds(const TPoint& Nothing) const
{
    if (!FAny) return TRect{Nothing.X, Nothing.Y, Nothing.X + 1, Nothing.Y + 1};
    auto Clamp = [](double V) { return static_cast<Integer>(std::clamp(V, -Limit, Limit)); };
    return TRect{Clamp(std::floor(FLeft - Margin)), Clamp(std::floor(FTop - Margin)), Clamp(std::ceil(FRight + Margin)),
                 Clamp(std::ceil(FBottom + Margin))};
}

void AddClosedShape(TPictureArea& A, const TImgShape& Shape, const TClosedShapeDraw& Args)
{
    // The pen of each draw mode: 0 the outline's, 1 a hairline, 2 twice the
    // edging width, 3 none (a fill in the outline colour).
    Single Pen = 0;
    switch (Shape.DrawMode2()) {
    case 0: Pen = Shape.IsOutline() ? static_cast<Single>(std::max(Shape.OutWidth(), 0)) : 0; break;
    case 3: break;
    case 1: Pen = 1; break;
    default: Pen = 2.0f * static_cast<Single>(std::clamp(Shape.GradientEdgingWidth(), 1, 65536)); break;
    }
    A.SetTurn(Args.Angle, Args.Center);
    A.AddPath(Args.Path, Pen);
    if (const TCustomBitmap32* Glow = Shape.GradientEdgingBmp(); Glow && !Glow->Empty()) {
        // Placed by the turned rectangle, never turned itself.
        const TRect RR = Shape.RotateRect();
        const Integer E = Shape.GradientEdgingExtendLength();
        A.AddRect(TRect{RR.Left - E, RR.Top - E, RR.Left - E + Glow->Width(), RR.Top - E + Glow->Height()});
    }
}

TRect ClosedShapeArea(const TImgShape& Shape, const TClosedShapeDraw& Args)
{
    TPictureArea A;
    AddClosedShape(A, Shape, Args);
    return A.Bounds(TPoint{Args.Bounds.X, Args.Bounds.Y});
}
