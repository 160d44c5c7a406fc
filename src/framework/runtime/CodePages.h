// CodePages: the built-in ANSI code page tables (1252 and 936). The host build
// converts through them; the Windows build asks the system and keeps the tables
// only so that tests can hold them against it.
#pragma once

#include "framework/runtime/System.h"

bool IsTableCodePage(Cardinal CodePage);
// Characters without a form in the code page become '?' (or the page's best fit).
AnsiString TableStringToAnsi(const String& S, Cardinal CodePage);
// Undefined bytes map as the system maps them.
String TableAnsiToString(const AnsiString& S, Cardinal CodePage);
