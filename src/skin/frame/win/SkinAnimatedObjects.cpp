#include "skin/frame/win/SkinAnimatedObjects.h"

#include <algorithm>

#include "skin/frame/win/SkinForm.h"
#include "skin/model/SFUtils.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/win/SFUtils_Win.h"

// ---------------------------------------------------------------------------
// Animation

TsfSkinAnimateObject::TsfSkinAnimateObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData)
    : TsfActiveSkinObject(AParent, AData)
{
    Kind = TsfFrameObjectKind::Animate;
    FTempHint = Hint;
    const auto* D = dynamic_cast<const TsfDataSkinAnimate*>(AData);
    if (!D) return;
    CountFrames = D->CountFrames;
    Cycle = D->Cycle;
    ButtonStyle = D->ButtonStyle;
    TimerInterval = std::max(D->TimerInterval, 25);
    Command = D->Command;
    DownSkinRect = D->DownSkinRect;
    RestoreRect = D->RestoreRect;
    RestoreActiveRect = D->RestoreActiveRect;
    RestoreDownRect = D->RestoreDownRect;
    RestoreInActiveRect = D->RestoreInActiveRect;
    RestoreHint = D->RestoreHint;
}

bool TsfSkinAnimateObject::MeansRestore() const { return CaptionCommandMeansRestore(Parent, Command); }

void TsfSkinAnimateObject::SetFrame(Integer Value)
{
    AnimateSetFrame(FAnim, Value, CountFrames);
    Parent->DrawSkinObject(this);
}

void TsfSkinAnimateObject::ChangeFrame()
{
    FAnim.Active = Active;
    const bool Changed = AnimateChangeFrame(FAnim, TimerInterval, CountFrames, Cycle);
    Active = FAnim.Active;
    if (Changed) Parent->DrawSkinObject(this);
}

void TsfSkinAnimateObject::Start()
{
    AnimateStart(FAnim);
    Active = true;
    Parent->StartAnimateTimer();
}

void TsfSkinAnimateObject::Stop()
{
    SetFrame(1);
    Active = false;
    FAnim.Inc = 25;
}

void TsfSkinAnimateObject::MenuClosed()
{
    Active = true;
    FAnim.Frame = CountFrames;
    FDown = FMenuTracking = FAnim.Increment = false;
    Parent->StartAnimateTimer();
}

void TsfSkinAnimateObject::Draw(TCanvas* Cnvs, bool)
{
    if (!SkinLoaded()) return;
    TRect Normal = SkinRect, Strip = ActiveSkinRect, Down = DownSkinRect, InActive = InActiveSkinRect;
    if (MeansRestore() && !IsNullRect(RestoreRect)) {
        Normal = RestoreRect;
        Strip = RestoreActiveRect;
        Down = RestoreDownRect;
        InActive = RestoreInActiveRect;
    }
    auto FrameLook = [&](Integer F) { return AnimateFrameRect({Strip.Left, Strip.Top}, Normal.Width(), Normal.Height(), F); };
    TRect Look;
    if (FMenuTracking) {
        if (!IsNullRect(Down)) {
            Look = Down;
        } else {
            FAnim.Frame = CountFrames;
            Look = FrameLook(CountFrames);
        }
    } else if (!Parent->GetFormActive() && !IsNullRect(InActive)) {
        Look = InActive;
    } else if (FDown && FMouseIn && !IsNullRect(Down)) {
        Look = Down;
    } else {
        Look = FrameLook(FAnim.Frame);
    }
    CopyLook(Cnvs, ActivePicture, Look);
}

void TsfSkinAnimateObject::ShowLayer()
{
    // Its glow stays at the form's frame even while a full layered border carries the caption.
    ShowGlowOn(HasMenu() ? Parent->MenuLayerManager() : Parent->LayerManager(), false);
}

void TsfSkinAnimateObject::HideLayer() { HideGlowOn(HasMenu() ? Parent->MenuLayerManager() : Parent->LayerManager()); }

void TsfSkinAnimateObject::MouseEnter()
{
    if (ButtonStyle && Command != cmDefault) Hint = MeansRestore() && !RestoreHint.empty() ? RestoreHint : FTempHint;
    FMouseIn = true;
    if (FMenuTracking) return;
    if (ButtonStyle) {
        Active = true;
        if (FDown && !IsNullRect(DownSkinRect)) {
            Parent->DrawSkinObject(this);
        } else {
            FAnim.Increment = true;
            Parent->StartAnimateTimer();
        }
    }
    Parent->DoMouseEnterEvent(IDName);
    if (ButtonStyle) ShowLayer();
}

