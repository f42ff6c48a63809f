// BMP decoding and encoding speed of the portable codec, with a plain copy
// of the same bytes as the baseline of the same run.
#include "framework/gdi/bmp_codec.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// A 512 x 512 picture of the given bit count, encoded once.
std::vector<uint8_t> SampleFile(int bits) {
    TBmpImage img;
    img.Width = 512;
    img.Height = 512;
    img.BitsPerPixel = bits;
    if (bits <= 8) {
        img.Palette.assign(size_t{1} << bits, 0x808080);
    }
    img.Pixels.resize(img.Stride() * img.Height);
    for (size_t i = 0; i < img.Pixels.size(); ++i) {
        img.Pixels[i] = uint8_t(i * 31 + (i >> 9));
    }
    return EncodeBmp(img);
}

void BM_Decode(benchmark::State& state) {
    const std::vector<uint8_t> file = SampleFile(int(state.range(0)));
    TBmpImage img;
    std::string error;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeBmp(file.data(), file.size(), img, error));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(BM_Decode)->Arg(8)->Arg(24)->Arg(32);

void BM_Encode(benchmark::State& state) {
    TBmpImage img;
    std::string error;
    const std::vector<uint8_t> file = SampleFile(int(state.range(0)));
    DecodeBmp(file.data(), file.size(), img, error);
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeBmp(img));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(BM_Encode)->Arg(24);

// Baseline: copying the file's bytes into a fresh buffer.
void BM_CopyBaseline(benchmark::State& state) {
    const std::vector<uint8_t> file = SampleFile(24);
    for (auto _ : state) {
        std::vector<uint8_t> copy(file.size());
        std::memcpy(copy.data(), file.data(), file.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(BM_CopyBaseline);

} // namespace
