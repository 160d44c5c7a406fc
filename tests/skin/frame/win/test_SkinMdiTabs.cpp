// The MDI tabs bar on a multiple-document main form: one tab per shown
// child, activation and closing from the tabs, reordering by drag, and the
// list buttons' menus.
#include <gtest/gtest.h>

#include "SkinMdiTestEnv.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/frame/win/SkinMdiTabs.h"
#include "skin/frame/win/SkinMenus.h"

using namespace guitest;
using namespace skintest;
using namespace mditest;

namespace {

class SkinMdiTabs : public SkinFormMdi {
protected:
    void SetUp() override
    {
        SkinFormMdi::SetUp();
        Bar = new TsfSkinMDITabsBar(Main);
        Bar->SetBounds(0, 0, 400, 21);
        Bar->SetParent(Main);
        MainC->SetMDITabsBar(Bar);
    }
    TPoint OnBar(Integer X, Integer Y) { return Bar->ClientToScreen({X, Y}); }
    void ClickAt(const TPoint& P)
    {
        MovePointer(P);
        LeftButton(true);
        LeftButton(false);
        Pump();
    }
    std::vector<TCustomForm*> TabChildren() const
    {
        std::vector<TCustomForm*> L;
        for (const auto& T : Bar->ObjectList) L.push_back(T->Child);
        return L;
    }
    TsfSkinMDITabsBar* Bar = nullptr;
};

} // namespace

TEST_F(SkinMdiTabs, OneTabPerShownChild)
{
    EXPECT_EQ(Bar->SkinForm(), MainC);
    NewChildren(3);
    ASSERT_EQ(Bar->ObjectList.size(), 3u);
    Bar->CalcObjectRects();
    for (int I = 0; I < 3; ++I) {
        EXPECT_EQ(Bar->ObjectList[size_t(I)]->Child, Kids[size_t(I)]);
        EXPECT_EQ(Bar->ObjectList[size_t(I)]->ObjectRect, TRect(15 + 100 * I, 0, 115 + 100 * I, 21));
    }
    ASSERT_TRUE(Bar->ListButton());
    EXPECT_FALSE(Bar->HideListButton());
    EXPECT_TRUE(Bar->ObjectList[2]->Active);
    // A click on the first tab activates its child; the tab shows the active colour.
    ClickAt(OnBar(40, 10));
    EXPECT_EQ(Main->ActiveMDIChild(), Kids[0]);
    for (int I = 0; I < 3; ++I) EXPECT_EQ(Bar->ObjectList[size_t(I)]->Active, I == 0) << I;
    const TPoint P = OnBar(16, 1);
    EXPECT_TRUE(PumpUntil([&] {
        Bar->Update();
        return CaptureScreen({P.X, P.Y, P.X + 1, P.Y + 1})->Pixel(0, 0) == ScreenRGB(TColor(0xB59385));
    }));
    // Hidden, the child loses its tab; freed while shown, too.
    Kids[1]->Hide();
    Pump();
    EXPECT_EQ(TabChildren(), (std::vector<TCustomForm*>{Kids[0], Kids[2]}));
    delete Kids[2];
    Kids.pop_back();
    Pump();
    EXPECT_EQ(TabChildren(), (std::vector<TCustomForm*>{Kids[0]}));
    // Refused by the main form's component: in the window menu, not on the bar.
    MainC->OnAcceptToMDITabsBar = [](bool& Accept) { Accept = false; };
    TForm* Out = NewChild(u"Outside", u"Outside");
    EXPECT_EQ(TabChildren(), (std::vector<TCustomForm*>{Kids[0]}));
    ASSERT_NE(WindowItem->Count(), 0);
    EXPECT_EQ(WindowItem->Items(WindowItem->Count() - 1)->Name(), u"Outside_DSFCHILDITEM");
    (void)Out;
    // The last tab gone, the list button goes too.
    MainC->OnAcceptToMDITabsBar = nullptr;
    Kids[0]->Hide();
    Pump();
    EXPECT_TRUE(Bar->ObjectList.empty());
    EXPECT_FALSE(Bar->ListButton());
}

