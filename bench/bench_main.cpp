// Entry point of the host benchmarks: runs every registered Google Benchmark
// and prints each result as "name: value unit" lines (time per iteration and,
// where a benchmark sets them, its counters such as bytes per second), then
// the side-by-side comparisons. --side_by_side_only skips the former,
// --no_side_by_side the latter.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bench/side_by_side.h"

namespace {

class LineReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                std::printf("%s: error %s\n", run.benchmark_name().c_str(),
                            run.error_message.c_str());
                continue;
            }
            const std::string name = run.benchmark_name();
            std::printf("%s: %.3f %s\n", name.c_str(), run.GetAdjustedRealTime(),
                        benchmark::GetTimeUnitString(run.time_unit));
            for (const auto& [counter, value] : run.counters) {
                double v = value.value;
                const char* unit = "";
                if (value.flags & benchmark::Counter::kIsRate) {
                    unit = "/s";
                }
                if (counter == "bytes_per_second") {
                    v /= 1e6;
                    unit = "MB/s";
                }
                std::printf("%s.%s: %.3f %s\n", name.c_str(), counter.c_str(), v, unit);
            }
        }
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char** argv) {
    bool googleBenchmarks = true;
    bool sideBySide = true;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--side_by_side_only") == 0)
            googleBenchmarks = false;
        else if (std::strcmp(argv[i], "--no_side_by_side") == 0)
            sideBySide = false;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (googleBenchmarks) {
        LineReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
    }
    benchmark::Shutdown();
    bool ok = true;
    if (sideBySide) {
        for (const bench::TSideBySide& comparison : bench::SideBySideRegistry())
            ok = comparison.run() && ok;
    }
    return ok ? 0 : 1;
}
