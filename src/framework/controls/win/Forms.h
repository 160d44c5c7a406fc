// Forms: top-level windows (TCustomForm, TForm), the application object with
// its message loop (Application), and the screen (Screen). Windows only.
//
// A form is built in code: its constructor creates its components and
// controls, sets their properties and events, and ends with Loaded(), which
// calls Loaded on the owned components and then fires OnCreate.
#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <vector>

#include "framework/controls/win/Controls.h"
#include "framework/controls/win/Hints.h"

// The application's MessageBox is a method; the platform's is MessageBoxW.
#undef MessageBox

class TCustomForm;
class TMainMenu;
class TMenuItem;
class TTimer;

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
// poScreenCenter centres on the whole screen, poDesktopCenter in its work area.
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TBorderIcons = Byte;
constexpr TBorderIcons biSystemMenu = 1 << 0;
constexpr TBorderIcons biMinimize = 1 << 1;
constexpr TBorderIcons biMaximize = 1 << 2;
constexpr TBorderIcons biHelp = 1 << 3;

using TFormState = Word;
constexpr TFormState fsCreating = 1 << 0;
constexpr TFormState fsVisible = 1 << 1;
constexpr TFormState fsShowing = 1 << 2;
constexpr TFormState fsModal = 1 << 3;
constexpr TFormState fsCreatedMDIChild = 1 << 4;
constexpr TFormState fsActivated = 1 << 5;

using TModalResult = Integer;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrClose = IDCLOSE;

using TCloseEvent = TEvent<TObject* /*Sender*/, TCloseAction& /*Action*/>;
using TCloseQueryEvent = TEvent<TObject* /*Sender*/, bool& /*CanClose*/>;
using TShortCutEvent = TEvent<TWMKey& /*Msg*/, bool& /*Handled*/>;
using TMessageEvent = TEvent<MSG& /*Msg*/, bool& /*Handled*/>;
using TIdleEvent = TEvent<TObject* /*Sender*/, bool& /*Done*/>;
using TExceptionEvent = TEvent<TObject* /*Sender*/, Exception& /*E*/>;

// ---------------------------------------------------------------------------
// Scrolling of a control's children with the window's own scroll bars.
class TScrollingWinControl;

// One of the two scroll bars of a scrolling control. Range is the extent of
// the content (the children's with AutoScroll); the bar shows while Visible
// and the content is larger than the client area. Position is how far the
// content is scrolled (0 .. Range - the client extent).
class TControlScrollBar : public TPersistent {
public:
    TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind);
    String ClassName() const override { return u"TControlScrollBar"; }
    void Assign(TPersistent* Source) override;

    TScrollBarKind Kind() const { return FKind; }
    Integer Position() const { return FPosition; }
    void SetPosition(Integer Value);
    // Setting the range by hand turns the control's AutoScroll off.
    Integer Range() const { return FRange; }
    void SetRange(Integer Value);
    // Pixels of one arrow click.
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value) { FIncrement = Value > 0 ? Value : 1; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // The bar is on the window now.
    bool IsScrollBarVisible() const { return FShown; }
    // The position while the bar shows, else 0.
    Integer ScrollPos() const { return FShown ? FPosition : 0; }

private:
    friend class TScrollingWinControl;
    Integer ClientExtent() const;
    void Update();
    void ScrollMessage(TMessage& Message);
    void DoSetRange(Integer Value);

    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    Integer FPosition = 0;
    Integer FRange = 0;
    Integer FIncrement = 8;
    bool FVisible = true;
    bool FShown = false;
    // What the window's bar was last given: setting it repaints the window's
    // frame, so Update passes on only a change.
    struct TApplied {
        bool Show = false;
        Integer Max = 0, Page = 0, Pos = 0;
        bool operator==(const TApplied&) const = default;
    };
    std::optional<TApplied> FApplied;
};

// A windowed control whose children may lie beyond its client area: with
// AutoScroll its scroll bars take their ranges from the children.
class TScrollingWinControl : public TCustomControl {
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;
    String ClassName() const override { return u"TScrollingWinControl"; }
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }
    // Scrolls so that AControl (a descendant) lies inside the client area.
    void ScrollInView(TControl* AControl);

