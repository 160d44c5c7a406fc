#include "SkinPack.h"

#include "skin/model/SFCompressedSkin.h"

void WriteBytes(const String& FileName, const TBytes& Bytes)
{
    SaveFileAtomically(FileName, [&](TStream* S) {
        if (!Bytes.empty()) S->WriteBuffer(Bytes.data(), Integer(Bytes.size()));
    });
}

TBytes StoreAndPackSkin(const TsfSkinData& Skin, const String& Folder)
{
    const String IniFile = Folder + u"skin.ini";
    // A folder made afresh: a description written over an older one would keep
    // the older one's sections the new skin no longer has.
    DeleteFile(IniFile);
    Skin.StoreToDisk(IniFile);
    TsfCompressedStoredSkin Stored(nullptr);
    Stored.LoadFromIniFile(IniFile);
    if (Stored.Empty()) throw Exception(IniFile + u": not a skin description");
    TMemoryStream Skn;
    Stored.SaveToCompressStream(&Skn);
    const auto* P = static_cast<const uint8_t*>(Skn.Memory());
    return TBytes(P, P + Skn.Size());
}
