// Window states made by the skinned form component: minimised dialogs park
// along the bottom of the work area, roll-up shrinks to the caption and back,
// a dragged form snaps to the work area's edges; the system menu and its
// commands, and the way to the notification area and back.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "SkinControlTestEnv.h"
#include "framework/controls/win/ExtCtrls.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinLayerBorder.h"
#include "skin/frame/win/SkinMainMenuBar.h"
#include "skin/frame/win/SkinMenus.h"
#include "skin/model/SFMessages.h"
#include "skin/model/SFWindowData.h"

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

// Run on a display of 1920 x 1040 (the test "..._1920"); skipped on any other.
TEST_F(SkinFormWindowState, ThreeDialogsParkAlongA1920By1040WorkArea)
{
    const RECT Work = WorkArea();
    if (Work.left != 0 || Work.top != 0 || Work.right != 1920 || Work.bottom != 1040)
        GTEST_SKIP() << "needs a work area of 1920 x 1040";
    // A skin whose forms are at least 200 x 30, also minimised.
    TsfSkinData* S = Skin(u"Rire");
    S->FormMinWidth = 200;
    S->FormMinHeight = 30;
    TsfSkinForm* D[3] = {NewDialog(100, 100), NewDialog(150, 150), NewDialog(200, 200)};
    for (TsfSkinForm* C : D) {
        C->SetSkinData(S);
        C->Form()->SetBounds(C->Form()->Left(), C->Form()->Top(), 300, 200);
    }
    Pump();
    const TPoint Want[3] = {{0, 1010}, {200, 1010}, {400, 1010}};
    for (int I = 0; I < 3; ++I) {
        D[I]->SetWindowState(wsMinimized);
        Pump();
        ASSERT_EQ(D[I]->GetMinWidth(), 200);
        ASSERT_EQ(D[I]->GetMinHeight(), 30);
        const RECT R = Bounds(D[I]);
        EXPECT_EQ(R.left, Want[I].X) << I;
        EXPECT_EQ(R.top, Want[I].Y) << I;
        EXPECT_EQ(R.right - R.left, 200) << I;
        EXPECT_EQ(R.bottom - R.top, 30) << I;
    }
}

TEST_F(SkinFormWindowState, MaximisedFormsFillTheWorkAreaOrTheScreen)
{
    const RECT Work = WorkArea();
    const int SW = GetSystemMetrics(SM_CXSCREEN), SH = GetSystemMetrics(SM_CYSCREEN);
    // A work area as large as the screen is a task bar that hides itself: a pixel is left free around.
    const bool Hidden = Work.left == 0 && Work.top == 0 && Work.right == SW && Work.bottom == SH;
    const int Inset = Hidden ? 1 : 0;
    struct { bool FullScreen; RECT Want; } Cases[] = {
        {false, {Work.left + Inset, Work.top + Inset, Work.right - Inset, Work.bottom - Inset}},
        {true, {0, 0, SW, SH}},
    };
    for (const auto& K : Cases) {
        TsfSkinForm* C = NewDialog(120, 110);
        C->MaximizeOnFullScreen = K.FullScreen;
        C->SetWindowState(wsMaximized);
        Pump();
        const RECT R = Bounds(C);
        EXPECT_EQ(R.left, K.Want.left) << K.FullScreen;
        EXPECT_EQ(R.top, K.Want.top) << K.FullScreen;
        EXPECT_EQ(R.right, K.Want.right) << K.FullScreen;
        EXPECT_EQ(R.bottom, K.Want.bottom) << K.FullScreen;
        C->SetWindowState(wsNormal);
        EXPECT_EQ(Bounds(C).left, 120);
        EXPECT_EQ(Bounds(C).right - Bounds(C).left, 300);
        C->Form()->Hide();
    }
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

// Records the messages taken from this thread's queue (the release of a click
// may go to the menu that opened under the pointer).
class TMessageSpy {
public:
    TMessageSpy()
    {
        Current = this;
        FHook = SetWindowsHookExW(WH_GETMESSAGE, Proc, nullptr, GetCurrentThreadId());
    }
    ~TMessageSpy()
    {
        UnhookWindowsHookEx(FHook);
        Current = nullptr;
    }
    TMessageSpy(const TMessageSpy&) = delete;
    TMessageSpy& operator=(const TMessageSpy&) = delete;
    bool Seen(UINT Msg) const { return std::find(FSeen.begin(), FSeen.end(), Msg) != FSeen.end(); }

private:
    static LRESULT CALLBACK Proc(int Code, WPARAM WParam, LPARAM LParam)
    {
        const auto* M = reinterpret_cast<const MSG*>(LParam);
        if (Code == HC_ACTION && WParam == PM_REMOVE && Current)
            Current->FSeen.push_back(M->message);
        return CallNextHookEx(nullptr, Code, WParam, LParam);
    }
    static inline TMessageSpy* Current = nullptr;
    HHOOK FHook;
    std::vector<UINT> FSeen;
};

void RightButton(bool Down)
{
    INPUT In = {};
    In.type = INPUT_MOUSE;
    In.mi.dwFlags = Down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    SendInput(1, &In, sizeof(INPUT));
}

// Alt+Space as the keyboard delivers it to the form: a system key with the Alt bit.
void AltSpace(TsfSkinForm* C)
{
    PostMessageW(C->Form()->Handle(), WM_SYSKEYDOWN, VK_SPACE, 0x20000000);
    Pump();
}

// The names of the open menu's rows, top to bottom.
std::vector<String> OpenRows(TsfSkinForm* C)
{
    std::vector<String> N;
    if (C->SkinMenu()->LevelCount() == 0) return N;
    for (const auto& I : C->SkinMenu()->Level(0)->ItemList)
        N.push_back(I->MenuItem->IsLine() ? String(u"-") : I->MenuItem->Name());
    return N;
}

void CloseMenu(TsfSkinForm* C)
{
    PostMessageW(C->Form()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !C->InMenu; }));
}

} // namespace

