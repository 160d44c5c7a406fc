#include "skin/frame/SkinMenuCore.h"

#include <algorithm>

namespace {

bool InRect(const TRect& R, const TPoint& P)  // right and bottom edges excluded
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

bool InRectEdges(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}

}  // namespace

Integer MenuRowHeight(bool Skinned, bool Separator, Integer DividerHeight, bool UseSkinSize, Integer SkinRowHeight,
                      Integer DefaultHeight)
{
    // Heights come from skin files: a negative one counts as none.
    if (Skinned) {
        if (Separator) return std::max(0, DividerHeight);
        return std::max(0, UseSkinSize ? SkinRowHeight : DefaultHeight);
    }
    return Separator ? 4 : std::max(0, DefaultHeight);
}

// ---------------------------------------------------------------------------

void TsfMenuLevelLayout::Size(const TsfMenuLevelMetrics& M, const std::vector<Integer>& RowHeights,
                              Integer MaxTextWidth, Integer RowHeight)
{
    FHeights = RowHeights;
    FRects.assign(FHeights.size(), TRect{});
    FVisible.assign(FHeights.size(), 0);
    FVisibleStartIndex = 0;
    FVisibleCount = 0;
    FScroll = FScroll2 = false;

    Integer W = MaxTextWidth + 16 + M.GlyphWidth;
    Integer Border = 6;
    if (M.Skinned) {
        W += M.TextLeft + (M.RowSkinWidth - M.TextRight) + M.ItemsRect.Left + (M.PictureWidth - M.ItemsRect.Right);
        Border = M.PictureHeight - M.ItemsRect.Height();
    } else {
        W += 10;
    }
    Integer H = Border;
    for (Integer h : FHeights) H += h;
    if (M.MaxMenuItemsInWindow > 0 && M.MaxMenuItemsInWindow < Count()) {
        H = RowHeight * M.MaxMenuItemsInWindow + Border + 2 * MarkerHeight;
        FScroll = FScroll2 = true;
    }
    if (M.WorkAreaHeight > 0 && H > M.WorkAreaHeight) {
        H = M.WorkAreaHeight;
        FScroll = true;
    }
    // A skin's margins may add up to nothing or less: the window keeps a pixel.
    FWidth = std::max(1, W);
    FHeight = std::max(1, H);
    W = FWidth;
    H = FHeight;
    if (M.Skinned)
        FItemsRect = {M.ItemsRect.Left, M.ItemsRect.Top, W + M.ItemsRect.Right - M.PictureWidth,
                      H + M.ItemsRect.Bottom - M.PictureHeight};
    else
        FItemsRect = {3, 3, W - 3, H - 3};
}

void TsfMenuLevelLayout::Arrange()
{
    const Integer Limit = FItemsRect.Bottom - (FScroll ? MarkerHeight : 0);
    Integer Y = FItemsRect.Top + (FScroll ? MarkerHeight : 0);
    std::fill(FVisible.begin(), FVisible.end(), 0);
    FVisibleCount = 0;
    FVisibleStartIndex = std::clamp(FVisibleStartIndex, 0, std::max(0, Count() - 1));
    for (Integer i = FVisibleStartIndex; i < Count(); ++i) {
        const TRect R{FItemsRect.Left, Y, FItemsRect.Right, Y + FHeights[size_t(i)]};
        FRects[size_t(i)] = R;
        if (R.Bottom > Limit) break;
        FVisible[size_t(i)] = 1;
        ++FVisibleCount;
        Y = R.Bottom;
    }
}

Integer TsfMenuLevelLayout::RowAt(const TPoint& P) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (FVisible[size_t(i)] && InRect(FRects[size_t(i)], P)) return i;
    return -1;
}

TRect TsfMenuLevelLayout::TopMarker() const
{
    return {FItemsRect.Left, FItemsRect.Top, FItemsRect.Right, FItemsRect.Top + MarkerHeight};
}

