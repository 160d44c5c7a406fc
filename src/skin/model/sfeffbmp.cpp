#include "skin/model/sfeffbmp.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "Component/Raster32/Ras32_Types.h"

namespace {

class TMemoryEffectSurface : public TsfEffectSurface {
public:
    explicit TMemoryEffectSurface(size_t Bytes) : FBits(Bytes) {}
    uint8_t* Bits() const override { return const_cast<uint8_t*>(FBits.data()); }

private:
    std::vector<uint8_t> FBits;
};

std::unique_ptr<TsfEffectSurface> MakeMemoryEffectSurface(Integer Width, Integer Height)
{
    const size_t Stride = static_cast<size_t>(Width) * 3 + Width % 4;
    return std::make_unique<TMemoryEffectSurface>(Stride * static_cast<size_t>(Height));
}

// Channel values are computed in extended precision, rounded to nearest
// (halves to even) and clamped to a byte.
uint8_t ToByte(long double V)
{
    if (!(V > 0)) return 0;  // negative and not-a-number
    if (V >= 255) return 255;
    return static_cast<uint8_t>(Round(V));
}

// A morph factor clamped to 0..1; not-a-number counts as 0.
double Clamp01(double Kf) { return Kf > 0 ? std::min(Kf, 1.0) : 0.0; }

// The factors the gradient and slide forms do not clamp: beyond -2..2 they
// change nothing any more but the size of the numbers.
double Bounded(double Kf) { return Kf > -2 ? std::min(Kf, 2.0) : -2.0; }

// own x t + other x (1 - t), per channel.
void MixPixel(uint8_t* Own, const uint8_t* Other, long double T)
{
    for (int c = 0; c < 3; ++c) Own[c] = ToByte(Own[c] * T + Other[c] * (1 - T));
}

bool IsWhite(const uint8_t* P) { return P[0] == 255 && P[1] == 255 && P[2] == 255; }

}  // namespace

TsfEffectSurfaceFactory SfEffectSurfaceFactory = MakeMemoryEffectSurface;

TsfEffectBmp::TsfEffectBmp(Integer cx, Integer cy) { Allocate(cx, cy); }

TsfEffectBmp::TsfEffectBmp(const TsfEffectBmp& hBmp) : TObject()
{
    Allocate(hBmp.Width, hBmp.Height);
    if (Size > 0) std::memcpy(Bits, hBmp.Bits, static_cast<size_t>(Size));
}

void TsfEffectBmp::Allocate(Integer cx, Integer cy)
{
    if (cx <= 0 || cy <= 0) return;  // no pixels: nothing may be drawn
    FSurface = SfEffectSurfaceFactory(cx, cy);
    Bits = FSurface->Bits();
    Handle = FSurface->Handle();
    Width = cx;
    Height = cy;
    Size = Stride() * cy;
}

bool TsfEffectBmp::SameSize(const TsfEffectBmp* BMP) const
{
    return BMP && Bits && BMP->Bits && BMP->Width == Width && BMP->Height == Height;
}

void TsfEffectBmp::GetScanLine(Integer y, uint8_t* Line) const
{
    std::memcpy(Line, ScanLineAddress(y), static_cast<size_t>(Width) * 3);
}

void TsfEffectBmp::SetScanLine(Integer y, const uint8_t* Line)
{
    std::memcpy(ScanLineAddress(y), Line, static_cast<size_t>(Width) * 3);
}

uint32_t TsfEffectBmp::GetPixel(Integer x, Integer y) const
{
    const uint8_t* P = ScanLineAddress(y) + x * 3;
    return P[0] | (P[1] << 8) | (P[2] << 16);
}

void TsfEffectBmp::SetPixel(Integer x, Integer y, uint32_t Value)
{
    uint8_t* P = ScanLineAddress(y) + x * 3;
    P[0] = Value & 0xFF;
    P[1] = (Value >> 8) & 0xFF;
    P[2] = (Value >> 16) & 0xFF;
}

// ---------------------------------------------------------------------------
// Transitions

void TsfEffectBmp::Morph(TsfEffectBmp* BMP, double Kf)
{
    if (!SameSize(BMP)) return;
    Kf = Clamp01(Kf);
    for (Integer y = 0; y < Height; ++y) {
        uint8_t* Own = ScanLineAddress(y);
        const uint8_t* Other = BMP->ScanLineAddress(y);
        for (Integer i = 0; i < Width * 3; i += 3) MixPixel(Own + i, Other + i, 1 - Kf);
    }
}

