// SkinTabsCore: the portable part of the skinned page and tab controls
// (win/SkinTabs): the copy of the skin's tab description with its fallbacks,
// the corrections made to the platform's display and item rectangles, the
// frame and strip geometry, the centred or offset tab row, the hover and
// close-button state of the tabs (sized to the tab count), the tab scroller's
// range and place, the layout of a tab's image and caption, and the turns and
// flips of tab bitmaps.
#pragma once

#include <functional>
#include <vector>

#include "framework/runtime/Types.h"
#include "skin/controls/SkinCoreTypes.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/SFControlData.h"

// Where the tabs sit; the same order as the platform's tab positions.
enum TsfTabSide { tsdTop, tsdBottom, tsdLeft, tsdRight };

inline bool IsEmptyRect(const TRect& R) { return R.Width() <= 0 || R.Height() <= 0; }

// The control's copy of a tab description.
struct TsfTabSkin {
    Integer PictureIndex = -1;
    TRect SkinRect, ClRect, TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, TabsBGRect;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    Integer TabLeftOffset = 0, TabRightOffset = 0;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    String UpDown;
    Integer BGPictureIndex = -1;
    bool TabStretchEffect = false, ShowFocus = false;
    Integer FocusOffsetX = 0, FocusOffsetY = 0;
    bool StretchEffect = false, LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    TsfStretchType StretchType = sfstFull;
    TRect CloseButtonRect, ClosebuttonActiveRect, CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
    TRect TabLeftBottomActiveRect, TabLeftBottomFocusRect;

    // The frame's border widths: the distances of ClRect to SkinRect's edges.
    Integer BorderLeft() const { return ClRect.Left; }
    Integer BorderTop() const { return ClRect.Top; }
    Integer BorderRight() const { return SkinRect.Width() - ClRect.Right; }
    Integer BorderBottom() const { return SkinRect.Height() - ClRect.Bottom; }
    // ClRect in picture coordinates (the client tile).
    TRect ClientTile() const;
    // How much higher the selected tab's picture is than an unselected one's.
    Integer ActiveRise() const { return ActiveTabRect.Height() - TabRect.Height(); }
};

// Copies D into S: the selected, focused, close and corner pictures fall back
// to the one before them when empty; BGPictureIndex and PictureIndex as given.
void CopyTabDescription(const TsfDataSkinTabControl& D, TsfTabSkin& S);

struct TsfTabBorders {
    Integer L = 0, T = 0, R = 0, B = 0;
};

// The display rectangle the platform computed (R, from a CW x CH client
// area) moved to the skin's frame: Described picks the skin's column (with
// its borders), else the built-in look's.
TRect CorrectTabDisplayRect(TsfTabSide Side, bool Described, const TsfTabBorders& B, Integer CW, Integer CH,
                            TRect R);
// The page control's hidden tabs take one pixel more towards the tabs.
TRect HiddenTabsDisplayRect(TsfTabSide Side, bool Described, TRect R);
// A tab's item rectangle as the platform gave it, moved to where the skinned
// tab is painted (tabs style only).
TRect CorrectTabItemRect(TsfTabSide Side, bool SingleRow, TRect R);
// The frame around the display rectangle D.
inline TRect TabFrameRect(const TRect& D, const TsfTabBorders& B)
{
    return {D.Left - B.L, D.Top - B.T, D.Right + B.R, D.Bottom + B.B};
}
// The tab strip's area of a W x H control with the frame F.
TRect TabStripRect(TsfTabSide Side, const TRect& F, Integer W, Integer H);
// The selected tab's item rectangle grown towards the client area by D.
TRect GrowActiveTabRect(TsfTabSide Side, TRect R, Integer D);
// Where the tab row starts: TabsOffset when above 0, else the centred start
// of Count tabs of TabWidth on a control Width wide (0 for varying widths).
Integer CalcTabsStart(Integer TabsOffset, Integer TabWidth, Integer Width, Integer Count);

// The close-button state of every tab: rectangles relative to the tab's item
// rectangle, hover and pressed flags. It grows with the tab count, so any
// tab index has its state; indexes below 0 have none.
class TsfTabCloseStates {
public:
    // Every state cleared, Count entries.
    void Reset(Integer Count);
    void Clear() { FStates.clear(); }
    Integer Count() const { return static_cast<Integer>(FStates.size()); }
    // The state of tab Index, grown to it; nullptr for a negative index.
    TsfCBButtonX* At(Integer Index);
    void ClearFlags(Integer Index);

private:
    std::vector<TsfCBButtonX> FStates;
};

// Hover tracking and the close buttons' press and release over the shown tabs.
// Positions count the shown tabs; State(Pos) gives a tab's close state.
class TsfTabTracker {
public:
    Integer Active = -1;
    Integer OldActive = -1;
    // Whether the old hovered tab's close flags are cleared when the mouse leaves it.
    bool ClearOldFlags = true;
    bool ShowCloseButtons = false;
    std::function<TsfCBButtonX*(Integer Pos)> State;

    // The mouse at (X, Y) over Items (right and bottom edges excluded);
    // Selected is the selected position. True when the strip needs a repaint.
    bool Test(const std::vector<TRect>& Items, Integer X, Integer Y, Integer Selected);
    // The hovered tab's close button in control coordinates (Shift: what the
    // mouse X arrives reduced by); empty without a hovered tab or state.
    TRect HoveredButton(const std::vector<TRect>& Items, Integer Shift = 0);
    // A press: true when the strip needs a repaint.
    bool Press(const std::vector<TRect>& Items, Integer X, Integer Y, Integer Shift = 0);
    // A release: true when it was inside the hovered tab's button (repaint, then close that tab).
    bool Release(const std::vector<TRect>& Items, Integer X, Integer Y, Integer Shift = 0);
};

// The scroller: tabs scrolled out at the left (right edge 0 or less), and
// tabs that do not fit (that, or right edge beyond Limit).
Integer TabsScrollPosition(const std::vector<TRect>& Items);
Integer TabsScrollMax(const std::vector<TRect>& Items, Integer Limit);
// The scroller's top: Display is the display rectangle, H the scroller's height.
Integer TabScrollerTop(TsfTabSide Side, const TsfTabSkin* Skin, const TRect& Display, Integer H,
                       Integer ControlHeight);

// A close button of BW x BH in the area A right of the caption.
TRect PlaceCloseButton(const TRect& A, Integer BW, Integer BH);
// A close button rectangle of a lying W x H tab picture mapped into the
// standing picture (tabs on the left or right).
TRect TurnCloseButtonRect(TsfTabSide Side, const TRect& R, Integer W, Integer H);

// Image and caption centred as one group in W x H: TextW and TextH the
// caption's size (TextW 0 for an empty caption), IW x IH the image's.
struct TsfTabContentPlace {
    Integer ImageX = 0, ImageY = 0;
    TRect TextRect;
};
TsfTabContentPlace PlaceTabImageAndText(Integer W, Integer H, Integer Offset, Integer TextW, Integer TextH,
                                        Integer IW, Integer IH);

// Bitmap turns: counter-clockwise, (x, y) lands at (y, width - 1 - x);
// clockwise, at (height - 1 - y, x). Width and height swap.
void RotateBitmapCCW(TsfBitmap* B);
void RotateBitmapCW(TsfBitmap* B);
// Mirrors B top to bottom.
void FlipBitmapVert(TsfBitmap* B);
