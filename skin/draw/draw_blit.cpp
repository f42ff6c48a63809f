// Copy primitives of the drawing utilities: pieces, masks, transparent
// copies and tiling.
#include "skin/draw/draw_internal.h"

#include <algorithm>
#include <cstring>

namespace skin_draw_detail {

namespace {
bool NoArea(const RECT& d, const RECT& s) {
    return d.right <= d.left || d.bottom <= d.top || s.right <= s.left || s.bottom <= s.top;
}
bool SameSize(const RECT& d, const RECT& s) {
    return d.right - d.left == s.right - s.left && d.bottom - d.top == s.bottom - s.top;
}
// A same-size piece between two 32-bit bitmaps, rows copied by address (what
// a SRCCOPY blit between them does, without a trip through GDI).
void CopyRows32(TBitmap& dst, const RECT& d, TBitmap& src, const RECT& s) {
    uint8_t* to = dst.ScanLine(0);
    const uint8_t* from = src.ScanLine(0);
    const size_t bytes = size_t(s.right - s.left) * 4;
    for (int y = 0; y < s.bottom - s.top; ++y) {
        std::memcpy(to + size_t(d.top + y) * dst.Stride() + size_t(d.left) * 4,
                    from + size_t(s.top + y) * src.Stride() + size_t(s.left) * 4, bytes);
    }
}
} // namespace

void CopyPiece(TBitmap& dst, const RECT& d, TBitmap& src, const RECT& s, int mode) {
    if (NoArea(d, s)) {
        return;
    }
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    if (SameSize(d, s) && &dst != &src && src.PixelFormat() == TPixelFormat::pf32bit &&
        CanFilter(dst, d, src, s)) {
        CopyRows32(dst, d, src, s);
    } else if (SameSize(d, s)) {
        BitBlt(dst.Canvas().Handle(), d.left, d.top, sw, sh, src.Canvas().Handle(), s.left, s.top,
               SRCCOPY);
    } else if (mode != HALFTONE) {
        HDC dc = dst.Canvas().Handle();
        const int old = SetStretchBltMode(dc, mode);
        StretchBlt(dc, d.left, d.top, d.right - d.left, d.bottom - d.top, src.Canvas().Handle(),
                   s.left, s.top, sw, sh, SRCCOPY);
        SetStretchBltMode(dc, old);
    } else if (CanFilter(dst, d, src, s)) {
        FilteredStretch(dst, d, src, s);
    } else if (CanFilter(dst, d, dst, d)) {
        // Palette or partly outside source: take a 32-bit copy of the piece first.
        TBitmap piece(sw, sh, TPixelFormat::pf32bit);
        BitBlt(piece.Canvas().Handle(), 0, 0, sw, sh, src.Canvas().Handle(), s.left, s.top,
               SRCCOPY);
        FilteredStretch(dst, d, piece, RECT{0, 0, sw, sh});
    } else {
        StretchBlt(dst.Canvas().Handle(), d.left, d.top, d.right - d.left, d.bottom - d.top,
                   src.Canvas().Handle(), s.left, s.top, sw, sh, SRCCOPY);
    }
}

void CopyPiece(HDC dst, const RECT& d, TBitmap& src, const RECT& s) {
    if (NoArea(d, s)) {
        return;
    }
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    if (SameSize(d, s)) {
        BitBlt(dst, d.left, d.top, dw, dh, src.Canvas().Handle(), s.left, s.top, SRCCOPY);
        return;
    }
    auto work = MakeWorkBitmap(dw, dh);
    CopyPiece(*work, RECT{0, 0, dw, dh}, src, s);
    BitBlt(dst, d.left, d.top, dw, dh, work->Canvas().Handle(), 0, 0, SRCCOPY);
}

std::unique_ptr<TBitmap> MakeWorkBitmap(int width, int height) {
    auto work = std::make_unique<TBitmap>(width, height, TPixelFormat::pf32bit);
    HDC dc = work->Canvas().Handle();
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    return work;
}

TKeyMask::TKeyMask(HDC src, int w, int h, COLORREF key)
    : w_(w), h_(h), bitmap_(CreateBitmap(w, h, 1, 1, nullptr)), dc_(src),
      selection_(dc_.Handle(), bitmap_.Get()) {
    const COLORREF oldBk = SetBkColor(src, key);
    BitBlt(dc_.Handle(), 0, 0, w, h, src, 0, 0, SRCCOPY);
    SetBkColor(src, oldBk);
}

void TKeyMask::Copy(HDC dst, int x, int y, HDC src) const {
    const COLORREF oldBk = SetBkColor(dst, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dst, RGB(0, 0, 0));
    BitBlt(dst, x, y, w_, h_, src, 0, 0, SRCINVERT);
    BitBlt(dst, x, y, w_, h_, dc_.Handle(), 0, 0, SRCAND);
    BitBlt(dst, x, y, w_, h_, src, 0, 0, SRCINVERT);
    SetBkColor(dst, oldBk);
    SetTextColor(dst, oldText);
}

namespace {

// Bits per pixel of what a DC draws on: its selected bitmap's for a memory
// DC, the device's otherwise.
int TargetBits(HDC dc) {
    if (GetObjectType(dc) == OBJ_MEMDC) {
        BITMAP bm{};
        if (GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm) == sizeof bm) {
            return bm.bmBitsPixel * bm.bmPlanes;
        }
    }
    return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

} // namespace

std::vector<RECT> KeylessRects(const uint32_t* pixels, size_t stride, int w, int h, uint32_t key,
                               size_t limit) {
    std::vector<RECT> rects;
    std::vector<std::pair<int, int>> runs, above;
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * stride;
        runs.clear();
        for (int x = 0; x < w;) {
            while (x < w && row[x] == key) {
                ++x;
            }
            const int from = x;
            while (x < w && row[x] != key) {
                ++x;
            }
            if (x > from) {
                runs.emplace_back(from, x);
            }
        }
        if (y > 0 && runs == above) {
            for (size_t i = rects.size() - runs.size(); i < rects.size(); ++i) {
                rects[i].bottom = y + 1;
            }
            continue;
        }
        for (const auto& [from, to] : runs) {
            rects.push_back(RECT{from, y, to, y + 1});
        }
        if (rects.size() > limit) {
            return rects;
        }
        std::swap(runs, above);
    }
    return rects;
}

