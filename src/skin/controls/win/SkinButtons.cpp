#include "skin/controls/win/SkinButtons.h"

#include "framework/controls/win/Forms.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

// The built-in look's frames and fills of the pressed and hot states.
constexpr TColor NavyFrame = 0x800000;
constexpr TColor DownFill = 0xB59385;
constexpr TColor HotFill = 0xD2BDB6;

}  // namespace

// ---------------------------------------------------------------------------
// The shared part

template <class TBase>
TsfSkinButtonCommon<TBase>::TsfSkinButtonCommon(TComponent* AOwner, TsfButtonKind Kind)
    : TBase(AOwner), FCore(Kind, this), FGlyph(std::make_unique<TBitmap>())
{
}

template <class TBase>
TsfSkinButtonCommon<TBase>::~TsfSkinButtonCommon()
{
    FCore.StopTimers();
    if (FSkinImagesMenu) {
        FSkinImagesMenu->SetOnInternalChange(nullptr);
        FSkinImagesMenu->SetOnInternalMenuClose(nullptr);
    }
}

template <class TBase>
TsfButtonEnv TsfSkinButtonCommon<TBase>::ButtonEnv() const
{
    TsfButtonEnv E;
    E.Enabled = this->Enabled();
    E.Designing = this->Designing();
    E.HasDescription = this->FIndex != -1;
    const bool Effects = this->FSD && !this->FSD->Empty && this->FSD->EnableSkinEffects;
    E.CanMorphing = Effects && FCore.Look.Morphing;
    E.CanAnimate = Effects;
    E.Focused = FocusedNow();
    return E;
}

