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

TEST(SkinHintGeometry, SkinMarginsAndCornerGuards)
{
    // A 40 x 30 picture with a client rectangle (5, 4)-(35, 26) and corners at 10 from each edge.
    const TPoint LT{10, 10}, RT{30, 10}, LB{10, 20}, RB{30, 20};
    const TRect Cl{5, 4, 35, 26};
    // Room enough: the margins (5 + 5 across, 4 + 4 down) around the content.
    TsfHintGeometry G = SkinHintGeometry(100, 40, 40, 30, LT, RT, LB, RB, Cl);
    EXPECT_EQ(G.Width, 110);
    EXPECT_EQ(G.Height, 48);
    EXPECT_EQ(G.NewClRect, (TRect{5, 4, 105, 44}));
    EXPECT_EQ(G.NewRTPoint, (TPoint{100, 10}));
    EXPECT_EQ(G.NewLBPoint, (TPoint{10, 38}));
    EXPECT_EQ(G.NewRBPoint, (TPoint{100, 38}));
    // A small text would pull the right corners left of the left ones: the hint grows instead.
    G = SkinHintGeometry(4, 2, 40, 30, LT, RT, LB, RB, Cl);
    EXPECT_EQ(G.Width, 20);
    EXPECT_EQ(G.Height, 20);
    EXPECT_EQ(G.NewRTPoint.X, G.NewLTPoint.X);
    EXPECT_EQ(G.NewLBPoint.Y, G.NewLTPoint.Y);
}

TEST(SkinHintGeometry, TitleAndImageMakeRoom)
{
    struct { bool Title, Image; Integer W, H; } Cases[] = {
        {false, false, 50, 14}, {true, false, 70, 14 + 16 + 10}, {false, true, 50 + 16 + 10, 21},
        {true, true, 70 + 16 + 10, 14 + 16 + 10},
    };
    for (const auto& K : Cases) {
        Integer W = 0, H = 0;
        HintContentSizeEx(50, 14, K.Title, 70, 16, K.Image, 16, 16, W, H);
        EXPECT_EQ(W, K.W) << K.Title << K.Image;
        EXPECT_EQ(H, K.H) << K.Title << K.Image;
    }
}

TEST(SkinHintGeometry, PlacesKeepTheHintOnTheScreenOnce)
{
    const TRect Screen{0, 0, 800, 600};
    struct { TRect Anchor; bool FromRect, Top; TRect Want; } Cases[] = {
        {{100, 100, 100, 100}, false, false, {100, 100, 160, 120}},
        {{780, 590, 780, 590}, false, false, {718, 568, 778, 588}},      // moved left and up by size + 2
        {{100, 100, 200, 130}, true, true, {120, 80, 180, 100}},          // bottom edge on the rectangle's top
        {{100, 100, 200, 130}, true, false, {120, 130, 180, 150}},
    };
    for (const auto& K : Cases) EXPECT_EQ(HintPlace(K.Anchor, 60, 20, K.FromRect, K.Top, Screen), K.Want);
    EXPECT_EQ(ConvertLineSeparators(u"one@two@@", u"@"), u"one\r\ntwo\r\n\r\n");
    EXPECT_EQ(ConvertLineSeparators(u"a<br>b", u"<br>"), u"a\r\nb");
    EXPECT_EQ(HintFadeStep(200), 20);
    EXPECT_EQ(HintFadeStep(9), 1);
}
