// Copy primitives of the drawing utilities: pieces, masks, transparent
// copies and tiling.
#include "skin/data/draw_internal.h"

namespace skin_draw_detail {

void CopyPiece(HDC dst, const RECT& d, HDC src, const RECT& s) {
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) {
        return;
    }
    if (dw == sw && dh == sh) {
        BitBlt(dst, d.left, d.top, dw, dh, src, s.left, s.top, SRCCOPY);
    } else {
        StretchBlt(dst, d.left, d.top, dw, dh, src, s.left, s.top, sw, sh, SRCCOPY);
    }
}

std::unique_ptr<TBitmap> MakeWorkBitmap(int width, int height) {
    auto work = std::make_unique<TBitmap>(width, height, TPixelFormat::pf32bit);
    HDC dc = work->Canvas().Handle();
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    return work;
}

TBitmapHandle MakeKeyMask(HDC src, int w, int h, COLORREF key) {
    TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
    TMemoryDC maskDC(src);
    TSelectObject keep(maskDC.Handle(), mask.Get());
    const COLORREF oldBk = SetBkColor(src, key);
    BitBlt(maskDC.Handle(), 0, 0, w, h, src, 0, 0, SRCCOPY);
    SetBkColor(src, oldBk);
    return mask;
}

void MaskedCopy(HDC dst, int x, int y, int w, int h, HDC src, HBITMAP mask) {
    // Foreground (mask set): keep the destination; background: copy the source.
    MaskBlt(dst, x, y, w, h, src, 0, 0, mask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
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
    HDC src = picture.Canvas().Handle();
    TBitmapHandle mask = MakeKeyMask(src, w, h, ColorToRGB(key));
    MaskedCopy(dc, target.left, target.top, w, h, src, mask.Get());
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
    TBitmapHandle mask = MakeKeyMask(workDC, w, h, ColorToRGB(transparent));
    MaskedCopy(canvas.Handle(), dest.left, dest.top, w, h, workDC, mask.Get());
}
