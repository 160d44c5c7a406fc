// Second processes for the Windows tests: the test program starts itself with
// LM_CHILD_MODE set and a filter that runs only its "Child" tests, which skip
// unless the mode is theirs, do their part and end the process with a code.
#pragma once

#include <gtest/gtest.h>

#include "ScopedEnv.h"
#include "framework/runtime/win/WinPlatform.h"

inline String OwnProgramFile()
{
    wchar_t Path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, Path, MAX_PATH * 2);
    return FromWStr(Path);
}

inline String ChildMode()
{
    return GetEnvironmentVariable(u"LM_CHILD_MODE");
}

// The command line that runs only the child tests of this program.
inline String ChildParameters()
{
    return u"--gtest_filter=Child.*";
}

// Starts the child in Mode (it inherits the environment, APPDATA included);
// the process handle, closed by the caller.
inline HANDLE StartChild(const String& Mode)
{
    TScopedEnv Env(u"LM_CHILD_MODE", Mode);
    String CommandLine = u"\"" + OwnProgramFile() + u"\" " + ChildParameters();
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    PROCESS_INFORMATION Info = {};
    if (!CreateProcessW(nullptr, const_cast<wchar_t*>(WStr(CommandLine)), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &Startup, &Info)) {
        ADD_FAILURE() << "cannot start the child process";
        return nullptr;
    }
    CloseHandle(Info.hThread);
    return Info.hProcess;
}

// Waits for a child, handling this thread's messages meanwhile (the child may
// send messages to a window of this thread); its exit code, or -1.
inline Integer WaitForChild(HANDLE Process, DWORD TimeoutMs = 60000)
{
    if (!Process) return -1;
    const ULONGLONG End = GetTickCount64() + TimeoutMs;
    for (;;) {
        const ULONGLONG Now = GetTickCount64();
        if (Now >= End) break;
        DWORD R = MsgWaitForMultipleObjects(1, &Process, FALSE, static_cast<DWORD>(End - Now), QS_ALLINPUT);
        if (R == WAIT_OBJECT_0) break;
        MSG Msg;
        while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&Msg);
            DispatchMessageW(&Msg);
        }
    }
    DWORD Code = DWORD(-1);
    if (WaitForSingleObject(Process, 0) != WAIT_OBJECT_0) TerminateProcess(Process, DWORD(-1));
    GetExitCodeProcess(Process, &Code);
    CloseHandle(Process);
    return static_cast<Integer>(Code);
}

// Handles this thread's waiting messages.
inline void PumpMessages()
{
    MSG Msg;
    while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
    }
}
