// Binary-tree longest-match search over the 4096-byte ring.
#include "tools/skintool/lzss_matcher.h"

using namespace lzh;

// Right links past kNil are the 256 tree roots, one per first byte.
TLzssMatcher::TLzssMatcher()
    : ring_(kWindowSize + kLookAhead - 1, 0), left_(kWindowSize + 1, kNil),
      right_(kWindowSize + 257, kNil), up_(kWindowSize + 1, kNil) {}

void TLzssMatcher::Put(int pos, uint8_t b) {
    ring_[pos] = b;
    if (pos < kLookAhead - 1)
        ring_[pos + kWindowSize] = b;
}

// Walks down the tree of the string's first byte, comparing up to 60 bytes
// at each node. A node equal over the full 60 bytes is replaced by r, which
// keeps the tree free of duplicates and the nearest copy in it.
void TLzssMatcher::Insert(int r) {
    const uint8_t* key = &ring_[r];
    int p = kWindowSize + 1 + key[0];
    int cmp = 1;
    left_[r] = right_[r] = kNil;
    matchLength_ = 0;
    for (;;) {
        int& next = cmp >= 0 ? right_[p] : left_[p];
        if (next == kNil) {
            next = r;
            up_[r] = p;
            return;
        }
        p = next;
        int i = 1;
        for (; i < kLookAhead; ++i) {
            cmp = key[i] - ring_[p + i];
            if (cmp != 0)
                break;
        }
        if (i > kThreshold) {
            const int code = ((r - p) & kWindowMask) - 1;
            if (i > matchLength_) {
                matchPosition_ = code;
                matchLength_ = i;
                if (i >= kLookAhead)
                    break;
            } else if (i == matchLength_ && code < matchPosition_) {
                matchPosition_ = code;
            }
        }
    }
    // Full-length match: r takes p's place in the tree.
    up_[r] = up_[p];
    left_[r] = left_[p];
    right_[r] = right_[p];
    up_[left_[p]] = r;
    up_[right_[p]] = r;
    if (right_[up_[p]] == p) {
        right_[up_[p]] = r;
    } else {
        left_[up_[p]] = r;
    }
    up_[p] = kNil;
}

// Unlinks node p, replacing it by its in-order predecessor when it has two
// children.
void TLzssMatcher::Remove(int p) {
    if (up_[p] == kNil)
        return;
    int q;
    if (right_[p] == kNil) {
        q = left_[p];
    } else if (left_[p] == kNil) {
        q = right_[p];
    } else {
        q = left_[p];
        if (right_[q] != kNil) {
            do {
                q = right_[q];
            } while (right_[q] != kNil);
            right_[up_[q]] = left_[q];
            up_[left_[q]] = up_[q];
            left_[q] = left_[p];
            up_[left_[p]] = q;
        }
        right_[q] = right_[p];
        up_[right_[p]] = q;
    }
    up_[q] = up_[p];
    if (right_[up_[p]] == p) {
        right_[up_[p]] = q;
    } else {
        left_[up_[p]] = q;
    }
    up_[p] = kNil;
}
