// LZH decoder for compressed skin streams: LZSS over a 4096-byte ring whose
// literals and match lengths are coded with one adaptive Huffman tree and
// whose match positions use a fixed prefix code plus six verbatim bits.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/core/exception.h"
#include "framework/core/object.h"
#include "skin/store/lzh_tree.h"

class TStream;

// Raised when the decoder's tables cannot be allocated or released.
LT_DECLARE_EXCEPTION(ElzhException, Exception);

// Byte input or output of the decoder: (buffer, requested count, out actual count).
using TLzhIoProc = std::function<void(uint8_t* buffer, uint16_t requested, uint16_t& actual)>;

// Tables of one decode: the tree and the ring buffer.
struct TLzhTables {
    lzh::TLzhTree tree;
    uint8_t ring[lzh::kWindowSize + lzh::kLookAhead - 1];
};

class TLZH : public TObject {
    LT_CLASS(TLZH, TObject)

public:
    static constexpr const wchar_t* kNoMemoryMessage =
        L"LZH : Cannot get memory for dictionary tables";
    static constexpr const wchar_t* kFreeFailedMessage =
        L"LZH : Error freeing memory for dictionary tables";

    TLZH() = default;
    virtual ~TLZH() = default;
    TLZH(const TLZH&) = delete;
    TLZH& operator=(const TLZH&) = delete;

    // Streams reached by ReadProc and WriteProc; not owned.
    TStream* SourceStream() const { return source_; }
    void SetSourceStream(TStream* s) { source_ = s; }
    TStream* TargetStream() const { return target_; }
    void SetTargetStream(TStream* s) { target_ = s; }

    // Produces `size` bytes (a final match may run past it; size <= 0 gives
    // nothing). Bytes come in and go out one per call of read and write.
    void Decode(int32_t size, const TLzhIoProc& write, const TLzhIoProc& read);
    // Decode bound to this object's own ReadProc and WriteProc.
    void Decode(int32_t size);

    // Reads up to `requested` bytes from the source stream; fewer at its end.
    void ReadProc(uint8_t* buffer, uint16_t requested, uint16_t& actual);
    // Writes `requested` bytes to the target stream (raises when it cannot grow).
    void WriteProc(uint8_t* buffer, uint16_t requested, uint16_t& actual);

protected:
    // Allocation of the per-decode tables; nullptr means no memory.
    virtual TLzhTables* AllocateTables();
    // Releases the tables; false means the release failed.
    virtual bool ReleaseTables(TLzhTables* tables);

private:
    void Run(TLzhTables& t, int32_t size, const TLzhIoProc& write, const TLzhIoProc& read);
    void Refill(const TLzhIoProc& read);
    int GetBit(const TLzhIoProc& read);
    int GetByte(const TLzhIoProc& read);
    int DecodeSymbol(lzh::TLzhTree& tree, const TLzhIoProc& read);
    int DecodePosition(const TLzhIoProc& read);

    TStream* source_ = nullptr;
    TStream* target_ = nullptr;
    uint16_t bitBuffer_ = 0;
    uint8_t bitCount_ = 0;
};
