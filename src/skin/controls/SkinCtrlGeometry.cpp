#include "skin/controls/SkinCtrlGeometry.h"

#include "skin/model/SFUtils.h"

Integer TsfSkinCtrlGeometry::GetResizeMode() const
{
    if (IsNullRect(SkinRect)) return -1;
    if (RBPt.X != 0 && RBPt.Y != 0) return 1;
    if (RTPt.X != 0 || RTPt.Y != 0) return 2;
    if (LBPt.X != 0 || LBPt.Y != 0) return 3;
    return 0;
}

void TsfSkinCtrlGeometry::LoadDescription(const TsfSkinData* SD, Integer Index, Integer& CursorIndex, bool UseMask)
{
    const auto* data = dynamic_cast<const TsfDataSkinCustomControl*>(SD->CtrlList[size_t(Index)].get());
    if (!data) {
        // No geometry to take: nothing from an earlier description stays.
        ResizeMode = 0;
        SkinRect = {};
        ClRect = {};
        NewClRect = {};
        Picture = nullptr;
        MaskPicture = nullptr;
        return;
    }
    LTPt = data->LTPoint;
    RTPt = data->RTPoint;
    LBPt = data->LBPoint;
    RBPt = data->RBPoint;
    SkinRect = data->SkinRect;
    ClRect = data->ClRect;
    CursorIndex = data->CursorIndex;
    StretchEffect = data->StretchEffect;
    LeftStretch = data->LeftStretch;
    TopStretch = data->TopStretch;
    RightStretch = data->RightStretch;
    BottomStretch = data->BottomStretch;
    StretchType = data->StretchType;
    Picture = SD->ActiveBitmap(data->PictureIndex);
    MaskPicture = UseMask ? SD->ActiveBitmap(data->MaskPictureIndex) : nullptr;
    ResizeMode = GetResizeMode();
}

void TsfSkinCtrlGeometry::CalcGeometrySize(bool InUse, Integer& W, Integer& H)
{
    if (!InUse) return;
    const Integer dW = W - RectWidth(SkinRect);
    const Integer dH = H - RectHeight(SkinRect);
    switch (ResizeMode) {
    case 1:
        NewLTPoint = LTPt;
        NewRTPoint = {RTPt.X + dW, RTPt.Y};
        NewLBPoint = {LBPt.X, LBPt.Y + dH};
        NewRBPoint = {RBPt.X + dW, RBPt.Y + dH};
        NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom + dH};
        break;
    case 2:
        H = RectHeight(SkinRect);
        NewLTPoint = LTPt;
        NewRTPoint = {RTPt.X + dW, RTPt.Y};
        NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom};
        break;
    case 3:
        W = RectWidth(SkinRect);
        NewLTPoint = LTPt;
        NewLBPoint = {LBPt.X, LBPt.Y + dH};
        NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right, ClRect.Bottom + dH};
        break;
    case 0:
        // A description of another kind has no skin rectangle to force.
        if (IsNullRect(SkinRect)) break;
        W = RectWidth(SkinRect);
        H = RectHeight(SkinRect);
        NewClRect = ClRect;
        break;
    default:
        break;
    }
}

namespace {

// Right and bottom edges of the zone excluded.
bool InZone(const TPoint& P, const TRect& Z) { return P.X >= Z.Left && P.Y >= Z.Top && P.X < Z.Right && P.Y < Z.Bottom; }
// Edges included.
bool InZoneEdges(const TPoint& P, const TRect& Z)
{
    return P.X >= Z.Left && P.Y >= Z.Top && P.X <= Z.Right && P.Y <= Z.Bottom;
}

}  // namespace

void TsfSkinCtrlGeometry::CalcRect(const TRect& R, TRect& NR, Integer W, Integer H) const
{
    NR = R;
    const Integer sw = RectWidth(SkinRect), sh = RectHeight(SkinRect);
    const Integer dW = W - sw, dH = H - sh;
    const TPoint tl{R.Left, R.Top}, br{R.Right, R.Bottom};
    auto move = [&](Integer X, Integer Y) {
        NR.Left += X;
        NR.Right += X;
        NR.Top += Y;
        NR.Bottom += Y;
    };
    switch (ResizeMode) {
    case 1: {
        const TRect lt{0, 0, LTPt.X, LTPt.Y}, lb{0, LBPt.Y, LBPt.X, sh}, rt{RTPt.X, 0, sw, RTPt.Y},
            rb{RBPt.X, RBPt.Y, sw, sh};
        if (InZone(tl, lt) && InZone(br, lt)) return;
        if (InZone(tl, rt) && InZone(br, rt)) return move(dW, 0);
        if (InZone(tl, lb) && InZone(br, lb)) return move(0, dH);
        if (InZone(tl, rb) && InZone(br, rb)) return move(dW, dH);
        if (InZoneEdges(tl, lt) && InZoneEdges(br, rb)) {
            NR.Right += dW;
            NR.Bottom += dH;
        } else if (InZoneEdges(tl, lt) && InZoneEdges(br, rt)) {
            NR.Right += dW;
        } else if (InZoneEdges(tl, lb) && InZoneEdges(br, rb)) {
            NR.Right += dW;
            NR.Top += dH;
            NR.Bottom += dH;
        } else if (InZoneEdges(tl, lt) && InZoneEdges(br, lb)) {
            NR.Bottom += dH;
        } else if (InZoneEdges(tl, rt) && InZoneEdges(br, rb)) {
            NR.Left += dW;
            NR.Right += dW;
            NR.Bottom += dH;
        }
        return;
    }
    case 2:
        if (R.Left <= LTPt.X && R.Right >= RTPt.X)
            NR.Right += dW;
        else if (R.Left >= RTPt.X && R.Right > RTPt.X)
            move(dW, 0);
        return;
    case 3:
        if (R.Top <= LTPt.Y && R.Bottom >= LBPt.Y)
            NR.Bottom += dH;
        else if (R.Top >= LBPt.Y && R.Bottom > LBPt.Y)
            move(0, dH);
        return;
    default:
        return;
    }
}

