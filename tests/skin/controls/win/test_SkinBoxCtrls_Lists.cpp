#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinBoxCtrls.h"

using namespace skintest;

namespace {

void Tap(WORD Key)
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = Key;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    guitest::Pump();
}

class SkinListsTest : public SkinFormTest {
protected:
    template <class T>
    T* Add(TForm* Form, Integer X, Integer Y, Integer W, Integer H, TsfSkinData* SD = nullptr)
    {
        auto* C = new T(Form);
        C->SetParent(Form);
        C->SetBounds(X, Y, W, H);
        if (SD) C->SetSkinData(SD);
        return C;
    }
    static void Fill(TStrings* S, Integer N, const char16_t* Prefix = u"Item ")
    {
        for (Integer i = 0; i < N; ++i) S->Add(String(Prefix) + IntToStr(i));
    }
};

}  // namespace

TEST_F(SkinListsTest, TheOverflowingItemCreatesTheBarAndDeletingItRemovesIt)
{
    TForm* Form = NewForm(100, 100, 200, 200);
    auto* L = Add<TsfSkinListBox>(Form, 10, 10, 120, 120);  // 116 pixels of list: 5 rows of 20
    ShowAndWait(Form);
    Fill(L->Items(), 5);
    EXPECT_EQ(L->ScrollBar(), nullptr);
    L->Items()->Add(u"one too many");
    ASSERT_NE(L->ScrollBar(), nullptr);
    EXPECT_TRUE(L->ScrollBar()->Visible());
    EXPECT_EQ(L->ScrollBar()->PageSize(), 5);
    EXPECT_EQ(L->ListBox()->Width(), 100 - 2);  // the bar took the right 20 pixels
    L->Items()->Delete(5);
    EXPECT_EQ(L->ScrollBar(), nullptr);
    EXPECT_EQ(L->ListBox()->Width(), 116);
    // The bar scrolls the list.
    Fill(L->Items(), 20);
    ASSERT_NE(L->ScrollBar(), nullptr);
    L->ScrollBar()->SetPosition(7);
    EXPECT_EQ(L->TopIndex(), 7);
    L->Clear();
    EXPECT_EQ(L->ScrollBar(), nullptr);
}

TEST_F(SkinListsTest, ItemsArePaintedFromTheirStateAndAnEmptyListOnlyHasBackground)
{
    TForm* Form = NewForm(100, 100, 200, 200);
    auto* L = Add<TsfSkinListBox>(Form, 10, 10, 120, 120);
    ShowAndWait(Form);
    // Empty: the background into the DC asked for, answered with the key.
    guitest::TDib Dib(50, 50);
    EXPECT_EQ(SendMessageW(L->ListBox()->Handle(), WM_PAINTBACKGROUNDINTO, WPARAM(Dib.DC()), PaintIntoKey),
              PaintIntoKey);
    EXPECT_EQ(Dib.Pixel(25, 25), ScreenRGB(clWindow));
    EXPECT_EQ(SendMessageW(L->ListBox()->Handle(), WM_PAINTFRAMEINTO, WPARAM(Dib.DC()), 0), PaintFrameIntoAnswer);
    Fill(L->Items(), 3);
    L->SetItemIndex(1);
    auto Shot = CaptureControl(L);
    // Inner list at (2, 2): item 1 spans rows 20..39 of it; its middle is highlighted.
    EXPECT_EQ(Shot->Pixel(60, 2 + 30), ScreenRGB(clHighlight));
    EXPECT_EQ(Shot->Pixel(60, 2 + 10), ScreenRGB(clWindow));
    EXPECT_EQ(Shot->Pixel(60, 2 + 90), ScreenRGB(clWindow));  // below the items
    EXPECT_EQ(Shot->Pixel(1, 60), ScreenRGB(clBtnShadow));     // the frame
}

