#include "skin/model/SFIniCodecs.h"

#include <algorithm>
#include <array>

namespace {

// The digits of each comma-separated part, the first Count parts only.
template <size_t Count>
std::array<String, Count> DigitParts(const String& Text)
{
    std::array<String, Count> parts;
    size_t n = 0;
    for (Char c : Text) {
        if (c == u',') ++n;
        else if (c >= u'0' && c <= u'9' && n < Count) parts[n] += c;
    }
    return parts;
}

constexpr const char16_t* FontStyleWords[] = {u"fsbold", u"fsitalic", u"fsunderline", u"fsstrikeout"};

}  // namespace

TRect ParseRectText(const String& Text)
{
    const auto parts = DigitParts<4>(Text);
    TRect r;
    // Converted last part first, so the error names the first bad part from the end.
    r.Bottom = StrToInt(parts[3]);
    r.Right = StrToInt(parts[2]);
    r.Top = StrToInt(parts[1]);
    r.Left = StrToInt(parts[0]);
    return r;
}

TPoint ParsePointText(const String& Text)
{
    const auto parts = DigitParts<2>(Text);
    TPoint p;
    p.Y = StrToInt(parts[1]);
    p.X = StrToInt(parts[0]);
    return p;
}

String RectToText(const TRect& Rect)
{
    return IntToStr(Rect.Left) + u"," + IntToStr(Rect.Top) + u"," + IntToStr(Rect.Right) + u"," +
           IntToStr(Rect.Bottom);
}

String PointToText(const TPoint& Point)
{
    return IntToStr(Point.X) + u"," + IntToStr(Point.Y);
}

void ReadRect(const TCustomIniFile* IniFile, const String& Section, const String& Ident, TRect& Rect)
{
    Rect = ParseRectText(IniFile->ReadString(Section, Ident, u"0,0,0,0"));
}

void ReadPoint(const TCustomIniFile* IniFile, const String& Section, const String& Ident, TPoint& Point)
{
    Point = ParsePointText(IniFile->ReadString(Section, Ident, u"0,0"));
}

bool ReadBoolean(const TCustomIniFile* IniFile, const String& Section, const String& Ident)
{
    return IniFile->ReadInteger(Section, Ident, 0) == 1;
}

TFontStyles ReadFontStyles(const TCustomIniFile* IniFile, const String& Section, const String& Ident)
{
    const String value = IniFile->ReadString(Section, Ident, String());
    TFontStyles styles = 0;
    for (size_t i = 0; i < std::size(FontStyleWords); ++i)
        if (value.find(FontStyleWords[i]) != String::npos) styles |= static_cast<TFontStyles>(1 << i);
    return styles;
}

TAlignment ReadAlignment(const TCustomIniFile* IniFile, const String& Section, const String& Ident)
{
    return static_cast<TAlignment>(ReadSkinWord(IniFile, Section, Ident, SkinWordsOf(TAlignment{})));
}

TsfStretchType ReadStretchType(const TCustomIniFile* IniFile, const String& Section, const String& Ident)
{
    return static_cast<TsfStretchType>(ReadSkinWord(IniFile, Section, Ident, SkinWordsOf(TsfStretchType{})));
}

TMorphKind ReadMorphKind(const TCustomIniFile* IniFile, const String& Section, const String& Ident)
{
    return static_cast<TMorphKind>(ReadSkinWord(IniFile, Section, Ident, SkinWordsOf(TMorphKind{})));
}

TsfInActiveEffect ReadInActiveEffect(const TCustomIniFile* IniFile, const String& Section, const String& Ident)
{
    return static_cast<TsfInActiveEffect>(ReadSkinWord(IniFile, Section, Ident, SkinWordsOf(TsfInActiveEffect{})));
}

