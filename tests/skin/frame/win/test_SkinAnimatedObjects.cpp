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
    auto* L = Object<TsfSkinLabelObject>(C, u"textlabel");
    ASSERT_NE(L, nullptr);
    const TRect R = L->ObjectRect;
    auto Inked = [&](const TDib& D, DWORD Ink) {
        int N = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) N += D.Pixel(x, y) == Ink;
        return N;
    };
    C->LabelSetText(u"textlabel", u"");
    const int Blank = Inked(*FrameInto(C->Form()), 0);
    C->LabelSetText(u"textlabel", u"WWW");
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

namespace {

class CaptionMainMenu : public FrameObjectsTest {
protected:
    TMenuItem* Item(TMenuItem* Parent, const char16_t* Name, const char16_t* Caption)
    {
        auto* I = new TMenuItem(Menu);
        I->SetName(Name);
        I->SetCaption(Caption);
        Parent->Add(I);
        return I;
    }
    // File (Open, Close), Edit (Undo), Go (a command), a hidden item, Off (disabled).
    void MakeMenu(TCustomForm* F)
    {
        Menu = new TMainMenu(F);
        TMenuItem* File = Item(Menu->Items(), u"mFile", u"&File");
        Item(File, u"mOpen", u"Open");
        Item(File, u"mClose", u"Close");
        Item(Item(Menu->Items(), u"mEdit", u"&Edit"), u"mUndo", u"Undo");
        Item(Menu->Items(), u"mGo", u"&Go")->OnClick = [this](TObject*) { ++Runs; };
        Item(Menu->Items(), u"mHidden", u"Hidden")->SetVisible(false);
        Item(Menu->Items(), u"mOff", u"&Off")->SetEnabled(false);
    }
    void Key(TCustomForm* F, Integer VK)
    {
        PostMessageW(F->Handle(), WM_KEYDOWN, WPARAM(VK), 0);
        Pump();
    }
    TsfSkinMainMenuItem* MenuObject(TsfSkinForm* C, const char16_t* Name)
    {
        return Object<TsfSkinMainMenuItem>(C, Name);
    }
    TMainMenu* Menu = nullptr;
    int Runs = 0;
};

} // namespace

TEST_F(CaptionMainMenu, ItemsSitSideBySideAndHideWhenTheyDoNotFit)
{
    TsfSkinForm* C = NewObjectsForm(400, 160);
    MakeMenu(C->Form());
    C->SetMainMenu(Menu);
    const char16_t* Names[] = {u"mFile", u"mEdit", u"mGo", u"mOff"};
    FrameInto(C->Form());  // places them
    Integer Left = 120;
    for (const char16_t* N : Names) {
        auto* I = MenuObject(C, N);
        ASSERT_NE(I, nullptr) << UTF8Encode(N);
        EXPECT_EQ(I->ObjectRect.Left, Left);
        EXPECT_EQ(I->ObjectRect.Top, 16);
        EXPECT_GT(I->ObjectRect.Width(), 10);
        Left = I->ObjectRect.Right;
    }
    EXPECT_EQ(MenuObject(C, u"mHidden"), nullptr);
    auto D = FrameInto(C->Form());
    auto* File = MenuObject(C, u"mFile");
    EXPECT_EQ(PixelOf(*D, File, 1, 1), ScreenRGB(MenuItemNormal));
    // The fixed ends are copied 1:1; a disabled caption is drawn in the disabled colour.
    auto* Off = MenuObject(C, u"mOff");
    int Grey = 0;
    for (int y = 0; y < Off->ObjectRect.Height(); ++y)
        for (int x = 0; x < Off->ObjectRect.Width(); ++x) Grey += PixelOf(*D, Off, x, y) == ScreenRGB(clGray);
    EXPECT_GT(Grey, 3);
    // Narrowed, the last items leave; widened, they come back with their own enabled
    // state. The area ends 4 pixels before the form's right edge.
    auto* Go = MenuObject(C, u"mGo");
    const Integer OffRight = Off->ObjectRect.Right, GoRight = Go->ObjectRect.Right;
    struct { Integer Width; bool GoShown, OffShown; } Cases[] = {
        {OffRight + 4, true, true}, {OffRight + 3, true, false}, {400, true, true},
        {GoRight + 3, false, false}, {400, true, true},
    };
    for (const auto& K : Cases) {
        C->Form()->SetWidth(K.Width);
        Pump();
        FrameInto(C->Form());
        EXPECT_EQ(Go->Visible, K.GoShown) << K.Width;
        EXPECT_EQ(Go->Enabled, K.GoShown) << K.Width;
        EXPECT_EQ(Off->Visible, K.OffShown) << K.Width;
        EXPECT_FALSE(Off->Enabled);
    }
    // Without a menu the items go.
    C->SetMainMenu(nullptr);
    EXPECT_EQ(MenuObject(C, u"mFile"), nullptr);
}

