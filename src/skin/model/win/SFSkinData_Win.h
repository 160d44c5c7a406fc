// SFSkinData_Win: the Windows part of the skin model: the skin messages sent
// to the forms, JPEG skin pictures, and skin cursors in the screen's table.
#pragma once

#include "skin/model/SFSkinData.h"

// The program's start-up call (after the skin kernels).
void InstallSkinDataWin();

// The broadcast: the owner form first (when the model belongs to a form and
// layered borders are off), then the forms of Screen in their order (in
// reverse when layered borders with a picture are on), never a layered
// border window; each receiver handles the message before the next gets it.
void SendSkinDataToForms(TsfSkinData* SkinData, Integer Msg);
