#include <gtest/gtest.h>

#include <string>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinExCtrls.h"

using namespace skintest;

namespace {

class SkinHorzListTest : public SkinFormTest {
protected:
    TsfSkinHorzListBox* NewList(TForm* Form, Integer N, Integer Width = 304)
    {
        auto* L = new TsfSkinHorzListBox(Form);
        L->SetParent(Form);
        L->SetBounds(10, 10, Width, 100);
        for (Integer I = 0; I < N; ++I) L->Items()->Add()->SetCaption(u"Item " + IntToStr(I));
        return L;
    }
};

}  // namespace

TEST_F(SkinHorzListTest, TenItemsInA300PixelAreaGetABarAndSelectionScrollsIntoView)
{
    TForm* Form = NewForm(100, 100, 400, 200);
    auto* L = NewList(Form, 4);
    ShowAndWait(Form);
    EXPECT_EQ(L->ScrollBar(), nullptr);  // four items fit
    for (Integer I = 4; I < 10; ++I) L->Items()->Add()->SetCaption(u"Item " + IntToStr(I));
    ASSERT_NE(L->ScrollBar(), nullptr);
    EXPECT_EQ(L->ScrollBar()->Height(), 19);
    EXPECT_EQ(L->ScrollBar()->Min(), 0);
    EXPECT_EQ(L->ScrollBar()->Max(), 700);
    EXPECT_EQ(L->ScrollBar()->PageSize(), 300);
    std::string Log;
    L->Items()->Items(8)->OnClick = [&](TObject* S) { Log += S == L ? "item;" : "?;"; };
    L->OnItemClick = [&](TObject*) { Log += "list;"; };
    L->SetItemIndex(8);
    EXPECT_EQ(Log, "item;list;");
    EXPECT_EQ(L->ScrollOffset(), (2 + 9 * 70) + 2 - 304 + 1);
    EXPECT_EQ(L->ItemRect(8).Right, 302 - 1);
    L->SetItemIndex(8);  // the same index fires again
    EXPECT_EQ(Log, "item;list;item;list;");
    L->SetItemIndex(1);  // left of the view: to the area's left edge
    EXPECT_EQ(L->ItemRect(1).Left, 2);
    // -1 keeps the marks.
    L->SetItemIndex(-1);
    EXPECT_TRUE(L->Items()->Items(1)->Active);
    // Removing items until they fit removes the bar.
    while (L->Items()->Count() > 3) L->Items()->Delete(L->Items()->Count() - 1);
    EXPECT_EQ(L->ScrollBar(), nullptr);
}

TEST_F(SkinHorzListTest, ClicksSelectEnabledItemsOnlyAndPaintTheSelection)
{
    TForm* Form = NewForm(100, 100, 400, 200);
    auto* L = NewList(Form, 3);
    L->Items()->Items(1)->SetEnabled(false);
    int Clicks = 0;
    L->OnItemClick = [&](TObject*) { ++Clicks; };
    ShowAndWait(Form);
    auto ClickAt = [&](Integer X) {
        guitest::MovePointer(L->ClientToScreen({X, 30}));
        guitest::LeftButton(true);
        guitest::Pump();
        guitest::LeftButton(false);
        guitest::Pump();
    };
    ClickAt(2 + 70 + 35);  // the disabled item: nothing
    EXPECT_EQ(L->ItemIndex(), -1);
    EXPECT_EQ(Clicks, 0);
    ClickAt(2 + 140 + 35);
    EXPECT_EQ(L->ItemIndex(), 2);
    EXPECT_EQ(Clicks, 1);
    auto Shot = CaptureControl(L);
    EXPECT_EQ(Shot->Pixel(2 + 140 + 5, 90), ScreenRGB(clHighlight));
    EXPECT_EQ(Shot->Pixel(2 + 5, 90), ScreenRGB(clWindow));
    EXPECT_EQ(Shot->Pixel(0, 50), ScreenRGB(clBtnShadow));
    // Keys skip the disabled item.
    ASSERT_TRUE(L->Focused());
    L->Perform(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(L->ItemIndex(), 0);
    L->Perform(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(L->ItemIndex(), 2);
}

TEST_F(SkinHorzListTest, WideningAfterScrollingToTheEndScrollsBack)
{
    TForm* Form = NewForm(100, 100, 500, 200);
    auto* L = NewList(Form, 10);
    ShowAndWait(Form);
    L->SetItemIndex(9);
    const Integer End = L->ScrollOffset();
    ASSERT_GT(End, 0);
    L->SetBounds(L->Left(), L->Top(), L->Width(), 120);  // height only: no change
    EXPECT_EQ(L->ScrollOffset(), End);
    L->SetBounds(L->Left(), L->Top(), L->Width() + 50, 120);
    EXPECT_EQ(L->ScrollOffset(), End - 51);
    EXPECT_EQ(L->CalcWidth(3), 3 * 70 + 5);
}
