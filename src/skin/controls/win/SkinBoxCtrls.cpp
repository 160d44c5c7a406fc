#include "skin/controls/win/SkinBoxCtrls.h"

#include "framework/controls/win/Messages.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

bool HasArea(const TRect& R) { return !IsNullRect(R); }

// The built-in look of a small button by its state.
void DrawDefaultButtonFace(TCanvas* C, const TRect& R, TsfPartState State)
{
    const TColor Frame = State == psNormal ? clBtnShadow : TColor(0x800000);
    const TColor Fill = State == psPressed ? TColor(0xB59385) : State == psHot ? TColor(0xD2BDB6) : clBtnFace;
    C->Brush()->SetColor(Fill);
    C->FillRect(R);
    C->Brush()->SetColor(Frame);
    C->FrameRect(R);
}

}  // namespace

// ---------------------------------------------------------------------------
// Up-down

TsfSkinUpDown::TsfSkinUpDown(TComponent* AOwner)
    : inherited(AOwner),
      OnChange(FCore.OnChange),
      OnUpButtonClick(FCore.OnUpButtonClick),
      OnDownButtonClick(FCore.OnDownButtonClick)
{
    FCore.Sender = this;
    FCore.OnRepaint = [this] { Invalidate(); };
    SetBounds(Left(), Top(), 25, 50);
    SetSkinDataName(u"hupdown");
    CalcRects();
}

TsfSkinUpDown::~TsfSkinUpDown() = default;

void TsfSkinUpDown::SetUseSkinSize(bool V)
{
    if (V == FUseSkinSize) return;
    FUseSkinSize = V;
    Invalidate();
}

void TsfSkinUpDown::SetOrientation(TUDOrientation V)
{
    FCore.SetVertical(V == udVertical);
    if (Designing() && !(ComponentState() & csLoading)) SetSkinDataName(V == udVertical ? u"vupdown" : u"hupdown");
    CalcRects();
}

void TsfSkinUpDown::GetSkinData()
{
    inherited::GetSkinData();
    FHasSkin = false;
    if (FIndex != -1) {
        if (auto* D = dynamic_cast<TsfDataSkinUpDownControl*>(SkinData()->CtrlList[FIndex].get())) {
            UpButtonRect = D->UpButtonRect;
            ActiveUpButtonRect = D->ActiveUpButtonRect;
            DownUpButtonRect = HasArea(D->DownUpButtonRect) ? D->DownUpButtonRect : D->ActiveUpButtonRect;
            DownButtonRect = D->DownButtonRect;
            ActiveDownButtonRect = D->ActiveDownButtonRect;
            DownDownButtonRect = HasArea(D->DownDownButtonRect) ? D->DownDownButtonRect : D->ActiveDownButtonRect;
            // The up-down picture is never resized.
            LTPt = RTPt = LBPt = RBPt = TPoint{};
            FHasSkin = true;
        }
    }
    CalcRects();
}

void TsfSkinUpDown::CalcRects()
{
    if (FIndex != -1 && FHasSkin && FUseSkinSize)
        FCore.CalcRects(Width(), Height(), &UpButtonRect, &DownButtonRect);
    else
        FCore.CalcRects(Width(), Height());
}

void TsfSkinUpDown::CalcSize(Integer& AWidth, Integer& AHeight)
{
    if (FUseSkinSize) inherited::CalcSize(AWidth, AHeight);
}

void TsfSkinUpDown::SetControlRegion()
{
    if (FUseSkinSize) inherited::SetControlRegion();
}

Integer TsfSkinUpDown::ArrowKind(Integer I) const
{
    const bool V = FCore.Vertical();
    return I == udUpButton ? (V ? 3 : 2) : (V ? 4 : 1);
}

void TsfSkinUpDown::CreateControlSkinImage(TsfBitmap* B)
{
    if (FUseSkinSize) {
        inherited::CreateControlSkinImage(B);
        DrawButton(B, udUpButton);
        DrawButton(B, udDownButton);
    } else {
        DrawResizeButton(B, udUpButton);
        DrawResizeButton(B, udDownButton);
    }
}

