// HyFileUtils: small file-system services without state. This unit holds the
// portable ones; the clipboard, shell, file-time and version routines live in
// HyFileUtils_Win.
#pragma once

#include <memory>

#include "framework/runtime/Classes.h"

// The file name without folder and without its extension ('C:\a\b.c.txt'
// gives 'b.c').
String ExtractFileBaseName(const String& FileName);
// The extension without its dot ('x.JPG' gives "JPG"; none gives "").
String ExtractFileExtNoDot(const String& FileName);
// The plain files of Folder (ending with "\") matching "*." + Ext, without
// case, in the order the file system gives them; hidden and system files and
// folders are left out, and so are longer extensions that only begin with
// Ext. With WithFolder each entry is Folder + name. Null when the search fails.
std::unique_ptr<TStringList> GetFileList(const String& Folder, const String& Ext, bool WithFolder);
// The size in bytes, -1 when the file does not exist; raises the stream's
// error when it exists but cannot be opened.
Int64 GetFileSizeByName(const String& FileName);
// Copies Source to Target unless Target exists; true when Target was
// written. A copy that fails part-way leaves no Target behind, so a broken
// copy is never taken for a whole one.
bool CopyFileNoOverwrite(const String& Source, const String& Target);
