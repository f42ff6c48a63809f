// The PNG encoder; see the header.
#include "tools/gallery/png_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {
// The reflected CRC-32 table of polynomial 0xEDB88320.
const std::array<uint32_t, 256>& CrcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

// Length, type, data, and the CRC over type and data.
void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}
} // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
    const auto& table = CrcTable();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const uint8_t* data, size_t size, uint32_t adler) {
    constexpr uint32_t kMod = 65521;
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % kMod;
        b = (b + a) % kMod;
    }
    return (b << 16) | a;
}

// Header 0x78 0x01 (deflate, 32K window, check bits), stored blocks of
// BFINAL/BTYPE=00, LEN and its complement little-endian, then Adler-32.
std::vector<uint8_t> ZlibStored(const std::vector<uint8_t>& data) {
    constexpr size_t kBlock = 65535;
    std::vector<uint8_t> out{0x78, 0x01};
    size_t at = 0;
    do {
        const size_t len = std::min(kBlock, data.size() - at);
        const bool last = at + len == data.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(len));
        out.push_back(static_cast<uint8_t>(len >> 8));
        out.push_back(static_cast<uint8_t>(~len));
        out.push_back(static_cast<uint8_t>(~len >> 8));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + len));
        at += len;
    } while (at < data.size());
    PutBig32(out, Adler32(data.data(), data.size()));
    return out;
}

std::vector<uint8_t> EncodePng(const TPngImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > 65535 || image.height > 65535)
        throw std::invalid_argument("PNG size out of range");
    if (image.channels != 3 && image.channels != 4)
        throw std::invalid_argument("PNG channels must be 3 or 4");
    const size_t row = static_cast<size_t>(image.width) * image.channels;
    if (image.pixels.size() != row * image.height)
        throw std::invalid_argument("PNG pixel bytes do not match the size");
    std::vector<uint8_t> raw;
    raw.reserve((row + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0); // filter: none
        const auto first = image.pixels.begin() + static_cast<std::ptrdiff_t>(row * y);
        raw.insert(raw.end(), first, first + static_cast<std::ptrdiff_t>(row));
    }
    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    PutBig32(ihdr, static_cast<uint32_t>(image.width));
    PutBig32(ihdr, static_cast<uint32_t>(image.height));
    // Bit depth 8, colour type 2 (RGB) or 6 (RGBA), deflate, no filter set, no interlace.
    ihdr.insert(ihdr.end(), {8, static_cast<uint8_t>(image.channels == 4 ? 6 : 2), 0, 0, 0});
    PutChunk(out, "IHDR", ihdr);
    PutChunk(out, "IDAT", ZlibStored(raw));
    PutChunk(out, "IEND", {});
    return out;
}
