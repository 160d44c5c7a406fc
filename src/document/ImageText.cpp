#include "document/ImageText.h"

#include <algorithm>

#include "document/ObjectRows.h"
#include "document/PictureArea.h"

using namespace ImageDrawRows;

TImageTextHooks ImageTextHooks;

namespace {
TColor32 WithAlpha(TColor Color, Integer Alpha)
{
    return (ColorToColor32(Color) & 0x00FFFFFF) | (static_cast<TColor32>(std::clamp(Alpha, 0, 255)) << 24);
}

Single F(Integer V) { return static_cast<Single>(V); }
}  // namespace

TImgText::TImgText(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap)
    : TImgShape(AOwner, ShapeId, ABitmap)
{
    FShapeType = shText;
    SetControlMode(3);
    FMinSize = 10;
    FNotSavePointsStyleIds.set(2);
    FNotSavePointsStyleIds.set(4);
}

TImgText::~TImgText() = default;

// ---------------------------------------------------------------------------
// Frame and layout

void TImgText::PlainFramePath(Integer Style, Integer X, Integer Y, Integer W, Integer H, TShapePath& Path)
{
    const Integer R = X + W, B = Y + H;
    auto Polygon = [&](std::initializer_list<TPoint> Points) {
        std::vector<TFloatPoint> P;
        for (const TPoint& Q : Points) P.push_back({F(Q.X), F(Q.Y)});
        Path.AddPolygon(std::move(P));
    };
    switch (Style) {
    case 0: Path.AddRectangle(F(X), F(Y), F(W), F(H)); break;
    case 1: {
        Integer f = static_cast<Integer>(Round((static_cast<Extended>(W) + H) * 0.15L));
        f = std::min({f, W, H});
        // Corner boxes of no size have no arc: a frame that small is a rectangle.
        if (f <= 0) {
            Path.AddRectangle(F(X), F(Y), F(W), F(H));
            break;
        }
        Path.StartFigure();
        Path.AddArc(F(X), F(Y), F(f), F(f), 180, 90);
        Path.AddArc(F(R - f), F(Y), F(f), F(f), 270, 90);
        Path.AddArc(F(R - f), F(B - f), F(f), F(f), 0, 90);
        Path.AddArc(F(X), F(B - f), F(f), F(f), 90, 90);
        Path.CloseFigure();
        break;
    }
    case 2: Path.AddEllipse(F(X), F(Y), F(W), F(H)); break;
    case 3: Polygon({{X, Y + H / 2}, {X + W / 2, Y}, {R, Y + H / 2}, {X + W / 2, B}}); break;
    case 4:
        Polygon({{X, Y + H / 4}, {X + W / 5, Y}, {R - W / 5, Y}, {R, Y + H / 4}, {R, B - H / 4}, {R - W / 5, B},
                 {X + W / 5, B}, {X, B - H / 4}});
        break;
    case 5:
        Polygon({{X, Y + H / 2}, {X + W / 5, Y}, {R - W / 5, Y}, {R, Y + H / 2}, {R - W / 5, B}, {X + W / 5, B}});
        break;
    default: break;  // no frame: the text stands alone
    }
}

void TImgText::BuildFramePath(TShapePath& Path) const
{
    if (FShapeType == shCallout)
        Path = FCallout.FramePath(*this);
    else
        PlainFramePath(FStyleId, FRect.Left, FRect.Top, Width(), Height(), Path);
}

void TImgText::GetLayoutRect(Single& X, Single& Y, Single& W, Single& H) const
{
    if (FShapeType == shCallout) {
        // Styles 0, 4, 6 and 7 lay the text out in a part of the frame.
        const TCalloutLayout L = FCallout.LayoutRect(*this);
        X = L.X;
        Y = L.Y;
        W = L.Width;
        H = L.Height;
        return;
    }
    X = F(FRect.Left);
    Y = F(FRect.Top);
    W = F(Width());
    H = F(Height());
}

Integer TImgText::TextRenderingHintFor(Integer LanguageIndex, Integer FontSize)
{
    return LanguageIndex == 0 || FontSize < 18 ? 4 : 3;
}

// ---------------------------------------------------------------------------
// Drawing

