#include "skin/controls/SkinColorCore.h"

#include <algorithm>
#include <cmath>

#include "framework/runtime/System.h"

namespace {

constexpr double DegreeFactor = 0.01745329252;

Byte ToByte(double V) { return static_cast<Byte>(std::clamp<Int64>(Round(V), 0, 255)); }

// The standard hue in [0, 1) of channels 0..1 with Max > Min.
double StandardHue(double R, double G, double B, double Max, double Min)
{
    const double D = Max - Min;
    double H;
    if (R == Max)
        H = (G - B) / D;
    else if (G == Max)
        H = (B - R) / D + 2;
    else
        H = (R - G) / D + 4;
    H /= 6;
    if (H < 0) H += 1;
    return H;
}

double HueToRGB(double M1, double M2, double H)
{
    if (H < 0) H += 1;
    if (H > 1) H -= 1;
    if (6 * H < 1) return M1 + (M2 - M1) * 6 * H;
    if (2 * H < 1) return M2;
    if (3 * H < 2) return M1 + (M2 - M1) * (2.0 / 3 - H) * 6;
    return M1;
}

}  // namespace

TsfRGB ColorToRGBBytes(TColor C)
{
    return {static_cast<Byte>(C & 0xFF), static_cast<Byte>((C >> 8) & 0xFF), static_cast<Byte>((C >> 16) & 0xFF)};
}

TColor RGBBytesToColor(const TsfRGB& C) { return C.Red | (C.Green << 8) | (C.Blue << 16); }

TsfHSL RGBToHSL(const TsfRGB& C)
{
    const double R = C.Red / 255.0, G = C.Green / 255.0, B = C.Blue / 255.0;
    const double Max = std::max({R, G, B}), Min = std::min({R, G, B});
    TsfHSL Out;
    Out.Lightness = (Max + Min) / 2;
    if (Max == Min) return Out;
    const double D = Max - Min;
    Out.Saturation = Out.Lightness < 0.5 ? D / (Max + Min) : D / (2 - Max - Min);
    Out.Hue = StandardHue(R, G, B, Max, Min);
    return Out;
}

TsfRGB HSLToRGB(const TsfHSL& C)
{
    if (C.Saturation == 0) {
        const Byte V = ToByte(C.Lightness * 255);
        return {V, V, V};
    }
    const double M2 = C.Lightness <= 0.5 ? C.Lightness * (1 + C.Saturation)
                                         : C.Lightness + C.Saturation - C.Lightness * C.Saturation;
    const double M1 = 2 * C.Lightness - M2;
    return {ToByte(HueToRGB(M1, M2, C.Hue + 1.0 / 3) * 255), ToByte(HueToRGB(M1, M2, C.Hue) * 255),
            ToByte(HueToRGB(M1, M2, C.Hue - 1.0 / 3) * 255)};
}

TsfHSV RGBToHSV(const TsfRGB& C)
{
    const double Max = std::max({C.Red, C.Green, C.Blue}), Min = std::min({C.Red, C.Green, C.Blue});
    TsfHSV Out;
    Out.Value = static_cast<Integer>(Round(Max / 255 * 100));
    if (Max == Min) return Out;
    Out.Saturation = static_cast<Integer>(Round((Max - Min) / Max * 100));
    Out.Hue = static_cast<Integer>(Round(StandardHue(C.Red, C.Green, C.Blue, Max, Min) * 359));
    return Out;
}

TsfRGB HSVToRGB(const TsfHSV& C)
{
    const double S = C.Saturation / 100.0, V = C.Value * 255.0 / 100;
    if (S == 0) return {ToByte(V), ToByte(V), ToByte(V)};
    const double H6 = (C.Hue / 360.0) * 6;
    const Integer I = static_cast<Integer>(std::floor(H6));
    const double F = H6 - I;
    const double P = V * (1 - S), Q = V * (1 - S * F), T = V * (1 - S * (1 - F));
    double R, G, B;
    switch (((I % 6) + 6) % 6) {
    case 0: R = V, G = T, B = P; break;
    case 1: R = Q, G = V, B = P; break;
    case 2: R = P, G = V, B = T; break;
    case 3: R = P, G = Q, B = V; break;
    case 4: R = T, G = P, B = V; break;
    default: R = V, G = P, B = Q; break;
    }
    return {ToByte(R), ToByte(G), ToByte(B)};
}

