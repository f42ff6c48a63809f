// Frame drawing: the nine-part stretch, the element, the edges, the bar, the
// cell and the glyph.
#include "skin/draw/draw_cache.h"
#include "skin/draw/element_region.h"

#include <array>
#include <cstring>

using namespace skin_draw_detail;

TSkinFrameBox LocateSkinFrame(const TBitmap& picture, bool vertical, int n, int k) {
    n = n < 1 ? 1 : n;
    TSkinFrameBox f;
    if (vertical) {
        f.Width = picture.Width();
        f.Height = picture.Height() / n;
        f.Y0 = (k - 1) * f.Height;
    } else {
        f.Width = picture.Width() / n;
        f.Height = picture.Height();
        f.X0 = (k - 1) * f.Width;
    }
    return f;
}

bool IsSkinFrameIndex(int n, int k) {
    return k >= 1 && k <= (n < 1 ? 1 : n);
}

namespace {

// One piece of the nine-part rule: where it comes from and where it goes.
struct Piece {
    RECT Source;
    RECT Dest;
    bool Present;
};

enum PieceIndex {
    TopLeft,
    BottomLeft,
    TopRight,
    LeftEdge,
    TopEdge,
    Centre,
    BottomRight,
    RightEdge,
    BottomEdge,
    PieceCount
};

// The nine pieces for a frame drawn into a TW x TH area, in drawing order,
// with margins that do not fit set to zero.
std::array<Piece, PieceCount> NinePieces(const TSkinFrameBox& f, int tw, int th, TSkinMargins m) {
    if (tw < m.Left + m.Right) {
        m.Left = m.Right = 0;
    }
    if (th < m.Top + m.Bottom) {
        m.Top = m.Bottom = 0;
    }
    const int x0 = f.X0, y0 = f.Y0, fw = f.Width, fh = f.Height;
    const int l = m.Left, t = m.Top, r = m.Right, b = m.Bottom;
    return {{
        {{x0, y0, x0 + l, y0 + t}, {0, 0, l, t}, l * t > 0},
        {{x0, y0 + fh - b, x0 + l, y0 + fh}, {0, th - b, l, th}, l * b > 0},
        {{x0 + fw - r, y0, x0 + fw, y0 + t}, {tw - r, 0, tw, t}, r * t > 0},
        {{x0, y0 + t, x0 + l, y0 + fh - b}, {0, t, l, th - b}, l > 0},
        {{x0 + l, y0, x0 + fw - r, y0 + t}, {l, 0, tw - r, t}, t > 0},
        {{x0 + l, y0 + t, x0 + fw - r, y0 + fh - b}, {l, t, tw - r, th - b}, true},
        {{x0 + fw - r, y0 + fh - b, x0 + fw, y0 + fh}, {tw - r, th - b, tw, th}, r * b > 0},
        {{x0 + fw - r, y0 + t, x0 + fw, y0 + fh - b}, {tw - r, t, tw, th - b}, r > 0},
        {{x0 + l, y0 + fh - b, x0 + fw - r, y0 + fh}, {l, th - b, tw - r, th}, b > 0},
    }};
}

} // namespace

// The nine-part rule; see the header.
std::unique_ptr<TBitmap> StretchSkinFrame(const RECT& target, TBitmap& picture,
                                          const TSkinMargins& margins, bool vertical, bool tile,
                                          int n, int k, int stretchMode) {
    std::unique_ptr<TBitmap> result;
    StretchSkinFrame(result, target, picture, margins, vertical, tile, n, k, stretchMode);
    return result ? std::move(result) : std::make_unique<TBitmap>();
}

