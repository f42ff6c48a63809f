// Adaptive Huffman tree shared by the LZH decoder and the skin tool's encoder.
// One tree codes 314 symbols: the 256 literal bytes and the match lengths 3..60.
#pragma once

#include <array>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lzh {

constexpr int kWindowSize = 4096; // ring buffer length
constexpr int kWindowMask = kWindowSize - 1;
constexpr int kLookAhead = 60;                              // longest match
constexpr int kThreshold = 2;                               // matches this short are never coded
constexpr int kSymbolCount = 256 - kThreshold + kLookAhead; // 314
constexpr int kNodeCount = 2 * kSymbolCount - 1;            // 627
constexpr int kRoot = kNodeCount - 1;                       // 626
constexpr uint16_t kRebuildLimit = 0x8000;                  // root frequency that forces a rebuild
constexpr int kStartPosition = kWindowSize - kLookAhead;    // 4036
constexpr uint8_t kFillByte = 0x20;
constexpr int kFreqSentinels = 8; // counts of 0xFFFF after the last node

// Upper six bits of a match position, indexed by the first eight coded bits.
extern const std::array<uint8_t, 256> kPositionUpper;
// Total prefix length in bits (3..8) of a match position code, same index.
extern const std::array<uint8_t, 256> kPositionCodeLength;

// The tree tables. A child value of kNodeCount or more marks a leaf holding
// symbol (value - kNodeCount); a smaller value k means children at k and k + 1.
struct TLzhTree {
    uint16_t freq[kNodeCount + kFreqSentinels]; // sentinels 0xFFFF from kNodeCount on
    int16_t parent[kNodeCount + kSymbolCount]; // nodes, then each symbol's leaf position
    int16_t child[kNodeCount];
    // Positions a decoder's lookup of the tree's top levels depends on, and
    // whether any of them moved (by a swap or a rebuild) since it was set.
    uint8_t watched[kNodeCount];
    bool watchedMoved;

    // Sets up the balanced starting tree with every symbol at frequency 1.
    void Start();
    // Counts one more occurrence of symbol s and restores the sibling order
    // (inline: it runs once per decoded symbol).
    void Update(int s);
    // The same as Update(s) for a symbol just decoded along `path`: the
    // positions from the root's child down to s's leaf. Until the first
    // swap the walk up is the path read backwards, so no parent lookups.
    void UpdateAlong(int s, const int16_t* path, int depth);
    // Halves all leaf frequencies and rebuilds the inner nodes.
    void Rebuild();

private:
    // The last position after c whose count is below k, given that c + 1's
    // is (the counts rise with the position, and the sentinels stop it).
    int LastBelow(int c, uint16_t k) const;
    // Swaps the subtrees at positions c and l (frequency k moving to l).
    void Swap(int c, int l, uint16_t k);
    // Counts node c (position 0 included: it is always a leaf) and each of
    // its ancestors up to the root, swapping a
    // node past the run of lower counts where its count now exceeds them.
    void Climb(int c);
};

// Increments the frequencies on the path from symbol s to the root; a node
// whose count now exceeds its right neighbour's swaps with the last node of
// lower count. Equal counts never swap.
inline void TLzhTree::Update(int s) {
    if (freq[kRoot] == kRebuildLimit)
        Rebuild();
    Climb(parent[s + kNodeCount]);
}

inline void TLzhTree::UpdateAlong(int s, const int16_t* path, int depth) {
    if (freq[kRoot] == kRebuildLimit) [[unlikely]] {
        Update(s);
        return;
    }
    for (int i = depth - 1; i >= 0; --i) {
        const int c = path[i];
        const uint16_t k = ++freq[c];
        if (k > freq[c + 1]) [[unlikely]] {
            const int l = LastBelow(c, k);
            Swap(c, l, k);
            Climb(parent[l]);
            return;
        }
    }
    ++freq[kRoot]; // the sentinel above it never lets the root move
}

inline void TLzhTree::Climb(int c) {
    do {
        const uint16_t k = ++freq[c];
        if (k > freq[c + 1]) {
            const int l = LastBelow(c, k);
            Swap(c, l, k);
            c = l;
        }
        c = parent[c];
    } while (c != 0);
}

// Eight counts compared at once where the processor allows: the number of
// them below k ends the run without a branch per position.
inline int TLzhTree::LastBelow(int c, uint16_t k) const {
    int l = c + 1;
#if defined(__SSE2__)
    const __m128i key = _mm_set1_epi16(static_cast<short>(k));
    for (;;) {
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&freq[l + 1]));
        // Saturating k - count is zero exactly where the count is k or more.
        const __m128i atLeast = _mm_cmpeq_epi16(_mm_subs_epu16(key, next), _mm_setzero_si128());
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(atLeast));
        if (mask != 0)
            return l + __builtin_ctz(mask) / 2;
        l += 8;
    }
#else
    while (k > freq[l + 1])
        ++l;
    return l;
#endif
}

inline void TLzhTree::Swap(int c, int l, uint16_t k) {
    watchedMoved |= (watched[c] | watched[l]) != 0;
    freq[c] = freq[l];
    freq[l] = k;
    const int a = child[c];
    parent[a] = static_cast<int16_t>(l);
    if (a < kNodeCount)
        parent[a + 1] = static_cast<int16_t>(l);
    const int b = child[l];
    child[l] = static_cast<int16_t>(a);
    parent[b] = static_cast<int16_t>(c);
    if (b < kNodeCount)
        parent[b + 1] = static_cast<int16_t>(c);
    child[c] = static_cast<int16_t>(b);
}

} // namespace lzh