void TPSPColor::BytesFromHSL()
{
    FHSLPSP = {ToByte(FHSL.Hue * 255), ToByte(FHSL.Saturation * 255), ToByte(FHSL.Lightness * 255)};
}

void TPSPColor::SetRGB(Integer Packed)
{
    FRGB = ColorToRGBBytes(Packed);
    FHSL = RGBToHSL(FRGB);
    BytesFromHSL();
}

void TPSPColor::SetHSL(const TsfHSL& Value)
{
    FHSL = Value;
    FRGB = HSLToRGB(FHSL);
    BytesFromHSL();
}

void TPSPColor::SetHSLPSP(Integer Packed)
{
    FHSLPSP = {static_cast<Byte>(Packed & 0xFF), static_cast<Byte>((Packed >> 8) & 0xFF),
               static_cast<Byte>((Packed >> 16) & 0xFF)};
    FHSL = {FHSLPSP.Hue / 255.0, FHSLPSP.Saturation / 255.0, FHSLPSP.Lightness / 255.0};
    FRGB = HSLToRGB(FHSL);
}

// ---------------------------------------------------------------------------

Integer PaletteAngle(double X, double Y, double CX, double CY)
{
    const double DX = X - CX, DY = Y - CY;
    if (std::fabs(DX) < 1e-8 && std::fabs(DY) < 1e-8) return 0;
    double A = std::atan2(DX, -DY) / DegreeFactor;
    if (A < 0) A += 360;
    Integer W = static_cast<Integer>(Round(A));
    return W >= 360 ? W - 360 : W;
}

bool InEllipse(Integer X, Integer Y, Integer L, Integer T, Integer R, Integer B)
{
    const double RX = (R - L) / 2.0, RY = (B - T) / 2.0;
    if (RX <= 0 || RY <= 0) return false;
    const double DX = (X + 0.5 - (L + R) / 2.0) / RX, DY = (Y + 0.5 - (T + B) / 2.0) / RY;
    return DX * DX + DY * DY <= 1;
}

std::array<TsfRGB, 360> PaletteHueTable()
{
    std::array<TsfRGB, 360> Out;
    for (Integer K = 0; K < 360; ++K) Out[K] = HSLToRGB({K / 359.0, 1.0, 0.47});
    return Out;
}

bool PaletteRingPixel(const std::array<TsfRGB, 360>& Hues, Integer X, Integer Y, TsfRGB& C)
{
    if (!InEllipse(X, Y, 0, 0, 195, 195) || InEllipse(X, Y, 20, 20, 175, 175)) return false;
    C = Hues[359 - PaletteAngle(X, Y, 98, 98)];
    return true;
}

TsfRGB PaletteSquarePixel(double Hue, Integer X, Integer Y)
{
    return HSLToRGB({Hue, (X - sfSquareLow) / 106.0, (Y - sfSquareLow) / 106.0});
}

TsfPaletteZone PaletteZone(Integer X, Integer Y, Integer PosCar, Integer PosCircle)
{
    if (X >= PosCar + sfSquareLow && X < PosCar + sfSquareHigh && Y >= sfSquareLow && Y < sfSquareHigh)
        return TsfPaletteZone::Square;
    if (InEllipse(X, Y, PosCircle, 0, PosCircle + 195, 195) && !InEllipse(X, Y, PosCircle + 20, 20, PosCircle + 174, 174))
        return TsfPaletteZone::Circle;
    return TsfPaletteZone::None;
}

Byte RingHueByte(Integer X, Integer Y, Integer PosCar)
{
    const Integer T = PaletteAngle(X, Y, PosCar + 97, 97);
    return ToByte((359.0 - T) / 359 * 255);
}

