#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/model/win/SFUtils_Win.h"

#include <string>

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

TEST_F(SkinListsTest, TheCaptionGlyphGoesBeforeTheTextAndShowsItsSecondFrameWhileDisabled)
{
    TForm* Form = NewForm(100, 100, 200, 200);
    auto* L = Add<TsfSkinListBox>(Form, 10, 10, 150, 120);
    L->SetCaptionMode(true);
    L->SetShowCaptionButtons(false);
    L->SetCaption(u"Title");
    // Two 8 x 8 frames on a fuchsia key: a red square, then a lime one.
    TBitmap G;
    G.SetPixelFormat(pf24bit);
    G.SetSize(16, 8);
    G.Canvas()->Brush()->SetColor(clFuchsia);
    G.Canvas()->FillRect(Rect(0, 0, 16, 8));
    G.Canvas()->Brush()->SetColor(clRed);
    G.Canvas()->FillRect(Rect(2, 2, 6, 6));
    G.Canvas()->Brush()->SetColor(clLime);
    G.Canvas()->FillRect(Rect(10, 2, 14, 6));
    L->SetGlyph(&G);
    L->SetNumGlyphs(2);
    L->SetSpacing(2);
    ShowAndWait(Form);
    auto Count = [](const guitest::TDib& Shot, Integer X1, Integer X2, TColor C) {
        int N = 0;
        for (Integer Y = 2; Y < 18; ++Y)
            for (Integer X = X1; X < X2; ++X) N += Shot.Pixel(X, Y) == ScreenRGB(C);
        return N;
    };
    const TColor Text = L->DefaultCaptionFont()->Color();
    // Left aligned: the glyph at x 3..10, the text from 3 + 8 + 2 on.
    EXPECT_TRUE(guitest::PumpUntil([&] {
        auto Shot = CaptureControl(L);
        return Count(*Shot, 3, 11, clRed) == 16 && Count(*Shot, 0, 150, clLime) == 0 &&
               Count(*Shot, 0, 150, clFuchsia) == 0 && Count(*Shot, 0, 13, Text) == 0 &&
               Count(*Shot, 13, 60, Text) > 10;
    }));
    L->SetEnabled(false);
    EXPECT_TRUE(guitest::PumpUntil([&] {
        auto Shot = CaptureControl(L);
        return Count(*Shot, 3, 11, clLime) == 16 && Count(*Shot, 0, 150, clRed) == 0;
    })) << "the second frame while disabled";
    L->SetEnabled(true);
    // Right aligned: the glyph moves with the text to the right edge.
    L->SetAlignment(taRightJustify);
    EXPECT_TRUE(guitest::PumpUntil([&] {
        auto Shot = CaptureControl(L);
        return Count(*Shot, 3, 60, clRed) == 0 && Count(*Shot, 60, 148, clRed) == 16;
    }));
}

TEST_F(SkinListsTest, TypingSearchesTheItemsByTheKeysTypedTogether)
{
    TForm* Form = NewForm(100, 100, 200, 200);
    auto* L = Add<TsfSkinListBox>(Form, 10, 10, 150, 120);
    for (const char16_t* S : {u"apple", u"banana", u"bbq", u"berry", u"cherry"}) L->Items()->Add(S);
    int Clicks = 0;
    L->OnListBoxClick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, L);
        ++Clicks;
    };
    EXPECT_TRUE(L->AutoComplete());
    ShowAndWait(Form);
    guitest::MovePointer(L->ListBox()->ClientToScreen({20, 10}));
    guitest::LeftButton(true);
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return L->ListBox()->Focused() && L->ItemIndex() == 0; }));
    Clicks = 0;
    auto Type = [](Char Ch) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wScan = in[1].ki.wScan = WORD(Ch);
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        guitest::Pump();
    };
    struct Step {
        Char Key;
        Cardinal Wait;
        Integer Index;
    } const Steps[] = {{u'b', 0, 1}, {u'b', 100, 2}, {u'b', 500, 3}, {u'x', 0, 3}, {u'c', 500, 4}};
    for (const Step& K : Steps) {
        FClock.Clock.Advance(K.Wait);
        Type(K.Key);
        EXPECT_EQ(L->ItemIndex(), K.Index) << char(K.Key);
    }
    EXPECT_EQ(Clicks, 4);
}

