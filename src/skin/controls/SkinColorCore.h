// SkinColorCore: the portable part of the colour controls: the colour models
// of the colour dialog (RGB, HSL for the hue ring and square, HSV for the
// number fields), the palette's geometry and hit tests, the colour grids'
// cell layout and hit test, the custom-colour store, the colour button's
// swatch table and menu layout, the pen-style pictures of the pen button and
// the drop-down part of the menu buttons. The window classes
// (win/sfColorCtrls, win/SkinExCtrls, win/SkinButtons) draw what these say.
#pragma once

#include <array>
#include <vector>

#include "framework/runtime/Types.h"
#include "framework/runtime/UITypes.h"

// ---------------------------------------------------------------------------
// Colour models.

struct TsfRGB {
    Byte Red = 0, Green = 0, Blue = 0;
    friend bool operator==(const TsfRGB&, const TsfRGB&) = default;
};
// Each 0..1.
struct TsfHSL {
    double Hue = 0, Saturation = 0, Lightness = 0;
};
// Each 0..255.
struct TsfHSLBytes {
    Byte Hue = 0, Saturation = 0, Lightness = 0;
    friend bool operator==(const TsfHSLBytes&, const TsfHSLBytes&) = default;
};
// Hue 0..359, saturation and value 0..100 (the dialog's number fields).
struct TsfHSV {
    Integer Hue = 0, Saturation = 0, Value = 0;
    friend bool operator==(const TsfHSV&, const TsfHSV&) = default;
};

TsfRGB ColorToRGBBytes(TColor C);  // C must be an RGB value (no system colour)
TColor RGBBytesToColor(const TsfRGB& C);
TsfHSL RGBToHSL(const TsfRGB& C);
TsfRGB HSLToRGB(const TsfHSL& C);
TsfHSV RGBToHSV(const TsfRGB& C);
TsfRGB HSVToRGB(const TsfHSV& C);

// One colour kept in three consistent forms (the palette's colour).
class TPSPColor {
public:
    // Packed red + 256 green + 65536 blue.
    void SetRGB(Integer Packed);
    void SetHSL(const TsfHSL& Value);
    // Packed hue + 256 saturation + 65536 lightness.
    void SetHSLPSP(Integer Packed);
    const TsfRGB& RGBValue() const { return FRGB; }
    const TsfHSL& HSL() const { return FHSL; }
    const TsfHSLBytes& HSLPSP() const { return FHSLPSP; }
    Integer PackedRGB() const { return FRGB.Red + 256 * FRGB.Green + 65536 * FRGB.Blue; }

private:
    void BytesFromHSL();
    TsfRGB FRGB;
    TsfHSL FHSL;
    TsfHSLBytes FHSLPSP;
};

// ---------------------------------------------------------------------------
// The palette of the colour dialog: a hue ring around a saturation (across) /
// lightness (down) square in a 195-pixel image.

constexpr Integer sfPaletteSize = 195;
constexpr Integer sfSquareLow = 44, sfSquareHigh = 150;

enum class TsfPaletteZone : Byte { None, Circle, Square };

// Degrees of (X, Y) around (CX, CY), clockwise from straight up, rounded; 360 counts as 0.
Integer PaletteAngle(double X, double Y, double CX, double CY);
// Whether pixel (X, Y) lies inside the ellipse (L, T, R, B).
bool InEllipse(Integer X, Integer Y, Integer L, Integer T, Integer R, Integer B);
// The 360 hue colours of the ring: entry k is HSL (k / 359, 1, 0.47).
std::array<TsfRGB, 360> PaletteHueTable();
// The ring pixel (X, Y) of the image (0 <= X, Y < 195), or false outside the ring.
bool PaletteRingPixel(const std::array<TsfRGB, 360>& Hues, Integer X, Integer Y, TsfRGB& C);
// The square pixel at (X, Y) (44..150) for Hue.
TsfRGB PaletteSquarePixel(double Hue, Integer X, Integer Y);
// The zone a press at (X, Y) falls in.
TsfPaletteZone PaletteZone(Integer X, Integer Y, Integer PosCar, Integer PosCircle);
// The hue byte of a ring point (any point: a drag beyond the ring keeps turning).
Byte RingHueByte(Integer X, Integer Y, Integer PosCar);
// Saturation and lightness bytes of a square point, clamped to the square.
void SquareBytes(Integer X, Integer Y, Integer PosCar, Byte& S, Byte& L);
// Centres of the two markers.
TPoint SquareMarkerCentre(const TsfHSL& C, Integer PosCar);
TPoint RingMarkerCentre(const TsfHSL& C, Integer PosCar);

