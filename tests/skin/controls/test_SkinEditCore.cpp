#include <gtest/gtest.h>

#include <limits>

#include "skin/controls/SkinEditCore.h"

TEST(SkinEditCore, NumericTexts)
{
    struct Case {
        const char16_t* Text;
        bool Float, Expected;
    };
    const Case Cases[] = {
        {u"", false, false},      {u"-", false, false},     {u"-12", false, true},  {u"12-", false, false},
        {u"--1", false, false},   {u"1a", false, false},    {u"1.5", false, false}, {u"1.5", true, true},
        {u".5", true, false},     {u"-.", true, true},      {u"1.2.3", true, false}, {u"007", false, true},
        {u"-1.", true, true},     {u"1,5", true, false},
    };
    for (const Case& C : Cases) EXPECT_EQ(SkinIsNumText(C.Text, C.Float, u'.'), C.Expected) << String(C.Text).size();
    EXPECT_TRUE(SkinIsNumText(u"1,5", true, u','));
}

TEST(SkinEditCore, TypedCharacters)
{
    struct Case {
        Char Key;
        const char16_t* Text;
        bool Float, Locked, Expected;
    };
    const Case Cases[] = {
        {u'5', u"", false, false, true},   {u'-', u"12", false, false, true}, {u'-', u"-1", false, false, false},
        {u'.', u"1", false, false, false}, {u'.', u"1", true, false, true},   {u'.', u"1.2", true, false, false},
        {u'a', u"", true, false, false},   {13, u"", false, false, false},    {8, u"1", false, false, true},
        {3, u"1", false, true, true},      {8, u"1", false, true, false},     {u'5', u"", false, true, false},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(SkinNumCharValid(C.Key, C.Text, C.Float, u'.', C.Locked), C.Expected) << int(C.Key);
}

TEST(SkinEditCore, LimitsEqualMeanNone)
{
    EXPECT_EQ(SkinClampValue(-5, 0, 0), -5);
    EXPECT_EQ(SkinClampValue(12345, 0, 0), 12345);
    EXPECT_EQ(SkinClampValue(500, 1, 100), 100);
    EXPECT_EQ(SkinClampValue(0, 1, 100), 1);
    // A minimum with no maximum set is a range up to 0, not "above Min gives 0" twice over.
    EXPECT_EQ(SkinClampValue(5, 5, 5), 5);
    EXPECT_EQ(SkinClampInt(300, 0, 255), 255);
    EXPECT_EQ(SkinClampInt(-7, 3, 3), -7);
}

TEST(SkinEditCore, ConversionNeverFailsOnANumberAndSaturates)
{
    double V = 42;
    EXPECT_FALSE(SkinTextToValue(u"-.", true, u'.', V));
    EXPECT_EQ(V, 42);
    EXPECT_TRUE(SkinTextToValue(u"1.239", true, u'.', V));
    EXPECT_DOUBLE_EQ(V, 1.239);
    EXPECT_TRUE(SkinTextToValue(u"-1.", true, u'.', V));
    EXPECT_EQ(V, -1);
    EXPECT_TRUE(SkinTextToValue(u"2,5", true, u',', V));
    EXPECT_EQ(V, 2.5);
    EXPECT_TRUE(SkinTextToValue(u"99999999999", false, u'.', V));
    EXPECT_EQ(V, 2147483647.0);
    EXPECT_TRUE(SkinTextToValue(u"-99999999999", false, u'.', V));
    EXPECT_EQ(V, -2147483648.0);
    EXPECT_TRUE(SkinTextToValue(String(400, u'9'), true, u'.', V));
    EXPECT_EQ(V, std::numeric_limits<double>::max());
    Integer I = 7;
    EXPECT_FALSE(SkinTextToInteger(u"-", I));
    EXPECT_EQ(I, 7);
    EXPECT_TRUE(SkinTextToInteger(u"-2147483648", I));
    EXPECT_EQ(I, std::numeric_limits<Integer>::min());
}

TEST(SkinEditCore, ValuesAsText)
{
    EXPECT_EQ(SkinFormatValue(2.5, vtInteger, 2, u'.'), u"2");
    EXPECT_EQ(SkinFormatValue(3.5, vtInteger, 2, u'.'), u"4");
    EXPECT_EQ(SkinFormatValue(-2.5, vtInteger, 2, u'.'), u"-2");
    EXPECT_EQ(SkinFormatValue(2.5, vtFloat, 2, u'.'), u"2.50");
    EXPECT_EQ(SkinFormatValue(1.239, vtFloat, 2, u'.'), u"1.24");
    EXPECT_EQ(SkinFormatValue(999, vtFloat, 2, u','), u"999,00");
    EXPECT_EQ(SkinFormatValue(0.01, vtFloat, 2, u'.'), u"0.01");
}

TEST(SkinEditCore, TypedValuesRewrittenOnlyWhenTypingCannotMendThem)
{
    struct Case {
        double V, Min, Max;
        bool Expected;
    };
    const Case Cases[] = {
        {500, 1, 100, true},   // above the maximum
        {5, 10, 100, false},   // may still grow to 50
        {0, 1, 100, false},
        {-80, -50, 50, true},  // below a negative minimum
        {-3, 1, 100, true},    // negative under a positive minimum
        {5, -100, -10, true},  // positive over a negative maximum
        {-5, -100, -10, false},
        {12345, 0, 0, false},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(SkinValueNeedsRewrite(SkinClampValue(C.V, C.Min, C.Max), C.V, C.Min, C.Max), C.Expected) << C.V;
}

TEST(SkinEditCore, WheelDirectionFromTheDeltaAlone)
{
    // One notch away from the user (120) and towards (-120), with key state
    // in the low word and, as on 64-bit, nothing in the upper half.
    EXPECT_FALSE(SkinWheelStepsUp(uint64_t(120) << 16));
    EXPECT_TRUE(SkinWheelStepsUp((uint64_t(uint16_t(-120)) << 16) | 8));
    EXPECT_EQ(SkinWheelDelta((uint64_t(uint16_t(-240)) << 16)), -240);
    // A sign-extended 32-bit wParam reads the same.
    EXPECT_TRUE(SkinWheelStepsUp(uint64_t(int64_t(int32_t(0xFF880000u)))));
}

TEST(SkinEditCore, ContextMenuItemStates)
{
    struct Case {
        bool CanUndo;
        Integer SelStart, SelLength, TextLength;
        bool ReadOnly, Clip;
        TsfEditMenuState E;
    };
    const Case Cases[] = {
        // Nothing selected in a writable edit with text.
        {false, 2, 0, 5, false, true, {false, false, false, true, false, true}},
        // All selected: no Select All.
        {true, 0, 5, 5, false, false, {true, true, true, false, true, false}},
        // Read-only with a selection: only Copy (and Select All).
        {false, 1, 2, 5, true, true, {false, false, true, false, false, true}},
    };
    for (const Case& C : Cases) {
        const TsfEditMenuState S =
            SkinEditMenuState(C.CanUndo, C.SelStart, C.SelLength, C.TextLength, C.ReadOnly, C.Clip);
        EXPECT_EQ(S.Undo, C.E.Undo);
        EXPECT_EQ(S.Cut, C.E.Cut);
        EXPECT_EQ(S.Copy, C.E.Copy);
        EXPECT_EQ(S.Paste, C.E.Paste);
        EXPECT_EQ(S.Delete, C.E.Delete);
        EXPECT_EQ(S.SelectAll, C.E.SelectAll);
    }
}

TEST(SkinEditCore, EditGeometry)
{
    TRect E, B;
    SkinEditRects(100, 20, true, true, nullptr, E, B);
    EXPECT_EQ(B, (TRect{80, 0, 100, 20}));
    EXPECT_EQ(E, (TRect{2, 2, 78, 18}));
    SkinEditRects(100, 20, false, true, nullptr, E, B);
    EXPECT_EQ(E, (TRect{2, 2, 98, 18}));
    EXPECT_EQ(SkinEditInsets(20, true, nullptr), (TRect{2, 2, 22, 2}));

    TsfEditSkinGeometry D;
    D.SkinRect = {0, 0, 60, 21};
    D.ClRect = {3, 3, 40, 18};
    D.RTPoint = {42, 0};
    D.ButtonRect = {42, 2, 58, 19};
    SkinEditRects(100, 30, true, false, &D, E, B);
    EXPECT_EQ(E, (TRect{3, 3, 80, 27}));
    EXPECT_EQ(B, (TRect{82, 2, 98, 28}));
    SkinEditRects(100, 30, true, true, &D, E, B);
    EXPECT_EQ(E.Bottom, 18);
    EXPECT_EQ(SkinEditInsets(30, true, &D), (TRect{3, 3, 20, 3}));
    EXPECT_EQ(SkinEditHeight(14, 0, nullptr), 20);
    EXPECT_EQ(SkinEditHeight(14, 20, nullptr), 20);
    EXPECT_EQ(SkinEditHeight(14, 0, &D), 21 + 14 - 15);

    TRect L, R, T;
    SkinEditImageRects({0, 0, 100, 16}, 16, true, true, L, R, T);
    EXPECT_EQ(L, (TRect{0, 0, 16, 16}));
    EXPECT_EQ(R, (TRect{84, 0, 100, 16}));
    EXPECT_EQ(T, (TRect{18, 0, 82, 16}));
}

TEST(SkinEditCore, SpinGeometry)
{
    TRect U, D, T;
    SkinSpinRects(120, 20, nullptr, true, U, D, T);
    EXPECT_EQ(U, (TRect{103, 2, 118, 10}));
    EXPECT_EQ(D, (TRect{103, 10, 118, 18}));
    EXPECT_EQ(SkinSpinEditPlace(T, 14), (TRect{2, 3, 103, 17}));

    TsfSpinSkinGeometry G;
    G.SkinRect = {0, 0, 80, 20};
    G.ClRect = {3, 3, 60, 17};
    G.RTPoint = {62, 0};
    G.UpButtonRect = {62, 2, 78, 10};
    G.DownButtonRect = {62, 10, 78, 18};
    SkinSpinRects(120, 20, &G, true, U, D, T);
    EXPECT_EQ(U, (TRect{102, 2, 118, 10}));
    EXPECT_EQ(T, (TRect{3, 3, 100, 17}));
    // Taller than the skin: the stacked buttons share the height.
    SkinSpinRects(120, 30, &G, false, U, D, T);
    EXPECT_EQ(U, (TRect{102, 2, 118, 15}));
    EXPECT_EQ(D, (TRect{102, 15, 118, 28}));
    EXPECT_EQ(T.Bottom, 27);
}

TEST(SkinEditCore, TrackPopupPlacement)
{
    const TRect Work{0, 0, 800, 600};
    struct Case {
        TRect Edit;
        Integer W, H;
        bool Right;
        TPoint Expected;
    };
    const Case Cases[] = {
        {{100, 100, 220, 120}, 120, 20, false, {100, 120}},  // below
        {{100, 570, 220, 590}, 120, 20, false, {100, 550}},  // above near the bottom
        {{720, 100, 790, 120}, 120, 20, false, {680, 120}},  // shifted left at the right edge
        {{100, 100, 220, 120}, 200, 20, true, {20, 120}},    // right edges met
        {{10, 100, 60, 120}, 200, 20, true, {0, 120}},       // not left of the work area
    };
    for (const Case& C : Cases) EXPECT_EQ(SkinTrackPopupOrigin(C.Edit, C.W, C.H, C.Right, Work), C.Expected);
}
