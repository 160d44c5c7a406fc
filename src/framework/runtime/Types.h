// Types: the integer point, rectangle and size records shared by the raster
// engine and the window framework. Same layout as the Windows POINT, RECT and
// SIZE (32-bit fields), so a pointer to one can be handed to the platform.
// Right and Bottom of a rectangle are exclusive.
#pragma once

#include "framework/runtime/System.h"

struct TPoint {
    Integer X = 0;
    Integer Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;
    Integer Width() const { return Right - Left; }
    Integer Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
    Integer cx = 0;
    Integer cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

inline TPoint Point(Integer X, Integer Y) { return TPoint{X, Y}; }
inline TRect Rect(Integer Left, Integer Top, Integer Right, Integer Bottom) { return TRect{Left, Top, Right, Bottom}; }
