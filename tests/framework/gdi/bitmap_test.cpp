// TBitmap: pixel formats, resizing, conversion, copying, transparency and
// BMP input/output through streams.
#include "framework/core/stream.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/gdi_handles.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

using namespace pixel_test;

TEST(Bitmap, FormatsSizesAndPixels) {
    TBitmap empty;
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.Width(), 0);

    const int strides[] = {4, 4, 8, 24, 28}; // 7 pixels wide
    const TPixelFormat formats[] = {TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                                    TPixelFormat::pf8bit, TPixelFormat::pf24bit,
                                    TPixelFormat::pf32bit};
    for (int i = 0; i < 5; ++i) {
        TBitmap b(7, 3, formats[i]);
        EXPECT_EQ(b.Stride(), strides[i]) << i;
        EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), strides[i]);
        EXPECT_EQ(b.ColorTable().size(), i < 3 ? size_t(1) << PixelFormatBits(formats[i]) : 0u);
    }

    TBitmap b(4, 3);
    Fill(b, 0, 0, 4, 3, 0x112233);
    Put(b, 3, 2, 0x0000FF);
    EXPECT_EQ(b.Canvas().Pixel(3, 2), 0x0000FF); // rows are top-down
    EXPECT_EQ(b.Canvas().Pixel(0, 0), 0x112233);
    // Growing keeps the old pixels; new ones are black.
    b.SetSize(6, 4);
    EXPECT_EQ(At(b, 3, 2), 0x0000FF);
    EXPECT_EQ(At(b, 5, 3), 0x000000);
    b.SetWidth(2);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(At(b, 1, 1), 0x112233);

    // Converting to 24 bits keeps colours; to 1 bit maps to black and white.
    TBitmap c(3, 1);
    Put(c, 0, 0, 0xFFFFFF), Put(c, 1, 0, 0x000000), Put(c, 2, 0, 0x123456);
    c.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(c.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(At(c, 2, 0), 0x123456);
    c.SetPixelFormat(TPixelFormat::pf1bit);
    EXPECT_EQ(c.ScanLine(0)[0] & 0xC0, 0x80); // white = index 1, black = index 0
    EXPECT_EQ(c.Canvas().Pixel(0, 0), 0xFFFFFF);
}

TEST(Bitmap, TransparencyAssignAndHandles) {
    TBitmap a(5, 4);
    Fill(a, 0, 0, 5, 4, 0x00FF00FF);
    Put(a, 0, 0, 0x000001);
    EXPECT_EQ(a.TransparentColor(), 0x00FF00FF); // bottom-left pixel
    a.SetTransparentColor(0x000001);
    EXPECT_EQ(a.TransparentColor(), 0x000001);
    a.SetTransparentColor(clDefault);
    a.SetTransparent(true);

    int changes = 0;
    TBitmap b;
    b.OnChange = [&](TBitmap&) { ++changes; };
    b.Assign(a);
    EXPECT_GE(changes, 1);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(At(b, 0, 0), 0x000001);
    Put(a, 0, 0, 0x0000AA); // a deep copy: b keeps its pixels
    EXPECT_EQ(At(b, 0, 0), 0x000001);

    // Drawing a transparent bitmap leaves its key colour out.
    TBitmap dst(5, 4);
    Fill(dst, 0, 0, 5, 4, 0x445566);
    dst.Canvas().Draw(0, 0, b);
    EXPECT_EQ(At(dst, 0, 0), 0x000001);
    EXPECT_EQ(At(dst, 2, 2), 0x445566);

    // After using the canvas the handle can still go into another DC.
    b.Canvas().Pixel(0, 0);
    HBITMAP h = b.Handle();
    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(other, h);
    EXPECT_NE(old, nullptr);
    EXPECT_EQ(GetPixel(other, 0, 0), 0x000001u);
    SelectObject(other, old);
    DeleteDC(other);
    b.Clear();
    EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, BmpRoundTripThroughStreams) {
    const TPixelFormat formats[] = {TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                                    TPixelFormat::pf8bit, TPixelFormat::pf24bit,
                                    TPixelFormat::pf32bit};
    for (TPixelFormat f : formats) {
        TBitmap src(9, 5, f);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < src.Stride(); ++x) {
                src.ScanLine(y)[x] = uint8_t(x * 13 + y * 7);
            }
        }
        TMemoryStream stream;
        stream.WriteBuffer("xy", 2); // the bitmap starts mid-stream
        src.SaveToStream(stream);
        stream.WriteBuffer("tail", 4);
        stream.SetPosition(2);
        TBitmap dst;
        dst.LoadFromStream(stream);
        EXPECT_EQ(stream.Position(), stream.Size() - 4); // stops at the file's end
        ASSERT_EQ(dst.PixelFormat(), f);
        ASSERT_EQ(dst.Width(), 9);
        EXPECT_EQ(dst.ColorTable(), src.ColorTable());
        const int used = (9 * PixelFormatBits(f) + 7) / 8;
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < used - 1; ++x) { // the last byte may hold padding bits
                EXPECT_EQ(dst.ScanLine(y)[x], src.ScanLine(y)[x]) << PixelFormatBits(f);
            }
        }
    }

    // A malformed picture: exception, empty bitmap.
    TBitmap b(3, 3);
    TMemoryStream bad;
    bad.WriteBuffer("BM\x10\x00\x00\x00garbage-garbage", 20);
    bad.SetPosition(0);
    EXPECT_THROW(b.LoadFromStream(bad), EInvalidGraphic);
    EXPECT_TRUE(b.Empty());
    const uint8_t tiny[] = {'B', 'M'};
    EXPECT_THROW(b.LoadFromBmpBytes(tiny, sizeof tiny), EInvalidGraphic);
    EXPECT_TRUE(b.SaveToBmpBytes().empty());
}

