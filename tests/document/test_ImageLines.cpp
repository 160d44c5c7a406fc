// The pencil stroke: its points and their room, the rectangle, the ratios and
// the scaling they give, thinning, hit tests, moving, the texts of its row
// (damaged ones included), the drawing plan with the nibs' outlines, and a
// stroke drawn, thinned, stored and rebuilt by a document.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "DocumentTestView.h"
#include "document/ImageLines.h"

namespace {
// A stand-alone stroke through Points.
struct TStroke : TImgLines {
    TStroke(std::initializer_list<TPoint> Points, Integer Style = 0, Integer Width = 1)
        : TImgLines(nullptr, -1, nullptr)
    {
        for (const TPoint& P : Points) AddNewPoint(P.X, P.Y);
        SetStyleId(Style);
        SetOutWidth(Width);
    }
};

// A stroke finished as the document finishes one.
void Finish(TImgLines& L)
{
    L.CalcRect();
    L.CalcPointsRatio();
    L.SetCreating(false);
}

std::vector<TPoint> Pts(std::initializer_list<TPoint> P) { return std::vector<TPoint>(P); }
}  // namespace

TEST(ImageLines, PointsGrowByDoubling)
{
    TImgLines L(nullptr, -1, nullptr);
    EXPECT_EQ(L.ShapeType(), shLines);
    EXPECT_EQ(L.ControlMode(), 3);
    EXPECT_EQ(L.PointsCount(), 0);
    EXPECT_EQ(L.PointsAllocatedCount(), 10);
    for (Integer i = 0; i < 11; ++i) L.AddNewPoint(i, 5);  // repeats are kept too
    L.AddNewPoint(10, 5);
    EXPECT_EQ(L.PointsCount(), 12);
    EXPECT_EQ(L.PointsAllocatedCount(), 20);
    EXPECT_EQ(L.Points().back(), (TPoint{10, 5}));
    L.ClearPoints();
    EXPECT_EQ(L.PointsCount(), 0);
    EXPECT_EQ(L.PointsAllocatedCount(), 10);

    // A stroke read with no points has no room: adding must still make some.
    L.SetPoints(u"");
    EXPECT_EQ(L.PointsAllocatedCount(), 0);
    L.AddNewPoint(3, 4);
    L.AddNewPoint(5, 6);
    EXPECT_EQ(L.Points(), Pts({{3, 4}, {5, 6}}));
}

TEST(ImageLines, CalcRect)
{
    struct Case {
        const char* Name;
        std::vector<TPoint> Points;
        Integer Style, Width;
        TRect Expected;
    };
    const Case Cases[] = {
        {"round dot", {{100, 50}}, 0, 8, {96, 46, 104, 54}},
        {"square dot, odd width", {{100, 50}}, 1, 7, {97, 47, 104, 54}},
        {"a click reported twice is a dot", {{100, 50}, {100, 50}}, 0, 8, {96, 46, 104, 54}},
        {"nib dot: the pixel's box", {{100, 50}}, 2, 8, {100, 50, 101, 51}},
        {"stroke: box one past the largest", {{10, 40}, {30, 5}, {20, 60}}, 0, 8, {10, 5, 31, 61}},
    };
    for (const Case& C : Cases) {
        TImgLines L(nullptr, -1, nullptr);
        for (const TPoint& P : C.Points) L.AddNewPoint(P.X, P.Y);
        L.SetStyleId(C.Style);
        L.SetOutWidth(C.Width);
        L.CalcRect();
        EXPECT_EQ(L.SRect(), C.Expected) << C.Name;
    }
    // No point: the rectangle stays as it is.
    TImgLines Empty(nullptr, -1, nullptr);
    Empty.SetSRect({1, 2, 3, 4});
    Empty.CalcRect();
    EXPECT_EQ(Empty.SRect(), (TRect{1, 2, 3, 4}));
}

