#include <gtest/gtest.h>

#include <vector>

#include "skin/frame/SkinMenuCore.h"

namespace {

TsfMenuLevelLayout DefaultLevel(Integer Rows, Integer MaxItems, Integer WorkAreaHeight,
                                const std::vector<Integer>& Separators = {})
{
    TsfMenuLevelMetrics M;
    M.MaxMenuItemsInWindow = MaxItems;
    M.WorkAreaHeight = WorkAreaHeight;
    std::vector<Integer> Heights(size_t(Rows), 20);
    for (Integer s : Separators) Heights[size_t(s)] = MenuRowHeight(false, true, 0, false, 0, 20);
    TsfMenuLevelLayout L;
    L.Size(M, Heights, 60, 20);
    L.Arrange();
    return L;
}

}  // namespace

TEST(SkinMenuCore, LevelSizeAndScrolling)
{
    struct {
        Integer Rows, MaxItems, WorkArea;
        Integer Width, Height;
        bool Scroll, Scroll2;
        Integer Shown;
    } Cases[] = {
        {20, 0, 768, 60 + 16 + 16 + 10, 406, false, false, 20},  // 20 x 20 + 6
        {8, 5, 768, 102, 126, true, true, 5},                    // 5 x 20 + 6 + 20
        {8, 8, 768, 102, 166, false, false, 8},                  // a limit not below the count
        {50, 0, 600, 102, 600, true, false, 28},                 // cut to the work area: (600 - 6 - 20) / 20
        {0, 0, 768, 102, 6, false, false, 0},                    // no rows: the border alone
    };
    for (const auto& C : Cases) {
        TsfMenuLevelLayout L = DefaultLevel(C.Rows, C.MaxItems, C.WorkArea);
        EXPECT_EQ(L.Width(), C.Width) << C.Rows;
        EXPECT_EQ(L.Height(), C.Height) << C.Rows;
        EXPECT_EQ(L.Scroll(), C.Scroll) << C.Rows;
        EXPECT_EQ(L.Scroll2(), C.Scroll2) << C.Rows;
        EXPECT_EQ(L.VisibleCount(), C.Shown) << C.Rows;
        EXPECT_EQ(L.ItemsRect(), (TRect{3, 3, C.Width - 3, C.Height - 3}));
        if (C.Shown > 0) EXPECT_EQ(L.RowRect(0).Top, C.Scroll ? 13 : 3);
    }
    // A skinned level adds the text margins of the row picture and the window
    // picture's border; the item area moves with the size.
    TsfMenuLevelMetrics M;
    M.Skinned = true;
    M.PictureWidth = 93;
    M.PictureHeight = 55;
    M.ItemsRect = {2, 2, 91, 53};
    M.RowSkinWidth = 88;
    M.TextLeft = 2;
    M.TextRight = 86;
    M.GlyphWidth = 21;  // a 16-pixel image list
    TsfMenuLevelLayout L;
    L.Size(M, {23, 3, 23}, 50, 23);
    EXPECT_EQ(L.Width(), 50 + 16 + 21 + 2 + 2 + 2 + 2);
    EXPECT_EQ(L.Height(), 49 + 4);
    EXPECT_EQ(L.ItemsRect(), (TRect{2, 2, L.Width() - 2, L.Height() - 2}));
}

TEST(SkinMenuCore, RowHeights)
{
    EXPECT_EQ(MenuRowHeight(false, true, 3, true, 23, 20), 4);
    EXPECT_EQ(MenuRowHeight(false, false, 3, true, 23, 20), 20);
    EXPECT_EQ(MenuRowHeight(true, true, 3, false, 23, 20), 3);
    EXPECT_EQ(MenuRowHeight(true, false, 3, true, 23, 20), 23);
    EXPECT_EQ(MenuRowHeight(true, false, 3, false, 23, 20), 20);
    // A damaged skin: negative heights count as none.
    EXPECT_EQ(MenuRowHeight(true, true, -5, true, 23, 20), 0);
    EXPECT_EQ(MenuRowHeight(true, false, 3, true, -23, 20), 0);
}

