// ScreenCaptureCore: what the capture selection window and the screen colour
// pick decide without a window: the rectangle marked from two corners, a
// fixed-size rectangle, polygon corners, the keys, the ways out, where the
// info box and the colour follower go, and the colour notations.
#pragma once

#include "framework/runtime/System.h"
#include <vector>

#include "framework/runtime/Types.h"

namespace ScreenCapture {

enum TSnapMode { smRect, smPolygon, smFixRect, smWindow, smActiveWindow, smMenu, smFullScreen, smPickColor };

// How a selection run ends.
enum TSnapResult { srRunning, srOk, srCancel };

// What a key does in the selection window.
struct TKeyAction {
    bool Handled = false;
    bool Press = false;  // Enter: a press at the cursor
    bool Cancel = false; // Esc
    Integer Dx = 0, Dy = 0;  // arrows: the cursor moves by one pixel
};

// The selection window's state: the screen is ScreenW by ScreenH.
class TSnapSelection {
public:
    TSnapSelection(Integer ScreenW, Integer ScreenH) : FScreenW(ScreenW), FScreenH(ScreenH) {}

    void SetSnapMode(TSnapMode Mode, Integer W, Integer H);
    TSnapMode Mode() const { return FMode; }
    bool Started() const { return FStarted; }
    const TPoint& CurPoint() const { return FCurPoint; }
    const TRect& CurRect() const { return FCurRect; }
    const std::vector<TPoint>& Points() const { return FPoints; }
    TSnapResult Result() const { return FResult; }

    // The pointer moved to (X, Y); true when the window must repaint.
    bool MouseMove(Integer X, Integer Y);
    // A press of any button but the right one; X or Y of -1 means at the
    // last known cursor position. On srOk, CurRect() is what to copy.
    void PressLeft(Integer X, Integer Y);
    // The right button's release cancels in every mode.
    void ReleaseRight() { Finish(srCancel); }
    // A double click finishes a polygon: srOk with CurRect() the corners'
    // bounding box, or srCancel with fewer than 3 distinct corners or an
    // empty box.
    void DoubleClick();
    // Escape cancels at any time; other keys change nothing here.
    TKeyAction Key(Integer VirtualKey) const;
    void Cancel() { Finish(srCancel); }

private:
    void Finish(TSnapResult R)
    {
        if (FResult == srRunning) FResult = R;
    }

    Integer FScreenW, FScreenH;
    TSnapMode FMode = smRect;
    bool FStarted = false;
    TPoint FStartPoint, FCurPoint;
    TRect FCurRect;
    std::vector<TPoint> FPoints;
    Integer FSnapWidth = 0, FSnapHeight = 0;
    TSnapResult FResult = srRunning;
};

// The 220 by 130 info box beside the cursor, flipped near the right and
// bottom screen edges.
constexpr Integer InfoBoxW = 220, InfoBoxH = 130;
TRect InfoBoxRect(TSnapMode Mode, const TPoint& Cursor, Integer SnapHeight, Integer ScreenW, Integer ScreenH);

// The colour follower's top-left corner for a pointer at (X, Y): right of and
// level with the pointer, left of it near the right edge, above it near the
// bottom edge.
TPoint ShowColorPlace(Integer X, Integer Y, Integer W, Integer H, Integer ScreenW, Integer ScreenH);

// Colour notations of a platform colour value 0x00BBGGRR.
String ColorRgbText(uint32_t Color);        // "(R, G, B)" for the follower
// The colour picker dialog's five values: "R, G, B", the integer, "#RRGGBB",
// "0xBBGGRR", "$00BBGGRR".
std::vector<String> ColorPickerValues(uint32_t Color);

// Which colour button started a screen colour pick, by its name; 0 for a
// name that starts none.
Integer PickSourceCode(const String& Name);
// The two buttons whose colour marker is switched on before they take a pick.
inline bool PickSourceShowsMarker(Integer Code) { return Code == 1 || Code == 2; }

// How a pick ends. The pick holds a synthesised left press so that the
// follower gets the moves of a drag; every end other than a left release
// (another button, or the follower losing the mouse capture to another
// window) must release it, or the system believes the left button is down.
struct TPickEnd {
    bool ApplyColor = false;    // the source button takes the colour
    bool ShowPicker = false;    // the colour picker dialog shows it
    bool ReleaseLeft = false;   // synthesise the left release
};
enum TPickEndCause { peLeftUp, peOtherButtonUp, peCaptureLost };
TPickEnd PickEndAction(Integer Code, TPickEndCause Cause);

} // namespace ScreenCapture