void TCutout::Make(TBitmap& image, TColor key) {
    w_ = image.Width();
    h_ = image.Height();
    key_ = ColorToRGB(key);
    made_ = true;
    anyKey_ = false;
    rects_.clear();
    planes_.reset();
    mono_.reset();
    if (w_ <= 0 || h_ <= 0) {
        return;
    }
    auto planes = std::make_unique<TBitmap>(w_, 2 * h_, TPixelFormat::pf32bit);
    // The image's pixels as 32-bit values, in the cut image's rows.
    BitBlt(planes->Canvas().Handle(), 0, h_, w_, h_, image.Canvas().Handle(), 0, 0, SRCCOPY);
    // The key as a 32-bit pixel, compared whole as the platform's colour to
    // monochrome conversion compares it.
    const uint32_t keyPixel =
        uint32_t(GetRValue(key_)) << 16 | uint32_t(GetGValue(key_)) << 8 | GetBValue(key_);
    const auto* cut = reinterpret_cast<const uint32_t*>(planes->ScanLine(h_));
    const size_t stride = static_cast<size_t>(planes->Stride()) / 4;
    rects_ = KeylessRects(cut, stride, w_, h_, keyPixel, kMaxRects);
    anyKey_ = !(rects_.size() == 1 && rects_[0].left == 0 && rects_[0].top == 0 &&
                rects_[0].right == w_ && rects_[0].bottom == h_);
    if (rects_.size() <= kMaxRects) {
        return;
    }
    rects_.clear();
    for (int y = 0; y < h_; ++y) {
        auto* m = reinterpret_cast<uint32_t*>(planes->ScanLine(y));
        auto* c = reinterpret_cast<uint32_t*>(planes->ScanLine(h_ + y));
        for (int x = 0; x < w_; ++x) {
            const bool isKey = c[x] == keyPixel;
            // Colour bits only: the AND leaves the target's fourth byte as
            // the monochrome mask's copy leaves it.
            m[x] = isKey ? 0x00FFFFFFu : 0u;
            c[x] = isKey ? 0u : c[x];
        }
    }
    planes->Canvas().Handle();
    planes_ = std::move(planes);
}

