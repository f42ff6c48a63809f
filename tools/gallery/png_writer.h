// A small PNG encoder: 8-bit RGB or RGBA images, compressed with stored
// (uncompressed) deflate blocks inside a zlib stream. Portable: no Windows
// header, no library; what the gallery's screenshots are written with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// CRC-32 (ISO 3309, as PNG chunks use it) of `size` bytes, continuing from
// `crc` (0 for a fresh sum).
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
// Adler-32 of `size` bytes, continuing from `adler` (1 for a fresh sum).
uint32_t Adler32(const uint8_t* data, size_t size, uint32_t adler = 1);

// A zlib stream of stored deflate blocks (at most 65535 bytes each) holding
// `data` unchanged.
std::vector<uint8_t> ZlibStored(const std::vector<uint8_t>& data);

// An image to encode: rows top to bottom, each `width * channels` bytes of
// R, G, B (and A when channels is 4).
struct TPngImage {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<uint8_t> pixels;
};

// The complete PNG file of the image (signature, IHDR, one IDAT, IEND); every
// row uses filter type 0. Throws std::invalid_argument on a size that does
// not match the pixel bytes or on 0 or > 65535 rows or columns.
std::vector<uint8_t> EncodePng(const TPngImage& image);
