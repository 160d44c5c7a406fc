// The paint bucket, the magic wand and the gradient fill's plan: similarity
// at its limits, four-neighbour connection, the span flood against the
// breadth-first reference on random pictures, selections, the wand's
// row-major lists, the gradient's stops and shapes, and what the document
// marks changed. The painted gradient is tested under Wine
// (win/test_ImageFill_Win.cpp).
#include <cmath>
#include <cstring>
#include <iostream>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "FillReference.h"

namespace {
constexpr TColor32 Grey = 0xFF808080, Red32 = 0xFFFF0000;
constexpr TColor Red = 0x0000FF;  // 0x00BBGGRR

TColor32 Shifted(TColor32 C, Integer DR, Integer DG, Integer DB, Integer DA = 0)
{
    return TColor32(AlphaOf(C) + DA) << 24 | TColor32(RedOf(C) + DR) << 16 | TColor32(GreenOf(C) + DG) << 8 |
           TColor32(BlueOf(C) + DB);
}

// A picture of a few close colours in large, twisty areas: random indexes
// smoothed by majority votes of the 3 x 3 neighbourhood.
void TwistyPicture(TCustomBitmap32& B, Integer W, Integer H, const std::vector<TColor32>& Palette, unsigned Seed)
{
    std::mt19937 Rng(Seed);
    std::vector<Integer> Index(static_cast<size_t>(W * H));
    for (Integer& I : Index) I = static_cast<Integer>(Rng() % Palette.size());
    for (Integer Pass = 0; Pass < 2; ++Pass) {
        std::vector<Integer> Next = Index;
        for (Integer y = 0; y < H; ++y)
            for (Integer x = 0; x < W; ++x) {
                std::vector<Integer> Votes(Palette.size(), 0);
                for (Integer dy = -1; dy <= 1; ++dy)
                    for (Integer dx = -1; dx <= 1; ++dx) {
                        const Integer X = std::clamp(x + dx, 0, W - 1), Y = std::clamp(y + dy, 0, H - 1);
                        ++Votes[static_cast<size_t>(Index[static_cast<size_t>(Y * W + X)])];
                    }
                Next[static_cast<size_t>(y * W + x)] =
                    static_cast<Integer>(std::max_element(Votes.begin(), Votes.end()) - Votes.begin());
            }
        Index = std::move(Next);
    }
    B.SetSize(W, H);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) B.SetPixel(x, y, Palette[static_cast<size_t>(Index[static_cast<size_t>(y * W + x)])]);
}

class FillDoc : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 40, 30, false, 0x808080);
        Doc->SetChangedFlag(false);
    }
    TCustomBitmap32& Raster() { return *Doc->SrcBmp(); }
    // A selection object of the pixel-list style on top, as the main window
    // makes one before the wand.
    TImgSelection* WandSelection()
    {
        auto* S = AddObject<TImgSelection>(*Doc, 1, shSelection);
        S->SetStyleId(5);
        return S;
    }
    TArrayOfPoint WandPoints(const TImgSelection& S)
    {
        return TArrayOfPoint(S.Points().begin(), S.Points().begin() + S.PointsCount());
    }
    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
};
}  // namespace

// ---------------------------------------------------------------------------
// The flood

TEST_F(FillDoc, NeighboursJoinByTolerance)
{
    struct Case {
        Integer Tolerance;
        TColor32 Neighbour;
        bool Joins;
    } Cases[] = {
        {0, Grey, true},
        {0, Shifted(Grey, 0, 0, 1), false},
        {0, Shifted(Grey, 0, 0, 0, -0x7F), false},  // alpha counts at tolerance 0
        {10, Shifted(Grey, 10, 10, 10), true},
        {10, Shifted(Grey, -10, -10, -10), true},
        {10, Shifted(Grey, 10, 0, -1), false},  // |dR - dB| = 11
        {10, Shifted(Grey, 10, 0, 0), true},
        {10, Shifted(Grey, 11, 11, 11), false},
        {10, Shifted(Grey, 0, 0, 0, -0x7F), true},  // alpha is not compared otherwise
        {-1, Grey, false},                            // a negative tolerance lets nothing join
    };
    for (const Case& C : Cases) {
        Raster().Clear(0xFF000000);
        Raster().SetPixel(10, 10, Grey);
        Raster().SetPixel(11, 10, C.Neighbour);
        Doc->SetFillTolerance(C.Tolerance);
        Doc->Fill(10, 10, Red);
        EXPECT_EQ(Raster().Pixel(10, 10), Red32) << C.Tolerance << " " << std::hex << C.Neighbour;
        EXPECT_EQ(Raster().Pixel(11, 10), C.Joins ? Red32 : C.Neighbour)
            << C.Tolerance << " " << std::hex << C.Neighbour;
        EXPECT_EQ(Raster().Pixel(9, 10), 0xFF000000u);
    }
}

