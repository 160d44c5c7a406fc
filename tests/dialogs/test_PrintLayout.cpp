// The print dialog's page plan: the preview box, margins and sizes in dots
// per axis, pages both ways shared by preview and print, clamping, and the
// centimetre texts kept in settings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dialogs/PrintLayout.h"

using namespace PrintLayout;

namespace {

TPrinterMetrics Page(Integer W, Integer H, Integer DpiX = 300, Integer DpiY = 300, Integer OffX = 0, Integer OffY = 0)
{
    return TPrinterMetrics{DpiX, DpiY, W, H, OffX, OffY};
}

TPrintSettings Actual(Integer ScreenDpi, Integer Position = 0)
{
    TPrintSettings S;
    S.SizeMode = smActual;
    S.Margins = TMarginsCm{0, 0, 0, 0};
    S.ScreenDpi = ScreenDpi;
    S.Position = Position;
    return S;
}

// The pages' sources tile the picture and each page's band fits the
// printable area.
void ExpectTiles(const TPlan& P, Integer IW, Integer IH)
{
    int64_t Area = 0;
    for (Integer I = 0; I < P.PageCount(); ++I) {
        const TPiece Piece = PageAt(P, I, IW, IH);
        const Integer Col = I % P.Columns, Row = I / P.Columns;
        EXPECT_LE(Piece.Dest.Width(), P.PrintWidth) << I;
        EXPECT_LE(Piece.Dest.Height(), P.PrintHeight) << I;
        EXPECT_GT(Piece.Dest.Width(), 0) << I;
        EXPECT_GT(Piece.Dest.Height(), 0) << I;
        if (Col > 0) EXPECT_EQ(Piece.Source.Left, PageAt(P, I - 1, IW, IH).Source.Right) << I;
        if (Row > 0) EXPECT_EQ(Piece.Source.Top, PageAt(P, I - P.Columns, IW, IH).Source.Bottom) << I;
        if (Col == 0) EXPECT_EQ(Piece.Source.Left, 0);
        if (Row == 0) EXPECT_EQ(Piece.Source.Top, 0);
        if (Col == P.Columns - 1) EXPECT_EQ(Piece.Source.Right, IW);
        if (Row == P.Rows - 1) EXPECT_EQ(Piece.Source.Bottom, IH);
        Area += int64_t(Piece.Source.Width()) * Piece.Source.Height();
    }
    EXPECT_EQ(Area, int64_t(IW) * IH);
}

}  // namespace

TEST(PrintLayout, PreviewBoxFollowsThePageShape)
{
    struct Case {
        TPrinterMetrics M;
        TRect Expected;
    } Cases[] = {
        {Page(2630, 3730), Rect(420, 16, 683, 389)},           // exactly the box's shape
        {Page(526, 746), Rect(420, 16, 683, 389)},             // same ratio, other size
        {Page(1000, 3730), Rect(501, 16, 601, 389)},           // narrow: full height, centred across
        {Page(2550, 3300), Rect(420, 32, 683, 372)},           // letter: full width, centred down
        {Page(3300, 2550), Rect(420, 101, 683, 304)},          // landscape
        {Page(0, 0, 0, 0), Rect(420, 32, 683, 372)},           // no metrics: a letter page, no division by 0
    };
    for (const Case& C : Cases) EXPECT_EQ(PreviewRect(C.M), C.Expected) << C.M.PhysWidth << "x" << C.M.PhysHeight;
}

