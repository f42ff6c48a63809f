// BMP decoder and encoder: exact pixels for every supported layout, and a
// clean refusal of malformed files.
#include "framework/gdi/bmp_codec.h"
#include "tests/framework/gdi/bmp_builder.h"

#include <gtest/gtest.h>

namespace {

TBmpImage Decode(const std::vector<uint8_t>& bytes) {
    TBmpImage img;
    std::string error;
    EXPECT_TRUE(DecodeBmp(bytes.data(), bytes.size(), img, error)) << error;
    return img;
}

// Expects a refusal with a reason and an empty result.
void ExpectRejected(const std::vector<uint8_t>& bytes, const char* what) {
    TBmpImage img;
    img.Width = 7; // must be cleared
    std::string error;
    EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), img, error)) << what;
    EXPECT_FALSE(error.empty()) << what;
    EXPECT_TRUE(img.Empty()) << what;
    EXPECT_TRUE(img.Pixels.empty()) << what;
}

} // namespace

TEST(BmpCodec, Decodes24BitBottomUpAndTopDownRows) {
    BmpBuilder b;
    b.Width = 3;
    b.Height = 2;
    // File rows bottom-up, 9 bytes of pixels + 3 padding each.
    b.Pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0};
    TBmpImage img = Decode(b.Build());
    ASSERT_EQ(img.Width, 3);
    ASSERT_EQ(img.Height, 2);
    EXPECT_EQ(img.BitsPerPixel, 24);
    EXPECT_EQ(img.Stride(), 12u);
    // Top row of the image is the last row in the file.
    EXPECT_EQ(img.Pixels[0], 10);
    EXPECT_EQ(img.Pixels[8], 18);
    EXPECT_EQ(img.Pixels[12], 1);
    EXPECT_EQ(img.Pixels[20], 9);

    b.Height = -2; // the same bytes, stored top-down
    img = Decode(b.Build());
    EXPECT_EQ(img.Height, 2);
    EXPECT_EQ(img.Pixels[0], 1);
    EXPECT_EQ(img.Pixels[12], 10);
}

TEST(BmpCodec, DecodesPaletteFormats) {
    BmpBuilder b;
    b.Width = 10;
    b.Height = 1;
    b.Bits = 1;
    b.Palette = {0x112233, 0x445566};
    b.Pixels = {0xA5, 0xC0, 0, 0}; // 1010 0101 11
    TBmpImage img = Decode(b.Build());
    EXPECT_EQ(img.BitsPerPixel, 1);
    ASSERT_EQ(img.Palette.size(), 2u);
    EXPECT_EQ(img.Palette[0], 0x112233u);
    EXPECT_EQ(img.Palette[1], 0x445566u);
    EXPECT_EQ(img.Pixels[0], 0xA5);
    EXPECT_EQ(img.Pixels[1], 0xC0);

    // 4 bits with only three colours listed: the table is padded to 16 with black.
    b.Bits = 4;
    b.Width = 3;
    b.ClrUsed = 3;
    b.Palette = {0xFF0000, 0x00FF00, 0x0000FF};
    b.Pixels = {0x12, 0x00, 0, 0};
    img = Decode(b.Build());
    ASSERT_EQ(img.Palette.size(), 16u);
    EXPECT_EQ(img.Palette[2], 0x0000FFu);
    EXPECT_EQ(img.Palette[3], 0u);
    EXPECT_EQ(img.Pixels[0], 0x12);

    // 8 bits with the old 12-byte header and three-byte palette entries.
    BmpBuilder c;
    c.HeaderSize = 12;
    c.Width = 2;
    c.Height = 1;
    c.Bits = 8;
    c.Palette.assign(256, 0);
    c.Palette[7] = 0xABCDEF;
    c.Pixels = {7, 0, 0, 0};
    img = Decode(c.Build());
    EXPECT_EQ(img.BitsPerPixel, 8);
    EXPECT_EQ(img.Palette[7], 0xABCDEFu);
    EXPECT_EQ(img.Pixels[0], 7);
}

