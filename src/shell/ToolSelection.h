// ToolSelection: which tool is current, what that tells the live document,
// and which tool buttons are down. The window side (win/ToolPanels) owns the
// buttons and asks this for their states.
#pragma once

#include <vector>

#include "document/ImageDraw.h"

// A tool button as the selection sees it: its tag and whether it shows.
struct TToolButtonState {
    Integer Tag = 0;
    bool Visible = true;
    bool Down = false;
    bool AllowAllUp = true;
};

// The tool rows of the shape-property table and the open-file row a
// selection writes to.
struct TToolTables {
    TDataTable* Properties = nullptr;  // row i for tool i
    TRow* OpenFileRow = nullptr;       // the live document's
};

// The tool buttons of the main window: the group that holds each, its tag
// (the tool; for the selection buttons the selection style; for the effect
// brushes the brush), whether it shows at first, and which stacked pair it
// belongs to (0 none; 1 hand/ruler, 2 pencil/brush, 3 blur/sharpen brushes,
// 4 dodge/burn brushes), a press held on it opening the pair's menu.
enum class TToolGroup : Byte { Shape, Tools, Selection, Magic };
struct TToolButtonDef {
    const char16_t* Name;
    TToolGroup Group;
    Integer Tag;
    bool Visible;
    Integer Pair;
};
const std::vector<TToolButtonDef>& ToolButtonDefs();
const TToolButtonDef* FindToolButton(const String& Name);
// The stacked pairs' menus: the menu's name, its two items' names and tags,
// and the two buttons they stand for.
struct TToolPairMenu {
    Integer Pair;
    const char16_t* Menu;
    const char16_t* FirstItem;
    Integer FirstTag;
    const char16_t* SecondItem;
    Integer SecondTag;
    const char16_t* FirstButton;
    const char16_t* SecondButton;
};
const TToolPairMenu& ToolPairMenu(Integer Pair);
// How long a press on a stacked button is held before its menu opens.
constexpr Cardinal ToolLongPress = 400;

namespace ToolCell {
constexpr Integer OpenFileTool = 19, OpenFileSelectionStyle = 13;
constexpr Integer Width = 18, SelectionStyle = 24, BrushFlow = 40;
}  // namespace ToolCell

class TToolSelection {
public:
    TShapeType ShapeType() const { return FShapeType; }
    // The last tool other than the select tool and shSmall.
    TShapeType ShapeTypeB() const { return FShapeType_B; }
    Integer ShapeStyleId() const { return FShapeStyleId; }
    void SetShapeStyleId(Integer Value) { FShapeStyleId = Value; }

    // Makes Tool current and sets the document's control and paint mode.
    // ShowAutoColor says whether the fill colour offers its automatic entry.
    void SelectTool(TImageDraw* Doc, TShapeType Tool, const TToolTables& Tables, bool& ShowAutoColor);
    // A selection button: the selection tool with that style, remembered
    // in the property table and the open-file row.
    void SelectSelectionStyle(TImageDraw* Doc, Integer Style, const TToolTables& Tables, bool& ShowAutoColor);
    // The tool follows the document's selected objects: none returns to the
    // last tool, one takes its kind, several the select tool.
    void FollowSelection(TImageDraw* Doc, const TToolTables& Tables, bool& ShowAutoColor);

    // The down states of the vector, basic and selection buttons (a basic or
    // selection button is down only while it shows).
    void SyncShapeButtons(std::vector<TToolButtonState>& Buttons) const;
    void SyncToolButtons(std::vector<TToolButtonState>& Buttons) const;
    void SyncSelectionButtons(std::vector<TToolButtonState>& Buttons) const;
    // Which of a stacked pair shows: First, Second or (unchanged) neither.
    enum class TStacked { Unchanged, First, Second };
    TStacked HandPair() const;
    TStacked PencilPair() const;

private:
    TShapeType FShapeType = shNone;
    TShapeType FShapeType_B = shNone;
    Integer FShapeStyleId = 0;
};
