// LZH decoder: table allocation, the stream-bound decode and the read and
// write procedures (the loop itself is in lzh_decode.h).
#include "skin/store/lzh.h"

#include <cstring>
#include <new>

#include "framework/core/class_builder.h"
#include "framework/core/stream.h"

LT_CLASS_TABLE(TLZH) {}

// Per-decode tables come from the free store; nullptr reports no memory.
TLzhTables* TLZH::AllocateTables() {
    return new (std::nothrow) TLzhTables;
}

// Frees the tables of one decode.
bool TLZH::ReleaseTables(TLzhTables* tables) {
    delete tables;
    return true;
}

namespace {

// The source stream read a block at a time. Bytes fetched but not consumed
// are given back by moving the stream's position back, so the stream ends
// where one-byte reads would have left it.
class TBlockSource {
public:
    explicit TBlockSource(TStream* stream) : stream_(stream) {}
    ~TBlockSource() {
        try {
            GiveBack(0);
        } catch (...) { // already leaving by an exception; the position is moot
        }
    }
    TBlockSource(const TBlockSource&) = delete;
    TBlockSource& operator=(const TBlockSource&) = delete;

    // The unread bytes of the current block, fetching the next block when
    // it is empty; an empty span means the stream has ended.
    bool Available(const uint8_t*& next, const uint8_t*& end) {
        if (next_ == end_ && !Fill())
            return false;
        next = next_;
        end = end_;
        return true;
    }
    void Consume(const uint8_t* next) { next_ = next; }

    // Moves the stream back over what was fetched but not consumed, plus
    // `extra` bytes already consumed from the block.
    void GiveBack(int64_t extra) {
        const int64_t unread = (end_ - next_) + extra;
        next_ = end_;
        if (unread > 0)
            stream_->Seek(-unread, TSeekOrigin::Current);
    }

private:
    bool Fill() {
        if (!stream_ || ended_)
            return false;
        const int32_t got = stream_->Read(block_, sizeof(block_));
        if (got <= 0) {
            ended_ = true;
            return false;
        }
        next_ = block_;
        end_ = block_ + got;
        return true;
    }

    TStream* stream_;
    bool ended_ = false;
    const uint8_t* next_ = nullptr;
    const uint8_t* end_ = nullptr;
    uint8_t block_[4096];
};

// Most-significant-first bits over a block source, up to 64 buffered. The
// valid bits sit at the top of the word; bytes past the input read as 0.
class TWideBits {
public:
    explicit TWideBits(TBlockSource& source) : source_(source) {}

    // At least 32 valid bits after this.
    void Need32() {
        if (count_ < 32) [[unlikely]]
            Refill();
    }
    uint32_t Peek32() const { return static_cast<uint32_t>(bits_ >> 32); }
    void Drop(int n) {
        bits_ <<= n;
        count_ -= n;
    }

    // Bytes a byte-at-a-time reader keeping 9..16 bits would have taken:
    // every decode ends with a one-bit read, before which it holds at least
    // nine bits, so it took 1 + ceil(used / 8) bytes.
    uint64_t BytesTaken() const {
        const uint64_t used = 8 * pulled_ + padBits_ - static_cast<uint64_t>(count_);
        return used == 0 ? 0 : 1 + (used + 7) / 8;
    }
    // Stream bytes pulled into the buffer beyond those.
    uint64_t Overdrawn() const {
        const uint64_t taken = BytesTaken();
        return pulled_ > taken ? pulled_ - taken : 0;
    }

private:
    void Refill() {
        const uint8_t* next = nullptr;
        const uint8_t* end = nullptr;
        while (count_ <= 56) {
            if (!source_.Available(next, end)) {
                // The input has ended: the missing bytes are zero bits.
                padBits_ += static_cast<uint64_t>(64 - count_);
                count_ = 64;
                return;
            }
            if (end - next >= 8) {
                // Eight bytes at once; the bits loaded past the valid count
                // are the stream's following bits, so loading them again later
                // leaves them unchanged.
                uint64_t word = 0;
                for (int i = 0; i < 8; ++i)
                    word = (word << 8) | next[i];
                bits_ |= word >> count_;
                const int take = (64 - count_) >> 3;
                next += take;
                pulled_ += static_cast<uint64_t>(take);
                count_ += take * 8;
            } else {
                bits_ |= static_cast<uint64_t>(*next++) << (56 - count_);
                ++pulled_;
                count_ += 8;
            }
            source_.Consume(next);
        }
    }

    TBlockSource& source_;
    uint64_t bits_ = 0;
    int count_ = 0;
    uint64_t pulled_ = 0;  // stream bytes loaded
    uint64_t padBits_ = 0; // zero bits loaded past the input's end
};

constexpr int kPathMax = 48; // deeper than any tree of these frequencies
constexpr int kTopBits = 4;

// The tree's top kTopBits levels as a table: for each value of the next
// kTopBits bits, the walk from the root that they give. Rebuilt only when a
// position it read has moved.
struct TTopLevels {
    struct Entry {
        int16_t path[kTopBits]; // positions walked
        int16_t next;           // the child value reached: a leaf or a node pair
        int16_t bits;           // bits used (fewer when a leaf comes first)
    };
    Entry entry[1 << kTopBits];

