#include "foundation/win/HySysUtils_Win.h"

#include <wininet.h>

#include <algorithm>

#include "framework/controls/win/Forms.h"

namespace {

// The version the system really runs: GetVersionExW reports 6.2 to a program
// without a manifest that names newer systems.
RTL_OSVERSIONINFOW RealVersion()
{
    RTL_OSVERSIONINFOW Info = {};
    Info.dwOSVersionInfoSize = sizeof(Info);
    using TRtlGetVersion = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
    auto Get = reinterpret_cast<TRtlGetVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    if (Get && Get(&Info) == 0) return Info;
    OSVERSIONINFOW Old = {};
    Old.dwOSVersionInfoSize = sizeof(Old);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&Old);
#pragma GCC diagnostic pop
    Info.dwMajorVersion = Old.dwMajorVersion;
    Info.dwMinorVersion = Old.dwMinorVersion;
    Info.dwBuildNumber = Old.dwBuildNumber;
    std::copy(std::begin(Old.szCSDVersion), std::end(Old.szCSDVersion), Info.szCSDVersion);
    return Info;
}

String WithBackslash(const wchar_t* Folder, UINT Length, UINT Capacity)
{
    if (Length == 0 || Length >= Capacity) return String();
    return IncludeTrailingPathDelimiter(FromWStr(Folder));
}

bool KeyDown(int VirtualKey)
{
    return (GetKeyState(VirtualKey) & 0x8000) != 0;
}

// Closes an internet handle once.
struct TInternetHandle {
    HINTERNET Handle;
    ~TInternetHandle()
    {
        if (Handle) InternetCloseHandle(Handle);
    }
};

bool IsUtf8WithNonAscii(const RawByteString& Bytes)
{
    bool NonAscii = false;
    for (size_t I = 0; I < Bytes.size();) {
        const Byte B = static_cast<Byte>(Bytes[I]);
        size_t Follow = B < 0x80 ? 0 : (B & 0xE0) == 0xC0 ? 1 : (B & 0xF0) == 0xE0 ? 2 : (B & 0xF8) == 0xF0 ? 3 : 9;
        if (Follow == 9 || (Follow == 1 && B < 0xC2) || I + Follow >= Bytes.size()) return false;
        for (size_t K = 1; K <= Follow; ++K)
            if ((static_cast<Byte>(Bytes[I + K]) & 0xC0) != 0x80) return false;
        NonAscii |= Follow > 0;
        I += Follow + 1;
    }
    return NonAscii;
}

String Utf16Text(const RawByteString& Bytes, size_t Start, bool BigEndian)
{
    String Text;
    for (size_t I = Start; I + 1 < Bytes.size(); I += 2) {
        const Byte A = static_cast<Byte>(Bytes[I]), B = static_cast<Byte>(Bytes[I + 1]);
        Text += static_cast<Char>(BigEndian ? (A << 8) | B : (B << 8) | A);
    }
    return Text;
}

}  // namespace

const Integer Win32MajorVersion = static_cast<Integer>(RealVersion().dwMajorVersion);

void AllowDropAndCopyData()
{
    using TChangeWindowMessageFilter = BOOL(WINAPI*)(UINT, DWORD);
    auto Change = reinterpret_cast<TChangeWindowMessageFilter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilter")));
    if (!Change) return;
    constexpr DWORD MsgFltAdd = 1;
    Change(WM_DROPFILES, MsgFltAdd);
    Change(WM_COPYDATA, MsgFltAdd);
    Change(0x49, MsgFltAdd);  // WM_COPYGLOBALDATA, which carries dropped files between processes
}

bool GetClipboardBitmapSize(Integer& W, Integer& H)
{
    W = H = -1;
    if (!IsClipboardFormatAvailable(CF_BITMAP) || !OpenClipboard(nullptr)) return false;
    BITMAP Info = {};
    HANDLE Bitmap = GetClipboardData(CF_BITMAP);
    const bool Ok = Bitmap && GetObjectW(Bitmap, sizeof(Info), &Info) != 0;
    CloseClipboard();
    if (!Ok) return false;
    W = Info.bmWidth;
    H = Info.bmHeight;
    return true;
}

