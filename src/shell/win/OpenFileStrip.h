// OpenFileStrip: the tiles of the open-documents strip below the canvas,
// one per row of the open-documents table: the file's thumbnail (made by a
// worker), the live and hovered highlight, the close glyph and the modified
// mark; a click switches, the close glyph closes, a drag reorders (the strip
// scrolls while the mouse is dragged above or below it), a right-click opens
// the close and delete menu, and resting on a tile shows the file's preview.
// Geometry and look come from OpenFileStripCore; the timers run on the skin
// clock.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/win/Controls.h"

class TBalloonHint;
class TBitmap;
class TBitmap32;
class TDataTable;
class TfrmOpenFile;
class TMenuItem;
class TsfSkinPopupMenu;
class TsfSkinScrollBar;
class TsfSkinSpeedButton;
class TMakeThumbThread;
class TPaintBox32;
class TRow;
class TWinControl;

class TOpenFileStrip {
public:
    // Box: the scroll box the tiles live in; Table: the open-documents rows.
    TOpenFileStrip(TWinControl* Box, TDataTable& Table);
    ~TOpenFileStrip();
    TOpenFileStrip(const TOpenFileStrip&) = delete;
    TOpenFileStrip& operator=(const TOpenFileStrip&) = delete;

    // What the tiles ask of the open documents.
    std::function<void(Integer Index)> OnSwitch;
    std::function<void(Integer Index)> OnClose;
    std::function<void(Integer Index)> OnDelete;
    // After a drag moved a row (the live row's index must be found again).
    std::function<void()> OnMoved;
    // The live document is creating an object: presses on the tiles wait.
    std::function<bool()> Busy;

    // The panel the strip fills: the preview opens above it, and it grows
    // for the expanded strip.
    void SetPanel(TWinControl* Panel) { FPanel = Panel; }
    // The side panel: the strip's scroll bar and its expand button go there.
    void SetSidePanel(TWinControl* Side);
    TsfSkinScrollBar* ScrollBar2 = nullptr;
    TsfSkinSpeedButton* sbOpenFileExpand = nullptr;
    bool Expanded() const { return FExpanded; }
    // The expand button: the strip shows up to three rows of tiles, or one.
    void sbOpenFileExpandClick();
    // The preview (null before the first hover), the menu and the hint.
    TfrmOpenFile* Preview() const { return FPreview; }
    TsfSkinPopupMenu* pmOpenFile = nullptr;
    TMenuItem* muOpenFileClose = nullptr;
    TMenuItem* muOpenFileDelete = nullptr;
    TBalloonHint* Hint1 = nullptr;
    // The hint over a tile's close glyph (set with the menu's captions at
    // localisation; none while empty).
    String CloseHint;
    // The row the menu acts on.
    Integer PopupIndex() const { return FPopupIndex; }
    // The strip's vertical scroll position (tiles move by it), within the rows.
    void SetScrollPos(Integer Pos);
    Integer ScrollRange() const;

    // Timers (skin clock ids) and their steps.
    static constexpr Cardinal TimerOpenFileOpen = 1, TimerOpenFileClose = 2, TimerDragOpenFile = 3;
    static constexpr Cardinal OpenDelay = 800, CloseDelay = 500, DragScrollDelay = 200;
    void TimerOpenFileOpenTimer();
    void TimerOpenFileCloseTimer();
    void TimerDragOpenFileTimer();
    // During a drag: a mark left behind when the mouse leaves the box (or the
    // last drag-over refused) is erased.
    void TrackOpenFileDrag();

    void CreateOpenFileTiles();
    void LayoutOpenFileTiles();
    // Draws tile Index, or all with -1.
    void DrawOpenFileTiles(Integer Index = -1);
    // Drops row Index's thumbnail and preview (a valid row) and wakes the worker.
    void ResetOpenFileThumb(Integer Index);
    // Brings tile Index into view.
    void ScrollOpenFileIntoView(Integer Index);
    // After row Index was closed or deleted: the tile now at Index (under the
    // mouse after a click on a close glyph) takes the hover when Hover is
    // set; with one row left the close hint goes.
    void AfterClose(Integer Index, bool Hover);
    // Ends the worker; no thumbnail arrives after it (before the rows go).
    void StopWorker();

    TPaintBox32* Tile(Integer Index) const { return FOpenFileBox[Index]; }
    Integer TileCount() const { return Integer(FOpenFileBox.size()); }
    Integer Columns() const { return FOpenFileColCount; }
    Integer ScrollPos() const { return FScrollPos; }
    TMakeThumbThread& Worker() { return *FWorker; }

private:
    void OpenFileTileMouseEnter(TObject* Sender);
    void OpenFileTileMouseLeave(TObject* Sender);
    void OpenFileTileMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
    void OpenFileTileMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void boxOpenFileDragOver(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    void OpenFileTileDblClick(TObject* Sender);
    void OpenFileTileDragOver(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    void OpenFileTileEndDrag(TObject* Sender, TObject* Target, Integer X, Integer Y);
    void DrawOpenFileDropMark(Integer Over, Integer Mode);
    void GetOpenFileThumbInfo(Integer& ThumbType, Integer& ThumbSubType, String& FileName, TBitmap32*& ThumbBmp,
                              TBitmap32*& MaskBmp, TRow*& ThumbRow, Integer& ThumbWidth, Integer& ThumbHeight,
                              bool& OK);
    void SetOpenFileThumbInfo(Integer ThumbWidth, Integer ThumbHeight, TBitmap32* D);
    Integer IndexOf(TObject* Sender) const;
    bool MouseInBox() const;
    // The scroll bar follows the rows and the scroll position; the expand
    // button shows while the bar does or the strip is expanded.
    void UpdateScrollBar();

    TWinControl* FBox;
    TWinControl* FPanel = nullptr;
    TfrmOpenFile* FPreview = nullptr;
    Integer FPopupIndex = -1;
    bool FOpenFileMouseEntered = false;
    bool FExpanded = false;
    std::unique_ptr<TBitmap> FExpandUp, FExpandDown;
    TDataTable& FTable;
    std::vector<TPaintBox32*> FOpenFileBox;
    std::unique_ptr<TMakeThumbThread> FWorker;
    std::unique_ptr<TBitmap32> FBitmap_OpenFileClose, FBitmap_OpenFileEdit;
    Integer FOpenFileColCount = 1;
    Integer FScrollPos = 0;
    String FMakeOpenFileName;
    Integer FDragStartIndex = -1, FDragOverIndex = -1, FDragOverMode = -1;
    bool FDragAccept = false;
    bool FDblClick = false;
};
