// Transparent copies written by the CPU into the bits of a memory DC's
// 32-bit DIB section. With the key pixels scattered, the platform's AND and
// OR blits of the same planes take its slow path; these loops do the same
// arithmetic on the same pixels.
#include "skin/draw/draw_internal.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstdlib>

namespace skin_draw_detail {

namespace {

// Where a memory DC's bitmap bits are and how its logical space maps onto
// them.
struct TDibTarget {
    uint8_t* Bits = nullptr; // the bitmap's first byte
    ptrdiff_t RowBytes = 0;
    uint8_t* Top = nullptr; // first byte of the top row, once known
    ptrdiff_t Stride = 0;   // from a row to the one below (negative when bottom-up)
    RECT Bounds{};          // the bitmap, in device pixels
    POINT Offset{};         // device = logical + Offset
};

// True when dc draws on a 32-bit DIB section through a plain offset: the
// MM_TEXT mapping, the compatible graphics mode (no world transform) and a
// left-to-right layout.
bool PlainDibTarget(HDC dc, TDibTarget& t) {
    if (GetObjectType(dc) != OBJ_MEMDC || GetMapMode(dc) != MM_TEXT ||
        GetGraphicsMode(dc) != GM_COMPATIBLE || GetLayout(dc) != 0) {
        return false;
    }
    DIBSECTION ds{};
    if (GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof ds, &ds) != sizeof ds ||
        !ds.dsBm.bmBits || ds.dsBm.bmBitsPixel != 32 || ds.dsBm.bmPlanes != 1 ||
        ds.dsBmih.biCompression != BI_RGB) {
        return false;
    }
    t.Bits = static_cast<uint8_t*>(ds.dsBm.bmBits);
    t.RowBytes = ds.dsBm.bmWidthBytes;
    t.Bounds = RECT{0, 0, ds.dsBm.bmWidth, std::abs(ds.dsBm.bmHeight)};
    POINT viewport{}, window{};
    GetViewportOrgEx(dc, &viewport);
    GetWindowOrgEx(dc, &window);
    t.Offset = POINT{viewport.x - window.x, viewport.y - window.y};
    return true;
}

// Which way the rows run, which the bitmap's description does not tell (its
// height reads positive either way): the pixel at `device`, one about to be
// written, is set through GDI and looked for at both places it could be,
// then both are put back. False when neither or both changed.
bool FindRows(HDC dc, TDibTarget& t, POINT device) {
    const int h = t.Bounds.bottom;
    auto* down = reinterpret_cast<uint32_t*>(t.Bits + device.y * t.RowBytes) + device.x;
    auto* up = reinterpret_cast<uint32_t*>(t.Bits + (h - 1 - device.y) * t.RowBytes) + device.x;
    bool topDown = true;
    if (down != up) {
        GdiFlush();
        const uint32_t wasDown = *down, wasUp = *up;
        // Another colour than the pixel's at the top-down place.
        const uint32_t other = ~wasDown & 0x00FFFFFFu;
        SetPixelV(dc, device.x - t.Offset.x, device.y - t.Offset.y,
                  RGB(other >> 16, (other >> 8) & 0xFF, other & 0xFF));
        GdiFlush();
        const bool downChanged = *down != wasDown, upChanged = *up != wasUp;
        *down = wasDown;
        *up = wasUp;
        if (downChanged == upChanged) {
            return false;
        }
        topDown = downChanged;
    }
    t.Top = topDown ? t.Bits : t.Bits + (h - 1) * t.RowBytes;
    t.Stride = topDown ? t.RowBytes : -t.RowBytes;
    return true;
}

// The rectangles (device pixels) a blit into dc may change inside `area`:
// the clip box when the clipping is one rectangle, else the clip region's
// rectangles. False when that cannot be told (a meta region is set).
bool ClipRects(HDC dc, const TDibTarget& t, const RECT& area, std::vector<RECT>& rects) {
    RECT box{};
    const int kind = GetClipBox(dc, &box);
    if (kind == ERROR) {
        return false;
    }
    if (kind == NULLREGION) {
        return true;
    }
    OffsetRect(&box, t.Offset.x, t.Offset.y);
    RECT within{};
    if (!IntersectRect(&within, &box, &area) || !IntersectRect(&within, &within, &t.Bounds)) {
        return true;
    }
    if (kind == SIMPLEREGION) {
        rects.push_back(within);
        return true;
    }
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    // 2: the meta region, which GetClipRgn leaves out.
    if (GetRandomRgn(dc, region.Get(), 2) != 0 || GetClipRgn(dc, region.Get()) != 1) {
        return false;
    }
    std::vector<RECT> pieces;
    if (!RegionRects(region.Get(), pieces)) {
        return false;
    }
    for (const RECT& r : pieces) {
        RECT piece{};
        if (IntersectRect(&piece, &r, &within)) {
            rects.push_back(piece);
        }
    }
    return true;
}

// One row of (pixel AND mask) OR cut, four pixels at a time.
__attribute__((target("sse2"))) void MaskRowSse2(uint32_t* d, const uint32_t* m, const uint32_t* c,
                                                 int n) {
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        auto* to = reinterpret_cast<__m128i*>(d + i);
        const __m128i mask = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + i));
        const __m128i cut = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + i));
        _mm_storeu_si128(to, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(to), mask), cut));
    }
    for (; i < n; ++i) {
        d[i] = (d[i] & m[i]) | c[i];
    }
}

void MaskRow(uint32_t* d, const uint32_t* m, const uint32_t* c, int n) {
    static const bool sse2 = IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != 0;
    if (sse2) {
        MaskRowSse2(d, m, c, n);
        return;
    }
    for (int i = 0; i < n; ++i) {
        d[i] = (d[i] & m[i]) | c[i];
    }
}

} // namespace

bool MaskedCopyToDib(HDC dst, int x, int y, int w, int h, const uint32_t* mask, const uint32_t* cut,
                     size_t stride) {
    TDibTarget t;
    if (!PlainDibTarget(dst, t)) {
        return false;
    }
    const int dx = x + t.Offset.x, dy = y + t.Offset.y;
    std::vector<RECT> rects;
    if (!ClipRects(dst, t, RECT{dx, dy, dx + w, dy + h}, rects)) {
        return false;
    }
    if (rects.empty()) {
        return true;
    }
    if (!FindRows(dst, t, POINT{rects[0].left, rects[0].top})) {
        return false;
    }
    // Drawing still queued for the target lands before these writes.
    GdiFlush();
    for (const RECT& r : rects) {
        const int n = r.right - r.left;
        for (int row = r.top; row < r.bottom; ++row) {
            auto* d = reinterpret_cast<uint32_t*>(t.Top + row * t.Stride) + r.left;
            const size_t from = size_t(row - dy) * stride + size_t(r.left - dx);
            MaskRow(d, mask + from, cut + from, n);
        }
    }
    return true;
}

} // namespace skin_draw_detail