TEST_F(SkinListsTest, TheInnerListDragsAndTakesDropsThroughTheListBoxSettings)
{
    TForm* Form = NewForm(100, 100, 330, 200);
    auto* From = Add<TsfSkinListBox>(Form, 10, 10, 140, 120);
    auto* To = Add<TsfSkinListBox>(Form, 170, 10, 140, 120);
    Fill(From->Items(), 3);
    From->SetListBoxDragMode(dmAutomatic);
    From->SetListBoxDragCursor(crHandPoint);
    EXPECT_EQ(From->ListBox()->DragMode(), dmAutomatic);
    EXPECT_EQ(From->ListBoxDragCursor(), crHandPoint);
    std::string Log;
    TObject* Dropped = nullptr;
    From->OnListBoxStartDrag() = [&](TObject* Sender, TDragObject*&) {
        if (Sender == From->ListBox()) Log += "start;";
    };
    To->OnListBoxDragOver() = [&](TObject*, TObject* Source, Integer, Integer, TDragState, bool& Accept) {
        Accept = Source == From->ListBox();
    };
    To->OnListBoxDragDrop() = [&](TObject* Sender, TObject* Source, Integer, Integer) {
        if (Sender == To->ListBox()) Log += "drop;";
        Dropped = Source;
    };
    From->OnListBoxEndDrag() = [&](TObject*, TObject* Target, Integer, Integer) {
        if (Target == To->ListBox()) Log += "end;";
    };
    ShowAndWait(Form);
    guitest::MovePointer(From->ListBox()->ClientToScreen({20, 30}));
    guitest::LeftButton(true);
    guitest::Pump();
    for (Integer X = 30; X <= 200; X += 17) guitest::MovePointer(From->ListBox()->ClientToScreen({X, 30}));
    guitest::MovePointer(To->ListBox()->ClientToScreen({40, 30}));
    guitest::LeftButton(false);
    EXPECT_TRUE(guitest::PumpUntil([&] { return Log == "start;drop;end;"; })) << Log;
    EXPECT_EQ(Dropped, From->ListBox());
}

TEST_F(SkinListsTest, WithoutCaptionButtonsTheCaptionBandCoversWhereTheSkinDrewThem)
{
    // Caption band green between the top corner points (x 5..70), the right
    // corner blue with the up button's picture in fuchsia at 80..95.
    TTestSkin Skin;
    const Integer Pic = Skin.AddPicture(100, 60, clGray);
    Skin.FillRect(Pic, Rect(5, 0, 70, 20), clGreen);
    Skin.FillRect(Pic, Rect(70, 0, 100, 20), clBlue);
    Skin.FillRect(Pic, Rect(80, 3, 95, 17), clFuchsia);
    auto* D = Skin.Add<TsfDataSkinListBox>(u"listbox");
    D->PictureIndex = Pic;
    D->SkinRect = Rect(0, 0, 100, 60);
    D->ClRect = Rect(3, 20, 97, 57);
    D->LTPoint = {5, 20};
    D->RTPoint = {70, 20};
    D->LBPoint = {5, 57};
    D->RBPoint = {95, 57};
    D->UpButtonRect = Rect(80, 3, 95, 17);
    D->SItemRect = Rect(0, 0, 0, 0);
    TForm* Form = NewForm(100, 100, 330, 200);
    auto* With = Add<TsfSkinListBox>(Form, 10, 10, 140, 100);
    auto* Without = Add<TsfSkinListBox>(Form, 170, 10, 140, 100);
    for (auto* L : {With, Without}) L->SetCaptionMode(true);
    Without->SetShowCaptionButtons(false);
    ShowAndWait(Form);
    With->SetSkinData(Skin.SD.get());
    Without->SetSkinData(Skin.SD.get());
    // 40 pixels wider than the skin: the button sits at 120..135.
    EXPECT_TRUE(guitest::PumpUntil([&] {
        auto A = CaptureControl(With), B = CaptureControl(Without);
        return A->Pixel(127, 10) == ScreenRGB(clFuchsia) && B->Pixel(127, 10) == ScreenRGB(clGreen) &&
               B->Pixel(60, 10) == ScreenRGB(clGreen) && B->Pixel(137, 10) == ScreenRGB(clBlue);
    }));
}

namespace {

class SkinComboTest : public SkinListsTest {
protected:
    TsfSkinComboBox* NewCombo(TForm* Form, Integer N, Integer Y = 10)
    {
        auto* C = Add<TsfSkinComboBox>(Form, 10, Y, 120, 20);
        Fill(C->Items(), N);
        return C;
    }
    void Type(Char Ch)
    {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wScan = in[1].ki.wScan = WORD(Ch);
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        guitest::Pump();
    }
};

}  // namespace

