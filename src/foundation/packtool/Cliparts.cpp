// Clip-arts (simple vector shapes with a gradient face, an outline, a gloss
// and a soft shadow) and the watermark sample.
#include <cmath>
#include <stdexcept>

#include "Stock.h"

namespace Stock {

using namespace Kit;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int C = 128;  // the side of a clip-art

// Coverage of a path as a picture's alpha.
TImage ShapeMask(const TPath& Path, int W, int H)
{
    TImage M(W, H);
    M.Fill(Path, Rgb(0xFFFFFF));
    return M;
}

void MaskWith(TImage& Img, const TImage& Mask)
{
    Img.MaskBy([&](double X, double Y) { return Mask.Get(int(X), int(Y)).A; });
}

// A face: the shadow, the gradient from Top to Bottom, the gloss on its
// upper part and the outline.
void Face(TImage& Img, const TPath& Path, uint32_t Top, uint32_t Bottom, uint32_t Line, double Width = 3,
          bool Gloss = true)
{
    double MinY = 1e9, MaxY = -1e9;
    for (const TContour& K : Path)
        for (const TPt& P : K) MinY = std::min(MinY, P.Y), MaxY = std::max(MaxY, P.Y);
    TImage Shadow(Img.Width(), Img.Height());
    for (const TContour& K : Path) Shadow.Fill({Transformed(K, 1, 3, 4)}, Rgb(0x000000, 0.35f));
    Shadow.Blur(5);
    Img.Draw(Shadow, 0, 0);
    Img.Fill(Path, [&](double, double Y) { return Mix(Rgb(Top), Rgb(Bottom), float((Y - MinY) / (MaxY - MinY))); });
    if (Gloss) {
        TImage G(Img.Width(), Img.Height());
        G.Shade([&](double, double Y) {
            const double T = (Y - MinY) / (MaxY - MinY);
            return Rgb(0xFFFFFF, float(T < 0.45 ? 0.38 * (1 - T / 0.45) : 0));
        });
        MaskWith(G, ShapeMask(Path, Img.Width(), Img.Height()));
        Img.Draw(G, 0, 0);
    }
    for (const TContour& K : Path) Img.Stroke(K, Width, Rgb(Line), true);
}

// The same for a shape made of overlapping parts: the outline is drawn
// first and covered by the face, so that only its outer half shows.
void UnionFace(TImage& Img, const TPath& Path, uint32_t Top, uint32_t Bottom, uint32_t Line, double Width = 3)
{
    double MinY = 1e9, MaxY = -1e9;
    for (const TContour& K : Path)
        for (const TPt& P : K) MinY = std::min(MinY, P.Y), MaxY = std::max(MaxY, P.Y);
    TImage Shadow(Img.Width(), Img.Height());
    for (const TContour& K : Path) Shadow.Fill({Transformed(K, 1, 3, 4)}, Rgb(0x000000, 0.35f));
    Shadow.Blur(5);
    Img.Draw(Shadow, 0, 0);
    for (const TContour& K : Path) Img.Stroke(K, Width * 2, Rgb(Line), true);
    TImage F(Img.Width(), Img.Height());
    for (const TContour& K : Path)
        F.Fill({K}, [&](double, double Y) { return Mix(Rgb(Top), Rgb(Bottom), float((Y - MinY) / (MaxY - MinY))); });
    TImage G(Img.Width(), Img.Height());
    G.Shade([&](double, double Y) {
        const double T = (Y - MinY) / (MaxY - MinY);
        return Rgb(0xFFFFFF, float(T < 0.45 ? 0.38 * (1 - T / 0.45) : 0));
    });
    G.MaskBy([&](double X, double Y) { return F.Get(int(X), int(Y)).A; });
    F.Draw(G, 0, 0);
    Img.Draw(F, 0, 0);
}

TImage Blank() { return TImage(C, C); }

// ---------------------------------------------------------------------------
// Symbols

TImage StarArt()
{
    TImage Img = Blank();
    Face(Img, {Star(62, 66, 54, 23, 5)}, 0xFFE36A, 0xF2A516, 0xB8740A);
    return Img;
}

TImage HeartArt()
{
    TImage Img = Blank();
    Face(Img, {Heart(10, 16, 104, 96)}, 0xFF6B7D, 0xD81E3C, 0x9A1028);
    return Img;
}

TImage ArrowArt()
{
    TImage Img = Blank();
    const TContour A = {{10, 48}, {66, 48}, {66, 22}, {116, 62}, {66, 102}, {66, 76}, {10, 76}};
    Face(Img, {A}, 0x6FB8FF, 0x1F6FD0, 0x154E96);
    return Img;
}

TImage Round(uint32_t Top, uint32_t Bottom, uint32_t Line)
{
    TImage Img = Blank();
    Face(Img, {Ellipse(62, 62, 52, 52)}, Top, Bottom, Line);
    return Img;
}

TImage CheckArt()
{
    TImage Img = Round(0x7BD67B, 0x2E9E3E, 0x1E6E2A);
    Img.Stroke({{36, 64}, {55, 84}, {90, 42}}, 12, Rgb(0xFFFFFF));
    return Img;
}

TImage CrossArt()
{
    TImage Img = Round(0xFF8A7A, 0xD8322A, 0x982018);
    Img.Stroke({{42, 42}, {82, 82}}, 12, Rgb(0xFFFFFF));
    Img.Stroke({{82, 42}, {42, 82}}, 12, Rgb(0xFFFFFF));
    return Img;
}

TImage WarningArt()
{
    TImage Img = Blank();
    TContour Tri;
    ArcTo(Tri, 64, 22, 8, 8, -Pi * 5 / 6, -Pi / 6);
    ArcTo(Tri, 110, 104, 8, 8, -Pi / 6, Pi / 2);
    ArcTo(Tri, 18, 104, 8, 8, Pi / 2, Pi * 7 / 6);
    Face(Img, {Tri}, 0xFFE766, 0xF5B800, 0xA67C00);
    Img.Stroke({{64, 44}, {64, 80}}, 11, Rgb(0x3A2E10));
    Img.Fill({Ellipse(64, 95, 6.5, 6.5)}, Rgb(0x3A2E10));
    return Img;
}

TImage BubbleArt()
{
    TImage Img = Blank();
    TContour B = RoundRect(8, 14, 112, 76, 22);
    // The tail, joined at the bottom left.
    TContour Tail = {{30, 84}, {24, 116}, {58, 86}};
    Face(Img, {B, Tail}, 0xFFFFFF, 0xDCE9F7, 0x3C78B8);
    Img.Fill({Tail}, [](double, double) { return Rgb(0xDCE9F7); });
    Img.Fill({Kit::Rect(33, 80, 22, 8)}, Rgb(0xDCE9F7));
    for (int I = 0; I < 3; ++I) Img.Fill({Ellipse(40 + I * 24, 52, 7, 7)}, Rgb(0x3C78B8));
    return Img;
}

TImage BoltArt()
{
    TImage Img = Blank();
    const TContour Bolt = {{72, 6}, {26, 72}, {58, 72}, {46, 122}, {102, 48}, {68, 48}, {86, 6}};
    Face(Img, {Bolt}, 0xFFF07A, 0xF7A600, 0xB86E00);
    return Img;
}

// ---------------------------------------------------------------------------
// Nature

TImage SunArt()
{
    TImage Img = Blank();
    for (int K = 0; K < 12; ++K) {
        const double A = K * Pi / 6;
        const TContour Ray = {{64 + std::sin(A - 0.13) * 40, 64 - std::cos(A - 0.13) * 40},
                              {64 + std::sin(A) * 60, 64 - std::cos(A) * 60},
                              {64 + std::sin(A + 0.13) * 40, 64 - std::cos(A + 0.13) * 40}};
        Img.Fill({Ray}, Rgb(0xFFB21E));
    }
    Face(Img, {Ellipse(64, 64, 36, 36)}, 0xFFF07A, 0xFFB21E, 0xE08A00);
    return Img;
}

TImage CloudArt()
{
    TImage Img = Blank();
    UnionFace(Img, {Ellipse(40, 72, 24, 24), Ellipse(68, 52, 30, 30), Ellipse(96, 74, 20, 20), RoundRect(18, 66, 98, 30, 15)},
              0xFFFFFF, 0xC9DDF0, 0x6E8FB4, 1.5);
    return Img;
}

TImage FlowerArt()
{
    TImage Img = Blank();
    Img.Stroke({{64, 64}, {64, 124}}, 6, Rgb(0x3E8E3A));
    TContour Leaf{{64, 110}};
    CubicTo(Leaf, {64, 110}, {70, 90}, {96, 86}, {104, 92});
    CubicTo(Leaf, {104, 92}, {96, 108}, {76, 114}, {64, 110});
    Face(Img, {Leaf}, 0x7ACB5A, 0x3E8E3A, 0x2C6A2A, 2, false);
    for (int K = 0; K < 6; ++K) {
        const double A = K * Pi / 3;
        Face(Img, {Transformed(Ellipse(64, 32, 15, 24), 1, 0, 0, A, 64, 52)}, 0xFFB3D1, 0xF0609A, 0xB83A70, 2, false);
    }
    Face(Img, {Ellipse(64, 52, 13, 13)}, 0xFFE36A, 0xF2A516, 0xB8740A, 2);
    return Img;
}

TImage LeafArt()
{
    TImage Img = Blank();
    TContour L{{14, 114}};
    CubicTo(L, {14, 114}, {6, 50}, {54, 10}, {118, 10});
    CubicTo(L, {118, 10}, {118, 72}, {80, 118}, {14, 114});
    Face(Img, {L}, 0x9BD86A, 0x3E9A3A, 0x2A6A28);
    Img.Stroke({{14, 114}, {100, 28}}, 3, Rgb(0xE6F5D0));
    for (double T : {0.3, 0.5, 0.7}) {
        const double X = 14 + 86 * T, Y = 114 - 86 * T;
        Img.Stroke({{X, Y}, {X - 14, Y - 22}}, 2, Rgb(0xE6F5D0));
        Img.Stroke({{X, Y}, {X + 22, Y + 14}}, 2, Rgb(0xE6F5D0));
    }
    return Img;
}

TImage TreeArt()
{
    TImage Img = Blank();
    Face(Img, {Kit::Rect(56, 78, 16, 44)}, 0xA0703E, 0x6E4622, 0x4A2E16, 2, false);
    UnionFace(Img, {Ellipse(64, 46, 36, 32), Ellipse(36, 66, 26, 22), Ellipse(92, 66, 26, 22), Ellipse(64, 74, 30, 18)},
              0x8ED061, 0x2F8A36, 0x1E5E24, 1.5);
    return Img;
}

TImage MoonArt()
{
    // A crescent: the big disc less a smaller one up and to the right.
    TImage Img = Blank();
    const double AX = 58, AY = 66, AR = 50, BX = 82, BY = 52, BR = 42;
    const double D = std::hypot(BX - AX, BY - AY);
    const double L = (AR * AR - BR * BR + D * D) / (2 * D), H = std::sqrt(AR * AR - L * L);
    const double MX = AX + (BX - AX) * L / D, MY = AY + (BY - AY) * L / D;
    const TPt P{MX + (BY - AY) * H / D, MY - (BX - AX) * H / D}, Q{MX - (BY - AY) * H / D, MY + (BX - AX) * H / D};
    auto Angle = [](const TPt& T, double X, double Y) { return std::atan2(T.Y - Y, T.X - X); };
    // The outer arc the long way round, the inner one back the short way.
    double A0 = Angle(P, AX, AY), A1 = Angle(Q, AX, AY);
    double B0 = Angle(Q, BX, BY), B1 = Angle(P, BX, BY);
    if (A1 < A0) A1 += 2 * Pi;
    if (A1 - A0 < Pi) A1 -= 2 * Pi;
    if (B1 < B0) B1 += 2 * Pi;
    if (B1 - B0 > Pi) B1 -= 2 * Pi;
    TContour M;
    ArcTo(M, AX, AY, AR, AR, A0, A1, 80);
    ArcTo(M, BX, BY, BR, BR, B0, B1, 60);
    Face(Img, {M}, 0xFFF3A6, 0xF5C430, 0xB88A10);
    Img.Fill({Star(106, 24, 10, 4, 4)}, Rgb(0xFFE36A));
    Img.Fill({Star(116, 50, 6, 2.4, 4)}, Rgb(0xFFE36A));
    return Img;
}

TImage SnowArt()
{
    TImage Img = Blank();
    TImage S = Blank();
    for (int K = 0; K < 6; ++K) {
        const double A = K * Pi / 3, DX = std::sin(A), DY = -std::cos(A);
        S.Stroke({{64, 64}, {64 + DX * 54, 64 + DY * 54}}, 8, Rgb(0x4A90D9));
        for (double T : {0.5, 0.75})
            for (double Side : {-1.0, 1.0}) {
                const double X = 64 + DX * 54 * T, Y = 64 + DY * 54 * T, B = A + Side * Pi / 4;
                S.Stroke({{X, Y}, {X + std::sin(B) * 18 * (1.2 - T), Y - std::cos(B) * 18 * (1.2 - T)}}, 6,
                         Rgb(0x4A90D9));
            }
    }
    TImage Shadow = S;
    Shadow.MaskBy([](double, double) { return 0.35f; });
    Shadow.Blur(5);
    Img.Draw(Shadow, 3, 4);
    Img.Draw(S, 0, 0);
    // A lighter core along each arm.
    for (int K = 0; K < 6; ++K) {
        const double A = K * Pi / 3;
        Img.Stroke({{64, 64}, {64 + std::sin(A) * 50, 64 - std::cos(A) * 50}}, 3, Rgb(0xC8E4FF));
    }
    return Img;
}

TImage DropArt()
{
    TImage Img = Blank();
    TContour D{{64, 6}};
    CubicTo(D, {64, 6}, {84, 40}, {104, 62}, {104, 84});
    CubicTo(D, {104, 84}, {104, 108}, {86, 124}, {64, 124});
    CubicTo(D, {64, 124}, {42, 124}, {24, 108}, {24, 84});
    CubicTo(D, {24, 84}, {24, 62}, {44, 40}, {64, 6});
    Face(Img, {D}, 0x8FD0FF, 0x1E78D0, 0x14528E);
    Img.Fill({Transformed(Ellipse(48, 84, 7, 14), 1, 0, 0, 0.3, 48, 84)}, Rgb(0xFFFFFF, 0.8f));
    return Img;
}

// ---------------------------------------------------------------------------
// Decorations

TImage RibbonArt()
{
    // A banner: its folded ends behind, the curved band in front.
    TImage Img = Blank();
    const TContour Left = {{4, 58}, {30, 58}, {30, 92}, {4, 92}, {14, 75}};
    const TContour Right = {{124, 58}, {98, 58}, {98, 92}, {124, 92}, {114, 75}};
    Face(Img, {Left}, 0xB82832, 0x7E141C, 0x5A0C12, 2, false);
    Face(Img, {Right}, 0xB82832, 0x7E141C, 0x5A0C12, 2, false);
    TContour Band{{20, 44}};
    QuadTo(Band, {20, 44}, {64, 28}, {108, 44});
    Band.push_back({108, 80});
    QuadTo(Band, {108, 80}, {64, 64}, {20, 80});
    Face(Img, {Band}, 0xFF6670, 0xD8323E, 0x8E1A22);
    return Img;
}

TImage RosetteArt()
{
    TImage Img = Blank();
    Face(Img, {{{44, 80}, {30, 124}, {46, 114}, {56, 126}, {64, 86}}}, 0x4A8FE0, 0x1E5AA8, 0x143E78, 2, false);
    Face(Img, {{{84, 80}, {98, 124}, {82, 114}, {72, 126}, {64, 86}}}, 0x4A8FE0, 0x1E5AA8, 0x143E78, 2, false);
    Face(Img, {Star(64, 54, 48, 40, 16)}, 0xFFD54A, 0xE8A010, 0xA87008);
    Face(Img, {Ellipse(64, 54, 32, 32)}, 0x5A9FF0, 0x1E5AA8, 0x143E78, 2);
    Img.Fill({Star(64, 55, 20, 8, 5)}, Rgb(0xFFFFFF));
    return Img;
}

TImage BalloonArt()
{
    TImage Img = Blank();
    TContour String = {{64, 100}};
    CubicTo(String, {64, 100}, {54, 110}, {74, 116}, {62, 126});
    Img.Stroke(String, 1.6, Rgb(0x606060));
    TContour B{{64, 100}};
    CubicTo(B, {64, 100}, {30, 88}, {20, 60}, {22, 44});
    CubicTo(B, {22, 44}, {24, 18}, {46, 4}, {64, 4});
    CubicTo(B, {64, 4}, {82, 4}, {104, 18}, {106, 44});
    CubicTo(B, {106, 44}, {108, 60}, {98, 88}, {64, 100});
    Face(Img, {B, {{58, 106}, {64, 98}, {70, 106}}}, 0xFF6A6A, 0xD01A2A, 0x8E1020);
    Img.Fill({Transformed(Ellipse(46, 34, 9, 16), 1, 0, 0, 0.5, 46, 34)}, Rgb(0xFFFFFF, 0.7f));
    return Img;
}

TImage GiftArt()
{
    TImage Img = Blank();
    Face(Img, {Kit::Rect(16, 56, 96, 66)}, 0x5FC0E8, 0x2A86C0, 0x1A5E8A);
    Face(Img, {Kit::Rect(10, 40, 108, 20)}, 0x7AD4F5, 0x3A9AD0, 0x1A5E8A);
    Img.Fill({Kit::Rect(56, 40, 16, 82)}, Rgb(0xE83A5A));
    TContour L{{64, 40}}, R{{64, 40}};
    CubicTo(L, {64, 40}, {40, 4}, {20, 24}, {64, 40});
    CubicTo(R, {64, 40}, {88, 4}, {108, 24}, {64, 40});
    Face(Img, {L}, 0xFF6A84, 0xD8284A, 0x9A1834, 2, false);
    Face(Img, {R}, 0xFF6A84, 0xD8284A, 0x9A1834, 2, false);
    return Img;
}

TImage CrownArt()
{
    TImage Img = Blank();
    const TContour K = {{12, 100}, {8, 34}, {38, 62}, {64, 18}, {90, 62}, {120, 34}, {116, 100}};
    Face(Img, {K}, 0xFFE36A, 0xE09A10, 0x9A6A08);
    Face(Img, {Kit::Rect(12, 98, 104, 16)}, 0xFFD24A, 0xD08A08, 0x9A6A08, 2);
    for (double X : {36.0, 64.0, 92.0}) Img.Fill({Ellipse(X, 106, 5, 5)}, Rgb(X == 64 ? 0x2A9AF0 : 0xE8284A));
    for (const TPt& P : std::vector<TPt>{{8, 34}, {64, 18}, {120, 34}}) Img.Fill({Ellipse(P.X, P.Y, 6, 6)}, Rgb(0xFFF3B0));
    return Img;
}

TImage SparklesArt()
{
    TImage Img = Blank();
    Face(Img, {Star(54, 68, 48, 10, 4)}, 0xFFF3A6, 0xF5C430, 0xC8960A, 2);
    Face(Img, {Star(102, 26, 20, 5, 4)}, 0xFFF3A6, 0xF5C430, 0xC8960A, 1.5);
    Face(Img, {Star(104, 100, 14, 4, 4)}, 0xFFF3A6, 0xF5C430, 0xC8960A, 1.5);
    return Img;
}

TImage BowArt()
{
    TImage Img = Blank();
    TContour L{{64, 60}}, R{{64, 60}};
    CubicTo(L, {64, 60}, {30, 20}, {4, 30}, {10, 60});
    CubicTo(L, {10, 60}, {14, 88}, {40, 86}, {64, 60});
    CubicTo(R, {64, 60}, {98, 20}, {124, 30}, {118, 60});
    CubicTo(R, {118, 60}, {114, 88}, {88, 86}, {64, 60});
    const TContour TailL = {{58, 66}, {34, 120}, {48, 112}, {56, 122}, {66, 70}};
    const TContour TailR = {{70, 66}, {94, 120}, {80, 112}, {72, 122}, {62, 70}};
    Face(Img, {TailL}, 0xFF8AB8, 0xE04A8A, 0xA02A60, 2, false);
    Face(Img, {TailR}, 0xFF8AB8, 0xE04A8A, 0xA02A60, 2, false);
    Face(Img, {L}, 0xFFA8CC, 0xE85A96, 0xA02A60);
    Face(Img, {R}, 0xFFA8CC, 0xE85A96, 0xA02A60);
    Face(Img, {Ellipse(64, 60, 12, 14)}, 0xFF8AB8, 0xD04080, 0xA02A60, 2);
    return Img;
}

TImage TagArt()
{
    TImage Img = Blank();
    const TContour T = {{8, 64}, {40, 22}, {120, 22}, {120, 106}, {40, 106}};
    Face(Img, {T}, 0xFFE08A, 0xF0B030, 0xA87410);
    Img.Fill({Ellipse(36, 64, 8, 8)}, Rgb(0xFFFFFF));
    Img.Stroke(Ellipse(36, 64, 8, 8), 2, Rgb(0xA87410), true);
    Img.Stroke({{60, 50}, {104, 50}}, 5, Rgb(0xA87410, 0.8f));
    Img.Stroke({{60, 78}, {92, 78}}, 5, Rgb(0xA87410, 0.8f));
    return Img;
}

// ---------------------------------------------------------------------------
// The watermark sample's letters, as strokes in a box of height 1.

std::vector<TContour> Letter(char Ch)
{
    switch (Ch) {
    case 'S': {
        TContour K{{0.82, 0.18}};
        CubicTo(K, {0.82, 0.18}, {0.7, -0.02}, {0.12, 0.0}, {0.14, 0.27});
        CubicTo(K, {0.14, 0.27}, {0.16, 0.5}, {0.86, 0.44}, {0.86, 0.72});
        CubicTo(K, {0.86, 0.72}, {0.86, 1.02}, {0.22, 1.02}, {0.12, 0.8});
        return {K};
    }
    case 'A': return {{{0, 1}, {0.45, 0}, {0.9, 1}}, {{0.18, 0.64}, {0.72, 0.64}}};
    case 'M': return {{{0, 1}, {0.04, 0}, {0.5, 0.7}, {0.96, 0}, {1, 1}}};
    case 'P': {
        TContour K{{0, 1}, {0, 0}, {0.45, 0}};
        CubicTo(K, {0.45, 0}, {0.88, 0}, {0.88, 0.52}, {0.45, 0.52});
        K.push_back({0, 0.52});
        return {K};
    }
    case 'L': return {{{0, 0}, {0, 1}, {0.72, 1}}};
    case 'E': return {{{0.74, 0}, {0, 0}, {0, 1}, {0.74, 1}}, {{0, 0.5}, {0.6, 0.5}}};
    }
    return {};
}

double Advance(char Ch) { return Ch == 'M' ? 1.25 : Ch == 'A' ? 1.1 : Ch == 'L' || Ch == 'E' ? 0.95 : 1.05; }

}  // namespace

