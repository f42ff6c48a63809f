// Longest-match search for the LZH encoder: a binary search tree of the
// strings starting at each ring position, one tree per first byte.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/store/lzh_tree.h"

class TLzssMatcher {
public:
    TLzssMatcher();
    // The ring, with room after its end mirroring its first bytes so that a
    // string starting near the end can be compared without wrapping.
    uint8_t* Ring() { return ring_.data(); }
    // Stores byte b at ring position pos (and in its mirror cell).
    void Put(int pos, uint8_t b);
    // Adds the string at position r to the trees and records the longest
    // earlier string matching it (ties keep the nearest).
    void Insert(int r);
    // Removes the string at position p, if present.
    void Remove(int p);
    // Result of the last Insert: length (0 when under 3) and position code
    // (distance behind r minus one).
    int MatchLength() const { return matchLength_; }
    int MatchPosition() const { return matchPosition_; }

private:
    static constexpr int kNil = lzh::kWindowSize;
    std::vector<uint8_t> ring_;
    std::vector<int> left_, right_, up_;
    int matchLength_ = 0;
    int matchPosition_ = 0;
};
