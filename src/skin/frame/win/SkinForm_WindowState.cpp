// The window states of a skinned form: the component maximises, minimises,
// restores and rolls up the form itself (the platform's own states would
// draw the platform's frame), and snaps a dragged form to its area's edges.
#include <windows.h>

#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinLayerBorder.h"
#include "skin/model/SFMessages.h"
#include "skin/model/win/SFUtils_Win.h"

namespace {

bool IsNullBounds(const TRect& R) { return R.Left == 0 && R.Top == 0 && R.Right == 0 && R.Bottom == 0; }

// The client rectangle of an MDI child's parent (the MDI client window).
TRect MDIClientArea(TCustomForm* Form)
{
    RECT R{};
    if (Form->HandleAllocated()) GetClientRect(GetParent(Form->Handle()), &R);
    return {R.left, R.top, R.right, R.bottom};
}

// A rectangle grown (Sign 1) or shrunk (Sign -1) by the layered border's sizing band.
TRect ByBorder(const TRect& R, const TsfLayerBorderGeometry& G, Integer Sign)
{
    return {R.Left - Sign * G.LeftSize, R.Top - Sign * G.TopSize, R.Right + Sign * G.RightSize,
            R.Bottom + Sign * G.BottomSize};
}

}  // namespace

bool TsfSkinForm::IsFullLayerBorderUsed() const
{
    return FBorderLayer && FBorderLayer->Data() && FBorderLayer->Data()->FullBorder && IsLayerBorderUsed();
}

bool TsfSkinForm::FullLayerBorderShown() const { return IsFullLayerBorderUsed() && FBorderLayer->Visible(); }

void TsfSkinForm::SetWindowState(TWindowState Value)
{
    FWindowStateInit = Value;
    if (ComponentState() & (csLoading | csDesigning)) return;
    FWindowStateChanged = true;
    ApplyWindowState(Value);
    // A request that was refused is forgotten.
    FWindowStateInit = FWindowState;
}

void TsfSkinForm::ApplyWindowState(TWindowState Value)
{
    if (Value == FWindowState) return;
    const TWindowState Old = FWindowState;
    // Minimising the main form minimises the application; the form keeps its state.
    if (!(Value == wsMinimized && FForm == Application->MainForm())) FWindowState = Value;
    switch (Value) {
    case wsNormal:
        if (Old == wsMaximized && FRollUpState && !FRollUpBeforeMaximize) SetRollUpState(false);
        FRollUpBeforeMaximize = false;
        DoRestore();
        break;
    case wsMinimized: DoMinimize(); break;
    case wsMaximized:
        FRollUpBeforeMaximize = FRollUpState;
        DoMaximize();
        break;
    }
}

void TsfSkinForm::DoMinimize()
{
    if (FForm == Application->MainForm() || !FSupportNCArea) {
        // The main form stands on the task bar itself: its border would stay on the desktop.
        if (FSupportNCArea && FBorderLayer && FBorderLayer->Visible()) FBorderLayer->Hide();
        Application->Minimize();
    } else {
        if (IsNullBounds(OldBoundsRect)) OldBoundsRect = FForm->BoundsRect();
        TPoint P = GetMinimizedPosition();
        if (FullLayerBorderShown()) {
            const TsfLayerBorderGeometry& G = FBorderLayer->Geometry();
            P.X += G.LeftSize;
            P.Y -= G.BottomSize + FBorderLayer->Data()->RollUpFormHeight - 10;
        }
        FForm->SetBounds(P.X, P.Y, GetMinWidth(), GetMinHeight());
        if (FForm->FormStyle() == fsMDIChild && FWindowStateInit != wsMaximized && Application->MainForm() &&
            Application->MainForm()->HandleAllocated()) {
            const HWND Main = Application->MainForm()->Handle();
            SendMessageW(Main, WM_MDICHILDRESTORED, 0, 0);
            SendMessageW(Main, WM_MDIRESTOREOTHERS, reinterpret_cast<WPARAM>(FForm->Handle()), 0);
        }
    }
    if (OnMinimize) OnMinimize(this);
}

