// The pixel work of the image lists.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/ImgListPixels.h"

using namespace imglist;

namespace {

TEST(ImgListPixels, PremultiplyAndBackAgreeWithinRoundingForEveryAlpha)
{
    // Every colour byte at every alpha: the round trip may lose what the
    // premultiplied form cannot hold, never more than half a step of 255/A.
    for (uint32_t a = 1; a < 256; ++a)
        for (uint32_t c = 0; c < 256; ++c) {
            uint32_t p = (a << 24) | (c << 16) | (c << 8) | c;
            Premultiply(&p, 1);
            uint32_t pm = p & 0xFF;
            EXPECT_LE(pm, a);
            Unpremultiply(&p, 1);
            int back = static_cast<int>(p & 0xFF);
            EXPECT_EQ(p >> 24, a);
            EXPECT_LE(std::abs(back - static_cast<int>(c)), static_cast<int>((255 + a) / (2 * a)) + 1)
                << "alpha " << a << " colour " << c;
        }
}

TEST(ImgListPixels, TableOfPixelOperations)
{
    struct Case {
        const char* Name;
        void (*Op)(uint32_t*, size_t);
        uint32_t In, Out;
    } cases[] = {
        {"opaque stays", Premultiply, 0xFF123456, 0xFF123456},
        {"half alpha halves colours", Premultiply, 0x80FF8000, 0x80804000},
        {"zero alpha clears colours", Premultiply, 0x00FFFFFF, 0x00000000},
        {"unpremultiply zero alpha", Unpremultiply, 0x00102030, 0x00000000},
        {"unpremultiply half", Unpremultiply, 0x80804000, 0x80FF8000},
        // Colours above alpha are not valid premultiplied: they saturate.
        {"unpremultiply clamps", Unpremultiply, 0x10FFFFFF, 0x10FFFFFF},
        {"opaque", MakeOpaque, 0x00ABCDEF, 0xFFABCDEF},
        {"disabled white", DisabledLook, 0xFFFFFFFF, 0x80FFFFFF},
        {"disabled red", DisabledLook, 0xFFFF0000, 0x804D4D4D},
        {"disabled keeps transparency", DisabledLook, 0x00000000, 0x00000000},
    };
    for (const Case& c : cases) {
        uint32_t p = c.In;
        c.Op(&p, 1);
        EXPECT_EQ(p, c.Out) << c.Name;
    }
}

TEST(ImgListPixels, MaskByColorClearsOnlyThatColourAndIgnoresItsAlphaByte)
{
    std::vector<uint32_t> px = {0xFFFF00FF, 0x00FF00FF, 0xFF00FF00, 0x80FF00FE};
    MaskByColor(px.data(), px.size(), 0xFFFF00FF);  // the high byte of the key is not colour
    EXPECT_EQ(px, (std::vector<uint32_t>{0, 0, 0xFF00FF00, 0x80FF00FE}));
}

TEST(ImgListPixels, HasAlphaLooksForAnyNonZeroAlpha)
{
    std::vector<uint32_t> none = {0x00FFFFFF, 0x00000000};
    std::vector<uint32_t> some = {0x00FFFFFF, 0x01000000};
    EXPECT_FALSE(HasAlpha(none.data(), none.size()));
    EXPECT_TRUE(HasAlpha(some.data(), some.size()));
    EXPECT_FALSE(HasAlpha(nullptr, 0));
}

}  // namespace
