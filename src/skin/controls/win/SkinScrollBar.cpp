#include "skin/controls/win/SkinScrollBar.h"

#include "framework/controls/win/Messages.h"
#include "skin/controls/SkinClock.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

// Frame and fill of a part of the built-in look, by its state.
void DrawDefaultPart(TCanvas* C, const TRect& R, TsfPartState State)
{
    const TColor Frame = State == psNormal ? clBtnShadow : TColor(0x800000);
    const TColor Fill = State == psPressed ? TColor(0xB59385) : State == psHot ? TColor(0xD2BDB6) : clBtnFace;
    C->Brush()->SetColor(Fill);
    C->FillRect(R);
    C->Brush()->SetColor(Frame);
    C->FrameRect(R);
}

TRect Inside(const TRect& R) { return {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1}; }

// A picture area of the skin: nothing for an empty one.
bool HasArea(const TRect& R) { return !IsNullRect(R); }

}  // namespace

void BlendPartOver(TsfBitmap* Part, TsfBitmap* Under, const TPoint& At, Byte AlphaBlendValue)
{
    const Integer W = Part->Width(), H = Part->Height();
    TsfBitmap Behind;
    Behind.SetSize(W, H);
    SkinCopyRect(&Behind, {0, 0, W, H}, Under, {At.X, At.Y, At.X + W, At.Y + H});
    auto Image = TsfEffectBmp::CreateFromhWnd(Part->Handle());
    auto Back = TsfEffectBmp::CreateFromhWnd(Behind.Handle());
    if (!Image || !Back) return;
    Image->Morph(Back.get(), 1.0 - AlphaBlendValue / 255.0);
    Image->Draw(Part->DC(), 0, 0);
}

TsfSkinScrollBar::TsfSkinScrollBar(TComponent* AOwner)
    : inherited(AOwner),
      OnChange(FCore.OnChange),
      OnLastChange(FCore.OnLastChange),
      OnUpButtonClick(FCore.OnUpButtonClick),
      OnDownButtonClick(FCore.OnDownButtonClick),
      OnPageUp(FCore.OnPageUp),
      OnPageDown(FCore.OnPageDown)
{
    FCore.Sender = this;
    FCore.OnRepaint = [this] { Invalidate(); };
    SetTabStop(false);
    SetBounds(Left(), Top(), 200, 19);
    FDefaultHeight = 19;
    SetSkinDataName(u"hscrollbar");
    FCore.CalcRects(Width(), Height());
}

TsfSkinScrollBar::~TsfSkinScrollBar() = default;

void TsfSkinScrollBar::SetKind(TScrollBarKind Value)
{
    if (Value == Kind()) return;
    FCore.SetVertical(Value == sbVertical);
    SetSkinDataName(Value == sbVertical ? u"vscrollbar" : u"hscrollbar");
    Invalidate();
}

void TsfSkinScrollBar::SetBoth(bool Value)
{
    if (Value == FCore.Both()) return;
    FCore.SetBoth(Value);
    if (Value) {
        FNormalSkinDataName = SkinDataName();
        SetSkinDataName(FBothSkinDataName);
    } else if (!FNormalSkinDataName.empty()) {
        SetSkinDataName(FNormalSkinDataName);
    }
    GetSkinData();
    if (FIndex == -1)
        Invalidate();
    else
        ChangeSkinData();
}

void TsfSkinScrollBar::SetCanFocused(bool Value)
{
    FCore.SetCanFocused(Value);
    SetTabStop(Value);
}

