// The skinned main menu bar: items from a main menu opening their submenus
// by click and following the mouse, an item without sub-items running its
// click, keyboard steps that wrap, the scroll marker of a narrow bar, and a
// maximised MDI child's buttons.
#include <gtest/gtest.h>

#include "SkinMdiTestEnv.h"
#include "skin/frame/win/SkinMainMenuBar.h"
#include "skin/frame/win/SkinMenus.h"

using namespace guitest;
using namespace skintest;
using namespace mditest;

namespace {

// File (Open, Exit), Edit (Undo), Run (no sub-items).
TMainMenu* NewMenu(TComponent* Owner, int& Runs)
{
    auto* M = new TMainMenu(Owner);
    auto Add = [&](TMenuItem* Parent, const String& Name, const String& Caption) {
        auto* I = new TMenuItem(M);
        I->SetName(Name);
        I->SetCaption(Caption);
        Parent->Add(I);
        return I;
    };
    TMenuItem* File = Add(M->Items(), u"FileItem", u"&File");
    Add(File, u"OpenItem", u"Open");
    Add(File, u"ExitItem", u"Exit");
    TMenuItem* Edit = Add(M->Items(), u"EditItem", u"&Edit");
    Add(Edit, u"UndoItem", u"Undo");
    TMenuItem* Run = Add(M->Items(), u"RunItem", u"&Run");
    Run->OnClick = [&Runs](TObject*) { ++Runs; };
    return M;
}

class SkinMainMenuBar : public SkinFormTest {
protected:
    TsfSkinMainMenuBar* NewBar(TCustomForm* F, TsfSkinForm* C, TMainMenu* M)
    {
        auto* Bar = new TsfSkinMainMenuBar(F);
        Bar->SetParent(F);
        Bar->SetSkinForm(C);
        Bar->SetMainMenu(M);
        return Bar;
    }
    TPoint Centre(TsfSkinMainMenuBar* Bar, const TsfMenuBarObject* O)
    {
        return Bar->ClientToScreen({(O->ObjectRect.Left + O->ObjectRect.Right) / 2, (O->ObjectRect.Top + O->ObjectRect.Bottom) / 2});
    }
};

class SkinMainMenuBarMdi : public SkinFormMdi {};

} // namespace

TEST_F(SkinMainMenuBar, ItemsOpenTheirMenusAndFollowTheMouse)
{
    TForm* F = NewForm(100, 100, 400, 200);
    auto* C = new TsfSkinForm(F);
    int Runs = 0;
    TsfSkinMainMenuBar* Bar = NewBar(F, C, NewMenu(F, Runs));
    ShowAndWait(F);
    EXPECT_EQ(C->MainMenuBar(), Bar);
    Bar->Repaint();
    Pump();
    const std::vector<TsfSkinMainMenuBarItem*> Items = Bar->Items();
    ASSERT_EQ(Items.size(), 3u);
    EXPECT_EQ(Items[0]->IDName, u"FileItem");
    EXPECT_EQ(Items[0]->ObjectRect.Left, 2);
    EXPECT_EQ(Items[1]->ObjectRect.Left, Items[0]->ObjectRect.Right);
    // A click opens File's menu; moving to Edit opens Edit's instead.
    MovePointer(Centre(Bar, Items[0]));
    LeftButton(true);
    LeftButton(false);
    ASSERT_TRUE(PumpUntil([&] { return C->SkinMenu()->Visible(); }));
    EXPECT_TRUE(Items[0]->FDown);
    EXPECT_TRUE(C->InMainMenu);
    MovePointer(Centre(Bar, Items[1]));
    ASSERT_TRUE(PumpUntil([&] { return Items[1]->FDown; }));
    EXPECT_FALSE(Items[0]->FDown);
    EXPECT_TRUE(C->SkinMenu()->Visible());
    C->SkinMenuClose();
    C->LeaveMainMenu();
    Pump();
    // An item without sub-items runs its click on the press.
    MovePointer(Centre(Bar, Items[2]));
    LeftButton(true);
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return Runs == 1; }));
    EXPECT_FALSE(C->SkinMenu()->Visible());
    MovePointer({10, 700});
    Pump();
}

