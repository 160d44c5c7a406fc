#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "skin/controls/SkinListCore.h"

namespace {

std::unique_ptr<TStringList> Lines(std::initializer_list<const char16_t*> L)
{
    auto S = std::make_unique<TStringList>();
    for (auto* s : L) S->Add(s);
    return S;
}

}  // namespace

TEST(SkinListCore, AZeroItemHeightCountsAsOne)
{
    EXPECT_EQ(SafeItemHeight(0), 1);
    EXPECT_EQ(SafeItemHeight(-3), 1);
    EXPECT_EQ(SafeItemHeight(18), 18);
    // A list asked with a zero height neither divides by zero nor shows a bar it does not need.
    const TsfListBarRange R = ListVerticalBar(0, 9, 0, 100, 0, 10);
    EXPECT_FALSE(R.Show);  // 100 rows of 1 pixel hold the 10 items
    EXPECT_EQ(ListVisibleRows(0, 10, 100, 0, 0).Last, 9);
}

TEST(SkinListCore, TheMainBarShowsExactlyWhileItemsOverflow)
{
    struct Case {
        Integer NMax, Pos, Height, ItemH, Count;
        bool Show;
        Integer Page;
    } Cases[] = {
        {4, 0, 100, 20, 5, false, 5},  // five rows fit five items
        {5, 0, 100, 20, 6, true, 5},   // the sixth overflows
        {5, 1, 100, 20, 6, true, 5},   // scrolled
        {0, 0, 100, 20, 0, false, 5},  // empty
        {5, 6, 100, 20, 6, false, 5},  // a position past the range
    };
    for (const Case& C : Cases) {
        const TsfListBarRange R = ListVerticalBar(0, C.NMax, C.Pos, C.Height, C.ItemH, C.Count);
        EXPECT_EQ(R.Show, C.Show) << C.Count << " items";
        if (R.Show) {
            EXPECT_EQ(R.Max, C.NMax);
            EXPECT_EQ(R.Page, C.Page);
            EXPECT_EQ(R.Position, C.Pos);
        }
    }
    // Columns: 3 columns of 5 rows hold 15 items.
    EXPECT_FALSE(ListColumnsBar(0, 4, 0, 3, 100, 20, 15).Show);
    const TsfListBarRange C = ListColumnsBar(0, 5, 0, 3, 100, 20, 16);
    EXPECT_TRUE(C.Show);
    EXPECT_EQ(C.Page, 3);
}

TEST(SkinListCore, LayoutOfTheBuiltInAndTheSkinnedLook)
{
    TsfListLayoutIn In;
    In.Width = 120;
    In.Height = 120;
    TsfListLayout L = ListLayout(In);
    EXPECT_EQ(L.List, Rect(2, 2, 118, 118));
    In.MainBar = true;
    L = ListLayout(In);
    EXPECT_EQ(L.MainBar, Rect(100, 1, 119, 119));
    EXPECT_EQ(L.List, Rect(2, 2, 100, 118));
    In.HBar = true;  // both bars: the main one stops above the horizontal one
    L = ListLayout(In);
    EXPECT_EQ(L.HBar, Rect(1, 100, 119, 119));
    EXPECT_EQ(L.MainBar, Rect(100, 1, 119, 101));
    EXPECT_EQ(L.List, Rect(2, 2, 100, 100));
    In.CaptionHeight = 20;  // caption mode
    In.HBar = false;
    L = ListLayout(In);
    EXPECT_EQ(L.MainBar.Top, 20);
    EXPECT_EQ(L.List.Top, 21);
    TsfListLayoutIn S;
    S.Width = 150;
    S.Height = 100;
    S.Skinned = true;
    S.NewClRect = Rect(3, 4, 147, 96);
    S.MainBar = true;
    S.MainBarWidth = 16;
    L = ListLayout(S);
    EXPECT_EQ(L.MainBar, Rect(131, 4, 147, 96));
    EXPECT_EQ(L.List, Rect(3, 4, 131, 96));
    S.Columns = true;
    S.MainBarHeight = 15;
    L = ListLayout(S);
    EXPECT_EQ(L.MainBar, Rect(3, 81, 147, 96));
    EXPECT_EQ(L.List, Rect(3, 4, 147, 81));
}

