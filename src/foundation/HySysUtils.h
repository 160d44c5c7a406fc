// HySysUtils: small services over the platform. This unit holds the portable
// ones (version comparison and file-size text); the routines that call the
// Windows API live in a Windows unit beside it.
#pragma once

#include "framework/runtime/SysUtils.h"

// "=", "<" or ">" comparing dotted version numbers part by part (a missing part
// is smaller: "1.0" < "1.0.0"); empty text when either is empty. A part that
// is not an integer raises EConvertError.
String CompareVersion(const String& V1, const String& V2);
// "512 Bytes", "2 KB", "2.5 MB", "150 MB", "1.2 GB": always "." as the decimal
// separator, so the text is the same everywhere and never splits a table cell.
String FormatFileSize(Int64 Size);
