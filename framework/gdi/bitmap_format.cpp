// DIB section creation and default palettes.
#include "framework/gdi/bitmap_format.h"

#include <memory>

// Default colour tables; see the header.
std::vector<uint32_t> DefaultPalette(int bits) {
    static const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                     0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                     0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    switch (bits) {
    case 1:
        return {0x000000, 0xFFFFFF};
    case 4:
        return std::vector<uint32_t>(vga, vga + 16);
    case 8: {
        std::vector<uint32_t> p(vga, vga + 16);
        for (int r = 0; r < 6; ++r) {
            for (int g = 0; g < 6; ++g) {
                for (int b = 0; b < 6; ++b) {
                    p.push_back((r * 51u) << 16 | (g * 51u) << 8 | (b * 51u));
                }
            }
        }
        for (uint32_t i = 0; p.size() < 256; ++i) {
            const uint32_t v = 8 + i * 10;
            p.push_back(v << 16 | v << 8 | v);
        }
        return p;
    }
    default:
        return {};
    }
}

// Creates a top-down DIB section; see the header.
HBITMAP CreateTopDownDib(int width, int height, int bits, const std::vector<uint32_t>& palette,
                         uint8_t** pixels) {
    *pixels = nullptr;
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    const int colours = bits <= 8 ? (1 << bits) : 0;
    auto info = std::make_unique<uint8_t[]>(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.get());
    *bi = BITMAPINFO{};
    bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi->bmiHeader.biWidth = width;
    bi->bmiHeader.biHeight = -height;
    bi->bmiHeader.biPlanes = 1;
    bi->bmiHeader.biBitCount = static_cast<WORD>(bits);
    bi->bmiHeader.biCompression = BI_RGB;
    bi->bmiHeader.biClrUsed = static_cast<DWORD>(colours);
    auto* table = reinterpret_cast<uint32_t*>(info.get() + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < colours; ++i) {
        table[i] = i < static_cast<int>(palette.size()) ? (palette[i] & 0xFFFFFF) : 0;
    }
    void* p = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (bmp) {
        *pixels = static_cast<uint8_t*>(p);
    }
    return bmp;
}
