#include "skin/controls/win/SkinPanels.h"

#include "skin/model/win/SFUtils_Win.h"

namespace {

const TsfDataSkinPanelControl* PanelDescription(TsfSkinData* SD, Integer Index)
{
    if (!SD || Index < 0 || Index >= Integer(SD->CtrlList.size())) return nullptr;
    return dynamic_cast<const TsfDataSkinPanelControl*>(SD->CtrlList[size_t(Index)].get());
}

// Lines of the 3-D frames: top-left in TopLeft, bottom-right in BottomRight.
void FrameLines(TCanvas* C, const TRect& R, TColor TopLeft, TColor BottomRight)
{
    TRect r = R;
    Frame3D(C, r, TopLeft, BottomRight, 1);
}

constexpr Integer ArrowUp = 3, ArrowDown = 4;

}  // namespace

TsfSkinPanel::TsfSkinPanel(TComponent* AOwner) : inherited(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csSetCaption | csOpaque |
                    csReplicatable);
    FForceBackground = true;
    SetSkinDataName(u"panel");
    SetBounds(0, 0, 150, 150);
}

TsfSkinPanel::~TsfSkinPanel() = default;

void TsfSkinPanel::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    // Resizing repaints only what the layout asks for: no flicker of the whole panel.
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TsfSkinPanel::GetSkinData()
{
    inherited::GetSkinData();
    BGPictureIndex = -1;
    const TsfDataSkinPanelControl* d = PanelDescription(FSD, FIndex);
    if (!d) return;
    CaptionRect = d->CaptionRect;
    Alignment = d->Alignment;
    FontName = d->FontName;
    FontColor = d->FontColor;
    FontStyle = d->FontStyle;
    FontHeight = d->FontHeight;
    BGPictureIndex = d->BGPictureIndex;
    CheckImageRect = d->CheckImageRect;
    UnCheckImageRect = d->UnCheckImageRect;
    MarkFrameRect = d->MarkFrameRect;
    FrameRect = d->FrameRect;
    FrameTextRect = d->FrameTextRect;
    FrameLeftOffset = d->FrameLeftOffset;
    FrameRightOffset = d->FrameRightOffset;
    GripperRect = d->GripperRect;
    GripperTransparent = d->GripperTransparent;
    GripperTransparentColor = d->GripperTransparentColor;
}

void TsfSkinPanel::ChangeSkinData()
{
    inherited::ChangeSkinData();
    if (!FRollUp.RolledUp()) {
        Realign();
        return;
    }
    // Still rolled up, at the height the new skin gives.
    Integer w = Width(), h = Height();
    CalcSize(w, h);
    const bool skinSize = FIndex != -1 && FUseSkinSize;
    FInChangingRollUp = true;
    auto Done = ScopeExit([&] { FInChangingRollUp = false; });
    SetHeight(PanelRolledHeight(skinSize, Height(), NewClRect, FDefaultCaptionHeight));
}

void TsfSkinPanel::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex == -1) Invalidate();
}

void TsfSkinPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FCaptionImageList) FCaptionImageList = nullptr;
}

// ---------------------------------------------------------------------------
// Properties