protected:
    void CreateWnd() override;
    void AdjustClientRect(TRect& Rect) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    // The ranges from the children (AutoScroll), then the bars.
    void CalcAutoRange();
    void UpdateScrollBars();
    void WMHScroll(TMessage& Message) override;
    void WMVScroll(TMessage& Message) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) override;

private:
    friend class TControlScrollBar;
    bool OwnScrollMessage(TControlScrollBar* Bar, TMessage& Message);
    bool FAutoScroll = false;
    bool FUpdatingScrollBars = false;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
};

// ---------------------------------------------------------------------------
class TCustomForm : public TScrollingWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    // Fires OnDestroy and destroys the window while the whole form still
    // exists: its handlers, members and hooks see WM_DESTROY and may save state.
    void BeforeDestruction() override;
    // Frees the owned components while the form's own parts still exist (and
    // does what BeforeDestruction does when it has not run: a form that was
    // not freed with delete).
    ~TCustomForm() override;
    String ClassName() const override { return u"TCustomForm"; }
    // Loaded on each owned component, the form's own, then OnCreate (once).
    void Loaded() override;

    void Show();
    void Hide() { SetVisible(false); }
    // Asks OnCloseQuery, then OnClose decides: hide (the default), free,
    // minimise or nothing. Closing the main form ends the application; closing
    // a modal form sets ModalResult to mrCancel.
    void Close();
    bool CloseQuery();
    // Frees the form once the messages now waiting are handled: safe from its
    // own event handlers.
    void Release();
    // Shows the form modally: the thread's other windows are disabled, the
    // application's message pump runs until ModalResult is set, the form is
    // hidden and the windows are enabled again. Returns ModalResult.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TFormState FormState() const { return FFormState; }

    bool Active() const { return FActive; }
    // The control that has (or gets, when the form is activated) the focus.
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    // Moves the focus to Control within the form.
    void FocusControl(TWinControl* Control);
    // Called when a control of the form receives the focus: sends CM_EXIT and
    // CM_ENTER along the parent chains and CM_FOCUSCHANGED to the controls.
    virtual bool SetFocusedControl(TWinControl* Control);
    void DefocusControl(TWinControl* Control, bool Removing);
    void SetFocus() override;
    // The key goes through OnShortCut, then the short cuts of the form's menu;
    // true when it was taken.
    virtual bool IsShortCut(TWMKey& Message);
    // The form's OnKeyDown, OnKeyPress and OnKeyUp see the keys of its
    // controls before they do (and may take them by clearing the key).
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    // The menu bar shown on the form (nil: none).
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);
    // Multiple-document forms: a main form (fsMDIForm) holds the platform's
    // MDI client window, in the client area its aligned controls leave free;
    // its children (fsMDIChild, made once the main form has a window) live in
    // it, counted in creation order.
    HWND ClientHandle() const { return FClientHandle; }
    Integer MDIChildCount() const;
    TCustomForm* MDIChildren(Integer Index) const;
    TCustomForm* ActiveMDIChild() const;
    // The menu item under which the children are listed (nil: none).
    TMenuItem* WindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* Value);

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    // The icon of the window's caption and task button; without one, the application's.
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value) { FIcon->Assign(Value); }
    TCanvas* Canvas() const { return TCustomControl::Canvas(); }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Before the window exists: the client area the window's frame will leave.
    TRect GetClientRect() override;
    void Paint() override;
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void DoCreate();
    virtual void DoDestroy();
    // The first control the focus goes to when the form is activated.
    void SetWindowFocus();
    void CloseModal();

    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Commands and owner drawing of the menu bar.
    void WMCommand(TMessage& Message) override;
    void WMDrawItem(TMessage& Message) override;
    void WMMeasureItem(TMessage& Message) override;
    virtual void WMActivateApp(TMessage& Message);
    virtual void WMInitMenuPopup(TMessage& Message);
    void WMDestroy(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    virtual void CMActivate(TMessage& Message);
    virtual void CMDeactivate(TMessage& Message);
    virtual void CMRelease(TMessage& Message);
    virtual void CMIconChanged(TMessage& Message);
    virtual void WMActivate(TMessage& Message);
    virtual void WMClose(TMessage& Message);
    virtual void WMGetMinMaxInfo(TMessage& Message);
    void WMSize(TMessage& Message) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;

private:
    friend class TApplication;
    friend class TScreen;
    void PlaceOnShow();
    void WindowStyles(DWORD& Style, DWORD& ExStyle) const;

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormStyle FFormStyle = fsNormal;
    HWND FClientHandle = nullptr;
    TMenuItem* FWindowMenu = nullptr;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TFormState FFormState = 0;
    TModalResult FModalResult = mrNone;
    bool FActive = false;
    bool FCreated = false;
    bool FDestroyed = false;  // BeforeDestruction has run
    bool FWasMinimized = false;
    bool FKeyPreview = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    std::unique_ptr<TIcon> FIcon;
    TMainMenu* FMenu = nullptr;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
    String ClassName() const override { return u"TForm"; }
};