TEST(BmpCodec, Converts16BitAndBitFieldsTo24Or32Bits) {
    BmpBuilder b;
    b.Width = 2;
    b.Height = 1;
    b.Bits = 16; // 5-5-5: pure red, then white
    b.Pixels = {0x00, 0x7C, 0xFF, 0x7F};
    TBmpImage img = Decode(b.Build());
    EXPECT_EQ(img.BitsPerPixel, 24);
    const std::vector<uint8_t> want555 = {0, 0, 255, 255, 255, 255};
    EXPECT_EQ(std::vector<uint8_t>(img.Pixels.begin(), img.Pixels.begin() + 6), want555);

    b.Compression = 3; // 5-6-5 through masks after the header
    b.Masks = {0xF800, 0x07E0, 0x001F};
    b.Pixels = {0xE0, 0x07, 0x1F, 0x00}; // pure green, pure blue
    img = Decode(b.Build());
    const std::vector<uint8_t> want565 = {0, 255, 0, 255, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(img.Pixels.begin(), img.Pixels.begin() + 6), want565);

    BmpBuilder c; // 32 bits, channels in unusual places
    c.Width = 1;
    c.Height = 1;
    c.Bits = 32;
    c.Compression = 3;
    c.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000}; // R in the lowest byte
    c.Pixels = {0x11, 0x22, 0x33, 0x00};
    img = Decode(c.Build());
    EXPECT_EQ(img.BitsPerPixel, 32);
    EXPECT_EQ(img.Pixels[0], 0x33); // blue
    EXPECT_EQ(img.Pixels[1], 0x22);
    EXPECT_EQ(img.Pixels[2], 0x11); // red

    c.Masks = {0x00FF00FF, 0x0000FF00, 0x000000FF}; // red mask with a gap
    ExpectRejected(c.Build(), "non-contiguous mask");
}

TEST(BmpCodec, ExpandsRunLengthData) {
    BmpBuilder b;
    b.Width = 4;
    b.Height = 3;
    b.Bits = 8;
    b.Compression = 1;
    b.Palette.assign(256, 0);
    // Bottom row: a run of three 5s, end of line; middle row: an absolute
    // run 1 2 3 (padded to a word); then a delta of (1, 1) moves to x = 4 of
    // the top row, outside the 4-pixel row, so the following run of 9s is
    // dropped; end of bitmap.
    b.Pixels = {3, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 2, 1, 1, 2, 9, 0, 1};
    TBmpImage img = Decode(b.Build());
    ASSERT_EQ(img.BitsPerPixel, 8);
    const size_t s = img.Stride();
    const std::vector<uint8_t> want = {0, 0, 0, 0, 1, 2, 3, 0, 5, 5, 5, 0};
    EXPECT_EQ(img.Pixels, want);

    b.Pixels = {0, 2, 0, 1, 2, 9, 0, 1}; // delta (0, 1): second row from the bottom
    img = Decode(b.Build());
    EXPECT_EQ(img.Pixels[1 * s + 0], 9);
    EXPECT_EQ(img.Pixels[1 * s + 1], 9);
    EXPECT_EQ(img.Pixels[2 * s + 0], 0);

    BmpBuilder r4; // RLE4: run of 5 alternating 0xA, 0xB; absolute 3 nibbles 1 2 3
    r4.Width = 8;
    r4.Height = 1;
    r4.Bits = 4;
    r4.Compression = 2;
    r4.Palette.assign(16, 0);
    r4.Pixels = {5, 0xAB, 0, 3, 0x12, 0x30, 0, 1};
    img = Decode(r4.Build());
    EXPECT_EQ(img.Pixels[0], 0xAB);
    EXPECT_EQ(img.Pixels[1], 0xAB);
    EXPECT_EQ(img.Pixels[2], 0xA1);
    EXPECT_EQ(img.Pixels[3], 0x23);

    r4.Pixels = {5, 0xAB, 0, 0}; // no end-of-bitmap marker
    ExpectRejected(r4.Build(), "RLE without end");
    r4.Pixels = {0, 9, 0x12}; // absolute run cut short
    ExpectRejected(r4.Build(), "RLE absolute run truncated");
    r4.Height = -1;
    r4.Pixels = {0, 1};
    ExpectRejected(r4.Build(), "top-down RLE");
}

