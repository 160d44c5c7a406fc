#include "document/win/ImageCallout_Win.h"

namespace {
TGPRect GPRect(const TShapeBounds& B) { return TGPRect{B.X, B.Y, B.Width, B.Height}; }

TGPPtr<IGPGraphicsPath> EllipsePath(const TShapeBounds& B)
{
    TGPPtr<IGPGraphicsPath> P(new TGPGraphicsPath());
    P->AddPathEllipseI(B.X, B.Y, B.Width, B.Height);
    return P;
}
}  // namespace

void PaintCalloutFrame(TImgShape& Shape, const TCalloutPoints& Points, const TShapePath& Outline, IGPGraphics& G,
                       TCustomBitmap32& Target)
{
    if (Outline.Empty()) return;
    const TGPPtr<IGPGraphicsPath> Path = MakeGPPath(Outline);
    const TRect& F = Shape.SRect();
    const TGPRect R{F.Left, F.Top, F.Right - F.Left, F.Bottom - F.Top};
    const Integer Style = Shape.StyleId(), Kind = Shape.GradientFillMode();
    const bool Gradient = Shape.DrawMode2() == 0 && Shape.GradientMode() != -1;
    TPoint Tip;
    const bool HasTip = Points.TipPoint(Style, Tip);
    TShapeBounds Bubbles[3];
    if (Gradient && HasTip && Kind == 0) {
        FillClosedShape(Shape, G, Path, GPRect(Points.LinearGradientRect(Shape)), Target);
    } else if (Gradient && Kind == 1 && Points.BubbleEllipses(Shape, Bubbles)) {
        // Each bubble shades from its own rim to its own centre.
        for (const TShapeBounds& E : Bubbles) FillPathGradient(Shape, G, EllipsePath(E), Path);
        FillClosedShapePart(Shape, G, Path, R, Target, TFillPart::OutlineOnly);
    } else if (Gradient && HasTip && Kind == 2) {
        FillPathGradient(Shape, G, EllipsePath(Points.EllipticGradientBox(Shape)), Path);
        FillClosedShapePart(Shape, G, Path, R, Target, TFillPart::OutlineOnly);
    } else {
        FillClosedShape(Shape, G, Path, R, Target);
    }
    if (Shape.DrawMode2() == 0 && Shape.IsOutline() && Style == 0 && Points.FPointsCount >= 1) {
        // The note's fold, with the outline's pen.
        const TPoint P = Points.FPoints[0];
        const Single X = static_cast<Single>(F.Left), Y = static_cast<Single>(F.Top);
        const Single PX = static_cast<Single>(P.X), PY = static_cast<Single>(P.Y);
        const TGPPointF Fold[3] = {{X, PY}, {PX, PY}, {PX, Y}};
        G.DrawLines(OutlinePen(Shape), std::span<const TGPPointF>(Fold));
    }
}
