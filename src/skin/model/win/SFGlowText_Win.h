// SFGlowText_Win: texts drawn over a blurred glow or above a fading mirrored
// copy of themselves (skin/model/SFGlowText.h has the pixel steps). Each
// builds its glow afresh on every call; the text itself goes on top with a
// clear brush in the canvas font's own colour.
#pragma once

#include "framework/controls/win/ImgList.h"
#include "framework/graphics/win/Graphics.h"
#include "skin/model/SFBitmap.h"
#include "skin/model/SFTypes.h"

// The text with a glow of GlowSize pixels in GlowColor moved by GlowOffset;
// returns the wide-text drawer's result.
Integer DrawGlowText(TCanvas* Canvas, TRect& R, const String& Text, UINT Flags, Integer GlowOffset, TColor GlowColor,
                     Integer GlowSize);
// The same with a thicker glow (the shape drawn five times, one pixel apart);
// returns the platform text call's result.
Integer DrawGlowTextEx(TCanvas* Canvas, TRect& R, const String& Text, UINT Flags, Integer GlowOffset,
                       TColor GlowColor, Integer GlowSize);
// The text on a soft glow patch 3 pixels wider than R on each side.
Integer DrawVistaGlowText(TCanvas* Canvas, const TRect& R, const String& Text, UINT Flags, TColor GlowColor);
// The same with a patch 3 pixels narrower than R on every side.
Integer DrawVistaGlowText2(TCanvas* Canvas, const TRect& R, const String& Text, UINT Flags, TColor GlowColor);
// The text with a mirrored copy in Color starting ReflectionOffset pixels
// below its last row, 70 % opaque next to the text and fading away from it.
void DrawReflectionText(TCanvas* Canvas, const TRect& R, const String& Text, UINT Flags, Integer ReflectionOffset,
                        TColor Color);

// DrawImageAndText's face with a glow of GlowSize pixels in GlowColor behind
// the image and behind the caption.
void DrawImageAndTextGlow(TCanvas* Canvas, const TRect& R, Integer Margin, Integer Spacing, TsfButtonLayout Layout,
                          const String& Caption, Integer ImageIndex, TCustomImageList* ImageList, bool Pressed,
                          bool Enabled, bool DrawColorMarker, TColor MarkerColor, TColor GlowColor, Integer GlowSize);
// The shape of image Index (every pixel unlike its top-left one) in the glow's
// red, put into Dest at (Offset, Offset) and one pixel up-left and down-right
// of it. Nothing for an image the list does not have.
void DrawGlyphMask(TsfBitmap* Dest, TCustomImageList* ImageList, Integer Index, Integer Offset);

// Where DrawTextW puts Text inside R with Flags: the measured size placed by
// the single-line vertical and the horizontal alignment flags.
TRect TextExtentIn(TCanvas* Canvas, const String& Text, const TRect& R, UINT Flags);
