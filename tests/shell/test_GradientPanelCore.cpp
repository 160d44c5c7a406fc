// The gradient panel's and the pickers' choices without a window: the brush
// tip a stored index names, the preview pictures of missing packs, the menu
// items of the gradient modes and the list's scroll.
#include <gtest/gtest.h>

#include "Component/Raster32/Ras32.h"
#include "shell/GradientPanelCore.h"

namespace {

TEST(GradientPanelCore, BrushIndexIsAlwaysATip)
{
    const struct {
        Integer Stored, Count, Index;
    } Cases[] = {{0, 5, 0}, {4, 5, 4}, {5, 5, 4}, {9, 5, 4}, {-3, 5, 0}, {0, 0, -1}, {3, 0, -1}, {0, 1, 0}};
    for (const auto& C : Cases) EXPECT_EQ(ClampBrushIndex(C.Stored, C.Count), C.Index) << C.Stored << "/" << C.Count;
}

TEST(GradientPanelCore, PreviewPicturesOfMissingPacksAreSkipped)
{
    EXPECT_EQ(PreviewPicture(nullptr, 0), nullptr);
    TDataTable Empty;
    for (Integer Mode : {-1, 0, 3}) {
        EXPECT_EQ(PreviewPicture(&Empty, ShadowPreviewRow(Mode)), nullptr);
        EXPECT_EQ(PreviewPicture(&Empty, ReflectPreviewRow(Mode)), nullptr);
    }
    TDataTable Two;
    Two.AddItem(u"a");
    Two.AddItem(u"b");
    auto Pic = std::make_unique<TCustomBitmap32>();
    TCustomBitmap32* P = Pic.get();
    Two.GetItem(1)->Data2().Own(std::move(Pic));
    EXPECT_EQ(PreviewPicture(&Two, ShadowPreviewRow(0)), P);
    EXPECT_EQ(PreviewPicture(&Two, ShadowPreviewRow(-1)), nullptr);  // row 0 holds no picture
    EXPECT_EQ(PreviewPicture(&Two, ReflectPreviewRow(0)), nullptr);  // no row 2
}

TEST(GradientPanelCore, MenuItemsAndModes)
{
    const struct {
        Integer Mode, Item, TextItem;
    } Cases[] = {{-1, 0, 0}, {0, 1, 1}, {1, 2, 3}, {4, 5, 6}};
    for (const auto& C : Cases) {
        EXPECT_EQ(GradientMenuItem(C.Mode), C.Item);
        EXPECT_EQ(GradientModeOfItem(C.Item), C.Mode);
        EXPECT_EQ(TextGradientMenuItem(C.Mode), C.TextItem);
        EXPECT_EQ(TextGradientModeOfItem(C.TextItem), C.Mode);
    }
}

TEST(GradientPanelCore, ListScrollPutsTheRowOnTop)
{
    EXPECT_EQ(ListScrollFor(11, 8, 32, 1000), 32);
    EXPECT_EQ(ListScrollFor(3, 8, 32, 1000), 0);
    EXPECT_EQ(ListScrollFor(40, 7, 35, 100), 100);
    EXPECT_EQ(ListScrollFor(-1, 7, 35, 100), 0);
}

}  // namespace
