// The pencil stroke painted through GDI+ under Wine: its tips, the nibs'
// slanted thickness, straight runs against the smoothed curve and the style
// menu's mark, read back from the bitmaps it draws on; and a stroke drawn with
// the real mouse over a real image view, read back from the window's
// painting. Wine's GDI+ draws without anti-aliasing, so edges are hard.
#include "DocumentOnView.h"
#include "document/ImageLines.h"

using namespace guitest;

namespace {
constexpr TColor Red = 0x0000FF;  // 0xBBGGRR
constexpr TColor32 White = 0xFFFFFFFF, Red32 = 0xFFFF0000;

class LinesWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallImageDrawHooks();
        Bitmap.SetSize(100, 100);
        Bitmap.Clear(White);
    }
    // A finished stroke through Points, red, opaque, drawn on Bitmap.
    std::unique_ptr<TImgLines> Stroke(std::initializer_list<TPoint> Points, Integer Style, Integer Width,
                                      Integer Id = -1)
    {
        auto L = std::make_unique<TImgLines>(nullptr, Id, &Bitmap);
        for (const TPoint& P : Points) L->AddNewPoint(P.X, P.Y);
        L->SetStyleId(Style);
        L->SetOutWidth(Width);
        L->SetColor(Red);
        L->SetOpacity(255);
        L->SetAntialias(false);
        L->CalcRect();
        L->CalcPointsRatio();
        L->SetCreating(false);
        return L;
    }
    // The box of the pixels that are not white, and how many there are.
    TRect Ink(Integer& Count) const
    {
        TRect R{1000, 1000, -1, -1};
        Count = 0;
        for (Integer Y = 0; Y < Bitmap.Height(); ++Y)
            for (Integer X = 0; X < Bitmap.Width(); ++X)
                if (Bitmap.Pixel(X, Y) != White) {
                    ++Count;
                    R = TRect{Min(R.Left, X), Min(R.Top, Y), Max(R.Right, X + 1), Max(R.Bottom, Y + 1)};
                }
        return R;
    }
    Integer InkInRow(Integer Y) const
    {
        Integer N = 0;
        for (Integer X = 0; X < Bitmap.Width(); ++X) N += Bitmap.Pixel(X, Y) != White;
        return N;
    }

    TCustomBitmap32 Bitmap;
};
}  // namespace

// A click: the round tip is a filled circle as wide as the pen, the square
// tip a square, and a one-pixel round tip that pixel.
TEST_F(LinesWin, OnePointTips)
{
    struct Case {
        const char* Name;
        Integer Style, Width;
        Integer MinCount, MaxCount;
        bool CornersInked;
    };
    const Case Cases[] = {
        {"round, 8 wide", 0, 8, 40, 60, false},
        {"square, 8 wide", 1, 8, 64, 64, true},
        {"round, 1 wide", 0, 1, 1, 1, true},
        {"square, 1 wide", 1, 1, 1, 1, true},
    };
    for (const Case& C : Cases) {
        Bitmap.Clear(White);
        auto L = Stroke({{50, 40}}, C.Style, C.Width);
        L->Draw(nullptr);
        Integer Count;
        const TRect Box = Ink(Count);
        // Within the tip's square, and (Wine's ellipses may lose a row) as
        // wide and nearly as tall.
        const Integer H = C.Width / 2;
        const TRect Square{50 - H, 40 - H, 50 - H + C.Width, 40 - H + C.Width};
        EXPECT_TRUE(Box.Left >= Square.Left && Box.Top >= Square.Top && Box.Right <= Square.Right &&
                    Box.Bottom <= Square.Bottom)
            << C.Name;
        EXPECT_GE(Box.Right - Box.Left, C.Width - 1) << C.Name;
        EXPECT_GE(Box.Bottom - Box.Top, C.Width - 1) << C.Name;
        EXPECT_GE(Count, C.MinCount) << C.Name;
        EXPECT_LE(Count, C.MaxCount) << C.Name;
        EXPECT_EQ(Bitmap.Pixel(50, 40), Red32) << C.Name;
        EXPECT_EQ(Bitmap.Pixel(Box.Left, Box.Top) != White, C.CornersInked) << C.Name;
        EXPECT_EQ(Bitmap.Pixel(Box.Right - 1, Box.Bottom - 1) != White, C.CornersInked) << C.Name;
    }
    // A nib needs a direction: one point draws nothing.
    Bitmap.Clear(White);
    Stroke({{50, 40}}, 2, 8)->Draw(nullptr);
    Integer Count;
    Ink(Count);
    EXPECT_EQ(Count, 0);
}

// The flat nibs: thin along one diagonal, thick along the other, mirrored
// between the two styles. A stroke 10 wide crosses a row of pixels in about
// 10 x sqrt(2) x its thickness (0.35 or 1.46 pen widths).
TEST_F(LinesWin, NibsSlantTheStroke)
{
    struct Case {
        Integer Style;
        TPoint From, To;
        Integer MinRow, MaxRow;
    };
    const Case Cases[] = {
        {2, {20, 20}, {80, 80}, 3, 7},  {2, {20, 80}, {80, 20}, 18, 23},
        {3, {20, 20}, {80, 80}, 18, 23}, {3, {20, 80}, {80, 20}, 3, 7},
    };
    for (const Case& C : Cases) {
        Bitmap.Clear(White);
        Stroke({C.From, C.To}, C.Style, 10)->Draw(nullptr);
        const Integer Row = InkInRow(50);
        EXPECT_GE(Row, C.MinRow) << C.Style << " from " << C.From.X << "," << C.From.Y;
        EXPECT_LE(Row, C.MaxRow) << C.Style << " from " << C.From.X << "," << C.From.Y;
        EXPECT_EQ(Bitmap.Pixel(50, 50), Red32);
    }
}