void TsfSkinUpDown::CreateControlDefaultImage(TsfBitmap* B)
{
    CalcRects();
    DrawButton(B, udUpButton);
    DrawButton(B, udDownButton);
}

void TsfSkinUpDown::DrawButton(TsfBitmap* B, Integer I)
{
    const TsfCBButtonX& Btn = FCore.Button(I);
    const TsfPartState S = ButtonPartState(Btn);
    if (FIndex == -1 || !FHasSkin) {
        TCanvas* C = B->Canvas();
        DrawDefaultButtonFace(C, Btn.R, S);
        DrawArrowImage(C, Btn.R, Enabled() ? clBlack : clGray, ArrowKind(I));
        return;
    }
    // The normal state is part of the control's picture.
    if (S == psNormal || !Picture) return;
    const TRect Src = I == udUpButton ? (S == psPressed ? DownUpButtonRect : ActiveUpButtonRect)
                                      : (S == psPressed ? DownDownButtonRect : ActiveDownButtonRect);
    if (HasArea(Src)) SkinCopyRect(B, Btn.R, Picture, Src);
}

void TsfSkinUpDown::DrawResizeButton(TsfBitmap* B, Integer I)
{
    const TsfCBButtonX& Btn = FCore.Button(I);
    const Integer W = Btn.R.Width(), H = Btn.R.Height();
    if (W <= 0 || H <= 0) return;
    const TsfPartState S = ButtonPartState(Btn);
    TsfBitmap Face;
    Face.SetSize(W, H);
    const Integer Index = SkinData()->GetControlIndex(u"resizebutton");
    auto* D = Index == -1 ? nullptr : dynamic_cast<TsfDataSkinButtonControl*>(SkinData()->CtrlList[Index].get());
    TsfBitmap* P = D ? SkinData()->ActiveBitmap(D->PictureIndex) : nullptr;
    if (!D || !P) {
        // No button description: the built-in face, so the buttons still show.
        DrawDefaultButtonFace(Face.Canvas(), {0, 0, W, H}, S);
        Face.Draw(B, Btn.R.Left, Btn.R.Top);
        DrawArrowImage(B->Canvas(), Btn.R, Enabled() ? clBlack : clGray, ArrowKind(I));
        return;
    }
    const TRect Active = HasArea(D->ActiveSkinRect) ? D->ActiveSkinRect : D->SkinRect;
    const TRect Down = HasArea(D->DownSkinRect) ? D->DownSkinRect : Active;
    CreateDescriptionImage(&Face, P, *D, S == psPressed ? Down : S == psHot ? Active : D->SkinRect);
    const TColor Arrow = S == psPressed ? D->DownFontColor
                       : S == psHot     ? D->ActiveFontColor
                       : Enabled()      ? D->FontColor
                                        : D->DisabledFontColor;
    Face.Draw(B, Btn.R.Left, Btn.R.Top);
    DrawArrowImage(B->Canvas(), Btn.R, Arrow, ArrowKind(I));
}

void TsfSkinUpDown::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FCore.MouseDown(X, Y);
    inherited::MouseDown(Button, Shift, X, Y);
}

void TsfSkinUpDown::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    FCore.MouseMove(X, Y);
    inherited::MouseMove(Shift, X, Y);
}

void TsfSkinUpDown::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FCore.MouseUp();
    inherited::MouseUp(Button, Shift, X, Y);
}

void TsfSkinUpDown::WMSize(TMessage& Message)
{
    inherited::WMSize(Message);
    CalcRects();
}

void TsfSkinUpDown::CMMouseEnter(TMessage& Message)
{
    FCore.MouseEnter();
    inherited::CMMouseEnter(Message);
}

void TsfSkinUpDown::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    FCore.MouseLeave();
}

// ---------------------------------------------------------------------------
// Scroll box