void TsfEffectBmp::MorphRect(TsfEffectBmp* BMP, double Kf, const TRect& Rct, Integer StartX, Integer StartY)
{
    if (!BMP || !Bits || !BMP->Bits) return;
    Kf = Clamp01(Kf);
    // Only where both pixels exist: the rectangle clipped to this bitmap and,
    // moved to the start point, to the other one.
    const Integer Dx = StartX - Rct.Left, Dy = StartY - Rct.Top;
    const Integer L = std::max({Rct.Left, 0, -Dx}), T = std::max({Rct.Top, 0, -Dy});
    const Integer R = std::min({Rct.Right, Width, BMP->Width - Dx}), B = std::min({Rct.Bottom, Height, BMP->Height - Dy});
    for (Integer y = T; y < B; ++y)
        for (Integer x = L; x < R; ++x)
            MixPixel(ScanLineAddress(y) + x * 3, BMP->ScanLineAddress(y + Dy) + (x + Dx) * 3, 1 - Kf);
}

void TsfEffectBmp::CopyRect(TsfEffectBmp* BMP, const TRect& Rct, Integer StartX, Integer StartY)
{
    if (!BMP || !Bits || !BMP->Bits) return;
    // Right and bottom are inclusive here; source points outside BMP are skipped.
    const Integer Dx = StartX - Rct.Left, Dy = StartY - Rct.Top;
    const Integer L = std::max({Rct.Left, 0, -Dx}), T = std::max({Rct.Top, 0, -Dy});
    const Integer R = std::min({Rct.Right, Width - 1, BMP->Width - 1 - Dx});
    const Integer B = std::min({Rct.Bottom, Height - 1, BMP->Height - 1 - Dy});
    for (Integer y = T; y <= B; ++y)
        for (Integer x = L; x <= R; ++x)
            std::memcpy(ScanLineAddress(y) + x * 3, BMP->ScanLineAddress(y + Dy) + (x + Dx) * 3, 3);
}

void TsfEffectBmp::MorphGrad(TsfEffectBmp* BMP, double Kf)
{
    if (Width < Height) MorphVGrad(BMP, Kf);
    else MorphHGrad(BMP, Kf);
}

void TsfEffectBmp::MorphHGrad(TsfEffectBmp* BMP, double Kf)
{
    if (!SameSize(BMP)) return;
    const Integer W = Width;
    const Integer b = static_cast<Integer>(Round(W * Bounded(Kf)));
    const Integer Fade = (W - b) / 2;
    const long double Step = Fade == 0 ? 1.0L : 1.0L / Fade;
    const Integer L = std::clamp(W / 2 - b / 2, 0, W - 1), R = std::clamp(W / 2 + b / 2, 0, W - 1);
    for (Integer y = 0; y < Height; ++y) {
        uint8_t* Own = ScanLineAddress(y);
        const uint8_t* Other = BMP->ScanLineAddress(y);
        if (L <= R) std::memcpy(Own + L * 3, Other + L * 3, static_cast<size_t>(R - L + 1) * 3);
        long double T = 0;
        for (Integer x = L; x >= 0; --x, T = std::min<long double>(1, T + Step)) MixPixel(Own + x * 3, Other + x * 3, T);
        T = 0;
        for (Integer x = R; x < W; ++x, T = std::min<long double>(1, T + Step)) MixPixel(Own + x * 3, Other + x * 3, T);
    }
}

void TsfEffectBmp::MorphVGrad(TsfEffectBmp* BMP, double Kf)
{
    if (!SameSize(BMP)) return;
    const Integer H = Height;
    const Integer b = static_cast<Integer>(Round(H * Bounded(Kf)));
    const Integer Fade = (H - 1 - b) / 2;
    const long double Step = Fade == 0 ? 0.0L : 1.0L / Fade;
    const Integer T0 = std::clamp(H / 2 - b / 2, 0, H - 1), B0 = std::clamp(H / 2 + b / 2, 0, H - 1);
    for (Integer y = T0; y <= B0; ++y) std::memcpy(ScanLineAddress(y), BMP->ScanLineAddress(y), Width * 3);
    auto MixRow = [&](Integer y, long double T) {
        uint8_t* Own = ScanLineAddress(y);
        const uint8_t* Other = BMP->ScanLineAddress(y);
        for (Integer i = 0; i < Width * 3; i += 3) MixPixel(Own + i, Other + i, T);
    };
    long double T = 0;
    for (Integer y = T0; y >= 0; --y, T = std::min<long double>(1, T + Step)) MixRow(y, T);
    T = 0;
    for (Integer y = B0; y < H; ++y, T = std::min<long double>(1, T + Step)) MixRow(y, T);
}

