// A multiple-document main form with skinned children: the window menu lists
// them, the main form's component tiles, cascades, maximises, restores and
// parks them, paints the MDI client and keeps its own scroll bars over it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "SkinMdiTestEnv.h"
#include "skin/controls/win/SkinScrollBar.h"

using namespace guitest;
using namespace skintest;
using namespace mditest;


TEST_F(SkinFormMdi, TheWindowMenuListsTheChildren)
{
    NewChildren(3);
    ASSERT_EQ(Main->MDIChildCount(), 3);
    ASSERT_EQ(WindowItem->Count(), 3);
    for (int I = 0; I < 3; ++I) {
        EXPECT_EQ(WindowItem->Items(I)->Name(), u"Child" + IntToStr(I + 1) + u"_DSFCHILDITEM");
        EXPECT_EQ(WindowItem->Items(I)->Caption(), u"Child " + IntToStr(I + 1));
    }
    // The active child's item is the checked one.
    ASSERT_EQ(Main->ActiveMDIChild(), Kids[2]);
    for (int I = 0; I < 3; ++I) EXPECT_EQ(WindowItem->Items(I)->Checked(), I == 2) << I;
    Kids[0]->Show();
    Pump();
    ASSERT_EQ(Main->ActiveMDIChild(), Kids[0]);
    for (int I = 0; I < 3; ++I) EXPECT_EQ(WindowItem->Items(I)->Checked(), I == 0) << I;
    // A new caption reaches the item.
    Kids[1]->SetCaption(u"Renamed");
    EXPECT_EQ(WindowItem->Items(1)->Caption(), u"Renamed");
    // Clicking the item of a minimised child restores and shows it.
    GetSkinForm(Kids[1])->SetWindowState(wsMinimized);
    Pump();
    WindowItem->Items(1)->Click();
    Pump();
    EXPECT_EQ(GetSkinForm(Kids[1])->WindowState(), wsNormal);
    EXPECT_EQ(Main->ActiveMDIChild(), Kids[1]);
    // A hidden child leaves the menu; freeing a child frees its item.
    Kids[0]->Hide();
    Pump();
    ASSERT_EQ(WindowItem->Count(), 2);
    EXPECT_EQ(WindowItem->Items(0)->Name(), u"Child2_DSFCHILDITEM");
    delete Kids[2];
    Kids.pop_back();
    Pump();
    ASSERT_EQ(WindowItem->Count(), 1);
}

TEST_F(SkinFormMdi, TileCascadeAndParking)
{
    NewChildren(5);
    const TRect R = MainC->GetMDIClientRect();
    ASSERT_GT(R.Width(), 300);
    const Integer W = R.Width(), H = R.Height();
    MainC->Tile();
    Pump();
    // Right column: the fifth, fourth and third child from the bottom up;
    // left column: the second at the bottom, the first above it.
    const Integer ColW = W / 2, RowR = H / 3, RowL = H / 2;
    const TRect Expected[5] = {{W - 2 * ColW, H - 2 * RowL, W - ColW, H - RowL},
                               {W - 2 * ColW, H - RowL, W - ColW, H},
                               {W - ColW, H - 3 * RowR, W, H - 2 * RowR},
                               {W - ColW, H - 2 * RowR, W, H - RowR},
                               {W - ColW, H - RowR, W, H}};
    for (int I = 0; I < 5; ++I) EXPECT_EQ(ChildRect(Kids[size_t(I)]), Expected[I]) << "child " << I + 1;

    // Cascade: from the last child down, one caption height (+3) apart,
    // back at the corner when a window would leave the client area.
    MainC->Cascade();
    Pump();
    const Integer Step = MainC->GetDefCaptionHeight() + 3;
    std::vector<TsfMDICascadeChild> Sizes(5);
    const std::vector<TRect> Want = MDICascade(Sizes, W, H, Step, MainC->GetMinWidth(), MainC->GetMinHeight());
    EXPECT_EQ(ChildRect(Kids[4]).Left, 0);
    EXPECT_EQ(ChildRect(Kids[3]).Top, Step);
    for (int I = 0; I < 5; ++I) EXPECT_EQ(ChildRect(Kids[size_t(I)]), Want[size_t(I)]) << "child " << I + 1;

    // Maximising one maximises all; the main form then answers that a child is maximised.
    GetSkinForm(Kids[2])->SetWindowState(wsMaximized);
    Pump();
    for (TForm* F : Kids) {
        EXPECT_EQ(GetSkinForm(F)->WindowState(), wsMaximized);
        EXPECT_EQ(ChildRect(F), TRect(0, 0, W, H));
    }
    EXPECT_EQ(SendMessageW(Main->Handle(), WM_MDIISCHILDMAXIMIZED, 0, 0), 1);
    EXPECT_TRUE(MainC->GetMDIChildMaximized());
    // A child shown now comes maximised too.
    TForm* Late = NewChild(u"Late", u"Late");
    EXPECT_EQ(GetSkinForm(Late)->WindowState(), wsMaximized);
    // Restoring one restores all.
    GetSkinForm(Kids[2])->SetWindowState(wsNormal);
    Pump();
    for (TForm* F : Kids) EXPECT_EQ(GetSkinForm(F)->WindowState(), wsNormal);
    EXPECT_EQ(SendMessageW(Main->Handle(), WM_MDIISCHILDMAXIMIZED, 0, 0), 0);

    // Minimised children park in cells along the bottom of the client area,
    // row by row upwards once a row is full.
    MainC->MinimizeAll();
    Pump();
    const Integer CW = GetSkinForm(Kids[0])->GetMinWidth();
    const Integer CH = GetSkinForm(Kids[0])->GetMinHeight();
    const Integer PerRow = W / CW;
    ASSERT_GE(PerRow, 2);
    std::vector<std::pair<Integer, Integer>> Cells, Parked;
    for (TForm* F : Kids) {
        EXPECT_EQ(GetSkinForm(F)->WindowState(), wsMinimized);
        const TRect C = ChildRect(F);
        EXPECT_EQ(C.Height(), CH);
        Cells.push_back({C.Bottom, C.Left});
    }
    for (Integer I = 0; I < Integer(Kids.size()); ++I) Parked.push_back({H - (I / PerRow) * CH, (I % PerRow) * CW});
    std::sort(Cells.begin(), Cells.end());
    std::sort(Parked.begin(), Parked.end());
    EXPECT_EQ(Cells, Parked);
}

