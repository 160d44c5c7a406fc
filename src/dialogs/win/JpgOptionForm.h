// JpgOptionForm: the JPEG options dialog: the quality step of the save and
// the file size it would give, estimated 200 ms after the last change of the
// step (the estimate encodes the whole picture), and whether the picture
// keeps these options from now on.
#pragma once

#include <functional>

#include "framework/controls/win/Forms.h"

class TLabel;
class TRow;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinComboBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;

// The byte size of the picture encoded as JPEG at a quality (step x 10).
using TJpgSizeEstimate = std::function<Int64(Integer Quality)>;

class TfrmJpgOption : public TForm {
public:
    // Options: row 0 of the picture's file-information table, written on Save.
    TfrmJpgOption(TComponent* AOwner, TsfSkinData* SkinData, TRow& Options, TJpgSizeEstimate Estimate);
    ~TfrmJpgOption() override;
    String ClassName() const override { return u"TfrmJpgOption"; }

    TsfSkinPanel* gbImageOption = nullptr;
    TLabel* lblQuality = nullptr;
    TsfSkinComboBox* cbQuality = nullptr;
    TLabel* lblFileSize = nullptr;
    TLabel* lblSize = nullptr;
    TsfSkinCheckRadioBox* chkSameOnNext = nullptr;
    TsfSkinButton* btnSave = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    // The estimate runs on the skin clock, after this many milliseconds.
    static constexpr Cardinal EstimateDelay = 200;

    void cbQualityChange(TObject* Sender);
    void Timer1Timer();
    void btnSaveClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

private:
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void StartTimer1();

    TRow& FOptions;
    TJpgSizeEstimate FEstimate;
};
