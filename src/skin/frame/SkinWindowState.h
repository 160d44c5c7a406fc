// SkinWindowState: the rules behind a skinned form's own window states, kept
// apart from the window: where a minimised form parks, which rectangle a
// maximised form fills, and how a dragged form snaps to the edges of its area.
// Portable: the form component (win/SkinForm) supplies the monitor's areas,
// the other forms and the cursor.
#pragma once

#include <functional>

#include "framework/runtime/Types.h"

// The cell a minimised form parks in: cells of CellW x CellH are tried row by
// row from the bottom-left corner of Area; IsTaken tells whether another
// minimised form stands exactly at a cell's top-left corner. When every row
// is taken the search ends on the bottom row, overlapping a parked form.
TPoint MinimizedPosition(const TRect& Area, Integer CellW, Integer CellH,
                         const std::function<bool(const TPoint&)>& IsTaken);

// The rectangle a maximised form fills: the whole monitor, or its work area;
// a work area as large as the monitor that is the primary screen (a taskbar
// that hides itself) leaves a 1-pixel margin so the taskbar can still appear.
TRect MaximizedArea(const TRect& WorkArea, const TRect& Monitor, const TRect& PrimaryScreen, bool FullScreen);

// Snapping of a dragged form to the edges of Area (magnetic move). The state
// remembers which edges were snapped at the previous call and the cursor
// where the last snap happened.
struct TsfMagnetState {
    bool HMagnetized = false, VMagnetized = false;    // left, top edge
    bool HMagnetized2 = false, VMagnetized2 = false;  // right, bottom edge
    TPoint SnapPoint{};                               // cursor at the last snap

    void Clear() { HMagnetized = VMagnetized = HMagnetized2 = VMagnetized2 = false; }
    // Adjusts the proposed position (ALeft, ATop) of a form of AWidth x AHeight;
    // an edge strictly within Size pixels of Area's edge snaps to it and stays
    // until the cursor has moved more than Size from where it snapped.
    void Move(const TRect& Area, Integer Size, const TPoint& Cursor, Integer& ALeft, Integer& ATop, Integer AHeight,
              Integer AWidth);
};
