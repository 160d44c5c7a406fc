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
