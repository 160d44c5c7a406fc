// ImageEffects: the multi-parameter effect dialog of monochrome, lomo, glow,
// old photo, elegant and colour blend: up to four sliders, a hue strip, a
// colour and a blend mode, only the rows the effect needs shown and the
// dialog's height following them; previewed on the live document by the
// common preview protocol (dialogs/EffectPreview). The values it keeps are
// stored when the user confirms (dialogs/ImageEffectsCore). The caller
// opens and ends the document's effect run around the modal dialog.
#pragma once

#include <memory>

#include "dialogs/EffectPreview.h"
#include "dialogs/ImageEffectsCore.h"
#include "framework/controls/win/Forms.h"

class TImageDraw;
class TLabel;
class TMainWindowServices;
class TPaintBox;
class TRow;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinColorButton;
class TsfSkinComboBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;
class TsfSkinSlider;

class TfrmImageEffects : public TForm, public TEffectPreviewTarget {
public:
    // Settings: row 2 of the settings table. Services: the main window's
    // shared colour handlers and panel colour (null: none).
    TfrmImageEffects(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document, TRow& Settings,
                     TMainWindowServices* Services);
    ~TfrmImageEffects() override;
    String ClassName() const override { return u"TfrmImageEffects"; }

    TsfSkinPanel* bvBox = nullptr;
    TsfSkinPanel* pnlParam = nullptr;
    TsfSkinPanel* pnlParams[4] = {};  // pnlParam1..pnlParam4
    TLabel* lblParams[4] = {};
    TsfSkinSlider* sliderValues[4] = {};
    TLabel* lblValues[4] = {};
    TsfSkinPanel* pnlHue = nullptr;
    TPaintBox* imgHue = nullptr;
    TsfSkinPanel* pnlParam5 = nullptr;
    TLabel* lblParam5 = nullptr;
    TsfSkinColorButton* cbColor = nullptr;
    TsfSkinPanel* pnlParam6 = nullptr;
    TLabel* lblParam6 = nullptr;
    TsfSkinComboBox* cbBlendMode = nullptr;
    TsfSkinPanel* pnlCheck = nullptr;
    TsfSkinCheckRadioBox* chkOption1 = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinButton* btnDefault = nullptr;
    TsfSkinCheckRadioBox* chkPreview = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    TEffectPreview& Preview() { return *FPreview; }
    // The values the controls hold now.
    TEffectsValues Values() const;

    void sliderValueChange(Integer Index);
    void sliderValueChanged(Integer Index);
    void cbColorChangeColor(TObject* Sender);
    void cbBlendModeClick(TObject* Sender);
    void btnDefaultClick(TObject* Sender);
    void chkPreviewClick(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

private:
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void SetupParams();
    void LayoutPanels();
    void FocusBlendMode();
    void imgHuePaint(TObject* Sender);

    // TEffectPreviewTarget.
    void EffectBegin() override;
    void EffectEnd(bool IsApply) override;
    void PreviewOnce() override;
    void ProcessMessages() override;
    void SetBusyCursor(bool Busy) override;

    TImageDraw& FDocument;
    TRow& FSettings;
    TMainWindowServices* FServices;
    TEffectsSetup FSetup;
    std::unique_ptr<TEffectPreview> FPreview;
};
