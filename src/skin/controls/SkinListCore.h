// SkinListCore: the portable part of the skinned lists (win/SkinBoxCtrls list
// box, combo box and font combos; win/SkinTreeView; win/SkinExCtrls horizontal
// image list): item geometry and the rows a list shows, when a list's skinned
// bar is needed and with which range, the list box's layout, the combo's
// key steps, type-ahead search and popup placement, font filters and size
// lists, and the horizontal image list's items, scrolling and key search.
// No Windows headers: the window classes turn messages into calls.
#pragma once

#include <functional>
#include <vector>

#include "framework/runtime/Classes.h"
#include "skin/controls/SkinCoreTypes.h"

// ---------------------------------------------------------------------------
// Items and bars of a list.

// An item height as a skin or a caller gives it: at least 1 (the rows a list
// shows are its height divided by it).
inline Integer SafeItemHeight(Integer H) { return H < 1 ? 1 : H; }

// What a list's skinned bar shows: hidden, or shown with this range.
struct TsfListBarRange {
    bool Show = false;
    Integer Min = 0, Max = 0, Page = 0, Position = 0;
};

// The main bar of a one-column list from the native vertical range and
// position: shown while the rows that fit (ListHeight div ItemHeight) are
// fewer than the items and the range is not empty.
TsfListBarRange ListVerticalBar(Integer NMin, Integer NMax, Integer NPos, Integer ListHeight, Integer ItemHeight,
                                Integer Count);
// The main bar of a list with Columns from the native horizontal range.
TsfListBarRange ListColumnsBar(Integer NMin, Integer NMax, Integer NPos, Integer Columns, Integer ListHeight,
                               Integer ItemHeight, Integer Count);

// The width the text of a one-column list has before its horizontal bar is
// needed: built-in look ListWidth - 4, skinned ListWidth + (item text width -
// item width); less ImagesWidth + 4 with images (ImagesWidth 0: none).
Integer ListTextPage(Integer ListWidth, bool Skinned, Integer ItemTextWidth, Integer ItemWidth, Integer ImagesWidth);

// The items a one-column list paints from TopIndex: Last is -1 for none; Rest
// is the top of what is left to paint as background (Height when nothing).
struct TsfListRows {
    Integer First = 0, Last = -1, Rest = 0;
};
TsfListRows ListVisibleRows(Integer TopIndex, Integer Count, Integer Height, Integer ItemHeight, Integer Columns);

// Height of a list box showing Count items: built-in look Count x item height
// + 4 (+ CaptionHeight in caption mode); skinned SkinHeight - ClientHeight +
// Count x item height; both + the horizontal bar's height (0 without).
Integer ListCalcHeight(bool Skinned, Integer Count, Integer ItemHeight, bool CaptionMode, Integer CaptionHeight,
                       Integer SkinHeight, Integer ClientHeight, Integer HBarHeight);

// The list box's parts: where the inner list, the main bar and the
// horizontal bar go.
struct TsfListLayoutIn {
    Integer Width = 0, Height = 0;
    bool Skinned = false;
    TRect NewClRect;            // skinned: the client rectangle at this size
    Integer CaptionHeight = 0;  // built-in look: in caption mode, else 0 (1 is used)
    bool Columns = false;
    bool MainBar = false;
    Integer MainBarWidth = 19, MainBarHeight = 19;  // the bar's skin size
    bool HBar = false;
    Integer HBarHeight = 19;
};
struct TsfListLayout {
    TRect List, MainBar, HBar;
};
TsfListLayout ListLayout(const TsfListLayoutIn& In);

// Tab stops of item text: up to 10, a line of digits only is its value, any
// other line 0.
std::vector<Integer> ListTabStops(const TStrings& Lines);

// ---------------------------------------------------------------------------
// Search and keys.

// The first item from After + 1 on (wrapping round) that starts with Prefix,
// letter case ignored; After -1 searches from the top. -1 when none or Prefix
// is empty.
Integer FindItemPrefix(const TStrings& Items, const String& Prefix, Integer After);
// The first item equal to Text, letter case counted; -1 when none.
Integer FindItemExact(const TStrings& Items, const String& Text);
// The first item equal to Text, letter case ignored; -1 when none.
Integer FindItemText(const TStrings& Items, const String& Text);