    void Build(lzh::TLzhTree& tree) {
        std::memset(tree.watched, 0, sizeof(tree.watched));
        for (int v = 0; v < (1 << kTopBits); ++v) {
            Entry& e = entry[v];
            int c = tree.child[lzh::kRoot];
            int n = 0;
            while (c < lzh::kNodeCount && n < kTopBits) {
                c += (v >> (kTopBits - 1 - n)) & 1;
                tree.watched[c] = 1;
                e.path[n++] = static_cast<int16_t>(c);
                c = tree.child[c];
            }
            e.next = static_cast<int16_t>(c);
            e.bits = static_cast<int16_t>(n);
        }
        tree.watchedMoved = false;
    }
};

// Walks the tree from the root using the buffered bits (the top levels by
// table), noting the path, then counts the symbol along that path.
int DecodeSymbol(lzh::TLzhTree& tree, TTopLevels& top, TWideBits& in) {
    int16_t path[kPathMax];
    if (tree.watchedMoved) [[unlikely]]
        top.Build(tree);
    const int16_t* child = tree.child;
    in.Need32();
    uint32_t w = in.Peek32();
    const TTopLevels::Entry& e = top.entry[w >> (32 - kTopBits)];
    std::memcpy(path, e.path, sizeof(e.path));
    int depth = e.bits;
    int bits = depth;
    int c = e.next;
    w <<= depth;
    while (c < lzh::kNodeCount) {
        c += static_cast<int>(w >> 31);
        if (depth < kPathMax)
            path[depth] = static_cast<int16_t>(c);
        ++depth;
        c = child[c];
        w <<= 1;
        if (++bits == 32) [[unlikely]] {
            in.Drop(32);
            in.Need32();
            w = in.Peek32();
            bits = 0;
        }
    }
    in.Drop(bits);
    c -= lzh::kNodeCount;
    if (depth <= kPathMax) [[likely]]
        tree.UpdateAlong(c, path, depth);
    else
        tree.Update(c);
    return c;
}

// A match position: the first eight bits select the upper six bits and the
// code's length; its last six bits are the lower part.
int DecodePosition(TWideBits& in) {
    in.Need32();
    const uint32_t w = in.Peek32();
    const unsigned first = w >> 24;
    const int total = lzh::kPositionCodeLength[first] + 6;
    const int lower = static_cast<int>((w >> (32 - total)) & 0x3F);
    in.Drop(total);
    return (lzh::kPositionUpper[first] << 6) | lower;
}

// Writes one finished block to the target stream.
void WriteBlock(TStream* target, const uint8_t* data, int64_t count) {
    if (count == 0)
        return;
    if (!target)
        throw EWriteError(L"LZH : no target stream");
    target->WriteBuffer(data, static_cast<int32_t>(count));
}

// Copies one match of `length` bytes from `distance` back, eight bytes a
// step when the source is at least eight behind (each step then reads only
// bytes already written; up to seven bytes past the match are scratch);
// a closer match repeats its own output a byte at a time.
inline void CopyMatch(uint8_t* p, int distance, int length) {
    const uint8_t* from = p - distance;
    if (distance >= 8) {
        for (int k = 0; k < length; k += 8)
            std::memcpy(p + k, from + k, 8);
        return;
    }
    for (int k = 0; k < length; ++k)
        p[k] = from[k];
}

// The decode into a linear window: the output's last kWindowSize bytes sit
// just before the block being produced (at first, the preset fill), so a
// match reads straight behind the write position. Full blocks go to target.
void DecodeLinear(lzh::TLzhTree& tree, TLzhWindow& window, int32_t size, TWideBits& in,
                  TStream* target) {
    tree.Start();
    std::memset(window, lzh::kFillByte, lzh::kWindowSize);
    uint8_t* const base = window + lzh::kWindowSize;
    uint8_t* const limit = base + kLzhOutBlock;
    uint8_t* p = base;
    TTopLevels top;
    for (int64_t n = 0; n < size;) {
        if (p >= limit) [[unlikely]] {
            WriteBlock(target, base, p - base);
            std::memmove(window, p - lzh::kWindowSize, lzh::kWindowSize);
            p = base;
        }
        const int c = DecodeSymbol(tree, top, in);
        if (c < 256) {
            *p++ = static_cast<uint8_t>(c);
            ++n;
            continue;
        }
        const int length = c - 255 + lzh::kThreshold;
        CopyMatch(p, DecodePosition(in) + 1, length);
        p += length;
        n += length;
    }
    WriteBlock(target, base, p - base);
}

} // namespace

void TLZH::Decode(int32_t size) {
    TLzhTables* tables = AllocateTables();
    if (!tables)
        throw ElzhException(kNoMemoryMessage);
    try {
        TBlockSource source(source_);
        TWideBits in(source);
        DecodeLinear(tables->tree, tables->window, size, in, target_);
        source.GiveBack(static_cast<int64_t>(in.Overdrawn()));
    } catch (...) {
        ReleaseTables(tables);
        throw;
    }
    if (!ReleaseTables(tables))
        throw ElzhException(kFreeFailedMessage);
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
