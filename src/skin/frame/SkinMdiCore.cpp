#include "skin/frame/SkinMdiCore.h"

#include <algorithm>
#include <cmath>

#include "framework/runtime/System.h"

std::vector<TRect> MDITileHorizontal(Integer Count, Integer W, Integer H)
{
    std::vector<TRect> Out(size_t(std::max<Integer>(Count, 0)));
    Integer Cols = Integer(std::sqrt(double(std::max<Integer>(Count, 0))));
    if (Cols < 1) return {};
    Integer Rows = Count / Cols;
    if (Count > Rows * Cols) ++Rows;
    const Integer ColW = W / Cols;
    Integer RowH = H / Rows;
    Integer Right = W, Bottom = H;
    for (Integer I = Count; I >= 1; --I) {
        const Integer L = std::max<Integer>(Right - ColW, 0), T = std::max<Integer>(Bottom - RowH, 0);
        Out[size_t(I - 1)] = {L, T, L + ColW, T + RowH};
        Bottom -= RowH;
        if (Bottom - RowH < 0) {
            Bottom = H;
            Right -= ColW;
            Cols = std::max<Integer>(Cols - 1, 1);
            Rows = std::max<Integer>((I - 1 + Cols - 1) / Cols, 1);
            RowH = H / Rows;
        }
    }
    return Out;
}

std::vector<TRect> MDITileVertical(Integer Count, Integer W, Integer H)
{
    const Integer N = Integer(std::sqrt(double(std::max<Integer>(Count, 0))));
    if (N < 1) return {};
    std::vector<TRect> Out;
    Integer Cols = Count / N;
    const Integer ColW = W / Cols;
    Integer RowH = H / N;
    Integer X = 0, Y = 0;
    for (Integer I = 1; I <= Count; ++I) {
        Out.push_back({X, Y, X + ColW, Y + RowH});
        Y += RowH;
        if (Y + RowH > H) {
            Y = 0;
            X += ColW;
            Cols = std::max<Integer>(Cols - 1, 1);
            const Integer Rows = std::max<Integer>((Count - I) / Cols, 1);
            RowH = H / Rows;
        }
    }
    return Out;
}

std::vector<TRect> MDICascade(const std::vector<TsfMDICascadeChild>& Children, Integer W, Integer H, Integer Step,
                              Integer MinW, Integer MinH)
{
    const Integer Count = Integer(Children.size());
    // A skin whose client rectangle starts at 0 would give no step at all.
    Step = std::max<Integer>(Step, 1);
    const Integer K = (W - Integer(Round(W * 0.8))) / Step;
    const Integer Shift = K <= Count ? K : Count - 1;
    const Integer CW = std::max(W - Shift * Step, MinW), CH = std::max(H - Shift * Step, MinH);
    std::vector<TRect> Out(Children.size());
    Integer Pos = 0;
    for (Integer I = Count - 1; I >= 0; --I) {
        const TsfMDICascadeChild& C = Children[size_t(I)];
        const Integer CWI = C.KeepSize ? C.Width : CW, CHI = C.KeepSize ? C.Height : CH;
        if (Pos + CWI > W || Pos + CHI > H) Pos = 0;
        Out[size_t(I)] = {Pos, Pos, Pos + CWI, Pos + CHI};
        Pos += Step;
    }
    return Out;
}

const char16_t* const MDIChildItemSuffix = u"_DSFCHILDITEM";

String MDIChildItemName(const String& ChildName) { return ChildName + MDIChildItemSuffix; }

String MDIChildNameOfItem(const String& ItemName)
{
    String S = ItemName;
    const size_t P = S.find(MDIChildItemSuffix);
    if (P != String::npos) S.erase(P, std::char_traits<char16_t>::length(MDIChildItemSuffix));
    return S;
}

bool MDIIsChildItem(const String& ItemName) { return ItemName.find(MDIChildItemSuffix) != String::npos; }

void TsfMDIScrollBars::Place(const TRect& R)
{
    if (!H.Visible && !V.Visible) return;
    Both = V.Visible;
    H.Bounds = {R.Left, R.Bottom - HHeight, R.Right, R.Bottom};
    V.Bounds = {R.Right - VWidth, R.Top, R.Right, R.Bottom - (H.Visible ? HHeight : 0)};
}

void TsfMDIScrollBars::Update(const TRect& R, const std::vector<TRect>& Children, bool RecalcRange, bool Suppressed)
{
    if (Suppressed) {
        H.Visible = V.Visible = false;
        return;
    }
    for (int Pass = 0; Pass < 2; ++Pass) {
        Integer MinL = 100000, MinT = 100000, MaxR = -100000, MaxB = -100000;
        for (const TRect& C : Children) {
            MinL = std::min(MinL, C.Left);
            MinT = std::min(MinT, C.Top);
            MaxR = std::max(MaxR, C.Right);
            MaxB = std::max(MaxB, C.Bottom);
        }
        const Integer RW = R.Width(), RH = R.Height();
        bool NeedH = MinL < 0 || MaxR > RW;
        bool NeedV = MinT < 0 || MaxB > RH;
        // One bar takes room from the other's side.
        if (NeedV && !NeedH) NeedH = MinL < 0 || MaxR > RW - VWidth;
        else if (NeedH && !NeedV) NeedV = MinT < 0 || MaxB > RH - HHeight;
        bool Changed = false;
        if (NeedH != H.Visible) {
            H.Visible = NeedH;
            if (NeedH) H.Bounds = {R.Left, R.Bottom - HHeight, R.Right, R.Bottom};
            Changed = true;
        }
        if (NeedV != V.Visible) {
            V.Visible = NeedV;
            if (NeedV) V.Bounds = {R.Right - VWidth, R.Top, R.Right, R.Bottom - (NeedH ? HHeight : 0)};
            Changed = true;
        }
        Place(R);
        if (H.Visible) {
            MaxR = std::max(MaxR, RW);
            if (RecalcRange) {
                const Integer P = MinL < 0 ? -MinL : 0;
                H.Max = MaxR + P - 1;
                H.PageSize = RW - (V.Visible ? VWidth : 0);
                H.Position = H.Saved = P;
            }
            H.LargeChange = H.PageSize;
        }
        if (V.Visible) {
            MaxB = std::max(MaxB, RH);
            if (RecalcRange) {
                const Integer P = MinT < 0 ? -MinT : 0;
                V.Max = MaxB + P - 1;
                V.PageSize = RH - (H.Visible ? HHeight : 0);
                V.Position = V.Saved = P;
            }
            V.LargeChange = V.PageSize;
        }
        if (!Changed || (!H.Visible && !V.Visible)) return;
    }
}
