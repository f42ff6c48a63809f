// Extended-precision conversion.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

#include "framework/core/extended.h"

TEST(Extended, MarginValueHasTheKnownBytes) {
    const TExtendedBytes expected = {0x00, 0x68, 0x66, 0x66, 0x66, 0x66, 0x66, 0x98, 0x03, 0x40};
    EXPECT_EQ(DoubleToExtended(19.05), expected);
    EXPECT_EQ(std::bit_cast<uint64_t>(ExtendedToDouble(expected)), std::bit_cast<uint64_t>(19.05));
    const TExtendedBytes one = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(DoubleToExtended(1.0), one);
    EXPECT_EQ(ExtendedToDouble(one), 1.0);
    TExtendedBytes minusTwo = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0};
    EXPECT_EQ(ExtendedToDouble(minusTwo), -2.0);
}

TEST(Extended, EveryDoubleRoundTripsExactly) {
    std::mt19937_64 rng(12345);
    for (int i = 0; i < 20000; ++i) {
        const uint64_t bits = rng();
        const double d = std::bit_cast<double>(bits);
        if (std::isnan(d))
            continue;
        EXPECT_EQ(std::bit_cast<uint64_t>(ExtendedToDouble(DoubleToExtended(d))), bits) << i;
    }
    for (double d :
         {0.0, -0.0, std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
          std::numeric_limits<double>::max(), -std::numeric_limits<double>::infinity()})
        EXPECT_EQ(std::bit_cast<uint64_t>(ExtendedToDouble(DoubleToExtended(d))),
                  std::bit_cast<uint64_t>(d));
    EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));
}

TEST(Extended, ExtraBitsRoundToNearestEven) {
    // 1 + 2^-53 is half-way between 1 and the next double: ties to even (1).
    TExtendedBytes half = {0x00, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(ExtendedToDouble(half), 1.0);
    // Slightly above half-way rounds up.
    TExtendedBytes above = {0x01, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(ExtendedToDouble(above), std::nextafter(1.0, 2.0));
    // Half-way from an odd last bit rounds up to even.
    TExtendedBytes oddHalf = {0x00, 0x0C, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(ExtendedToDouble(oddHalf), 1.0 + 2 * std::ldexp(1.0, -52));
    // Too large for a double: infinity; too small: zero.
    TExtendedBytes huge = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F - 0x20};
    EXPECT_TRUE(std::isinf(ExtendedToDouble(huge)));
    TExtendedBytes tiny = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x20};
    EXPECT_EQ(ExtendedToDouble(tiny), 0.0);
    // A value below the smallest normal becomes a subnormal double.
    const double sub = std::ldexp(1.0, -1060);
    EXPECT_EQ(ExtendedToDouble(DoubleToExtended(sub)), sub);
    // 1.5 * 2^-1075 rounds up to the smallest subnormal; 2^-1075 is a tie
    // that goes to zero.
    TExtendedBytes threeQuarters = {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xCC, 0x3B};
    EXPECT_EQ(ExtendedToDouble(threeQuarters), std::numeric_limits<double>::denorm_min());
    TExtendedBytes halfTiny = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xCC, 0x3B};
    EXPECT_EQ(ExtendedToDouble(halfTiny), 0.0);
    EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::denorm_min())[9], 0x3B);
}