bool CaptureScreenRect(TBitmap& Bitmap, const TRect& Rect, bool DrawCursor, HWND Wnd)
{
    TRect R = Rect;
    CURSORINFO Cursor = {};
    Cursor.cbSize = sizeof(Cursor);
    if (DrawCursor) {
        DrawCursor = GetCursorInfo(&Cursor) && Cursor.hCursor && Cursor.ptScreenPos.x >= R.Left &&
                     Cursor.ptScreenPos.x < R.Right && Cursor.ptScreenPos.y >= R.Top && Cursor.ptScreenPos.y < R.Bottom;
    }
    // Where the bitmap's top-left corner lies on the screen: the cursor is drawn
    // relative to it. From a window's context only the part on the screen is
    // taken, so a window reaching left of or above the screen starts at 0.
    TPoint Origin(R.Left, R.Top);
    if (Wnd) {
        Origin = TPoint(std::max(R.Left, 0), std::max(R.Top, 0));
        const Integer ScreenW = GetSystemMetrics(SM_CXSCREEN), ScreenH = GetSystemMetrics(SM_CYSCREEN);
        auto ToWindow = [](Integer& Low, Integer& High, Integer Screen) {
            if (Low < 0) {
                Low = -Low;
                High = std::min(High, Screen) + Low;
            } else {
                High = std::min(High, Screen) - Low;
                Low = 0;
            }
        };
        ToWindow(R.Left, R.Right, ScreenW);
        ToWindow(R.Top, R.Bottom, ScreenH);
    }
    HDC Source = GetWindowDC(Wnd);
    const Integer W = std::max(R.Right - R.Left, 0), H = std::max(R.Bottom - R.Top, 0);
    Bitmap.SetSize(W, H);
    TCanvas* Canvas = Bitmap.Canvas();
    Canvas->SetCopyMode(SRCCOPY | CAPTUREBLT);
    if (W > 0 && H > 0) BitBlt(Canvas->Handle(), 0, 0, W, H, Source, R.Left, R.Top, Canvas->CopyMode());
    if (DrawCursor) {
        ICONINFO Icon = {};
        if (GetIconInfo(Cursor.hCursor, &Icon)) {
            DrawIcon(Canvas->Handle(), Cursor.ptScreenPos.x - Origin.X - static_cast<Integer>(Icon.xHotspot),
                     Cursor.ptScreenPos.y - Origin.Y - static_cast<Integer>(Icon.yHotspot), Cursor.hCursor);
            if (Icon.hbmMask) DeleteObject(Icon.hbmMask);
            if (Icon.hbmColor) DeleteObject(Icon.hbmColor);
        }
    }
    ReleaseDC(Wnd, Source);
    return true;
}

bool DownloadUrl(const String& Url, TStream* Stream, const TDownloadProgressEvent& OnProgress)
{
    TInternetHandle Session{InternetOpenW(L"Internet Explorer", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)};
    if (!Session.Handle) return false;
    // Reload from the server, no cache file, keep the connection, no cookies.
    constexpr DWORD Flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION |
                            INTERNET_FLAG_NO_COOKIES;
    TInternetHandle File{InternetOpenUrlW(Session.Handle, WStr(Url), nullptr, 0, Flags, 0)};
    if (!File.Handle) return false;
    bool Cancel = false;
    Byte Buffer[4096];
    for (;;) {
        DWORD Read = 0;
        if (!InternetReadFile(File.Handle, Buffer, sizeof(Buffer), &Read) || Read == 0) break;
        Stream->WriteBuffer(Buffer, static_cast<Integer>(Read));
        if (OnProgress) {
            OnProgress(Cancel, Stream->Size());
            if (Cancel) break;
        }
    }
    return !Cancel;
}

String GetUrlText(const String& Url)
{
    TMemoryStream Data;
    if (!DownloadUrl(Url, &Data) || Data.Size() == 0) return String();
    const RawByteString Bytes(static_cast<const char*>(Data.Memory()), static_cast<size_t>(Data.Size()));
    if (Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return UTF8ToString(Bytes.substr(3));
    if (Bytes.compare(0, 2, "\xFF\xFE") == 0) return Utf16Text(Bytes, 2, false);
    if (Bytes.compare(0, 2, "\xFE\xFF") == 0) return Utf16Text(Bytes, 2, true);
    if (IsUtf8WithNonAscii(Bytes)) return UTF8ToString(Bytes);
    return AnsiToString(Bytes);
}

void ShowInfoMsg(const String& Text, const String& Caption)
{
    Application->MessageBox(Text, Caption.empty() ? Application->Title() : Caption, MB_ICONINFORMATION | MB_OK);
}

bool IsLeftCtrlDown()
{
    return KeyDown(VK_LCONTROL);
}

bool IsRightCtrlDown()
{
    return KeyDown(VK_RCONTROL);
}

bool IsCtrlDown()
{
    return IsLeftCtrlDown() || IsRightCtrlDown();
}

bool IsShiftDown()
{
    return KeyDown(VK_LSHIFT) || KeyDown(VK_RSHIFT);
}

bool IsAltDown()
{
    return KeyDown(VK_LMENU) || KeyDown(VK_RMENU);
}

bool IsF10Down()
{
    return KeyDown(VK_F10);
}

UInt64 GetAvailPhysMemory()
{
    MEMORYSTATUSEX Status = {};
    Status.dwLength = sizeof(Status);
    return GlobalMemoryStatusEx(&Status) ? Status.ullAvailPhys : 0;
}

String GetOSVersionText()
{
    const RTL_OSVERSIONINFOW V = RealVersion();
    String Text = IntToStr(V.dwMajorVersion) + IntToStr(V.dwMinorVersion) + IntToStr(V.dwBuildNumber & 0xFFFF);
    const String ServicePack = FromWStr(V.szCSDVersion);
    if (!ServicePack.empty()) Text += u" " + ServicePack;
    return Text;
}

String GetWindowsFolder()
{
    wchar_t Folder[MAX_PATH];
    return WithBackslash(Folder, GetWindowsDirectoryW(Folder, MAX_PATH), MAX_PATH);
}

String GetWindowsDrive()
{
    return GetWindowsFolder().substr(0, 1);
}

String GetSystemFolder()
{
    wchar_t Folder[MAX_PATH];
    return WithBackslash(Folder, GetSystemDirectoryW(Folder, MAX_PATH), MAX_PATH);
}
