#include "framework/runtime/IniFiles.h"

bool TCustomIniFile::TryIniTextToInt(const String& Text, Integer& Value)
{
    if (Text.size() >= 3 && Text[0] == u'0' && (Text[1] == u'x' || Text[1] == u'X')) {
        String digits = Text.substr(2);
        for (Char c : digits)
            if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'))) return false;
        return TryStrToInt(u"$" + digits, Value);
    }
    // The "0x" form is only accepted at the very start.
    for (Char c : Text)
        if (c == u'x' || c == u'X') return false;
    return TryStrToInt(Text, Value);
}

Integer TCustomIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) const
{
    Integer v;
    return TryIniTextToInt(ReadString(Section, Ident, String()), v) ? v : Default;
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? u"1" : u"0");
}

// ---------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& FileName, const TEncoding* Encoding)
    : TCustomIniFile(FileName), FEncoding(Encoding)
{
    LoadValues();
}

void TMemIniFile::LoadValues()
{
    if (!FFileName.empty() && FileExists(FFileName)) {
        TStringList list;
        list.LoadFromFile(FFileName, FEncoding);
        FEncoding = list.Encoding();
        SetStrings(&list);
    } else {
        Clear();
    }
}

void TMemIniFile::Clear()
{
    FSections.clear();
}

void TMemIniFile::SetText(const String& Text)
{
    TStringList list;
    list.SetText(Text);
    SetStrings(&list);
}

void TMemIniFile::SetStrings(const TStrings* List)
{
    Clear();
    TSection* current = nullptr;
    for (Integer i = 0, n = List->Count(); i < n; ++i) {
        String s = Trim(List->Strings(i));
        if (s.empty() || s[0] == u';') continue;
        if (s.size() >= 2 && s.front() == u'[' && s.back() == u']') {
            String name = Trim(s.substr(1, s.size() - 2));
            current = FindSection(name);
            if (current) {
                current->Lines.clear();  // the later occurrence replaces the earlier one
            } else {
                FSections.push_back(TSection{name, {}});
                current = &FSections.back();
            }
            continue;
        }
        if (!current) continue;
        size_t eq = s.find(u'=');
        if (eq == String::npos) current->Lines.push_back(TLine{false, String(), s});
        else current->Lines.push_back(TLine{true, Trim(s.substr(0, eq)), Trim(s.substr(eq + 1))});
    }
}

void TMemIniFile::GetStrings(TStrings* List) const
{
    List->BeginUpdate();
    try {
        List->Clear();
        for (const TSection& sec : FSections) {
            List->Add(u"[" + sec.Name + u"]");
            for (const TLine& l : sec.Lines) List->Add(l.IsEntry ? l.Key + u"=" + l.Value : l.Value);
            List->Add(String());
        }
    } catch (...) {
        List->EndUpdate();
        throw;
    }
    List->EndUpdate();
}

TMemIniFile::TSection* TMemIniFile::FindSection(const String& Section)
{
    for (TSection& s : FSections)
        if (AnsiSameText(s.Name, Section)) return &s;
    return nullptr;
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const String& Section) const
{
    return const_cast<TMemIniFile*>(this)->FindSection(Section);
}

const TMemIniFile::TLine* TMemIniFile::FindKey(const TSection& S, const String& Ident)
{
    for (size_t i = S.Lines.size(); i > 0; --i) {
        const TLine& l = S.Lines[i - 1];
        if (l.IsEntry && AnsiSameText(l.Key, Ident)) return &l;
    }
    return nullptr;
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const
{
    const TSection* s = FindSection(Section);
    if (!s) return Default;
    const TLine* l = FindKey(*s, Ident);
    return l ? l->Value : Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    TSection* s = FindSection(Section);
    if (!s) {
        FSections.push_back(TSection{Section, {}});
        s = &FSections.back();
    }
    if (auto* l = const_cast<TLine*>(FindKey(*s, Ident))) l->Value = Value;
    else s->Lines.push_back(TLine{true, Ident, Value});
}

bool TMemIniFile::SectionExists(const String& Section) const
{
    const TSection* s = FindSection(Section);
    return s && !s->Lines.empty();
}

bool TMemIniFile::ValueExists(const String& Section, const String& Ident) const
{
    const TSection* s = FindSection(Section);
    return s && FindKey(*s, Ident);
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) const
{
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        if (const TSection* s = FindSection(Section)) {
            std::vector<const String*> seen;
            for (const TLine& l : s->Lines) {
                if (!l.IsEntry) continue;
                bool dup = false;
                for (const String* k : seen) dup = dup || AnsiSameText(*k, l.Key);
                if (dup) continue;
                seen.push_back(&l.Key);
                Strings->Add(l.Key);
            }
        }
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* Strings) const
{
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        for (const TSection& s : FSections) Strings->Add(s.Name);
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

void TMemIniFile::EraseSection(const String& Section)
{
    for (auto it = FSections.begin(); it != FSections.end(); ++it)
        if (AnsiSameText(it->Name, Section)) {
            FSections.erase(it);
            return;
        }
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident)
{
    TSection* s = FindSection(Section);
    if (!s) return;
    std::erase_if(s->Lines, [&](const TLine& l) { return l.IsEntry && AnsiSameText(l.Key, Ident); });
}

void TMemIniFile::UpdateFile()
{
    if (FFileName.empty()) return;
    TStringList list;
    GetStrings(&list);
    list.SaveToFile(FFileName, FEncoding);
}

void TMemIniFile::Rename(const String& FileName, bool Reload)
{
    FFileName = FileName;
    if (Reload) LoadValues();
}