TEST_F(SkinFormWindowState, SystemMenuItemsAndMerging)
{
    TsfSkinForm* C = NewDialog(100, 100);
    C->SetBorderIcons(sfbiSystemMenu);
    EXPECT_EQ(ItemNames(C->GetSysMenuItems()), (std::vector<String>{u"DSF_CLOSE"}));
    EXPECT_EQ(C->GetSysMenuItems()->Items(0)->Caption(), u"&Close");
    EXPECT_EQ(C->GetSysMenuItems()->Items(0)->ShortCut(), ShortCut(VK_F4, ssAlt));
    C->SetBorderIcons(sfbiSystemMenu | sfbiMinimize | sfbiMaximize | sfbiRollUp);
    C->SetRollUpState(true);
    EXPECT_EQ(ItemNames(C->GetSysMenuItems()),
              (std::vector<String>{u"DSF_MINITEM", u"DSF_MAXITEM", u"DSF_RESTORE", u"-", u"DSF_CLOSE"}));
    // Restore from the menu undoes the roll-up.
    C->GetSysMenuItems()->Items(2)->Click();
    EXPECT_FALSE(C->RollUpState());
    // A menu of the form's own: the standard items join it once, however often it opens,
    // while the component's own menu holds the same names.
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
    // Unlinked, the menu keeps only its own items.
    C->SetSystemMenu(nullptr);
    EXPECT_EQ(ItemNames(Own.Items()), (std::vector<String>{u"One", u"Two"}));
    // The maximise item maximises.
    C->GetSysMenuItems()->Items(1)->Click();
    EXPECT_EQ(C->WindowState(), wsMaximized);
}

TEST_F(SkinFormWindowState, SystemMenuOpensOnTheCaptionRightClickAndAltSpace)
{
    TsfSkinForm* C = NewDialog(100, 100);
    const HWND Wnd = C->Form()->Handle();
    RECT W;
    GetWindowRect(Wnd, &W);
    for (bool Disabled : {false, true}) {
        SCOPED_TRACE(Disabled ? "disabled" : "enabled");
        // Apart, so that the two clicks do not make a double click.
        const TPoint P{W.left + (Disabled ? 160 : 120), W.top + 8};
        // The frame's 50 ms poll lets go of a button the pointer left.
        MovePointer(P);
        FClock.Clock.Advance(50);
        Pump();
        ASSERT_EQ(SendMessageW(Wnd, WM_NCHITTEST, 0, MAKELPARAM(P.X, P.Y)), HTCAPTION);
        C->DisableSystemMenu = Disabled;
        // A real right click on the caption: the menu opens at the press, and the
        // release does not hand the click to the platform's own system menu.
        TMessageSpy Spy;
        RightButton(true);
        ASSERT_TRUE(PumpUntil([&] { return Spy.Seen(WM_NCRBUTTONDOWN); }));
        RightButton(false);
        ASSERT_TRUE(PumpUntil([&] { return Spy.Seen(WM_NCRBUTTONUP) || Spy.Seen(WM_RBUTTONUP); }));
        Pump();
        EXPECT_EQ(C->InMenu, !Disabled);
        if (!Disabled) {
            EXPECT_EQ(OpenRows(C), (std::vector<String>{u"DSF_MINITEM", u"DSF_MAXITEM", u"DSF_ROLLUP", u"-",
                                                        u"DSF_CLOSE"}));
            EXPECT_EQ(C->SkinMenu()->Level(0)->Left(), P.X);
            EXPECT_EQ(C->SkinMenu()->Level(0)->Top(), P.Y);
            CloseMenu(C);
        }
        // Alt+Space is taken in both cases; it opens the menu under the system-menu button.
        AltSpace(C);
        EXPECT_EQ(C->InMenu, !Disabled);
        if (!Disabled) {
            const TsfActiveSkinObject* B = nullptr;
            for (const auto& O : C->ObjectList)
                if (O->Command == cmSysMenu) B = O.get();
            ASSERT_NE(B, nullptr);
            EXPECT_EQ(C->SkinMenu()->Level(0)->Top(), W.top + B->ObjectRect.Bottom);
            CloseMenu(C);
            // A left press on that button opens the same items under it.
            MovePointer({W.left + (B->ObjectRect.Left + B->ObjectRect.Right) / 2,
                         W.top + (B->ObjectRect.Top + B->ObjectRect.Bottom) / 2});
            LeftButton(true);
            EXPECT_TRUE(PumpUntil([&] { return C->InMenu; }));
            LeftButton(false);
            Pump();
            EXPECT_EQ(OpenRows(C), (std::vector<String>{u"DSF_MINITEM", u"DSF_MAXITEM", u"DSF_ROLLUP", u"-",
                                                        u"DSF_CLOSE"}));
            EXPECT_EQ(C->SkinMenu()->Level(0)->Top(), W.top + B->ObjectRect.Bottom);
            CloseMenu(C);
        }
    }
    // A skin without an enabled system-menu button: Alt+Space is handled but opens nothing.
    C->DisableSystemMenu = false;
    C->SetBorderIcons(sfbiMinimize | sfbiMaximize);
    TWMKey Key{};
    Key.Msg = WM_SYSKEYDOWN;
    Key.WParam = VK_SPACE;
    Key.LParam = 0x20000000;
    bool Handled = false;
    C->FormShortCut(Key, Handled);
    EXPECT_TRUE(Handled);
    EXPECT_FALSE(C->InMenu);
}

