#include "Component/Raster32/Ras32_Types.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Component/Raster32/Ras32_LowLevel.h"
#include "Component/Raster32/Ras32_Math.h"

namespace {

// The standard system colour scheme (0x00BBGGRR by system colour index), for
// builds without the platform's colour table.
constexpr Cardinal DefaultSysColors[] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x544E43, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0,
};

Cardinal DefaultSysColor(Integer Index)
{
    constexpr Integer Count = sizeof(DefaultSysColors) / sizeof(DefaultSysColors[0]);
    return Index >= 0 && Index < Count ? DefaultSysColors[Index] : 0;
}

// A float that becomes an integer coordinate: out-of-range values saturate and
// NaN gives 0, instead of an undefined conversion.
Integer SaturateToInt(double V)
{
    if (std::isnan(V)) return 0;
    if (V >= 2147483647.0) return std::numeric_limits<Integer>::max();
    if (V <= -2147483648.0) return std::numeric_limits<Integer>::min();
    return static_cast<Integer>(V);
}

Integer RoundToInt(double V)
{
    if (std::isnan(V)) return 0;
    // Within this range the ties-to-even rounding cannot leave Integer.
    return SaturateToInt(static_cast<double>(Round(std::clamp(V, -2147483648.0, 2147483647.0))));
}

Integer FloorToInt(double V) { return SaturateToInt(std::floor(V)); }
Integer CeilToInt(double V) { return SaturateToInt(std::ceil(V)); }

Integer ClampedByte(double V) { return std::clamp(RoundToInt(V), 0, 255); }

}  // namespace

TSysColorFunc SysColorFunc = DefaultSysColor;

// ---------------------------------------------------------------------------
// Colours

TColor32 ColorToColor32(Integer Color)
{
    Cardinal C = Color < 0 ? SysColorFunc(Color & 0xFF) : static_cast<Cardinal>(Color);
    // 0x00BBGGRR -> 0xFFRRGGBB
    return 0xFF000000u | ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF);
}

Integer Color32ToWinColor(TColor32 Color32)
{
    return static_cast<Integer>(((Color32 & 0xFF0000) >> 16) | (Color32 & 0xFF00) | ((Color32 & 0xFF) << 16));
}

TColor32 Color32FromRGBA(Integer R, Integer G, Integer B, Integer A)
{
    // Each argument is cut to its low byte, not clamped.
    return (static_cast<Cardinal>(A & 0xFF) << 24) | (static_cast<Cardinal>(R & 0xFF) << 16) |
           (static_cast<Cardinal>(G & 0xFF) << 8) | static_cast<Cardinal>(B & 0xFF);
}

TColor32 GrayColor32(Integer Intensity, Byte Alpha)
{
    return (static_cast<Cardinal>(Alpha) << 24) + static_cast<Cardinal>(Intensity & 0xFF) * 0x010101u;
}

TColor32 HSLToColor32(Single H, Single S, Single L)
{
    if (S == 0) {
        Integer V = ClampedByte(static_cast<double>(L) * 255);
        return Color32FromRGBA(V, V, V, 255);
    }
    double M2 = L <= 0.5 ? L * (1.0 + S) : static_cast<double>(L) + S - static_cast<double>(L) * S;
    double M1 = 2.0 * L - M2;
    auto Channel = [&](double Hue) {
        Hue -= std::floor(Hue);
        double V;
        if (6 * Hue < 1)
            V = M1 + (M2 - M1) * Hue * 6;
        else if (2 * Hue < 1)
            V = M2;
        else if (3 * Hue < 2)
            V = M1 + (M2 - M1) * (2.0 / 3.0 - Hue) * 6;
        else
            V = M1;
        return ClampedByte(V * 255);
    };
    return Color32FromRGBA(Channel(H + 1.0 / 3.0), Channel(H), Channel(H - 1.0 / 3.0), 255);
}

