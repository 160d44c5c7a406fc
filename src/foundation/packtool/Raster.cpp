#include "Raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "Component/Raster32/Ras32_Blend.h"
#include "filters/HyRas32Filters.h"
#include "filters/SharpenLib32.h"

namespace Kit {

namespace {

constexpr double Pi = 3.14159265358979323846;
// Sub-scanlines per pixel row of a filled path.
constexpr int SubRows = 6;

float Clamp01(float V) { return V < 0 ? 0 : V > 1 ? 1 : V; }

Byte ToByte(float V) { return Byte(std::lround(Clamp01(V) * 255.0f)); }
float FromByte(Cardinal V) { return float(V) / 255.0f; }

// Colour channels times alpha and back (rounded), around the blur.
void Premultiply(TCustomBitmap32* Bitmap)
{
    TColor32* P = Bitmap->Bits();
    for (Integer I = 0, N = Bitmap->Width() * Bitmap->Height(); I < N; ++I) {
        const Cardinal A = P[I] >> 24;
        auto M = [A](Cardinal C) { return (C * A + 127) / 255; };
        P[I] = Color32FromRGBA(Byte(M((P[I] >> 16) & 0xFF)), Byte(M((P[I] >> 8) & 0xFF)), Byte(M(P[I] & 0xFF)), Byte(A));
    }
}

// F merged over B. An opaque F replaces B: the engine's merge onto an opaque
// background keeps 1/256 of it (black over white gives 1), and the full
// master weight would round down; both would leave solid shapes not solid.
void Over(TColor32 F, TColor32& B)
{
    if ((F >> 24) == 255)
        B = F;
    else
        MergePixelInPlace(F, B);
}

void Unpremultiply(TCustomBitmap32* Bitmap)
{
    TColor32* P = Bitmap->Bits();
    for (Integer I = 0, N = Bitmap->Width() * Bitmap->Height(); I < N; ++I) {
        const Cardinal A = P[I] >> 24;
        if (A == 0) {
            P[I] = 0;
            continue;
        }
        auto D = [A](Cardinal C) { return std::min<Cardinal>(255, (C * 255 + A / 2) / A); };
        P[I] = Color32FromRGBA(Byte(D((P[I] >> 16) & 0xFF)), Byte(D((P[I] >> 8) & 0xFF)), Byte(D(P[I] & 0xFF)), Byte(A));
    }
}


double SegmentDistance(double PX, double PY, const TPt& A, const TPt& B)
{
    const double DX = B.X - A.X, DY = B.Y - A.Y;
    const double L = DX * DX + DY * DY;
    double T = L > 0 ? ((PX - A.X) * DX + (PY - A.Y) * DY) / L : 0;
    T = T < 0 ? 0 : T > 1 ? 1 : T;
    const double X = A.X + T * DX - PX, Y = A.Y + T * DY - PY;
    return std::sqrt(X * X + Y * Y);
}

}  // namespace

TRGBA Rgb(uint32_t Hex, float Alpha)
{
    return TRGBA{((Hex >> 16) & 0xFF) / 255.0f, ((Hex >> 8) & 0xFF) / 255.0f, (Hex & 0xFF) / 255.0f, Alpha};
}

TRGBA Mix(const TRGBA& A, const TRGBA& B, float T)
{
    T = Clamp01(T);
    return TRGBA{A.R + (B.R - A.R) * T, A.G + (B.G - A.G) * T, A.B + (B.B - A.B) * T, A.A + (B.A - A.A) * T};
}

// ---------------------------------------------------------------------------

TColor32 ToColor32(const TRGBA& C) { return Color32FromRGBA(ToByte(C.R), ToByte(C.G), ToByte(C.B), ToByte(C.A)); }

TImage::TImage() : FBitmap(std::make_unique<TCustomBitmap32>()) {}

TImage::TImage(int W, int H, const TRGBA& Fill) : TImage()
{
    FBitmap->SetSize(W, H);
    FBitmap->Clear(ToColor32(Fill));
}

TImage::TImage(const TImage& Other) : TImage() { FBitmap->Assign(Other.FBitmap.get()); }

TImage& TImage::operator=(const TImage& Other)
{
    if (this != &Other) FBitmap->Assign(Other.FBitmap.get());
    return *this;
}

TImage::~TImage() = default;

TRGBA TImage::Get(int X, int Y) const
{
    const TColor32 P = Pixel(X, Y);
    return TRGBA{FromByte((P >> 16) & 0xFF), FromByte((P >> 8) & 0xFF), FromByte(P & 0xFF), FromByte(P >> 24)};
}

void TImage::Set(int X, int Y, const TRGBA& C) { Pixel(X, Y) = ToColor32(C); }

void TImage::Shade(const std::function<TRGBA(double, double)>& F)
{
    for (int Y = 0; Y < Height(); ++Y)
        for (int X = 0; X < Width(); ++X) Set(X, Y, F(X + 0.5, Y + 0.5));
}

void TImage::Blend(int X, int Y, const TRGBA& C, float Coverage)
{
    if (X < 0 || Y < 0 || X >= Width() || Y >= Height()) return;
    const Cardinal M = ToByte(Coverage);
    if (M == 0 || C.A <= 0) return;
    if (M == 255)
        Over(ToColor32(C), Pixel(X, Y));
    else
        MergePixelMasterInPlace(ToColor32(C), Pixel(X, Y), M);
}

void TImage::Draw(const TImage& Src, int DX, int DY, float Opacity)
{
    const int X0 = std::max(0, DX), X1 = std::min(Width(), DX + Src.Width());
    if (X0 >= X1) return;
    const Cardinal M = ToByte(Opacity);
    for (int Y = std::max(0, DY); Y < std::min(Height(), DY + Src.Height()); ++Y) {
        const TColor32* Row = Src.Bitmap()->GetPixelPtr(X0 - DX, Y - DY);
        if (M == 255)
            for (int X = X0; X < X1; ++X) Over(Row[X - X0], Pixel(X, Y));
        else
            MergeRowMaster(Row, &Pixel(X0, Y), X1 - X0, M);
    }
}

void TImage::MaskBy(const std::function<float(double, double)>& M)
{
    for (int Y = 0; Y < Height(); ++Y)
        for (int X = 0; X < Width(); ++X) {
            TColor32& P = Pixel(X, Y);
            const Byte A = ToByte(FromByte(P >> 24) * Clamp01(float(M(X + 0.5, Y + 0.5))));
            P = (P & 0x00FFFFFF) | (TColor32(A) << 24);
        }
}

void TImage::AddLight(const TImage& Src, float K)
{
    const Cardinal W = Cardinal(std::lround(Clamp01(K) * 256));
    for (int Y = 0; Y < std::min(Height(), Src.Height()); ++Y)
        for (int X = 0; X < std::min(Width(), Src.Width()); ++X) {
            // Src's colour weighted by its alpha, as light it gives.
            const TColor32 S = Src.Pixel(X, Y);
            TColor32& P = Pixel(X, Y);
            P = (ChannelAdd(P, ChannelScale(S, ((S >> 24) * W + 127) / 255)) & 0x00FFFFFF) | (P & 0xFF000000);
        }
}

void TImage::Coverage(const TPath& Path, const std::function<void(int, int, float)>& Plot) const
{
    double MinX = 1e30, MinY = 1e30, MaxX = -1e30, MaxY = -1e30;
    for (const TContour& C : Path)
        for (const TPt& P : C) {
            MinX = std::min(MinX, P.X), MaxX = std::max(MaxX, P.X);
            MinY = std::min(MinY, P.Y), MaxY = std::max(MaxY, P.Y);
        }
    if (MinX > MaxX) return;
    const int X0 = std::max(0, int(std::floor(MinX))), X1 = std::min(Width() - 1, int(std::floor(MaxX)));
    const int Y0 = std::max(0, int(std::floor(MinY))), Y1 = std::min(Height() - 1, int(std::floor(MaxY)));
    if (X0 > X1 || Y0 > Y1) return;
    std::vector<float> Acc(size_t(X1 - X0 + 2));
    std::vector<std::pair<double, int>> Cross;
    for (int Y = Y0; Y <= Y1; ++Y) {
        std::fill(Acc.begin(), Acc.end(), 0.0f);
        for (int K = 0; K < SubRows; ++K) {
            const double SY = Y + (K + 0.5) / SubRows;
            Cross.clear();
            for (const TContour& C : Path)
                for (size_t I = 0; I < C.size(); ++I) {
                    const TPt& A = C[I];
                    const TPt& B = C[(I + 1) % C.size()];
                    if ((A.Y <= SY && SY < B.Y) || (B.Y <= SY && SY < A.Y)) {
                        const double X = A.X + (SY - A.Y) * (B.X - A.X) / (B.Y - A.Y);
                        Cross.emplace_back(X, A.Y < B.Y ? 1 : -1);
                    }
                }
            std::sort(Cross.begin(), Cross.end());
            int Winding = 0;
            double Start = 0;
            for (const auto& [X, Dir] : Cross) {
                const int Before = Winding;
                Winding += Dir;
                if (Before == 0 && Winding != 0) Start = X;
                if (Before != 0 && Winding == 0) {
                    // The span [Start, X) added with exact horizontal coverage.
                    const double A = std::max(Start, double(X0)), B = std::min(X, double(X1 + 1));
                    if (A >= B) continue;
                    const int IA = int(std::floor(A)), IB = int(std::floor(B));
                    const float W = 1.0f / SubRows;
                    if (IA == IB)
                        Acc[size_t(IA - X0)] += float(B - A) * W;
                    else {
                        Acc[size_t(IA - X0)] += float(IA + 1 - A) * W;
                        for (int I = IA + 1; I < IB; ++I) Acc[size_t(I - X0)] += W;
                        if (IB <= X1) Acc[size_t(IB - X0)] += float(B - IB) * W;
                    }
                }
            }
        }
        for (int X = X0; X <= X1; ++X)
            if (Acc[size_t(X - X0)] > 0) Plot(X, Y, std::min(1.0f, Acc[size_t(X - X0)]));
    }
}

void TImage::Fill(const TPath& Path, const std::function<TRGBA(double, double)>& Paint)
{
    Coverage(Path, [&](int X, int Y, float C) { Blend(X, Y, Paint(X + 0.5, Y + 0.5), C); });
}

void TImage::Fill(const TPath& Path, const TRGBA& Color)
{
    Coverage(Path, [&](int X, int Y, float C) { Blend(X, Y, Color, C); });
}

void TImage::Stroke(const TContour& Line, double Width, const TRGBA& C, bool Closed)
{
    Stroke(Line, Width, [&](double, double) { return C; }, Closed);
}

void TImage::Stroke(const TContour& Line, double LineWidth, const std::function<TRGBA(double, double)>& Paint,
                    bool Closed)
{
    if (Line.empty()) return;
    const double H = LineWidth / 2;
    double MinX = 1e30, MinY = 1e30, MaxX = -1e30, MaxY = -1e30;
    for (const TPt& P : Line) {
        MinX = std::min(MinX, P.X), MaxX = std::max(MaxX, P.X);
        MinY = std::min(MinY, P.Y), MaxY = std::max(MaxY, P.Y);
    }
    const int X0 = std::max(0, int(std::floor(MinX - H - 1))), X1 = std::min(Width() - 1, int(std::ceil(MaxX + H + 1)));
    const int Y0 = std::max(0, int(std::floor(MinY - H - 1))), Y1 = std::min(Height() - 1, int(std::ceil(MaxY + H + 1)));
    const size_t N = Line.size();
    const size_t Segments = Closed ? N : (N > 1 ? N - 1 : 1);
    for (int Y = Y0; Y <= Y1; ++Y)
        for (int X = X0; X <= X1; ++X) {
            const double PX = X + 0.5, PY = Y + 0.5;
            double D = 1e30;
            for (size_t I = 0; I < Segments; ++I)
                D = std::min(D, SegmentDistance(PX, PY, Line[I], Line[(I + 1) % N]));
            const float Cov = Clamp01(float(H - D + 0.5));
            if (Cov > 0) Blend(X, Y, Paint(PX, PY), Cov);
        }
}

void TImage::Blur(double Radius)
{
    if (Radius < 1 || FBitmap->Empty()) return;
    Premultiply(FBitmap.get());
    if (Radius < 2)
        GaussianBlur3x3(FBitmap.get());
    else
        // The exponential blur of radius R spreads about 0.63 R + 0.55 pixels
        // (its deviation): matched to Radius / 2.
        ExponentialBlur(FBitmap.get(), std::max(1, int(std::lround((Radius / 2 - 0.55) / 0.63))));
    Unpremultiply(FBitmap.get());
}

TImage TImage::Resized(int W, int H) const
{
    TImage R;
    ResizeBitmap(FBitmap.get(), R.FBitmap.get(), W, H);
    return R;
}

TImage TImage::Cropped(int X0, int Y0, int W, int H) const
{
    TImage R(W, H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            if (X + X0 >= 0 && Y + Y0 >= 0 && X + X0 < Width() && Y + Y0 < Height()) R.Pixel(X, Y) = Pixel(X + X0, Y + Y0);
    return R;
}

TImage TImage::Flattened(const TRGBA& Background) const
{
    TImage R(Width(), Height(), TRGBA{Background.R, Background.G, Background.B, 1});
    R.Draw(*this, 0, 0);
    return R;
}

// ---------------------------------------------------------------------------

TContour Rect(double X, double Y, double W, double H) { return {{X, Y}, {X + W, Y}, {X + W, Y + H}, {X, Y + H}}; }

TContour Ellipse(double CX, double CY, double RX, double RY, int Segments)
{
    if (Segments <= 0) Segments = std::max(24, int(std::max(RX, RY) * 1.5));
    TContour C;
    for (int I = 0; I < Segments; ++I) {
        const double A = 2 * Pi * I / Segments;
        C.push_back({CX + RX * std::cos(A), CY + RY * std::sin(A)});
    }
    return C;
}

void ArcTo(TContour& C, double CX, double CY, double RX, double RY, double A0, double A1, int Steps)
{
    if (Steps <= 0) Steps = std::max(4, int(std::fabs(A1 - A0) * std::max(RX, RY) / 2));
    for (int I = 0; I <= Steps; ++I) {
        const double A = A0 + (A1 - A0) * I / Steps;
        C.push_back({CX + RX * std::cos(A), CY + RY * std::sin(A)});
    }
}

TContour RoundRect(double X, double Y, double W, double H, double R)
{
    R = std::min(R, std::min(W, H) / 2);
    if (R <= 0) return Rect(X, Y, W, H);
    TContour C;
    ArcTo(C, X + W - R, Y + R, R, R, -Pi / 2, 0);
    ArcTo(C, X + W - R, Y + H - R, R, R, 0, Pi / 2);
    ArcTo(C, X + R, Y + H - R, R, R, Pi / 2, Pi);
    ArcTo(C, X + R, Y + R, R, R, Pi, 3 * Pi / 2);
    return C;
}

TContour Star(double CX, double CY, double R1, double R2, int Points, double Start)
{
    TContour C;
    for (int I = 0; I < 2 * Points; ++I) {
        const double A = Start + Pi * I / Points;
        const double R = I % 2 ? R2 : R1;
        C.push_back({CX + R * std::sin(A), CY - R * std::cos(A)});
    }
    return C;
}

TContour Polygon(double CX, double CY, double R, int Sides, double Start)
{
    TContour C;
    for (int I = 0; I < Sides; ++I) {
        const double A = Start + 2 * Pi * I / Sides;
        C.push_back({CX + R * std::sin(A), CY - R * std::cos(A)});
    }
    return C;
}

void CubicTo(TContour& C, const TPt& P0, const TPt& P1, const TPt& P2, const TPt& P3, int Steps)
{
    for (int I = 1; I <= Steps; ++I) {
        const double T = double(I) / Steps, U = 1 - T;
        C.push_back({U * U * U * P0.X + 3 * U * U * T * P1.X + 3 * U * T * T * P2.X + T * T * T * P3.X,
                     U * U * U * P0.Y + 3 * U * U * T * P1.Y + 3 * U * T * T * P2.Y + T * T * T * P3.Y});
    }
}

void QuadTo(TContour& C, const TPt& P0, const TPt& P1, const TPt& P2, int Steps)
{
    for (int I = 1; I <= Steps; ++I) {
        const double T = double(I) / Steps, U = 1 - T;
        C.push_back({U * U * P0.X + 2 * U * T * P1.X + T * T * P2.X, U * U * P0.Y + 2 * U * T * P1.Y + T * T * P2.Y});
    }
}

TContour Heart(double X, double Y, double W, double H)
{
    auto P = [&](double U, double V) { return TPt{X + U * W, Y + V * H}; };
    TContour C{P(0.5, 0.25)};
    CubicTo(C, P(0.5, 0.25), P(0.5, 0.0), P(0.0, -0.02), P(0.02, 0.32));
    CubicTo(C, P(0.02, 0.32), P(0.04, 0.58), P(0.38, 0.78), P(0.5, 1.0));
    CubicTo(C, P(0.5, 1.0), P(0.62, 0.78), P(0.96, 0.58), P(0.98, 0.32));
    CubicTo(C, P(0.98, 0.32), P(1.0, -0.02), P(0.5, 0.0), P(0.5, 0.25));
    return C;
}

TContour Transformed(const TContour& C, double Scale, double DX, double DY, double Angle, double CX, double CY)
{
    TContour R;
    const double S = std::sin(Angle), K = std::cos(Angle);
    for (const TPt& P : C) {
        const double X = P.X - CX, Y = P.Y - CY;
        R.push_back({CX + (X * K - Y * S) * Scale + DX, CY + (X * S + Y * K) * Scale + DY});
    }
    return R;
}

// ---------------------------------------------------------------------------

uint32_t TRandom::Next()
{
    // xorshift32: small, fast and the same everywhere.
    FState ^= FState << 13;
    FState ^= FState >> 17;
    FState ^= FState << 5;
    return FState;
}

double TNoise::Hash(int X, int Y) const
{
    uint32_t H = uint32_t(X) * 374761393u + uint32_t(Y) * 668265263u + FSeed * 2246822519u;
    H = (H ^ (H >> 13)) * 1274126177u;
    H ^= H >> 16;
    return (H & 0xFFFFFF) / double(0xFFFFFF);
}

double TNoise::Value(double X, double Y, int PX, int PY) const
{
    const int IX = int(std::floor(X)), IY = int(std::floor(Y));
    const double FX = X - IX, FY = Y - IY;
    auto Wrap = [](int V, int P) { return P > 0 ? ((V % P) + P) % P : V; };
    auto H = [&](int A, int B) { return Hash(Wrap(A, PX), Wrap(B, PY)); };
    const double SX = FX * FX * (3 - 2 * FX), SY = FY * FY * (3 - 2 * FY);
    const double A = H(IX, IY) + (H(IX + 1, IY) - H(IX, IY)) * SX;
    const double B = H(IX, IY + 1) + (H(IX + 1, IY + 1) - H(IX, IY + 1)) * SX;
    return A + (B - A) * SY;
}

double TNoise::Fbm(double X, double Y, int Octaves, int PX, int PY) const
{
    double Sum = 0, Weight = 0.5, Total = 0;
    for (int I = 0; I < Octaves; ++I) {
        Sum += Value(X, Y, PX, PY) * Weight;
        Total += Weight;
        X *= 2, Y *= 2, PX *= 2, PY *= 2, Weight /= 2;
    }
    return Sum / Total;
}

}  // namespace Kit
