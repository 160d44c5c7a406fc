// The banded region: combinations against a pixel grid, the banded form's
// rules, polygons by the winding rule, pixel runs, scaling, and the region
// text (written without a trailing dot, read with or without one, damaged
// texts refused).
#include <gtest/gtest.h>

#include <random>

#include "document/ImageRegion.h"
#include "framework/runtime/Maths.h"
#include "framework/runtime/SysUtils.h"

namespace {

constexpr Integer GridSize = 24;

// The region's pixels inside the test grid.
std::vector<bool> Pixels(const TImageRegion& R)
{
    std::vector<bool> G(GridSize * GridSize, false);
    for (const TRect& Rc : R.Rects())
        for (Integer y = Rc.Top; y < Rc.Bottom; ++y)
            for (Integer x = Rc.Left; x < Rc.Right; ++x) G[static_cast<size_t>(y * GridSize + x)] = true;
    return G;
}

// The banded form: bands top to bottom, not overlapping; rectangles of a band
// share Top and Bottom, left to right, never touching; two touching bands
// never have the same spans.
void ExpectBanded(const TImageRegion& R)
{
    const std::vector<TRect>& Rs = R.Rects();
    std::vector<std::vector<std::pair<Integer, Integer>>> Spans;
    std::vector<std::pair<Integer, Integer>> Rows;
    for (size_t i = 0; i < Rs.size(); ++i) {
        ASSERT_LT(Rs[i].Left, Rs[i].Right);
        ASSERT_LT(Rs[i].Top, Rs[i].Bottom);
        if (i > 0 && Rs[i].Top == Rs[i - 1].Top) {
            ASSERT_EQ(Rs[i].Bottom, Rs[i - 1].Bottom);
            ASSERT_GT(Rs[i].Left, Rs[i - 1].Right) << "touching or unsorted rectangles in a band";
            Spans.back().push_back({Rs[i].Left, Rs[i].Right});
        } else {
            if (i > 0) {
                ASSERT_GE(Rs[i].Top, Rs[i - 1].Bottom);
            }
            Rows.push_back({Rs[i].Top, Rs[i].Bottom});
            Spans.push_back({{Rs[i].Left, Rs[i].Right}});
        }
    }
    for (size_t b = 1; b < Rows.size(); ++b)
        if (Rows[b].first == Rows[b - 1].second) {
            EXPECT_NE(Spans[b], Spans[b - 1]) << "bands left uncoalesced";
        }
}

TImageRegion RandomRegion(std::mt19937& Rng)
{
    std::uniform_int_distribution<Integer> Coord(0, GridSize), Count(1, 4);
    std::vector<TRect> Rects;
    for (Integer n = Count(Rng); n > 0; --n) {
        Integer a = Coord(Rng), b = Coord(Rng), c = Coord(Rng), d = Coord(Rng);
        Rects.push_back(TRect{Min(a, b), Min(c, d), Max(a, b), Max(c, d)});
    }
    return TImageRegion::FromRects(Rects);
}

}  // namespace

TEST(ImageRegion, TwoOverlappingSquaresInEachMode)
{
    const TImageRegion A(TRect{0, 0, 10, 10}), B(TRect{5, 5, 15, 15});
    struct {
        TRegionCombine Mode;
        std::vector<TRect> Expected;
    } Cases[] = {
        {rcOr, {{0, 0, 10, 5}, {0, 5, 15, 10}, {5, 10, 15, 15}}},
        {rcAnd, {{5, 5, 10, 10}}},
        {rcDiff, {{0, 0, 10, 5}, {0, 5, 5, 10}}},
        {rcXor, {{0, 0, 10, 5}, {0, 5, 5, 10}, {10, 5, 15, 10}, {5, 10, 15, 15}}},
        {rcCopy, {{0, 0, 10, 10}}},
    };
    for (const auto& C : Cases) EXPECT_EQ(A.Combined(B, C.Mode).Rects(), C.Expected) << "mode " << C.Mode;
}

TEST(ImageRegion, CombinationsAgreeWithAPixelGridAndStayBanded)
{
    std::mt19937 Rng(26);
    for (Integer Round = 0; Round < 400; ++Round) {
        const TImageRegion A = RandomRegion(Rng), B = RandomRegion(Rng);
        const std::vector<bool> PA = Pixels(A), PB = Pixels(B);
        for (TRegionCombine Mode : {rcAnd, rcOr, rcXor, rcDiff}) {
            const TImageRegion R = A.Combined(B, Mode);
            ExpectBanded(R);
            const std::vector<bool> PR = Pixels(R);
            for (size_t i = 0; i < PR.size(); ++i) {
                const bool a = PA[i], b = PB[i];
                const bool Want = Mode == rcAnd ? a && b : Mode == rcOr ? a || b : Mode == rcXor ? a != b : a && !b;
                ASSERT_EQ(PR[i], Want) << "round " << Round << " mode " << Mode << " pixel " << i;
            }
            for (Integer y = 0; y < GridSize; ++y)
                for (Integer x = 0; x < GridSize; ++x)
                    ASSERT_EQ(R.Contains(x, y), PR[static_cast<size_t>(y * GridSize + x)]);
        }
    }
}

