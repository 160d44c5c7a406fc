#include "skin/controls/win/SkinCtrls.h"

#include "skin/controls/win/SkinClock_Win.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFSkinRegion_Win.h"
#include "skin/model/win/SFUtils_Win.h"

IsfSkinnedControl* AsSkinnedControl(TControl* Control) { return dynamic_cast<IsfSkinnedControl*>(Control); }

void CollectSkinnedControls(TWinControl* Root, std::vector<IsfSkinnedControl*>& List)
{
    if (!Root) return;
    for (Integer i = 0; i < Root->ControlCount(); ++i) {
        TControl* c = Root->Controls(i);
        if (IsfSkinnedControl* s = AsSkinnedControl(c)) List.push_back(s);
        if (auto* w = dynamic_cast<TWinControl*>(c)) CollectSkinnedControls(w, List);
    }
}

void CheckControlsBackground(TWinControl* Parent)
{
    if (!Parent) return;
    for (Integer i = 0; i < Parent->ControlCount(); ++i) {
        TControl* c = Parent->Controls(i);
        auto* w = dynamic_cast<TWinControl*>(c);
        if (w && w->HandleAllocated())
            SendMessageW(w->Handle(), WM_PARENTBGCHANGED, 0, 0);
        else
            c->Perform(WM_PARENTBGCHANGED, 0, 0);
    }
}

