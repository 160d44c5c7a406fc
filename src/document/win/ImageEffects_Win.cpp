#include "document/win/ImageEffects_Win.h"

#include <algorithm>

#include "framework/runtime/win/Classes_Win.h"

TGPColor WithOpacity(TColor Color, Integer Opacity)
{
    return GPColorFromColor32((ColorToColor32(Color) & 0x00FFFFFF) |
                              (static_cast<TColor32>(std::clamp(Opacity, 0, 255)) << 24));
}

namespace {

std::vector<TGPPointF> GPPoints(const std::vector<TFloatPoint>& Points)
{
    std::vector<TGPPointF> Out(Points.size());
    for (size_t i = 0; i < Points.size(); ++i) Out[i] = TGPPointF{Points[i].X, Points[i].Y};
    return Out;
}

TGPPtr<IGPColorBlend> CachedBlend(TImgShape& Shape)
{
    const auto& Colors = Shape.GradientColors();
    const auto& Positions = Shape.GradientPositions();
    const size_t N = std::min(Colors.size(), Positions.size());
    std::vector<TGPColor> C(N);
    for (size_t i = 0; i < N; ++i) C[i] = GPColorFromColor32(Colors[i]);
    return TGPPtr<IGPColorBlend>(new TGPColorBlend(std::span<const TGPColor>(C), std::span<const Single>(Positions.data(), N)));
}

void RebuildGradient(TImgShape& Shape)
{
    TRow ColorRow, OpacityRow, PositionRow;
    SplitGradientList(Shape.GradientColor(), ColorRow);
    SplitGradientList(Shape.GradientOpacity(), OpacityRow);
    SplitGradientList(Shape.GradientPosition(), PositionRow);
    BuildGradientBlend(ColorRow, OpacityRow, PositionRow, Shape.Opacity(), Shape.GradientColors(),
                       Shape.GradientPositions(), 0, 0);
}

// The fill of the gradient, hatch and texture kinds; false when the kind
// falls back to the solid fill.
bool FillByKind(TImgShape& Shape, IGPGraphics& G, const TGPPtr<IGPGraphicsPath>& Path, const TGPRect& R)
{
    if (Shape.GradientMode() == -1) return false;
    const Integer Kind = Shape.GradientFillMode();
    if (Kind == 4) {
        TGPPtr<IGPBrush> Brush(new TGPHatchBrush(GdiHatchStyle(Shape.GradientHatchMode()),
                                                 WithOpacity(Shape.GradientHatchForeColor(), 255),
                                                 WithOpacity(Shape.GradientHatchBackColor(), 255)));
        G.FillPath(Brush, Path);
        return true;
    }
    if (Kind == 5) {
        if (Shape.GradientTextureFileName().empty()) return true;
        TGPPtr<IGPImage> Image = TextureImage(RegisterTexture(Shape.GradientTextureFileName()));
        if (!Image) return true;
        TGPPtr<IGPTextureBrush> Brush(new TGPTextureBrush(Image, WrapModeTile));
        Brush->TranslateTextureTransform(static_cast<Single>(R.X), static_cast<Single>(R.Y));
        G.FillPath(Brush, Path);
        return true;
    }
    if (Kind < 0 || Kind > 2) return false;
    if (Shape.Changed2() || Shape.GradientColors().empty()) RebuildGradient(Shape);
    if (Shape.GradientColors().size() < 2) return true;  // no usable stop: nothing to fill with
    if (Kind == 0) {
        const TGPColor Red = MakeGPColor(255, 255, 0, 0), Blue = MakeGPColor(255, 0, 0, 255);
        TGPPtr<IGPLinearGradientBrush> Brush(
            new TGPLinearGradientBrush(R, Red, Blue, static_cast<Single>(Shape.GradientLinearAngle()), false));
        Brush->SetLineGammaCorrection(Shape.GradientGammaCorrected());
        Brush->SetLinePresetBlend(CachedBlend(Shape));
        G.FillPath(Brush, Path);
        return true;
    }
    TGPPtr<IGPGraphicsPath> GradientPath = Path;
    if (Kind == 2) {
        // The smallest ellipse, in 10-pixel steps, whose inscribed rectangle
        // corner holds the shape's corner.
        const TGradientBox B = GrowEllipticGradientBox({Extended(R.X), Extended(R.Y), Extended(R.Width), Extended(R.Height)},
                                                       Shape.CenterPoint(), {{Single(R.X), Single(R.Y)}});
        GradientPath = TGPPtr<IGPGraphicsPath>(new TGPGraphicsPath());
        GradientPath->AddPathEllipse(static_cast<Single>(B.X), static_cast<Single>(B.Y),
                                     static_cast<Single>(B.Width), static_cast<Single>(B.Height));
    }
    FillPathGradient(Shape, G, GradientPath, Path);
    return true;
}

void DrawClosedShapeHook(TImgShape& Shape, TCustomBitmap32& Target, const TClosedShapeDraw& Args)
{
    TBitmapGraphics Scope(Target);
    if (!Scope) return;
    IGPGraphics& G = *Scope.Graphics();
    TurnGraphics(G, Args.Angle, Args.Center);
    G.SetSmoothingMode(Args.Smooth ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone);
    FillClosedShape(Shape, G, MakeGPPath(Args.Path),
                    TGPRect{Args.Bounds.X, Args.Bounds.Y, Args.Bounds.Width, Args.Bounds.Height}, Target);
}

bool IsRemoteDrive(const String& FileName)
{
    String Root;
    if (FileName.size() >= 2 && FileName[1] == u':')
        Root = FileName.substr(0, 2) + u"\\";
    else
        return false;  // relative paths are on the current drive, which the program chose
    return GetDriveTypeW(WStr(Root)) == DRIVE_REMOTE;
}
}  // namespace