// The form that Control lies on (its topmost parent, when that is a form).
TCustomForm* GetParentForm(TControl* Control);

// ---------------------------------------------------------------------------
// The screen: the program's forms, the active one, the cursors and the
// screen's size.
class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;
    String ClassName() const override { return u"TScreen"; }

    // The forms in the order they were created.
    Integer FormCount() const { return static_cast<Integer>(FForms.size()); }
    TCustomForm* Forms(Integer Index) const;
    Integer CustomFormCount() const { return FormCount(); }
    TCustomForm* CustomForms(Integer Index) const { return Forms(Index); }
    // The form that has the focus, and its focused control.
    TCustomForm* ActiveCustomForm() const { return FActiveCustomForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }

    // A cursor other than crDefault shows everywhere in the program.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // The cursor handle registered under Index (crDefault's for an unknown one).
    HCURSOR Cursors(Integer Index) const;
    // Registers Handle under Index; the screen destroys it when it is replaced
    // or at the end. A null handle removes the entry.
    void SetCursors(Integer Index, HCURSOR Handle);

    Integer Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    Integer Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    TRect WorkAreaRect() const;
    Integer WorkAreaLeft() const { return WorkAreaRect().Left; }
    Integer WorkAreaTop() const { return WorkAreaRect().Top; }
    Integer WorkAreaWidth() const { return WorkAreaRect().Width(); }
    Integer WorkAreaHeight() const { return WorkAreaRect().Height(); }
    Integer PixelsPerInch() const;

private:
    friend class TCustomForm;
    friend class TWinControl;
    friend class TControl;
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveCustomForm = nullptr;
    TCustomForm* FFocusedForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = crDefault;
    std::map<Integer, HCURSOR> FCursors;
    std::map<Integer, bool> FOwnedCursors;
};

