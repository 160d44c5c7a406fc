// A skin as files and as a ".skn": the model writes the skin folder (the INI
// description "skin.ini" beside its BMP pictures), and a stored skin built from
// that folder writes the ".skn" (the program's own container writer).
#pragma once

#include <cstdint>
#include <vector>

#include "skin/model/SFSkinData.h"

using TBytes = std::vector<uint8_t>;

// Writes the description and pictures of Skin into Folder (with its separator)
// and returns the ".skn" bytes packed from them.
TBytes StoreAndPackSkin(const TsfSkinData& Skin, const String& Folder);

void WriteBytes(const String& FileName, const TBytes& Bytes);
