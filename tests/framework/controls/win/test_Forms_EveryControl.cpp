// A form with one of every control of the framework, built in code and shown
// on the display: what it shows (with a screenshot in the test's output
// folder), and creating and freeing it 500 times leaving the GDI objects and
// the windows of the thread where they were.
#include "EveryControlForm.h"
#include "GuiTest.h"
#include "HandleCount.h"

using namespace guitest;

namespace {

class EveryControl : public FormTest {};

TEST_F(EveryControl, TheFormShowsEachControlAndScrollsToTheFarOne)
{
    auto* form = new TEveryControlForm(nullptr);
    auto Free = ScopeExit([&] { delete form; });
    ShowAndWait(form);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    auto at = [](TControl* C, int X, int Y) {
        TPoint p = C->ClientToScreen(Point(X, Y));
        return ScreenPixel(p.X, p.Y);
    };
    // (ScreenPixel reads once the screen shows what the form painted.)
    EXPECT_EQ(at(form->Shape, 30, 30), RGB(255, 0, 0));
    EXPECT_EQ(at(form->Image, 30, 30), RGB(0, 255, 0));
    EXPECT_EQ(at(form, 90 + 30, 100 + 30), RGB(0, 0, 255));  // the image list's glyph in the paint box
    EXPECT_TRUE(form->VertScrollBar()->IsScrollBarVisible());
    EXPECT_TRUE(form->HorzScrollBar()->IsScrollBarVisible());

    // The screenshot of the whole form, in the test's folder.
    RECT r;
    GetWindowRect(form->Handle(), &r);
    TBitmap shot;
    shot.SetSize(r.right - r.left, r.bottom - r.top);
    // One copy of the screen's pixels, as the checks above see them (read
    // point by point, each pixel was a round trip to the display).
    WaitForScreen(TRect{r.left, r.top, r.right, r.bottom});
    HDC screen = GetDC(nullptr);
    BitBlt(shot.Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    shot.SaveToFile(u"EveryControl.bmp");
    EXPECT_TRUE(FileExists(u"EveryControl.bmp"));
}

TEST_F(EveryControl, MakingAndFreeingTheForm500TimesLeavesTheHandleCountsFlat)
{
    auto once = [] {
        auto* form = new TEveryControlForm(nullptr);
        form->Show();
        UpdateWindow(form->Handle());
        Pump();
        delete form;
        Pump();
    };
    // The platform's own first-use objects come with the first rounds.
    for (int i = 0; i < 3; ++i) once();
    const int gdi = LiveGdiObjects(), windows = ThreadWindowCount();
    ASSERT_GT(gdi, 0);
    for (int i = 0; i < 500; ++i) once();
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(ThreadWindowCount(), windows);
}

} // namespace
