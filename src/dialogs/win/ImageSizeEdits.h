// ImageSizeEdits: what the new-image, canvas and image-size dialogs share:
// placing their controls, the size edits in the format of a unit, the unit
// list, the conversion of the shown size on a unit change, and the colour
// button whose drop-down the main window's shared handlers follow.
#pragma once

#include <functional>

#include "framework/controls/win/Controls.h"

class TLabel;
class TMainWindowServices;
class TsfSkinColorButton;
class TsfSkinComboBox;
class TsfSkinNumericEdit;

template <class T>
T* Placed(T* C, TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H)
{
    C->SetParent(Parent);
    C->SetBounds(X, Y, W, H);
    return C;
}
TLabel* PlacedLabel(TComponent* Owner, TWinControl* Parent, Integer X, Integer Y, const String& Caption);

// The edit takes the unit's format: whole numbers or its decimals, its range.
void FormatSizeEdit(TsfSkinNumericEdit* Edit, Integer Unit);
// The three unit names.
void FillUnitList(TsfSkinComboBox* List);
// The edits get the format of unit To, then show their values converted
// from unit From.
void ConvertSizeEdits(TsfSkinNumericEdit* Width, TsfSkinNumericEdit* Height, Integer From, Integer To);
// The colour button's drop-down and colour dialog go to the main window's
// shared handlers when there is a main window.
void BindColorButton(TsfSkinColorButton* Button, TMainWindowServices* Services);

// An information box captioned with the application title; a test puts
// its own in place.
using TInfoMessage = std::function<void(const String& Text)>;
TInfoMessage DefaultInfoMessage();
// The platform's open dialog for a picture file from InitialDir; empty when cancelled.
using TChooseFile = std::function<String(const String& InitialDir)>;
TChooseFile DefaultChoosePicture();
