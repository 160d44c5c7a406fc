#include "skin/controls/win/SkinCheckCtrls.h"

#include "skin/controls/SkinClock.h"
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

const TsfDataSkinCheckRadioControl* CheckDescription(TsfSkinData* SD, Integer Index)
{
    if (!SD || Index < 0 || Index >= Integer(SD->CtrlList.size())) return nullptr;
    return dynamic_cast<const TsfDataSkinCheckRadioControl*>(SD->CtrlList[size_t(Index)].get());
}

bool IsEmptyRect(const TRect& R) { return R.Width() <= 0 || R.Height() <= 0; }
const TRect& OrElse(const TRect& R, const TRect& Fallback) { return IsEmptyRect(R) ? Fallback : R; }

constexpr Cardinal MorphTimerId = 1;
constexpr Cardinal MorphInterval = 20;
constexpr TColor HoverFrameColor = 0x800000;  // navy

}  // namespace

TsfSkinCheckRadioBox::TsfSkinCheckRadioBox(TComponent* AOwner) : inherited(AOwner)
{
    SetBounds(Left(), Top(), 150, 25);
    SetSkinDataName(u"checkbox");
    SetTabStop(false);
    FCore.OnRepaint = [this] { Invalidate(); };
    FCore.OnClick = [this] {
        if (OnClick) OnClick(this);
    };
    FCore.GroupPeers = [this] {
        std::vector<TsfCheckRadioCore*> peers;
        if (!Parent()) return peers;
        for (Integer i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TsfSkinCheckRadioBox*>(Parent()->Controls(i)); b && b != this)
                peers.push_back(&b->FCore);
        return peers;
    };
}

TsfSkinCheckRadioBox::~TsfSkinCheckRadioBox() { StopMorph(); }

// ---------------------------------------------------------------------------
// Properties

void TsfSkinCheckRadioBox::SetRadio(bool Value)
{
    FCore.Radio = Value;
    if (Designing() && !(ComponentState() & csLoading)) {
        SetSkinDataName(Value ? u"radiobox" : u"checkbox");
        FCore.GroupIndex = Value ? 1 : 0;
    }
    if ((FIndex == -1 && FDrawDefault) || Designing()) Invalidate();
}

void TsfSkinCheckRadioBox::SetAllowGrayed(bool Value)
{
    FCore.AllowGrayed = Value;
    Invalidate();
}

void TsfSkinCheckRadioBox::SetFlat(bool Value)
{
    FFlat = Value;
    Invalidate();
}

void TsfSkinCheckRadioBox::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (FFlat) Invalidate();
}

void TsfSkinCheckRadioBox::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TsfSkinCheckRadioBox::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (Value) Value->FreeNotification(this);
    Invalidate();
}

void TsfSkinCheckRadioBox::SetImageIndex(Integer Value)
{
    FImageIndex = Value;
    Invalidate();
}

void TsfSkinCheckRadioBox::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

// ---------------------------------------------------------------------------
// Skin

void TsfSkinCheckRadioBox::GetSkinData()
{
    inherited::GetSkinData();
    const TsfDataSkinCheckRadioControl* d = CheckDescription(FSD, FIndex);
    if (!d) {
        Morphing = false;
        if (FIndex == -1) FMorphKf = 0;
        return;
    }
    FontName = d->FontName;
    FontColor = d->FontColor;
    ActiveFontColor = d->ActiveFontColor;
    FrameFontColor = d->FrameFontColor;
    UnEnabledFontColor = d->UnEnabledFontColor;
    FontStyle = d->FontStyle;
    FontHeight = d->FontHeight;
    ActiveSkinRect = OrElse(d->ActiveSkinRect, d->SkinRect);
    Morphing = d->Morphing;
    MorphKind = d->MorphKind;
    CheckImageArea = d->CheckImageArea;
    TextArea = d->TextArea;
    CheckImageRect = d->CheckImageRect;
    UnCheckImageRect = d->UnCheckImageRect;
    ActiveCheckImageRect = OrElse(d->ActiveCheckImageRect, d->CheckImageRect);
    ActiveUnCheckImageRect = OrElse(d->ActiveUnCheckImageRect, d->UnCheckImageRect);
    UnEnabledCheckImageRect = OrElse(d->UnEnabledCheckImageRect, d->CheckImageRect);
    UnEnabledUnCheckImageRect = OrElse(d->UnEnabledUnCheckImageRect, d->UnCheckImageRect);
    GrayedCheckImageRect = d->GrayedCheckImageRect;
    ActiveGrayedCheckImageRect = d->ActiveGrayedCheckImageRect;
    if (FFlat) {
        Morphing = false;
        MaskPicture = nullptr;
    }
}

