#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinTabs.h"

using namespace skintest;

namespace {

// Colours of the test skin's pieces.
constexpr TColor FrameC = 0x00FF00;   // the frame's border
constexpr TColor ClientC = 0x808000;  // the client tile
constexpr TColor TabC = 0x0000FF;     // an unselected tab
constexpr TColor ActiveC = 0xFF0000;  // the selected tab
constexpr TColor StripC = 0x00FFFF;   // the strip's tile
constexpr TColor CloseC = 0x000080;   // the close button

// A tab description with 22-pixel tabs, a 24-pixel selected tab, a frame of
// borders 2 and a 13-pixel close button.
struct TabSkin {
    TTestSkin S;
    TsfDataSkinTabControl* D;
    TabSkin()
    {
        const Integer P = S.AddPicture(200, 80, ClientC);
        S.FillRect(P, {0, 0, 59, 52}, FrameC);
        S.FillRect(P, {2, 2, 57, 50}, ClientC);
        S.FillRect(P, {60, 0, 100, 22}, TabC);
        S.FillRect(P, {100, 0, 140, 24}, ActiveC);
        S.FillRect(P, {0, 60, 10, 70}, StripC);
        S.FillRect(P, {150, 0, 163, 13}, CloseC);
        D = S.Add<TsfDataSkinTabControl>(u"tab");
        D->PictureIndex = P;
        D->SkinRect = {0, 0, 59, 52};
        D->ClRect = {2, 2, 57, 50};
        D->LTPoint = {2, 2};
        D->RTPoint = {57, 2};
        D->LBPoint = {2, 50};
        D->RBPoint = {57, 50};
        D->TabRect = {60, 0, 100, 22};
        D->ActiveTabRect = {100, 0, 140, 24};
        D->TabsBGRect = {0, 60, 10, 70};
        D->TabLeftOffset = D->TabRightOffset = 3;
        D->CloseButtonRect = {150, 0, 163, 13};
    }
};

// A control that shows what lies behind it.
class TSeeThrough : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override { DrawParentBackground(this, Canvas()); }
};

class SkinTabsTest : public SkinFormTest {
protected:
    TsfSkinTabControl* NewTabControl(TForm* Form, Integer W, Integer H, Integer Count)
    {
        auto* T = new TsfSkinTabControl(Form);
        T->SetParent(Form);
        T->SetBounds(10, 10, W, H);
        for (Integer i = 0; i < Count; ++i) T->Tabs()->Add(u"Tab " + IntToStr(i));
        return T;
    }
    TsfSkinPageControl* NewPageControl(TForm* Form, Integer W, Integer H, Integer Count)
    {
        auto* P = new TsfSkinPageControl(Form);
        P->SetParent(Form);
        P->SetBounds(10, 10, W, H);
        for (Integer i = 0; i < Count; ++i) {
            auto* S = new TsfSkinTabSheet(Form);
            S->SetPageControl(P);
            S->SetCaption(u"Page " + IntToStr(i));
        }
        if (Count) P->SetActivePageIndex(0);
        return P;
    }
    // Clicks at a client point of C through real input.
    void Click(TControl* C, TPoint P)
    {
        guitest::MovePointer(C->ClientToScreen(P));
        guitest::LeftButton(true);
        guitest::Pump();
        guitest::LeftButton(false);
        guitest::Pump();
    }
};

}  // namespace

