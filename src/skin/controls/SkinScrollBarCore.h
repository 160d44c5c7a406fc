// SkinScrollBarCore: the portable part of the skinned scroll bar
// (win/SkinScrollBar): range, position and page with their clamps, where the
// arrow buttons, the track and the thumb lie (built-in look or a skin's
// description), which part the pointer is over, thumb dragging, page steps
// and the arrow and page auto-repeat. The window class turns messages into
// calls here and paints what the part states say; repaints and the events go
// out through the hooks below, the repeat runs on the skin clock (timer 1).
#pragma once

#include "framework/runtime/Classes.h"
#include "skin/controls/SkinCoreTypes.h"

// The parts of the bar: the thumb, the up button (adds SmallChange: the right
// or bottom arrow of the built-in look) and the down button (the left or top arrow).
constexpr Integer sbThumb = 0;
constexpr Integer sbUpButton = 1;
constexpr Integer sbDownButton = 2;

// What the repeat timer does.
constexpr Integer sbtmNone = 0;
constexpr Integer sbtmDownButton = 1;
constexpr Integer sbtmUpButton = 2;
constexpr Integer sbtmPageUp = 3;
constexpr Integer sbtmPageDown = 4;

// The first repeat interval and the fast one that follows.
constexpr Integer ScrollBarRepeatDelay = 500;
constexpr Integer ScrollBarRepeatInterval = 50;

// The fields of a scroll-bar description the geometry uses.
struct TsfScrollBarSkinGeometry {
    TRect SkinRect;
    TPoint RTPt;
    TPoint LBPt;
    TRect TrackArea;
    TRect UpButtonRect;
    TRect DownButtonRect;
    TRect ThumbRect;
    Integer ThumbMinSize = 0;
    Integer ThumbMinPageSize = 0;
};

class TsfSkinScrollBarCore {
public:
    TsfSkinScrollBarCore() = default;
    ~TsfSkinScrollBarCore();
    TsfSkinScrollBarCore(const TsfSkinScrollBarCore&) = delete;
    TsfSkinScrollBarCore& operator=(const TsfSkinScrollBarCore&) = delete;

    // The hooks: a repaint of the whole bar, and the bar's events, fired with Sender.
    TEvent<> OnRepaint;
    TObject* Sender = nullptr;
    TNotifyEvent OnChange;
    TNotifyEvent OnLastChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnPageUp;
    TNotifyEvent OnPageDown;

    // Range, steps and position.
    Integer Min() const { return FMin; }
    Integer Max() const { return FMax; }
    Integer Position() const { return FPosition; }
    Integer PageSize() const { return FPageSize; }
    Integer SmallChange() const { return FSmallChange; }
    Integer LargeChange() const { return FLargeChange; }
    // Clamps; on a change stores, repaints, then fires OnChange.
    void SetPosition(Integer Value);
    // The same clamp, store and repaint, without the event.
    void SimplySetPosition(Integer Value);
    // Stores range and page, then the clamped position (even when unchanged); no event.
    void SetRange(Integer AMin, Integer AMax, Integer APosition, Integer APageSize);
    void SetMin(Integer Value);
    void SetMax(Integer Value);
    // Refused (the old page stays) when Position + Value would pass the range.
    void SetPageSize(Integer Value);
    void SetSmallChange(Integer Value);
    void SetLargeChange(Integer Value);
    // The clamp every setter uses: at least Min; at most Max, or the last
    // page's start with a page. A page larger than the range can put that
    // bound below Min, and then it wins.
    Integer ClampPosition(Integer Value) const;

    bool Vertical() const { return FVertical; }
    void SetVertical(bool Value);
    // Both: a horizontal bar sharing its corner with a vertical one; the
    // built-in look then leaves BothMarkerWidth pixels free at its right end.
    bool Both() const { return FBoth; }
    void SetBoth(bool Value) { FBoth = Value; }
    Integer BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(Integer Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value) { FCanFocused = Value; }
    // Told by the window: the focus (the thumb looks pressed while focused) and enabling.
    bool Focused() const { return FFocused; }
    void SetFocused(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

    // Geometry. The skin geometry applies while a description is in use;
    // CalcRects places the parts for a bar of Width x Height.
    void SetSkinGeometry(const TsfScrollBarSkinGeometry* Value);
    bool SkinInUse() const { return FSkinInUse; }
    void CalcRects(Integer Width, Integer Height);
    const TsfCBButtonX& Button(Integer Part) const { return Buttons[Part]; }
    TRect ThumbRect() const { return Buttons[sbThumb].R; }
    TRect NewTrackArea() const { return FNewTrackArea; }
    Integer ThumbLength() const { return FThumbLength; }
    Integer Offset1() const { return FOffset1; }
    Integer Offset2() const { return FOffset2; }
    Integer BOffset() const { return FBOffset; }
    // Pressed: Down and MouseIn; the thumb also while dragged or while the
    // bar is focused with CanFocused. Hot: MouseIn.
    TsfPartState PartState(Integer Part) const;

    // The pointer (control coordinates).
    void TestActive(Integer X, Integer Y);
    void MouseDown(bool Left, Integer X, Integer Y);
    void MouseMove(Integer X, Integer Y);
    void MouseUp(bool Left, Integer X, Integer Y);
    void MouseLeave();
    // A tick of the repeat timer (run by the skin clock).
    void Timer();
    // Arrow keys and the wheel, only with CanFocused (the wheel also only while
    // focused). True when the key was one of the bar's.
    bool KeyDown(Integer Key);
    void MouseWheel(Integer WheelDelta);
    // The value of a thumb centre D pixels after Offset1.
    Integer GetNewPosition(Integer D);

    Integer ActiveButton() const { return FActiveButton; }
    Integer CaptureButton() const { return FCaptureButton; }
    Integer TimerMode() const { return FTimerMode; }
    bool WaitMode() const { return FWaitMode; }
    bool Dragging() const { return FDown; }

private:
    void Repaint();
    void Fire(const TNotifyEvent& Event);
    void StartTimer(Integer Interval);
    void StopTimer();
    void ButtonDown(Integer Part, Integer X, Integer Y);
    void ButtonUp(Integer Part);
    void ButtonEnter(Integer Part);
    void ButtonLeave(Integer Part);
    void UpStep();
    void DownStep();
    void PageUp();
    void PageDown();
    Integer Along(Integer X, Integer Y) const { return FVertical ? Y : X; }

    Integer FMin = 0, FMax = 100, FSmallChange = 1, FLargeChange = 1, FPosition = 0, FPageSize = 0;
    bool FVertical = false;
    bool FBoth = false;
    Integer FBothMarkerWidth = 0;
    bool FCanFocused = false;
    bool FFocused = false;
    bool FEnabled = true;

    bool FSkinInUse = false;
    TsfScrollBarSkinGeometry FSkin;
    Integer FWidth = 0, FHeight = 0;
    TsfCBButtonX Buttons[3];
    TRect FNewTrackArea;
    Integer FThumbLength = 0;
    Integer FOffset1 = 0, FOffset2 = 0, FBOffset = 0;

    bool FDown = false;
    Integer OMPos = 0, OldBOffset = 0;
    bool FWaitMode = false;
    Integer MX = 0, MY = 0;
    bool MouseD = false;
    Integer FTimerMode = sbtmNone;
    Integer FActiveButton = -1, FOldActiveButton = -1, FCaptureButton = -1;
};