TsfSkinScrollBox::TsfSkinScrollBox(TComponent* AOwner) : inherited(AOwner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetSkinDataName(u"scrollbox");
    SetBounds(Left(), Top(), 150, 150);
    FCore.Sender = this;
    FCore.ClientSize = [this](bool V) { return V ? ClientHeight() : ClientWidth(); };
    FCore.ContentExtent = [this](bool V) {
        Integer E = 0;
        for (Integer I = 0; I < ControlCount(); ++I) {
            TControl* C = Controls(I);
            if (C->Visible()) E = std::max(E, V ? C->Top() + C->Height() : C->Left() + C->Width());
        }
        return E;
    };
    FCore.BarVisible = [this](bool V) {
        TsfSkinScrollBar* B = V ? FVScrollBar : FHScrollBar;
        return B && B->Visible();
    };
    FCore.OnShowBar = [this](bool V, bool Show) {
        if (TsfSkinScrollBar* B = V ? FVScrollBar : FHScrollBar) B->SetVisible(Show);
    };
    FCore.OnSetBoth = [this](bool On) {
        if (FHScrollBar) FHScrollBar->SetBoth(On);
    };
    FCore.OnScrollContent = [this](Integer DX, Integer DY) { ScrollBy(DX, DY); };
    FCore.OnRealign = [this] {
        if (Parent()) Parent()->Realign();
        Realign();
    };
    FCore.OnVScroll = [this](TObject* Sender) {
        if (OnVScroll) OnVScroll(Sender);
    };
}

TsfSkinScrollBox::~TsfSkinScrollBox()
{
    SetVScrollBar(nullptr);
    SetHScrollBar(nullptr);
}

void TsfSkinScrollBox::LinkBar(TsfSkinScrollBar*& Field, TsfSkinScrollBar* Value, bool Vertical)
{
    if (Field == Value) return;
    if (Field) {
        // The old bar no longer reports to this box (which may be going).
        Field->RemoveFreeNotification(this);
        Field->OnChange = nullptr;
        Field->OnLastChange = nullptr;
    }
    Field = Value;
    (Vertical ? FCore.VBar : FCore.HBar) = Value ? &Value->Core() : nullptr;
    if (!Value) return;
    Value->FreeNotification(this);
    Value->SetCanFocused(false);
    Value->SetEnabled(true);
    Value->SetVisible(false);
    Value->OnChange = [this, Vertical](TObject*) { FCore.BarChanged(Vertical); };
    Value->OnLastChange = [this](TObject*) { Invalidate(); };
    FCore.BarLinked(Vertical);
}

void TsfSkinScrollBox::SetVScrollBar(TsfSkinScrollBar* Value) { LinkBar(FVScrollBar, Value, true); }
void TsfSkinScrollBox::SetHScrollBar(TsfSkinScrollBar* Value) { LinkBar(FHScrollBar, Value, false); }

void TsfSkinScrollBox::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FVScrollBar) FVScrollBar = nullptr, FCore.VBar = nullptr;
    if (AComponent == FHScrollBar) FHScrollBar = nullptr, FCore.HBar = nullptr;
}

void TsfSkinScrollBox::SetBorderStyle(TsfSkinBorderStyle Value)
{
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TsfSkinScrollBox::SetCanFocused(bool Value) { FCanFocused = Value; }

void TsfSkinScrollBox::UpdateScrollRange()
{
    if (Parent()) FCore.UpdateScrollRange();
}

void TsfSkinScrollBox::GetHRange()
{
    if (Parent()) FCore.GetHRange();
}

void TsfSkinScrollBox::GetVRange()
{
    if (Parent()) FCore.GetVRange();
}

void TsfSkinScrollBox::HScroll(Integer APosition) { FCore.HScroll(APosition); }
void TsfSkinScrollBox::VScroll(Integer APosition) { FCore.VScroll(APosition); }

void TsfSkinScrollBox::ScrollToControl(TControl* C)
{
    if (C && C->Parent() == this) FCore.ScrollToControl(C->BoundsRect());
}

void TsfSkinScrollBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    const Integer OldW = Width(), OldH = Height();
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    FCore.Aligned = Align() != alNone;
    if (!Parent()) return;
    FCore.SizeChanged(OldW, OldH, Width(), Height());
}

