// ImageColorAdjust: the colour adjustment dialog: hue, saturation,
// lightness, brightness, contrast and colour balance of the picture (or of
// the one selected bitmap object) in one pass, previewed on the live
// document by the common preview protocol (dialogs/EffectPreview); on
// pictures up to ColorAdjustLivePixels the preview follows a slider while
// it is dragged. Every slider has a numeric edit that mirrors it. The
// dialog keeps no values. The caller opens and ends the document's effect
// run around the modal dialog.
#pragma once

#include <memory>

#include "dialogs/EffectPreview.h"
#include "framework/controls/win/Forms.h"

class TImage32;
class TImageDraw;
class TLabel;
class TMainWindowServices;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;
class TsfSkinSlider;
class TsfSkinSpinEdit;

class TfrmImageColorAdjust : public TForm, public TEffectPreviewTarget {
public:
    // Services: the panel colour of the main window (null: the skin's own).
    TfrmImageColorAdjust(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document,
                         TMainWindowServices* Services);
    ~TfrmImageColorAdjust() override;
    String ClassName() const override { return u"TfrmImageColorAdjust"; }

    // The eight adjustments, in the order of their sliders.
    enum TAdjust { adHue, adSaturation, adLightness, adBrightness, adContrast, adRed, adGreen, adBlue, adCount };

    TsfSkinPanel* GroupBox1 = nullptr;
    TsfSkinPanel* GroupBox2 = nullptr;
    TsfSkinPanel* GroupBox3 = nullptr;
    TLabel* lblHue = nullptr;
    TLabel* lblSaturation = nullptr;
    TLabel* lblLightness = nullptr;
    TLabel* lblBrightness = nullptr;
    TLabel* lblContrast = nullptr;
    TLabel* lblCyan = nullptr;
    TLabel* lblRed = nullptr;
    TLabel* lblMagenta = nullptr;
    TLabel* lblGreen = nullptr;
    TLabel* lblYellow = nullptr;
    TLabel* lblBlue = nullptr;
    TsfSkinSlider* Sliders[adCount] = {};  // sliderHue .. sliderBalanceBlue
    TsfSkinSpinEdit* Edits[adCount] = {};  // editHue .. editBalanceBlue
    TImage32* imgHue = nullptr;
    TsfSkinCheckRadioBox* chkPreserveLuminosity = nullptr;
    TsfSkinCheckRadioBox* chkPreview = nullptr;
    TsfSkinButton* btnDefault = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    TEffectPreview& Preview() { return *FPreview; }

    void sliderChange(TAdjust Which);
    void sliderChanged(TAdjust Which);
    void editChange(TAdjust Which);
    void chkPreserveLuminosityClick(TObject* Sender);
    void btnDefaultClick(TObject* Sender);
    void chkPreviewClick(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);
    void DrawColorStrips();

private:
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

    // TEffectPreviewTarget.
    void EffectBegin() override;
    void EffectEnd(bool IsApply) override;
    void PreviewOnce() override;
    void ProcessMessages() override;
    void SetBusyCursor(bool Busy) override;

    TImageDraw& FDocument;
    std::unique_ptr<TEffectPreview> FPreview;
};
