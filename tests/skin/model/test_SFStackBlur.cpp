#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "SkinTestEnv.h"
#include "skin/model/SFStackBlur.h"

namespace {

// The stack blur's law: per pass, output x = sum over i in -r..r of
// (r + 1 - |i|) * p[clamp(x + i)], divided by (r + 1)^2 and truncated;
// horizontal first, then vertical on the truncated result.
std::vector<TsfColor> TriangleBlur(const TsfBitmap& B, Integer R)
{
    const Integer W = B.Width(), H = B.Height();
    std::vector<Integer> Tmp(static_cast<size_t>(W) * H * 3);
    const Integer Div = (R + 1) * (R + 1);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x)
            for (Integer c = 0; c < 3; ++c) {
                Integer S = 0;
                for (Integer i = -R; i <= R; ++i)
                    S += (R + 1 - std::abs(i)) *
                         Integer((B.GetPixel(std::clamp(x + i, 0, W - 1), y) >> (8 * c)) & 0xFF);
                Tmp[(y * W + x) * 3 + c] = S / Div;
            }
    std::vector<TsfColor> Out(static_cast<size_t>(W) * H, 0xFF000000);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x)
            for (Integer c = 0; c < 3; ++c) {
                Integer S = 0;
                for (Integer i = -R; i <= R; ++i)
                    S += (R + 1 - std::abs(i)) * Tmp[(std::clamp(y + i, 0, H - 1) * W + x) * 3 + c];
                Out[y * W + x] |= static_cast<TsfColor>(S / Div) << (8 * c);
            }
    return Out;
}

TEST(SFStackBlur, FollowsTheTriangleLaw)
{
    std::mt19937 Rng(3);
    const struct {
        Integer W, H, R;
    } Cases[] = {{1, 1, 1}, {7, 5, 1}, {5, 9, 2}, {13, 4, 6}, {3, 3, 10}, {16, 16, 3}};
    for (const auto& C : Cases) {
        TsfBitmap B;
        B.SetSize(C.W, C.H);
        for (Integer i = 0; i < C.W * C.H; ++i) B.Bits()[i] = Rng();
        const std::vector<TsfColor> Want = TriangleBlur(B, C.R);
        StackBlur(&B, C.R);
        EXPECT_EQ(std::vector<TsfColor>(B.Bits(), B.Bits() + C.W * C.H), Want) << C.W << "x" << C.H << " r" << C.R;
    }
}

TEST(SFStackBlur, UniformColourStaysAndBecomesOpaque)
{
    for (Integer R : {1, 4, 40}) {
        TsfBitmap B;
        B.SetSize(9, 6);
        B.Clear(0x20A0B0C0);
        StackBlur(&B, R);
        for (Integer i = 0; i < 54; ++i) ASSERT_EQ(B.Bits()[i], 0xFFA0B0C0u) << R;
    }
    TsfBitmap One;
    One.SetSize(1, 1);
    One.Clear(0x00123456);
    StackBlur(&One, 1);
    EXPECT_EQ(One.GetPixel(0, 0), 0xFF123456u);
    StackBlur(&One, 0);  // nothing
    TsfBitmap Empty;
    StackBlur(&Empty, 3);
    StackBlur(nullptr, 3);
}

TEST(SFStackBlur, AlphaFromGreyMask)
{
    TsfBitmap B, Mask;
    B.SetSize(2, 2);
    B.Clear(0xFF804020);
    Mask.SetSize(2, 2);
    Mask.Clear(0x000A141F);  // (10 + 20 + 31) / 3 = 20.33
    Mask.SetPixel(1, 1, 0x00FFFFFF);
    SetAlphaFromGrayMask(&B, &Mask);
    EXPECT_EQ(B.GetPixel(0, 0), 0x14804020u);
    EXPECT_EQ(B.GetPixel(1, 1), 0xFF804020u);

    // The second form premultiplies: 20 * 0x80 / 255 = 10.04, 20 * 0x40 / 255 = 5.02, 20 * 0x20 / 255 = 2.51.
    B.Clear(0xFF804020);
    SetAlphaFromGrayMask2(&B, &Mask);
    EXPECT_EQ(B.GetPixel(0, 0), 0x140A0503u);
    EXPECT_EQ(B.GetPixel(1, 1), 0xFF804020u);
}

TEST(SFStackBlur, UndersizedMaskChangesOnlyWhatItCovers)
{
    TsfBitmap B, Mask;
    B.SetSize(4, 3);
    B.Clear(0xFF000000);
    Mask.SetSize(2, 5);
    Mask.Clear(0x00303030);
    SetAlphaFromGrayMask(&B, &Mask);
    EXPECT_EQ(B.GetPixel(1, 2), 0x30000000u);
    EXPECT_EQ(B.GetPixel(2, 0), 0xFF000000u);
    TsfBitmap Empty;
    SetAlphaFromGrayMask(&B, &Empty);
    SetAlphaFromGrayMask(&Empty, &Mask);
}

