// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the test ends.
#pragma once

#include <random>

#include "framework/runtime/SysUtils.h"

class TTempFolder {
public:
    explicit TTempFolder(const String& Prefix = u"lm_fdn_")
    {
        std::random_device Device;
        FPath = GetTempDirectory() + Prefix + IntToStr(Device() % 100000000) + u"\\";
        ForceDirectories(FPath);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder() { RemoveTree(FPath); }

    // The folder, with a trailing backslash.
    const String& Path() const { return FPath; }
    String operator/(const String& Name) const { return FPath + Name; }

    static void RemoveTree(const String& Folder)
    {
        TSearchRec F;
        if (FindFirst(Folder + u"*", faAnyFile, F) == 0) {
            do {
                if (F.Name == u"." || F.Name == u"..") continue;
                if (F.Attr & faDirectory)
                    RemoveTree(Folder + F.Name + u"\\");
                else
                    DeleteFile(Folder + F.Name);
            } while (FindNext(F) == 0);
            FindClose(F);
        }
        RemoveDir(ExcludeTrailingPathDelimiter(Folder));
    }

private:
    String FPath;
};
