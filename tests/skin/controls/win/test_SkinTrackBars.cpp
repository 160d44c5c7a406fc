#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinTrackBars.h"

using namespace skintest;

namespace {

class SkinTrackBarsTest : public SkinFormTest {
protected:
    void Click(TControl* C, Integer X, Integer Y)
    {
        guitest::MovePointer(C->ClientToScreen({X, Y}));
        guitest::LeftButton(true);
        guitest::Pump();
        guitest::LeftButton(false);
        guitest::Pump();
    }
};

}  // namespace

TEST_F(SkinTrackBarsTest, JumpClickCentresTheThumbOnTheClick)
{
    TForm* Form = NewForm(100, 100, 220, 80);
    auto* T = new TsfSkinTrackBar(Form);
    T->SetParent(Form);
    T->SetBounds(10, 10, 100, 20);
    T->SetJumpWhenClick(true);
    int Changes = 0, Last = 0;
    T->OnChange = [&](TObject*) { ++Changes; };
    T->OnLastChange = [&](TObject*) { ++Last; };
    ShowAndWait(Form);
    const struct { Integer X, Value; } Clicks[] = {{30, 27}, {80, 84}, {97, 100}, {3, 0}};
    for (const auto& K : Clicks) {
        Click(T, K.X, 10);
        EXPECT_EQ(T->Value(), K.Value) << K.X;
        // The thumb (8 pixels wide, framed in the shadow colour) is centred on the click within the range.
        auto Px = CaptureControl(T);
        const TRect B = T->Core().BR();
        if (K.Value > 0 && K.Value < 100) EXPECT_EQ((B.Left + B.Right) / 2, K.X);
        EXPECT_EQ(Px->Pixel(B.Left, 10), ScreenRGB(clBtnShadow)) << K.X;
        EXPECT_EQ(Px->Pixel(B.Left + 3, 10), ScreenRGB(clBtnFace)) << K.X;
    }
    EXPECT_EQ(Changes, 4);
    EXPECT_EQ(Last, 0);
}

TEST_F(SkinTrackBarsTest, SliderHeldRulerClickJumpsEvery400AndEndsWithOneChanged)
{
    TForm* Form = NewForm(100, 100, 220, 80);
    auto* S = new TsfSkinSlider(Form);
    S->SetParent(Form);
    S->SetBounds(10, 10, 150, 40);
    std::vector<Integer> Values;
    int Changed = 0;
    S->OnChange = [&](TObject*) { Values.push_back(S->Value()); };
    S->OnChanged = [&](TObject*) { ++Changed; };
    ShowAndWait(Form);
    guitest::MovePointer(S->ClientToScreen({100, 14}));
    guitest::LeftButton(true);
    ASSERT_TRUE(guitest::PumpUntil([&] { return S->Value() == 10; }));
    FClock.Clock.Advance(399);
    EXPECT_EQ(S->Value(), 10);
    FClock.Clock.Advance(1);
    EXPECT_EQ(S->Value(), 20);
    FClock.Clock.Advance(800);
    EXPECT_EQ(S->Value(), 40);
    EXPECT_EQ(Changed, 0);
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Changed == 1; }));
    EXPECT_EQ(Values, (std::vector<Integer>{10, 20, 30, 40}));
    FClock.Clock.Advance(2000);
    EXPECT_EQ(S->Value(), 40);
    // The built-in thumb picture is drawn at its place (its body is light grey).
    auto Px = CaptureControl(S);
    const TRect T = S->Core().ThumbRect();
    EXPECT_EQ(Px->Pixel(T.Left + 4, T.Top + 5), 0xC0C0C0u);
}

