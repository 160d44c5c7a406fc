// The option panels' rules: stroke width captions, the stroke buttons that
// exclude each other, the free shape's node buttons by editing state, the
// selection options per style (the wand's extra controls, anti-aliasing
// refused for the rectangle), the feather read-out, and the bar's order
// when an option panel shows.
#include <gtest/gtest.h>

#include "foundation/HyDataTable.h"
#include "shell/PropertyPanelsCore.h"

namespace {

TEST(PropertyPanelsCore, StrokeWidthCaptionShowsOneForZeroAndForDamage)
{
    const std::pair<const char16_t*, const char16_t*> Cases[] = {
        {u"0", u"1"}, {u"1", u"1"}, {u"5", u"5"}, {u"9", u"9"}, {u"", u"1"},
        {u"10", u"1"}, {u"-3", u"1"}, {u"x", u"1"}, {u" 4", u"4"},
    };
    for (auto [Cell, Caption] : Cases) EXPECT_EQ(TextPanel::StrokeWidthCaption(Cell), Caption) << UTF8Encode(Cell);
}

TEST(PropertyPanelsCore, StrokeAndHollowStrokeExcludeEachOther)
{
    using TextPanel::StrokeClicked;
    using S = TextPanel::TStrokeState;
    struct Case {
        S Before;
        bool Hollow, Down;
        S After;
    } Cases[] = {
        // The hollow button pressed while the stroke is down releases the stroke.
        {{true, false}, true, true, {false, true}},
        {{false, true}, false, true, {true, false}},
        // Releasing one leaves the other as it was.
        {{true, false}, false, false, {false, false}},
        {{false, true}, true, false, {false, false}},
        {{false, false}, false, true, {true, false}},
    };
    for (const Case& C : Cases) {
        const S After = StrokeClicked(C.Before, C.Hollow, C.Down);
        EXPECT_EQ(After.Stroke, C.After.Stroke);
        EXPECT_EQ(After.Hollow, C.After.Hollow);
    }
    EXPECT_TRUE((S{false, true}).StrokeControlsVisible());
    EXPECT_TRUE((S{true, false}).StrokeControlsVisible());
    EXPECT_FALSE((S{false, false}).StrokeControlsVisible());
    EXPECT_EQ(TextPanel::TextLayoutOf(true), 1);
    EXPECT_EQ(TextPanel::TextLayoutOf(false), 0);
}

TEST(PropertyPanelsCore, FreeShapeNodeButtonsFollowNodeEditing)
{
    using NodePanel::FreeShapeButtons;
    // Node editing with a selected node on an open shape.
    auto B = FreeShapeButtons(2, 3, false, 1);
    EXPECT_TRUE(B.AddNode && B.DeleteNode && B.CommonTangent && B.SingleTangent && B.HideTangent);
    EXPECT_TRUE(B.CloseShape);
    EXPECT_FALSE(B.BreakNode);
    // Closed, exactly one selected node: break, not close.
    B = FreeShapeButtons(2, 0, true, 1);
    EXPECT_TRUE(B.BreakNode);
    EXPECT_FALSE(B.CloseShape);
    // Two selected nodes cannot break.
    EXPECT_FALSE(FreeShapeButtons(2, 0, true, 2).BreakNode);
    // No selected node: add and close only.
    B = FreeShapeButtons(2, -1, false, 0);
    EXPECT_TRUE(B.AddNode && B.CloseShape);
    EXPECT_FALSE(B.DeleteNode || B.CommonTangent || B.SingleTangent || B.HideTangent || B.BreakNode);
    // Leaving node editing disables them all.
    for (Integer Mode : {1, 4}) {
        B = FreeShapeButtons(Mode, 2, true, 1);
        EXPECT_FALSE(B.AddNode || B.DeleteNode || B.CommonTangent || B.SingleTangent || B.HideTangent ||
                     B.CloseShape || B.BreakNode);
    }
    EXPECT_EQ(NodePanel::ControlModeOf(true, false), 1);
    EXPECT_EQ(NodePanel::ControlModeOf(false, true), 2);
    EXPECT_EQ(NodePanel::ControlModeOf(false, false), 4);
    EXPECT_TRUE(NodePanel::PolygonDeleteEnabled(0));
    EXPECT_FALSE(NodePanel::PolygonDeleteEnabled(-1));
}

TEST(PropertyPanelsCore, SelectionOptionsByStyle)
{
    TDataTable T;
    for (Integer R = 0; R < 12; ++R) {
        auto* Row = new TRow();
        for (Integer C = 0; C < 20; ++C) Row->AddItem(String());
        T.AddItem(Row, false);
    }
    T.GetItem(0)->GetItem(0)->SetText(u"-1");
    T.GetItem(1)->GetItem(0)->SetText(u"-1");
    T.GetItem(5)->GetItem(1)->SetText(u"32");
    T.GetItem(5)->GetItem(2)->SetText(u"-1");

    using namespace SelectionPanel;
    // The rectangle: stored anti-aliasing shown, but it cannot be changed.
    TSelectionOptions O = OptionsFor(&T, 0);
    EXPECT_TRUE(O.Antialiasing);
    EXPECT_FALSE(O.AntialiasingEnabled);
    EXPECT_FALSE(O.WandControls);
    EXPECT_EQ(O.PanelWidth, 188);
    // The ellipse can.
    O = OptionsFor(&T, 1);
    EXPECT_TRUE(O.AntialiasingEnabled);
    EXPECT_TRUE(O.Antialiasing);
    for (Integer Style : {9, 10}) EXPECT_FALSE(OptionsFor(&T, Style).AntialiasingEnabled);
    // The wand: tolerance and contiguous, a wider panel.
    O = OptionsFor(&T, 5);
    EXPECT_TRUE(O.WandControls);
    EXPECT_EQ(O.PanelWidth, 388);
    EXPECT_EQ(O.Tolerance, 32);
    EXPECT_TRUE(O.Continuous);
    // A damaged tolerance stays within 0 to 255; a missing row reads as nothing.
    T.GetItem(5)->GetItem(1)->SetText(u"900");
    EXPECT_EQ(OptionsFor(&T, 5).Tolerance, 255);
    EXPECT_FALSE(OptionsFor(&T, 40).Antialiasing);
    EXPECT_FALSE(OptionsFor(nullptr, 1).Antialiasing);

    StoreOption(&T, 3, Cell::Antialiasing, u"-1");
    EXPECT_TRUE(T.GetItem(3)->GetItem(0)->AsBool());
    StoreOption(&T, 40, Cell::Antialiasing, u"-1");  // no row: nothing
    StoreOption(&T, 5, Cell::Tolerance, u"77");
    EXPECT_EQ(OptionsFor(&T, 5).Tolerance, 77);

    EXPECT_EQ(FeatherCaption(u"Feather", true, 12), u"Feather: 12");
    EXPECT_EQ(FeatherCaption(u"羽化", false, 12), u"羽化: 0");
    EXPECT_FALSE(FeatherEnabled(nullptr));
}

TEST(PropertyPanelsCore, TheOptionPanelComesBeforeTheStylesAndKeepsTheSwitchInTheBar)
{
    // No option panel: the places the window starts with.
    TBarPlaces P = ArrangeBar(364, 0, 500, 24, 1200);
    EXPECT_EQ(P.StylesLeft, 367);
    EXPECT_EQ(P.StylesWidth, 500);
    EXPECT_EQ(P.SwitchLeft, 870);
    // A narrow bar without a panel is left as it is.
    EXPECT_EQ(ArrangeBar(364, 0, 500, 24, 800).StylesWidth, 500);
    // A panel that fits moves the styles and the switch along.
    P = ArrangeBar(364, 188, 500, 24, 1200);
    EXPECT_EQ(P.OptionLeft, 367);
    EXPECT_EQ(P.StylesLeft, 558);
    EXPECT_EQ(P.StylesWidth, 500);
    EXPECT_EQ(P.SwitchLeft, 1061);
    // One that would push the switch out: the styles give up the excess.
    P = ArrangeBar(364, 388, 500, 24, 1200);
    EXPECT_EQ(P.StylesLeft, 758);
    EXPECT_EQ(P.SwitchLeft + 24, 1200);
    EXPECT_EQ(P.StylesWidth, 1200 - 24 - 3 - 758);
    // Never below nothing.
    EXPECT_EQ(ArrangeBar(364, 388, 100, 24, 500).StylesWidth, 0);
}

}  // namespace
