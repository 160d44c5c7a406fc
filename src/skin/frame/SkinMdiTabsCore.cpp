#include "skin/frame/SkinMdiTabsCore.h"

#include <algorithm>

const char16_t* const MDITabsListSuffix = u"_DSFCHILDITEMBAR";
const char16_t* const MDITabsHiddenListSuffix = u"_DSFCHILDITEMBARHIDE";

TsfMDITabsLayout CalcMDITabRects(Integer Count, Integer BarW, Integer TabH, Integer DefaultTabWidth,
                                 Integer MinTabWidth, Integer DragIndex, Integer TabDX)
{
    TsfMDITabsLayout L;
    if (Count <= 0) return L;
    L.Rects.assign(size_t(Count), TRect{});
    L.Visible.assign(size_t(Count), false);
    const Integer B = MDITabsListButtonWidth;
    const Integer W = std::min((BarW - B) / Count, DefaultTabWidth);
    if (MinTabWidth != 0 && W < MinTabWidth) {
        const Integer N = (BarW - 2 * B) / MinTabWidth;
        for (Integer I = 0; I < Count; ++I) {
            if (I < N) {
                const Integer X = B + I * MinTabWidth;
                L.Rects[size_t(I)] = {X, 0, X + MinTabWidth, TabH};
                L.Visible[size_t(I)] = true;
            } else {
                ++L.InVisibleCount;
            }
        }
        L.RightLimit = BarW - B;
    } else {
        for (Integer I = 0; I < Count; ++I) {
            const Integer X = B + I * W;
            L.Rects[size_t(I)] = {X, 0, X + W, TabH};
            L.Visible[size_t(I)] = true;
        }
        if (W < DefaultTabWidth) L.Rects.back().Right = BarW;
        L.RightLimit = BarW;
    }
    if (DragIndex >= 0 && DragIndex < Count && L.Visible[size_t(DragIndex)]) {
        TRect& R = L.Rects[size_t(DragIndex)];
        const Integer TW = R.Width();
        Integer X = R.Left + TabDX;
        X = std::max<Integer>(std::min(X, L.RightLimit - TW), 0);
        R = {X, R.Top, X + TW, R.Bottom};
    }
    return L;
}

Integer MDITabDropIndex(const TsfMDITabsLayout& L, Integer DragIndex, Integer TabDX)
{
    const Integer Count = Integer(L.Rects.size());
    if (TabDX == 0 || DragIndex < 0 || DragIndex >= Count) return -1;
    const TRect& D = L.Rects[size_t(DragIndex)];
    auto Centre = [&](Integer I) { return (L.Rects[size_t(I)].Left + L.Rects[size_t(I)].Right) / 2; };
    Integer Drop = -1;
    if (TabDX > 0) {
        for (Integer I = DragIndex + 1; I < Count; ++I)
            if (L.Visible[size_t(I)] && Centre(I) < D.Right) Drop = I;
    } else {
        for (Integer I = DragIndex - 1; I >= 0; --I)
            if (L.Visible[size_t(I)] && Centre(I) > D.Left) Drop = I;
    }
    return Drop;
}

Integer MDITabIndexAt(const TsfMDITabsLayout& L, Integer X, Integer Y)
{
    for (size_t I = 0; I < L.Rects.size(); ++I) {
        const TRect& R = L.Rects[I];
        if (L.Visible[I] && X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom) return Integer(I);
    }
    return -1;
}

TRect MDITabCloseButtonRect(Integer W, Integer H, Integer CloseSize)
{
    const Integer X = W - CloseSize - 5, Y = (H - CloseSize) / 2;
    return {X, Y, X + CloseSize, Y + CloseSize};
}
