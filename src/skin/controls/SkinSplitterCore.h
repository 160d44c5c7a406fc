// SkinSplitterCore: the arithmetic of a live splitter apart from its window:
// which neighbour it resizes, how far, within which limits, and the bounds
// the neighbour gets. Portable.
#pragma once

#include "framework/runtime/Types.h"

// The side the splitter is aligned to; Other resizes nothing.
enum class TsfSplitSide : Byte { Top, Bottom, Left, Right, Other };

// The point just outside the splitter (bounds S) on its aligned side.
TPoint SplitterTargetPoint(TsfSplitSide Side, const TRect& S);
// Whether a neighbour with Bounds is the target at P; one of no width or
// height counts one pixel larger towards the splitter.
bool SplitterTargetHit(TsfSplitSide Side, TRect Bounds, const TPoint& P);
// The largest size: the parent's client extent less MinSize and the extents
// of the other controls aligned on that axis, plus the target's own.
Integer SplitterMaxSize(Integer ParentExtent, Integer MinSize, Integer AlignedExtents, Integer TargetExtent);

struct TsfSplitterSize {
    Integer NewSize = 0;
    Integer Split = 0;
};
// The size the target gets for the pointer at Pos after a press at Down,
// limited to MinSize..MaxSize (Split corrected by what the limit took).
TsfSplitterSize SplitterSizeAt(TsfSplitSide Side, const TPoint& Pos, const TPoint& Down, const TRect& Target,
                               Integer MinSize, Integer MaxSize);
// With AutoSnap a size not above MinSize collapses to 0.
Integer SplitterSnap(Integer NewSize, Integer MinSize, bool AutoSnap);
// The target's bounds with its extent NewSize (the far side moves for
// bottom and right splitters).
TRect SplitterTargetBounds(TsfSplitSide Side, const TRect& Target, Integer NewSize);
