#include "dialogs/win/BmpOptionForm.h"

#include "dialogs/FileOptions.h"
#include "dialogs/win/OptionDialogs.h"
#include "foundation/Global.h"
#include "foundation/win/Global_Win.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinForm.h"

TfrmBmpOption::TfrmBmpOption(TComponent* AOwner, TsfSkinData* SkinData, TRow& Options)
    : TForm(AOwner), FOptions(Options)
{
    SetName(u"frmBmpOption");
    const TOptionDialogParts P = MakeOptionDialog(*this, SkinData, 240, 214, 164);
    sfSkinForm1 = P.SkinForm;
    gbImageOption = P.Group;
    btnSave = P.Save;
    btnCancel = P.Cancel;

    TsfSkinCheckRadioBox** Radios[] = {&rb1bit, &rb4bit, &rb8bit, &rb16bit, &rb24bit, &rb32bit};
    const std::pair<Integer, Integer> Texts[] = {{5, 25}, {5, 26}, {5, 27}, {5, 28}, {1, 285}, {1, 286}};
    for (int I = 0; I < 6; ++I) {
        auto* R = new TsfSkinCheckRadioBox(this);
        R->SetParent(gbImageOption);
        R->SetRadio(true);
        R->SetGroupIndex(1);  // one exclusive group: 0 would leave each alone
        R->SetBounds(16, 24 + I * 22, gbImageOption->Width() - 32, 18);
        R->SetCaption(GetLangText(Texts[I].first, Texts[I].second));
        *Radios[I] = R;
    }
    rb24bit->SetChecked(true);

    SetCaption(GetLangText(1, 287));
    gbImageOption->SetCaption(GetLangText(5, 29));
    btnSave->SetCaption(GetLangText(1, 47));
    btnCancel->SetCaption(GetLangText(1, 48));
    btnSave->OnClick = [this](TObject* S) { btnSaveClick(S); };
    btnCancel->OnClick = [this](TObject* S) { btnCancelClick(S); };
    OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
    ActiveFormWindow = Handle();
}

TfrmBmpOption::~TfrmBmpOption() = default;

void TfrmBmpOption::FormClose(TObject*, TCloseAction&) { ActiveFormWindow = nullptr; }

void TfrmBmpOption::btnSaveClick(TObject*)
{
    const bool Checked[6] = {rb1bit->Checked(), rb4bit->Checked(),  rb8bit->Checked(),
                             rb16bit->Checked(), rb24bit->Checked(), rb32bit->Checked()};
    FOptions.GetItem(FileOptionCol::BmpDepth)->SetValue(CheckedBmpDepth(Checked));
    SetModalResult(mrOk);
}

void TfrmBmpOption::btnCancelClick(TObject*) { SetModalResult(mrCancel); }
