// Fuzzes the encoder against the decoder: any input must come back byte
// for byte after packing and unpacking.
#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/core/stream.h"
#include "skin/store/lzh.h"
#include "tools/skintool/lzh_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bits = LzhEncodeBits(std::span<const uint8_t>(data, size));
    TReadOnlyMemoryStream src(bits.data(), static_cast<int64_t>(bits.size()));
    TMemoryStream dst;
    TLZH lzh;
    lzh.SetSourceStream(&src);
    lzh.SetTargetStream(&dst);
    lzh.Decode(static_cast<int32_t>(size));
    if (dst.Size() != static_cast<int64_t>(size))
        __builtin_trap();
    for (size_t i = 0; i < size; ++i) {
        if (dst.Memory()[i] != data[i])
            __builtin_trap();
    }
    return 0;
}
