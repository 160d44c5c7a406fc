// Sets of pixel positions that a drawing changed, and their bounds.
#pragma once

#include <algorithm>
#include <set>
#include <utility>

#include "framework/runtime/Types.h"

using TPixels = std::set<std::pair<Integer, Integer>>;

// The smallest rectangle holding every pixel of S (inverted for none).
inline TRect Bounds(const TPixels& S)
{
    TRect R{100000, 100000, -100000, -100000};
    for (auto [x, y] : S) {
        R.Left = std::min(R.Left, x);
        R.Top = std::min(R.Top, y);
        R.Right = std::max(R.Right, x + 1);
        R.Bottom = std::max(R.Bottom, y + 1);
    }
    return R;
}
