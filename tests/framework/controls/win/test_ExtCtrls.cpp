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

} // namespace
