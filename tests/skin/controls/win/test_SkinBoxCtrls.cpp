#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "framework/controls/win/ExtCtrls.h"
#include "skin/controls/win/SkinTrackBars.h"

using namespace skintest;

namespace {

class SkinBoxCtrlsTest : public SkinFormTest {};

}  // namespace

TEST_F(SkinBoxCtrlsTest, UpDownStepsOnReleaseEvenOffTheButtonAndRepeatsWhileHeld)
{
    TForm* Form = NewForm(100, 100, 200, 100);
    auto* U = new TsfSkinUpDown(Form);
    U->SetParent(Form);
    U->SetBounds(10, 10, 50, 25);
    int Changes = 0, Ups = 0;
    U->OnChange = [&](TObject*) { ++Changes; };
    U->OnUpButtonClick = [&](TObject*) { ++Ups; };
    ShowAndWait(Form);
    // Pressed on the up (right) button, released far away.
    guitest::MovePointer(U->ClientToScreen({40, 12}));
    guitest::LeftButton(true);
    guitest::Pump();
    EXPECT_EQ(U->Position(), 0);
    auto Pressed = CaptureControl(U);
    EXPECT_EQ(Pressed->Pixel(27, 2), 0x8593B5u);  // the pressed fill
    guitest::MovePointer(U->ClientToScreen({150, 60}));
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Ups == 1; }));
    EXPECT_EQ(U->Position(), 1);
    EXPECT_EQ(Changes, 1);
    // Held: nothing before 500 ms, then a step every 100 ms.
    guitest::MovePointer(U->ClientToScreen({40, 12}));
    guitest::LeftButton(true);
    guitest::Pump();
    FClock.Clock.Advance(599);
    EXPECT_EQ(U->Position(), 1);
    FClock.Clock.Advance(201);
    EXPECT_EQ(U->Position(), 4);
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Ups == 2; }));
    EXPECT_EQ(U->Position(), 5);
}

TEST_F(SkinBoxCtrlsTest, ScrollBoxRangesFromItsChildrenAndVScrollClamps)
{
    TForm* Form = NewForm(100, 100, 300, 220);
    auto* Box = new TsfSkinScrollBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 150, 152);  // 150 x 150 inside the 1-pixel border
    auto* Bar = new TsfSkinScrollBar(Form);
    Bar->SetParent(Form);
    Bar->SetKind(sbVertical);
    Bar->SetBounds(162, 10, 19, 152);
    auto* Child = new TPanel(Box);
    Child->SetParent(Box);
    Child->SetBounds(0, 0, 100, 100);
    Box->SetVScrollBar(Bar);
    ShowAndWait(Form);
    Box->UpdateScrollRange();
    EXPECT_FALSE(Bar->Visible());
    auto* Low = new TPanel(Box);
    Low->SetParent(Box);
    Low->SetBounds(0, 300, 100, 40);
    Box->UpdateScrollRange();
    EXPECT_TRUE(Bar->Visible());
    EXPECT_EQ(Box->ClientHeight(), 150);
    EXPECT_EQ(Bar->Max(), 339);
    EXPECT_EQ(Bar->PageSize(), 150);
    int Scrolls = 0;
    Box->OnVScroll = [&](TObject*) { ++Scrolls; };
    Bar->SetPosition(40);
    EXPECT_EQ(Child->Top(), -40);
    EXPECT_EQ(Scrolls, 1);
    Box->UpdateScrollRange();  // Max = lowest bottom + position - 1
    EXPECT_EQ(Bar->Max(), 300 + 40 - 1);
    Box->VScroll(10000);
    EXPECT_EQ(Bar->Position(), 339 - 150);
    EXPECT_EQ(Low->Top() + Low->Height(), 340 - 189);
    Box->ScrollToControl(Child);
    EXPECT_EQ(Child->Top(), 0);
}

// Every control of the family on one form, in the built-in look and in each
// of the four skins, kept as screenshots (looked at, not compared).
TEST_F(SkinBoxCtrlsTest, ScreenshotsInTheFourSkins)
{
    const char16_t* Looks[] = {u"none", SkinNames[0], SkinNames[1], SkinNames[2], SkinNames[3]};
    for (const char16_t* Look : Looks) {
        TForm* Form = NewForm(100, 100, 420, 250);
        TsfSkinData* SD = String(Look) == u"none" ? nullptr : Skin(Look);
        auto Place = [&](auto* C, Integer X, Integer Y, Integer W, Integer H) {
            C->SetParent(Form);
            C->SetBounds(X, Y, W, H);
            if (SD) C->SetSkinData(SD);
            return C;
        };
        auto* H = Place(new TsfSkinScrollBar(Form), 10, 10, 200, 19);
        H->SetRange(0, 100, 30, 20);
        auto* V = new TsfSkinScrollBar(Form);
        V->SetKind(sbVertical);
        Place(V, 220, 10, 19, 120);
        V->SetRange(0, 100, 70, 0);
        auto* T = Place(new TsfSkinTrackBar(Form), 10, 40, 200, 20);
        T->SetValue(65);
        auto* S = Place(new TsfSkinSlider(Form), 10, 70, 200, 40);
        S->SetValue(40);
        auto* SV = new TsfSkinSlider(Form);
        SV->SetOrientation(soVertical);
        Place(SV, 250, 10, 40, 150);
        SV->SetValue(70);
        Place(new TsfSkinUpDown(Form), 10, 120, 50, 25)->SetPosition(3);
        auto* UV = new TsfSkinUpDown(Form);
        UV->SetOrientation(udVertical);
        UV->SetSkinDataName(u"vupdown");  // at run time the orientation leaves the name alone
        Place(UV, 70, 120, 25, 50);
        auto* Box = Place(new TsfSkinScrollBox(Form), 300, 10, 100, 120);
        auto* BoxBar = new TsfSkinScrollBar(Form);
        BoxBar->SetKind(sbVertical);
        Place(BoxBar, 400, 10, 17, 120);
        for (Integer I = 0; I < 4; ++I) {
            auto* Child = new TsfSkinTrackBar(Box);
            Child->SetParent(Box);
            Child->SetBounds(4, 4 + I * 45, 80, 20);
            if (SD) Child->SetSkinData(SD);
        }
        Box->SetVScrollBar(BoxBar);
        ShowAndWait(Form);
        Box->UpdateScrollRange();
        Box->VScroll(30);
        EXPECT_TRUE(BoxBar->Visible()) << UTF8Encode(String(Look));
        guitest::Pump();
        SaveScreenshot(ScreenRect(Form), String(u"BoxCtrls_") + Look);
    }
}

