// SkinCoreTypes: what the portable cores of the skinned controls share: the
// virtual-key codes they react to (the platform's values, so that no core
// needs a Windows header), the small button record of up-downs, spin edits
// and combo boxes, and the three looks of a hot-tracked part.
#pragma once

#include "framework/runtime/System.h"
#include "framework/runtime/Types.h"

constexpr Integer sfVK_END = 35;
constexpr Integer sfVK_HOME = 36;
constexpr Integer sfVK_LEFT = 37;
constexpr Integer sfVK_UP = 38;
constexpr Integer sfVK_RIGHT = 39;
constexpr Integer sfVK_DOWN = 40;

// The four arrow keys, which the scroll bar and the track bar ask the form for.
inline bool IsArrowKey(Integer Key) { return Key >= sfVK_LEFT && Key <= sfVK_DOWN; }

// A small button inside a control: its rectangle, the pointer over it, pressed.
struct TsfCBButtonX {
    TRect R;
    bool MouseIn = false;
    bool Down = false;
};

// How a part is drawn: pressed is Down and MouseIn, hot is MouseIn.
enum TsfPartState { psNormal, psHot, psPressed };
inline TsfPartState ButtonPartState(const TsfCBButtonX& B)
{
    return B.Down && B.MouseIn ? psPressed : B.MouseIn ? psHot : psNormal;
}

// Points inside R, right and bottom edges excluded (the platform's test).
inline bool PtInRectX(const TRect& R, Integer X, Integer Y)
{
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}
