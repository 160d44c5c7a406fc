// SkinHintCore: the window-system-free arithmetic of the skinned hint: how far
// below the cursor's hot spot its mask ends (the hint opens under the cursor),
// the hint's size and skin geometry around its text, its place on the screen,
// its line breaks and its fade steps.
#pragma once

#include <cstddef>

#include "framework/runtime/System.h"
#include "framework/runtime/Types.h"

// Distance in scan lines from the hot spot to the last non-transparent line of a
// 1-bit cursor mask held bottom-up (as a DIB): the AND mask, or with a mask at
// least twice as tall as wide (AND over XOR) the XOR part when the AND part is
// all transparent. Size is the bytes really held; every read stays within them.
// Default when the mask is empty or shorter than its stated size.
Integer CursorMaskMargin(const Byte* Bits, std::size_t Size, Integer Width, Integer Height, Integer HotSpotY,
                         Integer Default);

// The window size and the skin picture's geometry stretched to it.
struct TsfHintGeometry {
    Integer Width = 0, Height = 0;
    TRect NewClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
};
// The hint content (text, or title, image and text) of W x H in a skin
// picture of PW x PH: the picture's margins around the client rectangle are
// added, and the hint grows where the stretched corner points would cross.
TsfHintGeometry SkinHintGeometry(Integer W, Integer H, Integer PW, Integer PH, const TPoint& LT, const TPoint& RT,
                                 const TPoint& LB, const TPoint& RB, const TRect& ClRect);
// The content size of a hint with a title (TitleW x TitleH, HasTitle) and an
// image (ImageW x ImageH, HasImage) beside a text of TW x TH.
void HintContentSizeEx(Integer TW, Integer TH, bool HasTitle, Integer TitleW, Integer TitleH, bool HasImage,
                       Integer ImageW, Integer ImageH, Integer& W, Integer& H);
// The hint's rectangle: at Anchor's top-left, or (FromRect) centred on Anchor
// above it (Top) or below it; moved left (up) by its width (height) + 2 once
// when it passes Bounds' right (bottom) edge.
TRect HintPlace(const TRect& Anchor, Integer W, Integer H, bool FromRect, bool Top, const TRect& Bounds);
// Every Separator becomes a line break (CR LF).
String ConvertLineSeparators(const String& Text, const String& Separator);
// The fade-in's step: a tenth of the target, at least 1.
Integer HintFadeStep(Byte AlphaBlendValue);
