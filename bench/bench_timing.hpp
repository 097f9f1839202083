// Timing for the benchmarks: the median of repeated runs, which shrugs off the odd slow run
// on a shared machine better than the mean.
#pragma once

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

}  // namespace glyphloom::bench
