// Client mode of the skinned form (SupportNCArea off): the whole skin picture
// is drawn in the client area of a borderless form, which is dragged by its
// body, rolled up to the skin's roll-up picture and sized to the picture when
// the skin cannot stretch; controls are bound by name to areas of the
// picture and placed there at each skin change.
#include <windows.h>

#include "skin/controls/win/SkinCtrls.h"
#include "skin/frame/SkinClientModeCore.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/model/SFSkinImage.h"
#include "skin/model/SFWindowData.h"

// ---------------------------------------------------------------------------
// Area bindings

void TsfSkinForm::LinkControlToArea(const String& AreaName, TControl* Control)
{
    if (!Control || !FSD) return;
    const Integer I = FSD->GetAreaIndex(AreaName);
    if (I < 0 || I >= Integer(FSD->AreaList.size())) return;
    const TsfDataSkinArea& A = *FSD->AreaList[size_t(I)];
    if (A.AreaRect.Width() <= 0 || A.AreaRect.Height() <= 0) return;
    Control->SetAlign(alNone);
    AreaList.push_back({Control, A.AreaRect, A.UseAnchors, A.AnchorLeft, A.AnchorTop, A.AnchorRight, A.AnchorBottom});
}

void TsfSkinForm::UnLinkControlFromArea(TControl* Control)
{
    for (auto It = AreaList.begin(); It != AreaList.end(); ++It)
        if (It->Control == Control) {
            AreaList.erase(It);
            return;
        }
}

void TsfSkinForm::LinkControlsToAreas()
{
    for (Integer I = 0; I < FForm->ControlCount(); ++I) {
        TControl* C = FForm->Controls(I);
        String Name;
        if (auto* S = dynamic_cast<TsfSkinControl*>(C)) Name = S->AreaName();
        else if (auto* G = dynamic_cast<TsfGraphicSkinControl*>(C)) Name = G->AreaName();
        if (Name.empty()) continue;
        // Bound anew: the binding of the previous skin goes.
        UnLinkControlFromArea(C);
        LinkControlToArea(Name, C);
    }
}

void TsfSkinForm::PlaceLinkedControls()
{
    for (const TsfAreaBinding& B : AreaList) {
        const TRect R = HasSkinFrameGeometry() ? FGeometry.CalcAreaRect(B.AreaRect, B.UseAnchors, B.AnchorLeft,
                                                                        B.AnchorTop, B.AnchorRight, B.AnchorBottom)
                                               : B.AreaRect;
        B.Control->SetBounds(R.Left, R.Top, R.Width(), R.Height());
        if (auto* W = dynamic_cast<TWinControl*>(B.Control)) W->Realign();
    }
}

// ---------------------------------------------------------------------------
// Size and roll-up

void TsfSkinForm::FitClientToSkin()
{
    if (!FSkinSupport) return;
    const TsfClientFit F = FitClientToPicture(HasSkinFrameGeometry(), MinWidth > 0, MinHeight > 0,
                                              FForm->ClientWidth(), FForm->ClientHeight(), FGeometry.PictureWidth(),
                                              FGeometry.PictureHeight());
    if (F.Change) {
        FForm->SetClientWidth(F.Width);
        FForm->SetClientHeight(F.Height);
    }
    if (F.FixedSize) Sizeable = false;
}

void TsfSkinForm::RollUpClient()
{
    if (!FSD) return;
    const TsfBitmap* Pic = ObjectPicture(true);
    const TsfRollUpPlace P = RollUpPlace(FForm->Width(), Pic->Width(), Pic->Height(), FSD->RollUpLeftPoint.X,
                                         FSD->RollUpRightPoint.X);
    for (const auto& O : ObjectList)
        if (O->RollUp) O->ObjectRect = RollUpObjectRect(O->SkinRect, P.D, FSD->RollUpLeftPoint.X, FSD->RollUpRightPoint.X);
    FindActiveObject(-1, -1, false);
    StopMouseTimer();
    if (VisibleControls.empty())
        for (Integer I = 0; I < FForm->ControlCount(); ++I)
            if (TControl* C = FForm->Controls(I); C->Visible()) VisibleControls.push_back(C);
    for (TControl* C : VisibleControls) C->SetVisible(false);
    if (P.Stretch) FForm->SetHeight(P.Height);
    else FForm->SetBounds(FForm->Left(), FForm->Top(), P.Width, P.Height);
    SetRollUpRegion();
    if (FSupportNCArea) UpDateFormNC();
    else FForm->Repaint();
    StartMouseTimer();
}

