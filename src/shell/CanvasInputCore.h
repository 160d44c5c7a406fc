// CanvasInputCore: the canvas's mouse state machine. A press, the moves of a
// drag and the release are turned into calls on the live document by the
// current tool; what needs the window (focus, timers, cursors, labels, menus,
// zoom) goes through TCanvasInputHost, which win/CanvasInput implements.
#pragma once

#include "document/ImageDraw.h"
#include "framework/runtime/UITypes.h"

// Where the canvas shows the picture: its offsets and its (uniform) scale.
struct TCanvasViewGeometry {
    Single OffsetHorz = 0, OffsetVert = 0;
    Single Scale = 1;
    TRect BitmapRect;  // the scaled picture in view coordinates
};

// The current tool and the properties the mouse steps hand to the document.
struct TCanvasTool {
    TShapeType Type = shNone;
    Integer StyleId = 0;      // for the selection tool, its kind (see TSelectionStyle)
    Integer PolygonType = 0;  // the polygon style: 0 and 5 are built point by point
    Integer OutWidth = 1;
    Integer Opacity = 255;
    TColor FillColor = 0;
    Integer BrushIndex = 0;
};

namespace TSelectionStyle {
constexpr Integer Rectangle = 0, Ellipse = 1, PolygonLasso = 2, FreeLasso = 3, NodeLasso = 4, Wand = 5, Move = 7,
                  SingleRow = 9, SingleColumn = 10;
}

// Screen cursor slots of the canvas.
namespace CanvasCursor {
constexpr TCursor Zoom = 10, Pencil = 11, Fill = 12, Hand = 14, AddNodeActive = 22, Cross = 30, Lasso = 33,
                  PolygonLasso = 36, NodeLasso = 39, Wand = 42, MoveCut = 45, Move = 46, MoveCopy = 47;
}

class TCanvasInputHost {
public:
    virtual ~TCanvasInputHost() = default;
    virtual TImageDraw* Document() = 0;
    virtual TCanvasViewGeometry ViewGeometry() = 0;
    virtual void FocusCanvas() = 0;
    // The drag's auto-scroll timer.
    virtual void SetAutoScroll(bool Enabled) = 0;
    // The clone stamp has no source yet.
    virtual void ShowNoStampSource() = 0;
    // The edit menu at view point (X, Y).
    virtual void PopupEditMenu(Integer X, Integer Y) = 0;
    virtual void ScrollViewBy(Integer DX, Integer DY) = 0;
    // A zoom click: false while the previous one is too recent.
    virtual bool ZoomClickAllowed() = 0;
    // Zooms in or out, centres on image point (X, Y) and starts the pause.
    virtual void ZoomClick(bool ZoomIn, Integer X, Integer Y) = 0;
    virtual void SetCanvasCursor(TCursor Cursor) = 0;
    // The pointer's image coordinates and pixel for the status bar ("" clears).
    virtual void ShowPointer(const String& XY, const String& ARGB) = 0;
    virtual bool ShowPixelValue() = 0;
    virtual void DrawRulers(bool Full) = 0;
    // The tool's default properties into the document and the panels.
    virtual void LoadToolProperties() = 0;
    virtual bool SelectionAntialiasing() = 0;
    virtual void WandOptions(Integer& Tolerance, bool& Continuous) = 0;
    virtual void GradientDo() = 0;
    virtual void ApplyCanvasDrag() = 0;
    // A new text or callout: the caret to the end of the text box.
    virtual void FocusTextBox() = 0;
    // The add-node button of the polygon or free-shape panel goes up.
    virtual void ReleaseAddNodeButton(TShapeType Tool) = 0;
};

class TCanvasInputCore {
public:
    explicit TCanvasInputCore(TCanvasInputHost& AHost) : FHost(AHost) {}

    TCanvasTool Tool;

    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void MouseMove(TShiftState Shift, Integer X, Integer Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void DblClick();
    void MouseLeave();
    // Key 16 Shift, 17 Ctrl, 18 Alt.
    void SetModifierKeyState(Integer Key, bool Down);
    void UpdateCanvasCursor();
    void CheckFreeShapeAppend();
    void CommitDeletedSelection();
    // The edit menu closed.
    void EditMenuClosed();

    TPoint ImagePoint(Integer X, Integer Y);
    bool MouseDownLeft() const { return FMouseDownLeft; }
    bool PressSht() const { return FPressSht; }
    bool PressCtl() const { return FPressCtl; }
    bool PressAlt() const { return FPressAlt; }
    // The last pointer position in view coordinates (-1 once it left).
    TPoint LastViewPoint() const { return {FX2A, FY2A}; }
    // The image point of the last press and of the last pointer move.
    TPoint PressImagePoint() const { return {FX, FY}; }
    TPoint LastImagePoint() const { return {FX2, FY2}; }
    TCursor Cursor() const { return FCursor; }
    Integer ModifySelection() const { return FModifySelection; }

private:
    bool PointByPoint() const;
    bool IsPaintTool() const;
    bool EffectPaintsWithAnyButton(TImageDraw& Doc) const;
    enum class TPressStep { Stop, End, HitTest };
    TPressStep PressSpecial(TImageDraw& Doc, TMouseButton Button, TShiftState Shift, bool& MenuFlag);
    void PressSelectOrCreate(TImageDraw& Doc, TMouseButton Button, TShiftState Shift, Integer X, Integer Y,
                             bool& MenuFlag);
    void PressEnd(TImageDraw& Doc, TMouseButton Button, TShiftState Shift, Integer X, Integer Y, bool MenuFlag);
    void DragMove(TImageDraw& Doc, Integer X, Integer Y, const TPoint& Img);
    bool CreatedTooSmall(TImageDraw& Doc);
    void Release(TImageDraw& Doc);
    TCursor ToolCursor() const;

    TCanvasInputHost& FHost;
    Integer FX = 0, FY = 0, FXA = 0, FYA = 0, FX2 = 0, FY2 = 0, FX2A = -1, FY2A = -1;
    bool FMouseDownLeft = false;
    bool FMouseDownLeftAndMoved = false;
    bool FShapeMoved = false;
    bool FCancelCreatingShape = false;
    bool FDblClick = false;
    Integer FModifySelection = 0;
    bool FDeleteSelectionOrCopSuccess = false;
    bool FShapeAppending = false;
    bool FPressSht = false, FPressCtl = false, FPressAlt = false;
    TCursor FCursor = crDefault;
};