void TsfSkinScrollBox::WMWindowPosChanging(TMessage& Message)
{
    inherited::WMWindowPosChanging(Message);
    if (HandleAllocated() && Align() == alNone) UpdateScrollRange();
}

void TsfSkinScrollBox::WMSize(TMessage& Message)
{
    inherited::WMSize(Message);
    SendMessageW(Handle(), WM_NCPAINT, 0, 0);
}

void TsfSkinScrollBox::AdjustClientRect(TRect& Rect)
{
    Rect = FCore.AdjustClientRect(TRect{0, 0, ClientWidth(), ClientHeight()});
    inherited::AdjustClientRect(Rect);
}

void TsfSkinScrollBox::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TsfSkinScrollBox::GetSkinData()
{
    inherited::GetSkinData();
    BGPictureIndex = -1;
    if (FIndex == -1) return;
    if (auto* D = dynamic_cast<TsfDataSkinScrollBoxControl*>(SkinData()->CtrlList[FIndex].get()))
        BGPictureIndex = D->BGPictureIndex;
}

void TsfSkinScrollBox::ChangeSkinData()
{
    inherited::ChangeSkinData();
    if (HandleAllocated()) RecreateWnd();
    // The form lays the bars out anew for the new border.
    for (TsfSkinScrollBar* B : {FVScrollBar, FHScrollBar})
        if (B) {
            const TAlign A = B->Align();
            B->SetAlign(alNone);
            B->SetAlign(A);
        }
}

void TsfSkinScrollBox::CMVisibleChanged(TMessage& Message)
{
    inherited::CMVisibleChanged(Message);
    for (TsfSkinScrollBar* B : {FVScrollBar, FHScrollBar})
        if (B) B->SetVisible(Visible());
}

// ---------------------------------------------------------------------------
// Scroll box: border and background

bool TsfSkinScrollBox::HasBorder()
{
    if (FBorderStyle == TsfSkinBorderStyle::bvNone) return false;
    return FIndex == -1 || BGPictureIndex == -1;
}

void TsfSkinScrollBox::WMNCCalcSize(TMessage& Message)
{
    GetSkinData();
    auto* Params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
    if (!HasBorder()) return;
    RECT& R = Params->rgrc[0];
    if (FIndex == -1) {
        InflateRect(&R, -1, -1);
    } else {
        R.left += ClRect.Left;
        R.top += ClRect.Top;
        R.right -= RectWidth(SkinRect) - ClRect.Right;
        R.bottom -= RectHeight(SkinRect) - ClRect.Bottom;
    }
}

void TsfSkinScrollBox::PaintBorder(HDC DC)
{
    const Integer W = Width(), H = Height();
    TCanvas C;
    C.SetHandle(DC);
    auto Release = ScopeExit([&] { C.SetHandle(nullptr); });
    if (FIndex == -1) {
        const TColor Light = clBtnHighlight, Dark = clBtnShadow;
        const TColor TopLeft = FBorderStyle == TsfSkinBorderStyle::bvRaised    ? Dark
                               : FBorderStyle == TsfSkinBorderStyle::bvLowered ? Light
                                                                               : Dark;
        const TColor BottomRight = FBorderStyle == TsfSkinBorderStyle::bvRaised    ? Light
                                   : FBorderStyle == TsfSkinBorderStyle::bvLowered ? Dark
                                                                                   : Dark;
        C.Pen()->SetColor(TopLeft);
        C.MoveTo(0, H - 1);
        C.LineTo(0, 0);
        C.LineTo(W - 1, 0);
        C.Pen()->SetColor(BottomRight);
        C.LineTo(W - 1, H - 1);
        C.LineTo(0, H - 1);
        return;
    }
    if (!Picture) return;
    Integer NW = W, NH = H;
    CalcSize(NW, NH);
    TsfBitmap Left, Top, Right, Bottom;
    CreateSkinBorderImages(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect,
                           &Left, &Top, &Right, &Bottom, Picture, SkinRect, W, H, LeftStretch, TopStretch,
                           RightStretch, BottomStretch);
    Top.Draw(DC, 0, 0);
    Left.Draw(DC, 0, Top.Height());
    Right.Draw(DC, W - Right.Width(), Top.Height());
    Bottom.Draw(DC, 0, H - Bottom.Height());
}