// ---------------------------------------------------------------------------
// PCX

struct TPcx {
    uint8_t Manufacturer = 10, Version = 5, Encoding = 1;
    uint16_t XMin = 0, YMin = 0, XMax = 2, YMax = 1;
    uint8_t Planes = 1;
    uint16_t BytesPerLine = 4;
    std::vector<uint8_t> Data;
    bool Palette = true;

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> H(128, 0);
        H[0] = Manufacturer;
        H[1] = Version;
        H[2] = Encoding;
        H[3] = 8;
        auto Put = [&](size_t At, uint16_t V) {
            H[At] = V & 0xFF;
            H[At + 1] = V >> 8;
        };
        Put(4, XMin);
        Put(6, YMin);
        Put(8, XMax);
        Put(10, YMax);
        H[65] = Planes;
        Put(66, BytesPerLine);
        for (uint8_t B : Data) H.push_back(B);
        if (Palette) {
            H.push_back(12);
            for (int i = 0; i < 256; ++i) {
                H.push_back(static_cast<uint8_t>(i));
                H.push_back(static_cast<uint8_t>(255 - i));
                H.push_back(0x11);
            }
        }
        return H;
    }
};

std::vector<TsfColor> LoadPcx(const std::vector<uint8_t>& Bytes, TsfBitmap& B)
{
    TMemoryStream M;
    if (!Bytes.empty()) M.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
    M.SetPosition(0);
    B.LoadFromPcxStream(&M);
    return std::vector<TsfColor>(B.Bits(), B.Bits() + B.Width() * B.Height());
}

TEST(SFBitmapPcx, RunLengthAndRawPictures)
{
    TPcx P;
    // Row 0: 1, 2, 2 (+ pad); row 1: three 7s (+ pad).
    P.Data = {1, 0xC2, 2, 0, 0xC3, 7, 0};
    TsfBitmap B;
    EXPECT_EQ(LoadPcx(P.Bytes(), B), (std::vector<TsfColor>{0xFF01FE11, 0xFF02FD11, 0xFF02FD11, 0xFF07F811,
                                                             0xFF07F811, 0xFF07F811}));
    EXPECT_EQ(B.Width(), 3);
    P.Encoding = 0;
    P.Data = {1, 2, 3, 0, 4, 5, 6, 0};
    EXPECT_EQ(LoadPcx(P.Bytes(), B)[5], 0xFF06F911u);
    // Version 3: the 16 system colours, no palette at the end.
    P.Version = 3;
    P.Palette = false;
    P.Data = {0, 9, 15, 0, 12, 1, 20, 0};
    EXPECT_EQ(LoadPcx(P.Bytes(), B), (std::vector<TsfColor>{0xFF000000, 0xFFFF0000, 0xFFFFFFFF, 0xFF0000FF,
                                                             0xFF800000, 0xFF000000}));
}

TEST(SFBitmapPcx, WhatCannotBeReadLeavesTheBitmap)
{
    struct {
        const char* What;
        void (*Damage)(TPcx&);
    } const Cases[] = {
        {"first byte 0", [](TPcx& P) { P.Manufacturer = 0; }},
        // (the data runs to the end of the stream, the palette included: leave it out)
        {"raw data too short", [](TPcx& P) { P.Encoding = 0; P.Version = 3; P.Palette = false; P.Data = {1, 2, 3}; }},
        {"no palette", [](TPcx& P) { P.Palette = false; P.Data.clear(); }},
        {"line shorter than the width", [](TPcx& P) { P.BytesPerLine = 2; }},
        {"no planes", [](TPcx& P) { P.Planes = 0; }},
        {"max below min", [](TPcx& P) { P.XMin = 5; }},
        {"huge picture from a few bytes", [](TPcx& P) { P.XMax = P.YMax = 0xFFFE; P.BytesPerLine = 0xFFFF; }},
    };
    for (const auto& C : Cases) {
        TPcx P;
        P.Data = {1, 0xC2, 2, 0, 0xC3, 7, 0};
        C.Damage(P);
        TsfBitmap B;
        B.SetSize(1, 1);
        B.Clear(0x42);
        const std::vector<TsfColor> Got = LoadPcx(P.Bytes(), B);
        EXPECT_EQ(Got, std::vector<TsfColor>{0x42}) << C.What;
    }
    TsfBitmap B;
    EXPECT_TRUE(LoadPcx({10, 5}, B).empty());  // shorter than the header
}

TEST(SFBitmapPcx, ShortRunLengthDataLeavesTheRestBlack)
{
    TPcx P;
    P.Data = {0xC2, 5};  // only two pixels of data
    TsfBitmap B;
    const std::vector<TsfColor> Got = LoadPcx(P.Bytes(), B);
    ASSERT_EQ(Got.size(), 6u);
    EXPECT_EQ(Got[1], 0xFF05FA11u);
    // The decoder reads on into the palette as the format has no end mark; what
    // it reads is bounded by the stream.
    EXPECT_EQ(B.Height(), 2);
}

}  // namespace