TPoint TsfSkinForm::GetMinimizedPosition()
{
    const bool MDIChild = FForm->FormStyle() == fsMDIChild;
    TRect Area;
    if (MDIChild) {
        const TRect C = MDIClientArea(FForm);
        Area = {0, 0, C.Width(), C.Height()};
    } else {
        GetScreenRect(true, Area);
        if (FForm->HandleAllocated()) GetMonitorRect(FForm->Handle(), true, Area);
    }
    TCustomForm* Main = Application->MainForm();
    return MinimizedPosition(Area, GetMinWidth(), GetMinHeight(), [&](const TPoint& P) {
        for (Integer I = 0; I < Screen->FormCount(); ++I) {
            TCustomForm* F = Screen->Forms(I);
            if (F == FForm || !F->Visible()) continue;
            if (MDIChild ? F->FormStyle() != fsMDIChild : F == Main) continue;
            const TsfSkinForm* C = GetSkinForm(F);
            if (C && C->WindowState() == wsMinimized && F->Left() == P.X && F->Top() == P.Y) return true;
        }
        return false;
    });
}

void TsfSkinForm::DoMaximize()
{
    // A body drag under way would move the maximised form on.
    if (!FSupportNCArea) EndFormDrag();
    if (IsNullBounds(OldBoundsRect)) OldBoundsRect = FForm->BoundsRect();
    if (FForm->FormStyle() == fsMDIChild) {
        StopMouseTimer();
        FindActiveObject(-1, -1, false);
        const TRect C = MDIClientArea(FForm);
        const bool Same = FForm->Width() == C.Width() && FForm->Height() == C.Height();
        FForm->SetBounds(0, 0, C.Width(), C.Height());
        if (Same) NudgeWidth();
        if (Application->MainForm() && Application->MainForm()->HandleAllocated())
            SendMessageW(Application->MainForm()->Handle(), WM_MDICHILDMAXIMIZED, 0, 0);
    } else {
        TRect Work, Monitor, Primary;
        GetScreenRect(true, Work);
        GetScreenRect(false, Monitor);
        Primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (FForm->HandleAllocated()) {
            GetMonitorRect(FForm->Handle(), true, Work);
            GetMonitorRect(FForm->Handle(), false, Monitor);
        }
        TRect A = MaximizedArea(Work, Monitor, Primary, MaximizeOnFullScreen);
        // A full border stays on the screen around the form.
        if (FullLayerBorderShown()) A = ByBorder(A, FBorderLayer->Geometry(), -1);
        FForm->SetBounds(A.Left, A.Top, A.Width(), A.Height());
    }
    // A maximised form cannot be sized from its corner.
    if (FStatusBar && FStatusBar->SizeGrip()) FStatusBar->SetShowGrip(false);
    // Only a full border has a place around a maximised form.
    if (FBorderLayer && FBorderLayer->Visible() && !IsFullLayerBorderUsed()) FBorderLayer->Hide();
    if (OnMaximize) OnMaximize(this);
}