size_t TCutout::Bytes() const {
    return (planes_ ? size_t(w_) * size_t(h_) * 8 : 0) + rects_.capacity() * sizeof(RECT);
}

bool TCutout::Draw(HDC dst, int x, int y, HDC src) {
    if (!anyKey_) {
        return false;
    }
    if (!planes_) {
        for (const RECT& r : rects_) {
            BitBlt(dst, x + r.left, y + r.top, r.right - r.left, r.bottom - r.top, src, r.left,
                   r.top, SRCCOPY);
        }
        return true;
    }
    const auto* mask = reinterpret_cast<const uint32_t*>(planes_->ScanLine(0));
    const size_t stride = static_cast<size_t>(planes_->Stride()) / 4;
    if (MaskedCopyToDib(dst, x, y, w_, h_, mask, mask + size_t(h_) * stride, stride)) {
        return true;
    }
    if (TargetBits(dst) < 15) {
        if (!mono_) {
            mono_ = std::make_unique<TKeyMask>(src, w_, h_, key_);
        }
        mono_->Copy(dst, x, y, src);
        return true;
    }
    HDC planes = planes_->Canvas().Handle();
    BitBlt(dst, x, y, w_, h_, planes, 0, 0, SRCAND);
    BitBlt(dst, x, y, w_, h_, planes, 0, h_, SRCPAINT);
    return true;
}

void PutImage(HDC dst, int x, int y, TBitmap& image, bool trans) {
    if (trans) {
        DrawTransparent(dst, RECT{x, y, x + image.Width(), y + image.Height()}, image);
    } else {
        BitBlt(dst, x, y, image.Width(), image.Height(), image.Canvas().Handle(), 0, 0, SRCCOPY);
    }
}

} // namespace skin_draw_detail

using namespace skin_draw_detail;

// Transparent copy with a key colour; see the header.
void DrawTransparent(HDC dc, const RECT& target, TBitmap& picture, TColor key) {
    const int w = target.right - target.left, h = target.bottom - target.top;
    if (Inverted(target) || w == 0 || h == 0 || picture.Empty()) {
        return;
    }
    // Only the picture's own pixels are drawn when the target is larger.
    const int cw = std::min(w, picture.Width()), ch = std::min(h, picture.Height());
    HDC src = picture.Canvas().Handle();
    TKeyMask(src, cw, ch, ColorToRGB(key)).Copy(dc, target.left, target.top, src);
}

// Repeats a source part over a target; see the header.
void TileRect(TCanvas& canvas, const RECT& target, TBitmap& picture, const RECT& source) {
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    if (sw < 0 || sh < 0 || sw * sh == 0 || picture.Empty()) {
        return;
    }
    auto work = MakeWorkBitmap(sw, sh);
    HDC workDC = work->Canvas().Handle();
    BitBlt(workDC, 0, 0, sw, sh, picture.Canvas().Handle(), source.left, source.top, SRCCOPY);
    HDC dc = canvas.Handle();
    for (int x = target.left; x < target.right; x += sw) {
        for (int y = target.top; y < target.bottom; y += sh) {
            BitBlt(dc, x, y, sw, sh, workDC, 0, 0, SRCCOPY);
        }
    }
}

// Scaled copy without the transparent colour; see the header.
void DrawTransparentGlyph(TCanvas& canvas, TBitmap& picture, const RECT& dest, TColor transparent,
                          const RECT& source) {
    const int w = dest.right - dest.left, h = dest.bottom - dest.top;
    if (w <= 0 || h <= 0 || picture.Empty()) {
        return;
    }
    auto work = MakeWorkBitmap(w, h);
    HDC workDC = work->Canvas().Handle();
    SetStretchBltMode(workDC, COLORONCOLOR);
    StretchBlt(workDC, 0, 0, w, h, picture.Canvas().Handle(), source.left, source.top,
               source.right - source.left, source.bottom - source.top, SRCCOPY);
    TKeyMask(workDC, w, h, ColorToRGB(transparent))
        .Copy(canvas.Handle(), dest.left, dest.top, workDC);
}
