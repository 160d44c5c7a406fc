// The shadow and reflection dialogs' values without a window: opacity in %
// and in 0..255, the tool row's cells, live application to an object, and
// the pickers' copy of an object's effect fields for Cancel.
#include <gtest/gtest.h>

#include "dialogs/ShadowReflect.h"
#include "document/ImageRectangle.h"
#include "document/ImageText.h"

namespace {

TEST(ShadowReflect, OpacityPercentAndStored)
{
    const struct {
        Integer Percent, Stored;
    } ToStored[] = {{69, 176}, {0, 0}, {100, 255}, {50, 128}, {1, 3}, {-5, 0}, {120, 255}};
    for (const auto& C : ToStored) EXPECT_EQ(PercentToOpacity(C.Percent), C.Stored) << C.Percent;
    const struct {
        Integer Stored, Percent;
    } ToPercent[] = {{175, 69}, {176, 69}, {255, 100}, {0, 0}, {200, 78}, {128, 50}};
    for (const auto& C : ToPercent) EXPECT_EQ(OpacityToPercent(C.Stored), C.Percent) << C.Stored;
}

TEST(ShadowReflect, ToolRowInAndOut)
{
    TRow Row;
    Row.Init(String(100, u','), u',');
    Row.GetItem(27)->SetValue(-1);
    Row.GetItem(70)->SetValue(135);
    Row.GetItem(71)->SetValue(4);
    Row.GetItem(72)->SetValue(8);
    Row.GetItem(73)->SetValue(20);
    Row.GetItem(74)->SetValue(255);
    Row.GetItem(75)->SetValue(175);
    TShadowValues V = ShadowValuesOf(Row);
    EXPECT_FALSE(V.Enabled);
    EXPECT_EQ(V.Angle, 135);
    EXPECT_EQ(V.Zoom, 8);
    EXPECT_EQ(V.Color, 255);
    EXPECT_EQ(V.OpacityPercent, 69);
    V.Enabled = true;
    StoreShadow(Row, V);
    EXPECT_EQ(Row.GetItem(27)->Text(), u"0");
    EXPECT_EQ(Row.GetItem(75)->Text(), u"176");  // 69 % stored
    EXPECT_EQ(Row.GetItem(76)->Text(), u"0");

    TReflectValues R;
    R.Enabled = false;
    R.Distance = -20;
    R.Blur = 2;
    R.OpacityPercent = 69;
    R.Height = 75;
    StoreReflect(Row, R);
    EXPECT_EQ(Row.GetItem(28)->Text(), u"-1");
    EXPECT_EQ(Row.GetItem(81)->Text(), u"-20");
    EXPECT_EQ(Row.GetItem(83)->Text(), u"2");
    EXPECT_EQ(Row.GetItem(85)->Text(), u"176");
    EXPECT_EQ(Row.GetItem(86)->Text(), u"75");
    const TReflectValues Back = ReflectValuesOf(Row);
    EXPECT_FALSE(Back.Enabled);
    EXPECT_EQ(Back.Distance, -20);
    EXPECT_EQ(Back.Height, 75);

    // A short row grows to take the values.
    TRow Short;
    Short.Init(u"1,2", u',');
    StoreShadow(Short, V);
    EXPECT_EQ(Short.GetItem(75)->Text(), u"176");
}

TEST(ShadowReflect, ApplyThenRestoreGivesTheObjectBack)
{
    TImgRectangle S(nullptr, 1, nullptr);
    S.SetShadowMode(2);
    S.SetShadowAngle(225);
    S.SetShadowDistance(4);
    S.SetShadowColor(0x123456);
    S.SetShadowOpacity(175);
    S.SetReflectMode(-1);
    S.SetReflectHeight(60);
    const TShadowFields KeptS = KeepShadow(S);
    const TReflectFields KeptR = KeepReflect(S);
    TShadowValues V = ShadowValuesOf(S);
    EXPECT_TRUE(V.Enabled);
    V.Distance = 30;
    V.Color = 0xFF;
    V.Enabled = false;
    S.SetChanged2(false);
    ApplyShadow(S, V);
    EXPECT_EQ(S.ShadowMode(), -1);
    EXPECT_EQ(S.ShadowDistance(), 30);
    EXPECT_TRUE(S.Changed2());
    TReflectValues R = ReflectValuesOf(S);
    R.Enabled = true;
    R.Height = 90;
    ApplyReflect(S, R);
    EXPECT_EQ(S.ReflectMode(), 0);
    RestoreShadow(S, KeptS);
    RestoreReflect(S, KeptR);
    EXPECT_EQ(S.ShadowMode(), 2);
    EXPECT_EQ(S.ShadowDistance(), 4);
    EXPECT_EQ(S.ShadowColor(), 0x123456);
    EXPECT_EQ(S.ShadowOpacity(), 175);
    EXPECT_EQ(S.ReflectMode(), -1);
    EXPECT_EQ(S.ReflectHeight(), 60);
}

TEST(ShadowReflect, GradientFieldsKeptAndRestored)
{
    TImgRectangle S(nullptr, 1, nullptr);
    S.SetGradientMode(3);
    S.SetGradientColor(u"1/2");
    S.SetGradientHatchMode(7);
    const TGradientFields F = KeepGradient(S, false);
    S.SetGradientMode(0);
    S.SetGradientColor(u"9/9/9");
    S.SetGradientHatchMode(1);
    RestoreGradient(S, F, false);
    EXPECT_EQ(S.GradientMode(), 3);
    EXPECT_EQ(S.GradientColor(), u"1/2");
    EXPECT_EQ(S.GradientHatchMode(), 7);
    // A text gradient asked of an object that is no text changes nothing.
    const TGradientFields None = KeepGradient(S, true);
    EXPECT_EQ(None.Mode, -1);
    RestoreGradient(S, None, true);
    EXPECT_EQ(S.GradientMode(), 3);
}

}  // namespace