TRect TsfMenuLevelLayout::BottomMarker() const
{
    return {FItemsRect.Left, FItemsRect.Bottom - MarkerHeight, FItemsRect.Right, FItemsRect.Bottom};
}

bool TsfMenuLevelLayout::CanScroll(Integer Code) const
{
    if (Code == 1) return FVisibleStartIndex > 0;
    if (Code == 2) return FVisibleStartIndex + FVisibleCount - 1 < Count() - 1;
    return false;
}

bool TsfMenuLevelLayout::ScrollUp(bool Wrap)
{
    if (FVisibleStartIndex > 0) --FVisibleStartIndex;
    else if (Wrap && GetLastPageStartIndex() != FVisibleStartIndex) FVisibleStartIndex = GetLastPageStartIndex();
    else return false;
    Arrange();
    return true;
}

bool TsfMenuLevelLayout::ScrollDown(bool Wrap)
{
    if (Count() == 0) return false;
    // (A last row too tall to show at all ends the scrolling too.)
    if (!FVisible[size_t(Count() - 1)] && FVisibleStartIndex < Count() - 1) ++FVisibleStartIndex;
    else if (Wrap && FVisibleStartIndex != 0) FVisibleStartIndex = 0;
    else return false;
    Arrange();
    return true;
}

Integer TsfMenuLevelLayout::GetLastPageStartIndex() const
{
    // The page must fit where Arrange puts rows: below the top marker, above the
    // bottom one (counting down to the bare marker height would take one row
    // too many, and the last row would then not show).
    Integer Rest = FItemsRect.Bottom - MarkerHeight;
    const Integer Floor = FItemsRect.Top + MarkerHeight;
    Integer N = 0;
    for (Integer i = Count() - 1; i >= 0; --i) {
        Rest -= FHeights[size_t(i)];
        if (Rest < Floor) break;
        ++N;
    }
    return std::max(0, Count() - std::max(N, 1));
}

Integer TsfMenuLevelLayout::NextUsable(Integer Active, const std::vector<bool>& Usable, bool MouseScrolling)
{
    const Integer N = Count();
    if (N == 0) return Active;
    const bool Scrolls = FScroll && !MouseScrolling;
    if (Scrolls && Active != -1 && Active == LastShown()) ScrollDown(true);
    Integer Start = Active == -1 ? 0 : Active + 1;
    if (Start >= N) Start = 0;
    for (Integer i = Start; i < N; ++i) {
        if (i < Integer(Usable.size()) && Usable[size_t(i)]) {
            // A row below the shown part comes into view.
            while (Scrolls && !RowVisible(i) && i > LastShown() && ScrollDown(false)) {
            }
            if (Scrolls && !RowVisible(i) && i < FVisibleStartIndex) {
                FVisibleStartIndex = i;
                Arrange();
            }
            return i;
        }
        if (Scrolls && i == LastShown()) ScrollDown(true);
    }
    return Active;
}

Integer TsfMenuLevelLayout::PrevUsable(Integer Active, const std::vector<bool>& Usable, bool MouseScrolling)
{
    const Integer N = Count();
    if (N == 0) return Active;
    const bool Scrolls = FScroll && !MouseScrolling;
    if (Scrolls && Active != -1 && Active == FVisibleStartIndex) ScrollUp(true);
    Integer Start = Active == -1 ? N - 1 : Active - 1;
    if (Start < 0) Start = N - 1;
    for (Integer i = Start; i >= 0; --i) {
        if (i < Integer(Usable.size()) && Usable[size_t(i)]) {
            while (Scrolls && !RowVisible(i) && i < FVisibleStartIndex && ScrollUp(false)) {
            }
            if (Scrolls && !RowVisible(i) && i > LastShown()) {
                FVisibleStartIndex = std::min(i, GetLastPageStartIndex());
                Arrange();
            }
            return i;
        }
        if (Scrolls && i == FVisibleStartIndex) ScrollUp(true);
    }
    return Active;
}

// ---------------------------------------------------------------------------