void TsfSkinCheckRadioBox::BeforeChangeSkinData()
{
    StopMorph();
    inherited::BeforeChangeSkinData();
}

void TsfSkinCheckRadioBox::ChangeSkinData()
{
    StopMorph();
    if (FFlat) {
        GetSkinData();
        Invalidate();
        return;
    }
    inherited::ChangeSkinData();
    FMorphKf = Active() ? 1 : 0;
}

void TsfSkinCheckRadioBox::CalcSize(Integer& AWidth, Integer& AHeight)
{
    if (FFlat) return;
    inherited::CalcSize(AWidth, AHeight);
    if (FIndex == -1) return;
    const Integer dW = AWidth - SkinRect.Width();
    NewTextArea = {TextArea.Left, TextArea.Top, TextArea.Right + dW, TextArea.Bottom};
    TRect area = CheckImageArea;
    if (area.Left >= TextArea.Right) {
        area.Left += dW;
        area.Right += dW;
    }
    const Integer iw = CheckImageRect.Width(), ih = CheckImageRect.Height();
    const Integer x = area.Left + (area.Width() - iw) / 2, y = area.Top + (area.Height() - ih) / 2;
    CIRect = {x, y, x + iw, y + ih};
}

// ---------------------------------------------------------------------------
// Hover transition, on the skin clock

bool TsfSkinCheckRadioBox::Active() { return FCore.MouseIn() || (HandleAllocated() && Focused()); }

void TsfSkinCheckRadioBox::StartMorph()
{
    if (FFlat || FIndex == -1 || !Morphing || !FSD || !FSD->EnableSkinEffects) {
        Invalidate();
        return;
    }
    FMorphRunning = true;
    SkinClock()->StartTimer(this, MorphTimerId, MorphInterval, [this] { MorphStep(); });
}

void TsfSkinCheckRadioBox::MorphStep()
{
    const double target = Active() ? 1 : 0;
    FMorphKf = target > FMorphKf ? std::min(1.0, FMorphKf + 0.2) : std::max(0.0, FMorphKf - 0.2);
    if (std::abs(FMorphKf - target) < 1e-9) {
        FMorphKf = target;
        StopMorph();
    }
    Invalidate();
}

void TsfSkinCheckRadioBox::StopMorph()
{
    if (!FMorphRunning) return;
    FMorphRunning = false;
    SkinClock()->StopTimer(this, MorphTimerId);
}

// ---------------------------------------------------------------------------
// Mouse, keyboard, focus

void TsfSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (Button == mbLeft) {
        if (FCanFocused && !Designing() && HandleAllocated() && !Focused() && CanFocus()) {
            // The click waits for the focus; dropped when the focus did not come.
            FClicksDisabled = true;
            SetFocus();
            FClicksDisabled = false;
            if (!Focused()) return;
        }
        FCore.LeftDown();
    }
    inherited::MouseDown(Button, Shift, X, Y);
}

void TsfSkinCheckRadioBox::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (FCore.Down()) {
        const bool inside = X >= 0 && Y >= 0 && X <= Width() && Y <= Height();
        if (inside != FCore.MouseIn()) Perform(inside ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
    }
    inherited::MouseMove(Shift, X, Y);
}

void TsfSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) FCore.LeftUp();
}

