// What the stock pictures are drawn with: pictures are the raster engine's
// bitmaps (TCustomBitmap32, straight alpha), composited with its merge
// routines, blurred and resized by the filters; the shapes the engine has no
// filler for (anti-aliased paths with non-zero winding, round-capped strokes)
// are scan-converted here into coverage that the engine's merge applies.
// Colours are given as floats so that gradients read naturally. Everything is
// deterministic: the same program makes the same bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Component/Raster32/Ras32.h"

namespace Kit {

struct TRGBA {
    float R = 0, G = 0, B = 0, A = 0;  // straight (not premultiplied)
};

// 0xRRGGBB (and an alpha from 0 to 1).
TRGBA Rgb(uint32_t Hex, float Alpha = 1);
TRGBA Mix(const TRGBA& A, const TRGBA& B, float T);

struct TPt {
    double X = 0, Y = 0;
};
using TContour = std::vector<TPt>;
using TPath = std::vector<TContour>;

// The engine's colour of C (channels rounded to bytes).
TColor32 ToColor32(const TRGBA& C);

// A picture: a TCustomBitmap32 on the engine's memory backend.
class TImage {
public:
    TImage();
    TImage(int W, int H, const TRGBA& Fill = TRGBA{});
    TImage(const TImage& Other);
    TImage& operator=(const TImage& Other);
    TImage(TImage&&) noexcept = default;
    TImage& operator=(TImage&&) noexcept = default;
    ~TImage();
    int Width() const { return FBitmap->Width(); }
    int Height() const { return FBitmap->Height(); }
    TCustomBitmap32* Bitmap() const { return FBitmap.get(); }
    TColor32& Pixel(int X, int Y) { return FBitmap->Bits()[X + Y * FBitmap->Width()]; }
    TColor32 Pixel(int X, int Y) const { return FBitmap->Bits()[X + Y * FBitmap->Width()]; }

    TRGBA Get(int X, int Y) const;
    void Set(int X, int Y, const TRGBA& C);

    // Every pixel from F(x, y), sampled at the pixel's centre.
    void Shade(const std::function<TRGBA(double, double)>& F);
    // C merged over the pixel with the given coverage (0..1).
    void Blend(int X, int Y, const TRGBA& C, float Coverage);
    // Another picture merged over this one at (X, Y), with an overall opacity.
    void Draw(const TImage& Src, int X, int Y, float Opacity = 1);
    // Multiplies every pixel's alpha by M(x, y).
    void MaskBy(const std::function<float(double, double)>& M);
    // Adds Src's colour, weighted by its alpha and K, to this picture's (light
    // adding up on black).
    void AddLight(const TImage& Src, float K = 1);

    // Filled path (non-zero winding), each pixel's colour from Paint.
    void Fill(const TPath& Path, const std::function<TRGBA(double, double)>& Paint);
    void Fill(const TPath& Path, const TRGBA& C);
    // A stroke of Width along the open (or, with Closed, closed) polyline,
    // with round joins and caps.
    void Stroke(const TContour& Line, double Width, const TRGBA& C, bool Closed = false);
    void Stroke(const TContour& Line, double Width, const std::function<TRGBA(double, double)>& Paint,
                bool Closed = false);

    // A blur of about a Gaussian of deviation Radius / 2: the filters'
    // exponential blur (their 3 x 3 Gaussian below a radius of 2), over the
    // colours weighted by alpha so that transparent pixels lend no colour.
    void Blur(double Radius);
    // A copy of W x H through the filters' resize (box averages when reducing).
    TImage Resized(int W, int H) const;
    TImage Cropped(int X, int Y, int W, int H) const;
    // Flattened onto an opaque background.
    TImage Flattened(const TRGBA& Background) const;

private:
    void Coverage(const TPath& Path, const std::function<void(int, int, float)>& Plot) const;
    std::unique_ptr<TCustomBitmap32> FBitmap;
};

// ---------------------------------------------------------------------------
// Shapes as paths.
TContour Rect(double X, double Y, double W, double H);
TContour Ellipse(double CX, double CY, double RX, double RY, int Segments = 0);
TContour RoundRect(double X, double Y, double W, double H, double R);
// A regular star: Points tips at radius R1, inner corners at R2, the first
// tip at angle Start (radians, 0 = up).
TContour Star(double CX, double CY, double R1, double R2, int Points, double Start = 0);
TContour Polygon(double CX, double CY, double R, int Sides, double Start = 0);
// A heart in the box (X, Y, W, H).
TContour Heart(double X, double Y, double W, double H);
// A cubic Bezier from P0 to P3, appended to C (without P0).
void CubicTo(TContour& C, const TPt& P0, const TPt& P1, const TPt& P2, const TPt& P3, int Steps = 24);
void QuadTo(TContour& C, const TPt& P0, const TPt& P1, const TPt& P2, int Steps = 16);
// An arc around (CX, CY) from angle A0 to A1 (radians, counter-clockwise as
// seen on screen when A1 > A0... measured from +x toward +y), appended to C.
void ArcTo(TContour& C, double CX, double CY, double RX, double RY, double A0, double A1, int Steps = 0);
TContour Transformed(const TContour& C, double Scale, double DX, double DY, double Angle = 0, double CX = 0,
                     double CY = 0);

// ---------------------------------------------------------------------------
// Noise. Values from 0 to 1; with a period (in lattice cells) it tiles.
class TNoise {
public:
    explicit TNoise(uint32_t Seed) : FSeed(Seed) {}
    double Value(double X, double Y, int PeriodX = 0, int PeriodY = 0) const;
    // Octaves of Value, each of twice the frequency and half the weight.
    double Fbm(double X, double Y, int Octaves, int PeriodX = 0, int PeriodY = 0) const;
    // A hash of the lattice point, 0 to 1.
    double Hash(int X, int Y) const;

private:
    uint32_t FSeed;
};

// A small generator with a fixed seed (the same sequence every run).
class TRandom {
public:
    explicit TRandom(uint32_t Seed) : FState(Seed * 2654435761u + 1) {}
    uint32_t Next();
    double Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }  // 0 <= x < 1
    double Range(double A, double B) { return A + (B - A) * Unit(); }

private:
    uint32_t FState;
};

}  // namespace Kit
