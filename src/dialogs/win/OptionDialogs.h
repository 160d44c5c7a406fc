// OptionDialogs: what the save-option dialogs share: their skinned frame on
// the main window's skin, the group box, the two buttons, and the Chinese
// interface's font on systems that have it.
#pragma once

#include "framework/controls/win/Forms.h"

class TsfSkinButton;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;

struct TOptionDialogParts {
    TsfSkinForm* SkinForm;
    TsfSkinPanel* Group;
    TsfSkinButton* Save;
    TsfSkinButton* Cancel;
};
// Frames Form (client ClientW x ClientH) on SkinData, adds the group box
// above and the Save (default) and Cancel buttons below it.
TOptionDialogParts MakeOptionDialog(TForm& Form, TsfSkinData* SkinData, Integer ClientW, Integer ClientH,
                                    Integer GroupH);
// In a Chinese interface on version 6 systems and later: the form's, the
// controls' and the caption's font become the system's Chinese UI face.
void ApplyChineseDialogFont(TForm& Form, TsfSkinForm& SkinForm);
