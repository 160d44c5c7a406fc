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

#include "framework/runtime/Classes.h"
#include "framework/runtime/UITypes.h"

class TfrmZezavEzazer;
class TImageDraw;
class TMenuItem;
class TsfSkinPopupMenu;

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
    // The perspective dialog over an effect run (EditorCommands_Transform.cpp).
    void muImageTransformClick(TObject* Sender);
    void pmMorePopup(TObject* Sender);
    void muReplaceOriginalClick(TObject* Sender);
    void muExportOriginalClick(TObject* Sender);
    void muCropRestrainRatioClick(TObject* Sender);
    void muCropNoRestraintClick(TObject* Sender);
    void muSaveCropSizeClick(TObject* Sender);
    void muLoadCropSizeClick(TObject* Sender);
    void muCropSize1Click(TObject* Sender);

    // What other groups do for these commands: the property panel takes
    // the one selected object's properties; the size labels refresh; the
    // colour dialog runs (false: it was cancelled).
    std::function<void()> OnTakeShapeProperties;
    std::function<void()> OnShowImageSizeInfo;
    std::function<bool(TImageDraw& Document)> OnColorAdjustDialog;
    // A picture file chosen for the paste-from-file and replace commands
    // (empty: cancelled); the program's open dialog by default.
    std::function<String(const String& InitialDir)> OnChoosePictureFile;

    // ---- Menus (owned by the window).
    TsfSkinPopupMenu* pmEdit = nullptr;
    TsfSkinPopupMenu* pmRotate = nullptr;
    TsfSkinPopupMenu* pmPaste = nullptr;
    TsfSkinPopupMenu* pmCopy = nullptr;
    TsfSkinPopupMenu* pmMore = nullptr;

private:
    TMenuItem* AddItem(TMenuItem* Parent, const char16_t* Name, const String& Caption, NativeInt Tag,
                       const String& ShortCut, void (TEditorCommands::*Handler)(TObject*));
    void AddLine(TMenuItem* Parent);
    void BuildEditMenu();
    void BuildOtherMenus();
    TImageDraw* Live() const;
    // The document's Draw then SaveUndo.
    void RedrawAndRecord(TImageDraw& Doc);
    bool SelectionBitmapExists(TImageDraw& Doc) const;
    String ChoosePictureFile(Integer FolderCell);
    void PasteImageFile(const String& FileName);

    TfrmZezavEzazer& FForm;
    std::map<String, TMenuItem*> FItems;
    Integer FCropRatioIndex = -1;
};