TEST(SkinListCore, HeightsWidthsRowsAndTabStops)
{
    EXPECT_EQ(ListCalcHeight(false, 5, 20, false, 20, 0, 0, 0), 5 * 20 + 4);
    EXPECT_EQ(ListCalcHeight(false, 5, 20, true, 20, 0, 0, 0), 5 * 20 + 4 + 20);
    EXPECT_EQ(ListCalcHeight(true, 3, 18, false, 0, 100, 90, 16), 10 + 54 + 16);
    EXPECT_EQ(ListTextPage(200, false, 0, 0, 0), 196);
    EXPECT_EQ(ListTextPage(200, true, 90, 100, 16), 200 - 10 - 20);
    const TsfListRows R = ListVisibleRows(3, 5, 100, 20, 0);
    EXPECT_EQ(R.First, 3);
    EXPECT_EQ(R.Last, 4);
    EXPECT_EQ(R.Rest, 40);
    EXPECT_EQ(ListVisibleRows(0, 0, 100, 20, 0).Last, -1);
    EXPECT_EQ(ListTabStops(*Lines({u"40", u"", u"x1", u"120"})), (std::vector<Integer>{40, 0, 0, 120}));
}

TEST(SkinListCore, PrefixSearchWrapsAndIgnoresCaseExactSearchDoesNot)
{
    auto LP = Lines({u"apple", u"Banana", u"bbq", u"berry", u"cherry"});
    const TStringList& L = *LP;
    struct Case {
        const char16_t* Prefix;
        Integer After, Found;
    } Cases[] = {
        {u"b", -1, 1}, {u"b", 1, 2}, {u"b", 3, 1},  // wraps past the end
        {u"bb", -1, 2}, {u"BA", -1, 1}, {u"z", -1, -1}, {u"", -1, -1}, {u"b", 99, 1},
    };
    for (const Case& C : Cases) EXPECT_EQ(FindItemPrefix(L, C.Prefix, C.After), C.Found) << UTF8Encode(C.Prefix);
    EXPECT_EQ(FindItemExact(L, u"Banana"), 1);
    EXPECT_EQ(FindItemExact(L, u"banana"), -1);
    EXPECT_EQ(FindItemText(L, u"banana"), 1);
}

TEST(SkinListCore, TypedKeysAddUpWithin500Milliseconds)
{
    TsfTypeAhead T;
    EXPECT_EQ(T.Key(u'b', 1000, true), u"b");
    EXPECT_EQ(T.Key(u'b', 1100, true), u"bb");  // quick: "bb" from the top
    EXPECT_EQ(TsfTypeAhead::SearchAfter(u"bb", 1), -1);
    EXPECT_EQ(T.Key(u'b', 1600, true), u"b");  // after 500 ms: "b" alone from the next item
    EXPECT_EQ(TsfTypeAhead::SearchAfter(u"b", 1), 1);
    EXPECT_EQ(T.Key(u'c', 1700, false), u"c");
}

TEST(SkinListCore, AnEditStyleComboCompletesOnTheKeysItsCharsetAllows)
{
    struct Case {
        Integer Key;
        Byte Charset;
        bool Sys, AutoComplete, Clear, Complete;
    } const Cases[] = {
        {'B', 0, false, true, false, true},       {'0', 1, false, true, false, true},
        {16, 0, false, true, false, false},       {8, 0, false, true, false, false},  // Shift, Backspace
        {46, 0, false, true, false, false},       {'B', 0, true, true, false, false},
        {'B', 0, false, false, false, false},     {229, 134, false, true, true, true},  // the input method's key
        {16, 128, false, true, true, true},       {32, 136, true, true, true, true},
        {8, 134, false, true, false, false},      {46, 128, false, true, false, false},
        {'B', 134, false, false, true, false},
    };
    for (const Case& C : Cases) {
        const TsfComboEditKeyUp R = ComboEditKeyUp(C.Key, C.Charset, C.Sys, C.AutoComplete);
        EXPECT_EQ(R.ClearSelection, C.Clear) << C.Key << " charset " << Integer(C.Charset);
        EXPECT_EQ(R.Complete, C.Complete) << C.Key << " charset " << Integer(C.Charset);
    }
    TsfEditCompletion E;
    EXPECT_TRUE(E.Take(5000));
    EXPECT_FALSE(E.Take(5199));
    EXPECT_TRUE(E.Take(5200));
    EXPECT_FALSE(E.Take(5300));  // counted from the last completion that ran
    const TsfTextSelection S = CompletionSelection(u"be", u"berry");
    EXPECT_EQ(S.Start, 2);
    EXPECT_EQ(S.Length, 3);
    EXPECT_EQ(CompletionSelection(u"berry", u"berry").Length, 0);
}

