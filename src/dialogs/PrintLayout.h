// PrintLayout: where the print dialog puts the picture, without a window.
// Everything is worked out once in printer dots (each axis with its own
// resolution) and the preview is that same plan scaled down, so preview and
// print always agree on the pages. A picture larger than the printable area
// is split across pages both ways (across, then down); each page takes the
// image pixels under its band, so nothing is cut. Margins and custom sizes
// are clamped so the printable area never vanishes and no page bitmap grows
// past the printable area.
#pragma once

#include <vector>

#include "framework/runtime/Types.h"

namespace PrintLayout {

// Settings row 4.
namespace PrintCell {
constexpr Integer Position = 0, SizeMode = 1, FitMode = 2, MarginTop = 3, MarginBottom = 4, MarginLeft = 5,
                  MarginRight = 6;
}
enum TSizeMode : Integer { smActual = 0, smAuto = 1, smCustom = 2 };
enum TFitMode : Integer { fmPage = 0, fmWidth = 1, fmHeight = 2 };

constexpr double MaxCm = 999.0, MinCustomCm = 0.01;
// The preview box: at most 263 x 373 pixels at (420, 16).
constexpr Integer PreviewLeft = 420, PreviewTop = 16, PreviewMaxWidth = 263, PreviewMaxHeight = 373;

// What the printer reports (LOGPIXELSX/Y, PHYSICALWIDTH/HEIGHT,
// PHYSICALOFFSETX/Y). Values of 0 or less are replaced by a US-letter page
// at 300 dpi so no division fails.
struct TPrinterMetrics {
    Integer DpiX = 300, DpiY = 300;
    Integer PhysWidth = 2550, PhysHeight = 3300;
    Integer OffsetX = 0, OffsetY = 0;
};
TPrinterMetrics Sanitized(const TPrinterMetrics& M);

struct TMarginsCm {
    double Top = 0.81, Bottom = 0.81, Left = 0.76, Right = 0.76;
};

struct TPrintSettings {
    Integer Position = 0;  // 0..8, rows of three from the top left
    Integer SizeMode = smAuto;
    Integer FitMode = fmPage;
    TMarginsCm Margins;
    double CustomWidthCm = 1, CustomHeightCm = 1;
    Integer ScreenDpi = 96;
};

// Centimetres to dots at one axis's resolution.
Integer CmToDots(double Cm, Integer Dpi);
// The picture's size in centimetres at the screen's resolution (at most 999).
double PixelsToCm(Integer Pixels, Integer ScreenDpi);
// A typed custom size: at least 0.01, at most 999 (not a number: 0.01).
double ClampCustomCm(double Cm);
// The other side of a custom size with the ratio kept (width / height).
double HeightForWidth(double WidthCm, double Ratio);
double WidthForHeight(double HeightCm, double Ratio);

// Centimetre texts in settings always use "." whatever the locale; reading
// also takes "," (older files). Bad or empty text gives Default; the value is
// held to 0..999.
UnicodeString FormatCm(double Cm);
double ParseCm(const UnicodeString& Text, double Default);
TMarginsCm DefaultMargins();

// The preview page: the page's shape fitted into the 263 x 373 box, centred
// on its shorter side (screen coordinates of the dialog).
TRect PreviewRect(const TPrinterMetrics& M);

// Margins in dots (top and bottom at the vertical resolution, left and right
// at the horizontal one), shrunk in proportion when they would leave less
// than a centimetre (or a tenth of the page, if smaller) to print on.
TRect MarginDots(const TMarginsCm& Cm, const TPrinterMetrics& M);

// One printed page: the image pixels Source go stretched into Dest (page
// dots, from the physical top left corner).
struct TPiece {
    TRect Source;
    TRect Dest;
};

struct TPlan {
    TPrinterMetrics Metrics;
    TRect Margins;  // Left, Top, Right, Bottom in dots
    Integer PrintWidth = 0, PrintHeight = 0;  // the printable area in dots
    Integer ImageWidthDots = 0, ImageHeightDots = 0;  // the printed picture
    Integer Columns = 1, Rows = 1;
    Integer Position = 0;  // the effective anchor (top row only for several pages)
    Integer PageCount() const { return Columns * Rows; }
    bool AllPositions() const { return PageCount() == 1; }
};

TPlan MakePlan(const TPrintSettings& S, const TPrinterMetrics& M, Integer ImageWidth, Integer ImageHeight);
// Page Index (0 .. PageCount - 1, across then down).
TPiece PageAt(const TPlan& P, Integer Index, Integer ImageWidth, Integer ImageHeight);
// Where Dest lands on the printable area: one page is held inside it (never
// before its corner); pieces of several pages are shifted by the offsets.
TPoint DrawOrigin(const TPlan& P, const TPiece& Piece);
// A piece cut into strips of at most MaxRows printer rows, so the work
// bitmap stays small; the strips tile Dest and Source without gaps.
std::vector<TPiece> Bands(const TPiece& Piece, Integer MaxRows);

// The preview of a plan: the page is Width x Height preview pixels.
struct TPreview {
    Integer Width = 0, Height = 0;
    Integer MarginTop = 0, MarginBottom = 0, MarginLeft = 0, MarginRight = 0;
};
TPreview PreviewOf(const TPlan& P);
// A piece's destination on the preview page.
TRect PreviewDest(const TPlan& P, const TPiece& Piece);
// "page/count" under the preview.
UnicodeString PageInfo(Integer Index, Integer Count);

}  // namespace PrintLayout