TEST(BmpCodec, RejectsMalformedFiles) {
    BmpBuilder ok;
    ok.Width = 2;
    ok.Height = 2;
    ok.Pixels.assign(16, 0);
    ASSERT_FALSE(Decode(ok.Build()).Empty());

    std::vector<uint8_t> bytes = ok.Build();
    bytes.pop_back();
    ExpectRejected(bytes, "truncated pixels");
    ExpectRejected(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20), "truncated header");
    bytes = ok.Build();
    bytes[0] = 'X';
    ExpectRejected(bytes, "bad signature");
    ExpectRejected({}, "empty input");

    BmpBuilder b = ok;
    b.Width = 100000;
    ExpectRejected(b.Build(), "huge width");
    b = ok;
    b.Width = 30000;
    b.Height = 30000; // each side allowed, the product is not
    ExpectRejected(b.Build(), "huge area");
    b = ok;
    b.Height = INT32_MIN; // negating it would overflow
    ExpectRejected(b.Build(), "minimum height");
    b = ok;
    b.Width = -2;
    ExpectRejected(b.Build(), "negative width");
    b = ok;
    b.Width = 0;
    ExpectRejected(b.Build(), "zero width");
    b = ok;
    b.Planes = 2;
    ExpectRejected(b.Build(), "two planes");
    b = ok;
    b.Bits = 7;
    ExpectRejected(b.Build(), "seven bits");
    b = ok;
    b.Compression = 4; // embedded JPEG
    ExpectRejected(b.Build(), "jpeg");
    b = ok;
    b.Bits = 8;
    b.Palette.assign(10, 0); // 256 colours declared, 10 present, no pixels
    b.Pixels.clear();
    ExpectRejected(b.Build(), "palette overrun");
    b = ok;
    b.OffBitsOverride = 1 << 30;
    ExpectRejected(b.Build(), "offset past the end");
    b = ok;
    b.HeaderSize = 20;
    ExpectRejected(b.Build(), "unknown header size");
    bytes = ok.Build();
    bytes[14 + 3] = 0x7F; // header size 0x7F000028
    ExpectRejected(bytes, "header size past the end");
}

TEST(BmpCodec, EncodesWhatItDecodes) {
    for (int bits : {1, 4, 8, 24, 32}) {
        TBmpImage img;
        img.Width = 5;
        img.Height = 3;
        img.BitsPerPixel = bits;
        if (bits <= 8) {
            img.Palette.resize(size_t{1} << bits);
            for (size_t i = 0; i < img.Palette.size(); ++i) {
                img.Palette[i] = uint32_t(i * 0x010203) & 0xFFFFFF;
            }
        }
        img.Pixels.resize(img.Stride() * img.Height);
        for (size_t i = 0; i < img.Pixels.size(); ++i) {
            img.Pixels[i] = uint8_t(i * 37 + bits);
        }
        // Padding bytes are not part of the picture; clear them so the
        // comparison covers only pixels.
        const size_t used = (size_t(img.Width) * bits + 7) / 8;
        for (int y = 0; y < img.Height; ++y) {
            for (size_t x = used; x < img.Stride(); ++x) {
                img.Pixels[y * img.Stride() + x] = 0;
            }
        }
        const std::vector<uint8_t> file = EncodeBmp(img);
        ASSERT_FALSE(file.empty());
        EXPECT_EQ(file[28], bits);
        TBmpImage back = Decode(file);
        EXPECT_EQ(back.Width, 5);
        EXPECT_EQ(back.Height, 3);
        EXPECT_EQ(back.BitsPerPixel, bits);
        EXPECT_EQ(back.Palette, img.Palette) << bits;
        EXPECT_EQ(back.Pixels, img.Pixels) << bits;
    }
    TBmpImage bad;
    bad.Width = 2;
    bad.Height = 2;
    bad.BitsPerPixel = 24; // no pixel bytes
    EXPECT_TRUE(EncodeBmp(bad).empty());
    bad.BitsPerPixel = 16;
    EXPECT_TRUE(EncodeBmp(bad).empty());
}