TEST_F(FillDoc, NeverCrossesDiagonals)
{
    // Two grey squares touching only at a corner, and a grey ring whose gap
    // is diagonal.
    Raster().Clear(0xFF000000);
    Raster().FillRectS(TRect{2, 2, 6, 6}, Grey);
    Raster().FillRectS(TRect{6, 6, 10, 10}, Grey);
    Doc->Fill(3, 3, Red);
    EXPECT_EQ(Raster().Pixel(5, 5), Red32);
    EXPECT_EQ(Raster().Pixel(6, 6), Grey);
    EXPECT_EQ(Raster().Pixel(9, 9), Grey);
    EXPECT_EQ(Raster().Pixel(6, 5), 0xFF000000u);
}

TEST_F(FillDoc, SpanFloodMatchesBreadthFirstReference)
{
    // Close colours so that tolerance decides; the fill colour either stands
    // apart, is the clicked colour itself, or lies within the tolerance of it
    // (recolouring then cannot mark pixels done).
    const std::vector<TColor32> Palette = {0xFF808080, 0xFF868686, 0xFF8C7A80, 0xFF302010};
    enum TFillKind { Apart, Same, Near };
    struct Case {
        Integer W, H, Colours, Tolerance;
        TFillKind Kind;
    } Cases[] = {
        {1, 1, 2, 0, Apart},   {1, 37, 2, 0, Apart},  {41, 1, 3, 6, Near},    {23, 17, 2, 0, Apart},
        {23, 17, 3, 0, Same},  {23, 17, 3, 6, Apart}, {23, 17, 3, 6, Near},   {64, 48, 2, 0, Apart},
        {64, 48, 4, 12, Near}, {64, 48, 3, 12, Same}, {64, 48, 4, 200, Apart}, {50, 50, 2, 0, Near},
    };
    Integer Compared = 0;
    for (const Case& C : Cases)
        for (unsigned Seed = 1; Seed <= 12; ++Seed) {
            const std::vector<TColor32> Colours(Palette.begin(), Palette.begin() + C.Colours);
            TCustomBitmap32 Ours;
            TwistyPicture(Ours, C.W, C.H, Colours, Seed * 7919 + static_cast<unsigned>(C.W));
            std::mt19937 Rng(Seed);
            const Integer X = static_cast<Integer>(Rng() % static_cast<unsigned>(C.W));
            const Integer Y = static_cast<Integer>(Rng() % static_cast<unsigned>(C.H));
            const TColor32 Src = Ours.Pixel(X, Y);
            const TColor32 Fill = C.Kind == Apart ? 0xFF00FF00 : C.Kind == Same ? Src : Shifted(Src, 1, 0, 1);
            auto Reference = BitmapCopy(&Ours);
            TArrayOfPoint Expected;
            const Integer ExpectedCount = BreadthFirstFill(*Reference, X, Y, Src, Fill, C.Tolerance, Expected);
            Expected.resize(static_cast<size_t>(ExpectedCount));

            Doc->SetFillSrcColor(Src);
            Doc->SetFillColor(Fill);
            TArrayOfPoint Points{{-5, -5}};
            Integer Count = -1;
            Doc->FillDo(&Ours, X, Y, C.Tolerance, &Points, Count);
            const std::string Where = std::to_string(C.W) + "x" + std::to_string(C.H) + " tolerance " +
                                      std::to_string(C.Tolerance) + " seed " + std::to_string(Seed);
            ASSERT_EQ(Count, ExpectedCount) << Where;
            ASSERT_EQ(Points, Expected) << Where;
            ASSERT_EQ(0, std::memcmp(Ours.Bits(), Reference->Bits(), static_cast<size_t>(C.W * C.H) * 4)) << Where;
            // Without a list asked for, the same pixels.
            TCustomBitmap32 Again;
            TwistyPicture(Again, C.W, C.H, Colours, Seed * 7919 + static_cast<unsigned>(C.W));
            Doc->FillDo(&Again, X, Y, C.Tolerance, nullptr, Count);
            ASSERT_EQ(Count, ExpectedCount) << Where;
            ASSERT_EQ(0, std::memcmp(Again.Bits(), Reference->Bits(), static_cast<size_t>(C.W * C.H) * 4)) << Where;
            ++Compared;
        }
    std::cout << "compared " << Compared << " random pictures with the reference\n";
}

