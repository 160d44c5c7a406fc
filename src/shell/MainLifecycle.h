// MainLifecycle: the decisions of the main window's start, first show, close
// and end that need no window: the title suffix a second start looks for, the
// crop sizes kept in the settings, the open-documents rows at start, the
// choice of the first document, what the close button does, and the file name
// another program hands over.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "foundation/HyDataTable.h"

// The end of the main window's caption by which a second start recognises the
// running copy: the English suffix, or for the Chinese interface (language
// column 0) a Chinese one that the Chinese title contains.
String MainTitleSuffix(Integer LangColumn);

// Crop sizes: the settings keep all widths, then all heights, "."-separated;
// the table keeps one row per size, "width,height". An odd piece count leaves
// the last piece out; an empty text gives the two default sizes.
constexpr const char16_t* DefaultCropSizes = u"120.320.120.240";
void LoadCropSizes(TDataTable& Table, const String& Text);
String CropSizesText(const TDataTable& Table);

// The open-documents rows at start, from the last to the first: each padded to
// 20 cells, its modified mark (cell 15) and anti-aliasing (cell 4) reset and
// its zoom (cell 12) cleared; a row whose file (cell 1) is gone is removed,
// the others get empty undo (slot 4) and action (slot 5) tables.
constexpr Integer OpenFileCells = 20;
void PrepareOpenFileRows(TDataTable& Table, const std::function<bool(const String&)>& FileExists);

// Where the first document comes from, by preference: the first argument's
// file; the default image (row 1 cells 32, 33); with "open the last image"
// (cell 30) the last image (cell 31), else the first open-documents row.
// Empty: a new blank image.
struct TFirstDocumentInput {
    String ArgFile;                // the first command-line argument, or empty
    const TRow* Settings;          // Config row 1
    String FirstOpenFile;          // cell 1 of the first open-documents row, or empty
};
String ChooseFirstDocument(const TFirstDocumentInput& In, const std::function<bool(const String&)>& FileExists);
// The calling program's id from the second argument: 0 unless it is an integer.
Integer CalledAppIdOf(const String& Arg);

// What the close button does.
enum class TMainCloseStep : Byte {
    AskAndEnd,       // developer mode: ask to save the documents, then end
    End,             // the tray's exit command is under way
    HideWithNotice,  // hide to the tray after the one-time notice
    Hide,            // hide to the tray
};
TMainCloseStep DecideClose(bool DeveloperMode, bool AppClosed, bool NoticeNotAgain);

// The text panel's place on a first start (row 1 cell 16 still 0).
struct TPanelPlace {
    Integer Left, Top;
};
TPanelPlace DefaultTextPanelPlace(Integer FormWidth, Integer RightWidth, Integer TextWidth, Integer TopHeight);
// Style images per row of the style strip: what fits on the screen, 1 to 6.
Integer StyleColumnCount(Integer ScreenWidth, Integer StylesLeft, Integer StyleButtonsWidth);

// The file name in another program's WM_COPYDATA block of Bytes bytes: UTF-16
// up to the first NUL, never past the block (an odd last byte is left out).
String CopiedFileName(const void* Data, std::size_t Bytes);
