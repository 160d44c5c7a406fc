// The choices of the directional, multi-parameter and colour adjustment
// dialogs without windows: ranges and kept cells, the edge mask of the
// toggling buttons, the rows and heights of each multi-parameter effect,
// the values stored only at OK, the contrast amount and the hue strip.
#include <gtest/gtest.h>

#include "Component/Raster32/Ras32.h"
#include "dialogs/ColorAdjustCore.h"
#include "dialogs/ImageDirectionCore.h"
#include "dialogs/ImageEffectsCore.h"
#include "foundation/HyDataTable.h"

namespace {

// A settings row of 50 empty cells, as a fresh table has before the upgrade.
std::unique_ptr<TRow> EmptyRow()
{
    auto R = std::make_unique<TRow>();
    R->Init(String(49, u','), u',');
    return R;
}

}  // namespace

TEST(ImageDirectionCore, EachEffectHasItsRangeAndCells)
{
    struct Case {
        TEffectMode Mode;
        Integer Min, Max, ValueCell, MaskCell, OptionCell;
    };
    const Case Cases[] = {{emFade, 0, 400, 25, 26, -1}, {emTorn, 5, 15, 27, 28, 29}, {emBevel, 0, 100, 30, 31, -1}};
    for (const Case& C : Cases) {
        const TDirectionSetup S = DirectionSetupFor(C.Mode);
        EXPECT_EQ(S.Min, C.Min) << C.Mode;
        EXPECT_EQ(S.Max, C.Max) << C.Mode;
        EXPECT_EQ(S.ValueCell, C.ValueCell) << C.Mode;
        EXPECT_EQ(S.MaskCell, C.MaskCell) << C.Mode;
        EXPECT_EQ(S.OptionCell, C.OptionCell) << C.Mode;
    }
}

TEST(ImageDirectionCore, StoredValuesAreClampedAndTheMaskKeepsItsFourEdges)
{
    struct Case {
        TEffectMode Mode;
        const char16_t *Value, *Mask, *Option;
        Integer WantValue, WantMask;
        bool WantOption;
    };
    const Case Cases[] = {
        {emFade, u"120", u"12", u"", 120, deRight | deBottom, false},
        {emTorn, u"3", u"12", u"1", 5, 12, true},      // raised into the range
        {emTorn, u"99", u"0", u"0", 15, 0, false},
        {emTorn, u"9", u"12", u"-1", 9, 12, false},    // only 1 ticks the option
        {emBevel, u"15", u"15", u"", 15, AllEdges, false},
        {emBevel, u"", u"255", u"", 0, AllEdges, false},  // no unknown edges
        {emFade, u"-5", u"-1", u"", 0, AllEdges, false},
    };
    for (const Case& C : Cases) {
        auto Row = EmptyRow();
        const TDirectionSetup S = DirectionSetupFor(C.Mode);
        Row->GetItem(S.ValueCell)->SetText(C.Value);
        Row->GetItem(S.MaskCell)->SetText(C.Mask);
        Row->GetItem(29)->SetText(C.Option);
        const TDirectionValues V = DirectionValuesFrom(S, *Row);
        EXPECT_EQ(V.Value, C.WantValue) << C.Mode << " " << &C - Cases;
        EXPECT_EQ(V.Mask, C.WantMask) << C.Mode << " " << &C - Cases;
        EXPECT_EQ(V.Option, C.WantOption) << C.Mode << " " << &C - Cases;
    }
}

TEST(ImageDirectionCore, EdgeButtonsToggleOnTheirOwn)
{
    // Each press flips only its own edge: from none, left, top, left leaves top.
    struct Case {
        Integer From;
        std::vector<TDirectionEdge> Presses;
        Integer Want;
    };
    const Case Cases[] = {
        {0, {deLeft}, 1},
        {0, {deLeft, deTop}, 3},
        {0, {deLeft, deTop, deLeft}, 2},
        {12, {deRight, deBottom}, 0},
        {0, {deLeft, deTop, deRight, deBottom}, 15},
        {15, {deTop}, 13},
    };
    for (const Case& C : Cases) {
        Integer Mask = C.From;
        for (TDirectionEdge E : C.Presses) Mask = ToggleEdge(Mask, E);
        EXPECT_EQ(Mask, C.Want) << C.From << " after " << C.Presses.size();
    }
}

