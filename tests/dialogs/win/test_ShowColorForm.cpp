// A screen colour pick with the system's own input: the follower shows the
// frozen screen's colour, and no end leaves the left button held.
#include <gtest/gtest.h>

#include "DialogTest.h"
#include "dialogs/win/ShowColorForm.h"

using namespace ScreenCapture;

namespace {

struct TEnded {
    int Count = 0;
    Integer Code = 0;
    TColor Color = 0;
    TPickEnd Action;
};

class ShowColorFormTest : public GlobalsTest {
protected:
    void ShowBackdrop()
    {
        TForm* Backdrop = NewForm(0, 0, 64, 64);
        Backdrop->SetBorderStyle(bsNone);
        Backdrop->SetBounds(0, 0, 64, 64);
        Backdrop->OnPaint = [Backdrop](TObject*) {
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x) SetPixel(Backdrop->Canvas()->Handle(), x, y, RGB(x * 4, y * 4, 77));
        };
        Backdrop->Show();
        WaitShown(Backdrop);
        ASSERT_TRUE(guitest::WaitForScreen(TRect{0, 0, 64, 64}));
    }
    static bool LeftHeld() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }
};

TEST_F(ShowColorFormTest, ALeftReleaseHandsTheFrozenColourToTheSource)
{
    ShowBackdrop();
    const COLORREF Want = guitest::ScreenPixel(12, 20);
    TEnded E;
    TScreenColorPick Pick([&](Integer Code, TColor Color, const TPickEnd& A) {
        ++E.Count;
        E.Code = Code;
        E.Color = Color;
        E.Action = A;
    });
    guitest::MovePointer(TPoint{40, 40});
    Pick.Start(u"clFillColor");
    ASSERT_TRUE(Pick.Running());
    guitest::Pump();
    guitest::MovePointer(TPoint{12, 20});
    ASSERT_TRUE(guitest::PumpUntil([&] { return Pick.Follower()->Left() == 32; }));
    EXPECT_EQ(Pick.Follower()->Top(), 20);
    EXPECT_EQ(static_cast<COLORREF>(Pick.Follower()->Color()), Want);
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return E.Count == 1; }));
    EXPECT_EQ(E.Code, 2);
    EXPECT_EQ(static_cast<COLORREF>(E.Color), Want);
    EXPECT_TRUE(E.Action.ApplyColor);
    EXPECT_FALSE(E.Action.ReleaseLeft);
    EXPECT_FALSE(Pick.Running());
    EXPECT_FALSE(LeftHeld());
}

TEST_F(ShowColorFormTest, ARightButtonEndLeavesNoButtonDown)
{
    TEnded E;
    TScreenColorPick Pick([&](Integer, TColor, const TPickEnd& A) {
        ++E.Count;
        E.Action = A;
    });
    guitest::MovePointer(TPoint{40, 40});
    Pick.Start(u"clColor");
    ASSERT_TRUE(guitest::PumpUntil([] { return LeftHeld(); }));
    INPUT In[2] = {};
    In[0].type = In[1].type = INPUT_MOUSE;
    In[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    In[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, In, sizeof(INPUT));
    ASSERT_TRUE(guitest::PumpUntil([&] { return E.Count == 1; }));
    EXPECT_FALSE(E.Action.ApplyColor);
    EXPECT_TRUE(E.Action.ReleaseLeft);
    EXPECT_TRUE(guitest::PumpUntil([] { return !LeftHeld(); }));
}

TEST_F(ShowColorFormTest, LosingTheCaptureEndsThePickAndReleasesTheButton)
{
    TForm* Other = NewForm(300, 300, 50, 50);
    ShowAndWait(Other);
    TEnded E;
    TScreenColorPick Pick([&](Integer, TColor, const TPickEnd& A) {
        ++E.Count;
        E.Action = A;
    });
    guitest::MovePointer(TPoint{40, 40});
    Pick.Start(u"cbCanvasColor");
    ASSERT_TRUE(guitest::PumpUntil([] { return LeftHeld(); }));
    SetCapture(Other->Handle());
    ASSERT_TRUE(guitest::PumpUntil([&] { return E.Count == 1; }));
    ReleaseCapture();
    EXPECT_TRUE(E.Action.ReleaseLeft);
    EXPECT_FALSE(E.Action.ApplyColor);
    EXPECT_TRUE(guitest::PumpUntil([] { return !LeftHeld(); }));
}

TEST_F(ShowColorFormTest, AnUnknownSourceStartsNothing)
{
    TScreenColorPick Pick([](Integer, TColor, const TPickEnd&) {});
    Pick.Start(u"btnOk");
    EXPECT_FALSE(Pick.Running());
    EXPECT_EQ(Pick.Follower(), nullptr);
}

} // namespace
