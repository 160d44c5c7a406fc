#include "filters/HyRas32Filters.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "Component/Raster32/Ras32_Resamplers.h"
#include "document/base/ViDuza.h"
#include "filters/HueSaturationRows.h"
#include "filters/Ras32_BlendModes.h"

namespace {

inline Integer PixelCount(const TCustomBitmap32* Bitmap) { return Bitmap->Width() * Bitmap->Height(); }

inline Integer AlphaByte(TColor32 C) { return static_cast<Integer>(C >> 24); }
inline TColor32 WithAlpha(TColor32 C, Integer Alpha) { return (C & 0x00FFFFFF) | static_cast<TColor32>(Alpha) << 24; }

// round(v * a / 255) for bytes: no exact halves exist, so the integer form is exact.
inline Integer ScaleByte(Integer V, Integer A) { return (2 * V * A + 255) / 510; }

// Red, green and blue of every pixel (alpha not 0 only, when asked) through three tables.
void ApplyChannelTables(TColor32* P, Integer Count, const Byte* R, const Byte* G, const Byte* B, bool SkipTransparent)
{
    for (Integer I = 0; I < Count; ++I) {
        const TColor32 C = P[I];
        if (SkipTransparent && (C >> 24) == 0) continue;
        P[I] = (C & 0xFF000000) | static_cast<TColor32>(R[(C >> 16) & 0xFF]) << 16 |
               static_cast<TColor32>(G[(C >> 8) & 0xFF]) << 8 | B[C & 0xFF];
    }
}

}  // namespace

// ===========================================================================
// Colour and tone filters

bool ColorsSimilar(TColor32 C1, TColor32 C2, Integer Tolerance)
{
    if (Tolerance == 0) return C1 == C2;
    const Integer dR = RedOf(C1) - RedOf(C2);
    const Integer dG = GreenOf(C1) - GreenOf(C2);
    const Integer dB = BlueOf(C1) - BlueOf(C2);
    return std::abs(dR) <= Tolerance && std::abs(dG) <= Tolerance && std::abs(dB) <= Tolerance &&
           std::abs(dR - dG) <= Tolerance && std::abs(dR - dB) <= Tolerance && std::abs(dG - dB) <= Tolerance;
}

void ReduceRedEye(TCustomBitmap32* Bitmap)
{
    if (!Bitmap) return;
    TColor32* P = Bitmap->Bits();
    const Integer Count = PixelCount(Bitmap);
    for (Integer I = 0; I < Count; ++I) {
        const TColor32 C = P[I];
        const double r = RedOf(C), g = GreenOf(C), b = BlueOf(C);
        const double q = g < 2 ? b : b / g;
        const double c = std::clamp(std::sqrt(q), 0.5, 1.5);
        const double d = std::max(g + b, 1.0);
        const double f = c * r / d;
        if (f <= 0.7) continue;
        const double k0 = std::max(1.775 - (0.75 * f + 0.25), 0.0);
        const double k = k0 * k0;
        const Integer NewR = static_cast<Integer>(Round(r * k));
        const Integer NewB = static_cast<Integer>(Round(b * (1 - (1 - k) / 2)));
        const Integer NewG = static_cast<Integer>(Round(g * (1 - (1 - k) / 4)));
        P[I] = Color32FromRGBA(NewR, NewG, NewB, AlphaOf(C));
    }
}

void SolidColorWithAlpha(TCustomBitmap32* Dst, TCustomBitmap32* Src, TColor32 Color)
{
    if (!Dst || !Src) return;
    // Never read past the smaller of the two pixel arrays.
    const Integer Count = std::min(PixelCount(Dst), PixelCount(Src));
    const TColor32* S = Src->Bits();
    TColor32* D = Dst->Bits();
    const TColor32 RGB = Color & 0x00FFFFFF;
    for (Integer I = 0; I < Count; ++I) D[I] = (S[I] & 0xFF000000) | RGB;
}

