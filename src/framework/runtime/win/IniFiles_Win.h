// IniFiles_Win: TIniFile, an INI file read and written through the Windows
// profile API (each call goes to the file; the system caches and trims).
#pragma once

#include "framework/runtime/IniFiles.h"

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const String& FileName) : TCustomIniFile(FileName) {}
    String ClassName() const override { return u"TIniFile"; }
    String ReadString(const String& Section, const String& Ident, const String& Default) const override;
    // Raises EIniFileException "Unable to write to <file>" when the system refuses.
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    bool SectionExists(const String& Section) const override;  // holds at least one line
    bool ValueExists(const String& Section, const String& Ident) const override;
    void ReadSection(const String& Section, TStrings* Strings) const override;
    void ReadSections(TStrings* Strings) const override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    void UpdateFile() override;  // flushes the system's cache of the file
};