TPoint PlaceMenuLevel(const TRect& R, Integer W, Integer H, const TRect& A, bool ScreenScroll, bool PopupByItem,
                      bool PopupUp, Integer ItemsTop)
{
    bool Shifted = false;
    const bool UpperHalf = R.Top < A.Top + A.Height() / 2;
    Integer Y;
    if (ScreenScroll) {
        Y = A.Top;
    } else if (PopupByItem) {
        if (R.Top + H - ItemsTop > A.Bottom) {
            if (UpperHalf) Y = A.Bottom - H;
            else Y = std::max(R.Bottom - H + ItemsTop, A.Top);
        } else {
            Y = R.Top - ItemsTop;
        }
    } else if (PopupUp) {
        if (R.Top - H >= A.Top) {
            Y = R.Top - H;
        } else if (UpperHalf) {
            if (R.Bottom + H <= A.Bottom) {
                Y = R.Bottom;
            } else {
                Y = A.Bottom - H;
                Shifted = true;
            }
        } else {
            Y = A.Top;
            Shifted = true;
        }
    } else {
        if (R.Bottom + H <= A.Bottom) {
            Y = R.Bottom;
        } else if (UpperHalf) {
            Y = A.Bottom - H;
            Shifted = true;
        } else if (R.Top - H < A.Top) {
            Y = A.Top;
            Shifted = true;
        } else {
            Y = R.Top - H;
        }
    }
    Integer X;
    if (PopupByItem || ScreenScroll || Shifted) {
        X = R.Right + W + 1 > A.Right ? R.Left - W - 1 : R.Right + 1;
    } else {
        X = R.Left;
        if (R.Left + W > A.Right) X = A.Right - W;
        else if (R.Left < A.Left) X = A.Left;
    }
    return {X, Y};
}

bool IsMenuCloseMessage(Cardinal Msg)
{
    switch (Msg) {
    case 0x0003:  // WM_MOVE
    case 0x0005:  // WM_SIZE
    case 0x0006:  // WM_ACTIVATE
    case 0x0008:  // WM_KILLFOCUS
    case 0x001F:  // WM_CANCELMODE
    case 0x0021:  // WM_MOUSEACTIVATE
    case 0x00A1:  // WM_NCLBUTTONDOWN
    case 0x00A4:  // WM_NCRBUTTONDOWN
    case 0x00A7:  // WM_NCMBUTTONDOWN
    case 0x0201:  // WM_LBUTTONDOWN
    case 0x0204:  // WM_RBUTTONDOWN
    case 0x0207:  // WM_MBUTTONDOWN
    case 0x0210:  // WM_PARENTNOTIFY
        return true;
    default:
        return false;
    }
}

bool IsImagesMenuCloseMessage(Cardinal Msg)
{
    switch (Msg) {
    case 0x0104:  // WM_SYSKEYDOWN
    case 0x0106:  // WM_SYSCHAR
        return true;
    case 0x0201:  // WM_LBUTTONDOWN: only outside the grid, which the caller decides
        return false;
    default:
        return IsMenuCloseMessage(Msg);
    }
}

// ---------------------------------------------------------------------------

TsfImagesGridLayout LayoutImagesGrid(const std::vector<TsfGridItemKind>& Kinds, Integer CellW, Integer CellH,
                                     Integer Columns, Integer L, Integer T, Integer HeaderH, bool Skinned,
                                     Integer PictureWidth, Integer PictureHeight, const TRect& ItemsRect)
{
    TsfImagesGridLayout G;
    const Integer RW = Columns * CellW;
    Integer X = L, Y = T;
    for (TsfGridItemKind K : Kinds) {
        if (K == TsfGridItemKind::Cell) {
            G.ItemRects.push_back({X, Y, X + CellW, Y + CellH});
            X += CellW;
            if (X + CellW > L + RW) {
                X = L;
                Y += CellH + 1;
            }
            continue;
        }
        if (X != L) {
            Y += CellH + 1;
            X = L;
        }
        const Integer H = K == TsfGridItemKind::Header ? HeaderH : CellH;
        G.ItemRects.push_back({L, Y, L + RW, Y + H});
        Y += H + 1;
    }
    if (!G.ItemRects.empty())
        G.Content = {G.ItemRects.front().Left, G.ItemRects.front().Top, G.ItemRects.front().Left + RW,
                     G.ItemRects.back().Bottom};
    else
        G.Content = {L, T, L + RW, T};
    if (Skinned) {
        G.Width = PictureWidth + RW - ItemsRect.Width();
        G.Height = PictureHeight + G.Content.Height() - ItemsRect.Height();
    } else {
        G.Width = RW + 10;
        G.Height = G.Content.Height() + 10;
    }
    return G;
}