void TintBitmap(TCustomBitmap32* Bitmap, TColor32 Color, Integer Percent)
{
    if (!Bitmap || Bitmap->Empty()) return;
    // A layer of Color with the bitmap's own alpha, soft-lit over the bitmap
    // inside its clip rectangle (as drawing that layer at (0, 0) would).
    const Cardinal Master = static_cast<Cardinal>(Round(Percent / 100.0 * 255));
    const TColor32 RGB = Color & 0x00FFFFFF;
    const TRect& Clip = Bitmap->ClipRect();
    std::vector<TColor32> Layer(static_cast<size_t>(std::max(Clip.Right - Clip.Left, 0)));
    for (Integer Y = Clip.Top; Y < Clip.Bottom; ++Y) {
        TColor32* Row = Bitmap->GetPixelPtr(Clip.Left, Y);
        for (size_t X = 0; X < Layer.size(); ++X) Layer[X] = (Row[X] & 0xFF000000) | RGB;
        BlendModeRows[5](Layer.data(), Row, static_cast<Integer>(Layer.size()), Master);
    }
    Bitmap->Changed();
}

void AdjustBrightness(TCustomBitmap32* Bitmap, Integer Percent)
{
    if (!Bitmap || Bitmap->Empty()) return;
    const Integer b = static_cast<Integer>(Round(static_cast<double>(Percent) * 255 / 100));
    Byte Table[256];
    for (Integer c = 0; c < 256; ++c) {
        // div truncates toward zero; a Percent beyond -100..100 is kept inside the byte.
        const Int64 V = b <= 0 ? c + static_cast<Int64>(b) * c / 255 : c + static_cast<Int64>(b) * (255 - c) / 255;
        Table[c] = static_cast<Byte>(std::clamp<Int64>(V, 0, 255));
    }
    ApplyChannelTables(Bitmap->Bits(), PixelCount(Bitmap), Table, Table, Table, true);
}

void LightenBitmap(TCustomBitmap32* Bitmap, Integer Amount)
{
    if (!Bitmap || Bitmap->Empty()) return;
    TColor32* P = Bitmap->Bits();
    const Integer Count = PixelCount(Bitmap);
    // The bound routine's contract: amounts in -255..255.
    Amount = std::clamp(Amount, -255, 255);
    for (Integer I = 0; I < Count; ++I) P[I] = LightenColor(P[I], Amount);
    EndPixelOps();
}

void AdjustContrast(TCustomBitmap32* Bitmap, Integer Amount)
{
    if (!Bitmap || Bitmap->Empty()) return;
    Byte Table[256];
    for (Integer c = 0; c < 256; ++c) {
        const Int64 Delta = static_cast<Int64>(Amount) * std::abs(127 - c) / 255;
        Table[c] = static_cast<Byte>(std::clamp<Int64>(c >= 128 ? c + Delta : c - Delta, 0, 255));
    }
    ApplyChannelTables(Bitmap->Bits(), PixelCount(Bitmap), Table, Table, Table, false);
}

void AdjustSaturation(TCustomBitmap32* Bitmap, Integer Percent)
{
    if (!Bitmap || Bitmap->Empty()) return;
    const Integer S = MapPercent(Percent, 0, 510);
    Integer Third[258], Scaled[256];
    for (Integer K = 0; K < 258; ++K) Third[K] = K / 3;
    for (Integer J = 0; J < 256; ++J) Scaled[J] = (S * J) >> 8;
    TColor32* P = Bitmap->Bits();
    const Integer Count = PixelCount(Bitmap);
    for (Integer I = 0; I < Count; ++I) {
        const TColor32 C = P[I];
        const Integer r = (C >> 16) & 0xFF, g = (C >> 8) & 0xFF, b = C & 0xFF;
        const Integer y = Third[r] + Third[g] + Third[b];
        const Integer Base = y - Scaled[y];
        P[I] = (C & 0xFF000000) | static_cast<TColor32>(ClampByte(Base + Scaled[r])) << 16 |
               static_cast<TColor32>(ClampByte(Base + Scaled[g])) << 8 | static_cast<TColor32>(ClampByte(Base + Scaled[b]));
    }
}

