// Minimal timing harness for benchmarks that cannot use Google Benchmark
// (the win32 flavour): runs a body repeatedly and prints "name: value unit".
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// Median wall time in nanoseconds of one call of body, over `rounds` rounds of
// `iterations` calls each (the median damps the noise of a shared machine).
template <typename Body> double MedianNs(int rounds, int iterations, Body&& body) {
    std::vector<double> samples;
    samples.reserve(rounds);
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < iterations; ++i) {
            body();
        }
        const auto stop = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::nano>(stop - start).count() /
                          iterations);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// Prints one result line.
inline void Report(const std::string& name, double value, const char* unit) {
    std::printf("%s: %.3f %s\n", name.c_str(), value, unit);
    std::fflush(stdout);
}

} // namespace bench