void TsfSkinCtrlGeometry::CreateSkinControlImage(TsfBitmap* B, const TsfBitmap* SkinPicture, const TRect& SkinR,
                                                 Integer W, Integer H, bool ForceBackground) const
{
    if (!B || !SkinPicture || IsNullRect(SkinR)) return;
    switch (ResizeMode) {
    case 0:
        B->SetSize(RectWidth(SkinR), RectHeight(SkinR));
        SkinCopyRect(B, {0, 0, RectWidth(SkinR), RectHeight(SkinR)}, SkinPicture, SkinR);
        break;
    case 1:
        if (!ForceBackground)
            CreateSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                            NewClRect, B, SkinPicture, SkinR, W, H, true, LeftStretch, TopStretch, RightStretch,
                            BottomStretch, StretchEffect, StretchType);
        break;
    case 2:
        CreateHSkinImage(LTPt.X, RectWidth(SkinRect) - RTPt.X, B, SkinPicture, SkinR, W, H, StretchEffect);
        break;
    case 3:
        CreateVSkinImage(LTPt.Y, RectHeight(SkinRect) - LBPt.Y, B, SkinPicture, SkinR, W, H, StretchEffect);
        break;
    default:
        break;
    }
}

std::vector<TRect> TsfSkinCtrlGeometry::ClientPieceRects() const
{
    std::vector<TRect> rects;
    const Integer pw = RectWidth(ClRect), ph = RectHeight(ClRect);
    const Integer nw = RectWidth(NewClRect), nh = RectHeight(NewClRect);
    if (pw <= 0 || ph <= 0 || nw <= 0 || nh <= 0) return rects;
    const TRect& n = NewClRect;
    if (StretchEffect) {
        switch (StretchType) {
        case sfstFull:
            rects.push_back(n);
            break;
        case sfstHorz:
            for (Integer i = 0; i <= nw / pw; ++i)
                rects.push_back({n.Left + i * pw, n.Top, n.Left + (i + 1) * pw, n.Bottom});
            break;
        case sfstVert:
            for (Integer i = 0; i <= nh / ph; ++i)
                rects.push_back({n.Left, n.Top + i * ph, n.Right, n.Top + (i + 1) * ph});
            break;
        }
        return rects;
    }
    for (Integer j = 0; j <= nh / ph; ++j)
        for (Integer i = 0; i <= nw / pw; ++i)
            rects.push_back({n.Left + i * pw, n.Top + j * ph, n.Left + (i + 1) * pw, n.Top + (j + 1) * ph});
    return rects;
}

void CreateDescriptionImage(TsfBitmap* B, const TsfBitmap* Picture, const TsfDataSkinCustomControl& D,
                            const TRect& Src)
{
    const Integer W = B->Width(), H = B->Height();
    if (!Picture || W <= 0 || H <= 0) return;
    const Integer DW = W - RectWidth(D.SkinRect), DH = H - RectHeight(D.SkinRect);
    const TRect NCl{D.ClRect.Left, D.ClRect.Top, D.ClRect.Right + DW, D.ClRect.Bottom + DH};
    CreateSkinImage(D.LTPoint, D.RTPoint, D.LBPoint, D.RBPoint, D.ClRect, D.LTPoint, {D.RTPoint.X + DW, D.RTPoint.Y},
                    {D.LBPoint.X, D.LBPoint.Y + DH}, {D.RBPoint.X + DW, D.RBPoint.Y + DH}, NCl, B, Picture, Src, W, H,
                    true, D.LeftStretch, D.TopStretch, D.RightStretch, D.BottomStretch, D.StretchEffect,
                    D.StretchType);
}
