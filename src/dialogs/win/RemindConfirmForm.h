// RemindConfirmForm: TfrmRemindConfirm, the program's notice: a message, an
// optional "do not remind me again" box and one or two buttons, laid out by
// the caller (AdjustLayout) before it sets the text and shows it modally. The
// caller reads the box afterwards and keeps it in a setting of its own.
#pragma once

#include "framework/controls/win/Forms.h"

class TImage;
class TsfSkinBevel;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;
class TsfSkinStdLabel;

class TfrmRemindConfirm : public TForm {
public:
    // ASkinData: the main window's skin (null: the plain look).
    TfrmRemindConfirm(TComponent* AOwner, TsfSkinData* ASkinData);
    ~TfrmRemindConfirm() override;
    String ClassName() const override { return u"TfrmRemindConfirm"; }

    void AdjustLayout(Integer MsgHeight, bool NoRemindChecked, bool CancelVisible, TAlignment Alignment,
                      bool CheckVisible, bool IsCloseButton);

    TsfSkinForm* sfSkinForm1 = nullptr;
    TsfSkinPanel* pnlMsg = nullptr;
    TsfSkinStdLabel* lblMsg = nullptr;
    TImage* Image1 = nullptr;
    TsfSkinBevel* Bevel1 = nullptr;
    TsfSkinBevel* Bevel2 = nullptr;
    TsfSkinPanel* pnlButton = nullptr;
    TsfSkinCheckRadioBox* chkNotRemind = nullptr;
    TsfSkinButton* btnContinue = nullptr;
    TsfSkinButton* btnCancel = nullptr;

private:
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void btnContinueClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);
};
