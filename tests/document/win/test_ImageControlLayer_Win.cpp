// The control layer on a real image view (Wine on an X display), read back
// from the screen: canvas handles at two zooms, a guide, the dotted frame and
// the size label of a canvas drag in the platform's text, and a paint tool's
// inverted outline.
#include "DocumentOnView.h"

#include "document/win/ImageControlLayer_Win.h"

using namespace guitest;

namespace {
constexpr COLORREF ScreenGrey = 0x808080, ScreenInvertedGrey = 0x7F7F7F;
constexpr COLORREF ScreenWhite = 0xFFFFFF, ScreenBlack = 0x000000;
constexpr COLORREF ScreenGuide = 0xFF844A;   // 0x4A84FF as the screen writes it
constexpr COLORREF ScreenLabel = 0x80FFFF;   // light yellow
}  // namespace

class ControlLayerOnView : public DocumentOnView {
protected:
    // The document replaced by a W x H grey canvas at Scale.
    void Remake(Integer W, Integer H, Single Scale)
    {
        Doc.reset();
        View->SetScale(Scale);
        Doc = std::make_unique<TImageDraw>(Adapter.get(), nullptr, nullptr, nullptr, nullptr, String(), 0, false,
                                           false, nullptr, W, H, 0x808080, false, 24);
        Doc->InitBitmap();
        Doc->SetScale(Scale);
    }
};

TEST_F(ControlLayerOnView, CanvasHandlesKeepTheirSizeOnScreen)
{
    for (Single Scale : {1.0f, 2.0f}) {
        SCOPED_TRACE(Scale);
        Remake(100, 50, Scale);
        Show();
        for (Integer i = 1; i <= 8; ++i) {
            SCOPED_TRACE(i);
            const TRect& H = Doc->CanvasCtrRect(i);
            ASSERT_EQ(H.Width(), 6);
            ASSERT_EQ(H.Height(), 6);
            EXPECT_EQ(At(H.Left, H.Top), ScreenBlack);
            EXPECT_EQ(At(H.Right - 1, H.Bottom - 1), ScreenBlack);
            EXPECT_EQ(At(H.Left + 2, H.Top + 2), ScreenWhite);
            EXPECT_EQ(At(H.Left + 3, H.Top + 3), ScreenWhite);
        }
        // Handle 3 touches the shown canvas's bottom-right corner.
        EXPECT_EQ(Doc->CanvasCtrRect(3).Left, Doc->OffsetHorz() + Doc->ScaleWidth());
        EXPECT_EQ(At(Doc->CanvasCtrRect(3).Left - 1, Doc->CanvasCtrRect(3).Top - 1), ScreenGrey);
    }
}

