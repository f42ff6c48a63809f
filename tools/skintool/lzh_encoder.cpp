// LZH encoder: symbol coding over the adaptive tree and the LZSS driver.
#include "tools/skintool/lzh_encoder.h"

#include <stdexcept>

#include "tools/skintool/lzss_matcher.h"

using namespace lzh;

namespace {

// Prefix code of each upper-six-bit position value, read off the decoder's
// table: the run of first bytes that decode to value u shares its top bits.
struct TPositionCode {
    uint8_t code[64];
    uint8_t length[64];
};

TPositionCode MakePositionCode() {
    TPositionCode pc{};
    for (int i = 255; i >= 0; --i) {
        const int u = kPositionUpper[i];
        const int len = kPositionCodeLength[i];
        pc.code[u] = static_cast<uint8_t>(i >> (8 - len));
        pc.length[u] = static_cast<uint8_t>(len);
    }
    return pc;
}

const TPositionCode& PositionCode() {
    static const TPositionCode pc = MakePositionCode();
    return pc;
}

} // namespace

TLzhCoder::TLzhCoder() {
    tree_.Start();
}

// Appends the low `count` bits of code, most significant first.
void TLzhCoder::PutBits(uint32_t code, int count) {
    bits_ += static_cast<uint64_t>(count);
    while (count > 0) {
        const int take = count > 16 ? 16 : count;
        count -= take;
        pending_ = (pending_ << take) | ((code >> count) & ((1u << take) - 1));
        pendingCount_ += take;
        while (pendingCount_ >= 8) {
            pendingCount_ -= 8;
            out_.push_back(static_cast<uint8_t>(pending_ >> pendingCount_));
        }
        pending_ &= (1u << pendingCount_) - 1;
    }
}

// Emits the path from the root to the symbol's leaf, then counts the symbol
// exactly as the decoder will.
void TLzhCoder::PutSymbol(int symbol) {
    int path[kNodeCount];
    int depth = 0;
    for (int k = tree_.parent[symbol + kNodeCount]; k != kRoot; k = tree_.parent[k]) {
        path[depth++] = k - tree_.child[tree_.parent[k]];
    }
    while (depth > 0)
        PutBits(static_cast<uint32_t>(path[--depth]), 1);
    tree_.Update(symbol);
}

void TLzhCoder::PutLiteral(uint8_t byte) {
    PutSymbol(byte);
}

void TLzhCoder::PutMatch(int length, int position) {
    if (length <= kThreshold || length > kLookAhead)
        throw std::invalid_argument("match length out of range");
    if (position < 0 || position > kWindowMask)
        throw std::invalid_argument("match position out of range");
    PutSymbol(255 - kThreshold + length);
    const TPositionCode& pc = PositionCode();
    const int upper = position >> 6;
    PutBits(pc.code[upper], pc.length[upper]);
    PutBits(static_cast<uint32_t>(position & 0x3F), 6);
}

std::vector<uint8_t> TLzhCoder::Finish() {
    if (pendingCount_ > 0) {
        out_.push_back(static_cast<uint8_t>(pending_ << (8 - pendingCount_)));
        pending_ = 0;
        pendingCount_ = 0;
    }
    return std::move(out_);
}

// Greedy LZSS: at each step take the longest match in the window (3..60
// bytes) or a literal, then slide the window over the bytes consumed.
std::vector<uint8_t> LzhEncodeBits(std::span<const uint8_t> data) {
    TLzhCoder coder;
    if (data.empty())
        return coder.Finish();
    TLzssMatcher m;
    size_t next = 0; // next input byte to enter the look-ahead
    int s = 0;
    int r = kStartPosition;
    for (int i = 0; i < r; ++i)
        m.Put(i, kFillByte);
    int len = 0;
    for (; len < kLookAhead && next < data.size(); ++len)
        m.Put(r + len, data[next++]);
    // The strings that begin in the preset spaces are matchable from the start.
    for (int i = 1; i <= kLookAhead; ++i)
        m.Insert(r - i);
    m.Insert(r);
    while (len > 0) {
        int matchLength = m.MatchLength();
        if (matchLength > len)
            matchLength = len;
        if (matchLength <= kThreshold) {
            matchLength = 1;
            coder.PutLiteral(m.Ring()[r]);
        } else {
            coder.PutMatch(matchLength, m.MatchPosition());
        }
        for (int i = 0; i < matchLength; ++i) {
            m.Remove(s);
            if (next < data.size()) {
                m.Put(s, data[next++]);
            } else {
                --len;
            }
            s = (s + 1) & kWindowMask;
            r = (r + 1) & kWindowMask;
            if (len > 0)
                m.Insert(r);
        }
    }
    return coder.Finish();
}

std::vector<uint8_t> LzhEncode(std::span<const uint8_t> data) {
    if (data.size() > 0x7FFFFFFFu)
        throw std::length_error("input too large for a skin stream");
    std::vector<uint8_t> out(4);
    const uint32_t n = static_cast<uint32_t>(data.size());
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<uint8_t>(n >> (8 * i));
    const std::vector<uint8_t> bits = LzhEncodeBits(data);
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}
