#include "framework/controls/MenusCore.h"

#include "framework/runtime/SysUtils.h"

namespace {

// Key codes as the platform numbers them, written out so that the names do
// not depend on a keyboard layout or on the platform's own key names.
struct TKeyName {
    Word Key;
    const char16_t* Name;
};

constexpr TKeyName KeyNames[] = {
    {0x08, u"BkSp"},  {0x09, u"Tab"},   {0x0D, u"Enter"}, {0x1B, u"Esc"},   {0x20, u"Space"},
    {0x21, u"PgUp"},  {0x22, u"PgDn"},  {0x23, u"End"},   {0x24, u"Home"},  {0x25, u"Left"},
    {0x26, u"Up"},    {0x27, u"Right"}, {0x28, u"Down"},  {0x2D, u"Ins"},   {0x2E, u"Del"},
    {0x13, u"Pause"}, {0x2C, u"PrtSc"}, {0x5D, u"Menu"},
    {0x60, u"Num 0"}, {0x61, u"Num 1"}, {0x62, u"Num 2"}, {0x63, u"Num 3"}, {0x64, u"Num 4"},
    {0x65, u"Num 5"}, {0x66, u"Num 6"}, {0x67, u"Num 7"}, {0x68, u"Num 8"}, {0x69, u"Num 9"},
    {0x6A, u"Num *"}, {0x6B, u"Num +"}, {0x6D, u"Num -"}, {0x6E, u"Num Del"}, {0x6F, u"Num /"},
    // The punctuation keys by their characters on a US keyboard.
    {0xBA, u";"},     {0xBB, u"="},     {0xBC, u","},     {0xBD, u"-"},     {0xBE, u"."},
    {0xBF, u"/"},     {0xC0, u"`"},     {0xDB, u"["},     {0xDC, u"\\"},    {0xDD, u"]"},
    {0xDE, u"'"},
};

constexpr Word VK_F1 = 0x70;
constexpr Integer FunctionKeys = 24;

struct TModifier {
    TShortCut Flag;
    const char16_t* Name;
};
constexpr TModifier Modifiers[] = {{scCtrl, u"Ctrl+"}, {scShift, u"Shift+"}, {scAlt, u"Alt+"}};

String KeyName(Word Key)
{
    if ((Key >= u'A' && Key <= u'Z') || (Key >= u'0' && Key <= u'9')) return String(1, Char(Key));
    if (Key >= VK_F1 && Key < VK_F1 + FunctionKeys) return u"F" + IntToStr(Key - VK_F1 + 1);
    for (const TKeyName& K : KeyNames)
        if (K.Key == Key) return K.Name;
    return String();
}

// The key a name stands for, 0 for none. Letters are matched in either case.
Word KeyOfName(const String& Name)
{
    if (Name.empty()) return 0;
    for (Word Key = 1; Key < 0x100; ++Key) {
        String N = KeyName(Key);
        if (!N.empty() && SameText(N, Name)) return Key;
    }
    return 0;
}

} // namespace

TShortCut ShortCut(Word Key, TShiftState Shift)
{
    if (Key & 0xFF00) return scNone;  // not a key code
    TShortCut Result = Key;
    if (Shift & ssShift) Result |= scShift;
    if (Shift & ssCtrl) Result |= scCtrl;
    if (Shift & ssAlt) Result |= scAlt;
    return Result;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift)
{
    Key = ShortCut & 0xFF;
    Shift = 0;
    if (ShortCut & scShift) Shift |= ssShift;
    if (ShortCut & scCtrl) Shift |= ssCtrl;
    if (ShortCut & scAlt) Shift |= ssAlt;
}

String ShortCutToText(TShortCut ShortCut)
{
    String Name = KeyName(ShortCut & 0xFF);
    if (Name.empty()) return String();
    String Result;
    for (const TModifier& M : Modifiers)
        if (ShortCut & M.Flag) Result += M.Name;
    return Result + Name;
}

TShortCut TextToShortCut(const String& Text)
{
    TShortCut Flags = 0;
    size_t Start = 0;
    // Take modifier prefixes while they match; the rest must be one key name
    // (which may itself be "+" on the number pad or contain a space).
    for (bool Found = true; Found;) {
        Found = false;
        for (const TModifier& M : Modifiers) {
            const String Prefix = M.Name;
            if (Text.size() - Start > Prefix.size() && SameText(Text.substr(Start, Prefix.size()), Prefix)) {
                Flags |= M.Flag;
                Start += Prefix.size();
                Found = true;
            }
        }
    }
    Word Key = KeyOfName(Text.substr(Start));
    return Key ? TShortCut(Key | Flags) : scNone;
}

String StripHotkey(const String& Text)
{
    String Result;
    Result.reserve(Text.size());
    for (size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == cHotkeyPrefix) {
            ++I;  // the mark goes; of "&&" one "&" stays
            if (I >= Text.size()) break;
        }
        Result += Text[I];
    }
    return Result;
}

Char GetHotkey(const String& Text)
{
    for (size_t I = 0; I + 1 < Text.size(); ++I) {
        if (Text[I] != cHotkeyPrefix) continue;
        Char C = Text[I + 1];
        if (C == cHotkeyPrefix) {
            ++I;  // "&&" is a plain "&"
            continue;
        }
        if (C >= u'a' && C <= u'z') C = Char(C - u'a' + u'A');
        return C;
    }
    return 0;
}

bool IsAccel(Word VK, const String& Str)
{
    Char Key = GetHotkey(Str);
    if (!Key) return false;
    Char C = Char(VK);
    if (C >= u'a' && C <= u'z') C = Char(C - u'a' + u'A');
    return C == Key;
}
