#include "shell/PropertyPanelsCore.h"

#include <algorithm>

#include "document/ImageDraw.h"
#include "document/ImageSelection.h"
#include "foundation/HyDataTable.h"

namespace TextPanel {

String StrokeWidthCaption(const String& Cell)
{
    const Integer Width = StrToIntDef(Trim(Cell), 0);
    return Width >= 1 && Width <= 9 ? IntToStr(Width) : String(u"1");
}

TStrokeState StrokeClicked(TStrokeState Before, bool Hollow, bool Down)
{
    TStrokeState S = Before;
    if (Hollow) {
        S.Hollow = Down;
        if (Down) S.Stroke = false;
    } else {
        S.Stroke = Down;
        if (Down) S.Hollow = false;
    }
    return S;
}

}  // namespace TextPanel

namespace NodePanel {

TFreeShapeButtons FreeShapeButtons(Integer ControlMode, Integer SelectPointIndex, bool Closed,
                                   Integer SelectPointCount)
{
    TFreeShapeButtons B;
    const bool Editing = ControlMode == 2;
    const bool Node = Editing && SelectPointIndex >= 0;
    B.AddNode = Editing;
    B.DeleteNode = B.CommonTangent = B.SingleTangent = B.HideTangent = Node;
    B.CloseShape = Editing && !Closed;
    B.BreakNode = Editing && Closed && SelectPointCount == 1;
    return B;
}

}  // namespace NodePanel

namespace SelectionPanel {

namespace {
TCell* OptionCell(const TDataTable* Table, Integer StyleId, Integer Cell)
{
    if (!Table || StyleId < 0 || StyleId >= Table->ItemCount()) return nullptr;
    TRow* Row = Table->GetItem(StyleId);
    return Cell < Row->ItemCount() ? Row->GetItem(Cell) : nullptr;
}
}  // namespace

TSelectionOptions OptionsFor(const TDataTable* Table, Integer StyleId)
{
    TSelectionOptions O;
    O.WandControls = StyleId == WandStyle;
    O.PanelWidth = O.WandControls ? WideWidth : NarrowWidth;
    O.AntialiasingEnabled = StyleId != 0 && StyleId != 9 && StyleId != 10;
    if (TCell* C = OptionCell(Table, StyleId, Cell::Antialiasing)) O.Antialiasing = C->AsBool();
    if (O.WandControls) {
        if (TCell* C = OptionCell(Table, StyleId, Cell::Tolerance)) O.Tolerance = std::clamp(C->Value(), 0, 255);
        if (TCell* C = OptionCell(Table, StyleId, Cell::Continuous)) O.Continuous = C->AsBool();
    }
    return O;
}

void StoreOption(TDataTable* Table, Integer StyleId, Integer Cell, const String& Value)
{
    if (TCell* C = OptionCell(Table, StyleId, Cell)) C->SetText(Value);
}

String FeatherCaption(const String& FeatherText, bool HasSelection, Integer Radius)
{
    return FeatherText + u": " + IntToStr(HasSelection ? Radius : 0);
}

bool FeatherEnabled(const TImageDraw* Doc)
{
    if (!Doc || !Doc->SelectionExists()) return false;
    const TImgSelection* S = Doc->SelectionShape();
    return S && !S->SelBitmap();
}

}  // namespace SelectionPanel

TBarPlaces ArrangeBar(Integer ShapeRight, Integer OptionWidth, Integer StylesWidth, Integer SwitchWidth,
                      Integer BarWidth)
{
    constexpr Integer Gap = 3;
    TBarPlaces P;
    P.OptionLeft = ShapeRight + Gap;
    P.StylesLeft = OptionWidth > 0 ? P.OptionLeft + OptionWidth + Gap : P.OptionLeft;
    P.StylesWidth = StylesWidth;
    // The option panel must not push the switch out of the bar: the style
    // area gives up what it would push out, never more than the panel takes.
    const Integer Overflow = P.StylesLeft + StylesWidth + Gap + SwitchWidth - BarWidth;
    const Integer Pushed = OptionWidth > 0 ? OptionWidth + Gap : 0;
    P.StylesWidth = std::max(StylesWidth - std::clamp(Overflow, 0, Pushed), 0);
    P.SwitchLeft = P.StylesLeft + P.StylesWidth + Gap;
    return P;
}
