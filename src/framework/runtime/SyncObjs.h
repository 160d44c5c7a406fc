// SyncObjs: the critical section that guards data shared between threads.
// Portable.
#pragma once

#include <mutex>

#include "framework/runtime/System.h"

// A lock that the thread holding it may take again (each Enter needs its Leave).
class TCriticalSection : public TObject {
public:
    TCriticalSection() = default;
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;
    String ClassName() const override { return u"TCriticalSection"; }

    void Enter() { FMutex.lock(); }
    void Leave() { FMutex.unlock(); }
    void Acquire() { Enter(); }
    void Release() { Leave(); }
    bool TryEnter() { return FMutex.try_lock(); }

    // So that std::lock_guard and std::scoped_lock can hold it.
    void lock() { Enter(); }
    void unlock() { Leave(); }
    bool try_lock() { return TryEnter(); }

private:
    std::recursive_mutex FMutex;
};
