#include "skin/frame/SkinAnimatedObjectsCore.h"

#include <algorithm>

void AnimateSetFrame(TsfAnimateState& A, Integer Value, Integer CountFrames)
{
    if (A.Increment && Value > CountFrames) Value = 1;
    if (!A.Increment && Value <= 0) Value = CountFrames;
    A.Frame = Value;
}

bool AnimateChangeFrame(TsfAnimateState& A, Integer TimerInterval, Integer CountFrames, bool Cycle)
{
    if (A.Inc < TimerInterval) {
        A.Inc += 25;
        return false;
    }
    if (A.Increment) {
        AnimateSetFrame(A, A.Frame + 1, CountFrames);
        if (A.Frame == CountFrames && !Cycle) A.Active = false;
    } else {
        AnimateSetFrame(A, A.Frame - 1, CountFrames);
        if (A.Frame == 1) A.Active = false;
    }
    A.Inc = 25;
    return true;
}

void AnimateStart(TsfAnimateState& A)
{
    A.Inc = 25;
    A.Frame = 1;
    A.Active = true;
}

void AnimateStop(TsfAnimateState& A, Integer CountFrames)
{
    AnimateSetFrame(A, 1, CountFrames);
    A.Active = false;
    A.Inc = 25;
}

TRect AnimateFrameRect(const TPoint& Origin, Integer CellW, Integer CellH, Integer Frame)
{
    Integer L = Origin.X + (Frame - 1) * CellW;
    return {L, Origin.Y, L + CellW, Origin.Y + CellH};
}

TPoint LabelTextPos(const TRect& R, TAlignment Alignment, Integer TextWidth, Integer TextHeight)
{
    Integer X = R.Left;
    if (Alignment == taRightJustify)
        X = R.Right - TextWidth;
    else if (Alignment == taCenter)
        X = R.Left + R.Width() / 2 - TextWidth / 2;
    return {X, R.Top + R.Height() / 2 - TextHeight / 2};
}

std::vector<TsfBitLabelCell> BitLabelCells(const String& Text, const std::vector<String>& Symbols, const TPoint& Origin,
                                           Integer SymbolWidth, Integer SymbolHeight, Integer Width)
{
    std::vector<TsfBitLabelCell> Cells;
    if (SymbolWidth <= 0 || SymbolHeight <= 0) return Cells;
    for (size_t i = 0; i < Text.size(); ++i) {
        Integer DestX = static_cast<Integer>(i) * SymbolWidth;
        if (DestX >= Width) break;
        for (size_t Row = 0; Row < Symbols.size(); ++Row) {
            size_t Col = Symbols[Row].find(Text[i]);
            if (Col == String::npos) continue;
            Integer L = Origin.X + static_cast<Integer>(Col) * SymbolWidth;
            Integer T = Origin.Y + static_cast<Integer>(Row) * SymbolHeight;
            Integer W = std::min(SymbolWidth, Width - DestX);
            Cells.push_back({{L, T, L + W, T + SymbolHeight}, DestX});
            break;
        }
        if (DestX + SymbolWidth > Width) break;  // the cut cell ends the text
    }
    return Cells;
}

Integer MainMenuItemWidth(Integer SkinWidth, Integer TextRectWidth, Integer CaptionWidth)
{
    return SkinWidth - TextRectWidth + CaptionWidth + 2;
}

Integer MainMenuItemLeft(Integer PreviousRight, const TRect& MainMenuRect)
{
    return PreviousRight == 0 ? MainMenuRect.Left : PreviousRight;
}

void MainMenuItemFitTo(TsfMainMenuItemFit& F, bool Fits)
{
    if (!Fits && F.Visible) {
        F.OldEnabled = F.Enabled;
        F.Enabled = false;
        F.Visible = false;
    } else if (Fits && !F.Visible) {
        F.Visible = true;
        F.Enabled = F.OldEnabled;
    }
}

std::vector<TsfColumnSpan> StretchWithFixedEnds(Integer SourceWidth, Integer DestWidth, Integer LO, Integer RO)
{
    std::vector<TsfColumnSpan> Spans;
    if (SourceWidth <= 0 || DestWidth <= 0) return Spans;
    LO = std::clamp(LO, 0, SourceWidth);
    RO = std::clamp(RO, 0, SourceWidth - LO);
    // A destination narrower than both ends keeps the left end whole first.
    Integer Left = std::min(LO, DestWidth);
    Integer Right = std::min(RO, DestWidth - Left);
    if (Left > 0) Spans.push_back({0, 0, Left});
    Integer Middle = SourceWidth - LO - RO;
    Integer X = Left, End = DestWidth - Right;
    if (Middle > 0)
        for (; X < End; X += Middle) Spans.push_back({LO, X, std::min(Middle, End - X)});
    if (Right > 0) Spans.push_back({SourceWidth - Right, End, Right});
    return Spans;
}
