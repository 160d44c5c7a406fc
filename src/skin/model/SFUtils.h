// SFUtils: the skin library's small helpers that every skinned control, the
// frame and the skin model share: rectangle and point tests, the layout of a
// glyph with its caption, colour mixing, text shortening, the dots of the
// focus rectangle and the Windows version tests. Portable; the canvas and
// window routines built on them are in skin/model/win/SFUtils_Win.h.
#pragma once

#include <functional>
#include <vector>

#include "framework/runtime/Types.h"
#include "framework/runtime/UITypes.h"
#include "skin/model/SFTypes.h"

// ---------------------------------------------------------------------------
// Rectangles and points (right and bottom exclusive unless said otherwise).
// Widths wrap in 32 bits like the platform's; the emptiness test does not.
inline Integer RectWidth(const TRect& R) { return static_cast<Integer>(static_cast<uint32_t>(R.Right) - static_cast<uint32_t>(R.Left)); }
inline Integer RectHeight(const TRect& R) { return static_cast<Integer>(static_cast<uint32_t>(R.Bottom) - static_cast<uint32_t>(R.Top)); }
inline bool IsSameRect(const TRect& R1, const TRect& R2) { return R1 == R2; }
inline void ClearRect(TRect& R) { R = TRect{}; }
// Width or height 0 or less (worked out in 64 bits, so no skin value overflows it).
bool IsNullRect(const TRect& R);
// Either coordinate 0.
inline bool IsNullPoint(const TPoint& P) { return P.X == 0 || P.Y == 0; }
// All four edges count as inside.
bool IsPointInRect(const TRect& R, const TPoint& P);
// R1's top-left and bottom-right corners both inside R2 by the platform's
// point test (right and bottom edges outside, so an R1 sharing R2's right or
// bottom edge is not inside).
bool RectInRect(const TRect& R1, const TRect& R2);
// (R2.Left + 1, R1.Top) or (R2.Right - 1, R1.Bottom) inside R2 by the same test.
bool RectTouchesRect(const TRect& R1, const TRect& R2);
inline Integer IntMax(Integer A, Integer B) { return A > B ? A : B; }
inline Integer IntMin(Integer A, Integer B) { return A < B ? A : B; }

// ---------------------------------------------------------------------------
// Colours: both resolved (system colours to their values), each channel the
// mean of the two, rounded down.
TColor MixColors(TColor Color1, TColor Color2);

// ---------------------------------------------------------------------------
// Glyph and caption: where the glyph and the caption of a button face go in R.
// Margin -1 centres the group; another Margin puts it against the layout's
// side. Spacing counts only when there is a glyph.
void LayoutGlyphAndText(TsfButtonLayout Layout, const TRect& R, Integer GlyphWidth, Integer GlyphHeight,
                        Integer TextWidth, Integer TextHeight, Integer Spacing, Integer Margin, Integer& TextX,
                        Integer& TextY, Integer& GlyphX, Integer& GlyphY);

// ---------------------------------------------------------------------------
// Text
using TsfTextWidthFunc = std::function<Integer(const String&)>;
// Shortens Text from its end and appends "..." until the width of the result
// fits MaxWidth; a text that fits stays as it is, and one that cannot keep a
// single character becomes "...". A surrogate pair goes as one character.
void CutTextToWidth(String& Text, Integer MaxWidth, const TsfTextWidthFunc& TextWidth);
// True when FileName contains ".jpg" or ".jpeg" (case-sensitive).
bool IsJpegFileName(const String& FileName);

// The pixels of the dotted focus rectangle inside R, in drawing order: the
// outline of (Left, Top, Right - 1, Bottom - 1) walked clockwise from its
// top-left corner, every other pixel, the dots running on evenly round the
// corners; the first pixel is set unless that outline's width and height are
// both even. Empty for a rectangle of no width or height.
std::vector<TPoint> SkinFocusRectDots(const TRect& R);

// ---------------------------------------------------------------------------
// The Windows version: GetVersion's low byte is the major, the next byte the
// minor version. SfGetVersion is the platform's GetVersion once the Windows
// start-up has run (10.0 before); tests set it to try other versions.
using TsfGetVersionProc = Cardinal (*)();
extern TsfGetVersionProc SfGetVersion;
void GetWindowsVersion(Integer& Major, Integer& Minor);
bool IsWindows7();
bool IsWindowsVistaOrLater();
// 5.0 and 5.2 are not XP or later by this test (only 5.1 and 6 up).
bool IsWindowsXPOrLater();
bool IsWindows2000OrLater();