void TsfSkinForm::DoRestore()
{
    const TRect Before = FForm->BoundsRect();
    const bool BorderHidden = IsLayerBorderUsed() && !(FBorderLayer && FBorderLayer->Visible());
    if (FSupportNCArea) {
        MaxRollUpState = false;
        if (BorderHidden && FBorderLayer) FBorderLayer->ShowWithForm();
        if (FStartShow && !IsNullBounds(OldBoundsRect)) {
            // First shown maximised: the saved size goes where the form would have been placed.
            FStartShow = false;
            const TPoint P = GetPositionInMonitor(OldBoundsRect.Left, OldBoundsRect.Top, OldBoundsRect.Width(),
                                                  OldBoundsRect.Height());
            FForm->SetBounds(P.X, P.Y, OldBoundsRect.Width(), OldBoundsRect.Height());
        } else if (!IsNullBounds(OldBoundsRect)) {
            if (FBorderLayer && FBorderLayer->Visible())
                FBorderLayer->SetBoundsWithForm3(OldBoundsRect.Left, OldBoundsRect.Top, OldBoundsRect.Height(),
                                                 OldBoundsRect.Width());
            FForm->SetBounds(OldBoundsRect.Left, OldBoundsRect.Top, OldBoundsRect.Width(), OldBoundsRect.Height());
        }
        StartMouseTimer();
        const TRect Now = FForm->BoundsRect();
        if (Now.Width() == Before.Width() && Now.Height() == Before.Height()) NudgeWidth();
        if (FForm->HandleAllocated()) RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        if (FForm->FormStyle() == fsMDIChild && FWindowStateInit != wsMaximized && Application->MainForm() &&
            Application->MainForm()->HandleAllocated()) {
            const HWND Main = Application->MainForm()->Handle();
            SendMessageW(Main, WM_MDICHILDRESTORED, 0, 0);
            SendMessageW(Main, WM_MDIRESTOREALL, 0, 0);
        }
    } else {
        if (BorderHidden && FBorderLayer) FBorderLayer->ShowWithForm();
        if (!IsNullBounds(OldBoundsRect))
            FForm->SetBounds(OldBoundsRect.Left, OldBoundsRect.Top, OldBoundsRect.Width(), OldBoundsRect.Height());
        StartMouseTimer();
    }
    OldBoundsRect = {};
    if (FStatusBar && FStatusBar->SizeGrip()) FStatusBar->SetShowGrip(true);
    if (OnRestore) OnRestore(this);
}

