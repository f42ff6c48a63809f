// Cost of the frame drawing utilities against plain GDI copies of the same
// size measured in the same run; the frame routines with their prepared-image
// cache warm and emptied before every call.
#include "bench/bench_util.h"
#include "skin/draw/draw_internal.h"
#include "skin/draw/skin_draw.h"

#include <cstdio>

namespace {

// A stretch of a 20 x 20 picture into w x h with a given stretch mode.
double StretchNs(TBitmap& pic, TBitmap& dst, int mode, int w, int h) {
    HDC dc = dst.Canvas().Handle();
    SetStretchBltMode(dc, mode);
    HDC src = pic.Canvas().Handle();
    return bench::MedianNs(5, 50, [&] { StretchBlt(dc, 0, 0, w, h, src, 0, 0, 20, 20, SRCCOPY); });
}

} // namespace

int main() {
    TBitmap pic(40, 20);
    pic.Canvas().Brush().SetColor(0x336699);
    pic.Canvas().FillRect(RECT{0, 0, 40, 20});
    // The same picture with key-colour corners, as a rounded button has:
    // a transparent paint of it has pixels both to copy and to leave.
    TBitmap keyed(40, 20);
    BitBlt(keyed.Canvas().Handle(), 0, 0, 40, 20, pic.Canvas().Handle(), 0, 0, SRCCOPY);
    keyed.Canvas().Brush().SetColor(kSkinKeyColor);
    for (int x : {0, 18}) {
        for (int y : {0, 18}) {
            keyed.Canvas().FillRect(RECT{x, y, x + 2, y + 2});
        }
    }
    // And with key pixels scattered all over (a glyph's shape), which the
    // cache copies through a mask in the target's format.
    TBitmap dotted(40, 20);
    BitBlt(dotted.Canvas().Handle(), 0, 0, 40, 20, pic.Canvas().Handle(), 0, 0, SRCCOPY);
    for (int y = 0; y < 20; ++y) {
        for (int x = (y % 2); x < 20; x += 2) {
            SetPixel(dotted.Canvas().Handle(), x, y, ColorToRGB(kSkinKeyColor));
        }
    }
    TBitmap dst(400, 60);
    const TSkinMargins m{3, 3, 3, 3};
    for (int w : {47, 400}) {
        const RECT r{0, 0, w, 26};
        const std::string size = std::to_string(w) + "x26";
        // The copy the element is held against: all w x 26 pixels, from a
        // source of that size (a smaller source clips the copy to itself).
        TBitmap whole(w, 26);
        const double blt = bench::MedianNs(5, 50, [&] {
            BitBlt(dst.Canvas().Handle(), 0, 0, w, 26, whole.Canvas().Handle(), 0, 0, SRCCOPY);
        });
        const double bltClipped = bench::MedianNs(5, 50, [&] {
            BitBlt(dst.Canvas().Handle(), 0, 0, w, 26, pic.Canvas().Handle(), 0, 0, SRCCOPY);
        });
        const double halftone = StretchNs(pic, dst, HALFTONE, w, 26);
        const double colour = StretchNs(pic, dst, COLORONCOLOR, w, 26);
        const double element = bench::MedianNs(5, 50, [&] {
            DrawSkinElement(dst.Canvas().Handle(), r, pic, false, false, false, 2, 1, m);
        });
        const double elementTrans = bench::MedianNs(5, 50, [&] {
            DrawSkinElement(dst.Canvas().Handle(), r, keyed, false, false, true, 2, 1, m);
        });
        const double elementDotted = bench::MedianNs(5, 50, [&] {
            DrawSkinElement(dst.Canvas().Handle(), r, dotted, false, false, true, 2, 1, m);
        });
        // The scattered-key paint with the CPU copy refused (the advanced
        // graphics mode keeps the AND and OR blits), and the platform's own
        // colour-keyed copy of the same prepared image.
        HDC dstDC = dst.Canvas().Handle();
        SetGraphicsMode(dstDC, GM_ADVANCED);
        const double dottedBlits = bench::MedianNs(
            5, 50, [&] { DrawSkinElement(dstDC, r, dotted, false, false, true, 2, 1, m); });
        SetGraphicsMode(dstDC, GM_COMPATIBLE);
        auto dottedImage = StretchSkinFrame(r, dotted, m, false, false, 2, 1);
        HDC imageDC = dottedImage->Canvas().Handle();
        const double keyedCopy = bench::MedianNs(5, 50, [&] {
            TransparentBlt(dstDC, 0, 0, w, 26, imageDC, 0, 0, w, 26, ColorToRGB(kSkinKeyColor));
        });
        // The same element prepared afresh every time (the cache emptied),
        // as every paint was before the cache.
        const double prepared = bench::MedianNs(5, 50, [&] {
            ClearSkinDrawCache();
            DrawSkinElement(dst.Canvas().Handle(), r, pic, false, false, false, 2, 1, m);
        });
        const double cell = bench::MedianNs(
            5, 50, [&] { DrawSkinCell(dst.Canvas().Handle(), r, pic, false, 2, 1); });
        const double workBitmap = bench::MedianNs(5, 50, [&] {
            TBitmap work(w, 26);
            work.Canvas().Handle();
        });
        const double dibOnly = bench::MedianNs(5, 50, [&] { TBitmap work(w, 26); });
        TBitmap work32(w, 26);
        const double filtered = bench::MedianNs(5, 50, [&] {
            skin_draw_detail::FilteredStretch(work32, RECT{0, 0, w, 26}, pic, RECT{0, 0, 20, 20});
        });
        const double transparent =
            bench::MedianNs(5, 50, [&] { DrawTransparent(dst.Canvas().Handle(), r, pic); });
        bench::Report("skin.draw_transparent_" + size, transparent / 1000, "us");
        bench::Report("skin.filtered_stretch_" + size, filtered / 1000, "us");
        bench::Report("gdi.dib_section_" + size, dibOnly / 1000, "us");
        bench::Report("gdi.dib_section_with_dc_" + size, workBitmap / 1000, "us");
        bench::Report("gdi.bitblt_" + size, blt / 1000, "us");
        bench::Report("gdi.bitblt_" + size + "_from_40x20", bltClipped / 1000, "us");
        bench::Report("gdi.stretch_halftone_" + size, halftone / 1000, "us");
        bench::Report("gdi.stretch_coloroncolor_" + size, colour / 1000, "us");
        bench::Report("skin.draw_element_" + size, element / 1000, "us");
        bench::Report("skin.draw_element_trans_" + size, elementTrans / 1000, "us");
        bench::Report("skin.draw_element_trans_dotted_" + size, elementDotted / 1000, "us");
        bench::Report("skin.draw_cell_" + size, cell / 1000, "us");
        bench::Report("skin.draw_element_uncached_" + size, prepared / 1000, "us");
        bench::Report("skin.draw_element_vs_bitblt_" + size, element / blt, "x");
        bench::Report("skin.draw_element_trans_vs_bitblt_" + size, elementTrans / blt, "x");
        bench::Report("skin.draw_element_uncached_vs_bitblt_" + size, prepared / blt, "x");
        bench::Report("skin.draw_element_trans_dotted_vs_bitblt_" + size, elementDotted / blt, "x");
        bench::Report("skin.draw_element_trans_dotted_blits_vs_bitblt_" + size, dottedBlits / blt,
                      "x");
        bench::Report("gdi.transparentblt_dotted_vs_bitblt_" + size, keyedCopy / blt, "x");
    }
    return 0;
}