template <class TBase>
bool TsfSkinButtonCommon<TBase>::SkinLook() const
{
    return this->FIndex != -1 && this->Picture && this->ResizeMode != -1;
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::GetSkinData()
{
    TBase::GetSkinData();
    if (this->FIndex == -1) {
        NoButtonSkin(FCore.Kind(), FCore.Look);
        return;
    }
    // A description of another class keeps the fonts, pictures and effects the button had.
    if (auto* D = dynamic_cast<const TsfDataSkinButtonControl*>(this->FSD->CtrlList[size_t(this->FIndex)].get()))
        ReadButtonSkin(*D, FCore.Kind(), FCore.Flat(), FCore.Look);
    // A button that does not take its skin's size gets no window region.
    if (!FUseSkinSize) this->MaskPicture = nullptr;
    const TRect Frame = FCore.AnimationFrame(this->SkinRect);
    if (!IsNullRect(Frame)) {
        if (FCore.AnimateInc())
            FCore.Look.ActiveSkinRect = Frame;
        else
            this->SkinRect = Frame;
    }
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::ChangeSkinData()
{
    FCore.StopTimers();
    TBase::ChangeSkinData();
    FCore.SkinChanged();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::CalcSize(Integer& AWidth, Integer& AHeight)
{
    if (FUseSkinSize || this->ResizeMode == 1 || this->FIndex == -1) {
        TBase::CalcSize(AWidth, AHeight);
        return;
    }
    this->NewClRect = GrowClientRect(this->ClRect, AWidth - RectWidth(this->SkinRect),
                                     AHeight - RectHeight(this->SkinRect));
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetUseSkinSize(bool Value)
{
    FUseSkinSize = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetUseSkinFontColor(bool Value)
{
    FUseSkinFontColor = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetGlyph(TBitmap* Value)
{
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph = std::make_unique<TBitmap>();
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetNumGlyphs(Integer Value)
{
    FNumGlyphs = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetImageList(TCustomImageList* Value)
{
    if (FImageList && FImageList != Value) FImageList->RemoveFreeNotification(this);
    FImageList = Value;
    if (Value) Value->FreeNotification(this);
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetImageIndex(Integer Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetMargin(Integer Value)
{
    if (Value < -1 || Value == FMargin) return;
    FMargin = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetSpacing(Integer Value)
{
    if (Value == FSpacing) return;
    FSpacing = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetLayout(TsfButtonLayout Value)
{
    if (Value == FLayout) return;
    FLayout = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetAction(TBasicAction* Value)
{
    if (FAction && FAction != Value) FAction->RemoveFreeNotification(this);
    FAction = Value;
    if (Value) Value->FreeNotification(this);
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetSkinImagesMenu(TsfSkinImagesMenuLink* Value)
{
    if (FSkinImagesMenu == Value) return;
    if (FSkinImagesMenu) {
        FSkinImagesMenu->SetOnInternalChange(nullptr);
        FSkinImagesMenu->MenuComponent()->RemoveFreeNotification(this);
    }
    FSkinImagesMenu = Value;
    if (Value) {
        Value->MenuComponent()->FreeNotification(this);
        Value->SetOnInternalChange([this](TObject*) { this->Invalidate(); });
    }
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetUseImagesMenuImage(bool Value)
{
    FUseImagesMenuImage = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetUseImagesMenuCaption(bool Value)
{
    FUseImagesMenuCaption = Value;
    this->Invalidate();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::Notification(TComponent* AComponent, TOperation Operation)
{
    TBase::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImageList) FImageList = nullptr;
    if (AComponent == FAction) FAction = nullptr;
    if (FSkinImagesMenu && AComponent == FSkinImagesMenu->MenuComponent()) FSkinImagesMenu = nullptr;
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::ButtonClick()
{
    // The action runs when the button has no click handler of its own.
    if (this->OnClick && FAction) {
        this->OnClick(this);
    } else if (FAction && !this->Designing()) {
        FAction->Execute();
    } else if (this->OnClick) {
        this->OnClick(this);
    }
}

template <class TBase>
bool TsfSkinButtonCommon<TBase>::ImagesMenuShows() const
{
    return FSkinImagesMenu && FUseImagesMenuImage && FSkinImagesMenu->ItemIndex() >= 0;
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::SetButtonFont(TCanvas* C)
{
    TFont* F = C->Font();
    if (this->FUseSkinFont && SkinLook()) {
        F->SetName(FCore.Look.FontName);
        F->SetHeight(FCore.Look.FontHeight);
        F->SetStyle(FCore.Look.FontStyle);
    } else {
        F->Assign(this->DefaultFont());
    }
    if (this->FSD && this->FSD->ResourceStrData())
        F->SetCharset(this->FSD->ResourceStrData()->CharSet());
    else
        F->SetCharset(this->DefaultFont()->Charset());
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::DrawFace(TCanvas* C, const TRect& CR, bool ADown, bool AMouseIn)
{
    SetButtonFont(C);
    C->Font()->SetColor(ButtonFontColor(FCore.Look, this->Enabled(), FUseSkinFontColor, ADown, AMouseIn,
                                        this->DefaultFont()->Color()));
    if (FCore.Look.ShowFocus && FocusedNow()) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(this->FSD->SkinColors()->cBtnFace());
        DrawSkinFocusRect(C, CR);
        C->Brush()->SetStyle(bsClear);
    }
    bool DrawDefault = true;
    if (OnPaint) OnPaint(this, C, CR, ADown, AMouseIn, DrawDefault);
    if (DrawDefault) DrawContent(C, CR, ADown, AMouseIn);
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::DrawContent(TCanvas* C, const TRect& R, bool ADown, bool AMouseIn)
{
    const String Caption = ContentCaption();
    const bool Marker = MarkerShown();
    const TColor MarkerColor = MarkerValue();
    if (ImagesMenuShows()) {
        const String Text = FUseImagesMenuCaption ? FSkinImagesMenu->SelectedCaption() : Caption;
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout, Text, FSkinImagesMenu->SelectedImageIndex(),
                         FSkinImagesMenu->Images(), false, this->Enabled(), Marker, MarkerColor);
    } else if (ShowsListImage()) {
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout, Caption, FImageIndex, FImageList, false, this->Enabled(),
                         Marker, MarkerColor);
    } else {
        DrawGlyphAndText(C, R, FMargin, FSpacing, FLayout, Caption, FGlyph.get(), FNumGlyphs,
                         GetGlyphNum(ADown, AMouseIn, this->Enabled(), FNumGlyphs), false, Marker, MarkerColor);
    }
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::CreateButtonImage(TsfBitmap* B, const TRect& R, bool ADown, bool AMouseIn)
{
    if (!FUseSkinSize && this->ResizeMode != 1) {
        CreateStretchButtonImage(B, R, ADown, AMouseIn);
        return;
    }
    this->CreateSkinControlImage(B, this->Picture, R);
    DrawFace(B->Canvas(), this->NewClRect, ADown, AMouseIn);
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::CreateStretchButtonImage(TsfBitmap* B, const TRect& R, bool ADown, bool AMouseIn)
{
    const TRect Whole{0, 0, B->Width(), B->Height()};
    if (this->ResizeMode == 0) {
        SkinCopyRect(B, Whole, this->Picture, R);
    } else if (this->ResizeMode == 2 || this->ResizeMode == 3) {
        CreateStretchImage(B, this->Picture, R, this->ClRect, true);
    }
    const TRect CR = GrowClientRect(this->ClRect, B->Width() - RectWidth(R), B->Height() - RectHeight(R));
    DrawFace(B->Canvas(), CR, ADown, AMouseIn);
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::ComposeFace(TsfBitmap* B)
{
    const TsfButtonSkinLook& L = FCore.Look;
    if (FCore.MorphShown()) {
        TsfBitmap Normal, Hot;
        Normal.SetSize(B->Width(), B->Height());
        Hot.SetSize(B->Width(), B->Height());
        CreateButtonImage(&Normal, this->SkinRect, false, false);
        CreateButtonImage(&Hot, L.ActiveSkinRect, false, true);
        auto From = TsfEffectBmp::CreateFromhWnd(Normal.Handle());
        auto To = TsfEffectBmp::CreateFromhWnd(Hot.Handle());
        if (From && To) {
            From->MorphBy(L.MorphKind, To.get(), FCore.MorphKf());
            From->Draw(B->DC(), 0, 0);
            return;
        }
    }
    const TsfButtonFace F = FCore.StateFace();
    TRect R = this->SkinRect;
    switch (F.Picture) {
    case TsfButtonPicture::Normal: break;
    case TsfButtonPicture::Active: R = L.ActiveSkinRect; break;
    case TsfButtonPicture::Down: R = L.DownSkinRect; break;
    case TsfButtonPicture::Disabled: R = L.DisabledSkinRect; break;
    case TsfButtonPicture::Focused: R = L.FocusedSkinRect; break;
    }
    // A description of another class brings no state pictures: its own picture stands for them.
    if (IsNullRect(R)) R = this->SkinRect;
    CreateButtonImage(B, R, F.ADown, F.AMouseIn);
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::CreateControlSkinImage(TsfBitmap* B)
{
    if (SkinLook())
        ComposeFace(B);
    else
        CreateControlDefaultImage(B);
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::CreateControlDefaultImage(TsfBitmap* B)
{
    TCanvas* C = B->Canvas();
    const TRect R{0, 0, B->Width(), B->Height()};
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(R);
    const bool Down = DownShown();
    const bool Hot = FCore.MouseIn() || FocusedNow();
    C->Pen()->SetColor(Down || Hot ? NavyFrame : clBtnShadow);
    C->Brush()->SetColor(Down ? DownFill : Hot ? HotFill : clBtnFace);
    C->Rectangle(R);
    C->Font()->Assign(this->DefaultFont());
    if (this->FSD && this->FSD->ResourceStrData()) C->Font()->SetCharset(this->FSD->ResourceStrData()->CharSet());
    if (!this->Enabled()) C->Font()->SetColor(clBtnShadow);
    bool DrawDefault = true;
    if (OnPaint) OnPaint(this, C, R, FCore.Down(), FCore.MouseIn(), DrawDefault);
    if (DrawDefault) DrawContent(C, R, Down, Hot);
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TBase::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && this->Enabled()) FCore.MouseDownLeft();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (Button == mbLeft && this->Enabled()) FCore.MouseUpLeft(X, Y, this->Width(), this->Height());
    if (RunsInheritedMouseUp()) TBase::MouseUp(Button, Shift, X, Y);
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TBase::MouseMove(Shift, X, Y);
    const Integer Crossing = FCore.MouseMoveCrossing(X, Y, this->Width(), this->Height());
    if (Crossing < 0) this->Perform(CM_MOUSELEAVE);
    if (Crossing > 0) this->Perform(CM_MOUSEENTER);
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::CMMouseEnter(TMessage& Message)
{
    TBase::CMMouseEnter(Message);
    FCore.MouseEnter();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::CMMouseLeave(TMessage& Message)
{
    TBase::CMMouseLeave(Message);
    FCore.MouseLeave();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::CMEnabledChanged(TMessage& Message)
{
    TBase::CMEnabledChanged(Message);
    FCore.EnabledChanged();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::CMTextChanged(TMessage& Message)
{
    TBase::CMTextChanged(Message);
    if (this->FIndex != -1 || this->Designing() || this->DrawDefault()) this->Invalidate();
}

template <class TBase>
bool TsfSkinButtonCommon<TBase>::CanAnswerAccelerator()
{
    return this->Enabled() && this->Visible() && this->Parent() && this->Parent()->Showing();
}

template <class TBase>
void TsfSkinButtonCommon<TBase>::CMDialogChar(TMessage& Message)
{
    if (IsAccel(Char(Message.WParam), this->Caption()) && CanAnswerAccelerator()) {
        if constexpr (std::is_base_of_v<TWinControl, TBase>) this->SetFocus();
        ButtonClick();
        Message.Result = 1;
        return;
    }
    TBase::CMDialogChar(Message);
}

template class TsfSkinButtonCommon<TsfGraphicSkinCustomControl>;
template class TsfSkinButtonCommon<TsfSkinCustomControl>;

// ---------------------------------------------------------------------------
// TsfSkinSpeedButton

TsfSkinSpeedButton::TsfSkinSpeedButton(TComponent* AOwner) : inherited(AOwner, TsfButtonKind::Speed)
{
    SetSkinDataName(u"toolbutton");
    // The clicks are the button's own (ButtonClick), never the platform's on every release.
    SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks | csSetCaption);
    SetBounds(Left(), Top(), 25, 25);
}

TsfSkinSpeedButton::~TsfSkinSpeedButton() = default;

void TsfSkinSpeedButton::Loaded()
{
    inherited::Loaded();
    if (Flat() && TransparentStyle() && Down()) SetTransparentStyle(false);
}

bool TsfSkinSpeedButton::TransparentStyle() const { return (ControlStyle() & csOpaque) == 0; }

void TsfSkinSpeedButton::SetTransparentStyle(bool Value)
{
    if (Value)
        SetControlStyle(ControlStyle() & ~csOpaque);
    else
        SetControlStyle(ControlStyle() | csOpaque);
}

void TsfSkinSpeedButton::SetFlat(bool Value)
{
    FCore.SetFlat(Value);
    SetTransparentStyle(Value);
    Invalidate();
}

void TsfSkinSpeedButton::SetShowCaption(bool Value)
{
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    if (FWidthWithCaption > 0 && FWidthWithoutCaption > 0)
        SetWidth(Value ? FWidthWithCaption : FWidthWithoutCaption);
    else
        Invalidate();
}

void TsfSkinSpeedButton::SetDrawColorMarker(bool Value)
{
    if (FDrawColorMarker == Value) return;
    FDrawColorMarker = Value;
    Invalidate();
}

void TsfSkinSpeedButton::SetArrowMode(Integer Value)
{
    if (FArrowMode == Value) return;
    FArrowMode = Value;
    Invalidate();
}

void TsfSkinSpeedButton::SetArrowColor(TColor Value)
{
    if (FArrowColor == Value) return;
    FArrowColor = Value;
    Invalidate();
}

void TsfSkinSpeedButton::SetImageIndex(Integer Value)
{
    FImageIndex = Value;
    if (FImageList) Invalidate();
}

void TsfSkinSpeedButton::ReleaseGroup()
{
    if (!Parent()) return;
    for (Integer i = 0; i < Parent()->ControlCount(); ++i) {
        auto* B = dynamic_cast<TsfSkinSpeedButton*>(Parent()->Controls(i));
        if (B && B != this && B->GroupIndex() == GroupIndex() && B->Down()) B->SetDown(false);
    }
}

void TsfSkinSpeedButton::Paint()
{
    GetSkinData();
    const bool Skinned = SkinLook();
    // A flat button paints no background while it is neither hot nor held down.
    const bool Shown = !Flat() || FCore.MouseIn() || (Skinned ? Down() && GroupIndex() != 0 : DownShown());
    if (Shown)
        inherited::Paint();
    else
        PaintFlatIdle();
    if (FArrowMode > 0) PaintArrow();
}

void TsfSkinSpeedButton::PaintFlatIdle()
{
    TCanvas* C = Canvas();
    const bool Skinned = SkinLook();
    const TRect R = Skinned ? NewClRect : TRect{0, 0, Width(), Height()};
    if (Skinned) {
        SetButtonFont(C);
        TsfSkinColors* Colors = FSD->SkinColors();
        if (!Enabled())
            C->Font()->SetColor(Colors->cBtnShadow());
        else if (FUseSkinFontColor)
            C->Font()->SetColor(Colors->cBtnText());
    } else {
        C->Font()->Assign(DefaultFont());
        if (FSD && FSD->ResourceStrData()) C->Font()->SetCharset(FSD->ResourceStrData()->CharSet());
        if (!Enabled()) C->Font()->SetColor(clBtnShadow);
    }
    bool DrawDefault = true;
    if (OnPaint) OnPaint(this, C, R, Down(), FCore.MouseIn(), DrawDefault);
    if (!DrawDefault) return;
    if (!Enabled() && FImageList) SetTransparentStyle(true);
    DrawContent(C, R, Down(), FCore.MouseIn());
}

void TsfSkinSpeedButton::PaintArrow()
{
    TCanvas* C = Canvas();
    SetButtonFont(C);
    const Integer TextWidth = FShowCaption && !Caption().empty() ? GetWideTextWidth(C, Caption()) : 0;
    const TsfArrowTriangle T = ArrowTriangle(FArrowMode, Width(), Height(), TextWidth);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(FArrowColor);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FArrowColor);
    C->Polygon(T.P, 3);
}

// ---------------------------------------------------------------------------
// TsfSkinButton

TsfSkinButton::TsfSkinButton(TComponent* AOwner) : inherited(AOwner, TsfButtonKind::Push)
{
    SetSkinDataName(u"button");
    SetControlStyle(ControlStyle() & ~csClickEvents);
    SetBounds(Left(), Top(), 75, 25);
    FImageIndex = -1;
    FLayerManager = new TsfLayerManager(this);
    SetTabStop(true);
}

TsfSkinButton::~TsfSkinButton() = default;

bool TsfSkinButton::FocusedNow() const { return CanFocused() && Focused(); }

void TsfSkinButton::SetDefault(bool Value)
{
    FCore.SetDefaultFlag(Value);
    if (!HandleAllocated() || !CanFocused() || Designing()) return;
    if (TCustomForm* Form = GetParentForm(this))
        Form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Form->ActiveControl()));
}

void TsfSkinButton::SetCanFocused(bool Value)
{
    FCore.SetCanFocused(Value);
    SetTabStop(Value);
}

void TsfSkinButton::SetGroupIndex(Integer Value)
{
    inherited::SetGroupIndex(Value);
    if (Value != 0) SetCanFocused(false);
}

void TsfSkinButton::CreateWnd()
{
    inherited::CreateWnd();
    FCore.SetActive(Default());
}

void TsfSkinButton::ButtonClick()
{
    if (CanFocused())
        if (TCustomForm* Form = GetParentForm(this)) Form->SetModalResult(FModalResult);
    inherited::ButtonClick();
}

void TsfSkinButton::Click()
{
    // The platform's own click runs only for a button without an action.
    if (!FAction) inherited::Click();
}

void TsfSkinButton::ReleaseGroup()
{
    if (!Parent()) return;
    for (Integer i = 0; i < Parent()->ControlCount(); ++i) {
        auto* B = dynamic_cast<TsfSkinButton*>(Parent()->Controls(i));
        if (B && B != this && B->GroupIndex() == GroupIndex() && B->Down()) B->SetDown(false);
    }
}

void TsfSkinButton::WMEraseBkgnd(TMessage& Message)
{
    // An erase outside a paint (a parent drawing this button into its own
    // context) gets the whole button.
    if (!FromWMPaint && Message.WParam && Width() > 0 && Height() > 0) {
        GetSkinData();
        TsfBitmap B;
        B.SetSize(Width(), Height());
        DrawLook(&B);
        B.Draw(reinterpret_cast<HDC>(Message.WParam), 0, 0);
    }
    Message.Result = 1;
}

bool TsfSkinButton::RunsInheritedMouseUp() { return HandleAllocated() && Visible(); }

bool TsfSkinButton::CanAnswerAccelerator() { return CanFocus() && CanFocused(); }

void TsfSkinButton::WndProc(TMessage& Message)
{
    if (CanFocused() && !Designing()) {
        switch (Message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!Focused() && CanFocus()) {
                FClicksDisabled = true;
                {
                    auto Restore = ScopeExit([&] { FClicksDisabled = false; });
                    SetFocus();
                }
                if (!Focused()) return;  // the press stays unanswered
            }
            break;
        case WM_KEYDOWN:
            if (Message.WParam == VK_SPACE) FCore.SpaceDown();
            if (Message.WParam == VK_RETURN) ButtonClick();
            break;
        case WM_KEYUP:
            if (Message.WParam == VK_SPACE) FCore.SpaceUp();
            break;
        default: break;
        }
    }
    if ((Message.Msg == WM_COMMAND || Message.Msg == CN_COMMAND) && FClicksDisabled) return;
    inherited::WndProc(Message);
}

void TsfSkinButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == UINT(WM_SHOWBUTTONGLOW)) {
        ShowLayer();
        return;
    }
    if (Message.Msg == UINT(WM_HIDEBUTTONGLOW)) {
        HideLayer();
        return;
    }
    inherited::Dispatch(Message);
}

void TsfSkinButton::CMDialogKey(TMessage& Message)
{
    const bool Plain = (KeyDataToShiftState(Integer(Message.LParam)) & (ssShift | ssAlt | ssCtrl)) == 0;
    const bool Enter = Message.WParam == VK_RETURN;
    if ((Enter || Message.WParam == VK_ESCAPE) && FCore.DialogKey(Enter, Plain, CanFocus())) {
        Message.Result = 1;
        return;
    }
    inherited::CMDialogKey(Message);
}

void TsfSkinButton::CMFocusChanged(TMessage& Message)
{
    auto* S = reinterpret_cast<TControl*>(Message.LParam);
    FCore.FocusChanged(S == this, dynamic_cast<TsfSkinButton*>(S) != nullptr);
    inherited::CMFocusChanged(Message);
}

void TsfSkinButton::CMMouseEnter(TMessage& Message)
{
    inherited::CMMouseEnter(Message);
    if (!Designing() && HandleAllocated()) PostMessageW(Handle(), WM_SHOWBUTTONGLOW, 0, 0);
}

void TsfSkinButton::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    if (!Designing() && HandleAllocated()) PostMessageW(Handle(), WM_HIDEBUTTONGLOW, 0, 0);
}

void TsfSkinButton::WMSetFocus(TMessage& Message)
{
    inherited::WMSetFocus(Message);
    FCore.FocusEnter();
}

void TsfSkinButton::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    FCore.FocusLeave();
}

void TsfSkinButton::BeforeChangeSkinData()
{
    if (FLayerManager->IsVisible()) FLayerManager->Hide();
    inherited::BeforeChangeSkinData();
}

void TsfSkinButton::ChangeSkinData()
{
    inherited::ChangeSkinData();
    if (FCore.MouseIn() && HandleAllocated()) PostMessageW(Handle(), WM_SHOWBUTTONGLOW, 0, 0);
}

bool TsfSkinButton::GlowAllowed() const
{
    return FSD && !FSD->Empty && FIndex != -1 && IsWindows2000OrLater() &&
           (FSD->ShowButtonGlowFrames || FAlwaysShowGlowFrame) && FCore.Look.GlowLayerPictureIndex != -1;
}

bool TsfSkinButton::MakeGlowImages(TBitmap* Image, TBitmap* Mask)
{
    const TsfGlowPlan Plan =
        PlanButtonGlow(FCore.Look, ResizeMode, FUseSkinSize, Width(), Height(), SkinRect, FSD->FActivePictures);
    TsfBitmap* Picture = Plan.Resize == TsfGlowResize::None ? nullptr : FSD->ActiveBitmap(Plan.PictureIndex);
    if (!Picture) return false;
    auto Build = [&](const TsfBitmap* Src, TBitmap* Out) {
        const TRect Whole{0, 0, Src->Width(), Src->Height()};
        TsfBitmap R;
        switch (Plan.Resize) {
        case TsfGlowResize::AsIs:
            R.SetSize(Src->Width(), Src->Height());
            SkinCopyRect(&R, Whole, Src, Whole);
            break;
        case TsfGlowResize::Horizontal:
            if (Src->Width() + Plan.DW < 1) return false;
            CreateHSkinImage(Plan.LeftEnd, Plan.RightEnd, &R, Src, Whole, Src->Width() + Plan.DW, Src->Height(),
                             true);
            break;
        case TsfGlowResize::Stretch:
            if (Src->Width() + Plan.DW < 1 || Src->Height() + Plan.DH < 1) return false;
            R.SetSize(Src->Width() + Plan.DW, Src->Height() + Plan.DH);
            CreateStretchImage(&R, Src, Whole, Plan.Inner, true);
            break;
        case TsfGlowResize::None: return false;
        }
        Out->SetPixelFormat(pf32bit);
        Out->SetSize(R.Width(), R.Height());
        R.Draw(Out->Canvas(), 0, 0);
        return true;
    };
    if (!Build(Picture, Image)) return false;
    if (TsfBitmap* M = Plan.MaskIndex >= 0 ? FSD->ActiveBitmap(Plan.MaskIndex) : nullptr) Build(M, Mask);
    return true;
}

void TsfSkinButton::ShowLayer()
{
    GetSkinData();
    if (!GlowAllowed()) return;
    if (auto* Form = dynamic_cast<TForm*>(GetParentForm(this)))
        FLayerManager->SetTopMostMode(Form->FormStyle() == fsStayOnTop);
    TBitmap Image, Mask;
    if (!MakeGlowImages(&Image, &Mask)) return;
    const TPoint P = ClientToScreen({0, 0});
    FLayerManager->Show(P.X - FCore.Look.GlowLayerShowOffsetX, P.Y - FCore.Look.GlowLayerShowOffsetY, &Image,
                        Mask.Empty() ? nullptr : &Mask, FCore.Look.GlowLayerAlphaBlendValue);
}

void TsfSkinButton::HideLayer()
{
    if (!GlowAllowed()) return;
    FLayerManager->Hide();
}

// ---------------------------------------------------------------------------
// The menu buttons

template <class TBase>
TsfSkinMenuButtonCommon<TBase>::TsfSkinMenuButtonCommon(TComponent* AOwner) : TBase(AOwner)
{
    this->SetSkinDataName(u"toolmenubutton");
}

template <class TBase>
TsfSkinMenuButtonCommon<TBase>::~TsfSkinMenuButtonCommon()
{
    if (this->FSkinImagesMenu) this->FSkinImagesMenu->SetOnInternalMenuClose(nullptr);
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::SetSkinPopupMenu(TsfSkinPopupMenuLink* Value)
{
    if (FSkinPopupMenu == Value) return;
    if (FSkinPopupMenu) FSkinPopupMenu->Menu()->RemoveFreeNotification(this);
    FSkinPopupMenu = Value;
    if (Value) Value->Menu()->FreeNotification(this);
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::SetTrackButtonMode(bool Value)
{
    FTrackButtonMode = Value;
    if (this->FIndex == -1) this->Invalidate();
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::Notification(TComponent* AComponent, TOperation Operation)
{
    TBase::Notification(AComponent, Operation);
    if (Operation == opRemove && FSkinPopupMenu && AComponent == FSkinPopupMenu->Menu()) FSkinPopupMenu = nullptr;
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::GetSkinData()
{
    TBase::GetSkinData();
    if (this->FIndex == -1) return;
    if (auto* D = dynamic_cast<const TsfDataSkinMenuButtonControl*>(this->FSD->CtrlList[size_t(this->FIndex)].get()))
        TrackButtonRect = D->TrackButtonRect;
}

template <class TBase>
bool TsfSkinMenuButtonCommon<TBase>::ResizeLook() const
{
    const String& N = this->SkinDataName();
    return N == u"resizebutton" || N == u"resizetoolbutton" || N == u"toolbutton" || N == u"bigtoolbutton";
}

template <class TBase>
TRect TsfSkinMenuButtonCommon<TBase>::TrackPartRect() const
{
    if (this->FIndex != -1 && !ResizeLook())
        return TrackRectAtSize(TrackButtonRect, this->SkinRect, this->ResizeMode, this->Width(), this->Height());
    return DefaultTrackRect(this->Width(), this->Height(), false);
}

template <class TBase>
bool TsfSkinMenuButtonCommon<TBase>::InTrackArea(Integer X, Integer Y) const
{
    return ::InTrackArea(FSkinPopupMenu || this->FSkinImagesMenu, FTrackButtonMode, TrackPartRect(), X, Y);
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::TrackMenu()
{
    if (OnShowTrackMenu) OnShowTrackMenu(this);
    const TPoint P = this->ClientToScreen({0, 0});
    const TRect R{P.X, P.Y, P.X + this->Width(), P.Y + this->Height()};
    if (FSkinPopupMenu) FSkinPopupMenu->PopupFromRect2(this, R, false);
    if (this->FSkinImagesMenu) {
        if (OnShowTrackMenu) OnShowTrackMenu(this);
        this->FSkinImagesMenu->SetOnInternalMenuClose([this](TObject*) { MenuClosed(true); });
        this->FSkinImagesMenu->PopupFromRect(R);
    }
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (Button == mbLeft && this->Enabled()) {
        FMenuTracked = InTrackArea(X, Y);
        this->FCore.SetMouseIn(true);
        if (FMenuTracked) {
            if (!this->Down()) {
                this->FCore.SetDownFlag(true);
                this->Invalidate();
            }
            TrackMenu();
            return;
        }
    }
    TBase::MouseDown(Button, Shift, X, Y);
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (!FMenuTracked) TBase::MouseUp(Button, Shift, X, Y);
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::CMMouseEnter(TMessage& Message)
{
    if (this->Designing()) return;
    if (FMenuTracked)
        this->FCore.SetMouseIn(true);
    else
        TBase::CMMouseEnter(Message);
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::CMMouseLeave(TMessage& Message)
{
    if (this->Designing()) return;
    if (FMenuTracked)
        this->FCore.SetMouseIn(false);
    else
        TBase::CMMouseLeave(Message);
}

template <class TBase>
bool TsfSkinMenuButtonCommon<TBase>::CursorOver()
{
    if constexpr (std::is_base_of_v<TWinControl, TBase>) {
        if (!this->HandleAllocated()) return false;
        POINT P;
        GetCursorPos(&P);
        return WindowFromPoint(P) == this->Handle();
    }
    return false;
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::MenuClosed(bool FromImagesMenu)
{
    FMenuTracked = false;
    this->FCore.SetDownFlag(false);
    if (FromImagesMenu && OnHideTrackMenu) OnHideTrackMenu(this);
    this->FCore.SetMouseIn(CursorOver());
    if (!FromImagesMenu && OnHideTrackMenu) OnHideTrackMenu(this);
    if constexpr (std::is_same_v<TBase, TsfSkinButton>)
        if (!this->FCore.MouseIn() && this->LayerManager()->IsVisible()) this->LayerManager()->Hide();
    this->Invalidate();
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::Dispatch(TMessage& Message)
{
    if (Message.Msg == UINT(WM_SKINMENUCLOSE)) {
        MenuClosed(false);
        return;
    }
    TBase::Dispatch(Message);
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::DrawMarker(TCanvas* C, const TRect& R, bool AFlat, bool ADown, bool AHot,
                                                TColor TextColor)
{
    const TsfButtonSkinLook& L = this->FCore.Look;
    TRect M = ADown ? L.MenuMarkerDownRect : AHot ? L.MenuMarkerActiveRect : AFlat ? L.MenuMarkerFlatRect : L.MenuMarkerRect;
    if (IsNullRect(M)) M = L.MenuMarkerRect;
    if (!this->SkinLook() || IsNullRect(M) || !this->Picture) {
        DrawDropArrowImage(C, R, FMenuTracked && this->SkinLook() ? L.DownFontColor : TextColor);
        return;
    }
    TsfBitmap P;
    P.SetSize(RectWidth(M), RectHeight(M));
    SkinCopyRect(&P, TRect{0, 0, P.Width(), P.Height()}, this->Picture, M);
    P.CheckingTransparent(SkinColorOf(L.MenuMarkerTransparentColor));
    const Integer X = R.Left + RectWidth(R) / 2 - P.Width() / 2, Y = R.Top + RectHeight(R) / 2 - P.Height() / 2;
    P.Draw(C, X, Y);
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::CreateButtonImage(TsfBitmap* B, const TRect& R, bool ADown, bool AMouseIn)
{
    const bool Pressed = this->Down();
    if (ResizeLook() && FTrackButtonMode && this->SkinLook()) {
        DrawTrackModeParts(B, Pressed, this->FCore.MouseIn());
        const Integer W = B->Width(), H = B->Height();
        TRect CR = this->NewClRect;
        CR.Right -= sfTrackPartSize;
        this->DrawFace(B->Canvas(), CR, Pressed, this->FCore.MouseIn());
        DrawMarker(B->Canvas(), DefaultTrackRect(W, H, false), false, Pressed ? (AMouseIn || FMenuTracked) : FMenuTracked,
                   AMouseIn, B->Canvas()->Font()->Color());
        return;
    }
    TRect Pic = R;
    // In track mode the open menu shows the body hot and the track part down.
    if (FMenuTracked && FTrackButtonMode && !IsNullRect(this->FCore.Look.DownSkinRect)) Pic = this->FCore.Look.ActiveSkinRect;
    TBase::CreateButtonImage(B, Pic, ADown && !(FMenuTracked && FTrackButtonMode), AMouseIn);
    if (FMenuTracked && FTrackButtonMode && !IsNullRect(this->FCore.Look.DownSkinRect) && this->Picture) {
        const TRect T = TrackPartRect();
        TRect S = ResizeLook() ? TRect{RectWidth(R) - sfTrackPartSize, 0, RectWidth(R), RectHeight(R)} : TrackButtonRect;
        const TRect D = this->FCore.Look.DownSkinRect;
        S = {S.Left + D.Left, S.Top + D.Top, S.Right + D.Left, S.Bottom + D.Top};
        SkinCopyRect(B, T, this->Picture, S);
    }
    if (!ResizeLook() && this->FIndex != -1) return;  // the description's picture holds its marker
    TRect M = DefaultTrackRect(B->Width(), B->Height(), false);
    if ((Pressed || FMenuTracked) && !ResizeLook()) M = {M.Left + 2, M.Top + 2, M.Right + 2, M.Bottom + 2};
    DrawMarker(B->Canvas(), M, false, Pressed ? (AMouseIn || FMenuTracked) : FMenuTracked, AMouseIn,
               B->Canvas()->Font()->Color());
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::DrawTrackModeParts(TsfBitmap* B, bool Pressed, bool MouseIn)
{
    const TsfButtonSkinLook& L = this->FCore.Look;
    const TRect Normal = this->SkinRect;
    const TRect Hot = IsNullRect(L.ActiveSkinRect) ? Normal : L.ActiveSkinRect;
    const TRect Down = IsNullRect(L.DownSkinRect) ? Hot : L.DownSkinRect;
    // The open menu shows the body hot and the track part down.
    const TRect MainPic = FMenuTracked ? Hot : Pressed ? Down : MouseIn ? Hot : Normal;
    const TRect TrackPic = FMenuTracked || Pressed ? Down : MouseIn ? Hot : Normal;
    const Integer W = B->Width(), H = B->Height();
    const auto* D = dynamic_cast<const TsfDataSkinButtonControl*>(this->FSD->CtrlList[size_t(this->FIndex)].get());
    const String& N = this->SkinDataName();
    const bool Stretch = N == u"toolbutton" || N == u"bigtoolbutton";
    // Each part is resized on its own, so the track part keeps its corners.
    for (const auto& [R, Src] : {std::pair{TRect{0, 0, W - sfTrackPartSize, H}, MainPic},
                                 std::pair{TRect{W - sfTrackPartSize, 0, W, H}, TrackPic}}) {
        if (R.Width() <= 0 || H <= 0) continue;
        TsfBitmap Part;
        Part.SetSize(R.Width(), H);
        if (Stretch || !D)
            CreateStretchImage(&Part, this->Picture, Src, this->ClRect, true);
        else
            DrawResizedButtonFace(&Part, D, this->Picture, Src);
        Part.Draw(B, R.Left, R.Top);
    }
}

template <class TBase>
void TsfSkinMenuButtonCommon<TBase>::CreateControlDefaultImage(TsfBitmap* B)
{
    TCanvas* C = B->Canvas();
    const Integer W = B->Width(), H = B->Height();
    const bool Pressed = this->Down();
    const bool Hot = this->FCore.MouseIn() || this->FocusedNow();
    auto Part = [&](const TRect& R, bool PDown, bool PHot) {
        C->Brush()->SetStyle(bsSolid);
        C->Pen()->SetColor(PDown || PHot ? NavyFrame : clBtnShadow);
        C->Brush()->SetColor(PDown ? DownFill : PHot ? HotFill : clBtnFace);
        C->Rectangle(R);
    };
    if (FTrackButtonMode) {
        const TRect Main{0, 0, W - sfTrackPartSize, H}, Track{W - sfTrackPartSize, 0, W, H};
        if (FMenuTracked) {
            Part(Main, false, true);
            Part(Track, true, false);
        } else {
            Part(Main, Pressed, Hot);
            Part(Track, Pressed, Hot);
        }
    } else {
        Part(TRect{0, 0, W, H}, Pressed, Hot);
    }
    C->Font()->Assign(this->DefaultFont());
    if (this->FSD && this->FSD->ResourceStrData()) C->Font()->SetCharset(this->FSD->ResourceStrData()->CharSet());
    if (!this->Enabled()) C->Font()->SetColor(clBtnShadow);
    C->Brush()->SetStyle(bsClear);
    this->DrawContent(C, TRect{0, 0, W - sfTrackPartSize, H}, Pressed, Hot);
    DrawDropArrowImage(C, TRect{W - sfTrackPartSize, 0, W, H}, clBtnText);
}

template class TsfSkinMenuButtonCommon<TsfSkinSpeedButton>;
template class TsfSkinMenuButtonCommon<TsfSkinButton>;

// ---------------------------------------------------------------------------

TsfSkinMenuButton::TsfSkinMenuButton(TComponent* AOwner) : inherited(AOwner)
{
    // Space is this button's own (it opens the menu).
    FCore.SetSpaceSupport(false);
}

void TsfSkinMenuButton::WndProc(TMessage& Message)
{
    if (CanFocused() && FSkinPopupMenu && !Designing()) {
        if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_SPACE && !FTrackButtonMode) {
            FMenuTracked = true;
            FCore.SetDownFlag(true);
            Invalidate();
            TrackMenu();
            return;
        }
        if (Message.Msg == WM_KEYUP && Message.WParam == VK_SPACE && !FMenuTracked) {
            FCore.SetDownFlag(false);
            Invalidate();
            if (OnClick) OnClick(this);
            return;
        }
        if (Message.Msg == WM_KEYUP && Message.WParam == VK_RETURN && !FMenuTracked && OnClick) OnClick(this);
    }
    inherited::WndProc(Message);
}

void TsfSkinMenuButton::CMDialogChar(TMessage& Message)
{
    if (!FTrackButtonMode && FSkinPopupMenu && IsAccel(Char(Message.WParam), Caption()) && CanFocus() &&
        CanFocused()) {
        SetFocus();
        FMenuTracked = true;
        FCore.SetDownFlag(true);
        Invalidate();
        TrackMenu();
        Message.Result = 1;
        return;
    }
    inherited::CMDialogChar(Message);
}

// ---------------------------------------------------------------------------

TsfSkinMenuSpeedButton::TsfSkinMenuSpeedButton(TComponent* AOwner) : inherited(AOwner) {}

void TsfSkinMenuSpeedButton::SetNewStyle(bool Value)
{
    FNewStyle = Value;
    if (Value) SetSkinDataName(u"resizetoolbutton");
    Invalidate();
}

void TsfSkinMenuSpeedButton::SetTrackPosition(TsfTrackPosition Value)
{
    FTrackPosition = Value;
    Invalidate();
}

void TsfSkinMenuSpeedButton::SetDrawStandardArrow(bool Value, Integer ArrowType)
{
    FDrawStandardArrow = Value;
    FArrowType = ArrowType;
    Invalidate();
}

TRect TsfSkinMenuSpeedButton::TrackPartRect() const
{
    if (FIndex != -1 && !ResizeLook()) return inherited::TrackPartRect();
    return DefaultTrackRect(Width(), Height(), FNewStyle && FTrackPosition == sftpBottom);
}

void TsfSkinMenuSpeedButton::TrackMenu()
{
    // An opened menu shows the parent through a flat button.
    if (Flat() && !TransparentStyle()) SetTransparentStyle(true);
    inherited::TrackMenu();
}

void TsfSkinMenuSpeedButton::CreateButtonImage(TsfBitmap* B, const TRect& R, bool ADown, bool AMouseIn)
{
    if (FNewStyle && SkinDataName() == u"resizetoolbutton" && FSD) {
        CreateNewStyleButtonImage(B, ADown, AMouseIn);
        return;
    }
    inherited::CreateButtonImage(B, R, ADown, AMouseIn);
}

const TsfDataSkinButtonControl* TsfSkinMenuSpeedButton::SkinDescription(const char16_t* Name) const
{
    const Integer I = FSD->GetControlIndex(Name);
    return I == -1 ? nullptr : dynamic_cast<const TsfDataSkinButtonControl*>(FSD->CtrlList[size_t(I)].get());
}

void TsfSkinMenuSpeedButton::DrawSkinDescription(const TsfDataSkinButtonControl* D, TsfBitmap* B, bool ADown,
                                                 bool AMouseIn, const TRect& R)
{
    TsfBitmap* P = FSD->ActiveBitmap(D->PictureIndex);
    if (!P || R.Width() <= 0 || R.Height() <= 0) return;
    const TRect Hot = IsNullRect(D->ActiveSkinRect) ? D->SkinRect : D->ActiveSkinRect;
    const TRect Down = IsNullRect(D->DownSkinRect) ? Hot : D->DownSkinRect;
    TsfBitmap Face;
    Face.SetSize(R.Width(), R.Height());
    DrawResizedButtonFace(&Face, D, P, ADown && AMouseIn ? Down : AMouseIn ? Hot : D->SkinRect);
    Face.Draw(B, R.Left, R.Top);
}

void TsfSkinMenuSpeedButton::CreateNewStyleButtonImage(TsfBitmap* B, bool ADown, bool AMouseIn)
{
    const Integer W = B->Width(), H = B->Height();
    const TRect Whole{0, 0, W, H};
    const bool Bottom = FTrackPosition == sftpBottom;
    const TRect Track = DefaultTrackRect(W, H, Bottom);
    const bool HotTrack = FTrackButtonMode && (AMouseIn || FMenuTracked);
    const TsfDataSkinButtonControl* BodyD = SkinDescription(u"resizetoolbutton");
    if (!BodyD) BodyD = SkinDescription(u"resizebutton");
    if (!BodyD) return;
    TRect Body = Whole;
    const TsfDataSkinButtonControl* TrackD = BodyD;
    if (HotTrack) {
        // The body gives up the strip, unless the strip has a description of its own to lie over it.
        if (const auto* T = SkinDescription(Bottom ? u"htracktoolbutton" : u"vtracktoolbutton"))
            TrackD = T;
        else
            Body = Bottom ? TRect{0, 0, W, H - sfTrackPartSize} : TRect{0, 0, W - sfTrackPartSize, H};
    }
    const bool Pressed = ADown && AMouseIn && !(FMenuTracked && FTrackButtonMode);
    DrawSkinDescription(BodyD, B, Pressed, AMouseIn, Body);
    const TRect Content = Bottom ? TRect{0, 0, W, H - sfTrackPartSize} : TRect{0, 0, W - sfTrackPartSize, H};
    DrawFace(B->Canvas(), Content, Pressed, AMouseIn);
    const TColor Text = B->Canvas()->Font()->Color();
    if (HotTrack) DrawSkinDescription(TrackD, B, FMenuTracked, AMouseIn, Track);
    if (IsNullRect(FCore.Look.MenuMarkerRect))
        DrawDropArrowImage(B->Canvas(), Track, FMenuTracked ? FCore.Look.DownFontColor : Text);
    else
        DrawMarker(B->Canvas(), Track, false, false, AMouseIn, Text);
}

void TsfSkinMenuSpeedButton::Paint()
{
    GetSkinData();
    if ((FCore.MouseIn() && Down()) || FMenuTracked || !Flat()) {
        inherited::Paint();
        return;
    }
    // Flat, idle or only hot: the content straight on the canvas, then the marker.
    TCanvas* C = Canvas();
    const bool Skinned = SkinLook();
    const bool Bottom = FNewStyle && FTrackPosition == sftpBottom;
    const TRect T = DefaultTrackRect(Width(), Height(), Bottom);
    const TRect CR = Skinned && !ResizeLook() ? NewClRect
                     : Bottom ? TRect{0, 0, Width(), Height() - sfTrackPartSize}
                              : TRect{0, 0, Width() - sfTrackPartSize, Height()};
    if (Skinned) {
        SetButtonFont(C);
        if (!Enabled())
            C->Font()->SetColor(FSD->SkinColors()->cBtnShadow());
        else if (FUseSkinFontColor)
            C->Font()->SetColor(FSD->SkinColors()->cBtnText());
    } else {
        C->Font()->Assign(DefaultFont());
    }
    if (!Enabled()) C->Font()->SetColor(clBtnShadow);
    C->Brush()->SetStyle(bsClear);
    DrawContent(C, CR, Down(), FCore.MouseIn());
    const TRect M = Skinned && !ResizeLook() ? TRect{CR.Right, 0, Width(), Height()} : T;
    if (FDrawStandardArrow)
        DrawArrowImage(C, M, C->Font()->Color(), FArrowType);
    else if (Skinned && !IsNullRect(FCore.Look.MenuMarkerFlatRect))
        DrawMarker(C, M, true, false, false, C->Font()->Color());
    else
        DrawDropArrowImage(C, M, Skinned ? FSD->SkinColors()->cBtnText() : clBtnText);
    if (FCore.MouseIn()) inherited::Paint();
}