// ---------------------------------------------------------------------------

TBitmapGraphics::TBitmapGraphics(TCustomBitmap32& Bitmap) : FBitmap(Bitmap)
{
    if (Bitmap.Empty()) return;
    FImage = TGPPtr<IGPImage>(new TGPBitmap(Bitmap.Width(), Bitmap.Height(), Bitmap.Width() * 4,
                                            PixelFormat32bppARGB, reinterpret_cast<Byte*>(Bitmap.Bits())));
    if (!FImage->GetNativeHandle()) return;
    FGraphics = TGPGraphics::FromImage(FImage);
}

TBitmapGraphics::~TBitmapGraphics()
{
    // GDI+ writes through to the pixels; the graphics goes first.
    FGraphics.reset();
    FImage.reset();
    if (!FBitmap.Empty()) FBitmap.Changed();
}

void TurnGraphics(IGPGraphics& G, Single Angle, const TFloatPoint& Center)
{
    if (Angle == 0) return;
    G.TranslateWorldTransform(Center.X, Center.Y);
    G.RotateWorldTransform(360 - Angle);
    G.TranslateWorldTransform(-Center.X, -Center.Y);
}

TGPPtr<IGPImage> TextureImage(Integer Index)
{
    if (Index < 0 || Index >= TextureTable().ItemCount()) return nullptr;
    auto* Bytes = TextureTable().GetItem(Index)->Data().As<TMemoryStream>();
    if (!Bytes) return nullptr;
    Bytes->SetPosition(0);
    // The adapter leaves the stream to the cache; GDI+ holds the adapter.
    TGPPtr<IGPImage> Image = TGPImage::FromStream(new TStreamAdapter(Bytes, soReference));
    if (!Image || !Image->GetNativeHandle()) return nullptr;
    return Image;
}

