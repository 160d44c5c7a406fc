// SFIniCodecs: the value codecs of the skin description text (rectangles,
// points, 0/1 flags, font styles, enumeration words, text lines, indexed lists),
// the test that an INI source is a skin description, and the key tables from
// which every description class reads and writes its section. Portable.
#pragma once

#include <initializer_list>
#include <memory>
#include <type_traits>

#include "framework/runtime/IniFiles.h"
#include "framework/runtime/Types.h"
#include "framework/runtime/UITypes.h"
#include "skin/model/SFTypes.h"

// ---------------------------------------------------------------------------
// Rectangles and points: every character but the ten digits and "," is
// dropped, so signs vanish; a part without a digit (or beyond 32 bits) raises
// EConvertError naming the part, the last part first.
TRect ParseRectText(const String& Text);
TPoint ParsePointText(const String& Text);
String RectToText(const TRect& Rect);
String PointToText(const TPoint& Point);

void ReadRect(const TCustomIniFile* IniFile, const String& Section, const String& Ident, TRect& Rect);
void ReadPoint(const TCustomIniFile* IniFile, const String& Section, const String& Ident, TPoint& Point);
// True only for an integer value equal to 1 ("1", "01", "0x1").
bool ReadBoolean(const TCustomIniFile* IniFile, const String& Section, const String& Ident);
// Each style is set when its word occurs anywhere in the value (case-sensitive).
TFontStyles ReadFontStyles(const TCustomIniFile* IniFile, const String& Section, const String& Ident);
TAlignment ReadAlignment(const TCustomIniFile* IniFile, const String& Section, const String& Ident);
TsfStretchType ReadStretchType(const TCustomIniFile* IniFile, const String& Section, const String& Ident);
TMorphKind ReadMorphKind(const TCustomIniFile* IniFile, const String& Section, const String& Ident);
TsfInActiveEffect ReadInActiveEffect(const TCustomIniFile* IniFile, const String& Section, const String& Ident);
// Append (never clear): Ident + "linecount" lines under Ident + "line" + i, and
// Ident + "count" entries under the bare index.
void ReadTextLines(const TCustomIniFile* IniFile, const String& Section, const String& Ident, TStrings* Strings);
void ReadIndexedList(const TCustomIniFile* IniFile, const String& Section, const String& Ident, TStrings* Strings);

void WriteRect(TCustomIniFile* IniFile, const String& Section, const String& Ident, const TRect& Rect);
void WritePoint(TCustomIniFile* IniFile, const String& Section, const String& Ident, const TPoint& Point);
void WriteBoolean(TCustomIniFile* IniFile, const String& Section, const String& Ident, bool Flag);
void WriteFontStyles(TCustomIniFile* IniFile, const String& Section, const String& Ident, TFontStyles Styles);
void WriteAlignment(TCustomIniFile* IniFile, const String& Section, const String& Ident, TAlignment Alignment);
void WriteStretchType(TCustomIniFile* IniFile, const String& Section, const String& Ident, TsfStretchType Value);
void WriteMorphKind(TCustomIniFile* IniFile, const String& Section, const String& Ident, TMorphKind Value);
void WriteInActiveEffect(TCustomIniFile* IniFile, const String& Section, const String& Ident, TsfInActiveEffect Value);
void WriteTextLines(TCustomIniFile* IniFile, const String& Section, const String& Ident, const TStrings* Strings);
void WriteIndexedList(TCustomIniFile* IniFile, const String& Section, const String& Ident, const TStrings* Strings);

// "VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS" and "SKINCONTROLS" all exist.
bool IsSkinIniFile(const TCustomIniFile* IniFile);

// A count of text lines or list entries above this is taken as this: a hostile
// count of two billion would otherwise make as many empty lines. No skin comes
// near it (the built-in one lists 90 controls).
constexpr Integer MaxSkinListCount = 10000;

// ---------------------------------------------------------------------------
// Enumeration words: the words in value order, the value of a missing key and
// the value of any other text. Compared exactly.
struct TSkinWords {
    std::initializer_list<const char16_t*> Words;
    Byte Absent;
    Byte Other;
};
// The words of each enumeration, chosen by the type of the (ignored) argument.
const TSkinWords& SkinWordsOf(TsfStretchType);
const TSkinWords& SkinWordsOf(TMorphKind);
const TSkinWords& SkinWordsOf(TsfInActiveEffect);
const TSkinWords& SkinWordsOf(TAlignment);
const TSkinWords& SkinWordsOf(TFramesPlacement);
const TSkinWords& SkinWordsOf(TRegulatorKind);
const TSkinWords& SkinWordsOf(TGaugeKind);
const TSkinWords& SkinWordsOf(TStdCommand);

Byte ReadSkinWord(const TCustomIniFile* IniFile, const String& Section, const String& Ident, const TSkinWords& Words);
void WriteSkinWord(TCustomIniFile* IniFile, const String& Section, const String& Ident, const TSkinWords& Words, Byte Value);

