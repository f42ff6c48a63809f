// Portable BMP reader and writer (no Windows headers): turns the bytes of a
// .bmp file into rows of pixels and back. Used by TBitmap and fuzzed on the
// host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A decoded picture. Rows are stored top-down, each padded to a multiple of
// four bytes, in the layout of a Windows DIB of the same bit count:
// 1, 4 and 8 bits are palette indices (most significant bits first), 24 bits
// are B, G, R and 32 bits are B, G, R, X.
struct TBmpImage {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;          // 1, 4, 8, 24 or 32
    std::vector<uint32_t> Palette; // 0x00RRGGBB; 2^bits entries for 1/4/8 bits
    std::vector<uint8_t> Pixels;   // Stride() * Height bytes

    // Bytes per stored row.
    size_t Stride() const { return RowStride(Width, BitsPerPixel); }
    // Bytes per row of a DIB with this width and bit count (4-byte aligned).
    static size_t RowStride(int width, int bitsPerPixel) {
        return ((static_cast<size_t>(width) * bitsPerPixel + 31) / 32) * 4;
    }
    bool Empty() const { return Width <= 0 || Height <= 0; }
};

// Largest picture the decoder accepts (side and pixel count); anything bigger
// is treated as malformed rather than allocated.
constexpr int kBmpMaxSide = 32767;
constexpr int64_t kBmpMaxPixels = int64_t{1} << 24;

// Decodes a whole .bmp file (file header included). On failure returns false,
// leaves `out` empty and puts a short English reason in `error`.
bool DecodeBmp(const uint8_t* data, size_t size, TBmpImage& out, std::string& error);

// Decodes a packed DIB as stored in program resources: info header, palette
// and pixels without the 14-byte file header.
bool DecodeDib(const uint8_t* data, size_t size, TBmpImage& out, std::string& error);

// Encodes an image as an uncompressed bottom-up .bmp file with a 40-byte info
// header (and a palette for 1, 4 and 8 bits). Returns an empty vector when the
// image is empty or inconsistent.
std::vector<uint8_t> EncodeBmp(const TBmpImage& image);
