#include <gtest/gtest.h>

#include "SkinControlTestEnv.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinHint.h"

using namespace guitest;
using namespace skintest;

namespace {

class SkinHint : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        Main = Application->CreateForm<TForm>();
        Main->SetBounds(100, 100, 300, 200);
        ShowAndWait(Main);
        Hint = new TsfSkinHint(Main);
        Hint->SetSkinData(Skin(u"Rire"));
        Application->SetHintPause(500);
        Application->SetHintHidePause(2500);
        MovePointer({400, 400});
    }
    void TearDown() override
    {
        delete Main;  // and the hint component it owns
        HintWindowClass = HintWindowClassOf<THintWindow>();
        Application->OnShowHint = nullptr;
        SkinFormTest::TearDown();
    }
    TRect HintRect() const
    {
        RECT R;
        GetWindowRect(Hint->Window()->Handle(), &R);
        return {R.left, R.top, R.right, R.bottom};
    }
    TForm* Main = nullptr;
    TsfSkinHint* Hint = nullptr;
};

} // namespace

TEST_F(SkinHint, ShowsAfterTheHintPauseBelowTheCursorAndHidesAfterTheHidePause)
{
    EXPECT_EQ(HintWindowClass, HintWindowClassOf<TsfSkinHintWindow>());
    Hint->ActivateHint2(u"Skinned hint");
    FClock.Clock.Advance(499);
    EXPECT_FALSE(Hint->IsVisible());
    FClock.Clock.Advance(1);
    ASSERT_TRUE(Hint->IsVisible());
    const TRect R = HintRect();
    EXPECT_EQ(R.Left, 400);
    EXPECT_EQ(R.Top, 400 + Hint->GetCursorHeightMargin());
    const Integer Margin = Hint->GetCursorHeightMargin();
    EXPECT_GT(Margin, 0);
    EXPECT_LE(Margin, GetSystemMetrics(SM_CYCURSOR));
    // The skin's picture: its left edge line, whatever the height.
    const TsfDataSkinHintWindow* D = Skin(u"Rire")->HintWindow.get();
    ASSERT_NE(D, nullptr);
    const TsfBitmap* P = Skin(u"Rire")->ActiveBitmap(D->WindowPictureIndex);
    ASSERT_NE(P, nullptr);
    const COLORREF Edge = [&] {
        const Cardinal C = P->GetPixel(0, P->Height() / 2) & 0xFFFFFF;
        return COLORREF(((C & 0xFF) << 16) | (C & 0xFF00) | (C >> 16));
    }();
    EXPECT_EQ(ScreenPixel(R.Left, R.Top + R.Height() / 2), Edge);
    FClock.Clock.Advance(2499);
    EXPECT_TRUE(Hint->IsVisible());
    FClock.Clock.Advance(1);
    EXPECT_FALSE(Hint->IsVisible());
    EXPECT_FALSE(Hint->HintTimerRunning());
    // A new request replaces a pending one.
    Hint->ActivateHint2(u"first");
    FClock.Clock.Advance(300);
    Hint->ActivateHint2(u"second");
    FClock.Clock.Advance(300);
    EXPECT_FALSE(Hint->IsVisible());
    FClock.Clock.Advance(200);
    EXPECT_TRUE(Hint->IsVisible());
    EXPECT_EQ(Hint->Window()->Caption(), u"second");
    Hint->HideHint();
    EXPECT_FALSE(Hint->IsVisible());
}