namespace {

// A notification-area icon for the form to link to: the platform's tray icon,
// reacting to the application's minimisation as the program's tray icon does
// (the main form hides, the icon shows).
class TTestTray : public TTrayIcon, public TsfTrayIconLink {
public:
    explicit TTestTray(TComponent* AOwner) : TTrayIcon(AOwner)
    {
        FOldMinimize = Application->OnMinimize;
        Application->OnMinimize = [this](TObject*) {
            if (!FMinimizeToTray) return;
            Application->MainForm()->Hide();
            SetVisible(true);
        };
    }
    ~TTestTray() override { Application->OnMinimize = FOldMinimize; }
    TComponent* TrayComponent() override { return this; }
    bool MinimizeToTray() const override { return FMinimizeToTray; }
    void SetMinimizeToTray(bool Value) override { FMinimizeToTray = Value; }
    void ShowMainForm() override
    {
        TCustomForm* Main = Application->MainForm();
        Main->SetTag(TrayRestoreTag);
        Main->Show();
        PostMessageW(Main->Handle(), WM_RESTOREFROMTRAY, 0, 0);
    }
    bool IconVisible() const override { return Visible(); }
    void SetIconVisible(bool Value) override { SetVisible(Value); }
    TPopupMenu* TrayPopupMenu() const override { return PopupMenu(); }
    void SetTrayPopupMenu(TPopupMenu* Value) override { SetPopupMenu(Value); }
    bool HasOnDblClick() const override { return bool(OnDblClick); }
    void SetOnDblClick(TNotifyEvent Handler) override { OnDblClick = Handler; }
    // What the shell sends for a double click on the icon.
    void DoubleClick() { SendMessageW(Handle(), WM_TRAYNOTIFY, ID(), WM_LBUTTONDBLCLK); }

private:
    bool FMinimizeToTray = false;
    TNotifyEvent FOldMinimize;
};

TMenuItem* ItemNamed(TMenuItem* Items, const String& Name)
{
    for (Integer I = 0; I < Items->Count(); ++I)
        if (Items->Items(I)->Name() == Name) return Items->Items(I);
    return nullptr;
}

} // namespace

TEST_F(SkinFormWindowState, MainFormMinimisesTheApplicationAndGoesToTheTrayAndBack)
{
    TForm* Main = Application->CreateForm<TForm>();
    struct TFree {
        TForm* F;
        ~TFree() { delete F; }
    } Free{Main};
    ASSERT_EQ(Application->MainForm(), Main);
    Main->SetBounds(100, 100, 300, 200);
    auto* C = new TsfSkinForm(Main);
    ShowAndWait(Main);
    const HWND Wnd = Main->Handle();

    // Minimising the main form minimises the application; the component's state stays.
    C->SetWindowState(wsMinimized);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(Wnd) != 0; }));
    EXPECT_EQ(C->WindowState(), wsNormal);
    Application->Restore();
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(Wnd); }));

    // Without a tray icon there is no tray to go to.
    C->MinimizeToTray();
    Pump();
    EXPECT_FALSE(IsIconic(Wnd));

    // Linked, the icon hides until needed and gets the form's tray menu and double click.
    TTestTray Tray(nullptr);
    Tray.SetVisible(true);
    C->SetTrayIcon(&Tray);
    EXPECT_FALSE(Tray.Visible());
    ASSERT_EQ(Tray.PopupMenu(), C->SysTrayMenu());
    EXPECT_EQ(ItemNames(C->SysTrayMenu()->Items()),
              (std::vector<String>{u"TRAY_DSF_RESTORE", u"-", u"TRAY_DSF_CLOSE"}));
    EXPECT_EQ(C->SysTrayMenu()->Items()->Items(0)->Caption(), u"&Restore");
    EXPECT_EQ(C->SysTrayMenu()->Items()->Items(2)->ShortCut(), ShortCut(VK_F4, ssAlt));

    int ToTray = 0, FromTray = 0;
    C->OnMinimizeToTray = [&](TObject*) { ++ToTray; };
    C->OnRestoreFromTray = [&](TObject*) { ++FromTray; };
    // With AlwaysMinimizeToTray the system menu's minimise goes to the tray, not the task bar.
    C->AlwaysMinimizeToTray = true;
    ItemNamed(C->GetSysMenuItems(), u"DSF_MINITEM")->Click();
    EXPECT_EQ(ToTray, 1);
    EXPECT_TRUE(Tray.MinimizeToTray());
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(Wnd) && Tray.Visible(); }));
    EXPECT_EQ(C->WindowState(), wsNormal);

    // A double click on the icon restores; the icon goes unless AlwaysShowInTray.
    Tray.DoubleClick();
    EXPECT_EQ(FromTray, 1);
    EXPECT_FALSE(Tray.MinimizeToTray());
    EXPECT_FALSE(Tray.Visible());
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(Wnd) && !IsIconic(Wnd) && Main->Tag() == 0; }));

    // With AlwaysShowInTray the tray menu's restore leaves the icon in place.
    C->AlwaysShowInTray = true;
    C->MinimizeToTray();
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(Wnd); }));
    C->SysTrayMenu()->Items()->Items(0)->Click();
    EXPECT_EQ(FromTray, 2);
    EXPECT_TRUE(Tray.Visible());
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(Wnd) && !IsIconic(Wnd); }));

    // An icon with a menu of its own keeps it, and its double-click handler.
    TPopupMenu Own(nullptr);
    TTestTray Other(nullptr);
    int OwnDouble = 0;
    Other.SetPopupMenu(&Own);
    Other.OnDblClick = [&](TObject*) { ++OwnDouble; };
    C->SetTrayIcon(&Other);
    EXPECT_EQ(Other.PopupMenu(), &Own);
    Other.DoubleClick();
    EXPECT_EQ(OwnDouble, 1);
    EXPECT_EQ(FromTray, 2);
    {
        // A tray icon that goes away unlinks itself.
        TTestTray Gone(nullptr);
        C->SetTrayIcon(&Gone);
    }
    EXPECT_EQ(C->TrayIcon(), nullptr);
}

