#include "shell/StylePages.h"

#include <algorithm>

#include "framework/runtime/SysUtils.h"

namespace StylePages {

TStyleImagePlaces StyleImagePlaces(Integer ColCount)
{
    TStyleImagePlaces P{};
    Integer X = StyleLeft, Y = StyleTop;
    for (Integer I = 0; I < StyleImageCount; ++I) {
        P.At[static_cast<size_t>(I)] = TPoint{X, Y};
        X += StylePitchX;
        if (I < StyleImageCount - 1 && ColCount > 0 && (I + 1) % ColCount == 0) {
            P.PanelGrowth += StylePitchY;
            X = StyleLeft;
            Y += StylePitchY;
        }
    }
    return P;
}

Integer ExpandedHeight(Integer PageCount) { return PageCount * StylePitchY + 15; }

Integer PageTop(Integer PageIndex) { return -StylePitchY * PageIndex; }

Integer PageCount(Integer VisibleCount, Integer ColCount)
{
    if (ColCount <= 0) return 0;
    return (VisibleCount + ColCount - 1) / ColCount;
}

namespace {

// The number padded on the left with blanks to Width characters, or cut to
// its first Width characters.
String Padded(Integer Value, Integer Width)
{
    String S = IntToStr(Value);
    if (static_cast<Integer>(S.size()) > Width) return S.substr(0, static_cast<size_t>(Width));
    return String(static_cast<size_t>(Width) - S.size(), u' ') + S;
}

}  // namespace

std::array<TWidthButton, 5> WidthPage(Integer PageIndex, Integer ShapeOutWidth)
{
    std::array<TWidthButton, 5> B;
    const Integer V = 5 * PageIndex;
    for (Integer Tag = 1; Tag <= 5; ++Tag) {
        TWidthButton& W = B[static_cast<size_t>(Tag - 1)];
        W.ImageIndex = PageIndex <= 1 ? V + Tag - 1 : -1;
        // The fifth button of page 1 shows 10 without its leading blank.
        const Integer Width = Tag == 5 && PageIndex == 1 ? 2 : 3;
        W.Caption = Padded(V + Tag, Width) + u" px";
        W.Down = V + Tag == ShapeOutWidth;
    }
    return B;
}

TPoint DraggedTextPanel(const TPoint& PanelAt, const TPoint& PanelSize, const TPoint& Moved, const TDragBounds& B)
{
    TPoint P;
    P.X = std::max(B.ImageLeft - PanelSize.X, std::min(PanelAt.X + Moved.X, B.RightLeft));
    P.Y = std::max(B.ImageTop, std::min(PanelAt.Y + Moved.Y, B.ImageTop + B.ImageHeight - PanelSize.Y));
    return P;
}

TSidePanelsOut LayoutSidePanels(const TSidePanelsIn& In, Integer ThumbTop)
{
    TSidePanelsOut O{};
    O.ThumbHeight = In.RightHeight - 56;
    O.EffectsTop = ThumbTop + O.ThumbHeight + 3;
    const Integer RestoreBottom = In.RestoreTop + In.RestoreHeight;
    O.MenuTop = RestoreBottom + 10 < In.LeftHeight - 50 ? RestoreBottom + 10 : In.LeftHeight - 48;
    O.LinkTop = O.MenuTop + 26;
    O.RestoreTop = In.MagicToolsBottom + 60;
    O.RulerPanelTop = In.PropHeight + In.ImageHeight - In.RulerPanelHeight - 18;
    O.RulerPanelLeft = (In.ImageWidth - In.RulerPanelWidth) / 2 + In.LeftWidth;
    return O;
}

}  // namespace StylePages
