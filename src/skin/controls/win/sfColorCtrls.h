// sfColorCtrls: the small controls of the colour dialog: the grid of the 48
// basic colours, the grid of the 12 custom colours, the viewer showing the new
// colour over the old one (and telling a main window about the new one a
// moment later) and an empty windowed container; and the colour button, a
// tool button whose drop-down is a grid of colour swatches. Cell layout,
// tables, the custom-colour store and the colour menu's layout: SkinColorCore.
#pragma once

#include "skin/controls/SkinColorCore.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinMenuHooks.h"
#include "skin/controls/win/SkinPanels.h"

// What both grids share: a skinned panel with a caption that draws colour
// cells in its client part and selects the one clicked. The paint panel
// already draws its paint hook into both looks and onto the erase context.
class TsfColorGridPanel : public TsfSkinPaintPanel {
public:
    using inherited = TsfSkinPaintPanel;
    explicit TsfColorGridPanel(TComponent* AOwner);

    TColor ColorValue() const { return FColorValue; }
    Integer ColCount() const { return FColCount; }
    // Accepted only above 0.
    void SetColCount(Integer Value);
    Integer RowCount() const { return FRowCount; }
    // Accepted only above 0 (no row would divide the height by zero).
    void SetRowCount(Integer Value);
    // The cells for the current size.
    TsfColorGridLayout Layout();

    TNotifyEvent OnChange;

protected:
    // How many colours the grid has, colour N, and whether cell N is selected.
    virtual Integer ColorCount() const = 0;
    virtual TColor CellColor(Integer N) const = 0;
    virtual bool CellSelected(Integer N) const = 0;
    // The cell N was clicked.
    virtual void CellClicked(Integer N) = 0;

    void DrawColors(TCanvas* C);
    void DrawSelectedCell(TCanvas* C, const TRect& F);
    void PanelPaint(TCanvas* Canvas) override { DrawColors(Canvas); }
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

    TColor FColorValue = 0;
    Integer FColCount = 1;
    Integer FRowCount = 1;
};

// The 48 basic colours; ColorValue selects the cell of that colour.
class TsfSkinColorGrid : public TsfColorGridPanel {
public:
    using inherited = TsfColorGridPanel;
    explicit TsfSkinColorGrid(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinColorGrid"; }
    // One of the basic colours fires OnChange and repaints; any other is stored silently.
    void SetColorValue(TColor Value);

protected:
    Integer ColorCount() const override { return sfBasicColorCount; }
    TColor CellColor(Integer N) const override { return sfBasicColors[size_t(N)]; }
    bool CellSelected(Integer N) const override { return sfBasicColors[size_t(N)] == FColorValue; }
    void CellClicked(Integer N) override { SetColorValue(sfBasicColors[size_t(N)]); }
};

// Up to twelve colours the user adds; a thirteenth replaces the first.
class TsfSkinCustomColorGrid : public TsfColorGridPanel {
public:
    using inherited = TsfColorGridPanel;
    explicit TsfSkinCustomColorGrid(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinCustomColorGrid"; }
    void AddColor(TColor AColor);
    // The 1-based number of the selected cell, 0 for none.
    Integer ColorIndex() const { return FColorIndex; }
    const TsfCustomColors& CustomColors() const { return FCustom; }
    void SetCustomColors(const TsfCustomColors& Value);

protected:
    Integer ColorCount() const override { return sfCustomColorCount; }
    TColor CellColor(Integer N) const override { return FCustom.Values[size_t(N)]; }
    bool CellSelected(Integer N) const override { return N + 1 == FColorIndex; }
    void CellClicked(Integer N) override;

private:
    TsfCustomColors FCustom;
    Integer FColorIndex = 0;
};

// The new colour (upper half) over the old one (lower half). A change of the
// new colour reaches MainWindowHandle as message 0x40C a moment later, once
// per burst of changes, so a preview follows a drag without flooding it.
class TsfColorViewer : public TGraphicControl {
public:
    using inherited = TGraphicControl;
    static constexpr Cardinal PreviewDelay = 100;
    static constexpr UINT WM_COLORPREVIEW = 0x40C;
    explicit TsfColorViewer(TComponent* AOwner);
    ~TsfColorViewer() override;
    String ClassName() const override { return u"TsfColorViewer"; }

