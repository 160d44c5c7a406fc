// SFIniCodecs: the value codecs of the skin description text (rectangles,
// points, 0/1 flags, font styles, enumeration words, text lines, indexed lists),
// the test that an INI source is a skin description, and the key tables from
// which every description class reads and writes its section. Portable.
#pragma once

#include <initializer_list>
#include <memory>
#include <type_traits>
#include <variant>

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
// picks the codec (Integer: integer rule, bool: 0/1, TStringList: text lines).
template <class T>
using TSkinField = std::variant<Integer T::*, bool T::*, String T::*, TRect T::*, TPoint T::*, TFontStyles T::*,
                                TAlignment T::*, TsfStretchType T::*, TsfInActiveEffect T::*, TMorphKind T::*, TFramesPlacement T::*,
                                TRegulatorKind T::*, TGaugeKind T::*, TStdCommand T::*, TStringList T::*>;

template <class T>
struct TSkinKey {
    template <class V, class C>
    TSkinKey(const char16_t* AKey, V C::*AField, Integer ADefault = 0)
        : Key(AKey), Field(static_cast<V T::*>(AField)), Default(ADefault)
    {
    }
    template <class C>
    TSkinKey(const char16_t* AKey, String C::*AField, const char16_t* ADefault)
        : Key(AKey), Field(static_cast<String T::*>(AField)), TextDefault(ADefault)
    {
    }

    const char16_t* Key;
    TSkinField<T> Field;
    Integer Default = 0;
    const char16_t* TextDefault = u"";
};
template <class T>
using TSkinKeys = std::initializer_list<TSkinKey<T>>;

// One value by its field's codec.
void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer Default, const String& TextDefault,
                   Integer& V);
void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, bool& V);
void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String& TextDefault,
                   String& V);
void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, TRect& V);
void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, TPoint& V);
void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, TFontStyles& V);
void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, TStringList& V);
template <class E>
    requires std::is_enum_v<E>
void ReadSkinValue(const TCustomIniFile* F, const String& S, const String& K, Integer, const String&, E& V)
{
    V = static_cast<E>(ReadSkinWord(F, S, K, SkinWordsOf(E{})));
}

void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, Integer V);
void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, bool V);
void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, const String& V);
void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, const TRect& V);
void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, const TPoint& V);
void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, TFontStyles V);
void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, const TStringList& V);
template <class E>
    requires std::is_enum_v<E>
void WriteSkinValue(TCustomIniFile* F, const String& S, const String& K, E V)
{
    WriteSkinWord(F, S, K, SkinWordsOf(E{}), static_cast<Byte>(V));
}

// Reads or writes every key of a table, in table order, for Obj's fields.
template <class T>
void ReadSkinKeys(const TCustomIniFile* IniFile, const String& Section, T& Obj, TSkinKeys<T> Keys)
{
    for (const TSkinKey<T>& k : Keys)
        std::visit([&](auto Field) { ReadSkinValue(IniFile, Section, k.Key, k.Default, k.TextDefault, Obj.*Field); },
                   k.Field);
}
template <class T>
void WriteSkinKeys(TCustomIniFile* IniFile, const String& Section, const T& Obj, TSkinKeys<T> Keys)
{
    for (const TSkinKey<T>& k : Keys)
        std::visit([&](auto Field) { WriteSkinValue(IniFile, Section, k.Key, Obj.*Field); }, k.Field);
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
