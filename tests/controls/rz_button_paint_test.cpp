// TRzBitBtn painting with the dialog's colours: hot-tracking frame, face
// gradient, hover and highlight rings, pressed and disabled looks, and the
// 75 x 25 glyph/caption layout.
#include "controls/colour.h"
#include "controls/rz_bitbtn.h"
#include "tests/controls/pixel_probe.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr TColor kFace = 0x00F0F4F4;
constexpr TColor kFrame = 0x00743C00;

std::vector<uint8_t> ReadFileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The dialog's OK button on a form of the system face colour.
struct DialogButton {
    TForm form{nullptr};
    TRzBitBtn* button;
    DialogButton() {
        form.SetColor(clBtnFace);
        form.SetBounds(100, 100, 200, 120);
        button = new TRzBitBtn(&form);
        button->SetParent(&form);
        button->SetBounds(10, 10, 75, 25);
        button->SetCaption(L"确定");
        button->SetFrameColor(kFrame);
        button->SetColor(kFace);
        button->SetHotTrack(true);
        button->SetThemeAware(false);
        button->Font().SetName(L"宋体");
        button->Font().SetHeight(-15);
        button->Font().SetColor(clBlack);
        const std::vector<uint8_t> bmp =
            ReadFileBytes(LT_SOURCE_DIR "/resources/glyphs/dialog_ok.bmp");
        button->SetGlyphBytes(bmp.data(), bmp.size());
    }
    // Paints the button's face (no erase) into a white 75 x 25 bitmap.
    void Paint(TBitmap& bmp) {
        bmp.SetSize(75, 25);
        FillSurface(bmp, clWhite);
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp.Canvas().Handle()), 0);
    }
};

// Colour of row j (0 = bottom) of a vertical gradient `height` rows high from
// colour a (bottom) towards b, as 0x00BBGGRR: per channel a * 65536 plus j
// increments of (b - a) * 65536 / height (truncated), integer part.
uint32_t GradientRow(TColor from, TColor to, int height, int j) {
    const uint32_t a = ColorToRGB(from), b = ColorToRGB(to);
    uint32_t out = 0;
    for (int i = 0; i < 3; ++i) {
        const int ca = (a >> (8 * i)) & 0xFF, cb = (b >> (8 * i)) & 0xFF;
        const int step = (cb - ca) * 65536 / height;
        out |= static_cast<uint32_t>((ca * 65536 + j * step) >> 16) << (8 * i);
    }
    return out;
}

// Row colour of the face gradient (rows 2..20, 19 high).
uint32_t FaceRow(int y) {
    return GradientRow(DarkenColor(kFace, 10), LightenColor(kFace, 30), 19, 20 - y);
}

} // namespace

