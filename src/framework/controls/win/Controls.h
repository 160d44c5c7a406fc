// Controls: the bases of every control. TControl (with or without a window of
// its own), TWinControl (a real window, made on demand from CreateParams),
// TGraphicControl and TCustomControl (each with a canvas for Paint), the
// size constraints, the mouse, and the message path they all share:
//   Win32 -> one window procedure -> WindowProc (replaceable per instance)
//         -> WndProc (mouse routing and bookkeeping) -> Dispatch (one small
//         virtual handler per message) -> DefaultHandler (the platform).
// Windows only.
#pragma once

#include <memory>
#include <vector>

#include "framework/runtime/Classes.h"
#include "framework/graphics/win/Graphics.h"
#include "framework/controls/win/Messages.h"
#include <shellapi.h>
#include "framework/runtime/Types.h"
#include "framework/runtime/UITypes.h"

class TWinControl;
class TCustomForm;
class TWindowHook;

// ---------------------------------------------------------------------------
// Enumerations and sets (a set is a bit mask: bit n for enumeration value n).
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

using TAnchors = Byte;
constexpr TAnchors akLeft = 1 << 0;
constexpr TAnchors akTop = 1 << 1;
constexpr TAnchors akRight = 1 << 2;
constexpr TAnchors akBottom = 1 << 3;

// TMouseButton, TShiftState and TCursor with their values: framework/UITypes.h.

// What a control class is: set once by its constructor.
using TControlStyle = Cardinal;
constexpr TControlStyle csAcceptsControls = 1 << 0;  // may be a parent
constexpr TControlStyle csCaptureMouse = 1 << 1;     // keeps the mouse while a button is held
constexpr TControlStyle csClickEvents = 1 << 2;      // a press and release over it is a Click
constexpr TControlStyle csFramed = 1 << 3;
constexpr TControlStyle csSetCaption = 1 << 4;
constexpr TControlStyle csOpaque = 1 << 5;           // paints all of its area
constexpr TControlStyle csDoubleClicks = 1 << 6;     // wants double clicks (else two presses)
constexpr TControlStyle csFixedWidth = 1 << 7;
constexpr TControlStyle csFixedHeight = 1 << 8;
constexpr TControlStyle csNoDesignVisible = 1 << 9;
constexpr TControlStyle csReplicatable = 1 << 10;
constexpr TControlStyle csNoStdEvents = 1 << 11;     // no mouse and key events
constexpr TControlStyle csParentBackground = 1 << 12;  // erases with its parent's background, not its colour

// What a control is doing now.
using TControlState = Cardinal;
constexpr TControlState csLButtonDown = 1 << 0;
constexpr TControlState csClicked = 1 << 1;          // pressed; released over it gives Click
constexpr TControlState csAlignmentNeeded = 1 << 2;  // a layout was asked for while layout was held
constexpr TControlState csFocusing = 1 << 3;
constexpr TControlState csCreating = 1 << 4;
constexpr TControlState csPaintCopy = 1 << 5;
constexpr TControlState csCustomPaint = 1 << 6;      // inside a paint the control drives itself
constexpr TControlState csDestroyingHandle = 1 << 7;

// Border styles: a form takes all six, other controls bsNone and bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TScrollBarKind { sbHorizontal, sbVertical };

// ---------------------------------------------------------------------------
// Events
// TMouseEvent and TMouseMoveEvent: framework/UITypes.h.
using TKeyEvent = TEvent<TObject* /*Sender*/, Word& /*Key*/, TShiftState>;
using TKeyPressEvent = TEvent<TObject* /*Sender*/, Char& /*Key*/>;
// MousePos is in screen coordinates.
using TMouseWheelEvent =
    TEvent<TObject* /*Sender*/, TShiftState, Integer /*WheelDelta*/, const TPoint& /*MousePos*/, bool& /*Handled*/>;
using TMouseWheelUpDownEvent = TEvent<TObject* /*Sender*/, TShiftState, const TPoint& /*MousePos*/, bool& /*Handled*/>;
using TCanResizeEvent = TEvent<TObject* /*Sender*/, Integer& /*NewWidth*/, Integer& /*NewHeight*/, bool& /*Resize*/>;

// Shift state from the MK_ flags of a mouse message (Alt from the keyboard).
TShiftState KeysToShiftState(Word Keys);
// Shift state from the key data of a key message.
TShiftState KeyDataToShiftState(Integer KeyData);

