// GradientPanel: the gradient fill tool's panel of the main window: the
// current preset as a strip, the two colours its words stand for, the
// gradient shape buttons, the preset editor and the drop-down list of
// presets that closes by itself once the pointer has left it and the panel;
// and the fill itself when a drag on the canvas ends.
// A group of the main window, owned by TfrmZezavEzazer.
#pragma once

#include <functional>
#include <vector>

#include "shell/ToolPanelsCore.h"

class TForm;
class TfrmZezavEzazer;
class TImage32;
class TObject;
class TTimer;
class TsfSkinColorButton;
class TsfSkinPanel;
class TsfSkinScrollBar;
class TsfSkinSpeedButton;

// The colours the words "ForeColor" and "BackColor" stand for (settings row
// 1, cells 23 and 24).
TColor GradientForeColor();
TColor GradientBackColor();

class TGradientPanel {
public:
    explicit TGradientPanel(TfrmZezavEzazer& AForm);
    ~TGradientPanel();
    TGradientPanel(const TGradientPanel&) = delete;
    TGradientPanel& operator=(const TGradientPanel&) = delete;

    void CreateControls();

    TsfSkinPanel* pnlPropGradient = nullptr;
    TsfSkinColorButton* clGradientForeColor = nullptr;
    TsfSkinColorButton* clGradientBackColor = nullptr;
    TImage32* imgGradient = nullptr;
    TsfSkinSpeedButton* sbGradientMode[5] = {};
    TsfSkinSpeedButton* sbGradientEdit = nullptr;
    TsfSkinSpeedButton* sbGradientList = nullptr;
    TsfSkinPanel* pnlGradientList = nullptr;
    TsfSkinPanel* pnlGradientThumb = nullptr;
    TsfSkinScrollBar* ScrollBarGra = nullptr;
    TTimer* TimerGradient = nullptr;
    std::vector<TImage32*> FGradientThumbBox;

    Integer GradientIndex() const { return FGradientIndex; }
    // The blend the fill paints with (the current preset at the bar's opacity).
    const std::vector<TColor32>& GradientColors() const { return FGradientColors; }
    const std::vector<Single>& GradientPositions() const { return FGradientPositions; }

    void DrawGradientPreview(Integer Opacity);
    void imgGradientClick();
    void sbGradientListClick();
    void GradientListClick(Integer Index);
    void ScrollGradientList(bool Reset);
    void DrawGradientList(Integer Index);
    void TimerGradientTimer();
    // The fill of the drag that just ended.
    void GradientDo();

    // Called with the preset editor just before it shows (tests drive it from here).
    std::function<void(TForm&)> OnDialogShown;

private:
    void Fill(const TPropertyVisibility& V);
    void CreateGradientListImages();
    void sbGradientModeClick(Integer Tag);

    TfrmZezavEzazer& FForm;
    Integer FGradientIndex = 0, FGradientIndex_B = 0;
    Integer FGradientThumbColCount = 8;
    std::vector<TColor32> FGradientColors;
    std::vector<Single> FGradientPositions;
};