TEST_F(SkinHint, SeparatorBreaksLinesAndPlacesFollowTheirRectangle)
{
    Hint->ActivateHint({200, 200}, u"one");
    const TRect One = HintRect();
    Hint->ActivateHint({200, 200}, u"one@two");
    const TRect Two = HintRect();
    EXPECT_EQ(Hint->Window()->Caption(), u"one\r\ntwo");
    EXPECT_GT(Two.Height() - One.Height(), 8);  // one more line, no blank line between
    EXPECT_LT(Two.Height() - One.Height(), 2 * (One.Height()));
    // Above a rectangle: the bottom edge on its top edge, centred on it.
    Hint->Window()->ActivateHintFromRect({300, 300, 340, 320}, u"over", true);
    TRect R = HintRect();
    EXPECT_EQ(R.Bottom, 300);
    EXPECT_EQ(R.Left, 320 - R.Width() / 2);
    Hint->Window()->ActivateHintFromRect({300, 300, 340, 320}, u"under", false);
    EXPECT_EQ(HintRect().Top, 320);
    // At the screen's corner: moved left and up by its size + 2.
    const int SW = GetSystemMetrics(SM_CXSCREEN), SH = GetSystemMetrics(SM_CYSCREEN);
    Hint->ActivateHint({SW - 5, SH - 5}, u"corner");
    R = HintRect();
    EXPECT_EQ(R.Left, SW - 5 - R.Width() - 2);
    EXPECT_EQ(R.Top, SH - 5 - R.Height() - 2);
    Hint->HideHint();
}

TEST_F(SkinHint, PlainLookWithoutASkinAndNothingWithoutAnActiveComponent)
{
    Hint->SetSkinData(nullptr);
    Hint->ActivateHint({200, 200}, u"plain");
    ASSERT_TRUE(Hint->IsVisible());
    const TRect R = HintRect();
    EXPECT_EQ(ScreenPixel(R.Left, R.Top), COLORREF(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(ScreenPixel(R.Left + 1, R.Top + 1), COLORREF(ColorToRGB(clInfoBk)));
    Hint->HideHint();
    // A second component switches the first off; with none active nothing shows.
    auto* Second = new TsfSkinHint(Main);
    Second->SetActive(true);
    EXPECT_FALSE(Hint->Active());
    Second->SetActive(false);
    Hint->ActivateHint({200, 200}, u"nobody");
    EXPECT_FALSE(Hint->IsVisible());
}

TEST_F(SkinHint, FadesInOnTheSkinClock)
{
    Hint->AlphaBlend = true;
    Hint->AlphaBlendAnimation = true;
    Hint->AlphaBlendValue = 200;
    Hint->ActivateHint({200, 200}, u"fading");
    const HWND W = Hint->Window()->Handle();
    auto Alpha = [&] {
        BYTE A = 0;
        DWORD Flags = 0;
        GetLayeredWindowAttributes(W, nullptr, &A, &Flags);
        return int(A);
    };
    EXPECT_EQ(Alpha(), 20);  // the first step at once
    FClock.Clock.Advance(5);
    EXPECT_EQ(Alpha(), 40);
    FClock.Clock.Advance(100);
    EXPECT_EQ(Alpha(), 200);
    Hint->HideHint();
}

TEST_F(SkinHint, FrameObjectsShowTheirHintsThroughTheFormsHintComponent)
{
    auto* C = new TsfSkinForm(Main);
    C->SetSkinData(Skin(u"Rire"));
    SetActiveWindow(Main->Handle());
    Pump();
    C->ShowObjectHint = true;
    C->SetSkinHint(Hint);
    TsfActiveSkinObject* Close = nullptr;
    for (const auto& O : C->ObjectList)
        if (O->IDName == u"closebutton") Close = O.get();
    ASSERT_NE(Close, nullptr);
    // The pointer rests on the button (the frame's cursor poll keeps it hot).
    RECT W;
    GetWindowRect(Main->Handle(), &W);
    MovePointer({W.left + Close->ObjectRect.Left + 3, W.top + Close->ObjectRect.Top + 3});
    C->FindActiveObject(Close->ObjectRect.Left + 3, Close->ObjectRect.Top + 3, true);
    EXPECT_TRUE(Hint->HintTimerRunning());
    FClock.Clock.Advance(500);
    ASSERT_TRUE(Hint->IsVisible());
    EXPECT_EQ(Hint->Window()->Caption(), u"Close");
    C->FindActiveObject(-1, -1, false);
    EXPECT_FALSE(Hint->IsVisible());
    // Without the switch no hint is asked for.
    C->ShowObjectHint = false;
    C->FindActiveObject(Close->ObjectRect.Left + 3, Close->ObjectRect.Top + 3, true);
    EXPECT_FALSE(Hint->HintTimerRunning());
    C->FindActiveObject(-1, -1, false);
}

TEST_F(SkinHint, ASkinnedControlsTitleAndImageShowInTheApplicationsHint)
{
    // A skinned panel with a hint, a title and a red 16 x 16 image.
    auto* IL = new TImageList(Main);
    IL->SetWidth(16);
    IL->SetHeight(16);
    TBitmap Red;
    Red.SetPixelFormat(pf24bit);
    Red.SetSize(16, 16);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect({0, 0, 16, 16});
    IL->Add(&Red);
    auto* Panel = new TsfSkinPanel(Main);
    Panel->SetParent(Main);
    Panel->SetBounds(20, 20, 120, 80);
    Panel->SetHint(u"Body");
    Panel->SetShowHint(true);
    Panel->SetHintTitle(u"Head");
    Panel->SetHintImageList(IL);
    Panel->SetHintImageIndex(0);
    Pump();
    // The plain hint of the same text, for comparison.
    Hint->SetSkinData(nullptr);
    Hint->ActivateHint({200, 200}, u"Body");
    const TRect Plain = HintRect();
    Hint->HideHint();
    const TPoint P = Panel->ClientToScreen({60, 40});
    MovePointer(P);
    Pump();
    Application->ActivateHint(P);
    auto* W = dynamic_cast<TsfSkinHintWindow*>(Application->HintWindow());
    ASSERT_NE(W, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return W->HandleAllocated() && IsWindowVisible(W->Handle()); }));
    EXPECT_EQ(W->Caption(), u"Body");
    RECT R;
    GetWindowRect(W->Handle(), &R);
    // Room for the title above and the image beside the text.
    EXPECT_GE(R.right - R.left, Plain.Width() + 16);
    EXPECT_GT(R.bottom - R.top, Plain.Height());
    int RedPixels = 0;
    ASSERT_TRUE(PumpUntil([&] {
        const auto Shot = CaptureScreen({R.left, R.top, R.right, R.bottom});
        RedPixels = 0;
        for (int Y = 0; Y < Shot->Height(); ++Y)
            for (int X = 0; X < Shot->Width(); ++X) RedPixels += Shot->Pixel(X, Y) == ScreenRGB(clRed);
        return RedPixels == 16 * 16;
    })) << RedPixels;
    // A control without a title: the plain hint again.
    Panel->SetHintTitle(u"");
    Panel->SetHintImageList(nullptr);
    Application->ActivateHint(P);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(W->Handle()); }));
    GetWindowRect(W->Handle(), &R);
    EXPECT_EQ(R.bottom - R.top, Plain.Height());
    Application->CancelHint();
}

