// Skins made for the tests (tests/data/skin): a program skin with more in it.
// "FrameObjects" is "Rire" with one more picture of plain colour pieces and a
// description of every kind of frame object a skin can place on a form (track
// bar, switch, gauge, frame gauge, frame regulator, animation, label, bit
// label, caption main-menu item) before the skin's own objects, so that they
// win the hit tests; the caption buttons are left out so that nothing covers
// them, the caption moves to the upper right corner and the lower right half
// of the caption strip holds the caption main menu. The tests tell each look
// by its colour (tests/skin/frame/win/FrameObjectsTestSkin.h).
#pragma once

#include "skin/model/SFSkinData.h"

// The program skin a test skin starts from; null for a name that is no test skin.
const char16_t* TestSkinBase(const String& Name);
// Adds the test skin's pictures and descriptions to its described base skin.
void DescribeTestSkin(const String& Name, TsfSkinData& Skin);
