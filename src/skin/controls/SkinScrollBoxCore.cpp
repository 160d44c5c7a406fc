#include "skin/controls/SkinScrollBoxCore.h"

#include <algorithm>

void TsfSkinScrollBoxCore::Scroll(bool Vertical, Integer D)
{
    if (D == 0 || !OnScrollContent) return;
    if (Vertical)
        OnScrollContent(0, D);
    else
        OnScrollContent(D, 0);
}

void TsfSkinScrollBoxCore::GetRange(bool Vertical)
{
    TsfSkinScrollBarCore* B = Bar(Vertical);
    if (!B || FInCheckScrollBars || !ClientSize || !ContentExtent) return;
    const Integer CS = ClientSize(Vertical);
    const Integer E = ContentExtent(Vertical);
    const Integer P = B->Position();
    Integer& SizeOffset = Vertical ? FVSizeOffset : FHSizeOffset;
    Integer& Old = Vertical ? FOldVScrollBarPos : FOldHScrollBarPos;
    const bool WasVisible = Visible(Vertical);
    bool Show = WasVisible;
    if (CS < Int64(E) + P) {
        // The content is larger than the view: Max is its whole extent less one.
        Show = true;
        const Integer AMax = E + P - 1;
        if (P > 0 && E < CS && SizeOffset > 0) {
            // The box grew while scrolled: the content comes down by the growth.
            SizeOffset = std::min(SizeOffset, P);
            B->SetRange(0, AMax, P - SizeOffset, CS);
            Scroll(Vertical, SizeOffset);
        } else if (SizeOffset == 0 && AMax < B->Max() && P > 0 && E < CS) {
            // The content shrank: what left a gap at the end comes down.
            const Integer D = std::min(P, CS - E);
            Scroll(Vertical, D);
            B->SetRange(0, AMax, P - D, CS);
        } else {
            B->SetRange(0, AMax, P, CS);
        }
        SizeOffset = 0;
        Old = B->Position();
    } else {
        if (P > 0) Scroll(Vertical, P);
        SizeOffset = 0;
        Old = 0;
        B->SetRange(0, 0, 0, 0);
        Show = false;
    }
    if (Show != WasVisible || (Vertical && HBar)) {
        FInCheckScrollBars = true;
        if (Show != WasVisible && OnShowBar) OnShowBar(Vertical, Show);
        if (Vertical && HBar && OnSetBoth) OnSetBoth(Show);
        if (Show != WasVisible && Aligned && OnRealign) OnRealign();
        FInCheckScrollBars = false;
    }
}

void TsfSkinScrollBoxCore::UpdateScrollRange()
{
    GetHRange();
    GetVRange();
}

void TsfSkinScrollBoxCore::MoveTo(bool Vertical, Integer APosition)
{
    TsfSkinScrollBarCore* B = Bar(Vertical);
    // The bar's own clamp first, so that content and bar move by the same amount.
    APosition = B->ClampPosition(APosition);
    Scroll(Vertical, -(APosition - B->Position()));
    (Vertical ? FOldVScrollBarPos : FOldHScrollBarPos) = APosition;
    B->SimplySetPosition(APosition);
}

void TsfSkinScrollBoxCore::VScroll(Integer APosition)
{
    if (!VBar || VBar->PageSize() == 0) return;
    MoveTo(true, std::min<Int64>(APosition, Int64(VBar->Max()) - VBar->PageSize()));
}

void TsfSkinScrollBoxCore::HScroll(Integer APosition)
{
    if (!HBar || HBar->PageSize() == 0) return;
    MoveTo(false, APosition);
}

void TsfSkinScrollBoxCore::BarChanged(bool Vertical)
{
    TsfSkinScrollBarCore* B = Bar(Vertical);
    if (!B) return;
    Integer& Old = Vertical ? FOldVScrollBarPos : FOldHScrollBarPos;
    Scroll(Vertical, -(B->Position() - Old));
    Old = B->Position();
    if (Vertical && OnVScroll) OnVScroll(B->Sender);
}

void TsfSkinScrollBoxCore::BarLinked(bool Vertical)
{
    if (TsfSkinScrollBarCore* B = Bar(Vertical)) (Vertical ? FOldVScrollBarPos : FOldHScrollBarPos) = B->Position();
    GetRange(Vertical);
}

void TsfSkinScrollBoxCore::ScrollToControl(const TRect& Bounds)
{
    if (!ClientSize) return;
    const Integer CW = ClientSize(false), CH = ClientSize(true);
    if (HBar && Visible(false) && (Bounds.Left < 0 || Bounds.Right > CW)) {
        const Integer D = Bounds.Left < 0 ? Bounds.Left - FHSizeOffset : Bounds.Right - CW;
        HBar->SetPosition(HBar->Position() + D);
    }
    if (VBar && Visible(true) && (Bounds.Top < 0 || Bounds.Bottom > CH)) {
        const Integer D = Bounds.Top < 0 ? Bounds.Top - FVSizeOffset : Bounds.Bottom - CH;
        VBar->SetPosition(VBar->Position() + D);
    }
}

void TsfSkinScrollBoxCore::SizeChanged(Integer OldW, Integer OldH, Integer W, Integer H)
{
    FHSizeOffset = OldW != 0 && W > OldW ? W - OldW : 0;
    if (Aligned) GetHRange();
    FVSizeOffset = OldH != 0 && H > OldH ? H - OldH : 0;
    if (Aligned) GetVRange();
}

TRect TsfSkinScrollBoxCore::AdjustClientRect(const TRect& Client) const
{
    TRect R = Client;
    if (VBar && Visible(true)) {
        R.Top = -VBar->Position();
        R.Bottom = R.Top + std::max(VBar->Max(), Client.Height());
    }
    if (HBar && Visible(false)) {
        R.Left = -HBar->Position();
        R.Right = R.Left + std::max(HBar->Max(), Client.Width());
    }
    return R;
}
