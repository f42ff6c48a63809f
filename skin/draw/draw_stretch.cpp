// Filtered stretching of picture pieces into 32-bit work bitmaps, done on the
// pixels directly: linear interpolation when enlarging, area averaging when
// shrinking, per axis. It stands in for the platform's halftone stretch,
// which gives similar pixels but is far slower under Wine.
#include "skin/draw/draw_internal.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kOne = 1 << 14; // weight of a whole source pixel

// Source pixels and weights that make up each destination pixel along one
// axis: pixel x uses Count[x] source pixels from First[x] on, with weights
// Weights[Offset[x] ...] that add up to exactly kOne.
struct AxisTaps {
    std::vector<int> First, Count, Offset, Weights;

    AxisTaps(int sn, int dn) : First(dn), Count(dn), Offset(dn) {
        for (int x = 0; x < dn; ++x) {
            Offset[x] = int(Weights.size());
            if (dn >= sn) {
                Enlarge(x, sn, dn);
            } else {
                Shrink(x, sn, dn);
            }
            Count[x] = int(Weights.size()) - Offset[x];
            int sum = 0;
            for (int k = Offset[x]; k < int(Weights.size()) - 1; ++k) {
                sum += Weights[k];
            }
            Weights.back() = kOne - sum; // rounding never loses a colour
        }
    }

private:
    // Linear interpolation at the pixel centre s = (x + 0.5) sn / dn - 0.5,
    // computed in units of 1 / (2 dn) to stay exact.
    void Enlarge(int x, int sn, int dn) {
        const int64_t pos = int64_t(2 * x + 1) * sn - dn;
        const int i0 = pos <= 0 ? 0 : int(pos / (2 * dn));
        const int64_t rest = pos <= 0 ? 0 : pos - int64_t(i0) * 2 * dn;
        First[x] = i0;
        Weights.push_back(kOne);
        if (rest > 0 && i0 + 1 < sn) {
            const int w1 = int(rest * kOne / (2 * dn));
            Weights.back() = kOne - w1;
            Weights.push_back(w1);
        }
    }
    // Area average: destination pixel x covers source [x sn / dn, (x + 1) sn / dn),
    // whose bounds and overlaps are integers in units of 1 / dn.
    void Shrink(int x, int sn, int dn) {
        const int64_t a = int64_t(x) * sn, b = int64_t(x + 1) * sn;
        First[x] = int(a / dn);
        for (int i = First[x]; int64_t(i) * dn < b && i < sn; ++i) {
            const int64_t lo = std::max<int64_t>(int64_t(i) * dn, a);
            const int64_t hi = std::min<int64_t>(int64_t(i + 1) * dn, b);
            Weights.push_back(int((hi - lo) * kOne / sn));
        }
    }
};

} // namespace

namespace skin_draw_detail {

// True when the filtered path can draw this piece (direct pixel access on
// both sides, everything inside the bitmaps).
bool CanFilter(TBitmap& dst, const RECT& d, TBitmap& src, const RECT& s) {
    const TPixelFormat sf = src.PixelFormat();
    return dst.PixelFormat() == TPixelFormat::pf32bit &&
           (sf == TPixelFormat::pf24bit || sf == TPixelFormat::pf32bit) && s.left >= 0 &&
           s.top >= 0 && s.right <= src.Width() && s.bottom <= src.Height() && d.left >= 0 &&
           d.top >= 0 && d.right <= dst.Width() && d.bottom <= dst.Height();
}

// Stretches source rectangle `s` of `src` into `d` of the 32-bit `dst`.
// Integer arithmetic: the horizontal pass keeps 8 fraction bits, the
// vertical pass rounds to the nearest channel value.
void FilteredStretch(TBitmap& dst, const RECT& d, TBitmap& src, const RECT& s) {
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    const AxisTaps xs(sw, dw), ys(sh, dh);
    const int bytes = src.PixelFormat() == TPixelFormat::pf24bit ? 3 : 4;
    std::vector<int32_t> rows(size_t(sh) * dw * 3);
    // One flush of pending drawing, then rows by address (a flush per row
    // costs a system call each under Wine).
    const uint8_t* srcBits = src.ScanLine(0);
    uint8_t* dstBits = dst.ScanLine(0);
    for (int y = 0; y < sh; ++y) {
        const uint8_t* line = srcBits + size_t(s.top + y) * src.Stride() + s.left * bytes;
        int32_t* out = rows.data() + size_t(y) * dw * 3;
        for (int x = 0; x < dw; ++x, out += 3) {
            int32_t b = 0, g = 0, r = 0;
            const int* w = xs.Weights.data() + xs.Offset[x];
            const uint8_t* p = line + xs.First[x] * bytes;
            for (int k = 0; k < xs.Count[x]; ++k, p += bytes) {
                b += p[0] * w[k], g += p[1] * w[k], r += p[2] * w[k];
            }
            out[0] = (b + 32) >> 6, out[1] = (g + 32) >> 6, out[2] = (r + 32) >> 6;
        }
    }
    for (int y = 0; y < dh; ++y) {
        uint8_t* px = dstBits + size_t(d.top + y) * dst.Stride() + d.left * 4;
        const int* w = ys.Weights.data() + ys.Offset[y];
        const int32_t* base = rows.data() + size_t(ys.First[y]) * dw * 3;
        for (int x = 0; x < dw; ++x, px += 4) {
            int32_t acc[3] = {0, 0, 0};
            const int32_t* p = base + x * 3;
            for (int k = 0; k < ys.Count[y]; ++k, p += size_t(dw) * 3) {
                acc[0] += p[0] * w[k], acc[1] += p[1] * w[k], acc[2] += p[2] * w[k];
            }
            for (int c = 0; c < 3; ++c) {
                const int32_t v = (acc[c] + (1 << 21)) >> 22;
                px[c] = uint8_t(v > 255 ? 255 : v);
            }
            px[3] = 0;
        }
    }
}

} // namespace skin_draw_detail
