// Paint tools: pencil, eraser, brush and clone stamp driven as the main
// window drives them (press, moves, release), the spacing the brush styles
// give, the Shift axis lock and straight continuation, the clone source, what
// the strokes do to the raster's alpha, and damaged styles, widths and calls
// out of order that must paint nothing rather than fail.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "DocumentTestView.h"
#include "GoldenPicture.h"
#include "PixelSets.h"
#include "foundation/HyPresets.h"

namespace {
constexpr TColor32 White = 0xFFFFFFFF;

// A style picture: Ink where Dark(x, y), white elsewhere.
template <class F>
std::unique_ptr<TCustomBitmap32> StylePicture(Integer W, Integer H, F Dark)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) B->SetPixel(x, y, Dark(x, y) ? 0xFF000000 : White);
    return B;
}
std::unique_ptr<TCustomBitmap32> SolidPicture(Integer W = 8, Integer H = 8)
{
    return StylePicture(W, H, [](Integer, Integer) { return true; });
}

// Cells 8 (fixed spacing), 9 (spacing or divisor) and 10 (addend) of a style row.
struct TStyleCells {
    const char16_t *Fixed, *Spacing, *Addend;
};

// The program-wide style table replaced for one test.
class TTestBrushTable {
public:
    TTestBrushTable() : FSaved(std::move(BrushTable)) { BrushTable = std::make_unique<TDataTable>(); }
    ~TTestBrushTable() { BrushTable = std::move(FSaved); }
    void Clear() { BrushTable = std::make_unique<TDataTable>(); }
    // The new row's index.
    Integer Add(const TStyleCells& C, std::unique_ptr<TCustomBitmap32> Picture)
    {
        TRow* Row = BrushTable->AddItem(u"0,,,,,,,,,,,,,,,,");
        Row->GetItem(8)->SetText(C.Fixed);
        Row->GetItem(9)->SetText(C.Spacing);
        Row->GetItem(10)->SetText(C.Addend);
        if (Picture) Row->Data().Own(std::move(Picture));
        return BrushTable->ItemCount() - 1;
    }

private:
    std::unique_ptr<TDataTable> FSaved;
};

// The main window's side of a stroke: mouse points in, the dab's corner out
// (centred on the mouse for brush and stamp).
struct TPainter {
    std::unique_ptr<TImageDraw>& DocPtr;  // the fixture's, replaced by each SetUp
    TColor Color = 0;  // black
    Integer Opacity = 255;
    Integer Style = -1;

    TImageDraw& Doc() const { return *DocPtr; }
    void Choose(TProcessBitmapMode Mode, Integer Width, Integer AStyle = -1)
    {
        Doc().SetProcessMode(Mode);
        Doc().SetProcessWidth(Width);
        Doc().SetProcessX(NoStartPoint);
        Style = AStyle;
    }
    Integer Half() const
    {
        const bool Centred = Doc().ProcessMode() == pbmBrush || Doc().ProcessMode() == pbmStamp;
        return Centred ? Doc().ProcessWidth() / 2 : 0;
    }
    void Press(Integer X, Integer Y, bool Shift = false)
    {
        Doc().SetPressSht(Shift);
        Doc().SetLeftMouseDown(true);
        Doc().ProcessBitmapBegin(X - Half(), Y - Half(), Opacity, Color, Style);
        Doc().ProcessBitmap(false, X - Half(), Y - Half());
    }
    void Move(Integer X, Integer Y) { Doc().ProcessBitmap(true, X - Half(), Y - Half()); }
    void Release()
    {
        Doc().SetLeftMouseDown(false);
        Doc().ProcessBitmapEnd();
    }
    void Stroke(std::initializer_list<TPoint> Points, bool Shift = false)
    {
        auto P = Points.begin();
        Press(P->X, P->Y, Shift);
        for (++P; P != Points.end(); ++P) Move(P->X, P->Y);
        Release();
    }
};

