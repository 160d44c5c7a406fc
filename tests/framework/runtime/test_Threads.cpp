// Worker threads, the calls they hand to the main thread, and the critical section.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <vector>

#include "framework/runtime/SyncObjs.h"
#include "framework/runtime/Threads.h"

namespace {

// Pumps the waiting calls until Done holds (at most about five seconds).
template <class F>
bool PumpUntil(F Done)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        CheckSynchronize(10);
    }
    return true;
}

class TLambdaThread : public TThread {
public:
    explicit TLambdaThread(std::function<void(TLambdaThread*)> Body, bool CreateSuspended = true)
        : TThread(CreateSuspended), FBody(std::move(Body))
    {
    }
    using TThread::SetReturnValue;
    using TThread::Synchronize;
    using TThread::Queue;

protected:
    void Execute() override { FBody(this); }

private:
    std::function<void(TLambdaThread*)> FBody;
};

TEST(Threads, RunsOnlyAfterStartAndAnswersItsReturnValue)
{
    std::atomic<int> runs{0};
    TLambdaThread t([&](TLambdaThread* self) {
        ++runs;
        self->SetReturnValue(42);
    });
    TThread::Sleep(20);
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(t.Started());
    EXPECT_THROW(t.WaitFor(), EThread);

    t.Start();
    EXPECT_EQ(t.WaitFor(), 42);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(t.Finished());
    EXPECT_THROW(t.Start(), EThread);
}

TEST(Threads, NewThreadStartsOneThatIsNotSuspended)
{
    std::atomic<bool> ran{false};
    std::unique_ptr<TLambdaThread> t(NewThread<TLambdaThread>([&](TLambdaThread*) { ran = true; }, false));
    t->WaitFor();
    EXPECT_TRUE(ran);
}

TEST(Threads, TerminateIsSeenByExecute)
{
    std::atomic<bool> running{false};
    TLambdaThread t([&](TLambdaThread* self) {
        running = true;
        while (!self->Terminated()) TThread::Sleep(1);
        self->SetReturnValue(7);
    });
    t.Start();
    while (!running) TThread::Sleep(1);
    t.Terminate();
    EXPECT_EQ(t.WaitFor(), 7);
}

TEST(Threads, SynchronizeRunsOnTheMainThreadWhileWaitForWaits)
{
    std::vector<bool> onMain;
    std::vector<int> order;
    TLambdaThread t([&](TLambdaThread* self) {
        for (int i = 0; i < 5; ++i)
            self->Synchronize([&, i] {
                onMain.push_back(IsMainThread());
                order.push_back(i);
            });
    });
    std::atomic<bool> terminatedOnMain{false};
    t.OnTerminate = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &t);
        terminatedOnMain = IsMainThread();
    };
    t.Start();
    t.WaitFor();  // would dead-lock if the waiting calls did not run meanwhile
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(onMain, std::vector<bool>(5, true));
    EXPECT_TRUE(terminatedOnMain);
}

TEST(Threads, SynchronizePassesTheExceptionBackToTheThread)
{
    std::atomic<bool> caught{false};
    TLambdaThread t([&](TLambdaThread* self) {
        try {
            self->Synchronize([] { throw EConvertError(u"bad"); });
        } catch (EConvertError& E) {
            caught = E.Message() == u"bad";
        }
    });
    t.Start();
    t.WaitFor();
    EXPECT_TRUE(caught);
    EXPECT_FALSE(t.FatalException());
}

TEST(Threads, QueueDoesNotWaitAndRunsInOrderOnTheMainThread)
{
    std::vector<int> seen;
    std::atomic<bool> queued{false};
    TLambdaThread t([&](TLambdaThread* self) {
        for (int i = 0; i < 3; ++i) self->Queue([&, i] { seen.push_back(i); });
        queued = true;  // reached without the main thread running anything
    });
    t.Start();
    ASSERT_TRUE(PumpUntil([&] { return queued.load(); }));
    ASSERT_TRUE(PumpUntil([&] { return seen.size() == 3; }));
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    t.WaitFor();
}

TEST(Threads, QueuedCallsOfADeletedThreadAreDropped)
{
    bool ran = false;
    auto* t = new TLambdaThread([&](TLambdaThread* self) { self->Queue([&] { ran = true; }); });
    t->Start();
    // Wait for the end without running the queued call.
    while (!t->Finished()) TThread::Sleep(1);
    delete t;
    CheckSynchronize();
    EXPECT_FALSE(ran);
}

TEST(Threads, AnExceptionInExecuteEndsTheThreadAndIsKept)
{
    TLambdaThread t([](TLambdaThread*) { throw EListError(u"broken"); });
    bool terminated = false;
    t.OnTerminate = [&](TObject*) { terminated = true; };
    t.Start();
    t.WaitFor();
    EXPECT_TRUE(terminated);
    ASSERT_TRUE(t.FatalException());
    EXPECT_THROW(std::rethrow_exception(t.FatalException()), EListError);
}

struct TSelfFreeing : TThread {
    explicit TSelfFreeing(std::atomic<bool>& Freed) : TThread(true), FFreed(Freed) { SetFreeOnTerminate(true); }
    ~TSelfFreeing() override { FFreed = true; }
    void Execute() override { Synchronize([] {}); }
    std::atomic<bool>& FFreed;
};

TEST(Threads, FreeOnTerminateDeletesTheObjectAfterOnTerminate)
{
    std::atomic<bool> freed{false};
    bool terminated = false;
    auto* t = new TSelfFreeing(freed);
    t->OnTerminate = [&](TObject*) { terminated = true; };
    EXPECT_THROW(t->WaitFor(), EThread);
    t->Start();
    ASSERT_TRUE(PumpUntil([&] { return freed.load(); }));
    EXPECT_TRUE(terminated);
}

TEST(Threads, DeletingARunningThreadTerminatesAndWaits)
{
    std::atomic<bool> entered{false}, left{false};
    auto* t = new TLambdaThread([&](TLambdaThread* self) {
        entered = true;
        while (!self->Terminated()) self->Synchronize([] {});
        left = true;
    });
    t->Start();
    // On a loaded machine the thread may not have begun yet after a fixed pause.
    ASSERT_TRUE(PumpUntil([&] { return entered.load(); }));
    delete t;
    EXPECT_TRUE(left);
}

TEST(Threads, PriorityIsKept)
{
    TLambdaThread t([](TLambdaThread*) {});
    t.SetPriority(tpLower);
    t.Start();
    t.SetPriority(tpIdle);
    t.WaitFor();
    EXPECT_EQ(t.Priority(), tpIdle);
}

TEST(Threads, CallsFromTheMainThreadRunAtOnce)
{
    int n = 0;
    TThread::Synchronize(nullptr, [&] { ++n; });
    TThread::Queue(nullptr, [&] { ++n; });
    EXPECT_EQ(n, 2);
    EXPECT_FALSE(CheckSynchronize());
}

TEST(SyncObjs, CriticalSectionNestsAndExcludes)
{
    TCriticalSection cs;
    cs.Enter();
    EXPECT_TRUE(cs.TryEnter());  // the holder may take it again
    cs.Leave();
    cs.Leave();

    long counter = 0;
    std::vector<std::unique_ptr<TLambdaThread>> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back(new TLambdaThread([&](TLambdaThread*) {
            for (int k = 0; k < 10000; ++k) {
                std::lock_guard<TCriticalSection> lock(cs);
                ++counter;
            }
        }));
        threads.back()->Start();
    }
    for (auto& t : threads) t->WaitFor();
    EXPECT_EQ(counter, 40000);
}

} // namespace
