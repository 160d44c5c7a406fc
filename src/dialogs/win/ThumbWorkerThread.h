// ThumbWorkerThread: the polling protocol the thumbnail workers share. The
// worker sleeps while its work flag is off; awake, it asks its owner for a
// job, renders it off the user-interface thread and hands the result back.
// Both hand-overs run on the user-interface thread (Synchronize), so the
// owner's tables are never used by two threads at once. The owner stops its
// worker with Stop before it frees anything the callbacks use: the worker is
// joined, never freed on its own, and the waiting keeps the hand-overs and
// the messages sent to the waiting thread flowing, so a worker in the middle
// of a hand-over finishes instead of dead-locking.
#pragma once

#include <atomic>

#include "framework/runtime/Threads.h"

class TThumbWorkerThread : public TThread {
public:
    // The most derived class stops the worker in its destructor: the render
    // and hand-overs are its own.
    ~TThumbWorkerThread() override;
    // Sets the work flag (the owner has new work); a worker already working
    // finds it at its next ask.
    void Wake() { FWork = true; }
    bool Work() const { return FWork; }
    // Terminates the worker and waits until it has ended. No callback runs
    // after it returns. Safe to call again and on a worker never started.
    void Stop();

protected:
    // Created suspended, one step below normal priority, the work flag off.
    TThumbWorkerThread();
    void Execute() final;
    // On the user-interface thread: take the next job, copying what the
    // render needs (the owner may change its tables meanwhile). OK comes in
    // as the work flag and goes out false when there is no job.
    virtual void TakeJob(bool& OK) = 0;
    // On the worker: render the job taken.
    virtual void Render() = 0;
    // On the user-interface thread: hand the result to the owner (it owns it
    // from then on); not called when the worker was stopped meanwhile.
    virtual void Deliver() = 0;
    // Drops a result that was not delivered.
    virtual void Discard() = 0;

private:
    std::atomic<bool> FWork{false};
};