TGPPtr<IGPGraphicsPath> MakeGPPath(const TShapePath& Path)
{
    TGPPtr<IGPGraphicsPath> P(new TGPGraphicsPath(FillModeAlternate));
    using TOp = TShapePath::TOp;
    for (const TShapePath::TItem& I : Path.Items()) {
        const auto Points = GPPoints(I.Points);
        const std::span<const TGPPointF> Span(Points);
        switch (I.Op) {
        case TOp::Rectangle: P->AddPathRectangle(TGPRectF{I.X, I.Y, I.Width, I.Height}); break;
        case TOp::Ellipse: P->AddPathEllipse(I.X, I.Y, I.Width, I.Height); break;
        case TOp::Arc: P->AddPathArc(I.X, I.Y, I.Width, I.Height, I.Start, I.Sweep); break;
        case TOp::Lines:
            if (Points.size() >= 2) P->AddPathLine2(Span);
            break;
        case TOp::Polygon:
            if (Points.size() >= 2) P->AddPathPolygon(Span);
            break;
        case TOp::Beziers:
            if (Points.size() >= 4 && (Points.size() - 1) % 3 == 0) P->AddPathBeziers(Span);
            break;
        case TOp::Curve:
            if (Points.size() >= 2) P->AddPathCurve2(Span, I.Tension);
            break;
        case TOp::ClosedCurve:
            if (Points.size() >= 3) P->AddPathClosedCurve2(Span, I.Tension);
            break;
        case TOp::StartFigure: P->StartPathFigure(); break;
        case TOp::CloseFigure: P->ClosePathFigure(); break;
        }
    }
    return P;
}

void FillClosedShape(TImgShape& Shape, IGPGraphics& G, const TGPPtr<IGPGraphicsPath>& Path, const TGPRect& R,
                     TCustomBitmap32& Target)
{
    const Integer Mode = Shape.DrawMode2();
    if (Mode != 0) {
        G.SetSmoothingMode(Gdiplus::SmoothingModeNone);
        const TGPColor Outline = WithOpacity(Shape.Color(), 255);
        if (Mode == 3) {
            G.FillPath(TGPPtr<IGPBrush>(new TGPSolidBrush(Outline)), Path);
        } else {
            // A document's width beyond the bitmap's size changes nothing.
            const Single Width = Mode == 1 ? 1.0f : 2.0f * static_cast<Single>(std::clamp(Shape.GradientEdgingWidth(), 1, 65536));
            G.DrawPath(TGPPtr<IGPPen>(new TGPPen(Outline, Width)), Path);
        }
        return;
    }
    if (!FillByKind(Shape, G, Path, R) && Shape.IsFill())
        G.FillPath(TGPPtr<IGPBrush>(new TGPSolidBrush(WithOpacity(Shape.FillColor(), Shape.Opacity()))), Path);
    if (!Shape.IsOutline()) return;
    if (Shape.GradientMode() != -1 && Shape.GradientFillMode() == 3 && !Shape.Adjusting() && Shape.GradientEdgingBmp()) {
        const TRect RR = Shape.RotateRect();
        const Integer E = Shape.GradientEdgingExtendLength();
        // The glow is blended into the pixels GDI+ draws on; GDI+ writes
        // through to them, so what it drew so far is already there.
        Shape.GradientEdgingBmp()->DrawTo(&Target, RR.Left - E, RR.Top - E);
    }
    G.DrawPath(OutlinePen(Shape), Path);
}

TGPPtr<IGPPen> OutlinePen(TImgShape& Shape)
{
    TGPPtr<IGPPen> Pen(new TGPPen(WithOpacity(Shape.Color(), Shape.Opacity()), static_cast<Single>(Shape.OutWidth())));
    Pen->SetPenDashStyle(Shape.PenStyle());
    return Pen;
}

