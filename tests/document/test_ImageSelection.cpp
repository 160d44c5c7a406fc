// The selection object on a document without a window: regions by style,
// combining, select all and invert, saved selections, the ants outline and
// its pattern on an injected tick, nodes, the work bitmaps (feathering and
// stair-step smoothing) and moving the lifted pixels.
#include <gtest/gtest.h>

#include <set>

#include "DocumentTestView.h"
#include "document/ImageSelection.h"
#include "framework/runtime/SysUtils.h"

namespace {

struct TPointLess {
    bool operator()(const TPoint& A, const TPoint& B) const { return A.Y != B.Y ? A.Y < B.Y : A.X < B.X; }
};
using TPointSet = std::set<TPoint, TPointLess>;

// A document 200 x 100 whose raster pixel (x, y) is opaque with red x and green y.
class SelectionDoc : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 200, 100, false);
        Doc->InitBitmap();
        for (Integer y = 0; y < 100; ++y)
            for (Integer x = 0; x < 200; ++x) Doc->SrcBmp()->SetPixel(x, y, RasterPixel(x, y));
    }
    static TColor32 RasterPixel(Integer x, Integer y)
    {
        return 0xFF000000 | (static_cast<TColor32>(x) << 16) | (static_cast<TColor32>(y) << 8);
    }
    // A selection made the way the document makes them: on top of the table.
    TImgSelection* SelectRect(const TRect& R, bool Smooth = false)
    {
        Doc->SelectionDT()->Clear();
        return SelectRegion(*Doc, R, Smooth);
    }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
};

TPointSet OutlinePixels(const TImgSelection& S)
{
    TPointSet P;
    for (const TSelectionLine& L : S.HorzLines())
        for (Integer x = L.X1; x <= L.X2; ++x) P.insert({x, L.Y1});
    for (const TSelectionLine& L : S.VertLines())
        for (Integer y = L.Y1; y <= L.Y2; ++y) P.insert({L.X1, y});
    return P;
}

// The region's pixels that have a left, right, upper or lower neighbour outside it.
TPointSet EdgePixels(const TImageRegion& R)
{
    TPointSet P;
    for (const TRect& Rc : R.Rects())
        for (Integer y = Rc.Top; y < Rc.Bottom; ++y)
            for (Integer x = Rc.Left; x < Rc.Right; ++x)
                if (!R.Contains(x - 1, y) || !R.Contains(x + 1, y) || !R.Contains(x, y - 1) || !R.Contains(x, y + 1))
                    P.insert({x, y});
    return P;
}

}  // namespace

