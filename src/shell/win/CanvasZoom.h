// CanvasZoom: the zoom of the canvas and what moves the view: the status
// bar's zoom controls (the two step buttons, the track bar, the zoom menu
// button, fit and actual size), the mouse wheel over the main window, the
// automatic scrolling while a drag leaves the canvas and the lock after a
// zoom-tool click. A group of the main window: owned by TfrmZezavEzazer.
// The arithmetic is shell/ZoomSteps.
#pragma once

#include <functional>

#include "framework/runtime/Types.h"

class TfrmZezavEzazer;
class TMenuItem;
class TsfSkinMenuSpeedButton;
class TsfSkinPanel;
class TsfSkinPopupMenu;
class TsfSkinSpeedButton;
class TsfSkinTrackBar;
class TTimer;

class TCanvasZoom {
public:
    explicit TCanvasZoom(TfrmZezavEzazer& AForm);
    TCanvasZoom(const TCanvasZoom&) = delete;
    TCanvasZoom& operator=(const TCanvasZoom&) = delete;

    // The one way to change the zoom: the track bar and the zoom text follow,
    // the view and the live document take the scale, the rulers are laid out
    // again when asked.
    void SetZoom(Integer Percent, bool IsDrawRulers);
    // The zoom now, in percent of the view's horizontal scale.
    Integer CurrentZoom() const;

    void sbZoomDecClick(TObject* Sender);
    void sbZoomIncClick(TObject* Sender);
    void trbZoomChange(TObject* Sender);
    void muZoom100Click(TObject* Sender);
    void pmZoomPopup(TObject* Sender);
    void sbFittoWindowClick(TObject* Sender);
    void sbActualSizeClick(TObject* Sender);
    void pnlStateResize(TObject* Sender);

    // The wheel anywhere over the main window; Down scrolls towards the end.
    void FormMouseWheel(bool Down, const TPoint& ScreenPos, bool& Handled);
    // The panels under the pointer that scroll by the wheel (the preset
    // thumbnails, the open documents, the text memo) take it first; true
    // when one did (Handled is then set as that panel needs).
    bool PanelWheel(bool Down, const TPoint& ScreenPos, bool& Handled);

    // Automatic scrolling while a canvas drag runs.
    void SetAutoScroll(bool Enabled);
    void Timer1Timer(TObject* Sender);
    // A zoom-tool click on the canvas: at most one every 300 ms.
    bool ZoomClickAllowed() const;
    void ZoomClick(bool ZoomIn, Integer X, Integer Y);

    // ---- Parts (owned by the window).
    TsfSkinPanel* pnlState = nullptr;
    TsfSkinSpeedButton* sbZoomDec = nullptr;
    TsfSkinSpeedButton* sbZoomInc = nullptr;
    TsfSkinTrackBar* trbZoom = nullptr;
    TsfSkinMenuSpeedButton* sbZoom = nullptr;
    TsfSkinPopupMenu* pmZoom = nullptr;
    TsfSkinSpeedButton* sbFittoWindow = nullptr;
    TsfSkinSpeedButton* sbActualSize = nullptr;
    TTimer* Timer1 = nullptr;
    TTimer* TimerZoomCount = nullptr;

private:
    void ApplyScale(Single Scale);

    TfrmZezavEzazer& FForm;
    bool FPending = false;
};