void AdjustPixelHueSaturation(Byte& R, Byte& G, Byte& B, Integer Degrees, Integer Amount)
{
    Integer r = R, g = G, b = B;
    const Integer Max = MaxOf3(r, g, b), Min = MinOf3(r, g, b);
    if (Max == Min) return;
    const Integer c = Max + Min;
    Integer s = c > 255 ? (Max - Min) * 255 / (510 - c) : (Max - Min) * 255 / c;
    const Integer l = c / 2;

    if (Degrees != 0) {
        const Integer Delta = Max - Min;
        Integer Own;
        if (r == Max)
            Own = (g - b) * 60 / Delta;
        else if (g == Max)
            Own = (b - r) * 60 / Delta + 120;
        else
            Own = (r - g) * 60 / Delta + 240;
        // Degrees far outside a turn are brought into one first (the same
        // hue), and the sum into 0..360 (360 stays), so every sector exists.
        Integer h = Degrees % 360 + Own;
        while (h < 0) h += 360;
        while (h > 360) h -= 360;
        const Integer f = h / 60;
        const Integer t = (f & 1) ? 60 - h % 60 : h % 60;
        Integer v = (t * 255 + 30) / 60;
        v = v - ((v - 128) * (255 - s)) / 255;
        if (l >= 129)
            v = v + ((l - 128) * (255 - v) + 64) / 128;
        else if (l < 128)
            v = v + ((l - 128) * v) / 128;
        const Integer Mid = ClampByte(v);
        switch (f) {
        case 1: r = Mid, g = Max, b = Min; break;
        case 2: r = Min, g = Max, b = Mid; break;
        case 3: r = Min, g = Mid, b = Max; break;
        case 4: r = Mid, g = Min, b = Max; break;
        case 5: r = Max, g = Min, b = Mid; break;
        default: r = Max, g = Mid, b = Min; break;  // sectors 0 and 6
        }
    }

    if (Amount != 0) {
        Int64 A = Amount;
        if (A > 0) {
            if (A + s < 255) s = static_cast<Integer>(255 - A);
            // s is at least 1 for any colour pixel; kept so for amounts past 255.
            A = 65025 / std::max(s, 1) - 255;
        }
        auto Move = [&](Integer Ch) {
            return ClampByte(static_cast<Integer>(std::clamp<Int64>(Ch + A * (Ch - l) / 255, -1, 256)));
        };
        r = Move(r), g = Move(g), b = Move(b);
    }
    R = static_cast<Byte>(r), G = static_cast<Byte>(g), B = static_cast<Byte>(b);
}

void AdjustHueSaturation(TCustomBitmap32* Bitmap, Integer Degrees, Integer Amount)
{
    if (!Bitmap || Bitmap->Empty()) return;
    HueSaturationRow(Bitmap->Bits(), PixelCount(Bitmap), THueSaturationParams(Degrees, Amount));
}

void AddNoise(TCustomBitmap32* Bitmap, Integer Range, bool Mono)
{
    if (!Bitmap || Bitmap->Empty() || Range <= 0) return;
    const Integer Half = Range >> 1;
    TColor32* P = Bitmap->Bits();
    const Integer Count = PixelCount(Bitmap);
    for (Integer I = 0; I < Count; ++I) {
        const TColor32 C = P[I];
        if ((C >> 24) == 0) continue;
        Integer nR = Random(Range) - Half, nG = nR, nB = nR;
        if (!Mono) {
            nG = Random(Range) - Half;
            nB = Random(Range) - Half;
        }
        P[I] = (C & 0xFF000000) | static_cast<TColor32>(ClampByte(RedOf(C) + nR)) << 16 |
               static_cast<TColor32>(ClampByte(GreenOf(C) + nG)) << 8 | static_cast<TColor32>(ClampByte(BlueOf(C) + nB));
    }
}

void FillColorKeepAlpha(TCustomBitmap32* Bitmap, TColor32 Color)
{
    if (!Bitmap) return;
    TColor32* P = Bitmap->Bits();
    const Integer Count = PixelCount(Bitmap);
    const TColor32 RGB = Color & 0x00FFFFFF;
    for (Integer I = 0; I < Count; ++I) P[I] = (P[I] & 0xFF000000) | RGB;
    Bitmap->Changed();
}

Integer MapRange(Integer Value, Integer InLow, Integer InHigh, Integer OutLow, Integer OutHigh)
{
    if (InLow == InHigh || OutLow == OutHigh) return 0;
    Value = ConstrainUnordered(Value, InLow, InHigh);
    const Extended Scale = static_cast<Extended>(static_cast<Int64>(OutHigh) - OutLow) /
                           static_cast<Extended>(static_cast<Int64>(InHigh) - InLow);
    return static_cast<Integer>(Round(Scale * static_cast<Extended>(static_cast<Int64>(Value) - InLow) + OutLow));
}

Integer MapPercent(Integer Value, Integer OutLow, Integer OutHigh)
{
    return MapRange(static_cast<int8_t>(Value & 0xFF), -100, 100, OutLow, OutHigh);
}

// ===========================================================================
// Region and edge effects

