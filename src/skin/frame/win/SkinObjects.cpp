#include "skin/frame/win/SkinObjects.h"

#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinLayerBorder.h"
#include "skin/frame/win/SkinQuickButtons.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/SFUtils.h"
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFGlowText_Win.h"
#include "skin/model/win/SFLayerManager.h"
#include "skin/model/win/SFUtils_Win.h"

void CopySkinPart(HDC DC, const TRect& D, const TsfBitmap* P, const TRect& R)
{
    if (!DC || !P || !P->DC() || IsNullRect(R) || IsNullRect(D)) return;
    GdiFlush();
    if (D.Width() == R.Width() && D.Height() == R.Height()) {
        BitBlt(DC, D.Left, D.Top, D.Width(), D.Height(), P->DC(), R.Left, R.Top, SRCCOPY);
        return;
    }
    SetStretchBltMode(DC, COLORONCOLOR);
    StretchBlt(DC, D.Left, D.Top, D.Width(), D.Height(), P->DC(), R.Left, R.Top, R.Width(), R.Height(), SRCCOPY);
}

namespace {

TsfRequestedState Requested(TWindowState S)
{
    switch (S) {
    case wsMaximized: return TsfRequestedState::Maximized;
    case wsMinimized: return TsfRequestedState::Minimized;
    default: return TsfRequestedState::Normal;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Base

TsfActiveSkinObject::TsfActiveSkinObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData) : Parent(AParent)
{
    SD = AParent ? AParent->SkinData() : nullptr;
    if (!AData) return;
    IDName = AData->IDName;
    Hint = AData->Hint;
    SkinRectInAPicture = AData->SkinRectInAPicture;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    InActiveSkinRect = AData->InActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = AData->MorphKind;
    CursorIndex = AData->CursorIndex;
    RollUp = AData->RollUp;
    GlowLayerPictureIndex = AData->GlowLayerPictureIndex;
    GlowLayerMaskPictureIndex = AData->GlowLayerMaskPictureIndex;
    GlowLayerOffsetX = AData->GlowLayerOffsetX;
    GlowLayerOffsetY = AData->GlowLayerOffsetY;
    GlowLayerAlphaBlendValue = AData->GlowLayerAlphaBlendValue;
    if (SD) {
        // ActiveBitmap answers null for an index outside the picture list.
        ActivePicture = SD->ActiveBitmap(AData->ActivePictureIndex);
        ActiveMaskPicture = SD->ActiveBitmap(AData->ActiveMaskPictureIndex);
    }
    // Without an active picture there is no hot look.
    if (!ActivePicture) ActiveSkinRect = {};
    ObjectRect = SkinRect;
    Picture = AParent->ObjectPicture(RollUp);
}

bool TsfActiveSkinObject::SkinLoaded() const { return SD && !SD->Empty; }

void TsfActiveSkinObject::SetMorphKf(double Value) { FMorphKf = Value < 0 ? 0 : Value > 1 ? 1 : Value; }

bool TsfActiveSkinObject::InMask(Integer X, Integer Y)
{
    if (!SkinLoaded() || !ActiveMaskPicture) return true;
    const TsfBitmap* M = ActiveMaskPicture;
    // The mask's far edges count (the point test of the skin format); outside them nothing.
    if (X < 0 || Y < 0 || X > M->Width() || Y > M->Height()) return false;
    if (X >= M->Width() || Y >= M->Height()) return false;
    return (M->GetPixel(X, Y) & 0xFFFFFF) == 0;
}

bool TsfActiveSkinObject::EnableMorphing()
{
    return Morphing && SD && !IsNullRect(ActiveSkinRect) && SD->EnableSkinEffects && !Parent->IsFullLayerBorderUsed();
}

bool TsfActiveSkinObject::CanMorphing() { return SkinObjectMorphDue(FMorphKf, Active); }

void TsfActiveSkinObject::DoMorphing()
{
    FMorphKf = SkinObjectMorphStepped(FMorphKf, Active);
    Parent->DrawSkinObject(this);
}

void TsfActiveSkinObject::Redraw()
{
    if (EnableMorphing()) Parent->StartMorphTimer();
    else Parent->DrawSkinObject(this);
}

bool TsfActiveSkinObject::MorphInProgress() { return EnableMorphing() && !SkinObjectMorphSettled(FMorphKf, Active); }

void TsfActiveSkinObject::CopyLook(TCanvas* Cnvs, const TsfBitmap* P, const TRect& R) const
{
    CopySkinPart(Cnvs->Handle(), ObjectRect, P, R);
}

void TsfActiveSkinObject::DrawMorph(TCanvas* Cnvs, const TsfBitmap* NormalPic, const TRect& NormalRect,
                                    const TRect& HotRect) const
{
    const Integer W = ObjectRect.Width(), H = ObjectRect.Height();
    if (W <= 0 || H <= 0) return;
    TsfBitmap Normal, Hot;
    Normal.SetSize(W, H);
    Hot.SetSize(W, H);
    CopySkinPart(Normal.DC(), {0, 0, W, H}, NormalPic, NormalRect);
    CopySkinPart(Hot.DC(), {0, 0, W, H}, ActivePicture, HotRect);
    DrawMorphOf(Cnvs, Normal, Hot);
}

void TsfActiveSkinObject::DrawMorphOf(TCanvas* Cnvs, TsfBitmap& Normal, TsfBitmap& Hot) const
{
    GdiFlush();
    auto From = TsfEffectBmp::CreateFromhWnd(Normal.Handle());
    auto To = TsfEffectBmp::CreateFromhWnd(Hot.Handle());
    if (!From || !To) return;
    From->MorphBy(MorphKind, To.get(), FMorphKf);
    From->Draw(Cnvs->Handle(), ObjectRect.Left, ObjectRect.Top);
}

void TsfActiveSkinObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!SkinLoaded()) return;
    if (Enabled && !Parent->GetFormActive() && !IsNullRect(InActiveSkinRect)) {
        CopyLook(Cnvs, ActivePicture, InActiveSkinRect);
        return;
    }
    const TsfBitmap* NormalPic = SkinRectInAPicture ? ActivePicture : Picture;
    if (MorphInProgress()) {
        DrawMorph(Cnvs, NormalPic, SkinRect, ActiveSkinRect);
        return;
    }
    if (Active && !IsNullRect(ActiveSkinRect)) {
        CopyLook(Cnvs, ActivePicture, ActiveSkinRect);
        return;
    }
    // During a full painting the frame picture already shows the normal look.
    if (!UpDate && !SkinRectInAPicture) return;
    CopyLook(Cnvs, NormalPic, SkinRect);
}

