#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/model/SFMessages.h"

using namespace skintest;

namespace {

// A popup menu that records where it was asked to open; the test closes it
// by sending the close message the menu engine sends.
struct TFakePopup : TsfSkinPopupMenuLink {
    TFakePopup() : M(new TPopupMenu(nullptr)) {}
    ~TFakePopup() override { delete M; }
    TPopupMenu* Menu() override { return M; }
    void SetComponentForm(TCustomForm*) override {}
    void Popup2(TControl*, Integer, Integer) override {}
    void PopupFromRect2(TControl* ACtrl, const TRect& R, bool Up) override
    {
        Opener = ACtrl;
        Rects.push_back(R);
        PopupUp = Up;
    }
    TPopupMenu* M;
    TControl* Opener = nullptr;
    std::vector<TRect> Rects;
    bool PopupUp = true;
};

bool SamePixels(const guitest::TDib& A, const guitest::TDib& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
    return true;
}

class SkinMenuButtonsTest : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        guitest::MovePointer({1000, 700});
    }
    void PressAt(TControl* C, Integer X, Integer Y)
    {
        guitest::MovePointer(C->ClientToScreen({X, Y}));
        guitest::LeftButton(true);
        guitest::Pump();
        guitest::LeftButton(false);
        guitest::Pump();
    }
};

}  // namespace

TEST_F(SkinMenuButtonsTest, TrackPartOpensTheMenuTheBodyClicksAndTheCloseMessageLifts)
{
    for (const char16_t* SkinName : {u"", u"Rire"}) {
        SCOPED_TRACE(String(SkinName).size());
        TForm* form = NewForm(100, 100, 220, 80);
        TFakePopup Popup;
        auto* B = new TsfSkinMenuButton(form);
        B->SetParent(form);
        if (*SkinName) B->SetSkinData(Skin(SkinName));
        B->SetSkinDataName(u"resizebutton");
        B->SetUseSkinSize(false);
        B->SetBounds(10, 10, 100, 25);
        B->SetCaption(u"Menu");
        B->SetSkinPopupMenu(&Popup);
        B->SetTrackButtonMode(true);
        int Clicks = 0, Shown = 0, Hidden = 0;
        B->OnClick = [&](TObject*) { ++Clicks; };
        B->OnShowTrackMenu = [&](TObject*) { ++Shown; };
        B->OnHideTrackMenu = [&](TObject*) { ++Hidden; };
        ShowAndWait(form);
        guitest::MovePointer({1000, 700});
        guitest::Pump();
        auto Idle = CaptureControl(B);

        const Integer W = B->Width();
        PressAt(B, W - 15, 12);
        EXPECT_EQ(Popup.Rects.size(), 1u) << "a press on the track part opens the menu";
        EXPECT_EQ(Popup.Opener, B);
        EXPECT_FALSE(Popup.PopupUp);
        const TPoint O = B->ClientToScreen({0, 0});
        EXPECT_EQ(Popup.Rects[0], (TRect{O.X, O.Y, O.X + W, O.Y + 25}));
        EXPECT_EQ(Clicks, 0);
        EXPECT_EQ(Shown, 1);
        EXPECT_TRUE(B->Down()) << "the release while the menu is open leaves it down";
        EXPECT_TRUE(B->MenuTracked());
        guitest::MovePointer({1000, 700});
        guitest::Pump();
        EXPECT_FALSE(SamePixels(*CaptureControl(B), *Idle)) << "the open menu shows on the button";

        SendMessageW(B->Handle(), WM_SKINMENUCLOSE, 0, 0);
        guitest::Pump();
        EXPECT_FALSE(B->Down());
        EXPECT_FALSE(B->MenuTracked());
        EXPECT_EQ(Hidden, 1);
        form->SetActiveControl(nullptr);
        ::SetFocus(form->Handle());
        guitest::Pump();

        PressAt(B, W - 16, 12);
        EXPECT_EQ(Popup.Rects.size(), 1u) << "one pixel left of the track part is the body";
        EXPECT_EQ(Clicks, 1);
        EXPECT_FALSE(B->Down());
        Forget(form);
        delete form;
    }
}

