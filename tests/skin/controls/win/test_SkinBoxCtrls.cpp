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
