// Conversion between double and the 10-byte extended-precision format
// (little-endian: 64-bit mantissa with explicit integer bit, then 15-bit
// biased exponent and sign). 19.05 <-> 00 68 66 66 66 66 66 98 03 40.
#pragma once

#include <array>
#include <cstdint>

using TExtendedBytes = std::array<uint8_t, 10>;

// Exact: every double has an extended representation.
TExtendedBytes DoubleToExtended(double v);
// Nearest double (ties to even); overflow gives infinity, NaN stays NaN.
double ExtendedToDouble(const TExtendedBytes& bytes);
