#include "skin/frame/SkinQuickButtonsCore.h"

std::vector<TRect> LayoutQuickButtons(const TRect& A, Integer IconRight, Integer IW, Integer IH,
                                      const std::vector<bool>& Visible)
{
    std::vector<TRect> Out(Visible.size());
    Integer X = IconRight >= 0 ? IconRight + 6 : A.Left + 5;
    const Integer BH = IH + 4;
    const Integer Y = A.Top + (A.Height() - BH) / 2 - 2;
    for (size_t I = 0; I < Visible.size(); ++I) {
        if (!Visible[I]) continue;
        Out[I] = {X, Y, X + IW + 4, Y + BH};
        X += IW + 8;
    }
    return Out;
}

Integer QuickButtonAt(const std::vector<TRect>& Rects, Integer X, Integer Y)
{
    for (size_t I = 0; I < Rects.size(); ++I) {
        const TRect& R = Rects[I];
        if (R.Width() > 0 && X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) return Integer(I);
    }
    return -1;
}
