// The Windows API for the runtime's Windows units: <windows.h> with the macros
// that clash with runtime names (DeleteFile, GetEnvironmentVariable, and
// GetProp of the table store) undone. Windows units include this instead of <windows.h> and call the W
// functions by their full names.
#pragma once

#ifndef _WIN32
#error "WinPlatform.h is for the Windows build only"
#endif

#include <windows.h>

#undef DeleteFile
#undef GetEnvironmentVariable
#undef GetProp