void ReadTextLines(const TCustomIniFile* IniFile, const String& Section, const String& Ident, TStrings* Strings)
{
    const Integer count = std::min(IniFile->ReadInteger(Section, Ident + u"linecount", 0), MaxSkinListCount);
    for (Integer i = 0; i < count; ++i) Strings->Add(IniFile->ReadString(Section, Ident + u"line" + IntToStr(i), String()));
}

void ReadIndexedList(const TCustomIniFile* IniFile, const String& Section, const String& Ident, TStrings* Strings)
{
    const Integer count = std::min(IniFile->ReadInteger(Section, Ident + u"count", 0), MaxSkinListCount);
    for (Integer i = 0; i < count; ++i) Strings->Add(IniFile->ReadString(Section, IntToStr(i), String()));
}

void WriteRect(TCustomIniFile* IniFile, const String& Section, const String& Ident, const TRect& Rect)
{
    IniFile->WriteString(Section, Ident, RectToText(Rect));
}

void WritePoint(TCustomIniFile* IniFile, const String& Section, const String& Ident, const TPoint& Point)
{
    IniFile->WriteString(Section, Ident, PointToText(Point));
}

void WriteBoolean(TCustomIniFile* IniFile, const String& Section, const String& Ident, bool Flag)
{
    IniFile->WriteInteger(Section, Ident, Flag ? 1 : 0);
}

void WriteFontStyles(TCustomIniFile* IniFile, const String& Section, const String& Ident, TFontStyles Styles)
{
    String value;
    for (size_t i = 0; i < std::size(FontStyleWords); ++i) {
        if (!(Styles & (1 << i))) continue;
        if (!value.empty()) value += u',';
        value += FontStyleWords[i];
    }
    IniFile->WriteString(Section, Ident, value);
}

void WriteAlignment(TCustomIniFile* IniFile, const String& Section, const String& Ident, TAlignment Alignment)
{
    WriteSkinWord(IniFile, Section, Ident, SkinWordsOf(TAlignment{}), Alignment);
}

void WriteStretchType(TCustomIniFile* IniFile, const String& Section, const String& Ident, TsfStretchType Value)
{
    WriteSkinWord(IniFile, Section, Ident, SkinWordsOf(TsfStretchType{}), Value);
}

void WriteMorphKind(TCustomIniFile* IniFile, const String& Section, const String& Ident, TMorphKind Value)
{
    WriteSkinWord(IniFile, Section, Ident, SkinWordsOf(TMorphKind{}), Value);
}

void WriteInActiveEffect(TCustomIniFile* IniFile, const String& Section, const String& Ident, TsfInActiveEffect Value)
{
    WriteSkinWord(IniFile, Section, Ident, SkinWordsOf(TsfInActiveEffect{}), Value);
}

void WriteTextLines(TCustomIniFile* IniFile, const String& Section, const String& Ident, const TStrings* Strings)
{
    IniFile->WriteInteger(Section, Ident + u"linecount", Strings->Count());
    for (Integer i = 0; i < Strings->Count(); ++i)
        IniFile->WriteString(Section, Ident + u"line" + IntToStr(i), Strings->Strings(i));
}

void WriteIndexedList(TCustomIniFile* IniFile, const String& Section, const String& Ident, const TStrings* Strings)
{
    IniFile->WriteInteger(Section, Ident + u"count", Strings->Count());
    for (Integer i = 0; i < Strings->Count(); ++i) IniFile->WriteString(Section, IntToStr(i), Strings->Strings(i));
}

bool IsSkinIniFile(const TCustomIniFile* IniFile)
{
    for (const char16_t* section : {u"VERSION", u"PICTURES", u"FORMINFO", u"SKINOBJECTS", u"SKINCONTROLS"})
        if (!IniFile->SectionExists(section)) return false;
    return true;
}

// ---------------------------------------------------------------------------

const TSkinWords& SkinWordsOf(TsfStretchType)
{
    static const TSkinWords w{{u"stfull", u"sthorz", u"stvert"}, sfstFull, sfstHorz};
    return w;
}