void TsfSkinCheckRadioBox::WMKeyUp(TWMKey& Message)
{
    inherited::WMKeyUp(Message);
    if (FCanFocused && Message.WParam == VK_SPACE && Focused()) Toggle();
}

void TsfSkinCheckRadioBox::CMDialogChar(TMessage& Message)
{
    if (FCanFocused && IsAccel(Char(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        Toggle();
        Message.Result = 1;
        return;
    }
    inherited::CMDialogChar(Message);
}

void TsfSkinCheckRadioBox::CNCommand(TMessage& Message)
{
    if (FClicksDisabled) return;
    inherited::CNCommand(Message);
}

void TsfSkinCheckRadioBox::WMSetFocus(TMessage& Message)
{
    inherited::WMSetFocus(Message);
    if (FCanFocused) StartMorph();
}

void TsfSkinCheckRadioBox::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    if (FCanFocused) StartMorph();
}

void TsfSkinCheckRadioBox::CMMouseEnter(TMessage& Message)
{
    inherited::CMMouseEnter(Message);
    if (Designing()) return;
    FCore.SetMouseIn(true);
    StartMorph();
}

void TsfSkinCheckRadioBox::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    if (Designing()) return;
    FCore.SetMouseIn(false);
    StartMorph();
}

void TsfSkinCheckRadioBox::CMEnabledChanged(TMessage& Message)
{
    inherited::CMEnabledChanged(Message);
    StopMorph();
    FCore.SetMouseIn(false);
    Invalidate();
}

void TsfSkinCheckRadioBox::CMTextChanged(TMessage& Message)
{
    inherited::CMTextChanged(Message);
    if (FIndex != -1 || Designing() || FDrawDefault) Invalidate();
}

void TsfSkinCheckRadioBox::WMMove(TMessage& Message)
{
    inherited::WMMove(Message);
    Invalidate();
}

void TsfSkinCheckRadioBox::WMEraseBkgnd(TMessage& Message)
{
    // A flat box paints over the parent in its paint; a body outside a paint
    // paints itself onto the erase context.
    if (!FFlat && !FromWMPaint && Message.WParam) {
        TsfBitmap b;
        b.SetSize(Width(), Height());
        GetSkinData();
        if (FIndex != -1)
            PaintBody(&b, Active());
        else
            CreateControlDefaultImage(&b);
        b.Draw(reinterpret_cast<HDC__*>(Message.WParam), 0, 0);
    }
    Message.Result = 1;
}

void TsfSkinCheckRadioBox::CheckParentBackground()
{
    if (FFlat) Repaint();
    inherited::CheckParentBackground();
}

// ---------------------------------------------------------------------------
// Painting

void TsfSkinCheckRadioBox::SetCaptionFont(TCanvas* C)
{
    C->Font()->Assign(FDefaultFont.get());
    if (FIndex != -1 && FUseSkinFont) {
        C->Font()->SetName(FontName);
        C->Font()->SetHeight(FontHeight);
        C->Font()->SetStyle(FontStyle);
    }
    SetSkinCharset(C->Font(), FSD);
}

TRect TsfSkinCheckRadioBox::CheckPictureRect(bool& Brighten)
{
    Brighten = false;
    const bool grayed = FCore.State() == TsfCheckState::Grayed;
    const bool checked = FCore.Checked();
    const bool hover = Enabled() && Active();
    TRect checkedRect = !Enabled() ? UnEnabledCheckImageRect : hover ? ActiveCheckImageRect : CheckImageRect;
    if (grayed) {
        if (hover && !IsEmptyRect(ActiveGrayedCheckImageRect)) return ActiveGrayedCheckImageRect;
        if (!IsEmptyRect(GrayedCheckImageRect)) return GrayedCheckImageRect;
        Brighten = true;
        return checkedRect;
    }
    if (checked) return checkedRect;
    return !Enabled() ? UnEnabledUnCheckImageRect : hover ? ActiveUnCheckImageRect : UnCheckImageRect;
}

