// SkinSliderCore: the portable parts of the skinned track bar and slider
// (win/SkinTrackBars). The track bar core places the thumb for a value,
// maps drags, jump clicks, keys and the wheel to values. The slider core
// lays out ruler, thumb and tick area, maps values to thumb places and back
// (snapped to Increment without smooth moving), drags the thumb, repeats
// jumps while the ruler is held, answers the keys and lists the tick marks.
// Repaints, focus and capture go out through hooks; the slider's repeat runs
// on the skin clock (timer 1).
#pragma once

#include <vector>

#include "framework/runtime/Classes.h"
#include "skin/controls/SkinCoreTypes.h"

// ---------------------------------------------------------------------------
// Track bar

class TsfSkinTrackBarCore {
public:
    TEvent<> OnRepaint;
    TObject* Sender = nullptr;
    TNotifyEvent OnChange;
    TNotifyEvent OnLastChange;
    TNotifyEvent OnStartDragButton;

    Integer MinValue() const { return FMinValue; }
    Integer MaxValue() const { return FMaxValue; }
    Integer Value() const { return FValue; }
    // Limited to the range; on a change stores, repaints, then OnChange.
    void SetValue(Integer V);
    // Store and pull the value in without an event.
    void SetMinValue(Integer V);
    void SetMaxValue(Integer V);
    bool Vertical() const { return FVertical; }
    void SetVertical(bool V);
    bool MouseSupport() const { return FMouseSupport; }
    void SetMouseSupport(bool V) { FMouseSupport = V; }
    bool JumpWhenClick() const { return FJumpWhenClick; }
    void SetJumpWhenClick(bool V) { FJumpWhenClick = V; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool V) { FCanFocused = V; }
    bool Focused() const { return FFocused; }
    void SetFocused(bool V);

    // Places a W x H thumb in R for the value (the result is BR) and returns it.
    TRect PlaceThumb(const TRect& R, Integer W, Integer H);
    TRect BR() const { return FBR; }
    // The size the window has and where jump clicks measure from (the track's
    // start: 2 in the built-in look, else the track area's left or top).
    void SetSize(Integer Width, Integer Height);
    void SetTrackStart(Integer Value) { FTrackStart = Value; }
    // The value whose thumb centre lies D pixels after Offset1.
    Integer GetNewValue(Integer D) const;
    Integer Offset1() const { return FOffset1; }
    Integer Offset2() const { return FOffset2; }
    bool Dragging() const { return FDown; }

    void MouseDown(Integer X, Integer Y);
    void MouseMove(Integer X, Integer Y);
    void MouseUp(Integer X, Integer Y);
    // Keys and the wheel (only with CanFocused; the wheel only while focused).
    bool KeyDown(Integer Key);
    void MouseWheel(Integer WheelDelta);

private:
    void Repaint();

    Integer FMinValue = 0, FMaxValue = 100, FValue = 50;
    bool FVertical = false, FMouseSupport = true, FJumpWhenClick = false, FCanFocused = false, FFocused = false;
    Integer FWidth = 0, FHeight = 0, FTrackStart = 2;
    Integer FOffset1 = 0, FOffset2 = 0, FBOffset = 0;
    TRect FBR;
    bool FDown = false;
    Integer OMPos = 0, OldBOffset = 0;
};

// ---------------------------------------------------------------------------
// Slider

// The options, as bits of TsfSliderOptions.
enum TsfSliderOption : Byte {
    soShowFocus = 1,
    soShowPoints = 2,
    soSmooth = 4,
    soRulerOpaque = 8,
    soThumbOpaque = 16,
};
using TsfSliderOptions = Byte;

enum TsfJumpMode { jmNone, jmHome, jmEnd, jmNext, jmPrior };

// The repeat of a held click on the ruler.
constexpr Integer SliderRepeatInterval = 400;
// The margin round the ruler and thumb.
constexpr Integer SliderMargin = 6;

// A tick mark: where its line starts along the bar, and its length.
struct TsfSliderTick {
    Integer Pos;
    Integer Length;
};

class TsfSkinSliderCore {
public:
    TsfSkinSliderCore() = default;
    ~TsfSkinSliderCore();
    TsfSkinSliderCore(const TsfSkinSliderCore&) = delete;
    TsfSkinSliderCore& operator=(const TsfSkinSliderCore&) = delete;

    // Hooks: invalidation of a rectangle (empty: the whole control), mouse
    // capture, a request for the focus, whether the value may change at all,
    // and the events.
    TEvent<const TRect&> OnInvalidate;
    TEvent<bool> OnCapture;
    TEvent<> OnTakeFocus;
    std::function<bool()> AllowValueChange;
    TEvent<> OnRangeChanged;
    TObject* Sender = nullptr;
    TNotifyEvent OnChange;
    TNotifyEvent OnChanged;