// The pixels of B that differ from Reference.
TPixels Changed(TCustomBitmap32& B, TCustomBitmap32& Reference)
{
    TPixels S;
    for (Integer y = 0; y < B.Height(); ++y)
        for (Integer x = 0; x < B.Width(); ++x)
            if (B.Pixel(x, y) != Reference.Pixel(x, y)) S.insert({x, y});
    return S;
}

Integer Channel(TColor32 C) { return Integer(C & 0xFF); }

class PaintTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 360, 160, false, 0xFFFFFF);
        Doc->InitBitmap();
        Before.Assign(Doc->SrcBmp());
    }
    TPixels Painted() { return Changed(*Doc->SrcBmp(), Before); }
    TColor32 At(Integer X, Integer Y) { return Doc->SrcBmp()->Pixel(X, Y); }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    TCustomBitmap32 Before;
    TPainter Paint{Doc};
    TTestBrushTable Styles;
};

// ---------------------------------------------------------------------------
// Pencil and eraser

TEST_F(PaintTools, PencilAtHalfOpacityDoesNotDarkenWithinAStrokeButAcrossStrokes)
{
    Paint.Choose(pbmPencil, 3);
    Paint.Opacity = 128;
    Paint.Stroke({{10, 10}, {20, 10}, {10, 10}, {20, 10}});
    const TColor32 Once = At(11, 11);
    EXPECT_NEAR(Channel(Once), 255 - 128, 1);
    // Every pixel of the stroke has the one colour, crossed or not.
    for (auto [x, y] : Painted()) ASSERT_EQ(At(x, y), Once) << x << "," << y;
    EXPECT_EQ(Bounds(Painted()), (TRect{10, 10, 23, 13}));

    Paint.Stroke({{10, 10}});
    EXPECT_NEAR(Channel(At(11, 11)), (255 - 128) * 127 / 255, 2);
    EXPECT_EQ(At(21, 11), Once);
}

TEST_F(PaintTools, SquareDabsHangRightAndDownFromTheMouse)
{
    const struct {
        TProcessBitmapMode Mode;
        Integer Opacity;
        TColor32 Expected;
    } Cases[] = {
        {pbmPencil, 255, 0xFFFF0000},
        {pbmPencil, 400, 0xFFFF0000},  // clamped to opaque
        {pbmEraser, 255, 0x00FFFFFF},  // transparent white, not the canvas colour
        {pbmEraser, 10, 0x00FFFFFF},
    };
    for (const auto& C : Cases) {
        SetUp();
        Paint.Choose(C.Mode, 4);
        Paint.Opacity = C.Opacity;
        Paint.Color = 0x0000FF;  // red
        Paint.Stroke({{30, 20}});
        EXPECT_EQ(Bounds(Painted()), (TRect{30, 20, 34, 24})) << C.Mode << " " << C.Opacity;
        EXPECT_EQ(At(33, 23), C.Expected) << C.Mode << " " << C.Opacity;
        EXPECT_TRUE(Doc->SrcBmpChanged());
    }
}

TEST_F(PaintTools, LinesBetweenMouseStepsLeaveNoGaps)
{
    // Each move is joined to the last end by a line with one dab per step of
    // its longer axis, both ends included.
    const TPoint Ends[][2] = {{{5, 5}, {40, 12}}, {{40, 12}, {5, 5}},   {{20, 5}, {26, 60}},
                              {{26, 60}, {20, 5}}, {{10, 50}, {60, 0}}, {{7, 7}, {7, 30}},
                              {{50, 9}, {3, 9}},   {{9, 9}, {9, 9}}};
    for (const auto& E : Ends) {
        SetUp();
        Paint.Choose(pbmPencil, 1);
        Paint.Stroke({E[0], E[1]});
        const TPixels P = Painted();
        const Integer Steps = std::max(std::abs(E[1].X - E[0].X), std::abs(E[1].Y - E[0].Y));
        EXPECT_EQ(Integer(P.size()), Steps + 1) << E[0].X << "," << E[0].Y << " to " << E[1].X << "," << E[1].Y;
        EXPECT_TRUE(P.count({E[0].X, E[0].Y}) && P.count({E[1].X, E[1].Y}));
        // 8-connected: every pixel but the last has a neighbour one step on.
        for (auto [x, y] : P) {
            bool Neighbour = P.size() == 1;
            for (Integer dy = -1; dy <= 1; ++dy)
                for (Integer dx = -1; dx <= 1; ++dx)
                    if ((dx || dy) && P.count({x + dx, y + dy})) Neighbour = true;
            EXPECT_TRUE(Neighbour) << x << "," << y;
        }
        EXPECT_EQ(Doc->ProcessX(), E[1].X);
        EXPECT_EQ(Doc->ProcessY(), E[1].Y);
    }
}