void TsfEffectBmp::MorphLeftGrad(TsfEffectBmp* BMP, double Kf)
{
    if (!SameSize(BMP)) return;
    const Integer W = Width;
    const Integer b = std::min(std::max(static_cast<Integer>(Round(W * Bounded(Kf))), 1), W - 1);
    const long double Step = b > 0 ? 1.0L / b : 1.0L;
    for (Integer y = 0; y < Height; ++y) {
        uint8_t* Own = ScanLineAddress(y);
        const uint8_t* Other = BMP->ScanLineAddress(y);
        long double T = 0;
        for (Integer x = 0; x <= b; ++x, T = std::min<long double>(1, T + Step)) MixPixel(Own + x * 3, Other + x * 3, T);
    }
}

void TsfEffectBmp::MorphRightGrad(TsfEffectBmp* BMP, double Kf)
{
    if (!SameSize(BMP)) return;
    const Integer W = Width;
    const Integer c = std::clamp(W - static_cast<Integer>(Round(W * Bounded(Kf))), 0, W - 1);
    const long double Step = W - c <= 0 ? 1.0L : 1.0L / (W - c);
    for (Integer y = 0; y < Height; ++y) {
        uint8_t* Own = ScanLineAddress(y);
        const uint8_t* Other = BMP->ScanLineAddress(y);
        long double T = 0;
        for (Integer x = W - 1; x >= c; --x, T = std::min<long double>(1, T + Step)) MixPixel(Own + x * 3, Other + x * 3, T);
    }
}

void TsfEffectBmp::MorphPush(TsfEffectBmp* BMP, double Kf)
{
    if (!SameSize(BMP)) return;
    const Integer W = Width;
    const Integer b = std::clamp(static_cast<Integer>(Round(W * Bounded(Kf))), 0, W - 1);
    for (Integer y = 0; y < Height; ++y) {
        uint8_t* Own = ScanLineAddress(y);
        for (Integer x = W - 1; x >= b; --x) std::memmove(Own + x * 3, Own + std::max(x - b - 1, 0) * 3, 3);
        std::memcpy(Own, BMP->ScanLineAddress(y) + (W - b - 1) * 3, static_cast<size_t>(b + 1) * 3);
    }
}

void TsfEffectBmp::MorphLeftSlide(TsfEffectBmp* BMP, double Kf)
{
    if (!SameSize(BMP)) return;
    const Integer W = Width;
    const Integer b = std::min(std::max(static_cast<Integer>(Round(W * Bounded(Kf))), 1), W - 1);
    for (Integer y = 0; y < Height && b > 0; ++y)
        std::memcpy(ScanLineAddress(y), BMP->ScanLineAddress(y) + (W - b) * 3, static_cast<size_t>(b) * 3);
}

void TsfEffectBmp::MorphRightSlide(TsfEffectBmp* BMP, double Kf)
{
    if (!SameSize(BMP)) return;
    const Integer W = Width;
    const Integer b = std::min(std::max(static_cast<Integer>(Round(W * Bounded(Kf))), 1), W - 1);
    for (Integer y = 0; y < Height && b > 0; ++y)
        std::memcpy(ScanLineAddress(y) + (W - b) * 3, BMP->ScanLineAddress(y), static_cast<size_t>(b) * 3);
}

void TsfEffectBmp::MorphBy(TMorphKind Kind, TsfEffectBmp* BMP, double Kf)
{
    switch (Kind) {
    case mkDefault: Morph(BMP, Kf); break;
    case mkGradient: MorphGrad(BMP, Kf); break;
    case mkLeftGradient: MorphLeftGrad(BMP, Kf); break;
    case mkRightGradient: MorphRightGrad(BMP, Kf); break;
    case mkLeftSlide: MorphLeftSlide(BMP, Kf); break;
    case mkRightSlide: MorphRightSlide(BMP, Kf); break;
    case mkPush: MorphPush(BMP, Kf); break;
    }
}

