// IniFiles: INI sources. TCustomIniFile is what readers and writers see;
// TMemIniFile holds the whole text in memory (the profile-API TIniFile is in
// IniFiles_Win).
#pragma once

#include <vector>

#include "framework/runtime/Classes.h"

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}
    String ClassName() const override { return u"TCustomIniFile"; }
    const String& FileName() const { return FFileName; }

    virtual String ReadString(const String& Section, const String& Ident, const String& Default) const = 0;
    virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
    // "0x"/"0X" followed by hexadecimal digits, else a signed decimal (leading
    // blanks allowed) or "$" hexadecimal; anything else gives Default.
    virtual Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const;
    virtual void WriteInteger(const String& Section, const String& Ident, Integer Value);
    // Any integer but 0 is true; written as "1" or "0".
    virtual bool ReadBool(const String& Section, const String& Ident, bool Default) const;
    virtual void WriteBool(const String& Section, const String& Ident, bool Value);
    virtual bool SectionExists(const String& Section) const = 0;
    virtual bool ValueExists(const String& Section, const String& Ident) const = 0;
    // Replace the list's contents with the keys of Section / the section names.
    virtual void ReadSection(const String& Section, TStrings* Strings) const = 0;
    virtual void ReadSections(TStrings* Strings) const = 0;
    virtual void EraseSection(const String& Section) = 0;
    virtual void DeleteKey(const String& Section, const String& Ident) = 0;
    // Writes pending changes to the file.
    virtual void UpdateFile() = 0;

    // The integer rule of ReadInteger on a text.
    static bool TryIniTextToInt(const String& Text, Integer& Value);

protected:
    String FFileName;
};

// An INI text in memory. Reading rules: each line is trimmed; empty lines and
// lines starting with ";" are dropped; "[name]" opens a section (name trimmed);
// lines before the first section are dropped; in a section "key=value" splits at
// the first "=" (both trimmed) and a line without "=" is kept but matches no key.
// Sections and keys compare without case. A section given twice keeps only its
// later occurrence's lines; a key given twice reads its later value.
class TMemIniFile : public TCustomIniFile {
public:
    // Loads FileName when it exists (encoding by byte-order mark, else Encoding,
    // else the ANSI code page). An empty name gives an empty INI in memory.
    explicit TMemIniFile(const String& FileName, const TEncoding* Encoding = nullptr);
    String ClassName() const override { return u"TMemIniFile"; }

    String ReadString(const String& Section, const String& Ident, const String& Default) const override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    bool SectionExists(const String& Section) const override;
    bool ValueExists(const String& Section, const String& Ident) const override;
    void ReadSection(const String& Section, TStrings* Strings) const override;
    void ReadSections(TStrings* Strings) const override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Writes the text to FileName (nothing when the name is empty).
    void UpdateFile() override;

    void Clear();
    void SetStrings(const TStrings* List);
    void GetStrings(TStrings* List) const;
    void SetText(const String& Text);
    void Rename(const String& FileName, bool Reload);
    const TEncoding* Encoding() const { return FEncoding; }
    void SetEncoding(const TEncoding* Value) { FEncoding = Value; }

private:
    struct TLine {
        bool IsEntry;
        String Key;    // entries
        String Value;  // entries; the whole line otherwise
    };
    struct TSection {
        String Name;
        std::vector<TLine> Lines;
    };
    TSection* FindSection(const String& Section);
    const TSection* FindSection(const String& Section) const;
    static const TLine* FindKey(const TSection& S, const String& Ident);
    void LoadValues();

    std::vector<TSection> FSections;
    const TEncoding* FEncoding = nullptr;
};