TEST_F(FillDoc, PointsOutsideThePictureFillNothing)
{
    TCustomBitmap32 B;
    B.SetSize(5, 4);
    B.Clear(Grey);
    TCustomBitmap32 Empty;
    Doc->SetFillSrcColor(Grey);
    Doc->SetFillColor(Red32);
    struct Case {
        TCustomBitmap32* Bitmap;
        Integer X, Y;
    } Cases[] = {{&B, -1, 0}, {&B, 0, -1}, {&B, 5, 0}, {&B, 0, 4}, {&B, -100000, -100000}, {&Empty, 0, 0}, {nullptr, 0, 0}};
    for (const Case& C : Cases) {
        TArrayOfPoint Points{{1, 1}};
        Integer Count = 7;
        Doc->FillDo(C.Bitmap, C.X, C.Y, 0, &Points, Count);
        EXPECT_EQ(Count, 0) << C.X << "," << C.Y;
        EXPECT_TRUE(Points.empty());
    }
    EXPECT_EQ(B.Pixel(0, 0), Grey);
}

TEST_F(FillDoc, FillMarksTheRasterChangedOnlyWhenItFills)
{
    Doc->Fill(-1, 5, Red);  // outside, no selection: nothing
    EXPECT_FALSE(Doc->Changed());
    EXPECT_FALSE(Doc->SrcBmpChanged());
    EXPECT_EQ(Raster().Pixel(0, 5), Grey);
    Doc->Fill(39, 29, Red);
    EXPECT_TRUE(Doc->Changed());
    EXPECT_TRUE(Doc->Modified());
    EXPECT_TRUE(Doc->SrcBmpChanged());
    EXPECT_EQ(Doc->FillColor(), Red32);
    EXPECT_EQ(Doc->FillSrcColor(), Grey);
    EXPECT_EQ(Raster().Pixel(0, 0), Red32);  // the blank canvas is one area
}

TEST_F(FillDoc, SelectionIsFilledWhereverTheClick)
{
    Raster().FillRectS(TRect{0, 0, 20, 30}, 0xFF000000);
    ASSERT_TRUE(SelectRegion(*Doc, TRect{15, 10, 60, 20}));  // reaches past the raster's right edge
    for (TPoint Click : {TPoint{2, 2}, TPoint{-50, -50}, TPoint{30, 15}}) {
        Raster().FillRectS(TRect{0, 0, 20, 30}, 0xFF000000);
        Raster().FillRectS(TRect{20, 0, 40, 30}, Grey);
        Doc->Fill(Click.X, Click.Y, Red);
        for (Integer y = 0; y < 30; ++y)
            for (Integer x = 0; x < 40; ++x) {
                const bool Inside = x >= 15 && y >= 10 && y < 20;
                const TColor32 Expected = Inside ? Red32 : x < 20 ? 0xFF000000 : Grey;
                ASSERT_EQ(Raster().Pixel(x, y), Expected) << x << "," << y << " click " << Click.X;
            }
    }
    EXPECT_TRUE(Doc->SrcBmpChanged());
}