void TsfSkinPanel::SetChecked(bool Value)
{
    FChecked = Value;
    if (FCheckedMode) Invalidate();
    if (FAutoEnabledControls && FCheckedMode)
        for (Integer i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(Value);
    if (OnChecked) OnChecked(this);
}

void TsfSkinPanel::SetRollUpState(bool Value)
{
    if (FRollUpState == Value) return;
    TSizeConstraints* c = Constraints();
    if (!FRollUpMode) {
        c->SetMaxWidth(FCMaxWidth);
        c->SetMinWidth(FCMinWidth);
        c->SetMaxHeight(FCMaxHeight);
        c->SetMinHeight(FCMinHeight);
        return;
    }
    FCMaxWidth = c->MaxWidth();
    FCMinWidth = c->MinWidth();
    FCMaxHeight = c->MaxHeight();
    FCMinHeight = c->MinHeight();
    c->SetMaxWidth(0);
    c->SetMinWidth(0);
    c->SetMaxHeight(0);
    c->SetMinHeight(0);
    FRollUpState = Value;
    DoRollUp(Value);
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TsfSkinPanel::DoRollUp(bool ARollUp)
{
    FInChangingRollUp = true;
    auto Done = ScopeExit([&] { FInChangingRollUp = false; });
    if (ARollUp) {
        std::vector<std::pair<const void*, bool>> children;
        for (Integer i = 0; i < ControlCount(); ++i) children.push_back({Controls(i), Controls(i)->Visible()});
        if (!FRollUp.RollUp(Height(), children)) return;
        DisableAlign();
        for (Integer i = 0; i < ControlCount(); ++i) Controls(i)->Hide();
        GetSkinData();
        Integer w = Width(), h = Height();
        CalcSize(w, h);
        SetHeight(PanelRolledHeight(FIndex != -1 && FUseSkinSize, Height(), NewClRect, FDefaultCaptionHeight));
        return;
    }
    if (!FRollUp.RolledUp()) return;
    const Integer h = FRollUp.RealHeight();
    SetHeight(h);
    FRollUp.Unroll();
    // Each child comes back as it was: one hidden before rolling up stays hidden.
    for (Integer i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(FRollUp.WasVisible(Controls(i)));
    EnableAlign();
}

bool TsfSkinPanel::CanAutoSize(Integer& NewWidth, Integer& NewHeight)
{
    if (FInChangingRollUp && FRollUpMode && AutoSize()) return false;
    return inherited::CanAutoSize(NewWidth, NewHeight);
}

void TsfSkinPanel::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    Invalidate();
    Realign();
}

void TsfSkinPanel::SetDefaultCaptionHeight(Integer Value)
{
    FDefaultCaptionHeight = Value;
    if (FCaptionMode && (FIndex == -1 || !FUseSkinSize)) {
        Invalidate();
        Realign();
    }
}

void TsfSkinPanel::SetBorderStyle(TsfSkinBorderStyle Value)
{
    FBorderStyle = Value;
    if (FIndex == -1) {
        Invalidate();
        Realign();
    }
}

void TsfSkinPanel::SetRollUpMode(bool Value)
{
    FRollUpMode = Value;
    if (FIndex == -1 && FCaptionMode) Invalidate();
}

void TsfSkinPanel::SetDefaultAlignment(TAlignment Value)
{
    FDefaultAlignment = Value;
    if (FIndex == -1 && FCaptionMode) Invalidate();
}

void TsfSkinPanel::SetTransparentMode(bool Value)
{
    if (FTransparentMode == Value) return;
    FTransparentMode = Value;
    Invalidate();
    if (!(ComponentState() & (csDesigning | csLoading))) ::CheckControlsBackground(this);
}

void TsfSkinPanel::SetCheckedMode(bool Value)
{
    FCheckedMode = Value;
    Invalidate();
}

void TsfSkinPanel::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Invalidate();
}

void TsfSkinPanel::SetNumGlyphs(Integer Value)
{
    FNumGlyphs = Value < 1 ? 1 : Value > 2 ? 2 : Value;
    Invalidate();
}

void TsfSkinPanel::SetSpacing(Integer Value)
{
    FSpacing = Value;
    Invalidate();
}

void TsfSkinPanel::SetAlphaBlend(bool Value)
{
    FAlphaBlend = Value;
    Invalidate();
}

void TsfSkinPanel::SetAlphaBlendValue(Byte Value)
{
    FAlphaBlendValue = Value;
    Invalidate();
}

void TsfSkinPanel::SetRibbonStyle(bool Value)
{
    if (FRibbonStyle == Value) return;
    FRibbonStyle = Value;
    Invalidate();
}

void TsfSkinPanel::SetImagePosition(TsfImagePosition Value)
{
    if (FImagePosition == Value) return;
    FImagePosition = Value;
    Invalidate();
}

void TsfSkinPanel::SetCaptionImageIndex(Integer Value)
{
    if (FCaptionImageIndex == Value) return;
    FCaptionImageIndex = Value;
    Invalidate();
}

void TsfSkinPanel::SetCaptionImageList(TCustomImageList* Value)
{
    if (FCaptionImageList) FCaptionImageList->RemoveFreeNotification(this);
    FCaptionImageList = Value;
    if (Value) Value->FreeNotification(this);
    Invalidate();
}

void TsfSkinPanel::SetShowCaption(bool Value)
{
    FShowCaption = Value;
    Invalidate();
}

// ---------------------------------------------------------------------------
// Messages and the mouse

void TsfSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (Button == mbLeft && FCaptionMode && (FCheckedMode || FRollUpMode) &&
        PanelCaptionHit({X, Y}, FIndex != -1, NewCaptionRect, Width(), FDefaultCaptionHeight)) {
        if (FCheckedMode) SetChecked(!FChecked);
        if (FRollUpMode) SetRollUpState(!FRollUpState);
    }
    inherited::MouseUp(Button, Shift, X, Y);
}