TRect TsfActiveSkinObject::ScreenRect(bool OnLayerBorder) const
{
    TPoint P{0, 0};
    TCustomForm* F = Parent->Form();
    const TWinControl* Top = OnLayerBorder && Parent->FullLayerBorderShown() ? Parent->BorderLayer()->Window(sfflTop)
                                                                               : nullptr;
    if (Top && Top->HandleAllocated()) {
        // The full layered border carries the frame objects on its top window.
        P = {Top->Left(), Top->Top()};
    } else if (F->FormStyle() == fsMDIChild && F->HandleAllocated()) {
        const TRect& Cl = Parent->Geometry().NewClRect;
        const bool Skin = Parent->SkinSupport();
        POINT Q{Skin ? -Cl.Left : -3, Skin ? -Cl.Top : -(Parent->GetDefCaptionHeight() + 3)};
        ClientToScreen(F->Handle(), &Q);
        P = {Q.x, Q.y};
    } else if (F->HandleAllocated()) {
        RECT W{};
        GetWindowRect(F->Handle(), &W);
        P = {W.left, W.top};
    } else {
        P = {F->Left(), F->Top()};
    }
    return {ObjectRect.Left + P.X, ObjectRect.Top + P.Y, ObjectRect.Right + P.X, ObjectRect.Bottom + P.Y};
}

void TsfActiveSkinObject::ShowGlowOn(TsfLayerManager* M, bool OnLayerBorder)
{
    if (!M || !SkinLoaded() || GlowLayerPictureIndex == -1 || !IsWindows2000OrLater() ||
        !SD->ShowCaptionButtonGlowFrames)
        return;
    const TsfBitmap* G = SD->ActiveBitmap(GlowLayerPictureIndex);
    if (!G || !G->DC()) return;
    auto ToBitmap = [](const TsfBitmap* S, TBitmap& Out) {
        Out.SetPixelFormat(pf32bit);
        Out.SetSize(S->Width(), S->Height());
        GdiFlush();
        BitBlt(Out.Canvas()->Handle(), 0, 0, S->Width(), S->Height(), S->DC(), 0, 0, SRCCOPY);
    };
    TBitmap Image, Mask;
    ToBitmap(G, Image);
    const TsfBitmap* GM = SD->ActiveBitmap(GlowLayerMaskPictureIndex);
    if (GM && GM->DC()) ToBitmap(GM, Mask);
    const TRect R = ScreenRect(OnLayerBorder);
    M->Show(R.Left - GlowLayerOffsetX, R.Top - GlowLayerOffsetY, &Image, Mask.Empty() ? nullptr : &Mask,
            GlowLayerAlphaBlendValue);
}

void TsfActiveSkinObject::HideGlowOn(TsfLayerManager* M)
{
    if (!M || !SkinLoaded() || GlowLayerPictureIndex == -1 || !IsWindows2000OrLater() ||
        !SD->ShowCaptionButtonGlowFrames)
        return;
    M->Hide();
}

void TsfActiveSkinObject::ShowLayer() { ShowGlowOn(Parent->LayerManager()); }

void TsfActiveSkinObject::HideLayer() { HideGlowOn(Parent->LayerManager()); }

void TsfActiveSkinObject::MouseEnter()
{
    FMouseIn = true;
    Active = true;
    if (!IsNullRect(ActiveSkinRect)) Redraw();
    Parent->DoMouseEnterEvent(IDName);
    ShowLayer();
}