TEST_F(SkinMainMenuBar, KeyboardStepsWrapAround)
{
    TForm* F = NewForm(100, 100, 400, 200);
    auto* C = new TsfSkinForm(F);
    int Runs = 0;
    TsfSkinMainMenuBar* Bar = NewBar(F, C, NewMenu(F, Runs));
    ShowAndWait(F);
    const std::vector<TsfSkinMainMenuBarItem*> Items = Bar->Items();
    // The keys reach the bar through the form component.
    auto Key = [&](WPARAM K) {
        MSG M{F->Handle(), WM_KEYDOWN, K, 0, 0, {}};
        C->MenuKeyDown(M);
    };
    EXPECT_TRUE(C->EnterMainMenu());
    EXPECT_TRUE(C->InMainMenu);
    EXPECT_TRUE(Items[0]->Active);
    Key(VK_LEFT);  // left on the first: the last
    EXPECT_TRUE(Items[2]->Active);
    EXPECT_FALSE(Items[0]->Active);
    Key(VK_RIGHT);  // right on the last: the first
    EXPECT_TRUE(Items[0]->Active);
    // An accelerator: Edit opens its menu.
    Key('E');
    EXPECT_TRUE(Items[1]->FDown);
    EXPECT_TRUE(C->SkinMenu()->Visible());
    // Escape closes its menu; the main menu stays active on the item.
    Key(VK_ESCAPE);
    EXPECT_FALSE(C->SkinMenu()->Visible());
    EXPECT_TRUE(C->InMainMenu);
    EXPECT_TRUE(Items[1]->Active);
    EXPECT_FALSE(Items[1]->FDown);
    // Right, then Enter on the item without sub-items: it runs.
    Key(VK_RIGHT);
    EXPECT_TRUE(Items[2]->Active);
    Key(VK_RETURN);
    EXPECT_EQ(Runs, 1);
    EXPECT_FALSE(C->InMainMenu);
    for (TsfSkinMainMenuBarItem* I : Items) EXPECT_FALSE(I->FDown);
}

TEST_F(SkinMainMenuBar, ANarrowBarListsTheItemsThatDoNotFit)
{
    TForm* F = NewForm(100, 100, 400, 200);
    auto* C = new TsfSkinForm(F);
    int Runs = 0;
    TsfSkinMainMenuBar* Bar = NewBar(F, C, NewMenu(F, Runs));
    Bar->SetAlign(alNone);
    ShowAndWait(F);
    const std::vector<TsfSkinMainMenuBarItem*> Items = Bar->Items();
    Bar->SetBounds(0, 0, Items[0]->ObjectRect.Width() + 20, 22);
    Bar->Repaint();
    Pump();
    EXPECT_TRUE(Bar->Scroll);
    EXPECT_TRUE(Items[0]->Fits);
    EXPECT_FALSE(Items[1]->Fits);
    EXPECT_FALSE(Items[2]->Enabled);  // out of room: disabled, its own state kept
    const TRect M = MenuBarScrollMarker(Bar->NewItemsRect);
    MovePointer(Bar->ClientToScreen({M.Left + 2, M.Top + 5}));
    LeftButton(true);
    LeftButton(false);
    EXPECT_TRUE(PumpUntil([&] { return C->SkinMenu()->Visible(); }));
    C->SkinMenuClose();
    // Wide again: every item back with its own state.
    Bar->SetWidth(400);
    Bar->Repaint();
    Pump();
    EXPECT_FALSE(Bar->Scroll);
    EXPECT_TRUE(Items[2]->Enabled);
    MovePointer({10, 700});
    Pump();
}

TEST_F(SkinMainMenuBarMdi, AMaximisedChildBringsItsButtons)
{
    int Runs = 0;
    auto* Bar = new TsfSkinMainMenuBar(Main);
    Bar->SetParent(Main);
    Bar->SetSkinForm(MainC);
    Bar->SetMainMenu(NewMenu(Main, Runs));
    NewChildren(2);
    GetSkinForm(Kids[0])->SetBorderIcons(sfbiSystemMenu | sfbiMaximize);  // no minimise
    Kids[0]->Show();
    Pump();
    GetSkinForm(Kids[0])->SetWindowState(wsMaximized);
    Pump();
    ASSERT_EQ(Bar->ButtonsCount, 4);
    auto B = [&](int I) { return static_cast<TsfSkinMainMenuBarButton*>(Bar->ObjectList[size_t(I)].get()); };
    EXPECT_EQ(B(0)->Command, cmSysMenu);
    EXPECT_EQ(B(1)->Command, cmClose);
    EXPECT_EQ(B(2)->Command, cmMaximize);
    EXPECT_EQ(B(3)->Command, cmMinimize);
    EXPECT_FALSE(B(3)->Enabled);
    EXPECT_TRUE(B(1)->Enabled);
    // The restore button restores the child; the buttons go.
    Bar->Repaint();
    Pump();
    B(2)->MouseDown(0, 0, mbLeft);
    B(2)->MouseUp(B(2)->ObjectRect.Left + 1, B(2)->ObjectRect.Top + 1, mbLeft);
    Pump();
    EXPECT_EQ(GetSkinForm(Kids[0])->WindowState(), wsNormal);
    EXPECT_EQ(Bar->ButtonsCount, 0);
}

