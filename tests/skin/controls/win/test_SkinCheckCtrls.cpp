#include <gtest/gtest.h>

#include <string>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinPanels.h"

using namespace skintest;

namespace {

class SkinCheckCtrlsTest : public SkinFormTest {
protected:
    TForm* Form()
    {
        if (!FForm) {
            FForm = NewForm(100, 100, 400, 300);
            FForm->SetColor(clRed);
        }
        return FForm;
    }
    TsfSkinCheckRadioBox* NewBox(TWinControl* Parent, const char16_t* Name, bool Radio, Integer Group, Integer Top)
    {
        auto* b = new TsfSkinCheckRadioBox(Form());
        b->SetParent(Parent);
        b->SetBounds(10, Top, 150, 25);
        b->SetCaption(Name);
        b->SetRadio(Radio);
        b->SetGroupIndex(Group);
        b->OnClick = [this, Name](TObject*) { Log += UTF8Encode(Name); };
        return b;
    }
    void Click(TControl* C, TPoint P = {8, 12})
    {
        guitest::MovePointer(C->ClientToScreen(P));
        guitest::LeftButton(true);
        guitest::Pump();
        guitest::LeftButton(false);
        guitest::Pump();
    }
    std::string Log;

private:
    TForm* FForm = nullptr;
};

// A check box description over a blue body with a white unchecked and a
// black checked square, morphing on hover.
std::unique_ptr<TsfSkinData> CheckSkin()
{
    TTestSkin s;
    const Integer pic = s.AddPicture(80, 40, clBlue);
    s.FillRect(pic, {0, 20, 80, 40}, clNavy);           // the active body
    // The squares keep a frame in their key colour (their bottom-left pixel).
    s.FillRect(pic, {60, 0, 80, 10}, clFuchsia);
    s.FillRect(pic, {61, 1, 69, 9}, clWhite);           // unchecked
    s.FillRect(pic, {71, 1, 79, 9}, clBlack);           // checked
    auto* d = s.Add<TsfDataSkinCheckRadioControl>(u"checkbox");
    d->PictureIndex = pic;
    d->SkinRect = {0, 0, 60, 20};
    d->ActiveSkinRect = {0, 20, 60, 40};
    d->LTPoint = {5, 10};
    d->RTPoint = {55, 10};
    d->ClRect = {5, 2, 55, 18};
    d->CheckImageArea = {0, 0, 20, 20};
    d->TextArea = {20, 0, 60, 20};
    d->UnCheckImageRect = {60, 0, 70, 10};
    d->CheckImageRect = {70, 0, 80, 10};
    d->Morphing = true;
    return std::move(s.SD);
}

}  // namespace

TEST_F(SkinCheckCtrlsTest, RadioGroupByRealClicks)
{
    auto* a = NewBox(Form(), u"a", true, 1, 10);
    auto* b = NewBox(Form(), u"b", true, 1, 40);
    auto* c = NewBox(Form(), u"c", false, 0, 70);
    ShowAndWait(Form());
    Click(a);
    EXPECT_EQ(Log, "a");
    Click(b);
    EXPECT_EQ(Log, "ab");  // a is unchecked without a click
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    Click(b);  // checked radio: nothing
    EXPECT_EQ(Log, "ab");
    Click(c);
    Click(c);
    EXPECT_EQ(Log, "abcc");
    EXPECT_FALSE(c->Checked());

    // Pressed, dragged off, released: no toggle.
    guitest::MovePointer(c->ClientToScreen({8, 12}));
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::MovePointer(c->ClientToScreen({8, 80}));
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_FALSE(c->Checked());
    EXPECT_EQ(Log, "abcc");
}

TEST_F(SkinCheckCtrlsTest, BoxesUnderDifferentParentsNeverInteract)
{
    auto* p1 = new TsfSkinPanel(Form());
    p1->SetParent(Form());
    p1->SetBounds(0, 0, 190, 100);
    auto* p2 = new TsfSkinPanel(Form());
    p2->SetParent(Form());
    p2->SetBounds(200, 0, 190, 100);
    auto* a = NewBox(p1, u"a", true, 1, 10);
    auto* b = NewBox(p2, u"b", true, 1, 10);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(Log, "ab");
}

