#include "framework/graphics/PngEncoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

uint32_t Get32(const uint8_t* P) { return uint32_t(P[0]) << 24 | uint32_t(P[1]) << 16 | uint32_t(P[2]) << 8 | P[3]; }

// A picture whose rows favour each filter somewhere: flat runs, gradients,
// noise and a repeated row.
std::vector<uint8_t> MakeSamples(Integer W, Integer H, Integer Bpp, unsigned Seed)
{
    std::vector<uint8_t> P(size_t(W) * H * Bpp);
    std::mt19937 Rng(Seed);
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X)
            for (Integer C = 0; C < Bpp; ++C) {
                uint8_t& V = P[(size_t(Y) * W + X) * Bpp + C];
                switch ((Y / 7) % 4) {
                    case 0: V = static_cast<uint8_t>(X * 3 + C * 40); break;
                    case 1: V = static_cast<uint8_t>(Rng()); break;
                    case 2: V = static_cast<uint8_t>((X + Y) * (C + 1)); break;
                    default: V = static_cast<uint8_t>(Y * 11 + C); break;
                }
            }
    return P;
}

// What a reader does: the chunks checked, the IDAT data inflated as one zlib
// stream (which checks the Adler-32) and the rows unfiltered.
struct TDecodedPng {
    Integer Width = 0, Height = 0, ColorType = -1, Idats = 0;
    std::vector<uint8_t> Samples;
};

uint8_t Paeth(int A, int B, int C)
{
    const int P = A + B - C, PA = std::abs(P - A), PB = std::abs(P - B), PC = std::abs(P - C);
    return static_cast<uint8_t>(PA <= PB && PA <= PC ? A : PB <= PC ? B : C);
}

TDecodedPng Decode(const std::vector<uint8_t>& File)
{
    TDecodedPng D;
    static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(0, std::memcmp(File.data(), Signature, 8));
    std::vector<uint8_t> Zlib;
    size_t At = 8;
    std::string Order;
    while (At + 12 <= File.size()) {
        const uint32_t Length = Get32(&File[At]);
        const std::string Type(reinterpret_cast<const char*>(&File[At + 4]), 4);
        EXPECT_LE(At + 12 + Length, File.size());
        EXPECT_EQ(crc32(0, &File[At + 4], Length + 4), Get32(&File[At + 8 + Length])) << Type;
        const uint8_t* Data = &File[At + 8];
        if (Type == "IHDR") {
            D.Width = static_cast<Integer>(Get32(Data));
            D.Height = static_cast<Integer>(Get32(Data + 4));
            EXPECT_EQ(8, Data[8]);
            D.ColorType = Data[9];
            EXPECT_EQ(0, Data[10] | Data[11] | Data[12]);
        } else if (Type == "IDAT") {
            Zlib.insert(Zlib.end(), Data, Data + Length);
            ++D.Idats;
        }
        if (Order.empty() || Order.back() != Type[1]) Order += Type[1];  // H, D, E
        At += 12 + Length;
    }
    EXPECT_EQ(File.size(), At);
    EXPECT_EQ("HDE", Order);
    const Integer Bpp = D.ColorType == 6 ? 4 : 3;
    const size_t RowBytes = size_t(D.Width) * Bpp;
    std::vector<uint8_t> Filtered(size_t(D.Height) * (RowBytes + 1) + 1);
    uLongf Size = static_cast<uLongf>(Filtered.size());
    EXPECT_EQ(Z_OK, uncompress(Filtered.data(), &Size, Zlib.data(), static_cast<uLong>(Zlib.size())));
    EXPECT_EQ(Filtered.size() - 1, Size);
    D.Samples.assign(size_t(D.Height) * RowBytes, 0);
    for (Integer Y = 0; Y < D.Height; ++Y) {
        const uint8_t* F = &Filtered[size_t(Y) * (RowBytes + 1)];
        EXPECT_LE(F[0], 4);
        uint8_t* Row = &D.Samples[size_t(Y) * RowBytes];
        const uint8_t* Up = Y ? Row - RowBytes : nullptr;
        for (size_t I = 0; I < RowBytes; ++I) {
            const int A = I >= size_t(Bpp) ? Row[I - Bpp] : 0, B = Up ? Up[I] : 0,
                      C = Up && I >= size_t(Bpp) ? Up[I - Bpp] : 0;
            const int Pred = F[0] == 0 ? 0 : F[0] == 1 ? A : F[0] == 2 ? B : F[0] == 3 ? (A + B) / 2 : Paeth(A, B, C);
            Row[I] = static_cast<uint8_t>(F[1 + I] + Pred);
        }
    }
    return D;
}

std::vector<uint8_t> Encode(const std::vector<uint8_t>& Samples, Integer W, Integer H, bool Alpha, Integer Level,
                            Integer Threads)
{
    const size_t RowBytes = size_t(W) * (Alpha ? 4 : 3);
    return EncodePng(
        W, H, Alpha, [&](Integer Y, uint8_t* Out) { std::memcpy(Out, &Samples[size_t(Y) * RowBytes], RowBytes); },
        Level, Threads);
}

// Small pictures are one slice; the large ones are cut into several, whose
// deflate streams are joined into the one zlib stream.
TEST(PngEncoder, DecodesToTheSamplesInEveryColourTypeAndSize)
{
    struct TCase {
        Integer W, H;
        bool Alpha;
        Integer Level;
        Integer MinIdats;
    } const Cases[] = {
        {1, 1, false, PngDefaultLevel, 1},    {1, 1, true, PngFastestLevel, 1},
        {37, 11, true, PngDefaultLevel, 1},   {37, 11, false, PngMaxLevel, 1},
        {900, 800, false, PngDefaultLevel, 2}, {700, 800, true, PngFastestLevel, 2},
        {700, 800, true, PngMaxLevel, 2},     {3, 300000, false, PngDefaultLevel, 2},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(std::to_string(C.W) + "x" + std::to_string(C.H) + (C.Alpha ? " RGBA" : " RGB"));
        const std::vector<uint8_t> Samples = MakeSamples(C.W, C.H, C.Alpha ? 4 : 3, unsigned(C.W + C.H));
        const TDecodedPng D = Decode(Encode(Samples, C.W, C.H, C.Alpha, C.Level, 0));
        EXPECT_EQ(C.W, D.Width);
        EXPECT_EQ(C.H, D.Height);
        EXPECT_EQ(C.Alpha ? 6 : 2, D.ColorType);
        EXPECT_GE(D.Idats, C.MinIdats);
        EXPECT_TRUE(D.Samples == Samples);
    }
}

TEST(PngEncoder, TheBytesDoNotDependOnTheThreads)
{
    const std::vector<uint8_t> Samples = MakeSamples(700, 800, 4, 5);
    const std::vector<uint8_t> One = Encode(Samples, 700, 800, true, PngDefaultLevel, 1);
    EXPECT_TRUE(One == Encode(Samples, 700, 800, true, PngDefaultLevel, 3));
    EXPECT_TRUE(One == Encode(Samples, 700, 800, true, PngDefaultLevel, 0));
}

TEST(PngEncoder, RefusesAnEmptyPicture)
{
    const TPngRowReader Nothing = [](Integer, uint8_t*) {};
    EXPECT_THROW(EncodePng(0, 5, false, Nothing), Exception);
    EXPECT_THROW(EncodePng(5, -1, true, Nothing), Exception);
}

}  // namespace
