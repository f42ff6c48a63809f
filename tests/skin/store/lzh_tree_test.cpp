// The adaptive tree and the fixed position tables of the LZH scheme.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "skin/store/lzh_tree.h"

using namespace lzh;

namespace {

// Checks the sibling property and every parent/child link; returns a
// description of the first fault, or an empty string.
std::string TreeFault(const TLzhTree& t) {
    for (int p = 0; p < kRoot; ++p) {
        if (t.freq[p] > t.freq[p + 1])
            return "frequencies not ordered at " + std::to_string(p);
    }
    int leaves = 0;
    for (int p = 0; p < kNodeCount; ++p) {
        const int c = t.child[p];
        if (c >= kNodeCount) {
            ++leaves;
            if (c >= kNodeCount + kSymbolCount)
                return "bad leaf value at " + std::to_string(p);
            if (t.parent[c] != p)
                return "leaf link broken at " + std::to_string(p);
        } else {
            if (c < 0 || c + 1 >= kNodeCount || c >= p)
                return "bad child at " + std::to_string(p);
            if (t.parent[c] != p || t.parent[c + 1] != p)
                return "parent link broken at " + std::to_string(p);
            if (t.freq[p] != t.freq[c] + t.freq[c + 1])
                return "sum broken at " + std::to_string(p);
        }
    }
    if (leaves != kSymbolCount)
        return "leaf count " + std::to_string(leaves);
    if (t.freq[kNodeCount] != 0xFFFF)
        return "sentinel overwritten";
    return {};
}

} // namespace

TEST(LzhTables, PositionTablesFollowTheirRanges) {
    // Upper bits: 32 indices for 0, 16 each for 1..3, 8 each for 4..11,
    // 4 each for 12..23, 2 each for 24..47, 1 each for 48..63.
    EXPECT_EQ(kPositionUpper[0], 0);
    EXPECT_EQ(kPositionUpper[31], 0);
    EXPECT_EQ(kPositionUpper[32], 1);
    EXPECT_EQ(kPositionUpper[47], 1);
    EXPECT_EQ(kPositionUpper[48], 2);
    EXPECT_EQ(kPositionUpper[64], 3);
    EXPECT_EQ(kPositionUpper[79], 3);
    EXPECT_EQ(kPositionUpper[80], 4);
    EXPECT_EQ(kPositionUpper[87], 4);
    EXPECT_EQ(kPositionUpper[88], 5);
    EXPECT_EQ(kPositionUpper[143], 11);
    EXPECT_EQ(kPositionUpper[144], 12);
    EXPECT_EQ(kPositionUpper[147], 12);
    EXPECT_EQ(kPositionUpper[191], 23);
    EXPECT_EQ(kPositionUpper[192], 24);
    EXPECT_EQ(kPositionUpper[193], 24);
    EXPECT_EQ(kPositionUpper[239], 47);
    EXPECT_EQ(kPositionUpper[240], 48);
    EXPECT_EQ(kPositionUpper[255], 63);
    // Code lengths by range.
    EXPECT_EQ(kPositionCodeLength[0], 3);
    EXPECT_EQ(kPositionCodeLength[31], 3);
    EXPECT_EQ(kPositionCodeLength[32], 4);
    EXPECT_EQ(kPositionCodeLength[79], 4);
    EXPECT_EQ(kPositionCodeLength[80], 5);
    EXPECT_EQ(kPositionCodeLength[143], 5);
    EXPECT_EQ(kPositionCodeLength[144], 6);
    EXPECT_EQ(kPositionCodeLength[191], 6);
    EXPECT_EQ(kPositionCodeLength[192], 7);
    EXPECT_EQ(kPositionCodeLength[239], 7);
    EXPECT_EQ(kPositionCodeLength[240], 8);
    EXPECT_EQ(kPositionCodeLength[255], 8);
    // A prefix code: every index that shares the first `length` bits decodes
    // to the same upper value, and each value has one code.
    for (int i = 0; i < 256; ++i) {
        const int len = kPositionCodeLength[i];
        const int firstOfRun = (i >> (8 - len)) << (8 - len);
        EXPECT_EQ(kPositionUpper[i], kPositionUpper[firstOfRun]) << i;
        if (i > 0) {
            EXPECT_LE(kPositionUpper[i - 1], kPositionUpper[i]);
        }
    }
}

