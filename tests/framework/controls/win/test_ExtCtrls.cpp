// The timer component and the tray icon.
#include "GuiTest.h"
#include "ModalDriver.h"

#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/Menus.h"

using namespace guitest;

namespace {

TEST(ExtCtrls, ATimerCallsOnTimerWhileEnabled)
{
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    timer.SetInterval(10);
    int calls = 0;
    timer.OnTimer = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &timer);
        ++calls;
    };
    ASSERT_TRUE(PumpUntil([&] { return calls >= 3; }));
    timer.SetEnabled(false);
    int at = calls;
    PumpUntil([] { return false; }, 60);
    EXPECT_EQ(calls, at);
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return calls > at; }));
    // Interval 0 stops it too.
    timer.SetInterval(0);
    at = calls;
    PumpUntil([] { return false; }, 60);
    EXPECT_EQ(calls, at);
}

TEST(ExtCtrls, AnExceptionInOnTimerReachesTheApplicationAndTheTimerGoesOn)
{
    String seen;
    Application->OnException = [&](TObject*, Exception& E) { seen = E.Message(); };
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int calls = 0;
    timer.OnTimer = [&](TObject*) {
        if (++calls == 1) throw EConvertError(u"tick failed");
    };
    ASSERT_TRUE(PumpUntil([&] { return calls >= 3; }));
    EXPECT_EQ(seen, u"tick failed");
    Application->OnException = nullptr;
}

TEST(ExtCtrls, ATimerOwnedByAFormGoesWithIt)
{
    auto* form = new TForm(nullptr);
    auto* timer = new TTimer(form);
    timer->SetInterval(10);
    int calls = 0;
    timer->OnTimer = [&](TObject*) { ++calls; };
    ASSERT_TRUE(PumpUntil([&] { return calls >= 1; }));
    delete form;
    int at = calls;
    PumpUntil([] { return false; }, 60);
    EXPECT_EQ(calls, at);
}

// The message-only windows of the timer class this process has.
int TimerWindows()
{
    int n = 0;
    for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, L"TPTimerWindow", nullptr));) ++n;
    return n;
}

int ThreadWindows()
{
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND, LPARAM P) { return ++*reinterpret_cast<int*>(P), TRUE; },
                      reinterpret_cast<LPARAM>(&n));
    return n;
}

TEST(ExtCtrls, AThousandTimersShareOneWindowAndLeaveNoHandlesBehind)
{
    TTimer first(nullptr);  // the thread's timer window exists from here on
    ASSERT_NE(ThreadTimerWindow(), nullptr);
    const int windows = ThreadWindows(), timerWindows = TimerWindows(), timers = ThreadTimerCount();
    EXPECT_EQ(timerWindows, 1);
    const DWORD userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const DWORD gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int round = 0; round < 2; ++round) {
        auto* owner = new TComponent(nullptr);
        std::vector<TTimer*> list;
        for (int i = 0; i < 1000; ++i) {
            auto* t = new TTimer(owner);
            t->SetInterval(60000);
            list.push_back(t);
        }
        EXPECT_EQ(ThreadTimerCount(), timers + 1000);
        EXPECT_EQ(TimerWindows(), 1);
        EXPECT_EQ(ThreadWindows(), windows);
        // Half freed one by one, the rest with their owner.
        for (int i = 0; i < 1000; i += 2) FreeAndNil(list[i]);
        EXPECT_EQ(ThreadTimerCount(), timers + 500);
        delete owner;
        EXPECT_EQ(ThreadTimerCount(), timers);
    }
    EXPECT_EQ(TimerWindows(), 1);
    EXPECT_EQ(ThreadWindows(), windows);
    // (GetGuiResources answers 0 where the platform does not count.)
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userObjects);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiObjects);
}

TEST(ExtCtrls, ATimerThatStopsAndRestartsInItsOwnHandlerKeepsTicking)
{
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int calls = 0;
    timer.OnTimer = [&](TObject*) {
        ++calls;
        timer.SetEnabled(false);  // the entry goes while its message is handled...
        timer.SetEnabled(true);   // ...and comes back
    };
    ASSERT_TRUE(PumpUntil([&] { return calls >= 3; }));
}