TEST_F(PaintTools, OnlyAPressedButtonPaintsAndDabsOffTheRasterAreSkipped)
{
    Paint.Choose(pbmPencil, 3);
    Doc->ProcessBitmap(true, 50, 50);  // the outline following the mouse
    Doc->ProcessBitmap(false, 60, 60);
    EXPECT_TRUE(Painted().empty());

    Paint.Press(10, 10);
    Paint.Move(-50, 10);  // the whole dab left of the raster
    EXPECT_EQ(Doc->ProcessX(), 10);
    Paint.Move(-2, 10);   // reaching in: the line from the last end
    Paint.Release();
    EXPECT_EQ(Bounds(Painted()), (TRect{0, 10, 13, 13}));
}

// ---------------------------------------------------------------------------
// Shift

TEST_F(PaintTools, ShiftLocksTheDragToAnAxisAfterFivePixels)
{
    const struct {
        TPoint To;
        TRect Expected;
    } Cases[] = {
        {{67, 60}, {50, 50, 68, 51}},   // 30 degrees: horizontal
        {{60, 67}, {50, 50, 51, 68}},   // 60 degrees: vertical
        {{33, 60}, {33, 50, 51, 51}},   // 150 degrees: horizontal
        {{40, 33}, {50, 33, 51, 51}},   // 240 degrees: vertical
        {{67, 43}, {50, 50, 68, 51}},   // 338 degrees: horizontal
    };
    for (const auto& C : Cases) {
        SetUp();
        Paint.Choose(pbmPencil, 1);
        Paint.Press(50, 50, true);
        // Closer than 5 pixels nothing is painted but the press.
        for (TPoint P : {TPoint{51, 50}, TPoint{52, 52}, TPoint{50, 54}, TPoint{47, 47}, TPoint{54, 52}}) {
            Paint.Move(P.X, P.Y);
            ASSERT_EQ(Painted(), (TPixels{{50, 50}})) << P.X << "," << P.Y;
        }
        Paint.Move(C.To.X, C.To.Y);
        // Once locked it stays, even where the mouse turns across the axis.
        const bool Horizontal = C.Expected.Bottom - C.Expected.Top == 1;
        Paint.Move(Horizontal ? C.To.X : C.To.X + 30, Horizontal ? C.To.Y + 30 : C.To.Y);
        Paint.Release();
        const TPixels P = Painted();
        EXPECT_EQ(Bounds(P), C.Expected) << C.To.X << "," << C.To.Y;
        EXPECT_EQ(Integer(P.size()), (C.Expected.Right - C.Expected.Left) * (C.Expected.Bottom - C.Expected.Top));
    }
}

TEST_F(PaintTools, ShiftPressContinuesStraightFromTheLastStroke)
{
    for (bool Shift : {false, true}) {
        SetUp();
        Paint.Choose(pbmPencil, 1);
        Paint.Stroke({{10, 10}, {20, 10}});
        Paint.Stroke({{40, 30}}, Shift);
        const TPixels P = Painted();
        EXPECT_EQ(P.count({30, 20}), Shift ? 1u : 0u);
        EXPECT_EQ(P.size(), Shift ? 11u + 20u : 11u + 1u);
    }
    // With no stroke since the tool was chosen, a Shift press is a plain dab.
    SetUp();
    Paint.Choose(pbmPencil, 1);
    Paint.Stroke({{40, 30}}, true);
    EXPECT_EQ(Painted(), (TPixels{{40, 30}}));
}

