#pragma once

#include "support/ScratchPresetRoot.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <fstream>

// Memory of this process that is resident now.
inline double residentMegabytes()
{
    long pages = 0, resident = 0;
    std::ifstream ("/proc/self/statm") >> pages >> resident;
    return static_cast<double> (resident) * static_cast<double> (sysconf (_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// BENCHMARK_MAIN's body, for a main that sets up what the benchmarks need first; the processors'
// preset stores, a loaded bundle's included, go to a scratch folder.
inline int runBenchmarks (int argc, char** argv)
{
    const ScratchPresetRoot presetRoot;
    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
