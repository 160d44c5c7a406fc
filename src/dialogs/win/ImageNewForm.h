// ImageNewForm: the new-image dialog: the size of a new blank picture (a
// preset, the clipboard picture's or typed in pixels, inches or
// millimetres) and its background (a colour, a tiled pattern or
// transparent), or a picture made from the clipboard. OK keeps the choices
// in the editor's settings row; the pattern stays in the program-wide
// pattern picture, which the new-image command hands to the new document.
#pragma once

#include <memory>

#include "dialogs/win/ImageSizeEdits.h"
#include "framework/controls/win/Forms.h"

class TBitmap32;
class TDataTable;
class TImage32;
class TImageList;
class TLabel;
class TMainWindowServices;
class TShape;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinColorButton;
class TsfSkinComboBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinImagesMenu;
class TsfSkinMenuSpeedButton;
class TsfSkinNumericEdit;
class TsfSkinPanel;
class TsfSkinSpeedButton;

// The program-wide pattern picture: null until a pattern is first chosen,
// then kept for the program's run.
TBitmap32* NewImagePattern();
TBitmap32& MakeNewImagePattern();
void FreeNewImagePattern();

class TfrmImageNew : public TForm {
public:
    // Services: the main window (null: the colour button keeps to itself).
    TfrmImageNew(TComponent* AOwner, TsfSkinData* SkinData, TMainWindowServices* Services);
    ~TfrmImageNew() override;
    String ClassName() const override { return u"TfrmImageNew"; }

    TLabel* lblPresets = nullptr;
    TsfSkinComboBox* cbPresets = nullptr;
    TsfSkinCheckRadioBox* chkFromClipboard = nullptr;
    TsfSkinPanel* pnlImageInfo = nullptr;
    TLabel* lblImageSize = nullptr;
    TsfSkinNumericEdit* editWidth = nullptr;
    TsfSkinNumericEdit* editHeight = nullptr;
    TsfSkinComboBox* cbUnit = nullptr;
    TsfSkinCheckRadioBox* rbColor = nullptr;
    TsfSkinColorButton* cbNewColor = nullptr;
    TsfSkinCheckRadioBox* rbPattern = nullptr;
    TsfSkinMenuSpeedButton* mbPattern = nullptr;
    TsfSkinSpeedButton* btnSelectPattern = nullptr;
    TShape* Shape1 = nullptr;
    TImage32* imgPattern = nullptr;
    TsfSkinCheckRadioBox* rbTransparent = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinImagesMenu* sfSkinImagesMenu1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    TInfoMessage InfoMessage;
    TChooseFile ChooseFile;

    void UpdateControls();
    void DrawPatternPreview();
    void RadioClick(TObject* Sender);
    void chkFromClipboardClick(TObject* Sender);
    void cbPresetsChange(TObject* Sender);
    void cbUnitChange(TObject* Sender);
    void PatternItemClick(Integer Index);
    void btnSelectPatternClick(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);
    TDataTable& PatternDT() { return *FPatternDT; }

private:
    void FormClose(TObject* Sender, TCloseAction& Action);
    void MakeThumbnails();

    std::unique_ptr<TDataTable> FPatternDT;
    Integer FOldUnitIndex = 0;
    bool FLoaded = false;
    TSize FClipboardSize;
    bool FHasClipboardBitmap = false;
};
