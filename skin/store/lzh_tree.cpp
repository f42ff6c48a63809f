// Adaptive Huffman tree of the LZH scheme and its two fixed position tables.
#include "skin/store/lzh_tree.h"

#include <array>
#include <cstring>

namespace lzh {
namespace {

// Builds the position tables from their ranges: each run gives `count`
// consecutive indices per upper value, with one code length for the run.
struct TPositionTables {
    std::array<uint8_t, 256> upper{};
    std::array<uint8_t, 256> length{};
};

constexpr TPositionTables MakePositionTables() {
    TPositionTables t;
    struct Run {
        int firstValue, lastValue, perValue, codeLength;
    };
    constexpr Run runs[] = {{0, 0, 32, 3},  {1, 3, 16, 4},  {4, 11, 8, 5},
                            {12, 23, 4, 6}, {24, 47, 2, 7}, {48, 63, 1, 8}};
    int index = 0;
    for (const Run& run : runs) {
        for (int v = run.firstValue; v <= run.lastValue; ++v) {
            for (int n = 0; n < run.perValue; ++n, ++index) {
                t.upper[index] = static_cast<uint8_t>(v);
                t.length[index] = static_cast<uint8_t>(run.codeLength);
            }
        }
    }
    return t;
}

constexpr TPositionTables kTables = MakePositionTables();
static_assert(kTables.upper[31] == 0 && kTables.upper[32] == 1 && kTables.upper[79] == 3);
static_assert(kTables.upper[80] == 4 && kTables.upper[143] == 11 && kTables.upper[144] == 12);
static_assert(kTables.upper[239] == 47 && kTables.upper[240] == 48 && kTables.upper[255] == 63);
static_assert(kTables.length[31] == 3 && kTables.length[32] == 4 && kTables.length[79] == 4);
static_assert(kTables.length[143] == 5 && kTables.length[191] == 6 && kTables.length[255] == 8);

} // namespace

constexpr std::array<uint8_t, 256> kPositionUpper = kTables.upper;
constexpr std::array<uint8_t, 256> kPositionCodeLength = kTables.length;

// Starting tree: leaves 0..313 hold the symbols in order, each inner node j
// joins the next two positions.
void TLzhTree::Start() {
    std::memset(watched, 0, sizeof(watched));
    watchedMoved = true;
    for (int i = 0; i < kSymbolCount; ++i) {
        freq[i] = 1;
        child[i] = static_cast<int16_t>(i + kNodeCount);
        parent[i + kNodeCount] = static_cast<int16_t>(i);
    }
    for (int i = 0, j = kSymbolCount; j <= kRoot; i += 2, ++j) {
        freq[j] = static_cast<uint16_t>(freq[i] + freq[i + 1]);
        child[j] = static_cast<int16_t>(i);
        parent[i] = parent[i + 1] = static_cast<int16_t>(j);
    }
    for (int i = kNodeCount; i < kNodeCount + kFreqSentinels; ++i)
        freq[i] = 0xFFFF;
    parent[kRoot] = 0;
}

// Collects the leaves with halved frequencies, then re-inserts the inner
// nodes in frequency order and reconnects every parent link.
void TLzhTree::Rebuild() {
    watchedMoved = true;
    int j = 0;
    for (int i = 0; i < kNodeCount; ++i) {
        if (child[i] >= kNodeCount) {
            freq[j] = static_cast<uint16_t>((freq[i] + 1) / 2);
            child[j] = child[i];
            ++j;
        }
    }
    for (int i = 0, n = kSymbolCount; n < kNodeCount; i += 2, ++n) {
        const uint16_t f = static_cast<uint16_t>(freq[i] + freq[i + 1]);
        freq[n] = f;
        int k = n - 1;
        while (f < freq[k])
            --k;
        ++k;
        std::memmove(&freq[k + 1], &freq[k], sizeof(freq[0]) * (n - k));
        freq[k] = f;
        std::memmove(&child[k + 1], &child[k], sizeof(child[0]) * (n - k));
        child[k] = static_cast<int16_t>(i);
    }
    for (int p = 0; p < kNodeCount; ++p) {
        const int k = child[p];
        if (k >= kNodeCount) {
            parent[k] = static_cast<int16_t>(p);
        } else {
            parent[k] = parent[k + 1] = static_cast<int16_t>(p);
        }
    }
}

} // namespace lzh