// ---------------------------------------------------------------------------
// Drag and drop between controls. A drag follows the mouse from the control
// it started on (the source) over the controls under the pointer (the
// targets); each target says whether it accepts the drop, which picks the
// cursor. Escape, the right button or a lost capture cancel it.
class TControl;
enum TDragMode { dmManual, dmAutomatic };
// What a target's OnDragOver is told: the drag came in, left, or moved over it.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// The steps of CM_DRAG (wParam) a target receives.
enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel };

// What is dragged. The default one carries the source control; a source may
// hand its own from OnStartDrag (it stays the source's to free).
class TDragObject : public TObject {
public:
    String ClassName() const override { return u"TDragObject"; }
    // The cursor over a target that accepts the drop (Accepted) or not; X, Y
    // in screen coordinates.
    virtual TCursor GetDragCursor(bool Accepted, Integer X, Integer Y);
    // Called once at the end: Target is the control that took the drop, or
    // null when nobody did (X, Y then 0).
    virtual void Finished(TObject* Target, Integer X, Integer Y, bool Accepted);
    // The control under the pointer, and where the pointer is on the screen.
    TControl* DragTarget() const { return FDragTarget; }
    TPoint DragPos() const { return FDragPos; }
    bool Dropped() const { return FDropped; }
    bool Cancelling() const { return FCancelling; }

private:
    friend class TDragManager;
    TControl* FDragTarget = nullptr;
    TPoint FDragPos{0, 0};
    bool FDropped = false;
    bool FCancelling = false;
};

// The drag object of a control that did not name its own: the events see the
// control itself as the Source.
class TDragControlObject : public TDragObject {
public:
    explicit TDragControlObject(TControl* AControl) : FControl(AControl) {}
    String ClassName() const override { return u"TDragControlObject"; }
    TControl* Control() const { return FControl; }
    TCursor GetDragCursor(bool Accepted, Integer X, Integer Y) override;

private:
    TControl* FControl;
};

// lParam of CM_DRAG. Pos is in the target's client coordinates.
struct TDragRec {
    TDragObject* Source;
    TPoint Pos;
};

using TStartDragEvent = TEvent<TObject* /*Sender*/, TDragObject*& /*DragObject*/>;
// Source is the dragged control (or the source's own drag object); X, Y in
// the target's client coordinates. Accept comes in true when the event is set.
using TDragOverEvent =
    TEvent<TObject* /*Sender*/, TObject* /*Source*/, Integer /*X*/, Integer /*Y*/, TDragState, bool& /*Accept*/>;
using TDragDropEvent = TEvent<TObject* /*Sender*/, TObject* /*Source*/, Integer /*X*/, Integer /*Y*/>;
// Target is the control that took the drop, or null (X, Y then 0).
using TEndDragEvent = TEvent<TObject* /*Sender*/, TObject* /*Target*/, Integer /*X*/, Integer /*Y*/>;

// The control (windowless ones included) a drag at the screen point Pos is
// over; disabled ones only when AllowDisabled.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The drag object of the drag going on now, or null.
TDragObject* ActiveDragObject();

// ---------------------------------------------------------------------------
// Limits of a control's size; 0 means no limit.
class TSizeConstraints : public TPersistent {
public:
    String ClassName() const override { return u"TSizeConstraints"; }
    void Assign(TPersistent* Source) override;

    Integer MinWidth() const { return FMinWidth; }
    void SetMinWidth(Integer Value);
    Integer MinHeight() const { return FMinHeight; }
    void SetMinHeight(Integer Value);
    Integer MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(Integer Value);
    Integer MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(Integer Value);
    // Both sizes brought within the limits.
    void Apply(Integer& Width, Integer& Height) const;