TEST(ImageRegion, PolygonsFillByTheWindingRule)
{
    // A square's corners give the square itself.
    const TPoint Square[] = {{2, 3}, {12, 3}, {12, 9}, {2, 9}};
    EXPECT_EQ(TImageRegion::FromPolygon(Square, 4).Rects(), (std::vector<TRect>{{2, 3, 12, 9}}));
    // A path that runs round the middle twice keeps the middle (it would be a
    // hole by the even-odd rule).
    const TPoint Twice[] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}, {0, 0}, {20, 0}, {20, 20}, {0, 20}};
    EXPECT_EQ(TImageRegion::FromPolygon(Twice, 8).Rects(), (std::vector<TRect>{{0, 0, 20, 20}}));
    const TPoint Star[] = {{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
    const TImageRegion S = TImageRegion::FromPolygon(Star, 5);
    EXPECT_TRUE(S.Contains(10, 10));  // the pentagon in the middle
    EXPECT_TRUE(S.Contains(10, 2));
    EXPECT_FALSE(S.Contains(1, 18));
    ExpectBanded(S);
    // Fewer than three points enclose nothing.
    EXPECT_TRUE(TImageRegion::FromPolygon(Square, 2).Empty());
}

TEST(ImageRegion, PixelRunsAndScaling)
{
    const TPoint Pts[] = {{3, 1}, {4, 1}, {5, 1}, {7, 1}, {3, 2}, {4, 2}, {5, 2}, {7, 2}};
    // Rows with the same runs make one band.
    EXPECT_EQ(TImageRegion::FromPixelRuns(Pts, 8).Rects(), (std::vector<TRect>{{3, 1, 6, 3}, {7, 1, 8, 3}}));
    const TImageRegion R(TRect{1, 1, 3, 3});
    EXPECT_EQ(R.Scaled(1.5f).Rects(), (std::vector<TRect>{{2, 2, 4, 4}}));  // 1.5 rounds to 2, 4.5 to 4
    EXPECT_EQ(R.Scaled(2).Rects(), (std::vector<TRect>{{2, 2, 6, 6}}));
    EXPECT_EQ(R.Bounds(), (TRect{1, 1, 3, 3}));
    EXPECT_EQ(TImageRegion().Bounds(), TRect{});
}

TEST(ImageRegion, TextRoundTripAndOlderTexts)
{
    std::vector<TRect> Rects;
    ASSERT_TRUE(TextToRegionRects(u"10.20.30.40", Rects));
    EXPECT_EQ(Rects, (std::vector<TRect>{{10, 20, 30, 40}}));
    EXPECT_EQ(RegionToText(TImageRegion::FromRects(Rects)), u"10.20.30.40");
    // Older texts put a dot after every number.
    ASSERT_TRUE(TextToRegionRects(u"10.20.30.40.-5.0.2.3.", Rects));
    EXPECT_EQ(Rects, (std::vector<TRect>{{10, 20, 30, 40}, {-5, 0, 2, 3}}));
    ASSERT_TRUE(TextToRegionRects(u"", Rects));
    EXPECT_TRUE(Rects.empty());
    const TImageRegion Two = TImageRegion(TRect{0, 0, 4, 2}).Combined(TImageRegion(TRect{1, 2, 3, 5}), rcOr);
    EXPECT_EQ(RegionToText(Two), u"0.0.4.2.1.2.3.5");
}

TEST(ImageRegion, DamagedTextsAreRefused)
{
    const char16_t* Bad[] = {
        u"10.20.30",             // not whole rectangles
        u"10.20.30.40.50",       // one number over
        u"a.b.c.d",              // not numbers
        u"10..20.30.40",         // an empty number
        u"10.20.30.40..",        // two dots at the end
        u".10.20.30.40",         // a dot first
        u"10.20.5.40",           // Right before Left
        u"10.20.30.20",          // no height
        u"1.2.3.99999999999",    // beyond any raster
        u"1.2.3.134217729",      // just beyond the limit
        u"1.2.3.4 ",             // a trailing space
        u"-.2.3.4",              // a lone sign
    };
    for (const char16_t* Text : Bad) {
        std::vector<TRect> Rects{{1, 1, 2, 2}};
        String Error;
        EXPECT_FALSE(TextToRegionRects(Text, Rects, &Error)) << UTF8Encode(String(Text));
        EXPECT_TRUE(Rects.empty());
        EXPECT_FALSE(Error.empty());
    }
}
