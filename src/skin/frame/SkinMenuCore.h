// SkinMenuCore: the arithmetic of the skinned menus. A menu level's size from
// its rows and the skin, the layout of its rows, its scrolling and scroll
// markers, where it opens beside its anchor inside the work area, the
// keyboard walk over its usable rows; the images menu's grid of cells,
// button and header rows and its keyboard walk; the messages that close an
// open menu. Portable: the menu windows (win/SkinMenus) fill the inputs from
// the menu items and the skin and turn the results into windows and paints.
#pragma once

#include <vector>

#include "framework/runtime/Types.h"

// ---------------------------------------------------------------------------
// One menu level.

// What sizes a level: the skin's part (all zero in the default look) and the engine's settings.
struct TsfMenuLevelMetrics {
    bool Skinned = false;
    // Skinned: the window picture's size, its item area, and the row description's
    // SkinRect width and TextRct left and right.
    Integer PictureWidth = 0, PictureHeight = 0;
    TRect ItemsRect;
    Integer RowSkinWidth = 0;
    Integer TextLeft = 0, TextRight = 0;
    Integer GlyphWidth = 16;
    Integer MaxMenuItemsInWindow = 0;
    Integer WorkAreaHeight = 0;
};

// Height of one row: a separator in a skinned level is as high as the divider
// picture, any other skinned row the skin's row height (UseSkinSize) or the
// default height; the default look has 4 for a separator, else the default height.
Integer MenuRowHeight(bool Skinned, bool Separator, Integer DividerHeight, bool UseSkinSize, Integer SkinRowHeight,
                      Integer DefaultHeight);

// The rows, sizes, scroll state and shown part of one level.
class TsfMenuLevelLayout {
public:
    // Marker areas are this high; the first row starts below the top one.
    static constexpr Integer MarkerHeight = 10;

    // Sizes the level: RowHeights per row, MaxTextWidth the widest text (with
    // its 2 pixels), RowHeight the height of a row that is not a separator.
    void Size(const TsfMenuLevelMetrics& M, const std::vector<Integer>& RowHeights, Integer MaxTextWidth,
              Integer RowHeight);
    // The item area for the level's size (skinned: the skin's moved with the size).
    void SetItemsRect(const TRect& R) { FItemsRect = R; }
    // Lays the rows out from VisibleStartIndex.
    void Arrange();

    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    bool Scroll() const { return FScroll; }
    bool Scroll2() const { return FScroll2; }
    const TRect& ItemsRect() const { return FItemsRect; }
    Integer Count() const { return Integer(FHeights.size()); }
    Integer VisibleStartIndex() const { return FVisibleStartIndex; }
    void SetVisibleStartIndex(Integer Value) { FVisibleStartIndex = Value; }
    Integer VisibleCount() const { return FVisibleCount; }
    const TRect& RowRect(Integer Index) const { return FRects[size_t(Index)]; }
    bool RowVisible(Integer Index) const { return FVisible[size_t(Index)] != 0; }
    // The last shown row, -1 when none.
    Integer LastShown() const { return FVisibleCount > 0 ? FVisibleStartIndex + FVisibleCount - 1 : -1; }
    // The first shown row whose rectangle holds P, -1 when none.
    Integer RowAt(const TPoint& P) const;

    TRect TopMarker() const;
    TRect BottomMarker() const;
    // 1: rows above the shown ones; 2: rows below.
    bool CanScroll(Integer Code) const;
    // One row up (with Wrap from the top to the last page); true when anything moved.
    bool ScrollUp(bool Wrap);
    // One row down (with Wrap from the end back to the top); true when anything moved.
    bool ScrollDown(bool Wrap);
    // The first row of the page that ends with the last row.
    Integer GetLastPageStartIndex() const;

    // The keyboard walk: the next (Down) or previous (Up) row whose Usable flag
    // is set, scrolling a scrolling level along unless the mouse scrolls it
    // (MouseScrolling); Active -1 is none. Wraps only from the last (first)
    // row; without a usable row in the walked direction Active stays.
    Integer NextUsable(Integer Active, const std::vector<bool>& Usable, bool MouseScrolling);
    Integer PrevUsable(Integer Active, const std::vector<bool>& Usable, bool MouseScrolling);

private:
    std::vector<Integer> FHeights;
    std::vector<TRect> FRects;
    std::vector<char> FVisible;
    TRect FItemsRect;
    Integer FWidth = 0, FHeight = 0;
    bool FScroll = false, FScroll2 = false;
    Integer FVisibleStartIndex = 0;
    Integer FVisibleCount = 0;
};

// Where a level of W x H opens for the anchor R (screen coordinates) inside the
// work area A. ScreenScroll: the level scrolls because of the screen height;
// PopupByItem: a submenu beside its parent row; ItemsTop: the item area's top.
TPoint PlaceMenuLevel(const TRect& R, Integer W, Integer H, const TRect& A, bool ScreenScroll, bool PopupByItem,
                      bool PopupUp, Integer ItemsTop);

// The 13 messages (move, size, activation, focus, cancel mode, presses) on
// which a form closes its open menu.
bool IsMenuCloseMessage(Cardinal Msg);
// The messages the images menu's grid closes on, besides a press outside it.
bool IsImagesMenuCloseMessage(Cardinal Msg);

// ---------------------------------------------------------------------------
// The images menu's grid.

enum class TsfGridItemKind : Byte { Cell, Button, Header };

struct TsfImagesGridLayout {
    std::vector<TRect> ItemRects;
    TRect Content;  // left and top of the first item, the row width, the bottom of the last item
    Integer Width = 0, Height = 0;
};

// Cells of CellW x CellH in Columns columns from the origin (L, T); button rows
// as wide as the columns; header rows HeaderH high. Skinned: the window picture
// (pw x ph) and its item area size the window, else a border of 5.
TsfImagesGridLayout LayoutImagesGrid(const std::vector<TsfGridItemKind>& Kinds, Integer CellW, Integer CellH,
                                     Integer Columns, Integer L, Integer T, Integer HeaderH, bool Skinned,
                                     Integer PictureWidth, Integer PictureHeight, const TRect& ItemsRect);
// The first item that is not a header whose rectangle holds P (edges included), -1 when none.
Integer ImagesGridItemAt(const std::vector<TsfGridItemKind>& Kinds, const std::vector<TRect>& Rects,
                         const TPoint& P);
// The hovered item after an arrow key (37 left, 38 up, 39 right, 40 down); Current -1 is none.
Integer ImagesGridMove(const std::vector<TsfGridItemKind>& Kinds, const std::vector<TRect>& Rects, Integer Current,
                       Integer Key);
// Where the grid of W x H opens below R, inside the work area A.
TPoint PlaceImagesGrid(const TRect& R, Integer W, Integer H, const TRect& A);

// The skin's corner points and item area moved to a window of W x H made from a
// picture of PW x PH.
struct TsfMovedFrame {
    TPoint LT, RT, LB, RB;
    TRect ItemsRect;
};
TsfMovedFrame MoveFrameToSize(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                              const TRect& ItemsRect, Integer PW, Integer PH, Integer W, Integer H);
