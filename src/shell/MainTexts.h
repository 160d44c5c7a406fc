// MainTexts: what the main window's localisation sets, as tables: every
// caption and hint by component name with its language text, the fonts of
// each interface, and the parts the skin colours paint. The window walks the
// tables over the components it has (win/MainLocale).
#pragma once

#include <vector>

#include "framework/runtime/System.h"

// A text of the language table, by group and number.
struct TLangText {
    Integer Group, Number;
    bool Colon = false;  // fetched with ":" appended
};
constexpr TLangText Lang(Integer Group, Integer Number) { return {Group, Number, false}; }
constexpr TLangText LangColon(Integer Group, Integer Number) { return {Group, Number, true}; }

enum class TMainTextTarget : Byte { Caption, Hint };

struct TMainText {
    const char16_t* Component;
    TMainTextTarget Target;
    TLangText Text;
};
// In the order they are set.
const std::vector<TMainText>& MainWindowTexts();

// Fonts, step by step. A size of 0 leaves that font alone.
enum class TMainFontTarget : Byte {
    Font,         // the control's own font
    DefaultFont,  // the font a skinned control uses when the skin gives none
    MenuFont,     // the font of a colour button's drop-down (with its default font)
};
struct TMainFont {
    const char16_t* Component;
    TMainFontTarget Target;
    Integer ChineseSize;  // the "微软雅黑" set
    Integer OtherSize;    // the "Tahoma" set
};
const std::vector<TMainFont>& MainWindowFonts();
extern const char16_t* const ChineseFontFace;  // "微软雅黑"
extern const char16_t* const OtherFontFace;    // "Tahoma"

// The window frame's caption font: the face, size and whether the skin's
// own caption font is used.
struct TCaptionFont {
    const char16_t* Face;
    Integer Size;
    bool UseSkinFont;
};
TCaptionFont MainCaptionFont(bool ChineseSet);

// The labels moved to the top of PropertyLabelTop.
const std::vector<const char16_t*>& PropertyLabels();
// The section labels that take the skin's label colour, and the panels that
// take its back colour.
const std::vector<const char16_t*>& SkinLabelParts();
const std::vector<const char16_t*>& SkinBackParts();
