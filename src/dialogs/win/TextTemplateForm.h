// TextTemplateForm: TfrmTextTemplate edits the three text templates that the
// text panel's template buttons insert. OK writes them into the template
// table and saves its file at once; Cancel leaves both alone.
#pragma once

#include "framework/controls/win/Forms.h"

class TDataTable;
class TMemo;
class TsfSkinButton;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;
class TsfSkinStdLabel;

class TfrmTextTemplate : public TForm {
public:
    // Table: the template table (its file is saved on OK); BackColor: the
    // skin's light panel colour.
    TfrmTextTemplate(TComponent* AOwner, TsfSkinData* ASkinData, TDataTable& Table, TColor BackColor);
    ~TfrmTextTemplate() override;
    String ClassName() const override { return u"TfrmTextTemplate"; }

    TsfSkinForm* sfSkinForm1 = nullptr;
    TsfSkinPanel* gbTemplate = nullptr;
    TsfSkinStdLabel* lblTemplate[3] = {};
    TMemo* txtText[3] = {};
    TsfSkinButton* btnSave = nullptr;
    TsfSkinButton* btnCancel = nullptr;

private:
    void FormClose(TObject* Sender, TCloseAction& Action);
    void btnSaveClick(TObject* Sender);
    void btnCancelClick(TObject*) { SetModalResult(mrCancel); }

    TDataTable& FTable;
};