TEST_F(SkinTrackBarsTest, SliderDragChangesOnTheWayAndEndsWithOneChanged)
{
    TForm* Form = NewForm(100, 100, 220, 80);
    auto* S = new TsfSkinSlider(Form);
    S->SetParent(Form);
    S->SetBounds(10, 10, 150, 40);
    S->SetOptions(soShowPoints);  // snapping to Increment
    int Changes = 0, Changed = 0;
    S->OnChange = [&](TObject*) { ++Changes; };
    S->OnChanged = [&](TObject*) { ++Changed; };
    ShowAndWait(Form);
    const TRect T = S->Core().ThumbRect();
    TPoint P = S->ClientToScreen({T.Left + 4, T.Top + 8});
    guitest::MovePointer(P);
    guitest::LeftButton(true);
    guitest::Pump();
    for (int I = 0; I < 10; ++I) {
        P.X += 7;
        guitest::MovePointer(P);
    }
    EXPECT_EQ(Changed, 0);
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Changed == 1; }));
    EXPECT_EQ(S->Value() % 10, 0);
    EXPECT_GT(S->Value(), 40);
    EXPECT_GE(Changes, 4);
    // Each key jump ends its own interaction.
    S->SetFocus();
    guitest::Pump();
    const Integer Before = S->Value();
    keybd_event(VK_RIGHT, 0, 0, 0);
    keybd_event(VK_RIGHT, 0, KEYEVENTF_KEYUP, 0);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Changed == 2; }));
    EXPECT_EQ(S->Value(), Before + 10);
}

TEST_F(SkinTrackBarsTest, NarrowSlidersAndMaxValueShrinkingTheIncrement)
{
    TForm* Form = NewForm(100, 100, 220, 80);
    auto* S = new TsfSkinSlider(Form);
    S->SetParent(Form);
    S->SetBounds(10, 10, 10, 40);  // no room for the thumb to travel
    S->SetValue(60);
    ShowAndWait(Form);
    guitest::MovePointer(S->ClientToScreen({7, 10}));
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::MovePointer(S->ClientToScreen({40, 10}));
    guitest::LeftButton(false);
    guitest::Pump();
    CaptureControl(S);
    EXPECT_EQ(S->Value(), 0);
    S->SetMaxValue(5);
    EXPECT_EQ(S->Increment(), 5);
    // The orientation turns a run-time slider's size round.
    S->SetBounds(10, 10, 150, 40);
    S->SetOrientation(soVertical);
    EXPECT_EQ(S->Width(), 40);
    EXPECT_EQ(S->Height(), 150);
}

TEST_F(SkinTrackBarsTest, SkinSliderThumbShowsItsSecondStateWhilePressed)
{
    TForm* Form = NewForm(100, 100, 220, 80);
    auto* S = new TsfSkinSlider(Form);
    S->SetParent(Form);
    S->SetBounds(10, 10, 150, 40);
    S->SetSkinData(Skin(u"Charm"));
    S->SetValue(50);
    ShowAndWait(Form);
    const TRect T = S->Core().ThumbRect();
    auto Sample = [&] {
        auto Px = CaptureControl(S);
        std::vector<DWORD> V;
        for (Integer Y = T.Top; Y < T.Bottom; ++Y)
            for (Integer X = T.Left; X < T.Right; ++X) V.push_back(Px->Pixel(X, Y));
        return V;
    };
    const auto Normal = Sample();
    guitest::MovePointer(S->ClientToScreen({(T.Left + T.Right) / 2, (T.Top + T.Bottom) / 2}));
    guitest::LeftButton(true);
    guitest::Pump();
    EXPECT_TRUE(S->Core().ThumbDown());
    const auto Pressed = Sample();
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_NE(Normal, Pressed);
    EXPECT_EQ(Sample(), Normal);
    // The skin's thumb is half its picture wide.
    const auto* D = dynamic_cast<TsfDataSkinSlider*>(Skin(u"Charm")->CtrlList[S->SkinIndex()].get());
    ASSERT_NE(D, nullptr);
    EXPECT_EQ(T.Width(), D->HThumbRect.Width() / 2);
}
