#include "Component/Raster32/Ras32_MicroTiles.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Component/Raster32/Ras32_Bindings.h"
#include "Component/Raster32/Ras32_MicroTiles_Variants.h"
#include "framework/runtime/SysUtils.h"

void InflateOriented(TRect& R, Integer Dx, Integer Dy)
{
    if (R.Right < R.Left) Dx = -Dx;
    if (R.Bottom < R.Top) Dy = -Dy;
    R.Left -= Dx;
    R.Top -= Dy;
    R.Right += Dx;
    R.Bottom += Dy;
}

namespace {

// The tile array goes through the C heap so that a resize can keep the old
// tiles in place (TilesCopy keeps the ones it has).
void ReallocTiles(TMicroTiles& Tiles, Integer NewCount)
{
    if (NewCount <= 0) {
        std::free(Tiles.Tiles);
        Tiles.Tiles = nullptr;
        return;
    }
    void* P = std::realloc(Tiles.Tiles, static_cast<size_t>(NewCount) * sizeof(TMicroTile));
    if (!P) throw EOutOfMemory(u"Out of memory");
    Tiles.Tiles = static_cast<PMicroTileArray>(P);
}

TRect NoTilesUsed(const TMicroTiles& Tiles)
{
    return TRect{Tiles.Columns, Tiles.Rows, 0, 0};
}

inline TMicroTile& TileAt(TMicroTiles& Tiles, Integer Column, Integer Row)
{
    return Tiles.Tiles[Row * Tiles.Columns + Column];
}

}  // namespace

void TilesRelease(TMicroTiles& Tiles)
{
    std::free(Tiles.Tiles);
    Tiles = TMicroTiles{};
}

void TilesResize(TMicroTiles& Tiles, const TRect& DstRect)
{
    Integer Width = std::max(DstRect.Right - DstRect.Left, 0);
    Integer Height = std::max(DstRect.Bottom - DstRect.Top, 0);
    Tiles.BoundsRect = DstRect;
    Tiles.Columns = (Width >> MICROTILE_SHIFT) + 1;
    Tiles.Rows = (Height >> MICROTILE_SHIFT) + 1;
    Integer Count = (Tiles.Columns + 1) * (Tiles.Rows + 1);
    ReallocTiles(Tiles, Count);
    Tiles.Count = Count;
    TilesClear(Tiles, MICROTILE_EMPTY);
}

void TilesClear(TMicroTiles& Tiles, TMicroTile Value)
{
    Tiles.BoundsUsedTiles = NoTilesUsed(Tiles);
    if (Tiles.Tiles) std::fill_n(Tiles.Tiles, Tiles.Count, Value);
}

void TilesClearUsed(TMicroTiles& Tiles, TMicroTile Value)
{
    if (Tiles.Tiles) {
        const TRect& U = Tiles.BoundsUsedTiles;
        Integer Left = std::max(U.Left, 0), Right = std::min(U.Right, Tiles.Columns);
        Integer Top = std::max(U.Top, 0), Bottom = std::min(U.Bottom, Tiles.Rows);
        for (Integer Row = Top; Row <= Bottom && Left <= Right; ++Row)
            std::fill_n(&TileAt(Tiles, Left, Row), Right - Left + 1, Value);
    }
    Tiles.BoundsUsedTiles = NoTilesUsed(Tiles);
}

void TilesCopy(TMicroTiles& Dst, const TMicroTiles& Src)
{
    if (&Dst == &Src) return;
    if (Dst.Tiles && Dst.Count > 0) TilesClearUsed(Dst, MICROTILE_EMPTY);
    Dst.BoundsRect = Src.BoundsRect;
    Dst.Columns = Src.Columns;
    Dst.Rows = Src.Rows;
    Dst.BoundsUsedTiles = Src.BoundsUsedTiles;
    Integer OldCount = Dst.Tiles ? Dst.Count : 0;
    ReallocTiles(Dst, Src.Count);
    if (Src.Count > OldCount) std::fill(Dst.Tiles + OldCount, Dst.Tiles + Src.Count, MICROTILE_EMPTY);
    Dst.Count = Src.Count;
    if (!Src.Tiles || !Dst.Tiles) return;
    const TRect& U = Src.BoundsUsedTiles;
    Integer Left = std::max(U.Left, 0), Right = std::min(U.Right, Src.Columns);
    Integer Top = std::max(U.Top, 0), Bottom = std::min(U.Bottom, Src.Rows);
    for (Integer Row = Top; Row <= Bottom && Left <= Right; ++Row) {
        Integer I = Row * Src.Columns + Left;
        std::memcpy(Dst.Tiles + I, Src.Tiles + I, static_cast<size_t>(Right - Left + 1) * sizeof(TMicroTile));
    }
}

