#include "foundation/win/HyFileUtils_Win.h"

#include <shlobj.h>
#include <shellapi.h>

#include <cstring>

#include "foundation/win/QvFileVersion.h"

void CopyFilesToClipboard(const String& FileList)
{
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    // The header, the list and one more #0; the list's own last #0 and the
    // extra one end it. Wide names: an 8-bit list loses every name outside
    // the ANSI code page.
    const SIZE_T Bytes = sizeof(DROPFILES) + (FileList.size() + 1) * sizeof(Char);
    HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, Bytes);
    if (Block) {
        auto* Drop = static_cast<DROPFILES*>(GlobalLock(Block));
        if (Drop) {
            Drop->pFiles = sizeof(DROPFILES);
            Drop->fWide = TRUE;
            std::memcpy(reinterpret_cast<Byte*>(Drop) + sizeof(DROPFILES), FileList.data(),
                        FileList.size() * sizeof(Char));
            GlobalUnlock(Block);
            if (SetClipboardData(CF_HDROP, Block)) Block = nullptr;  // the clipboard owns it now
        }
        if (Block) GlobalFree(Block);
    }
    CloseClipboard();
}

void GetFileTimeLocal(const String& FileName, Integer Kind, FILETIME& Time)
{
    Time = {};
    HANDLE File = CreateFileW(WStr(FileName), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (File == INVALID_HANDLE_VALUE) return;
    FILETIME Times[3] = {};
    if (Kind >= 0 && Kind <= 2 && GetFileTime(File, &Times[0], &Times[1], &Times[2]))
        FileTimeToLocalFileTime(&Times[Kind], &Time);
    CloseHandle(File);
}

TDateTime GetFileDateTime(const String& FileName, Integer Kind)
{
    FILETIME Time;
    GetFileTimeLocal(FileName, Kind, Time);
    SYSTEMTIME S;
    TDateTime Date, Clock;
    if (!FileTimeToSystemTime(&Time, &S) || !TryEncodeDate(S.wYear, S.wMonth, S.wDay, Date) ||
        !TryEncodeTime(S.wHour, S.wMinute, S.wSecond, S.wMilliseconds, Clock))
        return EncodeDate(2001, 1, 1);
    // Before 1899-12-30 the day count is negative and the time of day still adds to its size.
    return Date < 0 ? Date - Clock : Date + Clock;
}

String BrowseForFolder(HWND Owner, const String& Title)
{
    LPITEMIDLIST Root = nullptr;
    SHGetSpecialFolderLocation(Owner, CSIDL_DRIVES, &Root);
    wchar_t DisplayName[MAX_PATH] = {};
    BROWSEINFOW Info = {};
    Info.hwndOwner = Owner;
    Info.pidlRoot = Root;
    Info.pszDisplayName = DisplayName;
    Info.lpszTitle = WStr(Title);
    Info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST Chosen = SHBrowseForFolderW(&Info);
    String Folder;
    if (Chosen) {
        wchar_t Path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(Chosen, Path)) Folder = FromWStr(Path);
        CoTaskMemFree(Chosen);
    }
    if (Root) CoTaskMemFree(Root);
    return Folder;
}

HANDLE ExecuteFile(const String& FileName, const String& Parameters)
{
    SHELLEXECUTEINFOW Info = {};
    Info.cbSize = sizeof(Info);  // the record's real size: 60 bytes only in 32-bit programs
    Info.fMask = SEE_MASK_NOCLOSEPROCESS;
    Info.lpFile = WStr(FileName);
    Info.lpParameters = Parameters.empty() ? nullptr : WStr(Parameters);
    Info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&Info)) return nullptr;
    return Info.hProcess;
}

String GetFileVersionText(const String& FileName)
{
    if (!FileExists(FileName)) return String();
    return TQvFileVersion(FileName, 1252, 0).FileVersionText();
}
