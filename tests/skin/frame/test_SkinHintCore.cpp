#include <gtest/gtest.h>

#include <vector>

#include "skin/frame/SkinHintCore.h"

namespace {

// A bottom-up 1-bit mask of Width x Height lines, Blank everywhere but the top
// line index Ink (0 = top), which holds one other byte. Several blocks may be
// stacked: Blocks[0] is the first in memory.
struct Block { Integer Lines; Byte Blank; Integer Ink; };
std::vector<Byte> Mask(Integer Width, std::initializer_list<Block> Blocks)
{
    const Integer LineBytes = (Width + 31) / 32 * 4;
    std::vector<Byte> Bits;
    for (const Block& B : Blocks) {
        std::vector<Byte> Part(static_cast<size_t>(B.Lines * LineBytes), B.Blank);
        if (B.Ink >= 0) Part[static_cast<size_t>((B.Lines - 1 - B.Ink) * LineBytes)] = static_cast<Byte>(~B.Blank & 0x0F);
        Bits.insert(Bits.end(), Part.begin(), Part.end());
    }
    return Bits;
}

}  // namespace

TEST(SkinHintCore, MarginBelowTheHotSpot)
{
    struct { const char* Name; std::vector<Byte> Bits; Integer W, H, HotY, Want; } Cases[] = {
        // Arrow: AND mask ends on line 19, hot spot at the top.
        {"and mask", Mask(32, {{32, 0xFF, 19}}), 32, 32, 0, 20},
        {"hot spot lower", Mask(32, {{32, 0xFF, 19}}), 32, 32, 4, 16},
        // AND over XOR, AND all transparent: the XOR part (first in memory) decides.
        {"xor part", Mask(32, {{32, 0x00, 9}, {32, 0xFF, -1}}), 32, 64, 0, 10},
        {"both blank", Mask(32, {{32, 0x00, -1}, {32, 0xFF, -1}}), 32, 64, 0, 0},
        // A mask shorter than wide: its own 8 lines are scanned, nothing past them.
        {"short mask", Mask(32, {{8, 0xFF, 5}}), 32, 8, 0, 6},
        // Stated taller than the bits held: the default.
        {"truncated", Mask(32, {{8, 0xFF, 5}}), 32, 32, 0, 21},
        {"empty", {}, 32, 32, 0, 21},
        {"no size", Mask(32, {{8, 0xFF, 5}}), 0, 8, 0, 21},
        // A 48-pixel-wide line takes 8 bytes.
        {"padded lines", Mask(48, {{48, 0xFF, 30}}), 48, 48, 2, 29},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(CursorMaskMargin(C.Bits.empty() ? nullptr : C.Bits.data(), C.Bits.size(), C.W, C.H, C.HotY, 21),
                  C.Want)
            << C.Name;
}
