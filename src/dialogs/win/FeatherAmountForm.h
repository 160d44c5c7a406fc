// FeatherAmountForm: TfrmFeatherAmount asks for the feather radius of the
// current selection (0 to 200 pixels). The caller sets FValue before showing
// it modally and reads editFeatherAmount's value after an OK.
#pragma once

#include "framework/controls/win/Forms.h"

class TsfSkinButton;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinSpinEdit;
class TsfSkinStdLabel;

class TfrmFeatherAmount : public TForm {
public:
    TfrmFeatherAmount(TComponent* AOwner, TsfSkinData* ASkinData);
    ~TfrmFeatherAmount() override;
    String ClassName() const override { return u"TfrmFeatherAmount"; }

    Integer FValue = 0;

    TsfSkinForm* sfSkinForm1 = nullptr;
    TsfSkinStdLabel* lblFeatherAmount = nullptr;
    TsfSkinSpinEdit* editFeatherAmount = nullptr;
    TsfSkinStdLabel* lblUnit = nullptr;
    TsfSkinButton* btnSave = nullptr;
    TsfSkinButton* btnCancel = nullptr;

private:
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void btnSaveClick(TObject*) { SetModalResult(mrOk); }
    void btnCancelClick(TObject*) { SetModalResult(mrCancel); }
};