// A picture read from BMP bytes holds its pixels without a GDI bitmap until
// something needs the handle, the bits or the canvas; then it has exactly the
// pixels it was saved with. Copies of it made before then copy the pixels
// only, and a malformed file still fails at load.
TEST(Bitmap, PictureFromBytesMadeOnFirstUse) {
    TBitmap src(6, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            Put(src, x, y, TColor(0x300000 | (y * 50) << 8 | x * 40));
        }
    }
    const std::vector<uint8_t> bytes = src.SaveToBmpBytes();
    const int before = GdiLiveCount(TGdiKind::Bitmap);

    TBitmap a;
    a.LoadFromBmpBytes(bytes.data(), bytes.size());
    EXPECT_FALSE(a.Empty());
    EXPECT_EQ(a.Width(), 6);
    EXPECT_EQ(a.Height(), 4);
    EXPECT_EQ(a.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(a.SaveToBmpBytes(), bytes);
    TBitmap b;
    b.Assign(a);
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(GdiLiveCount(TGdiKind::Bitmap), before); // nothing made yet

    // First use of the handle makes one bitmap holding the loaded pixels.
    HBITMAP h = a.Handle();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GdiLiveCount(TGdiKind::Bitmap), before + 1);
    {
        TMemoryDC dc;
        TSelectObject held(dc.Handle(), h);
        int wrong = 0;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                wrong += GetPixel(dc.Handle(), x, y) != COLORREF(At(src, x, y));
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    // The copy is separate from its source and made on its own first use.
    Put(a, 0, 0, 0x0000AA);
    EXPECT_EQ(GdiLiveCount(TGdiKind::Bitmap), before + 1);
    EXPECT_EQ(b.Canvas().Pixel(0, 0), At(src, 0, 0));
    EXPECT_EQ(b.Canvas().Pixel(5, 3), At(src, 5, 3));
    EXPECT_EQ(GdiLiveCount(TGdiKind::Bitmap), before + 2);

    // A palette picture: its colour table is there before the bitmap is
    // made, and a table set before then is the one the bitmap gets.
    TBitmap pal(5, 3, TPixelFormat::pf8bit);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            pal.ScanLine(y)[x] = uint8_t(y * 5 + x);
        }
    }
    std::vector<uint32_t> table(256);
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = uint32_t(i * 0x010203) & 0xFFFFFF;
    }
    pal.SetColorTable(table);
    const std::vector<uint8_t> palBytes = pal.SaveToBmpBytes();
    TBitmap p;
    p.LoadFromBmpBytes(palBytes.data(), palBytes.size());
    EXPECT_EQ(p.ColorTable(), table);
    table[7] = 0x00ABCDEF;
    p.SetColorTable(table);
    EXPECT_EQ(GdiLiveCount(TGdiKind::Bitmap), before + 3); // pal only
    EXPECT_EQ(p.Canvas().Pixel(2, 1), 0xEFCDAB);           // index 7, as COLORREF
    EXPECT_EQ(p.Canvas().Pixel(4, 2), pal.Canvas().Pixel(4, 2));
    EXPECT_EQ(p.ScanLine(2)[3], 13);

    // Resizing an unmade picture keeps its pixels; clearing one frees nothing
    // because nothing was made; a bad file over it fails at load.
    TBitmap c;
    c.LoadFromBmpBytes(bytes.data(), bytes.size());
    c.SetSize(7, 4);
    EXPECT_EQ(At(c, 5, 3), At(src, 5, 3));
    EXPECT_EQ(At(c, 6, 3), 0x000000);
    TBitmap d;
    d.LoadFromBmpBytes(bytes.data(), bytes.size());
    const int beforeClear = GdiLiveCount(TGdiKind::Bitmap);
    d.Clear();
    EXPECT_TRUE(d.Empty());
    EXPECT_EQ(GdiLiveCount(TGdiKind::Bitmap), beforeClear);
    d.LoadFromBmpBytes(bytes.data(), bytes.size());
    EXPECT_THROW(d.LoadFromBmpBytes(bytes.data(), 40), EInvalidGraphic);
    EXPECT_TRUE(d.Empty());
    EXPECT_EQ(d.Width(), 0);
    EXPECT_EQ(d.Handle(), nullptr);
}