TEST(ImageDirectionCore, StoringWritesTheOptionOnlyForTheTornEdge)
{
    auto Row = EmptyRow();
    StoreDirectionValues(DirectionSetupFor(emFade), {200, 0, true}, *Row);
    EXPECT_EQ(Row->GetItem(25)->Text(), u"200");
    EXPECT_EQ(Row->GetItem(26)->Text(), u"0");
    EXPECT_EQ(Row->GetItem(29)->Text(), u"");
    StoreDirectionValues(DirectionSetupFor(emTorn), {7, 3, false}, *Row);
    EXPECT_EQ(Row->GetItem(27)->Text(), u"7");
    EXPECT_EQ(Row->GetItem(28)->Text(), u"3");
    EXPECT_EQ(Row->GetItem(29)->Text(), u"0");
}

// ---------------------------------------------------------------------------

TEST(ImageEffectsCore, EachEffectShowsItsRowsAndHeight)
{
    struct Case {
        TEffectMode Mode;
        bool Sliders[4];
        bool Hue, Color, Blend;
        Integer Rows, Box;  // heights; the box is at least 145
    };
    const Case Cases[] = {
        {emMonochrome, {true, true, false, false}, true, false, false, 92, 145},
        {emLomo, {true, true, true, true}, true, false, false, 164, 172},
        {emGlow, {true, true, false, false}, false, true, false, 108, 145},
        {emOldPhoto, {true, true, false, false}, false, false, false, 72, 145},
        {emElegant, {true, true, false, false}, false, false, false, 72, 145},
        {emBlendMode, {true, false, false, false}, false, true, true, 144, 152},
    };
    for (const Case& C : Cases) {
        const TEffectsSetup S = EffectsSetupFor(C.Mode);
        for (Integer i = 0; i < 4; ++i) EXPECT_EQ(S.Sliders[i].Shown, C.Sliders[i]) << C.Mode << " slider " << i;
        EXPECT_EQ(S.Hue, C.Hue) << C.Mode;
        EXPECT_EQ(S.Color, C.Color) << C.Mode;
        EXPECT_EQ(S.BlendMode, C.Blend) << C.Mode;
        const TEffectsLayout L = EffectsLayoutFor(S, 8);
        EXPECT_EQ(L.RowsHeight, C.Rows) << C.Mode;
        EXPECT_EQ(L.BoxHeight, C.Box) << C.Mode;
        EXPECT_EQ(L.PanelHeight, C.Box - 4) << C.Mode;
        EXPECT_EQ(L.FormHeight, 8 + C.Box + 32) << C.Mode;
    }
}

TEST(ImageEffectsCore, FirstValuesComeFromTheEffectOrItsKeptCells)
{
    auto Row = EmptyRow();
    struct Case {
        TEffectMode Mode;
        Integer Values[4];
        TColor Color;
    };
    const Case Cases[] = {
        {emLomo, {80, 15, 50, 25}, 0},
        {emGlow, {80, 70, -99, -99}, 0xFFFFFF},
        {emOldPhoto, {60, 40, -99, -99}, 0},
        {emElegant, {80, 80, -99, -99}, 0},
        {emMonochrome, {100, 0, -99, -99}, 0},  // hue kept in cell 0, empty on a fresh table
        {emBlendMode, {0, -99, -99, -99}, 0},   // opacity 0, black, "Normal"
    };
    for (const Case& C : Cases) {
        const TEffectsValues V = EffectsValuesFrom(EffectsSetupFor(C.Mode), *Row);
        for (Integer i = 0; i < 4; ++i) EXPECT_EQ(V.Values[i], C.Values[i]) << C.Mode << " slider " << i;
        EXPECT_EQ(V.Color, C.Color) << C.Mode;
        EXPECT_EQ(V.BlendMode, 0) << C.Mode;
    }
    Row->GetItem(0)->SetValue(500);
    Row->GetItem(46)->SetValue(40);
    Row->GetItem(47)->SetValue(0x00FF80);
    Row->GetItem(48)->SetValue(28);  // names no mode
    EXPECT_EQ(EffectsValuesFrom(EffectsSetupFor(emMonochrome), *Row).Values[1], 360);
    const TEffectsValues B = EffectsValuesFrom(EffectsSetupFor(emBlendMode), *Row);
    EXPECT_EQ(B.Values[0], 40);
    EXPECT_EQ(B.Color, 0x00FF80);
    EXPECT_EQ(B.BlendMode, 0);
    Row->GetItem(48)->SetValue(27);
    EXPECT_EQ(EffectsValuesFrom(EffectsSetupFor(emBlendMode), *Row).BlendMode, 27);
}