TEST_F(SkinBoxCtrlsTest, SkinSizeBordersAndTheSkinsOrientation)
{
    TForm* Form = NewForm(100, 100, 300, 220);
    TsfSkinData* SD = Skin(u"Rire");
    // An up-down taking the skin's size keeps the size of its picture whatever it is given.
    auto* U = new TsfSkinUpDown(Form);
    U->SetParent(Form);
    U->SetSkinData(SD);
    U->SetBounds(10, 10, 100, 100);
    const TRect Pic = SD->CtrlList[SD->GetControlIndex(u"hupdown")]->SkinRect;
    EXPECT_EQ(U->Width(), Pic.Width());
    EXPECT_EQ(U->Height(), Pic.Height());
    U->SetUseSkinSize(false);
    U->SetBounds(10, 10, 60, 30);
    EXPECT_EQ(U->Width(), 60);
    // A scroll box: a 1-pixel border without a skin, none with bvNone.
    auto* Box = new TsfSkinScrollBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 60, 120, 100);
    // A track bar under the skin's "trackbar" description turns vertical.
    auto* T = new TsfSkinTrackBar(Form);
    T->SetParent(Form);
    T->SetSkinDataName(u"trackbar");
    T->SetSkinData(SD);
    T->SetBounds(200, 10, 30, 150);
    ShowAndWait(Form);
    EXPECT_EQ(Box->ClientWidth(), 118);
    Box->SetBorderStyle(TsfSkinBorderStyle::bvNone);
    guitest::Pump();
    EXPECT_EQ(Box->ClientWidth(), 120);
    CaptureControl(T);
    EXPECT_TRUE(T->Vertical());
    // Up-down buttons of the resize-button look still step.
    guitest::MovePointer(U->ClientToScreen({50, 15}));
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return U->Position() == 1; }));
}

TEST_F(SkinBoxCtrlsTest, AFocusableScrollBoxTakesTheFocusOnTheFirstClick)
{
    TForm* Form = NewForm(100, 100, 300, 220);
    auto* Box = new TsfSkinScrollBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 120, 100);
    int Clicks = 0;
    Box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++Clicks; };
    ShowAndWait(Form);
    guitest::MovePointer(Box->ClientToScreen({50, 50}));
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_FALSE(Box->Focused());
    EXPECT_EQ(Clicks, 1);
    Box->SetCanFocused(true);
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_TRUE(Box->Focused());
    EXPECT_EQ(Clicks, 2);  // the focus arrived, so the click went on
}

TEST_F(SkinBoxCtrlsTest, AnAlignedBoxGrowingWhileScrolledBringsItsContentDown)
{
    TForm* Form = NewForm(100, 100, 300, 200);
    auto* Box = new TsfSkinScrollBox(Form);
    Box->SetParent(Form);
    Box->SetWidth(150);
    Box->SetAlign(alLeft);
    auto* Bar = new TsfSkinScrollBar(Form);
    Bar->SetParent(Form);
    Bar->SetKind(sbVertical);
    Bar->SetBounds(200, 0, 19, 200);
    auto* Child = new TPanel(Box);
    Child->SetParent(Box);
    Child->SetBounds(0, 0, 100, 330);
    Box->SetVScrollBar(Bar);
    ShowAndWait(Form);
    Box->UpdateScrollRange();
    ASSERT_EQ(Box->ClientHeight(), 198);
    Box->VScroll(100);
    EXPECT_EQ(Child->Top(), -100);
    Form->SetClientHeight(250);  // the box grows by 50 and the content's bottom (230) is inside
    guitest::Pump();
    EXPECT_EQ(Box->ClientHeight(), 248);
    EXPECT_EQ(Child->Top(), -50);
    EXPECT_EQ(Bar->Position(), 50);
}

TEST_F(SkinBoxCtrlsTest, BarsOutliveTheirBoxAndBoxesTheirBars)
{
    TForm* Form = NewForm(100, 100, 300, 220);
    auto* Box = new TsfSkinScrollBox(Form);
    Box->SetParent(Form);
    auto* Bar = new TsfSkinScrollBar(Form);
    Bar->SetParent(Form);
    Box->SetVScrollBar(Bar);
    EXPECT_TRUE(Bar->OnChange);
    delete Box;  // the bar no longer reports to it
    EXPECT_FALSE(Bar->OnChange);
    EXPECT_FALSE(Bar->OnLastChange);
    Bar->SetRange(0, 100, 0, 0);
    Bar->SetPosition(50);
    EXPECT_EQ(Bar->Position(), 50);
    auto* Box2 = new TsfSkinScrollBox(Form);
    Box2->SetParent(Form);
    Box2->SetHScrollBar(Bar);
    delete Bar;  // the link is cleared
    EXPECT_EQ(Box2->HScrollBar(), nullptr);
    Box2->UpdateScrollRange();
}