void Color32ToHSL(TColor32 Color32, Single& H, Single& S, Single& L)
{
    Single R = RedOf(Color32) / 255.0f;
    Single G = GreenOf(Color32) / 255.0f;
    Single B = BlueOf(Color32) / 255.0f;
    Single Max = std::max({R, G, B});
    Single Min = std::min({R, G, B});
    L = (Max + Min) / 2;
    if (Max == Min) {
        H = 0;
        S = 0;
        return;
    }
    Single D = Max - Min;
    S = L >= 0.5f ? D / (2 - Max - Min) : D / (Max + Min);
    if (Max == R)
        H = (G - B) / D;
    else if (Max == G)
        H = (B - R) / D + 2;
    else
        H = (R - G) / D + 4;
    H = H / 6;
    if (H < 0) H = H + 1;
}

TColor32 IntHSLToColor32(Integer H, Integer S, Integer L)
{
    S = std::clamp(S, 0, 255);
    L = std::clamp(L, 0, 255);
    Integer V = L <= 127 ? (L * (S + 256)) >> 8 : L + S - DivBy255(static_cast<Cardinal>(L * S));
    if (V <= 0) return 0xFF000000;
    // A hue outside 0..255 has no sextant.
    if (H < 0 || H > 255) return 0;
    Integer M = 2 * L - V;
    Integer H6 = H * 6;
    Integer Sextant = H6 >> 8;
    Integer F = ((V - M) * (H6 & 0xFF)) >> 8;
    Integer Up = M + F;
    Integer Down = V - F;
    switch (Sextant) {
    case 0: return Color32FromRGBA(V, Up, M, 255);
    case 1: return Color32FromRGBA(Down, V, M, 255);
    case 2: return Color32FromRGBA(M, V, Up, 255);
    case 3: return Color32FromRGBA(M, Down, V, 255);
    case 4: return Color32FromRGBA(Up, M, V, 255);
    case 5: return Color32FromRGBA(V, M, Down, 255);
    }
    return 0;
}

void Color32ToIntHSL(TColor32 Color32, Byte& H, Byte& S, Byte& L)
{
    Integer R = RedOf(Color32), G = GreenOf(Color32), B = BlueOf(Color32);
    Integer Max = MaxOf3(R, G, B);
    Integer Min = MinOf3(R, G, B);
    L = static_cast<Byte>((Max + Min) >> 1);
    if (Max == Min) {
        H = 0;
        S = 0;
        return;
    }
    Integer Delta = Max - Min;
    S = static_cast<Byte>(Max + Min >= 256 ? (Delta * 255) / (510 - Max - Min) : (Delta * 255) / (Max + Min));
    Integer F = Delta * 255 * 6;
    Integer Hue;
    if (R == Max)
        Hue = ((G - B) * 65025) / F;
    else if (G == Max)
        Hue = ((B - R) * 65025) / F + 85;
    else
        Hue = ((R - G) * 65025) / F + 170;
    // A negative hue gets 510 added before it is cut to a byte, which leaves
    // Hue + 254 (mod 256): R = 255, G = 0, B = 12 gives 252. Stored colours and
    // presets depend on these values, so the offset is kept.
    if (Hue < 0) Hue += 510;
    H = static_cast<Byte>(Hue);
}

// ---------------------------------------------------------------------------
// Fixed and float values

TFixed FloatToFixed(Single S) { return RoundToInt(static_cast<double>(S) * 65536); }

TPoint RoundFloatPoint(const TFloatPoint& P) { return TPoint{RoundToInt(P.X), RoundToInt(P.Y)}; }

TFloatPoint FixedToFloatPoint(const TFixedPoint& P)
{
    constexpr Single FixedToFloat = 1.0f / 65536;
    return TFloatPoint{P.X * FixedToFloat, P.Y * FixedToFloat};
}

TFixedPoint FloatToFixedPoint(const TFloatPoint& P) { return TFixedPoint{FloatToFixed(P.X), FloatToFixed(P.Y)}; }

