// GradientEditorForm: TfrmGradientEditor, the dialog in which the user edits
// and chooses the gradient fill tool's presets (the rows of the gradient
// preset table): the presets as tiles, the stop editor under a gradient bar,
// the preset's name, new and deleted presets. OK makes the chosen preset the
// tool's current one (table property 1).
#pragma once

#include <memory>
#include <vector>

#include "dialogs/GradientStops.h"
#include "framework/controls/win/Forms.h"

class TDataTable;
class TImage32;
class TLabel;
class TMainWindowServices;
class TMenuItem;
class TPaintBox;
class TShape;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinColorButton;
class TsfSkinData;
class TsfSkinEdit;
class TsfSkinForm;
class TsfSkinPanel;
class TsfSkinPopupMenu;
class TsfSkinScrollBar;
class TsfSkinSlider;

class TfrmGradientEditor : public TForm {
public:
    // Table: the gradient preset table; Fore and Back: the colours the words
    // stand for. Main may be null.
    TfrmGradientEditor(TComponent* AOwner, TsfSkinData* SkinData, TMainWindowServices* Main, TDataTable& Table,
                       TColor Fore, TColor Back);
    ~TfrmGradientEditor() override;
    String ClassName() const override { return u"TfrmGradientEditor"; }

    TsfSkinForm* sfSkinForm1 = nullptr;
    TsfSkinPanel* gbPreset = nullptr;
    TsfSkinPanel* pnlThumb = nullptr;
    TsfSkinScrollBar* ScrollBar2 = nullptr;
    TLabel* lblGradientName = nullptr;
    TsfSkinEdit* editName = nullptr;
    TsfSkinButton* btnCreateNew = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinPanel* gbEditor = nullptr;
    TImage32* imgGradient = nullptr;
    TShape* FColorPoints[TGradientStops::MaxStops] = {};
    TPaintBox* FArrowPoints[TGradientStops::MaxStops] = {};
    TPaintBox* FArrowPoint = nullptr;
    TLabel* lblPointPosition = nullptr;
    TsfSkinPanel* gbColorPoint = nullptr;
    TLabel* lblPointColor = nullptr;
    TsfSkinColorButton* cbPointColor = nullptr;
    TLabel *lblPointOpacity = nullptr, *lblPointOpacityValue = nullptr;
    TsfSkinSlider* sliderPointOpacity = nullptr;
    TsfSkinCheckRadioBox* rdoForeColor = nullptr;
    TsfSkinCheckRadioBox* rdoBackColor = nullptr;
    TsfSkinButton* btnDeletePoint = nullptr;
    TsfSkinPopupMenu* pmThumb = nullptr;
    TMenuItem* muNew = nullptr;
    TMenuItem* muDelete = nullptr;
    std::vector<TImage32*> FThumbBox;

    TGradientStops& Stops() { return FStops; }
    Integer GradientIndex() const { return FGradientIndex; }

    // The stop editor's steps (the mouse handlers call them).
    void LoadStops();
    void ShowStopValues();
    void DrawGradientBar();
    void SavePreset();
    void ThumbMouseDown(Integer Index, bool Right);
    void btnCreateNewClick();
    void muDeleteClick();
    // A press on the editor at (X, Y) in its client coordinates.
    void EditorMouseDown(Integer X, Integer Y);
    void EditorMouseMove(Integer X, Integer Y);
    void EditorMouseUp();

protected:
    void Dispatch(TMessage& Message) override;

private:
    void FormShow(TObject*);
    void PlaceMarkers();
    void CreateThumbs();
    void RefreshThumbs(bool ResetScroll);
    void DrawThumbs(Integer Index);
    void cbPointColorChangeColor();
    void WordClick(bool Fore);
    void PreviewColor(TColor Color);
    void btnDeletePointClick();
    void btnOkClick();
    Integer NameCell() const;

    TMainWindowServices* FMain;
    TDataTable& FTable;
    TGradientStops FStops;
    Integer FGradientIndex = 0, FGradientIndex_B = 0;
    Integer FThumbColCount = 8;
    bool FPending = false;
    bool FMoving = false;
    bool FMovingMarker = false;
    Integer FMoveX = 0;
    String FColorButtonName;
};
