// Threads: worker threads (TThread) and the calls they hand over to the
// user-interface thread (Synchronize waits for its call, Queue does not).
// Portable: the application wakes its message loop through WakeMainThread and
// runs the waiting calls with CheckSynchronize.
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "framework/runtime/Classes.h"

LM_EXCEPTION_CLASS(EThread, Exception);

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

using TThreadMethod = std::function<void()>;

// The user-interface thread is the one that started the program.
std::thread::id MainThreadID();
bool IsMainThread();

// Set by the application: wakes the user-interface thread when a call is
// waiting for it (called on the worker thread).
extern std::function<void()> WakeMainThread;

// Runs, on the user-interface thread, the calls waiting for it, in the order
// they were made; when none is waiting it waits up to Timeout milliseconds for
// one. True when it ran any. On another thread it does nothing. An exception
// of a queued call propagates (the calls after it stay waiting); that of a
// synchronised call goes back to the thread that made it.
bool CheckSynchronize(Integer Timeout = 0);

class TThread : public TObject {
public:
    // A thread created suspended starts with Start. One created running starts
    // in AfterConstruction, which NewThread calls once the object is complete:
    // a base constructor cannot start it, the derived part would not exist yet.
    explicit TThread(bool CreateSuspended);
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;
    // A thread still running is told to terminate and waited for.
    ~TThread() override;
    String ClassName() const override { return u"TThread"; }

    void AfterConstruction() override;
    // Raises EThread when the thread was started before.
    void Start();
    // Sets Terminated; Execute is expected to look at it and return.
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    bool Started() const { return FStarted; }
    bool Finished() const { return FFinished; }
    // Waits until the thread has ended and answers its ReturnValue. On the
    // user-interface thread the calls the thread synchronises (OnTerminate
    // too) keep running meanwhile. Raises EThread for a thread that frees
    // itself, that was never started, or that waits for itself.
    Integer WaitFor();

    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority Value);
    // The object deletes itself when the thread ends (after OnTerminate).
    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
    Integer ReturnValue() const { return FReturnValue; }
    // What Execute threw, or null.
    std::exception_ptr FatalException() const { return FFatalException; }
    std::thread::id ThreadID() const { return FThreadID; }

    // Runs on the user-interface thread when the thread has ended.
    TNotifyEvent OnTerminate;

    // Run Method on the user-interface thread: Synchronize waits for it and
    // passes its exception on, Queue returns at once. Called on that thread
    // itself, both run Method at once. Thread may be nil.
    static void Synchronize(TThread* Thread, TThreadMethod Method);
    static void Queue(TThread* Thread, TThreadMethod Method);
    // Drops the queued calls made by Thread that have not run yet.
    static void RemoveQueuedEvents(TThread* Thread);
    static void Sleep(Integer Milliseconds);

protected:
    virtual void Execute() = 0;
    // Calls OnTerminate through Synchronize.
    virtual void DoTerminate();
    void Synchronize(TThreadMethod Method) { Synchronize(this, std::move(Method)); }
    void Queue(TThreadMethod Method) { Queue(this, std::move(Method)); }
    void SetReturnValue(Integer Value) { FReturnValue = Value; }

private:
    void ThreadProc();
    void WaitForEnd();
    void ApplyPriority();

    std::thread FThread;
    std::thread::id FThreadID;
    std::atomic<bool> FCreateSuspended;
    std::atomic<bool> FStarted{false};
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FFreeOnTerminate{false};
    std::atomic<TThreadPriority> FPriority{tpNormal};
    std::atomic<Integer> FReturnValue{0};
    std::exception_ptr FFatalException;
    std::mutex FHandleLock;
    void* FHandle = nullptr;  // the platform's thread handle, for priority changes
};

// Makes a thread object and, unless it was created suspended, starts it.
template <class T, class... A>
T* NewThread(A&&... Args)
{
    T* thread = new T(std::forward<A>(Args)...);
    thread->AfterConstruction();
    return thread;
}