TTextDrawing TImgText::BuildDrawing()
{
    TTextDrawing D;
    const Integer W = Width(), H = Height();
    D.Frame.Bounds = TShapeBounds{FRect.Left, FRect.Top, W, H};
    D.Frame.Angle = FAngle;
    D.Frame.Center = FCenterPoint;
    // An unturned plain rectangle keeps its edges on whole pixels.
    D.Frame.Smooth = FAntialias && !(FShapeType == shText && FStyleId == 0 && FAngle == 0);
    BuildFramePath(D.Frame.Path);
    if (FDrawMode2 >= 1 && FDrawMode2 <= 3) {
        D.FrameOnly = true;
        return D;
    }
    GetLayoutRect(D.LayoutX, D.LayoutY, D.LayoutWidth, D.LayoutHeight);
    D.FontStyle = (FFontBold ? 1 : 0) + (FFontItalic ? 2 : 0) + (FFontUnderline ? 4 : 0);
    D.EmSize = static_cast<Single>(std::clamp(FFontSize, 0, MaxTextDrawSize));
    D.Alignment = FAlignment;
    D.LineAlignment = FLayout;
    D.Vertical = FDirectionVertical;
    // A text in a frame is opaque; a text standing alone follows the opacity.
    const Integer Alpha = FIsOutline || FIsFill ? 255 : FOpacity;
    D.TextColor = WithAlpha(FFontColor, Alpha);

    if (FFontStroke || FFontStrokeEmpty || FTextGradientMode >= 0) {
        D.Text = TTextDrawing::TText::Shapes;
        if (FTextGradientMode >= 0 && !FFontStrokeEmpty) {
            if (FTextGradientFillMode == 5) {
                const Integer Index =
                    FTextGradientTextureFileName.empty() ? -1 : RegisterTexture(FTextGradientTextureFileName);
                if (Index >= 0) {
                    D.LetterFill = TLetterFill::Texture;
                    D.TextureIndex = Index;
                }
            } else {
                if (FChanged2 || FTextGradientColors.empty()) {
                    TRow ColorRow, OpacityRow, PositionRow;
                    SplitGradientList(FTextGradientColor, ColorRow);
                    SplitGradientList(FTextGradientOpacity, OpacityRow);
                    SplitGradientList(FTextGradientPosition, PositionRow);
                    BuildGradientBlend(ColorRow, OpacityRow, PositionRow, FOpacity, FTextGradientColors,
                                       FTextGradientPositions, 0, 0);
                }
                // Kinds 1, 3 and 4 leave the letters unfilled.
                if (FTextGradientFillMode == 0) D.LetterFill = TLetterFill::Linear;
                else if (FTextGradientFillMode == 2) D.LetterFill = TLetterFill::Elliptic;
            }
        } else if (FFontStroke) {
            D.LetterFill = TLetterFill::Solid;
        }
        if (FFontStroke || FFontStrokeEmpty) {
            if (FFontStrokeWidth == 0) FFontStrokeWidth = 1;
            D.StrokeLetters = true;
            D.StrokeWidth = std::min(FFontStrokeWidth, MaxTextDrawSize);
            D.StrokeColor = WithAlpha(FFontStrokeColor, Alpha);
        }
    } else if (FCreating && FText.empty() && FShapeType == shText && !FIsOutline) {
        // The frame being dragged out, until there is text to show.
        D.Text = TTextDrawing::TText::CreatingFrame;
    } else if (!FText.empty()) {
        D.Text = TTextDrawing::TText::String;
        D.TextRenderingHint = TextRenderingHintFor(FParent ? FParent->LanguageIndex() : -1, FFontSize);
    }
    return D;
}

void TImgText::Draw(TCustomBitmap32* ToBitmap)
{
    TCustomBitmap32* Target = ToBitmap ? ToBitmap : FBitmap;
    const TTextDrawing D = BuildDrawing();
    if (Target && !Target->Empty() && ImageTextHooks.Paint) ImageTextHooks.Paint(*this, *Target, D);
}