void TsfActiveSkinObject::MouseLeave()
{
    FMouseIn = false;
    Active = false;
    if (!IsNullRect(ActiveSkinRect)) Redraw();
    Parent->DoMouseLeaveEvent(IDName);
    HideLayer();
}

void TsfActiveSkinObject::MouseDown(Integer X, Integer Y, TMouseButton Button)
{
    Parent->DoMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TsfActiveSkinObject::MouseUp(Integer X, Integer Y, TMouseButton Button)
{
    if (FMouseIn) Parent->DoMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TsfActiveSkinObject::MouseMove(Integer X, Integer Y) { Parent->DoMouseMoveEvent(IDName, X, Y, ObjectRect); }

void TsfUserObject::Draw(TCanvas* Cnvs, bool) { Parent->DoPaintEvent(IDName, Cnvs, ObjectRect); }

// ---------------------------------------------------------------------------
// Skin button

TsfSkinButtonObject::TsfSkinButtonObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData)
    : TsfActiveSkinObject(AParent, AData)
{
    if (const auto* B = dynamic_cast<const TsfDataSkinButton*>(AData)) {
        DownRect = B->DownRect;
        DisableSkinRect = B->DisableSkinRect;
        GroupIndex = B->GroupIndex;
    }
}

void TsfSkinButtonObject::ShowLayer()
{
    ShowGlowOn(HasMenu() ? Parent->MenuLayerManager() : Parent->LayerManager());
}

void TsfSkinButtonObject::HideLayer()
{
    HideGlowOn(HasMenu() ? Parent->MenuLayerManager() : Parent->LayerManager());
}

void TsfSkinButtonObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!SkinLoaded()) return;
    if (!Enabled && !IsNullRect(DisableSkinRect)) {
        CopyLook(Cnvs, ActivePicture, DisableSkinRect);
        return;
    }
    if (FDown && !IsNullRect(DownRect) && (FMouseIn || GroupIndex != -1)) {
        CopyLook(Cnvs, ActivePicture, DownRect);
        return;
    }
    TsfActiveSkinObject::Draw(Cnvs, UpDate);
}

bool TsfSkinButtonObject::CanMorphing()
{
    if (HasMenu() && FDown) return false;
    return TsfActiveSkinObject::CanMorphing();
}

void TsfSkinButtonObject::SetDown(bool Value)
{
    FDown = Value;
    const bool NoDownRect = IsNullRect(DownRect);
    if (HasMenu() && NoDownRect) {
        if (Value) {
            FMouseIn = Active = true;
            if (EnableMorphing()) FMorphKf = 1;
            Parent->DrawSkinObject(this);
        } else {
            Parent->DrawSkinObject(this);
            if (EnableMorphing()) Redraw();
        }
    } else if (!Value) {
        if (!NoDownRect) {
            if (GroupIndex != -1 || HasMenu()) Active = false;
            if (EnableMorphing()) Parent->DrawSkinObject(this);
            Redraw();
        }
    } else {
        if (!NoDownRect && EnableMorphing()) FMorphKf = 1;
        Parent->DrawSkinObject(this);
    }
    if (Value) ReleaseGroupObjects();
}

void TsfSkinButtonObject::ReleaseGroupObjects()
{
    if (GroupIndex == -1) return;
    for (const auto& O : Parent->ObjectList) {
        auto* B = dynamic_cast<TsfSkinButtonObject*>(O.get());
        if (B && B->IDName != IDName && B->GroupIndex == GroupIndex && B->FDown) {
            B->SetDown(false);
            return;
        }
    }
}

void TsfSkinButtonObject::ShowButtonMenu()
{
    if (!HasMenu()) return;
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

void TsfSkinButtonObject::MouseDown(Integer X, Integer Y, TMouseButton Button)
{
    if (!Enabled) return;
    if (Button == mbLeft && !FDown) {
        SetDown(true);
        ShowButtonMenu();
    }
    TsfActiveSkinObject::MouseDown(X, Y, Button);
}

void TsfSkinButtonObject::MouseUp(Integer X, Integer Y, TMouseButton Button)
{
    if (!Enabled) return;
    if (Button == mbLeft && FDown && !HasMenu() && GroupIndex == -1) SetDown(false);
    TsfActiveSkinObject::MouseUp(X, Y, Button);
}

void TsfSkinButtonObject::MouseEnter()
{
    FMouseIn = Active = true;
    const bool NoDownRect = IsNullRect(DownRect);
    if (!FDown || NoDownRect) {
        if (!IsNullRect(ActiveSkinRect)) Redraw();
        if (HasMenu()) ShowLayer();
    } else if (GroupIndex == -1) {
        Parent->DrawSkinObject(this);
    }
    Parent->DoMouseEnterEvent(IDName);
    if (!HasMenu()) ShowLayer();
}

void TsfSkinButtonObject::MouseLeave()
{
    FMouseIn = false;
    const bool NoDownRect = IsNullRect(DownRect);
    if (FDown && HasMenu() && NoDownRect) {
        Active = false;
    } else if (!FDown || NoDownRect || (GroupIndex == -1 && !HasMenu())) {
        Active = false;
        if (FDown && EnableMorphing()) FMorphKf = 1;
        if (!IsNullRect(ActiveSkinRect) || (!NoDownRect && GroupIndex == -1)) Redraw();
        if (HasMenu()) HideLayer();
    }
    Parent->DoMouseLeaveEvent(IDName);
    if (!HasMenu()) HideLayer();
}

// ---------------------------------------------------------------------------
// Caption button

TsfSkinStdButtonObject::TsfSkinStdButtonObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData)
    : TsfSkinButtonObject(AParent, AData)
{
    Kind = TsfFrameObjectKind::StdButton;
    const auto* B = dynamic_cast<const TsfDataSkinStdButton*>(AData);
    if (!B) return;
    Command = B->Command;
    RestoreRect = B->RestoreRect;
    RestoreActiveRect = B->RestoreActiveRect;
    RestoreDownRect = B->RestoreDownRect;
    RestoreInActiveRect = B->RestoreInActiveRect;
    RestoreHint = B->RestoreHint;
    FTempHint = Hint;
    AlphaMaskPictureIndex = B->AlphaMaskPictureIndex;
    AlphaMaskActivePictureIndex = B->AlphaMaskActivePictureIndex;
    AlphaMaskInActivePictureIndex = B->AlphaMaskInActivePictureIndex;
    FSkinSupport = true;
}