TEST_F(SkinTabsTest, SelectedTabReachesTwoPixelsIntoTheFrame)
{
    TabSkin Skin;
    TForm* Form = NewForm(100, 100, 340, 200);
    for (bool Page : {false, true}) {
        TWinControl* C = nullptr;
        if (Page) {
            auto* P = NewPageControl(Form, 300, 150, 3);
            P->SetSkinData(Skin.S.SD.get());
            C = P;
        } else {
            auto* T = NewTabControl(Form, 300, 150, 3);
            T->SetTabIndex(0);
            T->SetSkinData(Skin.S.SD.get());
            C = T;
        }
        ShowAndWait(Form);
        auto* Tabs = dynamic_cast<TCustomTabControl*>(C);
        const TRect Sel = Tabs->TabRect(0), Other = Tabs->TabRect(1);
        EXPECT_EQ(Sel.Height(), 22);
        auto Dib = CaptureControl(C);
        SaveScreenshot(C, Page ? u"Tabs_TestSkinPage" : u"Tabs_TestSkinTab");
        const Integer SX = Sel.Left + 1, OX = Other.Left + Other.Width() / 2;
        // The selected tab covers its item rectangle and 2 pixels below it, over the frame.
        for (Integer y = Sel.Top; y < Sel.Bottom + 2; ++y) EXPECT_EQ(Dib->Pixel(SX, y), ScreenRGB(ActiveC)) << y;
        EXPECT_NE(Dib->Pixel(SX, Sel.Bottom + 2), ScreenRGB(ActiveC));
        // An unselected tab keeps to its item rectangle; the frame shows below it.
        EXPECT_EQ(Dib->Pixel(OX, Other.Top + 1), ScreenRGB(TabC));
        const TRect D = Tabs->DisplayRect();
        EXPECT_EQ(Dib->Pixel(OX, D.Top - 1), ScreenRGB(FrameC));
        EXPECT_EQ(Dib->Pixel(C->Width() - 1, D.Top + 10), ScreenRGB(FrameC));
        // The strip right of the tabs shows the strip's tile.
        EXPECT_EQ(Dib->Pixel(C->Width() - 5, Sel.Top + 2), ScreenRGB(StripC));
        delete C;
    }
}

TEST_F(SkinTabsTest, TabsThatDoNotFitGetTheSkinnedScroller)
{
    TForm* Form = NewForm(100, 100, 700, 200);
    auto* P = NewPageControl(Form, 60 * 7 + 15, 150, 10);
    P->SetTabWidth(60);
    ShowAndWait(Form);
    P->SetBounds(10, 10, 60 * 7 + 14, 150);  // a size change brings the scroller up to date
    guitest::Pump();
    ASSERT_NE(P->SkinUpDown(), nullptr);
    EXPECT_EQ(P->SkinUpDown()->Max(), 3);
    EXPECT_EQ(FindWindowExW(P->Handle(), nullptr, UPDOWN_CLASSW, nullptr), nullptr);
    EXPECT_EQ(P->SkinUpDown()->Left() + P->SkinUpDown()->Width(), P->Width());
    // Moving it scrolls the row: tabs leave at the left (how many per step is the platform's count).
    P->SkinUpDown()->SetPosition(2);
    guitest::Pump();
    EXPECT_EQ(P->SkinUpDown()->Position(), 2);
    EXPECT_LE(P->TabRect(0).Right, 0);
    EXPECT_GT(P->TabRect(3).Right, 0);
    // Wide enough for all: the scroller goes.
    P->SetBounds(10, 10, 680, 150);
    guitest::Pump();
    EXPECT_EQ(P->SkinUpDown(), nullptr);
    EXPECT_EQ(FindWindowExW(P->Handle(), nullptr, UPDOWN_CLASSW, nullptr), nullptr);
}

TEST_F(SkinTabsTest, TheClickedTabsCloseButtonClosesThatTab)
{
    TabSkin Skin;
    TForm* Form = NewForm(100, 100, 500, 200);
    auto* T = NewTabControl(Form, 460, 150, 4);
    T->SetTabIndex(0);
    T->SetShowCloseButtons(true);
    T->SetSkinData(Skin.S.SD.get());
    EXPECT_EQ(T->CloseSize(), 13);
    std::vector<Integer> Asked;
    int After = 0;
    T->OnClose = [&](Integer Index, bool&) { Asked.push_back(Index); };
    T->OnAfterClose = [&](TObject*) { ++After; };
    auto* P = NewPageControl(Form, 460, 150, 4);
    P->SetTop(170);
    P->SetShowCloseButtons(true);
    P->SetSkinData(Skin.S.SD.get());
    Form->SetClientHeight(340);
    ShowAndWait(Form);
    // Tab control: the button of tab 2 (not the selected one).
    TRect Item = T->TabRect(2);
    guitest::MovePointer(T->ClientToScreen({Item.Left + 3, Item.Top + 5}));
    TRect B = T->CloseStates().Count() > 2 ? const_cast<TsfTabCloseStates&>(T->CloseStates()).At(2)->R : TRect{};
    ASSERT_FALSE(IsEmptyRect(B));
    EXPECT_EQ(B.Width(), 13);
    auto Dib = CaptureControl(T);
    EXPECT_EQ(Dib->Pixel(Item.Left + B.Left + 6, Item.Top + B.Top + 6), ScreenRGB(CloseC));
    Click(T, {Item.Left + B.Left + 6, Item.Top + B.Top + 6});
    ASSERT_EQ(Asked, std::vector<Integer>{2});
    EXPECT_EQ(After, 1);
    ASSERT_EQ(T->Tabs()->Count(), 3);
    EXPECT_EQ(T->Tabs()->Strings(2), u"Tab 3");
    EXPECT_EQ(T->Tabs()->Strings(0), u"Tab 0");
    // Page control: page 2's button hides page 2; page 0 stays active.
    Item = P->TabRect(2);
    guitest::MovePointer(P->ClientToScreen({Item.Left + 3, Item.Top + 5}));
    B = dynamic_cast<TsfSkinTabSheet*>(P->Pages(2))->CloseState.R;
    ASSERT_FALSE(IsEmptyRect(B));
    Click(P, {Item.Left + B.Left + 6, Item.Top + B.Top + 6});
    EXPECT_FALSE(P->Pages(2)->TabVisible());
    EXPECT_TRUE(P->Pages(1)->TabVisible());
    EXPECT_TRUE(P->Pages(3)->TabVisible());
}