TEST_F(SkinComboTest, OpeningShowsAtMostDropDownCountRowsAndKeepsTheFormActive)
{
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* Empty = NewCombo(Form, 0, 40);
    auto* C = NewCombo(Form, 3);
    int Drops = 0;
    Empty->OnDropDown = C->OnDropDown = [&](TObject*) { ++Drops; };
    ShowAndWait(Form);
    HWND Active = GetActiveWindow();
    Empty->DropDown();
    EXPECT_FALSE(Empty->IsPopupVisible());
    EXPECT_EQ(Drops, 0);
    C->DropDown();
    ASSERT_TRUE(C->IsPopupVisible());
    EXPECT_EQ(Drops, 1);
    EXPECT_EQ(C->ListBox()->Height(), 3 * 20 + 4);
    EXPECT_EQ(C->ListBox()->ScrollBar(), nullptr);
    EXPECT_EQ(GetActiveWindow(), Active) << "the popup never takes the activation";
    RECT R;
    GetWindowRect(C->ListBox()->Handle(), &R);
    EXPECT_EQ(R.top, C->ClientToScreen({0, 0}).Y + 20);  // below the combo
    C->CloseUp(false);
    Fill(C->Items(), 17, u"More ");
    C->DropDown();
    EXPECT_EQ(C->ListBox()->Height(), 8 * 20 + 4);
    EXPECT_NE(C->ListBox()->ScrollBar(), nullptr);
    C->CloseUp(false);
    EXPECT_FALSE(C->IsPopupVisible());
}

