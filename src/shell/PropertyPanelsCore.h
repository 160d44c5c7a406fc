// PropertyPanelsCore: the rules of the tool option panels without a window:
// the text panel's stroke buttons and stroke width, the node buttons of
// free shapes and polygons, the selection options (per selection style) with
// the feather caption, and the order of the bar when an option panel shows.
// The window side (win/PropertyPanels) fills and reads its controls by them.
#pragma once

#include "framework/runtime/System.h"

class TDataTable;
class TImageDraw;

namespace TextPanel {
// The text row's cells the panel edits.
namespace Cell {
constexpr Integer FontName = 40, FontSize = 41, FontColor = 42, Bold = 43, Italic = 44, Underline = 45,
                  Vertical = 48, Stroke = 49, StrokeColor = 50, StrokeEmpty = 55, StrokeWidth = 56;
}
// The stroke width button's caption from cell 56: "1" to "9"; "0", an empty
// cell or anything else out of range shows "1" (the width drawn for them).
String StrokeWidthCaption(const String& Cell);

// The stroke and the hollow stroke exclude each other.
struct TStrokeState {
    bool Stroke = false, Hollow = false;
    // The stroke colour and width controls show with either.
    bool StrokeControlsVisible() const { return Stroke || Hollow; }
};
// After a click on the stroke (Hollow false) or the hollow button, whose
// state is now Down: the other is released when the clicked one went down.
TStrokeState StrokeClicked(TStrokeState Before, bool Hollow, bool Down);
// Layout of the text: 1 (middle) when the middle button is down, else 0 (top).
inline Integer TextLayoutOf(bool MiddleDown) { return MiddleDown ? 1 : 0; }
}  // namespace TextPanel

namespace NodePanel {
// The free shape's node buttons (node editing is control mode 2).
struct TFreeShapeButtons {
    bool AddNode = false, DeleteNode = false, CommonTangent = false, SingleTangent = false, HideTangent = false,
         CloseShape = false, BreakNode = false;
};
TFreeShapeButtons FreeShapeButtons(Integer ControlMode, Integer SelectPointIndex, bool Closed,
                                   Integer SelectPointCount);
// The control mode the three mode buttons stand for: 1, 2, or else 4.
inline Integer ControlModeOf(bool Mode1Down, bool Mode2Down) { return Mode1Down ? 1 : Mode2Down ? 2 : 4; }
// A polygon's delete-node button: only with a selected node.
inline bool PolygonDeleteEnabled(Integer PointIndex) { return PointIndex >= 0; }
}  // namespace NodePanel

namespace SelectionPanel {
constexpr Integer WandStyle = 5;
constexpr Integer WideWidth = 388, NarrowWidth = 188;
// The selection option table's cells of a style's row.
namespace Cell {
constexpr Integer Antialiasing = 0, Tolerance = 1, Continuous = 2;
}
struct TSelectionOptions {
    bool WandControls = false;  // the tolerance and "contiguous" controls
    Integer PanelWidth = NarrowWidth;
    bool Antialiasing = false, AntialiasingEnabled = false;
    Integer Tolerance = 0;
    bool Continuous = false;
};
// The options of selection style StyleId from its row (a missing row reads
// as zeros); anti-aliasing cannot be chosen for the rectangle (0) nor the
// two styles 9 and 10.
TSelectionOptions OptionsFor(const TDataTable* Table, Integer StyleId);
// Writes one cell of the style's row; a missing row or cell is left alone.
void StoreOption(TDataTable* Table, Integer StyleId, Integer Cell, const String& Value);
// The feather read-out: "Feather: 5"; " 0" after the colon without a selection.
String FeatherCaption(const String& FeatherText, bool HasSelection, Integer Radius);
// The feather button acts on a selection that has no lifted picture.
bool FeatherEnabled(const TImageDraw* Doc);
}  // namespace SelectionPanel

// The property bar's order: the tool's panel, then the tool's option panel
// (when one shows), then the style area and the right-panel switch. The
// style area keeps its width unless the option panel would push the switch
// out of the bar; then it gives up what the panel pushes out.
struct TBarPlaces {
    Integer OptionLeft = 0;
    Integer StylesLeft = 0, StylesWidth = 0;
    Integer SwitchLeft = 0;
};
TBarPlaces ArrangeBar(Integer ShapeRight, Integer OptionWidth, Integer StylesWidth, Integer SwitchWidth,
                      Integer BarWidth);
