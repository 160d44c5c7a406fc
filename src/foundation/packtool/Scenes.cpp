// Landscapes and the effect scene pictures.
#include <cmath>
#include <stdexcept>

#include "Stock.h"

namespace Stock {

using namespace Kit;

namespace {

constexpr double Pi = 3.14159265358979323846;

double Smooth(double E0, double E1, double X)
{
    const double T = std::clamp((X - E0) / (E1 - E0), 0.0, 1.0);
    return T * T * (3 - 2 * T);
}

TRGBA Add(const TRGBA& A, const TRGBA& B, float K)
{
    return TRGBA{A.R + B.R * K, A.G + B.G * K, A.B + B.B * K, A.A};
}

// A soft round spot of light: colour times a falloff, added to nothing (for
// the pictures drawn over black and blended with Screen).
void Glow(TImage& Img, double CX, double CY, double R, const TRGBA& C, float Strength)
{
    const int X0 = std::max(0, int(CX - R)), X1 = std::min(Img.Width() - 1, int(CX + R));
    const int Y0 = std::max(0, int(CY - R)), Y1 = std::min(Img.Height() - 1, int(CY + R));
    for (int Y = Y0; Y <= Y1; ++Y)
        for (int X = X0; X <= X1; ++X) {
            const double D = std::hypot(X + 0.5 - CX, Y + 0.5 - CY) / R;
            if (D >= 1) continue;
            const float K = float(std::pow(1 - D, 2.2)) * Strength;
            TRGBA P = Img.Get(X, Y);
            P.R = std::min(1.0f, P.R + C.R * K);
            P.G = std::min(1.0f, P.G + C.G * K);
            P.B = std::min(1.0f, P.B + C.B * K);
            Img.Set(X, Y, P);
        }
}

TImage Black(int W, int H) { return TImage(W, H, TRGBA{0, 0, 0, 1}); }

// ---------------------------------------------------------------------------

TImage Sunshine()
{
    // Blended with Reflect: a warm mid-tone keeps the picture, brighter parts
    // burn light into it. Light pours in from the top left in broad rays.
    const int W = 640, H = 480;
    TImage Img(W, H);
    TNoise N(11);
    const double SX = -0.08 * W, SY = -0.12 * H;
    Img.Shade([&](double X, double Y) {
        const double D = std::hypot(X - SX, Y - SY) / std::hypot(W, H);
        const double A = std::atan2(Y - SY, X - SX);
        const double Rays = N.Fbm(A * 9 + 20, 0.5, 3) * Smooth(0.05, 0.5, D) * (1 - Smooth(0.6, 1.1, D));
        TRGBA C = Mix(Rgb(0xFFF3C4), Rgb(0x8A6A4A), float(Smooth(0.0, 1.0, D)));
        C = Add(C, Rgb(0xFFE2A0), float((Rays - 0.45) * 0.55));
        const double Core = 1 - Smooth(0.0, 0.35, D);
        return Mix(C, Rgb(0xFFFFF0), float(Core * 0.8));
    });
    return Img;
}

TImage Sunny()
{
    // Over black, blended with Screen: a sun in the top left corner with its
    // halo, and a lens flare running through the middle.
    const int W = 640, H = 480;
    TImage Img = Black(W, H);
    const double SX = 0.16 * W, SY = 0.14 * H;
    Glow(Img, SX, SY, 0.75 * W, Rgb(0xFFB050), 0.55f);
    Glow(Img, SX, SY, 0.30 * W, Rgb(0xFFE8B0), 0.9f);
    Glow(Img, SX, SY, 0.08 * W, Rgb(0xFFFFFF), 1.0f);
    // Long thin streak through the sun.
    TImage Streak(W, H);
    Streak.Stroke({{SX - 0.25 * W, SY + 0.015 * H}, {SX + 0.45 * W, SY - 0.035 * H}}, 2.5, Rgb(0xFFF0D0, 0.35f));
    Streak.Blur(9);
    Img.AddLight(Streak);
    // Flare ghosts on the line from the sun through the centre.
    const double CX = W / 2.0, CY = H / 2.0;
    struct TGhost {
        double T, R;
        uint32_t Color;
        float Alpha;
        int Sides;
    };
    const TGhost Ghosts[] = {{0.55, 18, 0x90C0FF, 0.35f, 6}, {0.85, 34, 0xB0FFB0, 0.18f, 0},
                             {1.15, 12, 0xFFD090, 0.45f, 6}, {1.45, 55, 0xC0A0FF, 0.12f, 6},
                             {1.75, 24, 0xFFA0A0, 0.25f, 0}, {2.05, 70, 0x80B0FF, 0.10f, 0}};
    for (const TGhost& G : Ghosts) {
        const double X = SX + (CX - SX) * G.T, Y = SY + (CY - SY) * G.T;
        TImage L(W, H);
        L.Fill({G.Sides ? Polygon(X, Y, G.R, G.Sides, 0.3) : Ellipse(X, Y, G.R, G.R)}, Rgb(G.Color, G.Alpha));
        L.Stroke(G.Sides ? Polygon(X, Y, G.R, G.Sides, 0.3) : Ellipse(X, Y, G.R, G.R), 2, Rgb(G.Color, G.Alpha * 1.6f),
                 true);
        L.Blur(2.5);
        Img.AddLight(L);
    }
    // A faint rainbow ring around the sun.
    TImage Ring(W, H);
    for (int I = 0; I < 6; ++I) {
        const uint32_t Colors[] = {0xFF4040, 0xFFA040, 0xFFFF40, 0x40FF40, 0x4080FF, 0x9040FF};
        Ring.Stroke(Ellipse(SX, SY, 150 + I * 4, 150 + I * 4), 4, Rgb(Colors[I], 0.07f), true);
    }
    Ring.Blur(4);
    Img.AddLight(Ring);
    return Img;
}

TImage Droplets()
{
    // Over black, blended with Screen: water drops on glass, their faint
    // bodies and the bright spots of light they catch.
    const int W = 640, H = 480;
    TImage Img = Black(W, H);
    TRandom R(23);
    TImage Bodies(W, H), Lights(W, H);
    for (int I = 0; I < 150; ++I) {
        const double X = R.Range(0, W), Y = R.Range(0, H);
        const double Size = std::pow(R.Unit(), 2.2) * 26 + 4;
        const double RX = Size * R.Range(0.85, 1.0), RY = Size * R.Range(0.95, 1.2);
        // The body: darker at the top, a brighter crescent at the bottom.
        Bodies.Fill({Ellipse(X, Y, RX, RY)}, [&](double, double PY) {
            const double T = std::clamp((PY - (Y - RY)) / (2 * RY), 0.0, 1.0);
            return TRGBA{0.55f, 0.65f, 0.75f, float(0.10 + 0.35 * std::pow(T, 3))};
        });
        Bodies.Stroke(Ellipse(X, Y, RX, RY), 1.2, Rgb(0xA0B8D0, 0.35f), true);
        // The spot of light near the top left.
        Lights.Fill({Ellipse(X - RX * 0.35, Y - RY * 0.4, RX * 0.28, RY * 0.2)}, Rgb(0xFFFFFF, 0.95f));
        Lights.Fill({Ellipse(X + RX * 0.25, Y + RY * 0.55, RX * 0.35, RY * 0.1)}, Rgb(0xE0F0FF, 0.45f));
    }
    Bodies.Blur(1.5);
    Lights.Blur(1.2);
    Img.AddLight(Bodies);
    Img.AddLight(Lights);
    // A little sheen across the glass.
    TNoise N(5);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const float K = float(0.06 * N.Fbm(X / 90.0, Y / 90.0, 3));
            TRGBA P = Img.Get(X, Y);
            P.R = std::min(1.0f, P.R + K), P.G = std::min(1.0f, P.G + K), P.B = std::min(1.0f, P.B + K);
            Img.Set(X, Y, P);
        }
    return Img;
}

TImage Hearts()
{
    // Over black, blended with Screen: glowing hearts out of focus, gathered
    // at the edges so that the middle of the picture stays clear.
    const int W = 640, H = 480;
    TImage Img = Black(W, H);
    TRandom R(41);
    const uint32_t Colors[] = {0xFF3C78, 0xFF6FA8, 0xFF2050, 0xFFA0C8, 0xE040A0, 0xFF8090};
    for (int Layer = 0; Layer < 3; ++Layer) {
        TImage L(W, H);
        for (int I = 0; I < 28; ++I) {
            double X, Y;
            do {
                X = R.Range(-20, W + 20), Y = R.Range(-20, H + 20);
            } while (std::hypot((X - W / 2.0) / W, (Y - H / 2.0) / H) < 0.28);
            const double S = (Layer == 0 ? R.Range(40, 90) : Layer == 1 ? R.Range(24, 50) : R.Range(12, 28));
            const TRGBA C = Rgb(Colors[R.Next() % 6], Layer == 0 ? 0.35f : Layer == 1 ? 0.6f : 0.85f);
            const TContour Shape = Transformed(Heart(X - S / 2, Y - S / 2, S, S * 0.92), 1, 0, 0,
                                               R.Range(-0.4, 0.4), X, Y);
            L.Fill({Shape}, C);
            L.Stroke(Shape, 1.5, Rgb(0xFFD0E0, C.A * 0.7f), true);
        }
        L.Blur(Layer == 0 ? 7 : Layer == 1 ? 3 : 1);
        Img.AddLight(L);
    }
    return Img;
}

TImage Snow()
{
    // Over black, blended with Screen: falling snow at three depths, a few
    // crystals close by.
    const int W = 640, H = 480;
    TImage Img = Black(W, H);
    TRandom R(7);
    for (int Layer = 0; Layer < 3; ++Layer) {
        TImage L(W, H);
        const int Count = Layer == 0 ? 500 : Layer == 1 ? 160 : 40;
        for (int I = 0; I < Count; ++I) {
            const double X = R.Range(0, W), Y = R.Range(0, H);
            const double S = Layer == 0 ? R.Range(0.8, 1.8) : Layer == 1 ? R.Range(2, 3.5) : R.Range(4, 7);
            L.Fill({Ellipse(X, Y, S, S)}, Rgb(0xFFFFFF, float(R.Range(0.6, 1.0))));
        }
        L.Blur(Layer == 0 ? 0.6 : Layer == 1 ? 1.2 : 3.5);
        Img.AddLight(L);
    }
    // Crystals: six arms with side branches.
    TImage L(W, H);
    for (int I = 0; I < 9; ++I) {
        const double X = R.Range(20, W - 20), Y = R.Range(20, H - 20), S = R.Range(10, 22), A0 = R.Range(0, Pi);
        for (int K = 0; K < 6; ++K) {
            const double A = A0 + K * Pi / 3, DX = std::cos(A), DY = std::sin(A);
            L.Stroke({{X, Y}, {X + DX * S, Y + DY * S}}, 1.6, Rgb(0xFFFFFF, 0.9f));
            for (double T : {0.45, 0.7}) {
                const double BX = X + DX * S * T, BY = Y + DY * S * T, B = S * 0.28 * (1.1 - T);
                for (double Side : {-1.0, 1.0}) {
                    const double BA = A + Side * Pi / 4;
                    L.Stroke({{BX, BY}, {BX + std::cos(BA) * B, BY + std::sin(BA) * B}}, 1.2, Rgb(0xFFFFFF, 0.85f));
                }
            }
        }
    }
    L.Blur(0.5);
    Img.AddLight(L);
    return Img;
}

TImage Stars()
{
    // Blended with Soft Light, where mid grey changes nothing: a night sky
    // darkening the top, a faint band of the galaxy, and stars.
    const int W = 640, H = 480;
    TImage Img(W, H);
    TNoise N(3);
    Img.Shade([&](double X, double Y) {
        const double T = Smooth(0.0, 0.85, Y / H);
        TRGBA C = Mix(Rgb(0x1C2460), Rgb(0x808080), float(T));
        // The band: a diagonal strip of brighter, mottled sky.
        const double D = std::fabs((X / W) * 0.55 + (Y / H) - 0.75);
        const double Band = (1 - Smooth(0.0, 0.22, D)) * N.Fbm(X / 70.0, Y / 70.0, 4);
        return Add(C, Rgb(0x9A8CC8), float(Band * 0.45 * (1 - T * 0.6)));
    });
    TRandom R(17);
    TImage L(W, H);
    for (int I = 0; I < 700; ++I) {
        const double X = R.Range(0, W), Y = std::pow(R.Unit(), 1.6) * H;
        const double S = std::pow(R.Unit(), 3) * 1.6 + 0.5;
        L.Fill({Ellipse(X, Y, S, S, 12)}, Rgb(R.Unit() < 0.2 ? 0xFFE8C0 : 0xE8F0FF, float(R.Range(0.5, 1.0))));
    }
    L.Blur(0.5);
    Img.Draw(L, 0, 0);
    // A few bright stars with rays.
    TImage S(W, H);
    for (int I = 0; I < 8; ++I) {
        const double X = R.Range(30, W - 30), Y = R.Range(20, H * 0.55), Len = R.Range(8, 18);
        S.Stroke({{X - Len, Y}, {X + Len, Y}}, 1.2, Rgb(0xFFFFFF, 0.8f));
        S.Stroke({{X, Y - Len}, {X, Y + Len}}, 1.2, Rgb(0xFFFFFF, 0.8f));
        S.Fill({Ellipse(X, Y, 2.4, 2.4)}, Rgb(0xFFFFFF));
    }
    TImage Halo = S;
    Halo.Blur(5);
    Img.Draw(Halo, 0, 0, 0.8f);
    Img.Draw(S, 0, 0);
    return Img;
}

}  // namespace