TEST(ImageLines, RatiosScaleTheStroke)
{
    // A click: both ratios 0.49, and the dot stays on its point.
    TStroke Dot({{100, 50}}, 0, 8);
    Finish(Dot);
    EXPECT_EQ(Dot.PointsRX(), std::vector<Single>{0.49f});
    EXPECT_EQ(Dot.PointsRY(), std::vector<Single>{0.49f});
    Dot.CalcPoints(false);
    EXPECT_EQ(Dot.Points(), Pts({{100, 50}}));
    TStroke Twice({{100, 50}, {100, 50}}, 1, 8);
    Finish(Twice);
    EXPECT_EQ(Twice.PointsRX(), (std::vector<Single>{0.49f, 0.49f}));
    EXPECT_TRUE(Twice.PtInShape(104, 50));

    TStroke L({{10, 10}, {50, 10}, {30, 30}});  // box 41 x 21
    Finish(L);
    EXPECT_FLOAT_EQ(L.PointsRX()[1], 40.0f / 41);
    EXPECT_FLOAT_EQ(L.PointsRY()[2], 20.0f / 21);
    // While it is drawn the points are the master; afterwards the ratios.
    L.SetCreating(true);
    L.SetSRect({10, 10, 92, 52});
    L.CalcPoints(false);
    EXPECT_EQ(L.Points(), Pts({{10, 10}, {50, 10}, {30, 30}}));
    L.SetCreating(false);
    L.CalcPoints(false);
    EXPECT_EQ(L.Points(), Pts({{10, 10}, {90, 10}, {50, 50}}));

    // A box without width or height gives ratios of 0 on that axis.
    TStroke Flat({{10, 10}, {50, 10}});
    Flat.SetSRect({10, 10, 10, 10});
    Flat.CalcPointsRatio();
    EXPECT_EQ(Flat.PointsRX(), (std::vector<Single>{0, 0}));
}

TEST(ImageLines, VerifyPoints)
{
    struct Case {
        const char* Name;
        TRect Box;
        std::vector<TPoint> Points;
        std::vector<TPoint> Kept;
    };
    const Case Cases[] = {
        {"first and last stay, however close", {0, 0, 200, 200}, {{0, 0}, {1, 0}, {2, 0}}, {{0, 0}, {2, 0}}},
        {"two pixels on always go", {0, 0, 20, 20}, {{0, 0}, {2, 0}, {2, 2}, {40, 40}}, {{0, 0}, {40, 40}}},
        {"a stroke 20 tall keeps a point 12 on, straight or not",
         {0, 0, 200, 20},
         {{0, 0}, {12, 0}, {24, 0}, {36, 1}},
         {{0, 0}, {12, 0}, {24, 0}, {36, 1}}},
        // (19, 1) would go as well, seen from (0, 0) in the direction of
        // (40, 2); the skip left by the point before keeps it.
        {"200 x 200: 12 on, next within 6 degrees: goes, and the next one stays",
         {0, 0, 200, 200},
         {{0, 0}, {12, 0}, {19, 1}, {40, 2}, {60, 2}},
         {{0, 0}, {19, 1}, {40, 2}, {60, 2}}},
        {"200 x 200: 12 on, next 6 degrees off or more: stays",
         {0, 0, 200, 200},
         {{0, 0}, {12, 0}, {24, 5}, {60, 60}},
         {{0, 0}, {12, 0}, {24, 5}, {60, 60}}},
        {"20 on or more always stays", {0, 0, 200, 200}, {{0, 0}, {20, 0}, {40, 0}}, {{0, 0}, {20, 0}, {40, 0}}},
        // 8 px away at 352.9 degrees, the next at 3.8 degrees: 10.9 apart
        // across 0, within the near tolerance of 15; read as 349 apart it
        // would stay.
        {"355 and 5 degrees are 10 apart", {0, 0, 200, 200}, {{100, 100}, {108, 99}, {130, 102}}, {{100, 100}, {130, 102}}},
        {"5 and 355 degrees likewise", {0, 0, 200, 200}, {{100, 100}, {108, 101}, {130, 98}}, {{100, 100}, {130, 98}}},
        {"near points 15 degrees apart or more stay",
         {0, 0, 200, 200},
         {{100, 100}, {108, 100}, {130, 110}},
         {{100, 100}, {108, 100}, {130, 110}}},
    };
    for (const Case& C : Cases) {
        TImgLines L(nullptr, -1, nullptr);
        for (const TPoint& P : C.Points) L.AddNewPoint(P.X, P.Y);
        L.SetSRect(C.Box);
        L.VerifyPoints();
        EXPECT_EQ(L.Points(), C.Kept) << C.Name;
        EXPECT_EQ(L.PointsAllocatedCount(), L.PointsCount()) << C.Name;
    }
}

