// ImageCanvasForm: the canvas dialog: margins added to (negative: taken
// from) each side, or an absolute size around the centred picture, and the
// canvas colour or transparency. OK keeps the unit, the colour and the
// transparency; the canvas command reads the size and changes the canvas.
#pragma once

#include "dialogs/win/ImageSizeEdits.h"
#include "framework/controls/win/Forms.h"

class TImageDraw;
class TLabel;
class TMainWindowServices;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinColorButton;
class TsfSkinComboBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinNumericEdit;
class TsfSkinPanel;

class TfrmImageCanvas : public TForm {
public:
    TfrmImageCanvas(TComponent* AOwner, TsfSkinData* SkinData, TMainWindowServices* Services, TImageDraw& Document);
    String ClassName() const override { return u"TfrmImageCanvas"; }

    TsfSkinPanel* gbCanvasColor = nullptr;
    TsfSkinColorButton* cbCanvasColor = nullptr;
    TsfSkinCheckRadioBox* chkCanvasTransparent = nullptr;
    TsfSkinPanel* gbCanvasSize = nullptr;
    TsfSkinCheckRadioBox* chkRelativePosition = nullptr;
    TLabel *lblTop = nullptr, *lblBottom = nullptr, *lblLeft = nullptr, *lblRight = nullptr, *lblUnit = nullptr;
    TsfSkinNumericEdit *editTop = nullptr, *editBottom = nullptr, *editLeft = nullptr, *editRight = nullptr;
    TsfSkinNumericEdit *editCanvasWidth = nullptr, *editCanvasHeight = nullptr;
    TLabel* lblTimes = nullptr;
    TsfSkinComboBox* cbCanvasUnit = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    Integer FCanvasWidth = 0, FCanvasHeight = 0;
    TInfoMessage InfoMessage;

    // The four margins as the command takes them (rounded).
    Integer MarginLeft() const;
    Integer MarginRight() const;
    Integer MarginTop() const;
    Integer MarginBottom() const;

    void chkRelativePositionClick(TObject* Sender);
    void editSizeChange(TObject* Sender);
    void cbCanvasUnitChange(TObject* Sender);
    void chkCanvasTransparentClick(TObject* Sender);
    void cbCanvasColorChange(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

private:
    void FormClose(TObject* Sender, TCloseAction& Action);

    TImageDraw& FDocument;
    bool FLoaded = false;
    Integer FOldCanvasUnitIndex = 0;
};