void TsfSkinScrollBar::GetSkinData()
{
    inherited::GetSkinData();
    FHasSkin = false;
    if (FIndex != -1) {
        if (auto* D = dynamic_cast<TsfDataSkinScrollBarControl*>(SkinData()->CtrlList[FIndex].get())) {
            FSkin.TrackArea = D->TrackArea;
            FSkin.UpButtonRect = D->UpButtonRect;
            FSkin.ActiveUpButtonRect = D->ActiveUpButtonRect;
            FSkin.DownUpButtonRect = HasArea(D->DownUpButtonRect) ? D->DownUpButtonRect : D->ActiveUpButtonRect;
            FSkin.DownButtonRect = D->DownButtonRect;
            FSkin.ActiveDownButtonRect = D->ActiveDownButtonRect;
            FSkin.DownDownButtonRect =
                HasArea(D->DownDownButtonRect) ? D->DownDownButtonRect : D->ActiveDownButtonRect;
            FSkin.ThumbRect = D->ThumbRect;
            FSkin.ActiveThumbRect = HasArea(D->ActiveThumbRect) ? D->ActiveThumbRect : D->ThumbRect;
            FSkin.DownThumbRect = HasArea(D->DownThumbRect) ? D->DownThumbRect : FSkin.ActiveThumbRect;
            FSkin.ThumbOffset1 = D->ThumbOffset1;
            FSkin.ThumbOffset2 = D->ThumbOffset2;
            FSkin.ThumbTransparent = D->ThumbTransparent;
            FSkin.ThumbTransparentColor = D->ThumbTransparentColor;
            FSkin.GlyphRect = D->GlyphRect;
            FSkin.ActiveGlyphRect = HasArea(D->ActiveGlyphRect) ? D->ActiveGlyphRect : D->GlyphRect;
            FSkin.DownGlyphRect = HasArea(D->DownGlyphRect) ? D->DownGlyphRect : FSkin.ActiveGlyphRect;
            FSkin.GlyphTransparent = D->GlyphTransparent;
            FSkin.GlyphTransparentColor = D->GlyphTransparentColor;
            FSkin.ThumbStretchEffect = D->ThumbStretchEffect;
            FSkin.ThumbMinSize = D->ThumbMinSize;
            FSkin.ThumbMinPageSize = D->ThumbMinPageSize;
            FHasSkin = true;
        }
    }
    if (FHasSkin) {
        TsfScrollBarSkinGeometry G;
        G.SkinRect = SkinRect;
        G.RTPt = RTPt;
        G.LBPt = LBPt;
        G.TrackArea = FSkin.TrackArea;
        G.UpButtonRect = FSkin.UpButtonRect;
        G.DownButtonRect = FSkin.DownButtonRect;
        G.ThumbRect = FSkin.ThumbRect;
        G.ThumbMinSize = FSkin.ThumbMinSize;
        G.ThumbMinPageSize = FSkin.ThumbMinPageSize;
        FCore.SetSkinGeometry(&G);
    } else {
        FCore.SetSkinGeometry(nullptr);
    }
}

void TsfSkinScrollBar::CalcSize(Integer& AWidth, Integer& AHeight)
{
    inherited::CalcSize(AWidth, AHeight);
    FCore.CalcRects(AWidth, AHeight);
}

void TsfSkinScrollBar::Resize()
{
    inherited::Resize();
    FCore.CalcRects(Width(), Height());
}

// ---------------------------------------------------------------------------
// Looks

void TsfSkinScrollBar::CreateControlDefaultImage(TsfBitmap* B)
{
    FCore.CalcRects(Width(), Height());
    TCanvas* C = B->Canvas();
    const TRect Client{0, 0, Width(), Height()};
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Client);
    C->FrameRect(Client);
    if (Enabled()) DrawDefaultPart(C, FCore.Button(sbThumb).R, FCore.PartState(sbThumb));
    const bool Vert = FCore.Vertical();
    const struct { Integer Part, Kind; } Arrows[] = {{sbUpButton, Vert ? 4 : 2}, {sbDownButton, Vert ? 3 : 1}};
    for (const auto& A : Arrows) {
        const TRect R = FCore.Button(A.Part).R;
        DrawDefaultPart(C, R, FCore.PartState(A.Part));
        DrawArrowImage(C, Inside(R), clBlack, A.Kind);
    }
}

void TsfSkinScrollBar::CreateControlSkinImage(TsfBitmap* B)
{
    inherited::CreateControlSkinImage(B);
    if (!FHasSkin || !Picture) return;
    FCore.CalcRects(Width(), Height());
    // The normal arrow buttons are part of the control's picture; hot and pressed ones are copied over it.
    const struct { Integer Part; TRect Active, Down; } Arrows[] = {
        {sbUpButton, FSkin.ActiveUpButtonRect, FSkin.DownUpButtonRect},
        {sbDownButton, FSkin.ActiveDownButtonRect, FSkin.DownDownButtonRect}};
    for (const auto& A : Arrows) {
        const TsfPartState S = FCore.PartState(A.Part);
        if (S == psNormal) continue;
        const TRect Src = S == psPressed ? A.Down : A.Active;
        if (HasArea(Src)) SkinCopyRect(B, FCore.Button(A.Part).R, Picture, Src);
    }
    if (Enabled()) DrawSkinThumb(B);
}

