// The INI description of a skin, written by the skin model's own description
// classes (so every key is spelt as the readers expect), in the order a skin
// writer emits its sections. Pieces are referred to by name (SkinArt).
#pragma once

#include "SkinArt.h"
#include "framework/runtime/IniFiles.h"

void WriteSkinDescription(const TSkinTheme& Theme, const TSkinArt& Art, TCustomIniFile* Ini);
