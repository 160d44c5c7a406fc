// The ruler's spacing and ticks, and the measuring read-out's texts.
#include <gtest/gtest.h>

#include "shell/RulerLayout.h"

TEST(RulerLayout, SpacingGivesRoundValuesAtTheZoom)
{
    struct {
        Single Scale;
        Integer C, V, N, M;
    } const Cases[] = {
        {1.0f, 50, 50, 10, 5},   // actual size
        {2.0f, 40, 20, 4, 10},   // 40 and 60 are equally round and near: the smaller wins
        {0.5f, 50, 100, 10, 5},
        {0.01f, 50, 5000, 10, 5},
        {16.0f, 32, 2, 2, 16},   // two image pixels a step, one tick each
    };
    for (const auto& C : Cases) {
        const TRulerSpacing S = CalcRulerSpacing(C.Scale);
        EXPECT_EQ(S.Spacing, C.C) << C.Scale;
        EXPECT_EQ(S.Value, C.V) << C.Scale;
        EXPECT_EQ(S.Divisions, C.N) << C.Scale;
        EXPECT_EQ(S.Minor, C.M) << C.Scale;
    }
}

TEST(RulerLayout, MinorStepsWithExtraPixelsFillTheLabelledStep)
{
    // Over the zooms the program offers, the labelled ticks lie exactly c apart.
    for (Integer Percent = 1; Percent <= 1600; Percent += 7) {
        const TRulerSpacing S = CalcRulerSpacing(Percent / 100.0f);
        Integer Sum = 0;
        for (Integer I = 0; I < S.Divisions; ++I) Sum += S.Minor + (S.Extra[I] ? 1 : 0);
        EXPECT_EQ(Sum, S.Spacing) << Percent;
        std::vector<Integer> Labelled;
        for (const TRulerTick& T : RulerTicks(S, 0, 1000))
            if (!T.Label.empty() && T.X >= RulerThickness) Labelled.push_back(T.X);
        for (size_t I = 1; I < Labelled.size(); ++I) EXPECT_EQ(Labelled[I] - Labelled[I - 1], S.Spacing) << Percent;
    }
}

TEST(RulerLayout, TicksAtActualSize)
{
    const TRulerSpacing S = CalcRulerSpacing(1.0f);
    const std::vector<TRulerTick> T = RulerTicks(S, 0, 120);
    // The origin, then minor ticks every 5 pixels: even ones longer.
    ASSERT_GE(T.size(), 12u);
    EXPECT_EQ(T[0].X, 17);
    EXPECT_EQ(T[0].Label, u"0");
    EXPECT_EQ(T[1].X, 22);
    EXPECT_EQ(T[1].Top, 13);
    EXPECT_EQ(T[2].Top, 11);
    EXPECT_EQ(T[10].X, 67);
    EXPECT_EQ(T[10].Top, 0);
    EXPECT_EQ(T[10].Label, u"50");
    for (const TRulerTick& K : T) EXPECT_LT(K.X, 120);

    // The origin 100 pixels into the ruler: the ticks left of it count up
    // from the step's value too, and none reaches under the corner.
    bool Found = false;
    for (const TRulerTick& K : RulerTicks(S, 100, 300)) {
        EXPECT_GT(K.X, RulerThickness - 1);
        if (K.X == 117 - 50) Found = K.Label == u"50";
    }
    EXPECT_TRUE(Found);
}

TEST(RulerLayout, MeasureTextsUseTheDecimalSeparator)
{
    struct {
        Integer X1, Y1, X2, Y2;
        char16_t Sep;
        const char16_t *A, *D;
    } const Cases[] = {
        {10, 10, 20, 0, u'.', u"A: 45.0°", u"D: 14.14"},
        {10, 10, 20, 0, u',', u"A: 45,0°", u"D: 14,14"},
        {10, 10, 20, 20, u'.', u"A: -45.0°", u"D: 14.14"},
        {10, 10, 10, 0, u'.', u"A: 90.0°", u"D: 10.00"},
        {0, 0, 1234, 0, u'.', u"A: 0.0°", u"D: 1234.00"},
        {0, 0, 873, 873, u'.', u"A: -45.0°", u"D: 1234.60"},  // 1234.5655: five digits, then two decimals
    };
    for (const auto& C : Cases) {
        const TMeasureTexts T = MeasureTexts(true, C.X1, C.Y1, C.X2, C.Y2, C.Sep);
        EXPECT_EQ(T.A, C.A) << C.X2 << "," << C.Y2;
        EXPECT_EQ(T.D, C.D) << C.X2 << "," << C.Y2;
    }
    const TMeasureTexts T = MeasureTexts(true, 10, 10, 20, 0, u'.');
    EXPECT_EQ(T.X, u"X: 10");
    EXPECT_EQ(T.Y, u"Y: 10");
    EXPECT_EQ(T.W, u"W: 10");
    EXPECT_EQ(T.H, u"H: -10");
    const TMeasureTexts None = MeasureTexts(false, 10, 10, 20, 0, u'.');
    EXPECT_EQ(None.X, u"X: ");
    EXPECT_EQ(None.D, u"D: ");
}