void StretchSkinFrame(std::unique_ptr<TBitmap>& kept, const RECT& target, TBitmap& picture,
                      const TSkinMargins& margins, bool vertical, bool tile, int n, int k,
                      int stretchMode) {
    const int tw = target.right - target.left, th = target.bottom - target.top;
    if (tw <= 0 || th <= 0 || !IsSkinFrameIndex(n, k)) {
        kept.reset();
        return;
    }
    if (kept && kept->Width() == tw && kept->Height() == th &&
        kept->PixelFormat() == TPixelFormat::pf32bit) {
        // Cleared as a new one starts, so that nothing of the last frame stays.
        uint8_t* bits = kept->ScanLine(0);
        for (int y = 0; y < th; ++y) {
            std::memset(bits + size_t(y) * kept->Stride(), 0, size_t(tw) * 4);
        }
    } else {
        kept = MakeWorkBitmap(tw, th);
    }
    if (picture.Empty()) {
        return;
    }
    const auto pieces = NinePieces(LocateSkinFrame(picture, vertical, n, k), tw, th, margins);
    for (int i = 0; i < PieceCount; ++i) {
        const Piece& p = pieces[i];
        if (!p.Present) {
            continue;
        }
        if (i == Centre && tile) {
            TileRect(kept->Canvas(), p.Dest, picture, p.Source);
        } else {
            CopyPiece(*kept, p.Dest, picture, p.Source, stretchMode);
        }
    }
}

namespace {

// Whether every piece of the nine-part rule comes from inside the frame, so
// that the frame's own pixels decide the result (the cache's key).
bool MarginsInside(const TSkinFrameBox& f, const TSkinMargins& m) {
    return m.Left >= 0 && m.Top >= 0 && m.Right >= 0 && m.Bottom >= 0 &&
           m.Left + m.Right <= f.Width && m.Top + m.Bottom <= f.Height;
}

} // namespace

namespace {

// The recipe of a nine-part frame of the target's size.
TFrameRecipe ElementRecipe(const RECT& target, bool vertical, bool tile,
                           const TSkinMargins& margins, int stretchMode) {
    return {kRecipeElement, target.right - target.left,          target.bottom - target.top,
            stretchMode,    (vertical ? 1 : 0) | (tile ? 2 : 0), margins};
}

} // namespace

// Nine-part frame drawn into a DC; see the header. A frame drawn at a size
// it was drawn at before comes from the prepared-image cache.
void DrawSkinElement(HDC dc, const RECT& target, TBitmap& picture, bool vertical, bool tile,
                     bool trans, int n, int k, const TSkinMargins& margins, int stretchMode) {
    const int tw = target.right - target.left, th = target.bottom - target.top;
    if (Inverted(target) || tw <= 0 || th <= 0 || !IsSkinFrameIndex(n, k)) {
        return;
    }
    auto make = [&] {
        return StretchSkinFrame(target, picture, margins, vertical, tile, n, k, stretchMode);
    };
    const TSkinFrameBox f = LocateSkinFrame(picture, vertical, n, k);
    if (picture.Empty() || !MarginsInside(f, margins)) {
        PutImage(dc, target.left, target.top, *make(), trans);
        return;
    }
    DrawPrepared(dc, target.left, target.top, picture, f,
                 ElementRecipe(target, vertical, tile, margins, stretchMode), trans, make);
}

// The shape of the frame DrawSkinElement draws; see element_region.h.
TRegionHandle SkinElementRegion(const RECT& target, TBitmap& picture, bool vertical, bool tile,
                                int n, int k, const TSkinMargins& margins, int stretchMode) {
    const int tw = target.right - target.left, th = target.bottom - target.top;
    if (Inverted(target) || tw <= 0 || th <= 0 || !IsSkinFrameIndex(n, k)) {
        return {};
    }
    auto make = [&] {
        return StretchSkinFrame(target, picture, margins, vertical, tile, n, k, stretchMode);
    };
    const TSkinFrameBox f = LocateSkinFrame(picture, vertical, n, k);
    if (picture.Empty() || !MarginsInside(f, margins)) {
        return RegionFromBitmap(*make(), target.left, target.top, 1, 1, 1);
    }
    return PreparedRegion(target.left, target.top, picture, f,
                          ElementRecipe(target, vertical, tile, margins, stretchMode), make);
}

// The eight border pieces straight onto the DC; see the header.
void DrawSkinEdges(HDC dc, const RECT& target, TBitmap& picture, bool vertical, int n, int k,
                   const TSkinMargins& margins) {
    const int tw = target.right - target.left, th = target.bottom - target.top;
    if (tw <= 0 || th <= 0 || picture.Empty() || !IsSkinFrameIndex(n, k)) {
        return;
    }
    const auto pieces = NinePieces(LocateSkinFrame(picture, vertical, n, k), tw, th, margins);
    for (int i = 0; i < PieceCount; ++i) {
        const Piece& p = pieces[i];
        if (i == Centre || !p.Present) {
            continue;
        }
        RECT d = p.Dest;
        OffsetRect(&d, target.left, target.top);
        CopyPiece(dc, d, picture, p.Source);
    }
}

