// The main of every test executable.
#include <gtest/gtest.h>

#include "TestStartup.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifdef _WIN32
namespace {

// Run beside other tests on one display (cmake/Lumatra.cmake says so in
// LM_TEST_SHARED_DESKTOP), a program must not activate a window: the focus
// would leave a window test that holds the display.
LRESULT CALLBACK SharedDesktopGuard(int Code, WPARAM WParam, LPARAM LParam)
{
    if (Code == HCBT_ACTIVATE)
        ADD_FAILURE() << "a window was activated by a test that shares the display with others: "
                         "give its test the RESOURCE_LOCK desktop";
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

} // namespace
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // A crash must fail the test, not open an error dialog nobody can click.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    if (GetEnvironmentVariableW(L"LM_TEST_SHARED_DESKTOP", nullptr, 0) != 0)
        SetWindowsHookExW(WH_CBT, SharedDesktopGuard, nullptr, GetCurrentThreadId());
#endif
    InstallTestProgram();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
