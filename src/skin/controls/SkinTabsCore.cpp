#include "skin/controls/SkinTabsCore.h"

#include <algorithm>

TRect TsfTabSkin::ClientTile() const
{
    return {SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
            SkinRect.Top + ClRect.Bottom};
}

void CopyTabDescription(const TsfDataSkinTabControl& D, TsfTabSkin& S)
{
    S.PictureIndex = D.PictureIndex;
    S.SkinRect = D.SkinRect;
    S.ClRect = D.ClRect;
    S.TabRect = D.TabRect;
    S.MouseInTabRect = D.MouseInTabRect;
    S.TabsBGRect = D.TabsBGRect;
    S.LTPoint = D.LTPoint;
    S.RTPoint = D.RTPoint;
    S.LBPoint = D.LBPoint;
    S.RBPoint = D.RBPoint;
    S.TabLeftOffset = D.TabLeftOffset;
    S.TabRightOffset = D.TabRightOffset;
    S.FontName = D.FontName;
    S.FontStyle = D.FontStyle;
    S.FontHeight = D.FontHeight;
    S.FontColor = D.FontColor;
    S.ActiveFontColor = D.ActiveFontColor;
    S.FocusFontColor = D.FocusFontColor;
    S.MouseInFontColor = D.MouseInFontColor;
    S.UpDown = D.UpDown;
    S.BGPictureIndex = D.BGPictureIndex;
    S.TabStretchEffect = D.TabStretchEffect;
    S.ShowFocus = D.ShowFocus;
    S.FocusOffsetX = D.FocusOffsetX;
    S.FocusOffsetY = D.FocusOffsetY;
    S.LeftStretch = D.LeftStretch;
    S.TopStretch = D.TopStretch;
    S.RightStretch = D.RightStretch;
    S.BottomStretch = D.BottomStretch;
    S.StretchEffect = D.StretchEffect;
    S.StretchType = D.StretchType;
    S.CloseButtonRect = D.CloseButtonRect;
    S.ButtonTransparent = D.ButtonTransparent;
    S.ButtonTransparentColor = D.ButtonTransparentColor;
    S.TabLeftBottomActiveRect = D.TabLeftBottomActiveRect;
    S.ActiveTabRect = IsEmptyRect(D.ActiveTabRect) ? D.TabRect : D.ActiveTabRect;
    S.FocusTabRect = IsEmptyRect(D.FocusTabRect) ? D.ActiveTabRect : D.FocusTabRect;
    S.ClosebuttonActiveRect = IsEmptyRect(D.CloseButtonActiveRect) ? D.CloseButtonRect : D.CloseButtonActiveRect;
    S.CloseButtonDownRect = IsEmptyRect(D.CloseButtonDownRect) ? S.ClosebuttonActiveRect : D.CloseButtonDownRect;
    S.TabLeftBottomFocusRect =
        IsEmptyRect(D.TabLeftBottomFocusRect) ? D.TabLeftBottomActiveRect : D.TabLeftBottomFocusRect;
}

TRect CorrectTabDisplayRect(TsfTabSide Side, bool Described, const TsfTabBorders& B, Integer CW, Integer CH, TRect R)
{
    if (Described) {
        switch (Side) {
        case tsdTop: return {B.L, R.Top - 6 + B.T, CW - B.R, CH - B.B};
        case tsdBottom: return {B.L, R.Top - 4 + B.T, CW - B.R, R.Bottom + 4 - B.B};
        case tsdLeft: return {R.Left + B.L - 4, R.Top - 4 + B.T, CW - B.R, CH - B.B};
        case tsdRight: return {B.L, R.Top - 4 + B.T, R.Right - B.R + 4, CH - B.B};
        }
    }
    switch (Side) {
    case tsdTop: return {1, R.Top - 5, CW - 1, CH - 1};
    case tsdBottom: return {1, 1, CW - 1, R.Bottom + 3};
    case tsdLeft: return {R.Left - 3, R.Top - 5, CW - 1, CH - 1};
    case tsdRight: return {R.Left - 3, R.Top - 5, R.Right + 3, CH - 1};
    }
    return R;
}

TRect HiddenTabsDisplayRect(TsfTabSide Side, bool Described, TRect R)
{
    switch (Side) {
    case tsdTop: --R.Top; break;
    case tsdBottom:
        if (Described) ++R.Bottom;
        break;
    case tsdLeft: --R.Left; break;
    case tsdRight: ++R.Right; break;
    }
    return R;
}