    TNotifyEvent OnChange;

private:
    void Change();
    Integer FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

// ---------------------------------------------------------------------------
// A canvas over a control's device context, made on demand (on the parent's
// window, moved and clipped to the control, for a windowless one). During
// Paint it is bound to the paint context instead.
class TControl;
class TControlCanvas : public TCanvas {
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;
    String ClassName() const override { return u"TControlCanvas"; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value);
    // Releases the context it made (no effect on a context handed in).
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    friend void FreeDeviceContexts(HWND Wnd);
    TControl* FControl = nullptr;
    TReleasedDC FDeviceContext;
};

// Releases the contexts the control canvases made on Wnd (all when null).
void FreeDeviceContexts(HWND Wnd = nullptr);

// Binds a canvas to a context the platform hands in (a paint, an owner-drawn
// item) for the length of a scope.
class TCanvasPaintScope {
public:
    TCanvasPaintScope(TCanvas* Canvas, HDC DC) : FCanvas(Canvas)
    {
        FCanvas->Lock();
        FCanvas->SetHandle(DC);
    }
    // The same, with Font and a brush of colour Back: how a control draws
    // an owner-drawn item or its own background.
    TCanvasPaintScope(TCanvas* Canvas, HDC DC, TFont* Font, TColor Back) : TCanvasPaintScope(Canvas, DC)
    {
        FCanvas->Font()->Assign(Font);
        FCanvas->Brush()->SetColor(Back);
    }
    ~TCanvasPaintScope()
    {
        FCanvas->SetHandle(nullptr);
        FCanvas->Unlock();
    }
    TCanvasPaintScope(const TCanvasPaintScope&) = delete;
    TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

private:
    TCanvas* FCanvas;
};

// ---------------------------------------------------------------------------
// TControl: a rectangle on its parent with the behaviour every control shares.
// A windowless control receives its messages from its parent through Perform.
class TPopupMenu;
using TContextPopupEvent = TEvent<TObject* /*Sender*/, TPoint /*MousePos*/, bool& /*Handled*/>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    String ClassName() const override { return u"TControl"; }
    void Loaded() override;
    // Every delete of a control comes here first (found through the static
    // type, as TObject's is): see DeferDestruction.
    void operator delete(TControl* Control, std::destroying_delete_t)
    {
        if (Control->DeferDestruction()) return;
        TObject::operator delete(Control, std::destroying_delete_t{});
    }