TEST_F(SkinListsTest, RowCountSizesTheListAndAZeroSkinItemHeightCountsAsOne)
{
    TForm* Form = NewForm(100, 100, 300, 300);
    auto* L = Add<TsfSkinListBox>(Form, 10, 10, 120, 120);
    L->SetRowCount(5);
    EXPECT_EQ(L->Height(), 5 * 20 + 4);
    L->SetCaptionMode(true);
    L->SetRowCount(5);
    EXPECT_EQ(L->Height(), 5 * 20 + 4 + 20);
    // A skin whose list description has no item picture.
    TTestSkin Skin;
    const Integer Pic = Skin.AddPicture(60, 60, clSilver);
    auto* D = Skin.Add<TsfDataSkinListBox>(u"listbox");
    D->PictureIndex = Pic;
    D->SkinRect = Rect(0, 0, 60, 60);
    D->ClRect = Rect(3, 3, 57, 57);
    auto* Z = Add<TsfSkinListBox>(Form, 150, 10, 120, 120);
    Fill(Z->Items(), 40);
    ShowAndWait(Form);
    Z->SetSkinData(Skin.SD.get());
    EXPECT_EQ(Z->ItemHeight(), 1);
    Z->Repaint();  // paints without dividing by zero
    EXPECT_GE(Z->ListBox()->ItemHeight(), 1);
}

TEST_F(SkinListsTest, AWideItemBringsTheHorizontalBarAndArrowsScrollByADigit)
{
    TForm* Form = NewForm(100, 100, 300, 200);
    auto* L = Add<TsfSkinListBox>(Form, 10, 10, 120, 120);
    L->SetHorizontalExtent(true);
    ShowAndWait(Form);
    L->Items()->Add(u"short");
    EXPECT_EQ(L->HScrollBar(), nullptr);
    L->Items()->Add(u"a very long item text that cannot fit the list's width");
    L->UpDateScrollBar();
    ASSERT_NE(L->HScrollBar(), nullptr);
    const Integer Step = L->HScrollBar()->SmallChange();
    EXPECT_GT(Step, 0);
    L->ListBox()->SetFocus();
    ASSERT_TRUE(guitest::PumpUntil([&] { return L->ListBox()->Focused(); }));
    Tap(VK_RIGHT);
    EXPECT_EQ(L->ListBox()->FHorizontalExtentValue, Step);
    // Narrowing a scrolled list by 30 pixels scrolls 30 further.
    L->SetBounds(L->Left(), L->Top(), L->Width() - 30, L->Height());
    EXPECT_EQ(L->ListBox()->FHorizontalExtentValue, Step + 30);
    L->Items()->Delete(1);
    L->UpDateScrollBar();
    EXPECT_EQ(L->HScrollBar(), nullptr);
    EXPECT_EQ(L->ListBox()->FHorizontalExtentValue, 0);
}

TEST_F(SkinListsTest, HeldCaptionDownButtonRepeatsOnTheClockAndStopsAtTheEnd)
{
    TForm* Form = NewForm(100, 100, 200, 200);
    auto* L = Add<TsfSkinListBox>(Form, 10, 10, 120, 150);
    L->SetCaptionMode(true);
    Fill(L->Items(), 8);
    L->SetItemIndex(0);
    ShowAndWait(Form);
    // Buttons: up at the right end of the caption, down left of it.
    const Integer A = 17;
    const TPoint Down = L->ClientToScreen({120 - A - 2 - A / 2, 8});
    guitest::MovePointer(Down);
    guitest::LeftButton(true);
    guitest::Pump();
    EXPECT_EQ(L->ItemIndex(), 0);
    FClock.Clock.Advance(499);
    EXPECT_EQ(L->ItemIndex(), 0);
    FClock.Clock.Advance(1);  // the wait ends
    FClock.Clock.Advance(100);
    EXPECT_EQ(L->ItemIndex(), 1);
    FClock.Clock.Advance(300);
    EXPECT_EQ(L->ItemIndex(), 4);
    FClock.Clock.Advance(1000);
    EXPECT_EQ(L->ItemIndex(), 7);  // stops at the last item
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_EQ(L->ItemIndex(), 7);
    EXPECT_FALSE(FClock.Clock.TimerRunning(L, 1));
    // With OnDownButtonClick the button fires once on release and never repeats.
    int Clicks = 0;
    L->OnDownButtonClick = [&](TObject*) { ++Clicks; };
    L->SetItemIndex(2);
    guitest::LeftButton(true);
    guitest::Pump();
    FClock.Clock.Advance(2000);
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(L->ItemIndex(), 2);
}
