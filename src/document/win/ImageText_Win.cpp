#include "document/win/ImageText_Win.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "document/win/ImageCallout_Win.h"
#include "document/win/ImageEffects_Win.h"

namespace {
using TText = TTextDrawing::TText;

TGPPtr<IGPColorBlend> LetterBlend(const TImgText& Shape)
{
    const auto& Colors = Shape.TextGradientColors();
    const auto& Positions = Shape.TextGradientPositions();
    const size_t N = std::min(Colors.size(), Positions.size());
    if (N < 2) return nullptr;  // no usable stop: nothing to fill with
    std::vector<TGPColor> C(N);
    for (size_t i = 0; i < N; ++i) C[i] = GPColorFromColor32(Colors[i]);
    return TGPPtr<IGPColorBlend>(
        new TGPColorBlend(std::span<const TGPColor>(C), std::span<const Single>(Positions.data(), N)));
}

// The letters' fill by the plan's kind; G is the text path's integer bounds.
void FillLetters(const TImgText& Shape, IGPGraphics& G, const TGPPtr<IGPGraphicsPath>& Letters,
                 const TTextDrawing& D, const TGPPtr<IGPBrush>& TextBrush)
{
    if (D.LetterFill == TLetterFill::None) return;
    if (D.LetterFill == TLetterFill::Solid) {
        G.FillPath(TextBrush, Letters);
        return;
    }
    TGPRect B;
    Letters->GetPathWorldBoundsI(B);
    if (B.Width <= 0 || B.Height <= 0) return;  // no letters
    if (D.LetterFill == TLetterFill::Texture) {
        TGPPtr<IGPImage> Image = TextureImage(D.TextureIndex);
        if (!Image) return;
        TGPPtr<IGPTextureBrush> Brush(new TGPTextureBrush(Image, WrapModeTile));
        Brush->TranslateTextureTransform(static_cast<Single>(B.X), static_cast<Single>(B.Y));
        G.FillPath(Brush, Letters);
        return;
    }
    TGPPtr<IGPColorBlend> Blend = LetterBlend(Shape);
    if (!Blend) return;
    if (D.LetterFill == TLetterFill::Linear) {
        TGPPtr<IGPLinearGradientBrush> Brush(new TGPLinearGradientBrush(
            B, MakeGPColor(255, 255, 0, 0), MakeGPColor(255, 0, 0, 255),
            static_cast<Single>(Shape.TextGradientLinearAngle()), false));
        Brush->SetLineGammaCorrection(Shape.TextGradientGammaCorrected());
        Brush->SetLinePresetBlend(Blend);
        G.FillPath(Brush, Letters);
        return;
    }
    // Elliptic: an ellipse round the letters' centre wide enough to hold
    // their top-left corner.
    const TFloatPoint Centre{B.X + B.Width / 2.0f, B.Y + B.Height / 2.0f};
    const TGradientBox E = GrowEllipticGradientBox({Extended(B.X), Extended(B.Y), Extended(B.Width), Extended(B.Height)},
                                                   Centre, {{static_cast<Single>(B.X), static_cast<Single>(B.Y)}});
    TGPPtr<IGPGraphicsPath> Ellipse(new TGPGraphicsPath());
    Ellipse->AddPathEllipse(static_cast<Single>(E.X), static_cast<Single>(E.Y), static_cast<Single>(E.Width),
                            static_cast<Single>(E.Height));
    TGPPtr<IGPPathGradientBrush> Brush(new TGPPathGradientBrush(Ellipse));
    Brush->SetPathGradientGammaCorrection(Shape.TextGradientGammaCorrected());
    // The end stops as surround and centre colours as well, for a GDI+ that
    // ignores the interpolation colours of path gradients (Wine's).
    const TGPColor Outer = GPColorFromColor32(Shape.TextGradientColors().front());
    Integer Count = 1;
    Brush->SetPathGradientCenterColor(GPColorFromColor32(Shape.TextGradientColors().back()));
    Brush->SetPathGradientSurroundColorsWithCount(std::span<const TGPColor>(&Outer, 1), Count);
    Brush->SetPathGradientPresetBlend(Blend);
    G.FillPath(Brush, Letters);
}
}  // namespace