bool CaptionCommandMeansRestore(const TsfSkinForm* P, TStdCommand Command)
{
    const bool Main = Application && Application->MainForm() == P->Form();
    return StdButtonMeansRestore(Command, Requested(P->WindowState()), Main, P->RollUpState());
}

bool TsfSkinStdButtonObject::MeansRestore() const { return CaptionCommandMeansRestore(Parent, Command); }

bool TsfSkinStdButtonObject::IsIconButton() const
{
    return Command == cmSysMenu && SkinRectInAPicture && Parent->ShowIcon();
}

bool TsfSkinStdButtonObject::InMask(Integer X, Integer Y)
{
    if (FSkinSupport && IsIconButton()) return true;
    return TsfActiveSkinObject::InMask(X, Y);
}

void TsfSkinStdButtonObject::ShowLayer()
{
    if (FSkinSupport && IsIconButton()) return;
    if (FSkinSupport && !Parent->FormActiveFlag() && !IsNullRect(InActiveSkinRect)) return;
    TsfSkinButtonObject::ShowLayer();
}

void TsfSkinStdButtonObject::HideLayer()
{
    if (FSkinSupport && IsIconButton()) return;
    if (FSkinSupport && !Parent->FormActiveFlag() && !IsNullRect(InActiveSkinRect)) return;
    TsfSkinButtonObject::HideLayer();
}

bool TsfSkinStdButtonObject::CanMorphing() { return !IsIconButton() && TsfSkinButtonObject::CanMorphing(); }

void TsfSkinStdButtonObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!FSkinSupport) {
        DefaultDraw(Cnvs);
        return;
    }
    if (!SkinLoaded()) return;
    if (IsIconButton()) {
        Parent->DrawFormIcon(Cnvs, ObjectRect.Left, ObjectRect.Top);
        FMorphKf = 0;
        return;
    }
    const bool Restore = MeansRestore();
    if (!(Enabled && (Parent->GetFormActive() || IsNullRect(InActiveSkinRect) || Restore))) {
        TsfSkinButtonObject::Draw(Cnvs, UpDate);
        return;
    }
    if (!Restore || IsNullRect(RestoreRect)) {
        if (Command == cmSysMenu && FDown && !IsNullRect(DownRect)) CopyLook(Cnvs, ActivePicture, DownRect);
        else TsfSkinButtonObject::Draw(Cnvs, UpDate);
        return;
    }
    if (!Parent->FormActiveFlag() && !IsNullRect(RestoreInActiveRect)) {
        CopyLook(Cnvs, ActivePicture, RestoreInActiveRect);
    } else if (FDown && !IsNullRect(RestoreDownRect) && FMouseIn) {
        CopyLook(Cnvs, ActivePicture, RestoreDownRect);
    } else if (EnableMorphing() && !IsNullRect(RestoreActiveRect) && !SkinObjectMorphSettled(FMorphKf, Active)) {
        DrawMorph(Cnvs, ActivePicture, RestoreRect, RestoreActiveRect);
    } else {
        CopyLook(Cnvs, ActivePicture, Active && !IsNullRect(RestoreActiveRect) ? RestoreActiveRect : RestoreRect);
    }
}