    // The message path. WindowProc starts as WndProc; a component hooks the
    // control through a TWindowHook, which keeps the old value and calls it
    // for what the hook passes on.
    TWndMethod WindowProc;
    // Sends a message straight to WindowProc (windowless controls included).
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    virtual void WndProc(TMessage& Message);
    // Calls the handler named after the message, else DefaultHandler.
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    // Bounds, in the parent's client coordinates (a form: the screen's). Every
    // change goes through the one virtual SetBounds.
    Integer Left() const { return FLeft; }
    Integer Top() const { return FTop; }
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    TRect BoundsRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }

    // The client area and where its origin lies on the screen.
    TRect ClientRect() { return GetClientRect(); }
    Integer ClientWidth() { return GetClientRect().Width(); }
    Integer ClientHeight() { return GetClientRect().Height(); }
    void SetClientWidth(Integer Value);
    void SetClientHeight(Integer Value);
    TPoint ClientOrigin() { return GetClientOrigin(); }
    TPoint ClientToScreen(const TPoint& Point);
    TPoint ScreenToClient(const TPoint& Point);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    // A control that is not aligned keeps its distance to the parent's sides
    // named in Anchors when the parent is resized; with neither side of an axis
    // it keeps its centre at the same proportion.
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    // The text (a window's text, the caption of a windowless control).
    String Text();
    void SetText(const String& Value);
    String Caption() { return Text(); }
    void SetCaption(const String& Value) { SetText(Value); }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    // The parent's font, followed while true; changing Font clears it.
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    // The menu a right click (or the menu key) on the control opens, when its
    // AutoPopup is on and OnContextPopup has not handled the request.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    // Painting: Invalidate asks for a paint (through CM_INVALIDATE), Update
    // paints what is invalid now, Repaint does both.
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Places the control above or below its siblings.
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }

    // --- Drag and drop -----------------------------------------------------
    // dmAutomatic: a press of the left button begins a drag that starts when
    // the pointer has moved Mouse->DragThreshold pixels.
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    // The cursor of a drag from this control over a target that accepts it.
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }
    // Begins a drag from this control with the left button held: at once
    // (Immediate) or once the pointer has moved Threshold pixels (-1: the
    // mouse's DragThreshold). OnStartDrag fires now.
    void BeginDrag(bool Immediate, Integer Threshold = -1);
    // Ends this control's drag: dropped where the pointer is (Drop), else cancelled.
    void EndDrag(bool Drop);
    bool Dragging() const;
    // A drop of Source at X, Y (client coordinates): OnDragDrop.
    virtual void DragDrop(TObject* Source, Integer X, Integer Y);

    // The mouse goes to this control while set (windowless ones too).
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    // The control's own timers (windowless ones too), on the thread's one
    // timer window: WM_TIMER with Id in wParam reaches WindowProc, and so
    // WMTimer, every Interval milliseconds. Starting a running one restarts it.
    void StartTimer(UINT_PTR Id, UINT Interval);
    void StopTimer(UINT_PTR Id);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    // Before the popup menu opens; MousePos is in client coordinates, (-1, -1)
    // when the keyboard asked. Handled stops the menu.
    TContextPopupEvent OnContextPopup;
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual TRect GetClientRect();
    virtual TPoint GetClientOrigin();
    // A device context for drawing outside a paint; WindowHandle receives the
    // window it belongs to (for ReleaseDC).
    virtual HDC GetDeviceContext(HWND& WindowHandle);
    virtual void SetZOrder(bool TopMost);
    // Invalidates the control's area on its parent.
    void InvalidateControl(bool IsVisible, bool IsOpaque);

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    // True when handled; MousePos in screen coordinates.
    virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos);
    virtual void Resize();

    // Size checks that SetBounds makes: OnCanResize, the auto size, the constraints.
    virtual bool CanResize(Integer& NewWidth, Integer& NewHeight);
    virtual bool CanAutoSize(Integer& NewWidth, Integer& NewHeight);
    bool CheckNewSize(Integer& NewWidth, Integer& NewHeight);
    virtual void ConstrainedResize(Integer& Width, Integer& Height);
    // Sizes the control again when AutoSize is on.
    virtual void AdjustSize();
    // Asks the parent to lay out its children again.
    void RequestAlign();
    // Remembers the bounds and the parent's client size the anchors keep.
    void UpdateAnchorRules();

    // Drag and drop: the source's start and end, a target's acceptance.
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, Integer X, Integer Y);
    virtual void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    // A dmAutomatic control's press of the left button.
    virtual void BeginAutoDrag();

    // DefaultHandler, then whether this control still exists: false when a
    // handler the platform called meanwhile freed it.
    bool DefaultHandlerSurvived(TMessage& Message);
    void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TMessage& Message, TMouseButton Button);

    // Handlers, one per message.
    // A windowless control paints on the context in wParam (its parent's).
    virtual void WMPaint(TWMPaint& Message);
    virtual void WMLButtonDown(TWMMouse& Message);
    virtual void WMLButtonUp(TWMMouse& Message);
    virtual void WMLButtonDblClk(TWMMouse& Message);
    virtual void WMRButtonDown(TWMMouse& Message);
    virtual void WMRButtonUp(TWMMouse& Message);
    virtual void WMRButtonDblClk(TWMMouse& Message);
    virtual void WMMButtonDown(TWMMouse& Message);
    virtual void WMMButtonUp(TWMMouse& Message);
    virtual void WMMButtonDblClk(TWMMouse& Message);
    virtual void WMMouseMove(TWMMouse& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentShowHintChanged(TMessage& Message);
    virtual void CMShowHintChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMCursorChanged(TMessage& Message);
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMMouseWheel(TMessage& Message);
    virtual void CMInvalidate(TMessage& Message);
    // The framework's notifications every control may answer; the defaults do
    // nothing (a windowed control passes the dialog keys and focus changes on
    // to its children).
    virtual void CMCancelMode(TMessage& Message);
    virtual void CMDialogKey(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    virtual void CMFocusChanged(TMessage& Message);
    virtual void CMWantSpecialKey(TMessage& Message);
    // A drag's step over this control (wParam TDragMessage, lParam TDragRec*):
    // DragOver answers enter, leave and move (Result: accepted), DragDrop the drop.
    virtual void CMDrag(TMessage& Message);
    // Messages a windowless control receives too (through Perform).
    virtual void WMTimer(TMessage& Message);
    virtual void WMContextMenu(TMessage& Message);
    virtual void WMSetText(TMessage& Message);

    // A control freed while one of its own messages is being handled (a
    // button freed by its OnClick with the platform still inside its window
    // procedure, a child freed by its parent's handler of the child's
    // notification) leaves its owner and parent at once, its window hidden
    // and taken off the parent's window, and is freed when the outermost of
    // those messages is done.
    bool DeferDestruction();

    TWinControl* FParent = nullptr;
    Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState FControlState = 0;
    String FText;
    bool FVisible = true;
    bool FEnabled = true;

private:
    friend class TWinControl;
    friend class TControlCanvas;
    friend class TWindowHook;
    friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
    friend bool StillControlOf(const TWinControl* Control, HWND Wnd);
    // Counts a message of the control while it is handled (its window
    // procedure, Perform, its timers, its native procedure); the last one to
    // end frees a control whose destruction was deferred.
    class TMessageScope {
    public:
        explicit TMessageScope(TControl* Control) : FControl(Control) { ++Control->FMessageDepth; }
        ~TMessageScope();
        TMessageScope(const TMessageScope&) = delete;
        TMessageScope& operator=(const TMessageScope&) = delete;

    private:
        TControl* FControl;
    };
    friend class TDragManager;
    // Hands Message to WindowProc as a message of this control.
    void HandleMessage(TMessage& Message);
    void FontChanged(TObject* Sender);
    // Where the control's timers deliver: on to WindowProc.
    void TimerMessage(TMessage& Message);
    // A drag's mouse and key messages while this control is its source; true
    // when the drag took the message.
    bool DragMessage(TMessage& Message);
    // The control is going: a drag from it ends unheard, one over it forgets it.
    void DragControlGone();

    bool FIsWinControl = false;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akLeft | akTop;
    TRect FAnchorBounds;        // bounds when the anchors were last taken
    TSize FAnchorParentSize;    // the parent's client size then (0: not taken)
    bool FPlacedByParent = false;  // inside the parent's layout: the anchors stay
    std::unique_ptr<TSizeConstraints> FConstraints;
    bool FAutoSize = false;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FUpdatingFont = false;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TCursor FCursor = crDefault;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    std::vector<TWindowHook*> FHooks;  // the hooks in WindowProc's chain
    TPopupMenu* FPopupMenu = nullptr;
    Integer FMessageDepth = 0;   // own messages being handled now
    bool FFreePending = false;   // freed meanwhile: goes when they are done
    TDragMode FDragMode = dmManual;
    TCursor FDragCursor = crDrag;
};

// ---------------------------------------------------------------------------
// A hook in a control's message path, for a component that takes part in
// another control's messages (a skin on a form). Hook() puts Method in front
// of the control's WindowProc and keeps the value it replaced; Method passes
// what it does not take on with CallPrevious. Unhook() (the destructor too)
// takes it out: when WindowProc is still this hook it gets the saved value
// back; when a later hook sits in front, that hook is given this one's saved
// value instead, so the later hook stays in the chain. A hook whose control
// went first is unhooked already.
class TWindowHook {
public:
    TWindowHook() = default;
    ~TWindowHook() { Unhook(); }
    TWindowHook(const TWindowHook&) = delete;
    TWindowHook& operator=(const TWindowHook&) = delete;

    void Hook(TControl* Control, const TWndMethod& Method);
    void Unhook();
    TControl* Control() const { return FControl; }
    bool Hooked() const { return FControl != nullptr; }
    // The value this hook replaced (it changes when an earlier hook leaves).
    const TWndMethod& Previous() const { return FPrevious; }
    void CallPrevious(TMessage& Message) const
    {
        TWndMethod previous = FPrevious;  // the call may unhook this hook
        if (previous) previous(Message);
    }

private:
    friend class TControl;
    TControl* FControl = nullptr;
    TWndMethod FMethod;
    TWndMethod FPrevious;
};

// The control the mouse pointer is over (it has had CM_MOUSEENTER), or null.
TControl* MouseControl();
// The control that has the mouse: a windowless one that captured it, or the
// control whose window has the platform's capture.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// True while Control is still the live control of its window Wnd: false once
// a handler freed it (even while its destruction waits for its messages to
// end) or the window went. Code after an event that may free the control asks
// this before going on; Control is only compared until it matches.
bool StillControlOf(const TWinControl* Control, HWND Wnd);
// The framework control of a window (null for any other window).
TWinControl* FindControl(HWND Handle);
// The framework control (windowless ones included) under a screen point.
TControl* FindControlAtPos(const TPoint& ScreenPos);

// ---------------------------------------------------------------------------
// Files dropped from the shell: the full names a drop carries (UTF-16, any
// length), and where it happened in the client coordinates of its window.
std::vector<String> DroppedFileNames(HDROP Drop);
TPoint DroppedFilesPoint(HDROP Drop);
// Sender, the names, the point in the control's client coordinates.
using TDropFilesEvent = TEvent<TObject* /*Sender*/, const std::vector<String>& /*FileNames*/, const TPoint& /*Pos*/>;

// ---------------------------------------------------------------------------
// What CreateWnd passes to CreateWindowExW, and the window class to register.
struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    Integer X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSW WindowClass = {};
    String WinClassName;
};