TEST_F(SkinTabsTest, CloseButtonsServeThreeHundredTabs)
{
    TForm* Form = NewForm(100, 100, 500, 200);
    auto* T = NewTabControl(Form, 460, 150, 300);
    T->SetShowCloseButtons(true);
    T->SetTabIndex(299);
    ShowAndWait(Form);
    CaptureControl(T);
    ASSERT_GE(T->CloseStates().Count(), 300);
    auto& States = const_cast<TsfTabCloseStates&>(T->CloseStates());
    EXPECT_FALSE(IsEmptyRect(States.At(299)->R));
    EXPECT_EQ(States.At(299)->R.Width(), 14);
    // Switching them on again starts every state afresh.
    States.At(280)->Down = true;
    T->SetShowCloseButtons(true);
    EXPECT_FALSE(States.At(280)->Down);
}

TEST_F(SkinTabsTest, CentredRowStartsAtHalfTheRestAndStillSelects)
{
    TForm* Form = NewForm(100, 100, 440, 200);
    auto* P = NewPageControl(Form, 400, 150, 3);
    P->SetTabWidth(80);
    ShowAndWait(Form);
    const TRect Plain = P->TabRect(1);
    P->SetTabsInCenter(true);
    EXPECT_TRUE(P->TabsInCenter());
    EXPECT_TRUE(P->TabsBGTransparent());
    EXPECT_EQ(P->CalcTabsStart(), 80);
    const TRect Centred = P->TabRect(1);
    EXPECT_EQ(Centred.Left - Plain.Left, 80);
    Click(P, {Centred.Left + 40, Centred.Top + Centred.Height() / 2});
    EXPECT_EQ(P->ActivePage(), P->Pages(1));
    // Varying widths cannot be centred.
    P->SetTabsInCenter(false);
    P->SetTabWidth(0);
    P->SetTabsInCenter(true);
    EXPECT_FALSE(P->TabsInCenter());
}

TEST_F(SkinTabsTest, SeeThroughChildShowsExactlyThePaintedBackground)
{
    TabSkin Skin;
    // A background picture with a pattern that tells places apart.
    const Integer BG = Skin.S.AddPicture(64, 48, 0);
    for (Integer y = 0; y < 48; y += 4)
        for (Integer x = 0; x < 64; x += 4) Skin.S.FillRect(BG, {x, y, x + 4, y + 4}, TColor((x * 4) | (y * 5) << 8));
    Skin.D->BGPictureIndex = BG;
    TForm* Form = NewForm(100, 100, 340, 200);
    auto* T = NewTabControl(Form, 300, 150, 3);
    T->SetSkinData(Skin.S.SD.get());
    auto* Child = new TSeeThrough(T);
    Child->SetParent(T);
    Child->SetBounds(37, 50, 90, 60);
    ShowAndWait(Form);
    auto Shown = CaptureControl(Child);
    guitest::TDib Painted(T->Width(), T->Height());
    T->PaintBG(Painted.DC());
    GdiFlush();
    for (Integer y = 0; y < Child->Height(); ++y)
        for (Integer x = 0; x < Child->Width(); ++x)
            ASSERT_EQ(Shown->Pixel(x, y), Painted.Pixel(Child->Left() + x, Child->Top() + y)) << x << "," << y;
    // Without a skin: plain face colour.
    T->SetSkinData(nullptr);
    guitest::TDib Plain(T->Width(), T->Height());
    T->PaintBG(Plain.DC());
    GdiFlush();
    EXPECT_EQ(Plain.Pixel(5, 5), ScreenRGB(clBtnFace));
}

