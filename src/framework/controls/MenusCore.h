// MenusCore: the portable half of the menus: short cuts (a virtual key with
// Shift, Ctrl and Alt in one word), their texts, and the hotkey ("&") rules
// of captions. Both builds give the same texts for the same keys.
#pragma once

#include "framework/runtime/UITypes.h"

using TShortCut = Word;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// The caption of a separator line and the hotkey mark of a caption.
inline constexpr char16_t cLineCaption[] = u"-";
constexpr Char cHotkeyPrefix = u'&';

// Key (the low byte) with the Ctrl, Shift and Alt states of Shift.
TShortCut ShortCut(Word Key, TShiftState Shift);
// Splits a short cut back into its key and its states.
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);

// "Ctrl+Shift+S", "Alt+F4", "Del": the modifiers in the order Ctrl, Shift,
// Alt, then the key's name. A key without a name gives "".
String ShortCutToText(TShortCut ShortCut);
// The reverse, for every text ShortCutToText writes; modifiers in any order
// and any case. 0 for a text that names no key.
TShortCut TextToShortCut(const String& Text);

// The caption without its hotkey marks ("&&" stays as one "&").
String StripHotkey(const String& Text);
// The hotkey character of a caption (upper case), 0 for none.
Char GetHotkey(const String& Text);
// Whether the caption's hotkey is the key VK (a letter or digit key code, or
// the character itself).
bool IsAccel(Word VK, const String& Str);
