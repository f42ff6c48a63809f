// The benchmarks' baseline for LZH decoding: a plain decoder of the classic
// shape (bits taken one at a time from a 16-bit buffer, a tree walk from the
// root per symbol), written independently of the product's decoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skinbench {

// Decodes `size` bytes from the coded bits `in` (no size word); missing input
// bytes read as 0, and a final match may run past `size`.
std::vector<uint8_t> ClassicLzhDecode(const uint8_t* in, size_t inSize, int32_t size);

} // namespace skinbench