TEST_F(SkinTabsTest, PageControlHidesTabsAndBorderAndOffsetsItsRow)
{
    TForm* Form = NewForm(100, 100, 440, 200);
    auto* P = NewPageControl(Form, 400, 150, 3);
    P->SetTabPosition(tpBottom);
    ShowAndWait(Form);
    const TRect Before = P->TabRect(0);
    // Twice hidden, once shown: the tabs come back where they were.
    P->HideTabs();
    EXPECT_EQ(P->TabPosition(), tpBottom);
    P->HideTabs();
    P->ShowTabs();
    EXPECT_FALSE(P->HideTabsState());
    EXPECT_EQ(P->TabPosition(), tpBottom);
    EXPECT_EQ(P->TabRect(0), Before);
    // No border and no tabs: the active sheet covers the control from y = -2.
    P->HideBorderAndTabs();
    guitest::Pump();
    EXPECT_EQ(P->ActivePage()->Top(), -2);
    EXPECT_EQ(P->ActivePage()->Top() + P->ActivePage()->Height(), P->Height());
    P->ShowBorderAndTabs();
    // An offset row: tabs on top on one row, strip see-through, the first tab 30 further right.
    P->SetMultiLine(true);
    P->SetTabsOffset(30);
    EXPECT_EQ(P->TabPosition(), tpTop);
    EXPECT_FALSE(P->MultiLine());
    EXPECT_TRUE(P->TabsBGTransparent());
    const TRect Shifted = P->TabRect(0);
    P->SetTabsOffset(0);
    EXPECT_EQ(Shifted.Left - P->TabRect(0).Left, 30);
    P->SetTabsOffset(30);
    P->SetActivePageIndex(2);
    Click(P, {Shifted.Left + 5, Shifted.Top + Shifted.Height() / 2});
    EXPECT_EQ(P->ActivePage(), P->Pages(0));
    // Page switching skips pages whose tab is hidden and stops at the ends.
    P->Pages(1)->SetTabVisible(false);
    P->ActivateNextPage();
    EXPECT_EQ(P->ActivePage(), P->Pages(2));
    P->ActivateNextPage();
    EXPECT_EQ(P->ActivePage(), P->Pages(2));
    P->ActivatePriorPage();
    EXPECT_EQ(P->ActivePage(), P->Pages(0));
}

TEST_F(SkinTabsTest, RefusedCloseKeepsThePageAndFreeOnCloseFreesIt)
{
    TabSkin Skin;
    TForm* Form = NewForm(100, 100, 440, 200);
    auto* P = NewPageControl(Form, 400, 150, 3);
    P->SetShowCloseButtons(true);
    P->SetSkinData(Skin.S.SD.get());
    // The room handed to the platform: 1 pixel, then the skin's 13-pixel button.
    EXPECT_EQ(P->TempImages()->Width(), 14);
    P->SetFreeOnClose(true);
    bool Allow = false;
    int After = 0;
    P->OnClose = [&](TObject*, bool& CanClose) { CanClose = Allow; };
    P->OnAfterClose = [&](TObject*) { ++After; };
    ShowAndWait(Form);
    auto ClickButton = [&](Integer Pos) {
        const TRect Item = P->TabRect(Pos);
        guitest::MovePointer(P->ClientToScreen({Item.Left + 3, Item.Top + 5}));
        TTabSheet* Page = nullptr;
        for (Integer i = 0, n = 0; i < P->PageCount(); ++i)
            if (P->Pages(i)->TabVisible() && n++ == Pos) Page = P->Pages(i);
        const TRect B = dynamic_cast<TsfSkinTabSheet*>(Page)->CloseState.R;
        ASSERT_FALSE(IsEmptyRect(B));
        Click(P, {Item.Left + B.Left + 6, Item.Top + B.Top + 6});
    };
    ClickButton(1);
    EXPECT_EQ(P->PageCount(), 3);
    EXPECT_EQ(After, 0);
    Allow = true;
    ClickButton(1);
    EXPECT_EQ(P->PageCount(), 2);
    EXPECT_EQ(After, 1);
    EXPECT_EQ(P->Pages(1)->Caption(), u"Page 2");
}