// Type-ahead of a combo: with AutoComplete the keys typed within 500 ms of
// each other add up to a prefix, else each key is searched alone.
class TsfTypeAhead {
public:
    // The text to search for after typing Key at Now (milliseconds).
    String Key(Char Key, Cardinal Now, bool AutoComplete);
    void Reset() { FFilter.clear(); }
    // A one-character text searches from after the current item, a longer
    // one from the top: the After argument of FindItemPrefix.
    static Integer SearchAfter(const String& Text, Integer ItemIndex) { return Text.size() == 1 ? ItemIndex : -1; }

private:
    String FFilter;
    Cardinal FLastTime = 0;
    bool FAny = false;
};

constexpr Integer sfVK_RETURN = 13;
constexpr Integer sfVK_ESCAPE = 27;
constexpr Integer sfVK_PRIOR = 33;
constexpr Integer sfVK_NEXT = 34;

// What a key does to a closed or open fixed-style combo.
enum TsfComboKeyAction { ckNone, ckSelect, ckAccept, ckCancel, ckOpen };
struct TsfComboKey {
    TsfComboKeyAction Action = ckNone;
    Integer Index = -1;  // ckSelect: the new item
};
TsfComboKey ComboKey(Integer Key, bool Alt, bool Open, Integer ItemIndex, Integer Count, Integer DropDownCount);

// A key released in an edit-style combo's edit. Character sets typed through
// an input method (Shift-JIS 128, GB2312 134, Big5 136) complete after any key
// but Delete and Backspace, clearing the edit's selection first, since the
// composed text arrives without a key of its own; other sets complete after
// keys from "0" up only, so Backspace, Delete, arrows and Shift never do.
// A system key up completes only in the first group.
struct TsfComboEditKeyUp {
    bool ClearSelection = false;
    bool Complete = false;
};
constexpr Integer sfVK_BACK = 8;
constexpr Integer sfVK_DELETE = 46;
inline bool IsInputMethodCharset(Byte Charset) { return Charset == 128 || Charset == 134 || Charset == 136; }
TsfComboEditKeyUp ComboEditKeyUp(Integer Key, Byte Charset, bool SysKey, bool AutoComplete);

// The edit's completion runs at most once per 200 ms.
class TsfEditCompletion {
public:
    // Whether a completion may run at Now (milliseconds); taken when it may.
    bool Take(Cardinal Now);

private:
    Cardinal FLastTime = 0;
    bool FAny = false;
};
// The selection after completing Typed into Item: the added tail.
struct TsfTextSelection {
    Integer Start = 0, Length = 0;
};
inline TsfTextSelection CompletionSelection(const String& Typed, const String& Item)
{
    const Integer Start = Integer(Typed.size());
    const Integer Length = Integer(Item.size()) - Start;
    return {Start, Length > 0 ? Length : 0};
}

// The inner corners of item picture Pic stretched over a combo's whole item
// area: the text rectangle (shrunk by 1 on each side when Shrink), its right
// edge pulled in by as much as Pic is narrower than the normal item picture
// and its top by as much as Pic is lower.
TRect ComboItemCorners(const TRect& ItemTextRect, const TRect& Pic, const TRect& ItemRect, bool Shrink);

// The rows an opened combo shows.
inline Integer ComboPopupRows(Integer DropDownCount, Integer Count)
{
    return DropDownCount < Count ? DropDownCount : Count;
}
// Where the popup of a combo at Combo (screen) opens: below it, or above it
// when its bottom would pass the work area's bottom.
TPoint ComboPopupOrigin(const TRect& Combo, Integer PopupHeight, const TRect& WorkArea);

// ---------------------------------------------------------------------------
// Fonts.

enum TsfFontListOption {
    foAnsiOnly = 1,
    foTrueTypeOnly = 2,
    foFixedPitchOnly = 4,
    foNoOEMFonts = 8,
    foOEMFontsOnly = 16,
    foScalableOnly = 32,
    foNoSymbolFonts = 64
};
using TsfFontListOptions = Integer;

