// Timing for the benchmarks: the median of repeated runs, which shrugs off the odd slow run
// on a shared machine better than the mean.
#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace glyphloom::bench {

template <typename F>
double medianSeconds(int runs, F&& body) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        body();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The same over the CPU time this thread used: on a machine shared with other work it says
// what the code costs, where the wall clock also counts the time spent waiting for a core.
template <typename F>
double medianCpuSeconds(int runs, F&& body) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = threadCpuSeconds();
        body();
        times.push_back(threadCpuSeconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Wall and CPU medians of the same runs, for figures that should show both.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

template <typename F>
Timing medianTiming(int runs, F&& body) {
    std::vector<double> walls, cpus;
    for (int i = 0; i < runs; ++i) {
        const double cpuStart = threadCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        body();
        walls.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpus.push_back(threadCpuSeconds() - cpuStart);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

}  // namespace glyphloom::bench