TEST_F(SkinComboTest, TheDropDownFadesInOnTheClockAndTakesTheListSettings)
{
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* C = NewCombo(Form, 3);
    C->SetListBoxUseSkinItemHeight(false);
    C->SetListBoxDefaultItemHeight(30);
    ShowAndWait(Form);
    auto Layered = [&] {
        return (GetWindowLongPtrW(C->ListBox()->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    };
    auto WindowAlpha = [&] {
        BYTE A = 0;
        DWORD Flags = 0;
        GetLayeredWindowAttributes(C->ListBox()->Handle(), nullptr, &A, &Flags);
        return Integer(A);
    };
    C->DropDown();
    ASSERT_TRUE(C->IsPopupVisible());
    EXPECT_FALSE(Layered()) << "opaque unless asked";
    EXPECT_EQ(C->ListBox()->Height(), 3 * 30 + 4) << "the list's item height passes through";
    C->CloseUp(false);

    struct Case {
        bool Animation;
        Integer Value, AfterOpen, After5Ms, After200Ms;
    } const Cases[] = {
        {false, 200, 200, 200, 200},
        {true, 200, 0, 13, 200},
        {true, 10, 0, 1, 10},
        {true, 200, 0, 13, 200},  // again: every opening fades from nothing
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Value);
        C->SetListBoxAlphaBlend(true);
        C->SetListBoxAlphaBlendAnimation(K.Animation);
        C->SetListBoxAlphaBlendValue(Byte(K.Value));
        C->DropDown();
        ASSERT_TRUE(C->IsPopupVisible());
        EXPECT_TRUE(Layered());
        EXPECT_EQ(WindowAlpha(), K.AfterOpen);
        FClock.Clock.Advance(5);
        EXPECT_EQ(WindowAlpha(), K.After5Ms);
        FClock.Clock.Advance(200);
        EXPECT_EQ(WindowAlpha(), K.After200Ms);
        EXPECT_EQ(FClock.Clock.TimerInterval(C->ListBox(), 9), 0u) << "the fade stops at its target";
        C->CloseUp(false);
    }
    // Closed halfway: the fade stops with the window hidden.
    C->DropDown();
    FClock.Clock.Advance(5);
    C->CloseUp(false);
    FClock.Clock.Advance(200);
    EXPECT_EQ(WindowAlpha(), 13);
    C->SetListBoxAlphaBlend(false);
    C->DropDown();
    EXPECT_FALSE(Layered());
    C->CloseUp(false);
}

TEST_F(SkinComboTest, NearTheScreenBottomTheListOpensAbove)
{
    TRect Work;
    GetScreenRect(true, Work);
    TForm* Form = NewForm(100, Work.Bottom - 80, 250, 60);
    auto* C = NewCombo(Form, 10);
    ShowAndWait(Form);
    C->DropDown();
    ASSERT_TRUE(C->IsPopupVisible());
    RECT R;
    GetWindowRect(C->ListBox()->Handle(), &R);
    const Integer Top = C->ClientToScreen({0, 0}).Y;
    EXPECT_EQ(R.bottom, Top);
    EXPECT_EQ(R.top, Top - C->ListBox()->Height());
    C->CloseUp(false);
}

TEST_F(SkinComboTest, AcceptingTheSameItemFiresNoChangeButClickAndCloseUp)
{
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* C = NewCombo(Form, 5);
    C->SetItemIndex(2);
    std::string Log;
    C->OnChange = [&](TObject*) { Log += "change;"; };
    C->OnClick = [&](TObject*) { Log += "click;"; };
    C->OnCloseUp = [&](TObject*) { Log += "closeup;"; };
    ShowAndWait(Form);
    C->DropDown();
    C->CloseUp(true);
    EXPECT_EQ(Log, "click;closeup;");
    Log.clear();
    C->DropDown();
    C->ListBox()->SetItemIndex(4);
    C->CloseUp(true);
    EXPECT_EQ(Log, "change;click;closeup;");
    EXPECT_EQ(C->Text(), u"Item 4");
    // Cancelling returns to the item held when the list opened.
    C->DropDown();
    C->ListBox()->SetItemIndex(0);
    C->CloseUp(false);
    EXPECT_EQ(C->ItemIndex(), 4);
}

TEST_F(SkinComboTest, KeysStepTheSelectionAndTypingSearchesByPrefix)
{
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* C = Add<TsfSkinComboBox>(Form, 10, 10, 120, 20);
    for (const char16_t* S : {u"apple", u"banana", u"bbq", u"berry", u"cherry"}) C->Items()->Add(S);
    ShowAndWait(Form);
    C->SetFocus();
    ASSERT_TRUE(guitest::PumpUntil([&] { return C->Focused(); }));
    Type(u'b');
    EXPECT_EQ(C->ItemIndex(), 1);
    Type(u'b');  // quickly: "bb"
    EXPECT_EQ(C->ItemIndex(), 2);
    EXPECT_EQ(C->Text(), u"bbq");
    FClock.Clock.Advance(500);
    Type(u'b');  // alone again: from after the current item
    EXPECT_EQ(C->ItemIndex(), 3);
    Tap(VK_END);  // not a step key: nothing
    Tap(VK_DOWN);
    EXPECT_EQ(C->ItemIndex(), 4);
    Tap(VK_DOWN);  // the last item: nothing
    EXPECT_EQ(C->ItemIndex(), 4);
    Tap(VK_PRIOR);
    EXPECT_EQ(C->ItemIndex(), 0);
    // The wheel changes nothing.
    SendMessageW(C->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0);
    EXPECT_EQ(C->ItemIndex(), 0);
}

TEST_F(SkinComboTest, SettingTheStyleTwiceLeavesOneEdit)
{
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* C = NewCombo(Form, 3);
    ShowAndWait(Form);
    auto Edits = [&] {
        int N = 0;
        for (Integer I = 0; I < C->ControlCount(); ++I) N += dynamic_cast<TCustomEdit*>(C->Controls(I)) != nullptr;
        return N;
    };
    C->SetStyle(sfcbEditStyle);
    TCustomEdit* First = C->Edit();
    C->SetStyle(sfcbEditStyle);
    EXPECT_EQ(C->Edit(), First);
    EXPECT_EQ(Edits(), 1);
    // Typing into the edit selects the item it starts.
    First->SetText(u"Item 2");
    EXPECT_EQ(C->ListBox()->ItemIndex(), 2);
    EXPECT_EQ(C->Text(), u"Item 2");
    C->SetStyle(sfcbFixedStyle);
    EXPECT_EQ(C->Edit(), nullptr);
    EXPECT_EQ(Edits(), 0);
}

TEST_F(SkinComboTest, TheEditCompletesTypedTextOnKeyReleaseByItsCharsetRule)
{
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* C = Add<TsfSkinComboBox>(Form, 10, 10, 160, 20);
    for (const char16_t* S : {u"apple", u"banana", u"bbq", u"berry", u"cherry"}) C->Items()->Add(S);
    C->SetStyle(sfcbEditStyle);
    C->SetCharCase(ecLowerCase);
    C->SetHideSelection(false);
    ShowAndWait(Form);
    TsfCustomEdit* E = C->Edit();
    ASSERT_NE(E, nullptr);
    EXPECT_EQ(E->CharCase(), ecLowerCase);
    EXPECT_FALSE(E->HideSelection());
    EXPECT_NE(GetWindowLongW(E->Handle(), GWL_STYLE) & ES_LOWERCASE, 0);
    C->SetCharCase(ecNormal);
    EXPECT_EQ(E->CharCase(), ecNormal);
    guitest::MovePointer(E->ClientToScreen({10, 5}));
    guitest::LeftButton(true);
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return E->Focused(); }));
    auto Selection = [&] {
        return UTF8Encode(E->Text()) + "|" + std::to_string(E->SelStart()) + "+" + std::to_string(E->SelLength());
    };
    Type(u'b');  // the first item it starts, the added part selected
    EXPECT_EQ(Selection(), "banana|1+5");
    EXPECT_EQ(C->ItemIndex(), 1);
    Type(u'e');  // within 200 ms of the last completion: the typed text only
    EXPECT_EQ(Selection(), "be|2+0");
    FClock.Clock.Advance(200);
    Type(u'r');
    EXPECT_EQ(Selection(), "berry|3+2");
    EXPECT_EQ(C->ItemIndex(), 3);
    FClock.Clock.Advance(200);
    Tap(VK_BACK);  // removes the completion and never completes again
    EXPECT_EQ(Selection(), "ber|3+0");
    // After a Shift release with a completion selected: an input-method charset
    // drops the selected part first (and the completion waits 200 ms), others keep it.
    struct Case {
        Byte Charset;
        const char* After;
    } const Cases[] = {{DEFAULT_CHARSET, "berry|3+2"}, {GB2312_CHARSET, "ber|3+0"}, {SHIFTJIS_CHARSET, "ber|3+0"}};
    for (const Case& K : Cases) {
        SCOPED_TRACE(Integer(K.Charset));
        C->DefaultFont()->SetCharset(K.Charset);
        E->SetText(u"be");
        E->SetSelStart(2);
        FClock.Clock.Advance(200);
        Type(u'r');
        ASSERT_EQ(Selection(), "berry|3+2");
        Tap(VK_SHIFT);
        EXPECT_EQ(Selection(), K.After);
    }
    C->DefaultFont()->SetCharset(DEFAULT_CHARSET);
    // Without AutoComplete the typed text stays as it is.
    C->SetAutoComplete(false);
    E->SetText(u"");
    FClock.Clock.Advance(200);
    Type(u'c');
    EXPECT_EQ(Selection(), "c|1+0");
}

