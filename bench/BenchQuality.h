// Shared by the benchmarks that put quality beside speed: the hard test
// pattern, exact floating-point references of resizing, turning and blurring,
// the PSNR of an 8-bit result against a reference, and the cache flush that
// every side gets before each timed operation.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

// 0xAARRGGBB pixels, as the bitmaps and the peers' BGRA buffers hold them.
using TBenchPixels = std::vector<uint32_t>;

// Three bands of equal height, each a classic trap: a zone plate (rings whose
// frequency grows to the Nyquist limit at the corners), a one-pixel
// checkerboard of two colours and uniform noise. Opaque.
inline TBenchPixels MakeHardPattern(int W, int H, unsigned Seed = 1)
{
    TBenchPixels P(size_t(W) * H);
    std::mt19937 Rng(Seed);
    const double Km = M_PI / std::max(W, H);  // phase k r^2, frequency 2 k r: pi at the far corner
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            uint32_t C;
            const int Band = Y * 3 / H;
            if (Band == 0) {
                const double Dx = X - W / 2.0, Dy = Y - H / 6.0;
                const double V = 127.5 + 127.5 * std::cos(Km * (Dx * Dx + Dy * Dy));
                const uint32_t G = uint32_t(std::lround(V));
                C = G << 16 | (255 - G) << 8 | uint32_t(std::lround(V * 0.5 + 64));
            } else if (Band == 1) {
                C = ((X + Y) & 1) ? 0xF0E0D0 : 0x203040;
            } else {
                C = Rng() & 0xFFFFFF;
            }
            P[size_t(Y) * W + X] = 0xFF000000 | C;
        }
    return P;
}

// A picture as doubles: R, G, B of every pixel.
struct TFloatPicture {
    int W = 0, H = 0;
    std::vector<double> V;
    double& At(int X, int Y, int C) { return V[(size_t(Y) * W + X) * 3 + C]; }
    double At(int X, int Y, int C) const { return V[(size_t(Y) * W + X) * 3 + C]; }
};

inline TFloatPicture ToFloat(const TBenchPixels& P, int W, int H)
{
    TFloatPicture F{W, H, std::vector<double>(size_t(W) * H * 3)};
    for (size_t I = 0; I < P.size(); ++I)
        for (int C = 0; C < 3; ++C) F.V[I * 3 + C] = double((P[I] >> (16 - 8 * C)) & 0xFF);
    return F;
}

// PSNR in dB of the 8-bit RGB of Out (0xAARRGGBB, W x H) against Ref, over
// the pixels Inside says count (all when empty). 99 for identical.
inline double Psnr(const uint32_t* Out, const TFloatPicture& Ref, const std::function<bool(int, int)>& Inside = {})
{
    double Sum = 0;
    size_t N = 0;
    for (int Y = 0; Y < Ref.H; ++Y)
        for (int X = 0; X < Ref.W; ++X) {
            if (Inside && !Inside(X, Y)) continue;
            const uint32_t P = Out[size_t(Y) * Ref.W + X];
            for (int C = 0; C < 3; ++C) {
                const double D = double((P >> (16 - 8 * C)) & 0xFF) - std::clamp(Ref.At(X, Y, C), 0.0, 255.0);
                Sum += D * D;
            }
            N += 3;
        }
    if (N == 0) return 0;
    const double Mse = Sum / double(N);
    return Mse < 1e-10 ? 99 : 10 * std::log10(255.0 * 255.0 / Mse);
}

// One axis of a separable resampling: for each output position the source
// taps and weights, with the kernel stretched by the scale when shrinking
// (the area-correct convolution every peer performs); centres at i + 0.5.
// The box is the exact area average: each source pixel weighs by how much of
// it the destination pixel's footprint covers (no tap sits on an edge).
struct TAxisWeights {
    std::vector<int> First;
    std::vector<std::vector<double>> W;
};

inline TAxisWeights AxisWeights(int SrcLen, int DstLen, const std::function<double(double)>& Kernel, double Support)
{
    TAxisWeights A;
    const double Scale = double(SrcLen) / DstLen, Stretch = std::max(1.0, Scale);
    for (int I = 0; I < DstLen; ++I) {
        const double Centre = (I + 0.5) * Scale;
        const int Lo = int(std::floor(Centre - Support * Stretch)), Hi = int(std::ceil(Centre + Support * Stretch));
        std::vector<double> W;
        double Sum = 0;
        for (int J = Lo; J <= Hi; ++J) {
            const double Half = 0.5 * Stretch;
            const double Wj = Support == 0.5 ? std::max(0.0, std::min(J + 1.0, Centre + Half) - std::max(double(J), Centre - Half))
                                             : Kernel((J + 0.5 - Centre) / Stretch);
            W.push_back(Wj);
            Sum += Wj;
        }
        for (double& Wj : W) Wj /= Sum;
        A.First.push_back(Lo);
        A.W.push_back(std::move(W));
    }
    return A;
}

