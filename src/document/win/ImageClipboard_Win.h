// ImageClipboard_Win: the system clipboard of documents on the platform's
// clipboard: bitmaps (read from whatever picture another program put,
// written as a device-independent and a device bitmap) and Unicode text.
// Windows only.
#pragma once

#include "document/ImageClipboard.h"

// Installs the platform's clipboard as SystemClipboard; InstallImageDrawHooks
// calls it.
void InstallImageClipboardHooks();
