#include "document/win/ImageShapes_Win.h"

#include <algorithm>

#include "document/win/ImageEffects_Win.h"

namespace {
std::vector<TGPPointF> GPPoints(const std::vector<TFloatPoint>& Points)
{
    std::vector<TGPPointF> Out(Points.size());
    for (size_t i = 0; i < Points.size(); ++i) Out[i] = TGPPointF{Points[i].X, Points[i].Y};
    return Out;
}
}  // namespace

void PaintPolygon(TImgPolygon& Shape, TCustomBitmap32& Target, const TClosedShapeDraw& Outline)
{
    const bool Elliptic =
        Shape.GradientMode() != -1 && Shape.GradientFillMode() == 2 && Shape.DrawMode2() == 0;
    if (!Shape.PlacingByClicks() && !Elliptic) {
        DrawClosedShape(Shape, &Target, Outline);
        return;
    }
    TBitmapGraphics Scope(Target);
    if (!Scope) return;
    IGPGraphics& G = *Scope.Graphics();
    G.SetSmoothingMode(Shape.Antialias() ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone);
    if (Shape.PlacingByClicks()) {
        // The rubber band: the nodes so far and the pointer.
        TArrayOfPoint Nodes = Shape.Nodes();
        Nodes.push_back(Shape.PointMoved());
        std::vector<TGPPointF> Band(Nodes.size());
        for (size_t i = 0; i < Nodes.size(); ++i)
            Band[i] = TGPPointF{static_cast<Single>(Nodes[i].X), static_cast<Single>(Nodes[i].Y)};
        if (Band.size() >= 2) G.DrawLines(OutlinePen(Shape), Band);
        return;
    }
    // The polygon's elliptic gradient runs on an ellipse round its nodes,
    // not round its rectangle.
    TGPPtr<IGPGraphicsPath> Path = MakeGPPath(Outline.Path);
    const TGPRect R{Outline.Bounds.X, Outline.Bounds.Y, Outline.Bounds.Width, Outline.Bounds.Height};
    const TRect B = Shape.EllipticGradientBox();
    TGPPtr<IGPGraphicsPath> Ellipse(new TGPGraphicsPath());
    Ellipse->AddPathEllipseI(B.Left, B.Top, B.Right - B.Left, B.Bottom - B.Top);
    FillPathGradient(Shape, G, Ellipse, Path);
    FillClosedShapePart(Shape, G, Path, R, Target, TFillPart::OutlineOnly);
}

void PaintLine(TImgLine& Shape, TCustomBitmap32& Target)
{
    TBitmapGraphics Scope(Target);
    if (!Scope) return;
    IGPGraphics& G = *Scope.Graphics();
    TLineGeometry Geo;
    Shape.GetGeometry(Geo);
    G.SetSmoothingMode(Shape.Antialias() && !Geo.Crisp ? Gdiplus::SmoothingModeAntiAlias
                                                       : Gdiplus::SmoothingModeNone);
    // The line, its heads and dots are one path, filled once: a dashed or
    // gradient arrow is one piece.
    TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath(FillModeWinding));
    const std::vector<TGPPointF> Shaft = GPPoints(Geo.Shaft);
    if (Geo.Bezier && Shaft.size() == 4)
        Path->AddPathBezier(Shaft[0], Shaft[1], Shaft[2], Shaft[3]);
    else if (Shaft.size() >= 2)
        Path->AddPathLine2(Shaft);
    Path->WidenPath(OutlinePen(Shape), nullptr, 0.25f);
    for (const std::vector<TFloatPoint>& Head : Geo.Heads) Path->AddPathPolygon(GPPoints(Head));
    for (const TRect& D : Geo.Dots) Path->AddPathEllipseI(D.Left, D.Top, D.Right - D.Left, D.Bottom - D.Top);

    const Integer Kind = Shape.GradientFillMode();
    const TRect& SR = Shape.SRect();
    const Integer W = Shape.OutWidth();
    if (Shape.GradientMode() == -1 || (Kind == 0 && Shape.Adjusting())) {
        G.FillPath(TGPPtr<IGPBrush>(new TGPSolidBrush(WithOpacity(Shape.Color(), Shape.Opacity()))), Path);
    } else if (Kind == 4 || Kind == 5) {
        // Hatch, and texture tiled from the rectangle's corner.
        FillClosedShapePart(Shape, G, Path, TGPRect{SR.Left, SR.Top, SR.Right - SR.Left, SR.Bottom - SR.Top}, Target,
                 TFillPart::KindOnly);
    } else if (Kind == 0) {
        // The linear gradient spans the rectangle grown by three pen widths.
        FillClosedShapePart(Shape, G, Path,
                            TGPRect{SR.Left - 3 * W, SR.Top - 3 * W, SR.Right - SR.Left + 6 * W, SR.Bottom - SR.Top + 6 * W},
                 Target, TFillPart::KindOnly);
    }
    // Kinds 1 to 3 have no meaning for a line: nothing is painted.
}

void InstallImageShapeHooks()
{
    ImagePolygonHooks.Paint = &PaintPolygon;
    ImageLineHooks.Paint = &PaintLine;
}
