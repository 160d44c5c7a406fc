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