TEST_F(SkinMenuButtonsTest, FlatSpeedButtonOpensOnAnyPressAndReturnsToIdle)
{
    TForm* form = NewForm(100, 100, 200, 60);
    TFakePopup Popup;
    auto* B = new TsfSkinMenuSpeedButton(form);
    B->SetParent(form);
    B->SetSkinData(Skin(u"Rire"));
    B->SetSkinDataName(u"resizetoolbutton");
    B->SetUseSkinSize(false);
    B->SetFlat(true);
    B->SetBounds(10, 10, 60, 25);
    B->SetSkinPopupMenu(&Popup);
    int Clicks = 0;
    B->OnClick = [&](TObject*) { ++Clicks; };
    ShowAndWait(form);
    auto Idle = CaptureControl(B);

    PressAt(B, 5, 5);
    EXPECT_EQ(Popup.Rects.size(), 1u);
    EXPECT_TRUE(B->Down());
    EXPECT_TRUE(B->TransparentStyle()) << "an open menu makes a flat button transparent";
    guitest::MovePointer({1000, 700});
    guitest::Pump();
    EXPECT_FALSE(SamePixels(*CaptureControl(B), *Idle));
    B->Perform(WM_SKINMENUCLOSE, 0, 0);
    guitest::Pump();
    EXPECT_FALSE(B->Down());
    EXPECT_EQ(Clicks, 0);
    EXPECT_TRUE(SamePixels(*CaptureControl(B), *Idle)) << "back to the idle flat look";

    // The menu component going away clears the reference; the button is a plain tool button.
    B->SetSkinPopupMenu(nullptr);
    PressAt(B, 5, 5);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Popup.Rects.size(), 1u);
}

