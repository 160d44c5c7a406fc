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