TEST(ImageLines, PtInShape)
{
    TStroke Dot({{100, 50}}, 0, 8);  // reach 8 div 2 + 1 = 5
    Finish(Dot);
    TStroke Diagonal({{10, 10}, {50, 50}}, 0, 4);  // reach 3, inside the box only
    Finish(Diagonal);
    TStroke Upright({{10, 10}, {10, 50}}, 1, 4);
    Finish(Upright);
    Upright.SetSRect({10, 10, 10, 50});  // no width: the rectangle's diagonal
    TStroke NibDot({{100, 50}}, 2, 8);
    Finish(NibDot);
    // Drawn straight across: the box is one pixel thick, the reach is 2.
    TStroke Flat({{10, 150}, {60, 150}}, 0, 3);
    Finish(Flat);
    TStroke Plumb({{40, 10}, {40, 90}}, 1, 3);
    Finish(Plumb);
    struct Case {
        TImgLines* L;
        TPoint P;
        bool Hit;
    };
    const Case Cases[] = {
        {&Dot, {105, 50}, true},      {&Dot, {106, 50}, false},     {&Dot, {103, 54}, true},
        {&Diagonal, {32, 28}, true},  {&Diagonal, {35, 28}, false}, {&Diagonal, {9, 9}, false},
        {&Upright, {13, 30}, true},   {&Upright, {14, 30}, false},  {&NibDot, {100, 50}, false},
        {&Flat, {30, 150}, true},     {&Flat, {30, 149}, true},     {&Flat, {30, 151}, true},
        {&Flat, {30, 152}, true},     {&Flat, {30, 153}, false},    {&Flat, {62, 150}, true},
        {&Flat, {63, 150}, false},    {&Plumb, {38, 50}, true},     {&Plumb, {42, 50}, true},
        {&Plumb, {43, 50}, false},    {&Plumb, {40, 8}, true},      {&Plumb, {41, 7}, false},
    };
    for (const Case& C : Cases) {
        C.L->SetCurrentCtrIndex(5);
        C.L->SetCurrentCursor(0);
        EXPECT_EQ(C.L->PtInShape(C.P.X, C.P.Y), C.Hit) << C.P.X << "," << C.P.Y;
        EXPECT_EQ(C.L->CurrentCtrIndex(), C.Hit ? -1 : 5);
        EXPECT_EQ(C.L->CurrentCursor(), C.Hit ? crSizeAll : 0);
    }
}

TEST(ImageLines, MovingKeepsTheRatios)
{
    TStroke L({{10, 10}, {50, 30}});
    Finish(L);
    const std::vector<Single> RX = L.PointsRX();
    L.OffsetShape(5, -5);
    EXPECT_EQ(L.Points(), Pts({{15, 5}, {55, 25}}));
    L.PrepareMove();
    L.MoveShape(100, 100, 103, 104);
    L.MoveShape(100, 100, 104, 104);  // a step from where the last one ended
    EXPECT_EQ(L.Points(), Pts({{19, 9}, {59, 29}}));
    EXPECT_EQ(L.SRect(), (TRect{19, 9, 60, 30}));
    EXPECT_EQ(L.StartX(), 104);
    EXPECT_EQ(L.PointsRX(), RX);
    L.CalcPoints(false);
    EXPECT_EQ(L.Points(), Pts({{19, 9}, {59, 29}}));
}

TEST(ImageLines, Texts)
{
    TStroke L({{10, 20}, {30, 40}, {11, 21}});
    EXPECT_EQ(L.GetPoints(), u"10.30.11.20.40.21");
    L.SetSRect({10, 20, 30, 40});
    L.CalcPointsRatio();
    EXPECT_EQ(L.GetPointsRatio(), u"0/1/0.05/0/1/0.05");

    // Read back: the points, then the ratios for them.
    TImgLines Back(nullptr, -1, nullptr);
    Back.SetSRect({10, 20, 30, 40});
    Back.SetPoints(L.GetPoints());
    EXPECT_TRUE(Back.PointsRX().empty());  // the ratios are left alone
    Back.SetPointsRatio(L.GetPointsRatio());
    EXPECT_EQ(Back.Points(), L.Points());
    EXPECT_EQ(Back.PointsRX(), L.PointsRX());
    EXPECT_EQ(Back.PointsRY(), L.PointsRY());

    // Every ratio a Single holds reads back exactly.
    TStroke Odd({{0, 0}, {1, 2}, {2, 1}});
    Odd.SetSRect({0, 0, 3, 7});
    Odd.CalcPointsRatio();
    TStroke OddBack({{0, 0}, {1, 2}, {2, 1}});
    OddBack.SetPointsRatio(Odd.GetPointsRatio());
    EXPECT_EQ(OddBack.PointsRX(), Odd.PointsRX());
    EXPECT_EQ(OddBack.PointsRY(), Odd.PointsRY());
}

