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

namespace {
template <class E>
void ReadWord(const TCustomIniFile* F, const String& S, const String& K, void* Field)
{
    *static_cast<E*>(Field) = static_cast<E>(ReadSkinWord(F, S, K, SkinWordsOf(E{})));
}
template <class E>
void WriteWord(TCustomIniFile* F, const String& S, const String& K, const void* Field)
{
    WriteSkinWord(F, S, K, SkinWordsOf(E{}), static_cast<Byte>(*static_cast<const E*>(Field)));
}
}  // namespace

void ReadSkinField(const TCustomIniFile* F, const String& S, const char16_t* Key, TSkinCodec Codec, Integer Default,
                   const char16_t* TextDefault, void* Field)
{
    const String K = Key;
    switch (Codec) {
    case TSkinCodec::Integer: *static_cast<Integer*>(Field) = F->ReadInteger(S, K, Default); break;
    case TSkinCodec::Boolean: *static_cast<bool*>(Field) = ReadBoolean(F, S, K); break;
    case TSkinCodec::Text: *static_cast<String*>(Field) = F->ReadString(S, K, TextDefault); break;
    case TSkinCodec::Rect: ReadRect(F, S, K, *static_cast<TRect*>(Field)); break;
    case TSkinCodec::Point: ReadPoint(F, S, K, *static_cast<TPoint*>(Field)); break;
    case TSkinCodec::FontStyles: *static_cast<TFontStyles*>(Field) = ReadFontStyles(F, S, K); break;
    case TSkinCodec::Lines: ReadTextLines(F, S, K, static_cast<TStringList*>(Field)); break;
    case TSkinCodec::Alignment: ReadWord<TAlignment>(F, S, K, Field); break;
    case TSkinCodec::StretchType: ReadWord<TsfStretchType>(F, S, K, Field); break;
    case TSkinCodec::InActiveEffect: ReadWord<TsfInActiveEffect>(F, S, K, Field); break;
    case TSkinCodec::MorphKind: ReadWord<TMorphKind>(F, S, K, Field); break;
    case TSkinCodec::FramesPlacement: ReadWord<TFramesPlacement>(F, S, K, Field); break;
    case TSkinCodec::RegulatorKind: ReadWord<TRegulatorKind>(F, S, K, Field); break;
    case TSkinCodec::GaugeKind: ReadWord<TGaugeKind>(F, S, K, Field); break;
    case TSkinCodec::StdCommand: ReadWord<TStdCommand>(F, S, K, Field); break;
    }
}

void WriteSkinField(TCustomIniFile* F, const String& S, const char16_t* Key, TSkinCodec Codec, const void* Field)
{
    const String K = Key;
    switch (Codec) {
    case TSkinCodec::Integer: F->WriteInteger(S, K, *static_cast<const Integer*>(Field)); break;
    case TSkinCodec::Boolean: WriteBoolean(F, S, K, *static_cast<const bool*>(Field)); break;
    case TSkinCodec::Text: F->WriteString(S, K, *static_cast<const String*>(Field)); break;
    case TSkinCodec::Rect: WriteRect(F, S, K, *static_cast<const TRect*>(Field)); break;
    case TSkinCodec::Point: WritePoint(F, S, K, *static_cast<const TPoint*>(Field)); break;
    case TSkinCodec::FontStyles: WriteFontStyles(F, S, K, *static_cast<const TFontStyles*>(Field)); break;
    case TSkinCodec::Lines: WriteTextLines(F, S, K, static_cast<const TStringList*>(Field)); break;
    case TSkinCodec::Alignment: WriteWord<TAlignment>(F, S, K, Field); break;
    case TSkinCodec::StretchType: WriteWord<TsfStretchType>(F, S, K, Field); break;
    case TSkinCodec::InActiveEffect: WriteWord<TsfInActiveEffect>(F, S, K, Field); break;
    case TSkinCodec::MorphKind: WriteWord<TMorphKind>(F, S, K, Field); break;
    case TSkinCodec::FramesPlacement: WriteWord<TFramesPlacement>(F, S, K, Field); break;
    case TSkinCodec::RegulatorKind: WriteWord<TRegulatorKind>(F, S, K, Field); break;
    case TSkinCodec::GaugeKind: WriteWord<TGaugeKind>(F, S, K, Field); break;
    case TSkinCodec::StdCommand: WriteWord<TStdCommand>(F, S, K, Field); break;
    }
}
