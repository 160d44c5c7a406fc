// SkinAnimatedObjectsCore: the window-system-free arithmetic of the animation,
// label, bit-label and caption main-menu objects a skin places on a frame:
// frame stepping on the animation timer, text places, bitmap-font cells,
// main-menu item places and the stretching of their pictures.
#pragma once

#include <vector>

#include "framework/runtime/System.h"
#include "framework/runtime/Types.h"
#include "framework/runtime/UITypes.h"

// ---- Animation: a strip of frames played on the 25 ms animation timer.
struct TsfAnimateState {
    Integer Frame = 1;  // 1-based frame shown
    Integer Inc = 25;   // milliseconds gathered towards the next frame
    bool Active = false;
    bool Increment = true;  // playing forwards
};
// Frames wrap: forwards past CountFrames to 1, backwards at 0 or below to CountFrames.
void AnimateSetFrame(TsfAnimateState& A, Integer Value, Integer CountFrames);
// One timer tick; true when the frame changed (the caller redraws). A forward
// run stops on the last frame unless Cycle, a backward run on frame 1.
bool AnimateChangeFrame(TsfAnimateState& A, Integer TimerInterval, Integer CountFrames, bool Cycle);
void AnimateStart(TsfAnimateState& A);
void AnimateStop(TsfAnimateState& A, Integer CountFrames);
// Frame Frame (1-based): cells of CellW x CellH side by side from Origin.
TRect AnimateFrameRect(const TPoint& Origin, Integer CellW, Integer CellH, Integer Frame);

// ---- Label: the text's top-left in R for an alignment (centred vertically).
TPoint LabelTextPos(const TRect& R, TAlignment Alignment, Integer TextWidth, Integer TextHeight);

// ---- Bit label: cells of a bitmap font.
struct TsfBitLabelCell {
    TRect Source;   // in the picture
    Integer DestX;  // in the label bitmap
};
// The cells of Text: a character is looked up in the symbol lines in order
// (row = line, column = position); one that is missing keeps its place empty.
// A cell passing Width is cut there and ends the text.
std::vector<TsfBitLabelCell> BitLabelCells(const String& Text, const std::vector<String>& Symbols, const TPoint& Origin,
                                           Integer SymbolWidth, Integer SymbolHeight, Integer Width);

// ---- Caption main-menu items.
// Width of an item: its picture without the text rectangle, plus the caption and 2.
Integer MainMenuItemWidth(Integer SkinWidth, Integer TextRectWidth, Integer CaptionWidth);
// Left edge: after the previous item, or the area's left for the first (or a previous edge of 0).
Integer MainMenuItemLeft(Integer PreviousRight, const TRect& MainMenuRect);
// Fitting into the area: a hidden item keeps its enabled state to get it back.
struct TsfMainMenuItemFit {
    bool Enabled = true, OldEnabled = true, Visible = true;
};
void MainMenuItemFitTo(TsfMainMenuItemFit& F, bool Fits);
// Copies that stretch a picture of SourceWidth to DestWidth: the first LO and last
// RO columns 1:1 at the ends, the middle repeated between them (last copy cut).
struct TsfColumnSpan {
    Integer SourceX, DestX, Width;
};
std::vector<TsfColumnSpan> StretchWithFixedEnds(Integer SourceWidth, Integer DestWidth, Integer LO, Integer RO);