TRect CorrectTabItemRect(TsfTabSide Side, bool SingleRow, TRect R)
{
    switch (Side) {
    case tsdTop:
        if (SingleRow) R.Left -= 2, R.Right -= 2;
        R.Top -= 2, R.Bottom -= 2;
        break;
    case tsdBottom:
        if (SingleRow) R.Left -= 2, R.Right -= 2;
        R.Top += 2, R.Bottom += 2;
        break;
    case tsdLeft: R.Left -= 2, R.Right -= 2; break;
    case tsdRight: R.Left += 2, R.Right += 2; break;
    }
    return R;
}

TRect TabStripRect(TsfTabSide Side, const TRect& F, Integer W, Integer H)
{
    switch (Side) {
    case tsdTop: return {0, 0, W, F.Top};
    case tsdBottom: return {0, F.Bottom, W, H};
    case tsdLeft: return {0, 0, F.Left, H};
    case tsdRight: return {F.Right, 0, W, H};
    }
    return {};
}

TRect GrowActiveTabRect(TsfTabSide Side, TRect R, Integer D)
{
    switch (Side) {
    case tsdTop: R.Bottom += D; break;
    case tsdBottom: R.Top -= D; break;
    case tsdLeft: R.Right += D; break;
    case tsdRight: R.Left -= D; break;
    }
    return R;
}

Integer CalcTabsStart(Integer TabsOffset, Integer TabWidth, Integer Width, Integer Count)
{
    if (TabsOffset > 0) return TabsOffset;
    if (TabWidth == 0) return 0;
    return std::max<Integer>(0, Width / 2 - (TabWidth * Count) / 2);
}

void TsfTabCloseStates::Reset(Integer Count)
{
    FStates.assign(static_cast<size_t>(std::max<Integer>(Count, 0)), TsfCBButtonX{});
}

TsfCBButtonX* TsfTabCloseStates::At(Integer Index)
{
    if (Index < 0) return nullptr;
    if (static_cast<size_t>(Index) >= FStates.size()) FStates.resize(static_cast<size_t>(Index) + 1);
    return &FStates[static_cast<size_t>(Index)];
}

void TsfTabCloseStates::ClearFlags(Integer Index)
{
    if (Index < 0 || Index >= Count()) return;
    FStates[static_cast<size_t>(Index)].MouseIn = false;
    FStates[static_cast<size_t>(Index)].Down = false;
}

namespace {

bool ValidPos(const std::vector<TRect>& Items, Integer Pos)
{
    return Pos >= 0 && Pos < static_cast<Integer>(Items.size());
}

void ClearState(TsfCBButtonX* S)
{
    if (S) S->MouseIn = S->Down = false;
}

}  // namespace

bool TsfTabTracker::Test(const std::vector<TRect>& Items, Integer X, Integer Y, Integer Selected)
{
    OldActive = Active;
    Active = -1;
    for (Integer i = 0; i < static_cast<Integer>(Items.size()); ++i)
        if (PtInRectX(Items[static_cast<size_t>(i)], X, Y)) {
            Active = i;
            break;
        }
    bool Repaint = false;
    if (Active != OldActive) {
        if (ValidPos(Items, OldActive) && OldActive != Selected) {
            if (ClearOldFlags && State) ClearState(State(OldActive));
            Repaint = true;
        }
        if (ValidPos(Items, Active) && Active != Selected) Repaint = true;
    }
    if (ShowCloseButtons && ValidPos(Items, Active) && State) {
        TsfCBButtonX* S = State(Active);
        const TRect B = HoveredButton(Items);
        if (S && PtInRectX(B, X, Y)) {
            if (!S->MouseIn) S->MouseIn = Repaint = true;
        } else if (S && S->MouseIn) {
            ClearState(S);
            Repaint = true;
        }
    }
    return Repaint;
}

TRect TsfTabTracker::HoveredButton(const std::vector<TRect>& Items, Integer Shift)
{
    if (!ValidPos(Items, Active) || !State) return {};
    TsfCBButtonX* S = State(Active);
    if (!S || IsEmptyRect(S->R)) return {};
    const TRect& I = Items[static_cast<size_t>(Active)];
    return {S->R.Left + I.Left - Shift, S->R.Top + I.Top, S->R.Right + I.Left - Shift, S->R.Bottom + I.Top};
}