void FadeAlphaInCircle(TCustomBitmap32* Bitmap, const TRect& Rect, Integer Strength)
{
    if (!Bitmap || Bitmap->Empty()) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    TColor32* P = Bitmap->Bits();
    const Single R = (static_cast<Single>(Rect.Right) - static_cast<Single>(Rect.Left)) / 2;
    if (!(R > 0)) {
        // A circle without area holds no pixel: everything fades out.
        for (Integer I = 0; I < W * H; ++I) P[I] &= 0x00FFFFFF;
        return;
    }
    const TFloatPoint C{Rect.Left + R, Rect.Top + R};
    const Integer Ox = std::max(Rect.Left, 0), Oy = std::max(Rect.Top, 0);
    const double K = Strength / static_cast<double>(R);
    for (Integer Y = 0; Y < H; ++Y) {
        TColor32* Row = P + static_cast<size_t>(Y) * W;
        for (Integer X = 0; X < W; ++X) {
            const Integer Alpha = AlphaByte(Row[X]);
            if (Alpha == 0) continue;
            TPoint Pt{X, Y};
            IncPoint(Pt, Ox, Oy);
            const Single D = FloatPointDistance(Pt, C);
            if (D > R) {
                Row[X] &= 0x00FFFFFF;
                continue;
            }
            const double A = std::clamp((R - D) * K, -1.0, 256.0);
            Row[X] = WithAlpha(Row[X], std::min(Alpha, ClampByte(static_cast<Integer>(Round(A)))));
        }
    }
}

void AlphaRadialFade(TCustomBitmap32* Bitmap, Integer Percent)
{
    if (!Bitmap || Bitmap->Empty()) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    TColor32* P = Bitmap->Bits();
    const TFloatPoint C{W / 2.0f, H / 2.0f};
    const double D = FloatPointDistance(TPoint{0, 0}, C);
    // Percent 0 or less: the ramp ends at 0 in the corners, so every pixel is transparent.
    const double Scale = Percent > 0 ? 255 / ((100.0 / Percent) * D) : 0;
    for (Integer Y = 0; Y < H; ++Y) {
        TColor32* Row = P + static_cast<size_t>(Y) * W;
        for (Integer X = 0; X < W; ++X) {
            const Integer Alpha = AlphaByte(Row[X]);
            if (Alpha == 0) continue;
            const double d = FloatPointDistance(TPoint{X, Y}, C);
            const double A = std::min(Scale * d, 256.0);
            Row[X] = WithAlpha(Row[X], std::min(Alpha, ClampByte(static_cast<Integer>(Round(A)))));
        }
    }
}

void FadeBorderAlpha(TCustomBitmap32* Bitmap, Integer Size, Integer Strength)
{
    if (!Bitmap || Bitmap->Empty()) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    TColor32* P = Bitmap->Bits();
    const double Af = std::clamp(Size / 100.0 * 255 * Strength / 100, -1.0, 256.0);
    const Integer A = ClampByte(static_cast<Integer>(Round(Af)));
    const double M = std::min(W / 2.0, H / 2.0);
    Int64 N = Round(std::clamp(Size / 100.0 * M * 0.95, -1.0, 1e9));
    if (N < 2) return;
    // A band wider than the bitmap (Size above 100) stops at its far side.
    N = std::min<Int64>(N, std::min(W, H));
    const double Step = static_cast<double>(A) / N;
    auto ScaleAlpha = [&](TColor32& C, Integer V) { C = WithAlpha(C, ScaleByte(V, AlphaByte(C))); };
    for (Integer I = 0; I < N; ++I) {
        const Integer V = 255 - A + static_cast<Integer>(Round(I * Step));
        for (Integer Y = 0; Y < H; ++Y) ScaleAlpha(P[static_cast<size_t>(Y) * W + I], V);
        for (Integer X = 0; X < W; ++X) ScaleAlpha(P[static_cast<size_t>(I) * W + X], V);
        for (Integer Y = 0; Y < H; ++Y) ScaleAlpha(P[static_cast<size_t>(Y) * W + (W - 1 - I)], V);
        for (Integer X = 0; X < W; ++X) ScaleAlpha(P[static_cast<size_t>(H - 1 - I) * W + X], V);
    }
    for (Integer I = 0; I < W * H; ++I) P[I] = WithAlpha(P[I], 255 - AlphaByte(P[I]));
}

