// Resident memory of the benchmark process, for the load benchmarks: what a
// load keeps shows as the peak above the resident size before it. Each load
// benchmark is meant to run in a process of its own (bench/load.sh), since
// the peak is the process's peak so far.
#pragma once

#include <benchmark/benchmark.h>

#include <fstream>

#include <sys/resource.h>
#include <unistd.h>

namespace tw::bench {

// The peak resident size of the process so far, in MiB.
inline double peakRssMiB() {
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kB on Linux
}

// The resident size now, in MiB.
inline double rssMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE))
        / (1024.0 * 1024.0);
}

inline void reportMemory(benchmark::State &state, double rssBefore) {
    state.counters["rss_before_MiB"] = rssBefore;
    state.counters["peak_rss_MiB"] = peakRssMiB();
}

} // namespace tw::bench
