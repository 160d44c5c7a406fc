// The image commands' arithmetic: crop ratios and sizes, canvas handles,
// where a paste lands and the gallery's daily backup.
#include <gtest/gtest.h>

#include "shell/ImageCommandRules.h"
#include "shell/MainLifecycle.h"

TEST(ImageCommandRules, CropFrameFitsTheRatio)
{
    const TRect Square{10, 20, 310, 320};
    struct {
        Integer Index;
        Integer W, H;
    } const Cases[] = {
        {8, 300, 169},  // 16:9 keeps the width
        {2, 200, 300},  // 2:3 keeps the height
        {1, 300, 300},
        {9, 300, 188},  // 16:10: 187.5 rounds to even
        {0, 300, 300},  // no fixed ratio: unchanged
    };
    for (const auto& C : Cases) {
        const TRect R = FitCropToRatio(Square, FixedCropRatio(C.Index));
        EXPECT_EQ(R.Left, 10);
        EXPECT_EQ(R.Top, 20);
        EXPECT_EQ(R.Width(), C.W) << C.Index;
        EXPECT_EQ(R.Height(), C.H) << C.Index;
    }
    EXPECT_EQ(FitCropToRatio(Square, -1), Square);
}

TEST(ImageCommandRules, CropSizesKeepTheEightMostRecent)
{
    TDataTable T;
    LoadCropSizes(T, DefaultCropSizes);  // 120 x 120, 320 x 240
    SaveCropSize(T, 320, 240);           // listed: moves to the top, no duplicate
    EXPECT_EQ(CropSizesText(T), u"320.120.240.120");
    for (Integer I = 1; I <= 6; ++I) SaveCropSize(T, I, I);
    ASSERT_EQ(T.ItemCount(), 8);
    EXPECT_EQ(T.GetItem(0)->ToString(false), u"6,6");
    EXPECT_EQ(T.GetItem(7)->ToString(false), u"120,120");
    SaveCropSize(T, 9, 9);  // the ninth drops the oldest
    ASSERT_EQ(T.ItemCount(), 8);
    EXPECT_EQ(T.GetItem(0)->ToString(false), u"9,9");
    EXPECT_EQ(T.GetItem(7)->ToString(false), u"320,240");
}

TEST(ImageCommandRules, CanvasHandleDragExtendsTheSidesItPulls)
{
    struct {
        Integer Handle;
        TCanvasSides Sides;
    } const Cases[] = {
        {1, {10, 0, 20, 0}}, {2, {0, -10, 20, 0}}, {3, {0, -10, 0, -20}}, {4, {10, 0, 0, -20}},
        {5, {0, 0, 20, 0}},  {6, {0, 0, 0, -20}},  {7, {10, 0, 0, 0}},    {8, {0, -10, 0, 0}},
        {0, {}},             {9, {}},
    };
    for (const auto& C : Cases) EXPECT_EQ(CanvasDragSides(C.Handle, -10, -20), C.Sides) << C.Handle;
}

TEST(ImageCommandRules, PasteGoesToThePointerOnlyStrictlyInside)
{
    EXPECT_TRUE(PasteAtPointer(5, 5, 100, 80));
    EXPECT_FALSE(PasteAtPointer(0, 5, 100, 80));
    EXPECT_FALSE(PasteAtPointer(5, 0, 100, 80));
    EXPECT_FALSE(PasteAtPointer(100, 5, 100, 80));
    EXPECT_FALSE(PasteAtPointer(-3, 5, 100, 80));
}

TEST(ImageCommandRules, GalleryBackupIsDueOnANewDateNotANewDayOfTheMonth)
{
    EXPECT_FALSE(GalleryBackupDue(u"2026-12-11", u"2026-12-11"));
    EXPECT_TRUE(GalleryBackupDue(u"2026-11-11", u"2026-12-11"));  // a month later, same day
    EXPECT_TRUE(GalleryBackupDue(u"11", u"2026-12-11"));          // an older day-only record
    EXPECT_TRUE(GalleryBackupDue(u"", u"2026-12-11"));
}

TEST(ImageCommandRules, WatermarkSettingsBecomeTheDocumentsRow)
{
    TRow Settings;
    // On, tiled, corner 3, edges 5/6 %, spacing 7/8, 30 degrees, 60 % opaque,
    // a file whose name holds a comma (kept escaped), white transparent.
    Settings.Init(std::vector<String>{u"-1", u"x", u"1", u"3", u"5", u"6", u"7", u"8", u"30", u"60", u"y",
                                      EscapeCellText(u"C:\\marks\\a,b.png"), u"-1", u"16777215"});
    const TWatermarkSettings W = ReadWatermarkSettings(Settings);
    EXPECT_TRUE(W.Enabled);
    EXPECT_EQ(W.FileName, u"C:\\marks\\a,b.png");
    EXPECT_EQ(W.LocationType, 1);
    EXPECT_EQ(W.Location, 3);
    EXPECT_EQ(W.LocationED2, 6);
    EXPECT_EQ(W.LocationSD1, 7);
    EXPECT_EQ(W.Angle, 30);
    EXPECT_EQ(W.Opacity, 60);
    EXPECT_TRUE(W.UseTC);
    EXPECT_EQ(W.TC, 0xFFFFFF);

    const std::unique_ptr<TRow> Row = BuildWatermarkRow(Settings);
    ASSERT_EQ(Row->ItemCount(), 12);
    const char16_t* Expected[12] = {u"-1", nullptr, u"1", u"3", u"5", u"6", u"7", u"8", u"30", u"60", u"-1",
                                    u"16777215"};
    for (Integer I = 0; I < 12; ++I)
        if (Expected[I]) EXPECT_EQ(Row->GetItem(I)->Text(), Expected[I]) << I;
    // The file stays escaped, as the document unescapes it.
    EXPECT_EQ(UnescapeCellText(Row->ToString(true, u',', 2, 1)), u"C:\\marks\\a,b.png");
    EXPECT_EQ(Row->ToString(true, u',', 2, 1).find(u','), String::npos);
}

TEST(ImageCommandRules, DamagedWatermarkSettingsGiveNoWatermark)
{
    TRow Short;
    Short.Init(std::vector<String>{u"-1", u"", u"1"});  // cut off after the placement
    const TWatermarkSettings W = ReadWatermarkSettings(Short);
    EXPECT_TRUE(W.Enabled);
    EXPECT_TRUE(W.FileName.empty());
    EXPECT_EQ(W.Opacity, 0);
    EXPECT_EQ(BuildWatermarkRow(Short)->ItemCount(), 12);

    TRow Garbage;
    Garbage.Init(std::vector<String>{u"on?", u"", u"tiles", u"", u"", u"", u"", u"", u"ninety"});
    const TWatermarkSettings G = ReadWatermarkSettings(Garbage);
    EXPECT_FALSE(G.Enabled);
    EXPECT_EQ(G.LocationType, 0);
    EXPECT_EQ(G.Angle, 0);
}
