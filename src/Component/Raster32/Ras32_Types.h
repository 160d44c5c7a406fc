// Ras32_Types: the value types every raster routine exchanges: the 32-bit
// pixel and its conversions, 16.16 fixed point, float and fixed points and
// rectangles, the integer rectangle helpers, and the gamma curve.
// Ras32.h includes this unit; include it directly only where the bitmap
// classes are not needed (the pixel routines).
#pragma once

#include <vector>

#include "framework/runtime/Types.h"

// One pixel, 0xAARRGGBB; in memory the bytes are blue, green, red, alpha.
// Colour channels are straight, never premultiplied by alpha.
using TColor32 = Cardinal;
using PColor32 = TColor32*;
using PColor32Array = TColor32*;  // an open run of pixels
using TArrayOfColor32 = std::vector<TColor32>;

// 16.16 fixed point: 0x10000 = 1.0.
using TFixed = Integer;
constexpr TFixed FixedOne = 0x10000;

struct TFloatPoint {
    Single X = 0;
    Single Y = 0;
    friend bool operator==(const TFloatPoint&, const TFloatPoint&) = default;
};

struct TFixedPoint {
    TFixed X = 0;
    TFixed Y = 0;
    friend bool operator==(const TFixedPoint&, const TFixedPoint&) = default;
};

struct TFloatRect {
    Single Left = 0;
    Single Top = 0;
    Single Right = 0;
    Single Bottom = 0;
    friend bool operator==(const TFloatRect&, const TFloatRect&) = default;
};

struct TFixedRect {
    TFixed Left = 0;
    TFixed Top = 0;
    TFixed Right = 0;
    TFixed Bottom = 0;
    friend bool operator==(const TFixedRect&, const TFixedRect&) = default;
};

using PFixedPointArray = TFixedPoint*;
using TArrayOfFixedPoint = std::vector<TFixedPoint>;
using TArrayOfPoint = std::vector<TPoint>;
using PIntegerArray = Integer*;
using TArrayOfInteger = std::vector<Integer>;
using TArrayOfSingle = std::vector<Single>;

// How a float or fixed rectangle becomes an integer one.
enum TRectRounding : Byte { rrClosest, rrOutside, rrInside };

// How a bitmap is drawn onto another, how its alpha combines, how reads
// outside its clip rectangle wrap.
enum TDrawMode : Byte { dmOpaque, dmBlend, dmCustom, dmTransparent };
enum TCombineMode : Byte { cmBlend, cmMerge };
enum TWrapMode : Byte { wmClamp, wmRepeat, wmMirror };

// ---------------------------------------------------------------------------
// Colours

// The platform colour value (the class library's colour type): 0x00BBGGRR, or
// a negative value whose low byte indexes the system colours.
// System colours are looked up through this hook; the Windows backend unit
// points it at GetSysColor, elsewhere a table of the standard scheme answers.
using TSysColorFunc = Cardinal (*)(Integer Index);
extern TSysColorFunc SysColorFunc;

TColor32 ColorToColor32(Integer Color);
Integer Color32ToWinColor(TColor32 Color32);
TColor32 Color32FromRGBA(Integer R, Integer G, Integer B, Integer A);
TColor32 GrayColor32(Integer Intensity, Byte Alpha = 255);
inline Integer AlphaOf(TColor32 Color32) { return static_cast<Integer>(Color32 >> 24); }
inline Integer RedOf(TColor32 Color32) { return static_cast<Integer>((Color32 >> 16) & 0xFF); }
inline Integer GreenOf(TColor32 Color32) { return static_cast<Integer>((Color32 >> 8) & 0xFF); }
inline Integer BlueOf(TColor32 Color32) { return static_cast<Integer>(Color32 & 0xFF); }
// Grey weighting of the whole engine: (61 R + 174 G + 21 B) shr 8.
inline Integer IntensityOf(TColor32 Color32)
{
    return (61 * RedOf(Color32) + 174 * GreenOf(Color32) + 21 * BlueOf(Color32)) >> 8;
}

TColor32 HSLToColor32(Single H, Single S, Single L);
void Color32ToHSL(TColor32 Color32, Single& H, Single& S, Single& L);
TColor32 IntHSLToColor32(Integer H, Integer S, Integer L);
void Color32ToIntHSL(TColor32 Color32, Byte& H, Byte& S, Byte& L);

// ---------------------------------------------------------------------------
// Fixed and float values

TFixed FloatToFixed(Single S);
inline TFixed IntToFixed(Integer I) { return static_cast<TFixed>(static_cast<Cardinal>(I) << 16); }
inline TPoint MakePoint(Integer X, Integer Y) { return TPoint{X, Y}; }
inline TFloatPoint MakeFloatPoint(Single X, Single Y) { return TFloatPoint{X, Y}; }
inline TFixedPoint MakeFixedPoint(Integer X, Integer Y) { return TFixedPoint{IntToFixed(X), IntToFixed(Y)}; }
TPoint RoundFloatPoint(const TFloatPoint& P);
TFloatPoint FixedToFloatPoint(const TFixedPoint& P);
TFixedPoint FloatToFixedPoint(const TFloatPoint& P);
inline TRect RectOf(Integer Left, Integer Top, Integer Right, Integer Bottom) { return TRect{Left, Top, Right, Bottom}; }
inline TFixedRect FixedRectOf(TFixed Left, TFixed Top, TFixed Right, TFixed Bottom)
{
    return TFixedRect{Left, Top, Right, Bottom};
}
inline TFloatRect FloatRectOf(Single Left, Single Top, Single Right, Single Bottom)
{
    return TFloatRect{Left, Top, Right, Bottom};
}
// An unknown Rounding gives (0, 0, 0, 0).
TRect FloatRectToRect(const TFloatRect& R, TRectRounding Rounding = rrClosest);
TRect FixedRectToRect(const TFixedRect& R, TRectRounding Rounding = rrClosest);

// ---------------------------------------------------------------------------
// Integer rectangles (Right and Bottom exclusive)

// True when the overlap has Right >= Left and Bottom >= Top (a zero-width
// overlap counts); otherwise Dst becomes (0, 0, 0, 0).
bool IntersectRects(TRect& Dst, const TRect& R1, const TRect& R2);
bool IntersectFloatRects(TFloatRect& Dst, const TFloatRect& R1, const TFloatRect& R2);
void UnionRects(TRect& Dst, const TRect& R1, const TRect& R2);
inline bool RectsEqual(const TRect& R1, const TRect& R2) { return R1 == R2; }
void GrowRect(TRect& R, Integer Dx, Integer Dy);
void ShiftRect(TRect& R, Integer Dx, Integer Dy);
inline bool RectIsEmpty(const TRect& R) { return !(R.Left < R.Right && R.Top < R.Bottom); }
inline bool FloatRectIsEmpty(const TFloatRect& R) { return !(R.Right > R.Left && R.Bottom > R.Top); }
inline bool PointInRect(const TRect& R, const TPoint& P)
{
    return R.Left <= P.X && P.X < R.Right && R.Top <= P.Y && P.Y < R.Bottom;
}

// ---------------------------------------------------------------------------
// Gamma: 256 weights built at start-up with gamma 0.7; read by the sub-pixel
// reads and plots and the anti-aliased lines.
extern Byte GammaCurve[256];
void BuildGammaCurve(Single Gamma);
