// A Windows test program that ends in the middle of its tests with status 0,
// as one that overflows its stack does under Wine. Its ctest entry expects a
// failure: scripts/wine-exec.sh must not report such a run as passed.
#include <gtest/gtest.h>

#include <windows.h>

TEST(WineExec, AProgramThatEndsBeforeItsTestsIsAFailure)
{
    ExitProcess(0);
}