TRect TImgText::PictureBounds()
{
    const TTextDrawing D = BuildDrawing();
    TPictureArea A;
    AddClosedShape(A, *this, D.Frame);
    const TShapeBounds& F = D.Frame.Bounds;
    const Single Pen = static_cast<Single>(std::max(FOutWidth, 0));
    if (FShapeType == shCallout && FStyleId == 0 && FCallout.FPointsCount >= 1) {
        // The note's fold, with the outline's pen.
        const TPoint P = FCallout.FPoints[0];
        A.AddPolyline({{static_cast<Single>(F.X), static_cast<Single>(P.Y)},
                       {static_cast<Single>(P.X), static_cast<Single>(P.Y)},
                       {static_cast<Single>(P.X), static_cast<Single>(F.Y)}},
                      false, Pen);
    }
    if (D.FrameOnly || D.Text == TTextDrawing::TText::None) return A.Bounds(TPoint{F.X, F.Y});
    if (D.Text == TTextDrawing::TText::CreatingFrame) {
        A.AddBox(static_cast<Single>(F.X), static_cast<Single>(F.Y), static_cast<Single>(F.X + F.Width),
                 static_cast<Single>(F.Y + F.Height), 1);
        return A.Bounds(TPoint{F.X, F.Y});
    }
    // A layout box of no width or height sets no limit: the letters may go
    // anywhere.
    if (!(D.LayoutWidth > 0 && D.LayoutHeight > 0)) return TRect{};
    // The platform lays lines out until one passes the box's far edge, so
    // the letters may overrun it by a line and a letter's overhang; their
    // outline by its pen.
    const Single Over = 2 * D.EmSize + (D.StrokeLetters ? MiterReach(static_cast<Single>(D.StrokeWidth)) : 0);
    A.AddBox(D.LayoutX, D.LayoutY, D.LayoutX + D.LayoutWidth, D.LayoutY + D.LayoutHeight, Over);
    return A.Bounds(TPoint{F.X, F.Y});
}

bool TImgText::PtInShape(Integer X, Integer Y)
{
    TPoint P{X, Y};
    if (FAngle != 0) RotatePoint(FCenterPoint, P, P, -FAngle);
    // A balloon's pointer hits outside the frame too.
    const bool Hit = (P.X >= FRect.Left && P.X < FRect.Right && P.Y >= FRect.Top && P.Y < FRect.Bottom) ||
                     (FShapeType == shCallout && FCallout.PtInPointer(FStyleId, P.X, P.Y));
    if (!Hit) return false;
    FCurrentCtrIndex = -1;
    FCurrentCursor = crSizeAll;
    return true;
}

// ---------------------------------------------------------------------------
// Points and their handles

void TImgText::InitPoints(bool IsDrawStyle)
{
    // A plain text frame has no points.
    FCallout.InitPoints(FShapeType == shCallout ? FStyleId : -1, IsDrawStyle);
}

void TImgText::CalcPoints(bool IsForceCalc)
{
    if (FShapeType == shCallout) FCallout.CalcPoints(*this, IsForceCalc);
}

String TImgText::GetPoints() const
{
    if (FShapeType != shCallout || (FStyleId >= 0 && FStyleId < 32 && FNotSavePointsStyleIds.test(FStyleId)))
        return String();
    return FCallout.GetPoints(FStyleId);
}

void TImgText::SetPoints(const String& S)
{
    // A plain text frame has none, whatever the cell holds.
    if (FShapeType == shCallout)
        FCallout.SetPoints(*this, S);
    else
        InitPoints(false);
}

void TImgText::UpgradePoints()
{
    if (FShapeType == shCallout) FCallout.UpgradePoints(*this);
}

Integer TImgText::GetMaxLengthOfOutPoint()
{
    return FShapeType == shCallout ? FCallout.GetMaxLengthOfOutPoint(*this) : 0;
}

void TImgText::CalcControlPoints()
{
    TImgShape::CalcControlPoints();
    if (FSelected && FShapeType == shCallout) FCallout.CalcControlPoints(*this);
}

void TImgText::DrawControlPoint(TCustomBitmap32* ToBitmap)
{
    TImgShape::DrawControlPoint(ToBitmap);
    TCustomBitmap32* Target = ToBitmap ? ToBitmap : FBitmap;
    if (FSelected && FShapeType == shCallout && Target) FCallout.DrawControlPoint(*this, *Target);
}