void TsfSkinPanel::WMMove(TMessage& Message)
{
    inherited::WMMove(Message);
    if (FTransparentMode) {
        Invalidate();
        ::CheckControlsBackground(this);
    }
}

void TsfSkinPanel::CheckParentBackground()
{
    if (!FTransparentMode && !FAlphaBlend) return;
    Repaint();
    ::CheckControlsBackground(this);
}

void TsfSkinPanel::CMTextChanged(TMessage& Message)
{
    inherited::CMTextChanged(Message);
    if (FCaptionMode) Invalidate();
}

// ---------------------------------------------------------------------------
// Layout

TRect TsfSkinPanel::GetSkinClientRect()
{
    TRect r{0, 0, Width(), Height()};
    AdjustClientRect(r);
    return r;
}

void TsfSkinPanel::AdjustClientRect(TRect& Rect)
{
    inherited::AdjustClientRect(Rect);
    GetSkinData();
    Integer w = Width(), h = Height();
    CalcSize(w, h);
    TsfPanelClientInput in;
    in.Client = Rect;
    in.HasDescription = FIndex != -1;
    in.Designing = Designing();
    in.TransparentMode = FTransparentMode;
    in.CaptionMode = FCaptionMode;
    in.RibbonStyle = FRibbonStyle;
    in.UseSkinSize = FUseSkinSize;
    in.BorderStyle = FBorderStyle;
    in.DefaultCaptionHeight = FDefaultCaptionHeight;
    in.BGPictureIndex = BGPictureIndex;
    in.ResizeMode = ResizeMode;
    in.NewClRect = NewClRect;
    if (in.HasDescription && FTransparentMode && FCaptionMode) {
        TsfBitmap measure;
        measure.SetSize(1, 1);
        SetCaptionFont(measure.Canvas());
        in.CaptionTextHeight = measure.Canvas()->TextHeight(Caption());
    }
    Rect = PanelClientRect(in);
}

// ---------------------------------------------------------------------------
// Painting

void TsfSkinPanel::SetCaptionFont(TCanvas* C)
{
    if (FIndex != -1 && FUseSkinFont) {
        C->Font()->Assign(FDefaultFont.get());
        C->Font()->SetName(FontName);
        C->Font()->SetHeight(FontHeight);
        C->Font()->SetStyle(FontStyle);
        C->Font()->SetColor(FontColor);
    } else {
        C->Font()->Assign(FDefaultFont.get());
        if (FIndex != -1) C->Font()->SetColor(FontColor);
    }
    SetSkinCharset(C->Font(), FSD);
}

Integer TsfSkinPanel::CaptionImageWidth()
{
    if (!FGlyph->Empty()) return FGlyph->Width() / FNumGlyphs;
    if (HasListImage(FCaptionImageList, FCaptionImageIndex)) return FCaptionImageList->Width();
    return 0;
}

Integer TsfSkinPanel::CaptionImageHeight()
{
    if (!FGlyph->Empty()) return FGlyph->Height();
    if (HasListImage(FCaptionImageList, FCaptionImageIndex)) return FCaptionImageList->Height();
    return 0;
}

