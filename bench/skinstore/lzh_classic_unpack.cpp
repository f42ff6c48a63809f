// The classic-shape decoder as a program, for timing from outside against
// `skintool unpack`: reads a packed skin (size word, coded bits) and writes
// the decoded archive to one file.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "bench/skinstore/lzh_classic.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lzh_classic_unpack SKIN OUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> packed((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
    if (packed.size() < 4) {
        std::fprintf(stderr, "lzh_classic_unpack: %s is not a packed skin\n", argv[1]);
        return 1;
    }
    int32_t size = 0;
    std::memcpy(&size, packed.data(), 4);
    const std::vector<uint8_t> out =
        skinbench::ClassicLzhDecode(packed.data() + 4, packed.size() - 4, size);
    std::ofstream(argv[2], std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    std::printf("decoded %zu bytes\n", out.size());
    return 0;
}