TEST(PrintLayout, ThreeAndAHalfPagesTallGiveFourPagesInPreviewAndPrint)
{
    const TPrinterMetrics M = Page(2630, 3730);
    const Integer IW = 100, IH = 3730 * 7 / 2;
    const TPlan P = MakePlan(Actual(300, 8), M, IW, IH);
    EXPECT_EQ(P.Rows, 4);
    EXPECT_EQ(P.Columns, 1);
    EXPECT_EQ(P.PageCount(), 4);
    EXPECT_FALSE(P.AllPositions());
    EXPECT_EQ(P.Position, 0) << "a bottom-right anchor becomes top-left";
    EXPECT_EQ(PageAt(P, 3, IW, IH).Dest.Height(), 3730 / 2);
    EXPECT_EQ(PageAt(P, 0, IW, IH).Dest, Rect(0, 0, 100, 3730));
    ExpectTiles(P, IW, IH);
    EXPECT_EQ(PageInfo(3, P.PageCount()), u"4/4");
    // Exactly three pages: the last is a full page.
    const TPlan Three = MakePlan(Actual(300), M, IW, 3730 * 3);
    EXPECT_EQ(Three.PageCount(), 3);
    EXPECT_EQ(PageAt(Three, 2, IW, 3730 * 3).Dest.Height(), 3730);
    // A top-row anchor is kept: centred across.
    const TPlan Centre = MakePlan(Actual(300, 1), M, IW, IH);
    EXPECT_EQ(Centre.Position, 1);
    EXPECT_EQ(PageAt(Centre, 2, IW, IH).Dest.Left, (2630 - 100) / 2);
}

TEST(PrintLayout, OnePagePlacesThePictureAtEachOfNinePositions)
{
    const TPrinterMetrics M = Page(2550, 3300);
    TPrintSettings S = Actual(300);
    S.Margins = TMarginsCm{2.54, 2.54, 2.54, 2.54};  // 300 dots each
    const Integer IW = 1000, IH = 600;
    const Integer Xs[3] = {300, 300 + (1950 - 1000) / 2, 2550 - 300 - 1000};
    const Integer Ys[3] = {300, 300 + (2700 - 600) / 2, 3300 - 300 - 600};
    for (Integer Pos = 0; Pos < 9; ++Pos) {
        S.Position = Pos;
        const TPlan P = MakePlan(S, M, IW, IH);
        ASSERT_EQ(P.PageCount(), 1);
        EXPECT_TRUE(P.AllPositions());
        EXPECT_EQ(PageAt(P, 0, IW, IH).Dest, Rect(Xs[Pos % 3], Ys[Pos / 3], Xs[Pos % 3] + IW, Ys[Pos / 3] + IH)) << Pos;
        EXPECT_EQ(PageAt(P, 0, IW, IH).Source, Rect(0, 0, IW, IH));
    }
}

TEST(PrintLayout, WidePicturesGoOnPagesAcrossInsteadOfBeingCut)
{
    const TPrinterMetrics M = Page(2550, 3300);
    const Integer IW = 2550 * 5 / 2, IH = 3300 * 3 / 2;
    const TPlan P = MakePlan(Actual(300, 2), M, IW, IH);
    EXPECT_EQ(P.Columns, 3);
    EXPECT_EQ(P.Rows, 2);
    EXPECT_EQ(P.PageCount(), 6);
    ExpectTiles(P, IW, IH);
    // Across then down.
    EXPECT_EQ(PageAt(P, 1, IW, IH).Source.Left, 2550);
    EXPECT_EQ(PageAt(P, 3, IW, IH).Source.Top, 3300);
    EXPECT_EQ(PageAt(P, 2, IW, IH).Dest.Left, 0) << "a band of several columns starts at the left margin";
    // A custom size wider than the page too.
    TPrintSettings S = Actual(96);
    S.SizeMode = smCustom;
    S.CustomWidthCm = 50;
    S.CustomHeightCm = 10;
    const TPlan C = MakePlan(S, M, 640, 128);
    EXPECT_EQ(C.Columns, 3);  // 50 cm = 5906 dots over 2550
    EXPECT_EQ(C.Rows, 1);
    ExpectTiles(C, 640, 128);
}

