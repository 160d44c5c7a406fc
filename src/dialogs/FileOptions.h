// FileOptions: how the live document is written when it is saved as JPEG or
// BMP, as row 0 of its file-information table keeps it, and the choices of
// the two option dialogs without their windows.
#pragma once

#include "foundation/HyDataTable.h"

namespace FileOptionCol {
// 10 the JPEG quality step ("1" to "10"), 11 use these options from now on,
// 12 the BMP bit depth.
constexpr Integer JpegStep = 10, SameOnNext = 11, BmpDepth = 12;
}
// Row 0 of the file-information table, made (5 rows of 20 cells) when the
// table is still empty and grown to hold the option cells.
TRow& FileOptionsRow(TDataTable& FileDT);

// The quality step the JPEG dialog starts at: the stored one, else 9.
Integer InitialJpegStep(const TRow& Options);

// The BMP dialog's depths, top to bottom; the first checked one is written,
// none checked writes 32.
constexpr Integer BmpDepths[] = {1, 4, 8, 16, 24, 32};
Integer CheckedBmpDepth(const bool (&Checked)[6]);