TEST_F(SkinFormWindowState, TrayMenuCloseClosesItsForm)
{
    TsfSkinForm* C = NewDialog(100, 100);
    ItemNamed(C->SysTrayMenu()->Items(), u"TRAY_DSF_CLOSE")->Click();
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(C->Form()->Handle()); }));
}

TEST_F(SkinFormWindowState, ComponentLookups)
{
    // A form's component is the first in component order.
    TForm* Two = NewForm(100, 100, 200, 100);
    auto* First = new TsfSkinForm(Two);
    new TsfSkinForm(Two);
    EXPECT_EQ(GetSkinForm(Two), First);
    EXPECT_EQ(GetSkinForm(NewForm()), nullptr);
    EXPECT_EQ(GetSkinForm(nullptr), nullptr);

    // The main form's MDI children.
    TForm* Main = Application->CreateForm<TForm>();
    struct TFree {
        std::vector<TForm*> F;
        ~TFree()
        {
            for (auto It = F.rbegin(); It != F.rend(); ++It) delete *It;
        }
    } Free{{Main}};
    Main->SetBounds(40, 40, 640, 480);
    Main->SetFormStyle(fsMDIForm);
    new TsfSkinForm(Main);
    ShowAndWait(Main);
    EXPECT_EQ(GetMaximizedMDIChildSkinForm(), nullptr);
    EXPECT_EQ(GetActiveMDIChildSkinForm(), nullptr);
    TsfSkinForm* Kids[3] = {};
    for (int I = 0; I < 3; ++I) {
        auto* F = new TForm(nullptr);
        Free.F.push_back(F);
        F->SetFormStyle(fsMDIChild);
        Kids[I] = I < 2 ? new TsfSkinForm(F) : nullptr;
        F->SetBounds(10 + 20 * I, 10, 200, 150);
        F->Show();
        Pump();
    }
    ASSERT_EQ(Main->MDIChildCount(), 3);
    SendMessageW(Main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Kids[0]->Form()->Handle()), 0);
    Pump();
    EXPECT_EQ(GetActiveMDIChildSkinForm(), Kids[0]);
    // An active child without a component has none to give.
    SendMessageW(Main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Free.F[3]->Handle()), 0);
    Pump();
    EXPECT_EQ(GetActiveMDIChildSkinForm(), nullptr);
    // The siblings of a maximised child are maximised with it: the first in index order counts.
    Kids[1]->SetWindowState(wsMaximized);
    Pump();
    ASSERT_EQ(Kids[0]->WindowState(), wsMaximized);
    EXPECT_EQ(GetMaximizedMDIChildSkinForm(), Kids[0]);
    Kids[1]->SetWindowState(wsNormal);
    Pump();
    EXPECT_EQ(GetMaximizedMDIChildSkinForm(), nullptr);
}

TEST_F(SkinFormWindowState, StatusBarGripHidesWhileMaximised)
{
    TsfSkinForm* C = NewDialog(100, 100);
    auto* Grip = new TsfSkinStatusBar(C->Form());
    Grip->SetParent(C->Form());
    Grip->SetSizeGrip(true);
    auto* Plain = new TsfSkinStatusBar(C->Form());
    Plain->SetParent(C->Form());
    for (TsfSkinStatusBar* S : {Grip, Plain}) {
        C->SetStatusBar(S);
        C->SetWindowState(wsMaximized);
        Pump();
        // Only a bar with a grip changes; a bar without one keeps its setting.
        EXPECT_EQ(S->ShowGrip(), S == Plain);
        EXPECT_TRUE(IsNullRect(S->GripRect()));
        C->SetWindowState(wsNormal);
        Pump();
        EXPECT_TRUE(S->ShowGrip());
        EXPECT_EQ(IsNullRect(S->GripRect()), S == Plain);
    }
    delete Plain;
    EXPECT_EQ(C->StatusBar(), nullptr);
}

TEST_F(SkinFormWindowState, MDIChildSystemMenuOpensThroughTheMainForm)
{
    TForm* Main = Application->CreateForm<TForm>();
    auto* Child = new TForm(nullptr);
    struct TFree {
        TForm *M, *C;
        ~TFree()
        {
            delete C;
            delete M;
        }
    } Free{Main, Child};
    Main->SetBounds(40, 40, 640, 480);
    Main->SetFormStyle(fsMDIForm);
    auto* MainC = new TsfSkinForm(Main);
    ShowAndWait(Main);
    Child->SetFormStyle(fsMDIChild);
    auto* C = new TsfSkinForm(Child);
    Child->SetBounds(30, 20, 250, 150);
    Child->Show();
    Pump();
    // Its close item carries the MDI child's short cut.
    EXPECT_EQ(ItemNamed(C->GetSysMenuItems(), u"DSF_CLOSE")->ShortCut(), ShortCut(VK_F4, ssCtrl));
    AltSpace(C);
    EXPECT_TRUE(MainC->InMenu);
    EXPECT_FALSE(C->InMenu);
    ASSERT_EQ(MainC->SkinMenu()->LevelCount(), 1);
    // Under the child's system-menu button, on the screen.
    const TsfActiveSkinObject* B = nullptr;
    for (const auto& O : C->ObjectList)
        if (O->Command == cmSysMenu) B = O.get();
    ASSERT_NE(B, nullptr);
    RECT W;
    GetWindowRect(Child->Handle(), &W);
    EXPECT_EQ(MainC->SkinMenu()->Level(0)->Left(), W.left + B->ObjectRect.Left);
    EXPECT_EQ(MainC->SkinMenu()->Level(0)->Top(), W.top + B->ObjectRect.Bottom);
    CloseMenu(MainC);
}