TEST_F(SkinHint, DelayedHintsWithATitleOrBesideARectangle)
{
    Hint->SetSkinData(nullptr);
    Hint->ActivateHint({200, 200}, u"text");
    const TRect Plain = HintRect();
    Hint->HideHint();
    // With a title: after the pause, taller than the plain one, at the cursor.
    Hint->ActivateHintEx2(u"Title", u"text", nullptr, 0);
    FClock.Clock.Advance(499);
    EXPECT_FALSE(Hint->IsVisible());
    FClock.Clock.Advance(1);
    ASSERT_TRUE(Hint->IsVisible());
    EXPECT_GT(HintRect().Height(), Plain.Height());
    EXPECT_EQ(HintRect().Left, 400);
    FClock.Clock.Advance(2500);
    EXPECT_FALSE(Hint->IsVisible());
    // Beside a rectangle: above it, centred, and its title gone with the last showing.
    Hint->ActivateHint3({300, 300, 340, 320}, u"text", true);
    FClock.Clock.Advance(500);
    ASSERT_TRUE(Hint->IsVisible());
    const TRect R = HintRect();
    EXPECT_EQ(R.Bottom, 300);
    EXPECT_EQ(R.Left, 320 - R.Width() / 2);
    EXPECT_EQ(R.Height(), Plain.Height());
    FClock.Clock.Advance(2500);
    EXPECT_FALSE(Hint->IsVisible());
}