TEST_F(CaptionMainMenu, OpenMenuFollowsTheMouseAndTheKeysWalkTheItems)
{
    TsfSkinForm* C = NewObjectsForm(400, 160);
    TCustomForm* F = C->Form();
    MakeMenu(F);
    C->SetMainMenu(Menu);
    FrameInto(F);
    std::vector<std::string> Log;
    C->OnMainMenuEnter = [&](TObject*) { Log.push_back("enter"); };
    C->OnMainMenuExit = [&](TObject*) { Log.push_back("exit"); };
    auto* File = MenuObject(C, u"mFile");
    auto* Edit = MenuObject(C, u"mEdit");
    auto* Go = MenuObject(C, u"mGo");
    auto OpenItems = [&] {
        TsfSkinPopupWindow* L = C->SkinMenu()->DeepestLevel();
        return L && !L->ItemList.empty() ? L->ItemList[0]->MenuItem->Name() : String();
    };
    // A press opens the item's menu and enters the main menu.
    Click(C, File, 8, 7);
    EXPECT_TRUE(File->Down());
    EXPECT_TRUE(C->InMainMenu);
    EXPECT_EQ(OpenItems(), u"mOpen");
    EXPECT_TRUE(ScreenShows(C, File, 1, 1, MenuItemDown));
    // Over the neighbour the open menu moves there.
    MovePointer(ScreenPoint(C, Edit, 8, 7));
    FClock.Clock.Advance(50);
    Pump();
    EXPECT_FALSE(File->Down());
    EXPECT_TRUE(Edit->Down());
    EXPECT_EQ(OpenItems(), u"mUndo");
    EXPECT_TRUE(C->InMainMenu);
    // Escape closes the menu; the item stays highlighted and the main menu active.
    Key(F, VK_ESCAPE);
    EXPECT_FALSE(C->SkinMenu()->Visible());
    EXPECT_FALSE(Edit->Down());
    EXPECT_TRUE(Edit->Active);
    EXPECT_TRUE(C->InMainMenu);
    // Right moves on to Go; Return runs its command.
    Key(F, VK_RIGHT);
    EXPECT_FALSE(Edit->Active);
    EXPECT_TRUE(Go->Active);
    Key(F, VK_RETURN);
    EXPECT_EQ(Runs, 1);
    // Right from the last walkable item wraps to the first (Off is disabled); Down opens it.
    Key(F, VK_RIGHT);
    EXPECT_TRUE(File->Active);
    Key(F, VK_DOWN);
    EXPECT_TRUE(File->Down());
    EXPECT_EQ(OpenItems(), u"mOpen");
    // An accelerator takes its item: the open menu moves to it.
    Key(F, 'E');
    EXPECT_TRUE(Edit->Down());
    EXPECT_EQ(OpenItems(), u"mUndo");
    Key(F, VK_ESCAPE);
    Key(F, VK_ESCAPE);
    EXPECT_FALSE(C->InMainMenu);
    EXPECT_FALSE(C->AppHooked());
    EXPECT_EQ(Log, (std::vector<std::string>{"enter", "exit"}));
}
