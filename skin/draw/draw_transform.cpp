// Whole-bitmap transforms: grey, mirror, flip and the two quarter turns.
#include "skin/draw/draw_internal.h"

#include <cstring>
#include <vector>

namespace {

// Mirror and flip work on 24- and 32-bit rows; other formats become 24-bit.
int PixelBytesForTransform(TBitmap& bitmap) {
    if (bitmap.PixelFormat() != TPixelFormat::pf24bit &&
        bitmap.PixelFormat() != TPixelFormat::pf32bit) {
        bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    }
    return bitmap.PixelFormat() == TPixelFormat::pf24bit ? 3 : 4;
}

// The bitmap's pixels as 32-bit top-down values.
std::vector<uint32_t> Fetch32(TBitmap& bitmap, BITMAPINFO& bi) {
    const int w = bitmap.Width(), h = bitmap.Height();
    bi = BITMAPINFO{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    TClientDC screen(nullptr);
    GetDIBits(screen.Handle(), bitmap.Handle(), 0, h, px.data(), &bi, DIB_RGB_COLORS);
    return px;
}

// Resizes to h x w and stores the turned pixels; `from(x', y')` gives the
// index of the old pixel that lands at (x', y').
template <typename Map> void Turn(TBitmap& bitmap, Map from) {
    if (bitmap.Empty()) {
        return;
    }
    const int w = bitmap.Width(), h = bitmap.Height();
    BITMAPINFO bi;
    const std::vector<uint32_t> old = Fetch32(bitmap, bi);
    std::vector<uint32_t> turned(old.size());
    for (int y2 = 0; y2 < w; ++y2) {
        for (int x2 = 0; x2 < h; ++x2) {
            turned[static_cast<size_t>(y2) * h + x2] = old[from(x2, y2)];
        }
    }
    bitmap.SetSize(h, w);
    bi.bmiHeader.biWidth = h;
    bi.bmiHeader.biHeight = -w;
    TClientDC screen(nullptr);
    SetDIBits(screen.Handle(), bitmap.Handle(), 0, w, turned.data(), &bi, DIB_RGB_COLORS);
}

} // namespace

void GrayBitmap(TBitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    uint8_t* bits = bitmap.ScanLine(0); // one flush for all rows
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* p = bits + size_t(y) * bitmap.Stride();
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
            const uint8_t grey = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = grey;
        }
    }
}

void MirrorBitmap(TBitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    const int bytes = PixelBytesForTransform(bitmap);
    const int w = bitmap.Width();
    uint8_t tmp[4];
    uint8_t* bits = bitmap.ScanLine(0);
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* row = bits + size_t(y) * bitmap.Stride();
        for (int x = 0; x < w / 2; ++x) {
            uint8_t* a = row + x * bytes;
            uint8_t* b = row + (w - 1 - x) * bytes;
            std::memcpy(tmp, a, bytes);
            std::memcpy(a, b, bytes);
            std::memcpy(b, tmp, bytes);
        }
    }
}

void FlipBitmap(TBitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    PixelBytesForTransform(bitmap);
    const int h = bitmap.Height();
    const size_t stride = static_cast<size_t>(bitmap.Stride());
    std::vector<uint8_t> tmp(stride);
    uint8_t* bits = bitmap.ScanLine(0);
    for (int y = 0; y < h / 2; ++y) {
        uint8_t* a = bits + size_t(y) * stride;
        uint8_t* b = bits + size_t(h - 1 - y) * stride;
        std::memcpy(tmp.data(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, tmp.data(), stride);
    }
}

// A quarter turn counter-clockwise: new (x', y') = old (W - 1 - y', x').
void RotateBitmapLeft(TBitmap& bitmap) {
    const int w = bitmap.Width();
    Turn(bitmap, [w](int x2, int y2) { return static_cast<size_t>(x2) * w + (w - 1 - y2); });
}

// A quarter turn clockwise: new (x', y') = old (y', H - 1 - x').
void RotateBitmapRight(TBitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    Turn(bitmap, [w, h](int x2, int y2) { return static_cast<size_t>(h - 1 - x2) * w + y2; });
}