TEST_F(SkinMdiTabs, DraggingReordersAndTheCloseButtonCloses)
{
    NewChildren(3);
    Pump();
    // Tabs of 100 at 15, 115, 215: a drag by 49 leaves the order, by 51 swaps.
    for (const Integer Shift : {49, 51}) {
        MovePointer(OnBar(65, 10));
        LeftButton(true);
        Pump();
        MovePointer(OnBar(65 + Shift / 2, 10));
        MovePointer(OnBar(65 + Shift, 10));
        EXPECT_TRUE(Bar->IsDrag);
        LeftButton(false);
        Pump();
        EXPECT_FALSE(Bar->IsDrag);
    }
    EXPECT_EQ(TabChildren(), (std::vector<TCustomForm*>{Kids[1], Kids[0], Kids[2]}));
    // A right press opens the tab's child's system menu through the main form's menus.
    MovePointer(OnBar(40, 10));
    INPUT In[2] = {};
    In[0].type = In[1].type = INPUT_MOUSE;
    In[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    In[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, In, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return MainC->SkinMenu()->Visible(); }));
    MainC->SkinMenu()->Hide();
    Pump();
    // A release on a tab's close button closes (here: hides) its child.
    Bar->SetShowCloseButtons(true);
    Bar->Repaint();
    TsfMDITab* Last = Bar->ObjectList[2].get();
    ASSERT_TRUE(PumpUntil([&] { return Last->ButtonRect.Width() > 0; }));
    const TRect B = Last->ButtonRect;
    EXPECT_EQ(B, MDITabCloseButtonRect(Last->ObjectRect.Width(), Last->ObjectRect.Height(), 14));
    ClickAt(OnBar(Last->ObjectRect.Left + B.Left + 7, Last->ObjectRect.Top + B.Top + 7));
    EXPECT_FALSE(Kids[2]->Visible());
    EXPECT_EQ(TabChildren(), (std::vector<TCustomForm*>{Kids[1], Kids[0]}));
}

TEST_F(SkinMdiTabs, TheListButtonsListTheChildren)
{
    Bar->MinTabWidth = 120;
    NewChildren(5);
    Bar->Repaint();
    Pump();
    // 3 tabs fit: the right-hand button lists the other 2.
    EXPECT_EQ(Bar->InVisibleCount(), 2);
    ASSERT_TRUE(Bar->HideListButton());
    Bar->HideListButton()->OnShowTrackMenu(Bar->HideListButton());
    TMenuItem* Items = Bar->HideListMenu()->Items();
    ASSERT_EQ(Items->Count(), 2);
    EXPECT_EQ(Items->Items(0)->Name(), u"Child4_DSFCHILDITEMBARHIDE");
    EXPECT_EQ(Items->Items(1)->Caption(), u"Child 5");
    EXPECT_TRUE(Items->Items(1)->Checked());  // the active child
    // The left button lists every child; its item restores a minimised child.
    Bar->ListButton()->OnShowTrackMenu(Bar->ListButton());
    Items = Bar->ListMenu()->Items();
    ASSERT_EQ(Items->Count(), 5);
    EXPECT_EQ(Items->Items(1)->Name(), u"Child2_DSFCHILDITEMBAR");
    GetSkinForm(Kids[1])->SetWindowState(wsMinimized);
    Items->Items(1)->Click();
    Pump();
    EXPECT_EQ(GetSkinForm(Kids[1])->WindowState(), wsNormal);
    EXPECT_EQ(Main->ActiveMDIChild(), Kids[1]);
    // Wider, every tab fits and the right-hand button goes.
    Bar->SetWidth(800);
    Bar->Repaint();
    Pump();
    EXPECT_EQ(Bar->InVisibleCount(), 0);
    EXPECT_FALSE(Bar->HideListButton());
}

TEST_F(SkinMdiTabs, TheSkinsTabDescriptionDrawsTheBar)
{
    // Tabs: red normal, green active; the page frame's top band (4 high) blue;
    // the bar's background yellow.
    TTestSkin T;
    const Integer P = T.AddPicture(120, 60, clBlue);
    T.FillRect(P, {0, 0, 40, 20}, clRed);
    T.FillRect(P, {40, 0, 80, 20}, clLime);
    T.FillRect(P, {80, 0, 120, 20}, clYellow);
    auto* D = T.Add<TsfDataSkinTabControl>(u"tab");
    D->PictureIndex = P;
    D->TabRect = {0, 0, 40, 20};
    D->ActiveTabRect = {40, 0, 80, 20};
    D->TabsBGRect = {80, 0, 120, 20};
    D->SkinRect = {0, 20, 120, 60};
    D->ClRect = {4, 4, 116, 36};
    D->LTPoint = {4, 4};
    D->RTPoint = {116, 4};
    D->LBPoint = {4, 36};
    D->RBPoint = {116, 36};
    Bar->SetSkinData(T.SD.get());
    EXPECT_EQ(Bar->Height(), 24);
    EXPECT_EQ(Bar->BottomOffset(), 4);
    NewChildren(2);
    Bar->Repaint();
    const TRect R = ScreenRect(Bar);
    auto At = [&](Integer X, Integer Y) { return CaptureScreen({R.Left + X, R.Top + Y, R.Left + X + 1, R.Top + Y + 1})->Pixel(0, 0); };
    // Tab 1 (normal) at 15..115, tab 2 (active) at 115..215, background after 215, band below.
    EXPECT_TRUE(PumpUntil([&] {
        Bar->Update();
        return At(20, 2) == ScreenRGB(clRed) && At(120, 2) == ScreenRGB(clLime) && At(300, 5) == ScreenRGB(clYellow) &&
               At(300, 22) == ScreenRGB(clBlue);
    })) << std::hex << At(20, 2) << " " << At(120, 2) << " " << At(300, 5) << " " << At(300, 22);
    SaveScreenshot(Bar, u"mditabs_skin");
}