void FillPathGradient(TImgShape& Shape, IGPGraphics& G, const TGPPtr<IGPGraphicsPath>& GradientPath,
                      const TGPPtr<IGPGraphicsPath>& Path)
{
    if (Shape.Changed2() || Shape.GradientColors().empty()) RebuildGradient(Shape);
    if (std::min(Shape.GradientColors().size(), Shape.GradientPositions().size()) < 2) return;
    TGPPtr<IGPPathGradientBrush> Brush(new TGPPathGradientBrush(GradientPath));
    Brush->SetPathGradientGammaCorrection(Shape.GradientGammaCorrected());
    // The outer and inner stops as surround and centre colours first: a GDI+
    // that ignores the interpolation colours on path gradients (Wine's) then
    // still shades from the outline to the centre instead of leaving white.
    const TGPColor Outer = GPColorFromColor32(Shape.GradientColors().front());
    Brush->SetPathGradientCenterColor(GPColorFromColor32(Shape.GradientColors().back()));
    Integer Count = 1;
    Brush->SetPathGradientSurroundColorsWithCount(std::span<const TGPColor>(&Outer, 1), Count);
    Brush->SetPathGradientPresetBlend(CachedBlend(Shape));
    G.FillPath(Brush, Path);
}

void FillClosedShapePart(TImgShape& Shape, IGPGraphics& G, const TGPPtr<IGPGraphicsPath>& Path, const TGPRect& R,
                         TCustomBitmap32& Target, TFillPart Part)
{
    const bool IsFill = Shape.IsFill(), IsOutline = Shape.IsOutline();
    const Integer GradientMode = Shape.GradientMode();
    auto Restore = ScopeExit([&] {
        Shape.SetIsFill(IsFill);
        Shape.SetIsOutline(IsOutline);
        Shape.SetGradientMode(GradientMode);
    });
    Shape.SetIsFill(false);
    if (Part == TFillPart::KindOnly)
        Shape.SetIsOutline(false);
    else
        Shape.SetGradientMode(-1);
    FillClosedShape(Shape, G, Path, R, Target);
}

void FillLinearGradient(TCustomBitmap32& Bitmap, const TRect& Rect, std::span<const TGPColor> Colors,
                        std::span<const Single> Positions, TGPLinearGradientMode Mode)
{
    if (Colors.size() < 2 || Colors.size() != Positions.size()) return;
    TBitmapGraphics Scope(Bitmap);
    if (!Scope) return;
    const TGPRect R{Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top};
    if (R.Width <= 0 || R.Height <= 0) return;
    TGPPtr<IGPLinearGradientBrush> Brush(
        new TGPLinearGradientBrush(R, MakeGPColor(255, 255, 0, 0), MakeGPColor(255, 0, 0, 255), Mode));
    Brush->SetLinePresetBlend(TGPPtr<IGPColorBlend>(new TGPColorBlend(Colors, Positions)));
    Scope.Graphics()->FillRectangleI(Brush, R);
}

namespace {
// The outline of a frame's opening: an anti-aliased pen centred on the path,
// or the path widened by that pen filled with a tiled texture.
void StrokeFramePath(TCustomBitmap32& Target, const TShapePath& Path, Single Width, TColor32 Color, Integer Texture)
{
    TBitmapGraphics Scope(Target);
    if (!Scope || Path.Empty()) return;
    IGPGraphics& G = *Scope.Graphics();
    G.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    TGPPtr<IGPGraphicsPath> P = MakeGPPath(Path);
    TGPPtr<IGPPen> Pen(new TGPPen(GPColorFromColor32(Color), Width));
    if (TGPPtr<IGPImage> Image = TextureImage(Texture)) {
        P->WidenPath(Pen, nullptr, 0.25f);
        G.FillPath(TGPPtr<IGPBrush>(new TGPTextureBrush(Image, WrapModeTile)), P);
        return;
    }
    G.DrawPath(Pen, P);
}
}  // namespace

void InstallImageEffectsHooks()
{
    FrameHooks.StrokePath = &StrokeFramePath;
    ImageEffectsHooks.DrawClosedShape = &DrawClosedShapeHook;
    ImageEffectsHooks.IsRemoteDrive = &IsRemoteDrive;
}