void TsfSkinAnimateObject::MouseLeave()
{
    const bool WasIn = FMouseIn;
    FMouseIn = false;
    if (FMenuTracking || !WasIn) return;
    if (ButtonStyle) {
        Active = true;
        FAnim.Increment = false;
        Parent->StartAnimateTimer();
    }
    Parent->DoMouseLeaveEvent(IDName);
    if (ButtonStyle) HideLayer();
}

void TsfSkinAnimateObject::MouseDown(Integer X, Integer Y, TMouseButton Button)
{
    TsfActiveSkinObject::MouseDown(X, Y, Button);
    if (Button != mbLeft) return;
    if (!IsNullRect(DownSkinRect)) {
        FAnim.Frame = CountFrames;
        FDown = true;
        Parent->DrawSkinObject(this);
    }
    // The system menu opens on the press.
    if (Command == cmSysMenu && ButtonStyle && FMouseIn) ExecuteCommand();
}

void TsfSkinAnimateObject::MouseUp(Integer X, Integer Y, TMouseButton Button)
{
    TsfActiveSkinObject::MouseUp(X, Y, Button);
    if (FMenuTracking || Button != mbLeft) return;
    if (!IsNullRect(DownSkinRect)) {
        FDown = false;
        Parent->DrawSkinObject(this);
        Parent->StartAnimateTimer();
    }
    if (FMouseIn && ButtonStyle && Command != cmSysMenu) ExecuteCommand();
}

void TsfSkinAnimateObject::DblClick()
{
    if (Command == cmSysMenu) Parent->Form()->Close();
}

void TsfSkinAnimateObject::ExecuteCommand()
{
    // Maximising and minimising leave the glow alone here.
    if (RunCaptionCommand(Parent, Command, nullptr)) return;
    // The system menu is rebuilt for the window state at every opening.
    if (Command == cmSysMenu) MenuItem = Parent->GetSysMenuItems();
    if (MenuItem) OpenAnimateMenu();
}

void TsfSkinAnimateObject::OpenAnimateMenu()
{
    if (!HasMenu()) return;
    FMenuTracking = true;
    if (Parent->LayerManager()->IsVisible()) Parent->LayerManager()->Hide();
    if (Parent->MenuLayerManager()->IsVisible()) Parent->MenuLayerManager()->Hide();
    if (FMouseIn) ShowLayer();
    const TRect R = ScreenRect();
    if (auto* P = dynamic_cast<TsfSkinPopupMenu*>(MenuItem->GetParentMenu())) {
        P->PopupFromRect(R, FPopupUp);
        return;
    }
    Parent->SkinMenuOpen();
    Parent->SkinMenu()->Popup(nullptr, Parent->MenusSkinData() ? Parent->MenusSkinData() : Parent->SkinData(), 0, R,
                              MenuItem, FPopupUp, false);
}

// ---------------------------------------------------------------------------
// Label

TsfSkinLabelObject::TsfSkinLabelObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData)
    : TsfActiveSkinObject(AParent, AData)
{
    const auto* D = dynamic_cast<const TsfDataSkinLabel*>(AData);
    if (!D) return;
    FTextValue = D->TextValue;
    FontName = D->FontName;
    FontStyle = D->FontStyle;
    FontHeight = D->FontHeight;
    FontColor = D->FontColor;
    ActiveFontColor = D->ActiveFontColor;
    Alignment = D->Alignment;
}

void TsfSkinLabelObject::SetTextValue(const String& AValue, bool AUpDate)
{
    FTextValue = AValue;
    if (AUpDate) Parent->DrawSkinObject(this);
}

