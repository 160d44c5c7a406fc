#include "document/win/ImageLines_Win.h"

#include "document/win/ImageEffects_Win.h"

namespace {
void SetSmoothing(IGPGraphics& G, bool Smooth)
{
    G.SetSmoothingMode(Smooth ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeDefault);
}

void FillShape(IGPGraphics& G, const TGPPtr<IGPBrush>& Brush, TLinesDrawing::TFilled Kind, const TRect& R,
               bool Smooth)
{
    if (Kind == TLinesDrawing::fNone) return;
    SetSmoothing(G, Smooth);
    const TGPRect Box{R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top};
    if (Kind == TLinesDrawing::fCircle) G.FillEllipseI(Brush, Box);
    else G.FillRectangleI(Brush, Box);
}

std::vector<TGPPointF> GPPoints(const std::vector<TPoint>& Points)
{
    std::vector<TGPPointF> Out(Points.size());
    for (size_t i = 0; i < Points.size(); ++i)
        Out[i] = TGPPointF{static_cast<Single>(Points[i].X), static_cast<Single>(Points[i].Y)};
    return Out;
}
}  // namespace

void PaintLines(TImgLines& Shape, TCustomBitmap32& Target, const TLinesDrawing& Plan)
{
    TBitmapGraphics Scope(Target);
    if (!Scope) return;
    IGPGraphics& G = *Scope.Graphics();
    const TGPColor Color = WithOpacity(Shape.Color(), Shape.Opacity());
    const TGPPtr<IGPBrush> Brush(new TGPSolidBrush(Color));
    FillShape(G, Brush, Plan.Tip, Plan.TipRect, Plan.TipSmooth);
    SetSmoothing(G, Plan.Smooth);
    if (Plan.Points.size() >= 2) {
        TGPPtr<IGPPen> Pen(new TGPPen(Color, Plan.Width));
        if (Plan.RoundCaps) {
            Pen->SetPenStartCap(Gdiplus::LineCapRound);
            Pen->SetPenEndCap(Gdiplus::LineCapRound);
        }
        if (Plan.RoundJoins) Pen->SetPenLineJoin(Gdiplus::LineJoinRound);
        const std::vector<TGPPointF> Points = GPPoints(Plan.Points);
        if (Plan.Curve) G.DrawCurve(Pen, Points);
        else G.DrawLines(Pen, Points);
    }
    if (!Plan.NibQuads.empty()) {
        // One path filled once: where the quadrilaterals overlap a
        // translucent stroke is not blended twice.
        TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath(FillModeWinding));
        for (const auto& Q : Plan.NibQuads) {
            std::vector<TGPPointF> P(Q.size());
            for (size_t i = 0; i < Q.size(); ++i) P[i] = TGPPointF{Q[i].X, Q[i].Y};
            Path->AddPathPolygon(P);
        }
        G.FillPath(Brush, Path);
    }
    FillShape(G, Brush, Plan.Mark, Plan.MarkRect, Plan.Mark == TLinesDrawing::fCircle && Plan.Smooth);
}

void InstallImageLinesHooks() { ImageLinesHooks.Paint = &PaintLines; }
