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
#include "skin/model/SFMessages.h"

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