TEST(PrintLayout, EachAxisUsesItsOwnResolution)
{
    const TPrinterMetrics M = Page(5100, 3300, 600, 300);
    TPrintSettings S = Actual(96);
    S.Margins = TMarginsCm{2.54, 5.08, 2.54, 0};
    const TPlan P = MakePlan(S, M, 96, 96);
    EXPECT_EQ(P.Margins, Rect(600, 300, 0, 600));
    EXPECT_EQ(P.ImageWidthDots, 600);
    EXPECT_EQ(P.ImageHeightDots, 300);
    EXPECT_EQ(P.PrintWidth, 4500);
    EXPECT_EQ(P.PrintHeight, 2400);
    // A square picture fitted to the width stays square on paper.
    S.SizeMode = smAuto;
    S.FitMode = fmWidth;
    const TPlan F = MakePlan(S, M, 100, 100);
    EXPECT_EQ(F.ImageWidthDots, 4500);
    EXPECT_EQ(F.ImageHeightDots, 2250);
    // Custom centimetres.
    S.SizeMode = smCustom;
    S.CustomWidthCm = 2.54;
    S.CustomHeightCm = 2.54;
    const TPlan C = MakePlan(S, M, 10, 10);
    EXPECT_EQ(C.ImageWidthDots, 600);
    EXPECT_EQ(C.ImageHeightDots, 300);
    // The preview margins scale each axis by its own page side.
    const TPreview V = PreviewOf(P);
    EXPECT_EQ(V.Width, 263);
    EXPECT_EQ(V.MarginLeft, 31);   // 600 / 5100 * 263
    EXPECT_EQ(V.MarginTop, 15);    // 300 / 3300 * 170
}

TEST(PrintLayout, AutomaticSizeFitsPageWidthOrHeight)
{
    const TPrinterMetrics M = Page(2550, 3300);
    TPrintSettings S;
    S.Margins = TMarginsCm{0, 0, 0, 0};
    struct Case {
        Integer Fit, IW, IH, W, H;
    } Cases[] = {
        {fmPage, 200, 100, 2550, 1275},   // wider than the page: by width
        {fmPage, 100, 200, 1650, 3300},   // taller: by height
        {fmWidth, 100, 200, 2550, 5100},  // fitted to width, too tall: two pages down
        {fmHeight, 200, 100, 6600, 3300}, // fitted to height, too wide: three across
    };
    for (const Case& C : Cases) {
        S.FitMode = C.Fit;
        const TPlan P = MakePlan(S, M, C.IW, C.IH);
        EXPECT_EQ(P.ImageWidthDots, C.W) << C.Fit;
        EXPECT_EQ(P.ImageHeightDots, C.H) << C.Fit;
        ExpectTiles(P, C.IW, C.IH);
    }
}

TEST(PrintLayout, HugeCustomSizesStayBoundedAndPaginate)
{
    const TPrinterMetrics M = Page(4960, 7016, 600, 600);
    TPrintSettings S = Actual(96);
    S.SizeMode = smCustom;
    for (double Cm : {999.0, 5000.0, 1e300, std::numeric_limits<double>::infinity()}) {
        S.CustomWidthCm = S.CustomHeightCm = Cm;
        const TPlan P = MakePlan(S, M, 4000, 3000);
        EXPECT_EQ(P.ImageWidthDots, 235984) << Cm;  // 999 cm
        EXPECT_EQ(P.Columns, (235984 + 4959) / 4960);
        EXPECT_EQ(P.Rows, (235984 + 7015) / 7016);
        EXPECT_EQ(P.PageCount(), P.Columns * P.Rows);
        ExpectTiles(P, 4000, 3000);
    }
    // A picture of a few pixels blown up over many pages: every page still
    // takes a pixel of it, inside the picture.
    S.CustomWidthCm = S.CustomHeightCm = 999;
    const TPlan Tiny = MakePlan(S, M, 3, 2);
    for (Integer I = 0; I < Tiny.PageCount(); I += 7) {
        const TRect Src = PageAt(Tiny, I, 3, 2).Source;
        EXPECT_GT(Src.Width(), 0) << I;
        EXPECT_GT(Src.Height(), 0) << I;
        EXPECT_GE(Src.Left, 0);
        EXPECT_GE(Src.Top, 0);
        EXPECT_LE(Src.Right, 3);
        EXPECT_LE(Src.Bottom, 2);
    }
    for (double Cm : {0.0, -5.0, std::nan("")}) {
        S.CustomWidthCm = S.CustomHeightCm = Cm;
        const TPlan P = MakePlan(S, M, 3, 2);
        EXPECT_EQ(P.ImageWidthDots, 2) << Cm;  // 0.01 cm at 600 dpi
        EXPECT_EQ(P.PageCount(), 1);
    }
    EXPECT_DOUBLE_EQ(ClampCustomCm(1000), 999);
    EXPECT_DOUBLE_EQ(PixelsToCm(1 << 30, 96), 999);
}