// ---------------------------------------------------------------------------
// The wand

TEST_F(FillDoc, WandListsRowMajorInBothModes)
{
    // A grey U (its arms joined at the bottom) beside a separate grey block,
    // on black: the connected list is the U, the other the U and the block.
    Raster().Clear(0xFF000000);
    Raster().FillRectS(TRect{2, 2, 4, 10}, Grey);
    Raster().FillRectS(TRect{8, 2, 10, 10}, Grey);
    Raster().FillRectS(TRect{2, 10, 10, 12}, Shifted(Grey, 3, 3, 3));
    Raster().FillRectS(TRect{20, 4, 23, 6}, Grey);
    const auto Before = BitmapCopy(&Raster());
    auto RowMajor = [&](bool WithBlock) {
        TArrayOfPoint P;
        for (Integer y = 0; y < 30; ++y)
            for (Integer x = 0; x < 40; ++x) {
                const bool U = (y >= 2 && y < 10 && ((x >= 2 && x < 4) || (x >= 8 && x < 10))) ||
                               (y >= 10 && y < 12 && x >= 2 && x < 10);
                const bool Block = WithBlock && x >= 20 && x < 23 && y >= 4 && y < 6;
                if (U || Block) P.push_back(TPoint{x, y});
            }
        return P;
    };
    for (bool Continuous : {true, false}) {
        Doc->DT()->Clear();
        TImgSelection* S = WandSelection();
        Doc->SetChangedFlag(false);
        Doc->CalcSelectionWandPoints(9, 3, 3, Continuous);
        EXPECT_EQ(WandPoints(*S), RowMajor(!Continuous)) << Continuous;
        EXPECT_TRUE(Doc->Changed());
        EXPECT_EQ(Doc->FillSrcColor(), Grey);
        EXPECT_EQ(0, std::memcmp(Raster().Bits(), Before->Bits(), 40 * 30 * 4)) << "the raster is only read";
        // The list makes the selection's region.
        EXPECT_TRUE(S->CreateRegion(false));
        EXPECT_TRUE(S->RegionHandle().Contains(2, 11));
    }
}

TEST_F(FillDoc, WandAgreesWithTheFloodOnRandomPictures)
{
    const std::vector<TColor32> Palette = {0xFF808080, 0xFF868686, 0xFF8C7A80};
    for (unsigned Seed = 1; Seed <= 6; ++Seed) {
        TwistyPicture(Raster(), 40, 30, Palette, Seed);
        const Integer X = static_cast<Integer>(Seed * 5 % 40), Y = static_cast<Integer>(Seed * 3 % 30);
        auto Copy = BitmapCopy(&Raster());
        TArrayOfPoint Expected;
        Expected.resize(static_cast<size_t>(
            BreadthFirstFill(*Copy, X, Y, Raster().Pixel(X, Y), 0xFF00FF00, 6, Expected)));
        Doc->DT()->Clear();
        TImgSelection* S = WandSelection();
        Doc->CalcSelectionWandPoints(X, Y, 6, true);
        EXPECT_EQ(WandPoints(*S), Expected) << Seed;
    }
}

TEST_F(FillDoc, WandOutsideTheRasterOrWithoutSelectionDoesNothing)
{
    TImgSelection* S = WandSelection();
    for (TPoint P : {TPoint{-1, 0}, TPoint{40, 0}, TPoint{0, 30}, TPoint{0, -1}}) {
        Doc->CalcSelectionWandPoints(P.X, P.Y, 0, true);
        Doc->CalcSelectionWandPoints(P.X, P.Y, 0, false);
    }
    EXPECT_EQ(S->PointsCount(), 0);
    EXPECT_FALSE(Doc->Changed());
    Doc->DT()->Clear();
    Doc->CalcSelectionWandPoints(5, 5, 0, true);
    EXPECT_FALSE(Doc->Changed());
}

// ---------------------------------------------------------------------------
// The gradient's plan

