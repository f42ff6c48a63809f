// LZH encoder of the skin tool: the inverse of the product's decoder. A
// symbol coder (literals, matches) over the shared adaptive tree, and a
// binary-tree LZSS match finder over the 4096-byte ring that drives it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "skin/store/lzh_tree.h"

// Writes coded symbols MSB first; the stream holds no size header.
class TLzhCoder {
public:
    TLzhCoder();
    // Codes one literal byte.
    void PutLiteral(uint8_t byte);
    // Codes a match of 3..60 bytes whose copy starts `position + 1` bytes
    // behind the write position (0..4095; 4095 is the oldest ring byte).
    void PutMatch(int length, int position);
    // Pads the last byte with zero bits and hands back all coded bytes.
    std::vector<uint8_t> Finish();
    // Number of bits written so far.
    uint64_t BitCount() const { return bits_; }

private:
    void PutSymbol(int symbol);
    void PutBits(uint32_t code, int count);

    lzh::TLzhTree tree_;
    std::vector<uint8_t> out_;
    uint32_t pending_ = 0; // bits not yet forming a whole byte, low end
    int pendingCount_ = 0;
    uint64_t bits_ = 0;
};

// Compresses data into a skin stream: the 32-bit little-endian size, then
// the coded bits. Matches come from a longest-match search over the window.
std::vector<uint8_t> LzhEncode(std::span<const uint8_t> data);
// The coded bits alone (no size header), for callers that frame them.
std::vector<uint8_t> LzhEncodeBits(std::span<const uint8_t> data);