void PaintText(TImgText& Shape, TCustomBitmap32& Target, const TTextDrawing& D)
{
    // The bitmap's own device context writes with the text's spacing (the
    // platform's canvas text of the view bitmap follows it).
    if (D.Text == TText::String)
        if (auto* Native = dynamic_cast<TBitmap32*>(&Target)) SetTextCharacterExtra(Native->Handle(), 5);
    TBitmapGraphics Scope(Target);
    if (!Scope) return;
    IGPGraphics& G = *Scope.Graphics();
    TurnGraphics(G, D.Frame.Angle, D.Frame.Center);
    if (D.Frame.Smooth) G.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const TShapeBounds& F = D.Frame.Bounds;
    const TGPRect FrameRect{F.X, F.Y, F.Width, F.Height};
    // Frame fill, edging and outline; the draw modes 1 to 3 paint the frame alone.
    if (Shape.ShapeType() == shCallout)
        PaintCalloutFrame(Shape, Shape.Callout(), D.Frame.Path, G, Target);
    else
        FillClosedShape(Shape, G, MakeGPPath(D.Frame.Path), FrameRect, Target);
    if (D.FrameOnly || D.Text == TText::None) return;

    if (D.Text == TText::CreatingFrame) {
        G.SetSmoothingMode(Gdiplus::SmoothingModeNone);
        TGPPtr<IGPPen> Pen(new TGPPen(MakeGPColor(255, 255, 0, 0), 1));
        Pen->SetPenDashStyle(1);
        G.DrawRectangleI(Pen, FrameRect);
        return;
    }
    // A font the system does not know draws no text.
    TGPPtr<IGPFontFamily> Family(new TGPFontFamily(Shape.FontName()));
    if (!Family->GetNativeHandle()) return;
    TGPPtr<IGPStringFormat> Format(new TGPStringFormat(0, 0));
    Format->SetStringFormatAlign(D.Alignment);
    Format->SetStringFormatLineAlign(D.LineAlignment);
    if (D.Vertical) Format->SetStringFormatFlags(Gdiplus::StringFormatFlagsDirectionVertical);
    const TGPRectF Layout{D.LayoutX, D.LayoutY, D.LayoutWidth, D.LayoutHeight};
    TGPPtr<IGPBrush> TextBrush(new TGPSolidBrush(GPColorFromColor32(D.TextColor)));

    if (D.Text == TText::Shapes) {
        G.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        // Wine's GDI+ overflows its stack flattening the curves of small
        // letters far from the picture's corner: they are laid out and
        // flattened at the corner, then moved into place.
        TGPPtr<IGPGraphicsPath> Letters(new TGPGraphicsPath());
        Letters->AddPathString(Shape.Text(), Family, D.FontStyle, D.EmSize, TGPRectF{0, 0, D.LayoutWidth, D.LayoutHeight},
                               Format);
        Letters->FlattenPath();
        Letters->TransformPath(TGPPtr<IGPMatrix>(new TGPMatrix(1, 0, 0, 1, D.LayoutX, D.LayoutY)));
        FillLetters(Shape, G, Letters, D, TextBrush);
        if (D.StrokeLetters)
            G.DrawPath(TGPPtr<IGPPen>(new TGPPen(GPColorFromColor32(D.StrokeColor), static_cast<Single>(D.StrokeWidth))),
                       Letters);
        return;
    }
    TGPPtr<IGPFont> Font(new TGPFont(Family, D.EmSize, D.FontStyle, UnitPixel));
    if (!Font->GetNativeHandle()) return;
    G.SetTextRenderingHint(D.TextRenderingHint);
    G.DrawString(Shape.Text(), Font, Layout, Format, TextBrush);
}

void InstallImageTextHooks() { ImageTextHooks.Paint = &PaintText; }