// A translucent nib stroke with bends is one piece: where its parts meet it
// is no darker than elsewhere.
TEST_F(LinesWin, TranslucentNibStrokeIsBlendedOnce)
{
    auto L = Stroke({{10, 10}, {50, 30}, {60, 80}, {90, 50}}, 2, 12);
    L->SetOpacity(128);
    L->Draw(nullptr);
    Integer Count;
    Ink(Count);
    ASSERT_GT(Count, 300);
    for (Integer Y = 0; Y < 100; ++Y)
        for (Integer X = 0; X < 100; ++X) {
            const TColor32 P = Bitmap.Pixel(X, Y);
            ASSERT_TRUE(P == White || P == Bitmap.Pixel(50, 30)) << X << "," << Y;
        }
}

// A thinned stroke is smoothed through its points; otherwise it runs
// straight from point to point.
TEST_F(LinesWin, CurveAgainstStraightRuns)
{
    auto L = Stroke({{10, 50}, {50, 10}, {90, 50}}, 0, 2);
    L->Draw(nullptr);
    EXPECT_EQ(Bitmap.Pixel(30, 30), Red32);  // on the straight run
    EXPECT_EQ(Bitmap.Pixel(70, 30), Red32);
    Bitmap.Clear(White);
    L->SetDebounce(true);
    L->Draw(nullptr);
    // The curve bends outwards, about 3.5 pixels off the runs' middles,
    // and still passes through the points.
    EXPECT_EQ(Bitmap.Pixel(30, 30), White);
    EXPECT_EQ(Bitmap.Pixel(70, 30), White);
    EXPECT_EQ(Bitmap.Pixel(50, 10), Red32);
    Integer Count;
    const TRect Box = Ink(Count);
    EXPECT_LE(Box.Top, 10);
    EXPECT_GT(Count, 100);
}

// The style menu's pictures: a stand-alone stroke with id 0 gets a 5 x 5
// mark at (44, 40), round for the round tip, square for the square tip.
TEST_F(LinesWin, PreviewMark)
{
    for (Integer Style : {0, 1}) {
        Bitmap.Clear(White);
        Stroke({{10, 90}, {30, 90}}, Style, 2, 0)->Draw(nullptr);
        EXPECT_EQ(Bitmap.Pixel(46, 42), Red32) << Style;
        EXPECT_EQ(Bitmap.Pixel(44, 40) == Red32, Style == 1) << Style;  // a corner of the square
        EXPECT_EQ(Bitmap.Pixel(49, 42), White) << Style;
        EXPECT_EQ(Bitmap.Pixel(43, 42), White) << Style;
    }
}

// ---------------------------------------------------------------------------
// The real mouse over a real image view

namespace {
constexpr COLORREF GreyPixel = 0x808080;  // as TDib reads pixels: 0xRRGGBB

class LinesOnView : public DocumentOnView {
protected:
    void SetUp() override
    {
        DocumentOnView::SetUp();
        // Pencil strokes red, 6 wide, round; every effect off.
        TRow* R = DefaultsFor(shLines);
        for (auto [Col, Value] : {std::pair{14, Red}, {16, 255}, {18, 6}, {27, -1}, {28, -1}, {29, -1}})
            R->GetItem(Col)->SetValue(Value);
        Doc->SetAntialiasing(false);
        // The main window's pencil: a press starts a stroke at its point.
        WireObjectMouse([this](TShiftState, Integer, Integer) {
            Doc->CreateShape(shLines);
            Doc->DrawShape(Press.X, Press.Y, Press.X, Press.Y);
        });
    }
};
}  // namespace

TEST_F(LinesOnView, DrawAStrokeWithTheMouse)
{
    Doc->SetPencilDebounce(true);
    Drag({20, 50}, {120, 50});
    auto* L = dynamic_cast<TImgLines*>(Doc->Shape());
    ASSERT_NE(L, nullptr);
    EXPECT_FALSE(Doc->ShapeCreating());
    EXPECT_EQ(L->Points().front(), (TPoint{20, 50}));
    EXPECT_EQ(L->Points().back(), (TPoint{120, 50}));
    EXPECT_TRUE(L->Fixed());
    TDib Dib(317, 217);
    Paint(Dib);
    for (TPoint P : {TPoint{20, 50}, TPoint{70, 50}, TPoint{120, 50}, TPoint{70, 52}, TPoint{18, 50}})
        EXPECT_TRUE(IsRed(PaintedAt(Dib, P))) << P.X << "," << P.Y;
    for (TPoint P : {TPoint{70, 55}, TPoint{10, 50}, TPoint{130, 50}})
        EXPECT_EQ(PaintedAt(Dib, P), GreyPixel) << P.X << "," << P.Y;

    // A click without moving leaves a round dot 6 wide.
    Drag({60, 80}, {60, 80});
    // (Wine reports a move to the spot pressed: the point comes twice.)
    L = dynamic_cast<TImgLines*>(Doc->Shape());
    ASSERT_NE(L, nullptr);
    EXPECT_EQ(L->SRect(), (TRect{57, 77, 63, 83}));
    Paint(Dib);
    EXPECT_TRUE(IsRed(PaintedAt(Dib, {60, 80})));
    EXPECT_TRUE(IsRed(PaintedAt(Dib, {58, 80})));
    EXPECT_EQ(PaintedAt(Dib, {64, 80}), GreyPixel);
}
