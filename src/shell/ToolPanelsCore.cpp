#include "shell/ToolPanelsCore.h"

#include <cmath>

#include "document/ImageLine.h"
#include "document/ImageText.h"

namespace {
TRow* ToolRow(TDataTable* Properties, TShapeType Tool)
{
    if (!Properties || Tool >= Properties->ItemCount()) return nullptr;
    return Properties->GetItem(Tool);
}

Integer CellValue(TRow& Row, Integer Cell, Integer Default)
{
    return Cell < Row.ItemCount() ? Row.GetItem(Cell)->Value() : Default;
}

void SetCell(TRow* Row, Integer Cell, Integer Value)
{
    if (Row && Cell < Row->ItemCount()) Row->GetItem(Cell)->SetValue(Value);
}

bool IsTextKind(TShapeType T) { return T == shText || T == shCallout; }
}  // namespace

TShapeProps LoadToolProps(TDataTable* Properties, TShapeType Tool)
{
    TShapeProps P;
    TRow* Row = ToolRow(Properties, Tool);
    if (!Row) return P;
    namespace C = PropCell;
    P.StyleId = CellValue(*Row, C::StyleId, 0);
    P.Color = static_cast<TColor>(CellValue(*Row, C::Color, 0));
    P.FillColor = static_cast<TColor>(CellValue(*Row, C::FillColor, 0));
    P.PenStyle = CellValue(*Row, C::PenStyle, 0);
    P.OutWidth = CellValue(*Row, C::OutWidth, 1);
    P.Angle = C::Angle < Row->ItemCount() ? static_cast<Single>(StrToFloatDef(Row->GetItem(C::Angle)->Text(), 0)) : 0;
    P.Opacity = CellValue(*Row, C::Opacity, 255);
    P.ShadowMode = CellValue(*Row, C::ShadowMode, -1);
    P.ReflectMode = CellValue(*Row, C::ReflectMode, -1);
    P.GradientMode = CellValue(*Row, C::GradientMode, -1);
    P.IsOutline = CellValue(*Row, C::IsOutline, 0) != 0;
    P.IsFill = CellValue(*Row, C::IsFill, 0) != 0;
    if (IsTextKind(Tool)) {
        P.TextStr = C::TextStr < Row->ItemCount() ? Row->GetItem(C::TextStr)->Text() : String();
        P.TextAlign = CellValue(*Row, C::TextAlign, 0);
        P.TextLayout = CellValue(*Row, C::TextLayout, 0);
        P.TextGradientMode = CellValue(*Row, C::TextGradientMode, -1);
    }
    if (Tool == shArrow) P.ArrowType = CellValue(*Row, C::ArrowType, 0);
    return P;
}

TShapeProps TakeShapeProps(TImgShape& Shape, TDataTable* Properties)
{
    TShapeProps P;
    P.StyleId = Shape.StyleId();
    P.Color = Shape.Color();
    P.FillColor = Shape.FillColor();
    P.OutWidth = Shape.OutWidth();
    P.PenStyle = Shape.PenStyle();
    P.Angle = Shape.Angle();
    P.Opacity = Shape.Opacity();
    P.ShadowMode = Shape.ShadowMode();
    P.ReflectMode = Shape.ReflectMode();
    P.GradientMode = Shape.GradientMode();
    P.IsOutline = Shape.IsOutline();
    P.IsFill = Shape.IsFill();
    auto* Text = dynamic_cast<TImgText*>(&Shape);
    auto* Line = dynamic_cast<TImgLine*>(&Shape);
    if (Text) {
        P.TextAlign = Text->Alignment();
        P.TextLayout = Text->Layout();
        P.TextStr = Text->Text();
        P.TextGradientMode = Text->TextGradientMode();
    }
    if (Line && Shape.ShapeType() == shArrow) P.ArrowType = Line->ArrowType();

    TRow* Row = ToolRow(Properties, Shape.ShapeType());
    if (!Row) return P;
    namespace C = PropCell;
    SetCell(Row, C::StyleId, P.StyleId);
    SetCell(Row, C::Color, static_cast<Integer>(P.Color));
    SetCell(Row, C::FillColor, static_cast<Integer>(P.FillColor));
    SetCell(Row, C::OutWidth, P.OutWidth);
    SetCell(Row, C::ShadowMode, P.ShadowMode);
    SetCell(Row, C::ReflectMode, P.ReflectMode);
    SetCell(Row, C::GradientMode, P.GradientMode);
    SetCell(Row, C::PenStyle, P.PenStyle);
    SetCell(Row, C::IsOutline, P.IsOutline ? -1 : 0);
    SetCell(Row, C::IsFill, P.IsFill ? -1 : 0);
    if (Text) {
        namespace T = TextCol;
        if (T::FontName < Row->ItemCount()) Row->GetItem(T::FontName)->SetText(Text->FontName());
        SetCell(Row, T::FontSize, Text->FontSize());
        SetCell(Row, T::FontColor, static_cast<Integer>(Text->FontColor()));
        SetCell(Row, T::FontBold, Text->FontBold() ? -1 : 0);
        SetCell(Row, T::FontItalic, Text->FontItalic() ? -1 : 0);
        SetCell(Row, T::FontUnderline, Text->FontUnderline() ? -1 : 0);
        SetCell(Row, T::FontStroke, Text->FontStroke() ? -1 : 0);
        SetCell(Row, T::FontStrokeColor, static_cast<Integer>(Text->FontStrokeColor()));
        SetCell(Row, T::FontStrokeEmpty, Text->FontStrokeEmpty() ? -1 : 0);
        SetCell(Row, T::FontStrokeWidth, Text->FontStrokeWidth());
        SetCell(Row, T::DirectionVertical, Text->DirectionVertical() ? -1 : 0);
        SetCell(Row, T::GradientMode, Text->TextGradientMode());
    }
    if (Line && Shape.ShapeType() == shArrow) SetCell(Row, C::ArrowType, P.ArrowType);
    return P;
}

