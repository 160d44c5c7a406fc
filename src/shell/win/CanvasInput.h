// CanvasInput: the mouse on the canvas view, turned into calls on the live
// document by the current tool (shell/CanvasInputCore), and the canvas
// cursor. A group of the main window: owned by TfrmZezavEzazer; what only the
// main window knows (its labels, rulers, zoom, panels, edit menu) it plugs in
// through the hooks below, each doing nothing until it is set.
#pragma once

#include <functional>

#include "shell/CanvasInputCore.h"
#include "shell/CanvasKeys.h"

struct tagMSG;

class TImgView32;
class TCustomLayer;
class TBitmap32;

class TCanvasInput : public TCanvasInputHost {
public:
    TCanvasInput(TImgView32& AImage, std::function<TImageDraw*()> ALive);
    ~TCanvasInput() override;
    TCanvasInput(const TCanvasInput&) = delete;
    TCanvasInput& operator=(const TCanvasInput&) = delete;

    TCanvasInputCore& Core() { return FCore; }
    TCanvasTool& Tool() { return FCore.Tool; }

    // The view's events.
    void ImageMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y, TCustomLayer*);
    void ImageMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y, TCustomLayer*);
    void ImageMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y, TCustomLayer*);
    void ImageDblClick(TObject* Sender);
    void ImageMouseLeave(TObject* Sender);
    // The canvas behind the picture, at stage 2 of the view's paint stages: a
    // checkerboard of 8-pixel squares under a transparent picture, else the
    // document's canvas colour.
    void ImagePaintStage(TObject* Sender, TBitmap32* Buffer, Cardinal StageNum);

    // The application-wide key hook with the canvas shortcuts, for the keys
    // of MainWindow (an HWND) and its controls; the hook before it still
    // sees every message.
    void InstallKeyHook(void* MainWindow);
    void EditorKeyHook(tagMSG& Msg, bool& Handled);
    // The shortcuts that are commands of the main window (save, edit
    // commands, zoom, the clipboard picture).
    std::function<void(TCanvasKeyAction Action)> OnKeyCommand;
    std::function<bool()> OnSaveEnabled;
    std::function<bool()> OnCropEnabled;
    std::function<TColor()> OnSelectionFillColor;

    // ---- The main window's parts.
    std::function<void(Integer X, Integer Y)> OnPopupEditMenu;  // view point
    std::function<void(bool Enabled)> OnAutoScroll;
    std::function<bool()> OnZoomClickAllowed;
    std::function<void(bool ZoomIn, Integer X, Integer Y)> OnZoomClick;
    std::function<void(const String& XY, const String& ARGB)> OnShowPointer;
    std::function<bool()> OnShowPixelValue;
    std::function<void(bool Full)> OnDrawRulers;
    std::function<void()> OnLoadToolProperties;
    std::function<bool()> OnSelectionAntialiasing;
    std::function<void(Integer& Tolerance, bool& Continuous)> OnWandOptions;
    std::function<void()> OnGradientDo;
    std::function<void()> OnApplyCanvasDrag;
    std::function<void()> OnFocusTextBox;
    std::function<void(TShapeType Tool)> OnReleaseAddNodeButton;
    std::function<void()> OnNoStampSource;

    // ---- TCanvasInputHost.
    TImageDraw* Document() override { return FLive(); }
    TCanvasViewGeometry ViewGeometry() override;
    void FocusCanvas() override;
    void SetAutoScroll(bool Enabled) override;
    void ShowNoStampSource() override;
    void PopupEditMenu(Integer X, Integer Y) override;
    void ScrollViewBy(Integer DX, Integer DY) override;
    bool ZoomClickAllowed() override;
    void ZoomClick(bool ZoomIn, Integer X, Integer Y) override;
    void SetCanvasCursor(TCursor Cursor) override;
    void ShowPointer(const String& XY, const String& ARGB) override;
    bool ShowPixelValue() override;
    void DrawRulers(bool Full) override;
    void LoadToolProperties() override;
    bool SelectionAntialiasing() override;
    void WandOptions(Integer& Tolerance, bool& Continuous) override;
    void GradientDo() override;
    void ApplyCanvasDrag() override;
    void FocusTextBox() override;
    void ReleaseAddNodeButton(TShapeType Tool) override;

private:
    void RunKeyAction(TCanvasKeyAction Action, Word Key);

    TImgView32& FImage;
    std::function<TImageDraw*()> FLive;
    void* FMainWindow = nullptr;
    bool FHookInstalled = false;
    std::function<void(tagMSG&, bool&)> FPreviousHook;
    TCanvasInputCore FCore{*this};
};
