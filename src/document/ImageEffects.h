// ImageEffects: what the drawn objects' fills, shadows and reflections share.
// The gradient lists and their blend, the program-wide texture cache, the
// fade-out of reflections, the inner glow of the edging fill, and the
// closed-shape drawing interface: a closed shape records its outline as a
// TShapePath and hands it to DrawClosedShape, which the platform side
// (win/ImageEffects_Win) paints with the object's fill, edging and outline.
// Portable: nothing here needs the platform's drawing.
#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "foundation/HyDataTable.h"

class TImgShape;

// ---------------------------------------------------------------------------
// Gradient lists: "/"-separated entries, one per stop.

// Splits a gradient list at "/" into the cells of Row.
void SplitGradientList(const String& List, TRow& Row);

// The interpolation colours (ARGB) and positions of a gradient. Only as many
// stops as the shortest of the three lists has are used, so a damaged
// document with lists of different lengths never reads past one of them. A
// stop is added at 0 when the first position is not the text "0" and at 1
// when the last is not "1", each repeating its neighbour's colour.
void BuildGradientBlend(const TRow& ColorRow, const TRow& OpacityRow, const TRow& PositionRow, Integer Opacity,
                        std::vector<TColor32>& Colors, std::vector<Single>& Positions, Integer ForeColor,
                        Integer BackColor);

// The box of an elliptic gradient: Box (X, Y, Width, Height) grown by 10
// pixels on every side, step by step, until every point of Inside lies within
// the ellipse inscribed in the grown box, measured from Centre
// (dx^2 / (w^2 / 4) + dy^2 / (h^2 / 4) <= 1). It grows at least once.
struct TGradientBox {
    Extended X = 0, Y = 0, Width = 0, Height = 0;
};
TGradientBox GrowEllipticGradientBox(TGradientBox Box, const TFloatPoint& Centre,
                                     std::initializer_list<TFloatPoint> Inside);

// The platform hatch style of a hatch pattern number: patterns 0..9 are
// styles 0..9, patterns from 10 on are styles from 18 on.
inline Integer GdiHatchStyle(Integer Pattern) { return Pattern < 10 ? Pattern : Pattern + 8; }

// ---------------------------------------------------------------------------
// The texture cache: one row per texture file ever used (cell 0 the path,
// the Data slot a memory stream with the file's bytes). Created on first use,
// rows are never removed or reread while the program runs.
TDataTable& TextureTable();
// Empties the cache (tests; the program never does).
void ClearTextureTable();

// True for a path on this machine's own file system: not a network share
// ("\\server\share", "//server/share"), not a device or raw path ("\\.\",
// "\\?\"), not a reserved device name (CON, NUL, COM1, ...), and not on a
// drive the platform reports as remote (IsRemoteDrive hook). Paths stored in
// documents come from elsewhere: opening one must not reach the network.
bool IsLocalFilePath(const String& FileName);

// The row of FileName in the texture cache, added when new; -1 when the path
// is not local, the file does not exist, is larger than MaxTextureFileSize,
// its header names no size or one beyond the document's limit
// (MaxImagePixels), or it does not decode to a picture with a positive size.
Integer RegisterTexture(const String& FileName);
constexpr Int64 MaxTextureFileSize = Int64(256) << 20;

// ---------------------------------------------------------------------------
// Effect bitmaps

// The reflection's fade-out: over the top ReflectHeight percent of the rows
// the alpha falls linearly to nothing; rows below are cleared. 0 or less
// leaves the bitmap as it is.
void FadeReflection(TCustomBitmap32& Bitmap, Integer ReflectHeight);

// The side growth of a zoomed shadow: Round(Size * Zoom / 200), made even.
Integer ShadowZoomGrowth(Integer Size, Integer Zoom);

// The inner glow of the edging fill. Outline: the 1-pixel outline; Band: the
// outline band 2 x Width wide; Inside: the object's inside in the glow colour,
// whose alpha becomes 255 at the outline fading to 0 at Width pixels from it
// (0 outside the band). All three bitmaps have the same size.
void MakeEdgingGlow(const TCustomBitmap32& Outline, const TCustomBitmap32& Band, TCustomBitmap32& Inside,
                    Integer Width);

// ---------------------------------------------------------------------------
// Closed-shape drawing

// An outline path as the platform's path API builds it: figures of lines,
// arcs, Beziers and cardinal curves in image coordinates. Shapes record it;
// the platform side replays it.
class TShapePath {
public:
    enum class TOp { Rectangle, Ellipse, Arc, Lines, Polygon, Beziers, Curve, ClosedCurve, StartFigure, CloseFigure };
    struct TItem {
        TOp Op = TOp::Rectangle;
        // Rectangle, Ellipse, Arc: X, Y, Width, Height; Arc: Start, Sweep (degrees).
        Single X = 0, Y = 0, Width = 0, Height = 0, Start = 0, Sweep = 0;
        // Lines, Polygon, Beziers, Curve, ClosedCurve.
        std::vector<TFloatPoint> Points{};
        Single Tension = 0.5f;
    };

    void AddRectangle(Single X, Single Y, Single Width, Single Height);
    void AddEllipse(Single X, Single Y, Single Width, Single Height);
    void AddArc(Single X, Single Y, Single Width, Single Height, Single StartAngle, Single SweepAngle);
    void AddLine(Single X1, Single Y1, Single X2, Single Y2);
    void AddLines(std::vector<TFloatPoint> Points);
    void AddPolygon(std::vector<TFloatPoint> Points);
    void AddBeziers(std::vector<TFloatPoint> Points);
    void AddCurve(std::vector<TFloatPoint> Points, Single Tension = 0.5f);
    void AddClosedCurve(std::vector<TFloatPoint> Points, Single Tension = 0.5f);
    void StartFigure();
    void CloseFigure();

    const std::vector<TItem>& Items() const { return FItems; }
    bool Empty() const { return FItems.empty(); }

private:
    std::vector<TItem> FItems;
};

// What a closed shape's Draw hands over: its outline, its bounding rectangle
// R (X, Y, Width, Height as the fill procedure takes it), and how the class
// draws: anti-aliased or not, turned by Angle degrees about Center (the
// shape turns counter-clockwise on screen).
struct TShapeBounds {
    Integer X = 0, Y = 0, Width = 0, Height = 0;
    friend bool operator==(const TShapeBounds&, const TShapeBounds&) = default;
};
struct TClosedShapeDraw {
    TShapePath Path;
    TShapeBounds Bounds;
    bool Smooth = false;
    Single Angle = 0;
    TFloatPoint Center;
};

// What the drawing takes from the platform side, installed at start-up
// (InstallImageEffectsHooks in win/ImageEffects_Win).
struct TImageEffectsHooks {
    // Paints Shape's fill, edging and outline along Args.Path into Target
    // (the closed-shape fill procedure, with the draw-mode variants). Unset:
    // closed shapes draw nothing (the host build).
    void (*DrawClosedShape)(TImgShape& Shape, TCustomBitmap32& Target, const TClosedShapeDraw& Args) = nullptr;
    // True when the drive of FileName is a network drive. Unset: no drive is.
    bool (*IsRemoteDrive)(const String& FileName) = nullptr;
};
extern TImageEffectsHooks ImageEffectsHooks;

// The closed-shape drawing of Shape into Target (null: the shape's own
// bitmap), through the installed hook.
void DrawClosedShape(TImgShape& Shape, TCustomBitmap32* Target, const TClosedShapeDraw& Args);