TPropertyVisibility PropertyVisibilityFor(TShapeType T, Integer StyleId, const TImgShape* Current, Integer Selected)
{
    auto In = [T](std::initializer_list<TShapeType> L) {
        for (TShapeType X : L)
            if (X == T) return true;
        return false;
    };
    TPropertyVisibility V;
    V.Width = !In({shNone, shCrop, shZoom, shSmall, shFill, shHLRect, shSelection, shBrush, shHand, shRuler,
                   shCloneStamp, shGradientFill});
    V.Opacity = !In({shNone, shCrop, shZoom, shEraser, shFill, shSelection, shHand, shRuler});
    V.Gradient = In({shArrow, shRectangle, shLine, shText, shPolygon, shCallout, shEllipse, shFreeShape});
    V.ShadowReflect =
        In({shArrow, shRectangle, shLines, shLine, shSmall, shText, shPolygon, shCallout, shEllipse, shFreeShape});
    V.PenStyle = V.Width && !In({shLines, shEraser, shPencil, shBrush, shCloneStamp, shGradientFill});
    V.OutlineColor = !In({shNone, shCrop, shZoom, shEraser, shSmall, shFill, shHLRect, shSelection, shPencil, shBrush,
                          shHand, shRuler, shCloneStamp, shGradientFill});
    V.FillColor = In({shRectangle, shText, shPolygon, shFill, shHLRect, shCallout, shEllipse, shFreeShape, shPencil,
                      shBrush});
    V.Pencil = T == shLines;
    V.Fill = T == shFill;
    V.Brush = T == shBrush || T == shCloneStamp;
    V.GradientPanel = T == shGradientFill;
    V.Arrow = T == shArrow;
    V.Selection = T == shSelection && ((StyleId >= 0 && StyleId <= 5) || StyleId == 9 || StyleId == 10);
    const bool One = Current && Selected == 1;
    const TShapeType K = Current ? Current->ShapeType() : shNone;
    V.Text = One && IsTextKind(K);
    V.Polygon = One && K == shPolygon && (Current->StyleId() == 0 || Current->StyleId() == 5);
    V.FreeShape = One && K == shFreeShape;
    return V;
}

String OpacityText(Integer Value)
{
    return IntToStr(static_cast<Integer>(std::lround(Value / 255.0 * 100))) + u"%";
}

String ObjectText(const TImgShape& Shape)
{
    const TShapeType K = Shape.ShapeType();
    if (K == shArrow || K == shLine || K == shPolygon || K == shFreeShape) return String();
    if (K == shLines && Shape.Creating()) return String();
    const TRect& R = Shape.SRect();
    return IntToStr(R.Left) + u", " + IntToStr(R.Top) + u"   " + IntToStr(Shape.Width()) + u" \u00D7 " +
           IntToStr(Shape.Height());
}

String AngleText(const TImgShape& Shape)
{
    const TShapeType K = Shape.ShapeType();
    if (!(K == shRectangle || K == shSmall || K == shText || K == shCallout || K == shEllipse)) return String();
    Integer A = static_cast<Integer>(std::lround(360 - Shape.Angle()));
    if (A >= 360) A -= 360;
    return IntToStr(A) + u"\u00B0";
}

TIdleButtons IdleButtonsFor(const TImageDraw* Doc)
{
    TIdleButtons B;
    if (!Doc) return B;
    B.Save = Doc->Changed();
    B.Undo = Doc->UndoIndex() > 0;
    B.Redo = Doc->UndoIndex() < Doc->UndoCount() - 1;
    return B;
}