TEST_F(SkinCheckCtrlsTest, GrayedCycleByClicks)
{
    auto* c = NewBox(Form(), u"c", false, 0, 10);
    c->SetAllowGrayed(true);
    ShowAndWait(Form());
    const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked};
    for (TCheckBoxState s : cycle) {
        Click(c);
        EXPECT_EQ(c->State(), s);
    }
    EXPECT_EQ(Log, "ccc");
}

TEST_F(SkinCheckCtrlsTest, FlatLookShowsTheParentAndBodyLookTheSkin)
{
    auto skin = CheckSkin();
    auto* flat = NewBox(Form(), u"", false, 0, 10);
    flat->SetSkinData(skin.get());
    auto* plain = NewBox(Form(), u"", false, 0, 40);
    auto* body = NewBox(Form(), u"", false, 0, 70);
    body->SetFlat(false);
    body->SetSkinData(skin.get());
    body->SetChecked(true);
    ShowAndWait(Form());
    guitest::MovePointer({0, 0});
    auto pf = CaptureControl(flat);
    EXPECT_EQ(pf->Pixel(100, 12), 0xFF0000u);  // the red form behind a flat box
    EXPECT_EQ(pf->Pixel(7, 12), 0xFFFFFFu);    // the skin's unchecked square
    auto pp = CaptureControl(plain);
    EXPECT_EQ(pp->Pixel(100, 12), 0xFF0000u);
    EXPECT_EQ(pp->Pixel(3, 12), ScreenRGB(clBtnShadow));  // the built-in square's frame
    auto pb = CaptureControl(body);
    EXPECT_EQ(body->Height(), 20);             // the body's skin height
    EXPECT_EQ(pb->Pixel(100, 10), 0x0000FFu);  // the blue body
    EXPECT_EQ(pb->Pixel(10, 10), 0x000000u);   // the checked square, centred in its area
}

TEST_F(SkinCheckCtrlsTest, HoverTransitionRunsOnTheSkinClock)
{
    auto skin = CheckSkin();
    auto* body = NewBox(Form(), u"", false, 0, 10);
    body->SetFlat(false);
    body->SetSkinData(skin.get());
    ShowAndWait(Form());
    body->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(FClock.Clock.TimerRunning(body, 1));
    for (double kf : {0.2, 0.4, 0.6, 0.8}) {
        FClock.Clock.Advance(20);
        EXPECT_NEAR(body->MorphKf(), kf, 1e-9);
    }
    FClock.Clock.Advance(20);
    EXPECT_EQ(body->MorphKf(), 1.0);
    EXPECT_FALSE(FClock.Clock.TimerRunning(body, 1));
    auto px = CaptureControl(body);
    EXPECT_EQ(px->Pixel(100, 10), 0x000080u);  // the active (navy) body
    body->Perform(CM_MOUSELEAVE, 0, 0);
    FClock.Clock.Advance(100);
    EXPECT_EQ(body->MorphKf(), 0.0);
    // Without skin effects the change is immediate.
    skin->EnableSkinEffects = false;
    body->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_FALSE(FClock.Clock.TimerRunning(body, 1));
}

TEST_F(SkinCheckCtrlsTest, SpaceAndAcceleratorToggleAFocusableBox)
{
    auto* a = NewBox(Form(), u"&Alpha", false, 0, 10);
    a->SetCanFocused(true);
    EXPECT_TRUE(a->TabStop());
    ShowAndWait(Form());
    // The accelerator focuses the box and toggles it.
    EXPECT_EQ(a->Perform(CM_DIALOGCHAR, 'a', 0), 1);
    EXPECT_TRUE(a->Checked());
    ASSERT_TRUE(a->Focused());
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = VK_SPACE;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    guitest::Pump();
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(Log, "&Alpha&Alpha");
    // Without CanFocused neither reaches it.
    a->SetCanFocused(false);
    EXPECT_EQ(a->Perform(CM_DIALOGCHAR, 'a', 0), 0);
    EXPECT_FALSE(a->Checked());
}