TEST(ImageLines, DamagedTexts)
{
    // Ratio texts that do not fit the two points: the ratios come from the
    // points instead (box 10..30 x 20..40: 0 and 1).
    const char16_t* BadRatios[] = {
        u"0.5/0.5/0.5",           // odd count
        u"0.5/0.5",               // one point's worth
        u"0.5/0.5/0.5/0.5/0.5/0.5",  // three points' worth
        u"0.5/x/0.5/0.5",         // not a number
        u"0.5/nan/0.5/0.5",       // no "nan" or "inf"
        u"0.5/1e999/0.5/0.5",     // beyond any float
        u"0.5//0.5/0.5",          // an empty item
        u"/",
    };
    for (const char16_t* Text : BadRatios) {
        TStroke L({{10, 20}, {29, 39}});
        L.SetSRect({10, 20, 30, 40});
        L.SetPointsRatio(Text);
        EXPECT_EQ(L.PointsRX(), (std::vector<Single>{0, 0.95f})) << String(Text).size();
        EXPECT_EQ(L.PointsRY(), (std::vector<Single>{0, 0.95f}));
    }
    // Numbers far outside the rectangle are kept inside it.
    TStroke Far({{10, 20}, {29, 39}});
    Far.SetSRect({10, 20, 30, 40});
    Far.SetPointsRatio(u"-1e30/1e30/0.5/2");
    EXPECT_EQ(Far.PointsRX(), (std::vector<Single>{0, 1}));
    EXPECT_EQ(Far.PointsRY(), (std::vector<Single>{0.5f, 1}));
    Far.SetCreating(false);
    Far.CalcPoints(false);
    EXPECT_EQ(Far.Points(), Pts({{10, 30}, {30, 40}}));

    // Point texts: not numbers gives no points; an odd last item is dropped;
    // coordinates beyond any picture are held where the rectangle's sums
    // cannot overflow.
    struct Case {
        const char16_t* Text;
        std::vector<TPoint> Points;
    };
    const Case Cases[] = {
        {u"1.2.x", {}},
        {u"1.2.3", {{1, 2}}},
        {u"2147483647.-2147483648", {{1 << 28, -(1 << 28)}}},
        {u"", {}},
    };
    for (const Case& C : Cases) {
        TImgLines L(nullptr, -1, nullptr);
        L.SetStyleId(2);
        L.SetPoints(C.Text);
        EXPECT_EQ(L.Points(), C.Points) << String(C.Text).size();
        L.CalcRect();
        L.SetPointsRatio(u"");
        L.PtInShape(0, 0);
        L.BuildDrawing();
    }
}