void TsfSkinPanel::DrawCaptionImage(TCanvas* C, Integer X, Integer Y)
{
    if (!FGlyph->Empty()) {
        DrawBitmapGlyph(C, X, Y, FGlyph.get(), FNumGlyphs, !Enabled() && FNumGlyphs == 2 ? 2 : 1);
        return;
    }
    if (HasListImage(FCaptionImageList, FCaptionImageIndex))
        FCaptionImageList->Draw(C, X, Y, FCaptionImageIndex, Enabled());
}

void TsfSkinPanel::DrawSkinCaption(TsfBitmap* B, TRect R)
{
    TCanvas* c = B->Canvas();
    if (FRollUpMode) R.Right -= 12;
    if (FCheckedMode) {
        const TRect& img = FChecked ? CheckImageRect : UnCheckImageRect;
        DrawSkinPiece(B, R.Left, R.Top + (R.Height() - img.Height()) / 2, Picture, img, true);
        R.Left += img.Width() + 2;
    }
    SetCaptionFont(c);
    c->Brush()->SetStyle(bsClear);
    const String text = Caption();
    const Integer tw = c->TextWidth(text), th = c->TextHeight(text);
    const Integer iw = CaptionImageWidth(), ih = CaptionImageHeight();
    const Integer group = tw + (iw > 0 ? iw + FSpacing : 0);
    Integer textTop = R.Top + R.Height() / 2 - th / 2;
    if (IsOddFontHeight(c)) --textTop;
    Integer textLeft = R.Left;
    if (Alignment == taRightJustify)
        textLeft = R.Right - group;
    else if (Alignment == taCenter)
        textLeft = R.Left + (R.Width() - group) / 2;
    Integer imageLeft = -1;
    if (iw > 0) {
        if (FImagePosition == sfipDefault) {
            imageLeft = textLeft;
            textLeft += iw + FSpacing;
        } else {
            imageLeft = R.Left + 2;
            textLeft = std::max(textLeft, imageLeft + iw + FSpacing);
        }
    }
    if (FRollUpMode) {
        const TRect mark{R.Right + 2, R.Top, R.Right + 12, R.Bottom};
        if (MarkFrameRect.Width() > 0 && MarkFrameRect.Height() > 0)
            DrawSkinPiece(B, mark.Left, mark.Top, Picture, MarkFrameRect, true);
        DrawArrowImage(c, mark, FontColor, FRollUpState ? ArrowDown : ArrowUp);
    }
    if (FrameRect.Width() > 0 && FrameRect.Height() > 0 && Picture) {
        // A frame behind the text, as wide as the text needs.
        TsfBitmap frame;
        const Integer fw = FrameRect.Width() - FrameTextRect.Width() + tw;
        CreateHSkinImage(FrameLeftOffset, FrameRightOffset, &frame, Picture, FrameRect, fw, FrameRect.Height(),
                         false);
        const Integer fx = textLeft - FrameTextRect.Left;
        frame.Draw(B, fx, R.Top);
        textTop = R.Top + FrameTextRect.Top + (FrameTextRect.Height() - th) / 2;
    }
    {
        TSavedDC saved(c->Handle());
        IntersectClipRect(c->Handle(), R.Left, R.Top, R.Right, R.Bottom);
        c->TextOut(textLeft, textTop, text);
    }
    if (imageLeft >= 0) DrawCaptionImage(c, imageLeft, R.Top + (R.Height() - ih) / 2);
}