namespace {
constexpr TColor32 C0 = 0xFFFF0000, C1 = 0xFF00FF00, C2 = 0xFF0000FF;
const std::vector<TColor32> Three = {C0, C1, C2};
const std::vector<Single> Spread = {0, 0.5f, 1};

TGradientPlan Plan(Integer Type, TPoint S, TPoint E, const std::vector<TColor32>& C = Three,
                   const std::vector<Single>& P = Spread, Integer W = 200, Integer H = 100)
{
    return PlanGradient(Type, C, P, S, E, W, H);
}
::testing::AssertionResult Near(Single A, Single B)
{
    if (std::fabs(A - B) <= 1e-4f) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << A << " is not " << B;
}
}  // namespace

TEST(GradientPlan, RefusedInputsDrawNothing)
{
    const Single NaN = std::numeric_limits<Single>::quiet_NaN();
    struct Case {
        const char* What;
        Integer Type;
        TPoint S, E;
        std::vector<TColor32> Colors;
        std::vector<Single> Positions;
        Integer W, H;
    } Cases[] = {
        {"type 2", 2, {0, 0}, {100, 0}, Three, Spread, 200, 100},
        {"unknown type", 7, {0, 0}, {100, 0}, Three, Spread, 200, 100},
        {"negative type", -1, {0, 0}, {100, 0}, Three, Spread, 200, 100},
        {"no stop", 0, {0, 0}, {100, 0}, {}, {}, 200, 100},
        {"more colours than positions", 0, {0, 0}, {100, 0}, Three, {0, 1}, 200, 100},
        {"more positions than colours", 1, {0, 0}, {100, 0}, {C0, C1}, Spread, 200, 100},
        {"a position no number", 3, {0, 0}, {100, 0}, Three, {0, NaN, 1}, 200, 100},
        {"no drag", 4, {50, 50}, {50, 50}, Three, Spread, 200, 100},
        {"no drag, radial", 1, {50, 50}, {50, 50}, Three, Spread, 200, 100},
        {"empty raster", 0, {0, 0}, {100, 0}, Three, Spread, 0, 0},
    };
    for (const Case& C : Cases) EXPECT_EQ(PlanGradient(C.Type, C.Colors, C.Positions, C.S, C.E, C.W, C.H).Shape, gsNone) << C.What;
}

TEST(GradientPlan, StopsAreCleaned)
{
    struct Case {
        std::vector<TColor32> Colors;
        std::vector<Single> Positions;
        std::vector<TColor32> ExpectedColors;
        std::vector<Single> ExpectedPositions;
    } Cases[] = {
        {{C1}, {0.3f}, {C1, C1, C1}, {0, 0.3f, 1}},  // one stop: a solid colour
        {{C0, C1}, {0.25f, 0.75f}, {C0, C0, C1, C1}, {0, 0.25f, 0.75f, 1}},
        {{C0, C1, C2}, {-2, 0.8f, 0.4f}, {C0, C1, C2, C2}, {0, 0.8f, 0.8f, 1}},  // clamped, never falling
        {{C0, C1}, {0, std::numeric_limits<Single>::infinity()}, {C0, C1}, {0, 1}},
    };
    // A drag across the whole raster from its left edge to its right: the
    // positions come through as they are.
    for (const Case& C : Cases) {
        const TGradientPlan P = Plan(0, {0, 50}, {200, 50}, C.Colors, C.Positions);
        ASSERT_EQ(P.Shape, gsLinear);
        EXPECT_EQ(P.Colors, C.ExpectedColors);
        ASSERT_EQ(P.Positions.size(), C.ExpectedPositions.size());
        for (size_t i = 0; i < P.Positions.size(); ++i) EXPECT_TRUE(Near(P.Positions[i], C.ExpectedPositions[i])) << i;
    }
}

