// ImageWatermarkForm: the watermark dialog: a picture file drawn once at
// one of five places with margins, or tiled, at an angle and an opacity,
// optionally with one colour made transparent. Every change is shown on the
// live document at once through the main window; OK keeps everything in the
// watermark settings row, Cancel keeps nothing (the watermark command then
// applies the stored settings again).
#pragma once

#include "dialogs/win/ImageSizeEdits.h"
#include "framework/controls/win/Forms.h"

class TLabel;
class TMainWindowServices;
class TRow;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinColorButton;
class TsfSkinComboBox;
class TsfSkinData;
class TsfSkinEdit;
class TsfSkinForm;
class TsfSkinPanel;
class TsfSkinSlider;
class TsfSkinSpeedButton;
class TsfSkinSpinEdit;

class TfrmImageWatermark : public TForm {
public:
    // Services: the main window, which shows the watermark (null: nothing shown).
    TfrmImageWatermark(TComponent* AOwner, TsfSkinData* SkinData, TMainWindowServices* Services);
    String ClassName() const override { return u"TfrmImageWatermark"; }

    TLabel* lblEnableWatermark = nullptr;
    TsfSkinCheckRadioBox* chkEnable = nullptr;
    TsfSkinPanel* pnlWMImage = nullptr;
    TLabel *lblWatermarkAngle = nullptr, *lblAngle = nullptr;
    TsfSkinSlider* sliderAngle = nullptr;
    TLabel *lblWatermarkOpacity = nullptr, *lblOpacity = nullptr;
    TsfSkinSlider* sliderOpacity = nullptr;
    TLabel* lblWatermarkLocation = nullptr;
    TsfSkinCheckRadioBox *rbLocationType1 = nullptr, *rbLocationType2 = nullptr;
    TsfSkinComboBox* cbLocation = nullptr;
    TLabel *lblDistance1 = nullptr, *lblDistance2 = nullptr, *lblPercent1 = nullptr, *lblPercent2 = nullptr;
    TsfSkinSpinEdit *editDistance1 = nullptr, *editDistance2 = nullptr;
    TLabel* lblWatermarkFile = nullptr;
    TsfSkinEdit* editFile = nullptr;
    TsfSkinSpeedButton* btnFile = nullptr;
    TsfSkinCheckRadioBox* chkUseTransparentColor = nullptr;
    TsfSkinColorButton* clWMTransColor = nullptr;
    TsfSkinCheckRadioBox *rbWatermarkType1 = nullptr, *rbWatermarkType2 = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    Integer FLocationType = 0;
    TInfoMessage InfoMessage;
    TChooseFile ChooseFile;
    // How many times the watermark was shown on the document.
    Integer AppliedCount() const { return FApplied; }

    void ApplyWatermark();
    void LoadSettings();
    void chkEnableClick(TObject* Sender);
    void rbLocationTypeClick(TObject* Sender);
    void editDistanceChange(TObject* Sender);
    void sliderAngleChange(TObject* Sender);
    void sliderOpacityChange(TObject* Sender);
    void chkUseTransparentColorClick(TObject* Sender);
    void btnFileClick(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

private:
    void FormClose(TObject* Sender, TCloseAction& Action);
    void LayOut();

    TMainWindowServices* FServices;
    bool FLoaded = false, FPending = false;
    // The margins (cells 4, 5) and tile gaps (cells 6, 7) as edited; they
    // reach the settings only on OK, like the folder of a chosen file.
    Integer FDistances[4] = {};
    String FChosenFolder;
    Integer FApplied = 0;
};