TEST_F(SkinComboTest, TheEditTakesTheSkinsColoursAndPaintsIntoAnotherDC)
{
    // A combo skin with an active look: grey frame, silver when active, a
    // magenta button; text red, active blue; a disabled edit text green.
    TTestSkin Skin;
    const Integer Pic = Skin.AddPicture(60, 40, clGray);
    Skin.FillRect(Pic, Rect(0, 20, 60, 40), clSilver);
    Skin.FillRect(Pic, Rect(42, 2, 58, 18), clFuchsia);
    Skin.FillRect(Pic, Rect(2, 2, 40, 18), clWhite);
    auto* D = Skin.Add<TsfDataSkinComboBox>(u"combobox");
    D->PictureIndex = Pic;
    D->SkinRect = Rect(0, 0, 60, 20);
    D->ActiveSkinRect = Rect(0, 20, 60, 40);
    D->ClRect = Rect(2, 2, 40, 18);
    D->LTPoint = {2, 2};
    D->RTPoint = {40, 2};
    D->LBPoint = {2, 18};
    D->RBPoint = {40, 18};
    D->ButtonRect = Rect(42, 2, 58, 18);
    D->FontName = u"Arial";
    D->FontHeight = 14;
    D->FontColor = clRed;
    D->ActiveFontColor = clBlue;
    auto* ED = Skin.Add<TsfDataSkinEditControl>(u"edit");
    ED->DisabledFontColor = clGreen;
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* Other = NewCombo(Form, 2, 60);
    auto* C = NewCombo(Form, 3);
    C->SetStyle(sfcbEditStyle);
    C->SetItemIndex(1);
    ShowAndWait(Form);
    C->SetSkinData(Skin.SD.get());
    TsfCustomEdit* E = C->Edit();
    EXPECT_EQ(E->Font()->Color(), clRed);
    EXPECT_TRUE(E->EditTransparent());
    auto CountColour = [](const guitest::TDib& Dib, const TRect& R, TColor Colour) {
        int N = 0;
        for (Integer Y = R.Top; Y < R.Bottom; ++Y)
            for (Integer X = R.Left; X < R.Right; ++X) N += Dib.Pixel(X, Y) == ScreenRGB(Colour);
        return N;
    };
    // Focused by a click: the active look and text colour; leaving: back.
    guitest::MovePointer(E->ClientToScreen({10, 5}));
    guitest::LeftButton(true);
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return E->Focused(); }));
    EXPECT_EQ(E->Font()->Color(), clBlue);
    E->SetSelStart(0);  // the text, not the selection's colours
    const TRect EditR = E->BoundsRect();
    EXPECT_TRUE(guitest::PumpUntil([&] {
        auto Shot = CaptureControl(C);
        return Shot->Pixel(5, 19) == ScreenRGB(clSilver) && CountColour(*Shot, EditR, clBlue) > 5;
    })) << "active frame and blue text on the screen";
    Other->SetFocus();
    ASSERT_TRUE(guitest::PumpUntil([&] { return !E->Focused(); }));
    EXPECT_EQ(E->Font()->Color(), clRed);
    // Hovering the button of the unfocused combo turns the text active too.
    guitest::MovePointer(C->ClientToScreen({C->Width() - 8, 10}));
    EXPECT_TRUE(guitest::PumpUntil([&] { return E->Font()->Color() == clBlue; }));
    guitest::MovePointer(C->ClientToScreen({C->Width() - 8, 120}));
    EXPECT_TRUE(guitest::PumpUntil([&] { return E->Font()->Color() == clRed; }));
    // Asked to paint into another DC: the look, then the edit's text at its place.
    guitest::TDib Dib(C->Width(), C->Height());
    EXPECT_EQ(SendMessageW(C->Handle(), WM_ERASEBKGND, WPARAM(Dib.DC()), 0), 1);
    EXPECT_EQ(Dib.Pixel(C->Width() - 10, 10), ScreenRGB(clFuchsia));
    EXPECT_EQ(Dib.Pixel(1, 1), ScreenRGB(clGray));
    EXPECT_GT(CountColour(Dib, EditR, clRed), 5) << "the edit's text";
    C->SetEnabled(false);
    EXPECT_EQ(E->Font()->Color(), clGreen);
    C->SetEnabled(true);
    EXPECT_EQ(E->Font()->Color(), clRed);
}

