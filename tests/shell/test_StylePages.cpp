// The style strip's places and pages, the width buttons' pages, the text
// panel's drag limits and the side panels after a resize.
#include <gtest/gtest.h>

#include "shell/StylePages.h"

namespace {

using namespace StylePages;

TEST(StylePages, ImagesFormRowsOfTheColumnCount)
{
    const TStyleImagePlaces Six = StyleImagePlaces(6);
    EXPECT_EQ(Six.PanelGrowth, 2 * 78);
    EXPECT_EQ(Six.At[0], (TPoint{9, 11}));
    EXPECT_EQ(Six.At[5], (TPoint{9 + 5 * 67, 11}));
    EXPECT_EQ(Six.At[6], (TPoint{9, 89}));
    EXPECT_EQ(Six.At[17], (TPoint{9 + 5 * 67, 11 + 2 * 78}));
    // No growth after the last image, even when it ends a row.
    EXPECT_EQ(StyleImagePlaces(3).PanelGrowth, 5 * 78);
    EXPECT_EQ(StyleImagePlaces(4).PanelGrowth, 4 * 78);
    EXPECT_EQ(StyleImagePlaces(4).At[17], (TPoint{9 + 67, 11 + 4 * 78}));

    EXPECT_EQ(PageCount(15, 6), 3);
    EXPECT_EQ(PageCount(12, 6), 2);
    EXPECT_EQ(PageCount(0, 6), 0);
    EXPECT_EQ(PageCount(15, 0), 0);
    EXPECT_EQ(ExpandedHeight(3), 249);
    EXPECT_EQ(PageTop(2), -156);
}

TEST(StylePages, WidthPagesCaptionsImagesAndTheDownButton)
{
    struct Case {
        Integer Page, Width;
        const char16_t* Captions[5];
        Integer FirstImage;
        Integer DownIndex;
    } Cases[] = {
        {0, 3, {u"  1 px", u"  2 px", u"  3 px", u"  4 px", u"  5 px"}, 0, 2},
        {1, 10, {u"  6 px", u"  7 px", u"  8 px", u"  9 px", u"10 px"}, 5, 4},
        {2, 1, {u" 11 px", u" 12 px", u" 13 px", u" 14 px", u" 15 px"}, -1, -1},
        {199, 1000, {u"996 px", u"997 px", u"998 px", u"999 px", u"100 px"}, -1, 4},
    };
    for (const Case& C : Cases) {
        const auto B = WidthPage(C.Page, C.Width);
        for (Integer I = 0; I < 5; ++I) {
            EXPECT_EQ(B[size_t(I)].Caption, C.Captions[I]) << C.Page << " " << I;
            EXPECT_EQ(B[size_t(I)].ImageIndex, C.FirstImage < 0 ? -1 : C.FirstImage + I);
            EXPECT_EQ(B[size_t(I)].Down, I == C.DownIndex) << C.Page << " " << I;
        }
    }
}

TEST(StylePages, TheTextPanelStaysBetweenTheCanvasAndTheRightPanel)
{
    const TDragBounds B{64, 93, 500, 900};
    const TPoint Size{220, 170};
    EXPECT_EQ(DraggedTextPanel({300, 200}, Size, {10, -5}, B), (TPoint{310, 195}));
    // Far right: the left edge stops at the right panel's left edge.
    EXPECT_EQ(DraggedTextPanel({300, 200}, Size, {5000, 0}, B), (TPoint{900, 200}));
    EXPECT_EQ(DraggedTextPanel({300, 200}, Size, {-5000, 0}, B), (TPoint{64 - 220, 200}));
    EXPECT_EQ(DraggedTextPanel({300, 200}, Size, {0, -500}, B), (TPoint{300, 93}));
    EXPECT_EQ(DraggedTextPanel({300, 200}, Size, {0, 5000}, B), (TPoint{300, 93 + 500 - 170}));
}

TEST(StylePages, SidePanelsAfterAResize)
{
    TSidePanelsIn In{};
    In.RightHeight = 600;
    In.RestoreTop = 400, In.RestoreHeight = 24;
    In.LeftHeight = 600;
    In.MagicToolsBottom = 380;
    In.PropHeight = 93, In.ImageHeight = 500, In.ImageWidth = 800, In.LeftWidth = 64;
    In.RulerPanelWidth = 300, In.RulerPanelHeight = 30;
    TSidePanelsOut O = LayoutSidePanels(In, 4);
    EXPECT_EQ(O.ThumbHeight, 544);
    EXPECT_EQ(O.EffectsTop, 4 + 544 + 3);
    EXPECT_EQ(O.MenuTop, 434);
    EXPECT_EQ(O.LinkTop, 460);
    EXPECT_EQ(O.RestoreTop, 440);
    EXPECT_EQ(O.RulerPanelTop, 93 + 500 - 30 - 18);
    EXPECT_EQ(O.RulerPanelLeft, 250 + 64);
    // A short left panel puts the menu button near its bottom instead.
    In.LeftHeight = 470;
    O = LayoutSidePanels(In, 4);
    EXPECT_EQ(O.MenuTop, 422);
    EXPECT_EQ(O.LinkTop, 448);
}

}  // namespace
