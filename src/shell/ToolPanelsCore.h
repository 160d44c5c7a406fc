// ToolPanelsCore: the property bar's model without a window: the current
// tool's (or the one selected object's) properties with the cells of the
// shape-property table that keep each tool's defaults, which controls the
// bar shows for a tool, the width pages and the texts the bar writes. The
// window side (win/ToolPanels) fills its controls from here.
#pragma once

#include "document/ImageDraw.h"

// The cells of a tool's row of the shape-property table.
namespace PropCell {
constexpr Integer Color = 14, FillColor = 15, Opacity = 16, OutWidth = 18, Angle = 19, IsOutline = 20, IsFill = 21,
                  PenStyle = 22, StyleId = 24, ShadowMode = 27, ReflectMode = 28, GradientMode = 29,
                  TextAlign = 46, TextLayout = 47, ArrowType = 50, TextStr = 54, TextGradientMode = 59;
}

struct TShapeProps {
    Integer StyleId = 0;
    TColor Color = 0, FillColor = 0;
    Integer Opacity = 255;
    Integer OutWidth = 1;
    Single Angle = 0;
    bool IsOutline = true, IsFill = false;
    Integer PenStyle = 0;
    Integer ShadowMode = -1, ReflectMode = -1, GradientMode = -1;
    String TextStr;
    Integer TextAlign = 0, TextLayout = 0, TextGradientMode = -1;
    Integer ArrowType = 0;
};

// The defaults of Tool from its row (a missing row leaves the defaults).
TShapeProps LoadToolProps(TDataTable* Properties, TShapeType Tool);
// The properties of Shape; its tool's row takes what becomes the next
// object's default (not opacity, angle, text or alignment).
TShapeProps TakeShapeProps(TImgShape& Shape, TDataTable* Properties);

// Which controls the bar shows.
struct TPropertyVisibility {
    bool Width = false, Opacity = false, Gradient = false, ShadowReflect = false, PenStyle = false,
         OutlineColor = false, FillColor = false;
    bool Pencil = false, Fill = false, Brush = false, GradientPanel = false, Arrow = false, Selection = false;
    bool Text = false, Polygon = false, FreeShape = false;
};
// Tool with StyleId; Current is the document's current object (or null) and
// Selected the count of selected objects.
TPropertyVisibility PropertyVisibilityFor(TShapeType Tool, Integer StyleId, const TImgShape* Current,
                                          Integer Selected);

// The width pages: page p shows widths p*5+1 to p*5+5.
inline Integer WidthPageOf(Integer OutWidth) { return OutWidth >= 1 ? (OutWidth - 1) / 5 : 0; }
inline Integer WidthOfButton(Integer Tag, Integer Page) { return Tag + Page * 5; }
// "40%": the opacity slider's 0..255 as a percentage.
String OpacityText(Integer Value);
// The object's place and size ("10, 20   30 × 40"); empty for kinds that show none.
String ObjectText(const TImgShape& Shape);
// The object's angle ("30°") for the kinds that turn; empty for others.
String AngleText(const TImgShape& Shape);

// The save, undo and redo buttons after an idle pass.
struct TIdleButtons {
    bool Save = false, Undo = false, Redo = false;
};
TIdleButtons IdleButtonsFor(const TImageDraw* Doc);
