// Loading the project's skin into a TSkinData, measured against decoding the
// same compressed bytes alone, in one run so that the ratio is meaningful on
// a shared machine: the median of per-round ratios, rounds alternating.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/bench_util.h"
#include "framework/core/stream.h"
#include "skin/model/skin_data.h"
#include "skin/store/skin_reader.h"
#include "tools/skininfo/skin_folder_pack.h"

static double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The packed skin placed in a memory stream.
static void Fill(TMemoryStream& stream, const std::vector<uint8_t>& bytes) {
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream.SetPosition(0);
}

int main() {
    const std::vector<uint8_t> packed = PackSkinFolder(LT_SKIN_DIR);
    TMemoryStream compressed;
    Fill(compressed, packed);
    TMemoryStream unpacked;
    TSkinReader reader;
    if (!reader.Unpack(compressed, unpacked)) {
        std::fprintf(stderr, "skinmodel_bench: the skin does not unpack\n");
        return 1;
    }
    bench::Report("skin_packed_size", static_cast<double>(packed.size()), "bytes");
    bench::Report("skin_unpacked_size", static_cast<double>(unpacked.Size()), "bytes");

    auto decode = [&] {
        compressed.SetPosition(0);
        unpacked.Clear();
        reader.Unpack(compressed, unpacked);
    };
    TSkinData data(nullptr);
    Fill(data.SkinStream(), packed);
    auto load = [&] {
        if (!data.LoadSkin())
            std::fprintf(stderr, "skinmodel_bench: load failed\n");
    };
    // Rounds alternate between the two, so that both see the same share of
    // whatever else the machine runs; each round gives one ratio.
    std::vector<double> decodeNs, loadNs, ratios;
    for (int round = 0; round < 15; ++round) {
        decodeNs.push_back(bench::MedianNs(1, 10, decode));
        loadNs.push_back(bench::MedianNs(1, 10, load));
        ratios.push_back(loadNs.back() / decodeNs.back());
    }
    bench::Report("skin_decode_time", Median(decodeNs) / 1000.0, "us");
    bench::Report("skin_load_time", Median(loadNs) / 1000.0, "us");
    bench::Report("skin_load_vs_decode", Median(ratios), "x");
    return 0;
}