TEST(PrintLayout, OversizedMarginsLeaveAPrintableArea)
{
    const TPrinterMetrics M = Page(2480, 3508);  // A4 at 300 dpi
    struct Case {
        TMarginsCm Cm;
    } Cases[] = {
        {{999, 999, 999, 999}},
        {{20, 20, 0.76, 0.76}},   // top + bottom past the page height
        {{29.7, 0, 21, 0}},       // one margin the whole page
        {{-3, std::nan(""), 1e300, 0}},
    };
    for (const Case& C : Cases) {
        TPrintSettings S = Actual(300);
        S.Margins = C.Cm;
        const TPlan P = MakePlan(S, M, 4000, 5000);
        EXPECT_GE(P.PrintHeight, 118) << C.Cm.Top;  // a centimetre at least
        EXPECT_GE(P.PrintWidth, 118) << C.Cm.Left;
        EXPECT_GE(P.Margins.Top, 0);
        EXPECT_GE(P.Margins.Left, 0);
        EXPECT_EQ(P.Margins.Left + P.Margins.Right + P.PrintWidth, 2480);
        EXPECT_EQ(P.Margins.Top + P.Margins.Bottom + P.PrintHeight, 3508);
        ExpectTiles(P, 4000, 5000);
        const TPreview V = PreviewOf(P);
        EXPECT_GT(V.Height - V.MarginTop - V.MarginBottom, 0);
    }
    // Shrunk in proportion: 20 cm each way keep their halves.
    const TRect R = MarginDots(TMarginsCm{20, 20, 0, 0}, M);
    EXPECT_EQ(R.Top, R.Bottom);
    // Ordinary margins are left alone.
    EXPECT_EQ(MarginDots(TMarginsCm{}, M), Rect(90, 96, 90, 96));
}

TEST(PrintLayout, PrintableAreaOffsets)
{
    // Margins smaller than the unprintable border: one page starts at the
    // printable corner, several pages are shifted by the offsets.
    const TPrinterMetrics M = Page(2550, 3300, 300, 300, 75, 60);
    TPrintSettings S = Actual(300);
    S.Margins = TMarginsCm{0.1, 0.1, 0.1, 0.1};  // 12 dots
    const TPlan One = MakePlan(S, M, 100, 100);
    EXPECT_EQ(DrawOrigin(One, PageAt(One, 0, 100, 100)), Point(0, 0));
    const TPlan Many = MakePlan(S, M, 100, 7000);
    ASSERT_GT(Many.PageCount(), 1);
    EXPECT_EQ(DrawOrigin(Many, PageAt(Many, 1, 100, 7000)), Point(12 - 75, 12 - 60));
    S.Margins = TMarginsCm{2.54, 2.54, 2.54, 2.54};
    const TPlan Wide = MakePlan(S, M, 100, 100);
    EXPECT_EQ(DrawOrigin(Wide, PageAt(Wide, 0, 100, 100)), Point(300 - 75, 300 - 60));
}

