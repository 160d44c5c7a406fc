// QvFileVersion: reads the fixed part of a file's version resource (file and
// product version, file type, flags, date) with the platform's version calls.
#pragma once

#include <array>

#include "framework/runtime/SysUtils.h"

// Major, minor, release, build.
using TQvNumberVersionInfo = std::array<Integer, 4>;
enum TQvFileType { ftUnknown, ftApplication, ftDLL, ftDriver, ftFont, ftVXD, ftStaticLibrary };

class TQvFileVersion : public TObject {
public:
    // Reads the version resource of AFileName at once. ACharset and
    // ALanguage are kept for string lookups; none is made.
    TQvFileVersion(const String& AFileName, Integer ACharset, Integer ALanguage);
    String ClassName() const override { return u"TQvFileVersion"; }

    const String& FileName() const { return FFileName; }
    const TQvNumberVersionInfo& FileVersion() const { return FFileVersion; }
    const TQvNumberVersionInfo& ProductVersion() const { return FProductVersion; }
    TQvFileType FileType() const { return FFileType; }
    // The resource's date when it has one, else the file's last write time.
    TDateTime DateTime() const { return FDateTime; }
    bool Debug() const { return FDebug; }
    bool Patched() const { return FPatched; }
    bool PreRelease() const { return FPreRelease; }
    bool PrivateBuild() const { return FPrivateBuild; }
    bool InfoInferred() const { return FInfoInferred; }
    bool SpecialBuild() const { return FSpecialBuild; }
    Integer OS() const { return FOS; }
    Integer FileSubType() const { return FFileSubType; }
    Integer Charset() const { return FCharset; }
    Integer Language() const { return FLanguage; }

    // "%d.%d.%d.%d": "0.0.0.0" for a file without a version resource.
    String FileVersionText() const;
    String ProductVersionText() const;

private:
    void ReadVersionInfo();

    String FFileName;
    TQvNumberVersionInfo FFileVersion = {};
    TQvNumberVersionInfo FProductVersion = {};
    TQvFileType FFileType = ftUnknown;
    TDateTime FDateTime = 0;
    bool FDebug = false, FPatched = false, FPreRelease = false, FPrivateBuild = false, FInfoInferred = false,
         FSpecialBuild = false;
    Integer FOS = 0;
    Integer FFileSubType = 0;
    Integer FCharset;
    Integer FLanguage;
};