TEST(SkinMenuCore, DamagedSkinMarginsKeepAWindow)
{
    TsfMenuLevelMetrics M;
    M.Skinned = true;
    M.PictureWidth = 10;
    M.PictureHeight = 10;
    M.ItemsRect = {0, 0, 500, 500};  // larger than the picture
    M.RowSkinWidth = -300;
    TsfMenuLevelLayout L;
    L.Size(M, {0, 0}, 5, 0);
    L.Arrange();
    EXPECT_GE(L.Width(), 1);
    EXPECT_GE(L.Height(), 1);
    EXPECT_EQ(L.RowAt({0, 0}), -1);

    // Rows taller than a level cut to the work area never show: the walks and scrolls end.
    TsfMenuLevelMetrics T;
    T.WorkAreaHeight = 100;
    TsfMenuLevelLayout Tall;
    Tall.Size(T, {20, 500, 500}, 50, 20);
    Tall.Arrange();
    EXPECT_EQ(Tall.VisibleCount(), 1);
    EXPECT_TRUE(Tall.ScrollDown(false));
    EXPECT_TRUE(Tall.ScrollDown(false));
    EXPECT_FALSE(Tall.ScrollDown(false));
    EXPECT_EQ(Tall.VisibleCount(), 0);
    const std::vector<bool> All(3, true);
    EXPECT_EQ(Tall.NextUsable(0, All, false), 1);
    EXPECT_EQ(Tall.PrevUsable(2, All, false), 1);
}

TEST(SkinMenuCore, ScrollMarkersAndPages)
{
    TsfMenuLevelLayout L = DefaultLevel(8, 5, 768);
    EXPECT_EQ(L.TopMarker(), (TRect{3, 3, 99, 13}));
    EXPECT_EQ(L.BottomMarker(), (TRect{3, 113, 99, 123}));
    EXPECT_FALSE(L.CanScroll(1));
    EXPECT_TRUE(L.CanScroll(2));
    EXPECT_FALSE(L.ScrollUp(false));
    // Down one row at a time to the end, then no further without wrap.
    for (Integer i = 1; i <= 3; ++i) {
        EXPECT_TRUE(L.ScrollDown(false));
        EXPECT_EQ(L.VisibleStartIndex(), i);
    }
    EXPECT_TRUE(L.RowVisible(7));
    EXPECT_FALSE(L.RowVisible(2));
    EXPECT_FALSE(L.CanScroll(2));
    EXPECT_FALSE(L.ScrollDown(false));
    EXPECT_TRUE(L.ScrollDown(true));  // wraps to the top
    EXPECT_EQ(L.VisibleStartIndex(), 0);
    // Up from the top wraps to the last page, which shows the last row.
    EXPECT_EQ(L.GetLastPageStartIndex(), 3);
    EXPECT_TRUE(L.ScrollUp(true));
    EXPECT_EQ(L.VisibleStartIndex(), 3);
    EXPECT_TRUE(L.RowVisible(7));
    EXPECT_EQ(L.LastShown(), 7);
    // A row under the pointer: only the shown ones.
    EXPECT_EQ(L.RowAt({10, 14}), 3);
    EXPECT_EQ(L.RowAt({10, 5}), -1);  // the top marker
    EXPECT_EQ(L.RowAt({10, 113}), -1);
}

TEST(SkinMenuCore, KeyboardWalk)
{
    // Rows: 0 separator, 1 usable, 2 disabled, 3 usable, 4 usable, 5 separator.
    const std::vector<bool> Usable = {false, true, false, true, true, false};
    TsfMenuLevelLayout L = DefaultLevel(6, 0, 768, {0, 5});
    struct { Integer From; Integer Down, Up; } Cases[] = {
        {-1, 1, 4},  // nothing active: first usable, last usable
        {1, 3, 1},   // Up from the first usable row does not wrap
        {3, 4, 1},
        {4, 4, 3},   // Down on the last usable row that is not the last row stays
        {5, 1, 4},   // from the last row Down starts again at the top
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(L.NextUsable(C.From, Usable, false), C.Down) << C.From;
        EXPECT_EQ(L.PrevUsable(C.From, Usable, false), C.Up) << C.From;
    }
    EXPECT_EQ(L.PrevUsable(0, Usable, false), 4);  // from the first row Up starts at the bottom

    // A scrolling level follows the walk, wrapping from the last row.
    std::vector<bool> All(8, true);
    TsfMenuLevelLayout S = DefaultLevel(8, 5, 768);
    Integer Active = 0;
    for (Integer i = 1; i <= 7; ++i) {
        Active = S.NextUsable(Active, All, false);
        EXPECT_EQ(Active, i);
        EXPECT_TRUE(S.RowVisible(Active)) << i;
    }
    EXPECT_EQ(S.VisibleStartIndex(), 3);
    Active = S.NextUsable(Active, All, false);
    EXPECT_EQ(Active, 0);
    EXPECT_EQ(S.VisibleStartIndex(), 0);
    Active = S.PrevUsable(Active, All, false);
    EXPECT_EQ(Active, 7);
    EXPECT_TRUE(S.RowVisible(7));
    // While the mouse scrolls, the keys leave the shown part alone.
    TsfMenuLevelLayout M = DefaultLevel(8, 5, 768);
    EXPECT_EQ(M.NextUsable(4, All, true), 5);
    EXPECT_EQ(M.VisibleStartIndex(), 0);
}