TEST(GradientPlan, LinearFromTheLeftEdgeToTheMiddle)
{
    const TGradientPlan P = Plan(0, {0, 40}, {100, 40});
    ASSERT_EQ(P.Shape, gsLinear);
    EXPECT_EQ(P.Start, (TFloatPoint{0, 40}));   // S lies on the back edge: no colour before it
    EXPECT_EQ(P.Finish, (TFloatPoint{200, 40}));  // the right edge, beyond E
    EXPECT_EQ(P.Colors, (std::vector<TColor32>{C0, C1, C2, C2}));
    ASSERT_EQ(P.Positions.size(), 4u);
    EXPECT_TRUE(Near(P.Positions[1], 0.25f));
    EXPECT_TRUE(Near(P.Positions[2], 0.5f));  // the last colour from the middle on
    EXPECT_EQ(P.Bounds, (TRect{0, 0, 200, 100}));
}

TEST(GradientPlan, LinearExtendsBothWaysInsideTheRaster)
{
    // Down and to the right from inside: the brush runs between the
    // projections of the top-left and bottom-right corners.
    const TGradientPlan P = Plan(0, {50, 50}, {150, 50}, {C0, C2}, {0, 1});
    EXPECT_EQ(P.Start, (TFloatPoint{0, 50}));
    EXPECT_EQ(P.Finish, (TFloatPoint{200, 50}));
    EXPECT_EQ(P.Colors, (std::vector<TColor32>{C0, C0, C2, C2}));
    EXPECT_TRUE(Near(P.Positions[1], 0.25f));
    EXPECT_TRUE(Near(P.Positions[2], 0.75f));
    // Upwards (angle 270): from the bottom edge to the top one.
    const TGradientPlan Up = Plan(0, {20, 80}, {20, 30}, {C0, C2}, {0, 1});
    EXPECT_EQ(Up.Start, (TFloatPoint{20, 100}));
    EXPECT_EQ(Up.Finish, (TFloatPoint{20, 0}));
    EXPECT_TRUE(Near(Up.Positions[1], 0.2f));
    EXPECT_TRUE(Near(Up.Positions[2], 0.7f));
    // Ends outside the raster stand as they are.
    const TGradientPlan Out = Plan(0, {-100, 10}, {300, 10}, {C0, C2}, {0, 1});
    EXPECT_EQ(Out.Start, (TFloatPoint{-100, 10}));
    EXPECT_EQ(Out.Finish, (TFloatPoint{300, 10}));
    EXPECT_EQ(Out.Colors, (std::vector<TColor32>{C0, C2}));
}

TEST(GradientPlan, ReflectedMirrorsAboutTheStart)
{
    const TGradientPlan P = Plan(3, {100, 50}, {150, 50});
    ASSERT_EQ(P.Shape, gsLinear);
    EXPECT_EQ(P.Start, (TFloatPoint{0, 50}));
    EXPECT_EQ(P.Finish, (TFloatPoint{200, 50}));
    // The last colour beyond the mirror point, the stops inwards to the first
    // at S, outwards again to E, the last colour beyond it.
    EXPECT_EQ(P.Colors, (std::vector<TColor32>{C2, C2, C1, C0, C1, C2, C2}));
    const std::vector<Single> Expected = {0, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f, 1};
    ASSERT_EQ(P.Positions.size(), Expected.size());
    for (size_t i = 0; i < Expected.size(); ++i) EXPECT_TRUE(Near(P.Positions[i], Expected[i])) << i;
    // A mirror point beyond the raster becomes the back end.
    const TGradientPlan Far = Plan(3, {20, 50}, {120, 50});
    EXPECT_EQ(Far.Start, (TFloatPoint{-80, 50}));
    EXPECT_EQ(Far.Colors.front(), C2);
    EXPECT_TRUE(Near(Far.Positions[1], 0.5f / 2.8f));
}

