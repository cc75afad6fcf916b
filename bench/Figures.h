#pragma once
// Small measures for the benchmarks: quantiles, the process's own processor time and
// its peak memory.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace quindra::bench {

// The q-quantile (0 to 1) by the nearest rank; 0 for no values.
inline double quantile(std::vector<double> values, double q) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * double(values.size())));
    return values[std::min(values.size() - 1, rank == 0 ? 0 : rank - 1)];
}

// Processor time of the whole process so far, user and system, in milliseconds: the
// scheduler's own count, exact to the nanosecond, not the sampled figures of getrusage.
inline double processCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The process's peak resident memory (VmHWM), in MiB.
inline double peakRssMib() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    double kib = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kib = std::atof(line + 6);
    std::fclose(status);
    return kib / 1024;
}

} // namespace quindra::bench