TEST(ImageLines, DrawingPlan)
{
    using D = TLinesDrawing;
    struct Case {
        const char* Name;
        std::vector<TPoint> Points;
        Integer Style, Width;
        D::TFilled Tip;
        TRect TipRect;
        bool Pen, RoundCaps, RoundJoins, Nib;
    };
    const Case Cases[] = {
        {"round dot", {{100, 50}}, 0, 8, D::fCircle, {96, 46, 104, 54}, false, false, false, false},
        {"one-pixel round dot is a pixel", {{100, 50}}, 0, 1, D::fSquare, {100, 50, 101, 51}, false, false, false, false},
        {"square dot", {{100, 50}}, 1, 8, D::fSquare, {96, 46, 104, 54}, false, false, false, false},
        {"nib dot: nothing", {{100, 50}}, 3, 8, D::fNone, {}, false, false, false, false},
        {"a click reported twice", {{100, 50}, {100, 50}}, 0, 8, D::fCircle, {96, 46, 104, 54}, false, false, false, false},
        {"round stroke", {{0, 0}, {9, 9}}, 0, 8, D::fNone, {}, true, true, true, false},
        {"square stroke", {{0, 0}, {9, 9}}, 1, 8, D::fNone, {}, true, false, true, false},
        {"nib stroke", {{0, 0}, {9, 9}}, 2, 8, D::fNone, {}, false, false, false, true},
    };
    for (const Case& C : Cases) {
        TImgLines L(nullptr, -1, nullptr);
        for (const TPoint& P : C.Points) L.AddNewPoint(P.X, P.Y);
        L.SetStyleId(C.Style);
        L.SetOutWidth(C.Width);
        const D Plan = L.BuildDrawing();
        EXPECT_EQ(Plan.Tip, C.Tip) << C.Name;
        if (C.Tip != D::fNone) EXPECT_EQ(Plan.TipRect, C.TipRect) << C.Name;
        EXPECT_EQ(Plan.Points.size() >= 2, C.Pen) << C.Name;
        EXPECT_EQ(Plan.RoundCaps, C.RoundCaps) << C.Name;
        EXPECT_EQ(Plan.RoundJoins, C.RoundJoins) << C.Name;
        EXPECT_EQ(!Plan.NibQuads.empty(), C.Nib) << C.Name;
        EXPECT_EQ(Plan.Mark, D::fNone) << C.Name;
    }
    EXPECT_TRUE(TImgLines(nullptr, -1, nullptr).BuildDrawing().Empty());

    // Straight while drawn or unthinned; a curve once thinned and finished.
    struct CurveCase {
        bool Creating, Debounce, Curve;
    };
    for (CurveCase C : {CurveCase{true, true, false}, {false, false, false}, {false, true, true}}) {
        TStroke L({{0, 0}, {9, 9}, {20, 0}});
        L.SetCreating(C.Creating);
        L.SetDebounce(C.Debounce);
        EXPECT_EQ(L.BuildDrawing().Curve, C.Curve);
    }

    // The style menu's pictures (no document, id 0) get a mark; the
    // highlighter's pen (id -1) and strokes of a document do not.
    for (Integer Style : {0, 1, 2}) {
        TImgLines Preview(nullptr, 0, nullptr);
        Preview.AddNewPoint(10, 10);
        Preview.AddNewPoint(20, 20);
        Preview.SetStyleId(Style);
        const D Plan = Preview.BuildDrawing();
        EXPECT_EQ(Plan.Mark, Style == 0 ? D::fCircle : Style == 1 ? D::fSquare : D::fNone);
        if (Style < 2) EXPECT_EQ(Plan.MarkRect, (TRect{44, 40, 49, 45}));
    }
    TTestView View;
    auto Doc = NewBlankDocument(View, 10, 10, false);
    TImgLines Owned(Doc.get(), 0, nullptr);
    Owned.AddNewPoint(1, 1);
    Owned.AddNewPoint(5, 5);
    EXPECT_EQ(Owned.BuildDrawing().Mark, D::fNone);
}

// The nibs: the stroke's thickness across a straight run depends on its
// direction, as a flat pen held at a slant draws.
TEST(ImageLines, NibThickness)
{
    struct Case {
        Integer Style;
        TPoint To;
        Single Thickness;  // in pen widths
    };
    const Single S = 0.5f / std::sqrt(2.0f);
    const Case Cases[] = {
        {2, {100, 0}, 1},   {2, {0, 100}, std::sqrt(1.25f)}, {2, {100, 100}, S}, {2, {100, -100}, std::sqrt(2.125f)},
        {3, {100, 0}, 1},   {3, {0, 100}, std::sqrt(1.25f)}, {3, {100, -100}, S}, {3, {100, 100}, std::sqrt(2.125f)},
    };
    for (const Case& C : Cases) {
        TStroke L({{0, 0}, C.To}, C.Style, 10);
        const TLinesDrawing Plan = L.BuildDrawing();
        ASSERT_EQ(Plan.NibQuads.size(), 1u);
        const auto& Q = Plan.NibQuads[0];
        // The distance between the two long sides, across the run.
        const Single Len = std::hypot(static_cast<Single>(C.To.X), static_cast<Single>(C.To.Y));
        const Single NX = -C.To.Y / Len, NY = C.To.X / Len;
        const Single Across = std::fabs((Q[0].X - Q[3].X) * NX + (Q[0].Y - Q[3].Y) * NY);
        EXPECT_NEAR(Across, 10 * C.Thickness, 1e-3) << C.Style << " to " << C.To.X << "," << C.To.Y;
    }
    // A bend adds the joining piece; a curve is swept along its samples.
    TStroke Bent({{0, 0}, {50, 0}, {50, 50}}, 2, 10);
    EXPECT_EQ(Bent.BuildDrawing().NibQuads.size(), 3u);
    Bent.SetCreating(false);
    Bent.SetDebounce(true);
    EXPECT_GT(Bent.BuildDrawing().NibQuads.size(), 3u);
    // Points on one spot have no direction to sweep.
    EXPECT_TRUE(TStroke({{5, 5}, {5, 5}}, 3, 10).BuildDrawing().Empty());
}

