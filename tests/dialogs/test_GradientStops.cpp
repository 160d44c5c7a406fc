// The gradient stop editor without a window: text forms, adding, dragging,
// reordering and deleting stops, the colour drop-down's preview and restore,
// the preset tiles' places and the preset rows kept by the two dialogs.
#include <gtest/gtest.h>

#include "dialogs/GradientStops.h"
#include "document/ImageEffects.h"
#include "foundation/HyPresets.h"

namespace {

// The preset editor's geometry: bar at (16, 29), 368 x 31.
TGradientStops Editor() { return TGradientStops(16, 60, 368); }

TEST(GradientStopsText, PositionsAndPercentages)
{
    const struct {
        Extended Value;
        const char16_t* Position;
        const char16_t* Percent;
    } Cases[] = {
        {0, u"0", u"0%"},          {1, u"1", u"100%"},        {0.5, u"0.5", u"50%"},
        {0.125, u"0.125", u"12.5%"}, {0.8024, u"0.802", u"80.2%"}, {0.0004, u"0", u"0%"},
        {0.3333333, u"0.333", u"33.3%"}, {0.07, u"0.07", u"7%"},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(GradientPositionText(C.Value), C.Position) << C.Value;
        EXPECT_EQ(GradientPercentText(RoundPosition(C.Value)), C.Percent) << C.Value;
    }
    EXPECT_DOUBLE_EQ(GradientPositionOf(u"0.802"), 0.802);
    EXPECT_DOUBLE_EQ(GradientPositionOf(u"x"), 0);
    EXPECT_DOUBLE_EQ(GradientPositionOf(u""), 0);
}

TEST(GradientStops, LoadLaysMarkersOutAndResolvesWords)
{
    TGradientStops E = Editor();
    E.ForeColor = 0x123456;
    E.BackColor = 0x654321;
    E.Load(u"ForeColor/BackColor/255", u"100/50/0", u"0/0.5/1");
    ASSERT_EQ(E.Count(), 3);
    EXPECT_EQ(E.MarkerLeft(0), 12);   // Round(368 x 0) + 16 - 4
    EXPECT_EQ(E.MarkerLeft(1), 196);  // 184 + 12
    EXPECT_EQ(E.MarkerLeft(2), 380);
    EXPECT_EQ(E.MarkerTop(), 66);
    EXPECT_EQ(E.ColorOf(0), 0x123456);
    EXPECT_EQ(E.ColorOf(1), 0x654321);
    EXPECT_EQ(E.ColorOf(2), 255);
    EXPECT_TRUE(E.CanDelete());
}

TEST(GradientStops, DamagedListsStillGiveTwoStopsOfEqualCount)
{
    const struct {
        const char16_t *C, *O, *P;
        Integer Count;
    } Cases[] = {
        {u"1/2/3", u"100/100", u"0/0.5/1", 2},
        {u"", u"", u"", 2},
        {u"1", u"100", u"0", 2},
    };
    for (const auto& C : Cases) {
        TGradientStops E = Editor();
        E.Load(C.C, C.O, C.P);
        EXPECT_EQ(E.Count(), C.Count);
        EXPECT_EQ(E.OpacityRow().ItemCount(), E.Count());
        EXPECT_EQ(E.PositionRow().ItemCount(), E.Count());
    }
}

TEST(GradientStops, PressOnTheStripAddsAStopInPositionOrder)
{
    TGradientStops E = Editor();
    E.Load(u"0/16777215", u"100/100", u"0/1");
    // Outside the strip (above, below, right edge exclusive): nothing.
    for (TPoint P : {TPoint{100, 59}, TPoint{100, 75}, TPoint{384, 65}, TPoint{15, 65}})
        EXPECT_FALSE(E.AddStopAt(P.X, P.Y, 255)) << P.X << "," << P.Y;
    ASSERT_TRUE(E.AddStopAt(200, 65, 255));  // (200 - 16) / 368 = 0.5
    EXPECT_EQ(E.ColorsText(), u"0/255/16777215");
    EXPECT_EQ(E.OpacitiesText(), u"100/100/100");
    EXPECT_EQ(E.PositionsText(), u"0/0.5/1");
    EXPECT_EQ(E.Index(), 1);
    EXPECT_EQ(E.MarkerLeft(1), 196);
    // At the strip's left edge: position 0, after the stop already there
    // (its marker is not right of the press).
    ASSERT_TRUE(E.AddStopAt(16, 60, 65280));
    EXPECT_EQ(E.PositionsText(), u"0/0/0.5/1");
    EXPECT_EQ(E.Index(), 1);
    EXPECT_EQ(E.ColorEntry(1), u"65280");
}

TEST(GradientStops, TwentyStopsAtMost)
{
    TGradientStops E = Editor();
    E.Load(u"0/16777215", u"100/100", u"0/1");
    for (Integer i = 0; i < 18; ++i) ASSERT_TRUE(E.AddStopAt(20 + i * 18, 62, i));
    EXPECT_EQ(E.Count(), 20);
    EXPECT_FALSE(E.AddStopAt(300, 62, 1));
    EXPECT_EQ(E.Count(), 20);
    for (Integer i = 1; i < E.Count(); ++i) EXPECT_LE(E.PositionOf(i - 1), E.PositionOf(i));
}

TEST(GradientStops, DragClampsToTheStripAndKeepsTheListsInStep)
{
    TGradientStops E = Editor();
    E.Load(u"1/2/3", u"10/20/30", u"0/0.5/1");
    E.Select(0);
    // Far to the right: past its neighbour, position 1, marker at Right - 4;
    // the stop already at the right edge keeps its place (equal lefts).
    E.DragTo(E.DragLeftFromStrip(5000));
    EXPECT_EQ(E.Index(), 1);
    EXPECT_EQ(E.MarkerLeft(1), 380);
    EXPECT_EQ(E.ColorsText(), u"2/1/3");
    EXPECT_EQ(E.OpacitiesText(), u"20/10/30");
    EXPECT_EQ(E.PositionsText(), u"0.5/1/1");
    // Far to the left: position 0, first again, colour and opacity kept.
    E.DragTo(E.DragLeftFromStrip(-5000));
    EXPECT_EQ(E.Index(), 0);
    EXPECT_EQ(E.MarkerLeft(0), 12);
    EXPECT_EQ(E.ColorsText(), u"1/2/3");
    EXPECT_EQ(E.OpacitiesText(), u"10/20/30");
    EXPECT_EQ(E.PositionsText(), u"0/0.5/1");
    // A drag on the marker itself (marker-local x from where it started).
    E.Select(1);
    E.DragTo(E.DragLeftFromMarker(4 + 92, 4));  // 92 pixels right of 196
    EXPECT_EQ(E.MarkerLeft(1), 288);
    EXPECT_EQ(E.PositionsText(), u"0/0.75/1");
    for (Integer i = 0; i < E.Count(); ++i) {
        EXPECT_GE(E.PositionOf(i), 0);
        EXPECT_LE(E.PositionOf(i), 1);
    }
}

TEST(GradientStops, EqualLeftsNeverSwap)
{
    TGradientStops E = Editor();
    E.Load(u"1/2/3", u"100/100/100", u"0/0.5/1");
    E.Select(2);
    E.DragTo(196);  // onto stop 1's marker
    EXPECT_EQ(E.Index(), 2);
    EXPECT_EQ(E.ColorsText(), u"1/2/3");
    EXPECT_EQ(E.PositionsText(), u"0/0.5/0.5");
}

TEST(GradientStops, DeleteSelectsTheNewLastStopAndStopsAtTwo)
{
    TGradientStops E = Editor();
    E.Load(u"1/2/3", u"10/20/30", u"0/0.5/1");
    E.Select(0);
    ASSERT_TRUE(E.DeleteCurrent());
    EXPECT_EQ(E.ColorsText(), u"2/3");
    EXPECT_EQ(E.OpacitiesText(), u"20/30");
    EXPECT_EQ(E.PositionsText(), u"0.5/1");
    EXPECT_EQ(E.Index(), 1);
    EXPECT_EQ(E.MarkerLeft(0), 196);
    EXPECT_FALSE(E.CanDelete());
    EXPECT_FALSE(E.DeleteCurrent());
    EXPECT_EQ(E.Count(), 2);
}

TEST(GradientStops, WordsAndOpacity)
{
    TGradientStops E = Editor();
    E.Load(u"255/0", u"100/100", u"0/1");
    E.SetCurrentForeWord(true, 255);
    EXPECT_EQ(E.ColorEntry(0), u"ForeColor");
    EXPECT_TRUE(E.IsForeWord(0));
    E.SetCurrentForeWord(false, 0x00FF00);
    EXPECT_EQ(E.ColorEntry(0), u"65280");
    E.SetCurrentBackWord(true, 0);
    EXPECT_TRUE(E.IsBackWord(0));
    E.SetCurrentOpacity(150);
    EXPECT_EQ(E.OpacitiesText(), u"100/100");
    E.SetCurrentOpacity(37);
    EXPECT_EQ(E.OpacitiesText(), u"37/100");
}

// Closing the drop-down without a choice gives the entry back as it was: a
// word stays a word (not the colour it stood for as a number).
TEST(GradientStops, ClosedDropDownRestoresTheEntryWordsIncluded)
{
    const struct {
        const char16_t* Entry;
        bool Hover, Chosen;
        const char16_t* After;
    } Cases[] = {
        {u"ForeColor", false, false, u"ForeColor"}, {u"ForeColor", true, false, u"ForeColor"},
        {u"BackColor", true, false, u"BackColor"},  {u"255", true, false, u"255"},
        {u"ForeColor", true, true, u"65280"},       {u"255", false, true, u"255"},
    };
    for (const auto& C : Cases) {
        TGradientStops E = Editor();
        E.ForeColor = 0x112233;
        E.Load(String(C.Entry) + u"/0", u"100/100", u"0/1");
        E.BeginColorPreview();
        if (C.Hover) E.PreviewColor(0x00FF00);
        E.EndColorPreview(C.Chosen);
        EXPECT_EQ(E.ColorEntry(0), C.After);
        EXPECT_FALSE(E.ColorPreviewOpen());
    }
}

TEST(GradientStops, GridPreviewSkipsTheMenusOwnItems)
{
    EXPECT_TRUE(IsGridPreviewColor(0, 10));
    EXPECT_FALSE(IsGridPreviewColor(0, 11));
    EXPECT_TRUE(IsGridPreviewColor(255, 40));
}

// "0" and "1" are the only texts that need no extra end entries: "0.0" adds
// one in front.
TEST(GradientStops, BlendAddsEndsUnlessExactlyZeroAndOne)
{
    const struct {
        const char16_t* Positions;
        size_t Entries;
    } Cases[] = {{u"0/1", 2}, {u"0.0/1", 3}, {u"0/1.0", 3}, {u"0.15/0.85", 4}};
    for (const auto& C : Cases) {
        TRow Colors, Opacities, Positions;
        Colors.Init(u"255/65280", u'/');
        Opacities.Init(u"100/100", u'/');
        Positions.Init(C.Positions, u'/');
        std::vector<TColor32> Out;
        std::vector<Single> At;
        BuildGradientBlend(Colors, Opacities, Positions, 255, Out, At, 0, 0);
        EXPECT_EQ(Out.size(), C.Entries);
        EXPECT_EQ(At.size(), C.Entries);
        EXPECT_FLOAT_EQ(At.front(), 0);
        EXPECT_FLOAT_EQ(At.back(), 1);
    }
}

TEST(GradientTiles, ColumnsPlacesAndIndexes)
{
    EXPECT_EQ(ThumbColumns(261 + 17, 17), 8);
    EXPECT_EQ(ThumbColumns(10, 17), 1);
    EXPECT_EQ(ThumbColumns(278, 17, 35), 7);
    EXPECT_EQ(ThumbPlace(9, 8, 0).X, 32);
    EXPECT_EQ(ThumbPlace(9, 8, 0).Y, 32);
    EXPECT_EQ(ThumbPlace(9, 8, 20).Y, 12);
    const struct {
        Integer Index, Rows, Clamped;
    } Cases[] = {{0, 12, 0}, {11, 12, 11}, {12, 12, 11}, {40, 3, 2}, {-1, 3, 0}, {5, 0, -1}};
    for (const auto& C : Cases) EXPECT_EQ(ClampPresetIndex(C.Index, C.Rows), C.Clamped);
}

class GradientPresets : public testing::Test {};

TEST_F(GradientPresets, NewStoreAndDeleteRows)
{
    TDataTable T(String(), ColumnRange(10, 19));
    FillGradientPresets(&T);
    ASSERT_EQ(T.ItemCount(), 12);
    const Integer New = AppendGradientPreset(T, u"1/2", u"100/50", u"0/1", 12, u"Mine, mine");
    EXPECT_EQ(New, 12);
    EXPECT_EQ(T.GetItem(12)->ItemCount(), 20);
    EXPECT_EQ(T.GetItem(12)->GetItem(12)->Text(), u"Mine, mine");
    EXPECT_EQ(T.GetItem(12)->GetItem(10)->Text(), u"");
    StoreGradientPreset(T, 3, u"5/6", u"1/2", u"0/1", 10, u"x");
    EXPECT_EQ(T.GetItem(3)->GetItem(1)->Text(), u"5/6");
    EXPECT_EQ(T.GetItem(3)->GetItem(10)->Text(), u"x");
    EXPECT_EQ(T.GetItem(3)->GetItem(12)->Text(), u"Purple to Orange");
    // Deleting the last row makes the one before it current; a middle row
    // leaves the index on the row that took its place.
    EXPECT_EQ(DeleteGradientPreset(T, 12), 11);
    EXPECT_EQ(DeleteGradientPreset(T, 5), 5);
    while (T.ItemCount() > 1) DeleteGradientPreset(T, 0);
    EXPECT_EQ(DeleteGradientPreset(T, 0), -1);
}

// The built-in rows, byte for byte.
TEST_F(GradientPresets, BuiltInRowsAsStored)
{
    TDataTable T(String(), ColumnRange(10, 19));
    FillGradientPresets(&T);
    const char16_t* Rows[] = {
        u",ForeColor/BackColor,100/100,0/1,,,,,,,前景到背景,,Foreground to Background,,,,,,,",
        u",ForeColor/BackColor,100/0,0/1,,,,,,,前景到透明,,Foreground to Transparent,,,,,,,",
        u",0/16777215,100/100,0/1,,,,,,,黑色到白色,,Black to White,,,,,,,",
        u",8388736/26367,100/100,0/1,,,,,,,紫色到橙色,,Purple to Orange,,,,,,,",
        u",16711680/255/65535,100/100/100,0/0.5/1,,,,,,,蓝色，红色，黄色,,Blue\x1aRed\x1aYellow,,,,,,,",
        u",16711680/65535/16711680,100/100/100,0.15/0.5/0.85,,,,,,,蓝色，黄色，蓝色,,Blue\x1aYellow\x1a"
        u"Blue,,,,,,,",
        u",26367/65535/26367,100/100/100,0/0.5/1,,,,,,,橙色，黄色，橙色,,Orange\x1aYellow\x1aOrange,,,,,,,",
        u",16711935/32768/26367,100/100/100,0/0.5/1,,,,,,,紫色，绿色，橙色,,Purple\x1aGreen\x1aOrange,,,,,,,",
        u",65535/16711935/26367/16711680,100/100/100/100,0/0.33/0.66/1,,,,,,,黄色，紫色，橙色，蓝色,,Yellow\x1a"
        u"Purple\x1aOrange\x1a"
        u"Blue,,,,,,,",
        u",255/16711935/16711680/16776960/65280/65535/255,100/100/100/100/100/100/100,0/0.16/0.34/0.52/0.69/0.85/1,"
        u",,,,,,色谱,,Spectrum,,,,,,,",
        u",255/255/255/65535/65280/16776960/16711680/16711935/16711935/16711935,0/79/100/100/100/100/100/100/80/0,"
        u"0/0.07/0.12/0.27/0.42/0.58/0.74/0.88/0.93/1,,,,,,,透明彩虹,,Transparent Rainbow,,,,,,,",
        u",ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/ForeColor/"
        u"ForeColor/ForeColor/ForeColor/ForeColor,100/0/0/100/100/0/0/100/100/0/0/100/100/0,0.128/0.128/0.253/"
        u"0.253/0.383/0.383/0.503/0.503/0.633/0.633/0.764/0.764/0.883/0.886,,,,,,,透明条纹,,Transparent Stripes,,,,,,,",
    };
    ASSERT_EQ(T.ItemCount(), 12);
    for (Integer i = 0; i < 12; ++i) EXPECT_EQ(T.GetItem(i)->ToString(true), Rows[i]) << i;

    TDataTable O(String(), ColumnRange(10, 19));
    FillGradientObjPresets(&O);
    const char16_t* Lists[] = {
        u"3355443/16777215,100/100,0/1",          u"52479/10092543/16777164,100/100/100,0/0.5/1",
        u"10079487/16776960/10079487,100/50/100,0/0.5/1", u"10962245/16764057,100/100,0/0.802",
        u"52479/10092543/16777215,100/100/100,0/0.652/1", u"16542462/65535,80/40,0/1",
        u"6723891/13434828,100/100,0.155/1",     u"39423/10092543,100/100,0.261/1",
        u"26367/65535/26367,100/100/100,0/0.5/1", u"16558444/10079487,100/62,0.312/1",
    };
    ASSERT_EQ(O.ItemCount(), 10);
    for (Integer i = 0; i < 10; ++i)
        EXPECT_EQ(O.GetItem(i)->ToString(true), u"," + String(Lists[i]) + u",,,,,,,,,,,,,,,,") << i;
}

}  // namespace
