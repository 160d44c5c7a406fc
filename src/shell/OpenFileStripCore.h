// OpenFileStripCore: the geometry of the open-documents strip without its
// window: columns, tile places, the close area, what a tile shows, scrolling
// a tile into view, the drop mark and the row a drag moves to, the expanded
// height, and the preview's shortened path.
#pragma once

#include <functional>
#include <vector>

#include "framework/runtime/Types.h"

namespace OpenFileStrip {
constexpr Integer ThumbWidth = 80, ThumbHeight = 60, TileWidth = 86, TileHeight = 66, PitchX = 92, PitchY = 70,
                  CollapsedHeight = 72, MaxExpandedRows = 3;
}

// (panel width - scroll bar width + 3) div the pitch, at least 1.
Integer OpenFileColumns(Integer PanelWidth, Integer ScrollBarWidth);
TRect OpenFileTileRect(Integer Index, Integer Columns, Integer ScrollPos);
// The close glyph's area of a tile, right and bottom edges excluded.
bool InOpenFileCloseArea(Integer X, Integer Y);

// What a tile shows (positions in the tile).
struct TOpenFileTileLook {
    Integer Highlight = 0;      // 0 none, 1 current, 2 hovered (only with a thumbnail)
    bool Thumb = false;
    TPoint ThumbAt{};
    bool Close = false;
    TPoint CloseAt{};
    bool Modified = false;
    TPoint ModifiedAt{};
};
TOpenFileTileLook OpenFileTileLook(bool HasThumb, Integer ThumbW, Integer ThumbH, bool Current, bool Hovered,
                                   bool Modified, Integer RowCount, TPoint CloseGlyph, TPoint ModifiedGlyph);

// The new scroll position that brings tile Index into a box BoxHeight high;
// -1 when it need not move or Index is not a row.
Integer ScrollOpenFileIntoView(Integer Index, Integer Count, Integer Columns, Integer ScrollPos, Integer BoxHeight);

// Dragging: 1 before the tile (left half), 2 after it.
Integer OpenFileDropMode(Integer X);
// The row of a free cell at (X, Y) of the box, -1 past the rows.
Integer OpenFileBoxIndexAt(Integer X, Integer Y, Integer ScrollPos, Integer Columns, Integer Count);
// The I-beam drop mark for tile Over in Mode: its rectangles in the box.
std::vector<TRect> OpenFileDropMark(Integer Over, Integer Mode, Integer Columns, Integer ScrollPos);
// Where a row dragged from Start and dropped on Over in Mode goes.
Integer OpenFileDropTarget(Integer Start, Integer Over, Integer Mode);

// The expanded strip's height: the rows needed, at most three, of the pitch.
Integer ExpandedOpenFileHeight(Integer Count, Integer Columns);

// The preview's left edge for a tile whose left edge is at TileX (screen),
// centred on it.
Integer OpenFilePreviewLeft(Integer TileX, Integer PreviewWidth);
// The left edges an open preview passes through from From to To: 2 pixels a
// step over more than a tile's width, else 1; To last (empty when equal).
std::vector<Integer> OpenFilePreviewSlide(Integer From, Integer To);

// The path shown in a label LabelWidth wide: whole when it fits, else its
// first characters, "...\" and the file name.
String FitPathText(const String& Path, Integer LabelWidth, const std::function<Integer(const String&)>& TextWidth);
