// ExtCtrls: the timer component, the notification-area (tray) icon, and the
// extra controls: panels, bevels, shapes, images, splitters and paint boxes.
// Windows only.
#pragma once

#include <memory>

#include "framework/controls/win/Controls.h"

#include <shellapi.h>  // after the platform headers Controls brings

class TPopupMenu;

// Calls OnTimer every Interval milliseconds on the thread that made it (the
// user-interface thread), through the thread's one timer window (Messages).
// It runs while Enabled and Interval is above 0, with or without a handler.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    String ClassName() const override { return u"TTimer"; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal Value);

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    bool FEnabled = true;
    Cardinal FInterval = 1000;
};

// ---------------------------------------------------------------------------
// An icon in the shell's notification area. Clicks come back through a hidden
// window of its own; the icon is added again when the shell restarts (its
// "TaskbarCreated" broadcast).
enum TBalloonFlags { bfNone, bfInfo, bfWarning, bfError };

class TTrayIcon : public TComponent {
public:
    explicit TTrayIcon(TComponent* AOwner);
    ~TTrayIcon() override;
    String ClassName() const override { return u"TTrayIcon"; }

    // The tip shown over the icon (the shell keeps 127 characters of it).
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    // The icon shown; empty: the application's.
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value);
    bool Visible() const { return FVisible; }
    // Adds the icon to the notification area or takes it away. Raises
    // EOSError when the shell refuses it.
    void SetVisible(bool Value);
    // Opened by a right click on the icon.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);

    // The balloon: title (63 characters kept), text (255) and icon kind.
    const String& BalloonTitle() const { return FBalloonTitle; }
    void SetBalloonTitle(const String& Value) { FBalloonTitle = Value; }
    const String& BalloonHint() const { return FBalloonHint; }
    void SetBalloonHint(const String& Value) { FBalloonHint = Value; }
    TBalloonFlags BalloonFlags() const { return FBalloonFlags; }
    void SetBalloonFlags(TBalloonFlags Value) { FBalloonFlags = Value; }
    // Milliseconds the balloon stays (the shell may bound it).
    Integer BalloonTimeout() const { return FBalloonTimeout; }
    void SetBalloonTimeout(Integer Value) { FBalloonTimeout = Value; }
    // Shows the balloon over the visible icon. False when the shell refused it.
    bool ShowBalloonHint();

    // The window the shell sends the icon's mouse messages to, and the
    // message it sends (wParam the icon's id, lParam the mouse message).
    HWND Handle() const { return FHandle; }
    static constexpr UINT WM_TRAYNOTIFY = WM_USER + 0x400;
    UINT ID() const { return FID; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnBalloonClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void WndProc(TMessage& Message);
    // The record the shell takes, by its size on this platform.
    NOTIFYICONDATAW IconData(UINT Flags) const;
    bool Notify(DWORD Command, UINT Flags);
    void Changed();

    HWND FHandle = nullptr;
    UINT FID;
    UINT FTaskbarCreated = 0;
    String FHint;
    std::unique_ptr<TIcon> FIcon;
    bool FVisible = false;
    TPopupMenu* FPopupMenu = nullptr;
    String FBalloonTitle;
    String FBalloonHint;
    TBalloonFlags FBalloonFlags = bfNone;
    Integer FBalloonTimeout = 10000;
};

// ---------------------------------------------------------------------------
// A container with a caption and two bevels round its inside, both drawn
// from the outside in: the border (BorderWidth pixels of Color), the outer
// bevel, then the inner one, each BevelWidth pixels.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TPanelBevel = TBevelCut;
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);
    String ClassName() const override { return u"TCustomPanel"; }

    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel Value);
    Integer BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(Integer Value);
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value);
    // bsSingle adds the platform's one-pixel window border.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment Value);
    // Shows the parent's background instead of filling with Color.
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool Value);
    // True: a resize repaints the whole panel; false: only what it uncovered.
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value);
    // The area inside the border and the bevels, where aligned children go.
    TRect InnerRect();

protected:
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void CMTextChanged(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMWindowPosChanged(TMessage& Message) override;

private:
    void Changed();
    Integer FrameWidth() const;

    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    Integer FBevelWidth = 1;
    Integer FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
    TVerticalAlignment FVerticalAlignment = taVerticalCenter;
    bool FParentBackground = false;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
    String ClassName() const override { return u"TPanel"; }
};