// ---------------------------------------------------------------------------
// TWinControl: a control with a window. The window is made when first needed
// (HandleNeeded) from CreateParams; properties set before are applied then.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    String ClassName() const override { return u"TWinControl"; }
    void DefaultHandler(TMessage& Message) override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // Destroys the window and makes it again (when it is shown), keeping the state.
    void RecreateWnd();
    // A window of another kind this control lives in, when it has no Parent.
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND Value);
    // The window exists and is shown as far as this control goes.
    bool Showing() const { return FShowing; }

    // Children, windowed and windowless mixed, in z-order (the bottom one first).
    Integer ControlCount() const { return static_cast<Integer>(FControls.size()); }
    TControl* Controls(Integer Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* Control) const;
    // The topmost visible child at Pos (client coordinates); windowed children
    // only when AllowWinControls, disabled ones only when AllowDisabled.
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false) const;
    // Sends Message to each child until one answers non-zero.
    void Broadcast(TMessage& Message);
    void NotifyControls(UINT Msg);

    // Layout of the aligned and anchored children; held while the count is above 0.
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    bool AlignDisabled() const { return FAlignLevel > 0; }
    void Realign();

    // Focus and the keyboard.
    virtual bool CanFocus();
    bool Focused() const;
    virtual void SetFocus();
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    Integer TabOrder() const;
    void SetTabOrder(Integer Value);
    // The windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& List);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

    TBrush* Brush() const { return FBrush.get(); }

    // Paints through one off-screen bitmap of the control's own, kept and
    // reused from paint to paint, then copies it to the screen at once: no
    // flicker of a background painted before the picture. A paint into a
    // context that is handed in (WM_PAINT with a DC, WM_PRINTCLIENT) goes
    // straight into that context.
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value);

    // Moves the window's contents and every child by DeltaX, DeltaY pixels.
    virtual void ScrollBy(Integer DeltaX, Integer DeltaY);

    // Files dropped from the shell reach WMDropFiles (and OnDropFiles) while set.
    bool AcceptFiles() const { return FAcceptFiles; }
    void SetAcceptFiles(bool Value);
    TDropFilesEvent OnDropFiles;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    TRect GetClientRect() override;
    TPoint GetClientOrigin() override;
    HDC GetDeviceContext(HWND& WindowHandle) override;
    void SetZOrder(bool TopMost) override;
    bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;

    virtual void CreateParams(TCreateParams& Params);
    // Makes Params a copy of a native window class (an edit, a list box ...):
    // the native window procedure becomes the DefaultHandler.
    void CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName);
    virtual void CreateWnd();
    // Sets a field the platform reads only when it makes the window (a style):
    // a change makes the window again.
    template <class T>
    void SetRecreating(T& Field, const T& Value)
    {
        if (Field == Value) return;
        Field = Value;
        RecreateWnd();
    }
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    virtual void CreateHandle();
    virtual void DestroyHandle();
    // Shows or hides the window as Visible and the parents say.
    void UpdateControlState();
    virtual void UpdateShowing();
    // Reads the window's real bounds into the fields.
    void UpdateBounds();

    // Layout: AControl is the child that asked (or null).
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // The part of the client area the aligned children share.
    virtual void AdjustClientRect(TRect& Rect);
    void AlignControl(TControl* AControl);

    // Painting. PaintWindow paints the control itself; PaintControls its
    // windowless children on DC with the origin moved and clipped to each.
    void PaintHandler(TWMPaint& Message);
    virtual void PaintWindow(HDC DC);
    void PaintControls(HDC DC, TControl* First);
    // A paint of the window through the off-screen bitmap, onto DC.
    void PaintBuffered(HDC DC);
    // Paints what the parent shows behind this control onto DC (csParentBackground).
    void PaintParentBackground(HDC DC);
    // The off-screen bitmap of DoubleBuffered (null before the first paint).
    HBITMAP PaintBuffer() const { return FPaintBuffer.Handle(); }

    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(Char& Key);
    bool DoKeyDown(TWMKey& Message);
    bool DoKeyUp(TWMKey& Message);
    bool DoKeyPress(TWMKey& Message);
    // The form that sees this control's keys first (KeyPreview), or null.
    TWinControl* KeyPreviewForm();
    // The parent form's short-cut handling; true when it took the key.
    bool IsMenuKey(TWMKey& Message);
    virtual void DoEnter();
    virtual void DoExit();
    // Takes the focus away from this control (and its children) in the form.
    void RemoveFocus(bool Removing);
    // Passes WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and WM_CTLCOLOR* on to the child
    // whose window they concern, as CN_ + message; false when there is none.
    bool DoControlMsg(HWND ControlHandle, TMessage& Message);
    // The windowed child whose window has the control identifier Id.
    TWinControl* FindChildControlById(UINT Id) const;
    // Routes a mouse message to the windowless child under the pointer (or the one
    // holding the mouse); true when one took it.
    bool IsControlMouseMsg(TWMMouse& Message);

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMShowHintChanged(TMessage& Message) override;
    void CMInvalidate(TMessage& Message) override;
    void WMPaint(TWMPaint& Message) override;
    virtual void WMEraseBkgnd(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMMove(TMessage& Message);
    virtual void WMWindowPosChanged(TMessage& Message);
    virtual void WMSetCursor(TMessage& Message);
    virtual void WMMouseWheel(TMessage& Message);
    virtual void WMMouseLeave(TMessage& Message);
    virtual void WMCaptureChanged(TMessage& Message);
    virtual void WMKeyDown(TWMKey& Message);
    virtual void WMKeyUp(TWMKey& Message);
    virtual void WMChar(TWMKey& Message);
    virtual void WMSysKeyDown(TWMKey& Message);
    virtual void WMSysKeyUp(TWMKey& Message);
    virtual void WMSysChar(TWMKey& Message);
    virtual void WMCommand(TMessage& Message);
    virtual void WMNotify(TMessage& Message);
    virtual void WMDrawItem(TMessage& Message);
    // WM_MEASUREITEM, WM_DELETEITEM and WM_COMPAREITEM name the child by its
    // control identifier; WM_CHARTOITEM and WM_VKEYTOITEM by its window.
    virtual void WMMeasureItem(TMessage& Message);
    virtual void WMDeleteItem(TMessage& Message);
    virtual void WMCompareItem(TMessage& Message);
    virtual void WMCharToItem(TMessage& Message);
    virtual void WMVKeyToItem(TMessage& Message);
    virtual void WMCtlColor(TMessage& Message);
    // Notifications reflected back by the parent (see DoControlMsg); the
    // defaults answer as the platform would (colours: the control's brush).
    virtual void CNCommand(TMessage& Message);
    virtual void CNNotify(TMessage& Message);
    virtual void CNDrawItem(TMessage& Message);
    virtual void CNMeasureItem(TMessage& Message);
    virtual void CNHScroll(TMessage& Message);
    virtual void CNVScroll(TMessage& Message);
    virtual void CNCtlColorEdit(TMessage& Message);
    virtual void CNCtlColorStatic(TMessage& Message);
    virtual void CNCtlColorListBox(TMessage& Message);
    virtual void CNCtlColorBtn(TMessage& Message);
    virtual void CNKeyDown(TWMKey& Message);
    virtual void CNKeyUp(TWMKey& Message);
    virtual void CNChar(TWMKey& Message);
    virtual void CNSysKeyDown(TWMKey& Message);
    virtual void CNSysChar(TWMKey& Message);
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMShowingChanged(TMessage& Message);
    virtual void CMRecreateWnd(TMessage& Message);
    virtual void CMTabStopChanged(TMessage& Message);
    // The frame: its size, painting, hit tests, activation and mouse. The
    // defaults leave each to the platform.
    virtual void WMNCCalcSize(TMessage& Message);
    virtual void WMNCPaint(TMessage& Message);
    virtual void WMNCHitTest(TMessage& Message);
    virtual void WMNCActivate(TMessage& Message);
    virtual void WMNCMouseMove(TWMMouse& Message);
    virtual void WMNCMouseLeave(TMessage& Message);
    virtual void WMNCLButtonDown(TWMMouse& Message);
    virtual void WMNCLButtonUp(TWMMouse& Message);
    virtual void WMNCLButtonDblClk(TWMMouse& Message);
    virtual void WMNCRButtonDown(TWMMouse& Message);
    virtual void WMNCRButtonUp(TWMMouse& Message);
    virtual void WMNCRButtonDblClk(TWMMouse& Message);
    virtual void WMNCMButtonDown(TWMMouse& Message);
    virtual void WMNCMButtonUp(TWMMouse& Message);
    virtual void WMNCMButtonDblClk(TWMMouse& Message);
    virtual void WMNCXButtonDown(TWMMouse& Message);
    virtual void WMNCXButtonUp(TWMMouse& Message);
    virtual void WMNCXButtonDblClk(TWMMouse& Message);
    virtual void WMSysCommand(TMessage& Message);
    virtual void WMWindowPosChanging(TMessage& Message);
    virtual void WMGetDlgCode(TMessage& Message);
    // The focus: a form learns which of its controls has it.
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    // Scroll messages of a scroll bar control go on to it as CN_HSCROLL / CN_VSCROLL.
    virtual void WMHScroll(TMessage& Message);
    virtual void WMVScroll(TMessage& Message);
    // Paints the client area into the context in wParam (PRF_CLIENT), erasing
    // it first with PRF_ERASEBKGND.
    virtual void WMPrintClient(TMessage& Message);
    // The window is going; the control is still whole (see BeforeDestruction).
    virtual void WMDestroy(TMessage& Message);
    // Files dropped from the shell: OnDropFiles with their full names. The
    // drop's memory is released after the handler returns (never inside it).
    virtual void WMDropFiles(TMessage& Message);
    virtual void WMMouseActivate(TMessage& Message);

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = nullptr;
    bool FShowing = false;

private:
    friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class TControl;
    void PlaceInZOrder();
    // Takes a child whose destruction is deferred off this control; its
    // window, hidden and off this one's (whose going would destroy it under
    // the child's own messages), stays until the child goes.
    void DetachControl(TControl* AControl);
    void AnchorControl(TControl* Control, const TRect& Client);
    void UpdateMouseControl(const TPoint& Pos);

    HWND FParentWindow = nullptr;
    std::vector<TControl*> FControls;     // z-order, bottom first
    std::vector<TWinControl*> FTabList;   // windowed children in tab order
    Integer FAlignLevel = 0;
    bool FTabStop = false;
    bool FTrackingLeave = false;
    bool FDoubleBuffered = false;
    bool FAcceptFiles = false;
    std::unique_ptr<TBrush> FBrush;
    TGdiObject<HBITMAP> FPaintBuffer;  // the off-screen bitmap of DoubleBuffered
    TSize FPaintBufferSize{0, 0};
};