TEST(GradientPlan, RadialSpansTheDragThenTheLastColour)
{
    // From the centre of 200 x 100: the farthest corner pixel is
    // sqrt(100^2 + 50^2) away.
    const Single O = std::sqrt(100.0f * 100 + 50.0f * 50);
    const TGradientPlan P = Plan(1, {100, 50}, {130, 50});
    ASSERT_EQ(P.Shape, gsRadial);
    EXPECT_EQ(P.Center, (TFloatPoint{100, 50}));
    EXPECT_TRUE(Near(P.Radius, O));
    // Turned round: the last colour on the outline, the first at the centre.
    EXPECT_EQ(P.Colors, (std::vector<TColor32>{C2, C2, C1, C0}));
    EXPECT_TRUE(Near(P.Positions[1], (O - 30) / O));
    EXPECT_TRUE(Near(P.Positions[2], (30 * 0.5f + O - 30) / O));
    EXPECT_EQ(P.Positions.back(), 1);
    // A drag past every corner: the circle is the drag's, no extra stop.
    const TGradientPlan Long = Plan(1, {0, 0}, {300, 0});
    EXPECT_TRUE(Near(Long.Radius, 300));
    EXPECT_EQ(Long.Colors, (std::vector<TColor32>{C2, C1, C0}));
    EXPECT_TRUE(Near(Long.Positions[1], 0.5f));
}

TEST(GradientPlan, DiamondIsASquareTurnedToTheDrag)
{
    // From the centre rightwards: O = round(1.5 x 111.80 + 0.5) = 168, the
    // tip straight right of S.
    const TGradientPlan P = Plan(4, {100, 50}, {130, 50});
    ASSERT_EQ(P.Shape, gsDiamond);
    EXPECT_TRUE(Near(P.Radius, 168));
    EXPECT_EQ(P.Corners[0], (TPoint{268, 50}));
    EXPECT_EQ(P.Corners[1], (TPoint{100, 218}));
    EXPECT_EQ(P.Corners[2], (TPoint{-68, 50}));
    EXPECT_EQ(P.Corners[3], (TPoint{100, -118}));
    EXPECT_EQ(P.Colors, (std::vector<TColor32>{C2, C2, C1, C0}));
    EXPECT_TRUE(Near(P.Positions[1], 138.0f / 168));
    // A drag longer than O: the tip is E.
    const TGradientPlan Long = Plan(4, {0, 0}, {0, 400});
    EXPECT_TRUE(Near(Long.Radius, 400));
    EXPECT_EQ(Long.Corners[0], (TPoint{0, 400}));
    EXPECT_EQ(Long.Corners[1], (TPoint{-400, 0}));
}

TEST(GradientPlan, PositionsAreAlwaysUsable)
{
    // Whatever the drag, the painter gets one position per colour, from 0 to
    // 1, never falling.
    std::mt19937 Rng(29);
    std::uniform_int_distribution<Integer> Coord(-400, 600);
    Integer Plans = 0;
    for (Integer i = 0; i < 400; ++i)
        for (Integer Type : {0, 1, 3, 4}) {
            const TPoint S{Coord(Rng), Coord(Rng)}, E{Coord(Rng), Coord(Rng)};
            const TGradientPlan P = Plan(Type, S, E, Three, {0.1f, 0.4f, 0.9f}, 1 + Coord(Rng) % 50 + 50, 77);
            if (S == E) continue;
            ASSERT_NE(P.Shape, gsNone);
            ASSERT_EQ(P.Colors.size(), P.Positions.size());
            ASSERT_EQ(P.Positions.front(), 0);
            ASSERT_EQ(P.Positions.back(), 1);
            ASSERT_TRUE(std::is_sorted(P.Positions.begin(), P.Positions.end())) << Type;
            ++Plans;
        }
    EXPECT_GT(Plans, 1500);
}

// ---------------------------------------------------------------------------
// The gradient on the document (a painter of the test's: the plan's last
// colour over the whole surface)

namespace {
class GradientDoc : public FillDoc {
protected:
    void SetUp() override
    {
        FillDoc::SetUp();
        Saved = GradientHooks;
        GradientHooks.Paint = [](TCustomBitmap32& Surface, const TGradientPlan& P) {
            ++Painted;
            Surface.Clear(P.Colors.back());
        };
        Painted = 0;
        Doc->SetGradientStartX(0);
        Doc->SetGradientStartY(0);
        Doc->SetMovedX(20);
        Doc->SetMovedY(0);
    }
    void TearDown() override { GradientHooks = Saved; }
    TGradientHooks Saved;
    static inline Integer Painted = 0;
};
}  // namespace

