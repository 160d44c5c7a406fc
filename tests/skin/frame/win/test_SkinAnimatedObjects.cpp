#include <gtest/gtest.h>

#include "FrameObjectsTest.h"

using namespace frameobjects;

namespace {

class SkinAnimatedObjects : public FrameObjectsTest {
protected:
    // Steps the skin clock a tick at a time while the animation runs; the frames seen.
    std::vector<Integer> PlayOut(TsfSkinAnimateObject* A)
    {
        std::vector<Integer> Frames;
        for (int i = 0; i < 20 && A->Active; ++i) {
            FClock.Clock.Advance(25);
            Frames.push_back(A->Frame());
        }
        return Frames;
    }
};

} // namespace

TEST_F(SkinAnimatedObjects, AnimationPlaysOnTheTimerAndHoverPlaysItBack)
{
    TsfSkinForm* C = NewObjectsForm();
    auto* A = Object<TsfSkinAnimateObject>(C, u"anim");
    ASSERT_NE(A, nullptr);
    auto FrameShown = [&] { return PixelOf(*FrameInto(C->Form()), A, 6, 6); };
    EXPECT_EQ(FrameShown(), ScreenRGB(AnimateFrames[0]));
    // 50 ms a frame on the 25 ms timer; a run that does not cycle stops on its last frame.
    C->AnimateStart(u"anim");
    EXPECT_TRUE(C->AnimateTimerRunning());
    EXPECT_EQ(PlayOut(A), (std::vector<Integer>{1, 2, 2, 3}));
    EXPECT_EQ(FrameShown(), ScreenRGB(AnimateFrames[2]));
    EXPECT_TRUE(ScreenShows(C, A, 6, 6, AnimateFrames[2]));
    FClock.Clock.Advance(25);
    EXPECT_FALSE(C->AnimateTimerRunning());  // nothing left to play
    C->AnimateStop(u"anim");
    EXPECT_EQ(A->Frame(), 1);
    EXPECT_TRUE(ScreenShows(C, A, 6, 6, AnimateFrames[0]));

    // A button-style object plays forwards while hovered and back to frame 1 when left.
    std::vector<String> Events;
    C->OnMouseEnterEvent = [&](const String& N) { Events.push_back(u"enter " + N); };
    C->OnMouseLeaveEvent = [&](const String& N) { Events.push_back(u"leave " + N); };
    MovePointer(ScreenPoint(C, A, 6, 6));
    FClock.Clock.Advance(50);  // the cursor poll notices the object
    ASSERT_TRUE(A->FMouseIn);
    PlayOut(A);
    EXPECT_EQ(A->Frame(), 3);
    EXPECT_TRUE(A->Increment());
    // Pressed, it shows its pressed picture; released, it goes on.
    LeftButton(true);
    Pump();
    EXPECT_TRUE(A->FDown);
    EXPECT_TRUE(ScreenShows(C, A, 6, 6, AnimateDown));
    LeftButton(false);
    Pump();
    EXPECT_FALSE(A->FDown);
    MovePointer({50, 600});
    FClock.Clock.Advance(50);
    EXPECT_FALSE(A->FMouseIn);
    EXPECT_FALSE(A->Increment());
    PlayOut(A);
    EXPECT_EQ(A->Frame(), 1);
    EXPECT_FALSE(A->Active);
    EXPECT_TRUE(ScreenShows(C, A, 6, 6, AnimateFrames[0]));
    EXPECT_EQ(Events, (std::vector<String>{u"enter anim", u"leave anim"}));
}

TEST_F(SkinAnimatedObjects, LabelDrawsItsTextAndItsHotLook)
{
    TsfSkinForm* C = NewObjectsForm();
    auto* L = Object<TsfSkinLabelObject>(C, u"label");
    ASSERT_NE(L, nullptr);
    const TRect R = L->ObjectRect;
    auto Inked = [&](const TDib& D, DWORD Ink) {
        int N = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) N += D.Pixel(x, y) == Ink;
        return N;
    };
    C->LabelSetText(u"label", u"");
    const int Blank = Inked(*FrameInto(C->Form()), 0);
    C->LabelSetText(u"label", u"WWW");
    EXPECT_EQ(L->TextValue(), u"WWW");
    EXPECT_GT(Inked(*FrameInto(C->Form()), 0), Blank + 10);  // black text
    // Hot: the active background and the active colour.
    C->FindActiveObject(R.Left + 2, R.Top + 2, true);
    EXPECT_TRUE(L->Active);
    EXPECT_TRUE(ScreenShows(C, L, 1, 1, LabelHot));
    auto Hot = FrameInto(C->Form());
    EXPECT_EQ(PixelOf(*Hot, L, 1, 1), ScreenRGB(LabelHot));
    EXPECT_GT(Inked(*Hot, 0xFFFFFF), 10);
    C->FindActiveObject(-1, -1, false);
    EXPECT_NE(PixelOf(*FrameInto(C->Form()), L, 1, 1), ScreenRGB(LabelHot));
    // Without an active background and with one colour the hot look is the normal
    // one: a full painting still shows the text.
    L->ActiveSkinRect = {};
    L->ActiveFontColor = L->FontColor;
    C->FindActiveObject(R.Left + 2, R.Top + 2, true);
    EXPECT_GT(Inked(*FrameInto(C->Form()), 0), Blank + 10);
    C->FindActiveObject(-1, -1, false);
}

TEST_F(SkinAnimatedObjects, BitLabelCutsItsLastCellAndKeepsPlacesOfUnknownCharacters)
{
    TsfSkinForm* C = NewObjectsForm();
    auto* B = Object<TsfSkinBitLabelObject>(C, u"bits");
    ASSERT_NE(B, nullptr);
    C->BitLabelSetText(u"bits", u"");
    const auto Blank = FrameInto(C->Form());
    auto Background = [&](int X) { return PixelOf(*Blank, B, X, 4); };
    // 20 pixels hold three 6-pixel cells and 2 pixels of a fourth.
    struct { const char16_t* Text; int Cells[4]; } Cases[] = {
        {u"0153", {0, 1, 5, 3}},
        {u"x4", {-1, 4, -1, -1}},  // an unknown character keeps its place empty
        {u"22222", {2, 2, 2, 2}},
    };
    for (const auto& K : Cases) {
        C->BitLabelSetText(u"bits", K.Text);
        auto D = FrameInto(C->Form());
        for (int i = 0; i < 4; ++i) {
            const int X = i * 6 + 1;
            const DWORD Want = K.Cells[i] < 0 ? Background(X) : ScreenRGB(BitCells[K.Cells[i]]);
            EXPECT_EQ(PixelOf(*D, B, X, 4), Want) << UTF8Encode(K.Text) << " cell " << i;
        }
    }
    EXPECT_TRUE(ScreenShows(C, B, 19, 4, BitCells[2]));
    // A transparent label lets the frame show where its cells have the key colour.
    B->Transparent = true;
    B->TransparentColor = BitCells[1];
    C->BitLabelSetText(u"bits", u"01");
    auto D = FrameInto(C->Form());
    EXPECT_EQ(PixelOf(*D, B, 1, 4), ScreenRGB(BitCells[0]));
    EXPECT_EQ(PixelOf(*D, B, 7, 4), Background(7));
}