void TsfSkinScrollBar::DrawSkinThumb(TsfBitmap* B)
{
    const TRect T = FCore.ThumbRect();
    const Integer TW = T.Width(), TH = T.Height();
    if (TW <= 0 || TH <= 0) return;
    const TsfPartState S = FCore.PartState(sbThumb);
    const TRect Src = S == psPressed ? FSkin.DownThumbRect : S == psHot ? FSkin.ActiveThumbRect : FSkin.ThumbRect;
    if (!HasArea(Src)) return;
    TsfBitmap Thumb;
    if (FCore.PageSize() == 0 && FSkin.ThumbMinPageSize == 0) {
        Thumb.SetSize(TW, TH);
        SkinCopyRect(&Thumb, {0, 0, TW, TH}, Picture, Src);
    } else if (FCore.Vertical()) {
        CreateVSkinImage(FSkin.ThumbOffset1, FSkin.ThumbOffset2, &Thumb, Picture, Src, TW, TH,
                         FSkin.ThumbStretchEffect);
    } else {
        CreateHSkinImage(FSkin.ThumbOffset1, FSkin.ThumbOffset2, &Thumb, Picture, Src, TW, TH,
                         FSkin.ThumbStretchEffect);
    }
    const TRect Glyph = S == psPressed ? FSkin.DownGlyphRect : S == psHot ? FSkin.ActiveGlyphRect : FSkin.GlyphRect;
    if (HasArea(Glyph)) {
        TsfBitmap G;
        G.SetSize(Glyph.Width(), Glyph.Height());
        SkinCopyRect(&G, {0, 0, Glyph.Width(), Glyph.Height()}, Picture, Glyph);
        if (FSkin.GlyphTransparent) G.CheckingTransparent(ColorRefToSpColor(FSkin.GlyphTransparentColor));
        G.Draw(&Thumb, Thumb.Width() / 2 - G.Width() / 2, Thumb.Height() / 2 - G.Height() / 2);
    }
    if (AlphaBlend()) BlendPartOver(&Thumb, B, TPoint{T.Left, T.Top}, AlphaBlendValue());
    if (FSkin.ThumbTransparent) Thumb.CheckingTransparent(ColorRefToSpColor(FSkin.ThumbTransparentColor));
    Thumb.Draw(B, T.Left, T.Top);
}

// ---------------------------------------------------------------------------
// Input

bool TsfSkinScrollBar::TakeFocusForClick()
{
    if (!FCore.CanFocused() || Designing() || Focused()) return true;
    FClicksDisabled = true;
    auto Done = ScopeExit([&] { FClicksDisabled = false; });
    SetFocus();
    return Focused();
}

void TsfSkinScrollBar::WMLButtonDown(TWMMouse& Message)
{
    if (TakeFocusForClick()) inherited::WMLButtonDown(Message);
}

void TsfSkinScrollBar::WMLButtonDblClk(TWMMouse& Message)
{
    if (TakeFocusForClick()) inherited::WMLButtonDblClk(Message);
}

void TsfSkinScrollBar::CNCommand(TMessage& Message)
{
    if (!FClicksDisabled) inherited::CNCommand(Message);
}

void TsfSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    FCore.MouseDown(Button == mbLeft, X, Y);
}

void TsfSkinScrollBar::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    FCore.MouseMove(X, Y);
    inherited::MouseMove(Shift, X, Y);
}

void TsfSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    FCore.MouseUp(Button == mbLeft, X, Y);
}

void TsfSkinScrollBar::CMMouseLeave(TMessage& Message)
{
    inherited::CMMouseLeave(Message);
    if (!Designing()) FCore.MouseLeave();
}

void TsfSkinScrollBar::CMEnabledChanged(TMessage& Message)
{
    inherited::CMEnabledChanged(Message);
    FCore.SetEnabled(Enabled());
    Invalidate();
}

void TsfSkinScrollBar::WMEraseBkgnd(TMessage& Message)
{
    if (!FromWMPaint) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TsfSkinScrollBar::CMWantSpecialKey(TMessage& Message)
{
    inherited::CMWantSpecialKey(Message);
    if (FCore.CanFocused() && IsArrowKey(Integer(Message.WParam))) Message.Result = 1;
}

void TsfSkinScrollBar::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    FCore.KeyDown(Key);
}

bool TsfSkinScrollBar::DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos)
{
    const bool Handled = inherited::DoMouseWheel(Shift, WheelDelta, MousePos);
    FCore.MouseWheel(WheelDelta);
    return Handled;
}

void TsfSkinScrollBar::WMSetFocus(TMessage& Message)
{
    inherited::WMSetFocus(Message);
    FCore.SetFocused(true);
}

void TsfSkinScrollBar::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    FCore.SetFocused(false);
}
