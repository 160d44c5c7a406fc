// ImageTransform: the perspective dialog: four corner handles on a small
// square (or one of seven shapes and two kept slots) distort the picture into
// a quadrilateral, two sliders scale it; previewed on the live document by
// the common preview protocol (dialogs/EffectPreview). The caller opens and
// ends the document's effect run around the modal dialog.
#pragma once

#include <memory>

#include "dialogs/EffectPreview.h"
#include "dialogs/ImageTransformCore.h"
#include "framework/controls/win/Forms.h"

class TImage32;
class TImageDraw;
class TImageList;
class TLabel;
class TRow;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinHorzListBox;
class TsfSkinPanel;
class TsfSkinSlider;
class TCustomLayer;

class TfrmImageTransform : public TForm, public TEffectPreviewTarget {
public:
    // Settings: row 2 of the settings table (cells 32 to 34 keep corners);
    // BackColor: the skin's light background of the group boxes.
    TfrmImageTransform(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document, TRow& Settings,
                       TColor BackColor);
    ~TfrmImageTransform() override;
    String ClassName() const override { return u"TfrmImageTransform"; }

    TsfSkinPanel* gbPresets = nullptr;
    TsfSkinHorzListBox* lstPresets = nullptr;
    TImageList* ImageList3 = nullptr;
    TsfSkinPanel* gbTransform = nullptr;
    TImage32* imgTransform = nullptr;
    TsfSkinPanel* gbScale = nullptr;
    TLabel* lblScaleHorz = nullptr;
    TsfSkinSlider* sliderScaleHorz = nullptr;
    TLabel* lblScaleHorzValue = nullptr;
    TLabel* lblScaleVert = nullptr;
    TsfSkinSlider* sliderScaleVert = nullptr;
    TLabel* lblScaleVertValue = nullptr;
    TsfSkinButton* btnResetScale = nullptr;
    TsfSkinCheckRadioBox* chkPreview = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    TEffectPreview& Preview() { return *FPreview; }
    const TransformHandles::TCorners& Points() const { return FPoints; }
    Integer CtrIndex() const { return FCtrIndex; }
    bool Moving() const { return FMoving; }

    void LoadPreset(Integer Index);
    void DrawHandles();
    void lstPresetsItemClick(TObject* Sender);
    void sliderScaleChange(TObject* Sender);
    void sliderScaleChanged(TObject* Sender);
    void btnResetScaleClick(TObject* Sender);
    void chkPreviewClick(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

private:
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void MakeGlyphs();
    void imgTransformMouseDown(TMouseButton Button, Integer X, Integer Y);
    void imgTransformMouseMove(Integer X, Integer Y);
    void imgTransformMouseUp();

    // TEffectPreviewTarget.
    void EffectBegin() override;
    void EffectEnd(bool IsApply) override;
    void PreviewOnce() override;
    void ProcessMessages() override;
    void SetBusyCursor(bool Busy) override;

    TImageDraw& FDocument;
    TRow& FSettings;
    TColor FBackColor;
    TransformHandles::TCorners FPoints;
    TPoint FPointsB;  // the dragged corner where the drag began
    Integer FCtrIndex = -1;
    bool FMoving = false;
    Integer FStartX = 0, FStartY = 0;
    bool FBroughtToFront = false;
    std::unique_ptr<TEffectPreview> FPreview;
};
