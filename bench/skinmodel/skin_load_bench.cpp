// Loading the project's skin into a TSkinData, measured against decoding the
// same compressed bytes alone, in one run so that the ratio is meaningful on
// a shared machine.
#include <cstdio>
#include <vector>

#include "bench/bench_util.h"
#include "framework/core/stream.h"
#include "skin/model/skin_data.h"
#include "skin/store/skin_reader.h"
#include "tools/skininfo/skin_folder_pack.h"

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

    const double decodeNs = bench::MedianNs(9, 20, [&] {
        compressed.SetPosition(0);
        unpacked.Clear();
        reader.Unpack(compressed, unpacked);
    });
    TSkinData data(nullptr);
    Fill(data.SkinStream(), packed);
    const double loadNs = bench::MedianNs(9, 20, [&] {
        if (!data.LoadSkin())
            std::fprintf(stderr, "skinmodel_bench: load failed\n");
    });
    bench::Report("skin_decode_time", decodeNs / 1000.0, "us");
    bench::Report("skin_load_time", loadNs / 1000.0, "us");
    bench::Report("skin_load_vs_decode", loadNs / decodeNs, "x");
    return 0;
}