void TsfSkinLabelObject::MakeLabelImage(TsfBitmap& B, bool ActiveBackground, TColor Colour)
{
    const Integer W = ObjectRect.Width(), H = ObjectRect.Height();
    B.SetSize(W, H);
    const TsfBitmap* NormalPic = SkinRectInAPicture ? ActivePicture : Picture;
    if (ActiveBackground) CopySkinPart(B.DC(), {0, 0, W, H}, ActivePicture, ActiveSkinRect);
    else CopySkinPart(B.DC(), {0, 0, W, H}, NormalPic, SkinRect);
    TCanvas* C = B.Canvas();
    C->Font()->SetName(FontName);
    C->Font()->SetStyle(FontStyle);
    C->Font()->SetHeight(FontHeight);
    C->Font()->SetColor(Colour);
    if (SD && SD->ResourceStrData()) C->Font()->SetCharset(SD->ResourceStrData()->CharSet());
    C->Brush()->SetStyle(bsClear);
    const TPoint P = LabelTextPos({0, 0, W, H}, Alignment, C->TextWidth(FTextValue), C->TextHeight(FTextValue));
    C->TextRect({0, 0, W, H}, P.X, P.Y, FTextValue);
    C->Brush()->SetStyle(bsSolid);
}

void TsfSkinLabelObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!SkinLoaded() || ObjectRect.Width() <= 0 || ObjectRect.Height() <= 0) return;
    const bool HasActiveBackground = !IsNullRect(ActiveSkinRect);
    TsfBitmap B;
    if (MorphInProgress()) {
        TsfBitmap Hot;
        MakeLabelImage(B, false, FontColor);
        MakeLabelImage(Hot, HasActiveBackground, ActiveFontColor);
        DrawMorphOf(Cnvs, B, Hot);
        return;
    }
    if (!Active) {
        MakeLabelImage(B, false, FontColor);
    } else if (HasActiveBackground) {
        MakeLabelImage(B, true, ActiveFontColor);
    } else {
        // The hot look would be the same picture: the drawing on the screen stays.
        // A full painting still needs the text.
        if (FontColor == ActiveFontColor && UpDate) return;
        MakeLabelImage(B, false, ActiveFontColor);
    }
    B.Draw(Cnvs, ObjectRect.Left, ObjectRect.Top);
}

void TsfSkinLabelObject::MouseEnter()
{
    FMouseIn = Active = true;
    if (!IsNullRect(ActiveSkinRect) || FontColor != ActiveFontColor) Redraw();
    Parent->DoMouseEnterEvent(IDName);
}

void TsfSkinLabelObject::MouseLeave()
{
    FMouseIn = Active = false;
    if (!IsNullRect(ActiveSkinRect) || FontColor != ActiveFontColor) Redraw();
    Parent->DoMouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------
// Bit label

TsfSkinBitLabelObject::TsfSkinBitLabelObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData)
    : TsfActiveSkinObject(AParent, AData)
{
    const auto* D = dynamic_cast<const TsfDataSkinBitLabel*>(AData);
    if (!D) return;
    FTextValue = D->TextValue;
    SymbolWidth = D->SymbolWidth;
    SymbolHeight = D->SymbolHeight;
    for (Integer i = 0; i < D->Symbols.Count(); ++i) Symbols.push_back(D->Symbols.Strings(i));
    Transparent = D->Transparent;
    TransparentColor = D->TransparentColor;
}

void TsfSkinBitLabelObject::SetTextValue(const String& AValue, bool AUpDate)
{
    FTextValue = AValue;
    if (AUpDate) Parent->DrawSkinObject(this);
}