void TsfSkinStdButtonObject::DefaultDraw(TCanvas* Cnvs)
{
    if (Command == cmSysMenu && Parent->ShowIcon()) {
        Parent->DrawFormIcon(Cnvs, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    const Integer W = ObjectRect.Width(), H = ObjectRect.Height();
    if (W <= 0 || H <= 0) return;
    TBitmap B(W, H);
    TCanvas* C = B.Canvas();
    const bool Pressed = FDown && FMouseIn;
    if (FMouseIn) {
        C->Brush()->SetColor(Pressed ? TColor(0xB59385) : TColor(0xD2BDB6));
        C->FillRect({0, 0, W, H});
        C->Brush()->SetColor(TColor(0x800000));
        C->FrameRect({0, 0, W, H});
    } else {
        C->Brush()->SetColor(clBtnFace);
        C->FillRect({0, 0, W, H});
    }
    const TColor Glyph = Enabled ? clBtnText : clBtnShadow;
    const Integer X = W / 2 - 5 + (Pressed ? 1 : 0), Y = H / 2 - 4 + (Pressed ? 1 : 0);
    const TWindowState State = Parent->WindowState();
    switch (Command) {
    case cmClose: DrawCloseImage(C, X, Y, Glyph); break;
    case cmMaximize:
        if (State == wsMaximized) DrawRestoreImage(C, X, Y, Glyph);
        else DrawMaximizeImage(C, X, Y, Glyph);
        break;
    case cmMinimize:
        if (State == wsMinimized) DrawRestoreImage(C, X, Y, Glyph);
        else DrawMinimizeImage(C, X, Y, Glyph);
        break;
    case cmSysMenu: DrawSysMenuImage(C, X, Y, Glyph); break;
    case cmRollUp:
        if (Parent->RollUpState()) DrawRollDownImage(C, X, Y, Glyph);
        else DrawRollUpImage(C, X, Y, Glyph);
        break;
    case cmMinimizeToTray: DrawTrayImage(C, X, Y, Glyph); break;
    case cmDefault: break;
    }
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &B);
}

void TsfSkinStdButtonObject::MouseEnter()
{
    if (Command != cmDefault) Hint = !RestoreHint.empty() && MeansRestore() ? RestoreHint : FTempHint;
    if (IsIconButton()) return;
    TsfSkinButtonObject::MouseEnter();
}

void TsfSkinStdButtonObject::MouseLeave()
{
    if (IsIconButton()) return;
    TsfSkinButtonObject::MouseLeave();
}

void TsfSkinStdButtonObject::MouseDown(Integer, Integer, TMouseButton Button)
{
    if (!Enabled || Button != mbLeft || FDown) return;
    if (!IsIconButton()) SetDown(true);
    if (Command != cmSysMenu) return;
    // The system menu is rebuilt for the window state at every opening.
    MenuItem = Parent->GetSysMenuItems();
    ShowButtonMenu();
}

void TsfSkinStdButtonObject::MouseUp(Integer X, Integer Y, TMouseButton Button)
{
    if (Command == cmClose) {
        TsfSkinButtonObject::MouseUp(X, Y, Button);
        if (Active && Button == mbLeft) ExecuteCommand();
        return;
    }
    if (Active && Button == mbLeft) ExecuteCommand();
    if (!IsIconButton()) TsfSkinButtonObject::MouseUp(X, Y, Button);
}

void TsfSkinStdButtonObject::DblClick()
{
    if (Command == cmSysMenu) Parent->Form()->Close();
}

bool RunCaptionCommand(TsfSkinForm* P, TStdCommand Command, TsfActiveSkinObject* Glow)
{
    const bool NC = P->SupportNCArea();
    switch (Command) {
    case cmClose:
        P->FindActiveObject(-1, -1, false);
        P->Form()->Close();
        return true;
    case cmMaximize:
        P->FindActiveObject(-1, -1, false);
        if (NC && Glow) Glow->HideLayer();
        P->SetWindowState(P->WindowState() == wsMaximized ? wsNormal : wsMaximized);
        return true;
    case cmMinimize:
        P->FindActiveObject(-1, -1, false);
        if (P->AlwaysMinimizeToTray) {
            P->MinimizeToTray();
        } else if (NC) {
            if (Glow) Glow->HideLayer();
            P->SetWindowState(P->WindowState() == wsMinimized ? wsNormal : wsMinimized);
        } else {
            P->SetWindowState(wsMinimized);
        }
        return true;
    case cmRollUp:
        P->FindActiveObject(-1, -1, false);
        P->SetRollUpState(!P->RollUpState());
        return true;
    case cmMinimizeToTray:
        P->FindActiveObject(-1, -1, false);
        P->MinimizeToTray();
        return true;
    case cmSysMenu:
    case cmDefault: break;
    }
    return false;
}

void TsfSkinStdButtonObject::ExecuteCommand() { RunCaptionCommand(Parent, Command, this); }

// ---------------------------------------------------------------------------
// Caption

TsfSkinCaptionObject::TsfSkinCaptionObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData)
    : TsfActiveSkinObject(AParent, AData)
{
    Kind = TsfFrameObjectKind::Caption;
    const auto* D = dynamic_cast<const TsfDataSkinCaption*>(AData);
    if (!D) return;
    FontName = D->FontName;
    FontStyle = D->FontStyle;
    FontHeight = D->FontHeight;
    FontColor = D->FontColor;
    ActiveFontColor = D->ActiveFontColor;
    ShadowColor = D->ShadowColor;
    ActiveShadowColor = D->ActiveShadowColor;
    Shadow = D->Shadow;
    Alignment = D->Alignment;
    TextRct = D->TextRct;
    if (!AParent->SupportNCArea() && !IsNullRect(TextRct)) {
        TextRct.Left += 17;
        TextRct.Right += 17;
    }
    DefaultCaption = D->DefaultCaption;
    FrameRect = D->FrameRect;
    ActiveFrameRect = D->ActiveFrameRect;
    FrameLeftOffset = D->FrameLeftOffset;
    FrameRightOffset = D->FrameRightOffset;
    FrameTextRect = D->FrameTextRect;
    Light = D->Light;
    LightColor = D->LightColor;
    ActiveLightColor = D->ActiveLightColor;
    StretchEffect = D->StretchEffect;
    AnimateSkinRect = D->AnimateSkinRect;
    FrameCount = D->FrameCount;
    AnimateInterval = D->AnimateInterval;
    InActiveAnimation = D->InActiveAnimation;
    FullFrame = D->FullFrame;
    VistaGlowEffect = D->VistaGlowEffect;
    VistaGlowInActiveEffect = D->VistaGlowInActiveEffect;
    GlowEffect = D->GlowEffect;
    GlowInActiveEffect = D->GlowInActiveEffect;
    GlowSize = D->GlowSize;
    GlowColor = D->GlowColor;
    GlowActiveColor = D->GlowActiveColor;
    GlowOffset = D->GlowOffset;
    ReflectionEffect = D->ReflectionEffect;
    ReflectionColor = D->ReflectionColor;
    ReflectionActiveColor = D->ReflectionActiveColor;
    ReflectionOffset = D->ReflectionOffset;
    DividerRect = D->DividerRect;
    InActiveDividerRect = D->InActiveDividerRect;
    DividerTransparent = D->DividerTransparent;
    DividerTransparentColor = D->DividerTransparentColor;
    QuickButtonAlphaMaskPictureIndex = D->QuickButtonAlphaMaskPictureIndex;
}