// ---------------------------------------------------------------------------
// Brush

TEST_F(PaintTools, BrushDabsFollowTheStyleSpacing)
{
    const struct {
        const char* Name;
        TStyleCells Cells;
        std::vector<Integer> Dabs;  // dab positions from the start, width 4
    } Cases[] = {
        {"fixed 10", {u"-1", u"10", u"0"}, {0, 10, 20}},
        {"width div 2 + 3", {u"0", u"2", u"3"}, {0, 5, 10, 15, 20, 25}},
        {"divisor 0 is 1", {u"0", u"0", u"6"}, {0, 10, 20}},
        {"negative divisor is 1", {u"0", u"-5", u"6"}, {0, 10, 20}},
        {"divisor no number is 1", {u"0", u"x", u"6"}, {0, 10, 20}},
        {"fixed 0 is 1", {u"-1", u"0", u"9"}, {}},
        {"fixed negative is 1", {u"-1", u"-7", u"0"}, {}},
        {"negative sum is 1", {u"0", u"1", u"-100"}, {}},
    };
    for (const auto& C : Cases) {
        SetUp();
        Styles.Clear();
        const Integer Style = Styles.Add(C.Cells, SolidPicture());
        Paint.Choose(pbmBrush, 4, Style);
        // Dragged 25 pixels to the right in a few mouse steps.
        Paint.Stroke({{20, 20}, {24, 20}, {33, 20}, {41, 20}, {45, 20}});
        std::set<Integer> Expected;
        if (C.Dabs.empty())
            for (Integer x = 0; x < 25 + 4; ++x) Expected.insert(18 + x);
        for (Integer D : C.Dabs)
            for (Integer x = 0; x < 4; ++x) Expected.insert(18 + D + x);
        std::set<Integer> Columns;
        for (auto [x, y] : Painted()) Columns.insert(x);
        EXPECT_EQ(Columns, Expected) << C.Name;
        EXPECT_EQ(Bounds(Painted()).Top, 18) << C.Name;
        EXPECT_EQ(Bounds(Painted()).Bottom, 22) << C.Name;
    }
}

TEST_F(PaintTools, DarkPartsOfTheStylePaint)
{
    const struct {
        const char* Name;
        Integer Width;
        bool SoftStyle;  // style row 1 gets a margin of 0.3 of the width
        TRect Dab;
    } Cases[] = {
        {"8 wide", 8, false, {46, 46, 54, 54}},
        {"stretched to 16", 16, false, {42, 42, 58, 58}},
        {"soft style, margin 3", 10, true, {42, 42, 58, 58}},
    };
    for (const auto& C : Cases) {
        SetUp();
        // Rows 0 and 1 alike: the left half black.
        for (Integer i = 0; i < 2; ++i)
            Styles.Add({u"-1", u"1", u"0"}, StylePicture(8, 8, [](Integer x, Integer) { return x < 4; }));
        Paint.Choose(pbmBrush, C.Width, C.SoftStyle ? 1 : 0);
        Paint.Stroke({{50, 50}});
        const TRect B = Bounds(Painted());
        EXPECT_EQ(B.Left, C.Dab.Left) << C.Name;
        EXPECT_EQ(B.Top, C.Dab.Top) << C.Name;
        EXPECT_EQ(B.Bottom, C.Dab.Bottom) << C.Name;
        // The left quarter black, the right one untouched.
        const Integer Q = (C.Dab.Right - C.Dab.Left) / 4;
        for (Integer y = C.Dab.Top; y < C.Dab.Bottom; ++y)
            for (Integer i = 0; i < Q; ++i) {
                EXPECT_TRUE(NearColour(At(C.Dab.Left + i, y), 0xFF000000)) << C.Name;
                EXPECT_EQ(At(C.Dab.Right - 1 - i, y), White) << C.Name;
            }
    }
}

