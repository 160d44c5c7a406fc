// SkinScrollBoxCore: the portable part of the skinned scroll box
// (win/SkinBoxCtrls): the ranges of the linked outside bars from the extent
// of the visible children, moving the children when a bar moves, keeping the
// content in place when the box grows while scrolled, and the area in which
// aligned children are laid out. The window supplies sizes and extents and
// moves the children through the hooks.
#pragma once

#include <functional>

#include "skin/controls/SkinScrollBarCore.h"

class TsfSkinScrollBoxCore {
public:
    // The linked bars (not owned).
    TsfSkinScrollBarCore* VBar = nullptr;
    TsfSkinScrollBarCore* HBar = nullptr;
    // From the window: the client size, and the largest bottom (Top + Height)
    // or right edge of the visible children (0 without any).
    std::function<Integer(bool Vertical)> ClientSize;
    std::function<Integer(bool Vertical)> ContentExtent;
    // Whether a bar is shown, and showing or hiding it.
    std::function<bool(bool Vertical)> BarVisible;
    TEvent<bool, bool> OnShowBar;
    // The horizontal bar's corner marker follows the vertical bar.
    TEvent<bool> OnSetBoth;
    // Moves every child by (DX, DY).
    TEvent<Integer, Integer> OnScrollContent;
    // An aligned box: the parent and the box lay their controls out again.
    TEvent<> OnRealign;
    bool Aligned = false;
    TObject* Sender = nullptr;
    TNotifyEvent OnVScroll;

    // Ranges from the children; nothing without the bar or while bars are being shown.
    void GetVRange() { GetRange(true); }
    void GetHRange() { GetRange(false); }
    void UpdateScrollRange();
    // Moves the content to a bar position: only with a bar that has a page;
    // the vertical one stops at Max - PageSize.
    void VScroll(Integer APosition);
    void HScroll(Integer APosition);
    // The bars' change handlers: the content follows the bar's position.
    void BarChanged(bool Vertical);
    // Brings a child (its bounds in client coordinates) into view along each axis with a visible bar.
    void ScrollToControl(const TRect& Bounds);
    // After the box's size changed from OldW x OldH to W x H.
    void SizeChanged(Integer OldW, Integer OldH, Integer W, Integer H);
    // Where aligned children are laid out, given the client rectangle.
    TRect AdjustClientRect(const TRect& Client) const;
    // Called after a bar was linked: the content counts from its position now.
    void BarLinked(bool Vertical);

    Integer OldPos(bool Vertical) const { return Vertical ? FOldVScrollBarPos : FOldHScrollBarPos; }
    Integer SizeOffset(bool Vertical) const { return Vertical ? FVSizeOffset : FHSizeOffset; }

private:
    void GetRange(bool Vertical);
    void Scroll(bool Vertical, Integer D);
    void MoveTo(bool Vertical, Integer APosition);
    TsfSkinScrollBarCore* Bar(bool Vertical) const { return Vertical ? VBar : HBar; }
    bool Visible(bool Vertical) const { return BarVisible && BarVisible(Vertical); }

    bool FInCheckScrollBars = false;
    Integer FOldVScrollBarPos = 0, FOldHScrollBarPos = 0;
    Integer FVSizeOffset = 0, FHSizeOffset = 0;
};