void SquareBytes(Integer X, Integer Y, Integer PosCar, Byte& S, Byte& L)
{
    X = std::clamp(X, PosCar + sfSquareLow, PosCar + sfSquareHigh);
    Y = std::clamp(Y, sfSquareLow, sfSquareHigh);
    S = ToByte((X - PosCar - sfSquareLow) / 106.0 * 255);
    L = ToByte((Y - sfSquareLow) / 106.0 * 255);
}

TPoint SquareMarkerCentre(const TsfHSL& C, Integer PosCar)
{
    return {static_cast<Integer>(Round(106 * C.Saturation + PosCar + 44)),
            static_cast<Integer>(Round(106 * C.Lightness + 44))};
}

TPoint RingMarkerCentre(const TsfHSL& C, Integer PosCar)
{
    const double A = (270 - Round(C.Hue * 360)) * DegreeFactor;
    return {static_cast<Integer>(Round(PosCar + 97 + 87 * std::cos(A))), static_cast<Integer>(Round(97 + 87 * std::sin(A)))};
}

// ---------------------------------------------------------------------------

const std::array<TColor, sfBasicColorCount> sfBasicColors = {
    0x000000, 0x000040, 0x000080, 0x404080, 0x0000FF, 0x8080FF,  //
    0x008080, 0x004080, 0x0080FF, 0x4080FF, 0x00FFFF, 0x80FFFF,  //
    0x408080, 0x004000, 0x008000, 0x00FF00, 0x00FF80, 0x80FF80,  //
    0x808080, 0x404000, 0x408000, 0x808000, 0x40FF00, 0x80FF00,  //
    0x808040, 0x800000, 0xFF0000, 0x804000, 0xFFFF00, 0xFFFF80,  //
    0xC0C0C0, 0x400000, 0xA00000, 0xFF8080, 0xC08000, 0xFF8000,  //
    0x400040, 0x4F4280, 0x800080, 0x400080, 0xC08080, 0xC080FF,  //
    0xFFFFFF, 0x800040, 0xFF0080, 0x8000FF, 0xFF00FF, 0xFF80FF,
};

TsfColorGridLayout::TsfColorGridLayout(const TRect& R, Integer ColCount, Integer RowCount, Integer ColorCount)
{
    // A zero count would divide by zero, more cells than colours read past the table.
    ColorCount = std::max(ColorCount, 1);
    FCols = std::clamp(ColCount, 1, ColorCount);
    FRows = std::clamp(RowCount, 1, std::max(1, ColorCount / FCols));
    FCells = FCols * FRows;
    FCW = (R.Width() - 2 * FCols) / FCols;
    FCH = (R.Height() - 2 * FRows) / FRows;
    FLeft = R.Left + R.Width() / 2 - (FCW + 2) * FCols / 2;
    FTop = R.Top + R.Height() / 2 - (FCH + 2) * FRows / 2;
}

TPoint TsfColorGridLayout::Origin(Integer N) const
{
    return {FLeft + 1 + (N % FCols) * (FCW + 2), FTop + 1 + (N / FCols) * (FCH + 2)};
}

TRect TsfColorGridLayout::SelectionRect(Integer N) const
{
    const TPoint P = Origin(N);
    return {P.X - 1, P.Y - 1, P.X + FCW + 1, P.Y + FCH + 1};
}

TRect TsfColorGridLayout::SwatchRect(Integer N, bool Selected) const
{
    const TPoint P = Origin(N);
    const Integer D = Selected ? 4 : 3;
    return {P.X + D, P.Y + D, P.X + FCW - D, P.Y + FCH - D};
}

TRect TsfColorGridLayout::HitRect(Integer N) const
{
    const TPoint P = Origin(N);
    return {P.X, P.Y, P.X + FCW, P.Y + FCH};
}

Integer TsfColorGridLayout::HitTest(Integer X, Integer Y) const
{
    for (Integer N = 0; N < FCells; ++N) {
        const TRect R = HitRect(N);
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) return N;
    }
    return -1;
}

void TsfCustomColors::Add(TColor C)
{
    if (Count < 0 || Count >= sfCustomColorCount) Count = 0;
    Values[Count++] = C;
}