void TilesAddRect(TMicroTiles& Tiles, const TRect& Rect, bool RoundToWholeTiles)
{
    if (Tiles.Count == 0 || !Tiles.Tiles) return;
    Integer Left = Rect.Left, Top = Rect.Top, Right = Rect.Right, Bottom = Rect.Bottom;
    if (Right < Left) std::swap(Left, Right);
    if (Bottom < Top) std::swap(Top, Bottom);
    Left = std::max(Left, 0);
    Top = std::max(Top, 0);
    Right = std::min(Right, Tiles.Columns * MICROTILE_SIZE);
    Bottom = std::min(Bottom, Tiles.Rows * MICROTILE_SIZE);
    if (Right < Left || Bottom < Top) return;

    // A right or bottom edge on a tile border names the next column or row;
    // the grid's extra column and row hold it (and its part is empty).
    Integer C0 = Left >> MICROTILE_SHIFT, R0 = Top >> MICROTILE_SHIFT;
    Integer C1 = Right >> MICROTILE_SHIFT, R1 = Bottom >> MICROTILE_SHIFT;

    if (RoundToWholeTiles) {
        for (Integer Row = R0; Row <= R1; ++Row)
            std::fill_n(&TileAt(Tiles, C0, Row), C1 - C0 + 1, MICROTILE_FULL);
    } else {
        constexpr Integer S = MICROTILE_SIZE;
        Integer L = Left & (S - 1), T = Top & (S - 1), R = Right & (S - 1), B = Bottom & (S - 1);
        // The part of the rectangle in tile (C, Row): inner sides reach the tile's edges.
        for (Integer Row = R0; Row <= R1; ++Row) {
            Integer PT = Row == R0 ? T : 0;
            Integer PB = Row == R1 ? B : S;
            bool InnerRow = Row != R0 && Row != R1;
            for (Integer C = C0; C <= C1; ++C) {
                Integer PL = C == C0 ? L : 0;
                Integer PR = C == C1 ? R : S;
                TMicroTile& Tile = TileAt(Tiles, C, Row);
                if (InnerRow && C != C0 && C != C1) Tile = MICROTILE_FULL;
                else TileUnion(Tile, MakeMicroTile(PL, PT, PR, PB));
            }
        }
    }

    TRect& U = Tiles.BoundsUsedTiles;
    U.Left = std::min(U.Left, C0);
    U.Top = std::min(U.Top, R0);
    U.Right = std::max(U.Right, C1);
    U.Bottom = std::max(U.Bottom, R1);
}

void TilesAddLine(TMicroTiles& Tiles, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer LineWidth,
                  bool RoundToWholeTiles)
{
    Integer D = 2 * LineWidth;
    Int64 DX = static_cast<Int64>(X2) - X1, DY = static_cast<Int64>(Y2) - Y1;
    if (DX == 0 || DY == 0) {
        TRect R{X1, Y1, X2, Y2};
        InflateOriented(R, D, D);
        TilesAddRect(Tiles, R, RoundToWholeTiles);
        return;
    }
    // 16.16 fixed point, carried in 64 bits so that long lines do not overflow.
    Int64 SX = DX < 0 ? -1 : 1, SY = DY < 0 ? -1 : 1;
    DX = (DX < 0 ? -DX : DX) << 16;
    DY = (DY < 0 ? -DY : DY) << 16;
    bool YMajor = DX < DY;
    Int64 Major = YMajor ? DY : DX, Minor = YMajor ? DX : DY;
    Int64 N = Major / MICROTILE_SIZE;                 // steps of 32 pixels, 16.16
    Int64 MinorStep = (Minor << 16) / N;              // fixed division
    Int64 StepX = SX * (YMajor ? MinorStep : Int64{0x200000});
    Int64 StepY = SY * (YMajor ? Int64{0x200000} : MinorStep);
    Int64 Steps = (N + 0xFFFF) >> 16;                 // ceil
    Int64 CurX = static_cast<Int64>(X1) << 16, CurY = static_cast<Int64>(Y1) << 16;
    auto Round = [](Int64 V) { return static_cast<Integer>((V + 0x7FFF) >> 16); };
    for (Int64 K = 1; K <= Steps; ++K) {
        Int64 NextX = CurX + StepX, NextY = CurY + StepY;
        TRect R{Round(CurX), Round(CurY), Round(NextX), Round(NextY)};
        InflateOriented(R, D, D);
        TilesAddRect(Tiles, R, RoundToWholeTiles);
        CurX = NextX;
        CurY = NextY;
    }
}

