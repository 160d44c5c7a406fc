// ToolPanels: the tool buttons (vector, basic and selection tools, and the
// effect brushes' buttons, whose clicks the effect launcher handles), the
// stacked pairs with their long-press menus, and the property bar of the
// current tool or the one selected object: width, opacity, outline and fill
// colours, arrow kind, the object's place and angle, and the idle pass that
// keeps the save, undo and redo buttons current.
// A group of the main window: owned by TfrmZezavEzazer, which keeps the
// named operations other parts call as short forwards to it.
#pragma once

#include <functional>
#include <map>

#include "shell/ToolPanelsCore.h"
#include "shell/ToolSelection.h"

class TfrmZezavEzazer;
class TLabel;
class TObject;
class TsfSkinColorButton;
class TsfSkinPenStyleButton;
class TsfSkinPanel;
class TsfSkinPopupMenu;
class TsfSkinSlider;
class TsfSkinSpeedButton;
class TMenuItem;

class TToolPanels {
public:
    explicit TToolPanels(TfrmZezavEzazer& AForm);
    ~TToolPanels();
    TToolPanels(const TToolPanels&) = delete;
    TToolPanels& operator=(const TToolPanels&) = delete;

    // Makes the buttons, the pair menus and the property bar (the window's
    // parts exist by then).
    void CreateControls();

    TToolSelection& Tools() { return FTools; }
    const TShapeProps& Props() const { return FProps; }
    // A tool button by name (nullptr for a name that is none).
    TsfSkinSpeedButton* Button(const String& Name) const;
    TsfSkinPopupMenu* PairMenu(Integer Pair) const { return FPairMenus[Pair - 1]; }
    TMenuItem* PairItem(Integer Pair, bool Second) const { return FPairItems[Pair - 1][Second ? 1 : 0]; }

    // ---- Tool selection.
    void SelectTool(TShapeType Tool);
    void SyncShapeButtons();
    void sbShape1Click(TObject* Sender);
    void sbSelection0Click(TObject* Sender);
    // The document's selected objects changed: the tool follows them.
    void DocumentShapeSelected();
    // A new live document: its events are bound and its tool comes back.
    void DocumentLoaded();

    // ---- Property bar.
    void LoadToolProperties();
    void TakeShapeProperties();
    void RefreshPropertyControls();
    void DocumentShapeModified();
    // The document finished a raster operation: the size labels follow a new
    // size; a crop remembers whether it is worth reminding of replacing the original.
    void DocumentProcessingDone(TProcessingMode Mode, bool Value);
    bool RemindReplaceOriginal() const { return FRemindReplaceOriginal; }
    // The idle pass: the status texts, the measuring panel, the save, undo and
    // redo buttons, the open-documents strip's drag mark.
    void IdleUpdate();
    // The tool (or its style) just changed: the style strip follows.
    std::function<void()> OnToolSelected;
    // The option panels fill themselves in the same pass, while Pending().
    std::function<void(const TPropertyVisibility&)> OnFillPanels;
    // A new live document's events are bound: other groups bind theirs.
    std::function<void(TImageDraw&)> OnDocumentBound;
    bool Pending() const { return FPending; }
    // The text panel edits the text, alignment and layout of the tool.
    TShapeProps& ShapeProps() { return FProps; }

    // Parts of the bar (others may be missing until their panels exist).
    TsfSkinSpeedButton* sbWidth[5] = {};
    // The width pages: page p shows the widths 5p + 1 to 5p + 5.
    TsfSkinSpeedButton* sbWidthPageUp = nullptr;
    TsfSkinSpeedButton* sbWidthPageDown = nullptr;
    void ShowWidthPage();
    void sbWidthPageUpClick();
    void sbWidthPageDownClick();
    Integer WidthPageIndex() const { return FWidthPageIndex; }
    TsfSkinSlider* sliderOpacity = nullptr;
    TLabel* lblOpacity = nullptr;
    TsfSkinColorButton* clColor = nullptr;
    TsfSkinColorButton* clFillColor = nullptr;
    TsfSkinSpeedButton* sbArrow[3] = {};
    TsfSkinPenStyleButton* btnPenStyle = nullptr;
    TLabel* lblObject = nullptr;
    TLabel* lblAngle = nullptr;
    TsfSkinSpeedButton* sbSave = nullptr;
    TsfSkinSpeedButton* sbUndo = nullptr;
    TsfSkinSpeedButton* sbRedo = nullptr;
    TsfSkinSpeedButton* sbShowRight = nullptr;
    TsfSkinSpeedButton* btnRestore = nullptr;
    // Back to the picture as first loaded; the replayable actions are dropped.
    void btnRestoreClick(TObject* Sender);
    // Shows the preset panel exactly when sbShowRight is down.
    void sbShowRightClick(TObject* Sender);

private:
    void MakeToolButton(const TToolButtonDef& D);
    void MakePairMenu(Integer Pair);
    void MakePropertyBar();
    void StartLongPress(Integer Pair);
    void StopLongPress();
    void LongPressTimer();
    void PairMenuPopup(Integer Pair);
    void PairItemClick(Integer Pair, bool Second);
    void ToolSelected();  // the canvas and the panels learn the tool
    void PlaceRulerPanel();
    TToolTables Tables() const;
    void SetProperty(const String& Name, Integer Value, bool IsDraw);
    TRow* ToolRow() const;

    void sbWidthClick(Integer Tag);
    void sliderOpacityChange();
    void sliderOpacityChanged();
    void clColorChangeColor();
    void clFillColorChangeColor();
    void sbArrowClick(Integer Tag);
    void btnPenStyleHideTrackMenu();

    TfrmZezavEzazer& FForm;
    TToolSelection FTools;
    TShapeProps FProps;
    Integer FWidthPageIndex = 0;
    bool FPending = false;
    bool FRemindReplaceOriginal = false;
    std::map<String, TsfSkinSpeedButton*> FButtons;
    TsfSkinPopupMenu* FPairMenus[4] = {};
    TMenuItem* FPairItems[4][2] = {};
    Integer FLongPressPair = 0;
};