constexpr Integer sfRASTER_FONTTYPE = 1;
constexpr Integer sfDEVICE_FONTTYPE = 2;
constexpr Integer sfTRUETYPE_FONTTYPE = 4;
constexpr Integer sfNotSymbolFlag = 0x100;

// Whether a family passes the list's options.
bool IsFontAllowed(TsfFontListOptions Options, Byte CharSet, Byte PitchAndFamily, Integer FontType);
// The sizes listed for a TrueType family.
const std::vector<Integer>& TrueTypeFontSizes();
// A raster size in points: (Height - InternalLeading) x 72 / PixelsPerInch,
// halves to the even neighbour.
Integer FontPoints(Integer Height, Integer InternalLeading, Integer PixelsPerInch);
// Sizes kept ascending and unique: Points inserted before the first larger one.
void InsertFontSize(std::vector<Integer>& Sizes, Integer Points);
// The size typed into an edit-style size box: digits with at most one leading
// minus; 0 for anything else, for a lone "-" and for values beyond 32 bits.
Integer FontSizeOfText(const String& Text);

// ---------------------------------------------------------------------------
// The horizontal image list: one row of equally wide items.

struct TsfHorzItemPlace {
    TRect ItemRect;
    bool IsVisible = false;
    bool Enabled = true;
};

class TsfHorzListCore {
public:
    std::vector<TsfHorzItemPlace> Items;
    Integer ItemWidth = 70;
    Integer ScrollOffset = 0;
    Integer Max = 0, RealMax = 0;
    TRect ItemsRect;

    // Area is the items' area (bottom raised by BarHeight while a bar is shown).
    void CalcItemRects(const TRect& Area, Integer BarHeight);
    // Min 0, Max the items' total width, Page the area's width; both 0 when
    // the items fit.
    void GetScrollInfo(const TRect& Area, Integer BarHeight, Integer& AMin, Integer& AMax, Integer& APage,
                       Integer& APosition);
    // Scrolls so that item Index is inside the area (ControlWidth: the control's).
    void ScrollToItem(Integer Index, const TRect& Area, Integer BarHeight, Integer ControlWidth);
    // The enabled item under (X, Y), -1 none.
    Integer ItemAtPos(Integer X, Integer Y) const;
    Integer FindUp(Integer ItemIndex) const;
    Integer FindDown(Integer ItemIndex) const;
    Integer FindPageUp(Integer ItemIndex) const;
    Integer FindPageDown(Integer ItemIndex) const;
    // After a width change: a list scrolled past its end scrolls back.
    bool WidthChanged(const TRect& Area, Integer BarHeight);
    // Width of a control that shows Count items (ChromeWidth: width - item area width).
    Integer CalcWidth(Integer Count, Integer ChromeWidth) const;
};

// ---------------------------------------------------------------------------
// The tree view's outside bars.

// The vertical bar is shown when the native maximum is above 0, not below the
// rows that fit, below the item count, and the tree is visible.
inline bool TreeVBarVisible(Integer NMax, Integer VisibleCount, Integer Count, bool TreeVisible)
{
    return TreeVisible && NMax > 0 && NMax >= VisibleCount && NMax < Count;
}
inline bool TreeHBarVisible(Integer NMax, Integer TreeWidth, bool TreeVisible)
{
    return TreeVisible && TreeWidth < NMax;
}
// Half the expand button's size: from the button images when given
// (ImagesSize > 0), 5 without both skin pictures, else the picture's width div 2 - 2.
Integer TreeButtonHalf(Integer ImagesSize, bool HavePictures, Integer ExpandPictureWidth);
// The next alpha of a popup fading in towards Target: a fifteenth of the
// target per tick (at least 1), never beyond Target.
inline Integer PopupFadeAlpha(Integer Current, Integer Target)
{
    const Integer Step = Target / 15 > 1 ? Target / 15 : 1;
    return Current >= Target ? Target : (Target - Current < Step ? Target : Current + Step);
}
// Alpha of pixel I of a fading line of Length pixels: opaque for the first
// half, then falling by round(255 / half) per pixel, not below 0.
Byte TreeFadeAlpha(Integer I, Integer Length);
