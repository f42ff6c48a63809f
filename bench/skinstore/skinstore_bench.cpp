// Skin store benchmarks: decode throughput on a skin-sized archive and on
// 4 MB of mixed data, the encoder's ratio on both, and an INI load with 300
// lookups. Each has its baseline in the same run (plain copy, bare decode,
// plain line split). The decoder's comparison with a classic-shape decoder is
// in lzh_vs_classic.cpp.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/skinstore/samples.h"
#include "bench/skinstore/skin_like.h"
#include "framework/core/stream.h"
#include "framework/core/strings.h"
#include "skin/store/quick_ini.h"
#include "skin/store/skin_reader.h"
#include "tools/skintool/lzh_encoder.h"

namespace {

using skinbench::Mixed;
using skinbench::MixedPacked;
using skinbench::OwnSkinArchive;
using skinbench::OwnSkinPacked;
using skinbench::SkinArchive;
using skinbench::SkinPacked;

// Decodes a packed stream; counts output bytes.
void RunDecode(benchmark::State& state, const std::vector<uint8_t>& packed, size_t unpacked) {
    TSkinReader reader;
    for (auto _ : state) {
        TReadOnlyMemoryStream src(packed.data(), static_cast<int64_t>(packed.size()));
        TMemoryStream out;
        reader.Unpack(src, out);
        if (out.Size() != static_cast<int64_t>(unpacked))
            state.SkipWithError("wrong size");
        benchmark::DoNotOptimize(out.Memory());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(unpacked));
    state.counters["ratio_percent"] =
        100.0 * static_cast<double>(packed.size()) / static_cast<double>(unpacked);
}

void BM_DecodeSkin128K(benchmark::State& state) {
    RunDecode(state, SkinPacked(), SkinArchive().size());
}
void BM_DecodeMixed4M(benchmark::State& state) {
    RunDecode(state, MixedPacked(4), Mixed(4).size());
}
// The project's own skin, for comparison with the synthetic one.
void BM_DecodeOwnSkin(benchmark::State& state) {
    if (OwnSkinArchive().empty()) {
        state.SkipWithError("skin sources not found");
        return;
    }
    RunDecode(state, OwnSkinPacked(), OwnSkinArchive().size());
}

// The whole skin load (decode, directory, data block) against the bare decode above.
void BM_LoadSkin128K(benchmark::State& state) {
    const std::vector<uint8_t>& packed = SkinPacked();
    for (auto _ : state) {
        TReadOnlyMemoryStream src(packed.data(), static_cast<int64_t>(packed.size()));
        TSkinReader reader;
        if (!reader.Load(src))
            state.SkipWithError("load failed");
        TMemoryStream ini;
        std::string name;
        reader.FindFileContaining(".ini", ini, name);
        benchmark::DoNotOptimize(ini.Size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(SkinArchive().size()));
}

// Baseline: copying the unpacked bytes into a memory stream.
void BM_CopyBaseline4M(benchmark::State& state) {
    const std::vector<uint8_t>& m = Mixed(4);
    for (auto _ : state) {
        TMemoryStream out;
        out.WriteBuffer(m.data(), static_cast<int32_t>(m.size()));
        benchmark::DoNotOptimize(out.Memory());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(m.size()));
}

void RunEncode(benchmark::State& state, const std::vector<uint8_t>& data) {
    size_t packed = 0;
    for (auto _ : state) {
        packed = LzhEncode(data).size();
        benchmark::DoNotOptimize(packed);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(data.size()));
    state.counters["ratio_percent"] =
        100.0 * static_cast<double>(packed) / static_cast<double>(data.size());
}

void BM_EncodeSkin128K(benchmark::State& state) {
    RunEncode(state, SkinArchive());
}
void BM_EncodeMixed4M(benchmark::State& state) {
    RunEncode(state, Mixed(4));
}

const std::string& IniText() {
    static const std::string t = skinbench::MakeIni(7000);
    return t;
}

// INI load plus 300 lookups spread over the sections, as one skin load does.
void BM_IniLoadAnd300Lookups(benchmark::State& state) {
    const std::string& text = IniText();
    TQuickIni probe;
    TReadOnlyMemoryStream s0(text.data(), static_cast<int64_t>(text.size()));
    probe.LoadFromStream(s0);
    TStringList sections;
    probe.ReadSections(sections);
    static const char* keys[] = {"Picture", "LeftWidth", "TopHeight",
                                 "Trans",   "Missing",   "FrameCount"};
    for (auto _ : state) {
        TReadOnlyMemoryStream s(text.data(), static_cast<int64_t>(text.size()));
        TQuickIni ini;
        ini.LoadFromStream(s);
        int64_t sum = 0;
        for (int i = 0; i < 300; ++i) {
            sum += ini.ReadInteger(sections[i % sections.Count()], keys[i % 6], 1);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["lines"] = probe.Lines().Count();
}

// Baseline: splitting the same text into a string list.
void BM_IniSplitBaseline(benchmark::State& state) {
    const std::string& text = IniText();
    for (auto _ : state) {
        TStringList list;
        list.SetText(text);
        benchmark::DoNotOptimize(list.Count());
    }
}

} // namespace

BENCHMARK(BM_DecodeSkin128K);
BENCHMARK(BM_LoadSkin128K);
BENCHMARK(BM_DecodeMixed4M);
BENCHMARK(BM_DecodeOwnSkin);
BENCHMARK(BM_CopyBaseline4M);
BENCHMARK(BM_EncodeSkin128K);
BENCHMARK(BM_EncodeMixed4M);
BENCHMARK(BM_IniLoadAnd300Lookups);
BENCHMARK(BM_IniSplitBaseline);
