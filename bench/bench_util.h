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

// Two bodies timed in alternating rounds of `iterations` calls each, so
// that both see the same load of a shared machine; which goes first
// alternates from round to round.
struct TPairedNs {
    double First = 0;  // median ns per call of the first body
    double Second = 0; // and of the second
    double Ratio = 0;  // median of the rounds' first / second ratios
};
template <typename A, typename B>
TPairedNs PairedMedianNs(int rounds, int iterations, A&& first, B&& second) {
    std::vector<double> a, b, ratio;
    auto time = [iterations](auto& body) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < iterations; ++i) {
            body();
        }
        const auto stop = std::chrono::steady_clock::now();
        return std::chrono::duration<double, std::nano>(stop - start).count() / iterations;
    };
    for (int r = 0; r < rounds; ++r) {
        if (r % 2 == 0) {
            a.push_back(time(first));
            b.push_back(time(second));
        } else {
            b.push_back(time(second));
            a.push_back(time(first));
        }
        ratio.push_back(a.back() / b.back());
    }
    auto median = [](std::vector<double>& v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    return TPairedNs{median(a), median(b), median(ratio)};
}

// Prints one result line.
inline void Report(const std::string& name, double value, const char* unit) {
    std::printf("%s: %.3f %s\n", name.c_str(), value, unit);
    std::fflush(stdout);
}

} // namespace bench
