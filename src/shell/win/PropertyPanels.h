// PropertyPanels: the tools' option panels of the main window. The floating
// text panel edits the text objects (font, size, colours, styles, stroke,
// alignment, the text itself and its three templates); the node panels
// edit the nodes of polygons and free shapes; the selection panel keeps
// each selection style's options and feathers the selection; the pencil
// and fill panels keep their settings. The property bar's refresh fills
// them (its controls quiet meanwhile, so that no handler runs); each
// handler records one undo step where the change is the document's.
// A group of the main window, owned by TfrmZezavEzazer.
#pragma once

#include <functional>

#include "shell/PropertyPanelsCore.h"
#include "shell/ToolPanelsCore.h"

class TForm;
class TfrmZezavEzazer;
class TImageDraw;
class TLabel;
class TMemo;
class TMenuItem;
class TObject;
class TRow;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinColorButton;
class TsfSkinFontComboBox;
class TsfSkinFontSizeComboBox;
class TsfSkinPanel;
class TsfSkinPopupMenu;
class TsfSkinSpeedButton;
class TsfSkinSpinEdit;

class TPropertyPanels {
public:
    explicit TPropertyPanels(TfrmZezavEzazer& AForm);
    // Unbinds what the window and its documents would call after it.
    ~TPropertyPanels();
    TPropertyPanels(const TPropertyPanels&) = delete;
    TPropertyPanels& operator=(const TPropertyPanels&) = delete;

    // Makes the controls of every option panel (the panels exist by then)
    // and binds the property bar's refresh and the documents' state events.
    void CreateControls();

    // ---- Filling (from the property bar's refresh).
    void FillPanels(const TPropertyVisibility& V);
    // The option panel that shows goes between the tool's panel and the styles.
    void ArrangeBar();
    void DocumentShapeStateChanged();
    void ShowSelectionFeather();
    // Called with the feather or template dialog just before it shows.
    std::function<void(TForm&)> OnDialogShown;

    // ---- Text panel.
    TsfSkinPanel* pnlText = nullptr;
    TLabel* lblText = nullptr;
    TMemo* txtText = nullptr;
    TsfSkinFontComboBox* cbFontName = nullptr;
    TsfSkinFontSizeComboBox* cbFontSize = nullptr;
    TsfSkinColorButton* clFontColor = nullptr;
    TsfSkinColorButton* clFontStrokeColor = nullptr;
    TsfSkinSpeedButton* sbFontBold = nullptr;
    TsfSkinSpeedButton* sbFontItalic = nullptr;
    TsfSkinSpeedButton* sbFontUnderline = nullptr;
    TsfSkinSpeedButton* sbTextVertical = nullptr;
    TsfSkinSpeedButton* sbFontStroke = nullptr;
    TsfSkinSpeedButton* sbFontStrokeEmpty = nullptr;
    TsfSkinSpeedButton* sbFontStrokeWidth = nullptr;
    TsfSkinPopupMenu* pmStrokeWidth = nullptr;
    TMenuItem* muStrokeWidth[9] = {};
    TsfSkinSpeedButton* sbAlign[3] = {};        // left, centre, right (Tag 0 to 2)
    TsfSkinSpeedButton* sbAlignLayout[3] = {};  // top, middle, bottom; top and bottom hidden
    TsfSkinSpeedButton* sbTextTemplate[3] = {};
    TsfSkinSpeedButton* sbTextTemplateDate = nullptr;
    TsfSkinSpeedButton* sbTextTemplateSettings = nullptr;

