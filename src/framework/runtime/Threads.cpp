#include "framework/runtime/Threads.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const std::thread::id TheMainThreadID = std::this_thread::get_id();

struct TSyncItem {
    TThread* Thread = nullptr;
    TThreadMethod Method;
    bool Synchronous = false;
    bool Done = false;
    std::exception_ptr Error;
};

// One list for every thread: calls run in the order they were made.
std::mutex SyncMutex;
std::condition_variable SyncPending;  // a call was added, or a thread ended
std::condition_variable SyncDone;     // a synchronised call ran
std::deque<std::shared_ptr<TSyncItem>> SyncList;

void AddSyncItem(const std::shared_ptr<TSyncItem>& Item)
{
    {
        std::lock_guard<std::mutex> lock(SyncMutex);
        SyncList.push_back(Item);
    }
    SyncPending.notify_all();
    if (WakeMainThread) WakeMainThread();
}

} // namespace

std::function<void()> WakeMainThread;

std::thread::id MainThreadID()
{
    return TheMainThreadID;
}

bool IsMainThread()
{
    return std::this_thread::get_id() == TheMainThreadID;
}

bool CheckSynchronize(Integer Timeout)
{
    if (!IsMainThread()) return false;
    std::deque<std::shared_ptr<TSyncItem>> batch;
    {
        std::unique_lock<std::mutex> lock(SyncMutex);
        if (SyncList.empty() && Timeout > 0)
            SyncPending.wait_for(lock, std::chrono::milliseconds(Timeout), [] { return !SyncList.empty(); });
        batch.swap(SyncList);
    }
    if (batch.empty()) return false;
    while (!batch.empty()) {
        std::shared_ptr<TSyncItem> item = batch.front();
        batch.pop_front();
        if (item->Synchronous) {
            try {
                item->Method();
            } catch (...) {
                item->Error = std::current_exception();
            }
            {
                std::lock_guard<std::mutex> lock(SyncMutex);
                item->Done = true;
            }
            SyncDone.notify_all();
        } else {
            try {
                item->Method();
            } catch (...) {
                // The rest keeps its place, before anything added meanwhile.
                std::lock_guard<std::mutex> lock(SyncMutex);
                SyncList.insert(SyncList.begin(), batch.begin(), batch.end());
                throw;
            }
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// TThread

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended) {}

TThread::~TThread()
{
    RemoveQueuedEvents(this);
    if (FThread.joinable()) {
        if (std::this_thread::get_id() == FThread.get_id()) {
            FThread.detach();  // the thread frees itself at its end
        } else {
            Terminate();
            WaitForEnd();
            FThread.join();
        }
    }
    RemoveQueuedEvents(this);
#ifdef _WIN32
    if (FHandle) CloseHandle(static_cast<HANDLE>(FHandle));
#endif
}

void TThread::AfterConstruction()
{
    if (!FCreateSuspended && !FStarted) Start();
}

void TThread::Start()
{
    if (FStarted.exchange(true)) throw EThread(u"Cannot call Start on a running or finished thread");
    FThread = std::thread([this] { ThreadProc(); });
    FThreadID = FThread.get_id();
}

void TThread::ThreadProc()
{
#ifdef _WIN32
    {
        std::lock_guard<std::mutex> lock(FHandleLock);
        HANDLE h = nullptr;
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &h, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        FHandle = h;
    }
#endif
    ApplyPriority();
    try {
        if (!FTerminated) Execute();
    } catch (...) {
        FFatalException = std::current_exception();
    }
    bool freeSelf = FFreeOnTerminate;
    try {
        DoTerminate();
    } catch (...) {
        // OnTerminate's exception has nowhere to go from here.
    }
    {
        std::lock_guard<std::mutex> lock(SyncMutex);
        FFinished = true;
    }
    SyncPending.notify_all();
    if (freeSelf) delete this;
}

void TThread::DoTerminate()
{
    if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::WaitForEnd()
{
    if (IsMainThread()) {
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(SyncMutex);
                SyncPending.wait(lock, [this] { return FFinished || !SyncList.empty(); });
                if (FFinished && SyncList.empty()) return;
            }
            CheckSynchronize();
            if (FFinished) return;
        }
    }
    std::unique_lock<std::mutex> lock(SyncMutex);
    SyncPending.wait(lock, [this] { return bool(FFinished); });
}

Integer TThread::WaitFor()
{
    if (FFreeOnTerminate) throw EThread(u"Cannot wait for a thread that frees itself");
    if (!FStarted) throw EThread(u"Cannot wait for a thread that was never started");
    if (std::this_thread::get_id() == FThreadID) throw EThread(u"A thread cannot wait for itself");
    WaitForEnd();
    if (FThread.joinable()) FThread.join();
    return FReturnValue;
}

void TThread::SetPriority(TThreadPriority Value)
{
    FPriority = Value;
    ApplyPriority();
}

void TThread::ApplyPriority()
{
#ifdef _WIN32
    static const int Levels[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,  THREAD_PRIORITY_BELOW_NORMAL,
                                 THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                                 THREAD_PRIORITY_TIME_CRITICAL};
    std::lock_guard<std::mutex> lock(FHandleLock);
    if (FHandle && !FFinished) SetThreadPriority(static_cast<HANDLE>(FHandle), Levels[FPriority.load()]);
#else
    // The host build keeps the value only: it runs no user interface.
#endif
}

void TThread::Synchronize(TThread* Thread, TThreadMethod Method)
{
    if (IsMainThread()) {
        Method();
        return;
    }
    auto item = std::make_shared<TSyncItem>();
    item->Thread = Thread;
    item->Method = std::move(Method);
    item->Synchronous = true;
    AddSyncItem(item);
    {
        std::unique_lock<std::mutex> lock(SyncMutex);
        SyncDone.wait(lock, [&] { return item->Done; });
    }
    if (item->Error) std::rethrow_exception(item->Error);
}

void TThread::Queue(TThread* Thread, TThreadMethod Method)
{
    if (IsMainThread()) {
        Method();
        return;
    }
    auto item = std::make_shared<TSyncItem>();
    item->Thread = Thread;
    item->Method = std::move(Method);
    AddSyncItem(item);
}

void TThread::RemoveQueuedEvents(TThread* Thread)
{
    std::lock_guard<std::mutex> lock(SyncMutex);
    for (auto it = SyncList.begin(); it != SyncList.end();) {
        if ((*it)->Thread == Thread && !(*it)->Synchronous) it = SyncList.erase(it);
        else ++it;
    }
}

void TThread::Sleep(Integer Milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds > 0 ? Milliseconds : 0));
}
