// The timer component.
#include "GuiTest.h"

#include "framework/controls/win/ExtCtrls.h"

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

} // namespace
