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

namespace {
using G = TToolGroup;
const std::vector<TToolButtonDef> Buttons = {
    {u"sbShape2", G::Shape, shArrow, true, 0},
    {u"sbShape3", G::Shape, shRectangle, true, 0},
    {u"sbShape4", G::Shape, shLines, true, 0},
    {u"sbShape5", G::Shape, shLine, true, 0},
    {u"sbShape8", G::Shape, shText, true, 0},
    {u"sbShape10", G::Shape, shPolygon, true, 0},
    {u"sbShape12", G::Shape, shHLRect, true, 0},
    {u"sbShape13", G::Shape, shCallout, true, 0},
    {u"sbShape15", G::Shape, shEllipse, true, 0},
    {u"sbShape16", G::Shape, shFreeShape, true, 0},
    {u"sbToolCrop", G::Tools, shCrop, true, 0},
    {u"sbToolZoom", G::Tools, shZoom, true, 0},
    {u"sbToolEraser", G::Tools, shEraser, true, 0},
    {u"sbToolFill", G::Tools, shFill, true, 0},
    {u"sbToolHighlight", G::Tools, shHLRect, true, 0},
    {u"sbToolPencil", G::Tools, shPencil, true, 2},
    {u"sbToolBrush", G::Tools, shBrush, false, 2},
    {u"sbToolHand", G::Tools, shHand, true, 1},
    {u"sbToolRuler", G::Tools, shRuler, false, 1},
    {u"sbToolCloneStamp", G::Tools, shCloneStamp, true, 0},
    {u"sbSelection6", G::Tools, shGradientFill, true, 0},
    {u"sbSelection0", G::Selection, 0, true, 0},
    {u"sbSelection1", G::Selection, 1, true, 0},
    {u"sbSelection2_2", G::Selection, 2, true, 0},
    {u"sbSelection3_2", G::Selection, 3, true, 0},
    {u"sbSelection4", G::Selection, 4, true, 0},
    {u"sbSelection5", G::Selection, 5, true, 0},
    {u"sbSelection7", G::Selection, 7, true, 0},
    {u"sbSelection9", G::Selection, 9, true, 0},
    {u"sbSelection10", G::Selection, 10, true, 0},
    {u"sbToolMosaic", G::Magic, 0, true, 0},
    {u"sbToolColorize", G::Magic, 1, true, 0},
    {u"sbToolColoring", G::Magic, 2, true, 0},
    {u"sbToolBokeh", G::Magic, 3, true, 0},
    {u"sbToolHighlighter", G::Magic, 4, true, 0},
    {u"sbToolZooming", G::Magic, 5, true, 0},
    {u"sbToolWarping", G::Magic, 6, true, 0},
    {u"sbToolTwirling", G::Magic, 7, true, 0},
    {u"sbToolRedEye", G::Magic, 8, true, 0},
    {u"sbToolBlurring", G::Magic, 9, true, 3},
    {u"sbToolSharpening", G::Magic, 12, false, 3},
    {u"sbToolColorDodge", G::Magic, 10, true, 4},
    {u"sbToolColorBurn", G::Magic, 11, false, 4},
    {u"sbToolSaturation", G::Magic, 13, true, 0},
};
const TToolPairMenu PairMenus[] = {
    {1, u"pmToolHand", u"muToolHand", 19, u"muToolRuler", 20, u"sbToolHand", u"sbToolRuler"},
    {2, u"pmToolPencil", u"muToolPencil", 17, u"muToolBrush", 18, u"sbToolPencil", u"sbToolBrush"},
    {3, u"pmToolBlurring", u"muToolBlur", 9, u"muToolSharpen", 12, u"sbToolBlurring", u"sbToolSharpening"},
    {4, u"pmToolColorDodge", u"muToolColorDodge", 10, u"muToolColorBurn", 11, u"sbToolColorDodge",
     u"sbToolColorBurn"},
};
}  // namespace

const std::vector<TToolButtonDef>& ToolButtonDefs() { return Buttons; }

const TToolButtonDef* FindToolButton(const String& Name)
{
    for (const TToolButtonDef& B : Buttons)
        if (Name == B.Name) return &B;
    return nullptr;
}

const TToolPairMenu& ToolPairMenu(Integer Pair)
{
    if (Pair < 1 || Pair > 4) throw EListError(u"No stacked pair " + IntToStr(Pair));
    return PairMenus[Pair - 1];
}
