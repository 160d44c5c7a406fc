#include "dialogs/win/TextTemplateForm.h"

#include "dialogs/TextTemplates.h"
#include "dialogs/win/DialogFonts.h"
#include "dialogs/win/OptionDialogs.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinForm.h"

namespace {

constexpr Integer ClientW = 420, MemoH = 60, Pitch = MemoH + 26;

}  // namespace

TfrmTextTemplate::TfrmTextTemplate(TComponent* AOwner, TsfSkinData* ASkinData, TDataTable& Table, TColor BackColor)
    : TForm(AOwner), FTable(Table)
{
    SetName(u"frmTextTemplate");
    const Integer GroupH = 16 + 3 * Pitch;
    const TOptionDialogParts P = MakeOptionDialog(*this, ASkinData, ClientW, GroupH + 50, GroupH);
    sfSkinForm1 = P.SkinForm;
    gbTemplate = P.Group;
    btnSave = P.Save;
    btnCancel = P.Cancel;
    gbTemplate->SetSkinData(ASkinData);
    gbTemplate->SetColor(BackColor);
    btnSave->SetSkinData(ASkinData);
    btnCancel->SetSkinData(ASkinData);
    btnCancel->SetCancel(true);
    for (Integer I = 0; I < TextTemplateCount; ++I) {
        auto* L = new TsfSkinStdLabel(this);
        L->SetParent(gbTemplate);
        L->SetSkinData(ASkinData);
        L->SetBounds(12, 20 + I * Pitch, 200, 16);
        lblTemplate[I] = L;
        auto* M = new TMemo(this);
        M->SetParent(gbTemplate);
        M->SetBounds(12, 38 + I * Pitch, gbTemplate->Width() - 24, MemoH);
        M->SetName(u"txtText" + IntToStr(I + 1));
        txtText[I] = M;
    }
    ApplyDialogFonts(this, sfSkinForm1, {btnSave, btnCancel});

    SetCaption(GetLangText(3, 90));
    for (Integer I = 0; I < TextTemplateCount; ++I) {
        lblTemplate[I]->SetCaption(GetLangText(3, 91 + I, true));
        txtText[I]->Clear();
        txtText[I]->SetText(TextTemplate(FTable, I));
    }
    btnSave->SetCaption(GetLangText(1, 47));
    btnCancel->SetCaption(GetLangText(1, 48));
    btnSave->OnClick = [this](TObject* S) { btnSaveClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    ActiveFormWindow = Handle();
}

TfrmTextTemplate::~TfrmTextTemplate()
{
    if (HandleAllocated() && ActiveFormWindow == Handle()) ActiveFormWindow = nullptr;
}

void TfrmTextTemplate::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmTextTemplate::btnSaveClick(TObject*)
{
    for (Integer I = 0; I < TextTemplateCount; ++I) SetTextTemplate(FTable, I, txtText[I]->Text());
    FTable.Save();
    SetModalResult(mrOk);
}
