// LZH decoder: bit input, symbol and position decoding, and the main loop.
#include "skin/store/lzh.h"

#include <cstring>
#include <new>

#include "framework/core/class_builder.h"
#include "framework/core/stream.h"

LT_CLASS_TABLE(TLZH) {}

using namespace lzh;

// Per-decode tables come from the free store; nullptr reports no memory.
TLzhTables* TLZH::AllocateTables() {
    return new (std::nothrow) TLzhTables;
}

// Frees the tables of one decode.
bool TLZH::ReleaseTables(TLzhTables* tables) {
    delete tables;
    return true;
}

// Pulls whole bytes into the bit buffer until more than 8 bits are held; a
// byte the source cannot give reads as 0.
void TLZH::Refill(const TLzhIoProc& read) {
    while (bitCount_ <= 8) {
        uint8_t b = 0;
        uint16_t got = 0;
        read(&b, 1, got);
        if (got != 1)
            b = 0;
        bitBuffer_ = static_cast<uint16_t>(bitBuffer_ | (b << (8 - bitCount_)));
        bitCount_ = static_cast<uint8_t>(bitCount_ + 8);
    }
}

// Takes the next bit (most significant first).
int TLZH::GetBit(const TLzhIoProc& read) {
    Refill(read);
    const int bit = bitBuffer_ >> 15;
    bitBuffer_ = static_cast<uint16_t>(bitBuffer_ << 1);
    --bitCount_;
    return bit;
}

// Takes the next eight bits.
int TLZH::GetByte(const TLzhIoProc& read) {
    Refill(read);
    const int byte = bitBuffer_ >> 8;
    bitBuffer_ = static_cast<uint16_t>(bitBuffer_ << 8);
    bitCount_ = static_cast<uint8_t>(bitCount_ - 8);
    return byte;
}

// Walks the tree from the root by single bits down to a leaf, then counts
// the symbol in the tree.
int TLZH::DecodeSymbol(TLzhTree& tree, const TLzhIoProc& read) {
    int c = tree.child[kRoot];
    while (c < kNodeCount)
        c = tree.child[c + GetBit(read)];
    c -= kNodeCount;
    tree.Update(c);
    return c;
}

// Reads a match position: a prefix code for the upper six bits found from
// the first byte, then the remaining bits of the code and six verbatim bits.
int TLZH::DecodePosition(const TLzhIoProc& read) {
    int i = GetByte(read);
    const int upper = kPositionUpper[i] << 6;
    for (int j = kPositionCodeLength[i] - 2; j > 0; --j)
        i = (i << 1) + GetBit(read);
    return upper | (i & 0x3F);
}

// The main loop over a fresh tree and ring.
void TLZH::Run(TLzhTables& t, int32_t size, const TLzhIoProc& write, const TLzhIoProc& read) {
    bitBuffer_ = 0;
    bitCount_ = 0;
    t.tree.Start();
    // Cells past the preset part are never read by a well-formed stream
    // before being written; they get the fill byte too, so nothing is undefined.
    std::memset(t.ring, kFillByte, sizeof(t.ring));
    int r = kStartPosition;
    uint16_t actual = 0;
    for (int32_t n = 0; n < size;) {
        const int c = DecodeSymbol(t.tree, read);
        if (c < 256) {
            uint8_t b = static_cast<uint8_t>(c);
            write(&b, 1, actual);
            t.ring[r] = b;
            r = (r + 1) & kWindowMask;
            ++n;
            continue;
        }
        const int start = (r - (DecodePosition(read) + 1)) & kWindowMask;
        const int length = c - 255 + kThreshold;
        for (int k = 0; k < length; ++k) {
            uint8_t b = t.ring[(start + k) & kWindowMask];
            write(&b, 1, actual);
            t.ring[r] = b;
            r = (r + 1) & kWindowMask;
            ++n;
        }
    }
}

// Allocates the tables, runs the loop and releases the tables on every exit.
void TLZH::Decode(int32_t size, const TLzhIoProc& write, const TLzhIoProc& read) {
    TLzhTables* tables = AllocateTables();
    if (!tables)
        throw ElzhException(kNoMemoryMessage);
    try {
        Run(*tables, size, write, read);
    } catch (...) {
        ReleaseTables(tables);
        throw;
    }
    if (!ReleaseTables(tables))
        throw ElzhException(kFreeFailedMessage);
}

void TLZH::Decode(int32_t size) {
    Decode(
        size, [this](uint8_t* b, uint16_t n, uint16_t& a) { WriteProc(b, n, a); },
        [this](uint8_t* b, uint16_t n, uint16_t& a) { ReadProc(b, n, a); });
}

// The actual count is the requested one, lowered to what is left between the
// source's position and its end; exactly that many bytes are then read.
void TLZH::ReadProc(uint8_t* buffer, uint16_t requested, uint16_t& actual) {
    actual = 0;
    if (!source_)
        return;
    const int64_t left = source_->Size() - source_->Position();
    int32_t count = requested;
    if (left < count)
        count = left > 0 ? static_cast<int32_t>(left) : 0;
    if (count > 0)
        source_->ReadBuffer(buffer, count);
    actual = static_cast<uint16_t>(count);
}

// Writes all requested bytes to the target stream.
void TLZH::WriteProc(uint8_t* buffer, uint16_t requested, uint16_t& actual) {
    actual = requested;
    if (!target_)
        throw EWriteError(L"LZH : no target stream");
    target_->WriteBuffer(buffer, requested);
}