bool TImgText::PtInControl(Integer X, Integer Y)
{
    // The point handles first.
    if (FSelected && FShapeType == shCallout && FCallout.PtInControl(*this, X, Y)) return true;
    return TImgShape::PtInControl(X, Y);
}

void TImgText::Click()
{
    TImgShape::Click();
    // A point handle's drag starts from its turned point.
    if (FShapeType == shCallout && FCurrentCtrIndex >= 9) FCallout.Click(*this);
}

void TImgText::AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    TImgShape::AdjustShape(X1, Y1, X2, Y2);
    if (FShapeType == shCallout && FCurrentCtrIndex >= 9) FCallout.AdjustShape(*this, X1, Y1, X2, Y2);
}

void TImgText::MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    MoveShapeAndPoints(FCallout.FPoints, X1, Y1, X2, Y2);
}

void TImgText::OffsetShape(Integer DX, Integer DY) { OffsetShapeAndPoints(FCallout.FPoints, DX, DY); }

// ---------------------------------------------------------------------------
// Row columns

// The columns and the fields they fill, in column order. The texture's file
// name carries the document's cell escapes.
const std::vector<TImgText::TTextColumn>& TImgText::TextColumns()
{
    namespace C = TextCol;
    static const std::vector<TTextColumn> Columns = {
        {C::FontName, &TImgText::FFontName},
        {C::FontSize, &TImgText::FFontSize},
        {C::FontColor, &TImgText::FFontColor},
        {C::FontBold, &TImgText::FFontBold},
        {C::FontItalic, &TImgText::FFontItalic},
        {C::FontUnderline, &TImgText::FFontUnderline},
        {C::Alignment, &TImgText::FAlignment},
        {C::Layout, &TImgText::FLayout},
        {C::DirectionVertical, &TImgText::FDirectionVertical},
        {C::FontStroke, &TImgText::FFontStroke},
        {C::FontStrokeColor, &TImgText::FFontStrokeColor},
        {C::FontStrokeEmpty, &TImgText::FFontStrokeEmpty},
        {C::FontStrokeWidth, &TImgText::FFontStrokeWidth},
        {C::GradientMode, &TImgText::FTextGradientMode},
        {C::GradientColor, &TImgText::FTextGradientColor},
        {C::GradientOpacity, &TImgText::FTextGradientOpacity},
        {C::GradientPosition, &TImgText::FTextGradientPosition},
        {C::GradientFillMode, &TImgText::FTextGradientFillMode},
        {C::GradientLinearAngle, &TImgText::FTextGradientLinearAngle},
        {C::GradientEdgingWidth, &TImgText::FTextGradientEdgingWidth},
        {C::GradientGammaCorrected, &TImgText::FTextGradientGammaCorrected},
        {C::GradientTextureFileName, &TImgText::FTextGradientTextureFileName, true},
    };
    return Columns;
}

void TImgText::ReadTextColumns(const TRow& Row)
{
    for (const TTextColumn& C : TextColumns()) {
        if (auto* Text = std::get_if<String TImgText::*>(&C.Field))
            this->*(*Text) = C.Escaped ? UnescapeCellText(TextOf(Row, C.Column))
                                       : TextOf(Row, C.Column);
        else if (auto* Number = std::get_if<Integer TImgText::*>(&C.Field))
            this->*(*Number) = IntOf(Row, C.Column);
        else
            this->*std::get<bool TImgText::*>(C.Field) = BoolOf(Row, C.Column);
    }
}

void TImgText::WriteTextColumns(TRow& Row) const
{
    for (const TTextColumn& C : TextColumns()) {
        if (auto* Text = std::get_if<String TImgText::*>(&C.Field))
            ImageDrawRows::SetText(Row, C.Column,
                                   C.Escaped ? EscapeCellText(this->*(*Text)) : this->*(*Text));
        else if (auto* Number = std::get_if<Integer TImgText::*>(&C.Field))
            SetInt(Row, C.Column, this->*(*Number));
        else
            SetBool(Row, C.Column, this->*std::get<bool TImgText::*>(C.Field));
    }
}