bool TsfTabTracker::Press(const std::vector<TRect>& Items, Integer X, Integer Y, Integer Shift)
{
    if (!ShowCloseButtons || !ValidPos(Items, Active) || !State) return false;
    TsfCBButtonX* S = State(Active);
    if (!S) return false;
    if (PtInRectX(HoveredButton(Items, Shift), X, Y)) {
        S->MouseIn = S->Down = true;
        return true;
    }
    ClearState(S);
    return false;
}

bool TsfTabTracker::Release(const std::vector<TRect>& Items, Integer X, Integer Y, Integer Shift)
{
    if (!ShowCloseButtons || !ValidPos(Items, Active) || !State) return false;
    TsfCBButtonX* S = State(Active);
    if (!S) return false;
    if (PtInRectX(HoveredButton(Items, Shift), X, Y)) {
        S->MouseIn = true;
        S->Down = false;
        return true;
    }
    ClearState(S);
    return false;
}

Integer TabsScrollPosition(const std::vector<TRect>& Items)
{
    return static_cast<Integer>(std::count_if(Items.begin(), Items.end(), [](const TRect& R) { return R.Right <= 0; }));
}

Integer TabsScrollMax(const std::vector<TRect>& Items, Integer Limit)
{
    return static_cast<Integer>(
        std::count_if(Items.begin(), Items.end(), [Limit](const TRect& R) { return R.Right <= 0 || R.Right > Limit; }));
}

Integer TabScrollerTop(TsfTabSide Side, const TsfTabSkin* Skin, const TRect& Display, Integer H, Integer ControlHeight)
{
    if (Side == tsdTop) {
        if (!Skin) return 0;
        return std::max<Integer>(0, Display.Top - H - Skin->ClRect.Top);
    }
    if (!Skin) return ControlHeight - H;
    return std::min<Integer>(ControlHeight - H, Skin->SkinRect.Height() + Display.Bottom - Skin->ClRect.Bottom);
}

TRect PlaceCloseButton(const TRect& A, Integer BW, Integer BH)
{
    const Integer Top = A.Top + A.Height() / 2 - BH / 2;
    return {A.Left, Top, A.Left + BW, Top + BH};
}

TRect TurnCloseButtonRect(TsfTabSide Side, const TRect& R, Integer W, Integer H)
{
    if (Side == tsdLeft) return {R.Top, W - R.Right, R.Bottom, W - R.Left};
    if (Side == tsdRight) return {H - R.Bottom, R.Left, H - R.Top, R.Right};
    return R;
}

TsfTabContentPlace PlaceTabImageAndText(Integer W, Integer H, Integer Offset, Integer TextW, Integer TextH, Integer IW,
                                        Integer IH)
{
    TsfTabContentPlace P;
    P.ImageX = W / 2 - (TextW + IW + 2) / 2;
    P.ImageY = H / 2 - IH / 2 + Offset;
    const Integer TX = P.ImageX + IW + 2;
    const Integer TY = H / 2 - TextH / 2 + Offset;
    P.TextRect = {TX, TY, TX + TextW, TY + TextH};
    return P;
}

namespace {

// Copies B's pixels through Map(x, y) -> destination point into a NW x NH picture.
template <class F>
void Remap(TsfBitmap* B, Integer NW, Integer NH, F Map)
{
    if (!B || B->Empty()) return;
    const Integer W = B->Width(), H = B->Height();
    std::vector<TsfColor> Pixels(static_cast<size_t>(W) * static_cast<size_t>(H));
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) Pixels[static_cast<size_t>(y) * W + x] = B->GetPixel(x, y);
    B->SetSize(NW, NH);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) {
            const TPoint P = Map(x, y, W, H);
            B->SetPixel(P.X, P.Y, Pixels[static_cast<size_t>(y) * W + x]);
        }
}

}  // namespace

void RotateBitmapCCW(TsfBitmap* B)
{
    if (!B) return;
    Remap(B, B->Height(), B->Width(), [](Integer x, Integer y, Integer W, Integer) { return TPoint{y, W - 1 - x}; });
}

void RotateBitmapCW(TsfBitmap* B)
{
    if (!B) return;
    Remap(B, B->Height(), B->Width(), [](Integer x, Integer y, Integer, Integer H) { return TPoint{H - 1 - y, x}; });
}

void FlipBitmapVert(TsfBitmap* B)
{
    if (!B) return;
    Remap(B, B->Width(), B->Height(), [](Integer x, Integer y, Integer, Integer H) { return TPoint{x, H - 1 - y}; });
}