// The exact separable resampling (edges clamped; Support 0.5 is the box, as
// an area average), or, with Kernel empty, the
// nearest pixel to each destination centre.
inline TFloatPicture ResizeReference(const TFloatPicture& S, int DW, int DH, const std::function<double(double)>& Kernel,
                                     double Support)
{
    TFloatPicture D{DW, DH, std::vector<double>(size_t(DW) * DH * 3)};
    if (!Kernel) {
        for (int Y = 0; Y < DH; ++Y)
            for (int X = 0; X < DW; ++X)
                for (int C = 0; C < 3; ++C)
                    D.At(X, Y, C) = S.At(std::min(S.W - 1, int((X + 0.5) * S.W / DW)),
                                         std::min(S.H - 1, int((Y + 0.5) * S.H / DH)), C);
        return D;
    }
    const TAxisWeights Ax = AxisWeights(S.W, DW, Kernel, Support), Ay = AxisWeights(S.H, DH, Kernel, Support);
    TFloatPicture T{DW, S.H, std::vector<double>(size_t(DW) * S.H * 3)};
    for (int Y = 0; Y < S.H; ++Y)
        for (int X = 0; X < DW; ++X)
            for (int C = 0; C < 3; ++C) {
                double V = 0;
                for (size_t K = 0; K < Ax.W[X].size(); ++K)
                    V += Ax.W[X][K] * S.At(std::clamp(Ax.First[X] + int(K), 0, S.W - 1), Y, C);
                T.At(X, Y, C) = V;
            }
    for (int Y = 0; Y < DH; ++Y)
        for (int X = 0; X < DW; ++X)
            for (int C = 0; C < 3; ++C) {
                double V = 0;
                for (size_t K = 0; K < Ay.W[Y].size(); ++K)
                    V += Ay.W[Y][K] * T.At(X, std::clamp(Ay.First[Y] + int(K), 0, S.H - 1), C);
                D.At(X, Y, C) = V;
            }
    return D;
}

inline double TriangleKernel(double X) { return std::max(0.0, 1 - std::fabs(X)); }
inline double BoxKernel(double X) { return X >= -0.5 && X < 0.5 ? 1 : 0; }
inline double Lanczos3Kernel(double X)
{
    X = std::fabs(X);
    if (X < 1e-12) return 1;
    if (X >= 3) return 0;
    const double P = M_PI * X;
    return 3 * std::sin(P) * std::sin(P / 3) / (P * P);
}

// The bilinear sample of S at (X, Y) in pixel units with centres at
// integers, with WeightOf mapping the fraction toward the next pixel to that
// pixel's weight (identity for true bilinear); false outside.
inline bool BilinearAt(const TFloatPicture& S, double X, double Y, double* Out,
                       const std::function<double(double)>& WeightOf = {})
{
    const int X0 = int(std::floor(X)), Y0 = int(std::floor(Y));
    if (X0 < 0 || Y0 < 0 || X0 + 1 >= S.W || Y0 + 1 >= S.H) return false;
    double Fx = X - X0, Fy = Y - Y0;
    if (WeightOf) {
        Fx = WeightOf(Fx);
        Fy = WeightOf(Fy);
    }
    for (int C = 0; C < 3; ++C) {
        const double Top = S.At(X0, Y0, C) * (1 - Fx) + S.At(X0 + 1, Y0, C) * Fx;
        const double Bottom = S.At(X0, Y0 + 1, C) * (1 - Fx) + S.At(X0 + 1, Y0 + 1, C) * Fx;
        Out[C] = Top * (1 - Fy) + Bottom * Fy;
    }
    return true;
}

// The exact Gaussian blur of standard deviation Sigma (separable, kernel to
// 4 sigma, normalised; edges clamped).
inline TFloatPicture GaussianReference(const TFloatPicture& S, double Sigma)
{
    const int R = int(std::ceil(4 * Sigma));
    std::vector<double> K(size_t(2 * R + 1));
    double Sum = 0;
    for (int I = -R; I <= R; ++I) Sum += K[size_t(I + R)] = std::exp(-0.5 * I * I / (Sigma * Sigma));
    for (double& V : K) V /= Sum;
    TFloatPicture T = S, D = S;
    for (int Y = 0; Y < S.H; ++Y)
        for (int X = 0; X < S.W; ++X)
            for (int C = 0; C < 3; ++C) {
                double V = 0;
                for (int I = -R; I <= R; ++I) V += K[size_t(I + R)] * S.At(std::clamp(X + I, 0, S.W - 1), Y, C);
                T.At(X, Y, C) = V;
            }
    for (int Y = 0; Y < S.H; ++Y)
        for (int X = 0; X < S.W; ++X)
            for (int C = 0; C < 3; ++C) {
                double V = 0;
                for (int I = -R; I <= R; ++I) V += K[size_t(I + R)] * T.At(X, std::clamp(Y + I, 0, S.H - 1), C);
                D.At(X, Y, C) = V;
            }
    return D;
}

// Evicts the caches (a 64 MB buffer read and written) so that every timed
// operation, ours and the peers', starts from memory.
inline void FlushCaches()
{
    static std::vector<uint8_t> Junk(size_t(64) << 20, 1);
    for (size_t I = 0; I < Junk.size(); I += 64) Junk[I] = static_cast<uint8_t>(Junk[I] + 1);
}
