// Fuzz target of the settings tables and their upgrade: the input becomes
// Config.db, Share6.db or Hotkey.db (its first byte chooses), then the
// program starts over it as it does at every start: InitGlobals, the
// step-wise upgrade of the settings, the hotkey slots. Nothing may raise.
#include "FuzzGlobals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    TFuzzPlatform& Platform = FuzzPlatform();
    const String DataFolder = FuzzScratch() / u"Data\\";
    const String BaseFolder = FuzzScratch() / u"AppData\\Quorvan\\";
    ForceDirectories(DataFolder);
    ForceDirectories(BaseFolder);
    DeleteFile(DataFolder + u"Config.db");
    DeleteFile(DataFolder + u"Hotkey.db");
    DeleteFile(BaseFolder + u"Share6.db");
    static const char16_t* const Files[3] = {u"Config.db", u"Hotkey.db", u"Share6.db"};
    const Integer Which = Data[0] % 3;
    FuzzWriteFile((Which == 2 ? BaseFolder : DataFolder) + Files[Which], Data + 1, Size - 1);

    InitGlobals(u"LumatraStd", 5, DataFolder, Platform);
    UpgradeConfigDefaults();
    FuzzCheck(ConfigTable->ItemCount() >= 10, "the settings table lost its rows");
    InitHotkeys(6, ByteSet({0, 2, 5}), {HotkeyAlt, HotkeyCtrl, HotkeyShift}, {'A', 'B', 'C'});
    GetShareCell(u"LumatraStd", 3);
    DoneHotkeys();
    DoneGlobals();
    return 0;
}