Integer ImagesGridItemAt(const std::vector<TsfGridItemKind>& Kinds, const std::vector<TRect>& Rects,
                         const TPoint& P)
{
    const size_t N = std::min(Kinds.size(), Rects.size());
    for (size_t i = 0; i < N; ++i)
        if (Kinds[i] != TsfGridItemKind::Header && InRectEdges(Rects[i], P)) return Integer(i);
    return -1;
}

Integer ImagesGridMove(const std::vector<TsfGridItemKind>& Kinds, const std::vector<TRect>& Rects, Integer Current,
                       Integer Key)
{
    const Integer N = Integer(std::min(Kinds.size(), Rects.size()));
    if (N == 0) return Current;
    auto Header = [&](Integer i) { return Kinds[size_t(i)] == TsfGridItemKind::Header; };
    const Integer First = (Header(0) && N > 1) ? 1 : 0;
    if (Current >= N) Current = -1;
    switch (Key) {
    case 39:  // right
        if (Current == -1 || Current == N - 1) return First;
        for (Integer i = Current + 1; i < N; ++i)
            if (!Header(i)) return i;
        return Current;
    case 37:  // left
        if (Current == -1 || Current == 0 || (Current == 1 && Header(0) && N >= 2)) return N - 1;
        for (Integer i = Current - 1; i >= 0; --i)
            if (!Header(i)) return i;
        return Current;
    case 40: {  // down
        if (Current == -1) return First;
        const TRect& C = Rects[size_t(Current)];
        for (Integer i = Current + 1; i < N; ++i)
            if (!Header(i) && Rects[size_t(i)].Top > C.Top &&
                (Kinds[size_t(i)] == TsfGridItemKind::Button || Rects[size_t(i)].Left == C.Left))
                return i;
        return Current;
    }
    case 38: {  // up
        if (Current == -1) return N - 1;
        const TRect& C = Rects[size_t(Current)];
        for (Integer i = Current - 1; i >= 0; --i)
            if (!Header(i) && Rects[size_t(i)].Top < C.Top &&
                (Kinds[size_t(i)] == TsfGridItemKind::Button || Rects[size_t(i)].Left == C.Left))
                return i;
        return Current;
    }
    default:
        return Current;
    }
}

TPoint PlaceImagesGrid(const TRect& R, Integer W, Integer H, const TRect& A)
{
    Integer X = R.Left, Y = R.Bottom;
    if (Y + H > A.Bottom) Y = R.Top - H;
    if (X + W > A.Right) X = A.Right - W;
    if (X < A.Left) X = A.Left;
    if (Y < A.Top) Y = A.Top;
    return {X, Y};
}

TsfMovedFrame MoveFrameToSize(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                              const TRect& ItemsRect, Integer PW, Integer PH, Integer W, Integer H)
{
    TsfMovedFrame F;
    F.LT = LT;
    F.RT = {W + RT.X - PW, RT.Y};
    F.LB = {LB.X, H + LB.Y - PH};
    F.RB = {W + RB.X - PW, H + RB.Y - PH};
    F.ItemsRect = {ItemsRect.Left, ItemsRect.Top, W + ItemsRect.Right - PW, H + ItemsRect.Bottom - PH};
    return F;
}