TEST_F(SkinMenuButtonsTest, NewStyleBottomTrackPart)
{
    TForm* form = NewForm(100, 100, 200, 90);
    TFakePopup Popup;
    auto* B = new TsfSkinMenuSpeedButton(form);
    B->SetParent(form);
    B->SetNewStyle(true);
    B->SetTrackPosition(sftpBottom);
    B->SetTrackButtonMode(true);
    B->SetBounds(10, 10, 40, 50);
    B->SetSkinPopupMenu(&Popup);
    int Clicks = 0;
    B->OnClick = [&](TObject*) { ++Clicks; };
    ShowAndWait(form);
    PressAt(B, 20, 50 - 15);
    EXPECT_EQ(Popup.Rects.size(), 1u);
    B->Perform(WM_SKINMENUCLOSE, 0, 0);
    PressAt(B, 20, 50 - 16);
    EXPECT_EQ(Popup.Rects.size(), 1u);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(SkinMenuButtonsTest, ScreenshotsInTheFourSkins)
{
    for (const char16_t* SkinName : {u"", u"Rire", u"Charm", u"Laconic", u"Cool"}) {
        TForm* form = NewForm(100, 100, 260, 60);
        TsfSkinData* SD = *SkinName ? Skin(SkinName) : nullptr;
        TFakePopup Popup;
        auto* M = new TsfSkinMenuButton(form);
        M->SetParent(form);
        M->SetSkinData(SD);
        M->SetSkinDataName(u"resizebutton");
        M->SetUseSkinSize(false);
        M->SetBounds(5, 10, 90, 25);
        M->SetCaption(u"Sort");
        M->SetSkinPopupMenu(&Popup);
        auto* S = new TsfSkinMenuSpeedButton(form);
        S->SetParent(form);
        S->SetSkinData(SD);
        S->SetSkinDataName(u"resizetoolbutton");
        S->SetUseSkinSize(false);
        S->SetFlat(true);
        S->SetBounds(100, 10, 60, 25);
        S->SetCaption(u"Zoom");
        S->SetSkinPopupMenu(&Popup);
        auto* T = new TsfSkinMenuSpeedButton(form);
        T->SetParent(form);
        T->SetSkinData(SD);
        T->SetSkinDataName(u"resizetoolbutton");
        T->SetUseSkinSize(false);
        T->SetBounds(170, 10, 60, 25);
        T->SetCaption(u"Copy");
        T->SetTrackButtonMode(true);
        T->SetSkinPopupMenu(&Popup);
        ShowAndWait(form);
        SaveScreenshot(form->ClientRect().Width() ? TRect{form->ClientToScreen({0, 0}).X, form->ClientToScreen({0, 0}).Y,
                                                          form->ClientToScreen({0, 0}).X + form->ClientWidth(),
                                                          form->ClientToScreen({0, 0}).Y + form->ClientHeight()}
                                                  : TRect{},
                       String(u"menubuttons_") + (*SkinName ? SkinName : u"none"));
        Forget(form);
        delete form;
    }
}

namespace {

// A skin whose button descriptions have three state pictures of 30 x 20
// side by side (normal, hot, down), each a 3-pixel Edge border around its
// state's fill.
constexpr TColor Edge = 0x202020, NormalFill = 0xC0C0C0, HotFill = 0x00C000, DownFill = 0xC00000, StripFill = 0x0000C0;

template <class T = TsfDataSkinButtonControl>
T* AddButtonLook(TTestSkin& S, const String& Name, std::vector<TColor> Fills)
{
    const Integer Pic = S.AddPicture(30 * Integer(Fills.size()), 20, Edge);
    auto* D = S.Add<T>(Name);
    D->PictureIndex = Pic;
    TRect* States[] = {&D->SkinRect, &D->ActiveSkinRect, &D->DownSkinRect};
    for (size_t I = 0; I < Fills.size(); ++I) {
        const Integer X = 30 * Integer(I);
        *States[I] = {X, 0, X + 30, 20};
        S.FillRect(Pic, {X + 3, 3, X + 27, 17}, Fills[I]);
    }
    D->LTPoint = {3, 3};
    D->RTPoint = {27, 3};
    D->LBPoint = {3, 17};
    D->RBPoint = {27, 17};
    D->ClRect = {3, 3, 27, 17};
    D->LeftStretch = D->TopStretch = D->RightStretch = D->BottomStretch = true;
    return D;
}

}  // namespace

// In track mode the resizable look is two parts, each resized on its own
// (the track part keeps its own border), of their own states; the new style
// lays the skin's strip description over the body while hot in track mode.
TEST_F(SkinMenuButtonsTest, TrackModePartsAndNewStyleStrip)
{
    TTestSkin Skin;
    AddButtonLook<TsfDataSkinMenuButtonControl>(Skin, u"resizebutton", {NormalFill, HotFill, DownFill});
    AddButtonLook(Skin, u"resizetoolbutton", {NormalFill, HotFill, DownFill});
    TTestSkin NoStrip;
    AddButtonLook(NoStrip, u"resizetoolbutton", {NormalFill, HotFill, DownFill});
    AddButtonLook(Skin, u"vtracktoolbutton", {StripFill});

    TForm* form = NewForm(100, 100, 250, 60);
    TFakePopup Popup;
    auto Make = [&](Integer X, const String& Name, bool NewStyle, TsfSkinData* SD) {
        auto* B = new TsfSkinMenuSpeedButton(form);
        B->SetParent(form);
        B->SetFlat(false);
        B->SetSkinDataName(Name);
        B->SetNewStyle(NewStyle);
        B->SetTrackButtonMode(true);
        B->SetBounds(X, 10, 60, 20);
        B->SetSkinPopupMenu(&Popup);
        B->SetSkinData(SD);
        return B;
    };
    auto* Parts = Make(10, u"resizebutton", false, Skin.SD.get());
    auto* Strip = Make(90, u"resizetoolbutton", true, Skin.SD.get());
    auto* Plain = Make(170, u"resizetoolbutton", true, NoStrip.SD.get());
    ShowAndWait(form);
    auto Shows = [&](TControl* C, Integer X, Integer Y, TColor Expected) {
        const TPoint S = C->ClientToScreen({X, Y});
        return guitest::PumpUntil([&] { return CaptureScreen({S.X, S.Y, S.X + 1, S.Y + 1})->Pixel(0, 0) == ScreenRGB(Expected); });
    };
    // Idle: the track part's own left border at x = 45, both parts normal.
    EXPECT_TRUE(Shows(Parts, 20, 10, NormalFill));
    EXPECT_TRUE(Shows(Parts, 45, 10, Edge)) << "the track part is resized on its own";
    EXPECT_TRUE(Shows(Parts, 49, 4, NormalFill));
    // Opened: the body hot, the track part down.
    PressAt(Parts, 52, 10);
    ASSERT_TRUE(Parts->MenuTracked());
    EXPECT_TRUE(Shows(Parts, 20, 10, HotFill));
    EXPECT_TRUE(Shows(Parts, 49, 4, DownFill));
    EXPECT_TRUE(Shows(Parts, 45, 10, Edge));
    SaveScreenshot(Parts, u"menubutton_trackparts");
    Parts->Perform(WM_SKINMENUCLOSE, 0, 0);

    // New style, opened: the strip's own description over the body; without
    // one, the body gives up the strip and the body's look draws it (down).
    PressAt(Strip, 52, 10);
    ASSERT_TRUE(Strip->MenuTracked());
    EXPECT_TRUE(Shows(Strip, 20, 10, HotFill));
    EXPECT_TRUE(Shows(Strip, 49, 4, StripFill));
    Strip->Perform(WM_SKINMENUCLOSE, 0, 0);
    PressAt(Plain, 52, 10);
    ASSERT_TRUE(Plain->MenuTracked());
    EXPECT_TRUE(Shows(Plain, 20, 10, HotFill));
    EXPECT_TRUE(Shows(Plain, 45, 10, Edge)) << "the strip's own border";
    EXPECT_TRUE(Shows(Plain, 49, 4, DownFill));
    Plain->Perform(WM_SKINMENUCLOSE, 0, 0);
    // Idle, the pointer away: one body over the whole control, no strip look.
    guitest::MovePointer({1000, 700});
    EXPECT_TRUE(Shows(Strip, 45, 10, NormalFill));
}
