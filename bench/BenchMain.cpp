// The main of every benchmark program: the program's start-up, then Google
// Benchmark's own main.
#include <benchmark/benchmark.h>

#include "TestStartup.h"

int main(int argc, char** argv)
{
    InstallTestProgram();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
