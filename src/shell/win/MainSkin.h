// MainSkin: the skin of every window of the program, held by the main window:
// the built-in skin "Rire" carried by the program file, the others read from
// "Skin\<name>.skn" beside it, and which one is in use.
#pragma once

#include "framework/runtime/Classes.h"

class TsfCompressedStoredSkin;
class TsfSkinData;
class TRow;

class TMainSkin {
public:
    // SkinData: the main window's skin model. The built-in skin is read from
    // the program's resource "Rire" (none in a program without it).
    TMainSkin(TComponent* Owner, TsfSkinData* SkinData);
    TMainSkin(const TMainSkin&) = delete;
    TMainSkin& operator=(const TMainSkin&) = delete;

    // Loads the skin of that name (a row of the skins table, any case) and
    // records it as the program's skin; a name not in the table does
    // nothing. A skin that cannot be read leaves the current one in place.
    void LoadSkin(const String& Name);
    // The row of the skin in use in the skins table, -1 before any.
    Integer SkinIndex() const { return FSkinIndex; }

    TsfCompressedStoredSkin* sfCompressedStoredSkin1 = nullptr;

private:
    TsfSkinData* FSkinData;
    Integer FSkinIndex = -1;
};
