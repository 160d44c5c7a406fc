// ImageMosaic: the one-slider effect dialog: one numeric parameter of the
// effect mode the document runs (blur, sharpen, noise, the tints, mosaic,
// the custom rotation and skew ...), previewed on the live document by the
// common preview protocol (dialogs/EffectPreview). The caller opens and ends
// the document's effect run around the modal dialog.
#pragma once

#include <memory>

#include "dialogs/EffectPreview.h"
#include "framework/controls/win/Forms.h"

class TImageDraw;
class TLabel;
class TPaintBox;
class TRow;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;
class TsfSkinSlider;

class TfrmImageMosaic : public TForm, public TEffectPreviewTarget {
public:
    // Settings: row 2 of the settings table (the effects' kept values).
    TfrmImageMosaic(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document, TRow& Settings);
    ~TfrmImageMosaic() override;
    String ClassName() const override { return u"TfrmImageMosaic"; }

    TsfSkinPanel* Bevel16 = nullptr;
    TLabel* lblCaption = nullptr;
    TsfSkinSlider* sliderSize = nullptr;
    TsfSkinCheckRadioBox* chkOption1 = nullptr;
    TPaintBox* imgAttemper = nullptr;
    TsfSkinCheckRadioBox* chkPreview = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    TEffectPreview& Preview() { return *FPreview; }

    void sliderSizeChange(TObject* Sender);
    void sliderSizeChanged(TObject* Sender);
    void chkOption1Click(TObject* Sender);
    void chkPreviewClick(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

private:
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void ShowCaption();
    void imgAttemperPaint(TObject* Sender);

    // TEffectPreviewTarget.
    void EffectBegin() override;
    void EffectEnd(bool IsApply) override;
    void PreviewOnce() override;
    void ProcessMessages() override;
    void SetBusyCursor(bool Busy) override;

    TImageDraw& FDocument;
    TRow& FSettings;
    TMosaicSetup FSetup;
    std::unique_ptr<TEffectPreview> FPreview;
};