TEST(ImageLines, CardinalSplinePassesThroughThePoints)
{
    const std::vector<TPoint> P{{0, 0}, {40, 10}, {80, 0}, {120, 30}};
    const std::vector<TFloatPoint> C = CardinalSplinePoints(P, 4);
    ASSERT_EQ(C.size(), 13u);
    for (size_t i = 0; i < P.size(); ++i) EXPECT_EQ(C[4 * i], (TFloatPoint{Single(P[i].X), Single(P[i].Y)})) << i;
    // The middle of the first span bulges towards the second point's side
    // of the chord, as the neighbours pull it.
    EXPECT_GT(C[2].Y, 5.0f);
    EXPECT_EQ(CardinalSplinePoints({{1, 2}, {3, 4}}, 4).size(), 2u);
}

// ---------------------------------------------------------------------------
// A stroke drawn in a document

namespace {
class LinesDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 400, 300, false);
        Doc->InitBitmap();
        Defaults = std::make_unique<TDataTable>();
        AddEmptyDefaultRows(*Defaults);
        TRow* R = Defaults->GetItem(shLines);
        for (auto [Col, Value] : {std::pair{14, 0x0000FF}, {16, 255}, {18, 4}, {27, -1}, {28, -1}, {29, -1}})
            R->GetItem(Col)->SetValue(Value);
        Doc->SetPropDT(Defaults.get());
    }
    // A drag through Points, as the main window reports it.
    TImgLines* Drag(const std::vector<TPoint>& Points)
    {
        Doc->CreateShape(shLines);
        for (const TPoint& P : Points) Doc->DrawShape(Points[0].X, Points[0].Y, P.X, P.Y);
        Doc->CreateShapeOver(false);
        return dynamic_cast<TImgLines*>(Doc->Shape());
    }
    TRow& LastRow() { return *Doc->DT()->GetItem(Doc->DT()->ItemCount() - 1); }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    std::unique_ptr<TDataTable> Defaults;
};

// A wavy stroke drawn in small steps.
std::vector<TPoint> Loop()
{
    std::vector<TPoint> P;
    for (Integer i = 0; i <= 120; ++i)
        P.push_back(TPoint{100 + static_cast<Integer>(Round(60 * std::sin(i * 0.05))), 100 + i / 2});
    return P;
}
}  // namespace

TEST_F(LinesDocument, DebouncedStrokeIsThinnedStoredAndRebuilt)
{
    Doc->SetPencilDebounce(true);
    const std::vector<TPoint> Drawn = Loop();
    TImgLines* L = Drag(Drawn);
    ASSERT_NE(L, nullptr);
    EXPECT_TRUE(L->Debounce());
    EXPECT_TRUE(L->Fixed());       // pencil strokes are not editable by default
    EXPECT_FALSE(L->Selected());
    EXPECT_FALSE(L->Creating());
    EXPECT_LT(L->PointsCount(), static_cast<Integer>(Drawn.size()) / 2);
    EXPECT_EQ(L->Points().front(), Drawn.front());
    EXPECT_EQ(L->Points().back(), Drawn.back());
    EXPECT_EQ(L->PointsRX().size(), static_cast<size_t>(L->PointsCount()));
    TRect Box;
    GetPointsRect(L->Points(), Box);
    EXPECT_EQ(L->SRect(), (TRect{Box.Left, Box.Top, Box.Right + 1, Box.Bottom + 1}));

    Doc->StoreShapeGeometry();
    TRow& Row = LastRow();
    EXPECT_EQ(Row.GetItem(41)->Text(), L->GetPoints());
    EXPECT_EQ(Row.GetItem(42)->Text(), u"-1");
    EXPECT_EQ(Row.GetItem(43)->Text(), L->GetPointsRatio());
    const TArrayOfPoint Points = L->Points();
    const std::vector<Single> RX = L->PointsRX(), RY = L->PointsRY();

    Doc->SetPencilEditable(true);
    Doc->CreateShapeObjects(-1);
    auto* Back = dynamic_cast<TImgLines*>(TImageDraw::RowShape(&LastRow()));
    ASSERT_NE(Back, nullptr);
    EXPECT_NE(Back, L);
    EXPECT_EQ(Back->Points(), Points);
    EXPECT_EQ(Back->PointsRX(), RX);
    EXPECT_EQ(Back->PointsRY(), RY);
    EXPECT_TRUE(Back->Debounce());
    EXPECT_FALSE(Back->Fixed());  // rebuilt as the document's option says
    EXPECT_TRUE(Back->BuildDrawing().Curve);

    // An empty ratio column is computed from the points.
    Row.GetItem(43)->SetText(u"");
    Doc->CreateShapeObjects(-1);
    Back = dynamic_cast<TImgLines*>(TImageDraw::RowShape(&LastRow()));
    EXPECT_EQ(Back->PointsRX(), RX);

    // Through the document stream, as a saved document reopens.
    const TImageDrawHooks Saved = ImageDrawHooks;
    auto Restore = ScopeExit([&] { ImageDrawHooks = Saved; });
    std::unique_ptr<TMemoryStream> Stream = std::make_unique<TMemoryStream>();
    Doc->SaveToStream(Stream);
    ASSERT_NE(Stream, nullptr);
    TImageDraw Reopened(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, Stream.get(), 1, 1, 0,
                        false, -1);
    TRow* Last = Reopened.DT()->GetItem(Reopened.DT()->ItemCount() - 1);
    auto* Again = dynamic_cast<TImgLines*>(TImageDraw::RowShape(Last));
    ASSERT_NE(Again, nullptr);
    EXPECT_EQ(Again->Points(), Points);
    EXPECT_EQ(Again->PointsRX(), RX);
    EXPECT_EQ(Again->PointsRY(), RY);
    EXPECT_TRUE(Again->Debounce());
}