void TsfCustomColors::Set(const std::array<TColor, sfCustomColorCount>& Source, Integer ACount)
{
    Count = std::clamp(ACount, 0, sfCustomColorCount);
    for (Integer I = 0; I < Count; ++I) Values[I] = Source[I];
}

// ---------------------------------------------------------------------------

const std::array<TColor, sfColorMenuColorCount> sfColorMenuColors = {
    0x000000, 0x003399, 0x003333, 0x003300, 0x663300, 0x800000, 0x353333, 0x333333,  //
    0x000080, 0x0066FF, 0x008080, 0x008000, 0x808000, 0xFF0000, 0x996666, 0x808080,  //
    0x0000FF, 0x0099FF, 0x00CC99, 0x669933, 0xCCCC33, 0xFF6633, 0x800080, 0x999999,  //
    0xFF00FF, 0x00CCFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFFCC00, 0x663399, 0xC0C0C0,  //
    0xCC99FF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC, 0xFFCC99, 0xFF99CC, 0xFFFFFF,
};

TsfColorMenuChoice TsfColorMenuLayout::Choice(Integer K) const
{
    const Integer N = Count();
    if (K < 0 || K >= N) return TsfColorMenuChoice::None;
    if (More && K == (Pick ? N - 2 : N - 1)) return TsfColorMenuChoice::More;
    if (Pick && K == N - 1) return TsfColorMenuChoice::Pick;
    if (Auto && K == 0) return TsfColorMenuChoice::Automatic;
    return TsfColorMenuChoice::Color;
}

Integer TsfColorMenuLayout::Selection(const std::array<TColor, sfColorMenuColorCount>& ResolvedColors, TColor Value,
                                      bool DrawMarker) const
{
    if (!DrawMarker && Auto) return 0;
    for (Integer I = 0; I < sfColorMenuColorCount; ++I)
        if (ResolvedColors[I] == Value) return FirstColor() + I;
    return MoreIndex();
}

// ---------------------------------------------------------------------------

std::vector<TColor> PenStylePicture(Integer Style)
{
    struct TRun {
        Integer From, To;
    };
    static const std::vector<TRun> Runs[sfPenStyleCount] = {
        {{2, 41}},
        {{2, 18}, {25, 41}},
        {{2, 4}, {8, 10}, {14, 16}, {20, 22}, {26, 28}, {32, 34}, {38, 40}},
        {{7, 15}, {21, 23}, {29, 37}},
        {{5, 13}, {17, 19}, {23, 25}, {29, 37}},
    };
    if (Style < 0 || Style >= sfPenStyleCount) return {};
    const Integer W = sfPenPictureWidth, H = sfPenPictureHeight;
    std::vector<TColor> P(static_cast<size_t>(W * H), 0xFFFFFF);
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X)
            if (X == 0 || Y == 0 || X == W - 1 || Y == H - 1) P[Y * W + X] = 0xC0C0C0;
    for (Integer Y = 6; Y <= 8; ++Y)
        for (const TRun& R : Runs[Style])
            for (Integer X = R.From; X <= R.To; ++X) P[Y * W + X] = 0x000000;
    return P;
}

// ---------------------------------------------------------------------------

TRect TrackRectAtSize(const TRect& TrackButtonRect, const TRect& SkinRect, Integer ResizeMode, Integer Width,
                      Integer Height)
{
    TRect R = TrackButtonRect;
    if (ResizeMode == 2) {
        const Integer D = Width - SkinRect.Width();
        R.Left += D, R.Right += D;
    } else if (ResizeMode == 3) {
        const Integer D = Height - SkinRect.Height();
        R.Top += D, R.Bottom += D;
    }
    return R;
}

TRect DefaultTrackRect(Integer Width, Integer Height, bool Bottom)
{
    return Bottom ? TRect{0, Height - sfTrackPartSize, Width, Height} : TRect{Width - sfTrackPartSize, 0, Width, Height};
}

bool InTrackArea(bool HasMenu, bool TrackButtonMode, const TRect& Track, Integer X, Integer Y)
{
    if (!HasMenu) return false;
    if (!TrackButtonMode) return true;
    return X >= Track.Left && X <= Track.Right && Y >= Track.Top && Y <= Track.Bottom;
}