TEST(PrintLayout, BandsTileThePieceWithSourceRows)
{
    struct Case {
        TPiece Piece;
        Integer MaxRows;
        size_t Count;
    } Cases[] = {
        {{Rect(0, 0, 50, 100), Rect(10, 20, 60, 1020)}, 256, 4},
        {{Rect(0, 5, 3, 6), Rect(0, 0, 3000, 1000)}, 300, 4},  // one source row blown up
        {{Rect(0, 0, 10, 1000), Rect(0, 0, 10, 90)}, 100, 1},   // shrunk
        {{Rect(0, 0, 10, 10), Rect(0, 0, 10, 10)}, 0, 10},
    };
    for (const Case& C : Cases) {
        const auto Out = Bands(C.Piece, C.MaxRows);
        ASSERT_EQ(Out.size(), C.Count);
        EXPECT_EQ(Out.front().Dest.Top, C.Piece.Dest.Top);
        EXPECT_EQ(Out.back().Dest.Bottom, C.Piece.Dest.Bottom);
        EXPECT_EQ(Out.front().Source.Top, C.Piece.Source.Top);
        EXPECT_EQ(Out.back().Source.Bottom, C.Piece.Source.Bottom);
        for (size_t I = 0; I < Out.size(); ++I) {
            EXPECT_LE(Out[I].Dest.Height(), std::max(C.MaxRows, 1));
            EXPECT_GT(Out[I].Source.Height(), 0);
            EXPECT_GE(Out[I].Source.Top, C.Piece.Source.Top);
            EXPECT_LE(Out[I].Source.Bottom, C.Piece.Source.Bottom);
            EXPECT_EQ(Out[I].Dest.Left, C.Piece.Dest.Left);
            EXPECT_EQ(Out[I].Source.Right, C.Piece.Source.Right);
            if (I > 0) {
                EXPECT_EQ(Out[I].Dest.Top, Out[I - 1].Dest.Bottom);
                EXPECT_GE(Out[I].Source.Top, Out[I - 1].Source.Top);
                EXPECT_LE(Out[I].Source.Top, Out[I - 1].Source.Bottom);
            }
        }
    }
}

TEST(PrintLayout, CentimetreTextsUseAPointInEveryLocale)
{
    struct Out {
        double Cm;
        const char16_t* Text;
    } Writes[] = {{0.81, u"0.81"}, {0.76, u"0.76"}, {1, u"1"}, {12.5, u"12.5"}, {0, u"0"},
                  {998.999, u"999"}, {5000, u"999"}, {-1, u"0"}, {std::nan(""), u"0"}};
    for (const Out& W : Writes) EXPECT_EQ(FormatCm(W.Cm), W.Text) << W.Cm;
    struct In {
        const char16_t* Text;
        double Cm;
    } Reads[] = {{u"0.81", 0.81}, {u"0,81", 0.81}, {u" 2.5 ", 2.5}, {u"3", 3}, {u"-3", 0}, {u"5000", 999},
                 {u"", 7}, {u"abc", 7}, {u"1.2.3", 7}, {u"1e3", 7}, {u".", 7}, {u"99999999999999999999", 999}};
    for (const In& R : Reads) EXPECT_NEAR(ParseCm(R.Text, 7), R.Cm, 1e-9) << std::string(R.Text, R.Text + 0);
    const TMarginsCm D = DefaultMargins();
    EXPECT_EQ(FormatCm(D.Top), u"0.81");
    EXPECT_EQ(FormatCm(D.Left), u"0.76");
}

TEST(PrintLayout, CustomSizeKeepsThePictureRatio)
{
    const double Ratio = PixelsToCm(800, 96) / PixelsToCm(600, 96);
    EXPECT_NEAR(HeightForWidth(10, Ratio), 7.5, 1e-9);
    EXPECT_NEAR(WidthForHeight(7.5, Ratio), 10, 1e-9);
    EXPECT_DOUBLE_EQ(HeightForWidth(999, 0.001), 999);      // held to the largest size
    EXPECT_DOUBLE_EQ(WidthForHeight(1, std::nan("")), 1);   // no ratio: square
    EXPECT_NEAR(PixelsToCm(96, 96), 2.54, 1e-12);
}

TEST(PrintLayout, PreviewShowsThePlanScaledDown)
{
    const TPrinterMetrics M = Page(2630, 3730);
    TPrintSettings S = Actual(300, 4);
    S.Margins = TMarginsCm{2.54, 2.54, 2.54, 2.54};
    const TPlan P = MakePlan(S, M, 1030, 1000);
    const TPreview V = PreviewOf(P);
    EXPECT_EQ(V.Width, 263);
    EXPECT_EQ(V.Height, 373);
    EXPECT_EQ(V.MarginTop, 30);
    EXPECT_EQ(V.MarginLeft, 30);
    // Centred: (300 + 500, 300 + 1065) dots.
    EXPECT_EQ(PreviewDest(P, PageAt(P, 0, 1030, 1000)), Rect(80, 137, 183, 237));
}
