// Fill patterns: seamless tiles for the background of a new picture.
#include <cmath>
#include <stdexcept>

#include "Stock.h"

namespace Stock {

using namespace Kit;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int S = 128;  // the side of most tiles

double Smooth(double E0, double E1, double X)
{
    const double T = std::clamp((X - E0) / (E1 - E0), 0.0, 1.0);
    return T * T * (3 - 2 * T);
}

double Wrap(double V, double P) { return V - P * std::floor(V / P); }

// A path drawn nine times, so that what leaves one edge enters the other.
void FillTiled(TImage& Img, const TContour& C, const TRGBA& Color)
{
    for (int DY = -1; DY <= 1; ++DY)
        for (int DX = -1; DX <= 1; ++DX)
            Img.Fill({Transformed(C, 1, DX * Img.Width(), DY * Img.Height())}, Color);
}

TImage Checker()
{
    TImage Img(S, S);
    Img.Shade([](double X, double Y) {
        const bool Odd = (int(X / 16) + int(Y / 16)) % 2;
        return Odd ? Rgb(0xD6E4F0) : Rgb(0xF7FAFD);
    });
    return Img;
}

TImage Stripes()
{
    TImage Img(S, S);
    Img.Shade([](double X, double Y) {
        const double T = Wrap(X + Y, 32.0);
        const double Edge = Smooth(0.0, 1.0, T) * Smooth(0.0, 1.0, 16 - T) + Smooth(0.0, 1.0, T - 16) * 0;
        return Mix(Rgb(0xFCEFD9), Rgb(0xF2A65A), float(Edge));
    });
    return Img;
}

TImage Dots()
{
    TImage Img(S, S, Rgb(0x2E6F9E));
    for (int Row = 0; Row < 4; ++Row)
        for (int Col = 0; Col < 4; ++Col) {
            const double X = Col * 32 + (Row % 2) * 16 + 8, Y = Row * 32 + 16;
            FillTiled(Img, Ellipse(X, Y, 7, 7), Rgb(0xFFFFFF, 0.92f));
        }
    return Img;
}

TImage Wood()
{
    TNoise N(31);
    TImage Img(S, S);
    Img.Shade([&](double X, double Y) {
        // Rings stretched along x; the noise repeats every tile.
        const double Warp = N.Fbm(X / 32.0, Y / 32.0, 4, 4, 4);
        const double Ring = Wrap(Y / S * 14 + Warp * 4 + std::sin(X / S * 2 * Pi) * 0.6, 1.0);
        const double Grain = N.Fbm(X / 4.0, Y / 64.0 * 8, 2, 32, 16);
        const double T = Smooth(0.0, 0.6, Ring) * (1 - Smooth(0.7, 1.0, Ring));
        TRGBA C = Mix(Rgb(0x8A5530), Rgb(0xC98F5A), float(T * 0.8 + Grain * 0.2));
        return C;
    });
    return Img;
}

TImage Marble()
{
    TNoise N(8);
    TImage Img(S, S);
    Img.Shade([&](double X, double Y) {
        const double F = N.Fbm(X / 32.0, Y / 32.0, 5, 4, 4);
        const double V = std::fabs(std::sin((X + Y) / S * 2 * Pi * 2 + F * 9));
        const double Vein = std::pow(1 - V, 6);
        TRGBA C = Mix(Rgb(0xF4F1EC), Rgb(0xD9D3CB), float(N.Fbm(X / 16.0, Y / 16.0, 3, 8, 8)));
        return Mix(C, Rgb(0x7F7A80), float(Vein * 0.8));
    });
    return Img;
}

TImage Bricks()
{
    TNoise N(12);
    TImage Img(S, S);
    Img.Shade([&](double X, double Y) {
        const int Row = int(Y / 32);
        const double BX = Wrap(X + (Row % 2) * 32, 64.0), BY = Wrap(Y, 32.0);
        const int Brick = int(Wrap(X + (Row % 2) * 32, double(S)) / 64) + Row * 2;
        const double Mortar = 1 - Smooth(2.0, 3.5, std::min({BX, 64 - BX, BY, 32 - BY}));
        const double Tone = N.Hash(Brick, 3);
        TRGBA C = Mix(Rgb(0xA8452E), Rgb(0xC8694A), float(Tone));
        C = Mix(C, Rgb(0x8C3A28), float(N.Fbm(X / 8.0, Y / 8.0, 3, 16, 16) * 0.35));
        return Mix(C, Rgb(0xD8D0C4), float(Mortar));
    });
    return Img;
}

TImage Linen()
{
    TNoise N(4);
    TImage Img(S, S);
    Img.Shade([&](double X, double Y) {
        const double Warp = std::sin(X * Pi / 2) * 0.5 + 0.5, Weft = std::sin(Y * Pi / 2) * 0.5 + 0.5;
        const double Slub = N.Fbm(X / 8.0, Y / 64.0, 3, 16, 2) * 0.5 + N.Fbm(X / 64.0, Y / 8.0, 3, 2, 16) * 0.5;
        return Mix(Rgb(0xE9E1D1), Rgb(0xC9BDA5), float(Warp * Weft * 0.5 + Slub * 0.45));
    });
    return Img;
}

TImage Honeycomb()
{
    // Three hexagons across, one period down: 111 x 64 repeats exactly.
    const int W = 111, H = 64;
    const double R = H / 3.0, DX = W / 3.0;
    TImage Img(W, H);
    Img.Shade([&](double X, double Y) {
        double Best = 1e9;
        for (int Row = -1; Row <= 2; ++Row)
            for (int Col = -1; Col <= 3; ++Col) {
                const double CX = Col * DX + (Row % 2 ? DX / 2 : 0), CY = Row * 1.5 * R;
                // Distance to the hexagon's edge: pointy-top hexagon metric.
                const double PX = std::fabs(X - CX) * 2 / DX, PY = std::fabs(Y - CY) / R;
                Best = std::min(Best, std::max(PX, PX * 0.5 + PY));
            }
        const double Edge = Smooth(0.86, 0.95, Best);
        const double Glow = 1 - Best;
        return Mix(Mix(Rgb(0xF2B233), Rgb(0xFAD46B), float(Glow)), Rgb(0x9A6212), float(Edge));
    });
    return Img;
}

TImage Waves()
{
    TImage Img(S, S);
    Img.Shade([](double X, double Y) {
        const double Wave = Y + std::sin(X / S * 2 * Pi * 2) * 6;
        const double T = Wrap(Wave, 16.0) / 16.0;
        const double Band = Smooth(0.0, 0.15, T) * (1 - Smooth(0.55, 0.7, T));
        return Mix(Rgb(0x1F8A9A), Rgb(0x8AD6D9), float(Band));
    });
    return Img;
}

TImage Plaid()
{
    TImage Img(S, S);
    auto Bands = [](double V) {
        const double T = Wrap(V, 64.0);
        if (T < 20) return 0;
        if (T >= 28 && T < 32) return 2;
        if (T >= 44 && T < 60) return 1;
        return 3;
    };
    const TRGBA Colors[4] = {Rgb(0x1E4D8C), Rgb(0x2E7D4F), Rgb(0xE8C547), Rgb(0x9E2B2B)};
    Img.Shade([&](double X, double Y) {
        const TRGBA A = Colors[Bands(X)], B = Colors[Bands(Y)];
        // Twill: the threads alternate diagonally.
        const bool Over = Wrap(X + Y, 4.0) < 2;
        return Mix(Over ? A : B, Mix(A, B, 0.5f), 0.35f);
    });
    return Img;
}

TImage Paper()
{
    TNoise N(19);
    TImage Img(S, S);
    Img.Shade([&](double X, double Y) {
        const double Fibre = N.Fbm(X / 2.0, Y / 16.0, 3, 64, 8) * 0.5 + N.Fbm(X / 16.0, Y / 2.0, 3, 8, 64) * 0.5;
        const double Cloud = N.Fbm(X / 32.0, Y / 32.0, 4, 4, 4);
        return Mix(Rgb(0xFBF6EA), Rgb(0xE7DCC4), float(Fibre * 0.35 + Cloud * 0.45));
    });
    return Img;
}

TImage Starry()
{
    TImage Img(S, S);
    TNoise N(2);
    Img.Shade([&](double X, double Y) {
        return Mix(Rgb(0x16204A), Rgb(0x243470), float(N.Fbm(X / 32.0, Y / 32.0, 3, 4, 4)));
    });
    TRandom R(90);
    for (int I = 0; I < 9; ++I) {
        const double X = R.Range(0, S), Y = R.Range(0, S), Size = R.Range(4, 9);
        FillTiled(Img, Star(X, Y, Size, Size * 0.42, 5, R.Range(0, 1)), Rgb(0xFFE27A));
    }
    for (int I = 0; I < 40; ++I) FillTiled(Img, Ellipse(R.Range(0, S), R.Range(0, S), 0.9, 0.9, 8), Rgb(0xFFFFFF, 0.8f));
    return Img;
}

}  // namespace

TImage Pattern(const std::string& Name)
{
    if (Name == "checker") return Checker();
    if (Name == "stripes") return Stripes();
    if (Name == "dots") return Dots();
    if (Name == "wood") return Wood();
    if (Name == "marble") return Marble();
    if (Name == "bricks") return Bricks();
    if (Name == "linen") return Linen();
    if (Name == "honeycomb") return Honeycomb();
    if (Name == "waves") return Waves();
    if (Name == "plaid") return Plaid();
    if (Name == "paper") return Paper();
    if (Name == "starry") return Starry();
    throw std::runtime_error("no pattern " + Name);
}

}  // namespace Stock