TEST(SkinMenuCore, Placement)
{
    const TRect A{0, 0, 1024, 768};
    struct {
        const char* What;
        TRect R;
        Integer W, H;
        bool ScreenScroll, ByItem, Up;
        TPoint P;
    } Cases[] = {
        {"point, room below", {100, 100, 100, 100}, 120, 200, false, false, false, {100, 100}},
        {"near the right edge", {1000, 100, 1000, 100}, 120, 200, false, false, false, {904, 100}},
        {"left of the work area", {-20, 100, -20, 100}, 120, 200, false, false, false, {0, 100}},
        {"near the bottom, lower half", {100, 700, 100, 700}, 120, 200, false, false, false, {100, 500}},
        {"near the bottom, upper half", {100, 300, 100, 300}, 120, 600, false, false, false, {101, 168}},
        {"submenu beside its row", {200, 100, 300, 120}, 120, 200, false, true, false, {301, 97}},
        {"submenu at the right edge", {900, 100, 1000, 120}, 120, 200, false, true, false, {779, 97}},
        {"submenu lower half, no room", {200, 700, 300, 720}, 120, 200, false, true, false, {301, 523}},
        {"submenu upper half, no room", {200, 300, 300, 320}, 120, 600, false, true, false, {301, 168}},
        {"upwards with room", {100, 400, 180, 420}, 120, 200, false, false, true, {100, 200}},
        {"upwards, upper half, fits below", {100, 100, 180, 120}, 120, 200, false, false, true, {100, 120}},
        {"upwards, lower half, no room", {100, 500, 180, 520}, 120, 600, false, false, true, {181, 0}},
        {"scrolling because of the screen", {100, 300, 100, 300}, 120, 768, true, false, false, {101, 0}},
    };
    for (const auto& C : Cases) {
        const TPoint P = PlaceMenuLevel(C.R, C.W, C.H, A, C.ScreenScroll, C.ByItem, C.Up, 3);
        EXPECT_EQ(P.X, C.P.X) << C.What;
        EXPECT_EQ(P.Y, C.P.Y) << C.What;
    }
}

TEST(SkinMenuCore, CloseMessages)
{
    const Cardinal Closing[] = {3, 5, 6, 8, 31, 33, 161, 164, 167, 513, 516, 519, 528};
    Integer Count = 0;
    for (Cardinal m = 0; m < 0x400; ++m)
        if (IsMenuCloseMessage(m)) ++Count;
    EXPECT_EQ(Count, 13);
    for (Cardinal m : Closing) EXPECT_TRUE(IsMenuCloseMessage(m)) << m;
    // The grid: the same without the left press (decided by place), with the Alt keys.
    EXPECT_FALSE(IsImagesMenuCloseMessage(513));
    EXPECT_TRUE(IsImagesMenuCloseMessage(260));
    EXPECT_TRUE(IsImagesMenuCloseMessage(262));
    EXPECT_TRUE(IsImagesMenuCloseMessage(516));
    EXPECT_FALSE(IsImagesMenuCloseMessage(0x100));
}

