#include "skin/frame/SkinFrameGeometry.h"

#include "skin/model/SFSkinImage.h"
#include "skin/model/SFUtils.h"

namespace {

// The platform's point test: right and bottom edges outside.
bool PtIn(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

void Offset(TRect& R, Integer DX, Integer DY)
{
    R.Left += DX;
    R.Right += DX;
    R.Top += DY;
    R.Bottom += DY;
}

// Black (inside the shape) at (X, Y) of a mask strip; outside the strip is not inside.
bool BlackAt(const TsfBitmap& B, Integer X, Integer Y)
{
    if (B.Empty() || X < 0 || Y < 0 || X >= B.Width() || Y >= B.Height()) return false;
    return (B.GetPixel(X, Y) & 0xFFFFFF) == 0;
}

const TStdCommand ButtonOrder[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray};

} // namespace

TsfFrameGeometry::TsfFrameGeometry()
{
    SkinChanged();
}

TsfFrameGeometry::~TsfFrameGeometry() = default;

void TsfFrameGeometry::SetSkin(const TsfSkinContent* ASkin)
{
    FSkin = ASkin;
    SkinChanged();
}

void TsfFrameGeometry::SkinChanged()
{
    const TDibImage None;
    FFrame = SkinPictureToBitmap(FSkin ? FSkin->FPicture : None);
    FInActive = SkinPictureToBitmap(FSkin ? FSkin->FInActivePicture : None);
    FMask = SkinPictureToBitmap(FSkin ? FSkin->FMask : None);
    ClearMaskStrips();
}

Integer TsfFrameGeometry::PictureWidth() const { return FSkin ? FFrame->Width() : 0; }
Integer TsfFrameGeometry::PictureHeight() const { return FSkin ? FFrame->Height() : 0; }
bool TsfFrameGeometry::HasSkinFrame() const { return SupportNCArea && FSkin && !IsNullRect(FSkin->ClRect); }

bool TsfFrameGeometry::HasSkinFrameGeometry() const
{
    return FSkin && FSkin->RBPoint.X != FSkin->LTPoint.X && FSkin->RBPoint.Y != FSkin->LTPoint.Y;
}

bool TsfFrameGeometry::IsObjectInRollUpState(bool ARollUp) const
{
    return SupportNCArea ? !ARollUp : ARollUp == RollUpState;
}

// ---------------------------------------------------------------------------
// Layout

void TsfFrameGeometry::CalcFrameRects()
{
    if (!FSkin) return;
    const TsfSkinContent& S = *FSkin;
    const Integer W0 = PictureWidth(), H0 = PictureHeight();
    const Integer dx = FormWidth - W0, dy = FormHeight - H0;
    NewLTPoint = S.LTPoint;
    NewRTPoint = {S.RTPoint.X + dx, S.RTPoint.Y};
    NewLBPoint = {S.LBPoint.X, S.LBPoint.Y + dy};
    NewRBPoint = {S.RBPoint.X + dx, S.RBPoint.Y + dy};
    NewClRect = {S.ClRect.Left, S.ClRect.Top, S.ClRect.Right + dx, S.ClRect.Bottom + dy};
    NewCaptionRect = S.CaptionRect;
    if (!IsNullRect(NewCaptionRect)) NewCaptionRect.Right += dx;
    NewButtonsRect = S.ButtonsRect;
    NewButtonsInLeft = S.CapButtonsInLeft;
    // A buttons area in the left half stays; one right of the middle follows the right edge.
    if (!IsNullRect(S.ButtonsRect) && S.ButtonsRect.Left > W0 / 2) Offset(NewButtonsRect, dx, 0);
    NewButtonsOffset = S.ButtonsOffset;
    NewHitTestLTPoint = S.HitTestLTPoint;
    NewHitTestRTPoint = {S.HitTestRTPoint.X + dx, S.HitTestRTPoint.Y};
    NewHitTestLBPoint = {S.HitTestLBPoint.X, S.HitTestLBPoint.Y + dy};
    NewHitTestRBPoint = {S.HitTestRBPoint.X + dx, S.HitTestRBPoint.Y + dy};
    NewMaskRectArea = {S.MaskRectArea.Left, S.MaskRectArea.Top, S.MaskRectArea.Right + dx,
                       S.MaskRectArea.Bottom + dy};
    NewIconRect = ConvertSkinRect(S.IconRect);
    NewMainMenuRect = S.MainMenuRect;
    if (HasSkinFrameGeometry()) {
        NewMainMenuRect.Right = S.MainMenuRect.Right + dx;
        if (PtIn({0, S.LBPoint.Y, S.LBPoint.X, H0}, TPoint{S.MainMenuRect.Left, S.MainMenuRect.Top})) Offset(NewMainMenuRect, 0, dy);
    }
}

TRect TsfFrameGeometry::ConvertSkinRect(const TRect& R) const
{
    if (!FSkin) return R;
    const TsfSkinContent& S = *FSkin;
    const Integer W0 = PictureWidth(), H0 = PictureHeight();
    const TRect LT{0, 0, S.LTPoint.X, S.LTPoint.Y};
    const TRect RT{S.RTPoint.X, 0, W0, S.RTPoint.Y};
    const TRect LB{0, S.LBPoint.Y, S.LBPoint.X, H0};
    const TRect RB{S.RBPoint.X, S.RBPoint.Y, W0, H0};
    if (IsNullRect(LT) && IsNullRect(RT) && IsNullRect(LB) && IsNullRect(RB)) return R;
    const Integer ddx = NewRBPoint.X - S.RBPoint.X, ddy = NewRBPoint.Y - S.RBPoint.Y;
    const TPoint TL{R.Left, R.Top}, BR{R.Right, R.Bottom};
    auto LiesIn = [&](const TRect& Piece) { return PtIn(Piece, TL) && PtIn(Piece, BR); };
    TRect Out = R;
    if (LiesIn(LT)) return Out;
    if (LiesIn(RT)) {
        Offset(Out, ddx, 0);
    } else if (LiesIn(LB)) {
        Offset(Out, 0, ddy);
    } else if (LiesIn(RB)) {
        Offset(Out, ddx, ddy);
    } else if (PtIn(LT, TL) && PtIn(RB, BR)) {
        Out.Right += ddx;
        Out.Bottom += ddy;
    } else if (PtIn(LT, TL) && PtIn(RT, BR)) {
        Out.Right += ddx;
    } else if (PtIn(LB, TL) && PtIn(RB, BR)) {
        Out.Right += ddx;
        Offset(Out, 0, ddy);
    } else if (PtIn(LT, TL) && PtIn(LB, BR)) {
        Out.Bottom += ddy;
    } else if (PtIn(RT, TL) && PtIn(RB, BR)) {
        Offset(Out, ddx, 0);
        Out.Bottom += ddy;
    }
    return Out;
}

TRect TsfFrameGeometry::CalcAreaRect(const TRect& R, bool UseAnchors, bool AnchorLeft, bool AnchorTop,
                                     bool AnchorRight, bool AnchorBottom) const
{
    if (!UseAnchors) return ConvertSkinRect(R);
    if (!FSkin) return R;
    const Integer ddx = NewRBPoint.X - FSkin->RBPoint.X, ddy = NewRBPoint.Y - FSkin->RBPoint.Y;
    TRect Out = R;
    if (AnchorBottom) {
        if (AnchorTop) Out.Bottom += ddy;
        else Offset(Out, 0, ddy);
    }
    if (AnchorRight) {
        if (AnchorLeft) Out.Right += ddx;
        else Offset(Out, ddx, 0);
    }
    return Out;
}

TsfFrameObjectPlace* TsfFrameGeometry::FindCaptionButton(const TsfFrameObjectList& Objects, TStdCommand C,
                                                         bool StdOnly) const
{
    for (TsfFrameObjectPlace* O : Objects) {
        const bool Button = O->Kind == TsfFrameObjectKind::StdButton ||
                            (!StdOnly && O->Kind == TsfFrameObjectKind::Animate);
        if (Button && O->Visible && O->SkinRectInAPicture && O->Command == C) return O;
    }
    return nullptr;
}

TSize TsfFrameGeometry::ButtonSize(const TsfFrameObjectPlace* B) const
{
    if (B->Kind == TsfFrameObjectKind::StdButton && B->Command == cmSysMenu && ShowIcon) return IconSize;
    return {B->SkinRect.Width(), B->SkinRect.Height()};
}

void TsfFrameGeometry::CalcObjectRects(const TsfFrameObjectList& Objects)
{
    if (LayerBorderFull) return;
    for (TsfFrameObjectPlace* O : Objects) O->ObjectRect = ConvertSkinRect(O->SkinRect);
    SizeGripArea = FSkin && !IsNullRect(FSkin->SizeGripArea) ? ConvertSkinRect(FSkin->SizeGripArea) : TRect{};
    if (!SupportNCArea) return;
    const bool UseButtonsRect = !IsNullRect(NewButtonsRect);
    TRect Row;
    if (UseButtonsRect) Row = NewButtonsRect;
    else if (!IsNullRect(NewCaptionRect)) Row = NewCaptionRect;
    else return;
    const Integer Y = Row.Top, Gap = NewButtonsOffset;
    // The row's buttons in their order: the standard commands, then the custom ones.
    std::vector<TsfFrameObjectPlace*> InRow;
    for (TStdCommand C : ButtonOrder)
        if (TsfFrameObjectPlace* B = FindCaptionButton(Objects, C, false)) InRow.push_back(B);
    for (TsfFrameObjectPlace* O : Objects)
        if ((O->Kind == TsfFrameObjectKind::StdButton || O->Kind == TsfFrameObjectKind::Animate) && O->Visible &&
            O->SkinRectInAPicture && O->Command == cmDefault)
            InRow.push_back(O);
    TsfFrameObjectPlace* Caption = nullptr;
    for (TsfFrameObjectPlace* O : Objects)
        if (O->Kind == TsfFrameObjectKind::Caption) {
            Caption = O;
            break;
        }
    TsfFrameObjectPlace* SysMenu = FindCaptionButton(Objects, cmSysMenu, false);
    if (!NewButtonsInLeft) {
        Integer X = Row.Right;
        for (TsfFrameObjectPlace* B : InRow) {
            const TSize S = ButtonSize(B);
            B->ObjectRect = {X - S.cx, Y, X, Y + S.cy};
            X -= S.cx + Gap;
        }
        if (!UseButtonsRect && Caption) Caption->ObjectRect.Right = X + Gap;
        X = NewCaptionRect.Left;
        if (SysMenu) {
            const TSize S = ButtonSize(SysMenu);
            const Integer Top = NewCaptionRect.Top + NewCaptionRect.Height() / 2 - S.cy / 2;
            SysMenu->ObjectRect = {X, Top, X + S.cx, Top + S.cy};
            X += S.cx + Gap;
            if (Caption) Caption->ObjectRect.Left = X - Gap;
        }
    } else {
        Integer X = Row.Left;
        if (!UseButtonsRect && SysMenu) InRow.push_back(SysMenu);
        for (TsfFrameObjectPlace* B : InRow) {
            const TSize S = ButtonSize(B);
            B->ObjectRect = {X, Y, X + S.cx, Y + S.cy};
            X += S.cx + Gap;
        }
        if (!UseButtonsRect && Caption) Caption->ObjectRect.Left = X + Gap;
    }
}

void TsfFrameGeometry::CalcDefRects(const TsfFrameObjectList& Objects)
{
    // The caption bar ends where the client area starts (3 + caption height),
    // so all of it drags the window.
    Integer X = FormWidth - 3;
    const Integer Y = 4, S = DefButtonSize();
    NewDefCaptionRect = {3, 3, X, 3 + DefCaptionHeight()};
    if (Objects.empty()) return;
    for (TStdCommand C : ButtonOrder)
        if (TsfFrameObjectPlace* B = FindCaptionButton(Objects, C, true)) {
            B->ObjectRect = {X - S, Y, X, Y + S};
            X -= S;
        }
    NewDefCaptionRect.Right = X;
    X = NewDefCaptionRect.Left;
    if (TsfFrameObjectPlace* B = FindCaptionButton(Objects, cmSysMenu, true)) {
        const TSize Size = ShowIcon ? IconSize : TSize{S, S};
        B->ObjectRect = {X, Y, X + Size.cx, Y + Size.cy};
        X += Size.cx;
        NewDefCaptionRect.Left = X;
    }
}

TRect TsfFrameGeometry::CalcNCClientRect(const TRect& R) const
{
    TRect Out = R;
    if (HasSkinFrame()) {
        const TRect& CL = FSkin->ClRect;
        Out.Left += CL.Left;
        Out.Top += CL.Top;
        Out.Right -= PictureWidth() - CL.Right;
        Out.Bottom -= PictureHeight() - CL.Bottom;
    } else {
        Out.Left += 3;
        Out.Top += DefCaptionHeight() + 3;
        Out.Right -= 3;
        Out.Bottom -= 3;
    }
    if (Out.Right < Out.Left) Out.Right = Out.Left;
    if (Out.Bottom < Out.Top) Out.Bottom = Out.Top;
    return Out;
}

Integer TsfFrameGeometry::DefCaptionTextX(Integer L, Integer R, Integer TextWidth)
{
    return L + (R - L) / 2 - (TextWidth + 5) / 2;
}

// ---------------------------------------------------------------------------
// Size limits

Integer TsfFrameGeometry::GetMinWidth() const
{
    const bool Minimized = WindowState == sfwsMinimized;
    const Integer W0 = PictureWidth();
    if (!SupportNCArea) {
        if (!FSkin) return 0;
        return MinWidth == 0 ? W0 : IntMin(W0, MinWidth);
    }
    if (!FSkin) return MinWidth > 0 ? MinWidth : 130;
    if (W0 < MinWidth && !Minimized) return MinWidth;
    if (FSkin->FormMinWidth > 0)
        return FSkin->FormMinWidth >= MinWidth || Minimized ? FSkin->FormMinWidth : MinWidth;
    return W0;
}

Integer TsfFrameGeometry::GetMinHeight() const
{
    const bool Small = RollUpState || WindowState == sfwsMinimized;
    const Integer H0 = PictureHeight();
    if (!SupportNCArea) {
        if (!FSkin) return 0;
        return MinHeight == 0 ? H0 : IntMin(H0, MinHeight);
    }
    if (!FSkin) {
        const Integer H = DefCaptionHeight() + 6;
        return H >= MinHeight || Small ? H : MinHeight;
    }
    const Integer Frame = H0 - FSkin->ClRect.Height();
    if (LayerBorderFull) return Frame >= MinHeight || Small ? 10 : MinHeight;
    if (FSkin->FormMinHeight != 0) return FSkin->FormMinHeight < MinHeight && !Small ? MinHeight : FSkin->FormMinHeight;
    return Frame >= MinHeight || Small ? Frame : MinHeight;
}

Integer TsfFrameGeometry::GetMaxWidth() const { return MaxWidth != 0 ? MaxWidth : MonitorSize.cx; }
Integer TsfFrameGeometry::GetMaxHeight() const { return MaxHeight != 0 ? MaxHeight : MonitorSize.cy; }

// ---------------------------------------------------------------------------
// Hit tests

bool TsfFrameGeometry::PointInCaption(const TPoint& P, const TsfFrameObjectList& Objects) const
{
    if (!NCDraggAble) return false;
    for (const TsfFrameObjectPlace* O : Objects) {
        if (O->Kind != TsfFrameObjectKind::Caption || !IsObjectInRollUpState(O->RollUp)) continue;
        if (!PtIn(O->ObjectRect, P)) continue;
        // The quick buttons take a strip at the caption's left.
        if (QuickButtonCount > 0) return P.X > O->ObjectRect.Left + QuickButtonCount * (QuickImageWidth + 8);
        return true;
    }
    return false;
}

bool TsfFrameGeometry::PointInMaskArea(const TPoint& P) const
{
    const TRect& M = NewMaskRectArea;
    if (PtIn(M, P)) return true;
    if (P.Y <= M.Top) return BlackAt(*FRMTop, P.X, P.Y);
    if (P.Y < M.Bottom) {
        if (P.X > M.Left) return BlackAt(*FRMRight, P.X - M.Right, P.Y - M.Top);
        return BlackAt(*FRMLeft, P.X, P.Y - M.Top);
    }
    return BlackAt(*FRMBottom, P.X, P.Y - M.Bottom);
}

bool TsfFrameGeometry::PointNearFrameEdge(const TPoint& P) const
{
    const Integer B = FSkin ? FSkin->BorderW : 0;
    const TPoint Probes[] = {{P.X - B, P.Y}, {P.X, P.Y - B}, {P.X + B, P.Y}, {P.X, P.Y + B}};
    if (!HasMask()) {
        const TRect Form{0, 0, FormWidth, FormHeight};
        for (const TPoint& Q : Probes)
            if (!PtIn(Form, Q)) return true;
        return false;
    }
    if (PtIn(NewMaskRectArea, P)) return false;
    for (const TPoint& Q : Probes)
        if (!PointInMaskArea(Q)) return true;
    return false;
}

Integer TsfFrameGeometry::SizingCode(const TPoint& P) const
{
    const Integer W = FormWidth, H = FormHeight;
    if (P.X <= NewHitTestLTPoint.X && P.Y <= NewHitTestLTPoint.Y) return sfhtTopLeft;
    if (P.X >= NewHitTestRTPoint.X && P.Y <= NewHitTestRTPoint.Y) return sfhtTopRight;
    if (P.X <= NewHitTestLBPoint.X && P.Y >= NewHitTestLBPoint.Y) return sfhtBottomLeft;
    if (P.X >= NewHitTestRBPoint.X && P.Y >= NewHitTestRBPoint.Y) return sfhtBottomRight;
    if (PtIn({NewHitTestLTPoint.X, 0, NewHitTestRTPoint.X, NewClRect.Top}, P)) return sfhtTop;
    if (PtIn({NewHitTestLBPoint.X, NewClRect.Bottom, NewHitTestRBPoint.X, H}, P)) return sfhtBottom;
    if (PtIn({0, NewHitTestLTPoint.Y, NewClRect.Left, NewHitTestLBPoint.Y}, P)) return sfhtLeft;
    if (PtIn({NewClRect.Right, NewHitTestRTPoint.Y, W, NewHitTestRBPoint.Y}, P)) return sfhtRight;
    return 0;
}

Integer TsfFrameGeometry::CalcNCHitTest(const TPoint& P, const TsfFrameObjectList& Objects) const
{
    const bool Small = RollUpState || WindowStateInit == sfwsMinimized;
    if (!Small) {
        if (ObjectHot && !PointInCaption(P, Objects) && !PtIn(NewClRect, P) && !SizeMove) return sfhtObject;
        if (WindowStateInit != sfwsMaximized && Sizeable) {
            if (!PointNearFrameEdge(P)) {
                if (PtIn(NewClRect, P)) return sfhtClient;
                return PointInCaption(P, Objects) ? sfhtCaption : sfhtObject;
            }
            if (const Integer Code = SizingCode(P)) return Code;
        }
        if (PtIn(NewClRect, P)) return sfhtClient;
    }
    return PointInCaption(P, Objects) ? sfhtCaption : sfhtObject;
}

Integer TsfFrameGeometry::CalcDefHitTest(const TPoint& P) const
{
    const Integer W = FormWidth, H = FormHeight;
    if (WindowStateInit != sfwsMaximized && WindowStateInit != sfwsMinimized && !RollUpState && Sizeable) {
        if (ObjectHot) return sfhtObject;
        const bool L = P.X <= 2, T = P.Y <= 2, R = P.X >= W - 2, B = P.Y >= H - 2;
        if (L && T) return sfhtTopLeft;
        if (R && T) return sfhtTopRight;
        if (L && B) return sfhtBottomLeft;
        if (R && B) return sfhtBottomRight;
        if (L) return sfhtLeft;
        if (T) return sfhtTop;
        if (R) return sfhtRight;
        if (B) return sfhtBottom;
    }
    if (PtIn(NewDefCaptionRect, P)) return sfhtCaption;
    if (PtIn({3, DefCaptionHeight() + 3, W - 3, H - 3}, P)) return sfhtClient;
    return sfhtObject;
}

Integer TsfFrameGeometry::CalcClientHitTest(const TPoint& P) const
{
    if (!Sizeable || WindowStateInit == sfwsMaximized || RollUpState || ObjectHot || !FSkin) return sfhtClient;
    if (!IsNullRect(SizeGripArea) && PtIn(SizeGripArea, P)) return sfhtBottomRight;
    if (!PointNearFrameEdge(P)) return sfhtClient;
    const Integer Code = SizingCode(P);
    return Code ? Code : sfhtClient;
}

// ---------------------------------------------------------------------------
// Window region

void TsfFrameGeometry::ClearMaskStrips()
{
    for (auto* B : {&FRMTop, &FRMBottom, &FRMLeft, &FRMRight}) *B = std::make_unique<TsfBitmap>();
}

void TsfFrameGeometry::UpdateMask()
{
    ClearMaskStrips();
    if (!FSkin || !HasMask()) return;
    const TsfSkinContent& S = *FSkin;
    CreateSkinMask(S.LTPoint, S.RTPoint, S.LBPoint, S.RBPoint, S.MaskRectArea, NewLTPoint, NewRTPoint, NewLBPoint,
                   NewRBPoint, NewMaskRectArea, FMask.get(), FRMTop.get(), FRMLeft.get(), FRMRight.get(), FRMBottom.get(), FormWidth,
                   FormHeight);
}

TsfFormRegionKind TsfFrameGeometry::FormRegionKind(bool Skinnable, bool BorderNone, bool PlainRect,
                                                   bool AUpdateMask) const
{
    if (!Skinnable) return TsfFormRegionKind::Remove;
    if (FSkin && !BorderNone && SupportNCArea && LayerBorderFull) return TsfFormRegionKind::Rectangle;
    if (BorderNone && SupportNCArea) return TsfFormRegionKind::Remove;
    if (!FSkin || !HasMask() || PlainRect) return TsfFormRegionKind::Rectangle;
    return AUpdateMask ? TsfFormRegionKind::Strips : TsfFormRegionKind::WholeMask;
}

std::vector<TsfFrameGeometry::TStripPlace> TsfFrameGeometry::MaskStripPlaces() const
{
    const TRect& M = NewMaskRectArea;
    const TStripPlace All[] = {
        {FRMTop.get(), 0, 0}, {FRMBottom.get(), 0, M.Bottom}, {FRMLeft.get(), 0, M.Top}, {FRMRight.get(), M.Right, M.Top}};
    std::vector<TStripPlace> Out;
    for (const TStripPlace& S : All)
        if (!S.Strip->Empty() && S.Strip->Width() > 0 && S.Strip->Height() > 0) Out.push_back(S);
    return Out;
}