TEST_F(PaintTools, BrushStrokeDoesNotDarkenWhereItCrossesItself)
{
    Styles.Add({u"-1", u"1", u"0"}, SolidPicture());
    Paint.Choose(pbmBrush, 6, 0);
    Paint.Opacity = 128;
    Doc->SetProcessBrushFlow(100);
    Paint.Stroke({{20, 20}, {60, 20}, {20, 20}});
    const TColor32 Once = At(40, 20);
    EXPECT_NEAR(Channel(Once), 127, 1);
    for (auto [x, y] : Painted()) ASSERT_EQ(At(x, y), Once) << x << "," << y;
}

// ---------------------------------------------------------------------------
// Clone stamp

TEST_F(PaintTools, CloneStampRepeatsTheSourceAtTheOffsetOfTheFirstDab)
{
    PaintDistinctPixels(*Doc->SrcBmp());
    TCustomBitmap32 Source;
    Source.Assign(Doc->SrcBmp());
    Before.Assign(Doc->SrcBmp());
    Styles.Add({u"-1", u"1", u"0"}, SolidPicture());
    Doc->TakeStampSource(100, 100);
    EXPECT_EQ(Doc->ProcessStampStartX(), NoStartPoint);
    Paint.Choose(pbmStamp, 9, 0);
    // A series of strokes keeps its offset: (-200, 0).
    Paint.Stroke({{300, 100}, {310, 100}});
    Paint.Stroke({{300, 140}, {300, 150}});
    Paint.Stroke({{250, 40}});
    TPixels P = Painted();
    EXPECT_EQ(Bounds(P), (TRect{246, 36, 315, 155}));
    for (auto [x, y] : P) ASSERT_TRUE(NearColour(At(x, y), Source.Pixel(x - 200, y))) << x << "," << y;

    // A new source starts a new series.
    Doc->TakeStampSource(20, 30);
    Before.Assign(Doc->SrcBmp());
    Paint.Stroke({{300, 60}});
    P = Painted();
    EXPECT_EQ(Bounds(P), (TRect{296, 56, 305, 65}));
    for (auto [x, y] : P) ASSERT_TRUE(NearColour(At(x, y), Source.Pixel(x - 280, y - 30))) << x << "," << y;
}

TEST_F(PaintTools, CloneStampTakesItsSourceFromAnotherDocument)
{
    Styles.Add({u"-1", u"1", u"0"}, SolidPicture());
    TTestView OtherView;
    auto Other = NewBlankDocument(OtherView, 40, 40, false, 0x00FF00);  // green
    Other->InitBitmap();
    Other->TakeStampSource(35, 20);
    Other->SrcBmp()->Clear(0xFFFF0000);  // the source is a copy: later changes are not seen

    // The dab's source reaches 3 pixels past the source's right edge: those
    // columns paint nothing.
    Paint.Choose(pbmStamp, 15, 0);
    Paint.Stroke({{100, 50}});
    EXPECT_EQ(Bounds(Painted()), (TRect{93, 43, 105, 58}));
    EXPECT_TRUE(NearColour(At(100, 50), 0xFF00FF00));
}

// ---------------------------------------------------------------------------
// Alpha

TEST_F(PaintTools, StrokesAddToTheRastersAlphaAndNeverTakeFromIt)
{
    Styles.Add({u"-1", u"1", u"0"}, SolidPicture());
    const struct {
        const char* Name;
        bool Transparent;
        TProcessBitmapMode Mode;
        Integer Opacity, Flow;
        bool OneDab;
        TColor32 Expected;  // at the stroke's middle
    } Cases[] = {
        {"brush on opaque", false, pbmBrush, 100, 50, false, 0xFF000000},
        {"pencil on transparent", true, pbmPencil, 128, 100, false, 0x800000FF},
        {"brush on transparent", true, pbmBrush, 128, 100, false, 0x800000FF},
        {"one brush dab at half flow on transparent", true, pbmBrush, 255, 50, true, 0x800000FF},
    };
    for (const auto& C : Cases) {
        Doc = NewBlankDocument(View, 60, 40, C.Transparent, 0xFFFFFF);
        Doc->InitBitmap();
        Paint.Choose(C.Mode, 6, 0);
        Paint.Opacity = C.Opacity;
        Paint.Color = 0xFF0000;  // blue
        Doc->SetProcessBrushFlow(C.Flow);
        if (C.OneDab)
            Paint.Stroke({{25, 21}});
        else
            Paint.Stroke({{10, 20}, {40, 20}, {10, 20}});
        const TColor32 Mid = At(25, 21);
        if (C.Transparent) {
            EXPECT_NEAR(Integer(Mid >> 24), Integer(C.Expected >> 24), 1) << C.Name;
            EXPECT_EQ(Mid & 0xFFFFFF, C.Expected & 0xFFFFFF) << C.Name;
        } else {
            EXPECT_EQ(Mid >> 24, 0xFFu) << C.Name;
        }
        EXPECT_EQ(At(25, 35), C.Transparent ? 0x00FFFFFFu : White) << C.Name;
    }
}