Integer TilesCalcRects(const TMicroTiles& Tiles, TRectList* DstRects, const TRect& Clip, bool CountOnly,
                       bool RoundToWholeTiles)
{
    const TRect& U = Tiles.BoundsUsedTiles;
    if (Tiles.Count == 0 || !Tiles.Tiles || U.Right < U.Left || U.Bottom < U.Top) return 0;
    const Integer Columns = Tiles.Columns, Rows = Tiles.Rows;
    // Tiles outside the used ones are empty, so only those rows and columns
    // are walked; runs may still reach further right.
    Integer X0 = std::max(U.Left, 0), X1 = std::min(U.Right, Columns - 1);
    Integer Y0 = std::max(U.Top, 0), Y1 = std::min(U.Bottom, Rows - 1);
    if (X1 < X0 || Y1 < Y0) return 0;

    // Above[I]: the rectangle that ended in the tile above tile I, or -1.
    thread_local std::vector<Integer> Above;
    thread_local std::vector<TRect> Rects;
    Above.assign(static_cast<size_t>(Columns) * static_cast<size_t>(Rows), -1);
    Rects.clear();
    auto ClampX = [&](Integer V) { return std::clamp(V, Clip.Left, std::max(Clip.Left, Clip.Right)); };
    auto ClampY = [&](Integer V) { return std::clamp(V, Clip.Top, std::max(Clip.Top, Clip.Bottom)); };

    for (Integer Y = Y0; Y <= Y1; ++Y) {
        const TMicroTile* Row = Tiles.Tiles + Y * Columns;
        Integer X = X0;
        while (X <= X1) {
            TMicroTile T = Row[X];
            if (T == MICROTILE_EMPTY) {
                ++X;
                continue;
            }
            Integer First = X;
            Integer Left, Top, Right, Bottom;
            if (RoundToWholeTiles) {
                Top = Y * MICROTILE_SIZE;
                Bottom = Top + MICROTILE_SIZE;
                Left = X * MICROTILE_SIZE;
                while (X + 1 < Columns && Row[X + 1] != MICROTILE_EMPTY) ++X;
                Right = X * MICROTILE_SIZE + MICROTILE_SIZE;
            } else {
                Top = Y * MICROTILE_SIZE + MicroTileTop(T);
                Bottom = Y * MICROTILE_SIZE + MicroTileBottom(T);
                Left = X * MICROTILE_SIZE + MicroTileLeft(T);
                TMicroTile Last = T;
                if (MicroTileRight(T) == MICROTILE_SIZE) {
                    while (X + 1 < Columns) {
                        TMicroTile Next = Row[X + 1];
                        if (MicroTileLeft(Next) != 0 || MicroTileTop(Next) != MicroTileTop(T) ||
                            MicroTileBottom(Next) != MicroTileBottom(T))
                            break;
                        ++X;
                        Last = Next;
                    }
                }
                Right = X * MICROTILE_SIZE + MicroTileRight(Last);
            }
            Left = ClampX(Left);
            Right = ClampX(Right);
            Top = ClampY(Top);
            Bottom = ClampY(Bottom);

            Integer I = Y * Columns + First;
            Integer A = Above[static_cast<size_t>(I)];
            bool LastRow = Y == Rows - 1;
            if (A >= 0 && Rects[static_cast<size_t>(A)].Left == Left && Rects[static_cast<size_t>(A)].Right == Right &&
                Rects[static_cast<size_t>(A)].Bottom == Top) {
                Rects[static_cast<size_t>(A)].Bottom = Bottom;
                if (!LastRow) Above[static_cast<size_t>(I + Columns)] = A;
            } else {
                Rects.push_back(TRect{Left, Top, Right, Bottom});
                if (!LastRow) Above[static_cast<size_t>(I + Columns)] = static_cast<Integer>(Rects.size()) - 1;
            }
            ++X;
        }
    }
    Integer N = static_cast<Integer>(Rects.size());
    if (!CountOnly && DstRects)
        for (const TRect& R : Rects) DstRects->Add(R);
    return N;
}

