// The combo box composite, put together in memory: the stretched frames come
// from the drawing utilities, the transparent copies, the text area and the
// cells are plain pixel copies (the same pixels a key-mask copy gives).
#include "skin/model/combo_composite.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/draw/skin_draw.h"

namespace {

constexpr int kCellW = 50;
constexpr int kCellH = 21;

// One cell's 24-bit pixels, rows top-down.
struct TCell {
    std::vector<uint8_t> Pixels = std::vector<uint8_t>(size_t(kCellW) * kCellH * 3, 0);
    uint8_t* At(int x, int y) { return Pixels.data() + (size_t(y) * kCellW + x) * 3; }
};

struct TKey {
    uint8_t B, G, R;
};

// Copies the w x h part at (sx, 0) of a 32-bit image to (x, y) of the cell,
// clipped to both; when trans, pixels of the key colour are left out.
void PutPixels(TCell& cell, int x, int y, const TBitmap& image, int sx, int w, int h, bool trans,
               TKey key) {
    // One flush of pending drawing, then rows by address.
    const uint8_t* bits = image.ScanLine(0);
    for (int row = 0; row < h; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= kCellH || row >= image.Height())
            continue;
        const uint8_t* src = bits + size_t(row) * image.Stride();
        for (int col = 0; col < w; ++col) {
            const int tx = x + col, ix = sx + col;
            if (tx < 0 || tx >= kCellW || ix < 0 || ix >= image.Width())
                continue;
            const uint8_t* p = src + 4 * ix;
            if (trans && p[0] == key.B && p[1] == key.G && p[2] == key.R)
                continue;
            std::memcpy(cell.At(tx, ty), p, 3);
        }
    }
}

// A whole 32-bit image at (x, y).
void PutImage(TCell& cell, int x, int y, const TBitmap& image, bool trans, TKey key) {
    if (!image.Empty())
        PutPixels(cell, x, y, image, 0, image.Width(), image.Height(), trans, key);
}

// The key colour over the rectangle (nothing when it has no area).
void FillKey(TCell& cell, const RECT& r, TKey key) {
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, kCellH); ++y)
        for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, kCellW); ++x) {
            uint8_t* p = cell.At(x, y);
            p[0] = key.B;
            p[1] = key.G;
            p[2] = key.R;
        }
}

// Glyph k centred in the rectangle at its own size, as the glyph routine
// places it; `glyphs32` is the glyph strip as a 32-bit picture.
void PutGlyph(TCell& cell, const RECT& r, const TBitmap& glyphs32, int n, int k, TKey key) {
    if (glyphs32.Empty() || !IsSkinFrameIndex(n, k))
        return;
    const TSkinFrameBox f = LocateSkinFrame(glyphs32, false, n, k);
    if (f.Width <= 0 || f.Height <= 0)
        return;
    const int x = r.left + (r.right - r.left - f.Width) / 2;
    const int y = r.top + (r.bottom - r.top - f.Height) / 2;
    PutPixels(cell, x, y, glyphs32, f.X0, f.Width, f.Height, true, key);
}

// Colour index x of a row of 1-, 4- or 8-bit pixels (leftmost in the high bits).
unsigned IndexAt(const uint8_t* row, int x, int bits) {
    switch (bits) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;
    default:
        return row[x];
    }
}

// A 32-bit copy of a picture, palette indices mapped through its colour
// table as a blit maps them (the fourth byte zero).
void Copy32(TBitmap& target, const TBitmap& source) {
    target.SetPixelFormat(TPixelFormat::pf32bit);
    target.SetSize(source.Width(), source.Height());
    if (source.Empty())
        return;
    const int bits = PixelFormatBits(source.PixelFormat());
    const std::vector<uint32_t>& palette = source.ColorTable();
    const uint8_t* from = source.ScanLine(0);
    uint8_t* to = target.ScanLine(0);
    for (int y = 0; y < source.Height(); ++y) {
        const uint8_t* in = from + size_t(y) * source.Stride();
        uint8_t* out = to + size_t(y) * target.Stride();
        for (int x = 0; x < source.Width(); ++x, out += 4) {
            if (bits >= 24) {
                std::memcpy(out, in + x * (bits / 8), 3);
            } else {
                const unsigned i = IndexAt(in, x, bits);
                const uint32_t c = i < palette.size() ? palette[i] : 0; // 0x00RRGGBB
                out[0] = uint8_t(c), out[1] = uint8_t(c >> 8), out[2] = uint8_t(c >> 16);
            }
            out[3] = 0;
        }
    }
}

} // namespace

void ComposeComboStrip(TBitmap& strip, int cells, TDataSkinObject& edge, TDataSkinObject& button,
                       TBitmap* glyphs, int glyphCount, int buttonWidth) {
    const COLORREF rgb = ColorToRGB(kSkinKeyColor);
    const TKey key{GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
    strip.SetPixelFormat(TPixelFormat::pf24bit);
    strip.SetSize(kCellW * (cells > 0 ? cells : 0), kCellH);
    // 32-bit copies: stretched pieces are filtered straight from them, where
    // a palette picture would need a temporary copy of every piece.
    TBitmap edge32, button32, glyphs32;
    Copy32(edge32, edge.Picture);
    Copy32(button32, button.Picture);
    if (glyphs)
        Copy32(glyphs32, *glyphs);
    const RECT whole{0, 0, kCellW, kCellH};
    const RECT right{kCellW - buttonWidth, 0, kCellW, kCellH};
    const RECT text{2, 2, kCellW - 1 - buttonWidth, 18};
    TCell cell;
    uint8_t* const stripBits = strip.ScanLine(0);
    std::unique_ptr<TBitmap> frame, face; // one of each for every cell
    for (int k = 1; k <= cells; ++k) {
        StretchSkinFrame(frame, whole, edge32, edge.Margins(), false, edge.TilesMiddle(),
                         edge.FrameCount, k);
        if (frame)
            PutImage(cell, 0, 0, *frame, edge.Trans != 0, key);
        StretchSkinFrame(face, right, button32, button.Margins(), false, button.TilesMiddle(),
                         button.FrameCount, k);
        if (face)
            PutImage(cell, right.left, 0, *face, true, key);
        PutGlyph(cell, right, glyphs32, glyphCount, k, key);
        FillKey(cell, text, key);
        for (int y = 0; y < kCellH; ++y)
            std::memcpy(stripBits + size_t(y) * strip.Stride() + size_t(kCellW) * 3 * (k - 1),
                        cell.At(0, y), size_t(kCellW) * 3);
    }
}
