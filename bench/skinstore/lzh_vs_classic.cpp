// The product's LZH decode (the archive reader's unpack: TLZH over memory
// streams) against the classic-shape baseline, on the project's own skin
// archive and on 3 MB of mixed data, timed in alternating rounds of one run.
// Prints each decoder's throughput (per processor second of this thread) and
// the speed ratio (product / classic).
#include <algorithm>
#include <cstring>
#include <ctime>

#include "bench/bench_util.h"
#include "bench/side_by_side.h"
#include "bench/skinstore/lzh_classic.h"
#include "bench/skinstore/samples.h"
#include "framework/core/stream.h"
#include "skin/store/skin_reader.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The product's path: size word, then TLZH into a memory stream; `keep`
// receives a copy of the output (outside the timed runs).
size_t ProductDecode(const Bytes& packed, Bytes* keep = nullptr) {
    TReadOnlyMemoryStream src(packed.data(), static_cast<int64_t>(packed.size()));
    TMemoryStream out;
    TSkinReader reader;
    reader.Unpack(src, out);
    if (keep)
        keep->assign(out.Memory(), out.Memory() + out.Size());
    return static_cast<size_t>(out.Size());
}

Bytes ClassicDecode(const Bytes& packed) {
    int32_t size = 0;
    std::memcpy(&size, packed.data(), 4);
    return skinbench::ClassicLzhDecode(packed.data() + 4, packed.size() - 4, size);
}

// This thread's processor time in nanoseconds: on a shared machine it is far
// steadier than wall time, which counts the time other processes run.
double ThreadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// Processor nanoseconds for `iterations` calls of body.
template <typename Body> double TimeNs(int iterations, Body&& body) {
    const double start = ThreadCpuNs();
    for (int i = 0; i < iterations; ++i)
        body();
    return ThreadCpuNs() - start;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Checks that both decoders give the archive back, then times them.
bool Compare(const char* label, const Bytes& plain, const Bytes& packed) {
    const std::string tag = std::string("lzh_vs_classic_") + label;
    if (plain.empty()) {
        std::printf("%s: error no data\n", tag.c_str());
        return false;
    }
    Bytes product;
    ProductDecode(packed, &product);
    if (product != plain || ClassicDecode(packed) != plain) {
        std::printf("%s: error decoded bytes differ\n", tag.c_str());
        return false;
    }
    // About 20 ms of work per round and decoder.
    const double once = std::max(1.0, TimeNs(1, [&] { ProductDecode(packed); }));
    const int iterations = std::max(1, static_cast<int>(20e6 / once));
    std::vector<double> productNs, classicNs;
    size_t sink = 0;
    for (int round = 0; round < 15; ++round) {
        productNs.push_back(TimeNs(iterations, [&] { sink += ProductDecode(packed); }));
        classicNs.push_back(TimeNs(iterations, [&] { sink += ClassicDecode(packed).size(); }));
    }
    const double bytes = static_cast<double>(plain.size()) * iterations;
    const double p = Median(productNs), c = Median(classicNs);
    bench::Report(std::string("lzh_product_") + label, bytes / p * 1e3, "MB/s");
    bench::Report(std::string("lzh_classic_") + label, bytes / c * 1e3, "MB/s");
    bench::Report(tag, c / p, "x");
    return sink > 0;
}

const bool registered = bench::RegisterSideBySide("lzh_vs_classic", [] {
    const bool skin = Compare("skin", skinbench::OwnSkinArchive(), skinbench::OwnSkinPacked());
    const bool mixed = Compare("mixed3m", skinbench::Mixed(3), skinbench::MixedPacked(3));
    return skin && mixed;
});

} // namespace
