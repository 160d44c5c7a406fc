// HySysUtils_Win: the services of HySysUtils that call the Windows API: the
// message filter, screen capture, a web download, the information box, key
// states, free memory, the Windows version and folders.
#pragma once

#include "foundation/HySysUtils.h"
#include "framework/runtime/Classes.h"
#include "framework/graphics/win/Graphics.h"
#include "framework/runtime/Types.h"
#include "framework/runtime/win/WinPlatform.h"

// The major version of the running Windows (6 for Vista and 7, 10 for 10 and 11).
extern const Integer Win32MajorVersion;

// Lets WM_DROPFILES, WM_COPYDATA and message 0x49 reach the program from
// processes of lower integrity, where user32 has ChangeWindowMessageFilter.
void AllowDropAndCopyData();
// True when the clipboard holds a bitmap; W and H are then its size, else -1.
bool GetClipboardBitmapSize(Integer& W, Integer& H);
// Copies Rect of the screen (Wnd 0, screen coordinates) or the part of a
// window's rectangle Rect that lies on the screen (from the window's own
// context) into Bitmap, layered windows included; with DrawCursor the cursor
// is drawn where it is when it lies inside Rect. Always true.
bool CaptureScreenRect(TBitmap& Bitmap, const TRect& Rect, bool DrawCursor, HWND Wnd);

// Receives the bytes received so far; setting Cancel ends the download.
using TDownloadProgressEvent = TEvent<bool& /*Cancel*/, Int64 /*Received*/>;
// Downloads Url into Stream. False when the session or the URL cannot be
// opened or the handler cancelled; a failed read ends the download early.
bool DownloadUrl(const String& Url, TStream* Stream, const TDownloadProgressEvent& OnProgress = nullptr);
// The resource at Url as text: by its byte-order mark, else UTF-8 when it is
// valid UTF-8 with non-ASCII characters, else the system's ANSI code page.
// Empty when the download fails or is empty.
String GetUrlText(const String& Url);

// The application's information box; Caption empty gives the application title.
void ShowInfoMsg(const String& Text, const String& Caption = String());

bool IsLeftCtrlDown();
bool IsRightCtrlDown();
bool IsCtrlDown();
bool IsShiftDown();
bool IsAltDown();
bool IsF10Down();

// The physical memory available now, in bytes.
UInt64 GetAvailPhysMemory();
// Major, minor and build (low 16 bits) numbers run together, then a blank and
// the service-pack text when there is one: "617601 Service Pack 1".
String GetOSVersionText();
// With a trailing backslash; empty on failure.
String GetWindowsFolder();
String GetWindowsDrive();
String GetSystemFolder();
