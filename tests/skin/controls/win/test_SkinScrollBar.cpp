#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinScrollBar.h"

using namespace skintest;

namespace {

class SkinScrollBarTest : public SkinFormTest {
protected:
    TsfSkinScrollBar* NewBar(TForm* Form, Integer X, Integer Y)
    {
        auto* Bar = new TsfSkinScrollBar(Form);
        Bar->SetParent(Form);
        Bar->SetBounds(X, Y, 200, 19);
        return Bar;
    }
    // A point of the bar on the screen.
    TPoint At(TControl* C, Integer X, Integer Y) { return C->ClientToScreen({X, Y}); }
    TPoint CentreOf(TControl* C, const TRect& R) { return At(C, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
};

}  // namespace

TEST_F(SkinScrollBarTest, HeldArrowStepsAtPressThen550ThenEvery50)
{
    TForm* Form = NewForm(100, 100, 260, 60);
    TsfSkinScrollBar* Bar = NewBar(Form, 10, 10);
    Bar->SetRange(0, 100, 0, 10);
    int Changes = 0;
    Bar->OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Bar);
        ++Changes;
    };
    ShowAndWait(Form);
    const TRect Up = Bar->Core().Button(sbUpButton).R;
    guitest::MovePointer(CentreOf(Bar, Up));
    guitest::LeftButton(true);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Bar->Position() == 1; }));
    // The pressed arrow: navy frame, pressed fill.
    auto Pressed = CaptureControl(Bar);
    EXPECT_EQ(Pressed->Pixel(Up.Left, Up.Top + 5), 0x000080u);
    EXPECT_EQ(Pressed->Pixel(Up.Left + 2, Up.Top + 2), 0x8593B5u);
    FClock.Clock.Advance(549);
    EXPECT_EQ(Bar->Position(), 1);
    FClock.Clock.Advance(1);
    EXPECT_EQ(Bar->Position(), 2);
    FClock.Clock.Advance(100);
    EXPECT_EQ(Bar->Position(), 4);
    guitest::LeftButton(false);
    guitest::Pump();
    FClock.Clock.Advance(1000);
    EXPECT_EQ(Bar->Position(), 4);
    EXPECT_EQ(Changes, 4);
    // The clamp through the window: the last page starts at 91.
    Bar->SetPosition(150);
    EXPECT_EQ(Bar->Position(), 91);
    Bar->SetPosition(91);
    EXPECT_EQ(Changes, 5);
}

TEST_F(SkinScrollBarTest, ThumbDragEndsWithLastChangeAndADisabledBarHidesTheThumb)
{
    TForm* Form = NewForm(100, 100, 260, 60);
    TsfSkinScrollBar* Bar = NewBar(Form, 10, 10);
    int Last = 0;
    Bar->OnLastChange = [&](TObject*) { ++Last; };
    ShowAndWait(Form);
    const TRect Thumb = Bar->Core().ThumbRect();
    const TPoint From = CentreOf(Bar, Thumb);
    guitest::MovePointer(From);
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::MovePointer({From.X + 75, From.Y + 30});  // half the travel, below the bar
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Last == 1; }));
    EXPECT_EQ(Bar->Position(), 50);
    // The thumb (92..108) framed in the shadow colour; gone when disabled.
    auto Shown = CaptureControl(Bar);
    EXPECT_EQ(Shown->Pixel(92, 9), ScreenRGB(clBtnShadow));
    Bar->SetEnabled(false);
    auto Hidden = CaptureControl(Bar);
    EXPECT_EQ(Hidden->Pixel(92, 9), ScreenRGB(clBtnFace));
}

TEST_F(SkinScrollBarTest, SkinLookFollowsTheDescriptionAndBoth)
{
    TForm* Form = NewForm(100, 100, 260, 260);
    TsfSkinScrollBar* H = NewBar(Form, 10, 10);
    auto* V = new TsfSkinScrollBar(Form);
    V->SetParent(Form);
    V->SetKind(sbVertical);
    V->SetBounds(220, 10, 19, 200);
    EXPECT_EQ(V->SkinDataName(), u"vscrollbar");
    for (TsfSkinScrollBar* B : {H, V}) {
        B->SetSkinData(Skin(u"Rire"));
        B->SetRange(0, 100, 30, 20);
    }
    ShowAndWait(Form);
    EXPECT_NE(H->SkinIndex(), -1);
    EXPECT_TRUE(H->Core().SkinInUse());
    // The skin's track stretches with the bar: it ends where the far button starts.
    EXPECT_EQ(H->Core().NewTrackArea().Right, H->Core().Button(sbDownButton).R.Left);
    H->SetBoth(true);
    EXPECT_EQ(H->SkinDataName(), u"bothhscrollbar");
    H->SetBoth(false);
    EXPECT_EQ(H->SkinDataName(), u"hscrollbar");
}