namespace {

void FillPiece(TDibImage& Pic, const TRect& R, TColor C)
{
    for (Integer Y = R.Top; Y < R.Bottom; ++Y)
        for (Integer X = R.Left; X < R.Right; ++X) {
            uint8_t* P = Pic.ScanLine(Y) + 3 * X;
            P[0] = uint8_t(C >> 16), P[1] = uint8_t(C >> 8), P[2] = uint8_t(C);
        }
}

} // namespace

TEST_F(SkinMainMenuBar, SkinnedItemsAnimateMorphAndBecomeToolButtons)
{
    // "Rire" with its bar item and tool pieces pointed at plain colours.
    constexpr TColor Normal = 0xC0C0C0, Hot = 0x80C0F0, Down = 0x604020, Frames[3] = {0x000080, 0x008000, 0x800000};
    constexpr TColor ToolNormal = 0x808000, ToolHot = 0x008080, Panel = 0x404080;
    TsfSkinData* S = Skin(u"Rire");
    TDibImage Pic;
    Pic.Allocate(200, 60, pf24bit);
    FillPiece(Pic, {0, 0, 200, 60}, clWhite);
    FillPiece(Pic, {0, 0, 30, 20}, Normal);
    FillPiece(Pic, {30, 0, 60, 20}, Hot);
    FillPiece(Pic, {60, 0, 90, 20}, Down);
    for (int I = 0; I < 3; ++I) FillPiece(Pic, {I * 30, 20, I * 30 + 30, 40}, Frames[I]);
    FillPiece(Pic, {100, 0, 130, 20}, ToolNormal);
    FillPiece(Pic, {130, 0, 160, 20}, ToolHot);
    FillPiece(Pic, {100, 20, 200, 60}, Panel);
    S->FActivePictures.push_back(std::move(Pic));
    const Integer P = Integer(S->FActivePictures.size()) - 1;
    auto* D = dynamic_cast<TsfDataSkinMainMenuBarItem*>(S->ObjectList[size_t(S->GetIndex(u"mainmenubaritem"))].get());
    ASSERT_TRUE(D);
    D->ActivePictureIndex = P;
    D->SkinRect = {0, 0, 30, 20};
    D->ActiveSkinRect = {30, 0, 60, 20};
    D->DownRect = {60, 0, 90, 20};
    D->StretchEffect = false;
    D->AnimateSkinRect = {0, 20, 90, 40};  // three frames side by side
    D->FrameCount = 3;
    D->AnimateInterval = 40;
    auto Tool = [&](const char16_t* Name, const TRect& R, const TRect& HotR) {
        auto* T = dynamic_cast<TsfDataSkinCustomControl*>(S->CtrlList[size_t(S->GetControlIndex(Name))].get());
        ASSERT_TRUE(T);
        T->PictureIndex = P;
        T->MaskPictureIndex = -1;
        T->SkinRect = R;
        if (auto* B = dynamic_cast<TsfDataSkinButtonControl*>(T)) B->ActiveSkinRect = B->DownSkinRect = HotR;
    };
    Tool(u"resizetoolbutton", {100, 0, 130, 20}, {130, 0, 160, 20});
    Tool(u"resizetoolpanel", {100, 20, 200, 60}, {});
    S->EnableSkinEffects = true;

    TForm* F = NewForm(100, 100, 400, 200);
    auto* C = new TsfSkinForm(F);
    C->SetSkinData(S);
    int Runs = 0;
    auto* Bar = new TsfSkinMainMenuBar(F);
    Bar->SetParent(F);
    Bar->SetSkinData(S);
    Bar->SetSkinForm(C);
    Bar->SetMainMenu(NewMenu(F, Runs));
    ShowAndWait(F);
    const std::vector<TsfSkinMainMenuBarItem*> Items = Bar->Items();
    ASSERT_EQ(Items.size(), 3u);
    // The items' left end columns show their looks.
    auto Shows = [&](const TsfSkinMainMenuBarItem* I, TColor Want) {
        const TPoint At = Bar->ClientToScreen({I->ObjectRect.Left + 1, (I->ObjectRect.Top + I->ObjectRect.Bottom) / 2});
        return PumpUntil([&] { return ScreenPixelNow(At.X, At.Y) == COLORREF(Want); });
    };
    const TPoint Away = Bar->ClientToScreen({Bar->Width() / 2, Bar->Height() + 60});
    auto Leave = [&](TsfSkinMainMenuBarItem* I) {
        MovePointer(Away);
        return PumpUntil([&] {
            FClock.Clock.Advance(0);
            return !I->Active;
        });
    };
    EXPECT_TRUE(Shows(Items[0], Normal));

    // Hovering plays the frames one interval apart, then the hot look; the timer stops.
    MovePointer(Centre(Bar, Items[0]));
    ASSERT_TRUE(PumpUntil([&] { return Items[0]->Active; }));
    EXPECT_TRUE(Bar->AnimateTimerRunning());
    EXPECT_EQ(Items[0]->CurrentFrame, 0);
    for (int I = 0; I < 3; ++I) {
        FClock.Clock.Advance(40);
        EXPECT_EQ(Items[0]->CurrentFrame, I + 1);
        EXPECT_TRUE(Shows(Items[0], Frames[I])) << I;
    }
    FClock.Clock.Advance(40);
    EXPECT_TRUE(Shows(Items[0], Hot));
    FClock.Clock.Advance(40);
    EXPECT_FALSE(Bar->AnimateTimerRunning());
    // Leaving goes straight back to the normal look ...
    ASSERT_TRUE(Leave(Items[0]));
    EXPECT_EQ(Items[0]->CurrentFrame, 0);
    EXPECT_TRUE(Shows(Items[0], Normal));
    // ... or, with the inactive animation, plays the frames back.
    Items[0]->InActiveAnimation = true;
    MovePointer(Centre(Bar, Items[0]));
    ASSERT_TRUE(PumpUntil([&] { return Items[0]->Active; }));
    FClock.Clock.Advance(200);
    EXPECT_EQ(Items[0]->CurrentFrame, 4);
    ASSERT_TRUE(Leave(Items[0]));
    FClock.Clock.Advance(40);
    EXPECT_EQ(Items[0]->CurrentFrame, 3);
    EXPECT_TRUE(Shows(Items[0], Frames[2]));
    FClock.Clock.Advance(120);
    EXPECT_EQ(Items[0]->CurrentFrame, 0);
    EXPECT_TRUE(Shows(Items[0], Normal));

    // A morphing item without animation: a fifth of the way every 25 ms, then the timer stops.
    Items[1]->AnimateSkinRect = {};
    Items[1]->Morphing = true;
    MovePointer(Centre(Bar, Items[1]));
    ASSERT_TRUE(PumpUntil([&] { return Items[1]->Active; }));
    EXPECT_TRUE(Bar->MorphTimerRunning());
    FClock.Clock.Advance(25);
    EXPECT_DOUBLE_EQ(Items[1]->MorphKf(), 0.2);
    FClock.Clock.Advance(100);
    EXPECT_DOUBLE_EQ(Items[1]->MorphKf(), 1.0);
    FClock.Clock.Advance(25);
    EXPECT_FALSE(Bar->MorphTimerRunning());
    EXPECT_TRUE(Shows(Items[1], Hot));
    ASSERT_TRUE(Leave(Items[1]));
    FClock.Clock.Advance(50);
    EXPECT_NEAR(Items[1]->MorphKf(), 0.6, 1e-9);
    FClock.Clock.Advance(100);
    EXPECT_DOUBLE_EQ(Items[1]->MorphKf(), 0.0);
    EXPECT_TRUE(Shows(Items[1], Normal));

    // Tool-bar mode without the skin's size: a tool panel with tool buttons.
    Bar->ToolBarMode = true;
    Bar->UseSkinSize = false;
    Bar->Invalidate();
    const TPoint End = Bar->ClientToScreen({Bar->Width() - 3, Bar->Height() / 2});
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixelNow(End.X, End.Y) == COLORREF(Panel); }));
    EXPECT_TRUE(Shows(Items[2], ToolNormal));
    MovePointer(Centre(Bar, Items[2]));
    ASSERT_TRUE(PumpUntil([&] { return Items[2]->Active; }));
    EXPECT_TRUE(Shows(Items[2], ToolHot));
    // With transparent tool items the normal look is the panel itself.
    Bar->ToolBarModeItemTransparent = true;
    Bar->Invalidate();
    EXPECT_TRUE(Shows(Items[0], Panel));
}