void TsfSkinCheckRadioBox::DrawCheckPicture(TsfBitmap* B, Integer X, Integer CentreY)
{
    bool brighten = false;
    const TRect r = CheckPictureRect(brighten);
    if (IsEmptyRect(r) || !Picture) return;
    const Integer y = CentreY - r.Height() / 2;
    if (!brighten) {
        DrawSkinPiece(B, X, y, Picture, r, true);
        return;
    }
    // No grayed picture in the skin: the checked one brightened halfway to white.
    TsfBitmap piece;
    piece.SetSize(r.Width(), r.Height());
    SkinCopyRect(&piece, {0, 0, r.Width(), r.Height()}, Picture, r);
    const TsfColor key = piece.GetPixel(0, piece.Height() - 1);
    auto e = TsfEffectBmp::CreateFromhWnd(piece.Handle());
    if (e) {
        e->ChangeBrightness(0.5);
        TsfBitmap bright;
        bright.SetSize(r.Width(), r.Height());
        e->Draw(bright.DC(), 0, 0);
        for (Integer yy = 0; yy < piece.Height(); ++yy)
            for (Integer xx = 0; xx < piece.Width(); ++xx)
                if ((piece.GetPixel(xx, yy) & 0xFFFFFF) == (key & 0xFFFFFF))
                    bright.SetPixel(xx, yy, sfTransparent);
                else
                    bright.SetPixel(xx, yy, bright.GetPixel(xx, yy) | 0xFF000000u);
        bright.SetTransparent(true);
        bright.Draw(B, X, y);
    }
}

void TsfSkinCheckRadioBox::DrawDefaultMark(TCanvas* C, Integer H)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FCore.MouseIn() ? HoverFrameColor : clBtnShadow);
    C->FrameRect({3, H - 7, 17, H + 7});
    const TColor mark = Enabled() ? TColor(0) : clBtnShadow;
    if (FCore.State() == TsfCheckState::Grayed && !FCore.Radio)
        DrawCheckImage(C, 7, H - 4, clGrayText);
    else if (FCore.Checked() && FCore.Radio)
        DrawRadioImage(C, 7, H - 3, mark);
    else if (FCore.Checked())
        DrawCheckImage(C, 7, H - 4, mark);
}

void TsfSkinCheckRadioBox::DrawImageAndCaption(TsfBitmap* B, Integer X, const TRect& R, TColor Colour)
{
    TCanvas* c = B->Canvas();
    Integer x = X;
    if (HasListImage(FImages, FImageIndex)) {
        FImages->Draw(c, x, R.Top + (R.Height() - FImages->Height()) / 2, FImageIndex, Enabled());
        x += FImages->Width() + (FIndex == -1 ? 5 : 8);
    }
    c->Font()->SetColor(Colour);
    c->Brush()->SetStyle(bsClear);
    TRect tr{x, R.Top, std::min(R.Right, B->Width() - 2), R.Bottom};
    if (!FWordWrap) {
        DrawVCenterText(c, Caption(), tr);
        return;
    }
    TRect m = tr;
    DrawWideText(c, Caption(), m, DT_EXPANDTABS | DT_WORDBREAK | DT_CALCRECT);
    const Integer top = std::max(0, tr.Top + (tr.Height() - m.Height()) / 2);
    TRect d{tr.Left, top, tr.Right, top + m.Height()};
    DrawWideText(c, Caption(), d, DT_EXPANDTABS | DT_WORDBREAK);
}

