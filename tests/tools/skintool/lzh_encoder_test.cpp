// The skin tool's LZH encoder: argument checks, match choice, and round
// trips through the product's decoder on many small odd-shaped inputs.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "framework/core/stream.h"
#include "skin/store/lzh.h"
#include "tools/skintool/lzh_encoder.h"
#include "tools/skintool/lzss_matcher.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Decode(const Bytes& stream) {
    TReadOnlyMemoryStream src(stream.data(), static_cast<int64_t>(stream.size()));
    int32_t size = 0;
    src.ReadBuffer(&size, 4);
    TMemoryStream dst;
    TLZH lzh;
    lzh.SetSourceStream(&src);
    lzh.SetTargetStream(&dst);
    lzh.Decode(size);
    return Bytes(dst.Memory(), dst.Memory() + dst.Size());
}

} // namespace

TEST(LzhEncoder, RejectsMatchesOutsideTheScheme) {
    TLzhCoder coder;
    EXPECT_THROW(coder.PutMatch(2, 0), std::invalid_argument);
    EXPECT_THROW(coder.PutMatch(61, 0), std::invalid_argument);
    EXPECT_THROW(coder.PutMatch(3, -1), std::invalid_argument);
    EXPECT_THROW(coder.PutMatch(3, 4096), std::invalid_argument);
    EXPECT_EQ(coder.BitCount(), 0u);
    coder.PutMatch(3, 4095);
    coder.PutMatch(60, 0);
    // A position costs its prefix (3..8 bits) plus 6 bits: 4095 has the
    // longest prefix, 0 the shortest.
    EXPECT_GT(coder.BitCount(), 8u + 6u + 3u + 6u);
}

TEST(LzhEncoder, MatcherPrefersTheLongestThenTheNearest) {
    TLzssMatcher m;
    const char* text = "abcdXabcdYabcdZ";
    for (int i = 0; text[i]; ++i)
        m.Put(i, static_cast<uint8_t>(text[i]));
    for (int i = 0; i < 10; ++i)
        m.Insert(i);
    // The string at 10 ("abcdZ") matches 4 bytes at 0 and at 5: the nearer
    // one (5, four bytes behind, code 4) wins.
    m.Insert(10);
    EXPECT_EQ(m.MatchLength(), 4);
    EXPECT_EQ(m.MatchPosition(), 4);
    // A removed string is no longer found.
    m.Remove(5);
    m.Remove(10);
    m.Insert(10);
    EXPECT_EQ(m.MatchLength(), 4);
    EXPECT_EQ(m.MatchPosition(), 9);
}

TEST(LzhEncoder, RoundTripsManySmallOddInputs) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 300; ++round) {
        const size_t length = rng() % (round < 100 ? 80 : 6000);
        const int alphabet = 1 + static_cast<int>(rng() % (round % 3 == 0 ? 3 : 256));
        Bytes data(length);
        for (auto& b : data)
            b = static_cast<uint8_t>(' ' + rng() % alphabet);
        const Bytes out = Decode(LzhEncode(data));
        ASSERT_TRUE(out == data) << "round " << round << " length " << length << " alphabet "
                                 << alphabet;
    }
}
