#include "skin/controls/win/SkinTrackBars.h"

#include "framework/controls/win/Messages.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

bool HasArea(const TRect& R) { return !IsNullRect(R); }

// A copy of B drawn with the colour of its bottom-left pixel left out (the
// platform's automatic key for pictures drawn transparently).
std::unique_ptr<TsfBitmap> KeyedCopy(const TsfBitmap& B)
{
    auto K = std::make_unique<TsfBitmap>();
    if (B.Width() <= 0 || B.Height() <= 0) return K;
    K->SetSize(B.Width(), B.Height());
    SkinCopyRect(K.get(), {0, 0, B.Width(), B.Height()}, &B, {0, 0, B.Width(), B.Height()});
    K->CheckingTransparent(K->GetPixel(0, K->Height() - 1));
    return K;
}

}  // namespace

// ---------------------------------------------------------------------------
// Track bar

TsfSkinTrackBar::TsfSkinTrackBar(TComponent* AOwner)
    : inherited(AOwner),
      OnChange(FCore.OnChange),
      OnLastChange(FCore.OnLastChange),
      OnStartDragButton(FCore.OnStartDragButton)
{
    FCore.Sender = this;
    FCore.OnRepaint = [this] { Invalidate(); };
    SetTabStop(false);
    SetBounds(Left(), Top(), 100, 20);
    SetSkinDataName(u"htrackbar");
}

TsfSkinTrackBar::~TsfSkinTrackBar() = default;

void TsfSkinTrackBar::SetVertical(bool V)
{
    FCore.SetVertical(V);
    if (Designing() && !(ComponentState() & csLoading)) SetSkinDataName(V ? u"trackbar" : u"htrackbar");
}

void TsfSkinTrackBar::SetCanFocused(bool V)
{
    FCore.SetCanFocused(V);
    SetTabStop(V);
}

void TsfSkinTrackBar::GetSkinData()
{
    inherited::GetSkinData();
    FHasSkin = false;
    if (FIndex == -1) return;
    auto* D = dynamic_cast<TsfDataSkinTrackBarControl*>(SkinData()->CtrlList[FIndex].get());
    if (!D) return;
    FSkin.ActiveSkinRect = D->ActiveSkinRect;
    FSkin.ButtonRect = D->ButtonRect;
    FSkin.ActiveButtonRect = HasArea(D->ActiveButtonRect) ? D->ActiveButtonRect : D->ButtonRect;
    FSkin.TrackArea = D->TrackArea;
    FSkin.ButtonTransparent = D->ButtonTransparent;
    FSkin.ButtonTransparentColor = D->ButtonTransparentColor;
    // The skin decides the orientation.
    if (FCore.Vertical() != D->Vertical) FCore.SetVertical(D->Vertical);
    FHasSkin = true;
}

void TsfSkinTrackBar::CalcSize(Integer& AWidth, Integer& AHeight)
{
    inherited::CalcSize(AWidth, AHeight);
    NewTrackArea = FSkin.TrackArea;
    if (ResizeMode > 0) {
        if (FCore.Vertical())
            NewTrackArea.Bottom += AHeight - RectHeight(SkinRect);
        else
            NewTrackArea.Right += AWidth - RectWidth(SkinRect);
    }
}

void TsfSkinTrackBar::LayoutThumb()
{
    FCore.SetSize(Width(), Height());
    if (FIndex != -1 && FHasSkin) {
        Integer W = Width(), H = Height();
        CalcSize(W, H);
        FCore.SetTrackStart(FCore.Vertical() ? NewTrackArea.Top : NewTrackArea.Left);
        FCore.PlaceThumb(NewTrackArea, RectWidth(FSkin.ButtonRect), RectHeight(FSkin.ButtonRect));
    } else {
        const bool V = FCore.Vertical();
        const Integer TH = V ? (Width() - 4) / 2 : Height() - 4;
        const Integer TW = V ? Width() - 4 : (Height() - 4) / 2;
        FCore.SetTrackStart(2);
        FCore.PlaceThumb({2, 2, Width() - 2, Height() - 2}, TW, TH);
    }
}