Integer TilesCalcRects(const TMicroTiles& Tiles, TRectList* DstRects, bool CountOnly)
{
    return TilesCalcRects(Tiles, DstRects, Tiles.BoundsRect, CountOnly, false);
}

// ---------------------------------------------------------------------------
// Union routines: the reference and the registry

TTilesUnionSpan TilesUnionSpan(const TMicroTiles& Dst, const TMicroTiles& Src)
{
    const TRect& U = Src.BoundsUsedTiles;
    return TTilesUnionSpan{std::max(U.Left, 0), std::max(U.Top, 0),
                           std::min({U.Right, Src.Columns, Dst.Columns}), std::min({U.Bottom, Src.Rows, Dst.Rows})};
}

void TilesUnionBounds(TMicroTiles& Dst, const TMicroTiles& Src)
{
    TRect& D = Dst.BoundsUsedTiles;
    const TRect& S = Src.BoundsUsedTiles;
    D.Left = std::min(D.Left, S.Left);
    D.Top = std::min(D.Top, S.Top);
    D.Right = std::max(D.Right, S.Right);
    D.Bottom = std::max(D.Bottom, S.Bottom);
}

namespace MicroTilesPas {

void TileUnion(TMicroTile& Dst, TMicroTile Src)
{
    if (Dst == MICROTILE_FULL || Src == MICROTILE_EMPTY || MicroTileCoversNothing(Src)) return;
    if (Dst != MICROTILE_EMPTY && Src != MICROTILE_FULL) {
        Dst = MakeMicroTile(std::min(MicroTileLeft(Dst), MicroTileLeft(Src)),
                            std::min(MicroTileTop(Dst), MicroTileTop(Src)),
                            std::max(MicroTileRight(Dst), MicroTileRight(Src)),
                            std::max(MicroTileBottom(Dst), MicroTileBottom(Src)));
    } else {
        Dst = Src;
    }
}

void TilesUnion(TMicroTiles& Dst, const TMicroTiles& Src, bool RoundToWholeTiles)
{
    if (Src.Count == 0 || !Src.Tiles) return;
    if (Dst.Tiles) {
        TTilesUnionSpan Span = TilesUnionSpan(Dst, Src);
        for (Integer Row = Span.Top; Row <= Span.Bottom; ++Row) {
            TMicroTile* D = Dst.Tiles + Row * Dst.Columns;
            const TMicroTile* S = Src.Tiles + Row * Src.Columns;
            for (Integer C = Span.Left; C <= Span.Right; ++C) {
                if (RoundToWholeTiles) {
                    if (S[C] != MICROTILE_EMPTY && !MicroTileCoversNothing(S[C])) D[C] = MICROTILE_FULL;
                } else {
                    TileUnion(D[C], S[C]);
                }
            }
        }
    }
    TilesUnionBounds(Dst, Src);
}

}  // namespace MicroTilesPas

TTileUnionProc* TileUnion = MicroTilesPas::TileUnion;
TTilesUnionProc* TilesUnion = MicroTilesPas::TilesUnion;

namespace {

void RegisterMicroTilesBindings()
{
    TFunctionRegistry* Registry = NewFunctionRegistry(u"Ras32_MicroTiles bindings");
    Registry->RegisterBinding(FID_TileUnion, &::TileUnion);
    Registry->RegisterBinding(FID_TilesUnion, &::TilesUnion);
    Registry->Add(FID_TileUnion, MicroTilesPas::TileUnion);
    Registry->Add(FID_TilesUnion, MicroTilesPas::TilesUnion);
#if defined(LM_RAS32_MICROTILES_SSE2)
    Registry->Add(FID_TileUnion, MicroTilesSSE2::TileUnion, CpuFeature(ciSSE2));
    Registry->Add(FID_TilesUnion, MicroTilesSSE2::TilesUnion, CpuFeature(ciSSE2));
#endif
    Registry->RebindAll();
}

const bool GMicroTilesBound = (RegisterMicroTilesBindings(), true);

}  // namespace
