// Extended-precision conversion with exact rounding.
#include "framework/core/extended.h"

#include <bit>
#include <cstring>

namespace {

constexpr int kExtBias = 16383;
constexpr int kDblBias = 1023;

TExtendedBytes Pack(bool negative, uint32_t exponent, uint64_t mantissa) {
    TExtendedBytes b{};
    for (int i = 0; i < 8; ++i)
        b[static_cast<size_t>(i)] = static_cast<uint8_t>(mantissa >> (8 * i));
    const uint32_t top = (negative ? 0x8000u : 0u) | (exponent & 0x7FFFu);
    b[8] = static_cast<uint8_t>(top);
    b[9] = static_cast<uint8_t>(top >> 8);
    return b;
}

double FromBits(uint64_t bits) {
    return std::bit_cast<double>(bits);
}

// Rounds a normalised mantissa (top bit set, value mant * 2^(e - 63)) to a double.
double RoundToDouble(bool negative, uint64_t mant, int e) {
    const uint64_t sign = negative ? (uint64_t{1} << 63) : 0;
    const int keep = e >= 1 - kDblBias ? 53 : 53 - (1 - kDblBias - e);
    if (keep < 0)
        return FromBits(sign);
    const int shift = 64 - keep;
    uint64_t kept, rem, half;
    if (shift >= 64) {
        kept = 0;
        rem = mant;
        half = uint64_t{1} << 63;
    } else {
        kept = mant >> shift;
        rem = mant & ((uint64_t{1} << shift) - 1);
        half = uint64_t{1} << (shift - 1);
    }
    if (rem > half || (rem == half && (kept & 1)))
        ++kept;
    if (keep < 53) // subnormal (a carry into bit 52 gives the smallest normal)
        return FromBits(sign | kept);
    if (kept == (uint64_t{1} << 53)) {
        kept >>= 1;
        ++e;
    }
    if (e > kDblBias)
        return FromBits(sign | (uint64_t{0x7FF} << 52));
    return FromBits(sign | (static_cast<uint64_t>(e + kDblBias) << 52) |
                    (kept & ((uint64_t{1} << 52) - 1)));
}

} // namespace

TExtendedBytes DoubleToExtended(double v) {
    const auto bits = std::bit_cast<uint64_t>(v);
    const bool negative = (bits >> 63) != 0;
    const auto exp = static_cast<int>((bits >> 52) & 0x7FF);
    const uint64_t frac = bits & ((uint64_t{1} << 52) - 1);
    if (exp == 0x7FF) // infinity or NaN (payload kept)
        return Pack(negative, 0x7FFF, (uint64_t{1} << 63) | (frac << 11));
    if (exp == 0) {
        if (frac == 0)
            return Pack(negative, 0, 0);
        const int lz = std::countl_zero(frac);
        const int e = -1074 + 63 - lz;
        return Pack(negative, static_cast<uint32_t>(e + kExtBias), frac << lz);
    }
    return Pack(negative, static_cast<uint32_t>(exp - kDblBias + kExtBias),
                (uint64_t{1} << 63) | (frac << 11));
}

double ExtendedToDouble(const TExtendedBytes& b) {
    uint64_t mant = 0;
    for (int i = 7; i >= 0; --i)
        mant = (mant << 8) | b[static_cast<size_t>(i)];
    const uint32_t top = b[8] | (static_cast<uint32_t>(b[9]) << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int exp = static_cast<int>(top & 0x7FFFu);
    if (exp == 0x7FFF) {
        if ((mant << 1) == 0)
            return FromBits((negative ? uint64_t{1} << 63 : 0) | (uint64_t{0x7FF} << 52));
        return FromBits((negative ? uint64_t{1} << 63 : 0) | (uint64_t{0x7FF} << 52) |
                        (uint64_t{1} << 51) | ((mant << 1) >> 12));
    }
    if (mant == 0)
        return FromBits(negative ? uint64_t{1} << 63 : 0);
    // Denormals use the exponent of 1; unnormals are taken at face value.
    int e = (exp == 0 ? 1 : exp) - kExtBias;
    const int lz = std::countl_zero(mant);
    return RoundToDouble(negative, mant << lz, e - lz);
}
