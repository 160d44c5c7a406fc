// Brush styles with their list tips, and the shadow and reflection previews.
#include <cmath>
#include <stdexcept>

#include "Stock.h"

namespace Stock {

using namespace Kit;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int B = 64;  // the side of a brush style

TImage White() { return TImage(B, B, Rgb(0xFFFFFF)); }
const TRGBA Ink = Rgb(0x000000);

TImage Round()
{
    TImage Img = White();
    Img.Fill({Ellipse(32, 32, 30, 30)}, Ink);
    return Img;
}

TImage Soft()
{
    TImage Img(B, B);
    Img.Shade([](double X, double Y) {
        const double D = std::hypot(X - 32, Y - 32) / 32;
        const double K = std::exp(-D * D * 3.2) * (1 - std::pow(std::min(1.0, D), 8));
        return Mix(Rgb(0xFFFFFF), Rgb(0x000000), float(K));
    });
    return Img;
}

TImage Square()
{
    TImage Img = White();
    Img.Fill({Kit::Rect(4, 4, 56, 56)}, Ink);
    return Img;
}

TImage StarBrush()
{
    TImage Img = White();
    Img.Fill({Star(32, 34, 31, 13, 5)}, Ink);
    return Img;
}

TImage Leaf()
{
    TImage Img = White();
    TContour C{{6, 58}};
    CubicTo(C, {6, 58}, {4, 24}, {28, 4}, {60, 4});
    CubicTo(C, {60, 4}, {60, 36}, {40, 60}, {6, 58});
    Img.Fill({C}, Ink);
    // The vein and its branches, left light.
    Img.Stroke({{8, 56}, {52, 12}}, 2, Rgb(0xFFFFFF));
    for (double T : {0.3, 0.5, 0.7}) {
        const double X = 8 + 44 * T, Y = 56 - 44 * T;
        Img.Stroke({{X, Y}, {X - 9, Y - 13}}, 1.4, Rgb(0xFFFFFF));
        Img.Stroke({{X, Y}, {X + 13, Y + 9}}, 1.4, Rgb(0xFFFFFF));
    }
    return Img;
}

TImage Chalk()
{
    TImage Img(B, B);
    TNoise N(66);
    Img.Shade([&](double X, double Y) {
        const double D = std::hypot(X - 32, Y - 32) / 30;
        const double Grain = N.Value(X / 1.6, Y / 1.6) * 0.6 + N.Fbm(X / 6, Y / 6, 2) * 0.4;
        const double Edge = D + (N.Fbm(X / 8, Y / 8, 3) - 0.5) * 0.35;
        const double K = Edge < 1 && Grain > 0.38 ? 1.0 : 0.0;
        return Mix(Rgb(0xFFFFFF), Rgb(0x000000), float(K * std::min(1.0, (Grain - 0.38) * 4)));
    });
    return Img;
}

TImage Calligraphy()
{
    TImage Img = White();
    Img.Fill({Transformed(Ellipse(32, 32, 30, 7), 1, 0, 0, -Pi / 4, 32, 32)}, Ink);
    return Img;
}

TImage HeartBrush()
{
    TImage Img = White();
    Img.Fill({Heart(3, 5, 58, 54)}, Ink);
    return Img;
}

TImage Snowflake()
{
    TImage Img = White();
    for (int K = 0; K < 6; ++K) {
        const double A = K * Pi / 3 + Pi / 2, DX = std::cos(A), DY = std::sin(A);
        Img.Stroke({{32, 32}, {32 + DX * 29, 32 + DY * 29}}, 4, Ink);
        for (double T : {0.45, 0.72}) {
            const double X = 32 + DX * 29 * T, Y = 32 + DY * 29 * T, L = 12 * (1.15 - T);
            for (double Side : {-1.0, 1.0})
                Img.Stroke({{X, Y}, {X + std::cos(A + Side * Pi / 4) * L, Y + std::sin(A + Side * Pi / 4) * L}}, 3,
                           Ink);
        }
    }
    Img.Fill({Polygon(32, 32, 7, 6)}, Ink);
    return Img;
}

TImage Splatter()
{
    TImage Img = White();
    TRandom R(77);
    Img.Fill({Ellipse(32, 32, 15, 14)}, Ink);
    for (int I = 0; I < 26; ++I) {
        const double A = R.Range(0, 2 * Pi), D = R.Range(10, 29), S = R.Range(1.2, 5.5) * (1.2 - D / 34);
        Img.Fill({Ellipse(32 + std::cos(A) * D, 32 + std::sin(A) * D, S, S)}, Ink);
        if (D < 22) Img.Stroke({{32, 32}, {32 + std::cos(A) * D, 32 + std::sin(A) * D}}, S * 0.9, Ink);
    }
    return Img;
}

// ---------------------------------------------------------------------------

constexpr int I = 32;  // the side of a picker preview

// The object of the previews: a rounded tile with a soft blue face.
void Tile(TImage& Img, double X, double Y, double W, double H, float Alpha = 1)
{
    const TContour Shape = RoundRect(X, Y, W, H, 3);
    Img.Fill({Shape}, [&](double, double PY) {
        return Mix(Rgb(0x7FB6F0, Alpha), Rgb(0x2F6DB8, Alpha), float((PY - Y) / H));
    });
    Img.Stroke(Shape, 1, Rgb(0x1E4F8C, Alpha), true);
    Img.Fill({RoundRect(X + 3, Y + 2.5, W - 6, H * 0.35, 2)}, Rgb(0xFFFFFF, 0.35f * Alpha));
}

TImage ShadowIcon(bool Shadow, bool Inner)
{
    TImage Img(I, I);
    if (Shadow) {
        TImage S(I, I);
        S.Fill({RoundRect(9, 9, 19, 19, 3)}, Rgb(0x000000, 0.75f));
        S.Blur(3);
        Img.Draw(S, 0, 0);
    }
    Tile(Img, 5, 5, 19, 19);
    if (Inner) {
        // Shade inside the top and left edges, as if the face were sunk.
        TImage S(I, I, Rgb(0x000000));
        S.MaskBy([](double X, double Y) {
            if (X < 5.5 || Y < 5.5 || X > 23.5 || Y > 23.5) return 0.0f;
            const double D = std::min(X - 5, Y - 5);
            return float(0.6 * std::clamp(1 - D / 5, 0.0, 1.0));
        });
        Img.Draw(S, 0, 0);
    }
    return Img;
}

TImage ReflectIcon(double Height)
{
    TImage Img(I, I);
    Tile(Img, 6, 2, 20, 16);
    if (Height > 0) {
        TImage R(I, I);
        Tile(R, 6, 2, 20, 16);
        // Mirrored below the tile, fading out.
        TImage M(I, I);
        for (int Y = 0; 19 + Y < I; ++Y)
            for (int X = 0; X < I; ++X) {
                const TRGBA C = R.Get(X, 17 - Y);
                const double F = std::max(0.0, 1 - Y / (13 * Height));
                M.Set(X, 19 + Y, TRGBA{C.R, C.G, C.B, float(C.A * 0.55 * F)});
            }
        Img.Draw(M, 0, 0);
    }
    return Img;
}

}  // namespace

