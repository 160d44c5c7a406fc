// Window states made by the skinned form component: minimised dialogs park
// along the bottom of the work area, roll-up shrinks to the caption and back,
// and a dragged form snaps to the work area's edges.
#include <gtest/gtest.h>
#include <windows.h>

#include "SkinControlTestEnv.h"
#include "skin/frame/win/SkinForm.h"

using namespace guitest;
using namespace skintest;

namespace {

class SkinFormWindowState : public SkinFormTest {
protected:
    TsfSkinForm* NewDialog(int X, int Y)
    {
        TForm* F = NewForm(X, Y, 300, 200);
        F->SetBorderStyle(bsSizeable);
        auto* C = new TsfSkinForm(F);
        C->MinWidth = 200;
        C->MinHeight = 30;
        F->SetBounds(X, Y, 300, 200);
        ShowAndWait(F);
        return C;
    }
    static RECT WorkArea()
    {
        RECT R;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &R, 0);
        return R;
    }
};

RECT Bounds(TsfSkinForm* C)
{
    RECT R;
    GetWindowRect(C->Form()->Handle(), &R);
    return R;
}

} // namespace

TEST_F(SkinFormWindowState, MinimisedDialogsParkSideBySideAndRestore)
{
    const RECT Work = WorkArea();
    TsfSkinForm* D[3] = {NewDialog(100, 100), NewDialog(150, 150), NewDialog(200, 200)};
    const Integer CW = D[0]->GetMinWidth();
    ASSERT_GE(CW, 200);
    Integer CH = 0;
    for (int I = 0; I < 3; ++I) {
        int Minimised = 0;
        D[I]->OnMinimize = [&](TObject*) { ++Minimised; };
        D[I]->SetWindowState(wsMinimized);
        Pump();
        // A minimised form takes the minimum height of its state.
        if (I == 0) CH = D[0]->GetMinHeight();
        EXPECT_EQ(Minimised, 1);
        EXPECT_EQ(D[I]->WindowState(), wsMinimized);
        const RECT R = Bounds(D[I]);
        EXPECT_EQ(R.left, Work.left + I * CW) << I;
        EXPECT_EQ(R.top, Work.bottom - CH) << I;
        EXPECT_EQ(R.right - R.left, CW);
        EXPECT_EQ(R.bottom - R.top, CH);
        EXPECT_FALSE(IsIconic(D[I]->Form()->Handle()));
    }
    // Restoring gives back the bounds from before; the freed cell is taken next.
    D[1]->SetWindowState(wsNormal);
    Pump();
    RECT R = Bounds(D[1]);
    EXPECT_EQ(R.left, 150);
    EXPECT_EQ(R.top, 150);
    EXPECT_EQ(R.right - R.left, 300);
    EXPECT_EQ(R.bottom - R.top, 200);
    D[1]->SetWindowState(wsMinimized);
    R = Bounds(D[1]);
    EXPECT_EQ(R.left, Work.left + CW);
    // Minimise after maximise keeps the normal bounds.
    D[2]->SetWindowState(wsMaximized);
    D[2]->SetWindowState(wsMinimized);
    D[2]->SetWindowState(wsNormal);
    R = Bounds(D[2]);
    EXPECT_EQ(R.left, 200);
    EXPECT_EQ(R.right - R.left, 300);
}

TEST_F(SkinFormWindowState, RollUpShrinksToTheCaptionAndBack)
{
    TsfSkinForm* C = NewDialog(100, 100);
    int Changes = 0;
    C->OnChangeRollUpState = [&](TObject*) { ++Changes; };
    C->SetRollUpState(true);
    EXPECT_TRUE(C->RollUpState());
    EXPECT_EQ(Bounds(C).bottom - Bounds(C).top, C->GetMinHeight());
    EXPECT_EQ(C->GetUnrolledHeight(), 200);
    C->SetRollUpState(false);
    EXPECT_EQ(Bounds(C).bottom - Bounds(C).top, 200);
    EXPECT_EQ(Changes, 2);
    // Without the roll-up icon, and while minimised, requests are ignored (no event).
    C->SetBorderIcons(sfbiSystemMenu | sfbiMinimize);
    C->SetRollUpState(true);
    EXPECT_FALSE(C->RollUpState());
    C->SetBorderIcons(sfbiSystemMenu | sfbiRollUp);
    C->SetWindowState(wsMinimized);
    C->SetRollUpState(true);
    EXPECT_FALSE(C->RollUpState());
    EXPECT_EQ(Changes, 2);
    // Rolled up while maximised: restoring rolls it down; rolled up before
    // maximising: it stays rolled up.
    C->SetWindowState(wsNormal);
    C->SetWindowState(wsMaximized);
    C->SetRollUpState(true);
    EXPECT_TRUE(C->RollUpState());
    C->SetWindowState(wsNormal);
    EXPECT_FALSE(C->RollUpState());
    EXPECT_EQ(Bounds(C).bottom - Bounds(C).top, 200);
    C->SetRollUpState(true);
    C->SetWindowState(wsMaximized);
    C->SetWindowState(wsNormal);
    EXPECT_TRUE(C->RollUpState());
    EXPECT_EQ(Bounds(C).bottom - Bounds(C).top, C->GetMinHeight());
}

