// The PNG encoder: check sums against published values, the exact bytes of a
// one-pixel image, stored blocks across the 65535-byte limit, and a full
// read-back of a small image through our own chunk and stored-block parser.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "tools/gallery/png_writer.h"

namespace {
std::vector<uint8_t> Bytes(const char* text) {
    return std::vector<uint8_t>(text, text + std::strlen(text));
}

uint32_t Big32(const std::vector<uint8_t>& b, size_t at) {
    return (uint32_t{b.at(at)} << 24) | (uint32_t{b.at(at + 1)} << 16) |
           (uint32_t{b.at(at + 2)} << 8) | b.at(at + 3);
}

// Undoes ZlibStored: header, stored blocks until the final one, Adler-32.
std::vector<uint8_t> InflateStored(const std::vector<uint8_t>& z) {
    EXPECT_EQ((z.at(0) * 256 + z.at(1)) % 31, 0); // zlib header check bits
    std::vector<uint8_t> out;
    size_t at = 2;
    for (;;) {
        const uint8_t head = z.at(at);
        EXPECT_EQ(head & 6, 0) << "block type must be stored";
        const size_t len = z.at(at + 1) | (z.at(at + 2) << 8);
        const size_t nlen = z.at(at + 3) | (z.at(at + 4) << 8);
        EXPECT_EQ(len ^ 0xFFFF, nlen);
        out.insert(out.end(), z.begin() + at + 5, z.begin() + at + 5 + len);
        at += 5 + len;
        if (head & 1)
            break;
    }
    EXPECT_EQ(Big32(z, at), Adler32(out.data(), out.size()));
    EXPECT_EQ(at + 4, z.size());
    return out;
}

struct TChunk {
    std::string type;
    std::vector<uint8_t> data;
};

// Splits a PNG file into chunks, checking the signature and every CRC.
std::vector<TChunk> Chunks(const std::vector<uint8_t>& png) {
    const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(std::memcmp(png.data(), sig, 8), 0);
    std::vector<TChunk> chunks;
    for (size_t at = 8; at < png.size();) {
        const uint32_t len = Big32(png, at);
        TChunk c{std::string(png.begin() + at + 4, png.begin() + at + 8),
                 std::vector<uint8_t>(png.begin() + at + 8, png.begin() + at + 8 + len)};
        EXPECT_EQ(Big32(png, at + 8 + len), Crc32(png.data() + at + 4, len + 4)) << c.type;
        chunks.push_back(c);
        at += 12 + len;
    }
    return chunks;
}
} // namespace

// Check values published with the algorithms, and continuing a sum in parts.
TEST(PngWriter, CheckSums) {
    const auto digits = Bytes("123456789");
    EXPECT_EQ(Crc32(digits.data(), digits.size()), 0xCBF43926u);
    EXPECT_EQ(Crc32(nullptr, 0), 0u);
    EXPECT_EQ(Crc32(digits.data() + 4, 5, Crc32(digits.data(), 4)), 0xCBF43926u);
    const auto wiki = Bytes("Wikipedia");
    EXPECT_EQ(Adler32(wiki.data(), wiki.size()), 0x11E60398u);
    EXPECT_EQ(Adler32(nullptr, 0), 1u);
    EXPECT_EQ(Adler32(wiki.data() + 3, 6, Adler32(wiki.data(), 3)), 0x11E60398u);
    // 65521 is the modulus: a long run of 0xFF wraps both halves.
    std::vector<uint8_t> ff(100000, 0xFF);
    uint32_t a = 1, b = 0;
    for (uint8_t v : ff) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(Adler32(ff.data(), ff.size()), (b << 16) | a);
}

// One red pixel: every byte of the file is known.
TEST(PngWriter, OnePixelExactBytes) {
    TPngImage img{1, 1, 3, {0xFF, 0x00, 0x00}};
    const std::vector<uint8_t> expected = {
        0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A,
        // IHDR: 1 x 1, depth 8, RGB; CRC 907753DE
        0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0, 1, 0, 0, 0, 1, 8, 2, 0, 0, 0, 0x90, 0x77, 0x53,
        0xDE,
        // IDAT: zlib header, one final stored block of 4 bytes (filter 0, R, G, B) and
        // Adler-32 0x03010100 (a = 1 + 255 = 256, b = 1 + 256 + 256 + 256 = 769)
        0, 0, 0, 15, 'I', 'D', 'A', 'T', 0x78, 0x01, 0x01, 0x04, 0x00, 0xFB, 0xFF, 0x00, 0xFF, 0x00,
        0x00, 0x03, 0x01, 0x01, 0x00, 0x8D, 0x1D, 0xE5, 0x82,
        // IEND; CRC AE426082
        0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    const std::vector<uint8_t> png = EncodePng(img);
    EXPECT_EQ(Adler32(png.data() + 48, 4), 0x03010100u);
    EXPECT_EQ(png, expected);
}

// Data longer than one stored block is split at 65535 bytes, the last block
// alone carries the final bit, and it all reads back.
TEST(PngWriter, StoredBlocks) {
    std::vector<uint8_t> data(65535 * 2 + 10);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7 + (i >> 9));
    const std::vector<uint8_t> z = ZlibStored(data);
    EXPECT_EQ(z.size(), 2 + 3 * 5 + data.size() + 4);
    EXPECT_EQ(z[2], 0);
    EXPECT_EQ(z[2 + 5 + 65535], 0);
    EXPECT_EQ(z[2 + 2 * (5 + 65535)], 1);
    EXPECT_EQ(InflateStored(z), data);
    // Nothing at all is one empty final block.
    const std::vector<uint8_t> empty = ZlibStored({});
    EXPECT_EQ(empty, (std::vector<uint8_t>{0x78, 0x01, 0x01, 0, 0, 0xFF, 0xFF, 0, 0, 0, 1}));
}

// A 300 x 90 RGBA image: header fields, one filter byte per row, pixels back.
TEST(PngWriter, ReadBack) {
    TPngImage img;
    img.width = 300;
    img.height = 90;
    img.channels = 4;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            img.pixels.insert(img.pixels.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                                 static_cast<uint8_t>(x ^ y), 200});
    const auto chunks = Chunks(EncodePng(img));
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(Big32(chunks[0].data, 0), 300u);
    EXPECT_EQ(Big32(chunks[0].data, 4), 90u);
    EXPECT_EQ(chunks[0].data[9], 6); // RGBA
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    const std::vector<uint8_t> raw = InflateStored(chunks[1].data);
    ASSERT_EQ(raw.size(), (300u * 4 + 1) * 90);
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 90; ++y) {
        EXPECT_EQ(raw[y * 1201], 0);
        pixels.insert(pixels.end(), raw.begin() + y * 1201 + 1, raw.begin() + (y + 1) * 1201);
    }
    EXPECT_EQ(pixels, img.pixels);

    EXPECT_THROW(EncodePng(TPngImage{0, 1, 3, {}}), std::invalid_argument);
    EXPECT_THROW(EncodePng(TPngImage{2, 1, 3, {1, 2, 3}}), std::invalid_argument);
    EXPECT_THROW(EncodePng(TPngImage{1, 1, 2, {1, 2}}), std::invalid_argument);
}
