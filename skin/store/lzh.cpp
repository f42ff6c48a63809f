// LZH decoder: table allocation, the stream-bound decode and the read and
// write procedures (the loop itself is in lzh_decode.h).
#include "skin/store/lzh.h"

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

// The source stream read a block at a time; one-byte reads are served from
// the block. Bytes fetched but not consumed are given back by moving the
// stream's position back, so the stream ends where one-byte reads would
// have left it.
class TBlockSource {
public:
    explicit TBlockSource(TStream* stream) : stream_(stream) {}
    ~TBlockSource() {
        try {
            GiveBack();
        } catch (...) { // already leaving by an exception; the position is moot
        }
    }
    TBlockSource(const TBlockSource&) = delete;
    TBlockSource& operator=(const TBlockSource&) = delete;

    // Same results as TLZH::ReadProc: fewer bytes only at the stream's end.
    void operator()(uint8_t* buffer, uint16_t requested, uint16_t& actual) {
        actual = 0;
        while (actual < requested) {
            if (next_ == end_ && !Fill())
                return;
            buffer[actual++] = *next_++;
        }
    }

    // Moves the stream back over what was fetched but not consumed.
    void GiveBack() {
        const int64_t unread = end_ - next_;
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

// The target stream written a block at a time; Flush writes what is held.
class TBlockTarget {
public:
    explicit TBlockTarget(TStream* stream) : stream_(stream) {}
    TBlockTarget(const TBlockTarget&) = delete;
    TBlockTarget& operator=(const TBlockTarget&) = delete;

    // Same results as TLZH::WriteProc: all bytes taken (a failing stream
    // raises when the block is flushed).
    void operator()(uint8_t* buffer, uint16_t requested, uint16_t& actual) {
        actual = requested;
        for (uint16_t i = 0; i < requested; ++i) {
            if (fill_ == block_ + sizeof(block_))
                Flush();
            *fill_++ = buffer[i];
        }
    }

    void Flush() {
        const int32_t count = static_cast<int32_t>(fill_ - block_);
        if (count == 0)
            return;
        if (!stream_)
            throw EWriteError(L"LZH : no target stream");
        fill_ = block_;
        stream_->WriteBuffer(block_, count);
    }

private:
    TStream* stream_;
    uint8_t block_[4096];
    uint8_t* fill_ = block_;
};

} // namespace

void TLZH::Decode(int32_t size) {
    TBlockSource source(source_);
    TBlockTarget target(target_);
    Decode(size, target, source);
    target.Flush();
    source.GiveBack();
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
