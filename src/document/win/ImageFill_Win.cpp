#include "document/win/ImageFill_Win.h"

#include "document/win/ImageEffects_Win.h"

void PaintGradient(TCustomBitmap32& Surface, const TGradientPlan& Plan)
{
    if (Plan.Shape == gsNone || Plan.Colors.size() < 2 || Plan.Colors.size() != Plan.Positions.size()) return;
    TBitmapGraphics Scope(Surface);
    if (!Scope) return;
    IGPGraphics& G = *Scope.Graphics();
    std::vector<TGPColor> Colors(Plan.Colors.size());
    for (size_t i = 0; i < Colors.size(); ++i) Colors[i] = GPColorFromColor32(Plan.Colors[i]);
    TGPPtr<IGPColorBlend> Blend(new TGPColorBlend(Colors, Plan.Positions));
    const TRect& B = Plan.Bounds;
    const TGPRect Bounds{B.Left, B.Top, B.Right - B.Left, B.Bottom - B.Top};
    const TGPPointF Center{Plan.Center.X, Plan.Center.Y};
    if (Plan.Shape == gsLinear) {
        TGPPtr<IGPLinearGradientBrush> Brush(new TGPLinearGradientBrush(
            TGPPointF{Plan.Start.X, Plan.Start.Y}, TGPPointF{Plan.Finish.X, Plan.Finish.Y}, Colors.front(),
            Colors.back()));
        // The brush spans the raster's whole projection; should a pixel edge
        // fall just outside, it mirrors the end colour instead of restarting.
        Brush->SetLineWrapMode(WrapModeTileFlipX);
        Brush->SetLinePresetBlend(Blend);
        G.FillRectangleI(Brush, Bounds);
        return;
    }
    TGPPtr<IGPGraphicsPath> Path(new TGPGraphicsPath(FillModeAlternate));
    if (Plan.Shape == gsRadial) {
        const Single R = Plan.Radius;
        Path->AddPathEllipse(Plan.Center.X - R, Plan.Center.Y - R, 2 * R, 2 * R);
    } else {
        std::vector<TGPPoint> Corners;
        for (const TPoint& P : Plan.Corners) Corners.push_back(TGPPoint{P.X, P.Y});
        Path->AddPathPolygonI(Corners);
    }
    TGPPtr<IGPPathGradientBrush> Brush(new TGPPathGradientBrush(Path));
    Brush->SetPathGradientCenterPoint(Center);
    // The outer and inner colours first: a GDI+ that ignores the blend on path
    // brushes (Wine's) still shades from the outline to the centre.
    Brush->SetPathGradientCenterColor(Colors.back());
    Integer Count = 1;
    Brush->SetPathGradientSurroundColorsWithCount(std::span<const TGPColor>(&Colors.front(), 1), Count);
    Brush->SetPathGradientPresetBlend(Blend);
    if (Plan.Shape == gsRadial)
        G.FillRectangleI(Brush, Bounds);
    else
        G.FillPath(Brush, Path);
}

void InstallImageFillHooks() { GradientHooks.Paint = &PaintGradient; }