// Three-part horizontal bar; see the header.
void DrawSkinBar(TCanvas& canvas, const RECT& target, TBitmap& picture, bool vertical, bool trans,
                 int n, int k, const TSkinMargins& margins) {
    const int tw = target.right - target.left, th = target.bottom - target.top;
    if (Inverted(target) || tw == 0 || th == 0 || picture.Empty() || !IsSkinFrameIndex(n, k)) {
        return;
    }
    const TSkinFrameBox f = LocateSkinFrame(picture, vertical, n, k);
    const int l = margins.Left, r = margins.Right;
    auto make = [&] {
        auto work = MakeWorkBitmap(tw, th);
        TBitmap& dst = *work;
        TBitmap& src = picture;
        const int y0 = f.Y0, y1 = f.Y0 + f.Height;
        CopyPiece(dst, {0, 0, l, th}, src, {f.X0, y0, f.X0 + l, y1});
        const int m = f.Width - l - r;
        if (m > 0) {
            for (int x = l; x < tw - r; x += m) {
                CopyPiece(dst, {x, 0, x + m, th}, src, {f.X0 + l, y0, f.X0 + l + m, y1});
            }
        }
        CopyPiece(dst, {tw - r, 0, tw, th}, src, {f.X0 + f.Width - r, y0, f.X0 + f.Width, y1});
        return work;
    };
    const TSkinMargins sides{l, 0, r, 0};
    if (!MarginsInside(f, sides)) {
        PutImage(canvas.Handle(), target.left, target.top, *make(), trans);
        return;
    }
    const TFrameRecipe recipe{kRecipeBar, tw, th, kSkinDefaultStretchMode, vertical ? 1 : 0, sides};
    DrawPrepared(canvas.Handle(), target.left, target.top, picture, f, recipe, trans, make);
}

// One frame stretched to the rectangle; see the header.
void DrawSkinCell(HDC dc, const RECT& target, TBitmap& picture, bool trans, int n, int k,
                  int stretchMode) {
    const int tw = target.right - target.left, th = target.bottom - target.top;
    if (Inverted(target) || tw == 0 || th == 0 || picture.Empty() || !IsSkinFrameIndex(n, k)) {
        return;
    }
    const TSkinFrameBox f = LocateSkinFrame(picture, false, n, k);
    auto make = [&] {
        auto work = MakeWorkBitmap(tw, th);
        CopyPiece(*work, {0, 0, tw, th}, picture, {f.X0, 0, f.X0 + f.Width, f.Height}, stretchMode);
        return work;
    };
    const TFrameRecipe recipe{kRecipeCell, tw, th, stretchMode, 0, {}};
    DrawPrepared(dc, target.left, target.top, picture, f, recipe, trans, make);
}

// One frame at its own size, centred; see the header.
void DrawSkinGlyph(HDC dc, const RECT& target, TBitmap& picture, bool trans, int n, int k) {
    if (Inverted(target) || picture.Empty() || !IsSkinFrameIndex(n, k)) {
        return;
    }
    const TSkinFrameBox f = LocateSkinFrame(picture, false, n, k);
    if (f.Width <= 0 || f.Height <= 0) {
        return;
    }
    auto make = [&] {
        auto work = MakeWorkBitmap(f.Width, f.Height);
        BitBlt(work->Canvas().Handle(), 0, 0, f.Width, f.Height, picture.Canvas().Handle(), f.X0, 0,
               SRCCOPY);
        return work;
    };
    // Division truncates toward zero: a glyph wider than the target by one
    // pixel still starts at the target's left edge.
    const int x = target.left + (target.right - target.left - f.Width) / 2;
    const int y = target.top + (target.bottom - target.top - f.Height) / 2;
    const TFrameRecipe recipe{kRecipeGlyph, f.Width, f.Height, 0, 0, {}};
    DrawPrepared(dc, x, y, picture, f, recipe, trans, make);
}
