// ImageSizeForm: the image-size dialog: the new size of the picture in a
// unit, optionally keeping its aspect ratio. OK keeps the unit; the size
// command reads the size and resamples.
#pragma once

#include "dialogs/win/ImageSizeEdits.h"
#include "framework/controls/win/Forms.h"

class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinComboBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinNumericEdit;
class TsfSkinPanel;

class TfrmImageSize : public TForm {
public:
    // Width x Height: the raster's size.
    TfrmImageSize(TComponent* AOwner, TsfSkinData* SkinData, Integer Width, Integer Height);
    String ClassName() const override { return u"TfrmImageSize"; }

    TsfSkinPanel* gbImageSize = nullptr;
    TsfSkinNumericEdit *editImageWidth = nullptr, *editImageHeight = nullptr;
    TsfSkinComboBox* cbImageUnit = nullptr;
    TsfSkinCheckRadioBox* chkPreserveRatio = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    Int64 FImageWidth = 0, FImageHeight = 0;
    Single FOriginalRatio = 1;
    TInfoMessage InfoMessage;

    void editImageWidthChange(TObject* Sender);
    void editImageHeightChange(TObject* Sender);
    void cbImageUnitChange(TObject* Sender);
    void chkPreserveRatioClick(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

private:
    void FormClose(TObject* Sender, TCloseAction& Action);

    Integer FRasterWidth, FRasterHeight;
    bool FLoaded = false, FPending = false;
    Integer FOldImageUnitIndex = 0;
};
