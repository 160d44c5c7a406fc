// SkinButtonCore: the state of the skinned push and tool buttons, without a
// window: press, release, groups, checked and repeat modes, mouse enter and
// leave, focus and keys of the push button, the morph, animation and repeat
// timers (on the skin clock), which picture and glyph a state shows, and the
// geometry of the animation frames, the arrow and the glow layer. The window
// classes (win/SkinButtons) turn messages into these calls and draw what the
// core says. Portable.
#pragma once

#include <vector>

#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/Types.h"
#include "framework/runtime/UITypes.h"
#include "skin/model/SFControlData.h"
#include "skin/model/SFTypes.h"

// What the description of a button brings, copied at each skin lookup.
struct TsfButtonSkinLook {
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect, FocusedSkinRect;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    TRect AnimateSkinRect;
    Integer FrameCount = 0;
    Integer AnimateInterval = 25;
    bool ShowFocus = false;
    TRect MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect, MenuMarkerFlatRect;
    TColor MenuMarkerTransparentColor = 0;
    Integer GlowLayerPictureIndex = -1;
    Integer GlowLayerMaskPictureIndex = -1;
    Integer GlowLayerOffsetLeft = 0, GlowLayerOffsetTop = 0, GlowLayerOffsetRight = 0, GlowLayerOffsetBottom = 0;
    Integer GlowLayerShowOffsetX = 0, GlowLayerShowOffsetY = 0;
    Integer GlowLayerAlphaBlendValue = 255;
};

// The tool button (windowless, may be flat) or the push button (windowed, focusable).
enum class TsfButtonKind : Byte { Speed, Push };

// Copies D into Look with the fallbacks of the kind: an empty hot picture is
// the normal one (SkinRect), an empty down picture the hot one, the marker
// pictures fall back in turn, a disabled text colour equal to the normal one
// becomes grey; a flat tool button does not morph.
void ReadButtonSkin(const TsfDataSkinButtonControl& D, TsfButtonKind Kind, bool Flat, TsfButtonSkinLook& Look);
// Without a description: no morph, and the push button no animation.
void NoButtonSkin(TsfButtonKind Kind, TsfButtonSkinLook& Look);

// Frame Frame (from 1) of the FrameCount equal parts of AnimateRect: side by
// side when it is wider than SkinRect, else stacked. Empty for a frame outside
// 1..FrameCount or parts of no size.
TRect AnimationFrameRect(const TRect& AnimateRect, const TRect& SkinRect, Integer FrameCount, Integer Frame);

// The glyph of a strip of NumGlyphs shown for a state: 3 down and hot (with 3
// or more), 4 hot (with 4), 1 enabled or a single glyph, else 2 (disabled).
Integer GetGlyphNum(bool ADown, bool AMouseIn, bool Enabled, Integer NumGlyphs);

// The caption colour of a state; DefaultColor is the default font's.
TColor ButtonFontColor(const TsfButtonSkinLook& Look, bool Enabled, bool UseSkinFontColor, bool ADown,
                       bool AMouseIn, TColor DefaultColor);

// ClRect grown at the right by DW and at the bottom by DH.
TRect GrowClientRect(const TRect& ClRect, Integer DW, Integer DH);

// The arrow beside a caption of width TextWidth on a button of Width x
// Height: ArrowMode 1 points up, any other (above 0) down.
struct TsfArrowTriangle {
    TPoint P[3];
};
TsfArrowTriangle ArrowTriangle(Integer ArrowMode, Integer Width, Integer Height, Integer TextWidth);

// How the glow picture is resized to the button: not at all, widened as a
// three-slice, grown as a nine-slice, or no glow for the size rules.
enum class TsfGlowResize : Byte { None, AsIs, Horizontal, Stretch };
struct TsfGlowPlan {
    TsfGlowResize Resize = TsfGlowResize::None;
    Integer PictureIndex = -1;
    Integer MaskIndex = -1;  // -1: no mask (opaque)
    Integer DW = 0, DH = 0;  // what the button adds to its skin rectangle
    Integer LeftEnd = 0, RightEnd = 0;  // the ends kept 1:1 (Horizontal)
    TRect Inner;             // the stretched part of the picture (Stretch)
};
// The glow of a button of Width x Height with the skin's Pictures. A picture
// number outside the list gives no glow and a mask number outside it no mask,
// and the kept borders stay inside the picture: skins come from elsewhere.
TsfGlowPlan PlanButtonGlow(const TsfButtonSkinLook& Look, Integer ResizeMode, bool UseSkinSize, Integer Width,
                           Integer Height, const TRect& SkinRect, const std::vector<TDibImage>& Pictures);

// Which picture a state shows and with which (ADown, AMouseIn).
enum class TsfButtonPicture : Byte { Normal, Active, Down, Disabled, Focused };
struct TsfButtonFace {
    TsfButtonPicture Picture = TsfButtonPicture::Normal;
    bool ADown = false;
    bool AMouseIn = false;
    friend bool operator==(const TsfButtonFace&, const TsfButtonFace&) = default;
};

// What the core asks of its control at the moment it decides.
struct TsfButtonEnv {
    bool Enabled = true;
    bool Designing = false;
    bool HasDescription = false;  // a description is in use
    bool CanMorphing = false;     // Morphing of the description and the skin's effects on
    bool CanAnimate = false;      // skin data set, loaded, effects on
    bool Focused = false;         // push button: it has the focus
};