// Whether the shell knows the icon: only a known icon can be modified.
bool ShellHasIcon(const TTrayIcon& Tray)
{
    NOTIFYICONDATAW Data = {};
    Data.cbSize = sizeof(Data);
    Data.hWnd = Tray.Handle();
    Data.uID = Tray.ID();
    return Shell_NotifyIconW(NIM_MODIFY, &Data) != FALSE;
}

TEST(TrayIcon, ShownToTheShellAndReAddedWhenItRestarts)
{
    TTrayIcon Tray(nullptr);
    Tray.SetHint(String(300, u'x'));  // longer than the shell's field: cut, not overrun
    EXPECT_FALSE(Tray.ShowBalloonHint());
    Tray.SetVisible(true);
    EXPECT_TRUE(ShellHasIcon(Tray));
    Tray.SetBalloonTitle(u"Title");
    Tray.SetBalloonHint(String(400, u'y'));
    Tray.SetBalloonFlags(bfWarning);
    EXPECT_TRUE(Tray.ShowBalloonHint());

    // The shell restarts: it forgot the icon and broadcasts "TaskbarCreated".
    NOTIFYICONDATAW Data = {};
    Data.cbSize = sizeof(Data);
    Data.hWnd = Tray.Handle();
    Data.uID = Tray.ID();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &Data));
    EXPECT_FALSE(ShellHasIcon(Tray));
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return ShellHasIcon(Tray); }));

    Tray.SetVisible(false);
    EXPECT_FALSE(ShellHasIcon(Tray));
    // Hidden, the broadcast adds nothing.
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    Pump();
    EXPECT_FALSE(ShellHasIcon(Tray));
}

TEST(TrayIcon, ClicksReachItsEvents)
{
    TTrayIcon Tray(nullptr);
    int Clicks = 0, DoubleClicks = 0, Chosen = 0;
    std::vector<TMouseButton> Downs;
    Tray.OnClick = [&](TObject*) { ++Clicks; };
    Tray.OnDblClick = [&](TObject*) { ++DoubleClicks; };
    Tray.OnMouseDown = [&](TObject*, TMouseButton B, TShiftState, Integer, Integer) { Downs.push_back(B); };
    Tray.SetVisible(true);

    // A real click on the icon in the shell's tray window.
    HWND TrayWindow = FindWindowW(L"Shell_TrayWnd", nullptr);
    HWND Standalone = FindWindowW(nullptr, L"Wine System Tray");
    if (Standalone && IsWindowVisible(Standalone)) {
        RECT R;
        GetClientRect(Standalone, &R);
        POINT P{8, (R.bottom - R.top) / 2};
        ClientToScreen(Standalone, &P);
        MovePointer(Point(P.x, P.y));
        LeftButton(true);
        LeftButton(false);
        EXPECT_TRUE(PumpUntil([&] { return Clicks == 1; }));
    } else {
        ADD_FAILURE() << "no tray window to click (Shell_TrayWnd " << TrayWindow << ")";
    }
    // The shell's callbacks: a double click, a right click with the popup menu.
    SendMessageW(Tray.Handle(), TTrayIcon::WM_TRAYNOTIFY, Tray.ID(), WM_LBUTTONDBLCLK);
    EXPECT_EQ(DoubleClicks, 1);
    TPopupMenu Menu(nullptr);
    auto* Item = new TMenuItem(&Menu);
    Item->SetCaption(u"Restore");
    Item->OnClick = [&](TObject*) { ++Chosen; };
    Menu.Items()->Add(Item);
    Tray.SetPopupMenu(&Menu);
    {
        TModalDriver Driver(TKeys{{VK_DOWN}, {VK_RETURN}});
        SendMessageW(Tray.Handle(), TTrayIcon::WM_TRAYNOTIFY, Tray.ID(), WM_RBUTTONDOWN);
        SendMessageW(Tray.Handle(), TTrayIcon::WM_TRAYNOTIFY, Tray.ID(), WM_RBUTTONUP);
    }
    Pump();
    EXPECT_EQ(Chosen, 1);
    EXPECT_EQ(Menu.PopupComponent(), &Tray);
    ASSERT_FALSE(Downs.empty());
    EXPECT_EQ(Downs.back(), mbRight);
    // Another icon's message is not ours.
    SendMessageW(Tray.Handle(), TTrayIcon::WM_TRAYNOTIFY, Tray.ID() + 100, WM_LBUTTONUP);
    EXPECT_EQ(Clicks, 1);
}

} // namespace