    void txtTextChange();
    void cbFontNameChange();
    void cbFontSizeChange();
    void clFontColorChangeColor();
    void clFontStrokeColorChangeColor();
    void sbFontStyleClick(TsfSkinSpeedButton* Button);  // bold, italic, underline, vertical
    void sbFontStrokeClick(bool Hollow);
    void muStrokeWidthClick(Integer Width);
    void pmStrokeWidthPopup();
    void sbAlignLeftClick(Integer Tag);
    void sbAlignMiddleClick();
    void sbTextTemplateClick(Integer Tag);
    void sbTextTemplateDateClick();
    void sbTextTemplateSettingsClick();
    // Dragging the panel by its title, kept over the canvas.
    void lblTextMouseDown(Integer X, Integer Y);
    void lblTextMouseMove(Integer X, Integer Y);
    void lblTextMouseUp();
    bool MovePanel() const { return FMovePanel; }

    // ---- Node panels.
    TsfSkinPanel* pnlPropPolygon = nullptr;
    TsfSkinSpeedButton* sbPolygonAddNode = nullptr;
    TsfSkinSpeedButton* sbPolygonDeleteNode = nullptr;
    TsfSkinPanel* pnlPropFreeShape = nullptr;
    TsfSkinSpeedButton* sbFreeShapeControlMode[3] = {};  // modes 1, 2 and 4
    TsfSkinSpeedButton* sbFreeShapeAddNode = nullptr;
    TsfSkinSpeedButton* sbFreeShapeDeleteNode = nullptr;
    TsfSkinSpeedButton* sbFreeShapeSetCommonTangent = nullptr;
    TsfSkinSpeedButton* sbFreeShapeSetSingleTangent = nullptr;
    TsfSkinSpeedButton* sbFreeShapeHideTangent = nullptr;
    TsfSkinSpeedButton* sbFreeShapeCloseShape = nullptr;
    TsfSkinSpeedButton* sbFreeShapeBreakNode = nullptr;

    void sbFreeShapeAddNodeClick();
    void sbFreeShapeDeleteNodeClick();
    void sbFreeShapeHideTangentClick();
    void sbFreeShapeSetCommonTangentClick(bool Common);
    void sbFreeShapeCloseShapeClick();
    void sbFreeShapeBreakNodeClick();
    void sbFreeShapeControlModeClick();

    // ---- Selection, pencil and fill panels.
    TsfSkinPanel* pnlPropSelection0 = nullptr;
    TsfSkinCheckRadioBox* chkSelectionAntialiasing = nullptr;
    TLabel* lblSelectionTolerance = nullptr;
    TsfSkinSpinEdit* editSelectionTolerance = nullptr;
    TsfSkinCheckRadioBox* chkSelectionContinuous = nullptr;
    TsfSkinButton* btnSelectionFeather = nullptr;
    TsfSkinPanel* pnlPropPencil = nullptr;
    TsfSkinCheckRadioBox* chkPencilEditable = nullptr;
    TsfSkinCheckRadioBox* chkPencilDebounce = nullptr;
    TsfSkinPanel* pnlPropFill = nullptr;
    TLabel* lblFillTolerance = nullptr;
    TsfSkinSpinEdit* editFillTolerance = nullptr;

    void chkSelectionAntialiasingClick();
    void chkSelectionContinuousClick();
    void editSelectionToleranceChange();
    void btnSelectionFeatherClick();
    void chkPencilEditableClick();
    void chkPencilDebounceClick();
    void editFillToleranceChange();

private:
    void MakeTextPanel();
    void MakeNodePanels();
    void MakeOptionPanels();
    void FillTextPanel();
    void FillNodePanels();
    void FillSelectionPanel();
    // Puts Text in the memo, the caret after it, the focus on it.
    void ReplaceMemoText(const String& Text);
    TImageDraw* Doc() const;
    TRow* ToolRow() const;
    void SetCell(Integer Cell, const String& Text);
    void SetProperty(const String& Name, Integer Value);
    void SaveUndo();
    bool Pending() const;

    TfrmZezavEzazer& FForm;
    bool FMovePanel = false;
    Integer FMoveX = 0, FMoveY = 0;
    Integer FStylesLeft = -1, FStylesWidth = 0, FSwitchLeft = 0;
};