namespace {

// Keys as the keyboard sends them to the focused window.
void PressKeys(std::initializer_list<WORD> Held, WORD Key)
{
    std::vector<INPUT> In;
    auto Add = [&](WORD K, bool Up) {
        INPUT I = {};
        I.type = INPUT_KEYBOARD;
        I.ki.wVk = K;
        I.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
        In.push_back(I);
    };
    for (WORD H : Held) Add(H, false);
    Add(Key, false);
    Add(Key, true);
    for (auto It = std::rbegin(Held); It != std::rend(Held); ++It) Add(*It, true);
    SendInput(UINT(In.size()), In.data(), sizeof(INPUT));
    Pump();
}

TMenuItem* AddItem(TMainMenu* M, TMenuItem* Parent, const char16_t* Name, const char16_t* Caption, TShortCut Key,
                   int* Runs)
{
    auto* I = new TMenuItem(M);
    I->SetName(Name);
    I->SetCaption(Caption);
    I->SetShortCut(Key);
    if (Runs) I->OnClick = [Runs](TObject*) { ++*Runs; };
    Parent->Add(I);
    return I;
}

// The key message a form sees, with Ctrl held as the keyboard state tells it.
bool ShortCutTaken(TsfSkinForm* C, Integer Key, bool Ctrl, bool Alt)
{
    BYTE State[256] = {};
    GetKeyboardState(State);
    const BYTE Old = State[VK_CONTROL];
    State[VK_CONTROL] = Ctrl ? 0x80 : 0;
    SetKeyboardState(State);
    TWMKey Msg{};
    Msg.Msg = Alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    Msg.WParam = WPARAM(Key);
    Msg.LParam = Alt ? 0x20000000 : 0;
    bool Handled = false;
    C->FormShortCut(Msg, Handled);
    State[VK_CONTROL] = Old;
    SetKeyboardState(State);
    return Handled;
}

} // namespace

TEST_F(SkinFormWindowState, MainMenuShortCutsAndAccelerators)
{
    TsfSkinForm* C = NewDialog(100, 100);
    TCustomForm* F = C->Form();
    int Opens = 0, Runs = 0, Sys = 0;
    auto* M = new TMainMenu(F);
    TMenuItem* File = AddItem(M, M->Items(), u"mFile", u"&File", 0, nullptr);
    AddItem(M, File, u"mOpen", u"Open", ShortCut('O', ssCtrl), &Opens);
    AddItem(M, M->Items(), u"mRun", u"&Run", ShortCut('R', ssCtrl), &Runs);
    // VK_F4 is the code of a lower-case "s": Alt+F4 must not choose this item.
    AddItem(M, M->Items(), u"mSys", u"&Sys", 0, &Sys);
    C->SetMainMenu(M);
    SetForegroundWindow(F->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == F->Handle(); }));

    // The caption's menu: short cuts run their items, once.
    PressKeys({VK_CONTROL}, 'O');
    EXPECT_EQ(Opens, 1);
    PressKeys({VK_CONTROL}, 'R');
    EXPECT_EQ(Runs, 1);
    // Without a skin the caption shows no items, so Alt+letter is no short cut.
    EXPECT_FALSE(ShortCutTaken(C, 'R', false, true));
    EXPECT_FALSE(C->InMenu);

    // Through a linked bar: Alt+letter takes the bar's item.
    auto* Bar = new TsfSkinMainMenuBar(F);
    Bar->SetParent(F);
    Bar->SetSkinForm(C);
    Bar->SetMainMenu(M);
    C->SetMainMenu(nullptr);
    Pump();
    PressKeys({VK_MENU}, 'R');
    EXPECT_EQ(Runs, 2);
    PressKeys({VK_MENU}, 'F');
    EXPECT_TRUE(PumpUntil([&] { return C->InMenu; }));
    ASSERT_EQ(C->SkinMenu()->LevelCount(), 1);
    EXPECT_EQ(C->SkinMenu()->Level(0)->ItemList[0]->MenuItem->Name(), u"mOpen");
    CloseMenu(C);
    if (C->InMainMenu) C->LeaveMainMenu();
    PressKeys({VK_CONTROL}, 'O');
    EXPECT_EQ(Opens, 2);
    // Alt+F4 stays the platform's close; the "&Sys" item is not chosen.
    EXPECT_FALSE(ShortCutTaken(C, VK_F4, false, true));
    EXPECT_EQ(Sys, 0);
    // A key that is no short cut is left to the form.
    EXPECT_FALSE(ShortCutTaken(C, 'Q', true, false));
    // The component's own handler comes first.
    C->OnShortCut = [](TWMKey&, bool& Handled) { Handled = true; };
    EXPECT_TRUE(ShortCutTaken(C, 'O', true, false));
    EXPECT_EQ(Opens, 2);
    C->OnShortCut = nullptr;
}

TEST_F(SkinFormWindowState, MDIChildMenuShortCutsThroughTheMainFormBar)
{
    TForm* Main = Application->CreateForm<TForm>();
    auto* Child = new TForm(nullptr);
    struct TFree {
        TForm *M, *C;
        ~TFree()
        {
            delete C;
            delete M;
        }
    } Free{Main, Child};
    Main->SetBounds(40, 40, 640, 480);
    Main->SetFormStyle(fsMDIForm);
    auto* MainC = new TsfSkinForm(Main);
    int MainRuns = 0, ChildRuns = 0;
    auto* M = new TMainMenu(Main);
    AddItem(M, AddItem(M, M->Items(), u"mFile", u"&File", 0, nullptr), u"mNew", u"New", ShortCut('N', ssCtrl),
            &MainRuns);
    auto* Bar = new TsfSkinMainMenuBar(Main);
    Bar->SetParent(Main);
    Bar->SetSkinForm(MainC);
    Bar->SetMainMenu(M);
    ShowAndWait(Main);
    Child->SetFormStyle(fsMDIChild);
    new TsfSkinForm(Child);
    auto* CM = new TMainMenu(Child);
    AddItem(CM, AddItem(CM, CM->Items(), u"mPicture", u"&Picture", 0, nullptr), u"mFlip", u"Flip",
            ShortCut('K', ssCtrl), &ChildRuns);
    Child->SetBounds(30, 20, 250, 150);
    Child->Show();
    Pump();
    Bar->UpDateItems();
    ASSERT_EQ(Bar->ShownChildMainMenu(), CM);
    EXPECT_TRUE(ShortCutTaken(MainC, 'N', true, false));
    EXPECT_TRUE(ShortCutTaken(MainC, 'K', true, false));
    EXPECT_EQ(MainRuns, 1);
    EXPECT_EQ(ChildRuns, 1);
    // Without the child on the bar its short cuts are not the main form's.
    delete Child;
    Free.C = nullptr;
    Bar->UpDateItems();
    Pump();
    EXPECT_EQ(Bar->ShownChildMainMenu(), nullptr);
    EXPECT_FALSE(ShortCutTaken(MainC, 'K', true, false));
    EXPECT_EQ(ChildRuns, 1);
}

