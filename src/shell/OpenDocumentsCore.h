// OpenDocumentsCore: the rules of the open-documents table "OpenFile.db"
// that need no window: its rows and their untitled names, which row is live,
// what a stash writes, which pictures are refused, which dropped files pass,
// and the rules of saving (the name's extension, names already open, when
// the JPEG and BMP options are asked, who hears of a save).
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/HyDataTable.h"

// The cells of a row of the open-documents table.
namespace OpenFileCol {
constexpr Integer FileName = 1, TypeText = 2, FileSize = 3, AntiAlias = 4, Width = 6, Height = 7, ThumbWidth = 8,
                  ThumbHeight = 9, CenterX = 10, CenterY = 11, Scale = 12, SelectionStyle = 13, UndoIndex = 14,
                  Modified = 15, New = 16, Current = 17, Hover = 18, Tool = 19;
}
// The tool a new row starts with (the selection-free pointer tool's ordinal).
constexpr Integer OpenFileNewRowTool = 2;

// The untitled name not yet used by a row: Base, a blank when the language
// column is not 0 (Chinese runs the number on), and the lowest number from 1.
String UntitledName(const TDataTable& Table, const String& Base, Integer LangColumn);

// Finds the row named Name (case-insensitively) or inserts a new one at the
// top: 20 cells, the name, for an untitled image the new mark and the default
// size NewW x NewH, the starting tool, empty undo and action tables. The row
// becomes the current one (cell 17 on it alone, the table's row index).
struct TRegisteredRow {
    Integer Index;
    bool Added;
};
TRegisteredRow RegisterOpenFileRow(TDataTable& Table, const String& Name, bool Untitled, Integer NewW, Integer NewH);
// The row named Name, case-insensitively; -1 when none.
Integer FindOpenFileRow(const TDataTable& Table, const String& Name);

// What the stash keeps of the live document's view in its row. The scale is
// written with "." whatever the user's decimal separator: the table is read
// back on machines with other settings.
struct TDocumentView {
    Single Scale;
    Integer CenterX, CenterY;
    bool AntiAlias;
    Integer UndoIndex;
};
void StashViewCells(TRow& Row, const TDocumentView& View);
// The stored scale; false when the cell is empty or not a number above 0.
bool StoredScale(const TRow& Row, Single& Scale);

// The picture-size check of the open: empty when W x H may be opened, else
// the message. Too large: Text385, a line break, Text384, a blank, the width,
// " × ", the height, " = ", the product (64 bits) and "."; a side of 0 (or
// less): Text395.
String ImageSizeRefusal(Int64 W, Int64 H, const String& Text385, const String& Text384, const String& Text395);

// The dropped names the open takes: the picture kinds the program reads by
// extension, without regard to case, in the order dropped.
std::vector<String> AcceptedDroppedFiles(const std::vector<String>& Names);

// The status bar's size labels: "W × H", and the bit depth read from the
// file as "24b" ("32b" for a negative depth, nothing for 0).
String ImageSizeText(Integer W, Integer H);
String ImageBitsText(Integer Depth);

// After a close of row Closed (no longer in the table of Count rows): the row
// that becomes live, its right-hand neighbour or the new last row.
Integer NextLiveRowAfterClose(Integer Closed, Integer Count);

// ---- Saving.
// The name with the extension of the save dialog's filter (1 JPEG, 2 PNG,
// 3 GIF, 4 BMP) replacing its own or appended; an unknown index keeps it.
String SaveAsFileName(const String& Name, Integer FilterIndex);
// The refusal of a save under a name some row already holds (the live one too).
String SaveAsOpenRefusal(const String& Name, const String& Text174, const String& Text175);
// How the JPEG options are settled before a JPEG save.
enum class TJpgOptionsStep : Byte {
    Quality90,  // the settings skip the dialog: step 9
    Stored,     // the picture keeps the options stored with it
    Ask,        // the options dialog
};
TJpgOptionsStep DecideJpgOptions(bool SkipDialog, bool SameOnNext);
// Whether the BMP depth is asked: always for a save under a new name, and for
// a picture whose depth was not read from a BMP; else it is saved again at
// its loaded depth.
bool BmpOptionsAsked(bool Always, Integer LoadedDepth);

// Who hears of a save (message 0x41E).
constexpr std::uint32_t WM_FILESAVED = 0x41E;
enum class TSaveNotice : Byte {
    None,
    Gallery,  // this program's gallery window: the file is in its folder
    Caller,   // the main window of the program that started the editor
};
TSaveNotice DecideSaveNotice(Integer CalledAppId, bool GalleryWindowExists, const String& GalleryFolder,
                             const String& FileName);
// The Share6.db row of a calling program: "Gallery" (1), "Trivane" (2), else empty.
String CallerShareRowName(Integer CalledAppId);
// A window handle stored as a decimal number; 0 when the text is not one.
std::uintptr_t StoredWindowHandle(const String& Text);