void FadeEdgesAlpha(TCustomBitmap32* Bitmap, Integer Width, Integer Sides)
{
    if (!Bitmap || Bitmap->Empty() || Width <= 0) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    TColor32* P = Bitmap->Bits();
    Width = std::min({Width, W, H});
    const double Step = 255.0 / (Width + 1);
    auto Factor = [&](Integer I) { return static_cast<Integer>(Round(Step * (I + 1))); };
    auto ScaleAlpha = [&](TColor32& C, Integer F) { C = WithAlpha(C, ScaleByte(F, AlphaByte(C))); };
    auto Column = [&](Integer X, Integer F) {
        for (Integer Y = 0; Y < H; ++Y) ScaleAlpha(P[static_cast<size_t>(Y) * W + X], F);
    };
    auto Row = [&](Integer Y, Integer F) {
        for (Integer X = 0; X < W; ++X) ScaleAlpha(P[static_cast<size_t>(Y) * W + X], F);
    };
    if (Sides & sideLeft)
        for (Integer I = 0; I < Width; ++I) Column(I, Factor(I));
    if (Sides & sideTop)
        for (Integer I = 0; I < Width; ++I) Row(I, Factor(I));
    if (Sides & sideRight)
        for (Integer I = 0; I < Width; ++I) Column(W - 1 - I, Factor(I));
    if (Sides & sideBottom)
        for (Integer I = 0; I < Width; ++I) Row(H - 1 - I, Factor(I));
}

void LightenEdges(TCustomBitmap32* Bitmap, Integer Width, Integer Sides)
{
    if (!Bitmap || Bitmap->Empty() || Width <= 0) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    Width = std::min({Width, W / 2, H / 2, 100});
    if (Width <= 0) return;
    const double Step = 155.0 / Width;
    auto L = [&](Integer K) { return 155 - static_cast<Integer>(Round(Step * K)); };
    auto At = [&](Integer X, Integer Y) -> TColor32& { return Bitmap->Bits()[static_cast<size_t>(Y) * W + X]; };
    if (Sides & sideLeft)
        for (Integer K = 0; K < Width; ++K)
            for (Integer Y = K; Y <= H - 1 - K; ++Y) At(K, Y) = LightenColor(At(K, Y), L(K));
    if (Sides & sideTop)
        for (Integer K = 0; K < Width; ++K)
            for (Integer X = K + 1; X <= W - 1 - K; ++X) At(X, K) = LightenColor(At(X, K), L(K));
    if (Sides & sideRight)
        for (Integer K = 0; K < Width; ++K)
            for (Integer Y = K; Y <= H - 1 - K; ++Y) At(W - 1 - K, Y) = LightenColor(At(W - 1 - K, Y), -L(K));
    if (Sides & sideBottom)
        for (Integer K = 0; K < Width; ++K)
            for (Integer X = K; X <= W - 2 - K; ++X) At(X, H - 1 - K) = LightenColor(At(X, H - 1 - K), -L(K));
    EndPixelOps();
}