    TColor ColorValue() const { return FColorValue; }
    void SetColorValue(TColor Value);
    TColor OldColorValue() const { return FOldColorValue; }
    void SetOldColorValue(TColor Value) { FOldColorValue = Value; }
    HWND MainWindowHandle() const { return FMainWindowHandle; }
    void SetMainWindowHandle(HWND Value) { FMainWindowHandle = Value; }

protected:
    void Paint() override;

private:
    void TimerTick();
    TColor FColorValue = 0;
    TColor FOldColorValue = 0;
    HWND FMainWindowHandle = nullptr;
};

// A windowed container that paints nothing, not even its background.
class TsfEmptyControl : public TCustomControl {
public:
    using inherited = TCustomControl;
    explicit TsfEmptyControl(TComponent* AOwner) : inherited(AOwner) {}
    String ClassName() const override { return u"TsfEmptyControl"; }

protected:
    void Paint() override {}
    void WMEraseBkgnd(TMessage& Message) override { Message.Result = 1; }
};

// A tool button with a drop-down grid: [automatic] forty colours [more
// colours] [pick from the screen]. The chosen colour shows in the button's
// colour strip; "automatic" is the strip switched off with the colour kept.
// The more-colours entry opens the skinned colour dialog (the frame's, through
// the menu services); the pick entry only tells the application to pick.
class TsfSkinColorButton : public TsfSkinMenuSpeedButton, public TsfImagesMenuProperties {
public:
    using inherited = TsfSkinMenuSpeedButton;
    explicit TsfSkinColorButton(TComponent* AOwner);
    ~TsfSkinColorButton() override;
    String ClassName() const override { return u"TsfSkinColorButton"; }
    void Loaded() override;

    TColor ColorValue() const { return FColorMarkerValue; }
    // Fires OnChangeColor when the colour or the strip's state changed since the menu last opened.
    void SetColorValue(TColor Value);
    TColor AutoColor() const { return FAutoColor; }
    void SetAutoColor(TColor Value) { FAutoColor = Value; }
    bool ShowAutoColor() const { return FLayout.Auto; }
    void SetShowAutoColor(bool Value);
    bool ShowMoreColor() const { return FLayout.More; }
    void SetShowMoreColor(bool Value);
    bool ShowPickColor() const { return FLayout.Pick; }
    void SetShowPickColor(bool Value);
    TsfSkinColorDialogLink* ColorDialog() const { return FColorDialog; }
    void SetColorDialog(TsfSkinColorDialogLink* Value);
    HWND MainWindowHandle() const { return FMainWindowHandle; }
    void SetMainWindowHandle(HWND Value);
    Integer DialogFormLeft() const { return FDialogFormLeft; }
    void SetDialogFormLeft(Integer Value) { FDialogFormLeft = Value; }
    Integer DialogFormTop() const { return FDialogFormTop; }
    void SetDialogFormTop(Integer Value) { FDialogFormTop = Value; }
    const TsfCustomColors& CustomColors() const { return FCustom; }
    void SetCustomColors(const TsfCustomColors& Value) { FCustom.Set(Value.Values, Value.Count); }
    // The grid (nil when no skinned menus are installed) and its swatches.
    TsfSkinImagesMenuLink* ColorMenu() const { return FColorMenu; }
    TCustomImageList* ColorImages() const { return FColorImages; }
    // Rebuilds the grid from the Show flags.
    void InitColors();

    TNotifyEvent OnChangeColor;
    TNotifyEvent OnStartPickColor;
    TNotifyEvent OnColorDialogClose;
    TEvent<TObject*, Integer> OnItemIndexChanged;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void MenuPopup();
    void ItemClick();
    void MoreColors();
    void SetShow(bool TsfColorMenuLayout::*Flag, bool Value);
    String MenuText(const char16_t* Key, const char16_t* English) const;
    void ReadCaptions();

    TsfSkinImagesMenuLink* FColorMenu = nullptr;  // owned (a component of this button)
    TCustomImageList* FColorImages = nullptr;     // owned (a component of this button)
    TColor FAutoColor = 0;
    TsfColorMenuLayout FLayout;
    TsfSkinColorDialogLink* FColorDialog = nullptr;
    bool FOwnDialog = false;
    bool FDrawColorMarker_B = false;
    HWND FMainWindowHandle = nullptr;
    Integer FDialogFormLeft = 0, FDialogFormTop = 0;
    TsfCustomColors FCustom;
};