TEST_F(SkinFormWindowState, MagneticMoveSnapsAndLetsGo)
{
    const RECT Work = WorkArea();
    struct { Integer Size; Integer Offset, Travel, Want; } Cases[] = {
        {10, 7, 0, 0},     // within the band: snaps
        {10, 7, 10, 0},    // 10 pixels of cursor travel: still snapped
        {10, 7, 11, -11},  // 11: follows the cursor, offset by the travel
        {10, 10, 0, 10},   // the band is open at 10
        {0, 0, 0, 0},      // a size of 0 never snaps (0 stays 0)
        {0, 7, 0, 7},
    };
    for (const auto& T : Cases) {
        TsfSkinForm* C = NewDialog(300, 300);
        C->Magnetic = true;
        C->MagneticSize = static_cast<Byte>(T.Size);
        const HWND H = C->Form()->Handle();
        const Integer Cx = 600, Cy = 400;
        SetCursorPos(Cx, Cy);
        SendMessageW(H, WM_ENTERSIZEMOVE, 0, 0);
        RECT R{Work.left + T.Offset, 300, Work.left + T.Offset + 300, 500};
        SendMessageW(H, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&R));
        if (T.Travel) {
            SetCursorPos(Cx - T.Travel, Cy);
            RECT R2{Work.left - T.Travel + T.Offset, 300, Work.left - T.Travel + T.Offset + 300, 500};
            SendMessageW(H, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&R2));
            R = R2;
        }
        EXPECT_EQ(R.left, Work.left + T.Want) << "size " << T.Size << " offset " << T.Offset << " travel " << T.Travel;
        EXPECT_EQ(R.right - R.left, 300);
    }
}

namespace {

std::vector<String> ItemNames(TMenuItem* Items)
{
    std::vector<String> N;
    for (Integer I = 0; I < Items->Count(); ++I)
        N.push_back(Items->Items(I)->IsLine() ? String(u"-") : Items->Items(I)->Name());
    return N;
}

} // namespace

TEST_F(SkinFormWindowState, SystemMenuItemsAndMerging)
{
    TsfSkinForm* C = NewDialog(100, 100);
    C->SetBorderIcons(sfbiSystemMenu);
    EXPECT_EQ(ItemNames(C->GetSysMenuItems()), (std::vector<String>{u"DSF_CLOSE"}));
    EXPECT_EQ(C->GetSysMenuItems()->Items(0)->Caption(), u"&Close");
    C->SetBorderIcons(sfbiSystemMenu | sfbiMinimize | sfbiMaximize | sfbiRollUp);
    C->SetRollUpState(true);
    EXPECT_EQ(ItemNames(C->GetSysMenuItems()),
              (std::vector<String>{u"DSF_MINITEM", u"DSF_MAXITEM", u"DSF_RESTORE", u"-", u"DSF_CLOSE"}));
    // Restore from the menu undoes the roll-up.
    C->GetSysMenuItems()->Items(2)->Click();
    EXPECT_FALSE(C->RollUpState());
    // A menu of the form's own: the standard items join it once, however often it opens.
    TPopupMenu Own(nullptr);
    for (const char16_t* N : {u"One", u"Two"}) {
        auto* I = new TMenuItem(&Own);
        I->SetName(N);
        I->SetCaption(N);
        Own.Items()->Add(I);
    }
    C->SetSystemMenu(&Own);
    const std::vector<String> Want{u"DSF_MINITEM", u"DSF_MAXITEM", u"DSF_ROLLUP", u"One", u"Two", u"DSF_CLOSE"};
    EXPECT_EQ(ItemNames(C->GetSysMenuItems()), Want);
    EXPECT_EQ(ItemNames(C->GetSysMenuItems()), Want);
    C->SetSystemMenu(nullptr);
    // The maximise item maximises.
    C->GetSysMenuItems()->Items(1)->Click();
    EXPECT_EQ(C->WindowState(), wsMaximized);
}

TEST_F(SkinFormWindowState, DisabledSystemMenuIgnoresTheRightClickOnTheCaption)
{
    TsfSkinForm* C = NewDialog(100, 100);
    C->DisableSystemMenu = true;
    RECT W;
    GetWindowRect(C->Form()->Handle(), &W);
    SendMessageW(C->Form()->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(W.left + 60, W.top + 10));
    EXPECT_FALSE(C->InMenu);
    // Alt+Space is taken but opens nothing.
    TWMKey Key{};
    Key.Msg = WM_SYSKEYDOWN;
    Key.WParam = VK_SPACE;
    Key.LParam = 0x20000000;  // Alt held
    bool Handled = false;
    C->FormShortCut(Key, Handled);
    EXPECT_TRUE(Handled);
    EXPECT_FALSE(C->InMenu);
}