void TsfSkinPanel::CreateControlSkinImage(TsfBitmap* B)
{
    if (FBorderStyle != TsfSkinBorderStyle::bvNone || ResizeMode != 1 || FCaptionMode || StretchEffect) {
        inherited::CreateControlSkinImage(B);
        if (FUseSkinSize) {
            if (ResizeMode == 0)
                NewCaptionRect = CaptionRect;
            else
                CalcRect(CaptionRect, NewCaptionRect);
        }
        if (!Caption().empty() && CaptionRect.Width() > 0 && CaptionRect.Height() > 0 && Picture)
            DrawSkinCaption(B, NewCaptionRect);
        return;
    }
    // Borderless and resizable without a caption: the client piece everywhere.
    if (!Picture || ClRect.Width() <= 0 || ClRect.Height() <= 0) return;
    TRect piece = ClRect;
    piece.Left += SkinRect.Left;
    piece.Right += SkinRect.Left;
    piece.Top += SkinRect.Top;
    piece.Bottom += SkinRect.Top;
    for (const TRect& r : PanelPictureRects(B->Width(), B->Height(), piece.Width(), piece.Height(), false,
                                            sfstFull))
        DrawSkinPiece(B, r.Left, r.Top, Picture, piece);
}

void TsfSkinPanel::CreateControlDefaultImage(TsfBitmap* B)
{
    inherited::CreateControlDefaultImage(B);
    TCanvas* c = B->Canvas();
    const Integer w = B->Width(), h = B->Height();
    switch (FBorderStyle) {
    case TsfSkinBorderStyle::bvFrame: FrameLines(c, {0, 0, w, h}, clBtnShadow, clBtnShadow); break;
    case TsfSkinBorderStyle::bvRaised: FrameLines(c, {0, 0, w, h}, clBtnHighlight, clBtnShadow); break;
    case TsfSkinBorderStyle::bvLowered: FrameLines(c, {0, 0, w, h}, clBtnShadow, clBtnHighlight); break;
    case TsfSkinBorderStyle::bvNone: break;
    }
    if (!FCaptionMode) return;
    TRect bar;
    if (FBorderStyle != TsfSkinBorderStyle::bvNone) {
        bar = FRibbonStyle ? TRect{1, h - FDefaultCaptionHeight - 1, w - 1, h - 1} : TRect{1, 1, w - 1, FDefaultCaptionHeight};
        FrameLines(c, bar, clBtnShadow, clBtnHighlight);
        FrameLines(c, {bar.Left + 1, bar.Top + 1, bar.Right - 1, bar.Bottom - 1}, clBtnHighlight, clBtnShadow);
    } else {
        bar = FRibbonStyle ? TRect{0, h - FDefaultCaptionHeight, w, h} : TRect{0, 0, w, FDefaultCaptionHeight};
        FrameLines(c, bar, clBtnShadow, clBtnShadow);
        FrameLines(c, {bar.Left + 1, bar.Top + 1, bar.Right - 1, bar.Bottom - 1}, clBtnHighlight, clBtnFace);
    }
    if (FCheckedMode) bar.Left += 10;
    if (FRollUpMode) bar.Right -= 10;
    c->Font()->Assign(FDefaultFont.get());
    SetSkinCharset(c->Font(), FSD);
    c->Brush()->SetStyle(bsClear);
    const String text = Caption();
    const Integer tw = c->TextWidth(text), th = c->TextHeight(text);
    const Integer iw = CaptionImageWidth(), ih = CaptionImageHeight();
    const Integer group = tw + (iw > 0 ? iw + FSpacing : 0);
    const Integer top = bar.Top + bar.Height() / 2 - th / 2;
    Integer left = bar.Left + 2;
    if (FDefaultAlignment == taRightJustify)
        left = bar.Right - group;
    else if (FDefaultAlignment == taCenter)
        left = bar.Left + 2 + bar.Width() / 2 - group / 2;
    if (iw > 0) {
        DrawCaptionImage(c, left, bar.Top + (bar.Height() - ih) / 2);
        left += iw + FSpacing;
    }
    c->TextOut(left, top, text);
    if (FCheckedMode) {
        const Integer mid = bar.Top + bar.Height() / 2 - 7;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect({5, mid, 12, mid + 7});
        if (FChecked) DrawCheckImage(c, 8, mid + 2, clBtnText);
    }
    if (FRollUpMode)
        DrawArrowImage(c, {bar.Right, bar.Top, bar.Right + 10, bar.Bottom}, clBtnText,
                       FRollUpState ? ArrowDown : ArrowUp);
}