// ---------------------------------------------------------------------------
// Effects

namespace {

template <class F>
void ForEachChannel(TsfEffectBmp& B, F Op)
{
    for (Integer y = 0; y < B.Height; ++y) {
        uint8_t* Row = B.ScanLineAddress(y);
        for (Integer i = 0; i < B.Width * 3; ++i) Row[i] = Op(Row[i]);
    }
}

}  // namespace

void TsfEffectBmp::ChangeBrightness(double Kf)
{
    const long double K = Clamp01(Kf);
    ForEachChannel(*this, [K](uint8_t c) { return ToByte((1 - K) * c + K * 255); });
}

void TsfEffectBmp::ChangeDarkness(double Kf)
{
    const long double K = Clamp01(Kf);
    ForEachChannel(*this, [K](uint8_t c) { return ToByte((1 - K) * c); });
}

void TsfEffectBmp::Invert()
{
    ForEachChannel(*this, [](uint8_t c) { return static_cast<uint8_t>(255 - c); });
}

void TsfEffectBmp::GrayScale()
{
    for (Integer y = 0; y < Height; ++y) {
        uint8_t* P = ScanLineAddress(y);
        for (Integer x = 0; x < Width; ++x, P += 3) {
            const uint8_t V = ToByte(0.3L * P[2] + 0.59L * P[1] + 0.11L * P[0]);
            P[0] = P[1] = P[2] = V;
        }
    }
}

void TsfEffectBmp::BlurPass(Integer Amount, const TsfEffectBmp* Msk, bool Antialias)
{
    const Integer W = Width, H = Height;
    // The sample points, as the blur has always taken them, kept inside the
    // picture whatever the amount.
    auto Lower = [](Integer V, Integer A, Integer N) { return std::clamp(V - A < 0 ? V : V - A, 0, N - 1); };
    auto Upper = [](Integer V, Integer A, Integer N) { return std::clamp(V + A >= N ? N - V : V + A, 0, N - 1); };
    for (Integer y = 0; y < H; ++y) {
        const Integer U = Lower(y, Amount, H), D = Upper(y, Amount, H);
        for (Integer x = 0; x < W; ++x) {
            if (Msk && IsWhite(Msk->ScanLineAddress(y) + x * 3)) continue;
            const Integer L = Lower(x, Amount, W), R = Upper(x, Amount, W);
            if (Antialias && !IsWhite(Msk->ScanLineAddress(U) + L * 3) && !IsWhite(Msk->ScanLineAddress(D) + L * 3) &&
                !IsWhite(Msk->ScanLineAddress(U) + R * 3) && !IsWhite(Msk->ScanLineAddress(D) + R * 3))
                continue;
            uint8_t* P = ScanLineAddress(y) + x * 3;
            for (int c = 0; c < 3; ++c)
                P[c] = static_cast<uint8_t>((ScanLineAddress(U)[L * 3 + c] + ScanLineAddress(D)[L * 3 + c] +
                                             ScanLineAddress(U)[R * 3 + c] + ScanLineAddress(D)[R * 3 + c]) >> 2);
        }
    }
}

void TsfEffectBmp::SplitBlur(Integer Amount)
{
    if (Amount == 0 || !Bits) return;
    BlurPass(Amount, nullptr, false);
}

void TsfEffectBmp::MaskBlur(TsfEffectBmp* Msk, Integer Amount)
{
    if (Amount == 0 || !Bits || !Msk || !Msk->Bits || Msk->Width != Width || Msk->Height < Height) return;
    BlurPass(Amount, Msk, false);
}

void TsfEffectBmp::MaskAntialiasing(TsfEffectBmp* Msk, Integer Amount)
{
    if (Amount == 0 || !Bits || !Msk || !Msk->Bits || Msk->Width != Width || Msk->Height < Height) return;
    BlurPass(Amount, Msk, true);
}

void TsfEffectBmp::AddMonoNoise(Integer Amount)
{
    if (Amount <= 0) return;
    for (Integer y = 0; y < Height; ++y) {
        uint8_t* P = ScanLineAddress(y);
        for (Integer x = 0; x < Width; ++x, P += 3) {
            const Integer N = Random(Amount) - Amount / 2;
            for (int c = 0; c < 3; ++c) P[c] = static_cast<uint8_t>(std::clamp(P[c] + N, 0, 255));
        }
    }
}

