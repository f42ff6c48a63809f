// LZH decoder for compressed skin streams: LZSS over a 4096-byte ring whose
// literals and match lengths are coded with one adaptive Huffman tree and
// whose match positions use a fixed prefix code plus six verbatim bits.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/core/exception.h"
#include "framework/core/object.h"
#include "skin/store/lzh_decode.h"
#include "skin/store/lzh_tree.h"

class TStream;

// Raised when the decoder's tables cannot be allocated or released.
LT_DECLARE_EXCEPTION(ElzhException, Exception);

// Byte input or output of the decoder: (buffer, requested count, out actual
// count). Decode takes any callable of this shape; this type holds one.
using TLzhIoProc = std::function<void(uint8_t* buffer, uint16_t requested, uint16_t& actual)>;

// Output block of the stream-bound decode: the last window of output, then
// the block being produced, then room for a match running past it (copied
// eight bytes a step).
constexpr int kLzhOutBlock = 1 << 16;
using TLzhWindow = uint8_t[lzh::kWindowSize + kLzhOutBlock + lzh::kLookAhead + 8];

// Tables of one decode: the tree, the ring buffer of the per-byte loop and
// the linear window of the stream-bound loop.
struct TLzhTables {
    lzh::TLzhTree tree;
    lzh::TLzhRing ring;
    TLzhWindow window;
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
    // nothing). Bytes come in and go out one per call of read and write,
    // callables of the TLzhIoProc shape; the loop is compiled for their types.
    template <class Write, class Read> void Decode(int32_t size, Write&& write, Read&& read);
    // Decode over the source and target streams, with the results of
    // ReadProc and WriteProc: the same bytes out, the source left just past
    // the bytes consumed. The streams are reached in blocks: bits are taken
    // from a 64-bit buffer and output is produced into a linear window, so
    // matches are block copies.
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
    TStream* source_ = nullptr;
    TStream* target_ = nullptr;
};

// Allocates the tables, runs the loop and releases the tables on every exit.
template <class Write, class Read> void TLZH::Decode(int32_t size, Write&& write, Read&& read) {
    TLzhTables* tables = AllocateTables();
    if (!tables)
        throw ElzhException(kNoMemoryMessage);
    try {
        lzh::DecodeStream(tables->tree, tables->ring, size, write, read);
    } catch (...) {
        ReleaseTables(tables);
        throw;
    }
    if (!ReleaseTables(tables))
        throw ElzhException(kFreeFailedMessage);
}
