#include "framework/runtime/win/IniFiles_Win.h"

#include "framework/runtime/win/WinPlatform.h"

namespace {

// Calls Get(buffer, size) with a growing buffer until the text fits; Slack is
// how far below the size a complete result ends (1 for a string, 2 for a list).
template <class F>
std::wstring ReadGrowing(F Get, DWORD Slack)
{
    std::wstring buf(2048, L'\0');
    for (;;) {
        DWORD n = Get(buf.data(), static_cast<DWORD>(buf.size()));
        if (n + Slack < buf.size() || buf.size() >= (1u << 26)) {
            buf.resize(n);
            return buf;
        }
        buf.assign(buf.size() * 4, L'\0');
    }
}

void SplitList(const std::wstring& List, TStrings* Strings)
{
    Strings->BeginUpdate();
    Strings->Clear();
    for (size_t p = 0; p < List.size();) {
        size_t e = List.find(L'\0', p);
        if (e == std::wstring::npos) e = List.size();
        if (e > p) Strings->Add(FromWStr(List.substr(p, e - p).c_str()));
        p = e + 1;
    }
    Strings->EndUpdate();
}

}  // namespace

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const
{
    std::wstring r = ReadGrowing(
        [&](wchar_t* b, DWORD n) {
            return GetPrivateProfileStringW(WStr(Section), WStr(Ident), WStr(Default), b, n, WStr(FFileName));
        },
        1);
    return FromWStr(r.c_str());
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    if (!WritePrivateProfileStringW(WStr(Section), WStr(Ident), WStr(Value), WStr(FFileName)))
        throw EIniFileException(u"Unable to write to " + FFileName);
}

bool TIniFile::SectionExists(const String& Section) const
{
    std::wstring r = ReadGrowing(
        [&](wchar_t* b, DWORD n) { return GetPrivateProfileSectionW(WStr(Section), b, n, WStr(FFileName)); }, 2);
    return !r.empty();
}

bool TIniFile::ValueExists(const String& Section, const String& Ident) const
{
    TStringList keys;
    ReadSection(Section, &keys);
    return keys.IndexOf(Ident) >= 0;
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings) const
{
    std::wstring r = ReadGrowing(
        [&](wchar_t* b, DWORD n) {
            return GetPrivateProfileStringW(WStr(Section), nullptr, nullptr, b, n, WStr(FFileName));
        },
        2);
    SplitList(r, Strings);
}

void TIniFile::ReadSections(TStrings* Strings) const
{
    std::wstring r = ReadGrowing(
        [&](wchar_t* b, DWORD n) { return GetPrivateProfileSectionNamesW(b, n, WStr(FFileName)); }, 2);
    SplitList(r, Strings);
}

void TIniFile::EraseSection(const String& Section)
{
    if (!WritePrivateProfileStringW(WStr(Section), nullptr, nullptr, WStr(FFileName)))
        throw EIniFileException(u"Unable to write to " + FFileName);
}

void TIniFile::DeleteKey(const String& Section, const String& Ident)
{
    WritePrivateProfileStringW(WStr(Section), WStr(Ident), nullptr, WStr(FFileName));
}

void TIniFile::UpdateFile()
{
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, WStr(FFileName));
}