namespace {

// The generator of one torn-edge call: a 32-bit linear congruential sequence,
// Random(n) taking the high bits of seed * n (the runtime's own recipe).
class TJagRandom {
public:
    explicit TJagRandom(uint32_t Seed) : FSeed(Seed) {}
    Integer Next(Integer Range)
    {
        FSeed = FSeed * 0x08088405u + 1;
        return Range <= 0 ? 0 : static_cast<Integer>((static_cast<uint64_t>(FSeed) * static_cast<uint32_t>(Range)) >> 32);
    }

private:
    uint32_t FSeed;
};

// One jagged line along an edge of length Length, depth D, as (across, along)
// points: the start point outside, the line, and the closing point outside.
// Empty when D admits no step (a candidate would never be accepted).
std::vector<TPoint> JaggedLine(TJagRandom& Rnd, Integer D, Integer Length, bool Sharp)
{
    std::vector<TPoint> Points;
    if (Sharp ? D < 2 : D < 4) return Points;
    Points.push_back({-10, -10});
    TPoint Prev{Rnd.Next(D), 0};
    Points.push_back(Prev);
    for (;;) {
        const TPoint Cand{Rnd.Next(D), Prev.Y + Rnd.Next(D + 5) + 3};
        const Integer dx = std::abs(Cand.X - Prev.X), dy = std::abs(Cand.Y - Prev.Y);
        if (Cand.X == Prev.X) continue;
        if (!Sharp && dx > D / 2 - 1) continue;
        if (Sharp && dx < dy - 2) continue;
        if (Cand.Y >= Length - 1) {
            Points.push_back({Cand.X, Length - 1});
            break;
        }
        Points.push_back(Cand);
        Prev = Cand;
    }
    Points.push_back({-10, Length + 9});
    return Points;
}

// Marks, for one line position Along, which of the depth positions 0..D-1
// lie inside the polygon (winding rule, sampled at the pixel centre).
void InsideAcross(const std::vector<TPoint>& Poly, Integer Along, Integer D, std::vector<Byte>& Inside)
{
    Inside.assign(static_cast<size_t>(D), 0);
    const double Y = Along + 0.5;
    struct TCross {
        double X;
        Integer Dir;
    };
    std::vector<TCross> Crossings;
    const size_t N = Poly.size();
    for (size_t I = 0; I < N; ++I) {
        const TPoint& A = Poly[I];
        const TPoint& B = Poly[(I + 1) % N];
        if ((A.Y <= Y) == (B.Y <= Y)) continue;
        const double X = A.X + (Y - A.Y) * (B.X - A.X) / static_cast<double>(B.Y - A.Y);
        Crossings.push_back({X, B.Y > A.Y ? 1 : -1});
    }
    std::sort(Crossings.begin(), Crossings.end(), [](const TCross& L, const TCross& R) { return L.X < R.X; });
    Integer Winding = 0;
    size_t C = 0;
    for (Integer X = 0; X < D; ++X) {
        const double Cx = X + 0.5;
        while (C < Crossings.size() && Crossings[C].X <= Cx) Winding += Crossings[C++].Dir;
        Inside[static_cast<size_t>(X)] = Winding != 0;
    }
}

}  // namespace

void RandomJaggedEdges(TCustomBitmap32* Bitmap, Integer Depth, Integer Sides, bool Sharp, uint32_t Seed)
{
    if (!Bitmap || Bitmap->Empty()) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    TJagRandom Rnd(Seed);
    std::vector<Byte> Inside;
    // Pixel at depth A from the edge, position B along it, for each side.
    auto Edge = [&](Integer Side, Integer A, Integer B) -> TColor32& {
        switch (Side) {
        case sideLeft: return Bitmap->Bits()[static_cast<size_t>(B) * W + A];
        case sideRight: return Bitmap->Bits()[static_cast<size_t>(B) * W + (W - 1 - A)];
        case sideTop: return Bitmap->Bits()[static_cast<size_t>(A) * W + B];
        default: return Bitmap->Bits()[static_cast<size_t>(H - 1 - A) * W + B];
        }
    };
    // Mirroring the line onto the opposite side is the same as measuring its
    // depth from that side, which Edge does.
    auto Tear = [&](Integer Side, const std::vector<TPoint>& Line, Integer D, Integer Length) {
        for (Integer B = 0; B < Length; ++B) {
            InsideAcross(Line, B, D, Inside);
            for (Integer A = 0; A < D; ++A)
                if (Inside[static_cast<size_t>(A)]) Edge(Side, A, B) = 0x00FFFFFF;
            for (Integer A = 0; A < D; ++A) {
                TColor32& C = Edge(Side, A, B);
                if ((C >> 24) != 0) {
                    C = WithAlpha(C, AlphaByte(C) >> 1);
                    break;
                }
            }
        }
    };
    if (Sides & (sideLeft | sideRight)) {
        const Integer D = std::min(Depth, W);
        const std::vector<TPoint> Line = JaggedLine(Rnd, D, H, Sharp);
        if (!Line.empty()) {
            if (Sides & sideLeft) Tear(sideLeft, Line, D, H);
            if (Sides & sideRight) Tear(sideRight, Line, D, H);
        }
    }
    if (Sides & (sideTop | sideBottom)) {
        const Integer D = std::min(Depth, H);
        const std::vector<TPoint> Line = JaggedLine(Rnd, D, W, Sharp);
        if (!Line.empty()) {
            if (Sides & sideTop) Tear(sideTop, Line, D, W);
            if (Sides & sideBottom) Tear(sideBottom, Line, D, W);
        }
    }
}

void RandomJaggedEdges(TCustomBitmap32* Bitmap, Integer Depth, Integer Sides, bool Sharp)
{
    // A generator of its own, so that threads tearing edges at the same time
    // neither share nor reseed anybody else's sequence.
    const auto Ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    RandomJaggedEdges(Bitmap, Depth, Sides, Sharp, static_cast<uint32_t>(Ticks ^ (Ticks >> 32)));
}

