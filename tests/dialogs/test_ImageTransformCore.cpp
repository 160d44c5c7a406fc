// The perspective dialog's handle square: corner texts, the built-in shapes,
// where a dragged corner goes, the handle under the pointer, the percentage
// while dragging and the fractions handed to the document.
#include <gtest/gtest.h>

#include "dialogs/ImageTransformCore.h"

using namespace TransformHandles;

namespace {
TCorners Corners(const char16_t* Text) { return ParseCorners(Text); }
}  // namespace

TEST(TransformHandles, CornerTextsRoundTripAndBadTextsGiveTheSquare)
{
    EXPECT_EQ(FormatCorners(HomeCorners()), u"8.140.140.8.8.8.140.140");
    for (Integer Item = 0; Item < 7; ++Item) EXPECT_EQ(FormatCorners(Corners(BuiltInShape(Item))), BuiltInShape(Item));
    const TCorners C = Corners(BuiltInShape(0));
    EXPECT_EQ(C[0].X, 64);
    EXPECT_EQ(C[0].Y, 8);
    EXPECT_EQ(C[3].Y, 82);
    for (const char16_t* Bad : {u"", u"8.140.140.8.8.8.140", u"8.140.140.8.8.8.140.140.9", u"a.140.140.8.8.8.140.140",
                                u"8.140.140.8.8.8.140.141", u"20.140.140.8.20.8.140.140" /* off its edges */,
                                u"8.12.140.8.8.8.140.140" /* neighbours 4 apart */})
        EXPECT_EQ(FormatCorners(ParseCorners(Bad)), u"8.140.140.8.8.8.140.140") << std::string(Bad, Bad + 0);
    EXPECT_EQ(CellOfItem(-1), 32);
    EXPECT_EQ(CellOfItem(7), 33);
    EXPECT_EQ(CellOfItem(8), 34);
    EXPECT_EQ(CellOfItem(3), -1);
}

TEST(TransformHandles, ADraggedCornerKeepsToItsEdgesAndItsNeighbours)
{
    const TCorners Home = HomeCorners();
    const struct {
        Integer Index;
        const char16_t* From;  // corners when the press came
        Integer DX, DY;
        TPoint Expected;
    } Cases[] = {
        // From the very corner: an equal move follows the side edge, a wider one the top.
        {0, nullptr, 10, 10, {8, 18}},
        {0, nullptr, 11, 10, {19, 8}},
        {0, nullptr, -5, -9, {8, 8}},
        // Along the top: stops 7 before the top-right corner; pulling down is ignored.
        {0, nullptr, 500, 0, {133, 8}},
        {0, u"41.107.140.8.8.8.140.140", 0, 50, {41, 8}},
        {0, u"41.107.140.8.8.8.140.140", 100, 0, {100, 8}},
        // On the left edge: stays there, stops 7 above the bottom-left.
        {0, u"8.140.140.8.41.8.140.140", 30, 500, {8, 133}},
        {1, nullptr, -10, 10, {140, 18}},
        {1, nullptr, -11, 10, {129, 8}},
        {1, nullptr, -500, 0, {15, 8}},
        {2, nullptr, -10, -10, {140, 130}},
        {2, nullptr, -11, -10, {129, 140}},
        {2, u"8.140.107.8.8.8.140.140", 0, -60, {107, 140}},
        {3, nullptr, 10, -10, {8, 130}},
        {3, nullptr, 11, -10, {19, 140}},
        {3, nullptr, 0, -500, {8, 15}},
    };
    for (const auto& c : Cases) {
        const TCorners Now = c.From ? ParseCorners(c.From) : Home;
        const TPoint P = DragCorner(Now, Now[size_t(c.Index)], c.Index, c.DX, c.DY);
        EXPECT_EQ(P.X, c.Expected.X) << c.Index << " by " << c.DX << "," << c.DY;
        EXPECT_EQ(P.Y, c.Expected.Y) << c.Index << " by " << c.DX << "," << c.DY;
    }
}

TEST(TransformHandles, HandlesUnderThePointerAndThePercentage)
{
    const TCorners Home = HomeCorners();
    EXPECT_EQ(HandleAt(Home, 5, 5), 0);
    EXPECT_EQ(HandleAt(Home, 10, 10), 0);
    EXPECT_EQ(HandleAt(Home, 11, 11), -1);  // the rectangle's right and bottom are outside
    EXPECT_EQ(HandleAt(Home, 139, 7), 1);
    EXPECT_EQ(HandleAt(Home, 140, 140), 2);
    EXPECT_EQ(HandleAt(Home, 8, 142), 3);
    EXPECT_EQ(HandleAt(Home, 70, 70), -1);

    const struct {
        const char16_t* Corners;
        Integer Index;
        const char16_t* Text;
    } Texts[] = {
        {u"8.140.140.8.8.8.140.140", 0, u"0%"},
        {u"41.140.140.8.8.8.140.140", 0, u"25%"},   // 33 / 133
        {u"8.140.140.8.74.8.140.140", 0, u"50%"},   // 66 / 133 = 49.6
        {u"8.140.140.8.8.8.140.140", 1, u"0%"},     // on the right edge: 8 - 8
        {u"8.140.140.8.8.8.140.140", 2, u"100%"},   // 140 - 7
        {u"8.140.140.8.8.74.140.140", 1, u"50%"},
        {u"8.140.73.8.8.8.140.140", 2, u"50%"},     // (73 - 7) / 133
        {u"8.140.140.8.8.8.140.140", 3, u"100%"},
        {u"8.140.140.74.8.8.140.140", 3, u"50%"},
    };
    for (const auto& t : Texts) EXPECT_EQ(EdgePercentText(ParseCorners(t.Corners), t.Index), t.Text);
}

TEST(TransformHandles, TheSquareAtHomeGivesExactlyTheWholePicture)
{
    const TFractions F = Fractions(HomeCorners());
    const Single X[4] = {0, 1, 1, 0}, Y[4] = {0, 0, 1, 1};
    for (Integer i = 0; i < 4; ++i) {
        EXPECT_EQ(F.X[i], X[i]) << i;
        EXPECT_EQ(F.Y[i], Y[i]) << i;
    }
    const TFractions G = Fractions(ParseCorners(BuiltInShape(4)));  // top shortened to 41 .. 107
    EXPECT_FLOAT_EQ(G.X[0], 33.0f / 133);
    EXPECT_FLOAT_EQ(G.X[1], 100.0f / 133);
}
