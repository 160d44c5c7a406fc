#include "shell/ToolSelection.h"

namespace {
bool IsPaintTool(TShapeType T) { return T == shEraser || T == shPencil || T == shBrush || T == shCloneStamp; }

Integer PropertyCell(const TToolTables& Tables, TShapeType Tool, Integer Cell)
{
    TDataTable* T = Tables.Properties;
    if (!T || Tool >= T->ItemCount()) return 0;
    TRow* Row = T->GetItem(Tool);
    return Cell < Row->ItemCount() ? Row->GetItem(Cell)->Value() : 0;
}

TProcessBitmapMode ProcessModeOf(TShapeType T)
{
    switch (T) {
        case shEraser: return pbmEraser;
        case shBrush: return pbmBrush;
        case shCloneStamp: return pbmStamp;
        default: return pbmPencil;
    }
}
}  // namespace

void TToolSelection::SelectTool(TImageDraw* Doc, TShapeType Tool, const TToolTables& Tables, bool& ShowAutoColor)
{
    FShapeType = Tool;
    if (Tool != shNone && Tool != shSmall) FShapeType_B = Tool;
    if (Tables.OpenFileRow && ToolCell::OpenFileTool < Tables.OpenFileRow->ItemCount())
        Tables.OpenFileRow->GetItem(ToolCell::OpenFileTool)->SetValue(Tool);
    ShowAutoColor = Tool != shFill && !IsPaintTool(Tool);
    if (!Doc) return;
    Doc->SetToolType(Tool);
    if (IsPaintTool(Tool)) {
        Doc->SetControlMode(cmProcess);
        Doc->SetProcessMode(ProcessModeOf(Tool));
        if (Tool == shBrush || Tool == shCloneStamp)
            Doc->SetProcessBrushFlow(PropertyCell(Tables, Tool, ToolCell::BrushFlow));
        Doc->SetProcessWidth(PropertyCell(Tables, Tool, ToolCell::Width));
        if (Doc->DeleteSelectionCropShape(true)) {
            Doc->SaveUndo();
            Doc->Draw();
        }
        Doc->SetProcessX(-100000);  // no stroke yet
        return;
    }
    Doc->SetControlMode(cmObject);
    if (Tool == shFill && Doc->DeleteCropShape()) {
        Doc->SaveUndo();
        Doc->Draw();
    }
}

void TToolSelection::SelectSelectionStyle(TImageDraw* Doc, Integer Style, const TToolTables& Tables,
                                          bool& ShowAutoColor)
{
    SelectTool(Doc, shSelection, Tables, ShowAutoColor);
    FShapeStyleId = Style;
    if (Tables.Properties && shSelection < Tables.Properties->ItemCount()) {
        TRow* Row = Tables.Properties->GetItem(shSelection);
        if (ToolCell::SelectionStyle < Row->ItemCount()) Row->GetItem(ToolCell::SelectionStyle)->SetValue(Style);
    }
    if (Tables.OpenFileRow && ToolCell::OpenFileSelectionStyle < Tables.OpenFileRow->ItemCount())
        Tables.OpenFileRow->GetItem(ToolCell::OpenFileSelectionStyle)->SetValue(Style);
}

void TToolSelection::FollowSelection(TImageDraw* Doc, const TToolTables& Tables, bool& ShowAutoColor)
{
    const Integer Count = Doc ? Doc->ObjectSelectedCount() : 0;
    if (Count == 1)
        SelectTool(Doc, Doc->ShapeType(), Tables, ShowAutoColor);
    else if (Count > 1)
        SelectTool(Doc, shNone, Tables, ShowAutoColor);
    else if (FShapeType == shNone || FShapeType == shSmall)
        SelectTool(Doc, FShapeType_B, Tables, ShowAutoColor);
}

void TToolSelection::SyncShapeButtons(std::vector<TToolButtonState>& Buttons) const
{
    const bool Free = FShapeType == shNone || FShapeType == shSmall || FShapeType == shSelection;
    for (TToolButtonState& B : Buttons) {
        B.AllowAllUp = Free;
        B.Down = !Free && B.Tag == FShapeType;
    }
}

void TToolSelection::SyncToolButtons(std::vector<TToolButtonState>& Buttons) const
{
    const bool Free = FShapeType == shNone || FShapeType == shSmall || FShapeType == shSelection;
    for (TToolButtonState& B : Buttons) {
        B.AllowAllUp = Free;
        B.Down = !Free && B.Visible && B.Tag == FShapeType;
    }
}

void TToolSelection::SyncSelectionButtons(std::vector<TToolButtonState>& Buttons) const
{
    const bool Selecting = FShapeType == shSelection;
    for (TToolButtonState& B : Buttons) {
        B.AllowAllUp = !Selecting;
        B.Down = Selecting && B.Visible && B.Tag == FShapeStyleId;
    }
}

TToolSelection::TStacked TToolSelection::HandPair() const
{
    if (FShapeType == shHand) return TStacked::First;
    if (FShapeType == shRuler) return TStacked::Second;
    return TStacked::Unchanged;
}

TToolSelection::TStacked TToolSelection::PencilPair() const
{
    if (FShapeType == shPencil) return TStacked::First;
    if (FShapeType == shBrush) return TStacked::Second;
    return TStacked::Unchanged;
}