void TsfSkinBitLabelObject::Draw(TCanvas* Cnvs, bool)
{
    if (!SkinLoaded()) return;
    const Integer W = SkinRect.Width(), H = SkinRect.Height();
    if (W <= 0 || H <= 0) return;
    const TsfBitmap* NormalPic = SkinRectInAPicture ? ActivePicture : Picture;
    TsfBitmap B;
    B.SetSize(W, H);
    CopySkinPart(B.DC(), {0, 0, W, H}, NormalPic, SkinRect);
    for (const TsfBitLabelCell& Cell :
         BitLabelCells(FTextValue, Symbols, {ActiveSkinRect.Left, ActiveSkinRect.Top}, SymbolWidth, SymbolHeight, W))
        CopySkinPart(B.DC(), {Cell.DestX, 0, Cell.DestX + Cell.Source.Width(), Cell.Source.Height()}, ActivePicture,
                     Cell.Source);
    if (!Transparent) {
        B.Draw(Cnvs, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    // The cells' key colour shows the frame picture behind the label.
    TsfBitmap Back;
    Back.SetSize(W, H);
    CopySkinPart(Back.DC(), {0, 0, W, H}, Parent->ObjectPicture(false), SkinRect);
    GdiFlush();
    const Cardinal K = static_cast<Cardinal>(TransparentColor);
    const TsfColor Key = ((K & 0xFF) << 16) | (K & 0xFF00) | ((K >> 16) & 0xFF);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) {
            const TsfColor P = B.GetPixel(x, y);
            if ((P & 0xFFFFFF) != Key) Back.SetPixel(x, y, P);
        }
    Back.Draw(Cnvs, ObjectRect.Left, ObjectRect.Top);
}

// ---------------------------------------------------------------------------
// Caption main-menu item

TsfSkinMainMenuItem::TsfSkinMainMenuItem(TsfSkinForm* AParent, const TsfDataSkinObject* AData, TMenuItem* AMenuItem)
    : TsfActiveSkinObject(AParent, AData), MenuItem(AMenuItem)
{
    Kind = TsfFrameObjectKind::MainMenuItem;
    if (const auto* D = dynamic_cast<const TsfDataSkinMainMenuItem*>(AData)) {
        FontName = D->FontName;
        FontHeight = D->FontHeight;
        FontStyle = D->FontStyle;
        UnEnabledFontColor = D->UnEnabledFontColor;
        FontColor = D->FontColor;
        ActiveFontColor = D->ActiveFontColor;
        DownFontColor = D->DownFontColor;
        TextRct = D->TextRct;
        DownRect = D->DownRect;
        LO = D->ItemLO;
        RO = D->ItemRO;
    }
    if (IsNullRect(DownRect)) DownRect = IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect;
    if (IsNullRect(ActiveSkinRect)) Morphing = false;
    if (MenuItem) {
        IDName = MenuItem->Name();
        Enabled = MenuItem->Enabled();
    }
    Fit = {Enabled, Enabled, true};
}

void TsfSkinMainMenuItem::SetItemFont(TCanvas* C) const
{
    C->Font()->SetName(FontName);
    C->Font()->SetHeight(FontHeight);
    C->Font()->SetStyle(FontStyle);
    if (SD && SD->ResourceStrData()) C->Font()->SetCharset(SD->ResourceStrData()->CharSet());
}

Integer TsfSkinMainMenuItem::CaptionWidth()
{
    if (!MenuItem) return 0;
    TsfBitmap B;
    B.SetSize(1, 1);
    SetItemFont(B.Canvas());
    TRect R{0, 0, 0, 0};
    DrawWideText(B.Canvas(), MenuItem->Caption(), R, DT_CALCRECT | DT_SINGLELINE);
    return R.Width();
}

void TsfSkinMainMenuItem::CalcItemRect()
{
    const TRect& Area = Parent->Geometry().NewMainMenuRect;
    Integer PreviousRight = 0;
    for (const auto& O : Parent->ObjectList) {
        if (O.get() == this) break;
        if (O->Kind == TsfFrameObjectKind::MainMenuItem) PreviousRight = O->ObjectRect.Right;
    }
    const Integer Left = MainMenuItemLeft(PreviousRight, Area);
    const Integer W = MainMenuItemWidth(SkinRect.Width(), TextRct.Width(), CaptionWidth());
    ObjectRect = {Left, Area.Top, Left + W, Area.Top + SkinRect.Height()};
    Fit.Enabled = Enabled;
    MainMenuItemFitTo(Fit, ObjectRect.Right <= Area.Right);
    Enabled = Fit.Enabled;
    Visible = Fit.Visible;
}

void TsfSkinMainMenuItem::MakeItemImage(TsfBitmap& B, const TRect& R, bool AActive)
{
    const Integer W = ObjectRect.Width(), H = ObjectRect.Height();
    B.SetSize(W, H);
    for (const TsfColumnSpan& S : StretchWithFixedEnds(R.Width(), W, LO, RO))
        CopySkinPart(B.DC(), {S.DestX, 0, S.DestX + S.Width, H}, ActivePicture,
                     {R.Left + S.SourceX, R.Top, R.Left + S.SourceX + S.Width, R.Top + H});
    if (!MenuItem) return;
    TCanvas* C = B.Canvas();
    SetItemFont(C);
    C->Font()->SetColor(FDown               ? DownFontColor
                        : AActive           ? ActiveFontColor
                        : MenuItem->Enabled() ? FontColor
                                              : UnEnabledFontColor);
    C->Brush()->SetStyle(bsClear);
    const String Text = MenuItem->Caption();
    TRect Measured{0, 0, 0, 0};
    DrawWideText(C, Text, Measured, DT_CALCRECT | DT_SINGLELINE);
    TRect TR{TextRct.Left, TextRct.Top, TextRct.Left + Measured.Width() + 2, TextRct.Bottom};
    DrawWideText(C, Text, TR, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->Brush()->SetStyle(bsSolid);
}

void TsfSkinMainMenuItem::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (IsNullRect(SkinRect) || IsNullRect(TextRct) || !ActivePicture) return;
    CalcItemRect();
    if (!Visible) return;
    const TRect& Cl = Parent->Geometry().NewClRect;
    // A full painting of an item below the client area goes into the bottom strip.
    const bool IntoBottom = Parent->SupportNCArea() && !UpDate && ObjectRect.Top >= Cl.Bottom;
    TempObjectRect = ObjectRect;
    if (IntoBottom) {
        ObjectRect.Top -= Cl.Bottom;
        ObjectRect.Bottom -= Cl.Bottom;
    }
    TsfBitmap B;
    if (FDown) {
        MakeItemImage(B, DownRect, true);
    } else if (MorphInProgress()) {
        TsfBitmap Hot;
        MakeItemImage(B, SkinRect, false);
        MakeItemImage(Hot, ActiveSkinRect, true);
        DrawMorphOf(Cnvs, B, Hot);
        ObjectRect = TempObjectRect;
        return;
    } else if (Active) {
        MakeItemImage(B, IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect, true);
    } else {
        MakeItemImage(B, SkinRect, false);
    }
    B.Draw(Cnvs, ObjectRect.Left, ObjectRect.Top);
    ObjectRect = TempObjectRect;
}

void TsfSkinMainMenuItem::SetItemDown(bool Value)
{
    FDown = Value;
    if (Value) {
        Parent->DrawSkinObject(this);
        OpenItemMenu();
        if (!Parent->InMainMenu) {
            Parent->InMainMenu = true;
            if (Parent->OnMainMenuEnter) Parent->OnMainMenuEnter(Parent);
        }
        return;
    }
    Active = false;
    if (EnableMorphing()) SetMorphKf(1);
    Redraw();
}

void TsfSkinMainMenuItem::OpenItemMenu()
{
    if (!HasSubItems()) return;
    Parent->SkinMenuOpen();
    TsfSkinData* Skin = Parent->MenusSkinData() ? Parent->MenusSkinData() : Parent->SkinData();
    const bool Up = Parent->SkinData() && Parent->SkinData()->MainMenuPopupUp;
    Parent->SkinMenu()->Popup(nullptr, Skin, 0, ScreenRect(false), MenuItem, Up, false);
}

bool TsfSkinMainMenuItem::ReleaseOtherDownItem()
{
    for (const auto& O : Parent->ObjectList) {
        auto* I = dynamic_cast<TsfSkinMainMenuItem*>(O.get());
        if (I && I != this && I->FDown) {
            I->SetItemDown(false);
            return true;
        }
    }
    return false;
}

void TsfSkinMainMenuItem::LeaveOtherHotItem()
{
    for (const auto& O : Parent->ObjectList) {
        auto* I = dynamic_cast<TsfSkinMainMenuItem*>(O.get());
        if (I && I != this && I->Active) {
            I->MouseLeave();
            return;
        }
    }
}

void TsfSkinMainMenuItem::MouseEnter()
{
    if (ReleaseOtherDownItem()) {
        // The open menu follows the mouse from item to item.
        Active = FMouseIn = true;
        if (EnableMorphing()) SetMorphKf(1);
        SetItemDown(true);
        return;
    }
    LeaveOtherHotItem();
    Active = FMouseIn = true;
    Redraw();
}

void TsfSkinMainMenuItem::MouseLeave()
{
    Active = FMouseIn = false;
    if (EnableMorphing() && FDown) SetMorphKf(0);
    Redraw();
    Parent->DoMouseLeaveEvent(IDName);
}

void TsfSkinMainMenuItem::MouseDown(Integer X, Integer Y, TMouseButton Button)
{
    if (!Enabled) return;
    if (Button == mbLeft) {
        if (HasSubItems()) {
            SetItemDown(true);
        } else if (MenuItem) {
            if (FDown) SetItemDown(false);
            Parent->InMenu = false;
            if (TMenu* M = MenuItem->GetParentMenu()) M->DispatchCommand(MenuItem->Command());
        }
    }
    TsfActiveSkinObject::MouseDown(X, Y, Button);
}
