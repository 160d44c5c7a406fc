#include "framework/graphics/ColorQuantizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// A smooth, photo-like picture: gradients in three directions plus a ripple.
std::vector<uint32_t> Photo(int W, int H)
{
    std::vector<uint32_t> px(static_cast<size_t>(W) * H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            uint32_t r = static_cast<uint32_t>(255 * x / (W - 1));
            uint32_t g = static_cast<uint32_t>(255 * y / (H - 1));
            uint32_t b = static_cast<uint32_t>(127 + 127 * std::sin((x + y) / 9.0));
            px[static_cast<size_t>(y) * W + x] = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
    return px;
}

double MeanChannelError(const std::vector<uint32_t>& Px, const std::vector<uint32_t>& Palette,
                        const std::vector<uint8_t>& Idx)
{
    double sum = 0;
    for (size_t i = 0; i < Px.size(); ++i)
        for (int k = 0; k < 24; k += 8)
            sum += std::abs(static_cast<int>((Px[i] >> k) & 0xFF) - static_cast<int>((Palette[Idx[i]] >> k) & 0xFF));
    return sum / (3.0 * Px.size());
}

}  // namespace

TEST(ColorQuantizer, FewColorsAreKeptExactly)
{
    std::vector<uint32_t> px = {0xFF102030, 0x00102030, 0xFFFFFFFF, 0xFF000000, 0xFF102030};
    std::vector<uint32_t> pal = QuantizePalette(px.data(), px.size(), 16);
    EXPECT_EQ(pal, (std::vector<uint32_t>{0x000000, 0x102030, 0xFFFFFF}));  // alpha ignored, sorted
    std::vector<uint8_t> idx(px.size());
    for (bool dither : {false, true}) {
        MapToPalette(px.data(), 5, 1, pal, dither, idx.data());
        EXPECT_EQ(idx, (std::vector<uint8_t>{1, 1, 2, 0, 1}));
    }
}

TEST(ColorQuantizer, PhotoFitsThePaletteSizeAndLooksRight)
{
    const int W = 120, H = 90;
    std::vector<uint32_t> px = Photo(W, H);
    for (Integer maxColors : {256, 16, 2}) {
        std::vector<uint32_t> pal = QuantizePalette(px.data(), px.size(), maxColors);
        EXPECT_LE(pal.size(), static_cast<size_t>(maxColors));
        EXPECT_EQ(std::set<uint32_t>(pal.begin(), pal.end()).size(), pal.size()) << "distinct entries";
        std::vector<uint8_t> idx(px.size());
        MapToPalette(px.data(), W, H, pal, false, idx.data());
        double plain = MeanChannelError(px, pal, idx);
        if (maxColors == 256) {
            // Well below a uniform palette of the same size (8 x 8 x 4 levels).
            std::vector<uint32_t> uniform;
            for (uint32_t r = 0; r < 8; ++r)
                for (uint32_t g = 0; g < 8; ++g)
                    for (uint32_t b = 0; b < 4; ++b) uniform.push_back((r * 255 / 7) << 16 | (g * 255 / 7) << 8 | b * 85);
            std::vector<uint8_t> uidx(px.size());
            MapToPalette(px.data(), W, H, uniform, false, uidx.data());
            EXPECT_LT(plain, 0.7 * MeanChannelError(px, uniform, uidx));
            EXPECT_LT(plain, 8.0);
        }

        // Dithering keeps the average colour of an area close to the original.
        MapToPalette(px.data(), W, H, pal, true, idx.data());
        for (int k = 0; k < 24; k += 8) {
            double a = 0, b = 0;
            for (size_t i = 0; i < px.size(); ++i) {
                a += (px[i] >> k) & 0xFF;
                b += (pal[idx[i]] >> k) & 0xFF;
            }
            EXPECT_NEAR(a / px.size(), b / px.size(), 2.0) << "channel shift " << k << " colours " << maxColors;
        }
    }
}

TEST(ColorQuantizer, EdgeCases)
{
    EXPECT_TRUE(QuantizePalette(nullptr, 0, 256).empty());
    uint32_t one = 0xFF123456;
    EXPECT_EQ(QuantizePalette(&one, 1, 0), (std::vector<uint32_t>{0x123456}));  // at least one colour
    uint8_t idx = 9;
    MapToPalette(&one, 1, 1, {0xFFFFFF, 0x123450}, true, &idx);
    EXPECT_EQ(idx, 1);
}