namespace {

// A combo skin of 60 x 20 (grey, white item area, no button picture of its
// own) with two resizable button descriptions: "combobutton" (yellow, hot
// aqua, pressed lime) and "resizetoolbutton" (olive, hot teal, down navy)
// whose drop marker is a maroon square on a fuchsia key.
struct TResizeSkin {
    TTestSkin Skin;
    TResizeSkin()
    {
        const Integer Pic = Skin.AddPicture(100, 100, clGray);
        Skin.FillRect(Pic, Rect(2, 2, 40, 18), clWhite);
        auto* D = Skin.Add<TsfDataSkinComboBox>(u"combobox");
        D->PictureIndex = Pic;
        D->SkinRect = Rect(0, 0, 60, 20);
        D->ClRect = Rect(2, 2, 40, 18);
        D->LTPoint = {2, 2};  // stretched sideways only
        D->RTPoint = {40, 2};
        D->ButtonRect = Rect(42, 2, 58, 18);
        D->ItemTextRect = Rect(0, 0, 38, 16);
        D->FontColor = clBlack;
        auto Button = [&](const char16_t* Name, Integer X, TColor N, TColor A, TColor Dn) {
            Skin.FillRect(Pic, Rect(X, 20, X + 10, 30), N);
            Skin.FillRect(Pic, Rect(X, 30, X + 10, 40), A);
            Skin.FillRect(Pic, Rect(X, 40, X + 10, 50), Dn);
            auto* B = Skin.Add<TsfDataSkinButtonControl>(Name);
            B->PictureIndex = Pic;
            B->SkinRect = Rect(X, 20, X + 10, 30);
            B->ActiveSkinRect = Rect(X, 30, X + 10, 40);
            B->DownSkinRect = Rect(X, 40, X + 10, 50);
            B->LTPoint = {3, 3};
            B->RTPoint = {7, 3};
            B->LBPoint = {3, 7};
            B->RBPoint = {7, 7};
            B->ClRect = Rect(3, 3, 7, 7);
            B->FontColor = B->ActiveFontColor = B->DownFontColor = clBlack;
            return B;
        };
        Button(u"combobutton", 0, clYellow, clAqua, clLime);
        auto* T = Button(u"resizetoolbutton", 20, clOlive, clTeal, clNavy);
        Skin.FillRect(Pic, Rect(40, 60, 46, 66), clFuchsia);
        Skin.FillRect(Pic, Rect(41, 61, 45, 65), clMaroon);
        T->MenuMarkerRect = Rect(40, 60, 46, 66);
        T->MenuMarkerTransparentColor = clFuchsia;
    }
};

}  // namespace

TEST_F(SkinComboTest, WithoutSkinSizeTheLookStretchesAndTheButtonComesFromAButtonDescription)
{
    TResizeSkin R;
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* Sized = NewCombo(Form, 3, 10);
    auto* C = NewCombo(Form, 3, 50);
    C->SetUseSkinSize(false);
    Sized->SetBounds(10, 10, 120, 40);
    C->SetBounds(10, 50, 120, 40);
    ShowAndWait(Form);
    Sized->SetSkinData(R.Skin.SD.get());
    C->SetSkinData(R.Skin.SD.get());
    EXPECT_EQ(Sized->Height(), 20) << "the skin's height";
    EXPECT_EQ(C->Height(), 40) << "the height asked";
    // The button: right of the stretched item area, down to 2 pixels above the bottom.
    const Integer BX = 120 - 60 + 50;
    EXPECT_TRUE(guitest::PumpUntil([&] {
        auto Shot = CaptureControl(C);
        return Shot->Pixel(BX, 6) == ScreenRGB(clYellow) && Shot->Pixel(BX, 36) == ScreenRGB(clYellow) &&
               Shot->Pixel(BX, 39) == ScreenRGB(clGray) && Shot->Pixel(20, 30) == ScreenRGB(clWhite);
    })) << "stretched frame, item area and yellow button";
    guitest::MovePointer(C->ClientToScreen({BX, 6}));
    EXPECT_TRUE(guitest::PumpUntil([&] { return CaptureControl(C)->Pixel(BX, 6) == ScreenRGB(clAqua); }))
        << "hot button";
    guitest::LeftButton(true);
    guitest::Pump();
    EXPECT_TRUE(C->IsPopupVisible());
    EXPECT_TRUE(guitest::PumpUntil([&] { return CaptureControl(C)->Pixel(BX, 6) == ScreenRGB(clLime); }))
        << "pressed button";
    guitest::LeftButton(false);
    guitest::Pump();
    C->CloseUp(false);
}

