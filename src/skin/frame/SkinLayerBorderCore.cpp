#include "skin/frame/SkinLayerBorderCore.h"

#include <algorithm>

#include "framework/runtime/System.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/SFWindowData.h"

namespace {

bool EmptyRect(const TRect& R) { return R.Width() <= 0 || R.Height() <= 0; }

bool In(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

} // namespace

void TsfLayerBorderGeometry::Init(const TsfDataSkinLayerFrame& D, Integer APicW, Integer APicH)
{
    *this = {};
    PicW = APicW;
    PicH = APicH;
    Sliced = !(D.RBPoint.X == 0 && D.RBPoint.Y == 0);
    TopH = std::max(D.LTPoint.Y, D.RTPoint.Y);
    BottomH = PicH - std::min(D.LBPoint.Y, D.RBPoint.Y);
    LeftW = D.ClRect.Left;
    RightW = PicW - D.ClRect.Right;
    HitTestSize = D.HitTestSize;
    if (EmptyRect(D.BorderRect)) return;
    const TRect& B = D.BorderRect;
    LeftSize = D.ClRect.Left - B.Left;
    TopSize = D.ClRect.Top - B.Top;
    RightSize = B.Right - D.ClRect.Right;
    BottomSize = B.Bottom - D.ClRect.Bottom;
    HitTopLeftX = D.HitTestLTPoint.X - B.Left;
    HitTopLeftY = D.HitTestLTPoint.Y - B.Top;
    HitTopRightX = B.Right - D.HitTestRTPoint.X;
    HitTopRightY = D.HitTestRTPoint.Y - B.Top;
    HitBottomLeftX = D.HitTestLBPoint.X - B.Left;
    HitBottomLeftY = B.Bottom - D.HitTestLBPoint.Y;
    HitBottomRightX = B.Right - D.HitTestRBPoint.X;
    HitBottomRightY = B.Bottom - D.HitTestRBPoint.Y;
}

TRect TsfLayerBorderGeometry::FrameRect(const TsfDataSkinLayerFrame& D, const TRect& FormRect,
                                        Integer RolledUpHeight) const
{
    const Integer X = FormRect.Left + D.LeftOffset - D.ClRect.Left;
    const Integer Y = FormRect.Top + D.TopOffset - D.ClRect.Top;
    const Integer W = FormRect.Width() + D.WidthOffset + PicW - D.ClRect.Width();
    const Integer FH = RolledUpHeight > 0 ? RolledUpHeight : FormRect.Height() + D.HeightOffset;
    const Integer H = FH + PicH - D.ClRect.Height();
    return {X, Y, X + W, Y + H};
}

Integer TsfLayerBorderGeometry::TopHeight(Integer H) const { return std::min(TopH, H); }

Integer TsfLayerBorderGeometry::BottomHeight(Integer H) const
{
    return std::max<Integer>(std::min(BottomH, H - TopHeight(H)), 0);
}

TRect TsfLayerBorderGeometry::PieceRect(TsfFormLayerBorderType T, const TRect& F) const
{
    const Integer W = F.Width(), H = F.Height();
    // Unsliced: the whole picture at the frame's corner, whatever the frame's size.
    if (!Sliced) return T == sfflTop ? TRect{F.Left, F.Top, F.Left + PicW, F.Top + PicH} : TRect{};
    const Integer TH = TopHeight(H), BH = BottomHeight(H), SideH = H - TH - BH;
    switch (T) {
    case sfflTop: return {F.Left, F.Top, F.Right, F.Top + TH};
    case sfflBottom: return {F.Left, F.Bottom - BH, F.Right, F.Bottom};
    case sfflLeft: return SideH > 0 ? TRect{F.Left, F.Top + TH, F.Left + LeftW, F.Top + TH + SideH} : TRect{};
    case sfflRight:
        return SideH > 0 ? TRect{F.Left + W - RightW, F.Top + TH, F.Right, F.Top + TH + SideH} : TRect{};
    }
    return {};
}

TsfLayerHit TsfLayerBorderGeometry::HitTest(TsfFormLayerBorderType T, const TRect& F, const TRect& FormRect,
                                            const TPoint& P, bool Sizeable) const
{
    if (!Sizeable) return lhNone;
    // The sizing band: the frame's outer edges less the part outside the band.
    const TRect Band{FormRect.Left - LeftSize, FormRect.Top - TopSize, FormRect.Right + RightSize,
                     FormRect.Bottom + BottomSize};
    switch (T) {
    case sfflLeft: return P.X >= Band.Left ? lhLeft : lhNone;
    case sfflRight: return P.X <= Band.Right ? lhRight : lhNone;
    case sfflTop:
        if (In({Band.Left, Band.Top, Band.Left + HitTopLeftX, Band.Top + HitTopLeftY}, P)) return lhTopLeft;
        if (In({Band.Right - HitTopRightX, Band.Top, Band.Right, Band.Top + HitTopRightY}, P)) return lhTopRight;
        if (In({Band.Left, Band.Top, Band.Right, Band.Top + HitTestSize}, P)) return lhTop;
        if (In({Band.Left, Band.Top, Band.Left + HitTestSize, F.Bottom}, P)) return lhLeft;
        if (In({Band.Right - HitTestSize, Band.Top, Band.Right, F.Bottom}, P)) return lhRight;
        return lhNone;
    case sfflBottom:
        if (In({Band.Left, Band.Bottom - HitBottomLeftY, Band.Left + HitBottomLeftX, Band.Bottom}, P))
            return lhBottomLeft;
        if (In({Band.Right - HitBottomRightX, Band.Bottom - HitBottomRightY, Band.Right, Band.Bottom}, P))
            return lhBottomRight;
        if (In({Band.Left, Band.Bottom - HitTestSize, Band.Right, Band.Bottom}, P)) return lhBottom;
        if (In({Band.Left, F.Top, Band.Left + HitTestSize, Band.Bottom}, P)) return lhLeft;
        if (In({Band.Right - HitTestSize, F.Top, Band.Right, Band.Bottom}, P)) return lhRight;
        return lhNone;
    }
    return lhNone;
}

TRect LayerResizeStep(TsfLayerHit Hit, const TRect& B, Integer DX, Integer DY, Integer MinW, Integer MinH,
                      Integer MaxW, Integer MaxH, const TRect& F, const TPoint& Cursor, Integer HitTestSize)
{
    const bool L = Hit == lhLeft || Hit == lhTopLeft || Hit == lhBottomLeft;
    const bool R = Hit == lhRight || Hit == lhTopRight || Hit == lhBottomRight;
    const bool T = Hit == lhTop || Hit == lhTopLeft || Hit == lhTopRight;
    const bool Bo = Hit == lhBottom || Hit == lhBottomLeft || Hit == lhBottomRight;
    auto Clamp = [](Integer V, Integer Min, Integer Max) {
        V = std::max(V, Min);
        return Max > 0 ? std::min(V, Max) : V;
    };
    TRect N = B;
    if ((L || R) && DX != 0) {
        const Integer W = Clamp(B.Width() + (L ? -DX : DX), MinW, MaxW);
        const bool Outward = L ? DX < 0 : DX > 0;
        const bool Reached = !Outward || (L ? Cursor.X <= F.Left + HitTestSize : Cursor.X >= F.Right - HitTestSize);
        if (W != B.Width() && Reached) {
            if (L) N.Left = B.Right - W;
            else N.Right = B.Left + W;
        }
    }
    if ((T || Bo) && DY != 0) {
        const Integer H = Clamp(B.Height() + (T ? -DY : DY), MinH, MaxH);
        const bool Outward = T ? DY < 0 : DY > 0;
        const bool Reached = !Outward || (T ? Cursor.Y <= F.Top + HitTestSize : Cursor.Y >= F.Bottom - HitTestSize);
        if (H != B.Height() && Reached) {
            if (T) N.Top = B.Bottom - H;
            else N.Bottom = B.Top + H;
        }
    }
    return N;
}

std::vector<Integer> LayerFadeSteps(Integer Target)
{
    std::vector<Integer> S;
    Target = std::clamp<Integer>(Target, 0, 255);
    const Integer Step = std::max<Integer>(1, Target / 15);
    for (Integer A = Step; A < Target; A += Step) S.push_back(A);
    S.push_back(Target);
    return S;
}

Integer LayerAlphaFor(Integer Value, Integer FormAlpha) { return Integer(Round(Value * FormAlpha / 255.0)); }

std::vector<TRect> LayerBlurRects(const TsfDataSkinLayerFrame& D, const TsfLayerBorderGeometry& G,
                                  const TsfBitmap* BlurMask, TsfFormLayerBorderType T, Integer W, Integer H)
{
    std::vector<TRect> Out;
    const TRect Piece = G.PieceRect(T, {0, 0, W, H});
    if (EmptyRect(Piece)) return Out;
    const Integer DX = W - G.PicW, DY = H - G.PicH;
    auto Stretch = [&](const TRect& R) { return TRect{R.Left, R.Top, R.Right + DX, R.Bottom + DY}; };
    const TRect Outer = EmptyRect(D.IntersectBlurMaskRect) ? TRect{0, 0, W, H} : Stretch(D.IntersectBlurMaskRect);
    const bool HasInner = !EmptyRect(D.ExcludeBlurMaskRect);
    const TRect Inner = HasInner ? Stretch(D.ExcludeBlurMaskRect) : TRect{};
    // The corner pieces: their part of the mask and their place in the frame.
    struct TCorner {
        TRect Pic;
        TPoint At;
    };
    std::vector<TCorner> Corners;
    if (BlurMask && !BlurMask->Empty() && BlurMask->Width() == G.PicW && BlurMask->Height() == G.PicH) {
        const Integer PW = G.PicW, PH = G.PicH;
        Corners = {{{0, 0, D.LTPoint.X, D.LTPoint.Y}, {0, 0}},
                   {{D.RTPoint.X, 0, PW, D.RTPoint.Y}, {D.RTPoint.X + DX, 0}},
                   {{0, D.LBPoint.Y, D.LBPoint.X, PH}, {0, D.LBPoint.Y + DY}},
                   {{D.RBPoint.X, D.RBPoint.Y, PW, PH}, {D.RBPoint.X + DX, D.RBPoint.Y + DY}}};
    }
    auto Blurred = [&](Integer X, Integer Y) {
        const TPoint P{X, Y};
        if (!In(Outer, P) || (HasInner && In(Inner, P))) return false;
        for (const TCorner& C : Corners) {
            const Integer MX = C.Pic.Left + X - C.At.X, MY = C.Pic.Top + Y - C.At.Y;
            if (MX < C.Pic.Left || MY < C.Pic.Top || MX >= C.Pic.Right || MY >= C.Pic.Bottom) continue;
            if ((BlurMask->GetPixel(MX, MY) & 0xFFFFFF) == 0) return false;
        }
        return true;
    };
    std::vector<std::pair<Integer, Integer>> Prev;
    size_t BandStart = 0;
    for (Integer Y = Piece.Top; Y < Piece.Bottom; ++Y) {
        std::vector<std::pair<Integer, Integer>> Runs;
        for (Integer X = Piece.Left; X < Piece.Right;) {
            if (!Blurred(X, Y)) {
                ++X;
                continue;
            }
            const Integer X0 = X;
            while (X < Piece.Right && Blurred(X, Y)) ++X;
            Runs.emplace_back(X0 - Piece.Left, X - Piece.Left);
        }
        const Integer Row = Y - Piece.Top;
        if (Y > Piece.Top && Runs == Prev) {
            for (size_t I = BandStart; I < Out.size(); ++I) Out[I].Bottom = Row + 1;  // the band grows
            continue;
        }
        BandStart = Out.size();
        for (const auto& [A, B] : Runs) Out.push_back({A, Row, B, Row + 1});
        Prev = std::move(Runs);
    }
    return Out;
}

TsfFullBorderCaption LayoutFullBorderCaption(const TsfDataSkinLayerFrame& D, Integer PicW, Integer TopW,
                                             const std::vector<TPoint>& Buttons, Integer ButtonsOffset,
                                             TPoint SysMenu, bool IconHidden)
{
    TsfFullBorderCaption L;
    const Integer Extra = TopW - PicW;
    const TRect Area{D.CaptionRect.Left, D.CaptionRect.Top, D.CaptionRect.Right + Extra, D.CaptionRect.Bottom};
    Integer X = Area.Right, Y = D.ButtonsTopOffset != 0 ? D.ButtonsTopOffset : Area.Top;
    if (!EmptyRect(D.ButtonsRect)) {
        X = D.ButtonsRect.Right + Extra;
        Y = D.ButtonsRect.Top;
    }
    for (const TPoint& B : Buttons) {
        const TRect R{X - B.X, Y, X, Y + B.Y};
        L.Buttons.push_back(R);
        X = R.Left - ButtonsOffset;
    }
    const Integer CaptionRight = L.Buttons.empty() ? X : L.Buttons.back().Left - ButtonsOffset;
    Integer CaptionLeft = Area.Left;
    if (SysMenu.X > 0 && SysMenu.Y > 0) {
        const bool Own = !EmptyRect(D.SysMenuButtonRect);
        const TRect Place = Own ? D.SysMenuButtonRect : Area;
        const Integer Top = IconHidden && D.SysButtonTopOffset != 0
                                ? D.SysButtonTopOffset
                                : Place.Top + (Place.Height() - SysMenu.Y) / 2;
        L.SysMenu = {Place.Left, Top, Place.Left + SysMenu.X, Top + SysMenu.Y};
        if (!Own) CaptionLeft = L.SysMenu.Right;
    }
    L.Caption = {CaptionLeft, Area.Top, std::max(CaptionLeft, CaptionRight), Area.Bottom};
    return L;
}
