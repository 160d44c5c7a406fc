#include "document/win/ImageFreeShape_Win.h"

#include <algorithm>

#include "document/win/ImageEffects_Win.h"
#include "document/win/ImageShapes_Win.h"

namespace {
TGPPoint GPPoint(const TPoint& P) { return TGPPoint{P.X, P.Y}; }
}  // namespace

void PaintFreeShape(TImgFreeShape& Shape, TCustomBitmap32& Target)
{
    TBitmapGraphics Scope(Target);
    if (!Scope) return;
    IGPGraphics& G = *Scope.Graphics();
    G.SetSmoothingMode(Shape.Antialias() ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone);
    const TGPPtr<IGPPen> Pen = OutlinePen(Shape);
    if (Shape.Creating()) {
        const std::vector<TPoint> Chain = Shape.CreatingChain();
        if (Chain.size() < 4) return;
        std::vector<TGPPoint> Points(Chain.size());
        std::transform(Chain.begin(), Chain.end(), Points.begin(), GPPoint);
        // A chain of Beziers takes 3n + 1 points: a loose end is left out.
        Points.resize((Points.size() - 1) / 3 * 3 + 1);
        G.DrawBeziersI(Pen, Points);
        return;
    }
    if (Shape.Angle() != 0) {
        const TFloatPoint C = Shape.TurnCentre();
        G.TranslateWorldTransform(C.X, C.Y);
        G.RotateWorldTransform(360 - Shape.Angle());
        G.TranslateWorldTransform(-C.X, -C.Y);
    }
    TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath(FillModeWinding));
    for (const TBezierSegment& B : Shape.Segments())
        Path->AddPathBezierI(GPPoint(B.S), GPPoint(B.C1), GPPoint(B.C2), GPPoint(B.E));
    if (Shape.IsFill())
        G.FillPath(TGPPtr<IGPBrush>(new TGPSolidBrush(WithOpacity(Shape.FillColor(), Shape.Opacity()))), Path);
    // An object with neither fill nor outline still shows its outline.
    if (Shape.IsOutline() || !Shape.IsFill()) G.DrawPath(Pen, Path);
}

void InstallImageFreeShapeHooks() { ImageFreeShapeHooks.Paint = &PaintFreeShape; }