void TsfSkinForm::SetRollUpState(bool Value)
{
    if (!FSkinSupport && !FSupportNCArea) return;
    if (!(FBorderIcons & sfbiRollUp)) return;
    if (FRollUpState && FWindowState == wsMaximized && !MaxRollUpState) return;
    if (FWindowState == wsMinimized) return;
    if (FWindowStateInit == wsMaximized) MaxRollUpState = Value;
    const bool Was = FRollUpState;
    FRollUpState = Value;
    if (FSupportNCArea) {
        if (Value == Was) {
            // nothing to size
        } else if (Value) {
            OldHeight = FForm->Height();
            RollUpNC();
        } else if (ClientHeight != 0) {
            FForm->SetClientHeight(ClientHeight);
        } else {
            RollDownNC();
        }
    } else if (FSD && FSD->FRollUpPicture.Width > 0 && Value != Was) {
        if (Value) {
            OldHeight = FForm->Height();
            RollUpClient();
        } else {
            RollDownClient();
        }
    } else if (!FSD || FSD->FRollUpPicture.Width <= 0) {
        // The client-area roll-up needs the skin's roll-up picture.
        FRollUpState = false;
    }
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TsfSkinForm::RollUpNC()
{
    // A form already at that height would not move: the full border then
    // would not learn that it now frames a rolled-up form.
    if (FullLayerBorderShown() && FForm->Height() == GetMinHeight()) {
        FForm->SetHeight(GetMinHeight() + 1);
        OldHeight = FForm->Height();
    }
    FForm->SetHeight(GetMinHeight());
}

void TsfSkinForm::RollDownNC() { FForm->SetHeight(OldHeight); }

Integer TsfSkinForm::GetUnrolledHeight() const { return FRollUpState ? OldHeight : FForm->Height(); }

void TsfSkinForm::CaptionDblClick()
{
    if (ActiveObject < 0 || ActiveObject >= static_cast<Integer>(ObjectList.size())) return;
    if (ObjectList[static_cast<size_t>(ActiveObject)]->Kind != TsfFrameObjectKind::Caption || !NCDraggAble) return;
    if (FRollUpState) SetRollUpState(false);
    else if (Sizeable) SetWindowState(FWindowStateInit == wsNormal ? wsMaximized : wsNormal);
    else SetRollUpState(true);
}

void TsfSkinForm::MagneticMove(Integer& ALeft, Integer& ATop, Integer AHeight, Integer AWidth)
{
    TRect A;
    if (FForm->FormStyle() == fsMDIChild) {
        A = MDIClientArea(FForm);
        POINT O{0, 0};
        if (FForm->HandleAllocated()) ClientToScreen(GetParent(FForm->Handle()), &O);
        A = {A.Left + O.x, A.Top + O.y, A.Right + O.x, A.Bottom + O.y};
    } else {
        GetScreenRect(true, A);
        if (FForm->HandleAllocated()) GetMonitorRect(FForm->Handle(), true, A);
    }
    POINT C{};
    GetCursorPos(&C);
    // A shown layered border is what meets the edges.
    TRect F{ALeft, ATop, ALeft + AWidth, ATop + AHeight};
    const bool Bordered = FBorderLayer && FBorderLayer->Visible();
    if (Bordered) F = ByBorder(F, FBorderLayer->Geometry(), 1);
    Integer L = F.Left, T = F.Top;
    FMagnet.SnapPoint = FOnMouseDownCoord;
    FMagnet.Move(A, MagneticSize, {C.x, C.y}, L, T, F.Height(), F.Width());
    FOnMouseDownCoord = FMagnet.SnapPoint;
    ALeft = L + ALeft - F.Left;
    ATop = T + ATop - F.Top;
}

void TsfSkinForm::SaveLayerBorderBounds()
{
    FOldFormBounds = FForm->BoundsRect();
    FOldFullBorder = 0;
    // Shown is what counts: the option that makes it used may have just been switched off.
    if (!FBorderLayer || !FBorderLayer->Visible() || !FBorderLayer->FullBorder()) return;
    FOldFormBounds = ByBorder(FOldFormBounds, FBorderLayer->Geometry(), 1);
    FOldFullBorder = 1;
}

void TsfSkinForm::RestoreLayerBorderBounds()
{
    if (FOldFullBorder != 1) return;
    FOldFullBorder = 0;
    const TRect& B = FOldFormBounds;
    if (FullLayerBorderShown()) {
        const TRect R = ByBorder(B, FBorderLayer->Geometry(), -1);
        FForm->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    } else {
        FForm->SetBounds(B.Left, B.Top, B.Width(), FRollUpState ? GetMinHeight() : B.Height());
    }
}

void TsfSkinForm::CheckAppLayeredBorders()
{
    if (FForm != Application->MainForm() || !FSkinSupport || !FSD || !FSD->ShowLayeredBorders() ||
        !IsLayerBorderUsed())
        return;
    std::vector<TCustomForm*> Others;
    for (Integer I = 0; I < Screen->FormCount(); ++I) {
        TCustomForm* F = Screen->Forms(I);
        if (F == FForm || !F->Visible() || F->FormStyle() == fsStayOnTop || F->FormStyle() == fsMDIChild) continue;
        Others.push_back(F);
    }
    if (Others.empty()) return;
    for (TCustomForm* F : Others) F->Show();
    if (FForm->Visible()) FForm->Show();
}

void TsfSkinForm::Move(Integer AX, Integer AY)
{
    // The position asked for is the outer frame's when a layered border is shown.
    if (IsLayerBorderUsed() && FBorderLayer && FBorderLayer->Visible()) {
        AX += FBorderLayer->Geometry().LeftSize;
        AY += FBorderLayer->Geometry().TopSize;
    }
    FForm->SetBounds(AX, AY, FForm->Width(), FForm->Height());
}

void TsfSkinForm::SetBounds(Integer AX, Integer AY, Integer AWidth, Integer AHeight)
{
    TRect R{AX, AY, AX + AWidth, AY + AHeight};
    if (IsLayerBorderUsed() && FBorderLayer && FBorderLayer->Visible()) R = ByBorder(R, FBorderLayer->Geometry(), -1);
    FForm->SetBounds(R.Left, R.Top, R.Width(), R.Height());
}
