// The program-wide set-up for the fuzz targets of the settings, language and
// preset readers: a platform that answers from memory (its language resource
// is the fuzz input when set) and APPDATA in the process's scratch folder.
#pragma once

#include "FuzzSupport.h"
#include "win/ScopedEnv.h"
#include "foundation/Global.h"

class TFuzzPlatform : public TGlobalPlatform {
public:
    RawByteString Resource;

    String ProgramFileName() override { return FuzzScratch() / u"Program\\Lumatra.exe"; }
    String FileVersionText(const String&) override { return u"5.2.6.0"; }
    String SystemFolder() override { return FuzzScratch() / u"System\\"; }
    String ShellAppDataFolder() override { return String(); }
    String OSVersionText() override { return u"617601"; }
    void AllowDropAndCopyData() override {}
    std::unique_ptr<TStream> OpenResource(const String&) override
    {
        auto Stream = std::make_unique<TMemoryStream>();
        if (!Resource.empty()) Stream->WriteBuffer(Resource.data(), static_cast<Integer>(Resource.size()));
        Stream->SetPosition(0);
        return Stream;
    }
    Word FindOrAddAtom(const String&) override { return ++FAtom; }
    void DeleteAtom(Word) override {}
    bool RegisterHotKey(Word, Integer, Integer Key) override { return Key % 3 != 0; }
    void UnregisterHotKey(Word) override {}
    void ShowInfoMsg(const String&, const String&) override {}

private:
    Word FAtom = 0xC000;
};

// The platform, with APPDATA and TEMP pointing into the scratch folder.
inline TFuzzPlatform& FuzzPlatform()
{
    static const TScopedEnv AppData(u"APPDATA", FuzzScratch() / u"AppData");
    static const TScopedEnv Temp(u"TEMP", FuzzScratch() / u"Temp");
    static TFuzzPlatform Platform;
    ForceDirectories(FuzzScratch() / u"AppData");
    ForceDirectories(FuzzScratch() / u"Temp");
    return Platform;
}