void TsfSkinPanel::PaintPicture(TsfBitmap* B, TsfBitmap* Pic, Integer W, Integer H)
{
    for (const TRect& r : PanelPictureRects(W, H, Pic->Width(), Pic->Height(), StretchEffect, StretchType))
        Pic->Draw(B, r);
}

void TsfSkinPanel::PaintTransparent(TsfBitmap* B)
{
    DrawParentBackground(this, B->Canvas());
    if (FBorderStyle != TsfSkinBorderStyle::bvNone) {
        TCanvas* c = B->Canvas();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(SkinRoleColor(FSD, &TsfSkinColors::cBtnShadow, clBtnShadow));
        c->FrameRect({0, 0, B->Width(), B->Height()});
    }
    PanelPaint(B->Canvas());
}

void TsfSkinPanel::PaintGroupBox(TsfBitmap* B)
{
    TCanvas* c = B->Canvas();
    DrawParentBackground(this, c);
    SetCaptionFont(c);
    TColor textColour = SkinRoleColor(FSD, &TsfSkinColors::cBtnText, clBtnText);
    const Integer label = FSD ? FSD->GetControlIndex(u"stdlabel") : -1;
    if (label != -1)
        if (auto* d = dynamic_cast<const TsfDataSkinStdLabelControl*>(FSD->CtrlList[size_t(label)].get()))
            textColour = d->FontColor;
    c->Font()->SetColor(textColour);
    c->Brush()->SetStyle(bsClear);
    const String text = Caption();
    const Integer th = c->TextHeight(text.empty() ? String(u" ") : text);
    const Integer row = th + 5;
    Integer x = 5;
    if (FCheckedMode) {
        const TRect& img = FChecked ? CheckImageRect : UnCheckImageRect;
        DrawSkinPiece(B, 5, (row - img.Height()) / 2, Picture, img, true);
        x = img.Width() + 10;
    }
    if (const Integer iw = CaptionImageWidth(); iw > 0) {
        DrawCaptionImage(c, x, (row - CaptionImageHeight()) / 2);
        x += iw + 2;
    }
    DrawVCenterText(c, text, {x, 0, B->Width(), row});
    Integer textEnd = x + c->TextWidth(text) + 3;
    if (FRollUpMode) {
        DrawArrowImage(c, {textEnd, 0, textEnd + 7, row}, textColour, FRollUpState ? ArrowDown : ArrowUp);
        textEnd += 12;
    }
    const Integer m = row / 2, w = B->Width(), h = B->Height();
    c->Pen()->SetColor(SkinRoleColor(FSD, &TsfSkinColors::cBtnShadow, clBtnShadow));
    c->MoveTo(0, m);
    c->LineTo(4, m);
    c->MoveTo(textEnd, m);
    c->LineTo(w - 1, m);
    c->LineTo(w - 1, h - 1);
    c->LineTo(0, h - 1);
    c->LineTo(0, m);
    PanelPaint(c);
}

void TsfSkinPanel::PaintBody(TsfBitmap* B)
{
    const Integer w = Width(), h = Height();
    // The body from the skin's panel description, over the whole size.
    const String own = FSkinDataName;
    FSkinDataName = u"panel";
    GetSkinData();
    if (FIndex != -1 && Picture) {
        Integer cw = w, ch = h;
        CalcSize(cw, ch);
        TsfSkinCtrlGeometry::CreateSkinControlImage(B, Picture, SkinRect, w, h, false);
    }
    FSkinDataName = own;
    GetSkinData();
    Integer cw = w, ch = h;
    CalcSize(cw, ch);
    if (FIndex == -1 || !Picture) return;
    // The caption strip from the own description's caption, scaled.
    const Integer sh = FDefaultCaptionHeight - NewClRect.Top - 1;
    if (sh > 0 && CaptionRect.Width() > 2 && CaptionRect.Height() > 2) {
        TRect src{CaptionRect.Left + 1, CaptionRect.Top + 1, CaptionRect.Right - 1, CaptionRect.Bottom - 1};
        src.Left += SkinRect.Left;
        src.Right += SkinRect.Left;
        src.Top += SkinRect.Top;
        src.Bottom += SkinRect.Top;
        SkinCopyRect(B, {NewClRect.Left, NewClRect.Top, NewClRect.Right, NewClRect.Top + sh}, Picture, src);
    }
    NewCaptionRect = {NewClRect.Left, NewClRect.Top, NewClRect.Right, FDefaultCaptionHeight - 1};
    if (!Caption().empty() && CaptionRect.Width() > 0) DrawSkinCaption(B, NewCaptionRect);
}