TEST_F(PaintTools, CloneStampKeepsTheSourcesTransparency)
{
    // A clear source clones nothing; a faint one clones faintly, not at full strength.
    Styles.Add({u"-1", u"1", u"0"}, SolidPicture());
    TTestView OtherView;
    auto Other = NewBlankDocument(OtherView, 40, 40, true);
    Other->InitBitmap();
    Other->SrcBmp()->FillRectS(TRect{20, 0, 40, 40}, 0x40000000);  // black at alpha 64
    Other->TakeStampSource(10, 20);

    Paint.Choose(pbmStamp, 5, 0);
    Paint.Stroke({{100, 50}});
    EXPECT_TRUE(Painted().empty());
    Other->TakeStampSource(30, 20);
    Paint.Stroke({{100, 50}});
    EXPECT_EQ(Bounds(Painted()), (TRect{98, 48, 103, 53}));
    EXPECT_NEAR(Channel(At(100, 50)), 255 - 64, 1);
    EXPECT_EQ(At(100, 50) >> 24, 0xFFu);
}

// ---------------------------------------------------------------------------
// Damaged styles, widths and calls out of order

TEST_F(PaintTools, UnusableStylesPaintNothing)
{
    Styles.Add({u"-1", u"1", u"0"}, nullptr);                                 // 0: no picture
    Styles.Add({u"-1", u"1", u"0"}, std::make_unique<TCustomBitmap32>());     // 1: a picture of no size
    Styles.Add({u"-1", u"1", u"0"}, SolidPicture(3, 7));                      // 2: another size, stretched
    TCustomBitmap32 Source;
    Source.SetSize(400, 200);
    Source.Clear(0xFF00FF00);
    const struct {
        TProcessBitmapMode Mode;
        Integer Style;
        bool Paints;
    } Cases[] = {
        {pbmBrush, 0, false}, {pbmBrush, 1, false}, {pbmBrush, 2, true},  {pbmBrush, 3, false},
        {pbmBrush, -1, false}, {pbmBrush, INT_MIN, false}, {pbmStamp, 0, false}, {pbmStamp, 1, false},
        {pbmStamp, 2, true},  {pbmStamp, 99, false},
    };
    for (const auto& C : Cases) {
        SetUp();
        Doc->TakeStampSource(50, 50);
        StampSourceBitmap->Assign(&Source);
        Paint.Choose(C.Mode, 7, C.Style);
        Paint.Stroke({{50, 50}, {80, 60}});
        EXPECT_EQ(!Painted().empty(), C.Paints) << C.Mode << " style " << C.Style;
    }
    // No style table at all.
    auto Saved = std::move(BrushTable);
    SetUp();
    Paint.Choose(pbmBrush, 7, 0);
    Paint.Stroke({{50, 50}, {80, 60}});
    EXPECT_TRUE(Painted().empty());
    BrushTable = std::move(Saved);
}

