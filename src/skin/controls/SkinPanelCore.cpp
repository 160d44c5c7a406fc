#include "skin/controls/SkinPanelCore.h"

bool TsfSkinPanelRollUp::RollUp(Integer Height, const std::vector<std::pair<const void*, bool>>& Children)
{
    if (FRealHeight != -1) return false;
    FRealHeight = Height;
    FVisible.clear();
    for (const auto& c : Children) FVisible[c.first] = c.second;
    return true;
}

Integer TsfSkinPanelRollUp::Unroll()
{
    const Integer h = FRealHeight;
    FRealHeight = -1;
    return h;
}

bool TsfSkinPanelRollUp::WasVisible(const void* Child) const
{
    auto it = FVisible.find(Child);
    return it == FVisible.end() || it->second;
}

Integer PanelRolledHeight(bool SkinSize, Integer Height, const TRect& NewClRect, Integer DefaultCaptionHeight)
{
    return SkinSize ? Height - NewClRect.Height() : DefaultCaptionHeight + 1;
}

bool PanelCaptionHit(const TPoint& P, bool HasDescription, const TRect& NewCaptionRect, Integer Width,
                     Integer DefaultCaptionHeight)
{
    const TRect r = HasDescription ? NewCaptionRect : TRect{1, 1, Width - 1, DefaultCaptionHeight};
    return P.X >= r.Left && P.X <= r.Right && P.Y >= r.Top && P.Y <= r.Bottom;
}

TRect PanelClientRect(const TsfPanelClientInput& In)
{
    TRect r = In.Client;
    if (In.HasDescription && In.TransparentMode && !In.Designing) {
        r = {2, 2, In.Client.Right - 2, In.Client.Bottom - 2};
        if (In.CaptionMode) r.Top = In.CaptionTextHeight;
        return r;
    }
    if (!In.HasDescription || In.Designing) {
        if (In.BorderStyle != TsfSkinBorderStyle::bvNone) r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
        if (In.CaptionMode) {
            if (In.RibbonStyle)
                r.Bottom -= In.DefaultCaptionHeight;
            else
                r.Top += In.DefaultCaptionHeight;
        }
        return r;
    }
    if (In.BGPictureIndex == -1 && (In.BorderStyle != TsfSkinBorderStyle::bvNone || In.CaptionMode || In.ResizeMode != 1))
        r = In.NewClRect;
    if (!In.UseSkinSize && In.CaptionMode) {
        if (In.RibbonStyle)
            r.Bottom = In.Client.Bottom - In.DefaultCaptionHeight;
        else
            r.Top = In.Client.Top + In.DefaultCaptionHeight;
    }
    return r;
}

Integer StatusGripWidth(const TRect& Client, bool HasGripperPicture, const TRect& GripperRect)
{
    return HasGripperPicture && GripperRect.Width() > 0 && GripperRect.Height() > 0 ? GripperRect.Width()
                                                                                     : Client.Height();
}

TRect StatusGripRect(const TRect& Client, bool HasGripperPicture, const TRect& GripperRect)
{
    if (HasGripperPicture && GripperRect.Width() > 0 && GripperRect.Height() > 0)
        return {Client.Right, Client.Bottom - GripperRect.Height(), Client.Right + GripperRect.Width(),
                Client.Bottom};
    return {Client.Right + 1, Client.Top, Client.Right + Client.Height(), Client.Bottom - 1};
}

Integer StatusGripHitTest(const TPoint& P, const TRect& Grip)
{
    return P.X >= Grip.Left && P.X <= Grip.Right && P.Y >= Grip.Top && P.Y <= Grip.Bottom ? SkinHitBottomRight
                                                                                          : SkinHitClient;
}

std::vector<TRect> PanelPictureRects(Integer W, Integer H, Integer PW, Integer PH, bool StretchEffect,
                                     TsfStretchType StretchType)
{
    std::vector<TRect> rects;
    if (PW <= 0 || PH <= 0 || W <= 0 || H <= 0) return rects;
    if (StretchEffect) {
        switch (StretchType) {
        case sfstFull:
            rects.push_back({0, 0, W, H});
            break;
        case sfstHorz:
            for (Integer i = 0; i <= W / PW; ++i) rects.push_back({i * PW, 0, (i + 1) * PW, H});
            break;
        case sfstVert:
            for (Integer i = 0; i <= H / PH; ++i) rects.push_back({0, i * PH, W, (i + 1) * PH});
            break;
        }
        return rects;
    }
    for (Integer y = 0; y <= H / PH; ++y)
        for (Integer x = 0; x <= W / PW; ++x) rects.push_back({x * PW, y * PH, (x + 1) * PW, (y + 1) * PH});
    return rects;
}