// A stroke that ends where it began is thinned by its own size, not by the
// box of its press and its last point (which would keep every point 10 or
// more pixels on). A circle of radius 100 in 12-pixel steps turns about 3
// degrees a step: within the tolerance of 6 for such a large stroke.
TEST_F(LinesDocument, AClosedStrokeIsThinnedByItsOwnSize)
{
    Doc->SetPencilDebounce(true);
    std::vector<TPoint> Circle;
    for (Integer i = 0; i <= 52; ++i) {
        const Extended A = 2 * std::numbers::pi * i / 52;
        Circle.push_back(TPoint{200 + static_cast<Integer>(Round(100 * std::cos(A))),
                                150 + static_cast<Integer>(Round(100 * std::sin(A)))});
    }
    TImgLines* L = Drag(Circle);
    EXPECT_LT(L->PointsCount(), 40);
    EXPECT_EQ(L->Points().front(), Circle.front());
    EXPECT_EQ(L->Points().back(), Circle.back());
}

TEST_F(LinesDocument, WithoutDebounceEveryPointStays)
{
    const std::vector<TPoint> Drawn = Loop();
    TImgLines* L = Drag(Drawn);
    EXPECT_FALSE(L->Debounce());
    EXPECT_EQ(L->Points(), Drawn);
    Doc->StoreShapeGeometry();
    EXPECT_EQ(LastRow().GetItem(42)->Text(), u"0");
    EXPECT_FALSE(L->BuildDrawing().Curve);
    // A click without moving: a dot whose box is centred on it.
    TImgLines* Dot = Drag({{50, 60}});
    EXPECT_EQ(Dot->SRect(), (TRect{48, 58, 52, 62}));
    EXPECT_EQ(Dot->PointsRX(), std::vector<Single>{0.49f});
}

TEST_F(LinesDocument, ResizingScalesThePoints)
{
    Doc->SetPencilEditable(true);
    TImgLines* L = Drag({{100, 100}, {110, 120}, {140, 110}});  // box 100..141 x 100..121
    ASSERT_FALSE(L->Fixed());
    EXPECT_TRUE(Doc->LocateShape(0, 0, 110, 120));
    Doc->ClickShape(selOne, L->Id());
    L->CalcControlPoints();
    // The bottom-right handle dragged 41 right and 21 down: twice the size.
    L->SetCurrentCtrIndex(3);
    L->Click();
    Doc->DrawShape(141, 121, 182, 142);
    Doc->AdjustShapeOver();
    EXPECT_EQ(L->SRect(), (TRect{100, 100, 182, 142}));
    EXPECT_EQ(L->Points(), Pts({{100, 100}, {120, 140}, {180, 120}}));
}
