#include "skin/frame/SkinWindowState.h"

#include <cstdlib>

TPoint MinimizedPosition(const TRect& Area, Integer CellW, Integer CellH,
                         const std::function<bool(const TPoint&)>& IsTaken)
{
    TPoint P{Area.Left, Area.Bottom - CellH};
    // A cell without size would never leave the bottom row.
    if (CellW <= 0 || CellH <= 0) return P;
    while (IsTaken && IsTaken(P)) {
        P.X += CellW;
        if (P.X + CellW > Area.Right) {
            P.X = Area.Left;
            P.Y -= CellH;
        }
        if (P.Y < Area.Top) {
            P.Y = Area.Bottom - CellH;
            break;
        }
    }
    return P;
}

TRect MaximizedArea(const TRect& WorkArea, const TRect& Monitor, const TRect& PrimaryScreen, bool FullScreen)
{
    if (FullScreen) return Monitor;
    TRect R = WorkArea;
    if (WorkArea.Width() == Monitor.Width() && WorkArea.Height() == Monitor.Height() && Monitor == PrimaryScreen &&
        Monitor.Left == 0 && Monitor.Top == 0)
        R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    return R;
}

namespace {

// One edge: Pos is the form's coordinate that should meet Edge (Offset is what
// lies between Pos and the edge that is tested, 0 or the form's size).
void SnapEdge(bool& Magnetized, Integer& SnapCoord, Integer Cursor, Integer Size, Integer Edge, Integer Offset,
              Integer& Pos)
{
    const Integer E = Pos + Offset;
    const bool In = E > Edge - Size && E < Edge + Size;
    if (In && !Magnetized) {
        Pos = Edge - Offset;
        SnapCoord = Cursor;
    } else if (Magnetized) {
        if (std::abs(Cursor - SnapCoord) > Size) Pos = Cursor + Edge - Offset - SnapCoord;
        else Pos = Edge - Offset;
    }
    Magnetized = In;
}

}  // namespace

void TsfMagnetState::Move(const TRect& Area, Integer Size, const TPoint& Cursor, Integer& ALeft, Integer& ATop,
                          Integer AHeight, Integer AWidth)
{
    SnapEdge(HMagnetized, SnapPoint.X, Cursor.X, Size, Area.Left, 0, ALeft);
    SnapEdge(VMagnetized, SnapPoint.Y, Cursor.Y, Size, Area.Top, 0, ATop);
    SnapEdge(HMagnetized2, SnapPoint.X, Cursor.X, Size, Area.Right, AWidth, ALeft);
    SnapEdge(VMagnetized2, SnapPoint.Y, Cursor.Y, Size, Area.Bottom, AHeight, ATop);
}
