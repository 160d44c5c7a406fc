// SkinChoice: the decisions of the skin menu and of the main window's
// localisation, kept apart from the windows: which skin a name means, where
// its file lies, which skin items the menu offers, the two colour tables the
// program paints its own panels with, the application title, and which font
// set the interface takes.
#pragma once

#include <functional>

#include "framework/runtime/System.h"
#include "framework/runtime/UITypes.h"

class TDataTable;

namespace SkinChoice {

constexpr Integer SkinCount = 4;
// The row of the skin stored in the program itself; its item is always enabled.
constexpr Integer StoredSkinRow = 2;
// The stored skin's name, matched exactly (case included) when loading.
extern const char16_t* const StoredSkinName;

// Text background of the section labels, and the light background of the
// tool panels and dialog parameter panels, by skin row.
extern const TColor LabelColors[SkinCount];
extern const TColor BackColors[SkinCount];

// The row of Skins whose name (cell 0) equals Name ignoring case; -1 for none.
Integer SkinRowOf(const TDataTable& Skins, const String& Name);
// Folder + "Skin\" + Name + ".skn".
String SkinFileName(const String& ProgramFolder, const String& Name);

// How a skin name is loaded.
enum class TSkinSource : Byte {
    None,    // not a skin of the table: nothing changes
    Stored,  // the skin carried by the program
    File,    // a skin file in the skin folder
};
TSkinSource SkinSourceOf(const TDataTable& Skins, const String& Name);

// The skin sub-menu as it opens: an item is enabled when its file exists
// (the stored skin always); the current skin's item is checked (-1: none).
struct TSkinMenuState {
    bool Enabled[SkinCount] = {};
    Integer Checked = -1;
};
using TFileExists = std::function<bool(const String&)>;
TSkinMenuState SkinMenuState(const TDataTable& Skins, const String& CurrentName, const String& ProgramFolder,
                             const TFileExists& Exists);

// Choosing a skin item: what the window does.
enum class TSkinChoiceStep : Byte {
    Nothing,  // the current skin, or a row that is not in the table
    Missing,  // its file went away after the menu opened: nothing is hidden or loaded
    Switch,   // hide the window, load, repaint the skin's colours, show again
};
TSkinChoiceStep DecideSkinChoice(const TDataTable& Skins, Integer ChosenRow, Integer CheckedRow,
                                 const String& ProgramFolder, const TFileExists& Exists);

// The (group, number) of the application title for an edition.
struct TTextId {
    Integer Group, Number;
};
TTextId EditionTitleText(Integer EditionCode);
// The top of the tolerance, diameter, flow, style and arrow labels.
Integer PropertyLabelTop(Integer LangColumn);
// The Chinese font set ("微软雅黑") applies to the Chinese interface on
// Windows 6 or later; every other case takes the "Tahoma" set.
bool UsesChineseFontSet(Integer LangColumn, Integer WindowsMajorVersion);

}  // namespace SkinChoice