void TsfSkinForm::RollDownClient()
{
    FindActiveObject(-1, -1, false);
    StopMouseTimer();
    for (TControl* C : VisibleControls) C->SetVisible(true);
    VisibleControls.clear();
    if (HasSkinFrameGeometry()) FForm->SetHeight(OldHeight);
    FitClientToSkin();
    // The frame's shape and objects of the full size come back.
    UpdateFrameLayout(true);
    FForm->Invalidate();
    StartMouseTimer();
}

void TsfSkinForm::SetRollUpRegion()
{
    if (!FForm->HandleAllocated()) return;
    const HWND Wnd = FForm->Handle();
    if (!FSD || FSD->FRollUpMask.Width <= 0 || FSD->FRollUpMask.Height <= 0) {
        if (FRgn) {
            SetWindowRgn(Wnd, nullptr, TRUE);  // the system deletes the region it held
            FRgn = nullptr;
        }
        return;
    }
    std::unique_ptr<TsfBitmap> Mask = SkinPictureToBitmap(FSD->FRollUpMask);
    const Integer L = FSD->RollUpLeftPoint.X, R = FSD->RollUpRightPoint.X;
    if (L < R && FForm->Width() != Mask->Width()) {
        auto Wide = std::make_unique<TsfBitmap>();
        CreateHSkinImage(L, Mask->Width() - R, Wide.get(), Mask.get(), {0, 0, Mask->Width(), Mask->Height()},
                         FForm->Width(), Mask->Height(), false);
        Mask = std::move(Wide);
    }
    std::vector<uint8_t> Data;
    const size_t Size = MaskToRgnData(Mask.get(), 0, 0, Data);
    if (Size == 0) return;
    HRGN Rgn = ExtCreateRegion(nullptr, DWORD(Size), reinterpret_cast<const RGNDATA*>(Data.data()));
    if (!Rgn) return;
    SetWindowRgn(Wnd, Rgn, TRUE);  // the system owns it now and deletes the previous one
    FRgn = Rgn;
}

// ---------------------------------------------------------------------------
// Body drag

bool TsfSkinForm::IsCursorOverForm(const TPoint& P) const
{
    return FForm->HandleAllocated() && WindowFromPoint({P.X, P.Y}) == FForm->Handle();
}

void TsfSkinForm::BeginFormDrag(Integer X, Integer Y)
{
    FIsDragging = true;
    const TPoint S = FForm->ClientToScreen({X, Y});
    FOldX = S.X;
    FOldY = S.Y;
    SetCapture(FForm->Handle());
}

void TsfSkinForm::EndFormDrag()
{
    if (!FIsDragging) return;
    FIsDragging = false;
    if (GetCapture() == FForm->Handle()) ReleaseCapture();
}

void TsfSkinForm::FormDragMove()
{
    if (!FIsDragging) return;
    POINT C{};
    GetCursorPos(&C);
    if (C.x == FOldX && C.y == FOldY) return;
    Integer L = FForm->Left() + C.x - FOldX, T = FForm->Top() + C.y - FOldY;
    if (Magnetic) MagneticMove(L, T, FForm->Height(), FForm->Width());
    FForm->SetBounds(L, T, FForm->Width(), FForm->Height());
    FOldX = C.x;
    FOldY = C.y;
}

void TsfSkinForm::UpdateCaptionText()
{
    if (!FSkinSupport) return;
    for (const auto& O : ObjectList)
        if (auto* C = dynamic_cast<TsfSkinCaptionObject*>(O.get()); C && C->DefaultCaption)
            C->SetTextValue(FForm->Caption());
}

// ---------------------------------------------------------------------------
// Skin change in client mode

void TsfSkinForm::ChangeSkinDataClient()
{
    if (FRollUpState && FSD->FRollUpPicture.Width <= 0) {
        RollDownClient();
        FRollUpState = false;
    }
    if (!FRollUpState) FitClientToSkin();
    CreateObjects();
    UpdateCaptionButtons();
    if (FRollUpState) RollUpClient();
}

void TsfSkinForm::ClientModeMouseDown(Integer X, Integer Y)
{
    if (ActiveObject < 0 && FWindowState != wsMaximized && DraggAble) BeginFormDrag(X, Y);
}