// ---------------------------------------------------------------------------
// Key tables. A description class lists its keys once, in the order its writer
// emits them: the key, the field, and the default of an integer (or colour) or
// text key; every other kind has its codec's fixed default. The field's type
// picks the codec (Integer: integer rule, bool: 0/1, TStringList: text lines,
// an enumeration: its words).
//
// The tables are constant data, and the per-class code is only the address
// of a field: the codecs themselves are plain functions of SFIniCodecs.cpp.
// (A variant of member pointers visited per class made the description
// units the slowest of the whole build.)
enum class TSkinCodec : Byte {
    Integer, Boolean, Text, Rect, Point, FontStyles, Lines,
    Alignment, StretchType, InActiveEffect, MorphKind, FramesPlacement, RegulatorKind, GaugeKind, StdCommand
};

template <class V> struct TSkinCodecOf;
template <> struct TSkinCodecOf<Integer> { static constexpr TSkinCodec Value = TSkinCodec::Integer; };
template <> struct TSkinCodecOf<bool> { static constexpr TSkinCodec Value = TSkinCodec::Boolean; };
template <> struct TSkinCodecOf<String> { static constexpr TSkinCodec Value = TSkinCodec::Text; };
template <> struct TSkinCodecOf<TRect> { static constexpr TSkinCodec Value = TSkinCodec::Rect; };
template <> struct TSkinCodecOf<TPoint> { static constexpr TSkinCodec Value = TSkinCodec::Point; };
template <> struct TSkinCodecOf<TFontStyles> { static constexpr TSkinCodec Value = TSkinCodec::FontStyles; };
template <> struct TSkinCodecOf<TStringList> { static constexpr TSkinCodec Value = TSkinCodec::Lines; };
template <> struct TSkinCodecOf<TAlignment> { static constexpr TSkinCodec Value = TSkinCodec::Alignment; };
template <> struct TSkinCodecOf<TsfStretchType> { static constexpr TSkinCodec Value = TSkinCodec::StretchType; };
template <> struct TSkinCodecOf<TsfInActiveEffect> { static constexpr TSkinCodec Value = TSkinCodec::InActiveEffect; };
template <> struct TSkinCodecOf<TMorphKind> { static constexpr TSkinCodec Value = TSkinCodec::MorphKind; };
template <> struct TSkinCodecOf<TFramesPlacement> { static constexpr TSkinCodec Value = TSkinCodec::FramesPlacement; };
template <> struct TSkinCodecOf<TRegulatorKind> { static constexpr TSkinCodec Value = TSkinCodec::RegulatorKind; };
template <> struct TSkinCodecOf<TGaugeKind> { static constexpr TSkinCodec Value = TSkinCodec::GaugeKind; };
template <> struct TSkinCodecOf<TStdCommand> { static constexpr TSkinCodec Value = TSkinCodec::StdCommand; };

template <class T>
struct TSkinKey {
    template <class V, class C>
    constexpr TSkinKey(const char16_t* AKey, V C::*AField, Integer ADefault = 0)
        : Key(AKey), Codec(TSkinCodecOf<V>::Value), Field(static_cast<V T::*>(AField)), Default(ADefault)
    {
    }
    template <class C>
    constexpr TSkinKey(const char16_t* AKey, String C::*AField, const char16_t* ADefault)
        : Key(AKey), Codec(TSkinCodec::Text), Field(static_cast<String T::*>(AField)), TextDefault(ADefault)
    {
    }

    // The field's own value in Obj; the codec says its type.
    void* AddressIn(T& Obj) const
    {
        switch (Codec) {
        case TSkinCodec::Integer: return &(Obj.*Field.I);
        case TSkinCodec::Boolean: return &(Obj.*Field.B);
        case TSkinCodec::Text: return &(Obj.*Field.S);
        case TSkinCodec::Rect: return &(Obj.*Field.R);
        case TSkinCodec::Point: return &(Obj.*Field.P);
        case TSkinCodec::FontStyles: return &(Obj.*Field.FS);
        case TSkinCodec::Lines: return &(Obj.*Field.L);
        case TSkinCodec::Alignment: return &(Obj.*Field.Al);
        case TSkinCodec::StretchType: return &(Obj.*Field.St);
        case TSkinCodec::InActiveEffect: return &(Obj.*Field.Ie);
        case TSkinCodec::MorphKind: return &(Obj.*Field.Mk);
        case TSkinCodec::FramesPlacement: return &(Obj.*Field.Fp);
        case TSkinCodec::RegulatorKind: return &(Obj.*Field.Rk);
        case TSkinCodec::GaugeKind: return &(Obj.*Field.Gk);
        case TSkinCodec::StdCommand: return &(Obj.*Field.Sc);
        }
        return nullptr;
    }

