// The LZH decoder's inner loop, a template over its two byte procedures so
// that a per-byte call compiles to a few inlined instructions. The bit
// buffer and the ring position live in locals for the whole decode.
#pragma once

#include <cstdint>
#include <cstring>

#include "skin/store/lzh_tree.h"

namespace lzh {

// The ring buffer of one decode.
using TLzhRing = uint8_t[kWindowSize + kLookAhead - 1];

// Most-significant-first bits over the read procedure. The valid bits sit at
// the top of a 32-bit word, so taking bits is one shift; bytes are pulled
// exactly when the scheme's 16-bit buffer would pull them (whenever 8 bits or
// fewer remain), so a decode consumes the same input bytes.
template <class Read> class TLzhBitInput {
public:
    explicit TLzhBitInput(Read& read) : read_(read) {}

    int Bit() {
        if (count_ <= 8) [[unlikely]]
            Refill();
        const int bit = static_cast<int>(bits_ >> 31);
        bits_ <<= 1;
        --count_;
        return bit;
    }

    int Byte() {
        if (count_ <= 8)
            Refill();
        const int byte = static_cast<int>(bits_ >> 24);
        bits_ <<= 8;
        count_ -= 8;
        return byte;
    }

private:
    // A byte the source cannot give reads as 0.
    void Refill() {
        while (count_ <= 8) {
            uint8_t b = 0;
            uint16_t got = 0;
            read_(&b, 1, got);
            if (got != 1)
                b = 0;
            bits_ |= static_cast<uint32_t>(b) << (24 - count_);
            count_ += 8;
        }
    }

    Read& read_;
    uint32_t bits_ = 0;
    int count_ = 0;
};

// Walks the tree from the root one bit per node down to a leaf, then counts
// the symbol in the tree.
template <class Read> int DecodeSymbol(TLzhTree& tree, TLzhBitInput<Read>& in) {
    const int16_t* child = tree.child;
    int c = child[kRoot];
    while (c < kNodeCount)
        c = child[c + in.Bit()];
    c -= kNodeCount;
    tree.Update(c);
    return c;
}

// A match position: a prefix code for the upper six bits found from the
// first byte, then the rest of the code and six verbatim bits.
template <class Read> int DecodePosition(TLzhBitInput<Read>& in) {
    int i = in.Byte();
    const int upper = kPositionUpper[i] << 6;
    for (int j = kPositionCodeLength[i] - 2; j > 0; --j)
        i = (i << 1) + in.Bit();
    return upper | (i & 0x3F);
}

// Produces `size` bytes through `write`, one byte per call, from the bits
// that `read` gives one byte per call; a final match is emitted whole.
template <class Write, class Read>
void DecodeStream(TLzhTree& tree, TLzhRing& ring, int32_t size, Write& write, Read& read) {
    TLzhBitInput<Read> in(read);
    tree.Start();
    // Cells past the preset part are never read by a well-formed stream
    // before being written; they get the fill byte too, so nothing is undefined.
    std::memset(ring, kFillByte, sizeof(ring));
    unsigned r = kStartPosition;
    uint16_t actual = 0;
    for (int64_t n = 0; n < size;) {
        const int c = DecodeSymbol(tree, in);
        if (c < 256) {
            uint8_t b = static_cast<uint8_t>(c);
            write(&b, 1, actual);
            ring[r] = b;
            r = (r + 1) & kWindowMask;
            ++n;
            continue;
        }
        unsigned from = r - static_cast<unsigned>(DecodePosition(in) + 1);
        const int length = c - 255 + kThreshold;
        for (int k = 0; k < length; ++k) {
            uint8_t b = ring[from & kWindowMask];
            write(&b, 1, actual);
            ring[r] = b;
            r = (r + 1) & kWindowMask;
            ++from;
        }
        n += length;
    }
}

} // namespace lzh