void TsfSkinTrackBar::CreateControlDefaultImage(TsfBitmap* B)
{
    TCanvas* C = B->Canvas();
    const Integer W = Width(), H = Height();
    C->Brush()->SetColor(clBtnFace);
    C->FillRect({0, 0, W, H});
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect({0, 0, W, H});
    // The groove, sunken.
    const TRect G = FCore.Vertical() ? TRect{W / 2 - 1, 4, W / 2 + 1, H - 4} : TRect{4, H / 2 - 1, W - 4, H / 2 + 1};
    C->Pen()->SetColor(clBtnShadow);
    C->MoveTo(G.Left, G.Bottom - 1);
    C->LineTo(G.Left, G.Top);
    C->LineTo(G.Right, G.Top);
    C->Pen()->SetColor(clBtnHighlight);
    C->MoveTo(G.Right - 1, G.Top + 1);
    C->LineTo(G.Right - 1, G.Bottom - 1);
    C->LineTo(G.Left, G.Bottom - 1);
    LayoutThumb();
    const TRect T = FCore.BR();
    const bool Focus = FCore.CanFocused() && Focused();
    const TColor Frame = FCore.Dragging() || Focus ? TColor(0x800000) : clBtnShadow;
    const TColor Fill = FCore.Dragging() ? TColor(0xB59385) : Focus ? TColor(0xD2BDB6) : clBtnFace;
    C->Brush()->SetColor(Fill);
    C->FillRect(T);
    C->Brush()->SetColor(Frame);
    C->FrameRect(T);
}

void TsfSkinTrackBar::CreateControlSkinImage(TsfBitmap* B)
{
    inherited::CreateControlSkinImage(B);
    if (!FHasSkin || !Picture) return;
    LayoutThumb();
    const TRect T = FCore.BR();
    if (HasArea(FSkin.ActiveSkinRect)) {
        // The track from its start up to the thumb's centre shows the active picture.
        TsfBitmap Active;
        Active.SetSize(Width(), Height());
        CreateSkinControlImage(&Active, Picture, FSkin.ActiveSkinRect);
        if (FCore.Vertical()) {
            const Integer Top = T.Top + T.Height() / 2;
            SkinCopyRect(B, {0, Top, Width(), Height()}, &Active, {0, Top, Width(), Height()});
        } else {
            const Integer Right = T.Left + T.Width() / 2;
            if (Right > 0) SkinCopyRect(B, {0, 0, Right, Height()}, &Active, {0, 0, Right, Height()});
        }
    }
    const bool Active = FCore.Dragging() || (FCore.CanFocused() && Focused());
    const TRect Src = Active ? FSkin.ActiveButtonRect : FSkin.ButtonRect;
    if (!HasArea(Src)) return;
    TsfBitmap Thumb;
    Thumb.SetSize(T.Width(), T.Height());
    SkinCopyRect(&Thumb, {0, 0, T.Width(), T.Height()}, Picture, Src);
    if (AlphaBlend() && !FSkin.ButtonTransparent) BlendPartOver(&Thumb, B, TPoint{T.Left, T.Top}, AlphaBlendValue());
    if (FSkin.ButtonTransparent) Thumb.CheckingTransparent(ColorRefToSpColor(FSkin.ButtonTransparentColor));
    Thumb.Draw(B, T.Left, T.Top);
}

bool TsfSkinTrackBar::TakeFocusForClick()
{
    if (!FCore.CanFocused() || Designing() || Focused()) return true;
    FClicksDisabled = true;
    auto Done = ScopeExit([&] { FClicksDisabled = false; });
    SetFocus();
    return Focused();
}

void TsfSkinTrackBar::WMLButtonDown(TWMMouse& Message)
{
    if (TakeFocusForClick()) inherited::WMLButtonDown(Message);
}

void TsfSkinTrackBar::WMLButtonDblClk(TWMMouse& Message)
{
    if (TakeFocusForClick()) inherited::WMLButtonDblClk(Message);
}

void TsfSkinTrackBar::CNCommand(TMessage& Message)
{
    if (!FClicksDisabled) inherited::CNCommand(Message);
}

void TsfSkinTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    GetSkinData();
    LayoutThumb();
    FCore.MouseDown(X, Y);
}

void TsfSkinTrackBar::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    FCore.MouseMove(X, Y);
    inherited::MouseMove(Shift, X, Y);
}

void TsfSkinTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    LayoutThumb();
    FCore.MouseUp(X, Y);
}

void TsfSkinTrackBar::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    FCore.KeyDown(Key);
}

bool TsfSkinTrackBar::DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos)
{
    const bool Handled = inherited::DoMouseWheel(Shift, WheelDelta, MousePos);
    FCore.MouseWheel(WheelDelta);
    return Handled;
}

void TsfSkinTrackBar::WMEraseBkgnd(TMessage& Message)
{
    if (!FromWMPaint) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TsfSkinTrackBar::CMWantSpecialKey(TMessage& Message)
{
    inherited::CMWantSpecialKey(Message);
    if (FCore.CanFocused() && IsArrowKey(Integer(Message.WParam))) Message.Result = 1;
}

void TsfSkinTrackBar::WMSetFocus(TMessage& Message)
{
    inherited::WMSetFocus(Message);
    FCore.SetFocused(true);
}

void TsfSkinTrackBar::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    FCore.SetFocused(false);
}

// ---------------------------------------------------------------------------
// Slider

namespace {

const char16_t* const ImageResources[4] = {u"SP_HTB", u"SP_HRL", u"SP_VTB", u"SP_VRL"};

}  // namespace

TsfSkinCustomSlider::TsfSkinCustomSlider(TComponent* AOwner)
    : inherited(AOwner), OnChange(FCore.OnChange), OnChanged(FCore.OnChanged)
{
    SetControlStyle(ControlStyle() | csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque);
    SetTabStop(true);
    SetBounds(Left(), Top(), 150, 40);
    SetSkinDataName(u"slider");
    FCore.Sender = this;
    FCore.OnInvalidate = [this](const TRect& R) {
        if (!HandleAllocated() || IsNullRect(R)) {
            Invalidate();
        } else {
            const RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
            InvalidateRect(Handle(), &Rc, FALSE);
        }
    };
    FCore.OnCapture = [this](bool On) { SetMouseCapture(On); };
    FCore.OnTakeFocus = [this] {
        if (CanFocus()) SetFocus();
    };
    FCore.AllowValueChange = [this] { return AllowValueChange(); };
    FCore.OnRangeChanged = [this] { RangeChanged(); };
    for (Integer I = 0; I < 4; ++I) LoadBuiltInImage(TsfSliderImage(I));
    FCreating = false;
    RebuildLayout();
}

TsfSkinCustomSlider::~TsfSkinCustomSlider()
{
    FCore.OnChange = nullptr;
    FCore.OnChanged = nullptr;
    OnDrawPoints = nullptr;
}

void TsfSkinCustomSlider::LoadBuiltInImage(TsfSliderImage Which)
{
    FImages[Which] = std::make_unique<TBitmap>();
    // A program without the pictures gets an empty one (and a slider without a built-in look).
    HINSTANCE Module = GetModuleHandleW(nullptr);
    if (FindResourceW(Module, WStr(ImageResources[Which]), RT_BITMAP))
        FImages[Which]->LoadFromResourceName(Module, ImageResources[Which]);
}

void TsfSkinCustomSlider::SetImage(TsfSliderImage Which, TBitmap* Value)
{
    const bool Thumb = Which == siHThumb || Which == siVThumb;
    if (Value) {
        FImages[Which] = std::make_unique<TBitmap>();
        FImages[Which]->Assign(Value);
        FUserImages |= Byte(1 << Which);
    } else {
        LoadBuiltInImage(Which);
        FUserImages &= Byte(~(1 << Which));
        if (!(ComponentState() & csReading))
            FCore.SetOptions(FCore.Options() & ~(Thumb ? soThumbOpaque : soRulerOpaque));
    }
    if (!FCreating) RebuildLayout();
}

void TsfSkinCustomSlider::SetOrientation(TsfSliderOrientation V)
{
    if (V == Orientation()) return;
    FCore.SetVertical(V == soVertical);
    RebuildLayout();
    if (!(ComponentState() & (csLoading | csUpdating))) SetBounds(Left(), Top(), Height(), Width());
}

