// SkinEditCore: the portable rules of the skinned edits (win/SkinBoxCtrls):
// which numeric texts and typed characters are taken, the limits (equal
// limits mean none), conversion that never raises (an integer beyond 32 bits
// saturates), the text a value is shown as, when a typed number is rewritten,
// the wheel's direction, the context menu's item states, the edit's and the
// spin edit's geometry, and where the track edit's popup opens.
#pragma once

#include "framework/runtime/System.h"
#include "framework/runtime/Types.h"

enum TsfValueType { vtInteger, vtFloat };

// A number as typed: not empty, not a lone "-", digits and "-" (plus DecSep
// when Float) only, the minus only first and once, DecSep not first and once.
bool SkinIsNumText(const String& Text, bool Float, Char DecSep);
// Whether a typed character may go into an edit holding Text: digits, "-"
// (when Text has none), DecSep when Float (when Text has none) and control
// characters below 32 but Enter. Locked (read-only, editor off) lets only
// control characters other than Backspace through.
bool SkinNumCharValid(Char Key, const String& Text, bool Float, Char DecSep, bool Locked);

// MinValue = MaxValue: no limits; else V held within them.
double SkinClampValue(double V, double MinValue, double MaxValue);
Integer SkinClampInt(Integer V, Integer MinValue, Integer MaxValue);

// A text that passed SkinIsNumText as a number. Integers saturate to the 32-bit
// range, floats to the largest finite value; false when there is no number in
// it (a sign and a separator alone) and V is left as it was.
bool SkinTextToValue(const String& Text, bool Float, Char DecSep, double& V);
bool SkinTextToInteger(const String& Text, Integer& V);

// vtFloat: fixed with Decimal digits (at most 15 significant); vtInteger: the
// nearest integer, halves to even.
String SkinFormatValue(double V, TsfValueType Type, Integer Decimal, Char DecSep);

// Whether the typed value V (clamped to C) is rewritten at once: further
// digits can no longer bring it back within the limits.
bool SkinValueNeedsRewrite(double C, double V, double MinValue, double MaxValue);

// The wheel message's wParam: the delta is its signed high word. Turned away
// from the user (positive) the value goes down, towards the user up.
Integer SkinWheelDelta(uint64_t WParam);
inline bool SkinWheelStepsUp(uint64_t WParam) { return SkinWheelDelta(WParam) <= 0; }

// The context menu's items (Undo, Cut, Copy, Paste, Delete, Select All).
struct TsfEditMenuState {
    bool Undo = false, Cut = false, Copy = false, Paste = false, Delete = false, SelectAll = false;
};
TsfEditMenuState SkinEditMenuState(bool CanUndo, Integer SelStart, Integer SelLength, Integer TextLength,
                                   bool ReadOnly, bool ClipboardHasText);

// A description's geometry as the edits use it.
struct TsfEditSkinGeometry {
    TRect SkinRect, ClRect, ButtonRect;
    TPoint RTPoint;
};

// The text area and the button of a W x H edit (window coordinates); D is
// nullptr without a description.
void SkinEditRects(Integer W, Integer H, bool ButtonMode, bool UseSkinFont, const TsfEditSkinGeometry* D,
                   TRect& EditR, TRect& ButtonR);
// The non-client insets (left, top, right, bottom) of a W x H edit.
TRect SkinEditInsets(Integer H, bool ButtonMode, const TsfEditSkinGeometry* D);
// An edit's height for a font whose text is TextH high; ImageH the image
// list's image height (0 without).
Integer SkinEditHeight(Integer TextH, Integer ImageH, const TsfEditSkinGeometry* D);
// The areas of the left and right images in the client rectangle R (empty
// when the index is negative) and the text's formatting rectangle.
void SkinEditImageRects(const TRect& R, Integer ImageW, bool Left, bool Right, TRect& LeftR, TRect& RightR,
                        TRect& TextR);

// The spin edit's buttons and text area for a W x H control; D nullptr
// without a description (then UseSkinSize does not matter).
struct TsfSpinSkinGeometry {
    TRect SkinRect, ClRect, UpButtonRect, DownButtonRect;
    TPoint RTPoint;
};
void SkinSpinRects(Integer W, Integer H, const TsfSpinSkinGeometry* D, bool UseSkinSize, TRect& UpR, TRect& DownR,
                   TRect& TextR);
// Where the inner edit of EditH goes in the text area R.
TRect SkinSpinEditPlace(const TRect& R, Integer EditH);

// The track edit's popup of PopupW x PopupH for an edit at Edit (screen):
// below it, left edges met (AlignRight: right edges met); kept within Work
// (shifted left at the right edge, to Work.Left at the left) and opened
// above the edit when it would pass Work's bottom.
TPoint SkinTrackPopupOrigin(const TRect& Edit, Integer PopupW, Integer PopupH, bool AlignRight, const TRect& Work);
