// HyFileUtils_Pack: the file pack, one file carrying a set of files, each
// compressed with zlib, followed by an enciphered index table that says where
// each file belongs. The gallery backs its catalogue up into one ("Backup.db")
// and restores it from there; the stock clip-arts ship as one.
//
// Layout: the blobs in index order from offset 0; the index text (the salted
// text of the index table's text, Blowfish over HAVAL under the key, 8-bit);
// its length L (int32); the key marker ($0A, or the key's first and last 10
// characters); the suffix marker ($14, or the 8-byte suffix); a last byte (2
// for a short key, else 1).
//
// Index rows: cell 0 the folder relative to the source or destination folder,
// cell 1 the file name, cell 2 the blob's length, cell 3 the file's length,
// cell 4 true: unpack straight into the destination folder, cell 5 true: the
// writer takes cell 0 relative to the source folder's parent. A cell 0
// starting with "$" is a token folder ("$System$", "$Third$") that only the
// writer resolves.
#pragma once

#include <functional>

#include "foundation/HyDataTable.h"

// Percentage done, 0 to 100.
using TPackProgressEvent = TEvent<Int64>;
// Enciphers the index text under the key. The default draws a fresh salt
// (PwdEncryptStr with Blowfish and HAVAL); a build tool that needs the same
// bytes on every run passes a cipher with a fixed salt.
using TPackIndexCipher = std::function<String(const String& IndexText, const String& Key)>;

// Limits of what a pack may unpack: one file, and all files together.
constexpr Int64 MaxPackEntrySize = 256 * 1024 * 1024;
constexpr Int64 MaxPackTotalSize = Int64(2) * 1024 * 1024 * 1024;

// Writes the files listed in Table from SourceFolder (ending with "\") into
// PackFile, filling cells 2 and 3 of every row. The pack is written beside
// PackFile and replaces it only once complete: a missing source file raises
// its open error and leaves an existing PackFile as it was. Suffix is empty or
// exactly 8 bytes in the system's code page; a key of 10 or more characters
// must be single-byte there (EInvalidArgument otherwise).
void WriteFilePack(const String& PackFile, const String& SourceFolder, const String& Key, TDataTable* Table,
                   const String& Suffix = String(), const TPackIndexCipher& Cipher = nullptr);

// Unpacks PackFile into DestFolder (ending with "\"; created when missing).
// Every file lands inside DestFolder: the index is checked whole before
// anything is written, and a pack whose index does not read, names a token,
// absolute or climbing ('..') folder, an unusable file name, or sizes that do
// not fit the file or the limits above unpacks nothing and gives false. A blob
// that inflates to less than its stated size is not written (false at the
// end). True when every file was written. A pack that cannot be opened, a
// damaged zlib blob and a file that cannot be written raise; files written
// before stay, and no file is left half written.
bool ReadFilePack(const String& PackFile, const String& DestFolder, const String& Key,
                  const TPackProgressEvent& OnProgress = nullptr);

// The folder a "$Third$" token stands for when packing: the shared package
// folder of the development tools on the Windows folder's drive.
String FilePackThirdFolder();
