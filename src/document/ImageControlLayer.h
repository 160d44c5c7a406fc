// ImageControlLayer: how the document's control layer draws on the view's
// back buffer: the inverting pen (paint-tool outlines, crosses, the ruler),
// the anti-aliased frame of the effect brush, and the platform's focus frame
// and text, which the Windows side installs as hooks.
#pragma once

#include "Component/Raster32/Ras32.h"

// A black pen in the inverting mode on a bitmap: every figure inverts the
// colour of each pixel it covers once (the alpha byte stays), so it shows on
// any picture and a second identical figure takes it away again. Figures
// keep to the bitmap's clip rectangle: the view repaints only there, and an
// inversion outside it would stay on the screen. Coordinates are the
// platform pen's: the end point of a line, and the right and bottom edges of
// a rectangle or ellipse box, are not drawn.
class TInvertPen {
public:
    explicit TInvertPen(TCustomBitmap32& Target) : FTarget(Target) {}

    void Pixel(Integer X, Integer Y);
    void Line(Integer X1, Integer Y1, Integer X2, Integer Y2);
    // The outline of the box (X1, Y1) - (X2, Y2).
    void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
    // The outline of the ellipse inscribed in the box (X1, Y1) - (X2, Y2),
    // one pixel thick and closed.
    void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
    // A horizontal and a vertical line Size pixels long through (X, Y); the
    // middle pixel is crossed twice and keeps its colour.
    void Cross(Integer X, Integer Y, Integer Size);

private:
    void Span(Integer X1, Integer X2, Integer Y);  // X1 to X2 inclusive
    TCustomBitmap32& FTarget;
};

// The outline of the rectangle whose corner pixels are (R.Left, R.Top) and
// (R.Right, R.Bottom), blended in Color with a pen Width pixels wide (1 or
// 2) centred on those pixels: a 2-pixel pen covers them fully and their
// neighbours on both sides half.
void FrameRectAntialiased(TCustomBitmap32& Target, const TRect& R, TColor32 Color, Integer Width);

// What needs the platform's text and focus frame. Unset in the host build:
// nothing is drawn and texts measure 0.
struct TControlLayerHooks {
    // The platform's dotted XOR frame around R.
    void (*FocusRect)(TCustomBitmap32& Buffer, const TRect& R) = nullptr;
    Integer (*MeasureText)(TCustomBitmap32& Buffer, const String& Text, Integer FontSize) = nullptr;
    // Text in black at (X, Y), top left, on a transparent background.
    void (*WriteText)(TCustomBitmap32& Buffer, Integer X, Integer Y, const String& Text, Integer FontSize) = nullptr;
};
extern TControlLayerHooks ControlLayerHooks;