TImage Clipart(const std::string& Name)
{
    if (Name == "star") return StarArt();
    if (Name == "heart") return HeartArt();
    if (Name == "arrow") return ArrowArt();
    if (Name == "check") return CheckArt();
    if (Name == "cross") return CrossArt();
    if (Name == "warning") return WarningArt();
    if (Name == "bubble") return BubbleArt();
    if (Name == "bolt") return BoltArt();
    if (Name == "sun") return SunArt();
    if (Name == "cloud") return CloudArt();
    if (Name == "flower") return FlowerArt();
    if (Name == "leaf") return LeafArt();
    if (Name == "tree") return TreeArt();
    if (Name == "moon") return MoonArt();
    if (Name == "snowflake") return SnowArt();
    if (Name == "drop") return DropArt();
    if (Name == "ribbon") return RibbonArt();
    if (Name == "rosette") return RosetteArt();
    if (Name == "balloon") return BalloonArt();
    if (Name == "gift") return GiftArt();
    if (Name == "crown") return CrownArt();
    if (Name == "sparkles") return SparklesArt();
    if (Name == "bow") return BowArt();
    if (Name == "tag") return TagArt();
    throw std::runtime_error("no clip-art " + Name);
}

TImage WatermarkSample()
{
    const double Cap = 34, Top = 25;
    double End = 92;
    for (char Ch : std::string("SAMPLE")) End += Advance(Ch) * Cap * 0.78 + 4;
    const int W = int(End) + 8, H = 84;
    TImage Img(W, H);
    TImage Art(W, H);
    // The emblem: a lens ring with six aperture blades.
    const double CX = 42, CY = 42, R = 34;
    TImage Ring(W, H);
    Ring.Stroke(Ellipse(CX, CY, R, R), 7, Rgb(0xFFFFFF), true);
    for (int K = 0; K < 6; ++K) {
        const double A = K * Pi / 3;
        const TPt P{CX + std::cos(A) * R * 0.78, CY + std::sin(A) * R * 0.78};
        const TPt Q{CX + std::cos(A + 2.1) * R * 0.3, CY + std::sin(A + 2.1) * R * 0.3};
        Ring.Stroke({P, Q}, 4, Rgb(0xFFFFFF));
    }
    Art.Draw(Ring, 0, 0);
    // The word, in strokes.
    double X = 92;
    for (char Ch : std::string("SAMPLE")) {
        for (const TContour& K : Letter(Ch)) Art.Stroke(Transformed(K, Cap, X, Top), 6, Rgb(0xFFFFFF));
        X += Advance(Ch) * Cap * 0.78 + 4;
    }
    // A dark halo so that the mark shows on light pictures too.
    TImage Halo = Art;
    for (int Y = 0; Y < H; ++Y)
        for (int XX = 0; XX < W; ++XX) {
            TColor32& P = Halo.Pixel(XX, Y);
            P &= 0xFF000000;
        }
    Halo.Blur(4);
    Img.Draw(Halo, 1, 2, 0.75f);
    Img.Draw(Art, 0, 0, 0.92f);
    return Img;
}

}  // namespace Stock
