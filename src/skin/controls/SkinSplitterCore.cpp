#include "skin/controls/SkinSplitterCore.h"

#include <algorithm>

TPoint SplitterTargetPoint(TsfSplitSide Side, const TRect& S)
{
    switch (Side) {
    case TsfSplitSide::Top: return {S.Left, S.Top - 1};
    case TsfSplitSide::Bottom: return {S.Left, S.Bottom};
    case TsfSplitSide::Left: return {S.Left - 1, S.Top};
    case TsfSplitSide::Right: return {S.Right, S.Top};
    default: return {};
    }
}

bool SplitterTargetHit(TsfSplitSide Side, TRect B, const TPoint& P)
{
    if (Side == TsfSplitSide::Other) return false;
    if (B.Width() == 0) {
        if (Side == TsfSplitSide::Left) ++B.Right;
        if (Side == TsfSplitSide::Right) --B.Left;
    }
    if (B.Height() == 0) {
        if (Side == TsfSplitSide::Top) ++B.Bottom;
        if (Side == TsfSplitSide::Bottom) --B.Top;
    }
    return P.X >= B.Left && P.X < B.Right && P.Y >= B.Top && P.Y < B.Bottom;
}

Integer SplitterMaxSize(Integer ParentExtent, Integer MinSize, Integer AlignedExtents, Integer TargetExtent)
{
    return ParentExtent - MinSize - AlignedExtents + TargetExtent;
}

TsfSplitterSize SplitterSizeAt(TsfSplitSide Side, const TPoint& Pos, const TPoint& Down, const TRect& Target,
                               Integer MinSize, Integer MaxSize)
{
    TsfSplitterSize r;
    const bool horizontal = Side == TsfSplitSide::Left || Side == TsfSplitSide::Right;
    r.Split = horizontal ? Pos.X - Down.X : Pos.Y - Down.Y;
    Integer s = 0;
    switch (Side) {
    case TsfSplitSide::Top: s = Target.Height() + r.Split; break;
    case TsfSplitSide::Bottom: s = Target.Height() - r.Split; break;
    case TsfSplitSide::Left: s = Target.Width() + r.Split; break;
    case TsfSplitSide::Right: s = Target.Width() - r.Split; break;
    default: return r;
    }
    r.NewSize = s;
    if (s < MinSize)
        r.NewSize = MinSize;
    else if (s > MaxSize)
        r.NewSize = MaxSize;
    if (s != r.NewSize) {
        const bool growsWithSplit = Side == TsfSplitSide::Top || Side == TsfSplitSide::Left;
        r.Split += growsWithSplit ? r.NewSize - s : s - r.NewSize;
    }
    return r;
}

Integer SplitterSnap(Integer NewSize, Integer MinSize, bool AutoSnap)
{
    return AutoSnap && NewSize <= MinSize ? 0 : NewSize;
}

TRect SplitterTargetBounds(TsfSplitSide Side, const TRect& T, Integer NewSize)
{
    switch (Side) {
    case TsfSplitSide::Top: return {T.Left, T.Top, T.Right, T.Top + NewSize};
    case TsfSplitSide::Bottom: return {T.Left, T.Bottom - NewSize, T.Right, T.Bottom};
    case TsfSplitSide::Left: return {T.Left, T.Top, T.Left + NewSize, T.Bottom};
    case TsfSplitSide::Right: return {T.Right - NewSize, T.Top, T.Right, T.Bottom};
    default: return T;
    }
}