TEST(LzhTree, StartsBalancedAndCountsWithStrictComparisons) {
    TLzhTree t;
    t.Start();
    EXPECT_EQ(TreeFault(t), "");
    EXPECT_EQ(t.freq[kRoot], kSymbolCount);
    EXPECT_EQ(t.child[kRoot], 624);
    EXPECT_EQ(t.parent[kRoot], 0);
    EXPECT_EQ(t.child[314], 0);
    EXPECT_EQ(t.parent[627 + 5], 5);

    // Symbol 313 sits at position 313 next to node 314 of equal count 2
    // after the increment: equal counts do not swap.
    t.Update(313);
    EXPECT_EQ(t.child[313], 627 + 313);
    EXPECT_EQ(t.freq[313], 2);
    EXPECT_EQ(t.freq[kRoot], kSymbolCount + 1);
    EXPECT_EQ(TreeFault(t), "");

    // Symbol 0 (count 2 now) passes every leaf of count 1 and stops before
    // the first node of count 2: it swaps with position 312.
    t.Update(0);
    EXPECT_EQ(t.child[312], 627 + 0);
    EXPECT_EQ(t.child[0], 627 + 312);
    EXPECT_EQ(t.parent[627 + 0], 312);
    EXPECT_EQ(t.parent[627 + 312], 0);
    EXPECT_EQ(t.freq[0], 1);
    EXPECT_EQ(t.freq[312], 2);
    EXPECT_EQ(TreeFault(t), "");
}

TEST(LzhTree, RebuildsExactlyWhenTheRootReaches0x8000) {
    TLzhTree t;
    t.Start();
    // The root counts every update: 314 + 32454 = 0x8000.
    for (int i = 0; i < 0x8000 - kSymbolCount; ++i)
        t.Update(i % 7 == 0 ? i % kSymbolCount : 'e');
    EXPECT_EQ(t.freq[kRoot], 0x8000); // reached, not yet rebuilt
    EXPECT_EQ(TreeFault(t), "");
    uint32_t halvedSum = 0;
    for (int p = 0; p < kNodeCount; ++p) {
        if (t.child[p] >= kNodeCount)
            halvedSum += (t.freq[p] + 1u) / 2;
    }
    t.Update('e'); // rebuild first, then count
    EXPECT_EQ(t.freq[kRoot], halvedSum + 1);
    EXPECT_LT(t.freq[kRoot], 0x8000);
    EXPECT_EQ(TreeFault(t), "");
}

TEST(LzhTree, StaysConsistentOverManyRebuilds) {
    TLzhTree t;
    t.Start();
    std::mt19937 rng(7);
    std::geometric_distribution<int> skewed(0.05);
    for (int i = 0; i < 400000; ++i) {
        t.Update(skewed(rng) % kSymbolCount);
        if (i % 20000 == 0) {
            ASSERT_EQ(TreeFault(t), "") << "after update " << i;
        }
        ASSERT_LE(t.freq[kRoot], 0x8000);
    }
    EXPECT_EQ(TreeFault(t), "");
}

// Counting along the decode walk's path gives the same tree as counting by
// parent links, through swaps and rebuilds; a swap of a watched position or
// a rebuild raises the moved flag, a swap of unwatched positions does not.
TEST(LzhTree, CountingAlongThePathMatchesCountingByParents) {
    TLzhTree byParents;
    TLzhTree alongPath;
    byParents.Start();
    alongPath.Start();
    std::mt19937 rng(5);
    std::geometric_distribution<int> skewed(0.02);
    for (int n = 0; n < 200000; ++n) {
        const int s = skewed(rng) % kSymbolCount;
        // The decode walk's path: s's leaf and its ancestors below the root.
        int16_t up[64];
        int depth = 0;
        for (int p = alongPath.parent[s + kNodeCount]; p != kRoot; p = alongPath.parent[p])
            up[depth++] = static_cast<int16_t>(p);
        int16_t path[64];
        for (int i = 0; i < depth; ++i)
            path[i] = up[depth - 1 - i];
        ASSERT_TRUE(path[0] == alongPath.child[kRoot] || path[0] == alongPath.child[kRoot] + 1);
        byParents.Update(s);
        alongPath.UpdateAlong(s, path, depth);
        ASSERT_EQ(std::memcmp(byParents.freq, alongPath.freq, sizeof(byParents.freq)), 0) << n;
        ASSERT_EQ(std::memcmp(byParents.child, alongPath.child, sizeof(byParents.child)), 0) << n;
        ASSERT_EQ(std::memcmp(byParents.parent, alongPath.parent, sizeof(byParents.parent)), 0)
            << n;
    }
    EXPECT_EQ(TreeFault(alongPath), "");

    TLzhTree t;
    t.Start();
    EXPECT_TRUE(t.watchedMoved);
    t.watchedMoved = false;
    t.Update(0); // leaf 0 now outweighs its neighbours: swaps with position 313
    EXPECT_EQ(t.child[313], kNodeCount);
    EXPECT_FALSE(t.watchedMoved) << "nothing was watched";
    t.watched[0] = 1;
    t.Update(313); // symbol 313, now at position 0, swaps away
    EXPECT_TRUE(t.watchedMoved);
    t.watchedMoved = false;
    t.Rebuild();
    EXPECT_TRUE(t.watchedMoved);
}
