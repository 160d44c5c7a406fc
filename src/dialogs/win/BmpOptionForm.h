// BmpOptionForm: the BMP options dialog: the bit depth of the save.
#pragma once

#include "framework/controls/win/Forms.h"

class TRow;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;

class TfrmBmpOption : public TForm {
public:
    // Options: row 0 of the picture's file-information table, written on Save.
    TfrmBmpOption(TComponent* AOwner, TsfSkinData* SkinData, TRow& Options);
    ~TfrmBmpOption() override;
    String ClassName() const override { return u"TfrmBmpOption"; }

    TsfSkinPanel* gbImageOption = nullptr;
    TsfSkinCheckRadioBox* rb1bit = nullptr;
    TsfSkinCheckRadioBox* rb4bit = nullptr;
    TsfSkinCheckRadioBox* rb8bit = nullptr;
    TsfSkinCheckRadioBox* rb16bit = nullptr;
    TsfSkinCheckRadioBox* rb24bit = nullptr;
    TsfSkinCheckRadioBox* rb32bit = nullptr;
    TsfSkinButton* btnSave = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    void btnSaveClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

private:
    void FormClose(TObject* Sender, TCloseAction& Action);

    TRow& FOptions;
};
