// EditorCommands: the edit, arrange and image commands of the main window:
// the canvas's edit menu (clipboard, delete, crop, stacking order, alignment,
// property transfer, selection, merging, bitmap objects, crop ratios and
// sizes, guides) with the rules that show and enable its items each time it
// opens, the rotation, paste and copy menus, undo and redo, quarter turns and
// flips, one-step colour changes, the canvas-edge drag and the watermark.
// A group of the main window: owned by TfrmZezavEzazer, which keeps the
// named operations other parts call as short forwards to it. The decisions
// are shell/EditMenuRules and shell/ImageCommandRules.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "Component/Raster32/Ras32.h"
#include "document/base/ImageDrawTypes.h"
#include "framework/runtime/Classes.h"
#include "framework/runtime/UITypes.h"

class TfrmZezavEzazer;
class TImageDraw;
class TMenuItem;
class TsfSkinMenuSpeedButton;
class TsfSkinPanel;
class TsfSkinPopupMenu;
class TsfSkinSpeedButton;

// What the new-image dialog asks for: a blank of the size it stored in the
// settings, the clipboard's picture, or a blank with a pattern background.
struct TNewImageRequest {
    bool FromClipboard = false;
    std::unique_ptr<TCustomBitmap32> Pattern;
};

// What the canvas dialog asks for: margins added to each side (negative
// cuts), or a new canvas size with the picture centred on it.
struct TCanvasRequest {
    bool Relative = false;
    double Left = 0, Right = 0, Top = 0, Bottom = 0;
    Integer Width = 0, Height = 0;
};

class TEditorCommands {
public:
    explicit TEditorCommands(TfrmZezavEzazer& AForm);
    TEditorCommands(const TEditorCommands&) = delete;
    TEditorCommands& operator=(const TEditorCommands&) = delete;

    // The menu item of that name; raises EListError for an unknown name.
    TMenuItem* Item(const String& Name) const;
    // The edit menu at a point of the canvas view (view coordinates).
    void PopupEditMenu(Integer X, Integer Y);

    // ---- Shared steps.
    // True without a selection on top; with one, whether it overlaps the
    // raster (else the user is told).
    bool CheckSelectionCommand();
    // Drops a crop or selection on top (its lifted pixels go back into the
    // raster), else deselects every object; redraws.
    void DropSelectionShape(bool IsSaveUndo);
    void CopyImageToClipboard(bool IsIncludeObjects);
    void Undo();
    void Redo();
    // The common end of every canvas or size change: objects follow a
    // canvas that grew on the left or top by (dx, dy).
    void AfterCanvasResize(Integer dx, Integer dy);
    void ApplyCanvasDrag();
    void AddWatermark(bool IsEnabled, const String& FileName, Integer LocationType, Integer Location,
                      Integer LocationED1, Integer LocationED2, Integer LocationSD1, Integer LocationSD2, Integer Angle,
                      Integer Opacity, bool UseTC, TColor TC);
    Integer CropRatioIndex() const { return FCropRatioIndex; }

    // ---- Handlers.
    void pmEditPopup(TObject* Sender);
    void pmPastePopup(TObject* Sender);
    void muCutClick(TObject* Sender);
    void muCopyClick(TObject* Sender);
    void muCopyMergedClick(TObject* Sender);
    void muCopyToClipboardClick(TObject* Sender);
    void muPasteClick(TObject* Sender);
    void muDeleteClick(TObject* Sender);
    void muCropClick(TObject* Sender);
    void muCreateNewImageClick(TObject* Sender);
    void muPasteImageClick(TObject* Sender);
    void muPasteImageFromClipboardClick(TObject* Sender);
    void muPasteImageFromFileClick(TObject* Sender);
    void muCopyImageClick(TObject* Sender);
    void muCopyImageToClipboardClick(TObject* Sender);
    void muCopyImageToClipboardNOClick(TObject* Sender);
    void muCopyPropertyClick(TObject* Sender);
    void muPasteProp0Click(TObject* Sender);
    void muAlignLeftClick(TObject* Sender);
    void muBringToFrontClick(TObject* Sender);
    void muBringForwardClick(TObject* Sender);
    void muSendBackwardClick(TObject* Sender);
    void muSendToBackClick(TObject* Sender);
    void muSelectImageAllClick(TObject* Sender);
    void muSelectImageInvertClick(TObject* Sender);
    void muSelectAllObjectsClick(TObject* Sender);
    void muSelectSameTypeClick(TObject* Sender);
    void muFlattenClick(TObject* Sender);
    void muFlattenAllClick(TObject* Sender);
    void muShapeFlipHorzClick(TObject* Sender);
    void muReplaceByClick(TObject* Sender);
    void sbPolygonAddNodeClick(bool Down);
    void sbPolygonDeleteNodeClick(TObject* Sender);
    void muGuidesClick(TObject* Sender);
    void muLockGuidesClick(TObject* Sender);
    void muHorzGuidesClick(TObject* Sender);
    void muVertGuidesClick(TObject* Sender);
    void muClearGuidesClick(TObject* Sender);
    void muRotateLeft90Click(TObject* Sender);
    void muFlipHorzClick(TObject* Sender);
    void muColorAdjustClick(TObject* Sender);
    void pmMorePopup(TObject* Sender);
    void muReplaceOriginalClick(TObject* Sender);
    void muExportOriginalClick(TObject* Sender);
    void muCropRestrainRatioClick(TObject* Sender);
    void muCropNoRestraintClick(TObject* Sender);
    void muSaveCropSizeClick(TObject* Sender);
    void muLoadCropSizeClick(TObject* Sender);
    void muCropSize1Click(TObject* Sender);
    void sbNewClick(TObject* Sender);
    void sbCanvasClick(TObject* Sender);
    void muImageSizeClick(TObject* Sender);
    void muImageTransformClick(TObject* Sender);
    void muImageSkewClick(TObject* Sender);
    void muRotateCustomClick(TObject* Sender);
    void muWatermarkClick(TObject* Sender);