void TsfSkinCustomSlider::SetNumThumbStates(Integer V)
{
    if (V == FNumThumbStates || V < 1 || V > 2) return;
    FNumThumbStates = V;
    RebuildLayout();
}

void TsfSkinCustomSlider::SetEdgeSize(Integer V)
{
    TBitmap* R = RulerPicture();
    const Integer Length = R ? (FCore.Vertical() ? R->Height() : R->Width()) : 0;
    if (2 * V >= Length || V == FEdgeSize) return;
    FEdgeSize = V;
    RebuildLayout();
}

void TsfSkinCustomSlider::SetTransparent(bool V)
{
    FTransparent = V;
    Invalidate();
}

void TsfSkinCustomSlider::SetUseSkinThumb(bool V)
{
    if (V == FUseSkinThumb) return;
    FUseSkinThumb = V;
    RebuildLayout();
}

void TsfSkinCustomSlider::SetThumbImageList(TCustomImageList* V)
{
    if (V == FThumbImageList) return;
    if (FThumbImageList) FThumbImageList->RemoveFreeNotification(this);
    FThumbImageList = V;
    if (V) V->FreeNotification(this);
    RebuildLayout();
}

void TsfSkinCustomSlider::SetThumbImageIndex(Integer V)
{
    FThumbImageIndex = V;
    Invalidate();
}

void TsfSkinCustomSlider::SetThumbActiveImageIndex(Integer V)
{
    FThumbActiveImageIndex = V;
    Invalidate();
}

void TsfSkinCustomSlider::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FThumbImageList) FThumbImageList = nullptr;
}

void TsfSkinCustomSlider::GetSkinData()
{
    inherited::GetSkinData();
    FSkinInUse = false;
    FSkinPicture = nullptr;
    if (FIndex == -1) return;
    auto* D = dynamic_cast<TsfDataSkinSlider*>(SkinData()->CtrlList[FIndex].get());
    if (!D) return;
    FSkinInUse = true;
    FSkin.HRulerRect = D->HRulerRect;
    FSkin.HThumbRect = D->HThumbRect;
    FSkin.VRulerRect = D->VRulerRect;
    FSkin.VThumbRect = D->VThumbRect;
    FSkin.EdgeSize = D->EdgeSize;
    FSkin.BGColor = D->BGColor;
    FSkin.PointsColor = D->PointsColor;
    FSkinPicture = SkinData()->ActiveBitmap(D->PictureIndex);
}

void TsfSkinCustomSlider::ChangeSkinData()
{
    inherited::ChangeSkinData();
    RebuildLayout();
}

void TsfSkinCustomSlider::Resize()
{
    inherited::Resize();
    if (!(ComponentState() & csReading)) RebuildLayout();
}