// ---------------------------------------------------------------------------
// Colour grids.

constexpr Integer sfBasicColorCount = 48;
constexpr Integer sfCustomColorCount = 12;
extern const std::array<TColor, sfBasicColorCount> sfBasicColors;

// Cells of a grid of ColCount x RowCount in R (the panel's client part). The
// counts are clamped: at least one row and column, never more cells than
// ColorCount colours.
class TsfColorGridLayout {
public:
    TsfColorGridLayout(const TRect& R, Integer ColCount, Integer RowCount, Integer ColorCount);
    Integer Cells() const { return FCells; }
    Integer ColCount() const { return FCols; }
    Integer RowCount() const { return FRows; }
    // Origin of cell N (row by row).
    TPoint Origin(Integer N) const;
    Integer CellWidth() const { return FCW; }
    Integer CellHeight() const { return FCH; }
    // The selection frame, the swatch (smaller when selected) and the hit rectangle of cell N.
    TRect SelectionRect(Integer N) const;
    TRect SwatchRect(Integer N, bool Selected) const;
    TRect HitRect(Integer N) const;
    // The cell under (X, Y) (right and bottom edges excluded), or -1.
    Integer HitTest(Integer X, Integer Y) const;

private:
    Integer FCols, FRows, FCells, FCW, FCH, FLeft, FTop;
};

// The custom colours of the dialog and the colour button: twelve, white at
// first; Count is also the next write position, and a thirteenth wraps.
struct TsfCustomColors {
    std::array<TColor, sfCustomColorCount> Values{};
    Integer Count = 0;
    TsfCustomColors() { Values.fill(0xFFFFFF); }
    void Add(TColor C);
    // The first Count of Source (clamped to 0..12).
    void Set(const std::array<TColor, sfCustomColorCount>& Source, Integer ACount);
};

// ---------------------------------------------------------------------------
// The colour button's menu: [automatic] forty colours [more colours] [pick].

constexpr Integer sfColorMenuColorCount = 40;
extern const std::array<TColor, sfColorMenuColorCount> sfColorMenuColors;

enum class TsfColorMenuChoice : Byte { None, Automatic, Color, More, Pick };

struct TsfColorMenuLayout {
    bool Auto = true, More = true, Pick = true;
    Integer Count() const { return (Auto ? 1 : 0) + sfColorMenuColorCount + (More ? 1 : 0) + (Pick ? 1 : 0); }
    Integer FirstColor() const { return Auto ? 1 : 0; }
    Integer MoreIndex() const { return More ? FirstColor() + sfColorMenuColorCount : -1; }
    Integer PickIndex() const { return Pick ? Count() - 1 : -1; }
    // What choosing entry K does.
    TsfColorMenuChoice Choice(Integer K) const;
    // The entry selected when the menu opens: ResolvedColors are the forty
    // colours and Value the button's colour, all resolved to RGB.
    Integer Selection(const std::array<TColor, sfColorMenuColorCount>& ResolvedColors, TColor Value,
                      bool DrawMarker) const;
};

// ---------------------------------------------------------------------------
// Pen-style pictures: 44 x 15, silver border, white inside, a black line three
// pixels high in rows 6..8. Style 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot.

constexpr Integer sfPenPictureWidth = 44, sfPenPictureHeight = 15, sfPenStyleCount = 5;
// Row-major TColor pixels; empty for a style outside 0..4.
std::vector<TColor> PenStylePicture(Integer Style);

// ---------------------------------------------------------------------------
// The drop-down (track) part of the menu buttons.

constexpr Integer sfTrackPartSize = 15;
// TrackButtonRect of a description at the control's size: moved right for
// resize mode 2, down for resize mode 3.
TRect TrackRectAtSize(const TRect& TrackButtonRect, const TRect& SkinRect, Integer ResizeMode, Integer Width,
                      Integer Height);
// The built-in track part: the right 15 pixels, or the bottom 15 (Bottom).
TRect DefaultTrackRect(Integer Width, Integer Height, bool Bottom);
// Whether a press at (X, Y) opens the menu: never without a menu, anywhere
// without track mode, else inside Track with all four edges included.
bool InTrackArea(bool HasMenu, bool TrackButtonMode, const TRect& Track, Integer X, Integer Y);