TEST(ImageEffectsCore, OnlyTheKeptValuesAreStored)
{
    for (TEffectMode Mode : {emMonochrome, emLomo, emGlow, emOldPhoto, emElegant, emBlendMode}) {
        auto Row = EmptyRow();
        TEffectsValues V;
        V.Values[0] = 11, V.Values[1] = 22, V.Values[2] = 33, V.Values[3] = 44;
        V.Color = 0x123456;
        V.BlendMode = 5;
        StoreEffectsValues(EffectsSetupFor(Mode), V, *Row);
        std::vector<Integer> Written;
        for (Integer c = 0; c < Row->ItemCount(); ++c)
            if (!Row->GetItem(c)->Text().empty()) Written.push_back(c);
        if (Mode == emMonochrome) {
            EXPECT_EQ(Written, std::vector<Integer>{0});
            EXPECT_EQ(Row->GetItem(0)->Value(), 22);
        } else if (Mode == emBlendMode) {
            EXPECT_EQ(Written, (std::vector<Integer>{46, 47, 48}));
            EXPECT_EQ(Row->GetItem(46)->Value(), 11);
            EXPECT_EQ(Row->GetItem(47)->Value(), 0x123456);
            EXPECT_EQ(Row->GetItem(48)->Value(), 5);
        } else {
            EXPECT_TRUE(Written.empty()) << Mode;
        }
    }
}

TEST(ImageEffectsCore, NamesFollowTheInterfaceLanguage)
{
    const TEffectsSetup S = EffectsSetupFor(emLomo);
    EXPECT_EQ(EffectsName(S.Sliders[0].Chinese, S.Sliders[0].English, 0), u"暗角范围:");
    EXPECT_EQ(EffectsName(S.Sliders[0].Chinese, S.Sliders[0].English, 2), u"Dark Range:");
    EXPECT_EQ(EffectsBlendModeName(2), u"BlendMode:");
    EXPECT_EQ(EffectsColorName(0), u"颜色:");
}

// ---------------------------------------------------------------------------

TEST(ColorAdjustCore, ContrastIsRoundedHalvesToEven)
{
    const std::pair<Integer, Integer> Cases[] = {{0, 0},     {50, 128},   {-50, -128}, {100, 255},
                                                 {-100, -255}, {1, 3},    {2, 5},      {10, 26}};
    for (auto [Slider, Want] : Cases) EXPECT_EQ(ColorAdjustContrastAmount(Slider), Want) << Slider;
}

TEST(ColorAdjustCore, LiveOnlyUpToTheLimit)
{
    const std::set<Integer> Live{emColorAdjust};
    EXPECT_EQ(ColorAdjustFastEffects(1024, 1024), Live);
    EXPECT_TRUE(ColorAdjustFastEffects(1024, 1025).empty());  // 1,049,600 pixels
    EXPECT_EQ(ColorAdjustFastEffects(1049088, 1), Live);
    EXPECT_TRUE(ColorAdjustFastEffects(1049089, 1).empty());
    EXPECT_TRUE(ColorAdjustFastEffects(2000, 2000).empty());
}

TEST(ColorAdjustCore, TheStripIsAHueCircleWithRedInTheMiddle)
{
    TCustomBitmap32 B;
    B.SetSize(287, 12);
    DrawColorStrip(B, 0, 0);
    const TColor32 Middle = B.Pixel(287 / 2, 0);
    // Half saturation at the slider's 0: red well above green and blue.
    EXPECT_GT(RedOf(Middle), GreenOf(Middle) + 100);
    EXPECT_GT(RedOf(Middle), BlueOf(Middle) + 100);
    // Cyan at both ends.
    for (Integer x : {0, 286}) {
        const TColor32 C = B.Pixel(x, 0);
        EXPECT_GT(GreenOf(C), RedOf(C) + 100) << x;
        EXPECT_GT(BlueOf(C), RedOf(C) + 100) << x;
    }
    for (Integer x = 0; x < B.Width(); ++x)
        for (Integer y = 0; y < B.Height(); ++y) {
            ASSERT_EQ(B.Pixel(x, y), B.Pixel(x, 0)) << x << "," << y;
            ASSERT_EQ(AlphaOf(B.Pixel(x, y)), 255u);
        }
}

TEST(ColorAdjustCore, NoSaturationGivesAUniformGreyStrip)
{
    TCustomBitmap32 B;
    B.SetSize(287, 12);
    DrawColorStrip(B, -180, 0);
    const TColor32 First = B.Pixel(0, 0);
    EXPECT_EQ(RedOf(First), GreenOf(First));
    EXPECT_EQ(GreenOf(First), BlueOf(First));
    for (Integer x = 0; x < B.Width(); ++x) ASSERT_EQ(B.Pixel(x, 6), First) << x;
    // No lightness is black whatever the hue.
    DrawColorStrip(B, 180, -100);
    for (Integer x = 0; x < B.Width(); ++x) ASSERT_EQ(B.Pixel(x, 0), 0xFF000000u) << x;
}