TEST_F(ControlLayerOnView, CanvasDragFrameLabelAndGuide)
{
    Remake(100, 50, 1);
    Doc->HorzGuidesRow()->AddItem(20);
    Doc->SetLeftMouseDown(true);
    Doc->SetCanvasCtrIndex(8);
    Doc->SetCanvasCtrDx(-30);
    Doc->SetCanvasDx(-30);
    Show();
    const Integer L = Doc->OffsetHorz(), T = Doc->OffsetVert();

    // The guide runs across the whole view.
    for (Integer x : {0, L + 50, View->GetViewportRect().Right - 1}) EXPECT_EQ(At(x, T + 20), ScreenGuide) << x;

    // The dotted frame around the canvas as dragged (right edge 30 pixels
    // in): every other pixel of its top edge is inverted.
    Integer Dots = 0;
    for (Integer x = L + 10; x < L + 60; ++x) Dots += At(x, T) == ScreenInvertedGrey;
    EXPECT_GE(Dots, 20);
    EXPECT_LE(Dots, 30);
    Integer RightEdge = 0, OldRightEdge = 0;
    for (Integer y = T + 5; y < T + 15; ++y) {
        RightEdge += At(L + 69, y) == ScreenInvertedGrey;
        OldRightEdge += At(L + 99, y) != ScreenGrey;
    }
    EXPECT_GE(RightEdge, 4);
    EXPECT_EQ(OldRightEdge, 0);

    // "70 × 50" on a light yellow box 15 pixels high, centred in the view,
    // as wide as the text and 3 pixels more on each side.
    const Integer Y = (View->Height() - 15) / 2;
    Integer Left = -1, Right = -1;
    for (Integer x = 0; x < View->Width(); ++x)
        if (At(x, Y) == ScreenLabel) {
            if (Left < 0) Left = x;
            Right = x;
        }
    ASSERT_GE(Left, 0);
    const Integer TextW = ControlLayerHooks.MeasureText(*View->Buffer(), u"70 \u00D7 50", 9);
    EXPECT_GT(TextW, 20);
    EXPECT_EQ(Right - Left + 1, TextW + 6);
    EXPECT_EQ(Left, (View->Width() - TextW) / 2 - 3);
    EXPECT_EQ(At(Left, Y + 14), ScreenLabel);
    EXPECT_NE(At(Left, Y + 15), ScreenLabel);
    // The text is written in black inside the box.
    Integer Ink = 0;
    for (Integer y = Y; y < Y + 15; ++y)
        for (Integer x = Left + 3; x < Right - 2; ++x) Ink += GetRValue(At(x, y)) < 0x60;
    EXPECT_GT(Ink, 20);

    // The same text with another width shows a box as much wider.
    Doc->SetCanvasDx(-1030);
    Show();
    Integer Wider = 0;
    for (Integer x = 0; x < View->Width(); ++x) Wider += At(x, Y) == ScreenLabel;
    EXPECT_EQ(Wider, ControlLayerHooks.MeasureText(*View->Buffer(), u"1 \u00D7 50", 9) + 6);
}

TEST_F(ControlLayerOnView, PencilOutlineInvertsThePicture)
{
    Remake(100, 50, 2);
    Doc->SetControlMode(cmProcess);
    Doc->SetProcessMode(pbmPencil);
    Doc->SetProcessWidth(5);
    Doc->SetMovedX(10);
    Doc->SetMovedY(10);
    Show();
    const TPoint M = Doc->ImageToView(10, 10);
    // The 10 x 10 square (5 image pixels at zoom 2) hangs from the mouse point.
    EXPECT_EQ(At(M), ScreenInvertedGrey);
    EXPECT_EQ(At(M.X + 9, M.Y + 9), ScreenInvertedGrey);
    EXPECT_EQ(At(M.X + 5, M.Y), ScreenInvertedGrey);
    EXPECT_EQ(At(M.X + 5, M.Y + 5), ScreenGrey);
    EXPECT_EQ(At(M.X + 10, M.Y + 10), ScreenGrey);
    EXPECT_EQ(At(M.X - 1, M.Y), ScreenGrey);
}

TEST(ControlLayerHooks, FocusFrameKeepsToTheClipRectangle)
{
    InstallControlLayerHooks();
    TBitmap32 B;
    B.SetSize(50, 50);
    B.Clear(0xFF808080);
    B.SetClipRect({0, 0, 20, 50});
    ControlLayerHooks.FocusRect(B, {5, 5, 45, 45});
    Integer Inside = 0, Outside = 0;
    for (Integer y = 0; y < 50; ++y)
        for (Integer x = 0; x < 50; ++x)
            if ((B.Pixel(x, y) & 0xFFFFFF) != 0x808080) ++(x < 20 ? Inside : Outside);
    EXPECT_GT(Inside, 20);
    EXPECT_EQ(Outside, 0);
    // The next paint draws the whole frame again.
    B.ResetClipRect();
    ControlLayerHooks.FocusRect(B, {5, 5, 45, 45});
    Integer Right = 0;
    for (Integer y = 5; y < 45; ++y) Right += (B.Pixel(44, y) & 0xFFFFFF) != 0x808080;
    EXPECT_GE(Right, 19);
}