    // The program menu's settings, help, home page and About items, put
    // before its skin and language entries.
    void AddProgramMenuItems(TMenuItem* Menu);
    void muSettingsClick(TObject* Sender);
    void muAboutClick(TObject* Sender);
    void muForumClick(TObject* Sender);
    void muHelpClick(TObject* Sender);
    // Shows the buttons and items whose dialog is there and hides the
    // others; runs as the window is first shown and as menus open.
    void ShowOfferedCommands();

    // What other groups do for these commands: the property panel takes
    // the one selected object's properties; the size labels refresh; the
    // colour adjustment runs between the effect run's start and end (false:
    // it was cancelled).
    std::function<void()> OnTakeShapeProperties;
    std::function<void()> OnShowImageSizeInfo;
    std::function<bool(TImageDraw& Document)> OnColorAdjustDialog;
    // The image commands' dialogs, set by their owners; a command whose
    // dialog is not set is not offered (its item or button is hidden).
    // New image: true on OK with the request filled in.
    std::function<bool(TNewImageRequest& Request)> OnNewImageDialog;
    // Canvas: true on OK with the request filled in.
    std::function<bool(TCanvasRequest& Request)> OnCanvasDialog;
    // Image size: true on OK with the new size (the current one on entry).
    std::function<bool(Integer& Width, Integer& Height)> OnImageSizeDialog;
    // Perspective: shows the dialog for the document, already in its
    // transform mode, and runs the effect from its start to its end; true
    // when it was applied.
    std::function<bool(TImageDraw& Document)> OnTransformDialog;
    // Watermark: shows the dialog (which writes the watermark settings on
    // OK only) and gives its modal result.
    std::function<Integer(TImageDraw& Document)> OnWatermarkDialog;
    // Options: shows the dialog; the settings are applied again afterwards.
    std::function<void()> OnOptionsDialog;
    // Opens a web page: the help page maximised over the main window, the
    // home page on its own (the shell's open verb by default).
    std::function<void(const String& Link, bool Help)> OnOpenWebPage;
    // A picture file chosen for the paste-from-file and replace commands
    // (empty: cancelled); the program's open dialog by default.
    std::function<String(const String& InitialDir)> OnChoosePictureFile;

    // ---- Menus (owned by the window).
    TsfSkinPopupMenu* pmEdit = nullptr;
    TsfSkinPopupMenu* pmRotate = nullptr;
    TsfSkinPopupMenu* pmPaste = nullptr;
    TsfSkinPopupMenu* pmCopy = nullptr;
    TsfSkinPopupMenu* pmMore = nullptr;
    // ---- Buttons (owned by the window).
    TsfSkinPanel* pnlCommands = nullptr;
    TsfSkinMenuSpeedButton* sbCopy = nullptr;
    TsfSkinMenuSpeedButton* sbPaste = nullptr;
    TsfSkinMenuSpeedButton* sbRotate = nullptr;
    TsfSkinMenuSpeedButton* sbMore = nullptr;
    TsfSkinSpeedButton* sbCanvas = nullptr;
    TsfSkinSpeedButton* sbNew = nullptr;

private:
    TMenuItem* AddItem(TMenuItem* Parent, const char16_t* Name, const String& Caption, NativeInt Tag,
                       const String& ShortCut, void (TEditorCommands::*Handler)(TObject*));
    void AddLine(TMenuItem* Parent);
    void BuildEditMenu();
    void BuildOtherMenus();
    // The command buttons of the top bar: copy, paste, rotation, more,
    // canvas and new image.
    void CreateButtons();
    TImageDraw* Live() const;
    // The document's Draw then SaveUndo.
    void RedrawAndRecord(TImageDraw& Doc);
    bool SelectionBitmapExists(TImageDraw& Doc) const;
    String ChoosePictureFile(Integer FolderCell);
    void PasteImageFile(const String& FileName);
    // Skew and custom rotation: the one-slider dialog in that mode.
    void ShowGeometryDialog(TEffectMode Mode, const String& Caption);

    TfrmZezavEzazer& FForm;
    std::map<String, TMenuItem*> FItems;
    Integer FCropRatioIndex = -1;
};