void TsfSkinPanel::Paint()
{
    const Integer w = Width(), h = Height();
    if (w < 1 || h < 1) return;
    GetSkinData();
    Integer cw = w, ch = h;
    CalcSize(cw, ch);
    const bool skin = FIndex != -1;
    if (skin && FTransparentMode) {
        TsfBitmap b;
        b.SetSize(w, h);
        if (FCaptionMode)
            PaintGroupBox(&b);
        else
            PaintTransparent(&b);
        b.Draw(Canvas(), 0, 0);
        return;
    }
    if (!skin || (StretchEffect && !FForceBackground)) {
        inherited::Paint();
        return;
    }
    if (!FUseSkinSize && FCaptionMode) {
        TsfBitmap b;
        b.SetSize(w, h);
        PaintBody(&b);
        b.Draw(Canvas(), 0, 0);
        return;
    }
    if (FBorderStyle != TsfSkinBorderStyle::bvNone || ResizeMode != 1 || FCaptionMode || !FForceBackground || FAlphaBlend) {
        // A picture index the skin does not have shows the plain skin look.
        TsfBitmap* pic = BGPictureIndex == -1 ? nullptr : FSD->ActiveBitmap(BGPictureIndex);
        if (!pic) {
            inherited::Paint();
            if (FShowCaption && !Caption().empty()) {
                TCanvas* c = Canvas();
                c->Font()->Assign(FDefaultFont.get());
                SetSkinCharset(c->Font(), FSD);
                c->Brush()->SetStyle(bsClear);
                TRect r = ClientRect();
                DrawWideText(c, Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
            }
            return;
        }
        TsfBitmap b;
        b.SetSize(w, h);
        PaintPicture(&b, pic, w, h);
        b.Draw(Canvas(), 0, 0);
        return;
    }
    // Borderless, resizable, no caption: the description's client piece covers the panel.
    TsfBitmap b;
    b.SetSize(w, h);
    if (Picture && ClRect.Width() > 0 && ClRect.Height() > 0) {
        TsfBitmap piece;
        piece.SetSize(ClRect.Width(), ClRect.Height());
        SkinCopyRect(&piece, {0, 0, piece.Width(), piece.Height()}, Picture,
                     {SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                      SkinRect.Top + ClRect.Bottom});
        PaintPicture(&b, &piece, w, h);
    } else {
        CreateControlDefaultImage(&b);
    }
    b.Draw(Canvas(), 0, 0);
}

// ---------------------------------------------------------------------------
// TsfSkinPaintPanel

TsfSkinPaintPanel::TsfSkinPaintPanel(TComponent* AOwner) : inherited(AOwner)
{
    FForceBackground = false;
}

void TsfSkinPaintPanel::PanelPaint(TCanvas* Canvas)
{
    if (OnPanelPaint) OnPanelPaint(this, Canvas, GetSkinClientRect());
}

void TsfSkinPaintPanel::CreateControlDefaultImage(TsfBitmap* B)
{
    inherited::CreateControlDefaultImage(B);
    PanelPaint(B->Canvas());
}

void TsfSkinPaintPanel::CreateControlSkinImage(TsfBitmap* B)
{
    inherited::CreateControlSkinImage(B);
    PanelPaint(B->Canvas());
}

void TsfSkinPaintPanel::WMEraseBkgnd(TMessage& Message)
{
    // Outside a paint the panel paints itself onto the erase context.
    if (!FromWMPaint && Message.WParam) {
        TsfBitmap b;
        b.SetSize(Width(), Height());
        GetSkinData();
        DrawLook(&b);
        b.Draw(reinterpret_cast<HDC__*>(Message.WParam), 0, 0);
    }
    Message.Result = 1;
}

// ---------------------------------------------------------------------------
// TsfSkinStatusBar

TsfSkinStatusBar::TsfSkinStatusBar(TComponent* AOwner) : inherited(AOwner)
{
    SetSkinDataName(u"statusbar");
    SetAlign(alBottom);
    SetHeight(21);
    FBorderStyle = TsfSkinBorderStyle::bvNone;
    FForceBackground = false;
}

void TsfSkinStatusBar::SetSizeGrip(bool Value)
{
    FSizeGrip = Value;
    Invalidate();
    Realign();
}

void TsfSkinStatusBar::SetShowGrip(bool Value)
{
    FShowGrip = Value;
    Invalidate();
    Realign();
}

void TsfSkinStatusBar::SetSkinData(TsfSkinData* Value)
{
    inherited::SetSkinData(Value);
    for (Integer i = 0; i < ControlCount(); ++i)
        if (auto* c = dynamic_cast<TsfSkinControl*>(Controls(i))) c->SetSkinData(Value);
}

bool TsfSkinStatusBar::HasGripperPicture() const
{
    return FIndex != -1 && Picture && GripperRect.Width() > 0 && GripperRect.Height() > 0;
}

void TsfSkinStatusBar::AdjustClientRect(TRect& Rect)
{
    inherited::AdjustClientRect(Rect);
    if (FSizeGrip && FShowGrip) Rect.Right -= StatusGripWidth(Rect, HasGripperPicture(), GripperRect);
}

TRect TsfSkinStatusBar::GripRect()
{
    if (!FSizeGrip || !FShowGrip) return {};
    const TRect client = GetSkinClientRect();
    return StatusGripRect(client, HasGripperPicture(), GripperRect);
}

void TsfSkinStatusBar::DrawGrip(TCanvas* C)
{
    const TRect g = GripRect();
    if (HasGripperPicture()) {
        TsfBitmap piece;
        piece.SetSize(GripperRect.Width(), GripperRect.Height());
        SkinCopyRect(&piece, {0, 0, piece.Width(), piece.Height()}, Picture, GripperRect);
        if (GripperTransparent) piece.CheckingTransparent(SkinColorOf(GripperTransparentColor));
        // Keyed pixels show what is painted already.
        TsfBitmap under;
        under.SetSize(piece.Width(), piece.Height());
        BitBlt(under.DC(), 0, 0, piece.Width(), piece.Height(), C->Handle(), g.Left, g.Top, SRCCOPY);
        piece.Draw(&under, 0, 0);
        under.Draw(C, g.Left, g.Top);
        return;
    }
    const TColor light = FIndex != -1 ? SkinRoleColor(FSD, &TsfSkinColors::cBtnHighLight, clBtnHighlight) : clBtnHighlight;
    const TColor dark = FIndex != -1 ? SkinRoleColor(FSD, &TsfSkinColors::cBtnShadow, clBtnShadow) : clBtnShadow;
    for (Integer b = 3; g.Right >= g.Left + b + 2; b += 3) {
        C->Pen()->SetColor(dark);
        C->MoveTo(g.Left + b, g.Bottom);
        C->LineTo(g.Right, g.Top + b);
        C->Pen()->SetColor(light);
        C->MoveTo(g.Left + b + 1, g.Bottom);
        C->LineTo(g.Right, g.Top + b + 1);
    }
}

void TsfSkinStatusBar::Paint()
{
    inherited::Paint();
    if (FSizeGrip && FShowGrip && Width() > 0 && Height() > 0) DrawGrip(Canvas());
}

void TsfSkinStatusBar::WMNCHitTest(TMessage& Message)
{
    inherited::WMNCHitTest(Message);
    if (Designing() || !FSizeGrip || !FShowGrip) return;
    const TPoint p = ScreenToClient({Integer(short(LOWORD(Message.LParam))), Integer(short(HIWORD(Message.LParam)))});
    Message.Result = StatusGripHitTest(p, GripRect());
}
