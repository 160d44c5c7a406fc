// EffectLauncher: the main window's routines around effects and dialogs: the
// effect dialog of the live document's effect mode run between the
// document's effect run's start and end, the step after every modal dialog,
// and the fourteen effect brushes with their panel (brush size, value,
// paint or erase, colour, highlighter style and colour swatches).
// A group of the main window: owned by TfrmZezavEzazer, which keeps the
// named operations other parts call as short forwards to it.
#pragma once

#include <functional>

#include "shell/EffectLauncherCore.h"
#include "framework/runtime/UITypes.h"

class TfrmZezavEzazer;
class TForm;
class TImageDraw;
class TLabel;
class TObject;
class TRow;
class TShape;
class TsfSkinColorButton;
class TsfSkinPanel;
class TsfSkinSlider;
class TsfSkinSpeedButton;

class TEffectLauncher {
public:
    explicit TEffectLauncher(TfrmZezavEzazer& AForm);
    ~TEffectLauncher();
    TEffectLauncher(const TEffectLauncher&) = delete;
    TEffectLauncher& operator=(const TEffectLauncher&) = delete;

    // Makes the brush panel (hidden until a brush starts).
    void CreateControls();

    // Runs the dialog of the live document's effect mode titled Caption
    // and leaves the mode at none; true when it was confirmed.
    bool ShowEffectDialog(const String& Caption);
    // The colour adjustment of Doc, whose effect mode is set: the dialog
    // at its own place between the effect run's start and end (the
    // command runs the step after the dialog); true when it was confirmed.
    bool ShowColorAdjustDialog(TImageDraw& Doc);
    // After every modal dialog of the main window: an Alt release the
    // dialog swallowed is released here.
    void AfterModalDialog();
    // A test steps through a dialog while it is up (null: the user does).
    std::function<void(TForm& Dialog)> OnDialogShown;

    // ---- Effect brushes.
    bool EffectDrawing() const { return FEffectDrawing; }
    void sbToolMosaicClick(TObject* Sender);
    void StartEffectDrawing(TEffectMode Mode);
    void FinishEffectDrawing(bool IsUndo);
    void EndEffectDrawing();
    void ApplyEffectDrawSettings();
    // Undo or redo is about to restore the state named State.
    void DocumentGodoStart(const String& State);

    TsfSkinPanel* pnlDrawEffect = nullptr;
    TsfSkinPanel* pnlDrawEffectBrushEraser = nullptr;
    TsfSkinPanel* pnlDrawEffectBrushSize = nullptr;
    TsfSkinPanel* pnlDrawEffectValue1 = nullptr;
    TsfSkinPanel* pnlDrawEffectBrushColor = nullptr;
    TsfSkinPanel* pnlDrawEffectBrushStyle = nullptr;
    TsfSkinPanel* pnlDrawEffectColorizeColor = nullptr;
    TsfSkinSpeedButton* sbDrawEffectBrush = nullptr;
    TsfSkinSpeedButton* sbDrawEffectEraser = nullptr;
    TsfSkinSlider* sliderDrawEffectBrushSize = nullptr;
    TLabel* lblDrawEffectBrushValue = nullptr;
    TsfSkinSlider* sliderDrawEffectData1 = nullptr;
    TLabel* lblDrawEffectValue1 = nullptr;
    TLabel* lblDrawEffectData1 = nullptr;
    TLabel* lblDrawEffectBrushColor = nullptr;
    TsfSkinColorButton* cbDrawEffectBrushColor = nullptr;
    TsfSkinSpeedButton* sbDrawEffectHLStyle[4] = {};
    TShape* Shapes[10] = {};

private:
    TRow* Settings() const;  // row 2 of the settings table
    // The effect run around the modal Dialog; true when it was confirmed.
    bool RunEffectDialog(TForm& Dialog, TImageDraw& Doc);
    Integer Cell(Integer Index) const;
    void SetCell(Integer Index, Integer Value);
    TsfSkinSpeedButton* ModeButton(TEffectMode Mode) const;
    void LayoutPanel(TEffectMode Mode);
    void sliderDrawEffectBrushSizeChange();
    void sliderDrawEffectBrushSizeChanged();
    void sliderDrawEffectData1Change();
    void sliderDrawEffectData1Changed();
    void cbDrawEffectBrushColorChangeColor();
    void SwatchDown(Integer Index);

    TfrmZezavEzazer& FForm;
    bool FEffectDrawing = false;
    bool FEffectWillReStart = false;
    bool FPending = false;
};
