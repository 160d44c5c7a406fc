#include "skin/frame/win/SkinQuickButtons.h"

#include <windows.h>

#include "skin/controls/win/SkinCtrls.h"
#include "skin/frame/SkinQuickButtonsCore.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinLayerBorder.h"

// ---------------------------------------------------------------------------
// Items

void TsfQuickButtonItem::Assign(TPersistent* Source)
{
    if (auto* Q = dynamic_cast<TsfQuickButtonItem*>(Source)) {
        FImageIndex = Q->FImageIndex;
        Hint = Q->Hint;
        FEnabled = Q->FEnabled;
        FVisible = Q->FVisible;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

void TsfQuickButtonItem::SetImageIndex(Integer Value)
{
    FImageIndex = Value;
    Changed(false);
}

void TsfQuickButtonItem::SetEnabled(bool Value)
{
    FEnabled = Value;
    Changed(false);
}

void TsfQuickButtonItem::SetVisible(bool Value)
{
    FVisible = Value;
    Changed(false);
}

TsfQuickButtonItems::TsfQuickButtonItems(TsfSkinForm* ADSF) : TOwnedCollectionOf<TsfQuickButtonItem>(ADSF), FDSF(ADSF) {}

void TsfQuickButtonItems::Update(TCollectionItem* Item)
{
    TCollection::Update(Item);
    if (FDSF && !(FDSF->ComponentState() & (csLoading | csDesigning))) FDSF->UpDateFormNC();
}

// ---------------------------------------------------------------------------
// The caption's part

namespace {

bool Shown(TsfSkinForm* DSF) { return DSF->QuickImageList && DSF->QuickButtons()->Count() > 0; }

} // namespace

bool LayoutCaptionQuickButtons(TsfSkinForm* DSF, const TRect& Caption, Integer IconRight)
{
    if (!Shown(DSF)) return false;
    TsfQuickButtonItems* Q = DSF->QuickButtons();
    std::vector<bool> Visible;
    for (Integer I = 0; I < Q->Count(); ++I) Visible.push_back(Q->Items(I)->Visible());
    const std::vector<TRect> R = LayoutQuickButtons(Caption, IconRight, DSF->QuickImageList->Width(),
                                                    DSF->QuickImageList->Height(), Visible);
    for (Integer I = 0; I < Q->Count(); ++I) Q->Items(I)->ItemRect = R[size_t(I)];
    return true;
}

void DrawCaptionQuickButtons(TsfSkinForm* DSF, TCanvas* Canvas)
{
    if (!Shown(DSF)) return;
    TCustomImageList* IL = DSF->QuickImageList;
    TsfQuickButtonItems* Q = DSF->QuickButtons();
    for (Integer I = 0; I < Q->Count(); ++I) {
        TsfQuickButtonItem* B = Q->Items(I);
        const TRect& R = B->ItemRect;
        if (!B->Visible() || R.Width() <= 0) continue;
        if (B->Active) {
            TsfBitmap Face;
            Face.SetSize(R.Width(), R.Height());
            TColor Color = 0;
            TsfSkinData* SD = DSF->SkinData();
            if (!DrawSkinButtonPicture(SD, &Face, u"officequickbutton", B->Down, true, Color) &&
                !DrawSkinButtonPicture(SD, &Face, u"resizetoolbutton", B->Down, true, Color))
                Face.FillRect({0, 0, R.Width(), R.Height()}, SkinColorOf(B->Down ? TColor(0xB59385) : TColor(0xD2BDB6)));
            Face.Draw(Canvas, R.Left, R.Top);
        }
        if (B->ImageIndex() < 0 || B->ImageIndex() >= IL->Count()) continue;
        IL->Draw(Canvas, R.Left + (R.Width() - IL->Width()) / 2, R.Top + (R.Height() - IL->Height()) / 2,
                 B->ImageIndex(), B->Enabled());
    }
}

namespace {

// The hovered button: the first visible, enabled one under the point (-1 none).
Integer HoveredQuickButton(TsfQuickButtonItems* Q, Integer X, Integer Y)
{
    std::vector<TRect> R;
    for (Integer I = 0; I < Q->Count(); ++I) {
        const TsfQuickButtonItem* B = Q->Items(I);
        R.push_back(B->Visible() && B->Enabled() ? B->ItemRect : TRect{});
    }
    return QuickButtonAt(R, X, Y);
}

bool QuickHintsShown(TsfSkinForm* DSF) { return DSF->QuickButtonsShowHint && DSF->SkinHint(); }

} // namespace

bool QuickButtonsMouseMove(TsfSkinForm* DSF, Integer X, Integer Y)
{
    if (!Shown(DSF)) return false;
    TsfQuickButtonItems* Q = DSF->QuickButtons();
    const Integer Hot = HoveredQuickButton(Q, X, Y);
    Integer WasHot = -1;
    bool Changed = false;
    for (Integer I = 0; I < Q->Count(); ++I) {
        TsfQuickButtonItem* B = Q->Items(I);
        if (B->Active && WasHot < 0) WasHot = I;
        if (B->Active != (I == Hot)) {
            B->Active = I == Hot;
            Changed = true;
        }
    }
    // A newly hovered button tells what it does; leaving them all takes the hint away.
    if (QuickHintsShown(DSF)) {
        if (Hot >= 0 && Hot != WasHot) DSF->SkinHint()->ActivateHint2(Q->Items(Hot)->Hint);
        else if (Changed && Hot < 0) DSF->SkinHint()->HideHint();
    }
    return Changed;
}

bool QuickButtonsMouseDown(TsfSkinForm* DSF, TMouseButton Button, Integer X, Integer Y)
{
    if (!Shown(DSF)) return false;
    QuickButtonsMouseMove(DSF, X, Y);
    TsfQuickButtonItems* Q = DSF->QuickButtons();
    for (Integer I = 0; I < Q->Count(); ++I) {
        TsfQuickButtonItem* B = Q->Items(I);
        if (!B->Active) continue;
        // A press is no time for a hint.
        if (QuickHintsShown(DSF)) DSF->SkinHint()->HideHint();
        if (Button == mbLeft) {
            for (Integer J = 0; J < Q->Count(); ++J)
                if (J != I) Q->Items(J)->Active = Q->Items(J)->Down = false;
            B->Down = true;
            DSF->UpDateFormNC();
            if (B->PopupMenu) {
                // Under the button, in screen coordinates.
                TPoint O{DSF->Form()->Left(), DSF->Form()->Top()};
                if (DSF->FullLayerBorderShown() && DSF->BorderLayer()->Window(sfflTop)) {
                    // The caption is on the full layered border's top window.
                    const TWinControl* Top = DSF->BorderLayer()->Window(sfflTop);
                    O = {Top->Left(), Top->Top()};
                } else if (DSF->Form()->FormStyle() == fsMDIChild) {
                    RECT W;
                    GetWindowRect(DSF->Form()->Handle(), &W);
                    O = {W.left, W.top};
                }
                const TRect& R = B->ItemRect;
                DSF->PopupSkinMenu1(B->PopupMenu, {O.X + R.Left, O.Y + R.Top, O.X + R.Right, O.Y + R.Bottom}, false);
                B->Down = false;
            }
        }
        if (B->OnMouseDown) B->OnMouseDown(B, Button, 0, X, Y);
        return true;
    }
    return false;
}

bool QuickButtonsMouseUp(TsfSkinForm* DSF, TMouseButton Button, Integer X, Integer Y)
{
    if (!Shown(DSF)) return false;
    TsfQuickButtonItems* Q = DSF->QuickButtons();
    for (Integer I = 0; I < Q->Count(); ++I) {
        TsfQuickButtonItem* B = Q->Items(I);
        if (!B->Down) continue;
        B->Down = false;
        const bool On = HoveredQuickButton(Q, X, Y) == I;
        if (!On) B->Active = false;
        DSF->UpDateFormNC();
        if (On && Button == mbLeft && B->OnClick) B->OnClick(B);
        return true;
    }
    return false;
}

bool ClearQuickButtons(TsfSkinForm* DSF)
{
    TsfQuickButtonItems* Q = DSF->QuickButtons();
    bool Changed = false;
    for (Integer I = 0; I < Q->Count(); ++I) {
        TsfQuickButtonItem* B = Q->Items(I);
        Changed = Changed || B->Active || B->Down;
        B->Active = B->Down = false;
    }
    if (Changed && QuickHintsShown(DSF)) DSF->SkinHint()->HideHint();
    return Changed;
}

// ---------------------------------------------------------------------------
// The form component's part

TsfQuickButtonItems* TsfSkinForm::QuickButtons()
{
    if (!FQuickButtons) FQuickButtons = std::make_unique<TsfQuickButtonItems>(this);
    return FQuickButtons.get();
}

void TsfSkinForm::SetQuickImageList(TCustomImageList* Value)
{
    if (QuickImageList) QuickImageList->RemoveFreeNotification(this);
    QuickImageList = Value;
    if (QuickImageList) QuickImageList->FreeNotification(this);
    UpDateFormNC();
}

Integer TsfSkinForm::QuickButtonsShown()
{
    if (!QuickImageList || !FQuickButtons) return 0;
    Integer N = 0;
    for (Integer I = 0; I < FQuickButtons->Count(); ++I) N += FQuickButtons->Items(I)->Visible() ? 1 : 0;
    return N;
}
