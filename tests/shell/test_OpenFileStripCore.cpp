// The strip's geometry: columns, tiles, the close area, scrolling into view,
// the drop mark and where a dragged row lands, and the shortened path.
#include <gtest/gtest.h>

#include "shell/OpenFileStripCore.h"

TEST(OpenFileStripCore, ColumnsAndTiles)
{
    EXPECT_EQ(OpenFileColumns(326, 19), 3);  // (326 - 19 + 3) div 92
    EXPECT_EQ(OpenFileColumns(50, 19), 1);
    const TRect R = OpenFileTileRect(4, 3, 10);  // 4 documents in 3 columns need 2 rows
    EXPECT_EQ(R, (TRect{98, 64, 184, 130}));
    const struct {
        Integer X, Y;
        bool In;
    } Close[] = {{73, 2, true}, {83, 11, true}, {84, 5, false}, {72, 5, false}, {80, 12, false}, {80, 1, false}};
    for (const auto& C : Close) EXPECT_EQ(InOpenFileCloseArea(C.X, C.Y), C.In) << C.X << "," << C.Y;
}

TEST(OpenFileStripCore, TileLook)
{
    const TPoint Glyph{10, 8};
    TOpenFileTileLook L = OpenFileTileLook(true, 80, 40, false, true, true, 2, Glyph, Glyph);
    EXPECT_EQ(L.Highlight, 2);
    EXPECT_EQ(L.ThumbAt, (TPoint{3, 13}));
    EXPECT_TRUE(L.Close);
    EXPECT_EQ(L.CloseAt, (TPoint{74, 2}));
    EXPECT_TRUE(L.Modified);
    EXPECT_EQ(L.ModifiedAt, (TPoint{38, 52}));
    // One document: no close glyph; the current highlight wins over hover.
    L = OpenFileTileLook(true, 80, 60, true, true, false, 1, Glyph, Glyph);
    EXPECT_EQ(L.Highlight, 1);
    EXPECT_FALSE(L.Close);
    EXPECT_FALSE(L.Modified);
    // No thumbnail yet: the background alone.
    L = OpenFileTileLook(false, 0, 0, true, true, true, 3, Glyph, Glyph);
    EXPECT_FALSE(L.Thumb || L.Close || L.Modified || L.Highlight);
}

TEST(OpenFileStripCore, ScrollIntoView)
{
    const struct {
        Integer Index, Pos, Height, Want;
    } Rows[] = {
        {0, 0, 72, -1},   // the collapsed strip shows its first row
        {1, 0, 210, -1},  // in view
        {3, 0, 72, 70},   // below: one row down
        {6, 0, 140, 70},  // third row in a two-row box
        {0, 70, 72, -6},  // above (its top below 0)
        {9, 0, 72, -1},   // not a row
        {0, 0, 68, -1},   // a box lower than a pitch keeps its one row
        {3, 0, 68, 70},
    };
    for (const auto& C : Rows)
        EXPECT_EQ(ScrollOpenFileIntoView(C.Index, 9, 3, C.Pos, C.Height), C.Want) << C.Index << "@" << C.Pos;
}

TEST(OpenFileStripCore, DraggingMovesToTheMarkedSide)
{
    EXPECT_EQ(OpenFileDropMode(42), 1);
    EXPECT_EQ(OpenFileDropMode(43), 2);
    EXPECT_EQ(OpenFileDropTarget(0, 2, 2), 2);  // tile 0 on the right half of tile 2
    EXPECT_EQ(OpenFileDropTarget(3, 1, 1), 1);  // tile 3 on the left half of tile 1
    EXPECT_EQ(OpenFileDropTarget(0, 2, 1), 1);
    EXPECT_EQ(OpenFileDropTarget(3, 1, 2), 2);
    EXPECT_EQ(OpenFileBoxIndexAt(100, 75, 0, 3, 5), 4);
    EXPECT_EQ(OpenFileBoxIndexAt(190, 75, 0, 3, 5), -1);  // past the rows
    EXPECT_EQ(OpenFileBoxIndexAt(280, 5, 0, 3, 5), -1);   // past the columns

    // Mode 2 on the last column marks the gap after it.
    std::vector<TRect> M = OpenFileDropMark(2, 2, 3, 0);
    EXPECT_EQ(M[0], (TRect{278, 6, 280, 69}));
    M = OpenFileDropMark(1, 1, 3, 0);
    EXPECT_EQ(M[0], (TRect{94, 6, 96, 69}));
    EXPECT_EQ(M[3], (TRect{93, 4, 98, 5}));
    EXPECT_EQ(M[4], (TRect{93, 70, 98, 71}));
    M = OpenFileDropMark(0, 2, 3, 70);
    EXPECT_EQ(M[0].Left, 94);  // after tile 0: the gap before tile 1
    EXPECT_EQ(M[0].Top, -64);
}

TEST(OpenFileStripCore, ExpandedHeightAndFittedPath)
{
    EXPECT_EQ(ExpandedOpenFileHeight(4, 3), 140);
    EXPECT_EQ(ExpandedOpenFileHeight(20, 3), 210);
    EXPECT_EQ(ExpandedOpenFileHeight(1, 3), 70);
    auto Width = [](const String& S) { return Integer(S.size()) * 6; };
    const String Path = u"C:\\Pictures\\Holidays\\2026\\beach.png";  // 35 characters, 210 pixels
    EXPECT_EQ(FitPathText(Path, 210, Width), Path);
    // 120 pixels: the text grows until it is no longer narrower than 110.
    const String T = FitPathText(Path, 120, Width);
    EXPECT_EQ(T, u"C:\\Pic...\\beach.png");
    EXPECT_GE(Width(T), 110);
    // Too narrow even for the tail.
    EXPECT_EQ(FitPathText(Path, 30, Width), u"...\\beach.png");
}

TEST(OpenFileStripCore, PreviewCentredOnTheTileAndItsSlide)
{
    EXPECT_EQ(OpenFilePreviewLeft(100, 254), 16);  // (254 - 86) div 2 = 84 to the left
    EXPECT_EQ(OpenFilePreviewLeft(10, 254), -74);  // the caller keeps a hidden one at 0
    struct TCase {
        Integer From, To;
        std::vector<Integer> Steps;
    };
    const TCase Cases[] = {
        {10, 10, {}},
        {10, 13, {11, 12, 13}},
        {13, 10, {12, 11, 10}},
        {0, 86, {}},   // a tile's width apart: 1 pixel a step (86 steps, checked below)
        {0, 87, {}},   // further: 2 pixels a step, the last one short
    };
    for (const TCase& C : Cases) {
        const std::vector<Integer> S = OpenFilePreviewSlide(C.From, C.To);
        if (!C.Steps.empty() || C.From == C.To) EXPECT_EQ(S, C.Steps) << C.From << " " << C.To;
        if (C.From != C.To) EXPECT_EQ(S.back(), C.To);
    }
    EXPECT_EQ(OpenFilePreviewSlide(0, 86).size(), 86u);
    const std::vector<Integer> Far = OpenFilePreviewSlide(0, 87);
    EXPECT_EQ(Far.size(), 44u);
    EXPECT_EQ(Far[0], 2);
    EXPECT_EQ(Far[42], 86);
    EXPECT_EQ(OpenFilePreviewSlide(300, 100).front(), 298);
}