namespace {

// Forms in a skin with a layered border: "Rire" with a 100 x 80 layer frame
// whose form part is (20, 30)-(80, 60) and whose sizing band reaches 8 pixels
// out on every side; a full border carries the caption.
class SkinFormLayerBorderStates : public SkinFormWindowState {
protected:
    static constexpr Integer Band = 8;
    static constexpr Integer RollUpHeight = 20;
    TsfSkinData* BorderSkin(bool Full)
    {
        TsfSkinData* S = Skin(u"Rire");
        if (!S->LayerFrame || S->LayerFrame->PictureIndex < 0) {
            TDibImage P;
            P.Allocate(100, 80, pf24bit);
            for (Integer Y = 0; Y < 80; ++Y) memset(P.ScanLine(Y), 0x40, 300);
            S->FActivePictures.push_back(std::move(P));
            S->LayerFrame = std::make_unique<TsfDataSkinLayerFrame>();
            TsfDataSkinLayerFrame& D = *S->LayerFrame;
            D.PictureIndex = Integer(S->FActivePictures.size()) - 1;
            D.ClRect = {20, 30, 80, 60};
            D.LTPoint = {20, 30};
            D.RTPoint = {80, 30};
            D.LBPoint = {20, 60};
            D.RBPoint = {80, 60};
            D.BorderRect = {20 - Band, 30 - Band, 80 + Band, 60 + Band};
            D.HitTestEnable = true;
            D.HitTestSize = 4;
            D.AlphaBlendValue = D.InActiveAlphaBlendValue = 255;
            D.RollUpFormHeight = RollUpHeight;
        }
        S->LayerFrame->FullBorder = Full;
        return S;
    }
    TsfSkinForm* NewBorderedDialog(bool Full, TForm* F = nullptr)
    {
        if (!F) F = NewForm(300, 200, 100, 100);
        auto* C = new TsfSkinForm(F);
        C->MinWidth = 200;
        C->SetSkinData(BorderSkin(Full));
        F->SetBounds(300, 200, 300, 200);
        ShowAndWait(F);
        return C;
    }
    static TRect FormRect(TsfSkinForm* C)
    {
        const RECT R = Bounds(C);
        return {R.left, R.top, R.right, R.bottom};
    }
    // The work area a maximised form fills (a work area as large as the screen keeps a 1-pixel margin).
    static TRect MaximisedArea()
    {
        const RECT W = WorkArea();
        TRect A{W.left, W.top, W.right, W.bottom};
        if (A.Left == 0 && A.Top == 0 && A.Right == GetSystemMetrics(SM_CXSCREEN) &&
            A.Bottom == GetSystemMetrics(SM_CYSCREEN))
            A = {1, 1, A.Right - 1, A.Bottom - 1};
        return A;
    }
};

} // namespace

TEST_F(SkinFormLayerBorderStates, AFullBorderStaysOnTheScreenAroundTheForm)
{
    TsfSkinForm* C = NewBorderedDialog(true);
    ASSERT_TRUE(C->IsLayerBorderUsed());
    ASSERT_TRUE(C->FullLayerBorderShown());
    TsfFormLayerBorder* L = C->BorderLayer();
    const TRect A = MaximisedArea();
    const RECT Work = WorkArea();
    // Maximised within the border, which stays.
    C->SetWindowState(wsMaximized);
    Pump();
    EXPECT_EQ(FormRect(C), (TRect{A.Left + Band, A.Top + Band, A.Right - Band, A.Bottom - Band}));
    EXPECT_TRUE(L->Visible());
    C->SetWindowState(wsNormal);
    EXPECT_EQ(FormRect(C), (TRect{300, 200, 600, 400}));
    // Minimised: parked so that the border and its rolled-up frame stay in the work area.
    C->SetWindowState(wsMinimized);
    const Integer MinH = C->GetMinHeight();
    EXPECT_EQ(FormRect(C).Left, Work.left + Band);
    EXPECT_EQ(FormRect(C).Top, Work.bottom - MinH - Band - RollUpHeight + 10);
    C->SetWindowState(wsNormal);
    // Rolling up a form that is already as low as a rolled-up one still tells the border.
    C->Form()->SetHeight(MinH);
    const Integer Margins = 80 - 30;  // the picture's height less its form part
    ASSERT_EQ(L->FrameForForm().Height(), MinH + Margins);
    C->SetRollUpState(true);
    Pump();
    EXPECT_EQ(FormRect(C).Height(), MinH);
    EXPECT_EQ(L->FrameForForm().Height(), RollUpHeight + Margins);
    C->SetRollUpState(false);
    EXPECT_EQ(FormRect(C).Height(), MinH + 1);
}