TEST(RzButtonPaint, HotTrackingFrameAndFaceAtRest) {
    DialogButton d;
    TBitmap bmp;
    d.Paint(bmp);
    const uint32_t p = ColorToRGB(clBtnFace);
    const uint32_t dark = ColorToRGB(DarkenColor(static_cast<TColor>(p), 20));
    const uint32_t light = ColorToRGB(LightenColor(static_cast<TColor>(p), 20));
    const uint32_t frame = 0x743C00;
    // Outer frame from the parent's colour; the outermost corners stay untouched.
    EXPECT_EQ(PixelAt(bmp, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(bmp, 0, 1), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(bmp, 74, 24), 0xFFFFFFu);
    for (int y = 2; y <= 22; ++y) {
        EXPECT_EQ(PixelAt(bmp, 0, y), dark) << y;
        EXPECT_EQ(PixelAt(bmp, 74, y), light) << y;
    }
    for (int x = 2; x <= 72; ++x) {
        EXPECT_EQ(PixelAt(bmp, x, 0), dark) << x;
        EXPECT_EQ(PixelAt(bmp, x, 24), light) << x;
    }
    EXPECT_EQ(PixelAt(bmp, 1, 1), dark);
    EXPECT_EQ(PixelAt(bmp, 73, 1), dark);
    EXPECT_EQ(PixelAt(bmp, 1, 23), dark);
    EXPECT_EQ(PixelAt(bmp, 73, 23), light);
    // The FrameColor ring inside it, without its corners.
    for (int y = 2; y <= 22; ++y) {
        EXPECT_EQ(PixelAt(bmp, 1, y), frame) << y;
        EXPECT_EQ(PixelAt(bmp, 73, y), frame) << y;
    }
    for (int x = 2; x <= 72; ++x) {
        EXPECT_EQ(PixelAt(bmp, x, 1), frame) << x;
        EXPECT_EQ(PixelAt(bmp, x, 23), frame) << x;
    }
    // Face: two shadow rows, then the gradient from darker (bottom) to lighter.
    EXPECT_EQ(PixelAt(bmp, 2, 21), 0xD8E2E2u);
    EXPECT_EQ(PixelAt(bmp, 72, 21), 0xD8E2E2u);
    EXPECT_EQ(PixelAt(bmp, 2, 22), 0xCBD9D9u);
    EXPECT_EQ(PixelAt(bmp, 2, 20), 0xE4EBEBu);
    EXPECT_EQ(PixelAt(bmp, 2, 2), 0xFDFDFDu);
    for (int y = 2; y <= 20; ++y) {
        EXPECT_EQ(PixelAt(bmp, 2, y), FaceRow(y)) << y;
        EXPECT_EQ(PixelAt(bmp, 72, y), FaceRow(y)) << y;
    }
}

TEST(RzButtonPaint, GlyphAndCaptionLayout) {
    DialogButton d;
    EXPECT_EQ(d.button->NumGlyphs(), 2);
    const RECT g = d.button->GlyphRect();
    EXPECT_EQ(g.left, 7);
    EXPECT_EQ(g.top, 5);
    EXPECT_EQ(g.right, 23);
    EXPECT_EQ(g.bottom, 21);
    const RECT t = d.button->TextRect();
    EXPECT_EQ(t.left, 27);
    EXPECT_EQ(t.top, 5);
    EXPECT_EQ(t.right, 70);
    EXPECT_EQ(t.bottom, 20);
    TBitmap bmp;
    d.Paint(bmp);
    // Glyph pixels at (7 + gx, 5 + gy): the tick's outline and highlight, and
    // the face showing through the transparent background.
    EXPECT_EQ(PixelAt(bmp, 7 + 12, 5 + 2), 0x006600u); // dark outline
    EXPECT_EQ(PixelAt(bmp, 7 + 12, 5 + 3), 0x00CC00u); // light
    EXPECT_EQ(PixelAt(bmp, 7 + 13, 5 + 4), 0x009900u); // mid
    EXPECT_EQ(PixelAt(bmp, 7 + 0, 5 + 0), FaceRow(5));
    EXPECT_EQ(PixelAt(bmp, 7 + 15, 5 + 15), FaceRow(20));
    // Caption ink lies inside the caption rectangle only.
    int inkLeft = 99, inkRight = -1, inkTop = 99, inkBottom = -1;
    for (int y = 2; y < 21; ++y)
        for (int x = 2; x < 73; ++x) {
            const uint32_t c = PixelAt(bmp, x, y);
            const int sum = (c & 0xFF) + ((c >> 8) & 0xFF) + (c >> 16);
            const bool green = (c >> 8 & 0xFF) > (c & 0xFF) + 40;
            if (sum < 500 && !green) { // smoothed text is lighter than its colour
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        }
    ASSERT_GE(inkRight, 0) << "no caption drawn";
    EXPECT_GE(inkLeft, 27);
    EXPECT_LT(inkRight, 70);
    EXPECT_GE(inkTop, 5);
    EXPECT_LE(inkBottom, 20);
    // Centred in 27..70: equal room left and right within a pixel or two.
    EXPECT_LE(std::abs((inkLeft - 27) - (69 - inkRight)), 3);
}

TEST(RzButtonPaint, HoverRingPressedAndDisabled) {
    DialogButton d;
    TBitmap bmp;
    d.button->Perform(CM_MOUSEENTER);
    ASSERT_TRUE(d.button->MouseOver());
    d.Paint(bmp);
    // Ring on (2,2)-(73,23), 21 rows, from the hot-track colour at the bottom
    // towards white mixed with it at the top.
    const TColor hot = 0x00149BF0, pale = MixColors(clWhite, hot, 190);
    auto ring = [&](int y) { return GradientRow(hot, pale, 21, 22 - y); };
    EXPECT_EQ(PixelAt(bmp, 2, 22), 0x149BF0u);
    EXPECT_EQ(PixelAt(bmp, 40, 22), 0x149BF0u);
    EXPECT_EQ(PixelAt(bmp, 2, 12), ring(12));
    EXPECT_EQ(PixelAt(bmp, 3, 12), ring(12));
    EXPECT_EQ(PixelAt(bmp, 72, 12), ring(12));
    EXPECT_EQ(PixelAt(bmp, 2, 2), ring(2));
    EXPECT_EQ(PixelAt(bmp, 40, 3), ring(3));
    EXPECT_NE(ring(12), FaceRow(12));
    // Inside the ring the plain face stays (gradient rows at x = 4).
    EXPECT_EQ(PixelAt(bmp, 4, 10), FaceRow(10));
    EXPECT_EQ(PixelAt(bmp, 4, 20), FaceRow(20));
    EXPECT_EQ(PixelAt(bmp, 4, 21), ring(21)); // the ring covers the shadow rows
    EXPECT_NE(ring(21), ColorToRGB(DarkenColor(kFace, 20)));
    d.button->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(d.button->MouseOver());

    // Pressed: the face is one flat darker colour.
    d.button->Perform(WM_KEYDOWN, VK_SPACE, 0);
    d.Paint(bmp);
    EXPECT_EQ(PixelAt(bmp, 2, 2), 0xE4EBEBu);
    EXPECT_EQ(PixelAt(bmp, 72, 22), 0xE4EBEBu);
    EXPECT_EQ(PixelAt(bmp, 2, 12), 0xE4EBEBu);
    d.button->Perform(WM_KILLFOCUS, 0, 0);

    // Disabled: no outer frame, a computed frame, a flat face, the grey image.
    d.button->SetEnabled(false);
    EXPECT_EQ(d.button->GlyphIndex(), 1);
    d.Paint(bmp);
    const uint32_t frame = ColorToRGB(DarkenColor(kFace, 80));
    EXPECT_EQ(frame, 0x8EACACu);
    EXPECT_EQ(PixelAt(bmp, 0, 12), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(bmp, 1, 12), frame);
    EXPECT_EQ(PixelAt(bmp, 40, 1), frame);
    EXPECT_EQ(PixelAt(bmp, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(bmp, 3, 3), 0xF0F4F4u);
    EXPECT_EQ(PixelAt(bmp, 7 + 12, 5 + 2), 0x808080u); // grey copy of the tick
}

TEST(RzButtonPaint, FocusedButtonShowsHighlightRingAndDottedFrame) {
    DialogButton d;
    d.form.Show();
    d.button->SetFocus();
    ASSERT_TRUE(d.button->Focused());
    TBitmap bmp;
    d.Paint(bmp);
    const TColor l = LightenColor(kFace, 30);
    TColor h = clHighlight;
    if (ColorsNear(h, clBtnFace))
        h = DarkenColor(h, 30);
    // The highlight ring: a gradient over the face rectangle (2,2)-(73,23),
    // 21 rows, from A at the bottom towards B, kept to the two-pixel edge.
    const TColor a = MixColors(h, l, 160), b = MixColors(h, l, 60);
    ASSERT_NE(ColorToRGB(a), ColorToRGB(b));
    auto ring = [&](int y) { return GradientRow(a, b, 21, 22 - y); };
    EXPECT_EQ(PixelAt(bmp, 2, 22), ColorToRGB(a));
    EXPECT_EQ(PixelAt(bmp, 41, 22), ColorToRGB(a));
    EXPECT_EQ(PixelAt(bmp, 41, 21), ring(21)); // over the face's shadow row
    EXPECT_NE(ring(21), ColorToRGB(DarkenColor(kFace, 20)));
    EXPECT_EQ(PixelAt(bmp, 41, 2), ring(2));
    EXPECT_EQ(PixelAt(bmp, 41, 3), ring(3));
    EXPECT_EQ(PixelAt(bmp, 2, 12), ring(12));
    EXPECT_EQ(PixelAt(bmp, 72, 12), ring(12));
    EXPECT_EQ(PixelAt(bmp, 3, 13), ring(13));
    // Inside the ring the plain face stays.
    EXPECT_EQ(PixelAt(bmp, 4, 13), FaceRow(13));
    EXPECT_EQ(PixelAt(bmp, 70, 20), FaceRow(20));
    // The dotted frame on (3,3)-(72,22): every second pixel from one past the
    // start, over the ring where they meet.
    EXPECT_EQ(PixelAt(bmp, 4, 3), 0x000000u);
    EXPECT_EQ(PixelAt(bmp, 6, 3), 0x000000u);
    EXPECT_EQ(PixelAt(bmp, 5, 3), ring(3));
    EXPECT_EQ(PixelAt(bmp, 3, 4), 0x000000u);
    EXPECT_EQ(PixelAt(bmp, 71, 4), 0x000000u);
    EXPECT_EQ(PixelAt(bmp, 40, 21), 0x000000u); // the bottom edge of the frame
    EXPECT_EQ(PixelAt(bmp, 3, 12), 0x000000u);
    EXPECT_EQ(PixelAt(bmp, 70, 21), 0x000000u);
    EXPECT_EQ(PixelAt(bmp, 71, 21), ring(21)); // the frame's last pixel is left out
}

TEST(RzButtonPaint, LatchedButtonShowsTheDownPattern) {
    TForm form(nullptr);
    auto* button = new TRzButton(&form);
    button->SetParent(&form);
    button->SetThemeAware(false);
    button->SetGroupIndex(1);
    button->SetColor(0x00E0E0E0);
    button->SetDown(true);
    ASSERT_EQ(button->State(), bsExclusive);
    TBitmap bmp(75, 25);
    FillSurface(bmp, clWhite);
    button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp.Canvas().Handle()), 0);
    // Pixels whose row and column have the same parity are silver, the others the colour.
    EXPECT_EQ(PixelAt(bmp, 10, 10), 0xC0C0C0u);
    EXPECT_EQ(PixelAt(bmp, 11, 10), 0xE0E0E0u);
    EXPECT_EQ(PixelAt(bmp, 11, 11), 0xC0C0C0u);
    EXPECT_EQ(PixelAt(bmp, 30, 13), 0xE0E0E0u);
    // Without the pattern the face is plain.
    button->SetShowDownPattern(false);
    button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp.Canvas().Handle()), 0);
    EXPECT_EQ(PixelAt(bmp, 10, 10), 0xE0E0E0u);
    // A silver button gets a grey pattern.
    button->SetShowDownPattern(true);
    button->SetColor(0x00C0C0C0);
    button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp.Canvas().Handle()), 0);
    EXPECT_EQ(PixelAt(bmp, 10, 10), 0x808080u);
    EXPECT_EQ(PixelAt(bmp, 11, 10), 0xC0C0C0u);

    // A hundred paints make a pattern bitmap, its memory DC and brush each
    // time, in counted handles, and leave nothing behind.
    const int live = GdiLiveTotal();
    const int64_t bitmaps = GdiCreatedCount(TGdiKind::Bitmap);
    const int64_t memoryDCs = GdiCreatedCount(TGdiKind::MemoryDC);
    for (int i = 0; i < 100; ++i)
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp.Canvas().Handle()), 0);
    EXPECT_EQ(GdiLiveTotal(), live);
    EXPECT_GE(GdiCreatedCount(TGdiKind::Bitmap) - bitmaps, 100);
    EXPECT_GE(GdiCreatedCount(TGdiKind::MemoryDC) - memoryDCs, 100);
    EXPECT_EQ(PixelAt(bmp, 10, 10), 0x808080u);
}