TsfColor SkinColorOf(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void DrawSkinPiece(TsfBitmap* Dst, Integer X, Integer Y, const TsfBitmap* Picture, const TRect& R, bool Transparent,
                   TColor KeyColor)
{
    if (!Dst || !Picture || R.Width() <= 0 || R.Height() <= 0) return;
    TsfBitmap piece;
    piece.SetSize(R.Width(), R.Height());
    SkinCopyRect(&piece, {0, 0, R.Width(), R.Height()}, Picture, R);
    if (Transparent)
        piece.CheckingTransparent(KeyColor == clNone ? piece.GetPixel(0, piece.Height() - 1) : SkinColorOf(KeyColor));
    piece.Draw(Dst, X, Y);
}

void SetSkinCharset(TFont* Font, TsfSkinData* SD)
{
    if (SD && SD->ResourceStrData()) Font->SetCharset(SD->ResourceStrData()->CharSet());
}

TColor SkinRoleColor(TsfSkinData* SD, TColor (TsfSkinColors::*Role)() const, TColor Default)
{
    return SD && !SD->Empty && SD->SkinColors() ? (SD->SkinColors()->*Role)() : Default;
}

// Copies S of Picture into B at (X, Y), leaving out the pixels of Key.
void DrawKeyed(TsfBitmap* B, const TsfBitmap* Picture, const TRect& S, Integer X, Integer Y, TColor Key)
{
    const TsfColor K = SkinColorOf(Key) & 0x00FFFFFF;
    for (Integer y = 0; y < S.Height(); ++y)
        for (Integer x = 0; x < S.Width(); ++x) {
            const Integer sx = S.Left + x, sy = S.Top + y, dx = X + x, dy = Y + y;
            if (sx < 0 || sy < 0 || sx >= Picture->Width() || sy >= Picture->Height()) continue;
            if (dx < 0 || dy < 0 || dx >= B->Width() || dy >= B->Height()) continue;
            const TsfColor P = Picture->GetPixel(sx, sy);
            if ((P & 0x00FFFFFF) != K) B->SetPixel(dx, dy, P | 0xFF000000u);
        }
}

bool DrawSkinButtonPicture(TsfSkinData* SD, TsfBitmap* B, const String& Name, bool Down, bool MouseIn, TColor& Color)
{
    if (!SD || SD->Empty) return false;
    const Integer I = SD->GetControlIndex(Name);
    if (I < 0 || I >= static_cast<Integer>(SD->CtrlList.size())) return false;
    auto* D = dynamic_cast<TsfDataSkinButtonControl*>(SD->CtrlList[static_cast<size_t>(I)].get());
    if (!D) return false;
    TsfBitmap* P = SD->ActiveBitmap(D->PictureIndex);
    if (!P) return false;
    const TRect Active = D->ActiveSkinRect.Width() <= 0 || D->ActiveSkinRect.Height() <= 0 ? D->SkinRect : D->ActiveSkinRect;
    const TRect DownR = D->DownSkinRect.Width() <= 0 || D->DownSkinRect.Height() <= 0 ? Active : D->DownSkinRect;
    TRect Src = D->SkinRect;
    Color = D->FontColor;
    if (Down) Src = DownR, Color = D->DownFontColor;
    else if (MouseIn) Src = Active, Color = D->ActiveFontColor;
    CreateDescriptionImage(B, P, *D, Src);
    return true;
}

void DrawResizedButtonFace(TsfBitmap* Face, const TsfDataSkinButtonControl* D, const TsfBitmap* P, const TRect& Src)
{
    const Integer W = Face->Width(), H = Face->Height();
    const Integer DW = W - D->SkinRect.Width(), DH = H - D->SkinRect.Height();
    const TRect NCl{D->ClRect.Left, D->ClRect.Top, D->ClRect.Right + DW, D->ClRect.Bottom + DH};
    CreateSkinImage(D->LTPoint, D->RTPoint, D->LBPoint, D->RBPoint, D->ClRect, D->LTPoint,
                    {D->RTPoint.X + DW, D->RTPoint.Y}, {D->LBPoint.X, D->LBPoint.Y + DH},
                    {D->RBPoint.X + DW, D->RBPoint.Y + DH}, NCl, Face, P, Src, W, H, true, D->LeftStretch,
                    D->TopStretch, D->RightStretch, D->BottomStretch, D->StretchEffect, D->StretchType);
}

// ---------------------------------------------------------------------------
// The shared part

template <class TBase>
TsfSkinControlCommon<TBase>::TsfSkinControlCommon(TComponent* AOwner) : TBase(AOwner)
{
    EnsureSkinWindowClock();
}

template <class TBase>
TsfSkinControlCommon<TBase>::~TsfSkinControlCommon()
{
    SkinClock()->StopTimers(this);
}

template <class TBase>
void TsfSkinControlCommon<TBase>::SetSkinData(TsfSkinData* Value)
{
    if (FSD && FSD != Value) FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    if (!Value->Empty && !Designing()) ChangeSkinData();
}

template <class TBase>
void TsfSkinControlCommon<TBase>::GetSkinData()
{
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
}

template <class TBase>
void TsfSkinControlCommon<TBase>::BeforeChangeSkinData()
{
    FIndex = -1;
}

template <class TBase>
void TsfSkinControlCommon<TBase>::ApplySkinCursor()
{
    if (!FUseSkinCursor) return;
    if (CursorIndex == -1 || !FSD)
        this->SetCursor(crDefault);
    else
        this->SetCursor(TCursor(FSD->StartCursorIndex + CursorIndex));
}

template <class TBase>
void TsfSkinControlCommon<TBase>::ChangeSkinData()
{
    GetSkinData();
    ApplySkinCursor();
    this->Invalidate();
}

template <class TBase>
void TsfSkinControlCommon<TBase>::SetDrawDefault(bool Value)
{
    if (FDrawDefault == Value) return;
    FDrawDefault = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinControlCommon<TBase>::SetAlphaBlend(bool Value)
{
    FAlphaBlend = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinControlCommon<TBase>::SetAlphaBlendValue(Byte Value)
{
    FAlphaBlendValue = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinControlCommon<TBase>::SetHintImageList(TCustomImageList* Value)
{
    if (FHintImageList && FHintImageList != Value) FHintImageList->RemoveFreeNotification(this);
    FHintImageList = Value;
    if (Value) Value->FreeNotification(this);
}

template <class TBase>
void TsfSkinControlCommon<TBase>::CheckParentBackground()
{
    if (!FAlphaBlend) return;
    this->Repaint();
    if constexpr (std::is_base_of_v<TWinControl, TBase>) ::CheckControlsBackground(this);
}

template <class TBase>
void TsfSkinControlCommon<TBase>::DrawLook(TsfBitmap* B)
{
    if (FIndex != -1)
        CreateControlSkinImage(B);
    else if (FDrawDefault)
        CreateControlDefaultImage(B);
}

template <class TBase>
void TsfSkinControlCommon<TBase>::Paint()
{
    const Integer w = this->Width(), h = this->Height();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    TsfBitmap look;
    look.SetSize(w, h);
    DrawLook(&look);
    TCanvas* canvas = this->Canvas();
    if (!FAlphaBlend) {
        look.Draw(canvas, 0, 0);
        return;
    }
    TsfBitmap behind;
    behind.SetSize(w, h);
    DrawParentBackground(this, behind.Canvas());
    auto image = TsfEffectBmp::CreateFromhWnd(look.Handle());
    auto back = TsfEffectBmp::CreateFromhWnd(behind.Handle());
    if (!image || !back) return;
    image->Morph(back.get(), 1.0 - FAlphaBlendValue / 255.0);
    image->Draw(canvas->Handle(), 0, 0);
}

template <class TBase>
void TsfSkinControlCommon<TBase>::Notification(TComponent* AComponent, TOperation Operation)
{
    TBase::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSD) FSD = nullptr;
    if (AComponent == FHintImageList) FHintImageList = nullptr;
}

template <class TBase>
void TsfSkinControlCommon<TBase>::Dispatch(TMessage& Message)
{
    if (Message.Msg == UINT(WM_PARENTBGCHANGED)) {
        CheckParentBackground();
        return;
    }
    if constexpr (!std::is_base_of_v<TWinControl, TBase>) {
        // A windowless control gets these only when somebody performs them on it.
        if (Message.Msg == WM_ERASEBKGND) {
            Message.Result = 1;
            return;
        }
        if (Message.Msg == WM_MOVE) {
            TBase::Dispatch(Message);
            if (FAlphaBlend) this->Invalidate();
            return;
        }
    }
    TBase::Dispatch(Message);
}

template <class TBase>
void TsfSkinControlCommon<TBase>::CMMouseEnter(TMessage& Message)
{
    TBase::CMMouseEnter(Message);
    if (!Designing() && OnMouseEnter) OnMouseEnter(this);
}

template <class TBase>
void TsfSkinControlCommon<TBase>::CMMouseLeave(TMessage& Message)
{
    TBase::CMMouseLeave(Message);
    if (!Designing() && OnMouseLeave) OnMouseLeave(this);
}

template class TsfSkinControlCommon<TCustomControl>;
template class TsfSkinControlCommon<TGraphicControl>;

// ---------------------------------------------------------------------------
// TsfSkinControl, TsfGraphicSkinControl

TsfSkinControl::TsfSkinControl(TComponent* AOwner) : inherited(AOwner) {}
TsfSkinControl::~TsfSkinControl() = default;

void TsfSkinControl::WMPaint(TWMPaint& Message)
{
    FromWMPaint = true;
    auto Done = ScopeExit([&] { FromWMPaint = false; });
    inherited::WMPaint(Message);
}

void TsfSkinControl::WMEraseBkgnd(TMessage& Message)
{
    // The paint covers the whole control: no erase, no flicker.
    Message.Result = 1;
}

void TsfSkinControl::WMMove(TMessage& Message)
{
    inherited::WMMove(Message);
    if (FAlphaBlend) Invalidate();
}

TsfGraphicSkinControl::TsfGraphicSkinControl(TComponent* AOwner) : inherited(AOwner) {}
TsfGraphicSkinControl::~TsfGraphicSkinControl() = default;

// ---------------------------------------------------------------------------
// The resizable part

template <class TBase>
TsfSkinCustomCommon<TBase>::TsfSkinCustomCommon(TComponent* AOwner)
    : TBase(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName(u"Arial");
    FDefaultFont->SetStyle(0);
    FDefaultFont->SetHeight(14);
    FDefaultFont->OnChange = [this](TObject* Sender) { DefaultFontChange(Sender); };
}

template <class TBase>
TsfSkinCustomCommon<TBase>::~TsfSkinCustomCommon()
{
    FDefaultFont->OnChange = nullptr;
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    OnDefaultFontChange();
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::DefaultFontChange(TObject*)
{
    OnDefaultFontChange();
    if (this->FIndex == -1) this->Invalidate();
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::SetDefaultWidth(Integer Value)
{
    FDefaultWidth = Value;
    if (this->FIndex == -1 && Value > 0) this->SetWidth(Value);
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::SetDefaultHeight(Integer Value)
{
    FDefaultHeight = Value;
    if (this->FIndex == -1 && Value > 0) this->SetHeight(Value);
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::GetSkinData()
{
    TBase::GetSkinData();
    if (this->FIndex != -1)
        LoadDescription(this->FSD, this->FIndex, this->CursorIndex, std::is_base_of_v<TWinControl, TBase>);
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::CalcSize(Integer& AWidth, Integer& AHeight)
{
    CalcGeometrySize(this->FIndex != -1, AWidth, AHeight);
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::CalcRect(const TRect& R, TRect& NR) const
{
    TsfSkinCtrlGeometry::CalcRect(R, NR, this->Width(), this->Height());
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::ChangeSkinData()
{
    GetSkinData();
    this->ApplySkinCursor();
    bool resized = false;
    if (this->FIndex == -1) {
        if (FDefaultWidth > 0) this->SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) this->SetHeight(FDefaultHeight);
    } else {
        Integer w = this->Width(), h = this->Height();
        CalcSize(w, h);
        if (w != this->Width() || h != this->Height()) {
            resized = true;
            this->SetBounds(this->Left(), this->Top(), w, h);
        }
    }
    // A resize has set the region and repainted already.
    if (!resized) {
        SetControlRegion();
        this->Invalidate();
    }
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    GetSkinData();
    if (this->FIndex != -1 && (AWidth != this->Width() || AHeight != this->Height())) {
        CalcSize(AWidth, AHeight);
        if (ResizeMode == 0) NewClRect = ClRect;
    }
    const bool resized = AWidth != this->Width() || AHeight != this->Height();
    TBase::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized) {
        SetControlRegion();
        this->Invalidate();
    }
    if constexpr (std::is_base_of_v<TWinControl, TBase>)
        if (this->FIndex != -1 && StretchEffect) ::CheckControlsBackground(this);
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::CreateControlDefaultImage(TsfBitmap* B)
{
    TCanvas* c = B->Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect({0, 0, B->Width(), B->Height()});
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::CreateControlSkinImage(TsfBitmap* B)
{
    // A description without a usable picture shows the built-in look.
    if (!Picture || ResizeMode == -1) {
        CreateControlDefaultImage(B);
        return;
    }
    CreateSkinControlImage(B, Picture, SkinRect);
}

template <class TBase>
void TsfSkinCustomCommon<TBase>::CreateSkinControlImage(TsfBitmap* B, const TsfBitmap* SkinPicture,
                                                        const TRect& SkinR)
{
    Integer w = this->Width(), h = this->Height();
    // Fresh geometry for the current size (the results are not applied).
    CalcSize(w, h);
    TsfSkinCtrlGeometry::CreateSkinControlImage(B, SkinPicture, SkinR, this->Width(), this->Height(),
                                                ForceBackground());
}

template class TsfSkinCustomCommon<TsfSkinControl>;
template class TsfSkinCustomCommon<TsfGraphicSkinControl>;

// ---------------------------------------------------------------------------
// TsfSkinCustomControl

TsfSkinCustomControl::TsfSkinCustomControl(TComponent* AOwner) : inherited(AOwner) {}
TsfSkinCustomControl::~TsfSkinCustomControl() = default;

void TsfSkinCustomControl::CreateWnd()
{
    inherited::CreateWnd();
    SetControlRegion();
}

void TsfSkinCustomControl::SetControlRegion()
{
    if (!Parent() || !HandleAllocated()) return;
    if (!MaskPicture || FIndex == -1 || ResizeMode == -1) {
        if (FRgn) {
            SetWindowRgn(Handle(), nullptr, TRUE);
            FRgn = nullptr;
        }
        return;
    }
    Integer w = Width(), h = Height();
    CalcSize(w, h);
    w = Width();
    h = Height();
    const Integer dW = w - RectWidth(SkinRect), dH = h - RectHeight(SkinRect);
    HRGN rgn = nullptr;
    switch (ResizeMode) {
    case 0:
        CreateRgnFromMask(rgn, MaskPicture);
        break;
    case 1:
        CreateSkinRegion(rgn, LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                         NewClRect, MaskPicture, w, h);
        break;
    case 2: {
        const TPoint nrt{RTPt.X + dW, RTPt.Y};
        CreateSkinRegion(rgn, LTPt, RTPt, LTPt, RTPt, ClRect, LTPt, nrt, LTPt, nrt, NewClRect, MaskPicture, w, h);
        break;
    }
    case 3: {
        const TPoint nlb{LBPt.X, LBPt.Y + dH};
        CreateSkinRegion(rgn, LTPt, LTPt, LBPt, LBPt, ClRect, LTPt, LTPt, nlb, nlb, NewClRect, MaskPicture, w, h);
        break;
    }
    default:
        break;
    }
    // The system owns the region from here on, and frees the one it replaces.
    SetWindowRgn(Handle(), rgn, TRUE);
    FRgn = rgn;
}

void TsfSkinCustomControl::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    Integer w = Width(), h = Height();
    CalcSize(w, h);
    if (FIndex == -1 || !FForceBackground || ResizeMode != 1 || FAlphaBlend || !Picture) {
        inherited::Paint();
        return;
    }
    PaintBorderStrips();
}

void TsfSkinCustomControl::PaintBorderStrips()
{
    const Integer w = Width(), h = Height();
    TsfBitmap left, top, right, bottom;
    CreateSkinBorderImages(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect,
                           &left, &top, &right, &bottom, Picture, SkinRect, w, h, LeftStretch, TopStretch,
                           RightStretch, BottomStretch);
    CreateControlSkinImage(&top);
    TCanvas* canvas = Canvas();
    if (FDrawbackground) {
        const std::vector<TRect> places = ClientPieceRects();
        if (!places.empty()) {
            TsfBitmap piece;
            piece.SetSize(RectWidth(ClRect), RectHeight(ClRect));
            TRect src = ClRect;
            src.Left += SkinRect.Left;
            src.Right += SkinRect.Left;
            src.Top += SkinRect.Top;
            src.Bottom += SkinRect.Top;
            SkinCopyRect(&piece, {0, 0, piece.Width(), piece.Height()}, Picture, src);
            TSavedDC saved(canvas->Handle());
            IntersectClipRect(canvas->Handle(), NewClRect.Left, NewClRect.Top, NewClRect.Right, NewClRect.Bottom);
            for (const TRect& r : places) piece.Draw(canvas, r);
        }
    }
    top.Draw(canvas, 0, 0);
    left.Draw(canvas, 0, top.Height());
    right.Draw(canvas, w - right.Width(), top.Height());
    bottom.Draw(canvas, 0, h - bottom.Height());
}

// ---------------------------------------------------------------------------
// TsfGraphicSkinCustomControl

TsfGraphicSkinCustomControl::TsfGraphicSkinCustomControl(TComponent* AOwner) : inherited(AOwner) {}
TsfGraphicSkinCustomControl::~TsfGraphicSkinCustomControl() = default;