TEST_F(SkinFormLayerBorderStates, APlainBorderHidesWhileMaximised)
{
    TsfSkinForm* C = NewBorderedDialog(false);
    ASSERT_FALSE(C->IsFullLayerBorderUsed());
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    const TRect A = MaximisedArea();
    C->SetWindowState(wsMaximized);
    Pump();
    EXPECT_EQ(FormRect(C), A);
    EXPECT_FALSE(L->Visible());
    C->SetWindowState(wsNormal);
    Pump();
    EXPECT_TRUE(L->Visible());
    EXPECT_EQ(FormRect(C), (TRect{300, 200, 600, 400}));
    EXPECT_EQ(L->FrameForForm().Left, 300 - 20);
    // Minimised dialogs park at the corner as without a border.
    C->SetWindowState(wsMinimized);
    EXPECT_EQ(FormRect(C).Left, WorkArea().left);
}

TEST_F(SkinFormLayerBorderStates, TheOuterFrameIsWhatMovesSnapsAndIsPlaced)
{
    TsfSkinForm* C = NewBorderedDialog(false);
    const RECT Work = WorkArea();
    // Placing the outer frame.
    C->SetBounds(100, 120, 400, 300);
    EXPECT_EQ(FormRect(C), (TRect{100 + Band, 120 + Band, 500 - Band, 420 - Band}));
    C->Move(50, 60);
    EXPECT_EQ(FormRect(C).Left, 50 + Band);
    EXPECT_EQ(FormRect(C).Top, 60 + Band);
    // Magnetic edges: the border's outer edge meets the work area's edges.
    struct { Integer OuterLeft, OuterTop, WantOuterLeft, WantOuterTop; } Cases[] = {
        {7, 100, 0, 100},   // 7 pixels in from the left: snaps
        {100, -7, 100, 0},  // 7 pixels above the top: snaps
        {100, 100, 100, 100},
        {-10, 100, -10, 100},  // the band is open at 10
    };
    for (const auto& K : Cases) {
        TsfSkinForm* D = NewBorderedDialog(false);
        D->Magnetic = true;
        D->MagneticSize = 10;
        const HWND H = D->Form()->Handle();
        SetCursorPos(600, 400);
        SendMessageW(H, WM_ENTERSIZEMOVE, 0, 0);
        const Integer L = Work.left + K.OuterLeft + Band, T = Work.top + K.OuterTop + Band;
        RECT R{L, T, L + 300, T + 200};
        SendMessageW(H, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&R));
        EXPECT_EQ(R.left - Band, Work.left + K.WantOuterLeft) << K.OuterLeft << "," << K.OuterTop;
        EXPECT_EQ(R.top - Band, Work.top + K.WantOuterTop) << K.OuterLeft << "," << K.OuterTop;
        EXPECT_EQ(R.right - R.left, 300);
        SendMessageW(H, WM_EXITSIZEMOVE, 0, 0);
        D->Form()->Hide();
    }
    // The right edge: the outer frame meets the work area's right edge.
    TsfSkinForm* D = NewBorderedDialog(false);
    D->Magnetic = true;
    SendMessageW(D->Form()->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    const Integer L = Work.right - 300 - Band - 5;
    RECT R{L, 300, L + 300, 500};
    SendMessageW(D->Form()->Handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&R));
    EXPECT_EQ(R.right + Band, Work.right);
    SendMessageW(D->Form()->Handle(), WM_EXITSIZEMOVE, 0, 0);
}

TEST_F(SkinFormLayerBorderStates, ASkinChangeKeepsTheOuterFrameOfAFullBorder)
{
    struct { bool FullAfter; } Cases[] = {{true}, {false}};
    for (const auto& K : Cases) {
        SCOPED_TRACE(K.FullAfter ? "full after" : "plain after");
        TsfSkinForm* C = NewBorderedDialog(true);
        TCustomForm* F = C->Form();
        TsfSkinData* S = C->SkinData();
        ASSERT_TRUE(C->FullLayerBorderShown());
        const TRect Outer{300 - Band, 200 - Band, 600 + Band, 400 + Band};
        SendMessageW(F->Handle(), WM_BEFORECHANGESKINDATA, reinterpret_cast<WPARAM>(S), 0);
        S->LayerFrame->FullBorder = K.FullAfter;
        SendMessageW(F->Handle(), WM_AFTERCHANGESKINDATA, reinterpret_cast<WPARAM>(S), 0);
        Pump();
        EXPECT_EQ(FormRect(C), K.FullAfter ? (TRect{300, 200, 600, 400}) : Outer);
        F->Hide();
        Pump();
    }
    // A change broken off by another skin set in between keeps the form where it is.
    TsfSkinForm* B = NewBorderedDialog(true);
    SendMessageW(B->Form()->Handle(), WM_BEFORECHANGESKINDATA, reinterpret_cast<WPARAM>(B->SkinData()), 0);
    B->SetSkinData(nullptr);
    EXPECT_EQ(FormRect(B), (TRect{300, 200, 600, 400}));
    B->Form()->Hide();
    // Bounds taken around a plain border are left alone.
    TsfSkinForm* C = NewBorderedDialog(false);
    SendMessageW(C->Form()->Handle(), WM_BEFORECHANGESKINDATA, reinterpret_cast<WPARAM>(C->SkinData()), 0);
    SendMessageW(C->Form()->Handle(), WM_AFTERCHANGESKINDATA, reinterpret_cast<WPARAM>(C->SkinData()), 0);
    EXPECT_EQ(FormRect(C), (TRect{300, 200, 600, 400}));
}