void TsfSkinCheckRadioBox::PaintFlat(TsfBitmap* B)
{
    TCanvas* c = B->Canvas();
    DrawParentBackground(this, c);
    const Integer h = B->Height() / 2;
    SetCaptionFont(c);
    Integer textLeft = 22;
    TColor colour;
    if (FIndex == -1) {
        DrawDefaultMark(c, h);
        colour = Enabled() ? FDefaultFont->Color() : clBtnShadow;
    } else {
        bool brighten = false;
        const Integer iw = CheckPictureRect(brighten).Width();
        DrawCheckPicture(B, 3, h);
        textLeft = iw + 7;
        colour = Enabled() ? FrameFontColor : UnEnabledFontColor;
        if (!FUseSkinFontColor) colour = FDefaultFont->Color();
    }
    DrawImageAndCaption(B, textLeft, {0, 0, B->Width(), B->Height()}, colour);
    if (FCanFocused && HandleAllocated() && Focused()) {
        const Integer tw = c->TextWidth(Caption()), th = c->TextHeight(Caption());
        TRect f = Caption().empty() ? TRect{2, h - 8, 18, h + 8}
                                    : TRect{textLeft - 2, h - th / 2 - 1, textLeft + tw + 2, h + th / 2 + 1};
        c->Brush()->SetColor(FIndex == -1 ? clBtnFace : SkinRoleColor(FSD, &TsfSkinColors::cBtnFace, clBtnFace));
        DrawSkinFocusRect(c, f);
    }
}

void TsfSkinCheckRadioBox::PaintBody(TsfBitmap* B, bool ActiveBody)
{
    Integer w = Width(), h = Height();
    CalcSize(w, h);
    if (!Picture) {
        CreateControlDefaultImage(B);
        return;
    }
    CreateSkinControlImage(B, Picture, ActiveBody ? ActiveSkinRect : SkinRect);
    DrawCheckPicture(B, CIRect.Left, CIRect.Top + CIRect.Height() / 2);
    SetCaptionFont(B->Canvas());
    const TColor colour = !Enabled() ? UnEnabledFontColor : ActiveBody ? ActiveFontColor : FontColor;
    DrawImageAndCaption(B, NewTextArea.Left, NewTextArea, colour);
}

void TsfSkinCheckRadioBox::CreateControlDefaultImage(TsfBitmap* B)
{
    inherited::CreateControlDefaultImage(B);
    TCanvas* c = B->Canvas();
    if ((HandleAllocated() && Focused()) || FCore.MouseIn()) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect({0, 0, B->Width(), B->Height()});
    }
    const Integer h = B->Height() / 2;
    DrawDefaultMark(c, h);
    SetCaptionFont(c);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(Enabled() ? FDefaultFont->Color() : clBtnShadow);
    DrawVCenterText(c, Caption(), {19, 0, B->Width() - 2, B->Height()});
}

void TsfSkinCheckRadioBox::Paint()
{
    const Integer w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    TsfBitmap b;
    b.SetSize(w, h);
    if (FFlat) {
        PaintFlat(&b);
        b.Draw(Canvas(), 0, 0);
        return;
    }
    if (FIndex == -1) {
        if (FDrawDefault) CreateControlDefaultImage(&b);
    } else if (FMorphKf > 0 && FMorphKf < 1) {
        TsfBitmap active;
        active.SetSize(w, h);
        PaintBody(&b, false);
        PaintBody(&active, true);
        auto e1 = TsfEffectBmp::CreateFromhWnd(b.Handle());
        auto e2 = TsfEffectBmp::CreateFromhWnd(active.Handle());
        if (e1 && e2) {
            e1->MorphBy(MorphKind, e2.get(), FMorphKf);
            e1->Draw(b.DC(), 0, 0);
        }
    } else {
        PaintBody(&b, FMorphRunning ? FMorphKf >= 1 : Active());
    }
    if (FAlphaBlend) {
        TsfBitmap behind;
        behind.SetSize(w, h);
        DrawParentBackground(this, behind.Canvas());
        auto e1 = TsfEffectBmp::CreateFromhWnd(b.Handle());
        auto e2 = TsfEffectBmp::CreateFromhWnd(behind.Handle());
        if (e1 && e2) {
            e1->Morph(e2.get(), 1.0 - FAlphaBlendValue / 255.0);
            e1->Draw(Canvas()->Handle(), 0, 0);
            return;
        }
    }
    b.Draw(Canvas(), 0, 0);
}
