#include <gtest/gtest.h>

#include "skin/controls/SkinPanelCore.h"

TEST(SkinPanelCore, RollUpRoundTripKeepsEachChildsOwnVisibility)
{
    TsfSkinPanelRollUp r;
    int shown = 0, hidden = 0, later = 0;
    EXPECT_EQ(r.Unroll(), -1);  // not rolled up: nothing to restore
    ASSERT_TRUE(r.RollUp(150, {{&shown, true}, {&hidden, false}}));
    EXPECT_FALSE(r.RollUp(23, {}));  // already rolled up: the first height stays
    EXPECT_TRUE(r.RolledUp());
    EXPECT_EQ(r.RealHeight(), 150);
    EXPECT_EQ(r.Unroll(), 150);
    EXPECT_FALSE(r.RolledUp());
    EXPECT_TRUE(r.WasVisible(&shown));
    EXPECT_FALSE(r.WasVisible(&hidden));
    EXPECT_TRUE(r.WasVisible(&later));  // added while rolled up
}

TEST(SkinPanelCore, RolledHeightAndCaptionClicks)
{
    EXPECT_EQ(PanelRolledHeight(true, 150, {2, 20, 98, 147}, 22), 23);  // the frame only
    EXPECT_EQ(PanelRolledHeight(false, 150, {2, 20, 98, 147}, 22), 23);
    EXPECT_EQ(PanelRolledHeight(false, 150, {}, 30), 31);
    struct TCase {
        TPoint P;
        bool HasDescription;
        bool Hit;
    } cases[] = {
        {{1, 1}, false, true},     {{99, 22}, false, true},   // edges count
        {{0, 5}, false, false},    {{50, 23}, false, false},
        {{10, 4}, true, true},     {{90, 18}, true, true},
        {{9, 4}, true, false},     {{50, 19}, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PanelCaptionHit(c.P, c.HasDescription, {10, 4, 90, 18}, 100, 22), c.Hit) << c.P.X << "," << c.P.Y;
}

TEST(SkinPanelCore, WhereTheChildrenGo)
{
    struct TCase {
        bool Desc, Transparent, Caption, Ribbon, SkinSize;
        TsfSkinBorderStyle Border;
        Integer BG, Mode;
        TRect Expected;
    } cases[] = {
        {false, false, false, false, true, TsfSkinBorderStyle::bvFrame, -1, 1, {1, 1, 99, 79}},
        {false, false, false, false, true, TsfSkinBorderStyle::bvNone, -1, 1, {0, 0, 100, 80}},
        {false, false, true, false, true, TsfSkinBorderStyle::bvFrame, -1, 1, {1, 23, 99, 79}},
        {false, false, true, true, true, TsfSkinBorderStyle::bvFrame, -1, 1, {1, 1, 99, 57}},
        {true, true, false, false, true, TsfSkinBorderStyle::bvFrame, -1, 1, {2, 2, 98, 78}},   // transparent skin look
        {true, true, true, false, true, TsfSkinBorderStyle::bvFrame, -1, 1, {2, 16, 98, 78}},   // group box: below the caption text
        {true, false, false, false, true, TsfSkinBorderStyle::bvFrame, -1, 1, {3, 20, 97, 77}}, // the skin's client area
        {true, false, false, false, true, TsfSkinBorderStyle::bvNone, -1, 1, {0, 0, 100, 80}},  // borderless resizable: all
        {true, false, false, false, true, TsfSkinBorderStyle::bvFrame, 2, 1, {0, 0, 100, 80}},  // background picture: all
        {true, false, true, false, false, TsfSkinBorderStyle::bvFrame, -1, 1, {3, 22, 97, 77}}, // own caption height
    };
    for (const auto& c : cases) {
        TsfPanelClientInput in;
        in.Client = {0, 0, 100, 80};
        in.HasDescription = c.Desc;
        in.TransparentMode = c.Transparent;
        in.CaptionMode = c.Caption;
        in.RibbonStyle = c.Ribbon;
        in.UseSkinSize = c.SkinSize;
        in.BorderStyle = c.Border;
        in.BGPictureIndex = c.BG;
        in.ResizeMode = c.Mode;
        in.CaptionTextHeight = 16;
        in.NewClRect = {3, 20, 97, 77};
        EXPECT_EQ(PanelClientRect(in), c.Expected) << &c - cases;
    }
}

TEST(SkinPanelCore, StatusGripAndItsHitCode)
{
    const TRect client{0, 0, 180, 21};
    const TRect plain = StatusGripRect(client, false, {});
    EXPECT_EQ(plain, (TRect{181, 0, 201, 20}));
    EXPECT_EQ(StatusGripWidth(client, false, {}), 21);
    const TRect pic = StatusGripRect(client, true, {40, 0, 52, 12});
    EXPECT_EQ(pic, (TRect{180, 9, 192, 21}));
    EXPECT_EQ(StatusGripWidth(client, true, {0, 0, 0, 12}), 21);  // an empty gripper counts as none
    struct TCase {
        TPoint P;
        Integer Code;
    } cases[] = {{{181, 0}, 17}, {{201, 20}, 17}, {{190, 10}, 17}, {{180, 10}, 1}, {{202, 10}, 1}, {{5, 5}, 1}};
    for (const auto& c : cases) EXPECT_EQ(StatusGripHitTest(c.P, plain), c.Code) << c.P.X << "," << c.P.Y;
}

TEST(SkinPanelCore, BackgroundPicturePlaces)
{
    EXPECT_TRUE(PanelPictureRects(100, 80, 0, 10, false, sfstFull).empty());  // a picture without area
    EXPECT_TRUE(PanelPictureRects(0, 80, 10, 10, false, sfstFull).empty());
    EXPECT_EQ(PanelPictureRects(100, 80, 30, 50, false, sfstFull).size(), 4u * 2u);
    EXPECT_EQ(PanelPictureRects(100, 80, 30, 50, true, sfstFull), (std::vector<TRect>{{0, 0, 100, 80}}));
    const auto horz = PanelPictureRects(100, 80, 30, 50, true, sfstHorz);
    ASSERT_EQ(horz.size(), 4u);
    EXPECT_EQ(horz[3], (TRect{90, 0, 120, 80}));
    EXPECT_EQ(PanelPictureRects(100, 80, 30, 50, true, sfstVert).size(), 2u);
}