TEST_F(SkinScrollBarTest, AnEraseOutsideAPaintPaintsTheBarOntoTheEraseDC)
{
    TForm* Form = NewForm(100, 100, 260, 60);
    TsfSkinScrollBar* Bar = NewBar(Form, 10, 10);
    ShowAndWait(Form);
    guitest::TDib Dib(200, 19);
    PatBlt(Dib.DC(), 0, 0, 200, 19, BLACKNESS);
    EXPECT_EQ(SendMessageW(Bar->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(Dib.DC()), 0), 1);
    const TRect Up = Bar->Core().Button(sbUpButton).R;
    EXPECT_EQ(Dib.Pixel(Up.Left, Up.Top + 3), ScreenRGB(clBtnShadow));
    EXPECT_EQ(Dib.Pixel(0, 0), ScreenRGB(clBtnFace));
}

TEST_F(SkinScrollBarTest, AFocusableBarTakesTheFocusOnAClickAndAnswersTheArrowKeys)
{
    TForm* Form = NewForm(100, 100, 260, 60);
    TsfSkinScrollBar* Bar = NewBar(Form, 10, 10);
    Bar->SetPosition(50);
    ShowAndWait(Form);
    auto Key = [](WORD Vk) {
        keybd_event(Vk, 0, 0, 0);
        keybd_event(Vk, 0, KEYEVENTF_KEYUP, 0);
        guitest::Pump();
    };
    // Not focusable: a click on the track pages but the keys do nothing to it.
    guitest::MovePointer(Bar->ClientToScreen({150, 9}));
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_EQ(Bar->Position(), 51);
    EXPECT_FALSE(Bar->Focused());
    Bar->SetCanFocused(true);
    EXPECT_TRUE(Bar->TabStop());
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Bar->Focused(); }));
    EXPECT_EQ(Bar->Position(), 52);
    // Focused with CanFocused, the thumb shows pressed (navy frame).
    auto Px = CaptureControl(Bar);
    const TRect T = Bar->Core().ThumbRect();
    EXPECT_EQ(Px->Pixel(T.Left, (T.Top + T.Bottom) / 2), 0x000080u);
    Key(VK_RIGHT);
    EXPECT_EQ(Bar->Position(), 53);
    Key(VK_UP);
    EXPECT_EQ(Bar->Position(), 52);
}

TEST_F(SkinScrollBarTest, SkinArrowsShowTheirHotAndPressedPictures)
{
    TForm* Form = NewForm(100, 100, 260, 60);
    TsfSkinScrollBar* Bar = NewBar(Form, 10, 10);
    Bar->SetSkinData(Skin(u"Rire"));
    ShowAndWait(Form);
    const TRect Up = Bar->Core().Button(sbUpButton).R;
    auto Sample = [&] {
        auto Px = CaptureControl(Bar);
        std::vector<DWORD> V;
        for (Integer Y = Up.Top; Y < Up.Bottom; ++Y)
            for (Integer X = Up.Left; X < Up.Right; ++X) V.push_back(Px->Pixel(X, Y));
        return V;
    };
    guitest::MovePointer(At(Bar, 100, 40));  // off the bar
    const auto Normal = Sample();
    guitest::MovePointer(CentreOf(Bar, Up));
    const auto Hot = Sample();
    guitest::LeftButton(true);
    guitest::Pump();
    const auto Pressed = Sample();
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_NE(Normal, Hot);
    EXPECT_NE(Hot, Pressed);
    EXPECT_EQ(Bar->Position(), 1);
    guitest::MovePointer(At(Bar, 100, 40));
    EXPECT_EQ(Sample(), Normal);
}