TEST_F(GradientDoc, TypeTwoChangesNoPixelButMarksTheDocument)
{
    Doc->GradientDo(2, Three, Spread);
    EXPECT_EQ(Painted, 0);
    EXPECT_EQ(Raster().Pixel(5, 5), Grey);
    EXPECT_TRUE(Doc->Changed());
    EXPECT_TRUE(Doc->SrcBmpChanged());
}

TEST_F(GradientDoc, RefusedDragsChangeNothing)
{
    struct Case {
        const char* What;
        TPoint S, E;
        std::vector<TColor32> Colors;
    } Cases[] = {
        {"no drag under way", {NoStartPoint, 0}, {20, 0}, Three},
        {"zero length", {7, 7}, {7, 7}, Three},
        {"no stops", {0, 0}, {20, 0}, {}},
    };
    for (const Case& C : Cases) {
        Doc->SetGradientStartX(C.S.X);
        Doc->SetGradientStartY(C.S.Y);
        Doc->SetMovedX(C.E.X);
        Doc->SetMovedY(C.E.Y);
        Doc->GradientDo(0, C.Colors, std::vector<Single>(C.Colors.size(), 0.5f));
        EXPECT_EQ(Painted, 0) << C.What;
        EXPECT_FALSE(Doc->Changed()) << C.What;
    }
}

TEST_F(GradientDoc, WholeRasterWithoutSelection)
{
    Doc->GradientDo(0, Three, Spread);
    EXPECT_EQ(Painted, 1);
    EXPECT_EQ(Raster().Pixel(0, 0), C2);
    EXPECT_EQ(Raster().Pixel(39, 29), C2);
    EXPECT_TRUE(Doc->SrcBmpChanged());
    EXPECT_TRUE(Doc->Modified());
}

TEST_F(GradientDoc, SelectionKeepsTheRestOfTheRaster)
{
    ASSERT_TRUE(SelectRegion(*Doc, TRect{10, 5, 20, 15}));
    Doc->GradientDo(0, Three, Spread);
    for (Integer y = 0; y < 30; ++y)
        for (Integer x = 0; x < 40; ++x) {
            const bool Inside = x >= 10 && x < 20 && y >= 5 && y < 15;
            ASSERT_EQ(Raster().Pixel(x, y), Inside ? C2 : Grey) << x << "," << y;
        }
    EXPECT_TRUE(Doc->SrcBmpChanged());
}

TEST_F(GradientDoc, LiftedPixelsTakeTheGradientInsideTheRegionAndWhereOpaque)
{
    TImgSelection* Sel = SelectRegion(*Doc, TRect{10, 5, 20, 15});
    ASSERT_TRUE(Sel);
    // An L: the region's lower right quarter is out of it.
    Sel->SetRegionHandle(TImageRegion::FromRects({TRect{10, 5, 20, 10}, TRect{10, 10, 15, 15}}));
    // Lifted pixels over the region's box, opaque but for columns 6 and 7.
    auto Lifted = std::make_unique<TCustomBitmap32>();
    Lifted->SetSize(10, 10);
    Lifted->Clear(0xFF123456);
    Lifted->FillRectS(TRect{6, 0, 8, 10}, 0x00000000);
    Sel->SetSelBitmap(std::move(Lifted));
    Sel->SetSelBitmapOX(0);
    Sel->SetSelBitmapOY(0);
    Sel->SetBitmapChanged(false);
    Doc->GradientDo(0, Three, Spread);
    TCustomBitmap32* L = Sel->SelBitmap();
    for (Integer y = 0; y < 10; ++y)
        for (Integer x = 0; x < 10; ++x) {
            const bool InRegion = y < 5 || x < 5;
            const bool Transparent = x == 6 || x == 7;
            const TColor32 Expected = InRegion || !Transparent ? C2 : 0x00000000;
            ASSERT_EQ(L->Pixel(x, y), Expected) << x << "," << y;
        }
    EXPECT_TRUE(Sel->BitmapChanged());
    EXPECT_FALSE(Doc->SrcBmpChanged());
    EXPECT_EQ(Raster().Pixel(15, 8), Grey);
}
