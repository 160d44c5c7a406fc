#include "skin/frame/SkinMainMenuBarCore.h"

#include <algorithm>

TRect MenuBarItemsRect(bool Skinned, const TRect& ItemsRect, const TRect& SkinRect, bool UseSkinSize, Integer W,
                       Integer H)
{
    if (!Skinned) return {2, 2, W - 2, H - 1};
    TRect R{ItemsRect.Left, ItemsRect.Top, W + ItemsRect.Right - SkinRect.Width(), ItemsRect.Bottom};
    if (!UseSkinSize) R.Bottom = H + ItemsRect.Bottom - SkinRect.Height();
    return R;
}

std::vector<TRect> PlaceMenuBarChildButtons(TRect& Items, const std::vector<Integer>& Widths,
                                            const std::vector<Integer>& Heights)
{
    std::vector<TRect> Out(Widths.size());
    const Integer IH = Items.Height();
    auto Top = [&](size_t I) { return Items.Top + (IH - Heights[I]) / 2; };
    for (size_t I = 0; I < Widths.size(); ++I) {
        if (I == 0) {
            Out[0] = {Items.Left, Top(0), Items.Left + Widths[0], Top(0) + Heights[0]};
            Items.Left += Widths[0] + 2;
        } else {
            Out[I] = {Items.Right - Widths[I], Top(I), Items.Right, Top(I) + Heights[I]};
            Items.Right -= Widths[I] + 2;
        }
    }
    return Out;
}

TsfMenuBarLayout LayoutMenuBarItems(const std::vector<Integer>& Widths, const TRect& Items, Integer ItemH,
                                    bool ScrollMenu)
{
    TsfMenuBarLayout L;
    const Integer Limit = ScrollMenu ? Items.Right - 5 : Items.Right;
    const Integer Bottom = ItemH > 0 ? Items.Top + ItemH : Items.Bottom;
    Integer X = Items.Left;
    for (Integer W : Widths) {
        L.Rects.push_back({X, Items.Top, X + W, Bottom});
        const bool Fits = X + W <= Limit;
        L.Fits.push_back(Fits);
        if (!Fits) L.Scroll = true;
        X += W;
    }
    return L;
}

TRect MenuBarScrollMarker(const TRect& Items) { return {Items.Right - 5, Items.Top, Items.Right, Items.Bottom}; }

Integer MenuBarNextItem(const std::vector<bool>& Selectable, Integer Current)
{
    const Integer N = Integer(Selectable.size());
    for (Integer K = 1; K <= N; ++K) {
        const Integer I = Current < 0 ? K - 1 : (Current + K) % N;
        if (Selectable[size_t(I)]) return I;
    }
    return -1;
}

Integer MenuBarPrevItem(const std::vector<bool>& Selectable, Integer Current)
{
    const Integer N = Integer(Selectable.size());
    for (Integer K = 1; K <= N; ++K) {
        const Integer I = Current < 0 ? N - K : ((Current - K) % N + N) % N;
        if (Selectable[size_t(I)]) return I;
    }
    return -1;
}

std::vector<Integer> MergeMenuGroups(const std::vector<Integer>& MainGroups, const std::vector<Integer>& ChildGroups)
{
    std::vector<std::pair<Integer, Integer>> E;  // (group, entry)
    for (size_t I = 0; I < MainGroups.size(); ++I)
        if (std::find(ChildGroups.begin(), ChildGroups.end(), MainGroups[I]) == ChildGroups.end())
            E.push_back({MainGroups[I], Integer(I)});
    for (size_t I = 0; I < ChildGroups.size(); ++I) E.push_back({ChildGroups[I], -1 - Integer(I)});
    std::stable_sort(E.begin(), E.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
    std::vector<Integer> Out;
    for (const auto& P : E) Out.push_back(P.second);
    return Out;
}
