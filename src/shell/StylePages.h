// StylePages: the main window's small layout rules: where the eighteen style
// images sit and how the style strip pages and expands, what the five
// line-width buttons show on each page, how far the floating text panel may
// be dragged, and where the side panels' parts go when the window is resized.
#pragma once

#include <array>

#include "framework/runtime/System.h"
#include "framework/runtime/Types.h"

namespace StylePages {

constexpr Integer StyleImageCount = 18;
constexpr Integer StyleImageWidth = 53, StyleImageHeight = 62;
constexpr Integer StyleLeft = 9, StyleTop = 11, StylePitchX = 67, StylePitchY = 78;
constexpr Integer CollapsedHeight = 93;

struct TStyleImagePlaces {
    std::array<TPoint, StyleImageCount> At;
    Integer PanelGrowth;  // pixels the strip grows by for the rows after the first
};
// The images in rows of ColCount.
TStyleImagePlaces StyleImagePlaces(Integer ColCount);
// The strip's height with every page shown.
Integer ExpandedHeight(Integer PageCount);
// The strip's top showing page Index.
Integer PageTop(Integer PageIndex);
// Pages of VisibleCount images in rows of ColCount (rounded up).
Integer PageCount(Integer VisibleCount, Integer ColCount);

// One of the five width buttons.
struct TWidthButton {
    String Caption;
    Integer ImageIndex;  // -1: no image
    bool Down;
};
// Page p shows the widths 5p + 1 to 5p + 5.
std::array<TWidthButton, 5> WidthPage(Integer PageIndex, Integer ShapeOutWidth);

// The text panel's new place while dragged by its title.
struct TDragBounds {
    Integer ImageLeft, ImageTop, ImageHeight;  // pnlImage
    Integer RightLeft;                         // pnlRight's left
};
TPoint DraggedTextPanel(const TPoint& PanelAt, const TPoint& PanelSize, const TPoint& Moved, const TDragBounds& B);

// The side panels' parts after a resize.
struct TSidePanelsIn {
    Integer RightHeight;
    Integer RestoreTop, RestoreHeight;  // btnRestore before the step
    Integer LeftHeight;                 // pnlLeft
    Integer MagicToolsBottom;           // pnlMagicTools
    Integer PropHeight, ImageHeight, ImageWidth, LeftWidth;
    Integer RulerPanelWidth, RulerPanelHeight;  // pnlPropRuler
};
struct TSidePanelsOut {
    Integer ThumbHeight;
    Integer EffectsTop;  // sbEffects and sbFrames
    Integer MenuTop, LinkTop, RestoreTop;
    Integer RulerPanelLeft, RulerPanelTop;
};
// ThumbTop: tabThumb's top (the effects buttons go 3 pixels below it).
TSidePanelsOut LayoutSidePanels(const TSidePanelsIn& In, Integer ThumbTop);

}  // namespace StylePages