bool TsfSkinCaptionObject::EnableAnimation() const
{
    return SD && !SD->Empty && SD->EnableSkinEffects && !IsNullRect(AnimateSkinRect);
}

void TsfSkinCaptionObject::SetTextValue(const String& Value)
{
    FTextValue = Value;
    Parent->DrawSkinObject(this);
}

TRect TsfSkinCaptionObject::TextRectOnForm() const
{
    TsfCaptionLayoutInput In;
    In.ObjectRect = ObjectRect;
    In.SkinRect = SkinRect;
    In.TextRct = TextRct;
    In.FrameRect = FrameRect;
    In.FrameTextRect = FrameTextRect;
    In.QuickButtonCount = Parent->QuickButtonsShown();
    In.QuickImageWidth = Parent->QuickImageList ? Parent->QuickImageList->Width() : 0;
    TRect TR = CaptionTextRect(In);
    if (IsNullRect(TextRct)) return {};
    return {TR.Left + ObjectRect.Left, TR.Top + ObjectRect.Top, TR.Right + ObjectRect.Left,
            TR.Bottom + ObjectRect.Top};
}

void TsfSkinCaptionObject::MakeBackground(TsfBitmap& B, const TRect& S, const TsfBitmap* P, bool Horizontal) const
{
    const Integer W = ObjectRect.Width(), H = ObjectRect.Height();
    B.SetSize(IntMax(W, 1), IntMax(H, 1));
    if (!P || IsNullRect(S)) return;
    const TsfSkinContent& C = *SD;
    if (Parent->HasSkinFrameGeometry()) {
        const Integer Kind = CaptionPieceKind(SkinRect, ObjectRect, C.LTPoint, C.RTPoint, C.LBPoint, C.RBPoint);
        if (Horizontal || Kind <= 2) {
            Integer L = 0, R = 0;
            if (Kind == 1) {
                L = C.LTPoint.X - SkinRect.Left;
                R = SkinRect.Right - C.RTPoint.X;
            } else if (Kind == 2) {
                L = C.LBPoint.X - SkinRect.Left;
                R = SkinRect.Right - C.RBPoint.X;
            }
            L = IntMax(L, 0);
            R = IntMax(R, 0);
            if (L > 0 || R > 0) {
                CreateHSkinImage(L, R, &B, P, S, W, H, StretchEffect);
                return;
            }
        } else {
            const bool Left = Kind == 3;
            const Integer T = IntMax((Left ? C.LTPoint.Y : C.RTPoint.Y) - SkinRect.Top, 0);
            const Integer Bo = IntMax(SkinRect.Bottom - (Left ? C.LBPoint.Y : C.RBPoint.Y), 0);
            CreateVSkinImage(T, Bo, &B, P, S, W, H, StretchEffect);
            return;
        }
    }
    CopySkinPart(B.DC(), {0, 0, W, H}, P, S);
}

