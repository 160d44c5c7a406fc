// CanvasRulers: the two rulers beside the canvas (17 pixels along the top and
// down the left), their tick drawing at the zoom and scroll position, the
// pointer marks, showing and hiding them, their unit menu, and the measuring
// tool's read-out texts. A group of the main window: owned by
// TfrmZezavEzazer. The tick arithmetic is shell/RulerLayout.
#pragma once

#include <functional>
#include <memory>

#include "shell/RulerLayout.h"

class TfrmZezavEzazer;
class TBitmap32;
class TImageDraw;
class TMenuItem;
class TLabel;
class TPaintBox32;
class TsfSkinButton;
class TsfSkinPanel;
class TsfSkinPopupMenu;

class TCanvasRulers {
public:
    explicit TCanvasRulers(TfrmZezavEzazer& AForm);
    ~TCanvasRulers();
    TCanvasRulers(const TCanvasRulers&) = delete;
    TCanvasRulers& operator=(const TCanvasRulers&) = delete;

    // With Recompute the ticks are laid out again for the zoom, the scroll
    // position and the unit; in every case the pointer marks are redrawn.
    // Nothing happens while the rulers are hidden.
    void DrawRulers(bool Recompute);
    // Both ruler pictures to their boxes' sizes, then drawn again.
    void ResizeRulers();
    // Shows or hides both rulers and keeps the choice in the settings.
    void ShowRulers(bool Visible);
    bool RulersShown() const;
    void muShowRulersClick(TObject* Sender);
    void muRulerUnit1Click(TObject* Sender);
    void pmUnitPopup(TObject* Sender);

    // The measuring line of Sender moved (or went): the read-out texts.
    void DocumentRulerChanged(TImageDraw* Sender, Integer X1, Integer Y1, Integer X2, Integer Y2);
    // Told after the read-out labels changed.
    std::function<void(const TMeasureTexts& Texts)> OnMeasureTexts;
    // The measuring line goes (the read-out's clear button).
    void btnRulerClearClick(TObject* Sender);
    const TMeasureTexts& LastMeasureTexts() const { return FLastTexts; }
    // The spacing the horizontal ruler was last laid out with.
    const TRulerSpacing& Spacing() const { return FSpacing; }
    // ... and the spacing in inches or millimetres (empty for pixels).
    const TUnitRulerSpacing& UnitSpacing() const { return FUnitSpacing; }

    // ---- Parts (owned by the window).
    TPaintBox32* FRulerPaintBox[2] = {};
    TsfSkinPopupMenu* pmUnit = nullptr;
    TMenuItem* muRulerUnit[3] = {};
    // The measuring read-out, floating over the canvas; the tool panels
    // show it for the measuring tool.
    TsfSkinPanel* pnlPropRuler = nullptr;
    TLabel* lblRulerX = nullptr;
    TLabel* lblRulerY = nullptr;
    TLabel* lblRulerW = nullptr;
    TLabel* lblRulerH = nullptr;
    TLabel* lblRulerA = nullptr;
    TLabel* lblRulerD = nullptr;
    TsfSkinButton* btnRulerClear = nullptr;

private:
    void RenderHorizontal(Integer Unit);
    void RenderVertical(Integer Unit);
    void PaintRuler(Integer Index);
    void CreateMeasurePanel();
    void ShowMeasureTexts(const TMeasureTexts& Texts);
    Integer Unit() const;

    TfrmZezavEzazer& FForm;
    std::unique_ptr<TBitmap32> FRulerBitmap[2];
    TRulerSpacing FSpacing;
    TUnitRulerSpacing FUnitSpacing;
    TMeasureTexts FLastTexts;
};