// ---------------------------------------------------------------------------
// A windowless control that paints itself on its parent.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    String ClassName() const override { return u"TGraphicControl"; }
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void WMPaint(TWMPaint& Message) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// A windowed control that paints itself.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    String ClassName() const override { return u"TCustomControl"; }
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    // Paints through PaintHandler always (csCustomPaint is set meanwhile).
    void WMPaint(TWMPaint& Message) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// ---------------------------------------------------------------------------
// The mouse.
class TMouse : public TObject {
public:
    String ClassName() const override { return u"TMouse"; }
    TPoint CursorPos() const;
    void SetCursorPos(const TPoint& Value);
    // Pixels the pointer moves with a button held before a drag begins.
    Integer DragThreshold() const { return FDragThreshold; }
    void SetDragThreshold(Integer Value) { FDragThreshold = Value; }
    // The window that has the platform's mouse capture.
    HWND Capture() const { return GetCapture(); }
    void SetCapture(HWND Value);
    bool WheelPresent() const { return GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0; }

private:
    Integer FDragThreshold = 5;
};

// The program-wide objects (Application, Screen, Mouse) are made on first use,
// so no order between the units' start-up matters.
template <class T, T* (*Get)()>
struct TGlobalObject {
    T* operator->() const { return Get(); }
    T& operator*() const { return *Get(); }
    operator T*() const { return Get(); }
};

TMouse* MouseInstance();
inline constexpr TGlobalObject<TMouse, MouseInstance> Mouse{};