// ---------------------------------------------------------------------------
// Lines, a box or a frame in the 3-D colours; bsSpacer draws nothing.
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);
    String ClassName() const override { return u"TBevel"; }
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

// ---------------------------------------------------------------------------
// A geometric shape outlined with Pen and filled with Brush. The square and
// circle kinds take the shorter side, centred.
enum TShapeKind { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);
    String ClassName() const override { return u"TShape"; }
    TShapeKind Shape() const { return FShape; }
    void SetShape(TShapeKind Value);
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

protected:
    void Paint() override;

private:
    TShapeKind FShape = stRectangle;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
};

// ---------------------------------------------------------------------------
// Shows a picture: at its own size from the top-left, centred, stretched to
// the control, or (Proportional) shrunk keeping its aspect. Canvas draws into
// the picture's bitmap (made at the control's size when the picture is empty).
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    String ClassName() const override { return u"TImage"; }

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    // Raises EInvalidOperation "Can only modify an image if it contains a
    // bitmap" when the picture holds a graphic of another class.
    TCanvas* Canvas();
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    void SetAutoSize(bool Value) override;
    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;
    void Paint() override;

private:
    void PictureChanged(TObject* Sender);
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FDrawing = false;
};

// ---------------------------------------------------------------------------
// A bar the user drags to resize the aligned control beside it (the one its
// own Align side touches). MinSize keeps the neighbour and the rest of the
// parent at least that large; AutoSnap collapses the neighbour to 0 when
// dragged below MinSize. ResizeStyle: rsUpdate resizes live, rsLine and
// rsPattern show an inverted bar and resize on release, rsNone resizes on
// release only. Escape ends a drag where it is (a size not yet applied is dropped).
enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TCanResizeSizeEvent = TEvent<TObject* /*Sender*/, Integer& /*NewSize*/, bool& /*Accept*/>;

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    ~TSplitter() override;
    String ClassName() const override { return u"TSplitter"; }
    // Keeps the cursor's direction with the alignment (crHSplit across, crVSplit up and down).
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    bool AutoSnap() const { return FAutoSnap; }
    void SetAutoSnap(bool Value) { FAutoSnap = Value; }
    bool Beveled() const { return FBeveled; }
    void SetBeveled(bool Value);
    Integer MinSize() const { return FMinSize; }
    void SetMinSize(Integer Value);
    TResizeStyle ResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle Value) { FResizeStyle = Value; }
    // The control being resized during a drag, null otherwise.
    TControl* ResizeControl() const { return FControl; }

    TCanResizeSizeEvent OnCanResize;
    TNotifyEvent OnMoved;
    TNotifyEvent OnPaint;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The size check of a split beside the control's own check of a new size.
    using TControl::CanResize;
    virtual bool CanResize(Integer& NewSize);
    virtual bool DoCanResize(Integer& NewSize);
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Paint() override;
    virtual void StopSizing();

private:
    TControl* FindControl() const;
    void CalcSplitSize(Integer X, Integer Y, Integer& NewSize, Integer& Split);
    void UpdateSize(Integer X, Integer Y);
    void UpdateControlSize();
    void DrawLine();
    void FocusKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    bool Vertical() const { return Align() == alLeft || Align() == alRight; }

    TControl* FControl = nullptr;
    TWinControl* FActiveControl = nullptr;
    TKeyEvent FOldKeyDown;
    TPoint FDownPos;
    bool FAutoSnap = true;
    bool FBeveled = false;
    Integer FMinSize = 30;
    Integer FMaxSize = 0;
    Integer FNewSize = 0;
    Integer FOldSize = -1;
    Integer FStartSize = 0;
    Integer FSplit = 0;
    TResizeStyle FResizeStyle = rsPattern;
    bool FLineVisible = false;
    TRect FLineRect;
};

// ---------------------------------------------------------------------------
// A windowless area the program draws on in OnPaint, through Canvas.
class TPaintBox : public TGraphicControl {
public:
    explicit TPaintBox(TComponent* AOwner);
    String ClassName() const override { return u"TPaintBox"; }
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};
