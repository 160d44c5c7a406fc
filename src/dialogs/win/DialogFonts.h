// DialogFonts: the fonts of a dialog in the Chinese interface. On Windows 6
// and later the dialogs write their caption and controls in "微软雅黑" at size
// 9 instead of the skin's caption font and the designed fonts.
#pragma once

#include <initializer_list>

#include "framework/controls/win/Forms.h"

class TsfSkinForm;

// Whether the Chinese dialog fonts apply (language column 0, Windows 6 or later).
bool UseChineseDialogFonts();
// Switches Form, its frame's caption and Controls to the Chinese dialog font
// when it applies; nothing otherwise.
void ApplyDialogFonts(TCustomForm* Form, TsfSkinForm* SkinForm, std::initializer_list<TControl*> Controls);
