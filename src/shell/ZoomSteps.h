// ZoomSteps: the canvas zoom without a window: the fixed zoom steps, the
// status bar's track-bar mapping, fitting the picture into the view, what the
// mouse wheel does over the canvas and the step of the automatic scrolling
// while a drag leaves the canvas.
#pragma once

#include "framework/runtime/Types.h"

// The steps the zoom buttons walk, in percent; there is no 200 step.
constexpr Integer ZoomStepCount = 9;
extern const Integer ZoomSteps[ZoomStepCount];
constexpr Integer MinZoom = 1, MaxZoom = 1600;

// The largest step below Current (1 when none is), the smallest step above
// it (1600 when none is).
Integer ZoomStepOut(Integer Current);
Integer ZoomStepIn(Integer Current);

// The track bar runs 1 to 200: up to 100 it is the percentage itself, above
// it 15 percent a position (101..200 covers 115 % to 1600 %).
constexpr Integer TrackMin = 1, TrackMax = 200;
Integer ZoomToTrack(Integer Percent);
Integer TrackToZoom(Integer Position);

// The zoom in percent that fits a BitmapWidth x BitmapHeight picture into a
// ViewWidth x ViewHeight view by its tighter side, 1 to 1600. A view or
// picture without area (a side of 0 or less) leaves the zoom at 100.
Integer FitZoom(Integer ViewWidth, Integer ViewHeight, Integer BitmapWidth, Integer BitmapHeight);

// What a wheel notch over the canvas does. Mode: 0 automatic (zoom while the
// scaled picture fits the view's height, else scroll), 1 scroll, 2 zoom.
enum class TWheelAction : Byte { None, Zoom, Scroll };
constexpr Integer WheelScrollPixels = 50;
TWheelAction WheelActionFor(Integer Mode, Integer BitmapHeight, Integer ViewportHeight, Integer OverSize);

// The scroll of one automatic-scrolling tick for the pointer P against a
// client area at Origin of Width x Height (screen coordinates). The inner
// area keeps 18 pixels clear of the view's scroll bars; inside it, or on its
// edge, nothing scrolls. Only one direction scrolls per tick.
constexpr Integer AutoScrollMargin = 18, AutoScrollPixels = 20;
TPoint AutoScrollStep(TPoint P, TPoint Origin, Integer Width, Integer Height);

// Where a wheel notch goes before the canvas sees it, first match wins: the
// preset panel's scroll bar while it and the right panel show and the pointer
// is over that panel; the open-documents strip's scroll bar while it shows
// and the pointer is over the strip; the text memo itself (the window leaves
// the notch alone) while the text panel shows, the memo has the focus and
// more than 4 lines and the pointer is over the text panel; else the canvas.
enum class TWheelTarget : Byte { Canvas, PresetPanel, OpenDocuments, TextMemo };
struct TWheelPanels {
    bool PresetBarVisible = false, RightVisible = false, OverRight = false;
    bool StripBarVisible = false, OverStrip = false;
    bool TextVisible = false, MemoFocused = false, OverText = false;
    Integer MemoLines = 0;
};
TWheelTarget WheelTargetFor(const TWheelPanels& P);
