// The combo box composite put together in memory, against the same cells
// drawn through GDI (element, transparent button, glyph, key-colour text
// area), for pictures of every colour depth.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "skin/draw/skin_draw.h"
#include "skin/model/combo_composite.h"

namespace {

constexpr int kCellW = 50, kCellH = 21;

// A picture of the given depth whose pixels cycle through a colour table
// that includes the key colour (palette depths), or through those colours
// directly (24 bits).
void Fill(TBitmap& b, TPixelFormat format, int w, int h, int seed) {
    const std::vector<uint32_t> colours = {0x00FF00FF, 0x00102030, 0x00F0E0D0, 0x00808080,
                                           0x0040C000, 0x000000FF, 0x00FFFFFF, 0x00336699};
    b.SetPixelFormat(format);
    b.SetSize(w, h);
    const int bits = PixelFormatBits(format);
    if (bits <= 8) {
        std::vector<uint32_t> table(size_t(1) << bits, 0);
        for (size_t i = 0; i < table.size(); ++i)
            table[i] = colours[i % colours.size()];
        b.SetColorTable(table);
    }
    const unsigned count = bits == 1 ? 2 : unsigned(colours.size());
    uint8_t* bits0 = b.ScanLine(0);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = bits0 + size_t(y) * b.Stride();
        for (int x = 0; x < w; ++x) {
            const unsigned i = unsigned(x * 7 + y * 3 + seed) % (x % 5 == 0 ? 1 : count);
            if (bits == 1) {
                row[x >> 3] = uint8_t((row[x >> 3] & ~(0x80 >> (x & 7))) | (i << (7 - (x & 7))));
            } else if (bits == 4) {
                const int shift = (x & 1) ? 0 : 4;
                row[x >> 1] = uint8_t((row[x >> 1] & ~(0xF << shift)) | (i << shift));
            } else if (bits == 8) {
                row[x] = uint8_t(i);
            } else {
                const uint32_t c = colours[i];
                row[3 * x] = uint8_t(c), row[3 * x + 1] = uint8_t(c >> 8);
                row[3 * x + 2] = uint8_t(c >> 16);
            }
        }
    }
}

// The cells drawn through GDI one after another into one 24-bit cell.
void DrawnThroughGdi(TBitmap& strip, int n, TDataSkinObject& edge, TDataSkinObject& button,
                     TBitmap& glyphs, int glyphCount, int b) {
    strip.SetPixelFormat(TPixelFormat::pf24bit);
    strip.SetSize(kCellW * n, kCellH);
    TBitmap cell(kCellW, kCellH, TPixelFormat::pf24bit);
    TBrushHandle key(CreateSolidBrush(kSkinKeyColor));
    const RECT whole{0, 0, kCellW, kCellH}, right{kCellW - b, 0, kCellW, kCellH};
    const RECT text{2, 2, kCellW - 1 - b, 18};
    for (int k = 1; k <= n; ++k) {
        // Each cell from an empty prepared-image cache, so that only the
        // drawing routines themselves are compared.
        ClearSkinDrawCache();
        HDC dc = cell.Canvas().Handle();
        DrawSkinElement(dc, whole, edge, k);
        DrawSkinElement(dc, right, button.Picture, false, button.TilesMiddle(), true,
                        button.FrameCount, k, button.Margins());
        DrawSkinGlyph(dc, right, glyphs, true, glyphCount, k);
        FillRect(dc, &text, key.Get());
        BitBlt(strip.Canvas().Handle(), kCellW * (k - 1), 0, kCellW, kCellH, dc, 0, 0, SRCCOPY);
    }
}

std::vector<uint8_t> Rows(const TBitmap& b) {
    const uint8_t* p = b.ScanLine(0);
    return std::vector<uint8_t>(p, p + size_t(b.Stride()) * b.Height());
}

} // namespace

TEST(ComboComposite, MatchesTheCellsDrawnThroughGdiForEveryDepth) {
    struct Case {
        TPixelFormat Edge, Button, Glyph;
        int EdgeTrans, EdgeTile, ButtonWidth;
    };
    const Case cases[] = {
        {TPixelFormat::pf8bit, TPixelFormat::pf8bit, TPixelFormat::pf4bit, 0, 0, 18},
        {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf1bit, 1, 0, 18},
        {TPixelFormat::pf24bit, TPixelFormat::pf24bit, TPixelFormat::pf8bit, 1, 1, 21},
        {TPixelFormat::pf4bit, TPixelFormat::pf8bit, TPixelFormat::pf24bit, 0, 1, 40},
    };
    int seed = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(seed);
        TDataSkinObject edge, button;
        Fill(edge.Picture, c.Edge, 4 * 14, 15, ++seed);
        edge.FrameCount = 4;
        edge.LeftWidth = edge.RightWidth = 2;
        edge.TopHeight = 3, edge.BottomHeight = 2;
        edge.Trans = c.EdgeTrans;
        edge.Tile = c.EdgeTile;
        Fill(button.Picture, c.Button, 4 * 11, 18, ++seed);
        button.FrameCount = 4;
        button.LeftWidth = button.RightWidth = button.TopHeight = button.BottomHeight = 3;
        TBitmap glyphs;
        Fill(glyphs, c.Glyph, 5 * 9, 25, ++seed); // taller than a cell: clipped

        TBitmap expected, composed;
        DrawnThroughGdi(expected, 4, edge, button, glyphs, 5, c.ButtonWidth);
        ComposeComboStrip(composed, 4, edge, button, &glyphs, 5, c.ButtonWidth);
        ASSERT_EQ(composed.Width(), expected.Width());
        ASSERT_EQ(composed.Height(), expected.Height());
        EXPECT_EQ(composed.PixelFormat(), TPixelFormat::pf24bit);
        EXPECT_TRUE(Rows(composed) == Rows(expected));
    }
    ClearSkinDrawCache();
}