void TsfEffectBmp::AddColorNoise(Integer Amount)
{
    if (Amount <= 0) return;
    for (Integer y = 0; y < Height; ++y) {
        uint8_t* P = ScanLineAddress(y);
        for (Integer x = 0; x < Width; ++x, P += 3)
            for (int c = 2; c >= 0; --c)  // drawn for red, green, blue in that order
                P[c] = static_cast<uint8_t>(std::clamp(P[c] + Random(Amount) - Amount / 2, 0, 255));
    }
}

void TsfEffectBmp::Mosaic(Integer ASize)
{
    if (ASize <= 1) return;
    for (Integer by = 0; by < Height; by += ASize)
        for (Integer bx = 0; bx < Width; bx += ASize) {
            const uint32_t C = GetPixel(bx, by);
            for (Integer y = by; y < std::min(by + ASize, Height); ++y)
                for (Integer x = bx; x < std::min(bx + ASize, Width); ++x) SetPixel(x, y, C);
        }
}

void TsfEffectBmp::Wave(Integer XDIV, Integer YDIV, Integer RatioVal)
{
    if (XDIV == 0 || YDIV == 0 || !Bits) return;
    const TsfEffectBmp Copy(*this);
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x) {
            const long double SX = x + RatioVal * std::sin(static_cast<long double>(y) / YDIV);
            const long double SY = y + RatioVal * std::sin(static_cast<long double>(x) / XDIV);
            SetPixel(x, y,
                     Copy.GetPixel(static_cast<Integer>(std::clamp<Int64>(Round(SX), 0, Width - 1)),
                                   static_cast<Integer>(std::clamp<Int64>(Round(SY), 0, Height - 1))));
        }
}

void TsfEffectBmp::MaskFillColor(TsfEffectBmp* Msk, Integer C, double kf)
{
    if (!Bits || !Msk || !Msk->Bits || Msk->Width != Width || Msk->Height < Height) return;
    const TsfColor RGB = ColorToColor32(C);
    const uint8_t Fill[3] = {static_cast<uint8_t>(RGB & 0xFF), static_cast<uint8_t>((RGB >> 8) & 0xFF),
                             static_cast<uint8_t>((RGB >> 16) & 0xFF)};
    const long double K = std::isnan(kf) ? 0 : kf;
    for (Integer y = 0; y < Height; ++y) {
        uint8_t* P = ScanLineAddress(y);
        const uint8_t* M = Msk->ScanLineAddress(y);
        for (Integer x = 0; x < Width; ++x, P += 3, M += 3)
            if (!IsWhite(M)) MixPixel(P, Fill, 1 - K);
    }
}

// ---------------------------------------------------------------------------
// Geometry

void TsfEffectBmp::Rotate90_1(TsfEffectBmp* Dst)
{
    if (!Bits || !Dst || !Dst->Bits || Dst->Width != Height || Dst->Height != Width) return;
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x) Dst->SetPixel(y, Width - 1 - x, GetPixel(x, y));
}

void TsfEffectBmp::Rotate90_2(TsfEffectBmp* Dst)
{
    if (!Bits || !Dst || !Dst->Bits || Dst->Width != Height || Dst->Height != Width) return;
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x) Dst->SetPixel(Height - 1 - y, x, GetPixel(x, y));
}

void TsfEffectBmp::FlipVert(TsfEffectBmp* Dst)
{
    if (!SameSize(Dst)) return;
    for (Integer y = 0; y < Height; ++y) Dst->SetScanLine(Height - 1 - y, ScanLineAddress(y));
}

void TsfEffectBmp::Resize(TsfEffectBmp* Dst)
{
    if (!Bits || !Dst || !Dst->Bits) return;
    const double Kx = double(Dst->Width - 1) / Width, Ky = double(Dst->Height - 1) / Height;
    const Integer BW = static_cast<Integer>(Round(Kx)) + 1, BH = static_cast<Integer>(Round(Ky)) + 1;
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x) {
            const uint32_t C = GetPixel(x, y);
            const Integer X0 = static_cast<Integer>(Round(Kx * x)), Y0 = static_cast<Integer>(Round(Ky * y));
            for (Integer j = std::max(Y0, 0); j < std::min(Y0 + BH, Dst->Height); ++j)
                for (Integer i = std::max(X0, 0); i < std::min(X0 + BW, Dst->Width); ++i) Dst->SetPixel(i, j, C);
        }
}