void PixelateBitmap(TCustomBitmap32* Bitmap, Integer Size, bool UseWhite, TColor32 Color)
{
    if (!Bitmap || Bitmap->Empty() || Size <= 0) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    if (W == 1 && H == 1) return;
    TColor32* P = Bitmap->Bits();
    for (Integer Y0 = 0; Y0 < H; Y0 += Size) {
        const Integer Y1 = Y0 + std::min(Size, H - Y0);
        for (Integer X0 = 0; X0 < W; X0 += Size) {
            const Integer X1 = X0 + std::min(Size, W - X0);
            Int64 SumR = 0, SumG = 0, SumB = 0, N = 0;
            for (Integer Y = Y0; Y < Y1; ++Y)
                for (Integer X = X0; X < X1; ++X) {
                    TColor32& C = P[static_cast<size_t>(Y) * W + X];
                    const Integer Alpha = AlphaByte(C);
                    if (Alpha == 0) continue;
                    if (Alpha < 255 && !UseWhite) C = MergePixel(C, Color);
                    SumR += RedOf(C), SumG += GreenOf(C), SumB += BlueOf(C), ++N;
                }
            if (N == 0) continue;
            const TColor32 RGB = static_cast<TColor32>(SumR / N) << 16 | static_cast<TColor32>(SumG / N) << 8 |
                                 static_cast<TColor32>(SumB / N);
            for (Integer Y = Y0; Y < Y1; ++Y)
                for (Integer X = X0; X < X1; ++X) {
                    TColor32& C = P[static_cast<size_t>(Y) * W + X];
                    C = (C & 0xFF000000) | RGB;
                }
        }
    }
    EndPixelOps();
}

namespace {

template <class Op>
void AlphaInRect(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TRect& Rect, Op Combine)
{
    if (!Dst || !Src) return;
    TRect R;
    if (!IntersectRects(R, Rect, Dst->BoundsRect()) || !IntersectRects(R, R, Src->BoundsRect())) return;
    for (Integer Y = R.Top; Y < R.Bottom; ++Y) {
        TColor32* D = Dst->GetPixelPtr(0, Y);
        const TColor32* S = Src->GetPixelPtr(0, Y);
        for (Integer X = R.Left; X < R.Right; ++X) D[X] = WithAlpha(D[X], Combine(AlphaByte(S[X]), AlphaByte(D[X])));
    }
}

}  // namespace

void CopyAlphaInRect(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TRect& Rect)
{
    AlphaInRect(Dst, Src, Rect, [](Integer S, Integer) { return S; });
}

void MultiplyAlphaInRect(TCustomBitmap32* Dst, TCustomBitmap32* Src, const TRect& Rect)
{
    AlphaInRect(Dst, Src, Rect, [](Integer S, Integer D) { return ScaleByte(S, D); });
}

void SetAlphaFromIntensity(TCustomBitmap32* Dst, TCustomBitmap32* Src, bool All)
{
    if (!Dst || !Src) return;
    const Integer Count = std::min(PixelCount(Src), PixelCount(Dst));
    const TColor32* S = Src->Bits();
    TColor32* D = Dst->Bits();
    for (Integer I = 0; I < Count; ++I)
        if (All || (D[I] >> 24) != 0) D[I] = WithAlpha(D[I], IntensityOf(S[I]));
}

// ===========================================================================
// Frames and resizing

Byte ColorLightness(TColor32 C)
{
    Integer R = RedOf(C), G = GreenOf(C), B = BlueOf(C);
    return static_cast<Byte>((MaxOf3(R, G, B) + MinOf3(R, G, B)) >> 1);
}

void ResizeBitmap(TCustomBitmap32* Src, TCustomBitmap32* Dst, Integer Width, Integer Height)
{
    // The draft resampler is the engine's third class: without the engine
    // installed there is no list to take it from.
    TClassList* Resamplers = ResamplerClassList();
    if (!Resamplers || Resamplers->Count() <= 2)
        throw EBitmapException(u"Bitmaps cannot be resized: the raster engine's resamplers are not installed");
    // Through a copy, so that Src may be Dst and keeps its own resampler.
    TCustomBitmap32 Copy;
    Copy.SetResamplerClassName(Resamplers->Items(2)->ClassName);
    Copy.SetSize(Src->Width(), Src->Height());
    TDrawMode OldMode = Src->DrawMode();
    Src->SetDrawMode(dmOpaque);
    {
        auto Restore = ScopeExit([&] { Src->SetDrawMode(OldMode); });
        Copy.Draw(0, 0, Src);
    }
    Dst->SetSize(Width, Height);
    Dst->Draw(Dst->BoundsRect(), Copy.BoundsRect(), &Copy);
}