TEST_F(SkinFormLayerBorderStates, TheMainFormBringsItsBorderBackOnRestore)
{
    TForm* Main = Application->CreateForm<TForm>();
    struct TFree {
        TForm* F;
        ~TFree() { delete F; }
    } Free{Main};
    TsfSkinForm* C = NewBorderedDialog(false, Main);
    TsfFormLayerBorder* L = C->BorderLayer();
    ASSERT_TRUE(L && L->Visible());
    // The application's restore handler is the main form's component's.
    ASSERT_TRUE(bool(Application->OnRestore));
    // Two other forms of the application; one stays on top.
    TForm* Other = NewForm(350, 250, 200, 100);
    ShowAndWait(Other);
    TForm* OnTop = NewForm(380, 280, 200, 100);
    OnTop->SetFormStyle(fsStayOnTop);
    ShowAndWait(OnTop);
    // Which windows are put in a new place in the z-order, in turn.
    static std::vector<HWND> Raised;
    Raised.clear();
    const HHOOK Hook = SetWindowsHookExW(
        WH_CALLWNDPROC,
        [](int Code, WPARAM W, LPARAM L) -> LRESULT {
            const auto* M = reinterpret_cast<const CWPSTRUCT*>(L);
            if (Code == HC_ACTION && M->message == WM_WINDOWPOSCHANGING &&
                !(reinterpret_cast<const WINDOWPOS*>(M->lParam)->flags & SWP_NOZORDER) &&
                (Raised.empty() || Raised.back() != M->hwnd))
                Raised.push_back(M->hwnd);
            return CallNextHookEx(nullptr, Code, W, L);
        },
        nullptr, GetCurrentThreadId());
    Application->OnRestore(Application);
    Pump();
    UnhookWindowsHookEx(Hook);
    std::vector<HWND> Forms;
    for (HWND W : Raised)
        if (W == Other->Handle() || W == Main->Handle() || W == OnTop->Handle()) Forms.push_back(W);
    EXPECT_EQ(Forms, (std::vector<HWND>{Other->Handle(), Main->Handle()}));
    OnTop->Hide();
    // Minimising the main form minimises the application and takes the border down;
    // the platform's restore brings it back.
    C->SetWindowState(wsMinimized);
    Pump();
    EXPECT_FALSE(L->Visible());
    SendMessageW(Main->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump();
    EXPECT_TRUE(L->Visible());
    EXPECT_FALSE(IsIconic(Main->Handle()));
    // The restore from the tray brings the main form to the front.
    SetForegroundWindow(Other->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Other->Handle(); }));
    Main->SetTag(TrayRestoreTag);
    PostMessageW(Main->Handle(), WM_RESTOREFROMTRAY, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Main->Handle(); }));
    EXPECT_EQ(Main->Tag(), 0);
    delete C;
    EXPECT_FALSE(bool(Application->OnRestore));
}

TEST_F(SkinFormWindowState, MaximisingEndsABodyDragInClientMode)
{
    TForm* F = NewForm(100, 100, 240, 180);
    F->SetBorderStyle(bsNone);
    auto* C = new TsfSkinForm(F);
    C->SetSupportNCArea(false);
    C->DraggAble = true;
    C->SetSkinData(Skin(u"Rire"));
    F->SetBounds(100, 100, 240, 180);
    ShowAndWait(F);
    const TPoint Start = F->ClientToScreen({120, 100});
    MovePointer(Start);
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return C->IsDragging(); }));
    C->SetWindowState(wsMaximized);
    EXPECT_FALSE(C->IsDragging());
    const TRect Max = F->BoundsRect();
    MovePointer({Start.X + 30, Start.Y + 20});
    LeftButton(false);
    Pump();
    EXPECT_EQ(F->BoundsRect(), Max);
    C->SetWindowState(wsNormal);
    EXPECT_EQ(F->BoundsRect(), (TRect{100, 100, 340, 280}));
}

TEST_F(SkinFormWindowState, TheAltKeyAloneEntersAndLeavesTheMainMenu)
{
    TsfSkinForm* C = NewDialog(100, 100);
    TCustomForm* F = C->Form();
    auto* M = new TMainMenu(F);
    AddItem(M, AddItem(M, M->Items(), u"mFile", u"&File", 0, nullptr), u"mOpen", u"Open", 0, nullptr);
    AddItem(M, M->Items(), u"mRun", u"&Run", 0, nullptr);
    SetForegroundWindow(F->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == F->Handle(); }));
    auto AltAlone = [&] {
        INPUT In[2] = {};
        In[0].type = In[1].type = INPUT_KEYBOARD;
        In[0].ki.wVk = In[1].ki.wVk = VK_MENU;
        In[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, In, sizeof(INPUT));
        Pump();
    };
    // Nothing to walk: the key stays the platform's, no main-menu mode swallows the keys after it.
    C->SetMainMenu(M);
    AltAlone();
    EXPECT_FALSE(C->InMainMenu);
    EXPECT_FALSE(C->AppHooked());
    // With a bar: Alt enters it (its first item hot), Alt again leaves it.
    C->SetMainMenu(nullptr);
    auto* Bar = new TsfSkinMainMenuBar(F);
    Bar->SetParent(F);
    Bar->SetSkinForm(C);
    Bar->SetMainMenu(M);
    Pump();
    AltAlone();
    EXPECT_TRUE(C->InMainMenu);
    EXPECT_TRUE(Bar->MenuActive);
    ASSERT_FALSE(Bar->Items().empty());
    EXPECT_TRUE(Bar->Items()[0]->Active);
    // A key walks the bar while it is entered.
    PressKeys({}, VK_RIGHT);
    EXPECT_TRUE(Bar->Items()[1]->Active);
    AltAlone();
    EXPECT_FALSE(C->InMainMenu);
    EXPECT_FALSE(Bar->MenuActive);
    EXPECT_FALSE(C->AppHooked());
    // An open skinned menu closes when the main menu is entered.
    AltSpace(C);
    ASSERT_TRUE(C->InMenu);
    SendMessageW(F->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_FALSE(C->SkinMenu()->Visible());
    EXPECT_TRUE(C->InMainMenu);
    C->LeaveMainMenu();
}
