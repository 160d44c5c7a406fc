#include "Raster.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace Kit {

namespace {

constexpr double Pi = 3.14159265358979323846;
// Sub-scanlines per pixel row of a filled path.
constexpr int SubRows = 6;

float Clamp01(float V) { return V < 0 ? 0 : V > 1 ? 1 : V; }

uint8_t ToByte(float V) { return uint8_t(std::lround(Clamp01(V) * 255.0f)); }

void Put16(std::vector<uint8_t>& B, uint32_t V)
{
    B.push_back(uint8_t(V));
    B.push_back(uint8_t(V >> 8));
}
void Put32(std::vector<uint8_t>& B, uint32_t V)
{
    Put16(B, V & 0xFFFF);
    Put16(B, V >> 16);
}
void Put16BE(std::vector<uint8_t>& B, uint32_t V)
{
    B.push_back(uint8_t(V >> 8));
    B.push_back(uint8_t(V));
}
void Put32BE(std::vector<uint8_t>& B, uint32_t V)
{
    Put16BE(B, V >> 16);
    Put16BE(B, V & 0xFFFF);
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

TImage::TImage(int W, int H, const TRGBA& Fill) : FW(W), FH(H), FPix(size_t(W) * H * 4)
{
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) Set(X, Y, Fill);
}

TRGBA TImage::Get(int X, int Y) const
{
    const float* P = At(X, Y);
    if (P[3] <= 0) return TRGBA{0, 0, 0, 0};
    return TRGBA{P[0] / P[3], P[1] / P[3], P[2] / P[3], P[3]};
}

void TImage::Set(int X, int Y, const TRGBA& C)
{
    float* P = At(X, Y);
    const float A = Clamp01(C.A);
    P[0] = Clamp01(C.R) * A;
    P[1] = Clamp01(C.G) * A;
    P[2] = Clamp01(C.B) * A;
    P[3] = A;
}

void TImage::Shade(const std::function<TRGBA(double, double)>& F)
{
    for (int Y = 0; Y < FH; ++Y)
        for (int X = 0; X < FW; ++X) Set(X, Y, F(X + 0.5, Y + 0.5));
}

void TImage::Blend(int X, int Y, const TRGBA& C, float Coverage)
{
    if (X < 0 || Y < 0 || X >= FW || Y >= FH) return;
    const float A = Clamp01(C.A) * Clamp01(Coverage);
    if (A <= 0) return;
    float* P = At(X, Y);
    const float K = 1 - A;
    P[0] = Clamp01(C.R) * A + P[0] * K;
    P[1] = Clamp01(C.G) * A + P[1] * K;
    P[2] = Clamp01(C.B) * A + P[2] * K;
    P[3] = A + P[3] * K;
}

void TImage::Draw(const TImage& Src, int DX, int DY, float Opacity)
{
    for (int Y = 0; Y < Src.FH; ++Y)
        for (int X = 0; X < Src.FW; ++X) {
            const int TX = X + DX, TY = Y + DY;
            if (TX < 0 || TY < 0 || TX >= FW || TY >= FH) continue;
            const float* S = Src.At(X, Y);
            float* P = At(TX, TY);
            const float K = 1 - S[3] * Opacity;
            for (int C = 0; C < 4; ++C) P[C] = S[C] * Opacity + P[C] * K;
        }
}

void TImage::MaskBy(const std::function<float(double, double)>& M)
{
    for (int Y = 0; Y < FH; ++Y)
        for (int X = 0; X < FW; ++X) {
            const float K = Clamp01(float(M(X + 0.5, Y + 0.5)));
            float* P = At(X, Y);
            for (int C = 0; C < 4; ++C) P[C] *= K;
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
    const int X0 = std::max(0, int(std::floor(MinX))), X1 = std::min(FW - 1, int(std::floor(MaxX)));
    const int Y0 = std::max(0, int(std::floor(MinY))), Y1 = std::min(FH - 1, int(std::floor(MaxY)));
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

void TImage::Stroke(const TContour& Line, double Width, const std::function<TRGBA(double, double)>& Paint,
                    bool Closed)
{
    if (Line.empty()) return;
    const double H = Width / 2;
    double MinX = 1e30, MinY = 1e30, MaxX = -1e30, MaxY = -1e30;
    for (const TPt& P : Line) {
        MinX = std::min(MinX, P.X), MaxX = std::max(MaxX, P.X);
        MinY = std::min(MinY, P.Y), MaxY = std::max(MaxY, P.Y);
    }
    const int X0 = std::max(0, int(std::floor(MinX - H - 1))), X1 = std::min(FW - 1, int(std::ceil(MaxX + H + 1)));
    const int Y0 = std::max(0, int(std::floor(MinY - H - 1))), Y1 = std::min(FH - 1, int(std::ceil(MaxY + H + 1)));
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
    if (Radius <= 0 || FW == 0 || FH == 0) return;
    // Three box passes approximate a Gaussian of sigma Radius / 2.
    const double Sigma = Radius / 2;
    const int Box = std::max(1, int(std::lround((std::sqrt(12 * Sigma * Sigma / 3 + 1) - 1) / 2)));
    std::vector<float> Line;
    auto Pass = [&](int Count, int Length, auto Index) {
        Line.resize(size_t(Length) * 4);
        for (int I = 0; I < Count; ++I) {
            for (int J = 0; J < Length; ++J) std::memcpy(&Line[size_t(J) * 4], &FPix[Index(I, J)], 4 * sizeof(float));
            float Sum[4] = {0, 0, 0, 0};
            for (int J = -Box; J <= Box; ++J)
                if (J >= 0 && J < Length)
                    for (int C = 0; C < 4; ++C) Sum[C] += Line[size_t(J) * 4 + C];
            const float K = 1.0f / (2 * Box + 1);
            for (int J = 0; J < Length; ++J) {
                for (int C = 0; C < 4; ++C) FPix[Index(I, J) + C] = Sum[C] * K;
                const int Out = J - Box, In = J + Box + 1;
                if (Out >= 0)
                    for (int C = 0; C < 4; ++C) Sum[C] -= Line[size_t(Out) * 4 + C];
                if (In < Length)
                    for (int C = 0; C < 4; ++C) Sum[C] += Line[size_t(In) * 4 + C];
            }
        }
    };
    for (int K = 0; K < 3; ++K) {
        Pass(FH, FW, [&](int Y, int X) { return (size_t(Y) * FW + X) * 4; });
        Pass(FW, FH, [&](int X, int Y) { return (size_t(Y) * FW + X) * 4; });
    }
}

TImage TImage::Resized(int W, int H) const
{
    TImage R(W, H);
    const double SX = double(FW) / W, SY = double(FH) / H;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const double AX = X * SX, BX = (X + 1) * SX, AY = Y * SY, BY = (Y + 1) * SY;
            double Sum[4] = {0, 0, 0, 0}, Weight = 0;
            for (int J = int(AY); J < std::min(FH, int(std::ceil(BY))); ++J) {
                const double WY = std::min(BY, J + 1.0) - std::max(AY, double(J));
                for (int I = int(AX); I < std::min(FW, int(std::ceil(BX))); ++I) {
                    const double WX = std::min(BX, I + 1.0) - std::max(AX, double(I));
                    const double Wt = WX * WY;
                    if (Wt <= 0) continue;
                    const float* P = At(I, J);
                    for (int C = 0; C < 4; ++C) Sum[C] += P[C] * Wt;
                    Weight += Wt;
                }
            }
            float* Q = R.At(X, Y);
            for (int C = 0; C < 4; ++C) Q[C] = Weight > 0 ? float(Sum[C] / Weight) : 0;
        }
    return R;
}

TImage TImage::Cropped(int X0, int Y0, int W, int H) const
{
    TImage R(W, H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            if (X + X0 >= 0 && Y + Y0 >= 0 && X + X0 < FW && Y + Y0 < FH)
                std::memcpy(R.At(X, Y), At(X + X0, Y + Y0), 4 * sizeof(float));
    return R;
}

TImage TImage::Flattened(const TRGBA& Background) const
{
    TImage R(FW, FH, TRGBA{Background.R, Background.G, Background.B, 1});
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

// ---------------------------------------------------------------------------
// Baseline JPEG: YCbCr, 4:2:0 for larger pictures (4:4:4 for small ones),
// the standard quantization and Huffman tables scaled to the quality.

namespace {

const uint8_t ZigZag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
                            41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
                            30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

const uint8_t LumQuant[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                              14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                              18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                              49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
const uint8_t ChromQuant[64] = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
                                24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
                                99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

const uint8_t DcLumBits[16] = {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
const uint8_t DcChromBits[16] = {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
const uint8_t DcValues[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
const uint8_t AcLumBits[16] = {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d};
const uint8_t AcLumValues[162] = {
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71, 0x14,
    0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09,
    0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a,
    0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65,
    0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88,
    0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9,
    0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca,
    0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea,
    0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};
const uint8_t AcChromBits[16] = {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77};
const uint8_t AcChromValues[162] = {
    0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13, 0x22, 0x32,
    0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1, 0x0a, 0x16,
    0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36, 0x37, 0x38, 0x39,
    0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64,
    0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x82, 0x83, 0x84, 0x85, 0x86,
    0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7,
    0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8,
    0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9,
    0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};

struct THuffman {
    uint16_t Code[256] = {};
    uint8_t Length[256] = {};
    THuffman(const uint8_t* Bits, const uint8_t* Values)
    {
        uint16_t C = 0;
        int K = 0;
        for (int L = 1; L <= 16; ++L) {
            for (int I = 0; I < Bits[L - 1]; ++I, ++K) {
                Code[Values[K]] = C++;
                Length[Values[K]] = uint8_t(L);
            }
            C = uint16_t(C << 1);
        }
    }
};

class TBitWriter {
public:
    explicit TBitWriter(std::vector<uint8_t>& Out) : FOut(Out) {}
    void Put(uint32_t Bits, int Count)
    {
        FBuffer = (FBuffer << Count) | (Bits & ((1u << Count) - 1));
        FCount += Count;
        while (FCount >= 8) {
            const uint8_t B = uint8_t(FBuffer >> (FCount - 8));
            FOut.push_back(B);
            if (B == 0xFF) FOut.push_back(0);
            FCount -= 8;
        }
    }
    void Flush()
    {
        if (FCount > 0) Put(0x7F, 8 - FCount);
    }

private:
    std::vector<uint8_t>& FOut;
    uint32_t FBuffer = 0;
    int FCount = 0;
};

void EncodeBlock(TBitWriter& W, const float* Block, const float* Divisor, int& Previous, const THuffman& Dc,
                 const THuffman& Ac)
{
    static double Cos[8][8];
    static bool Ready = false;
    if (!Ready) {
        for (int X = 0; X < 8; ++X)
            for (int U = 0; U < 8; ++U) Cos[X][U] = std::cos((2 * X + 1) * U * Pi / 16);
        Ready = true;
    }
    int Q[64];
    for (int V = 0; V < 8; ++V)
        for (int U = 0; U < 8; ++U) {
            double S = 0;
            for (int Y = 0; Y < 8; ++Y)
                for (int X = 0; X < 8; ++X) S += Block[Y * 8 + X] * Cos[X][U] * Cos[Y][V];
            const double CU = U ? 1 : 1 / std::sqrt(2.0), CV = V ? 1 : 1 / std::sqrt(2.0);
            S *= 0.25 * CU * CV;
            Q[V * 8 + U] = int(std::lround(S / Divisor[V * 8 + U]));
        }
    auto Emit = [&](int Value, const THuffman& H, int Symbol0) {
        int Magnitude = Value < 0 ? -Value : Value, Size = 0;
        while (Magnitude) ++Size, Magnitude >>= 1;
        const int Symbol = Symbol0 | Size;
        W.Put(H.Code[Symbol], H.Length[Symbol]);
        if (Size) W.Put(uint32_t(Value < 0 ? Value + (1 << Size) - 1 : Value), Size);
    };
    Emit(Q[0] - Previous, Dc, 0);
    Previous = Q[0];
    int Run = 0;
    for (int K = 1; K < 64; ++K) {
        const int V = Q[ZigZag[K]];
        if (V == 0) {
            ++Run;
            continue;
        }
        while (Run > 15) {
            W.Put(Ac.Code[0xF0], Ac.Length[0xF0]);
            Run -= 16;
        }
        Emit(V, Ac, Run << 4);
        Run = 0;
    }
    if (Run > 0) W.Put(Ac.Code[0], Ac.Length[0]);
}

void Marker(std::vector<uint8_t>& B, uint8_t M, const std::vector<uint8_t>& Body)
{
    B.push_back(0xFF);
    B.push_back(M);
    Put16BE(B, uint32_t(Body.size() + 2));
    B.insert(B.end(), Body.begin(), Body.end());
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(const TImage& Image, int Quality)
{
    const int W = Image.Width(), H = Image.Height();
    if (W <= 0 || H <= 0 || W > 65535 || H > 65535) throw std::runtime_error("bad JPEG size");
    const int Scale = Quality < 50 ? 5000 / Quality : 200 - 2 * Quality;
    uint8_t QL[64], QC[64];
    for (int I = 0; I < 64; ++I) {
        QL[I] = uint8_t(std::clamp((LumQuant[I] * Scale + 50) / 100, 1, 255));
        QC[I] = uint8_t(std::clamp((ChromQuant[I] * Scale + 50) / 100, 1, 255));
    }
    const bool Sub = W * H >= 100000;  // 4:2:0 for larger pictures
    std::vector<uint8_t> B = {0xFF, 0xD8};
    Marker(B, 0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    std::vector<uint8_t> Q = {0};
    for (int I = 0; I < 64; ++I) Q.push_back(QL[ZigZag[I]]);
    Q.push_back(1);
    for (int I = 0; I < 64; ++I) Q.push_back(QC[ZigZag[I]]);
    Marker(B, 0xDB, Q);
    std::vector<uint8_t> F = {8};
    Put16BE(F, uint32_t(H));
    Put16BE(F, uint32_t(W));
    F.insert(F.end(), {3, 1, uint8_t(Sub ? 0x22 : 0x11), 0, 2, 0x11, 1, 3, 0x11, 1});
    Marker(B, 0xC0, F);
    std::vector<uint8_t> D;
    auto Table = [&](uint8_t Class, const uint8_t* Bits, const uint8_t* Values) {
        D.push_back(Class);
        int N = 0;
        for (int I = 0; I < 16; ++I) D.push_back(Bits[I]), N += Bits[I];
        D.insert(D.end(), Values, Values + N);
    };
    Table(0x00, DcLumBits, DcValues);
    Table(0x10, AcLumBits, AcLumValues);
    Table(0x01, DcChromBits, DcValues);
    Table(0x11, AcChromBits, AcChromValues);
    Marker(B, 0xC4, D);
    Marker(B, 0xDA, {3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0});

    const THuffman DcL(DcLumBits, DcValues), AcL(AcLumBits, AcLumValues), DcC(DcChromBits, DcValues),
        AcC(AcChromBits, AcChromValues);
    float DivL[64], DivC[64];
    for (int I = 0; I < 64; ++I) DivL[I] = QL[I], DivC[I] = QC[I];
    // Y, Cb and Cr of the flattened picture, edges repeated.
    auto Pixel = [&](int X, int Y) {
        const TRGBA C = Image.Get(std::min(X, W - 1), std::min(Y, H - 1));
        const float A = C.A;
        // Transparent parts over white.
        const float R = (C.R * A + (1 - A)) * 255, G = (C.G * A + (1 - A)) * 255, Bl = (C.B * A + (1 - A)) * 255;
        return std::array<float, 3>{0.299f * R + 0.587f * G + 0.114f * Bl,
                                    -0.168736f * R - 0.331264f * G + 0.5f * Bl + 128,
                                    0.5f * R - 0.418688f * G - 0.081312f * Bl + 128};
    };
    TBitWriter Bits(B);
    int PY = 0, PCb = 0, PCr = 0;
    const int M = Sub ? 16 : 8;
    float Block[64], Cb[64], Cr[64];
    for (int MY = 0; MY < H; MY += M)
        for (int MX = 0; MX < W; MX += M) {
            if (Sub) {
                float CbSum[256], CrSum[256];
                for (int BY = 0; BY < 2; ++BY)
                    for (int BX = 0; BX < 2; ++BX) {
                        for (int Y = 0; Y < 8; ++Y)
                            for (int X = 0; X < 8; ++X) {
                                const auto P = Pixel(MX + BX * 8 + X, MY + BY * 8 + Y);
                                Block[Y * 8 + X] = P[0] - 128;
                                CbSum[(BY * 8 + Y) * 16 + BX * 8 + X] = P[1];
                                CrSum[(BY * 8 + Y) * 16 + BX * 8 + X] = P[2];
                            }
                        EncodeBlock(Bits, Block, DivL, PY, DcL, AcL);
                    }
                for (int Y = 0; Y < 8; ++Y)
                    for (int X = 0; X < 8; ++X) {
                        auto Avg = [&](const float* S) {
                            const int I = Y * 2 * 16 + X * 2;
                            return (S[I] + S[I + 1] + S[I + 16] + S[I + 17]) / 4 - 128;
                        };
                        Cb[Y * 8 + X] = Avg(CbSum);
                        Cr[Y * 8 + X] = Avg(CrSum);
                    }
            } else {
                for (int Y = 0; Y < 8; ++Y)
                    for (int X = 0; X < 8; ++X) {
                        const auto P = Pixel(MX + X, MY + Y);
                        Block[Y * 8 + X] = P[0] - 128;
                        Cb[Y * 8 + X] = P[1] - 128;
                        Cr[Y * 8 + X] = P[2] - 128;
                    }
                EncodeBlock(Bits, Block, DivL, PY, DcL, AcL);
            }
            EncodeBlock(Bits, Cb, DivC, PCb, DcC, AcC);
            EncodeBlock(Bits, Cr, DivC, PCr, DcC, AcC);
        }
    Bits.Flush();
    B.push_back(0xFF);
    B.push_back(0xD9);
    return B;
}

// ---------------------------------------------------------------------------

std::vector<uint8_t> EncodePng(const TImage& Image, bool Alpha)
{
    const int W = Image.Width(), H = Image.Height(), Channels = Alpha ? 4 : 3;
    const size_t Stride = size_t(W) * Channels;
    std::vector<uint8_t> Raw, Prev(Stride), Cur(Stride), Best, Trial(Stride + 1);
    for (int Y = 0; Y < H; ++Y) {
        for (int X = 0; X < W; ++X) {
            const TRGBA C = Image.Get(X, Y);
            uint8_t* P = &Cur[size_t(X) * Channels];
            P[0] = ToByte(C.R), P[1] = ToByte(C.G), P[2] = ToByte(C.B);
            if (Alpha) P[3] = ToByte(C.A);
            if (Alpha && P[3] == 0) P[0] = P[1] = P[2] = 0;
        }
        // The filter whose bytes sum smallest as signed values.
        long BestSum = -1;
        for (int F = 0; F < 5; ++F) {
            Trial[0] = uint8_t(F);
            long Sum = 0;
            for (size_t I = 0; I < Stride; ++I) {
                const int A = I >= size_t(Channels) ? Cur[I - Channels] : 0, B = Prev[I],
                          C = I >= size_t(Channels) ? Prev[I - Channels] : 0;
                int Pred = 0;
                switch (F) {
                case 1: Pred = A; break;
                case 2: Pred = B; break;
                case 3: Pred = (A + B) / 2; break;
                case 4: {
                    const int P = A + B - C, PA = std::abs(P - A), PB = std::abs(P - B), PC = std::abs(P - C);
                    Pred = PA <= PB && PA <= PC ? A : PB <= PC ? B : C;
                    break;
                }
                }
                const uint8_t V = uint8_t(Cur[I] - Pred);
                Trial[I + 1] = V;
                Sum += V < 128 ? V : 256 - V;
            }
            if (BestSum < 0 || Sum < BestSum) BestSum = Sum, Best = Trial;
        }
        Raw.insert(Raw.end(), Best.begin(), Best.end());
        std::swap(Prev, Cur);
    }
    uLongf ZSize = compressBound(uLong(Raw.size()));
    std::vector<uint8_t> Z(ZSize);
    if (compress2(Z.data(), &ZSize, Raw.data(), uLong(Raw.size()), 9) != Z_OK) throw std::runtime_error("zlib");
    Z.resize(ZSize);

    std::vector<uint8_t> Out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto Chunk = [&](const char* Type, const std::vector<uint8_t>& Data) {
        Put32BE(Out, uint32_t(Data.size()));
        const size_t Start = Out.size();
        Out.insert(Out.end(), Type, Type + 4);
        Out.insert(Out.end(), Data.begin(), Data.end());
        Put32BE(Out, uint32_t(crc32(0, Out.data() + Start, uInt(Out.size() - Start))));
    };
    std::vector<uint8_t> Header;
    Put32BE(Header, uint32_t(W));
    Put32BE(Header, uint32_t(H));
    Header.insert(Header.end(), {8, uint8_t(Alpha ? 6 : 2), 0, 0, 0});
    Chunk("IHDR", Header);
    Chunk("IDAT", Z);
    Chunk("IEND", {});
    return Out;
}

std::vector<uint8_t> EncodeBmp24(const TImage& Image)
{
    const int W = Image.Width(), H = Image.Height();
    const uint32_t Stride = uint32_t((W * 3 + 3) & ~3);
    std::vector<uint8_t> B = {'B', 'M'};
    Put32(B, 54 + Stride * H);
    Put32(B, 0);
    Put32(B, 54);
    Put32(B, 40);
    Put32(B, uint32_t(W));
    Put32(B, uint32_t(H));
    Put16(B, 1);
    Put16(B, 24);
    Put32(B, 0);
    Put32(B, Stride * H);
    for (int I = 0; I < 4; ++I) Put32(B, 0);
    for (int Y = H - 1; Y >= 0; --Y) {
        for (int X = 0; X < W; ++X) {
            const TRGBA C = Image.Get(X, Y);
            const float A = C.A;
            B.push_back(ToByte(C.B * A + 1 - A));
            B.push_back(ToByte(C.G * A + 1 - A));
            B.push_back(ToByte(C.R * A + 1 - A));
        }
        for (uint32_t P = uint32_t(W) * 3; P < Stride; ++P) B.push_back(0);
    }
    return B;
}

std::vector<uint8_t> EncodeBitmap32(const TImage& Image)
{
    const int W = Image.Width(), H = Image.Height();
    std::vector<uint8_t> B = {'B', 'M'};
    Put32(B, uint32_t(54 + W * H * 4));
    Put32(B, 0);
    Put32(B, 54);
    Put32(B, 40);
    Put32(B, uint32_t(W));
    Put32(B, uint32_t(-H));  // top-down
    Put16(B, 1);
    Put16(B, 32);
    Put32(B, 0);
    Put32(B, uint32_t(W * H * 4));
    for (int I = 0; I < 4; ++I) Put32(B, 0);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const TRGBA C = Image.Get(X, Y);
            B.push_back(ToByte(C.B));
            B.push_back(ToByte(C.G));
            B.push_back(ToByte(C.R));
            B.push_back(ToByte(C.A));
        }
    return B;
}

}  // namespace Kit
