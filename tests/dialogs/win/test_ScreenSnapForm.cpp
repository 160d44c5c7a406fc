// The capture selection window with the system's own input on the screen.
#include <gtest/gtest.h>

#include "DialogTest.h"
#include "dialogs/win/ScreenSnapForm.h"

using namespace ScreenCapture;

namespace {

class ScreenSnapFormTest : public GlobalsTest {
protected:
    // A known picture on the screen's top-left corner, then frozen.
    TForm* Backdrop = nullptr;
    void ShowBackdrop()
    {
        Backdrop = NewForm(0, 0, 64, 64);
        Backdrop->SetBorderStyle(bsNone);
        Backdrop->SetBounds(0, 0, 64, 64);
        Backdrop->OnPaint = [this](TObject*) {
            TCanvas* C = Backdrop->Canvas();
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x) SetPixel(C->Handle(), x, y, RGB(x * 4, y * 4, 128));
        };
        Backdrop->Show();
        WaitShown(Backdrop);
        ASSERT_TRUE(guitest::WaitForScreen(TRect{0, 0, 64, 64}));
    }
};

TEST_F(ScreenSnapFormTest, TwoPressesMarkTheRectangleWithBothCornerPixels)
{
    ShowBackdrop();
    auto Shot = guitest::ReadScreen(TRect{0, 0, 64, 64});
    TBitmap Result;
    auto Form = std::make_unique<TfrmSnapScreen>(nullptr);
    auto* F = Form.get();
    F->FBitmap = &Result;
    F->SnapScreen(false);
    F->SetSnapMode(smRect, 0, 0);
    WhenModal(F, [] {
        guitest::MovePointer(TPoint{10, 10});
        guitest::LeftButton(true);
        guitest::Pump();
        guitest::LeftButton(false);
        guitest::Pump();
        Click(TPoint{5, 20});
    });
    EXPECT_EQ(F->ShowModal(), mrOk);
    ASSERT_EQ(Result.Width(), 6);
    ASSERT_EQ(Result.Height(), 11);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 6; ++x) {
            const DWORD Row = static_cast<const DWORD*>(Result.ScanLine(y))[x] & 0xFFFFFF;
            EXPECT_EQ(Row, Shot->Pixel(5 + x, 10 + y)) << x << "," << y;
        }
}

TEST_F(ScreenSnapFormTest, EnterAndArrowsMarkWithoutTheMouse)
{
    TBitmap Result;
    auto Form = std::make_unique<TfrmSnapScreen>(nullptr);
    auto* F = Form.get();
    F->FBitmap = &Result;
    F->SnapScreen(false);
    F->SetSnapMode(smRect, 0, 0);
    guitest::MovePointer(TPoint{30, 30});
    WhenModal(F, [] {
        guitest::MovePointer(TPoint{30, 30});
        QueueKey(VK_RETURN);
        guitest::Pump();
        for (WORD K : {VK_RIGHT, VK_RIGHT, VK_DOWN}) {
            QueueKey(K);
            guitest::Pump();
        }
        guitest::PumpUntil([] {
            POINT P;
            GetCursorPos(&P);
            return P.x == 32 && P.y == 31;
        });
        guitest::Pump();
        QueueKey(VK_RETURN);
    });
    EXPECT_EQ(F->ShowModal(), mrOk);
    EXPECT_EQ(F->Selection().CurRect(), (TRect{30, 30, 33, 32}));
    EXPECT_EQ(Result.Width(), 3);
    EXPECT_EQ(Result.Height(), 2);
}

TEST_F(ScreenSnapFormTest, EscapeAndARightReleaseCancel)
{
    for (int Way = 0; Way < 2; ++Way) {
        TBitmap Result;
        auto Form = std::make_unique<TfrmSnapScreen>(nullptr);
        auto* F = Form.get();
        F->FBitmap = &Result;
        F->SnapScreen(false);
        F->SetSnapMode(Way == 0 ? smRect : smFixRect, 40, 40);
        WhenModal(F, [Way] {
            guitest::MovePointer(TPoint{50, 50});
            if (Way == 0) {
                QueueKey(VK_ESCAPE);
            } else {
                INPUT In[2] = {};
                In[0].type = In[1].type = INPUT_MOUSE;
                In[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
                In[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
                SendInput(2, In, sizeof(INPUT));
            }
        });
        EXPECT_EQ(F->ShowModal(), mrCancel) << Way;
        EXPECT_EQ(Result.Width(), 0) << Way;
    }
}

} // namespace
