// The main of every test executable.
#include <gtest/gtest.h>

#include "TestStartup.h"

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // A crash must fail the test, not open an error dialog nobody can click.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
#endif
    InstallTestProgram();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
