// HyFileUtils_Win: the file services of HyFileUtils that need Windows: the
// clipboard file list, file times, the folder dialog, starting a file through
// the shell and the version text of a file.
#pragma once

#include "foundation/HyFileUtils.h"
#include "framework/runtime/win/WinPlatform.h"

// Puts a list of full paths, each followed by a #0 character, on the
// clipboard as CF_HDROP (a wide list after the 20-byte header, ending with
// two #0 characters).
void CopyFilesToClipboard(const String& FileList);
// The creation (Kind 0), last access (1) or last write (2) time of a file in
// local time; zero when the file cannot be opened or read, or Kind is another.
void GetFileTimeLocal(const String& FileName, Integer Kind, FILETIME& Time);
// That time as a date-time: 1601-01-01 for a zero time, 2001-01-01 when the
// platform cannot convert it.
TDateTime GetFileDateTime(const String& FileName, Integer Kind);
// The platform's folder dialog over the drives; the chosen file-system folder
// or empty text.
String BrowseForFolder(HWND Owner, const String& Title);
// Starts FileName through the shell, shown normally; the new process's
// handle (the caller closes it), or 0.
HANDLE ExecuteFile(const String& FileName, const String& Parameters);
// The file's version text "a.b.c.d" ("0.0.0.0" without a version resource);
// empty when the file does not exist.
String GetFileVersionText(const String& FileName);