TEST(SkinMenuCore, ImagesGrid)
{
    using K = TsfGridItemKind;
    // Two button rows, five cells, a header, two cells; 16 x 16 images, 4 columns.
    const std::vector<K> Kinds = {K::Button, K::Button, K::Cell, K::Cell, K::Cell, K::Cell, K::Cell,
                                  K::Header, K::Cell, K::Cell};
    const TsfImagesGridLayout G = LayoutImagesGrid(Kinds, 26, 26, 4, 5, 5, 18, false, 0, 0, {});
    const std::vector<TRect> Expected = {
        {5, 5, 109, 31},    {5, 32, 109, 58},  {5, 59, 31, 85},    {31, 59, 57, 85},  {57, 59, 83, 85},
        {83, 59, 109, 85},  {5, 86, 31, 112},  {5, 113, 109, 131}, {5, 132, 31, 158}, {31, 132, 57, 158},
    };
    EXPECT_EQ(G.ItemRects, Expected);
    EXPECT_EQ(G.Width, 114);  // 4 x 26 + 10
    EXPECT_EQ(G.Content, (TRect{5, 5, 109, 158}));
    EXPECT_EQ(G.Height, 163);
    // A button after a partly filled row starts one pixel below that row.
    const TsfImagesGridLayout B = LayoutImagesGrid({K::Cell, K::Button}, 26, 26, 4, 5, 5, 18, false, 0, 0, {});
    EXPECT_EQ(B.ItemRects[1], (TRect{5, 32, 109, 58}));
    // Skinned: the picture's border around the content.
    const TsfImagesGridLayout S =
        LayoutImagesGrid({K::Cell, K::Cell}, 26, 26, 2, 2, 2, 18, true, 93, 55, {2, 2, 91, 53});
    EXPECT_EQ(S.Width, 93 + 52 - 89);
    EXPECT_EQ(S.Height, 55 + 26 - 51);

    // Items at points: headers never, edges included.
    EXPECT_EQ(ImagesGridItemAt(Kinds, G.ItemRects, {31, 70}), 2);
    EXPECT_EQ(ImagesGridItemAt(Kinds, G.ItemRects, {50, 120}), -1);
    EXPECT_EQ(ImagesGridItemAt(Kinds, G.ItemRects, {200, 200}), -1);

    struct { Integer From, Key, To; } Moves[] = {
        {-1, 39, 0}, {9, 39, 0}, {6, 39, 8},       // right: wraps, skips the header
        {-1, 37, 9}, {0, 37, 9}, {8, 37, 6},       // left
        {-1, 40, 0}, {0, 40, 1}, {2, 40, 6}, {3, 40, 9}, {5, 40, 5},  // down: same left edge or a button
        {-1, 38, 9}, {6, 38, 2}, {2, 38, 1}, {9, 38, 3}, {0, 38, 0},  // up
        {4, 13, 4},
    };
    for (const auto& M : Moves) EXPECT_EQ(ImagesGridMove(Kinds, G.ItemRects, M.From, M.Key), M.To) << M.From << " " << M.Key;
    // A header first: Right from nothing and Left from item 1 as the first item.
    const std::vector<K> H = {K::Header, K::Cell, K::Cell};
    const TsfImagesGridLayout HG = LayoutImagesGrid(H, 26, 26, 4, 5, 5, 18, false, 0, 0, {});
    EXPECT_EQ(ImagesGridMove(H, HG.ItemRects, -1, 39), 1);
    EXPECT_EQ(ImagesGridMove(H, HG.ItemRects, 1, 37), 2);
    EXPECT_EQ(ImagesGridMove(H, HG.ItemRects, -1, 40), 1);
}

TEST(SkinMenuCore, GridPlacementAndMovedFrame)
{
    const TRect A{0, 0, 1024, 768};
    EXPECT_EQ(PlaceImagesGrid({100, 100, 180, 120}, 114, 200, A), (TPoint{100, 120}));
    EXPECT_EQ(PlaceImagesGrid({100, 700, 180, 720}, 114, 200, A), (TPoint{100, 500}));  // above near the bottom
    EXPECT_EQ(PlaceImagesGrid({1000, 100, 1020, 120}, 114, 200, A), (TPoint{910, 120}));
    EXPECT_EQ(PlaceImagesGrid({-50, 100, 0, 120}, 114, 200, A), (TPoint{0, 120}));
    const TsfMovedFrame F = MoveFrameToSize({5, 5}, {88, 5}, {5, 50}, {88, 50}, {2, 2, 91, 53}, 93, 55, 200, 300);
    EXPECT_EQ(F.RT, (TPoint{195, 5}));
    EXPECT_EQ(F.LB, (TPoint{5, 295}));
    EXPECT_EQ(F.RB, (TPoint{195, 295}));
    EXPECT_EQ(F.ItemsRect, (TRect{2, 2, 198, 298}));
}