// A page control and a tab control in the built-in look and each of the
// four skins, kept as screenshots (looked at, not compared).
TEST_F(SkinTabsTest, ScreenshotsInTheFourSkins)
{
    const char16_t* Looks[] = {u"none", SkinNames[0], SkinNames[1], SkinNames[2], SkinNames[3]};
    for (const char16_t* Look : Looks) {
        TForm* Form = NewForm(100, 100, 640, 220);
        TsfSkinData* SD = String(Look) == u"none" ? nullptr : Skin(Look);
        auto* P = NewPageControl(Form, 300, 190, 4);
        P->SetActivePageIndex(1);
        auto* T = NewTabControl(Form, 300, 190, 3);
        T->SetLeft(320);
        T->SetTabIndex(0);
        T->SetShowCloseButtons(true);
        if (SD) {
            P->SetSkinData(SD);
            T->SetSkinData(SD);
        }
        ShowAndWait(Form);
        guitest::Pump();
        SaveScreenshot(ScreenRect(Form), String(u"Tabs_") + Look);
    }
}

// Tabs on each side in the built-in skin: a lying tab's close button lands at
// the top of a standing tab on the left and at the bottom on the right.
TEST_F(SkinTabsTest, TabsOnEverySideWithTheirCloseButtons)
{
    const TTabPosition Sides[] = {tpTop, tpBottom, tpLeft, tpRight};
    const char16_t* Names[] = {u"Top", u"Bottom", u"Left", u"Right"};
    for (Integer i = 0; i < 4; ++i) {
        TForm* Form = NewForm(100, 100, 340, 240);
        auto* T = NewTabControl(Form, 300, 200, 3);
        T->SetTabPosition(Sides[i]);
        T->SetTabIndex(1);
        T->SetShowCloseButtons(true);
        T->SetSkinData(Skin(SkinNames[0]));
        ShowAndWait(Form);
        SaveScreenshot(T, String(u"Tabs_Side") + Names[i]);
        const TRect Item = T->TabRect(0);
        const TRect B = const_cast<TsfTabCloseStates&>(T->CloseStates()).At(0)->R;
        ASSERT_FALSE(IsEmptyRect(B)) << i;
        EXPECT_EQ(T->SkinUpDown(), nullptr) << i;  // every tab fits
        if (Sides[i] == tpLeft) EXPECT_LT(B.Bottom, Item.Height() / 2);
        if (Sides[i] == tpRight) EXPECT_GT(B.Top, Item.Height() / 2);
        if (Sides[i] == tpTop || Sides[i] == tpBottom) EXPECT_GT(B.Left, Item.Width() / 2);
    }
}

namespace {

// A windowed child that counts the background-changed messages it gets.
class TBackgroundListener : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Changes = 0;

protected:
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == WM_PARENTBGCHANGED) ++Changes;
        TCustomControl::Dispatch(Message);
    }
};

}  // namespace

TEST_F(SkinTabsTest, TabControlImagesAndStretchedBackgroundNotice)
{
    TabSkin Skin;
    Skin.D->StretchEffect = true;
    TForm* Form = NewForm(100, 100, 440, 220);
    auto* T = NewTabControl(Form, 400, 150, 4);
    T->SetTabIndex(0);
    TImageList Images(Form);
    Images.SetSize(8, 8);
    for (Integer i = 0; i < 3; ++i) {
        TBitmap B;
        B.SetSize(8, 8);
        B.Canvas()->Brush()->SetColor(0x00C000);
        B.Canvas()->FillRect({0, 0, 8, 8});
        Images.Add(&B);
    }
    T->SetImages(&Images);
    T->SetSkinData(Skin.S.SD.get());
    auto* Child = new TBackgroundListener(T);
    Child->SetParent(T);
    Child->SetBounds(20, 60, 50, 30);
    ShowAndWait(Form);
    // Tabs 0 to 2 show an image, tab 3 only its caption.
    auto Dib = CaptureControl(T);
    auto HasImage = [&](Integer Tab) {
        const TRect R = T->TabRect(Tab);
        for (Integer y = R.Top; y < R.Bottom; ++y)
            for (Integer x = R.Left; x < R.Right; ++x)
                if (Dib->Pixel(x, y) == ScreenRGB(0x00C000)) return true;
        return false;
    };
    EXPECT_TRUE(HasImage(0));
    EXPECT_TRUE(HasImage(2));
    EXPECT_FALSE(HasImage(3));
    // The background stretches: each size change tells the windowed child once.
    const int Before = Child->Changes;
    T->SetBounds(10, 10, 380, 150);
    guitest::Pump();
    EXPECT_EQ(Child->Changes, Before + 1);
}
