// Helpers of the filter tests: bitmaps from pixel lists, random pictures,
// and the processor variant sets to compare.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Bindings.h"

inline std::unique_ptr<TCustomBitmap32> MakeBitmap(Integer W, Integer H, TColor32 Fill = 0xFF000000)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    for (Integer I = 0; I < W * H; ++I) B->Bits()[I] = Fill;
    return B;
}

inline std::unique_ptr<TCustomBitmap32> MakeBitmap(Integer W, Integer H, const std::vector<TColor32>& Pixels)
{
    auto B = MakeBitmap(W, H);
    for (Integer I = 0; I < W * H; ++I) B->Bits()[I] = Pixels[static_cast<size_t>(I)];
    return B;
}

// Random pixels; Smooth makes neighbouring pixels alike, as in photos.
inline std::unique_ptr<TCustomBitmap32> RandomBitmap(Integer W, Integer H, uint32_t Seed, bool Smooth = false)
{
    auto B = MakeBitmap(W, H);
    std::mt19937 Rng(Seed);
    for (Integer I = 0; I < W * H; ++I) {
        TColor32 C = Rng();
        if (Smooth && I > 0) C = (B->Bits()[I - 1] & 0xF0F0F0F0) | (C & 0x0F0F0F0F);
        B->Bits()[I] = C;
    }
    return B;
}

inline std::vector<TColor32> PixelsOf(const TCustomBitmap32* B)
{
    return std::vector<TColor32>(B->Bits(), B->Bits() + static_cast<size_t>(B->Width()) * B->Height());
}

inline std::unique_ptr<TCustomBitmap32> CloneBitmap(const TCustomBitmap32* B)
{
    return MakeBitmap(B->Width(), B->Height(), PixelsOf(B));
}

struct TVariantSet {
    const char* Name;
    TCPUFeatures Features;
};

// The reference and every SIMD set the processor can run.
inline std::vector<TVariantSet> RunnableVariantSets()
{
    std::vector<TVariantSet> Sets{{"reference", NoCpuFeatures}};
    if (CpuSupports(ciSSE2)) Sets.push_back({"SSE2", CpuFeature(ciSSE2)});
    if (CpuSupports(ciSSE2) && CpuSupports(ciAVX2)) Sets.push_back({"AVX2", CpuFeature(ciSSE2) | CpuFeature(ciAVX2)});
    return Sets;
}

// Restores the processor's own binding after a test that switched it.
class VariantTest : public testing::Test {
protected:
    void TearDown() override { BindForProcessor(); }
};
