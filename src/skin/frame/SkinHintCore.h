// SkinHintCore: the window-system-free arithmetic of the skinned hint: how far
// below the cursor's hot spot its mask ends, so the hint opens under the cursor.
#pragma once

#include <cstddef>

#include "framework/runtime/Types.h"

// Distance in scan lines from the hot spot to the last non-transparent line of a
// 1-bit cursor mask held bottom-up (as a DIB): the AND mask, or with a mask at
// least twice as tall as wide (AND over XOR) the XOR part when the AND part is
// all transparent. Size is the bytes really held; every read stays within them.
// Default when the mask is empty or shorter than its stated size.
Integer CursorMaskMargin(const Byte* Bits, std::size_t Size, Integer Width, Integer Height, Integer HotSpotY,
                         Integer Default);