void TsfSkinCaptionObject::SetCaptionFont(TCanvas* Cnvs, bool AActive)
{
    TFont* F = Cnvs->Font();
    if (Parent->UseSkinFontInCaption) {
        F->SetName(FontName);
        F->SetStyle(FontStyle);
        F->SetHeight(FontHeight);
    } else {
        F->Assign(Parent->DefCaptionFont());
    }
    F->SetColor(FWhiteText ? clWhite : AActive ? ActiveFontColor : FontColor);
    if (SD && SD->ResourceStrData()) F->SetCharset(SD->ResourceStrData()->CharSet());
    else F->SetCharset(Parent->DefCaptionFont()->Charset());
}

void TsfSkinCaptionObject::DrawCaptionText(TCanvas* Cnvs, const TRect& TR, bool AActive, bool OnTop)
{
    TCustomForm* Form = Parent->Form();
    String Text = Form->Caption();
    if (!Parent->SupportNCArea() && !DefaultCaption) Text = FTextValue;
    if (Parent->OnCaptionPaint) {
        // The alpha pass finds the application's painting by the pixels it changed.
        if (!FWhiteText) Parent->OnCaptionPaint(Cnvs, ObjectRect, AActive);
        return;
    }
    if (Text.empty() || IsNullRect(TextRct)) return;
    SetCaptionFont(Cnvs, AActive);
    CutTextToWidth(Cnvs, Text, TR.Width());
    const Integer TW = GetWideTextWidth(Cnvs, Text), TH = GetWideTextHeight(Cnvs, Text);
    TPoint P = CaptionTextPos(TR, Alignment, false, TW, TH, (FontHeight & 1) != 0 && Parent->UseSkinFontInCaption);
    if (OnTop) {
        P.X += ObjectRect.Left;
        P.Y += ObjectRect.Top;
    }
    Cnvs->Brush()->SetStyle(bsClear);
    // The picture behind the text.
    if (!IsNullRect(FrameRect) && ActivePicture) {
        const TRect FR = AActive && !IsNullRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
        TsfBitmap B;
        const Integer Base = OnTop ? ObjectRect.Left : 0;
        auto Put = [&](Integer X, Integer Y) {
            if (!FWhiteText) {
                B.Draw(Cnvs, X, Y);
                return;
            }
            Cnvs->Brush()->SetStyle(bsSolid);
            Cnvs->Brush()->SetColor(clWhite);
            Cnvs->FillRect({X, Y, X + B.Width(), Y + B.Height()});
            Cnvs->Brush()->SetStyle(bsClear);
        };
        if (FullFrame) {
            const Integer W = ObjectRect.Width() - 2 * SD->ButtonsOffset;
            if (W > 0) {
                CreateHSkinImage(FrameLeftOffset, FrameRightOffset, &B, ActivePicture, FR, W, FR.Height(), false);
                Put(Base + SD->ButtonsOffset, P.Y - FrameTextRect.Top);
            }
        } else {
            const Integer W = FrameRect.Width() + TW - FrameTextRect.Width();
            if (W > 0) {
                CreateHSkinImage(FrameLeftOffset, FrameRightOffset, &B, ActivePicture, FR, W, FR.Height(), false);
                Put(P.X - FrameTextRect.Left, P.Y - FrameTextRect.Top);
            }
        }
    }
    // Measured without DT_VCENTER: with it the measured rectangle moves up by half the text.
    const UINT Measure = DT_SINGLELINE | DT_NOCLIP;
    const UINT Flags = DT_VCENTER | Measure;
    auto Copy = [&](Integer X, Integer Y, TColor Colour) {
        TRect R{X, Y, X, Y};
        DrawWideText(Cnvs, Text, R, DT_CALCRECT | Measure);
        const TColor Was = Cnvs->Font()->Color();
        Cnvs->Font()->SetColor(FWhiteText ? clWhite : Colour);
        DrawWideText(Cnvs, Text, R, Flags);
        Cnvs->Font()->SetColor(Was);
    };
    if (Light) Copy(P.X - 1, P.Y - 1, AActive ? ActiveLightColor : LightColor);
    if (Shadow) Copy(P.X + 1, P.Y + 1, AActive ? ActiveShadowColor : ShadowColor);
    TRect R{P.X, P.Y, P.X, P.Y};
    DrawWideText(Cnvs, Text, R, DT_CALCRECT | Measure);
    auto Effect = [&](TColor C) { return FWhiteText ? clWhite : C; };
    if (ReflectionEffect) {
        DrawReflectionText(Cnvs, R, Text, Flags, ReflectionOffset,
                           Effect(AActive ? ReflectionActiveColor : ReflectionColor));
    } else if (VistaGlowEffect && (AActive || VistaGlowInActiveEffect)) {
        DrawVistaGlowText(Cnvs, R, Text, Flags, Effect(AActive ? GlowActiveColor : GlowColor));
    } else if (GlowEffect && (AActive || GlowInActiveEffect)) {
        DrawGlowText(Cnvs, R, Text, Flags, GlowOffset, Effect(AActive ? GlowActiveColor : GlowColor), GlowSize);
    } else {
        DrawWideText(Cnvs, Text, R, Flags);
    }
    Cnvs->Brush()->SetStyle(bsSolid);
}

void TsfSkinCaptionObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!SkinLoaded()) return;
    Active = Parent->GetFormActive();
    const bool Anim = EnableAnimation();
    if (!Active && !InActiveAnimation && Anim) Animation.CurrentFrame = 0;
    if (Active && Anim && Animation.CurrentFrame == 0) Animation.CurrentFrame = 1;
    TsfCaptionLayoutInput In;
    In.ObjectRect = ObjectRect;
    In.SkinRect = SkinRect;
    In.TextRct = TextRct;
    In.FrameRect = FrameRect;
    In.FrameTextRect = FrameTextRect;
    In.QuickButtonCount = Parent->QuickButtonsShown();
    In.QuickImageWidth = Parent->QuickImageList ? Parent->QuickImageList->Width() : 0;
    const TRect TR = CaptionTextRect(In);
    const bool NC = Parent->SupportNCArea();
    const Integer W = ObjectRect.Width(), H = ObjectRect.Height();
    // The quick buttons go over the caption, left of its text.
    const TRect& Icon = Parent->Geometry().NewIconRect;
    const bool HasIcon = Parent->ShowIcon() && Icon.Width() > 0 && Icon.Left >= ObjectRect.Left &&
                         Icon.Right <= ObjectRect.Right;
    const bool Quick = LayoutCaptionQuickButtons(Parent, ObjectRect, HasIcon ? Icon.Right : -1);
    auto DrawBitmap = [&](TsfBitmap& B) {
        B.Draw(Cnvs, ObjectRect.Left, ObjectRect.Top);
        if (Quick) DrawCaptionQuickButtons(Parent, Cnvs);
    };
    if (W <= 0 || H <= 0) return;
    if (Anim && Animation.CurrentFrame > 0 && Animation.CurrentFrame <= FrameCount) {
        const TRect FrameR = CaptionAnimationFrame(AnimateSkinRect, SkinRect.Height(), FrameCount, Animation.CurrentFrame);
        TsfBitmap B;
        MakeBackground(B, FrameR, ActivePicture, NC);
        // Until the last frame the text keeps the look of the state it leaves.
        DrawCaptionText(B.Canvas(), TR, !Active, false);
        DrawBitmap(B);
        return;
    }
    const TRect& RA = ActiveSkinRect;
    if (!IsNullRect(RA) || !NC) {
        if (!IsNullRect(RA) && (Active || (FMorphKf > 0 && EnableMorphing()))) {
            TsfBitmap Hot;
            MakeBackground(Hot, RA, ActivePicture, false);
            DrawCaptionText(Hot.Canvas(), TR, true, false);
            const bool Settled = FMorphKf >= 1 || (FMorphKf <= 0 && !EnableMorphing());
            if (Active && Settled) {
                DrawBitmap(Hot);
                return;
            }
            TsfBitmap Normal;
            MakeBackground(Normal, SkinRect, Picture, false);
            DrawCaptionText(Normal.Canvas(), TR, false, false);
            GdiFlush();
            auto From = TsfEffectBmp::CreateFromhWnd(Normal.Handle());
            auto To = TsfEffectBmp::CreateFromhWnd(Hot.Handle());
            if (From && To) {
                From->MorphBy(MorphKind, To.get(), FMorphKf);
                From->Draw(Normal.DC(), 0, 0);
            }
            if (SD->AutoRenderingInActiveImage && !Active) Parent->ApplyInActiveEffect(Normal);
            DrawBitmap(Normal);
            return;
        }
        if (UpDate) {
            TsfBitmap B;
            MakeBackground(B, SkinRect, Picture, false);
            DrawCaptionText(B.Canvas(), TR, Active, false);
            if (!Active && SD->AutoRenderingInActiveImage) Parent->ApplyInActiveEffect(B);
            DrawBitmap(B);
            return;
        }
    }
    DrawCaptionText(Cnvs, TR, Active, true);
    if (Quick) DrawCaptionQuickButtons(Parent, Cnvs);
}

void TsfSkinCaptionObject::MouseEnter()
{
    FMouseIn = true;
    Parent->DoMouseEnterEvent(IDName);
}

void TsfSkinCaptionObject::MouseLeave()
{
    FMouseIn = false;
    Parent->DoMouseLeaveEvent(IDName);
    ActiveQuickButton = OldActiveQuickButton = -1;
    if (ClearQuickButtons(Parent)) Parent->DrawSkinObject(this);
}

void TsfSkinCaptionObject::MouseDown(Integer X, Integer Y, TMouseButton Button)
{
    QuickButtonsMouseDown(Parent, Button, X, Y);
    Parent->DoMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TsfSkinCaptionObject::MouseUp(Integer X, Integer Y, TMouseButton Button)
{
    QuickButtonsMouseUp(Parent, Button, X, Y);
    Parent->DoMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TsfSkinCaptionObject::MouseMove(Integer X, Integer Y)
{
    if (QuickButtonsMouseMove(Parent, X, Y)) Parent->DrawSkinObject(this);
    Parent->DoMouseMoveEvent(IDName, X, Y, ObjectRect);
}
