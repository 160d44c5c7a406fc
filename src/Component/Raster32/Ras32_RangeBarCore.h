// Ras32_RangeBarCore: the portable part of the range bars (Ras32_RangeBars):
// where the arrow buttons, the track and the thumb lie, which zone a point
// falls in, how a position is clamped and kept centred when the range
// changes, how far a thumb drag moves it, and the colour helpers of the flat
// look. All in client coordinates; length runs along the bar, thickness
// across it.
#pragma once

#include "Component/Raster32/Ras32_Types.h"

enum TRBZone { zNone, zBtnPrev, zTrackPrev, zHandle, zTrackNext, zBtnNext };
enum TRBStyle { rbsDefault, rbsMac };
enum TRBBackgnd { bgPattern, bgSolid };
// The smallest thumb, in pixels.
constexpr Integer RangeBarMinThumb = 17;

// What the geometry of a bar depends on.
struct TArrowBarGeometry {
    Integer Width = 0;   // client width
    Integer Height = 0;  // client height
    bool Horizontal = true;
    bool ShowArrows = true;
    Integer ButtonSize = 0;  // 0: as thick as the bar, at most 32
    TRBStyle Style = rbsDefault;

    Integer Length() const { return Horizontal ? Width : Height; }
    Integer Thickness() const { return Horizontal ? Height : Width; }
    TRect ClientRect() const { return TRect{0, 0, Width, Height}; }
    // 0 without arrows, or when one would be 1 pixel or less.
    Integer ArrowButtonSize() const;
    // The client rectangle less the buttons at both ends.
    TRect TrackRect() const;
    // The zone's rectangle for a thumb at Thumb (empty or not shown enabled:
    // the track's centre point).
    TRect ZoneRect(TRBZone Zone, const TRect& Thumb, bool ShownEnabled) const;
    TRBZone ZoneAt(Integer X, Integer Y, const TRect& Thumb) const;
};

// The thumb of a range bar: empty on a track of 17 pixels or less, the whole
// track when the window covers the range, else proportional but at least 17 pixels.
TRect RangeBarThumbRect(const TArrowBarGeometry& G, Integer Range, Integer Window, Single Position);
// Position limited to 0 .. Range - Window.
Single ClampRangeBarPosition(Single Position, Integer Range, Integer Window);
// The position that keeps the window's centre at the same fraction of the
// range when range and window change (the middle when there was nothing to keep).
Single RecentredPosition(Integer OldRange, Integer OldWindow, Single Position, Integer NewRange, Integer NewWindow);
// How far a thumb dragged D pixels moves the position. ClientLength is the
// bar's client length, ButtonSize the arrow buttons' size; a bordered bar
// loses two more pixels. Nothing on a track too short to drag along.
Single ThumbDragDelta(Integer ClientLength, Integer ButtonSize, bool Bordered, Integer Range, Integer Window,
                      Integer D);

// Colours of the flat look, as 0x00BBGGRR values. MixColors: per channel
// (W * A + (255 - W) * B) shr 8; raises the assertion "Assertion failure"
// for W of 256 or more. ShiftColor: each channel + Delta, limited to 0..255.
Integer MixColors(Integer A, Integer B, Integer W);
Integer ShiftColor(Integer Color, Integer Delta);