TEST_F(SkinMainMenuBar, ItemsShowTheirImagesBeforeTheirCaptions)
{
    TForm* F = NewForm(100, 100, 400, 200);
    auto* C = new TsfSkinForm(F);
    int Runs = 0;
    TMainMenu* M = NewMenu(F, Runs);
    TsfSkinMainMenuBar* Bar = NewBar(F, C, M);
    ShowAndWait(F);
    Bar->Repaint();
    Pump();
    const Integer Plain = Bar->Items()[1]->ObjectRect.Width();
    // A red 16 x 16 image for Edit from the menu's image list.
    auto* IL = new TImageList(F);
    IL->SetWidth(16);
    IL->SetHeight(16);
    TBitmap Red;
    Red.SetPixelFormat(pf24bit);
    Red.SetSize(16, 16);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect({0, 0, 16, 16});
    IL->Add(&Red);
    M->SetImages(IL);
    M->Items()->Items(1)->SetImageIndex(0);
    Bar->UpDateItems();
    Bar->Repaint();
    Pump();
    const TsfSkinMainMenuBarItem* Edit = Bar->Items()[1];
    // The image and 5 pixels more than the caption alone.
    EXPECT_EQ(Edit->ObjectRect.Width(), Plain + 16 + 5);
    const TPoint At = Bar->ClientToScreen({Edit->ObjectRect.Left + 2 + 8, (Edit->ObjectRect.Top + Edit->ObjectRect.Bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixelNow(At.X, At.Y) == COLORREF(ColorToRGB(clRed)); }));
    // An index beyond the list shows nothing and takes no room.
    M->Items()->Items(1)->SetImageIndex(5);
    Bar->UpDateItems();
    Bar->Repaint();
    Pump();
    EXPECT_EQ(Bar->Items()[1]->ObjectRect.Width(), Plain);
}