// ---------------------------------------------------------------------------

TImage Landscape(int W, int H)
{
    TNoise N(29);
    const double Horizon = 0.62 * H, Shore = 0.84 * H;
    const double SunX = 0.7 * W, SunY = 0.3 * H, SunR = 0.045 * std::min(W, H) + 1;
    auto Far = [&](double X) { return Horizon - H * (0.17 + 0.13 * N.Fbm(X / W * 3.2 + 1.7, 2.5, 5)); };
    auto Near = [&](double X) { return Horizon - H * (0.03 + 0.09 * N.Fbm(X / W * 4.5 + 9.1, 7.5, 5)); };
    auto Upper = [&](double X, double Y) {
        const double T = Y / Horizon;
        TRGBA C = Mix(Rgb(0x3F7CC4), Rgb(0xF3D9B8), float(std::pow(std::clamp(T, 0.0, 1.0), 1.5)));
        const double D = std::hypot(X - SunX, Y - SunY);
        C = Add(C, Rgb(0xFFE0A0), float(0.55 * std::exp(-D / (0.18 * W))));
        if (D < SunR) C = Mix(C, Rgb(0xFFFBEA), float(Smooth(SunR, SunR - 1.5, D)));
        const double Cloud = N.Fbm(X / W * 3 + 4, Y / H * 9, 5);
        C = Mix(C, Rgb(0xFFFFFF), float(Smooth(0.56, 0.78, Cloud) * (1 - T) * 0.85));
        if (Y > Far(X)) {
            // Far mountains, hazy toward their feet.
            // Slopes facing the sun are lit; the rest is in shade, hazy
            // toward the mountains' feet.
            auto Relief = [&](double U) { return N.Fbm(U / W * 4 + (Y - Far(X)) / H * 3, Y / H * 4 + 3, 5); };
            const double Slope = (Relief(X - 2) - Relief(X + 2)) * W / 40;
            const double Haze = Smooth(Far(X), Horizon, Y);
            const double Lit = std::clamp(0.55 - Slope * 1.3 - 0.3 * Smooth(0, 0.05 * H, Y - Far(X)), 0.0, 1.0);
            C = Mix(Mix(Rgb(0x52628F), Rgb(0x97A2C4), float(Lit)), Rgb(0xC4C8DA), float(Haze * 0.45));
        }
        if (Y > Near(X)) {
            const double Shade = N.Fbm(X / W * 20, Y / H * 20, 4);
            C = Mix(Rgb(0x2F5A3C), Rgb(0x4E7A46), float(Shade * 0.8 + 0.1 * (Y - Near(X)) / H));
        }
        return C;
    };
    TImage Img(W, H);
    Img.Shade([&](double X, double Y) {
        if (Y < Horizon) return Upper(X, Y);
        const double Bank = Shore + 0.05 * H * (N.Fbm(X / W * 4, 3.3, 4) - 0.5);
        if (Y < Bank) {
            // The lake mirrors what stands above it, rippled and darkened.
            const double Depth = (Y - Horizon) / (Bank - Horizon);
            const double RX = X + 2.0 * std::sin(Y * 0.9) * (0.3 + Depth);
            const double RY = Horizon - (Y - Horizon) * 1.1;
            TRGBA C = Upper(std::clamp(RX, 0.0, W - 1.0), std::max(0.0, RY));
            C = Mix(C, Rgb(0x20406A), float(0.25 + 0.35 * Depth));
            // The sun's glitter: short horizontal streaks, thinning out to
            // the sides of its column.
            const double Spread = (X - SunX) / (0.05 * W * (1 + 1.5 * Depth));
            const double Glitter = N.Value(X / 7.0, Y * 0.9) * std::exp(-Spread * Spread);
            C = Mix(C, Rgb(0xFFF2D0), float(Smooth(0.45, 0.8, Glitter) * 0.85));
            // Faint ripples.
            C = Add(C, Rgb(0xFFFFFF), float((N.Value(X / 40.0, Y * 0.7) - 0.5) * 0.06));
            return C;
        }
        const double Grass = N.Fbm(X / 6.0, Y / 2.0, 3);
        return Mix(Rgb(0x3B6B2A), Rgb(0x6E9A3A), float(Grass * 0.7 + 0.3 * (1 - (Y - Bank) / (H - Bank + 1))));
    });
    // A few conifers on the near bank.
    TRandom R(5);
    const double Scale = H / 300.0;
    for (double TX : {0.06, 0.11, 0.17, 0.85, 0.92}) {
        const double X = TX * W, Base = Shore + 0.02 * H, TH = (60 + R.Range(0, 30)) * Scale, TW = TH * 0.32;
        Img.Fill({Kit::Rect(X - TW * 0.06, Base - TH * 0.15, TW * 0.12, TH * 0.2)}, Rgb(0x3A2A1C));
        for (int K = 0; K < 3; ++K) {
            const double Top = Base - TH + K * TH * 0.22, Bottom = Base - TH * 0.1 - (2 - K) * TH * 0.12;
            const double Half = TW * (0.5 + K * 0.18) / 1.4;
            Img.Fill({{{X, Top}, {X + Half, Bottom}, {X - Half, Bottom}}}, Rgb(K == 2 ? 0x1E3E26 : 0x24482C));
        }
    }
    return Img;
}

TImage Scene(const std::string& Name)
{
    if (Name == "sunshine") return Sunshine();
    if (Name == "sunny") return Sunny();
    if (Name == "droplet") return Droplets();
    if (Name == "heart") return Hearts();
    if (Name == "snow") return Snow();
    if (Name == "star") return Stars();
    throw std::runtime_error("no scene " + Name);
}

TImage SamplePicture() { return Landscape(800, 600); }

}  // namespace Stock