// ---------------------------------------------------------------------------
// The application: its message loop, the main form, and what happens to
// exceptions that reach the loop.
class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;
    String ClassName() const override { return u"TApplication"; }

    // The program's start-up: each library's install procedure in the order
    // given, lowest layer first (InstallFilters, InstallImageControls ...).
    // Nothing is installed by static initialisers, so nothing runs before this.
    using TInstallProc = void (*)();
    void Initialize(std::initializer_list<TInstallProc> Installs = {})
    {
        for (TInstallProc Install : Installs) Install();
    }
    // Makes a form owned by the application; the first one becomes the main form.
    template <class T, class... A>
    T* CreateForm(A&&... Args)
    {
        T* form = new T(this, std::forward<A>(Args)...);
        if (!FMainForm) FMainForm = form;
        return form;
    }
    // Shows the main form and handles messages until Terminate.
    void Run();
    // Handles every message waiting now.
    void ProcessMessages();
    // Handles one message, or, when none waits, idles until one arrives.
    void HandleMessage();
    // Ends Run (the message loop sees the quit message).
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // For use in a catch block: OnException when assigned, else a message box
    // with the exception's text captioned with Title. EAbort is silent.
    void HandleException(TObject* Sender);
    void ShowException(Exception& E);
    Integer MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);

    void Minimize();
    void Restore();
    void BringToFront();

    // A hidden window of the application; wakes the loop for waiting thread calls.
    HWND Handle() const { return FHandle; }
    TCustomForm* MainForm() const { return FMainForm; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value);
    // The program's icon (the resource "MAINICON" when the program has one).
    TIcon* Icon() const { return FIcon.get(); }
    // Hints: shown over a control whose ShowHint is on, after HintPause
    // milliseconds of the pointer resting on it (HintShortPause when a hint was
    // up a moment ago), for HintHidePause milliseconds (0 or less: until the
    // pointer moves on). Switching ShowHint off frees the hint window; on again,
    // it is made anew from HintWindowClass.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    Integer HintPause() const { return FHintPause; }
    void SetHintPause(Integer Value) { FHintPause = Value; }
    Integer HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(Integer Value) { FHintShortPause = Value; }
    Integer HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(Integer Value) { FHintHidePause = Value; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value);
    // The long part of the hint of the control under the pointer; OnHint on a change.
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    // Shows the hint of the control under the pointer now, at CursorPos (screen).
    void ActivateHint(const TPoint& CursorPos);
    // Hides the hint and forgets its control; the next move starts anew.
    void CancelHint();
    // Hides the hint window; it shows again when the pointer moves to another control.
    void HideHint();
    // A control's WM_MOUSEMOVE: starts, moves or cancels the hint's pauses.
    void HintMouseMessage(TControl* Control, TMessage& Message);
    THintWindow* HintWindow() const { return FHintWindow; }
    // The pauses run on a clock of milliseconds (GetTickCount unless replaced),
    // checked by HintTimer's event: a test puts a clock of its own in, moves it
    // and calls the event instead of waiting. Null puts GetTickCount back.
    using THintClock = std::function<Cardinal()>;
    void SetHintClock(THintClock Clock);
    TTimer* HintTimer() const { return FHintTimer.get(); }

    // Sees every queued message before it is translated and dispatched; setting
    // Handled swallows it. One handler: whoever replaces it keeps the old one.
    TMessageEvent OnMessage;
    TIdleEvent OnIdle;
    TExceptionEvent OnException;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    // The program's windows gain or lose the activation among the programs.
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    bool Active() const { return FActive; }
    TNotifyEvent OnHint;
    TShowHintEvent OnShowHint;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TCustomForm;
    enum THintState { hsIdle, hsPending, hsShown, hsHidden };
    void SetHintControl(TControl* Control);
    void StartHintPause(Integer Pause);
    void HintTimerTick();
    void ArmHintTimer(Integer Milliseconds);
    Cardinal HintNow() const;
    void ActivateChanged(bool Value);
    bool ProcessMessage(MSG& Msg);
    void Idle();
    bool IsKeyMsg(MSG& Msg);
    void WndProc(TMessage& Message);
    void MainFormMinimized(bool Minimized);

    HWND FHandle = nullptr;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FShowMainForm = true;
    bool FMainMinimized = false;
    bool FActive = false;
    String FTitle;
    std::unique_ptr<TIcon> FIcon;
    bool FShowHint = true;
    Integer FHintPause = 500;
    Integer FHintShortPause = 50;
    Integer FHintHidePause = 2500;
    TColor FHintColor = clInfoBk;
    String FHint;
    THintWindow* FHintWindow = nullptr;      // owned by the application
    THintWindowClass FHintWindowClass = nullptr;  // the class it was made from
    TControl* FHintControl = nullptr;        // whose hint is pending or shown
    THintState FHintState = hsIdle;
    Cardinal FHintStart = 0;                 // when the pause or the showing began
    Integer FHintWait = 0;                   // the pause, or how long the hint stays
    TRect FHintCursorRect;                   // screen area the shown hint is for
    THintClock FHintClock;
    std::unique_ptr<TTimer> FHintTimer;
};

TApplication* ApplicationInstance();
TScreen* ScreenInstance();
inline constexpr TGlobalObject<TApplication, ApplicationInstance> Application{};
inline constexpr TGlobalObject<TScreen, ScreenInstance> Screen{};