TEST_F(SkinMainMenuBar, DefaultSizesAndFontWithoutSkinAndTheSkinsHeightWithIt)
{
    TForm* F = NewForm(100, 100, 400, 200);
    auto* C = new TsfSkinForm(F);
    int Runs = 0;
    TsfSkinMainMenuBar* Bar = NewBar(F, C, NewMenu(F, Runs));
    Bar->SetAlign(alNone);
    ShowAndWait(F);
    Bar->SetDefaultWidth(300);
    Bar->SetDefaultHeight(30);
    EXPECT_EQ(Bar->Width(), 300);
    EXPECT_EQ(Bar->Height(), 30);
    Bar->Repaint();
    Pump();
    const Integer Narrow = Bar->Items()[0]->ObjectRect.Width();
    TFont Big;
    Big.Assign(Bar->DefItemFont());
    Big.SetHeight(28);
    Bar->SetDefItemFont(&Big);
    Bar->Repaint();
    Pump();
    EXPECT_GT(Bar->Items()[0]->ObjectRect.Width(), Narrow);
    // The skin's bar: any height asked becomes the height of its picture.
    Bar->SetSkinData(Skin(u"Rire"));
    Bar->SetBounds(0, 0, 250, 60);
    ASSERT_TRUE(Bar->FSkinSupport);
    EXPECT_EQ(Bar->Height(), Bar->BarSkinRect.Height());
    EXPECT_EQ(Bar->Width(), 250);
    // Without the skin's size it keeps what it is given.
    Bar->UseSkinSize = false;
    Bar->SetBounds(0, 0, 250, 60);
    EXPECT_EQ(Bar->Height(), 60);
}
