// Frames: previews of the band and shaped frames (packs 0 and 1), tiles for
// the layered frames (pack 2) and the mask pictures of edge frames (pack 3).
#include <cmath>
#include <stdexcept>

#include "Stock.h"

namespace Stock {

using namespace Kit;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int PW = 78, PH = 66;  // previews of packs 0 and 1

// The frames' default colours (as the frame dialog starts with them).
const TRGBA Teal = Rgb(0x33CCCC), LightCyan = Rgb(0xCCFFFF), Blue = Rgb(0x3366FF), Navy = Rgb(0x0000FF);
const TRGBA Gold = Rgb(0xE8B830);

double Smooth(double E0, double E1, double X)
{
    const double T = std::clamp((X - E0) / (E1 - E0), 0.0, 1.0);
    return T * T * (3 - 2 * T);
}

// The picture shown through a frame's opening, at (X, Y).
void Picture(TImage& Img, int X, int Y, int W, int H) { Img.Draw(Landscape(W, H), X, Y); }

// A rectangle with quarter arcs of diameter D at the corners named in
// Corners (bits: 1 top left, 2 top right, 4 bottom right, 8 bottom left).
TContour Rounded(double X, double Y, double W, double H, double D, int Corners)
{
    TContour C;
    const double R = D / 2;
    auto Corner = [&](int Bit, double CX, double CY, double A0, double PX, double PY) {
        if (Corners & Bit)
            ArcTo(C, CX, CY, R, R, A0, A0 + Pi / 2);
        else
            C.push_back({PX, PY});
    };
    Corner(1, X + R, Y + R, Pi, X, Y);
    Corner(2, X + W - R, Y + R, 3 * Pi / 2, X + W, Y);
    Corner(4, X + W - R, Y + H - R, 0, X + W, Y + H);
    Corner(8, X + R, Y + H - R, Pi / 2, X, Y + H);
    return C;
}

// A band frame: bands from the outside in, an opening, the picture behind.
TImage Pad(int Mode)
{
    TImage Img(PW, PH, Rgb(0xFFFFFF));
    const int M = std::min(PW, PH);
    TImage F(PW, PH);
    int P = 7, Q = 7, Bottom = 7;
    switch (Mode) {
    case 1:
        P = Q = Bottom = 8;
        F.Fill({Kit::Rect(0, 0, PW, PH)}, Teal);
        break;
    case 2:
        P = Q = Bottom = 9;
        F.Fill({Kit::Rect(0, 0, PW, PH)}, Teal);
        F.Fill({Kit::Rect(5, 5, PW - 10, PH - 10)}, LightCyan);
        F.Fill({Kit::Rect(8, 8, PW - 16, PH - 16)}, Blue);
        break;
    case 5:  // a wider band at the bottom
        P = Q = 5, Bottom = 18;
        F.Fill({Kit::Rect(0, 0, PW, PH)}, Teal);
        break;
    case 6:  // bands above and below
        P = 3, Q = 9, Bottom = 14;
        F.Fill({Kit::Rect(0, 0, PW, PH)}, Teal);
        break;
    default:  // a thin outer line, a band, and a shaped opening
        F.Fill({Kit::Rect(0, 0, PW, PH)}, Navy);
        F.Fill({Kit::Rect(1, 1, PW - 2, PH - 2)}, Teal);
        break;
    }
    const double W = PW - 2 * P, H = PH - Q - Bottom;
    TContour Opening;
    switch (Mode) {
    case 3: Opening = Rounded(P - 1, Q - 1, W + 1, H + 1, 0.4 * M, 15); break;
    case 9: Opening = Rounded(P - 1, Q - 1, W + 1, H + 1, 0.6 * M, 5); break;
    case 10: Opening = Rounded(P - 1, Q - 1, W + 1, H + 1, 0.6 * M, 10); break;
    case 4: {
        const double C = std::trunc(std::min(W, H) / 2 * 0.3);
        Opening = {{double(P), Q + C}, {P + C, double(Q)}, {P + W - C, double(Q)}, {P + W, Q + C},
                   {P + W, Q + H - C}, {P + W - C, Q + H}, {P + C, Q + H}, {double(P), Q + H - C}};
        break;
    }
    case 7: {
        const double R = 0.9 * std::max(W, H) / 2;
        Opening = Ellipse(P + W / 2, Q + H / 2, R, R);
        break;
    }
    case 8: Opening = Ellipse(P + W / 2, Q + H / 2, W / 2, H / 2); break;
    default: Opening = Kit::Rect(P, Q, W, H); break;
    }
    Picture(Img, P, Q, int(W), int(H));
    // The bands with the opening cut out of them (inside the picture's box).
    TImage Hole(PW, PH);
    Hole.Fill({Opening}, Rgb(0xFFFFFF));
    F.MaskBy([&](double X, double Y) {
        const bool InBox = X > P && X < P + W && Y > Q && Y < Q + H;
        return InBox ? 1 - Hole.Get(int(X), int(Y)).A : 1.0f;
    });
    Img.Draw(F, 0, 0);
    if (Mode == 3 || Mode == 4 || Mode >= 7) Img.Stroke(Opening, 1, Teal, true);
    return Img;
}

// The openings of shaped frames, as the document draws them, for a frame of
// width B around a picture: W' x H' is the framed size.
TContour BandShape(int Mode, double WP, double HP, double B)
{
    const double W = WP - 2 * B, H = HP - 2 * B, M = std::min(W, H);
    const double Half = std::floor(WP / 2), HalfH = std::floor(HP / 2);
    const double C = 0;  // the shapes' inset at their preview's value
    auto R = [](double V) { return std::nearbyint(V); };
    const double E = std::floor(B / 3);
    switch (Mode) {
    case 1: return Rounded(B - 1, B - 1, W + 1, H + 1, 0.5 * M, 15);
    case 5: return Rounded(B - 1, B - 1, W + 1, H + 1, 0.5 * M, 5);
    case 6: return Rounded(B - 1, B - 1, W + 1, H + 1, 0.5 * M, 10);
    case 15: return Rounded(B - 1, B - 1, W + 1, H + 1, 0.5 * M, 3);
    case 16: return Rounded(B - 1, B - 1, W + 1, H + 1, 0.5 * M, 12);
    case 2: {
        const double K = std::trunc(M / 2 * 0.5);
        return {{B, B + K}, {B + K, B}, {WP - B - K - 1, B}, {WP - B - 1, B + K},
                {WP - B - 1, HP - B - K - 1}, {WP - B - K - 1, HP - B - 1}, {B + K, HP - B - 1}, {B, HP - B - K - 1}};
    }
    case 3: return Ellipse(WP / 2, HP / 2, M / 2, M / 2);
    case 4: return Ellipse(WP / 2, HP / 2, W / 2, H / 2);
    case 7: return {{Half, B + C}, {B + C, HalfH}, {Half, HP - B - C - 1}, {WP - B - C - 1, HalfH}};
    case 8:
        return {{Half, B + C},
                {C + R(0.32 * WP), C + R(0.32 * HP)},
                {B + C, HalfH},
                {C + R(0.32 * WP), R(0.68 * HP) - C},
                {Half, HP - B - C - 1},
                {R(0.68 * WP) - C, R(0.68 * HP) - C},
                {WP - B - C - 1, HalfH},
                {R(0.68 * WP) - C, C + R(0.32 * HP)}};
    case 9: {
        const double Q = std::floor(WP / 4);
        return {{Q, B + C}, {B + C, HalfH}, {Q, HP - B - C - 1}, {WP - Q, HP - B - C - 1}, {WP - B - C - 1, HalfH},
                {WP - Q, B + C}};
    }
    case 10:
        return {{Half, B + C},
                {C + R(0.3 * WP), C + R(0.2 * HP)},
                {B + C, R(0.3 * HP)},
                {B + C + R(0.1 * WP), HalfH},
                {B + C, R(0.7 * HP)},
                {C + R(0.3 * WP), R(0.8 * HP) - C},
                {Half, HP - B - C - 1},
                {R(0.7 * WP) - C, R(0.8 * HP) - C},
                {WP - B - C - 1, R(0.7 * HP)},
                {WP - B - C - R(0.1 * WP) - 1, HalfH},
                {WP - B - C - 1, R(0.3 * HP)},
                {R(0.7 * WP) - C, C + R(0.2 * HP)}};
    case 11:
    case 12: {
        // Shield (and heart, which is a shield with its top cut in).
        const TPt Bottom{Half, HP - B - 1};
        const std::vector<TPt> Shield = {{R(0.06 * WP), B},         {-R(0.04 * WP) - E, R(0.25 * HP)},
                                         {B + R(0.03 * WP), R(0.52 * HP)}, {B + R(0.1 * WP), R(0.72 * HP)},
                                         Bottom, Bottom, Bottom, {R(0.9 * WP) - B, R(0.72 * HP)},
                                         {R(0.97 * WP) - B, R(0.52 * HP)}, {E + R(1.04 * WP), R(0.25 * HP)},
                                         {R(0.94 * WP), B}};
        std::vector<TPt> Points;
        if (Mode == 11) {
            Points.push_back({Half, B});
            Points.insert(Points.end(), Shield.begin(), Shield.end());
            Points.push_back({Half, B});
        } else {
            const TPt Dip{Half, std::floor(HP / 4)};
            Points = {Dip, Dip, {Half, B}, {R(0.3 * WP), B}};
            Points.insert(Points.end(), Shield.begin(), Shield.end());
            Points.insert(Points.end(), {{R(0.7 * WP), B}, {Half, B}, Dip, Dip});
        }
        TContour Out{Points[0]};
        for (size_t I = 1; I + 2 < Points.size(); I += 3) CubicTo(Out, Points[I - 1], Points[I], Points[I + 1], Points[I + 2]);
        return Out;
    }
    case 13: return {{Half, B + C}, {B + C, HalfH}, {B + C, HP - B - C - 1}, {WP - B - C - 1, HP - B - C - 1}, {WP - B - C - 1, HalfH}};
    case 14: return {{B + C, B + C}, {B + C, HalfH}, {Half, HP - B - C - 1}, {WP - B - C - 1, HalfH}, {WP - B - C - 1, B + C}};
    }
    throw std::runtime_error("no band shape " + std::to_string(Mode));
}

TImage Band(int Mode)
{
    const double B = 3;
    TImage Img(PW, PH, Rgb(0xFFFFFF));
    const TContour Shape = BandShape(Mode, PW, PH, B);
    const TImage Land = Landscape(PW, PH);
    Img.Fill({Shape}, [&](double X, double Y) { return Land.Get(int(X), int(Y)); });
    Img.Stroke(Shape, B, Gold, true);
    return Img;
}

// ---------------------------------------------------------------------------
// Tiles of layered frames. A mitred tile runs along the frame with its top
// row outside.

TImage Gilt(int S)
{
    TImage Img(S, S);
    TNoise N(1);
    Img.Shade([&](double X, double Y) {
        const double T = Y / S;
        // A moulding: rounded profile, darker in the hollow, with beads.
        const double Profile = 0.55 + 0.45 * std::sin(T * Pi * 1.5 + 0.3);
        const double Bead = std::pow(std::fabs(std::sin((X / S) * Pi * 2)), 3) * Smooth(0.55, 0.7, T) *
                            (1 - Smooth(0.85, 0.95, T));
        const double V = std::clamp(Profile * 0.8 + Bead * 0.35 + (N.Value(X / 2, Y / 2) - 0.5) * 0.1, 0.0, 1.0);
        return Mix(Rgb(0x6E4A0E), Rgb(0xFFE08A), float(V));
    });
    return Img;
}

TImage Rope(int S)
{
    TImage Img(S, S, Rgb(0x1F3A5F));
    // Twisted strands: three slanted, rounded segments per tile between two
    // navy margins.
    Img.Shade([&](double X, double Y) {
        const double Across = std::fabs(Y / S - 0.5) * 2;
        if (Across > 0.78) return Rgb(0x1F3A5F);
        const double Period = S / 3.0;
        const double U = std::fmod(X + Y * 0.8 + 10 * S, Period) / Period;
        const double Round = std::sin(U * Pi);
        const double Shade = std::pow(Round, 0.7) * (1 - Across * Across * 0.5);
        return Mix(Rgb(0x6A4A22), Rgb(0xF2DFAE), float(Shade));
    });
    return Img;
}

TImage GreekKey(int S)
{
    TImage Img(S, S, Rgb(0x1E5A3A));
    // A meander in gold on green, one turn per tile.
    const double U = S / 8.0;
    const TContour Key = {{0, 7 * U}, {6 * U, 7 * U}, {6 * U, 2 * U}, {2 * U, 2 * U}, {2 * U, 5 * U},
                          {4 * U, 5 * U}, {4 * U, 4 * U}, {3 * U, 4 * U}, {3 * U, 3 * U}, {5 * U, 3 * U},
                          {5 * U, 6 * U}, {1 * U, 6 * U}, {1 * U, 1 * U}, {7 * U, 1 * U}, {7 * U, 7 * U}, {8 * U, 7 * U}};
    Img.Stroke(Key, U * 0.9, Rgb(0xE6C25A));
    Img.Stroke({{0, U * 0.3}, {double(S), U * 0.3}}, U * 0.6, Rgb(0xE6C25A));
    return Img;
}

TImage WoodTile(int S) { return Pattern("wood").Resized(S, S); }
TImage MarbleTile(int S) { return Pattern("marble").Cropped(0, 0, S, S); }

TImage Brushed(int S)
{
    TImage Img(S, S);
    TNoise N(9);
    Img.Shade([&](double X, double Y) {
        const double Streak = N.Fbm(X / 32.0, Y / 1.5, 3, 1, 0);
        return Mix(Rgb(0x9CA3AB), Rgb(0xE2E6EA), float(Streak));
    });
    return Img;
}

TImage Flowers(int S)
{
    TImage Img(S, S, Rgb(0xF7D6E0));
    const double C = S / 2.0, R = S * 0.16;
    for (int K = 0; K < 5; ++K) {
        const double A = K * 2 * Pi / 5;
        Img.Fill({Ellipse(C + std::sin(A) * R, C - std::cos(A) * R, R * 0.75, R * 0.75)}, Rgb(0xFFFFFF));
    }
    Img.Fill({Ellipse(C, C, R * 0.55, R * 0.55)}, Rgb(0xF2B632));
    for (double X : {0.0, double(S)})
        for (double Y : {0.0, double(S)}) Img.Fill({Ellipse(X, Y, R * 0.5, R * 0.5)}, Rgb(0xE88AA8));
    return Img;
}

TImage Mosaic(int S)
{
    TImage Img(S, S, Rgb(0xF4EFE6));
    const uint32_t Colors[] = {0x2F7FB8, 0x3FA7A0, 0xE0A030, 0xC8553D, 0x5B8C4A};
    const int N = 4;
    const double T = double(S) / N;
    for (int Y = 0; Y < N; ++Y)
        for (int X = 0; X < N; ++X)
            Img.Fill({RoundRect(X * T + 1, Y * T + 1, T - 2, T - 2, 1.5)}, Rgb(Colors[(X * 3 + Y * 2 + X * Y) % 5]));
    return Img;
}

// ---------------------------------------------------------------------------
// Masks: 400 x 300, white where the picture shows, black where the frame's
// colour covers it.

constexpr int MW = 400, MH = 300;

TImage MaskFrom(const std::function<double(double, double)>& Inside)
{
    TImage Img(MW, MH);
    Img.Shade([&](double X, double Y) {
        const float V = float(std::clamp(Inside(X, Y), 0.0, 1.0));
        return TRGBA{V, V, V, 1};
    });
    return Img;
}

// Distance inside the border (negative outside), in pixels.
double Inset(double X, double Y) { return std::min({X, Y, MW - X, MH - Y}); }

TImage Mask(const std::string& Name)
{
    TNoise N(Name.size() * 7 + 3);
    if (Name == "oval")
        return MaskFrom([](double X, double Y) {
            const double D = std::hypot((X - MW / 2.0) / (MW * 0.46), (Y - MH / 2.0) / (MH * 0.44));
            return 1 - Smooth(0.7, 1.05, D);
        });
    if (Name == "rounded")
        return MaskFrom([](double X, double Y) {
            const double R = 40, M = 18;
            const double DX = std::max(0.0, std::max(M + R - X, X - (MW - M - R)));
            const double DY = std::max(0.0, std::max(M + R - Y, Y - (MH - M - R)));
            return 1 - Smooth(R - 6, R + 6, std::hypot(DX, DY));
        });
    if (Name == "torn")
        return MaskFrom([&](double X, double Y) {
            const double Edge = 22 + 16 * N.Fbm(X / 40 + Y / 40, (X + Y) / 7, 5);
            return Smooth(Edge - 1.2, Edge + 1.2, Inset(X, Y));
        });
    if (Name == "brush")
        return MaskFrom([&](double X, double Y) {
            // Strokes along each side: the edge wanders slowly along the
            // side and streaks across it.
            const double Along = std::min(X, MW - X) < std::min(Y, MH - Y) ? Y : X;
            const double In = Inset(X, Y);
            const double Edge = 22 + 26 * N.Fbm(Along / 70, 0.5, 3) + 12 * (N.Fbm(Along / 5, In / 25, 3) - 0.5);
            return Smooth(Edge - 3, Edge + 3, In);
        });
    if (Name == "grunge")
        return MaskFrom([&](double X, double Y) {
            const double Edge = 30 + 10 * N.Fbm(X / 25, Y / 25, 4);
            const double Speck = N.Value(X / 1.7, Y / 1.7) * 0.6 + N.Fbm(X / 9, Y / 9, 3) * 0.4;
            const double Base = Smooth(Edge - 22, Edge + 6, Inset(X, Y));
            return Base >= 1 ? 1.0 : Base * 0.8 + (Speck > 0.62 ? 0.5 : 0.0) * (1 - Base);
        });
    if (Name == "lace")
        return MaskFrom([](double X, double Y) {
            // A band of the frame's colour with a scalloped inner edge and a
            // row of eyelets through which the picture shows.
            const double Step = 20;
            const double In = Inset(X, Y);
            const double Along = std::min(X, MW - X) < std::min(Y, MH - Y) ? Y : X;
            const double Wave = 34 - 7 * std::fabs(std::sin(Along / Step * Pi));
            if (In > Wave + 1) return 1.0;
            const double Eye = std::hypot(std::fmod(Along, Step) - Step / 2, In - 17);
            return std::max(Smooth(Wave - 1, Wave + 1, In), 1 - Smooth(3.8, 5.2, Eye));
        });
    if (Name == "scallop")
        return MaskFrom([](double X, double Y) {
            const double M = 24, Step = 25;
            const double In = Inset(X, Y);
            const double Along = std::min(X, MW - X) < std::min(Y, MH - Y) ? Y : X;
            const double Wave = M - 7 * std::fabs(std::sin(Along / Step * Pi));
            return Smooth(Wave - 1, Wave + 1, In);
        });
    if (Name == "film")
        return MaskFrom([](double X, double Y) {
            const double Band = 34, Step = 22;
            if (Y > Band && Y < MH - Band) return X > 8 && X < MW - 8 ? 1.0 : 0.0;
            // Sprocket holes in the dark bands show the picture through.
            const double CY = Y < MH / 2.0 ? Band / 2 : MH - Band / 2;
            const double HX = std::fabs(std::fmod(X, Step) - Step / 2), HY = std::fabs(Y - CY);
            return HX < 5.5 && HY < 8 ? 1.0 : 0.0;
        });
    if (Name == "heart") {
        TImage Img(MW, MH, Rgb(0x000000));
        TImage H(MW, MH);
        H.Fill({Heart(MW / 2.0 - 150, 22, 300, 262)}, Rgb(0xFFFFFF));
        H.Blur(10);
        Img.Draw(H, 0, 0);
        return Img;
    }
    if (Name == "cloud") {
        TImage Img(MW, MH, Rgb(0x000000));
        TImage C(MW, MH);
        TRandom R(12);
        C.Fill({Ellipse(MW / 2.0, MH / 2.0, MW * 0.36, MH * 0.33)}, Rgb(0xFFFFFF));
        for (int I = 0; I < 22; ++I) {
            const double A = I * 2 * Pi / 22 + R.Range(-0.1, 0.1);
            const double X = MW / 2.0 + std::cos(A) * MW * 0.36, Y = MH / 2.0 + std::sin(A) * MH * 0.33;
            const double S = R.Range(28, 46);
            C.Fill({Ellipse(X, Y, S, S)}, Rgb(0xFFFFFF));
        }
        C.Blur(12);
        Img.Draw(C, 0, 0);
        return Img;
    }
    throw std::runtime_error("no mask " + Name);
}

}  // namespace

TImage FramePreview(const std::string& Name)
{
    if (Name.rfind("pad", 0) == 0) return Pad(std::stoi(Name.substr(3)));
    if (Name.rfind("band", 0) == 0) return Band(std::stoi(Name.substr(4)));
    throw std::runtime_error("no frame preview " + Name);
}

TImage FrameTile(const std::string& Name, int Size)
{
    if (Name == "gilt") return Gilt(Size);
    if (Name == "rope") return Rope(Size);
    if (Name == "greekkey") return GreekKey(Size);
    if (Name == "wood") return WoodTile(Size);
    if (Name == "marble") return MarbleTile(Size);
    if (Name == "brushed") return Brushed(Size);
    if (Name == "flowers") return Flowers(Size);
    if (Name == "mosaic") return Mosaic(Size);
    throw std::runtime_error("no frame tile " + Name);
}

TImage FrameMask(const std::string& Name) { return Mask(Name); }

}  // namespace Stock
