// Ras32_MicroTiles: the dirty areas of a picture on a grid of 32 x 32
// micro tiles. Each tile keeps the bounding box of what changed inside it in
// one 32-bit word; a grid of tiles turns back into a short list of
// rectangles, merged along rows and down columns.
//
// The two union routines are bound through the registry
// "Ras32_MicroTiles bindings" (portable and SSE2 forms, the same results).
#pragma once

#include "Component/Raster32/Ras32_Containers.h"
#include "Component/Raster32/Ras32_Types.h"

constexpr Integer MICROTILE_SHIFT = 5;
constexpr Integer MICROTILE_SIZE = 1 << MICROTILE_SHIFT;

// The dirty part of one tile: Left in bits 24-31, Top 16-23, Right 8-15,
// Bottom 0-7, each 0 .. 32 from the tile's corner, Right and Bottom
// exclusive. A tile whose Left equals Right or Top equals Bottom covers nothing.
using TMicroTile = Cardinal;
using PMicroTileArray = TMicroTile*;
constexpr TMicroTile MICROTILE_EMPTY = 0;
constexpr TMicroTile MICROTILE_FULL = 0x00002020;

constexpr TMicroTile MakeMicroTile(Integer Left, Integer Top, Integer Right, Integer Bottom)
{
    return static_cast<TMicroTile>((Left << 24) | (Top << 16) | (Right << 8) | Bottom);
}
constexpr Integer MicroTileLeft(TMicroTile Tile) { return static_cast<Integer>(Tile >> 24); }
constexpr Integer MicroTileTop(TMicroTile Tile) { return static_cast<Integer>((Tile >> 16) & 0xFF); }
constexpr Integer MicroTileRight(TMicroTile Tile) { return static_cast<Integer>((Tile >> 8) & 0xFF); }
constexpr Integer MicroTileBottom(TMicroTile Tile) { return static_cast<Integer>(Tile & 0xFF); }
constexpr bool MicroTileCoversNothing(TMicroTile Tile)
{
    return MicroTileLeft(Tile) == MicroTileRight(Tile) || MicroTileTop(Tile) == MicroTileBottom(Tile);
}

// A grid of tiles over BoundsRect. Tile (c, r) is Tiles[r * Columns + c]; the
// array holds (Columns + 1) * (Rows + 1) tiles, so that a right or bottom
// edge on the grid's border may name the column or row after the last.
// BoundsUsedTiles (tile indices, inclusive) holds every tile that may be
// non-empty; (Columns, Rows, 0, 0) says none is. The user of the record owns
// the array: TilesRelease frees it.
struct TMicroTiles {
    TRect BoundsRect;
    Integer Columns = 0;
    Integer Rows = 0;
    TRect BoundsUsedTiles;
    Integer Count = 0;
    PMicroTileArray Tiles = nullptr;
};
using PMicroTiles = TMicroTiles*;
using PPMicroTiles = PMicroTiles*;

// Grows R by Dx and Dy in R's own orientation: a side that runs backwards
// (Right < Left, Bottom < Top) grows the other way.
void InflateOriented(TRect& R, Integer Dx, Integer Dy);

// Frees the tile array and zeroes the record.
void TilesRelease(TMicroTiles& Tiles);
// Sizes the grid to cover DstRect and clears every tile.
void TilesResize(TMicroTiles& Tiles, const TRect& DstRect);
// Every allocated tile := Value; no tile counts as used.
void TilesClear(TMicroTiles& Tiles, TMicroTile Value = MICROTILE_EMPTY);
// The used tiles := Value; no tile counts as used.
void TilesClearUsed(TMicroTiles& Tiles, TMicroTile Value = MICROTILE_EMPTY);
// Dst takes Src's grid and used tiles.
void TilesCopy(TMicroTiles& Dst, const TMicroTiles& Src);
// Marks a rectangle of pixels (relative to the grid's corner) dirty, exactly
// or in whole tiles. Backward rectangles are turned round; parts outside the
// grid are cut off.
void TilesAddRect(TMicroTiles& Tiles, const TRect& Rect, bool RoundToWholeTiles = false);
// Marks a line of LineWidth pixels dirty as a chain of rectangles, one per
// 32 pixels along its major axis.
void TilesAddLine(TMicroTiles& Tiles, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer LineWidth,
                  bool RoundToWholeTiles = false);
// The dirty area as rectangles clipped to Clip, appended to DstRects unless
// CountOnly; returns how many there are.
Integer TilesCalcRects(const TMicroTiles& Tiles, TRectList* DstRects, const TRect& Clip, bool CountOnly,
                       bool RoundToWholeTiles = false);
// The same, exact, clipped to the grid's own BoundsRect.
Integer TilesCalcRects(const TMicroTiles& Tiles, TRectList* DstRects, bool CountOnly = false);

// Bound routines.
enum TMicroTilesBindingID : Integer { FID_TileUnion, FID_TilesUnion, MicroTilesBindingCount };

// Dst := the bounding box of Dst and Src. Nothing when Dst is full or Src
// covers nothing; Src itself when Dst is empty or Src is full.
using TTileUnionProc = void(TMicroTile& Dst, TMicroTile Src);
// TileUnion over every used tile of Src (or, RoundToWholeTiles, every tile
// Src dirties becomes full); Dst's used tiles grow by Src's.
using TTilesUnionProc = void(TMicroTiles& Dst, const TMicroTiles& Src, bool RoundToWholeTiles);
extern TTileUnionProc* TileUnion;
extern TTilesUnionProc* TilesUnion;

// Makes the unit's registry and binds the best routines for this processor.
// Start-up only: InstallRasterEngine calls it once.
void RegisterMicroTilesBindings();