void TsfSkinCustomSlider::RebuildLayout()
{
    GetSkinData();
    TRect R;
    GetSliderBounds(R);
    const bool V = FCore.Vertical();
    const Integer Length = (V ? R.Height() : R.Width()) - 2 * SliderMargin;
    // The ruler: its picture's ends kept, the middle repeated to the length.
    FRuler = std::make_unique<TsfBitmap>();
    Integer Breadth = 0;
    const TRect SkinRuler = V ? FSkin.VRulerRect : FSkin.HRulerRect;
    if (FSkinInUse && FSkinPicture && HasArea(SkinRuler)) {
        Breadth = V ? SkinRuler.Width() : SkinRuler.Height();
        if (Length > 0) {
            if (V)
                CreateVSkinImage(FSkin.EdgeSize, FSkin.EdgeSize, FRuler.get(), FSkinPicture, SkinRuler, Breadth, Length, false);
            else
                CreateHSkinImage(FSkin.EdgeSize, FSkin.EdgeSize, FRuler.get(), FSkinPicture, SkinRuler, Length, Breadth, false);
        }
    } else if (TBitmap* P = RulerPicture(); P && !P->Empty()) {
        Breadth = V ? P->Width() : P->Height();
        if (Length > 0) {
            TsfBitmap Source;
            Source.SetSize(P->Width(), P->Height());
            Source.DrawGraphic(P, {0, 0, P->Width(), P->Height()});
            const TRect All{0, 0, P->Width(), P->Height()};
            if (V)
                CreateVSkinImage(FEdgeSize, FEdgeSize, FRuler.get(), &Source, All, Breadth, Length, false);
            else
                CreateHSkinImage(FEdgeSize, FEdgeSize, FRuler.get(), &Source, All, Length, Breadth, false);
        }
    }
    FRulerKeyed = KeyedCopy(*FRuler);
    // The thumb's size, and its picture (both states) ready to draw.
    Integer TW = 0, TH = 0;
    FThumb = std::make_unique<TsfBitmap>();
    if (SkinThumb()) {
        const TRect T = V ? FSkin.VThumbRect : FSkin.HThumbRect;
        TW = T.Width() / 2;
        TH = T.Height();
        FThumb->SetSize(T.Width(), T.Height());
        SkinCopyRect(FThumb.get(), {0, 0, T.Width(), T.Height()}, FSkinPicture, T);
    } else if (FThumbImageList) {
        TW = FThumbImageList->Width();
        TH = FThumbImageList->Height();
    } else if (TBitmap* P = ThumbPicture(); P && !P->Empty()) {
        TW = P->Width() / FNumThumbStates;
        TH = P->Height();
        FThumb->SetSize(P->Width(), P->Height());
        FThumb->DrawGraphic(P, {0, 0, P->Width(), P->Height()});
    }
    FThumbKeyed = KeyedCopy(*FThumb);
    FCore.RebuildLayout(R, Breadth, TW, TH);
}

// ---------------------------------------------------------------------------
// Slider: painting

void TsfSkinCustomSlider::Paint()
{
    const Integer W = Width(), H = Height();
    if (W <= 0 || H <= 0) return;
    GetSkinData();
    // Everything is composed off screen and copied to the window once.
    TsfBitmap Buffer;
    Buffer.SetSize(W, H);
    TCanvas* C = Buffer.Canvas();
    if (FTransparent) {
        DrawParentBackground(this, C);
    } else {
        C->Brush()->SetColor(FSkinInUse ? FSkin.BGColor : Color());
        C->FillRect({0, 0, W, H});
    }
    if (FRuler && !FRuler->Empty()) {
        const TPoint O = FCore.RulerOrg();
        const bool Opaque = !FSkinInUse && (FCore.Options() & soRulerOpaque);
        (Opaque ? FRuler : FRulerKeyed)->Draw(&Buffer, O.X, O.Y);
    }
    if ((FCore.Options() & soShowFocus) && Focused() && !Designing()) {
        TRect B;
        GetSliderBounds(B);
        C->Font()->SetColor(FSkinInUse ? SkinData()->SkinColors()->cBtnText() : clBtnText);
        DrawSkinFocusRect(C, {B.Left + 2, B.Top + 2, B.Right - 2, B.Bottom - 2});
    }
    if (FCore.Options() & soShowPoints) {
        FPaintCanvas = C;
        auto Done = ScopeExit([&] { FPaintCanvas = nullptr; });
        if (OnDrawPoints)
            OnDrawPoints(this);
        else
            DefaultDrawPoints(FCore.Increment(), 3, 5);
    }
    DrawThumb(C);
    Buffer.Draw(Canvas(), 0, 0);
}

void TsfSkinCustomSlider::DefaultDrawPoints(Integer PointsStep, Integer PointsHeight, Integer ExtremePointsHeight)
{
    TCanvas* C = FPaintCanvas;
    if (!C) return;
    C->Pen()->SetColor(FSkinInUse ? FSkin.PointsColor : clWindowText);
    const TRect P = FCore.PointsRect();
    for (const TsfSliderTick& T : FCore.TickMarks(PointsStep, PointsHeight, ExtremePointsHeight)) {
        if (FCore.Vertical()) {
            C->MoveTo(P.Left, T.Pos);
            C->LineTo(P.Left + T.Length, T.Pos);
        } else {
            C->MoveTo(T.Pos, P.Top);
            C->LineTo(T.Pos, P.Top + T.Length);
        }
    }
}