    Integer MinValue() const { return FMinValue; }
    Integer MaxValue() const { return FMaxValue; }
    Integer Increment() const { return FIncrement; }
    Integer Value() const { return FValue; }
    // Limited to the range, stored, the thumb moved; OnChange when it changed.
    void SetValue(Integer V);
    void SetMinValue(Integer V);
    void SetMaxValue(Integer V);
    // A range with A >= B is refused unless the form is being read; outside
    // reading, an Increment wider than the range shrinks to it.
    void SetRange(Integer A, Integer B);
    // Ignored for 0 or less.
    void SetIncrement(Integer V);
    TsfSliderOptions Options() const { return FOptions; }
    void SetOptions(TsfSliderOptions V);
    bool Vertical() const { return FVertical; }
    void SetVertical(bool V) { FVertical = V; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool V) { FReadOnly = V; }
    // Set while the form is being read.
    bool Loading = false;

    // Layout for bounds R (from GetSliderBounds), a ruler RulerBreadth
    // across the bar and a TW x TH thumb; the ruler runs the bounds' length
    // less the margins. Re-places the thumb for the value.
    void RebuildLayout(const TRect& R, Integer RulerBreadth, Integer TW, Integer TH);
    TPoint RulerOrg() const { return FRulerOrg; }
    TRect RulerRect() const;
    Integer RulerLength() const { return FRulerLength; }
    TRect ThumbRect() const { return FThumbRect; }
    TRect PointsRect() const { return FPointsRect; }
    // The thumb's travel: the ruler's length less the thumb's.
    Integer TravelLength() const;
    // Where the thumb of value V starts along the bar, and the value of a thumb starting at P.
    Integer PositionOfValue(Integer V) const;
    Integer ValueOfPosition(Integer P) const;
    // Moves the thumb to P (limited to the ruler and snapped to a value).
    void MoveThumbTo(Integer P);

    bool Sliding() const { return FSliding; }
    bool ThumbDown() const { return FThumbDown; }
    bool Tracking() const { return FTracking; }
    TsfJumpMode StartJump() const { return FStartJump; }
    // The thumb drag on its own (a derived slider may take these over):
    // whether a point is on the thumb, the press (focus, then the drag when
    // allowed), a move with the button down, and the release (OnChanged).
    bool OnThumb(Integer X, Integer Y) const { return PtInRectX(FThumbRect, X, Y); }
    void StartThumbDrag(Integer X, Integer Y);
    void DragThumb(Integer X, Integer Y);
    void EndThumbDrag();
    void MouseDown(bool Left, bool DoubleClick, Integer X, Integer Y);
    void MouseMove(bool LeftDown, Integer X, Integer Y);
    void MouseUp(bool Left, Integer X, Integer Y);
    // A tick of the repeat timer.
    void Timer();
    void Jump(TsfJumpMode Mode);
    // Home, End and the arrows of the orientation, without Shift, Ctrl or Alt.
    // True when the key was used.
    bool KeyDown(Integer Key, bool ShiftCtrlAlt);

    // The tick marks for Step: extreme marks at MinValue and MaxValue, the
    // others NormalLength long, spaced at least 4 pixels apart. None when
    // the thumb has no room to travel.
    std::vector<TsfSliderTick> TickMarks(Integer Step, Integer NormalLength, Integer ExtremeLength) const;

private:
    bool Allowed() const { return (!AllowValueChange || AllowValueChange()) && !FReadOnly; }
    void Invalidate(const TRect& R);
    TsfJumpMode JumpDirection(Integer X, Integer Y) const;
    void PlaceThumbAt(Integer P);
    Integer Along(Integer X, Integer Y) const { return FVertical ? Y : X; }

    Integer FMinValue = 0, FMaxValue = 100, FIncrement = 10, FValue = 0;
    TsfSliderOptions FOptions = soShowFocus | soShowPoints | soSmooth;
    bool FVertical = false;
    bool FReadOnly = false;

    TRect FBounds;
    Integer FThumbW = 0, FThumbH = 0;
    Integer FRulerLength = 0, FRulerBreadth = 0;
    TPoint FRulerOrg;
    TRect FThumbRect;
    TRect FPointsRect;

    bool FSliding = false, FThumbDown = false, FTracking = false, FTimerActive = false;
    Integer FHit = 0;
    TPoint FMousePos;
    TsfJumpMode FStartJump = jmNone;
};