TEST(ImageSelectionPixels, SmallEllipsesKeepTheTolerancePixels)
{
    struct {
        TRect R;
        std::vector<TPoint> Expected;
    } Cases[] = {
        {{5, 5, 6, 6}, {{5, 5}}},
        {{0, 0, 2, 2}, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
        // 3 x 3: the corners fall outside, a plus remains.
        {{0, 0, 3, 3}, {{1, 0}, {0, 1}, {1, 1}, {2, 1}, {1, 2}}},
        {{0, 0, 0, 3}, {}},
    };
    for (const auto& C : Cases) EXPECT_EQ(GetEllipsePixels(C.R), C.Expected);
    // A larger one is symmetric and touches every side of its box.
    TImageRegion E = [] {
        TArrayOfPoint P = GetEllipsePixels(TRect{10, 10, 31, 24});
        return TImageRegion::FromPixelRuns(P.data(), static_cast<Integer>(P.size()));
    }();
    EXPECT_EQ(E.Bounds(), (TRect{10, 10, 31, 24}));
    for (Integer y = 10; y < 24; ++y)
        for (Integer x = 10; x < 31; ++x) ASSERT_EQ(E.Contains(x, y), E.Contains(40 - x, 33 - y));
}

TEST(ImageSelectionPixels, CornerPixelsOfRectangles)
{
    const std::vector<TRect> Rects{{0, 0, 5, 1}, {7, 0, 8, 1}, {2, 3, 6, 8}, {9, 3, 10, 5}};
    EXPECT_EQ(GetRectCornerPixels(Rects, true),
              (TArrayOfPoint{{0, 0}, {4, 0}, {7, 0}, {2, 3}, {2, 7}, {5, 3}, {5, 7}, {9, 3}, {9, 4}}));
    EXPECT_EQ(GetRectCornerPixels(Rects, false),
              (TArrayOfPoint{{0, 0}, {5, 0}, {7, 0}, {2, 3}, {2, 8}, {6, 3}, {6, 8}, {9, 3}, {9, 5}}));
}

TEST_F(SelectionDoc, RegionOfEachStyle)
{
    auto* S = new TImgSelection(Doc.get(), 7, nullptr);
    std::unique_ptr<TImgSelection> Own(S);
    struct {
        Integer Style;
        TRect Rect;
        std::vector<TPoint> Points;
        TPoint Moved;
        std::vector<TRect> Expected;
    } Cases[] = {
        {0, {30, 10, 20, 15}, {}, {}, {{20, 10, 30, 15}}},  // a rectangle dragged leftwards
        {1, {0, 0, 3, 3}, {}, {}, {{1, 0, 2, 1}, {0, 1, 3, 2}, {1, 2, 2, 3}}},
        {2, {}, {{10, 10}, {20, 10}, {20, 14}, {10, 14}}, {}, {{10, 10, 20, 14}}},
        {5, {}, {{3, 4}, {4, 4}, {6, 4}}, {}, {{3, 4, 5, 5}, {6, 4, 7, 5}}},
        {9, {}, {}, {55, 42}, {{0, 42, 200, 43}}},
        {10, {}, {}, {55, 42}, {{55, 0, 56, 100}}},
    };
    for (const auto& C : Cases) {
        S->SetStyleId(C.Style);
        S->SetSRect(C.Rect);
        S->SetPointMoved(C.Moved);
        for (const TPoint& P : C.Points) S->AddNewPoint(P.X, P.Y);
        EXPECT_TRUE(S->CreateRegion(false)) << "style " << C.Style;
        EXPECT_EQ(S->RegionHandle().Rects(), C.Expected) << "style " << C.Style;
        while (S->PointsCount() > 1) S->DeleteLastPoint();
        S->DeleteLastPoint();
        EXPECT_EQ(S->PointsCount(), C.Points.empty() ? 0 : 1);
        // Start the next case with no points.
        Own.reset(S = new TImgSelection(Doc.get(), 7, nullptr));
    }
    // A rectangle without width makes no region.
    S->SetSRect(TRect{5, 5, 5, 50});
    EXPECT_FALSE(S->CreateRegion(false));
    EXPECT_TRUE(S->RegionHandle().Empty());
}

TEST_F(SelectionDoc, AddingPointsDoublesTheCapacityAndSkipsRepeats)
{
    TImgSelection S(Doc.get(), 1, nullptr);
    S.AddNewPoint(1, 1);
    S.AddNewPoint(1, 1);
    for (Integer i = 2; i <= 5; ++i) S.AddNewPoint(i, 1);
    EXPECT_EQ(S.PointsCount(), 5);
    EXPECT_EQ(S.Points().size(), 8u);
    EXPECT_EQ(S.Points()[4], (TPoint{5, 1}));
}

TEST_F(SelectionDoc, CombiningAddsCutsAndNeverCutsToNothing)
{
    TImgSelection* S = SelectRect({10, 10, 50, 50});
    const TPoint None{};
    Doc->SetSelectionExpanding(true);
    S->CombineRegion(false, 0, {40, 40, 60, 60}, nullptr, 0, None);
    EXPECT_TRUE(S->PtInShape(55, 55));
    EXPECT_EQ(S->CurrentCursor(), crSizeAll);
    Doc->SetSelectionExpanding(false);
    S->CombineRegion(false, 0, {10, 10, 30, 60}, nullptr, 0, None);
    EXPECT_FALSE(S->PtInShape(20, 20));
    EXPECT_TRUE(S->PtInShape(35, 20));
    // Cutting away everything that is left keeps the selection as it was.
    const TImageRegion Before = S->RegionHandle();
    S->CombineRegion(false, 0, {0, 0, 200, 100}, nullptr, 0, None);
    EXPECT_EQ(S->RegionHandle(), Before);
    // A row and a column cut across.
    S->CombineRegion(false, 9, {}, nullptr, 0, {0, 20});
    S->CombineRegion(false, 10, {}, nullptr, 0, {45, 0});
    EXPECT_FALSE(S->PtInShape(35, 20));
    EXPECT_FALSE(S->PtInShape(45, 30));
    EXPECT_TRUE(S->PtInShape(44, 30));
}

TEST_F(SelectionDoc, SelectAllAndInvert)
{
    // Invert with no selection selects the whole raster.
    Doc->SelectImage(false);
    ASSERT_TRUE(Doc->SelectionExists());
    TImgSelection* S = Doc->SelectionShape();
    EXPECT_EQ(S->RegionHandle().Rects(), (std::vector<TRect>{{0, 0, 200, 100}}));
    EXPECT_EQ(S->SRect(), (TRect{0, 0, 200, 100}));
    EXPECT_TRUE(S->Selected());
    EXPECT_FALSE(S->Creating());
    EXPECT_TRUE(Doc->Modified());
    // Inverting a selection of the whole raster deletes it.
    Doc->SelectImage(false);
    EXPECT_FALSE(Doc->SelectionExists());
    EXPECT_EQ(Doc->DT()->ItemCount(), 0);
    // Inverting a part leaves the rest; select all takes everything again.
    S = SelectRect({0, 0, 50, 100});
    Doc->SelectImage(false);
    S = Doc->SelectionShape();
    EXPECT_EQ(S->RegionHandle().Rects(), (std::vector<TRect>{{50, 0, 200, 100}}));
    EXPECT_EQ(S->SRect(), (TRect{50, 0, 200, 100}));
    Doc->SelectImage(true);
    EXPECT_EQ(S->RegionHandle().Rects(), (std::vector<TRect>{{0, 0, 200, 100}}));
    // A selection wholly off the raster inverts to the whole raster.
    S = SelectRect({300, 300, 310, 310});
    Doc->SelectImage(false);
    EXPECT_EQ(Doc->SelectionShape()->RegionHandle().Rects(), (std::vector<TRect>{{0, 0, 200, 100}}));
}

TEST_F(SelectionDoc, RegionHelpers)
{
    // Rectangles united: overlaps merge into bands, an empty list makes no region.
    TImgSelection* S = SelectRect({0, 0, 1, 1});
    std::vector<TRect> Rects = {{10, 10, 30, 20}, {20, 15, 40, 30}};
    ASSERT_TRUE(S->CreateRegionFromRects(false, Rects));
    const std::vector<TRect> Banded = {{10, 10, 30, 15}, {10, 15, 40, 20}, {20, 20, 40, 30}};
    std::vector<TRect> Back;
    TImgSelection::GetRegionRects(S->RegionHandle(), Back);
    EXPECT_EQ(Back, Banded);
    EXPECT_EQ(S->GetRegionString(), u"10.10.30.15.10.15.40.20.20.20.40.30");
    EXPECT_TRUE(S->AliasPoints().empty());
    std::vector<TRect> None = {{5, 5, 5, 9}};
    EXPECT_FALSE(S->CreateRegionFromRects(false, None));
    EXPECT_TRUE(S->RegionHandle().Empty());

    // Scaled about the origin, as the ants outline is at a zoom.
    struct {
        Single Scale;
        std::vector<TRect> Expected;
    } Scales[] = {
        {1, {{10, 10, 30, 20}}},
        {2, {{20, 20, 60, 40}}},
        {0.5f, {{5, 5, 15, 10}}},
    };
    for (const auto& C : Scales)
        EXPECT_EQ(TImgSelection::CloneRegion(TImageRegion(TRect{10, 10, 30, 20}), C.Scale).Rects(), C.Expected)
            << C.Scale;

    // The diagnostic dump: one row per rectangle of the region.
    Rects = {{10, 10, 30, 20}, {20, 15, 40, 30}};
    ASSERT_TRUE(S->CreateRegionFromRects(false, Rects));
    const String Dump = TImgSelection::RegionRectFileName();
    DeleteFile(Dump);
    S->WriteRegionRect();
    TDataTable Written;
    Written.Load(Dump);
    ASSERT_EQ(Written.ItemCount(), 3);
    for (Integer i = 0; i < 3; ++i) {
        const TRect& R = Banded[static_cast<size_t>(i)];
        EXPECT_EQ(Written.GetItem(i)->ToString(false), IntToStr(R.Left) + u"," + IntToStr(R.Top) + u"," +
                                                           IntToStr(R.Right) + u"," + IntToStr(R.Bottom));
    }
    DeleteFile(Dump);
}

TEST(ImageSelectionPixels, AlphaNeighbourMask)
{
    // . X .      X: some alpha (the left one only 1); o = (1, 1)
    // X o .      t = (2, 2): a colour with zero alpha, no neighbour
    // . X t
    TCustomBitmap32 B;
    B.SetSize(3, 3);
    B.Clear(0x00FFFFFF);
    B.SetPixel(1, 0, 0xFF000000);
    B.SetPixel(0, 1, 0x01000000);
    B.SetPixel(1, 2, 0x80FFFFFF);
    B.SetPixel(2, 2, 0x00FF0000);
    struct {
        TPoint P;
        Integer Mask;
    } Cases[] = {
        {{1, 1}, 1 | 2 | 8},  // left, up, down; the right one is transparent
        {{0, 0}, 4 | 8},      // the edge of the bitmap is no neighbour
        {{2, 2}, 1},
        {{2, 0}, 1},
        {{0, 2}, 2 | 4},
        {{5, 5}, 0},
    };
    for (const auto& C : Cases) EXPECT_EQ(AlphaNeighbourMask(B, C.P.X, C.P.Y), C.Mask) << C.P.X << "," << C.P.Y;
}

TEST_F(SelectionDoc, SavedSelectionsRoundTripAndDamagedOnesMakeNone)
{
    TImgSelection* S = SelectRect({10, 20, 30, 40});
    S->SetFeatherAmount(3);
    Doc->SetAntialiasing(false);
    Doc->SaveSelection(u"Face");
    ASSERT_EQ(Doc->SelectionDT()->ItemCount(), 1);
    TRow* Row = Doc->SelectionDT()->GetItem(0);
    EXPECT_EQ(Row->ToString(false), u"Face,10.20.30.40,0,3,,,,");
    // The same name in another case replaces the row.
    Doc->SetAntialiasing(true);
    Doc->SaveSelection(u"FACE");
    EXPECT_EQ(Doc->SelectionDT()->ItemCount(), 1);
    EXPECT_EQ(Row->ToString(false), u"Face,10.20.30.40,-1,3,,,,");

    Doc->SelectImage(true);  // something else selected now
    ASSERT_TRUE(Doc->LoadSelection(u"face"));
    S = Doc->SelectionShape();
    EXPECT_EQ(S->RegionHandle().Rects(), (std::vector<TRect>{{10, 20, 30, 40}}));
    EXPECT_EQ(S->FeatherAmount(), 3);
    EXPECT_TRUE(Doc->Antialiasing());
    EXPECT_EQ(Doc->DT()->ItemCount(), 1) << "one selection at a time";

    struct {
        const char16_t* Region;
        bool Loads;
    } Cases[] = {
        {u"10.20.30.40.", true},  // written by older versions
        {u"1.2.3.4.5.6.7.8.", true},
        {u"10.20.30", false},
        {u"10.20.x.40", false},
        {u"", false},  // no rectangle: no selection
    };
    for (const auto& C : Cases) {
        Doc->SelectionDT()->Clear();
        Doc->SelectionDT()->AddItem(u"x")->Init(std::vector<String>{u"Old", C.Region, u"0", u"zz"});
        Doc->SelectImage(true);
        EXPECT_EQ(Doc->LoadSelection(u"Old"), C.Loads) << UTF8Encode(String(C.Region));
        if (C.Loads) {
            EXPECT_EQ(Doc->SelectionShape()->FeatherAmount(), 0);
        }
        EXPECT_LE(Doc->DT()->ItemCount(), 1);
    }
    EXPECT_FALSE(Doc->LoadSelection(u"Nobody"));
}

TEST_F(SelectionDoc, AntsOutlineIsTheEdgeOfTheRegion)
{
    TImgSelection* S = SelectRect({10, 10, 50, 50});
    Doc->SetSelectionExpanding(true);
    S->CombineRegion(false, 0, {30, 40, 80, 70}, nullptr, 0, {});
    S->CombineRegion(false, 1, {60, 5, 90, 30}, nullptr, 0, {});
    Doc->SetSelectionExpanding(false);
    S->CombineRegion(false, 0, {20, 20, 25, 25}, nullptr, 0, {});  // a hole
    S->CalcRegionRects();
    EXPECT_EQ(OutlinePixels(*S), EdgePixels(S->RegionHandle()));
    // At a zoom of 2 the outline is the edge of the doubled region.
    Doc->SetScale(2);
    S->CalcRegionRects();
    EXPECT_EQ(OutlinePixels(*S), EdgePixels(S->RegionHandle().Scaled(2)));
    // A move shifts the outline with the region.
    S->Click();
    S->MoveShape(100, 50, 103, 49);
    EXPECT_EQ(OutlinePixels(*S), EdgePixels(S->RegionHandle().Scaled(2)));
    EXPECT_TRUE(S->PtInShape(13, 9));
}

TEST_F(SelectionDoc, MarchingAntsMoveOneRowATick)
{
    struct THooksGuard {
        TImageSelectionHooks Saved = ImageSelectionHooks;
        ~THooksGuard() { ImageSelectionHooks = Saved; }
    } Guard;
    static std::function<void()> Tick;
    ImageSelectionHooks.NewTimer = [](Cardinal Interval, std::function<void()> OnTick) {
        EXPECT_EQ(Interval, 100u);
        Tick = std::move(OnTick);
        return std::make_unique<TSelectionTimer>();
    };
    TImgSelection* S = SelectRect({10, 10, 30, 20});
    ASSERT_TRUE(Tick);
    EXPECT_FALSE(S->TimerAnt()->Enabled());
    TCustomBitmap32 Target;
    Target.SetSize(200, 100);
    auto Expect = [&](Integer Phase) {
        Target.Clear(0xFF808080);
        S->DrawControlPoint(&Target);
        for (const TPoint& P : OutlinePixels(*S))
            ASSERT_EQ(Target.Pixel(P.X, P.Y), Doc->BrushBitmap()->Pixel(P.X % 8, (P.Y - Phase + 8) % 8));
        EXPECT_EQ(Target.Pixel(20, 15), 0xFF808080u);  // inside stays
    };
    Expect(0);
    EXPECT_TRUE(S->TimerAnt()->Enabled());
    Tick();
    EXPECT_EQ(S->TimerAntIndex(), 1);
    Expect(1);
    // A busy document holds the ants still.
    Doc->SetBusing(true);
    Tick();
    EXPECT_EQ(S->TimerAntIndex(), 1);
    Doc->SetBusing(false);
    for (Integer i = 0; i < 7; ++i) Tick();
    EXPECT_EQ(S->TimerAntIndex(), 0);
    Tick = nullptr;
}

TEST_F(SelectionDoc, OutlineWhileDrawingIsInvertedAndDrawnOnce)
{
    TImgSelection S(Doc.get(), 1, nullptr);
    TCustomBitmap32 Target;
    Target.SetSize(200, 100);
    Target.Clear(0xFF102030);
    S.SetStyleId(0);
    S.SetSRect({100, 50, 110, 60});
    S.DrawControlPoint(&Target);
    EXPECT_EQ(Target.Pixel(100, 50), 0xFFEFDFCFu);
    EXPECT_EQ(Target.Pixel(109, 59), 0xFFEFDFCFu);
    EXPECT_EQ(Target.Pixel(105, 55), 0xFF102030u);
    // The size label's white box stands above the rectangle.
    EXPECT_EQ(Target.Pixel(106, 34), 0xFFFFFFFFu);
    // Styles 2 and 4 show nothing before the pointer moves.
    S.SetStyleId(2);
    S.AddNewPoint(10, 10);
    Target.Clear(0xFF102030);
    S.DrawControlPoint(&Target);
    EXPECT_EQ(Target.Pixel(10, 10), 0xFF102030u);
    S.SetPointMoved({20, 10});
    S.DrawControlPoint(&Target);
    // The pen leaves out the pointer's own pixel, as the platform's does.
    for (Integer x = 10; x < 20; ++x) EXPECT_EQ(Target.Pixel(x, 10), 0xFFEFDFCFu);
    EXPECT_EQ(Target.Pixel(20, 10), 0xFF102030u);
}

TEST_F(SelectionDoc, NodePolygonFromFreehandPoints)
{
    TImgSelection* S = new TImgSelection(Doc.get(), 1, nullptr);
    std::unique_ptr<TImgSelection> Own(S);
    S->SetStyleId(4);
    // A circle drawn one pixel at a time.
    for (Integer a = 0; a < 360 * 4; ++a) {
        const double t = a * 3.14159265358979 / 720;
        S->AddNewPoint(100 + static_cast<Integer>(std::lround(30 * std::cos(t))),
                       50 + static_cast<Integer>(std::lround(30 * std::sin(t))));
    }
    ASSERT_TRUE(S->CreateRegion(true));
    EXPECT_TRUE(S->NodeAntialiasing());
    const Integer n = S->NodeCount();
    ASSERT_GE(n, 8);
    EXPECT_LT(n, S->PointsCount());
    for (Integer i = 0; i < n; ++i) {
        const TPoint& A = S->NodePoints()[static_cast<size_t>(i)];
        const TPoint& B = S->NodePoints()[static_cast<size_t>((i + 1) % n)];
        EXPECT_GE(GPPointDistance(A, B), 3.0f) << "nodes " << i << " and " << (i + 1) % n;
    }
    EXPECT_TRUE(S->PtInShape(100, 50));
    // A node added near an edge splits it; dragging a node reshapes the region.
    const TPoint A = S->NodePoints()[0], B = S->NodePoints()[1];
    const TPoint Mid{(A.X + B.X) / 2, (A.Y + B.Y) / 2};
    S->AddNodePoint(Mid.X, Mid.Y);
    EXPECT_EQ(S->NodeCount(), n + 1);
    EXPECT_EQ(S->NodePoints()[1], Mid);
    TCustomBitmap32 Target;
    Target.SetSize(200, 100);
    S->SetCreating(false);
    S->DrawControlPoint(&Target);
    const TPoint N0 = S->NodePoints()[0];
    ASSERT_TRUE(S->PtInControl(N0.X + 1, N0.Y + 1));
    EXPECT_EQ(S->CurrentCtrIndex(), 1);
    EXPECT_EQ(S->CurrentCursor(), crHandPoint);
    S->Click();
    S->AdjustShape(0, 0, 40, 0);
    EXPECT_EQ(S->NodePoints()[0], (TPoint{N0.X + 40, N0.Y}));
    EXPECT_TRUE(S->PtInShape(N0.X + 10, N0.Y));
}

// A selection without a document whose work bitmaps Z and F the test fills.
class SmoothingFixture : public ::testing::Test {
protected:
    void Size(Integer W, Integer H, TColor32 ZColor, TColor32 FColor)
    {
        Z.SetSize(W, H);
        F.SetSize(W, H);
        Z.Clear(ZColor);
        F.Clear(FColor);
    }
    TCustomBitmap32 Host;
    TImgSelection S{nullptr, 1, &Host};
    TCustomBitmap32& Z = *S.TempBmpZ();
    TCustomBitmap32& F = *S.TempBmpF();
};

TEST_F(SmoothingFixture, StairRunOfSixFades)
{
    // Z: the top row and the pixels left and right of the run are outside;
    // the run of six (1..6, 1) is selected and the bitmap ends below it.
    Size(8, 2, 0xFF4080C0, 0x00FFFFFF);
    for (Integer x = 1; x <= 6; ++x) {
        Z.SetPixel(x, 1, 0x00FFFFFF);
        F.SetPixel(x, 1, 0xFF112233);
    }
    const TPoint Corner{11, 21};  // (1, 1) with Z at image position (10, 20)
    S.SetAliasPoints(&Corner, 1);
    S.AntiAliasing(10, 20);
    const uint32_t ZA[] = {187, 119, 51}, FA[] = {68, 136, 204};
    for (Integer i = 0; i < 3; ++i) {
        EXPECT_EQ(Z.Pixel(1 + i, 1) >> 24, ZA[i]) << i;
        EXPECT_EQ(F.Pixel(1 + i, 1) >> 24, FA[i]) << i;
        EXPECT_EQ(Z.Pixel(1 + i, 1) & 0xFFFFFF, 0x4080C0u) << "the outside colour fills in";
        EXPECT_EQ(F.Pixel(1 + i, 1) & 0xFFFFFF, 0x112233u);
    }
    EXPECT_EQ(Z.Pixel(4, 1) >> 24, 0u);
    EXPECT_EQ(F.Pixel(4, 1) >> 24, 255u);
}

TEST_F(SmoothingFixture, APixelStickingOutTakesItsNeighbours)
{
    Size(3, 2, 0xFF000000, 0);
    Z.SetPixel(0, 0, 0xC0300000);
    Z.SetPixel(2, 0, 0xFF003000);
    Z.SetPixel(1, 0, 0xC0000030);
    Z.SetPixel(1, 1, 0x00FFFFFF);  // left, up and right outside; nothing below
    Z.SetPixel(0, 1, 0xFF300000);
    Z.SetPixel(2, 1, 0xFF003000);
    const TPoint P{1, 1};
    S.SetAliasPoints(&P, 1);
    S.AntiAliasing(0, 0);
    // Half the smallest alpha, the mean of the three colours.
    EXPECT_EQ(Z.Pixel(1, 1), 0x60101010u);
}

TEST_F(SelectionDoc, WorkBitmapsWithAndWithoutFeather)
{
    Doc->SetAntialiasing(false);
    TImgSelection* S = SelectRect({50, 30, 80, 60});
    TRect D;
    Doc->MakeBitmapOfSelection(D);
    EXPECT_EQ(D, (TRect{49, 29, 81, 61}));
    // Without smoothing Z and F are exact complements.
    for (Integer y = 0; y < D.Height(); ++y)
        for (Integer x = 0; x < D.Width(); ++x) {
            const bool In = S->RegionHandle().Contains(D.Left + x, D.Top + y);
            const TColor32 Raster = RasterPixel(D.Left + x, D.Top + y);
            ASSERT_EQ(S->TempBmpZ()->Pixel(x, y), In ? 0x00FFFFFFu : Raster);
            ASSERT_EQ(S->TempBmpF()->Pixel(x, y), In ? Raster : 0x00FFFFFFu);
        }
    // A feather of 4 adds 12 pixels on every side, and the alphas share.
    S->SetFeatherAmount(4);
    Doc->MakeBitmapOfSelection(D);
    EXPECT_EQ(D, (TRect{38, 18, 92, 72}));
    for (Integer y = 0; y < D.Height(); ++y)
        for (Integer x = 0; x < D.Width(); ++x) {
            const Integer Sum = static_cast<Integer>(S->TempBmpZ()->Pixel(x, y) >> 24) +
                                static_cast<Integer>(S->TempBmpF()->Pixel(x, y) >> 24);
            ASSERT_NEAR(Sum, 255, 2) << x << "," << y;
        }
    const Integer Edge = static_cast<Integer>(S->TempBmpF()->Pixel(12, 30) >> 24);
    EXPECT_GT(Edge, 60);
    EXPECT_LT(Edge, 200);
    // The blur's tail is all but gone at the margin's far corner.
    EXPECT_LE(S->TempBmpF()->Pixel(0, 0) >> 24, 3u);
    EXPECT_GE(S->TempBmpF()->Pixel(27, 27) >> 24, 250u);
    // Near the raster's edge the margin is clipped.
    S = SelectRect({2, 3, 20, 20});
    S->SetFeatherAmount(4);
    Doc->MakeBitmapOfSelection(D);
    EXPECT_EQ(D, (TRect{0, 0, 32, 32}));
}

TEST_F(SelectionDoc, RegionToBitmapKeepsOnlyTheSelection)
{
    TImgSelection* S = SelectRect({190, 90, 260, 160});
    Doc->SetSelectionExpanding(true);
    S->CombineRegion(false, 0, {180, 95, 195, 96}, nullptr, 0, {});
    TPoint Origin;
    auto Whole = S->RegionToBitmap(Doc->SrcBmp(), true, false, Origin);
    EXPECT_EQ(Whole->Width(), 200);
    EXPECT_EQ(Whole->Pixel(195, 95), RasterPixel(195, 95));
    EXPECT_EQ(Whole->Pixel(185, 95), RasterPixel(185, 95));
    EXPECT_EQ(Whole->Pixel(185, 94), 0u);
    EXPECT_EQ(Whole->Pixel(0, 0), 0u);
    auto Part = S->RegionToBitmap(Doc->SrcBmp(), false, true, Origin);
    EXPECT_EQ(Origin, (TPoint{180, 90}));
    ASSERT_EQ(Part->Width(), 20);
    ASSERT_EQ(Part->Height(), 10);
    EXPECT_EQ(Part->Pixel(15, 5), RasterPixel(195, 95));
    EXPECT_EQ(Part->Pixel(0, 0), 0u);
    auto Kept = S->RegionToBitmap(Doc->SrcBmp(), false, false, Origin);
    EXPECT_EQ(Kept->Pixel(0, 0), RasterPixel(180, 90));
}

TEST_F(SelectionDoc, DraggingLiftsThePixelsAltCopiesThem)
{
    Doc->SetAntialiasing(false);
    struct {
        bool Alt;
        TColor32 LeftBehind;
    } Cases[] = {{false, 0x00FFFFFF}, {true, RasterPixel(22, 22)}};
    for (const auto& C : Cases) {
        SetUp();
        Doc->SetAntialiasing(false);
        TImgSelection* S = SelectRect({20, 20, 40, 40});
        S->SetUseMoveSelection(true);
        Doc->SetPressAlt(C.Alt);
        S->Click();
        S->MoveShape(25, 25, 75, 35);
        ASSERT_NE(S->SelBitmap(), nullptr);
        EXPECT_TRUE(S->BitmapChanged());
        EXPECT_EQ(Doc->SrcBmp()->Pixel(22, 22), C.LeftBehind) << "Alt " << C.Alt;
        EXPECT_EQ(S->RegionRect(), (TRect{70, 30, 90, 50}));
        // The lifted pixels float with the region until they are put down.
        EXPECT_EQ(Doc->SrcBmp()->Pixel(72, 32), RasterPixel(72, 32));
        S->MoveShape(25, 25, 80, 35);
        EXPECT_EQ(S->RegionRect(), (TRect{75, 30, 95, 50}));
        EXPECT_TRUE(S->FlattenBitmap(true));
        EXPECT_EQ(S->SelBitmap(), nullptr);
        EXPECT_EQ(Doc->SrcBmp()->Pixel(77, 32), RasterPixel(22, 22));
        EXPECT_FALSE(S->FlattenBitmap(true));
    }
}

TEST_F(SelectionDoc, ASelectionOffTheRasterLiftsNothing)
{
    TImgSelection* S = SelectRect({150, 80, 260, 160});
    TRect D;
    auto B = S->GetSelectionBitmap(D);
    ASSERT_NE(B, nullptr);
    // Only the part on the raster is lifted, and the region is clipped to it.
    EXPECT_EQ(B->Width(), 50);
    EXPECT_EQ(B->Height(), 20);
    EXPECT_EQ(S->RegionRect(), (TRect{150, 80, 200, 100}));
    EXPECT_EQ(B->DrawMode(), dmBlend);
    S->SetRegionHandle(TImageRegion(TRect{300, 300, 310, 310}));
    EXPECT_EQ(S->GetSelectionBitmap(D), nullptr);
}

TEST_F(SelectionDoc, SmoothedSelectionsFadeTheirCornersOnly)
{
    // A rectangle's corners are stair corners: with smoothing they fade,
    // the middle of its sides stays hard, and without smoothing nothing fades.
    for (bool Smooth : {true, false}) {
        TImgSelection* S = SelectRect({50, 30, 80, 60}, Smooth);
        EXPECT_EQ(S->AliasPointsCount(), Smooth ? 4 : 0);
        TRect D;
        Doc->MakeBitmapOfSelection(D);
        Integer Soft = 0;
        for (Integer y = 0; y < D.Height(); ++y)
            for (Integer x = 0; x < D.Width(); ++x) {
                const uint32_t a = S->TempBmpZ()->Pixel(x, y) >> 24;
                if (a == 0 || a == 255) continue;
                ++Soft;
                ASSERT_EQ(a + (S->TempBmpF()->Pixel(x, y) >> 24), 255u) << "Z and F share the pixel";
            }
        EXPECT_EQ(Soft > 0, Smooth);
        // The top-left corner pixel is half outside, a side's middle is not.
        EXPECT_EQ(S->TempBmpZ()->Pixel(50 - D.Left, 30 - D.Top) >> 24 != 0, Smooth);
        EXPECT_EQ(S->TempBmpZ()->Pixel(65 - D.Left, 30 - D.Top) >> 24, 0u);
    }
}

TEST_F(SelectionDoc, EllipseAndLineOutlinesWhileDrawing)
{
    TCustomBitmap32 Target;
    Target.SetSize(200, 100);
    TImgSelection S(Doc.get(), 1, nullptr);
    S.SetStyleId(1);
    S.SetSRect({20, 30, 61, 56});
    Target.Clear(0xFF000000);
    S.DrawControlPoint(&Target);
    // The outline touches the middle of each side of its box, not the corners.
    for (const TPoint& P : {TPoint{40, 30}, TPoint{40, 55}, TPoint{20, 43}, TPoint{60, 43}})
        EXPECT_EQ(Target.Pixel(P.X, P.Y), 0xFFFFFFFFu) << P.X << "," << P.Y;
    for (const TPoint& P : {TPoint{20, 30}, TPoint{60, 55}, TPoint{40, 43}})
        EXPECT_EQ(Target.Pixel(P.X, P.Y), 0xFF000000u) << P.X << "," << P.Y;
    // Below 3 x 3 an ellipse shows nothing.
    S.SetSRect({20, 70, 22, 90});
    Target.Clear(0xFF000000);
    S.DrawControlPoint(&Target);
    EXPECT_EQ(Target.Pixel(20, 70), 0xFF000000u);
    // A row selection shows a line across the raster.
    S.SetStyleId(9);
    S.SetPointMoved({40, 77});
    S.DrawControlPoint(&Target);
    EXPECT_EQ(Target.Pixel(0, 77), 0xFFFFFFFFu);
    EXPECT_EQ(Target.Pixel(199, 77), 0xFFFFFFFFu);
    EXPECT_EQ(Target.Pixel(100, 76), 0xFF000000u);
}
