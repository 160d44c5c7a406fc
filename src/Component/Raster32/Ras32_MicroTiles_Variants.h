// The variants behind the bindings of Ras32_MicroTiles, for its registration
// and the comparison tests. MicroTilesPas is the reference.
#pragma once

#include "Component/Raster32/Ras32_MicroTiles.h"

namespace MicroTilesPas {
void TileUnion(TMicroTile& Dst, TMicroTile Src);
void TilesUnion(TMicroTiles& Dst, const TMicroTiles& Src, bool RoundToWholeTiles);
}  // namespace MicroTilesPas

#if defined(__SSE2__)
#define LM_RAS32_MICROTILES_SSE2 1
// Byte-wise minimum and maximum of four tiles at a time (the unsigned byte
// min/max of the extended MMX set, on SSE2 registers, which need no EMMS).
namespace MicroTilesSSE2 {
void TileUnion(TMicroTile& Dst, TMicroTile Src);
void TilesUnion(TMicroTiles& Dst, const TMicroTiles& Src, bool RoundToWholeTiles);
}  // namespace MicroTilesSSE2
#endif

// The tile rows both grids hold inside Src's used tiles: the loops of every
// variant walk exactly these.
struct TTilesUnionSpan {
    Integer Left, Top, Right, Bottom;  // inclusive; empty when Right < Left or Bottom < Top
};
TTilesUnionSpan TilesUnionSpan(const TMicroTiles& Dst, const TMicroTiles& Src);
// Dst's used tiles grow to include Src's.
void TilesUnionBounds(TMicroTiles& Dst, const TMicroTiles& Src);