void TsfSkinScrollBox::WMNCPaint(TMessage& Message)
{
    (void)Message;
    if (!HasBorder()) return;
    TWindowDC DC(Handle());
    PaintBorder(DC.Handle());
}

void TsfSkinScrollBox::WMNCHitTest(TMessage& Message) { Message.Result = HTCLIENT; }

void TsfSkinScrollBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINTFRAMEINTO:
        GetSkinData();
        if (HasBorder()) {
            PaintBorder(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = PaintFrameIntoAnswer;
        } else {
            Message.Result = 0;
        }
        return;
    case WM_PAINTFRAMEINTO2:
        if (Message.LParam == PaintIntoKey) {
            GetSkinData();
            if (HasBorder()) PaintBorder(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = PaintIntoKey;
            return;
        }
        DefaultHandler(Message);
        return;
    }
    inherited::Dispatch(Message);
}

void TsfSkinScrollBox::CreateControlDefaultImage(TsfBitmap* B)
{
    TCanvas* C = B->Canvas();
    C->Brush()->SetColor(Color());
    C->FillRect({0, 0, B->Width(), B->Height()});
}

void TsfSkinScrollBox::Paint()
{
    GetSkinData();
    if (FIndex == -1) {
        inherited::Paint();
        return;
    }
    const Integer CW = ClientWidth(), CH = ClientHeight();
    if (CW <= 0 || CH <= 0) return;
    TsfBitmap* Source = Picture;
    TRect Piece{SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                SkinRect.Top + ClRect.Bottom};
    Integer AreaW = CW, AreaH = CH;
    if (BGPictureIndex != -1) {
        Source = SkinData()->ActiveBitmap(BGPictureIndex);
        if (Source) Piece = {0, 0, Source->Width(), Source->Height()};
        AreaW = Width(), AreaH = Height();
    }
    if (!Source || IsNullRect(Piece)) return;
    // Composed off screen over the client area, copied once.
    TsfBitmap Buffer;
    Buffer.SetSize(CW, CH);
    const Integer PW = Piece.Width(), PH = Piece.Height();
    if (StretchEffect) {
        switch (StretchType) {
        case sfstFull:
            SkinCopyRect(&Buffer, {0, 0, AreaW, AreaH}, Source, Piece);
            break;
        case sfstHorz:
            for (Integer I = 0; I <= AreaW / PW; ++I)
                SkinCopyRect(&Buffer, {I * PW, 0, (I + 1) * PW, AreaH}, Source, Piece);
            break;
        case sfstVert:
            for (Integer I = 0; I <= AreaH / PH; ++I)
                SkinCopyRect(&Buffer, {0, I * PH, AreaW, (I + 1) * PH}, Source, Piece);
            break;
        }
    } else {
        Source->Tile(&Buffer, {0, 0, CW, CH}, Piece);
    }
    Buffer.Draw(Canvas(), 0, 0);
}

// ---------------------------------------------------------------------------
// Scroll box: focus

bool TsfSkinScrollBox::TakeFocusForClick()
{
    if (!FCanFocused || Designing() || Focused()) return true;
    FClicksDisabled = true;
    auto Done = ScopeExit([&] { FClicksDisabled = false; });
    SetFocus();
    return Focused();
}

void TsfSkinScrollBox::WMLButtonDown(TWMMouse& Message)
{
    if (TakeFocusForClick()) inherited::WMLButtonDown(Message);
}

void TsfSkinScrollBox::WMLButtonDblClk(TWMMouse& Message)
{
    if (TakeFocusForClick()) inherited::WMLButtonDblClk(Message);
}

void TsfSkinScrollBox::CNCommand(TMessage& Message)
{
    if (!FClicksDisabled) inherited::CNCommand(Message);
}
