// Fuzzes the LZH decoder on arbitrary coded bits. The first two input bytes
// choose the output size (up to 16 KB, past the 4 KB ring) so every run
// stays short.
#include <cstddef>
#include <cstdint>

#include "framework/core/stream.h"
#include "skin/store/lzh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int32_t wanted = data[0] | ((data[1] & 0x3F) << 8);
    TReadOnlyMemoryStream src(data + 2, static_cast<int64_t>(size - 2));
    TMemoryStream dst;
    TLZH lzh;
    lzh.SetSourceStream(&src);
    lzh.SetTargetStream(&dst);
    lzh.Decode(wanted);
    // A final match may run past the size by at most 59 bytes.
    if (dst.Size() < wanted || dst.Size() > wanted + 59)
        __builtin_trap();
    return 0;
}