TRect FloatRectToRect(const TFloatRect& R, TRectRounding Rounding)
{
    TRect Result;
    switch (Rounding) {
    case rrClosest:
        Result = TRect{RoundToInt(R.Left), RoundToInt(R.Top), RoundToInt(R.Right), RoundToInt(R.Bottom)};
        break;
    case rrOutside:
        Result = TRect{FloorToInt(R.Left), FloorToInt(R.Top), CeilToInt(R.Right), CeilToInt(R.Bottom)};
        break;
    case rrInside:
        Result = TRect{CeilToInt(R.Left), CeilToInt(R.Top), FloorToInt(R.Right), FloorToInt(R.Bottom)};
        // Never inverted.
        if (Result.Right < Result.Left) Result.Right = Result.Left;
        if (Result.Bottom < Result.Top) Result.Bottom = Result.Top;
        break;
    }
    return Result;
}

TRect FixedRectToRect(const TFixedRect& R, TRectRounding Rounding)
{
    TRect Result;
    switch (Rounding) {
    case rrClosest:
        Result = TRect{FixedRoundInt(R.Left), FixedRoundInt(R.Top), FixedRoundInt(R.Right), FixedRoundInt(R.Bottom)};
        break;
    case rrOutside:
        Result = TRect{FixedFloorInt(R.Left), FixedFloorInt(R.Top), FixedCeilInt(R.Right), FixedCeilInt(R.Bottom)};
        break;
    case rrInside:
        Result = TRect{FixedCeilInt(R.Left), FixedCeilInt(R.Top), FixedFloorInt(R.Right), FixedFloorInt(R.Bottom)};
        if (Result.Right < Result.Left) Result.Right = Result.Left;
        if (Result.Bottom < Result.Top) Result.Bottom = Result.Top;
        break;
    }
    return Result;
}

// ---------------------------------------------------------------------------
// Integer rectangles

bool IntersectRects(TRect& Dst, const TRect& R1, const TRect& R2)
{
    TRect R{std::max(R1.Left, R2.Left), std::max(R1.Top, R2.Top), std::min(R1.Right, R2.Right),
            std::min(R1.Bottom, R2.Bottom)};
    bool Result = R.Right >= R.Left && R.Bottom >= R.Top;
    Dst = Result ? R : TRect{};
    return Result;
}

bool IntersectFloatRects(TFloatRect& Dst, const TFloatRect& R1, const TFloatRect& R2)
{
    TFloatRect R{std::max(R1.Left, R2.Left), std::max(R1.Top, R2.Top), std::min(R1.Right, R2.Right),
                 std::min(R1.Bottom, R2.Bottom)};
    bool Result = R.Right >= R.Left && R.Bottom >= R.Top;
    Dst = Result ? R : TFloatRect{};
    return Result;
}

void UnionRects(TRect& Dst, const TRect& R1, const TRect& R2)
{
    TRect R = R1;
    if (!RectIsEmpty(R2)) {
        R.Left = std::min(R.Left, R2.Left);
        R.Top = std::min(R.Top, R2.Top);
        R.Right = std::max(R.Right, R2.Right);
        R.Bottom = std::max(R.Bottom, R2.Bottom);
    }
    Dst = RectIsEmpty(R) ? TRect{} : R;
}

void GrowRect(TRect& R, Integer Dx, Integer Dy)
{
    R.Left -= Dx;
    R.Top -= Dy;
    R.Right += Dx;
    R.Bottom += Dy;
}

void ShiftRect(TRect& R, Integer Dx, Integer Dy)
{
    R.Left += Dx;
    R.Right += Dx;
    R.Top += Dy;
    R.Bottom += Dy;
}

// ---------------------------------------------------------------------------
// Gamma

Byte GammaCurve[256];

void BuildGammaCurve(Single Gamma)
{
    for (int i = 0; i < 256; ++i)
        GammaCurve[i] = static_cast<Byte>(ClampedByte(255.0 * std::pow(i / 255.0, static_cast<double>(Gamma))));
}