TEST_F(PaintTools, WidthsBelowOneOrHugeDoNotFail)
{
    Styles.Add({u"-1", u"1", u"0"}, SolidPicture());
    Doc->TakeStampSource(5, 5);
    const struct {
        TProcessBitmapMode Mode;
        Integer Width;
        bool Paints;
    } Cases[] = {
        {pbmPencil, 0, false},       {pbmEraser, -3, false},     {pbmBrush, 0, false},
        {pbmStamp, -8, false},       {pbmPencil, INT_MAX, true}, {pbmEraser, 1000000, true},
        {pbmBrush, 1000000, false},  // centred a million pixels away: off the raster
        {pbmStamp, INT_MAX, false},
    };
    for (const auto& C : Cases) {
        SetUp();
        Paint.Choose(C.Mode, C.Width, 0);
        Paint.Opacity = 128;
        Paint.Stroke({{20, 20}, {30, 25}});
        EXPECT_EQ(!Painted().empty(), C.Paints) << C.Mode << " width " << C.Width;
    }
    // A dab wider than the raster, centred on it, covers all of it.
    SetUp();
    Paint.Choose(pbmBrush, 1000, 0);
    Paint.Stroke({{180, 80}});
    EXPECT_EQ(Bounds(Painted()), Doc->SrcBmp()->BoundsRect());
}

TEST_F(PaintTools, MovesOutsideABegunStrokePaintNothingThatNeedsIt)
{
    Styles.Add({u"-1", u"1", u"0"}, SolidPicture());
    Doc->TakeStampSource(5, 5);
    const auto MovesAlone = [&] {
        Before.Assign(Doc->SrcBmp());
        Doc->SetLeftMouseDown(true);
        Doc->ProcessBitmap(true, 20, 20);
        Doc->ProcessBitmap(true, 40, 30);
        Doc->ProcessBitmapDo(60, 30);
        Doc->ProcessBitmapEnd();
        return Painted();
    };
    for (TProcessBitmapMode Mode : {pbmBrush, pbmStamp, pbmPencil}) {
        SetUp();
        Paint.Choose(Mode, 5, 0);
        Paint.Opacity = 128;
        // A document that never began a stroke, and one whose stroke ended.
        if (Mode != pbmPencil) EXPECT_TRUE(MovesAlone().empty()) << Mode;
        Paint.Stroke({{5, 5}});
        EXPECT_TRUE(MovesAlone().empty()) << Mode;
    }
}

TEST_F(PaintTools, ARasterResizedDuringAStrokeIsPaintedOnlyWhereThePressSawIt)
{
    Styles.Add({u"-1", u"1", u"0"}, SolidPicture());
    Doc->TakeStampSource(5, 5);
    for (TProcessBitmapMode Mode : {pbmPencil, pbmBrush, pbmStamp}) {
        SetUp();
        Paint.Choose(Mode, 6, 0);
        Paint.Opacity = 128;
        Paint.Press(350, 150);
        Doc->SrcBmp()->SetSize(400, 200);
        Doc->SrcBmp()->Clear(White);
        Paint.Move(390, 190);
        Paint.Release();
        EXPECT_EQ(At(380, 180), White) << Mode;
        EXPECT_EQ(At(395, 195), White) << Mode;
    }
}

TEST_F(PaintTools, AStrokeIsOneUndoStepAndFreesItsLayers)
{
    TDataTable UndoDT;
    Doc->SetUndoDT(&UndoDT);
    Doc->SaveUndoFirst();
    Styles.Add({u"-1", u"1", u"0"}, SolidPicture());
    Paint.Choose(pbmBrush, 5, 0);
    Paint.Press(30, 30);
    Paint.Move(60, 40);
    ASSERT_TRUE(Doc->SrcBmp_T2());
    EXPECT_EQ(Doc->SrcBmp_T2()->BoundsRect(), Doc->SrcBmp()->BoundsRect());
    Paint.Release();
    EXPECT_FALSE(Doc->SrcBmp_T());
    EXPECT_FALSE(Doc->SrcBmp_T2());
    EXPECT_TRUE(Doc->Modified());
    Doc->SaveUndo();
    const TPixels P = Painted();
    ASSERT_FALSE(P.empty());
    Doc->Undo();
    EXPECT_TRUE(Painted().empty());
    Doc->Redo();
    EXPECT_EQ(Painted(), P);
}
}  // namespace
