// The colour buttons' shared handlers: previews by button and item, the
// restore on a drop-down closed without a choice, the shared custom colours.
#include <gtest/gtest.h>

#include "shell/ColorButtonCore.h"

namespace {

using namespace ColorButtons;

TEST(ColorButtonCore, HoverPreviewsByButtonAndItem)
{
    struct Case {
        const char16_t* Button;
        TColor Color;
        Integer Index;
        TChanges Want;
    } Cases[] = {
        // Item 0 of the outline grid switches the outline off, colour untouched.
        {u"clColor", 0xFFFFFF, 0, {{u"IsOutline", 0, true}}},
        {u"clColor", 0x0000FF, 3, {{u"Color", 0x0000FF, false}, {u"IsOutline", -1, true}}},
        {u"clFillColor", 0x00FF00, 1, {{u"FillColor", 0x00FF00, false}, {u"IsFill", -1, true}}},
        {u"clFillColor", 0x00FF00, 0, {{u"IsFill", 0, true}}},
        {u"clFontColor", 0x123456, 5, {{u"FontColor", 0x123456, true}}},
        {u"clFontStrokeColor", 0x654321, 0, {{u"FontStrokeColor", 0x654321, true}}},
        // Black beyond the first items is the grid's "nothing under the pointer".
        {u"clColor", 0, 11, {}},
        {u"clColor", 0, 10, {{u"Color", 0, false}, {u"IsOutline", -1, true}}},
        {u"clGradientForeColor", 0xFF, 3, {}},
        {u"", 0xFF, 3, {}},
    };
    for (const Case& C : Cases) EXPECT_EQ(HoverChanges(C.Button, C.Color, C.Index), C.Want) << UTF8Encode(C.Button) << C.Index;
}

TEST(ColorButtonCore, DialogTrackAndRestore)
{
    EXPECT_EQ(TrackChanges(u"clColor", 7), (TChanges{{u"Color", 7, true}}));
    EXPECT_EQ(TrackChanges(u"clFillColor", 7), (TChanges{{u"FillColor", 7, true}}));
    EXPECT_EQ(TrackChanges(u"clFontStrokeColor", 7), (TChanges{{u"FontStrokeColor", 7, true}}));
    EXPECT_TRUE(TrackChanges(u"", 7).empty());
    EXPECT_TRUE(TrackChanges(u"cbDrawEffectBrushColor", 7).empty());

    EXPECT_EQ(RestoreChanges(u"clColor", 0x80, true), (TChanges{{u"Color", 0x80, false}, {u"IsOutline", -1, true}}));
    EXPECT_EQ(RestoreChanges(u"clFillColor", 0x80, false), (TChanges{{u"FillColor", 0x80, false}, {u"IsFill", 0, true}}));
    EXPECT_EQ(RestoreChanges(u"clFontColor", 0x80, false), (TChanges{{u"FontColor", 0x80, true}}));
    EXPECT_TRUE(RestoreChanges(u"clGradientBackColor", 0x80, true).empty());
}

TEST(ColorButtonCore, CustomColoursRoundTripAndKeepTwelve)
{
    struct Case {
        const char16_t* Cell;
        std::vector<TColor> Want;
    } Cases[] = {
        {u"", {}},
        {u"255", {255}},
        {u"255.65280.16711680", {255, 65280, 16711680}},
        {u"1.2.3.4.5.6.7.8.9.10.11.12.13.14", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {u"1.x.3", {}},
        {u"1..3", {}},
    };
    for (const Case& C : Cases) {
        const TsfCustomColors Got = ParseCustomColors(C.Cell);
        ASSERT_EQ(Got.Count, Integer(C.Want.size())) << UTF8Encode(C.Cell);
        for (size_t I = 0; I < C.Want.size(); ++I) EXPECT_EQ(Got.Values[I], C.Want[I]);
    }
    TsfCustomColors Some;
    Some.Add(255);
    Some.Add(16711680);
    EXPECT_EQ(JoinCustomColors(Some), u"255.16711680");
    EXPECT_EQ(JoinCustomColors(TsfCustomColors()), u"");
    EXPECT_EQ(JoinCustomColors(ParseCustomColors(u"1.2.3")), u"1.2.3");
}

}  // namespace