void DrawShadedFrame(TCustomBitmap32* Bitmap, TRect Rect, Integer Inset, Integer N)
{
    N = std::min({N, Bitmap->Width() / 2, Bitmap->Height() / 2});
    if (N <= 0) return;
    // The frame takes its shade from this pixel: outside the bitmap there is none.
    if (!PointInRect(Bitmap->BoundsRect(), TPoint{Rect.Left, Rect.Top})) return;
    TColor32 C = Bitmap->Pixel(Rect.Left, Rect.Top);
    Integer Step = ColorLightness(C) / (N + 3);
    if (Step == 0) return;
    Byte H, S, L;
    Color32ToIntHSL(C, H, S, L);
    GrowRect(Rect, N - Inset, N - Inset);
    for (Integer k = 0; k < N; ++k) {
        Bitmap->FrameRectS(Rect, IntHSLToColor32(H, S, L - Step * (k + 1)));
        GrowRect(Rect, -1, -1);
    }
}

namespace {

// Draws Tile at (X, Y), or the corner piece for the first one of an edge.
void DrawEdgePiece(TCustomBitmap32* Dst, Integer X, Integer Y, TCustomBitmap32* Tile, TCustomBitmap32* Corner,
                   bool& First)
{
    Dst->Draw(X, Y, First ? Corner : Tile);
    First = false;
}

void DrawMitredFrame(TCustomBitmap32* Tile, TCustomBitmap32* Dst, const TRect& Rect)
{
    // Work on a copy: the tile is turned at every corner. W runs along an
    // edge, H is the frame's thickness; a square tile has W = H.
    TCustomBitmap32 Piece;
    Piece.Assign(Tile);
    Integer W = Piece.Width(), H = Piece.Height();

    for (Integer X = Rect.Left; X < Rect.Right; X += W) Dst->Draw(X, Rect.Top, &Piece);

    // The corner piece: the turned tile with the triangle toward the corner
    // transparent, so that the edge below shows through on the diagonal.
    Piece.Rotate90();
    TCustomBitmap32 Corner;
    Corner.Assign(&Piece);
    Corner.SetDrawMode(dmBlend);
    for (Integer j = 0; j < Corner.Height(); ++j)
        for (Integer i = 0; i < Corner.Width() && i + j < H; ++i) Corner.SetPixel(i, j, Corner.Pixel(i, j) & 0x00FFFFFF);

    bool First = true;
    for (Integer Y = Rect.Top; Y < Rect.Bottom; Y += W) DrawEdgePiece(Dst, Rect.Right - H, Y, &Piece, &Corner, First);

    Piece.Rotate90();
    Corner.Rotate90();
    First = true;
    for (Integer X = Rect.Right - W; X + W >= Rect.Left; X -= W)
        DrawEdgePiece(Dst, X, Rect.Bottom - H, &Piece, &Corner, First);

    Piece.Rotate90();
    Corner.Rotate90();
    First = true;
    for (Integer Y = Rect.Bottom - W; Y + W >= Rect.Top; Y -= W) DrawEdgePiece(Dst, Rect.Left, Y, &Piece, &Corner, First);

    Corner.Rotate90();
    Dst->Draw(Rect.Left, Rect.Top, &Corner);
}

}  // namespace

void DrawTiledFrame(TCustomBitmap32* Tile, TCustomBitmap32* Dst, const TRect& Rect, bool Mitred)
{
    if (Tile->Empty()) return;
    TRect OldClip = Dst->ClipRect();
    Dst->SetClipRect(Rect);
    {
        auto Restore = ScopeExit([&] { Dst->SetClipRect(OldClip); });
        if (Mitred) {
            DrawMitredFrame(Tile, Dst, Rect);
        } else {
            Integer X = Rect.Left, Y = Rect.Top;
            while (Y < Rect.Bottom) {
                Dst->Draw(X, Y, Tile);
                X += Tile->Width();
                if (X > Rect.Right - 1) {
                    X = Rect.Left;
                    Y += Tile->Height();
                }
            }
        }
    }
}