    union TField {
        constexpr TField(Integer T::*F) : I(F) {}
        constexpr TField(bool T::*F) : B(F) {}
        constexpr TField(String T::*F) : S(F) {}
        constexpr TField(TRect T::*F) : R(F) {}
        constexpr TField(TPoint T::*F) : P(F) {}
        constexpr TField(TFontStyles T::*F) : FS(F) {}
        constexpr TField(TStringList T::*F) : L(F) {}
        constexpr TField(TAlignment T::*F) : Al(F) {}
        constexpr TField(TsfStretchType T::*F) : St(F) {}
        constexpr TField(TsfInActiveEffect T::*F) : Ie(F) {}
        constexpr TField(TMorphKind T::*F) : Mk(F) {}
        constexpr TField(TFramesPlacement T::*F) : Fp(F) {}
        constexpr TField(TRegulatorKind T::*F) : Rk(F) {}
        constexpr TField(TGaugeKind T::*F) : Gk(F) {}
        constexpr TField(TStdCommand T::*F) : Sc(F) {}
        Integer T::*I;
        bool T::*B;
        String T::*S;
        TRect T::*R;
        TPoint T::*P;
        TFontStyles T::*FS;
        TStringList T::*L;
        TAlignment T::*Al;
        TsfStretchType T::*St;
        TsfInActiveEffect T::*Ie;
        TMorphKind T::*Mk;
        TFramesPlacement T::*Fp;
        TRegulatorKind T::*Rk;
        TGaugeKind T::*Gk;
        TStdCommand T::*Sc;
    };

    const char16_t* Key;
    TSkinCodec Codec;
    TField Field;
    Integer Default = 0;
    const char16_t* TextDefault = u"";
};
template <class T>
using TSkinKeys = std::initializer_list<TSkinKey<T>>;

// One value by its codec; Field is the value's address (TSkinKey::AddressIn).
void ReadSkinField(const TCustomIniFile* F, const String& Section, const char16_t* Key, TSkinCodec Codec,
                   Integer Default, const char16_t* TextDefault, void* Field);
void WriteSkinField(TCustomIniFile* F, const String& Section, const char16_t* Key, TSkinCodec Codec,
                    const void* Field);

// Reads or writes every key of a table, in table order, for Obj's fields.
template <class T>
void ReadSkinKeys(const TCustomIniFile* IniFile, const String& Section, T& Obj, TSkinKeys<T> Keys)
{
    for (const TSkinKey<T>& k : Keys)
        ReadSkinField(IniFile, Section, k.Key, k.Codec, k.Default, k.TextDefault, k.AddressIn(Obj));
}
template <class T>
void WriteSkinKeys(TCustomIniFile* IniFile, const String& Section, const T& Obj, TSkinKeys<T> Keys)
{
    for (const TSkinKey<T>& k : Keys)
        WriteSkinField(IniFile, Section, k.Key, k.Codec, k.AddressIn(const_cast<T&>(Obj)));
}

// The reader and writer of a description class that adds keys to its parent's:
// the parent's first, then the class's own table, in the section IDName.
template <class T>
void ReadParentAndKeys(T& Self, const TCustomIniFile* IniFile)
{
    Self.T::inherited::LoadFromFile(IniFile);
    ReadSkinKeys(IniFile, Self.IDName, Self, T::Keys);
}
template <class T>  // T is const for writers that leave the object as it is
void WriteParentAndKeys(T& Self, TCustomIniFile* IniFile)
{
    using C = std::remove_const_t<T>;
    Self.C::inherited::SaveToFile(IniFile);
    WriteSkinKeys<C>(IniFile, Self.IDName, Self, C::Keys);
}

// ---------------------------------------------------------------------------
// Kind words of the list sections ("SKINOBJECTS", "SKINCONTROLS"): each word
// makes one description class. Tables list subclasses before their bases, so
// that the first instance test that holds names a description's own class.
template <class Base>
struct TSkinKind {
    const char16_t* Word;
    Base* (*Create)(const String& IDName);
    bool (*IsInstance)(const Base* Data);
};

template <class Base, class C>
constexpr TSkinKind<Base> SkinKind(const char16_t* Word)
{
    return {Word, [](const String& IDName) -> Base* { return new C(IDName); },
            [](const Base* Data) { return dynamic_cast<const C*>(Data) != nullptr; }};
}

// The description for Kind (compared exactly), null for a word not in Kinds.
template <class Base, size_t N>
std::unique_ptr<Base> CreateSkinData(const TSkinKind<Base> (&Kinds)[N], const String& Kind, const String& IDName)
{
    for (const TSkinKind<Base>& k : Kinds)
        if (Kind == k.Word) return std::unique_ptr<Base>(k.Create(IDName));
    return nullptr;
}

template <class Base, size_t N>
String SkinKindOf(const TSkinKind<Base> (&Kinds)[N], const Base* Data)
{
    for (const TSkinKind<Base>& k : Kinds)
        if (k.IsInstance(Data)) return k.Word;
    return String();
}