// The control behind a core.
class TsfButtonHost {
public:
    virtual ~TsfButtonHost() = default;
    virtual TsfButtonEnv ButtonEnv() const = 0;
    virtual void ButtonClick() = 0;
    virtual void RepaintButton() = 0;
    // The other down buttons of the same group and kind go up.
    virtual void ReleaseGroup() = 0;
    // Flat tool buttons: transparent (the parent shows through) or opaque.
    virtual bool TransparentStyle() const { return false; }
    virtual void SetTransparentStyle(bool) {}
};

// The timers of a button on the skin clock, numbered by the button.
enum TsfButtonTimerId : Cardinal { btRepeat = 1, btMorph = 2, btAnimate = 3 };

class TsfSkinButtonCore {
public:
    TsfSkinButtonCore(TsfButtonKind Kind, TsfButtonHost* Host);
    ~TsfSkinButtonCore();
    TsfSkinButtonCore(const TsfSkinButtonCore&) = delete;
    TsfSkinButtonCore& operator=(const TsfSkinButtonCore&) = delete;

    TsfButtonKind Kind() const { return FKind; }
    TsfButtonSkinLook Look;

    // Properties.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    // The down flag alone: no group, no repaint.
    void SetDownFlag(bool Value) { FDown = Value; }
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value) { FGroupIndex = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    bool RepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool Value) { FRepeatMode = Value; }
    Integer RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(Integer Value) { FRepeatInterval = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value) { FFlat = Value; }
    // Push button.
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value) { FCanFocused = Value; }
    bool Default() const { return FDefault; }
    void SetDefaultFlag(bool Value) { FDefault = Value; }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool Active() const { return FActive; }
    void SetActive(bool Value) { FActive = Value; }
    bool SpaceSupport() const { return FSpaceSupport; }
    void SetSpaceSupport(bool Value) { FSpaceSupport = Value; }
    void SetStopAnimate(bool Value) { FStopAnimate = Value; }
    bool StopAnimatePending() const { return FStopAnimate; }

    // State.
    bool MouseIn() const { return FMouseIn; }
    void SetMouseIn(bool Value) { FMouseIn = Value; }
    bool MouseDown() const { return FMouseDown; }
    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double Value) { FMorphKf = Value; }
    Integer CurrentFrame() const { return FCurrentFrame; }
    bool AnimateInc() const { return FAnimateInc; }
    bool Animating() const;
    bool Morphing() const;
    bool Repeating() const;

    // Mouse (left button; X, Y in the control's coordinates, Width x Height its size).
    void MouseDownLeft();
    void MouseUpLeft(Integer X, Integer Y, Integer Width, Integer Height);
    // What a move while the button is down asks: +1 enter, -1 leave, 0 nothing.
    Integer MouseMoveCrossing(Integer X, Integer Y, Integer Width, Integer Height) const;
    void MouseEnter();
    void MouseLeave();
    void EnabledChanged();

    // Push button: focus and keys.
    void FocusEnter();
    void FocusLeave();
    // The focus moved to another control: to this one (ToSelf), to another
    // push button (ToPushButton), or to something else.
    void FocusChanged(bool ToSelf, bool ToPushButton);
    // Space down (with SpaceSupport): down, and in repeat mode a click.
    void SpaceDown();
    void SpaceUp();
    // A dialog key (Enter or Escape) the button answers with a click (true:
    // the key was taken). PlainKey: no Shift, Ctrl or Alt held.
    bool DialogKey(bool Enter, bool PlainKey, bool CanTakeFocus);

    // Effects.
    void BeginMorph();
    void StartMorph();
    void StopMorph();
    void StartAnimate(bool Forward);
    void StopAnimate();
    void StartRepeat();
    void StopRepeat();
    void StopTimers();
    // Whether the frame animation applies now (description, effects, frames, not flat).
    bool AnimationApplies() const;
    // The state after a skin change: timers off, the hot look kept for a hovered (or focused) button.
    void SkinChanged();
    // RefreshButton: flags cleared, the morph at the start, repaint.
    void Refresh();

    // The picture and (ADown, AMouseIn) of the current state when no morph is
    // shown; MorphShown tells whether the paint cross-fades the normal and hot looks.
    TsfButtonFace StateFace() const;
    bool MorphShown() const;
    // The animation frame the skin lookup shows: forwards in the hot picture,
    // backwards in the normal one. Empty when none.
    TRect AnimationFrame(const TRect& SkinRect) const;

    // The timer steps (the clock calls them; a test may too).
    void RepeatTick();
    void MorphTick();
    void AnimateTick();

private:
    TsfButtonEnv Env() const { return FHost->ButtonEnv(); }
    bool HotForMorph(const TsfButtonEnv& E) const;

    TsfButtonKind FKind;
    TsfButtonHost* FHost;
    bool FDown = false;
    bool FMouseIn = false;
    bool FMouseDown = false;
    Integer FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FAllowAllUpCheck = false;
    bool FCheckedMode = false;
    bool FStopMouseUp = false;
    bool FRepeatMode = false;
    Integer FRepeatInterval = 100;
    bool FRepeatFirstTick = false;
    bool FFlat = false;
    double FMorphKf = 0;
    Integer FCurrentFrame = 0;
    bool FAnimateInc = true;
    bool FCanFocused = true;
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    bool FSpaceSupport = true;
    bool FStopAnimate = false;
};