const TSkinWords& SkinWordsOf(TMorphKind)
{
    static const TSkinWords w{{u"mkdefault", u"mkgradient", u"mkleftgradient", u"mkrightgradient", u"mkleftslide",
                               u"mkrightslide", u"mkpush"},
                              mkDefault,
                              mkDefault};
    return w;
}

const TSkinWords& SkinWordsOf(TsfInActiveEffect)
{
    static const TSkinWords w{
        {u"iebrightness", u"iedarkness", u"iegrayscale", u"ienoise", u"iesplitblur", u"ieinvert"},
        ieBrightness,
        ieGrayScale};
    return w;
}

const TSkinWords& SkinWordsOf(TAlignment)
{
    static const TSkinWords w{{u"taleftjustify", u"tarightjustify", u"tacenter"}, taCenter, taRightJustify};
    return w;
}

const TSkinWords& SkinWordsOf(TFramesPlacement)
{
    static const TSkinWords w{{u"fphorizontal", u"fpvertical"}, fpHorizontal, fpVertical};
    return w;
}

const TSkinWords& SkinWordsOf(TRegulatorKind)
{
    static const TSkinWords w{{u"rkround", u"rkhorizontal", u"rkvertical"}, rkRound, rkVertical};
    return w;
}

const TSkinWords& SkinWordsOf(TGaugeKind)
{
    static const TSkinWords w{{u"gkhorizontal", u"gkvertical"}, gkHorizontal, gkVertical};
    return w;
}

const TSkinWords& SkinWordsOf(TStdCommand)
{
    static const TSkinWords w{{u"cmclose", u"cmmaximize", u"cmminimize", u"cmsysmenu", u"cmdefault", u"cmrollup",
                               u"cmminimizetotray"},
                              cmDefault,
                              cmMinimizeToTray};
    return w;
}

Byte ReadSkinWord(const TCustomIniFile* IniFile, const String& Section, const String& Ident, const TSkinWords& Words)
{
    const String value = IniFile->ReadString(Section, Ident, Words.Words.begin()[Words.Absent]);
    Byte i = 0;
    for (const char16_t* word : Words.Words) {
        if (value == word) return i;
        ++i;
    }
    return Words.Other;
}

void WriteSkinWord(TCustomIniFile* IniFile, const String& Section, const String& Ident, const TSkinWords& Words,
                   Byte Value)
{
    // A value outside the enumeration (never made by a reader) writes the word of "any other text".
    const Byte v = Value < Words.Words.size() ? Value : Words.Other;
    IniFile->WriteString(Section, Ident, Words.Words.begin()[v]);
}

// ---------------------------------------------------------------------------

void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer Default, const String&,
                   Integer& V)
{
    V = F->ReadInteger(S, K, Default);
}

void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, bool& V)
{
    V = ReadBoolean(F, S, K);
}

void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String& TextDefault,
                   String& V)
{
    V = F->ReadString(S, K, TextDefault);
}

void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, TRect& V)
{
    ReadRect(F, S, K, V);
}

void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, TPoint& V)
{
    ReadPoint(F, S, K, V);
}

void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, TFontStyles& V)
{
    V = ReadFontStyles(F, S, K);
}

void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, TStringList& V)
{
    ReadTextLines(F, S, K, &V);
}

void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, Integer V)
{
    F->WriteInteger(S, K, V);
}

void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, bool V)
{
    WriteBoolean(F, S, K, V);
}

void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, const String& V)
{
    F->WriteString(S, K, V);
}

void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, const TRect& V)
{
    WriteRect(F, S, K, V);
}

void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, const TPoint& V)
{
    WritePoint(F, S, K, V);
}

void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, TFontStyles V)
{
    WriteFontStyles(F, S, K, V);
}

void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, const TStringList& V)
{
    WriteTextLines(F, S, K, &V);
}
