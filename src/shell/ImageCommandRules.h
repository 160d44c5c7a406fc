// ImageCommandRules: the arithmetic of the image commands without a window:
// a crop frame fitted to a ratio, the saved crop sizes, the sides a canvas
// handle drag extends, where a paste lands, the gallery's daily backup and
// the document's changed flag after the watermark dialog.
#pragma once

#include <memory>

#include "foundation/HyDataTable.h"
#include "framework/runtime/Types.h"

// The crop frame R fitted to the ratio width / height Ratio: a wide ratio
// keeps the width, a tall (or square) one keeps the height; no ratio (0 or
// less) keeps the frame.
TRect FitCropToRatio(const TRect& R, double Ratio);
// The ratio of crop ratio index 1 to 9 (1:1 ... 16:10); 0 for any other.
double FixedCropRatio(Integer Index);

// Saves a crop size into the list, most recent first: a size listed already
// moves to the top; a new one goes on top and the oldest beyond eight goes.
constexpr Integer MaxCropSizes = 8;
void SaveCropSize(TDataTable& Sizes, Integer Width, Integer Height);

// How much each side of the canvas grows when canvas handle Handle (1-4 the
// corners clockwise from top-left, 5 top, 6 bottom, 7 left, 8 right) is
// dragged by (Dx, Dy); negative amounts cut. Any other handle changes nothing.
struct TCanvasSides {
    Integer Left = 0, Right = 0, Top = 0, Bottom = 0;
    friend bool operator==(const TCanvasSides&, const TCanvasSides&) = default;
};
TCanvasSides CanvasDragSides(Integer Handle, Integer Dx, Integer Dy);

// A paste goes to the pointer's last place only when that lies strictly
// inside the picture; on an edge or outside it goes to the view's centre.
bool PasteAtPointer(Integer X, Integer Y, Integer ImageWidth, Integer ImageHeight);

// The gallery is backed up once a day: Stored is the date of the last backup
// as kept in the settings, Today the date now (both "yyyy-mm-dd"). Any other
// stored text (none yet, or an older day-only record) is due.
bool GalleryBackupDue(const String& Stored, const String& Today);

// The document's changed flag after the watermark dialog closes with
// ModalResult: Cancel (2) keeps what it was before, anything else sets it.
bool ChangedAfterWatermark(Integer ModalResult, bool ChangedBefore);

// The watermark as the watermark settings row keeps it (cell 0 on, 2 the
// placement kind, 3 the corner, 4-5 edge distances, 6-7 tile spacing, 8 the
// angle, 9 the opacity, 11 the picture file stored escaped, 12 one colour
// made transparent, 13 that colour). Missing or unreadable cells read as 0
// or empty, so damaged settings give a watermark that is off.
struct TWatermarkSettings {
    bool Enabled = false;
    String FileName;  // unescaped
    Integer LocationType = 0, Location = 0, LocationED1 = 0, LocationED2 = 0, LocationSD1 = 0, LocationSD2 = 0;
    Integer Angle = 0, Opacity = 0;
    bool UseTC = false;
    Integer TC = 0;
};
TWatermarkSettings ReadWatermarkSettings(const TRow& Settings);
// The row a new document takes its watermark from: cell 0 "-1" or "0", 1 the
// file as stored (escaped), 2-9 the numbers of cells 2-9, 10 the transparency
// switch (-1 or 0), 11 the colour.
std::unique_ptr<TRow> BuildWatermarkRow(const TRow& Settings);