TEST_F(SkinFormMdi, ScrollBarsFollowTheChildren)
{
    NewChildren(2);
    TsfSkinScrollBar* HB = MainC->MDIHScrollBar();
    TsfSkinScrollBar* VB = MainC->MDIVScrollBar();
    ASSERT_TRUE(HB && VB);
    EXPECT_FALSE(HB->Visible());
    EXPECT_FALSE(VB->Visible());
    const TRect R = MainC->GetMDIClientRect();
    // Dragged 50 pixels past the left edge: the horizontal bar, at position 50.
    Kids[0]->SetBounds(-50, 20, 200, 150);
    Pump();
    ASSERT_TRUE(HB->Visible());
    EXPECT_FALSE(VB->Visible());
    EXPECT_EQ(HB->Position(), 50);
    EXPECT_EQ(HB->BoundsRect(), TRect(R.Left, R.Bottom - 17, R.Right, R.Bottom));
    // Scrolling fully left moves every child: the first is flush with the edge.
    const Integer SecondLeft = ChildRect(Kids[1]).Left;
    HB->SetPosition(0);
    MainC->SyncMDIHScroll();
    Pump();
    EXPECT_EQ(ChildRect(Kids[0]).Left, 0);
    EXPECT_EQ(ChildRect(Kids[1]).Left, SecondLeft + 50);
    EXPECT_FALSE(HB->Visible());
    // Below the bottom: the vertical bar; a maximised child hides both, restoring recomputes.
    Kids[1]->SetBounds(20, R.Height() - 40, 200, 150);
    Pump();
    EXPECT_TRUE(VB->Visible());
    GetSkinForm(Kids[1])->SetWindowState(wsMaximized);
    Pump();
    EXPECT_FALSE(HB->Visible());
    EXPECT_FALSE(VB->Visible());
    GetSkinForm(Kids[1])->SetWindowState(wsNormal);
    Pump();
    EXPECT_TRUE(VB->Visible());
    // Switched off: no bar shows.
    MainC->ShowMDIScrollBars = false;
    MainC->UpdateMDIScrollBars(true);
    EXPECT_FALSE(VB->Visible());
}

TEST_F(SkinFormMdi, TheClientIsPaintedByTheComponent)
{
    const HWND Client = Main->ClientHandle();
    ASSERT_TRUE(Client);
    EXPECT_EQ(MainC->ClientInstance(), Client);
    // Its frame messages are swallowed; activation answers 1.
    EXPECT_EQ(SendMessageW(Client, WM_NCACTIVATE, 0, 0), 1);
    // Without a skin the client shows the application workspace colour.
    InvalidateRect(Client, nullptr, TRUE);
    UpdateWindow(Client);
    POINT P{20, 20};
    ClientToScreen(Client, &P);
    const DWORD Want = ScreenRGB(clAppWorkSpace);
    EXPECT_TRUE(PumpUntil([&] { return CaptureScreen({P.x, P.y, P.x + 1, P.y + 1})->Pixel(0, 0) == Want; }));
    // Leaving the component puts the client's own procedure back.
    const LONG_PTR Installed = GetWindowLongPtrW(Client, GWLP_WNDPROC);
    delete MainC;
    MainC = nullptr;
    EXPECT_NE(GetWindowLongPtrW(Client, GWLP_WNDPROC), Installed);
}
