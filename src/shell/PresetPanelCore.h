// PresetPanelCore: the preset panel without a window: the tile sizes and
// places of a page, the rows a page shows, the matching of a rendered
// thumbnail to its row, the tabs' captions, and the recipes that turn a
// small copy of the picture into an effect preset's preview. The window side
// (win/PresetPanel) owns the tiles and the worker.
#pragma once

#include <vector>

#include "Component/Raster32/Ras32.h"
#include "foundation/HyDataTable.h"

// The cells of a preset row.
namespace PresetCell {
constexpr Integer Type = 0, SubType = 1, CaptionZh = 2, CaptionEn = 4, Kind = 5, ThumbWidth = 6, ThumbHeight = 7,
                  Highlight = 8, MouseOver = 9, Value = 10, Picture = 14;
}

struct TPresetThumbSize {
    Integer ThumbWidth = 78, ThumbHeight = 78;
    Integer CaptionHeight = 0;
    Integer TileWidth = 0, TileHeight = 0;
    Integer PitchWidth = 0, PitchHeight = 0;
    Integer SmallChange = 0, LargeChange = 0;
};
// Type 0 effects, 1 frames; CaptionLine: the tiles carry a caption line.
TPresetThumbSize PresetThumbSizeFor(Integer Type, Integer SubType, bool CaptionLine);
// Tile Index's bounds in the scroll box (two columns) at scroll position Pos.
TRect PresetTileBounds(Integer Index, const TPresetThumbSize& S, Integer Pos);
// The whole height the page's tiles need.
Integer PresetPageHeight(Integer Count, const TPresetThumbSize& S);

// The cells a preset row has; shorter rows (from a pack) are padded with
// empty cells when their page shows, so that every cell the page writes exists.
constexpr Integer PresetRowCells = 17;
// The rows of Table whose sub type is SubType, in table order.
std::vector<TRow*> FilterPresetRows(TDataTable& Table, Integer SubType);
// The first row of the page without a rendered thumbnail, or null.
TRow* NextPresetJob(const std::vector<TRow*>& Rows);
// Whether the job's row is still on the page: a result is matched to the
// row it was made for, never by kind alone (a pack may repeat a kind).
bool PresetRowOnPage(const std::vector<TRow*>& Rows, const TRow* Job);
// The "."-separated tab captions.
std::vector<String> PresetTabCaptions(const String& Prop);

// The preview of effect Kind with the preset's Value on P (a copy of the
// picture's thumbnail); Mask is the preset's picture for the style kinds.
void ApplyPresetPreview(TCustomBitmap32& P, Integer Kind, Integer Value, TCustomBitmap32* Mask);
// Frame thumbnails of the pad and band pages: white and the two light greys
// the packs use as their ground become transparent.
void ClearFrameGround(TCustomBitmap32& B);
