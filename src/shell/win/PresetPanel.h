// PresetPanel: the right-hand panel's effect and frame presets: two type
// buttons, the sub type tabs and a two-column grid of thumbnails. Effect
// thumbnails are previews of the effect on a small copy of the picture as
// first loaded, made by the preset worker; frame thumbnails are the packs'
// pictures. A click on an effect tile runs that effect on the live document;
// a click on a frame tile opens the frame dialog over a frame run.
// A group of the main window: owned by TfrmZezavEzazer, which keeps the
// named operations other parts call as short forwards to it.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "shell/PresetPanelCore.h"

class TfrmZezavEzazer;
class TMakeThumbThread;
class TObject;
class TPaintBox32;
class TsfSkinPanel;
class TsfSkinScrollBar;
class TsfSkinSpeedButton;
class TsfSkinTabControl;
class TBitmap32;

class TPresetPanel {
public:
    explicit TPresetPanel(TfrmZezavEzazer& AForm);
    ~TPresetPanel();
    TPresetPanel(const TPresetPanel&) = delete;
    TPresetPanel& operator=(const TPresetPanel&) = delete;

    // Makes the buttons, the tabs, the scroll box and the worker.
    void CreateControls();
    // Stops the worker (before the document or the tables go).
    void StopWorker();

    void sbEffectsClick(TObject* Sender);
    void tabThumbChange(TObject* Sender);
    void ShowPresetPage();
    void FillPresetTabs();
    void DrawPresetThumbs(Integer Index);
    void ScrollPresetThumbs(bool ResetPosition);
    // Drops the effect thumbnails (Clear) and wakes the worker.
    void ClearPresetThumbCache(bool Clear);
    bool LoadFramePack(Integer Position);
    // A click on tile Index.
    void ApplyThumbnailPreset(Integer Index);
    // Whether a click on an effect preset should go on (the size question;
    // null: the program's message box).
    std::function<bool(const String& Text)> OnAskLarge;

    Integer TypeIndex() const { return FThumbTypeIndex; }
    Integer SubTypeIndex() const { return FThumbSubTypeIndex; }
    const std::vector<TRow*>& PageRows() const { return FThumbDT; }
    TPaintBox32* Tile(Integer Index) const { return FThumbBox[size_t(Index)]; }
    Integer TileCount() const { return Integer(FThumbBox.size()); }
    const TPresetThumbSize& ThumbSize() const { return FSize; }
    TMakeThumbThread* Worker() const { return FMakeThumbThread.get(); }

    TsfSkinSpeedButton* sbEffects = nullptr;
    TsfSkinSpeedButton* sbFrames = nullptr;
    TsfSkinTabControl* tabThumb = nullptr;
    TsfSkinPanel* boxScroll = nullptr;
    TsfSkinScrollBar* ScrollBar1 = nullptr;

private:
    TDataTable* TypeTable(Integer Type) const;
    void CreatePresetThumbBoxes();
    void GetThumbInfo(Integer& ThumbType, Integer& ThumbSubType, String& FileName, TBitmap32*& ThumbBmp,
                      TBitmap32*& MaskBmp, TRow*& ThumbRow, Integer& ThumbWidth, Integer& ThumbHeight, bool& OK);
    void SetThumbInfo(Integer ThumbWidth, Integer ThumbHeight, TBitmap32* D);
    Integer TileIndexOf(TObject* Sender) const;
    void ApplyFramePreset(TRow& Row, bool OnBitmap);
    void SetMouseOver(TObject* Sender, bool Over);

    TfrmZezavEzazer& FForm;
    Integer FThumbTypeIndex = 0;
    Integer FThumbSubTypeIndex = 0;
    std::vector<TRow*> FThumbDT;
    std::vector<TPaintBox32*> FThumbBox;
    TPresetThumbSize FSize;
    Integer FThumbCaptionIndex = 4;
    std::unique_ptr<TMakeThumbThread> FMakeThumbThread;
    TRow* FMakeThumbRow = nullptr;  // the row of the job the worker renders
    Integer FMakeThumbTypeIndex = 0;
    bool FPresetPackLoaded[4] = {};
    bool FFillingTabs = false;
    std::unique_ptr<TBitmap32> FThumbSource;  // the job's picture, kept until the next job
};
