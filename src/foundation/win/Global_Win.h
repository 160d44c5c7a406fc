// Global_Win: the Windows side of Global: the real platform services, the
// main window's handle for the hotkeys, the dialogs' handle, and the test that
// hands a second start over to the running copy.
#pragma once

#include "foundation/Global.h"
#include "framework/runtime/win/WinPlatform.h"

// The main window, set by InitSkinTable: it receives the global hotkeys.
extern HWND HotkeyWindow;
// The program's dialog being shown (0: none); the dialogs keep it.
extern HWND ActiveFormWindow;

// InitGlobals with the platform's own services (program file, version
// resource, atoms and hotkeys, the "DbLang" resource of the program module).
void InitGlobals(const String& AProductName, Byte AEditionCode, const String& DataFolderOverride = String());
// Keeps the main window for the hotkeys, clears ActiveFormWindow, lets
// dropped files and copied data through the message filter (Windows 6 and
// later) when AllowMessages, fills SkinTable and defaults the skin name.
void InitSkinTable(HWND MainWindow, bool AllowMessages);

// Message 0x40A (wParam 1) tells the running copy to show itself.
constexpr UINT WM_SHOWMAINWINDOW = WM_USER + 10;
// The single-instance test. This copy claims its data folder by a named
// mutex; when another copy holds it, this one ends (true) after telling the
// running main window (the window of this product's Share6.db row whose
// caption contains Title, enabled or showing a modal dialog) to show itself
// by 0x40A (wParam 1) and handing it FileName (when not empty) by WM_COPYDATA
// with CallerId as dwData. A running copy whose window does not answer within
// a few seconds is left alone, and this copy still ends; one that ends
// meanwhile gives its claim to this copy (false: it starts).
bool ActivatePrevInstance(const String& Title, const String& FileName = String(), Integer CallerId = 0);
// Gives up this copy's claim (a test that plays the running copy, then not).
void ReleaseInstanceClaim();
