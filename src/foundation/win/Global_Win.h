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
// When the main window stored in this product's Share6.db row exists, is
// enabled and its caption contains Title: sends it 0x40A, hands it FileName
// (when not empty) by WM_COPYDATA with CallerId as dwData, brings it to the
// front and returns true (the caller then ends). A copy that does not answer
// within a few seconds is taken as gone: false, and this one starts.
bool ActivatePrevInstance(const String& Title, const String& FileName = String(), Integer CallerId = 0);