TEST_F(SkinComboTest, TheToolButtonStyleDrawsTheWholeControlAsAButtonThatOpensTheList)
{
    TResizeSkin R;
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* Other = NewCombo(Form, 3, 100);
    auto* C = NewCombo(Form, 3);
    C->SetStyle(sfcbEditStyle);
    C->SetItemIndex(0);
    C->SetToolButtonStyle(true);
    EXPECT_EQ(C->Style(), sfcbFixedStyle);
    EXPECT_EQ(C->Edit(), nullptr);
    EXPECT_FALSE(C->UseSkinSize());
    C->SetUseSkinSize(true);
    EXPECT_FALSE(C->UseSkinSize()) << "a tool button has no skin size";
    C->SetBounds(10, 10, 120, 30);
    ShowAndWait(Form);
    Other->SetFocus();
    guitest::MovePointer(C->ClientToScreen({60, 80}));
    // Built-in look: framed face, navy frame while hovered, darker while open.
    struct Look {
        TColor Frame, Face;
    } const Normal{clBtnShadow, clBtnFace}, Hot{TColor(0x800000), TColor(0xD2BDB6)},
        Open{TColor(0x800000), TColor(0xB59385)};
    auto Shows = [&](const Look& L) {
        return guitest::PumpUntil([&] {
            auto Shot = CaptureControl(C);
            return Shot->Pixel(0, 15) == ScreenRGB(L.Frame) && Shot->Pixel(1, 28) == ScreenRGB(L.Face);
        });
    };
    EXPECT_TRUE(Shows(Normal));
    guitest::MovePointer(C->ClientToScreen({20, 15}));  // over the text, not a button part
    EXPECT_TRUE(Shows(Hot));
    guitest::LeftButton(true);
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return C->IsPopupVisible(); })) << "a press anywhere opens the list";
    EXPECT_TRUE(Shows(Open));
    C->CloseUp(false);
    Other->SetFocus();
    guitest::MovePointer(C->ClientToScreen({60, 80}));
    // Skinned: the tool button description stretched, its marker picture centred in the last 15 pixels.
    C->SetSkinData(R.Skin.SD.get());
    EXPECT_EQ(C->Height(), 30);
    EXPECT_TRUE(guitest::PumpUntil([&] {
        auto Shot = CaptureControl(C);
        return Shot->Pixel(1, 15) == ScreenRGB(clOlive) &&
               Shot->Pixel(120 - 8, 15) == ScreenRGB(clMaroon) && Shot->Pixel(120 - 8 - 3, 12) != ScreenRGB(clFuchsia);
    })) << "olive face with the maroon marker, its fuchsia key left out";
    C->DropDown();
    EXPECT_TRUE(guitest::PumpUntil([&] { return CaptureControl(C)->Pixel(1, 15) == ScreenRGB(clNavy); }));
    C->CloseUp(false);
}

TEST_F(SkinComboTest, ImagesTabsAndItemDrawingPassToTheDropDownList)
{
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* Other = NewCombo(Form, 1, 60);
    auto* C = NewCombo(Form, 3);
    TBitmap Red;
    Red.SetPixelFormat(pf24bit);
    Red.SetSize(12, 12);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect(Rect(0, 0, 12, 12));
    auto* List = new TImageList(Form, 12, 12);
    List->Add(&Red);
    C->SetImages(List);
    C->SetImageIndex(0);
    EXPECT_EQ(C->ListBox()->Images(), List);
    EXPECT_EQ(C->ListBox()->ImageIndex(), 0);
    TStringList Tabs;
    Tabs.Add(u"40");
    C->SetTabWidths(&Tabs);
    EXPECT_EQ(C->ListBox()->TabWidths()->Count(), 1);
    C->SetHorizontalExtent(true);
    EXPECT_TRUE(C->ListBox()->HorizontalExtent());
    C->OnListBoxDrawItem() = [](TCanvas* Cnvs, Integer, Integer W, Integer H, const TRect&, TOwnerDrawState) {
        Cnvs->Brush()->SetColor(clLime);
        Cnvs->FillRect(Rect(0, 0, W, H));
    };
    C->SetItemIndex(1);
    ShowAndWait(Form);
    Other->SetFocus();
    // The item area: the image at the text's left, vertically centred (item area 2..18).
    EXPECT_TRUE(guitest::PumpUntil([&] { return CaptureControl(C)->Pixel(2 + 2 + 6, 10) == ScreenRGB(clRed); }));
    C->DropDown();
    ASSERT_TRUE(C->IsPopupVisible());
    EXPECT_TRUE(guitest::PumpUntil([&] { return CaptureControl(C->ListBox())->Pixel(60, 10) == ScreenRGB(clLime); }))
        << "the list's items drawn by the event";
    C->CloseUp(false);
}

