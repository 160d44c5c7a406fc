// Global: what the whole program shares. Its folders, the settings table
// "Config.db" and its step-wise upgrade, this product's row of the per-user
// table "Share6.db" that the maker's products share, the language table and
// the web links, the built-in skins table and the global hotkey slots of
// "Hotkey.db". The program's main block calls InitGlobals first; the main
// window then calls InitSkinTable, UpgradeConfigDefaults, ValidateSkinName,
// LoadLangTable and InitHotkeys.
//
// This unit is portable: what it needs of the platform (the program file, the
// version resource, atoms and hotkeys, resources, message boxes) it asks of a
// TGlobalPlatform. Global_Win gives the real one and the Windows-only parts
// (the main window's handle, the single-instance hand-over).
#pragma once

#include <memory>
#include <vector>

#include "foundation/HyDataTable.h"

class TGlobalPlatform {
public:
    virtual ~TGlobalPlatform() = default;
    // Full path of the program file.
    virtual String ProgramFileName() = 0;
    // The dotted file-version text of a file's version resource; empty when
    // it cannot be read.
    virtual String FileVersionText(const String& FileName) = 0;
    // The system folder, with a trailing backslash.
    virtual String SystemFolder() = 0;
    // The user's application-data folder as the shell knows it (for a
    // process started without APPDATA); empty when unknown.
    virtual String ShellAppDataFolder() = 0;
    // Major, minor and build numbers run together, then a blank and the
    // service-pack text when there is one.
    virtual String OSVersionText() = 0;
    // Lets dropped files and copied data reach the program from processes of
    // lower integrity, where the system has such a filter.
    virtual void AllowDropAndCopyData() = 0;
    // The program's RCDATA resource of that name; raises when it is missing.
    virtual std::unique_ptr<TStream> OpenResource(const String& Name) = 0;
    // Global atoms and hotkeys (for the main window). FindOrAddAtom gives the
    // atom of that name when one exists, else a new one; 0 when it fails.
    virtual Word FindOrAddAtom(const String& Name) = 0;
    virtual void DeleteAtom(Word Atom) = 0;
    virtual bool RegisterHotKey(Word Id, Integer Modifiers, Integer Key) = 0;
    virtual void UnregisterHotKey(Word Id) = 0;
    // An information box; the application's title when Caption is empty.
    virtual void ShowInfoMsg(const String& Text, const String& Caption) = 0;
};

// ---------------------------------------------------------------------------
// Program-wide values, set by InitGlobals unless said otherwise.
extern String BaseFolder;      // APPDATA + "\Quorvan\"
extern String ShareFileName;   // BaseFolder + "Share6.db"
extern String ProductName;     // "LumatraStd": the row key in Share6.db
extern Byte EditionCode;       // 5
extern String ProgramFolder;   // folder of the program file, with "\"
extern String ProductVersion;  // the program file's version text, dotted
extern String SystemFolder;
extern String WindowsFolder;  // WINDIR + "\"
extern String TempFolder;     // TEMP + "\"
extern String DataFolder;     // BaseFolder + ProductName + "\" unless given
extern String ConfigFileName;  // DataFolder + "Config.db"
extern bool IsZezavEzazerExe;
// 10 rows of 50 cells and 100 properties, always (a damaged file is rebuilt).
extern std::unique_ptr<TDataTable> ConfigTable;
// A free-standing copy of this product's Share6.db row (15 cells).
extern std::unique_ptr<TRow> ProductShareRow;
// 0 (Chinese) when the stored code page is 936, else 2 (English).
extern Integer LangColumn;
extern std::unique_ptr<TDataTable> SkinTable;  // filled by InitSkinTable
extern String EditionTitle;                     // set by the main window
extern std::unique_ptr<TDataTable> LangTable;   // filled by LoadLangTable
extern std::unique_ptr<TDataTable> HotkeyTable; // filled by InitHotkeys

// The platform InitGlobals was given (null before).
TGlobalPlatform* GlobalPlatform();

// Sets every value above (but the skins, language and hotkey tables), loads
// or creates Config.db and takes or creates this product's Share6.db row.
// Platform must outlive the program's use of this unit.
void InitGlobals(const String& AProductName, Byte AEditionCode, const String& DataFolderOverride,
                 TGlobalPlatform& Platform);
// Frees the program-wide tables (the end of the program; tests start again
// with InitGlobals).
void DoneGlobals();

// The portable part of the main window's skins-table set-up: lets messages
// through when AllowMessages, fills SkinTable, defaults the skin to "Rire".
void InitSkinTable(bool AllowMessages);
// A configured skin whose file "Skin\<name>.skn" is missing becomes "Rire".
void ValidateSkinName();
// Brings the settings table from its stored version to the current one.
void UpgradeConfigDefaults();

// Share6.db: one row per product, found by cell 0 ignoring case. Each call
// reads the file anew; writers save it only when a cell really changed.
void SetShareCells(const String& AProductName, Integer Index, const String& Text, Integer Index2 = -1,
                   const String& Text2 = String());
void SetShareRow(const String& AProductName, const TRow* ARow);
String GetShareCell(const String& AProductName, Integer Index);
std::unique_ptr<TRow> GetShareRow(const String& AProductName);

// The language table, from the program's RCDATA resource "DbLang".
void LoadLangTable();
// The text of (Group, Index) in the current language column, with ":"
// appended when AddColon. Raises EListError outside the table.
String GetLangText(Integer Group, Integer Index, bool AddColon = false);
// The product web site's page for Action ("home", "FAQ").
String BuildWebLink(const String& Action);

// ---------------------------------------------------------------------------
// Global hotkeys: one row of Hotkey.db per slot: cell 0 enabled ("-1"/"0"),
// cell 1 modifiers (1 Alt, 2 Ctrl, 4 Shift), cell 2 the virtual key, cell 3
// the atom the hotkey is registered under (0: none).
constexpr Integer HotkeyAlt = 1, HotkeyCtrl = 2, HotkeyShift = 4;
// Loads or creates Hotkey.db with at least RowCount rows and registers the
// slots in Rows with Modifiers[k] and (where no key is stored) Keys[k].
void InitHotkeys(Integer RowCount, const TByteSet& Rows, const std::vector<Integer>& Modifiers,
                 const std::vector<Integer>& Keys);
// Unregisters every slot, saves Hotkey.db and frees the table.
void DoneHotkeys();
bool RegisterHotkeyRow(Integer Row, Integer Key = 0);
void UnregisterHotkeyRow(Integer Row);
// Enabled comes back false when switching on failed (the user is told).
void SetHotkeyEnabled(Integer Row, bool& Enabled);
// Key is the character typed for the slot: a letter or a digit. It comes back
// 0 when it was refused or could not be registered (the user is told).
void SetHotkeyKey(Integer Row, Char& Key);
// The menu text and shortcut (the platform's encoding) that show a slot.
String HotkeyMenuCaption(const String& Caption, Integer Row);
Word HotkeyShortCut(Integer Row);
// Sets a menu item's caption and shortcut from the slot.
template <class TMenuItemType>
void SetHotkeyMenuItem(TMenuItemType* Item, const String& Caption, Integer Row)
{
    Item->SetCaption(HotkeyMenuCaption(Caption, Row));
    Item->SetShortCut(HotkeyShortCut(Row));
}