void TsfSkinCustomSlider::DrawThumb(TCanvas* C)
{
    TRect T = FCore.ThumbRect();
    // A copy being painted places the thumb for the current value.
    if (ControlState() & csPaintCopy) {
        const Integer P = FCore.PositionOfValue(GetCurrentValue());
        if (FCore.Vertical())
            T = {T.Left, P, T.Right, P + T.Height()};
        else
            T = {P, T.Top, P + T.Width(), T.Bottom};
    }
    const bool Second = FCore.ThumbDown() || !Enabled();
    if (SkinThumb()) {
        const Integer Half = FThumb->Width() / 2;
        FThumbKeyed->Draw(C, T.Left, T.Top, TRect{Second ? Half : 0, 0, Second ? 2 * Half : Half, FThumb->Height()});
        return;
    }
    if (FThumbImageList) {
        const Integer Count = FThumbImageList->Count();
        Integer I = FThumbImageIndex;
        if (Second && FThumbActiveImageIndex >= 0 && FThumbActiveImageIndex < Count) I = FThumbActiveImageIndex;
        if (I >= 0 && I < Count) FThumbImageList->Draw(C, T.Left, T.Top, I, true);
        return;
    }
    if (!FThumb || FThumb->Empty()) return;
    const Integer TW = FThumb->Width() / FNumThumbStates;
    const Integer State = Second && FNumThumbStates == 2 ? 1 : 0;
    const bool Opaque = FCore.Options() & soThumbOpaque;
    (Opaque ? FThumb : FThumbKeyed)->Draw(C, T.Left, T.Top, TRect{State * TW, 0, State * TW + TW, FThumb->Height()});
}

// ---------------------------------------------------------------------------
// Slider: input and notifications

void TsfSkinCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && FCore.OnThumb(X, Y)) {
        if (!(Shift & ssDouble)) StartThumbDrag(Button, Shift, X, Y);
    } else {
        FCore.MouseDown(Button == mbLeft, (Shift & ssDouble) != 0, X, Y);
    }
}

void TsfSkinCustomSlider::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseMove(Shift, X, Y);
    if (FCore.Sliding() && (Shift & ssLeft))
        DragThumb(Shift, X, Y);
    else
        FCore.MouseMove(false, X, Y);
}

void TsfSkinCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && FCore.Sliding()) EndThumbDrag(Button, Shift, X, Y);
    FCore.MouseUp(Button == mbLeft, X, Y);
}

void TsfSkinCustomSlider::StartThumbDrag(TMouseButton, TShiftState, Integer X, Integer Y) { FCore.StartThumbDrag(X, Y); }
void TsfSkinCustomSlider::DragThumb(TShiftState, Integer X, Integer Y) { FCore.DragThumb(X, Y); }
void TsfSkinCustomSlider::EndThumbDrag(TMouseButton, TShiftState, Integer, Integer) { FCore.EndThumbDrag(); }

void TsfSkinCustomSlider::KeyDown(Word& Key, TShiftState Shift)
{
    if (FCore.KeyDown(Key, (Shift & (ssShift | ssCtrl | ssAlt)) != 0))
        Key = 0;
    else
        inherited::KeyDown(Key, Shift);
}

void TsfSkinCustomSlider::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

void TsfSkinCustomSlider::CMEnabledChanged(TMessage& Message)
{
    inherited::CMEnabledChanged(Message);
    FCore.OnInvalidate(FCore.ThumbRect());
}

void TsfSkinCustomSlider::WMSetFocus(TMessage& Message)
{
    inherited::WMSetFocus(Message);
    if (FCore.Options() & soShowFocus) Invalidate();
}

void TsfSkinCustomSlider::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    if (FCore.Options() & soShowFocus) Invalidate();
}

void TsfSkinCustomSlider::WMMove(TMessage& Message)
{
    inherited::WMMove(Message);
    if (FTransparent) Invalidate();
}

void TsfSkinCustomSlider::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PARENTBGCHANGED) {
        if (FTransparent) Repaint();
        return;
    }
    inherited::Dispatch(Message);
}
