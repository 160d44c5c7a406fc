// A skin as files and as a ".skn": the skin folder (the INI description
// "skin.ini" beside its BMP pictures) and the packer that turns such a folder
// into the body a stored skin holds (layout version 2: the five fixed pictures
// with their flag bytes, the picture list, the INI text unchanged), compressed
// at zlib's highest level behind the ".skn" header.
#pragma once

#include <cstdint>
#include <vector>

#include "SkinArt.h"
#include "framework/runtime/IniFiles.h"

using TBytes = std::vector<uint8_t>;

// Writes the pictures and the description (CR LF lines, ANSI) into Folder.
void WriteSkinFolder(const String& Folder, const TSkinArt& Art, const TMemIniFile& Ini);

// The ".skn" bytes of the skin whose description is IniFileName. Every named
// picture must be a readable BMP beside it.
TBytes PackSkinFolder(const String& IniFileName);

void WriteBytes(const String& FileName, const TBytes& Bytes);