TEST_F(SkinComboTest, ListHelpersSelectByExactTextAndStepEnabledBarsOnly)
{
    TForm* Form = NewForm(100, 100, 250, 150);
    auto* C = Add<TsfSkinComboBox>(Form, 10, 10, 120, 20);
    for (const char16_t* S : {u"Low", u"Medium", u"High"}) C->Items()->Add(S);
    int Clicks = 0;
    C->OnClick = [&](TObject*) { ++Clicks; };
    struct Case {
        const char16_t* Text;
        Integer Index;
    } Cases[] = {{u"medium", -1}, {u"Medium", 1}, {u"HIGH", 1}, {u"High", 2}, {u"", 2}};
    for (const Case& K : Cases) {
        SelectComboItemByText(C, K.Text);
        EXPECT_EQ(C->ItemIndex(), K.Index) << UTF8Encode(K.Text);
    }
    EXPECT_EQ(Clicks, 2);
    auto* Bar = Add<TsfSkinScrollBar>(Form, 10, 50, 150, 19);
    Bar->SetRange(0, 100, 50, 10);
    Bar->SetSmallChange(5);
    bool Handled = false;
    ScrollBarWheelStep(Bar, true, Handled, {0, 0});
    EXPECT_TRUE(Handled);
    EXPECT_EQ(Bar->Position(), 55);
    Bar->SetEnabled(false);
    Handled = false;
    ScrollBarWheelStep(Bar, false, Handled, {0, 0});
    EXPECT_TRUE(Handled);
    EXPECT_EQ(Bar->Position(), 55);
}

TEST_F(SkinComboTest, FontCombosListFamiliesAndSizes)
{
    TForm* Form = NewForm(100, 100, 300, 150);
    auto* F = Add<TsfSkinFontComboBox>(Form, 10, 10, 150, 20);
    auto* S = Add<TsfSkinFontSizeComboBox>(Form, 170, 10, 60, 20);
    ShowAndWait(Form);
    ASSERT_GT(F->Items()->Count(), 0);
    const Integer Arial = F->Items()->IndexOf(u"Arial");
    ASSERT_NE(Arial, -1);
    int Changes = 0;
    F->OnChange = [&](TObject*) { ++Changes; };
    F->SetFontName(u"arial");  // its own spelling is selected
    EXPECT_EQ(F->FontName(), u"Arial");
    const int AfterSelect = Changes;
    EXPECT_GE(AfterSelect, 1);
    F->SetFontName(u"Arial");  // the same: nothing
    EXPECT_EQ(Changes, AfterSelect);
    F->SetFontName(u"No Such Family");
    EXPECT_EQ(F->ItemIndex(), -1);
    EXPECT_EQ(F->FontName(), u"Arial");
    EXPECT_EQ(Changes, AfterSelect + 1);
    S->SetFontName(u"Arial");
    ASSERT_EQ(S->Items()->Count(), 16);
    EXPECT_EQ(S->Items()->Strings(0), u"8");
    EXPECT_EQ(S->Items()->Strings(15), u"72");
    S->SetItemIndex(4);
    EXPECT_EQ(S->SizeValue(), 12);
    // Screen and printer: a printer that is missing or unreachable adds nothing and loses nothing.
    const Integer ScreenCount = F->Items()->Count();
    F->SetDevice(fdBoth);
    EXPECT_GE(F->Items()->Count(), ScreenCount);
    EXPECT_NE(F->Items()->IndexOf(u"Arial"), -1);
    F->SetDevice(fdScreen);
    // Only TrueType families with that option.
    F->SetTrueTypeOnly(true);
    EXPECT_EQ(F->Options(), foTrueTypeOnly);
    for (Integer I = 0; I < F->Items()->Count(); ++I) EXPECT_TRUE(F->FontType(I) & sfTRUETYPE_FONTTYPE);
}
