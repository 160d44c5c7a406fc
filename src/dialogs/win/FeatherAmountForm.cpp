#include "dialogs/win/FeatherAmountForm.h"

#include "dialogs/TextTemplates.h"
#include "dialogs/win/DialogFonts.h"
#include "foundation/Global.h"
#include "foundation/win/Global_Win.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/frame/win/SkinForm.h"

namespace {

template <class T>
T* Placed(T* C, TWinControl* Parent, TsfSkinData* SkinData, Integer L, Integer Top, Integer W, Integer H)
{
    C->SetBounds(L, Top, W, H);
    C->SetParent(Parent);
    C->SetSkinData(SkinData);
    return C;
}

}  // namespace

TfrmFeatherAmount::TfrmFeatherAmount(TComponent* AOwner, TsfSkinData* ASkinData) : TForm(AOwner)
{
    SetName(u"frmFeatherAmount");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(260);
    SetClientHeight(96);
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(ASkinData);

    lblFeatherAmount = Placed(new TsfSkinStdLabel(this), this, ASkinData, 16, 22, 90, 18);
    lblFeatherAmount->SetAutoSize(false);
    editFeatherAmount = Placed(new TsfSkinSpinEdit(this), this, ASkinData, 110, 18, 80, 22);
    editFeatherAmount->SetValueType(vtInteger);
    editFeatherAmount->SetMinValue(FeatherMin);
    editFeatherAmount->SetMaxValue(FeatherMax);
    editFeatherAmount->SetIncrement(1);
    lblUnit = Placed(new TsfSkinStdLabel(this), this, ASkinData, 196, 22, 56, 18);
    lblUnit->SetAutoSize(false);
    btnSave = Placed(new TsfSkinButton(this), this, ASkinData, 84, 60, 80, 25);
    btnSave->SetDefault(true);
    btnCancel = Placed(new TsfSkinButton(this), this, ASkinData, 172, 60, 80, 25);
    btnCancel->SetCancel(true);

    SetCaption(GetLangText(1, 330));
    lblFeatherAmount->SetCaption(GetLangText(1, 331, true));
    lblUnit->SetCaption(GetLangText(1, 16));
    btnSave->SetCaption(GetLangText(1, 47));
    btnCancel->SetCaption(GetLangText(1, 48));
    btnSave->OnClick = [this](TObject* S) { btnSaveClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    Loaded();
    ActiveFormWindow = Handle();
}

TfrmFeatherAmount::~TfrmFeatherAmount()
{
    if (HandleAllocated() && ActiveFormWindow == Handle()) ActiveFormWindow = nullptr;
}

void TfrmFeatherAmount::FormShow(TObject*)
{
    ApplyDialogFonts(this, sfSkinForm1, {lblFeatherAmount, lblUnit, btnSave, btnCancel});
    editFeatherAmount->SetValue(FValue);
    if (editFeatherAmount->CanFocus()) editFeatherAmount->SetFocus();
}

void TfrmFeatherAmount::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }
