// ImageRegion: a set of pixels kept as rectangles in the banded form the
// platform's regions use (TImageRegion), the boolean combinations of two of
// them, regions from rectangles, pixel runs and winding polygons, and the
// region text of saved selections. Portable.
//
// Banded form: the rectangles are half-open (Right and Bottom exclusive) and
// grouped into bands of equal Top and Bottom, bands from top to bottom and
// rectangles left to right within a band; rectangles of a band never touch,
// and two bands that touch with the same horizontal spans are one band. This
// is the order the platform's region data lists them in, so outlines and
// region texts computed from it match the ones made from a platform region.
#pragma once

#include <vector>

#include "Component/Raster32/Ras32_Types.h"
#include "framework/runtime/System.h"

// The combinations, numbered as the platform's region modes.
enum TRegionCombine { rcAnd = 1, rcOr = 2, rcXor = 3, rcDiff = 4, rcCopy = 5 };

class TImageRegion {
public:
    TImageRegion() = default;
    // One rectangle; an empty one gives the empty region.
    explicit TImageRegion(const TRect& R);

    // The union of any rectangles (empty ones add nothing).
    static TImageRegion FromRects(const std::vector<TRect>& Rects);
    // Row runs of listed pixels: consecutive points on one row whose X grows
    // by exactly 1 are one run (first X, Y) - (last X + 1, Y + 1); all runs
    // are united.
    static TImageRegion FromPixelRuns(const TPoint* Points, Integer Count);
    // The pixels whose centres the polygon encloses by the winding rule.
    static TImageRegion FromPolygon(const TPoint* Points, Integer Count);

    bool Empty() const { return FRects.empty(); }
    // The rectangles in banded order.
    const std::vector<TRect>& Rects() const { return FRects; }
    // The bounding box; (0, 0, 0, 0) when empty.
    TRect Bounds() const;
    bool Contains(Integer X, Integer Y) const;
    void Offset(Integer DX, Integer DY);
    // This region combined with B; rcCopy gives this region.
    TImageRegion Combined(const TImageRegion& B, TRegionCombine Mode) const;
    // Every rectangle scaled about the origin with its corners rounded to
    // nearest, united (a world transform of eM11 = eM22 = Scale).
    TImageRegion Scaled(Single Scale) const;

    bool operator==(const TImageRegion& B) const { return FRects == B.FRects; }
    bool operator!=(const TImageRegion& B) const { return !(*this == B); }

private:
    std::vector<TRect> FRects;
};

// The region text of a saved selection: every rectangle as Left, Top, Right
// and Bottom, all joined by "." with no trailing dot ("10.20.30.40").
String RegionToText(const TImageRegion& Region);
// Reads a region text into its rectangles. Older texts end every number with
// "." and are read too. A text that is not a whole number of rectangles of
// integers, or that holds an empty or inverted rectangle or a coordinate
// beyond +-2^27, is refused: false, Rects empty and Error saying why. An
// empty text is no rectangle.
bool TextToRegionRects(const String& Text, std::vector<TRect>& Rects, String* Error = nullptr);
