// ImageDirection: the directional effect dialog of fade, torn edge and
// bevel: one numeric parameter and four edge buttons that toggle on their
// own (any set of edges, none included), plus the torn edge's option,
// previewed on the live document by the common preview protocol
// (dialogs/EffectPreview). The caller opens and ends the document's effect
// run around the modal dialog.
#pragma once

#include <memory>

#include "dialogs/EffectPreview.h"
#include "dialogs/ImageDirectionCore.h"
#include "framework/controls/win/Forms.h"

class TImageDraw;
class TLabel;
class TRow;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;
class TsfSkinSlider;
class TsfSkinSpeedButton;

class TfrmImageDirection : public TForm, public TEffectPreviewTarget {
public:
    // Settings: row 2 of the settings table (the effects' kept values).
    TfrmImageDirection(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document, TRow& Settings);
    ~TfrmImageDirection() override;
    String ClassName() const override { return u"TfrmImageDirection"; }

    TsfSkinPanel* Bevel1 = nullptr;
    TLabel* lblParam = nullptr;
    TsfSkinSlider* sliderSize = nullptr;
    TLabel* lblParamValue = nullptr;
    TLabel* lblDirection = nullptr;
    TsfSkinSpeedButton* sbTop = nullptr;
    TsfSkinSpeedButton* sbLeft = nullptr;
    TsfSkinSpeedButton* sbRight = nullptr;
    TsfSkinSpeedButton* sbBottom = nullptr;
    TsfSkinCheckRadioBox* chkOption1 = nullptr;
    TsfSkinCheckRadioBox* chkPreview = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    TEffectPreview& Preview() { return *FPreview; }
    // The mask of the pressed edge buttons (left 1, top 2, right 4, bottom 8).
    Integer DirectionMask() const;

    void sliderSizeChange(TObject* Sender);
    void sliderSizeChanged(TObject* Sender);
    void sbDirectionClick(TObject* Sender);
    void chkOption1Click(TObject* Sender);
    void chkPreviewClick(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

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
    TRow& FSettings;
    TDirectionSetup FSetup;
    std::unique_ptr<TEffectPreview> FPreview;
};