TEST(SkinListCore, AStretchedComboItemKeepsItsCornersInsideASmallerPicture)
{
    const TRect Text = Rect(4, 2, 36, 14), Item = Rect(0, 0, 40, 16);
    struct Case {
        TRect Pic;
        bool Shrink;
        TRect Corners;
    } const Cases[] = {
        {Rect(0, 20, 40, 36), false, Rect(4, 2, 36, 14)},  // the normal picture: the text rectangle
        {Rect(0, 20, 40, 36), true, Rect(5, 3, 35, 13)},   // the focused one: shrunk by 1
        {Rect(0, 20, 30, 32), true, Rect(5, -1, 25, 13)},  // 10 narrower and 4 lower
        {Rect(0, 20, 50, 40), false, Rect(4, 2, 36, 14)},  // larger: unchanged
    };
    for (const Case& C : Cases) {
        const TRect R = ComboItemCorners(Text, C.Pic, Item, C.Shrink);
        EXPECT_TRUE(R == C.Corners) << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom;
    }
}

TEST(SkinListCore, ComboKeysStepAndPageWithinTheItems)
{
    struct Case {
        Integer Key;
        bool Alt, Open;
        Integer Index, Count;
        TsfComboKeyAction Action;
        Integer NewIndex;
    } Cases[] = {
        {sfVK_DOWN, false, false, 19, 20, ckNone, -1},  // Down on the last item: nothing
        {sfVK_DOWN, false, false, 3, 20, ckSelect, 4},   {sfVK_RIGHT, false, true, 3, 20, ckSelect, 4},
        {sfVK_UP, false, false, 0, 20, ckNone, -1},      {sfVK_LEFT, false, false, 5, 20, ckSelect, 4},
        {sfVK_NEXT, false, false, 0, 20, ckSelect, 7},   {sfVK_PRIOR, false, false, 9, 20, ckSelect, 0},
        {sfVK_NEXT, false, false, 15, 20, ckSelect, 19}, {sfVK_NEXT, false, false, 0, 0, ckNone, -1},
        {sfVK_DOWN, true, false, 3, 20, ckOpen, -1},     {sfVK_DOWN, true, true, 3, 20, ckNone, -1},
        {sfVK_UP, true, true, 3, 20, ckCancel, -1},      {sfVK_RETURN, false, true, 3, 20, ckAccept, -1},
        {sfVK_RETURN, false, false, 3, 20, ckNone, -1},  {sfVK_ESCAPE, false, true, 3, 20, ckCancel, -1},
    };
    for (const Case& C : Cases) {
        const TsfComboKey K = ComboKey(C.Key, C.Alt, C.Open, C.Index, C.Count, 8);
        EXPECT_EQ(K.Action, C.Action) << C.Key << " from " << C.Index;
        if (K.Action == ckSelect) EXPECT_EQ(K.Index, C.NewIndex) << C.Key << " from " << C.Index;
    }
}

TEST(SkinListCore, ThePopupOpensBelowOrAboveNearTheBottom)
{
    const TRect Work = Rect(0, 0, 800, 600);
    EXPECT_EQ(ComboPopupOrigin(Rect(10, 100, 130, 120), 100, Work), (TPoint{10, 120}));
    EXPECT_EQ(ComboPopupOrigin(Rect(10, 480, 130, 500), 100, Work), (TPoint{10, 500}));  // just fits
    EXPECT_EQ(ComboPopupOrigin(Rect(10, 560, 130, 580), 100, Work), (TPoint{10, 460}));
    EXPECT_EQ(ComboPopupRows(8, 3), 3);
    EXPECT_EQ(ComboPopupRows(8, 20), 8);
}

