#include "document/ImageControlLayer.h"

#include <cmath>
#include <cstdlib>

#include "framework/runtime/Maths.h"

TControlLayerHooks ControlLayerHooks;

void TInvertPen::Span(Integer X1, Integer X2, Integer Y)
{
    const TRect& C = FTarget.ClipRect();
    if (Y < C.Top || Y >= C.Bottom) return;
    X1 = Max(X1, C.Left);
    X2 = Min(X2, C.Right - 1);
    if (X1 > X2) return;
    PColor32 P = FTarget.GetPixelPtr(X1, Y);
    for (Integer X = X1; X <= X2; ++X, ++P) *P ^= 0x00FFFFFF;
}

void TInvertPen::Pixel(Integer X, Integer Y) { Span(X, X, Y); }

void TInvertPen::Line(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    // Bresenham, without the end point.
    const Integer DX = std::abs(X2 - X1), DY = std::abs(Y2 - Y1);
    const Integer SX = X1 < X2 ? 1 : -1, SY = Y1 < Y2 ? 1 : -1;
    Integer Err = DX - DY;
    Integer X = X1, Y = Y1;
    while (X != X2 || Y != Y2) {
        Pixel(X, Y);
        const Integer E2 = 2 * Err;
        if (E2 > -DY) {
            Err -= DY;
            X += SX;
        }
        if (E2 < DX) {
            Err += DX;
            Y += SY;
        }
    }
}

void TInvertPen::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    if (X2 < X1) std::swap(X1, X2);
    if (Y2 < Y1) std::swap(Y1, Y2);
    if (X2 == X1 || Y2 == Y1) return;
    --X2;
    --Y2;
    Span(X1, X2, Y1);
    if (Y2 != Y1) Span(X1, X2, Y2);
    for (Integer Y = Y1 + 1; Y < Y2; ++Y) {
        Pixel(X1, Y);
        if (X2 != X1) Pixel(X2, Y);
    }
}

void TInvertPen::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    if (X2 < X1) std::swap(X1, X2);
    if (Y2 < Y1) std::swap(Y1, Y2);
    if (X2 == X1 || Y2 == Y1) return;
    // The ellipse inscribed in the box's outer edges; a pixel is inside when
    // its centre is. The outline is every inside pixel with a side
    // neighbour outside.
    const double A = (X2 - X1) / 2.0, B = (Y2 - Y1) / 2.0;
    const double CX = X1 + (X2 - X1 - 1) / 2.0, CY = Y1 + (Y2 - Y1 - 1) / 2.0;
    struct TSpan {
        Integer L = 1, R = 0;  // empty
    };
    auto SpanOf = [&](Integer Y) {
        TSpan S;
        if (Y < Y1 || Y >= Y2) return S;
        const double D = (Y - CY) / B, T = 1 - D * D;
        if (T < 0) return S;
        const double Half = A * std::sqrt(T);
        S.L = static_cast<Integer>(std::ceil(CX - Half - 1e-9));
        S.R = static_cast<Integer>(std::floor(CX + Half + 1e-9));
        return S;
    };
    const TRect& C = FTarget.ClipRect();
    const Integer From = Max(Y1, C.Top), To = Min(Y2, C.Bottom);
    for (Integer Y = From; Y < To; ++Y) {
        const TSpan S = SpanOf(Y), Up = SpanOf(Y - 1), Down = SpanOf(Y + 1);
        if (S.L > S.R) continue;
        // Interior: both side neighbours inside and the pixels above and below too.
        const Integer InL = Max(Max(S.L + 1, Up.L), Down.L), InR = Min(Min(S.R - 1, Up.R), Down.R);
        if (InL > InR || Up.L > Up.R || Down.L > Down.R) {
            Span(S.L, S.R, Y);
        } else {
            Span(S.L, InL - 1, Y);
            Span(InR + 1, S.R, Y);
        }
    }
}

void TInvertPen::Cross(Integer X, Integer Y, Integer Size)
{
    const Integer Before = Size / 2, After = Size - Before;
    Line(X - Before, Y, X + After, Y);
    Line(X, Y - Before, X, Y + After);
}

void FrameRectAntialiased(TCustomBitmap32& Target, const TRect& R, TColor32 Color, Integer Width)
{
    Target.FrameRectTS(R.Left, R.Top, R.Right + 1, R.Bottom + 1, Color);
    if (Width < 2) return;
    // The pen's outer and inner halves cover their pixels half.
    const TColor32 Half = (Color & 0x00FFFFFF) | ((((Color >> 24) + 1) / 2) << 24);
    Target.FrameRectTS(R.Left - 1, R.Top - 1, R.Right + 2, R.Bottom + 2, Half);
    if (R.Right - R.Left >= 2 && R.Bottom - R.Top >= 2) Target.FrameRectTS(R.Left + 1, R.Top + 1, R.Right, R.Bottom, Half);
}