TEST(RulerLayout, InchesAndMillimetresTakeARoundStepOfTheUnit)
{
    struct {
        Integer Unit;
        Single Scale;
        double Value;
        Integer Divisions;
    } const Cases[] = {
        {RulerUnitMillimetres, 1.0f, 10, 5},     // 37.8 px: tenths would be 3.8 px apart
        {RulerUnitMillimetres, 4.0f, 2, 4},      // 15.1 px a millimetre: 2 mm is the first of 30 px
        {RulerUnitMillimetres, 16.0f, 1, 10},    // 60.5 px a millimetre
        {RulerUnitMillimetres, 0.01f, 1000, 5},  // 37.8 px, as 10 mm at 100 %
        {RulerUnitInches, 1.0f, 0.5, 4},         // 48 px in eighths
        {RulerUnitInches, 0.5f, 1, 8},           // 48 px
        {RulerUnitInches, 2.0f, 0.25, 2},        // 48 px
        {RulerUnitInches, 0.25f, 2, 4},          // 48 px
        {RulerUnitInches, 0.01f, 50, 5},         // 48 px
    };
    for (const auto& C : Cases) {
        const TUnitRulerSpacing S = CalcUnitRulerSpacing(C.Unit, C.Scale);
        EXPECT_DOUBLE_EQ(S.Value, C.Value) << C.Unit << " at " << C.Scale;
        EXPECT_EQ(S.Divisions, C.Divisions) << C.Unit << " at " << C.Scale;
        EXPECT_GE(S.Spacing, 30) << C.Unit << " at " << C.Scale;
        EXPECT_GE(S.Spacing / S.Divisions, 4) << C.Unit << " at " << C.Scale;
    }
    // Pixels and unknown units have no unit layout, and no ticks come of it.
    for (Integer Unit : {RulerUnitPixels, 3, -1}) {
        const TUnitRulerSpacing S = CalcUnitRulerSpacing(Unit, 1.0f);
        EXPECT_EQ(S.Divisions, 0);
        EXPECT_TRUE(UnitRulerTicks(S, 0, 500, u'.').empty());
    }
}

TEST(RulerLayout, UnitTicksStayOnTheExactDistance)
{
    // Millimetres at 100 %: 100 mm are 377.95 screen pixels from the origin,
    // however many labelled steps lie between.
    const TUnitRulerSpacing S = CalcUnitRulerSpacing(RulerUnitMillimetres, 1.0f);
    const std::vector<TRulerTick> T = UnitRulerTicks(S, 0, 420, u',');
    std::vector<std::pair<Integer, String>> Labelled;
    for (const TRulerTick& K : T)
        if (K.Top == 0) Labelled.push_back({K.X, K.Label});
    ASSERT_EQ(Labelled.size(), 11u);
    EXPECT_EQ(Labelled[0], (std::pair<Integer, String>{17, u"0"}));
    EXPECT_EQ(Labelled[1], (std::pair<Integer, String>{55, u"10"}));
    EXPECT_EQ(Labelled[10], (std::pair<Integer, String>{395, u"100"}));

    // Inches at 100 %: half-inch steps in eighths, the quarter longest, the
    // labels with the given separator; left of the origin they count up too.
    const TUnitRulerSpacing I = CalcUnitRulerSpacing(RulerUnitInches, 1.0f);
    const std::vector<TRulerTick> U = UnitRulerTicks(I, 100, 300, u',');
    auto At = [&](Integer X) {
        for (const TRulerTick& K : U)
            if (K.X == X) return K;
        return TRulerTick{-1, -1, u"none"};
    };
    EXPECT_EQ(At(117).Label, u"0");
    EXPECT_EQ(At(117 + 48).Label, u"0,5");
    EXPECT_EQ(At(117 + 96).Label, u"1");
    EXPECT_EQ(At(117 + 144).Label, u"1,5");
    EXPECT_EQ(At(117 + 12).Top, 13);
    EXPECT_EQ(At(117 + 24).Top, 8);
    EXPECT_EQ(At(117 - 48).Label, u"0,5");
    for (const TRulerTick& K : U) {
        EXPECT_GE(K.X, RulerThickness);
        EXPECT_LT(K.X, 300);
    }
}