TEST(SkinListCore, FontFiltersAndSizes)
{
    struct Case {
        TsfFontListOptions Options;
        Byte CharSet, Pitch;
        Integer Type;
        bool Allowed;
    } Cases[] = {
        {0, 2, 0, 1, true},
        {foTrueTypeOnly, 0, 0, sfTRUETYPE_FONTTYPE, true},
        {foTrueTypeOnly, 0, 0, sfRASTER_FONTTYPE, false},
        {foAnsiOnly, 204, 0, 4, false},
        {foFixedPitchOnly, 0, 1, 4, true},
        {foFixedPitchOnly, 0, 2, 4, false},
        {foOEMFontsOnly, 255, 0, 1, true},
        {foNoOEMFonts, 255, 0, 4, false},
        {foNoSymbolFonts, 2, 0, 4, false},
        {foScalableOnly, 0, 0, sfRASTER_FONTTYPE, false},
        {foScalableOnly | foAnsiOnly, 0, 0, sfTRUETYPE_FONTTYPE, true},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(IsFontAllowed(C.Options, C.CharSet, C.Pitch, C.Type), C.Allowed) << C.Options;
    EXPECT_EQ(TrueTypeFontSizes().size(), 16u);
    EXPECT_EQ(TrueTypeFontSizes().front(), 8);
    EXPECT_EQ(TrueTypeFontSizes().back(), 72);
    // (16 - 3) x 72 / 96 = 9.75; (14 - 2) x 72 / 96 = 9; 7 x 72 / 144 = 3.5 -> 4 (even), 5 x 72 / 144 = 2.5 -> 2
    EXPECT_EQ(FontPoints(16, 3, 96), 10);
    EXPECT_EQ(FontPoints(14, 2, 96), 9);
    EXPECT_EQ(FontPoints(7, 0, 144), 4);
    EXPECT_EQ(FontPoints(5, 0, 144), 2);
    EXPECT_EQ(FontPoints(5, 0, 0), 0);
    std::vector<Integer> S;
    for (Integer p : {10, 8, 12, 10, 9, 8}) InsertFontSize(S, p);
    EXPECT_EQ(S, (std::vector<Integer>{8, 9, 10, 12}));
    struct TextCase {
        const char16_t* Text;
        Integer Value;
    } Texts[] = {{u"-", 0}, {u"1-2", 0}, {u"12a", 0}, {u"", 0}, {u"-5", -5}, {u"12", 12}, {u"99999999999", 0}};
    for (const TextCase& T : Texts) EXPECT_EQ(FontSizeOfText(T.Text), T.Value) << UTF8Encode(T.Text);
}

namespace {

TsfHorzListCore TenItems()
{
    TsfHorzListCore C;
    C.Items.resize(10);
    return C;
}

}  // namespace

TEST(SkinListCore, HorzListRangeScrollingAndHits)
{
    // The built-in look of a 304 x 100 control: the items' area is 2 pixels inside.
    const TRect Area = Rect(2, 2, 302, 98);
    TsfHorzListCore C = TenItems();
    Integer Min, Max, Page, Pos;
    C.GetScrollInfo(Area, 0, Min, Max, Page, Pos);
    EXPECT_EQ(Min, 0);
    EXPECT_EQ(Max, 700);
    EXPECT_EQ(Page, 300);
    C.ScrollToItem(8, Area, 19, 304);
    EXPECT_EQ(C.ScrollOffset, (2 + 9 * 70) + 2 - 304 + 1);
    EXPECT_EQ(C.Items[8].ItemRect.Right, C.ItemsRect.Right - 1);
    C.ScrollToItem(1, Area, 19, 304);  // left of the view: to the area's left edge
    EXPECT_EQ(C.ScrollOffset, 70);
    EXPECT_EQ(C.Items[1].ItemRect.Left, 2);
    C.Items[2].Enabled = false;
    EXPECT_EQ(C.ItemAtPos(10, 20), 1);   // item 1 now starts at 2
    EXPECT_EQ(C.ItemAtPos(80, 20), -1);  // the disabled item 2 is not hit
    EXPECT_EQ(C.ItemAtPos(150, 20), 3);
    EXPECT_EQ(C.ItemAtPos(150, 98), -1);  // below the items
    // Fitting items need no bar.
    TsfHorzListCore F;
    F.Items.resize(4);
    F.GetScrollInfo(Area, 0, Min, Max, Page, Pos);
    EXPECT_EQ(Max, 0);
    EXPECT_EQ(Page, 0);
}

TEST(SkinListCore, HorzListKeySearchSkipsDisabledItems)
{
    TsfHorzListCore C = TenItems();
    C.CalcItemRects(Rect(2, 2, 212, 98), 0);  // three items a page
    C.Items[4].Enabled = C.Items[5].Enabled = false;
    struct Case {
        Integer (TsfHorzListCore::*Find)(Integer) const;
        Integer From, To;
    } Cases[] = {
        {&TsfHorzListCore::FindUp, 0, -1},       {&TsfHorzListCore::FindUp, 6, 3},
        {&TsfHorzListCore::FindDown, -1, 0},     {&TsfHorzListCore::FindDown, 3, 6},
        {&TsfHorzListCore::FindDown, 9, -1},     {&TsfHorzListCore::FindPageDown, 0, 3},
        {&TsfHorzListCore::FindPageDown, 2, 6},  {&TsfHorzListCore::FindPageDown, 9, -1},
        {&TsfHorzListCore::FindPageUp, 9, 6},    {&TsfHorzListCore::FindPageUp, 6, 2},
        {&TsfHorzListCore::FindPageUp, 0, -1},
    };
    for (const Case& K : Cases) EXPECT_EQ((C.*K.Find)(K.From), K.To) << K.From;
}

TEST(SkinListCore, HorzListWideningAfterTheEndScrollsBack)
{
    TsfHorzListCore C = TenItems();
    C.ScrollToItem(9, Rect(2, 2, 302, 98), 0, 304);
    const Integer End = C.ScrollOffset;
    // The last item ends 1 pixel inside the area: 50 pixels wider scroll back by 51.
    EXPECT_TRUE(C.WidthChanged(Rect(2, 2, 352, 98), 0));
    EXPECT_EQ(C.ScrollOffset, End - 51);
    EXPECT_EQ(C.Items[9].ItemRect.Right, 352);
    C.ScrollOffset = 0;  // not scrolled: nothing to take back
    EXPECT_FALSE(C.WidthChanged(Rect(2, 2, 900, 98), 0));
    EXPECT_EQ(C.CalcWidth(3, 5), 215);
    EXPECT_EQ(C.CalcWidth(30, 5), 705);
}

TEST(SkinListCore, TreeBarsButtonsAndFading)
{
    EXPECT_FALSE(TreeVBarVisible(0, 10, 5, true));  // a small tree: no bar
    EXPECT_TRUE(TreeVBarVisible(19, 10, 20, true));
    EXPECT_FALSE(TreeVBarVisible(19, 10, 20, false));
    EXPECT_TRUE(TreeHBarVisible(300, 200, true));
    EXPECT_FALSE(TreeHBarVisible(150, 200, true));
    EXPECT_EQ(TreeButtonHalf(16, false, 0), 8);
    EXPECT_EQ(TreeButtonHalf(0, false, 0), 5);
    EXPECT_EQ(TreeButtonHalf(0, true, 13), 4);
    EXPECT_EQ(TreeFadeAlpha(0, 10), 255);
    EXPECT_EQ(TreeFadeAlpha(4, 10), 255);
    EXPECT_EQ(TreeFadeAlpha(5, 10), 255 - 51);
    EXPECT_EQ(TreeFadeAlpha(9, 10), 0);
}

TEST(SkinListCore, APopupFadesInByAFifteenthOfItsTargetAndStopsThere)
{
    struct Case {
        Integer Current, Target, Next;
    } const Cases[] = {
        {0, 200, 13},    // 200 div 15
        {195, 200, 200}, // the last step is cut at the target
        {200, 200, 200},
        {0, 10, 1},      // a small target still moves by 1
        {0, 0, 0},
        {250, 200, 200}, // above the target: held at it
    };
    for (const Case& C : Cases)
        EXPECT_EQ(PopupFadeAlpha(C.Current, C.Target), C.Next) << C.Current << " -> " << C.Target;
    // From 0 to 200 in ceil(200 / 13) = 16 ticks.
    Integer A = 0, Ticks = 0;
    while (A < 200) A = PopupFadeAlpha(A, 200), ++Ticks;
    EXPECT_EQ(Ticks, 16);
}
