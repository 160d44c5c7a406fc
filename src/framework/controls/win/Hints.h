// Hints: the hint window the application shows over a control whose ShowHint
// is on, the replaceable class it is made from (HintWindowClass), what a hint
// is about to show (THintInfo, through CM_HINTSHOW and OnShowHint), and a
// balloon hint shown at a point. The application's timing lives with
// TApplication (Forms). Windows only.
#pragma once

#include "framework/controls/win/Controls.h"

class THintWindow;

// A class reference for hint windows: one table per class, holding its
// factory; two references name the same class when they are the same pointer.
struct THintWindowClassRef {
    THintWindow* (*Create)(TComponent* AOwner);
};
using THintWindowClass = const THintWindowClassRef*;

template <class T>
THintWindowClass HintWindowClassOf()
{
    static const THintWindowClassRef Ref{[](TComponent* AOwner) -> THintWindow* { return new T(AOwner); }};
    return &Ref;
}

// The class the application makes its hint window from. A program that
// replaces it toggles Application->ShowHint off and on to get a new window.
extern THintWindowClass HintWindowClass;

// What the application is about to show; CM_HINTSHOW (lParam: a THintInfo*)
// lets the control change it (a non-zero result cancels the hint), then
// Application->OnShowHint.
struct THintInfo {
    TControl* HintControl = nullptr;
    THintWindowClass HintWindowClass = nullptr;
    TPoint HintPos;          // screen point of the window's top-left corner
    Integer HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;        // client coordinates of HintControl: moving out of it shows the hint anew
    TPoint CursorPos;        // the pointer, in client coordinates of HintControl
    Integer ReshowTimeout = 0;  // milliseconds after which the hint shows anew (0: never)
    Integer HideTimeout = 0;    // milliseconds the hint stays (0 or less: until the pointer moves on)
    String HintStr;
    void* HintData = nullptr;
};

using TShowHintEvent = TEvent<String& /*HintStr*/, bool& /*CanShow*/, THintInfo& /*HintInfo*/>;

// A hint text may hold a short part for the hint window and a long part for
// a status line, separated by "|".
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

// ---------------------------------------------------------------------------
// A small top-level popup that shows a text in the hint colours. It never takes
// the activation or the mouse.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    String ClassName() const override { return u"THintWindow"; }

    // Shows Hint in Rect (screen coordinates), kept on the screen.
    virtual void ActivateHint(const TRect& Rect, const String& AHint);
    virtual void ActivateHintData(const TRect& Rect, const String& AHint, void* AData);
    // The rectangle at (0, 0) the text needs, lines broken at MaxWidth.
    virtual TRect CalcHintRect(Integer MaxWidth, const String& AHint, void* AData);
    // True for a message that should take a pending or shown hint away (a
    // press, a key, the wheel, the pointer leaving the program's windows ...).
    virtual bool IsHintMsg(const MSG& Msg);
    // Destroys the window (hidden, no handles kept); the next ActivateHint makes it again.
    void ReleaseHandle();
    bool Active() const { return FActive; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WMNCHitTest(TMessage& Message) override;
    void WMNCPaint(TMessage& Message) override;

private:
    bool FActive = false;
};

// ---------------------------------------------------------------------------
// A balloon (a tool tip of the common controls) shown at a screen point, with a
// title, a text and an icon kind, until HideHint.
enum TBalloonHintIcon { bhiNone, bhiInfo, bhiWarning, bhiError };

class TBalloonHint : public TComponent {
public:
    explicit TBalloonHint(TComponent* AOwner);
    ~TBalloonHint() override;
    String ClassName() const override { return u"TBalloonHint"; }

    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    const String& Description() const { return FDescription; }
    void SetDescription(const String& Value) { FDescription = Value; }
    TBalloonHintIcon Icon() const { return FIcon; }
    void SetIcon(TBalloonHintIcon Value) { FIcon = Value; }

    // Shows the balloon with its stem at Point (screen coordinates).
    void ShowHint(const TPoint& Point);
    // Shows it below the middle of a control.
    void ShowHint(TControl* Control);
    void HideHint();
    bool ShowingHint() const { return FShowing; }
    // The tool tip window (null before the first ShowHint).
    HWND Handle() const { return FHandle; }

private:
    HWND FHandle = nullptr;
    String FTitle;
    String FDescription;
    TBalloonHintIcon FIcon = bhiNone;
    bool FShowing = false;
};