TImage BrushStyle(const std::string& Name)
{
    if (Name == "round") return Round();
    if (Name == "soft") return Soft();
    if (Name == "square") return Square();
    if (Name == "star") return StarBrush();
    if (Name == "leaf") return Leaf();
    if (Name == "chalk") return Chalk();
    if (Name == "calligraphy") return Calligraphy();
    if (Name == "heart") return HeartBrush();
    if (Name == "snowflake") return Snowflake();
    if (Name == "splatter") return Splatter();
    throw std::runtime_error("no brush " + Name);
}

TImage BrushTip(const TImage& Style)
{
    const TImage Small = Style.Resized(I, I);
    TImage Tip(I, I);
    for (int Y = 0; Y < I; ++Y)
        for (int X = 0; X < I; ++X) {
            const TRGBA C = Small.Get(X, Y);
            const float Ink = 1 - (C.R + C.G + C.B) / 3;
            Tip.Set(X, Y, TRGBA{0.2f, 0.22f, 0.26f, Ink});
        }
    return Tip;
}

TImage EffectIcon(const std::string& Name)
{
    if (Name == "noshadow") return ShadowIcon(false, false);
    if (Name == "shadow") return ShadowIcon(true, false);
    if (Name == "innershadow") return ShadowIcon(false, true);
    if (Name == "noreflection") return ReflectIcon(0);
    if (Name == "shortreflection") return ReflectIcon(0.5);
    if (Name == "reflection") return ReflectIcon(1);
    throw std::runtime_error("no icon " + Name);
}

}  // namespace Stock
